#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <vector>

#include "nameorder.h"
#include "platform.h"
#include "qstringutf8.h"
#include "subfolders.h"

namespace batora {
namespace {

struct CloseDir {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// A link counts as the folder it points to, as it does in a file manager.
bool isFolder(int dirFd, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat st {};
  return ::fstatat(dirFd, entry.d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

// The start folder may hold a hundred thousand files: they are passed over by their type alone,
// and only the folders' names are kept, ordered and converted.
QStringList visibleSubfolders(const QString& folder) {
  const std::unique_ptr<DIR, CloseDir> dir(
      ::opendir(platform::pathFromUtf8(toUtf8(folder)).c_str()));
  if (!dir) return {};
  std::vector<platform::PathText> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;  // hidden, and the folder and its parent
    if (isFolder(::dirfd(dir.get()), *entry)) names.emplace_back(entry->d_name);
  }
  sortInHomeOrder(names);
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(names.size()));
  for (const platform::PathText& name : names) shown << toQString(platform::pathToUtf8(name));
  return shown;
}

}  // namespace batora
