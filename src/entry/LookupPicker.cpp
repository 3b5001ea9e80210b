#include "LookupPicker.h"

#include "PickerIcons.h"
#include "platform/db/Table.h"
#include "platform/ui/Forms.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

QString LookupNodeText(const QString& code, const QString& description) {
    return code + QStringLiteral("  - ") + description;
}

TLookupPicker::TLookupPicker(const QString& caption, ChooseOn chooseOn, int charsCopied, QWidget* parent)
    : QDialog(parent), TreeView1(new QTreeWidget(this)), chooseOn_(chooseOn), charsCopied_(charsCopied) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(false);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TreeView1);
    resize(420, 300);
    TreeView1->installEventFilter(this);
    TreeView1->viewport()->installEventFilter(this);
    forms::CenterOnActivate(this);

    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (chooseOn_ == ChooseOn::DoubleClick) SelectCode();
    });
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] {
        if (chooseOn_ == ChooseOn::SingleClick) SelectCode();
    });
}

void TLookupPicker::FillFromTable(db::Table& table) {
    TreeView1->clear();
    if (!table.Active()) table.Open();
    const QIcon icon = PickerIcons::Document();
    for (table.First(); !table.Eof(); table.Next()) {
        auto* node = new QTreeWidgetItem(TreeView1, {LookupNodeText(table.Fields(0).AsString(), table.Fields(1).AsString())});
        node->setIcon(0, icon);
    }
}

void TLookupPicker::FillFromTexts(const QStringList& texts) {
    TreeView1->clear();
    const QIcon icon = PickerIcons::Document();
    for (const QString& text : texts) (new QTreeWidgetItem(TreeView1, {text}))->setIcon(0, icon);
}

void TLookupPicker::SelectCode() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    const bool selected = node && node->isSelected() && !node->parent();
    if (selected && Target) {
        if (db::Field* field = Target()) {
            field->SetAsString(node->text(0).left(charsCopied_));
            chosen_ = field->AsString();
            AfterChoice(chosen_);
            forms::SetModalResult(this, forms::mrOk);
            accept();
            return;
        }
    }
    if (closeOnEveryClick_) {
        forms::SetModalResult(this, forms::mrCancel);
        reject();
    }
}

bool TLookupPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == TreeView1 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // A picker just opened draws its current entry highlighted before any is selected:
            // Enter takes that entry.
            if (QTreeWidgetItem* current = TreeView1->currentItem(); current && TreeView1->selectedItems().isEmpty())
                current->setSelected(true);
            SelectCode();
            return true;
        }
    }
    // The month picker closes on a click beside the nodes too.
    if (closeOnEveryClick_ && watched == TreeView1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        !TreeView1->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
        SelectCode();
    return QDialog::eventFilter(watched, event);
}
