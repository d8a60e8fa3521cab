// Texts of the About box, from version words as the card library reports them.
#pragma once

#include <QString>
#include <cstdint>

namespace app {

// "%d.%d.%d (build %d)": high and low 16 bits of the first word, then of the second.
QString FormatVersionPair(uint32_t mostSignificant, uint32_t leastSignificant);
// "%d.%d.%d.%d": the four bytes, most significant first.
QString FormatFirmware(uint32_t firmware);
// "Application" (10), "Factory" (15), otherwise the value in hexadecimal.
QString FormatFirmwareImage(uint32_t image);

// The viewer's own product version words.
uint32_t ProductVersionMS();
uint32_t ProductVersionLS();

}  // namespace app
