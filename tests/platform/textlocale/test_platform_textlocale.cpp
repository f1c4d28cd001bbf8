#include <clocale>
#include <cstring>

#include <langinfo.h>

#include <QTest>

#include "platform/textlocale.h"
#include "tests/support/sandbox.h"

class TestPlatformTextLocale : public QObject {
    Q_OBJECT

    QByteArray saved_[3];
    static constexpr const char* Variables[3] = {"LC_ALL", "LC_CTYPE", "LANG"};

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 3; ++i)
            saved_[i] = qgetenv(Variables[i]);
    }
    void cleanupTestCase()
    {
        for (int i = 0; i < 3; ++i)
            saved_[i].isNull() ? qunsetenv(Variables[i]) : qputenv(Variables[i], saved_[i]);
        std::setlocale(LC_ALL, "");
    }

    void characterLocaleBecomesUtf8_data()
    {
        QTest::addColumn<QString>("given"); // LC_ALL/LC_CTYPE/LANG; "-" for unset
        QTest::newRow("no locale at all (env -i)") << "-/-/-";
        QTest::newRow("LANG=C") << "-/-/C";
        QTest::newRow("LC_ALL=POSIX outranks the rest") << "POSIX/-/C.UTF-8";
        QTest::newRow("a UTF-8 locale") << "-/-/C.UTF-8";
    }

    // Whatever locale the program is started in, its own character locale ends up UTF-8, while
    // the environment, which the programs it starts inherit, stays as it was given.
    void characterLocaleBecomesUtf8()
    {
        QFETCH(QString, given);
        const QStringList set = given.split(u'/');
        for (int i = 0; i < 3; ++i)
            set[i] == QLatin1String("-") ? qunsetenv(Variables[i]) : qputenv(Variables[i], set[i].toLatin1());
        std::setlocale(LC_ALL, ""); // as QApplication does
        platform::useUtf8CharacterLocale();
        QCOMPARE(QByteArray(nl_langinfo(CODESET)), QByteArray("UTF-8"));
        QStringList now;
        for (const char* variable : Variables)
            now << (qEnvironmentVariableIsSet(variable) ? qEnvironmentVariable(variable) : QStringLiteral("-"));
        QCOMPARE(now.join(u'/'), given);
    }
};

VUSKA_TEST_MAIN(TestPlatformTextLocale)
#include "test_platform_textlocale.moc"
