// Selection, focus, ranges, rubber-band selection and runs of selected rows.
#include "FakeHost.h"

#include <chrono>

namespace lume::test {
namespace {

struct Rows {
    Listview lv;
    std::vector<TLumeItem*> items;
    explicit Rows(int n, bool multi = true) {
        lv.Report({200});
        UseCellPainter(lv.lv.get());
        lv->Selection()->SetMultiSelect(multi);
        items = lv.AddItems(n);
    }
    std::vector<int> Selected() const {
        std::vector<int> out;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i]->Selected()) out.push_back(int(i));
        return out;
    }
    LumeRect RowsRect(int first, int last) const { return {10, first * 17 + 2, 20, last * 17 + 10}; }
};

TEST(ListviewSelection, SingleSelectionKeepsOneItemAndFocusesIt) {
    Rows r(5, false);
    r.items[1]->SetSelected(true);
    r.items[3]->SetSelected(true);
    EXPECT_EQ(r.Selected(), (std::vector<int>{3}));
    EXPECT_EQ(r.lv->Selection()->FocusedItem(), r.items[3]);
    EXPECT_TRUE(r.items[3]->Focused());
    EXPECT_FALSE(r.items[1]->Focused());
    EXPECT_EQ(r.lv->Selection()->Count(), 1);
    r.lv->Selection()->SelectAll();
    r.lv->Selection()->SelectRange(r.items[0], r.items[4], false, false);
    r.lv->Selection()->SelectRect({0, 0, 200, 85}, false);
    EXPECT_EQ(r.Selected(), (std::vector<int>{3}));
}

// Moving a single selection clears what is selected, not every item before
// it: a key at the end of a long list costs what a key at its start does.
TEST(ListviewSelection, MovingASingleSelectionCostsTheSameAnywhere) {
    Listview lv;
    lv.Report({200});
    lv->BeginUpdate(true);
    for (int i = 0; i < 300000; ++i) lv->Items().Add();
    lv->EndUpdate(true);
    TLumeItem* first = lv->Items()[0];
    TLumeItem* last = lv->Items()[299999];
    auto keys = [&](TLumeItem* from, uint16_t key) {
        from->SetSelected(true);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 40; ++i) lv->WMKeyDown(key, {});
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    const double atStart = keys(first, 0x28);  // Down
    const double atEnd = keys(last, 0x26);     // Up
    EXPECT_EQ(lv->Selection()->Count(), 1);
    EXPECT_TRUE(lv->Items()[299999 - 40]->Selected());
    // Walking from the first item cost about 100 ms a key at the end, four
    // seconds in all: a wide margin keeps a loaded machine from failing it.
    EXPECT_LT(atEnd, 4 * atStart + 250) << atStart << " ms at the start";
}

TEST(ListviewSelection, RangesEitherWayAndAsRectangles) {
    Rows r(6);
    r.items[2]->SetVisible(false);
    r.lv->Selection()->SelectRange(r.items[4], r.items[1], true, false);
    const auto backwards = r.Selected();
    r.lv->Selection()->SelectRange(r.items[1], r.items[4], true, false);
    EXPECT_EQ(r.Selected(), backwards);
    EXPECT_EQ(backwards, (std::vector<int>{1, 3, 4}));
    r.lv->Selection()->SelectRange(r.items[0], r.items[1], false, false);
    EXPECT_EQ(r.Selected(), (std::vector<int>{0, 1, 3, 4}));
    r.lv->Selection()->SelectRange(r.items[5], r.items[4], true, true);
    EXPECT_EQ(r.Selected(), (std::vector<int>{4, 5}));
    EXPECT_EQ(r.lv->Selection()->Count(), 2);
}

TEST(ListviewSelection, SwitchesThatClearTheSelection) {
    Rows r(3);
    int asked = 0;
    r.lv->OnItemSelectionChanging = [&](TLV*, TLumeItem*, bool&) { ++asked; };
    r.lv->Selection()->ClearAll();
    EXPECT_EQ(asked, 0) << "nothing selected: no item visited";
    r.lv->Selection()->SelectAll();
    EXPECT_EQ(r.lv->Selection()->Count(), 3);
    r.lv->Selection()->SetMultiSelect(false);
    EXPECT_EQ(r.lv->Selection()->Count(), 0);
    r.items[0]->SetSelected(true);
    r.lv->Selection()->SetEnabled(false);
    EXPECT_EQ(r.lv->Selection()->Count(), 0);
    r.items[0]->SetSelected(true);
    r.lv->Selection()->SetEnabled(true);
    EXPECT_EQ(r.lv->Selection()->Count(), 1) << "switching it on clears nothing";
}

TEST(ListviewSelection, RefusedFocusChangeKeepsTheFocus) {
    Rows r(3);
    r.lv->Selection()->SetFocusedItem(r.items[0]);
    r.lv->OnItemFocusChanging = [&](TLV*, TLumeItem* item, bool& allow) { allow = item != r.items[0]; };
    r.lv->Selection()->SetFocusedItem(r.items[2]);
    EXPECT_EQ(r.lv->Selection()->FocusedItem(), r.items[0]);
    EXPECT_TRUE(r.items[0]->Focused());
    EXPECT_FALSE(r.items[2]->Focused());
    r.items[2]->SetFocused(true);
    EXPECT_FALSE(r.items[2]->Focused()) << "one focused item at a time";
    EXPECT_EQ(r.lv->Selection()->FocusedColumn(), r.lv->Header->FirstColumn());
}

TEST(ListviewSelection, RubberBandSelectsWhatItCoversOrTogglesWithCtrl) {
    const struct {
        bool ctrl;
        std::vector<int> afterFirst;
        std::vector<int> afterMove;
    } cases[] = {
        {false, {1, 2}, {2, 3}},
        {true, {0, 1, 2}, {0, 2, 3}},  // row 0 was selected before the band
    };
    for (const auto& c : cases) {
        Rows r(5);
        if (c.ctrl) r.items[0]->SetSelected(true);
        TLumeDragRectManager& band = *r.lv->DragRectManager;
        const TLumeKeyStates keys = c.ctrl ? TLumeKeyStates{TLumeKeyState::eksControl} : TLumeKeyStates{};
        band.OldRect = {};
        band.DragRect = r.RowsRect(1, 2);
        r.lv->Selection()->DragSelect(keys);
        EXPECT_EQ(r.Selected(), c.afterFirst) << c.ctrl;
        band.OldRect = band.DragRect;
        band.DragRect = r.RowsRect(2, 3);
        r.lv->Selection()->DragSelect(keys);
        EXPECT_EQ(r.Selected(), c.afterMove) << c.ctrl;
    }
}

TEST(ListviewSelection, RunsOfConsecutiveSelectedRows) {
    Rows r(7);
    r.lv->Selection()->SetGroupSelections(true);
    for (int i : {1, 2, 3, 5}) r.items[i]->SetSelected(true);
    TLumeSelectionGroupList* run = r.items[1]->SelectionGroup;
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(r.items[2]->SelectionGroup, run);
    EXPECT_EQ(r.items[3]->SelectionGroup, run);
    EXPECT_EQ(run->FirstItem, r.items[1]);
    EXPECT_EQ(run->DisplayRect, (LumeRect{0, 17, 200, 68}));
    EXPECT_EQ(r.items[5]->SelectionGroup, nullptr);
    EXPECT_EQ(r.items[0]->SelectionGroup, nullptr);
    // Breaking the run in the middle leaves no run of one.
    r.items[2]->SetSelected(false);
    EXPECT_EQ(r.items[1]->SelectionGroup, nullptr);
    EXPECT_EQ(r.items[3]->SelectionGroup, nullptr);
    r.lv->Items().Clear();  // runs are released with their items
}

TEST(ListviewSelection, FirstAndNextWalkTheSelectedItems) {
    Rows r(5);
    for (int i : {4, 1, 3}) r.items[i]->SetSelected(true);
    std::vector<TLumeItem*> walked;
    for (TLumeItem* i = r.lv->Selection()->First(); i; i = r.lv->Selection()->Next(i)) walked.push_back(i);
    EXPECT_EQ(walked, (std::vector<TLumeItem*>{r.items[1], r.items[3], r.items[4]}));
}

}  // namespace
}  // namespace lume::test
