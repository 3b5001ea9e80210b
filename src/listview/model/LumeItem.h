// List items, the items of one group, and the control's flat view of all items.
#pragma once

#include "listview/model/LumeCollection.h"
#include "listview/model/LumeDataHelper.h"
#include "listview/model/LumeStored.h"
#include "listview/paint/LumeViews.h"

namespace lume {

class TLumeGroup;
class TLumeSelectionGroupList;
class TLumeItems;

class TLumeItem : public TLumeCollectionItem {
public:
    explicit TLumeItem(TLumeCollection* collection) : TLumeCollectionItem(collection) {}
    void BeforeDestroy() override;

    int IndexField = 0;
    TLumeSelectionGroupList* SelectionGroup = nullptr;
    // Where the selection keeps it while it is selected, else -1.
    int SelectedSlot = -1;
    int VisibleIndexInGroup = -1;

    TLumeItems* OwnerItems() const;
    TLumeGroup* OwnerGroup() const;
    TLumeViewItem* ItemView() const;

    QString Captions(int column) { return GetColumnCaption(column); }
    void SetCaptions(int column, const QString& value) { SetColumnCaption(column, value); }
    int ImageIndexes(int column) { return GetColumnImageIndex(column); }
    void SetImageIndexes(int column, int value) { SetColumnImageIndex(column, value); }
    int ImageOverlayIndexes(int column) { return GetColumnImageOverlayIndex(column); }
    void SetImageOverlayIndexes(int column, int value) { SetColumnImageOverlayIndex(column, value); }
    int Details(int line) { return GetDetail(line); }
    int DetailCount() { return GetDetailCount(); }
    int GroupKey(int column) { return GetGroupKey(column); }

    // Grid position within the group; -1 for an invisible item or an empty grid.
    int ColumnPos() const;
    int RowPos() const;
    bool HitTestAt(LumePoint viewPoint, TLumeItemHitTestInfos& hitInfo);
    void ItemRectArray(TLumeColumn* column, TLumeCanvas* canvas, TLumeRectArrayObject& rects);
    // Leaves the run of selected rows it belongs to.
    void LeaveSelectionGroup();

    bool CanChangeBold(bool) override { return true; }
    bool CanChangeCheck(bool newValue) override;
    bool CanChangeEnable(bool newValue) override;
    bool CanChangeFocus(bool newValue) override;
    bool CanChangeHotTracking(bool) override { return true; }
    bool CanChangeSelection(bool newValue) override;
    bool CanChangeVisibility(bool newValue) override;
    TLumePaintInfoBasic* GetDefaultPaintInfo() override;
    void Freeing() override;
    void GainBold() override { Invalidate(false); }
    void GainCheck() override;
    void GainEnable() override;
    void GainFocus() override;
    void GainDropTarget() override { Invalidate(true); }
    void GainHotTracking(LumePoint mousePos) override;
    void GainSelection() override;
    void GainVisibility() override;
    QString GetColumnCaption(int column) override;
    int GetColumnImageIndex(int column) override;
    int GetColumnImageOverlayIndex(int column) override;
    TLumeImageList* GetColumnImageList(int column, int sizeKind) override;
    int GetIndex() override { return IndexField; }
    int GetDetailCount() override;
    int GetDetail(int line) override;
    void LoseBold() override { Invalidate(false); }
    void LoseHotTracking() override;
    void Initialize() override;
    void LoseCheck() override;
    void LoseEnable() override;
    void LoseFocus() override;
    void LoseDropTarget() override { Invalidate(true); }
    void LoseSelection() override;
    void LoseVisibility() override;
    void SetColumnCaption(int column, const QString& value) override;
    void SetDetailCount(int value) override;
    void SetDetail(int line, int value) override;
    void SetColumnImageIndex(int column, int value) override;
    void SetColumnImageOverlayIndex(int column, int value) override;
    bool EditAreaHitPt(LumePoint viewPoint) override;
    bool SelectionHit(const LumeRect& viewRect, bool dragSelect) override;
    bool SelectionHitPt(LumePoint viewPoint, bool dragSelect) override;
    void Invalidate(bool immediate) override;
    void ReadFromStream(QIODevice& stream, int version) override;
    void WriteToStream(QIODevice& stream, int version) override;
    void MakeVisible(int position) override;

    virtual int GetGroupKey(int column);
    virtual void SetGroupKey(int column, int key);
};

class TLumeItemStored : public TLumeStored<TLumeItem, TLumeItemDynamicDataHelper> {
public:
    using TLumeStored::TLumeStored;
    TLumeImageList* GetColumnImageList(int, int sizeKind) override { return GetImageList(sizeKind); }
    int GetDetailCount() override;
    void SetDetailCount(int value) override;
    int GetGroupKey(int column) override { return data_.GroupKey(column); }
    void SetGroupKey(int column, int key) override { data_.SetGroupKey(column, key); }

protected:
    int ColumnSlots() const override;
};

class TLumeItems : public TLumeCollection {
public:
    TLumeItems(TCustomLumeListview* owner, TLumeGroup* group) : TLumeCollection(owner), OwnerGroup(group) {}
    ~TLumeItems() override;
    TLumeGroup* OwnerGroup;
    TLumeCollectionItem* CreateItem() override { return new TLumeItemStored(this); }
    int MinRecordSize() const override { return 2 + 5 * 4; }
    void DoItemAdd(TLumeCollectionItem* item, int index) override;
    void DoStructureChange() override;
    TLumeItem* operator[](int index) const { return static_cast<TLumeItem*>(Item(index)); }
    // Unchecked access for the layout's inner loops.
    TLumeItem* At(int index) const { return static_cast<TLumeItem*>(List[index]); }
};

// All items of all groups as one list; keeps nothing of its own.
class TLumeGlobalItems {
public:
    explicit TLumeGlobalItems(TCustomLumeListview* owner) : Owner(owner) {}
    TCustomLumeListview* Owner;
    TLumeItem* Add(void* data = nullptr);
    void Clear();
    int Count() const;
    TLumeItem* operator[](int index) const;
};

}  // namespace lume
