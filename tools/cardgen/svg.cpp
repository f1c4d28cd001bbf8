#include "svg.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cmath>

namespace cardgen {

namespace {

// Fixed-point with trailing zeros cut: the same text on every run and in
// every locale, and exact enough for a picture a few hundred units wide.
QByteArray number(qreal v)
{
    QByteArray text = QByteArray::number(std::abs(v) < 0.0005 ? 0.0 : v, 'f', 3);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

QByteArray colour(const QColor &c)
{
    return c.name(QColor::HexRgb).toLatin1();
}

QByteArray pathData(const QPainterPath &path)
{
    QByteArray d;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const bool lastOfSubpath = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        if (!d.isEmpty())
            d += ' ';
        switch (e.type) {
        case QPainterPath::MoveToElement:
            start = e;
            d += "M" + number(e.x) + ' ' + number(e.y);
            break;
        case QPainterPath::LineToElement:
            // Qt closes a subpath with a line back to its start; SVG must be
            // told, or a stroke gets caps instead of a join there.
            if (lastOfSubpath && QPointF(e) == start && i > 0)
                d += "Z";
            else
                d += "L" + number(e.x) + ' ' + number(e.y);
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += "C" + number(e.x) + ' ' + number(e.y) + ' ' + number(c2.x) + ' ' + number(c2.y) + ' ' +
                 number(end.x) + ' ' + number(end.y);
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return d;
}

} // namespace

class SvgPaintEngine : public QPaintEngine {
public:
    SvgPaintEngine() : QPaintEngine(AllFeatures) {}

    QByteArray body;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    void updateState(const QPaintEngineState &s) override
    {
        if (s.state() & DirtyPen)
            pen_ = s.pen();
        if (s.state() & DirtyBrush)
            brush_ = s.brush();
        if (s.state() & DirtyTransform)
            transform_ = s.transform();
    }

    void drawPath(const QPainterPath &path) override { write(path, true); }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        write(path, mode != PolylineMode);
    }

private:
    void write(const QPainterPath &path, bool fillable)
    {
        const bool fill = fillable && brush_.style() == Qt::SolidPattern;
        const bool stroke = pen_.style() != Qt::NoPen && pen_.brush().style() == Qt::SolidPattern;
        if (path.isEmpty() || (!fill && !stroke))
            return;
        QByteArray e = "<path d=\"" + pathData(path) + '"';
        if (fill) {
            e += " fill=\"" + colour(brush_.color()) + '"';
            if (brush_.color().alpha() != 255)
                e += " fill-opacity=\"" + number(brush_.color().alphaF()) + '"';
            if (path.fillRule() == Qt::OddEvenFill)
                e += " fill-rule=\"evenodd\"";
        } else {
            e += " fill=\"none\"";
        }
        if (stroke) {
            const QColor c = pen_.color();
            e += " stroke=\"" + colour(c) + '"';
            if (c.alpha() != 255)
                e += " stroke-opacity=\"" + number(c.alphaF()) + '"';
            // A cosmetic pen is one pixel wide whatever the scale.
            e += " stroke-width=\"" + number(pen_.isCosmetic() ? std::max(pen_.widthF(), 1.0) : pen_.widthF()) + '"';
            if (pen_.isCosmetic())
                e += " vector-effect=\"non-scaling-stroke\"";
            const Qt::PenCapStyle cap = pen_.capStyle();
            e += cap == Qt::RoundCap ? " stroke-linecap=\"round\"" : cap == Qt::SquareCap ? " stroke-linecap=\"square\"" : "";
            const Qt::PenJoinStyle join = pen_.joinStyle();
            if (join == Qt::RoundJoin)
                e += " stroke-linejoin=\"round\"";
            else if (join == Qt::BevelJoin)
                e += " stroke-linejoin=\"bevel\"";
            else
                e += " stroke-miterlimit=\"" + number(pen_.miterLimit()) + '"';
        }
        if (!transform_.isIdentity()) {
            const QTransform &t = transform_;
            e += " transform=\"matrix(" + number(t.m11()) + ' ' + number(t.m12()) + ' ' + number(t.m21()) + ' ' +
                 number(t.m22()) + ' ' + number(t.dx()) + ' ' + number(t.dy()) + ")\"";
        }
        body += e + "/>\n";
    }

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
};

SvgPicture::SvgPicture(QSize size) : size_(size), engine_(std::make_unique<SvgPaintEngine>()) {}

SvgPicture::~SvgPicture() = default;

QPaintEngine *SvgPicture::paintEngine() const { return engine_.get(); }

QByteArray SvgPicture::document() const
{
    const QByteArray w = QByteArray::number(size_.width());
    const QByteArray h = QByteArray::number(size_.height());
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           ' ' + h + "\">\n" + engine_->body + "</svg>\n";
}

int SvgPicture::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / 96);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / 96);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace cardgen
