#include "tableformhost.h"

#include <algorithm>
#include <stdexcept>

#include "platform.h"
#include "utf8.h"

namespace batora::testing {
namespace {

std::string key(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

// A command or menu item whose enabled state is the window entry's, so that the lock walk
// and the run's own enabling act on one state.
class TableCommand : public MenuItem {
 public:
  TableCommand(TableWindow& window, std::string_view name, std::string_view caption)
      : m_window(window), m_name(name), m_caption(caption) {}
  std::string caption() const override { return m_caption; }
  void setCaption(std::string caption) override { m_caption = std::move(caption); }
  bool isEnabled() const override { return m_window.isEnabled(m_name); }
  void setEnabled(bool enabled) override { m_window.setEnabled(m_name, enabled); }
  bool isChecked() const override { return m_checked; }
  void setChecked(bool checked) override { m_checked = checked; }

 private:
  TableWindow& m_window;
  std::string m_name;
  std::string m_caption;
  bool m_checked = false;
};

// Takes any folder that exists, as the folder list shows only those.
class TableFolderList : public FolderList {
 public:
  explicit TableFolderList(std::function<void()> changed) : m_changed(std::move(changed)) {}
  std::string path() const override { return m_path; }
  bool setPath(const std::string& path) override {
    std::error_code error;
    if (!std::filesystem::is_directory(platform::pathFromUtf8(path), error)) return false;
    m_path = path;
    m_changed();
    return true;
  }
  std::string highlightedPath() const override {
    return highlighted.empty() ? m_path : highlighted;
  }

  std::string highlighted;

 private:
  std::function<void()> m_changed;
  std::string m_path;
};

class TableDriveList : public DriveList {
 public:
  explicit TableDriveList(std::function<void()> changed) : m_changed(std::move(changed)) {}
  std::string drive() const override { return m_drive; }
  bool setDrive(const std::string& drive) override {
    m_drive = drive;
    m_changed();
    return true;
  }

 private:
  std::function<void()> m_changed;
  std::string m_drive;
};

}  // namespace

struct TableFormHost::Controls {
  std::map<std::string, std::unique_ptr<FakeTextField>, std::less<>> texts;
  std::map<std::string, std::unique_ptr<FakeCheckField>, std::less<>> checks;
  std::map<std::string, std::unique_ptr<FakeListBox>, std::less<>> lists;
  std::map<std::string, std::unique_ptr<FakeLabel>, std::less<>> labels;
  std::map<std::string, std::unique_ptr<TableCommand>, std::less<>> commands;
  std::map<std::string, std::unique_ptr<TableFolderList>, std::less<>> folders;
  std::map<std::string, std::unique_ptr<TableDriveList>, std::less<>> drives;
  std::map<std::string, std::unique_ptr<FakeStatusBar>, std::less<>> bars;
};

template <typename Map>
static auto& found(Map& map, std::string_view name) {
  auto it = map.find(name);
  if (it == map.end()) throw std::out_of_range("no such control: " + std::string(name));
  return *it->second;
}

TableWindow::TableWindow(const FormLayout& layout)
    : outer{layout.clientWidth, layout.clientHeight} {
  for (const ControlInfo& info : controlWalk(layout)) entries.push_back({info, true});
  for (const ControlSpec& control : layout.controls)
    if (control.has(kDisabledAtStart)) setEnabled(control.name, false);
  for (const MenuSpec& menu : layout.menus)
    if (menu.disabledAtStart) setEnabled(menu.name, false);
}

bool TableWindow::isEnabled(std::string_view name, int occurrence) const {
  for (const Entry& entry : entries)
    if (entry.info.name == name && occurrence-- == 0) return entry.enabled;
  throw std::out_of_range("no such control: " + std::string(name));
}

void TableWindow::setEnabled(std::string_view name, bool enabled) {
  for (Entry& entry : entries)
    if (entry.info.name == name) entry.enabled = enabled;
}

bool TableWindow::setControlEnabled(int index, bool enabled) {
  entries.at(index).enabled = enabled;
  return true;
}

TableFormHost::TableFormHost(const FormLayout& layout, FakeToolkit& toolkit)
    : m_layout(layout),
      m_toolkit(toolkit),
      m_window(layout),
      m_controls(std::make_unique<Controls>()) {
  for (const ControlSpec& control : layout.controls) build(control);
  for (const MenuSpec& menu : layout.menus)
    m_controls->commands[std::string(menu.name)] =
        std::make_unique<TableCommand>(m_window, menu.name, menu.caption);
}

TableFormHost::~TableFormHost() = default;

bool TableFormHost::raise(const FormEvent& event) {
  return events && events(event);
}

void TableFormHost::build(const ControlSpec& layoutRow) {
  Controls& c = *m_controls;
  const std::string name(layoutRow.name);
  const std::string_view control = layoutRow.name;
  switch (layoutRow.type) {
    case ControlType::kTextBox: {
      auto field = std::make_unique<FakeTextField>("", layoutRow.maxLength);
      field->readOnly = layoutRow.has(kReadOnly);
      field->onChange = [this, control] { raise({control, FormEventKind::kChange}); };
      c.texts[name] = std::move(field);
      break;
    }
    case ControlType::kCheckBox: {
      auto box = std::make_unique<FakeCheckField>();
      box->onClick = [this, control] { raise({control, FormEventKind::kClick}); };
      c.checks[name] = std::move(box);
      break;
    }
    case ControlType::kOptionButton: {
      // One selected button of the set; selecting it clears the others and raises its click.
      const int index = layoutRow.index.value_or(0);
      auto option = std::make_unique<FakeCheckField>();
      FakeCheckField* self = option.get();
      option->onClick = [this, control, index, self] {
        if (self->state == 0) return;
        for (auto& [other, field] : m_controls->checks)
          if (field.get() != self && other.rfind(std::string(control) + "(", 0) == 0)
            field->state = 0;
        raise({control, FormEventKind::kClick, index});
      };
      c.checks[key(control, index)] = std::move(option);
      break;
    }
    case ControlType::kListBox:
      c.lists[name] = std::make_unique<FakeListBox>(&m_toolkit);
      break;
    case ControlType::kLabel:
      c.labels[name] = std::make_unique<FakeLabel>();
      c.labels[name]->text = std::string(layoutRow.caption);
      break;
    case ControlType::kButton:
      c.commands[name] = std::make_unique<TableCommand>(m_window, control, layoutRow.caption);
      break;
    case ControlType::kFolderList:
      c.folders[name] = std::make_unique<TableFolderList>([this, control] {
        raise({control, FormEventKind::kChange});
      });
      break;
    case ControlType::kDriveList:
      c.drives[name] = std::make_unique<TableDriveList>([this, control] {
        raise({control, FormEventKind::kChange});
      });
      break;
    case ControlType::kStatusBar: {
      auto bar = std::make_unique<FakeStatusBar>();
      int picture = 0;
      for (const PanelSpec& panel : m_layout.panels) {
        bar->widths[std::string(panel.key)] = panel.width;
        if (panel.picture != PanelPicture::kNone)
          bar->pictures[std::string(panel.key)] = Picture{++picture};
      }
      c.bars[name] = std::move(bar);
      break;
    }
    default:
      break;
  }
}

bool TableFormHost::click(std::string_view name, int index) {
  if (m_window.locked || !m_window.isEnabled(name, std::max(index - 1, 0))) return false;
  auto check = m_controls->checks.find(index > 0 ? key(name, index) : std::string(name));
  if (check != m_controls->checks.end()) {
    FakeCheckField& field = *check->second;
    // A click on a selected option button changes nothing; a check box flips.
    field.setValue(index > 0 ? 1 : 1 - field.state);
    return true;
  }
  raise({name, FormEventKind::kClick, index});
  return true;
}

bool TableFormHost::type(std::string_view name, const std::string& text) {
  if (m_window.locked || !m_window.isEnabled(name)) return false;
  FakeTextField& field = found(m_controls->texts, name);
  if (field.readOnly) return false;
  field.setText(field.limit > 0 ? utf8::left(text, static_cast<size_t>(field.limit)) : text);
  return true;
}

bool TableFormHost::keyPress(std::string_view name, char32_t typed) {
  FormEvent event{name, FormEventKind::kKeyPress};
  event.key = typed;
  return !m_window.locked && raise(event);
}

bool TableFormHost::drop(std::string_view name, const DropData& data) {
  FormEvent event{name, FormEventKind::kDragDrop};
  event.drop = &data;
  return !m_window.locked && raise(event);
}

bool TableFormHost::clickPanel(std::string_view panelKey) {
  FormEvent event{"stbStatus", FormEventKind::kPanelClick};
  event.panel = panelKey;
  return !m_window.locked && raise(event);
}

bool TableFormHost::closeBox(const std::function<bool(CloseSource)>& queryUnload) {
  if (queryUnload(CloseSource::kCloseCommand)) return false;
  unloaded = true;
  return true;
}

void TableFormHost::highlight(std::string_view name, const std::string& path) {
  found(m_controls->folders, name).highlighted = path;
}

FakeListBox& TableFormHost::list(std::string_view name) {
  return found(m_controls->lists, name);
}
FakeStatusBar& TableFormHost::bar(std::string_view name) {
  return found(m_controls->bars, name);
}
bool TableFormHost::isChecked(std::string_view name) {
  return found(m_controls->commands, name).isChecked();
}

TextField& TableFormHost::textField(std::string_view name) const {
  return found(m_controls->texts, name);
}
CheckField& TableFormHost::checkField(std::string_view name, int index) const {
  return index > 0 ? found(m_controls->checks, key(name, index)) : found(m_controls->checks, name);
}
ListBox& TableFormHost::listBox(std::string_view name) const {
  return found(m_controls->lists, name);
}
Label& TableFormHost::label(std::string_view name) const {
  return found(m_controls->labels, name);
}
Command& TableFormHost::command(std::string_view name) const {
  return found(m_controls->commands, name);
}
MenuItem& TableFormHost::menuItem(std::string_view name) const {
  return found(m_controls->commands, name);
}
FolderList& TableFormHost::folderList(std::string_view name) const {
  return found(m_controls->folders, name);
}
DriveList& TableFormHost::driveList(std::string_view name) const {
  return found(m_controls->drives, name);
}
StatusBar& TableFormHost::statusBar(std::string_view name) const {
  return found(m_controls->bars, name);
}
bool TableFormHost::showLog(const std::filesystem::path& log) {
  logsShown.push_back(log);
  return logViewerWorks;
}

std::string TableFormHost::driveOf(const std::string& path) const {
  return platform::pathToUtf8(platform::pathFromUtf8(path).root_path());
}

}  // namespace batora::testing
