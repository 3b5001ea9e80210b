// Walking the items: first, next and previous under a filter, the
// neighbours of each layout, hit tests and scrolling an item into view.
#include "FakeHost.h"

namespace lume::test {
namespace {

using D = TLumeAdjacentDirection;

// Groups of the given sizes in the current view.
std::vector<std::vector<TLumeItem*>> Groups(Listview& lv, std::initializer_list<int> sizes) {
    std::vector<std::vector<TLumeItem*>> out;
    lv->BeginUpdate(true);
    for (int n : sizes) {
        TLumeGroup* g = lv->Groups->AddGroup();
        out.emplace_back();
        for (int i = 0; i < n; ++i) out.back().push_back(static_cast<TLumeItem*>(g->Items()->Add()));
    }
    lv->EndUpdate(true);
    return out;
}

TEST(ListviewNavigation, FiltersAndCollapsedGroups) {
    Listview lv;
    auto g = Groups(lv, {2, 3});
    lv->BeginUpdate(true);
    g[0][0]->SetVisible(false);
    g[0][1]->SetVisible(false);
    g[1][0]->SetVisible(false);
    g[1][2]->SetVisible(false);
    lv->EndUpdate(true);
    EXPECT_EQ(lv->Groups->FirstVisibleItem(), g[1][1]);
    EXPECT_EQ(lv->Groups->FirstItem(), g[0][0]);
    EXPECT_EQ(lv->Groups->LastVisibleItem(), g[1][1]);

    Listview three;
    auto h = Groups(three, {3, 2, 4});
    h[1][0]->OwnerGroup()->SetExpanded(false);
    EXPECT_EQ(three->Groups->PrevItem(h[2][0]), h[0][2]);
    EXPECT_EQ(three->Groups->NextItem(h[0][2]), h[2][0]);
    // A collapsed starting group is passed over too.
    EXPECT_EQ(three->Groups->NextItem(h[1][0]), h[2][0]);
    EXPECT_EQ(three->Groups->PrevItem(h[1][1]), h[0][2]);
    EXPECT_EQ(three->Groups->NextItem(h[2][3]), nullptr);

    int asked = 0;
    three->OnItemEditBegin = [&](TLV*, TLumeItem* item, bool& allow) {
        ++asked;
        allow = item != h[2][1];
    };
    EXPECT_EQ(three->Groups->NextEditableItem(h[2][0]), h[2][2]);
    EXPECT_EQ(asked, 2);
}

TEST(ListviewNavigation, ReportNeighboursAndPages) {
    Listview lv;
    lv.Report({200});
    lv->Header->SetHeight(21);
    auto items = lv.AddItems(40);
    // Client 300 high, header 21: 279 pixels of rows, the last showing is row 16.
    const struct {
        int from;
        D direction;
        int to;  // -1: none
    } cases[] = {
        {5, D::eadUp, 4},         {0, D::eadUp, -1},         {5, D::eadDown, 6},   {39, D::eadDown, -1},
        {0, D::eadPageDown, 16},  {16, D::eadPageDown, 32},  {20, D::eadPageUp, 0}, {0, D::eadPageUp, -1},
        {3, D::eadLeft, 2},       {0, D::eadLeft, 0},        {39, D::eadRight, 39},
    };
    for (const auto& c : cases) {
        TLumeItem* got = lv->Groups->AdjacentItem(items[c.from], c.direction);
        EXPECT_EQ(got, c.to < 0 ? nullptr : items[c.to]) << c.from << " dir " << int(c.direction);
    }
    // At the end of the list a further page finds the item itself: none.
    lv->Scrollbars->SetOffsetY(lv->Scrollbars->MaxOffsetY());
    EXPECT_EQ(lv->Groups->AdjacentItem(items[39], D::eadPageDown), nullptr);
}

TEST(ListviewNavigation, ReportPagesFindRowsBehindALeftGroupMargin) {
    Listview lv;
    lv.Report({200});
    lv->SetShowGroupMargins(true);
    lv->PaintInfoGroup()->MarginLeft()->SetVisible(true);
    lv->PaintInfoGroup()->MarginTop()->SetVisible(false);
    auto items = lv.AddItems(40);
    ASSERT_EQ(items[0]->DisplayRect.Left, 30);
    EXPECT_EQ(lv->Groups->AdjacentItem(items[0], D::eadPageDown), items[16]);
    EXPECT_EQ(lv->Groups->AdjacentItem(items[20], D::eadPageUp), items[0]);
}

TEST(ListviewNavigation, IconNeighboursAcrossGroups) {
    Listview lv;
    lv.host.width = 417;  // 5 cells a row with or without the bar
    auto g = Groups(lv, {7, 3});
    // Group 0: rows [0..4], [5, 6]; group 1: [0, 1, 2].
    const struct {
        int group, index;
        D direction;
        int toGroup, toIndex;  // toGroup -1: none
    } cases[] = {
        {0, 3, D::eadDown, 1, 2},  // nothing below in the group: the next group's first row
        {0, 1, D::eadDown, 0, 6},  {0, 6, D::eadUp, 0, 1},   {1, 1, D::eadUp, 0, 6},
        {1, 2, D::eadUp, 0, 2},    // the last row of the previous group that reaches column 2
        {1, 0, D::eadLeft, 0, 6},  {0, 6, D::eadRight, 1, 0},
        {1, 2, D::eadRight, 1, 2}, {1, 2, D::eadDown, -1, 0}, {0, 0, D::eadLeft, 0, 0},
        {0, 5, D::eadDown, 1, 0},
    };
    for (const auto& c : cases) {
        TLumeItem* got = lv->Groups->AdjacentItem(g[c.group][c.index], c.direction);
        TLumeItem* want = c.toGroup < 0 ? nullptr : g[c.toGroup][c.toIndex];
        EXPECT_EQ(got, want) << c.group << "/" << c.index << " dir " << int(c.direction);
    }
}

TEST(ListviewNavigation, ListNeighboursAndPages) {
    Listview lv;
    lv->SetView(TLumeListStyle::elsList);
    auto g = Groups(lv, {20});
    // 16 rows a column: items 0..15, then 16..19.
    const struct {
        int from;
        D direction;
        int to;
    } cases[] = {
        {3, D::eadRight, 19},  {17, D::eadLeft, 1}, {3, D::eadDown, 4},     {0, D::eadUp, 0},
        {3, D::eadPageDown, 15}, {17, D::eadPageDown, 19}, {18, D::eadPageUp, 16}, {5, D::eadPageUp, 0},
        {5, D::eadRight, -1},
    };
    for (const auto& c : cases) {
        TLumeItem* got = lv->Groups->AdjacentItem(g[0][c.from], c.direction);
        EXPECT_EQ(got, c.to < 0 ? nullptr : g[0][c.to]) << c.from << " dir " << int(c.direction);
    }
}

TEST(ListviewNavigation, InvisibleItemsHaveNoNeighboursAndNoGridPosition) {
    Listview lv;
    auto items = lv.AddItems(3);
    lv->BeginUpdate(true);
    items[1]->SetVisible(false);
    lv->EndUpdate(true);
    try {
        lv->Groups->AdjacentItem(items[1], D::eadRight);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Can not find TLumeGroups.AdjacentItem of an Invisible Item");
    }
    EXPECT_EQ(items[1]->ColumnPos(), -1);
    EXPECT_EQ(items[1]->RowPos(), -1);

    // Report and grid layouts keep no row count: answered -1, not a division by zero.
    lv->SetView(TLumeListStyle::elsReport);
    EXPECT_EQ(items[0]->ColumnPos(), 0);
    EXPECT_EQ(items[0]->RowPos(), -1);
    items[0]->OwnerGroup()->SetExpanded(false);
    EXPECT_EQ(lv->Groups->AdjacentItem(items[0], D::eadDown), nullptr);
}

TEST(ListviewNavigation, HitTestsAndRectangleWalks) {
    Listview lv;
    lv.Report({100, 100});
    UseCellPainter(lv.lv.get());
    auto items = lv.AddItems(5);
    TLumeItemHitTestInfos info;
    EXPECT_EQ(lv->ItemHitTest({10, 20}, nullptr, info), items[1]);
    EXPECT_TRUE(info.Has(TLumeItemHitTestInfo::ehtOnIcon));
    EXPECT_TRUE(info.Has(TLumeItemHitTestInfo::ehtOnClickSelectBounds));
    EXPECT_FALSE(info.Has(TLumeItemHitTestInfo::ehtStateIcon));
    EXPECT_EQ(lv->ItemHitTest({10, 200}, nullptr, info), nullptr);
    EXPECT_TRUE(info.IsEmpty());
    EXPECT_EQ(lv->Groups->ItemAt({199, 16}), items[0]);
    EXPECT_EQ(lv->Groups->ItemAt({200, 16}), nullptr) << "right edge is outside";

    const LumeRect band{150, 20, 160, 40};
    std::vector<TLumeItem*> met;
    for (TLumeItem* i = lv->Groups->FirstItemInRect(band); i; i = lv->Groups->NextItemInRect(i, band)) met.push_back(i);
    EXPECT_EQ(met, (std::vector<TLumeItem*>{items[1], items[2]}));
}

TEST(ListviewNavigation, MakeVisibleInFourPositions) {
    Listview lv;
    lv.Report({200});
    lv->Header->SetHeight(20);
    UseCellPainter(lv.lv.get());
    auto items = lv.AddItems(100);  // 1700 high, client 300 below a 20-pixel header
    const struct {
        int position;
        int item;
        int offsetY;
    } cases[] = {
        {emvTop, 50, 850},
        {emvMiddle, 50, 850 - 150},
        {emvBottom, 50, 867 + 20 - 300},
        {emvAuto, 60, 1037 + 20 - 300},
    };
    for (const auto& c : cases) {
        lv->Scrollbars->SetOffsetY(0);
        items[c.item]->MakeVisible(c.position);
        EXPECT_EQ(lv->Scrollbars->OffsetY(), c.offsetY) << c.position;
    }
    // Already shown: no scrolling.
    lv->Scrollbars->SetOffsetY(0);
    items[3]->MakeVisible(emvAuto);
    EXPECT_EQ(lv->Scrollbars->OffsetY(), 0);
    lv->Scrollbars->SetOffsetY(500);
    items[3]->MakeVisible(emvAuto);
    EXPECT_EQ(lv->Scrollbars->OffsetY(), 51);
    // Without the header the bottom position does not count it.
    lv->Header->SetVisible(false);
    items[50]->MakeVisible(emvBottom);
    EXPECT_EQ(lv->Scrollbars->OffsetY(), 867 - 300);
}

}  // namespace
}  // namespace lume::test
