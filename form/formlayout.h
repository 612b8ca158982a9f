#pragma once
// A window described once: its controls, menu tree and status panels as plain data. Every
// front end builds its widgets from these rows; the control walk, the tab order and the lock
// list are derived from them. Positions and sizes are in twips, texts are UTF-8.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit.h"

namespace batora {

enum class ControlType {
  kLabel,
  kFrame,
  kTextBox,
  kCheckBox,
  kOptionButton,
  kButton,
  kListBox,
  kDriveList,
  kFolderList,
  kStatusBar,
  kPicture,
  kLine,
};

// Properties a row may carry, combined with |.
enum ControlFlag : unsigned {
  kReadOnly = 1u << 0,
  kRightAligned = 1u << 1,
  kExtendedSelection = 1u << 2,
  kAcceptsDrops = 1u << 3,
  kDisabledAtStart = 1u << 4,
  kMultiLine = 1u << 5,      // a text box that takes Enter as a key of its own
  kDefaultButton = 1u << 6,  // Enter presses it
  kCancelButton = 1u << 7,   // Esc presses it
  kButtonFaceBackground = 1u << 8,
  kSizedToPicture = 1u << 9,
  kDockedBottom = 1u << 10,
};

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// An empty face means the window's font.
struct FontSpec {
  std::string_view face;
  double points = 0;
  bool bold = false;
};

struct ControlSpec {
  std::string_view name;
  std::optional<int> index;  // the position inside an indexed set of controls
  ControlType type = ControlType::kLabel;
  std::string_view parent;   // the frame that holds the control; "" for the window
  std::string_view caption;  // with its access key as "(&X)"
  TwipsRect rect;            // a line: from (left, top) to (left + width, top + height)
  int maxLength = 0;         // characters that can be typed; 0 for no limit
  int tabIndex = -1;         // -1 for a control outside the tab order
  FontSpec font;
  unsigned flags = 0;
  unsigned colour = 0;  // a line's colour as 0xRRGGBB

  bool has(ControlFlag flag) const { return (flags & flag) != 0; }
};

struct MenuSpec {
  std::string_view name;
  std::string_view menu;  // the top-level menu that holds the item; "" for a top-level menu
  std::string_view caption;
  std::string_view shortcut;  // "Ctrl+Q", "F1"; "" for none
  bool separator = false;
  bool checkable = false;
  bool disabledAtStart = false;
};

enum class PanelKind { kText, kDate, kTime };
// The layout's pictures; which image each one is, is the front end's choice.
enum class PanelPicture { kNone, kRenameLog, kErrorLog };

struct PanelSpec {
  std::string_view key;
  PanelKind kind = PanelKind::kText;
  int width = 0;
  PanelPicture picture = PanelPicture::kNone;
};

struct FormLayout {
  std::string_view name;
  std::string_view caption;  // the caption the window is built with; start-up may change it
  int clientWidth = 0;
  int clientHeight = 0;
  FontSpec font;
  std::span<const ControlSpec> controls;  // in the window's own order
  std::span<const MenuSpec> menus;        // each top-level menu followed by its items
  std::span<const PanelSpec> panels;      // left to right
};

// The main window fmMain.
const FormLayout& fmMainLayout();
// The About box fmAbout.
const FormLayout& fmAboutLayout();

// The control with that name (and index in its set); throws std::out_of_range when none.
const ControlSpec& findControl(const FormLayout& layout, std::string_view name,
                               std::optional<int> index = std::nullopt);
const MenuSpec& findMenu(const FormLayout& layout, std::string_view name);

// True for the kinds of control that take the keyboard focus.
bool takesFocus(ControlType type);
// How a control appears in the control walk.
ControlKind walkKind(ControlType type);

// Every control (lines excepted), then every menu and item, in the window's order, with the
// caption the window is built with; a separator's caption is "-".
std::vector<ControlInfo> controlWalk(const FormLayout& layout);
// The controls that take the focus, by tab index.
std::vector<const ControlSpec*> tabOrder(const FormLayout& layout);
// The names in the walk whose enabled state a lock of the window changes: every control and
// menu item except labels, frames, the status bar, separators and the exceptions.
std::vector<std::string> lockList(const FormLayout& layout,
                                  const std::vector<std::string>& exceptions);

}  // namespace batora
