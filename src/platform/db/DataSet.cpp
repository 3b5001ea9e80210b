#include "DataSet.h"

namespace db {

QString normalizeText(const QString& value, int width) {
    QString s = value;
    if (width > 0 && s.size() > width) {
        // Never keep half of a surrogate pair: it is no character at all.
        const bool split = s.at(width - 1).isHighSurrogate() && s.at(width).isLowSurrogate();
        s.truncate(split ? width - 1 : width);
    }
    int end = s.size();
    while (end > 0 && s.at(end - 1) == QLatin1Char(' ')) --end;
    s.truncate(end);
    return s;
}

QString Field::AsString() const {
    const QVariant& v = owner_->valueAt(index_);
    // The common case without QVariant's conversion machinery.
    if (v.typeId() == QMetaType::QString && def_.type == FieldType::Text)
        return *static_cast<const QString*>(v.constData());
    if (!v.isValid() || v.isNull()) return QString();
    if (def_.type == FieldType::Boolean) return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

void Field::SetAsString(const QString& value) {
    if (def_.type == FieldType::Boolean) {
        owner_->setValue(index_, value.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 || value == QLatin1String("1"));
        return;
    }
    owner_->setValue(index_, normalizeText(value, def_.width));
}

bool Field::AsBoolean() const {
    const QVariant& v = owner_->valueAt(index_);
    if (v.typeId() == QMetaType::QString) return v.toString() == QLatin1String("1") || v.toString().compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
    return v.isValid() && v.toBool();
}

void Field::SetAsBoolean(bool value) { owner_->setValue(index_, value); }

int Field::AsInteger() const {
    const QVariant& v = owner_->valueAt(index_);
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : v.toInt();
}

bool Field::IsNull() const {
    const QVariant& v = owner_->valueAt(index_);
    return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

void Field::Clear() { owner_->setValue(index_, def_.type == FieldType::Boolean ? QVariant(false) : QVariant(QString())); }

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

void DataSet::setValue(int index, QVariant value) {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw DbError(ErrorKind::Usage, kNotEditing, QStringLiteral("Dataset not in edit or insert mode.\n%1").arg(name_));
    buffer_[index] = std::move(value);
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
    buffer_ = QVector<QVariant>(defs.size());
    lazy_ = false;
    decodedGen_ = QVector<quint32>(defs.size(), 0);
}

}  // namespace db
