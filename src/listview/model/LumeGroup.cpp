#include "listview/model/LumeGroup.h"

#include "listview/LumeListview.h"
#include "listview/model/LumeStreamHelper.h"

#include <algorithm>

namespace lume {

TLumeGroup::TLumeGroup(TLumeCollection* collection) : TLumeCollectionItem(collection) {
    TLumeGroups* groups = static_cast<TLumeGroups*>(collection);
    TCustomLumeListview* lv = groups->OwnerListview;
    items_ = std::make_unique<TLumeItems>(lv, this);
    itemView_.reset(groups->ItemViewClass(lv, this));
    groupView_.reset(groups->GroupViewClass(lv, this));
    grid_.reset(groups->GridClass(lv, this));
}

TLumeGroup::~TLumeGroup() = default;

void TLumeGroup::BeforeDestroy() {
    State |= ecisDestroying;
    SetSelected(false);
    SetFocused(false);
    items_->Clear(true);
    VisibleItems.clear();
    TLumeCollectionItem::BeforeDestroy();
}

void TLumeGroup::SetGrid(TLumeGridGroup* grid) {
    if (grid != grid_.get()) grid_.reset(grid);
}

void TLumeGroup::SetItemView(TLumeViewItem* view) {
    if (view != itemView_.get()) itemView_.reset(view);
}

TLumeItem* TLumeGroup::VisibleItem(int index) const {
    return index >= 0 && index < VisibleItemCount() ? VisibleItems[index] : nullptr;
}

TLumeGroups* TLumeGroup::OwnerGroups() const { return static_cast<TLumeGroups*>(Collection); }

TLumeItem* TLumeGroup::ItemAt(LumePoint viewPoint) const {
    // Only visible items have cells; in report rows they run top to bottom,
    // so the row is found by halving.
    if (dynamic_cast<TLumeGridReportGroup*>(grid_.get())) {
        auto it = std::upper_bound(VisibleItems.begin(), VisibleItems.end(), viewPoint.Y,
                                   [](int y, const TLumeItem* item) { return y < item->DisplayRect.Bottom; });
        if (it != VisibleItems.end() && (*it)->Visible() && (*it)->DisplayRect.Contains(viewPoint)) return *it;
        return nullptr;
    }
    for (TLumeItem* item : VisibleItems)
        if (item->Visible() && item->DisplayRect.Contains(viewPoint)) return item;
    return nullptr;
}

bool TLumeGroup::HitTestAt(LumePoint viewPoint, TLumeGroupHitTestInfos& hitInfo) {
    hitInfo = {};
    int edge;
    if (HeaderBand().Contains(viewPoint)) {
        hitInfo.Include(TLumeGroupHitTestInfo::egtOnHeader);
        edge = egpTop;
    } else if (FooterBand().Contains(viewPoint)) {
        hitInfo.Include(TLumeGroupHitTestInfo::egtOnFooter);
        edge = egpBottom;
    } else if (LeftMarginRect().Contains(viewPoint)) {
        hitInfo.Include(TLumeGroupHitTestInfo::egtOnLeftMargin);
        edge = egpLeft;
    } else if (RightMarginRect().Contains(viewPoint)) {
        hitInfo.Include(TLumeGroupHitTestInfo::egtOnRightMargin);
        edge = egpRight;
    } else {
        return false;
    }
    TLumeRectArrayObject r;
    if (groupView_) groupView_->CalculateRects(this, edge, OwnerListview()->MeasureCanvas(), r);
    const std::pair<const LumeRect*, TLumeGroupHitTestInfo> parts[] = {
        {&r.TextRect, TLumeGroupHitTestInfo::egtOnText},
        {&r.LabelRect, TLumeGroupHitTestInfo::egtOnLabel},
        {&r.ExpandButtonRect, TLumeGroupHitTestInfo::egtOnExpandButton},
        {&r.BandRect, TLumeGroupHitTestInfo::egtOnBand},
        {&r.IconRect, TLumeGroupHitTestInfo::egtOnIcon},
        {&r.CheckRect, TLumeGroupHitTestInfo::egtOnCheckbox},
    };
    for (const auto& [rect, info] : parts) {
        if (rect->Contains(viewPoint)) {
            hitInfo.Include(info);
            break;
        }
    }
    return true;
}

void TLumeGroup::SetItem(int index, TLumeItem* item) {
    if (index < 0 || index >= items_->Count()) return;
    items_->List[index] = item;
}

void TLumeGroup::SetExpanded(bool value) {
    if (value == expanded_) return;
    TCustomLumeListview* lv = OwnerListview();
    TLumeFreeingHold hold(lv);
    lv->BeginUpdate(false);
    try {
        expanded_ = value;
        lv->Groups->RebuildLayout(true);
        // The focus does not stay on an item the collapse takes out of the
        // layout, whoever collapses: it goes to the next item laid out.
        TLumeSelectionManager& sel = *lv->Selection();
        TLumeItem* focused = sel.FocusedItem();
        if (!value && focused && focused->OwnerGroup() == this) {
            TLumeItem* next = lv->Groups->NextVisibleItem(focused);
            while (next && !next->Enabled()) next = lv->Groups->NextVisibleItem(next);
            sel.SetFocusedItem(next);
        }
    } catch (...) {
        lv->EndUpdate(true);
        throw;
    }
    lv->EndUpdate(true);
}

const TLumePaintInfoBaseGroup& TLumeGroup::GroupPaint() {
    if (auto* own = dynamic_cast<TLumePaintInfoBaseGroup*>(PaintInfo.get())) return *own;
    return *OwnerListview()->PaintInfoGroup();
}

int TLumeGroup::MarginTopSize() { return GroupPaint().MarginTop()->RuntimeSize(); }
int TLumeGroup::MarginBottomSize() { return GroupPaint().MarginBottom()->RuntimeSize(); }
int TLumeGroup::MarginLeftSize() { return GroupPaint().MarginLeft()->RuntimeSize(); }
int TLumeGroup::MarginRightSize() { return GroupPaint().MarginRight()->RuntimeSize(); }

LumeRect TLumeGroup::HeaderBand() {
    const int t = MarginTopSize();
    if (t == 0) return {};
    const LumeRect& d = DisplayRect;
    return {d.Left + MarginLeftSize(), d.Top, d.Right - MarginRightSize(), d.Top + t};
}

LumeRect TLumeGroup::FooterBand() {
    const int b = MarginBottomSize();
    if (b == 0) return {};
    const LumeRect& d = DisplayRect;
    return {d.Left + MarginLeftSize(), d.Bottom - b, d.Right - MarginRightSize(), d.Bottom};
}

LumeRect TLumeGroup::LeftMarginRect() {
    const int l = MarginLeftSize();
    if (l == 0) return {};
    return {DisplayRect.Left, DisplayRect.Top, DisplayRect.Left + l, DisplayRect.Bottom};
}

LumeRect TLumeGroup::RightMarginRect() {
    const int r = MarginRightSize();
    if (r == 0) return {};
    return {DisplayRect.Right - r, DisplayRect.Top, DisplayRect.Right, DisplayRect.Bottom};
}

LumeRect TLumeGroup::ClientRect() {
    const LumeRect& d = DisplayRect;
    return {d.Left + MarginLeftSize(), d.Top + MarginTopSize(), d.Right - MarginRightSize(),
            d.Bottom - MarginBottomSize()};
}

bool TLumeGroup::CanChangeSelection(bool) {
    bool allow = true;
    OwnerListview()->DoGroupSelectionChanging(this, allow);
    return allow;
}

bool TLumeGroup::CanChangeVisibility(bool) {
    bool allow = true;
    OwnerListview()->DoGroupVisibilityChanging(this, allow);
    return allow;
}

TLumeImageList* TLumeGroup::GetImageList(int) { return OwnerListview()->ImagesGroup(); }
TLumePaintInfoBasic* TLumeGroup::GetDefaultPaintInfo() { return OwnerListview()->PaintInfoGroup(); }
void TLumeGroup::Freeing() { OwnerListview()->DoGroupFreeing(this); }

void TLumeGroup::GainCheck() {
    for (TLumeCollectionItem* item : items_->List)
        if (item->Visible()) item->SetChecked(true);
    Invalidate(false);
}

void TLumeGroup::LoseCheck() {
    for (TLumeCollectionItem* item : items_->List) item->SetChecked(false);
    Invalidate(false);
}

void TLumeGroup::GainEnable() {
    for (TLumeCollectionItem* item : items_->List) item->SetEnabled(true);
    Invalidate(false);
}

void TLumeGroup::LoseEnable() {
    for (TLumeCollectionItem* item : items_->List) item->SetEnabled(false);
    Invalidate(false);
}

void TLumeGroup::GainHotTracking(LumePoint mousePos) {
    OwnerListview()->DoGroupHotTrack(this, TLumeHotTrackState::ehsEnable, mousePos);
    Invalidate(true);
}

void TLumeGroup::LoseHotTracking() {
    OwnerListview()->DoGroupHotTrack(this, TLumeHotTrackState::ehsDisable, {0, 0});
    Invalidate(true);
}

void TLumeGroup::GainSelection() { OwnerListview()->DoGroupSelectionChanged(this); }
void TLumeGroup::LoseSelection() { OwnerListview()->DoGroupSelectionChanged(this); }

void TLumeGroup::GainVisibility() {
    OwnerListview()->DoGroupVisibilityChanged(this);
    for (TLumeCollectionItem* item : items_->List) item->SetVisible(true);
    OwnerListview()->Groups->RebuildLayout(false);
}

void TLumeGroup::LoseVisibility() {
    for (TLumeCollectionItem* item : items_->List) item->SetVisible(false);
    OwnerListview()->DoGroupVisibilityChanged(this);
    OwnerListview()->Groups->RebuildLayout(false);
}

void TLumeGroup::Initialize() { OwnerListview()->DoGroupInitialize(this); }

QString TLumeGroup::GetColumnCaption(int) {
    QString caption;
    OwnerListview()->DoGroupGetCaption(this, caption);
    return caption;
}

int TLumeGroup::GetColumnImageIndex(int) {
    int index = -1;
    OwnerListview()->DoGroupGetImageIndex(this, TLumeImageKind::eikNormal, index);
    return index;
}

int TLumeGroup::GetColumnImageOverlayIndex(int) {
    int index = -1;
    OwnerListview()->DoGroupGetImageIndex(this, TLumeImageKind::eikOverlay, index);
    return index;
}

TLumeImageList* TLumeGroup::GetColumnImageList(int, int) {
    TLumeImageList* list = OwnerListview()->ImagesGroup();
    OwnerListview()->DoGroupGetImageList(this, list);
    return list;
}

int TLumeGroup::GetDetailCount() {
    int count = 0;
    OwnerListview()->DoGroupGetDetailCount(this, count);
    return count;
}

int TLumeGroup::GetDetail(int line) {
    int detail = 0;
    OwnerListview()->DoGroupGetDetail(this, line, detail);
    return detail;
}

void TLumeGroup::SetColumnCaption(int, const QString& value) { OwnerListview()->DoGroupSetCaption(this, value); }
void TLumeGroup::SetDetailCount(int) {}
void TLumeGroup::SetDetail(int line, int value) { OwnerListview()->DoGroupSetDetail(this, line, value); }
void TLumeGroup::SetColumnImageIndex(int, int value) {
    OwnerListview()->DoGroupSetImageIndex(this, TLumeImageKind::eikNormal, value);
}
void TLumeGroup::SetColumnImageOverlayIndex(int, int value) {
    OwnerListview()->DoGroupSetImageIndex(this, TLumeImageKind::eikOverlay, value);
}

bool TLumeGroup::SelectionHit(const LumeRect& viewRect, bool) { return groupView_ && groupView_->SelectionHit(viewRect); }
bool TLumeGroup::SelectionHitPt(LumePoint viewPoint, bool) {
    return groupView_ && groupView_->SelectionHitPt(viewPoint);
}

void TLumeGroup::Invalidate(bool immediate) {
    TCustomLumeListview* lv = OwnerListview();
    if (!lv || lv->UpdateCount > 0 || !lv->HasWindow()) return;
    const LumeRect window = lv->Scrollbars->MapViewRectToWindow(DisplayRect).Intersected(lv->ClientRect());
    if (!window.IsEmpty()) lv->SafeInvalidateRect(&window, immediate);
}

void TLumeGroup::ReadFromStream(QIODevice& stream, int version) {
    TLumeCollectionItem::ReadFromStream(stream, version);
    expanded_ = true;
    items_->ReadItems(stream);
    OwnerListview()->DoGroupReadStream(this, stream, version);
}

void TLumeGroup::WriteToStream(QIODevice& stream, int version) {
    TLumeCollectionItem::WriteToStream(stream, version);
    items_->WriteItems(stream);
    OwnerListview()->DoGroupWriteStream(this, stream, version);
}

int TLumeGroupStored::GetDetailCount() { return OwnerListview()->PaintInfoGroup()->CaptionLines; }

void TLumeGroupStored::SetDetailCount(int value) {
    OwnerListview()->PaintInfoGroup()->Set(OwnerListview()->PaintInfoGroup()->CaptionLines, value);
}

}  // namespace lume
