// The drag managers' state that selection and the header read. Dragging
// itself comes with drag and drop.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

namespace lume {

class TLumeItem;
class TLumeColumn;

class TLumeDragManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool Enabled = false;
    TLumeItem* DragItem = nullptr;
    void ClearDragItem() { DragItem = nullptr; }
};

class TLumeHeaderDragManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    bool Enabled = true;
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
};

}  // namespace lume
