#pragma once
// The folder list: the path from the root down to the current folder, then the current
// folder's subfolders. Opening an entry (double click or Enter) makes it the current folder.

#include <QListWidget>

#include "toolkit.h"

namespace batora {

class QtFolderList final : public QListWidget, public FolderList {
  Q_OBJECT

 public:
  explicit QtFolderList(QWidget* parent = nullptr);

  std::string path() const override;
  // Raises pathChanged once when the path changes; false when the folder cannot be opened.
  bool setPath(const std::string& path) override;
  std::string highlightedPath() const override;

 signals:
  void pathChanged();

 private:
  void rebuild();
  void openHighlighted();

  QString m_path;
};

}  // namespace batora
