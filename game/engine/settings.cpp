#include <algorithm>
#include <iterator>

#include "game/engine/mdlvuska.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"

namespace vuska {

void mdlVuska::ReadSettings()
{
    const auto read = [](const char* name) {
        return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QString::fromLatin1(name));
    };
    StartMode = read("PelinAloitustapa");
    const QString shuffle = read("NaytaKorttienSekoitusJaJako");
    if (shuffle == QLatin1String("True"))
        ShowShuffleAndDeal = true;
    else if (shuffle == QLatin1String("False"))
        ShowShuffleAndDeal = false;
    const QString movement = read("NaytaKorttienSiirto");
    if (movement == QLatin1String("True"))
        ShowCardMovement = true;
    else if (movement == QLatin1String("False"))
        ShowCardMovement = false;

    // "0" (slow) to "6" (fast); anything else is the slowest.
    const QString speed = read("Animaationopeus");
    AnimationSteps = 40;
    for (int v = 0; v <= 6; ++v) {
        if (speed == QString::number(v))
            AnimationSteps = qint16(40 - 5 * v);
    }

    const QString modes[] = {StartModes::Alternate, StartModes::Random, StartModes::LowestCard,
                             StartModes::PreviousWinner};
    if (std::find(std::begin(modes), std::end(modes), StartMode) == std::end(modes))
        StartMode = StartModes::Alternate;
    if (shuffle != QLatin1String("True") && shuffle != QLatin1String("False"))
        ShowShuffleAndDeal = true;
    if (movement != QLatin1String("True") && movement != QLatin1String("False"))
        ShowCardMovement = true;
}

} // namespace vuska
