#include "setup/wizard/wizardpage.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "platform/lifetime.h"
#include "platform/picture.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/programinfo.h"

namespace vuska::setup {

using platform::UnloadMode;

QLabel* addSidePicture(QWidget* window, const QString& objectName)
{
    auto* picture = new QLabel(window);
    picture->setObjectName(objectName);
    // The picture only decorates, but a reader that meets a nameless picture says so; a name
    // tells what it is, and QLabel has no way to leave itself out of the tree.
    //: Read out by a screen reader for the picture at the left of every setup window.
    picture->setAccessibleName(
        QCoreApplication::translate("vuska::setup::WizardPage", "Vuskan kuva: neljä pelikorttia viuhkana"));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(2);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(platform::designPicture(QStringLiteral(":/asennus/asennus.jpg"), QSize(164, 314)));
    platform::DialogForm::place(picture, 120, 120, 2520, 4770);
    return picture;
}

QFrame* addButtonLine(QWidget* window)
{
    auto* line = new QFrame(window);
    line->setObjectName(QStringLiteral("Frame1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    platform::DialogForm::place(line, 120, 5010, 7200, 30);
    return line;
}

WizardPage::WizardPage(mdlVuskanAsennus& installer, const QString& objectName, const QString& nextCaption,
                       const QString& pictureName)
    : platform::DialogForm(objectName, programTitle(), WidthTwips, HeightTwips, nullptr,
                           platform::DialogPlacement::AsPlaced),
      installer_(installer)
{
    picture_ = addSidePicture(this, pictureName);
    Frame1_ = addButtonLine(this);

    // The buttons are 1335 twips wide (89 pixels at 96 dpi); Esc is the cancel button's key.
    const QString captions[3] = {
        //: Button: abandons the installation (after a question). No access key: Esc presses it.
        tr("Peruuta"),
        //: Button: back to the previous page. Short: the button is about 12 characters wide.
        tr("< &Edellinen"),
        nextCaption,
    };
    const int lefts[3] = {5985, 3135, 4470};
    for (int i = 0; i < 3; ++i) {
        cmdPainike_[size_t(i)] =
            platform::commandButton(this, i, captions[i], [this](int index) { cmdPainike_Click(index); });
        place(cmdPainike_[size_t(i)], lefts[i], 5130, 1335, 375);
    }
    cmdPainike_[2]->setDefault(true);
}

QPushButton* WizardPage::cmdPainike(int index) const
{
    return index >= 0 && index < int(cmdPainike_.size()) ? cmdPainike_[size_t(index)] : nullptr;
}

QString WizardPage::nextButtonText()
{
    //: Button: on to the next page. Short: the button is about 12 characters wide.
    return tr("&Seuraava >");
}

QLabel* WizardPage::addLabel(int index, const QString& text, int top, int height)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lblTeksti_%1").arg(index));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, ContentLeft, top, ContentWidth, height);
    return label;
}

void WizardPage::setTabOrder(std::initializer_list<QWidget*> controls, QWidget* first)
{
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (!next)
            return;
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (QWidget* control : controls)
        chain(control);
    for (const int index : {3, 1, 2, 0})
        chain(cmdPainike(index));
    if (first)
        first->setFocus();
}

bool WizardPage::Form_QueryUnload(UnloadMode mode)
{
    if (mode == UnloadMode::FormCode || installer_.unloading() || platform::lifetime::ending())
        return false;
    if (!installer_.askCancelSetup())
        return true;
    installer_.unloadAllAndEnd();
    return false;
}

void WizardPage::closeEvent(QCloseEvent* event)
{
    // Never QDialog's own handling: that would reject, which hides the page and leaves the
    // program running with no window.
    if (Form_QueryUnload(UnloadMode::FormControlMenu))
        event->ignore();
    else
        event->accept();
}

void WizardPage::reject()
{
    cmdPainike_[0]->click();
}

} // namespace vuska::setup
