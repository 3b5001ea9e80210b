// Mouse, keys and wheel on the core through a fake window, with the
// transmission window's configuration and with multiple selection.
#include "FakeHost.h"
#include "RecordingCanvas.h"
#include "Transmission.h"

#include <QStringList>

namespace lume::test {
namespace {

constexpr uint16_t VK_DOWN = 0x28, VK_UP = 0x26, VK_RIGHT = 0x27, VK_NEXT = 0x22, VK_HOME = 0x24;
const TShiftState kNone{};
const TShiftState kShift{TShiftStateBit::ssShift};
const TShiftState kCtrl{TShiftStateBit::ssCtrl};

// The transmission list: 960 x 300 window, header 25, rows of 17.
struct TransmissionList {
    Listview lv;
    RecordingCanvas canvas;
    LumeImageList images{16, 16};
    QStringList changing;
    explicit TransmissionList(int files = 20) {
        lv.host.width = 960;
        lv.host.canvas = &canvas;
        SetUpTransmission(*lv.lv, images);
        lv->OnItemSelectionChanging = [this](TLV*, TLumeItem* item, bool&) {
            changing << QStringLiteral("%1").arg(item->Index());
        };
        ListFiles(*lv.lv, files);
    }
    ~TransmissionList() {
        lv->DropEventHandlers();
        lv->SetImagesSmall(nullptr);
    }
    static LumePoint Row(int row, int x = 600) { return {x, 25 + 17 * row + 8}; }
    void Click(LumePoint p, uint32_t keys = 0) {
        lv->WMLButtonDown(MK_LBUTTON | keys, p);
        lv->WMLButtonUp(keys, p);
    }
    TLumeItem* Item(int i) { return lv->Items()[i]; }
    TLumeItem* Focused() { return lv->Selection()->FocusedItem(); }
    std::vector<int> Selected() {
        std::vector<int> out;
        for (int i = 0; i < lv->Items().Count(); ++i)
            if (Item(i)->Selected()) out.push_back(i);
        return out;
    }
};

TEST(ListviewInput, TransmissionClicksSelectOneRowAndClearBelowTheRows) {
    TransmissionList t(5);
    t.Click(TransmissionList::Row(2));
    EXPECT_EQ(t.Selected(), std::vector<int>{2});
    EXPECT_EQ(t.Focused(), t.Item(2));
    EXPECT_EQ(t.changing, QStringList{"2"}) << "the window's handler is asked";
    t.Click(TransmissionList::Row(4, 900));  // across the row, right of every caption
    EXPECT_EQ(t.Selected(), std::vector<int>{4});
    // A press below the rows keeps the selection until the release.
    t.lv->WMLButtonDown(MK_LBUTTON, TransmissionList::Row(8));
    EXPECT_EQ(t.Selected(), std::vector<int>{4});
    t.lv->WMLButtonUp(0, TransmissionList::Row(8));
    EXPECT_TRUE(t.Selected().empty());
    // A right click on a row starts no selection.
    t.lv->WMRButtonDown(MK_RBUTTON, TransmissionList::Row(1));
    t.lv->WMRButtonUp(0, TransmissionList::Row(1));
    EXPECT_TRUE(t.Selected().empty());
    EXPECT_EQ(t.lv->States & ~ebcsScrolling, 0);
}

TEST(ListviewInput, DownMovesTheSelectionAndScrollsItIntoView) {
    TransmissionList t(40);
    t.Click(TransmissionList::Row(0));
    const struct {
        uint16_t key;
        TShiftState shift;
        int expected;
    } keys[] = {{VK_DOWN, kNone, 1}, {VK_DOWN, kShift, 2}, {VK_UP, kNone, 1}, {VK_NEXT, kNone, 15}, {VK_HOME, kNone, 0}};
    for (const auto& k : keys) {
        t.lv->WMKeyDown(k.key, k.shift);
        EXPECT_EQ(t.Selected(), std::vector<int>{k.expected}) << k.key;
        EXPECT_EQ(t.Focused(), t.Item(k.expected));
    }
    for (int i = 0; i < 30; ++i) t.lv->WMKeyDown(VK_DOWN, kNone);
    EXPECT_EQ(t.Focused(), t.Item(30));
    const LumeRect shown = t.lv->ClientInViewportCoords();
    EXPECT_GE(t.Item(30)->DisplayRect.Top, shown.Top);
    // The image decides (16 of the row's 17 pixels).
    EXPECT_LE(t.Item(30)->DisplayRect.Bottom - 1, shown.Bottom) << "scrolled into view";
    EXPECT_GT(t.lv->Scrollbars->OffsetY(), 0);
}

TEST(ListviewInput, KeyActionCanStopTheKey) {
    TransmissionList t(5);
    t.Click(TransmissionList::Row(0));
    t.lv->OnKeyAction = [](TLV*, uint16_t& key, TShiftState&, bool& doDefault) { doDefault = key != VK_DOWN; };
    t.lv->WMKeyDown(VK_DOWN, kNone);
    EXPECT_EQ(t.Focused(), t.Item(0));
    t.lv->OnKeyAction = [](TLV*, uint16_t& key, TShiftState&, bool&) {
        if (key == VK_RIGHT) key = VK_DOWN;  // the handler may change the key
    };
    t.lv->WMKeyDown(VK_RIGHT, kNone);
    EXPECT_EQ(t.Focused(), t.Item(1));
}

TEST(ListviewInput, MultipleSelectionWithCtrlShiftAndPlainClicks) {
    TransmissionList t(8);
    t.lv->Selection()->SetMultiSelect(true);
    t.Click(TransmissionList::Row(1));
    t.Click(TransmissionList::Row(4), MK_SHIFT);
    EXPECT_EQ(t.Selected(), (std::vector<int>{1, 2, 3, 4}));
    // Ctrl toggles at the release and keeps the others.
    t.lv->WMLButtonDown(MK_LBUTTON | MK_CONTROL, TransmissionList::Row(2));
    EXPECT_EQ(t.Selected(), (std::vector<int>{1, 2, 3, 4}));
    t.lv->WMLButtonUp(MK_CONTROL, TransmissionList::Row(2));
    EXPECT_EQ(t.Selected(), (std::vector<int>{1, 3, 4}));
    // A plain press on a selected item keeps the selection until the release.
    t.lv->WMLButtonDown(MK_LBUTTON, TransmissionList::Row(3));
    EXPECT_EQ(t.Selected(), (std::vector<int>{1, 3, 4}));
    t.lv->WMLButtonUp(0, TransmissionList::Row(3));
    EXPECT_EQ(t.Selected(), std::vector<int>{3});
    // A right click on a selected item keeps the selection.
    t.Click(TransmissionList::Row(5), MK_SHIFT);
    t.lv->WMRButtonDown(MK_RBUTTON, TransmissionList::Row(4));
    t.lv->WMRButtonUp(0, TransmissionList::Row(4));
    EXPECT_EQ(t.Selected(), (std::vector<int>{3, 4, 5}));
}

TEST(ListviewInput, RubberBandSelectsWhatItCovers) {
    TransmissionList t(8);
    t.lv->Selection()->SetMultiSelect(true);
    t.lv->Selection()->SetEnableDragSelect(true);
    t.lv.host.dragDetect = true;
    t.lv->WMLButtonDown(MK_LBUTTON, {900, 25 + 17 * 6 + 2});  // right of the last caption of row 6
    t.lv->WMMouseMove(MK_LBUTTON, {890, 25 + 17 * 2 + 2});
    EXPECT_TRUE(t.lv->States & ebcsDragSelecting);
    EXPECT_EQ(t.Selected(), (std::vector<int>{2, 3, 4, 5, 6}));
    t.lv->WMLButtonUp(0, {890, 25 + 17 * 2 + 2});
    EXPECT_FALSE(t.lv->States & ebcsDragSelecting);
    EXPECT_EQ(t.Selected(), (std::vector<int>{2, 3, 4, 5, 6}));
}

TEST(ListviewInput, ExpandButtonWithAndWithoutVeto) {
    Listview lv;
    RecordingCanvas canvas;
    lv.host.canvas = &canvas;
    lv.Report({300});
    lv->SetShowGroupMargins(true);
    auto items = lv.AddItems(3);
    lv->Groups->AddGroup()->Items()->Add();
    TLumeGroup* group = items[0]->OwnerGroup();
    items[1]->SetSelected(true);
    QStringList log;
    lv->OnGroupCollapse = [&](TLV*, TLumeGroup*) { log << "collapse"; };
    lv->OnGroupClick = [&](TLV*, TLumeGroup*, TLumeKeyStates, TLumeGroupHitTestInfos) { log << "click"; };
    const LumePoint button{8, 21 + 15};  // the expand button in the group's header band
    lv->WMLButtonDown(MK_LBUTTON, button);
    lv->WMLButtonUp(0, button);
    EXPECT_FALSE(group->Expanded());
    EXPECT_EQ(log, QStringList{"collapse"});
    EXPECT_EQ(lv->Selection()->FocusedItem(), (*lv->Groups)[1]->Items()->At(0)) << "focus moved on";

    group->SetExpanded(true);
    log.clear();
    lv->OnGroupCollapsing = [](TLV*, TLumeGroup*, bool& allow) { allow = false; };
    lv->WMLButtonDown(MK_LBUTTON, button);
    lv->WMLButtonUp(0, button);
    EXPECT_TRUE(group->Expanded());
    EXPECT_EQ(log, QStringList{"click"}) << "a refused toggle is a click on the group";
}

TEST(ListviewInput, CheckPressReleasedOnAnotherBox) {
    Listview lv;
    RecordingCanvas canvas;
    lv.host.canvas = &canvas;
    lv.Report({300});
    lv->PaintInfoItem()->CheckType = TLumeCheckType::ectBox;
    auto items = lv.AddItems(3);
    const LumePoint box0{2 + 6, 21 + 8}, box2{2 + 6, 21 + 34 + 8}, text0{100, 21 + 8};
    const struct {
        LumePoint release;
        std::vector<bool> checked;
    } cases[] = {{box0, {true, false, false}}, {box2, {false, false, true}}, {text0, {false, false, false}}};
    for (const auto& c : cases) {
        for (TLumeItem* i : items) i->SetChecked(false);
        lv->WMLButtonDown(MK_LBUTTON, box0);
        EXPECT_TRUE(items[0]->CheckPending());
        lv->WMLButtonUp(0, c.release);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(items[i]->Checked(), c.checked[i]) << i;
        EXPECT_FALSE(items[0]->CheckPending());
        EXPECT_EQ(lv->CheckManager->PendingObject(), nullptr);
    }
}

TEST(ListviewInput, WheelScrollsByViewAndModifiers) {
    const struct {
        TLumeListStyle view;
        TShiftState shift;
        int delta;
        int dx, dy;
    } cases[] = {
        {TLumeListStyle::elsReport, kNone, -120, 0, 3 * 17},
        {TLumeListStyle::elsReport, kNone, 120, 0, -3 * 17},
        {TLumeListStyle::elsList, kNone, -120, 3 * 200, 0},
        {TLumeListStyle::elsList, kShift, -120, 0, 0},  // nothing to scroll vertically in a list
        {TLumeListStyle::elsReport, kShift, -120, 3 * 75, 0},
        {TLumeListStyle::elsReport, kCtrl, -120, 0, 300 - 17 - 21},
    };
    for (const auto& c : cases) {
        Listview lv;
        lv->SetView(c.view);
        lv->Header->SetVisible(true);
        lv->Header->Columns->AddColumn()->SetWidth(2000);
        lv.AddItems(400);
        lv->Scrollbars->SetOffsetX(1000);
        lv->Scrollbars->SetOffsetY(1000);
        const int x = lv->Scrollbars->OffsetX(), y = lv->Scrollbars->OffsetY();
        lv->DoMouseWheel(c.shift, c.delta, {});
        EXPECT_EQ(lv->Scrollbars->OffsetX() - x, c.dx) << int(c.view) << " " << c.delta;
        EXPECT_EQ(lv->Scrollbars->OffsetY() - y, c.dy) << int(c.view) << " " << c.delta;
    }
}

TEST(ListviewInput, ArrowsWithoutNavigationScrollOnePixel) {
    TransmissionList t(40);
    t.lv->Selection()->SetEnabled(false);
    t.lv->Selection()->UseFocusRect = false;
    t.lv->Scrollbars->SetOffsetY(10);
    t.lv->WMKeyDown(VK_DOWN, kNone);
    EXPECT_EQ(t.lv->Scrollbars->OffsetY(), 11);
    t.lv->WMKeyDown(VK_UP, kNone);
    t.lv->WMKeyDown(VK_UP, kNone);
    EXPECT_EQ(t.lv->Scrollbars->OffsetY(), 9);
    t.lv->WMKeyDown(VK_NEXT, kNone);
    EXPECT_EQ(t.lv->Scrollbars->OffsetY(), 9 + t.lv->ClientHeight());
    EXPECT_EQ(t.Focused(), nullptr);
}

TEST(ListviewInput, ToolTipsOnlyForUnfocusedItemsWhoseCaptionIsCut) {
    TransmissionList t(3);
    t.lv->HintType = TLumeHintType::ehtToolTip;
    t.Item(0)->SetCaption(QStringLiteral("p"));  // column 0 is 18 wide: no room for any caption
    t.Item(2)->SetCaption(QString());
    t.Item(1)->SetCaption(QStringLiteral("p"));
    t.Click(TransmissionList::Row(1));
    const LumePoint firstColumn0{9, 25 + 8}, secondColumn0{9, 25 + 17 + 8};
    auto q = t.lv->QueryHint(firstColumn0, QString());
    EXPECT_TRUE(q.Allow);
    EXPECT_EQ(q.Text, QStringLiteral("p"));
    EXPECT_EQ(q.CursorRect, (LumeRect{0, 25, 951, 42}));
    EXPECT_FALSE(t.lv->QueryHint(secondColumn0, QString()).Allow) << "the focused item";
    t.lv->HintType = TLumeHintType::ehtText;
    EXPECT_FALSE(t.lv->QueryHint(firstColumn0, QString()).Allow) << "no handler, no text";
}

TEST(ListviewInput, SetViewReplacesPaintersAndGrids) {
    const struct {
        TLumeListStyle view;
        TLumeDefaultWheelScroll wheel;
        int cellHeight;
    } cases[] = {
        {TLumeListStyle::elsSmallIcon, TLumeDefaultWheelScroll::edwsVert, 17},
        {TLumeListStyle::elsList, TLumeDefaultWheelScroll::edwsHorz, 17},
        {TLumeListStyle::elsReport, TLumeDefaultWheelScroll::edwsVert, 17},
        {TLumeListStyle::elsThumbnail, TLumeDefaultWheelScroll::edwsVert, 143},
        {TLumeListStyle::elsTile, TLumeDefaultWheelScroll::edwsVert, 58},
        {TLumeListStyle::elsGrid, TLumeDefaultWheelScroll::edwsVert, 17},
        {TLumeListStyle::elsIcon, TLumeDefaultWheelScroll::edwsVert, 75},
    };
    Listview lv;
    lv.AddItems(2);
    int changes = 0;
    lv->OnViewChange = [&](TLV*) { ++changes; };
    for (const auto& c : cases) {
        changes = 0;
        lv->SetView(c.view);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(lv->WheelMouseDefaultScroll, c.wheel);
        EXPECT_EQ(lv->Groups->CellHeight(), c.cellHeight);
        TLumeGroup* g = lv->Groups->At(0);
        const bool report = c.view == TLumeListStyle::elsReport;
        EXPECT_EQ(dynamic_cast<TLumeGridReportGroup*>(g->Grid()) != nullptr, report);
        EXPECT_EQ(dynamic_cast<TLumeViewReportItem*>(g->ItemView()) != nullptr, report);
        lv->SetView(c.view);
        EXPECT_EQ(changes, 1) << "the same view changes nothing";
    }
}

TEST(ListviewInput, SelectionObjectsAreTakenOver) {
    struct Watched : TLumeSelectionManager {
        bool* freed;
        Watched(TCustomLumeListview* lv, bool* f) : TLumeSelectionManager(lv), freed(f) {}
        ~Watched() override { *freed = true; }
    };
    Listview lv;
    bool firstFreed = false, secondFreed = false;
    auto* first = new Watched(lv.lv.get(), &firstFreed);
    lv->SetSelection(first);
    lv->SetSelection(first);
    EXPECT_FALSE(firstFreed);
    lv->SetSelection(new Watched(lv.lv.get(), &secondFreed));
    EXPECT_TRUE(firstFreed);
    EXPECT_FALSE(secondFreed);
}

TEST(ListviewInput, NothingPaintsDuringAnUpdateAndOneRepaintFollows) {
    TransmissionList t(3);
    RecordingCanvas screen;
    const int updates = t.lv.host.updates;
    t.lv->BeginUpdate(true);
    ListFiles(*t.lv.lv, 10);
    EXPECT_FALSE(t.lv->WMPaint(&screen, t.lv->ClientRect()));
    EXPECT_TRUE(screen.log.isEmpty());
    EXPECT_EQ(t.lv.host.updates, updates);
    t.lv->EndUpdate(true);
    EXPECT_EQ(t.lv.host.updates, updates + 1);
    EXPECT_TRUE(t.lv->WMPaint(&screen, t.lv->ClientRect()));
    EXPECT_FALSE(screen.Take("text").isEmpty());
}

}  // namespace
}  // namespace lume::test
