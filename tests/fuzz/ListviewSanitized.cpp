// The list view driven through Qt under the address and undefined-behaviour
// sanitizers: handlers that empty the list and list it again while the
// control still holds the row they fired for, and lists longer than 2^31
// pixels. A use of freed memory or an overflow stops the program.
#include "listview/FakeHost.h"
#include "listview/WidgetForm.h"
#include "listview/qt/LumeStringEditor.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
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

// Program code that changes an item whose handler lists the items again:
// the item is kept until the change is over, and the control goes on with
// the new list.
TEST(ListviewSanitized, ProgramChangesWhoseHandlersListAgain) {
    const struct {
        const char* name;
        std::function<void(TCustomLumeListview&, Relister&)> install;
        std::function<void(Form&)> act;
    } cases[] = {
        {"selection changing",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.OnItemSelectionChanging = [&relist](TLV*, TLumeItem*, bool&) { relist(); };
         },
         [](Form& f) { f.Item(2)->SetSelected(true); }},
        {"selection changed",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.OnItemSelectionChanged = [&relist](TLV*, TLumeItem*) { relist(); };
         },
         [](Form& f) { f.Item(2)->SetSelected(true); }},
        {"focus changed",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.OnItemFocusChanged = [&relist](TLV*, TLumeItem*) { relist(); };
         },
         [](Form& f) { (*f.lv)->Selection()->SetFocusedItem(f.Item(2)); }},
        {"check changed",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.OnItemCheckChange = [&relist](TLV*, TLumeItem*) { relist(); };
         },
         [](Form& f) { f.Item(2)->SetChecked(true); }},
        {"hidden while focused",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.Items()[2]->SetFocused(true);
             lv.OnItemFocusChanged = [&relist](TLV*, TLumeItem*) { relist(); };
         },
         [](Form& f) { f.Item(2)->SetVisible(false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListAgainDuring(c.install, c.act);
    }
}

// Enter in the edit box commits to a handler that lists the items again:
// the edit ends with the item, whose caption is not set.
TEST(ListviewSanitized, EditedHandlerListsAgain) {
    ListAgainDuring(
        [](TCustomLumeListview& lv, Relister& relist) {
            lv.EditManager->SetEnabled(true);
            lv.OnItemEdited = [&relist](TLV*, TLumeItem*, QVariant&, bool&) { relist(); };
        },
        [](Form& f) {
            QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(2));
            bool typed = false;
            QTimer::singleShot(0, &f.dialog, [&] {
                auto* editor = dynamic_cast<TLumeStringEditor*>((*f.lv)->EditManager->Editor());
                ASSERT_NE(editor, nullptr);
                QTest::keyClicks(editor->EditBox(), QStringLiteral("novo"));
                QTest::keyClick(editor->EditBox(), Qt::Key_Return);
                typed = true;
            });
            QTest::keyClick(f.lv, Qt::Key_F2);
            EXPECT_TRUE(typed);
            EXPECT_FALSE((*f.lv)->EditManager->Editing);
            for (int i = 0; i < (*f.lv)->Items().Count(); ++i) EXPECT_NE(f.Item(i)->Caption(), QStringLiteral("novo"));
        });
}

// The control's own entry points, called by a host of its own rather than
// the widget: the presses, releases and keys whose handlers list the items
// again hold what they free until they return.
TEST(ListviewSanitized, CoreEntryPointsWithoutTheWidget) {
    const struct {
        const char* name;
        std::function<void(TCustomLumeListview&, Relister&)> install;
        std::function<void(TCustomLumeListview&, LumePoint)> act;
    } cases[] = {
        {"press, selection changing",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.OnItemSelectionChanging = [&relist](TLV*, TLumeItem*, bool&) { relist(); };
         },
         [](TCustomLumeListview& lv, LumePoint p) { lv.WMLButtonDown(MK_LBUTTON, p); }},
        {"release, item click",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.OnItemClick = [&relist](TLV*, TLumeItem*, TLumeKeyStates, TLumeItemHitTestInfos) { relist(); };
         },
         [](TCustomLumeListview& lv, LumePoint p) {
             lv.WMLButtonDown(MK_LBUTTON, p);
             lv.WMLButtonUp(0, p);
         }},
        {"Down, selection changed",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.Items()[1]->SetSelected(true);
             lv.OnItemSelectionChanged = [&relist](TLV*, TLumeItem*) { relist(); };
         },
         [](TCustomLumeListview& lv, LumePoint) { lv.WMKeyDown(0x28, {}); }},
        {"Down, focus changed",
         [](TCustomLumeListview& lv, Relister& relist) {
             lv.Items()[1]->SetSelected(true);
             lv.OnItemFocusChanged = [&relist](TLV*, TLumeItem*) { relist(); };
         },
         [](TCustomLumeListview& lv, LumePoint) { lv.WMKeyDown(0x28, {}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Listview lv;
        lv.Report({200});
        UseCellPainter(lv.lv.get());
        lv.AddItems(5);
        Relister relist{*lv.lv};
        c.install(*lv.lv, relist);
        const LumeRect row = lv->Scrollbars->MapViewRectToWindow(lv->Items()[2]->DisplayRect);
        c.act(*lv.lv, {row.Left + 5, (row.Top + row.Bottom) / 2});
        EXPECT_EQ(relist.times, 1);
        lv->DropEventHandlers();
        EXPECT_EQ(lv->Items().Count(), 3);
        EXPECT_LE(lv->Selection()->Count(), 1);
        lv->WMKeyDown(0x28, {});
        lv->WMKeyDown(0x28, {});
        EXPECT_EQ(lv->Selection()->Count(), 1);
    }
}

// Three selected, the first and then the last deselected: the last, moved
// into the first one's place, learns it, so that it leaves the selection
// whole; when it goes away, clearing finds nothing of it.
TEST(ListviewSanitized, DeselectFirstAndLastThenOneGoes) {
    Listview lv;
    lv.Report({200});
    lv->Selection()->SetMultiSelect(true);
    std::vector<TLumeGroup*> groups;
    std::vector<TLumeItem*> items;
    for (int i = 0; i < 3; ++i) {
        groups.push_back(lv->Groups->AddGroup());
        items.push_back(static_cast<TLumeItem*>(groups.back()->Items()->Add()));
    }
    for (TLumeItem* item : items) item->SetSelected(true);
    ASSERT_EQ(lv->Selection()->Count(), 3);
    items[0]->SetSelected(false);
    items[2]->SetSelected(false);
    EXPECT_EQ(lv->Selection()->Count(), 1);
    EXPECT_TRUE(items[1]->Selected());
    groups[2]->Items()->Clear();
    EXPECT_EQ(lv->Selection()->Count(), 1);
    items[0]->SetSelected(true);
    EXPECT_EQ(lv->Selection()->Count(), 2);
    lv->Selection()->ClearAll();
    EXPECT_EQ(lv->Selection()->Count(), 0);
    for (TLumeItem* item : {items[0], items[1]}) EXPECT_FALSE(item->Selected());
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
