#pragma once

#include <array>

#include "platform/twipsdialog.h"

class QFrame;
class QLabel;
class QPushButton;

namespace vuska::setup {

// The removal window, shown instead of the wizard when the game is installed. "Peruuta"
// (or Esc) and any close request end the program at once, without a question, except while
// the removal runs: it cannot be interrupted, and a close request then waits for its end.
class frmPoisto : public platform::DialogForm {
    Q_OBJECT
public:
    explicit frmPoisto(QWidget* parent = nullptr);

    void cmdPainike_Click(int index);
    // "&Poista": removes the installation, shows what is left for the user to delete, and
    // leaves "Sulje" to end the program.
    void Poista();

    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }
    QPushButton* cmdPainike(int index) const { return cmdPainike_[size_t(index)]; }
    QLabel* pTaustakuva() const { return pTaustakuva_; }
    QFrame* Frame1() const { return Frame1_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void unloadAndEnd();

    QLabel* pTaustakuva_ = nullptr;
    QFrame* Frame1_ = nullptr;
    std::array<QLabel*, 4> lblTeksti_{};
    std::array<QPushButton*, 2> cmdPainike_{};
    bool ending_ = false;
    bool removing_ = false;
    bool endRequested_ = false;
};

} // namespace vuska::setup
