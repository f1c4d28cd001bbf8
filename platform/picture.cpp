#include "platform/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

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

} // namespace platform
