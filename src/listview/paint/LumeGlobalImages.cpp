#include "listview/paint/LumeGlobalImages.h"

#include <cstring>

namespace lume {

namespace {

const char* const kExpanded[] = {"ggggggggg", "gwwwwwwwg", "gwwwkwwwg", "gwwwkwwwg", "gwkkkkkwg",
                                 "gwwwkwwwg", "gwwwkwwwg", "gwwwwwwwg", "ggggggggg"};
const char* const kCollapsed[] = {"ggggggggg", "gwwwwwwwg", "gwwwwwwwg", "gwwwwwwwg", "gwkkkkkwg",
                                  "gwwwwwwwg", "gwwwwwwwg", "gwwwwwwwg", "ggggggggg"};
const char* const kBlank = "mmmmmmmmmmmmmmmm";
const char* const kSortUp[] = {kBlank, kBlank, kBlank, kBlank,
                               "mmmmmmmmwmmmmmmm", "mmmmmmmgswmmmmmm", "mmmmmmmgswmmmmmm", "mmmmmmgssswmmmmm",
                               "mmmmmmgssswmmmmm", "mmmmmgssssswmmmm", "mmmmmgssssswmmmm", "mmmmwwwwwwwwwmmm",
                               kBlank, kBlank, kBlank, kBlank};
const char* const kSortDown[] = {kBlank, kBlank, kBlank, kBlank,
                                 "mmmmggggggggwmmm", "mmmmmgssssswmmmm", "mmmmmgssssswmmmm", "mmmmmmgssswmmmmm",
                                 "mmmmmmgssswmmmmm", "mmmmmmmgswmmmmmm", "mmmmmmmgswmmmmmm", "mmmmmmmmwmmmmmmm",
                                 kBlank, kBlank, kBlank, kBlank};

QRgb Pixel(char c) {
    switch (c) {
    case 'g': return qRgb(128, 128, 128);
    case 's': return qRgb(192, 192, 192);
    case 'w': return qRgb(255, 255, 255);
    case 'k': return qRgb(0, 0, 0);
    default: return qRgba(0, 0, 0, 0);
    }
}

}  // namespace

QImage TLumeGlobalImageManager::FromRows(const char* const* rows, int count) {
    QImage image(int(std::strlen(rows[0])), count, QImage::Format_ARGB32);
    for (int y = 0; y < count; ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, Pixel(rows[y][x]));
    return image;
}

const QImage& TLumeGlobalImageManager::GroupExpandButton() {
    if (expand_.isNull()) expand_ = FromRows(kExpanded, 9);
    return expand_;
}

const QImage& TLumeGlobalImageManager::GroupCollapseButton() {
    if (collapse_.isNull()) collapse_ = FromRows(kCollapsed, 9);
    return collapse_;
}

const QImage& TLumeGlobalImageManager::ColumnSortUp() {
    if (sortUp_.isNull()) sortUp_ = FromRows(kSortUp, 16);
    return sortUp_;
}

const QImage& TLumeGlobalImageManager::ColumnSortDown() {
    if (sortDown_.isNull()) sortDown_ = FromRows(kSortDown, 16);
    return sortDown_;
}

}  // namespace lume
