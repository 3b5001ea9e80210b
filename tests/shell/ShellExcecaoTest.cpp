#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "platform/ui/LobrixApplication.h"
#include "platform/ui/SilentAbort.h"
#include "shell/ugExcecao.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <sys/mount.h>

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

// An expected cause that escaped its handler still ends the program (the
// work stopped half way), but says what happened in the program's words.
TEST_F(FatalErrors, AnEscapedExpectedCauseIsToldAsSuchBeforeTheEnd) {
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    ReportFatalError(db::DbError(db::ErrorKind::Busy, db::kTableBusy, "Table is busy.\nTable: /x/Dados/Bd8vinc.DB"));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Warning);
    EXPECT_EQ(boxes.texts()[0], "A tabela \"Bd8vinc.DB\" está em uso por outro usuário ou por outra cópia do LOBRIX.\n"
                                "A operação não foi concluída.\n"
                                "Aguarde que o outro usuário termine e tente novamente.\n"
                                "O LOBRIX será encerrado.");
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

namespace {

db::TableDef smallTable() {
    db::TableDef t;
    t.fileName = "Pessoas.DB";
    t.fields = {db::textField("Codigo", 4), db::textField("Nome", 200)};
    t.indexes = {db::primaryIndex("Codigo")};
    return t;
}

// Appends rows until the store refuses; the refusal.
std::optional<db::DbError> appendUntilRefused(const QString& folder, int rows = 1) {
    try {
        db::Table t(db::Database::forFolder(folder), "Pessoas.DB");
        t.Open();
        for (int i = 0; i < rows; ++i) {
            t.Append();
            t.FieldByName("Codigo").SetAsString(QString::number(i));
            t.FieldByName("Nome").SetAsString(QString(200, QChar('A' + i % 26)));
            t.Post();
        }
    } catch (const db::DbError& e) {
        return e;
    }
    return std::nullopt;
}

}  // namespace

// What another user, a read-only folder or a full disk cause is told in the
// program's words, with what to do; only the truly unexpected keeps the
// "Erro BDE" box that asks to call the maker.
TEST(ExpectedEngineErrors, AreToldInTheProgramsOwnWords) {
    QTemporaryDir dir;
    struct Case {
        const char* what;
        std::function<std::optional<db::DbError>(const QString& folder)> cause;
        QString expectedStart;  // empty: the engine box
    };
    const QList<Case> cases = {
        {"another copy holds the table",
         [](const QString& folder) {
             db::Database::forFolder(folder)->createTable(smallTable());
             db::TableLock other(folder + "/Pessoas.DB", true);
             return appendUntilRefused(folder);
         },
         "A tabela \"Pessoas.DB\" está em uso por outro usuário ou por outra cópia do LOBRIX."},
        {"the table's lock file cannot be made",
         [](const QString& folder) {
             db::Database::forFolder(folder)->createTable(smallTable());
             // A lock that leads nowhere, as one this user may not open.
             QFile::link("/proc/nenhum/lugar", folder + "/.pessoas.db.lock");
             auto e = appendUntilRefused(folder);
             QFile::remove(folder + "/.pessoas.db.lock");
             return e;
         },
         "A pasta de dados do LOBRIX, ou um arquivo dela, não pode ser gravado por este usuário"},
        {"a read-only data folder",
         [](const QString& folder) -> std::optional<db::DbError> {
             if (::mount("tmpfs", folder.toUtf8().constData(), "tmpfs", 0, "size=1m") != 0) return std::nullopt;
             db::Database::forFolder(folder)->createTable(smallTable());
             ::mount(nullptr, folder.toUtf8().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
             auto e = appendUntilRefused(folder);
             ::umount2(folder.toUtf8().constData(), MNT_DETACH);
             return e;
         },
         "A pasta de dados do LOBRIX, ou um arquivo dela, não pode ser gravado por este usuário"},
        {"a full disk",
         [](const QString& folder) -> std::optional<db::DbError> {
             if (::mount("tmpfs", folder.toUtf8().constData(), "tmpfs", 0, "size=64k") != 0) return std::nullopt;
             db::Database::forFolder(folder)->createTable(smallTable());
             auto e = appendUntilRefused(folder, 2000);
             ::umount2(folder.toUtf8().constData(), MNT_DETACH);
             return e;
         },
         "O disco da pasta de dados do LOBRIX está cheio."},
        {"a key violation", [](const QString& folder) {
             db::Database::forFolder(folder)->createTable(smallTable());
             appendUntilRefused(folder);
             return appendUntilRefused(folder);
         }, QString()},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = dir.filePath(QString::number(++n));
        QDir().mkpath(folder);
        const std::optional<db::DbError> e = c.cause(folder);
        if (!e) {
            ADD_FAILURE() << "the store did not refuse (or no right to mount here)";
            continue;
        }
        // The writer's box about its data folder blames no disk for another user's table.
        if (e->kind() == db::ErrorKind::Busy)
            EXPECT_TRUE(DataFolderProblemText(folder, *e).startsWith(c.expectedStart))
                << DataFolderProblemText(folder, *e).toStdString();
        ScriptedMessages boxes;
        boxes.answer("mrOk");
        ShowEngineErrorBox(*e);
        ASSERT_EQ(boxes.shown().size(), 1);
        const QString shown = boxes.texts().at(0);
        if (c.expectedStart.isEmpty()) {
            EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Error);
            EXPECT_TRUE(shown.endsWith(closing)) << shown.toStdString();
            continue;
        }
        EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
        EXPECT_TRUE(shown.startsWith(c.expectedStart)) << shown.toStdString();
        EXPECT_TRUE(shown.contains("tente novamente")) << shown.toStdString();
        EXPECT_FALSE(shown.contains("Erro não previsto")) << shown.toStdString();
        EXPECT_FALSE(shown.contains("Table")) << shown.toStdString();
    }
}
