// The control's background: plain colour, or a picture placed once or
// tiled, optionally blended.
#pragma once

#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeCanvas.h"
#include "listview/LumePersistent.h"

namespace lume {

class TLumeBackgroundManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;

    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value) { Set(alphaBlend_, value); }
    const QImage& AlphaImage() const { return alphaImage_; }
    void SetAlphaImage(const QImage& image);
    int BlendAlpha() const { return blendAlpha_; }
    void SetBlendAlpha(int value) { Set(blendAlpha_, value); }
    TBlendMode BlendMode() const { return blendMode_; }
    void SetBlendMode(TBlendMode value) { Set(blendMode_, value); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { Set(enabled_, value); }
    const QImage& Image() const { return image_; }
    void SetImage(const QImage& image);
    bool OffsetTrack = false;
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value) { Set(offsetX_, value); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value) { Set(offsetY_, value); }
    bool Tile() const { return tile_; }
    void SetTile(bool value) { Set(tile_, value); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { Set(transparent_, value); }
    void Assign(const TLumeBackgroundManager& source);

    void PaintTo(TLumeCanvas* canvas, const LumeRect& rect, bool fillIfNoImage);
    // The control is being resized from the old to the new size.
    void TrackResize(int oldWidth, int oldHeight, int newWidth, int newHeight);

private:
    template <typename T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = value;
        Repaint();
    }
    void Repaint();

    bool alphaBlend_ = false;
    QImage alphaImage_;
    int blendAlpha_ = 128;
    TBlendMode blendMode_ = TBlendMode::bmConstantAlphaAndColor;
    bool enabled_ = false;
    QImage image_;
    int offsetX_ = 0;
    int offsetY_ = 0;
    bool tile_ = true;
    bool transparent_ = false;
};

}  // namespace lume
