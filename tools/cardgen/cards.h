// Drawing of one playing card (face or back) in card coordinates.
#pragma once

#include "glyphs.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>

class QPainter;

namespace cardgen {

// The game shows the card 80 pixels wide and 127 tall although the picture
// files are 128 tall, so the card itself ends above the last pixel row.
constexpr int kCardWidth = 80;
constexpr int kCardHeight = 127;
constexpr int kFileHeight = 128;

// Every picture is stored at twice the size the programs lay it out in, so that
// a screen at 200 % shows one picture pixel per screen pixel; the programs
// take a picture of exactly twice its design size for the design itself.
constexpr int kPictureScale = 2;

// The card-table green of the game window, used around the rounded corners.
inline const QColor kTableGreen(0, 128, 0);

enum Rank { Back = 0, Ace = 1, Jack = 11, Queen = 12, King = 13 };

QPainterPath cardOutline();

// Draws the whole card into the rectangle (0, 0, 80, 127) of the painter's
// current coordinate system; `rank` is 1..13, or Back for the back side.
void drawCard(QPainter &p, Suit suit, int rank);

// The card as it is stored in the game's picture files: the 80 x 128 design at
// kPictureScale on green, the rows below the card only repeating its last row.
QImage renderCardFile(Suit suit, int rank);

} // namespace cardgen
