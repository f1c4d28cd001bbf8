#include "bench/fuzz/fuzzengine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vuska::fuzz {

namespace {

constexpr uint8_t kInteresting[] = {0x00, 0x01, 0x7f, 0x80, 0xff, 0xfe, 0x20, 0x0a, 0x0d, 0x5c,
                                    0x2f, 0x25, 0x22, 0x3a, 0x2e, 0x3d, 0x09, 0x24};
constexpr qsizetype kMaxInput = 1 << 20;

void mutate(QByteArray& data, const std::vector<QByteArray>& seeds, std::mt19937_64& rng)
{
    const auto below = [&rng](qsizetype n) { return n <= 0 ? qsizetype(0) : qsizetype(rng() % quint64(n)); };
    const int rounds = 1 + int(rng() % 8);
    for (int r = 0; r < rounds; ++r) {
        switch (rng() % 9) {
        case 0: // flip a bit
            if (!data.isEmpty())
                data[below(data.size())] ^= char(1 << (rng() % 8));
            break;
        case 1: // a random byte
            if (!data.isEmpty())
                data[below(data.size())] = char(rng());
            break;
        case 2: // an interesting byte
            if (!data.isEmpty())
                data[below(data.size())] = char(kInteresting[rng() % sizeof kInteresting]);
            break;
        case 3: { // insert random bytes
            const qsizetype at = below(data.size() + 1);
            QByteArray bytes;
            for (qsizetype n = 1 + below(16); n > 0; --n)
                bytes.append(char(rng()));
            data.insert(at, bytes);
            break;
        }
        case 4: { // delete a range
            const qsizetype at = below(data.size());
            data.remove(at, 1 + below(std::min<qsizetype>(64, data.size() - at)));
            break;
        }
        case 5: { // duplicate a range
            if (data.isEmpty() || data.size() > kMaxInput / 2)
                break;
            const qsizetype at = below(data.size());
            const QByteArray part = data.mid(at, 1 + below(256));
            data.insert(below(data.size() + 1), part);
            break;
        }
        case 6: { // splice in a piece of another seed
            const QByteArray& other = seeds[size_t(rng() % seeds.size())];
            if (other.isEmpty())
                break;
            const qsizetype from = below(other.size());
            data.insert(below(data.size() + 1), other.mid(from, 1 + below(512)));
            break;
        }
        case 7: // truncate
            data.truncate(below(data.size() + 1));
            break;
        default: { // a 32-bit number that may be read as a length or a size
            if (data.size() < 4)
                break;
            static constexpr quint32 sizes[] = {0, 1, 0x7fffffff, 0x80000000, 0xffffffff, 0xffff, 2048, 2049};
            const quint32 v = sizes[rng() % (sizeof sizes / sizeof sizes[0])];
            const qsizetype at = below(data.size() - 3);
            for (int b = 0; b < 4; ++b)
                data[at + b] = char((v >> (8 * (rng() % 2 ? b : 3 - b))) & 0xff);
            break;
        }
        }
    }
    if (data.size() > kMaxInput)
        data.truncate(kMaxInput);
}

volatile std::sig_atomic_t gStop = 0;

void onStopSignal(int)
{
    gStop = 1;
}

struct Shared {
    volatile long current;
    volatile int setUp; // the worker got through its set-up
};

void save(const QString& folder, const Target& target, std::uint64_t seed, long index, const char* kind)
{
    QDir().mkpath(folder);
    const QString path = QStringLiteral("%1/%2-%3-%4-%5.bin").arg(folder, QString::fromLatin1(target.name),
                                                                   QString::fromLatin1(kind)).arg(seed).arg(index);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(makeInput(target, seed, index));
    std::fprintf(stderr, "%s: input %ld (seed %llu) %s; saved as %s\n", target.name, index,
                 static_cast<unsigned long long>(seed), kind, path.toUtf8().constData());
}

} // namespace

QByteArray makeInput(const Target& target, std::uint64_t seed, long index)
{
    std::mt19937_64 rng(seed * 0x9E3779B97F4A7C15ull + std::uint64_t(index) + 1);
    QByteArray data = target.seeds[size_t(rng() % target.seeds.size())];
    // Now and then a seed as it is, so that the readers' good path is walked too.
    if (rng() % 16 != 0)
        mutate(data, target.seeds, rng);
    return data;
}

void fail(const char* target, const QString& what)
{
    std::fprintf(stderr, "%s: check failed: %s\n", target, what.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

Outcome runTarget(const Target& target, std::uint64_t seed, long first, long end, const QString& saveFolder,
                  int hangSeconds)
{
    auto* shared = static_cast<Shared*>(
        ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    Outcome outcome;
    if (shared == MAP_FAILED)
        return outcome;
    long next = first;
    while (next < end && !gStop) {
        shared->current = next;
        shared->setUp = 0;
        std::fflush(nullptr);
        const pid_t worker = ::fork();
        if (worker < 0)
            break;
        if (worker == 0) {
            if (target.setUp)
                target.setUp();
            shared->setUp = 1;
            for (long i = next; i < end; ++i) {
                shared->current = i;
                const QByteArray input = makeInput(target, seed, i);
                target.run(std::span(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size())));
            }
            shared->current = end;
            std::fflush(nullptr);
            ::_exit(0);
        }
        long seen = shared->current;
        auto lastMove = std::chrono::steady_clock::now();
        int status = 0;
        bool hung = false;
        bool stopped = false;
        for (;;) {
            const pid_t done = ::waitpid(worker, &status, WNOHANG);
            if (done == worker)
                break;
            if (gStop) {
                ::kill(worker, SIGKILL);
                ::waitpid(worker, &status, 0);
                stopped = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const long now = shared->current;
            if (now != seen) {
                seen = now;
                lastMove = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - lastMove > std::chrono::seconds(hangSeconds)) {
                ::kill(worker, SIGKILL);
                ::waitpid(worker, &status, 0);
                hung = true;
                break;
            }
        }
        const long at = shared->current;
        if (stopped) { // the input it was on did not finish and is not counted
            next = std::min(at, end);
            break;
        }
        if (!shared->setUp) {
            std::fprintf(stderr, "%s: the worker's set-up failed; the target stops here\n", target.name);
            ++outcome.crashes;
            break;
        }
        if (!hung && WIFEXITED(status) && WEXITSTATUS(status) == 0 && at >= end) {
            next = end;
            break;
        }
        if (at >= end) { // died on its way out, after the last input
            ++outcome.crashes;
            save(saveFolder, target, seed, end - 1, "crashed at exit after");
            next = end;
            break;
        }
        if (hung) {
            ++outcome.hangs;
            save(saveFolder, target, seed, at, "hung");
        } else {
            ++outcome.crashes;
            save(saveFolder, target, seed, at, "crashed");
        }
        next = at + 1;
    }
    outcome.inputs = next - first;
    ::munmap(shared, sizeof(Shared));
    return outcome;
}

Outcome runTargetInJobs(const std::function<Target(int job)>& makeTarget, std::uint64_t seed, long count,
                        const QString& saveFolder, int jobs, int hangSeconds)
{
    if (jobs <= 1)
        return runTarget(makeTarget(0), seed, 0, count, saveFolder, hangSeconds);
    auto* outcomes = static_cast<Outcome*>(::mmap(nullptr, sizeof(Outcome) * size_t(jobs), PROT_READ | PROT_WRITE,
                                                  MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    Outcome total;
    if (outcomes == MAP_FAILED)
        return total;
    std::vector<pid_t> running;
    std::vector<int> jobOf;
    for (int job = 0; job < jobs; ++job) {
        outcomes[job] = Outcome{};
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid < 0) // the inputs of this job and the ones after it stay unrun, and the count shows it
            break;
        if (pid == 0) {
            const long first = count * job / jobs;
            const long end = count * (job + 1) / jobs;
            outcomes[job] = runTarget(makeTarget(job), seed, first, end, saveFolder, hangSeconds);
            std::fflush(nullptr);
            ::_exit(0);
        }
        running.push_back(pid);
        jobOf.push_back(job);
    }
    bool passedOn = false;
    while (!running.empty()) {
        for (size_t j = 0; j < running.size();) {
            int status = 0;
            if (::waitpid(running[j], &status, WNOHANG) != running[j]) {
                ++j;
                continue;
            }
            const Outcome& outcome = outcomes[jobOf[j]];
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
                total.inputs += outcome.inputs;
                total.crashes += outcome.crashes;
                total.hangs += outcome.hangs;
            } else {
                std::fprintf(stderr, "fuzz job %d died outside its workers; its inputs are not counted\n", jobOf[j]);
                ++total.crashes;
            }
            running.erase(running.begin() + std::ptrdiff_t(j));
            jobOf.erase(jobOf.begin() + std::ptrdiff_t(j));
        }
        if (gStop && !passedOn) { // a signal sent to this process alone stops the jobs too
            for (const pid_t pid : running)
                ::kill(pid, SIGTERM);
            passedOn = true;
        }
        if (!running.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::munmap(outcomes, sizeof(Outcome) * size_t(jobs));
    return total;
}

void stopOnSignals()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

bool stopRequested()
{
    return gStop != 0;
}

} // namespace vuska::fuzz
