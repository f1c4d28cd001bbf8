// Paces the card animations on the real card table (offscreen) and prints, for 10, 25 and
// 40 steps: the duration of one card's move to the table, of the deal, and of the shuffle,
// with the median and the worst interval between two painted steps.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>

#include "bench/headlessgame.h"
#include "game/engine/mdlvuska.h"
#include "game/forms/cardtable.h"
#include "platform/appearance.h"
#include "platform/random.h"

using Clock = std::chrono::steady_clock;

namespace {

// The card table, noting the moment each step has been painted.
class TimedTable : public vuska::CardTable {
public:
    using CardTable::CardTable;
    void showStep(Step kind) override
    {
        CardTable::showStep(kind);
        stamps.push_back(Clock::now());
    }
    std::vector<Clock::time_point> stamps;
};

using QuietUser = vuska::bench::NoUser;

struct Figures {
    double totalMs;
    double medianMs;
    double worstMs;
};

Figures measure(TimedTable& table, const std::function<void()>& animation)
{
    table.stamps.clear();
    const auto start = Clock::now();
    animation();
    const auto end = Clock::now();
    std::vector<double> gaps;
    for (size_t i = 1; i < table.stamps.size(); ++i)
        gaps.push_back(std::chrono::duration<double, std::milli>(table.stamps[i] - table.stamps[i - 1]).count());
    std::sort(gaps.begin(), gaps.end());
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            gaps.empty() ? 0.0 : gaps[gaps.size() / 2], gaps.empty() ? 0.0 : gaps.back()};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyProgramFont();

    TimedTable table(nullptr);
    table.resize(452, 455);
    table.show();
    QuietUser user;
    platform::SystemRandom random(1);
    vuska::mdlVuska game(table, user, random);
    game.ShowShuffleAndDeal = true;
    game.ShowCardMovement = true;
    game.ProgramFolder = QStringLiteral(VUSKA_ASSETS_DIR);
    game.LoadCardBacks();
    game.DealCards();
    game.LoadCardFaces();

    std::printf("%-8s %-9s %10s %12s %12s\n", "steps", "animation", "total ms", "median gap", "worst gap");
    for (const int n : {10, 25, 40}) {
        game.AnimationSteps = qint16(n);
        const Figures deal = measure(table, [&] { game.DealOut(); });
        std::printf("%-8d %-9s %10.1f %12.2f %12.2f\n", n, "deal", deal.totalMs, deal.medianMs, deal.worstMs);
        std::vector<Figures> moves;
        for (int slot = 0; slot < vuska::SlotCount; ++slot) {
            table.setLeft(slot, vuska::mdlVuska::handLeft(slot));
            table.setTop(slot, vuska::mdlVuska::handTop(slot));
            moves.push_back(measure(table, [&] { game.MoveCardToTable(slot); }));
        }
        double total = 0, median = 0, worst = 0;
        for (const Figures& f : moves) {
            total += f.totalMs / double(moves.size());
            median += f.medianMs / double(moves.size());
            worst = std::max(worst, f.worstMs);
        }
        std::printf("%-8d %-9s %10.1f %12.2f %12.2f   (mean of 10 moves, worst of all)\n", n, "move", total, median,
                    worst);
    }
    const Figures shuffle = measure(table, [&] { game.ShuffleAnimation(); });
    std::printf("%-8s %-9s %10.1f %12.2f %12.2f   (240 position changes)\n", "-", "shuffle", shuffle.totalMs,
                shuffle.medianMs, shuffle.worstMs);
    return 0;
}
