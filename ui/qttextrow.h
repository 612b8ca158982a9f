#pragma once
// Room for one line of a caption, reckoned from the letters rather than the font's line box.
// The layout's rows were made for fonts whose line box is the letters' own height; the CJK
// fonts on Linux add a third of an em to it, which pushed captions down and cut off the
// underline of their access key.

#include <QFontMetrics>
#include <QRect>

namespace batora {

// Pixels from the top of a line box down to the top of its tallest letters.
int inkTop(const QFontMetrics& metrics);
// Pixels from the top of a line box down to the bottom of its underline or lowest letter.
int inkBottom(const QFontMetrics& metrics);

// The rect for a control showing one vertically centred line in `row`: the same rect when the
// line box fits, else one line box high, placed so that the letters and the underline lie in
// `row` above its last pixel, centred where there is room.
QRect textRowRect(const QRect& row, const QFontMetrics& metrics);

}  // namespace batora
