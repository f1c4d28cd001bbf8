#include "tests/support/accessiblewindow.h"

#include <algorithm>

#include <QAccessible>
#include <QApplication>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

namespace vuska::test {

namespace {

QString nameOf(const QWidget* w)
{
    const QString type = QString::fromLatin1(w->metaObject()->className());
    return w->objectName().isEmpty() ? type : w->objectName() + QStringLiteral(" (") + type + u')';
}

// A control Tab may land on: shown, enabled, and taking the focus by Tab itself rather than
// handing it to a proxy.
bool takesTab(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && !w->focusProxy() &&
           (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// What shows something without text of its own: a reader has only its name to go by.
bool isPicture(const QWidget* w)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w));
    return w->isVisible() && a && (a->role() == QAccessible::Graphic || a->role() == QAccessible::ProgressBar);
}

// A combo box's name is the item it shows; a reader says what the box is from its label.
bool hasLabel(QAccessibleInterface* a)
{
    for (const auto& [label, relation] : a->relations(QAccessible::Label))
        if (!label->text(QAccessible::Name).trimmed().isEmpty())
            return true;
    return false;
}

// The controls the focus visits from `start` by pressing Tab (or Shift+Tab), until it is
// back at `start`; at most `limit` presses, so that a focus that never comes back cannot
// hold the test.
QList<QWidget*> walk(QWidget* start, bool backwards, qsizetype limit, QStringList& faults)
{
    const QString key = backwards ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab");
    QList<QWidget*> visited{start};
    for (qsizetype i = 0; i < limit; ++i) {
        QWidget* from = QApplication::focusWidget();
        if (backwards)
            QTest::keyClick(from, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(from, Qt::Key_Tab);
        QWidget* to = QApplication::focusWidget();
        if (to == start)
            return visited;
        if (!to || to == from || to->window() != start->window()) {
            faults << QStringLiteral("%1 in %2 does not move the focus to another control of the window")
                          .arg(key, nameOf(from));
            return visited;
        }
        visited << to;
    }
    faults << QStringLiteral("%1 from %2 does not come back to it").arg(key, nameOf(start));
    return visited;
}

QStringList names(const QList<QWidget*>& widgets)
{
    QStringList out;
    for (const QWidget* w : widgets)
        out << nameOf(w);
    return out;
}

} // namespace

QStringList accessibilityFaults(QWidget* window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {QStringLiteral("%1 does not become the active window").arg(nameOf(window))};

    QStringList faults;
    QList<QWidget*> controls;
    static const QRegularExpression accessKey(QStringLiteral("&\\w"));
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window)
            continue;
        if (takesTab(w))
            controls << w;
        else if (!isPicture(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty())
            faults << QStringLiteral("%1 has no accessible name").arg(nameOf(w));
        else if (a->role() == QAccessible::ComboBox && !hasLabel(a))
            faults << QStringLiteral("%1 has no label: a reader calls it by the item it shows").arg(nameOf(w));
        else if (name.contains(accessKey))
            faults << QStringLiteral("%1's accessible name \"%2\" holds an access key").arg(nameOf(w), name);
    }
    if (controls.isEmpty())
        return faults;

    QWidget* start = QApplication::focusWidget();
    if (!controls.contains(start)) {
        start = controls.first();
        start->setFocus(Qt::TabFocusReason);
    }
    const QList<QWidget*> forward = walk(start, false, controls.size() + 1, faults);
    // Tab stops once in a group of radio buttons, on the chosen one; the arrows move in it.
    const auto groupReached = [&forward](const QWidget* w) {
        const auto* radio = qobject_cast<const QRadioButton*>(w);
        return radio && radio->autoExclusive() && std::any_of(forward.begin(), forward.end(), [radio](const QWidget* v) {
                   return qobject_cast<const QRadioButton*>(v) && v->parentWidget() == radio->parentWidget();
               });
    };
    for (QWidget* w : controls)
        if (!forward.contains(w) && !groupReached(w))
            faults << QStringLiteral("Tab never reaches %1").arg(nameOf(w));
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget*> backward = walk(start, true, controls.size() + 1, faults);
    std::reverse(backward.begin() + 1, backward.end());
    if (backward != forward)
        faults << QStringLiteral("Shift+Tab does not go back the way Tab went: Tab %1; Shift+Tab, reversed, %2")
                      .arg(names(forward).join(QStringLiteral(", ")), names(backward).join(QStringLiteral(", ")));
    start->setFocus(Qt::TabFocusReason);
    return faults;
}

} // namespace vuska::test
