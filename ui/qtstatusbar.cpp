#include "qtstatusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "qstringutf8.h"

namespace batora {

namespace {

// The widest text a panel writes itself; its default width never cuts it. The layout's widths
// were made for another font, in which the date fitted 900 twips; the clock panels grow to fit
// theirs.
QString widestText(PanelKind kind) {
  switch (kind) {
    case PanelKind::kDate:
      return QStringLiteral("0000/00/00");
    case PanelKind::kTime:
      return QStringLiteral("00:00");
    default:
      return {};
  }
}

constexpr int kTwipsPerInch = 1440;
constexpr int kIconSize = 16;
constexpr int kTextMargin = 2;

}  // namespace

// One panel: a sunken frame showing an optional picture and a text, reporting clicks.
class StatusPanel final : public QFrame {
 public:
  StatusPanel(std::string_view key, QWidget* parent) : QFrame(parent), m_key(key) {
    setObjectName(toQString(key));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMinimumHeight(fontMetrics().height() + 2 * frameWidth() + 2);
  }

  // The width that shows `text` whole, with the margins paintEvent leaves.
  int widthFor(const QString& text) const {
    return fontMetrics().horizontalAdvance(text) + 2 * frameWidth() + 2 * kTextMargin + 1;
  }

  const std::string& key() const { return m_key; }
  const QString& text() const { return m_text; }
  Picture picture() const { return m_picture; }

  void setText(QString text) {
    if (text == m_text) return;
    m_text = std::move(text);
    update();
  }
  void setPicture(Picture picture, QIcon icon) {
    m_picture = picture;
    m_icon = std::move(icon);
    update();
  }

  std::function<void()> onClicked;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter painter(this);
    QRect area = contentsRect().adjusted(kTextMargin, 0, -kTextMargin, 0);
    if (m_picture) {
      const int side = std::min(kIconSize, area.height());
      m_icon.paint(&painter, QRect(area.left(), area.center().y() - side / 2, side, side));
      area.setLeft(area.left() + side + kTextMargin);
    }
    painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(m_text, Qt::ElideRight, area.width()));
  }

  void mousePressEvent(QMouseEvent* event) override {
    m_pressed = event->button() == Qt::LeftButton;
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click && onClicked) onClicked();
  }

 private:
  std::string m_key;
  QString m_text;
  Picture m_picture;
  QIcon m_icon;
  bool m_pressed = false;
};

QtStatusBar::QtStatusBar(Clock& clock, std::span<const PanelSpec> panels, QWidget* parent)
    : QWidget(parent), m_clock(clock), m_clockTimer(new QTimer(this)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  for (const PanelSpec& layout : panels) {
    auto* added = new StatusPanel(layout.key, this);
    added->setFixedWidth(std::max(layout.width * logicalDpiX() / kTwipsPerInch,
                                  added->widthFor(widestText(layout.kind))));
    added->onClicked = [this, key = toQString(layout.key)] { emit panelClicked(key); };
    row->addWidget(added);
    m_panels.push_back(added);
  }
  row->addStretch();

  m_clockTimer->setSingleShot(true);
  m_clockTimer->setTimerType(Qt::PreciseTimer);
  connect(m_clockTimer, &QTimer::timeout, this, &QtStatusBar::showDateAndTime);
  showDateAndTime();
}

StatusPanel& QtStatusBar::panel(std::string_view key) const {
  const auto found =
      std::find_if(m_panels.begin(), m_panels.end(),
                   [key](const StatusPanel* candidate) { return candidate->key() == key; });
  if (found == m_panels.end())
    throw std::out_of_range("the status bar has no panel " + std::string(key));
  return **found;
}

Picture QtStatusBar::registerPicture(const QIcon& icon) {
  m_pictures.push_back(icon);
  return Picture{static_cast<int>(m_pictures.size())};
}

int QtStatusBar::panelWidth(std::string_view key) const {
  return panel(key).width();
}

void QtStatusBar::setPanelWidth(std::string_view key, int pixels) {
  panel(key).setFixedWidth(pixels);
}

long QtStatusBar::panelWidthTwips(std::string_view key) const {
  return std::lround(panelWidth(key) * double{kTwipsPerInch} / logicalDpiX());
}

void QtStatusBar::setPanelWidthTwips(std::string_view key, long twips) {
  setPanelWidth(key, static_cast<int>(
                         std::lround(static_cast<double>(twips) * logicalDpiX() / kTwipsPerInch)));
}

std::string QtStatusBar::panelText(std::string_view key) const {
  return toUtf8(panel(key).text());
}

void QtStatusBar::setPanelText(std::string_view key, std::string text) {
  panel(key).setText(toQString(text));
}

Picture QtStatusBar::panelPicture(std::string_view key) const {
  return panel(key).picture();
}

void QtStatusBar::setPanelPicture(std::string_view key, Picture picture) {
  StatusPanel& target = panel(key);
  if (!picture) {
    target.setPicture(Picture{}, QIcon());
    return;
  }
  if (picture.id < 1 || picture.id > static_cast<int>(m_pictures.size()))
    throw std::out_of_range("no picture was registered as " + std::to_string(picture.id));
  target.setPicture(picture, m_pictures[static_cast<std::size_t>(picture.id - 1)]);
}

void QtStatusBar::repaint() {
  QWidget::repaint();
}

// The timer is armed for the next full minute rather than ticking every second; the clock
// reads whole seconds, so the time panel runs at most a second behind the minute.
void QtStatusBar::showDateAndTime() {
  const platform::LocalDateTime now = m_clock.now();
  panel(kPanelDate).setText(QString::asprintf("%04d/%02d/%02d", now.year, now.month, now.day));
  panel(kPanelTime).setText(QString::asprintf("%02d:%02d", now.hour, now.minute));
  m_clockTimer->start(std::max(1, 60 - now.second) * 1000);
}

}  // namespace batora
