#include "qtdrivelist.h"

#include <QStorageInfo>
#include <algorithm>

#include "qstringutf8.h"

namespace batora {
namespace {

// File systems that hold no user files are no "drives".
bool isUserVolume(const QStorageInfo& volume) {
  static const QList<QByteArray> pseudo{
      "proc",       "sysfs",    "devtmpfs", "devpts",    "cgroup",      "cgroup2",
      "securityfs", "debugfs",  "tracefs",  "mqueue",    "pstore",      "bpf",
      "autofs",     "configfs", "fusectl",  "hugetlbfs", "binfmt_misc", "overlay"};
  return volume.isValid() && !pseudo.contains(volume.fileSystemType());
}

}  // namespace

QtDriveList::QtDriveList(QWidget* parent) : QComboBox(parent) {
  fill();
  connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(); });
}

void QtDriveList::fill() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (isUserVolume(volume) && !roots.contains(volume.rootPath())) roots << volume.rootPath();
  std::sort(roots.begin(), roots.end());
  roots.removeAll(QStringLiteral("/"));
  roots.prepend(QStringLiteral("/"));
  const QSignalBlocker quiet(this);
  addItems(roots);
}

std::string QtDriveList::driveOf(const std::string& path) {
  return toUtf8(QStorageInfo(toQString(path)).rootPath());
}

std::string QtDriveList::drive() const {
  return toUtf8(currentText());
}

bool QtDriveList::setDrive(const std::string& drive) {
  const QString root = toQString(drive);
  int index = findText(root);
  if (index < 0) {
    if (!QStorageInfo(root).isValid() || QStorageInfo(root).rootPath() != root) return false;
    const QSignalBlocker quiet(this);
    addItem(root);
    index = count() - 1;
  }
  setCurrentIndex(index);  // raises the change only when it is another drive
  return true;
}

}  // namespace batora
