// Columns that wrap: list and film-strip views.
#include "listview/layout/LumeGrid.h"

#include "listview/LumeHost.h"
#include "listview/LumeOwner.h"
#include "listview/model/LumeGroups.h"
#include "listview/LumeWideStrings.h"

namespace lume {

TLumeCellSize* TLumeGridListGroup::GetCellSize() { return Owner()->OwnerCellSizes()->List.get(); }
TLumeCellSize* TLumeGridFilmStripGroup::GetCellSize() { return Owner()->OwnerCellSizes()->FilmStrip.get(); }

void TLumeGridListGroup::Rebuild(TLumeGroup* prevGroup, int& nextVisibleIndex) {
    ILumeOwner* lv = Owner();
    TLumeGroup* group = OwnerGroup;
    const int w = GetCellSize()->Width();
    const int h = GetCellSize()->Height();
    const int top = group->MarginTopSize();
    const int bottom = group->MarginBottomSize();
    const int left = group->MarginLeftSize();
    const int right = group->MarginRightSize();
    const int hscroll = lv->Host()->SystemMetric(LumeMetric::CXHSCROLL);
    const int x0 = prevGroup ? prevGroup->DisplayRect.Right : 0;
    int available = lv->ClientHeight() - hscroll;
    if (available < bottom + top + h) available = bottom + top + h;

    group->DisplayRect = {x0, 0, x0, available};
    group->VisibleItems.clear();
    if (!group->Visible()) {
        ColumnCount = 0;
        RowCount = 0;
        return;
    }
    TLumeItems* items = group->Items();
    bool placed = false;
    if (group->Expanded() && items->Count() > 0) {
        group->VisibleItems.reserve(items->Count());
        RowCount = (lv->ClientHeight() - hscroll - 1 - (bottom + top)) / h;
        if (RowCount == 0) RowCount = 1;
        ColumnCount = 1;
        int x = x0 + left;
        int y = top;
        int running = 0;
        for (int i = 0; i < items->Count(); ++i) {
            TLumeItem* item = items->At(i);
            if (!item->Visible()) {
                // An invisible item never starts a column.
                item->DisplayRect = {x, y, x, y + h};
                continue;
            }
            item->VisibleIndex = nextVisibleIndex++;
            item->VisibleIndexInGroup = running++;
            group->VisibleItems.push_back(item);
            item->DisplayRect = {x, y, x + w, y + h};
            placed = true;
            y += h;
            if (item->DisplayRect.Bottom > available - bottom) {
                item->DisplayRect = {x + w, top, x + 2 * w, top + h};
                y = h + top;
                x += w;
                ++ColumnCount;
            }
        }
        group->DisplayRect.Right = x + w + right;
    }
    if (!placed) {
        // As wide as its header caption needs.
        const QSize caption = WideTextExtentFont(group->Caption(), lv->OwnerGroupFont(), lv->Measurer());
        TLumeRectArrayObject rects;
        if (group->GroupView()) group->GroupView()->CalculateRects(group, egpTop, lv->MeasureCanvas(), rects);
        const int iconRight = rects.IconRect.IsZero() ? x0 : rects.IconRect.Right;
        ColumnCount = 0;
        RowCount = 0;
        group->DisplayRect.Right = left + right + iconRight + group->Paint().CaptionIndent + caption.width();
    }
}

TLumeItem* TLumeGridListGroup::AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) {
    if (!item) return nullptr;
    AssertVisible(item);
    TLumeGroup* group = OwnerGroup;
    const int i = item->VisibleIndexInGroup;
    const int r = std::max(1, RowCount);
    const int count = group->VisibleItemCount();
    switch (direction) {
    case TLumeAdjacentDirection::eadLeft: {
        if (i - r >= 0) return group->VisibleItem(i - r);
        for (int k = item->RowPos(); k >= 0; --k) {
            TLumeGroup* g = PrevGroupWithMore(k);
            if (!g) continue;
            const int v = g->VisibleItemCount();
            int c = v / std::max(1, g->Grid()->RowCount);
            if (v <= r * c + k) --c;
            return g->VisibleItem(r * c + k);
        }
        return nullptr;
    }
    case TLumeAdjacentDirection::eadRight: {
        if (i + r < count) return group->VisibleItem(i + r);
        for (int k = item->RowPos(); k >= 0; --k)
            if (TLumeGroup* g = NextGroupWithMore(k)) return g->VisibleItem(k);
        return nullptr;
    }
    case TLumeAdjacentDirection::eadUp: return TLumeGridGroup::AdjacentItem(item, TLumeAdjacentDirection::eadLeft);
    case TLumeAdjacentDirection::eadDown: return TLumeGridGroup::AdjacentItem(item, TLumeAdjacentDirection::eadRight);
    case TLumeAdjacentDirection::eadPageDown: {
        int j = i;
        while (j < count - 1 && j % r != r - 1) ++j;
        return group->VisibleItem(j);
    }
    case TLumeAdjacentDirection::eadPageUp: {
        int j = i;
        while (j > 0 && j % r != 0) --j;
        return group->VisibleItem(j);
    }
    }
    return nullptr;
}

}  // namespace lume
