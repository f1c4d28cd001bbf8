#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include <sys/stat.h>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/drives.h"
#include "platform/pointer.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/shelllinks.h"
#include "setup/uninstall/frmpoistamattomattiedostot.h"
#include "setup/uninstall/removal.h"
#include "setup/wizard/filetable.h"
#include "setup/wizard/registration.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/modal.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using namespace vuska::setup;
using platform::MsgAnswer;
using platform::MessageBoxRequest;
using platform::ScreenPointer;
namespace reg = platform::registry;
namespace sl = platform::shelllinks;

namespace {

const QString kDefaultFolder = QStringLiteral("C:\\Program Files\\Vuska");
const QString kRecordError = QStringLiteral("Virhe ohjelman rekisteritiedoissa. Poisto ei onnistu.");
const QString kShortcutError = QStringLiteral("Ohjelman kuvakkeen poisto ei onnistu.");
const QString kGroupError = QStringLiteral("Vuskan ohjelmaryhmän poisto ei onnistu.");
const QString kKeysError = QStringLiteral("Vuskan järjestelmätietojen poisto ei onnistu.");
const QStringList kShortcutNames = {QStringLiteral("Vuska"), QStringLiteral("Vuska-ohje"),
                                    QStringLiteral("Vuska-pikaohje")};

QStringList tableNames()
{
    QStringList names;
    for (const InstallFile& file : installationFiles())
        names.append(QString::fromUtf8(file.name));
    return names;
}

QString fileError(const QString& name)
{
    return QStringLiteral("Tiedoston ") + name + QStringLiteral(" poisto ei onnistu.");
}

// Anything at all under the path, a link that leads nowhere included.
bool present(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every entry below `root` (folders and links too) with what it is or holds, leaving out the
// subtrees named in `skip`.
QMap<QString, QString> snapshot(const QString& root, const QStringList& skip = {})
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        bool skipped = false;
        for (const QString& s : skip)
            skipped = skipped || relative == s || relative.startsWith(s + u'/');
        if (skipped)
            continue;
        const QFileInfo info(path);
        if (info.isSymLink())
            entries.insert(relative, QStringLiteral("link to ") + info.symLinkTarget());
        else if (info.isDir())
            entries.insert(relative, QStringLiteral("folder"));
        else
            entries.insert(relative, QString::fromLatin1(
                                         QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha1).toHex()));
    }
    return entries;
}

bool keyExists(reg::Hive hive, const QString& path)
{
    return reg::openKey(hive, path).has_value();
}

QString record(const QString& name)
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, name);
}

void writeRecord(const QString& name, const QString& value)
{
    QVERIFY2(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, name, 1, value), qPrintable(name));
}

// Takes one value of the installation record out of the store, as if it had never been
// written (the store keeps key paths in lower case).
void forgetValue(const QString& name)
{
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(reg::hiveFilePath(reg::Hive::CurrentUser));
    QCOMPARE(sqlite3_open(file.constData(), &db), SQLITE_OK);
    sqlite3_stmt* remove = nullptr;
    QCOMPARE(sqlite3_prepare_v2(db, "DELETE FROM vals WHERE key = ?1 AND name = ?2", -1, &remove, nullptr), SQLITE_OK);
    const QByteArray key = SettingsKey.toLower().toUtf8();
    const QByteArray value = name.toUtf8();
    sqlite3_bind_text(remove, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(remove, 2, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    QCOMPARE(sqlite3_step(remove), SQLITE_DONE);
    sqlite3_finalize(remove);
    const int removed = sqlite3_changes(db);
    sqlite3_close(db);
    QCOMPARE(removed, 1);
}

// Makes the hive's store refuse every deletion from now on, while it still reads.
void refuseDeletions(reg::Hive hive)
{
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(reg::hiveFilePath(hive));
    QVERIFY(QFileInfo::exists(QString::fromLocal8Bit(file)));
    QCOMPARE(sqlite3_open(file.constData(), &db), SQLITE_OK);
    const char* refuse = "CREATE TRIGGER refuse_keys BEFORE DELETE ON keys BEGIN SELECT RAISE(ABORT, 'no'); END;"
                         "CREATE TRIGGER refuse_vals BEFORE DELETE ON vals BEGIN SELECT RAISE(ABORT, 'no'); END;";
    const int rc = sqlite3_exec(db, refuse, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QCOMPARE(rc, SQLITE_OK);
}

// One removal with every hook recorded: the pointer changes and boxes in the order they came,
// and what the leftover dialog was given.
struct Run {
    QStringList log;
    QList<MessageBoxRequest> boxes;
    QString instructions;
    QStringList leftovers;
    int dialogs = 0;
    RemovalResult result;

    QStringList texts() const
    {
        QStringList t;
        for (const MessageBoxRequest& box : boxes)
            t.append(box.text);
        return t;
    }
};

Run runRemoval(const std::function<void(const MessageBoxRequest&)>& duringBox = {})
{
    Run run;
    RemovalHooks hooks;
    hooks.showMessage = [&](const MessageBoxRequest& request) {
        run.boxes.append(request);
        run.log.append(QStringLiteral("box ") + request.text);
        if (duringBox)
            duringBox(request);
        return MsgAnswer::Ok;
    };
    hooks.setPointer = [&](ScreenPointer pointer) {
        run.log.append(pointer == ScreenPointer::Default ? QStringLiteral("default") : QStringLiteral("hourglass"));
    };
    hooks.showLeftovers = [&](const QString& instructions, const QStringList& leftovers) {
        run.log.append(QStringLiteral("leftovers"));
        run.instructions = instructions;
        run.leftovers = leftovers;
        ++run.dialogs;
    };
    run.result = Removal(hooks).run();
    return run;
}

// What a run with no failure at all shows: the leftover dialog after the default pointer.
const QStringList kCleanLog = {QStringLiteral("default"), QStringLiteral("leftovers")};

// How the installer left things.
struct Installation {
    QString folder = kDefaultFolder;
    bool folderCreated = true;
    QString group = QStringLiteral("Vuska"); // empty: no shortcuts were added
    bool groupCreated = true;
};

QString linkPath(const QString& group, const QString& name)
{
    return sl::linkFile(u'\\' + group, name).value_or(QString());
}

QString groupFolder(const QString& group)
{
    const std::optional<sl::GroupFiles> files = sl::groupFiles(u'\\' + group);
    return files ? files->folder : QString();
}

void makeShortcuts(const QString& group, const QString& folder)
{
    const char* targets[] = {"vuska.exe", "vuska.hlp", "readme.txt"};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(sl::fCreateShellLink(u'\\' + group, kShortcutNames[i], folder + u'\\' + QLatin1String(targets[i]),
                                      QString()),
                 sl::ShellSuccess);
}

} // namespace

class TestSetupRemoval : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> world_;

    QString root() const { return world_->path(); }
    QString host(const QString& windowsPath) const { return platform::drives::toHost(windowsPath).value_or(QString()); }

    // Writes the 59 files into the folder (a host path) and a file of the user's beside them.
    void layFiles(const QString& folder)
    {
        for (const QString& name : tableNames())
            QVERIFY(writeFile(folder + u'/' + name, "asennettu " + name.toUtf8()));
        QVERIFY(writeFile(folder + QStringLiteral("/muistiinpanot.txt"), "käyttäjän oma"));
    }

    // The installation as setup leaves it: the files, the record, the group with its shortcuts,
    // the uninstall entry, and some of the game's own values under the shared key.
    void install(const Installation& i)
    {
        const QString folder = host(i.folder);
        QVERIFY2(!folder.isEmpty(), qPrintable(i.folder));
        layFiles(folder);
        writeRecord(QStringLiteral("UusiKansioTehty"), i.folderCreated ? QStringLiteral("True") : QStringLiteral("False"));
        writeRecord(QStringLiteral("Kansio"), i.folder);
        if (!i.group.isEmpty()) {
            if (i.groupCreated) {
                QCOMPARE(sl::fCreateShellFolder(u'\\' + i.group), sl::ShellSuccess);
                writeRecord(QStringLiteral("Ohjelmaryhma"), i.group);
                writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), QStringLiteral("True"));
            } else {
                QVERIFY(QDir().mkpath(groupFolder(i.group)));
                writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), QStringLiteral("False"));
                writeRecord(QStringLiteral("Ohjelmaryhma"), i.group);
            }
            makeShortcuts(i.group, i.folder);
        }
        QVERIFY(WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite, QStringLiteral("DisplayName"), 1,
                                   QStringLiteral("Vuska, versio 1.22 Freeware")));
        QVERIFY(WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite, QStringLiteral("UninstallString"), 1,
                                   i.folder + QStringLiteral("\\setup.exe")));
        writeRecord(QStringLiteral("ParasPelaaja0"), QStringLiteral("Aino"));
        writeRecord(QStringLiteral("ParasTulos0"), QStringLiteral("7"));
    }

    void verifyAllFilesGone(const QString& folder)
    {
        for (const QString& name : tableNames())
            QVERIFY2(!present(folder + u'/' + name), qPrintable(name));
    }

private slots:
    void initTestCase() { platform::applyProgramFont(); }

    // Each test gets a world of its own: registry store, menus, home, and a drive map whose
    // drives all lie inside it (C: and Z: of their own, D: the world's root).
    void init()
    {
        world_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vuska-removal-XXXXXX"));
        QVERIFY(world_->isValid());
        for (const char* sub : {"config", "data", "home", "c", "z"})
            QVERIFY(QDir().mkpath(root() + u'/' + QLatin1String(sub)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root() + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root() + QStringLiteral("/data")));
        qputenv("HOME", QFile::encodeName(root() + QStringLiteral("/home")));
        QVERIFY(writeFile(root() + QStringLiteral("/config/vuska-drives/drives.ini"),
                          QFile::encodeName(QStringLiteral("C=%1/c\nZ=%1/z\nD=%1\n").arg(root()))));
        platform::drives::reset();
        QCOMPARE(host(QStringLiteral("Z:\\")), root() + QStringLiteral("/z"));
        platform::setScreenPointer(ScreenPointer::Default);
    }

    void cleanup()
    {
        platform::screen::setTwipsPerPixelOverride(0, 0);
        world_.reset();
        platform::drives::reset();
    }

    // Without a folder in the record the removal says so and touches nothing at all.
    void missingRecordTouchesNothing_data()
    {
        QTest::addColumn<QString>("tamper");
        QTest::newRow("no key") << QStringLiteral("key");
        QTest::newRow("no Kansio value") << QStringLiteral("value");
        QTest::newRow("empty Kansio") << QStringLiteral("empty");
        QTest::newRow("Kansio reads Not Found") << QStringLiteral("Not Found");
    }
    void missingRecordTouchesNothing()
    {
        QFETCH(QString, tamper);
        install({});
        if (QTest::currentTestFailed())
            return;
        if (tamper == u"key") {
            QCOMPARE(reg::deleteKey(reg::Hive::CurrentUser, SettingsKey), reg::Status::Ok);
        } else if (tamper == u"value") {
            forgetValue(QStringLiteral("Kansio"));
        } else {
            writeRecord(QStringLiteral("Kansio"), tamper == u"empty" ? QString() : QStringLiteral("Not Found"));
        }
        const QMap<QString, QString> before = snapshot(root(), {QStringLiteral("config")});

        const Run run = runRemoval();

        QCOMPARE(run.result.outcome, RemovalOutcome::RecordMissing);
        QCOMPARE(run.log, QStringList({QStringLiteral("default"), QStringLiteral("box ") + kRecordError}));
        QCOMPARE(run.boxes.first().title, QStringLiteral("Virhe"));
        QCOMPARE(run.boxes.first().icon, platform::MsgIcon::Exclamation);
        QCOMPARE(run.boxes.first().buttons, platform::MsgButtons::Ok);
        QCOMPARE(run.dialogs, 0);
        QCOMPARE(snapshot(root(), {QStringLiteral("config")}), before);
        QVERIFY(keyExists(reg::Hive::LocalMachine, UninstallKey));
        QCOMPARE(keyExists(reg::Hive::CurrentUser, SettingsKey), tamper != u"key");
        if (tamper != u"key")
            QCOMPARE(record(QStringLiteral("ParasPelaaja0")), QStringLiteral("Aino"));
    }

    // After an ordinary installation everything the installer made goes, however the folder
    // was spelt, and the folder itself stays with the user's own file in it.
    void completeRemoval_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("as installed") << kDefaultFolder << kDefaultFolder;
        QTest::newRow("trailing backslash") << kDefaultFolder << kDefaultFolder + u'\\';
        QTest::newRow("other letter case") << kDefaultFolder << QStringLiteral("c:\\PROGRAM FILES\\vuska");
        QTest::newRow("dot-dot inside") << kDefaultFolder << QStringLiteral("C:\\Program Files\\Muu\\..\\Vuska");
        QTest::newRow("blanks and non-ASCII") << QStringLiteral("C:\\Pelit\\Äänet ja öljy")
                                              << QStringLiteral("C:\\Pelit\\Äänet ja öljy");
        QTest::newRow("a drive's root, as setup records it") << QStringLiteral("Z:\\") << QStringLiteral("Z:");
    }
    void completeRemoval()
    {
        QFETCH(QString, folder);
        QFETCH(QString, recorded);
        install({folder});
        if (QTest::currentTestFailed())
            return;
        writeRecord(QStringLiteral("Kansio"), recorded);
        // Neighbours whose names merely begin like the keys stay.
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, QStringLiteral("Software\\Vuska 1.22 Freeware 2\\"),
                                   QStringLiteral("Arvo"), 1, QStringLiteral("pysyy")));
        QVERIFY(WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite.chopped(1) + QStringLiteral(" Extra\\"),
                                   QStringLiteral("DisplayName"), 1, QStringLiteral("muu")));
        const QString hostFolder = host(folder);
        const std::optional<sl::GroupFiles> group = sl::groupFiles(QStringLiteral("\\Vuska"));
        QVERIFY(group);
        QVERIFY(QFileInfo::exists(group->menuFile));
        QVERIFY(QFileInfo::exists(linkPath(QStringLiteral("Vuska"), QStringLiteral("Vuska"))));

        const Run run = runRemoval();

        QCOMPARE(run.result.outcome, RemovalOutcome::Finished);
        QCOMPARE(run.log, kCleanLog);
        QCOMPARE(run.leftovers, QStringList());
        QCOMPARE(run.instructions, leftoverInstructions(recorded, true));
        verifyAllFilesGone(hostFolder);
        QVERIFY(QFileInfo(hostFolder).isDir());
        QCOMPARE(fileBytes(hostFolder + QStringLiteral("/muistiinpanot.txt")), QByteArray("käyttäjän oma"));
        for (const QString& name : kShortcutNames)
            QVERIFY2(!present(linkPath(QStringLiteral("Vuska"), name)), qPrintable(name));
        QVERIFY(!present(group->folder));
        QVERIFY(!present(group->menuFile));
        QVERIFY(!present(group->directoryFile));
        QVERIFY(!keyExists(reg::Hive::CurrentUser, SettingsKey));
        QCOMPARE(record(QStringLiteral("ParasPelaaja0")), NotFound);
        QVERIFY(!keyExists(reg::Hive::LocalMachine, UninstallKey));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, QStringLiteral("Software\\Vuska 1.22 Freeware 2"),
                                   QStringLiteral("Arvo")),
                 QStringLiteral("pysyy"));
        QVERIFY(keyExists(reg::Hive::LocalMachine, UninstallKey + QStringLiteral(" Extra")));
    }

    // A file that cannot be deleted is reported and listed, and the removal goes on to its end;
    // the list keeps the table's order whatever order the failures are thought of in.
    void undeletableFilesAreListed_data()
    {
        QTest::addColumn<QStringList>("blocked");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("the read-me") << QStringList{QStringLiteral("readme.txt")}
                                     << QStringList{QStringLiteral("readme.txt")};
        QTest::newRow("first, middle and last")
            << QStringList{QStringLiteral("vuska122.cnt"), QStringLiteral("file_id.diz"), QStringLiteral("setup.exe")}
            << QStringList{QStringLiteral("file_id.diz"), QStringLiteral("setup.exe"), QStringLiteral("vuska122.cnt")};
    }
    void undeletableFilesAreListed()
    {
        QFETCH(QStringList, blocked);
        QFETCH(QStringList, listed);
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = host(kDefaultFolder);
        // A folder with something in it under a table name: no one, not even root, can unlink it.
        for (const QString& name : blocked) {
            QVERIFY(QFile::remove(folder + u'/' + name));
            QVERIFY(writeFile(folder + u'/' + name + QStringLiteral("/tausta.jpg"), "sisällä"));
        }

        const Run run = runRemoval();

        QStringList expectedLog;
        for (const QString& name : listed)
            expectedLog << QStringLiteral("default") << QStringLiteral("box ") + fileError(name)
                        << QStringLiteral("hourglass");
        expectedLog << kCleanLog;
        QCOMPARE(run.log, expectedLog);
        for (const MessageBoxRequest& box : run.boxes) {
            QCOMPARE(box.title, QStringLiteral("Virhe"));
            QCOMPARE(box.icon, platform::MsgIcon::Exclamation);
            QCOMPARE(box.buttons, platform::MsgButtons::Ok);
        }
        QCOMPARE(run.leftovers, listed);
        QCOMPARE(run.result.leftovers, listed);
        for (const QString& name : tableNames()) {
            if (blocked.contains(name))
                QCOMPARE(fileBytes(folder + u'/' + name + QStringLiteral("/tausta.jpg")), QByteArray("sisällä"));
            else
                QVERIFY2(!present(folder + u'/' + name), qPrintable(name));
        }
        QVERIFY(!keyExists(reg::Hive::CurrentUser, SettingsKey));
        QVERIFY(!keyExists(reg::Hive::LocalMachine, UninstallKey));
    }

    // An empty folder under a table name is no file either: it stays, and is reported.
    void emptyFolderUnderATableNameStays()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = host(kDefaultFolder);
        QVERIFY(QFile::remove(folder + QStringLiteral("/tausta.jpg")));
        QVERIFY(QDir().mkdir(folder + QStringLiteral("/tausta.jpg")));

        const Run run = runRemoval();

        QCOMPARE(run.texts(), QStringList{fileError(QStringLiteral("tausta.jpg"))});
        QCOMPARE(run.leftovers, QStringList{QStringLiteral("tausta.jpg")});
        QVERIFY(QFileInfo(folder + QStringLiteral("/tausta.jpg")).isDir());
    }

    // A group folder that also holds a file of the user's keeps it and is reported; the three
    // shortcuts go all the same.
    void groupWithUserFileStays()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = groupFolder(QStringLiteral("Vuska"));
        QVERIFY(writeFile(folder + QStringLiteral("/oma.desktop"), "[Desktop Entry]\nName=Oma\n"));

        const Run run = runRemoval();

        QCOMPARE(run.log, QStringList({QStringLiteral("default"), QStringLiteral("box ") + kGroupError,
                                       QStringLiteral("hourglass"), QStringLiteral("default"),
                                       QStringLiteral("leftovers")}));
        for (const QString& name : kShortcutNames)
            QVERIFY2(!present(linkPath(QStringLiteral("Vuska"), name)), qPrintable(name));
        QCOMPARE(fileBytes(folder + QStringLiteral("/oma.desktop")), QByteArray("[Desktop Entry]\nName=Oma\n"));
    }

    // A group that was there before the installation keeps its folder, even an empty one;
    // only the shortcuts go. A flag spelt otherwise than exactly "True" counts as not made.
    void existingGroupKeepsItsFolder_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::newRow("False") << QStringLiteral("False");
        QTest::newRow("true in lower case") << QStringLiteral("true");
    }
    void existingGroupKeepsItsFolder()
    {
        QFETCH(QString, flag);
        Installation existing;
        existing.groupCreated = false;
        install(existing);
        if (QTest::currentTestFailed())
            return;
        writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), flag);
        const QString folder = groupFolder(QStringLiteral("Vuska"));

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        for (const QString& name : kShortcutNames)
            QVERIFY2(!present(linkPath(QStringLiteral("Vuska"), name)), qPrintable(name));
        QVERIFY(QFileInfo(folder).isDir());
    }

    // An installation without shortcuts removes none, even when a group of the same default
    // name exists, and says nothing about shortcuts.
    void noShortcutsInstallationLeavesGroupsAlone()
    {
        Installation plain;
        plain.group.clear();
        install(plain);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(sl::fCreateShellFolder(QStringLiteral("\\Vuska")), sl::ShellSuccess);
        makeShortcuts(QStringLiteral("Vuska"), QStringLiteral("C:\\Muualla"));
        const QMap<QString, QString> menus = snapshot(root() + QStringLiteral("/data"));
        const QMap<QString, QString> menuConfig = snapshot(root() + QStringLiteral("/config/menus"));

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        QCOMPARE(snapshot(root() + QStringLiteral("/data")), menus);
        QCOMPARE(snapshot(root() + QStringLiteral("/config/menus")), menuConfig);
        verifyAllFilesGone(host(kDefaultFolder));
    }

    // When any shortcut cannot be removed the user hears it once, after all three were tried.
    void shortcutFailureIsReportedOnceAfterTheThird()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        // Files of the user's under the first two shortcuts' names are not ours to remove.
        for (int i = 0; i < 2; ++i) {
            const QString path = linkPath(QStringLiteral("Vuska"), kShortcutNames[i]);
            QVERIFY(QFile::remove(path));
            QVERIFY(writeFile(path, "[Desktop Entry]\nName=Oma\n"));
        }
        const QString third = linkPath(QStringLiteral("Vuska"), kShortcutNames[2]);
        bool thirdGoneAtTheBox = false;

        const Run run = runRemoval([&](const MessageBoxRequest& box) {
            if (box.text == kShortcutError)
                thirdGoneAtTheBox = !present(third);
        });

        QCOMPARE(run.texts(), QStringList({kShortcutError, kGroupError}));
        QVERIFY(thirdGoneAtTheBox);
        QVERIFY(present(linkPath(QStringLiteral("Vuska"), kShortcutNames[0])));
        QCOMPARE(run.dialogs, 1);
    }

    // A symbolic link under a table name goes itself; what it points at, a file or a folder
    // full of table names, stays; a link that leads nowhere goes too.
    void symbolicLinksAreNotFollowed()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = host(kDefaultFolder);
        const QString elsewhere = root() + QStringLiteral("/muualla");
        QVERIFY(writeFile(elsewhere + QStringLiteral("/tarkea.txt"), "tärkeä"));
        for (const QString& name : {QStringLiteral("hertta2.jpg"), QStringLiteral("setup.exe")})
            QVERIFY(writeFile(elsewhere + QStringLiteral("/kuvat/") + name, "muualla"));
        const QMap<QString, QString> targets = snapshot(elsewhere);
        struct Planted {
            const char* name;
            QString target;
        };
        const Planted planted[] = {{"readme.txt", elsewhere + QStringLiteral("/tarkea.txt")},
                                   {"tausta.jpg", elsewhere + QStringLiteral("/kuvat")},
                                   {"vuska.hlp", elsewhere + QStringLiteral("/ei-ole")}};
        for (const Planted& p : planted) {
            const QString link = folder + u'/' + QLatin1String(p.name);
            QVERIFY(QFile::remove(link));
            QVERIFY(QFile::link(p.target, link));
        }

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        for (const Planted& p : planted)
            QVERIFY2(!present(folder + u'/' + QLatin1String(p.name)), p.name);
        QCOMPARE(snapshot(elsewhere), targets);
    }

    // A tampered folder that climbs out of its drive, names a drive's root or the user's home
    // loses the 59 names there and nothing else: not the user's files, folders or links, nor
    // anything inside them, nor files of the same names outside the drive.
    void tamperedFolderLosesOnlyTheTableNames_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("where"); // below the world's root
        QTest::newRow("climbing above C:") << QStringLiteral("C:\\..\\..") << QStringLiteral("c");
        QTest::newRow("climbing with slashes") << QStringLiteral("C:/Program Files/../../..") << QStringLiteral("c");
        QTest::newRow("root of Z:") << QStringLiteral("Z:\\") << QStringLiteral("z");
        QTest::newRow("the home folder") << QString() << QStringLiteral("home");
    }
    void tamperedFolderLosesOnlyTheTableNames()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, where);
        const QString folder = root() + u'/' + where;
        if (recorded.isEmpty()) {
            recorded = platform::drives::toWindows(QDir::homePath());
            QCOMPARE(recorded, QStringLiteral("D:\\home"));
        }
        QCOMPARE(host(recorded), folder);
        layFiles(folder);
        // The user's own things beside the table's names.
        for (const QString& name : {QStringLiteral("readme.txt"), QStringLiteral("setup.exe")}) {
            QVERIFY(writeFile(folder + QStringLiteral("/Omat/") + name, "oma"));
            QVERIFY(writeFile(root() + u'/' + name, "aseman ulkopuolella"));
        }
        QVERIFY(writeFile(root() + QStringLiteral("/muualla/tausta.jpg"), "muualla"));
        QVERIFY(QFile::link(root() + QStringLiteral("/muualla/tausta.jpg"), folder + QStringLiteral("/linkki.jpg")));
        QVERIFY(QFile::link(root() + QStringLiteral("/muualla"), folder + QStringLiteral("/kuvat")));
        writeRecord(QStringLiteral("UusiKansioTehty"), QStringLiteral("False"));
        writeRecord(QStringLiteral("Kansio"), recorded);
        QMap<QString, QString> expected = snapshot(root(), {QStringLiteral("config")});
        for (const QString& name : tableNames())
            QVERIFY(expected.remove(where + u'/' + name) == 1);

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        QCOMPARE(snapshot(root(), {QStringLiteral("config")}), expected);
        QCOMPARE(run.instructions, leftoverInstructions(recorded, false));
    }

    // The paths the removal would delete, without deleting: each table name joined to the
    // translated folder once, in table order; nothing for a folder no drive holds.
    void removalPathsJoinTheTableNames_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("where"); // below the world's root; empty: no drive holds it
        QTest::newRow("the default folder") << QString(kDefaultFolder) << QString();
        QTest::newRow("climbing above C:") << QStringLiteral("C:\\..\\..") << QStringLiteral("c");
        QTest::newRow("root of Z:") << QStringLiteral("Z:\\") << QStringLiteral("z");
        QTest::newRow("an unmapped drive") << QStringLiteral("Q:\\Vuska") << QString();
        QTest::newRow("a network path") << QStringLiteral("\\\\palvelin\\jako") << QString();
    }
    void removalPathsJoinTheTableNames()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, where);
        const std::optional<QString> translated = platform::drives::toHost(recorded);
        const QList<std::pair<QString, QString>> paths = setup::removalPaths(recorded);
        if (!translated) {
            QVERIFY2(paths.isEmpty(), qPrintable(paths.value(0).second));
            return;
        }
        if (!where.isEmpty())
            QCOMPARE(host(recorded), root() + u'/' + where);
        const QStringList names = tableNames();
        QCOMPARE(paths.size(), names.size());
        const QString folder = translated->endsWith(u'/') ? *translated : *translated + u'/';
        for (qsizetype i = 0; i < paths.size(); ++i) {
            QCOMPARE(paths[i].first, names[i]);
            QCOMPARE(paths[i].second, folder + names[i]);
        }
    }

    // Only the names as the installer wrote them go: a file whose name differs from a table
    // name only in letter case is someone else's.
    void otherLetterCaseIsNotATableName()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = host(kDefaultFolder);
        QVERIFY(QFile::remove(folder + QStringLiteral("/readme.txt")));
        QVERIFY(writeFile(folder + QStringLiteral("/README.TXT"), "oma"));
        QVERIFY(writeFile(folder + QStringLiteral("/Setup.exe"), "oma"));

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        QCOMPARE(fileBytes(folder + QStringLiteral("/README.TXT")), QByteArray("oma"));
        QCOMPARE(fileBytes(folder + QStringLiteral("/Setup.exe")), QByteArray("oma"));
        verifyAllFilesGone(folder);
    }

    // Keys that are not there (an uninstall entry the installer could not write, a record
    // already gone) are no failure: there is nothing left to delete.
    void missingKeysAreNoFailure_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("uninstall entry") << QStringLiteral("entry");
        QTest::newRow("no store for the local machine") << QStringLiteral("store");
    }
    void missingKeysAreNoFailure()
    {
        QFETCH(QString, missing);
        Installation plain;
        plain.group.clear();
        install(plain);
        if (QTest::currentTestFailed())
            return;
        if (missing == u"entry")
            QCOMPARE(reg::deleteKey(reg::Hive::LocalMachine, UninstallKey), reg::Status::Ok);
        else
            QVERIFY(QFile::remove(reg::hiveFilePath(reg::Hive::LocalMachine)));

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        QVERIFY(!keyExists(reg::Hive::CurrentUser, SettingsKey));
    }

    // A folder that no drive holds has nothing to delete: the removal still runs to its end.
    void unmappedFolderDeletesNothing()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        writeRecord(QStringLiteral("Kansio"), QStringLiteral("Q:\\Vuska"));
        const QMap<QString, QString> files = snapshot(root() + QStringLiteral("/c"));

        const Run run = runRemoval();

        QCOMPARE(run.log, kCleanLog);
        QCOMPARE(snapshot(root() + QStringLiteral("/c")), files);
        QVERIFY(!keyExists(reg::Hive::CurrentUser, SettingsKey));
    }

    // A store that refuses to delete a key is reported once, the other key goes all the same,
    // and the leftover dialog follows.
    void unwritableStoreIsReported_data()
    {
        QTest::addColumn<bool>("userRefuses");
        QTest::addColumn<bool>("machineRefuses");
        QTest::newRow("local machine") << false << true;
        QTest::newRow("current user") << true << false;
        QTest::newRow("both") << true << true;
    }
    void unwritableStoreIsReported()
    {
        QFETCH(bool, userRefuses);
        QFETCH(bool, machineRefuses);
        install({});
        if (QTest::currentTestFailed())
            return;
        if (userRefuses)
            refuseDeletions(reg::Hive::CurrentUser);
        if (machineRefuses)
            refuseDeletions(reg::Hive::LocalMachine);
        if (QTest::currentTestFailed())
            return;

        const Run run = runRemoval();

        QCOMPARE(run.log, QStringList({QStringLiteral("default"), QStringLiteral("box ") + kKeysError,
                                       QStringLiteral("hourglass"), QStringLiteral("default"),
                                       QStringLiteral("leftovers")}));
        QCOMPARE(keyExists(reg::Hive::CurrentUser, SettingsKey), userRefuses);
        QCOMPARE(keyExists(reg::Hive::LocalMachine, UninstallKey), machineRefuses);
        verifyAllFilesGone(host(kDefaultFolder));
    }

    // Every step's failure in one removal: the messages in the steps' order, each between the
    // default pointer and the hourglass, and the dialog at the end.
    void everyFailureInOrder()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = host(kDefaultFolder);
        QVERIFY(QFile::remove(folder + QStringLiteral("/vuska.exe")));
        QVERIFY(writeFile(folder + QStringLiteral("/vuska.exe/sisalla.txt"), "x"));
        const QString link = linkPath(QStringLiteral("Vuska"), QStringLiteral("Vuska-ohje"));
        QVERIFY(QFile::remove(link));
        QVERIFY(writeFile(link, "oma"));
        refuseDeletions(reg::Hive::LocalMachine);
        if (QTest::currentTestFailed())
            return;

        const Run run = runRemoval();

        QStringList expected;
        for (const QString& text : {fileError(QStringLiteral("vuska.exe")), kShortcutError, kGroupError, kKeysError})
            expected << QStringLiteral("default") << QStringLiteral("box ") + text << QStringLiteral("hourglass");
        expected << kCleanLog;
        QCOMPARE(run.log, expected);
        QCOMPARE(run.leftovers, QStringList{QStringLiteral("vuska.exe")});
        QCOMPARE(run.result.outcome, RemovalOutcome::Finished);
    }

    // The instructions name the folder as recorded; only "True" exactly asks for the folder
    // itself to be deleted.
    void instructionTexts_data()
    {
        QTest::addColumn<QString>("created"); // empty: no value
        QTest::addColumn<QString>("expected");
        const QString plural = QStringLiteral(
            "Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansio\nC:\\Program Files\\Vuska ja seuraavat "
            "siellä vielä olevat tiedostot:");
        const QString from = QStringLiteral(
            "Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansiosta\nC:\\Program Files\\Vuska seuraavat "
            "tiedostot:");
        QTest::newRow("True") << QStringLiteral("True") << plural;
        QTest::newRow("False") << QStringLiteral("False") << from;
        QTest::newRow("true") << QStringLiteral("true") << from;
        QTest::newRow("no value") << QString() << from;
    }
    void instructionTexts()
    {
        QFETCH(QString, created);
        QFETCH(QString, expected);
        install({});
        if (QTest::currentTestFailed())
            return;
        if (created.isEmpty()) {
            forgetValue(QStringLiteral("UusiKansioTehty"));
        } else {
            writeRecord(QStringLiteral("UusiKansioTehty"), created);
        }

        const Run run = runRemoval();

        QCOMPARE(run.instructions, expected);
        QCOMPARE(run.result.instructions, expected);
        QCOMPARE(leftoverInstructions(kDefaultFolder, created == u"True"), expected);
    }

    // With no hooks the removal uses the real message box and the real leftover dialog.
    void platformMessageBoxAndDialog()
    {
        install({});
        if (QTest::currentTestFailed())
            return;
        const QString folder = host(kDefaultFolder);
        QVERIFY(QFile::remove(folder + QStringLiteral("/readme.txt")));
        QVERIFY(writeFile(folder + QStringLiteral("/readme.txt/x"), "x"));
        test::MessageBoxScript boxes;
        boxes.ok();
        QString caption;
        QString label;
        QStringList listed;
        platform::setScreenPointer(ScreenPointer::Hourglass);
        ScreenPointer pointerWhileShown = ScreenPointer::Hourglass;
        {
            const test::OnModal modal([&](QWidget* w) {
                caption = w->windowTitle();
                pointerWhileShown = platform::screenPointer();
                label = w->findChild<QLabel*>(QStringLiteral("lblTomenpiteet"))->text();
                const auto* list = w->findChild<QListWidget*>(QStringLiteral("lstTiedostot"));
                for (int i = 0; i < list->count(); ++i)
                    listed.append(list->item(i)->text());
                QTest::keyClick(w, Qt::Key_Return);
            });
            const RemovalResult result = Removal().run();
            QCOMPARE(result.outcome, RemovalOutcome::Finished);
        }
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().text, fileError(QStringLiteral("readme.txt")));
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        QCOMPARE(boxes.last().icon, platform::MsgIcon::Exclamation);
        QCOMPARE(caption, QStringLiteral("Tiedoksi"));
        QCOMPARE(pointerWhileShown, ScreenPointer::Default);
        QCOMPARE(label, leftoverInstructions(kDefaultFolder, true));
        QCOMPARE(listed, QStringList{QStringLiteral("readme.txt")});
        QCOMPARE(platform::screenPointer(), ScreenPointer::Default);
    }

    // The dialog lists the names it is given in that order, as plain text.
    void dialogListsInTableOrder()
    {
        frmPoistamattomatTiedostot d;
        const QStringList names = tableNames();
        d.setFiles(names);
        d.setFiles(names); // filling again replaces, never appends
        QCOMPARE(d.lstTiedostot()->count(), int(names.size()));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(d.lstTiedostot()->item(i)->text(), names[i]);
        QCOMPARE(d.objectName(), QStringLiteral("frmPoistamattomatTiedostot"));
        QCOMPARE(d.lblTomenpiteet()->objectName(), QStringLiteral("lblTomenpiteet"));
        QCOMPARE(d.lstTiedostot()->objectName(), QStringLiteral("lstTiedostot"));
        QCOMPARE(d.cmdPainike()->objectName(), QStringLiteral("cmdPainike"));
        QCOMPARE(d.cmdPainike()->text(), QStringLiteral("OK"));
        QVERIFY(d.cmdPainike()->isDefault());
        QCOMPARE(d.lblTomenpiteet()->textFormat(), Qt::PlainText);
    }

    // Nothing is cut off: the longer instructions with a folder path of Windows' longest
    // length fit the usual layout; a longer one breaks inside the path and makes the dialog
    // grow; the list and the button stay below the text and inside the dialog.
    void dialogLayoutClipsNothing_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<bool>("created");
        QTest::addColumn<int>("pathLength");
        for (int twips : {15, 12}) {
            for (bool created : {true, false}) {
                for (int length : {22, 260, 2000}) {
                    QTest::addRow("%d twips, %s, %d characters", twips, created ? "kansio" : "kansiosta", length)
                        << twips << created << length;
                }
            }
        }
    }
    void dialogLayoutClipsNothing()
    {
        QFETCH(int, twips);
        QFETCH(bool, created);
        QFETCH(int, pathLength);
        platform::screen::setTwipsPerPixelOverride(twips, twips);
        // Long names without blanks: only a break inside the path can wrap them.
        QString path = QStringLiteral("C:\\Program Files\\Vuska");
        for (int i = 0; path.size() < pathLength; ++i)
            path += u'\\' + QString(80, QChar(u'a' + i % 26)).toUpper() + QStringLiteral("ÄÖ");
        path.truncate(pathLength);
        const QString text = leftoverInstructions(path, created);

        frmPoistamattomatTiedostot usual;
        const int usualHeight = usual.height();
        frmPoistamattomatTiedostot d;
        d.setInstructions(text);
        d.setFiles(tableNames());
        QLabel* label = d.lblTomenpiteet();
        QCOMPARE(label->text(), text);

        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(QStringLiteral("%1 > %2").arg(label->heightForWidth(label->width())).arg(label->height())));
        QVERIFY(label->sizeHint().width() <= label->width());
        QVERIFY(label->sizeHint().height() <= label->height());
        // The path alone needs this many lines of the label's width, and the label counts them.
        const QFontMetrics metrics(label->font());
        const int pathLines = metrics.horizontalAdvance(path) / label->width();
        QVERIFY2(label->heightForWidth(label->width()) >= (pathLines + 1) * metrics.height(),
                 qPrintable(QString::number(pathLines)));
        if (pathLength <= 260)
            QCOMPARE(d.height(), usualHeight);
        else
            QVERIFY(d.height() > usualHeight);

        QVERIFY(label->geometry().left() >= 0 && label->geometry().right() < d.width());
        QVERIFY(label->geometry().bottom() < d.lstTiedostot()->geometry().top());
        QVERIFY(d.lstTiedostot()->geometry().bottom() < d.cmdPainike()->geometry().top());
        QVERIFY(d.lstTiedostot()->geometry().right() < d.width());
        QVERIFY(d.cmdPainike()->geometry().bottom() < d.height());
        QVERIFY(d.cmdPainike()->sizeHint().width() <= d.cmdPainike()->width());
        QVERIFY(d.cmdPainike()->sizeHint().height() <= d.cmdPainike()->height());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.lstTiedostot()->sizeHintForColumn(0) <= d.lstTiedostot()->viewport()->width());

        // What is painted reaches the last line the label counted on.
        const QImage picture = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb background = picture.pixel(picture.width() - 1, picture.height() - 1);
        int lowestInk = -1;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != background)
                    lowestInk = y;
            }
        }
        QVERIFY2(lowestInk >= label->heightForWidth(label->width()) - metrics.height() * 2,
                 qPrintable(QStringLiteral("%1 of %2").arg(lowestInk).arg(label->heightForWidth(label->width()))));
        d.hide();
    }

    // The dialog is modal and centred; OK, Enter, Esc and the close box all close it, with the
    // hourglass while it closes and the default pointer after.
    void dialogClosesWithOk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click OK") << QStringLiteral("click");
        QTest::newRow("Enter") << QStringLiteral("enter");
        QTest::newRow("Enter on the list") << QStringLiteral("enter on list");
        QTest::newRow("Esc") << QStringLiteral("esc");
        QTest::newRow("close box") << QStringLiteral("close");
    }
    void dialogClosesWithOk()
    {
        QFETCH(QString, how);
        frmPoistamattomatTiedostot d;
        ScreenPointer pointerAtClose = ScreenPointer::Default;
        connect(&d, &QDialog::finished, this, [&] { pointerAtClose = platform::screenPointer(); });
        QPoint centreOffset(999, 999);
        bool modal = false;
        {
            const test::OnModal onModal([&](QWidget* w) {
                modal = w == &d && d.isModal();
                const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
                centreOffset = d.geometry().center() - area.center();
                if (how == u"click") {
                    QTest::mouseClick(d.cmdPainike(), Qt::LeftButton);
                } else if (how == u"enter") {
                    QTest::keyClick(w, Qt::Key_Return);
                } else if (how == u"enter on list") {
                    d.lstTiedostot()->setFocus();
                    d.lstTiedostot()->setCurrentRow(0);
                    QTest::keyClick(d.lstTiedostot(), Qt::Key_Return);
                } else if (how == u"esc") {
                    QTest::keyClick(w, Qt::Key_Escape);
                } else {
                    d.close();
                }
            });
            d.showLeftovers(leftoverInstructions(kDefaultFolder, false), {QStringLiteral("setup.exe")});
        }
        QVERIFY(!d.isVisible());
        QVERIFY(modal);
        QVERIFY2(qAbs(centreOffset.x()) <= 1 && qAbs(centreOffset.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(centreOffset.x()).arg(centreOffset.y())));
        QCOMPARE(pointerAtClose, ScreenPointer::Hourglass);
        QCOMPARE(platform::screenPointer(), ScreenPointer::Default);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
};

VUSKA_TEST_MAIN(TestSetupRemoval)
#include "test_setup_removal.moc"
