#include "HierarchyPicker.h"

#include "LookupPicker.h"
#include "PickerIcons.h"
#include "platform/db/Table.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "shell/ugFuncoes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

QList<QTreeWidgetItem*> TreeNodesInDisplayOrder(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> nodes;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* node) {
        nodes.append(node);
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i));
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i));
    return nodes;
}

QString WithoutAccents(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) plain.append(c);
    return plain.normalized(QString::NormalizationForm_C);
}

QString SearchKey(const QString& text) {
    // The shipped descriptions keep their accents and users type with or
    // without them: both sides are compared without accents and in capitals.
    QString key = WithoutAccents(text);
    for (QChar& c : key)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
    return key;
}

THierarchyPicker::THierarchyPicker(const Setup& setup, QWidget* parent)
    : QDialog(parent),
      TreeView1(new QTreeWidget(this)),
      Label1(new QLabel(QStringLiteral("Localizar:"), this)),
      Edit1(new QLineEdit(this)),
      btnNext(new QPushButton(QStringLiteral("&Próxima"), this)),
      btnPrev(new QPushButton(QStringLiteral("&Anterior"), this)),
      BitBtn3(new QPushButton(QStringLiteral("Selecionar"), this)),
      setup_(setup),
      kit_(new ui::EntryFormController(this)) {
    setWindowTitle(setup.caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnPrev->setObjectName(QStringLiteral("btnPrev"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setIcon(PickerIcons::Document());
    for (QPushButton* b : {btnNext, btnPrev, BitBtn3}) b->setAutoDefault(false);

    TreeView1->setHeaderHidden(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView1->setSortingEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(TreeView1, 0, 0, 1, 5);
    layout->addWidget(Label1, 1, 0);
    layout->addWidget(Edit1, 1, 1);
    layout->addWidget(btnNext, 1, 2);
    layout->addWidget(btnPrev, 1, 3);
    layout->addWidget(BitBtn3, 1, 4);
    layout->setColumnStretch(1, 1);
    resize(560, 420);
    forms::CenterOnActivate(this);

    // The search box's check runs when it is left, as on the entry forms;
    // Enter searches here instead of moving on.
    kit_->EnterAsTab = false;
    kit_->OnExit(Edit1, [this] {
        // An accented letter is searched as its plain letter, so it is checked as one.
        if (!Edit1->text().trimmed().isEmpty()) ValidateNameEdit(Edit1, WithoutAccents(Edit1->text()));
    });
    TreeView1->installEventFilter(this);
    Edit1->installEventFilter(this);
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { SelectCode(); });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &THierarchyPicker::updateIcons);
    // A button pressed while the search box holds a refused text does nothing.
    connect(btnNext, &QPushButton::clicked, this, [this] {
        if (kit_->RunPendingChecks()) FindNextNode();
    });
    connect(btnPrev, &QPushButton::clicked, this, [this] {
        if (kit_->RunPendingChecks()) FindPrevNode();
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        if (kit_->RunPendingChecks()) SelectCode();
    });
}

void THierarchyPicker::FillFromTable(db::Table& table) {
    TreeView1->clear();
    if (!table.Active()) table.Open();
    const QIcon folder = PickerIcons::ClosedFolder();
    const QIcon document = PickerIcons::Document();
    // The last node of each level: a child hangs under the last node one level up.
    QList<QTreeWidgetItem*> last;
    for (table.First(); !table.Eof(); table.Next()) {
        const QString code = table.Fields(0).AsString();
        const int level = qMax(0, setup_.levelOf(code.trimmed()));
        const QString text = LookupNodeText(code, table.Fields(1).AsString());
        QTreeWidgetItem* parentNode = level > 0 && level - 1 < last.size() ? last.at(level - 1) : nullptr;
        if (level > 0 && !parentNode) continue;  // a row without its upper level has nowhere to go
        auto* node = parentNode ? new QTreeWidgetItem(parentNode, {text}) : new QTreeWidgetItem(TreeView1, {text});
        node->setData(0, Qt::UserRole, level);
        node->setIcon(0, level == setup_.chosenLevel ? document : folder);
        while (last.size() <= level) last.append(nullptr);
        last[level] = node;
        last.erase(last.begin() + level + 1, last.end());
    }
    if (setup_.sortByText) TreeView1->sortItems(0, Qt::AscendingOrder);
}

int THierarchyPicker::levelOf(const QTreeWidgetItem* node) const { return node->data(0, Qt::UserRole).toInt(); }

void THierarchyPicker::updateIcons(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (previous && levelOf(previous) != setup_.chosenLevel) previous->setIcon(0, PickerIcons::ClosedFolder());
    if (current && levelOf(current) != setup_.chosenLevel) current->setIcon(0, PickerIcons::OpenFolder());
}

void THierarchyPicker::SelectCode() { chooseSelected(); }

bool THierarchyPicker::chooseSelected() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node || !node->isSelected() || levelOf(node) != setup_.chosenLevel) return false;
    const QString code = node->text(0).left(setup_.charsCopied);
    if (Target) {
        db::Field* field = Target();
        if (!field) return false;
        field->SetAsString(code);
        chosen_ = field->AsString();
    } else {
        chosen_ = code.trimmed();
    }
    forms::SetModalResult(this, forms::mrOk);
    accept();
    return true;
}

bool THierarchyPicker::FindNextNode() { return find(true); }
bool THierarchyPicker::FindPrevNode() { return find(false); }

bool THierarchyPicker::find(bool forward) {
    const QString wanted = SearchKey(Edit1->text());
    const QList<QTreeWidgetItem*> nodes = TreeNodesInDisplayOrder(TreeView1);
    QTreeWidgetItem* current = TreeView1->currentItem();
    const int at = current && current->isSelected() ? int(nodes.indexOf(current)) : -1;
    // With nothing selected the search covers the whole tree.
    const int start = forward ? at + 1 : (at < 0 ? int(nodes.size()) - 1 : at - 1);
    if (!wanted.isEmpty()) {
        for (int i = start; forward ? i < nodes.size() : i >= 0; i += forward ? 1 : -1) {
            QTreeWidgetItem* node = nodes.at(i);
            if (!SearchKey(node->text(0)).contains(wanted)) continue;
            for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) p->setExpanded(true);
            TreeView1->setFocus(Qt::OtherFocusReason);
            TreeView1->setCurrentItem(node);
            node->setSelected(true);
            TreeView1->scrollToItem(node);
            return true;
        }
    }
    msg::ShowInformation(forward ? QStringLiteral("Fim da Pesquisa") : QStringLiteral("Fim da pesquisa"));
    return false;
}

void THierarchyPicker::enterInTree() {
    if (chooseSelected()) return;
    QTreeWidgetItem* node = TreeView1->currentItem();
    focusNextChild();
    if (!node || !node->isSelected()) return;
    const int level = levelOf(node);
    std::function<void(QTreeWidgetItem*)> expandAll = [&](QTreeWidgetItem* n) {
        n->setExpanded(true);
        for (int i = 0; i < n->childCount(); ++i) expandAll(n->child(i));
    };
    switch (setup_.enterExpands) {
    case EnterExpands::Nothing:
        break;
    case EnterExpands::TopLevelFully:
        if (level == 0) expandAll(node);
        break;
    case EnterExpands::OccupationLevels:
        if (level == 0 || level == 1) node->setExpanded(true);
        else if (level == 2) expandAll(node);
        break;
    }
}

bool THierarchyPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == TreeView1) {
            enterInTree();
            return true;
        }
        if (enter && watched == Edit1) {
            FindNextNode();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
