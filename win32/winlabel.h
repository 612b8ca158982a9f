#pragma once
// A label: static text whose "&" underlines the access key.

#include "wincontrol.h"

namespace batora {

class WinLabel final : public WinControl, public Label {
 public:
  enum class Align { kLeft, kRight };
  WinLabel(const ControlPlace& place, Align align = Align::kLeft);

  std::string caption() const override;
  void setCaption(std::string text) override;
  void repaint() override;
  std::string walkCaption() const override { return caption(); }
};

}  // namespace batora
