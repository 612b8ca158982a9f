#pragma once
// The multi-selection file list on Qt: a list view over a row model that reads the caller's
// table, fast at a million rows.

#include <QListView>

#include "filelistmodel.h"
#include "toolkit.h"

namespace batora {

class QtListBox final : public QListView, public ListBox {
  Q_OBJECT

 public:
  explicit QtListBox(QWidget* parent = nullptr);

  const FileListModel& rowModel() const { return *m_rows; }

  // Rows outside the list throw std::out_of_range, as the engine's fake does.
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
  // -1 clears the focus row.
  void setCurrentRow(int row) override;
  void postSelectAll(bool select) override;
  void repaint() override;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  int existingRow(int row) const;

  FileListModel* m_rows;
};

}  // namespace batora
