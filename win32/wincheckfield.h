#pragma once
// A check box, or an option button of a group that starts at the button marked as first.

#include "wincontrol.h"

namespace batora {

class WinCheckField final : public WinControl, public CheckField {
 public:
  enum class Kind { kCheckBox, kOption, kFirstOption };
  WinCheckField(const ControlPlace& place, Kind kind);

  int value() const override;
  // Raises onClick when the value changes; selecting an option clears the others of its group.
  void setValue(int value) override;
  std::string walkCaption() const override { return windowText(); }
  bool isOptionButton() const { return m_option; }

  // The value changed by a click, a key or setValue.
  std::function<void()> onClick;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void clearOtherOptions();

  bool m_option;
  int m_lastValue = 0;
};

}  // namespace batora
