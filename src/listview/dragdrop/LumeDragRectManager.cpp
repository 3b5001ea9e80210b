// The rubber band: its corner where the press went down and its rectangle
// following the mouse, selecting what it covers.
#include "listview/dragdrop/LumeDragManagers.h"

#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeColors.h"
#include "listview/LumeListview.h"

namespace lume {

bool TLumeDragRectManager::DragStartCheck(LumePoint windowPoint, TLumeMouseButton button) {
    start_.reset();
    if (!Enabled || !MouseButton.Has(button)) return false;
    start_ = OwnerListview->Scrollbars->MapWindowToView(windowPoint);
    return true;
}

void TLumeDragRectManager::DragStart(LumePoint windowPoint, TLumeKeyStates keys) {
    if (!start_) start_ = OwnerListview->Scrollbars->MapWindowToView(windowPoint);
    Dragging = true;
    OldRect = DragRect = {};
    DragMove(windowPoint, keys);
}

void TLumeDragRectManager::DragMove(LumePoint windowPoint, TLumeKeyStates keys) {
    if (!Dragging || !start_) return;
    LastPoint = windowPoint;
    LastKeys = keys;
    const bool inZone = InScrollZoneUp(windowPoint) || InScrollZoneDown(windowPoint) ||
                        InScrollZoneLeft(windowPoint) || InScrollZoneRight(windowPoint);
    if (AutoScroll && inZone) {
        if (!timerRunning_) StartAutoScrollTimer(AutoScrollDelay);
    } else {
        StopAutoScrollTimer();
        FastScrolling = false;
    }
    FollowCorner(windowPoint, keys);
}

void TLumeDragRectManager::FollowCorner(LumePoint windowPoint, TLumeKeyStates keys) {
    const LumePoint p = OwnerListview->Scrollbars->MapWindowToView(windowPoint);
    OldRect = DragRect;
    DragRect = {std::min(start_->X, p.X), std::min(start_->Y, p.Y), std::max(start_->X, p.X) + 1,
                std::max(start_->Y, p.Y) + 1};
    OwnerListview->Selection()->DragSelect(keys);
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeDragRectManager::ScrollBy(int deltaX, int deltaY) {
    TLumeScrollbarManager& sb = *OwnerListview->Scrollbars;
    const int oldX = sb.OffsetX(), oldY = sb.OffsetY();
    sb.Scroll(deltaX, deltaY);
    // The mouse has not moved in the window, so the corner under it now lies
    // where the view moved to: the band takes in (or lets go of) what scrolled past.
    if (Dragging && start_ && (sb.OffsetX() != oldX || sb.OffsetY() != oldY)) FollowCorner(LastPoint, LastKeys);
}

void TLumeDragRectManager::HandleKeyDown(uint16_t key) {
    enum : uint16_t { kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28 };
    TCustomLumeListview* lv = OwnerListview;
    TLumeScrollbarManager& sb = *lv->Scrollbars;
    switch (key) {
    case kPrior: ScrollBy(0, -lv->ClientHeight()); break;
    case kNext: ScrollBy(0, lv->ClientHeight()); break;
    case kEnd: ScrollBy(sb.ViewWidth() - lv->ClientWidth(), sb.ViewHeight() - lv->ClientHeight()); break;
    case kHome: ScrollBy(-sb.OffsetX(), -sb.OffsetY()); break;
    case kLeft: ScrollBy(-sb.LineStep(), 0); break;
    case kUp: ScrollBy(0, -sb.LineStep()); break;
    case kRight: ScrollBy(sb.LineStep(), 0); break;
    case kDown: ScrollBy(0, sb.LineStep()); break;
    default: break;
    }
}

void TLumeDragRectManager::DragEnd(LumePoint, TLumeKeyStates) {
    StopAutoScrollTimer();
    FastScrolling = false;
    Dragging = false;
    start_.reset();
    OldRect = DragRect = {};
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeDragRectManager::PaintRubberBand(TLumeCanvas* canvas) {
    TCustomLumeListview* lv = OwnerListview;
    if (!Dragging || DragRect.IsEmpty()) return;
    LumeRect r = lv->Scrollbars->MapViewRectToWindow(DragRect).Intersected(lv->ClientRect());
    if (lv->IsHeaderView() && lv->Header->Visible()) r.Top = std::max(r.Top, lv->Header->Height());
    if (r.IsEmpty()) return;
    const TLumeSelectionManager& sel = *lv->Selection();
    QImage* surface = canvas->Surface();
    if (sel.AlphaBlendSelRect && CpuSupportsMmx() && surface) {
        const LumeRect a = canvas->ToDevice(r).Intersected({0, 0, surface->width(), surface->height()});
        BlendBitmapRect(nullptr, surface, a, {}, TBlendMode::bmConstantAlphaAndColor, sel.BlendAlphaSelRect,
                        int(ColorToRGB(sel.BlendColorSelRect)));
        canvas->BrushStyle = LumeBrushStyle::Clear;
        canvas->PenColor = sel.BorderColorSelRect;
        canvas->Rectangle(r);
        canvas->BrushStyle = LumeBrushStyle::Solid;
        return;
    }
    canvas->Font = lv->Font;
    canvas->BrushColor = lv->Color;
    canvas->FontColor = clBlack;
    canvas->DrawFocusRect(r);
}

bool TLumeDragRectManager::InScrollZoneUp(LumePoint p) const {
    TCustomLumeListview* lv = OwnerListview;
    return p.Y - lv->Header->RuntimeHeight() < AutoScrollMargin && lv->Scrollbars->OffsetY() > 0;
}

bool TLumeDragRectManager::InScrollZoneDown(LumePoint p) const {
    TCustomLumeListview* lv = OwnerListview;
    return p.Y > lv->ClientHeight() - AutoScrollMargin && lv->Scrollbars->OffsetY() < lv->Scrollbars->MaxOffsetY();
}

bool TLumeDragRectManager::InScrollZoneLeft(LumePoint p) const {
    return p.X < AutoScrollMargin && OwnerListview->Scrollbars->OffsetX() > 0;
}

bool TLumeDragRectManager::InScrollZoneRight(LumePoint p) const {
    TCustomLumeListview* lv = OwnerListview;
    return p.X > lv->ClientWidth() - AutoScrollMargin && lv->Scrollbars->OffsetX() < lv->Scrollbars->MaxOffsetX();
}

int TLumeDragRectManager::ScrollDepthUp(LumePoint p) const {
    return std::abs(p.Y - (OwnerListview->Header->RuntimeHeight() + AutoScrollMargin));
}
int TLumeDragRectManager::ScrollDepthDown(LumePoint p) const {
    return std::abs(OwnerListview->ClientHeight() - (p.Y + AutoScrollMargin));
}
int TLumeDragRectManager::ScrollDepthLeft(LumePoint p) const { return std::abs(p.X - AutoScrollMargin); }
int TLumeDragRectManager::ScrollDepthRight(LumePoint p) const {
    return std::abs(OwnerListview->ClientWidth() - (p.X + AutoScrollMargin));
}

void TLumeDragRectManager::StartAutoScrollTimer(int milliseconds) {
    StopAutoScrollTimer();
    if (!OwnerListview->Host()) return;
    timer_ = OwnerListview->Host()->StartTimer(milliseconds, [this] {
        timerRunning_ = false;
        AutoScrollTimerTick();
    });
    timerRunning_ = true;
}

void TLumeDragRectManager::StopAutoScrollTimer() {
    if (!timerRunning_) return;
    if (OwnerListview->Host()) OwnerListview->Host()->StopTimer(timer_);
    timerRunning_ = false;
}

void TLumeDragRectManager::AutoScrollTimerTick() {
    // The first tick, a delay after entering a zone, only switches to the fast period.
    if (FastScrolling)
        DoAutoScroll();
    else
        FastScrolling = true;
    if (Dragging) StartAutoScrollTimer(AutoScrollTime);
}

void TLumeDragRectManager::DoAutoScroll() {
    TCustomLumeListview* lv = OwnerListview;
    if (!lv->HasWindow() || !FastScrolling) return;
    const LumePoint p = LastPoint;
    const int a = AutoScrollAccelerator;
    if (InScrollZoneUp(p))
        ScrollBy(0, -ScrollDepthUp(p) * a);
    else if (InScrollZoneDown(p))
        ScrollBy(0, ScrollDepthDown(p) * a);
    if (InScrollZoneLeft(p))
        ScrollBy(-ScrollDepthLeft(p) * a, 0);
    else if (InScrollZoneRight(p))
        ScrollBy(ScrollDepthRight(p) * a, 0);
}

}  // namespace lume
