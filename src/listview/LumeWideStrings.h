// Text helpers of the list view over QString.
#pragma once

#include "listview/LumeHost.h"

namespace lume {

extern const QString WideLineBreak;

// 0 x 0 for an empty text or a missing measurer.
QSize WideTextExtentFont(const QString& text, const QFont& font, ILumeMeasurer* measurer);
// Case-insensitive comparison in the program's language: negative, 0 or positive.
int CompareWideTextNoCase(const QString& a, const QString& b);
QString WideStrLower(const QString& text);

}  // namespace lume
