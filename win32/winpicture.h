#pragma once
// A picture box that shows an icon at the icon's own size.

#include "wincontrol.h"

namespace batora {

class WinPicture final : public WinControl {
 public:
  explicit WinPicture(const ControlPlace& place);
  // The icon stays the caller's.
  void setIcon(HICON icon);
};

}  // namespace batora
