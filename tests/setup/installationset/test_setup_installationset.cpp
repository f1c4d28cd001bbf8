#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "setup/wizard/filetable.h"
#include "tests/support/sandbox.h"

namespace {

struct Entry {
    QString name;
    qint64 size = 0;
    bool operator==(const Entry&) const = default;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where `marker` stands in `bytes`, when it stands there exactly once.
qsizetype onlyPlace(const QByteArray& bytes, const QByteArray& marker, QString& why)
{
    const qsizetype at = bytes.indexOf(marker);
    if (at < 0)
        why = QStringLiteral("no ") + QString::fromLatin1(marker.trimmed());
    else if (bytes.indexOf(marker, at + 1) >= 0)
        why = QString::fromLatin1(marker.trimmed()) + QStringLiteral(" more than once");
    return why.isEmpty() ? at : -1;
}

// One entry of the ZIP's central directory.
struct ZipEntry {
    QString name;
    qint64 size = 0;
    quint32 unixMode = 0;
    bool madeOnUnix = false;
};

template <typename T>
T at(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

std::optional<QList<ZipEntry>> centralDirectory(const QByteArray& zip, QString& why)
{
    // The end record: 22 bytes and a comment of up to 64 KiB.
    qsizetype end = -1;
    for (qsizetype i = zip.size() - 22; i >= 0 && i >= zip.size() - 22 - 65535; --i) {
        if (at<quint32>(zip, i) == 0x06054b50) {
            end = i;
            break;
        }
    }
    if (end < 0) {
        why = QStringLiteral("no end of central directory");
        return std::nullopt;
    }
    const int count = at<quint16>(zip, end + 10);
    qsizetype offset = at<quint32>(zip, end + 16);
    QList<ZipEntry> entries;
    for (int i = 0; i < count; ++i) {
        if (offset + 46 > zip.size() || at<quint32>(zip, offset) != 0x02014b50) {
            why = QStringLiteral("central directory entry %1 is damaged").arg(i + 1);
            return std::nullopt;
        }
        const quint16 madeBy = at<quint16>(zip, offset + 4);
        const quint16 nameLength = at<quint16>(zip, offset + 28);
        const quint16 extraLength = at<quint16>(zip, offset + 30);
        const quint16 commentLength = at<quint16>(zip, offset + 32);
        ZipEntry e;
        e.size = at<quint32>(zip, offset + 24);
        e.madeOnUnix = (madeBy >> 8) == 3;
        e.unixMode = at<quint32>(zip, offset + 38) >> 16;
        e.name = QString::fromUtf8(zip.mid(offset + 46, nameLength));
        entries.append(e);
        offset += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
}

} // namespace

class TestSetupInstallationSet : public QObject {
    Q_OBJECT

    QString setDir_;
    QList<Entry> table_;

    QString inSet(const QString& name) const { return setDir_ + QLatin1Char('/') + name; }

private slots:
    // The table is read from setup.exe's own bytes: the marked block the build wrote, and
    // the size field it filled in after linking, which must be the program's true size.
    void initTestCase()
    {
        setDir_ = qEnvironmentVariable("VUSKA_SET_DIR");
        QVERIFY2(!setDir_.isEmpty(), "VUSKA_SET_DIR is not set");
        const QByteArray setup = readAll(inSet(QStringLiteral("setup.exe")));
        QVERIFY2(!setup.isEmpty(), "setup.exe is missing or empty");

        QString why;
        const qsizetype field = onlyPlace(setup, "VUSKA-SETUP-SIZE:", why);
        QVERIFY2(field >= 0, qPrintable(why));
        const QByteArray digits = setup.mid(field + 17, 10);
        bool ok = false;
        const qint64 ownSize = digits.toLongLong(&ok);
        QVERIFY2(ok && digits.size() == 10, digits.constData());
        QCOMPARE(ownSize, qint64(setup.size()));

        const qsizetype block = onlyPlace(setup, "VUSKA-FILE-TABLE\n", why);
        QVERIFY2(block >= 0, qPrintable(why));
        const qsizetype end = setup.indexOf("\nEND\n", block);
        QVERIFY2(end > block, "the table block has no end");
        const QList<QByteArray> lines = setup.mid(block, end - block).split('\n').mid(1);
        for (const QByteArray& line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            QVERIFY2(parts.size() == 2, line.constData());
            Entry e{QString::fromUtf8(parts[0]), 0};
            if (e.name == QLatin1String("setup.exe")) {
                QCOMPARE(parts[1], QByteArray("-"));
                e.size = ownSize;
            } else {
                e.size = parts[1].toLongLong(&ok);
                QVERIFY2(ok, line.constData());
            }
            table_.append(e);
        }
        QCOMPARE(table_.size(), 59);
    }

    // The table holds the set's names in its order, each once.
    void tableNamesTheSet()
    {
        const auto linked = vuska::setup::installationFiles();
        QCOMPARE(qsizetype(linked.size()), table_.size());
        QStringList names;
        for (qsizetype i = 0; i < table_.size(); ++i) {
            QCOMPARE(table_[i].name, QString::fromUtf8(linked[size_t(i)].name));
            // The same build's table as any program of it reads it; only setup knows its own size.
            if (table_[i].name != QLatin1String("setup.exe"))
                QCOMPARE(linked[size_t(i)].size, table_[i].size);
            names.append(table_[i].name);
        }
        QStringList sorted = names;
        sorted.sort();
        sorted.removeDuplicates();
        QCOMPARE(sorted.size(), names.size());
        QCOMPARE(names.first(), QStringLiteral("file_id.diz"));
        QCOMPARE(names.indexOf(QStringLiteral("readme.txt")), 27);
        QCOMPARE(names.indexOf(QStringLiteral("setup.exe")), 54);
        QCOMPARE(names.indexOf(QStringLiteral("vuska.exe")), 56);
    }

    // The folder holds exactly the table's files, each a regular file of the table's size.
    void folderIsTheTable()
    {
        QStringList present = QDir(setDir_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QStringList names;
        for (const Entry& e : std::as_const(table_)) {
            names.append(e.name);
            const QFileInfo info(inSet(e.name));
            QVERIFY2(info.isFile() && !info.isSymLink(), qPrintable(e.name));
            QVERIFY2(info.size() == e.size, qPrintable(QStringLiteral("%1: %2 bytes in the folder, %3 in the table")
                                                           .arg(e.name).arg(info.size()).arg(e.size)));
        }
        QStringList extra = present;
        for (const QString& n : std::as_const(names))
            extra.removeAll(n);
        QVERIFY2(extra.isEmpty(), qPrintable(QStringLiteral("not in the table: ") + extra.join(QStringLiteral(", "))));
        QCOMPARE(present.size(), names.size());
        QVERIFY(QFileInfo(inSet(QStringLiteral("vuska.exe"))).isExecutable());
        QVERIFY(QFileInfo(inSet(QStringLiteral("setup.exe"))).isExecutable());
    }

    // The ZIP beside the folder holds the table's files as entries of their own, in the
    // table's order, no folders, the programs with their run bits.
    void zipIsTheTable()
    {
        const QByteArray zip = readAll(setDir_ + QStringLiteral(".zip"));
        QVERIFY2(!zip.isEmpty(), "the ZIP beside the folder is missing");
        QString why;
        const std::optional<QList<ZipEntry>> entries = centralDirectory(zip, why);
        QVERIFY2(entries, qPrintable(why));
        QCOMPARE(entries->size(), table_.size());
        for (qsizetype i = 0; i < table_.size(); ++i) {
            const ZipEntry& e = entries->at(i);
            QCOMPARE(e.name, table_[i].name);
            QVERIFY2(e.size == table_[i].size, qPrintable(QStringLiteral("%1: %2 bytes in the ZIP, %3 in the table")
                                                              .arg(e.name).arg(e.size).arg(table_[i].size)));
            QVERIFY2(e.madeOnUnix, qPrintable(e.name));
            const bool program = e.name.endsWith(QLatin1String(".exe"));
            QVERIFY2(((e.unixMode & 0111) == 0111) == program, qPrintable(QString::number(e.unixMode, 8)));
            QVERIFY2((e.unixMode & 0170000) == 0100000, qPrintable(e.name)); // a regular file
        }
    }

    // Unpacked, the ZIP gives the folder's files byte for byte, and the programs run.
    void zipUnpacksToTheFolder()
    {
        const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
        QVERIFY2(!unzip.isEmpty(), "unzip is missing (scripts/deps.sh installs it)");
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess p;
        p.start(unzip, {QStringLiteral("-q"), setDir_ + QStringLiteral(".zip"), QStringLiteral("-d"), out.path()});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAllStandardError().constData());
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), table_.size());
        for (const Entry& e : std::as_const(table_)) {
            const QString unpacked = out.path() + QLatin1Char('/') + e.name;
            QVERIFY2(readAll(unpacked) == readAll(inSet(e.name)), qPrintable(e.name));
            // The run bit itself: a noexec temporary folder would deny running it all the same.
            QCOMPARE(bool(QFile::permissions(unpacked) & QFile::ExeOwner), e.name.endsWith(QLatin1String(".exe")));
        }
    }
};

VUSKA_TEST_MAIN(TestSetupInstallationSet)

#include "test_setup_installationset.moc"
