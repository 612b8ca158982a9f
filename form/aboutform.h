#pragma once
// The About box's behaviour without a toolkit: its load steps and its two commands, on the
// controls a front end built from fmAboutLayout().

#include <functional>
#include <string>

#include "formevent.h"
#include "toolkit.h"

namespace batora {

// "Batora　Ver. " and the three numbers joined with ".", each in decimal without leading zeros.
std::string aboutTitle(int major, int minor, int revision);
// aboutTitle() of the version this program carries.
std::string programAboutTitle();

// One coordinate of the corner that centres a window on the screen, both sizes in twips.
long centredTwips(double screenTwips, double windowTwips);

class AboutForm {
 public:
  // `close` closes the box; the front end discards it afterwards.
  AboutForm(Toolkit& toolkit, TopLevelWindow& window, Label& lblTitle, std::function<void()> close);

  // Centres the box on the screen and shows the program's name and version.
  void Form_Load();
  // cmdOK closes the box, cmdSysInfo starts the system-information tool.
  bool handle(const FormEvent& event);

 private:
  Toolkit& m_toolkit;
  TopLevelWindow& m_window;
  Label& m_lblTitle;
  std::function<void()> m_close;
};

}  // namespace batora
