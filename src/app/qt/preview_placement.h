#ifndef BOLTGEN_APP_QT_PREVIEW_PLACEMENT_H_
#define BOLTGEN_APP_QT_PREVIEW_PLACEMENT_H_

#include <QRect>
#include <QSize>

namespace boltgen {

// Where the preview goes on the screen's free area `free`: on the side of
// the main window's frame `main` with the most room (right, left, below,
// above, in that order on a tie), shrunk to that room, so that it never
// covers the main window. `wanted` is the preview's own size, `least` the
// smallest it can be drawn in, and `frame` what the window frame adds to
// it. The result is the preview's frame position and its size without the
// frame; empty when no side has room for `least`.
QRect PreviewPlacement(const QRect& main, const QRect& free, QSize wanted, QSize least,
                       QSize frame, int gap = 8);

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_PREVIEW_PLACEMENT_H_
