#include "DataSet.h"

#include <cstring>

namespace db {

QString normalizeText(const QString& value, int width) {
    // Most values already are as stored: no copy is made then.
    qsizetype end = value.size();
    if (width > 0 && end > width) {
        // Never keep half of a surrogate pair: it is no character at all.
        const bool split = value.at(width - 1).isHighSurrogate() && value.at(width).isLowSurrogate();
        end = split ? width - 1 : width;
    }
    const QChar* p = value.constData();
    while (end > 0 && p[end - 1] == QLatin1Char(' ')) --end;
    if (end == value.size()) return value;
    return value.left(end);
}

QString Field::AsString() const {
    const Value& v = owner_->valueAt(index_);
    if (v.kind == Value::Text && def_.type == FieldType::Text) return v.text;
    if (v.isNull()) return QString();
    if (def_.type == FieldType::Boolean) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

void Field::SetAsString(const QString& value) {
    if (def_.type == FieldType::Boolean) {
        owner_->setValue(index_, Value::ofBool(value.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 ||
                                               value == QLatin1String("1")));
        return;
    }
    // Most values need no cutting nor trimming: kept as given, without a copy made.
    const qsizetype n = value.size();
    if ((def_.width <= 0 || n <= def_.width) && (n == 0 || value.constData()[n - 1] != QLatin1Char(' ')))
        owner_->setText(index_, value);
    else
        owner_->setText(index_, normalizeText(value, def_.width));
}

QByteArrayView Field::AsUtf8() const {
    QByteArrayView raw;
    if (def_.type != FieldType::Boolean && owner_->pendingBytes(index_, raw)) return raw;
    const Value& v = owner_->valueAt(index_);
    if (v.kind == Value::Utf8 && def_.type == FieldType::Text) return QByteArrayView(v.bytes.data(), qsizetype(v.bytes.size()));
    const QString text = AsString();
    if (text.isNull()) return QByteArrayView();
    utf8_ = text.toUtf8();
    return utf8_;
}

void Field::SetAsUtf8(QByteArrayView value) {
    const char* p = value.data();
    qsizetype n = value.size();
    bool ascii = def_.type != FieldType::Boolean && p != nullptr;
    if (ascii && n >= 8) {
        // Eight bytes at a time, the last eight overlapping: no top bit set.
        quint64 seen = 0, word;
        for (qsizetype i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&word, p + i, 8);
            seen |= word;
        }
        std::memcpy(&word, p + n - 8, 8);
        ascii = ((seen | word) & 0x8080808080808080ull) == 0;
    } else if (ascii && n >= 4) {
        quint32 head, tail;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + n - 4, 4);
        ascii = ((head | tail) & 0x80808080u) == 0;
    } else {
        for (qsizetype i = 0; i < n && ascii; ++i) ascii = static_cast<unsigned char>(p[i]) < 0x80;
    }
    if (!ascii) {
        SetAsString(QString::fromUtf8(value));
        return;
    }
    // Plain ASCII: a byte is a character, cut and trimmed as a text would be.
    if (def_.width > 0 && n > def_.width) n = def_.width;
    while (n > 0 && p[n - 1] == ' ') --n;
    owner_->setBytes(index_, QByteArrayView(p, n));
}

bool Field::AsBoolean() const {
    const Value& v = owner_->valueAt(index_);
    if (v.kind == Value::Text) return v.text == QLatin1String("1") || v.text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
    if (v.kind == Value::Utf8) {
        const QLatin1String b(v.bytes.data(), qsizetype(v.bytes.size()));
        return b == QLatin1String("1") || b.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    }
    return v.toBool();
}

void Field::SetAsBoolean(bool value) { owner_->setValue(index_, Value::ofBool(value)); }

int Field::AsInteger() const {
    const Value& v = owner_->valueAt(index_);
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (ok) return n;
    return v.kind == Value::Bool && v.flag ? 1 : 0;
}

bool Field::IsNull() const {
    const Value& v = owner_->valueAt(index_);
    return v.isNull() || (v.kind == Value::Text && v.text.isEmpty()) || (v.kind == Value::Utf8 && v.bytes.empty());
}

void Field::Clear() {
    owner_->setValue(index_, def_.type == FieldType::Boolean ? Value::ofBool(false) : Value::ofText(QString(), true));
}

QString Field::DisplayText() const { return OnGetText ? OnGetText(*this) : AsString(); }

void DataSet::Close() {
    state_ = DataSetState::Inactive;
    fields_.clear();
    byName_.clear();
    buffer_.clear();
    lazy_ = false;
    decodedGen_.clear();
    eof_ = bof_ = empty_ = true;
}

void DataSet::checkActive() const {
    if (state_ == DataSetState::Inactive)
        throw DbError(ErrorKind::Usage, kGeneralError, QStringLiteral("Cannot perform this operation on a closed dataset.\n%1").arg(name_));
}

Field* DataSet::FindField(const QString& name) {
    auto it = byName_.constFind(name);
    if (it != byName_.constEnd()) return *it;
    it = byName_.constFind(name.toLower());
    return it != byName_.constEnd() ? *it : nullptr;
}

Field& DataSet::FieldByName(const QString& name) {
    checkActive();
    if (Field* f = FindField(name)) return *f;
    throw DbError(ErrorKind::Usage, kFieldNotFound, QStringLiteral("Field '%1' not found.\n%2").arg(name, name_));
}

void DataSet::notEditing() const {
    throw DbError(ErrorKind::Usage, kNotEditing, QStringLiteral("Dataset not in edit or insert mode.\n%1").arg(name_));
}

void DataSet::setValue(int index, Value value) {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) [[unlikely]]
        notEditing();
    buffer_[index] = std::move(value);
    if (lazy_) decodedGen_[index] = recordGen_;
}

void DataSet::setText(int index, const QString& text) {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) [[unlikely]]
        notEditing();
    Value& v = buffer_[index];
    v.text = text;
    v.kind = Value::Text;
    v.stored = true;
    if (lazy_) decodedGen_[index] = recordGen_;
}

void DataSet::beginLazyRecord() {
    if (++recordGen_ == 0) {
        decodedGen_.fill(0);
        recordGen_ = 1;
    }
    lazy_ = true;
}

void DataSet::buildFields(const QList<FieldDef>& defs) {
    fields_.clear();
    byName_.clear();
    int i = 0;
    for (const auto& d : defs) {
        fields_.push_back(std::make_unique<Field>(this, i++, d));
        byName_.insert(d.name, fields_.back().get());
        byName_.insert(d.name.toLower(), fields_.back().get());
    }
    buffer_ = QVector<Value>(defs.size());
    lazy_ = false;
    decodedGen_ = QVector<quint32>(defs.size(), 0);
}

}  // namespace db
