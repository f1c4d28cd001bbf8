// The copy window's work over the real installation set, side by side with a plain `cp` of
// the same 59 files on the same disk, in one run. Prints figures only; it never fails on a
// timing.
//   cmake --build build --target bench_install && build/bench/bench_install [ROUNDS]
//
// The copy sequence checks all 59 files, copies each into a hidden file, syncs it to the
// disk and renames it over its name, and finally removes what it set aside; `cp` only
// writes. So the figures are given with `cp` alone and with `cp` followed by `sync` of the
// target's file system. The wizard's 100 ms timer, which closes the window after the work,
// is not included, and the window's turns of the message loop cost nothing here.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/drives.h"
#include "setup/wizard/copysequence.h"
#include "setup/wizard/filetable.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool runCp(const QStringList& sources, const QString& target, bool sync)
{
    if (QProcess::execute(QStringLiteral("cp"), sources + QStringList{target}) != 0)
        return false;
    return !sync || QProcess::execute(QStringLiteral("sync"), {QStringLiteral("-f"), target}) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 7;
    const QString setDir = QStringLiteral(VUSKA_SET_DIR);

    // Its own drive map and no one's registry: the copy never reaches the registration.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        qputenv(variable, home.path().toLocal8Bit());

    // The table as setup.exe carries it; this program is not setup.exe, so setup.exe's own
    // size comes from the file.
    std::vector<vuska::setup::InstallFile> files(vuska::setup::installationFiles().begin(),
                                                 vuska::setup::installationFiles().end());
    QStringList sources;
    qint64 bytes = 0;
    for (vuska::setup::InstallFile& file : files) {
        const QString path = setDir + QLatin1Char('/') + QString::fromUtf8(file.name);
        if (QByteArray(file.name) == "setup.exe")
            file.size = QFileInfo(path).size();
        sources.append(path);
        bytes += QFileInfo(path).size();
    }
    const QString source = platform::drives::toWindows(setDir);

    // Beside the set, so that both copies write to the same disk as they read from.
    QTemporaryDir scratch(QFileInfo(setDir).absolutePath() + QStringLiteral("/bench-install-XXXXXX"));
    if (!scratch.isValid() || source.isEmpty()) {
        std::fprintf(stderr, "cannot make a scratch folder beside %s\n", qPrintable(setDir));
        return 1;
    }

    std::vector<double> sequenceTimes, cpTimes, cpSyncTimes;
    for (int round = 0; round < rounds; ++round) {
        QString target = platform::drives::toWindows(scratch.path()) + QStringLiteral("\\setup-%1").arg(round);
        const auto start = Clock::now();
        vuska::setup::CopyWindowHooks window;
        window.showMessage = [](const platform::MessageBoxRequest& box) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(box.title), qPrintable(box.text));
            return platform::MsgAnswer::Ok;
        };
        vuska::setup::CopySequence sequence(window, {}, platform::installfiles::realFileSystem(), files);
        const auto result = sequence.run(source, target, true);
        sequenceTimes.push_back(millisecondsSince(start));
        if (result != vuska::setup::CopySequence::Result::Done) {
            std::fprintf(stderr, "the copy sequence did not finish: is %s complete?\n", qPrintable(setDir));
            return 1;
        }

        for (bool sync : {false, true}) {
            const QString folder = scratch.path() + QStringLiteral("/cp-%1-%2").arg(round).arg(sync);
            QDir().mkpath(folder);
            const auto cpStart = Clock::now();
            if (!runCp(sources, folder, sync)) {
                std::fprintf(stderr, "cp failed\n");
                return 1;
            }
            (sync ? cpSyncTimes : cpTimes).push_back(millisecondsSince(cpStart));
        }
    }

    const double sequence = median(sequenceTimes);
    const double cp = median(cpTimes);
    const double cpSync = median(cpSyncTimes);
    std::printf("installation set: %zu files, %.1f MB, from %s\n", files.size(), double(bytes) / 1e6,
                qPrintable(setDir));
    std::printf("median of %d rounds, each into a fresh folder on the same disk:\n", rounds);
    std::printf("  copy sequence (check 59, copy, sync each, rename, commit): %8.1f ms\n", sequence);
    std::printf("  cp of the 59 files:                                        %8.1f ms  (ratio %.2f)\n", cp,
                sequence / cp);
    std::printf("  cp of the 59 files, then sync -f:                          %8.1f ms  (ratio %.2f)\n",
                cpSync, sequence / cpSync);
    std::printf("not included: the copy window's 100 ms timer that closes it after the work\n");
    return 0;
}
