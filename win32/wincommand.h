#pragma once
// A push button.

#include "wincontrol.h"

namespace batora {

class WinCommand final : public WinControl, public Command {
 public:
  explicit WinCommand(const ControlPlace& place);

  std::string caption() const override { return windowText(); }
  void setCaption(std::string caption) override { setWindowText(caption); }
  bool isEnabled() const override { return WinControl::isEnabled(); }
  void setEnabled(bool enabled) override { WinControl::setEnabled(enabled); }
  std::string walkCaption() const override { return caption(); }

  std::function<void()> onClick;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace batora
