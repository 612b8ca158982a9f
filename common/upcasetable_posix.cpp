#include <unicode/uchar.h>

#include "upcasetable.h"

namespace batora {

// ICU's simple upper case, kept only where the lower case of the result is the unit again. The
// home platform's table holds just those pairs: it leaves the dotless ı, the long ſ, the final
// ς, the micro sign µ, the title-case digraphs (ǅ) and the Greek and Cyrillic variant forms as
// they are, which the simple upper case alone would take for I, S, Σ, Μ, Ǆ and so on. Checked
// over the whole basic plane against Windows' ordinal comparison with case ignored (under
// Wine): the two agree on every unit. A letter whose upper case is more than one character
// (ß, ﬀ) has no simple upper case and stays, as it does there.
char16_t platformUpperCase(char16_t unit) {
  const UChar32 upper = u_toupper(unit);
  if (upper == unit || upper > 0xFFFF || u_tolower(upper) != unit) return unit;
  return static_cast<char16_t>(upper);
}

}  // namespace batora
