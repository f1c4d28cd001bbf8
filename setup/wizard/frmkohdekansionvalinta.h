#pragma once

#include <array>

#include "platform/twipsdialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vuska::setup {

class FolderList;
class mdlVuskanAsennus;

// The browse dialog of step 2: a drive list, a folder list and the folder's text. OK gives
// the text to step 2; Peruuta (or Esc, or the close box) leaves step 2 as it was.
class frmKohdekansionValinta : public platform::DialogForm {
    Q_OBJECT
public:
    frmKohdekansionValinta(mdlVuskanAsennus& installer, QWidget* parent);

    // The lists start at the process's current folder; when that cannot be shown, at
    // C:\Program Files, else at the first drive that can be.
    void Form_Load();
    void drvAsemat_Change();
    void dirKansiot_Change();
    void txtKohdekansio_Change();
    void cmdPainike_Click(int index);

    QLabel* lblTeksti() const { return lblTeksti_; }
    QLineEdit* txtKohdekansio() const { return txtKohdekansio_; }
    QComboBox* drvAsemat() const { return drvAsemat_; }
    FolderList* dirKansiot() const { return dirKansiot_; }
    QPushButton* cmdPainike(int index) const { return cmdPainike_[size_t(index)]; }

protected:
    void reject() override;

private:
    // Shows the drive of the folder list's path in the drive list, without a change event.
    void showDriveOfPath();

    mdlVuskanAsennus& installer_;
    QLabel* lblTeksti_ = nullptr;
    QLineEdit* txtKohdekansio_ = nullptr;
    FolderList* dirKansiot_ = nullptr;
    QComboBox* drvAsemat_ = nullptr;
    std::array<QPushButton*, 2> cmdPainike_{};
};

} // namespace vuska::setup
