#pragma once

#include <array>
#include <initializer_list>

#include "platform/twipsdialog.h"
#include "platform/unloadmode.h"

class QFrame;
class QLabel;
class QPushButton;

namespace vuska::setup {

class mdlVuskanAsennus;

// What the wizard's pages and the removal window share: the side picture at the left and the
// line (Frame1) above the row of buttons, in a window of the pages' size.
QLabel* addSidePicture(QWidget* window, const QString& objectName);
QFrame* addButtonLine(QWidget* window);

// What every wizard page has: the program's title as its caption, the side picture, the
// frame line above the buttons, and the row of command buttons cmdPainike: 0 "Peruuta" (the
// cancel button: Esc), 1 "< &Edellinen", 2 the next button (the default: Enter when no button
// has the focus), and on step 2 also 3 "&Selaa...". A focused button takes Enter itself.
// Pages are shown modeless, one at a time, at the position the navigation gives them.
class WizardPage : public platform::DialogForm {
    Q_OBJECT
public:
    // The client area of every page, in twips.
    static constexpr int WidthTwips = 7440;
    static constexpr int HeightTwips = 5625;
    // Where the page's own controls go, right of the picture.
    static constexpr int ContentLeft = 2820;
    static constexpr int ContentWidth = 4500;

    WizardPage(mdlVuskanAsennus& installer, const QString& objectName, const QString& nextCaption,
               const QString& pictureName = QStringLiteral("pTaustakuva"));

    // The button of an index, or nothing when the page has none there.
    QPushButton* cmdPainike(int index) const;
    QLabel* picture() const { return picture_; }
    QFrame* Frame1() const { return Frame1_; }

    virtual void cmdPainike_Click(int index) = 0;
    // The close guard: true cancels the close. Steps 0 to 4 ask whether to abandon the
    // installation and end the program on Yes; the program's own unload is never asked about.
    virtual bool Form_QueryUnload(platform::UnloadMode mode);

protected:
    mdlVuskanAsennus& installer() const { return installer_; }
    // A static label of the page (lblTeksti_<index>), plain text, wrapped within the
    // content column from `top`, `height` twips high.
    QLabel* addLabel(int index, const QString& text, int top, int height);
    // The caption of the next button of steps 0, 2, 3 and 4, one text for all of them.
    static QString nextButtonText();
    // Tab goes through the page's own controls in this order, then the buttons from left to
    // right; `first` has the focus when the page is first shown.
    void setTabOrder(std::initializer_list<QWidget*> controls, QWidget* first);

    void closeEvent(QCloseEvent* event) override;
    // Esc presses Peruuta (which does nothing while it is disabled).
    void reject() override;

    std::array<QPushButton*, 4> cmdPainike_{};

private:
    mdlVuskanAsennus& installer_;
    QLabel* picture_ = nullptr;
    QFrame* Frame1_ = nullptr;
};

} // namespace vuska::setup
