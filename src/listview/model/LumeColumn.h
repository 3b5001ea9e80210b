// Header columns and their collection.
#pragma once

#include "listview/model/LumeCollection.h"
#include "listview/model/LumeDataHelper.h"
#include "listview/model/LumeStored.h"
#include "listview/paint/LumeViews.h"

namespace lume {

class TLumeColumns;
class TLumeHeader;

class TLumeColumn : public TLumeCollectionItem {
public:
    explicit TLumeColumn(TLumeCollection* collection);
    void BeforeDestroy() override;

    bool AutoSizeOnDblClk = true;
    bool AutoToggleSort = true;
    bool Clickable = true;
    float SpringRemainder = 0.0f;
    uint8_t Reserved = 0;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSpring() const { return autoSpring_; }
    void SetAutoSpring(bool value) { autoSpring_ = value; }
    int Position() const { return position_; }
    void SetPosition(int value);
    // Renumbering by the header layout, without the moving rules.
    void StorePosition(int value) { position_ = value; }
    TLumeSortDirection SortDirection() const { return sortDirection_; }
    void SetSortDirection(TLumeSortDirection value);
    int Width() const { return width_; }
    void SetWidth(int value);

    TLumeColumns* OwnerColumns() const;
    TLumeHeader* OwnerHeader() const;
    TLumeViewColumn* ColumnView() const;
    const TLumePaintInfoBaseColumn& ColumnPaint();
    void AutoSizeToFit();
    bool HitTestAt(LumePoint viewPoint, TLumeColumnHitTestInfos& hitInfo);

    bool CanChangeBold(bool) override { return true; }
    bool CanChangeCheck(bool newValue) override;
    bool CanChangeEnable(bool newValue) override;
    bool CanChangeFocus(bool newValue) override;
    bool CanChangeHotTracking(bool) override { return true; }
    bool CanChangeSelection(bool newValue) override;
    bool CanChangeVisibility(bool newValue) override;
    TLumeImageList* GetImageList(int sizeKind) override;
    TLumePaintInfoBasic* GetDefaultPaintInfo() override;
    void Freeing() override;
    void GainBold() override { Invalidate(false); }
    void GainCheck() override;
    void GainEnable() override;
    void GainFocus() override;
    void GainDropTarget() override {}
    void GainHotTracking(LumePoint) override {}
    void GainSelection() override;
    void GainVisibility() override;
    QString GetColumnCaption(int column) override;
    int GetColumnImageIndex(int column) override;
    int GetColumnImageOverlayIndex(int column) override;
    TLumeImageList* GetColumnImageList(int, int sizeKind) override { return GetImageList(sizeKind); }
    int GetDetailCount() override;
    int GetDetail(int line) override;
    void LoseBold() override { Invalidate(false); }
    void LoseHotTracking() override {}
    void Initialize() override;
    void LoseCheck() override { GainCheck(); }
    void LoseEnable() override { GainEnable(); }
    void LoseFocus() override { GainFocus(); }
    void LoseDropTarget() override {}
    void LoseSelection() override { GainSelection(); }
    void LoseVisibility() override { GainVisibility(); }
    void SetColumnCaption(int column, const QString& value) override;
    void SetDetailCount(int value) override;
    void SetDetail(int line, int value) override;
    void SetColumnImageIndex(int column, int value) override;
    void SetColumnImageOverlayIndex(int column, int value) override;
    bool EditAreaHitPt(LumePoint) override { return false; }
    bool SelectionHit(const LumeRect&, bool) override { return false; }
    bool SelectionHitPt(LumePoint, bool) override { return false; }
    void Invalidate(bool immediate) override;
    void ReadFromStream(QIODevice& stream, int version) override;
    void WriteToStream(QIODevice& stream, int version) override;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSpring_ = false;
    int position_ = 0;
    TLumeSortDirection sortDirection_ = TLumeSortDirection::esdNone;
    int width_ = 50;
};

class TLumeColumnStored : public TLumeStored<TLumeColumn, TLumeDynamicDataHelper> {
public:
    using TLumeStored::TLumeStored;
    // A column keeps one detail, at its own index.
    int GetDetail(int) override { return data_.Detail(Index()); }
    void SetDetail(int, int value) override {
        data_.SetDetail(Index(), value);
        Invalidate(false);
    }
    int GetDetailCount() override;
    void SetDetailCount(int value) override;
};

class TLumeColumns : public TLumeCollection {
public:
    TLumeColumns(TCustomLumeListview* owner, TLumeHeader* header);
    ~TLumeColumns() override;
    TLumeHeader* Header;
    std::unique_ptr<TLumeViewColumn> ColumnView;

    TLumeCollectionItem* CreateItem() override { return new TLumeColumnStored(this); }
    int MinRecordSize() const override { return 2 + 1 + 4 + 1 + 1 + 4 + 1 + 4 * 4; }
    void DoStructureChange() override;
    TLumeColumn* operator[](int index) const { return static_cast<TLumeColumn*>(Item(index)); }
    TLumeColumn* At(int index) const { return static_cast<TLumeColumn*>(List[index]); }
    TLumeColumn* AddColumn() { return static_cast<TLumeColumn*>(Add(nullptr)); }
    TLumeColumn* ColumnAt(LumePoint viewPoint) const;
};

}  // namespace lume
