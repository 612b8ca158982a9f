#pragma once
// The window toolkit as the engine sees it. The engine never includes a widget header:
// the window implements these interfaces with Qt, the tests with a scripted fake.
// All texts are UTF-8.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batora {

// Message-box style words: a button code plus an icon code, as the classic API spells them.
namespace mb {
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;

// Answers. Closing a box from its frame answers kCancel.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

inline constexpr int buttonsOf(int style) {
  return style & 0x0F;
}
inline constexpr int iconOf(int style) {
  return style & 0xF0;
}
}  // namespace mb

// Application-wide mouse pointer values.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 13;

// An image a panel can carry; id 0 is "no picture".
struct Picture {
  int id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const Picture&) const = default;
};

// The multi-selection file list.
class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual void clear() = 0;
  // Replaces every row at once; no row is selected afterwards.
  virtual void setRows(std::vector<std::string> rows) = 0;
  // Shows the texts rowAt(0) .. rowAt(count - 1); no row is selected afterwards. A list may
  // copy them at once or, so that a big table is not held twice, ask rowAt for a row whenever
  // it draws one, until it is next cleared or filled: whenever the caller yields or calls the
  // list, rowAt must answer as it did at the fill, except for rows changed with setRowText.
  virtual void fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) {
    std::vector<std::string> rows;
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i) rows.push_back(rowAt(i));
    setRows(std::move(rows));
  }
  virtual void addRow(std::string text) = 0;
  virtual int rowCount() const = 0;
  virtual std::string rowText(int row) const = 0;
  virtual void setRowText(int row, std::string text) = 0;
  virtual int selectedCount() const = 0;
  virtual bool isSelected(int row) const = 0;
  virtual void setSelected(int row, bool selected) = 0;
  // The row that has the focus, -1 when none.
  virtual int currentRow() const = 0;
  virtual void setCurrentRow(int row) = 0;
  // Asks the list to select or clear every row; applied when pending events are next processed.
  virtual void postSelectAll(bool select) = 0;
  virtual void repaint() = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(std::string text) = 0;
  virtual void repaint() = 0;
};

// A status bar whose panels are found by key.
class StatusBar {
 public:
  virtual ~StatusBar() = default;
  virtual std::string panelText(std::string_view key) const = 0;
  virtual void setPanelText(std::string_view key, std::string text) = 0;
  virtual Picture panelPicture(std::string_view key) const = 0;
  virtual void setPanelPicture(std::string_view key, Picture picture) = 0;
  virtual void repaint() = 0;
  // Panel widths in twips. A bar that is never drawn (the command line's) has none: it reads 0
  // and ignores a new width.
  virtual long panelWidthTwips(std::string_view) const { return 0; }
  virtual void setPanelWidthTwips(std::string_view, long) {}
};

class TextField {
 public:
  virtual ~TextField() = default;
  virtual std::string text() const = 0;
  // Raises the field's change event, as typing does.
  virtual void setText(std::string text) = 0;
  virtual int maxLength() const = 0;
  virtual bool isReadOnly() const = 0;
};

// Check box (value 0 or 1) or option button (selected or not).
class CheckField {
 public:
  virtual ~CheckField() = default;
  virtual int value() const = 0;
  // Raises the click event when the value changes.
  virtual void setValue(int value) = 0;
};

// A command a run locks and unlocks by hand (the stop button and menu item).
class Command {
 public:
  virtual ~Command() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(std::string caption) = 0;
  virtual bool isEnabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;
};

class MenuItem : public Command {
 public:
  virtual bool isChecked() const = 0;
  virtual void setChecked(bool checked) = 0;
};

// The folder list: its current path, settable; setting it raises the change event at once.
class FolderList {
 public:
  virtual ~FolderList() = default;
  virtual std::string path() const = 0;
  // Returns false (and keeps the old path) when the folder cannot be opened.
  virtual bool setPath(const std::string& path) = 0;
  virtual std::string highlightedPath() const = 0;
};

// The drive list: on platforms without drive letters, the mounted volumes.
class DriveList {
 public:
  virtual ~DriveList() = default;
  virtual std::string drive() const = 0;
  // Raises the change event at once; returns false when the drive cannot be taken.
  virtual bool setDrive(const std::string& drive) = 0;
};

// What a drop brings.
struct DropData {
  bool isFileList = false;
  std::vector<std::string> paths;
};

enum class ControlKind { kControl, kLabel, kFrame, kStatusBar, kMenuItem };

struct ControlInfo {
  std::string name;
  ControlKind kind = ControlKind::kControl;
  std::string caption;
};

// A window: the lock against input and the walk over its controls and menu items.
class Window {
 public:
  virtual ~Window() = default;
  virtual void setInputLocked(bool locked) = 0;
  virtual int controlCount() const = 0;
  virtual ControlInfo controlAt(int index) const = 0;
  // Returns false when the control refused the change.
  virtual bool setControlEnabled(int index, bool enabled) = 0;
};

struct Size {
  long width = 0;
  long height = 0;
};

// A window of its own on the screen (the main window, the About box): its caption and its
// place, in twips of the screen's resolution.
class TopLevelWindow : public Window {
 public:
  virtual void setCaption(std::string caption) = 0;
  // The outer size, frame and title bar included.
  virtual Size outerSizeTwips() const = 0;
  // Moves the outer top-left corner to the point, relative to the screen's top-left corner.
  virtual void moveToTwips(long left, long top) = 0;
};

// Application-wide toolkit services.
class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // Modal box titled `title`; returns mb::kIdOk, kIdCancel, kIdYes or kIdNo.
  virtual int messageBox(std::string_view text, std::string_view title, int style) = 0;
  virtual void beep() = 0;
  virtual void setMousePointer(int pointer) = 0;
  // Processes the pending window events, then returns.
  virtual void yield() = 0;
  virtual bool clipboardHasText() = 0;
  virtual std::string clipboardText() = 0;
  virtual void setClipboardText(std::string_view text) = 0;
  // Starts a program in a normal window with the focus, without waiting; true when it started.
  virtual bool startProgram(const std::string& program, const std::vector<std::string>& args) = 0;
  // Opens a document with its associated program; answers a shell result code (above 32 = done).
  virtual int openDocument(const std::string& file, const std::string& folder) = 0;
  virtual bool previousInstance() = 0;
  virtual Size screenSizeTwips() = 0;
};

}  // namespace batora
