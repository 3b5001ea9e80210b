// A group of items with its grid, painters and margins.
#pragma once

#include "listview/model/LumeItem.h"

namespace lume {

class TLumeGridGroup;
class TLumeGroups;

class TLumeGroup : public TLumeCollectionItem {
public:
    explicit TLumeGroup(TLumeCollection* collection);
    ~TLumeGroup() override;
    void BeforeDestroy() override;

    bool Expanded() const { return expanded_; }
    virtual void SetExpanded(bool value);
    TLumeGridGroup* Grid() const { return grid_.get(); }
    TLumeViewGroup* GroupView() const { return groupView_.get(); }
    TLumeItems* Items() const { return items_.get(); }
    TLumeViewItem* ItemView() const { return itemView_.get(); }
    // Replacing destroys the previous object unless it is the same one.
    void SetGrid(TLumeGridGroup* grid);
    void SetItemView(TLumeViewItem* view);

    // The key regrouping gave the group.
    int Key = 0;
    std::vector<TLumeItem*> VisibleItems;
    int VisibleItemCount() const { return int(VisibleItems.size()); }
    TLumeItem* VisibleItem(int index) const;

    TLumeGroups* OwnerGroups() const;
    TLumeItem* ItemAt(LumePoint viewPoint) const;
    bool HitTestAt(LumePoint viewPoint, TLumeGroupHitTestInfos& hitInfo);
    // Puts an item at Index of the group's items; nothing outside the range.
    void SetItem(int index, TLumeItem* item);

    // Effective paint settings of groups.
    const TLumePaintInfoBaseGroup& GroupPaint();
    int MarginTopSize();
    int MarginBottomSize();
    int MarginLeftSize();
    int MarginRightSize();
    LumeRect HeaderBand();
    LumeRect FooterBand();
    LumeRect LeftMarginRect();
    LumeRect RightMarginRect();
    LumeRect ClientRect();

    bool CanChangeBold(bool) override { return true; }
    bool CanChangeCheck(bool) override { return Enabled(); }
    bool CanChangeEnable(bool) override { return true; }
    bool CanChangeFocus(bool) override { return false; }
    bool CanChangeHotTracking(bool) override { return true; }
    bool CanChangeSelection(bool newValue) override;
    bool CanChangeVisibility(bool newValue) override;
    TLumeImageList* GetImageList(int sizeKind) override;
    TLumePaintInfoBasic* GetDefaultPaintInfo() override;
    void Freeing() override;
    void GainBold() override { Invalidate(false); }
    void GainCheck() override;
    void GainEnable() override;
    void GainFocus() override {}
    void GainDropTarget() override {}
    void GainHotTracking(LumePoint mousePos) override;
    void GainSelection() override;
    void GainVisibility() override;
    QString GetColumnCaption(int column) override;
    int GetColumnImageIndex(int column) override;
    int GetColumnImageOverlayIndex(int column) override;
    TLumeImageList* GetColumnImageList(int column, int sizeKind) override;
    int GetDetailCount() override;
    int GetDetail(int line) override;
    void LoseBold() override { Invalidate(false); }
    void LoseHotTracking() override;
    void Initialize() override;
    void LoseCheck() override;
    void LoseEnable() override;
    void LoseFocus() override {}
    void LoseDropTarget() override {}
    void LoseSelection() override;
    void LoseVisibility() override;
    void SetColumnCaption(int column, const QString& value) override;
    void SetDetailCount(int value) override;
    void SetDetail(int line, int value) override;
    void SetColumnImageIndex(int column, int value) override;
    void SetColumnImageOverlayIndex(int column, int value) override;
    bool EditAreaHitPt(LumePoint) override { return false; }
    bool SelectionHit(const LumeRect& viewRect, bool dragSelect) override;
    bool SelectionHitPt(LumePoint viewPoint, bool dragSelect) override;
    void Invalidate(bool immediate) override;
    void ReadFromStream(QIODevice& stream, int version) override;
    void WriteToStream(QIODevice& stream, int version) override;

private:
    bool expanded_ = true;
    std::unique_ptr<TLumeItems> items_;
    std::unique_ptr<TLumeViewItem> itemView_;
    std::unique_ptr<TLumeViewGroup> groupView_;
    std::unique_ptr<TLumeGridGroup> grid_;
};

class TLumeGroupStored : public TLumeStored<TLumeGroup, TLumeDynamicDataHelper> {
public:
    using TLumeStored::TLumeStored;
    int GetDetailCount() override;
    void SetDetailCount(int value) override;
};

}  // namespace lume
