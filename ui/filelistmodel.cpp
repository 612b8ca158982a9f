#include "filelistmodel.h"

#include <utility>

namespace batora {

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !hasRow(index.row())) return {};
  return m_rows.at(index.row());
}

void FileListModel::setRows(QStringList rows) {
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
}

void FileListModel::addRow(const QString& text) {
  const int row = rowCount();
  beginInsertRows({}, row, row);
  m_rows.push_back(text);
  endInsertRows();
}

const QString& FileListModel::rowText(int row) const {
  return m_rows.at(row);
}

void FileListModel::setRowText(int row, const QString& text) {
  m_rows[row] = text;
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

bool FileListModel::hasRow(int row) const {
  return row >= 0 && row < m_rows.size();
}

}  // namespace batora
