#include "game/forms/frmparhaattulokset.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "game/engine/mdlvuska.h"
#include "game/forms/helpcommand.h"
#include "game/forms/labeltext.h"
#include "game/registry/settingskey.h"
#include "platform/messagebox.h"
#include "platform/pointer.h"

namespace vuska {

using platform::ScreenPointer;

frmParhaatTulokset::frmParhaatTulokset(mdlVuska& game, QWidget* parent)
    : platform::DialogForm(QStringLiteral("frmParhaatTulokset"), tr("Parhaat tulokset"), 5535, 3375, parent),
      game_(game)
{
    frParhaat_ = new QGroupBox(tr("Eniten pelejä peräkkäin voittaneet"), this);
    frParhaat_->setObjectName(QStringLiteral("frParhaat"));
    place(frParhaat_, 120, 120, 3735, 3135);
    for (int i = 0; i < 10; ++i) {
        const int top = 480 + 240 * i;
        auto* sija = new QLabel(QString::number(i + 1) + QLatin1Char('.'), frParhaat_);
        sija->setObjectName(QStringLiteral("lblSija_%1").arg(i));
        sija->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(sija, 360 - 120, top, 255 + 120, 255); // room for "10." in this font
        auto* nimi = new QLabel(AuthorName, frParhaat_);
        nimi->setObjectName(QStringLiteral("lblNimi_%1").arg(i));
        nimi->setTextFormat(Qt::PlainText);
        place(nimi, 840, top, 1935, 255);
        auto* tulos = new QLabel(QStringLiteral("0"), frParhaat_);
        tulos->setObjectName(QStringLiteral("lblTulos_%1").arg(i));
        tulos->setTextFormat(Qt::PlainText);
        tulos->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(tulos, 2880, top, 375, 255);
        lblSija_[size_t(i)] = sija;
        lblNimi_[size_t(i)] = nimi;
        lblTulos_[size_t(i)] = tulos;
    }
    cmdPainike_ = platform::buttonColumn<3>(this, {QStringLiteral("OK"), tr("&Tyhjennä"), tr("&Ohje")},
                                  4080, {120, 580, 1200}, [this](int i) { cmdPainike_Click(i); });
    // OK is both the default and the cancel button.
    cmdPainike_[0]->setDefault(true);
    connect(this, &QDialog::rejected, this, [] { platform::setScreenPointer(ScreenPointer::Default); });
}

void frmParhaatTulokset::showModal()
{
    Form_Load();
    exec();
}

void frmParhaatTulokset::showRow(int slot, const QString& name, qint16 score)
{
    // A stored name may be longer than the column.
    showCutToFit(lblNimi_[size_t(slot)], name);
    lblTulos_[size_t(slot)]->setText(QString::number(score));
}

void frmParhaatTulokset::Form_Load()
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    cmdPainike_[1]->move(cmdPainike_[1]->x(), pixelsY(580));
    for (int i = 0; i < 10; ++i)
        showRow(i, game_.BestNames[size_t(i)], game_.BestScores[size_t(i)]);
    cmdPainike_[1]->setEnabled(!game_.BestResultsHoldOnlyDefaults());
}

void frmParhaatTulokset::showEvent(QShowEvent* event)
{
    platform::DialogForm::showEvent(event);
    // Form_Activate
    platform::setScreenPointer(ScreenPointer::Default);
}

void frmParhaatTulokset::cmdPainike_Click(int index)
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    if (index == 0) {
        accept();
    } else if (index == 1) {
        platform::setScreenPointer(ScreenPointer::Default);
        platform::MessageBoxRequest box;
        box.text = tr("Haluatko varmasti tyhjentää parhaiden tulosten listan?");
        box.title = tr("Tyhjennä");
        box.buttons = platform::MsgButtons::YesNo;
        box.defaultButton = platform::MsgDefault::Second;
        box.icon = platform::MsgIcon::Question;
        box.helpFile = game_.helpFilePath();
        box.helpContext = 18;
        if (platform::messageBox(box, this) == platform::MsgAnswer::Yes) {
            platform::setScreenPointer(ScreenPointer::Hourglass);
            game_.ClearBestResults([this](int i) { showRow(i, AuthorName, 0); });
            cmdPainike_[1]->setEnabled(false);
        }
    } else if (index == 2) {
        showHelpTopic(game_.helpFilePath(), 18, this);
    }
    platform::setScreenPointer(ScreenPointer::Default);
}

} // namespace vuska
