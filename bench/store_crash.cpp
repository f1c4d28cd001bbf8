// Crash trials of the registry store: what is left of the settings and the best results when a
// writing process dies at a random moment, when two processes write at once, and when the store
// file itself is damaged. Prints "trials, values lost, files set aside" for each kind of trial;
// exits 1 when anything that had been stored is lost or mixed, or when the game would not start
// on defaults from a damaged file.
//   build/bench/bench_store_crash [--quick] [--seed N]
//
// The writers are this program started again in a hidden mode, killed with SIGKILL. A writer
// reports on its standard output each value whose call has returned, so the parent knows what
// must be in the store afterwards. Everything lives in a throw-away home.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <thread>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

#include "bench/headlessgame.h"
#include "game/engine/mdlvuska.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/registry.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace reg = platform::registry;

using Engine = vuska::bench::HeadlessGame;

const QString kTrialKey = QStringLiteral("Software\\Koe\\");

// The value a stream writer stores as its n-th: its length varies so that pages fill and split.
QString streamValue(int trial, int n)
{
    const int length = 1 + (trial * 7919 + n * 104729) % 1500;
    return QStringLiteral("%1:%2:").arg(trial).arg(n).leftJustified(length, QChar(u'a' + n % 26));
}

QString streamName(int n)
{
    return QStringLiteral("Arvo%1").arg(n);
}

// Reports on stdout with write(2), unbuffered, so that a kill loses nothing already reported.
void report(int n)
{
    const QByteArray line = QByteArray::number(n) + '\n';
    if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
        std::_Exit(3);
}

// --- the hidden modes, each run in a process of its own ------------------------------------

int streamWriter(int trial)
{
    const QString key = kTrialKey + QStringLiteral("Virta%1").arg(trial);
    for (int n = 0;; ++n) {
        if (!vuska::WriteRegistryValue(vuska::HKEY_CURRENT_USER, key, streamName(n), 1, streamValue(trial, n)))
            return 2;
        report(n);
    }
}

int countingWriter(int writer, int count)
{
    const QString key = kTrialKey + QStringLiteral("Rinnakkain");
    int failed = 0;
    for (int n = 0; n < count; ++n) {
        if (!vuska::WriteRegistryValue(vuska::HKEY_CURRENT_USER, key, QStringLiteral("K%1-%2").arg(writer).arg(n), 4, n))
            ++failed;
    }
    return failed == 0 ? 0 : 2;
}

struct BestList {
    std::array<QString, vuska::SlotCount> names;
    std::array<qint16, vuska::SlotCount> scores{};
};

BestList bestList(int which)
{
    BestList list;
    for (int i = 0; i < vuska::SlotCount; ++i) {
        list.names[size_t(i)] = (which == 0 ? QStringLiteral("Aino %1") : QStringLiteral("Bertta %1")).arg(i);
        list.scores[size_t(i)] = qint16((which == 0 ? 100 : 50) - i);
    }
    return list;
}

// Saves the two lists in turn for as long as it lives; the parent kills it in the middle.
int bestResultsWriter()
{
    Engine engine;
    report(-1);
    for (int round = 1;; ++round) {
        const BestList list = bestList(round % 2);
        engine.game.NewBestNames = list.names;
        engine.game.NewBestScores = list.scores;
        engine.game.SaveBestResults();
    }
}

// What the game's start-up reads, one line.
int gameStart()
{
    Engine engine;
    engine.game.ReadSettings();
    engine.game.LoadBestResults();
    const QString buttons = vuska::ReadRegistryValue(vuska::HKEY_CURRENT_USER, vuska::SettingsKey,
                                                     QStringLiteral("NaytaPainikkeet"));
    QStringList parts{engine.game.StartMode, QString::number(engine.game.ShowShuffleAndDeal),
                      QString::number(engine.game.ShowCardMovement),
                      QString::number(engine.game.AnimationSteps), buttons};
    for (int i = 0; i < vuska::SlotCount; ++i)
        parts << engine.game.BestNames[size_t(i)] << QString::number(engine.game.BestScores[size_t(i)]);
    std::fputs(parts.join(u'|').toUtf8().constData(), stdout);
    return 0;
}

// --- the parent ------------------------------------------------------------------------------

struct Row {
    const char* name;
    int trials = 0;
    int valuesLost = 0;
    int filesSetAside = 0;
};

class Trials {
public:
    Trials(quint64 seed, bool quick) : random_(seed), quick_(quick) {}

    bool ok() const { return failures_ == 0; }
    void printRow(const Row& row) const
    {
        std::printf("%-36s %8d %13d %17d\n", row.name, row.trials, row.valuesLost, row.filesSetAside);
        std::fflush(stdout);
    }

    Row killedWriters();
    Row twoWriters();
    Row killedBestResultsSave();
    Row damagedFiles();

private:
    void fail(const QString& what)
    {
        ++failures_;
        std::fprintf(stderr, "FAIL: %s\n", what.toUtf8().constData());
    }
    QProcess* start(const QStringList& arguments);
    static void killNow(QProcess& process);
    QString storeFolder() const { return QFileInfo(reg::hiveFilePath(reg::Hive::CurrentUser)).path(); }
    int setAsideCount() const;
    void removeStore() const;
    QString gameStartLine();

    std::mt19937_64 random_;
    bool quick_;
    int failures_ = 0;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

QProcess* Trials::start(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(QCoreApplication::applicationFilePath(), arguments);
    process->waitForStarted(10000);
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

void Trials::killNow(QProcess& process)
{
    if (process.state() != QProcess::NotRunning)
        ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished(30000);
}

int Trials::setAsideCount() const
{
    return int(QDir(storeFolder()).entryList({QStringLiteral("*.damaged-*")}, QDir::Files).size());
}

void Trials::removeStore() const
{
    QDir(storeFolder()).removeRecursively();
}

QString Trials::gameStartLine()
{
    QProcess* process = start({QStringLiteral("--game-start")});
    process->waitForFinished(30000);
    if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0) {
        fail(QStringLiteral("the game's start-up reading crashed or failed (exit %1)").arg(process->exitCode()));
        return {};
    }
    return QString::fromUtf8(process->readAllStandardOutput());
}

// SIGKILL at a random moment of a stream of writes: every write that had returned is there.
Row Trials::killedWriters()
{
    Row row{"writer killed during writes"};
    const int trials = quick_ ? 10 : 200;
    std::uniform_int_distribution<int> delay(0, 120);
    int reported = 0;
    for (int trial = 0; trial < trials; ++trial) {
        // Now and then into a store that is only being made, so that a kill can hit its creation.
        if (trial % 20 == 0) {
            row.filesSetAside += setAsideCount();
            removeStore();
        }
        QProcess* writer = start({QStringLiteral("--stream"), QString::number(trial)});
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random_)));
        killNow(*writer);
        const QList<QByteArray> lines = writer->readAllStandardOutput().split('\n');
        int last = -1;
        for (const QByteArray& line : lines) {
            if (!line.isEmpty())
                last = std::max(last, line.toInt());
        }
        if (writer->exitStatus() == QProcess::NormalExit)
            fail(QStringLiteral("trial %1: the writer stopped by itself (exit %2)").arg(trial).arg(writer->exitCode()));
        reported += last + 1;
        const QString key = kTrialKey + QStringLiteral("Virta%1").arg(trial);
        for (int n = 0; n <= last; ++n) {
            if (vuska::ReadRegistryValue(vuska::HKEY_CURRENT_USER, key, streamName(n)) != streamValue(trial, n)) {
                ++row.valuesLost;
                fail(QStringLiteral("trial %1: value %2 had been stored but is not there").arg(trial).arg(n));
            }
        }
        reg::Status status = reg::Status::Failed;
        if (!reg::createKey(reg::Hive::CurrentUser, kTrialKey, &status))
            fail(QStringLiteral("trial %1: the store does not open for writing afterwards").arg(trial));
        ++row.trials;
    }
    row.filesSetAside += setAsideCount();
    std::printf("  (%d writes had returned before the kills)\n", reported);
    return row;
}

// Two processes writing 1,000 values each into one key at the same time.
Row Trials::twoWriters()
{
    Row row{"two writers at once"};
    const int count = quick_ ? 50 : 1000;
    removeStore();
    QProcess* first = start({QStringLiteral("--count"), QStringLiteral("1"), QString::number(count)});
    QProcess* second = start({QStringLiteral("--count"), QStringLiteral("2"), QString::number(count)});
    for (QProcess* writer : {first, second}) {
        writer->waitForFinished(-1);
        if (writer->exitStatus() != QProcess::NormalExit || writer->exitCode() != 0)
            fail(QStringLiteral("a writer failed some writes (exit %1): %2")
                     .arg(writer->exitCode())
                     .arg(QString::fromUtf8(writer->readAllStandardError())));
    }
    const QString key = kTrialKey + QStringLiteral("Rinnakkain");
    for (int writer = 1; writer <= 2; ++writer) {
        for (int n = 0; n < count; ++n) {
            const QString found = vuska::ReadRegistryValue(vuska::HKEY_CURRENT_USER, key, QStringLiteral("K%1-%2").arg(writer).arg(n));
            if (found != QString::number(n).rightJustified(3, u'0')) {
                ++row.valuesLost;
                fail(QStringLiteral("writer %1's value %2 reads \"%3\"").arg(writer).arg(n).arg(found));
            }
        }
    }
    row.trials = 2 * count;
    row.filesSetAside = setAsideCount();
    return row;
}

// A best-results save killed at a random moment: the list is the old one or the new one.
Row Trials::killedBestResultsSave()
{
    Row row{"best-results save killed"};
    const int trials = quick_ ? 10 : 100;
    removeStore();
    Engine engine;
    const BestList first = bestList(0);
    engine.game.NewBestNames = first.names;
    engine.game.NewBestScores = first.scores;
    engine.game.SaveBestResults();
    std::uniform_int_distribution<int> delay(0, 60);
    for (int trial = 0; trial < trials; ++trial) {
        QProcess* writer = start({QStringLiteral("--best")});
        writer->waitForReadyRead(10000);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random_)));
        killNow(*writer);
        engine.game.LoadBestResults();
        int closest = vuska::SlotCount * 2;
        for (int which = 0; which < 2; ++which) {
            const BestList list = bestList(which);
            int differing = 0;
            for (int i = 0; i < vuska::SlotCount; ++i) {
                differing += engine.game.BestNames[size_t(i)] != list.names[size_t(i)];
                differing += engine.game.BestScores[size_t(i)] != list.scores[size_t(i)];
            }
            closest = std::min(closest, differing);
        }
        if (closest != 0) {
            row.valuesLost += closest;
            fail(QStringLiteral("trial %1: the list is a mix of the old and the new (%2 values off)").arg(trial).arg(closest));
        }
        ++row.trials;
    }
    row.filesSetAside = setAsideCount();
    return row;
}

// A store file cut short or overwritten: the game starts on its defaults, the damaged file is
// kept under another name, and the next write lands.
Row Trials::damagedFiles()
{
    Row row{"store file truncated or overwritten"};
    const int each = quick_ ? 4 : 20;
    removeStore();
    const QString defaults = gameStartLine();

    // A store with every setting away from its default and a list of the player's own.
    {
        Engine engine;
        using vuska::WriteRegistryValue;
        const auto write = [](const char* name, const QVariant& value) {
            WriteRegistryValue(vuska::HKEY_CURRENT_USER, vuska::SettingsKeyForWrite, QString::fromLatin1(name), 1, value);
        };
        write("PelinAloitustapa", vuska::StartModes::LowestCard);
        write("NaytaKorttienSekoitusJaJako", false);
        write("NaytaKorttienSiirto", false);
        write("Animaationopeus", QStringLiteral("6"));
        write("NaytaPainikkeet", false);
        const BestList list = bestList(1);
        engine.game.NewBestNames = list.names;
        engine.game.NewBestScores = list.scores;
        engine.game.SaveBestResults();
        // Some bulk, so that the file has many pages to cut through.
        for (int n = 0; n < 200; ++n)
            WriteRegistryValue(vuska::HKEY_CURRENT_USER, kTrialKey + QStringLiteral("Tayte"), streamName(n), 1, streamValue(n, n));
    }
    const QString file = reg::hiveFilePath(reg::Hive::CurrentUser);
    QFile goodFile(file);
    goodFile.open(QIODevice::ReadOnly);
    const QByteArray good = goodFile.readAll();
    goodFile.close();
    const QString stored = gameStartLine();
    if (stored == defaults)
        fail(QStringLiteral("the prepared settings read as the defaults; the trial would prove nothing"));

    for (int trial = 0; trial < 2 * each; ++trial) {
        removeStore();
        QDir().mkpath(storeFolder());
        QByteArray damaged = good;
        if (trial < each) {
            std::uniform_int_distribution<qsizetype> length(1, good.size() - 1);
            damaged.truncate(length(random_));
        } else {
            std::uniform_int_distribution<int> byte(0, 255);
            for (char& c : damaged)
                c = char(byte(random_));
        }
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(damaged) != damaged.size()) {
            fail(QStringLiteral("trial %1: cannot write the damaged file").arg(trial));
            continue;
        }
        out.close();

        const QString start = gameStartLine();
        const QStringList kept = QDir(storeFolder()).entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
        row.filesSetAside += int(kept.size());
        const QString what = trial < each ? QStringLiteral("cut to %1 bytes").arg(damaged.size())
                                          : QStringLiteral("overwritten with random bytes");
        if (start == stored) {
            // The damage missed everything the game reads: the file is still good to use.
            if (!kept.isEmpty())
                fail(QStringLiteral("trial %1 (%2): a file still in use was set aside").arg(trial).arg(what));
        } else if (start != defaults) {
            ++row.valuesLost;
            fail(QStringLiteral("trial %1 (%2): the game starts neither on the stored settings nor on the defaults: %3")
                     .arg(trial).arg(what, start));
        } else if (kept.size() != 1) {
            ++row.valuesLost;
            fail(QStringLiteral("trial %1 (%2): %3 files set aside, not one").arg(trial).arg(what).arg(kept.size()));
        } else {
            QFile keptFile(storeFolder() + u'/' + kept.first());
            keptFile.open(QIODevice::ReadOnly);
            if (keptFile.readAll() != damaged) {
                ++row.valuesLost;
                fail(QStringLiteral("trial %1 (%2): the file set aside is not the damaged file").arg(trial).arg(what));
            }
        }
        // The next write lands, and a later start-up sees it.
        if (!vuska::WriteRegistryValue(vuska::HKEY_CURRENT_USER, vuska::SettingsKeyForWrite,
                                       QStringLiteral("PelinAloitustapa"), 1, vuska::StartModes::Random)
            || !gameStartLine().startsWith(vuska::StartModes::Random + u'|'))
            fail(QStringLiteral("trial %1 (%2): the next write did not land").arg(trial).arg(what));
        ++row.trials;
    }
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("--stream"))
        return streamWriter(args[2].toInt());
    if (args.size() >= 4 && args[1] == QLatin1String("--count"))
        return countingWriter(args[2].toInt(), args[3].toInt());
    if (args.size() >= 2 && args[1] == QLatin1String("--best"))
        return bestResultsWriter();
    if (args.size() >= 2 && args[1] == QLatin1String("--game-start"))
        return gameStart();

    const bool quick = args.contains(QLatin1String("--quick"));
    quint64 seed = 20261207;
    if (const qsizetype at = args.indexOf(QLatin1String("--seed")); at >= 0 && at + 1 < args.size())
        seed = args[at + 1].toULongLong();

    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());

    std::printf("Crash trials of the registry store (%s, seed %llu)\n", quick ? "quick" : "full",
                static_cast<unsigned long long>(seed));
    std::printf("%-36s %8s %13s %17s\n", "trial", "trials", "values lost", "files set aside");
    const auto started = Clock::now();
    Trials trials(seed, quick);
    trials.printRow(trials.killedWriters());
    trials.printRow(trials.twoWriters());
    trials.printRow(trials.killedBestResultsSave());
    trials.printRow(trials.damagedFiles());
    std::printf("%.1f s\n", std::chrono::duration<double>(Clock::now() - started).count());
    return trials.ok() ? 0 : 1;
}
