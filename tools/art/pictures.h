// Small pixel operations on ARGB32 pictures. A pixel is either fully
// transparent (nothing painted) or fully opaque; there is no blending, so
// every result is exact and the same on every machine.
#pragma once

#include <QImage>
#include <QRect>

#include <string>
#include <vector>

namespace art {

// A w x h picture filled with one colour (transparent by default).
QImage canvas(int w, int h, QRgb fill = 0);

// Paints the opaque pixels of src onto dst with src's corner at (x, y).
void over(QImage& dst, const QImage& src, int x, int y);

QImage mirrored(const QImage& image);   // left to right
QImage upsideDown(const QImage& image); // top to bottom

// Every pixel becomes a factor x factor square.
QImage enlarged(const QImage& image, int factor);

// The picture with a one-pixel border of `ink` around its painted pixels,
// one pixel larger on every side. With corners the border also fills the
// diagonal neighbours.
QImage outlined(const QImage& image, QRgb ink, bool corners = true);

// The painted pixels recoloured row by row: row y takes colours[y * n / h].
QImage banded(const QImage& image, const std::vector<QRgb>& colours);

// The painted pixels all in one colour.
QImage silhouette(const QImage& image, QRgb colour);

// The part of a picture within rect.
QImage cropped(const QImage& image, const QRect& rect);

// True when both pictures paint exactly the same pixels.
bool sameShape(const QImage& a, const QImage& b);

// True when no pixel of the picture is transparent.
bool solid(const QImage& image);

// The mask of a region of an opaque picture: white where the picture is pure
// black, black everywhere else.
QImage maskOf(const QImage& sheet, const QRect& region);

} // namespace art
