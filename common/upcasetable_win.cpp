#include <windows.h>

#include "upcasetable.h"

namespace batora {

// The system's own mapping, without linguistic casing, is the one its file systems and its
// ordinal comparison with case ignored use. A surrogate is half a character and has no case.
char16_t platformUpperCase(char16_t unit) {
  if (unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF)) return unit;
  const wchar_t in = static_cast<wchar_t>(unit);
  wchar_t out = in;
  const int length =
      ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &in, 1, &out, 1, nullptr, nullptr, 0);
  return length == 1 ? static_cast<char16_t>(out) : unit;
}

}  // namespace batora
