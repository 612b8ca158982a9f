#include "screenresolution.h"

#include <windows.h>

#include <cmath>

namespace batora {

namespace {

constexpr double kTwipsPerInch = 1440.0;

int toPixels(long twips, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

long toTwips(int pixels, int dpi) {
  return std::lround(pixels * kTwipsPerInch / dpi);
}

}  // namespace

// The manifest declares the program aware of the resolution, so this is the screen's own and
// not the 96 the system would pretend for an unaware program.
ScreenResolution ScreenResolution::current() {
  HDC screen = ::GetDC(nullptr);
  const ScreenResolution resolution(::GetDeviceCaps(screen, LOGPIXELSX),
                                    ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
  return resolution;
}

int ScreenResolution::pixelsX(long twips) const {
  return toPixels(twips, m_dpiX);
}
int ScreenResolution::pixelsY(long twips) const {
  return toPixels(twips, m_dpiY);
}
long ScreenResolution::twipsX(int pixels) const {
  return toTwips(pixels, m_dpiX);
}
long ScreenResolution::twipsY(int pixels) const {
  return toTwips(pixels, m_dpiY);
}

}  // namespace batora
