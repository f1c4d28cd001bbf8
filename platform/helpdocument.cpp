#include "platform/helpdocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace platform {

namespace {

// Far above any real help text, low enough that a wrong file named like ours is refused
// before it costs memory or time.
constexpr qint64 documentLimit = 4 * 1024 * 1024;
constexpr qint64 contentsLimit = 256 * 1024;
constexpr int contentsCandidateLimit = 64;

const QString hrefScheme = QStringLiteral("topic:");

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

struct Link {
    qsizetype begin = 0; // index of the opening "[["
    qsizetype end = 0;   // index just past the closing "]]"
    QString id;
    QString label;       // empty when the link shows its target's title
};

// The link that starts at position i of text, if one does.
std::optional<Link> linkAt(const QString& text, qsizetype i)
{
    if (!QStringView(text).mid(i).startsWith(u"[["))
        return std::nullopt;
    const qsizetype close = text.indexOf(QStringLiteral("]]"), i + 2);
    if (close <= i + 2)
        return std::nullopt;
    const QString inner = text.mid(i + 2, close - i - 2);
    const qsizetype bar = inner.indexOf(QLatin1Char('|'));
    Link link;
    link.begin = i;
    link.end = close + 2;
    link.id = (bar < 0 ? inner : inner.left(bar)).trimmed();
    link.label = bar < 0 ? QString() : inner.mid(bar + 1).trimmed();
    return link;
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
    const std::optional<QStringList> lines = textLines(bytes);
    if (!lines || lines->isEmpty() || lines->first().trimmed() != QLatin1String("VUSKA-HELP 1"))
        return std::nullopt;

    static const QRegularExpression topicLine(
        QStringLiteral("^@topic[ \\t]+([a-z0-9][a-z0-9-]{0,63})[ \\t]+([0-9]{1,9})[ \\t]+(\\S.*)$"));
    static const QRegularExpression keywordsLine(QStringLiteral("^@keywords[ \\t]+(\\S.*)$"));
    static const QRegularExpression titleLine(QStringLiteral("^@title[ \\t]+(\\S.*)$"));

    HelpDocument document;
    bool ended = false;
    for (qsizetype n = 1; n < lines->size(); ++n) {
        const QString& line = lines->at(n);
        if (line.startsWith(QLatin1Char(';')))
            continue;
        if (ended) {
            if (!line.trimmed().isEmpty())
                return std::nullopt;
            continue;
        }
        HelpTopic* topic = document.topics_.empty() ? nullptr : &document.topics_.back();
        if (line.startsWith(QLatin1Char('@'))) {
            if (line.trimmed() == QLatin1String("@end")) {
                ended = true;
            } else if (const auto m = topicLine.match(line); m.hasMatch()) {
                HelpTopic added;
                added.id = m.captured(1);
                added.context = m.captured(2).toInt();
                added.title = m.captured(3).trimmed();
                if (added.context <= 0 || document.byId_.contains(added.id) ||
                    document.byContext_.contains(added.context))
                    return std::nullopt;
                const int index = int(document.topics_.size());
                document.byId_.insert(added.id, index);
                document.byContext_.insert(added.context, index);
                document.topics_.push_back(std::move(added));
            } else if (const auto k = keywordsLine.match(line); k.hasMatch() && topic) {
                for (const QString& word : k.captured(1).split(QLatin1Char(';'))) {
                    const QString keyword = word.simplified();
                    if (!keyword.isEmpty())
                        topic->keywords.append(keyword);
                }
            } else if (const auto t = titleLine.match(line); t.hasMatch() && !topic &&
                                                             document.title_.isEmpty()) {
                document.title_ = t.captured(1).trimmed();
            } else {
                return std::nullopt;
            }
        } else if (topic) {
            topic->body.append(line);
        } else if (!line.trimmed().isEmpty()) {
            return std::nullopt;
        }
    }
    if (!ended || document.topics_.empty())
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

QStringList HelpDocument::linkTargets(const HelpTopic& topic) const
{
    QStringList targets;
    for (const TextBlock& block : blocks(topic)) {
        for (qsizetype i = 0; i < block.text.size();) {
            if (const std::optional<Link> link = linkAt(block.text, i)) {
                targets.append(link->id);
                i = link->end;
            } else {
                ++i;
            }
        }
    }
    return targets;
}

QString HelpDocument::linkHref(const QString& id)
{
    return hrefScheme + id;
}

QString HelpDocument::idFromHref(const QString& href)
{
    if (!href.startsWith(hrefScheme))
        return {};
    const QString id = href.mid(hrefScheme.size());
    return isTopicId(id) ? id : QString();
}

QString HelpDocument::inlineHtml(const QString& text) const
{
    QString out;
    QString plain; // gathered literally, escaped in one go before the next piece of markup
    const auto flush = [&] {
        out += plain.toHtmlEscaped();
        plain.clear();
    };
    bool bold = false;
    for (qsizetype i = 0; i < text.size();) {
        if (const std::optional<Link> link = linkAt(text, i)) {
            flush();
            const HelpTopic* target = topicById(link->id);
            QString label = link->label;
            if (label.isEmpty())
                label = target ? target->title : link->id;
            // A link to a topic that is not there is shown as its text, not as a dead end.
            if (target) {
                out += QStringLiteral("<a href=\"%1\">%2</a>")
                           .arg(linkHref(target->id), label.toHtmlEscaped());
            } else {
                out += label.toHtmlEscaped();
            }
            i = link->end;
            continue;
        }
        if (QStringView(text).mid(i).startsWith(u"**") &&
            (bold || text.indexOf(QStringLiteral("**"), i + 2) > i + 2)) {
            flush();
            out += bold ? QStringLiteral("</b>") : QStringLiteral("<b>");
            bold = !bold;
            i += 2;
            continue;
        }
        plain += text.at(i);
        ++i;
    }
    flush();
    if (bold)
        out += QStringLiteral("</b>");
    return out;
}

std::vector<HelpDocument::TextBlock> HelpDocument::blocks(const HelpTopic& topic)
{
    std::vector<TextBlock> result;
    bool open = false; // whether the last block may take more lines
    for (const QString& raw : topic.body) {
        const QString line = raw.simplified();
        if (line.isEmpty()) {
            open = false;
            continue;
        }
        if (raw.startsWith(QLatin1String("== "))) {
            result.push_back({TextBlock::Heading, line.mid(3)});
            open = false;
            continue;
        }
        const bool bullet = raw.startsWith(QLatin1String("* "));
        if (bullet || raw.startsWith(QLatin1String("# "))) {
            result.push_back({bullet ? TextBlock::Bullet : TextBlock::Numbered, raw.mid(2).simplified()});
            open = true;
            continue;
        }
        const bool indented = raw.startsWith(QLatin1Char(' ')) || raw.startsWith(QLatin1Char('\t'));
        const bool inItem = open && (result.back().kind == TextBlock::Bullet || result.back().kind == TextBlock::Numbered);
        if (open && (result.back().kind == TextBlock::Paragraph || (inItem && indented))) {
            result.back().text += QLatin1Char(' ') + line;
            continue;
        }
        result.push_back({TextBlock::Paragraph, line});
        open = true;
    }
    return result;
}

QString HelpDocument::html(const HelpTopic& topic) const
{
    QString out = QStringLiteral("<h2>%1</h2>\n").arg(topic.title.toHtmlEscaped());
    TextBlock::Kind list = TextBlock::Paragraph; // the kind of the list being written, if any
    const auto closeList = [&] {
        if (list == TextBlock::Bullet)
            out += QStringLiteral("</ul>\n");
        else if (list == TextBlock::Numbered)
            out += QStringLiteral("</ol>\n");
        list = TextBlock::Paragraph;
    };
    for (const TextBlock& block : blocks(topic)) {
        switch (block.kind) {
        case TextBlock::Heading:
            closeList();
            out += QStringLiteral("<h3>%1</h3>\n").arg(inlineHtml(block.text));
            break;
        case TextBlock::Paragraph:
            closeList();
            out += QStringLiteral("<p>%1</p>\n").arg(inlineHtml(block.text));
            break;
        case TextBlock::Bullet:
        case TextBlock::Numbered:
            if (list != block.kind) {
                closeList();
                out += block.kind == TextBlock::Bullet ? QStringLiteral("<ul>\n") : QStringLiteral("<ol>\n");
                list = block.kind;
            }
            out += QStringLiteral("<li>%1</li>\n").arg(inlineHtml(block.text));
            break;
        }
    }
    closeList();
    return out;
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
