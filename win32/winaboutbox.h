#pragma once
// The About box on Win32: built from fmAboutLayout(), modal over its owner, driven by
// AboutForm. Enter, Esc and the close box close it like OK.

#include <windows.h>

#include <memory>

#include "aboutform.h"
#include "toolkit.h"
#include "winformbuilder.h"
#include "winwindow.h"

namespace batora {

class WinAboutBox {
 public:
  // Built hidden; `owner` is disabled while the box is shown.
  WinAboutBox(Toolkit& toolkit, HWND owner);
  ~WinAboutBox();
  WinAboutBox(const WinAboutBox&) = delete;
  WinAboutBox& operator=(const WinAboutBox&) = delete;

  // Shows the box and returns once it is closed.
  void showModal();
  WinWindow& window() { return m_window; }
  const WinFormBuilder& controls() const { return m_controls; }
  bool isOpen() const { return m_open; }

 private:
  void drawRule(HDC dc) const;
  void close();

  HWND m_owner;
  WinWindow m_window;
  WinFormBuilder m_controls;
  std::unique_ptr<AboutForm> m_form;
  bool m_open = false;
};

}  // namespace batora
