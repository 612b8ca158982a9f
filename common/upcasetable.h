#pragma once
// The home platform's upper-case table for the basic plane; each platform builds it from its
// own case data.

#include <array>

namespace batora {

// For every UTF-16 code unit, the unit that the home platform's file system compares it as.
using UpcaseTable = std::array<char16_t, 0x10000>;

// The unit's simple upper case from the platform's own case data; the unit itself when it has
// none.
char16_t platformUpperCase(char16_t unit);

// The table of platformUpperCase(); 64 K look-ups, so the caller builds it once.
UpcaseTable buildUpcaseTable();

}  // namespace batora
