#pragma once

namespace platform::screen {

// Twips (1/1440 inch) per screen pixel: 15 at 96 dots per inch, 12 at 120.
int twipsPerPixelX();
int twipsPerPixelY();

// Tests try the layouts of other displays; 0 removes the override.
void setTwipsPerPixelOverride(int x, int y);

} // namespace platform::screen
