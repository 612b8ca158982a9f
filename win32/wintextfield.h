#pragma once
// A one-line text box.

#include "wincontrol.h"

namespace batora {

class WinTextField final : public WinControl, public TextField {
 public:
  // maxLength 0: no limit of the field's own.
  WinTextField(const ControlPlace& place, int maxLength, bool readOnly);
  ~WinTextField() override;

  std::string text() const override;
  // Raises onChange as typing does; the same text again changes nothing and raises nothing.
  void setText(std::string text) override;
  int maxLength() const override { return m_maxLength; }
  bool isReadOnly() const override;
  // Takes plain text dropped from other programs (OLE must be initialised on the thread);
  // false when the system refused the registration.
  bool acceptTextDrops();

  // The text changed, by typing or by setText (EN_CHANGE).
  std::function<void()> onChange;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int m_maxLength;
  bool m_dropsRegistered = false;
};

}  // namespace batora
