#include <cmath>

#include "game/engine/mdlvuska.h"

namespace vuska {

mdlVuska::mdlVuska(CardPictures& pictures, GameUser& user, platform::RandomSource& random)
    : pictures_(pictures), user_(user), random_(random)
{
}

void mdlVuska::DealCards()
{
    for (int i = 0; i < SlotCount; ++i) {
        QString name;
        QString suit;
        Rank rank;
        bool repeated = true;
        while (repeated) {
            random_.reseedFromTime();
            const int value = int(std::floor(13.0 * random_.next() + 1.0));
            const int suitNumber = int(std::floor(4.0 * random_.next() + 1.0));
            suit = suitWords()[size_t(suitNumber - 1)];
            rank = value == 1 ? Rank::ace() : Rank::number(value);
            name = cardName(suit, rank);
            repeated = false;
            for (int j = 0; j < i; ++j) {
                if (CardName[size_t(j)] == name) {
                    repeated = true;
                    break;
                }
            }
        }
        CardName[size_t(i)] = name;
        CardSuit[size_t(i)] = suit;
        CardValue[size_t(i)] = rank;
        CardPlayed[size_t(i)] = false;
    }
}

void mdlVuska::DecideStarter()
{
    enum class Starter { Human, Computer, Nobody };
    Starter starter = Starter::Nobody;

    const auto drawn = [this] {
        random_.reseedFromTime();
        return int(std::floor(2.0 * random_.next())) == 1 ? Starter::Human : Starter::Computer;
    };

    if (StartMode == StartModes::Alternate) {
        starter = HumanStartedGame ? Starter::Computer : Starter::Human;
    } else if (StartMode == StartModes::Random) {
        starter = drawn();
    } else if (StartMode == StartModes::LowestCard) {
        // Aces take no part; a hand without anything below 13 counts as 13.
        int c = 13;
        int nc = 0;
        for (int i = 0; i < FirstHumanSlot; ++i) {
            const Rank& v = CardValue[size_t(i)];
            if (v.isAce())
                continue;
            if (v.numberValue() < c) {
                c = v.numberValue();
                nc = 0;
            }
            if (v.numberValue() == c)
                ++nc;
        }
        int h = 13;
        int nh = 0;
        for (int i = FirstHumanSlot; i < SlotCount && starter == Starter::Nobody; ++i) {
            const Rank& v = CardValue[size_t(i)];
            if (v.isAce())
                continue;
            if (v.numberValue() < c) {
                starter = Starter::Human;
                break;
            }
            if (v.numberValue() < h) {
                h = v.numberValue();
                nh = 0;
            }
            if (v.numberValue() == h)
                ++nh;
        }
        if (starter == Starter::Nobody) {
            if (h > c)
                starter = Starter::Computer;
            else if (nh > nc)
                starter = Starter::Human;
            else if (nh < nc)
                starter = Starter::Computer;
            else
                starter = drawn();
        }
    } else if (StartMode == StartModes::PreviousWinner) {
        starter = WinStreak != 0 ? Starter::Human : Starter::Computer;
    }

    if (starter == Starter::Human) {
        HumanStartedGame = true;
        HumanToPlay = true;
        HumanHasLead = true;
        ComputerHasLed = false;
        user_.starterDecided(true);
    } else if (starter == Starter::Computer) {
        HumanStartedGame = false;
        HumanToPlay = false;
        HumanHasLead = false;
        ComputerHasLed = false;
        user_.starterDecided(false);
        ComputerLeadsTrick();
    }
}

} // namespace vuska
