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
};

VUSKA_TEST_MAIN(TestPlatformPicture)
#include "test_platform_picture.moc"
