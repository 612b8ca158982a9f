#include "winaboutbox.h"

#include "formlayout.h"
#include "resourceids.h"
#include "winpicture.h"

namespace batora {

namespace {

constexpr int kIconPixels = 32;

COLORREF colourOf(unsigned rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Owns a pen selected into a device context.
class SelectedPen {
 public:
  SelectedPen(HDC dc, COLORREF colour)
      : m_dc(dc), m_pen(::CreatePen(PS_SOLID, 1, colour)), m_old(::SelectObject(dc, m_pen)) {}
  SelectedPen(const SelectedPen&) = delete;
  SelectedPen& operator=(const SelectedPen&) = delete;
  ~SelectedPen() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_pen);
  }

 private:
  HDC m_dc;
  HPEN m_pen;
  HGDIOBJ m_old;
};

}  // namespace

WinAboutBox::WinAboutBox(Toolkit& toolkit, HWND owner)
    : m_owner(owner),
      m_window(std::string(fmAboutLayout().caption), WinFormBuilder::clientPixels(fmAboutLayout()),
               nullptr, owner),
      m_controls(fmAboutLayout(), m_window, nullptr) {
  // The box's picture is the program's icon, at the icon's own size.
  const auto icon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(BATORA_ICON_PROGRAM), IMAGE_ICON,
                   kIconPixels, kIconPixels, LR_SHARED));
  for (const ControlSpec& spec : fmAboutLayout().controls)
    if (spec.type == ControlType::kPicture)
      static_cast<WinPicture*>(m_controls.control(spec.name))->setIcon(icon);
  m_form = std::make_unique<AboutForm>(toolkit, m_window, m_controls.label("lblTitle"),
                                       [this] { close(); });
  m_controls.connectEvents([this](const FormEvent& event) { return m_form->handle(event); });
  // Enter and Esc press the rows marked for them; the close box answers as Esc does.
  m_window.onDialogKey = [this](UINT id) {
    for (const ControlSpec& spec : fmAboutLayout().controls)
      if (spec.has(id == IDOK ? kDefaultButton : kCancelButton)) {
        m_form->handle({spec.name, FormEventKind::kClick});
        return;
      }
  };
  m_window.onClose = [this] {
    close();
    return false;
  };
  m_window.onPaint = [this](HDC dc) { drawRule(dc); };
  m_form->Form_Load();
}

WinAboutBox::~WinAboutBox() {
  if (m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
}

// The rule's lines are fixed in pixels, not twips: the grey line sits exactly one pixel above
// the white one at every resolution, or the etched look would turn into two separate lines.
void WinAboutBox::drawRule(HDC dc) const {
  const ControlSpec& white = findControl(fmAboutLayout(), "Line1", 0);
  const ControlSpec& grey = findControl(fmAboutLayout(), "Line1", 1);
  const ScreenResolution& screen = m_controls.resolution();
  const int y = screen.pixelsY(white.rect.top);
  for (const auto& [line, top] : {std::pair{&grey, y - 1}, std::pair{&white, y}}) {
    const SelectedPen pen(dc, colourOf(line->colour));
    ::MoveToEx(dc, screen.pixelsX(line->rect.left), top, nullptr);
    ::LineTo(dc, screen.pixelsX(line->rect.left + line->rect.width), top);
  }
}

// The loop in showModal() ends on the next message; the box stays up until then.
void WinAboutBox::close() {
  m_open = false;
  ::PostMessageW(m_window.hwnd(), WM_NULL, 0, 0);
}

// The owner is disabled while the box is up, as a modal dialog box does; it gets the
// activation back before the box hides, or the system would hand it to another program.
void WinAboutBox::showModal() {
  m_open = true;
  if (m_owner != nullptr) ::EnableWindow(m_owner, FALSE);
  ::ShowWindow(m_window.hwnd(), SW_SHOW);
  const std::vector<const ControlSpec*> order = tabOrder(fmAboutLayout());
  if (!order.empty()) ::SetFocus(m_controls.control(order.front()->name)->hwnd());
  MSG msg{};
  while (m_open && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (m_window.preTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (msg.message == WM_QUIT && m_open) ::PostQuitMessage(static_cast<int>(msg.wParam));
  if (m_owner != nullptr) {
    ::EnableWindow(m_owner, TRUE);
    ::SetActiveWindow(m_owner);
  }
  ::ShowWindow(m_window.hwnd(), SW_HIDE);
}

}  // namespace batora
