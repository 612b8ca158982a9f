#pragma once
// The status bar on Win32: the common controls' bar with panels found by key, pictures by
// handle, date and time panels kept current by the bar's own timer, clicks reported by key.

#include <windows.h>

#include <string>
#include <vector>

#include "clock.h"
#include "wincontrol.h"

namespace batora {

// A panel of the layout: key, width in twips, and the widest text the bar writes into it
// itself (its width never cuts that text).
struct PanelPlace {
  std::string key;
  int widthTwips = 0;
  std::string widestText;
};

inline constexpr std::string_view kDatePanel = "stbpDate";
inline constexpr std::string_view kTimePanel = "stbpTime";

class WinStatusBar final : public WinControl, public StatusBar {
 public:
  // Docked at the bottom of `place.parent`; the clock must outlive the bar. Panels with the
  // keys kDatePanel and kTimePanel show the date and time.
  WinStatusBar(const ControlPlace& place, std::vector<PanelPlace> panels, Clock& clock);

  // The handle under which a panel shows the icon; handles count up from 1. The icon stays
  // the caller's.
  Picture registerPicture(HICON icon);
  // Unknown keys throw std::out_of_range.
  int panelWidth(std::string_view key) const;
  void setPanelWidth(std::string_view key, int pixels);
  // Panel texts are shown as they are; call it after the clock moved to see the new time.
  void showDateAndTime();

  std::string panelText(std::string_view key) const override;
  void setPanelText(std::string_view key, std::string text) override;
  Picture panelPicture(std::string_view key) const override;
  // Picture{} removes the picture; a handle never registered throws std::out_of_range.
  void setPanelPicture(std::string_view key, Picture picture) override;
  void repaint() override;
  long panelWidthTwips(std::string_view key) const override;
  void setPanelWidthTwips(std::string_view key, long twips) override;

  // A click on a panel, with its key.
  std::function<void(const std::string&)> onPanelClick;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Panel {
    std::string key;
    int width = 0;
    std::string text;
    Picture picture;
  };
  size_t indexOf(std::string_view key) const;
  void applyWidths();

  std::vector<Panel> m_panels;
  std::vector<HICON> m_pictures;
  Clock& m_clock;
};

}  // namespace batora
