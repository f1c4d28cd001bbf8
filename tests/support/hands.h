#pragma once

#include <initializer_list>

#include <QString>

#include "game/engine/mdlvuska.h"

namespace vuska::test {

// Puts the named cards ("hertta5", "pataa", ...) into slots 0..9 in order, unplayed, with
// their face paths, as a deal would.
inline void setHands(mdlVuska& game, std::initializer_list<const char*> names)
{
    int slot = 0;
    for (const char* n : names) {
        const QString name = QString::fromLatin1(n);
        QString suit;
        for (const QString& s : suitWords()) {
            if (name.startsWith(s))
                suit = s;
        }
        const QString value = name.mid(suit.size());
        const Rank rank = value == QLatin1String("a") ? Rank::ace() : Rank::number(value.toInt());
        game.CardName[size_t(slot)] = name;
        game.CardSuit[size_t(slot)] = suit;
        game.CardValue[size_t(slot)] = rank;
        game.CardPlayed[size_t(slot)] = false;
        game.CardPicturePath[size_t(slot)] = game.pictureFilePath(name);
        ++slot;
    }
}

} // namespace vuska::test
