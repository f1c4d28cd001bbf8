#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "platform/picture.h"
#include "tests/support/sandbox.h"

namespace {

QByteArray jpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// The same JPEG, claiming other dimensions in its frame header.
QByteArray withDeclaredSize(QByteArray bytes, int width, int height)
{
    for (qsizetype i = 2; i + 9 < bytes.size(); ++i) {
        if (uchar(bytes[i]) == 0xFF && uchar(bytes[i + 1]) == 0xC0) {
            bytes[i + 5] = char(height >> 8);
            bytes[i + 6] = char(height & 0xFF);
            bytes[i + 7] = char(width >> 8);
            bytes[i + 8] = char(width & 0xFF);
            return bytes;
        }
    }
    return {};
}

} // namespace

class TestPlatformPicture : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.path() + QLatin1Char('/') + name;
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

private slots:
    // A whole JPEG of card size loads with its own size.
    void loadsAWholeJpeg()
    {
        const QImage image = platform::loadPicture(file(QStringLiteral("kortti.jpg"), jpegBytes(80, 128)));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(80, 128));
    }

    void cannotBeLoaded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = jpegBytes(80, 128);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated to half") << whole.left(whole.size() / 2);
        QTest::newRow("truncated by two bytes") << whole.left(whole.size() - 2);
        QTest::newRow("header only") << whole.left(20);
        QTest::newRow("text") << QByteArray("ei ole kuva\n");
        QImage png(8, 8, QImage::Format_RGB32);
        png.fill(Qt::red);
        QByteArray pngBytes;
        QBuffer buffer(&pngBytes);
        buffer.open(QIODevice::WriteOnly);
        png.save(&buffer, "PNG");
        QTest::newRow("a PNG named .jpg") << pngBytes;
        QTest::newRow("declares 60000 x 60000") << withDeclaredSize(whole, 60000, 60000);
        QTest::newRow("declares 0 x 0") << withDeclaredSize(whole, 0, 0);
        QTest::newRow("garbage after the start marker") << (QByteArray("\xFF\xD8", 2) + QByteArray(5000, '\x5A') + QByteArray("\xFF\xD9", 2));
    }

    // Anything but a whole, sane JPEG counts as "cannot be loaded", quickly and safely.
    void cannotBeLoaded()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(platform::loadPicture(file(QStringLiteral("huono.jpg"), bytes)).isNull());
    }

    // A missing file or a folder in its place cannot be loaded either.
    void missingFile()
    {
        QVERIFY(platform::loadPicture(dir_.path() + QStringLiteral("/ei-ole.jpg")).isNull());
        QVERIFY(platform::loadPicture(dir_.path()).isNull());
    }

    void designPicture_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QSize>("designSize");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("shownSize");
        const QSize card(80, 128);
        QTest::newRow("twice the card") << QSize(160, 256) << card << 2.0 << card;
        QTest::newRow("twice the about picture") << QSize(300, 540) << QSize(150, 270) << 2.0 << QSize(150, 270);
        QTest::newRow("the card's own size") << card << card << 1.0 << card;
        QTest::newRow("one column more") << QSize(161, 256) << card << 1.0 << QSize(161, 256);
        QTest::newRow("one row less") << QSize(160, 255) << card << 1.0 << QSize(160, 255);
        QTest::newRow("four times") << QSize(320, 512) << card << 1.0 << QSize(320, 512);
        QTest::newRow("twice the width only") << QSize(160, 128) << card << 1.0 << QSize(160, 128);
        QTest::newRow("no design size") << QSize(0, 0) << QSize(0, 0) << 1.0 << QSize(0, 0);
    }

    // Exactly twice the design size is the design at double density; anything else is
    // shown at its own size.
    void designPicture()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(QSize, designSize);
        QFETCH(qreal, ratio);
        QFETCH(QSize, shownSize);
        QImage image(pictureSize, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QPixmap picture = platform::designPicture(image, designSize);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.deviceIndependentSize().toSize(), shownSize);
        QCOMPARE(picture.size(), pictureSize); // never resampled
    }

    void smoothWhenDrawn_data()
    {
        QTest::addColumn<qreal>("pictureRatio");
        QTest::addColumn<qreal>("screenRatio");
        QTest::addColumn<bool>("smooth");
        QTest::newRow("double density at 200 %") << 2.0 << 2.0 << false;
        QTest::newRow("double density at 100 %") << 2.0 << 1.0 << true;
        QTest::newRow("double density at 150 %") << 2.0 << 1.5 << true;
        QTest::newRow("double density at 175 %") << 2.0 << 1.75 << true;
        QTest::newRow("double density at 400 %") << 2.0 << 4.0 << false;
        QTest::newRow("own picture at 100 %") << 1.0 << 1.0 << false;
        QTest::newRow("own picture at 200 %") << 1.0 << 2.0 << false;
        QTest::newRow("own picture at 125 %") << 1.0 << 1.25 << true;
    }

    // Pixels stay sharp where each picture pixel becomes a whole number of screen pixels.
    void smoothWhenDrawn()
    {
        QFETCH(qreal, pictureRatio);
        QFETCH(qreal, screenRatio);
        QFETCH(bool, smooth);
        QCOMPARE(platform::smoothWhenDrawn(pictureRatio, screenRatio), smooth);
    }

    void designCursor_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<qreal>("screenRatio");
        QTest::addColumn<bool>("pixelForPixel");
        QTest::addColumn<QSize>("cursorPixels");
        QTest::addColumn<qreal>("cursorRatio");
        QTest::addColumn<QPoint>("hotSpot");
        const QSize twice(64, 64);
        QTest::newRow("X11 at 100 %") << twice << 1.0 << true << QSize(32, 32) << 1.0 << QPoint(11, 0);
        QTest::newRow("X11 at 150 %") << twice << 1.5 << true << QSize(48, 48) << 1.0 << QPoint(16, 0);
        QTest::newRow("X11 at 200 %") << twice << 2.0 << true << QSize(64, 64) << 1.0 << QPoint(22, 0);
        QTest::newRow("ratio honoured at 100 %") << twice << 1.0 << false << twice << 2.0 << QPoint(11, 0);
        QTest::newRow("ratio honoured at 200 %") << twice << 2.0 << false << twice << 2.0 << QPoint(11, 0);
        QTest::newRow("design-size picture on X11 at 200 %") << QSize(32, 32) << 2.0 << true << QSize(32, 32) << 1.0
                                                              << QPoint(11, 0);
    }

    // The hot spot stays on the same picture point whichever way the platform reads it:
    // in picture pixels on X11, in device-independent pixels elsewhere.
    void designCursor()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(qreal, screenRatio);
        QFETCH(bool, pixelForPixel);
        QFETCH(QSize, cursorPixels);
        QFETCH(qreal, cursorRatio);
        QFETCH(QPoint, hotSpot);
        QImage image(pictureSize, QImage::Format_ARGB32);
        image.fill(Qt::black);
        const QCursor cursor = platform::designCursor(image, QSize(32, 32), QPoint(11, 0), screenRatio, pixelForPixel);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().size(), cursorPixels);
        QCOMPARE(cursor.pixmap().devicePixelRatio(), cursorRatio);
        QCOMPARE(cursor.hotSpot(), hotSpot);
    }
};

VUSKA_TEST_MAIN(TestPlatformPicture)
#include "test_platform_picture.moc"
