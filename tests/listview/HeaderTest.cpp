// Columns and the header: positions, rectangles, the divider zone, the
// mouse state machine, spring columns and the sort cycle.
#include "FakeHost.h"

namespace lume::test {
namespace {

std::vector<int> Positions(TLumeColumns& columns) {
    std::vector<int> p;
    for (int i = 0; i < columns.Count(); ++i) p.push_back(columns.At(i)->Position());
    return p;
}

TEST(ListviewHeader, PositionMoves) {
    Listview lv;
    lv.Report({50, 50, 50, 50});
    TLumeColumns& columns = *lv->Header->Columns;
    EXPECT_EQ(Positions(columns), (std::vector<int>{0, 1, 2, 3}));
    columns.At(0)->SetPosition(2);
    EXPECT_EQ(Positions(columns), (std::vector<int>{2, 0, 1, 3}));
    columns.At(0)->SetPosition(0);
    EXPECT_EQ(Positions(columns), (std::vector<int>{0, 1, 2, 3}));
    columns.At(1)->SetPosition(10);
    EXPECT_EQ(Positions(columns), (std::vector<int>{0, 3, 1, 2}));
    columns.At(1)->SetPosition(-3);
    EXPECT_EQ(Positions(columns), (std::vector<int>{1, 0, 2, 3}));

    Listview single;
    single.Report({50});
    const int invalidations = single.host.invalidations;
    single->Header->Columns->At(0)->SetPosition(5);
    EXPECT_EQ(single->Header->Columns->At(0)->Position(), 0);
    EXPECT_EQ(single.host.invalidations, invalidations);
}

TEST(ListviewHeader, ColumnRectanglesFollowWidthsAndVisibility) {
    Listview lv;
    lv.host.width = 500;
    lv.Report({18, 100, 130});
    TLumeColumns& c = *lv->Header->Columns;
    const int h = lv->Header->Height();
    EXPECT_EQ(c.At(0)->DisplayRect, (LumeRect{0, 0, 18, h}));
    EXPECT_EQ(c.At(1)->DisplayRect, (LumeRect{18, 0, 118, h}));
    EXPECT_EQ(c.At(2)->DisplayRect, (LumeRect{118, 0, 248, h}));
    EXPECT_EQ(lv->Header->DisplayRect, (LumeRect{0, 0, 500, h}));
    c.At(1)->SetVisible(false);
    lv->Groups->RebuildLayout(false);
    EXPECT_EQ(c.At(1)->DisplayRect, (LumeRect{18, 0, 18, h}));
    EXPECT_EQ(c.At(2)->DisplayRect, (LumeRect{18, 0, 148, h}));

    c.At(0)->SetWidth(-5);
    EXPECT_EQ(c.At(0)->Width(), 0);
    const int invalidations = lv.host.invalidations;
    c.At(0)->SetWidth(0);
    EXPECT_EQ(lv.host.invalidations, invalidations);
    // Item data follow the column's index, not its position.
    TLumeItem* item = lv->Items().Add();
    item->SetCaptions(1, QStringLiteral("second"));
    c.At(1)->SetPosition(0);
    EXPECT_EQ(item->Captions(c.At(1)->Index()), QStringLiteral("second"));
}

TEST(ListviewHeader, DividerZoneShowsTheSplitCursor) {
    const struct {
        int dx;
        bool split;
    } cases[] = {{-4, false}, {-3, true}, {0, true}, {4, true}, {5, false}};
    for (const auto& c : cases) {
        Listview lv;
        lv.Report({100, 100});
        lv->Header->WMMouseMove(0, {100 + c.dx, 10});
        EXPECT_EQ(lv.host.cursor == LumeCursor::HeaderSplit, c.split) << c.dx;
        EXPECT_EQ(lv->Header->Has(ehfOverDivider), c.split) << c.dx;
    }
}

TEST(ListviewHeader, DraggingADividerResizesUntilRefused) {
    Listview lv;
    lv.Report({100, 100});
    TLumeHeader& header = *lv->Header;
    TLumeColumn* second = header.Columns->At(1);
    header.WMMouseMove(0, {201, 10});
    header.WMLButtonDown(MK_LBUTTON, {201, 10});
    EXPECT_TRUE(header.Has(ehfResizing));
    header.WMMouseMove(MK_LBUTTON, {150, 10});
    EXPECT_EQ(second->Width(), 50);
    header.WMMouseMove(MK_LBUTTON, {60, 10});
    EXPECT_EQ(second->Width(), 0) << "left of the column's left edge";
    TLumeColumn* changed = nullptr;
    lv->OnColumnSizeChanged = [&](TLV*, TLumeColumn* c) { changed = c; };
    header.WMLButtonUp(0, {60, 10});
    EXPECT_EQ(changed, second);
    EXPECT_FALSE(header.Has(ehfResizing));

    Listview vetoed;
    vetoed.Report({100});
    vetoed->OnColumnSizeChanging = [](TLV*, TLumeColumn*, int, int, bool& allow) { allow = false; };
    vetoed->Header->WMMouseMove(0, {100, 10});
    EXPECT_NE(vetoed.host.cursor, LumeCursor::HeaderSplit);
    EXPECT_FALSE(vetoed->Header->Has(ehfOverDivider));
}

TEST(ListviewHeader, ClicksCycleTheSortDirection) {
    Listview lv;
    lv.Report({100, 100});
    TLumeHeader& header = *lv->Header;
    TLumeColumn* a = header.Columns->At(0);
    TLumeColumn* b = header.Columns->At(1);
    std::vector<TLumeColumn*> clicked;
    lv->OnColumnClick = [&](TLV*, TLumeMouseButton, TLumeColumn* c) { clicked.push_back(c); };
    auto click = [&](int x) {
        header.WMLButtonDown(MK_LBUTTON, {x, 10});
        header.WMLButtonUp(0, {x, 10});
    };
    const TLumeSortDirection expected[] = {TLumeSortDirection::esdAscending, TLumeSortDirection::esdDescending,
                                           TLumeSortDirection::esdAscending};
    for (TLumeSortDirection d : expected) {
        click(50);
        EXPECT_EQ(a->SortDirection(), d);
    }
    click(150);
    EXPECT_EQ(a->SortDirection(), TLumeSortDirection::esdNone);
    EXPECT_EQ(b->SortDirection(), TLumeSortDirection::esdAscending);
    EXPECT_EQ(lv->Selection()->FocusedColumn(), b);
    EXPECT_EQ(clicked.size(), 4u);
    EXPECT_EQ(lv->UpdateCount, 0);

    // A press that became a column drag is no click.
    lv.host.dragDetect = true;
    header.WMLButtonDown(MK_LBUTTON, {50, 10});
    header.WMMouseMove(MK_LBUTTON, {80, 10});
    EXPECT_TRUE(header.Has(ehfDragging));
    EXPECT_EQ(header.DragManager->Column, a);
    header.WMLButtonUp(0, {80, 10});
    EXPECT_EQ(clicked.size(), 4u);
    EXPECT_EQ(header.State & ~ehfCaptured, 0);
}

TEST(ListviewHeader, SpringColumnsShareWidthChangesWithCarriedFractions) {
    Listview lv;
    lv.Report({50, 50, 50, 50, 50});
    TLumeHeader& header = *lv->Header;
    for (int i = 0; i < 4; ++i) header.Columns->At(i)->SetAutoSpring(true);
    header.WMSize();
    lv.host.width += 10;
    header.WMSize();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(header.Columns->At(i)->Width(), 52) << i;
        EXPECT_FLOAT_EQ(header.Columns->At(i)->SpringRemainder, 0.5f);
    }
    EXPECT_EQ(header.Columns->At(4)->Width(), 50);
    lv.host.width += 4;
    header.WMSize();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(header.Columns->At(i)->Width(), 53) << i;
        EXPECT_FLOAT_EQ(header.Columns->At(i)->SpringRemainder, 0.5f);
    }
}

TEST(ListviewHeader, CheckPressReleasedOverAnotherColumnTogglesThatOne) {
    // Check boxes come with the column painter; here a painter that puts one
    // in the first 12 pixels of every button.
    class CheckPainter : public TLumeViewColumn {
    public:
        using TLumeViewColumn::TLumeViewColumn;
        void CalculateRects(TLumeColumn* c, TLumeCanvas*, TLumeRectArrayObject& r) override {
            r = {};
            r.CheckRect = {c->DisplayRect.Left, 0, c->DisplayRect.Left + 12, 12};
        }
    };
    Listview lv;
    lv.Report({100, 100});
    lv->Header->Columns->ColumnView = std::make_unique<CheckPainter>(lv.lv.get());
    TLumeColumn* a = lv->Header->Columns->At(0);
    TLumeColumn* b = lv->Header->Columns->At(1);
    lv->Header->WMLButtonDown(MK_LBUTTON, {5, 5});
    EXPECT_TRUE(a->CheckPending());
    lv->Header->WMMouseMove(MK_LBUTTON, {105, 5});
    EXPECT_TRUE(a->CheckHot()) << "pending box reports that the mouse left it";
    lv->Header->WMLButtonUp(0, {105, 5});
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->CheckPending() || a->CheckHot());
    EXPECT_EQ(lv->CheckManager->PendingObject(), nullptr);
}

TEST(ListviewHeader, AutoSizeToFitTakesTheWidestCaptionPlusTwelve) {
    Listview lv;
    lv.Report({100, 100});
    TLumeColumn* second = lv->Header->Columns->At(1);
    second->AutoSizeToFit();
    EXPECT_EQ(second->Width(), 0);
    auto items = lv.AddItems(2);
    items[0]->SetCaptions(1, QStringLiteral("abc"));
    items[1]->SetCaptions(1, QStringLiteral("abcdefgh"));
    second->AutoSizeToFit();
    EXPECT_EQ(second->Width(), 8 * 6 + 12);
}

TEST(ListviewHeader, RuntimeHeightOnlyInHeaderViews) {
    Listview lv;
    lv->Header->SetVisible(true);
    lv->Header->SetHeight(25);
    EXPECT_EQ(lv->Header->RuntimeHeight(), 0) << "icon view";
    lv->SetView(TLumeListStyle::elsGrid);
    EXPECT_EQ(lv->Header->RuntimeHeight(), 25);
    lv->Header->SetVisible(false);
    EXPECT_EQ(lv->Header->RuntimeHeight(), 0);
    lv->Header->SetHeight(-1);
    EXPECT_EQ(lv->Header->Height(), 0);
}

}  // namespace
}  // namespace lume::test
