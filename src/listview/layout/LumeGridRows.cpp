// Rows that wrap (icon, small icon, thumbnail, tile) and the neighbour
// rules the other grids borrow.
#include "listview/layout/LumeGrid.h"

#include "listview/LumeListview.h"

namespace lume {

TLumeCellSize* TLumeGridIconGroup::GetCellSize() { return OwnerListview->CellSizes->Icon.get(); }
TLumeCellSize* TLumeGridSmallIconGroup::GetCellSize() { return OwnerListview->CellSizes->SmallIcon.get(); }
TLumeCellSize* TLumeGridThumbnailGroup::GetCellSize() { return OwnerListview->CellSizes->Thumbnail.get(); }
TLumeCellSize* TLumeGridTileGroup::GetCellSize() { return OwnerListview->CellSizes->Tile.get(); }

int TLumeGridGroup::CalcColumnCount(TLumeGroup* group, int width) {
    return (width - group->MarginLeftSize() - group->MarginRightSize()) / GetCellSize()->Width();
}

void TLumeGridGroup::Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) {
    TCustomLumeListview* lv = OwnerListview;
    TLumeGroup* group = OwnerGroup;
    const int w = GetCellSize()->Width();
    const int h = GetCellSize()->Height();
    const int p0 = GroupTopOffset();
    const int p1 = ItemSpacing();
    const int top = group->MarginTopSize();
    const int bottom = group->MarginBottomSize();
    const int left = group->MarginLeftSize();
    const int right = group->MarginRightSize();

    // Leave room for a vertical scroll bar that may appear later, so that
    // the number of cells per row does not change when it does.
    int available = lv->ClientWidth() - 1;
    if (!lv->Scrollbars->VertBarVisible()) available -= lv->Host()->SystemMetric(LumeMetric::CYVSCROLL);
    if (available < left + right + w) available = left + right + w;

    group->DisplayRect = {0, p0, available, p0};
    group->VisibleItems.clear();
    TLumeItem* focused = nullptr;
    int lastRowBottom = 0;
    bool placed = false;
    TLumeItems* items = group->Items();

    if (group->Visible()) {
        if (group->Expanded() && items->Count() > 0) {
            group->VisibleItems.reserve(items->Count());
            ColumnCount = CalcColumnCount(group, available);
            const int rowWidth = ColumnCount * w;
            const int shiftY = top + p0 + p1 + (prevGroup ? prevGroup->DisplayRect.Bottom : 0);
            int x = 0, y = 0, running = 0;
            for (int i = 0; i < items->Count(); ++i) {
                TLumeItem* item = items->At(i);
                if (x + w > rowWidth) {
                    x = 0;
                    y += h;
                }
                if (item->Visible()) {
                    item->VisibleIndexInGroup = running++;
                    item->VisibleIndex = nextVisibleIndex++;
                    group->VisibleItems.push_back(item);
                    item->DisplayRect = LumeRect{x, y, x + w, y + h}.Offset(left, shiftY);
                    lastRowBottom = y + h;
                    placed = true;
                    x += w;
                } else {
                    item->DisplayRect = LumeRect{x, y, x, y + h}.Offset(left, shiftY);
                    item->VisibleIndexInGroup = -1;
                }
                if (item->Focused()) focused = item;
            }
        } else {
            TLumeItem* current = lv->Selection()->FocusedItem();
            if (current && current->OwnerGroup() == group)
                lv->Selection()->SetFocusedItem(lv->Groups->NextVisibleItem(current));
        }
        RowCount = ColumnCount > 0 ? (items->Count() + ColumnCount - 1) / ColumnCount : 0;
        group->DisplayRect.Bottom += top + bottom + lastRowBottom + (group->Expanded() ? 2 * p1 : 0);
    } else {
        for (int i = 0; i < items->Count() && lv->Selection()->Count() > 0; ++i) items->At(i)->SetSelected(false);
        TLumeItem* current = lv->Selection()->FocusedItem();
        if (current && current->OwnerGroup() == group) lv->Selection()->SetFocusedItem(nullptr);
    }
    if (!placed) {
        ColumnCount = 0;
        RowCount = 0;
    }
    if (prevGroup) group->DisplayRect = group->DisplayRect.Offset(0, prevGroup->DisplayRect.Bottom);

    // The focused item's whole caption must fit in its group.
    if (focused && (lv->Selection()->ResizeGroupOnFocus || group == lv->Groups->LastGroup(false))) {
        TLumeRectArrayObject rects;
        focused->ItemRectArray(nullptr, lv->MeasureCanvas(), rects);
        if (rects.FullTextRect.Bottom > group->DisplayRect.Bottom - bottom)
            group->DisplayRect.Bottom += rects.FullTextRect.Bottom - focused->DisplayRect.Bottom;
    }
}

void TLumeGridGroup::AssertVisible(TLumeItem* item) const {
    if (!item->Visible()) throw EAssertionFailed("Can not find TLumeGroups.AdjacentItem of an Invisible Item");
}

TLumeGroup* TLumeGridGroup::PrevGroupWithMore(int k) const {
    TLumeGroups& groups = *OwnerListview->Groups;
    for (int i = OwnerGroup->VisibleIndex - 1; i >= 0; --i)
        if (groups.VisibleGroups(i)->VisibleItemCount() > k) return groups.VisibleGroups(i);
    return nullptr;
}

TLumeGroup* TLumeGridGroup::NextGroupWithMore(int k) const {
    TLumeGroups& groups = *OwnerListview->Groups;
    if (OwnerGroup->VisibleIndex < 0) return nullptr;
    for (int i = OwnerGroup->VisibleIndex + 1; i < groups.VisibleCount(); ++i)
        if (groups.VisibleGroups(i)->VisibleItemCount() > k) return groups.VisibleGroups(i);
    return nullptr;
}

TLumeItem* TLumeGridGroup::PageProbe(TLumeItem* item, bool down) {
    TCustomLumeListview* lv = OwnerListview;
    TLumeGroups& groups = *lv->Groups;
    const int w = GetCellSize()->Width();
    const int h = GetCellSize()->Height();
    const int spacing = ItemSpacing();
    const int viewBottom = groups.ViewRect().Bottom;
    LumePoint p;
    if (down) {
        p = {item->DisplayRect.Left, item->DisplayRect.Top + lv->ClientHeight()};
        if (TLumeGroup* last = groups.LastVisibleGroup()) {
            const int itemsBottom = last->ClientRect().Bottom - spacing;
            if (p.Y > itemsBottom) p.Y = itemsBottom - 1;
        }
    } else {
        p = {item->DisplayRect.Right - 1, item->DisplayRect.Bottom - lv->ClientHeight()};
        if (TLumeGroup* first = groups.FirstVisibleGroup()) {
            if (first->DisplayRect.Top + spacing > p.Y) p.Y = first->ClientRect().Top + spacing;
        }
    }
    const int tries = item->ColumnPos() + 1;
    // Bounded by the view's height: a probe never runs on below it.
    while (true) {
        LumePoint probe = p;
        for (int t = 0; t < std::max(1, tries); ++t) {
            if (TLumeItem* found = groups.ItemAt(probe)) return found;
            probe.X -= w;
        }
        if (down ? p.Y >= viewBottom : (p.Y <= 0 || p.Y >= viewBottom)) return nullptr;
        p.Y += h;
    }
}

TLumeItem* TLumeGridGroup::AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) {
    if (!item) return nullptr;
    AssertVisible(item);
    TLumeGroup* group = OwnerGroup;
    const int i = item->VisibleIndexInGroup;
    const int m = ColumnCount;
    const int count = group->VisibleItemCount();
    switch (direction) {
    case TLumeAdjacentDirection::eadLeft: {
        if (i > 0) return group->VisibleItem(i - 1);
        TLumeGroup* prev = PrevGroupWithMore(0);
        return prev ? prev->VisibleItem(prev->VisibleItemCount() - 1) : item;
    }
    case TLumeAdjacentDirection::eadRight: {
        if (i < count - 1) return group->VisibleItem(i + 1);
        TLumeGroup* next = NextGroupWithMore(0);
        return next ? next->VisibleItem(0) : item;
    }
    case TLumeAdjacentDirection::eadUp: {
        if (i - m >= 0) return group->VisibleItem(i - m);
        for (int k = item->ColumnPos(); k >= 0; --k) {
            TLumeGroup* g = PrevGroupWithMore(k);
            if (!g) continue;
            const int v = g->VisibleItemCount();
            const int gm = std::max(1, g->Grid()->ColumnCount);
            int r = v / gm;
            if (v <= m * r + k) --r;
            return g->VisibleItem(m * r + k);
        }
        return nullptr;
    }
    case TLumeAdjacentDirection::eadDown: {
        if (i + m < count) return group->VisibleItem(i + m);
        for (int k = item->ColumnPos(); k >= 0; --k)
            if (TLumeGroup* g = NextGroupWithMore(k)) return g->VisibleItem(k);
        return nullptr;
    }
    case TLumeAdjacentDirection::eadPageDown: return PageProbe(item, true);
    case TLumeAdjacentDirection::eadPageUp: return PageProbe(item, false);
    }
    return nullptr;
}

}  // namespace lume
