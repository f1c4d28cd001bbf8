#include "tests/support/picturefolder.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QStringList>

namespace vuska::test {

QStringList allCardNames()
{
    QStringList names;
    for (const char* suit : {"hertta", "pata", "risti", "ruutu"}) {
        for (int v = 2; v <= 13; ++v)
            names << QString::fromLatin1(suit) + QString::number(v);
        names << QString::fromLatin1(suit) + QStringLiteral("a");
    }
    return names;
}

void writeCardPictures(const QString& folder)
{
    QDir().mkpath(folder);
    QStringList names = allCardNames();
    names << QStringLiteral("tausta");
    int i = 0;
    for (const QString& name : names) {
        QImage image(80, 128, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((i++ * 7) % 360, 200, 220));
        image.save(folder + QLatin1Char('/') + name + QStringLiteral(".jpg"), "JPEG", 80);
    }
}

} // namespace vuska::test
