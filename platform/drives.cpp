#include "platform/drives.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QStringView>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <limits>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform::drives {
namespace {

// A map file is a few lines; anything bigger is not one we wrote or a person typed.
constexpr qint64 kMaxMapFileBytes = 1 << 20;

struct State {
    QMutex mutex;
    std::optional<QList<Drive>> map;
    std::array<QString, 26> currentFolders; // Windows form; empty until set
    FreeSpaceQuery freeSpaceQuery;
};

State& state()
{
    static State s;
    return s;
}

bool isDriveLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

QByteArray hostBytes(const QString& path)
{
    return QFile::encodeName(path);
}

// A host name that does not survive the trip through QString cannot be named back to the
// host, so it is treated as if it were not there.
std::optional<QString> decodedName(const char* raw)
{
    const QString name = QFile::decodeName(raw);
    if (hostBytes(name) != QByteArray(raw))
        return std::nullopt;
    return name;
}

QString joinHost(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// As the registry store does: a relative or empty variable is ignored, as the XDG rules say.
QString xdgFolder(const char* variable, const QString& underHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (value.startsWith(u'/'))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + underHome);
}

QString mapFile()
{
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"))
         + QStringLiteral("/vuska-drives/drives.ini");
}

QString defaultCRoot()
{
    return xdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")) + QStringLiteral("/vuska-drives/c");
}

QList<Drive> defaultDrives()
{
    return {Drive{u'C', defaultCRoot()}, Drive{u'Z', QStringLiteral("/")}};
}

std::optional<Drive> parseMapLine(QStringView line)
{
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    QStringView key = line.left(equals).trimmed();
    if (key.endsWith(u':'))
        key.chop(1);
    if (key.size() != 1 || !isDriveLetter(key[0]))
        return std::nullopt;
    const QString root = line.mid(equals + 1).trimmed().toString();
    if (!root.startsWith(u'/') || root.contains(QChar(0)))
        return std::nullopt;
    return Drive{key[0].toUpper(), QDir::cleanPath(root)};
}

// A letter named twice takes its last line, so that a line added at the end overrides.
QList<Drive> parseMap(const QByteArray& text)
{
    QMap<QChar, QString> roots;
    const QString content = QString::fromUtf8(text);
    for (QStringView line : QStringView(content).split(u'\n')) {
        if (const std::optional<Drive> drive = parseMapLine(line))
            roots.insert(drive->letter, drive->hostRoot);
    }
    QList<Drive> drives;
    for (auto it = roots.cbegin(); it != roots.cend(); ++it)
        drives.append(Drive{it.key(), it.value()});
    return drives;
}

// Published under its name only if nothing is there yet: a map that appeared meanwhile, or
// one the user made, is never replaced, and no reader ever sees half of one.
void writeDefaultMap(const QString& file, const QList<Drive>& drives)
{
    QString text = QStringLiteral(
        "# Vuskan asemat: yksi asema riville muodossa KIRJAIN=/kansio/koneella,\n"
        "# esimerkiksi D=/media/muistitikku. Rivit, jotka alkavat merkillä # tai ;,\n"
        "# ovat huomautuksia. Muutokset tulevat voimaan, kun ohjelma käynnistetään uudelleen.\n");
    for (const Drive& drive : drives) {
        if (drive.hostRoot.contains(u'\n') || drive.hostRoot.contains(u'\r'))
            return;
        text += QString(drive.letter) + u'=' + drive.hostRoot + u'\n';
    }
    const QString folder = QFileInfo(file).path();
    if (!QDir().mkpath(folder))
        return;
    QTemporaryFile temporary(folder + QStringLiteral("/.drives-XXXXXX"));
    if (!temporary.open())
        return;
    const QByteArray bytes = text.toUtf8();
    if (temporary.write(bytes) != bytes.size() || !temporary.flush() || ::fsync(temporary.handle()) != 0)
        return;
    const QByteArray from = hostBytes(temporary.fileName());
    const QByteArray to = hostBytes(file);
    if (::link(from.constData(), to.constData()) == 0 || errno == EEXIST)
        return;
    // Some file systems have no hard links; there the name is taken if it is still free.
    struct stat info {};
    if (::lstat(to.constData(), &info) != 0 && errno == ENOENT && ::rename(from.constData(), to.constData()) == 0)
        temporary.setAutoRemove(false);
}

QList<Drive> loadMap()
{
    const QString file = mapFile();
    const QString cRoot = defaultCRoot();
    QList<Drive> drives;
    struct stat info {};
    if (::lstat(hostBytes(file).constData(), &info) != 0) {
        const bool missing = errno == ENOENT;
        drives = defaultDrives();
        if (missing)
            writeDefaultMap(file, drives);
    } else {
        QFile map(file);
        drives = map.open(QIODevice::ReadOnly) ? parseMap(map.read(kMaxMapFileBytes)) : defaultDrives();
    }
    // Only the per-user folder is ours to make; a C: the user pointed elsewhere is left alone.
    for (const Drive& drive : drives) {
        if (drive.letter == u'C' && drive.hostRoot == cRoot)
            QDir().mkpath(cRoot + QStringLiteral("/Program Files"));
    }
    return drives;
}

QList<Drive> currentMap()
{
    State& s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.map)
        s.map = loadMap();
    return *s.map;
}

// A Windows path split into its drive letter and its components, with "." and ".." applied
// as Windows applies them: ".." at the root stays at the root.
struct WindowsPath {
    QChar letter;
    QStringList components;
};

std::optional<WindowsPath> parseWindowsPath(const QString& path)
{
    if (path.size() < 3 || !isDriveLetter(path[0]) || path[1] != u':' || !isSeparator(path[2])
        || path.contains(QChar(0)))
        return std::nullopt;
    WindowsPath parsed{path[0].toUpper(), {}};
    qsizetype start = 3;
    for (qsizetype i = 3; i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i]))
            continue;
        const QStringView part = QStringView(path).mid(start, i - start);
        start = i + 1;
        if (part.isEmpty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parsed.components.isEmpty())
                parsed.components.removeLast();
            continue;
        }
        parsed.components.append(part.toString());
    }
    return parsed;
}

// The entry of `folder` that `name` means: the exact spelling if there is one, else the first
// spelling in code-point order among those that differ only in letter case.
std::optional<QString> findEntry(const QString& folder, const QString& name)
{
    struct stat info {};
    if (::lstat(hostBytes(joinHost(folder, name)).constData(), &info) == 0)
        return name;
    if (errno != ENOENT)
        return std::nullopt;
    DIR* dir = ::opendir(hostBytes(folder).constData());
    if (!dir)
        return std::nullopt;
    std::optional<QString> best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<QString> candidate = decodedName(entry->d_name);
        if (candidate && candidate->compare(name, Qt::CaseInsensitive) == 0 && (!best || *candidate < *best))
            best = candidate;
    }
    ::closedir(dir);
    return best;
}

struct HostPath {
    QString host;
    QStringList components; // as found on disk, or as typed past the first missing one
};

// Nothing for a path the host could not open anyway: a name or a whole path beyond its limits.
std::optional<HostPath> resolve(const Drive& drive, const QStringList& typed)
{
    qsizetype length = hostBytes(drive.hostRoot).size();
    for (const QString& name : typed) {
        const qsizetype bytes = hostBytes(name).size();
        if (bytes > NAME_MAX)
            return std::nullopt;
        length += bytes + 1;
    }
    if (length >= PATH_MAX)
        return std::nullopt;

    HostPath path{drive.hostRoot, {}};
    bool searching = true;
    for (const QString& name : typed) {
        QString actual = name;
        if (searching) {
            if (const std::optional<QString> found = findEntry(path.host, name))
                actual = *found;
            else
                searching = false;
        }
        path.host = joinHost(path.host, actual);
        path.components.append(actual);
    }
    if (hostBytes(path.host).size() >= PATH_MAX)
        return std::nullopt;
    return path;
}

std::optional<HostPath> resolve(const QString& windowsPath, QChar* letter = nullptr)
{
    const std::optional<WindowsPath> parsed = parseWindowsPath(windowsPath);
    if (!parsed)
        return std::nullopt;
    const std::optional<Drive> mapped = drive(parsed->letter);
    if (!mapped)
        return std::nullopt;
    if (letter)
        *letter = parsed->letter;
    return resolve(*mapped, parsed->components);
}

QString windowsForm(QChar letter, const QStringList& components)
{
    return QString(letter) + QStringLiteral(":\\") + components.join(u'\\');
}

bool isFolder(const QString& hostPath)
{
    struct stat info {};
    return ::stat(hostBytes(hostPath).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Entering needs search permission ("folder/." resolves only with it), listing needs read
// permission and a device that answers.
bool canEnterAndList(const QString& hostFolder)
{
    const QByteArray path = hostBytes(hostFolder);
    struct stat info {};
    if (::stat((path + "/.").constData(), &info) != 0)
        return false;
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return false;
    errno = 0;
    const bool listed = ::readdir(dir) != nullptr || errno == 0;
    ::closedir(dir);
    return listed;
}

DriveError rootState(const QString& hostRoot)
{
    struct stat info {};
    if (::stat(hostBytes(hostRoot).constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? DriveError::NoMedium : DriveError::NotReady;
    if (!S_ISDIR(info.st_mode) || !canEnterAndList(hostRoot))
        return DriveError::NotReady;
    return DriveError::None;
}

std::optional<qint64> hostFreeBytes(const QString& hostRoot)
{
    struct statvfs info {};
    if (::statvfs(hostBytes(hostRoot).constData(), &info) != 0)
        return std::nullopt;
    const unsigned long long unit = info.f_frsize ? info.f_frsize : info.f_bsize;
    const unsigned long long blocks = info.f_bavail;
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<qint64>::max());
    if (unit != 0 && blocks > kMax / unit)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(blocks * unit);
}

std::optional<qint64> measureFreeBytes(const QString& hostFolder)
{
    FreeSpaceQuery query;
    {
        State& s = state();
        QMutexLocker lock(&s.mutex);
        query = s.freeSpaceQuery;
    }
    return query ? query(hostFolder) : hostFreeBytes(hostFolder);
}

// QDir::cleanPath keeps a leading "/.." that the host itself treats as "/".
QString cleanHostPath(const QString& hostPath)
{
    QString path = QDir::cleanPath(hostPath);
    while (path == QLatin1String("/..") || path.startsWith(QLatin1String("/../")))
        path.remove(0, 3);
    return path.isEmpty() ? QStringLiteral("/") : path;
}

bool holds(const QString& root, const QString& path)
{
    if (root == QLatin1String("/"))
        return true;
    return path.startsWith(root) && (path.size() == root.size() || path[root.size()] == u'/');
}

} // namespace

QList<Drive> driveList()
{
    return currentMap();
}

std::optional<Drive> drive(QChar letter)
{
    if (!isDriveLetter(letter))
        return std::nullopt;
    const QChar upper = letter.toUpper();
    for (const Drive& mapped : currentMap()) {
        if (mapped.letter == upper)
            return mapped;
    }
    return std::nullopt;
}

std::optional<QString> toHost(const QString& windowsPath)
{
    const std::optional<HostPath> path = resolve(windowsPath);
    if (!path)
        return std::nullopt;
    return path->host;
}

QString toWindows(const QString& hostPath)
{
    if (!hostPath.startsWith(u'/') || hostPath.contains(QChar(0)))
        return {};
    const QString path = cleanHostPath(hostPath);
    if (path.contains(u'\\'))
        return {};
    std::optional<Drive> best;
    for (const Drive& mapped : currentMap()) {
        if (holds(mapped.hostRoot, path) && (!best || mapped.hostRoot.size() > best->hostRoot.size()))
            best = mapped;
    }
    if (!best)
        return {};
    const qsizetype skip = best->hostRoot == QLatin1String("/") ? 1 : best->hostRoot.size() + 1;
    QString rest = path.mid(skip);
    return QString(best->letter) + QStringLiteral(":\\") + rest.replace(u'/', u'\\');
}

std::optional<qint64> freeBytes(QChar letter)
{
    const std::optional<Drive> mapped = drive(letter);
    if (!mapped || !isFolder(mapped->hostRoot))
        return std::nullopt;
    return measureFreeBytes(mapped->hostRoot);
}

std::optional<qint64> freeBytesAt(const QString& windowsPath)
{
    const std::optional<WindowsPath> parsed = parseWindowsPath(windowsPath);
    if (!parsed)
        return std::nullopt;
    const std::optional<Drive> mapped = drive(parsed->letter);
    if (!mapped || !isFolder(mapped->hostRoot))
        return std::nullopt;
    const std::optional<HostPath> path = resolve(*mapped, parsed->components);
    if (!path)
        return std::nullopt;
    // Up from the path to the first folder that is there; the drive's root is one.
    QStringList components = path->components;
    QString folder = path->host;
    while (!components.isEmpty() && !isFolder(folder)) {
        components.removeLast();
        folder = components.isEmpty() ? mapped->hostRoot : joinHost(mapped->hostRoot, components.join(u'/'));
    }
    return measureFreeBytes(folder);
}

QString currentFolder(QChar letter)
{
    if (!isDriveLetter(letter))
        return {};
    const QChar upper = letter.toUpper();
    State& s = state();
    QMutexLocker lock(&s.mutex);
    const QString& folder = s.currentFolders[upper.unicode() - u'A'];
    return folder.isEmpty() ? QString(upper) + QStringLiteral(":\\") : folder;
}

DriveError setCurrentFolder(const QString& windowsPath)
{
    const std::optional<WindowsPath> parsed = parseWindowsPath(windowsPath);
    if (!parsed)
        return DriveError::Other;
    const std::optional<Drive> mapped = drive(parsed->letter);
    if (!mapped)
        return DriveError::Other;
    if (const DriveError error = rootState(mapped->hostRoot); error != DriveError::None)
        return error;
    const std::optional<HostPath> path = resolve(*mapped, parsed->components);
    if (!path || !isFolder(path->host))
        return DriveError::Other;
    if (!canEnterAndList(path->host))
        return DriveError::NotReady;
    State& s = state();
    QMutexLocker lock(&s.mutex);
    s.currentFolders[parsed->letter.unicode() - u'A'] = windowsForm(parsed->letter, path->components);
    return DriveError::None;
}

DriveError check(QChar letter)
{
    const std::optional<Drive> mapped = drive(letter);
    if (!mapped)
        return DriveError::Other;
    return rootState(mapped->hostRoot);
}

QStringList subfolders(const QString& windowsPath)
{
    // A folder that cannot be entered lists no names, as its drive or folder would not open.
    const std::optional<HostPath> path = resolve(windowsPath);
    if (!path || !canEnterAndList(path->host))
        return {};
    DIR* dir = ::opendir(hostBytes(path->host).constData());
    if (!dir)
        return {};
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::optional<QString> name = decodedName(entry->d_name);
        // A backslash in a host name would read as two names in Windows form.
        if (!name || name->contains(u'\\'))
            continue;
        const bool folder = entry->d_type == DT_DIR
                         || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
                             && isFolder(joinHost(path->host, *name)));
        if (folder)
            names.append(*name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

void setFreeSpaceQuery(FreeSpaceQuery query)
{
    State& s = state();
    QMutexLocker lock(&s.mutex);
    s.freeSpaceQuery = std::move(query);
}

void reset()
{
    State& s = state();
    QMutexLocker lock(&s.mutex);
    s.map.reset();
    s.currentFolders.fill(QString());
}

} // namespace platform::drives
