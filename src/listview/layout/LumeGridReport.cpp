// Report rows (one full-width row per item) and grid rows (one cell per
// header column).
#include "listview/layout/LumeGrid.h"

#include "listview/LumeOwner.h"
#include "listview/layout/LumeHeader.h"
#include "listview/model/LumeGroups.h"

namespace lume {

TLumeCellSize* TLumeGridReportGroup::GetCellSize() { return Owner()->OwnerCellSizes()->Report.get(); }
TLumeCellSize* TLumeGridGridGroup::GetCellSize() { return Owner()->OwnerCellSizes()->Grid.get(); }

namespace {

int HeaderColumnsRight(TLumeHeader& header) {
    TLumeColumn* last = header.LastColumnByPosition();
    return last ? last->DisplayRect.Right : 0;
}

// What the report and grid layouts share: the group's rectangle from the
// previous group's bottom, and the collapsed, empty and invisible cases.
// Calls place(item, y) for each item of an expanded group and returns true
// when it did.
template <typename Place>
void RebuildRows(TLumeGroup* group, TLumeGroup* prevGroup, TLumeHeader& header, Place place) {
    // Rows past kLumeMaxExtent pixels down are held there: a list that long
    // is not scrolled through, and the sums stay within an int.
    const int t = prevGroup ? prevGroup->DisplayRect.Bottom : 0;
    const int hr = HeaderColumnsRight(header);
    group->DisplayRect = {0, t, hr, t};
    group->VisibleItems.clear();
    if (!group->Visible()) return;
    TLumeItems* items = group->Items();
    if (group->Expanded() && items->Count() > 0) {
        group->VisibleItems.reserve(items->Count());
        int y = LumeClampedAdd(t, group->MarginTopSize());
        const int bottomMargin = group->MarginBottomSize();
        for (int i = 0; i < items->Count(); ++i) {
            TLumeItem* item = items->At(i);
            y = place(item, y);
            group->DisplayRect.Bottom = LumeClampedAdd(item->DisplayRect.Bottom, bottomMargin);
        }
    } else {
        group->DisplayRect = {0, t, hr, LumeClampedAdd(t, int64_t(group->MarginTopSize()) + group->MarginBottomSize())};
    }
}

}  // namespace

void TLumeGridReportGroup::Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) {
    TLumeGroup* group = OwnerGroup;
    TLumeHeader& header = *Owner()->OwnerHeader();
    const int h = GetCellSize()->Height();
    const int left = group->MarginLeftSize();
    TLumeColumn* last = header.LastColumnByPosition();
    const int right = last ? last->DisplayRect.Right - group->MarginRightSize() : 0;
    int running = 0;
    RebuildRows(group, prevGroup, header, [&](TLumeItem* item, int y) {
        if (!item->Visible()) {
            item->DisplayRect = {left, y, right, y};
            return y;
        }
        item->VisibleIndex = nextVisibleIndex++;
        item->VisibleIndexInGroup = running++;
        const int below = LumeClampedAdd(y, h);
        item->DisplayRect = {left, y, right, below};
        group->VisibleItems.push_back(item);
        return below;
    });
    ColumnCount = 1;
}

void TLumeGridGridGroup::Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) {
    TLumeGroup* group = OwnerGroup;
    TLumeHeader& header = *Owner()->OwnerHeader();
    TLumeColumns& columns = *header.Columns;
    const int h = GetCellSize()->Height();
    const int left = group->MarginLeftSize();
    int running = 0;
    int c = 0;
    RebuildRows(group, prevGroup, header, [&](TLumeItem* item, int y) {
        if (!item->Visible()) {
            item->DisplayRect = {left, y, left, y};
            return y;
        }
        item->VisibleIndex = nextVisibleIndex++;
        item->VisibleIndexInGroup = running++;
        group->VisibleItems.push_back(item);
        const int below = LumeClampedAdd(y, h);
        if (columns.Count() == 0) {
            // Without columns every item takes a row of its own, zero wide.
            item->DisplayRect = {left, y, left, below};
            return below;
        }
        TLumeColumn* column = columns.At(c);
        const int x = left + column->DisplayRect.Left;
        item->DisplayRect = {x, y, x + column->Width(), below};
        if (++c < columns.Count()) return y;
        c = 0;
        return below;
    });
    ColumnCount = columns.Count();
}

TLumeItem* TLumeGridReportGroup::AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) {
    if (!item) return nullptr;
    ILumeOwner* lv = Owner();
    TLumeGroups& groups = *lv->OwnerGroups();
    const int h = GetCellSize()->Height();
    // Probe along the rows' left edge: x 0 would miss every row behind a left group margin.
    const int x = item->DisplayRect.Left;
    const LumeRect v = lv->ClientInViewportCoords();
    switch (direction) {
    case TLumeAdjacentDirection::eadUp: return groups.PrevVisibleItem(item);
    case TLumeAdjacentDirection::eadDown: return groups.NextVisibleItem(item);
    case TLumeAdjacentDirection::eadLeft:
    case TLumeAdjacentDirection::eadRight: return TLumeGridGroup::AdjacentItem(item, direction);
    case TLumeAdjacentDirection::eadPageDown: {
        LumePoint p{x, v.Bottom - 1};
        TLumeItem* found = groups.ItemAt(p);
        while (!found && p.Y - h >= v.Top) {
            p.Y -= h;
            found = groups.ItemAt(p);
        }
        if (!found) return nullptr;
        if (found != item) return found;
        p = {x, item->DisplayRect.Top + v.Height() - 1};
        found = groups.ItemAt(p);
        while (!found && p.Y > item->DisplayRect.Top) {
            p.Y -= h;
            found = groups.ItemAt(p);
        }
        return found == item ? nullptr : found;
    }
    case TLumeAdjacentDirection::eadPageUp: {
        LumePoint p{x, v.Top};
        TLumeItem* found = groups.ItemAt(p);
        while (!found && p.Y + h < v.Bottom) {
            p.Y += h;
            found = groups.ItemAt(p);
        }
        if (!found) return nullptr;
        if (found != item) return found;
        p = {x, item->DisplayRect.Bottom - v.Height() - 1};
        found = groups.ItemAt(p);
        while (!found && p.Y < item->DisplayRect.Top) {
            p.Y += h;
            found = groups.ItemAt(p);
        }
        return found == item ? nullptr : found;
    }
    }
    return nullptr;
}

}  // namespace lume
