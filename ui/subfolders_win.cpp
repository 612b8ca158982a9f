#include <QDir>
#include <filesystem>
#include <vector>

#include "nameorder.h"
#include "qstringutf8.h"
#include "subfolders.h"

namespace batora {

QStringList visibleSubfolders(const QString& folder) {
  const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  std::vector<std::filesystem::path> paths;
  for (const QString& name : names)
    if (!name.startsWith(QLatin1Char('.'))) paths.emplace_back(name.toStdWString());
  sortInHomeOrder(paths);
  QStringList sorted;
  for (const auto& path : paths) sorted << QString::fromStdWString(path.native());
  return sorted;
}

}  // namespace batora
