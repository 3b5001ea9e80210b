#include "ControlTable.h"

#include "EntryForm.h"
#include "EntryWidgets.h"
#include "MaskAdapter.h"
#include "PageControl.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

namespace ui {

ControlTable::ControlTable(EntryFormController* kit, db::DataSet* dataSet, PageControl* pages)
    : kit_(kit), dataSet_(dataSet), pages_(pages) {}

QWidget* ControlTable::parentFor(int page) const {
    if (pages_ && page >= 0 && page < pages_->count()) return pages_->widget(page);
    return kit_->form();
}

QWidget* ControlTable::Add(ControlRow row) {
    QWidget* parent = parentFor(row.page);
    QWidget* control = nullptr;
    if (!row.items.isEmpty()) {
        auto* group = new RadioGroup(row.title, row.items, row.columns, parent);
        if (row.group) *row.group = group;
        if (dataSet_ && !row.field.isEmpty()) kit_->Bind(group, dataSet_, row.field, row.values);
        if (row.flags & kNoTabStop)
            for (int i = 0; i < group->Count(); ++i) group->Button(i)->setFocusPolicy(Qt::ClickFocus);
        control = group;
    } else {
        auto* edit = new QLineEdit(parent);
        if (row.edit) *row.edit = edit;
        if (!row.mask.isEmpty()) SetDesignMask(edit, row.mask);
        if (row.width > 0 && row.mask.isEmpty()) edit->setMaxLength(row.width);
        if (row.flags & kUpper) SetUpperCase(edit);
        if (row.flags & kLower) SetLowerCase(edit);
        if (row.flags & kMoney) SetMoneyEdit(edit);
        if (row.flags & kReadOnly) SetLocked(edit, true);
        if (row.flags & kNoTabStop) edit->setFocusPolicy(Qt::ClickFocus);
        if (dataSet_ && !row.field.isEmpty())
            kit_->Bind(edit, dataSet_, row.field)->SetZerosShownEmpty(row.flags & kZerosEmpty);
        control = edit;
    }
    control->setObjectName(row.name);
    if (row.help) SetHelpContext(control, row.help);
    if (!row.hint.isEmpty()) control->setToolTip(row.hint);
    if (row.flags & kDisabled) control->setEnabled(false);
    if (row.exit) registerExit(row, control);
    built_.push_back({std::move(row), control});
    return control;
}

void ControlTable::Add(std::vector<ControlRow> rows) {
    for (ControlRow& row : rows) Add(std::move(row));
}

void ControlTable::registerExit(const ControlRow& row, QWidget* control) {
    const unsigned flags = row.flags;
    const std::function<void()> check = row.exit;
    if (flags & kExitEvenForSkipped) kit_->ExitEvenForSkipped(control);
    kit_->OnExit(control, [this, control, flags, check] {
        if (flags & kSkipOnPageTab) {
            if (qobject_cast<QTabBar*>(kit_->ExitTarget())) return;
        }
        if (flags & kIfFilled) {
            if (auto* edit = qobject_cast<QLineEdit*>(control); edit && EditValue(edit).trimmed().isEmpty()) return;
        }
        check();
    });
}

void ControlTable::ApplyTabOrder(const std::vector<QWidget*>& after) const {
    std::vector<QWidget*> order;
    for (const Built& b : built_) {
        if (auto* group = qobject_cast<RadioGroup*>(b.control)) {
            for (int i = 0; i < group->Count(); ++i) order.push_back(group->Button(i));
        } else {
            order.push_back(b.control);
        }
    }
    order.insert(order.end(), after.begin(), after.end());
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* ControlTable::Control(const QString& name) const {
    for (const Built& b : built_)
        if (b.row.name == name) return b.control;
    return nullptr;
}

QLineEdit* ControlTable::Edit(const QString& name) const { return qobject_cast<QLineEdit*>(Control(name)); }

RadioGroup* ControlTable::Group(const QString& name) const { return qobject_cast<RadioGroup*>(Control(name)); }

const ControlRow* ControlTable::Row(const QString& name) const {
    for (const Built& b : built_)
        if (b.row.name == name) return &b.row;
    return nullptr;
}

const ControlRow* ControlTable::RowOf(const QWidget* control) const {
    for (const Built& b : built_)
        if (b.control == control) return &b.row;
    return nullptr;
}

int ControlTable::PageOf(const QWidget* control) const {
    const ControlRow* row = RowOf(control);
    return row ? row->page : kNoPage;
}

}  // namespace ui
