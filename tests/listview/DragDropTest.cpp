// Automatic scrolling while the rubber band is dragged, its edge zones, the
// data object and the drop source's answers.
#include "FakeHost.h"

#include "listview/dragdrop/LumeDataObject.h"

namespace lume::test {
namespace {

struct Band {
    Listview lv;
    Band() {
        lv.Report({300});
        UseCellPainter(lv.lv.get());
        lv->Selection()->SetMultiSelect(true);
        lv->Selection()->SetEnableDragSelect(true);
        lv->Selection()->SetMouseButtonSelRect({TLumeMouseButton::embLeft});
        lv.AddItems(100);
        lv.host.dragDetect = true;
    }
};

TEST(ListviewDragRect, AutoScrollAfterTheDelayByDepthTimesAccelerator) {
    Band b;
    const int ch = b.lv->ClientHeight();
    b.lv->WMLButtonDown(MK_LBUTTON, {350, 100});
    b.lv->WMMouseMove(MK_LBUTTON, {350, ch - 10});  // 5 pixels into the bottom zone
    ASSERT_TRUE(b.lv->States & ebcsDragSelecting);
    TLumeDragRectManager& band = *b.lv->DragRectManager;
    EXPECT_EQ(band.ScrollDepthDown({350, ch - 10}), 5);
    ASSERT_EQ(b.lv.host.timers.size(), 1u);
    b.lv.host.FireTimers();  // 500 ms: only the switch to the fast period
    EXPECT_EQ(b.lv->Scrollbars->OffsetY(), 0);
    EXPECT_TRUE(band.FastScrolling);
    b.lv.host.FireTimers();  // every 50 ms from now on
    EXPECT_EQ(b.lv->Scrollbars->OffsetY(), 10);
    b.lv.host.FireTimers();
    EXPECT_EQ(b.lv->Scrollbars->OffsetY(), 20);
    // Out of the zone: the timer stops.
    b.lv->WMMouseMove(MK_LBUTTON, {350, 150});
    EXPECT_TRUE(b.lv.host.timers.empty());
    EXPECT_FALSE(band.FastScrolling);
    b.lv->WMLButtonUp(0, {350, 150});
}

TEST(ListviewDragRect, ZonesOnlyWhereTheViewCanScroll) {
    Band b;
    TLumeDragRectManager& band = *b.lv->DragRectManager;
    const int ch = b.lv->ClientHeight(), cw = b.lv->ClientWidth();
    const int h = b.lv->Header->RuntimeHeight();
    EXPECT_FALSE(band.InScrollZoneUp({100, h + 5})) << "already at the top";
    EXPECT_TRUE(band.InScrollZoneDown({100, ch - 5}));
    EXPECT_FALSE(band.InScrollZoneDown({100, ch - 15}));
    EXPECT_FALSE(band.InScrollZoneLeft({5, 100})) << "nothing to scroll across";
    EXPECT_FALSE(band.InScrollZoneRight({cw - 5, 100}));
    b.lv->Scrollbars->SetOffsetY(b.lv->Scrollbars->MaxOffsetY());
    EXPECT_TRUE(band.InScrollZoneUp({100, h + 5}));
    EXPECT_FALSE(band.InScrollZoneDown({100, ch - 5})) << "already at the bottom";
    EXPECT_EQ(band.ScrollDepthUp({100, h + 5}), 10);
}

// The band's moving corner stays under the mouse while the view scrolls under
// it, whether a timer step or a key scrolled: the band grows by the distance.
TEST(ListviewDragRect, CornerFollowsAnAutoScrollStepWithoutAMove) {
    Band b;
    const int ch = b.lv->ClientHeight();
    TLumeDragRectManager& band = *b.lv->DragRectManager;
    b.lv->WMLButtonDown(MK_LBUTTON, {350, 100});
    b.lv->WMMouseMove(MK_LBUTTON, {100, ch - 10});  // over the captions
    const int bottom = band.DragRect.Bottom;
    TLumeItem* next = b.lv->Groups->ItemAt({10, bottom + 5});
    ASSERT_TRUE(next);
    EXPECT_FALSE(next->Selected());
    b.lv.host.FireTimers();
    b.lv.host.FireTimers();  // scrolls 10 pixels
    ASSERT_EQ(b.lv->Scrollbars->OffsetY(), 10);
    EXPECT_EQ(band.DragRect.Bottom, bottom + 10);
    EXPECT_TRUE(next->Selected()) << "the row scrolled under the mouse joins the band";
    b.lv->WMLButtonUp(0, {100, ch - 10});
}

TEST(ListviewDragRect, KeysScrollUnderARunningBand) {
    constexpr uint16_t VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_DOWN = 0x28,
                       VK_UP = 0x26, VK_F5 = 0x74;
    struct Case {
        const char* name;
        int startOffset;
        uint16_t key;
        int offset;
    };
    Band probe;
    const int ch = probe.lv->ClientHeight(), step = probe.lv->Scrollbars->LineStep();
    // End scrolls by the view's height less the client's, short of the
    // largest offset by the header's height.
    const int endY = probe.lv->Scrollbars->ViewHeight() - ch;
    const Case cases[] = {
        {"Page Down scrolls one client height", 0, VK_NEXT, ch},
        {"Page Up", 2 * ch, VK_PRIOR, ch},
        {"Down a line", 0, VK_DOWN, step},
        {"Up a line", 100, VK_UP, 100 - step},
        {"End", 0, VK_END, endY},
        {"Home", 200, VK_HOME, 0},
        {"other keys leave it", 100, VK_F5, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Band b;
        TLumeDragRectManager& band = *b.lv->DragRectManager;
        b.lv->Scrollbars->SetOffsetY(c.startOffset);
        b.lv->WMLButtonDown(MK_LBUTTON, {350, 100});
        b.lv->WMMouseMove(MK_LBUTTON, {350, 150});
        ASSERT_TRUE(b.lv->States & ebcsDragSelecting);
        const LumeRect before = band.DragRect;
        b.lv->WMKeyDown(c.key, {});
        const int expected = c.offset;
        EXPECT_EQ(b.lv->Scrollbars->OffsetY(), expected);
        // The corner under the mouse moved with the view; the anchor stayed.
        const int anchor = before.Top, corner = before.Bottom - 1 + expected - c.startOffset;
        EXPECT_EQ(band.DragRect.Top, std::min(anchor, corner));
        EXPECT_EQ(band.DragRect.Bottom, std::max(anchor, corner) + 1);
        b.lv->WMLButtonUp(0, {350, 150});
    }
}

TEST(ListviewDataObject, FormatsAndQueries) {
    Listview lv;
    TLumeDataObjectManager data(lv.lv.get());
    const TLumeFormatEtc text{QStringLiteral("text/plain")}, other{QStringLiteral("image/png")};
    TLumeStgMedium medium;
    EXPECT_EQ(data.GetData(text, medium), E_UNEXPECTED_) << "nothing stored";
    EXPECT_EQ(data.EnumFormatEtc(), nullptr);
    data.SetData(text, {QByteArray("abc")});
    EXPECT_EQ(data.QueryGetData(text), S_OK_);
    EXPECT_EQ(data.QueryGetData(other), DV_E_FORMATETC_);
    EXPECT_EQ(data.GetData(text, medium), S_OK_);
    EXPECT_EQ(medium.Data, QByteArray("abc"));
    data.SetData(text, {QByteArray("xyz")});
    EXPECT_EQ(data.Data.size(), 1u) << "the same format is replaced";

    lv->OnOLEGetCustomFormats = [&](TLV*, std::vector<TLumeFormatEtc>& formats) { formats.push_back(other); };
    auto formats = data.EnumFormatEtc();
    std::vector<TLumeFormatEtc> got;
    int fetched = 0;
    EXPECT_EQ(formats->Next(5, got, &fetched), S_FALSE_);
    EXPECT_EQ(fetched, 2);
    EXPECT_EQ(formats->Skip(1), S_FALSE_);
    formats->Reset();
    EXPECT_EQ(formats->Next(1, got, &fetched), S_OK_);
    EXPECT_EQ(got.front(), text);
    EXPECT_EQ(formats->Clone()->InternalIndex, 0);

    lv->OnOLEQueryData = [](TLV*, const TLumeFormatEtc&, bool& available, bool& handled) {
        available = false;
        handled = true;
    };
    EXPECT_EQ(data.QueryGetData(text), DV_E_FORMATETC_) << "the application decides";
}

TEST(ListviewDropSource, AnswersByButtonsAndEscape) {
    Listview lv;
    const struct {
        bool escape;
        uint32_t keys;
        uint32_t result;
    } cases[] = {
        {false, MK_LBUTTON, S_OK_},
        {true, MK_LBUTTON, DRAGDROP_S_CANCEL_},
        {false, 0, DRAGDROP_S_DROP_},
        {true, 0, DRAGDROP_S_DROP_},
    };
    for (const auto& c : cases) EXPECT_EQ(QueryContinueDrag(lv.lv.get(), c.escape, c.keys), c.result);
    lv->OnOLEQueryContineDrag = [](TLV*, bool, TLumeKeyStates, TLumeQueryDragResult& q) {
        q = TLumeQueryDragResult::eqdrQuit;
    };
    EXPECT_EQ(QueryContinueDrag(lv.lv.get(), false, MK_LBUTTON), DRAGDROP_S_CANCEL_);
    EXPECT_EQ(GiveFeedback(lv.lv.get(), {TLumeDropEffect::edeMove}), DRAGDROP_S_USEDEFAULTCURSORS_);
    lv->OnOLEGiveFeedback = [](TLV*, TLumeDropEffects, bool& useDefault) { useDefault = false; };
    EXPECT_EQ(GiveFeedback(lv.lv.get(), {TLumeDropEffect::edeMove}), S_OK_);
}

}  // namespace
}  // namespace lume::test
