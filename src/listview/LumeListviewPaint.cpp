// Painting a window rectangle: background, header, group bands, items, and
// in report view the rows column by column.
#include "listview/LumeListview.h"

#include "listview/paint/LumeGlyphs.h"

namespace lume {

namespace {

// Puts the canvas's origin back on every way out.
struct OriginRestore {
    TLumeCanvas* canvas;
    LumePoint origin;
    ~OriginRestore() { canvas->WindowOrg = origin; }
};

}  // namespace

int TCustomLumeListview::CheckBoundWidth(int checkSize) const { return CheckBoundManager().Bound(checkSize).Width(); }

const QImage& TCustomLumeListview::ExpandBitmap(bool expand) const {
    if (expand) return GroupExpandButton.isNull() ? GlobalImages->GroupExpandButton() : GroupExpandButton;
    return GroupCollapseButton.isNull() ? GlobalImages->GroupCollapseButton() : GroupCollapseButton;
}

void TCustomLumeListview::ClipHeader(TLumeCanvas* canvas) {
    canvas->RemoveClip();
    const int height = Header->RuntimeHeight();
    if (height < 1) return;
    const LumePoint origin = canvas->WindowOrg;
    canvas->WindowOrg = {0, 0};
    canvas->ExcludeClip({0, 0, ClientWidth(), height});
    canvas->WindowOrg = origin;
}

bool TCustomLumeListview::WMPaint(TLumeCanvas* canvas, const LumeRect& invalid) {
    if (UpdateCount > 0) return false;
    if (invalid.IsEmpty()) return true;
    canvas->Font = Font;
    canvas->FontColor = FontColor;
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->BrushColor = Color;
    canvas->WindowOrg = {0, 0};
    canvas->RemoveClip();
    canvas->FillRect(invalid);
    struct Unclip {
        TLumeCanvas* canvas;
        ~Unclip() { canvas->RemoveClip(); }
    } unclip{canvas};
    PaintRect(canvas, invalid, false);
    canvas->RemoveClip();
    PaintRubberBand(canvas);
    return true;
}

void TCustomLumeListview::PaintRubberBand(TLumeCanvas* canvas) {
    if (States & ebcsDragSelecting) DragRectManager->PaintRubberBand(canvas);
}

void TCustomLumeListview::PaintRect(TLumeCanvas* canvas, const LumeRect& windowRect, bool selectedOnly) {
    OriginRestore restore{canvas, canvas->WindowOrg};
    const LumeRect v = Scrollbars->MapWindowRectToView(windowRect, true);
    const int headerHeight = Header->RuntimeHeight();
    const LumePoint viewOrigin{Scrollbars->OffsetX(), Scrollbars->OffsetY() - headerHeight};
    if (!selectedOnly) {
        BackGround()->PaintTo(canvas, windowRect, false);
        canvas->RemoveClip();
        canvas->WindowOrg = {Scrollbars->OffsetX(), 0};
        if (IsHeaderView() && Header->Visible()) Header->Paint(canvas, v);
        ClipHeader(canvas);
        canvas->WindowOrg = viewOrigin;
        for (TLumeGroup* g = Groups->FirstGroupInRect(v); g; g = Groups->NextGroupInRect(g, v))
            if (g->GroupView())
                for (int pass = egpWhole; pass <= egpWholeAgain; ++pass) g->GroupView()->Paint(g, pass, canvas);
    }
    canvas->WindowOrg = viewOrigin;
    const bool report = view_ == TLumeListStyle::elsReport;
    auto paintItem = [&](TLumeItem* item) {
        if (report)
            PaintReportRow(canvas, item, v, selectedOnly);
        else if (item->ItemView())
            item->ItemView()->Paint(item, nullptr, canvas, v, false);
    };
    TLumeItem* item = Groups->FirstItemInRect(v);
    if (report && Selection()->GroupSelections() && item && item->SelectionGroup &&
        (!selectedOnly || item->Selected())) {
        // A block scrolled partly out of view still shows its selection.
        TLumeItem* first = item->SelectionGroup->FirstItem;
        PaintReportRow(canvas, first, v, selectedOnly);
        if (item == first) item = Groups->NextItemInRect(item, v);
    }
    TLumeItem* focused = Selection()->FocusedItem();
    for (; item; item = Groups->NextItemInRect(item, v)) {
        if (item == focused && item->ItemView() && item->ItemView()->PaintFocusedLast()) continue;
        if (selectedOnly && !item->Selected()) continue;
        paintItem(item);
    }
    if (focused && focused->ItemView() && focused->ItemView()->PaintFocusedLast() &&
        (!selectedOnly || focused->Selected()))
        paintItem(focused);
}

void TCustomLumeListview::PaintReportCell(TLumeCanvas* canvas, TLumeItem* item, TLumeColumn* column,
                                          const LumeRect* clip, bool forceSelection) {
    ClipHeader(canvas);
    canvas->WindowOrg = {Scrollbars->OffsetX(), Scrollbars->OffsetY() - Header->RuntimeHeight()};
    if (clip) canvas->IntersectClip(*clip);
    item->ItemView()->Paint(item, column, canvas, item->DisplayRect, forceSelection);
}

void TCustomLumeListview::PaintReportRow(TLumeCanvas* canvas, TLumeItem* item, const LumeRect& v, bool selectedOnly) {
    if (!item->ItemView()) return;
    TLumeColumn* column = Header->FirstColumnInRect(v);
    TLumeSelectionManager& sel = *Selection();
    if (column && item->Selected() && sel.GroupSelections()) {
        PaintReportCell(canvas, item, column, nullptr, true);
        column = Header->NextColumnInRect(column, v);
    } else if (column && (item->Selected() || item->DropTarget()) && sel.FullRowSelect) {
        const LumeRect row = item->DisplayRect.Intersected(v);
        PaintReportCell(canvas, item, column, &row, true);
        column = Header->NextColumnInRect(column, v);
    }
    for (; column; column = Header->NextColumnInRect(column, v)) PaintReportCell(canvas, item, column, nullptr, false);
    if (sel.FullRowSelect && Focused() && sel.UseFocusRect && item == sel.FocusedItem() && !selectedOnly) {
        ClipHeader(canvas);
        canvas->BrushColor = Color;
        canvas->FontColor = clBlack;
        TLumeRectArrayObject rects;
        item->ItemRectArray(Header->FirstColumn(), canvas, rects);
        LumeRect focus = item->DisplayRect;
        if (!sel.FullCellPaint() && !sel.FullItemPaint()) focus.Left = rects.SelectionRect.Left;
        canvas->DrawFocusRect(focus);
    }
    canvas->RemoveClip();
}

}  // namespace lume
