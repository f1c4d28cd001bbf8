#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTest>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/drives.h"
#include "platform/pointer.h"
#include "platform/registry.h"
#include "platform/shelllinks.h"
#include "setup/wizard/registration.h"
#include "tests/support/desktopvalidator.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using platform::MessageBoxRequest;
namespace reg = platform::registry;
namespace links = platform::shelllinks;

namespace {

const QString kTarget = QStringLiteral("C:\\Program Files\\Vuska");

// From now on the store of one hive logs every value written into it, in order, as
// "name=data".
void logWrites(reg::Hive hive)
{
    // The store is made by its first write; the key written here is none of setup's.
    QVERIFY(WriteRegistryValue(hive, QStringLiteral("Software\\Test\\"), QStringLiteral("x"), 1, QStringLiteral("x")));
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(reg::hiveFilePath(hive)).constData(), &db), SQLITE_OK);
    const char* sql =
        "CREATE TABLE test_log(seq INTEGER PRIMARY KEY, entry TEXT);"
        "CREATE TRIGGER test_log_insert AFTER INSERT ON vals BEGIN "
        "  INSERT INTO test_log(entry) VALUES(NEW.name || '=' || CAST(NEW.data AS TEXT)); END;"
        "CREATE TRIGGER test_log_update AFTER UPDATE ON vals BEGIN "
        "  INSERT INTO test_log(entry) VALUES(NEW.name || '=' || CAST(NEW.data AS TEXT)); END;";
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const QByteArray message = error ? QByteArray(error) : QByteArray();
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, message.constData());
}

QStringList writesOf(reg::Hive hive)
{
    QStringList entries;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(reg::hiveFilePath(hive)).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* query = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT entry FROM test_log ORDER BY seq", -1, &query, nullptr) == SQLITE_OK) {
            while (sqlite3_step(query) == SQLITE_ROW) {
                // Stored text carries its terminating NUL.
                QString entry = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
                entries.append(entry);
            }
        }
        sqlite3_finalize(query);
    }
    sqlite3_close(db);
    return entries;
}

// Every value under a key, as "name=value" (the store keeps key paths in lower case).
QStringList valuesOf(reg::Hive hive, const QString& key)
{
    if (!reg::openKey(hive, key))
        return {QStringLiteral("<no key>")};
    QStringList names;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(reg::hiveFilePath(hive)).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* query = nullptr;
        const QByteArray folded = key.toLower().toUtf8();
        if (sqlite3_prepare_v2(db, "SELECT name FROM vals WHERE key = ?1", -1, &query, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(query, 1, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
            while (sqlite3_step(query) == SQLITE_ROW)
                names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, 0))));
        }
        sqlite3_finalize(query);
    }
    sqlite3_close(db);
    names.sort();
    QStringList values;
    for (const QString& name : std::as_const(names))
        values.append(name + QLatin1Char('=') + ReadRegistryValue(hive, key, name));
    return values;
}

QString read(const QString& name)
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, name);
}

// What the copy window was shown during the registration, with the store at each turn of
// the message loop.
struct Window {
    QStringList events;
    QList<MessageBoxRequest> boxes;

    CopyWindowHooks hooks()
    {
        CopyWindowHooks h;
        h.setKopioitava = [this](const QString& t) { events.append(QStringLiteral("kopioitava:") + t); };
        h.setKohdekansio = [this](const QString& t) { events.append(QStringLiteral("kohde:") + t); };
        h.setProgress = [this](int v) { events.append(QStringLiteral("progress:%1").arg(v)); };
        h.yield = [this] {
            events.append(QStringLiteral("yield, stored: ") + writesOf(reg::Hive::CurrentUser).join(u',') + QStringLiteral(" | ")
                          + writesOf(reg::Hive::LocalMachine).join(u','));
        };
        h.showMessage = [this](const MessageBoxRequest& r) {
            boxes.append(r);
            events.append(QStringLiteral("box:") + r.text + (platform::screenPointer() == platform::ScreenPointer::Default
                                                                 ? QStringLiteral(" (default pointer)")
                                                                 : QStringLiteral(" (hourglass)")));
            return platform::MsgAnswer::Ok;
        };
        return h;
    }
};

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestSetupRegistration : public QObject {
    Q_OBJECT

    vuska::test::Sandbox* sandbox_ = nullptr;
    int round_ = 0;
    QString data_;

private slots:
    // Every case gets a store, a drive map and a Programs folder of its own.
    void init()
    {
        const QString root = qEnvironmentVariable("HOME") + QStringLiteral("/case") + QString::number(++round_);
        data_ = root + QStringLiteral("/data");
        QVERIFY(QDir().mkpath(root + QStringLiteral("/config")));
        QVERIFY(QDir().mkpath(data_));
        qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", data_.toLocal8Bit());
        platform::drives::reset();
        platform::setScreenPointer(platform::ScreenPointer::Hourglass);
    }

    // Each kind of installation leaves exactly its values, written in the order the
    // uninstaller and the game rely on and all on the disk before the group is made, each
    // stage shown before its work.
    void recordsTheInstallation_data()
    {
        QTest::addColumn<bool>("createFolder");
        QTest::addColumn<bool>("createGroup");
        QTest::addColumn<bool>("noGroup");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QStringList>("events");

        const QString stored = QStringLiteral("yield, stored: ");
        QTest::newRow("new folder, new group")
            << true << true << false << QStringLiteral("Vuska")
            << QStringList{QStringLiteral("UusiKansioTehty=True"), QStringLiteral("Kansio=C:\\Program Files\\Vuska"),
                           QStringLiteral("Ohjelmaryhma=Vuska"), QStringLiteral("UusiOhjelmaryhmaTehty=True")}
            << QStringList{QStringLiteral("kopioitava:Luodaan ohjelmaryhmä..."), QStringLiteral("kohde:"),
                           stored + QStringLiteral("UusiKansioTehty=True,Kansio=C:\\Program Files\\Vuska,Ohjelmaryhma=Vuska,UusiOhjelmaryhmaTehty=True | "),
                           QStringLiteral("kopioitava:Luodaan ohjelmaryhmän kuvakkeet..."), QStringLiteral("kohde:"),
                           stored + QStringLiteral("UusiKansioTehty=True,Kansio=C:\\Program Files\\Vuska,Ohjelmaryhma=Vuska,UusiOhjelmaryhmaTehty=True | "),
                           QStringLiteral("kopioitava:Päivitetään järjestelmätiedot..."), QStringLiteral("kohde:"),
                           stored + QStringLiteral("UusiKansioTehty=True,Kansio=C:\\Program Files\\Vuska,Ohjelmaryhma=Vuska,UusiOhjelmaryhmaTehty=True | ")};
        QTest::newRow("existing folder, existing group")
            << false << false << false << QStringLiteral("Pelit")
            << QStringList{QStringLiteral("UusiKansioTehty=False"), QStringLiteral("Kansio=C:\\Program Files\\Vuska"),
                           QStringLiteral("UusiOhjelmaryhmaTehty=False"), QStringLiteral("Ohjelmaryhma=Pelit")}
            << QStringList{QStringLiteral("kopioitava:Luodaan ohjelmaryhmän kuvakkeet..."), QStringLiteral("kohde:"),
                           stored + QStringLiteral("UusiKansioTehty=False,Kansio=C:\\Program Files\\Vuska,UusiOhjelmaryhmaTehty=False,Ohjelmaryhma=Pelit | "),
                           QStringLiteral("kopioitava:Päivitetään järjestelmätiedot..."), QStringLiteral("kohde:"),
                           stored + QStringLiteral("UusiKansioTehty=False,Kansio=C:\\Program Files\\Vuska,UusiOhjelmaryhmaTehty=False,Ohjelmaryhma=Pelit | ")};
        QTest::newRow("no shortcuts")
            << true << false << true << QStringLiteral("Vuska")
            << QStringList{QStringLiteral("UusiKansioTehty=True"), QStringLiteral("Kansio=C:\\Program Files\\Vuska")}
            << QStringList{QStringLiteral("kopioitava:Päivitetään järjestelmätiedot..."), QStringLiteral("kohde:"),
                           stored + QStringLiteral("UusiKansioTehty=True,Kansio=C:\\Program Files\\Vuska | ")};
        QTest::newRow("a new group whose name is only case apart")
            << true << true << false << QStringLiteral("vuska")
            << QStringList{QStringLiteral("UusiKansioTehty=True"), QStringLiteral("Kansio=C:\\Program Files\\Vuska"),
                           QStringLiteral("Ohjelmaryhma=vuska"), QStringLiteral("UusiOhjelmaryhmaTehty=True")}
            << QStringList();
    }
    void recordsTheInstallation()
    {
        QFETCH(bool, createFolder);
        QFETCH(bool, createGroup);
        QFETCH(bool, noGroup);
        QFETCH(QString, group);
        QFETCH(QStringList, writes);
        QFETCH(QStringList, events);
        logWrites(reg::Hive::CurrentUser);
        logWrites(reg::Hive::LocalMachine);
        const QString groupFolder = QLatin1Char('\\') + group;
        if (!createGroup && !noGroup)
            QCOMPARE(links::fCreateShellFolder(groupFolder), links::ShellSuccess);

        Window window;
        QVERIFY(RegisterInstallation({kTarget, createFolder, group, createGroup, noGroup}, window.hooks()));

        QVERIFY2(window.boxes.isEmpty(), qPrintable(window.events.join(u'\n')));
        QCOMPARE(writesOf(reg::Hive::CurrentUser), writes);
        QCOMPARE(writesOf(reg::Hive::LocalMachine),
                 (QStringList{QStringLiteral("DisplayName=Vuska, versio 1.22 Freeware"),
                              QStringLiteral("UninstallString=C:\\Program Files\\Vuska\\setup.exe")}));
        if (!events.isEmpty())
            QCOMPARE(window.events, events);

        // Read back as the game and the uninstaller read them.
        QStringList expected = writes;
        expected.sort();
        QCOMPARE(valuesOf(reg::Hive::CurrentUser, SettingsKey), expected);
        QCOMPARE(read(QStringLiteral("UusiKansioTehty")), createFolder ? QStringLiteral("True") : QStringLiteral("False"));
        if (noGroup) {
            QCOMPARE(read(QStringLiteral("Ohjelmaryhma")), NotFound);
            QCOMPARE(read(QStringLiteral("UusiOhjelmaryhmaTehty")), NotFound);
        }
        QCOMPARE(valuesOf(reg::Hive::LocalMachine, UninstallKey),
                 (QStringList{QStringLiteral("DisplayName=Vuska, versio 1.22 Freeware"),
                              QStringLiteral("UninstallString=C:\\Program Files\\Vuska\\setup.exe")}));

        // The three shortcuts, each to its own file, in the group; none without one.
        const std::optional<links::GroupFiles> files = links::groupFiles(groupFolder);
        QVERIFY(files);
        for (const Shortcut& shortcut : Shortcuts) {
            const std::optional<QString> link = links::linkFile(groupFolder, QString::fromUtf8(shortcut.name));
            QVERIFY(link);
            QCOMPARE(QFileInfo::exists(*link), !noGroup);
            if (noGroup)
                continue;
            const QString text = fileText(*link);
            QVERIFY2(text.contains(QStringLiteral("\nName=") + QString::fromUtf8(shortcut.name) + QLatin1Char('\n')), qPrintable(text));
            // The help opens through the game beside it; the others open their own file.
            const QString opened = QString::fromUtf8(shortcut.target) == QLatin1String("vuska.hlp")
                ? QStringLiteral("vuska.exe")
                : QString::fromUtf8(shortcut.target);
            const QString targetHost = platform::drives::toHost(kTarget + QLatin1Char('\\') + opened).value();
            QVERIFY2(text.contains(QLatin1Char('"') + targetHost + QLatin1Char('"')), qPrintable(text));
            QCOMPARE(text.contains(QStringLiteral("VUSKA_HELP=contents")), opened != QString::fromUtf8(shortcut.target));
            QVERIFY2(text.contains(QStringLiteral("\nIcon=vuska\n")), qPrintable(text));
        }
        QCOMPARE(QFileInfo(files->folder).isDir(), !noGroup);
    }

    // A Programs folder that cannot be written and a store of the machine's that cannot be
    // written are each reported once with their own message; everything else is still
    // recorded and the registration runs to its end.
    void failuresAreReportedAndPassed_data()
    {
        QTest::addColumn<bool>("programsBlocked");
        QTest::addColumn<bool>("machineBlocked");
        QTest::newRow("Programs folder") << true << false;
        QTest::newRow("machine store") << false << true;
        QTest::newRow("both") << true << true;
    }
    void failuresAreReportedAndPassed()
    {
        QFETCH(bool, programsBlocked);
        QFETCH(bool, machineBlocked);
        // A regular file where a folder has to be: no permission bits that root would pass.
        if (programsBlocked) {
            QFile blocker(data_ + QStringLiteral("/applications"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        // A folder where the machine's store has to write its journal.
        if (machineBlocked)
            QVERIFY(QDir().mkpath(reg::hiveFilePath(reg::Hive::LocalMachine) + QStringLiteral("-journal/blocked")));

        Window window;
        QVERIFY(RegisterInstallation({kTarget, true, QStringLiteral("Vuska"), true, false}, window.hooks()));

        QStringList boxes;
        for (const MessageBoxRequest& box : std::as_const(window.boxes)) {
            QCOMPARE(box.title, QStringLiteral("Virhe"));
            QCOMPARE(box.icon, platform::MsgIcon::Exclamation);
            QCOMPARE(box.buttons, platform::MsgButtons::Ok);
            boxes.append(box.text);
        }
        QStringList expected;
        if (programsBlocked)
            expected << QStringLiteral("Ohjelmaryhmän luonti epäonnistui.");
        if (machineBlocked)
            expected << QStringLiteral("Järjestelmätietojen päivitys epäonnistui.");
        QCOMPARE(boxes, expected);
        for (const QString& e : std::as_const(window.events)) {
            if (e.startsWith(QStringLiteral("box:")))
                QVERIFY2(e.endsWith(QStringLiteral("(default pointer)")), qPrintable(e));
        }
        // The group's failure is reported before the shortcuts are tried.
        if (programsBlocked)
            QVERIFY(window.events.indexOf(QStringLiteral("box:Ohjelmaryhmän luonti epäonnistui. (default pointer)"))
                    < window.events.indexOf(QStringLiteral("kopioitava:Luodaan ohjelmaryhmän kuvakkeet...")));
        // The last stage always runs.
        QVERIFY(window.events.contains(QStringLiteral("kopioitava:Päivitetään järjestelmätiedot...")));

        QCOMPARE(valuesOf(reg::Hive::CurrentUser, SettingsKey),
                 (QStringList{QStringLiteral("Kansio=C:\\Program Files\\Vuska"), QStringLiteral("Ohjelmaryhma=Vuska"),
                              QStringLiteral("UusiKansioTehty=True"), QStringLiteral("UusiOhjelmaryhmaTehty=True")}));
        if (machineBlocked)
            QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, UninstallKey, QStringLiteral("DisplayName")), NotFound);
        else
            QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, UninstallKey, QStringLiteral("UninstallString")),
                     QStringLiteral("C:\\Program Files\\Vuska\\setup.exe"));
        if (programsBlocked) {
            QVERIFY(QFileInfo(data_ + QStringLiteral("/applications")).isFile());
            QCOMPARE(QFileInfo(data_ + QStringLiteral("/applications")).size(), 0);
        } else {
            const std::optional<QString> link = links::linkFile(QStringLiteral("\\Vuska"), QStringLiteral("Vuska"));
            QVERIFY(link && QFileInfo::exists(*link));
        }
    }

    // Each entry is filed where desktops look for a card game, says what it opens in Finnish, in
    // Swedish and in English, names the app id of the windows it starts, the game's or the help's own (so
    // the dock shows the right entry's icon and name for them), and the validator has nothing to
    // say of it, hints included.
    void entriesAreFiledAndMatchTheGame_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<QString>("swedishName"); // the name it shows a Swedish user
        QTest::newRow("game") << "Vuska" << "Korttipeli yhdelle pelaajalle tietokonetta vastaan"
                              << "korttipeli;kortit;tikkipeli;peli;" << "fi.vuska.Vuska" << "";
        QTest::newRow("help") << "Vuska-ohje" << "Vuskan ohje: säännöt, pelaaminen ja asetukset"
                              << "ohje;säännöt;korttipeli;" << "fi.vuska.Vuska.Help" << "Vuska hjälp";
        QTest::newRow("read-me") << "Vuska-pikaohje" << "Vuskan lueminut-tiedosto: lyhyt esittely, asennus ja ehdot"
                                 << "lueminut;pikaohje;korttipeli;" << "" << "Vuska snabbguide";
    }
    void entriesAreFiledAndMatchTheGame()
    {
        QFETCH(QString, name);
        QFETCH(QString, comment);
        QFETCH(QString, keywords);
        QFETCH(QString, windowClass);
        QFETCH(QString, swedishName);
        Window window;
        QVERIFY(RegisterInstallation({kTarget, true, QStringLiteral("Pelit ja hupi"), true, false}, window.hooks()));
        const std::optional<links::GroupFiles> group = links::groupFiles(QStringLiteral("\\Pelit ja hupi"));
        const std::optional<QString> link = links::linkFile(QStringLiteral("\\Pelit ja hupi"), name);
        QVERIFY(group && link);

        const QStringList lines = fileText(*link).split(u'\n');
        const auto value = [&](const char* key) {
            for (const QString& line : lines) {
                if (line.startsWith(QLatin1String(key) + u'='))
                    return line.mid(int(qstrlen(key)) + 1);
            }
            return QString();
        };
        QCOMPARE(value("Categories"), QStringLiteral("Game;CardGame;") + group->category + u';');
        QCOMPARE(value("Comment[fi]"), comment);
        QCOMPARE(value("Keywords[fi]"), keywords);
        QCOMPARE(value("StartupWMClass"), windowClass);
        // The same in Swedish and, for every other language, English, whatever setup speaks.
        QCOMPARE(value("Name[sv]"), swedishName);
        const QStringList finnish{comment, keywords};
        for (const char* key : {"Comment", "Comment[sv]", "Keywords", "Keywords[sv]"})
            QVERIFY2(!value(key).isEmpty() && !finnish.contains(value(key)), key);
        // Its icon in every size of the theme, and scalable.
        for (const char* icon : {"48x48/apps/vuska.png", "512x512/apps/vuska.png", "scalable/apps/vuska.svg"})
            QVERIFY2(QFileInfo::exists(data_ + QStringLiteral("/icons/hicolor/") + QLatin1String(icon)), icon);
        for (const QString& file : {*link, group->directoryFile}) {
            const QString said = vuska::test::validatorOutput(file);
            QVERIFY2(said.isEmpty(), qPrintable(file + QStringLiteral(":\n") + said));
        }
    }
};

VUSKA_TEST_MAIN(TestSetupRegistration)

#include "test_setup_registration.moc"
