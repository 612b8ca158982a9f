#include "formlayout.h"

#include <algorithm>
#include <stdexcept>

namespace batora {

const ControlSpec& findControl(const FormLayout& layout, std::string_view name,
                               std::optional<int> index) {
  for (const ControlSpec& control : layout.controls)
    if (control.name == name && control.index == index) return control;
  throw std::out_of_range("the layout has no control " + std::string(name));
}

const MenuSpec& findMenu(const FormLayout& layout, std::string_view name) {
  for (const MenuSpec& menu : layout.menus)
    if (menu.name == name) return menu;
  throw std::out_of_range("the layout has no menu " + std::string(name));
}

bool takesFocus(ControlType type) {
  switch (type) {
    case ControlType::kLabel:
    case ControlType::kFrame:
    case ControlType::kStatusBar:
    case ControlType::kPicture:
    case ControlType::kLine:
      return false;
    default:
      return true;
  }
}

ControlKind walkKind(ControlType type) {
  switch (type) {
    case ControlType::kLabel:
      return ControlKind::kLabel;
    case ControlType::kFrame:
      return ControlKind::kFrame;
    case ControlType::kStatusBar:
      return ControlKind::kStatusBar;
    default:
      return ControlKind::kControl;
  }
}

// Lines are drawn on the window, not walked: the classic walk never reached them either, since
// a line has no enabled state to set.
std::vector<ControlInfo> controlWalk(const FormLayout& layout) {
  std::vector<ControlInfo> walk;
  for (const ControlSpec& control : layout.controls) {
    if (control.type == ControlType::kLine) continue;
    walk.push_back(
        {std::string(control.name), walkKind(control.type), std::string(control.caption)});
  }
  for (const MenuSpec& menu : layout.menus)
    walk.push_back({std::string(menu.name), ControlKind::kMenuItem,
                    menu.separator ? std::string("-") : std::string(menu.caption)});
  return walk;
}

std::vector<const ControlSpec*> tabOrder(const FormLayout& layout) {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& control : layout.controls)
    if (takesFocus(control.type) && control.tabIndex >= 0) order.push_back(&control);
  std::stable_sort(order.begin(), order.end(), [](const ControlSpec* a, const ControlSpec* b) {
    return a->tabIndex < b->tabIndex;
  });
  return order;
}

std::vector<std::string> lockList(const FormLayout& layout,
                                  const std::vector<std::string>& exceptions) {
  std::vector<std::string> names;
  for (const ControlInfo& info : controlWalk(layout)) {
    const bool inert = info.kind == ControlKind::kLabel || info.kind == ControlKind::kFrame ||
                       info.kind == ControlKind::kStatusBar ||
                       (info.kind == ControlKind::kMenuItem && info.caption == "-");
    if (inert || std::find(exceptions.begin(), exceptions.end(), info.name) != exceptions.end())
      continue;
    names.push_back(info.name);
  }
  return names;
}

}  // namespace batora
