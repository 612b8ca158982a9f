#include "qtframe.h"

#include <QPainter>
#include <QStyle>

#include "qttextrow.h"

namespace batora {

namespace {
constexpr int kCaptionIndent = 6;
constexpr int kCaptionGap = 2;
}  // namespace

QtFrame::QtFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

// The styles' own group boxes put the caption above the line, one line box down from the top;
// the layout places the first row of children where that line would then run.
void QtFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  // The caption's letters start at the top edge.
  const int captionTop = -inkTop(metrics);
  const int lineY = (inkBottom(metrics) - inkTop(metrics)) / 2;
  const QRect line = rect().adjusted(0, lineY, -1, -1);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(line.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(line.adjusted(1, 1, 0, 0));
  if (title().isEmpty()) return;
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine;
  QRect caption = metrics.boundingRect(QRect(kCaptionIndent, captionTop, width(), metrics.height()),
                                       flags, title());
  painter.fillRect(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0),
                   palette().brush(backgroundRole()));
  style()->drawItemText(&painter, caption, flags, palette(), isEnabled(), title(),
                        QPalette::WindowText);
}

}  // namespace batora
