#pragma once
// Makes Qt widgets, menus and the control walk from a window's layout, and turns the widgets'
// signals into the form logic's events.

#include <QIcon>
#include <QWidget>
#include <functional>

#include "clock.h"
#include "formevent.h"
#include "formlayout.h"
#include "qtformcontrols.h"
#include "qtwindow.h"

class QMenuBar;

namespace batora {

// The classic Japanese system fonts where they exist, else the nearest CJK family.
QFont layoutFont(const FontSpec& spec);

class QtFormBuilder {
 public:
  // `pictures` gives the image of each status-panel picture the layout names.
  QtFormBuilder(const FormLayout& layout, QtFormControls& controls,
                std::function<QIcon(PanelPicture)> pictures = {});

  // Pixels for a length in twips at the resolution of the widget's screen.
  static int pixelsX(const QWidget& widget, int twips);
  static int pixelsY(const QWidget& widget, int twips);

  // Every control but the lines, inside `client`, with the labels' access keys, the tab order
  // and the start states of the table. Status bars use `clock`, which a layout with a status bar
  // needs.
  void buildControls(QWidget& client, Clock* clock = nullptr);
  // The menu tree; the shortcuts work wherever the focus is inside `window`.
  void buildMenus(QMenuBar& bar, QWidget& window);
  // The control walk in the window's order, controls first.
  void registerWalk(QtWindow& walk) const;
  // Every event of the command map's kinds goes to `handle`.
  void connectEvents(QObject& context, std::function<bool(const FormEvent&)> handle) const;

 private:
  QWidget* makeWidget(const ControlSpec& spec, QWidget& parent, Clock* clock);
  void connectControl(const ControlSpec& spec, QObject& context,
                      const std::function<bool(const FormEvent&)>& handle) const;

  const FormLayout& m_layout;
  QtFormControls& m_controls;
  std::function<QIcon(PanelPicture)> m_pictures;
};

}  // namespace batora
