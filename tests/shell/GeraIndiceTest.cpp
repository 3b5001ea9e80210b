#include "platform/db/Database.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"
#include "shell/Ugvertab.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmGeraIndice.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/ScriptedMessages.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QList<db::Table*> lookupTables() {
    TdmLobrix& d = *dmLobrix;
    return {&d.taMensagem, &d.taTpVinc,  &d.taCNAE,     &d.taDesl,         &d.taInstrucao, &d.taMunicipio,
            &d.taNacionalidade, &d.taRaca, &d.taNatJu, &d.taAdmissao,   &d.taSalario,   &d.taUF,
            &d.taCBO,      &d.taFaixaCEP, &d.TaAfastamento, &d.taDeficiente, &d.tbEmpreg,  &d.tbTrab,
            &d.tbSindic,   &d.tbPisInval};
}

// Records, with every box, whether the form's Cancel could be pressed then.
struct CancelWatcher : ScriptedMessages {
    TfmGeraIndice* form = nullptr;
    QList<bool> cancelEnabled;
    QString show(const msg::BoxRequest& r) override {
        if (form) cancelEnabled << form->bbCancel->isEnabled();
        return ScriptedMessages::show(r);
    }
};

struct GeraIndiceFixture : ::testing::Test {
    TempProgramWithModules program;
    TfmGeraIndice form;
    std::shared_ptr<db::Database> database = db::Database::forFolder(program.dataFolder());
    GeraIndiceFixture() {
        dmEntradaDados->ta8Empresa.Open();
        dmEntradaDados->ta8Empreg.Open();
    }
};

}  // namespace

TEST_F(GeraIndiceFixture, RebuildsEveryIndexAndReopensTheLookupTables) {
    database->dropIndex("TB8CBO.DB", "Main");
    CancelWatcher boxes;
    boxes.form = &form;
    boxes.answer("mrOk");
    form.bbIniciarClick();
    EXPECT_EQ(boxes.texts(), QStringList{"Arquivos indexados com sucesso."});
    EXPECT_EQ(boxes.cancelEnabled, QList<bool>{false});
    EXPECT_EQ(form.CompletedSteps(), 24);
    for (db::Table* t : lookupTables()) EXPECT_TRUE(t->Active()) << t->TableName().toStdString();
    // The declaration tables stay closed until a form opens them.
    EXPECT_FALSE(dmEntradaDados->ta8Empresa.Active());
    EXPECT_FALSE(dmEntradaDados->ta8Empreg.Active());
    for (const StartupIndex& si : StartupIndexes())
        EXPECT_TRUE(database->indexExists(TableFileOfIndexFile(si.indexFile), si.index.name))
            << si.indexFile.toStdString();
    EXPECT_FALSE(form.prIndexar->isVisibleTo(&form));
    EXPECT_FALSE(form.laIndexar->isVisibleTo(&form));
    EXPECT_TRUE(dmLobrix->taCBO.FindKey({dmLobrix->taCBO.FieldByName("CoCbo").AsString()}));
}

TEST_F(GeraIndiceFixture, BusyTableStopsAtItsStepAndReopensIt) {
    // Step 5 is the dismissal causes; another process has it open.
    dmLobrix->taDesl.Close();
    auto holder = std::make_unique<db::TableLock>(database->resolve("TB8DESL.DB"), false);
    CancelWatcher boxes;
    boxes.form = &form;
    boxes.acceptOkBoxes();
    form.bbIniciarClick();
    holder.reset();
    ASSERT_EQ(boxes.texts().size(), 2);
    EXPECT_TRUE(boxes.texts().at(0).startsWith("Nenhum usuário pode estar usando o sistema: \"Table is busy"));
    EXPECT_EQ(boxes.texts().at(1), "Arquivos com problemas. Reinstale novamente o sistema LOBRIX2009.");
    EXPECT_EQ(boxes.cancelEnabled, QList<bool>({false, false}));
    EXPECT_EQ(form.CompletedSteps(), 4);
    EXPECT_EQ(form.prIndexar->value(), 4);
    // Tables of the steps done and of the failed step are open; later steps untouched.
    EXPECT_TRUE(dmLobrix->taMensagem.Active());
    EXPECT_TRUE(dmLobrix->taCNAE.Active());
    EXPECT_TRUE(dmLobrix->taDesl.Active());
    EXPECT_TRUE(dmEntradaDados->ta8Empresa.Active());
}

TEST_F(GeraIndiceFixture, DuplicateKeysStopTheRebuildWithoutEndingTheProgramOrLosingTheIndex) {
    // Duplicates can only exist where the index is already gone; the rebuild
    // must then say so and go on living, with the table usable.
    database->dropIndex("TB8CNAE.DB", "Main");
    {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(database->resolve("TB8CNAE.DB").toUtf8().constData(), &h), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(h,
                               "INSERT INTO \"tb8Cnae\" SELECT * FROM \"tb8Cnae\" "
                               "WHERE rowid = (SELECT min(rowid) FROM \"tb8Cnae\")",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(h);
    }
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    form.bbIniciarClick();
    ASSERT_EQ(boxes.texts().size(), 2);
    EXPECT_TRUE(boxes.texts().at(0).startsWith(QString::fromUtf8("Não foi possível recriar o índice do arquivo TB8CNAE.DB")));
    EXPECT_TRUE(boxes.texts().at(0).contains(QString::fromUtf8("registros repetidos")));
    EXPECT_FALSE(boxes.texts().at(0).contains("INDEX"));
    EXPECT_EQ(boxes.texts().at(1), "Arquivos com problemas. Reinstale novamente o sistema LOBRIX2009.");
    EXPECT_EQ(form.CompletedSteps(), 3);
    EXPECT_TRUE(dmLobrix->taCNAE.Active());
    // A failed rebuild of an index that existed keeps it: step 1 had one.
    EXPECT_TRUE(database->indexExists("TB8MSG.DB", "Main"));
}

TEST_F(GeraIndiceFixture, FailedAddKeepsTheExistingIndex) {
    // The rebuild drops and adds in one step: when the add fails, the index
    // the table had is still there.
    db::IndexDef impossible{"Main", {"NoSuchColumn"}, true, false};
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    EXPECT_FALSE(RebuildTableIndex("LOBRIX", "TB8MSG.PX", impossible));
    EXPECT_EQ(boxes.texts().size(), 1);
    const QList<db::IndexDef> ix = database->indexes("TB8MSG.DB");
    ASSERT_FALSE(ix.isEmpty());
    EXPECT_EQ(ix.at(0).fields, QStringList{"NuMensagem"});
}

TEST_F(GeraIndiceFixture, FormTextsAndCancel) {
    EXPECT_EQ(form.windowTitle(), "Indexar Arquivos");
    EXPECT_EQ(form.bbIniciar->text(), "&Iniciar");
    EXPECT_EQ(form.bbCancel->text(), "&Cancelar");
    EXPECT_TRUE(form.meDicas->isReadOnly());
    EXPECT_FALSE(form.laIndexar->isVisibleTo(&form));
    EXPECT_FALSE(form.prIndexar->isVisibleTo(&form));
    EXPECT_EQ(form.prIndexar->maximum(), 17);
    FormsScript script;
    script.expect("fmGeraIndice", [](QWidget* f) {
        f->findChild<QPushButton*>("bbCancel")->click();
        return int(forms::mrNone);
    });
    EXPECT_EQ(forms::ShowModal(&form), forms::mrCancel);
}
