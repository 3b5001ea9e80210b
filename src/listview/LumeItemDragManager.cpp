// Dragging items out of the control through the window system's drag.
#include "listview/LumeDataObject.h"
#include "listview/LumeDragManagers.h"
#include "listview/LumeListview.h"

namespace lume {

TLumeDragManager::TLumeDragManager(TCustomLumeListview* owner) : TLumeOwnedPersistent(owner) {}

TLumeDragManager::~TLumeDragManager() = default;

void TLumeDragManager::BeginDrag(LumePoint, TLumeKeyStates) {
    TCustomLumeListview* lv = OwnerListview;
    Dragging = false;
    if (!Enabled || !DragItem || !lv->OnOLEDragStart) return;
    data_ = std::make_unique<TLumeDataObjectManager>(lv);
    TLumeDropEffects available{TLumeDropEffect::edeCopy, TLumeDropEffect::edeMove, TLumeDropEffect::edeLink};
    bool allow = false;
    lv->OnOLEDragStart(lv, data_.get(), available, allow);
    if (!allow) {
        data_.reset();
        return;
    }
    Dragging = true;
    TLumeDropEffect effect = TLumeDropEffect::edeNone;
    if (SystemDrag) effect = SystemDrag(data_.get(), available);
    Dragging = false;
    if (lv->OnOLEDragEnd) {
        const TLumeOLEDragResult result =
            effect == TLumeDropEffect::edeNone ? TLumeOLEDragResult::edrCancel : TLumeOLEDragResult::edrDrop;
        TLumeDropEffects chosen;
        chosen.Include(effect);
        lv->OnOLEDragEnd(lv, data_.get(), result, chosen);
    }
    data_.reset();
}

}  // namespace lume
