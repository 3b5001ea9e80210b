// The list view driven through Qt under the address and undefined-behaviour
// sanitizers: handlers that empty the list and list it again while the
// control still holds the row they fired for, and lists longer than 2^31
// pixels. A use of freed memory or an overflow stops the program.
#include "listview/WidgetForm.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace lume::test {
namespace {

// A window's relisting: the list emptied and three other files listed, once
// at a time as a window guards its own handler.
struct Relister {
    TCustomLumeListview& lv;
    bool busy = false;
    int times = 0;
    void operator()() {
        if (busy) return;
        busy = true;
        ++times;
        ListFiles(lv, 3);
        busy = false;
    }
};

// Five files listed; the handler installed lists three others while the
// action runs; then the control goes on with the new list.
void ListAgainDuring(const std::function<void(TCustomLumeListview&, Relister&)>& install,
                     const std::function<void(Form&)>& act) {
    Form f(5);
    TCustomLumeListview& lv = *f.lv->Core();
    Relister relist{lv};
    install(lv, relist);
    act(f);
    EXPECT_GE(relist.times, 1);
    lv.DropEventHandlers();
    EXPECT_EQ(lv.Items().Count(), 3);
    EXPECT_LE(lv.Selection()->Count(), 1);
    f.Fresh();
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(1));
    EXPECT_TRUE(lv.Items()[1]->Selected());
    EXPECT_EQ(lv.Selection()->Count(), 1);
    QTest::keyClick(f.lv, Qt::Key_Down);
    EXPECT_TRUE(lv.Items()[2]->Selected());
    EXPECT_EQ(lv.Selection()->Count(), 1);
}

void ClickRow2(Form& f) { QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(2)); }

TEST(ListviewSanitized, ItemClickListsAgain) {
    ListAgainDuring(
        [](TCustomLumeListview& lv, Relister& relist) {
            lv.OnItemClick = [&relist](TLV*, TLumeItem*, TLumeKeyStates, TLumeItemHitTestInfos) { relist(); };
        },
        ClickRow2);
}

TEST(ListviewSanitized, SelectionChangingListsAgainDuringAClick) {
    ListAgainDuring(
        [](TCustomLumeListview& lv, Relister& relist) {
            lv.OnItemSelectionChanging = [&relist](TLV*, TLumeItem*, bool&) { relist(); };
        },
        ClickRow2);
}

TEST(ListviewSanitized, SelectionChangedListsAgainDuringDown) {
    ListAgainDuring(
        [](TCustomLumeListview& lv, Relister& relist) {
            lv.Items()[1]->SetSelected(true);
            lv.OnItemSelectionChanged = [&relist](TLV*, TLumeItem*) { relist(); };
        },
        [](Form& f) { QTest::keyClick(f.lv, Qt::Key_Down); });
}

TEST(ListviewSanitized, FreeingListsAgainWhileTheListEmpties) {
    ListAgainDuring(
        [](TCustomLumeListview& lv, Relister& relist) {
            lv.OnItemFreeing = [&relist](TLV*, TLumeItem*) { relist(); };
        },
        [](Form& f) { (*f.lv)->Items().Clear(); });
}

// Rows a million pixels high: the three thousandth lies past 2^31 pixels.
// Laying them out, going to the end and turning the wheel (a wheel set to
// scroll thousands of lines a notch) keep every sum within an int.
TEST(ListviewSanitized, ListsTallerThanTwoBillionPixels) {
    Form f(0);
    TCustomLumeListview& lv = *f.lv->Core();
    lv.CellSizes->Report->SetHeight(1 << 20);
    ListFiles(lv, 3000);
    EXPECT_LE(lv.Scrollbars->ViewHeight(), kLumeMaxExtent);
    EXPECT_LE(lv.Items()[2999]->DisplayRect.Bottom, kLumeMaxExtent);
    EXPECT_EQ(lv.Items()[1]->DisplayRect.Top, 1 << 20);
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(0));
    QTest::keyClick(f.lv, Qt::Key_End);
    EXPECT_TRUE(lv.Items()[2999]->Selected());
    EXPECT_EQ(lv.Scrollbars->OffsetY(), lv.Scrollbars->MaxOffsetY());
    lv.WheelScrollLines = 3000;
    for (const int delta : {120, -120, -120, 1200}) {
        const QPointF at(300, 200);
        QWheelEvent wheel(at, f.lv->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f.lv->viewport(), &wheel);
    }
    EXPECT_EQ(lv.Scrollbars->OffsetY(), 0);
    f.Fresh();
}

}  // namespace
}  // namespace lume::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
