#pragma once
// A font made for the window's controls, deleted with its object.

#include <windows.h>

#include <cmath>
#include <string>

namespace batora {

class WinFont {
 public:
  // `points` at the screen's vertical resolution `dpiY`; Japanese character set, so that the
  // system picks the Japanese glyphs of a replacement font.
  WinFont(const std::wstring& face, double points, bool bold, int dpiY)
      : m_font(::CreateFontW(-static_cast<int>(std::lround(points * dpiY / 72.0)), 0, 0, 0,
                             bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.c_str())) {}
  WinFont(const WinFont&) = delete;
  WinFont& operator=(const WinFont&) = delete;
  ~WinFont() {
    if (m_font != nullptr) ::DeleteObject(m_font);
  }
  HFONT handle() const { return m_font; }

 private:
  HFONT m_font;
};

}  // namespace batora
