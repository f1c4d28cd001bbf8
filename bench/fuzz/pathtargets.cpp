#include "bench/fuzz/targets.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "platform/desktopentry.h"
#include "platform/drives.h"
#include "platform/shelllinks.h"
#include "setup/uninstall/removal.h"
#include "setup/wizard/filetable.h"
#include "setup/wizard/targetfolder.h"

namespace vuska::fuzz {

namespace {

// Reads the input a byte at a time as the choices of a generator; zeros when it runs out.
class Choices {
public:
    explicit Choices(std::span<const uint8_t> input) : input_(input) {}
    bool more() const { return at_ < input_.size(); }
    uint8_t next() { return at_ < input_.size() ? input_[at_++] : 0; }
    template <size_t N>
    const char* pick(const char* const (&options)[N]) { return options[next() % N]; }

private:
    std::span<const uint8_t> input_;
    size_t at_ = 0;
};

const char* const kLetters[] = {"C", "c", "D", "d", "E", "Z", "z", "Q", "1", " ", "", "CC", "Ä"};
const char* const kAfterLetter[] = {":\\", ":/", ":", ":\\\\", "\\", ":\\ ", " :\\", "::\\"};
const char* const kSeparators[] = {"\\", "/", "\\\\", "\\/", "\\ "};
const char* const kComponents[] = {"Program Files", "PROGRAM FILES", "program files", "Vuska", "VUSKA",
                                   "..", ".", "...", "", " ", "Peli", "peli", "home", "a b", "loppu ",
                                   " alku", "Ääkkönen", "ÄÄKKÖNEN", "straße", "STRASSE", "con", "nul",
                                   "vuska.exe", "x:y", "*", "?", "\"", "<>", "|", "%", "$HOME", "~",
                                   "linkki", "tiedosto.txt"};

QString generatePath(Choices& choices)
{
    QString path;
    const uint8_t shape = choices.next();
    if (shape % 16 == 0)
        path = QStringLiteral("\\\\palvelin\\jako");
    else if (shape % 16 == 1)
        path = QStringLiteral("suhteellinen");
    else
        path = QString::fromUtf8(choices.pick(kLetters)) + QString::fromUtf8(choices.pick(kAfterLetter));
    const int count = choices.next() % 12;
    for (int i = 0; i < count && choices.more(); ++i) {
        if (i > 0)
            path += QString::fromUtf8(choices.pick(kSeparators));
        const uint8_t kind = choices.next();
        if (kind < 200) {
            path += QString::fromUtf8(choices.pick(kComponents));
        } else if (kind < 230) {
            path += QString(1 + choices.next() % 300 + (kind & 1) * 200, QChar(u'a' + kind % 26));
        } else {
            // Raw characters, control characters and NUL among them.
            for (int n = 1 + choices.next() % 8; n > 0; --n)
                path += QChar(char16_t(choices.next() | (kind & 2 ? choices.next() << 8 : 0)));
        }
    }
    if (choices.next() % 4 == 0)
        path += QString::fromUtf8(choices.pick(kSeparators));
    return path;
}

// Whether a host path lies in the folder, compared by whole names.
bool inside(const QString& path, const QString& folder)
{
    const QString clean = QDir::cleanPath(path);
    const QString root = QDir::cleanPath(folder);
    if (clean == root)
        return true;
    return clean.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

std::optional<platform::drives::Drive> driveOf(const QString& windowsPath)
{
    if (windowsPath.size() < 2 || windowsPath[1] != u':')
        return std::nullopt;
    return platform::drives::drive(windowsPath[0]);
}

void checkPath(std::span<const uint8_t> input)
{
    static const char* const name = "paths";
    Choices choices(input);
    const QString path = generatePath(choices);
    const QString shown = path.toHtmlEscaped();

    const std::optional<QString> host = platform::drives::toHost(path);
    if (host) {
        const std::optional<platform::drives::Drive> drive = driveOf(path);
        if (!drive)
            fail(name, QStringLiteral("\"%1\" names no drive but leads to %2").arg(shown, *host));
        if (!inside(*host, drive->hostRoot))
            fail(name, QStringLiteral("\"%1\" leads to %2, outside its drive's folder %3").arg(shown, *host, drive->hostRoot));
    }

    const setup::TargetFolderCheck check = setup::checkTargetFolder(path);
    if (check.verdict == setup::TargetFolderCheck::Verdict::Accepted) {
        const std::optional<platform::drives::Drive> drive = driveOf(path);
        if (!drive)
            fail(name, QStringLiteral("step 2 accepts \"%1\", which names no drive").arg(shown));
        if (!check.host || !inside(*check.host, drive->hostRoot))
            fail(name, QStringLiteral("step 2 accepts \"%1\" as a folder outside its drive").arg(shown));
        if (check.folder.endsWith(u'\\') && check.folder != path.chopped(1))
            fail(name, QStringLiteral("step 2 keeps a trailing backslash of \"%1\"").arg(shown));
    }

    // The uninstaller takes a recorded folder as setup records it: "C:" is a drive's root.
    const QList<std::pair<QString, QString>> removal = setup::removalPaths(path);
    if (!removal.isEmpty()) {
        const std::optional<QString> folderHost = setup::hostFolder(path);
        if (!folderHost)
            fail(name, QStringLiteral("the uninstaller deletes in \"%1\", which no drive holds").arg(shown));
        const std::span<const setup::InstallFile> files = setup::installationFiles();
        if (removal.size() != qsizetype(files.size()))
            fail(name, QStringLiteral("the uninstaller names %1 files").arg(removal.size()));
        const QString folder = folderHost->endsWith(u'/') ? *folderHost : *folderHost + u'/';
        for (qsizetype i = 0; i < removal.size(); ++i) {
            const QString tableName = QString::fromUtf8(files[size_t(i)].name);
            if (removal[i].first != tableName || removal[i].second != folder + tableName)
                fail(name, QStringLiteral("the uninstaller would delete %1 for \"%2\"").arg(removal[i].second, shown));
            if (!inside(removal[i].second, driveOf(path)->hostRoot))
                fail(name, QStringLiteral("the uninstaller would delete %1, outside the drive").arg(removal[i].second));
        }
    }
}

// Splits an Exec value as a desktop reads it (string escapes undone first), or nothing when it
// breaks the rules: a reserved character outside double quotes, a backslash inside them before
// anything but " ` $ \, an unclosed quote, or a '%' that is not "%%".
std::optional<QStringList> parseExec(const QString& value)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const QString exec = platform::desktopentry::unescapeValue(value);
    QStringList argv;
    QString current;
    bool inArgument = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == u' ') {
            if (inArgument)
                argv << current;
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == u'"') {
            for (++i;; ++i) {
                if (i >= exec.size())
                    return std::nullopt;
                const QChar q = exec[i];
                if (q == u'"')
                    break;
                if (q == u'\\') {
                    if (i + 1 >= exec.size() || !QStringLiteral("\"`$\\").contains(exec[i + 1]))
                        return std::nullopt;
                    current += exec[++i];
                } else if (q == u'`' || q == u'$') {
                    return std::nullopt;
                } else {
                    current += q;
                }
            }
            continue;
        }
        if (reserved.contains(c))
            return std::nullopt;
        current += c;
    }
    if (inArgument)
        argv << current;
    for (QString& argument : argv) {
        QString plain;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] != u'%') {
                plain += argument[i];
            } else if (i + 1 < argument.size() && argument[i + 1] == u'%') {
                plain += u'%';
                ++i;
            } else {
                return std::nullopt;
            }
        }
        argument = plain;
    }
    return argv;
}

const QString kGroup = QStringLiteral("\\Kokeilu");
const QString kLink = QStringLiteral("Vuska");

void checkDesktop(std::span<const uint8_t> input)
{
    static const char* const name = "desktop";
    // A folder of the input's characters, on the sandbox's C: drive.
    Choices choices(input);
    QString folder = QStringLiteral("C:\\");
    static const char16_t special[] = {u' ', u'"', u'\'', u'$', u'`', u'\\', u'%', u'=', u';', u'\n',
                                       u'\t', u'#', u'&', u'(', u'~', u'ä', u'€', u'*', u'\x7f', u'\x01'};
    while (choices.more()) {
        const uint8_t c = choices.next();
        if (c < 100)
            folder += QChar(special[c % std::size(special)]);
        else if (c < 230)
            folder += QChar(u'a' + c % 26);
        else if (c < 250)
            folder += QChar(char16_t(0xa0 + choices.next()));
        else
            folder += QString(1 + choices.next(), QChar(u'x'));
    }
    const QString target = folder + QStringLiteral("\\vuska.exe");
    platform::shelllinks::fRemoveShellLink(kGroup, kLink);
    const std::optional<QString> file = platform::shelllinks::linkFile(kGroup, kLink);
    if (!file)
        fail(name, QStringLiteral("the shortcut has no file name"));
    const int made = platform::shelllinks::fCreateShellLink(kGroup, kLink, target, QString());
    if (made != platform::shelllinks::ShellSuccess) {
        if (QFile::exists(*file))
            fail(name, QStringLiteral("a refused shortcut left its file behind"));
        return;
    }
    QFile entryFile(*file);
    if (!entryFile.open(QIODevice::ReadOnly))
        fail(name, QStringLiteral("the shortcut's file cannot be read"));
    const QByteArray text = entryFile.readAll();
    const auto group = platform::desktopentry::readGroup(text, QStringLiteral("Desktop Entry"));
    if (!group || !group->contains(QStringLiteral("Exec")))
        fail(name, QStringLiteral("the shortcut is no desktop entry with an Exec key: %1").arg(QString::fromUtf8(text)));
    const std::optional<QStringList> argv = parseExec(group->value(QStringLiteral("Exec")));
    if (!argv || argv->isEmpty())
        fail(name, QStringLiteral("the Exec value breaks the quoting rules: %1").arg(group->value(QStringLiteral("Exec"))));
    const std::optional<QString> host = platform::drives::toHost(target);
    QString program = argv->first() == QLatin1String("env") && argv->size() > 1 ? argv->at(1) : argv->first();
    if (argv->first() == QLatin1String("env") && program.contains(u'='))
        fail(name, QStringLiteral("env would take the program %1 for a variable").arg(program));
    if (program.startsWith(QLatin1String("./")))
        program = platform::desktopentry::unescapeValue(group->value(QStringLiteral("Path"))) + program.mid(1);
    if (!host || program != *host)
        fail(name, QStringLiteral("the entry runs %1, not %2").arg(program, host.value_or(QString())));
}

} // namespace

Target pathsTarget(const QString&)
{
    std::vector<QByteArray> seeds{QByteArray("\x05\x00\x01\x05\x00\x03\x00\x00", 8), QByteArray("\x07\x02\x01\x05\x06\x06\x06", 7),
                                  QByteArray("\x08\x04\x04\x0a\x00\x0a\x01\x0a\x03", 9), QByteArray(64, '\x11'),
                                  QByteArray("\x02\x05\x00\x05\xe0\x20\x05\x00\xf0\x08\x41\x00\x2f\x00", 14)};
    return {"paths", 1000000, seeds, nullptr, checkPath};
}

Target desktopTarget(const QString&)
{
    std::vector<QByteArray> seeds{QByteArray("Program Files"), QByteArray("Peli\x01kansio"), QByteArray("a\x05\x06\x07z"),
                                  QByteArray("\x0c\x0d\x0e\x0f\x10\x11"), QByteArray("x\xfa\x20y")};
    return {"desktop", 100000, seeds,
            [] {
                startApplication();
                if (platform::shelllinks::fCreateShellFolder(kGroup) != platform::shelllinks::ShellSuccess)
                    fail("desktop", QStringLiteral("the program group cannot be made"));
            },
            checkDesktop};
}

void prepareSandbox(const QString& sandbox)
{
    qputenv("HOME", sandbox.toUtf8());
    qputenv("XDG_CONFIG_HOME", (sandbox + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (sandbox + QStringLiteral("/data")).toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The picture reader's complaints about each damaged picture would drown the figures.
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    QDir().mkpath(sandbox + QStringLiteral("/run"));
    QFile::setPermissions(sandbox + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (sandbox + QStringLiteral("/run")).toUtf8());
    const QString drives = sandbox + QStringLiteral("/drives");
    for (const char* folder : {"c/Program Files/Vuska", "c/PROGRAM FILES/Muu", "c/program files", "c/Peli",
                               "c/peli", "c/Ääkkönen", "c/straße", "d/Peli/Vuska", "z/home"})
        QDir().mkpath(drives + u'/' + QString::fromUtf8(folder));
    QFile::link(sandbox, drives + QStringLiteral("/c/linkki"));
    QFile file(drives + QStringLiteral("/c/tiedosto.txt"));
    if (file.open(QIODevice::WriteOnly))
        file.write("user's own\n");
    QDir().mkpath(sandbox + QStringLiteral("/config/vuska-drives"));
    QFile map(sandbox + QStringLiteral("/config/vuska-drives/drives.ini"));
    if (map.open(QIODevice::WriteOnly)) {
        map.write(QStringLiteral("C=%1/c\nD=%1/d\nE=%1/puuttuu\nZ=%2\n").arg(drives, sandbox).toUtf8());
    }
    platform::drives::reset();
}

std::vector<NamedTarget> allTargets(const QString& setFolder)
{
    return {{"registry", registryTarget},
            {"picture", [setFolder](const QString& sandbox) { return pictureTarget(sandbox, setFolder); }},
            {"help", [setFolder](const QString& sandbox) { return helpTarget(sandbox, setFolder); }},
            {"paths", pathsTarget},
            {"desktop", desktopTarget}};
}

void startApplication()
{
    // Named as the program that runs, fuzz_NAME.
    static int argc = 1;
    static char* argv[] = {program_invocation_name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
}

} // namespace vuska::fuzz
