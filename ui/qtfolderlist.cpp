#include "qtfolderlist.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <algorithm>

#include "nameorder.h"
#include "platform.h"
#include "qstringutf8.h"

namespace batora {
namespace {

constexpr int kPathRole = Qt::UserRole;

// Subfolders in the order the home platform lists them; hidden ones are left out, as a folder
// list leaves out hidden folders.
QStringList subfolders(const QString& folder) {
  const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  std::vector<std::filesystem::path> paths;
  for (const QString& name : names) paths.emplace_back(toUtf8(name));
  sortInHomeOrder(paths);
  QStringList sorted;
  for (const auto& p : paths) sorted << toQString(p.string());
  return sorted;
}

}  // namespace

QtFolderList::QtFolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemDoubleClicked, this, [this] { openHighlighted(); });
}

std::string QtFolderList::path() const {
  return toUtf8(m_path);
}

bool QtFolderList::setPath(const std::string& path) {
  const QFileInfo info(toQString(path));
  if (!info.isDir() || !QDir(info.absoluteFilePath()).isReadable()) return false;
  const QString cleaned = QDir::cleanPath(info.absoluteFilePath());
  if (cleaned == m_path) return true;
  m_path = cleaned;
  rebuild();
  emit pathChanged();
  return true;
}

std::string QtFolderList::highlightedPath() const {
  const QListWidgetItem* item = currentItem();
  return item ? toUtf8(item->data(kPathRole).toString()) : path();
}

void QtFolderList::openHighlighted() {
  const std::string target = highlightedPath();
  if (target != path()) setPath(target);
}

void QtFolderList::rebuild() {
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  // The chain of folders from the root down to the current one.
  QStringList chain;
  for (QDir dir(m_path);;) {
    chain.prepend(dir.absolutePath());
    if (!dir.cdUp()) break;
  }
  int level = 0;
  QListWidgetItem* current = nullptr;
  for (const QString& folder : chain) {
    const QString name = level == 0 ? folder : QFileInfo(folder).fileName();
    auto* item = new QListWidgetItem(open, QString(level * 2, QLatin1Char(' ')) + name, this);
    item->setData(kPathRole, folder);
    current = item;
    ++level;
  }
  for (const QString& name : subfolders(m_path)) {
    if (name.startsWith(QLatin1Char('.'))) continue;
    auto* item = new QListWidgetItem(closed, QString(level * 2, QLatin1Char(' ')) + name, this);
    item->setData(kPathRole, QDir(m_path).filePath(name));
  }
  setCurrentItem(current);
}

}  // namespace batora
