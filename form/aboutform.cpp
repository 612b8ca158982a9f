#include "aboutform.h"

#include <cmath>

#include "registry.h"

#if !defined(BATORA_VERSION_MAJOR) || !defined(BATORA_VERSION_MINOR) || \
    !defined(BATORA_VERSION_REVISION)
#error "The build passes the program version from the project's version."
#endif

namespace batora {

std::string aboutTitle(int major, int minor, int revision) {
  return "Batora　Ver. " + std::to_string(major) + '.' + std::to_string(minor) + '.' +
         std::to_string(revision);
}

std::string programAboutTitle() {
  return aboutTitle(BATORA_VERSION_MAJOR, BATORA_VERSION_MINOR, BATORA_VERSION_REVISION);
}

// The difference is rounded to whole twips (halves to even) before it is halved, and the
// halving is an integer division: the remainder is dropped towards zero, also when a window
// wider than the screen makes the difference negative.
long centredTwips(double screenTwips, double windowTwips) {
  return static_cast<long>(std::nearbyint(screenTwips - windowTwips)) / 2;
}

AboutForm::AboutForm(Toolkit& toolkit, TopLevelWindow& window, Label& lblTitle,
                     std::function<void()> close)
    : m_toolkit(toolkit), m_window(window), m_lblTitle(lblTitle), m_close(std::move(close)) {}

// The screen size comes from the toolkit, like the main window's, so both windows follow the
// same rule.
void AboutForm::Form_Load() {
  const Size screen = m_toolkit.screenSizeTwips();
  const Size outer = m_window.outerSizeTwips();
  m_window.moveToTwips(
      centredTwips(static_cast<double>(screen.width), static_cast<double>(outer.width)),
      centredTwips(static_cast<double>(screen.height), static_cast<double>(outer.height)));
  m_lblTitle.setCaption(programAboutTitle());
}

bool AboutForm::handle(const FormEvent& event) {
  if (event.kind != FormEventKind::kClick) return false;
  if (event.control == "cmdOK") {
    m_close();
    return true;
  }
  if (event.control == "cmdSysInfo") {
    startSystemInfo(m_toolkit);
    return true;
  }
  return false;
}

}  // namespace batora
