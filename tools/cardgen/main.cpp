// cardgen: draws every picture the game ships.
//
//   cardgen <output-assets-dir> <output-resources-dir>
//
// The card faces and the back go to the first folder, the pictures compiled
// into the program (about box, cursor, icon, installer picture) to the second.
// The output depends on nothing but this program: no fonts, no randomness
// without a fixed seed.

#include "cards.h"
#include "scenes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>

using namespace cardgen;

namespace {

constexpr int kJpegQuality = 90;

bool save(const QImage &image, const QString &path)
{
    QImageWriter writer(path);
    const bool jpeg = path.endsWith(QLatin1String(".jpg"));
    writer.setFormat(jpeg ? "jpeg" : "png");
    if (jpeg) {
        writer.setQuality(kJpegQuality);
        writer.setProgressiveScanWrite(false);
        writer.setOptimizedWrite(true);
    } else {
        // Maximum compression; the PNG writer adds no time stamp.
        writer.setQuality(0);
    }
    if (!writer.write(image)) {
        std::fprintf(stderr, "cardgen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool saveText(const QByteArray &text, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush()) {
        std::fprintf(stderr, "cardgen: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: cardgen <output-assets-dir> <output-resources-dir>\n");
        return 2;
    }
    const QDir assets(args[1]);
    const QDir resources(args[2]);
    if (!QDir().mkpath(assets.path()) || !QDir().mkpath(resources.path())) {
        std::fprintf(stderr, "cardgen: cannot create the output folders\n");
        return 1;
    }

    struct Named {
        Suit suit;
        const char *name;
    };
    const Named suits[] = {{Suit::Hertta, "hertta"}, {Suit::Pata, "pata"}, {Suit::Risti, "risti"}, {Suit::Ruutu, "ruutu"}};

    bool ok = true;
    for (const Named &s : suits) {
        for (int rank = 1; rank <= 13; ++rank) {
            const QString value = rank == Ace ? QStringLiteral("a") : QString::number(rank);
            ok &= save(renderCardFile(s.suit, rank), assets.filePath(QLatin1String(s.name) + value + ".jpg"));
        }
    }
    ok &= save(renderCardFile(Suit::Pata, Back), assets.filePath("tausta.jpg"));

    ok &= save(renderAboutPicture(), resources.filePath("tietoja.jpg"));
    ok &= save(renderInstallerPicture(), resources.filePath("asennus.jpg"));
    ok &= save(renderSmallCursor(), resources.filePath("sormi17x22.png"));
    ok &= save(renderLargeCursor(), resources.filePath("sormi32.png"));
    for (int size : {VUSKA_ICON_SIZES})
        ok &= save(renderIcon(size), resources.filePath(QStringLiteral("vuska-%1.png").arg(size)));
    ok &= saveText(renderIconSvg(), resources.filePath("vuska.svg"));

    return ok ? 0 : 1;
}
