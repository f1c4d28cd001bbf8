#pragma once

namespace vuska::setup {

// Whether the game is installed, by the installation record in the registry store: the start-up
// opens the removal window when it is, the wizard when it is not. Any readable installation
// folder value counts, whatever it holds; a missing, unreadable or oversized one does not.
bool GameIsInstalled();

} // namespace vuska::setup
