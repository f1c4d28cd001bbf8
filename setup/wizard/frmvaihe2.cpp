#include "setup/wizard/frmvaihe2.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/messagebox.h"
#include "platform/pointer.h"
#include "setup/wizard/frmvaihe1.h"
#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/targetfolder.h"

namespace vuska::setup {

using platform::MessageBoxRequest;
using platform::MsgAnswer;
using platform::ScreenPointer;

namespace {

bool samePath(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The text names the program's own folder: as written, or as another spelling of the same host
// folder ("." or "..", another drive, a link).
bool namesOwnFolder(const QString& text, const QString& own)
{
    return samePath(text, own) || samePath(text, own + u'\\') || sameFolder(text, own);
}

} // namespace

frmVaihe2::frmVaihe2(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe2"), nextButtonText())
{
    //: Destination folder page, first paragraph (at most two lines).
    lblTeksti_[0] = addLabel(0, tr("Vuska asennetaan alempana näkyvään kohdekansioon."), 240, 495);
    //: At most two lines. "Seuraava" is the caption of the Next button, without its access key.
    lblTeksti_[1] = addLabel(1, tr("Jos haluat asentaa ohjelman valittuun kansioon, paina Seuraava-painiketta."),
                             840, 495);
    //: At most two lines. "Selaa" is the caption of the Browse button, without its access key.
    lblTeksti_[2] = addLabel(
        2, tr("Jos haluat asentaa eri kansioon, paina Selaa-painiketta ja valitse haluamasi kansio."), 1440, 495);

    //: The title of the frame around the folder's text box and the Browse button; also what a
    //: screen reader calls the text box.
    Frame2_ = new QGroupBox(tr("Kohdekansio"), this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    place(Frame2_, ContentLeft, 3780, ContentWidth, 1050);

    txtKohdekansio_ = new QLineEdit(QStringLiteral("C:\\Program Files\\Vuska"), Frame2_);
    txtKohdekansio_->setObjectName(QStringLiteral("txtKohdekansio"));
    txtKohdekansio_->setAccessibleName(tr("Kohdekansio"));
    place(txtKohdekansio_, 120, 450, 2880, 315);
    connect(txtKohdekansio_, &QLineEdit::textChanged, this, &frmVaihe2::txtKohdekansio_Change);

    //: Button: opens the folder chooser. Short: the button is about 12 characters wide.
    cmdPainike_[3] = platform::commandButton(Frame2_, 3, tr("&Selaa..."),
                                             [this](int index) { cmdPainike_Click(index); });
    place(cmdPainike_[3], 3090, 420, 1290, 375);

    setTabOrder({txtKohdekansio_}, txtKohdekansio_);
}

void frmVaihe2::Form_Load()
{
    const QString text = txtKohdekansio_->text();
    const QString own = installer().programFolder();
    cmdPainike_[2]->setEnabled(!samePath(text, own) && !sameFolder(text, own));
}

void frmVaihe2::txtKohdekansio_Change()
{
    // The installation set is copied out of the program's own folder: it cannot be the target.
    cmdPainike_[2]->setEnabled(!namesOwnFolder(txtKohdekansio_->text(), installer().SourceFolder));
}

void frmVaihe2::cmdPainike_Click(int index)
{
    switch (index) {
    case 0:
        installer().ConfirmCancelSetup();
        break;
    case 1:
        installer().goTo(this, &installer().vaihe1());
        break;
    case 2:
        validateAndGoOn();
        break;
    case 3:
        platform::setScreenPointer(ScreenPointer::Hourglass);
        installer().showBrowseDialog();
        platform::setScreenPointer(ScreenPointer::Default);
        break;
    default:
        break;
    }
}

void frmVaihe2::refuse(const QString& text, const QString& title)
{
    platform::setScreenPointer(ScreenPointer::Default);
    MessageBoxRequest box;
    box.text = text;
    box.title = title;
    box.icon = platform::MsgIcon::Exclamation;
    platform::messageBox(box, this);
}

void frmVaihe2::validateAndGoOn()
{
    mdlVuskanAsennus& m = installer();
    platform::setScreenPointer(ScreenPointer::Hourglass);
    m.TargetFolder = txtKohdekansio_->text();

    const TargetFolderCheck check = checkTargetFolder(m.TargetFolder);
    if (check.verdict == TargetFolderCheck::Verdict::InvalidDrive) {
        refuse(tr("Valitsemasi levyasema ei ole kelvollinen."),
               //: The title of the box that refuses the drive typed.
               tr("Asema kelvoton"));
        return;
    }
    if (check.verdict == TargetFolderCheck::Verdict::InvalidFolder) {
        refuse(tr("Valitsemasi kohdekansio ei ole kelvollinen."),
               //: The title of the box that refuses the folder typed.
               tr("Kohdekansio kelvoton"));
        return;
    }
    m.MeasureFreeSpace();
    m.TargetFolder = check.folder;
    if (m.FreeBytes < 1000) {
        //: A message box's text; the line break keeps the box narrow.
        refuse(tr("Asemassa ei ole tarpeeksi vapaata tilaa. Valitse\ntoinen asema ja yritä uudelleen."),
               //: The title of the box that says the drive is full.
               tr("Ei tarpeeksi levytilaa"));
        return;
    }

    // Anything of that name counts, a file as well as a folder.
    const bool exists = check.host && QFileInfo::exists(*check.host);
    platform::setScreenPointer(ScreenPointer::Default);
    MessageBoxRequest box;
    box.buttons = platform::MsgButtons::YesNo;
    box.icon = platform::MsgIcon::Question;
    if (!exists) {
        //: The title of the question whether to make the destination folder.
        box.title = tr("Ei kansiota");
        //: %1 is the destination folder. Answered with Yes or No.
        box.text = tr("Kansiota %1 ei ole olemassa.\n\nHaluatko luoda sen?").arg(m.TargetFolder);
        box.defaultButton = platform::MsgDefault::First;
    } else {
        //: The title of the question whether to install into a folder that is there already.
        box.title = tr("Kansio jo olemassa");
        //: %1 is the destination folder. Answered with Yes or No; the line break keeps the box narrow.
        box.text = tr("Kansio %1 on jo olemassa.\n\nHaluatko korvata siellä mahdollisesti olevat samannimiset\n"
                      "tiedostot?")
                       .arg(m.TargetFolder);
        box.defaultButton = platform::MsgDefault::Second;
    }
    if (platform::messageBox(box, this) != MsgAnswer::Yes)
        return;
    m.CreateTargetFolder = !exists;
    m.goTo(this, &m.vaihe3());
}

} // namespace vuska::setup
