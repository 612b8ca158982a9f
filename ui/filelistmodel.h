#pragma once
// The rows of the file list as a model over the caller's table: the view asks for the few rows
// it draws, and no row is held here as a text of its own.

#include <QAbstractListModel>

#include "listrows.h"

namespace batora {

class FileListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // One model reset, however many rows.
  void showRows(size_t count, ListRows::RowAt rowAt);
  void showRows(std::vector<std::string> rows);
  void addRow(std::string text);
  // The row must exist.
  std::string rowText(int row) const { return m_rows.text(row); }
  void setRowText(int row, std::string text);
  bool hasRow(int row) const { return m_rows.has(row); }

 private:
  ListRows m_rows;
};

}  // namespace batora
