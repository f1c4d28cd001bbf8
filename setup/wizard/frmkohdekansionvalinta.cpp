#include "setup/wizard/frmkohdekansionvalinta.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/drives.h"
#include "platform/messagebox.h"
#include "platform/pointer.h"
#include "setup/wizard/folderlist.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

using platform::ScreenPointer;
using platform::drives::DriveError;

frmKohdekansionValinta::frmKohdekansionValinta(mdlVuskanAsennus& installer, QWidget* parent)
    : platform::DialogForm(QStringLiteral("frmKohdekansionValinta"),
                           //: The title of the folder chooser that the Browse button opens.
                           tr("Valitse kohdekansio"), 6630, 4245, parent),
      installer_(installer)
{
    //: The label of the folder's text box: one line of about 50 characters. Its access key must
    //: differ from the OK and Cancel buttons'.
    lblTeksti_ = new QLabel(tr("&Kansio, jonne haluat asentaa:"), this);
    lblTeksti_->setObjectName(QStringLiteral("lblTeksti"));
    lblTeksti_->setTextFormat(Qt::PlainText);
    place(lblTeksti_, 120, 120, 4935, 255);

    txtKohdekansio_ = new QLineEdit(this);
    txtKohdekansio_->setObjectName(QStringLiteral("txtKohdekansio"));
    place(txtKohdekansio_, 120, 390, 4935, 315);
    lblTeksti_->setBuddy(txtKohdekansio_);
    connect(txtKohdekansio_, &QLineEdit::textChanged, this, &frmKohdekansionValinta::txtKohdekansio_Change);

    dirKansiot_ = new FolderList(this);
    dirKansiot_->setObjectName(QStringLiteral("dirKansiot"));
    //: Screen reader's name of the list of folders.
    dirKansiot_->setAccessibleName(tr("Kansiot"));
    place(dirKansiot_, 120, 825, 4935, 2775);
    connect(dirKansiot_, &FolderList::changed, this, &frmKohdekansionValinta::dirKansiot_Change);

    drvAsemat_ = new QComboBox(this);
    drvAsemat_->setObjectName(QStringLiteral("drvAsemat"));
    place(drvAsemat_, 120, 3720, 4935, 345);
    // Qt on Linux names a combo box by the item it shows and leaves what the box is to the label
    // whose buddy it is; the window shows no label here, so one that stays hidden tells it.
    //: Screen reader's name of the list of drives (never shown).
    auto* lblAsemat = new QLabel(tr("Asemat"), this);
    lblAsemat->setObjectName(QStringLiteral("lblAsemat"));
    lblAsemat->setBuddy(drvAsemat_);
    lblAsemat->hide();
    connect(drvAsemat_, &QComboBox::currentIndexChanged, this, &frmKohdekansionValinta::drvAsemat_Change);

    cmdPainike_ = platform::buttonColumn<2>(this,
                                            {
                                                //: Button: takes the folder. About 12 characters.
                                                tr("OK"),
                                                //: Button: closes the chooser. No access key: Esc presses it.
                                                tr("Peruuta"),
                                            },
                                            5175, {390, 870}, [this](int index) { cmdPainike_Click(index); });
    cmdPainike_[0]->setDefault(true);

    QWidget::setTabOrder(txtKohdekansio_, dirKansiot_);
    QWidget::setTabOrder(dirKansiot_, drvAsemat_);
    QWidget::setTabOrder(drvAsemat_, cmdPainike_[0]);
    QWidget::setTabOrder(cmdPainike_[0], cmdPainike_[1]);
    txtKohdekansio_->setFocus();
}

void frmKohdekansionValinta::Form_Load()
{
    platform::setScreenPointer(ScreenPointer::Default);
    {
        const QSignalBlocker quiet(drvAsemat_);
        drvAsemat_->clear();
        for (const platform::drives::Drive& drive : platform::drives::driveList())
            drvAsemat_->addItem(QString(drive.letter.toLower()) + u':', QString(drive.letter));
    }

    QStringList candidates{platform::drives::toWindows(QDir::currentPath()),
                           QStringLiteral("C:\\Program Files"), QStringLiteral("C:\\")};
    for (const platform::drives::Drive& drive : platform::drives::driveList())
        candidates.append(platform::drives::currentFolder(drive.letter));
    {
        // The text box takes the first path below, by the change event, as the path is set.
        const QSignalBlocker quiet(dirKansiot_);
        for (const QString& candidate : candidates)
            if (!candidate.isEmpty() && dirKansiot_->setPath(candidate) == DriveError::None)
                break;
    }
    showDriveOfPath();
    txtKohdekansio_->setText(dirKansiot_->path());
    txtKohdekansio_Change();
}

void frmKohdekansionValinta::showDriveOfPath()
{
    const QString path = dirKansiot_->path();
    if (path.isEmpty())
        return;
    const QSignalBlocker quiet(drvAsemat_);
    drvAsemat_->setCurrentIndex(drvAsemat_->findData(QString(path.front().toUpper())));
}

void frmKohdekansionValinta::drvAsemat_Change()
{
    const QString letter = drvAsemat_->currentData().toString();
    if (letter.isEmpty())
        return;
    // A drive opens at its current folder; one that has gone since opens at the root.
    DriveError error = platform::drives::check(letter.front());
    if (error == DriveError::None) {
        error = dirKansiot_->setPath(platform::drives::currentFolder(letter.front()));
        if (error == DriveError::Other)
            error = dirKansiot_->setPath(letter + QStringLiteral(":\\"));
    }
    if (error == DriveError::None)
        return;
    platform::MessageBoxRequest box;
    //: The title of an error message.
    box.title = tr("Virhe");
    box.icon = platform::MsgIcon::Exclamation;
    switch (error) {
    //: The drive chosen is a removable one with nothing in it (its folder is not there).
    case DriveError::NoMedium: box.text = tr("Asemassa ei ole levyä."); break;
    //: The drive chosen cannot be read (no permission, a read error).
    case DriveError::NotReady: box.text = tr("Asema ei ole valmiustilassa."); break;
    //: The drive chosen is not in the drive map.
    default: box.text = tr("Asemaa ei voi valita."); break;
    }
    platform::messageBox(box, this);
}

void frmKohdekansionValinta::dirKansiot_Change()
{
    txtKohdekansio_->setText(dirKansiot_->path());
}

void frmKohdekansionValinta::txtKohdekansio_Change()
{
    cmdPainike_[0]->setEnabled(!txtKohdekansio_->text().isEmpty());
}

void frmKohdekansionValinta::cmdPainike_Click(int index)
{
    if (index == 0) {
        platform::setScreenPointer(ScreenPointer::Hourglass);
        installer_.vaihe2().txtKohdekansio()->setText(txtKohdekansio_->text());
        QDialog::accept();
        platform::setScreenPointer(ScreenPointer::Default);
    } else if (index == 1) {
        QDialog::reject();
    }
}

void frmKohdekansionValinta::reject()
{
    cmdPainike_Click(1);
}

} // namespace vuska::setup
