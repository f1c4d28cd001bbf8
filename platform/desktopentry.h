#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The text format of freedesktop.org desktop entries (.desktop and .directory files): how a
// value is escaped, how an Exec command line is quoted, and reading back the keys of a group.
// Only what the program-group and shortcut code writes is covered: one group, no locales.
namespace platform::desktopentry {

// True when the text holds no control character (U+0000 to U+001F, U+007F). Such characters
// have no place in names and paths shown in a menu, and several of them cannot be written in
// a value at all, so callers refuse them rather than write something a desktop may misread.
bool isPlain(const QString& text);

// A value of type string or localestring: a backslash is doubled, newline, tab and carriage
// return become \n, \t and \r, and spaces at either end become \s (readers strip blanks
// around a value).
QString escapeValue(const QString& text);

// Undoes escapeValue(); an unknown escape keeps its backslash, as readers do.
QString unescapeValue(const QString& value);

// One argument of an Exec command line: always in double quotes, with '"', '`', '$' and '\'
// escaped by a backslash inside them, so that no character needs a rule of its own.
QString quoteArgument(const QString& argument);

// The value of an Exec key that runs argv (the program first): each argument quoted, joined by
// single spaces, each '%' doubled (a single one would start a field code), then escaped as a
// string value. Nothing for an empty argv or an argument that is not plain text.
std::optional<QString> execValue(const QStringList& argv);

// One "Key=value" line of a group; `value` as it appears in the file (already escaped).
struct Key {
    QString name;
    QString value;
};

// A file with one group: "[group]" and its keys in the given order, UTF-8, LF line ends.
QByteArray format(const QString& group, const QList<Key>& keys);

// The keys of a group of a desktop-entry file with their values as written (escaped). Nothing
// when the text is not UTF-8, a line is neither a comment, a group header nor Key=value, or
// the group is missing. A key given twice keeps its first value.
std::optional<QMap<QString, QString>> readGroup(const QByteArray& text, const QString& group);

} // namespace platform::desktopentry
