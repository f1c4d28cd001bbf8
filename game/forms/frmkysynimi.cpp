#include "game/forms/frmkysynimi.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "game/engine/mdlvuska.h"
#include "game/forms/characterlimit.h"
#include "game/registry/mdlvuska2.h"
#include "platform/pointer.h"

namespace vuska {

using platform::ScreenPointer;

namespace {
// The longest name the box takes, in characters.
constexpr int NameLength = 16;
} // namespace

frmKysyNimi::frmKysyNimi(mdlVuska& game, QWidget* gameWindow)
    : platform::DialogForm(QStringLiteral("frmKysyNimi"), tr("Onneksi olkoon!"), 5295, 1680, gameWindow),
      game_(game), gameWindow_(gameWindow)
{
    lblTeksti_ = new QLabel(this);
    lblTeksti_->setObjectName(QStringLiteral("lblTeksti"));
    lblTeksti_->setTextFormat(Qt::PlainText);
    lblTeksti_->setWordWrap(true);
    lblTeksti_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblTeksti_, 120, 120, 3495, 975);

    txtNimi_ = new QLineEdit(tr("Nimetön"), this);
    txtNimi_->setObjectName(QStringLiteral("txtNimi"));
    txtNimi_->setAccessibleName(tr("Nimesi"));
    // At most 16 characters as the player sees them (Qt's length limit counts UTF-16 units
    // and would split an emoji in two), and never more than the store gives back: a name of
    // letters heaped with combining marks would be saved and then read as missing.
    txtNimi_->setValidator(new CharacterLimitValidator(NameLength, RegistryTextFits, txtNimi_));
    place(txtNimi_, 120, 1200, 3495, 315);
    connect(txtNimi_, &QLineEdit::textChanged, this, &frmKysyNimi::txtNimi_Change);

    // Peruuta moves to its place when the dialog loads.
    cmdPainike_ = platform::buttonColumn<2>(this, {QStringLiteral("OK"), tr("Peruuta")}, 3840, {120, 120},
                                  [this](int i) { cmdPainike_Click(i); });
    cmdPainike_[0]->setDefault(true);
    setTabOrder(txtNimi_, cmdPainike_[0]);
    setTabOrder(cmdPainike_[0], cmdPainike_[1]);
}

void frmKysyNimi::showModal()
{
    Form_Load();
    txtNimi_->setFocus();
    exec();
}

void frmKysyNimi::Form_Load()
{
    cmdPainike_[1]->move(cmdPainike_[1]->x(), pixelsY(580));
    txtNimi_->setText(ViimeksiListallePaassytPelaaja.isEmpty() ? tr("Nimetön")
                                                               : ViimeksiListallePaassytPelaaja);
    // The preset name is selected whole, so that typing replaces it.
    txtNimi_->setSelection(0, int(txtNimi_->text().size()));
    const QString run =
        game_.WinStreak == 1
            ? tr("Voitit 1 pelin peräkkäin ja pääset tuloksellasi parhaiden tulosten listalle.")
            //: %1 is the number of games won in a row, at least 2.
            : tr("Voitit %1 peliä peräkkäin ja pääset tuloksellasi parhaiden tulosten listalle.").arg(game_.WinStreak);
    lblTeksti_->setText(run + QStringLiteral("\n\n\n") + tr("Kirjoita nimesi:"));
    txtNimi_Change();
}

void frmKysyNimi::txtNimi_Change()
{
    cmdPainike_[0]->setEnabled(!txtNimi_->text().isEmpty());
}

void frmKysyNimi::cmdPainike_Click(int index)
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    if (gameWindow_)
        gameWindow_->setEnabled(true);
    if (index == 0) {
        const QString name = txtNimi_->text();
        ViimeksiListallePaassytPelaaja = name;
        game_.InsertBestResult(name);
        QDialog::accept();
        platform::setScreenPointer(ScreenPointer::Default);
    } else if (index == 1) {
        game_.WinStreak = 0;
        QDialog::reject();
        platform::setScreenPointer(ScreenPointer::Default);
        QCoreApplication::processEvents();
    } else {
        platform::setScreenPointer(ScreenPointer::Default);
    }
}

void frmKysyNimi::reject()
{
    // Esc presses Peruuta; the window's close box closes without running either button.
    if (closingByBox_)
        QDialog::reject();
    else
        cmdPainike_Click(1);
}

void frmKysyNimi::closeEvent(QCloseEvent* event)
{
    closingByBox_ = true;
    QDialog::closeEvent(event);
    closingByBox_ = false;
}

} // namespace vuska
