#include "windrop.h"

#include <string>

#include "winsupport_win.h"

namespace batora {

DropData readDroppedFiles(HDROP drop) {
  DropData data{true, {}};
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(::DragQueryFileW(drop, i, nullptr, 0), L'\0');
    ::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    data.paths.push_back(win::narrow(path));
  }
  return data;
}

}  // namespace batora
