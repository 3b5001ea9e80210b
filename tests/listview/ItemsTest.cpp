// Items, groups, the flat item list and the change protocol.
#include "FakeHost.h"

#include <QStringList>

namespace lume::test {
namespace {

TEST(ListviewItems, FlatListOverGroupsOfTwoZeroAndThree) {
    Listview lv;
    for (int n : {2, 0, 3}) {
        TLumeGroup* g = lv->Groups->AddGroup();
        for (int i = 0; i < n; ++i) g->Items()->Add();
    }
    EXPECT_EQ(lv->Items().Count(), 5);
    EXPECT_EQ(lv->Items()[2], (*lv->Groups)[2]->Items()->At(0));
    EXPECT_EQ(lv->Items()[4], (*lv->Groups)[2]->Items()->At(2));
    for (int bad : {5, -1}) {
        try {
            lv->Items()[bad];
            ADD_FAILURE() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()), QStringLiteral("List index out of bounds (%1)").arg(bad));
        }
    }
    EXPECT_THROW((*lv->Groups)[3], EListError);
    EXPECT_THROW(lv->Groups->SetItem(-1, nullptr), EListError);
}

TEST(ListviewItems, FirstAddMakesOneDefaultGroup) {
    Listview lv;
    TLumeItem* a = lv->Items().Add();
    TLumeItem* b = lv->Items().Add();
    ASSERT_EQ(lv->Groups->Count(), 1);
    EXPECT_EQ((*lv->Groups)[0]->Caption(), QStringLiteral("Default Group"));
    EXPECT_EQ(a->OwnerGroup(), b->OwnerGroup());
    EXPECT_TRUE(b->Visible() && b->Enabled() && !b->Selected() && !b->Checked());
}

TEST(ListviewItems, HidingAFocusedSelectedCheckedItemNotifiesInOrder) {
    Listview lv;
    TLumeItem* item = lv.AddItems(2)[1];
    item->SetChecked(true);
    item->SetSelected(true);
    ASSERT_TRUE(item->Focused());
    QStringList log;
    lv->OnItemFocusChanged = [&](TLV*, TLumeItem*) { log << "focus"; };
    lv->OnItemSelectionChanged = [&](TLV*, TLumeItem*) { log << "selection"; };
    lv->OnItemCheckChange = [&](TLV*, TLumeItem*) { log << "check"; };
    lv->OnItemVisibilityChanged = [&](TLV*, TLumeItem*) { log << "visibility"; };
    item->SetVisible(false);
    EXPECT_EQ(log, (QStringList{"focus", "selection", "check", "visibility"}));
    EXPECT_EQ(item->State & (ecisFocused | ecisSelected | ecisChecked | ecisVisible), 0);
    EXPECT_EQ(lv->Selection()->Count(), 0);
    EXPECT_EQ(lv->Selection()->FocusedItem(), nullptr);
    EXPECT_EQ(lv->CheckManager->CheckedCount, 0);
}

TEST(ListviewItems, VetoedChangesLeaveStateAndCountsAlone) {
    Listview lv;
    TLumeItem* item = lv.AddItems(1)[0];
    int changed = 0;
    lv->OnItemSelectionChanged = [&](TLV*, TLumeItem*) { ++changed; };
    lv->OnItemCheckChange = [&](TLV*, TLumeItem*) { ++changed; };
    lv->OnItemSelectionChanging = [](TLV*, TLumeItem*, bool& allow) { allow = false; };
    lv->OnItemCheckChanging = [](TLV*, TLumeItem*, bool& allow) { allow = false; };
    item->SetSelected(true);
    item->SetChecked(true);
    EXPECT_FALSE(item->Selected() || item->Checked());
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(lv->Selection()->Count(), 0);
    EXPECT_EQ(lv->CheckManager->CheckedCount, 0);

    // Selection and focus need a visible, enabled object; a disabled item cannot be checked.
    lv->OnItemSelectionChanging = nullptr;
    lv->OnItemCheckChanging = nullptr;
    item->SetEnabled(false);
    item->SetSelected(true);
    item->SetFocused(true);
    item->SetChecked(true);
    EXPECT_FALSE(item->Selected() || item->Focused() || item->Checked());
    EXPECT_EQ(changed, 0);
}

TEST(ListviewItems, InvisibleGroupRefusesVisibleItemsWithoutAnEvent) {
    Listview lv;
    TLumeItem* item = lv.AddItems(1)[0];
    TLumeGroup* group = item->OwnerGroup();
    group->SetVisible(false);
    EXPECT_FALSE(item->Visible());
    int asked = 0;
    lv->OnItemVisibilityChanging = [&](TLV*, TLumeItem*, bool&) { ++asked; };
    item->SetVisible(true);
    EXPECT_FALSE(item->Visible());
    EXPECT_EQ(asked, 0);
    group->SetVisible(true);
    EXPECT_TRUE(item->Visible());
}

TEST(ListviewItems, CheckingAGroupTicksItsVisibleItemsAndUncheckingAll) {
    Listview lv;
    auto items = lv.AddItems(3);
    items[1]->SetVisible(false);
    TLumeGroup* group = items[0]->OwnerGroup();
    group->SetChecked(true);
    EXPECT_TRUE(items[0]->Checked());
    EXPECT_FALSE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked());
    group->SetChecked(false);
    for (TLumeItem* i : items) EXPECT_FALSE(i->Checked());
    EXPECT_EQ(lv->CheckManager->CheckedCount, 0);
}

TEST(ListviewItems, ClearAsThePrintWizardCallsItEmptiesEverythingInOneUpdate) {
    Listview lv;
    lv.Report({150, 150});
    lv->Groups->AddGroup()->SetCaption(QStringLiteral("stored"));
    auto items = lv.AddItems(40);
    items[3]->SetSelected(true);
    lv->Scrollbars->SetOffsetY(100);
    ASSERT_EQ(lv->Scrollbars->OffsetY(), 100);
    int freed = 0, groupsFreed = 0, endUpdates = 0;
    lv->OnItemFreeing = [&](TLV*, TLumeItem*) { ++freed; };
    lv->OnGroupFreeing = [&](TLV*, TLumeGroup*) { ++groupsFreed; };
    lv->OnEndUpdate = [&](TLumeCanvasControl*) { ++endUpdates; };
    const int updatesBefore = lv.host.updates;
    lv->Items().Clear();
    EXPECT_EQ(freed, 40);
    EXPECT_EQ(groupsFreed, 1);
    EXPECT_EQ(endUpdates, 1);
    EXPECT_GT(lv.host.updates, updatesBefore);
    EXPECT_EQ(lv->Items().Count(), 0);
    EXPECT_EQ(lv->Groups->Count(), 0);
    EXPECT_EQ(lv->Selection()->Count(), 0);
    EXPECT_EQ(lv->Selection()->FocusedItem(), nullptr);
    EXPECT_EQ(lv->Scrollbars->OffsetY(), 0);
    // Clearing what is empty does nothing, not even an update.
    lv->Items().Clear();
    EXPECT_EQ(endUpdates, 1);
    lv->Items().Add();
    EXPECT_EQ((*lv->Groups)[0]->Caption(), QStringLiteral("Default Group"));
}

TEST(ListviewItems, NestedUpdatesLayOutOnceAtTheOuterEnd) {
    Listview lv;
    int ends = 0;
    lv->OnEndUpdate = [&](TLumeCanvasControl*) { ++ends; };
    lv->BeginUpdate(false);
    lv->BeginUpdate(true);
    EXPECT_FALSE(lv->ReIndexEnabled);
    lv->EndUpdate(false);
    EXPECT_FALSE(lv->ReIndexEnabled);
    EXPECT_EQ(ends, 0);
    lv->EndUpdate(true);
    EXPECT_TRUE(lv->ReIndexEnabled);
    EXPECT_EQ(ends, 1);
    // A surplus EndUpdate is absorbed but still ends an update.
    lv->EndUpdate(true);
    EXPECT_EQ(lv->UpdateCount, 0);
    EXPECT_EQ(ends, 2);
}

TEST(ListviewItems, ThemesAndMargins) {
    Listview lv;
    EXPECT_TRUE(lv->DrawWithThemes());
    const int loads = lv->ThemeManager->LoadCount;
    const int invalidations = lv.host.invalidations;
    lv->SetThemed(true);
    EXPECT_EQ(lv->ThemeManager->LoadCount, loads);
    EXPECT_EQ(lv.host.invalidations, invalidations);
    lv->ThemeChanged();
    EXPECT_NE(lv->ThemeManager->HeaderTheme, 0u);
    lv->WindowDestroyed();
    EXPECT_EQ(lv->ThemeManager->HeaderTheme, 0u);
    EXPECT_FALSE(lv->DrawWithThemes());

    TLumeMargin* left = lv->PaintInfoGroup()->MarginLeft();
    left->SetSize(-5);
    EXPECT_EQ(left->Size(), 0);
    left->SetSize(20);
    left->SetVisible(true);
    EXPECT_EQ(left->RuntimeSize(), 0) << "group margins are off";
    lv->SetShowGroupMargins(true);
    EXPECT_EQ(left->RuntimeSize(), 20);
    EXPECT_EQ(lv->PaintInfoGroup()->MarginTop()->RuntimeSize(), 30);
    EXPECT_EQ(lv->PaintInfoGroup()->MarginBottom()->RuntimeSize(), 0);
}

TEST(ListviewItems, NothingCrashesOnAnEmptyControl) {
    Listview lv;
    lv->SetView(TLumeListStyle::elsReport);
    EXPECT_EQ(lv->Header->FirstColumn(), nullptr);
    EXPECT_EQ(lv->Groups->AdjacentItem(nullptr, TLumeAdjacentDirection::eadDown), nullptr);
    EXPECT_EQ(lv->Groups->FirstItemInRect({0, 0, 100, 100}), nullptr);
    EXPECT_EQ(lv->Groups->NextVisibleItem(nullptr), nullptr);
    EXPECT_EQ(lv->Selection()->First(), nullptr);
    EXPECT_EQ(lv->Selection()->FocusedColumn(), nullptr);
    lv->Selection()->ClearAll();
    lv->Selection()->SelectAll();
    lv->Header->SpringColumns();
    lv->Scrollbars->WMVScroll(SB_PAGEDOWN);
    TLumeGroupHitTestInfos info;
    EXPECT_EQ(lv->GroupHitTest({5, 5}, info), nullptr);
    EXPECT_EQ(lv->Groups->ViewRect(), LumeRect{});
}

}  // namespace
}  // namespace lume::test
