// The sort settings the layout and the header consult; sorting itself
// comes with the sorters.
#pragma once

#include "listview/LumePersistent.h"

namespace lume {

class TLumeColumn;

class TLumeSortManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool AutoSort = false;
    bool AutoRegroup = false;
    bool SortPending = false;
    virtual void SortAll() {}
    virtual void RegroupBy(TLumeColumn* /*column*/) {}
};

}  // namespace lume
