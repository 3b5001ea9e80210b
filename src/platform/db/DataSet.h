#pragma once
#include "Database.h"

#include <QHash>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <cstring>
#include <utility>
#include <vector>

namespace db {

class DataSet;

// The bytes of a value, with room for short ones inside: a long append
// copies each column's value into the room the value before it left,
// without a call into the library for the short ones most columns hold.
class ValueBytes {
public:
    ValueBytes() = default;
    ValueBytes(const ValueBytes& other) { assign(other.data(), other.size_); }
    ValueBytes& operator=(const ValueBytes& other) {
        if (this != &other) assign(other.data(), other.size_);
        return *this;
    }
    ValueBytes(ValueBytes&& other) noexcept { *this = std::move(other); }
    ValueBytes& operator=(ValueBytes&& other) noexcept {
        if (this == &other) return *this;
        heap_ = std::move(other.heap_);
        room_ = std::exchange(other.room_, 0);
        size_ = std::exchange(other.size_, 0);
        std::memcpy(local_, other.local_, sizeof local_);
        return *this;
    }

    const char* data() const { return size_ > kLocal ? heap_.get() : local_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // `p` may lie in these very bytes (a value set from its own view).
    void assign(const char* p, std::size_t n) {
        char* to = local_;
        if (n > kLocal) {
            if (n > room_) {
                std::unique_ptr<char[]> bigger(new char[n]);
                std::memcpy(bigger.get(), p, n);
                heap_ = std::move(bigger);
                room_ = quint32(n);
                size_ = quint32(n);
                return;
            }
            to = heap_.get();
        }
        if (n >= 8) {
            // Two words that may overlap cover 8 to 16 bytes; longer ones take the library.
            if (n <= 16) {
                quint64 head, tail;
                std::memcpy(&head, p, 8);
                std::memcpy(&tail, p + n - 8, 8);
                std::memcpy(to, &head, 8);
                std::memcpy(to + n - 8, &tail, 8);
            } else {
                std::memmove(to, p, n);
            }
        } else if (n >= 4) {
            quint32 head, tail;  // and two half words 4 to 7
            std::memcpy(&head, p, 4);
            std::memcpy(&tail, p + n - 4, 4);
            std::memcpy(to, &head, 4);
            std::memcpy(to + n - 4, &tail, 4);
        } else {
            for (std::size_t i = 0; i < n; ++i) to[i] = p[i];
        }
        size_ = quint32(n);
    }

private:
    static constexpr std::size_t kLocal = 16;
    std::unique_ptr<char[]> heap_;
    quint32 room_ = 0;  // of heap_
    quint32 size_ = 0;
    char local_[kLocal] = {};
};

// A value of a record buffer: a text, a boolean, or nothing yet. Plainer
// than a QVariant: a record of a hundred columns is copied, decoded and
// thrown away for every row read or written. A text given as plain ASCII
// bytes is kept as those bytes (Utf8), which the store binds as they are.
struct Value {
    enum Kind : quint8 { None, Text, Bool, Utf8 };
    QString text;
    ValueBytes bytes;  // a Utf8 value's, already cut and trimmed; under another kind, room kept for the next
    Kind kind = None;
    bool flag = false;    // the boolean
    bool stored = false;  // a text already cut and trimmed as the store keeps it

    static Value ofText(QString s, bool storedForm = false) {
        Value v;
        v.text = std::move(s);
        v.kind = Text;
        v.stored = storedForm;
        return v;
    }
    static Value ofBool(bool b) {
        Value v;
        v.kind = Bool;
        v.flag = b;
        return v;
    }
    // Made like another value in place, keeping the room its bytes had.
    void resetTo(const Value& blank) {
        if (!text.isNull() || !blank.text.isNull()) text = blank.text;
        if (blank.kind == Utf8) bytes = blank.bytes;
        kind = blank.kind;
        flag = blank.flag;
        stored = blank.stored;
    }
    bool isValid() const { return kind != None; }
    bool isNull() const { return kind == None || (kind == Text && text.isNull()); }
    // As a variant of the value would convert.
    QString toString() const {
        if (kind == Text) return text;
        if (kind == Utf8) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        if (kind == Bool) return flag ? QStringLiteral("true") : QStringLiteral("false");
        return QString();
    }
    bool toBool() const {
        if (kind == Bool) return flag;
        if (kind == Text)
            return !text.isEmpty() && text != QLatin1String("0") &&
                   text.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
        if (kind == Utf8) {
            const QLatin1String b(bytes.data(), qsizetype(bytes.size()));
            return !b.isEmpty() && b != QLatin1String("0") && b.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
        }
        return false;
    }
};

// One column of a dataset's current record.
class Field {
public:
    Field(DataSet* owner, int index, FieldDef def) : owner_(owner), index_(index), def_(std::move(def)) {}

    const QString& FieldName() const { return def_.name; }
    int Size() const { return def_.width; }
    FieldType DataType() const { return def_.type; }
    const QString& EditMask() const { return def_.editMask; }
    void SetEditMask(const QString& mask) { def_.editMask = mask; }
    int Index() const { return index_; }

    QString AsString() const;
    void SetAsString(const QString& value);
    // The value as UTF-8 bytes, without a QString made for it: valid until
    // the record moves or the field is set again.
    QByteArrayView AsUtf8() const;
    // Sets the value from UTF-8 bytes, as SetAsString would from their text;
    // plain ASCII is kept as the bytes given, with no QString made.
    void SetAsUtf8(QByteArrayView value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    int AsInteger() const;
    bool IsNull() const;
    void Clear();

    // The text shown for the value; a display handler may replace it.
    QString DisplayText() const;
    std::function<QString(const Field&)> OnGetText;

private:
    DataSet* owner_;
    int index_;
    FieldDef def_;
    mutable QByteArray utf8_;  // AsUtf8's bytes of a value held as a QString
};

enum class DataSetState { Inactive, Browse, Edit, Insert };

// What the table and the query share: fields, the current record and its buffer.
class DataSet {
public:
    DataSet() = default;
    virtual ~DataSet() = default;
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    virtual void Open() = 0;
    virtual void Close();
    bool Active() const { return state_ != DataSetState::Inactive; }
    DataSetState State() const { return state_; }

    virtual void First() = 0;
    virtual void Next() = 0;
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return empty_; }
    virtual int RecordCount() = 0;

    Field& FieldByName(const QString& name);
    Field* FindField(const QString& name);
    Field& Fields(int index) { return *fields_.at(index); }
    int FieldCount() const { return int(fields_.size()); }

    // The field definitions used when the dataset opens ("persistent fields").
    // Empty: every column of the table or result.
    void SetFieldDefs(const QList<FieldDef>& defs) { persistent_ = defs; }

protected:
    friend class Field;
    void setValue(int index, Value value);
    void setText(int index, const QString& text);  // a text in the form the store keeps it
    // Plain ASCII in the form the store keeps it; inline, as it runs for every value of a long append.
    void setBytes(int index, QByteArrayView ascii) {
        if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) [[unlikely]]
            notEditing();
        Value& v = buffer_[index];
        v.bytes.assign(ascii.data(), std::size_t(ascii.size()));
        if (!v.text.isNull()) v.text = QString();
        v.kind = Value::Utf8;
        v.stored = true;
        if (lazy_) decodedGen_[index] = recordGen_;
    }
    // Out of the way of the setters, which run for every value of a long append.
    [[noreturn]] Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void notEditing() const;
    // The bytes of a column of the current record not decoded yet, when the
    // dataset can give them without decoding (null data: a null value).
    bool pendingBytes(int index, QByteArrayView& out) {
        return lazy_ && decodedGen_[index] != recordGen_ && rawBytes(index, out);
    }
    virtual bool rawBytes(int, QByteArrayView&) { return false; }
    // The current record's value of a column. A record may be loaded with its
    // columns still undecoded: each is decoded when first asked for, so that
    // a reader pays only for the columns it reads.
    const Value& valueAt(int index) {
        if (lazy_ && decodedGen_[index] != recordGen_) {
            decodePending(index, buffer_[index]);
            decodedGen_[index] = recordGen_;
        }
        return buffer_[index];
    }
    virtual void decodePending(int, Value& out) { out = Value(); }
    void beginLazyRecord();  // every column of the new current record pending
    void endLazyRecord() { lazy_ = false; }
    void checkActive() const;
    void buildFields(const QList<FieldDef>& defs);

    std::vector<std::unique_ptr<Field>> fields_;
    QHash<QString, Field*> byName_;  // lower-case name
    QVector<Value> buffer_;
    bool lazy_ = false;
    quint32 recordGen_ = 0;
    QVector<quint32> decodedGen_;  // per column: the record whose value buffer_ holds
    QList<FieldDef> persistent_;
    DataSetState state_ = DataSetState::Inactive;
    bool eof_ = true;
    bool bof_ = true;
    bool empty_ = true;
    QString name_;
};

// Cuts a text to its column and drops trailing blanks, as the store keeps it.
QString normalizeText(const QString& value, int width);

}  // namespace db
