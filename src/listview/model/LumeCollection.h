// The common base of items, groups and columns (state set, change protocol,
// cell rectangle) and the owning collection that holds them.
#pragma once

#include "listview/paint/LumePaintInfo.h"
#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <QIODevice>
#include <memory>
#include <vector>

namespace lume {

class TLumeCollection;
class TLumeImageList;

class TLumeCollectionItem : public TLumePersistent {
public:
    explicit TLumeCollectionItem(TLumeCollection* collection);
    ~TLumeCollectionItem() override;

    // The destruction steps that fire events; the owning collection runs
    // them before deleting the object. Kinds run their part, then this one.
    virtual void BeforeDestroy();

    TLumeCollection* Collection;
    void* Data = nullptr;
    LumeRect DisplayRect;
    std::unique_ptr<TLumePaintInfoBasic> PaintInfo;
    uint16_t State = kNewObjectState;
    int VisibleIndex = -1;

    TCustomLumeListview* OwnerListview() const;
    bool Has(uint16_t bit) const { return (State & bit) != 0; }
    // For the bits their owners set and clear directly (Clicking, DropMark, Destroying).
    void SetStateBit(uint16_t bit, bool on) { State = on ? (State | bit) : (State & ~bit); }

    // Properties that go through the change protocol.
    bool Bold() const { return Has(ecisBold); }
    bool Checked() const { return Has(ecisChecked); }
    bool Enabled() const { return Has(ecisEnabled); }
    bool Focused() const { return Has(ecisFocused); }
    bool HotTracking() const { return Has(ecisHotTracking); }
    bool Selected() const { return Has(ecisSelected); }
    bool Visible() const { return Has(ecisVisible); }
    void SetBold(bool value) { ChangeState(ecisBold, value, {}); }
    void SetChecked(bool value) { ChangeState(ecisChecked, value, {}); }
    void SetEnabled(bool value) { ChangeState(ecisEnabled, value, {}); }
    void SetFocused(bool value) { ChangeState(ecisFocused, value, {}); }
    void SetHotTracking(bool value, LumePoint mousePos = {}) { ChangeState(ecisHotTracking, value, mousePos); }
    void SetSelected(bool value) { ChangeState(ecisSelected, value, {}); }
    void SetVisible(bool value) { ChangeState(ecisVisible, value, {}); }

    // Simple setters.
    bool Cut() const { return Has(ecisCut); }
    bool CheckPending() const { return Has(ecisCheckPending); }
    bool CheckHot() const { return Has(ecisCheckHot); }
    bool Initialized() const { return Has(ecisInitialized); }
    bool DropTarget() const { return Has(ecisDropTarget); }
    bool Clicking() const { return Has(ecisClicking); }
    bool DropMark() const { return Has(ecisDropMark); }
    bool Destroying() const { return Has(ecisDestroying); }
    void SetCut(bool value) { SetAndInvalidate(ecisCut, value); }
    void SetCheckPending(bool value) { SetAndInvalidate(ecisCheckPending, value); }
    void SetCheckHot(bool value) { SetAndInvalidate(ecisCheckHot, value); }
    void SetInitialized(bool value);
    void SetDropTarget(bool value);

    // The paint settings in force: the own override, else the control's default of the kind.
    const TLumePaintInfoBasic& Paint() { return PaintInfo ? *PaintInfo : *GetDefaultPaintInfo(); }

    QString Caption() { return GetCaption(); }
    void SetCaption(const QString& value) { SetCaptionValue(value); }
    int ImageIndex() { return GetImageIndex(); }
    void SetImageIndex(int value) { SetImageIndexValue(value); }
    int ImageOverlayIndex() { return GetImageOverlayIndex(); }
    void SetImageOverlayIndex(int value) { SetImageOverlayIndexValue(value); }
    int Index() { return GetIndex(); }

    virtual void SetData(void* value) { Data = value; }
    virtual bool CanChangeBold(bool newValue) = 0;
    virtual bool CanChangeCheck(bool newValue) = 0;
    virtual bool CanChangeEnable(bool newValue) = 0;
    virtual bool CanChangeFocus(bool newValue) = 0;
    virtual bool CanChangeHotTracking(bool newValue) = 0;
    virtual bool CanChangeSelection(bool newValue) = 0;
    virtual bool CanChangeVisibility(bool newValue) = 0;
    virtual TLumeImageList* GetImageList(int sizeKind);
    virtual QString GetDisplayName();
    virtual TLumePaintInfoBasic* GetDefaultPaintInfo() = 0;
    virtual void Freeing() = 0;
    virtual void GainBold() = 0;
    virtual void GainCheck() = 0;
    virtual void GainEnable() = 0;
    virtual void GainFocus() = 0;
    virtual void GainDropTarget() = 0;
    virtual void GainHotTracking(LumePoint mousePos) = 0;
    virtual void GainSelection() = 0;
    virtual void GainVisibility() = 0;
    virtual QString GetCaption() { return GetColumnCaption(0); }
    virtual QString GetColumnCaption(int column) = 0;
    virtual int GetImageIndex() { return GetColumnImageIndex(0); }
    virtual int GetColumnImageIndex(int column) = 0;
    virtual int GetImageOverlayIndex() { return GetColumnImageOverlayIndex(0); }
    virtual int GetColumnImageOverlayIndex(int column) = 0;
    virtual TLumeImageList* GetColumnImageList(int column, int sizeKind) = 0;
    virtual int GetIndex();
    virtual int GetDetailCount() = 0;
    virtual int GetDetail(int line) = 0;
    virtual void LoseBold() = 0;
    virtual void LoseHotTracking() = 0;
    virtual void Initialize() = 0;
    virtual void LoseCheck() = 0;
    virtual void LoseEnable() = 0;
    virtual void LoseFocus() = 0;
    virtual void LoseDropTarget() = 0;
    virtual void LoseSelection() = 0;
    virtual void LoseVisibility() = 0;
    virtual void SetColumnCaption(int column, const QString& value) = 0;
    virtual void SetCaptionValue(const QString& value) { SetColumnCaption(0, value); }
    virtual void SetDetailCount(int value) = 0;
    virtual void SetDetail(int line, int value) = 0;
    virtual void SetImageIndexValue(int value) { SetColumnImageIndex(0, value); }
    virtual void SetColumnImageIndex(int column, int value) = 0;
    virtual void SetImageOverlayIndexValue(int value) { SetColumnImageOverlayIndex(0, value); }
    virtual void SetColumnImageOverlayIndex(int column, int value) = 0;
    virtual bool EditAreaHitPt(LumePoint viewPoint) = 0;
    virtual bool SelectionHit(const LumeRect& viewRect, bool dragSelect) = 0;
    virtual bool SelectionHitPt(LumePoint viewPoint, bool dragSelect) = 0;
    virtual void Invalidate(bool immediate) = 0;
    virtual void ReadFromStream(QIODevice& stream, int version);
    virtual void MakeVisible(int /*position*/) {}
    virtual void WriteToStream(QIODevice& stream, int version);

protected:
    void ChangeState(uint16_t bit, bool value, LumePoint mousePos);
    void SetAndInvalidate(uint16_t bit, bool value);

private:
    bool CanChange(uint16_t bit, bool value);
    void Gain(uint16_t bit, LumePoint mousePos);
    void Lose(uint16_t bit);
};

class TLumeCollection : public TLumeOwnedPersistent {
public:
    explicit TLumeCollection(TCustomLumeListview* owner) : TLumeOwnedPersistent(owner) {}
    ~TLumeCollection() override;

    std::vector<TLumeCollectionItem*> List;
    int StreamTag = 0;

    // The class that Add instantiates.
    virtual TLumeCollectionItem* CreateItem() = 0;
    // The least number of bytes one record of this kind takes in the stream.
    virtual int MinRecordSize() const = 0;

    TLumeCollectionItem* Add(void* data = nullptr);
    virtual void DoItemAdd(TLumeCollectionItem* /*item*/, int /*index*/) {}
    virtual void DoStructureChange() {}
    virtual void BeginUpdate(bool reIndex);
    virtual void EndUpdate(bool invalidate);
    virtual void Clear(bool freeItems = true);
    virtual void ReadItems(QIODevice& stream);
    virtual void WriteItems(QIODevice& stream);

    int Count() const { return int(List.size()); }
    // Both check the index: "List index out of bounds (%d)".
    TLumeCollectionItem* Item(int index) const;
    void SetItem(int index, TLumeCollectionItem* item);
    bool IsEmpty() const { return List.empty(); }
};

}  // namespace lume
