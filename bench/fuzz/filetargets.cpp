#include "bench/fuzz/targets.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

#include "platform/helpdocument.h"
#include "platform/picture.h"

namespace vuska::fuzz {

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("files", QStringLiteral("cannot write %1").arg(path));
}

// A help input is the document and its contents file, with this between them.
const QByteArray kSplit("\n\x01\x02SPLIT\x02\x01\n");

} // namespace

Target pictureTarget(const QString& sandbox, const QString& setFolder)
{
    std::vector<QByteArray> seeds;
    for (const char* name : {"hertta2.jpg", "pataa.jpg", "risti13.jpg", "tausta.jpg"}) {
        const QByteArray bytes = fileBytes(setFolder + u'/' + QLatin1String(name));
        if (!bytes.isEmpty())
            seeds.push_back(bytes);
    }
    if (seeds.empty())
        seeds.push_back(QByteArray("\xff\xd8\xff\xe0", 4));
    const QString path = sandbox + QStringLiteral("/kortti.jpg");
    return {"picture", 100000, seeds, startApplication, [path](std::span<const uint8_t> input) {
                writeFile(path, QByteArray(reinterpret_cast<const char*>(input.data()), qsizetype(input.size())));
                const QImage image = platform::loadPicture(path);
                if (!image.isNull()
                    && (image.width() > platform::MaxPictureSide || image.height() > platform::MaxPictureSide))
                    fail("picture", QStringLiteral("a %1 x %2 picture was loaded").arg(image.width()).arg(image.height()));
            }};
}

Target helpTarget(const QString& sandbox, const QString& setFolder)
{
    const QByteArray document = fileBytes(setFolder + QStringLiteral("/vuska.hlp"));
    const QByteArray contents = fileBytes(setFolder + QStringLiteral("/vuska122.cnt"));
    std::vector<QByteArray> seeds{document + kSplit + contents, document + kSplit, kSplit + contents,
                                  document.left(2000) + kSplit + contents.left(300)};
    const QString folder = sandbox + QStringLiteral("/ohje");
    return {"help", 100000, seeds,
            [folder] {
                startApplication();
                QDir().mkpath(folder);
            },
            [folder](std::span<const uint8_t> input) {
                const QByteArray bytes(reinterpret_cast<const char*>(input.data()), qsizetype(input.size()));
                const qsizetype split = bytes.indexOf(kSplit);
                const QByteArray doc = split < 0 ? bytes.left(bytes.size() / 2) : bytes.left(split);
                const QByteArray cnt = split < 0 ? bytes.mid(bytes.size() / 2) : bytes.mid(split + kSplit.size());
                (void)platform::HelpContents::parse(cnt);
                const QString docPath = folder + QStringLiteral("/vuska.hlp");
                writeFile(docPath, doc);
                writeFile(folder + QStringLiteral("/vuska122.cnt"), cnt);
                const std::optional<platform::HelpDocument> help = platform::HelpDocument::load(docPath);
                if (!help)
                    return;
                int rendered = 0;
                for (const platform::HelpTopic& topic : help->topics()) {
                    if (help->topicById(topic.id) == nullptr)
                        fail("help", QStringLiteral("topic %1 cannot be found by its id").arg(topic.id));
                    (void)platform::HelpDocument::linkTargets(topic);
                    // A few renderings an input: the text layout is Qt's, and slow.
                    if (rendered++ < 3) {
                        QTextDocument page;
                        platform::HelpDocument::render(topic, page);
                    }
                }
                const std::optional<platform::HelpContents> loaded = platform::loadHelpContents(docPath, *help);
                const platform::HelpContents shown = loaded ? *loaded : platform::contentsFromTopics(*help);
                for (const platform::HelpContentsEntry& entry : shown.entries) {
                    if (!entry.topicId.isEmpty() && help->topicById(entry.topicId) == nullptr)
                        fail("help", QStringLiteral("the contents name a topic the document lacks: %1").arg(entry.topicId));
                }
            }};
}

} // namespace vuska::fuzz
