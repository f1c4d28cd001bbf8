#include "platform/desktopentry.h"
#include "tests/support/execline.h"
#include "tests/support/sandbox.h"

#include <QProcess>
#include <QStandardPaths>

using namespace platform::desktopentry;

namespace {

// Argument lists that exercise every quoting and escaping rule at once.
void addAwkwardArgvRows()
{
    QTest::addColumn<QStringList>("argv");
    QTest::newRow("plain") << QStringList{QStringLiteral("/usr/games/vuska.exe")};
    QTest::newRow("blanks") << QStringList{QStringLiteral("/home/u/Program Files/Vuska/vuska.exe")};
    QTest::newRow("percent") << QStringList{QStringLiteral("/p/100% peli/%f.exe"),
                                            QStringLiteral("%%")};
    QTest::newRow("dollar and backquote")
        << QStringList{QStringLiteral("/p/$HOME/`id`/$(id)/x.exe")};
    QTest::newRow("quotes") << QStringList{QStringLiteral("/p/it's \"quoted\"/x.exe")};
    QTest::newRow("backslashes") << QStringList{QStringLiteral("/p/a\\b/c\\\\d/\\/x.exe"),
                                                QStringLiteral("\\")};
    QTest::newRow("non-ASCII") << QStringList{QStringLiteral("/p/Äänet ja öljy/€/x.exe")};
    QTest::newRow("shell metacharacters")
        << QStringList{QStringLiteral("/p/a;b&c|d<e>f(g)h#i~j*k?l=m/x.exe")};
    QTest::newRow("env and arguments")
        << QStringList{QStringLiteral("env"), QStringLiteral("VUSKA_HELP=contents"),
                       QStringLiteral("/p/a b/vuska.exe"), QString(), QStringLiteral(" ")};
    QTest::newRow("blanks at the ends")
        << QStringList{QStringLiteral(" /p/x.exe "), QStringLiteral("  ")};
}

} // namespace

class TestDesktopEntry : public QObject {
    Q_OBJECT

private slots:
    // A value written for a desktop entry reads back as the text it came from.
    void escapeValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << QStringLiteral("Vuska") << QStringLiteral("Vuska");
        QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("a\\\\b");
        QTest::newRow("newline tab return")
            << QStringLiteral("a\nb\tc\rd") << QStringLiteral("a\\nb\\tc\\rd");
        QTest::newRow("inner blanks stay")
            << QStringLiteral("Vuska  ohje") << QStringLiteral("Vuska  ohje");
        QTest::newRow("blanks at the ends")
            << QStringLiteral("  Vuska ") << QStringLiteral("\\s\\sVuska\\s");
        QTest::newRow("only blanks") << QStringLiteral("  ") << QStringLiteral("\\s\\s");
        QTest::newRow("percent and semicolon")
            << QStringLiteral("100%;") << QStringLiteral("100%;");
        QTest::newRow("non-ASCII") << QStringLiteral("Äänet €") << QStringLiteral("Äänet €");
        QTest::newRow("empty") << QString() << QString();
    }
    void escapeValue()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(platform::desktopentry::escapeValue(text), escaped);
        QCOMPARE(platform::desktopentry::unescapeValue(escaped), text);
    }

    // Escapes other writers use are read, and a backslash before anything else is kept.
    void unescapeValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("inner \\s") << QStringLiteral("a\\sb") << QStringLiteral("a b");
        QTest::newRow("unknown escape") << QStringLiteral("a\\qb") << QStringLiteral("a\\qb");
        QTest::newRow("list separator") << QStringLiteral("a\\;b") << QStringLiteral("a\\;b");
        QTest::newRow("lone backslash at the end")
            << QStringLiteral("ab\\") << QStringLiteral("ab\\");
        QTest::newRow("four backslashes") << QStringLiteral("\\\\\\\\") << QStringLiteral("\\\\");
    }
    void unescapeValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, text);
        QCOMPARE(platform::desktopentry::unescapeValue(value), text);
    }

    // Inside the quotes exactly the four characters that need it carry a backslash.
    void quoteArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << QStringLiteral("/a/b") << QStringLiteral("\"/a/b\"");
        QTest::newRow("empty") << QString() << QStringLiteral("\"\"");
        QTest::newRow("the four") << QStringLiteral("\"`$\\")
                                  << QStringLiteral("\"\\\"\\`\\$\\\\\"");
        QTest::newRow("others untouched")
            << QStringLiteral("' ;&|<>()#~*?%") << QStringLiteral("\"' ;&|<>()#~*?%\"");
    }
    void quoteArgument()
    {
        QFETCH(QString, argument);
        QFETCH(QString, quoted);
        QCOMPARE(platform::desktopentry::quoteArgument(argument), quoted);
    }

    // The Exec line comes out exactly as the rules lay it down for a few telling cases.
    void execValueExact_data()
    {
        QTest::addColumn<QStringList>("argv");
        QTest::addColumn<QString>("exec");
        QTest::newRow("blank") << QStringList{QStringLiteral("/a b/x.exe")}
                               << QStringLiteral("\"/a b/x.exe\"");
        QTest::newRow("backslash doubled twice")
            << QStringList{QStringLiteral("/a\\b")} << QStringLiteral("\"/a\\\\\\\\b\"");
        QTest::newRow("dollar") << QStringList{QStringLiteral("$H")}
                                << QStringLiteral("\"\\\\$H\"");
        QTest::newRow("percent") << QStringList{QStringLiteral("100%")}
                                 << QStringLiteral("\"100%%\"");
        QTest::newRow("env") << QStringList{QStringLiteral("env"),
                                            QStringLiteral("VUSKA_HELP=contents"),
                                            QStringLiteral("/p/vuska.exe")}
                             << QStringLiteral("\"env\" \"VUSKA_HELP=contents\" \"/p/vuska.exe\"");
    }
    void execValueExact()
    {
        QFETCH(QStringList, argv);
        QFETCH(QString, exec);
        QCOMPARE(execValue(argv), std::optional<QString>(exec));
    }

    // Whatever the folder is called, a desktop reading the Exec line by the rules runs argv.
    void execValueRoundTrip_data() { addAwkwardArgvRows(); }
    void execValueRoundTrip()
    {
        QFETCH(QStringList, argv);
        const std::optional<QString> exec = execValue(argv);
        QVERIFY(exec.has_value());
        QCOMPARE(vuska::test::parseExecLine(*exec), std::optional<QStringList>(argv));
    }

    // The POSIX shell, whose double quotes the Exec rules copy, splits the line into argv too.
    void execValueShellSplit_data() { addAwkwardArgvRows(); }
    void execValueShellSplit()
    {
        QFETCH(QStringList, argv);
        const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
        if (sh.isEmpty())
            QSKIP("no POSIX shell (sh) on PATH to split the line with");
        const std::optional<QString> exec = execValue(argv);
        QVERIFY(exec.has_value());
        QString line = platform::desktopentry::unescapeValue(*exec);
        line.replace(QLatin1String("%%"), QLatin1String("%"));

        QProcess shell;
        shell.start(sh, {QStringLiteral("-c"),
                         QLatin1String("set -- ") + line +
                             QLatin1String("; for a in \"$@\"; do printf '%s\\0' \"$a\"; done")});
        QVERIFY2(shell.waitForFinished(30000), "the shell did not finish");
        QCOMPARE(shell.exitCode(), 0);
        QStringList split = QString::fromUtf8(shell.readAllStandardOutput()).split(QChar(0));
        QCOMPARE(split.takeLast(), QString());
        QCOMPARE(split, argv);
    }

    // Nothing can be written for a command line that cannot be one.
    void execValueRefuses_data()
    {
        QTest::addColumn<QStringList>("argv");
        QTest::newRow("empty") << QStringList();
        QTest::newRow("newline") << QStringList{QStringLiteral("/a\nb")};
        QTest::newRow("tab in an argument")
            << QStringList{QStringLiteral("x"), QStringLiteral("a\tb")};
        QTest::newRow("delete") << QStringList{QStringLiteral("a\x7f")};
        QTest::newRow("NUL") << QStringList{QString(QChar(0))};
    }
    void execValueRefuses()
    {
        QFETCH(QStringList, argv);
        QCOMPARE(execValue(argv), std::nullopt);
    }

    // A file is one group header and its keys in order, each on its own line.
    void format()
    {
        const QByteArray text =
            platform::desktopentry::format(QStringLiteral("Desktop Entry"),
                                           {{QStringLiteral("Type"), QStringLiteral("Application")},
                                            {QStringLiteral("Name"), QStringLiteral("Äänet")}});
        QCOMPARE(text, QByteArray("[Desktop Entry]\nType=Application\nName=\xc3\x84\xc3\xa4net\n"));
    }

    // Reading finds the keys of the group asked for, as written, and refuses what is no entry.
    void readGroup_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QStringList>("keysAndValues");
        QTest::newRow("simple") << QByteArray("[Desktop Entry]\nName=Vuska\nExec=\"/a\\\\sb\"\n")
                                << true << QStringList{"Exec", "\"/a\\\\sb\"", "Name", "Vuska"};
        QTest::newRow("comments, blanks, CR LF")
            << QByteArray("# made here\r\n\r\n[Desktop Entry]\r\n  Name =  Vuska peli  \r\n")
            << true << QStringList{"Name", "Vuska peli"};
        QTest::newRow("other groups ignored")
            << QByteArray(
                   "[Desktop Action x]\nName=A\n[Desktop Entry]\nName=B\n[Other]\nName=C\nIcon=x\n")
            << true << QStringList{"Name", "B"};
        QTest::newRow("first of two wins")
            << QByteArray("[Desktop Entry]\nName=A\nName=B\n") << true << QStringList{"Name", "A"};
        QTest::newRow("empty value")
            << QByteArray("[Desktop Entry]\nIcon=\n") << true << QStringList{"Icon", ""};
        QTest::newRow("group missing") << QByteArray("[Other]\nName=A\n") << false << QStringList();
        QTest::newRow("not UTF-8")
            << QByteArray("[Desktop Entry]\nName=\xe4\n") << false << QStringList();
        QTest::newRow("line without '='")
            << QByteArray("[Desktop Entry]\nName\n") << false << QStringList();
        QTest::newRow("unclosed header")
            << QByteArray("[Desktop Entry\nName=A\n") << false << QStringList();
        QTest::newRow("empty file") << QByteArray() << false << QStringList();
    }
    void readGroup()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(QStringList, keysAndValues);
        const auto keys = platform::desktopentry::readGroup(text, QStringLiteral("Desktop Entry"));
        QCOMPARE(keys.has_value(), valid);
        if (!valid)
            return;
        QStringList flat;
        for (auto it = keys->cbegin(); it != keys->cend(); ++it)
            flat << it.key() << it.value();
        QCOMPARE(flat, keysAndValues);
    }

    // Control characters are what a name or path shown in a menu may not hold.
    void isPlain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::newRow("ordinary") << QStringLiteral("Vuska-ohje Ää €$`\"\\") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("newline") << QStringLiteral("a\nb") << false;
        QTest::newRow("escape") << QStringLiteral("a\x1b") << false;
        QTest::newRow("delete") << QStringLiteral("a\x7f") << false;
    }
    void isPlain()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(platform::desktopentry::isPlain(text), plain);
    }
};

VUSKA_TEST_MAIN(TestDesktopEntry)

#include "test_platform_desktopentry.moc"
