#include "listview/model/LumeItem.h"

#include "listview/LumeListview.h"

namespace lume {

TLumeItems* TLumeItem::OwnerItems() const { return static_cast<TLumeItems*>(Collection); }
TLumeGroup* TLumeItem::OwnerGroup() const { return Collection ? OwnerItems()->OwnerGroup : nullptr; }
TLumeViewItem* TLumeItem::ItemView() const { return OwnerGroup() ? OwnerGroup()->ItemView() : nullptr; }

void TLumeItem::BeforeDestroy() {
    TCustomLumeListview* lv = OwnerListview();
    // Marked first: a handler the forgetting fires must not destroy it again.
    State |= ecisDestroying;
    if (lv) {
        lv->EditManager->Forget(this);
        lv->IncrementalSearch->Forget(this);
    }
    SetVisible(false);
    LeaveSelectionGroup();
    if (lv) {
        // References the managers keep must not outlive the item.
        if (lv->Selection()->AnchorItem() == this) lv->Selection()->SetAnchorItem(nullptr);
        if (lv->Selection()->FocusedItem() == this) lv->Selection()->FocusLost(this);
        if (lv->DragManager->DragItem == this) lv->DragManager->ClearDragItem();
        if (lv->DragManager->DropTargetItem == this) lv->DragManager->DropTargetItem = nullptr;
    }
    TLumeCollectionItem::BeforeDestroy();
}

int TLumeItem::ColumnPos() const {
    TLumeGroup* group = OwnerGroup();
    if (!Has(ecisVisible) || VisibleIndexInGroup < 0 || !group || !group->Grid() || group->Grid()->ColumnCount <= 0)
        return -1;
    return VisibleIndexInGroup % group->Grid()->ColumnCount;
}

int TLumeItem::RowPos() const {
    TLumeGroup* group = OwnerGroup();
    if (!Has(ecisVisible) || VisibleIndexInGroup < 0 || !group || !group->Grid() || group->Grid()->RowCount <= 0)
        return -1;
    return VisibleIndexInGroup % group->Grid()->RowCount;
}

void TLumeItem::ItemRectArray(TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects) {
    rects = {};
    if (TLumeViewItem* view = ItemView()) view->CalculateRects(this, column, canvas, rects);
}

bool TLumeItem::HitTestAt(LumePoint viewPoint, TLumeItemHitTestInfos& hitInfo) {
    hitInfo = {};
    TCustomLumeListview* lv = OwnerListview();
    TLumeRectArrayObject r;
    ItemRectArray(lv ? lv->Header->FirstColumn() : nullptr, lv ? lv->MeasureCanvas() : nullptr, r);
    const std::pair<const LumeRect*, TLumeItemHitTestInfo> areas[] = {
        {&r.IconRect, TLumeItemHitTestInfo::ehtOnIcon},
        {&r.CheckRect, TLumeItemHitTestInfo::ehtOnCheck},
        {&r.TextRect, TLumeItemHitTestInfo::ehtOnText},
        {&r.LabelRect, TLumeItemHitTestInfo::ehtOnLabel},
        {&r.ClickSelectBoundsRect, TLumeItemHitTestInfo::ehtOnClickSelectBounds},
        {&r.DragSelectBoundsRect, TLumeItemHitTestInfo::ehtOnDragSelectBounds},
        {&r.SpareRect, TLumeItemHitTestInfo::ehtStateIcon},
    };
    for (const auto& [rect, info] : areas)
        if (rect->Contains(viewPoint)) hitInfo.Include(info);
    return !hitInfo.IsEmpty();
}

void TLumeItem::LeaveSelectionGroup() {
    if (!SelectionGroup) return;
    TLumeSelectionGroupList* run = SelectionGroup;
    SelectionGroup = nullptr;
    run->Release(this);
}

bool TLumeItem::CanChangeCheck(bool) {
    if (!Enabled()) return false;
    bool allow = true;
    OwnerListview()->DoItemCheckChanging(this, allow);
    return allow;
}

bool TLumeItem::CanChangeEnable(bool) {
    bool allow = true;
    OwnerListview()->DoItemEnableChanging(this, allow);
    return allow;
}

bool TLumeItem::CanChangeFocus(bool) {
    bool allow = true;
    OwnerListview()->DoItemFocusChanging(this, allow);
    return allow;
}

bool TLumeItem::CanChangeSelection(bool) {
    bool allow = true;
    OwnerListview()->DoItemSelectionChanging(this, allow);
    return allow;
}

bool TLumeItem::CanChangeVisibility(bool newValue) {
    if (newValue && OwnerGroup() && !OwnerGroup()->Visible()) return false;
    bool allow = true;
    OwnerListview()->DoItemVisibilityChanging(this, allow);
    return allow;
}

TLumePaintInfoBasic* TLumeItem::GetDefaultPaintInfo() { return OwnerListview()->PaintInfoItem(); }

void TLumeItem::Freeing() { OwnerListview()->DoItemFreeing(this); }

void TLumeItem::GainCheck() {
    ++OwnerListview()->CheckManager->CheckedCount;
    OwnerListview()->DoItemCheckChange(this);
    Invalidate(false);
}

void TLumeItem::GainEnable() {
    OwnerListview()->DoItemEnableChange(this);
    Invalidate(false);
}

void TLumeItem::GainFocus() {
    TCustomLumeListview* lv = OwnerListview();
    lv->DoItemFocusChanged(this);
    lv->Selection()->SetFocusedItem(this);
    if (lv->Selection()->FocusedItem() != this) {
        // The item that had the focus refused to give it up.
        State &= ~ecisFocused;
        return;
    }
    Invalidate(false);
    if (lv->Selection()->GroupSelections()) {
        lv->Selection()->BuildSelectionGroupings(false);
        lv->SafeInvalidateRect(nullptr, false);
    }
}

void TLumeItem::GainHotTracking(LumePoint mousePos) {
    OwnerListview()->DoItemHotTrack(this, TLumeHotTrackState::ehsEnable, mousePos);
    Invalidate(true);
}

void TLumeItem::GainSelection() {
    TCustomLumeListview* lv = OwnerListview();
    lv->Selection()->ItemSelected(this);
    // Deselecting the others may have listed the items again, this one gone.
    if (Destroying()) return;
    lv->DoItemSelectionChanged(this);
    if (Destroying()) return;
    if (lv->Selection()->GroupSelections()) {
        lv->Selection()->BuildSelectionGroupings(false);
        lv->SafeInvalidateRect(nullptr, false);
    } else {
        Invalidate(false);
    }
}

void TLumeItem::GainVisibility() {
    OwnerListview()->Groups->RebuildLayout(false);
    OwnerListview()->DoItemVisibilityChanged(this);
}

void TLumeItem::LoseHotTracking() {
    OwnerListview()->DoItemHotTrack(this, TLumeHotTrackState::ehsDisable, {0, 0});
    Invalidate(true);
}

void TLumeItem::Initialize() {
    OwnerListview()->DoItemInitialize(this);
    State |= ecisInitialized;
}

void TLumeItem::LoseCheck() {
    --OwnerListview()->CheckManager->CheckedCount;
    OwnerListview()->DoItemCheckChange(this);
    if (!Destroying()) Invalidate(false);
}

void TLumeItem::LoseEnable() {
    LeaveSelectionGroup();
    OwnerListview()->DoItemEnableChange(this);
    if (!Destroying()) Invalidate(false);
}

void TLumeItem::LoseFocus() {
    TCustomLumeListview* lv = OwnerListview();
    lv->Selection()->FocusLost(this);
    lv->DoItemFocusChanged(this);
    if (Destroying()) return;
    // Repaint the area the focus rectangle covered.
    State |= ecisFocused;
    Invalidate(false);
    State &= ~ecisFocused;
    if (lv->Selection()->GroupSelections()) lv->SafeInvalidateRect(nullptr, false);
}

void TLumeItem::LoseSelection() {
    TCustomLumeListview* lv = OwnerListview();
    lv->Selection()->ItemUnselected(this);
    lv->DoItemSelectionChanged(this);
    if (Destroying()) return;
    if (lv->Selection()->GroupSelections()) {
        lv->Selection()->BuildSelectionGroupings(false);
        lv->SafeInvalidateRect(nullptr, false);
    } else {
        Invalidate(false);
    }
}

void TLumeItem::LoseVisibility() {
    LeaveSelectionGroup();
    OwnerListview()->Groups->RebuildLayout(false);
    OwnerListview()->DoItemVisibilityChanged(this);
}

QString TLumeItem::GetColumnCaption(int column) {
    QString caption;
    OwnerListview()->DoItemGetCaption(this, column, caption);
    return caption;
}

int TLumeItem::GetColumnImageIndex(int column) {
    int index = -1;
    OwnerListview()->DoItemGetImageIndex(this, column, TLumeImageKind::eikNormal, index);
    return index;
}

int TLumeItem::GetColumnImageOverlayIndex(int column) {
    int index = -1;
    OwnerListview()->DoItemGetImageIndex(this, column, TLumeImageKind::eikOverlay, index);
    return index;
}

TLumeImageList* TLumeItem::GetColumnImageList(int column, int sizeKind) {
    TLumeImageList* list = GetImageList(sizeKind);
    OwnerListview()->DoItemGetImageList(this, column, list);
    return list;
}

int TLumeItem::GetDetailCount() {
    int count = 0;
    OwnerListview()->DoItemGetTileDetailCount(this, count);
    return count;
}

int TLumeItem::GetDetail(int line) {
    int detail = 0;
    OwnerListview()->DoItemGetTileDetail(this, line, detail);
    return detail;
}

void TLumeItem::SetColumnCaption(int column, const QString& value) {
    OwnerListview()->DoItemSetCaption(this, column, value);
}
void TLumeItem::SetDetailCount(int) {}
void TLumeItem::SetDetail(int line, int value) { OwnerListview()->DoItemSetTileDetail(this, line, value); }
void TLumeItem::SetColumnImageIndex(int column, int value) {
    OwnerListview()->DoItemSetImageIndex(this, column, TLumeImageKind::eikNormal, value);
}
void TLumeItem::SetColumnImageOverlayIndex(int column, int value) {
    OwnerListview()->DoItemSetImageIndex(this, column, TLumeImageKind::eikOverlay, value);
}

int TLumeItem::GetGroupKey(int column) {
    uint32_t key = 0;
    OwnerListview()->DoItemGetGroupKey(this, column, key);
    return int(key);
}

void TLumeItem::SetGroupKey(int column, int key) { OwnerListview()->DoItemSetGroupKey(this, column, uint32_t(key)); }

bool TLumeItem::EditAreaHitPt(LumePoint viewPoint) {
    TLumeViewItem* view = ItemView();
    return view && view->PointOnText(this, viewPoint);
}

bool TLumeItem::SelectionHit(const LumeRect& viewRect, bool dragSelect) {
    TLumeViewItem* view = ItemView();
    return view && view->HitTestRect(this, viewRect, dragSelect);
}

bool TLumeItem::SelectionHitPt(LumePoint viewPoint, bool dragSelect) {
    TLumeViewItem* view = ItemView();
    return view && view->HitTestPoint(this, viewPoint, dragSelect);
}

void TLumeItem::Invalidate(bool immediate) {
    TCustomLumeListview* lv = OwnerListview();
    if (!lv || !lv->HasWindow() || Destroying()) return;
    if (!DisplayRect.Meets(lv->ClientInViewportCoords())) return;
    TLumeRectArrayObject rects;
    ItemRectArray(lv->Header->FirstColumn(), lv->MeasureCanvas(), rects);
    const LumeRect area = DisplayRect.United(rects.FocusChangeInvalidRect);
    const LumeRect window = lv->Scrollbars->MapViewRectToWindow(area);
    lv->SafeInvalidateRect(&window, immediate);
}

void TLumeItem::ReadFromStream(QIODevice& stream, int version) {
    TLumeCollectionItem::ReadFromStream(stream, version);
    TCustomLumeListview* lv = OwnerListview();
    if (Has(ecisChecked)) ++lv->CheckManager->CheckedCount;
    if (Has(ecisSelected)) lv->Selection()->ItemReadSelected(this);
    lv->DoItemReadStream(this, stream, version);
}

void TLumeItem::WriteToStream(QIODevice& stream, int version) {
    TLumeCollectionItem::WriteToStream(stream, version);
    OwnerListview()->DoItemWriteStream(this, stream, version);
}

void TLumeItem::MakeVisible(int position) {
    TCustomLumeListview* lv = OwnerListview();
    if (!Visible() || !lv) return;
    TLumeRectArrayObject rects;
    ItemRectArray(lv->Header->FirstColumn(), lv->MeasureCanvas(), rects);
    const LumeRect r = rects.IconRect.United(rects.FullFocusSelRect);
    const LumeRect v = lv->ClientInViewportCoords();
    if (r.Inside(v)) return;
    TLumeScrollbarManager& sb = *lv->Scrollbars;
    const int headerHeight = lv->Header->RuntimeHeight();
    const int cw = lv->ClientWidth();
    const int ch = lv->ClientHeight();
    switch (position) {
    case emvTop:
        sb.SetOffsetY(r.Top);
        sb.SetOffsetX(r.Left);
        break;
    case emvMiddle:
        sb.SetOffsetY(r.Top - ch / 2);
        sb.SetOffsetX(r.Left - cw / 2);
        break;
    case emvBottom:
        sb.SetOffsetY(r.Bottom + headerHeight - ch);
        sb.SetOffsetX(r.Right - cw);
        break;
    case emvAuto:
        if (r.Bottom > v.Bottom)
            sb.SetOffsetY(r.Bottom + headerHeight - ch);
        else if (r.Top < v.Top)
            sb.SetOffsetY(r.Top);
        if (r.Right > v.Right)
            sb.SetOffsetX(r.Right - cw);
        else if (r.Left < v.Left)
            sb.SetOffsetX(r.Left);
        break;
    default: break;
    }
}

int TLumeItemStored::ColumnSlots() const {
    TCustomLumeListview* lv = OwnerListview();
    return lv ? lv->Header->Columns->Count() : 0;
}

int TLumeItemStored::GetDetailCount() { return OwnerListview()->PaintInfoItem()->TileDetailCount; }

void TLumeItemStored::SetDetailCount(int value) {
    OwnerListview()->PaintInfoItem()->Set(OwnerListview()->PaintInfoItem()->TileDetailCount, value);
}

TLumeItems::~TLumeItems() = default;

void TLumeItems::DoItemAdd(TLumeCollectionItem* item, int index) { static_cast<TLumeItem*>(item)->IndexField = index; }

void TLumeItems::DoStructureChange() {
    if (OwnerListview) OwnerListview->Groups->RebuildLayout(false);
}

TLumeItem* TLumeGlobalItems::Add(void* data) {
    TLumeGroups& groups = *Owner->Groups;
    if (groups.Count() == 0) groups.AddGroup()->SetCaption(QStringLiteral("Default Group"));
    return static_cast<TLumeItem*>(groups.At(groups.Count() - 1)->Items()->Add(data));
}

void TLumeGlobalItems::Clear() { Owner->Groups->Clear(true); }

int TLumeGlobalItems::Count() const {
    int count = 0;
    for (TLumeCollectionItem* g : Owner->Groups->List) count += static_cast<TLumeGroup*>(g)->Items()->Count();
    return count;
}

TLumeItem* TLumeGlobalItems::operator[](int index) const {
    if (index < 0) throw EListError(index);
    int rest = index;
    for (TLumeCollectionItem* g : Owner->Groups->List) {
        TLumeItems* items = static_cast<TLumeGroup*>(g)->Items();
        if (rest < items->Count()) return items->At(rest);
        rest -= items->Count();
    }
    throw EListError(index);
}

}  // namespace lume
