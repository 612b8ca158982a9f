#include "filelistmodel.h"

#include <utility>

#include "qstringutf8.h"

namespace batora {

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.count());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !hasRow(index.row())) return {};
  return toQString(m_rows.text(index.row()));
}

void FileListModel::showRows(size_t count, ListRows::RowAt rowAt) {
  beginResetModel();
  m_rows.show(count, std::move(rowAt));
  endResetModel();
}

void FileListModel::showRows(std::vector<std::string> rows) {
  beginResetModel();
  m_rows.show(std::move(rows));
  endResetModel();
}

void FileListModel::addRow(std::string text) {
  const int row = rowCount();
  beginInsertRows({}, row, row);
  m_rows.add(std::move(text));
  endInsertRows();
}

void FileListModel::setRowText(int row, std::string text) {
  m_rows.setText(row, std::move(text));
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

}  // namespace batora
