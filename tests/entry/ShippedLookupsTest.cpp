// The shipped occupation and activity tables as a declaration meets them:
// codes that a partial table used to refuse pass the rules and sit in the
// pickers under their parents.
#include "entry/HierarchyPicker.h"
#include "entry/ufmTb8CBO.h"
#include "entry/ufmTb8cnae.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasEstabelecimento.h"
#include "support/DataFolder.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QTreeWidgetItem* nodeOfCode(QTreeWidget* tree, const QString& code) {
    for (QTreeWidgetItem* n : TreeNodesInDisplayOrder(tree))
        if (n->text(0).section(QLatin1Char(' '), 0, 0) == code) return n;
    return nullptr;
}

QStringList ancestorCodes(QTreeWidgetItem* node) {
    QStringList codes;
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) codes.prepend(p->text(0).section(QLatin1Char(' '), 0, 0));
    return codes;
}

class ShippedLookups : public ::testing::Test {
protected:
    TempProgramWithModules program;
};

TEST_F(ShippedLookups, CodesOfTheFullListsPassTheRulesAndHangUnderTheirParents) {
    TfmTb8CBO occupations;
    struct Occupation {
        const char* code;
        QStringList parents;
    };
    const Occupation cases[] = {
        {"214225", {"21", "214", "2142"}},   // civil engineer (railways)
        {"510110", {"51", "510", "5101"}},   // building manager
        {"271105", {"27", "271", "2711"}},   // chef: a sub-major group the partial table lacked
    };
    for (const Occupation& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(CheckCbo(QString::fromLatin1(c.code)), QStringLiteral("0000"));
        // No flag on an added occupation: nobody is refused for schooling.
        EXPECT_EQ(CheckCboForSchooling(QStringLiteral("01"), QString::fromLatin1(c.code)), QStringLiteral("0000"));
        QTreeWidgetItem* node = nodeOfCode(occupations.TreeView1, QString::fromLatin1(c.code));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(ancestorCodes(node), c.parents);
    }
    // The codes the rule refuses by name stay refused and out of the picker.
    EXPECT_EQ(CheckCbo(QStringLiteral("514210")), QStringLiteral("3747"));
    EXPECT_EQ(nodeOfCode(occupations.TreeView1, QStringLiteral("514210")), nullptr);
    EXPECT_EQ(CheckCbo(QStringLiteral("999999")), QStringLiteral("0260"));

    TfmTb8Cnae activities;
    for (const char* code : {"4744003", "4711302", "6201500", "8112500"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(CheckCnae(QString::fromLatin1(code)), QStringLiteral("0000"));
        QTreeWidgetItem* node = nodeOfCode(activities.TreeView1, QString::fromLatin1(code));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(ancestorCodes(node), QStringList{QString::fromLatin1(code).left(2)});
    }
    EXPECT_EQ(CheckCnae(QStringLiteral("8112501")), QStringLiteral("0361"));
}

TEST_F(ShippedLookups, EveryRowFindsItsPlaceInThePickers) {
    // A row whose parent is missing would be dropped silently by the tree.
    TfmTb8CBO occupations;
    TfmTb8Cnae activities;
    EXPECT_EQ(TreeNodesInDisplayOrder(occupations.TreeView1).size(), 3480);
    EXPECT_EQ(TreeNodesInDisplayOrder(activities.TreeView1).size(), 1388);
    EXPECT_EQ(activities.TreeView1->topLevelItemCount(), 87);

    QTreeWidgetItem* retail = nodeOfCode(activities.TreeView1, QStringLiteral("47"));
    ASSERT_NE(retail, nullptr);
    EXPECT_EQ(retail->childCount(), 74);  // the retail subclasses of the classification
    for (int i = 0; i < retail->childCount(); ++i) EXPECT_TRUE(retail->child(i)->text(0).startsWith(QStringLiteral("47")));
}

TEST_F(ShippedLookups, OccupationSearchFindsAnAddedTitleAndChoosesIt) {
    TfmTb8CBO occupations;
    occupations.Edit1->setText(QStringLiteral("metrovias"));
    ASSERT_TRUE(occupations.FindNextNode());
    QTreeWidgetItem* found = occupations.TreeView1->currentItem();
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->text(0).startsWith(QStringLiteral("2142")));
    EXPECT_TRUE(found->parent()->isExpanded());
    const QString code = found->text(0).left(6);
    occupations.Target = {};
    occupations.SelectCode();
    EXPECT_EQ(occupations.ChosenCode(), code);
}

}  // namespace
