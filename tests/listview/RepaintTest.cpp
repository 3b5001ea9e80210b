// What the screen shows after the list changes: every layout pass repaints
// the window, so a cleared, relisted, restyled or collapsed list shows at
// once, without waiting for something else to repaint it.
#include "WidgetForm.h"

#include "listview/paint/LumeColors.h"

namespace lume::test {
namespace {

// A form wide enough for every column: no scroll bar comes or goes to
// repaint the list by the way.
struct WideForm : Form {
    explicit WideForm(int files) : Form(files) {
        dialog.resize(1000, 600);
        Screen();
    }
};

// Rows 0 to 4 of the list below the header, as the screen shows them.
QImage RowsArea(const QImage& screen) { return screen.copy(0, 25, 700, 5 * 17); }

bool AllOneColour(const QImage& image, QColor colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != colour) return false;
    return true;
}

TEST(ListviewRepaint, ClearedAndRelistedRowsShowAtOnce) {
    WideForm f(5);
    ASSERT_FALSE(AllOneColour(RowsArea(f.Screen()), ToQColor(clWindow)));

    // Emptied, the way the transmission window empties its list.
    (*f.lv)->Items().Clear();
    EXPECT_TRUE(AllOneColour(RowsArea(f.Screen()), ToQColor(clWindow)));

    // Five rows again, then five others: the same number of rows, other pictures.
    ListFiles(*f.lv->Core(), 5);
    EXPECT_EQ(f.Screen(), f.Fresh());
    TCustomLumeListview& core = *f.lv->Core();
    core.Items().Clear();
    core.BeginUpdate(true);
    for (int i = 0; i < 5; ++i) {
        TLumeItem* item = core.Items().Add();
        item->SetCaptions(8, QStringLiteral("OUTRA EMPRESA %1").arg(i));
        item->SetImageIndexes(0, 1);
    }
    core.EndUpdate(true);
    const QImage relisted = f.Screen();
    EXPECT_EQ(relisted.pixelColor(9, 25 + 8 + 17 * 4), QColor(0, 0, 200)) << "the last row's picture";
    EXPECT_EQ(relisted, f.Fresh());
}

TEST(ListviewRepaint, AnotherViewShowsAtOnce) {
    WideForm f(5);
    f.Screen();
    (*f.lv)->SetView(TLumeListStyle::elsList);
    EXPECT_EQ(f.Screen(), f.Fresh());
    (*f.lv)->SetView(TLumeListStyle::elsReport);
    EXPECT_EQ(f.Screen(), f.Fresh());
}

TEST(ListviewRepaint, CollapsedGroupShowsAtOnce) {
    WideForm f(0);
    TCustomLumeListview& core = *f.lv->Core();
    core.SetShowGroupMargins(true);
    core.BeginUpdate(true);
    for (int g = 0; g < 2; ++g) {
        TLumeGroup* group = core.Groups->AddGroup();
        group->SetCaption(QStringLiteral("Grupo %1").arg(g + 1));
        for (int i = 0; i < 4; ++i)
            static_cast<TLumeItem*>(group->Items()->Add())->SetCaptions(8, QStringLiteral("EMPRESA %1").arg(i));
    }
    core.EndUpdate(true);
    f.Screen();
    TLumeGroup* first = core.Groups->At(0);
    TLumeRectArrayObject r;
    first->GroupView()->CalculateRects(first, egpTop, core.MeasureCanvas(), r);
    ASSERT_FALSE(r.ExpandButtonRect.IsEmpty());
    const LumeRect button = core.Scrollbars->MapViewRectToWindow(r.ExpandButtonRect);
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {},
                      QPoint((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2));
    ASSERT_FALSE(first->Expanded());
    EXPECT_EQ(f.Screen(), f.Fresh());
}

// An update region of several rectangles across one row (here an L shape
// over the company names of rows 1 and 2) paints each row once: drawn once
// per rectangle, its text would be drawn over itself and turn bold.
TEST(ListviewRepaint, RowsUnderSeveralRectanglesAreDrawnOnce) {
    WideForm f(5);
    const QImage fresh = f.Fresh();
    f.Screen();
    const int nameX = 18 + 100 + 130 + 45 + 70 + 70 + 70 + 18;
    f.lv->viewport()->update(QRect(nameX, 25 + 17 + 4, 200, 10));
    f.lv->viewport()->update(QRect(nameX + 40, 25 + 17 + 9, 200, 17));
    const QRect names(nameX, 25 + 17, 300, 2 * 17);
    EXPECT_EQ(f.Screen().copy(names), fresh.copy(names));
}

}  // namespace
}  // namespace lume::test
