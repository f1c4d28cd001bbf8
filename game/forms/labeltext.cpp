#include "game/forms/labeltext.h"

#include <QLabel>

namespace vuska {

void showCutToFit(QLabel* label, const QString& text, Qt::TextElideMode mode)
{
    const QString shown = label->fontMetrics().elidedText(text, mode, label->width());
    label->setText(shown);
    // A tip takes markup, so the text goes in escaped: it shows as it is.
    label->setToolTip(shown == text ? QString()
                                    : QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
                                          QStringLiteral("</p>"));
}

} // namespace vuska
