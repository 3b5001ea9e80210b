#include "listview/input/LumeHotTrackManager.h"

#include "listview/LumeHost.h"
#include "listview/LumeOwner.h"
#include "listview/model/LumeCollection.h"

namespace lume {

void TLumeHotTrackManager::SetHotObject(LumePoint mousePos, TLumeCollectionItem* object) {
    if (object == hotObject_) return;
    TLumeCollectionItem* previous = hotObject_;
    hotObject_ = nullptr;
    if (ILumeHost* window = Owner()->OwnerWindow()) {
        // Holding the mouse lets the control see it leave the window.
        if (object)
            window->SetCapture();
        else
            window->ReleaseCapture();
    }
    if (previous) previous->SetHotTracking(false);
    hotObject_ = object;
    if (object) object->SetHotTracking(true, mousePos);
}

void TLumeHotTrackManager::SetCheckHotObject(TLumeCollectionItem* object) {
    if (object == checkHotObject_) return;
    if (checkHotObject_) checkHotObject_->SetCheckHot(false);
    checkHotObject_ = object;
    if (object) object->SetCheckHot(true);
}

void TLumeHotTrackManager::Forget(TLumeCollectionItem* object) {
    if (checkHotObject_ == object) {
        checkHotObject_ = nullptr;
        object->SetStateBit(ecisCheckHot, false);
    }
    if (hotObject_ == object) hotObject_ = nullptr;
}

}  // namespace lume
