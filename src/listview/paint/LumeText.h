// Text in a rectangle: wrapping, alignment and the end ellipsis, measured
// and drawn with the canvas's font.
#pragma once

#include "listview/paint/LumeCanvas.h"

#include <QStringList>

namespace lume {

enum LumeWideTextFlag : uint32_t {
    wtfSingleLine = 0x0001,
    wtfLeft = 0x0002,
    wtfRight = 0x0004,
    wtfCenter = 0x0008,
    wtfTop = 0x0010,
    wtfBottom = 0x0020,
    wtfVCenter = 0x0040,
    wtfCalcRect = 0x0080,
    wtfCalcGrowRight = 0x0100,
    wtfCalcClampWidth = 0x0200,
    wtfEndEllipsis = 0x0400,
    wtfRtlReading = 0x2000,
    wtfNoClip = 0x4000,
};

// The text itself when it fits width, else its longest prefix that fits with "...", then "...".
QString ShortenWithEllipsis(TLumeCanvas* canvas, const QString& text, int width);
// Wraps text into lines of at most width pixels; maxLines -1 for no limit.
int WrapWideTextLines(TLumeCanvas* canvas, const QString& text, int width, QStringList& lines, int maxLines);
// Draws, or with wtfCalcRect measures into rect, text inside rect; maxLines -1 for no limit.
void DrawWideTextInRect(TLumeCanvas* canvas, const QString& text, LumeRect& rect, uint32_t flags, int maxLines);

}  // namespace lume
