#include "listview/model/LumeDataHelper.h"

#include "listview/model/LumeStreamHelper.h"
#include "listview/LumeTypes.h"

#include <algorithm>

namespace lume {

namespace {
void CheckIndex(int index) {
    if (index < 0) throw EListError(index);
}

// Makes room for index, reserving the columns at once the first time.
template <typename T>
void Reach(std::vector<T>& array, int index, int columns) {
    if (index < int(array.capacity())) return;
    array.reserve(size_t(std::max(index + 1, columns)));
}
}  // namespace

int TLumeDynamicDataHelper::Get(const std::vector<int>& array, int index, int fallback) {
    CheckIndex(index);
    return index < int(array.size()) ? array[index] : fallback;
}

void TLumeDynamicDataHelper::Put(std::vector<int>& array, int index, int value, int fallback, int columns) {
    CheckIndex(index);
    Reach(array, index, columns);
    if (index >= int(array.size())) array.resize(index + 1, fallback);
    array[index] = value;
}

QString TLumeDynamicDataHelper::Caption(int column) const {
    CheckIndex(column);
    return column < int(captions_.size()) ? captions_[column] : QString();
}

void TLumeDynamicDataHelper::SetCaption(int column, const QString& value, int columns) {
    CheckIndex(column);
    Reach(captions_, column, columns);
    if (column >= int(captions_.size())) captions_.resize(column + 1);
    captions_[column] = value;
}

int TLumeDynamicDataHelper::Detail(int line) const { return Get(details_, line, 0); }
int TLumeDynamicDataHelper::ImageIndex(int column) const { return Get(imageIndexes_, column, -1); }
int TLumeDynamicDataHelper::OverlayIndex(int column) const { return Get(overlayIndexes_, column, -1); }
void TLumeDynamicDataHelper::SetDetail(int line, int value) { Put(details_, line, value, 0); }
void TLumeDynamicDataHelper::SetImageIndex(int column, int value, int columns) {
    Put(imageIndexes_, column, value, -1, columns);
}
void TLumeDynamicDataHelper::SetOverlayIndex(int column, int value, int columns) {
    Put(overlayIndexes_, column, value, -1, columns);
}

void TLumeDynamicDataHelper::ReadIntArray(QIODevice& stream, std::vector<int>& array) {
    const int count = TLumeMemoryStreamHelper::ReadCount(stream, 4);
    std::vector<int> values(count);
    for (int& v : values) v = TLumeMemoryStreamHelper::ReadInteger(stream);
    array = std::move(values);
}

void TLumeDynamicDataHelper::WriteIntArray(QIODevice& stream, const std::vector<int>& array) {
    TLumeMemoryStreamHelper::WriteInteger(stream, int32_t(array.size()));
    for (int v : array) TLumeMemoryStreamHelper::WriteInteger(stream, v);
}

void TLumeDynamicDataHelper::ReadFromStream(QIODevice& stream) {
    // Each string takes at least its 4-byte length.
    const int count = TLumeMemoryStreamHelper::ReadCount(stream, 4);
    std::vector<QString> captions(count);
    for (QString& c : captions) c = TLumeMemoryStreamHelper::ReadText(stream);
    captions_ = std::move(captions);
    ReadIntArray(stream, details_);
    ReadIntArray(stream, imageIndexes_);
    ReadIntArray(stream, overlayIndexes_);
}

void TLumeDynamicDataHelper::WriteToStream(QIODevice& stream) const {
    TLumeMemoryStreamHelper::WriteInteger(stream, int32_t(captions_.size()));
    for (const QString& c : captions_) TLumeMemoryStreamHelper::WriteText(stream, c);
    WriteIntArray(stream, details_);
    WriteIntArray(stream, imageIndexes_);
    WriteIntArray(stream, overlayIndexes_);
}

int TLumeItemDynamicDataHelper::GroupKey(int column) const { return Get(groupKeys_, column, kNoGroupKey); }
void TLumeItemDynamicDataHelper::SetGroupKey(int column, int key) { Put(groupKeys_, column, key, kNoGroupKey); }

void TLumeItemDynamicDataHelper::ReadFromStream(QIODevice& stream) {
    TLumeDynamicDataHelper::ReadFromStream(stream);
    ReadIntArray(stream, groupKeys_);
}

void TLumeItemDynamicDataHelper::WriteToStream(QIODevice& stream) const {
    TLumeDynamicDataHelper::WriteToStream(stream);
    WriteIntArray(stream, groupKeys_);
}

}  // namespace lume
