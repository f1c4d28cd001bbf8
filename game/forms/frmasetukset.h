#pragma once

#include <array>

#include "platform/twipsdialog.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class QSlider;

namespace vuska {

class mdlVuska;

// The settings: how the starter is chosen, the two animations and their speed.
class frmAsetukset : public platform::DialogForm {
    Q_OBJECT
public:
    frmAsetukset(mdlVuska& game, QWidget* parent);

    void showModal();
    void Form_Load();
    // The speed can only be set while some animation is shown.
    void optSekoitusJako_Click();
    void optSiirto_Click();
    void cmdPainike_Click(int index);

    QRadioButton* optAloitustapa(int i) const { return optAloitustapa_[size_t(i)]; }
    QRadioButton* optSekoitusJako(int i) const { return optSekoitusJako_[size_t(i)]; }
    QRadioButton* optSiirto(int i) const { return optSiirto_[size_t(i)]; }
    QGroupBox* frNopeus() const { return frNopeus_; }
    QSlider* slValitsin() const { return slValitsin_; }
    QPushButton* cmdPainike(int index) const { return cmdPainike_[size_t(index)]; }

private:
    void applySpeedFrameRule();

    mdlVuska& game_;
    QGroupBox* frAloitustapa_;
    QGroupBox* frSekoitusJako_;
    QGroupBox* frSiirto_;
    QGroupBox* frNopeus_;
    std::array<QRadioButton*, 4> optAloitustapa_{};
    std::array<QRadioButton*, 2> optSekoitusJako_{};
    std::array<QRadioButton*, 2> optSiirto_{};
    QSlider* slValitsin_;
    std::array<QPushButton*, 3> cmdPainike_{};
};

} // namespace vuska
