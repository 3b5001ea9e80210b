// The rectangles of an item in each view style.
#include "listview/paint/LumeViews.h"

#include "listview/paint/LumeColors.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/LumeListview.h"
#include "listview/paint/LumeText.h"

#include <cmath>

namespace lume {

namespace {

int ColumnIndex(TLumeColumn* column) { return column ? column->Index() : 0; }

uint32_t AlignFlag(TAlignment a) {
    switch (a) {
    case TAlignment::taRightJustify: return wtfRight;
    case TAlignment::taCenter: return wtfCenter;
    default: return wtfLeft;
    }
}

uint32_t VAlignFlag(TLumeVAlignment a) {
    switch (a) {
    case TLumeVAlignment::evaBottom: return wtfBottom;
    case TLumeVAlignment::evaCenter: return wtfVCenter;
    default: return wtfTop;
    }
}

// Rounds to the nearest integer, halves to even.
int RoundEven(double v) { return int(std::nearbyint(v)); }

LumeRect Grow(const LumeRect& r, int d) { return Inflate(r, d, d); }

// The check box below the image, as icons and thumbnails place it.
LumeRect CheckBelow(const TLumePaintInfoBasic& paint, const LumeRect& bounds, const LumeRect& icon) {
    if (paint.CheckType == TLumeCheckType::ectNone) return {bounds.Left, icon.Bottom, bounds.Left, bounds.Bottom};
    const LumeRect g = CheckBoundManager().Bound(paint.CheckSize);
    return g.Offset(bounds.Left + paint.CheckIndent, icon.Bottom + 1);
}

}  // namespace

void TLumeViewIconItem::CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                  TLumeRectArrayObject& r, QSize image) {
    const TLumePaintInfoBasic& paint = item->Paint();
    r.BoundsRect = item->DisplayRect;
    r.BoundsRect.Left += 1;
    const LumeRect& b = r.BoundsRect;
    const int left = b.Left + (b.Width() - image.width()) / 2;
    r.IconRect = {left, b.Top + 2, left + image.width(), b.Top + 2 + image.height() + 4};
    r.CheckRect = CheckBelow(paint, b, r.IconRect);
    r.LabelRect = {r.CheckRect.Right, r.IconRect.Bottom + 1, b.Right, b.Bottom};
    r.TextRect = r.FullTextRect = Grow(r.LabelRect, -2);
    if (canvas) {
        PrepareTextFont(item, canvas, item->Selected());
        const QString caption = item->Captions(ColumnIndex(column));
        const uint32_t flags = wtfCalcRect | wtfCalcClampWidth | wtfCenter | VAlignFlag(TextVAlignment(item, column));
        DrawWideTextInRect(canvas, caption, r.FullTextRect, flags, -1);
        DrawWideTextInRect(canvas, caption, r.TextRect, flags, 2);
    }
    r.SelectionRect = Grow(r.TextRect, 2);
    r.FullFocusSelRect = Grow(r.FullTextRect, 2);
    r.ClickSelectBoundsRect = r.DragSelectBoundsRect = r.IconRect.United(r.TextRect);
    r.FocusChangeInvalidRect = r.IconRect.United(r.FullFocusSelRect);
    r.EditRect = r.FullTextRect;
}

LumeRect TLumeViewIconItem::IconHitRect(TLumeItem*, const TLumeRectArrayObject& r) {
    return {r.BoundsRect.Left + 2, r.IconRect.Top, r.BoundsRect.Right - 2, r.IconRect.Bottom + 4};
}

int TLumeViewIconItem::PaintTextLines(TLumeItem* item, TLumeColumn*) {
    return item->Focused() && OwnerListview->Focused() ? -1 : 2;
}

LumeRect TLumeViewSmallIconItem::CellRect(TLumeItem* item, TLumeColumn*) { return item->DisplayRect; }

TAlignment TLumeViewSmallIconItem::TextAlignment(TLumeItem*, TLumeColumn* column) {
    return column ? column->Alignment() : TAlignment::taLeftJustify;
}

TLumeVAlignment TLumeViewSmallIconItem::TextVAlignment(TLumeItem*, TLumeColumn* column) {
    return column ? column->ColumnPaint().VAlignment : TLumeVAlignment::evaCenter;
}

void TLumeViewSmallIconItem::CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                       TLumeRectArrayObject& r, QSize image) {
    const TLumePaintInfoBasic& paint = item->Paint();
    TLumeHeader& header = *OwnerListview->Header;
    TLumeColumn* cellColumn = column;
    if (!cellColumn && !header.ColumnsByPosition.empty()) cellColumn = header.ColumnsByPosition.front();
    r.BoundsRect = CellRect(item, cellColumn);
    const LumeRect& b = r.BoundsRect;
    const int index = ColumnIndex(column);

    if (index == 0 && paint.CheckType != TLumeCheckType::ectNone) {
        const LumeRect g = CheckBoundManager().Bound(paint.CheckSize);
        r.CheckRect = g.Offset(b.Left + paint.CheckIndent, b.Top + (b.Height() - g.Height()) / 2);
    } else {
        r.CheckRect = {b.Left, b.Top, b.Left, b.Bottom};
    }
    if (item->ImageIndexes(index) < 0) {
        r.IconRect = {r.CheckRect.Right, r.CheckRect.Top, r.CheckRect.Right, r.CheckRect.Bottom};
    } else {
        const int left = r.CheckRect.Right + paint.ImageIndent;
        const int top = b.Top + (b.Height() - image.height()) / 2;
        r.IconRect = {left, top, left + image.width(), top + image.height()};
    }
    if (b.Right - 1 > r.IconRect.Right + paint.CaptionIndent + 4)
        r.LabelRect = {r.IconRect.Right + paint.CaptionIndent + 2, b.Top, b.Right - 4, b.Bottom};
    QSize text;
    if (canvas) {
        PrepareTextFont(item, canvas, item->Selected());
        const QString caption = item->Captions(index);
        text = caption.isEmpty() ? QSize(0, 0) : canvas->TextExtent(caption);
    }
    r.TextRect = CenterRectInRect(Grow(r.LabelRect, -2), {0, 0, text.width(), text.height()});
    switch (TextAlignment(item, column)) {
    case TAlignment::taLeftJustify: r.TextRect = r.TextRect.Offset(r.LabelRect.Left + 2 - r.TextRect.Left, 0); break;
    case TAlignment::taRightJustify:
        r.TextRect = r.TextRect.Offset(r.LabelRect.Right - 2 - r.TextRect.Right, 0);
        break;
    case TAlignment::taCenter: break;
    }
    r.FullTextRect = r.TextRect;
    r.SelectionRect = r.FullFocusSelRect = Grow(r.TextRect, 2);
    r.ClickSelectBoundsRect = r.IconRect.United(r.SelectionRect);
    const int trim = RoundEven(r.ClickSelectBoundsRect.Width() * 0.15);
    r.DragSelectBoundsRect = r.ClickSelectBoundsRect;
    r.DragSelectBoundsRect.Left += trim;
    r.DragSelectBoundsRect.Right -= trim;
    r.FocusChangeInvalidRect = r.IconRect.United(r.FullTextRect);
    r.EditRect = r.FullTextRect;
}

LumeRect TLumeViewSmallIconItem::TextHitRect(TLumeItem*, const TLumeRectArrayObject& r) {
    LumeRect hit = r.IconRect.United(r.TextRect);
    hit.Top = r.BoundsRect.Top;
    hit.Bottom = r.BoundsRect.Bottom;
    return hit;
}

LumeRect TLumeViewReportItem::CellRect(TLumeItem* item, TLumeColumn* column) {
    LumeRect cell = item->DisplayRect;
    if (!column) return cell;
    cell.Left = column->DisplayRect.Left;
    cell.Right = column->DisplayRect.Right;
    TLumeGroup* group = item->OwnerGroup();
    if (column->Position() == 0 && group) cell.Left = group->MarginLeftSize();
    if (column->Position() + 1 == OwnerListview->Header->Columns->Count() && group)
        cell.Right -= group->MarginRightSize();
    return cell;
}

LumeRect TLumeViewReportItem::TextHitRect(TLumeItem* item, const TLumeRectArrayObject& r) {
    LumeRect hit = TLumeViewSmallIconItem::TextHitRect(item, r);
    if (FullRowSelect()) {
        hit.Left = item->OwnerGroup() ? item->OwnerGroup()->MarginLeftSize() : 0;
        hit.Right = item->DisplayRect.Right;
    }
    return hit;
}

bool TLumeViewReportItem::FullRowSelect() { return OwnerListview->Selection()->FullRowSelect; }

TLumeColumn* TLumeViewReportItem::HitColumn() { return OwnerListview->Header->FirstColumn(); }

TLumeImageList* TLumeViewThumbnailItem::ImageList(TLumeColumn* column, TLumeItem* item) {
    TLumeImageList* list = TLumeViewItem::ImageList(column, item);
    return list ? list : item->GetColumnImageList(ColumnIndex(column), 1);
}

int TLumeViewThumbnailItem::PaintTextLines(TLumeItem* item, TLumeColumn*) {
    return item->Focused() && OwnerListview->Focused() ? -1 : 2;
}

void TLumeViewThumbnailItem::CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                       TLumeRectArrayObject& r, QSize) {
    const TLumePaintInfoBasic& paint = item->Paint();
    r.BoundsRect = Grow(item->DisplayRect, -paint.Border);
    int fontHeight = 0;
    if (canvas) {
        canvas->Font = OwnerListview->Font;
        fontHeight = canvas->TextMetrics().Height;
    }
    r.IconRect = r.BoundsRect;
    r.IconRect.Bottom -= 2 * fontHeight;
    r.CheckRect = CheckBelow(paint, r.BoundsRect, r.IconRect);
    r.LabelRect = {r.CheckRect.Right + paint.CaptionIndent, r.IconRect.Bottom + 1, r.BoundsRect.Right,
                   r.BoundsRect.Bottom};
    r.TextRect = r.FullTextRect = Grow(r.LabelRect, -2);
    if (canvas) {
        PrepareTextFont(item, canvas, item->Selected());
        const QString caption = item->Captions(ColumnIndex(column));
        const uint32_t flags = wtfCalcRect | wtfCalcClampWidth | AlignFlag(TextAlignment(item, column)) |
                               VAlignFlag(TextVAlignment(item, column));
        DrawWideTextInRect(canvas, caption, r.FullTextRect, flags, -1);
        DrawWideTextInRect(canvas, caption, r.TextRect, flags, 2);
    }
    r.SelectionRect = Grow(r.TextRect, 2);
    r.FullFocusSelRect = Grow(r.FullTextRect, 2);
    r.FocusChangeInvalidRect = r.IconRect.United(r.FullFocusSelRect);
    r.EditRect = r.FullTextRect;
}

bool TLumeViewThumbnailItem::HitTestRect(TLumeItem* item, const LumeRect& rect, bool dragSelect) {
    if (!dragSelect) return TLumeViewItem::HitTestRect(item, rect, dragSelect);
    if (!item->Enabled()) return false;
    TLumeRectArrayObject r;
    CalculateRects(item, nullptr, OwnerListview->MeasureCanvas(), r);
    const LumeRect icon = IconHitRect(item, r);
    const int d = RoundEven(icon.Width() * 0.1);
    return rect.Meets(Grow(icon, -d));
}

bool TLumeViewThumbnailItem::HitTestPoint(TLumeItem* item, LumePoint point, bool dragSelect) {
    if (!dragSelect) return TLumeViewItem::HitTestPoint(item, point, dragSelect);
    return HitTestRect(item, {point.X, point.Y, point.X + 1, point.Y + 1}, true);
}

void TLumeViewThumbnailItem::PaintAfter(TLumeItem* item, TLumeColumn*, TLumeCanvas* canvas,
                                        const TLumeRectArrayObject& r) {
    TCustomLumeListview* lv = OwnerListview;
    canvas->BrushStyle = LumeBrushStyle::Clear;
    if (item->Selected() || item->DropTarget()) {
        canvas->PenColor = lv->Focused() || item->DropTarget() ? lv->Selection()->Color : lv->Selection()->InactiveColor;
        for (int i = 0; i < 3; ++i) canvas->Rectangle(Grow(r.IconRect, -i));
    } else {
        canvas->PenColor = item->Paint().BorderColor;
        canvas->Rectangle(r.IconRect);
    }
}

TLumeImageList* TLumeViewTileItem::ImageList(TLumeColumn* column, TLumeItem* item) {
    TLumeImageList* list = TLumeViewItem::ImageList(column, item);
    return list ? list : item->GetColumnImageList(ColumnIndex(column), 1);
}

LumeRect TLumeViewTileItem::TextHitRect(TLumeItem*, const TLumeRectArrayObject& r) {
    LumeRect hit = r.IconRect.United(r.TextRect);
    hit.Top = r.BoundsRect.Top - 2;
    hit.Bottom = r.BoundsRect.Bottom + 2;
    return hit;
}

void TLumeViewTileItem::CalcRects(TLumeItem* item, TLumeColumn*, TLumeCanvas* canvas, TLumeRectArrayObject& r,
                                  QSize image) {
    TCustomLumeListview* lv = OwnerListview;
    const TLumePaintInfoBasic& paint = item->Paint();
    r.BoundsRect = Grow(item->DisplayRect, -paint.Border);
    const LumeRect& b = r.BoundsRect;
    if (paint.CheckType != TLumeCheckType::ectNone) {
        const LumeRect g = CheckBoundManager().Bound(paint.CheckSize);
        r.CheckRect = g.Offset(b.Left + paint.CheckIndent, b.Top + (b.Height() - g.Height()) / 2);
    } else {
        r.CheckRect = {b.Left, b.Top, b.Left, b.Bottom};
    }
    const int iconLeft = r.CheckRect.Right + paint.ImageIndent;
    r.IconRect = {iconLeft, b.Top, iconLeft + image.width() + 4, b.Bottom};
    r.LabelRect = {r.IconRect.Right + paint.CaptionIndent + 2, b.Top, b.Right - 2, b.Bottom};
    r.TextRect = Grow(r.LabelRect, -2);

    int lines = item->DetailCount();
    lv->DoItemGetTileDetailCount(item, lines);
    std::vector<LumeRect> entries(std::max(0, lines));
    if (!entries.empty() && canvas) {
        PrepareTextFont(item, canvas, item->Selected());
        const uint32_t flags = wtfTop | wtfCalcRect | wtfCalcClampWidth | wtfEndEllipsis;
        auto captionOf = [&](int line) {
            int column = line == 0 ? 0 : item->Details(line);
            lv->DoItemGetTileDetail(item, line, column);
            return item->Captions(std::max(0, column));
        };
        QString first = captionOf(0);
        if (first.isEmpty()) first = QStringLiteral(" ");
        entries[0] = r.LabelRect;
        DrawWideTextInRect(canvas, first, entries[0], flags, PaintTextLines(item, nullptr));
        if (entries[0].Bottom > r.LabelRect.Bottom) {
            entries[0] = {};
        } else {
            for (size_t i = 1; i < entries.size() && entries[i - 1].Bottom < r.LabelRect.Bottom; ++i) {
                LumeRect line = r.LabelRect;
                line.Top = entries[i - 1].Bottom;
                DrawWideTextInRect(canvas, captionOf(int(i)), line, flags | wtfSingleLine, 1);
                if (line.Bottom > r.LabelRect.Bottom) break;
                entries[i] = line;
            }
        }
    }
    size_t kept = 0;
    while (kept < entries.size() && !entries[kept].IsZero() && !entries[kept].IsEmpty()) ++kept;
    entries.resize(kept);
    if (!entries.empty()) {
        r.TextRect = entries[0];
        for (const LumeRect& e : entries) r.TextRect = r.TextRect.United(e);
    }
    int shift = 0;
    switch (paint.VAlignment) {
    case TLumeVAlignment::evaCenter: shift = (r.LabelRect.Height() - r.TextRect.Height()) / 2; break;
    case TLumeVAlignment::evaBottom: shift = r.LabelRect.Height() - r.TextRect.Height(); break;
    case TLumeVAlignment::evaTop: break;
    }
    r.TextRect = r.TextRect.Offset(0, shift);
    for (LumeRect& e : entries) e = e.Offset(0, shift);
    r.TextRects = std::move(entries);
    r.FullTextRect = r.TextRect;
    r.SelectionRect = r.FullFocusSelRect = Grow(r.TextRect, 2);
    r.ClickSelectBoundsRect = {r.IconRect.Left, r.IconRect.Top, r.TextRect.Right, r.IconRect.Bottom};
    r.DragSelectBoundsRect = r.TextRect;
    r.DragSelectBoundsRect.Right -= RoundEven(r.TextRect.Width() * 0.2);
    r.FocusChangeInvalidRect = r.IconRect.United(r.FullTextRect);
    r.EditRect = r.FullTextRect;
}

void TLumeViewTileItem::PaintText(TLumeItem* item, TLumeColumn*, const QString&, TLumeCanvas* canvas,
                                  const TLumeRectArrayObject& r, int) {
    if (r.TextRects.empty()) return;
    TCustomLumeListview* lv = OwnerListview;
    const uint32_t flags = wtfEndEllipsis | wtfTop | wtfLeft;
    for (size_t i = 0; i < r.TextRects.size(); ++i) {
        PrepareTextFont(item, canvas, item->Selected());
        int column = i == 0 ? 0 : item->Details(int(i));
        lv->DoItemGetTileDetail(item, int(i), column);
        LumeRect line = r.TextRects[i];
        DrawWideTextInRect(canvas, item->Captions(std::max(0, column)), line, i == 0 ? flags : flags | wtfSingleLine,
                           i == 0 ? PaintTextLines(item, nullptr) : 1);
    }
}

}  // namespace lume
