#include "winmainwindow.h"

#include "platform.h"
#include "resourceids.h"
#include "winaboutbox.h"
#include "windrivelist.h"
#include "winshell.h"

namespace batora {

namespace {

HICON programIcon() {
  return ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(BATORA_ICON_PROGRAM));
}

}  // namespace

WinMainWindow::WinMainWindow(WinMainServices services)
    : m_services(std::move(services)),
      m_window(std::string(fmMainLayout().caption), WinFormBuilder::clientPixels(fmMainLayout()),
               programIcon()),
      m_controls(fmMainLayout(), m_window, &m_services.clock) {
  FormHost& host = *this;
  m_form =
      std::make_unique<MainForm>(MainFormServices{m_services.toolkit, m_services.clock,
                                                  m_services.programFolder, m_services.exeName},
                                 host);
  m_controls.connectEvents([this](const FormEvent& event) { return m_form->handle(event); });
  // The program's own unload is never refused.
  m_window.onClose = [this] {
    return !m_form->Form_QueryUnload(m_unloading ? CloseSource::kOther
                                                 : CloseSource::kCloseCommand);
  };
  m_window.onDestroy = [] { ::PostQuitMessage(0); };
  m_services.toolkit.setMainWindow(&m_window);
}

WinMainWindow::~WinMainWindow() {
  m_services.toolkit.setMainWindow(nullptr);
  m_window.onDestroy = nullptr;
}

bool WinMainWindow::Form_Load() {
  return m_form->Form_Load();
}

void WinMainWindow::show() {
  ::ShowWindow(m_window.hwnd(), SW_SHOW);
  ::SetForegroundWindow(m_window.hwnd());
  // The first control of the tab order has the focus, as in a dialog box.
  const std::vector<const ControlSpec*> order = tabOrder(fmMainLayout());
  if (!order.empty())
    ::SetFocus(m_controls.control(order.front()->name, order.front()->index.value_or(0))->hwnd());
}

void WinMainWindow::showAbout() {
  WinAboutBox about(m_services.toolkit, m_window.hwnd());
  about.showModal();
}

// The window closes as the close box would close it, but its close rule lets it go.
void WinMainWindow::unload() {
  m_unloading = true;
  if (m_window.hwnd() != nullptr) ::SendMessageW(m_window.hwnd(), WM_CLOSE, 0, 0);
}

void WinMainWindow::endAtOnce() {
  m_services.endAtOnce();
}

std::string WinMainWindow::driveOf(const std::string& path) const {
  return WinDriveList::driveOf(path);
}

// The log opens in the system's plain-text editor: "notepad " + path.
bool WinMainWindow::showLog(const std::filesystem::path& log) {
  return winshell::startCommandLine(winshell::plainTextEditorCommand(platform::pathToUtf8(log)));
}

}  // namespace batora
