#include "listview/layout/LumeHeader.h"

#include "listview/LumeListview.h"

#include <algorithm>
#include <cmath>

namespace lume {

TLumeHeader::TLumeHeader(TCustomLumeListview* owner)
    : TLumeOwnedPersistent(owner),
      Columns(std::make_unique<TLumeColumns>(owner, this)),
      DragManager(std::make_unique<TLumeHeaderDragManager>(owner)) {}

TLumeHeader::~TLumeHeader() = default;

void TLumeHeader::SetColor(TColor value) {
    if (value == Color) return;
    Color = value;
    Invalidate(false);
}

bool TLumeHeader::Draggable() const { return DragManager->Enabled; }
void TLumeHeader::SetDraggable(bool value) { DragManager->Enabled = value; }

void TLumeHeader::SetFont(const QFont& font) {
    Font = font;
    Invalidate(false);
}

void TLumeHeader::SetHeight(int value) {
    value = std::max(0, value);
    if (value == height_) return;
    height_ = value;
    OwnerListview->Groups->RebuildLayout(false);
}

void TLumeHeader::SetImages(TLumeImageList* value) {
    if (value == images_) return;
    images_ = value;
    OwnerListview->SafeInvalidateRect(nullptr, false);
}

void TLumeHeader::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    OwnerListview->Groups->RebuildLayout(false);
}

void TLumeHeader::RebuildColumns(bool force) {
    TCustomLumeListview* lv = OwnerListview;
    if (!force && (lv->UpdateCount > 0 || lv->Loading || !lv->HasWindow())) return;
    ColumnsByPosition.clear();
    for (TLumeCollectionItem* c : Columns->List) ColumnsByPosition.push_back(static_cast<TLumeColumn*>(c));
    std::stable_sort(ColumnsByPosition.begin(), ColumnsByPosition.end(),
                     [](TLumeColumn* a, TLumeColumn* b) { return a->Position() < b->Position(); });
    DisplayRect = {};
    int x = 0;
    for (size_t i = 0; i < ColumnsByPosition.size(); ++i) {
        TLumeColumn* column = ColumnsByPosition[i];
        column->StorePosition(int(i));
        const int w = column->Visible() ? column->Width() : 0;
        column->DisplayRect = {x, 0, x + w, height_};
        x += w;
    }
    if (!ColumnsByPosition.empty()) DisplayRect = {0, 0, std::max(x, lv->ClientWidth()), height_};
}

void TLumeHeader::Invalidate(bool immediate) {
    if (OwnerListview->UpdateCount > 0) return;
    OwnerListview->SafeInvalidateRect(nullptr, immediate);
}

void TLumeHeader::Paint(TLumeCanvas* canvas, const LumeRect& rect) {
    if (OwnerListview->DrawWithThemes()) {
        canvas->ThemePart(LumeHeaderItem, 1, DisplayRect);
    } else {
        canvas->BrushStyle = LumeBrushStyle::Solid;
        canvas->BrushColor = Color;
        canvas->FillRect(HeaderRect().Offset(OwnerListview->Scrollbars->OffsetX(), 0));
    }
    for (TLumeColumn* column = FirstColumnInRect(rect); column; column = NextColumnInRect(column, rect))
        if (Columns->ColumnView) {
            canvas->RemoveClip();
            Columns->ColumnView->Paint(column, canvas);
        }
}

int TLumeHeader::RuntimeHeight() const { return OwnerListview->IsHeaderView() && visible_ ? height_ : 0; }

LumeRect TLumeHeader::HeaderRect() const { return {0, 0, OwnerListview->ClientWidth(), RuntimeHeight()}; }

TLumeColumn* TLumeHeader::FirstColumn() const { return Columns->Count() > 0 ? Columns->At(0) : nullptr; }
TLumeColumn* TLumeHeader::FirstColumnByPosition() const {
    return ColumnsByPosition.empty() ? nullptr : ColumnsByPosition.front();
}
TLumeColumn* TLumeHeader::LastColumnByPosition() const {
    return ColumnsByPosition.empty() ? nullptr : ColumnsByPosition.back();
}

TLumeColumn* TLumeHeader::FirstColumnInRect(LumeRect rect) const {
    rect = rect.Offset(0, -rect.Top);
    for (TLumeColumn* column : ColumnsByPosition)
        if (column->Visible() && column->DisplayRect.Meets(rect)) return column;
    return nullptr;
}

TLumeColumn* TLumeHeader::NextColumnInRect(TLumeColumn* column, LumeRect rect) const {
    if (!column) return nullptr;
    rect = rect.Offset(0, -rect.Top);
    for (size_t i = size_t(column->Position()) + 1; i < ColumnsByPosition.size(); ++i) {
        TLumeColumn* next = ColumnsByPosition[i];
        if (!next->Visible() || next->Width() == 0) continue;
        return next->DisplayRect.Meets(rect) ? next : nullptr;
    }
    return nullptr;
}

void TLumeHeader::SpringColumns() {
    const int clientWidth = OwnerListview->ClientWidth();
    float delta = float(clientWidth - LastClientWidth);
    if (delta == 0.0f) return;
    const int sign = delta < 0 ? -1 : 1;
    delta = std::fabs(delta);
    int springs = 0;
    for (TLumeCollectionItem* c : Columns->List)
        if (static_cast<TLumeColumn*>(c)->AutoSpring() && c->Visible()) ++springs;
    if (springs == 0) return;
    const float share = delta / float(springs);
    for (TLumeCollectionItem* c : Columns->List) {
        auto* column = static_cast<TLumeColumn*>(c);
        if (!column->AutoSpring() || !column->Visible()) continue;
        const float s = column->SpringRemainder + share;
        const int whole = int(s);
        if (s >= 1.0f) column->SetWidth(column->Width() + sign * whole);
        column->SpringRemainder = s - float(whole);
        delta -= share;
        if (delta < 0.0f) break;
    }
}

void TLumeHeader::ClearStates() {
    State &= ehfCheckPending;
    ReleaseMouse();
}

void TLumeHeader::CaptureMouse() {
    State |= ehfCaptured;
    OwnerListview->States |= ebcsHeaderCapture;
    if (OwnerListview->HasWindow()) OwnerListview->Host()->SetCapture();
}

void TLumeHeader::ReleaseMouse() {
    State &= ~ehfCaptured;
    OwnerListview->States &= ~ebcsHeaderCapture;
    if (OwnerListview->HasWindow() && OwnerListview->Host()->HasCapture()) OwnerListview->Host()->ReleaseCapture();
}

bool TLumeHeader::CheckHit(LumePoint p) const {
    TLumeColumn* column = Columns->ColumnAt(p);
    if (!column || !Columns->ColumnView) return false;
    TLumeRectArrayObject rects;
    Columns->ColumnView->CalculateRects(column, OwnerListview->MeasureCanvas(), rects);
    return rects.CheckRect.Contains(p);
}

bool TLumeHeader::HotHit(LumePoint p, TLumeColumn*& found) const {
    found = nullptr;
    if (!OwnerListview->PaintInfoColumn()->HotTrack) return false;
    const int offset = OwnerListview->Scrollbars->OffsetX();
    const LumeRect client = OwnerListview->ClientRect().Offset(offset, 0);
    for (TLumeColumn* column : ColumnsByPosition) {
        LumeRect r = column->DisplayRect;
        r.Right += 5;
        if (r.Intersected(client).Contains(p)) {
            found = column;
            return true;
        }
    }
    return HotTrackColumn != nullptr;
}

bool TLumeHeader::PressHit(LumePoint p) {
    PressedColumn = nullptr;
    for (auto it = ColumnsByPosition.rbegin(); it != ColumnsByPosition.rend(); ++it) {
        if ((*it)->DisplayRect.Contains(p)) {
            PressedColumn = *it;
            return PressedColumn->Clickable;
        }
    }
    return false;
}

bool TLumeHeader::DividerHit(LumePoint p) {
    if (!Sizeable) return false;
    ResizeColumn = nullptr;
    const int clientRight = OwnerListview->ClientWidth() + OwnerListview->Scrollbars->OffsetX();
    for (auto it = ColumnsByPosition.rbegin(); it != ColumnsByPosition.rend(); ++it) {
        const int r = (*it)->DisplayRect.Right;
        if (r - 4 < p.X && p.X <= r + 4 && 0 < p.Y && p.Y < height_ && r <= clientRight) {
            ResizeColumn = *it;
            return true;
        }
    }
    return false;
}

}  // namespace lume
