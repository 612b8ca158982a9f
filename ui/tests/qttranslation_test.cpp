#include "qttranslation.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>
#include <memory>

#include "tempdir.h"

namespace batora {
namespace {

QStringList contextMenuTexts() {
  QLineEdit edit;
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) texts.push_back(action->text().section(u'\t', 0, 0));
  return texts;
}

// The file is installed with the system's Qt (qt6-translations-l10n); a missing one must leave
// the program running with Qt's English texts.
TEST(QtTranslationTest, ContextMenuOfTextBoxesIsJapaneseWhileTheTranslationIsLoaded) {
  const QStringList english = contextMenuTexts();
  ASSERT_TRUE(english.contains(QStringLiteral("&Undo")));
  {
    QtTranslation japanese;
    ASSERT_TRUE(japanese.loaded()) << QtTranslation::defaultFolder().toStdString();
    const QStringList texts = contextMenuTexts();
    ASSERT_EQ(texts.size(), english.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
      SCOPED_TRACE(english[i].toStdString());
      EXPECT_NE(texts[i], english[i]);
      EXPECT_TRUE(std::any_of(texts[i].begin(), texts[i].end(), [](QChar c) {
        return c.unicode() >= 0x3040;
      })) << texts[i].toStdString();
    }
  }
  EXPECT_EQ(contextMenuTexts(), english) << "the translation outlived its object";
  testing::TempDir empty;
  QtTranslation missing(QString::fromStdString(empty.path().string()));
  EXPECT_FALSE(missing.loaded());
  EXPECT_EQ(contextMenuTexts(), english);
}

}  // namespace
}  // namespace batora
