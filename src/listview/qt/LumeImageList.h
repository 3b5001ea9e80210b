// A list of images of one size with a transparent colour and overlays.
#pragma once

#include "listview/paint/LumeCanvas.h"

#include <QObject>
#include <map>
#include <vector>

namespace lume {

class LumeImageList : public QObject, public TLumeImageList {
    Q_OBJECT
public:
    LumeImageList(int width, int height, QObject* parent = nullptr);
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int Count() const override { return int(images_.size()); }
    // Adds an image (scaled to the list's size); pixels of the transparent colour become transparent.
    int Add(const QImage& image, QRgb transparent = qRgb(255, 0, 255));
    // Image index becomes overlay number (1..15).
    void SetOverlay(int index, int overlay);
    // The image as drawn: blended 50 % toward a colour when asked.
    QImage Rendered(int index, bool blend, TColor blendColor) const;
    void Draw(TLumeCanvas* canvas, int x, int y, int index, int overlay, bool blend, TColor blendColor) override;

private:
    int width_;
    int height_;
    std::vector<QImage> images_;
    std::map<int, int> overlays_;
};

}  // namespace lume
