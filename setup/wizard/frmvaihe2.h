#pragma once

#include <array>

#include "setup/wizard/wizardpage.h"

class QGroupBox;
class QLineEdit;

namespace vuska::setup {

// Step 2: the target folder, typed or browsed for, checked on Next: the drive, the
// characters, the free space, and whether the folder is to be made or already holds files.
class frmVaihe2 : public WizardPage {
    Q_OBJECT
public:
    explicit frmVaihe2(mdlVuskanAsennus& installer);

    // Next is refused while the text names the program's own folder.
    void Form_Load();
    void txtKohdekansio_Change();
    void cmdPainike_Click(int index) override;

    QLineEdit* txtKohdekansio() const { return txtKohdekansio_; }
    QGroupBox* Frame2() const { return Frame2_; }
    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }

private:
    void validateAndGoOn();
    // Default pointer, then the refusal; the user stays on this page.
    void refuse(const QString& text, const QString& title);

    std::array<QLabel*, 3> lblTeksti_{};
    QGroupBox* Frame2_ = nullptr;
    QLineEdit* txtKohdekansio_ = nullptr;
};

} // namespace vuska::setup
