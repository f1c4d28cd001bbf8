#include "platform/drives.h"
#include "tests/support/sandbox.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <dirent.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace platform::drives;

namespace platform::drives {
char* toString(DriveError error)
{
    static const char* const names[] = {"None", "NoMedium", "NotReady", "Other"};
    return qstrdup(names[int(error)]);
}
} // namespace platform::drives

namespace {

// Lowers this thread's file-permission overrides while it lives, so that a test running as
// root meets folder permissions as an ordinary user does; raises them again at the end.
class OrdinaryUserPermissions {
public:
    OrdinaryUserPermissions()
    {
        if (::geteuid() != 0)
            return;
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        lowered_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~OrdinaryUserPermissions()
    {
        if (lowered_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    OrdinaryUserPermissions(const OrdinaryUserPermissions&) = delete;
    OrdinaryUserPermissions& operator=(const OrdinaryUserPermissions&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

// Whether this process can list and enter the folder, asked of the host directly.
bool canList(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR* dir = ::opendir(path.constData());
    if (dir)
        ::closedir(dir);
    struct stat info {};
    return dir && ::stat((path + "/.").constData(), &info) == 0;
}

QStringList describe(const QList<Drive>& drives)
{
    QStringList lines;
    for (const Drive& d : drives)
        lines.append(QString(d.letter) + u'=' + d.hostRoot);
    return lines;
}

// Every entry under a folder with its size and time, to see that nothing was written.
QStringList snapshot(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries.append(QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

// The paths of a snapshot.
QStringList pathsOf(const QStringList& entries)
{
    QStringList paths;
    for (const QString& entry : entries)
        paths.append(entry.section(u' ', 0, -3));
    return paths;
}

const QString kNothing = QStringLiteral("-");

} // namespace

class TestPlatformDrives : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QStringList lockedFolders_;

    QString sandbox() const { return dir_->path(); }
    QString cRoot() const { return sandbox() + QStringLiteral("/data/vuska-drives/c"); }
    QString mapPath() const { return sandbox() + QStringLiteral("/config/vuska-drives/drives.ini"); }
    // The sandbox in Windows form after "Z:".
    QString zForm() const { return QString(sandbox()).replace(u'/', u'\\'); }

    // Placeholders in table rows, which are made before the sandbox of their run exists.
    QString expand(QString text) const
    {
        return text.replace(QLatin1String("@C"), cRoot())
            .replace(QLatin1String("@W"), zForm())
            .replace(QLatin1String("@U"), zForm().toUpper())
            .replace(QLatin1String("@S"), sandbox());
    }

    void writeMap(const QString& text)
    {
        QVERIFY(QDir().mkpath(QFileInfo(mapPath()).path()));
        QFile file(mapPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        reset();
    }

    void makeFolder(const QString& path) { QVERIFY2(QDir().mkpath(path), qPrintable(path)); }
    void makeFile(const QString& path)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
        file.write("x");
    }
    void makeLink(const QString& target, const QString& link)
    {
        QVERIFY2(QFile::link(target, link), qPrintable(link));
    }

    // The folders and files the path and listing tests look at, under the default C:.
    void makeTree()
    {
        QCOMPARE(describe(driveList()).value(0), QStringLiteral("C=") + cRoot());
        const QString c = cRoot() + u'/';
        for (const char* folder : {"Program Files/Vuska", "Windows", "Kansio", "KANSIO", "beta", "Alpha/Sisempi",
                                   "gamma", ".piilo", "Ääkköset", "a\\b"})
            makeFolder(c + QString::fromUtf8(folder));
        makeFile(c + QStringLiteral("Tiedosto.txt"));
        makeLink(QStringLiteral("Alpha"), c + QStringLiteral("linkki"));
        makeLink(QStringLiteral("nowhere"), c + QStringLiteral("rikki"));
        makeLink(QStringLiteral("Tiedosto.txt"), c + QStringLiteral("tiedostolinkki"));
        makeFolder(sandbox() + QStringLiteral("/Case"));
    }

    void lock(const QString& folder, QFileDevice::Permissions permissions)
    {
        lockedFolders_.append(folder);
        QVERIFY(QFile::setPermissions(folder, permissions));
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        for (const char* name : {"home", "config", "data"})
            makeFolder(sandbox() + u'/' + QLatin1String(name));
        qputenv("HOME", (sandbox() + QStringLiteral("/home")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (sandbox() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (sandbox() + QStringLiteral("/data")).toLocal8Bit());
        setFreeSpaceQuery({});
        reset();
    }

    void cleanup()
    {
        for (const QString& folder : std::as_const(lockedFolders_))
            QFile::setPermissions(folder, QFileDevice::Permissions(0x7700));
        lockedFolders_.clear();
        setFreeSpaceQuery({});
        reset();
        dir_.reset();
    }

    void defaultMapIsWrittenOnFirstUse()
    {
        // Without a map, C: (with "Program Files") and Z: are written down and used.
        QVERIFY(!QFileInfo::exists(mapPath()));
        const QStringList defaults{QStringLiteral("C=") + cRoot(), QStringLiteral("Z=/")};
        QCOMPARE(describe(driveList()), defaults);
        QVERIFY(QFileInfo(cRoot() + QStringLiteral("/Program Files")).isDir());

        QFile file(mapPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QStringList lines;
        for (const QString& line : QString::fromUtf8(written).split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(u'#'))
                lines.append(line);
        }
        QCOMPARE(lines, defaults);

        // Read back as any map is, and not written again.
        reset();
        QCOMPARE(describe(driveList()), defaults);
        file.seek(0);
        QCOMPARE(file.readAll(), written);
    }

    void userMapIsReadAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("extra drive") << "C=@C\nZ=/\nD=@S/stick\n"
                                     << QStringList{"C=@C", "D=@S/stick", "Z=/"};
        QTest::newRow("changed C") << "C=@S/elsewhere\nZ=/\n" << QStringList{"C=@S/elsewhere", "Z=/"};
        QTest::newRow("lower case and blanks") << "  d = @S/d  \n\te=/ \n" << QStringList{"D=@S/d", "E=/"};
        QTest::newRow("comments and empty lines") << "# C=/x\n; D=/y\n\n \t\nE=@S/e\n" << QStringList{"E=@S/e"};
        QTest::newRow("malformed lines are skipped")
            << "no equals sign\nCD=/x\n1=/x\nÄ=/x\nF=relative/path\nG=\n=/x\nH=~/x\n[asemat]\nI=@S/i\n"
            << QStringList{"I=@S/i"};
        QTest::newRow("colon after the letter") << "J:=@S/j\n" << QStringList{"J=@S/j"};
        QTest::newRow("roots are cleaned") << "K=@S//k/./l/../\nL=/\n" << QStringList{"K=@S/k", "L=/"};
        QTest::newRow("last line of a letter wins") << "M=@S/first\nm=@S/second\n" << QStringList{"M=@S/second"};
        QTest::newRow("CR LF lines") << "N=@S/n\r\nO=@S/o\r\n" << QStringList{"N=@S/n", "O=@S/o"};
        QTest::newRow("no line ending at the end") << "P=@S/p" << QStringList{"P=@S/p"};
        QTest::newRow("empty map") << "" << QStringList{};
    }

    void userMapIsReadAsWritten()
    {
        // A map the user edited is read line by line, skipping what is not a drive, and kept.
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        writeMap(expand(text));
        QFile file(mapPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();

        QStringList wanted;
        for (const QString& line : expected)
            wanted.append(expand(line));
        QCOMPARE(describe(driveList()), wanted);
        file.seek(0);
        QCOMPARE(file.readAll(), before);
        if (!wanted.contains(QStringLiteral("C=") + cRoot()))
            QVERIFY2(!QFileInfo::exists(cRoot()), "made the per-user C: folder that the map does not use");
    }

    void mapIsReadAgainAfterReset()
    {
        // The map and the current folders stay as read until reset() forgets them.
        makeFolder(sandbox() + QStringLiteral("/d/Kansio"));
        writeMap(expand(QStringLiteral("D=@S/d\n")));
        QCOMPARE(describe(driveList()), QStringList{expand(QStringLiteral("D=@S/d"))});
        QCOMPARE(setCurrentFolder(QStringLiteral("D:\\Kansio")), DriveError::None);

        QFile file(mapPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(expand(QStringLiteral("E=@S/e\n")).toUtf8());
        file.close();
        QCOMPARE(describe(driveList()), QStringList{expand(QStringLiteral("D=@S/d"))});
        QCOMPARE(currentFolder(u'D'), QStringLiteral("D:\\Kansio"));

        reset();
        QCOMPARE(describe(driveList()), QStringList{expand(QStringLiteral("E=@S/e"))});
        QCOMPARE(currentFolder(u'D'), QStringLiteral("D:\\"));
    }

    void mapThatCannotBeReadGivesTheDefaults()
    {
        // Something unreadable in the map's place is left alone; the defaults serve meanwhile.
        makeFolder(mapPath());
        QCOMPARE(describe(driveList()), (QStringList{QStringLiteral("C=") + cRoot(), QStringLiteral("Z=/")}));
        QVERIFY(QFileInfo(mapPath()).isDir());
    }

    void locationsFallBackToHome_data()
    {
        QTest::addColumn<QString>("value"); // "unset" removes both variables
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("c");
        QTest::newRow("unset") << "unset" << "@S/home/.config/vuska-drives/drives.ini"
                               << "@S/home/.local/share/vuska-drives/c";
        QTest::newRow("empty") << "" << "@S/home/.config/vuska-drives/drives.ini"
                               << "@S/home/.local/share/vuska-drives/c";
        QTest::newRow("relative") << "relative-xdg" << "@S/home/.config/vuska-drives/drives.ini"
                                  << "@S/home/.local/share/vuska-drives/c";
        QTest::newRow("absolute") << "@S/other" << "@S/other/vuska-drives/drives.ini"
                                  << "@S/other/vuska-drives/c";
    }

    void locationsFallBackToHome()
    {
        // Both XDG folders are used only when absolute, else the usual folders under HOME.
        QFETCH(QString, value);
        QFETCH(QString, map);
        QFETCH(QString, c);
        if (value == QLatin1String("unset")) {
            qunsetenv("XDG_CONFIG_HOME");
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_CONFIG_HOME", expand(value).toLocal8Bit());
            qputenv("XDG_DATA_HOME", expand(value).toLocal8Bit());
        }
        reset();
        QCOMPARE(describe(driveList()), (QStringList{QStringLiteral("C=") + expand(c), QStringLiteral("Z=/")}));
        QVERIFY2(QFileInfo(expand(map)).isFile(), qPrintable(expand(map)));
        QVERIFY(QFileInfo(expand(c) + QStringLiteral("/Program Files")).isDir());
        QVERIFY2(!QFileInfo::exists(QStringLiteral("relative-xdg")), "wrote under the working folder");
    }

    void toHostFindsTheHostPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // "-" for nothing
        const QString vuska = QStringLiteral("@C/Program Files/Vuska");
        QTest::newRow("as on disk") << "C:\\Program Files\\Vuska" << vuska;
        QTest::newRow("other letter case") << "c:\\PROGRAM FILES\\vuska" << vuska;
        QTest::newRow("forward slashes") << "C:/Program Files/Vuska" << vuska;
        QTest::newRow("repeated and mixed separators") << "C:\\\\Program Files//\\Vuska\\\\" << vuska;
        QTest::newRow("dots") << "C:\\.\\Program Files\\.\\Vuska\\." << vuska;
        QTest::newRow("dot dots") << "C:\\Program Files\\Vuska\\..\\..\\Windows" << "@C/Windows";
        QTest::newRow("dot dots above the root") << "C:\\..\\..\\etc" << "@C/etc";
        QTest::newRow("dot dots at the root, then names") << "c:/../Program Files" << "@C/Program Files";
        QTest::newRow("root") << "C:\\" << "@C";
        QTest::newRow("root with a slash") << "c:/" << "@C";
        QTest::newRow("missing tail kept as typed")
            << "C:\\program files\\Uusi Kansio\\ALI" << "@C/Program Files/Uusi Kansio/ALI";
        QTest::newRow("exact spelling preferred") << "C:\\Kansio" << "@C/Kansio";
        QTest::newRow("other exact spelling preferred") << "C:\\KANSIO" << "@C/KANSIO";
        QTest::newRow("first of several spellings") << "C:\\kansio" << "@C/KANSIO";
        QTest::newRow("non-ASCII letter case") << "C:\\ÄÄKKÖSET" << "@C/Ääkköset";
        QTest::newRow("file") << "C:\\tiedosto.TXT" << "@C/Tiedosto.txt";
        QTest::newRow("trailing blank kept") << "C:\\Program Files\\Vuska " << "@C/Program Files/Vuska ";
        QTest::newRow("leading blank of a name kept") << "C:\\ Program Files" << "@C/ Program Files";
        QTest::newRow("three dots is a name") << "C:\\..." << "@C/...";
        QTest::newRow("colon after the drive") << "C:\\a:b" << "@C/a:b";
        QTest::newRow("Z: root") << "Z:\\" << "/";
        QTest::newRow("Z: as on disk") << "Z:@W\\Case" << "@S/Case";
        QTest::newRow("Z: other case at every level") << "z:@U\\CASE\\Uusi" << "@S/Case/Uusi";
        QTest::newRow("no separator after the colon") << "C:Program Files" << kNothing;
        QTest::newRow("network path") << "\\\\palvelin\\jako" << kNothing;
        QTest::newRow("empty") << "" << kNothing;
        QTest::newRow("no drive") << "Program Files" << kNothing;
        QTest::newRow("leading blank") << " C:\\Program Files" << kNothing;
        QTest::newRow("drive only") << "C:" << kNothing;
        QTest::newRow("two letters") << "CC:\\x" << kNothing;
        QTest::newRow("digit") << "1:\\x" << kNothing;
        QTest::newRow("non-ASCII letter") << "Ä:\\x" << kNothing;
        QTest::newRow("colon first") << ":\\x" << kNothing;
        QTest::newRow("unmapped drive") << "Q:\\Program Files" << kNothing;
        QTest::newRow("NUL inside") << QStringLiteral("C:\\a") + QChar(0) + QStringLiteral("b") << kNothing;
    }

    void toHostFindsTheHostPath()
    {
        // Windows paths reach the host folder of their drive, whatever their spelling.
        QFETCH(QString, path);
        QFETCH(QString, expected);
        makeTree();
        const std::optional<QString> host = toHost(expand(path));
        if (expected == kNothing) {
            QVERIFY2(!host, qPrintable(host.value_or(QString())));
        } else {
            QVERIFY(host);
            QCOMPARE(*host, expand(expected));
        }
    }

    void longPathsGiveAClearAnswer_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString name255(255, u'x');
        QTest::newRow("thousands of separators") << QStringLiteral("C:") + QString(5000, u'\\') << "@C";
        QTest::newRow("thousands of dot dots")
            << QStringLiteral("C:\\") + QStringLiteral("..\\").repeated(2000) + QStringLiteral("Windows")
            << "@C/Windows";
        QTest::newRow("long, climbing back")
            << QStringLiteral("C:\\") + QStringLiteral("abcdefgh\\..\\").repeated(1000) + QStringLiteral("Windows")
            << "@C/Windows";
        QTest::newRow("name at the host's limit") << QStringLiteral("C:\\") + name255 << "@C/" + name255;
        QTest::newRow("name over the host's limit") << QStringLiteral("C:\\x") + name255 << kNothing;
        QTest::newRow("name over the limit in bytes") << QStringLiteral("C:\\") + QString(128, u'ä') << kNothing;
        QTest::newRow("deep path within the limit")
            << QStringLiteral("C:\\") + QStringLiteral("abcdefgh\\").repeated(300)
            << "@C/" + QStringLiteral("abcdefgh/").repeated(300).chopped(1);
        QTest::newRow("several thousand characters")
            << QStringLiteral("C:\\") + QStringLiteral("abcdefgh\\").repeated(600) << kNothing;
        QTest::newRow("several thousand characters on Z:")
            << QStringLiteral("Z:\\") + QString(6000, u'a') << kNothing;
    }

    void longPathsGiveAClearAnswer()
    {
        // Paths of thousands of characters give a defined answer: the path, or nothing.
        QFETCH(QString, path);
        QFETCH(QString, expected);
        makeTree();
        const std::optional<QString> host = toHost(path);
        if (expected == kNothing) {
            QVERIFY2(!host, qPrintable(host.value_or(QString()).left(200)));
        } else {
            QVERIFY(host);
            QCOMPARE(*host, expand(expected));
        }
    }

    void toWindowsTakesTheClosestDrive_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("expected");
        QTest::newRow("drive root") << "@S/c" << "C:\\";
        QTest::newRow("drive root with a slash") << "@S/c/" << "C:\\";
        QTest::newRow("inside") << "@S/c/Program Files/Vuska" << "C:\\Program Files\\Vuska";
        QTest::newRow("nested drive's root") << "@S/c/deeper" << "D:\\";
        QTest::newRow("inside the nested drive") << "@S/c/deeper/x/y" << "D:\\x\\y";
        QTest::newRow("prefix but not a folder of it") << "@S/c/deeperx" << "C:\\deeperx";
        QTest::newRow("cleaned first") << "@S/c//Program Files/./x/../" << "C:\\Program Files";
        QTest::newRow("cleaned out of C:") << "@S/c/../y/z" << "Y:\\z";
        QTest::newRow("elsewhere on Z:") << "@S/other" << "Z:@W\\other";
        QTest::newRow("host root") << "/" << "Z:\\";
        QTest::newRow("host file") << "/etc/passwd" << "Z:\\etc\\passwd";
        QTest::newRow("above the host root") << "/../.." << "Z:\\";
        QTest::newRow("backslash in a host name") << "@S/c/a\\b" << "";
        QTest::newRow("relative") << "relative/x" << "";
        QTest::newRow("empty") << "" << "";
    }

    void toWindowsTakesTheClosestDrive()
    {
        // A host path is spoken through the drive with the longest root that holds it.
        QFETCH(QString, host);
        QFETCH(QString, expected);
        writeMap(expand(QStringLiteral("Z=/\nY=@S/y\nD=@S/c/deeper\nC=@S/c\n")));
        QCOMPARE(toWindows(expand(host)), expand(expected));
    }

    void toWindowsNeedsADriveThatHoldsThePath()
    {
        // Without Z:, a host path outside every drive has no Windows form.
        writeMap(expand(QStringLiteral("C=@S/c\n")));
        QCOMPARE(toWindows(QStringLiteral("/etc")), QString());
        QCOMPARE(toWindows(sandbox()), QString());
        QCOMPARE(toWindows(sandbox() + QStringLiteral("/c/x")), QStringLiteral("C:\\x"));
    }

    void pathsRoundTrip_data()
    {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("host");
        QTest::newRow("C: root") << "C:\\" << "@C";
        QTest::newRow("folder") << "C:\\Program Files" << "@C/Program Files";
        QTest::newRow("deeper folder") << "C:\\Program Files\\Vuska" << "@C/Program Files/Vuska";
        QTest::newRow("not there yet") << "C:\\Program Files\\Uusi" << "@C/Program Files/Uusi";
        QTest::newRow("non-ASCII") << "C:\\Ääkköset" << "@C/Ääkköset";
        QTest::newRow("Z: root") << "Z:\\" << "/";
        QTest::newRow("Z: folder") << "Z:@W\\Case" << "@S/Case";
    }

    void pathsRoundTrip()
    {
        // Each direction undoes the other for paths in their plain form.
        QFETCH(QString, windows);
        QFETCH(QString, host);
        makeTree();
        QCOMPARE(toHost(expand(windows)).value_or(kNothing), expand(host));
        QCOMPARE(toWindows(expand(host)), expand(windows));
    }

    void freeBytesReportsTheQuery_data()
    {
        QTest::addColumn<qint64>("reported");
        QTest::newRow("999") << qint64(999);
        QTest::newRow("1000") << qint64(1000);
        QTest::newRow("none") << qint64(0);
        QTest::newRow("beyond 32 bits") << qint64(5) * 1000 * 1000 * 1000 * 1000;
    }

    void freeBytesReportsTheQuery()
    {
        // The query is asked about the drive's host folder and its figure passed on whole.
        QFETCH(qint64, reported);
        QStringList asked;
        setFreeSpaceQuery([&](const QString& root) -> std::optional<qint64> {
            asked.append(root);
            return reported;
        });
        QCOMPARE(freeBytes(u'c'), std::optional<qint64>(reported));
        QCOMPARE(asked, QStringList{cRoot()});
    }

    void freeBytesNeedsAFolder_data()
    {
        QTest::addColumn<QChar>("letter");
        QTest::newRow("unmapped") << QChar(u'Q');
        QTest::newRow("not a letter") << QChar(u'1');
        QTest::newRow("missing folder") << QChar(u'E');
        QTest::newRow("file as the root") << QChar(u'F');
    }

    void freeBytesNeedsAFolder()
    {
        // Without a drive folder there is nothing to measure, and the query is not asked.
        QFETCH(QChar, letter);
        makeFile(sandbox() + QStringLiteral("/file"));
        writeMap(expand(QStringLiteral("C=@C\nE=@S/gone\nF=@S/file\n")));
        bool asked = false;
        setFreeSpaceQuery([&](const QString&) -> std::optional<qint64> {
            asked = true;
            return 5000;
        });
        QCOMPARE(freeBytes(letter), std::optional<qint64>());
        QVERIFY(!asked);
    }

    void freeBytesMeasuresTheHost()
    {
        // The real query agrees with the host's own figure, and a failing query gives nothing.
        driveList();
        const std::optional<qint64> measured = freeBytes(u'C');
        QVERIFY(measured);
        QVERIFY(*measured >= 0);
        setFreeSpaceQuery([](const QString&) { return std::optional<qint64>(); });
        QCOMPARE(freeBytes(u'C'), std::optional<qint64>());
        setFreeSpaceQuery({});
        // Qt finds the figure through the mount table, which a chroot or a bare container may
        // not show; there it has none to compare with.
        const QStorageInfo storage(cRoot());
        if (!storage.isValid() || !storage.isReady() || storage.bytesAvailable() < 0 || storage.bytesTotal() <= 0)
            QSKIP("the host's mount table does not tell this folder's free space");
        const qint64 tolerance = std::max<qint64>(qint64(256) << 20, storage.bytesTotal() / 100);
        QVERIFY2(qAbs(*measured - storage.bytesAvailable()) <= tolerance,
                 qPrintable(QStringLiteral("%1 vs %2").arg(*measured).arg(storage.bytesAvailable())));
    }

    void driveErrorsFollowTheHost_data()
    {
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<DriveError>("expected");
        QTest::newRow("default C:") << QChar(u'C') << DriveError::None;
        QTest::newRow("folder there") << QChar(u'D') << DriveError::None;
        QTest::newRow("link to a folder") << QChar(u'L') << DriveError::None;
        QTest::newRow("folder missing") << QChar(u'E') << DriveError::NoMedium;
        QTest::newRow("dangling link") << QChar(u'G') << DriveError::NoMedium;
        QTest::newRow("under a file") << QChar(u'H') << DriveError::NoMedium;
        QTest::newRow("file as the root") << QChar(u'F') << DriveError::NotReady;
        QTest::newRow("unmapped") << QChar(u'Q') << DriveError::Other;
        QTest::newRow("not a letter") << QChar(u'1') << DriveError::Other;
    }

    void driveErrorsFollowTheHost()
    {
        // check() and setCurrentFolder() tell a missing folder, an unusable one and no drive.
        QFETCH(QChar, letter);
        QFETCH(DriveError, expected);
        makeFolder(sandbox() + QStringLiteral("/stick"));
        makeFile(sandbox() + QStringLiteral("/file"));
        makeLink(sandbox() + QStringLiteral("/nowhere"), sandbox() + QStringLiteral("/dangling"));
        makeLink(sandbox() + QStringLiteral("/stick"), sandbox() + QStringLiteral("/link"));
        writeMap(expand(QStringLiteral("C=@C\nD=@S/stick\nE=@S/gone\nF=@S/file\nG=@S/dangling\n"
                                       "H=@S/file/inside\nL=@S/link\n")));
        const QString root = QString(letter) + QStringLiteral(":\\");
        QCOMPARE(check(letter), expected);
        QCOMPARE(check(letter.toLower()), expected);
        QCOMPARE(setCurrentFolder(root), expected);
        QCOMPARE(currentFolder(letter), letter.isLetter() ? root : QString());
        QCOMPARE(freeBytes(letter).has_value(), expected == DriveError::None);
    }

    void unpluggedStickIsNoticedAtOnce()
    {
        // A mount point that vanishes and comes back is seen at the next call, without reset().
        const QString stick = sandbox() + QStringLiteral("/media/stick");
        makeFolder(stick);
        writeMap(QStringLiteral("D=") + stick + u'\n');
        QCOMPARE(check(u'D'), DriveError::None);
        QVERIFY(QDir(stick).removeRecursively());
        QCOMPARE(check(u'D'), DriveError::NoMedium);
        QCOMPARE(setCurrentFolder(QStringLiteral("D:\\")), DriveError::NoMedium);
        makeFolder(stick);
        QCOMPARE(check(u'D'), DriveError::None);
    }

    void unreadableFolderIsNotReady_data()
    {
        QTest::addColumn<int>("permissions");
        QTest::newRow("no permissions") << 0x0000;
        QTest::newRow("cannot be entered") << 0x6000;
        QTest::newRow("cannot be listed") << 0x3000;
    }

    void unreadableFolderIsNotReady()
    {
        // A drive folder, or a folder on a drive, that cannot be entered or listed is not ready.
        QFETCH(int, permissions);
        const QString locked = sandbox() + QStringLiteral("/locked");
        makeFolder(locked + QStringLiteral("/sisalla"));
        makeFolder(cRoot() + QStringLiteral("/Lukittu/sisalla"));
        writeMap(expand(QStringLiteral("C=@C\nL=@S/locked\n")));
        lock(locked, QFileDevice::Permissions(permissions));
        lock(cRoot() + QStringLiteral("/Lukittu"), QFileDevice::Permissions(permissions));

        OrdinaryUserPermissions asUser;
        if (canList(locked))
            QSKIP("folder permissions do not bind this process (root without a way to drop its "
                  "overrides); the file-as-root row of driveErrorsFollowTheHost covers NotReady");
        QCOMPARE(check(u'L'), DriveError::NotReady);
        QCOMPARE(setCurrentFolder(QStringLiteral("L:\\")), DriveError::NotReady);
        QCOMPARE(check(u'C'), DriveError::None);
        QCOMPARE(setCurrentFolder(QStringLiteral("C:\\Lukittu")), DriveError::NotReady);
        QCOMPARE(currentFolder(u'C'), QStringLiteral("C:\\"));
        QCOMPARE(subfolders(QStringLiteral("L:\\")), QStringList());
    }

    void setCurrentFolderRemembersIt_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<DriveError>("expected");
        QTest::addColumn<QString>("current"); // C:'s current folder afterwards
        const QString before = QStringLiteral("C:\\Windows");
        QTest::newRow("folder") << "C:\\Program Files" << DriveError::None << "C:\\Program Files";
        QTest::newRow("names as on disk") << "c:\\program files\\VUSKA" << DriveError::None
                                          << "C:\\Program Files\\Vuska";
        QTest::newRow("slashes and a trailing one") << "C:/Program Files/Vuska/" << DriveError::None
                                                    << "C:\\Program Files\\Vuska";
        QTest::newRow("dot dots") << "C:\\Program Files\\..\\..\\Kansio" << DriveError::None << "C:\\Kansio";
        QTest::newRow("root") << "C:\\" << DriveError::None << "C:\\";
        QTest::newRow("link to a folder") << "C:\\LINKKI" << DriveError::None << "C:\\linkki";
        QTest::newRow("missing folder") << "C:\\Ei ole" << DriveError::Other << before;
        QTest::newRow("file") << "C:\\Tiedosto.txt" << DriveError::Other << before;
        QTest::newRow("dangling link") << "C:\\rikki" << DriveError::Other << before;
        QTest::newRow("no separator after the colon") << "C:Program Files" << DriveError::Other << before;
        QTest::newRow("network path") << "\\\\palvelin\\jako" << DriveError::Other << before;
        QTest::newRow("empty") << "" << DriveError::Other << before;
        QTest::newRow("unmapped drive") << "Q:\\" << DriveError::Other << before;
        QTest::newRow("too long") << QStringLiteral("C:\\") + QStringLiteral("abcdefgh\\").repeated(600)
                                  << DriveError::Other << before;
    }

    void setCurrentFolderRemembersIt()
    {
        // An existing folder becomes its drive's current folder; anything else changes nothing.
        QFETCH(QString, path);
        QFETCH(DriveError, expected);
        QFETCH(QString, current);
        makeTree();
        const QString workingFolder = QDir::currentPath();
        QCOMPARE(setCurrentFolder(QStringLiteral("C:\\Windows")), DriveError::None);
        QCOMPARE(setCurrentFolder(path), expected);
        QCOMPARE(currentFolder(u'C'), current);
        QCOMPARE(currentFolder(u'c'), current);
        QCOMPARE(currentFolder(u'Z'), QStringLiteral("Z:\\"));
        QCOMPARE(QDir::currentPath(), workingFolder);
    }

    void currentFoldersArePerDrive()
    {
        // Each drive keeps its own current folder, in memory only, until reset().
        makeTree();
        QCOMPARE(currentFolder(u'C'), QStringLiteral("C:\\"));
        QCOMPARE(currentFolder(u'D'), QStringLiteral("D:\\"));
        QCOMPARE(setCurrentFolder(QStringLiteral("C:\\Kansio")), DriveError::None);
        QCOMPARE(setCurrentFolder(expand(QStringLiteral("z:@U\\case"))), DriveError::None);
        QCOMPARE(currentFolder(u'C'), QStringLiteral("C:\\Kansio"));
        QCOMPARE(currentFolder(u'z'), expand(QStringLiteral("Z:@W\\Case")));
        reset();
        QCOMPARE(currentFolder(u'C'), QStringLiteral("C:\\"));
        QCOMPARE(currentFolder(u'Z'), QStringLiteral("Z:\\"));
    }

    void subfoldersListsFolders_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("C: root") << "C:\\"
                                 << QStringList{"Alpha", "beta", "gamma", "KANSIO", "Kansio", "linkki",
                                                "Program Files", "Windows", "Ääkköset"};
        QTest::newRow("any spelling") << "c:\\PROGRAM FILES" << QStringList{"Vuska"};
        QTest::newRow("through a link") << "C:\\linkki\\" << QStringList{"Sisempi"};
        QTest::newRow("empty folder") << "C:\\Program Files\\Vuska" << QStringList{};
        QTest::newRow("file") << "C:\\Tiedosto.txt" << QStringList{};
        QTest::newRow("missing folder") << "C:\\Ei ole" << QStringList{};
        QTest::newRow("unmapped drive") << "Q:\\" << QStringList{};
        QTest::newRow("no separator after the colon") << "C:Program Files" << QStringList{};
    }

    void subfoldersListsFolders()
    {
        // Only folders (and links to them) are listed, hidden ones left out, in letter order.
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        makeTree();
        QCOMPARE(subfolders(path), expected);
    }

    void onlyTheMapAndCAreEverWritten()
    {
        // First use makes the map and the per-user C:; nothing else, not even a temporary file.
        const QStringList before = pathsOf(snapshot(sandbox()));
        QCOMPARE(driveList().size(), 2);
        QStringList paths;
        for (const QString& path : pathsOf(snapshot(sandbox()))) {
            if (!before.contains(path))
                paths.append(path.mid(sandbox().size()));
        }
        QCOMPARE(paths, (QStringList{"/config/vuska-drives", "/config/vuska-drives/drives.ini",
                                     "/data/vuska-drives", "/data/vuska-drives/c",
                                     "/data/vuska-drives/c/Program Files"}));
    }

    void lookingWritesNothing()
    {
        // Every call that only looks leaves the user's drives exactly as they were.
        makeFolder(sandbox() + QStringLiteral("/userc/Kansio"));
        makeFile(sandbox() + QStringLiteral("/userc/Kansio/tiedosto"));
        writeMap(expand(QStringLiteral("C=@S/userc\nE=@S/gone\nZ=/\n")));
        const QStringList before = snapshot(sandbox());
        for (const QString& path : {QStringLiteral("C:\\"), QStringLiteral("C:\\kansio"),
                                    QStringLiteral("C:\\Program Files\\Vuska"), QStringLiteral("E:\\x"),
                                    expand(QStringLiteral("Z:@W\\uusi"))}) {
            toHost(path);
            setCurrentFolder(path);
            subfolders(path);
        }
        for (QChar letter : {u'C', u'E', u'Z', u'Q'}) {
            check(letter);
            freeBytes(letter);
            currentFolder(letter);
        }
        toWindows(sandbox() + QStringLiteral("/userc/Kansio"));
        QCOMPARE(snapshot(sandbox()), before);
        QVERIFY(!QFileInfo::exists(cRoot()));
    }
};

VUSKA_TEST_MAIN(TestPlatformDrives)
#include "test_platform_drives.moc"
