#include "tests/support/layoutcheck.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QWidget>

namespace vuska::test {

namespace {

QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

void checkText(const QWidget* w, QStringList& faults)
{
    const QSize size = w->size();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return;
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(size.width());
            if (needed > size.height())
                faults << QStringLiteral("%1: needs %2 px of height, has %3")
                              .arg(nameOf(w)).arg(needed).arg(size.height());
            // A single word longer than the line would be cut, whatever the height.
            static const QRegularExpression blanks(QStringLiteral("\\s+"));
            const QStringList words = label->text().split(blanks, Qt::SkipEmptyParts);
            for (const QString& word : words)
                if (label->fontMetrics().horizontalAdvance(word) > size.width())
                    faults << QStringLiteral("%1: the word \"%2\" is wider than the label").arg(nameOf(w), word);
        } else if (label->sizeHint().width() > size.width() || label->sizeHint().height() > size.height()) {
            faults << QStringLiteral("%1: needs %2x%3, has %4x%5").arg(nameOf(w)).arg(label->sizeHint().width())
                          .arg(label->sizeHint().height()).arg(size.width()).arg(size.height());
        }
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        QSize hint = button->sizeHint();
        // An option's caption needs its line of text in height; the hint adds a margin around
        // the indicator that the classic option rows were never given.
        if (qobject_cast<const QRadioButton*>(w) || qobject_cast<const QCheckBox*>(w))
            hint.setHeight(button->fontMetrics().height());
        if (hint.width() > size.width() || hint.height() > size.height())
            faults << QStringLiteral("%1: needs %2x%3, has %4x%5").arg(nameOf(w)).arg(hint.width()).arg(hint.height())
                          .arg(size.width()).arg(size.height());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
        if (group->fontMetrics().horizontalAdvance(group->title()) + 16 > size.width())
            faults << QStringLiteral("%1: the title is wider than the frame").arg(nameOf(w));
    }
}

void checkChildren(const QWidget* parent, QStringList& faults)
{
    QList<const QWidget*> children;
    for (const QObject* object : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(object);
        if (!w || w->isWindow() || w->isHidden())
            continue;
        children << w;
        checkText(w, faults);
        if (!parent->rect().contains(w->geometry()))
            faults << QStringLiteral("%1 reaches out of %2").arg(nameOf(w), nameOf(parent));
    }
    // Layouts in twips meet at a pixel's rounding: sharing one row or column of pixels is no overlap.
    const auto overlap = [](const QRect& a, const QRect& b) {
        const QRect both = a.intersected(b);
        return both.width() > 1 && both.height() > 1;
    };
    for (qsizetype i = 0; i < children.size(); ++i)
        for (qsizetype j = i + 1; j < children.size(); ++j)
            if (overlap(children[i]->geometry(), children[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(nameOf(children[i]), nameOf(children[j]));
    // Controls inside frames, not the inner parts of composite controls.
    for (const QWidget* child : children)
        if (qobject_cast<const QGroupBox*>(child))
            checkChildren(child, faults);
}

} // namespace

QStringList layoutFaults(const QWidget* window)
{
    QStringList faults;
    checkChildren(window, faults);
    return faults;
}

} // namespace vuska::test
