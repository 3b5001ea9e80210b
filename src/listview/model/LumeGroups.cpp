#include "listview/model/LumeGroups.h"

#include "listview/LumeListview.h"

namespace lume {

TLumeGroups::TLumeGroups(TCustomLumeListview* owner) : TLumeCollection(owner) {
    GridClass = [](TCustomLumeListview* lv, TLumeGroup* g) -> TLumeGridGroup* { return new TLumeGridIconGroup(lv, g); };
    GroupViewClass = [](TCustomLumeListview* lv, TLumeGroup* g) { return new TLumeViewGroup(lv, g); };
    ItemViewClass = [](TCustomLumeListview* lv, TLumeGroup* g) -> TLumeViewItem* { return new TLumeViewIconItem(lv, g); };
}

TLumeGroups::~TLumeGroups() = default;

void TLumeGroups::RebuildLayout(bool force) {
    TCustomLumeListview* lv = OwnerListview;
    if (lv->Loading || !lv->HasWindow()) return;
    if (lv->UpdateCount > 0 && !force) {
        LayoutWaiting = true;
        return;
    }
    LayoutWaiting = false;
    struct RebuildingFlag {
        bool& flag;
        explicit RebuildingFlag(bool& f) : flag(f) { flag = true; }
        ~RebuildingFlag() { flag = false; }
    } rebuilding(Rebuilding);

    if (lv->Sort->AutoSort && !lv->Header->Has(ehfResizing)) lv->Sort->SortAll();
    VisibleList.clear();
    VisibleList.reserve(List.size());
    lv->Header->RebuildColumns(force);
    int next = 0;
    LumeRect view;
    for (size_t i = 0; i < List.size(); ++i) {
        TLumeGroup* group = At(int(i));
        if (group->Visible()) {
            group->VisibleIndex = VisibleCount();
            VisibleList.push_back(group);
        } else {
            group->VisibleIndex = -1;
        }
        group->Grid()->Rebuild(i > 0 ? At(int(i) - 1) : nullptr, next);
        view = view.United(group->DisplayRect);
    }
    ReIndexItems(nullptr, force);
    if (lv->Selection()->GroupSelections()) lv->Selection()->BuildSelectionGroupings(force);
    lv->Scrollbars->SetViewRect(view, false);
    // Any cell may have moved, appeared or gone: the window shows the new
    // arrangement (at once after the closing EndUpdate(true)).
    lv->SafeInvalidateRect(nullptr, false);
    lv->EditManager->LayoutChanged();
}

void TLumeGroups::ReIndexItems(TLumeGroup* group, bool) {
    if (!OwnerListview->ReIndexEnabled) return;
    auto reindex = [](TLumeGroup* g) {
        TLumeItems* items = g->Items();
        for (int i = 0; i < items->Count(); ++i) items->At(i)->IndexField = i;
    };
    if (group) {
        reindex(group);
        return;
    }
    for (TLumeCollectionItem* g : List) reindex(static_cast<TLumeGroup*>(g));
}

TLumeGroup* TLumeGroups::VisibleGroups(int index) const {
    return index >= 0 && index < VisibleCount() ? VisibleList[index] : nullptr;
}

int TLumeGroups::CellHeight() const { return List.empty() ? 0 : At(0)->Grid()->GetCellSize()->Height(); }
int TLumeGroups::CellWidth() const { return List.empty() ? 0 : At(0)->Grid()->GetCellSize()->Width(); }

LumeRect TLumeGroups::ViewRect() const {
    TLumeGroup* last = LastVisibleGroup();
    return last ? LumeRect{0, 0, last->DisplayRect.Right, last->DisplayRect.Bottom} : LumeRect{};
}

}  // namespace lume
