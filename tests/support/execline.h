#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vuska::test {

// Reads an Exec value back into the program's argv as a desktop does, written from the
// desktop-entry rules on its own so that it can catch a writer that gets them wrong: first the
// escapes of a string value, then the quoting rules, then "%%" as a literal '%'. Nothing when
// the line breaks a rule: an unknown escape, an unterminated quote, a reserved character
// outside quotes, a backslash inside quotes before a character that needs none, a field code.
inline std::optional<QStringList> parseExecLine(const QString& value)
{
    QString line;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\') {
            line += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i].unicode()) {
        case 's': line += u' '; break;
        case 'n': line += u'\n'; break;
        case 't': line += u'\t'; break;
        case 'r': line += u'\r'; break;
        case '\\': line += u'\\'; break;
        default: return std::nullopt;
        }
    }

    static const QString reserved = QStringLiteral("\t\n\"'\\><~|&;$*?#()`");
    static const QString escapable = QStringLiteral("\"`$\\");
    QStringList argv;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'%') {
            if (i + 1 == line.size() || line[i + 1] != u'%')
                return std::nullopt;
            ++i;
            current += u'%';
            inArgument = true;
        } else if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\') {
                if (i + 1 == line.size() || !escapable.contains(line[i + 1]))
                    return std::nullopt;
                current += line[++i];
            } else if (c == u'`' || c == u'$') {
                return std::nullopt;
            } else {
                current += c;
            }
        } else if (c == u' ') {
            if (inArgument)
                argv.append(current);
            current.clear();
            inArgument = false;
        } else if (c == u'"') {
            quoted = true;
            inArgument = true;
        } else if (reserved.contains(c)) {
            return std::nullopt;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        argv.append(current);
    return argv;
}

} // namespace vuska::test
