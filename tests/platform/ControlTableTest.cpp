#include "platform/ui/ControlTable.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/SilentAbort.h"
#include "support/DataFolder.h"
#include "support/GuiDriver.h"

#include "platform/db/Database.h"
#include "platform/db/Table.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

using gui::settle;

// A two-page form whose controls all come from rows, bound to a small table.
struct TableForm {
    TempProgramFolder folder;
    std::shared_ptr<db::Database> database = db::Database::forFolder(folder.dataFolder());
    db::TableDef def;
    std::unique_ptr<db::Table> table;
    QDialog form;
    ui::EntryFormController* kit = new ui::EntryFormController(&form);
    ui::PageControl* pages = new ui::PageControl(&form);
    QPushButton* bbOk = new QPushButton(QStringLiteral("&Ok"), &form);
    QLineEdit* deNome = nullptr;
    QLineEdit* deCep = nullptr;
    QLineEdit* deEmail = nullptr;
    QLineEdit* deValor = nullptr;
    ui::RadioGroup* dgTipo = nullptr;
    QStringList log;
    ui::ControlTable rows{kit, nullptr, pages};

    TableForm() {
        def.fileName = QStringLiteral("rows.db");
        def.fields = {db::textField(QStringLiteral("Nome"), 10), db::textField(QStringLiteral("Cep"), 8),
                      db::textField(QStringLiteral("Email"), 20), db::textField(QStringLiteral("Tipo"), 1)};
        def.indexes = {db::primaryIndex(QStringLiteral("Nome"))};
        database->createTable(def);
        table = std::make_unique<db::Table>(database, QStringLiteral("rows.db"));
        table->SetFieldDefs(def.fields);
        table->Open();
        table->Append();

        pages->addTab(new QWidget, QStringLiteral("&Um"));
        pages->addTab(new QWidget, QStringLiteral("&Dois"));
        kit->AttachPageControl(pages);
        rows = ui::ControlTable(kit, table.get(), pages);
        auto logExit = [this](const char* name) { return [this, name] { log << QString::fromLatin1(name); }; };
        rows.Add({
            {.name = "deNome", .help = 117, .field = "Nome", .exit = logExit("deNome"), .flags = ui::kUpper,
             .hint = "Informe o nome.", .edit = &deNome},
            {.name = "dgTipo", .help = 115, .field = "Tipo", .exit = logExit("dgTipo"), .title = "Tipo",
             .items = {"CNPJ", "CEI"}, .values = {"1", "3"}, .columns = 2, .group = &dgTipo},
            {.name = "deCep", .page = 0, .mask = "99999-999;0;", .help = 39, .field = "Cep", .exit = logExit("deCep"),
             .flags = ui::kIfFilled | ui::kSkipOnPageTab, .edit = &deCep},
            {.name = "deEmail", .page = 1, .help = 40, .field = "Email", .flags = ui::kLower, .edit = &deEmail},
            {.name = "deValor", .page = 1, .width = 12, .flags = ui::kMoney | ui::kReadOnly | ui::kNoTabStop,
             .edit = &deValor},
        });
        rows.ApplyTabOrder({bbOk});
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(deNome);
        layout->addWidget(dgTipo);
        layout->addWidget(pages);
        layout->addWidget(bbOk);
        kit->SkipChecksFor(bbOk);
        kit->LoadAll();
        EXPECT_TRUE(gui::showActive(&form));
    }
    ~TableForm() {
        table->Cancel();
        table->Close();
    }
    void focus(QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        settle();
        log.clear();
    }
};

TEST(ControlTable, BuildsEachRowOnItsPageWithItsNameHelpMaskAndCase) {
    TableForm f;
    ASSERT_EQ(f.rows.Count(), 5);
    EXPECT_EQ(f.rows.Edit("deNome"), f.deNome);
    EXPECT_EQ(f.rows.Group("dgTipo"), f.dgTipo);
    EXPECT_EQ(f.rows.Control("nada"), nullptr);
    EXPECT_EQ(f.deCep->objectName(), QStringLiteral("deCep"));
    EXPECT_EQ(f.deCep->parentWidget(), f.pages->widget(0));
    EXPECT_EQ(f.deEmail->parentWidget(), f.pages->widget(1));
    EXPECT_EQ(f.rows.PageOf(f.deEmail), 1);
    EXPECT_EQ(f.rows.PageOf(f.deNome), ui::kNoPage);
    EXPECT_EQ(ui::HelpContextOf(f.deCep), 39);
    EXPECT_EQ(f.deNome->toolTip(), QStringLiteral("Informe o nome."));
    EXPECT_EQ(ui::DesignMaskOf(f.deCep), QStringLiteral("99999-999;0;"));
    EXPECT_EQ(f.deNome->maxLength(), 10);   // the field's width
    EXPECT_EQ(f.deValor->maxLength(), 12);  // the row's width
    EXPECT_TRUE(ui::IsLocked(f.deValor));
    EXPECT_EQ(f.deValor->focusPolicy(), Qt::ClickFocus);

    f.focus(f.deNome);
    QTest::keyClicks(f.deNome, "ana");
    EXPECT_EQ(f.deNome->text(), QStringLiteral("ANA"));
    f.pages->SetCurrentPage(1);
    f.focus(f.deEmail);
    QTest::keyClicks(f.deEmail, "Ana@X.COM");
    EXPECT_EQ(f.deEmail->text(), QStringLiteral("ana@x.com"));
}

TEST(ControlTable, BindsEditsAndGroupsToTheirFields) {
    TableForm f;
    f.focus(f.deCep);
    QTest::keyClicks(f.deCep, "70040010");
    f.focus(f.deNome);
    EXPECT_EQ(f.table->FieldByName(QStringLiteral("Cep")).AsString(), QStringLiteral("70040010"));
    f.dgTipo->Button(1)->click();
    EXPECT_EQ(f.table->FieldByName(QStringLiteral("Tipo")).AsString(), QStringLiteral("3"));
    f.table->FieldByName(QStringLiteral("Nome")).SetAsString(QStringLiteral("BIA"));
    f.kit->RefreshAll();
    EXPECT_EQ(f.deNome->text(), QStringLiteral("BIA"));
}

TEST(ControlTable, ExitChecksFollowTheRowFlags) {
    TableForm f;
    // An empty field with kIfFilled runs no check; a filled one does.
    f.focus(f.deCep);
    f.deNome->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_TRUE(f.log.isEmpty());
    f.focus(f.deCep);
    QTest::keyClicks(f.deCep, "7004");
    f.deNome->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(f.log, QStringList{"deCep"});
    // kSkipOnPageTab: leaving for a page tab runs no check.
    f.focus(f.deCep);
    gui::clickTab(f.pages->tabBar(), 1);
    EXPECT_TRUE(f.log.isEmpty());
    EXPECT_EQ(f.pages->currentIndex(), 1);
    // A row without the flag checks whatever its value.
    f.focus(f.deNome);
    f.dgTipo->Button(0)->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(f.log, QStringList{"deNome"});
}

TEST(ControlTable, AnExitMarkedSoRunsAlsoTowardsTheSkippedButtons) {
    TempProgramFolder folder;
    QDialog form;
    auto* kit = new ui::EntryFormController(&form);
    auto* bbOk = new QPushButton(QStringLiteral("&Ok"), &form);
    QLineEdit* deA = nullptr;
    QLineEdit* deB = nullptr;
    QStringList log;
    bool refuseB = false;
    bool moveB = false;
    ui::ControlTable rows(kit, nullptr);
    rows.Add({
        {.name = "deA", .exit = [&] { log << "deA"; }, .edit = &deA},
        {.name = "deB",
         .exit = [&] {
             log << (kit->LeftForSkipped() ? "deB for a button" : "deB");
             if (refuseB) throw SilentAbort();
             if (moveB) deA->setFocus(Qt::OtherFocusReason);
         },
         .flags = ui::kExitEvenForSkipped, .edit = &deB},
    });
    kit->SkipChecksFor(bbOk);
    QObject::connect(bbOk, &QPushButton::clicked, &form, [&] { kit->RunAction([&] { log << "Ok"; }); });
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(deA);
    layout->addWidget(deB);
    layout->addWidget(bbOk);
    ASSERT_TRUE(gui::showActive(&form));
    auto leave = [&](QWidget* from, QWidget* to) {
        from->setFocus(Qt::OtherFocusReason);
        settle();
        log.clear();
        to->setFocus(Qt::MouseFocusReason);
        settle();
    };
    leave(deA, bbOk);
    EXPECT_EQ(log, QStringList());
    leave(deB, bbOk);
    EXPECT_EQ(log, QStringList{"deB for a button"});
    leave(deB, deA);
    EXPECT_EQ(log, QStringList{"deB"});
    // A click that comes before the queued exit: the exit runs first, once; a failed exit stops the action.
    deB->setFocus(Qt::OtherFocusReason);
    settle();
    log.clear();
    gui::click(bbOk);
    EXPECT_EQ(log, QStringList({"deB for a button", "Ok"}));
    deB->setFocus(Qt::OtherFocusReason);
    settle();
    log.clear();
    refuseB = true;
    gui::click(bbOk);
    EXPECT_EQ(log, QStringList{"deB for a button"});
    // A button held down: the exit waits for the release, so the focus it moves cancels no click.
    refuseB = false;
    moveB = true;
    for (const bool clicked : {true, false}) {
        deB->setFocus(Qt::OtherFocusReason);
        settle();
        log.clear();
        QTest::mousePress(bbOk, Qt::LeftButton);
        settle();
        EXPECT_EQ(log, QStringList());
        // Released over the button: a click; released elsewhere: none, and the exit still runs.
        QTest::mouseRelease(bbOk, Qt::LeftButton, {}, clicked ? bbOk->rect().center() : QPoint(-20, -20));
        QTest::qWait(150);
        settle();
        EXPECT_EQ(log, clicked ? QStringList({"deB for a button", "Ok"}) : QStringList{"deB for a button"});
        EXPECT_EQ(QApplication::focusWidget(), deA);
    }
}

TEST(ControlTable, AFailedCheckMayLeaveThePageRuleAsItWas) {
    QDialog form;
    auto* kit = new ui::EntryFormController(&form);
    for (const std::uint8_t before : {std::uint8_t(0), std::uint8_t(1)}) {
        kit->AllowPageChange = before;
        EXPECT_FALSE(kit->RunAction([] { throw SilentAbort::KeepingPageChange(); }));
        EXPECT_EQ(kit->AllowPageChange, before);
        EXPECT_FALSE(kit->RunAction([] { throw SilentAbort(); }));
        EXPECT_EQ(kit->AllowPageChange, 0);
    }
}

TEST(ControlTable, TabOrderFollowsTheRows) {
    TableForm f;
    // The next control that Tab reaches (the chain also holds containers and click-only controls).
    auto next = [](QWidget* w) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    EXPECT_EQ(next(f.deNome), f.dgTipo->Button(0));
    EXPECT_EQ(next(f.dgTipo->Button(0)), f.dgTipo->Button(1));
    EXPECT_EQ(next(f.dgTipo->Button(1)), f.deCep);
    EXPECT_EQ(next(f.deCep), f.deEmail);
    EXPECT_EQ(next(f.deEmail), f.bbOk);  // deValor has no tab stop
}

}  // namespace
