// Selection and focus: the settings, the focused and anchor items, the
// selected count and the bulk operations.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <vector>

namespace lume {

class TLumeItem;
class TLumeColumn;

// One run of consecutive selected rows, painted as one block.
class TLumeSelectionGroupList {
public:
    std::vector<TLumeItem*> List;
    LumeRect DisplayRect;
    TLumeItem* FirstItem = nullptr;
    int RefCount = 0;
    void AddRef() { ++RefCount; }
    // Frees the run when the last item lets go.
    void Release(TLumeItem* item);
};

class TLumeSelectionManager : public TLumeOwnedPersistent {
public:
    explicit TLumeSelectionManager(TCustomLumeListview* owner) : TLumeOwnedPersistent(owner) {}

    bool AlphaBlend = false;
    bool AlphaBlendSelRect = false;
    uint8_t BlendAlphaImage = 128;
    uint8_t BlendAlphaSelRect = 70;
    uint8_t BlendAlphaTextRect = 128;
    TColor BlendColorSelRect = clHighlight;
    TColor BorderColor = clHighlight;
    TColor BorderColorSelRect = clHighlight;
    TColor Color = clHighlight;
    bool ForceDefaultBlend = false;
    bool FullRowSelect = false;
    TColor InactiveBorderColor = clInactiveBorder;
    TColor InactiveColor = clInactiveBorder;
    TColor InactiveTextColor = clBlack;
    TLumeMouseButtons MouseButton{TLumeMouseButton::embLeft};
    bool RectSelect = false;
    bool ResizeGroupOnFocus = false;
    bool RoundRect = false;
    uint8_t RoundRectRadius = 4;
    TColor TextColor = clHighlightText;
    bool UseFocusRect = true;
    int GroupSelectUpdateCount = 0;

    int Count() const { return count_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool GroupSelections() const { return groupSelections_; }
    void SetGroupSelections(bool value);
    bool BlendIcon() const { return blendIcon_; }
    void SetBlendIcon(bool value);
    bool FullCellPaint() const { return fullCellPaint_; }
    void SetFullCellPaint(bool value);
    bool FullItemPaint() const { return fullItemPaint_; }
    void SetFullItemPaint(bool value);

    // Forwarded to the rubber-band manager.
    bool EnableDragSelect() const;
    void SetEnableDragSelect(bool value);
    TLumeMouseButtons MouseButtonSelRect() const;
    void SetMouseButtonSelRect(TLumeMouseButtons value);

    TLumeItem* FocusedItem() const { return focusedItem_; }
    void SetFocusedItem(TLumeItem* value);
    TLumeItem* AnchorItem() const { return anchorItem_; }
    void SetAnchorItem(TLumeItem* value);
    TLumeColumn* FocusedColumn();
    void SetFocusedColumn(TLumeColumn* value);
    // Forgets a column that is going away.
    void ForgetColumn(TLumeColumn* column);

    void ClearAll();
    void ClearAllExcept(TLumeItem* item);
    void SelectAll();
    void SelectRange(TLumeItem* fromItem, TLumeItem* toItem, bool clearFirst, bool rectSelect);
    void SelectRect(const LumeRect& viewRect, bool clearFirst);
    void DragSelect(TLumeKeyStates keyStates);
    TLumeItem* First() const;
    TLumeItem* Next(TLumeItem* item) const;
    void BuildSelectionGroupings(bool force);
    void GroupSelectBeginUpdate() { ++GroupSelectUpdateCount; }
    void GroupSelectEndUpdate();

    // Told by the items.
    void ItemSelected(TLumeItem* item);
    void ItemUnselected(TLumeItem* item);
    // An item read back selected from a stream: counted like any other,
    // and without MultiSelect only the first one stays selected.
    void ItemReadSelected(TLumeItem* item);
    // The focused item stopped being focused.
    void FocusLost(TLumeItem* item);
    // An item freed without the change protocol: nothing of it is kept.
    void Forget(TLumeItem* item);

private:
    void Bulk(bool select, TLumeItem* except);
    void Keep(TLumeItem* item);
    void Drop(TLumeItem* item);

    int count_ = 0;
    // The selected items, so that clearing them costs what is selected.
    std::vector<TLumeItem*> selected_;
    bool enabled_ = true;
    bool multiSelect_ = false;
    bool groupSelections_ = false;
    bool blendIcon_ = true;
    bool fullCellPaint_ = false;
    bool fullItemPaint_ = false;
    TLumeItem* focusedItem_ = nullptr;
    TLumeItem* anchorItem_ = nullptr;
    TLumeColumn* focusedColumn_ = nullptr;
};

}  // namespace lume
