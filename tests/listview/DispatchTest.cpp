// The control's objects fire every event through the control's overridable
// Do operations, so that a descendant sees (and may answer) each of them even
// without a handler.
#include "FakeHost.h"
#include "RecordingCanvas.h"

#include "listview/dragdrop/LumeDataObject.h"
#include "listview/input/LumeHintInfo.h"

namespace lume::test {
namespace {

// Answers what it is asked and writes down which operation was called.
class Watcher : public TCustomLumeListview {
public:
    QStringList calls;
    void DoHintPopup(TLumeCollectionItem*, TLumeHintType, LumePoint, QString&, int&, int&, bool& allow) override {
        calls << "HintPopup";
        allow = true;
    }
    void DoHintCustomInfo(TLumeCollectionItem*, TLumeHintInfo*) override { calls << "HintCustomInfo"; }
    void DoItemImageDrawIsCustom(TLumeItem*, TLumeColumn*, bool&) override { calls << "ItemImageDrawIsCustom"; }
    void DoGroupImageDrawIsCustom(TLumeGroup*, bool&) override { calls << "GroupImageDrawIsCustom"; }
    void DoColumnImageDrawIsCustom(TLumeColumn*, bool&) override { calls << "ColumnImageDrawIsCustom"; }
    void DoItemGetTileDetailCount(TLumeItem*, int&) override { calls << "ItemGetTileDetailCount"; }
    void DoItemCreateEditor(TLumeItem*, ILumeCellEditor*&) override { calls << "ItemCreateEditor"; }
    void DoAutoSortGroupCreate(TLumeItem* item, int column, TLumeGroups* groups, TLumeGroup*& group,
                               bool& doDefault) override {
        calls << "AutoSortGroupCreate";
        TCustomLumeListview::DoAutoSortGroupCreate(item, column, groups, group, doDefault);
    }
    void DoOLEGetCustomFormats(std::vector<TLumeFormatEtc>& formats) override {
        calls << "OLEGetCustomFormats";
        formats.push_back({QStringLiteral("application/x-lobrix")});
    }
    void DoOLEDragStart(ILumeDataObject*, TLumeDropEffects&, bool&) override { calls << "OLEDragStart"; }
};

TEST(ListviewDispatch, ADescendantSeesEveryEventWithoutHandlers) {
    auto owned = std::make_unique<Watcher>();
    Watcher& w = *owned;
    Listview lv(std::move(owned));
    RecordingCanvas canvas;
    lv.host.canvas = &canvas;
    lv.Report({100, 100});
    lv->Header->Columns->At(0)->SetImageIndex(0);
    lv->SetShowGroupMargins(true);
    const std::vector<TLumeItem*> items = lv.AddItems(3);
    lv->Groups->At(0)->SetImageIndex(0);
    auto saw = [&](const char* call) { return w.calls.contains(QLatin1String(call)); };

    lv->PaintRect(&canvas, lv->ClientRect(), false);
    EXPECT_TRUE(saw("ItemImageDrawIsCustom"));
    EXPECT_TRUE(saw("GroupImageDrawIsCustom"));
    EXPECT_TRUE(saw("ColumnImageDrawIsCustom"));

    const LumeRect row = lv->Scrollbars->MapViewRectToWindow(items[1]->DisplayRect);
    EXPECT_TRUE(lv->QueryHint({row.Left + 30, row.Top + 5}, QStringLiteral("dica")).Allow);
    EXPECT_TRUE(saw("HintPopup"));
    CalcHintRect(lv.lv.get(), items[1], &canvas, 300, QStringLiteral("dica"));
    EXPECT_TRUE(saw("HintCustomInfo"));

    lv->EditManager->SetEnabled(true);
    lv->EditManager->BeginEdit(items[0]);
    EXPECT_TRUE(saw("ItemCreateEditor"));

    TLumeDataObjectManager data(lv.lv.get());
    data.SetData({QStringLiteral("text/plain")}, {QByteArray("x")});
    EXPECT_EQ(data.EnumFormatEtc()->Formats.size(), 2u);

    lv->DragManager->Enabled = true;
    lv->DragManager->DragItem = items[2];
    lv->DragManager->BeginDrag({10, 40}, {});
    EXPECT_TRUE(saw("OLEDragStart"));

    lv->SetView(TLumeListStyle::elsTile);
    TLumeRectArrayObject rects;
    items[0]->ItemRectArray(nullptr, &canvas, rects);
    EXPECT_TRUE(saw("ItemGetTileDetailCount"));

    lv->Sort->RegroupBy(lv->Header->Columns->At(1));
    EXPECT_TRUE(saw("AutoSortGroupCreate"));
}

}  // namespace
}  // namespace lume::test
