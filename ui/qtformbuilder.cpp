#include "qtformbuilder.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
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
#include "qtlistbox.h"
#include "qtstatusbar.h"

namespace batora {
namespace {

constexpr double kTwipsPerInch = 1440.0;

const QScreen* screenOf(const QWidget& widget) {
  return widget.screen();
}

int toPixels(int twips, qreal dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

// An indexed control is found as name(index); the walk and the events use the bare name.
int indexOf(const ControlSpec& spec) {
  return spec.index.value_or(0);
}

}  // namespace

QFont layoutFont(const FontSpec& spec) {
  QFont font;
  const QString face = toQString(spec.face);
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
  font.setPointSizeF(spec.points);
  font.setBold(spec.bold);
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

QWidget* QtFormBuilder::makeWidget(const ControlSpec& spec, QWidget& parent, Clock* clock) {
  const QString caption = toQString(spec.caption);
  switch (spec.type) {
    case ControlType::kLabel: {
      auto* label = new QLabel(caption, &parent);
      if (spec.has(kRightAligned)) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      return label;
    }
    case ControlType::kPicture:
      return new QLabel(&parent);
    case ControlType::kFrame:
      return new QGroupBox(caption, &parent);
    case ControlType::kTextBox: {
      auto* edit = new QLineEdit(&parent);
      if (spec.maxLength > 0) edit->setMaxLength(spec.maxLength);
      edit->setReadOnly(spec.has(kReadOnly));
      if (spec.has(kButtonFaceBackground)) {
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
      option->setProperty("index", indexOf(spec));
      return option;
    }
    case ControlType::kButton: {
      auto* button = new QPushButton(caption, &parent);
      button->setDefault(spec.has(kDefaultButton));
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
  for (const ControlSpec& spec : m_layout.controls) {
    QWidget* parent = spec.parent.empty() ? &client : m_controls.widget(spec.parent);
    QWidget* widget = makeWidget(spec, *parent, clock);
    if (widget == nullptr) continue;
    widget->setObjectName(toQString(spec.name));
    widget->setGeometry(pixelsX(client, spec.rect.left), pixelsY(client, spec.rect.top),
                        pixelsX(client, spec.rect.width), pixelsY(client, spec.rect.height));
    if (!spec.font.face.empty()) widget->setFont(layoutFont(spec.font));
    if (spec.has(kDisabledAtStart)) widget->setEnabled(false);
    m_controls.add(spec, *widget);
  }
  // Access keys of labels move the focus to the control that follows them.
  const std::vector<const ControlSpec*> order = tabOrder(m_layout);
  for (const ControlSpec& spec : m_layout.controls) {
    if (spec.type != ControlType::kLabel || spec.caption.find('&') == std::string_view::npos)
      continue;
    for (const ControlSpec* next : order) {
      if (next->tabIndex < spec.tabIndex) continue;
      static_cast<QLabel*>(m_controls.widget(spec.name))
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
  for (const MenuSpec& spec : m_layout.menus) {
    const QString name = toQString(spec.name);
    if (spec.menu.empty()) {
      current = bar.addMenu(toQString(spec.caption));
      current->setObjectName(name);
      current->menuAction()->setObjectName(name);
      m_controls.addMenu(spec, *current->menuAction());
      continue;
    }
    QAction* action =
        spec.separator ? current->addSeparator() : current->addAction(toQString(spec.caption));
    action->setObjectName(name);
    if (!spec.separator) {
      action->setShortcut(QKeySequence(toQString(spec.shortcut), QKeySequence::PortableText));
      // Shortcuts work wherever the focus is in the window.
      action->setShortcutContext(Qt::WindowShortcut);
      action->setCheckable(spec.checkable);
      action->setEnabled(!spec.disabledAtStart);
      window.addAction(action);
    }
    m_controls.addMenu(spec, *action);
  }
}

void QtFormBuilder::registerWalk(QtWindow& walk) const {
  for (const ControlSpec& spec : m_layout.controls)
    if (QWidget* widget = m_controls.widget(spec.name, indexOf(spec)))
      walk.addControl(std::string(spec.name), walkKind(spec.type), *widget);
  for (const MenuSpec& spec : m_layout.menus)
    walk.addMenuItem(std::string(spec.name), *m_controls.action(spec.name));
}

void QtFormBuilder::connectEvents(QObject& context,
                                  std::function<bool(const FormEvent&)> handle) const {
  for (const ControlSpec& spec : m_layout.controls) connectControl(spec, context, handle);
  for (const MenuSpec& spec : m_layout.menus) {
    QAction* action = m_controls.action(spec.name);
    if (spec.menu.empty() || spec.separator) continue;
    QObject::connect(action, &QAction::triggered, &context, [action, handle, name = spec.name] {
      // Qt has already flipped the check mark; the handlers read the state before the click.
      if (action->isCheckable()) action->setChecked(!action->isChecked());
      handle({name, FormEventKind::kClick});
    });
  }
}

void QtFormBuilder::connectControl(const ControlSpec& spec, QObject& context,
                                   const std::function<bool(const FormEvent&)>& handle) const {
  QWidget* widget = m_controls.widget(spec.name, indexOf(spec));
  const std::string_view name = spec.name;
  const int index = indexOf(spec);
  switch (spec.type) {
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
