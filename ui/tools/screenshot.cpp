// Renders the main window over a demo folder into a PNG, for the README.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "clock.h"
#include "fmmain.h"
#include "qtlistbox.h"
#include "qttoolkit.h"

namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  file.open(QIODevice::WriteOnly);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Noto Sans CJK JP"), font.family()});
  QApplication::setFont(font);

  QTemporaryDir program;
  const QString photos = program.filePath(QStringLiteral("写真/2026 夏休み"));
  for (const char* name : {"IMG_0412.JPG", "IMG_0413.JPG", "IMG_0415.JPG", "海辺の夕日.jpg",
                           "花火大会 01.jpg", "花火大会 02.jpg", "DSC00871.jpg", "メモ.txt"})
    touch(photos + QLatin1Char('/') + QString::fromUtf8(name));
  QDir().mkpath(photos + QStringLiteral("/選外"));
  QFile ini(program.filePath(QStringLiteral("Batora.ini")));
  ini.open(QIODevice::WriteOnly);
  ini.write("\xEF\xBB\xBFINIT_FINDDIR_PATH=" + photos.toUtf8() +
            "\r\nINIT_SERCH_FILE_NAME=*.jpg\r\nOUTPUT_LOG_RENAME=1\r\n");
  ini.close();

  batora::QtToolkit toolkit(program.filePath(QStringLiteral("batora.lock")));
  batora::SystemClock clock;
  batora::fmMain window({toolkit, clock, program.path().toStdString(), "batora", [] {}});
  if (!window.Form_Load()) return 1;
  window.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("夏休み_"));
  auto* list = window.findChild<batora::QtListBox*>(QStringLiteral("lstFile"));
  for (int row = 0; row < list->rowCount(); ++row) list->setSelected(row, row != 1);
  list->setCurrentRow(0);
  window.objCtrl().ShowSelNumber();
  window.show();
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
