// Vector shapes of the suit signs and of the index lettering.
//
// Everything is drawn from hand-written paths so that the generated pictures
// do not depend on which fonts happen to be installed.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QString>

class QPainter;

namespace cardgen {

enum class Suit { Hertta, Pata, Risti, Ruutu };

bool isRed(Suit s);
QColor suitColor(Suit s);

// The outline of a suit sign centred on the origin, about 2 units tall and at
// most 2 units wide.
QPainterPath suitPath(Suit s);

// Fills a suit sign of the given height centred on `centre`; `upsideDown`
// turns it 180 degrees as in the lower half of a card.
void drawSuit(QPainter &p, Suit s, QPointF centre, qreal height, bool upsideDown = false,
              const QColor &color = QColor());

// Stroke lettering: width of `text` when its capitals are `height` tall;
// `extraSpacing` widens the gaps between letters, in tenths of the height.
qreal textWidth(const QString &text, qreal height, qreal extraSpacing = 0);
// Strokes `text` with its top edge centred at `topCentre`; `weight` scales
// the stroke width.
void drawText(QPainter &p, const QString &text, QPointF topCentre, qreal height, const QColor &color,
              qreal weight = 1.0, qreal extraSpacing = 0);

} // namespace cardgen
