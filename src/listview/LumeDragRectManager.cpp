// The rubber band: its corner where the press went down and its rectangle
// following the mouse, selecting what it covers.
#include "listview/LumeDragManagers.h"

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
    const bool inZone = InScrollZoneUp(windowPoint) || InScrollZoneDown(windowPoint) ||
                        InScrollZoneLeft(windowPoint) || InScrollZoneRight(windowPoint);
    if (AutoScroll && inZone) {
        if (!timerRunning_) StartAutoScrollTimer(AutoScrollDelay);
    } else {
        StopAutoScrollTimer();
        FastScrolling = false;
    }
    const LumePoint p = OwnerListview->Scrollbars->MapWindowToView(windowPoint);
    OldRect = DragRect;
    DragRect = {std::min(start_->X, p.X), std::min(start_->Y, p.Y), std::max(start_->X, p.X) + 1,
                std::max(start_->Y, p.Y) + 1};
    OwnerListview->Selection()->DragSelect(keys);
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeDragRectManager::DragEnd(LumePoint, TLumeKeyStates) {
    StopAutoScrollTimer();
    FastScrolling = false;
    Dragging = false;
    start_.reset();
    OldRect = DragRect = {};
    OwnerListview->SafeInvalidateRect(nullptr, false);
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
    TLumeScrollbarManager& sb = *lv->Scrollbars;
    if (InScrollZoneUp(p))
        sb.Scroll(0, -ScrollDepthUp(p) * a);
    else if (InScrollZoneDown(p))
        sb.Scroll(0, ScrollDepthDown(p) * a);
    if (InScrollZoneLeft(p))
        sb.Scroll(-ScrollDepthLeft(p) * a, 0);
    else if (InScrollZoneRight(p))
        sb.Scroll(ScrollDepthRight(p) * a, 0);
}

}  // namespace lume
