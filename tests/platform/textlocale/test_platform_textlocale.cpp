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
        QTest::addColumn<QString>("before"); // LC_ALL/LC_CTYPE/LANG; "-" for unset
        QTest::addColumn<QString>("after");
        QTest::newRow("no locale at all (env -i)") << "-/-/-" << "-/C.UTF-8/-";
        QTest::newRow("LANG=C") << "-/-/C" << "-/C.UTF-8/C";
        QTest::newRow("LC_ALL=POSIX outranks the rest") << "POSIX/-/C.UTF-8" << "C.UTF-8/-/C.UTF-8";
        QTest::newRow("a UTF-8 locale is kept") << "-/-/C.UTF-8" << "-/-/C.UTF-8";
    }

    // Whatever locale the program is started in, its character locale ends up UTF-8, and stays
    // so when the locale is read again from the environment (as QApplication does); a UTF-8
    // locale of the caller's is not touched.
    void characterLocaleBecomesUtf8()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        const QStringList set = before.split(u'/');
        for (int i = 0; i < 3; ++i)
            set[i] == QLatin1String("-") ? qunsetenv(Variables[i]) : qputenv(Variables[i], set[i].toLatin1());
        platform::useUtf8CharacterLocale();
        std::setlocale(LC_ALL, "");
        QCOMPARE(QByteArray(nl_langinfo(CODESET)), QByteArray("UTF-8"));
        QStringList now;
        for (const char* variable : Variables)
            now << (qEnvironmentVariableIsSet(variable) ? qEnvironmentVariable(variable) : QStringLiteral("-"));
        QCOMPARE(now.join(u'/'), after);
    }
};

VUSKA_TEST_MAIN(TestPlatformTextLocale)
#include "test_platform_textlocale.moc"
