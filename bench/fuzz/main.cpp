// Fuzzing of every reader of stored or typed data. Prints "inputs, crashes, hangs" for each
// target; exits 1 when any input crashed or hung. Meant to be run from the sanitizer build,
// where a memory error or undefined behaviour is a crash:
//   build-asan/bench/fuzz/bench_fuzz [--quick] [--only NAME] [--seed N] [--jobs N]
// With --jobs N each target's inputs are shared out among N processes at once, each in a
// sandbox of its own; a run is repeated exactly by the same seed and the same number of jobs.
// The inputs that crashed or hung are saved in the throw-away folder's "kaatuneet" folder,
// which is kept (and named) when there are any. The same targets run coverage-guided under
// libFuzzer through libfuzzer.cpp (scripts/fuzz.sh).

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <sys/mman.h>
#include <unistd.h>

#include "bench/fuzz/fuzzengine.h"
#include "bench/fuzz/targets.h"

namespace {

// The engine's own check: a target that dies on one input and stalls on another must come out
// as one crash and one hang, with every input run once, in one process and shared out among
// two; a job lost as a whole must show in the counts. The inputs are counted in memory the
// workers share, so the count is the number of the input at hand.
int checkEngine(const QString& saveFolder)
{
    using namespace vuska::fuzz;
    auto* counter = static_cast<long*>(::mmap(nullptr, sizeof(long), PROT_READ | PROT_WRITE,
                                              MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (counter == MAP_FAILED)
        return 1;
    const auto misbehaving = [counter](int) {
        return Target{"engine", 12, {QByteArray("x")}, nullptr, [counter](std::span<const uint8_t>) {
                          const long index = std::atomic_ref<long>(*counter).fetch_add(1);
                          if (index == 3)
                              std::abort();
                          if (index == 7)
                              for (;;)
                                  ::pause();
                      }};
    };
    bool right = true;
    for (const int jobs : {1, 2}) {
        *counter = 0;
        const Outcome outcome = runTargetInJobs(misbehaving, 1, 12, saveFolder, jobs, 1);
        std::printf("engine check, %d job(s): %ld inputs, %ld crashes, %ld hangs, %ld runs (want 12, 1, 1, 12)\n",
                    jobs, outcome.inputs, outcome.crashes, outcome.hangs, *counter);
        right = right && outcome.inputs == 12 && outcome.crashes == 1 && outcome.hangs == 1 && *counter == 12;
    }
    // A job that dies outside its workers counts one crash and none of its inputs.
    const auto secondJobDies = [](int job) {
        if (job == 1)
            std::_Exit(3);
        return Target{"engine", 12, {QByteArray("x")}, nullptr, [](std::span<const uint8_t>) {}};
    };
    const Outcome outcome = runTargetInJobs(secondJobDies, 1, 12, saveFolder, 2, 1);
    std::printf("engine check, a job dies: %ld inputs, %ld crashes, %ld hangs (want 6, 1, 0)\n", outcome.inputs,
                outcome.crashes, outcome.hangs);
    right = right && outcome.inputs == 6 && outcome.crashes == 1 && outcome.hangs == 0;
    ::munmap(counter, sizeof(long));
    return right ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vuska::fuzz;
    bool quick = false;
    bool engineCheck = false;
    long inputs = 0; // 0: the target's own full count
    QString only;
    std::uint64_t seed = 20261207;
    int jobs = 1;
    const auto usage = [] {
        std::fprintf(stderr,
                     "usage: bench_fuzz [--quick | --inputs COUNT] [--only NAME] [--seed N] [--jobs 1..64] | --engine-check\n"
                     "  NAME: registry, picture, help, paths or desktop\n"
                     "  Run the full run from the ASan+UBSan build (-DVUSKA_SANITIZE=ON), e.g.\n"
                     "  build-asan/bench/fuzz/bench_fuzz --jobs $(nproc), where a memory error counts as a crash.\n");
        return 2;
    };
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--quick"))
            quick = true;
        else if (arg == QLatin1String("--engine-check"))
            engineCheck = true;
        else if (arg == QLatin1String("--inputs") && i + 1 < argc)
            inputs = QString::fromLocal8Bit(argv[++i]).toLong();
        else if (arg == QLatin1String("--only") && i + 1 < argc)
            only = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--seed") && i + 1 < argc)
            seed = QString::fromLocal8Bit(argv[++i]).toULongLong();
        else if (arg == QLatin1String("--jobs") && i + 1 < argc) {
            jobs = QString::fromLocal8Bit(argv[++i]).toInt();
            if (jobs < 1 || jobs > 64)
                return usage();
        } else
            return usage();
    }

    // On a memory file system where there is one we may write to: every registry write goes to
    // the disk. Each job works in a folder of its own inside it; the inputs that failed are saved
    // beside them.
    std::optional<QTemporaryDir> sandbox(std::in_place, QStringLiteral("/dev/shm/vuska-fuzz-XXXXXX"));
    if (!sandbox->isValid())
        sandbox.emplace(QDir::tempPath() + QStringLiteral("/vuska-fuzz-XXXXXX"));
    if (!sandbox->isValid()) {
        std::fprintf(stderr, "bench_fuzz: cannot make a sandbox folder in /dev/shm or in %s\n",
                     qPrintable(QDir::tempPath()));
        return 1;
    }
    stopOnSignals(); // an interrupted run removes its sandbox too
    const QString root = sandbox->path();
    const auto jobSandbox = [&root](int job) {
        const QString path = root + QStringLiteral("/job-%1").arg(job);
        QDir().mkpath(path);
        prepareSandbox(path);
        return path;
    };
    const QString setFolder = QStringLiteral(VUSKA_SET_DIR);
    const QString saveFolder = root + QStringLiteral("/kaatuneet");
    if (engineCheck)
        return checkEngine(saveFolder);

    const std::vector<NamedTarget> targets = allTargets(setFolder);
    if (!only.isEmpty()
        && std::none_of(targets.begin(), targets.end(), [&only](const NamedTarget& t) { return only == QLatin1String(t.name); })) {
        std::fprintf(stderr, "bench_fuzz: no target named %s\n", only.toLocal8Bit().constData());
        return 2;
    }
    std::printf("Fuzzing of the readers (%s, seed %llu, %d job%s)\n", quick ? "quick" : "full",
                static_cast<unsigned long long>(seed), jobs, jobs == 1 ? "" : "s");
    std::printf("%-10s %10s %9s %7s\n", "target", "inputs", "crashes", "hangs");
    std::fflush(stdout);
    const auto started = std::chrono::steady_clock::now();
    long failures = 0;
    long failedInputs = 0;
    for (const NamedTarget& named : targets) {
        if (stopRequested())
            break;
        if (!only.isEmpty() && only != QLatin1String(named.name))
            continue;
        const Target target = named.make(jobSandbox(0));
        const long count = inputs > 0 ? inputs : quick ? std::max(200L, target.fullInputs / 500) : target.fullInputs;
        const Outcome outcome = runTargetInJobs([&named, &jobSandbox](int job) { return named.make(jobSandbox(job)); },
                                                seed, count, saveFolder, jobs);
        std::printf("%-10s %10ld %9ld %7ld\n", target.name, outcome.inputs, outcome.crashes, outcome.hangs);
        if (outcome.inputs < count)
            std::printf("%s: stopped after %ld of %ld inputs (seed %llu)\n", target.name, outcome.inputs, count,
                        static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        failedInputs += outcome.crashes + outcome.hangs;
        failures += outcome.crashes + outcome.hangs + (outcome.inputs < count ? 1 : 0);
    }
    std::printf("elapsed: %.1f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    if (stopRequested() && failedInputs == 0) {
        std::printf("stopped by a signal\n");
        return 130;
    }
    if (failures > 0) {
        sandbox->setAutoRemove(false);
        std::printf("inputs kept in %s\n", saveFolder.toUtf8().constData());
    }
    return stopRequested() ? 130 : failures == 0 ? 0 : 1;
}
