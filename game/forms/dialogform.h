#pragma once

#include <QDialog>

namespace vuska {

// A dialog laid out in twips like its original design: a fixed dialog border, no minimise
// or maximise button, no taskbar entry, opening centred on the screen.
class DialogForm : public QDialog {
public:
    DialogForm(const QString& objectName, const QString& caption, int clientWidthTwips, int clientHeightTwips,
               QWidget* parent);

    // Places a control at a twips rectangle inside its parent (the dialog or a frame).
    static void place(QWidget* control, int left, int top, int width, int height);
    static int pixelsX(int twips);
    static int pixelsY(int twips);

    // Centred on the screen before the window appears, so that it never jumps.
    void setVisible(bool visible) override;
};

} // namespace vuska
