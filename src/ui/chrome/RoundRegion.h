#pragma once

#include "app/Form.h"

#include <QRect>

#include <vector>

namespace vantorel {

// The pixels of CreateRoundRectRgn(0, 0, right, bottom, ellipseWidth, ellipseHeight) as one
// row-high rectangles, top to bottom.
//
// Shape, as Win32 and Wine build it: the last column and row are not part of the region, so it
// covers x in [0, right - 1) and y in [0, bottom - 1); ellipse sizes are clamped to that box and
// anything under 2 gives a plain rectangle. Corner rows follow an integer ellipse walk of
// (ellipseWidth - 1) x (ellipseHeight - 1), mirrored top to bottom and left to right, so the cut is
// symmetric; the band between the corners is full width. Rows the ellipse pinches to nothing are
// left out. A window of w x h pixels therefore asks
// for right = w + 1, bottom = h + 1 to be covered exactly.
std::vector<QRect> roundRectSpans(const RoundRegion& r);

}  // namespace vantorel
