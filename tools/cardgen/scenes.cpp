#include "scenes.h"

#include "cards.h"
#include "glyphs.h"
#include "svg.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace cardgen {

namespace {

// A small fixed-seed generator, so that the textures are the same on every run
// and with every standard library.
class XorShift {
public:
    explicit XorShift(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in -range..range.
    int spread(int range) { return int(next() % std::uint32_t(2 * range + 1)) - range; }

private:
    std::uint32_t state_;
};

int clamp255(int v) { return std::clamp(v, 0, 255); }

// Dark blue cloth: a soft light from above, a faint diagonal weave and grain.
// The weave keeps its design-pixel pitch at any scale; the grain is per pixel.
QImage blueCloth(int width, int height, std::uint32_t seed, int scale)
{
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    width *= scale;
    height *= scale;
    XorShift rng(seed);
    const double cx = width / 2.0;
    const double cy = height * 0.4;
    const double reach = double(width) * width / 4 + double(height) * height / 4;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double dx = x - cx;
            const double dy = y - cy;
            const double light = 1.0 - 0.55 * std::min(1.0, (dx * dx + dy * dy) / reach);
            const int wx = x / scale;
            const int wy = y / scale;
            const int weave = ((wx + wy) % 4 == 0 ? 5 : 0) + ((wx - wy + 4 * height) % 4 == 0 ? 4 : 0);
            const int grain = rng.spread(4);
            const int r = clamp255(int(12 + 16 * light) + weave / 2 + grain);
            const int g = clamp255(int(22 + 32 * light) + weave + grain);
            const int b = clamp255(int(64 + 70 * light) + weave * 2 + grain);
            line[x] = qRgb(r, g, b);
        }
    }
    return image;
}

// A card painted at `centre`, turned by `degrees`, with a soft shadow below.
void placeCard(QPainter &p, Suit suit, int rank, QPointF centre, qreal scale, qreal degrees)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(centre);
    p.rotate(degrees);
    p.scale(scale, scale);
    p.translate(-kCardWidth / 2.0, -kCardHeight / 2.0);
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 10, 34));
        p.drawPath(cardOutline().translated(i * 0.8, i * 1.0));
    }
    drawCard(p, suit, rank);
    p.restore();
}

void drawTitle(QPainter &p, QPointF topCentre, qreal height)
{
    // A dark copy underneath lifts the gold lettering off the cloth.
    drawText(p, QStringLiteral("VUSKA"), topCentre + QPointF(0.8, 1.0), height, QColor(4, 8, 30), 1.35);
    drawText(p, QStringLiteral("VUSKA"), topCentre, height, QColor(244, 198, 60), 1.35);
}

// ---- Icon ----------------------------------------------------------------------

// A card reduced to what survives at icon sizes: a rounded white body, one
// large pip and, when there is room, a corner letter.
void drawIconCard(QPainter &p, Suit suit, QPointF centre, qreal degrees, qreal size)
{
    const qreal w = 30;
    const qreal h = 44;
    const qreal unit = size / 64.0;
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    const QRectF body(-w / 2, -h / 2, w, h);
    const qreal outline = std::max(1.0, size / 64.0) / unit;
    p.setPen(QPen(QColor(40, 40, 40), outline));
    p.setBrush(Qt::white);
    p.drawRoundedRect(body, 3.5, 3.5);
    drawSuit(p, suit, QPointF(0, size >= 48 ? 2 : 0), size >= 48 ? 20 : 24);
    if (size >= 48) {
        drawText(p, QStringLiteral("A"), QPointF(-w / 2 + 5.2, -h / 2 + 2.6), 7.5, suitColor(suit), 1.1);
        p.save();
        p.rotate(180);
        drawText(p, QStringLiteral("A"), QPointF(-w / 2 + 5.2, -h / 2 + 2.6), 7.5, suitColor(suit), 1.1);
        p.restore();
    }
    p.restore();
}

// The two cards of the icon in its 64-unit design; `size` is the size in
// pixels it will be seen at.
void drawIconCards(QPainter &p, int size)
{
    drawIconCard(p, Suit::Hertta, QPointF(40.5, 29), 15, size);
    drawIconCard(p, Suit::Pata, QPointF(24, 35), -11, size);
}

// ---- Cursors -------------------------------------------------------------------

// Drawn pixel by pixel: at this size a vector outline would turn grey and soft.
// '#' black, 'o' white, '.' transparent.
constexpr std::array<const char *, 22> kSmallHand = {
    "......##.........",
    ".....#oo#........",
    ".....#oo#........",
    ".....#oo#........",
    ".....#oo#........",
    ".....#oo###......",
    ".....#oo#oo###...",
    ".....#oo#oo#oo##.",
    ".....#oo#oo#oo#o#",
    ".##..#oo#oo#oo#o#",
    "#oo#.#oo#oo#oo#o#",
    "#ooo##oooooooooo#",
    ".#ooo#oooooooooo#",
    "..#ooooooooooooo#",
    "...#ooooooooooo#.",
    "....#oooooooooo#.",
    "....#oooooooooo#.",
    ".....#ooooooooo#.",
    ".....#ooooooooo#.",
    ".....#ooooooooo#.",
    ".....#ooooooooo#.",
    ".....###########.",
};

QPainterPath roundedBox(qreal left, qreal top, qreal right, qreal bottom, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(left, top, right - left, bottom - top), radius, radius);
    return path;
}

} // namespace

QImage renderAboutPicture()
{
    QImage image = blueCloth(150, 270, 0x5eed1234u, kPictureScale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(kPictureScale, kPictureScale);
    placeCard(p, Suit::Hertta, Back, QPointF(60, 90), 1.2, -9);
    placeCard(p, Suit::Hertta, Queen, QPointF(90, 182), 1.2, 7);
    p.end();
    return image;
}

QImage renderInstallerPicture()
{
    QImage image = blueCloth(164, 314, 0xa11ce5u, kPictureScale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(kPictureScale, kPictureScale);
    drawTitle(p, QPointF(82, 46), 26);

    const Suit suits[4] = {Suit::Pata, Suit::Hertta, Suit::Risti, Suit::Ruutu};
    for (int i = 0; i < 4; ++i)
        drawSuit(p, suits[i], QPointF(43 + i * 26, 276), 13, false,
                 isRed(suits[i]) ? QColor(236, 70, 70) : QColor(236, 236, 240));

    // A fanned hand held from below.
    const QPointF pivot(82, 288);
    struct Held {
        Suit suit;
        int rank;
    };
    const Held hand[4] = {{Suit::Ruutu, Jack}, {Suit::Risti, Queen}, {Suit::Hertta, King}, {Suit::Pata, Ace}};
    for (int i = 0; i < 4; ++i) {
        const qreal angle = -16.5 + 11 * i;
        QTransform t;
        t.rotate(angle);
        placeCard(p, hand[i].suit, hand[i].rank, pivot + t.map(QPointF(0, -115)), 0.85, angle);
    }
    p.end();
    return image;
}

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (size <= 16) {
        // Turned cards smear at this size: keep both upright and on the
        // pixel grid, one lifted behind the other.
        p.setPen(QPen(QColor(40, 40, 40), 1.0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5.5, 0.5, 10, 13), 1.5, 1.5);
        drawSuit(p, Suit::Hertta, QPointF(13.0, 5.0), 4.6);
        p.drawRoundedRect(QRectF(0.5, 2.5, 10, 13), 1.5, 1.5);
        drawSuit(p, Suit::Pata, QPointF(5.5, 9.0), 8.0);
        p.end();
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    p.scale(size / 64.0, size / 64.0);
    drawIconCards(p, size);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray renderIconSvg()
{
    SvgPicture svg(QSize(64, 64));
    QPainter p(&svg);
    drawIconCards(p, 64);
    p.end();
    return svg.document();
}

QImage renderSmallCursor()
{
    // The hand is pixel art: it is doubled by Scale2x, which rounds its
    // staircases without bringing in any colour or shade it does not have,
    // so the outline stays as crisp as the design. Neighbours beyond the
    // edge repeat the edge, so the fingertip keeps its top pixels.
    const int w = 17;
    const int h = 22;
    const auto at = [](int x, int y) {
        return kSmallHand[std::size_t(std::clamp(y, 0, h - 1))][std::clamp(x, 0, w - 1)];
    };
    const auto colour = [](char c) {
        return c == '#' ? qRgba(0, 0, 0, 255) : c == 'o' ? qRgba(255, 255, 255, 255) : 0u;
    };
    QImage image(w * kPictureScale, h * kPictureScale, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char e = at(x, y);
            const char a = at(x, y - 1);
            const char b = at(x + 1, y);
            const char c = at(x - 1, y);
            const char d = at(x, y + 1);
            const bool smooth = b != c && a != d;
            image.setPixel(2 * x, 2 * y, colour(smooth && c == a ? a : e));
            image.setPixel(2 * x + 1, 2 * y, colour(smooth && a == b ? b : e));
            image.setPixel(2 * x, 2 * y + 1, colour(smooth && c == d ? c : e));
            image.setPixel(2 * x + 1, 2 * y + 1, colour(smooth && d == b ? d : e));
        }
    return image;
}

QPoint smallCursorHotSpot() { return QPoint(6, 0) * kPictureScale; }

QImage renderLargeCursor()
{
    // The hand is laid out on the design's pixel grid and filled without
    // smoothing at kPictureScale; its outline, one design pixel wide, is then
    // traced from the filled shape, so that the large cursor is as crisp as
    // the small one. The parts are scaled before they are joined: joining
    // flattens their curves, and it should do so on the finer grid.
    const QTransform toPixels = QTransform::fromScale(kPictureScale, kPictureScale);
    const auto box = [&toPixels](qreal left, qreal top, qreal right, qreal bottom, qreal radius) {
        return toPixels.map(roundedBox(left, top, right, bottom, radius));
    };
    QPainterPath hand = box(9, 0, 15, 21, 3);
    hand = hand.united(box(14, 10, 20, 24, 3));
    hand = hand.united(box(19, 12, 25, 25, 3));
    hand = hand.united(box(24, 15, 29, 26, 2.5));
    QPainterPath thumb = roundedBox(-3, -3, 3, 9, 3);
    thumb = (QTransform().translate(5.5, 19.0).rotate(-45) * toPixels).map(thumb);
    hand = hand.united(thumb);
    QPainterPath palm;
    palm.moveTo(9, 18);
    palm.lineTo(29, 21);
    palm.lineTo(29, 26);
    palm.lineTo(27, 32);
    palm.lineTo(11, 32);
    palm.lineTo(6, 24);
    palm.closeSubpath();
    palm = toPixels.map(palm);
    hand = hand.united(palm).simplified();

    constexpr int side = 32 * kPictureScale;
    QImage mask(side, side, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(hand);
    }
    const auto inside = [&mask](int x, int y) {
        return x >= 0 && y >= 0 && x < mask.width() && y < mask.height() && qAlpha(mask.pixel(x, y)) > 0;
    };
    // A pixel is outline when the outside is within one design pixel of it,
    // straight or diagonally.
    const auto nearOutside = [&inside](int x, int y) {
        for (int dy = -kPictureScale; dy <= kPictureScale; ++dy)
            for (int dx = -kPictureScale; dx <= kPictureScale; ++dx)
                if (std::abs(dx) + std::abs(dy) <= kPictureScale && !inside(x + dx, y + dy))
                    return true;
        return false;
    };
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (inside(x, y))
                image.setPixel(x, y, nearOutside(x, y) ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255));
        }
    // Creases between the folded fingers and along the thumb, given in design
    // pixels.
    const auto ink = [&image](int x, int y) {
        for (int dy = 0; dy < kPictureScale; ++dy)
            for (int dx = 0; dx < kPictureScale; ++dx)
                image.setPixel(x * kPictureScale + dx, y * kPictureScale + dy, qRgba(0, 0, 0, 255));
    };
    for (int y = 11; y <= 20; ++y)
        ink(14, y);
    for (int y = 13; y <= 21; ++y)
        ink(19, y);
    for (int y = 16; y <= 22; ++y)
        ink(24, y);
    for (const QPoint &pt : {QPoint(9, 18), QPoint(9, 19), QPoint(9, 20), QPoint(10, 21), QPoint(10, 22),
                             QPoint(11, 23), QPoint(11, 24)})
        ink(pt.x(), pt.y());
    return image;
}

QPoint largeCursorHotSpot() { return QPoint(11, 0) * kPictureScale; }

} // namespace cardgen
