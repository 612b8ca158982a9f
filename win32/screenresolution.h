#pragma once
// The screen's resolution, at which the layouts' twips become pixels and back.

namespace batora {

class ScreenResolution {
 public:
  ScreenResolution(int dotsPerInchX, int dotsPerInchY)
      : m_dpiX(dotsPerInchX), m_dpiY(dotsPerInchY) {}
  // The resolution the system reports for the screen now.
  static ScreenResolution current();

  int dpiY() const { return m_dpiY; }
  // Rounded to the nearest pixel.
  int pixelsX(long twips) const;
  int pixelsY(long twips) const;
  long twipsX(int pixels) const;
  long twipsY(int pixels) const;

 private:
  int m_dpiX;
  int m_dpiY;
};

}  // namespace batora
