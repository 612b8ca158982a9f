#include "qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace batora {

QtTranslation::QtTranslation(const QString& folder) {
  if (m_translator.load(QStringLiteral("qtbase_ja"), folder))
    m_installed = QCoreApplication::installTranslator(&m_translator);
}

QtTranslation::~QtTranslation() {
  if (m_installed) QCoreApplication::removeTranslator(&m_translator);
}

QString QtTranslation::defaultFolder() {
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace batora
