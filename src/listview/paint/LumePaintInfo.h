// Paint settings: the control's defaults per kind, and the optional
// override an item, group or column may carry.
#pragma once

#include "listview/layout/LumeMargins.h"
#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <memory>

namespace lume {

enum class TLumeHeaderImagePosition { ehpLeft, ehpTop, ehpRight, ehpBottom };
enum class TLumeSortGlyphAlign { esgaLeft, esgaRight };
enum class TLumeHeaderButtonStyle { ehbsThick, ehbsFlat, ehbsPlate, ehbsThemed };

class TLumePaintInfoBasic : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;

    // Stores a changed value and repaints the control.
    template <typename T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate(false);
    }
    virtual void Invalidate(bool immediateUpdate);
    virtual void Assign(const TLumePaintInfoBasic& source);

    TAlignment Alignment = TAlignment::taLeftJustify;
    int Border = 4;
    TColor BorderColor = clHighlight;
    int CaptionIndent = 2;
    int CaptionLines = 1;
    bool CheckFlat = false;
    int CheckIndent = 2;
    int CheckSize = 12;
    TLumeCheckType CheckType = TLumeCheckType::ectNone;
    int ImageIndent = 2;
    TLumeVAlignment VAlignment = TLumeVAlignment::evaCenter;
};

class TLumePaintInfoBaseGroup : public TLumePaintInfoBasic {
public:
    explicit TLumePaintInfoBaseGroup(TCustomLumeListview* owner);
    void Assign(const TLumePaintInfoBasic& source) override;

    bool BandBlended = true;
    TColor BandColor = 0xFF0000;
    TColor BandColorFade = clWindow;
    bool BandEnabled = true;
    bool BandFullWidth = false;
    int BandIndent = 0;
    int BandLength = 300;
    int BandMargin = 2;
    uint8_t BandRadius = 4;
    int BandThickness = 3;
    bool Expandable = true;
    int ExpandImageIndent = 4;

    TCustomLumeFooterMargin* MarginBottom() const { return marginBottom_.get(); }
    TLumeMargin* MarginLeft() const { return marginLeft_.get(); }
    TLumeMargin* MarginRight() const { return marginRight_.get(); }
    TLumeHeaderMargin* MarginTop() const { return marginTop_.get(); }
    // Takes the given margin over, freeing the one held before.
    void SetMarginBottom(TCustomLumeFooterMargin* margin);

private:
    std::unique_ptr<TCustomLumeFooterMargin> marginBottom_;
    std::unique_ptr<TLumeMargin> marginLeft_;
    std::unique_ptr<TLumeMargin> marginRight_;
    std::unique_ptr<TLumeHeaderMargin> marginTop_;
};

class TLumePaintInfoGroup : public TLumePaintInfoBaseGroup {
public:
    using TLumePaintInfoBaseGroup::TLumePaintInfoBaseGroup;
};

class TLumePaintInfoBaseItem : public TLumePaintInfoBasic {
public:
    using TLumePaintInfoBasic::TLumePaintInfoBasic;
    int TileDetailCount = 1;
};

class TLumePaintInfoItem : public TLumePaintInfoBaseItem {
public:
    using TLumePaintInfoBaseItem::TLumePaintInfoBaseItem;
};

class TLumePaintInfoBaseColumn : public TLumePaintInfoBasic {
public:
    using TLumePaintInfoBasic::TLumePaintInfoBasic;
    void Invalidate(bool immediateUpdate) override;

    TColor Color = clBtnFace;
    bool HotTrack = true;
    TLumeHeaderImagePosition ImagePosition = TLumeHeaderImagePosition::ehpLeft;
    TLumeSortGlyphAlign SortGlyphAlign = TLumeSortGlyphAlign::esgaRight;
    int SortGlyphIndent = 2;
    TLumeHeaderButtonStyle Style = TLumeHeaderButtonStyle::ehbsThick;
};

class TLumePaintInfoColumn : public TLumePaintInfoBaseColumn {
public:
    using TLumePaintInfoBaseColumn::TLumePaintInfoBaseColumn;
};

}  // namespace lume
