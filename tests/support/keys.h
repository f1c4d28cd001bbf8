#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace vuska::test {

// A key pressed where the keyboard focus is, as a user presses it.
inline void press(Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target, "no widget has the keyboard focus");
    QTest::keyClick(target, key);
}

} // namespace vuska::test
