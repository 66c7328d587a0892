#include "app/qt/preview_placement.h"

#include <algorithm>

namespace boltgen {
namespace {

enum class Side { kRight, kLeft, kBelow, kAbove };

// The free area on one side of `main`, the gap kept.
QRect RoomOn(Side side, const QRect& main, const QRect& free, int gap) {
  switch (side) {
    case Side::kRight:
      return QRect(QPoint(main.right() + 1 + gap, free.top()), free.bottomRight());
    case Side::kLeft:
      return QRect(free.topLeft(), QPoint(main.left() - 1 - gap, free.bottom()));
    case Side::kBelow:
      return QRect(QPoint(free.left(), main.bottom() + 1 + gap), free.bottomRight());
    case Side::kAbove:
      return QRect(free.topLeft(), QPoint(free.right(), main.top() - 1 - gap));
  }
  return {};
}

}  // namespace

QRect PreviewPlacement(const QRect& main, const QRect& free, QSize wanted, QSize least,
                       QSize frame, int gap) {
  QRect best;
  long best_area = 0;
  for (Side side : {Side::kRight, Side::kLeft, Side::kBelow, Side::kAbove}) {
    const QRect room = RoomOn(side, main, free, gap);
    const QSize fits = wanted.boundedTo(room.size() - frame);
    if (fits.width() < std::max(least.width(), 1) || fits.height() < std::max(least.height(), 1))
      continue;
    const long area = static_cast<long>(fits.width()) * fits.height();
    if (area <= best_area) continue;
    const QSize outer = fits + frame;
    // Level with the main window where the room allows, flush with it.
    const int x = side == Side::kLeft ? room.right() + 1 - outer.width()
                  : side == Side::kRight
                      ? room.left()
                      : std::clamp(main.left(), room.left(), room.right() + 1 - outer.width());
    const int y = side == Side::kAbove ? room.bottom() + 1 - outer.height()
                  : side == Side::kBelow
                      ? room.top()
                      : std::clamp(main.top(), room.top(), room.bottom() + 1 - outer.height());
    best = QRect(QPoint(x, y), fits);
    best_area = area;
  }
  return best;
}

}  // namespace boltgen
