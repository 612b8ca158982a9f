#pragma once
// The file list on Win32: a list box with extended multiple selection that holds no texts of
// its own; it draws each row from its caller's table, so that a million of them are set at once
// and held only there.

#include <vector>

#include "listrows.h"
#include "wincontrol.h"

namespace batora {

class WinListBox final : public WinControl, public ListBox {
 public:
  explicit WinListBox(const ControlPlace& place);

  void clear() override;
  void setRows(std::vector<std::string> rows) override;
  // Reads the rows through rowAt as it draws them.
  void fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) override;
  void addRow(std::string text) override;
  int rowCount() const override;
  std::string rowText(int row) const override;
  void setRowText(int row, std::string text) override;
  int selectedCount() const override;
  bool isSelected(int row) const override;
  void setSelected(int row, bool selected) override;
  int currentRow() const override;
  void setCurrentRow(int row) override;
  void postSelectAll(bool select) override;
  void repaint() override;

  // The user changed the selection (LBN_SELCHANGE); never raised by the setters above.
  std::function<void()> onSelectionChange;
  std::function<void()> onDoubleClick;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void showRows();
  void widenScrolling(int textWidth);
  void draw(const DRAWITEMSTRUCT& item) const;

  ListRows m_rows;
  int m_scrollWidth = 0;
};

}  // namespace batora
