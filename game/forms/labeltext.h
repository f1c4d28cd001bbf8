#pragma once

#include <QString>
#include <Qt>

class QLabel;

namespace vuska {

// Shows a text that may be longer than its label: cut with an ellipsis where the label's
// width ends, and then shown whole, as plain text, as the label's tip.
void showCutToFit(QLabel* label, const QString& text, Qt::TextElideMode mode = Qt::ElideRight);

} // namespace vuska
