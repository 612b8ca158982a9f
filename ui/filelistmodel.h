#pragma once
// The rows of the file list as a model, so that the view draws only the rows it shows.

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

namespace batora {

class FileListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // One model reset, however many rows.
  void setRows(QStringList rows);
  void addRow(const QString& text);
  // The row must exist.
  const QString& rowText(int row) const;
  void setRowText(int row, const QString& text);
  bool hasRow(int row) const;

 private:
  QStringList m_rows;
};

}  // namespace batora
