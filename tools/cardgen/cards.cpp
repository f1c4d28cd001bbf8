#include "cards.h"

#include <QPainter>
#include <QPen>
#include <QTransform>
#include <QtMath>

#include <cmath>
#include <cstring>
#include <vector>

namespace cardgen {

namespace {

const QColor kBorder(72, 72, 72);
const QColor kInk(22, 22, 26);
const QColor kBlue(36, 70, 168);
const QColor kYellow(246, 200, 46);
const QColor kSkin(253, 226, 194);
const QColor kHairBrown(126, 78, 36);
const QColor kGreen(40, 140, 60);

// The card's centre; the lower half of a card is the upper half turned
// around this point.
constexpr QPointF kCentre(kCardWidth / 2.0, kCardHeight / 2.0);

void turnAroundCentre(QPainter &p)
{
    p.translate(kCentre);
    p.rotate(180);
    p.translate(-kCentre);
}

// ---- Index in the corners ----------------------------------------------------

QString rankText(int rank)
{
    switch (rank) {
    case Ace:
        return QStringLiteral("A");
    case Jack:
        return QStringLiteral("J");
    case Queen:
        return QStringLiteral("Q");
    case King:
        return QStringLiteral("K");
    default:
        return QString::number(rank);
    }
}

void drawIndex(QPainter &p, Suit suit, int rank)
{
    const QColor c = suitColor(suit);
    const QString text = rankText(rank);
    const qreal cx = 7.5;
    // "10" is set lighter and more widely spaced so that its two digits stay
    // distinct in the narrow margin.
    if (text.size() > 1)
        drawText(p, text, QPointF(cx + 0.3, 3.0), 11, c, 0.88, 0.6);
    else
        drawText(p, text, QPointF(cx, 3.0), 11, c);
    drawSuit(p, suit, QPointF(cx, 21.0), 8.5);
}

// ---- Pip layouts ---------------------------------------------------------------

struct Pip {
    int column; // -1 left, 0 middle, 1 right
    qreal row;  // 0 = top row, 1 = bottom row
};

std::vector<Pip> pipLayout(int rank)
{
    const qreal third = 1.0 / 3.0;
    switch (rank) {
    case 2:
        return {{0, 0}, {0, 1}};
    case 3:
        return {{0, 0}, {0, 0.5}, {0, 1}};
    case 4:
        return {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
    case 5:
        return {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}};
    case 6:
        return {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
    case 7:
        return {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}};
    case 8:
        return {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {0, 0.75}, {-1, 1}, {1, 1}};
    case 9:
        return {{-1, 0},         {1, 0},         {-1, third}, {1, third}, {0, 0.5},
                {-1, 2 * third}, {1, 2 * third}, {-1, 1},     {1, 1}};
    case 10:
        return {{-1, 0},         {1, 0},         {0, third / 2}, {-1, third}, {1, third},
                {-1, 2 * third}, {1, 2 * third}, {0, 1 - third / 2}, {-1, 1}, {1, 1}};
    default:
        return {};
    }
}

void drawPips(QPainter &p, Suit suit, int rank)
{
    const qreal columnX[3] = {23.0, 40.0, 57.0};
    const qreal top = 21.0;
    const qreal bottom = kCardHeight - top;
    const qreal height = suit == Suit::Ruutu ? 16.0 : 15.0;
    for (const Pip &pip : pipLayout(rank)) {
        const qreal y = top + pip.row * (bottom - top);
        // Pips past the middle are printed upside down; the middle one is not.
        drawSuit(p, suit, QPointF(columnX[pip.column + 1], y), height, pip.row > 0.5);
    }
}

void drawAce(QPainter &p, Suit suit)
{
    if (suit != Suit::Pata) {
        drawSuit(p, suit, kCentre, suit == Suit::Ruutu ? 38 : 34);
        return;
    }
    // The ace of spades traditionally carries the biggest pip, decorated: here
    // with a white inline and a small white spade in its heart.
    const qreal height = 46;
    drawSuit(p, suit, kCentre, height);
    const qreal inline_ = height / 2 * 0.8;
    p.save();
    p.translate(kCentre + QPointF(0, -0.08 * inline_));
    p.scale(inline_, inline_);
    p.setPen(QPen(Qt::white, 1.0 / inline_));
    p.setBrush(Qt::NoBrush);
    p.drawPath(suitPath(suit));
    p.restore();
    drawSuit(p, suit, kCentre + QPointF(0, -2), 8, false, Qt::white);
}

// ---- Picture cards -------------------------------------------------------------

constexpr qreal kFrameLeft = 15.5;
constexpr qreal kFrameTop = 7.5;
const QRectF kFrame(kFrameLeft, kFrameTop, kCardWidth - 2 * kFrameLeft, kCardHeight - 2 * kFrameTop);

QPen outlinePen(qreal width = 0.75)
{
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillOutlined(QPainter &p, const QPainterPath &path, const QColor &fill, qreal width = 0.75)
{
    p.setPen(outlinePen(width));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(qreal cx, qreal cy, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

// The colours of one court figure: the suit colour leads, with blue and
// yellow as on traditional cards; the two suits of a colour swap the roles.
struct Costume {
    QColor main;
    QColor second;
    QColor trim;
};

Costume costumeFor(Suit suit)
{
    const QColor main = isRed(suit) ? QColor(206, 24, 36) : QColor(34, 34, 42);
    if (suit == Suit::Hertta || suit == Suit::Pata)
        return {main, kBlue, kYellow};
    return {main, kYellow, kBlue};
}

QPainterPath shoulders()
{
    QPainterPath body;
    body.moveTo(16, 64);
    body.lineTo(16, 49.5);
    body.quadTo(18, 45, 28, 44);
    body.lineTo(52, 44);
    body.quadTo(62, 45, 64, 49.5);
    body.lineTo(64, 64);
    body.closeSubpath();
    return body;
}

// The arm on the side of whatever the figure holds: a sleeve from the
// shoulder down to a fist closed round the staff at `fist`. The staff is drawn
// before, so the arm covers it.
void drawArm(QPainter &p, QPointF fist, const QColor &sleeve, const QColor &cuff)
{
    QPainterPath arm;
    arm.moveTo(fist.x() - 3.6, fist.y() - 2.4);
    arm.cubicTo(fist.x() - 4.2, fist.y() - 7, fist.x() - 2.0, 45.5, fist.x() + 2.0, 44.6);
    arm.quadTo(fist.x() + 7.5, 45.5, fist.x() + 7.5, 49);
    arm.lineTo(fist.x() + 3.6, fist.y() - 2.4);
    arm.closeSubpath();
    fillOutlined(p, arm, sleeve, 0.6);
    fillOutlined(p, polygon({fist + QPointF(-3.9, -3.8), fist + QPointF(3.9, -3.8), fist + QPointF(3.7, -1.5),
                             fist + QPointF(-3.7, -1.5)}),
                 cuff, 0.55);
    fillOutlined(p, ellipse(fist.x(), fist.y(), 2.8, 2.3), kSkin, 0.6);
    p.setPen(QPen(kInk, 0.4));
    p.drawLine(fist + QPointF(-1.8, -0.3), fist + QPointF(1.8, -0.3));
    p.drawLine(fist + QPointF(-1.6, 1.0), fist + QPointF(1.6, 1.0));
}

// The heads are laid out around a face centred at (40, 26) and then enlarged
// from the top of the frame down, so that they fill the frame without
// crossing its upper edge.
void beginHead(QPainter &p)
{
    p.save();
    p.translate(40, 9.5);
    p.scale(1.15, 1.15);
    p.translate(-40, -9.5);
}

void endHead(QPainter &p) { p.restore(); }

void drawFace(QPainter &p, bool beard)
{
    // Neck first, so that the face overlaps it.
    fillOutlined(p, polygon({{37, 31}, {43, 31}, {43.5, 40}, {36.5, 40}}), kSkin);
    fillOutlined(p, ellipse(40, 26, 5.8, 7.0), kSkin);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(37.7, 25.2), 0.7, 0.75);
    p.drawEllipse(QPointF(42.3, 25.2), 0.7, 0.75);
    p.setPen(QPen(kInk, 0.55, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(36.4, 23.3), QPointF(38.8, 23.0));
    p.drawLine(QPointF(41.2, 23.0), QPointF(43.6, 23.3));
    QPainterPath nose;
    nose.moveTo(40.2, 24.8);
    nose.lineTo(39.4, 28.4);
    nose.lineTo(40.6, 28.6);
    p.setBrush(Qt::NoBrush);
    p.drawPath(nose);
    if (beard) {
        QPainterPath b;
        b.moveTo(34.4, 26.5);
        b.cubicTo(34.6, 33, 37, 37.8, 40, 38.6);
        b.cubicTo(43, 37.8, 45.4, 33, 45.6, 26.5);
        b.cubicTo(44.6, 29.5, 43.0, 30.0, 40, 29.6);
        b.cubicTo(37.0, 30.0, 35.4, 29.5, 34.4, 26.5);
        b.closeSubpath();
        fillOutlined(p, b, kHairBrown, 0.55);
        p.setPen(QPen(QColor(200, 40, 40), 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(39.0, 31.6), QPointF(41.0, 31.6));
    } else {
        p.setPen(QPen(QColor(210, 40, 50), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(38.9, 30.6), QPointF(41.1, 30.6));
    }
}

// Bands are clipped to the panel so that they follow its slanting sides.
void drawBands(QPainter &p, const QPainterPath &panel, const QColor &color, qreal from, qreal step)
{
    p.save();
    p.setClipPath(panel, Qt::IntersectClip);
    p.setPen(QPen(color, 1.2));
    for (qreal y = from; y < 64; y += step)
        p.drawLine(QPointF(16, y), QPointF(64, y));
    p.restore();
    p.setPen(outlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(panel);
}

void drawKingHalf(QPainter &p, const Costume &c)
{
    fillOutlined(p, shoulders(), c.main);
    const QPainterPath panel = polygon({{35, 44}, {45, 44}, {48.5, 64}, {31.5, 64}});
    fillOutlined(p, panel, c.second);
    drawBands(p, panel, c.trim == kYellow ? kYellow : c.main, 49, 4.5);

    beginHead(p);
    fillOutlined(p, ellipse(34.5, 22.5, 1.7, 3.0), kHairBrown, 0.5);
    fillOutlined(p, ellipse(45.5, 22.5, 1.7, 3.0), kHairBrown, 0.5);
    drawFace(p, true);
    const QPainterPath crown =
        polygon({{33.5, 20.2}, {33.0, 10.8}, {36.6, 14.4}, {40, 9.4}, {43.4, 14.4}, {47.0, 10.8}, {46.5, 20.2}});
    fillOutlined(p, crown, kYellow, 0.6);
    p.setPen(outlinePen(0.45));
    p.drawLine(QPointF(33.4, 17.0), QPointF(46.6, 17.0));
    p.setBrush(QColor(206, 24, 36));
    p.drawEllipse(QPointF(40, 18.6), 1.1, 1.0);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(36.3, 18.6), 0.8, 0.8);
    p.drawEllipse(QPointF(43.7, 18.6), 0.8, 0.8);
    p.setBrush(kYellow);
    for (const QPointF &tip : {QPointF(33.0, 10.5), QPointF(40, 9.1), QPointF(47.0, 10.5)})
        p.drawEllipse(tip, 0.9, 0.9);
    endHead(p);

    // The collar comes after the head so that it hides the foot of the neck.
    QPainterPath collar;
    collar.moveTo(19, 51);
    collar.cubicTo(24, 45.5, 32, 42.8, 40, 42.8);
    collar.cubicTo(48, 42.8, 56, 45.5, 61, 51);
    collar.cubicTo(55, 48.6, 47, 47.6, 40, 47.6);
    collar.cubicTo(33, 47.6, 25, 48.6, 19, 51);
    collar.closeSubpath();
    fillOutlined(p, collar, Qt::white, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (qreal x : {25.0, 32.5, 40.0, 47.5})
        p.drawEllipse(QPointF(x, 45.8 + (x - 40) * (x - 40) * 0.0065), 0.55, 0.75);

    fillOutlined(p, polygon({{53.7, 27}, {55.3, 27}, {55.3, 64}, {53.7, 64}}), kYellow, 0.55);
    fillOutlined(p, ellipse(54.5, 25.0, 2.5, 2.5), kYellow, 0.6);
    p.setPen(QPen(kInk, 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(54.5, 19.8), QPointF(54.5, 22.4));
    p.drawLine(QPointF(53.3, 20.8), QPointF(55.7, 20.8));
    drawArm(p, QPointF(54.5, 56.5), c.second, Qt::white);
}

void drawQueenHalf(QPainter &p, const Costume &c)
{
    // The hair goes first: it falls behind the shoulders.
    beginHead(p);
    QPainterPath hair;
    hair.moveTo(40, 15.8);
    hair.cubicTo(31, 15.8, 31.2, 24, 31.2, 30);
    hair.cubicTo(31.2, 35, 29.8, 38.5, 28.6, 41);
    hair.lineTo(51.4, 41);
    hair.cubicTo(50.2, 38.5, 48.8, 35, 48.8, 30);
    hair.cubicTo(48.8, 24, 49, 15.8, 40, 15.8);
    hair.closeSubpath();
    fillOutlined(p, hair, QColor(236, 170, 40), 0.6);
    endHead(p);

    fillOutlined(p, shoulders(), c.main);
    const QPainterPath bodice = polygon({{33.5, 44}, {40, 52.5}, {46.5, 44}, {48.5, 64}, {31.5, 64}});
    fillOutlined(p, bodice, c.second);
    drawBands(p, bodice, c.trim == kYellow ? kYellow : c.main, 56, 4);

    beginHead(p);
    drawFace(p, false);
    // Smaller than the king's and with rounded points, so that the two
    // crowns are told apart at a glance.
    QPainterPath tiara;
    tiara.moveTo(34.6, 19.6);
    tiara.lineTo(34.2, 14.0);
    tiara.quadTo(36.4, 15.4, 37.2, 13.8);
    tiara.quadTo(38.4, 11.0, 40, 10.6);
    tiara.quadTo(41.6, 11.0, 42.8, 13.8);
    tiara.quadTo(43.6, 15.4, 45.8, 14.0);
    tiara.lineTo(45.4, 19.6);
    tiara.closeSubpath();
    fillOutlined(p, tiara, kYellow, 0.55);
    p.setPen(outlinePen(0.45));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(40, 17.0), 1.0, 1.2);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(40, 10.5), 0.9, 0.9);
    endHead(p);

    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    for (int i = 0; i <= 6; ++i) {
        const qreal t = i / 6.0;
        p.drawEllipse(QPointF(35.8 + 8.4 * t, 44.6 + 12.0 * t * (1 - t)), 0.75, 0.75);
    }

    p.setPen(QPen(kGreen, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(54.5, 64), QPointF(54.5, 38));
    p.setPen(outlinePen(0.45));
    p.setBrush(QColor(232, 60, 90));
    for (int i = 0; i < 5; ++i) {
        const qreal a = qDegreesToRadians(90.0 + 72.0 * i);
        p.drawEllipse(QPointF(54.5 + 2.1 * std::cos(a), 35.5 - 2.1 * std::sin(a)), 1.5, 1.5);
    }
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(54.5, 35.5), 1.2, 1.2);
    drawArm(p, QPointF(54.5, 56.5), c.main, c.trim);
}

void drawJackHalf(QPainter &p, const Costume &c)
{
    fillOutlined(p, shoulders(), c.second);
    const QPainterPath tunic = polygon({{28.5, 45.5}, {51.5, 45.5}, {52.5, 64}, {27.5, 64}});
    fillOutlined(p, tunic, c.main);
    p.save();
    p.setClipPath(tunic, Qt::IntersectClip);
    p.setPen(QPen(c.trim, 1.3));
    for (qreal x = 31.5; x <= 48.5; x += 4.25)
        p.drawLine(QPointF(x, 45), QPointF(x + (x - 40) * 0.06, 64));
    p.restore();

    beginHead(p);
    fillOutlined(p, ellipse(34.3, 23.8, 1.9, 3.6), kHairBrown, 0.5);
    fillOutlined(p, ellipse(45.7, 23.8, 1.9, 3.6), kHairBrown, 0.5);
    drawFace(p, false);
    // Feather, then the cap over its quill.
    QPainterPath feather;
    feather.moveTo(44, 16.5);
    feather.cubicTo(47, 10.5, 50, 9.0, 53, 9.0);
    feather.cubicTo(51, 11.5, 48.5, 14.8, 45.5, 18.5);
    feather.closeSubpath();
    fillOutlined(p, feather, c.trim, 0.5);
    QPainterPath cap;
    cap.moveTo(32.8, 20.2);
    cap.cubicTo(31.5, 15, 35, 11.8, 41, 12.0);
    cap.cubicTo(46.5, 12.2, 49, 15.5, 47.4, 20.2);
    cap.closeSubpath();
    fillOutlined(p, cap, c.main, 0.6);
    fillOutlined(p, polygon({{32.8, 18.2}, {47.4, 18.2}, {47.2, 20.6}, {33.0, 20.6}}), c.second, 0.5);
    endHead(p);

    QPainterPath collar;
    collar.moveTo(33, 44);
    collar.lineTo(40, 49.5);
    collar.lineTo(47, 44);
    collar.lineTo(44.5, 43);
    collar.lineTo(40, 46);
    collar.lineTo(35.5, 43);
    collar.closeSubpath();
    fillOutlined(p, collar, Qt::white, 0.55);

    fillOutlined(p, polygon({{54.8, 17}, {56.3, 17}, {56.3, 64}, {54.8, 64}}), QColor(170, 120, 60), 0.55);
    QPainterPath blade;
    blade.moveTo(55.55, 8.8);
    blade.lineTo(56.9, 14.8);
    blade.lineTo(60.8, 13.4);
    blade.quadTo(60.1, 16.8, 60.8, 20.2);
    blade.lineTo(56.9, 18.8);
    blade.lineTo(54.2, 18.8);
    blade.lineTo(54.2, 14.8);
    blade.closeSubpath();
    fillOutlined(p, blade, QColor(206, 212, 222), 0.55);
    drawArm(p, QPointF(55.55, 56.5), c.second, Qt::white);
}

void drawCourt(QPainter &p, Suit suit, int rank)
{
    const Costume costume = costumeFor(suit);
    // The figures of two suits of a colour look the other way.
    const bool mirrored = suit == Suit::Ruutu || suit == Suit::Risti;
    const QRectF upper(kFrame.left(), kFrame.top(), kFrame.width(), kCentre.y() - kFrame.top());

    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1)
            turnAroundCentre(p);
        p.setClipRect(upper.adjusted(0.5, 0.5, -0.5, 0));
        if (mirrored) {
            p.translate(kCentre.x(), 0);
            p.scale(-1, 1);
            p.translate(-kCentre.x(), 0);
        }
        switch (rank) {
        case King:
            drawKingHalf(p, costume);
            break;
        case Queen:
            drawQueenHalf(p, costume);
            break;
        default:
            drawJackHalf(p, costume);
            break;
        }
        p.restore();
        p.save();
        if (half == 1)
            turnAroundCentre(p);
        // The suit sign sits beside the head, away from what the figure holds.
        drawSuit(p, suit, QPointF(mirrored ? kFrame.right() - 6 : kFrame.left() + 6, kFrame.top() + 7), 8.5);
        p.restore();
    }

    p.setPen(QPen(suitColor(suit), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(kFrame);
    p.drawLine(QPointF(kFrame.left(), kCentre.y()), QPointF(kFrame.right(), kCentre.y()));
}

// ---- Back side -----------------------------------------------------------------

const QColor kBackBlue(26, 56, 158);

// One repeat of the back's lattice, pixel for pixel: two-pixel 45-degree
// bands of light blue on dark blue with a pale dot in each diamond.
constexpr int kTile = 8;

QImage latticeTile()
{
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const int a = (x + y) % kTile;
            const int b = (x - y + kTile) % kTile;
            QColor c = kBackBlue;
            if (a <= 1 || b <= 1)
                c = QColor(98, 136, 226);
            else if ((a == 4 || a == 5) && (b == 4 || b == 5))
                c = QColor(210, 222, 252);
            tile.setPixelColor(x, y, c);
        }
    return tile;
}

void drawBack(QPainter &p)
{
    const QRectF panel(5, 5, kCardWidth - 10, kCardHeight - 10);
    QPainterPath panelPath;
    panelPath.addRoundedRect(panel, 2.0, 2.0);
    QBrush lattice(latticeTile());
    // This anchoring makes the lattice come out the same when the card is
    // turned around or mirrored, as the back of a card should.
    lattice.setTransform(QTransform::fromTranslate(3, 3));
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setPen(Qt::NoPen);
    p.setBrush(lattice);
    p.drawPath(panelPath);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.0));
    p.drawRoundedRect(panel.adjusted(3.5, 3.5, -3.5, -3.5), 1.5, 1.5);

    // The medallion is symmetric as well, so the back never tells which way
    // up the card lies.
    QPainterPath medallion;
    medallion.addEllipse(kCentre, 12.5, 17.5);
    p.setPen(QPen(Qt::white, 1.0));
    p.setBrush(kBackBlue);
    p.drawPath(medallion);
    p.setPen(QPen(QColor(112, 150, 232), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kCentre, 10.0, 15.0);
    const QColor pale(226, 234, 252);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(kCentre);
        p.rotate(90.0 * i);
        drawSuit(p, Suit::Hertta, QPointF(0, -5.0), 8, false, pale);
        p.restore();
    }
}

} // namespace

QPainterPath cardOutline()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 4.5, 4.5);
    return path;
}

void drawCard(QPainter &p, Suit suit, int rank)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kBorder, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(cardOutline());

    if (rank == Back) {
        drawBack(p);
    } else {
        if (rank == Ace)
            drawAce(p, suit);
        else if (rank >= Jack)
            drawCourt(p, suit, rank);
        else
            drawPips(p, suit, rank);
        for (int half = 0; half < 2; ++half) {
            p.save();
            if (half == 1)
                turnAroundCentre(p);
            drawIndex(p, suit, rank);
            p.restore();
        }
    }
    p.restore();
}

QImage renderCardFile(Suit suit, int rank)
{
    const int cardRows = kCardHeight * kPictureScale;
    QImage image(kCardWidth * kPictureScale, kFileHeight * kPictureScale, QImage::Format_RGB32);
    image.fill(kTableGreen);
    QPainter p(&image);
    p.scale(kPictureScale, kPictureScale);
    drawCard(p, suit, rank);
    p.end();
    // The hidden rows repeat the card's bottom edge: JPEG stores colour for
    // pairs of rows and smooths it across them, so green there would tint
    // the visible edge.
    for (int y = cardRows; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), image.constScanLine(cardRows - 1), std::size_t(image.bytesPerLine()));
    return image;
}

} // namespace cardgen
