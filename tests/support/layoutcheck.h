#pragma once

#include <QStringList>

class QWidget;

namespace vuska::test {

// What a user would see cut off or drawn over in a window laid out by hand: a label, button,
// check box or frame title whose text needs more room than it has (a wrapped label: more
// height for its width), a control reaching out of its parent, or two visible controls of
// the same parent that overlap. One line each, naming the controls; empty when all is well.
QStringList layoutFaults(const QWidget* window);

} // namespace vuska::test
