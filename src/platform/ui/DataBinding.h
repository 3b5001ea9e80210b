#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

class QLineEdit;

namespace db {
class DataSet;
class Field;
}  // namespace db

namespace ui {

class RadioGroup;

// A control bound to a field of a dataset's current record (the design's
// data-aware controls). The control shows the field; what the user changes
// reaches the field when Store() runs (the form runs it when the control
// loses the focus and before a confirmation); Refresh() shows the field again
// when its value was changed by code.
class FieldLink {
public:
    FieldLink(db::DataSet* dataSet, QString fieldName) : dataSet_(dataSet), fieldName_(std::move(fieldName)) {}
    virtual ~FieldLink() = default;

    db::Field* field() const;   // null while the dataset is closed
    const QString& fieldName() const { return fieldName_; }
    virtual QWidget* control() const = 0;

    // Shows the field's value.
    virtual void Load() = 0;
    // Writes the control's value into the field when the dataset is being
    // edited and the value differs.
    virtual void Store() = 0;
    // Shows the field again when it changed since it was last shown or stored.
    void Refresh();

protected:
    bool editing() const;
    db::DataSet* dataSet_;
    QString fieldName_;
    QString shown_;   // the field's value as last shown or stored
};

// A line edit bound to a text field. The field's edit mask, when it has one
// and the edit has none, becomes the edit's mask; its width the edit's length.
class EditLink : public FieldLink {
public:
    EditLink(QLineEdit* edit, db::DataSet* dataSet, const QString& fieldName);
    QWidget* control() const override;
    void Load() override;
    void Store() override;
    // A value of zeros only (a code that means none) is shown empty and is
    // not overwritten by the empty edit.
    void SetZerosShownEmpty(bool on) { zerosShownEmpty_ = on; }

private:
    bool showsEmpty(const QString& value) const;
    QLineEdit* edit_;
    bool zerosShownEmpty_ = false;
};

// A radio group bound to a field: each button stands for one value. Choosing
// a button writes its value at once, as the design's data-aware group does.
class RadioGroupLink : public FieldLink {
public:
    RadioGroupLink(RadioGroup* group, db::DataSet* dataSet, const QString& fieldName, QStringList values);
    ~RadioGroupLink() override;
    QWidget* control() const override;
    void Load() override;
    void Store() override;

private:
    RadioGroup* group_;
    QStringList values_;
    bool loading_ = false;
    QMetaObject::Connection connection_;
};

}  // namespace ui
