// The control's groups: the layout pass, navigation over items, and the
// point and rectangle hit tests.
#pragma once

#include "listview/model/LumeGroup.h"

#include <functional>

namespace lume {

// Item filters of the first/last/next/previous searches.
enum LumeItemFilter { eifAny = 0, eifVisible = 1, eifInitialized = 2, eifEditable = 4 };

class TLumeGroups : public TLumeCollection {
public:
    explicit TLumeGroups(TCustomLumeListview* owner);
    ~TLumeGroups() override;

    // The classes given to each new group (a change of view replaces them).
    std::function<TLumeGridGroup*(TCustomLumeListview*, TLumeGroup*)> GridClass;
    std::function<TLumeViewGroup*(TCustomLumeListview*, TLumeGroup*)> GroupViewClass;
    std::function<TLumeViewItem*(TCustomLumeListview*, TLumeGroup*)> ItemViewClass;
    bool Rebuilding = false;
    // A pass was asked for while an update was open; the next pass clears it.
    bool LayoutWaiting = false;
    std::vector<TLumeGroup*> VisibleList;

    TLumeCollectionItem* CreateItem() override { return new TLumeGroupStored(this); }
    int MinRecordSize() const override { return 2 + 8 + 4 * 4; }
    void DoStructureChange() override { RebuildLayout(false); }

    TLumeGroup* operator[](int index) const { return static_cast<TLumeGroup*>(Item(index)); }
    TLumeGroup* At(int index) const { return static_cast<TLumeGroup*>(List[index]); }
    TLumeGroup* AddGroup() { return static_cast<TLumeGroup*>(Add(nullptr)); }

    virtual void RebuildLayout(bool force);
    virtual void ReIndexItems(TLumeGroup* group, bool force);

    int VisibleCount() const { return int(VisibleList.size()); }
    TLumeGroup* VisibleGroups(int index) const;
    int CellHeight() const;
    int CellWidth() const;
    LumeRect ViewRect() const;

    TLumeGroup* FirstGroup(bool visibleOnly) const;
    TLumeGroup* FirstVisibleGroup() const { return FirstGroup(true); }
    TLumeGroup* LastGroup(bool visibleOnly) const;
    TLumeGroup* LastVisibleGroup() const { return LastGroup(true); }
    TLumeItem* FirstItemInGroup(TLumeGroup* group, bool visibleOnly) const;
    TLumeItem* FirstVisibleItemInGroup(TLumeGroup* group) const { return FirstItemInGroup(group, true); }
    TLumeItem* NextItemInGroup(TLumeGroup* group, TLumeItem* item, bool backward, bool visibleOnly) const;
    TLumeItem* NextVisibleItemInGroup(TLumeGroup* group, TLumeItem* item) const {
        return NextItemInGroup(group, item, false, true);
    }

    TLumeItem* FirstItem(int kind = eifAny) const;
    TLumeItem* FirstVisibleItem() const { return FirstItem(eifVisible); }
    TLumeItem* FirstInitializedItem() const { return FirstItem(eifInitialized); }
    TLumeItem* LastItem(int kind = eifAny) const;
    TLumeItem* LastVisibleItem() const { return LastItem(eifVisible); }
    TLumeItem* LastInitializedItem() const { return LastItem(eifInitialized); }
    TLumeItem* NextItem(TLumeItem* item, int kind = eifAny) const { return Step(item, kind, false); }
    TLumeItem* NextVisibleItem(TLumeItem* item) const { return Step(item, eifVisible, false); }
    TLumeItem* NextInitializedItem(TLumeItem* item) const { return Step(item, eifInitialized, false); }
    TLumeItem* NextEditableItem(TLumeItem* item) const { return Step(item, eifEditable, false); }
    TLumeItem* PrevItem(TLumeItem* item, int kind = eifAny) const { return Step(item, kind, true); }
    TLumeItem* PrevVisibleItem(TLumeItem* item) const { return Step(item, eifVisible, true); }
    TLumeItem* PrevInitializedItem(TLumeItem* item) const { return Step(item, eifInitialized, true); }
    TLumeItem* PrevEditableItem(TLumeItem* item) const { return Step(item, eifEditable, true); }
    TLumeItem* AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) const;

    TLumeGroup* GroupAt(LumePoint viewPoint) const;
    TLumeItem* ItemAt(LumePoint viewPoint) const;
    TLumeGroup* FirstGroupInRect(const LumeRect& rect) const;
    TLumeGroup* NextGroupInRect(TLumeGroup* group, const LumeRect& rect) const;
    TLumeItem* FirstItemInRect(const LumeRect& rect) const;
    TLumeItem* NextItemInRect(TLumeItem* item, const LumeRect& rect) const;
    void InvalidateItem(TLumeItem* item, bool immediate) const {
        if (item) item->Invalidate(immediate);
    }

private:
    TLumeItem* Step(TLumeItem* item, int kind, bool backward) const;
    bool Meets(TLumeItem* item, int kind) const;
    // The area an item occupies for the rectangle walks: its cell, or in
    // report view its whole row.
    LumeRect ItemArea(TLumeItem* item) const;
};

}  // namespace lume
