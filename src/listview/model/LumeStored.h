// What the stored items, groups and columns share: their per-column record,
// read and written behind the object's own stream fields, and every change
// to it repainting the object.
#pragma once

#include <QIODevice>
#include <QString>

namespace lume {

template <typename Base, typename Record>
class TLumeStored : public Base {
public:
    using Base::Base;
    QString GetColumnCaption(int column) override { return data_.Caption(column); }
    int GetColumnImageIndex(int column) override { return data_.ImageIndex(column); }
    int GetColumnImageOverlayIndex(int column) override { return data_.OverlayIndex(column); }
    int GetDetail(int line) override { return data_.Detail(line); }
    void SetColumnCaption(int column, const QString& value) override {
        data_.SetCaption(column, value, ColumnSlots());
        this->Invalidate(false);
    }
    void SetDetail(int line, int value) override {
        data_.SetDetail(line, value);
        this->Invalidate(false);
    }
    void SetColumnImageIndex(int column, int value) override {
        data_.SetImageIndex(column, value, ColumnSlots());
        this->Invalidate(false);
    }
    void SetColumnImageOverlayIndex(int column, int value) override {
        data_.SetOverlayIndex(column, value, ColumnSlots());
        this->Invalidate(false);
    }
    void ReadFromStream(QIODevice& stream, int version) override {
        Base::ReadFromStream(stream, version);
        data_.ReadFromStream(stream);
    }
    void WriteToStream(QIODevice& stream, int version) override {
        Base::WriteToStream(stream, version);
        data_.WriteToStream(stream);
    }
    const Record& DataRecord() const { return data_; }

protected:
    // How many columns the object's values are kept for; an item has one
    // per header column.
    virtual int ColumnSlots() const { return 0; }
    Record data_;
};

}  // namespace lume
