#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class QTextDocument;
class QUrl;

// The help document and its contents file, read into memory. The formats are described in
// platform/help.h; this is the part without widgets, so that it can be checked on its own.

namespace platform {

struct HelpTopic {
    QString id;
    int context = 0;
    QString title;
    QStringList keywords;
    QString markdown; // the topic's text from its "# " heading on
};

class HelpDocument {
public:
    // Both give nothing for a document that is not whole and well formed.
    static std::optional<HelpDocument> parse(const QByteArray& bytes);
    static std::optional<HelpDocument> load(const QString& path);

    QString title() const { return title_; }
    // Tells two readings of the file apart: equal only for the same bytes.
    QByteArray fingerprint() const { return fingerprint_; }
    const std::vector<HelpTopic>& topics() const { return topics_; }
    const HelpTopic* topicById(const QString& id) const;
    const HelpTopic* topicByContext(int context) const;

    // Sets the topic into a text document as Markdown, with nothing in it taken as HTML.
    static void render(const HelpTopic& topic, QTextDocument& into);
    // The targets of the topic's links as written ("#saannot"), known or not.
    static QStringList linkTargets(const HelpTopic& topic);
    // The topic id a link names, or nothing for a link that leads out of the document.
    static QString topicIdOf(const QUrl& link);

private:
    QString title_;
    QByteArray fingerprint_;
    std::vector<HelpTopic> topics_;
    QHash<QString, int> byId_;
    QHash<int, int> byContext_;
};

struct HelpContentsEntry {
    int level = 1;   // 1 is the outermost level
    QString text;
    QString topicId; // empty for a heading, which only groups the entries below it

    bool operator==(const HelpContentsEntry&) const = default;
};

struct HelpContents {
    QString base;  // the name of the help document the contents belong to
    QString title;
    std::vector<HelpContentsEntry> entries;

    static std::optional<HelpContents> parse(const QByteArray& bytes);
    bool operator==(const HelpContents&) const = default;
};

// The contents file of the document at helpPath: a file with the extension .cnt in the same
// folder whose :Base names the document, the document's own base name tried first. Nothing
// when there is none, or when the one found is damaged or names topics the document lacks.
std::optional<HelpContents> loadHelpContents(const QString& helpPath, const HelpDocument& document);

// The contents made from the document alone: its topics in their order, on one level.
HelpContents contentsFromTopics(const HelpDocument& document);

// The bytes of a regular file of at most limit bytes; nothing for anything else (a folder,
// a pipe that would block, a device, a file too large to be ours, a read error).
std::optional<QByteArray> readSmallFile(const QString& path, qint64 limit);

} // namespace platform
