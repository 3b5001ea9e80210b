#include "rules/ugCriticaDeclaracao.h"
#include "rules/ugCriticaRegras.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "support/DataFolder.h"
#include "support/ValidDeclaration.h"

#include <QFile>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Row {
    QString kind, type, result, label, content, inscricao, pis;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << r.kind.toStdString() << " t" << r.type.toStdString() << " " << r.result.toStdString() << " "
              << r.label.toStdString() << " [" << r.content.toStdString() << "]";
}

class QuietHost : public ValidationHost {
public:
    void SetProgress(int) override {}
    void ProcessEvents() override {}
    bool AskInterrupt() override { return true; }
    void ShowErrorLimit(const QString&) override { ++limitBoxes; }
    int limitBoxes = 0;
};

class RecordChecksTest : public ::testing::Test {
protected:
    void SetUp() override { valid::RegisterUnionEntities(); }

    void Write(const valid::Row& resp, const QList<valid::Row>& establishments, const QList<valid::Row>& contracts) {
        auto database = dmLobrix->dbZuvo;
        db::Table r(database, "BD8Resp.db"), e(database, "BD8Emp.db"), v(database, "BD8Vinc.db");
        r.Open();
        e.Open();
        v.Open();
        r.EmptyTable();
        e.EmptyTable();
        v.EmptyTable();
        valid::Append(r, resp);
        for (const auto& row : establishments) valid::Append(e, row);
        for (const auto& row : contracts) valid::Append(v, row);
    }

    ValidationResult Run(std::uint8_t checkResponsible = 1, std::uint8_t fileMode = 0) {
        return ValidateDeclaration(host, program.dataFolder(), 0, nullptr, QString(), checkResponsible, 0, fileMode);
    }

    QList<Row> Findings() {
        QList<Row> out;
        if (!dmLobrix->dbZuvo->tableExists("te8errwa.db")) return out;
        db::Table t(dmLobrix->dbZuvo, "te8errwa.db");
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            out << Row{t.FieldByName("errwar").AsString(),    t.FieldByName("tiporegistro").AsString(),
                       t.FieldByName("retorno").AsString(),   t.FieldByName("lbl").AsString(),
                       t.FieldByName("Conteudo").AsString(),  t.FieldByName("inscricao").AsString(),
                       t.FieldByName("copispasep").AsString()};
        return out;
    }

    static QString Dump(const QList<Row>& rows) {
        QString s;
        for (const Row& r : rows)
            s += QStringLiteral("%1 t%2 %3 %4 [%5]\n").arg(r.kind, r.type, r.result, r.label, r.content);
        return s;
    }

    TempProgramWithModules program;
    QuietHost host;
};

TEST_F(RecordChecksTest, ACleanDeclarationHasNoFindings) {
    const valid::Row est = valid::Establishment(0, 3);
    Write(valid::ResponsibleAsInAFile(), {est}, {valid::Contract(est, 0), valid::Contract(est, 1), valid::Contract(est, 2)});
    EXPECT_EQ(Run(), 0) << Dump(Findings()).toStdString();
    EXPECT_FALSE(QFile::exists(program.dataFolder() + "/te8errwa.db"));
}

// Lists print readably in failures.
std::string J(const QStringList& lines) { return lines.join(QStringLiteral(" | ")).toStdString(); }

// Rows of one result, as "label:content kind" in their order.
QStringList Of(const QList<Row>& rows, const char* result, const QString& pis = QString()) {
    QStringList out;
    for (const Row& r : rows)
        if (r.result == QLatin1String(result) && (pis.isEmpty() || r.pis == pis))
            out << r.label + ":" + r.content + " " + r.kind;
    return out;
}

TEST_F(RecordChecksTest, ANameIsComparedOnlyWithAMunicipalityThatWasFound) {
    // A refused code must not leave the name compared with whatever row the
    // lookup stood on before.
    const valid::Row est = valid::With(valid::Establishment(0, 1), {{"CoMunicipio", "9999999"}});
    Write(valid::With(valid::ResponsibleAsInAFile(), {{"CoMunicipioRespArquivo", "9999999"}}), {est},
          {valid::Contract(est, 0)});
    Run();
    const QList<Row> rows = Findings();
    EXPECT_EQ(J(Of(rows, "0090")), J(QStringList({"1610:9999999 err", "1610:9999999 err"}))) << Dump(rows).toStdString();
    for (const Row& r : rows) EXPECT_NE(r.label, "3667") << Dump(rows).toStdString();

    // After a good code a wrong name is still reported.
    const valid::Row named = valid::With(valid::Establishment(0, 1), {{"NoMunicEstabelecimento", "SAO PAULA"}});
    Write(valid::ResponsibleAsInAFile(), {named}, {valid::Contract(named, 0)});
    Run();
    EXPECT_EQ(J(Of(Findings(), "3666")), J(QStringList({"3667:SAO PAULA war"})));
}

TEST_F(RecordChecksTest, ACeiEstablishmentWithACentralisingCnpjNamesItsInscriptionTypeUnderItsOwnLabel) {
    const valid::Row est = valid::With(valid::Establishment(0, 0),
                                       {{"InInscrEstabelecimento", "3"},
                                        {"CoCgcCeiEstabelecimento", valid::Cei("12345678901")},
                                        {"CoCNPJCentralizada", valid::Cnpj("001234560001")},
                                        {"CoCNPJSindical", ""},
                                        {"VaGlobalSindical", "000000000"}});
    Write(valid::ResponsibleAsInAFile(), {est}, {});
    Run(0);
    const QList<Row> rows = Findings();
    EXPECT_EQ(J(Of(rows, "3719")), J(QStringList({"1601:3 err", "3705:" + valid::Cnpj("001234560001") + " err"})))
        << Dump(rows).toStdString();
}

TEST_F(RecordChecksTest, AZeroSalaryNamesTheContractTypeUnderItsOwnLabel) {
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::ResponsibleAsInAFile(), {est}, {valid::With(valid::Contract(est, 0), {{"VaSalContratualEmpregado", "000000000"}})});
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "0232")), J(QStringList({"1638:10 err", "1634:000000000 err"}))) << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, AContractTypeForAnotherInscriptionTypeNamesThatType) {
    const valid::Row cnpj = valid::Establishment(0, 1);
    const valid::Row cei = valid::With(valid::Establishment(1, 1), {{"InInscrEstabelecimento", "3"},
                                                                    {"CoCgcCeiEstabelecimento", valid::Cei("12345678901")}});
    Write(valid::ResponsibleAsInAFile(), {cnpj, cei},
          {valid::With(valid::Contract(cnpj, 0), {{"CoVinculo", "25"}}), valid::Contract(cei, 1)});
    Run(0);
    const QList<Row> rows = Findings();
    EXPECT_EQ(J(Of(rows, "0271")), J(QStringList({"1638:10 err", "1601:3 (CEI) err", "1638:25 err", "1601:1 (CGC) err"})))
        << Dump(rows).toStdString();
}

TEST_F(RecordChecksTest, DuplicateContractsAreReportedFromEverySideAndWorkingTablesAddTheirSerial) {
    const valid::Row a = valid::Establishment(0, 1);
    const valid::Row b = valid::Establishment(1, 1);
    valid::Row first = valid::Contract(a, 0);
    valid::Row second = valid::With(valid::Contract(b, 1), {{"CoPisPasepEmpregado", first.value("CoPisPasepEmpregado")},
                                                           {"NoEmpregado", first.value("NoEmpregado")},
                                                           {"CoCpfEmpregado", first.value("CoCpfEmpregado")}});
    Write(valid::ResponsibleAsInAFile(), {a, b}, {first, second});
    EXPECT_EQ(Run(0), 2);
    const QString pis = first.value("CoPisPasepEmpregado");
    const QStringList expected{"1624:" + pis + " err", "1625:" + first.value("NoEmpregado") + " err",
                               "1632:01032005 err", "1640:0000 err", "1637:513205 err"};
    const QList<Row> rows = Findings();
    EXPECT_EQ(J(Of(rows, "1671")), J(expected + expected)) << Dump(rows).toStdString();

    // The same over the working copies: each contract's serial comes first.
    auto database = dmLobrix->dbZuvo;
    CopyTableStructure("BD8Resp", "te8resp", *database, true);
    CopyTableStructure("BD8Emp", "te8emp", *database, true);
    CopyTableStructure("BD8Vinc", "te8vinc", *database, true);
    db::Table r(database, "te8resp.db"), e(database, "te8emp.db"), v(database, "te8vinc.db");
    r.Open();
    e.Open();
    v.Open();
    valid::Append(r, valid::ResponsibleAsInAFile());
    valid::Append(e, a);
    valid::Append(e, b);
    valid::Append(v, first);
    valid::Append(v, second);
    EXPECT_EQ(ValidateDeclaration(host, program.dataFolder(), 1, nullptr, QString(), 0, 0, 0), 2);
    const QStringList withSerial = Of(Findings(), "1671");
    ASSERT_EQ(withSerial.size(), 12);
    EXPECT_EQ(withSerial[0].toStdString(), "1662:000001 err");
    EXPECT_EQ(withSerial[6].toStdString(), "1662:000002 err");
}

TEST_F(RecordChecksTest, OnePisWithDifferentPersonalDataIsReportedForEachContract) {
    const valid::Row est = valid::Establishment(0, 2);
    const valid::Row first = valid::Contract(est, 0);
    const valid::Row second = valid::With(valid::Contract(est, 1), {{"CoPisPasepEmpregado", first.value("CoPisPasepEmpregado")},
                                                                   {"NoEmpregado", first.value("NoEmpregado")},
                                                                   {"CoCpfEmpregado", first.value("CoCpfEmpregado")},
                                                                   {"DaAdmissaoEmpregado", "01022006"},
                                                                   {"DaNascimentoEmpregado", "16051980"}});
    Write(valid::ResponsibleAsInAFile(), {est}, {first, second});
    Run(0);
    const QList<Row> rows = Findings();
    const QStringList identity = Of(rows, "3761");
    ASSERT_EQ(identity.size(), 8) << Dump(rows).toStdString();
    // The contracts come in key order: the later admission second.
    EXPECT_EQ(identity[3].toStdString(), "1626:16051980 err");
    EXPECT_EQ(identity[7].toStdString(), "1626:15051980 err");
}

TEST_F(RecordChecksTest, EstablishmentsOfOneInscriptionMustAgreeOnTheirName) {
    const valid::Row a = valid::Establishment(0, 1);
    const valid::Row b = valid::With(a, {{"NuPrefixoEstabelecimento", "01"}, {"NoRazaoEstabelecimento", "OUTRO NOME LTDA"}});
    Write(valid::ResponsibleAsInAFile(), {a, b}, {valid::Contract(a, 0), valid::Contract(b, 1)});
    Run(0);
    const QList<Row> rows = Findings();
    EXPECT_EQ(J(Of(rows, "3762")), J(QStringList({"1602:00 err", "1604:COMERCIO DE ALIMENTOS EXEMPLO LTDA err",
                                             "1602:01 err", "1604:OUTRO NOME LTDA err",
                                             "1602:01 err", "1604:OUTRO NOME LTDA err",
                                             "1602:00 err", "1604:COMERCIO DE ALIMENTOS EXEMPLO LTDA err"})))
        << Dump(rows).toStdString();
    EXPECT_TRUE(Of(rows, "3764").isEmpty());
    EXPECT_TRUE(Of(rows, "3763").isEmpty());
}

TEST_F(RecordChecksTest, AnEstablishmentClosedTheNextYearMovesTheReferenceYear) {
    const valid::Row est = valid::With(valid::Establishment(0, 1), {{"InEncerramentoAtividade", "1"},
                                                                   {"DaEncerramentoAtividade", "15032010"}});
    Write(valid::ResponsibleAsInAFile(), {est}, {valid::Contract(est, 0)});
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "0294")), J(QStringList({"1640:0000 err", "1658:2010 err"}))) << Dump(Findings()).toStdString();

    // Closed within the base year: the base year stays.
    const valid::Row same = valid::With(valid::Establishment(0, 1), {{"InEncerramentoAtividade", "1"},
                                                                    {"DaEncerramentoAtividade", "15122009"}});
    Write(valid::ResponsibleAsInAFile(), {same}, {valid::Contract(same, 0)});
    Run(0);
    EXPECT_TRUE(Of(Findings(), "0294").isEmpty()) << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, PayShortOfTheSalaryNamesTheSalaryOnce) {
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::ResponsibleAsInAFile(), {est},
          {valid::With(valid::Contract(est, 0), {{"VaMarcoEmpregado", "000100000"},
                                                 {"VaAbrilEmpregado", "000100000"},
                                                 {"VaMaioEmpregado", "000100000"}})});
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "3728")), J(QStringList({"1634:000150000 war", "1643:000100000 war",
                                                   "1644:000100000 war", "1645:000100000 war"})))
        << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, ALeaveEndingBeforeItStartsIsReportedByBothDatesAndCountsTwice) {
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::ResponsibleAsInAFile(), {est},
          {valid::With(valid::Contract(est, 0), {{"CoMotivoPrimAfas", "40"},
                                                 {"DaInicioprimeiroAfas", "1005"},
                                                 {"DaFinalPrimeiroAfas", "0505"},
                                                 {"QtDiasAfas", "010"}})});
    host.limitBoxes = 0;
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "3633")),
              J(QStringList({"3637:1005 err", "3637:0505 err", "3637:1005 err", "3637:0505 err"})))
        << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, DismissedWithoutTerminationPaymentsIsAWarning) {
    const valid::Row est = valid::With(valid::Establishment(0, 1), {{"DaEncerramentoAtividade", ""}});
    Write(valid::ResponsibleAsInAFile(), {est},
          {valid::With(valid::Contract(est, 0), {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3006"}})});
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "3758")), J(QStringList({"3658:00000000 war", "3659:00000000 war", "3660:00000000 war",
                                                   "3662:00000000 war", "3664:00000000 war"})))
        << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, FileAnalysisModeRequiresTheWorkMunicipality) {
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::ResponsibleAsInAFile(), {est}, {valid::With(valid::Contract(est, 0), {{"CoMunicipioTrabalho", ""}})});
    Run(0, 0);
    EXPECT_TRUE(Of(Findings(), "0030").isEmpty()) << Dump(Findings()).toStdString();
    Run(0, 1);
    EXPECT_TRUE(Of(Findings(), "0030").contains("3671: err")) << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, TheErrorLimitShowsItsWarningOnceAndStopsTheRun) {
    // One counted error per contract: the 251st passes the limit.
    const valid::Row est = valid::Establishment(0, 300);
    QList<valid::Row> contracts;
    for (int i = 0; i < 300; ++i)
        contracts << valid::With(valid::Contract(est, i), {{"CoTipoRaca", "3"}});
    Write(valid::ResponsibleAsInAFile(), {est}, contracts);
    EXPECT_EQ(Run(0), 2);
    EXPECT_EQ(host.limitBoxes, 1);
    EXPECT_EQ(Of(Findings(), "0481").size(), 251);
}

TEST_F(RecordChecksTest, TheResponsibleRecordIsCheckedOnlyWhenAsked) {
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::With(valid::ResponsibleAsInAFile(), {{"NuFoneAssinante", "1234567"}}), {est}, {valid::Contract(est, 0)});
    EXPECT_EQ(Run(0), 0);
    EXPECT_EQ(Run(1), 2);
    EXPECT_EQ(J(Of(Findings(), "3101")), J(QStringList({"1614:1234567 err"})));
    EXPECT_EQ(Findings().first().type, "0");
}

TEST_F(RecordChecksTest, ACpfStoredAsACnpjIsReportedThroughItsType) {
    // Valid under the other reading: no row for the number itself, but the
    // type refuses it, with both rows and one error.
    const QString cpf = QStringLiteral("000") + valid::Cpf("123456780");
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::With(valid::ResponsibleAsInAFile(), {{"CoCgcCeiResponsavel", cpf}, {"CoCpfResponsavel", cpf.mid(3)}}), {est},
          {valid::Contract(est, 0)});
    Run();
    const QList<Row> rows = Findings();
    QStringList type0;
    for (const Row& r : rows)
        if (r.type == "0" && (r.label == "1599" || r.label == "1601")) type0 << r.label + ":" + r.content + " " + r.result;
    EXPECT_EQ(J(type0), J(QStringList({"1601:1 (CNPJ) 0134", "1599:" + cpf + " 0134"}))) << Dump(rows).toStdString();
}

TEST_F(RecordChecksTest, TheOperationMarkerIsNamedInWords) {
    const valid::Row a = valid::With(valid::Establishment(0, 1), {{"InOpcaoAberta", "1"}});
    const valid::Row b = valid::With(valid::Establishment(1, 1), {{"InOpcaoAberta", "4"}});
    const valid::Row c = valid::With(valid::Establishment(2, 1), {{"InOpcaoAberta", "0"}});
    Write(valid::ResponsibleAsInAFile(), {a, b, c}, {valid::Contract(a, 0), valid::Contract(b, 1), valid::Contract(c, 2)});
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "1677")), J(QStringList({"1666:Outras opções err", "1666:Exclusão de estabelecimento err",
                                                        "1666:Atualização de estabelecimento err"})));
}

TEST_F(RecordChecksTest, TheExemptUnionTaxCnpjIsNeverLookedUpAsAnEntity) {
    const QString exempt = QString::fromLatin1(ugConstantes::kCnpjIsentoSindical.data(),
                                               qsizetype(ugConstantes::kCnpjIsentoSindical.size()));
    const valid::Row est = valid::With(valid::Establishment(0, 1), {{"CoCNPJSindical", exempt}});
    Write(valid::ResponsibleAsInAFile(), {est}, {valid::With(valid::Contract(est, 0), {{"CoCNPJSindical", exempt}})});
    Run(0);
    EXPECT_TRUE(Of(Findings(), "3688").isEmpty()) << Dump(Findings()).toStdString();
    EXPECT_TRUE(Of(Findings(), "3689").isEmpty()) << Dump(Findings()).toStdString();
    EXPECT_TRUE(Of(Findings(), "0059").isEmpty()) << Dump(Findings()).toStdString();
}

TEST_F(RecordChecksTest, ALeaveAfterTheDismissalNamesTheDismissalWithItsYear) {
    const valid::Row est = valid::Establishment(0, 1);
    Write(valid::ResponsibleAsInAFile(), {est},
          {valid::With(valid::Contract(est, 0), {{"CoCausaDesligamento", "11"},
                                                 {"DaDesligamentoEmpregado", "3006"},
                                                 {"CoMotivoPrimAfas", "40"},
                                                 {"DaInicioprimeiroAfas", "1007"},
                                                 {"DaFinalPrimeiroAfas", "2007"},
                                                 {"QtDiasAfas", "010"}})});
    Run(0);
    EXPECT_EQ(J(Of(Findings(), "3631")),
              J(QStringList({"3637:1007 err", "1640:30062009 err", "3637:2007 err", "1640:30062009 err"})))
        << Dump(Findings()).toStdString();
}

// Cases whose rows of one result must come exactly as listed (label:content kind),
// nothing more: the rows around a finding matter as much as the finding.
struct ExactRows {
    int recordType;
    valid::Row fields;
    const char* result;
    QStringList rows;
};

std::ostream& operator<<(std::ostream& os, const ExactRows& e) {
    os << "t" << e.recordType;
    for (auto it = e.fields.cbegin(); it != e.fields.cend(); ++it)
        os << " " << it.key().toStdString() << "=[" << it.value().toStdString() << "]";
    return os << " " << e.result;
}

class ExactRowsTest : public RecordChecksTest, public ::testing::WithParamInterface<ExactRows> {};

TEST_P(ExactRowsTest, WritesExactlyTheseRows) {
    const ExactRows& e = GetParam();
    // "WORKER" stands for the worker-union entity's CNPJ.
    valid::Row fields = e.fields;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        if (it.value() == QLatin1String("WORKER")) it.value() = valid::WorkerUnionCnpj();
    QStringList expected = e.rows;
    expected.replaceInStrings(QStringLiteral("WORKER"), valid::WorkerUnionCnpj());
    valid::Row resp = valid::ResponsibleAsInAFile();
    valid::Row est = valid::Establishment(0, 1);
    if (e.recordType == 0) resp = valid::With(resp, fields);
    if (e.recordType == 1) est = valid::With(est, fields);
    valid::Row contract = valid::Contract(est, 0);
    if (e.recordType == 2) contract = valid::With(contract, fields);
    Write(resp, {est}, {contract});
    Run();
    const QList<Row> rows = Findings();
    QList<Row> ofType;
    for (const Row& r : rows)
        if (r.type == QString::number(e.recordType)) ofType << r;
    EXPECT_EQ(J(Of(ofType, e.result)), J(expected)) << Dump(rows).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ExactRowsTest, ::testing::Values(
    // A refused state: neither the municipality nor the CEP is compared with it.
    ExactRows{0, {{"SgUfRespArquivo", "XX"}}, "0100", {"1612:XX err"}},
    ExactRows{0, {{"SgUfRespArquivo", "XX"}}, "0091", {}},
    // A receipt number on a declaration that is no amendment names the flag as "2".
    ExactRows{0, {{"CoCrea", "123456789012"}}, "3735", {"3736:123456789012 err", "1660:2 err"}},
    // A percentage above 100 is only doubtful: the modalities are still weighed.
    ExactRows{1, {{"PoServicoProprio", "150"}}, "3521", {"3612:150 war"}},
    ExactRows{1, {{"PoServicoProprio", "150"}}, "3526", {"3122:2 war", "3612:150 war", "3613:000 war", "3614:000 war",
                                                         "3615:000 war", "3616:000 war", "3617:000 war"}},
    ExactRows{1, {{"InParticipaPAT", "1"}}, "3626", {"3122:1 err", "3610:000000 err", "3611:000000 err"}},
    // The same union entity twice as association: both CNPJs named.
    ExactRows{2, {{"InSindicalizadoVinculo", "1"}, {"CoCNPJPrimAssociativa", "WORKER"}, {"CoCNPJSegAssociativa", "WORKER"}},
              "3745", {"3754:WORKER err", "3755:WORKER err"}}
));

// One field broken at a time: the finding's result, label and kind.
struct BrokenField {
    int recordType;  // 0 responsible, 1 establishment, 2 contract
    valid::Row fields;  // "SELF" stands for the establishment's own inscription
    const char* result;
    const char* label;
    const char* kind;
};

std::ostream& operator<<(std::ostream& os, const BrokenField& b) {
    os << "t" << b.recordType;
    for (auto it = b.fields.cbegin(); it != b.fields.cend(); ++it)
        os << " " << it.key().toStdString() << "=[" << it.value().toStdString() << "]";
    return os;
}

class BrokenFieldTest : public RecordChecksTest, public ::testing::WithParamInterface<BrokenField> {};

TEST_P(BrokenFieldTest, GivesItsFinding) {
    const BrokenField& b = GetParam();
    valid::Row resp = valid::ResponsibleAsInAFile();
    valid::Row est = valid::Establishment(0, 2);
    valid::Row over = b.fields;
    for (auto it = over.begin(); it != over.end(); ++it)
        if (it.value() == QLatin1String("SELF")) it.value() = est.value("CoCgcCeiEstabelecimento");
    if (b.recordType == 0) resp = valid::With(resp, over);
    if (b.recordType == 1) est = valid::With(est, over);
    valid::Row first = valid::Contract(est, 0);
    if (b.recordType == 2) first = valid::With(first, over);
    Write(resp, {est}, {first, valid::Contract(est, 1)});
    Run();
    const QList<Row> rows = Findings();
    bool found = false;
    for (const Row& r : rows)
        found = found || (r.type == QString::number(b.recordType) && r.result == QLatin1String(b.result) &&
                          r.label == QLatin1String(b.label) && r.kind == QLatin1String(b.kind));
    EXPECT_TRUE(found) << Dump(rows).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenFieldTest, ::testing::Values(
    BrokenField{0, {{"CoCgcCeiResponsavel", "12345678901234"}}, "0053", "1599", "err"},
    BrokenField{0, {{"InInscrResponsavel", "7"}}, "0129", "1601", "err"},
    BrokenField{0, {{"NoResponsavelArquivo", "AB"}}, "0010", "1604", "err"},
    BrokenField{0, {{"EdLogradouroRespArquivo", "RUAAAA"}}, "3100", "1605", "err"},
    BrokenField{0, {{"NuLogradouroRespArquivo", "12A"}}, "0040", "1606", "err"},
    BrokenField{0, {{"TxComplementoRespArquivo", "XXXX"}}, "3100", "1607", "err"},
    BrokenField{0, {{"NoBairroRespArquivo", "B\"C"}}, "0020", "1608", "err"},
    BrokenField{0, {{"CoCepRespArquivo", "00000000"}}, "0081", "1609", "err"},
    BrokenField{0, {{"CoMunicipioRespArquivo", "9999999"}}, "0090", "1610", "err"},
    BrokenField{0, {{"NoMunicipioRespArquivo", "CAMPINAS"}}, "3666", "3667", "err"},
    BrokenField{0, {{"SgUfRespArquivo", "XX"}}, "0100", "1612", "err"},
    BrokenField{0, {{"SgUfRespArquivo", "RJ"}}, "0091", "1612", "err"},
    BrokenField{0, {{"NuFoneDDD", "21"}}, "0402", "1613", "war"},
    BrokenField{0, {{"NuFoneAssinante", "1234567"}}, "3101", "1614", "err"},
    BrokenField{0, {{"DaGeracao", "99999999"}}, "0421", "1616", "err"},
    BrokenField{0, {{"TxEMailRespArquivo", "semarroba"}}, "3627", "1617", "err"},
    BrokenField{0, {{"CoCrea", "123456789012"}}, "3735", "3736", "err"},
    BrokenField{0, {{"CoCpfResponsavel", "12345678901"}}, "0210", "3737", "err"},
    BrokenField{0, {{"NoResponsavelDeclaracao", "X"}}, "3716", "3738", "err"},
    BrokenField{0, {{"DaNascimentoRespArquivo", "31022000"}}, "0175", "3760", "err"},
    BrokenField{1, {{"InOpcaoAberta", "0"}}, "1677", "1666", "err"},
    BrokenField{1, {{"AnBase", "2010"}}, "1911", "1658", "err"},
    BrokenField{1, {{"CoCgcCeiEstabelecimento", "12345678901234"}}, "0053", "1600", "err"},
    BrokenField{1, {{"InInscrEstabelecimento", "3"}}, "0135", "1601", "err"},
    BrokenField{1, {{"NuPrefixoEstabelecimento", "0"}}, "0062", "1602", "err"},
    BrokenField{1, {{"NoRazaoEstabelecimento", "AB"}}, "0010", "1604", "err"},
    BrokenField{1, {{"EdEstabelecimento", "RUAAAA"}}, "3100", "1605", "err"},
    BrokenField{1, {{"NuEnderecoEstabelecimento", "12A"}}, "0040", "1606", "err"},
    BrokenField{1, {{"TxComplemEstabelecimento", "XXXX"}}, "3100", "1607", "err"},
    BrokenField{1, {{"NoBairroEstabelecimento", "B\"C"}}, "0020", "1608", "err"},
    BrokenField{1, {{"CoCepEstabelecimento", "00000000"}}, "0081", "1609", "err"},
    BrokenField{1, {{"CoMunicipio", "9999999"}}, "0090", "1610", "err"},
    BrokenField{1, {{"NoMunicEstabelecimento", "CAMPINAS"}}, "3666", "3667", "war"},
    BrokenField{1, {{"SgUf", "XX"}}, "0100", "1612", "err"},
    BrokenField{1, {{"SgUf", "RJ"}}, "0091", "1612", "err"},
    BrokenField{1, {{"NuDDD", "21"}}, "0402", "1613", "war"},
    BrokenField{1, {{"NuTelefone", "1234567"}}, "3101", "1614", "err"},
    BrokenField{1, {{"TxEmailEstabelecimento", "semarroba"}}, "3627", "1617", "err"},
    BrokenField{1, {{"InPorte", "9"}}, "3124", "3520", "err"},
    BrokenField{1, {{"InOptanteSimples", "9"}}, "3604", "3123", "err"},
    BrokenField{1, {{"CoCnae2", "9999999"}}, "0361", "1618", "err"},
    BrokenField{1, {{"NoRazaoEstabelecimento", "PREFEITURA MUNICIPAL DE EXEMPLO"}}, "0363", "1618", "war"},
    BrokenField{1, {{"CoNaturezaJuridica", "9999"}}, "0371", "1619", "err"},
    BrokenField{1, {{"NuProprietEstabelecimento", "1"}}, "0040", "1621", "err"},
    BrokenField{1, {{"MeDataBase", "13"}}, "0071", "1620", "err"},
    BrokenField{1, {{"InZuvoNegEstabelecimento", "5"}}, "0140", "1622", "err"},
    BrokenField{1, {{"CoCgcVinculado", "12000000000000"}}, "0040", "1678", "err"},
    BrokenField{1, {{"CoCgcVinculado", "00123456789012"}}, "0430", "1603", "err"},
    BrokenField{1, {{"InEncerramentoAtividade", "1"}}, "3513", "1669", "err"},
    BrokenField{1, {{"InParticipaPAT", "9"}}, "3602", "3122", "err"},
    BrokenField{1, {{"NuVinculoPatMaior5", "12A"}}, "0040", "3610", "err"},
    BrokenField{1, {{"PoServicoProprio", "150"}}, "3521", "3612", "war"},
    BrokenField{1, {{"PoAdmCozinha", "1A0"}}, "0040", "3613", "err"},
    BrokenField{1, {{"CoCNPJSindical", "12345678901234"}}, "0059", "3652", "err"},
    BrokenField{1, {{"CoCNPJAssociativa", "12345678901234"}}, "3684", "3650", "err"},
    BrokenField{1, {{"CoCNPJAssistencial", "12345678901234"}}, "3690", "3654", "err"},
    BrokenField{1, {{"CoCNPJConfederativa", "12345678901234"}}, "3692", "3656", "err"},
    BrokenField{1, {{"VaGlobalSindical", "12A"}}, "0040", "3653", "err"},
    BrokenField{1, {{"VaGlobalAssociativa", "000001000"}}, "3744", "3651", "err"},
    BrokenField{1, {{"CoCNPJCentralizada", "12345678901234"}}, "3740", "3705", "err"},
    BrokenField{1, {{"InSindicalizada", "9"}}, "3704", "3703", "err"},
    BrokenField{1, {{"InAtividadeAnoBase", "9"}}, "3668", "3669", "err"},
    BrokenField{1, {{"TxUsoEstabelecimento", "AB\""}}, "0020", "1623", "err"},
    BrokenField{2, {{"CoPisPasepEmpregado", "12345678901"}}, "0150", "1624", "err"},
    BrokenField{2, {{"DaAdmissaoEmpregado", "32132005"}}, "0390", "1632", "err"},
    BrokenField{2, {{"DaAdmissaoEmpregado", "01032010"}}, "0391", "1632", "err"},
    BrokenField{2, {{"NoEmpregado", "JOSE"}}, "0161", "1625", "err"},
    BrokenField{2, {{"DaNascimentoEmpregado", "32131980"}}, "0175", "1626", "err"},
    BrokenField{2, {{"DaNascimentoEmpregado", "15051999"}}, "0173", "1626", "err"},
    BrokenField{2, {{"InDeficienteFisico", "1"}}, "3701", "3620", "err"},
    BrokenField{2, {{"CoTipoRaca", "3"}}, "0481", "1667", "err"},
    BrokenField{2, {{"CoNacionalidade", "99"}}, "0181", "1627", "err"},
    BrokenField{2, {{"InSexo", "5"}}, "3524", "3523", "err"},
    BrokenField{2, {{"AnChegadaEmpregado", "1990"}}, "0190", "1628", "err"},
    BrokenField{2, {{"CoInstrucao", "99"}}, "0201", "1629", "err"},
    BrokenField{2, {{"NuCartTrabEmpregado", "1234567A"}}, "0212", "0212", "err"},
    BrokenField{2, {{"SeCartTrabEmpregado", "12A"}}, "0213", "3700", "err"},
    BrokenField{2, {{"CoCpfEmpregado", "12345678901"}}, "0210", "1631", "err"},
    BrokenField{2, {{"CoTipoAdmissao", "9"}}, "0220", "1633", "err"},
    BrokenField{2, {{"VaSalContratualEmpregado", "12A"}}, "0040", "1634", "err"},
    BrokenField{2, {{"CoTipoSalarioContratual", "9"}}, "0240", "1635", "err"},
    BrokenField{2, {{"HoSemanaisEmpregado", "99"}}, "0250", "1636", "err"},
    BrokenField{2, {{"CoCbo", "999999"}}, "0260", "1637", "err"},
    BrokenField{2, {{"CoCbo", "111105"}}, "3645", "1637", "war"},
    BrokenField{2, {{"CoVinculo", "99"}}, "0270", "1638", "err"},
    BrokenField{2, {{"CoVinculo", "25"}}, "0271", "1638", "err"},
    BrokenField{2, {{"InAlvaraEmpregado", "9"}}, "0001", "3621", "err"},
    BrokenField{2, {{"CoCausaDesligamento", "99"}}, "0280", "1639", "err"},
    BrokenField{2, {{"DaDesligamentoEmpregado", "3299"}}, "0292", "1640", "err"},
    BrokenField{2, {{"CoCausaDesligamento", "11"}}, "0291", "1639", "err"},
    BrokenField{2, {{"VaAvisoPrevioEmpregado", "000010000"}}, "0335", "3511", "err"},
    BrokenField{2, {{"VaJaneiroEmpregado", ""}}, "0315", "1641", "err"},
    BrokenField{2, {{"VaJaneiroEmpregado", "000010000"}}, "3728", "1641", "war"},
    BrokenField{2, {{"VaFevereiroEmpregado", "001500000"}}, "0314", "1642", "war"},
    BrokenField{2, {{"Me13AdiantamentoEmpregado", "13"}}, "0322", "1653", "err"},
    BrokenField{2, {{"Va13AdiantamentoEmpregado", "12A"}}, "0040", "1654", "err"},
    BrokenField{2, {{"Me13ParcelaFinalEmpregado", "13"}}, "0322", "1655", "err"},
    BrokenField{2, {{"Va13ParcelaFinalEmpregado", "12A"}}, "0040", "1656", "err"},
    BrokenField{2, {{"Va13ParcelaFinalEmpregado", "009000000"}}, "0332", "1656", "war"},
    BrokenField{2, {{"CoMotivoPrimAfas", "15"}}, "3629", "3636", "err"},
    BrokenField{2, {{"DaInicioprimeiroAfas", "3002"}}, "3630", "3637", "err"},
    BrokenField{2, {{"CoMotivoSeguAfas", "10"}}, "3638", "3642", "err"},
    BrokenField{2, {{"QtDiasAfas", "400"}}, "3640", "3641", "err"},
    BrokenField{2, {{"TxUsoEmpregado", "AB\""}}, "0020", "1623", "err"},
    BrokenField{2, {{"CoMunicipioTrabalho", "9999999"}}, "0090", "3671", "err"},
    BrokenField{2, {{"CoCNPJSindical", "12345678901234"}}, "0059", "3652", "err"},
    BrokenField{2, {{"CoCNPJPrimAssociativa", "12345678901234"}}, "3757", "3754", "err"},
    BrokenField{2, {{"InSindicalizadoVinculo", "1"}}, "3702", "3703", "err"},
    BrokenField{2, {{"CoCNPJAssistencial", "12345678901234"}}, "3690", "3654", "err"},
    BrokenField{2, {{"CoCNPJConfederativa", "12345678901234"}}, "3692", "3656", "err"},
    BrokenField{2, {{"VaGlobalSindical", "12A"}}, "0040", "3653", "err"},
    BrokenField{2, {{"VaGlobalPrimAssociativa", "00001000"}}, "3744", "3651", "err"},
    BrokenField{2, {{"VaGlobalFerias", "00001000"}}, "3675", "3658", "err"},
    BrokenField{2, {{"VaGlobalGratificacoes", "00001000"}}, "3675", "3664", "war"},
    BrokenField{2, {{"QtCompBcoHoras", "05"}}, "3681", "3661", "err"},
    BrokenField{2, {{"HoTrabalhadasJaneiro", "1A0"}}, "0030", "3670", "err"},
    BrokenField{2, {{"HoTrabalhadasJaneiro", "300"}}, "3698", "3670", "war"},
    BrokenField{2, {{"InSindicalizadoVinculo", "9"}}, "3704", "3703", "err"},
    BrokenField{0, {{"NuLogradouroRespArquivo", "000000"}, {"TxComplementoRespArquivo", ""}}, "0120", "1607", "err"},
    BrokenField{1, {{"NuEnderecoEstabelecimento", "000000"}, {"TxComplemEstabelecimento", ""}}, "0120", "1606", "err"},
    BrokenField{0, {{"InRetificacao", "1"}, {"CoCrea", "000000000000"}}, "3734", "3736", "err"},
    BrokenField{1, {{"MeDataBase", "00"}}, "0070", "1620", "err"},
    BrokenField{1, {{"InParticipaPAT", "1"}}, "3626", "3122", "err"},
    BrokenField{1, {{"CoCNPJAssociativa", "SELF"}}, "3742", "3650", "err"},
    BrokenField{2, {{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "1005"}, {"DaFinalPrimeiroAfas", "0505"}, {"QtDiasAfas", "010"}}, "3633", "3637", "err"},
    BrokenField{2, {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3006"}, {"VaAvisoPrevioEmpregado", "000100000"}}, "0311", "1647", "war"},
    BrokenField{2, {{"CoCbo", "99999A"}}, "0040", "1637", "err"}
));

}  // namespace

// The year's pay against the 13th salary: paid in the year without a 13th
// (1676), a 13th without pay (1675), and a 13th above one and a half times
// the average of the months paid (3508). December counts like any month.
TEST_F(RecordChecksTest, YearPayAgainstTheThirteenthSalary) {
    static const char* const kMonths[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                          "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    struct Case {
        const char* what;
        const char* monthly;      // every month's pay
        const char* december;     // December's pay
        const char* advance;      // 13th: advance and final part
        const char* final_;
        QStringList w1676, w1675, w3508;
    };
    const QString none = "1665:Não há remuneração informada. war";
    const QList<Case> cases = {
        {"paid every month, no 13th", "000100000", "000100000", "000000000", "000000000", {none}, {}, {}},
        {"paid in December only, no 13th", "000000000", "000100000", "000000000", "000000000", {none}, {}, {}},
        {"a 13th without pay", "000000000", "000000000", "000075000", "000075000", {},
         {"1664:Não há remuneração informada. war"}, {}},
        {"13th at exactly 1.5 times the average", "000100000", "000100000", "000075000", "000075000", {}, {}, {}},
        {"13th one cent above 1.5 times the average", "000100000", "000100000", "000075000", "000075001", {}, {},
         {"1664:1200000 war", "1665:150001 war"}},
        {"December alone sets the average", "000000000", "000100000", "000075000", "000075001", {}, {},
         {"1664:100000 war", "1665:150001 war"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const valid::Row est = valid::Establishment(0, 1);
        valid::Row contract = valid::With(valid::Contract(est, 0), {{"VaSalContratualEmpregado", "000100000"},
                                                                    {"Va13AdiantamentoEmpregado", c.advance},
                                                                    {"Va13ParcelaFinalEmpregado", c.final_}});
        for (const char* m : kMonths)
            contract[QStringLiteral("Va%1Empregado").arg(QLatin1String(m))] =
                QLatin1String(qstrcmp(m, "Dezembro") == 0 ? c.december : c.monthly);
        Write(valid::ResponsibleAsInAFile(), {est}, {contract});
        Run(0);
        const QList<Row> found = Findings();
        EXPECT_EQ(J(Of(found, "1676")), J(c.w1676)) << Dump(found).toStdString();
        EXPECT_EQ(J(Of(found, "1675")), J(c.w1675)) << Dump(found).toStdString();
        EXPECT_EQ(J(Of(found, "3508")), J(c.w3508)) << Dump(found).toStdString();
    }
}
