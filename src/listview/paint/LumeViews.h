// The painters: the record of rectangles each computes before it paints,
// and the item (per view style), group and column painters.
#pragma once

#include "listview/paint/LumeCanvas.h"
#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <optional>
#include <vector>

namespace lume {

class TLumeCollectionItem;
class TLumeItem;
class TLumeGroup;
class TLumeColumn;

struct TLumeRectArrayObject {
    LumeRect LabelRect, IconRect, TextRect, CheckRect, BoundsRect, ClickSelectBoundsRect, DragSelectBoundsRect,
        FullTextRect, SelectionRect, FullFocusSelRect, FocusChangeInvalidRect, EditRect, SortRect, SpareRect;
    std::vector<LumeRect> TextRects;
    LumeRect ExpandButtonRect, BandRect, GroupClientRect, PassRect;
};

// The group paint passes: the whole group, its four margins, the whole group again.
enum LumeGroupPass { egpWhole = 0, egpTop = 1, egpBottom = 2, egpLeft = 3, egpRight = 4, egpWholeAgain = 5 };

// The base of every painter: it saves and restores the canvas's pen, brush
// and font around a paint and draws check boxes.
class TLumeOwnedPersistentView : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    void SaveCanvas(TLumeCanvas* canvas);
    void RestoreCanvas(TLumeCanvas* canvas);
    void PaintCheck(TLumeCheckType kind, TLumeCanvas* canvas, const LumeRect& rect, bool enabled, bool checked,
                    bool pressedFace, bool flat, bool hot, bool pressed, int fontSize);

private:
    struct Saved {
        QFont font;
        TColor fontColor, brushColor, penColor;
        LumeBrushStyle brushStyle;
    };
    std::optional<Saved> saved_;
};

// Saves the canvas on construction and restores it on every way out.
class LumeCanvasSave {
public:
    LumeCanvasSave(TLumeOwnedPersistentView* view, TLumeCanvas* canvas) : view_(view), canvas_(canvas) {
        view_->SaveCanvas(canvas_);
    }
    ~LumeCanvasSave() { view_->RestoreCanvas(canvas_); }

private:
    TLumeOwnedPersistentView* view_;
    TLumeCanvas* canvas_;
};

class TLumeViewItem : public TLumeOwnedPersistentView {
public:
    TLumeViewItem(TCustomLumeListview* owner, TLumeGroup* group) : TLumeOwnedPersistentView(owner), OwnerGroup(group) {}
    TLumeGroup* OwnerGroup;

    virtual bool PointOnText(TLumeItem* item, LumePoint point);
    virtual LumeRect IconHitRect(TLumeItem* item, const TLumeRectArrayObject& rects);
    virtual LumeRect TextHitRect(TLumeItem* item, const TLumeRectArrayObject& rects);
    virtual bool FullRowSelect() { return false; }
    LumeRect RectByKind(TLumeItem* item, TLumeColumn* column, int kind);
    virtual TLumeImageList* ImageList(TLumeColumn* column, TLumeItem* item);
    // Clears the record and computes the rectangles for the item in the column.
    void CalculateRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects);
    virtual void PrepareTextFont(TLumeItem* item, TLumeCanvas* canvas, bool selectedLook);
    virtual bool PaintFocusedLast() { return false; }
    void Paint(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, const LumeRect& clip, bool forceSelection);
    virtual void PaintAfter(TLumeItem*, TLumeColumn*, TLumeCanvas*, const TLumeRectArrayObject&) {}
    virtual void PaintBefore(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                             const TLumeRectArrayObject& rects);
    virtual void PaintCheckBox(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                               const TLumeRectArrayObject& rects);
    virtual void PaintFocusRect(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                const TLumeRectArrayObject& rects);
    virtual void PaintImage(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                            const TLumeRectArrayObject& rects);
    virtual int ImageSizeKind() { return 0; }
    virtual void PaintSelectionRect(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                    const TLumeRectArrayObject& rects, const LumeRect& clip, bool forceSelection);
    virtual void PaintText(TLumeItem* item, TLumeColumn* column, const QString& caption, TLumeCanvas* canvas,
                           const TLumeRectArrayObject& rects, int lines);
    virtual TAlignment TextAlignment(TLumeItem*, TLumeColumn*) { return TAlignment::taCenter; }
    virtual int PaintTextLines(TLumeItem*, TLumeColumn*) { return 2; }
    virtual TLumeVAlignment TextVAlignment(TLumeItem*, TLumeColumn*) { return TLumeVAlignment::evaTop; }
    int ComparePoint(TLumeItem* item, LumePoint point);
    virtual bool HitTestRect(TLumeItem* item, const LumeRect& rect, bool dragSelect);
    virtual bool HitTestPoint(TLumeItem* item, LumePoint point, bool dragSelect);

    // The width of the image the item shows in the column; 0 without one.
    int ImageWidth(TLumeItem* item, TLumeColumn* column);

protected:
    // The view's own part of CalculateRects, after the record was cleared.
    virtual void CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects,
                           QSize image);
    // The column the hit tests compute rectangles for.
    virtual TLumeColumn* HitColumn() { return nullptr; }
    QSize ImageSize(TLumeItem* item, TLumeColumn* column);
    // The rectangle that full-cell painting uses: the display rectangle, in
    // report view narrowed to the first column.
    LumeRect FullCellRect(TLumeItem* item);
};

class TLumeViewIconItem : public TLumeViewItem {
public:
    using TLumeViewItem::TLumeViewItem;
    LumeRect IconHitRect(TLumeItem* item, const TLumeRectArrayObject& rects) override;
    bool PaintFocusedLast() override { return true; }
    void PaintBefore(TLumeItem*, TLumeColumn*, TLumeCanvas*, const TLumeRectArrayObject&) override {}
    int ImageSizeKind() override { return 1; }
    int PaintTextLines(TLumeItem* item, TLumeColumn* column) override;

protected:
    void CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects,
                   QSize image) override;
};

class TLumeViewSmallIconItem : public TLumeViewItem {
public:
    using TLumeViewItem::TLumeViewItem;
    LumeRect IconHitRect(TLumeItem*, const TLumeRectArrayObject&) override { return {}; }
    LumeRect TextHitRect(TLumeItem* item, const TLumeRectArrayObject& rects) override;
    void PaintBefore(TLumeItem*, TLumeColumn*, TLumeCanvas*, const TLumeRectArrayObject&) override {}
    TAlignment TextAlignment(TLumeItem* item, TLumeColumn* column) override;
    int PaintTextLines(TLumeItem*, TLumeColumn*) override { return 1; }
    TLumeVAlignment TextVAlignment(TLumeItem* item, TLumeColumn* column) override;
    virtual LumeRect CellRect(TLumeItem* item, TLumeColumn* column);

protected:
    void CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects,
                   QSize image) override;
};

class TLumeViewListItem : public TLumeViewSmallIconItem {
public:
    using TLumeViewSmallIconItem::TLumeViewSmallIconItem;
};

class TLumeViewGridItem : public TLumeViewSmallIconItem {
public:
    using TLumeViewSmallIconItem::TLumeViewSmallIconItem;
};

class TLumeViewReportItem : public TLumeViewSmallIconItem {
public:
    using TLumeViewSmallIconItem::TLumeViewSmallIconItem;
    LumeRect TextHitRect(TLumeItem* item, const TLumeRectArrayObject& rects) override;
    bool FullRowSelect() override;
    LumeRect CellRect(TLumeItem* item, TLumeColumn* column) override;

protected:
    TLumeColumn* HitColumn() override;
};

class TLumeViewThumbnailItem : public TLumeViewItem {
public:
    using TLumeViewItem::TLumeViewItem;
    TLumeImageList* ImageList(TLumeColumn* column, TLumeItem* item) override;
    bool PaintFocusedLast() override { return true; }
    void PaintAfter(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                    const TLumeRectArrayObject& rects) override;
    void PaintBefore(TLumeItem*, TLumeColumn*, TLumeCanvas*, const TLumeRectArrayObject&) override {}
    int ImageSizeKind() override { return 2; }
    int PaintTextLines(TLumeItem* item, TLumeColumn* column) override;
    TLumeVAlignment TextVAlignment(TLumeItem*, TLumeColumn*) override { return TLumeVAlignment::evaCenter; }
    bool HitTestRect(TLumeItem* item, const LumeRect& rect, bool dragSelect) override;
    bool HitTestPoint(TLumeItem* item, LumePoint point, bool dragSelect) override;

protected:
    void CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects,
                   QSize image) override;
};

class TLumeViewFilmStripItem : public TLumeViewThumbnailItem {
public:
    using TLumeViewThumbnailItem::TLumeViewThumbnailItem;
};

class TLumeViewTileItem : public TLumeViewItem {
public:
    using TLumeViewItem::TLumeViewItem;
    LumeRect IconHitRect(TLumeItem*, const TLumeRectArrayObject&) override { return {}; }
    LumeRect TextHitRect(TLumeItem* item, const TLumeRectArrayObject& rects) override;
    TLumeImageList* ImageList(TLumeColumn* column, TLumeItem* item) override;
    void PaintBefore(TLumeItem*, TLumeColumn*, TLumeCanvas*, const TLumeRectArrayObject&) override {}
    int ImageSizeKind() override { return 2; }
    void PaintText(TLumeItem* item, TLumeColumn* column, const QString& caption, TLumeCanvas* canvas,
                   const TLumeRectArrayObject& rects, int lines) override;
    TAlignment TextAlignment(TLumeItem*, TLumeColumn*) override { return TAlignment::taLeftJustify; }

protected:
    void CalcRects(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects,
                   QSize image) override;
};

class TLumeViewGroup : public TLumeOwnedPersistentView {
public:
    TLumeViewGroup(TCustomLumeListview* owner, TLumeGroup* group) : TLumeOwnedPersistentView(owner), OwnerGroup(group) {}
    TLumeGroup* OwnerGroup;

    // The rectangle of a paint pass; empty for a margin that is not shown.
    static LumeRect PassRect(TLumeGroup* group, int pass);
    void ExpandButtonSize(TLumeGroup* group, int& width, int& height);
    void ImageSize(TLumeGroup* group, int& width, int& height);
    virtual void CalculateRects(TLumeGroup* group, int pass, TLumeCanvas* canvas, TLumeRectArrayObject& rects);
    virtual void PrepareTextFont(TLumeGroup* group, TLumeCanvas* canvas);
    virtual void Paint(TLumeGroup* group, int pass, TLumeCanvas* canvas);
    virtual void PaintBand(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    virtual bool SelectionHit(const LumeRect&) { return false; }
    virtual bool SelectionHitPt(LumePoint) { return false; }

private:
    void PaintCheckBox(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintExpandButton(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintFocusRect(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintImage(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintSelection(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintText(TLumeGroup* group, int pass, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
};

class TLumeViewColumn : public TLumeOwnedPersistentView {
public:
    using TLumeOwnedPersistentView::TLumeOwnedPersistentView;
    virtual void CalculateRects(TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects);
    virtual void PrepareTextFont(TLumeCanvas* canvas);
    virtual void Paint(TLumeColumn* column, TLumeCanvas* canvas);
    virtual void PaintBackground(TLumeColumn* column, TLumeCanvas* canvas);

private:
    QSize ImageSize(TLumeColumn* column);
    void PaintImage(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintText(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintSortGlyph(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintCheckBox(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects);
    void PaintDropMark(TLumeColumn* column, TLumeCanvas* canvas);
};

}  // namespace lume
