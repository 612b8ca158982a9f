#include "qttextrow.h"

#include <QString>
#include <algorithm>

namespace batora {

namespace {

// What captions are made of: full-height kanji, kana, capitals and the parentheses around an
// access key, which reach lowest.
const QString& probeText() {
  static const QString probe = QStringLiteral("漢字Aｶﾅ()");
  return probe;
}

}  // namespace

int inkTop(const QFontMetrics& metrics) {
  return std::max(0, metrics.ascent() + metrics.tightBoundingRect(probeText()).top());
}

int inkBottom(const QFontMetrics& metrics) {
  const int letters = metrics.tightBoundingRect(probeText()).bottom() + 1;
  const int underline = metrics.underlinePos() + metrics.lineWidth();
  return std::min(metrics.height(), metrics.ascent() + std::max(letters, underline));
}

// The layout lets a row touch the next one (a label's last pixel is the first of the box below
// it), so the letters and the underline end one pixel above the row's bottom. Letters taller
// than the row reach up out of it, into the space the layout leaves above every caption.
QRect textRowRect(const QRect& row, const QFontMetrics& metrics) {
  const int lineBox = metrics.height();
  if (lineBox <= row.height()) return row;
  const int room = row.height() - 1 - (inkBottom(metrics) - inkTop(metrics));
  const int letters = row.top() + (room >= 0 ? room / 2 : room);
  return {row.left(), letters - inkTop(metrics), row.width(), lineBox};
}

}  // namespace batora
