#pragma once
// The widgets a builder made from a layout, found by the names of the table, each as the
// engine interface its kind implements. Adapters live here and are destroyed before the
// widgets they point to, as long as this object is a member of the window that owns them.

#include <QAction>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "formcontrols.h"
#include "formlayout.h"
#include "qtcontrols.h"
#include "toolkit.h"

namespace batora {

class QtFormControls final : public FormControls {
 public:
  QtFormControls();
  ~QtFormControls() override;
  QtFormControls(const QtFormControls&) = delete;
  QtFormControls& operator=(const QtFormControls&) = delete;

  void add(const ControlSpec& layoutRow, QWidget& widget);
  void addMenu(const MenuSpec& layoutRow, QAction& action);

  // nullptr when the layout has no such control or menu.
  QWidget* widget(std::string_view name, int index = 0) const;
  QAction* action(std::string_view name) const;
  // The table row of a widget (or of a list's viewport); nullptr for anything else.
  const ControlSpec* specOf(const QObject* object) const;

  // Each throws std::out_of_range for a name the window has not, or a control of another kind.
  TextField& textField(std::string_view name) const override;
  CheckField& checkField(std::string_view name, int index = 0) const override;
  ListBox& listBox(std::string_view name) const override;
  Label& label(std::string_view name) const override;
  Command& command(std::string_view name) const override;
  MenuItem& menuItem(std::string_view name) const override;
  FolderList& folderList(std::string_view name) const override;
  DriveList& driveList(std::string_view name) const override;
  StatusBar& statusBar(std::string_view name) const override;

 private:
  struct Adapters;
  template <typename T>
  T& widgetAs(std::string_view name) const;

  std::map<std::string, QWidget*, std::less<>> m_widgets;
  std::map<std::string, QAction*, std::less<>> m_actions;
  std::map<const QObject*, const ControlSpec*> m_specs;
  std::unique_ptr<Adapters> m_adapters;
};

}  // namespace batora
