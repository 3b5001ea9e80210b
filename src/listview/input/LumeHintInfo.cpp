#include "listview/input/LumeHintInfo.h"

#include "listview/LumeOwner.h"
#include "listview/paint/LumeText.h"

namespace lume {

LumeRect CalcHintRect(ILumeOwner* lv, TLumeCollectionItem* target, TLumeCanvas* canvas, int maxWidth,
                      const QString& text) {
    TLumeHintInfo& info = *lv->OwnerHintInfo();
    info.Canvas = canvas;
    info.HintType = lv->OwnerHintType();
    info.Text = text;
    info.MaxWidth = maxWidth;
    info.Bounds = {0, 0, maxWidth, 0};
    lv->DoHintCustomInfo(target, &info);
    if (info.HintType == TLumeHintType::ehtCustomDraw) return info.Bounds;
    DrawWideTextInRect(canvas, info.Text, info.Bounds, wtfLeft | wtfCalcRect | wtfCalcGrowRight | 0x0800, -1);
    info.Bounds.Right += 6;
    info.Bounds.Bottom += 2;
    return info.Bounds;
}

}  // namespace lume
