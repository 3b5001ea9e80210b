#include "platform/ui/LobrixApplication.h"
#include "platform/ui/SilentAbort.h"
#include "shell/ugExcecao.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
const QString closing =
    "\n\r\n\rErro não previsto.\n\rContatar a VELORIS comunicando todos os itens da mensagem.";

class FatalErrors : public ::testing::Test {
protected:
    void SetUp() override { appguard::ResetTerminateRequest(); }
    void TearDown() override {
        appguard::ResetTerminateRequest();
        appguard::SetExceptionHandler(nullptr);
        // A fatal error asked the application to exit, which leaves every
        // later event loop returning at once: one round of the application's
        // own loop clears that for the tests that follow.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};
}  // namespace

TEST_F(FatalErrors, KeyViolationBoxStartsWithTheEngineCode) {
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    ReportFatalError(db::DbError(db::ErrorKind::KeyViolation, db::kKeyViolation, "Key violation.\nBD8Emp.DB"));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Error);
    const QString text = boxes.texts()[0];
    EXPECT_EQ(text.section("\r\n", 0, 0).toStdString(), "Erro BDE   9729 : $2601");
    EXPECT_EQ(text.section("\r\n", 1, 1).toStdString(), EngineErrorCategoryText(9729).toStdString());
    EXPECT_TRUE(text.section("\r\n", 2).startsWith("Key violation.\nBD8Emp.DB"));
    EXPECT_TRUE(text.endsWith(closing));
    EXPECT_EQ(boxes.beeps(), 1);
    EXPECT_TRUE(appguard::TerminateRequested());
}

TEST_F(FatalErrors, EngineCodeIsRightAlignedAndHexHasFourDigits) {
    EXPECT_TRUE(EngineErrorBoxText(db::DbError(db::ErrorKind::Busy, 10243, "Table is busy."))
                    .startsWith("Erro BDE  10243 : $2803\r\n"));
    EXPECT_TRUE(EngineErrorBoxText(db::DbError(db::ErrorKind::Usage, 10756, "x")).startsWith("Erro BDE  10756 : $2A04"));
    EXPECT_TRUE(EngineErrorBoxText(db::DbError(db::ErrorKind::Usage, 17, "x")).startsWith("Erro BDE     17 : $0011"));
}

TEST_F(FatalErrors, OtherExceptionIsFatalErrorWithoutBeep) {
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    ReportFatalError(std::runtime_error("Falta memória"));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.texts()[0], QString("Erro fatal.\n\r\n\rFalta memória") + closing);
    EXPECT_EQ(boxes.beeps(), 0);
    EXPECT_TRUE(appguard::TerminateRequested());
}

TEST_F(FatalErrors, DatabaseErrorWithoutEngineCode) {
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    ReportFatalError(db::DbError(db::ErrorKind::Usage, 0, "Campo inválido"));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.texts()[0], QString("Erro DataBase.\n\r\n\rCampo inválido") + closing);
    EXPECT_EQ(boxes.beeps(), 1);
    EXPECT_TRUE(appguard::TerminateRequested());
}

TEST_F(FatalErrors, NotEditingWithALookupComboFocusedNeitherShowsNorEnds) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* combo = new QComboBox(&window);
    combo->setProperty("lookupCombo", true);
    auto* edit = new QLineEdit(&window);
    layout->addWidget(combo);
    layout->addWidget(edit);
    ASSERT_TRUE(gui::showActive(&window));
    combo->setFocus();
    QApplication::processEvents();
    if (QApplication::focusWidget() != combo) GTEST_SKIP() << "no keyboard focus on this platform";

    const db::DbError notEditing(db::ErrorKind::Usage, db::kNotEditing, "Dataset not in edit or insert mode.");
    {
        ScriptedMessages boxes;
        ReportFatalError(notEditing);
        EXPECT_TRUE(boxes.shown().isEmpty());
        EXPECT_FALSE(appguard::TerminateRequested());
        EXPECT_FALSE(ReportEngineError(notEditing));
    }
    // The same error with another control focused is fatal as usual.
    edit->setFocus();
    QApplication::processEvents();
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    ReportFatalError(notEditing);
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(appguard::TerminateRequested());
}

TEST_F(FatalErrors, GuardRoutesEscapingExceptionsButNotTheSilentAbort) {
    QStringList seen;
    appguard::SetExceptionHandler([&](const std::exception& e) { seen << QString::fromUtf8(e.what()); });
    EXPECT_TRUE(appguard::RunGuarded([] {}));
    EXPECT_FALSE(appguard::RunGuarded([] { throw std::runtime_error("boom"); }));
    EXPECT_FALSE(appguard::RunGuarded([] { throw SilentAbort(); }));
    EXPECT_FALSE(appguard::RunGuarded([] { throw 42; }));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].toStdString(), "boom");
}

TEST_F(FatalErrors, InstalledHandlerShowsTheFatalBox) {
    InstallFatalErrorHandler();
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    appguard::RunGuarded([] { throw std::logic_error("quebrou"); });
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Erro fatal.\n\r\n\rquebrou"));
    EXPECT_TRUE(appguard::TerminateRequested());
}
