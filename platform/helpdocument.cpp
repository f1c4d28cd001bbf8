#include "platform/helpdocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace platform {

namespace {

// Far above any real help text, low enough that a wrong file named like ours is refused
// before it costs memory or time.
constexpr qint64 documentLimit = 4 * 1024 * 1024;
constexpr qint64 contentsLimit = 256 * 1024;
constexpr int contentsCandidateLimit = 64;

// UTF-8 text split into lines, or nothing for bytes that are not our kind of text.
std::optional<QStringList> textLines(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool lineEnd = c == u'\n' || (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n');
        if ((c < 0x20 && c != u'\t' && !lineEnd) || c == 0x7f)
            return std::nullopt;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

bool isTopicId(const QString& id)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9][a-z0-9-]{0,63}$"));
    return pattern.match(id).hasMatch();
}

} // namespace

std::optional<QByteArray> readSmallFile(const QString& path, qint64 limit)
{
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    // Opening a named pipe for reading would wait for a writer, so only regular files pass.
    if (!info.isFile() || info.size() > limit)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

std::optional<HelpDocument> HelpDocument::parse(const QByteArray& bytes)
{
    static const QRegularExpression header(QStringLiteral("^<!-- vuska-help 1(?:: *(.*?))? *-->$"));
    static const QRegularExpression topicLine(
        QStringLiteral("^<!-- topic ([a-z0-9][a-z0-9-]{0,63}) ([0-9]{1,9})(?:: *(.*?))? *-->$"));
    static const QRegularExpression heading(QStringLiteral("^# +(\\S.*?) *$"));

    const std::optional<QStringList> lines = textLines(bytes);
    const QRegularExpressionMatch head = header.match(lines ? lines->first().trimmed() : QString());
    if (!head.hasMatch())
        return std::nullopt;

    HelpDocument document;
    document.title_ = head.captured(1);
    enum class Expect { Topic, Heading, Text, Nothing };
    Expect expect = Expect::Topic;
    for (qsizetype n = 1; n < lines->size(); ++n) {
        const QString& line = lines->at(n);
        const QString trimmed = line.trimmed();
        // Whole-line comments are the format's own marks; they never reach the text.
        if (trimmed.startsWith(QLatin1String("<!--"))) {
            if (expect == Expect::Heading || expect == Expect::Nothing)
                return std::nullopt;
            if (trimmed == QLatin1String("<!-- end -->")) {
                expect = Expect::Nothing;
                continue;
            }
            const QRegularExpressionMatch m = topicLine.match(trimmed);
            if (!m.hasMatch())
                return std::nullopt;
            HelpTopic added;
            added.id = m.captured(1);
            added.context = m.captured(2).toInt();
            for (const QString& word : m.captured(3).split(QLatin1Char(';'))) {
                if (const QString keyword = word.simplified(); !keyword.isEmpty())
                    added.keywords.append(keyword);
            }
            if (added.context <= 0 || document.byId_.contains(added.id) ||
                document.byContext_.contains(added.context))
                return std::nullopt;
            const int index = int(document.topics_.size());
            document.byId_.insert(added.id, index);
            document.byContext_.insert(added.context, index);
            document.topics_.push_back(std::move(added));
            expect = Expect::Heading;
            continue;
        }
        if (trimmed.isEmpty()) {
            if (expect == Expect::Text)
                document.topics_.back().markdown += QLatin1Char('\n');
            continue;
        }
        if (expect == Expect::Topic || expect == Expect::Nothing)
            return std::nullopt; // text outside every topic
        HelpTopic& topic = document.topics_.back();
        if (expect == Expect::Heading) {
            const QRegularExpressionMatch m = heading.match(line);
            if (!m.hasMatch())
                return std::nullopt;
            topic.title = m.captured(1);
            expect = Expect::Text;
        }
        // A picture would have the viewer read whatever file the document names.
        if (line.contains(QLatin1String("![")))
            return std::nullopt;
        topic.markdown += line + QLatin1Char('\n');
    }
    if (expect != Expect::Nothing || document.topics_.empty())
        return std::nullopt;
    document.fingerprint_ = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return document;
}

std::optional<HelpDocument> HelpDocument::load(const QString& path)
{
    const std::optional<QByteArray> bytes = readSmallFile(path, documentLimit);
    if (!bytes)
        return std::nullopt;
    return parse(*bytes);
}

const HelpTopic* HelpDocument::topicById(const QString& id) const
{
    const auto it = byId_.constFind(id);
    return it == byId_.cend() ? nullptr : &topics_[size_t(*it)];
}

const HelpTopic* HelpDocument::topicByContext(int context) const
{
    const auto it = byContext_.constFind(context);
    return it == byContext_.cend() ? nullptr : &topics_[size_t(*it)];
}

void HelpDocument::render(const HelpTopic& topic, QTextDocument& into)
{
    // Plain CommonMark: the GitHub dialect would turn addresses in the text into links that
    // lead out of the help.
    into.setMarkdown(topic.markdown, QTextDocument::MarkdownNoHTML);
    // The reader knows paragraphs apart by the space between them, which the Markdown
    // reader leaves out; list items and headings keep their own spacing.
    QTextCursor cursor(&into);
    for (QTextBlock block = into.begin(); block.isValid(); block = block.next()) {
        if (block.textList() || block.blockFormat().headingLevel() > 0)
            continue;
        QTextBlockFormat format = block.blockFormat();
        if (format.bottomMargin() < 6) {
            format.setBottomMargin(6);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
}

QStringList HelpDocument::linkTargets(const HelpTopic& topic)
{
    QTextDocument text;
    render(topic, text);
    QStringList targets;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor())
                targets.append(format.anchorHref());
        }
    }
    return targets;
}

QString HelpDocument::topicIdOf(const QUrl& link)
{
    const QString href = link.toString();
    const QString id = href.mid(1);
    return href.startsWith(QLatin1Char('#')) && isTopicId(id) ? id : QString();
}

std::optional<HelpContents> HelpContents::parse(const QByteArray& bytes)
{
    const std::optional<QStringList> lines = textLines(bytes);
    if (!lines)
        return std::nullopt;
    static const QRegularExpression entryLine(QStringLiteral("^([1-9])[ \\t]+(\\S.*)$"));
    static const QRegularExpression blank(QStringLiteral("[ \\t]"));

    HelpContents contents;
    int previousLevel = 0;
    bool anyTopic = false;
    for (const QString& raw : *lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char(':'))) {
            const qsizetype gap = line.indexOf(blank);
            const QString key = (gap < 0 ? line : line.left(gap)).toLower();
            QString value = gap < 0 ? QString() : line.mid(gap + 1).trimmed();
            if (key == QLatin1String(":base")) {
                // WinHelp lets the base name a window after '>'; ours has one window.
                value = value.section(QLatin1Char('>'), 0, 0).trimmed();
                if (value.isEmpty() || !contents.base.isEmpty())
                    return std::nullopt;
                contents.base = value;
            } else if (key == QLatin1String(":title")) {
                if (value.isEmpty() || !contents.title.isEmpty())
                    return std::nullopt;
                contents.title = value;
            } else if (key != QLatin1String(":index") && key != QLatin1String(":link")) {
                // (:Index and :Link name further help files to search; ours has none.)
                return std::nullopt;
            }
            continue;
        }
        const QRegularExpressionMatch m = entryLine.match(line);
        if (!m.hasMatch())
            return std::nullopt;
        HelpContentsEntry entry;
        entry.level = m.captured(1).toInt();
        if (entry.level > previousLevel + 1)
            return std::nullopt;
        entry.text = m.captured(2);
        const qsizetype equals = entry.text.lastIndexOf(QLatin1Char('='));
        if (equals >= 0) {
            entry.topicId = entry.text.mid(equals + 1).trimmed();
            entry.text = entry.text.left(equals).trimmed();
            if (!isTopicId(entry.topicId) || entry.text.isEmpty())
                return std::nullopt;
            anyTopic = true;
        }
        previousLevel = entry.level;
        contents.entries.push_back(std::move(entry));
    }
    if (!anyTopic || contents.base.isEmpty())
        return std::nullopt;
    return contents;
}

std::optional<HelpContents> loadHelpContents(const QString& helpPath, const HelpDocument& document)
{
    const QFileInfo help(helpPath);
    const QDir folder = help.absoluteDir();
    QStringList candidates{help.completeBaseName() + QStringLiteral(".cnt")};
    const QStringList found = folder.entryList({QStringLiteral("*.cnt")}, QDir::Files,
                                               QDir::Name | QDir::IgnoreCase);
    for (const QString& name : found) {
        if (candidates.size() >= contentsCandidateLimit)
            break;
        if (!candidates.contains(name, Qt::CaseInsensitive))
            candidates.append(name);
    }
    for (const QString& name : std::as_const(candidates)) {
        const std::optional<QByteArray> bytes = readSmallFile(folder.filePath(name), contentsLimit);
        if (!bytes)
            continue;
        std::optional<HelpContents> contents = HelpContents::parse(*bytes);
        if (!contents || contents->base.compare(help.fileName(), Qt::CaseInsensitive) != 0)
            continue;
        for (const HelpContentsEntry& entry : contents->entries) {
            if (!entry.topicId.isEmpty() && !document.topicById(entry.topicId))
                return std::nullopt;
        }
        return contents;
    }
    return std::nullopt;
}

HelpContents contentsFromTopics(const HelpDocument& document)
{
    HelpContents contents;
    contents.title = document.title();
    for (const HelpTopic& topic : document.topics())
        contents.entries.push_back({1, topic.title, topic.id});
    return contents;
}

} // namespace platform
