#include "winformbuilder.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "resourceids.h"
#include "statuspanels.h"
#include "wincheckfield.h"
#include "wincommand.h"
#include "windrivelist.h"
#include "winfolderlist.h"
#include "winframe.h"
#include "winlabel.h"
#include "winlistbox.h"
#include "winmenu.h"
#include "winpicture.h"
#include "winstatusbar.h"
#include "winsupport_win.h"
#include "wintextfield.h"

namespace batora {

namespace {

constexpr UINT kFirstMenuId = 1000;
constexpr int kPanelIconPixels = 16;

// An indexed control is kept as name(index); the walk and the events use the bare name.
std::string keyOf(std::string_view name, int index) {
  std::string key(name);
  if (index != 0) key += "(" + std::to_string(index) + ")";
  return key;
}

int indexOf(const ControlSpec& spec) {
  return spec.index.value_or(0);
}

// The widest texts the bar writes itself, so that a layout width narrower than the system's
// font never cuts the date or the time.
std::vector<PanelPlace> panelPlaces(std::span<const PanelSpec> panels) {
  std::vector<PanelPlace> places;
  for (const PanelSpec& panel : panels) {
    std::string widest;
    if (panel.kind == PanelKind::kDate) widest = "0000/00/00";
    if (panel.kind == PanelKind::kTime) widest = "00:00";
    places.push_back({std::string(panel.key), panel.width, widest});
  }
  return places;
}

HICON panelIcon(PanelPicture picture) {
  const int id =
      picture == PanelPicture::kRenameLog ? BATORA_ICON_LOG_RENAME : BATORA_ICON_LOG_ERROR;
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, kPanelIconPixels, kPanelIconPixels,
                                         LR_SHARED));
}

// Dialog navigation takes the controls in z-order, which is creation order: the tab index
// decides it, so that a label's access key reaches the control after it. Lines are drawn, not
// made.
std::vector<const ControlSpec*> creationOrder(const FormLayout& layout) {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& spec : layout.controls)
    if (spec.type != ControlType::kLine) order.push_back(&spec);
  std::stable_sort(order.begin(), order.end(), [](const ControlSpec* a, const ControlSpec* b) {
    const auto rank = [](const ControlSpec* s) {
      return s->tabIndex < 0 ? std::numeric_limits<int>::max() : s->tabIndex;
    };
    return rank(a) < rank(b);
  });
  return order;
}

}  // namespace

WinFormBuilder::WinFormBuilder(const FormLayout& layout, WinWindow& window, Clock* clock)
    : m_layout(layout), m_window(window), m_clock(clock), m_screen(ScreenResolution::current()) {
  buildControls();
  buildMenus();
}

WinFormBuilder::~WinFormBuilder() = default;

SIZE WinFormBuilder::clientPixels(const FormLayout& layout) {
  const ScreenResolution screen = ScreenResolution::current();
  return {screen.pixelsX(layout.clientWidth), screen.pixelsY(layout.clientHeight)};
}

HFONT WinFormBuilder::fontOf(const FontSpec& spec) {
  const FontSpec& wanted = spec.face.empty() ? m_layout.font : spec;
  // No face at all: the system's own font for dialogs.
  if (wanted.face.empty()) return nullptr;
  for (const auto& [made, font] : m_fonts)
    if (made.face == wanted.face && made.points == wanted.points && made.bold == wanted.bold)
      return font->handle();
  m_fonts.emplace_back(wanted, std::make_unique<WinFont>(win::wide(wanted.face), wanted.points,
                                                         wanted.bold, m_screen.dpiY()));
  return m_fonts.back().second->handle();
}

// A control inside a frame is placed relative to the frame but made a child of the window.
ControlPlace WinFormBuilder::placeOf(const ControlSpec& spec) {
  long left = spec.rect.left;
  long top = spec.rect.top;
  for (std::string_view parent = spec.parent; !parent.empty();) {
    const ControlSpec& frame = findControl(m_layout, parent);
    left += frame.rect.left;
    top += frame.rect.top;
    parent = frame.parent;
  }
  const RECT bounds{m_screen.pixelsX(left), m_screen.pixelsY(top),
                    m_screen.pixelsX(left + spec.rect.width),
                    m_screen.pixelsY(top + spec.rect.height)};
  return {m_window.hwnd(), std::string(spec.name), std::string(spec.caption),
          bounds,          fontOf(spec.font),      m_nextId++};
}

std::unique_ptr<WinControl> WinFormBuilder::makeControl(const ControlSpec& spec,
                                                        const ControlPlace& place) {
  switch (spec.type) {
    case ControlType::kLabel:
      return std::make_unique<WinLabel>(
          place, spec.has(kRightAligned) ? WinLabel::Align::kRight : WinLabel::Align::kLeft);
    case ControlType::kFrame:
      return std::make_unique<WinFrame>(place);
    case ControlType::kTextBox:
      return std::make_unique<WinTextField>(place, spec.maxLength, spec.has(kReadOnly));
    case ControlType::kCheckBox:
      return std::make_unique<WinCheckField>(place, WinCheckField::Kind::kCheckBox);
    case ControlType::kOptionButton:
      return std::make_unique<WinCheckField>(place, indexOf(spec) <= 1
                                                        ? WinCheckField::Kind::kFirstOption
                                                        : WinCheckField::Kind::kOption);
    case ControlType::kButton:
      return std::make_unique<WinCommand>(place);
    case ControlType::kListBox:
      return std::make_unique<WinListBox>(place);
    case ControlType::kDriveList:
      return std::make_unique<WinDriveList>(place);
    case ControlType::kFolderList:
      return std::make_unique<WinFolderList>(place);
    case ControlType::kStatusBar:
      if (m_clock == nullptr) throw std::logic_error("a status bar needs a clock");
      return std::make_unique<WinStatusBar>(place, panelPlaces(m_layout.panels), *m_clock);
    case ControlType::kPicture:
      return std::make_unique<WinPicture>(place);
    case ControlType::kLine:
      break;
  }
  return nullptr;
}

void WinFormBuilder::buildControls() {
  for (const ControlSpec* spec : creationOrder(m_layout)) {
    std::unique_ptr<WinControl> made = makeControl(*spec, placeOf(*spec));
    const HWND hwnd = made->hwnd();
    // Each control starts a group of its own but the later buttons of an option set, so that
    // the arrow keys move inside the set only.
    if (!(spec->type == ControlType::kOptionButton && indexOf(*spec) > 1))
      ::SetWindowLongW(hwnd, GWL_STYLE, ::GetWindowLongW(hwnd, GWL_STYLE) | WS_GROUP);
    if (spec->has(kDefaultButton)) ::SendMessageW(hwnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (spec->has(kDisabledAtStart)) made->setEnabled(false);
    if (auto* bar = dynamic_cast<WinStatusBar*>(made.get()))
      for (const PanelSpec& panel : m_layout.panels)
        if (panel.picture != PanelPicture::kNone)
          bar->setPanelPicture(panel.key, bar->registerPicture(panelIcon(panel.picture)));
    m_controls.emplace(keyOf(spec->name, indexOf(*spec)), std::move(made));
  }
  for (const ControlSpec& spec : m_layout.controls)
    if (WinControl* made = control(spec.name, indexOf(spec))) m_window.addControl(*made);
}

void WinFormBuilder::buildMenus() {
  if (m_layout.menus.empty()) return;
  WinMenu bar(WinMenu::Kind::kBar);
  HMENU dropDown = nullptr;
  UINT id = kFirstMenuId;
  for (const MenuSpec& spec : m_layout.menus) {
    const std::string name(spec.name);
    if (spec.menu.empty()) {
      WinMenu menu(WinMenu::Kind::kDropDown);
      dropDown = menu.handle();
      m_menuItems.push_back(std::make_unique<WinMenuItem>(
          bar.handle(), id++, name, std::string(spec.caption), menu, m_window.hwnd()));
    } else {
      m_menuItems.push_back(std::make_unique<WinMenuItem>(
          dropDown, id++, name, spec.separator ? "-" : std::string(spec.caption),
          std::string(spec.shortcut), m_window.hwnd()));
      if (spec.disabledAtStart) m_menuItems.back()->setEnabled(false);
    }
    m_window.addMenuItem(*m_menuItems.back());
  }
  m_window.setMenuBar(bar);
}

void WinFormBuilder::connectEvents(const std::function<bool(const FormEvent&)>& handle) {
  for (const ControlSpec& spec : m_layout.controls) connectControl(spec, handle);
  for (const auto& item : m_menuItems) {
    if (item->isSeparator()) continue;
    const std::string_view name = findMenu(m_layout, item->name()).name;
    item->onClick = [handle, name] { handle({name, FormEventKind::kClick}); };
  }
}

// Keys are handed over from text boxes and the folder list only: the command map has key
// handlers for nothing else.
void WinFormBuilder::connectControl(const ControlSpec& spec,
                                    const std::function<bool(const FormEvent&)>& handle) const {
  WinControl* made = control(spec.name, indexOf(spec));
  if (made == nullptr) return;
  const std::string_view name = spec.name;
  const int index = indexOf(spec);
  auto raise = [handle, name, index](FormEventKind kind) {
    return [handle, name, index, kind] { handle({name, kind, index}); };
  };
  if (spec.type == ControlType::kTextBox || spec.type == ControlType::kFolderList)
    made->onKeyPress = [handle, name](char32_t key) {
      FormEvent event{name, FormEventKind::kKeyPress};
      event.key = key;
      return handle(event);
    };
  if (spec.has(kAcceptsDrops))
    made->acceptFileDrops([handle, name](const DropData& dropped) {
      FormEvent event{name, FormEventKind::kDragDrop};
      event.drop = &dropped;
      handle(event);
    });
  if (auto* text = dynamic_cast<WinTextField*>(made)) {
    text->onChange = raise(FormEventKind::kChange);
    if (!spec.has(kReadOnly)) text->acceptTextDrops();
  } else if (auto* check = dynamic_cast<WinCheckField*>(made)) {
    // An option raises its click when it becomes the selected one, not when it is cleared.
    check->onClick = [handle, name, index, check] {
      if (check->value() != 0 || !check->isOptionButton())
        handle({name, FormEventKind::kClick, index});
    };
  } else if (auto* button = dynamic_cast<WinCommand*>(made)) {
    button->onClick = raise(FormEventKind::kClick);
  } else if (auto* list = dynamic_cast<WinListBox*>(made)) {
    list->onSelectionChange = raise(FormEventKind::kClick);
  } else if (auto* drives = dynamic_cast<WinDriveList*>(made)) {
    drives->onChange = raise(FormEventKind::kChange);
  } else if (auto* folders = dynamic_cast<WinFolderList*>(made)) {
    folders->onChange = raise(FormEventKind::kChange);
  } else if (auto* bar = dynamic_cast<WinStatusBar*>(made)) {
    bar->onPanelClick = [handle, name](const std::string& key) {
      FormEvent event{name, FormEventKind::kPanelClick};
      event.panel = key;
      handle(event);
    };
  }
}

WinControl* WinFormBuilder::control(std::string_view name, int index) const {
  const auto found = m_controls.find(keyOf(name, index));
  return found == m_controls.end() ? nullptr : found->second.get();
}

template <typename T>
T& WinFormBuilder::controlAs(std::string_view name, int index) const {
  if (auto* typed = dynamic_cast<T*>(control(name, index))) return *typed;
  throw std::out_of_range("the window has no such control: " + keyOf(name, index));
}

TextField& WinFormBuilder::textField(std::string_view name) const {
  return controlAs<WinTextField>(name);
}
CheckField& WinFormBuilder::checkField(std::string_view name, int index) const {
  return controlAs<WinCheckField>(name, index);
}
ListBox& WinFormBuilder::listBox(std::string_view name) const {
  return controlAs<WinListBox>(name);
}
Label& WinFormBuilder::label(std::string_view name) const {
  return controlAs<WinLabel>(name);
}
Command& WinFormBuilder::command(std::string_view name) const {
  return controlAs<WinCommand>(name);
}
FolderList& WinFormBuilder::folderList(std::string_view name) const {
  return controlAs<WinFolderList>(name);
}
DriveList& WinFormBuilder::driveList(std::string_view name) const {
  return controlAs<WinDriveList>(name);
}
StatusBar& WinFormBuilder::statusBar(std::string_view name) const {
  return controlAs<WinStatusBar>(name);
}

WinMenuItem& WinFormBuilder::menuItem(std::string_view name) const {
  for (const auto& item : m_menuItems)
    if (item->name() == name) return *item;
  throw std::out_of_range("the window has no menu item " + std::string(name));
}

}  // namespace batora
