#include "game/forms/frmasetukset.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "game/engine/mdlvuska.h"
#include "game/forms/helpcommand.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/messagebox.h"
#include "platform/pointer.h"

namespace vuska {

using platform::ScreenPointer;

namespace {

const QString& modeOf(int index)
{
    static const QString modes[4] = {StartModes::Alternate, StartModes::Random, StartModes::LowestCard,
                                     StartModes::PreviousWinner};
    return modes[index];
}

// An option whose caption is wider than its designed width in this font gets the room it
// needs, as far as its frame allows.
void fitWidth(QWidget* control)
{
    const int wanted = control->sizeHint().width();
    const int room = control->parentWidget()->width() - control->x() - 6;
    if (wanted > control->width())
        control->resize(std::min(wanted, room), control->height());
}

} // namespace

frmAsetukset::frmAsetukset(mdlVuska& game, QWidget* parent)
    : platform::DialogForm(QStringLiteral("frmAsetukset"), tr("Asetukset"), 5175, 5295, parent), game_(game)
{
    cmdPainike_ = platform::buttonColumn<3>(this,
                                            {QStringLiteral("OK"), tr("Peruuta"), tr("&Ohje")},
                                            3720, {120, 580, 1200}, [this](int i) { cmdPainike_Click(i); });
    cmdPainike_[0]->setDefault(true);

    const auto frame = [this](const char* name, const QString& caption, int top, int height) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(QString::fromLatin1(name));
        place(box, 120, top, 3375, height);
        return box;
    };
    const auto option = [](QGroupBox* box, const QString& name, const QString& caption, int top, int width) {
        auto* button = new QRadioButton(caption, box);
        button->setObjectName(name);
        place(button, 240, top, width, 255);
        fitWidth(button);
        return button;
    };

    frAloitustapa_ = frame("frAloitustapa", tr("Pelin aloitustapa"), 120, 1575);
    const QString modeCaptions[4] = {tr("&Vuoroaloitus"), tr("&Aloittaja arvotaan"),
                                     tr("&Pienimmän kortin omistaja aloittaa"),
                                     tr("E&dellisen pelin voittanut aloittaa")};
    const int modeWidths[4] = {1215, 1575, 2775, 2535};
    for (int i = 0; i < 4; ++i)
        optAloitustapa_[size_t(i)] = option(frAloitustapa_, QStringLiteral("optAloitustapa_%1").arg(i),
                                            modeCaptions[i], 360 + 240 * i, modeWidths[i]);

    frSekoitusJako_ = frame("frSekoitusJako", tr("Korttien sekoitus ja jako"), 1800, 1095);
    optSekoitusJako_[0] = option(frSekoitusJako_, QStringLiteral("optSekoitusJako_0"),
                                 tr("&Näytetään animaationa"), 360, 1935);
    optSekoitusJako_[1] = option(frSekoitusJako_, QStringLiteral("optSekoitusJako_1"),
                                 tr("Vain &korttien kääntö näytetään"), 600, 2535);

    frSiirto_ = frame("frSiirto", tr("Korttien siirto"), 3000, 1095);
    optSiirto_[0] = option(frSiirto_, QStringLiteral("optSiirto_0"), tr("Näyt&etään animaationa"), 360, 1935);
    optSiirto_[1] = option(frSiirto_, QStringLiteral("optSiirto_1"),
                           tr("Korttien &siirtymisvaiheita ei näytetä"), 600, 2775);

    frNopeus_ = frame("frNopeus", tr("Animaationope&us (hidas - nopea)"), 4200, 975);
    slValitsin_ = new QSlider(Qt::Horizontal, frNopeus_);
    slValitsin_->setObjectName(QStringLiteral("slValitsin"));
    slValitsin_->setRange(0, 6);
    slValitsin_->setSingleStep(1);
    slValitsin_->setPageStep(1);
    slValitsin_->setTickPosition(QSlider::TicksBelow);
    slValitsin_->setTickInterval(1);
    place(slValitsin_, 240, 360, 2895, 480);

    // Each group of options is exclusive on its own.
    for (const auto& group : {std::vector<QRadioButton*>(optAloitustapa_.begin(), optAloitustapa_.end()),
                              std::vector<QRadioButton*>(optSekoitusJako_.begin(), optSekoitusJako_.end()),
                              std::vector<QRadioButton*>(optSiirto_.begin(), optSiirto_.end())}) {
        auto* buttons = new QButtonGroup(this);
        for (QRadioButton* b : group)
            buttons->addButton(b);
    }
    for (QRadioButton* b : optSekoitusJako_)
        connect(b, &QRadioButton::toggled, this, [this](bool on) { if (on) optSekoitusJako_Click(); });
    for (QRadioButton* b : optSiirto_)
        connect(b, &QRadioButton::toggled, this, [this](bool on) { if (on) optSiirto_Click(); });

    // The designed selection.
    optAloitustapa_[0]->setChecked(true);
    optSekoitusJako_[0]->setChecked(true);
    optSiirto_[0]->setChecked(true);

    setTabOrder(cmdPainike_[0], cmdPainike_[1]);
    setTabOrder(cmdPainike_[1], cmdPainike_[2]);
    QWidget* previous = cmdPainike_[2];
    for (QWidget* w : std::initializer_list<QWidget*>{optAloitustapa_[0], optAloitustapa_[1], optAloitustapa_[2],
                                                      optAloitustapa_[3], optSekoitusJako_[0], optSekoitusJako_[1],
                                                      optSiirto_[0], optSiirto_[1], slValitsin_}) {
        setTabOrder(previous, w);
        previous = w;
    }
}

void frmAsetukset::showModal()
{
    Form_Load();
    cmdPainike_[0]->setFocus();
    exec();
}

void frmAsetukset::Form_Load()
{
    cmdPainike_[1]->move(cmdPainike_[1]->x(), pixelsY(580));
    // Each opening starts from the design, so that choices left with Peruuta are forgotten.
    optAloitustapa_[0]->setChecked(true);
    for (int i = 0; i < 4; ++i) {
        if (game_.StartMode == modeOf(i))
            optAloitustapa_[size_t(i)]->setChecked(true);
    }
    optSekoitusJako_[game_.ShowShuffleAndDeal ? 0 : 1]->setChecked(true);
    optSiirto_[game_.ShowCardMovement ? 0 : 1]->setChecked(true);
    for (int v = 0; v <= 6; ++v) {
        if (game_.AnimationSteps == 40 - 5 * v)
            slValitsin_->setValue(v);
    }
    applySpeedFrameRule();
}

void frmAsetukset::applySpeedFrameRule()
{
    frNopeus_->setEnabled(!(optSekoitusJako_[1]->isChecked() && optSiirto_[1]->isChecked()));
}

void frmAsetukset::optSekoitusJako_Click()
{
    applySpeedFrameRule();
}

void frmAsetukset::optSiirto_Click()
{
    applySpeedFrameRule();
}

void frmAsetukset::cmdPainike_Click(int index)
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    if (index == 0) {
        for (int i = 0; i < 4; ++i) {
            if (optAloitustapa_[size_t(i)]->isChecked()) {
                game_.StartMode = modeOf(i);
                break;
            }
        }
        if (optSekoitusJako_[0]->isChecked())
            game_.ShowShuffleAndDeal = true;
        else if (optSekoitusJako_[1]->isChecked())
            game_.ShowShuffleAndDeal = false;
        if (optSiirto_[0]->isChecked())
            game_.ShowCardMovement = true;
        else if (optSiirto_[1]->isChecked())
            game_.ShowCardMovement = false;
        const int v = slValitsin_->value();
        if (v >= 0 && v <= 6)
            game_.AnimationSteps = qint16(40 - 5 * v);

        const auto text = [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); };
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("PelinAloitustapa"), 1,
                           game_.StartMode);
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("NaytaKorttienSekoitusJaJako"), 1,
                           text(game_.ShowShuffleAndDeal));
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("NaytaKorttienSiirto"), 1,
                           text(game_.ShowCardMovement));
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("Animaationopeus"), 1,
                           QString::number(v));
        accept();
    } else if (index == 1) {
        reject();
    } else if (index == 2) {
        showHelpTopic(game_.helpFilePath(), 17, this);
    }
    platform::setScreenPointer(ScreenPointer::Default);
}

} // namespace vuska
