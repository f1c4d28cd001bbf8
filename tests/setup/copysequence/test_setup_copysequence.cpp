#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "platform/drives.h"
#include "platform/installfiles.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "setup/wizard/copysequence.h"
#include "setup/wizard/filetable.h"
#include "tests/support/foldersnapshot.h"
#include "tests/support/installersandbox.h"
#include "tests/support/sandbox.h"

using namespace vuska::setup;
using platform::MessageBoxRequest;
using platform::installfiles::InterceptingFileSystem;
using platform::installfiles::Operation;
using vuska::test::describeDifference;
using vuska::test::FolderSnapshot;
using vuska::test::InstallerSandbox;
using vuska::test::snapshotFolder;
using Result = CopySequence::Result;

Q_DECLARE_METATYPE(Operation)

namespace {

const QString kTarget = QStringLiteral("C:\\Program Files\\Vuska");

// The set's real names, with small sizes of the test's own so that every file differs.
struct TestSet {
    std::vector<QByteArray> names;
    std::vector<InstallFile> files;
    TestSet()
    {
        for (const InstallFile& f : installationFiles())
            names.emplace_back(f.name);
        for (size_t i = 0; i < names.size(); ++i)
            files.push_back({names[i].constData(), qint64(40 + 7 * i)});
    }
    QString name(int k) const { return QString::fromUtf8(names[size_t(k - 1)]); }
    int count() const { return int(files.size()); }
};

QByteArray contentsOf(const InstallFile& file, char tag)
{
    QByteArray bytes = QByteArray(file.name) + ' ' + tag + ' ';
    while (bytes.size() < file.size)
        bytes += bytes;
    return bytes.left(qsizetype(file.size));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What the copy window was shown, in order.
struct Window {
    QStringList events;
    QList<MessageBoxRequest> boxes;
    QList<platform::ScreenPointer> pointerAtBox;
    QList<int> progress;
    int yields = 0;
    std::function<void()> onYield;

    CopyWindowHooks hooks()
    {
        CopyWindowHooks h;
        h.setKopioitava = [this](const QString& t) { events.append(QStringLiteral("kopioitava:") + t); };
        h.setKohdekansio = [this](const QString& t) { events.append(QStringLiteral("kohde:") + t); };
        h.setProgress = [this](int v) { progress.append(v); };
        h.yield = [this] {
            ++yields;
            events.append(QStringLiteral("yield"));
            if (onYield)
                onYield();
        };
        h.showMessage = [this](const MessageBoxRequest& r) {
            boxes.append(r);
            pointerAtBox.append(platform::screenPointer());
            events.append(QStringLiteral("box:") + r.title);
            return platform::MsgAnswer::Ok;
        };
        return h;
    }
};

void compareError(const MessageBoxRequest& box, const QString& text, const QString& title)
{
    QCOMPARE(box.text, text);
    QCOMPARE(box.title, title);
    QCOMPARE(box.icon, platform::MsgIcon::Exclamation);
    QCOMPARE(box.buttons, platform::MsgButtons::Ok);
    QVERIFY(box.helpFile.isEmpty());
}

} // namespace

class TestSetupCopySequence : public QObject {
    Q_OBJECT

    TestSet set_;
    QTemporaryDir work_;
    QString sourceHost_;
    QString source_; // Windows form
    QString targetHost_;
    int round_ = 0;

    QString sourceFile(int k) const { return sourceHost_ + QLatin1Char('/') + set_.name(k); }
    QString targetFile(int k) const { return targetHost_ + QLatin1Char('/') + set_.name(k); }

    // A folder the user already installed into once: older files under the table's names
    // (every one, or every third), and files of the user's own.
    void makeEarlierInstallation(bool everyName)
    {
        QVERIFY(QDir().mkpath(targetHost_));
        for (int k = 1; k <= set_.count(); ++k) {
            if (everyName || k % 3 == 0)
                writeFile(targetFile(k), "older " + set_.names[size_t(k - 1)]);
        }
        writeFile(targetHost_ + QStringLiteral("/muistiinpanot.txt"), "the user's own");
        writeFile(targetHost_ + QStringLiteral("/.hidden"), "the user's own, hidden");
    }

    struct Run {
        std::optional<Result> result;
        int registrations = 0;
    };
    Run run(Window& window, bool createFolder, platform::installfiles::FileSystem& fs,
            QString target = kTarget)
    {
        Run r;
        CopySequence sequence(window.hooks(), [&] { ++r.registrations; return true; }, fs, set_.files);
        r.result = sequence.run(source_, target, createFolder);
        return r;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work_.isValid());
        platform::lifetime::setEndHandler([](int) {});
    }

    void init()
    {
        platform::lifetime::reset();
        platform::setScreenPointer(platform::ScreenPointer::Default);
        const QString round = work_.path() + QStringLiteral("/round") + QString::number(++round_);
        sourceHost_ = round + QStringLiteral("/vuska122");
        QVERIFY(QDir().mkpath(sourceHost_));
        for (int k = 1; k <= set_.count(); ++k)
            writeFile(sourceFile(k), contentsOf(set_.files[size_t(k - 1)], 'n'));
        source_ = platform::drives::toWindows(sourceHost_);
        QVERIFY2(!source_.isEmpty(), qPrintable(sourceHost_));
        targetHost_ = platform::drives::toHost(kTarget).value_or(QString());
        QVERIFY(!targetHost_.isEmpty());
        QDir(targetHost_).removeRecursively();
    }

    // The whole road into a new folder: the folder made, every file copied whole, the window
    // told each file's paths and its progress, the registration run once at the end.
    void installsIntoNewFolder()
    {
        Window window;
        InterceptingFileSystem fs;
        QString target = kTarget + QLatin1Char('\\');
        int registrations = 0;
        qsizetype filesAtRegistration = -1;
        CopySequence sequence(window.hooks(), [&] {
            ++registrations;
            filesAtRegistration = snapshotFolder(targetHost_).size();
            window.events.append(QStringLiteral("registration"));
            return true;
        }, fs, set_.files);
        QCOMPARE(sequence.run(source_, target, true), std::optional(Result::Done));
        QCOMPARE(target, kTarget);
        QCOMPARE(registrations, 1);
        // By then every file was in place and nothing of the work was left beside them.
        QCOMPARE(filesAtRegistration, qsizetype(set_.count()));
        QVERIFY(window.boxes.isEmpty());
        QCOMPARE(platform::screenPointer(), platform::ScreenPointer::Default);

        const FolderSnapshot after = snapshotFolder(targetHost_);
        QCOMPARE(after.size(), set_.count());
        for (int k = 1; k <= set_.count(); ++k) {
            QFile file(targetFile(k));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(set_.name(k)));
            QCOMPARE(file.readAll(), contentsOf(set_.files[size_t(k - 1)], 'n'));
        }

        QStringList expected{QStringLiteral("yield")};
        QList<int> progress;
        for (int k = 1; k <= set_.count(); ++k) {
            expected << QStringLiteral("kopioitava:Kopioidaan: ") + source_ + QLatin1Char('\\') + set_.name(k)
                     << QStringLiteral("kohde:Kohde: ") + kTarget + QLatin1Char('\\') + set_.name(k)
                     << QStringLiteral("yield") << QStringLiteral("yield");
            progress << std::min(k, 58);
        }
        expected << QStringLiteral("registration");
        QCOMPARE(window.events, expected);
        QCOMPARE(window.progress, progress);
        QCOMPARE(window.progress.last(), 58);
        QCOMPARE(window.progress.at(57), 58);
    }

    // Once per showing: a second activation, also one during its own turns of the message
    // loop, does nothing.
    void runsOnce()
    {
        Window window;
        InterceptingFileSystem fs;
        int registrations = 0;
        CopySequence sequence(window.hooks(), [&] { ++registrations; return true; }, fs, set_.files);
        QString target = kTarget;
        int refused = 0;
        window.onYield = [&] {
            QString again = kTarget;
            if (!sequence.run(source_, again, true))
                ++refused;
        };
        QCOMPARE(sequence.run(source_, target, true), std::optional(Result::Done));
        QCOMPARE(refused, window.yields);
        const int copies = fs.calls(Operation::CopyNew);
        QCOMPARE(copies, set_.count());
        window.onYield = nullptr;
        QCOMPARE(sequence.run(source_, target, true), std::nullopt);
        QCOMPARE(fs.calls(Operation::CopyNew), copies);
        QCOMPARE(registrations, 1);
        QVERIFY(sequence.started());
    }

    // A failure at any entry, in setting the earlier file aside or in the copy, is
    // reported with its own message and leaves the target folder exactly as it was: the
    // user's earlier files back under their names, the new ones gone, and a folder that
    // setup made removed.
    void failureAtEveryEntryRollsBack_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("folder");
        for (int k = 1; k <= 59; ++k) {
            const QByteArray n = QByteArray::number(k);
            QTest::newRow("new folder, copy " + n) << k << Operation::CopyNew << QStringLiteral("new");
            QTest::newRow("earlier files under every name, copy " + n)
                << k << Operation::CopyNew << QStringLiteral("every");
            QTest::newRow("earlier files under some names, copy " + n)
                << k << Operation::CopyNew << QStringLiteral("some");
            QTest::newRow("earlier files under every name, setting aside " + n)
                << k << Operation::Rename << QStringLiteral("every");
        }
    }
    void failureAtEveryEntryRollsBack()
    {
        QFETCH(int, k);
        QFETCH(Operation, operation);
        QFETCH(QString, folder);
        const bool createFolder = folder == QLatin1String("new");
        if (!createFolder)
            makeEarlierInstallation(folder == QLatin1String("every"));
        const FolderSnapshot before = createFolder ? FolderSnapshot() : snapshotFolder(targetHost_);

        // Setting aside renames the earlier file away from its own name; the copy reads the
        // source file.
        const QString failing = operation == Operation::CopyNew ? sourceFile(k) : targetFile(k);
        InterceptingFileSystem fs;
        fs.fail = [&](Operation op, const QString& path, int) { return op == operation && path == failing; };
        Window window;
        const Run r = run(window, createFolder, fs);

        QCOMPARE(r.result, std::optional(Result::EndProgram));
        QCOMPARE(r.registrations, 0);
        QCOMPARE(window.boxes.size(), 1);
        if (operation == Operation::Rename)
            compareError(window.boxes[0],
                         QStringLiteral("Jo olemassa olevan tiedoston ") + set_.name(k)
                             + QStringLiteral(" poisto ei onnistu.\nAsennus keskeytetään."),
                         QStringLiteral("Virhe"));
        else
            compareError(window.boxes[0],
                         QStringLiteral("Tiedoston ") + set_.name(k)
                             + QStringLiteral(" kopiointi ei onnistu. Asennus\nkeskeytetään ja jo asennetut tiedostot poistetaan."),
                         QStringLiteral("Virhe"));
        QCOMPARE(window.pointerAtBox[0], platform::ScreenPointer::Default);
        QCOMPARE(fs.calls(Operation::CopyNew), operation == Operation::CopyNew ? k : k - 1);
        // The box came while entry k was on show.
        QCOMPARE(window.progress.last(), std::min(k, 58));

        if (createFolder) {
            QVERIFY2(!QFileInfo::exists(targetHost_), "the folder setup made is still there");
        } else {
            const FolderSnapshot after = snapshotFolder(targetHost_);
            QVERIFY2(after == before, qPrintable(describeDifference(before, after)));
        }
    }

    // The files are checked before anything is copied: a missing one or one of another
    // size ends the installation with its message; a folder made for it stays, empty.
    void verificationStopsBeforeCopying_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("damage");
        QTest::newRow("first missing") << 1 << QStringLiteral("missing");
        QTest::newRow("readme.txt missing") << 28 << QStringLiteral("missing");
        QTest::newRow("last missing") << 59 << QStringLiteral("missing");
        QTest::newRow("a folder in place of readme.txt") << 28 << QStringLiteral("folder");
        QTest::newRow("a link to nowhere in place of a card") << 7 << QStringLiteral("dangling");
        QTest::newRow("a card one byte longer") << 7 << QStringLiteral("longer");
        QTest::newRow("a card one byte shorter") << 41 << QStringLiteral("shorter");
        QTest::newRow("setup.exe one byte longer") << 55 << QStringLiteral("longer");
        QTest::newRow("the last one byte shorter") << 59 << QStringLiteral("shorter");
        QTest::newRow("empty") << 20 << QStringLiteral("empty");
    }
    void verificationStopsBeforeCopying()
    {
        QFETCH(int, k);
        QFETCH(QString, damage);
        const QByteArray good = contentsOf(set_.files[size_t(k - 1)], 'n');
        QVERIFY(QFile::remove(sourceFile(k)));
        if (damage == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(sourceFile(k)));
        else if (damage == QLatin1String("dangling"))
            QCOMPARE(::symlink("nowhere", QFile::encodeName(sourceFile(k)).constData()), 0);
        else if (damage == QLatin1String("longer"))
            writeFile(sourceFile(k), good + 'x');
        else if (damage == QLatin1String("shorter"))
            writeFile(sourceFile(k), good.chopped(1));
        else if (damage == QLatin1String("empty"))
            writeFile(sourceFile(k), QByteArray());

        Window window;
        InterceptingFileSystem fs;
        const Run r = run(window, true, fs);
        QCOMPARE(r.result, std::optional(Result::EndProgram));
        QCOMPARE(window.boxes.size(), 1);
        const bool missing = damage == QLatin1String("missing") || damage == QLatin1String("folder")
            || damage == QLatin1String("dangling");
        if (missing)
            compareError(window.boxes[0],
                         QStringLiteral("Tiedostoa ") + set_.name(k)
                             + QStringLiteral(" ei löydy, joten ohjelman\nasennus keskeytetään."),
                         QStringLiteral("Ei tiedostoa"));
        else
            compareError(window.boxes[0],
                         QStringLiteral("Tiedostoa ") + set_.name(k)
                             + QStringLiteral(" on muokattu luvattomasti. Asennus\nkeskeytetään."),
                         QStringLiteral("Tiedostoa muokattu"));
        QCOMPARE(window.pointerAtBox[0], platform::ScreenPointer::Default);
        QCOMPARE(fs.calls(Operation::Size), k);
        QCOMPARE(fs.calls(Operation::CopyNew), 0);
        QVERIFY(window.progress.isEmpty());
        QCOMPARE(r.registrations, 0);
        QVERIFY(QFileInfo(targetHost_).isDir());
        QVERIFY(snapshotFolder(targetHost_).isEmpty());
    }

    // A folder whose parent is not there cannot be made: its message, and back to step 2
    // with nothing else done.
    void folderThatCannotBeMadeSendsBack()
    {
        Window window;
        InterceptingFileSystem fs;
        const QString target = QStringLiteral("C:\\Ei ole\\Vuska");
        const Run r = run(window, true, fs, target);
        QCOMPARE(r.result, std::optional(Result::BackToStep2));
        QCOMPARE(window.boxes.size(), 1);
        compareError(window.boxes[0],
                     QStringLiteral("Kansion C:\\Ei ole\\Vuska luominen ei onnistu.\nValitse kansio uudelleen."),
                     QStringLiteral("Virhe"));
        QCOMPARE(window.pointerAtBox[0], platform::ScreenPointer::Default);
        QCOMPARE(fs.calls(Operation::Size), 0);
        QCOMPARE(window.yields, 0);
        QCOMPARE(r.registrations, 0);
        QVERIFY(!QFileInfo::exists(platform::drives::toHost(QStringLiteral("C:\\Ei ole")).value()));
    }

    // An earlier installation in the folder is replaced without a question; the user's own
    // files beside it stay, and nothing of the work is left over.
    void replacesEarlierInstallation()
    {
        makeEarlierInstallation(false);
        Window window;
        InterceptingFileSystem fs;
        const Run r = run(window, false, fs);
        QCOMPARE(r.result, std::optional(Result::Done));
        QVERIFY(window.boxes.isEmpty());
        const FolderSnapshot after = snapshotFolder(targetHost_);
        QCOMPARE(after.size(), set_.count() + 2);
        QVERIFY(after.value(QStringLiteral("muistiinpanot.txt")).endsWith("the user's own"));
        QVERIFY(after.value(QStringLiteral(".hidden")).endsWith("the user's own, hidden"));
        for (int k = 1; k <= set_.count(); ++k)
            QVERIFY2(after.value(set_.name(k)).endsWith(contentsOf(set_.files[size_t(k - 1)], 'n')), qPrintable(set_.name(k)));
    }

    // A link under a name of the set is replaced by the file; what it led to is not written.
    void linkUnderNameIsReplaced()
    {
        QVERIFY(QDir().mkpath(targetHost_));
        const QString outside = work_.path() + QStringLiteral("/tausta-elsewhere.jpg");
        writeFile(outside, "not setup's to write");
        QCOMPARE(::symlink(QFile::encodeName(outside).constData(),
                           QFile::encodeName(targetHost_ + QStringLiteral("/tausta.jpg")).constData()),
                 0);
        Window window;
        InterceptingFileSystem fs;
        QCOMPARE(run(window, false, fs).result, std::optional(Result::Done));
        QVERIFY(!QFileInfo(targetHost_ + QStringLiteral("/tausta.jpg")).isSymLink());
        QCOMPARE(snapshotFolder(targetHost_).size(), set_.count());
        QFile kept(outside);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("not setup's to write"));
    }

    // The program told to end while the window lets events run: the folder goes back to
    // how it was, as after a failure, without a message.
    void endDuringCopyRollsBack()
    {
        makeEarlierInstallation(true);
        const FolderSnapshot before = snapshotFolder(targetHost_);
        Window window;
        window.onYield = [&] {
            if (window.progress.size() == 30)
                platform::lifetime::endProgram();
        };
        InterceptingFileSystem fs;
        const Run r = run(window, false, fs);
        QCOMPARE(r.result, std::optional(Result::EndProgram));
        QVERIFY(window.boxes.isEmpty());
        QCOMPARE(r.registrations, 0);
        QCOMPARE(fs.calls(Operation::CopyNew), 29);
        const FolderSnapshot after = snapshotFolder(targetHost_);
        QVERIFY2(after == before, qPrintable(describeDifference(before, after)));
    }

    void installsIntoADrivesRoot_data()
    {
        QTest::addColumn<int>("failing"); // the entry whose copy fails; 0: none
        QTest::newRow("the whole set") << 0;
        QTest::newRow("a copy failing at entry 5") << 5;
    }

    // A drive's root, which step 2 keeps as "C:", takes the files; after a failure the files
    // copied so far go, and the drive's own folder is never a folder to remove.
    void installsIntoADrivesRoot()
    {
        QFETCH(int, failing);
        InstallerSandbox machine;
        const FolderSnapshot before = snapshotFolder(machine.cRoot());
        InterceptingFileSystem fs;
        fs.fail = [&](Operation op, const QString& path, int) {
            return failing > 0 && op == Operation::CopyNew && path == sourceFile(failing);
        };
        Window window;
        const Run r = run(window, false, fs, QStringLiteral("C:\\"));
        QCOMPARE(fs.calls(Operation::RemoveEmptyFolder), 0);
        const FolderSnapshot after = snapshotFolder(machine.cRoot());
        if (failing > 0) {
            QCOMPARE(r.result, std::optional(Result::EndProgram));
            QCOMPARE(window.boxes.size(), 1);
            QVERIFY2(after == before, qPrintable(describeDifference(before, after)));
            return;
        }
        QCOMPARE(r.result, std::optional(Result::Done));
        QVERIFY(window.boxes.isEmpty());
        QCOMPARE(r.registrations, 1);
        QVERIFY(window.events.contains(QStringLiteral("kohde:Kohde: C:\\file_id.diz")));
        QCOMPARE(after.size(), before.size() + set_.count());
        for (int k = 1; k <= set_.count(); ++k)
            QVERIFY2(after.value(set_.name(k)).endsWith(contentsOf(set_.files[size_t(k - 1)], 'n')),
                     qPrintable(set_.name(k)));
    }

    void sourceFolderIsNeverTheTarget_data()
    {
        QTest::addColumn<QString>("target"); // "@" stands for the source folder
        QTest::newRow("a dot after it") << "@\\.";
        QTest::newRow("through its parent") << "@\\..\\vuska122";
        QTest::newRow("through another drive") << "S:\\VUSKA122";
        QTest::newRow("through a link") << "S:\\linkki";
    }

    // A target that turns out to be setup's own folder, however it is spelt, is refused before
    // anything is touched: the user hears why and chooses again on step 2.
    void sourceFolderIsNeverTheTarget()
    {
        QFETCH(QString, target);
        const QString round = QFileInfo(sourceHost_).path();
        QVERIFY(QFile::link(sourceHost_, round + QStringLiteral("/linkki")));
        InstallerSandbox machine;
        machine.writeDriveMap(QStringLiteral("C=%1\nS=%2\nZ=/\n").arg(machine.cRoot(), round));
        target.replace(u'@', source_);
        const FolderSnapshot before = snapshotFolder(sourceHost_);
        InterceptingFileSystem fs;
        Window window;
        const Run r = run(window, false, fs, target);
        QCOMPARE(r.result, std::optional(Result::BackToStep2));
        QCOMPARE(window.boxes.size(), 1);
        compareError(window.boxes[0],
                     QStringLiteral("Kansioon ") + target
                         + QStringLiteral(" ei voi asentaa, koska asennusohjelma on\nkäynnistetty sieltä. "
                                          "Valitse kansio uudelleen."),
                     QStringLiteral("Virhe"));
        QCOMPARE(fs.calls(Operation::CopyNew) + fs.calls(Operation::Rename) + fs.calls(Operation::CreateFolder), 0);
        QCOMPARE(r.registrations, 0);
        QCOMPARE(snapshotFolder(sourceHost_), before);
    }

    // The table compiled in is the whole set, by name and in order.
    void tableHasTheSet()
    {
        const auto files = installationFiles();
        QCOMPARE(files.size(), size_t(59));
        QCOMPARE(QByteArray(files[0].name), QByteArray("file_id.diz"));
        QCOMPARE(QByteArray(files[27].name), QByteArray("readme.txt"));
        QCOMPARE(QByteArray(files[54].name), QByteArray("setup.exe"));
        QCOMPARE(QByteArray(files[56].name), QByteArray("vuska.exe"));
        QCOMPARE(QByteArray(files[58].name), QByteArray("vuska122.cnt"));
        for (const InstallFile& f : files) {
            if (QByteArray(f.name) != "setup.exe")
                QVERIFY2(f.size > 0, f.name);
        }
    }
};

VUSKA_TEST_MAIN(TestSetupCopySequence)

#include "test_setup_copysequence.moc"
