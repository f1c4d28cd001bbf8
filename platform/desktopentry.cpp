#include "platform/desktopentry.h"

#include <QStringDecoder>

namespace platform::desktopentry {

bool isPlain(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QString escapeValue(const QString& text)
{
    // Blanks at the ends are written as \s; the ones between stay readable.
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    qsizetype last = text.size();
    while (last > first && text[last - 1] == u' ')
        --last;

    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ' && (i < first || i >= last))
            out += QLatin1String("\\s");
        else if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's': out += u' '; break;
        case 'n': out += u'\n'; break;
        case 't': out += u'\t'; break;
        case 'r': out += u'\r'; break;
        case '\\': out += u'\\'; break;
        default:
            out += c;
            out += next;
            break;
        }
    }
    return out;
}

QString quoteArgument(const QString& argument)
{
    QString out;
    out.reserve(argument.size() + 4);
    out += u'"';
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    out += u'"';
    return out;
}

std::optional<QString> execValue(const QStringList& argv)
{
    if (argv.isEmpty())
        return std::nullopt;
    QStringList quoted;
    quoted.reserve(argv.size());
    for (const QString& argument : argv) {
        if (!isPlain(argument))
            return std::nullopt;
        QString q = quoteArgument(argument);
        q.replace(u'%', QLatin1String("%%"));
        quoted.append(q);
    }
    return escapeValue(quoted.join(u' '));
}

QByteArray format(const QString& group, const QList<Key>& keys)
{
    QString text = u'[' + group + QLatin1String("]\n");
    for (const Key& key : keys)
        text += key.name + u'=' + key.value + u'\n';
    return text.toUtf8();
}

std::optional<QMap<QString, QString>> readGroup(const QByteArray& text, const QString& group)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(text);
    if (decoder.hasError())
        return std::nullopt;

    QMap<QString, QString> keys;
    bool inGroup = false;
    bool found = false;
    const QStringList lines = decoded.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (trimmed.startsWith(u'[')) {
            if (!trimmed.endsWith(u']'))
                return std::nullopt;
            inGroup = trimmed.mid(1, trimmed.size() - 2) == group;
            found = found || inGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            return std::nullopt;
        const QString name = line.left(equals).trimmed();
        if (name.isEmpty())
            return std::nullopt;
        // Readers strip the blanks after '='; trailing ones were written as \s when they count.
        QString value = line.mid(equals + 1);
        while (!value.isEmpty() && (value.front() == u' ' || value.front() == u'\t'))
            value.remove(0, 1);
        while (!value.isEmpty() && (value.back() == u' ' || value.back() == u'\t'))
            value.chop(1);
        if (inGroup && !keys.contains(name))
            keys.insert(name, value);
    }
    if (!found)
        return std::nullopt;
    return keys;
}

} // namespace platform::desktopentry
