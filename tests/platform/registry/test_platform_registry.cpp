#include "platform/registry.h"
#include "tests/support/sandbox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

using namespace platform::registry;

namespace platform::registry {
char* toString(Status status)
{
    static const char* const names[] = {"Ok", "NotFound", "MoreData", "AccessDenied", "Failed"};
    return qstrdup(names[int(status)]);
}
} // namespace platform::registry

namespace {

const QString kKey = QStringLiteral("Software\\Vuska 1.22 Freeware");

// Distinct, recognisable bytes for value number `i`, so that a torn write cannot pass.
QByteArray payload(int i)
{
    QByteArray bytes(200 + i % 50, '\0');
    for (qsizetype j = 0; j < bytes.size(); ++j)
        bytes[j] = char((i * 31 + j * 7) & 0xff);
    return bytes;
}

bool writeValue(const QString& keyPath, const QString& name, ValueType type, const QByteArray& data)
{
    std::optional<Key> key = createKey(Hive::CurrentUser, keyPath);
    return key && setValue(*key, name, type, data) == Status::Ok && flushKey(*key) == Status::Ok;
}

// Ok and the bytes, or the failing status with nothing.
std::pair<Status, QByteArray> readValue(Hive hive, const QString& keyPath, const QString& name,
                                        ValueType* typeOut = nullptr)
{
    Status status = Status::Failed;
    std::optional<Key> key = openKey(hive, keyPath, &status);
    if (!key)
        return {status, {}};
    ValueType type = ValueType::None;
    QByteArray data;
    status = queryValue(*key, name, type, data, 1 << 20);
    if (typeOut)
        *typeOut = type;
    return {status, data};
}

// Looks at a store file from outside the registry layer, with a connection of its own.
QStringList rawQuery(const QString& file, const char* sql)
{
    QStringList rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                rows.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
        } else {
            rows.append(QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db)));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

// Overwrites a field of the store's header with a value no SQLite writes.
void damageHeader(QByteArray& file, const QString& field)
{
    if (field == QLatin1String("schema format"))
        file.replace(44, 4, QByteArray::fromHex("00000009"));
    else if (field == QLatin1String("text encoding"))
        file.replace(56, 4, QByteArray::fromHex("75730000"));
    else if (field == QLatin1String("schema text, odd encoding")) {
        // The first table's text no longer parses, and an encoding number whose low bits read
        // as UTF-8 once but never again in the same connection.
        const qsizetype at = file.indexOf("ROWID");
        if (at >= 0)
            file[at + 4] = '\x01';
        file.replace(56, 4, QByteArray::fromHex("00000200"));
    }
    else if (field == QLatin1String("UTF-16le"))
        file.replace(56, 4, QByteArray::fromHex("00000002"));
    else if (field == QLatin1String("UTF-16be"))
        file.replace(56, 4, QByteArray::fromHex("00000003"));
    else
        file[18] = char(7); // write version
}

QProcess* startChild(QObject* parent, const QStringList& arguments)
{
    auto* child = new QProcess(parent);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(), arguments);
    return child;
}

// Reads the child's output lines until `done` is satisfied or the child ends.
QStringList readLinesUntil(QProcess& child, const std::function<bool(const QStringList&)>& done)
{
    QStringList lines;
    while (!done(lines)) {
        while (child.canReadLine())
            lines.append(QString::fromUtf8(child.readLine()).trimmed());
        if (done(lines) || (!child.waitForReadyRead(30000) && !child.canReadLine()))
            break;
    }
    return lines;
}

// ---- The programs the multi-process tests run (this executable, started again). ----

void say(const char* line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Waits for the go-ahead on stdin, then writes `count` values named <prefix><i>.
int childWriter(const QString& keyPath, const QString& prefix, int count)
{
    say("ready");
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 3;
    for (int i = 0; i < count; ++i)
        if (!writeValue(keyPath, prefix + QString::number(i), ValueType::Binary, payload(i)))
            return 1;
    return 0;
}

// Writes numbered values for ever, saying each number once its value has been flushed.
int childEndless(const QString& keyPath)
{
    for (int i = 0;; ++i) {
        if (!writeValue(keyPath, QStringLiteral("v%1").arg(i), ValueType::Binary, payload(i)))
            return 1;
        say(QByteArray::number(i).constData());
    }
}

// Writes ten values, then ten more inside a batch, and waits to be killed.
int childBatch(const QString& keyPath)
{
    for (int i = 0; i < 10; ++i)
        if (!writeValue(keyPath, QStringLiteral("before%1").arg(i), ValueType::Binary, payload(i)))
            return 1;
    say("before");
    Batch batch(Hive::CurrentUser);
    for (int i = 0; i < 10; ++i)
        if (!writeValue(keyPath + QStringLiteral("\\Inside"), QStringLiteral("inside%1").arg(i),
                        ValueType::Binary, payload(i)))
            return 1;
    say("inside");
    std::getchar();
    return 2;
}

// Reads and tries to write as an unprivileged user (root gives that up first, since
// permissions do not stop root).
int childReadOnly(const QString& keyPath)
{
    if (::geteuid() == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            say("nosetuid");
            return 0;
        }
        ::prctl(PR_SET_DUMPABLE, 1); // so that LeakSanitizer can still inspect the process
    }
    const auto [readStatus, data] = readValue(Hive::CurrentUser, keyPath, QStringLiteral("Kept"));
    Status created = Status::Ok;
    const bool madeKey = createKey(Hive::CurrentUser, keyPath + QStringLiteral("\\New"), &created).has_value();
    std::optional<Key> key = openKey(Hive::CurrentUser, keyPath);
    const Status set = key ? setValue(*key, QStringLiteral("Kept"), ValueType::String, "changed")
                           : Status::Ok;
    say(QStringLiteral("read %1 %2").arg(int(readStatus)).arg(QString::fromLatin1(data.toHex())).toUtf8().constData());
    say(QStringLiteral("create %1 %2").arg(int(madeKey)).arg(int(created)).toUtf8().constData());
    say(QStringLiteral("set %1").arg(key ? int(set) : -1).toUtf8().constData());
    return 0;
}

// A folder an unprivileged user can enter, for the store the read-only child opens: the
// temporary folder, unless the caller's is private (pam_tmpdir gives root /tmp/user/0, mode 700).
QString folderOthersCanEnter()
{
    for (QFileInfo dir(QDir::tempPath());; dir = QFileInfo(dir.absolutePath())) {
        if (!dir.permission(QFileDevice::ExeOther))
            return QStringLiteral("/tmp");
        if (dir.isRoot())
            return QDir::tempPath();
    }
}

int runChild(const QStringList& args)
{
    if (args.value(1) == QLatin1String("--child-writer") && args.size() == 5)
        return childWriter(args[2], args[3], args[4].toInt());
    if (args.value(1) == QLatin1String("--child-endless") && args.size() == 3)
        return childEndless(args[2]);
    if (args.value(1) == QLatin1String("--child-batch") && args.size() == 3)
        return childBatch(args[2]);
    if (args.value(1) == QLatin1String("--child-readonly") && args.size() == 3)
        return childReadOnly(args[2]);
    return 64;
}

} // namespace

class TestPlatformRegistry : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString config_;

    QString storeFile() const { return config_ + QStringLiteral("/vuska-registry/HKEY_CURRENT_USER.db"); }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        config_ = dir_->path() + QStringLiteral("/config");
        qputenv("XDG_CONFIG_HOME", config_.toLocal8Bit());
    }

    void cleanup() { dir_.reset(); }

    void roundTripKeepsTypeAndBytes_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QByteArray everyByte;
        for (int i = 0; i < 256; ++i)
            everyByte.append(char(i));
        QTest::newRow("string") << quint32(ValueType::String) << QByteArray("Vuska\0", 6);
        QTest::newRow("expand string") << quint32(ValueType::ExpandString) << QByteArray("%HOME%\0", 7);
        QTest::newRow("binary, every byte") << quint32(ValueType::Binary) << everyByte;
        QTest::newRow("dword") << quint32(ValueType::DWord) << QByteArray("\xff\x00\x01\x80", 4);
        QTest::newRow("none, empty") << quint32(ValueType::None) << QByteArray();
        QTest::newRow("unknown type") << quint32(7) << QByteArray("a\0b\0\0", 5);
        QTest::newRow("large") << quint32(ValueType::Binary) << everyByte.repeated(400);
    }

    void roundTripKeepsTypeAndBytes()
    {
        // Every value comes back with exactly the type and bytes it was stored with.
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QVERIFY(writeValue(kKey, QStringLiteral("Value"), ValueType(type), data));
        ValueType readType = ValueType::None;
        const auto [status, read] = readValue(Hive::CurrentUser, kKey, QStringLiteral("Value"), &readType);
        QCOMPARE(status, Status::Ok);
        QCOMPARE(quint32(readType), type);
        QCOMPARE(read, data);
    }

    void queryValueHonoursTheBuffer()
    {
        // Data longer than the buffer gives MoreData with the type but no bytes.
        QVERIFY(writeValue(kKey, QStringLiteral("Ten"), ValueType::Binary, "0123456789"));
        std::optional<Key> key = openKey(Hive::CurrentUser, kKey);
        QVERIFY(key);
        ValueType type = ValueType::None;
        QByteArray data = "stale";
        QCOMPARE(queryValue(*key, QStringLiteral("Ten"), type, data, 9), Status::MoreData);
        QCOMPARE(type, ValueType::Binary);
        QVERIFY(data.isEmpty());
        QCOMPARE(queryValue(*key, QStringLiteral("Ten"), type, data, 10), Status::Ok);
        QCOMPARE(data, QByteArray("0123456789"));
        QCOMPARE(queryValue(*key, QStringLiteral("Eleven"), type, data, 10), Status::NotFound);
    }

    void namesIgnoreCaseAndKeepTheirSpelling()
    {
        // Keys and value names match regardless of case (Unicode too); the first spelling stays.
        QVERIFY(writeValue(kKey + QStringLiteral("\\Äänet"), QStringLiteral("Straße"), ValueType::String, "1"));
        std::optional<Key> key = openKey(Hive::CurrentUser, QStringLiteral("SOFTWARE\\vuska 1.22 FREEWARE\\ääNET\\"));
        QVERIFY(key);
        QCOMPARE(key->path(), kKey + QStringLiteral("\\Äänet"));
        QVERIFY(writeValue(QStringLiteral("software\\VUSKA 1.22 freeware\\ÄÄNET"), QStringLiteral("STRASSE"),
                           ValueType::String, "2"));
        QCOMPARE(rawQuery(hiveFilePath(Hive::CurrentUser), "SELECT name FROM vals"), QStringList{QStringLiteral("Straße")});
        QCOMPARE(readValue(Hive::CurrentUser, key->path(), QStringLiteral("strasse")).second, QByteArray("2"));
        QCOMPARE(readValue(Hive::CurrentUser, key->path(), QStringLiteral("Strase")).first, Status::NotFound);
        QCOMPARE(rawQuery(hiveFilePath(Hive::CurrentUser), "SELECT name FROM keys WHERE parent = 'software'"),
                 QStringList{QStringLiteral("Software\\Vuska 1.22 Freeware")});
    }

    void emptyLevelsAndTheRootKey()
    {
        // Leading, trailing and doubled backslashes are ignored; "" names the root; "" names the default value.
        QVERIFY(writeValue(QStringLiteral("\\A\\\\B\\"), QString(), ValueType::String, "default"));
        QCOMPARE(readValue(Hive::CurrentUser, QStringLiteral("A\\B"), QString()).second, QByteArray("default"));
        QCOMPARE(readValue(Hive::CurrentUser, QStringLiteral("A\\B"), QStringLiteral("x")).first, Status::NotFound);
        std::optional<Key> root = openKey(Hive::CurrentUser, QStringLiteral("\\"));
        QVERIFY(root);
        QCOMPARE(root->path(), QString());
        QCOMPARE(rawQuery(hiveFilePath(Hive::CurrentUser), "SELECT name FROM keys WHERE parent = ''"),
                 QStringList{QStringLiteral("A")});
        QCOMPARE(deleteKey(Hive::CurrentUser, QString()), Status::AccessDenied);
    }

    void deleteKeyTakesTheSubtreeOnly()
    {
        // deleteKey removes the key, its values and subkeys, but not keys that only share a prefix.
        QVERIFY(writeValue(QStringLiteral("A"), QStringLiteral("top"), ValueType::String, "a"));
        QVERIFY(writeValue(QStringLiteral("A\\B"), QStringLiteral("v"), ValueType::String, "b"));
        QVERIFY(writeValue(QStringLiteral("A\\B\\C\\D"), QStringLiteral("v"), ValueType::String, "d"));
        QVERIFY(writeValue(QStringLiteral("A\\BC"), QStringLiteral("v"), ValueType::String, "bc"));
        QVERIFY(writeValue(QStringLiteral("A\\B2"), QStringLiteral("v"), ValueType::String, "b2"));
        std::optional<Key> held = openKey(Hive::CurrentUser, QStringLiteral("A\\B"));
        QVERIFY(held);

        QCOMPARE(deleteKey(Hive::CurrentUser, QStringLiteral("a\\b")), Status::Ok);
        QVERIFY(!openKey(Hive::CurrentUser, QStringLiteral("A\\B")));
        QVERIFY(!openKey(Hive::CurrentUser, QStringLiteral("A\\B\\C")));
        QVERIFY(!openKey(Hive::CurrentUser, QStringLiteral("A\\B\\C\\D")));
        QCOMPARE(readValue(Hive::CurrentUser, QStringLiteral("A\\BC"), QStringLiteral("v")).second, QByteArray("bc"));
        QCOMPARE(readValue(Hive::CurrentUser, QStringLiteral("A\\B2"), QStringLiteral("v")).second, QByteArray("b2"));
        QCOMPARE(readValue(Hive::CurrentUser, QStringLiteral("A"), QStringLiteral("top")).second, QByteArray("a"));

        // A handle to the deleted key sees nothing and cannot write.
        QCOMPARE(setValue(*held, QStringLiteral("v"), ValueType::String, "again"), Status::NotFound);
        QCOMPARE(flushKey(*held), Status::NotFound);
        std::optional<Key> again = createKey(Hive::CurrentUser, QStringLiteral("A\\B"));
        QVERIFY(again);
        QCOMPARE(readValue(Hive::CurrentUser, QStringLiteral("A\\B"), QStringLiteral("v")).first, Status::NotFound);
        QCOMPARE(deleteKey(Hive::CurrentUser, QStringLiteral("A\\Missing")), Status::NotFound);
    }

    void closedKeys()
    {
        // A closed or moved-from key refuses every operation.
        QVERIFY(writeValue(kKey, QStringLiteral("Two"), ValueType::String, "2"));
        std::optional<Key> key = openKey(Hive::CurrentUser, kKey);
        QVERIFY(key);

        Key moved = std::move(*key);
        QVERIFY(moved.isOpen());
        QVERIFY(!key->isOpen());
        QCOMPARE(setValue(*key, QStringLiteral("x"), ValueType::String, "x"), Status::Failed);
        closeKey(moved);
        QVERIFY(!moved.isOpen());
        ValueType type;
        QByteArray data;
        QCOMPARE(queryValue(moved, QStringLiteral("Two"), type, data, 100), Status::Failed);
        QCOMPARE(flushKey(moved), Status::Failed);
    }

    void locationFollowsTheEnvironment()
    {
        // Each hive has its own file under XDG_CONFIG_HOME (else ~/.config); an open key stays with its store.
        QCOMPARE(hiveFilePath(Hive::CurrentUser), storeFile());
        QCOMPARE(hiveFilePath(Hive::LocalMachine), config_ + QStringLiteral("/vuska-registry/HKEY_LOCAL_MACHINE.db"));
        QVERIFY(writeValue(kKey, QStringLiteral("Where"), ValueType::String, "first"));
        QCOMPARE(readValue(Hive::LocalMachine, kKey, QStringLiteral("Where")).first, Status::NotFound);
        std::optional<Key> first = openKey(Hive::CurrentUser, kKey);
        QVERIFY(first);

        const QString second = dir_->path() + QStringLiteral("/second");
        qputenv("XDG_CONFIG_HOME", second.toLocal8Bit());
        QCOMPARE(hiveFilePath(Hive::CurrentUser), second + QStringLiteral("/vuska-registry/HKEY_CURRENT_USER.db"));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Where")).first, Status::NotFound);
        QCOMPARE(setValue(*first, QStringLiteral("Later"), ValueType::String, "x"), Status::Ok);
        QVERIFY(!QFile::exists(second));

        qputenv("XDG_CONFIG_HOME", "");
        const QString home = qEnvironmentVariable("HOME");
        QCOMPARE(hiveFilePath(Hive::CurrentUser), home + QStringLiteral("/.config/vuska-registry/HKEY_CURRENT_USER.db"));
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(hiveFilePath(Hive::LocalMachine), home + QStringLiteral("/.config/vuska-registry/HKEY_LOCAL_MACHINE.db"));

        qputenv("XDG_CONFIG_HOME", config_.toLocal8Bit());
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Later")).second, QByteArray("x"));
    }

    void readsLeaveNoTrace()
    {
        // Reading, and failing to delete, creates neither the folder nor the file.
        Status status = Status::Ok;
        QVERIFY(!openKey(Hive::CurrentUser, kKey, &status));
        QCOMPARE(status, Status::NotFound);
        std::optional<Key> root = openKey(Hive::LocalMachine, QString());
        QVERIFY(root);
        ValueType type;
        QByteArray data;
        QCOMPARE(queryValue(*root, QStringLiteral("x"), type, data, 10), Status::NotFound);
        QCOMPARE(flushKey(*root), Status::Ok);
        QCOMPARE(deleteKey(Hive::CurrentUser, kKey), Status::NotFound);
        QVERIFY(!QFileInfo::exists(config_));

        // Writing through the root key creates the store.
        QCOMPARE(setValue(*root, QStringLiteral("x"), ValueType::String, "y"), Status::Ok);
        QVERIFY(QFileInfo::exists(config_ + QStringLiteral("/vuska-registry/HKEY_LOCAL_MACHINE.db")));
    }

    void unwritableLocationFailsQuietly()
    {
        // With the store folder under a regular file, reads find nothing and writes fail.
        QVERIFY(QDir().mkpath(config_));
        QFile blocker(config_ + QStringLiteral("/file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_CONFIG_HOME", (blocker.fileName() + QStringLiteral("/x")).toLocal8Bit());

        QVERIFY(!openKey(Hive::CurrentUser, kKey));
        Status status = Status::Ok;
        QVERIFY(!createKey(Hive::CurrentUser, kKey, &status));
        QVERIFY(status == Status::Failed || status == Status::AccessDenied);
        QVERIFY(deleteKey(Hive::CurrentUser, kKey) != Status::Ok);
        std::optional<Key> root = openKey(Hive::CurrentUser, QString());
        QVERIFY(root);
        QVERIFY(setValue(*root, QStringLiteral("x"), ValueType::String, "y") != Status::Ok);
        Batch batch(Hive::CurrentUser);
        QVERIFY(setValue(*root, QStringLiteral("x"), ValueType::String, "y") != Status::Ok);
        QVERIFY(batch.commit() != Status::Ok);
        QCOMPARE(QFileInfo(blocker.fileName()).size(), 0);
    }

    void readOnlyStoreStillReads()
    {
        // A store that may not be written can still be read; writes to it are refused.
        QTemporaryDir shared(folderOthersCanEnter() + QStringLiteral("/vuska-ro-XXXXXX"));
        QVERIFY(shared.isValid());
        QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7755));
        const QString config = shared.path() + QStringLiteral("/config");
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
        QVERIFY(writeValue(kKey, QStringLiteral("Kept"), ValueType::String, "kept"));
        const QString file = hiveFilePath(Hive::CurrentUser);
        QFile::setPermissions(file, QFileDevice::Permissions(0x4444));
        QFile::setPermissions(QFileInfo(file).path(), QFileDevice::Permissions(0x5555));
        QFile::setPermissions(config, QFileDevice::Permissions(0x5555));

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child-readonly"), kKey});
        QVERIFY(child.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QFile::setPermissions(QFileInfo(file).path(), QFileDevice::Permissions(0x7755));
        QFile::setPermissions(config, QFileDevice::Permissions(0x7755));
        if (lines == QStringList{QStringLiteral("nosetuid")})
            QSKIP("cannot become an unprivileged user here");
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("read %1 %2").arg(int(Status::Ok)).arg(QString::fromLatin1(QByteArray("kept").toHex())));
        QVERIFY(lines[1] == QStringLiteral("create 0 %1").arg(int(Status::AccessDenied))
                || lines[1] == QStringLiteral("create 0 %1").arg(int(Status::Failed)));
        QVERIFY(lines[2] == QStringLiteral("set %1").arg(int(Status::AccessDenied))
                || lines[2] == QStringLiteral("set %1").arg(int(Status::Failed)));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Kept")).second, QByteArray("kept"));
    }

    void damagedStoreIsKeptAside_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("readFirst");
        for (const char* damage : {"garbage", "text", "truncated", "short header", "foreign database",
                                   "schema format", "write version", "schema text, odd encoding"}) {
            QTest::newRow(damage) << QString::fromLatin1(damage) << false;
            QTest::newRow(QByteArray(damage).append(", read first").constData()) << QString::fromLatin1(damage) << true;
        }
    }

    void damagedStoreIsKeptAside()
    {
        // A damaged or foreign store file is renamed aside byte for byte, never deleted, and a fresh store takes over.
        QFETCH(QString, damage);
        QFETCH(bool, readFirst);
        const QString file = storeFile();
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QByteArray original;
        if (damage == QLatin1String("garbage")) {
            for (int i = 0; i < 5000; ++i)
                original.append(char((i * 131 + 17) & 0xff));
        } else if (damage == QLatin1String("text")) {
            original = "[Vuska]\nName=not a database\n";
        } else if (damage == QLatin1String("truncated") || damage == QLatin1String("short header")) {
            for (int i = 0; i < 100; ++i)
                QVERIFY(writeValue(kKey, QStringLiteral("v%1").arg(i), ValueType::Binary, payload(i).repeated(4)));
            QFile full(file);
            QVERIFY(full.open(QIODevice::ReadOnly));
            original = full.readAll().left(damage == QLatin1String("truncated") ? full.size() / 2 : 10);
        } else if (damage == QLatin1String("schema format") || damage == QLatin1String("write version")
                   || damage == QLatin1String("schema text, odd encoding")) {
            // Header fields SQLite refuses without calling the file damaged.
            for (int i = 0; i < 100; ++i)
                QVERIFY(writeValue(kKey, QStringLiteral("v%1").arg(i), ValueType::Binary, payload(i)));
            QFile full(file);
            QVERIFY(full.open(QIODevice::ReadOnly));
            original = full.readAll();
            damageHeader(original, damage);
        } else {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
            QCOMPARE(sqlite3_exec(db, "CREATE TABLE scores(name TEXT); INSERT INTO scores VALUES('x');",
                                  nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
            QFile foreign(file);
            QVERIFY(foreign.open(QIODevice::ReadOnly));
            original = foreign.readAll();
        }
        QFile::remove(file);
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(original);
        out.close();
        const QByteArray journal = "journal bytes that belong to the damaged file";
        if (damage == QLatin1String("garbage")) {
            QFile companion(file + QStringLiteral("-journal"));
            QVERIFY(companion.open(QIODevice::WriteOnly));
            companion.write(journal);
        }

        if (readFirst) {
            QVERIFY(!openKey(Hive::CurrentUser, kKey));
            QVERIFY(!QFile::exists(file));
        }
        QVERIFY(writeValue(kKey, QStringLiteral("After"), ValueType::String, "fresh"));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("After")).second, QByteArray("fresh"));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("v1")).first, Status::NotFound);

        const QDir folder(QFileInfo(file).path());
        const QStringList aside = folder.entryList({QStringLiteral("HKEY_CURRENT_USER.db.damaged-*")}, QDir::Files);
        const QStringList kept = aside.filter(QRegularExpression(QStringLiteral("^HKEY_CURRENT_USER\\.db\\.damaged-\\d{8}-\\d{6}$")));
        QCOMPARE(kept.size(), 1);
        QFile keptFile(folder.filePath(kept.first()));
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), original);
        if (damage == QLatin1String("garbage")) {
            QCOMPARE(aside.size(), 2);
            QFile keptJournal(keptFile.fileName() + QStringLiteral("-journal"));
            QVERIFY(keptJournal.open(QIODevice::ReadOnly));
            QCOMPARE(keptJournal.readAll(), journal);
        } else {
            QCOMPARE(aside.size(), 1);
        }
    }

    void headerDamagedWhileOpen_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("readFirst");
        QTest::addColumn<Status>("readSees");
        QTest::addColumn<bool>("keptAside");
        QTest::newRow("schema format") << QStringLiteral("schema format") << false << Status::Ok << true;
        QTest::newRow("write version") << QStringLiteral("write version") << false << Status::Ok << true;
        // SQLite still reads a file of an unknown write version; a schema it cannot read is damage.
        QTest::newRow("schema format, read first") << QStringLiteral("schema format") << true << Status::NotFound << true;
        QTest::newRow("write version, read first") << QStringLiteral("write version") << true << Status::Ok << true;
        // An encoding number a fresh connection reads as UTF-8, but the open one refuses.
        QTest::newRow("text encoding") << QStringLiteral("text encoding") << false << Status::Ok << false;
        QTest::newRow("text encoding, read first") << QStringLiteral("text encoding") << true << Status::Ok << false;
        // The schema's text damaged as well: the first look at it fails as damage, and every
        // later one only with the encoding's plain error.
        QTest::newRow("schema text, odd encoding") << QStringLiteral("schema text, odd encoding") << false
                                                   << Status::Ok << true;
        QTest::newRow("schema text, odd encoding, read first") << QStringLiteral("schema text, odd encoding") << true
                                                               << Status::NotFound << true;
        // A valid encoding, but not the one the file's text is in: its schema cannot be read.
        for (const char* encoding : {"UTF-16le", "UTF-16be"}) {
            QTest::newRow(encoding) << QString::fromLatin1(encoding) << false << Status::Ok << true;
            QTest::newRow(QByteArray(encoding).append(", read first").constData())
                << QString::fromLatin1(encoding) << true << Status::NotFound << true;
        }
    }

    void headerDamagedWhileOpen()
    {
        // The header is overwritten while this process holds the store open. The next write
        // lands: in a fresh store, with the damaged file set aside whole, or in the same file
        // when a fresh look at it finds it sound.
        QFETCH(QString, damage);
        QFETCH(bool, readFirst);
        QFETCH(Status, readSees);
        QFETCH(bool, keptAside);
        QVERIFY(writeValue(kKey, QStringLiteral("Before"), ValueType::String, "old"));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Before")).second, QByteArray("old"));
        QByteArray original;
        {
            QFile file(storeFile());
            QVERIFY(file.open(QIODevice::ReadWrite));
            original = file.readAll();
            damageHeader(original, damage);
            // A new change counter and schema cookie, as another process's write would leave
            // them, so that the open connection reads the header and the schema again.
            original[27] = char(original[27] + 1);
            original[43] = char(original[43] + 1);
            QVERIFY(file.seek(0));
            QCOMPARE(file.write(original), qint64(original.size()));
        }
        if (readFirst)
            QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Before")).first, readSees);
        QVERIFY(writeValue(kKey, QStringLiteral("After"), ValueType::String, "fresh"));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("After")).second, QByteArray("fresh"));
        const QDir folder(QFileInfo(storeFile()).path());
        const QStringList aside = folder.entryList({QStringLiteral("HKEY_CURRENT_USER.db.damaged-*")}, QDir::Files);
        if (!keptAside) {
            QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Before")).second, QByteArray("old"));
            QCOMPARE(aside, QStringList());
            return;
        }
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Before")).first, Status::NotFound);
        QCOMPARE(aside.size(), 1);
        QFile kept(folder.filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), original);
    }

    void keptAsideNamesAreNeverReused()
    {
        // A kept-aside name already taken is never replaced: the damaged file gets a numbered one.
        const QString file = storeFile();
        const QDir folder(QFileInfo(file).path());
        QVERIFY(QDir().mkpath(folder.path()));
        // Every name the next minute could produce is taken already.
        const QDateTime now = QDateTime::currentDateTime();
        QStringList taken;
        for (int second = -1; second < 60; ++second) {
            taken.append(QFileInfo(file).fileName() + QStringLiteral(".damaged-")
                         + now.addSecs(second).toString(QStringLiteral("yyyyMMdd-HHmmss")));
            QFile earlier(folder.filePath(taken.last()));
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("junk");
        junk.close();
        QVERIFY(writeValue(kKey, QStringLiteral("v"), ValueType::String, "x"));

        QStringList added;
        for (const QString& name : folder.entryList({QStringLiteral("*.damaged-*")}, QDir::Files)) {
            QFile kept(folder.filePath(name));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), taken.contains(name) ? QByteArray("earlier") : QByteArray("junk"));
            if (!taken.contains(name))
                added.append(name);
        }
        QCOMPARE(added.size(), 1);
        QVERIFY2(taken.contains(added.first().chopped(2)) && added.first().endsWith(QLatin1String("-2")),
                 qPrintable(added.first()));
    }

    void fileReplacedUnderneathIsNoticed()
    {
        // A store file removed or swapped behind the cached connection is seen as it now is.
        QVERIFY(writeValue(kKey, QStringLiteral("v"), ValueType::String, "old"));
        QVERIFY(QFile::rename(storeFile(), storeFile() + QStringLiteral(".moved")));
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("v")).first, Status::NotFound);
        QVERIFY(writeValue(kKey, QStringLiteral("v"), ValueType::String, "new"));
        QCOMPARE(rawQuery(storeFile(), "SELECT data FROM vals"), QStringList{QStringLiteral("new")});
        QCOMPARE(rawQuery(storeFile() + QStringLiteral(".moved"), "SELECT data FROM vals"), QStringList{QStringLiteral("old")});
    }

    void batchCommitWritesAllTogether()
    {
        // Nothing of a batch reaches the file before commit(); after it, everything has.
        {
            Batch batch(Hive::CurrentUser);
            for (int i = 0; i < 20; ++i)
                QVERIFY(writeValue(kKey, QStringLiteral("Best%1").arg(i), ValueType::String, QByteArray::number(i)));
            QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Best19")).second, QByteArray("19"));
            QCOMPARE(rawQuery(storeFile(), "SELECT count(*) FROM vals"), QStringList{QStringLiteral("0")});
            QCOMPARE(batch.commit(), Status::Ok);
            QCOMPARE(batch.commit(), Status::Failed);
        }
        QCOMPARE(rawQuery(storeFile(), "SELECT count(*) FROM vals"), QStringList{QStringLiteral("20")});
        QCOMPARE(rawQuery(storeFile(), "PRAGMA integrity_check"), QStringList{QStringLiteral("ok")});
    }

    void batchWithoutCommitLeavesNothing()
    {
        // A batch dropped without commit(), or doomed by an inner one, takes all its writes back.
        QVERIFY(writeValue(kKey, QStringLiteral("Before"), ValueType::String, "kept"));
        {
            Batch batch(Hive::CurrentUser);
            for (int i = 0; i < 20; ++i)
                QVERIFY(writeValue(kKey + QStringLiteral("\\New"), QStringLiteral("Best%1").arg(i), ValueType::String, "x"));
            QCOMPARE(deleteKey(Hive::CurrentUser, kKey), Status::Ok);
        }
        QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("Before")).second, QByteArray("kept"));
        QVERIFY(!openKey(Hive::CurrentUser, kKey + QStringLiteral("\\New")));
        {
            Batch outer(Hive::CurrentUser);
            QVERIFY(writeValue(kKey, QStringLiteral("Outer"), ValueType::String, "x"));
            {
                Batch inner(Hive::CurrentUser);
                QVERIFY(writeValue(kKey, QStringLiteral("Inner"), ValueType::String, "x"));
            }
            QVERIFY(!writeValue(kKey, QStringLiteral("Late"), ValueType::String, "x"));
            QCOMPARE(outer.commit(), Status::Failed);
        }
        QCOMPARE(rawQuery(storeFile(), "SELECT name FROM vals"), QStringList{QStringLiteral("Before")});
        QVERIFY(writeValue(kKey, QStringLiteral("AfterBatches"), ValueType::String, "x"));
    }

    void concurrentWritersKeepEveryValue()
    {
        // Two processes writing to the same key at the same time both succeed, and every value is there.
        QVERIFY(writeValue(kKey, QStringLiteral("Seed"), ValueType::String, "x"));
        constexpr int count = 150;
        QProcess* first = startChild(this, {QStringLiteral("--child-writer"), kKey, QStringLiteral("a"), QString::number(count)});
        QProcess* second = startChild(this, {QStringLiteral("--child-writer"), kKey, QStringLiteral("b"), QString::number(count)});
        for (QProcess* child : {first, second})
            QCOMPARE(readLinesUntil(*child, [](const QStringList& l) { return !l.isEmpty(); }), QStringList{QStringLiteral("ready")});
        for (QProcess* child : {first, second})
            child->write("go\n");
        for (QProcess* child : {first, second})
            QVERIFY(child->waitForBytesWritten(30000));
        for (QProcess* child : {first, second}) {
            QVERIFY(child->waitForFinished(120000));
            QCOMPARE(child->exitStatus(), QProcess::NormalExit);
            QCOMPARE(child->exitCode(), 0);
        }
        for (const char* prefix : {"a", "b"})
            for (int i = 0; i < count; ++i)
                QCOMPARE(readValue(Hive::CurrentUser, kKey, prefix + QString::number(i)).second, payload(i));
    }

    void killedWriterLeavesFlushedValues()
    {
        // A writer killed mid-loop leaves every value it had flushed intact and the store sound.
        QProcess* child = startChild(this, {QStringLiteral("--child-endless"), kKey});
        QStringList acked = readLinesUntil(*child, [](const QStringList& l) { return l.size() >= 40; });
        QVERIFY2(acked.size() >= 40, "the writer stopped early");
        child->kill();
        QVERIFY(child->waitForFinished(30000));
        QCOMPARE(child->exitStatus(), QProcess::CrashExit);
        while (child->canReadLine())
            acked.append(QString::fromUtf8(child->readLine()).trimmed());

        for (int i = 0; i < acked.size(); ++i) {
            QCOMPARE(acked[i], QString::number(i));
            QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("v%1").arg(i)).second, payload(i));
        }
        // The one it was writing when killed is either all there or not at all.
        const auto [status, data] = readValue(Hive::CurrentUser, kKey, QStringLiteral("v%1").arg(acked.size()));
        QVERIFY(status == Status::NotFound || data == payload(int(acked.size())));
        QCOMPARE(rawQuery(storeFile(), "PRAGMA integrity_check"), QStringList{QStringLiteral("ok")});
        QVERIFY(writeValue(kKey, QStringLiteral("Afterwards"), ValueType::String, "x"));
    }

    void killedBatchLeavesNoneOfIt()
    {
        // A process killed inside a batch leaves none of the batch's writes and all of the earlier ones.
        QProcess* child = startChild(this, {QStringLiteral("--child-batch"), kKey});
        const QStringList lines = readLinesUntil(*child, [](const QStringList& l) { return l.size() >= 2; });
        QCOMPARE(lines, (QStringList{QStringLiteral("before"), QStringLiteral("inside")}));
        child->kill();
        QVERIFY(child->waitForFinished(30000));

        for (int i = 0; i < 10; ++i)
            QCOMPARE(readValue(Hive::CurrentUser, kKey, QStringLiteral("before%1").arg(i)).second, payload(i));
        QVERIFY(!openKey(Hive::CurrentUser, kKey + QStringLiteral("\\Inside")));
        QCOMPARE(rawQuery(storeFile(), "SELECT count(*) FROM vals WHERE name LIKE 'inside%'"), QStringList{QStringLiteral("0")});
        QVERIFY(writeValue(kKey + QStringLiteral("\\Inside"), QStringLiteral("inside0"), ValueType::String, "x"));
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::strncmp(argv[1], "--child-", 8) == 0) {
        QStringList args;
        for (int i = 0; i < argc; ++i)
            args.append(QString::fromLocal8Bit(argv[i]));
        return runChild(args);
    }
    vuska::test::Sandbox sandbox;
    QCoreApplication app(argc, argv);
    TestPlatformRegistry tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "test_platform_registry.moc"
