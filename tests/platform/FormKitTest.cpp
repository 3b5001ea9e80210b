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

// A small entry form: three edits, a page control with an edit on each of its
// two pages, Ok and Cancelar.
struct KitForm {
    QDialog form;
    QLineEdit* edA;
    QLineEdit* edB;
    QLineEdit* edC;
    ui::PageControl* pages;
    QLineEdit* edPage0;
    QLineEdit* edPage1;
    QPushButton* bbOk;
    QPushButton* bbCancelar;
    ui::EntryFormController* kit;
    QStringList log;            // handlers that ran, in order
    QStringList failing;        // fields whose exit check fails

    KitForm() {
        auto* layout = new QVBoxLayout(&form);
        edA = new QLineEdit(&form);
        edB = new QLineEdit(&form);
        edC = new QLineEdit(&form);
        pages = new ui::PageControl(&form);
        auto* p0 = new QWidget;
        auto* p1 = new QWidget;
        edPage0 = new QLineEdit(p0);
        edPage1 = new QLineEdit(p1);
        pages->addTab(p0, QStringLiteral("&Um"));
        pages->addTab(p1, QStringLiteral("&Dois"));
        bbOk = new QPushButton(QStringLiteral("&Ok"), &form);
        bbCancelar = new QPushButton(QStringLiteral("&Cancelar"), &form);
        for (QWidget* w : {static_cast<QWidget*>(edA), static_cast<QWidget*>(edB), static_cast<QWidget*>(edC),
                           static_cast<QWidget*>(pages), static_cast<QWidget*>(bbOk),
                           static_cast<QWidget*>(bbCancelar)})
            layout->addWidget(w);
        edA->setObjectName(QStringLiteral("edA"));
        edB->setObjectName(QStringLiteral("edB"));
        edC->setObjectName(QStringLiteral("edC"));
        edPage0->setObjectName(QStringLiteral("edPage0"));
        edPage1->setObjectName(QStringLiteral("edPage1"));

        kit = new ui::EntryFormController(&form);
        for (QLineEdit* e : {edA, edB, edC, edPage0, edPage1}) {
            kit->OnExit(e, [this, e] {
                log << QStringLiteral("exit ") + e->objectName();
                if (failing.contains(e->objectName())) {
                    ui::FocusBack(e);
                    throw SilentAbort();
                }
            });
            kit->OnEnter(e, [this, e] { log << QStringLiteral("enter ") + e->objectName(); });
        }
        kit->SkipChecksFor(bbCancelar);
        kit->SetCancelButton(bbCancelar);
        kit->AttachPageControl(pages);
        EXPECT_TRUE(gui::showActive(&form));
    }
    void focus(QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        settle();
        log.clear();
    }
    void tab(QWidget* from) { gui::press(from, Qt::Key_Tab); }
};

TEST(FormKit, LeavingAFieldRunsItsCheckAndAFailureGivesTheFocusBack) {
    KitForm f;
    f.focus(f.edA);
    f.tab(f.edA);
    EXPECT_EQ(f.log, (QStringList{"exit edA", "enter edB"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edB);

    f.failing << "edB";
    f.log.clear();
    f.tab(f.edB);
    // The check failed: the focus is back and edC was never entered.
    EXPECT_EQ(f.log, (QStringList{"exit edB"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edB);
    // Giving the focus back runs no check of its own.
    settle();
    EXPECT_EQ(f.log, (QStringList{"exit edB"}));
}

// A field the form moves the focus to is entered as if the user had moved there.
TEST(FormKit, AFieldTheFormFocusesIsEnteredAsTheUsersWouldBe) {
    KitForm f;
    // From outside a handler: the field left runs its exit, the one entered its entry.
    f.focus(f.edA);
    f.kit->MoveFocus(f.edC);
    settle();
    EXPECT_EQ(f.log, (QStringList{"exit edA", "enter edC"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edC);
    EXPECT_EQ(f.kit->LastEnteredControl(), f.edC);

    // From the exit of the field the user leaves: the user's target is never entered.
    f.kit->OnExit(f.edA, [&f] { f.kit->MoveFocus(f.edC); });
    f.focus(f.edA);
    f.tab(f.edA);
    EXPECT_EQ(f.log, (QStringList{"exit edA", "enter edC"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edC);

    // Back to the field a failed check leaves: no second entry.
    f.failing << "edC";
    f.log.clear();
    f.tab(f.edC);
    EXPECT_EQ(f.log, (QStringList{"exit edC"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edC);
}

TEST(FormKit, MovingToASkippedButtonRunsNoCheck) {
    KitForm f;
    f.failing << "edA";
    f.focus(f.edA);
    f.bbCancelar->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_TRUE(f.log.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), f.bbCancelar);
    // Moving to Ok is a move like any other.
    f.focus(f.edA);
    f.bbOk->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(f.log, (QStringList{"exit edA"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edA);
}

TEST(FormKit, EnterActsAsTabAndEscPressesCancel) {
    KitForm f;
    f.focus(f.edA);
    QTest::keyClick(f.edA, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), f.edB);
    QTest::keyClick(f.edB, Qt::Key_Enter, Qt::KeypadModifier);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), f.edC);

    int cancelled = 0;
    QObject::connect(f.bbCancelar, &QPushButton::clicked, [&] { ++cancelled; });
    QTest::keyClick(f.edC, Qt::Key_Escape);
    EXPECT_EQ(cancelled, 1);
}

TEST(FormKit, F1AndTheHelpButtonShowTheTopicOfTheControl) {
    KitForm f;
    QList<int> shown;
    f.kit->ShowHelp = [&](int context) { shown << context; };
    ui::SetHelpContext(f.edA, 117);
    ui::SetHelpContext(f.pages, 40);  // the pages' edits have none of their own
    auto* bbAjuda = new QPushButton(QStringLiteral("Ajuda"), &f.form);
    bbAjuda->show();
    f.kit->SetHelpButton(bbAjuda);
    f.focus(f.edA);
    QTest::keyClick(f.edA, Qt::Key_F1);
    f.focus(f.edPage0);
    QTest::keyClick(f.edPage0, Qt::Key_F1);
    f.focus(f.edA);
    QTest::mouseClick(bbAjuda, Qt::LeftButton);
    EXPECT_EQ(shown, (QList<int>{117, 40, 117}));
}

TEST(FormKit, AnActionDropsPendingChecksAndWritesTheBoundEdits) {
    TempProgramFolder folder;
    auto database = db::Database::forFolder(folder.dataFolder());
    db::TableDef def;
    def.fileName = QStringLiteral("kit.db");
    def.fields = {db::textField(QStringLiteral("Nome"), 10), db::textField(QStringLiteral("Cep"), 8, QStringLiteral("99999-999;0;"))};
    def.indexes = {db::primaryIndex(QStringLiteral("Nome"))};
    database->createTable(def);
    db::Table table(database, QStringLiteral("kit.db"));
    table.SetFieldDefs(def.fields);  // the persistent fields carry the edit masks
    table.Open();
    table.Append();

    KitForm f;
    f.kit->Bind(f.edA, &table, QStringLiteral("Nome"));
    f.kit->Bind(f.edB, &table, QStringLiteral("Cep"));
    f.kit->LoadAll();
    EXPECT_EQ(f.edA->maxLength(), 10);
    EXPECT_EQ(ui::DesignMaskOf(f.edB), QStringLiteral("99999-999;0;"));

    f.focus(f.edB);
    QTest::keyClicks(f.edB, "70040010");
    EXPECT_EQ(f.edB->displayText(), QStringLiteral("70040-010"));
    f.focus(f.edA);
    EXPECT_EQ(table.FieldByName(QStringLiteral("Cep")).AsString(), QStringLiteral("70040010"));  // written on leaving

    f.failing << "edA";
    QTest::keyClicks(f.edA, "ANA");
    // A shortcut clicks Ok without moving the focus: the action still sees the typed name.
    QString seen;
    f.kit->RunAction([&] { seen = table.FieldByName(QStringLiteral("Nome")).AsString(); });
    EXPECT_EQ(seen, QStringLiteral("ANA"));

    // Ok pressed with the mouse: the focus goes there first; the action drops the pending check.
    f.log.clear();
    QObject::connect(f.bbOk, &QPushButton::clicked, [&] { f.kit->RunAction([&] { f.log << "ok"; }); });
    QTest::mouseClick(f.bbOk, Qt::LeftButton);
    settle();
    EXPECT_EQ(f.log, (QStringList{"ok"}));

    // Code that changes the field shows in the edit after the handler.
    f.kit->RunAction([&] { table.FieldByName(QStringLiteral("Nome")).SetAsString(QStringLiteral("BIA")); });
    EXPECT_EQ(f.edA->text(), QStringLiteral("BIA"));
    // A value written while another field has the focus shows from its beginning.
    f.focus(f.edB);
    f.kit->RunAction([&] { table.FieldByName(QStringLiteral("Nome")).SetAsString(QStringLiteral("CARLOTA")); });
    EXPECT_EQ(f.edA->cursorPosition(), 0);
    table.Cancel();
    table.Close();
}

TEST(FormKit, AFailedCheckRefusesThePageChange) {
    KitForm f;
    f.failing << "edPage0";
    f.focus(f.edPage0);
    gui::clickTab(f.pages->tabBar(), 1);
    EXPECT_EQ(f.pages->currentIndex(), 0);
    EXPECT_EQ(f.log, (QStringList{"exit edPage0"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edPage0);
    EXPECT_EQ(f.kit->AllowPageChange, 1);  // answered and set back
    // The tab's shortcut asks the same question.
    f.log.clear();
    QTest::keyClick(f.edPage0, Qt::Key_D, Qt::AltModifier);
    settle();
    EXPECT_EQ(f.pages->currentIndex(), 0);
    EXPECT_EQ(f.log, (QStringList{"exit edPage0"}));
    EXPECT_EQ(QApplication::focusWidget(), f.edPage0);

    f.failing.clear();
    f.log.clear();
    gui::clickTab(f.pages->tabBar(), 1);
    EXPECT_EQ(f.pages->currentIndex(), 1);
    EXPECT_EQ(f.log, (QStringList{"exit edPage0"}));

    // A failed check on the other page brings that page to the front.
    f.failing << "edPage1";
    f.focus(f.edPage1);
    f.pages->SetCurrentPage(0);
    f.edA->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(f.pages->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), f.edPage1);
}

TEST(FormKit, AWindowThatTakesTheFocusDuringACheckStartsNoSecondCheck) {
    KitForm f;
    int checks = 0;
    f.kit->OnExit(f.edC, [&] {
        ++checks;
        // Stands for a message box: a window of its own takes the focus and gives it back.
        QDialog box(&f.form);
        auto* button = new QPushButton(QStringLiteral("OK"), &box);
        box.show();
        EXPECT_TRUE(gui::activate(&box));
        button->setFocus();
        QApplication::processEvents();
        box.hide();
        EXPECT_TRUE(gui::activate(&f.form));
        ui::FocusBack(f.edC);
        throw SilentAbort();
    });
    f.focus(f.edC);
    f.edA->setFocus(Qt::MouseFocusReason);
    settle();
    settle();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(QApplication::focusWidget(), f.edC);
}

TEST(FormKit, DesignMasksBecomeQtMasksAndKeepNoLiterals) {
    struct Case {
        const char* design;
        const char* qt;
        const char* value;
        const char* shown;
    };
    const Case cases[] = {
        {"99\\.999\\.999\\/9999\\-99;0;_", "00.000.000/0000-00;_", "12345678000195", "12.345.678/0001-95"},
        {"99999\\.99999\\-99;0;_", "00000.00000-00;_", "123456789012", "12345.67890-12"},
        {"999\\.999\\.999\\-99;0;_", "000.000.000-00;_", "12345678909", "123.456.789-09"},
        {"99999-999;0;", "00000-000;_", "70040010", "70040-010"},
        {"99-99999;0;", "00-00000;_", "5300108", "53-00108"},
        {"99/99/9999;0;", "00/00/0000;_", "01021980", "01/02/1980"},
        {"99999999999999;0;_", "00000000000000;_", "123", "123___________"},
        {"aaa;0;_", "nnn;_", "A1", "A1_"},
        {"0000;1;_", "9999;_", "1234", "1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.design);
        EXPECT_EQ(ui::TranslateDesignMask(QString::fromUtf8(c.design)).qtMask, QString::fromUtf8(c.qt));
        QLineEdit edit;
        ui::SetDesignMask(&edit, QString::fromUtf8(c.design));
        ui::SetEditValue(&edit, QString::fromUtf8(c.value));
        EXPECT_EQ(edit.displayText(), QString::fromUtf8(c.shown));
        EXPECT_EQ(ui::EditValue(&edit), QString::fromUtf8(c.value));
    }
    // A mask change keeps what was typed.
    QLineEdit edit;
    ui::SetDesignMask(&edit, QStringLiteral("99999999999;0;_"));
    ui::SetEditValue(&edit, QStringLiteral("12345678909"));
    ui::SetDesignMask(&edit, QStringLiteral("999\\.999\\.999\\-99;0;_"));
    EXPECT_EQ(edit.displayText(), QStringLiteral("123.456.789-09"));
    EXPECT_EQ(ui::EditValue(&edit), QStringLiteral("12345678909"));
    // Typed digits go to the open positions only.
    QTest::keyClicks(&edit, "");
    ui::SetDesignMask(&edit, QString());
    EXPECT_EQ(edit.inputMask(), QString());
}

TEST(FormKit, MoneyKeepsItsFormatWhateverTheLocale) {
    const std::pair<qint64, const char*> shown[] = {
        {0, "0,00"}, {5, "0,05"}, {123456, "1.234,56"}, {999999999, "9.999.999,99"}, {100000000000, "1.000.000.000,00"}};
    for (const auto& [cents, text] : shown) EXPECT_EQ(ui::FormatMoney(cents), QString::fromUtf8(text));
    const std::pair<const char*, qint64> parsed[] = {{"1.234,56", 123456}, {"1234,5", 123450}, {"12", 1200}, {",07", 7}};
    for (const auto& [text, cents] : parsed) {
        qint64 value = -1;
        EXPECT_TRUE(ui::ParseMoney(QString::fromUtf8(text), &value)) << text;
        EXPECT_EQ(value, cents) << text;
    }
    for (const char* bad : {"", "1,234", "abc", "1.2x"}) {
        qint64 value = 0;
        EXPECT_FALSE(ui::ParseMoney(QString::fromUtf8(bad), &value)) << bad;
    }
    QLocale::setDefault(QLocale(QLocale::English));
    QLineEdit edit;
    ui::SetMoneyEdit(&edit);
    edit.setText(QStringLiteral("1234,5"));
    emit edit.editingFinished();
    EXPECT_EQ(edit.text(), QStringLiteral("1.234,50"));
    QLocale::setDefault(QLocale::system());
}

TEST(FormKit, RadioGroupCanHaveNothingChosenAndFocusItsFirstButton) {
    QDialog form;
    auto* group = new ui::RadioGroup(QStringLiteral("Tipo"), {"CNPJ", "CEI", "CPF"}, 3, &form);
    auto* other = new QLineEdit(&form);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(group);
    layout->addWidget(other);
    ASSERT_TRUE(gui::showActive(&form));
    EXPECT_EQ(group->ItemIndex(), -1);
    group->FocusChosenOrFirst();
    EXPECT_EQ(QApplication::focusWidget(), group->Button(0));
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(2);
    EXPECT_TRUE(group->Button(2)->isChecked());
    group->FocusChosenOrFirst();
    EXPECT_EQ(QApplication::focusWidget(), group->Button(2));
    group->SetItemIndex(-1);
    EXPECT_EQ(group->ItemIndex(), -1);
    QTest::mouseClick(group->Button(1), Qt::LeftButton);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_FALSE(group->Button(2)->isChecked());
}

// With nothing chosen, an arrow key moves to the next or previous button and
// chooses it (round the ends), as it does once a button is chosen.
TEST(FormKit, AnArrowInARadioGroupWithNothingChosenMovesAndChooses) {
    const struct {
        Qt::Key key;
        int from;
        int chosen;
    } cases[] = {{Qt::Key_Right, 0, 1}, {Qt::Key_Down, 1, 2}, {Qt::Key_Left, 1, 0}, {Qt::Key_Up, 0, 2},
                 {Qt::Key_Right, 2, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        QDialog form;
        auto* group = new ui::RadioGroup(QStringLiteral("Tipo"), {"CNPJ", "CEI", "CPF"}, 3, &form);
        (new QVBoxLayout(&form))->addWidget(group);
        ASSERT_TRUE(gui::showActive(&form));
        ASSERT_TRUE(gui::enter(group->Button(c.from)));
        ASSERT_EQ(group->ItemIndex(), -1);
        gui::key(c.key);
        EXPECT_EQ(group->ItemIndex(), c.chosen);
        EXPECT_EQ(gui::focused(), group->Button(c.chosen));
    }
}

TEST(FormKit, LockedAndEditableStatesAndCapitals) {
    QLineEdit edit;
    ui::SetLocked(&edit, true);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Window));
    ui::SetLocked(&edit, false);
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    ui::SetUpperCase(&edit);
    QTest::keyClicks(&edit, "rua das flores");
    EXPECT_EQ(edit.text(), QStringLiteral("RUA DAS FLORES"));
}

}  // namespace
