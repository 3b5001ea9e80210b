// The view's extent, the scroll offsets, the mapping between window and
// view coordinates, and the window's scroll bars.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

namespace lume {

// Scroll bar codes.
enum LumeScrollCode {
    SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5,
    SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8
};

class TLumeScrollbarManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;

    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    void SetOffsetX(int value);
    void SetOffsetY(int value);
    LumeRect ViewRect() const { return viewRect_; }
    int ViewWidth() const { return viewRect_.Width(); }
    int ViewHeight() const { return viewRect_.Height(); }
    bool HorzEnabled() const { return horzEnabled_; }
    bool VertEnabled() const { return vertEnabled_; }
    void SetHorzEnabled(bool value);
    void SetVertEnabled(bool value);

    LumePoint MapWindowToView(LumePoint p, bool includeHeader = true) const;
    LumePoint MapViewToWindow(LumePoint p, bool includeHeader = true) const;
    LumeRect MapWindowRectToView(const LumeRect& r, bool includeHeader = true) const;
    LumeRect MapViewRectToWindow(const LumeRect& r, bool includeHeader = true) const;
    bool HorzBarVisible() const;
    bool VertBarVisible() const;
    int LineStep() const;
    int MaxOffsetX() const;
    int MaxOffsetY() const;
    void Scroll(int deltaX, int deltaY);
    void SetViewRect(const LumeRect& rect, bool forceInvalidate);
    void ReCalculateScrollbars(bool redraw, bool force);
    void ValidateOffsets(int& x, int& y) const;
    void WMHScroll(int code);
    void WMVScroll(int code);

private:
    int HeaderHeight() const;
    // The change of offset a scroll bar code asks for on one axis.
    int ScrollDelta(int code, bool vertical) const;
    int offsetX_ = 0;
    int offsetY_ = 0;
    LumeRect viewRect_;
    bool horzEnabled_ = true;
    bool vertEnabled_ = true;
    int recalcDepth_ = 0;
};

}  // namespace lume
