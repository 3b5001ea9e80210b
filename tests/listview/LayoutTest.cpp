// The grids: report rows, rows that wrap, columns that wrap, grid rows, and
// the layout pass around them.
#include "FakeHost.h"

namespace lume::test {
namespace {

// Report view with columns ending at 430, margins hidden.
struct ReportFixture {
    Listview lv;
    ReportFixture() { lv.Report({150, 150, 130}); }
};

TEST(ListviewLayout, ReportRowsUnderTheColumns) {
    ReportFixture f;
    auto items = f.lv.AddItems(4);
    items[3]->SetVisible(false);
    EXPECT_EQ(items[0]->DisplayRect, (LumeRect{0, 0, 430, 17}));
    EXPECT_EQ(items[1]->DisplayRect, (LumeRect{0, 17, 430, 34}));
    EXPECT_EQ(items[2]->DisplayRect, (LumeRect{0, 34, 430, 51}));
    EXPECT_EQ(items[3]->DisplayRect, (LumeRect{0, 51, 430, 51}));
    TLumeGroup* first = items[0]->OwnerGroup();
    EXPECT_EQ(first->DisplayRect, (LumeRect{0, 0, 430, 51}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(items[i]->VisibleIndex, i);
    EXPECT_EQ(first->Grid()->ColumnCount, 1);

    // A second group continues below, and so does the numbering.
    TLumeGroup* second = f.lv->Groups->AddGroup();
    TLumeItem* next = static_cast<TLumeItem*>(second->Items()->Add());
    EXPECT_EQ(second->DisplayRect, (LumeRect{0, 51, 430, 68}));
    EXPECT_EQ(next->DisplayRect, (LumeRect{0, 51, 430, 68}));
    EXPECT_EQ(next->VisibleIndex, 3);
    EXPECT_EQ(f.lv->Groups->ViewRect(), (LumeRect{0, 0, 430, 68}));
}

TEST(ListviewLayout, ReportWithoutColumnsAndCollapsedWithMargins) {
    Listview lv;
    lv->SetView(TLumeListStyle::elsReport);
    auto items = lv.AddItems(2);
    EXPECT_EQ(items[1]->DisplayRect, (LumeRect{0, 17, 0, 34}));
    EXPECT_EQ(items[0]->OwnerGroup()->DisplayRect.Width(), 0);

    ReportFixture f;
    f.lv->SetShowGroupMargins(true);
    f.lv->PaintInfoGroup()->MarginBottom()->SetVisible(true);
    auto rows = f.lv.AddItems(3);
    TLumeGroup* group = rows[0]->OwnerGroup();
    EXPECT_EQ(rows[0]->DisplayRect, (LumeRect{0, 30, 430, 47}));
    group->SetExpanded(false);
    EXPECT_EQ(group->DisplayRect, (LumeRect{0, 0, 430, 60}));
    EXPECT_TRUE(group->VisibleItems.empty());
}

TEST(ListviewLayout, IconRowsKeepRoomForTheScrollBar) {
    const struct {
        const char* name;
        int width;
        int items;
        int perRow;
    } cases[] = {
        {"bar showing, 400 wide", 417, 30, 5},
        {"no bar: its width is kept free", 376, 3, 4},
        {"narrower than a cell", 50, 3, 1},
    };
    for (const auto& c : cases) {
        Listview lv;
        lv.host.width = c.width;
        auto items = lv.AddItems(c.items);
        TLumeGroup* group = items[0]->OwnerGroup();
        EXPECT_EQ(group->Grid()->ColumnCount, c.perRow) << c.name;
        if (c.items > c.perRow) EXPECT_EQ(items[c.perRow]->DisplayRect, (LumeRect{0, 75, 75, 150})) << c.name;
    }
}

TEST(ListviewLayout, InvisibleIconGroupDropsSelectionAndFocus) {
    Listview lv;
    lv->Selection()->SetMultiSelect(true);
    auto items = lv.AddItems(3);
    items[0]->SetSelected(true);
    items[1]->SetSelected(true);
    items[1]->SetFocused(true);
    lv->BeginUpdate(true);
    items[0]->OwnerGroup()->State &= ~ecisVisible;  // hidden without the protocol
    lv->EndUpdate(true);
    EXPECT_EQ(lv->Selection()->Count(), 0);
    EXPECT_EQ(lv->Selection()->FocusedItem(), nullptr);
}

TEST(ListviewLayout, ListColumnsWrapAndAnInvisibleItemNeverStartsOne) {
    Listview lv;
    lv.host.height = 317;
    lv->SetView(TLumeListStyle::elsList);
    // 300 high below the horizontal bar, less 17 more kept for it: 16 rows of 17.
    auto items = lv.AddItems(40);
    TLumeGroup* group = items[0]->OwnerGroup();
    EXPECT_EQ(group->Grid()->RowCount, 16);
    EXPECT_EQ(group->Grid()->ColumnCount, 3);
    EXPECT_EQ(items[16]->DisplayRect, (LumeRect{200, 0, 400, 17}));
    EXPECT_EQ(group->DisplayRect.Right, 600);
    EXPECT_EQ(items[17]->RowPos(), 1);

    Listview hidden;
    hidden->SetView(TLumeListStyle::elsList);
    auto rows = hidden.AddItems(17);
    hidden->BeginUpdate(true);
    rows[16]->SetVisible(false);
    hidden->EndUpdate(true);
    EXPECT_EQ(rows[0]->OwnerGroup()->Grid()->ColumnCount, 1);
    EXPECT_EQ(rows[0]->OwnerGroup()->DisplayRect.Right, 200);
    EXPECT_EQ(rows[16]->DisplayRect.Width(), 0);

    // An empty group is as wide as its header needs: the expand button (4 in,
    // 9 wide), 2 indent and 6 per character of the caption.
    Listview empty;
    empty->SetView(TLumeListStyle::elsList);
    empty->Groups->AddGroup()->SetCaption(QStringLiteral("Vazio"));
    empty->Groups->RebuildLayout(false);
    EXPECT_EQ(empty->Groups->At(0)->DisplayRect.Right, 4 + 9 + 2 + 30);
}

TEST(ListviewLayout, GridRowsFollowTheColumnsInCollectionOrder) {
    Listview lv;
    lv->SetView(TLumeListStyle::elsGrid);
    lv->Header->SetVisible(true);
    for (int w : {40, 60}) lv->Header->Columns->AddColumn()->SetWidth(w);
    auto items = lv.AddItems(3);
    EXPECT_EQ(items[0]->DisplayRect, (LumeRect{0, 0, 40, 17}));
    EXPECT_EQ(items[1]->DisplayRect, (LumeRect{40, 0, 100, 17}));
    EXPECT_EQ(items[2]->DisplayRect, (LumeRect{0, 17, 40, 34}));
    EXPECT_EQ(items[0]->OwnerGroup()->Grid()->ColumnCount, 2);
}

TEST(ListviewLayout, NoLayoutWithoutAWindowOrInsideAnUpdate) {
    Listview lv(false);
    auto items = lv.AddItems(2);
    EXPECT_TRUE(items[1]->DisplayRect.IsZero());
    lv.host.window = true;
    lv->WindowCreated();
    EXPECT_FALSE(items[1]->DisplayRect.IsZero());
    EXPECT_EQ(items[1]->Index(), 1);
}

// Counts the passes through a group's grid.
struct CountingGrid : TLumeGridReportGroup {
    using TLumeGridReportGroup::TLumeGridReportGroup;
    static inline int passes = 0;
    void Rebuild(TLumeGroup* prev, int& n) override {
        ++passes;
        TLumeGridReportGroup::Rebuild(prev, n);
    }
};

TEST(ListviewLayout, OnePassForAThousandAddsInAnUpdate) {
    Listview lv;
    lv.Report({150});
    lv->Groups->GridClass = [](TCustomLumeListview* o, TLumeGroup* g) -> TLumeGridGroup* {
        return new CountingGrid(o, g);
    };
    lv.AddItems(100);  // the scroll bar is already there
    CountingGrid::passes = 0;
    lv->BeginUpdate(true);
    for (int i = 0; i < 1000; ++i) lv->Items().Add();
    EXPECT_EQ(CountingGrid::passes, 0);
    lv->EndUpdate(true);
    EXPECT_EQ(CountingGrid::passes, 1);
    EXPECT_EQ(lv->Items()[1099]->VisibleIndex, 1099);

    CountingGrid::passes = 0;
    lv->Groups->RebuildLayout(false);
    EXPECT_EQ(CountingGrid::passes, 1);
    lv->BeginUpdate(true);
    lv->Groups->RebuildLayout(false);
    EXPECT_EQ(CountingGrid::passes, 1);
    lv->Groups->RebuildLayout(true);
    EXPECT_EQ(CountingGrid::passes, 2);
    lv->EndUpdate(true);
}

TEST(ListviewLayout, GrowingViewShowsTheBarAndLaysOutForTheNarrowerClient) {
    Listview lv;
    lv.host.width = 417;
    auto items = lv.AddItems(4);
    EXPECT_FALSE(lv.host.vertBar);
    lv.AddItems(26);
    EXPECT_TRUE(lv.host.vertBar);
    EXPECT_EQ(lv->ClientWidth(), 400);
    EXPECT_EQ(lv.host.vertInfo.Max, 6 * 75 - 1);
    EXPECT_EQ(lv.host.vertInfo.Page, 300);
}

}  // namespace
}  // namespace lume::test
