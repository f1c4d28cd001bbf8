#include "bench/fuzz/targets.h"

#include <algorithm>
#include <iterator>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "bench/headlessgame.h"
#include "game/engine/mdlvuska.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/registry.h"
#include "setup/wizard/installationrecord.h"

namespace vuska::fuzz {

namespace {

namespace reg = platform::registry;

// The names the programs read from the settings key.
QStringList valueNames()
{
    QStringList names{QStringLiteral("PelinAloitustapa"), QStringLiteral("NaytaKorttienSekoitusJaJako"),
                      QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("Animaationopeus"),
                      QStringLiteral("NaytaPainikkeet"), QStringLiteral("Kansio")};
    for (int i = 0; i < SlotCount; ++i)
        names << QStringLiteral("ParasPelaaja%1").arg(i) << QStringLiteral("ParasTulos%1").arg(i);
    return names;
}

QByteArray seedValue(quint8 type, quint8 name, const QByteArray& data)
{
    return QByteArray(1, char(type)) + char(name) + data;
}

std::vector<QByteArray> seeds()
{
    return {seedValue(1, 0, QByteArray("Vuoroaloitus", 13)),
            seedValue(1, 1, QByteArray("True", 5)),
            seedValue(1, 3, QByteArray("6", 2)),
            seedValue(4, 7, QByteArray("\x05\x00\x00\x00", 4)),
            seedValue(1, 6, QByteArray("Oona Ohjelmoija", 16)),
            seedValue(1, 7, QByteArray("-32768", 7)),
            seedValue(3, 5, QByteArray("\x00\xff\x10", 3)),
            seedValue(2, 5, QByteArray("C:\\Program Files\\Vuska", 23)),
            seedValue(0, 2, QByteArray()),
            seedValue(0xf0, 0, QByteArray("\x00\x10\x00\x00garbage", 11))};
}

bool isDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

struct State : bench::HeadlessGame {
    QStringList names = valueNames();
};

State* state = nullptr;

void checkStartup(const char* target)
{
    mdlVuska& game = state->game;
    game.ReadSettings();
    const QString modes[] = {StartModes::Alternate, StartModes::Random, StartModes::LowestCard,
                             StartModes::PreviousWinner};
    if (std::find(std::begin(modes), std::end(modes), game.StartMode) == std::end(modes))
        fail(target, QStringLiteral("start mode \"%1\"").arg(game.StartMode));
    if (game.AnimationSteps < 10 || game.AnimationSteps > 40 || game.AnimationSteps % 5 != 0)
        fail(target, QStringLiteral("animation steps %1").arg(game.AnimationSteps));
    game.LoadBestResults();
    for (int i = 0; i < SlotCount; ++i) {
        if (game.BestNames[size_t(i)].isEmpty())
            fail(target, QStringLiteral("best-results slot %1 has no name").arg(i));
    }
    const bool recorded = ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("Kansio")) != NotFound;
    if (setup::GameIsInstalled() != recorded)
        fail(target, QStringLiteral("setup's start-up decision disagrees with the record"));
}

// Writes the input's bytes into the store file at an offset the input gives, past the header
// now and then, so that the readers meet a damaged store.
// Returns the file as damaged.
QByteArray damageStore(std::span<const uint8_t> bytes)
{
    const QString file = reg::hiveFilePath(reg::Hive::CurrentUser);
    QFile store(file);
    if (bytes.size() < 4 || !store.open(QIODevice::ReadWrite))
        return {};
    const qint64 offset = (qint64(bytes[0]) | qint64(bytes[1]) << 8 | qint64(bytes[2]) << 16) % std::max<qint64>(1, store.size());
    store.seek(offset);
    store.write(reinterpret_cast<const char*>(bytes.data()) + 3, qint64(bytes.size()) - 3);
    store.seek(0);
    return store.readAll();
}

QStringList setAside()
{
    const QFileInfo store(reg::hiveFilePath(reg::Hive::CurrentUser));
    return store.dir().entryList({store.fileName() + QStringLiteral(".damaged-*")}, QDir::Files, QDir::Name);
}

// A damaged store is either still read and written as it stands, or set aside whole and a new
// one started; it is never deleted.
void checkDamaged(const char* name, std::span<const uint8_t> input)
{
    const QStringList before = setAside();
    const QByteArray damaged = damageStore(input);
    checkStartup(name);
    if (!WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("Koe"), 1, QStringLiteral("x")))
        fail(name, QStringLiteral("the next write after damage did not land"));
    if (ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("Koe")) != QLatin1String("x"))
        fail(name, QStringLiteral("the value written after damage does not read back"));
    const QStringList after = setAside();
    QDir folder = QFileInfo(reg::hiveFilePath(reg::Hive::CurrentUser)).dir();
    for (const QString& file : after) {
        if (before.contains(file) || file.contains(QLatin1String("-journal")) || file.contains(QLatin1String("-wal"))
            || file.contains(QLatin1String("-shm")))
            continue;
        QFile kept(folder.filePath(file));
        if (damaged.isEmpty() || !kept.open(QIODevice::ReadOnly) || kept.readAll() != damaged)
            fail(name, QStringLiteral("the store set aside as %1 is not the damaged file as it was (%2 bytes)")
                           .arg(file).arg(damaged.size()));
    }
    // Checked; the sandbox would otherwise fill with them over a long run.
    for (const QString& file : after)
        folder.remove(file);
}

void run(std::span<const uint8_t> input)
{
    static const char* const name = "registry";
    if (input.size() < 2)
        return;
    const quint8 selector = input[0];
    if ((selector & 0xf0) == 0xf0) {
        checkDamaged(name, input.subspan(1));
        return;
    }
    static constexpr quint32 types[] = {0, 1, 2, 3, 4, 7, 11, 0xffffffff};
    const auto type = static_cast<reg::ValueType>(types[selector % 8]);
    const QString valueName = state->names[input[1] % state->names.size()];
    QByteArray data(reinterpret_cast<const char*>(input.data()) + 2, qsizetype(input.size()) - 2);
    // Around the reader's 2048-byte limit now and then.
    if (selector & 0x08 && !data.isEmpty()) {
        const qsizetype want = 2040 + (input[1] & 0x0f);
        while (data.size() < want)
            data += data;
        data.truncate(want);
    }

    // A key gone since it was opened (the write found the store damaged and set it aside) is
    // made again, as WriteRegistryValue does.
    reg::Status stored = reg::Status::NotFound;
    std::optional<reg::Key> key;
    for (int attempt = 0; attempt < 2 && stored == reg::Status::NotFound; ++attempt) {
        key = reg::createKey(reg::Hive::CurrentUser, SettingsKey, &stored);
        if (key)
            stored = reg::setValue(*key, valueName, type, data);
    }
    if (stored != reg::Status::Ok)
        fail(name, QStringLiteral("a value could not be stored (status %1, key %2)").arg(int(stored)).arg(key ? "open" : "not made"));
    const QString read = ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, valueName);
    if (data.size() > 2048 && read != NotFound)
        fail(name, QStringLiteral("a value of %1 bytes was read").arg(data.size()));
    if (data.size() <= 2048) {
        if (read == NotFound && data != QByteArray("Not Found", 10))
            fail(name, QStringLiteral("a stored value reads as missing"));
        if (type == reg::ValueType::DWord && (!isDigits(read) || read.size() < 3))
            fail(name, QStringLiteral("a number reads as \"%1\"").arg(read));
        if (type == reg::ValueType::Binary && read.size() != 2 * data.size())
            fail(name, QStringLiteral("binary data reads as \"%1\"").arg(read));
    }
    checkStartup(name);
}

} // namespace

Target registryTarget(const QString& sandbox)
{
    Q_UNUSED(sandbox);
    return {"registry", 1000000, seeds(), [] { state = new State; }, run};
}

} // namespace vuska::fuzz
