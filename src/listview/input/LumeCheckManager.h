// The check box a press went down on, and the count of checked items.
#pragma once

#include "listview/LumePersistent.h"

namespace lume {

class TLumeCollectionItem;

class TLumeCheckManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    int CheckedCount = 0;
    TLumeCollectionItem* PendingObject() const { return pending_; }
    void SetPendingObject(TLumeCollectionItem* object);
    // Drops an object that is going away without touching it.
    void Forget(TLumeCollectionItem* object) {
        if (pending_ == object) pending_ = nullptr;
    }

private:
    TLumeCollectionItem* pending_ = nullptr;
};

}  // namespace lume
