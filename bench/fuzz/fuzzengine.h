#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QString>

// A small seeded fuzzing engine. Input number i of a run is made from the seed and i alone
// (a seed input picked and mutated a few times), so any input can be made again from the two
// numbers, and a worker that dies can be replaced by one that goes on after the input it
// died on.
//
// The inputs run in a forked worker process. Before each input the worker writes its number
// into a page it shares with the engine; a worker that dies (a sanitizer's report, a failed
// check, a signal) is counted as one crash of the input it was on, and one whose number stands
// still for longer than the hang limit is killed and counted as one hang. Each such input is
// saved to a file so that it can be run again.
namespace vuska::fuzz {

struct Target {
    const char* name;
    long fullInputs;
    std::vector<QByteArray> seeds;
    // Runs in the worker before its first input (a sandbox of its own, say).
    std::function<void()> setUp;
    // One input. A check that fails prints what was wrong and calls std::abort().
    std::function<void(std::span<const uint8_t>)> run;
};

struct Outcome {
    long inputs = 0;
    long crashes = 0;
    long hangs = 0;
};

// Makes input number `index` of a run from its seed.
QByteArray makeInput(const Target& target, std::uint64_t seed, long index);

// Runs inputs first .. end-1; saves the inputs that crashed or hung into `saveFolder`.
// `inputs` of the outcome counts the inputs that ran, from `first` on.
Outcome runTarget(const Target& target, std::uint64_t seed, long first, long end, const QString& saveFolder,
                  int hangSeconds = 10);

// Runs inputs 0 .. count-1 in `jobs` processes at once, each taking an equal run of them and
// building its target with `makeTarget(job)` (job 0 .. jobs-1), so that each can work in a
// sandbox of its own. The outcomes are added up; a job that dies outside its workers counts one
// crash and none of its inputs. With one job the target is made and run here.
Outcome runTargetInJobs(const std::function<Target(int job)>& makeTarget, std::uint64_t seed, long count,
                        const QString& saveFolder, int jobs, int hangSeconds = 10);

// Makes SIGINT and SIGTERM stop the runs: the workers and jobs are killed, the runs return
// with the inputs they got through, and stopRequested() says so.
void stopOnSignals();
bool stopRequested();

// A failed check: prints it and aborts the worker, which the engine counts as a crash.
[[noreturn]] void fail(const char* target, const QString& what);

} // namespace vuska::fuzz
