#include "fmmain.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "fmabout.h"
#include "qstringutf8.h"
#include "qtdrivelist.h"
#include "qtformbuilder.h"
#include "qtlogviewer.h"
#include "qtwindow.h"

// The window's pictures live in a static library, whose resources are not registered by
// themselves.
static void registerWindowResources() {
  Q_INIT_RESOURCE(resources);
}

namespace batora {
namespace {

QIcon panelIcon(PanelPicture picture) {
  return QIcon(picture == PanelPicture::kRenameLog ? QStringLiteral(":/icons/logrename.xpm")
                                                   : QStringLiteral(":/icons/logerror.xpm"));
}

// The menu shortcuts win over the text boxes' own editing keys (Ctrl+C copies the folder).
bool isMenuShortcut(const QKeyEvent& key, const QList<QAction*>& actions) {
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : actions)
    if (!action->shortcut().isEmpty() && action->shortcut() == pressed) return true;
  return false;
}

}  // namespace

fmMain::fmMain(fmMainServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)) {
  registerWindowResources();
  setObjectName(QStringLiteral("fmMain"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/batora.xpm")));
  setFont(layoutFont(fmMainLayout().font));
  build();
  FormHost& host = *this;
  m_form =
      std::make_unique<MainForm>(MainFormServices{m_services.toolkit, m_services.clock,
                                                  m_services.programFolder, m_services.exeName},
                                 host);
  QtFormBuilder(fmMainLayout(), m_controls).connectEvents(*this, [this](const FormEvent& event) {
    return m_form->handle(event);
  });
  // Fixed single border: the window cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
}

// The widgets outlive the form logic (they are deleted after the members); none of their
// signals may reach it on the way.
fmMain::~fmMain() {
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

void fmMain::build() {
  const FormLayout& layout = fmMainLayout();
  auto* client = new QWidget(this);
  client->setFixedSize(QtFormBuilder::pixelsX(*this, layout.clientWidth),
                       QtFormBuilder::pixelsY(*this, layout.clientHeight));
  setCentralWidget(client);
  QtFormBuilder builder(layout, m_controls, panelIcon);
  builder.buildControls(*client, &m_services.clock);
  builder.buildMenus(*menuBar(), *this);
  m_window = std::make_unique<QtWindow>(*this);
  builder.registerWalk(*m_window);
  m_logViewer = std::make_unique<QtLogViewer>(*this);
  for (const ControlSpec& layoutRow : layout.controls) {
    QWidget* widget = m_controls.widget(layoutRow.name, layoutRow.index.value_or(0));
    // Keys typed into these reach the form before the control.
    if (layoutRow.type == ControlType::kTextBox || layoutRow.type == ControlType::kFolderList)
      widget->installEventFilter(this);
    if (!layoutRow.has(kAcceptsDrops)) continue;
    // Folders dropped from the desktop's file manager arrive as URLs of local files.
    QWidget* surface = widget;
    if (auto* view = qobject_cast<QAbstractScrollArea*>(widget)) surface = view->viewport();
    surface->setAcceptDrops(true);
    surface->installEventFilter(this);
  }
}

bool fmMain::Form_Load() {
  return m_form->Form_Load();
}

bool fmMain::dropEvent(const ControlSpec& target, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      // Every kind of data is taken, so that a drop of the wrong kind can be explained.
      static_cast<QDropEvent*>(event)->acceptProposedAction();
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      DropData dropped;
      const QList<QUrl> urls = drop->mimeData()->urls();
      dropped.isFileList =
          !urls.isEmpty() &&
          std::all_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
      if (dropped.isFileList)
        for (const QUrl& url : urls) dropped.paths.push_back(toUtf8(url.toLocalFile()));
      drop->acceptProposedAction();
      FormEvent dragDrop{target.name, FormEventKind::kDragDrop};
      dragDrop.drop = &dropped;
      m_form->handle(dragDrop);
      return true;
    }
    default:
      return false;
  }
}

void fmMain::closeEvent(QCloseEvent* event) {
  // The program's own unload is never refused.
  if (m_form->Form_QueryUnload(m_unloading ? CloseSource::kOther : CloseSource::kCloseCommand)) {
    event->ignore();
    return;
  }
  event->accept();
}

bool fmMain::eventFilter(QObject* watched, QEvent* event) {
  const ControlSpec* layoutRow = m_controls.specOf(watched);
  if (layoutRow == nullptr) return QMainWindow::eventFilter(watched, event);
  if (layoutRow->has(kAcceptsDrops) && dropEvent(*layoutRow, event)) return true;
  if (event->type() == QEvent::ShortcutOverride &&
      isMenuShortcut(*static_cast<QKeyEvent*>(event), actions())) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress && watched == m_controls.widget(layoutRow->name)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    FormEvent keyPress{layoutRow->name, FormEventKind::kKeyPress};
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
      keyPress.key = kKeyEnter;
    else if (key->text().size() == 1)
      keyPress.key = key->text().at(0).unicode();
    if (keyPress.key != 0 && m_form->handle(keyPress)) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

TopLevelWindow& fmMain::window() {
  return *m_window;
}

LogViewer& fmMain::logViewer() {
  return *m_logViewer;
}

void fmMain::showAbout() {
  fmAbout about(m_services.toolkit, this);
  about.exec();
}

void fmMain::unload() {
  m_unloading = true;
  close();
}

void fmMain::endAtOnce() {
  m_services.endAtOnce();
}

std::string fmMain::driveOf(const std::string& path) const {
  return QtDriveList::driveOf(path);
}

}  // namespace batora
