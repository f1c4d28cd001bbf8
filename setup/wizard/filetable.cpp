#include "setup/wizard/filetable.h"

#include <vector>

#include <QByteArray>
#include <QList>

namespace vuska::setup {

namespace detail {
// The table as the build wrote it from the files it ships: a marker line, "name size" for
// each file in order, and an end line.
extern const char fileTableText[];
} // namespace detail

// setup.exe's own size, which the build writes over the ten digits after linking. Volatile,
// so that the compiler reads the bytes that are in the file rather than the zeros it saw.
extern "C" {
extern volatile const char vuska_setup_size_field[];
volatile const char vuska_setup_size_field[] = "VUSKA-SETUP-SIZE:0000000000";
}

namespace {

constexpr qsizetype kFieldPrefix = 17; // "VUSKA-SETUP-SIZE:"
constexpr qsizetype kFieldDigits = 10;
const QByteArray kSelf = QByteArrayLiteral("setup.exe");

qint64 ownSize()
{
    qint64 size = 0;
    for (qsizetype i = 0; i < kFieldDigits; ++i) {
        const char digit = vuska_setup_size_field[kFieldPrefix + i];
        if (digit < '0' || digit > '9')
            return 0;
        size = size * 10 + (digit - '0');
    }
    return size;
}

struct Table {
    QList<QByteArray> names; // keeps the text the entries point at
    std::vector<InstallFile> files;
};

Table readTable()
{
    Table table;
    const QList<QByteArray> lines = QByteArray(detail::fileTableText).split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        if (line == "END")
            break;
        const qsizetype space = line.lastIndexOf(' ');
        table.names.append(line.left(space));
        table.files.push_back({nullptr, line.mid(space + 1).toLongLong()});
    }
    for (size_t i = 0; i < table.files.size(); ++i) {
        table.files[i].name = table.names[qsizetype(i)].constData();
        if (table.names[qsizetype(i)] == kSelf)
            table.files[i].size = ownSize();
    }
    return table;
}

} // namespace

std::span<const InstallFile> installationFiles()
{
    static const Table table = readTable();
    return table.files;
}

} // namespace vuska::setup
