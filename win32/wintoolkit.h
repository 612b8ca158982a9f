#pragma once
// The application-wide toolkit services on Win32.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "olesession.h"
#include "toolkit.h"
#include "winshell.h"
#include "winwindow.h"

namespace batora {

class WinToolkit final : public Toolkit {
 public:
  // Shows a box and answers what MessageBoxW answers; tests put a script in its place.
  using BoxFunction = std::function<int(HWND owner, const std::wstring& text,
                                        const std::wstring& title, UINT flags)>;

  // `instanceName` names the claim of one running instance. OLE is started on the calling
  // thread, which must be the window thread, for the whole life of the toolkit.
  explicit WinToolkit(std::string_view instanceName);

  // Owner of the boxes, keeper of the mouse pointer, and the window whose shortcuts and
  // dialog keys the yield handles; nullptr: none.
  void setMainWindow(WinWindow* window);
  void setBoxFunction(BoxFunction box) { m_box = std::move(box); }
  // The MessageBoxW flags for a style word of the toolkit.
  static UINT boxFlags(int style);
  // Shows a box with MessageBoxW; closing it from its frame answers IDCANCEL whatever its
  // buttons.
  static int systemMessageBox(HWND owner, const std::wstring& text, const std::wstring& title,
                              UINT flags);
  int mousePointer() const { return m_pointer; }
  // The command line for a program and its arguments: the program quoted when it holds a
  // space, each argument after one space as it is.
  static std::string commandLine(const std::string& program, const std::vector<std::string>& args);
  // Runs the program's message loop until WM_QUIT; answers its exit code.
  int run();

  int messageBox(std::string_view text, std::string_view title, int style) override;
  void beep() override;
  void setMousePointer(int pointer) override;
  void yield() override;
  bool clipboardHasText() override;
  std::string clipboardText() override;
  void setClipboardText(std::string_view text) override;
  bool startProgram(const std::string& program, const std::vector<std::string>& args) override;
  int openDocument(const std::string& file, const std::string& folder) override;
  bool previousInstance() override;
  Size screenSizeTwips() override;

 private:
  bool showPointer() const;
  void dispatch(MSG& msg);

  OleSession m_ole;
  WinWindow* m_main = nullptr;
  BoxFunction m_box;
  int m_pointer = kPointerDefault;
  winshell::SingleInstance m_instance;
};

}  // namespace batora
