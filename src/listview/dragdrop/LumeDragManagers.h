// The drag managers' state that selection and the header read. Dragging
// itself comes with drag and drop.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>

namespace lume {

class TLumeItem;
class TLumeColumn;
class TLumeCanvas;

class ILumeDataObject;
class TLumeDataObjectManager;

// Both kinds of item drag take the window system's drag here.
enum class TLumeDragType { edtOLE, edtVCL };

class TLumeDragManager : public TLumeOwnedPersistent {
public:
    explicit TLumeDragManager(TCustomLumeListview* owner);
    ~TLumeDragManager() override;
    bool Enabled = false;
    TLumeDragType DragType = TLumeDragType::edtOLE;
    TLumeItem* DragItem = nullptr;
    // The item under the mouse while something is dragged over the control;
    // it carries ecisDropTarget and looks selected.
    TLumeItem* DropTargetItem = nullptr;
    bool Dragging = false;
    // The picture under the mouse during a drag of items made by this control.
    bool EnableDragImage = true;
    int DragImageWidth = 200;
    int DragImageHeight = 300;
    using TDragImageHandler =
        std::function<void(TCustomLumeListview*, QImage* image, LumePoint dragStart, LumePoint& hotSpot,
                           TColor& transparent, bool& handled)>;
    // Makes the image when OnGetDragImage left it: by default DefaultDragImage.
    TDragImageHandler DefaultImageHandler;
    void GetDragImageSize(int& width, int& height) const {
        width = DragImageWidth;
        height = DragImageHeight;
    }
    // The selected items as they look on screen, centred on dragStart (client
    // coordinates) and cut to the client area; the hot spot follows the cut.
    void DefaultDragImage(TCustomLumeListview* sender, QImage* image, LumePoint dragStart, LumePoint& hotSpot,
                          TColor& transparent, bool& handled);
    // The window system's drag of a data object with the effects it may
    // have; answers the effect chosen, edeNone when cancelled.
    std::function<TLumeDropEffect(ILumeDataObject* data, TLumeDropEffects available)> SystemDrag;
    void ClearDragItem() { DragItem = nullptr; }
    // May a drag of the item start here?
    virtual bool DragStartCheck(TLumeItem* item) { return Enabled && item; }
    // Starts a drag of the selection: the application fills the data object
    // and allows the drag in OnOLEDragStart; without it there is no drag.
    virtual void BeginDrag(LumePoint windowPoint, TLumeKeyStates keys);
    virtual void DragMove(LumePoint /*windowPoint*/, TLumeKeyStates /*keys*/) {}
    virtual void DragEnd(LumePoint /*windowPoint*/, TLumeKeyStates /*keys*/) {
        Dragging = false;
        ClearDropTarget();
    }
    // A drag over the control (client coordinates): the item whose selectable
    // area lies under the point becomes the drop target; none over the header.
    void DragOver(LumePoint clientPoint);
    // The drag was dropped on the control.
    void DragDrop() {
        ClearDragItem();
        ClearDropTarget();
    }
    void ClearDropTarget();

private:
    std::unique_ptr<TLumeDataObjectManager> data_;
};

// What a header column drag carries, as the MIME type
// "application/x-lumelistview-header" ("LumeListview.Header"): the process
// and control it comes from and the column's index.
struct TLumeHeaderDragRecord {
    qint64 Process = 0;
    quintptr Control = 0;
    int Column = -1;
    QByteArray Encode() const;
    static bool Decode(const QByteArray& bytes, TLumeHeaderDragRecord& record);
};
extern const char* const kHeaderMimeType;

class TLumeHeaderDragManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool Enabled = true;
    bool Dragging = false;
    TLumeColumn* Column = nullptr;
    TLumeColumn* DropColumn = nullptr;
    // The window system's drag, when the widget provides one: it carries the
    // record and returns when the drop is over.
    std::function<void(const QByteArray& record)> SystemDrag;
    // The record of a drag of Column from this control.
    QByteArray DragData() const;
    virtual void BeginDrag(LumePoint viewPoint, TLumeKeyStates keys);
    // The column under the point gets the drop mark.
    virtual void DragMove(LumePoint viewPoint, TLumeKeyStates keys);
    // Drops a record at a view point: the column moves to the position of the
    // one under the point. Records from elsewhere or without a column are refused.
    bool Drop(const QByteArray& data, LumePoint viewPoint);
    void EndDrag();
};

// The rubber band: its previous and current rectangles in view coordinates.
class TLumeDragRectManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool Enabled = false;
    TLumeMouseButtons MouseButton;
    bool AutoScroll = true;
    uint8_t AutoScrollAccelerator = 2;
    int AutoScrollDelay = 500;
    int AutoScrollMargin = 15;
    int AutoScrollTime = 50;
    LumeRect OldRect;
    LumeRect DragRect;
    bool Dragging = false;
    bool FastScrolling = false;
    LumePoint LastPoint;  // window coordinates
    TLumeKeyStates LastKeys;
    // The edge zones and how deep a window point lies in them.
    bool InScrollZoneUp(LumePoint p) const;
    bool InScrollZoneDown(LumePoint p) const;
    bool InScrollZoneLeft(LumePoint p) const;
    bool InScrollZoneRight(LumePoint p) const;
    int ScrollDepthUp(LumePoint p) const;
    int ScrollDepthDown(LumePoint p) const;
    int ScrollDepthLeft(LumePoint p) const;
    int ScrollDepthRight(LumePoint p) const;
    void AutoScrollTimerTick();
    void DoAutoScroll();
    // Scrolls the view under a running band; its moving corner stays under the
    // mouse, so the band grows or shrinks by the distance scrolled.
    void ScrollBy(int deltaX, int deltaY);
    // Page Up/Down, Home, End and the arrows scroll while the band runs.
    void HandleKeyDown(uint16_t key);
    // May a band start at this point? Remembers it as the band's corner.
    virtual bool DragStartCheck(LumePoint windowPoint, TLumeMouseButton button);
    virtual void DragStart(LumePoint windowPoint, TLumeKeyStates keys);
    virtual void DragMove(LumePoint windowPoint, TLumeKeyStates keys);
    virtual void DragEnd(LumePoint windowPoint, TLumeKeyStates keys);
    void ClearStart() { start_.reset(); }
    // Draws the band (window coordinates on the canvas): blended with its
    // frame when the selection asks for it, else a focus rectangle; never
    // over the header.
    void PaintRubberBand(TLumeCanvas* canvas);

protected:
    void FollowCorner(LumePoint windowPoint, TLumeKeyStates keys);
    void StartAutoScrollTimer(int milliseconds);
    void StopAutoScrollTimer();
    std::optional<LumePoint> start_;  // view coordinates
    int timer_ = 0;
    bool timerRunning_ = false;
};

}  // namespace lume
