// Scroll offsets, the scroll bar codes and hot-tracking.
#include "FakeHost.h"

namespace lume::test {
namespace {

// Report rows 600 wide and 100 rows of 17 under a 21-pixel header, in a
// 400 x 300 window with both bars: client 383 x 283.
struct Scrolled {
    Listview lv;
    Scrolled() {
        lv.Report({300, 300});
        lv.AddItems(100);
    }
};

TEST(ListviewScroll, ScrollBarCodes) {
    const struct {
        bool vertical;
        int code;
        int start;
        int track;
        int expected;
    } cases[] = {
        {true, SB_LINEDOWN, 100, 0, 117},       {true, SB_LINEUP, 100, 0, 83},
        {true, SB_PAGEDOWN, 100, 0, 383},       {true, SB_PAGEUP, 300, 0, 17},
        {true, SB_THUMBTRACK, 0, 250, 250},     {true, SB_THUMBPOSITION, 0, 5000, 1700 + 21 - 283},
        {true, SB_TOP, 300, 0, 0},              {true, SB_BOTTOM, 0, 0, 1700 + 21 - 283},
        {true, SB_ENDSCROLL, 100, 0, 100},      {true, SB_LINEUP, 5, 0, 0},
        {false, SB_LINEDOWN, 0, 0, 17},         {false, SB_PAGEDOWN, 0, 0, 600 - 383},
        {false, SB_TOP, 100, 0, 0},             {false, SB_BOTTOM, 0, 0, 600 - 383},
        {false, SB_THUMBTRACK, 0, 50, 50},
    };
    for (const auto& c : cases) {
        Scrolled s;
        ASSERT_EQ(s.lv->ClientHeight(), 283);
        TLumeScrollbarManager& sb = *s.lv->Scrollbars;
        if (c.vertical) {
            sb.SetOffsetY(c.start);
            s.lv.host.vertInfo.TrackPos = c.track;
            sb.WMVScroll(c.code);
            EXPECT_EQ(sb.OffsetY(), c.expected) << "vertical code " << c.code;
        } else {
            sb.SetOffsetX(c.start);
            s.lv.host.horzInfo.TrackPos = c.track;
            sb.WMHScroll(c.code);
            EXPECT_EQ(sb.OffsetX(), c.expected) << "horizontal code " << c.code;
        }
    }
}

TEST(ListviewScroll, SmallViewDoesNotScroll) {
    Listview lv;
    lv.Report({100});
    lv.AddItems(3);
    const int invalidations = lv.host.invalidations;
    lv->Scrollbars->Scroll(0, 50);
    EXPECT_EQ(lv->Scrollbars->OffsetY(), 0);
    EXPECT_EQ(lv.host.invalidations, invalidations);
    EXPECT_EQ(lv->Scrollbars->MaxOffsetX(), 0);
    EXPECT_EQ(lv->Scrollbars->MaxOffsetY(), 0);
    EXPECT_FALSE(lv.host.vertBar);
}

TEST(ListviewScroll, OffsetsStayWithinTheViewAndMapPoints) {
    Scrolled s;
    TLumeScrollbarManager& sb = *s.lv->Scrollbars;
    sb.SetOffsetY(100000);
    EXPECT_EQ(sb.OffsetY(), sb.MaxOffsetY());
    sb.SetOffsetY(-5);
    EXPECT_EQ(sb.OffsetY(), 0);
    sb.SetOffsetX(10);
    sb.SetOffsetY(40);
    EXPECT_EQ(sb.MapWindowToView({5, 30}), (LumePoint{15, 49}));
    EXPECT_EQ(sb.MapViewToWindow({15, 49}), (LumePoint{5, 30}));
    EXPECT_EQ(sb.MapWindowToView({5, 30}, false), (LumePoint{15, 70}));
    EXPECT_EQ(s.lv->ClientInViewportCoords(), (LumeRect{10, 40, 393, 302}));
}

TEST(ListviewScroll, DisablingTheVerticalBarRemovesItAndLaysOutAgain) {
    Listview lv;
    lv.host.width = 417;
    auto items = lv.AddItems(30);
    ASSERT_TRUE(lv.host.vertBar);
    lv->Scrollbars->SetVertEnabled(false);
    EXPECT_FALSE(lv.host.vertBar);
    EXPECT_EQ(lv.host.vertInfo.Max, 0);
    EXPECT_EQ(lv->ClientWidth(), 417);
    // Without the bar its width is kept free: still five cells a row.
    EXPECT_EQ(items[5]->DisplayRect.Top, 75);
}

TEST(ListviewScroll, HotTrackingMovesFromItemToItem) {
    Listview lv;
    auto items = lv.AddItems(2);
    std::vector<std::pair<TLumeCollectionItem*, TLumeHotTrackState>> log;
    lv->OnItemHotTrack = [&](TLV*, TLumeCollectionItem* item, TLumeHotTrackState state, LumePoint) {
        log.emplace_back(item, state);
    };
    lv->HotTrack->SetHotObject({1, 1}, items[0]);
    EXPECT_TRUE(lv.host.capture);
    lv->HotTrack->SetHotObject({80, 1}, items[1]);
    lv->HotTrack->SetHotObject({0, 0}, nullptr);
    EXPECT_FALSE(lv.host.capture);
    using S = TLumeHotTrackState;
    const std::vector<std::pair<TLumeCollectionItem*, S>> expected{
        {items[0], S::ehsEnable}, {items[0], S::ehsDisable}, {items[1], S::ehsEnable}, {items[1], S::ehsDisable}};
    EXPECT_EQ(log, expected);
    // An object going away is forgotten without notifications.
    lv->HotTrack->SetHotObject({1, 1}, items[0]);
    lv->HotTrack->SetCheckHotObject(items[0]);
    log.clear();
    lv->Items().Clear();
    EXPECT_EQ(lv->HotTrack->HotObject(), nullptr);
    EXPECT_EQ(lv->HotTrack->CheckHotObject(), nullptr);
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace lume::test
