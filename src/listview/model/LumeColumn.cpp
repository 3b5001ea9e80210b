#include "listview/model/LumeColumn.h"

#include "listview/LumeListview.h"
#include "listview/model/LumeStreamHelper.h"
#include "listview/LumeWideStrings.h"

namespace lume {

TLumeColumn::TLumeColumn(TLumeCollection* collection)
    : TLumeCollectionItem(collection), position_(collection ? collection->Count() : 0) {}

void TLumeColumn::BeforeDestroy() {
    State |= ecisDestroying;
    if (TCustomLumeListview* lv = OwnerListview()) {
        lv->Selection()->ForgetColumn(this);
        TLumeHeader& header = *lv->Header;
        if (header.HotTrackColumn == this) header.HotTrackColumn = nullptr;
        if (header.PressedColumn == this) header.PressedColumn = nullptr;
        if (header.ResizeColumn == this) header.ResizeColumn = nullptr;
        std::erase(header.ColumnsByPosition, this);
    }
    TLumeCollectionItem::BeforeDestroy();
}

TLumeColumns* TLumeColumn::OwnerColumns() const { return static_cast<TLumeColumns*>(Collection); }
TLumeHeader* TLumeColumn::OwnerHeader() const { return OwnerColumns() ? OwnerColumns()->Header : nullptr; }
TLumeViewColumn* TLumeColumn::ColumnView() const { return OwnerColumns() ? OwnerColumns()->ColumnView.get() : nullptr; }

const TLumePaintInfoBaseColumn& TLumeColumn::ColumnPaint() {
    if (auto* own = dynamic_cast<TLumePaintInfoBaseColumn*>(PaintInfo.get())) return *own;
    return *OwnerListview()->PaintInfoColumn();
}

void TLumeColumn::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate(false);
}

void TLumeColumn::SetWidth(int value) {
    if (value == width_) return;
    width_ = std::max(0, value);
    TCustomLumeListview* lv = OwnerListview();
    if (!lv) return;
    lv->Header->RebuildColumns(false);
    lv->SafeInvalidateRect(nullptr, false);
}

void TLumeColumn::SetPosition(int value) {
    TLumeColumns* columns = OwnerColumns();
    const int count = columns ? columns->Count() : 1;
    value = std::clamp(value, 0, std::max(0, count - 1));
    if (count <= 1) {
        position_ = 0;
        return;
    }
    const int old = position_;
    if (value > old) {
        for (TLumeCollectionItem* c : columns->List) {
            auto* column = static_cast<TLumeColumn*>(c);
            if (column->position_ >= old && column->position_ <= value) --column->position_;
        }
    } else if (value < old) {
        for (TLumeCollectionItem* c : columns->List) {
            auto* column = static_cast<TLumeColumn*>(c);
            if (column->position_ >= value && column->position_ <= old) ++column->position_;
        }
    }
    position_ = value;
    TCustomLumeListview* lv = OwnerListview();
    lv->Header->RebuildColumns(false);
    lv->Header->Invalidate(false);
}

void TLumeColumn::SetSortDirection(TLumeSortDirection value) {
    if (value == sortDirection_) return;
    sortDirection_ = value;
    TCustomLumeListview* lv = OwnerListview();
    lv->Header->Invalidate(false);
    if (value != TLumeSortDirection::esdNone && lv->Sort->AutoSort) {
        lv->Selection()->SetFocusedColumn(this);
        lv->Sort->SortAll();
    }
}

void TLumeColumn::AutoSizeToFit() {
    TCustomLumeListview* lv = OwnerListview();
    const TLumePaintInfoBaseColumn& paint = ColumnPaint();
    const int column = Index();
    int widest = 0;
    for (TLumeCollectionItem* g : lv->Groups->List) {
        auto* group = static_cast<TLumeGroup*>(g);
        for (TLumeCollectionItem* i : group->Items()->List) {
            auto* item = static_cast<TLumeItem*>(i);
            TLumeCanvas* canvas = lv->MeasureCanvas();
            int w = 12;
            if (canvas && group->ItemView()) {
                group->ItemView()->PrepareTextFont(item, canvas, false);
                w += canvas->TextExtent(item->Captions(column)).width();
            } else {
                w += WideTextExtentFont(item->Captions(column), lv->Font, lv->Measurer()).width();
            }
            const int image = group->ItemView() ? group->ItemView()->ImageWidth(item, this) : 0;
            if (image > 0) w += paint.ImageIndent + image;
            if (paint.CheckType != TLumeCheckType::ectNone) w += lv->CheckBoundWidth(paint.CheckSize) + paint.CheckIndent;
            widest = std::max(widest, w);
        }
    }
    SetWidth(widest);
}

bool TLumeColumn::HitTestAt(LumePoint viewPoint, TLumeColumnHitTestInfos& hitInfo) {
    hitInfo = {};
    TLumeViewColumn* view = ColumnView();
    if (!view) return false;
    TLumeRectArrayObject r;
    view->CalculateRects(this, OwnerListview()->MeasureCanvas(), r);
    if (r.IconRect.Contains(viewPoint)) hitInfo.Include(TLumeColumnHitTestInfo::echtOnIcon);
    if (r.CheckRect.Contains(viewPoint)) hitInfo.Include(TLumeColumnHitTestInfo::echtOnCheckbox);
    if (r.TextRect.Contains(viewPoint)) hitInfo.Include(TLumeColumnHitTestInfo::echtOnText);
    if (r.LabelRect.Contains(viewPoint)) hitInfo.Include(TLumeColumnHitTestInfo::echtOnLabel);
    return !hitInfo.IsEmpty();
}

bool TLumeColumn::CanChangeCheck(bool) {
    bool allow = true;
    OwnerListview()->DoColumnCheckChanging(this, allow);
    return allow;
}

bool TLumeColumn::CanChangeEnable(bool) {
    bool allow = true;
    OwnerListview()->DoColumnEnableChanging(this, allow);
    return allow;
}

bool TLumeColumn::CanChangeFocus(bool) {
    bool allow = true;
    OwnerListview()->DoColumnFocusChanging(this, allow);
    return allow;
}

bool TLumeColumn::CanChangeSelection(bool) {
    bool allow = true;
    OwnerListview()->DoColumnSelectionChanging(this, allow);
    return allow;
}

bool TLumeColumn::CanChangeVisibility(bool) {
    bool allow = true;
    OwnerListview()->DoColumnVisibilityChanging(this, allow);
    return allow;
}

TLumeImageList* TLumeColumn::GetImageList(int) { return OwnerHeader() ? OwnerHeader()->Images() : nullptr; }
TLumePaintInfoBasic* TLumeColumn::GetDefaultPaintInfo() { return OwnerListview()->PaintInfoColumn(); }
void TLumeColumn::Freeing() { OwnerListview()->DoColumnFreeing(this); }
void TLumeColumn::GainCheck() { OwnerListview()->DoColumnCheckChanged(this); }
void TLumeColumn::GainEnable() { OwnerListview()->DoColumnEnableChanged(this); }
void TLumeColumn::GainFocus() { OwnerListview()->DoColumnFocusChanged(this); }
void TLumeColumn::GainSelection() { OwnerListview()->DoColumnSelectionChanged(this); }
void TLumeColumn::GainVisibility() { OwnerListview()->DoColumnVisibilityChanged(this); }
void TLumeColumn::Initialize() { OwnerListview()->DoColumnInitialize(this); }

QString TLumeColumn::GetColumnCaption(int) {
    QString caption;
    OwnerListview()->DoColumnGetCaption(this, caption);
    return caption;
}

int TLumeColumn::GetColumnImageIndex(int) {
    int index = -1;
    OwnerListview()->DoColumnGetImageIndex(this, TLumeImageKind::eikNormal, index);
    return index;
}

int TLumeColumn::GetColumnImageOverlayIndex(int) {
    int index = -1;
    OwnerListview()->DoColumnGetImageIndex(this, TLumeImageKind::eikOverlay, index);
    return index;
}

int TLumeColumn::GetDetailCount() {
    int count = 0;
    OwnerListview()->DoColumnGetDetailCount(this, count);
    return count;
}

int TLumeColumn::GetDetail(int line) {
    int detail = 0;
    OwnerListview()->DoColumnGetDetail(this, line, detail);
    return detail;
}

void TLumeColumn::SetColumnCaption(int, const QString& value) { OwnerListview()->DoColumnSetCaption(this, value); }
void TLumeColumn::SetDetailCount(int) {}
void TLumeColumn::SetDetail(int line, int value) { OwnerListview()->DoColumnSetDetail(this, line, value); }
void TLumeColumn::SetColumnImageIndex(int, int value) {
    OwnerListview()->DoColumnSetImageIndex(this, TLumeImageKind::eikNormal, value);
}
void TLumeColumn::SetColumnImageOverlayIndex(int, int value) {
    OwnerListview()->DoColumnSetImageIndex(this, TLumeImageKind::eikOverlay, value);
}

void TLumeColumn::Invalidate(bool immediate) {
    TCustomLumeListview* lv = OwnerListview();
    if (!lv || lv->UpdateCount > 0) return;
    const LumeRect band{0, 0, lv->ClientWidth(), lv->Header->Height()};
    lv->SafeInvalidateRect(&band, immediate);
}

void TLumeColumn::ReadFromStream(QIODevice& stream, int version) {
    TLumeCollectionItem::ReadFromStream(stream, version);
    const uint8_t alignment = TLumeMemoryStreamHelper::ReadByte(stream);
    const int32_t position = TLumeMemoryStreamHelper::ReadInteger(stream);
    const uint8_t sort = TLumeMemoryStreamHelper::ReadByte(stream);
    const uint8_t reserved = TLumeMemoryStreamHelper::ReadByte(stream);
    const int32_t width = TLumeMemoryStreamHelper::ReadInteger(stream);
    const uint8_t autoToggle = TLumeMemoryStreamHelper::ReadByte(stream);
    // Values outside their enumerations mean a damaged stream.
    if (alignment > 2 || sort > 2 || autoToggle > 1) throw EReadError();
    alignment_ = TAlignment(alignment);
    position_ = position;
    sortDirection_ = TLumeSortDirection(sort);
    Reserved = reserved;
    width_ = std::max(0, width);
    AutoToggleSort = autoToggle != 0;
    OwnerListview()->DoColumnReadStream(this, stream, version);
}

void TLumeColumn::WriteToStream(QIODevice& stream, int version) {
    TLumeCollectionItem::WriteToStream(stream, version);
    TLumeMemoryStreamHelper::WriteByte(stream, uint8_t(alignment_));
    TLumeMemoryStreamHelper::WriteInteger(stream, position_);
    TLumeMemoryStreamHelper::WriteByte(stream, uint8_t(sortDirection_));
    TLumeMemoryStreamHelper::WriteByte(stream, Reserved);
    TLumeMemoryStreamHelper::WriteInteger(stream, width_);
    TLumeMemoryStreamHelper::WriteByte(stream, AutoToggleSort ? 1 : 0);
    OwnerListview()->DoColumnWriteStream(this, stream, version);
}

int TLumeColumnStored::GetDetailCount() { return OwnerListview()->PaintInfoColumn()->CaptionLines; }

void TLumeColumnStored::SetDetailCount(int value) {
    OwnerListview()->PaintInfoColumn()->Set(OwnerListview()->PaintInfoColumn()->CaptionLines, value);
}

TLumeColumns::TLumeColumns(TCustomLumeListview* owner, TLumeHeader* header)
    : TLumeCollection(owner), Header(header), ColumnView(std::make_unique<TLumeViewColumn>(owner)) {}

TLumeColumns::~TLumeColumns() = default;

void TLumeColumns::DoStructureChange() { Header->RebuildColumns(false); }

TLumeColumn* TLumeColumns::ColumnAt(LumePoint viewPoint) const {
    for (TLumeCollectionItem* c : List)
        if (c->DisplayRect.Contains(viewPoint)) return static_cast<TLumeColumn*>(c);
    return nullptr;
}

}  // namespace lume
