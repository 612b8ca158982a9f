#pragma once
// The base of every Win32 control: one child window owned by one object, which answers the
// window's own messages and the notifications its parent sends back to it.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit.h"

namespace batora {

// One row of the window's table as the builder hands it over.
struct ControlPlace {
  HWND parent = nullptr;
  std::string name;
  // "&" marks the access key.
  std::string caption;
  // Pixels in the parent's client area: left, top, right, bottom.
  RECT bounds{};
  // nullptr: the system's GUI font.
  HFONT font = nullptr;
  int id = 0;
};

// Sent by a window back to the control that raised WM_COMMAND or WM_NOTIFY, with the same
// parameters.
inline constexpr UINT kReflectedCommand = WM_APP + 0x100;
inline constexpr UINT kReflectedNotify = WM_APP + 0x101;
inline constexpr UINT kReflectedDrawItem = WM_APP + 0x102;

// Hands a control's WM_COMMAND, WM_NOTIFY or WM_DRAWITEM back to the control; nullopt for any other
// message.
std::optional<LRESULT> reflectToControl(UINT message, WPARAM wParam, LPARAM lParam);

class WinControl {
 public:
  WinControl(const ControlPlace& place, const wchar_t* windowClass, DWORD style, DWORD exStyle,
             ControlKind kind);
  WinControl(const WinControl&) = delete;
  WinControl& operator=(const WinControl&) = delete;
  virtual ~WinControl();

  // nullptr once the window is gone (its parent destroyed it).
  HWND hwnd() const { return m_hwnd; }
  const std::string& name() const { return m_name; }
  ControlKind kind() const { return m_kind; }
  // What the control walk reports as the caption: the text of captioned controls, else "".
  virtual std::string walkCaption() const;
  bool isEnabled() const;
  void setEnabled(bool enabled);
  // Makes the control take dropped files and folders from the shell.
  void acceptFileDrops(std::function<void(const DropData&)> onDrop);

  // A typed character; true when the handler consumed it. Enter arrives as U'\r'.
  std::function<bool(char32_t)> onKeyPress;

 protected:
  // A message of the control's own; nullopt leaves it to the control's class.
  virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);
  std::string windowText() const;
  void setWindowText(std::string_view text);

 private:
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  std::optional<LRESULT> handleKeyboard(UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hwnd = nullptr;
  std::string m_name;
  ControlKind m_kind;
  std::function<void(const DropData&)> m_onDrop;
  wchar_t m_highSurrogate = 0;
};

}  // namespace batora
