#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmRelatorio01.h"
#include "support/Builders.h"
#include "support/DataFolder.h"

#include <gtest/gtest.h>

namespace {

const QString kYear = QStringLiteral("2009");
const QString kEmp1 = QStringLiteral("11111111000111");
const QString kEmp2 = QStringLiteral("22222222000122");
const QString kLongName = QStringLiteral("MARIA DA CONCEICAO DOS SANTOS PEREIRA DE ALBUQUERQUE");  // 52

struct Contract {
    QString inscricao, prefixo, ano, pis, admissao, nome, seq;
};

// Two establishments of 2009 (the second without contracts), a branch of the
// first under another prefix, and contracts that only a key tells apart.
const QList<Contract> kContracts = {
    {kEmp1, "01", kYear, "10000000001", "01022009", "ANA", "000001"},
    {kEmp1, "01", kYear, "10000000001", "01022009", "BEATRIZ", "000002"},
    {kEmp1, "01", kYear, "00000000000", "05052009", kLongName, "000003"},
    {kEmp1, "01", kYear, "10000000002", "07072009", "JOANA D'ARC", "000004"},
    {kEmp1, "02", kYear, "10000000003", "01012009", "OUTRO PREFIXO", "000005"},
    {kEmp1, "01", "2008", "10000000004", "01012008", "OUTRO ANO", "000006"},
};

void fill(const QString& emp, const QString& vinc, const QString& resp, bool withResponsible) {
    auto database = dmLobrix->dbZuvo;
    db::Table e(database, emp);
    e.Open();
    AppendRow(e, {{"AnBase", kYear}, {"CoCgcCeiEstabelecimento", kEmp1}, {"NuPrefixoEstabelecimento", "01"},
                  {"NoRazaoEstabelecimento", "PRIMEIRA"}, {"InInscrEstabelecimento", "1"}});
    AppendRow(e, {{"AnBase", kYear}, {"CoCgcCeiEstabelecimento", kEmp1}, {"NuPrefixoEstabelecimento", "02"},
                  {"NoRazaoEstabelecimento", "FILIAL"}, {"InInscrEstabelecimento", "1"}});
    AppendRow(e, {{"AnBase", kYear}, {"CoCgcCeiEstabelecimento", kEmp2}, {"NuPrefixoEstabelecimento", "01"},
                  {"NoRazaoEstabelecimento", "SEM VINCULOS"}, {"InInscrEstabelecimento", "1"}});
    db::Table v(database, vinc);
    v.Open();
    for (const Contract& c : kContracts)
        AppendRow(v, {{"AnBase", c.ano}, {"CoCgcCeiEstabelecimento", c.inscricao}, {"NuPrefixoEstabelecimento", c.prefixo},
                      {"CoPisPasepEmpregado", c.pis}, {"DaAdmissaoEmpregado", c.admissao}, {"NoEmpregado", c.nome},
                      {"NuSequencialRegistro", c.seq}});
    if (withResponsible) {
        db::Table r(database, resp);
        r.Open();
        AppendRow(r, {{"NoResponsavelArquivo", "RESPONSAVEL"}});
    }
}

QStringList keyOf(const QString& nome) {
    for (const Contract& c : kContracts)
        if (c.nome == nome) return {c.pis, c.admissao, c.nome, c.seq};
    return {};
}

}  // namespace

// The rows the report query selects: establishment, prefix, contract name and
// the person responsible's name, in the report's order.
TEST(DeclarationReportQuery, SelectsTheChosenRowsByTheirKeys) {
    struct Case {
        const char* name;
        bool workingTables;
        bool withResponsible;
        QList<QStringList> establishments;
        QStringList contracts;  // names of the chosen contracts; empty: "Total"
        QStringList rows;
    };
    const QStringList e1{kEmp1, "01"}, e2{kEmp2, "01"};
    const QList<Case> cases = {
        {"Total of two establishments, one without contracts", false, true, {e1, e2}, {},
         {kEmp1 + "|01|" + kLongName + "|RESPONSAVEL", kEmp1 + "|01|ANA|RESPONSAVEL", kEmp1 + "|01|BEATRIZ|RESPONSAVEL",
          kEmp1 + "|01|JOANA D'ARC|RESPONSAVEL", kEmp2 + "|01||RESPONSAVEL"}},
        {"Parcial: one of two contracts sharing PIS/PASEP and admission", false, true, {e1}, {"BEATRIZ"},
         {kEmp1 + "|01|BEATRIZ|RESPONSAVEL"}},
        {"Parcial: a zero PIS/PASEP with a 52-character name", false, true, {e1}, {kLongName},
         {kEmp1 + "|01|" + kLongName + "|RESPONSAVEL"}},
        {"Parcial: an apostrophe in the name", false, true, {e1}, {"JOANA D'ARC", "ANA"},
         {kEmp1 + "|01|ANA|RESPONSAVEL", kEmp1 + "|01|JOANA D'ARC|RESPONSAVEL"}},
        {"An empty BD8Resp leaves its fields empty", false, false, {e2, e1}, {"ANA"},
         {kEmp1 + "|01|ANA|", kEmp2 + "|01||"}},
        {"The working tables", true, true, {e1}, {"OUTRO ANO", "ANA"}, {kEmp1 + "|01|ANA|RESPONSAVEL"}},
    };
    for (const Case& c : cases) {
        for (const bool streamed : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (streamed ? " (unidirectional)" : ""));
            TempProgramWithModules program;
            DeclarationReportChoice choice;
            if (c.workingTables) {
                for (const char* t : {"Emp", "Vinc", "Resp"})
                    CopyTableStructure(QStringLiteral("BD8") + t, QStringLiteral("Te8") + t, *dmLobrix->dbZuvo, true);
                choice.tabelaEmp = QStringLiteral("Te8Emp");
                choice.tabelaVinc = QStringLiteral("Te8Vinc");
                choice.tabelaResp = QStringLiteral("Te8Resp");
            }
            fill(choice.tabelaEmp, choice.tabelaVinc, choice.tabelaResp, c.withResponsible);
            choice.ano = kYear;
            choice.establishments = c.establishments;
            choice.partial = !c.contracts.isEmpty();
            for (const QString& n : c.contracts) choice.contracts << keyOf(n);
            db::Query q(dmLobrix->dbZuvo);
            BuildDeclarationReportQuery(q, choice);
            q.SetUniDirectional(streamed);
            q.Open();
            QStringList rows;
            for (q.First(); !q.Eof(); q.Next())
                rows << QStringList{q.FieldByName("CoCgcCeiEstabelecimento").AsString(),
                                    q.FieldByName("NuPrefixoEstabelecimento").AsString(), q.FieldByName("NoEmpregado").AsString(),
                                    q.FieldByName("NoResponsavelArquivo").AsString()}
                            .join('|');
            EXPECT_EQ(rows.join('\n').toStdString(), c.rows.join('\n').toStdString());
            // The contract's columns that repeat the establishment's carry "_1".
            EXPECT_NE(q.FindField("NuPrefixoEstabelecimen_1"), nullptr);
            EXPECT_NE(q.FindField("AnBase_1"), nullptr);
            if (streamed) {
                // Started again from the first row.
                q.First();
                EXPECT_FALSE(q.Eof());
                EXPECT_EQ(q.FieldByName("CoCgcCeiEstabelecimento").AsString(), c.rows.value(0).section('|', 0, 0));
            }
        }
    }
}

TEST(DeclarationReportQuery, RefusesATableNameThatIsNotAPlainName) {
    TempProgramWithModules program;
    DeclarationReportChoice choice;
    choice.tabelaEmp = QStringLiteral("BD8Emp; drop table BD8Vinc");
    db::Query q(dmLobrix->dbZuvo);
    EXPECT_THROW(BuildDeclarationReportQuery(q, choice), db::DbError);
}
