// The painters' rectangles with a 6-pixel-per-character canvas, the hit
// tests and scrolling that use them, and what the painters draw.
#include "FakeHost.h"
#include "RecordingCanvas.h"

#include "listview/paint/LumeGlyphs.h"
#include "listview/qt/LumeImageList.h"

namespace lume::test {
namespace {

struct Painted {
    Listview lv;
    RecordingCanvas canvas;
    LumeImageList small{16, 16};
    Painted() {
        lv.host.canvas = &canvas;
        QImage square(16, 16, QImage::Format_ARGB32);
        square.fill(qRgb(0, 128, 0));
        for (int i = 0; i < 4; ++i) small.Add(square);
        lv->SetImagesSmall(&small);
    }
    ~Painted() { lv->SetImagesSmall(nullptr); }
    TLumeRectArrayObject Rects(TLumeItem* item, TLumeColumn* column) {
        TLumeRectArrayObject r;
        item->ItemRectArray(column, &canvas, r);
        return r;
    }
};

TEST(ListviewPaintRects, ReportCellWithAnImageInASeventeenPixelRow) {
    Painted p;
    p.lv.Report({150, 150});
    TLumeItem* item = p.lv->Items().Add();
    item->SetCaption(QStringLiteral("file.dec"));
    item->SetImageIndex(0);
    const auto r = p.Rects(item, p.lv->Header->Columns->At(0));
    EXPECT_EQ(r.BoundsRect, (LumeRect{0, 0, 150, 17}));
    EXPECT_EQ(r.CheckRect, (LumeRect{0, 0, 0, 17}));
    EXPECT_EQ(r.IconRect, (LumeRect{2, 0, 18, 16}));
    EXPECT_EQ(r.LabelRect, (LumeRect{22, 0, 146, 17}));
    EXPECT_EQ(r.TextRect, (LumeRect{24, 2, 72, 15}));
    EXPECT_EQ(r.SelectionRect, (LumeRect{22, 0, 74, 17}));

    // Without an image the label starts CaptionIndent + 2 right of the check box.
    const auto second = p.Rects(item, p.lv->Header->Columns->At(1));
    EXPECT_EQ(second.LabelRect.Left, 150 + 4);
    EXPECT_TRUE(second.TextRect.IsEmpty()) << "no caption in column 1";
}

TEST(ListviewPaintRects, NarrowCellHasNoLabel) {
    const struct {
        int width;
        bool label;
    } cases[] = {{25, false}, {26, true}};  // CaptionIndent + 5 past the image's right edge
    for (const auto& c : cases) {
        Painted p;
        p.lv.Report({c.width});
        TLumeItem* item = p.lv->Items().Add();
        item->SetCaption(QStringLiteral("x"));
        item->SetImageIndex(0);
        const auto r = p.Rects(item, p.lv->Header->Columns->At(0));
        EXPECT_EQ(!r.LabelRect.IsZero(), c.label) << c.width;
        if (!c.label) EXPECT_TRUE(r.TextRect.IsEmpty());
    }
}

TEST(ListviewPaintRects, IconViewShowsTheFocusedItemsWholeCaption) {
    Painted p;
    TLumeItem* item = p.lv->Items().Add();
    item->SetCaption(QStringLiteral("a long caption that wraps onto several lines"));
    item->SetFocused(true);
    const auto r = p.Rects(item, nullptr);
    EXPECT_EQ(r.TextRect.Height(), 26) << "two lines";
    EXPECT_GT(r.FullTextRect.Height(), 26);
    EXPECT_EQ(item->ItemView()->PaintTextLines(item, nullptr), -1);
    EXPECT_TRUE(item->ItemView()->PaintFocusedLast());
    // The last group grows so that the whole caption shows.
    EXPECT_GE(item->OwnerGroup()->DisplayRect.Bottom, r.FullTextRect.Bottom);
}

TEST(ListviewPaintRects, TileKeepsTheLinesThatFit) {
    Painted p;
    p.lv->SetView(TLumeListStyle::elsTile);
    p.lv->PaintInfoItem()->TileDetailCount = 3;
    TLumeItem* item = p.lv->Items().Add();
    item->SetCaption(QStringLiteral("a caption long enough for two tile lines"));
    item->SetCaptions(1, QStringLiteral("second"));
    item->SetCaptions(2, QStringLiteral("third"));
    item->SetDetail(1, 1);
    item->SetDetail(2, 2);
    const auto r = p.Rects(item, nullptr);
    ASSERT_EQ(r.TextRects.size(), 2u);
    EXPECT_EQ(r.TextRects[0].Height(), 26);
    EXPECT_EQ(r.TextRects[1].Top, r.TextRects[0].Bottom);
}

TEST(ListviewPaintRects, HeaderCaptionsAndTheSortArrow) {
    Painted p;
    p.lv.Report({150, 150});
    p.lv->Header->SetHeight(25);
    TLumeColumn* column = p.lv->Header->Columns->At(1);
    column->SetCaption(QStringLiteral("Arquivo"));
    TLumeRectArrayObject r;
    p.lv->Header->Columns->ColumnView->CalculateRects(column, &p.canvas, r);
    ASSERT_FALSE(r.TextRects.empty());
    EXPECT_EQ(r.TextRects[0].Left, 150 + 6);
    EXPECT_EQ(r.TextRects[0].Top, 4 + (17 - 13) / 2);
    EXPECT_EQ(r.BoundsRect, column->DisplayRect);

    column->SetSortDirection(TLumeSortDirection::esdAscending);
    p.lv->Header->Columns->ColumnView->CalculateRects(column, &p.canvas, r);
    EXPECT_EQ(r.SortRect.Left, r.TextRect.Right);
    EXPECT_EQ(r.SortRect.Width(), 16);

    // Too narrow for its indents: no caption at all.
    column->SetWidth(3);
    p.lv->Header->Columns->ColumnView->CalculateRects(column, &p.canvas, r);
    EXPECT_TRUE(r.TextRects.empty());
}

TEST(ListviewPaintRects, HitTestsOverThePaintersRectangles) {
    Painted p;
    p.lv.Report({150, 150});
    auto items = p.lv.AddItems(3);
    TLumeItemHitTestInfos info;
    EXPECT_EQ(p.lv->ItemHitTest({30, 20}, nullptr, info), items[1]);
    EXPECT_TRUE(info.Has(TLumeItemHitTestInfo::ehtOnText));
    EXPECT_TRUE(info.Has(TLumeItemHitTestInfo::ehtOnLabel));
    EXPECT_EQ(p.lv->ItemHitTest({140, 20}, nullptr, info), items[1]);
    EXPECT_FALSE(info.Has(TLumeItemHitTestInfo::ehtOnText));
    // Clicks select on the caption only, or across the row with full-row selection.
    EXPECT_TRUE(items[1]->SelectionHitPt({30, 20}, false));
    EXPECT_FALSE(items[1]->SelectionHitPt({140, 20}, false));
    p.lv->Selection()->FullRowSelect = true;
    EXPECT_TRUE(items[1]->SelectionHitPt({140, 20}, false));
    EXPECT_TRUE(items[1]->SelectionHitPt({290, 20}, false));

    TLumeColumnHitTestInfos columnInfo;
    TLumeColumn* column = p.lv->Header->Columns->At(0);
    column->SetCaption(QStringLiteral("Nome"));
    EXPECT_TRUE(column->HitTestAt({8, 10}, columnInfo));
    EXPECT_TRUE(columnInfo.Has(TLumeColumnHitTestInfo::echtOnText));

    p.lv->SetShowGroupMargins(true);
    TLumeGroupHitTestInfos groupInfo;
    TLumeGroup* group = p.lv->GroupHitTest({8, 10}, groupInfo);
    ASSERT_EQ(group, items[0]->OwnerGroup());
    EXPECT_TRUE(groupInfo.Has(TLumeGroupHitTestInfo::egtOnHeader));
    EXPECT_TRUE(groupInfo.Has(TLumeGroupHitTestInfo::egtOnExpandButton));
}

TEST(ListviewPaintRects, MakeVisibleWithTheHeaderShownAndHidden) {
    const struct {
        bool header;
        int position;
        int offsetY;
    } cases[] = {
        {true, emvTop, 850}, {true, emvMiddle, 850 - 141}, {true, emvBottom, 867 + 21 - 283},
        {true, emvAuto, 867 + 21 - 283}, {false, emvBottom, 867 - 283}, {false, emvTop, 850},
    };
    for (const auto& c : cases) {
        Painted p;
        p.lv.Report({300, 300});  // both bars: client 383 x 283
        p.lv->Header->SetVisible(c.header);
        auto items = p.lv.AddItems(100);
        items[50]->MakeVisible(c.position);
        EXPECT_EQ(p.lv->Scrollbars->OffsetY(), c.offsetY) << c.header << " " << c.position;
    }
}

TEST(ListviewPaintRects, BandLinesAndCornerArcs) {
    Painted p;
    p.lv.Report({400});
    p.lv->SetShowGroupMargins(true);
    p.lv->PaintInfoGroup()->MarginLeft()->SetVisible(true);
    p.lv->PaintInfoGroup()->MarginBottom()->SetVisible(true);
    TLumeItem* item = p.lv->Items().Add();
    TLumeGroup* group = item->OwnerGroup();
    p.canvas.log.clear();
    group->GroupView()->Paint(group, egpTop, &p.canvas);
    const QStringList lines = p.canvas.Take("line");
    ASSERT_EQ(lines.size(), 301);
    EXPECT_TRUE(lines[0].endsWith("ff0000") && lines[1].endsWith("ff0000")) << lines[0].toStdString();
    EXPECT_FALSE(lines[2].endsWith("ff0000"));
    EXPECT_TRUE(lines[300].endsWith("fffefe")) << lines[300].toStdString();  // 299 steps of 300 toward white

    p.canvas.log.clear();
    group->GroupView()->Paint(group, egpLeft, &p.canvas);
    const QStringList arcs = p.canvas.Take("arc");
    ASSERT_EQ(arcs.size(), 6);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(arcs[2 * i].contains(QStringLiteral(" r%1 90+90").arg(4 - i))) << arcs[2 * i].toStdString();
        EXPECT_TRUE(arcs[2 * i + 1].contains(QStringLiteral(" r%1 180+90").arg(4 - i)));
    }
}

TEST(ListviewPaintRects, ColumnFacesByStyle) {
    const struct {
        TLumeHeaderButtonStyle style;
        bool clicking;
        const char* edge;
    } cases[] = {
        {TLumeHeaderButtonStyle::ehbsThick, false, "5 300f"}, {TLumeHeaderButtonStyle::ehbsThick, true, "5 700f"},
        {TLumeHeaderButtonStyle::ehbsFlat, false, "4 200f"},  {TLumeHeaderButtonStyle::ehbsFlat, true, "2 200f"},
        {TLumeHeaderButtonStyle::ehbsPlate, false, "4 300f"}, {TLumeHeaderButtonStyle::ehbsPlate, true, "2 200f"},
    };
    for (const auto& c : cases) {
        Painted p;
        p.lv.Report({100});
        p.lv->SetThemed(false);
        p.lv->PaintInfoColumn()->Style = c.style;
        TLumeColumn* column = p.lv->Header->Columns->At(0);
        column->SetStateBit(ecisClicking, c.clicking);
        p.lv->Header->Columns->ColumnView->PaintBackground(column, &p.canvas);
        ASSERT_EQ(p.canvas.Take("edge").size(), 1);
        EXPECT_TRUE(p.canvas.Take("edge")[0].endsWith(c.edge)) << p.canvas.Take("edge")[0].toStdString();
    }
    Painted themed;
    themed.lv.Report({100});
    TLumeColumn* column = themed.lv->Header->Columns->At(0);
    themed.lv->Header->HotTrackColumn = column;
    themed.lv->Header->Columns->ColumnView->PaintBackground(column, &themed.canvas);
    EXPECT_EQ(themed.canvas.log.last(), QStringLiteral("theme 0 2 0,0,100,21"));
    themed.lv->States |= ebcsDragging;
    themed.lv->Header->Columns->ColumnView->PaintBackground(column, &themed.canvas);
    EXPECT_EQ(themed.canvas.log.last(), QStringLiteral("theme 0 1 0,0,100,21")) << "no hot face while dragging";
}

TEST(ListviewPaintRects, CheckBoxStatesAndColours) {
    Painted p;
    TLumeViewColumn& view = *p.lv->Header->Columns->ColumnView;
    const struct {
        bool enabled, checked, hot, pressed;
        int state;
    } themedCases[] = {
        {true, false, false, false, 1}, {true, false, true, false, 2}, {true, false, false, true, 3},
        {false, false, false, false, 4}, {true, true, false, false, 5}, {true, true, true, false, 6},
        {true, true, false, true, 7},   {false, true, true, false, 8},
    };
    for (const auto& c : themedCases) {
        p.canvas.log.clear();
        view.PaintCheck(TLumeCheckType::ectBox, &p.canvas, {0, 0, 13, 13}, c.enabled, c.checked, false, false, c.hot,
                        c.pressed, 12);
        EXPECT_EQ(p.canvas.log, QStringList{QStringLiteral("theme 1 %1 0,0,13,13").arg(c.state)});
    }
    // Without styles a disabled flat box uses only the button face and shadow colours.
    p.lv->SetThemed(false);
    p.canvas.log.clear();
    view.PaintCheck(TLumeCheckType::ectBox, &p.canvas, {0, 0, 13, 13}, false, true, false, true, false, false, 12);
    const QString face = RecordingCanvas::C(clBtnFace), shadow = RecordingCanvas::C(clBtnShadow);
    ASSERT_FALSE(p.canvas.log.isEmpty());
    for (const QString& l : p.canvas.log) EXPECT_TRUE(l.endsWith(face) || l.endsWith(shadow)) << l.toStdString();
}

}  // namespace
}  // namespace lume::test
