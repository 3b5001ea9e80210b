#include "listview/input/LumeCheckManager.h"

#include "listview/model/LumeCollection.h"

namespace lume {

void TLumeCheckManager::SetPendingObject(TLumeCollectionItem* object) {
    if (object == pending_) return;
    if (pending_) pending_->SetCheckPending(false);
    pending_ = object;
    if (pending_) pending_->SetCheckPending(true);
}

}  // namespace lume
