#include "listview/paint/LumeGlyphs.h"

#include "listview/paint/LumeColors.h"

namespace lume {

LumeRect MeasureMarlettCheck(int fontSize) { return {0, 0, fontSize + 1, fontSize + 1}; }

LumeRect TCheckBoundManager::Bound(int fontSize) {
    if (const TCheckBound* found = Find(fontSize)) return found->Bound;
    bounds_.push_back({MeasureMarlettCheck(fontSize), fontSize});
    return bounds_.back().Bound;
}

const TCheckBound* TCheckBoundManager::Find(int fontSize) const {
    for (const TCheckBound& b : bounds_)
        if (b.Size == fontSize) return &b;
    return nullptr;
}

TCheckBoundManager& CheckBoundManager() {
    static TCheckBoundManager manager;
    return manager;
}

namespace {

struct BrushSave {
    TLumeCanvas* canvas;
    TColor pen, brush;
    LumeBrushStyle style;
    explicit BrushSave(TLumeCanvas* c) : canvas(c), pen(c->PenColor), brush(c->BrushColor), style(c->BrushStyle) {}
    ~BrushSave() {
        canvas->PenColor = pen;
        canvas->BrushColor = brush;
        canvas->BrushStyle = style;
    }
};

void HLine(TLumeCanvas* c, int x0, int x1, int y, TColor color) {
    c->PenColor = color;
    c->Line({x0, y}, {x1, y});
}

void VLine(TLumeCanvas* c, int x, int y0, int y1, TColor color) {
    c->PenColor = color;
    c->Line({x, y0}, {x, y1});
}

TColor MarkColor(bool enabled) { return enabled ? clBlack : clBtnShadow; }

}  // namespace

void DrawMarlettCheck(TLumeCanvas* canvas, LumePoint at, int fontSize, const LumeGlyphColors& colors, bool checked,
                      bool enabled, bool pressedFace) {
    BrushSave save(canvas);
    const LumeRect cell = CheckBoundManager().Bound(fontSize).Offset(at.X, at.Y);
    const int l = cell.Left, t = cell.Top, r = cell.Right - 1, b = cell.Bottom - 1;
    // The face, then the four edges from the outside in: shadow and highlight
    // outside, dark shadow and light inside.
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->BrushColor = pressedFace ? colors.FacePressed : colors.FaceNormal;
    canvas->FillRect({l + 2, t + 2, r - 1, b - 1});
    canvas->BrushStyle = LumeBrushStyle::Clear;
    HLine(canvas, l, r, t, colors.Shadow);
    VLine(canvas, l, t, b, colors.Shadow);
    HLine(canvas, l, r + 1, b, colors.Highlight);
    VLine(canvas, r, t, b, colors.Highlight);
    HLine(canvas, l + 1, r - 1, t + 1, colors.DarkShadow);
    VLine(canvas, l + 1, t + 1, b - 1, colors.DarkShadow);
    HLine(canvas, l + 1, r, b - 1, colors.Light);
    VLine(canvas, r - 1, t + 1, b - 1, colors.Light);
    if (!checked) return;
    // The tick: a short stroke down to the right, then a long one up, three pixels thick.
    const TColor mark = MarkColor(enabled);
    const int x0 = l + 3, y0 = t + (b - t) / 2 - 1;
    for (int k = 0; k < 3; ++k) {
        canvas->PenColor = mark;
        canvas->Line({x0, y0 + k}, {x0 + 3, y0 + 3 + k});
        canvas->Line({x0 + 2, y0 + 2 + k}, {x0 + 7, y0 - 3 + k});
    }
}

void DrawMarlettRadio(TLumeCanvas* canvas, LumePoint at, int fontSize, const LumeGlyphColors& colors, bool checked,
                      bool enabled, bool pressedFace) {
    BrushSave save(canvas);
    const LumeRect cell = CheckBoundManager().Bound(fontSize).Offset(at.X, at.Y);
    const LumePoint c{cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2};
    const int radius = cell.Width() / 2;
    canvas->BrushStyle = LumeBrushStyle::Clear;
    canvas->PenColor = pressedFace ? colors.FacePressed : colors.FaceNormal;
    for (int r = radius - 2; r > 0; --r) canvas->Arc(c, r, 0, 360);
    canvas->PenColor = colors.Shadow;
    canvas->Arc(c, radius, 45, 180);
    canvas->PenColor = colors.Highlight;
    canvas->Arc(c, radius, 225, 180);
    canvas->PenColor = colors.DarkShadow;
    canvas->Arc(c, radius - 1, 45, 180);
    canvas->PenColor = colors.Light;
    canvas->Arc(c, radius - 1, 225, 180);
    if (!checked) return;
    canvas->PenColor = MarkColor(enabled);
    for (int r = 1; r <= 2; ++r) canvas->Arc(c, r, 0, 360);
}

TLumeDropEffects DropEffectToLumeDropEffects(uint32_t effect) {
    TLumeDropEffects out;
    if (effect == 0 || effect == DROPEFFECT_SCROLL) out.Include(TLumeDropEffect::edeNone);
    if (effect & DROPEFFECT_COPY) out.Include(TLumeDropEffect::edeCopy);
    if (effect & DROPEFFECT_MOVE) out.Include(TLumeDropEffect::edeMove);
    if (effect & DROPEFFECT_LINK) out.Include(TLumeDropEffect::edeLink);
    if (effect & DROPEFFECT_SCROLL) out.Include(TLumeDropEffect::edeScroll);
    return out;
}

uint32_t LumeDropEffectsToDropEffect(TLumeDropEffects effects) {
    uint32_t out = 0;
    if (effects.Has(TLumeDropEffect::edeCopy)) out |= DROPEFFECT_COPY;
    if (effects.Has(TLumeDropEffect::edeMove)) out |= DROPEFFECT_MOVE;
    if (effects.Has(TLumeDropEffect::edeLink)) out |= DROPEFFECT_LINK;
    if (effects.Has(TLumeDropEffect::edeScroll)) out |= DROPEFFECT_SCROLL;
    return out;
}

uint32_t LumeDropEffectToDropEffect(TLumeDropEffect effect) {
    switch (effect) {
    case TLumeDropEffect::edeCopy: return DROPEFFECT_COPY;
    case TLumeDropEffect::edeMove: return DROPEFFECT_MOVE;
    case TLumeDropEffect::edeLink: return DROPEFFECT_LINK;
    default: return 0;
    }
}

TLumeKeyStates KeyStatesToLumeKeyStates(uint32_t keys) {
    TLumeKeyStates s = KeysToKeyStates(keys);
    if (keys & 0x20) s.Include(TLumeKeyState::eksAlt);
    if (keys & (MK_LBUTTON | MK_MBUTTON | MK_RBUTTON)) s.Include(TLumeKeyState::eksButton);
    return s;
}

TLumeMouseButton MouseFlagsToLumeMouseButton(uint32_t keys) {
    if (keys & MK_LBUTTON) return TLumeMouseButton::embLeft;
    if (keys & MK_MBUTTON) return TLumeMouseButton::embMiddle;
    if (keys & MK_RBUTTON) return TLumeMouseButton::embRight;
    return TLumeMouseButton::embNone;
}

TLumeDropEffect KeyStatesToLumeDropEffect(TLumeKeyStates keys) {
    const bool ctrl = keys.Has(TLumeKeyState::eksControl);
    const bool shift = keys.Has(TLumeKeyState::eksShift);
    const bool alt = keys.Has(TLumeKeyState::eksAlt);
    if (ctrl && !shift && !alt) return TLumeDropEffect::edeCopy;
    if (alt && !shift && !ctrl) return TLumeDropEffect::edeLink;
    if (shift && ctrl) return TLumeDropEffect::edeLink;
    return TLumeDropEffect::edeMove;
}

bool RectContainsRect(const LumeRect& outer, const LumeRect& inner) { return inner.Inside(outer); }

bool RectIsOrdered(const LumeRect& r) { return !(r.Right < r.Left || r.Bottom < r.Top); }

LumeRect NormalizeRect(const LumeRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
}

LumeRect CenterRectInRect(const LumeRect& container, const LumeRect& inner) {
    LumeRect out;
    if (inner.Width() > container.Width()) {
        out.Left = container.Left;
        out.Right = container.Right;
    } else {
        out.Left = container.Left + (container.Width() - inner.Width()) / 2;
        out.Right = out.Left + inner.Width();
    }
    if (inner.Height() > container.Height()) {
        out.Top = container.Top;
        out.Bottom = container.Bottom;
    } else {
        out.Top = container.Top + (container.Height() - inner.Height()) / 2;
        out.Bottom = out.Top + inner.Height();
    }
    return out;
}

}  // namespace lume
