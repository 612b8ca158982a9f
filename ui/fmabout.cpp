#include "fmabout.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <cmath>

#include "registry.h"

#if !defined(BATORA_VERSION_MAJOR) || !defined(BATORA_VERSION_MINOR) || \
    !defined(BATORA_VERSION_REVISION)
#error "The build passes the program version from the project's version."
#endif

namespace batora {

namespace {

constexpr double kTwipsPerInch = 1440.0;

constexpr int kClientWidth = 5490;
constexpr int kClientHeight = 2625;

// The etched rule: a white line two pixels high with a grey line one pixel above it.
constexpr int kRuleTop = 1080;
constexpr int kWhiteLeft = 120;
constexpr int kWhiteRight = 5350;
constexpr int kGreyLeft = 90;
constexpr int kGreyRight = 5335;

constexpr int kIconPixels = 32;

int toPixels(int twips, qreal dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace

QString aboutTitle(int major, int minor, int revision) {
  return QStringLiteral("Batora　Ver. ") + QString::number(major) + u'.' + QString::number(minor) +
         u'.' + QString::number(revision);
}

// The difference is rounded to whole twips (halves to even) before it is halved, and the
// halving is an integer division: the remainder is dropped towards zero, also when a window
// wider than the screen makes the difference negative.
long centredTwips(double screenTwips, double windowTwips) {
  return static_cast<long>(std::nearbyint(screenTwips - windowTwips)) / 2;
}

fmAbout::fmAbout(Toolkit& toolkit, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_toolkit(toolkit) {
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  setFixedSize(pixelsX(kClientWidth), pixelsY(kClientHeight));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(pixelRect(4080, 1185, 1310, 345));
  cmdOK->setDefault(true);
  // Esc reaches QDialog::reject, the close box too; both close the box like OK.
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo->setGeometry(pixelRect(4080, 1635, 1310, 345));
  connect(cmdSysInfo, &QPushButton::clicked, this, &fmAbout::cmdSysInfo_Click);

  // Sized to its picture, which is drawn at its own pixel size whatever the resolution.
  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(
      QPixmap(QStringLiteral(":/icons/batora.xpm"))
          .scaled(kIconPixels, kIconPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  picIcon->setGeometry(pixelsX(660), pixelsY(240), kIconPixels, kIconPixels);

  lblDescription = new QLabel(QStringLiteral("ファイル名一括変換ツール"), this);
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDescription->setGeometry(pixelRect(1500, 660, 2325, 330));
  lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  lblTitle = new QLabel(this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  lblTitle->setGeometry(pixelRect(1380, 315, 3045, 345));
  lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Where the Japanese fonts of the home platform are missing, the Japanese CJK families are
  // named next: left to its own fallback, the font system may pick a Chinese or Korean face,
  // which draws some kanji with other glyph forms.
  QFont titleFont = font();
  titleFont.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho"),
                         QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Sans CJK JP")});
  titleFont.setPointSizeF(11.25);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);

  setTabOrder(cmdOK, cmdSysInfo);
  cmdOK->setFocus();

  centreOnScreen();
  lblTitle->setText(
      aboutTitle(BATORA_VERSION_MAJOR, BATORA_VERSION_MINOR, BATORA_VERSION_REVISION));
}

int fmAbout::pixelsX(int twips) const {
  return toPixels(twips, screen()->logicalDotsPerInchX());
}

int fmAbout::pixelsY(int twips) const {
  return toPixels(twips, screen()->logicalDotsPerInchY());
}

QRect fmAbout::pixelRect(int left, int top, int width, int height) const {
  return QRect(pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height));
}

// The screen size comes from the toolkit, like the main window's, so both windows follow the
// same rule. Before the box is first shown its frame is not known yet, so the outer size is
// the client size plus whatever frame the window system has reported so far.
void fmAbout::centreOnScreen() {
  const Size screenTwips = m_toolkit.screenSizeTwips();
  const QSize outer = frameGeometry().size();
  const qreal dpiX = screen()->logicalDotsPerInchX();
  const qreal dpiY = screen()->logicalDotsPerInchY();
  const long left =
      centredTwips(static_cast<double>(screenTwips.width), outer.width() * kTwipsPerInch / dpiX);
  const long top =
      centredTwips(static_cast<double>(screenTwips.height), outer.height() * kTwipsPerInch / dpiY);
  const QPoint origin = screen()->geometry().topLeft();
  move(origin.x() + toPixels(static_cast<int>(left), dpiX),
       origin.y() + toPixels(static_cast<int>(top), dpiY));
}

void fmAbout::cmdSysInfo_Click() {
  startSystemInfo(m_toolkit);
}

// The rule's lines are fixed in pixels, not twips: the grey line sits exactly one pixel above
// the white one at every resolution, or the etched look would turn into two separate lines.
void fmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  const int white = pixelsY(kRuleTop);
  painter.fillRect(
      QRect(QPoint(pixelsX(kGreyLeft), white - 1), QPoint(pixelsX(kGreyRight), white - 1)),
      QColor(128, 128, 128));
  painter.fillRect(
      QRect(QPoint(pixelsX(kWhiteLeft), white), QPoint(pixelsX(kWhiteRight), white + 1)),
      QColor(255, 255, 255));
}

}  // namespace batora
