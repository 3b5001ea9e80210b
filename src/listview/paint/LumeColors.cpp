#include "listview/paint/LumeColors.h"

#include <array>

namespace lume {

namespace {

// The classic desktop colours, by system index.
std::array<TColor, 31>& SystemColors() {
    static std::array<TColor, 31> colors = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
        0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4,
        0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF9933,
        0xF0F0F0};
    return colors;
}

}  // namespace

TColor ColorToRGB(TColor color) {
    if ((color & 0xFF000000) == 0xFF000000) {
        const unsigned index = color & 0xFF;
        return index < SystemColors().size() ? SystemColors()[index] : 0;
    }
    return color & 0xFFFFFF;
}

void SetSystemColor(int index, TColor rgb) {
    if (index >= 0 && index < int(SystemColors().size())) SystemColors()[index] = rgb & 0xFFFFFF;
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

}  // namespace lume
