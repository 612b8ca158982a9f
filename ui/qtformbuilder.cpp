#include "qtformbuilder.h"

#include <QAction>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cmath>

#include "qstringutf8.h"
#include "qtdrivelist.h"
#include "qtfolderlist.h"
#include "qtframe.h"
#include "qtlistbox.h"
#include "qtstatusbar.h"
#include "qttextrow.h"

namespace batora {
namespace {

constexpr double kTwipsPerInch = 1440.0;

const QScreen* screenOf(const QWidget& widget) {
  return widget.screen();
}

int toPixels(int twips, qreal dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

// The controls that show one line of caption, centred in their row.
bool showsOneLine(ControlType type) {
  return type == ControlType::kLabel || type == ControlType::kCheckBox ||
         type == ControlType::kOptionButton;
}

// An indexed control is found as name(index); the walk and the events use the bare name.
int indexOf(const ControlSpec& layoutRow) {
  return layoutRow.index.value_or(0);
}

}  // namespace

QFont layoutFont(const FontSpec& layoutRow) {
  QFont font;
  const QString face = toQString(layoutRow.face);
  if (face == QStringLiteral("ＭＳ ゴシック")) {
    font.setFamilies({face, QStringLiteral("MS Gothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::Monospace);
  } else if (face == QStringLiteral("ＭＳ Ｐゴシック")) {
    font.setFamilies({face, QStringLiteral("MS PGothic"), QStringLiteral("Noto Sans CJK JP")});
  } else {
    // Left to its own fallback, the font system may pick a Chinese or Korean face, which draws
    // some kanji with other glyph forms.
    font.setFamilies({face, QStringLiteral("MS PMincho"), QStringLiteral("Noto Serif CJK JP"),
                      QStringLiteral("Noto Sans CJK JP")});
  }
  font.setPointSizeF(layoutRow.points);
  font.setBold(layoutRow.bold);
  return font;
}

QtFormBuilder::QtFormBuilder(const FormLayout& layout, QtFormControls& controls,
                             std::function<QIcon(PanelPicture)> pictures)
    : m_layout(layout), m_controls(controls), m_pictures(std::move(pictures)) {}

int QtFormBuilder::pixelsX(const QWidget& widget, int twips) {
  const QScreen* screen = screenOf(widget);
  return toPixels(twips, screen ? screen->logicalDotsPerInchX() : 96.0);
}

int QtFormBuilder::pixelsY(const QWidget& widget, int twips) {
  const QScreen* screen = screenOf(widget);
  return toPixels(twips, screen ? screen->logicalDotsPerInchY() : 96.0);
}

QWidget* QtFormBuilder::makeWidget(const ControlSpec& layoutRow, QWidget& parent, Clock* clock) {
  const QString caption = toQString(layoutRow.caption);
  switch (layoutRow.type) {
    case ControlType::kLabel: {
      auto* label = new QLabel(caption, &parent);
      if (layoutRow.has(kRightAligned)) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      return label;
    }
    case ControlType::kPicture:
      return new QLabel(&parent);
    case ControlType::kFrame:
      return new QtFrame(caption, &parent);
    case ControlType::kTextBox: {
      auto* edit = new QLineEdit(&parent);
      if (layoutRow.maxLength > 0) edit->setMaxLength(layoutRow.maxLength);
      edit->setReadOnly(layoutRow.has(kReadOnly));
      if (layoutRow.has(kButtonFaceBackground)) {
        QPalette face = edit->palette();
        face.setColor(QPalette::Base, face.color(QPalette::Button));
        edit->setPalette(face);
      }
      return edit;
    }
    case ControlType::kCheckBox:
      return new QCheckBox(caption, &parent);
    case ControlType::kOptionButton: {
      auto* option = new QRadioButton(caption, &parent);
      option->setProperty("index", indexOf(layoutRow));
      return option;
    }
    case ControlType::kButton: {
      auto* button = new QPushButton(caption, &parent);
      button->setDefault(layoutRow.has(kDefaultButton));
      return button;
    }
    case ControlType::kListBox:
      return new QtListBox(&parent);
    case ControlType::kDriveList:
      return new QtDriveList(&parent);
    case ControlType::kFolderList:
      return new QtFolderList(&parent);
    case ControlType::kStatusBar: {
      auto* bar = new QtStatusBar(*clock, m_layout.panels, &parent);
      for (const PanelSpec& panel : m_layout.panels)
        if (panel.picture != PanelPicture::kNone && m_pictures)
          bar->setPanelPicture(panel.key, bar->registerPicture(m_pictures(panel.picture)));
      return bar;
    }
    case ControlType::kLine:
      return nullptr;
  }
  return nullptr;
}

void QtFormBuilder::buildControls(QWidget& client, Clock* clock) {
  for (const ControlSpec& layoutRow : m_layout.controls) {
    QWidget* parent = layoutRow.parent.empty() ? &client : m_controls.widget(layoutRow.parent);
    QWidget* widget = makeWidget(layoutRow, *parent, clock);
    if (widget == nullptr) continue;
    widget->setObjectName(toQString(layoutRow.name));
    if (!layoutRow.font.face.empty()) widget->setFont(layoutFont(layoutRow.font));
    const QRect row(pixelsX(client, layoutRow.rect.left), pixelsY(client, layoutRow.rect.top),
                    pixelsX(client, layoutRow.rect.width), pixelsY(client, layoutRow.rect.height));
    widget->setGeometry(showsOneLine(layoutRow.type) ? textRowRect(row, widget->fontMetrics())
                                                     : row);
    if (layoutRow.has(kDisabledAtStart)) widget->setEnabled(false);
    m_controls.add(layoutRow, *widget);
  }
  // Access keys of labels move the focus to the control that follows them.
  const std::vector<const ControlSpec*> order = tabOrder(m_layout);
  for (const ControlSpec& layoutRow : m_layout.controls) {
    if (layoutRow.type != ControlType::kLabel ||
        layoutRow.caption.find('&') == std::string_view::npos)
      continue;
    for (const ControlSpec* next : order) {
      if (next->tabIndex < layoutRow.tabIndex) continue;
      static_cast<QLabel*>(m_controls.widget(layoutRow.name))
          ->setBuddy(m_controls.widget(next->name, indexOf(*next)));
      break;
    }
  }
  for (size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(m_controls.widget(order[i - 1]->name, indexOf(*order[i - 1])),
                         m_controls.widget(order[i]->name, indexOf(*order[i])));
}

void QtFormBuilder::buildMenus(QMenuBar& bar, QWidget& window) {
  QMenu* current = nullptr;
  for (const MenuSpec& layoutRow : m_layout.menus) {
    const QString name = toQString(layoutRow.name);
    if (layoutRow.menu.empty()) {
      current = bar.addMenu(toQString(layoutRow.caption));
      current->setObjectName(name);
      current->menuAction()->setObjectName(name);
      m_controls.addMenu(layoutRow, *current->menuAction());
      continue;
    }
    QAction* action = layoutRow.separator ? current->addSeparator()
                                          : current->addAction(toQString(layoutRow.caption));
    action->setObjectName(name);
    if (!layoutRow.separator) {
      action->setShortcut(QKeySequence(toQString(layoutRow.shortcut), QKeySequence::PortableText));
      // Shortcuts work wherever the focus is in the window.
      action->setShortcutContext(Qt::WindowShortcut);
      action->setCheckable(layoutRow.checkable);
      action->setEnabled(!layoutRow.disabledAtStart);
      window.addAction(action);
    }
    m_controls.addMenu(layoutRow, *action);
  }
}

void QtFormBuilder::registerWalk(QtWindow& walk) const {
  for (const ControlSpec& layoutRow : m_layout.controls)
    if (QWidget* widget = m_controls.widget(layoutRow.name, indexOf(layoutRow)))
      walk.addControl(std::string(layoutRow.name), walkKind(layoutRow.type), *widget);
  for (const MenuSpec& layoutRow : m_layout.menus)
    walk.addMenuItem(std::string(layoutRow.name), *m_controls.action(layoutRow.name));
}

void QtFormBuilder::connectEvents(QObject& context,
                                  std::function<bool(const FormEvent&)> handle) const {
  for (const ControlSpec& layoutRow : m_layout.controls) connectControl(layoutRow, context, handle);
  for (const MenuSpec& layoutRow : m_layout.menus) {
    QAction* action = m_controls.action(layoutRow.name);
    if (layoutRow.menu.empty() || layoutRow.separator) continue;
    QObject::connect(action, &QAction::triggered, &context,
                     [action, handle, name = layoutRow.name] {
                       // Qt has already flipped the check mark; the handlers read the state before
                       // the click.
                       if (action->isCheckable()) action->setChecked(!action->isChecked());
                       handle({name, FormEventKind::kClick});
                     });
  }
}

void QtFormBuilder::connectControl(const ControlSpec& layoutRow, QObject& context,
                                   const std::function<bool(const FormEvent&)>& handle) const {
  QWidget* widget = m_controls.widget(layoutRow.name, indexOf(layoutRow));
  const std::string_view name = layoutRow.name;
  const int index = indexOf(layoutRow);
  switch (layoutRow.type) {
    case ControlType::kTextBox:
      QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, &context,
                       [handle, name] {
                         handle({name, FormEventKind::kChange});
                       });
      break;
    case ControlType::kCheckBox:
      QObject::connect(static_cast<QCheckBox*>(widget), &QCheckBox::toggled, &context,
                       [handle, name] {
                         handle({name, FormEventKind::kClick});
                       });
      break;
    case ControlType::kOptionButton:
      QObject::connect(static_cast<QRadioButton*>(widget), &QRadioButton::toggled, &context,
                       [handle, name, index](bool checked) {
                         if (checked) handle({name, FormEventKind::kClick, index});
                       });
      break;
    case ControlType::kButton:
      QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, &context,
                       [handle, name] {
                         handle({name, FormEventKind::kClick});
                       });
      break;
    case ControlType::kListBox:
      QObject::connect(static_cast<QtListBox*>(widget)->selectionModel(),
                       &QItemSelectionModel::selectionChanged, &context, [handle, name] {
                         handle({name, FormEventKind::kClick});
                       });
      break;
    case ControlType::kDriveList:
      QObject::connect(static_cast<QtDriveList*>(widget), &QtDriveList::driveChanged, &context,
                       [handle, name] {
                         handle({name, FormEventKind::kChange});
                       });
      break;
    case ControlType::kFolderList:
      QObject::connect(static_cast<QtFolderList*>(widget), &QtFolderList::pathChanged, &context,
                       [handle, name] {
                         handle({name, FormEventKind::kChange});
                       });
      break;
    case ControlType::kStatusBar:
      QObject::connect(static_cast<QtStatusBar*>(widget), &QtStatusBar::panelClicked, &context,
                       [handle, name](const QString& key) {
                         const std::string panel = toUtf8(key);
                         FormEvent event{name, FormEventKind::kPanelClick};
                         event.panel = panel;
                         handle(event);
                       });
      break;
    default:
      break;
  }
}

}  // namespace batora
