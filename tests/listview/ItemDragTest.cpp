// Dragging items: the picture carried under the mouse, the application's own
// picture or data object, and the drop target mark while dragging over rows.
#include "FakeHost.h"

#include "listview/paint/LumeColors.h"
#include "listview/dragdrop/LumeDataObject.h"
#include "listview/qt/LumeQtCanvas.h"

namespace lume::test {
namespace {

constexpr int kHeader = 21;
constexpr int kRow = 17;

int RowY(int row) { return kHeader + kRow * row; }

// Five rows of 17 pixels under a 21-pixel header, rows 1 and 3 selected,
// painted for real.
struct Rows {
    Listview lv;
    std::vector<TLumeItem*> items;
    Rows() {
        lv.Report({300});
        UseCellPainter(lv.lv.get());
        lv->Selection()->SetMultiSelect(true);
        lv->Selection()->FullRowSelect = true;
        items = lv.AddItems(5);
        items[1]->SetSelected(true);
        items[3]->SetSelected(true);
        lv.host.imageCanvas = [](QImage* image) { return std::make_unique<LumeQtCanvas>(image); };
    }
    QRgb Selected() { return ToQColor(lv->Selection()->Color).rgb(); }
    QRgb Background() { return ToQColor(lv->Color).rgb(); }
};

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

TEST(ListviewItemDrag, DefaultImageShowsOnlySelectedRowsAroundTheStart) {
    const struct {
        LumePoint start;
        LumePoint hotSpot;
        LumePoint origin;  // the client point shown at the image's top-left corner
        QSize shown;       // how much of the client area the image shows
    } cases[] = {
        {{150, 60}, {50, 30}, {100, 30}, {100, 60}},
        // Near the top-left corner the picture is cut; the hot spot stays on the start.
        {{20, 10}, {20, 10}, {0, 0}, {70, 40}},
        // Cut at the bottom-right corner: the hot spot stays in the middle.
        {{399, 299}, {50, 30}, {349, 269}, {51, 31}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start.X << "," << c.start.Y);
        Rows r;
        QImage image(100, 60, QImage::Format_ARGB32_Premultiplied);
        LumePoint hot{-1, -1};
        TColor transparent = 0x0000FF;
        bool handled = false;
        r.lv->DragManager->DefaultDragImage(r.lv.lv.get(), &image, c.start, hot, transparent, handled);
        ASSERT_TRUE(handled);
        EXPECT_EQ(transparent, r.lv->Color);
        EXPECT_EQ(hot.X, c.hotSpot.X);
        EXPECT_EQ(hot.Y, c.hotSpot.Y);
        EXPECT_EQ(image.size(), QSize(100, 60)) << "the size asked for is kept";
        // Every pixel: the selected rows' colour where a selected row lies under
        // it (clear of the caption), the transparent colour anywhere else.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int cx = c.origin.X + x;
                const int cy = c.origin.Y + y;
                if (x >= c.shown.width() || y >= c.shown.height()) {
                    ASSERT_EQ(At(image, x, y), r.Background()) << "uncovered " << x << "," << y;
                } else if (cx >= 60 && cx < 300 && ((cy >= RowY(1) && cy < RowY(2)) || (cy >= RowY(3) && cy < RowY(4)))) {
                    ASSERT_EQ(At(image, x, y), r.Selected()) << x << "," << y;
                } else if (cx >= 400 || cy >= 300 || cy < RowY(1) || (cy >= RowY(2) && cy < RowY(3)) ||
                           cy >= RowY(4)) {
                    ASSERT_EQ(At(image, x, y), r.Background()) << x << "," << y;
                }
            }
    }
}

TEST(ListviewItemDrag, WithoutASurfaceThereIsNoDefaultImage) {
    Rows r;
    r.lv.host.imageCanvas = nullptr;
    QImage image(100, 60, QImage::Format_ARGB32_Premultiplied);
    LumePoint hot;
    TColor transparent = clWindow;
    bool handled = false;
    r.lv->DragManager->DefaultDragImage(r.lv.lv.get(), &image, {50, 50}, hot, transparent, handled);
    EXPECT_FALSE(handled);
    r.lv->DragManager->DefaultDragImage(r.lv.lv.get(), nullptr, {50, 50}, hot, transparent, handled);
    EXPECT_FALSE(handled);
}

// What one drag of row 1 hands to the window system.
struct DragSeen {
    int drags = 0;
    ILumeDataObject* data = nullptr;
    QImage image;
    LumePoint hotSpot{-1, -1};
    TColor transparent = 0;
    QStringList events;
};

DragSeen DragRow1(Rows& r) {
    DragSeen seen;
    r.lv->DragManager->Enabled = true;
    r.lv.host.dragDetect = true;
    r.lv->DragManager->SystemDrag = [&](ILumeDataObject* data, TLumeDropEffects) {
        ++seen.drags;
        seen.data = data;
        if (auto* own = dynamic_cast<TLumeDataObjectManager*>(data)) {
            seen.image = own->DragImage;
            seen.hotSpot = own->DragHotSpot;
            seen.transparent = own->DragTransparent;
        }
        return TLumeDropEffect::edeMove;
    };
    r.lv->OnOLEDragStart = [&](TLV*, ILumeDataObject* data, TLumeDropEffects&, bool& allow) {
        seen.events << (data == seen.data || !seen.data ? "start" : "start other");
        allow = true;
    };
    r.lv->OnOLEDragEnd = [&](TLV*, ILumeDataObject* data, TLumeOLEDragResult, TLumeDropEffects) {
        seen.events << (data == seen.data ? "end same" : "end other");
    };
    r.lv->WMLButtonDown(MK_LBUTTON, {10, RowY(1) + 8});
    r.lv->WMMouseMove(MK_LBUTTON, {40, RowY(1) + 10});  // the drag starts here
    r.lv->DropEventHandlers();
    return seen;
}

TEST(ListviewItemDrag, TheDragCarriesItsImage) {
    {
        SCOPED_TRACE("default image of the set size, centred on where the drag started");
        Rows r;
        r.lv->DragManager->DragImageWidth = 120;
        r.lv->DragManager->DragImageHeight = 40;
        const DragSeen seen = DragRow1(r);
        ASSERT_EQ(seen.drags, 1);
        EXPECT_EQ(seen.events, (QStringList{"start", "end same"}));
        EXPECT_EQ(seen.image.size(), QSize(120, 40));
        // (40, 48) - (60, 20) puts the left edge 20 pixels outside the window.
        EXPECT_EQ(seen.hotSpot.X, 40);
        EXPECT_EQ(seen.hotSpot.Y, 20);
        EXPECT_EQ(seen.transparent, r.lv->Color);
        // Row 1 starts at client y 38, image y 38 - 28 = 10; the caption sits left.
        EXPECT_EQ(At(seen.image, 90, 12), r.Selected());
        EXPECT_EQ(At(seen.image, 90, 5), r.Background());
    }
    {
        SCOPED_TRACE("the application's image");
        Rows r;
        LumePoint start;
        QSize asked;
        r.lv->OnGetDragImage = [&](TLV*, QImage* image, LumePoint dragStart, LumePoint& hot, TColor& transparent,
                                   bool& handled) {
            asked = image->size();
            start = dragStart;
            image->fill(Qt::green);
            hot = {3, 4};
            transparent = clBlack;
            handled = true;
        };
        const DragSeen seen = DragRow1(r);
        EXPECT_EQ(asked, QSize(200, 300));
        EXPECT_EQ(start.X, 40);
        EXPECT_EQ(start.Y, RowY(1) + 10);
        EXPECT_EQ(At(seen.image, 199, 299), qRgb(0, 255, 0));
        EXPECT_EQ(seen.hotSpot.X, 3);
        EXPECT_EQ(seen.hotSpot.Y, 4);
        EXPECT_EQ(seen.transparent, clBlack);
    }
    {
        SCOPED_TRACE("a handler that declines leaves the default image");
        Rows r;
        int calls = 0;
        r.lv->OnGetDragImage = [&](TLV*, QImage*, LumePoint, LumePoint&, TColor&, bool&) { ++calls; };
        const DragSeen seen = DragRow1(r);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(seen.image.size(), QSize(200, 300));
        EXPECT_EQ(seen.hotSpot.X, 40);
    }
    {
        SCOPED_TRACE("image switched off");
        Rows r;
        r.lv->DragManager->EnableDragImage = false;
        int calls = 0;
        r.lv->OnGetDragImage = [&](TLV*, QImage*, LumePoint, LumePoint&, TColor&, bool&) { ++calls; };
        const DragSeen seen = DragRow1(r);
        EXPECT_EQ(seen.drags, 1);
        EXPECT_EQ(calls, 0);
        EXPECT_TRUE(seen.image.isNull());
    }
}

TEST(ListviewItemDrag, TheApplicationsDataObjectIsDraggedWithoutImage) {
    Rows r;
    TLumeDataObjectManager mine(nullptr);
    int imageCalls = 0;
    r.lv->OnOLEGetDataObject = [&](TLV*, ILumeDataObject*& data) {
        EXPECT_EQ(data, nullptr);
        data = &mine;
    };
    r.lv->OnGetDragImage = [&](TLV*, QImage*, LumePoint, LumePoint&, TColor&, bool&) { ++imageCalls; };
    const DragSeen seen = DragRow1(r);
    ASSERT_EQ(seen.drags, 1);
    EXPECT_EQ(seen.data, &mine);
    EXPECT_EQ(seen.events, (QStringList{"start", "end same"})) << "the same object from start to end";
    EXPECT_EQ(imageCalls, 0);
    EXPECT_TRUE(mine.DragImage.isNull());
}

TEST(ListviewItemDrag, DropTargetFollowsTheRowUnderTheDrag) {
    Rows r;
    TLumeDragManager& drag = *r.lv->DragManager;
    auto marked = [&] {
        QString s;
        for (TLumeItem* item : r.items) s += item->DropTarget() ? '1' : '0';
        return s;
    };
    const struct {
        const char* what;
        LumePoint at;
        const char* marks;
    } moves[] = {
        {"onto row 2", {50, RowY(2) + 3}, "00100"},
        {"along row 2", {250, RowY(2) + 12}, "00100"},
        {"onto row 4", {50, RowY(4) + 1}, "00001"},
        // The header is no drop target: the mark stays where it was.
        {"over the header", {50, 5}, "00001"},
        {"onto row 0", {50, RowY(0)}, "10000"},
        {"below the rows", {50, RowY(6)}, "00000"},
        {"right of the column", {350, RowY(1) + 3}, "00000"},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.what);
        r.lv.host.invalidRects.clear();
        const QString before = marked();
        drag.DragOver(m.at);
        EXPECT_EQ(marked(), QString::fromLatin1(m.marks));
        const int index = QString::fromLatin1(m.marks).indexOf('1');
        EXPECT_EQ(drag.DropTargetItem, index < 0 ? nullptr : r.items[index]);
        if (marked() != before)
            EXPECT_FALSE(r.lv.host.invalidRects.empty()) << "a changed mark is repainted";
    }
    // Leaving, dropping and ending the drag all take the mark away.
    drag.DragOver({50, RowY(3) + 3});
    drag.ClearDropTarget();
    EXPECT_EQ(marked(), "00000");
    drag.DragOver({50, RowY(3) + 3});
    drag.DragItem = r.items[1];
    drag.DragDrop();
    EXPECT_EQ(marked(), "00000");
    EXPECT_EQ(drag.DragItem, nullptr);
    drag.DragOver({50, RowY(3) + 3});
    drag.DragEnd({0, 0}, {});
    EXPECT_EQ(marked(), "00000");
    EXPECT_EQ(drag.DropTargetItem, nullptr);
}

TEST(ListviewItemDrag, DropTargetInAScrolledViewAndOnceItsRowIsGone) {
    Listview lv;
    lv.Report({300});
    UseCellPainter(lv.lv.get());
    auto items = lv.AddItems(100);
    lv->Scrollbars->Scroll(0, 2 * kRow);
    ASSERT_EQ(lv->Scrollbars->OffsetY(), 2 * kRow);
    lv->DragManager->DragOver({50, RowY(0) + 3});
    EXPECT_EQ(lv->DragManager->DropTargetItem, items[2]) << "the point is read in the scrolled view";
    EXPECT_TRUE(items[2]->DropTarget());
    lv->Items().Clear();
    EXPECT_EQ(lv->DragManager->DropTargetItem, nullptr);
    lv->DragManager->DragOver({50, 5});  // would touch the freed row
    lv->DragManager->ClearDropTarget();
}

}  // namespace
}  // namespace lume::test
