#include "terminaltoolkit.h"

namespace batora::cli {

int TerminalToolkit::messageBox(std::string_view text, std::string_view, int style) {
  m_output.message(text);
  return mb::buttonsOf(style) == mb::kYesNo ? mb::kIdYes : mb::kIdOk;
}

}  // namespace batora::cli
