#include "listview/paint/LumeBackground.h"

#include "listview/paint/LumeColors.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/LumeOwner.h"

namespace lume {

void TLumeBackgroundManager::Repaint() {
    if (ILumeOwner* owner = Owner()) owner->InvalidateOwner(nullptr, false);
}

void TLumeBackgroundManager::SetImage(const QImage& image) {
    image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
    Repaint();
}

void TLumeBackgroundManager::SetAlphaImage(const QImage& image) {
    alphaImage_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
    Repaint();
}

void TLumeBackgroundManager::Assign(const TLumeBackgroundManager& source) {
    image_ = source.image_;
    enabled_ = source.enabled_;
    offsetX_ = source.offsetX_;
    offsetY_ = source.offsetY_;
    tile_ = source.tile_;
}

void TLumeBackgroundManager::TrackResize(int oldWidth, int oldHeight, int newWidth, int newHeight) {
    if (!OffsetTrack || (oldWidth == newWidth && oldHeight == newHeight)) return;
    offsetX_ += newWidth - oldWidth;
    offsetY_ += newHeight - oldHeight;
}

void TLumeBackgroundManager::PaintTo(TLumeCanvas* canvas, const LumeRect& rect, bool fillIfNoImage) {
    ILumeOwner* lv = Owner();
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->BrushColor = lv->OwnerColor();
    if (image_.isNull() || !enabled_) {
        if (fillIfNoImage) canvas->FillRect(rect);
        return;
    }
    canvas->FillRect(rect);
    QImage drawn = image_;
    if (alphaBlend_ && CpuSupportsMmx()) {
        const bool withColor = blendMode_ == TBlendMode::bmConstantAlphaAndColor;
        if (!withColor && (alphaImage_.isNull() || alphaImage_.size() != image_.size()))
            throw EAssertionFailed("Error: Background AlphaBlend mode requires an AlphaImage");
        if (withColor && !alphaImage_.isNull() && alphaImage_.size() != image_.size())
            throw EAssertionFailed("Error: Background AlphaBlend mode requires an AlphaImage");
        // The control's colour is the partner only when blending toward a
        // colour; as a bias it would darken the picture by an amount that
        // depends on the colour.
        const int last = withColor ? int(ColorToRGB(lv->OwnerColor())) : 0;
        BlendBitmapRect(&alphaImage_, &drawn, {0, 0, drawn.width(), drawn.height()}, {0, 0}, blendMode_, blendAlpha_,
                        last);
    }
    // Transparent: the bottom-left pixel's colour is left out; otherwise opaque.
    const QRgb key = drawn.pixel(0, drawn.height() - 1) & 0xFFFFFF;
    for (int y = 0; y < drawn.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(drawn.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x)
            line[x] = transparent_ && (line[x] & 0xFFFFFF) == key ? 0 : (line[x] | 0xFF000000u);
    }
    const int w = drawn.width(), h = drawn.height();
    const LumeRect update = Inflate(rect, w, h);
    if (!tile_) {
        canvas->DrawImage(offsetX_, offsetY_, drawn);
        return;
    }
    int startX = offsetX_ % w;
    if (offsetX_ > 0) startX -= w;
    int startY = offsetY_ % h;
    if (offsetY_ > 0) startY -= h;
    const int rows = lv->ClientHeight() / h + 2;
    const int cols = lv->ClientWidth() / w + 2;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col) {
            const LumeRect cell{startX + col * w, startY + row * h, startX + (col + 1) * w, startY + (row + 1) * h};
            if (cell.Meets(update)) canvas->DrawImage(cell.Left, cell.Top, drawn);
        }
}

}  // namespace lume
