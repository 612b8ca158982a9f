#pragma once
// A shown top-level window for the controls under test, and the messages a user's actions
// send to them.

#include <windows.h>
// after windows.h, which it needs
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "wincontrol.h"
#include "winsupport_win.h"
#include "winwindow.h"

namespace batora::testing {

// While it lives, hands the next window this thread activates (a message box, a dialog) to
// `act`, once: the only moment a test can answer a modal window that it opened itself.
class OnNextActivation {
 public:
  explicit OnNextActivation(std::function<void(HWND)> act)
      : m_hook(::SetWindowsHookExW(WH_CBT, hook, nullptr, ::GetCurrentThreadId())) {
    s_act = std::move(act);
  }
  ~OnNextActivation() {
    ::UnhookWindowsHookEx(m_hook);
    s_act = nullptr;
  }
  OnNextActivation(const OnNextActivation&) = delete;
  OnNextActivation& operator=(const OnNextActivation&) = delete;
  bool happened() const { return !s_act; }

 private:
  static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && s_act)
      std::exchange(s_act, nullptr)(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline std::function<void(HWND)> s_act;
  HHOOK m_hook;
};

class WinFixture : public ::testing::Test {
 protected:
  WinFixture() : window("テスト", SIZE{600, 400}) {
    ::ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
  }

  ControlPlace place(std::string name, RECT bounds, std::string caption = {}) {
    return {window.hwnd(), std::move(name), std::move(caption), bounds, nullptr, ++m_nextId};
  }

  // What the parent receives when a control notifies it, as the control itself sends it.
  void notifyParent(const WinControl& control, WORD code) {
    ::SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control.hwnd()), code),
                   reinterpret_cast<LPARAM>(control.hwnd()));
  }

  // Dispatches what is pending, as the message loop would.
  static void pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }

  // WM_DROPFILES as the shell sends it: a DROPFILES header and the paths, each ended by a
  // null, the list by one more. The receiver frees the block.
  static void dropFiles(HWND target, const std::vector<std::wstring>& paths) {
    size_t units = 1;
    for (const auto& p : paths) units += p.size() + 1;
    HGLOBAL block = ::GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const auto& p : paths) {
      std::copy(p.begin(), p.end(), text);
      text += p.size() + 1;
    }
    ::GlobalUnlock(block);
    ::SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
  }

  WinWindow window;

 private:
  int m_nextId = 100;
};

}  // namespace batora::testing
