#include "listview/qt/LumeImageList.h"

#include "listview/paint/LumeColors.h"

namespace lume {

LumeImageList::LumeImageList(int width, int height, QObject* parent)
    : QObject(parent), width_(width), height_(height) {}

int LumeImageList::Add(const QImage& image, QRgb transparent) {
    QImage copy = image.scaled(width_, height_).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF)) line[x] = 0;
    }
    images_.push_back(copy);
    return int(images_.size()) - 1;
}

void LumeImageList::SetOverlay(int index, int overlay) { overlays_[overlay] = index; }

QImage LumeImageList::Rendered(int index, bool blend, TColor blendColor) const {
    if (index < 0 || index >= Count()) return {};
    QImage image = images_[size_t(index)];
    if (!blend) return image;
    const TColor c = ColorToRGB(blendColor);
    const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0) continue;
            line[x] = qRgba((qRed(line[x]) + r) / 2, (qGreen(line[x]) + g) / 2, (qBlue(line[x]) + b) / 2,
                            qAlpha(line[x]));
        }
    }
    return image;
}

void LumeImageList::Draw(TLumeCanvas* canvas, int x, int y, int index, int overlay, bool blend, TColor blendColor) {
    if (index < 0 || index >= Count()) return;
    canvas->DrawImage(x, y, Rendered(index, blend, blendColor));
    const auto found = overlays_.find(overlay);
    if (overlay >= 1 && found != overlays_.end()) canvas->DrawImage(x, y, Rendered(found->second, blend, blendColor));
}

}  // namespace lume
