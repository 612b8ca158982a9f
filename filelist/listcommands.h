#pragma once
// The window's commands that reorder and select the file list.

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "toolkit.h"

namespace batora {

inline constexpr int kMoveUp = 1;
inline constexpr int kMoveDown = -1;

// Moves the one selected row up (1) or down (-1); warns unless exactly one row is selected.
void CmnMoveFile(clsObjCtrl& objCtrl, ListBox& lstFile, bsFunc& func, int iDirection);

// Asks the list to select or clear every row and shows the count it will have, without
// reading the list back (the request is applied later).
void CmnSelectAll(clsObjCtrl& objCtrl, ListBox& lstFile, bool bSelect);

}  // namespace batora
