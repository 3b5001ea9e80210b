// Colours: RGB values (red in the low byte) or system colour references.
#pragma once

#include "listview/LumeTypes.h"

#include <QColor>

namespace lume {

constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;

// The RGB value of a colour, system colours looked up.
TColor ColorToRGB(TColor color);
// Replaces the RGB value of a system colour (the adapter takes them from the style).
void SetSystemColor(int index, TColor rgb);
QColor ToQColor(TColor color);

}  // namespace lume
