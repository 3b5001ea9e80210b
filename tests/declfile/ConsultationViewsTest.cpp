// What the consultation pages show for a row, worked out without a display:
// the display rules of the summary, establishment and contract pages, the
// union totals, and codes that a lookup table does not hold.
#include "declfile/consulta/ConsultationViews.h"

#include <QMap>
#include <gtest/gtest.h>

using declfile::ConsultaLookup;
using declfile::ViewContent;

namespace {

using Row = QMap<QString, QString>;

declfile::RowValues rowOf(const Row& row) {
    return [row](const QString& field) { return row.value(field); };
}

// A few codes per table; anything else is missing.
std::optional<QString> fixtureLookup(ConsultaLookup table, const QString& code) {
    static const QMap<QPair<int, QString>, QString> names = {
        {{int(ConsultaLookup::Cnae), "4711302"}, "COMERCIO VAREJISTA"},
        {{int(ConsultaLookup::NaturezaJuridica), "2062"}, "SOCIEDADE LIMITADA"},
        {{int(ConsultaLookup::Nacionalidade), "10"}, "BRASILEIRA"},
        {{int(ConsultaLookup::Instrucao), "07"}, "MEDIO COMPLETO"},
        {{int(ConsultaLookup::Raca), "2"}, "BRANCA"},
        {{int(ConsultaLookup::Deficiente), "1"}, "FISICA"},
        {{int(ConsultaLookup::Admissao), "2"}, "REEMPREGO"},
        {{int(ConsultaLookup::Salario), "1"}, "MENSAL"},
        {{int(ConsultaLookup::Cbo), "513205"}, "COZINHEIRO GERAL"},
        {{int(ConsultaLookup::Vinculo), "10"}, "CLT URBANO"},
        {{int(ConsultaLookup::Desligamento), "11"}, "DISPENSA SEM JUSTA CAUSA"},
        {{int(ConsultaLookup::Afastamento), "40"}, "ACIDENTE DO TRABALHO"},
    };
    const auto it = names.constFind({int(table), code.trimmed()});
    if (it == names.constEnd()) return std::nullopt;
    return *it;
}

std::optional<QString> emptyLookup(ConsultaLookup, const QString&) { return std::nullopt; }

Row establishment(const Row& overrides = {}) {
    Row r{{"AnBase", "2009"},
          {"CoCgcCeiEstabelecimento", "11222333000181"},
          {"InInscrEstabelecimento", "1"},
          {"NuPrefixoEstabelecimento", "00"},
          {"CoCgcVinculado", "00000000000000"},
          {"NoRazaoEstabelecimento", "COMERCIO ALFA LTDA"},
          {"NuDDD", "11"},
          {"NuTelefone", "32223344"},
          {"NuEnderecoEstabelecimento", "000120"},
          {"CoCepEstabelecimento", "01310100"},
          {"CoMunicipio", "3550308"},
          {"CoCnae2", "4711302"},
          {"CoNaturezaJuridica", "2062"},
          {"NuProprietEstabelecimento", "02"},
          {"InZuvoNegEstabelecimento", "0"},
          {"NuVinculosEstabelecimento", "000042"},
          {"InPorte", "3"},
          {"InOptanteSimples", "2"},
          {"InEncerramentoAtividade", "2"},
          {"DaEncerramentoAtividade", "00000000"},
          {"InParticipaPAT", "2"},
          {"VaGlobalSindical", "123456789"},
          {"VaGlobalAssociativa", ""},
          {"CoCNPJSindical", "00000000000000"}};
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) r[it.key()] = it.value();
    return r;
}

ViewContent estView(const Row& overrides, const declfile::LookupName& lookup = fixtureLookup) {
    return declfile::EstablishmentViewContent(rowOf(establishment(overrides)), 2009, lookup);
}

Row contract(const Row& overrides = {}) {
    Row r{{"CoPisPasepEmpregado", "10000000001"},
          {"NoEmpregado", "MARIA JOSE"},
          {"DaNascimentoEmpregado", "15051980"},
          {"CoNacionalidade", "10"},
          {"AnChegadaEmpregado", "0000"},
          {"CoInstrucao", "07"},
          {"CoTipoRaca", "2"},
          {"InSexo", "1"},
          {"CoDeficienteFisico", "0"},
          {"CoCpfEmpregado", "12345678909"},
          {"DaAdmissaoEmpregado", "01032005"},
          {"CoTipoAdmissao", "2"},
          {"VaSalContratualEmpregado", "000150000"},
          {"CoTipoSalarioContratual", "1"},
          {"CoCbo", "513205"},
          {"CoVinculo", "10"},
          {"InAlvaraEmpregado", "2"},
          {"CoCausaDesligamento", "00"},
          {"DaDesligamentoEmpregado", "0000"},
          {"CoMunicipioTrabalho", "0000000"},
          {"CoMotivoPrimAfas", "00"},
          {"QtDiasAfas", "000"},
          {"VaJaneiroEmpregado", "000150000"},
          {"HoTrabalhadasJaneiro", "176"},
          {"HoTrabalhadasFevereiro", "000"},
          {"Me13AdiantamentoEmpregado", "11"},
          {"Me13ParcelaFinalEmpregado", "00"},
          {"VaGlobalSindical", "12345678"},
          {"QtCompBcoHoras", "00"},
          {"QtCompDissidio", "03"}};
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) r[it.key()] = it.value();
    return r;
}

ViewContent empView(const Row& overrides, const declfile::LookupName& lookup = fixtureLookup) {
    return declfile::EmployeeViewContent(rowOf(contract(overrides)), lookup);
}

// Amounts come right-aligned in a fixed width; blanks that stand for nothing
// are compared as they are.
std::string shown(const ViewContent& v, const char* control, const QString& expected) {
    const QString text = v.texts.value(QLatin1String(control));
    return (expected.startsWith(QLatin1Char(' ')) ? text : text.trimmed()).toStdString();
}

struct Case {
    const char* what;
    Row overrides;
    const char* control;
    QString expected;
};

}  // namespace

TEST(ConsultationViews, EstablishmentDisplayRules) {
    const Case cases[] = {
        {"inscription by its type", {}, "edInscricao", "11.222.333/0001-81"},
        {"CEI inscription", {{"CoCgcCeiEstabelecimento", "00123456789012"}, {"InInscrEstabelecimento", "3"}},
         "edInscricao", "12345.67890-12"},
        {"linked CEI all zeros", {}, "edCGCVinculado", ""},
        {"linked CEI", {{"CoCgcVinculado", "00123456789012"}}, "edCGCVinculado", "12345.67890-12"},
        {"total with employees", {}, "edTotalVinculos", "42"},
        {"total without employees", {{"InZuvoNegEstabelecimento", "1"}}, "edTotalVinculos", ""},
        {"ZUVO with employees", {}, "paZuvo", "ZUVO com Empregados"},
        {"ZUVO without employees", {{"InZuvoNegEstabelecimento", "1"}}, "paZuvo", "ZUVO sem Empregados"},
        {"size and Simples", {{"InPorte", "1"}, {"InOptanteSimples", "1"}}, "paTipoEmpresa",
         "Microempresa e Opta pelo Simples"},
        {"micro-entrepreneur", {{"InPorte", "4"}}, "paTipoEmpresa", "Microempreend. Ind."},
        {"unknown size", {{"InPorte", "9"}}, "paTipoEmpresa", " "},
        {"closed", {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30062009"}}, "paEncerrou",
         "Encerrou as Atividades: 30/06/2009"},
        {"not closed", {}, "paEncerrou", " "},
        {"closing next year", {{"DaEncerramentoAtividade", "15012010"}}, "paInfo", "Antecipação Ano-Base 2010"},
        {"closing this year", {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "15122009"}}, "paInfo",
         "Declaração Ano-Base 2009"},
        {"no closing date", {}, "paInfo", "Declaração Ano-Base 2009"},
        {"PAT", {{"InParticipaPAT", "1"}}, "paPAT", "Participa do PAT"},
        {"no PAT", {}, "paPAT", "Não Participa do PAT"},
        {"telephone", {}, "edTelefone", "(11)3222-3344"},
        {"zero telephone", {{"NuDDD", "00"}, {"NuTelefone", "00000000"}}, "edTelefone", ""},
        {"number without zeros", {}, "edNumero", "120"},
        {"zero number", {{"NuEnderecoEstabelecimento", "000000"}}, "edNumero", ""},
        {"postcode", {}, "edCEP", "01310-100"},
        {"municipality", {}, "edCodMunicipio", "35-50308"},
        {"activity named", {}, "edCNAE", "4711-30/2- COMERCIO VAREJISTA"},
        {"activity missing from its table", {{"CoCnae2", "9999999"}}, "edCNAE", "9999999"},
        {"legal nature named", {}, "edNatJuridica", "206-2- SOCIEDADE LIMITADA"},
        {"legal nature missing", {{"CoNaturezaJuridica", "1234"}}, "edNatJuridica", "1234"},
        {"owners", {}, "edNumeroProp", "2"},
        {"union CNPJ zeros", {}, "edCNPJSindicalE", ""},
        {"union CNPJ", {{"CoCNPJSindical", "11222333000181"}}, "edCNPJSindicalE", "11.222.333/0001-81"},
        // Nine digits with the cents: 1,234,567.89, not a tenth of it.
        {"union total of nine digits", {}, "edValorSindicalE", "1.234.567,89"},
        {"blank union total", {}, "edValorPrimAssociativaE", "0,00"},
    };
    for (const Case& c : cases) {
        const ViewContent v = estView(c.overrides);
        EXPECT_EQ(shown(v, c.control, c.expected), c.expected.toStdString()) << c.what;
    }
}

TEST(ConsultationViews, EstablishmentOptionsAndEmployeesButton) {
    ViewContent v = estView({{"InCentralizada", "1"}, {"InSindicalizada", "2"}});
    EXPECT_TRUE(v.checked.value("rbCentralizadaSim"));
    EXPECT_FALSE(v.checked.value("rbCentralizadaNao"));
    EXPECT_FALSE(v.checked.value("rbSindicalizadoSim"));
    EXPECT_TRUE(v.checked.value("rbSindicalizadoNao"));
    EXPECT_TRUE(v.enabled.value("bbEmpregados"));
    v = estView({{"InZuvoNegEstabelecimento", "1"}});
    EXPECT_FALSE(v.enabled.value("bbEmpregados"));
}

TEST(ConsultationViews, EmployeeDisplayRules) {
    const Case cases[] = {
        {"PIS/PASEP", {}, "edPISPASEP", "100.00000.00.1"},
        {"birth date", {}, "edDataNascimento", "15/05/1980"},
        {"nationality named", {}, "ednacionalidade", "10 - BRASILEIRA"},
        {"nationality missing", {{"CoNacionalidade", "99"}}, "ednacionalidade", "99"},
        {"arrival year zeros", {}, "edAnoChegada", ""},
        {"arrival year", {{"AnChegadaEmpregado", "1999"}}, "edAnoChegada", "1999"},
        {"sex 1", {}, "edSexo", "M"},
        {"sex 2", {{"InSexo", "2"}}, "edSexo", "F"},
        {"sex 3", {{"InSexo", "3"}}, "edSexo", " "},
        {"sex not a number", {{"InSexo", "X"}}, "edSexo", " "},
        {"not disabled", {}, "edDeficienteFisico", "0 -  Não é deficiente"},
        {"disability named", {{"CoDeficienteFisico", "1"}}, "edDeficienteFisico", "1 - FISICA"},
        {"disability missing", {{"CoDeficienteFisico", "7"}}, "edDeficienteFisico", "7"},
        {"CPF", {}, "edCPF", "123.456.789-09"},
        {"CPF zeros", {{"CoCpfEmpregado", "00000000000"}}, "edCPF", ""},
        {"admission", {}, "edDataAdmissao", "01/03/2005"},
        {"salary", {}, "edSalarioContratual", "1.500,00"},
        {"blank salary", {{"VaSalContratualEmpregado", ""}}, "edSalarioContratual", "0,00"},
        {"occupation", {}, "edCBO", "5132-05 - COZINHEIRO GERAL"},
        {"occupation missing", {{"CoCbo", "999999"}}, "edCBO", "999999"},
        {"permit yes", {{"InAlvaraEmpregado", "1"}}, "edAlvara", "Sim"},
        {"permit X", {{"InAlvaraEmpregado", "X"}}, "edAlvara", "Sim"},
        {"permit no", {}, "edAlvara", "Não"},
        {"no termination", {}, "edDesligamento", "   "},
        {"termination named", {{"CoCausaDesligamento", "11"}}, "edDesligamento", "11 - DISPENSA SEM JUSTA CAUSA"},
        {"termination missing", {{"CoCausaDesligamento", "77"}}, "edDesligamento", "77"},
        {"no termination date", {}, "edDataDesligamento", ""},
        {"termination date", {{"DaDesligamentoEmpregado", "1508"}}, "edDataDesligamento", "15/08"},
        {"workplace zeros", {}, "edLocalTrabalho", ""},
        {"workplace", {{"CoMunicipioTrabalho", "3550308"}}, "edLocalTrabalho", "35-50308"},
        {"no leave", {}, "dePrimCod", ""},
        {"no leave text", {}, "edTxPrimAfast", ""},
        {"leave code", {{"CoMotivoPrimAfas", "40"}}, "dePrimCod", "40"},
        {"leave named", {{"CoMotivoPrimAfas", "40"}}, "edTxPrimAfast", "ACIDENTE DO TRABALHO"},
        {"leave missing", {{"CoMotivoPrimAfas", "41"}}, "edTxPrimAfast", ""},
        {"leave start", {{"DaInicioprimeiroAfas", "0102"}}, "dePrimInicio", "01/02"},
        {"leave days zero", {}, "deAfastQtDias", ""},
        {"leave days", {{"QtDiasAfas", "045"}}, "deAfastQtDias", "045"},
        {"union CNPJ empty", {}, "edCNPJPrimAssociativa", ""},
        {"union value of eight digits", {}, "edValorSindical", "123.456,78"},
        {"blank union value", {}, "edValorAssistencial", "0,00"},
        {"monthly pay", {}, "edJaneiro", "1.500,00"},
        {"blank monthly pay", {}, "edMarco", "0,00"},
        {"hours", {}, "edHorasJaneiro", "176"},
        {"zero hours", {}, "edHorasFevereiro", ""},
        {"13th advance month", {}, "edAdiantamento", "11 - Novembro"},
        {"13th final month zero", {}, "edFinal", ""},
        {"blank 13th value", {}, "edValorFinal", "0,00"},
        {"blank termination pay", {}, "edValorGlobalFerias", "0,00"},
        {"months zero", {}, "edCompetenciaHoras", ""},
        {"months", {}, "edCompetenciaDissidio", "03"},
    };
    for (const Case& c : cases) {
        const ViewContent v = empView(c.overrides);
        EXPECT_EQ(shown(v, c.control, c.expected), c.expected.toStdString()) << c.what;
    }
}

TEST(ConsultationViews, CodesShowBareWithoutLookupTables) {
    const ViewContent v = empView({}, emptyLookup);
    EXPECT_EQ(v.texts.value("edTipoAdmissao"), "2");
    EXPECT_EQ(v.texts.value("edVinculo"), "10");
    EXPECT_EQ(v.texts.value("edCBO"), "513205");
    EXPECT_EQ(estView({}, emptyLookup).texts.value("edCNAE"), "4711302");
}

TEST(ConsultationViews, ResponsibleSummary) {
    Row r{{"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"}, {"NuLogradouroRespArquivo", "000123"},
          {"CoCepRespArquivo", "01001000"},          {"CoMunicipioRespArquivo", "3550308"},
          {"NuFoneDDD", "11"},                       {"NuFoneAssinante", "00123456"},
          {"DaNascimentoRespArquivo", "01011970"},   {"CoCpfResponsavel", "12345678909"},
          {"InRetificacao", "True"},                 {"DaRetificacao", "15012010"},
          {"CoCrea", "000000000000"}};
    ViewContent v = declfile::ResponsibleViewContent(rowOf(r));
    EXPECT_EQ(v.texts.value("edInscricao"), "11.222.333/0001-81");
    EXPECT_EQ(v.texts.value("edNumero"), "123");
    EXPECT_EQ(v.texts.value("mdCEP"), "01001-000");
    EXPECT_EQ(v.texts.value("mdCodMunicipio"), "35-50308");
    EXPECT_EQ(v.texts.value("edTelefone"), "(11)12-3456");
    EXPECT_EQ(v.texts.value("mdDataNascimento"), "01/01/1970");
    EXPECT_EQ(v.texts.value("edCPFResponsavel"), "123.456.789-09");
    EXPECT_TRUE(v.checked.value("ckRetificacao"));
    EXPECT_EQ(v.texts.value("mdDataRetificacao"), "15/01/2010");
    EXPECT_EQ(v.texts.value("edCoCrea"), "");

    // Type 2 keeps the stored inscription; a zero telephone and amendment
    // date show nothing.
    r["InInscrResponsavel"] = "2";
    r["NuFoneDDD"] = "00";
    r["NuFoneAssinante"] = "00000000";
    r["InRetificacao"] = "False";
    r["DaRetificacao"] = "00000000";
    r["CoCrea"] = "123456789012";
    v = declfile::ResponsibleViewContent(rowOf(r));
    EXPECT_EQ(v.texts.value("edInscricao"), "11222333000181");
    EXPECT_EQ(v.texts.value("edTelefone"), "");
    EXPECT_FALSE(v.checked.value("ckRetificacao"));
    EXPECT_EQ(v.texts.value("mdDataRetificacao"), "");
    EXPECT_EQ(v.texts.value("edCoCrea"), "123456789012");
}
