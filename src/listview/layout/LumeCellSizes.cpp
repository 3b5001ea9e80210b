#include "listview/layout/LumeCellSizes.h"

#include "listview/LumeOwner.h"
#include "listview/model/LumeGroups.h"

namespace lume {

void TLumeCellSize::SetWidth(int value) {
    width_ = std::max(0, value);
    if (ILumeOwner* owner = Owner()) owner->OwnerGroups()->RebuildLayout(false);
}

void TLumeCellSize::SetHeight(int value) {
    height_ = std::max(0, value);
    if (ILumeOwner* owner = Owner()) owner->OwnerGroups()->RebuildLayout(false);
}

void TLumeCellSize::Assign(const TLumeCellSize& source) {
    width_ = source.width_;
    height_ = source.height_;
    if (ILumeOwner* owner = Owner()) owner->OwnerGroups()->RebuildLayout(false);
}

TLumeCellSizes::TLumeCellSizes(TCustomLumeListview* owner)
    : TLumeOwnedPersistent(owner),
      Icon(std::make_unique<TLumeCellSize>(owner, 75, 75)),
      SmallIcon(std::make_unique<TLumeCellSize>(owner, 200, 17)),
      Thumbnail(std::make_unique<TLumeCellSize>(owner, 125, 143)),
      Tile(std::make_unique<TLumeCellSize>(owner, 218, 58)),
      List(std::make_unique<TLumeCellSize>(owner, 200, 17)),
      Report(std::make_unique<TLumeCellSize>(owner, 75, 17)),
      FilmStrip(std::make_unique<TLumeCellSize>(owner, 125, 143)),
      Grid(std::make_unique<TLumeCellSize>(owner, 75, 17)) {}

}  // namespace lume
