#include "DataBinding.h"

#include "EntryWidgets.h"
#include "MaskAdapter.h"
#include "platform/db/DataSet.h"

#include <QLineEdit>
#include <algorithm>

namespace ui {

namespace {
constexpr int kUnlimitedLength = 32767;  // QLineEdit's default maximum length
}

db::Field* FieldLink::field() const {
    if (!dataSet_ || !dataSet_->Active()) return nullptr;
    return dataSet_->FindField(fieldName_);
}

bool FieldLink::editing() const {
    return dataSet_ && (dataSet_->State() == db::DataSetState::Edit || dataSet_->State() == db::DataSetState::Insert);
}

void FieldLink::Refresh() {
    const db::Field* f = field();
    const QString value = f ? f->AsString() : QString();
    if (value != shown_) Load();
}

EditLink::EditLink(QLineEdit* edit, db::DataSet* dataSet, const QString& fieldName)
    : FieldLink(dataSet, fieldName), edit_(edit) {}

QWidget* EditLink::control() const { return edit_; }

void EditLink::Load() {
    const db::Field* f = field();
    shown_ = f ? f->AsString() : QString();
    if (f && DesignMaskOf(edit_).isEmpty() && edit_->inputMask().isEmpty()) {
        if (!f->EditMask().isEmpty())
            SetDesignMask(edit_, f->EditMask());
        else if (f->Size() > 0 && edit_->maxLength() == kUnlimitedLength)
            edit_->setMaxLength(f->Size());  // a length the form set stays
    }
    SetEditValue(edit_, showsEmpty(shown_) ? QString() : shown_);
    // A long value in a field nobody is typing in shows its beginning.
    if (!edit_->hasFocus()) edit_->setCursorPosition(0);
}

void EditLink::Store() {
    db::Field* f = field();
    if (!f || !editing() || edit_->isReadOnly()) return;
    const QString value = EditValue(edit_);
    if (value == f->AsString() || (value.isEmpty() && showsEmpty(f->AsString()))) return;
    f->SetAsString(value);
    shown_ = f->AsString();
}

bool EditLink::showsEmpty(const QString& value) const {
    return zerosShownEmpty_ && !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) {
        return c == QLatin1Char('0');
    });
}

RadioGroupLink::RadioGroupLink(RadioGroup* group, db::DataSet* dataSet, const QString& fieldName, QStringList values)
    : FieldLink(dataSet, fieldName), group_(group), values_(std::move(values)) {
    connection_ = QObject::connect(group_, &RadioGroup::itemIndexChanged, group_, [this] {
        if (!loading_) Store();
    });
}

RadioGroupLink::~RadioGroupLink() { QObject::disconnect(connection_); }

QWidget* RadioGroupLink::control() const { return group_; }

void RadioGroupLink::Load() {
    const db::Field* f = field();
    shown_ = f ? f->AsString() : QString();
    loading_ = true;
    group_->SetItemIndex(int(values_.indexOf(shown_.trimmed())));
    loading_ = false;
}

void RadioGroupLink::Store() {
    db::Field* f = field();
    if (!f || !editing()) return;
    const int index = group_->ItemIndex();
    const QString value = index >= 0 ? values_.value(index) : QString();
    if (value == f->AsString()) return;
    f->SetAsString(value);
    shown_ = f->AsString();
}

}  // namespace ui
