// A paint device that writes what is painted on it as SVG paths, so that a
// picture drawn with QPainter also exists as a scalable file. It knows only
// what our drawing uses: paths and polygons with solid pens and brushes.
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace cardgen {

class SvgPaintEngine;

class SvgPicture : public QPaintDevice {
public:
    explicit SvgPicture(QSize size);
    ~SvgPicture() override;

    QPaintEngine *paintEngine() const override;
    // The whole document; call once the painter has ended.
    QByteArray document() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<SvgPaintEngine> engine_;
};

} // namespace cardgen
