#pragma once
// The folder list on Win32: the open folders from the root down to the current one, each one
// step further in, then the current folder's subfolders, with folder pictures.

#include <string>
#include <vector>

#include "wincontrol.h"

namespace batora {

class WinFolderList final : public WinControl, public FolderList {
 public:
  explicit WinFolderList(const ControlPlace& place);
  ~WinFolderList() override;

  // One row as the list shows it.
  struct Row {
    std::wstring path;
    std::wstring text;
    int level = 0;
    bool open = false;
  };
  const std::vector<Row>& rows() const { return m_rows; }
  void setHighlightedRow(int row);
  // The picture drawn before an open folder (the root down to the current one) or a closed one.
  HICON picture(bool open) const { return open ? m_openIcon : m_closedIcon; }

  std::string path() const override;
  // "c:" means the current folder of drive c. Raises onChange when the path changes.
  bool setPath(const std::string& path) override;
  // The highlighted row's folder; the current path when no row is highlighted.
  std::string highlightedPath() const override;

  // The current path changed, by the user or by setPath.
  std::function<void()> onChange;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void rebuild();
  void openHighlighted();
  void draw(const DRAWITEMSTRUCT& item) const;

  std::wstring m_path;
  std::vector<Row> m_rows;
  HICON m_openIcon = nullptr;
  HICON m_closedIcon = nullptr;
};

}  // namespace batora
