#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include <QDialog>

class QPushButton;

namespace platform {

// Where a dialog window appears when it is shown.
enum class DialogPlacement {
    // Centred on the screen before it appears, so that it never jumps; modal by default.
    CentredOnScreen,
    // Where the program moved it, or where the window manager puts a new window when the
    // program never did; not modal by default.
    AsPlaced,
};

// A dialog laid out in twips like its original design: a fixed dialog border, no minimise
// or maximise button, no taskbar entry.
class DialogForm : public QDialog {
public:
    DialogForm(const QString& objectName, const QString& caption, int clientWidthTwips, int clientHeightTwips,
               QWidget* parent, DialogPlacement placement = DialogPlacement::CentredOnScreen);

    // Places a control at a twips rectangle inside its parent (the dialog or a frame).
    static void place(QWidget* control, int left, int top, int width, int height);
    static int pixelsX(int twips);
    static int pixelsY(int twips);

    DialogPlacement placement() const { return placement_; }

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DialogPlacement placement_;
};

// Button `index` of a window's row of command buttons (cmdPainike_<index>). Enter presses it
// while it has the focus, as Space does. Its click runs handler(index) only if the button is
// still enabled when the click arrives: an access key or Enter clicks a moment later, and by
// then the state that enabled the button may have changed.
QPushButton* commandButton(QWidget* parent, int index, const QString& caption, std::function<void(int)> handler);

// A column of command buttons of the usual size (1335 x 375 twips) at the given tops.
template <std::size_t N>
std::array<QPushButton*, N> buttonColumn(QWidget* parent, const std::array<QString, N>& captions, int left,
                                         const std::array<int, N>& tops, const std::function<void(int)>& handler)
{
    std::array<QPushButton*, N> buttons{};
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = commandButton(parent, int(i), captions[i], handler);
        DialogForm::place(buttons[i], left, tops[i], 1335, 375);
    }
    return buttons;
}

} // namespace platform
