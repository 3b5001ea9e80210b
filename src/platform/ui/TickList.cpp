#include "platform/ui/TickList.h"

#include <QKeyEvent>

namespace forms {

TickList::TickList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, &TickList::onItemChanged);
    // The box's own toggle arrives (as itemChanged) before clicked.
    connect(this, &QAbstractItemView::clicked, this, &TickList::onClicked);
}

QListWidgetItem* TickList::AddLine(const QString& text) {
    // Made whole before the list takes it: an item made inside the list would
    // have the list search all its lines for it, and signal each change.
    auto* item = new QListWidgetItem(text);
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    item->setCheckState(Qt::Unchecked);
    addItem(item);
    return item;
}

bool TickList::IsTicked(int row) const {
    const QListWidgetItem* it = item(row);
    return it && it->checkState() == Qt::Checked;
}

void TickList::SetTicked(int row, bool ticked) {
    QListWidgetItem* it = item(row);
    if (!it) return;
    const bool wasQuiet = quiet_;
    quiet_ = true;
    it->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    quiet_ = wasQuiet;
}

void TickList::SetAllTicked(bool ticked) {
    for (int i = 0; i < count(); ++i) SetTicked(i, ticked);
}

void TickList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        toggleCurrent();
        event->accept();
        return;
    }
    // The space bar toggles through the item delegate, signalled by onItemChanged.
    QListWidget::keyPressEvent(event);
    boxToggled_ = false;
}

void TickList::mousePressEvent(QMouseEvent* event) {
    boxToggled_ = false;
    QListWidget::mousePressEvent(event);
}

void TickList::onClicked(const QModelIndex& index) {
    const bool byBox = boxToggled_;
    boxToggled_ = false;
    if (!index.isValid() || byBox) return;
    toggleCurrent();
}

void TickList::onItemChanged(QListWidgetItem* item) {
    if (quiet_ || !item) return;
    boxToggled_ = true;
    emit LineTicked(row(item), item->checkState() == Qt::Checked);
}

void TickList::toggleCurrent() {
    QListWidgetItem* it = currentItem();
    if (!it) return;
    const int r = row(it);
    const bool ticked = it->checkState() != Qt::Checked;
    SetTicked(r, ticked);
    emit LineTicked(r, ticked);
}

int CountTickedItems(const QListWidget* list) {
    if (!list) return 0;
    int n = 0;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) ++n;
    return n;
}

}  // namespace forms
