// The program: the main window is the program; loading it starts it, unloading it ends it.

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <cstdlib>

#include "clock.h"
#include "fmmain.h"
#include "platform.h"
#include "qttoolkit.h"
#include "qttranslation.h"

namespace {

// Without a Japanese family first in line, fontconfig may draw kanji with Chinese glyph forms.
void preferJapaneseFont() {
  const QString japanese = QStringLiteral("Noto Sans CJK JP");
  if (!QFontDatabase::hasFamily(japanese)) return;
  QFont font = QApplication::font();
  font.setFamilies({japanese, font.family()});
  QApplication::setFont(font);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Batora"));
  preferJapaneseFont();
  const batora::QtTranslation qtTexts;

  batora::QtToolkit toolkit;
  batora::SystemClock clock;
  batora::fmMain window({toolkit, clock, batora::platform::programFolder(),
                         batora::platform::programName(), [] { std::_Exit(EXIT_FAILURE); }});
  toolkit.setDialogParent(&window);
  if (!window.Form_Load()) return EXIT_SUCCESS;
  window.show();
  return QApplication::exec();
}
