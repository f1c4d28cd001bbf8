#include <optional>

#include "game/engine/mdlvuska.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/registry.h"

namespace vuska {

namespace {

QString nameValue(int slot)
{
    return QStringLiteral("ParasPelaaja") + QString::number(slot);
}

QString scoreValue(int slot)
{
    return QStringLiteral("ParasTulos") + QString::number(slot);
}

// Decimal digits with an optional sign, blanks around them ignored, within 16 bits.
std::optional<qint16> parseScore(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    if (i == t.size())
        return std::nullopt;
    for (int j = i; j < t.size(); ++j) {
        if (t[j] < QLatin1Char('0') || t[j] > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = t.toInt(&ok);
    if (!ok || value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

} // namespace

void mdlVuska::LoadBestResults()
{
    for (int i = 0; i < SlotCount; ++i) {
        const QString name = ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, nameValue(i));
        BestNames[size_t(i)] = name.isEmpty() || name == NotFound ? AuthorName : name;

        const QString score = ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, scoreValue(i));
        if (score.isEmpty() || score == NotFound) {
            BestScores[size_t(i)] = 0;
        } else if (const auto parsed = parseScore(score)) {
            BestScores[size_t(i)] = *parsed;
        }
        // A score that is not a number leaves the slot's score as it was.
    }
}

void mdlVuska::SaveBestResults()
{
    // The twenty values of one list reach the store together or not at all, so that a
    // crash in the middle can never leave a mix of the old list and the new.
    platform::registry::Batch batch(HKEY_CURRENT_USER);
    for (int i = 0; i < SlotCount; ++i) {
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, nameValue(i), 1, NewBestNames[size_t(i)]);
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, scoreValue(i), 1,
                           QString::number(NewBestScores[size_t(i)]));
    }
    batch.commit();
}

bool mdlVuska::RunQualifiesForBestResults() const
{
    return WinStreak > BestScores[SlotCount - 1];
}

void mdlVuska::InsertBestResult(const QString& name)
{
    const qint16 s = WinStreak;
    int k = 0;
    while (k < SlotCount && !(s > BestScores[size_t(k)]))
        ++k;
    if (k < SlotCount) {
        for (int j = 0; j < SlotCount; ++j) {
            const int from = j < k ? j : j - 1;
            if (j == k) {
                NewBestNames[size_t(j)] = name;
                NewBestScores[size_t(j)] = s;
            } else {
                NewBestNames[size_t(j)] = BestNames[size_t(from)];
                NewBestScores[size_t(j)] = BestScores[size_t(from)];
            }
        }
        SaveBestResults();
        LoadBestResults();
    }
    WinStreak = 0;
}

void mdlVuska::ClearBestResults(const std::function<void(int)>& showSlot)
{
    platform::registry::Batch batch(HKEY_CURRENT_USER);
    for (int i = 0; i < SlotCount; ++i) {
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, nameValue(i), 1, AuthorName);
        WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, scoreValue(i), 1, QStringLiteral("0"));
        if (showSlot)
            showSlot(i);
        BestNames[size_t(i)] = AuthorName;
        BestScores[size_t(i)] = 0;
    }
    batch.commit();
}

bool mdlVuska::BestResultsHoldOnlyDefaults() const
{
    for (int i = 0; i < SlotCount; ++i) {
        if (BestNames[size_t(i)] != AuthorName || BestScores[size_t(i)] != 0)
            return false;
    }
    return true;
}

} // namespace vuska
