// The hint's settings and its size: the text measured plus a margin.
#pragma once

#include "listview/paint/LumeCanvas.h"
#include "listview/LumePersistent.h"

namespace lume {

class TLumeCollectionItem;

class TLumeHintInfo : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    LumeRect Bounds;
    TLumeCanvas* Canvas = nullptr;
    TColor Color = 0xFF000018;  // info background
    LumePoint CursorPos;
    int HideTimeout = 2500;
    TLumeHintType HintType = TLumeHintType::ehtText;
    int MaxWidth = 0;
    int ReshowTimeout = 0;
    QString Text;
    LumePoint HintPos;
};

// The hint window's rectangle for a text: measured in the canvas, 6 wider
// and 2 higher; for a custom-drawn hint the one its handler gives.
LumeRect CalcHintRect(ILumeOwner* listview, TLumeCollectionItem* target, TLumeCanvas* canvas,
                      int maxWidth, const QString& text);

}  // namespace lume
