// Renders the main window over the sample pictures into a PNG, for the README. The folder and
// the clock are fixed, so that the picture changes only when the window does.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "clock.h"
#include "fmmain.h"
#include "qtlistbox.h"
#include "qttoolkit.h"
#include "qttranslation.h"

namespace {

// A summer afternoon, whenever the picture is made.
class FixedClock final : public batora::Clock {
 public:
  std::uint32_t tickCount() override { return 0; }
  batora::platform::LocalDateTime now() override { return {2026, 8, 20, 15, 42, 0}; }
};

// The sample pictures, a note the pattern leaves out, and a subfolder.
bool layOutPhotos(const QString& samples, const QString& photos) {
  QDir(photos).removeRecursively();
  if (!QDir().mkpath(photos + QStringLiteral("/選外"))) return false;
  for (const QString& name : QDir(samples).entryList(QDir::Files))
    if (!QFile::copy(samples + QLatin1Char('/') + name, photos + QLatin1Char('/') + name))
      return false;
  QFile note(photos + QStringLiteral("/メモ.txt"));
  return note.open(QIODevice::WriteOnly);
}

bool render(const QString& program, const QString& photos, const QString& output) {
  QFile ini(program + QStringLiteral("/Batora.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return false;
  ini.write("\xEF\xBB\xBFINIT_FINDDIR_PATH=" + photos.toUtf8() +
            "\r\nINIT_SERCH_FILE_NAME=*.jpg\r\nOUTPUT_LOG_RENAME=1\r\n");
  ini.close();

  batora::QtToolkit toolkit(program + QStringLiteral("/batora.lock"));
  FixedClock clock;
  batora::fmMain window({toolkit, clock, program.toStdString(), "batora", [] {}});
  if (!window.Form_Load()) return false;
  window.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("夏休み_"));
  auto* list = window.findChild<batora::QtListBox*>(QStringLiteral("lstFile"));
  for (int row = 0; row < list->rowCount(); ++row) list->setSelected(row, row != 1);
  list->setCurrentRow(0);
  window.objCtrl().ShowSelNumber();
  window.show();
  QApplication::processEvents();
  return window.grab().save(output);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT.png SAMPLES\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Noto Sans CJK JP"), font.family()});
  QApplication::setFont(font);
  const batora::QtTranslation qtTexts;

  QTemporaryDir program;
  const QString root = QStringLiteral("/tmp/Batora");
  const QString photos = root + QStringLiteral("/写真/2026 夏休み");
  const bool made = layOutPhotos(QString::fromLocal8Bit(argv[2]), photos) &&
                    render(program.path(), photos, QString::fromLocal8Bit(argv[1]));
  QDir(root).removeRecursively();
  return made ? 0 : 1;
}
