#pragma once
// An event of a window's control, as a front end hands it to the form logic.

#include <string_view>

#include "toolkit.h"

namespace batora {

enum class FormEventKind { kClick, kChange, kKeyPress, kDragDrop, kPanelClick };

struct FormEvent {
  FormEvent(std::string_view name, FormEventKind what, int position = 0)
      : control(name), kind(what), index(position) {}

  std::string_view control;
  FormEventKind kind = FormEventKind::kClick;
  int index = 0;                   // the position in an indexed set (optSearch 1 to 3)
  char32_t key = 0;                // kKeyPress: the character typed, kKeyEnter for Enter
  const DropData* drop = nullptr;  // kDragDrop: what was dropped
  std::string_view panel;          // kPanelClick: the key of the panel
};

// Who asks a window to close: its own close command (title-bar button, Alt+F4), or the
// program, the system or the task manager.
enum class CloseSource { kCloseCommand, kOther };

}  // namespace batora
