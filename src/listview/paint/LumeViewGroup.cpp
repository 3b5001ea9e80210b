// The group painter: header and footer margins with caption, expand
// button, check box, image and band; the bands of the side margins.
#include "listview/paint/LumeViews.h"

#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeColors.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/LumeListview.h"
#include "listview/paint/LumeText.h"

#include <cmath>

namespace lume {

LumeRect TLumeViewGroup::PassRect(TLumeGroup* group, int pass) {
    switch (pass) {
    case egpTop: return group->HeaderBand();
    case egpBottom: return group->FooterBand();
    case egpLeft: return group->LeftMarginRect();
    case egpRight: return group->RightMarginRect();
    default: return group->DisplayRect;
    }
}

void TLumeViewGroup::ExpandButtonSize(TLumeGroup*, int& width, int& height) {
    const QImage& expand = OwnerListview->ExpandBitmap(true);
    const QImage& collapse = OwnerListview->ExpandBitmap(false);
    if (expand.isNull() || collapse.isNull()) {
        width = height = 0;
        return;
    }
    width = std::max(expand.width(), collapse.width());
    height = std::max(expand.height(), collapse.height());
}

void TLumeViewGroup::ImageSize(TLumeGroup* group, int& width, int& height) {
    TCustomLumeListview* lv = OwnerListview;
    width = height = 0;
    bool custom = false;
    lv->DoGroupImageDrawIsCustom(group, custom);
    if (custom) {
        lv->DoGroupImageGetSize(group, width, height);
        return;
    }
    TLumeImageList* list = group->GetColumnImageList(0, 0);
    if (list && group->ImageIndex() >= 0) {
        width = list->Width();
        height = list->Height();
    }
}

namespace {

LumeRect MarginBand(const TLumePaintInfoBaseGroup& paint, const LumeRect& r) {
    const int right = paint.BandFullWidth ? r.Right : r.Left + paint.BandLength;
    return LumeRect{r.Left, r.Bottom - paint.BandMargin - paint.BandThickness, right, r.Bottom - paint.BandMargin}
        .Offset(paint.BandIndent, 0);
}

}  // namespace

void TLumeViewGroup::CalculateRects(TLumeGroup* group, int pass, TLumeCanvas* canvas, TLumeRectArrayObject& r) {
    if (!group->Initialized()) group->SetInitialized(true);
    r = {};
    const LumeRect pr = PassRect(group, pass);
    r.PassRect = pr;
    r.GroupClientRect = group->ClientRect();
    const TLumePaintInfoBaseGroup& paint = group->GroupPaint();
    if (pass == egpTop || pass == egpBottom) {
        int bw = 0, bh = 0;
        ExpandButtonSize(group, bw, bh);
        if (pass == egpTop && paint.Expandable)
            r.ExpandButtonRect = {pr.Left + paint.ExpandImageIndent, pr.Top, pr.Left + paint.ExpandImageIndent + bw,
                                  pr.Bottom};
        else
            r.ExpandButtonRect = {pr.Left, pr.Top, pr.Left, pr.Bottom};
        if (pass == egpTop && paint.CheckType != TLumeCheckType::ectNone) {
            const LumeRect g = CheckBoundManager().Bound(paint.CheckSize);
            r.CheckRect = g.Offset(r.ExpandButtonRect.Right + paint.CheckIndent, pr.Top + (pr.Height() - g.Height()) / 2);
        } else {
            r.CheckRect = {r.ExpandButtonRect.Right, pr.Top, r.ExpandButtonRect.Right, pr.Bottom};
        }
        if (group->ImageIndex() < 0) {
            r.IconRect = {r.CheckRect.Right, r.CheckRect.Top, r.CheckRect.Right, r.CheckRect.Bottom};
        } else {
            int iw = 0, ih = 0;
            ImageSize(group, iw, ih);
            const int left = r.CheckRect.Right + paint.ImageIndent;
            r.IconRect = {left, pr.Top, left + iw, pr.Bottom};
        }
        r.LabelRect = {r.IconRect.Right + paint.CaptionIndent, r.ExpandButtonRect.Top, pr.Right,
                       r.ExpandButtonRect.Bottom};
        QSize text;
        if (canvas) {
            PrepareTextFont(group, canvas);
            const QString caption = group->Caption();
            text = caption.isEmpty() ? QSize() : canvas->TextExtent(caption);
        }
        r.TextRect = {r.LabelRect.Left, r.LabelRect.Top, std::min(r.LabelRect.Left + text.width(), r.LabelRect.Right),
                      std::min(r.LabelRect.Top + text.height(), r.LabelRect.Bottom)};
        if (paint.Alignment == TAlignment::taRightJustify)
            r.TextRect = r.TextRect.Offset(r.LabelRect.Width() - r.TextRect.Width(), 0);
        else if (paint.Alignment == TAlignment::taCenter)
            r.TextRect = r.TextRect.Offset((r.LabelRect.Width() - r.TextRect.Width()) / 2, 0);
        if (paint.VAlignment == TLumeVAlignment::evaBottom)
            r.TextRect = r.TextRect.Offset(0, pr.Height() - r.TextRect.Height() - paint.BandThickness - paint.BandMargin);
        else if (paint.VAlignment == TLumeVAlignment::evaCenter)
            r.TextRect = r.TextRect.Offset(0, (pr.Height() - r.TextRect.Height()) / 2);
        if (paint.BandEnabled) r.BandRect = MarginBand(paint, pr);
    } else if (pass == egpLeft || pass == egpRight) {
        const LumeRect tb = MarginBand(paint, group->HeaderBand());
        const LumeRect bb = MarginBand(paint, group->FooterBand());
        const int inset = (pr.Width() - paint.BandThickness) / 2;
        if (pass == egpLeft)
            r.BandRect = {pr.Left + inset, tb.Top, pr.Right, bb.Bottom - 1};
        else
            r.BandRect = {pr.Left, tb.Top, pr.Right - inset, bb.Bottom - 1};
    }
}

void TLumeViewGroup::PrepareTextFont(TLumeGroup* group, TLumeCanvas* canvas) {
    TCustomLumeListview* lv = OwnerListview;
    canvas->Font = lv->GroupFont;
    canvas->FontColor = lv->FontColor;
    canvas->BrushStyle = LumeBrushStyle::Clear;
    if (group->Focused() && lv->Focused()) canvas->FontColor = clHighlightText;
    if (group->Bold()) canvas->Font.setBold(true);
    lv->DoGroupPaintText(group, canvas);
}

void TLumeViewGroup::Paint(TLumeGroup* group, int pass, TLumeCanvas* canvas) {
    if (PassRect(group, pass).IsEmpty()) return;
    LumeCanvasSave save(this, canvas);
    TLumeRectArrayObject r;
    CalculateRects(group, pass, canvas, r);
    if (pass == egpTop) PaintCheckBox(group, canvas, r);
    PaintSelection(group, canvas, r);
    PaintFocusRect(group, pass, canvas, r);
    PaintText(group, pass, canvas, r);
    PaintBand(group, pass, canvas, r);
    if (pass == egpTop) PaintExpandButton(group, canvas, r);
    if (pass == egpTop || pass == egpBottom) PaintImage(group, pass, canvas, r);
}

void TLumeViewGroup::PaintCheckBox(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    TCustomLumeListview* lv = OwnerListview;
    const TLumePaintInfoBaseGroup& paint = group->GroupPaint();
    const bool pressedFace = (lv->States & ebcsCheckPending) && lv->CheckManager->PendingObject() == group;
    PaintCheck(paint.CheckType, canvas, r.CheckRect, group->Enabled(), group->Checked(), pressedFace, paint.CheckFlat,
               group->CheckHot() && !group->CheckPending(), group->CheckPending() && !group->CheckHot(),
               paint.CheckSize);
}

void TLumeViewGroup::PaintSelection(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    if (!group->Selected() || r.TextRect.IsEmpty() || group->Caption().isEmpty()) return;
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->BrushColor = clHighlight;
    canvas->FillRect(Inflate(r.TextRect, 2, 2));
}

void TLumeViewGroup::PaintFocusRect(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    if (pass != egpWholeAgain || !group->Focused() || r.PassRect.IsEmpty()) return;
    canvas->BrushColor = OwnerListview->Color;
    canvas->FontColor = clBlack;
    canvas->DrawFocusRect(Inflate(r.PassRect, -4, -4));
}

void TLumeViewGroup::PaintText(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    if (r.TextRect.IsEmpty() || group->Caption().isEmpty()) return;
    if (pass != egpTop && pass != egpBottom) return;
    PrepareTextFont(group, canvas);
    TAlignment align = group->GroupPaint().Alignment;
    TLumeVAlignment valign = group->GroupPaint().VAlignment;
    QString caption = group->Caption();
    if (pass == egpBottom) {
        TCustomLumeFooterMargin* footer = group->GroupPaint().MarginBottom();
        caption = footer->Caption();
        const TLumePaintInfoBaseGroup* own = footer->PaintInfo.get();
        if (!own) own = OwnerListview->PaintInfoGroup()->MarginBottom()->PaintInfo.get();
        if (own) {
            align = own->Alignment;
            valign = own->VAlignment;
        }
    }
    uint32_t flags = wtfSingleLine | wtfEndEllipsis;
    flags |= align == TAlignment::taRightJustify ? wtfRight : align == TAlignment::taCenter ? wtfCenter : wtfLeft;
    flags |= valign == TLumeVAlignment::evaBottom ? wtfBottom : valign == TLumeVAlignment::evaCenter ? wtfVCenter : wtfTop;
    LumeRect text = r.TextRect;
    DrawWideTextInRect(canvas, caption, text, flags, 1);
}

void TLumeViewGroup::PaintBand(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    const TLumePaintInfoBaseGroup& paint = group->GroupPaint();
    if (!paint.BandEnabled || r.BandRect.IsEmpty()) return;
    const LumeRect& band = r.BandRect;
    const LumeRect& pr = r.PassRect;
    const int t = paint.BandThickness;
    const int rad = paint.BandRadius;
    if (pass == egpTop || pass == egpBottom) {
        if (paint.BandBlended && paint.BandLength > 0) {
            const int n = paint.BandFullWidth ? pr.Width() : paint.BandLength;
            if (n == 0) return;
            const TColor c1 = ColorToRGB(paint.BandColor);
            const TColor c2 = ColorToRGB(paint.BandColorFade);
            auto channel = [](TColor c, int shift) { return double((c >> shift) & 0xFF); };
            const int x0 = paint.BandFullWidth ? pr.Left : band.Left;
            for (int k = 0; k <= n; ++k) {
                TColor color = c1;
                if (k >= 1) {
                    color = 0;
                    for (int shift : {0, 8, 16}) {
                        const double step = (channel(c2, shift) - channel(c1, shift)) / n;
                        const int v = int(std::nearbyint(channel(c1, shift) + (k - 1) * step));
                        color |= TColor(std::clamp(v, 0, 255)) << shift;
                    }
                }
                canvas->PenColor = color;
                canvas->Line({x0 + k, band.Top}, {x0 + k, band.Top + t});
            }
        } else {
            canvas->PenColor = paint.BandColor;
            const int from = paint.BandFullWidth ? pr.Left : band.Left;
            const int to = paint.BandFullWidth ? pr.Right : band.Left + paint.BandLength;
            for (int i = 0; i < t; ++i) canvas->Line({from, band.Top + i}, {to, band.Top + i});
        }
        return;
    }
    const int left = band.Left, top = band.Top, right = band.Right, bottom = band.Bottom;
    if (pass == egpLeft) {
        canvas->PenColor = paint.BandColor;
        for (int i = 0; i < t; ++i) {
            canvas->Line({left + rad, top + i}, {right + 1, top + i});
            canvas->Line({left + rad, bottom - i}, {right + 1, bottom - i});
            canvas->Line({left + i, top + rad}, {left + i, bottom - rad + 1});
            canvas->Arc({left + rad, top + rad}, rad - i, 90, 90);
            canvas->Arc({left + rad, bottom - rad}, rad - i, 180, 90);
        }
    } else if (pass == egpRight) {
        canvas->PenColor = paint.BandBlended ? paint.BandColorFade : paint.BandColor;
        for (int i = 0; i < t; ++i) {
            canvas->Line({left, top + i}, {right - rad + 1, top + i});
            canvas->Line({left, bottom - i}, {right - rad + 1, bottom - i});
            canvas->Line({right - i, top + rad}, {right - i, bottom - rad + 1});
            canvas->Arc({right - rad, top + rad}, rad - i, 0, 90);
            canvas->Arc({right - rad, bottom - rad}, rad - i, 270, 90);
        }
    }
}

void TLumeViewGroup::PaintExpandButton(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    TCustomLumeListview* lv = OwnerListview;
    if (lv->DrawWithThemes() && !lv->HasCustomExpandButtons()) {
        canvas->ThemePart(group->Expanded() ? LumeTreeGlyphOpened : LumeTreeGlyphClosed, 1, r.ExpandButtonRect);
        return;
    }
    if (!group->GroupPaint().Expandable) return;
    const QImage& image = lv->ExpandBitmap(!group->Expanded());
    if (image.isNull()) return;
    canvas->DrawImage(r.ExpandButtonRect.Left + (r.ExpandButtonRect.Width() - image.width()) / 2,
                      r.ExpandButtonRect.Top + (r.ExpandButtonRect.Height() - image.height()) / 2, image);
}

void TLumeViewGroup::PaintImage(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& r) {
    TCustomLumeListview* lv = OwnerListview;
    bool custom = false;
    lv->DoGroupImageDrawIsCustom(group, custom);
    if (custom) {
        lv->DoGroupImageDraw(group, canvas, r, &AlphaBlender());
        return;
    }
    TLumeImageList* list = group->GetColumnImageList(0, 0);
    if (!list || group->ImageIndex() < 0) return;
    TCustomLumeFooterMargin* footer = group->GroupPaint().MarginBottom();
    const int index = pass == egpTop ? group->ImageIndex() : footer->ImageIndex;
    const int overlay = pass == egpTop ? group->ImageOverlayIndex() : footer->ImageOverlayIndex;
    if (index < 0) return;
    list->Draw(canvas, r.IconRect.Left + (r.IconRect.Width() - list->Width()) / 2,
               r.IconRect.Top + (r.IconRect.Height() - list->Height()) / 2, index, overlay >= 0 ? overlay + 1 : 0,
               false, 0);
}

}  // namespace lume
