#include <csignal>
#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/installfiles.h"
#include "tests/support/foldersnapshot.h"
#include "tests/support/sandbox.h"

using namespace platform::installfiles;
using vuska::test::describeDifference;
using vuska::test::FolderSnapshot;
using vuska::test::snapshotFolder;
using vuska::test::visibleNames;

namespace {

void writeFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions = {})
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    if (permissions)
        QVERIFY(file.setPermissions(permissions));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void makeLink(const QString& target, const QString& link)
{
    QVERIFY2(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0,
             qPrintable(link));
}

bool isLink(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

constexpr qint64 kBigFile = qint64(24) << 20;
const QString kProgram = QStringLiteral("vuska.exe");

// The child of killedCopyLeavesNoHalfFile: installs the two sources over each other into
// the folder, for ever, until it is killed.
int runInstaller(const QString& folder, const QString& first, const QString& second)
{
    std::puts("started");
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        FolderInstallation installation(folder);
        if (!installation.keepAside(kProgram) || !installation.install(round % 2 ? second : first, kProgram))
            return 3;
        installation.commit();
    }
}

} // namespace

class TestPlatformInstallFiles : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    QString target_;
    QString source_;

    QString target(const QString& name) const { return target_ + QLatin1Char('/') + name; }
    QString source(const QString& name) const { return source_ + QLatin1Char('/') + name; }

private slots:
    void init()
    {
        QVERIFY(work_.isValid());
        const QString round = work_.path() + QLatin1Char('/') + QString::number(QRandomGenerator::global()->generate());
        target_ = round + QStringLiteral("/target");
        source_ = round + QStringLiteral("/source");
        QVERIFY(QDir().mkpath(target_));
        QVERIFY(QDir().mkpath(source_));
        writeFile(source(QStringLiteral("readme.txt")), "new read-me");
        writeFile(source(kProgram), "new program",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    }

    // Into an empty folder: the file arrives whole, the program keeps its run bit, and
    // nothing else is left behind once the installation stands.
    void installsIntoEmptyFolder()
    {
        FolderInstallation installation(target_);
        QVERIFY(installation.keepAside(QStringLiteral("readme.txt")));
        QVERIFY(installation.install(source(QStringLiteral("readme.txt")), QStringLiteral("readme.txt")));
        QVERIFY(installation.keepAside(kProgram));
        QVERIFY(installation.install(source(kProgram), kProgram));
        QVERIFY(installation.keptAside().isEmpty());
        installation.commit();
        const FolderSnapshot after = snapshotFolder(target_);
        QCOMPARE(after.keys(), QStringList({QStringLiteral("readme.txt"), kProgram}));
        QCOMPARE(readFile(target(QStringLiteral("readme.txt"))), QByteArray("new read-me"));
        QVERIFY(QFile::permissions(target(kProgram)) & QFile::ExeOwner); // the mode, whatever the mount allows
        QVERIFY(QFile::permissions(target(kProgram)) & QFile::ExeGroup);
    }

    // What an installation replaces waits under a hidden name beside its own until the
    // end: a commit removes it, a rollback gives it back its name and contents.
    void replacedFilesWaitAside_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::newRow("commit") << true;
        QTest::newRow("rollback") << false;
    }
    void replacedFilesWaitAside()
    {
        QFETCH(bool, commit);
        writeFile(target(QStringLiteral("readme.txt")), "the user's old read-me", QFile::ReadOwner | QFile::WriteOwner);
        writeFile(target(QStringLiteral("notes.txt")), "not ours");
        const FolderSnapshot before = snapshotFolder(target_);

        FolderInstallation installation(target_);
        QVERIFY(installation.keepAside(QStringLiteral("readme.txt")));
        QCOMPARE(installation.keptAside().size(), 1);
        const QString hidden = installation.keptAside().first().second;
        QVERIFY2(hidden.startsWith(u'.'), qPrintable(hidden));
        QVERIFY(!QFile::exists(target(QStringLiteral("readme.txt"))));
        QCOMPARE(readFile(target(hidden)), QByteArray("the user's old read-me"));
        QVERIFY(installation.install(source(QStringLiteral("readme.txt")), QStringLiteral("readme.txt")));
        QCOMPARE(readFile(target(QStringLiteral("readme.txt"))), QByteArray("new read-me"));

        if (commit) {
            installation.commit();
            FolderSnapshot expected = before;
            expected[QStringLiteral("readme.txt")] = snapshotFolder(target_).value(QStringLiteral("readme.txt"));
            QCOMPARE(readFile(target(QStringLiteral("readme.txt"))), QByteArray("new read-me"));
            QVERIFY2(snapshotFolder(target_) == expected, qPrintable(describeDifference(expected, snapshotFolder(target_))));
        } else {
            installation.rollback();
            QVERIFY2(snapshotFolder(target_) == before, qPrintable(describeDifference(before, snapshotFolder(target_))));
        }
    }

    // A link under an installation's name is the name's own entry: it is moved aside and
    // replaced, and the file it leads to is never written, whatever follows.
    void linkUnderNameIsReplacedNotFollowed_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<bool>("commit");
        QTest::newRow("to a file, commit") << false << true;
        QTest::newRow("to a file, rollback") << false << false;
        QTest::newRow("leading nowhere, commit") << true << true;
        QTest::newRow("leading nowhere, rollback") << true << false;
    }
    void linkUnderNameIsReplacedNotFollowed()
    {
        QFETCH(bool, dangling);
        QFETCH(bool, commit);
        const QString victim = work_.path() + QStringLiteral("/victim-") + QString::number(QRandomGenerator::global()->generate());
        if (!dangling)
            writeFile(victim, "someone else's file");
        makeLink(victim, target(kProgram));
        const FolderSnapshot before = snapshotFolder(target_);

        FolderInstallation installation(target_);
        QVERIFY(installation.keepAside(kProgram));
        QVERIFY(installation.install(source(kProgram), kProgram));
        QVERIFY(!isLink(target(kProgram)));
        QCOMPARE(readFile(target(kProgram)), QByteArray("new program"));
        commit ? installation.commit() : installation.rollback();

        QCOMPARE(QFile::exists(victim), !dangling);
        if (!dangling)
            QCOMPARE(readFile(victim), QByteArray("someone else's file"));
        if (commit) {
            QCOMPARE(snapshotFolder(target_).keys(), QStringList{kProgram});
        } else {
            QVERIFY(isLink(target(kProgram)));
            QVERIFY2(snapshotFolder(target_) == before, qPrintable(describeDifference(before, snapshotFolder(target_))));
        }
    }

    // A folder under an installation's name cannot be set aside, as a file there could not
    // be deleted: the name stays as it is.
    void folderUnderNameStays()
    {
        QVERIFY(QDir().mkpath(target(QStringLiteral("readme.txt/inside"))));
        const FolderSnapshot before = snapshotFolder(target_);
        FolderInstallation installation(target_);
        QVERIFY(!installation.keepAside(QStringLiteral("readme.txt")));
        QVERIFY(!installation.install(source(QStringLiteral("readme.txt")), QStringLiteral("readme.txt")));
        installation.rollback();
        QVERIFY2(snapshotFolder(target_) == before, qPrintable(describeDifference(before, snapshotFolder(target_))));
    }

    // A killed installation leaves its hidden files beside the names; the next one that stands
    // clears them, and nothing else: not another pattern, not beside a name it did not write,
    // not a folder, not a file of the user's that only looks alike.
    void commitClearsStaleHiddenFilesOfItsOwn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("kept aside") << QStringLiteral(".readme.txt.vuska-kept-1x9z") << false << true;
        QTest::newRow("new copy") << QStringLiteral(".readme.txt.vuska-new-a") << false << true;
        QTest::newRow("upper case") << QStringLiteral(".readme.txt.vuska-kept-ABC") << false << false;
        QTest::newRow("other purpose") << QStringLiteral(".readme.txt.vuska-old-abc") << false << false;
        QTest::newRow("longer suffix") << QStringLiteral(".readme.txt.vuska-kept-abc.bak") << false << false;
        QTest::newRow("not hidden") << QStringLiteral("readme.txt.vuska-kept-abc") << false << false;
        QTest::newRow("beside another name") << QStringLiteral(".notes.txt.vuska-kept-abc") << false << false;
        QTest::newRow("a folder") << QStringLiteral(".readme.txt.vuska-kept-dir") << true << false;
    }

    void commitClearsStaleHiddenFilesOfItsOwn()
    {
        QFETCH(QString, name);
        QFETCH(bool, folder);
        QFETCH(bool, cleared);
        if (folder)
            QVERIFY(QDir().mkpath(target(name)));
        else
            writeFile(target(name), "left by a killed run");
        FolderInstallation installation(target_);
        QVERIFY(installation.keepAside(QStringLiteral("readme.txt")));
        QVERIFY(installation.install(source(QStringLiteral("readme.txt")), QStringLiteral("readme.txt")));
        installation.commit();
        QCOMPARE(QFileInfo::exists(target(name)), !cleared);
        QCOMPARE(readFile(target(QStringLiteral("readme.txt"))), QByteArray("new read-me"));
    }

    // A rollback leaves an earlier run's hidden files alone: nothing of this one stood.
    void rollbackLeavesStaleHiddenFiles()
    {
        writeFile(target(QStringLiteral(".readme.txt.vuska-kept-1x9z")), "left by a killed run");
        FolderInstallation installation(target_);
        QVERIFY(installation.keepAside(QStringLiteral("readme.txt")));
        QVERIFY(installation.install(source(QStringLiteral("readme.txt")), QStringLiteral("readme.txt")));
        installation.rollback();
        QVERIFY(QFileInfo::exists(target(QStringLiteral(".readme.txt.vuska-kept-1x9z"))));
        QVERIFY(!QFileInfo::exists(target(QStringLiteral("readme.txt"))));
    }

    // Names that would reach outside the folder, and a folder that is no absolute path, are
    // refused before anything is looked at.
    void refusesNamesOutsideTheFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("sub-path") << QString() << QStringLiteral("../escape.txt");
        QTest::newRow("dot-dot") << QString() << QStringLiteral("..");
        QTest::newRow("dot") << QString() << QStringLiteral(".");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("NUL") << QString() << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        QTest::newRow("no folder") << QStringLiteral("") << QStringLiteral("readme.txt");
        QTest::newRow("relative folder") << QStringLiteral("relative") << QStringLiteral("readme.txt");
    }
    void refusesNamesOutsideTheFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        InterceptingFileSystem fs;
        FolderInstallation installation(folder.isNull() ? target_ : folder, fs);
        QVERIFY(!installation.keepAside(name));
        QVERIFY(!installation.install(source(QStringLiteral("readme.txt")), name));
        installation.rollback();
        QCOMPARE(fs.calls(Operation::Exists) + fs.calls(Operation::CopyNew) + fs.calls(Operation::Rename), 0);
        QVERIFY(snapshotFolder(target_).isEmpty());
    }

    // Whichever single step fails, the step reports it and a rollback leaves the folder
    // exactly as it was; no temporary file is left under any name.
    void failedStepLeavesFolderAsItWas_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("call");
        QTest::addColumn<bool>("keepAsideFails");
        // Three names, in this order: readme.txt (a file of the user's), vuska.exe (a link of
        // the user's) and new.txt (nothing there). Each one that is there is renamed aside
        // first, then each is copied and the copy renamed over its name.
        QTest::newRow("readme.txt: setting aside") << int(Operation::Rename) << 1 << true;
        QTest::newRow("readme.txt: copy") << int(Operation::CopyNew) << 1 << false;
        QTest::newRow("readme.txt: renaming over") << int(Operation::Rename) << 2 << false;
        QTest::newRow("vuska.exe: setting the link aside") << int(Operation::Rename) << 3 << true;
        QTest::newRow("vuska.exe: copy") << int(Operation::CopyNew) << 2 << false;
        QTest::newRow("vuska.exe: renaming over") << int(Operation::Rename) << 4 << false;
        QTest::newRow("new.txt: copy") << int(Operation::CopyNew) << 3 << false;
        QTest::newRow("new.txt: renaming over") << int(Operation::Rename) << 5 << false;
    }
    void failedStepLeavesFolderAsItWas()
    {
        QFETCH(int, operation);
        QFETCH(int, call);
        QFETCH(bool, keepAsideFails);
        writeFile(target(QStringLiteral("readme.txt")), "old read-me");
        writeFile(work_.path() + QStringLiteral("/outside"), "outside");
        makeLink(work_.path() + QStringLiteral("/outside"), target(kProgram));
        writeFile(target(QStringLiteral(".hidden-of-the-user")), "hidden");
        writeFile(source(QStringLiteral("new.txt")), "brand new");
        const FolderSnapshot before = snapshotFolder(target_);

        InterceptingFileSystem fs;
        fs.fail = [&](Operation op, const QString&, int n) { return int(op) == operation && n == call; };
        FolderInstallation installation(target_, fs);
        bool failed = false;
        for (const QString& name : {QStringLiteral("readme.txt"), kProgram, QStringLiteral("new.txt")}) {
            if (!installation.keepAside(name)) {
                QVERIFY2(keepAsideFails, qPrintable(name));
                failed = true;
                break;
            }
            if (!installation.install(source(name), name)) {
                QVERIFY2(!keepAsideFails, qPrintable(name));
                failed = true;
                break;
            }
        }
        QVERIFY2(failed, "the injected failure was never met");
        installation.rollback();
        const FolderSnapshot after = snapshotFolder(target_);
        QVERIFY2(after == before, qPrintable(describeDifference(before, after)));
        QCOMPARE(readFile(work_.path() + QStringLiteral("/outside")), QByteArray("outside"));
    }

    // The seam counts every call by operation and fails exactly the one asked for.
    void interceptorFailsTheChosenCall()
    {
        writeFile(target(QStringLiteral("a")), "a");
        InterceptingFileSystem fs;
        fs.fail = [](Operation op, const QString&, int call) { return op == Operation::Exists && call == 2; };
        QVERIFY(fs.exists(target(QStringLiteral("a"))));
        QVERIFY(!fs.exists(target(QStringLiteral("a"))));
        QVERIFY(fs.exists(target(QStringLiteral("a"))));
        QCOMPARE(fs.calls(Operation::Exists), 3);
        QCOMPARE(fs.calls(Operation::Size), 0);
        QCOMPARE(fs.size(target(QStringLiteral("a"))), std::optional<qint64>(1));
        QCOMPARE(fs.log().size(), 4);
        QCOMPARE(fs.log().last(), QStringLiteral("size ") + target(QStringLiteral("a")));
    }

    // The real operations keep to their word on links, folders and names already taken.
    void realOperations()
    {
        FileSystem& fs = realFileSystem();
        writeFile(work_.path() + QStringLiteral("/pointed"), "12345");
        makeLink(work_.path() + QStringLiteral("/pointed"), target(QStringLiteral("link")));
        makeLink(work_.path() + QStringLiteral("/nowhere"), target(QStringLiteral("dangling")));
        QVERIFY(QDir().mkpath(target(QStringLiteral("folder"))));

        QVERIFY(fs.exists(target(QStringLiteral("dangling"))));
        QVERIFY(!fs.size(target(QStringLiteral("dangling"))));
        QCOMPARE(fs.size(target(QStringLiteral("link"))), std::optional<qint64>(5));
        QVERIFY(!fs.size(target(QStringLiteral("folder"))));
        QVERIFY(fs.isFolder(target(QStringLiteral("folder"))));
        QVERIFY(!fs.isFolder(target(QStringLiteral("link"))));
        QVERIFY(!fs.removeFile(target(QStringLiteral("folder"))));

        // A copy never writes through a link or over a name already taken.
        QVERIFY(!fs.copyNew(source(QStringLiteral("readme.txt")), target(QStringLiteral("link"))));
        QVERIFY(!fs.copyNew(source(QStringLiteral("readme.txt")), target(QStringLiteral("dangling"))));
        QVERIFY(!QFile::exists(work_.path() + QStringLiteral("/nowhere")));
        QCOMPARE(readFile(work_.path() + QStringLiteral("/pointed")), QByteArray("12345"));
        QVERIFY(!fs.copyNew(source(QStringLiteral("missing")), target(QStringLiteral("copy"))));
        QVERIFY(!fs.exists(target(QStringLiteral("copy"))));
        QVERIFY(!fs.copyNew(source_, target(QStringLiteral("copy"))));
        QVERIFY(!fs.exists(target(QStringLiteral("copy"))));

        QVERIFY(!fs.rename(target(QStringLiteral("dangling")), target(QStringLiteral("link")), Replace::No));
        QVERIFY(isLink(target(QStringLiteral("dangling"))));
        QVERIFY(fs.rename(target(QStringLiteral("dangling")), target(QStringLiteral("link")), Replace::Yes));
        QVERIFY(!fs.exists(target(QStringLiteral("dangling"))));

        QVERIFY(fs.removeFile(target(QStringLiteral("link"))));
        QVERIFY(!fs.exists(target(QStringLiteral("link"))));
        QCOMPARE(readFile(work_.path() + QStringLiteral("/pointed")), QByteArray("12345"));

        QVERIFY(!fs.createFolder(target(QStringLiteral("no/such/parent"))));
        QVERIFY(fs.createFolder(target(QStringLiteral("folder/child"))));
        writeFile(target(QStringLiteral("folder/child/x")), "x");
        QVERIFY(!fs.removeEmptyFolder(target(QStringLiteral("folder/child"))));
        QVERIFY(QFile::remove(target(QStringLiteral("folder/child/x"))));
        QVERIFY(fs.removeEmptyFolder(target(QStringLiteral("folder/child"))));
        QVERIFY(fs.syncFolder(target_));
        QVERIFY(!fs.syncFolder(target(QStringLiteral("missing"))));
    }

    // A copy killed at any moment leaves under the name either the whole old file or the
    // whole new one, or nothing there with the whole old one still beside it: never a part.
    void killedCopyLeavesNoHalfFile()
    {
        const QByteArray first(kBigFile, 'A');
        const QByteArray second(kBigFile, 'B');
        writeFile(source(QStringLiteral("first")), first);
        writeFile(source(QStringLiteral("second")), second);
        QRandomGenerator rng(59);
        int midway = 0;
        for (int round = 0; round < 10; ++round) {
            const QString folder = target_ + QStringLiteral("/round") + QString::number(round);
            QVERIFY(QDir().mkpath(folder));
            writeFile(folder + QLatin1Char('/') + kProgram, QByteArray(1000, 'O'));

            QProcess installer;
            installer.setProgram(QCoreApplication::applicationFilePath());
            installer.setArguments({QStringLiteral("--installer"), folder, source(QStringLiteral("first")),
                                    source(QStringLiteral("second"))});
            installer.start();
            QVERIFY(installer.waitForStarted());
            QVERIFY(installer.waitForReadyRead(20000));
            QThread::usleep(rng.bounded(1000, 150000));
            ::kill(pid_t(installer.processId()), SIGKILL);
            QVERIFY(installer.waitForFinished(20000));
            QCOMPARE(installer.exitStatus(), QProcess::CrashExit);

            const FolderSnapshot left = snapshotFolder(folder);
            const QStringList visible = visibleNames(left);
            QVERIFY2(visible.isEmpty() || visible == QStringList{kProgram}, qPrintable(visible.join(u',')));
            const auto whole = [&](const QByteArray& entry) {
                const QByteArray bytes = entry.mid(entry.indexOf(':', 5) + 1);
                return bytes == QByteArray(1000, 'O') || bytes == first || bytes == second;
            };
            if (visible.isEmpty()) {
                // Between setting the old file aside and renaming the new one over its name.
                bool oldOneBeside = false;
                for (auto it = left.cbegin(); it != left.cend(); ++it)
                    oldOneBeside = oldOneBeside || (it.key().contains(QStringLiteral(".vuska-kept-")) && whole(it.value()));
                QVERIFY2(oldOneBeside, "the name is empty and its earlier file is nowhere whole");
                ++midway;
            } else {
                QVERIFY2(whole(left.value(kProgram)), "a part of a file under the name");
            }
            for (auto it = left.cbegin(); it != left.cend(); ++it) {
                if (it.key().contains(QStringLiteral(".vuska-new-")) && !whole(it.value()))
                    ++midway; // killed while copying
            }
        }
        qInfo("rounds killed while a copy was unfinished or its name was free: %d", midway);
    }
};

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--installer") == 0) {
        QCoreApplication app(argc, argv);
        return runInstaller(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                            QString::fromLocal8Bit(argv[4]));
    }
    vuska::test::Sandbox sandbox;
    QCoreApplication app(argc, argv);
    TestPlatformInstallFiles tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "test_platform_installfiles.moc"
