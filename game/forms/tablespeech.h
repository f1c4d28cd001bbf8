#pragma once

#include <QString>

#include "game/engine/cards.h"

namespace vuska::speech {

// What a screen reader says of the table: the cards' names and the news of the play, in the
// words a player uses: in Finnish "hertta 7", "pata ässä", "risti kuningas"; in English "seven
// of hearts"; in Swedish "hjärter sju".

// A card's suit and value: numbers as numbers, the picture cards and the ace by name.
QString cardWords(const QString& suit, const Rank& rank);

// Where a card picture stands, as far as a player can see it.
enum class CardSide { FaceDown, InHand, OnTable };

// The accessible name of the card picture of a slot; `words` is used for cards that show
// their face.
QString cardName(int slot, CardSide side, const QString& words);

// One sentence each: a card coming to the table, a trick taken, who begins, whose turn.
QString cardPlayed(int slot, const QString& words);
QString trickWon(bool byHuman);
QString starter(bool humanBegins);
QString turn(bool humanToPlay);

} // namespace vuska::speech
