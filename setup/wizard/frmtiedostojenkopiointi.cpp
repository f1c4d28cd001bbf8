#include "setup/wizard/frmtiedostojenkopiointi.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/registration.h"

namespace vuska::setup {

namespace {
constexpr int WidthTwips = 6135;
constexpr int HeightTwips = 1635;
} // namespace

frmTiedostojenKopiointi::frmTiedostojenKopiointi(mdlVuskanAsennus& installer, QWidget* parent,
                                                 platform::installfiles::FileSystem& fs,
                                                 std::span<const InstallFile> files)
    : DialogForm(QStringLiteral("frmTiedostojenKopiointi"),
                 //: The title of the window that shows the copying of the files.
                 tr("Kopioidaan tiedostoja"), WidthTwips, HeightTwips, parent),
      installer_(installer),
      sequence_(
          CopyWindowHooks{
              [this](const QString& text) { setStatus(lblKopioitava_, text); },
              [this](const QString& text) { setStatus(lblKohdekansio_, text); },
              [this](int value) { pbPalkki_->setValue(std::min(value, pbPalkki_->maximum())); },
              [] { QCoreApplication::processEvents(); },
              [this](const platform::MessageBoxRequest& request) { return platform::messageBox(request, this); }},
          [this] {
              return RegisterInstallation({installer_.TargetFolder, installer_.CreateTargetFolder,
                                           installer_.ProgramGroup, installer_.CreateProgramGroup,
                                           installer_.NoProgramGroup},
                                          CopyWindowHooks{
                                              [this](const QString& text) { setStatus(lblKopioitava_, text); },
                                              [this](const QString& text) { setStatus(lblKohdekansio_, text); },
                                              {},
                                              [] { QCoreApplication::processEvents(); },
                                              [this](const platform::MessageBoxRequest& request) {
                                                  return platform::messageBox(request, this);
                                              }});
          },
          fs, files)
{
    lblKopioitava_ = new QLabel(this);
    lblKopioitava_->setObjectName(QStringLiteral("lblKopioitava"));
    lblKopioitava_->setTextFormat(Qt::PlainText);
    place(lblKopioitava_, 120, 120, WidthTwips - 240, 255);
    lblKohdekansio_ = new QLabel(this);
    lblKohdekansio_->setObjectName(QStringLiteral("lblKohdekansio"));
    lblKohdekansio_->setTextFormat(Qt::PlainText);
    place(lblKohdekansio_, 120, 420, WidthTwips - 240, 255);
    pbPalkki_ = new QProgressBar(this);
    pbPalkki_->setObjectName(QStringLiteral("pbPalkki"));
    //: Screen reader's name of the progress bar of the copy.
    pbPalkki_->setAccessibleName(tr("Kopioinnin edistyminen"));
    pbPalkki_->setRange(0, 58);
    pbPalkki_->setValue(0);
    pbPalkki_->setTextVisible(false);
    place(pbPalkki_, 120, 900, WidthTwips - 240, 375);

    tmrAjastin_ = new QTimer(this);
    tmrAjastin_->setObjectName(QStringLiteral("tmrAjastin"));
    tmrAjastin_->setInterval(100);
    connect(tmrAjastin_, &QTimer::timeout, this, &frmTiedostojenKopiointi::tmrAjastin_Timer);
    tmrAjastin_->start();
}

void frmTiedostojenKopiointi::showModal()
{
    installer_.setCopyWindow(this);
    exec();
    installer_.setCopyWindow(nullptr);
}

void frmTiedostojenKopiointi::setStatus(QLabel* label, const QString& text)
{
    // A long path keeps its beginning and its end, the file's name; the whole line is its tip.
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideMiddle, label->width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

void frmTiedostojenKopiointi::showEvent(QShowEvent* event)
{
    DialogForm::showEvent(event);
    // The work starts once the window is up and drawn.
    QTimer::singleShot(0, this, &frmTiedostojenKopiointi::Form_GotFocus);
}

bool frmTiedostojenKopiointi::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &frmTiedostojenKopiointi::Form_GotFocus);
    return DialogForm::event(event);
}

void frmTiedostojenKopiointi::Form_GotFocus()
{
    // It runs, or has run, for this showing.
    if (!isVisible() || installer_.unloading() || sequence_.started())
        return;
    installer_.setCopyWorking(true);
    const std::optional<CopySequence::Result> result =
        sequence_.run(installer_.SourceFolder, installer_.TargetFolder, installer_.CreateTargetFolder);
    installer_.setCopyWorking(false);
    if (!result)
        return;
    // A request to end that came while the work ran is honoured now that nothing is half done.
    if (installer_.endPending()) {
        KaikkiValmista = true;
        tmrAjastin_->stop();
        installer_.unloadAllAndEnd();
        return;
    }
    switch (*result) {
    case CopySequence::Result::Done:
        KaikkiValmista = true;
        break;
    case CopySequence::Result::BackToStep2:
        KaikkiValmista = true;
        tmrAjastin_->stop();
        done(QDialog::Rejected);
        installer_.returnToTargetFolderPage();
        break;
    case CopySequence::Result::EndProgram:
        KaikkiValmista = true;
        tmrAjastin_->stop();
        installer_.unloadAllAndEnd();
        break;
    }
}

bool frmTiedostojenKopiointi::Form_QueryUnload() const
{
    return !KaikkiValmista && !installer_.unloading();
}

void frmTiedostojenKopiointi::tmrAjastin_Timer()
{
    if (!KaikkiValmista)
        return;
    tmrAjastin_->stop();
    done(QDialog::Accepted);
    installer_.showFinishedPage();
}

void frmTiedostojenKopiointi::closeEvent(QCloseEvent* event)
{
    if (Form_QueryUnload()) {
        event->ignore();
        return;
    }
    DialogForm::closeEvent(event);
}

void frmTiedostojenKopiointi::reject()
{
    // Esc is a close request like any other.
    if (!Form_QueryUnload())
        DialogForm::reject();
}

} // namespace vuska::setup
