#pragma once

#include <array>

#include "platform/twipsdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vuska {

class mdlVuska;

// The name entry for a run of won games that reached the best-results list.
class frmKysyNimi : public platform::DialogForm {
    Q_OBJECT
public:
    frmKysyNimi(mdlVuska& game, QWidget* gameWindow);

    // The name last confirmed here; it lives as long as the program and fills the box the
    // next time.
    QString ViimeksiListallePaassytPelaaja;

    // Loads the dialog afresh and shows it modally.
    void showModal();

    void Form_Load();
    void txtNimi_Change();
    void cmdPainike_Click(int index);

    QLabel* lblTeksti() const { return lblTeksti_; }
    QLineEdit* txtNimi() const { return txtNimi_; }
    QPushButton* cmdPainike(int index) const { return cmdPainike_[size_t(index)]; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    mdlVuska& game_;
    QWidget* gameWindow_;
    QLabel* lblTeksti_;
    QLineEdit* txtNimi_;
    std::array<QPushButton*, 2> cmdPainike_{};
    bool closingByBox_ = false;
};

} // namespace vuska
