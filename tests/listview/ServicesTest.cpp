// Type-ahead search on a fake timer, the hint's size, and a column dragged
// within the header.
#include "FakeHost.h"
#include "RecordingCanvas.h"

#include "listview/dragdrop/LumeDataObject.h"
#include "listview/input/LumeHintInfo.h"

#include <QCoreApplication>
#include <QStringList>

namespace lume::test {
namespace {

struct Searchable {
    Listview lv;
    QStringList asked;
    explicit Searchable(bool handler) {
        lv.Report({100});
        for (const char* c : {"alpha", "beta", "abacus", "gamma"}) lv->Items().Add()->SetCaption(QString::fromLatin1(c));
        lv->IncrementalSearch->Enabled = true;
        if (handler)
            lv->OnIncrementalSearch = [this](TLumeCollectionItem* item, const QString& buffer, int& result) {
                asked << buffer;
                result = item->Caption().startsWith(buffer, Qt::CaseInsensitive) ? 0 : 1;
            };
    }
    void Type(const QString& text) {
        for (QChar c : text) {
            lv->WMKeyDown(c.toUpper().unicode(), {});
            lv->WMChar(QString(c));
        }
    }
    TLumeItem* Focused() { return lv->Selection()->FocusedItem(); }
};

TEST(ListviewSearch, FirstKeyWithoutAHandlerTakesTheFirstItem) {
    Searchable s(false);
    s.Type("z");
    EXPECT_EQ(s.Focused(), s.lv->Items()[0]);
    EXPECT_TRUE(s.lv->Items()[0]->Selected());
    Searchable back(false);
    back.lv->IncrementalSearch->Direction = TLumeIncrementalSearchDir::eisdBackward;
    back.Type("z");
    EXPECT_EQ(back.Focused(), back.lv->Items()[3]);
}

TEST(ListviewSearch, BufferGrowsAndResetsAfterThePause) {
    Searchable s(true);
    s.Type("ab");
    EXPECT_EQ(s.Focused(), s.lv->Items()[2]);
    EXPECT_TRUE(s.asked.contains("a") && s.asked.contains("ab"));
    EXPECT_EQ(s.asked.first(), QStringLiteral("a"));
    s.lv.host.FireTimers();  // the pause
    EXPECT_TRUE(s.lv->IncrementalSearch->SearchBuffer.isEmpty());
    EXPECT_FALSE(s.lv->IncrementalSearch->Searching);
    s.asked.clear();
    s.Type("g");
    EXPECT_EQ(s.asked.last(), QStringLiteral("g"));
    EXPECT_EQ(s.Focused(), s.lv->Items()[3]);
}

TEST(ListviewSearch, AHandlerRefusingAllSelectsNothing) {
    const struct {
        TLumeIncrementalSearchStart start;
        bool keepsLastHit;
    } cases[] = {{TLumeIncrementalSearchStart::eissStartOver, false}, {TLumeIncrementalSearchStart::eissLastHit, true}};
    for (const auto& c : cases) {
        Searchable s(true);
        s.lv->IncrementalSearch->StartType = c.start;
        s.Type("b");
        TLumeItem* hit = s.Focused();
        ASSERT_EQ(hit, s.lv->Items()[1]);
        s.lv.host.FireTimers();
        s.lv->Selection()->ClearAll();
        s.lv->OnIncrementalSearch = [](TLumeCollectionItem*, const QString&, int& result) { result = 1; };
        s.Type("q");
        EXPECT_EQ(s.lv->Selection()->Count(), 0);
        EXPECT_EQ(s.lv->IncrementalSearch->SearchItem, c.keepsLastHit ? hit : nullptr);
    }
}

TEST(ListviewHint, SizeIsTheTextPlusAMargin) {
    Listview lv;
    RecordingCanvas canvas;
    const LumeRect r = CalcHintRect(lv.lv.get(), nullptr, &canvas, 300, QStringLiteral("Razão Social"));
    EXPECT_EQ(r, (LumeRect{0, 0, 12 * 6 + 6, 13 + 2}));
}

TEST(ListviewHeaderDrag, AColumnDroppedOnTheHeaderMoves) {
    Listview lv;
    lv.Report({100, 100, 100});
    lv.host.dragDetect = true;
    TLumeColumns& columns = *lv->Header->Columns;
    lv->Header->WMLButtonDown(MK_LBUTTON, {50, 10});
    lv->Header->WMMouseMove(MK_LBUTTON, {60, 10});
    ASSERT_TRUE(lv->Header->Has(ehfDragging));
    lv->Header->WMMouseMove(MK_LBUTTON, {250, 10});
    EXPECT_TRUE(columns.At(2)->DropMark());
    lv->Header->WMLButtonUp(0, {250, 10});
    EXPECT_EQ(columns.At(0)->Position(), 2);
    EXPECT_EQ(columns.At(2)->Position(), 1);
    EXPECT_FALSE(columns.At(2)->DropMark());

    // Records from another control, another process or without a column are refused.
    TLumeHeaderDragRecord foreign{QCoreApplication::applicationPid(), quintptr(1), 0};
    EXPECT_FALSE(lv->Header->DragManager->Drop(foreign.Encode(), {150, 10}));
    TLumeHeaderDragRecord elsewhere{QCoreApplication::applicationPid() + 1, quintptr(lv.lv.get()), 0};
    EXPECT_FALSE(lv->Header->DragManager->Drop(elsewhere.Encode(), {150, 10}));
    TLumeHeaderDragRecord none{QCoreApplication::applicationPid(), quintptr(lv.lv.get()), -1};
    EXPECT_FALSE(lv->Header->DragManager->Drop(none.Encode(), {150, 10}));
    EXPECT_FALSE(lv->Header->DragManager->Drop(QByteArray("xx"), {150, 10}));
    EXPECT_EQ(columns.At(0)->Position(), 2);
}

TEST(ListviewDrag, ItemDragsNeedOLEDragStart) {
    Listview lv;
    lv.Report({300});
    UseCellPainter(lv.lv.get());
    auto items = lv.AddItems(3);
    lv->DragManager->Enabled = true;
    lv.host.dragDetect = true;
    int systemDrags = 0;
    lv->DragManager->SystemDrag = [&](ILumeDataObject* data, TLumeDropEffects) {
        ++systemDrags;
        TLumeStgMedium medium;
        EXPECT_EQ(data->GetData({QStringLiteral("text/plain")}, medium), 0u);
        EXPECT_EQ(medium.Data, QByteArray("item 1"));
        return TLumeDropEffect::edeCopy;
    };
    auto drag = [&] {
        lv->WMLButtonDown(MK_LBUTTON, {10, 21 + 17 + 8});
        EXPECT_TRUE(lv->States & ebcsDragPending);
        lv->WMMouseMove(MK_LBUTTON, {40, 21 + 17 + 10});  // past the drag distance, still on the row
    };
    drag();
    EXPECT_EQ(systemDrags, 0) << "no handler, no drag";
    EXPECT_EQ(lv->States & (ebcsDragging | ebcsDragPending), 0) << "the press ended normally";

    QStringList log;
    lv->OnOLEDragStart = [&](TLV*, ILumeDataObject* data, TLumeDropEffects&, bool& allow) {
        data->SetData({QStringLiteral("text/plain")}, {QByteArray("item 1")});
        allow = true;
    };
    lv->OnOLEDragEnd = [&](TLV*, ILumeDataObject*, TLumeOLEDragResult result, TLumeDropEffects effects) {
        log << QStringLiteral("end %1 %2").arg(int(result)).arg(effects.Has(TLumeDropEffect::edeCopy));
    };
    drag();
    EXPECT_EQ(systemDrags, 1);
    EXPECT_EQ(log, QStringList{"end 0 1"});
    EXPECT_TRUE(items[1]->Selected());
}

TEST(ListviewDrag, NoItemDragWithoutBeingEnabled) {
    Listview lv;
    lv.Report({300});
    UseCellPainter(lv.lv.get());
    lv.AddItems(3);
    lv.host.dragDetect = true;
    lv->WMLButtonDown(MK_LBUTTON, {10, 21 + 8});
    EXPECT_FALSE(lv->States & ebcsDragPending);
    lv->WMMouseMove(MK_LBUTTON, {10, 21 + 40});
    EXPECT_FALSE(lv->States & ebcsDragging);
    lv->WMLButtonUp(0, {10, 21 + 40});
}

}  // namespace
}  // namespace lume::test
