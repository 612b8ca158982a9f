#include "winstatusbar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "screenresolution.h"
#include "textmeasure.h"
#include "winsupport_win.h"

namespace batora {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr UINT_PTR kClockTimer = 1;
constexpr int kPanelMargin = 8;

int screenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

WinStatusBar::WinStatusBar(const ControlPlace& place, std::vector<PanelPlace> panels, Clock& clock)
    : WinControl(place, STATUSCLASSNAMEW, CCS_BOTTOM, 0, ControlKind::kStatusBar), m_clock(clock) {
  const int dpi = screenDpi();
  const TextMeasure measure(hwnd());
  for (const PanelPlace& layout : panels) {
    const int fromLayout = layout.widthTwips * dpi / kTwipsPerInch;
    const int forText =
        layout.widestText.empty() ? 0 : measure.width(win::wide(layout.widestText)) + kPanelMargin;
    m_panels.push_back({layout.key, std::max(fromLayout, forText), {}, {}});
  }
  applyWidths();
  showDateAndTime();
}

size_t WinStatusBar::indexOf(std::string_view key) const {
  for (size_t i = 0; i < m_panels.size(); ++i)
    if (m_panels[i].key == key) return i;
  throw std::out_of_range("the status bar has no panel " + std::string(key));
}

// The bar takes the right edges of its parts; the last one is not stretched to the end, so
// that every panel keeps the width of the layout.
void WinStatusBar::applyWidths() {
  std::vector<int> edges;
  int right = 0;
  for (const Panel& panel : m_panels) edges.push_back(right += panel.width);
  ::SendMessageW(hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < m_panels.size(); ++i) {
    const std::wstring text = win::wide(m_panels[i].text);
    ::SendMessageW(hwnd(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

Picture WinStatusBar::registerPicture(HICON icon) {
  m_pictures.push_back(icon);
  return Picture{static_cast<int>(m_pictures.size())};
}

int WinStatusBar::panelWidth(std::string_view key) const {
  return m_panels[indexOf(key)].width;
}

void WinStatusBar::setPanelWidth(std::string_view key, int pixels) {
  m_panels[indexOf(key)].width = pixels;
  applyWidths();
}

long WinStatusBar::panelWidthTwips(std::string_view key) const {
  return ScreenResolution::current().twipsX(panelWidth(key));
}

void WinStatusBar::setPanelWidthTwips(std::string_view key, long twips) {
  setPanelWidth(key, ScreenResolution::current().pixelsX(twips));
}

std::string WinStatusBar::panelText(std::string_view key) const {
  return m_panels[indexOf(key)].text;
}

void WinStatusBar::setPanelText(std::string_view key, std::string text) {
  const size_t index = indexOf(key);
  if (m_panels[index].text == text) return;
  m_panels[index].text = std::move(text);
  const std::wstring wide = win::wide(m_panels[index].text);
  ::SendMessageW(hwnd(), SB_SETTEXTW, index, reinterpret_cast<LPARAM>(wide.c_str()));
}

Picture WinStatusBar::panelPicture(std::string_view key) const {
  return m_panels[indexOf(key)].picture;
}

void WinStatusBar::setPanelPicture(std::string_view key, Picture picture) {
  const size_t index = indexOf(key);
  if (picture && (picture.id < 1 || picture.id > static_cast<int>(m_pictures.size())))
    throw std::out_of_range("no picture was registered as " + std::to_string(picture.id));
  m_panels[index].picture = picture;
  HICON icon = picture ? m_pictures[static_cast<size_t>(picture.id - 1)] : nullptr;
  ::SendMessageW(hwnd(), SB_SETICON, index, reinterpret_cast<LPARAM>(icon));
}

void WinStatusBar::repaint() {
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Armed for the next full minute rather than ticking every second; the clock reads whole
// seconds, so the time panel runs at most a second behind the minute.
void WinStatusBar::showDateAndTime() {
  const platform::LocalDateTime now = m_clock.now();
  char text[32];
  for (size_t i = 0; i < m_panels.size(); ++i) {
    if (m_panels[i].key == kDatePanel) {
      std::snprintf(text, sizeof text, "%04d/%02d/%02d", now.year, now.month, now.day);
      setPanelText(kDatePanel, text);
    } else if (m_panels[i].key == kTimePanel) {
      std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
      setPanelText(kTimePanel, text);
    }
  }
  ::SetTimer(hwnd(), kClockTimer, static_cast<UINT>(std::max(1, 60 - now.second) * 1000), nullptr);
}

std::optional<LRESULT> WinStatusBar::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kClockTimer) {
    showDateAndTime();
    return 0;
  }
  if (message == WM_DESTROY) ::KillTimer(hwnd(), kClockTimer);
  if (message != kReflectedNotify) return std::nullopt;
  const auto* mouse = reinterpret_cast<const NMMOUSE*>(lParam);
  if (mouse->hdr.code == NM_CLICK && mouse->dwItemSpec < m_panels.size() && onPanelClick)
    onPanelClick(m_panels[mouse->dwItemSpec].key);
  return 0;
}

}  // namespace batora
