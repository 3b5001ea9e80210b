// The column button painter: face, image, caption, sort arrow, check box and
// the drop mark of a column drag.
#include "listview/paint/LumeViews.h"

#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeColors.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/LumeOwner.h"
#include "listview/layout/LumeHeader.h"
#include "listview/paint/LumeGlobalImages.h"
#include "listview/paint/LumeText.h"

namespace lume {

namespace {

constexpr TColor clBtnText = 0xFF000012;

uint32_t AlignFlag(TAlignment a) {
    return a == TAlignment::taRightJustify ? wtfRight : a == TAlignment::taCenter ? wtfCenter : wtfLeft;
}

}  // namespace

QSize TLumeViewColumn::ImageSize(TLumeColumn* column) {
    ILumeOwner* lv = Owner();
    bool custom = false;
    lv->DoColumnImageDrawIsCustom(column, custom);
    if (custom) {
        int w = 0, h = 0;
        lv->DoColumnImageGetSize(column, w, h);
        return {w, h};
    }
    TLumeImageList* list = lv->OwnerHeader()->Images();
    if (!list || column->ImageIndex() < 0) return {0, 0};
    return {list->Width(), list->Height()};
}

void TLumeViewColumn::PrepareTextFont(TLumeCanvas* canvas) {
    canvas->Font = Owner()->OwnerHeader()->Font;
    canvas->FontColor = clBtnText;
}

void TLumeViewColumn::CalculateRects(TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& r) {
    r = {};
    if (!column) return;
    if (!column->Initialized()) column->SetInitialized(true);
    const TLumePaintInfoBaseColumn& paint = column->ColumnPaint();
    const QSize image = ImageSize(column);
    r.BoundsRect = Inflate(column->DisplayRect, -2, -2);
    const LumeRect& b = r.BoundsRect;
    r.CheckRect = {b.Left, b.Top, b.Left, b.Bottom};
    if (paint.CheckType != TLumeCheckType::ectNone) {
        const LumeRect g = CheckBoundManager().Bound(paint.CheckSize);
        r.CheckRect = g.Offset(b.Left + paint.CheckIndent, b.Top + (b.Height() - g.Height()) / 2);
    }
    r.LabelRect = b;
    const int centredTop = b.Top + (b.Height() - image.height()) / 2;
    if (column->ImageIndex() < 0) {
        r.IconRect = {r.CheckRect.Right, r.CheckRect.Top, r.CheckRect.Right, r.CheckRect.Bottom};
        r.LabelRect.Left = r.CheckRect.Right;
    } else {
        switch (paint.ImagePosition) {
        case TLumeHeaderImagePosition::ehpLeft: {
            const int left = r.CheckRect.Right + paint.ImageIndent;
            r.IconRect = {left, centredTop, left + image.width(), centredTop + image.height()};
            r.LabelRect.Left = r.IconRect.Right + paint.CaptionIndent;
            break;
        }
        case TLumeHeaderImagePosition::ehpTop:
            r.IconRect = {b.Left, b.Top + paint.ImageIndent, b.Right, b.Top + paint.ImageIndent + image.height()};
            r.LabelRect.Left = r.CheckRect.Right;
            r.LabelRect.Top = r.IconRect.Bottom + paint.CaptionIndent;
            break;
        case TLumeHeaderImagePosition::ehpRight: {
            const int right = b.Right - paint.ImageIndent;
            r.IconRect = {right - image.width(), centredTop, right, centredTop + image.height()};
            r.LabelRect.Left = r.CheckRect.Right;
            r.LabelRect.Right = r.IconRect.Left - paint.CaptionIndent;
            break;
        }
        case TLumeHeaderImagePosition::ehpBottom:
            r.IconRect = {b.Left, b.Bottom - paint.ImageIndent - image.height(), b.Right, b.Bottom - paint.ImageIndent};
            r.LabelRect.Left = r.CheckRect.Right;
            r.LabelRect.Bottom = r.IconRect.Top - paint.CaptionIndent;
            break;
        }
    }
    if (column->SortDirection() != TLumeSortDirection::esdNone) {
        const QImage& glyph = Owner()->OwnerGlobalImages()->ColumnSortUp();
        const int gw = glyph.width(), gh = glyph.height();
        const int top = b.Top + (b.Height() - gh) / 2;
        if (paint.SortGlyphAlign == TLumeSortGlyphAlign::esgaLeft) {
            r.SortRect = {r.LabelRect.Left, top, r.LabelRect.Left + gw, top + gh};
            r.LabelRect.Left += paint.SortGlyphIndent + gw;
        } else {
            r.SortRect = {r.LabelRect.Right - gw, top, r.LabelRect.Right, top + gh};
            r.LabelRect.Right -= paint.SortGlyphIndent + gw;
        }
    } else {
        r.SortRect = {r.LabelRect.Left, r.LabelRect.Top, r.LabelRect.Left, r.LabelRect.Bottom};
    }
    if (RectIsOrdered(r.LabelRect)) {
        LumeRect text = r.LabelRect;
        text.Left += paint.CaptionIndent;
        text = Inflate(text, -2, -2);
        const int lines = Owner()->PaintInfoColumn()->CaptionLines;
        r.TextRects.assign(size_t(std::max(0, lines) + 1), LumeRect{});
        r.TextRects[0] = text;
        if (canvas) {
            PrepareTextFont(canvas);
            DrawWideTextInRect(canvas, column->Caption(), r.TextRects[0],
                               wtfCalcRect | wtfCalcClampWidth | AlignFlag(column->Alignment()) | wtfTop, lines);
        }
        r.TextRect = r.TextRects[0];
        for (const LumeRect& e : r.TextRects) r.TextRect = r.TextRect.United(e);
        const int labelHeight = r.LabelRect.Height();
        int textShift = 0, entryShift = 0;
        if (paint.VAlignment == TLumeVAlignment::evaBottom) {
            textShift = labelHeight - r.TextRect.Height();
            entryShift = labelHeight - 4 - r.TextRect.Height();
        } else if (paint.VAlignment == TLumeVAlignment::evaCenter) {
            textShift = (labelHeight - r.TextRect.Height()) / 2;
            entryShift = (labelHeight - 4 - r.TextRect.Height()) / 2;
        }
        r.TextRect = r.TextRect.Offset(0, textShift);
        for (LumeRect& e : r.TextRects)
            if (!e.IsZero()) e = e.Offset(0, entryShift);
    }
    r.SortRect = r.SortRect.Offset(r.TextRect.Right - r.SortRect.Left, 0);
    r.ClickSelectBoundsRect = r.DragSelectBoundsRect = r.SelectionRect = r.FullTextRect = r.FocusChangeInvalidRect =
        r.EditRect = r.BoundsRect;
    r.BoundsRect = Inflate(r.BoundsRect, 2, 2);
}

void TLumeViewColumn::Paint(TLumeColumn* column, TLumeCanvas* canvas) {
    LumeCanvasSave save(this, canvas);
    TLumeRectArrayObject r;
    CalculateRects(column, canvas, r);
    canvas->IntersectClip(r.BoundsRect);
    PaintBackground(column, canvas);
    PaintImage(column, canvas, r);
    PaintText(column, canvas, r);
    PaintSortGlyph(column, canvas, r);
    PaintCheckBox(column, canvas, r);
    PaintDropMark(column, canvas);
}

void TLumeViewColumn::PaintBackground(TLumeColumn* column, TLumeCanvas* canvas) {
    ILumeOwner* lv = Owner();
    const TLumePaintInfoBaseColumn& paint = column->ColumnPaint();
    if (lv->DrawWithThemes()) {
        const bool dragging = lv->OwnerStates() & (ebcsDragging | ebcsDragSelecting);
        const int state = column->Clicking() ? 3
                          : (lv->OwnerHeader()->HotTrackColumn == column && paint.HotTrack && !dragging) ? 2
                                                                                                   : 1;
        canvas->ThemePart(LumeHeaderItem, state, column->DisplayRect);
        return;
    }
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->BrushColor = paint.Color;
    canvas->FillRect(column->DisplayRect);
    const bool clicking = column->Clicking();
    const bool drop = column->DropTarget() && !clicking;
    int edge = 4, flags = 0x300F;
    switch (paint.Style) {
    case TLumeHeaderButtonStyle::ehbsThick:
        edge = 5;
        flags = clicking ? 0x700F : 0x300F;
        break;
    case TLumeHeaderButtonStyle::ehbsFlat:
        edge = clicking ? 2 : 4;
        flags = 0x200F;
        break;
    case TLumeHeaderButtonStyle::ehbsPlate:
        edge = clicking ? 2 : 4;
        flags = clicking || drop ? 0x200F : 0x300F;
        break;
    case TLumeHeaderButtonStyle::ehbsThemed:
        edge = clicking ? 2 : 4;
        flags = clicking ? 0x200F : 0x300F;
        break;
    }
    canvas->DrawEdge(column->DisplayRect, edge, flags);
}

void TLumeViewColumn::PaintImage(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    ILumeOwner* lv = Owner();
    bool custom = false;
    lv->DoColumnImageDrawIsCustom(column, custom);
    if (custom) {
        lv->DoColumnImageDraw(column, canvas, r, &AlphaBlender());
        return;
    }
    TLumeImageList* list = lv->OwnerHeader()->Images();
    if (!list || column->ImageIndex() < 0) return;
    const int overlay = column->ImageOverlayIndex();
    list->Draw(canvas, r.IconRect.Left + (r.IconRect.Width() - list->Width()) / 2,
               r.IconRect.Top + (r.IconRect.Height() - list->Height()) / 2, column->ImageIndex(),
               overlay >= 0 ? overlay + 1 : 0, false, 0);
}

void TLumeViewColumn::PaintText(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    if (r.TextRect.IsEmpty() || r.TextRects.empty()) return;
    canvas->BrushStyle = LumeBrushStyle::Clear;
    const int lines = Owner()->PaintInfoColumn()->CaptionLines;
    uint32_t flags = wtfEndEllipsis | AlignFlag(column->Alignment());
    if (lines == 1) flags |= wtfSingleLine;
    PrepareTextFont(canvas);
    if (column->Bold()) canvas->Font.setBold(true);
    Owner()->DoColumnPaintText(column, canvas);
    LumeRect text = r.TextRects[0];
    DrawWideTextInRect(canvas, column->Caption(), text, flags, lines);
}

void TLumeViewColumn::PaintSortGlyph(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    switch (column->SortDirection()) {
    case TLumeSortDirection::esdAscending:
        canvas->DrawImage(r.SortRect.Left, r.SortRect.Top, Owner()->OwnerGlobalImages()->ColumnSortUp());
        break;
    case TLumeSortDirection::esdDescending:
        canvas->DrawImage(r.SortRect.Left, r.SortRect.Top, Owner()->OwnerGlobalImages()->ColumnSortDown());
        break;
    case TLumeSortDirection::esdNone: break;
    }
}

void TLumeViewColumn::PaintCheckBox(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    const TLumePaintInfoBaseColumn& paint = column->ColumnPaint();
    PaintCheck(paint.CheckType, canvas, r.CheckRect, column->Enabled(), column->Checked(), false, paint.CheckFlat,
               column->CheckHot() && !column->CheckPending(), column->CheckPending() && !column->CheckHot(),
               paint.CheckSize);
}

void TLumeViewColumn::PaintDropMark(TLumeColumn* column, TLumeCanvas* canvas) {
    if (!column->DropMark()) return;
    const LumeRect& d = column->DisplayRect;
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->BrushColor = clBlue;
    canvas->FillRect({d.Right - 2, d.Top, d.Right, d.Bottom});
}

}  // namespace lume
