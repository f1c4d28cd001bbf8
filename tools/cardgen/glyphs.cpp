#include "glyphs.h"

#include <QPainter>
#include <QPen>
#include <QTransform>
#include <QtMath>

#include <cmath>

namespace cardgen {

bool isRed(Suit s) { return s == Suit::Hertta || s == Suit::Ruutu; }

QColor suitColor(Suit s) { return isRed(s) ? QColor(206, 16, 32) : QColor(16, 16, 20); }

namespace {

QPainterPath heart()
{
    QPainterPath h;
    h.moveTo(0, 1.0);
    h.cubicTo(-0.28, 0.66, -1.0, 0.22, -1.0, -0.38);
    h.cubicTo(-1.0, -0.80, -0.74, -1.0, -0.48, -1.0);
    h.cubicTo(-0.22, -1.0, -0.05, -0.84, 0, -0.62);
    h.cubicTo(0.05, -0.84, 0.22, -1.0, 0.48, -1.0);
    h.cubicTo(0.74, -1.0, 1.0, -0.80, 1.0, -0.38);
    h.cubicTo(1.0, 0.22, 0.28, 0.66, 0, 1.0);
    h.closeSubpath();
    return h;
}

QPainterPath spade()
{
    QPainterPath s;
    s.moveTo(0, -1.0);
    s.cubicTo(0.30, -0.62, 0.94, -0.30, 0.94, 0.18);
    s.cubicTo(0.94, 0.50, 0.72, 0.66, 0.48, 0.66);
    s.cubicTo(0.30, 0.66, 0.14, 0.58, 0.06, 0.44);
    // The stem flares out into a foot, as on printed cards.
    s.cubicTo(0.08, 0.72, 0.18, 0.90, 0.40, 1.0);
    s.lineTo(-0.40, 1.0);
    s.cubicTo(-0.18, 0.90, -0.08, 0.72, -0.06, 0.44);
    s.cubicTo(-0.14, 0.58, -0.30, 0.66, -0.48, 0.66);
    s.cubicTo(-0.72, 0.66, -0.94, 0.50, -0.94, 0.18);
    s.cubicTo(-0.94, -0.30, -0.30, -0.62, 0, -1.0);
    s.closeSubpath();
    return s;
}

QPainterPath club()
{
    const qreal r = 0.45;
    QPainterPath c;
    c.setFillRule(Qt::WindingFill);
    c.addEllipse(QPointF(0, -0.53), r, r);
    c.addEllipse(QPointF(-0.53, 0.14), r, r);
    c.addEllipse(QPointF(0.53, 0.14), r, r);
    // Fill the gap between the three leaves.
    c.addEllipse(QPointF(0, 0.02), 0.28, 0.30);
    QPainterPath stem;
    stem.moveTo(0.07, 0.10);
    stem.cubicTo(0.08, 0.60, 0.18, 0.88, 0.40, 1.0);
    stem.lineTo(-0.40, 1.0);
    stem.cubicTo(-0.18, 0.88, -0.08, 0.60, -0.07, 0.10);
    stem.closeSubpath();
    return c.united(stem).simplified();
}

QPainterPath diamond()
{
    QPainterPath d;
    d.moveTo(0, -1.0);
    d.quadTo(0.34, -0.42, 0.78, 0);
    d.quadTo(0.34, 0.42, 0, 1.0);
    d.quadTo(-0.34, 0.42, -0.78, 0);
    d.quadTo(-0.34, -0.42, 0, -1.0);
    d.closeSubpath();
    return d;
}

// Index lettering is a stroke font on a 10-unit cap height; each path runs
// along the middle of the stroke, kept half a stroke inside the glyph box.
constexpr qreal kStroke = 1.7;
constexpr qreal kTop = 0.85;
constexpr qreal kBottom = 9.15;
constexpr qreal kTracking = 0.35;

struct Glyph {
    qreal width = 0;
    QPainterPath path;
};

QRectF circle(qreal cx, qreal cy, qreal r) { return QRectF(cx - r, cy - r, 2 * r, 2 * r); }

QPointF onCircle(qreal cx, qreal cy, qreal r, qreal degrees)
{
    const qreal a = qDegreesToRadians(degrees);
    return QPointF(cx + r * std::cos(a), cy - r * std::sin(a));
}

Glyph glyph(QChar ch)
{
    Glyph g;
    QPainterPath &p = g.path;
    switch (ch.unicode()) {
    case '0':
        g.width = 5.3;
        p.addEllipse(QRectF(0.85, kTop, 3.6, kBottom - kTop));
        break;
    case '1':
        g.width = 3.4;
        p.moveTo(0.7, 2.6);
        p.lineTo(2.5, kTop);
        p.lineTo(2.5, kBottom);
        break;
    case '2':
        g.width = 6.4;
        p.moveTo(onCircle(3.2, 3.2, 2.35, 160));
        p.arcTo(circle(3.2, 3.2, 2.35), 160, -212);
        p.lineTo(0.85, kBottom);
        p.lineTo(5.65, kBottom);
        break;
    case '3':
        g.width = 6.4;
        p.moveTo(onCircle(3.1, 2.95, 2.1, 145));
        p.arcTo(circle(3.1, 2.95, 2.1), 145, -235);
        p.lineTo(2.3, 5.0);
        p.moveTo(2.8, 4.95);
        p.arcTo(circle(3.0, 7.0, 2.15), 95, -245);
        break;
    case '4':
        g.width = 6.4;
        p.moveTo(4.5, kBottom);
        p.lineTo(4.5, kTop);
        p.lineTo(0.85, 6.5);
        p.lineTo(5.75, 6.5);
        break;
    case '5':
        g.width = 6.4;
        p.moveTo(5.3, kTop);
        p.lineTo(1.35, kTop);
        p.lineTo(1.1, 4.9);
        p.cubicTo(1.6, 4.5, 2.3, 4.3, 3.05, 4.3);
        p.arcTo(circle(3.05, 6.72, 2.42), 90, -238);
        break;
    case '6':
        g.width = 6.4;
        p.addEllipse(circle(3.2, 6.8, 2.35));
        p.moveTo(0.85, 6.8);
        p.cubicTo(0.85, 3.0, 2.3, kTop, 4.9, 0.95);
        break;
    case '7':
        g.width = 6.4;
        p.moveTo(0.85, kTop);
        p.lineTo(5.55, kTop);
        p.cubicTo(4.2, 3.2, 2.9, 5.8, 2.4, kBottom);
        break;
    case '8':
        g.width = 6.4;
        p.addEllipse(circle(3.2, 2.92, 2.07));
        p.addEllipse(circle(3.2, 6.85, 2.3));
        break;
    case '9': {
        g.width = 6.4;
        QPainterPath six = glyph('6').path;
        p = QTransform().translate(6.4, 10).rotate(180).map(six);
        break;
    }
    case 'A':
        g.width = 7.0;
        p.moveTo(0.85, kBottom);
        p.lineTo(3.5, kTop);
        p.lineTo(6.15, kBottom);
        p.moveTo(1.85, 6.3);
        p.lineTo(5.15, 6.3);
        break;
    case 'J':
        g.width = 5.4;
        p.moveTo(4.5, kTop);
        p.lineTo(4.5, 7.2);
        p.arcTo(circle(2.65, 7.3, 1.85), 0, -190);
        break;
    case 'Q':
        g.width = 7.0;
        p.addEllipse(QRectF(0.85, kTop, 5.3, kBottom - kTop));
        p.moveTo(3.9, 6.8);
        p.lineTo(6.1, 9.2);
        break;
    case 'K':
        g.width = 6.6;
        p.moveTo(1.0, kTop);
        p.lineTo(1.0, kBottom);
        p.moveTo(5.6, kTop);
        p.lineTo(1.0, 5.7);
        p.moveTo(2.7, 4.0);
        p.lineTo(5.75, kBottom);
        break;
    case 'V':
        g.width = 7.0;
        p.moveTo(0.85, kTop);
        p.lineTo(3.5, kBottom);
        p.lineTo(6.15, kTop);
        break;
    case 'U':
        g.width = 6.6;
        p.moveTo(1.0, kTop);
        p.lineTo(1.0, 6.85);
        p.arcTo(QRectF(1.0, 4.55, 4.6, 4.6), 180, 180);
        p.lineTo(5.6, kTop);
        break;
    case 'S':
        g.width = 6.4;
        p.moveTo(5.4, 2.2);
        p.cubicTo(5.0, 1.2, 4.2, kTop, 3.2, kTop);
        p.cubicTo(2.0, kTop, 1.0, 1.6, 1.0, 2.75);
        p.cubicTo(1.0, 4.15, 2.3, 4.6, 3.3, 4.9);
        p.cubicTo(4.5, 5.25, 5.5, 5.8, 5.5, 7.1);
        p.cubicTo(5.5, 8.4, 4.4, kBottom, 3.2, kBottom);
        p.cubicTo(2.0, kBottom, 1.1, 8.6, 0.85, 7.7);
        break;
    default:
        g.width = 5.0;
        break;
    }
    return g;
}

} // namespace

QPainterPath suitPath(Suit s)
{
    switch (s) {
    case Suit::Hertta:
        return heart();
    case Suit::Pata:
        return spade();
    case Suit::Risti:
        return club();
    case Suit::Ruutu:
        return diamond();
    }
    return {};
}

void drawSuit(QPainter &p, Suit s, QPointF centre, qreal height, bool upsideDown, const QColor &color)
{
    p.save();
    p.translate(centre);
    if (upsideDown)
        p.rotate(180);
    p.scale(height / 2, height / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(color.isValid() ? color : suitColor(s));
    p.drawPath(suitPath(s));
    p.restore();
}

qreal textWidth(const QString &text, qreal height, qreal extraSpacing)
{
    qreal w = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        w += glyph(text[i]).width + (i > 0 ? kTracking - 0.9 + extraSpacing : 0);
    return w * height / 10;
}

void drawText(QPainter &p, const QString &text, QPointF topCentre, qreal height, const QColor &color,
              qreal weight, qreal extraSpacing)
{
    const qreal scale = height / 10;
    p.save();
    p.translate(topCentre.x() - textWidth(text, height, extraSpacing) / 2, topCentre.y());
    p.scale(scale, scale);
    QPen pen(color, kStroke * weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Glyph g = glyph(text[i]);
        if (i > 0)
            x += kTracking - 0.9 + extraSpacing;
        p.drawPath(QTransform::fromTranslate(x, 0).map(g.path));
        x += g.width;
    }
    p.restore();
}

} // namespace cardgen
