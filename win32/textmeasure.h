#pragma once

#include <windows.h>

#include <string>

namespace batora {

// Widths of texts in a window's font, with one device context for many texts.
class TextMeasure {
 public:
  explicit TextMeasure(HWND window)
      : m_window(window),
        m_dc(::GetDC(window)),
        m_old(::SelectObject(m_dc,
                             reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)))) {}
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;
  ~TextMeasure() {
    ::SelectObject(m_dc, m_old);
    ::ReleaseDC(m_window, m_dc);
  }
  int width(const std::wstring& text) const {
    SIZE size{};
    ::GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  int lineHeight() const {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(m_dc, &metrics);
    return metrics.tmHeight;
  }

 private:
  HWND m_window;
  HDC m_dc;
  HGDIOBJ m_old;
};

}  // namespace batora
