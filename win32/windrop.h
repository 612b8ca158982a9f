#pragma once
// Files dropped from the shell, read out of the handle WM_DROPFILES brings.

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "toolkit.h"

namespace batora {

// Every path of the drop, in the order the shell gives them; the handle stays the caller's.
DropData readDroppedFiles(HDROP drop);

}  // namespace batora
