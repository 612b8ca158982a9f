#pragma once
// Shortcut keys as the menu table writes them ("Ctrl+Q", "F1", "Shift+Del").

#include <windows.h>

#include <optional>
#include <string_view>

namespace batora {

// The accelerator for the text, with `command` as its command id; nullopt when the text names
// no key or a modifier twice.
std::optional<ACCEL> parseShortcut(std::string_view text, WORD command);

}  // namespace batora
