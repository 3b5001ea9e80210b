// First, last, next and previous items under a filter, and the point and
// rectangle walks over groups and items.
#include "listview/model/LumeGroups.h"

#include "listview/LumeOwner.h"
#include "listview/layout/LumeGrid.h"

#include <algorithm>

namespace lume {

TLumeGroup* TLumeGroups::FirstGroup(bool visibleOnly) const {
    for (TLumeCollectionItem* g : List)
        if (!visibleOnly || g->Visible()) return static_cast<TLumeGroup*>(g);
    return nullptr;
}

TLumeGroup* TLumeGroups::LastGroup(bool visibleOnly) const {
    for (auto it = List.rbegin(); it != List.rend(); ++it)
        if (!visibleOnly || (*it)->Visible()) return static_cast<TLumeGroup*>(*it);
    return nullptr;
}

TLumeItem* TLumeGroups::FirstItemInGroup(TLumeGroup* group, bool visibleOnly) const {
    if (!group) return nullptr;
    for (TLumeCollectionItem* item : group->Items()->List)
        if (!visibleOnly || item->Visible()) return static_cast<TLumeItem*>(item);
    return nullptr;
}

TLumeItem* TLumeGroups::NextItemInGroup(TLumeGroup* group, TLumeItem* item, bool backward, bool visibleOnly) const {
    if (!group || !item) return nullptr;
    TLumeItems* items = group->Items();
    const int step = backward ? -1 : 1;
    for (int i = item->Index() + step; i >= 0 && i < items->Count(); i += step)
        if (!visibleOnly || items->At(i)->Visible()) return items->At(i);
    return nullptr;
}

bool TLumeGroups::Meets(TLumeItem* item, int kind) const {
    switch (kind) {
    case eifAny: return true;
    case eifVisible: return item->Visible();
    case eifInitialized: return item->Initialized();
    case eifEditable: {
        if (!item->Visible()) return false;
        bool allow = true;
        Owner()->DoItemEditBegin(item, allow);
        return allow;
    }
    default: return false;
    }
}

TLumeItem* TLumeGroups::FirstItem(int kind) const {
    for (TLumeCollectionItem* g : List)
        for (TLumeCollectionItem* item : static_cast<TLumeGroup*>(g)->Items()->List)
            if (Meets(static_cast<TLumeItem*>(item), kind)) return static_cast<TLumeItem*>(item);
    return nullptr;
}

TLumeItem* TLumeGroups::LastItem(int kind) const {
    for (auto g = List.rbegin(); g != List.rend(); ++g) {
        const auto& items = static_cast<TLumeGroup*>(*g)->Items()->List;
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if (Meets(static_cast<TLumeItem*>(*it), kind)) return static_cast<TLumeItem*>(*it);
    }
    return nullptr;
}

TLumeItem* TLumeGroups::Step(TLumeItem* item, int kind, bool backward) const {
    if (!item || !item->OwnerGroup()) return nullptr;
    const int step = backward ? -1 : 1;
    int groupIndex = item->OwnerGroup()->Index();
    int start = item->Index() + step;
    for (; groupIndex >= 0 && groupIndex < Count(); groupIndex += step) {
        TLumeGroup* group = At(groupIndex);
        TLumeItems* items = group->Items();
        // A collapsed or disabled group is passed over whole, the starting one too.
        if (group->Expanded() && group->Enabled())
            for (int i = start; i >= 0 && i < items->Count(); i += step)
                if (Meets(items->At(i), kind)) return items->At(i);
        const int nextGroup = groupIndex + step;
        if (nextGroup >= 0 && nextGroup < Count()) start = backward ? At(nextGroup)->Items()->Count() - 1 : 0;
    }
    return nullptr;
}

TLumeItem* TLumeGroups::AdjacentItem(TLumeItem* item, TLumeAdjacentDirection direction) const {
    if (!item || !item->OwnerGroup()) return nullptr;
    return item->OwnerGroup()->Grid()->AdjacentItem(item, direction);
}

TLumeGroup* TLumeGroups::GroupAt(LumePoint viewPoint) const {
    for (TLumeCollectionItem* g : List)
        if (g->Visible() && g->Enabled() && g->DisplayRect.Contains(viewPoint)) return static_cast<TLumeGroup*>(g);
    return nullptr;
}

TLumeItem* TLumeGroups::ItemAt(LumePoint viewPoint) const {
    for (TLumeCollectionItem* g : List)
        if (g->DisplayRect.Contains(viewPoint)) return static_cast<TLumeGroup*>(g)->ItemAt(viewPoint);
    return nullptr;
}

TLumeGroup* TLumeGroups::FirstGroupInRect(const LumeRect& rect) const {
    for (TLumeCollectionItem* g : List)
        if (g->Visible() && g->DisplayRect.Meets(rect)) return static_cast<TLumeGroup*>(g);
    return nullptr;
}

TLumeGroup* TLumeGroups::NextGroupInRect(TLumeGroup* group, const LumeRect& rect) const {
    if (!group) return nullptr;
    for (int i = group->Index() + 1; i < Count(); ++i) {
        TLumeGroup* next = At(i);
        if (!next->Visible()) continue;
        return next->DisplayRect.Meets(rect) ? next : nullptr;
    }
    return nullptr;
}

LumeRect TLumeGroups::ItemArea(TLumeItem* item) const {
    if (Owner()->View() != TLumeListStyle::elsReport) return item->DisplayRect;
    const LumeRect header = Owner()->HeaderDisplayRect();
    return {header.Left, item->DisplayRect.Top, header.Right, item->DisplayRect.Bottom};
}

TLumeItem* TLumeGroups::FirstItemInRect(const LumeRect& rect) const {
    const bool report = Owner()->View() == TLumeListStyle::elsReport;
    for (TLumeGroup* g = FirstGroupInRect(rect); g; g = NextGroupInRect(g, rect)) {
        if (!g->Expanded()) continue;
        const auto& visible = g->VisibleItems;
        auto it = visible.begin();
        // Report rows run top to bottom: skip the rows above the rectangle at once.
        if (report)
            it = std::upper_bound(visible.begin(), visible.end(), rect.Top,
                                  [](int top, const TLumeItem* item) { return top < item->DisplayRect.Bottom; });
        for (; it != visible.end(); ++it) {
            if (!(*it)->Visible()) continue;
            if (ItemArea(*it).Meets(rect)) return *it;
            if (report && (*it)->DisplayRect.Top >= rect.Bottom) break;
        }
    }
    return nullptr;
}

TLumeItem* TLumeGroups::NextItemInRect(TLumeItem* item, const LumeRect& rect) const {
    if (!item || !item->OwnerGroup()) return nullptr;
    const TLumeListStyle view = Owner()->View();
    const bool report = view == TLumeListStyle::elsReport;
    const bool columnsWrap = view == TLumeListStyle::elsList || view == TLumeListStyle::elsFilmStrip;
    TLumeGroup* group = item->OwnerGroup();
    int start = item->Index() + 1;
    while (group) {
        if (group->Expanded()) {
            TLumeItems* items = group->Items();
            for (int i = start; i < items->Count(); ++i) {
                TLumeItem* candidate = items->At(i);
                if (!candidate->Visible()) continue;
                const LumeRect area = ItemArea(candidate);
                if (area.Meets(rect)) return candidate;
                if (report) return nullptr;
                const bool past = columnsWrap ? area.Left >= rect.Right : area.Top >= rect.Bottom;
                if (past) return nullptr;
            }
        }
        group = NextGroupInRect(group, rect);
        start = 0;
    }
    return nullptr;
}

}  // namespace lume
