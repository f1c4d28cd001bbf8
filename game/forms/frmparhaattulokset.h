#pragma once

#include <array>

#include "platform/twipsdialog.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace vuska {

class mdlVuska;

// The best-results list: ten rows of name and run length, clearing, and help.
class frmParhaatTulokset : public platform::DialogForm {
    Q_OBJECT
public:
    frmParhaatTulokset(mdlVuska& game, QWidget* parent);

    void showModal();
    void Form_Load();
    void cmdPainike_Click(int index);

    QLabel* lblSija(int i) const { return lblSija_[size_t(i)]; }
    QLabel* lblNimi(int i) const { return lblNimi_[size_t(i)]; }
    QLabel* lblTulos(int i) const { return lblTulos_[size_t(i)]; }
    QPushButton* cmdPainike(int index) const { return cmdPainike_[size_t(index)]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRow(int slot, const QString& name, qint16 score);

    mdlVuska& game_;
    QGroupBox* frParhaat_;
    std::array<QLabel*, 10> lblSija_{};
    std::array<QLabel*, 10> lblNimi_{};
    std::array<QLabel*, 10> lblTulos_{};
    std::array<QPushButton*, 3> cmdPainike_{};
};

} // namespace vuska
