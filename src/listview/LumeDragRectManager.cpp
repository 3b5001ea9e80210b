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
    const LumePoint p = OwnerListview->Scrollbars->MapWindowToView(windowPoint);
    OldRect = DragRect;
    DragRect = {std::min(start_->X, p.X), std::min(start_->Y, p.Y), std::max(start_->X, p.X) + 1,
                std::max(start_->Y, p.Y) + 1};
    OwnerListview->Selection()->DragSelect(keys);
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeDragRectManager::DragEnd(LumePoint, TLumeKeyStates) {
    Dragging = false;
    start_.reset();
    OldRect = DragRect = {};
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

}  // namespace lume
