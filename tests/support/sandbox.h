#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace vuska::test {

// Points HOME and the XDG folders at a fresh temporary folder for the whole test program,
// so that no test reads or writes the user's own registry store or menus, and the XDG system
// folders at their defaults, so that none depends on the caller's desktop session; sets the
// usual file mode mask, 022.
class Sandbox {
public:
    Sandbox();
    QString root() const { return dir_.path(); }
    QString configHome() const { return dir_.path() + QStringLiteral("/config"); }

private:
    QTemporaryDir dir_;
};

} // namespace vuska::test

// Like QTEST_MAIN, inside a sandbox and with a QApplication on the offscreen platform.
#define VUSKA_TEST_MAIN(TestClass)                                                     \
    int main(int argc, char** argv)                                                    \
    {                                                                                  \
        vuska::test::Sandbox sandbox;                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                   \
        QApplication app(argc, argv);                                                  \
        TestClass tc;                                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                                     \
        return QTest::qExec(&tc, argc, argv);                                          \
    }
