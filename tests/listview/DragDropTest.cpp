// Automatic scrolling while the rubber band is dragged, its edge zones, the
// data object and the drop source's answers.
#include "FakeHost.h"

#include "listview/LumeDataObject.h"

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
