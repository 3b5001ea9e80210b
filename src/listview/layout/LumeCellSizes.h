// One cell size per view style.
#pragma once

#include "listview/LumePersistent.h"

#include <memory>

namespace lume {

class TLumeCellSize : public TLumeOwnedPersistent {
public:
    TLumeCellSize(TCustomLumeListview* owner, int width, int height)
        : TLumeOwnedPersistent(owner), width_(width), height_(height) {}
    // Never below 1.
    int Width() const { return width_ > 0 ? width_ : 1; }
    int Height() const { return height_ > 0 ? height_ : 1; }
    // Both lay the groups out again, also for an unchanged value.
    void SetWidth(int value);
    void SetHeight(int value);
    void Assign(const TLumeCellSize& source);

private:
    int width_;
    int height_;
};

class TLumeCellSizes : public TLumeOwnedPersistent {
public:
    explicit TLumeCellSizes(TCustomLumeListview* owner);
    std::unique_ptr<TLumeCellSize> Icon, SmallIcon, Thumbnail, Tile, List, Report, FilmStrip, Grid;
};

}  // namespace lume
