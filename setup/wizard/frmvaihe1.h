#pragma once

#include <array>

#include "setup/wizard/wizardpage.h"

class QPlainTextEdit;

namespace vuska::setup {

// Step 1: the terms of use, accepted with "&Hyväksy >".
class frmVaihe1 : public WizardPage {
    Q_OBJECT
public:
    explicit frmVaihe1(mdlVuskanAsennus& installer);

    void cmdPainike_Click(int index) override;

    QPlainTextEdit* txtEhdot() const { return txtEhdot_; }
    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }

private:
    QPlainTextEdit* txtEhdot_ = nullptr;
    std::array<QLabel*, 2> lblTeksti_{};
};

} // namespace vuska::setup
