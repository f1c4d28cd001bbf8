#include "platform/shelllinks.h"

#include "platform/desktopentry.h"
#include "platform/drives.h"
#include "platform/registry.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamWriter>

#include <algorithm>
#include <mutex>
#include <sys/stat.h>
#include <utility>

namespace platform::shelllinks {

namespace de = platform::desktopentry;

namespace {

const QString kEntryGroup = QStringLiteral("Desktop Entry");

// Keys of our own that mark a file as ours and remember what removing it must undo.
const QString kTargetKey = QStringLiteral("X-Vuska-Target");       // shortcut: its target
const QString kIconSizesKey = QStringLiteral("X-Vuska-IconSizes"); // shortcut: icons it installed
const QString kGroupKey = QStringLiteral("X-Vuska-Group");         // directory entry: its group
const QString kCreatedKey =
    QStringLiteral("X-Vuska-CreatedFolders"); // levels fCreateShellFolder made

const QString kShellFoldersKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders");
const QString kProgramsValue = QStringLiteral("Programs");
// Far more than any path; a longer value is no folder and counts as none.
constexpr qsizetype kMaxProgramsValueBytes = 32768;

// Nothing we write comes near this; a bigger file is not one of ours.
constexpr qint64 kMaxOwnFileBytes = 1 << 20;
constexpr qint64 kMaxIconFileBytes = 4 << 20;
constexpr int kMaxIconSide = 1024;
constexpr qsizetype kMaxReadablePart = 40;

// ---------------------------------------------------------------------------------------------
// Environment

QString xdgFolder(const char* variable, const char* fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + QLatin1String(fallbackBelowHome));
    return {};
}

QString dataHome()
{
    return xdgFolder("XDG_DATA_HOME", "/.local/share");
}
QString configHome()
{
    return xdgFolder("XDG_CONFIG_HOME", "/.config");
}

// The folders a desktop scans for applications without being told.
QStringList defaultApplicationFolders()
{
    QStringList roots;
    if (const QString home = dataHome(); !home.isEmpty())
        roots.append(home);
    QStringList dirs = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
    dirs.removeIf([](const QString& d) { return !QDir::isAbsolutePath(d); });
    if (dirs.isEmpty())
        dirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    for (const QString& d : std::as_const(dirs))
        roots.append(QDir::cleanPath(d));
    QStringList folders;
    for (const QString& root : std::as_const(roots))
        folders.append(root + QLatin1String("/applications"));
    return folders;
}

// ---------------------------------------------------------------------------------------------
// Files, looked at without following symbolic links

enum class Kind { Missing, File, Folder, Other };

Kind kindOf(const QString& path)
{
    struct stat st{};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return Kind::Missing;
    if (S_ISREG(st.st_mode))
        return Kind::File;
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    return Kind::Other;
}

// A folder to write into; a link to a folder counts, as it would for the user.
bool isFolder(const QString& path)
{
    struct stat st{};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<QByteArray> readSmallFile(const QString& path, qint64 limit)
{
    if (kindOf(path) != Kind::File)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return std::nullopt;
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

// The keys of a desktop entry we wrote: a regular file whose group carries `markerKey`.
std::optional<QMap<QString, QString>> readOwnEntry(const QString& path, const QString& markerKey)
{
    const std::optional<QByteArray> bytes = readSmallFile(path, kMaxOwnFileBytes);
    if (!bytes)
        return std::nullopt;
    std::optional<QMap<QString, QString>> keys = de::readGroup(*bytes, kEntryGroup);
    if (!keys || !keys->contains(markerKey))
        return std::nullopt;
    return keys;
}

// Writes all or nothing. Never writes through a link or over a folder that has our file's name.
bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    const Kind kind = kindOf(path);
    if (kind != Kind::Missing && kind != Kind::File)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool removeFile(const QString& path)
{
    return kindOf(path) == Kind::File && QFile::remove(path);
}

// ---------------------------------------------------------------------------------------------
// Names

QString hash8(const QString& text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
}

// ASCII letters and digits of `text`, every other run of characters written as `filler`.
QString readablePart(const QString& text, QChar filler, bool lowerCase)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool keep =
            (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
        if (keep)
            out += lowerCase ? c.toLower() : c;
        else if (!out.endsWith(filler))
            out += filler;
        if (out.size() >= kMaxReadablePart)
            break;
    }
    while (out.startsWith(filler))
        out.remove(0, 1);
    while (out.endsWith(filler))
        out.chop(1);
    return out;
}

// The id of a folder below the Programs folder: readable, and unique through the hash of the
// folder's exact relative path.
QString folderId(const QStringList& relative)
{
    QString readable = readablePart(relative.last(), u'-', true);
    if (readable.isEmpty())
        readable = QStringLiteral("group");
    return readable + u'-' + hash8(relative.join(u'/'));
}

bool isSafeFileName(const QString& name)
{
    if (name.isEmpty() || name.size() > 64 || name.front() == u'.' || name.front() == u'-')
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
               u == '-' || u == '_' || u == '.';
    });
}

QString linkFileName(const QString& linkName)
{
    if (isSafeFileName(linkName))
        return linkName + QLatin1String(".desktop");
    QString readable = readablePart(linkName, u'_', false);
    if (readable.isEmpty())
        readable = QStringLiteral("shortcut");
    return readable + u'-' + hash8(linkName) + QLatin1String(".desktop");
}

bool isUsableIconName(const QString& name)
{
    return name.size() <= 100 && isSafeFileName(name);
}

// A group folder's level as Windows would name it: trailing dots and blanks dropped, and
// nothing that Windows refuses in a folder name.
std::optional<QString> normalisedLevel(QString level)
{
    while (!level.isEmpty() && (level.back() == u'.' || level.back() == u' '))
        level.chop(1);
    if (level.isEmpty() || !de::isPlain(level))
        return std::nullopt;
    static const QString refused = QStringLiteral("/:*?\"<>|");
    for (const QChar c : std::as_const(level)) {
        if (refused.contains(c))
            return std::nullopt;
    }
    return level;
}

// ---------------------------------------------------------------------------------------------
// Program groups

struct Group {
    QString programsHost; // the Programs folder
    QString folder;       // the group's folder
    QStringList relative; // the group's folder below the Programs folder, level by level
    QString id;           // folderId(relative)

    QString levelFolder(qsizetype levels) const
    {
        return programsHost + u'/' + relative.mid(0, levels).join(u'/');
    }
    QString category() const { return QLatin1String("X-Vuska-") + id; }
    QString menuFile() const
    {
        const QString home = configHome();
        return home.isEmpty() ? QString()
                              : home + QLatin1String("/menus/applications-merged/vuska-") + id +
                                    QLatin1String(".menu");
    }
    // Level `level` (1 = the top) of the group; the last one is the group's own entry.
    QString directoryFileName(qsizetype level) const
    {
        if (level == relative.size())
            return QLatin1String("vuska-") + id + QLatin1String(".directory");
        return QLatin1String("vuska-") + id + u'-' + QString::number(level) +
               QLatin1String(".directory");
    }
    QString directoryFile(qsizetype level) const
    {
        const QString home = dataHome();
        return home.isEmpty()
                   ? QString()
                   : home + QLatin1String("/desktop-directories/") + directoryFileName(level);
    }
    QString groupKeyValue() const { return relative.join(u'/'); }
};

QString hostFolderOf(const QString& hostPath)
{
    const qsizetype slash = hostPath.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : hostPath.left(slash);
}

bool isBelow(const QString& path, const QString& folder)
{
    return path.startsWith(folder == u'/' ? folder : folder + u'/') && path.size() > folder.size();
}

std::optional<Group> resolveGroup(const QString& groupFolder)
{
    QStringList levels;
    for (const QString& raw : groupFolder.split(u'\\', Qt::SkipEmptyParts)) {
        const std::optional<QString> level = normalisedLevel(raw);
        if (!level)
            return std::nullopt;
        levels.append(*level);
    }
    if (levels.isEmpty())
        return std::nullopt;

    QString programs = programsFolder();
    if (programs.isEmpty())
        return std::nullopt;
    const std::optional<QString> programsHost = drives::toHost(programs);
    if (!programsHost || !de::isPlain(*programsHost))
        return std::nullopt;
    if (!programs.endsWith(u'\\') && !programs.endsWith(u'/'))
        programs += u'\\';
    const std::optional<QString> folder = drives::toHost(programs + levels.join(u'\\'));
    if (!folder || !de::isPlain(*folder))
        return std::nullopt;

    Group group;
    group.programsHost = QDir::cleanPath(*programsHost);
    group.folder = QDir::cleanPath(*folder);
    if (!isBelow(group.folder, group.programsHost))
        return std::nullopt;
    group.relative = group.folder.mid(group.programsHost.size()).split(u'/', Qt::SkipEmptyParts);
    if (group.relative.size() != levels.size())
        return std::nullopt;
    group.id = folderId(group.relative);
    if (group.menuFile().isEmpty() || group.directoryFile(1).isEmpty())
        return std::nullopt;
    return group;
}

bool needsOwnAppDir(const Group& group)
{
    const QString canonical = QFileInfo(group.folder).canonicalFilePath();
    const QStringList folders = defaultApplicationFolders();
    return std::none_of(folders.begin(), folders.end(), [&](const QString& apps) {
        return isBelow(group.folder, apps) || (!canonical.isEmpty() && isBelow(canonical, apps));
    });
}

QByteArray menuXml(const Group& group)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(
        QStringLiteral("<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">"));
    xml.writeStartElement(QStringLiteral("Menu"));
    xml.writeTextElement(QStringLiteral("Name"), QStringLiteral("Applications"));
    for (qsizetype level = 1; level <= group.relative.size(); ++level) {
        xml.writeStartElement(QStringLiteral("Menu"));
        // Menus merge by name: two groups under the same upper folder share its submenu.
        xml.writeTextElement(QStringLiteral("Name"),
                             QLatin1String("vuska-") + folderId(group.relative.mid(0, level)));
        xml.writeTextElement(QStringLiteral("Directory"), group.directoryFileName(level));
    }
    if (needsOwnAppDir(group))
        xml.writeTextElement(QStringLiteral("AppDir"), group.folder);
    xml.writeStartElement(QStringLiteral("Include"));
    xml.writeTextElement(QStringLiteral("Category"), group.category());
    xml.writeEndElement();
    for (qsizetype level = 1; level <= group.relative.size(); ++level)
        xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

std::optional<QMap<QString, QString>> readOwnDirectoryEntry(const Group& group, qsizetype level)
{
    std::optional<QMap<QString, QString>> keys =
        readOwnEntry(group.directoryFile(level), kGroupKey);
    if (!keys || de::unescapeValue(keys->value(kGroupKey)) != group.groupKeyValue())
        return std::nullopt;
    return keys;
}

bool isOwnMenuFile(const Group& group)
{
    const std::optional<QByteArray> bytes = readSmallFile(group.menuFile(), kMaxOwnFileBytes);
    return bytes &&
           bytes->contains(QByteArray("<Category>") + group.category().toUtf8() + "</Category>");
}

// How many levels of the group's folder, from the bottom, fCreateShellFolder made.
int recordedCreatedLevels(const Group& group)
{
    const std::optional<QMap<QString, QString>> keys =
        readOwnDirectoryEntry(group, group.relative.size());
    if (!keys)
        return 0;
    bool ok = false;
    const int levels = keys->value(kCreatedKey).toInt(&ok);
    return ok ? std::clamp(levels, 0, int(group.relative.size())) : 0;
}

// Each file of the group's submenu that is ours goes; true when none of them is left.
bool removeMenuFiles(const Group& group)
{
    bool allGone = true;
    if (isOwnMenuFile(group))
        allGone = removeFile(group.menuFile()) && allGone;
    for (qsizetype level = 1; level <= group.relative.size(); ++level) {
        if (readOwnDirectoryEntry(group, level))
            allGone = removeFile(group.directoryFile(level)) && allGone;
    }
    return allGone;
}

// A file that may be replaced: missing, or ours already.
bool mayWriteDirectoryEntry(const Group& group, qsizetype level)
{
    return kindOf(group.directoryFile(level)) == Kind::Missing ||
           readOwnDirectoryEntry(group, level).has_value();
}

bool mayWriteMenuFile(const Group& group)
{
    return kindOf(group.menuFile()) == Kind::Missing || isOwnMenuFile(group);
}

// Writes the group's submenu, remembering how many levels of its folder were made for it.
// Files this call added are taken away again when it fails.
bool writeMenuFiles(const Group& group, int createdLevels)
{
    for (qsizetype level = 1; level <= group.relative.size(); ++level) {
        if (!mayWriteDirectoryEntry(group, level))
            return false;
    }
    if (!mayWriteMenuFile(group))
        return false;

    QStringList added;
    const auto write = [&added](const QString& path, const QByteArray& bytes) {
        const bool existed = kindOf(path) != Kind::Missing;
        if (!QDir().mkpath(hostFolderOf(path)) || !writeAtomically(path, bytes))
            return false;
        if (!existed)
            added.append(path);
        return true;
    };
    const auto undo = [&added] {
        for (const QString& path : std::as_const(added))
            removeFile(path);
        return false;
    };

    for (qsizetype level = 1; level <= group.relative.size(); ++level) {
        QList<de::Key> keys = {
            {QStringLiteral("Type"), QStringLiteral("Directory")},
            {QStringLiteral("Version"), QStringLiteral("1.4")},
            {QStringLiteral("Name"), de::escapeValue(group.relative.at(level - 1))},
            {kGroupKey, de::escapeValue(group.groupKeyValue())},
        };
        if (level == group.relative.size())
            keys.append({kCreatedKey, QString::number(createdLevels)});
        if (!write(group.directoryFile(level), de::format(kEntryGroup, keys)))
            return undo();
    }
    if (!write(group.menuFile(), menuXml(group)))
        return undo();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Icons

struct IconPicture {
    int side = 0;
    QByteArray png;
};

struct IconSet {
    QString name;
    QList<IconPicture> pictures;
};

std::mutex iconMutex;
IconSet currentIcon;

// Side 0 stands for the scalable picture.
constexpr int kScalable = 0;
const QString kScalableText = QStringLiteral("scalable");

QString iconFile(const QString& name, int side)
{
    const QString home = dataHome();
    if (home.isEmpty())
        return {};
    if (side == kScalable)
        return home + QLatin1String("/icons/hicolor/scalable/apps/") + name + QLatin1String(".svg");
    const QString size = QString::number(side);
    return home + QLatin1String("/icons/hicolor/") + size + u'x' + size + QLatin1String("/apps/") +
           name + QLatin1String(".png");
}

// The sizes installed (or already there, byte for byte).
QList<int> installIcons(const IconSet& icon)
{
    QList<int> installed;
    for (const IconPicture& picture : icon.pictures) {
        const QString path = iconFile(icon.name, picture.side);
        if (path.isEmpty())
            continue;
        const std::optional<QByteArray> existing = readSmallFile(path, kMaxIconFileBytes);
        if ((existing && *existing == picture.png) ||
            (QDir().mkpath(hostFolderOf(path)) && writeAtomically(path, picture.png)))
            installed.append(picture.side);
    }
    return installed;
}

QList<int> parseSizes(const QString& value)
{
    QList<int> sizes;
    for (const QString& part : value.split(u';', Qt::SkipEmptyParts)) {
        if (part == kScalableText) {
            sizes.append(kScalable);
            continue;
        }
        bool ok = false;
        const int side = part.toInt(&ok);
        if (ok && side > 0 && side <= kMaxIconSide)
            sizes.append(side);
    }
    return sizes;
}

// An SVG document, as far as a check without an SVG reader goes: text whose first element
// is <svg>. The desktop's own icon loader draws it.
bool looksLikeSvg(const QByteArray& data)
{
    qsizetype at = 0;
    const auto skipBlanks = [&] {
        while (at < data.size() && QChar::isSpace(uchar(data[at])))
            ++at;
    };
    skipBlanks();
    if (data.mid(at, 5) == "<?xml") {
        at = data.indexOf("?>", at);
        if (at < 0)
            return false;
        at += 2;
        skipBlanks();
    }
    return data.mid(at, 4) == "<svg" && data.contains("</svg>") && !data.contains('\0');
}

QString listValue(const QStringList& items)
{
    QString value;
    for (const QString& item : items) {
        if (!item.isEmpty())
            value += de::escapeValue(item).replace(u';', QLatin1String("\\;")) + u';';
    }
    return value;
}

// Registered categories are words of ASCII letters, digits and '-'.
QStringList usableCategories(const QStringList& categories)
{
    QStringList usable;
    for (const QString& category : categories) {
        const bool word = !category.isEmpty() && std::all_of(category.begin(), category.end(), [](QChar c) {
            return c.isDigit() || c == u'-' || (c.unicode() < 128 && c.isLetter());
        });
        if (word && !usable.contains(category))
            usable.append(category);
    }
    return usable;
}

// Whether any shortcut of ours below the Programs folder shows the icon.
bool iconStillUsed(const QString& programsHost, const QString& iconName)
{
    QDirIterator it(programsHost, {QStringLiteral("*.desktop")},
                    QDir::Files | QDir::NoSymLinks | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::optional<QMap<QString, QString>> keys = readOwnEntry(it.next(), kTargetKey);
        if (keys && de::unescapeValue(keys->value(QStringLiteral("Icon"))) == iconName)
            return true;
    }
    return false;
}

void removeIconsIfUnused(const QString& programsHost, const QString& iconName,
                         const QList<int>& sizes)
{
    if (!isUsableIconName(iconName) || iconStillUsed(programsHost, iconName))
        return;
    for (const int side : sizes) {
        if (const QString path = iconFile(iconName, side); !path.isEmpty())
            removeFile(path);
    }
}

// ---------------------------------------------------------------------------------------------
// Shortcuts

bool hasOwnLinks(const QString& folder)
{
    QDirIterator it(folder, {QStringLiteral("*.desktop")},
                    QDir::Files | QDir::NoSymLinks | QDir::Hidden);
    while (it.hasNext()) {
        if (readOwnEntry(it.next(), kTargetKey))
            return true;
    }
    return false;
}

QString extensionOf(const QString& windowsPath)
{
    const qsizetype separator =
        std::max(windowsPath.lastIndexOf(u'\\'), windowsPath.lastIndexOf(u'/'));
    const QString name = windowsPath.mid(separator + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

struct Launch {
    QStringList argv;
    QString workingFolder; // empty: none
};

// How env is told which program to run. env takes every argument with a '=' in it for a
// variable, so a program in such a folder is named from its own folder, where the entry's
// Path starts it.
QString programForEnv(const QString& program)
{
    if (!program.contains(u'='))
        return program;
    const QString name = program.mid(program.lastIndexOf(u'/') + 1);
    return name.contains(u'=') ? program : QLatin1String("./") + name;
}

std::optional<Launch> launchFor(const QString& targetWindowsPath, const QString& arguments)
{
    const std::optional<QString> target = drives::toHost(targetWindowsPath);
    if (!target)
        return std::nullopt;
    const QString extension = extensionOf(targetWindowsPath);
    if (extension == QLatin1String("exe")) {
        Launch launch{{*target}, hostFolderOf(*target)};
        // GLib looks the program up before it turns "%%" into '%', and drops the entry when
        // that finds nothing; behind env the path is only an argument.
        if (target->contains(u'%'))
            launch.argv = QStringList{QStringLiteral("env"), programForEnv(*target)};
        launch.argv += QProcess::splitCommand(arguments);
        return launch;
    }
    if (extension == QLatin1String("hlp")) {
        const qsizetype separator =
            std::max(targetWindowsPath.lastIndexOf(u'\\'), targetWindowsPath.lastIndexOf(u'/'));
        const std::optional<QString> game =
            drives::toHost(targetWindowsPath.left(separator) + QLatin1String("\\vuska.exe"));
        if (!game)
            return std::nullopt;
        return Launch{
            {QStringLiteral("env"),
             QLatin1String(HelpRequestVariable) + u'=' + QLatin1String(HelpRequestContents),
             programForEnv(*game)},
            hostFolderOf(*game)};
    }
    return Launch{{QStringLiteral("xdg-open"), *target}, {}};
}

} // namespace

QString programsFolder()
{
    namespace reg = platform::registry;
    if (const std::optional<reg::Key> key =
            reg::openKey(reg::Hive::CurrentUser, kShellFoldersKey)) {
        reg::ValueType type = reg::ValueType::None;
        QByteArray data;
        if (reg::queryValue(*key, kProgramsValue, type, data, kMaxProgramsValueBytes) ==
                reg::Status::Ok &&
            (type == reg::ValueType::String || type == reg::ValueType::ExpandString)) {
            if (const qsizetype nul = data.indexOf('\0'); nul >= 0)
                data.truncate(nul);
            const QString stored = QString::fromUtf8(data);
            if (!stored.isEmpty())
                return stored;
        }
    }
    const QString home = dataHome();
    return home.isEmpty() ? QString() : drives::toWindows(home + QLatin1String("/applications"));
}

bool setLinkIcon(const QString& iconName, const QList<QString>& pngFilesOrResources)
{
    IconSet icon;
    if (isUsableIconName(iconName)) {
        icon.name = iconName;
        for (const QString& path : pngFilesOrResources) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxIconFileBytes)
                continue;
            QByteArray png = file.read(kMaxIconFileBytes + 1);
            if (png.size() > kMaxIconFileBytes)
                continue;
            const auto alreadyThere = [&](int side) {
                return std::any_of(icon.pictures.begin(), icon.pictures.end(),
                                   [&](const IconPicture& p) { return p.side == side; });
            };
            if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
                if (looksLikeSvg(png) && !alreadyThere(kScalable))
                    icon.pictures.append({kScalable, png});
                continue;
            }
            QBuffer buffer(&png);
            QImageReader reader(&buffer);
            const QSize size = reader.size();
            if (reader.format() != "png" || size.width() != size.height() || size.width() <= 0 ||
                size.width() > kMaxIconSide || alreadyThere(size.width()))
                continue;
            icon.pictures.append({size.width(), png});
        }
    }
    const bool usable = !icon.pictures.isEmpty();
    if (!usable)
        icon = {};
    const std::lock_guard lock(iconMutex);
    currentIcon = std::move(icon);
    return usable;
}

int fCreateShellFolder(const QString& groupFolder)
{
    const std::optional<Group> group = resolveGroup(groupFolder);
    if (!group)
        return ShellFailure;
    if (!isFolder(group->programsHost) && !QDir().mkpath(group->programsHost))
        return ShellFailure;

    // Levels are made from the first missing one down, so the ones made are the lowest.
    int created = 0;
    const auto undoFolders = [&] {
        for (int i = 0; i < created; ++i)
            QDir().rmdir(group->levelFolder(group->relative.size() - i));
        return ShellFailure;
    };
    for (qsizetype level = 1; level <= group->relative.size(); ++level) {
        const QString path = group->levelFolder(level);
        if (isFolder(path) && created == 0)
            continue;
        if (kindOf(path) != Kind::Missing || !QDir().mkdir(path))
            return undoFolders();
        ++created;
    }

    // Asked again for a group it made, keep the record of what the first call made.
    const int recorded = created > 0 ? created : recordedCreatedLevels(*group);
    if (!writeMenuFiles(*group, recorded))
        return undoFolders();
    return ShellSuccess;
}

int fCreateShellLink(const QString& groupFolder, const QString& linkName,
                     const QString& targetWindowsPath, const QString& arguments,
                     const LinkDescription& description)
{
    if (linkName.isEmpty() || !de::isPlain(linkName))
        return ShellFailure;
    QStringList describing = QStringList{description.comment, description.windowClass} + description.keywords;
    static const QRegularExpression locale(QStringLiteral("^[a-z]{2,3}(_[A-Z]{2})?(@[A-Za-z0-9]+)?$"));
    for (const LinkDescription::Translation& t : description.translations) {
        if (!locale.match(t.locale).hasMatch())
            return ShellFailure;
        describing << t.name << t.comment << t.keywords;
    }
    if (!std::all_of(describing.begin(), describing.end(), [](const QString& t) { return de::isPlain(t); }))
        return ShellFailure;
    const std::optional<Group> group = resolveGroup(groupFolder);
    if (!group || !isFolder(group->folder))
        return ShellFailure;
    const std::optional<Launch> launch = launchFor(targetWindowsPath, arguments);
    if (!launch || !de::isPlain(launch->workingFolder) || !de::isPlain(targetWindowsPath))
        return ShellFailure;
    const std::optional<QString> exec = de::execValue(launch->argv);
    if (!exec)
        return ShellFailure;

    const QString path = group->folder + u'/' + linkFileName(linkName);
    if (kindOf(path) != Kind::Missing && !readOwnEntry(path, kTargetKey))
        return ShellFailure;

    // A folder that was there before has no submenu yet; it gets one for its shortcuts.
    bool madeMenu = false;
    if (!readOwnDirectoryEntry(*group, group->relative.size()) || !isOwnMenuFile(*group)) {
        if (!writeMenuFiles(*group, recordedCreatedLevels(*group)))
            return ShellFailure;
        madeMenu = true;
    }

    IconSet icon;
    {
        const std::lock_guard lock(iconMutex);
        icon = currentIcon;
    }
    const QList<int> sizes = icon.name.isEmpty() ? QList<int>() : installIcons(icon);

    QList<de::Key> keys = {
        {QStringLiteral("Type"), QStringLiteral("Application")},
        {QStringLiteral("Version"), QStringLiteral("1.4")},
        {QStringLiteral("Name"), de::escapeValue(linkName)},
        {QStringLiteral("Exec"), *exec},
    };
    if (!description.comment.isEmpty())
        keys.append({QStringLiteral("Comment"), de::escapeValue(description.comment)});
    if (!launch->workingFolder.isEmpty())
        keys.append({QStringLiteral("Path"), de::escapeValue(launch->workingFolder)});
    if (!sizes.isEmpty())
        keys.append({QStringLiteral("Icon"), de::escapeValue(icon.name)});
    keys.append({QStringLiteral("Terminal"), QStringLiteral("false")});
    keys.append({QStringLiteral("Categories"), listValue(usableCategories(description.categories) << group->category())});
    if (const QString keywords = listValue(description.keywords); !keywords.isEmpty())
        keys.append({QStringLiteral("Keywords"), keywords});
    if (!description.windowClass.isEmpty())
        keys.append({QStringLiteral("StartupWMClass"), de::escapeValue(description.windowClass)});
    for (const LinkDescription::Translation& t : description.translations) {
        const QString in = u'[' + t.locale + u']';
        if (!t.name.isEmpty())
            keys.append({QStringLiteral("Name") + in, de::escapeValue(t.name)});
        if (!t.comment.isEmpty())
            keys.append({QStringLiteral("Comment") + in, de::escapeValue(t.comment)});
        if (const QString keywords = listValue(t.keywords); !keywords.isEmpty())
            keys.append({QStringLiteral("Keywords") + in, keywords});
    }
    keys.append({kTargetKey, de::escapeValue(targetWindowsPath)});
    if (!sizes.isEmpty()) {
        QStringList sizeTexts;
        for (const int side : sizes)
            sizeTexts.append(side == kScalable ? kScalableText : QString::number(side));
        keys.append({kIconSizesKey, sizeTexts.join(u';') + u';'});
    }

    if (!writeAtomically(path, de::format(kEntryGroup, keys))) {
        if (!sizes.isEmpty())
            removeIconsIfUnused(group->programsHost, icon.name, sizes);
        if (madeMenu && recordedCreatedLevels(*group) == 0 && !hasOwnLinks(group->folder))
            removeMenuFiles(*group);
        return ShellFailure;
    }
    return ShellSuccess;
}

int fRemoveShellLink(const QString& groupFolder, const QString& linkName)
{
    if (linkName.isEmpty())
        return ShellFailure;
    const std::optional<Group> group = resolveGroup(groupFolder);
    if (!group)
        return ShellFailure;

    const QString path = group->folder + u'/' + linkFileName(linkName);
    if (kindOf(path) != Kind::Missing) {
        const std::optional<QMap<QString, QString>> keys = readOwnEntry(path, kTargetKey);
        if (!keys || de::unescapeValue(keys->value(QStringLiteral("Name"))) != linkName ||
            !QFile::remove(path))
            return ShellFailure;
        removeIconsIfUnused(group->programsHost,
                            de::unescapeValue(keys->value(QStringLiteral("Icon"))),
                            parseSizes(keys->value(kIconSizesKey)));
    }

    // A submenu made only to show the shortcuts of a folder that was there before goes with
    // the last of them; one that fCreateShellFolder made waits for removeShellFolder.
    if (readOwnDirectoryEntry(*group, group->relative.size()) &&
        recordedCreatedLevels(*group) == 0 && !hasOwnLinks(group->folder))
        removeMenuFiles(*group);
    return ShellSuccess;
}

int removeShellFolder(const QString& groupFolder)
{
    const std::optional<Group> group = resolveGroup(groupFolder);
    if (!group)
        return ShellFailure;
    const int created = recordedCreatedLevels(*group);
    const bool menuGone = removeMenuFiles(*group);

    switch (kindOf(group->folder)) {
    case Kind::Missing: break;
    case Kind::Folder:
        if (!QDir().rmdir(group->folder))
            return ShellFailure;
        break;
    case Kind::File:
    case Kind::Other: return ShellFailure;
    }
    // The upper levels it made go too while nothing else lies in them.
    for (int i = 1; i < created; ++i) {
        const QString path = group->levelFolder(group->relative.size() - i);
        if (kindOf(path) != Kind::Folder || !QDir().rmdir(path))
            break;
    }
    return menuGone ? ShellSuccess : ShellFailure;
}

std::optional<GroupFiles> groupFiles(const QString& groupFolder)
{
    const std::optional<Group> group = resolveGroup(groupFolder);
    if (!group)
        return std::nullopt;
    return GroupFiles{group->folder, group->menuFile(),
                      group->directoryFile(group->relative.size()), group->category()};
}

std::optional<QString> linkFile(const QString& groupFolder, const QString& linkName)
{
    const std::optional<Group> group = resolveGroup(groupFolder);
    if (!group || linkName.isEmpty())
        return std::nullopt;
    return group->folder + u'/' + linkFileName(linkName);
}

} // namespace platform::shelllinks
