// The per-column records of stored items, groups and columns: growable
// arrays indexed by column index (or detail line) with a default beyond the end.
#pragma once

#include <QIODevice>
#include <QString>
#include <vector>

namespace lume {

class TLumeDynamicDataHelper {
public:
    virtual ~TLumeDynamicDataHelper() = default;

    QString Caption(int column) const;
    int Detail(int line) const;
    int ImageIndex(int column) const;
    int OverlayIndex(int column) const;
    // Storing beyond the end grows the array with defaults, to at least
    // `columns` entries at once (the columns the object is shown in), so that
    // filling the columns one by one allocates once; a negative index is
    // refused with "List index out of bounds (%d)".
    void SetCaption(int column, const QString& value, int columns = 0);
    void SetDetail(int line, int value);
    void SetImageIndex(int column, int value, int columns = 0);
    void SetOverlayIndex(int column, int value, int columns = 0);

    int CaptionCount() const { return int(captions_.size()); }
    int ImageIndexCount() const { return int(imageIndexes_.size()); }

    virtual void ReadFromStream(QIODevice& stream);
    virtual void WriteToStream(QIODevice& stream) const;

protected:
    static int Get(const std::vector<int>& array, int index, int fallback);
    static void Put(std::vector<int>& array, int index, int value, int fallback, int columns = 0);
    static void ReadIntArray(QIODevice& stream, std::vector<int>& array);
    static void WriteIntArray(QIODevice& stream, const std::vector<int>& array);

private:
    std::vector<QString> captions_;
    std::vector<int> details_;
    std::vector<int> imageIndexes_;
    std::vector<int> overlayIndexes_;
};

class TLumeItemDynamicDataHelper : public TLumeDynamicDataHelper {
public:
    static constexpr int kNoGroupKey = 0xFFFF;
    int GroupKey(int column) const;
    void SetGroupKey(int column, int key);
    void ReadFromStream(QIODevice& stream) override;
    void WriteToStream(QIODevice& stream) const override;

private:
    std::vector<int> groupKeys_;
};

}  // namespace lume
