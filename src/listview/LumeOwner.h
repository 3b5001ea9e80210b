// What a part of the control may ask of it: its groups, header, selection,
// host, paint settings and measuring canvas, whether group margins show,
// and a repaint. The control implements it; a part reaches it through
// Owner() and includes the headers of what it uses, not the control's own.
#pragma once

#include "listview/LumeTypes.h"

namespace lume {

class ILumeHost;
class TLumeCanvas;
class TLumeGroups;
class TLumeHeader;
class TLumePaintInfoColumn;
class TLumePaintInfoGroup;
class TLumePaintInfoItem;
class TLumeSelectionManager;

class ILumeOwner {
public:
    virtual TLumeGroups* OwnerGroups() const = 0;
    virtual TLumeHeader* OwnerHeader() const = 0;
    virtual TLumeSelectionManager* Selection() const = 0;
    // The window, or null while the control has none.
    virtual ILumeHost* OwnerWindow() const = 0;
    virtual TLumePaintInfoGroup* PaintInfoGroup() const = 0;
    virtual TLumePaintInfoItem* PaintInfoItem() const = 0;
    virtual TLumePaintInfoColumn* PaintInfoColumn() const = 0;
    virtual TLumeCanvas* MeasureCanvas() const = 0;
    virtual bool ShowGroupMargins() const = 0;
    // The rectangle (null: the whole window) painted again, now or later.
    virtual void InvalidateOwner(const LumeRect* rect, bool immediateUpdate) = 0;

protected:
    ~ILumeOwner() = default;
};

}  // namespace lume
