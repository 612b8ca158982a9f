#pragma once
// Qt's own texts (the text boxes' context menu, the standard dialogs) in Japanese.

#include <QString>
#include <QTranslator>

namespace batora {

class QtTranslation {
 public:
  // Loads qtbase_ja from `folder` (Qt's own translations folder by default) into the running
  // application for as long as this object lives; without the file, Qt's texts stay English.
  explicit QtTranslation(const QString& folder = defaultFolder());
  ~QtTranslation();
  QtTranslation(const QtTranslation&) = delete;
  QtTranslation& operator=(const QtTranslation&) = delete;

  // Where the system keeps Qt's translations.
  static QString defaultFolder();

  bool loaded() const { return m_installed; }

 private:
  QTranslator m_translator;
  bool m_installed = false;
};

}  // namespace batora
