#include "shortcut.h"

#include <string>

namespace batora {

namespace {

struct NamedKey {
  std::string_view name;
  WORD key;
};

constexpr NamedKey kNamedKeys[] = {
    {"DEL", VK_DELETE}, {"DELETE", VK_DELETE}, {"INS", VK_INSERT},   {"INSERT", VK_INSERT},
    {"HOME", VK_HOME},  {"END", VK_END},       {"ENTER", VK_RETURN}, {"ESC", VK_ESCAPE},
    {"TAB", VK_TAB},    {"SPACE", VK_SPACE},   {"BKSP", VK_BACK},    {"BACKSPACE", VK_BACK},
    {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT},     {"UP", VK_UP},        {"DOWN", VK_DOWN},
    {"LEFT", VK_LEFT},  {"RIGHT", VK_RIGHT},
};

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::optional<WORD> keyOf(const std::string& name) {
  if (name.size() == 1 &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return static_cast<WORD>(name[0]);
  if (name.size() >= 2 && name[0] == 'F') {
    int number = 0;
    for (size_t i = 1; i < name.size(); ++i) {
      if (name[i] < '0' || name[i] > '9') return std::nullopt;
      number = number * 10 + (name[i] - '0');
    }
    if (number >= 1 && number <= 24) return static_cast<WORD>(VK_F1 + number - 1);
    return std::nullopt;
  }
  for (const NamedKey& named : kNamedKeys)
    if (named.name == name) return named.key;
  return std::nullopt;
}

}  // namespace

std::optional<ACCEL> parseShortcut(std::string_view text, WORD command) {
  ACCEL accel{FVIRTKEY, 0, command};
  std::string rest = upper(text);
  for (;;) {
    const size_t plus = rest.find('+', 1);
    if (plus == std::string::npos) break;
    const std::string modifier = rest.substr(0, plus);
    BYTE flag = 0;
    if (modifier == "CTRL")
      flag = FCONTROL;
    else if (modifier == "SHIFT")
      flag = FSHIFT;
    else if (modifier == "ALT")
      flag = FALT;
    if (flag == 0 || (accel.fVirt & flag)) return std::nullopt;
    accel.fVirt = static_cast<BYTE>(accel.fVirt | flag);
    rest.erase(0, plus + 1);
  }
  const auto key = keyOf(rest);
  if (!key) return std::nullopt;
  accel.key = *key;
  return accel;
}

}  // namespace batora
