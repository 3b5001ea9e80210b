// The painters' side that the core reads: the record of rectangles every
// painter computes, and the item, group and column painters' operations.
// The painters fill in the rectangles and draw; until one does, the
// rectangles stay empty and nothing is hit.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <QFont>
#include <vector>

namespace lume {

class TLumeCanvas;
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

// Which group area a group painter computes.
enum class TLumeGroupMarginEdge { Top, Bottom, Left, Right, Client, Whole };

class TLumeViewItem : public TLumeOwnedPersistent {
public:
    TLumeViewItem(TCustomLumeListview* owner, TLumeGroup* group) : TLumeOwnedPersistent(owner), OwnerGroup(group) {}
    TLumeGroup* OwnerGroup;

    virtual void CalculateRects(TLumeItem* /*item*/, TLumeColumn* /*column*/, TLumeCanvas* /*canvas*/,
                                TLumeRectArrayObject& rects) { rects = {}; }
    // The font the caption is painted in, as for an unselected item.
    virtual void PrepareTextFont(TLumeItem* /*item*/, QFont& /*font*/, bool /*selectedLook*/) {}
    // Width of the image the item shows in the column; 0 without one.
    virtual int ImageWidth(TLumeItem* /*item*/, TLumeColumn* /*column*/) { return 0; }
    virtual bool PaintFocusedLast() { return false; }
    virtual bool HitTestRect(TLumeItem* /*item*/, const LumeRect& /*rect*/, bool /*dragSelect*/) { return false; }
    virtual bool HitTestPoint(TLumeItem* /*item*/, LumePoint /*point*/, bool /*dragSelect*/) { return false; }
    virtual bool PointOnText(TLumeItem* /*item*/, LumePoint /*point*/) { return false; }
    virtual void Paint(TLumeItem* /*item*/, TLumeColumn* /*column*/, TLumeCanvas* /*canvas*/, const LumeRect& /*clip*/,
                       bool /*forceSelection*/) {}
};

// One class per view style; the painting differs, the core only tells them apart.
#define LUME_VIEW_ITEM_CLASS(Name, Base)                                                    \
    class Name : public Base {                                                              \
    public:                                                                                 \
        using Base::Base;                                                                   \
    };
LUME_VIEW_ITEM_CLASS(TLumeViewIconItem, TLumeViewItem)
LUME_VIEW_ITEM_CLASS(TLumeViewSmallIconItem, TLumeViewItem)
LUME_VIEW_ITEM_CLASS(TLumeViewThumbnailItem, TLumeViewItem)
LUME_VIEW_ITEM_CLASS(TLumeViewTileItem, TLumeViewItem)
LUME_VIEW_ITEM_CLASS(TLumeViewListItem, TLumeViewSmallIconItem)
LUME_VIEW_ITEM_CLASS(TLumeViewReportItem, TLumeViewSmallIconItem)
LUME_VIEW_ITEM_CLASS(TLumeViewGridItem, TLumeViewSmallIconItem)
LUME_VIEW_ITEM_CLASS(TLumeViewFilmStripItem, TLumeViewThumbnailItem)
#undef LUME_VIEW_ITEM_CLASS

class TLumeViewGroup : public TLumeOwnedPersistent {
public:
    TLumeViewGroup(TCustomLumeListview* owner, TLumeGroup* group) : TLumeOwnedPersistent(owner), OwnerGroup(group) {}
    TLumeGroup* OwnerGroup;
    virtual void CalculateRects(TLumeGroup* /*group*/, TLumeGroupMarginEdge /*edge*/, TLumeCanvas* /*canvas*/,
                                TLumeRectArrayObject& rects) { rects = {}; }
    virtual bool SelectionHit(const LumeRect& /*rect*/) { return false; }
    virtual bool SelectionHitPt(LumePoint /*point*/) { return false; }
    virtual void Paint(TLumeGroup* /*group*/, TLumeGroupMarginEdge /*pass*/, TLumeCanvas* /*canvas*/) {}
};

class TLumeViewColumn : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    virtual void CalculateRects(TLumeColumn* /*column*/, TLumeCanvas* /*canvas*/, TLumeRectArrayObject& rects) {
        rects = {};
    }
    virtual void Paint(TLumeColumn* /*column*/, TLumeCanvas* /*canvas*/) {}
};

}  // namespace lume
