// The item painter's common part: the paint order, selection, image, text,
// focus rectangle, check box and hit tests.
#include "listview/paint/LumeViews.h"

#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeColors.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/LumeListview.h"
#include "listview/paint/LumeText.h"

namespace lume {

namespace {

int ColumnIndex(TLumeColumn* column) { return column ? column->Index() : 0; }

}  // namespace

void TLumeOwnedPersistentView::SaveCanvas(TLumeCanvas* canvas) {
    saved_ = Saved{canvas->Font, canvas->FontColor, canvas->BrushColor, canvas->PenColor, canvas->BrushStyle};
}

void TLumeOwnedPersistentView::RestoreCanvas(TLumeCanvas* canvas) {
    if (!saved_) return;
    canvas->Font = saved_->font;
    canvas->FontColor = saved_->fontColor;
    canvas->BrushColor = saved_->brushColor;
    canvas->PenColor = saved_->penColor;
    canvas->BrushStyle = saved_->brushStyle;
}

void TLumeOwnedPersistentView::PaintCheck(TLumeCheckType kind, TLumeCanvas* canvas, const LumeRect& rect,
                                          bool enabled, bool checked, bool pressedFace, bool flat, bool hot,
                                          bool pressed, int fontSize) {
    if (kind != TLumeCheckType::ectBox && kind != TLumeCheckType::ectRadio) return;
    if (OwnerListview && OwnerListview->DrawWithThemes()) {
        int state = !enabled ? 4 : hot ? 2 : pressed ? 3 : 1;
        if (checked) state += 4;
        canvas->ThemePart(kind == TLumeCheckType::ectBox ? LumeCheckBox : LumeRadioButton, state, rect);
        return;
    }
    LumeGlyphColors colors;
    if (enabled)
        colors = flat ? LumeGlyphColors{clWhite, clBtnFace, clBlack, clBlack, clBlack, clBlack}
                      : LumeGlyphColors{clWhite, clBtnFace, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
    else
        colors = flat ? LumeGlyphColors{clBtnFace, clBtnFace, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow}
                      : LumeGlyphColors{clBtnFace, clBtnFace, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
    const LumePoint at{rect.Left, rect.Top};
    if (kind == TLumeCheckType::ectBox)
        DrawMarlettCheck(canvas, at, fontSize, colors, checked, enabled, pressedFace);
    else
        DrawMarlettRadio(canvas, at, fontSize, colors, checked, enabled, pressedFace);
}

bool TLumeViewItem::PointOnText(TLumeItem* item, LumePoint point) {
    if (!item->Enabled()) return false;
    TLumeRectArrayObject rects;
    CalculateRects(item, OwnerListview->Header->FirstColumn(), OwnerListview->MeasureCanvas(), rects);
    return rects.TextRect.Contains(point);
}

LumeRect TLumeViewItem::IconHitRect(TLumeItem*, const TLumeRectArrayObject& rects) { return rects.IconRect; }

LumeRect TLumeViewItem::TextHitRect(TLumeItem* item, const TLumeRectArrayObject& rects) {
    return item->Focused() && OwnerListview->Focused() ? rects.FullTextRect : rects.TextRect;
}

LumeRect TLumeViewItem::RectByKind(TLumeItem* item, TLumeColumn* column, int kind) {
    TLumeRectArrayObject r;
    CalculateRects(item, column, OwnerListview->MeasureCanvas(), r);
    switch (kind) {
    case 0: return r.BoundsRect;
    case 1: return r.IconRect;
    case 2: return r.LabelRect;
    case 3: return r.ClickSelectBoundsRect;
    case 4: return r.DragSelectBoundsRect;
    case 5: return r.TextRect;
    case 6: return r.FullTextRect;
    default: return {};
    }
}

TLumeImageList* TLumeViewItem::ImageList(TLumeColumn* column, TLumeItem* item) {
    return item->GetColumnImageList(ColumnIndex(column), ImageSizeKind());
}

QSize TLumeViewItem::ImageSize(TLumeItem* item, TLumeColumn* column) {
    TCustomLumeListview* lv = OwnerListview;
    bool custom = false;
    lv->DoItemImageDrawIsCustom(item, column, custom);
    if (custom) {
        int w = 0, h = 0;
        lv->DoItemImageGetSize(item, column, w, h);
        return {w, h};
    }
    TLumeImageList* list = ImageList(column, item);
    if (!list || item->ImageIndexes(ColumnIndex(column)) < 0) return {0, 0};
    return {list->Width(), list->Height()};
}

int TLumeViewItem::ImageWidth(TLumeItem* item, TLumeColumn* column) { return ImageSize(item, column).width(); }

void TLumeViewItem::CalculateRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                   TLumeRectArrayObject& rects) {
    rects = {};
    if (!item) return;
    if (!item->Initialized()) item->SetInitialized(true);
    if (column && column->Position() < 0) return;
    CalcRects(item, column, canvas, rects, ImageSize(item, column));
}

void TLumeViewItem::CalcRects(TLumeItem* item, TLumeColumn*, TLumeCanvas*, TLumeRectArrayObject& r, QSize) {
    const int border = item->Paint().Border;
    r.BoundsRect = Inflate(item->DisplayRect, -border, -border);
    r.LabelRect = r.IconRect = r.TextRect = r.ClickSelectBoundsRect = r.DragSelectBoundsRect = r.SelectionRect =
        r.FocusChangeInvalidRect = r.BoundsRect;
    r.EditRect = r.FullTextRect;
}

void TLumeViewItem::PrepareTextFont(TLumeItem* item, TLumeCanvas* canvas, bool selectedLook) {
    TCustomLumeListview* lv = OwnerListview;
    canvas->Font = lv->Font;
    canvas->FontColor = lv->FontColor;
    canvas->BrushStyle = LumeBrushStyle::Clear;
    if (selectedLook)
        canvas->FontColor = lv->Focused() || item->DropTarget() ? lv->Selection()->TextColor
                                                                 : lv->Selection()->InactiveTextColor;
    if (lv->HotTrack->Enabled && lv->HotTrack->HotObject() == item) {
        canvas->FontColor = lv->HotTrack->Color;
        canvas->Font.setUnderline(lv->HotTrack->Underline);
    }
    if (item->Bold()) canvas->Font.setBold(true);
    lv->DoItemPaintText(item, canvas);
}

void TLumeViewItem::Paint(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, const LumeRect& clip,
                          bool forceSelection) {
    if (!item->Visible()) return;
    LumeCanvasSave save(this, canvas);
    const QString caption = column ? item->Captions(column->Index()) : item->Caption();
    TLumeRectArrayObject rects;
    CalculateRects(item, column, canvas, rects);
    PaintBefore(item, column, canvas, rects);
    TLumeItem* editing = OwnerListview->EditingItem();
    if (editing != item) PaintSelectionRect(item, column, canvas, rects, clip, forceSelection);
    PaintImage(item, column, canvas, rects);
    if (!(editing == item && ColumnIndex(column) == 0)) {
        PaintText(item, column, caption, canvas, rects, PaintTextLines(item, column));
        if (OwnerListview->Selection()->UseFocusRect) PaintFocusRect(item, column, canvas, rects);
    }
    PaintCheckBox(item, column, canvas, rects);
    PaintAfter(item, column, canvas, rects);
}

void TLumeViewItem::PaintBefore(TLumeItem* item, TLumeColumn*, TLumeCanvas* canvas, const TLumeRectArrayObject& rects) {
    if (item->Paint().Border <= 0) return;
    canvas->PenColor = item->Paint().BorderColor;
    canvas->BrushStyle = LumeBrushStyle::Clear;
    canvas->Rectangle(rects.BoundsRect);
}

LumeRect TLumeViewItem::FullCellRect(TLumeItem* item) {
    LumeRect r = item->DisplayRect;
    TLumeColumn* first = OwnerListview->Header->FirstColumn();
    if (OwnerListview->View() == TLumeListStyle::elsReport && first) {
        r.Left = first->DisplayRect.Left;
        r.Right = r.Left + first->Width();
    }
    return r;
}

void TLumeViewItem::PaintSelectionRect(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                       const TLumeRectArrayObject& rects, const LumeRect&, bool forceSelection) {
    TCustomLumeListview* lv = OwnerListview;
    TLumeSelectionManager& sel = *lv->Selection();
    const bool looksSelected = (item->Selected() || item->DropTarget()) && ColumnIndex(column) == 0;
    if (!((looksSelected && !FullRowSelect()) || forceSelection)) return;
    const bool active = lv->Focused() || item->DropTarget();
    canvas->FontColor = active ? sel.TextColor : sel.InactiveTextColor;
    canvas->PenColor = active ? sel.BorderColor : sel.InactiveBorderColor;
    canvas->BrushColor = active ? sel.Color : sel.InactiveColor;
    canvas->BrushStyle = LumeBrushStyle::Solid;
    const TColor blendColor = active ? sel.Color : sel.InactiveColor;
    const bool fullCell = sel.FullCellPaint();
    const bool fullItem = sel.FullItemPaint();
    const bool focusedHere = item->Focused() && lv->Focused();

    LumeRect r;
    if (sel.GroupSelections() && lv->View() == TLumeListStyle::elsReport && item->Selected()) {
        if (!item->SelectionGroup)
            r = item->DisplayRect;
        else if (item->SelectionGroup->FirstItem == item)
            r = item->SelectionGroup->DisplayRect;
        if (!r.IsEmpty() && !fullItem && !fullCell) r.Left = rects.SelectionRect.Left;
    } else if (FullRowSelect() && (item->Selected() || item->DropTarget())) {
        r = item->DisplayRect;
        if (!fullCell && !fullItem) r.Left = rects.SelectionRect.Left;
        if (focusedHere && sel.UseFocusRect) r = Inflate(r, -1, -1);
    } else if (focusedHere) {
        if (fullCell) {
            r = item->DisplayRect.United(rects.FullFocusSelRect);
            const LumeRect cell = FullCellRect(item);
            r.Left = cell.Left;
            r.Right = cell.Right;
        } else {
            r = rects.FullFocusSelRect;
            if (fullItem) r = r.United(rects.IconRect);
        }
        if (sel.UseFocusRect) r = Inflate(r, -1, -1);
    } else if (fullCell) {
        r = FullCellRect(item);
    } else {
        r = rects.SelectionRect;
        if (fullItem) r = r.United(rects.IconRect);
    }
    if (r.IsEmpty()) return;

    QImage* surface = canvas->Surface();
    if (sel.AlphaBlend && CpuSupportsMmx() && surface) {
        // Blend the visible part, never over the header.
        LumeRect a = canvas->ToDevice(r);
        const int header = lv->Header->RuntimeHeight();
        if (a.Top < header) a.Top = std::min(header, a.Bottom);
        a = a.Intersected(lv->ClientRect()).Intersected({0, 0, surface->width(), surface->height()});
        BlendBitmapRect(nullptr, surface, a, {}, TBlendMode::bmConstantAlphaAndColor, sel.BlendAlphaTextRect,
                        int(ColorToRGB(blendColor)));
        canvas->BrushStyle = LumeBrushStyle::Clear;
        if (sel.RoundRect)
            canvas->RoundRect(r, sel.RoundRectRadius);
        else
            canvas->Rectangle(r);
        return;
    }
    if (sel.RoundRect)
        canvas->RoundRect(r, sel.RoundRectRadius);
    else
        canvas->Rectangle(r);
}

void TLumeViewItem::PaintImage(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                               const TLumeRectArrayObject& rects) {
    TCustomLumeListview* lv = OwnerListview;
    LumeRect imageRect = rects.IconRect;
    const bool clipped = !rects.IconRect.Inside(rects.BoundsRect);
    const int clip = clipped ? canvas->SaveClip() : 0;
    struct ClipRestore {
        TLumeCanvas* canvas;
        bool active;
        int token;
        ~ClipRestore() {
            if (active) canvas->RestoreClip(token);
        }
    } restore{canvas, clipped, clip};
    if (clipped) canvas->IntersectClip(rects.IconRect.Intersected(rects.BoundsRect));

    if (lv->View() == TLumeListStyle::elsThumbnail || lv->View() == TLumeListStyle::elsFilmStrip) {
        const int border = item->Paint().Border;
        imageRect = Inflate(imageRect, -border, -border);
        bool doDefault = true;
        lv->DoItemThumbnailDraw(item, canvas, imageRect, &AlphaBlender(), doDefault);
        if (!doDefault) return;
    }
    bool custom = false;
    lv->DoItemImageDrawIsCustom(item, column, custom);
    if (custom) {
        lv->DoItemImageDraw(item, column, canvas, rects, &AlphaBlender());
        return;
    }
    TLumeImageList* list = ImageList(column, item);
    const int index = item->ImageIndexes(ColumnIndex(column));
    if (!list || index < 0) return;
    const int overlay = item->ImageOverlayIndexes(ColumnIndex(column));
    const int x = imageRect.Left + (imageRect.Width() - list->Width()) / 2;
    const int y = imageRect.Top + (imageRect.Height() - list->Height()) / 2;
    TLumeSelectionManager& sel = *lv->Selection();
    bool blend = false;
    TColor blendColor = 0;
    if (sel.BlendIcon() && lv->Focused() && (item->Selected() || item->DropTarget()) &&
        (!column || column->Position() == 0)) {
        blend = true;
        blendColor = sel.ForceDefaultBlend ? clHighlight : sel.Color;
    }
    if (!item->Enabled() || item->Cut()) {
        blend = true;
        blendColor = lv->DisabledBlendColor;
    }
    list->Draw(canvas, x, y, index, overlay >= 0 ? overlay + 1 : 0, blend, blendColor);
}

void TLumeViewItem::PaintText(TLumeItem* item, TLumeColumn* column, const QString& caption, TLumeCanvas* canvas,
                              const TLumeRectArrayObject& rects, int lines) {
    if (rects.TextRect.IsEmpty()) return;
    TCustomLumeListview* lv = OwnerListview;
    const bool selectedLook = (item->Selected() || item->DropTarget()) &&
                              (ColumnIndex(column) == 0 || FullRowSelect() || lv->Selection()->GroupSelections());
    PrepareTextFont(item, canvas, selectedLook);
    uint32_t flags = wtfEndEllipsis;
    if (lines == 1) flags |= wtfSingleLine;
    switch (TextAlignment(item, column)) {
    case TAlignment::taLeftJustify: flags |= wtfLeft; break;
    case TAlignment::taRightJustify: flags |= wtfRight; break;
    case TAlignment::taCenter: flags |= wtfCenter; break;
    }
    switch (TextVAlignment(item, column)) {
    case TLumeVAlignment::evaTop: flags |= wtfTop; break;
    case TLumeVAlignment::evaBottom: flags |= wtfBottom; break;
    case TLumeVAlignment::evaCenter: flags |= wtfVCenter; break;
    }
    LumeRect r = rects.TextRect;
    DrawWideTextInRect(canvas, caption, r, flags, lines);
}

void TLumeViewItem::PaintFocusRect(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                   const TLumeRectArrayObject& rects) {
    TCustomLumeListview* lv = OwnerListview;
    if (FullRowSelect() || !item->Focused() || !lv->Focused() || ColumnIndex(column) != 0) return;
    LumeRect r;
    if (lv->Selection()->FullCellPaint()) {
        r = item->DisplayRect.United(rects.FullFocusSelRect);
        const LumeRect cell = FullCellRect(item);
        r.Left = cell.Left;
        r.Right = cell.Right;
    } else {
        r = rects.FullFocusSelRect;
        if (lv->Selection()->FullItemPaint()) r = r.United(rects.IconRect);
    }
    canvas->BrushColor = lv->Color;
    canvas->FontColor = clBlack;
    canvas->DrawFocusRect(r);
}

void TLumeViewItem::PaintCheckBox(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                  const TLumeRectArrayObject& rects) {
    const TLumePaintInfoBasic& paint = item->Paint();
    if (ColumnIndex(column) != 0) return;
    const bool pending = OwnerListview->CheckManager->PendingObject() == item;
    PaintCheck(paint.CheckType, canvas, rects.CheckRect, item->Enabled(), item->Checked(), pending, paint.CheckFlat,
               item->CheckHot() && !item->CheckPending(), item->CheckPending() && !item->CheckHot(), paint.CheckSize);
}

int TLumeViewItem::ComparePoint(TLumeItem* item, LumePoint p) {
    const LumeRect& r = item->DisplayRect;
    if (p.Y < r.Top || (p.Y < r.Bottom && p.X < r.Left)) return 1;
    if (p.Y >= r.Bottom || p.X >= r.Right) return -1;
    return 0;
}

bool TLumeViewItem::HitTestRect(TLumeItem* item, const LumeRect& rect, bool) {
    if (!item->Enabled()) return false;
    TLumeRectArrayObject r;
    CalculateRects(item, HitColumn(), OwnerListview->MeasureCanvas(), r);
    return rect.Meets(TextHitRect(item, r)) || rect.Meets(IconHitRect(item, r));
}

bool TLumeViewItem::HitTestPoint(TLumeItem* item, LumePoint point, bool) {
    if (!item->Enabled()) return false;
    TLumeRectArrayObject r;
    CalculateRects(item, HitColumn(), OwnerListview->MeasureCanvas(), r);
    return TextHitRect(item, r).Contains(point) || IconHitRect(item, r).Contains(point);
}

}  // namespace lume
