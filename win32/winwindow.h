#pragma once
// A top-level window on Win32: hosts the controls and the menu bar, hands notifications back
// to the controls, runs menu commands and their shortcuts, and implements the lock and the
// control walk.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit.h"
#include "wincontrol.h"
#include "winmenu.h"
#include "winmenuitem.h"

namespace batora {

class WinWindow final : public TopLevelWindow {
 public:
  // A window with a fixed frame and the given client size in pixels; hidden until shown. With
  // an owner it is a dialog box of that window: a modal frame, no minimise box, no task-bar
  // entry.
  WinWindow(std::string caption, SIZE client, HICON icon = nullptr, HWND owner = nullptr);
  WinWindow(const WinWindow&) = delete;
  WinWindow& operator=(const WinWindow&) = delete;
  ~WinWindow() override;

  // nullptr once the window is destroyed.
  HWND hwnd() const { return m_hwnd; }
  // The window takes the bar over.
  void setMenuBar(WinMenu& bar);
  // Entries of the control walk, in the order added. Menu items with a shortcut also get
  // their accelerator.
  void addControl(WinControl& control);
  void addMenuItem(WinMenuItem& item);
  // Shortcuts and dialog navigation (Tab, arrows, access keys); true when the message was
  // handled and must not be dispatched.
  bool preTranslate(MSG& msg);

  void setInputLocked(bool locked) override;
  bool isInputLocked() const { return m_locked; }
  int controlCount() const override;
  ControlInfo controlAt(int index) const override;
  bool setControlEnabled(int index, bool enabled) override;
  void setCaption(std::string caption) override;
  Size outerSizeTwips() const override;
  void moveToTwips(long left, long top) override;

  // The close box or Alt+F4: true lets the window be destroyed.
  std::function<bool()> onClose;
  std::function<void()> onDestroy;
  // WM_SETCURSOR: true when the handler set the pointer itself.
  std::function<bool()> onSetCursor;
  // Enter or Esc where no control answers them: the dialog keys send IDOK or IDCANCEL.
  std::function<void(UINT id)> onDialogKey;
  // Draws on the client area after the background (lines that are not controls).
  std::function<void(HDC dc)> onPaint;

 private:
  struct Entry {
    WinControl* control;
    WinMenuItem* item;
  };
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void runMenuCommand(UINT id);
  void rebuildAccelerators();
  const Entry& entry(int index) const;

  DWORD m_style;
  DWORD m_exStyle;
  HWND m_hwnd = nullptr;
  HACCEL m_accelerators = nullptr;
  std::vector<Entry> m_entries;
  bool m_locked = false;
  HWND m_focusBeforeLock = nullptr;
};

}  // namespace batora
