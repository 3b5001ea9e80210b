#include "listview/qt/LumeQtColors.h"

#include "listview/paint/LumeColors.h"

namespace lume {

namespace {
TColor ToColor(const QColor& c) { return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16); }
}  // namespace

void LoadSystemColors(const QPalette& p) {
    const struct {
        int index;
        QPalette::ColorRole role;
    } table[] = {
        {5, QPalette::Base},          {8, QPalette::Text},         {11, QPalette::Window},
        {13, QPalette::Highlight},    {14, QPalette::HighlightedText}, {15, QPalette::Button},
        {16, QPalette::Dark},         {18, QPalette::ButtonText},  {20, QPalette::Light},
        {21, QPalette::Shadow},       {22, QPalette::Midlight},
    };
    for (const auto& t : table) SetSystemColor(t.index, ToColor(p.color(t.role)));
}

}  // namespace lume
