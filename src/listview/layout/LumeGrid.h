// The grids that place a group's items for each view style, and answer
// which item lies next to another.
#pragma once

#include "listview/layout/LumeCellSizes.h"
#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

namespace lume {

class TLumeGroup;
class TLumeItem;

// Rows that wrap: icon, small icon, thumbnail and tile views.
class TLumeGridGroup : public TLumeOwnedPersistent {
public:
    TLumeGridGroup(TCustomLumeListview* owner, TLumeGroup* group) : TLumeOwnedPersistent(owner), OwnerGroup(group) {}

    int ColumnCount = 0;
    TLumeGroup* OwnerGroup;
    int RowCount = 0;

    virtual TLumeItem* AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction);
    virtual TLumeCellSize* GetCellSize() = 0;
    virtual int CalcColumnCount(TLumeGroup* group, int width);
    virtual int ItemSpacing() { return 0; }
    virtual int GroupTopOffset() { return 0; }
    virtual void SetCellSize(const TLumeCellSize& value) { GetCellSize()->Assign(value); }
    virtual void Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex);

protected:
    // The nearest visible group before (or after) the owner with more than k visible items.
    TLumeGroup* PrevGroupWithMore(int k) const;
    TLumeGroup* NextGroupWithMore(int k) const;
    void AssertVisible(TLumeItem* item) const;
    TLumeItem* PageProbe(TLumeItem* item, bool down);
};

class TLumeGridIconGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
};
class TLumeGridSmallIconGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
};
class TLumeGridThumbnailGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
};
class TLumeGridTileGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
};

// Columns that wrap: list and film-strip views.
class TLumeGridListGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
    TLumeItem* AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) override;
    void Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) override;
};
class TLumeGridFilmStripGroup : public TLumeGridListGroup {
public:
    using TLumeGridListGroup::TLumeGridListGroup;
    TLumeCellSize* GetCellSize() override;
};

// One full-width row per item under the header's columns.
class TLumeGridReportGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
    TLumeItem* AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) override;
    void Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) override;
};

// One cell per header column.
class TLumeGridGridGroup : public TLumeGridGroup {
public:
    using TLumeGridGroup::TLumeGridGroup;
    TLumeCellSize* GetCellSize() override;
    void Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) override;
};

}  // namespace lume
