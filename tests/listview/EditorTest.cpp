// In-place editing through the real widget offscreen: the edit box over the
// caption, Enter, Escape, Tab, clicks outside, and the item going away.
#include "Transmission.h"

#include "listview/qt/LumeListviewWidget.h"
#include "listview/qt/LumeStringEditor.h"

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace lume::test {
namespace {

struct EditForm {
    QDialog dialog;
    TLumeListview* lv = new TLumeListview(&dialog);
    QStringList log;
    EditForm() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(lv);
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

TEST(ListviewEditor, TheItemGoingAwayEndsTheEdit) {
    EditForm f;
    f.Edit(f.Item(2), [&] {
        QTest::keyClicks(f.Box(), QStringLiteral("lost"));
        (*f.lv)->Items().Clear();
    });
    EXPECT_FALSE((*f.lv)->EditManager->Editing);
    EXPECT_EQ((*f.lv)->Items().Count(), 0);
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
