// The one place where our rectangles (right and bottom outside) meet
// QRect (right and bottom inside).
#pragma once

#include "listview/LumeTypes.h"

#include <QPoint>
#include <QRect>

namespace lume {

inline QRect ToQRect(const LumeRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }
inline LumeRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
inline QPoint ToQPoint(LumePoint p) { return {p.X, p.Y}; }
inline LumePoint FromQPoint(const QPoint& p) { return {p.x(), p.y()}; }

}  // namespace lume
