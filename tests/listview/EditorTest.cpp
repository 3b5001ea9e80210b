// In-place editing through the real widget offscreen: the edit box over the
// caption, Enter, Escape, Tab, clicks outside, and the item going away.
#include "WidgetForm.h"

#include "listview/qt/LumeListviewWidget.h"
#include "listview/qt/LumeQtRect.h"
#include "listview/qt/LumeStringEditor.h"
#include "platform/ui/LobrixApplication.h"
#include "shell/ugExcecao.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace lume::test {
namespace {

struct EditForm {
    QDialog dialog;
    TLumeListview* lv = new TLumeListview(&dialog);
    QLineEdit* field = new QLineEdit(&dialog);
    QPushButton* button = new QPushButton(QStringLiteral("Ok"), &dialog);
    QStringList log;
    EditForm() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(lv);
        layout->addWidget(field);
        layout->addWidget(button);
        (*lv)->SetView(TLumeListStyle::elsReport);
        (*lv)->Header->SetVisible(true);
        (*lv)->Header->Columns->AddColumn()->SetWidth(300);
        for (const char* c : {"Ação", "beta", "gamma"}) (*lv)->Items().Add()->SetCaption(QString::fromUtf8(c));
        (*lv)->EditManager->SetEnabled(true);
        (*lv)->OnItemEditEnd = [this](TLV*, TLumeItem* item) { log << "end " + item->Caption(); };
        dialog.resize(400, 300);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    ~EditForm() { (*lv)->DropEventHandlers(); }
    TLumeItem* Item(int i) { return (*lv)->Items()[i]; }
    QPlainTextEdit* Box() {
        auto* editor = dynamic_cast<TLumeStringEditor*>((*lv)->EditManager->Editor());
        return editor ? editor->EditBox() : nullptr;
    }
    // Runs the edit of an item while the steps are played into it.
    void Edit(TLumeItem* item, std::function<void()> steps) {
        QTimer::singleShot(0, &dialog, [this, steps] {
            ASSERT_NE(Box(), nullptr);
            steps();
        });
        (*lv)->EditManager->BeginEdit(item);
    }
};

TEST(ListviewEditor, EnterCommitsUnicodeAndARefusalKeepsEditing) {
    EditForm f;
    f.Edit(f.Item(0), [&] {
        EXPECT_EQ(f.Box()->toPlainText(), QString::fromUtf8("Ação"));
        QTest::keyClicks(f.Box(), QString::fromUtf8("Ênio"));
        QTest::keyClick(f.Box(), Qt::Key_Return);
    });
    EXPECT_EQ(f.Item(0)->Caption(), QString::fromUtf8("Ênio"));
    EXPECT_EQ(f.log, QStringList{QString::fromUtf8("end Ênio")});
    EXPECT_FALSE((*f.lv)->EditManager->Editing);

    (*f.lv)->OnItemEdited = [](TLV*, TLumeItem*, QVariant&, bool& accept) { accept = false; };
    f.Edit(f.Item(1), [&] {
        QTest::keyClicks(f.Box(), QStringLiteral("x"));
        QTest::keyClick(f.Box(), Qt::Key_Return);
        EXPECT_TRUE((*f.lv)->EditManager->Editing) << "refused: still editing";
        QTest::keyClick(f.Box(), Qt::Key_Escape);
    });
    EXPECT_EQ(f.Item(1)->Caption(), QStringLiteral("beta")) << "Escape drops the value";
}

TEST(ListviewEditor, TabTypesASpaceAndAClickOutsideCommits) {
    EditForm f;
    f.Edit(f.Item(1), [&] {
        QTest::keyClick(f.Box(), Qt::Key_End);
        QTest::keyClick(f.Box(), Qt::Key_Tab);
        QTest::keyClicks(f.Box(), QStringLiteral("2"));
        EXPECT_EQ(f.Box()->toPlainText(), QStringLiteral("beta 2"));
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, QPoint(350, 200));
    });
    EXPECT_EQ(f.Item(1)->Caption(), QStringLiteral("beta 2"));
    EXPECT_FALSE(f.Item(2)->Selected()) << "the click was swallowed";
}

TEST(ListviewEditor, ClicksOutsideTheControlCommitAndPassOn) {
    EditForm f;
    int clicked = 0;
    QObject::connect(f.button, &QPushButton::clicked, [&] { ++clicked; });
    f.Edit(f.Item(1), [&] {
        QTest::keyClick(f.Box(), Qt::Key_End);
        QTest::keyClicks(f.Box(), QStringLiteral("x"));
        QTest::mouseClick(f.button, Qt::LeftButton);
    });
    EXPECT_EQ(f.Item(1)->Caption(), QStringLiteral("betax"));
    EXPECT_EQ(clicked, 1) << "a press outside the control reaches its target";

    // Refused, the press is swallowed and the edit goes on.
    (*f.lv)->OnItemEdited = [](TLV*, TLumeItem*, QVariant&, bool& accept) { accept = false; };
    f.Edit(f.Item(2), [&] {
        QTest::keyClicks(f.Box(), QStringLiteral("y"));
        QTest::mouseClick(f.button, Qt::LeftButton);
        EXPECT_TRUE((*f.lv)->EditManager->Editing);
        EXPECT_TRUE(f.Box()->hasFocus()) << "the box has the focus again";
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, QPoint(350, 200));
        EXPECT_TRUE((*f.lv)->EditManager->Editing) << "inside the control too";
        QTest::keyClick(f.Box(), Qt::Key_Escape);
    });
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(f.Item(2)->Caption(), QStringLiteral("gamma"));
}

// Tab and Ctrl+Tab with TabMoveFocus commit and carry the edit to the next or
// previous item; at either end there is none to carry it to.
TEST(ListviewEditor, TabMovesTheEditToTheNextOrPreviousItem) {
    struct Case {
        const char* name;
        int from;
        Qt::KeyboardModifiers modifiers;
        int next;  // -1: no edit follows
    };
    const Case cases[] = {
        {"Tab", 1, Qt::NoModifier, 2},
        {"Ctrl+Tab", 1, Qt::ControlModifier, 0},
        {"Ctrl+Tab on the first item", 0, Qt::ControlModifier, -1},
        {"Tab on the last item", 2, Qt::NoModifier, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditForm f;
        f.lv->setFocus();
        (*f.lv)->EditManager->TabMoveFocus = true;
        const QString was = f.Item(c.from)->Caption();
        TLumeItem* second = nullptr;
        f.Edit(f.Item(c.from), [&] {
            QTest::keyClick(f.Box(), Qt::Key_End);
            QTest::keyClicks(f.Box(), QStringLiteral("1"));
            QTest::keyClick(f.Box(), Qt::Key_Tab, c.modifiers);
            EXPECT_FALSE(f.Box()->toPlainText().contains(QLatin1Char(' '))) << "no space typed";
            // The next edit starts from the control's queue, after this one ends.
            QTimer::singleShot(0, &f.dialog, [&] {
                if (!(*f.lv)->EditManager->Editing) return;
                second = (*f.lv)->EditManager->EditItem;
                QTest::keyClick(f.Box(), Qt::Key_Escape);
            });
        });
        EXPECT_EQ(f.Item(c.from)->Caption(), was + "1") << "committed";
        QTest::qWait(20);
        EXPECT_EQ(second, c.next < 0 ? nullptr : f.Item(c.next));
        EXPECT_EQ((*f.lv)->EditManager->PendingEditItem, nullptr);
        EXPECT_FALSE((*f.lv)->EditManager->Editing);
    }
}

// The control that had the focus before the edit gets it back, however the
// edit ends.
TEST(ListviewEditor, TheFocusGoesBackWhereItWas) {
    struct Case {
        const char* name;
        bool fromField;
        std::function<void(EditForm&)> end;
    };
    const Case cases[] = {
        {"Enter, from the control", false, [](EditForm& f) { QTest::keyClick(f.Box(), Qt::Key_Return); }},
        {"Escape, from the control", false, [](EditForm& f) { QTest::keyClick(f.Box(), Qt::Key_Escape); }},
        {"Enter, from another control", true, [](EditForm& f) { QTest::keyClick(f.Box(), Qt::Key_Return); }},
        {"a click in the control, from another control", true,
         [](EditForm& f) { QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, QPoint(350, 200)); }},
        {"the item going away", true, [](EditForm& f) { (*f.lv)->Items().Clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditForm f;
        f.dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.dialog));
        QWidget* had = c.fromField ? static_cast<QWidget*>(f.field) : f.lv;
        had->setFocus();
        ASSERT_TRUE(had->hasFocus());
        bool boxHadFocus = false;
        f.Edit(f.Item(1), [&] {
            boxHadFocus = f.Box()->hasFocus();
            c.end(f);
        });
        EXPECT_TRUE(boxHadFocus);
        EXPECT_EQ(QApplication::focusWidget(), had);
    }
}

TEST(ListviewEditor, TheBoxGrowsWithItsText) {
    EditForm f;
    int before = 0, after = 0;
    f.Edit(f.Item(1), [&] {
        before = f.Box()->width();
        QTest::keyClick(f.Box(), Qt::Key_End);
        QTest::keyClicks(f.Box(), QStringLiteral(" com um nome bem mais comprido"));
        QTest::qWait(10);
        after = f.Box()->width();
        QTest::keyClick(f.Box(), Qt::Key_Escape);
    });
    EXPECT_GT(after, before);
    EXPECT_LE(after, f.lv->viewport()->width() + 8);
}

// In icon view the box fitted after each key keeps room for its frame and
// margins: the text typed stays in sight.
TEST(ListviewEditor, IconViewBoxKeepsItsTextInSight) {
    EditForm f;
    (*f.lv)->SetView(TLumeListStyle::elsIcon);
    int inkBefore = 0, inkAfter = 0;
    auto ink = [&] {
        const QImage shot = f.Box()->viewport()->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) dark += qGray(shot.pixel(x, y)) < 128;
        return dark;
    };
    f.Edit(f.Item(1), [&] {
        QTest::keyClick(f.Box(), Qt::Key_End);
        inkBefore = ink();
        QTest::keyClicks(f.Box(), QStringLiteral("x"));
        QTest::qWait(10);
        inkAfter = ink();
        EXPECT_EQ(f.Box()->verticalScrollBar()->value(), 0);
        QTest::keyClick(f.Box(), Qt::Key_Escape);
    });
    EXPECT_GT(inkBefore, 0);
    EXPECT_GT(inkAfter, inkBefore) << "betax shows, more than beta";
}

// The transmission list's first column holds only the state picture: F2
// opens the box on the focused item's row, over its cell in that column, not
// at the origin of the view.
TEST(ListviewEditor, BoxOverAnImageOnlyColumnOpensOnTheRow) {
    Form f(5);
    (*f.lv)->EditManager->SetEnabled(true);
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(3, 9));
    QRect box;
    QTimer::singleShot(0, &f.dialog, [&] {
        auto* editor = dynamic_cast<TLumeStringEditor*>((*f.lv)->EditManager->Editor());
        ASSERT_NE(editor, nullptr);
        box = editor->EditBox()->geometry();
        QTest::keyClick(editor->EditBox(), Qt::Key_Escape);
    });
    QTest::keyClick(f.lv, Qt::Key_F2);
    const int rowTop = f.Row(3).y() - 8;
    EXPECT_GT(box.center().y(), rowTop) << box.y();
    EXPECT_LT(box.center().y(), rowTop + 17) << box.y();
    EXPECT_EQ(box.left(), 0) << "inside the list, its text whole";
    EXPECT_GE(box.right(), 18) << "over the picture's column";
}

TEST(ListviewEditor, TheItemGoingAwayEndsTheEdit) {
    EditForm f;
    f.Edit(f.Item(2), [&] {
        QTest::keyClicks(f.Box(), QStringLiteral("lost"));
        (*f.lv)->Items().Clear();
    });
    EXPECT_FALSE((*f.lv)->EditManager->Editing);
    EXPECT_EQ((*f.lv)->Items().Count(), 0);
}

// The application asked to end (as the fatal-error box asks) while the box
// is open: the edit's loop ends with the others, the box with it.
TEST(ListviewEditor, TheApplicationEndingEndsTheEdit) {
    EditForm f;
    // Should the edit outlive the request, the test ends it itself.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the edit was still open 2 s after the application was asked to end";
        if (f.Box()) QTest::keyClick(f.Box(), Qt::Key_Escape);
    });
    f.Edit(f.Item(1), [&] {
        QTest::keyClicks(f.Box(), QStringLiteral("x"));
        watchdog.start(2000);
        QCoreApplication::exit(0);
    });
    watchdog.stop();
    EXPECT_FALSE((*f.lv)->EditManager->Editing);
    EXPECT_EQ(f.Box(), nullptr);
    EXPECT_EQ(f.Item(1)->Caption(), QStringLiteral("beta"));
    // The request left every later loop returning at once: one round of
    // the application's own loop clears that.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// The edited handler failing ends in the program's fatal-error box and the
// program's end, the edit with it.
TEST(ListviewEditor, AFailingEditedHandlerEndsInTheFatalErrorBox) {
    InstallFatalErrorHandler();
    {
        EditForm f;
        (*f.lv)->OnItemEdited = [](TLV*, TLumeItem*, QVariant&, bool&) { throw std::runtime_error("falhou"); };
        ScriptedMessages boxes;
        boxes.answer("mrOk");
        appguard::RunGuarded([&] {
            f.Edit(f.Item(1), [&] {
                QTest::keyClicks(f.Box(), QStringLiteral("x"));
                QTest::keyClick(f.Box(), Qt::Key_Return);
            });
            QCoreApplication::sendPostedEvents();
        });
        ASSERT_EQ(boxes.texts().size(), 1);
        EXPECT_TRUE(boxes.texts()[0].startsWith(QStringLiteral("Erro fatal.\n\r\n\rfalhou"))) << boxes.texts()[0].toStdString();
        EXPECT_TRUE(appguard::TerminateRequested());
        EXPECT_FALSE((*f.lv)->EditManager->Editing);
        EXPECT_EQ(f.Box(), nullptr);
        EXPECT_EQ(f.Item(1)->Caption(), QStringLiteral("beta"));
        appguard::ResetTerminateRequest();
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    appguard::SetExceptionHandler(nullptr);
}

// A collapse by program code takes the focus off the items it hides, to the
// next item laid out; F2 then edits that one, or nothing when none follows.
TEST(ListviewEditor, CollapsedGroupKeepsNoFocusAndF2EditsWhatShows) {
    struct Case {
        const char* name;
        int collapse;     // the group collapsed, holding the focused item
        int focusAfter;   // the item focused after it, -1 none
    };
    const Case cases[] = {{"the first group", 0, 2}, {"the last group", 1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditForm f;
        (*f.lv)->Items().Clear();
        TLumeGroups& groups = *(*f.lv)->Groups;
        for (int g = 0; g < 2; ++g) {
            TLumeGroup* group = groups.AddGroup();
            for (int i = 0; i < 2; ++i)
                group->Items()->Add()->SetCaption(QStringLiteral("item %1").arg(2 * g + i));
        }
        f.dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.dialog));
        f.lv->setFocus();
        TLumeItem* focused = groups.At(c.collapse)->Items()->At(1);
        const QRect row = ToQRect((*f.lv)->Scrollbars->MapViewRectToWindow(focused->DisplayRect));
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, QPoint(20, row.center().y()));
        ASSERT_EQ((*f.lv)->Selection()->FocusedItem(), focused);

        groups.At(c.collapse)->SetExpanded(false);
        TLumeItem* expected = c.focusAfter < 0 ? nullptr : f.Item(c.focusAfter);
        EXPECT_EQ((*f.lv)->Selection()->FocusedItem(), expected);
        EXPECT_FALSE(focused->Focused());

        TLumeItem* edited = nullptr;
        QTimer::singleShot(0, &f.dialog, [&] {
            edited = (*f.lv)->EditManager->EditItem;
            if (f.Box()) {
                QTest::keyClicks(f.Box(), QStringLiteral("novo"));
                QTest::keyClick(f.Box(), Qt::Key_Return);
            }
        });
        QTest::keyClick(f.lv, Qt::Key_F2);
        QTest::qWait(10);
        EXPECT_EQ(edited, expected);
        EXPECT_EQ(focused->Caption(), QStringLiteral("item %1").arg(2 * c.collapse + 1)) << "the hidden item kept its name";
        if (expected) EXPECT_EQ(expected->Caption(), QStringLiteral("novo"));
    }
}

// The layout changing under the open box (another view, a window that
// reflows the icons) ends the edit: the box does not stay over another item.
TEST(ListviewEditor, LayoutChangesEndTheEdit) {
    const struct {
        const char* name;
        TLumeListStyle view;
        std::function<void(EditForm&)> change;
    } cases[] = {
        {"another view", TLumeListStyle::elsReport, [](EditForm& f) { (*f.lv)->SetView(TLumeListStyle::elsIcon); }},
        {"a narrower window", TLumeListStyle::elsIcon,
         [](EditForm& f) {
             f.dialog.resize(110, 300);
             QTest::qWait(20);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditForm f;
        (*f.lv)->SetView(c.view);
        bool openAfter = true;
        f.Edit(f.Item(1), [&] {
            QTest::keyClicks(f.Box(), QStringLiteral("x"));
            c.change(f);
            openAfter = (*f.lv)->EditManager->Editing;
            if (openAfter) QTest::keyClick(f.Box(), Qt::Key_Escape);
        });
        EXPECT_FALSE(openAfter);
        EXPECT_EQ(f.log, QStringList{QStringLiteral("end beta")});
        EXPECT_EQ(f.Box(), nullptr);
    }
}

TEST(ListviewEditor, DisabledManagerOpensNothing) {
    EditForm f;
    (*f.lv)->EditManager->SetEnabled(false);
    (*f.lv)->Selection()->SetFocusedItem(f.Item(0));
    QTest::keyClick(f.lv, Qt::Key_F2);
    EXPECT_EQ(f.Box(), nullptr);
    EXPECT_TRUE(f.log.isEmpty());
}

}  // namespace
}  // namespace lume::test
