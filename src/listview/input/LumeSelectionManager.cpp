#include "listview/input/LumeSelectionManager.h"

#include "listview/LumeListview.h"

#include <algorithm>

namespace lume {

void TLumeSelectionGroupList::Release(TLumeItem* item) {
    std::erase(List, item);
    if (--RefCount <= 0) delete this;
}

namespace {

// Closes a group-select update also when the work inside it fails.
struct GroupSelectUpdate {
    TLumeSelectionManager& manager;
    explicit GroupSelectUpdate(TLumeSelectionManager& m) : manager(m) { manager.GroupSelectBeginUpdate(); }
    ~GroupSelectUpdate() { manager.GroupSelectEndUpdate(); }
};

}  // namespace

void TLumeSelectionManager::SetEnabled(bool value) {
    if (value == enabled_) return;
    if (!value) ClearAll();
    enabled_ = value;
}

void TLumeSelectionManager::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    ClearAll();
    multiSelect_ = value;
}

void TLumeSelectionManager::SetGroupSelections(bool value) {
    if (value == groupSelections_) return;
    groupSelections_ = value;
    TCustomLumeListview* lv = OwnerListview;
    lv->BeginUpdate(true);
    try {
        BuildSelectionGroupings(true);
    } catch (...) {
        lv->EndUpdate(true);
        throw;
    }
    lv->EndUpdate(true);
}

void TLumeSelectionManager::SetBlendIcon(bool value) {
    if (value == blendIcon_) return;
    blendIcon_ = value;
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeSelectionManager::SetFullCellPaint(bool value) {
    if (value == fullCellPaint_) return;
    fullCellPaint_ = value;
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeSelectionManager::SetFullItemPaint(bool value) {
    if (value == fullItemPaint_) return;
    fullItemPaint_ = value;
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

bool TLumeSelectionManager::EnableDragSelect() const { return OwnerListview->DragRectManager->Enabled; }
void TLumeSelectionManager::SetEnableDragSelect(bool value) { OwnerListview->DragRectManager->Enabled = value; }
TLumeMouseButtons TLumeSelectionManager::MouseButtonSelRect() const {
    return OwnerListview->DragRectManager->MouseButton;
}
void TLumeSelectionManager::SetMouseButtonSelRect(TLumeMouseButtons value) {
    OwnerListview->DragRectManager->MouseButton = value;
}

void TLumeSelectionManager::SetFocusedItem(TLumeItem* value) {
    // The handlers of the two items' changes may list the items again: both
    // are kept until the focus has moved.
    TLumeFreeingHold hold(OwnerListview);
    if (!value) {
        TLumeItem* previous = focusedItem_;
        focusedItem_ = nullptr;
        if (previous) previous->SetFocused(false);
        return;
    }
    if (!value->Visible() || !value->Enabled() || value == focusedItem_) return;
    if (TLumeItem* previous = focusedItem_) {
        previous->SetFocused(false);
        if (previous->Focused() && !previous->Destroying()) return;
    }
    if (value->Destroying()) return;
    focusedItem_ = value;
    value->SetFocused(true);
    if (focusedItem_ != value || value->Destroying()) return;
    TCustomLumeListview* lv = OwnerListview;
    TLumeRectArrayObject rects;
    value->ItemRectArray(nullptr, lv->MeasureCanvas(), rects);
    // Let the group grow so that the focused item's whole caption shows.
    if (TLumeGroup* group = value->OwnerGroup())
        if (group->ClientRect().Bottom < rects.FullTextRect.Bottom) lv->Groups->RebuildLayout(true);
}

void TLumeSelectionManager::FocusLost(TLumeItem* item) {
    if (focusedItem_ == item) focusedItem_ = nullptr;
}

void TLumeSelectionManager::Forget(TLumeItem* item) {
    if (item->SelectedSlot >= 0) ItemUnselected(item);
    if (focusedItem_ == item) focusedItem_ = nullptr;
    if (anchorItem_ == item) anchorItem_ = nullptr;
}

void TLumeSelectionManager::SetAnchorItem(TLumeItem* value) {
    if (!value) {
        anchorItem_ = nullptr;
        return;
    }
    if (value->Visible() && value->Enabled()) anchorItem_ = value;
}

TLumeColumn* TLumeSelectionManager::FocusedColumn() {
    if (!focusedColumn_) focusedColumn_ = OwnerListview->Header->FirstColumn();
    return focusedColumn_;
}

void TLumeSelectionManager::SetFocusedColumn(TLumeColumn* value) {
    if (value == focusedColumn_) return;
    TLumeColumn* old = focusedColumn_;
    focusedColumn_ = value;
    if (value) value->Invalidate(true);
    if (old) old->Invalidate(true);
}

void TLumeSelectionManager::ForgetColumn(TLumeColumn* column) {
    if (focusedColumn_ == column) focusedColumn_ = nullptr;
}

void TLumeSelectionManager::Bulk(bool select, TLumeItem* except) {
    if (!enabled_) return;
    TCustomLumeListview* lv = OwnerListview;
    {
        // A handler may list the items again meanwhile: the objects walked
        // are kept alive, and the lists are read afresh at every step.
        TLumeFreeingHold hold(lv);
        GroupSelectUpdate update(*this);
        if (select) {
            const auto& groups = lv->Groups->List;
            for (size_t g = 0; g < groups.size(); ++g) {
                const auto& items = static_cast<TLumeGroup*>(groups[g])->Items()->List;
                for (size_t i = 0; i < items.size(); ++i)
                    if (items[i] != except) items[i]->SetSelected(true);
            }
        } else {
            // Only what is selected is cleared, in the order of the items.
            std::vector<TLumeItem*> clearing = selected_;
            std::sort(clearing.begin(), clearing.end(),
                      [](const TLumeItem* a, const TLumeItem* b) { return a->VisibleIndex < b->VisibleIndex; });
            for (TLumeItem* item : clearing)
                if (item != except && item->SelectedSlot >= 0) item->SetSelected(false);
        }
    }
    lv->DragManager->ClearDragItem();
}

void TLumeSelectionManager::Keep(TLumeItem* item) {
    if (item->SelectedSlot >= 0) return;
    item->SelectedSlot = int(selected_.size());
    selected_.push_back(item);
}

void TLumeSelectionManager::Drop(TLumeItem* item) {
    const int slot = item->SelectedSlot;
    if (slot < 0 || slot >= int(selected_.size()) || selected_[slot] != item) return;
    selected_[slot] = selected_.back();
    selected_[slot]->SelectedSlot = slot;
    selected_.pop_back();
    item->SelectedSlot = -1;
}

void TLumeSelectionManager::ClearAll() { Bulk(false, nullptr); }

void TLumeSelectionManager::ClearAllExcept(TLumeItem* item) {
    Bulk(false, item);
    OwnerListview->DragManager->ClearDragItem();
}

void TLumeSelectionManager::SelectAll() {
    if (multiSelect_) Bulk(true, nullptr);
}

void TLumeSelectionManager::SelectRange(TLumeItem* fromItem, TLumeItem* toItem, bool clearFirst, bool rectSelect) {
    if (!enabled_ || !multiSelect_) return;
    TLumeFreeingHold hold(OwnerListview);
    GroupSelectUpdate update(*this);
    if (clearFirst) ClearAll();
    if (!fromItem || !toItem) return;
    if (rectSelect) {
        SelectRect(fromItem->DisplayRect.United(toItem->DisplayRect), false);
        return;
    }
    const bool sameGroup = fromItem->OwnerGroup() == toItem->OwnerGroup();
    const bool swap = sameGroup ? toItem->Index() < fromItem->Index()
                                : toItem->OwnerGroup()->Index() < fromItem->OwnerGroup()->Index();
    if (swap) std::swap(fromItem, toItem);
    TLumeGroups& groups = *OwnerListview->Groups;
    for (TLumeItem* item = fromItem; item && item != toItem; item = groups.NextVisibleItem(item)) item->SetSelected(true);
    toItem->SetSelected(true);
}

void TLumeSelectionManager::SelectRect(const LumeRect& viewRect, bool clearFirst) {
    if (!enabled_ || !multiSelect_) return;
    TLumeFreeingHold hold(OwnerListview);
    GroupSelectUpdate update(*this);
    if (clearFirst) ClearAll();
    TLumeGroups& groups = *OwnerListview->Groups;
    for (TLumeItem* item = groups.FirstItemInRect(viewRect); item; item = groups.NextItemInRect(item, viewRect))
        item->SetSelected(true);
}

void TLumeSelectionManager::DragSelect(TLumeKeyStates keyStates) {
    if (!enabled_ || !multiSelect_) return;
    TLumeFreeingHold hold(OwnerListview);
    const LumeRect oldRect = OwnerListview->DragRectManager->OldRect;
    const LumeRect newRect = OwnerListview->DragRectManager->DragRect;
    const LumeRect both = oldRect.United(newRect);
    GroupSelectUpdate update(*this);
    if (both.IsEmpty()) return;
    TLumeGroups& groups = *OwnerListview->Groups;
    const bool toggle = keyStates.Has(TLumeKeyState::eksControl);
    for (TLumeItem* item = groups.FirstItemInRect(both); item; item = groups.NextItemInRect(item, both)) {
        const bool byNew = item->SelectionHit(newRect, true);
        const bool byOld = item->SelectionHit(oldRect, true);
        if (toggle) {
            if (byNew != byOld) item->SetSelected(!item->Selected());
        } else if (byNew) {
            item->SetSelected(true);
        } else if (byOld) {
            item->SetSelected(false);
        }
    }
}

TLumeItem* TLumeSelectionManager::First() const {
    TLumeGroups& groups = *OwnerListview->Groups;
    for (TLumeItem* item = groups.FirstVisibleItem(); item; item = groups.NextVisibleItem(item))
        if (item->Selected()) return item;
    return nullptr;
}

TLumeItem* TLumeSelectionManager::Next(TLumeItem* item) const {
    TLumeGroups& groups = *OwnerListview->Groups;
    for (TLumeItem* next = groups.NextVisibleItem(item); next; next = groups.NextVisibleItem(next))
        if (next->Selected()) return next;
    return nullptr;
}

void TLumeSelectionManager::GroupSelectEndUpdate() {
    if (GroupSelectUpdateCount > 0) --GroupSelectUpdateCount;
    if (GroupSelectUpdateCount == 0) BuildSelectionGroupings(false);
}

void TLumeSelectionManager::BuildSelectionGroupings(bool force) {
    TCustomLumeListview* lv = OwnerListview;
    if (lv->Loading) return;
    if (!force && (!groupSelections_ || GroupSelectUpdateCount > 0 || lv->UpdateCount > 0)) return;
    TLumeGroups& groups = *lv->Groups;
    for (TLumeCollectionItem* g : groups.List) {
        auto* group = static_cast<TLumeGroup*>(g);
        TLumeItem* item = groups.FirstVisibleItemInGroup(group);
        while (item) {
            item->LeaveSelectionGroup();
            TLumeItem* next = groups.NextVisibleItemInGroup(group, item);
            if (!groupSelections_ || !item->Selected() || !next || !next->Selected()) {
                item = next;
                continue;
            }
            auto* run = new TLumeSelectionGroupList;
            run->FirstItem = item;
            for (TLumeItem* member = item; member && member->Selected();
                 member = groups.NextVisibleItemInGroup(group, member)) {
                member->LeaveSelectionGroup();
                run->List.push_back(member);
                run->AddRef();
                member->SelectionGroup = run;
                run->DisplayRect = run->DisplayRect.United(member->DisplayRect);
                next = groups.NextVisibleItemInGroup(group, member);
            }
            if (next) next->LeaveSelectionGroup();
            item = next ? groups.NextVisibleItemInGroup(group, next) : nullptr;
        }
    }
}

void TLumeSelectionManager::ItemSelected(TLumeItem* item) {
    // Counted first: should deselecting the others take this one too (a
    // handler listing the items again), its own deselection evens it out.
    ++count_;
    Keep(item);
    if (!multiSelect_) ClearAllExcept(item);
    if (!multiSelect_) SetFocusedItem(item);
}

void TLumeSelectionManager::ItemUnselected(TLumeItem* item) {
    --count_;
    Drop(item);
    item->LeaveSelectionGroup();
}

void TLumeSelectionManager::ItemReadSelected(TLumeItem* item) {
    if (!item->Visible() || !item->Enabled() || (!multiSelect_ && count_ > 0)) {
        item->SetStateBit(ecisSelected, false);
        return;
    }
    ++count_;
    Keep(item);
}

}  // namespace lume
