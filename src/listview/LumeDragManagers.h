// The drag managers' state that selection and the header read. Dragging
// itself comes with drag and drop.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <optional>

namespace lume {

class TLumeItem;
class TLumeColumn;

class TLumeDragManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool Enabled = false;
    TLumeItem* DragItem = nullptr;
    bool Dragging = false;
    void ClearDragItem() { DragItem = nullptr; }
    // May a drag of the item start here?
    virtual bool DragStartCheck(TLumeItem* item) { return Enabled && item; }
    virtual void BeginDrag(LumePoint /*windowPoint*/, TLumeKeyStates /*keys*/) {}
    virtual void DragMove(LumePoint /*windowPoint*/, TLumeKeyStates /*keys*/) {}
    virtual void DragEnd(LumePoint /*windowPoint*/, TLumeKeyStates /*keys*/) { Dragging = false; }
};

class TLumeHeaderDragManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool Enabled = true;
    bool Dragging = false;
    TLumeColumn* Column = nullptr;
    virtual void BeginDrag(LumePoint /*viewPoint*/, TLumeKeyStates /*keys*/) {}
    virtual void DragMove(LumePoint /*viewPoint*/, TLumeKeyStates /*keys*/) {}
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
    // May a band start at this point? Remembers it as the band's corner.
    virtual bool DragStartCheck(LumePoint windowPoint, TLumeMouseButton button);
    virtual void DragStart(LumePoint windowPoint, TLumeKeyStates keys);
    virtual void DragMove(LumePoint windowPoint, TLumeKeyStates keys);
    virtual void DragEnd(LumePoint windowPoint, TLumeKeyStates keys);
    void ClearStart() { start_.reset(); }

protected:
    std::optional<LumePoint> start_;  // view coordinates
};

}  // namespace lume
