#include "platform/picture.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include <cmath>

namespace platform {

namespace {

constexpr qint64 MaxPictureFileBytes = 16 * 1024 * 1024;

// A JPEG starts with its start-of-image marker and ends with its end-of-image marker.
// Qt's reader draws a truncated file grey where data is missing and calls it a success,
// so the end marker is what tells a whole file from a cut one.
bool looksLikeWholeJpeg(const QByteArray& data)
{
    if (data.size() < 4 || uchar(data[0]) != 0xFF || uchar(data[1]) != 0xD8)
        return false;
    qsizetype end = data.size();
    while (end > 2 && (data[end - 1] == '\0' || data[end - 1] == '\n' || data[end - 1] == '\r' ||
                       data[end - 1] == ' '))
        --end;
    return uchar(data[end - 2]) == 0xFF && uchar(data[end - 1]) == 0xD9;
}

} // namespace

QImage loadPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 || file.size() > MaxPictureFileBytes)
        return {};
    QByteArray data = file.readAll();
    if (!looksLikeWholeJpeg(data))
        return {};
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(64); // megabytes; a real picture of ours needs a few kilobytes
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

namespace {

constexpr qreal DesignDensity = 2;

bool isDoubleDensity(QSize pictureSize, QSize designSize)
{
    return !designSize.isEmpty() && pictureSize == designSize * DesignDensity;
}

} // namespace

QPixmap designPicture(QImage image, QSize designSize)
{
    const bool doubleDensity = isDoubleDensity(image.size(), designSize);
    // Moved in, the picture's pixels become the pixmap's without a copy.
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    // Set either way: a reader may have taken a ratio from the file's name.
    pixmap.setDevicePixelRatio(doubleDensity ? DesignDensity : 1);
    return pixmap;
}

QPixmap designPicture(const QString& file, QSize designSize)
{
    return designPicture(QImage(file), designSize);
}

bool smoothWhenDrawn(qreal pictureRatio, qreal deviceRatio)
{
    const qreal scale = deviceRatio / pictureRatio;
    return scale < 1 || std::abs(scale - std::round(scale)) > 1e-6;
}

QCursor designCursor(const QImage& image, QSize designSize, QPoint hotSpot, qreal screenRatio, bool pixelForPixel)
{
    const QPixmap picture = designPicture(image, designSize);
    if (!pixelForPixel || picture.devicePixelRatio() == 1)
        return QCursor(picture, hotSpot.x(), hotSpot.y());
    const QSize shown(std::max(1, qRound(designSize.width() * screenRatio)),
                      std::max(1, qRound(designSize.height() * screenRatio)));
    QPixmap pixels = shown == image.size()
                         ? QPixmap::fromImage(image)
                         : QPixmap::fromImage(image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixels.setDevicePixelRatio(1);
    // Rounded down, the hot spot stays on the fingertip's first pixel.
    return QCursor(pixels, int(std::floor(hotSpot.x() * screenRatio)), int(std::floor(hotSpot.y() * screenRatio)));
}

QCursor designCursor(const QString& file, QSize designSize, QPoint hotSpot)
{
    const QImage image(file);
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    const bool pixelForPixel = QGuiApplication::platformName() == QLatin1String("xcb");
    return designCursor(image, designSize, hotSpot, qGuiApp->devicePixelRatio(), pixelForPixel);
}

} // namespace platform
