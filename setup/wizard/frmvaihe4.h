#pragma once

#include <array>

#include "setup/wizard/wizardpage.h"

namespace vuska::setup {

// Step 4: ready to copy. Next shows the copy window over this page.
class frmVaihe4 : public WizardPage {
    Q_OBJECT
public:
    explicit frmVaihe4(mdlVuskanAsennus& installer);

    void cmdPainike_Click(int index) override;

    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }

private:
    std::array<QLabel*, 3> lblTeksti_{};
};

} // namespace vuska::setup
