#include "qtformcontrols.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

#include "qtdrivelist.h"
#include "qtfolderlist.h"
#include "qtlistbox.h"
#include "qtstatusbar.h"

namespace batora {
namespace {

std::string keyOf(std::string_view name, int index) {
  std::string key(name);
  if (index > 0) key += "(" + std::to_string(index) + ")";
  return key;
}

template <typename Map>
auto& found(Map& map, std::string_view key) {
  auto it = map.find(key);
  if (it == map.end()) throw std::out_of_range("the window has no control " + std::string(key));
  return *it->second;
}

}  // namespace

struct QtFormControls::Adapters {
  std::map<std::string, std::unique_ptr<QtTextField>, std::less<>> texts;
  std::map<std::string, std::unique_ptr<QtCheckField>, std::less<>> checks;
  std::map<std::string, std::unique_ptr<QtLabel>, std::less<>> labels;
  std::map<std::string, std::unique_ptr<QtCommand>, std::less<>> commands;
  std::map<std::string, std::unique_ptr<QtMenuItem>, std::less<>> menuItems;
};

QtFormControls::QtFormControls() : m_adapters(std::make_unique<Adapters>()) {}
QtFormControls::~QtFormControls() = default;

void QtFormControls::add(const ControlSpec& layoutRow, QWidget& widget) {
  const std::string key = keyOf(layoutRow.name, layoutRow.index.value_or(0));
  m_widgets[key] = &widget;
  m_specs[&widget] = &layoutRow;
  if (auto* view = qobject_cast<QAbstractScrollArea*>(&widget))
    m_specs[view->viewport()] = &layoutRow;
  Adapters& a = *m_adapters;
  if (auto* edit = qobject_cast<QLineEdit*>(&widget))
    a.texts[key] = std::make_unique<QtTextField>(*edit);
  else if (auto* label = qobject_cast<QLabel*>(&widget))
    a.labels[key] = std::make_unique<QtLabel>(*label);
  else if (layoutRow.type == ControlType::kButton)
    a.commands[key] = std::make_unique<QtCommand>(*qobject_cast<QAbstractButton*>(&widget));
  else if (auto* button = qobject_cast<QAbstractButton*>(&widget))
    a.checks[key] = std::make_unique<QtCheckField>(*button);
}

void QtFormControls::addMenu(const MenuSpec& layoutRow, QAction& action) {
  m_actions[std::string(layoutRow.name)] = &action;
  m_adapters->menuItems[std::string(layoutRow.name)] = std::make_unique<QtMenuItem>(action);
}

QWidget* QtFormControls::widget(std::string_view name, int index) const {
  auto it = m_widgets.find(keyOf(name, index));
  return it == m_widgets.end() ? nullptr : it->second;
}

QAction* QtFormControls::action(std::string_view name) const {
  auto it = m_actions.find(name);
  return it == m_actions.end() ? nullptr : it->second;
}

const ControlSpec* QtFormControls::specOf(const QObject* object) const {
  auto it = m_specs.find(object);
  return it == m_specs.end() ? nullptr : it->second;
}

template <typename T>
T& QtFormControls::widgetAs(std::string_view name) const {
  auto* typed = dynamic_cast<T*>(widget(name));
  if (typed == nullptr) throw std::out_of_range("no control of that kind: " + std::string(name));
  return *typed;
}

TextField& QtFormControls::textField(std::string_view name) const {
  return found(m_adapters->texts, name);
}
CheckField& QtFormControls::checkField(std::string_view name, int index) const {
  return found(m_adapters->checks, keyOf(name, index));
}
ListBox& QtFormControls::listBox(std::string_view name) const {
  return widgetAs<QtListBox>(name);
}
Label& QtFormControls::label(std::string_view name) const {
  return found(m_adapters->labels, name);
}
Command& QtFormControls::command(std::string_view name) const {
  return found(m_adapters->commands, name);
}
MenuItem& QtFormControls::menuItem(std::string_view name) const {
  return found(m_adapters->menuItems, name);
}
FolderList& QtFormControls::folderList(std::string_view name) const {
  return widgetAs<QtFolderList>(name);
}
DriveList& QtFormControls::driveList(std::string_view name) const {
  return widgetAs<QtDriveList>(name);
}
StatusBar& QtFormControls::statusBar(std::string_view name) const {
  return widgetAs<QtStatusBar>(name);
}

}  // namespace batora
