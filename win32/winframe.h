#pragma once
// A frame: a captioned group box drawn around controls that are its siblings, not its
// children, so that their notifications reach the window.

#include "wincontrol.h"

namespace batora {

class WinFrame final : public WinControl {
 public:
  explicit WinFrame(const ControlPlace& place);
  std::string walkCaption() const override { return windowText(); }
};

}  // namespace batora
