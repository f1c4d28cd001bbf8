#pragma once

#include <QStringList>

class QWidget;

namespace vuska::test {

// What a keyboard or screen-reader user would miss in a shown window: a control that Tab,
// pressed from the control that has the focus (else the first one), never reaches or cannot
// leave; Shift+Tab not going back the same way; a control Tab can reach, a picture or a
// progress bar without an accessible name, or with an access key's "&" in it; and a combo box
// without a label (its name is only the item it shows). One line each,
// naming the control; empty when all is well. The window is activated first, and the keyboard
// focus is left where the walk began.
QStringList accessibilityFaults(QWidget* window);

} // namespace vuska::test
