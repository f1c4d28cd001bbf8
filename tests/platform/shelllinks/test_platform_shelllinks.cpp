#include "platform/shelllinks.h"

#include "platform/desktopentry.h"
#include "platform/drives.h"
#include "platform/registry.h"
#include "tests/support/desktopvalidator.h"
#include "tests/support/execline.h"
#include "tests/support/sandbox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <memory>

using namespace platform::shelllinks;
namespace reg = platform::registry;
namespace de = platform::desktopentry;

namespace {

const QString kShellFolders =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders");
const QString kIconName = QStringLiteral("vuska-test");
// The icon's pictures in the order makeIcons() gives them; 0 is the scalable one.
const QList<int> kIconSides = {16, 32, 48, 0};
const QByteArray kSvgIcon = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 16 16\">"
                            "<rect width=\"16\" height=\"10\" fill=\"red\"/></svg>\n";

// The install-folder names a user may pick, each hard on one rule of the Exec line.
void addFolderRows()
{
    QTest::addColumn<QString>("folderName");
    QTest::newRow("plain") << QStringLiteral("Vuska");
    QTest::newRow("blanks") << QStringLiteral("Program Files/Vuska peli");
    QTest::newRow("percent and dollar") << QStringLiteral("100% $HOME");
    QTest::newRow("apostrophe and backquote") << QStringLiteral("it's `id`");
    QTest::newRow("non-ASCII") << QStringLiteral("Pelit/Äänet ja öljy");
    QTest::newRow("percent and equals") << QStringLiteral("50%=puolet");
    QTest::newRow("double quote") << QStringLiteral("say \"hei\"");
    QTest::newRow("shell metacharacters") << QStringLiteral("a;b&c(d)#~[e]{f}=+,!");
}

QString unescaped(const QMap<QString, QString>& keys, const QString& key)
{
    return de::unescapeValue(keys.value(key));
}

QMap<QString, QString> entryKeys(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return de::readGroup(file.readAll(), QStringLiteral("Desktop Entry"))
        .value_or(QMap<QString, QString>());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file and link below `root` (folders left out) with what it holds or points at.
QMap<QString, QString> snapshot(const QString& root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString relative = QDir(root).relativeFilePath(path);
        if (info.isSymLink())
            entries.insert(relative, QLatin1String("link to ") + info.symLinkTarget());
        else if (info.isFile())
            entries.insert(
                relative,
                QString::fromLatin1(
                    QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha1).toHex()));
    }
    return entries;
}

// The part of a menu file that decides what the menu shows.
struct MenuNode {
    QString name;
    QString directory;
    QStringList categories;
    QStringList appDirs;
    QList<MenuNode> children;
};

MenuNode readMenu(QXmlStreamReader& xml)
{
    MenuNode node;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Menu")
            node.children.append(readMenu(xml));
        else if (xml.name() == u"Name")
            node.name = xml.readElementText();
        else if (xml.name() == u"Directory")
            node.directory = xml.readElementText();
        else if (xml.name() == u"AppDir")
            node.appDirs.append(xml.readElementText());
        else if (xml.name() == u"Include") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"Category")
                    node.categories.append(xml.readElementText());
                else
                    xml.skipCurrentElement();
            }
        } else
            xml.skipCurrentElement();
    }
    return node;
}

// The menu tree of a merge file; an error text instead when it is not a well-formed menu file.
std::pair<MenuNode, QString> parseMenuFile(const QString& path)
{
    QXmlStreamReader xml(fileBytes(path));
    bool sawDoctype = false;
    while (!xml.atEnd() && !xml.isStartElement()) {
        xml.readNext();
        if (xml.isDTD())
            sawDoctype = xml.dtdName() == u"Menu" &&
                         xml.dtdPublicId() == u"-//freedesktop//DTD Menu 1.0//EN";
    }
    if (!sawDoctype)
        return {{}, QStringLiteral("no menu DOCTYPE")};
    if (xml.name() != u"Menu")
        return {{}, QStringLiteral("root element is not <Menu>")};
    MenuNode root = readMenu(xml);
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return {{}, xml.errorString()};
    return {root, {}};
}

} // namespace

class TestShellLinks : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> root_;

    QString root() const { return root_->path(); }
    QString dataHome() const { return root() + QStringLiteral("/data"); }
    QString configHome() const { return root() + QStringLiteral("/config"); }
    QString programsHost() const { return dataHome() + QStringLiteral("/applications"); }
    QString iconFile(int side) const
    {
        if (side == 0)
            return dataHome() + QStringLiteral("/icons/hicolor/scalable/apps/%1.svg").arg(kIconName);
        return dataHome() +
               QStringLiteral("/icons/hicolor/%1x%1/apps/%2.png").arg(side).arg(kIconName);
    }

    static QString windows(const QString& hostPath)
    {
        const QString path = platform::drives::toWindows(hostPath);
        if (path.isEmpty())
            qFatal("no drive holds %s", qPrintable(hostPath));
        return path;
    }

    // An installed game: the three files the shortcuts point at.
    QString makeInstallFolder(const QString& name) const
    {
        const QString folder = root() + QStringLiteral("/inst/") + name;
        for (const char* file : {"vuska.exe", "vuska.hlp", "readme.txt"})
            writeFile(folder + u'/' + QLatin1String(file), "x");
        return folder;
    }

    QStringList makeIcons() const
    {
        QStringList files;
        for (const int side : kIconSides) {
            if (side == 0)
                continue;
            QImage image(side, side, QImage::Format_ARGB32);
            image.fill(QColor(side, 0, 255 - side));
            const QString path = root() + QStringLiteral("/icon-%1.png").arg(side);
            image.save(path, "PNG");
            files.append(path);
        }
        const QString svg = root() + QStringLiteral("/icon.svg");
        writeFile(svg, kSvgIcon);
        files.append(svg);
        return files;
    }

    static void storePrograms(reg::ValueType type, const QByteArray& data)
    {
        std::optional<reg::Key> key = reg::createKey(reg::Hive::CurrentUser, kShellFolders);
        QVERIFY(key.has_value());
        QCOMPARE(reg::setValue(*key, QStringLiteral("Programs"), type, data), reg::Status::Ok);
    }

    // The group with the game's three shortcuts, as the installer makes it.
    void installGroup(const QString& group, const QString& folder)
    {
        const QString target = windows(folder);
        QCOMPARE(fCreateShellFolder(group), ShellSuccess);
        // Described as the installer describes its entries; texts with a ';' or a backslash
        // must come through as they are.
        const LinkDescription game{{QStringLiteral("Game"), QStringLiteral("CardGame")},
                                   QStringLiteral("Korttipeli; \\ tietokonetta vastaan"),
                                   {QStringLiteral("kortit"), QStringLiteral("a;b")},
                                   QStringLiteral("fi.vuska.Testi"),
                                   {}};
        for (const auto& [name, file] : {std::pair{"Vuska", "vuska.exe"}, std::pair{"Vuska-ohje", "vuska.hlp"},
                                         std::pair{"Vuska-pikaohje", "readme.txt"}})
            QCOMPARE(fCreateShellLink(group, QLatin1String(name), target + u'\\' + QLatin1String(file), {}, game),
                     ShellSuccess);
    }

private slots:
    void init()
    {
        root_ = std::make_unique<QTemporaryDir>();
        QVERIFY(root_->isValid());
        QDir().mkpath(dataHome());
        QDir().mkpath(configHome());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
        platform::drives::reset();
        // The drive map is made on first use; made now, it is part of every "before".
        QVERIFY(!platform::drives::driveList().isEmpty());
        setLinkIcon({}, {});
    }

    // With nothing stored, the Programs folder is the desktop's per-user applications folder.
    void programsFolderDefault_data()
    {
        QTest::addColumn<QByteArray>("xdgDataHome");
        QTest::addColumn<QString>("expectedBelowHome");
        QTest::newRow("XDG_DATA_HOME set") << QByteArray("set") << QString();
        QTest::newRow("XDG_DATA_HOME unset")
            << QByteArray() << QStringLiteral("/.local/share/applications");
        QTest::newRow("XDG_DATA_HOME relative")
            << QByteArray("rel/data") << QStringLiteral("/.local/share/applications");
    }
    void programsFolderDefault()
    {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QString, expectedBelowHome);
        if (xdgDataHome.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else if (xdgDataHome != "set")
            qputenv("XDG_DATA_HOME", xdgDataHome);
        const QString expectedHost = expectedBelowHome.isEmpty()
                                         ? programsHost()
                                         : qEnvironmentVariable("HOME") + expectedBelowHome;
        const QString folder = programsFolder();
        QCOMPARE(folder, windows(expectedHost));
        QCOMPARE(platform::drives::toHost(folder), std::optional<QString>(expectedHost));
    }

    // A stored Programs value wins exactly as stored; one that names nothing does not.
    void programsFolderStored_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected"); // empty: the default
        QTest::newRow("REG_SZ") << int(reg::ValueType::String)
                                << QByteArray("C:\\Valikko\\Ohjelmat\0", 21)
                                << QStringLiteral("C:\\Valikko\\Ohjelmat");
        QTest::newRow("non-ASCII")
            << int(reg::ValueType::String) << QByteArray("Z:\\K\xc3\xa4ynnist\xc3\xa4\0", 15)
            << QStringLiteral("Z:\\Käynnistä");
        QTest::newRow("no terminating NUL")
            << int(reg::ValueType::String) << QByteArray("C:\\Ohjelmat")
            << QStringLiteral("C:\\Ohjelmat");
        QTest::newRow("REG_EXPAND_SZ") << int(reg::ValueType::ExpandString)
                                       << QByteArray("C:\\O\0", 5) << QStringLiteral("C:\\O");
        QTest::newRow("empty text")
            << int(reg::ValueType::String) << QByteArray("\0", 1) << QString();
        QTest::newRow("REG_DWORD")
            << int(reg::ValueType::DWord) << QByteArray("\1\0\0\0", 4) << QString();
    }
    void programsFolderStored()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        storePrograms(reg::ValueType(type), data);
        QCOMPARE(programsFolder(), expected.isEmpty() ? windows(programsHost()) : expected);
    }

    // The group is a folder with a submenu of its own, and each shortcut opens its target as
    // a user expects, with the game's icon installed beside the user's other icons.
    void createsGroupAndShortcuts_data() { addFolderRows(); }
    void createsGroupAndShortcuts()
    {
        QFETCH(QString, folderName);
        const QString folder = makeInstallFolder(folderName);
        const QStringList icons = makeIcons();
        QVERIFY(setLinkIcon(kIconName, icons));
        installGroup(QStringLiteral("\\Vuska"), folder);

        const std::optional<GroupFiles> files = groupFiles(QStringLiteral("\\Vuska"));
        QVERIFY(files.has_value());
        QCOMPARE(files->folder, programsHost() + QStringLiteral("/Vuska"));
        QVERIFY(QFileInfo(files->folder).isDir());
        QCOMPARE(QFileInfo(files->menuFile).path(),
                 configHome() + QStringLiteral("/menus/applications-merged"));
        QCOMPARE(QFileInfo(files->directoryFile).path(),
                 dataHome() + QStringLiteral("/desktop-directories"));

        struct Expected {
            QString name;
            QStringList argv;
            QString path;
        };
        // Behind env, a program in a folder with '=' in its name is named from its own folder.
        const QString game = folder + QStringLiteral("/vuska.exe");
        const QString gameForEnv = folder.contains(u'=') ? QStringLiteral("./vuska.exe") : game;
        const QList<Expected> expected = {
            {QStringLiteral("Vuska"),
             folder.contains(u'%') ? QStringList{QStringLiteral("env"), gameForEnv}
                                   : QStringList{game},
             folder},
            {QStringLiteral("Vuska-ohje"),
             {QStringLiteral("env"), QStringLiteral("VUSKA_HELP=contents"), gameForEnv},
             folder},
            {QStringLiteral("Vuska-pikaohje"),
             {QStringLiteral("xdg-open"), folder + QStringLiteral("/readme.txt")},
             QString()},
        };
        QStringList made;
        for (const Expected& link : expected) {
            const std::optional<QString> path = linkFile(QStringLiteral("\\Vuska"), link.name);
            QVERIFY(path.has_value());
            QCOMPARE(QFileInfo(*path).path(), files->folder);
            made.append(QFileInfo(*path).fileName());
            const QMap<QString, QString> keys = entryKeys(*path);
            QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
            QCOMPARE(unescaped(keys, QStringLiteral("Name")), link.name);
            QCOMPARE(vuska::test::parseExecLine(keys.value(QStringLiteral("Exec"))),
                     std::optional<QStringList>(link.argv));
            QCOMPARE(unescaped(keys, QStringLiteral("Path")), link.path);
            QCOMPARE(unescaped(keys, QStringLiteral("Icon")), kIconName);
            // The main categories first, then the group's own; lists keep a ';' of an item.
            QCOMPARE(keys.value(QStringLiteral("Categories")),
                     QStringLiteral("Game;CardGame;") + files->category + u';');
            QCOMPARE(unescaped(keys, QStringLiteral("Comment")), QStringLiteral("Korttipeli; \\ tietokonetta vastaan"));
            QCOMPARE(keys.value(QStringLiteral("Keywords")), QStringLiteral("kortit;a\\;b;"));
            QCOMPARE(keys.value(QStringLiteral("StartupWMClass")), QStringLiteral("fi.vuska.Testi"));
        }
        made.sort();
        QStringList present =
            QDir(files->folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        present.sort();
        QCOMPARE(present, made);

        for (qsizetype i = 0; i < kIconSides.size(); ++i)
            QCOMPARE(fileBytes(iconFile(kIconSides[i])), fileBytes(icons[i]));

        const auto [menu, error] = parseMenuFile(files->menuFile);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(menu.name, QStringLiteral("Applications"));
        QCOMPARE(menu.children.size(), qsizetype(1));
        const MenuNode& group = menu.children.first();
        QCOMPARE(group.directory, QFileInfo(files->directoryFile).fileName());
        QCOMPARE(group.categories, QStringList{files->category});
        QCOMPARE(group.appDirs, QStringList());
        QVERIFY(group.children.isEmpty());

        const QMap<QString, QString> directory = entryKeys(files->directoryFile);
        QCOMPARE(directory.value(QStringLiteral("Type")), QStringLiteral("Directory"));
        QCOMPARE(unescaped(directory, QStringLiteral("Name")), QStringLiteral("Vuska"));
    }

    // The desktop's own validator accepts every entry made, whatever the folder is called.
    void validatorAccepts_data() { addFolderRows(); }
    void validatorAccepts()
    {
        QFETCH(QString, folderName);
        QVERIFY(setLinkIcon(kIconName, makeIcons()));
        // The group is named after the folder too, less what Windows refuses in a name.
        const QString group =
            QStringLiteral("\\Pelit ja hupi\\") + QFileInfo(folderName).fileName().remove(u'"');
        installGroup(group, makeInstallFolder(folderName));
        const std::optional<GroupFiles> files = groupFiles(group);
        QVERIFY(files.has_value());
        QStringList checked = {files->directoryFile};
        for (const char* name : {"Vuska", "Vuska-ohje", "Vuska-pikaohje"})
            checked.append(linkFile(group, QLatin1String(name)).value_or(QString()));
        for (const QString& file : std::as_const(checked)) {
            const QString complaints = vuska::test::validatorOutput(file);
            QVERIFY2(complaints.isEmpty(), qPrintable(file + QStringLiteral(":\n") + complaints));
        }
    }

    // Started the way a desktop starts them, the shortcuts run the game from its folder, the
    // help one with the help request set.
    void launchesTheGame_data() { addFolderRows(); }
    void launchesTheGame()
    {
        QFETCH(QString, folderName);
        qunsetenv(HelpRequestVariable);
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty())
            QSKIP("gio is not installed (package libglib2.0-bin): no desktop launcher to start "
                  "entries with");
        const QString folder = makeInstallFolder(folderName);
        const QString record = root() + QStringLiteral("/launched.txt");
        // The stand-in game writes where it runs, the help request and its arguments.
        const QByteArray script =
            "#!/bin/sh\n{ pwd -P; printf '%s\\n' \"${VUSKA_HELP-unset}\" \"$#\" \"$@\"; } > '" +
            QFile::encodeName(record) + ".tmp' && mv '" + QFile::encodeName(record) + ".tmp' '" +
            QFile::encodeName(record) + "'\n";
        QVERIFY(writeFile(folder + QStringLiteral("/vuska.exe"), script));
        QFile::setPermissions(folder + QStringLiteral("/vuska.exe"), QFileDevice::ReadOwner |
                                                                         QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
        if (!QFileInfo(folder + QStringLiteral("/vuska.exe")).isExecutable())
            QSKIP("the temporary folder does not let programs run (mounted noexec): set TMPDIR elsewhere");
        installGroup(QStringLiteral("\\Vuska"), folder);

        const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
        const QList<std::pair<QString, QStringList>> cases = {
            {QStringLiteral("Vuska"),
             {canonicalFolder, QStringLiteral("unset"), QStringLiteral("0")}},
            {QStringLiteral("Vuska-ohje"),
             {canonicalFolder, QStringLiteral("contents"), QStringLiteral("0")}},
        };
        for (const auto& [link, expected] : cases) {
            QFile::remove(record);
            QProcess launcher;
            launcher.setProcessChannelMode(QProcess::ForwardedChannels);
            launcher.start(gio, {QStringLiteral("launch"),
                                 linkFile(QStringLiteral("\\Vuska"), link).value_or(QString())});
            QVERIFY2(launcher.waitForFinished(30000), "gio launch did not finish");
            QCOMPARE(launcher.exitCode(), 0);
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(record), 20000);
            QCOMPARE(QString::fromUtf8(fileBytes(record)).split(u'\n', Qt::SkipEmptyParts),
                     expected);
        }
    }

    // Arguments reach a program; the target's extension, in any letter case, decides the rest.
    void targetsByExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("argvAfterFolder"); // "{}" stands for the folder
        QTest::addColumn<bool>("startsInFolder");
        QTest::newRow("program") << "vuska.exe"
                                 << "" << QStringList{"{}/vuska.exe"} << true;
        QTest::newRow("program, upper case") << "VUSKA.EXE"
                                             << "" << QStringList{"{}/vuska.exe"} << true;
        QTest::newRow("program with arguments")
            << "vuska.exe"
            << "-a \"b c\"" << QStringList{"{}/vuska.exe", "-a", "b c"} << true;
        QTest::newRow("help") << "vuska.hlp"
                              << "" << QStringList{"env", "VUSKA_HELP=contents", "{}/vuska.exe"}
                              << true;
        QTest::newRow("help, upper case")
            << "VUSKA.HLP"
            << "-x" << QStringList{"env", "VUSKA_HELP=contents", "{}/vuska.exe"} << true;
        QTest::newRow("text") << "readme.txt"
                              << "-x" << QStringList{"xdg-open", "{}/readme.txt"} << false;
        QTest::newRow("text, upper case")
            << "README.TXT"
            << "" << QStringList{"xdg-open", "{}/readme.txt"} << false;
        QTest::newRow("picture") << "kuva.jpg"
                                 << "" << QStringList{"xdg-open", "{}/kuva.jpg"} << false;
        QTest::newRow("no extension") << "lueminut"
                                      << "" << QStringList{"xdg-open", "{}/lueminut"} << false;
    }
    void targetsByExtension()
    {
        QFETCH(QString, file);
        QFETCH(QString, arguments);
        QFETCH(QStringList, argvAfterFolder);
        QFETCH(bool, startsInFolder);
        const QString folder = makeInstallFolder(QStringLiteral("Peli"));
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        QCOMPARE(fCreateShellLink(QStringLiteral("\\Vuska"), QStringLiteral("Linkki"),
                                  windows(folder) + u'\\' + file, arguments),
                 ShellSuccess);
        const QMap<QString, QString> keys = entryKeys(
            linkFile(QStringLiteral("\\Vuska"), QStringLiteral("Linkki")).value_or(QString()));
        argvAfterFolder.replaceInStrings(QStringLiteral("{}"), folder);
        QCOMPARE(vuska::test::parseExecLine(keys.value(QStringLiteral("Exec"))),
                 std::optional<QStringList>(argvAfterFolder));
        QCOMPARE(unescaped(keys, QStringLiteral("Path")), startsInFolder ? folder : QString());
        QCOMPARE(unescaped(keys, QStringLiteral("X-Vuska-Target")), windows(folder) + u'\\' + file);
        // Without an icon given, the entry names none rather than one that is not there.
        QVERIFY(!keys.contains(QStringLiteral("Icon")));
    }

    // Every shortcut name gets a file of its own, directly in the group's folder, and keeps its
    // name exactly in the menu.
    void shortcutNames()
    {
        const QStringList names = {QStringLiteral("Vuska"),
                                   QStringLiteral("Vuska ohje"),
                                   QStringLiteral("Vuska_ohje"),
                                   QStringLiteral("a/b"),
                                   QStringLiteral(".."),
                                   QStringLiteral(".piilo"),
                                   QStringLiteral("Äänet"),
                                   QStringLiteral("-viiva"),
                                   QStringLiteral("Vuska.desktop"),
                                   QStringLiteral(";&|\\\"$`%"),
                                   QStringLiteral("  reunat  "),
                                   QString(300, u'ö'),
                                   QString(300, u'x')};
        const QString target =
            windows(makeInstallFolder(QStringLiteral("Peli"))) + QStringLiteral("\\vuska.exe");
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        const QString folder = programsHost() + QStringLiteral("/Vuska");
        for (const QString& name : names) {
            QCOMPARE(fCreateShellLink(QStringLiteral("\\Vuska"), name, target, {}), ShellSuccess);
            const std::optional<QString> path = linkFile(QStringLiteral("\\Vuska"), name);
            QVERIFY(path.has_value());
            QCOMPARE(QFileInfo(*path).path(), folder);
            QVERIFY2(QFileInfo(*path).fileName().endsWith(QLatin1String(".desktop")),
                     qPrintable(*path));
            QVERIFY(QFile::encodeName(QFileInfo(*path).fileName()).size() <= 255);
            QCOMPARE(unescaped(entryKeys(*path), QStringLiteral("Name")), name);
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), names.size());
        for (const QString& name : names)
            QCOMPARE(fRemoveShellLink(QStringLiteral("\\Vuska"), name), ShellSuccess);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // Removing the shortcuts and the group leaves every file as it was before, the user's own
    // menus and icons included; the icon stays while a shortcut still shows it.
    void removesExactlyWhatItMade_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("one level") << QStringLiteral("\\Vuska") << QStringList{"Vuska"};
        QTest::newRow("nested") << QStringLiteral("\\Pelit\\Vuska")
                                << QStringList{"Pelit", "Vuska"};
        QTest::newRow("non-ASCII, doubled and trailing separators")
            << QStringLiteral("\\\\Pelit ja hupi\\Äänet\\")
            << QStringList{"Pelit ja hupi", "Äänet"};
        QTest::newRow("trailing dots and blanks dropped")
            << QStringLiteral("\\Vuska. .") << QStringList{"Vuska"};
    }
    void removesExactlyWhatItMade()
    {
        QFETCH(QString, group);
        QFETCH(QStringList, levels);
        const QString folder = makeInstallFolder(QStringLiteral("Peli"));
        const QStringList icons = makeIcons();
        QVERIFY(writeFile(programsHost() + QStringLiteral("/oma.desktop"), "[Desktop Entry]\n"));
        QVERIFY(writeFile(configHome() + QStringLiteral("/menus/applications-merged/oma.menu"),
                          "<Menu/>"));
        QVERIFY(writeFile(dataHome() + QStringLiteral("/desktop-directories/oma.directory"),
                          "[Desktop Entry]\n"));
        QVERIFY(writeFile(dataHome() + QStringLiteral("/icons/hicolor/16x16/apps/oma.png"), "png"));
        const QMap<QString, QString> before = snapshot(root());

        QVERIFY(setLinkIcon(kIconName, icons));
        installGroup(group, folder);
        const std::optional<GroupFiles> files = groupFiles(group);
        QVERIFY(files.has_value());
        QCOMPARE(files->folder, programsHost() + u'/' + levels.join(u'/'));

        // A nested group is a submenu in a submenu, each level with its own name.
        const auto [menu, error] = parseMenuFile(files->menuFile);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const MenuNode* node = &menu;
        for (const QString& level : levels) {
            QCOMPARE(node->children.size(), qsizetype(1));
            QVERIFY(node->categories.isEmpty());
            node = &node->children.first();
            const QString directory =
                dataHome() + QStringLiteral("/desktop-directories/") + node->directory;
            QCOMPARE(unescaped(entryKeys(directory), QStringLiteral("Name")), level);
        }
        QCOMPARE(node->categories, QStringList{files->category});

        QCOMPARE(fRemoveShellLink(group, QStringLiteral("Vuska")), ShellSuccess);
        QCOMPARE(fRemoveShellLink(group, QStringLiteral("Vuska-ohje")), ShellSuccess);
        for (const int side : kIconSides)
            QVERIFY2(QFileInfo::exists(iconFile(side)),
                     "the icon went while a shortcut still shows it");
        QCOMPARE(fRemoveShellLink(group, QStringLiteral("Vuska-pikaohje")), ShellSuccess);
        for (const int side : kIconSides)
            QVERIFY2(!QFileInfo::exists(iconFile(side)), "the icon stayed after its last shortcut");
        QVERIFY2(QFileInfo::exists(files->menuFile), "the submenu went before its group");
        QCOMPARE(removeShellFolder(group), ShellSuccess);

        QCOMPARE(snapshot(root()), before);
        QVERIFY(!QFileInfo::exists(programsHost() + u'/' + levels.first()));
        // Asked again, there is nothing left to remove.
        QCOMPARE(fRemoveShellLink(group, QStringLiteral("Vuska")), ShellSuccess);
        QCOMPARE(removeShellFolder(group), ShellSuccess);
    }

    // Folders that were there before the group stay; so does a shared upper level in use.
    void keepsFoldersItDidNotMake()
    {
        QVERIFY(QDir().mkpath(programsHost() + QStringLiteral("/Pelit")));
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Pelit\\Vuska")), ShellSuccess);
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Pelit\\Vuska")), ShellSuccess);
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Uudet\\Vuska")), ShellSuccess);
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Uudet\\Muu")), ShellSuccess);

        QCOMPARE(removeShellFolder(QStringLiteral("\\Pelit\\Vuska")), ShellSuccess);
        QVERIFY(!QFileInfo::exists(programsHost() + QStringLiteral("/Pelit/Vuska")));
        QVERIFY2(QFileInfo(programsHost() + QStringLiteral("/Pelit")).isDir(),
                 "removed a folder it did not make");

        QCOMPARE(removeShellFolder(QStringLiteral("\\Uudet\\Muu")), ShellSuccess);
        QVERIFY(!QFileInfo::exists(programsHost() + QStringLiteral("/Uudet/Muu")));
        QVERIFY2(QFileInfo(programsHost() + QStringLiteral("/Uudet/Vuska")).isDir(),
                 "removed another group");
        QCOMPARE(removeShellFolder(QStringLiteral("\\Uudet\\Vuska")), ShellSuccess);
        QVERIFY2(!QFileInfo::exists(programsHost() + QStringLiteral("/Uudet")),
                 "left the upper folder it made");
    }

    // Shortcuts put into a folder that was there already get a submenu, which goes with them.
    void existingFolderGetsSubmenu()
    {
        QVERIFY(QDir().mkpath(programsHost() + QStringLiteral("/Vanha")));
        const QString target =
            windows(makeInstallFolder(QStringLiteral("Peli"))) + QStringLiteral("\\vuska.exe");
        QCOMPARE(fCreateShellLink(QStringLiteral("\\Vanha"), QStringLiteral("Vuska"), target, {}),
                 ShellSuccess);
        const std::optional<GroupFiles> files = groupFiles(QStringLiteral("\\Vanha"));
        QVERIFY(files.has_value());
        QVERIFY(QFileInfo::exists(files->menuFile));
        QCOMPARE(unescaped(entryKeys(files->directoryFile), QStringLiteral("Name")),
                 QStringLiteral("Vanha"));

        QCOMPARE(fRemoveShellLink(QStringLiteral("\\Vanha"), QStringLiteral("Vuska")),
                 ShellSuccess);
        QVERIFY(!QFileInfo::exists(files->menuFile));
        QVERIFY(!QFileInfo::exists(files->directoryFile));
        QVERIFY(QFileInfo(files->folder).isDir());
        // A shortcut into a folder that is not there is not made.
        QCOMPARE(fCreateShellLink(QStringLiteral("\\Puuttuu"), QStringLiteral("Vuska"), target, {}),
                 ShellFailure);
        QVERIFY(!QFileInfo::exists(programsHost() + QStringLiteral("/Puuttuu")));
    }

    // Anything else in the group's folder keeps the folder, untouched, and the call says so.
    void userContentKeepsFolder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("file") << QStringLiteral("file");
        QTest::newRow("someone else's entry") << QStringLiteral("entry");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("link to a file outside") << QStringLiteral("link");
        QTest::newRow("dangling link") << QStringLiteral("dangling");
    }
    void userContentKeepsFolder()
    {
        QFETCH(QString, kind);
        installGroup(QStringLiteral("\\Vuska"), makeInstallFolder(QStringLiteral("Peli")));
        const std::optional<GroupFiles> files = groupFiles(QStringLiteral("\\Vuska"));
        QVERIFY(files.has_value());
        const QString item = files->folder + QStringLiteral("/oma");
        const QString outside = root() + QStringLiteral("/ulkona.txt");
        QVERIFY(writeFile(outside, "keep me"));
        if (kind == u"file")
            QVERIFY(writeFile(item, "muistio"));
        else if (kind == u"entry")
            QVERIFY(writeFile(item + QStringLiteral(".desktop"),
                              "[Desktop Entry]\nType=Application\nName=Oma\nExec=true\n"));
        else if (kind == u"folder")
            QVERIFY(QDir().mkpath(item + QStringLiteral("/sisalla")));
        else
            QVERIFY(
                QFile::link(kind == u"link" ? outside : root() + QStringLiteral("/ei-ole"), item));
        for (const char* name : {"Vuska", "Vuska-ohje", "Vuska-pikaohje"})
            QCOMPARE(fRemoveShellLink(QStringLiteral("\\Vuska"), QLatin1String(name)),
                     ShellSuccess);
        const QMap<QString, QString> users = snapshot(files->folder);
        QCOMPARE(users.size(), kind == u"folder" ? 0 : 1);
        QCOMPARE(removeShellFolder(QStringLiteral("\\Vuska")), ShellFailure);
        QVERIFY(QFileInfo(files->folder).isDir());
        QCOMPARE(snapshot(files->folder), users);
        QCOMPARE(fileBytes(outside), QByteArray("keep me"));
        QVERIFY(!QFileInfo::exists(files->menuFile));
        QVERIFY(!QFileInfo::exists(files->directoryFile));
    }

    // A file under one of our names that is not ours is neither replaced nor deleted.
    void foreignFilesStay_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("someone else's file") << QStringLiteral("file");
        QTest::newRow("link to an entry of ours elsewhere") << QStringLiteral("link");
        QTest::newRow("folder") << QStringLiteral("folder");
    }
    void foreignFilesStay()
    {
        QFETCH(QString, kind);
        const QString target =
            windows(makeInstallFolder(QStringLiteral("Peli"))) + QStringLiteral("\\vuska.exe");
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        // An entry of ours, moved out of the menu, for the link to point at.
        QCOMPARE(fCreateShellLink(QStringLiteral("\\Vuska"), QStringLiteral("Vuska"), target, {}),
                 ShellSuccess);
        const QString path =
            linkFile(QStringLiteral("\\Vuska"), QStringLiteral("Vuska")).value_or(QString());
        const QString elsewhere = root() + QStringLiteral("/siirretty.desktop");
        QVERIFY(QFile::rename(path, elsewhere));
        if (kind == u"file")
            QVERIFY(writeFile(path, "[Desktop Entry]\nType=Application\nName=Vuska\nExec=true\n"));
        else if (kind == u"link")
            QVERIFY(QFile::link(elsewhere, path));
        else
            QVERIFY(QDir().mkdir(path));
        const QMap<QString, QString> before = snapshot(root());

        QCOMPARE(fCreateShellLink(QStringLiteral("\\Vuska"), QStringLiteral("Vuska"), target, {}),
                 ShellFailure);
        QCOMPARE(fRemoveShellLink(QStringLiteral("\\Vuska"), QStringLiteral("Vuska")),
                 ShellFailure);
        QCOMPARE(snapshot(root()), before);
        QVERIFY(QFileInfo(path).isSymLink() || QFileInfo::exists(path));
    }

    // Whatever stands in the way, a call fails and leaves nothing behind.
    void failsLeavingNothing_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("linkRemoval"); // removing what is not there succeeds
        QTest::addColumn<int>("folderRemoval");
        QTest::newRow("Programs folder is a file") << "programs-is-file"
                                                   << "\\Vuska" << ShellSuccess << ShellSuccess;
        QTest::newRow("Programs folder below a file") << "programs-below-file"
                                                      << "\\Vuska" << ShellSuccess << ShellSuccess;
        QTest::newRow("Programs folder on an unmapped drive")
            << "programs-unmapped"
            << "\\Vuska" << ShellFailure << ShellFailure;
        QTest::newRow("Programs folder not a Windows path")
            << "programs-relative"
            << "\\Vuska" << ShellFailure << ShellFailure;
        QTest::newRow("menu folder is a file") << "menus-is-file"
                                               << "\\Vuska" << ShellSuccess << ShellSuccess;
        QTest::newRow("directory-entry folder is a file")
            << "directories-is-file"
            << "\\Vuska" << ShellSuccess << ShellSuccess;
        QTest::newRow("someone else's directory entry")
            << "foreign-directory"
            << "\\Vuska" << ShellSuccess << ShellSuccess;
        QTest::newRow("someone else's menu file") << "foreign-menu"
                                                  << "\\Vuska" << ShellSuccess << ShellSuccess;
        QTest::newRow("group is a file") << "group-is-file"
                                         << "\\Vuska" << ShellSuccess << ShellFailure;
        QTest::newRow("no name") << ""
                                 << "" << ShellFailure << ShellFailure;
        QTest::newRow("only a backslash") << ""
                                          << "\\" << ShellFailure << ShellFailure;
        QTest::newRow("dot") << ""
                             << "\\." << ShellFailure << ShellFailure;
        QTest::newRow("dot dot") << ""
                                 << "\\.." << ShellFailure << ShellFailure;
        QTest::newRow("climbing out") << ""
                                      << "\\Vuska\\..\\..\\x" << ShellFailure << ShellFailure;
        QTest::newRow("blanks and dots") << ""
                                         << "\\ . " << ShellFailure << ShellFailure;
        QTest::newRow("slash") << ""
                               << "\\AC/DC" << ShellFailure << ShellFailure;
        QTest::newRow("colon") << ""
                               << "\\a:b" << ShellFailure << ShellFailure;
        QTest::newRow("asterisk") << ""
                                  << "\\a*b" << ShellFailure << ShellFailure;
        QTest::newRow("question mark") << ""
                                       << "\\a?b" << ShellFailure << ShellFailure;
        QTest::newRow("double quote") << ""
                                      << "\\a\"b" << ShellFailure << ShellFailure;
        QTest::newRow("angle brackets") << ""
                                        << "\\a<b>" << ShellFailure << ShellFailure;
        QTest::newRow("bar") << ""
                             << "\\a|b" << ShellFailure << ShellFailure;
        QTest::newRow("control character") << ""
                                           << "\\a\tb" << ShellFailure << ShellFailure;
    }
    void failsLeavingNothing()
    {
        QFETCH(QString, setup);
        QFETCH(QString, group);
        QFETCH(int, linkRemoval);
        QFETCH(int, folderRemoval);
        // Plain files where folders belong: permissions would not stop a test run as root.
        const QString blocker = root() + QStringLiteral("/tiedosto");
        QVERIFY(writeFile(blocker, "x"));
        if (setup == u"programs-is-file")
            storePrograms(reg::ValueType::String, windows(blocker).toUtf8());
        else if (setup == u"programs-below-file")
            storePrograms(reg::ValueType::String,
                          (windows(blocker) + QStringLiteral("\\Ohjelmat")).toUtf8());
        else if (setup == u"programs-unmapped")
            storePrograms(reg::ValueType::String, "Q:\\Ohjelmat");
        else if (setup == u"programs-relative")
            storePrograms(reg::ValueType::String, "Ohjelmat");
        else if (setup == u"menus-is-file")
            QVERIFY(writeFile(configHome() + QStringLiteral("/menus"), "x"));
        else if (setup == u"directories-is-file")
            QVERIFY(writeFile(dataHome() + QStringLiteral("/desktop-directories"), "x"));
        else if (setup == u"group-is-file")
            QVERIFY(writeFile(programsHost() + QStringLiteral("/Vuska"), "x"));
        else if (setup == u"foreign-directory" || setup == u"foreign-menu") {
            QCOMPARE(fCreateShellFolder(group), ShellSuccess);
            const std::optional<GroupFiles> files = groupFiles(group);
            QVERIFY(files.has_value());
            const QString taken = setup == u"foreign-menu" ? files->menuFile : files->directoryFile;
            QCOMPARE(removeShellFolder(group), ShellSuccess);
            QVERIFY(writeFile(taken, "not ours"));
        }
        const QString target =
            windows(makeInstallFolder(QStringLiteral("Peli"))) + QStringLiteral("\\vuska.exe");
        const QMap<QString, QString> before = snapshot(root());

        QCOMPARE(fCreateShellFolder(group), ShellFailure);
        QCOMPARE(fCreateShellLink(group, QStringLiteral("Vuska"), target, {}), ShellFailure);
        QCOMPARE(snapshot(root()), before);
        QVERIFY(!QFileInfo::exists(programsHost() + QStringLiteral("/Vuska")) ||
                setup == u"group-is-file");
        QCOMPARE(fRemoveShellLink(group, QStringLiteral("Vuska")), linkRemoval);
        QCOMPARE(removeShellFolder(group), folderRemoval);
        QCOMPARE(snapshot(root()), before);
    }

    // A shortcut needs a name to show and a target on a drive that is there.
    void refusesUnusableShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target"); // "{}" stands for the install folder
        QTest::newRow("no name") << ""
                                 << "{}\\vuska.exe";
        QTest::newRow("newline in the name") << "Vuska\nohje"
                                             << "{}\\vuska.exe";
        QTest::newRow("unmapped drive") << "Vuska"
                                        << "Q:\\Vuska\\vuska.exe";
        QTest::newRow("not a Windows path") << "Vuska"
                                            << "vuska.exe";
        QTest::newRow("control character in the target") << "Vuska"
                                                         << "{}\\vu\x01ska.exe";
    }
    void refusesUnusableShortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        target.replace(QStringLiteral("{}"), windows(makeInstallFolder(QStringLiteral("Peli"))));
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        const QMap<QString, QString> before = snapshot(root());
        QCOMPARE(fCreateShellLink(QStringLiteral("\\Vuska"), name, target, {}), ShellFailure);
        QCOMPARE(snapshot(root()), before);
    }

    // Only square PNG pictures become icons; without one the shortcuts name no icon.
    void iconSources_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QList<int>>("installed");
        // Side 0 is the scalable picture.
        QTest::newRow("all good") << kIconName << QStringList{"png16", "png32", "svg"}
                                  << QList<int>{0, 16, 32};
        QTest::newRow("one good among bad ones")
            << kIconName << QStringList{"jpeg24", "wide", "missing", "garbage", "png32", "png32b", "fake.svg"}
            << QList<int>{32};
        QTest::newRow("scalable only") << kIconName << QStringList{"svg"} << QList<int>{0};
        QTest::newRow("none good") << kIconName << QStringList{"jpeg24", "wide", "fake.svg"} << QList<int>{};
        QTest::newRow("name climbing out") << "../vuska" << QStringList{"png16"} << QList<int>{};
        QTest::newRow("name with a slash") << "a/b" << QStringList{"png16"} << QList<int>{};
        QTest::newRow("no name") << "" << QStringList{"png16"} << QList<int>{};
    }
    void iconSources()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, kinds);
        QFETCH(QList<int>, installed);
        QStringList files;
        QMap<int, QByteArray> expectedBytes;
        for (const QString& kind : kinds) {
            const QString path = root() + u'/' + kind;
            if (kind.startsWith(u"png")) {
                QImage image(kind.mid(3, 2).toInt(), kind.mid(3, 2).toInt(), QImage::Format_RGB32);
                image.fill(kind.endsWith(u'b') ? Qt::red : Qt::blue);
                QVERIFY(image.save(path, "PNG"));
                if (!expectedBytes.contains(image.width()))
                    expectedBytes.insert(image.width(), fileBytes(path));
            } else if (kind == u"jpeg24") {
                QImage image(24, 24, QImage::Format_RGB32);
                image.fill(Qt::green);
                QVERIFY(image.save(path, "JPEG"));
            } else if (kind == u"wide") {
                QImage image(32, 16, QImage::Format_RGB32);
                image.fill(Qt::green);
                QVERIFY(image.save(path, "PNG"));
            } else if (kind == u"garbage") {
                QVERIFY(writeFile(path, "\x89PNG not really"));
            } else if (kind == u"svg") {
                QVERIFY(writeFile(path + QStringLiteral(".svg"), kSvgIcon));
                expectedBytes.insert(0, kSvgIcon);
                files.append(path + QStringLiteral(".svg"));
                continue;
            } else if (kind == u"fake.svg") {
                QVERIFY(writeFile(path, "<html><svg></svg></html>"));
            }
            files.append(path);
        }
        QCOMPARE(setLinkIcon(name, files), !installed.isEmpty());

        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        const QString target =
            windows(makeInstallFolder(QStringLiteral("Peli"))) + QStringLiteral("\\vuska.exe");
        QCOMPARE(fCreateShellLink(QStringLiteral("\\Vuska"), QStringLiteral("Vuska"), target, {}),
                 ShellSuccess);
        const QMap<QString, QString> keys = entryKeys(
            linkFile(QStringLiteral("\\Vuska"), QStringLiteral("Vuska")).value_or(QString()));
        QCOMPARE(unescaped(keys, QStringLiteral("Icon")), installed.isEmpty() ? QString() : name);
        QStringList pngs; // and SVGs
        QDirIterator it(dataHome() + QStringLiteral("/icons"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            pngs.append(QDir(dataHome()).relativeFilePath(it.next()));
        pngs.sort();
        QStringList expected;
        for (const int side : installed) {
            expected.append(side == 0 ? QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(name)
                                      : QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(side).arg(name));
            QCOMPARE(fileBytes(dataHome() + u'/' + expected.last()), expectedBytes.value(side));
        }
        expected.sort();
        QCOMPARE(pngs, expected);
    }

    // An icon two groups' shortcuts show stays until the last of them goes.
    void sharedIconStays()
    {
        QVERIFY(setLinkIcon(kIconName, makeIcons()));
        const QString target =
            windows(makeInstallFolder(QStringLiteral("Peli"))) + QStringLiteral("\\vuska.exe");
        for (const QString& group :
             {QStringLiteral("\\Yksi"), QStringLiteral("\\Kaksi\\Syvempi")}) {
            QCOMPARE(fCreateShellFolder(group), ShellSuccess);
            QCOMPARE(fCreateShellLink(group, QStringLiteral("Vuska"), target, {}), ShellSuccess);
        }
        QCOMPARE(fRemoveShellLink(QStringLiteral("\\Yksi"), QStringLiteral("Vuska")), ShellSuccess);
        QVERIFY(QFileInfo::exists(iconFile(16)));
        QCOMPARE(fRemoveShellLink(QStringLiteral("\\Kaksi\\Syvempi"), QStringLiteral("Vuska")),
                 ShellSuccess);
        QVERIFY(!QFileInfo::exists(iconFile(16)));
    }

    // A Programs folder the desktop does not scan is named to the menu, so its entries show.
    void programsFolderElsewhere()
    {
        const QString elsewhere = root() + QStringLiteral("/Käynnistä-valikko/Ohjelmat");
        QVERIFY(QDir().mkpath(elsewhere));
        storePrograms(reg::ValueType::String, windows(elsewhere).toUtf8() + '\0');
        QCOMPARE(fCreateShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        const std::optional<GroupFiles> files = groupFiles(QStringLiteral("\\Vuska"));
        QVERIFY(files.has_value());
        QCOMPARE(files->folder, elsewhere + QStringLiteral("/Vuska"));
        QVERIFY(QFileInfo(files->folder).isDir());
        const auto [menu, error] = parseMenuFile(files->menuFile);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(menu.children.size(), qsizetype(1));
        QCOMPARE(menu.children.first().appDirs, QStringList{files->folder});
        QCOMPARE(removeShellFolder(QStringLiteral("\\Vuska")), ShellSuccess);
        QVERIFY(!QFileInfo::exists(files->folder));
        QVERIFY(QFileInfo(elsewhere).isDir());
    }
};

VUSKA_TEST_MAIN(TestShellLinks)

#include "test_platform_shelllinks.moc"
