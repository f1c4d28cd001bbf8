#include "setup/wizard/installationrecord.h"

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"

namespace vuska::setup {

bool GameIsInstalled()
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("Kansio")) != NotFound;
}

} // namespace vuska::setup
