#include "setup/uninstall/frmpoisto.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "setup/uninstall/frmpoistamattomattiedostot.h"
#include "setup/uninstall/removal.h"
#include "setup/wizard/wizardpage.h"

namespace vuska::setup {

frmPoisto::frmPoisto(QWidget* parent)
    : platform::DialogForm(QStringLiteral("frmPoisto"),
                           //: The title of the removal window.
                           tr("Vuska-ohjelman asennuksen poisto"),
                           WizardPage::WidthTwips, WizardPage::HeightTwips, parent,
                           platform::DialogPlacement::AsPlaced)
{
    pTaustakuva_ = addSidePicture(this, QStringLiteral("pTaustakuva"));
    Frame1_ = addButtonLine(this);

    struct Design {
        const char* text;
        int top, height;
    };
    // The labels are 300 pixels wide at 96 dpi; one of 735 twips holds three lines, one of 495
    // twips two.
    const Design labels[4] = {
        //: The removal window, first paragraph (at most three lines).
        {QT_TR_NOOP("Tämä ohjelma poistaa tietokoneeltasi Vuska-ohjelman version 1.22 Freeware."), 240, 735},
        //: At most three lines.
        {QT_TR_NOOP("Muiden Windows-sovellusten sulkeminen ennen poiston aloittamista on erittäin suositeltavaa."),
         1080, 735},
        //: At most two lines. "Poista" is the caption of the Remove button, without its access key.
        {QT_TR_NOOP("Paina Poista-painiketta poistaaksesi Vuska-ohjelman."), 1920, 495},
        //: At most three lines. "Poista" is the caption of the Remove button, without its access key.
        {QT_TR_NOOP("Huom! Jos painat Poista-painiketta, et voi keskeyttää ohjelman poistoa."), 2520, 735},
    };
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(tr(labels[i].text), this);
        label->setObjectName(QStringLiteral("lblTeksti_%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(label, WizardPage::ContentLeft, labels[i].top, WizardPage::ContentWidth, labels[i].height);
        lblTeksti_[size_t(i)] = label;
    }

    const QString captions[2] = {
        //: Button: removes the game. Short: the button is about 12 characters wide.
        tr("&Poista"),
        //: Button: ends the program without removing anything. No access key: Esc presses it.
        tr("Peruuta"),
    };
    const int lefts[2] = {4470, 5985};
    for (int i = 0; i < 2; ++i) {
        cmdPainike_[size_t(i)] =
            platform::commandButton(this, i, captions[i], [this](int index) { cmdPainike_Click(index); });
        place(cmdPainike_[size_t(i)], lefts[i], 5130, 1335, 375);
    }
    cmdPainike_[0]->setDefault(true);
    cmdPainike_[0]->setFocus();
}

void frmPoisto::cmdPainike_Click(int index)
{
    if (index == 0) {
        Poista();
        return;
    }
    if (index == 1)
        unloadAndEnd();
}

void frmPoisto::Poista()
{
    platform::setScreenPointer(platform::ScreenPointer::Hourglass);
    cmdPainike_[0]->setEnabled(false);
    cmdPainike_[1]->setEnabled(false);
    removing_ = true;
    RemovalHooks hooks;
    hooks.showMessage = [this](const platform::MessageBoxRequest& request) { return platform::messageBox(request, this); };
    hooks.showLeftovers = [this](const QString& instructions, const QStringList& names) {
        frmPoistamattomatTiedostot dialog(this);
        dialog.showLeftovers(instructions, names);
    };
    const RemovalResult result = Removal(hooks).run();
    removing_ = false;
    if (result.outcome == RemovalOutcome::RecordMissing || endRequested_) {
        unloadAndEnd();
        return;
    }
    // "&Poista" stays disabled: there is nothing left to remove.
    //: The caption the Cancel button takes once the removal is done: it ends the program.
    cmdPainike_[1]->setText(tr("Sulje"));
    cmdPainike_[1]->setEnabled(true);
    cmdPainike_[1]->setFocus();
}

void frmPoisto::unloadAndEnd()
{
    if (ending_ || platform::lifetime::ending())
        return;
    ending_ = true;
    hide();
    platform::lifetime::endProgram();
}

void frmPoisto::closeEvent(QCloseEvent* event)
{
    // The removal cannot be interrupted: a request to close while it runs ends the program
    // once it is done, so that nothing is left half removed.
    if (removing_) {
        endRequested_ = true;
        event->ignore();
        return;
    }
    // Any other close request ends the program at once; there is nothing to ask.
    if (!ending_ && !platform::lifetime::ending()) {
        platform::setScreenPointer(platform::ScreenPointer::Hourglass);
        unloadAndEnd();
    }
    event->accept();
}

void frmPoisto::reject()
{
    cmdPainike_[1]->click();
}

} // namespace vuska::setup
