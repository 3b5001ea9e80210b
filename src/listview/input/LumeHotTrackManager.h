// The item or group under the mouse, and the check box under the mouse.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

namespace lume {

class TLumeCollectionItem;

class TLumeHotTrackManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    TColor Color = clHighlight;
    bool Enabled = false;
    bool Underline = true;
    TLumeCollectionItem* HotObject() const { return hotObject_; }
    TLumeCollectionItem* CheckHotObject() const { return checkHotObject_; }
    void SetHotObject(LumePoint mousePos, TLumeCollectionItem* object);
    void SetCheckHotObject(TLumeCollectionItem* object);
    // An object going away: forgotten without notifications (its check-hot bit cleared).
    void Forget(TLumeCollectionItem* object);

private:
    TLumeCollectionItem* hotObject_ = nullptr;
    TLumeCollectionItem* checkHotObject_ = nullptr;
};

}  // namespace lume
