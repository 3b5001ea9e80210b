// Check-box and radio-button glyphs drawn from lines and arcs, the cache of
// their sizes, and the conversion tables and rectangle routines of the
// drawing utilities.
#pragma once

#include "listview/paint/LumeCanvas.h"

#include <vector>

namespace lume {

struct TCheckBound {
    LumeRect Bound;
    int Size = 0;
};

// Glyph sizes by font size, measured once each.
class TCheckBoundManager {
public:
    LumeRect Bound(int fontSize);
    const TCheckBound* Find(int fontSize) const;
    void Clear() { bounds_.clear(); }
    int Count() const { return int(bounds_.size()); }

private:
    std::vector<TCheckBound> bounds_;
};

TCheckBoundManager& CheckBoundManager();
// The glyph cell of a font size: a square one pixel larger than the size.
LumeRect MeasureMarlettCheck(int fontSize);

struct LumeGlyphColors {
    TColor FaceNormal, FacePressed, Shadow, Highlight, DarkShadow, Light;
};
void DrawMarlettCheck(TLumeCanvas* canvas, LumePoint at, int fontSize, const LumeGlyphColors& colors, bool checked,
                      bool enabled, bool pressedFace);
void DrawMarlettRadio(TLumeCanvas* canvas, LumePoint at, int fontSize, const LumeGlyphColors& colors, bool checked,
                      bool enabled, bool pressedFace);

// Conversion tables.
constexpr uint32_t DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4, DROPEFFECT_SCROLL = 0x80000000;
TLumeDropEffects DropEffectToLumeDropEffects(uint32_t effect);
uint32_t LumeDropEffectsToDropEffect(TLumeDropEffects effects);
uint32_t LumeDropEffectToDropEffect(TLumeDropEffect effect);
TLumeKeyStates KeyStatesToLumeKeyStates(uint32_t keys);
TLumeMouseButton MouseFlagsToLumeMouseButton(uint32_t keys);
TLumeDropEffect KeyStatesToLumeDropEffect(TLumeKeyStates keys);

// Rectangle routines.
bool RectContainsRect(const LumeRect& outer, const LumeRect& inner);
bool RectIsOrdered(const LumeRect& r);
LumeRect NormalizeRect(const LumeRect& r);
LumeRect CenterRectInRect(const LumeRect& container, const LumeRect& inner);
// Grows (positive) or shrinks (negative) a rectangle on every side.
inline LumeRect Inflate(const LumeRect& r, int dx, int dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

}  // namespace lume
