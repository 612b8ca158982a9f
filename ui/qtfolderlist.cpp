#include "qtfolderlist.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include "qstringutf8.h"
#include "subfolders.h"

namespace batora {
namespace {

constexpr int kPathRole = Qt::UserRole;

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
  for (const QString& name : visibleSubfolders(m_path)) {
    auto* item = new QListWidgetItem(closed, QString(level * 2, QLatin1Char(' ')) + name, this);
    item->setData(kPathRole, QDir(m_path).filePath(name));
  }
  setCurrentItem(current);
}

}  // namespace batora
