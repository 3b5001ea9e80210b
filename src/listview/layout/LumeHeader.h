// The band of column buttons: column layout, hit tests, the mouse state
// machine and the spring columns.
#pragma once

#include "listview/model/LumeColumn.h"

#include <QFont>

namespace lume {

class TLumeHeaderDragManager;

enum LumeHeaderState : uint16_t {
    ehfCaptured = 0x0001,
    ehfResizing = 0x0002,
    ehfDragging = 0x0004,
    ehfDragPossible = 0x0008,
    ehfClicking = 0x0010,
    ehfCheckPending = 0x0020,
    ehfOverDivider = 0x0040,
    ehfLeftDown = 0x0080,
    ehfRightDown = 0x0100,
};

class TLumeHeader : public TLumeOwnedPersistent {
public:
    explicit TLumeHeader(TCustomLumeListview* owner);
    ~TLumeHeader() override;

    TColor Color = clBtnFace;
    std::unique_ptr<TLumeColumns> Columns;
    std::unique_ptr<TLumeHeaderDragManager> DragManager;
    QFont Font;
    TLumeColumn* HotTrackColumn = nullptr;
    int LastClientWidth = -1;
    std::vector<TLumeColumn*> ColumnsByPosition;
    TLumeColumn* PressedColumn = nullptr;
    TLumeColumn* ResizeColumn = nullptr;
    bool Sizeable = true;
    uint16_t State = 0;
    LumeRect DisplayRect;

    void SetColor(TColor value);
    bool Draggable() const;
    void SetDraggable(bool value);
    void SetFont(const QFont& font);
    int Height() const { return height_; }
    void SetHeight(int value);
    TLumeImageList* Images() const { return images_; }
    void SetImages(TLumeImageList* value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    virtual void RebuildColumns(bool force);
    virtual void Invalidate(bool immediate);
    virtual void Paint(TLumeCanvas* canvas, const LumeRect& rect);
    int RuntimeHeight() const;
    LumeRect HeaderRect() const;
    TLumeColumn* FirstColumn() const;
    TLumeColumn* FirstColumnByPosition() const;
    TLumeColumn* LastColumnByPosition() const;
    TLumeColumn* FirstColumnInRect(LumeRect rect) const;
    TLumeColumn* NextColumnInRect(TLumeColumn* column, LumeRect rect) const;
    void SpringColumns();
    bool Has(uint16_t s) const { return (State & s) != 0; }
    // Clears everything but a pending check press and releases the capture.
    void ClearStates();

    // Mouse messages in window coordinates; keys are MK_ bits.
    void WMMouseMove(uint32_t keys, LumePoint windowPoint);
    void WMLButtonDown(uint32_t keys, LumePoint windowPoint);
    void WMLButtonUp(uint32_t keys, LumePoint windowPoint);
    void WMLButtonDblClk(uint32_t keys, LumePoint windowPoint);
    void WMRButtonDown(uint32_t keys, LumePoint windowPoint);
    void WMRButtonUp(uint32_t keys, LumePoint windowPoint);
    // Answers true when a menu was shown.
    bool WMContextMenu(LumePoint screenPoint);
    void WMSize();

    bool CheckHit(LumePoint p) const;
    bool HotHit(LumePoint p, TLumeColumn*& found) const;
    bool PressHit(LumePoint p);
    bool DividerHit(LumePoint p);

    void CaptureMouse();
    void ReleaseMouse();

private:
    LumePoint Adjusted(LumePoint windowPoint) const;
    void UpdateHotTracking(LumePoint p, LumePoint windowPoint);
    void DropHotColumn();
    void ClickColumn(TLumeColumn* column);

    int height_ = 21;
    TLumeImageList* images_ = nullptr;
    bool visible_ = false;
};

}  // namespace lume
