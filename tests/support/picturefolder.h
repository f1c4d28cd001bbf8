#pragma once

#include <QString>

namespace vuska::test {

// Writes the 53 card pictures (small, plain JPEGs, each a colour of its own) into folder,
// so that a test can run the game without the real pictures.
void writeCardPictures(const QString& folder);

// Every card name of the deck, "hertta2" .. "ruutua".
QStringList allCardNames();

} // namespace vuska::test
