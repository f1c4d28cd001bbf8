#include "platform/help.h"

#include <QCoreApplication>
#include <optional>

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QPointer>

#include "platform/helpdocument.h"
#include "platform/helpviewer.h"

namespace platform {

namespace {

// One window per help file, found again by the file's real path.
QHash<QString, QPointer<HelpViewer>>& viewers()
{
    static QHash<QString, QPointer<HelpViewer>> open;
    return open;
}

QString viewerKey(const QString& helpFile)
{
    const QFileInfo info(helpFile);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The windows have no parent to take them along, so they go with the event loop: deleting
// them later, while the application object is torn down, is not safe.
void closeViewersAtQuit()
{
    static QPointer<QCoreApplication> watched;
    if (watched == QCoreApplication::instance())
        return;
    watched = QCoreApplication::instance();
    QObject::connect(watched, &QCoreApplication::aboutToQuit, watched, [] {
        const auto open = viewers();
        viewers().clear();
        for (const QPointer<HelpViewer>& viewer : open)
            delete viewer.data();
    });
}

struct Help {
    HelpDocument document;
    HelpContents contents;
};

std::optional<Help> readHelp(const QString& helpFile)
{
    std::optional<HelpDocument> document = HelpDocument::load(helpFile);
    if (!document)
        return std::nullopt;
    std::optional<HelpContents> contents = loadHelpContents(helpFile, *document);
    HelpContents shown = contents ? std::move(*contents) : contentsFromTopics(*document);
    return Help{std::move(*document), std::move(shown)};
}

HelpViewer* viewerFor(const QString& helpFile, Help help)
{
    // Without a widget application there is nowhere to show help.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    viewers().removeIf([](const auto& entry) { return entry.value().isNull(); });
    QPointer<HelpViewer>& viewer = viewers()[viewerKey(helpFile)];
    if (viewer) {
        viewer->setDocument(std::move(help.document), std::move(help.contents));
    } else {
        viewer = new HelpViewer(std::move(help.document), std::move(help.contents));
        closeViewersAtQuit();
    }
    return viewer;
}

// Where the window opens: at a topic, at the index or at the contents.
enum class Place { Topic, Index, Contents };

bool openAt(const QString& helpFile, QWidget* parent, Place place, int context = 0)
{
    std::optional<Help> help = readHelp(helpFile);
    if (!help)
        return false;
    QString id;
    if (place == Place::Topic) {
        const HelpTopic* topic = help->document.topicByContext(context);
        if (!topic)
            return false;
        id = topic->id;
    }
    HelpViewer* viewer = viewerFor(helpFile, std::move(*help));
    if (!viewer)
        return false;
    switch (place) {
    case Place::Topic:
        viewer->showTopic(id);
        break;
    case Place::Index:
        viewer->showIndex();
        break;
    case Place::Contents:
        viewer->showContents();
        break;
    }
    viewer->present(parent);
    return true;
}

} // namespace

bool openHelpTopic(const QString& helpFile, int context, QWidget* parent)
{
    return openAt(helpFile, parent, Place::Topic, context);
}

bool openHelpIndex(const QString& helpFile, QWidget* parent)
{
    return openAt(helpFile, parent, Place::Index);
}

bool openHelpContents(const QString& helpFile, QWidget* parent)
{
    return openAt(helpFile, parent, Place::Contents);
}

QString helpFileFailureText(const QString& helpFile)
{
    //: %1 is the help file's name.
    return QCoreApplication::translate("platform::help", "Ohjetiedoston %1 avaus ei onnistu.").arg(QFileInfo(helpFile).fileName());
}

} // namespace platform
