#include "game/registry/mdlvuska2.h"
#include "tests/support/sandbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace vuska;
namespace reg = platform::registry;

namespace {

const QString kKey = QStringLiteral("Software\\Vuska 1.22 Freeware");

// Stores raw bytes the way another program might have, past WriteRegistryValue's conversions.
bool putRaw(const QString& name, quint32 type, const QByteArray& data)
{
    std::optional<reg::Key> key = reg::createKey(HKEY_CURRENT_USER, kKey);
    return key && reg::setValue(*key, name, reg::ValueType(type), data) == reg::Status::Ok;
}

// The stored type and bytes, or type 99 when there is no such value.
std::pair<quint32, QByteArray> stored(const QString& name)
{
    std::optional<reg::Key> key = reg::openKey(HKEY_CURRENT_USER, kKey);
    reg::ValueType type = reg::ValueType::None;
    QByteArray data;
    if (!key || reg::queryValue(*key, name, type, data, 1 << 16) != reg::Status::Ok)
        return {99, {}};
    return {quint32(type), data};
}

} // namespace

class TestGameRegistry : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString config_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        config_ = dir_->path() + QStringLiteral("/config");
        qputenv("XDG_CONFIG_HOME", config_.toLocal8Bit());
    }

    void cleanup() { dir_.reset(); }

    void missingValuesReadNotFound()
    {
        // A missing store, key or value reads "Not Found", and reading leaves no file behind.
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi")), NotFound);
        QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, QString(), QString()), NotFound);
        QVERIFY(!QFileInfo::exists(config_));
        QVERIFY(putRaw(QStringLiteral("Other"), 1, QByteArray("x\0", 2)));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi")), NotFound);
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey + QStringLiteral("\\Sub"), QStringLiteral("Other")), NotFound);
        QCOMPARE(QString(NotFound), QStringLiteral("Not Found"));
    }

    void readConvertsByType_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dword 5") << 4u << QByteArray("\x05\0\0\0", 4) << QStringLiteral("005");
        QTest::newRow("dword 0") << 4u << QByteArray(4, '\0') << QStringLiteral("000");
        QTest::newRow("dword 99") << 4u << QByteArray("\x63\0\0\0", 4) << QStringLiteral("099");
        QTest::newRow("dword 1234") << 4u << QByteArray("\xd2\x04\0\0", 4) << QStringLiteral("1234");
        QTest::newRow("dword max, unsigned") << 4u << QByteArray(4, '\xff') << QStringLiteral("4294967295");
        QTest::newRow("dword of two bytes") << 4u << QByteArray("\x05\x01", 2) << QStringLiteral("261");
        QTest::newRow("dword of no bytes") << 4u << QByteArray() << QStringLiteral("000");
        QTest::newRow("dword of six bytes") << 4u << QByteArray("\x01\x01\0\0\xff\xff", 6) << QStringLiteral("257");
        QTest::newRow("binary") << 3u << QByteArray("\x01\xab", 2) << QStringLiteral("01AB");
        QTest::newRow("binary with zeros") << 3u << QByteArray("\0\xff\x10", 3) << QStringLiteral("00FF10");
        QTest::newRow("binary, empty") << 3u << QByteArray() << QString();
        QTest::newRow("string") << 1u << QByteArray("Vuska\0", 6) << QStringLiteral("Vuska");
        QTest::newRow("string, utf-8") << 1u << QByteArray("\xc3\x84\xc3\xa4ni\0", 7) << QStringLiteral("Ääni");
        QTest::newRow("string, only the nul") << 1u << QByteArray("\0", 1) << QString();
        QTest::newRow("string, empty") << 1u << QByteArray() << QString();
        QTest::newRow("string without nul loses a byte") << 1u << QByteArray("abc") << QStringLiteral("ab");
        QTest::newRow("expand string") << 2u << QByteArray("%HOME%\0", 7) << QStringLiteral("%HOME%");
        QTest::newRow("type none") << 0u << QByteArray("xy\0", 3) << QStringLiteral("xy");
        QTest::newRow("multi string") << 7u << QByteArray("a\0b\0\0", 5) << QString::fromUtf16(u"a\0b\0", 4);
        QTest::newRow("2047 characters") << 1u << QByteArray(2047, 'k').append('\0') << QString(2047, u'k');
        QTest::newRow("2048 characters") << 1u << QByteArray(2048, 'k').append('\0') << QString(NotFound);
        QTest::newRow("2048 binary bytes") << 3u << QByteArray(2048, '\x0f') << QStringLiteral("0F").repeated(2048);
        QTest::newRow("2049 binary bytes") << 3u << QByteArray(2049, '\x0f') << QString(NotFound);
    }

    void readConvertsByType()
    {
        // Each stored type reads as its text form; anything over 2048 bytes reads "Not Found".
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        QVERIFY(putRaw(QStringLiteral("Arvo"), type, data));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Arvo")), expected);
    }

    void writeTextStoresUtf8AndNul_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("True") << QVariant(QStringLiteral("True")) << QByteArray("True\0", 5) << QStringLiteral("True");
        QTest::newRow("empty") << QVariant(QString()) << QByteArray("\0", 1) << QString();
        QTest::newRow("umlauts") << QVariant(QStringLiteral("Äö")) << QByteArray("\xc3\x84\xc3\xb6\0", 5) << QStringLiteral("Äö");
        QTest::newRow("boolean") << QVariant(false) << QByteArray("False\0", 6) << QStringLiteral("False");
        QTest::newRow("number") << QVariant(42) << QByteArray("42\0", 3) << QStringLiteral("42");
    }

    void writeTextStoresUtf8AndNul()
    {
        // Kind 1 stores REG_SZ: the text's UTF-8 bytes and one NUL, which reads back as the text.
        QFETCH(QVariant, value);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Teksti"), 1, value));
        QCOMPARE(stored(QStringLiteral("Teksti")), std::make_pair(1u, bytes));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Teksti")), readBack);
    }

    void writeNumberStoresFourBytes_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("42") << QVariant(42) << true << QByteArray("\x2a\0\0\0", 4) << QStringLiteral("042");
        QTest::newRow("-1") << QVariant(-1) << true << QByteArray(4, '\xff') << QStringLiteral("4294967295");
        QTest::newRow("text") << QVariant(QStringLiteral(" 12 ")) << true << QByteArray("\x0c\0\0\0", 4) << QStringLiteral("012");
        QTest::newRow("text with exponent") << QVariant(QStringLiteral("1e3")) << true << QByteArray("\xe8\x03\0\0", 4) << QStringLiteral("1000");
        QTest::newRow("2.5 to even") << QVariant(2.5) << true << QByteArray("\x02\0\0\0", 4) << QStringLiteral("002");
        QTest::newRow("3.5 to even") << QVariant(3.5) << true << QByteArray("\x04\0\0\0", 4) << QStringLiteral("004");
        QTest::newRow("-2.5 to even") << QVariant(-2.5) << true << QByteArray("\xfe\xff\xff\xff", 4) << QStringLiteral("4294967294");
        QTest::newRow("2.51 up") << QVariant(2.51) << true << QByteArray("\x03\0\0\0", 4) << QStringLiteral("003");
        QTest::newRow("text 7.5") << QVariant(QStringLiteral("7.5")) << true << QByteArray("\x08\0\0\0", 4) << QStringLiteral("008");
        QTest::newRow("true is -1") << QVariant(true) << true << QByteArray(4, '\xff') << QStringLiteral("4294967295");
        QTest::newRow("largest") << QVariant(2147483647.4) << true << QByteArray("\xff\xff\xff\x7f", 4) << QStringLiteral("2147483647");
        QTest::newRow("smallest") << QVariant(-2147483648.5) << true << QByteArray("\0\0\0\x80", 4) << QStringLiteral("2147483648");
        QTest::newRow("rounds out of range") << QVariant(2147483647.5) << false << QByteArray() << QString(NotFound);
        QTest::newRow("too large") << QVariant(qlonglong(1) << 31) << false << QByteArray() << QString(NotFound);
        QTest::newRow("too large unsigned") << QVariant(quint32(1) << 31) << false << QByteArray() << QString(NotFound);
        QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << false << QByteArray() << QString(NotFound);
        QTest::newRow("empty text") << QVariant(QString()) << false << QByteArray() << QString(NotFound);
        QTest::newRow("no value") << QVariant() << false << QByteArray() << QString(NotFound);
    }

    void writeNumberStoresFourBytes()
    {
        // Kind 4 stores the number rounded half to even as a little-endian REG_DWORD, or nothing if it does not fit.
        QFETCH(QVariant, value);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        QCOMPARE(WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Luku"), 4, value), accepted);
        QCOMPARE(stored(QStringLiteral("Luku")), std::make_pair(accepted ? 4u : 99u, bytes));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Luku")), readBack);
    }

    void otherKindsStoreNothing()
    {
        // Any kind but 1 and 4 is refused and leaves the value as it was.
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Arvo"), 1, QStringLiteral("old")));
        for (int kind : {0, 2, 3, 7, -1})
            QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Arvo"), kind, QStringLiteral("new")));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Arvo")), QStringLiteral("old"));
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Uusi"), 3, QByteArray("\x01")));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Uusi")), NotFound);
    }

    void namesIgnoreCaseAndHivesAreSeparate()
    {
        // Key paths and value names match in any case and with a trailing backslash; the hives do not mix.
        QVERIFY(WriteRegistryValue(HKEY_LOCAL_MACHINE, kKey + u'\\', QStringLiteral("Äänet"), 1, QStringLiteral("On")));
        QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\vuska 1.22 FREEWARE"),
                                   QStringLiteral("ääNET")), QStringLiteral("On"));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Äänet")), NotFound);
        QVERIFY(WriteRegistryValue(HKEY_LOCAL_MACHINE, kKey, QStringLiteral("ÄÄNET"), 4, 3));
        QCOMPARE(ReadRegistryValue(HKEY_LOCAL_MACHINE, kKey, QStringLiteral("äänet")), QStringLiteral("003"));
    }

    void unwritableStoreFailsQuietly()
    {
        // With nowhere to keep the store, writes return false and reads "Not Found".
        QVERIFY(QDir().mkpath(config_));
        QFile blocker(config_ + QStringLiteral("/file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_CONFIG_HOME", (blocker.fileName() + QStringLiteral("/x")).toLocal8Bit());
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi"), 1, QStringLiteral("x")));
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Luku"), 4, 1));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi")), NotFound);
    }

    void damagedStoreIsReplaced()
    {
        // A damaged store file is kept aside and the next write succeeds on a fresh one.
        const QString file = reg::hiveFilePath(HKEY_CURRENT_USER);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(3000, '\x5a'));
        junk.close();
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi")), NotFound);
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi"), 1, QStringLiteral("Pelaaja")));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi")), QStringLiteral("Pelaaja"));
        const QStringList kept = QFileInfo(file).dir().entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QFile aside(QFileInfo(file).dir().filePath(kept.first()));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray(3000, '\x5a'));
    }

    void writeThatMeetsDamageStillLands()
    {
        // The store is damaged while the program has it open: the write that finds the damage
        // sets the file aside and must still land, on the fresh store, key and all.
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Aiempi"), 1, QStringLiteral("x")));
        const QString file = reg::hiveFilePath(HKEY_CURRENT_USER);
        QFile store(file);
        QVERIFY(store.open(QIODevice::ReadWrite));
        QByteArray bytes = store.readAll();
        // The values' table is made last, so its page is the file's last: the key is still
        // found, and only the write of the value meets the damage.
        QVERIFY(bytes.size() >= 4 * 4096);
        bytes.replace(bytes.size() - 4096, 4096, QByteArray(4096, '\x5a'));
        bytes[27] = char(bytes[27] + 1); // the change counter: the open connection reads anew
        QVERIFY(store.seek(0));
        QCOMPARE(store.write(bytes), qint64(bytes.size()));
        store.close();

        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi"), 1, QStringLiteral("Pelaaja")));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Nimi")), QStringLiteral("Pelaaja"));
        QCOMPARE(QFileInfo(file).dir().entryList({QStringLiteral("*.damaged-*")}, QDir::Files).size(), 1);
    }
};

VUSKA_TEST_MAIN(TestGameRegistry)

#include "test_game_registry.moc"
