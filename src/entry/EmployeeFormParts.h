#pragma once
// Small builders shared by the two source files of the employee form.
#include "PickerIcons.h"
#include "platform/db/Table.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/EntryWidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QValidator>

namespace employee_form {

enum Page { kPersonal, kAdmission, kContract, kAbsence, kUnion, kPay, kTermination };

// Money edits take at most ten typed characters. A maximum length would cut
// the display text, which carries blanks in front of the amount.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int length, QObject* parent) : QValidator(parent), length_(length) {}
    State validate(QString& input, int&) const override {
        return input.trimmed().size() > length_ ? Invalid : Acceptable;
    }

private:
    int length_;
};

inline void MakeMoneyEdit(QLineEdit* edit) {
    edit->setAlignment(Qt::AlignRight);
    edit->setValidator(new TypedLengthValidator(10, edit));
}

// The name of a code in a lookup table; empty when the code is not there.
inline QString LookupName(db::Table& table, const QString& code, const char* nameField) {
    if (code.trimmed().isEmpty()) return QString();
    if (!table.Active()) table.Open();
    if (!table.FindKey({code.trimmed()})) return QString();
    return table.FieldByName(QLatin1String(nameField)).AsString();
}

inline QToolButton* PickerButton(QWidget* parent, const char* name, const char* hint = nullptr) {
    return ui::MakeSpeedButton(parent, QLatin1String(name), PickerIcons::OpenFolder(),
                               hint ? QString::fromUtf8(hint) : QString());
}

inline QLabel* Caption(const char* text, QWidget* buddy = nullptr) {
    auto* l = new QLabel(QString::fromUtf8(text));
    if (buddy) l->setBuddy(buddy);
    return l;
}

inline QGroupBox* Group(const char* title, QWidget* parent) { return new QGroupBox(QString::fromUtf8(title), parent); }

// The pages are dense: small margins keep them within the form's height.
inline void Compact(QLayout* layout) {
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
}

// One edit row of the control table.
inline ui::ControlRow EditRow(const char* name, int page, int help, const char* field, unsigned flags,
                              const char* hint, QLineEdit** out) {
    ui::ControlRow row;
    row.name = QLatin1String(name);
    row.page = page;
    row.help = help;
    if (field) row.field = QLatin1String(field);
    row.flags = flags;
    if (hint) row.hint = QString::fromUtf8(hint);
    row.edit = out;
    return row;
}

// A description box: read-only, no tab stop.
inline ui::ControlRow DescriptionRow(const char* name, int page, QLineEdit** out) {
    return EditRow(name, page, 0, nullptr, ui::kReadOnly | ui::kNoTabStop, nullptr, out);
}

// A code edit with its picker button and its description box in one row.
inline QWidget* CodeRow(QLineEdit* code, QToolButton* button, QLineEdit* description, int codeWidth = 60) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    code->setMaximumWidth(codeWidth);
    h->addWidget(code);
    if (button) h->addWidget(button);
    if (description) h->addWidget(description, 1);
    else h->addStretch(1);
    return w;
}

// A group holding one row of controls, placed in the grid when one is given.
inline QHBoxLayout* RowIn(QGroupBox* box, QGridLayout* grid = nullptr, int row = 0, int column = 0) {
    auto* layout = new QHBoxLayout(box);
    Compact(layout);
    if (grid) grid->addWidget(box, row, column);
    return layout;
}

}  // namespace employee_form
