#include "listview/layout/LumeScrollbarManager.h"

#include "listview/LumeHost.h"
#include "listview/LumeOwner.h"
#include "listview/layout/LumeHeader.h"
#include "listview/model/LumeGroups.h"

namespace lume {

int TLumeScrollbarManager::HeaderHeight() const { return Owner() ? Owner()->OwnerHeader()->RuntimeHeight() : 0; }

LumePoint TLumeScrollbarManager::MapWindowToView(LumePoint p, bool includeHeader) const {
    return {p.X + offsetX_, p.Y + offsetY_ - (includeHeader ? HeaderHeight() : 0)};
}

LumePoint TLumeScrollbarManager::MapViewToWindow(LumePoint p, bool includeHeader) const {
    return {p.X - offsetX_, p.Y - offsetY_ + (includeHeader ? HeaderHeight() : 0)};
}

LumeRect TLumeScrollbarManager::MapWindowRectToView(const LumeRect& r, bool includeHeader) const {
    const LumePoint a = MapWindowToView({r.Left, r.Top}, includeHeader);
    const LumePoint b = MapWindowToView({r.Right, r.Bottom}, includeHeader);
    return {a.X, a.Y, b.X, b.Y};
}

LumeRect TLumeScrollbarManager::MapViewRectToWindow(const LumeRect& r, bool includeHeader) const {
    const LumePoint a = MapViewToWindow({r.Left, r.Top}, includeHeader);
    const LumePoint b = MapViewToWindow({r.Right, r.Bottom}, includeHeader);
    return {a.X, a.Y, b.X, b.Y};
}

bool TLumeScrollbarManager::HorzBarVisible() const {
    return Owner() && Owner()->HasWindow() && Owner()->Host()->ScrollBarVisible(LumeScrollBar::Horz);
}

bool TLumeScrollbarManager::VertBarVisible() const {
    return Owner() && Owner()->HasWindow() && Owner()->Host()->ScrollBarVisible(LumeScrollBar::Vert);
}

int TLumeScrollbarManager::LineStep() const { return Owner()->OwnerGroups()->CellHeight(); }

int TLumeScrollbarManager::MaxOffsetX() const { return std::max(0, ViewWidth() - Owner()->ClientWidth()); }

int TLumeScrollbarManager::MaxOffsetY() const {
    return std::max(0, ViewHeight() + HeaderHeight() - Owner()->ClientHeight());
}

void TLumeScrollbarManager::SetOffsetX(int value) {
    if (value != offsetX_) Scroll(value - offsetX_, 0);
}

void TLumeScrollbarManager::SetOffsetY(int value) {
    if (value != offsetY_) Scroll(0, value - offsetY_);
}

void TLumeScrollbarManager::ValidateOffsets(int& x, int& y) const {
    if (!Owner()) {
        x = y = 0;
        return;
    }
    x = std::max(0, std::min(x, MaxOffsetX()));
    y = std::max(0, std::min(y, MaxOffsetY()));
}

void TLumeScrollbarManager::Scroll(int deltaX, int deltaY) {
    int x = LumeClampedAdd(offsetX_, deltaX);
    int y = LumeClampedAdd(offsetY_, deltaY);
    ValidateOffsets(x, y);
    if (x == offsetX_ && y == offsetY_) return;
    offsetX_ = x;
    offsetY_ = y;
    ReCalculateScrollbars(true, true);
    Owner()->InvalidateOwner(nullptr, false);
}

void TLumeScrollbarManager::SetViewRect(const LumeRect& rect, bool forceInvalidate) {
    if (rect == viewRect_) {
        if (forceInvalidate) Owner()->InvalidateOwner(nullptr, true);
        return;
    }
    const bool horz = HorzBarVisible();
    const bool vert = VertBarVisible();
    viewRect_ = rect;
    ReCalculateScrollbars(true, false);
    if (forceInvalidate || (horz && !HorzBarVisible()) || (vert && !VertBarVisible()))
        Owner()->InvalidateOwner(nullptr, true);
}

void TLumeScrollbarManager::ReCalculateScrollbars(bool redraw, bool force) {
    ILumeOwner* lv = Owner();
    if (!lv || !lv->HasWindow() || (lv->OwnerUpdateCount() > 0 && !force)) return;
    ILumeHost* host = lv->Host();
    ValidateOffsets(offsetX_, offsetY_);
    const bool vert0 = host->ScrollBarVisible(LumeScrollBar::Vert);
    LumeScrollInfo vertical;
    if (vertEnabled_) vertical = {ViewHeight() + HeaderHeight() - 1, std::max(0, lv->ClientHeight()), std::abs(offsetY_), 0};
    host->SetScrollInfo(LumeScrollBar::Vert, vertical, redraw);
    const bool vert1 = host->ScrollBarVisible(LumeScrollBar::Vert);
    const bool horz1 = host->ScrollBarVisible(LumeScrollBar::Horz);
    LumeScrollInfo horizontal;
    if (horzEnabled_) horizontal = {ViewWidth() - 1, std::max(0, lv->ClientWidth()), std::abs(offsetX_), 0};
    host->SetScrollInfo(LumeScrollBar::Horz, horizontal, redraw);
    const bool horz2 = host->ScrollBarVisible(LumeScrollBar::Horz);
    ValidateOffsets(offsetX_, offsetY_);
    if (vert0 != vert1 || horz1 != horz2) {
        lv->InvalidateOwner(nullptr, false);
        lv->OwnerGroups()->RebuildLayout(false);
        // The pages follow the client area that the bar changed; a bar can
        // change it at most twice, so the recursion ends.
        if (recalcDepth_ < 2) {
            ++recalcDepth_;
            ReCalculateScrollbars(redraw, force);
            --recalcDepth_;
        }
    }
}

int TLumeScrollbarManager::ScrollDelta(int code, bool vertical) const {
    ILumeOwner* lv = Owner();
    const LumeScrollBar bar = vertical ? LumeScrollBar::Vert : LumeScrollBar::Horz;
    const int offset = vertical ? offsetY_ : offsetX_;
    const int page = vertical ? lv->ClientHeight() : lv->ClientWidth();
    const int extent = vertical ? ViewHeight() : ViewWidth();
    switch (code) {
    case SB_LINEUP: return -LineStep();
    case SB_LINEDOWN: return LineStep();
    case SB_PAGEUP: return -page;
    case SB_PAGEDOWN: return page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return (lv->HasWindow() ? lv->Host()->GetScrollInfo(bar).TrackPos : 0) - offset;
    case SB_TOP: return -offset;
    case SB_BOTTOM: return extent - offset;
    default: return 0;
    }
}

void TLumeScrollbarManager::WMHScroll(int code) {
    if (!Owner()) {
        offsetX_ = 0;
        return;
    }
    Scroll(ScrollDelta(code, false), 0);
}

void TLumeScrollbarManager::WMVScroll(int code) {
    if (!Owner()) {
        offsetY_ = 0;
        return;
    }
    Scroll(0, ScrollDelta(code, true));
}

void TLumeScrollbarManager::SetHorzEnabled(bool value) {
    if (value == horzEnabled_) return;
    horzEnabled_ = value;
    ReCalculateScrollbars(true, false);
    Owner()->InvalidateOwner(nullptr, false);
}

void TLumeScrollbarManager::SetVertEnabled(bool value) {
    if (value == vertEnabled_) return;
    vertEnabled_ = value;
    ReCalculateScrollbars(true, false);
    Owner()->InvalidateOwner(nullptr, false);
}

}  // namespace lume
