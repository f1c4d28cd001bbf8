#pragma once

#include <array>

#include "setup/wizard/wizardpage.h"

namespace vuska::setup {

// Step 5: the game is installed. "&Lopeta", or closing the page in any way, ends the program
// without a question.
class frmVaihe5 : public WizardPage {
    Q_OBJECT
public:
    explicit frmVaihe5(mdlVuskanAsennus& installer);

    void cmdPainike_Click(int index) override;
    bool Form_QueryUnload(platform::UnloadMode mode) override;

    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }

private:
    void finish();

    std::array<QLabel*, 2> lblTeksti_{};
};

} // namespace vuska::setup
