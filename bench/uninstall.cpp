// What a removal costs beside deleting the same files with rm: the whole of "Poista" from the
// reading of the record to the leftover dialog (which returns at once here), over a fresh
// installation each round, in a throw-away XDG world. Prints figures; judges nothing.
//
//   cmake --build build --target bench_uninstall && build/bench/bench_uninstall [rounds]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/drives.h"
#include "platform/shelllinks.h"
#include "setup/uninstall/removal.h"
#include "setup/wizard/filetable.h"
#include "setup/wizard/registration.h"

namespace {

using namespace vuska;
using namespace vuska::setup;

const QString kFolder = QStringLiteral("C:\\Program Files\\Vuska");

bool layFiles(const QString& folder, QStringList* paths)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const InstallFile& file : installationFiles()) {
        const QString path = folder + u'/' + QString::fromUtf8(file.name);
        QFile out(path);
        const QByteArray bytes(file.size, 'v');
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return false;
        if (paths)
            paths->append(path);
    }
    return true;
}

bool install(const QString& folder)
{
    if (!layFiles(folder, nullptr))
        return false;
    const auto write = [](const QString& name, const QString& value) {
        return WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, name, 1, value);
    };
    bool ok = write(QStringLiteral("UusiKansioTehty"), QStringLiteral("True")) && write(QStringLiteral("Kansio"), kFolder);
    ok = ok && platform::shelllinks::fCreateShellFolder(QStringLiteral("\\Vuska")) == platform::shelllinks::ShellSuccess;
    ok = ok && write(QStringLiteral("Ohjelmaryhma"), QStringLiteral("Vuska")) &&
         write(QStringLiteral("UusiOhjelmaryhmaTehty"), QStringLiteral("True"));
    for (const Shortcut& shortcut : Shortcuts)
        ok = ok && platform::shelllinks::fCreateShellLink(QStringLiteral("\\Vuska"), QString::fromUtf8(shortcut.name),
                                                          kFolder + u'\\' + QString::fromUtf8(shortcut.target),
                                                          QString()) == platform::shelllinks::ShellSuccess;
    ok = ok && WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite, QStringLiteral("DisplayName"), 1,
                                  QStringLiteral("Vuska, versio 1.22 Freeware"));
    ok = ok && WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite, QStringLiteral("UninstallString"), 1,
                                  kFolder + QStringLiteral("\\setup.exe"));
    return ok;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir world(QDir::tempPath() + QStringLiteral("/vuska-bench-uninstall-XXXXXX"));
    if (!world.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    // Everything the removal touches lies in the throw-away world, C: included.
    const QString root = world.path();
    for (const char* sub : {"config/vuska-drives", "data", "home", "run", "c"})
        QDir().mkpath(root + u'/' + QLatin1String(sub));
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + QStringLiteral("/run")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
    qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));
    {
        QFile map(root + QStringLiteral("/config/vuska-drives/drives.ini"));
        if (!map.open(QIODevice::WriteOnly) ||
            map.write(QFile::encodeName(QStringLiteral("C=%1/c\nD=%1\n").arg(root))) <= 0) {
            std::fprintf(stderr, "cannot write the drive map\n");
            return 1;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::drives::reset();

    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const QString rm = QStandardPaths::findExecutable(QStringLiteral("rm"));
    const QString folder = platform::drives::toHost(kFolder).value_or(QString());
    if (rm.isEmpty() || folder.isEmpty()) {
        std::fprintf(stderr, "no rm, or the folder is not mapped\n");
        return 1;
    }

    std::vector<double> removal;
    std::vector<double> plain;
    int messages = 0;
    for (int round = 0; round < rounds; ++round) {
        if (!install(folder)) {
            std::fprintf(stderr, "installation failed in round %d\n", round);
            return 1;
        }
        RemovalHooks hooks;
        hooks.showMessage = [&](const platform::MessageBoxRequest&) {
            ++messages;
            return platform::MsgAnswer::Ok;
        };
        hooks.setPointer = [](platform::ScreenPointer) {};
        hooks.showLeftovers = [](const QString&, const QStringList&) {};
        QElapsedTimer clock;
        clock.start();
        const RemovalResult result = Removal(hooks).run();
        removal.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (result.outcome != RemovalOutcome::Finished || !result.leftovers.isEmpty()) {
            std::fprintf(stderr, "the removal did not finish cleanly in round %d\n", round);
            return 1;
        }

        QStringList paths;
        if (!layFiles(folder, &paths)) {
            std::fprintf(stderr, "cannot lay out the files for rm\n");
            return 1;
        }
        clock.restart();
        const int rc = QProcess::execute(rm, QStringList{QStringLiteral("-f"), QStringLiteral("--")} + paths);
        plain.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (rc != 0) {
            std::fprintf(stderr, "rm failed\n");
            return 1;
        }
    }

    const double r = median(removal);
    const double p = median(plain);
    std::printf("rounds: %d (median of each)\n", rounds);
    std::printf("removal, Poista to the leftover dialog (59 files, 3 shortcuts, group, 2 keys): %.3f ms\n", r);
    std::printf("rm -f of the same 59 files (one process):                                     %.3f ms\n", p);
    std::printf("ratio removal / rm: %.2f\n", r / p);
    std::printf("messages shown: %d\n", messages);
    return 0;
}
