// Installer faults: what the installer and the uninstaller leave behind when things go wrong.
// Prints "injected faults, residue, lost files" for each kind of run; exits 1 when anything is
// left over that was not there before, or anything of the user's is lost or changed.
//   build/bench/bench_installer_faults [--quick] [--seed N]
//
//  - copy fault: the copy sequence over the real installation set, with one file operation
//    failing: every rename that frees or fills a name, every copy, every removal and folder
//    operation, into a new folder and into one holding an older installation and files of
//    the user's. Afterwards the folder must be as before (or, when the failure came after the
//    installation stood, hold exactly the new installation).
//  - copy killed: a copying setup killed with SIGKILL at a random moment; no file under a table
//    name may be half-written, and the next installation must come out clean.
//  - uninstall tampered: the removal run with its folder record changed in twenty ways; only
//    table names directly in the folder the record names may go.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <climits>
#include <csignal>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/drives.h"
#include "platform/installfiles.h"
#include "platform/registry.h"
#include "setup/uninstall/removal.h"
#include "setup/wizard/copysequence.h"
#include "setup/wizard/filetable.h"
#include "tests/support/foldersnapshot.h"

namespace {

using Clock = std::chrono::steady_clock;
using platform::installfiles::InterceptingFileSystem;
using platform::installfiles::Operation;
using vuska::setup::CopySequence;
using vuska::test::FolderSnapshot;

const QString kSetDir = QStringLiteral(VUSKA_SET_DIR);

// The table as setup.exe carries it; this program is not setup.exe, so setup.exe's own size
// comes from the file.
std::vector<vuska::setup::InstallFile> tableFiles()
{
    std::vector<vuska::setup::InstallFile> files(vuska::setup::installationFiles().begin(),
                                                 vuska::setup::installationFiles().end());
    for (vuska::setup::InstallFile& file : files) {
        if (QByteArray(file.name) == "setup.exe")
            file.size = QFileInfo(kSetDir + QStringLiteral("/setup.exe")).size();
    }
    return files;
}

QStringList tableNames()
{
    QStringList names;
    for (const vuska::setup::InstallFile& file : vuska::setup::installationFiles())
        names << QString::fromUtf8(file.name);
    return names;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// An older installation under every table name, and files of the user's beside it.
void makeOlderInstallation(const QString& folder)
{
    for (const QString& name : tableNames())
        writeFile(folder + u'/' + name, "older " + name.toUtf8() + '\n');
    writeFile(folder + QStringLiteral("/omat muistiinpanot.txt"), "the user's own\n");
    writeFile(folder + QStringLiteral("/tallennukset/peli1.dat"), "saved\n");
}

vuska::setup::CopyWindowHooks quietWindow()
{
    vuska::setup::CopyWindowHooks window;
    window.showMessage = [](const platform::MessageBoxRequest&) { return platform::MsgAnswer::Ok; };
    return window;
}

std::optional<CopySequence::Result> copyInto(const QString& target, bool create, platform::installfiles::FileSystem& fs)
{
    const std::vector<vuska::setup::InstallFile> files = tableFiles();
    CopySequence sequence(quietWindow(), {}, fs, files);
    QString folder = target;
    return sequence.run(platform::drives::toWindows(kSetDir), folder, create);
}

// Names in `after` that were not in `before`, and names of `before` missing or changed in
// `after`, leaving out the names an installation that stood was meant to write.
struct Difference {
    int residue = 0;
    int lost = 0;
    QStringList what;
};

Difference compare(const FolderSnapshot& before, const FolderSnapshot& after, const QStringList& allowed = {})
{
    Difference d;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()) && !allowed.contains(it.key())) {
            ++d.residue;
            d.what << QStringLiteral("left over: ") + it.key();
        }
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (allowed.contains(it.key()))
            continue;
        if (!after.contains(it.key()) || after.value(it.key()) != it.value()) {
            ++d.lost;
            d.what << QStringLiteral("lost or changed: ") + it.key();
        }
    }
    return d;
}

struct Row {
    QString name;
    int faults = 0;
    int residue = 0;
    int lost = 0;
};

class Runs {
public:
    Runs(const QString& root, quint64 seed, bool quick) : root_(root), random_(seed), quick_(quick) {}

    bool ok() const { return failures_ == 0; }
    void print(const Row& row) const
    {
        std::printf("%-34s %15d %8d %11d\n", qPrintable(row.name), row.faults, row.residue, row.lost);
        std::fflush(stdout);
    }

    Row copyFaults(bool older);
    Row killedCopies();
    Row tamperedUninstall();

private:
    void fail(const QString& what)
    {
        ++failures_;
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    }
    QString scratch(const QString& name) const { return root_ + QStringLiteral("/c/Ohjelmat/") + name; }

    QString root_;
    std::mt19937_64 random_;
    bool quick_;
    int failures_ = 0;
    int clearedLater_ = 0;

public:
    int clearedLater() const { return clearedLater_; }
};

Row Runs::copyFaults(bool older)
{
    Row row{older ? QStringLiteral("copy fault, older files") : QStringLiteral("copy fault, new folder")};
    const QString base = scratch(QStringLiteral("vika"));
    const QString parent = QFileInfo(base).path();
    const QStringList names = tableNames();
    QStringList installed;
    for (const QString& name : names)
        installed << QStringLiteral("vika/") + name;

    // How many calls of each kind a whole installation makes, so that each can be failed.
    QDir(base).removeRecursively();
    if (older)
        makeOlderInstallation(base);
    InterceptingFileSystem counting;
    if (copyInto(platform::drives::toWindows(base), !older, counting) != CopySequence::Result::Done) {
        fail(QStringLiteral("a copy without faults did not finish"));
        return row;
    }
    const Operation operations[] = {Operation::Rename, Operation::CopyNew, Operation::RemoveFile,
                                    Operation::CreateFolder, Operation::RemoveEmptyFolder, Operation::SyncFolder};
    for (const Operation operation : operations) {
        const int calls = counting.calls(operation);
        for (int call = 1; call <= calls; ++call) {
            if (quick_ && call != 1 && call != 30 && call != calls)
                continue;
            QDir(base).removeRecursively();
            if (older)
                makeOlderInstallation(base);
            const FolderSnapshot before = vuska::test::snapshotFolder(parent);
            InterceptingFileSystem fs;
            fs.fail = [&](Operation op, const QString&, int n) { return op == operation && n == call; };
            const std::optional<CopySequence::Result> result = copyInto(platform::drives::toWindows(base), !older, fs);
            const FolderSnapshot after = vuska::test::snapshotFolder(parent);
            Difference d;
            if (result == CopySequence::Result::Done) {
                // The failure came when the installation stood already: the new files are in.
                // What it could not remove then is the next installation's to clear.
                d = compare(before, after, installed + QStringList{QStringLiteral("vika")});
                if (d.residue > 0) {
                    ++clearedLater_;
                    InterceptingFileSystem again;
                    copyInto(platform::drives::toWindows(base), false, again);
                    d = compare(before, vuska::test::snapshotFolder(parent), installed + QStringList{QStringLiteral("vika")});
                }
                for (const QString& name : names) {
                    if (bytesOf(base + u'/' + name) != bytesOf(kSetDir + u'/' + name)) {
                        ++d.lost;
                        d.what << QStringLiteral("not installed: ") + name;
                    }
                }
            } else {
                d = compare(before, after);
            }
            row.residue += d.residue;
            row.lost += d.lost;
            ++row.faults;
            if (d.residue + d.lost > 0)
                fail(QStringLiteral("%1: operation %2, call %3: %4")
                         .arg(row.name).arg(int(operation)).arg(call).arg(d.what.join(QStringLiteral("; "))));
        }
    }
    QDir(base).removeRecursively();
    return row;
}

Row Runs::killedCopies()
{
    Row row{QStringLiteral("copy killed")};
    const int trials = quick_ ? 5 : 50;
    const QString folder = scratch(QStringLiteral("tapettu"));
    const QString target = platform::drives::toWindows(folder);
    const QStringList names = tableNames();
    const auto runCopy = [&](bool killRandomly, std::chrono::microseconds delay) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--copy"), target});
        child.waitForStarted(10000);
        if (killRandomly) {
            std::this_thread::sleep_for(delay);
            if (child.state() != QProcess::NotRunning)
                ::kill(pid_t(child.processId()), SIGKILL);
        }
        child.waitForFinished(60000);
        return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    };

    // The whole child, start-up included, so that the kills spread over all of it.
    QDir(folder).removeRecursively();
    makeOlderInstallation(folder);
    const auto started = Clock::now();
    if (!runCopy(false, {})) {
        fail(QStringLiteral("a copy in a child process did not finish"));
        return row;
    }
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
    std::uniform_int_distribution<long> delay(0, whole.count());

    for (int trial = 0; trial < trials; ++trial) {
        QDir(folder).removeRecursively();
        makeOlderInstallation(folder);
        const QByteArray notes = bytesOf(folder + QStringLiteral("/omat muistiinpanot.txt"));
        runCopy(true, std::chrono::microseconds(delay(random_)));
        for (const QString& name : names) {
            const QString path = folder + u'/' + name;
            if (!QFileInfo::exists(path))
                continue;
            const QByteArray bytes = bytesOf(path);
            if (bytes != "older " + name.toUtf8() + '\n' && bytes != bytesOf(kSetDir + u'/' + name)) {
                ++row.lost;
                fail(QStringLiteral("trial %1: %2 is half-written (%3 bytes)").arg(trial).arg(name).arg(bytes.size()));
            }
        }
        if (!runCopy(false, {})) {
            ++row.lost;
            fail(QStringLiteral("trial %1: the next installation failed").arg(trial));
        }
        for (const QString& name : names) {
            if (bytesOf(folder + u'/' + name) != bytesOf(kSetDir + u'/' + name)) {
                ++row.lost;
                fail(QStringLiteral("trial %1: after the next installation %2 is not the set's").arg(trial).arg(name));
            }
        }
        const QStringList hidden = QDir(folder).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot)
                                       .filter(QRegularExpression(QStringLiteral("^\\.")));
        row.residue += int(hidden.size());
        if (!hidden.isEmpty())
            fail(QStringLiteral("trial %1: left behind after the next installation: %2").arg(trial).arg(hidden.join(u' ')));
        if (bytesOf(folder + QStringLiteral("/omat muistiinpanot.txt")) != notes
            || bytesOf(folder + QStringLiteral("/tallennukset/peli1.dat")) != "saved\n") {
            ++row.lost;
            fail(QStringLiteral("trial %1: the user's own files changed").arg(trial));
        }
        ++row.faults;
    }
    QDir(folder).removeRecursively();
    return row;
}

Row Runs::tamperedUninstall()
{
    Row row{QStringLiteral("uninstall tampered")};
    namespace reg = platform::registry;
    const QString z = root_ + QStringLiteral("/z");
    const QString outside = root_ + QStringLiteral("/ulkona");
    const QStringList names = tableNames();

    struct Tampering {
        QString value;
        reg::ValueType type = reg::ValueType::String;
    };
    const QString longPath = QStringLiteral("Z:\\Ohjelmat\\") + QString(PATH_MAX, u'x');
    const std::vector<Tampering> tamperings = {
        {QString()},
        {QStringLiteral("C:")},
        {QStringLiteral("C:\\")},
        {QStringLiteral("Z:\\")},
        {QStringLiteral("Z:\\..\\..\\..")},
        {QStringLiteral("Z:\\Ohjelmat")},
        {QStringLiteral("Z:\\Ohjelmat\\Muu")},
        {QStringLiteral("z:\\OHJELMAT\\VUSKA")},
        {QStringLiteral("Z:\\Ohjelmat\\Vuska  ")},
        {QStringLiteral("Z:\\Ohjelmat\\Vuska\\")},
        {QStringLiteral("Z:/Ohjelmat/Vuska")},
        {QStringLiteral("Z:\\Ohjelmat\\.\\Muu\\..\\Vuska")},
        {QStringLiteral("Ohjelmat\\Vuska")},
        {QStringLiteral("\\\\palvelin\\jako\\Vuska")},
        {QStringLiteral("Z:\\Ohjelmat\\Vuska\\readme.txt")},
        {QStringLiteral("Z:\\Linkki")},
        {longPath},
        {QStringLiteral("Z:\\Ohjelmat\\Vuska"), reg::ValueType::Binary},
        {QStringLiteral("Z:\\Ohjelmat\\Vuska"), reg::ValueType::DWord},
        {QStringLiteral("Q:\\Vuska")},
    };

    for (size_t t = 0; t < tamperings.size(); ++t) {
        QDir(z).removeRecursively();
        QDir(outside).removeRecursively();
        // The installation, decoys around it, and a folder outside every drive that a link leads to.
        for (const QString& name : names)
            writeFile(z + QStringLiteral("/Ohjelmat/Vuska/") + name, "installed " + name.toUtf8());
        for (const QString& folder : {z, z + QStringLiteral("/Ohjelmat"), z + QStringLiteral("/Ohjelmat/Muu"), outside})
            writeFile(folder + QStringLiteral("/kayttajan oma.txt"), "mine\n");
        writeFile(z + QStringLiteral("/Ohjelmat/Vuska/VUSKA.EXE"), "a case variant of the user's\n");
        writeFile(z + QStringLiteral("/Ohjelmat/Vuska/alikansio/vuska.exe"), "in a subfolder\n");
        writeFile(z + QStringLiteral("/Ohjelmat/Muu/vuska.hlp"), "another program's\n");
        QDir().mkpath(z + QStringLiteral("/Ohjelmat/Muu/setup.exe"));
        writeFile(outside + QStringLiteral("/vuska.exe"), "outside, reached through a link\n");
        QFile::link(outside + QStringLiteral("/vuska.exe"), z + QStringLiteral("/Ohjelmat/Muu/vuska.exe"));
        QFile::link(outside, z + QStringLiteral("/Linkki"));

        const Tampering& tampering = tamperings[t];
        QByteArray data = tampering.value.toUtf8() + '\0';
        if (tampering.type == reg::ValueType::DWord)
            data = QByteArray("\x2a\x00\x00\x00", 4);
        const std::optional<reg::Key> key = reg::createKey(reg::Hive::CurrentUser, vuska::SettingsKey);
        if (!key || reg::setValue(*key, QStringLiteral("Kansio"), tampering.type, data) != reg::Status::Ok) {
            fail(QStringLiteral("tampering %1: cannot write the record").arg(t));
            continue;
        }
        // What the record names, as the uninstaller reads it, and the one folder it may delete in.
        const QString recorded = vuska::ReadRegistryValue(vuska::HKEY_CURRENT_USER, vuska::SettingsKey, QStringLiteral("Kansio"));
        const std::optional<QString> host = recorded == vuska::NotFound ? std::nullopt : platform::drives::toHost(recorded);
        QStringList allowed;
        if (host) {
            const QString real = QFileInfo(*host).canonicalFilePath();
            for (const QString& name : names) {
                for (const QString& folder : {*host, real}) {
                    if (!folder.isEmpty())
                        allowed << QDir::cleanPath(folder + u'/' + name);
                }
            }
        }

        const FolderSnapshot beforeZ = vuska::test::snapshotFolder(z);
        const FolderSnapshot beforeOutside = vuska::test::snapshotFolder(outside);
        vuska::setup::RemovalHooks hooks;
        hooks.showMessage = [](const platform::MessageBoxRequest&) { return platform::MsgAnswer::Ok; };
        hooks.setPointer = [](platform::ScreenPointer) {};
        hooks.showLeftovers = [](const QString&, const QStringList&) {};
        vuska::setup::Removal(hooks).run();

        const auto allowedIn = [&allowed](const QString& folder) {
            QStringList inFolder;
            for (const QString& path : allowed) {
                if (path.startsWith(folder + u'/'))
                    inFolder << path.mid(folder.size() + 1);
            }
            return inFolder;
        };
        Difference d = compare(beforeZ, vuska::test::snapshotFolder(z), allowedIn(z));
        const Difference o = compare(beforeOutside, vuska::test::snapshotFolder(outside), allowedIn(outside));
        d.residue += o.residue;
        d.lost += o.lost;
        d.what += o.what;
        row.residue += d.residue;
        row.lost += d.lost;
        ++row.faults;
        if (d.residue + d.lost > 0)
            fail(QStringLiteral("tampering %1 (\"%2\"): %3").arg(t).arg(tampering.value.left(60), d.what.join(QStringLiteral("; "))));
    }
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    // The copy sequence shows the wait pointer, which needs a GUI application; nothing is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--copy")) {
        // The copy window's work, as a killed setup would have been doing it.
        platform::drives::reset();
        return copyInto(args[2], false, platform::installfiles::realFileSystem()) == CopySequence::Result::Done ? 0 : 1;
    }
    const bool quick = args.contains(QLatin1String("--quick"));
    quint64 seed = 20261207;
    if (const qsizetype at = args.indexOf(QLatin1String("--seed")); at >= 0 && at + 1 < args.size())
        seed = args[at + 1].toULongLong();

    // Beside the set, on the disk it is read from; drives of its own, Z: too.
    QTemporaryDir sandbox(QFileInfo(kSetDir).absolutePath() + QStringLiteral("/bench-faults-XXXXXX"));
    if (!sandbox.isValid())
        return 1;
    const QString root = sandbox.path();
    qputenv("HOME", root.toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toUtf8());
    for (const char* folder : {"c/Ohjelmat", "z", "config/vuska-drives"})
        QDir().mkpath(root + u'/' + QLatin1String(folder));
    writeFile(root + QStringLiteral("/config/vuska-drives/drives.ini"),
              QStringLiteral("C=%1/c\nS=%2\nZ=%1/z\n").arg(root, QFileInfo(kSetDir).absolutePath()).toUtf8());
    platform::drives::reset();

    std::printf("Installer faults (%s, seed %llu)\n", quick ? "quick" : "full", static_cast<unsigned long long>(seed));
    std::printf("%-34s %15s %8s %11s\n", "run", "injected faults", "residue", "lost files");
    const auto started = Clock::now();
    Runs runs(root, seed, quick);
    runs.print(runs.copyFaults(false));
    runs.print(runs.copyFaults(true));
    if (runs.clearedLater() > 0)
        std::printf("  (%d failed removals after the installation stood left hidden files that the next installation cleared)\n",
                    runs.clearedLater());
    runs.print(runs.killedCopies());
    runs.print(runs.tamperedUninstall());
    std::printf("%.1f s\n", std::chrono::duration<double>(Clock::now() - started).count());
    return runs.ok() ? 0 : 1;
}
