#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/udmEntradaDados.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "platform/AppPaths.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QMap<QString, QString> contract(const QString& seq, const QString& vinculado = "00000000000000",
                                const QString& desl = "0000", const QString& cbo = "123456") {
    return {{"AnBase", "2009"},
            {"CoCgcCeiEstabelecimento", "11222333000181"},
            {"NuPrefixoEstabelecimento", "00"},
            {"CoPisPasepEmpregado", "12345678919"},
            {"DaAdmissaoEmpregado", "01012009"},
            {"NoEmpregado", "JOAO DA SILVA"},
            {"NuSequencialRegistro", seq},
            {"CoCgcVinculado", vinculado},
            {"InInscrEstabelecimento", "1"},
            {"DaDesligamentoEmpregado", desl},
            {"CoCbo", cbo}};
}

TEST(DeclarationTables, ColumnsWidthsAndKeysAreThoseOfTheDesign) {
    const auto emp = DeclarationTables::BD8Emp();
    const auto vinc = DeclarationTables::BD8Vinc();
    const auto resp = DeclarationTables::BD8Resp();
    EXPECT_EQ(emp.fields.size(), 56);
    EXPECT_EQ(vinc.fields.size(), 100);
    EXPECT_EQ(resp.fields.size(), 27);
    EXPECT_EQ(emp.primaryIndex()->fields,
              QStringList({"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"}));
    EXPECT_EQ(vinc.primaryIndex()->fields.size(), 11);
    EXPECT_EQ(vinc.primaryIndex()->fields.last(), "CoCbo");
    EXPECT_TRUE(resp.indexes.isEmpty());
    // Spot checks where a wrong width would shift the declaration file.
    const QList<std::tuple<db::TableDef, QString, int>> widths = {
        {emp, "NoRazaoEstabelecimento", 52}, {emp, "VaGlobalSindical", 9},     {emp, "TxtNatJur", 200},
        {emp, "CoCnae2", 7},                 {vinc, "VaGlobalSindical", 8},    {vinc, "NoMunicipioTrabalho", 30},
        {vinc, "HoTrabalhadasDezembro", 3},  {vinc, "TxtNacionalidade", 30},   {vinc, "VaDezembroEmpregado", 9},
        {resp, "NuRespostaPesquisa", 22},    {resp, "DaNascimentoRespArquivo", 8}};
    for (const auto& [def, name, width] : widths) {
        const int i = def.fieldIndex(name);
        ASSERT_GE(i, 0) << name.toStdString();
        EXPECT_EQ(def.fields[i].width, width) << name.toStdString();
    }
    EXPECT_EQ(vinc.fields[vinc.fieldIndex("CoCbo")].editMask, "a999-99;0;");
    EXPECT_EQ(emp.fields[emp.fieldIndex("InAvisoCnae")].type, db::FieldType::Boolean);
    EXPECT_EQ(resp.fields[resp.fieldIndex("InDicas")].type, db::FieldType::Boolean);
}

TEST(DeclarationTables, TheBuiltDataFolderHoldsEveryShippedTable) {
    TempProgramFolder program;
    auto database = db::Database::forFolder(program.dataFolder());
    for (const char* file : {"BD8EMP.DB", "BD8VINC.DB", "BD8RESP.DB", "TB8BASE.DB", "TB8CBO.DB", "TB8CNAE.DB",
                             "TB8DESL.DB", "TB8FXCEP.DB", "TB8INSTR.DB", "TB8MSG.DB", "TB8MUNIC.DB", "TB8NACIO.DB",
                             "TB8RACA.DB", "TB8TPADM.DB", "TB8TPSAL.DB", "TBUF.DB", "TBUFCEP.DB", "TB8VINC.DB",
                             "TB8AFAST.DB", "tbEmpreg.db", "tbSindic.db", "tbTrab.db", "PISINDEV.db", "TB8NATJU.DB",
                             "tbDefi.DB"})
        EXPECT_TRUE(database->tableExists(file)) << file;
    EXPECT_TRUE(database->indexExists("TBUF.DB", "ISgUf"));
    EXPECT_TRUE(database->indexExists("BD8VINC.DB", "Main"));
    EXPECT_TRUE(database->indexes("bd8resp.db").isEmpty());
}

TEST(DeclarationTables, AContractIsIdentifiedByAllElevenKeyColumns) {
    TempProgramWithModules program;
    db::Table& t = dmEntradaDados->ta8Empreg;
    t.Open();
    AppendRow(t, contract("000001"));
    AppendRow(t, contract("000002"));
    AppendRow(t, contract("000001", "00123456789012"));
    AppendRow(t, contract("000001", "00000000000000", "1510"));
    AppendRow(t, contract("000001", "00000000000000", "0000", "654321"));
    EXPECT_EQ(t.RecordCount(), 5);
    EXPECT_THROW(AppendRow(t, contract("000001")), db::DbError);
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 5);
    t.Close();
}

TEST(DeclarationTables, WorkingCopiesAreReplacedAndKeyedByTheirMaker) {
    TempProgramWithModules program;
    db::Database& database = *dmLobrix->dbZuvo;
    // The analyser's copy: no index copied, then its own 7-column primary index.
    CopyTableStructure("Bd8vinc", "Te8vinc", database, false);
    database.addIndex("Te8vinc.db", db::primaryIndex(DeclarationTables::AnalyserContractKey().join(';'), "Te8vinc"));
    {
        db::Table te(dmLobrix->dbZuvo, "Te8vinc");
        te.Open();
        AppendRow(te, contract("000001"));
        EXPECT_THROW(AppendRow(te, contract("000001", "00123456789012", "1510", "654321")), db::DbError);
        te.Cancel();
        EXPECT_EQ(te.RecordCount(), 1);
    }
    // The amendment's copy replaces it, empty, with the 11-column key.
    ASSERT_TRUE(TryCopyTableStructure("Bd8vinc", "Te8vinc", database, true));
    db::Table te(dmLobrix->dbZuvo, "Te8vinc");
    te.Open();
    EXPECT_EQ(te.RecordCount(), 0);
    EXPECT_EQ(te.FieldCount(), 100);
    AppendRow(te, contract("000001"));
    AppendRow(te, contract("000001", "00123456789012", "1510", "654321"));
    EXPECT_EQ(te.RecordCount(), 2);
    te.Close();
    // Copying while the copy is held exclusively fails, and the try says so.
    te.SetExclusive(true);
    te.Open();
    EXPECT_FALSE(TryCopyTableStructure("Bd8vinc", "Te8vinc", database, true));
    EXPECT_FALSE(TryCopyTableStructure("NoSuchTable", "Te8x", database, true));
}

TEST(DeclarationTables, CountingQueriesTreatAnEmptyNationalityAsUnknown) {
    TempProgramWithModules program;
    db::Table& t = dmEntradaDados->ta8Empreg;
    t.Open();
    const QStringList nationalities = {"10", "", "20", "10", "30"};
    for (int i = 0; i < nationalities.size(); ++i) {
        auto row = contract(QStringLiteral("%1").arg(i, 6, 10, QChar('0')));
        row["CoNacionalidade"] = nationalities[i];
        AppendRow(t, row);
    }
    auto other = contract("000009");
    other["NuPrefixoEstabelecimento"] = "01";
    other["CoNacionalidade"] = "20";
    AppendRow(t, other);
    t.Close();
    EXPECT_EQ(dmEntradaDados->CountContracts("2009", "11222333000181", "00"), 5);
    EXPECT_EQ(dmEntradaDados->CountForeigners("2009", "11222333000181", "00"), 2);
    EXPECT_EQ(dmEntradaDados->CountContracts("2010", "11222333000181", "00"), 0);
}

TEST(DeclarationTables, TheOccupationColumnOfTheEmployeeListIsShownWithItsDash) {
    EXPECT_EQ(CoCboDisplayText("000000"), "");
    EXPECT_EQ(CoCboDisplayText("123456"), "1234-56");
    EXPECT_EQ(CoCboDisplayText("12345"), "12345");
    TempProgramWithModules program;
    db::Table& t = dmEntradaDados->ta8Empreg;
    t.Open();
    AppendRow(t, contract("000001", "00000000000000", "0000", "000000"));
    AppendRow(t, contract("000002", "00000000000000", "0000", "123456"));
    t.Close();
    dmEntradaDados->quConVinculo.SetSQL(dmEntradaDados->quConVinculo.Text() + "\norder by NuSequencialRegistro");
    dmEntradaDados->OpenConVinculo();
    db::Query& q = dmEntradaDados->quConVinculo;
    EXPECT_EQ(q.FieldByName("CoCbo").DisplayText(), "");
    q.Next();
    EXPECT_EQ(q.FieldByName("CoCbo").DisplayText(), "1234-56");
    q.Close();
}

TEST(DeclarationTables, TheModulesStartWithTheirDesignState) {
    TempProgramWithModules program;
    EXPECT_EQ(dmEntradaDados->QtAvisoVinculoCnae, 1);
    EXPECT_EQ(dmEntradaDados->QtAvisoVinculoNatJur, 1);
    EXPECT_TRUE(dmLobrix->taMensagem.Active());
    EXPECT_TRUE(dmLobrix->tbPisInval.Active());
    TdmDadosResp resp;
    EXPECT_EQ(resp.EncerrarAssistente, 0);
    EXPECT_EQ(resp.ModoRetificacao, 0);
    EXPECT_FALSE(resp.FiguraAssistente.isNull());
    EXPECT_TRUE(resp.te8Emp.Exclusive());
    // The alias resolves in a program folder whose path has blanks and accents.
    QTemporaryDir odd(QDir::tempPath() + "/pasta com acentuação XXXXXX");
    QDir().mkpath(odd.filePath("Dados"));
    AppPaths::setProgramFolder(odd.path());
    EXPECT_EQ(QDir(TdmLobrix::OpenAlias()->folder()).canonicalPath(), QDir(odd.filePath("Dados")).canonicalPath());
    AppPaths::setProgramFolder(program.path());
}

}  // namespace
