#include "platform/db/Table.h"
#include "platform/report/ReportRender.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"
#include "shell/udmRaveRelatorios.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

db::TableDef textTable(const QString& fileName, const QList<QPair<QString, int>>& columns) {
    db::TableDef def;
    def.fileName = fileName;
    for (const auto& c : columns) def.fields << db::textField(c.first, c.second);
    return def;
}

// The findings table of the whole-declaration check, as the check creates it.
db::TableDef Te8ErrWaDef() {
    return textTable(QStringLiteral("te8errwa.db"),
                     {{"errwar", 3}, {"inscricao", 14}, {"tipoinscricao", 1}, {"prefixo", 2}, {"tiporegistro", 1},
                      {"retorno", 4}, {"razaosocial", 52}, {"copispasep", 11}, {"noempregado", 52}, {"DaAdmissao", 8},
                      {"usoempresa", 12}, {"lbl", 4}, {"Conteudo", 52}, {"Sequencial", 6}, {"CoCgcVinculado", 14}});
}

db::TableDef Te8struDef() {
    return textTable(QStringLiteral("Te8stru.db"), {{"AnBase", 4}, {"CoMsg", 4}, {"Sequencia", 6}, {"InscricaoPrefixo", 16},
                                                    {"TipoCampo", 1}, {"PosicaoInicial", 3}, {"Conteudo", 20}});
}

db::TableDef TE8ImpDef() {
    return textTable(QStringLiteral("TE8Imp.db"),
                     {{"AnBase", 4}, {"CoCgcCeiEstabelecimento", 14}, {"NuPrefixoEstabelecimento", 2}, {"CoCgcVinculado", 14},
                      {"InInscrEstabelecimento", 1}, {"NuVinculosEstabelecimento", 6}, {"NuTotalDesligados", 6},
                      {"NuTotalDuplicados", 6}, {"NuTotalImportados", 6}, {"CoImp", 4}, {"Seq", 3}});
}

const QString kCnpj = QStringLiteral("12345678000195");
const QString kCnpjShown = QStringLiteral("12.345.678/0001-95");
const QString kCei = QStringLiteral("00123456789012");
const QString kCeiShown = QStringLiteral("12345.67890-12");
// The CEI formatted by the type of the row before it: what must not print.
const QString kCeiAsCnpj = QStringLiteral("00.123.456/7890-12");

class ReportModule : public ::testing::Test {
protected:
    void SetUp() override {
        dm = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = dm.get();
        // Set to look at the rendered files afterwards.
        if (qEnvironmentVariableIsSet("LOBRIX_KEEP_REPORTS")) {
            out.setAutoRemove(false);
            std::printf("reports in %s\n", qPrintable(out.path()));
        }
    }
    void TearDown() override {
        dm.reset();
        report::SetPrinterInstalledForTests(std::nullopt);
        report::SetSystemPrinterForTests(std::nullopt);
        report::SetPrintDialogRunnerForTests(nullptr);
        report::SetPreviewRunnerForTests(nullptr);
        report::SetPrintRunnerForTests(nullptr);
    }

    void fill(const db::TableDef& def, const QList<QMap<QString, QString>>& rows) {
        dmLobrix->dbZuvo->createTable(def);
        db::Table t(dmLobrix->dbZuvo, def.fileName);
        t.Open();
        for (const auto& r : rows) AppendRow(t, r);
        t.Close();
    }

    void fillErrors() {
        fill(Te8ErrWaDef(),
             {{{"errwar", "err"}, {"tiporegistro", "0"}, {"retorno", "0053"}, {"lbl", "1604"}, {"Conteudo", "FULANO"},
               {"Sequencial", "000001"}},
              {{"errwar", "err"}, {"inscricao", kCnpj}, {"tipoinscricao", "1"}, {"prefixo", "01"}, {"tiporegistro", "1"},
               {"retorno", "1673"}, {"razaosocial", "ACME COMERCIO LTDA"}, {"lbl", "1661"}, {"Conteudo", "0"},
               {"Sequencial", "000002"}},
              {{"errwar", "err"}, {"inscricao", kCei}, {"tipoinscricao", "3"}, {"prefixo", "02"}, {"tiporegistro", "2"},
               {"retorno", "1673"}, {"razaosocial", "OBRA CENTRO"}, {"copispasep", "12345678901"},
               {"noempregado", "MARIA DA SILVA"}, {"DaAdmissao", "01022009"}, {"lbl", "1634"}, {"Conteudo", "ABC"},
               {"Sequencial", "000003"}},
              {{"errwar", "war"}, {"inscricao", kCnpj}, {"tipoinscricao", "1"}, {"prefixo", "01"}, {"tiporegistro", "1"},
               {"retorno", "1670"}, {"razaosocial", "ACME COMERCIO LTDA"}, {"lbl", "1659"}, {"Conteudo", "3"},
               {"Sequencial", "000004"}}});
    }

    void selectFindings(const QString& kind) {
        dm->quErros.SetSQL(QStringLiteral("Select * \nfrom Te8ErrWA where errwar = :errwar"));
        dm->quErros.ParamByName(QStringLiteral("errwar")).AsString = kind;
    }

    // Runs a report to a PDF and to a text file; returns the two texts.
    std::pair<QString, QString> render(report::ReportProject& project, const QString& name, const QString& tag = {}) {
        EXPECT_TRUE(project.SelectReport(name));
        const QString pdf = out.filePath(name + tag + QStringLiteral(".pdf"));
        const QString txt = out.filePath(name + tag + QStringLiteral(".txt"));
        dm->RvSystem1.setDestination(report::Destination::PdfFile, pdf);
        EXPECT_TRUE(project.Execute());
        project.Close();
        dm->RvSystem1.setDestination(report::Destination::TextFile, txt);
        EXPECT_TRUE(project.Execute());
        project.Close();
        return {PdfText(pdf), ReadTextFile(txt)};
    }

    TempProgramWithModules program;
    std::unique_ptr<TdmRaveRelatorios> dm;
    QTemporaryDir out;
};

void expectAll(const QString& text, const QStringList& expected, const char* where) {
    for (const QString& e : expected) EXPECT_TRUE(text.contains(e)) << where << ": missing \"" << e.toStdString() << "\"";
}

}  // namespace

TEST_F(ReportModule, InscriptionFormatters) {
    struct Case {
        const char* type;
        const char* value;
        const char* shown;
    } cases[] = {
        {"1", "12345678000195", "12.345.678/0001-95"},
        {"3", "00123456789012", "12345.67890-12"},
        {"3", "123456789012", "12345.67890-12"},
        {"4", "12345678901", "123.456.789-01"},
        {"01", "12345678000195", ""},  // a prefix in the type's place: the stored value prints
        {"", "12345678000195", ""},
    };
    for (const Case& c : cases) {
        dm->GetTipoEstabelecimento(QString::fromLatin1(c.type));
        EXPECT_EQ(dm->DisplayCGCCei(QString::fromLatin1(c.value)), QString::fromLatin1(c.shown)) << c.type << c.value;
        dm->GetTipoResponsavel(QString::fromLatin1(c.type));
        EXPECT_EQ(dm->DisplayInscResponsavel(QString::fromLatin1(c.value)), QString::fromLatin1(c.shown)) << c.type;
    }
    EXPECT_EQ(dm->DisplayCPF(QStringLiteral("12345678901")), QStringLiteral("123.456.789-01"));
}

TEST_F(ReportModule, ValueFormatters) {
    using Fn = std::function<QString(const QString&)>;
    TdmRaveRelatorios& d = *dm;
    struct Case {
        const char* name;
        Fn fn;
        const char* value;
        const char* shown;
    } cases[] = {
        {"CeiVinculado", [&](const QString& v) { return d.DisplayCeiVinculado(v); }, "00000000000000", " "},
        {"CeiVinculado", [&](const QString& v) { return d.DisplayCeiVinculado(v); }, "00123456789012", "12345.67890-12"},
        {"CeiVinculado", [&](const QString& v) { return d.DisplayCeiVinculado(v); }, "", " "},
        {"CNPJ", [&](const QString& v) { return d.DisplayCNPJ(v); }, "00000000000000", " "},
        {"CNPJ", [&](const QString& v) { return d.DisplayCNPJ(v); }, "12345678000195", "12.345.678/0001-95"},
        {"Encerramento", [&](const QString& v) { return d.quProtocoloDaEncerramentoAtividadeGetText(v); }, "00000000", " "},
        {"Encerramento", [&](const QString& v) { return d.quProtocoloDaEncerramentoAtividadeGetText(v); }, "31122009", "31/12/2009"},
        // No date at all prints nothing, not "//".
        {"Encerramento", [&](const QString& v) { return d.quProtocoloDaEncerramentoAtividadeGetText(v); }, "", " "},
        {"Encerramento", [&](const QString& v) { return d.quProtocoloDaEncerramentoAtividadeGetText(v); }, "        ", " "},
        {"Datas", [&](const QString& v) { return d.DisplayDatas(v); }, "1503", "15/03"},
        {"Datas", [&](const QString& v) { return d.DisplayDatas(v); }, "0000", "-"},
        {"Datas", [&](const QString& v) { return d.DisplayDatas(v); }, "    ", ""},
        {"Trim", [&](const QString& v) { return d.DisplayTrim(v); }, "000", "-"},
        {"Trim", [&](const QString& v) { return d.DisplayTrim(v); }, "000120", "120"},
        {"TrimPAT", [&](const QString& v) { return d.DisplayTrimPAT(v); }, "050", "50%"},
        {"TrimPAT", [&](const QString& v) { return d.DisplayTrimPAT(v); }, "000", "0%"},
        {"TrimPAT", [&](const QString& v) { return d.DisplayTrimPAT(v); }, "100", "100%"},
        {"CodMunicipio", [&](const QString& v) { return d.DisplayCodMunicipio(v); }, "0000000", " "},
        {"CodMunicipio", [&](const QString& v) { return d.DisplayCodMunicipio(v); }, "3550308", "35-50308"},
        {"Branco", [&](const QString& v) { return d.DisplayBranco(v); }, "0000", " "},
        {"Branco", [&](const QString& v) { return d.DisplayBranco(v); }, "00000000000", " "},
        {"Branco", [&](const QString& v) { return d.DisplayBranco(v); }, "ACME", ""},
        {"Remuneracao", [&](const QString& v) { return d.DisplayRemuneracao(v); }, "000123456", "1.234,56"},
        {"Remuneracao", [&](const QString& v) { return d.DisplayRemuneracao(v); }, "000000000", "0,00"},
        {"Remuneracao", [&](const QString& v) { return d.DisplayRemuneracao(v); }, "123456789", "1.234.567,89"},
        {"Remuneracao", [&](const QString& v) { return d.DisplayRemuneracao(v); }, "", ""},
        {"Remuneracao", [&](const QString& v) { return d.DisplayRemuneracao(v); }, "12A", ""},
        {"ValorTotal9", [&](const QString& v) { return d.DisplayValorTotal(v, 9); }, "000123456", "1.234,56"},
        {"ValorTotal9", [&](const QString& v) { return d.DisplayValorTotal(v, 9); }, "000000000", "0,00"},
        {"ValorTotal8", [&](const QString& v) { return d.DisplayValorTotal(v, 8); }, "00000000", "0,00"},
        {"ValorTotal8", [&](const QString& v) { return d.DisplayValorTotal(v, 8); }, "00123456", "1.234,56"},
        {"ValorTotal8", [&](const QString& v) { return d.DisplayValorTotal(v, 8); }, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fn(QString::fromLatin1(c.value)), QString::fromUtf8(c.shown)) << c.name << " \"" << c.value << "\"";
}

TEST_F(ReportModule, TerminationDateTakesTheClosingYearOnlyWhenItIsTheNextYear) {
    struct Case {
        const char* closing;
        const char* termination;
        const char* shown;
    } cases[] = {
        {"", "1503", "15/03/2009"},
        {"00000000", "1503", "15/03/2009"},
        {"30062010", "1503", "15/03/2010"},
        {"31122009", "1503", "15/03/2009"},
        {"30062010", "0000", "-"},
        {"30062010", "", "-"},
    };
    for (const Case& c : cases) {
        dm->GetAnoEncerramento(QString::fromLatin1(c.closing));
        EXPECT_EQ(dm->DisplayDataDeslig(QString::fromLatin1(c.termination)), QString::fromLatin1(c.shown)) << c.closing;
    }
    EXPECT_EQ(dm->GetAnoEncerramento(QStringLiteral("30062010")), QStringLiteral("30/06/2010"));
    EXPECT_EQ(dm->GetAnoEncerramento(QStringLiteral("00000000")), QStringLiteral("-"));
}

TEST_F(ReportModule, InscriptionsFollowTheTypeOfTheirOwnRow) {
    // In both tables the inscription column comes before its type column.
    fillErrors();
    dm->quErros.SetSQL(QStringLiteral("select * from te8errwa where tiporegistro <> '0' order by Sequencial"));
    dm->rvdsErro.openFirst();
    QStringList shown;
    for (; !dm->quErros.Eof(); dm->quErros.Next()) shown << dm->rvdsErro.text(QStringLiteral("inscricao"));
    dm->quErros.Close();
    EXPECT_EQ(shown, (QStringList{kCnpjShown, kCeiShown, kCnpjShown}));

    fill(TE8ImpDef(), {{{"CoCgcCeiEstabelecimento", kCei}, {"InInscrEstabelecimento", "3"}},
                       {{"CoCgcCeiEstabelecimento", kCnpj}, {"InInscrEstabelecimento", "1"}}});
    dm->rvdsImportacao.openFirst();
    shown.clear();
    for (; !dm->ta8importacao.Eof(); dm->ta8importacao.Next())
        shown << dm->rvdsImportacao.text(QStringLiteral("Cocgcceiestabelecimento"));
    dm->ta8importacao.Close();
    EXPECT_EQ(shown, (QStringList{kCeiShown, kCnpjShown}));
}

TEST_F(ReportModule, ErrorReportListsTheFindingsWithTheirTextsAndParameters) {
    fillErrors();
    selectFindings(QStringLiteral("err"));
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), QStringLiteral("2009"));
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), QStringLiteral("2009.01.00"));
    const auto [pdf, txt] = render(dm->rvprjErro, QStringLiteral("rptErros"));
    const QStringList expected{QStringLiteral("Relatório de Erros"), QStringLiteral("Ano-base: 2009"),
                               QStringLiteral("Versão: 2009.01.00"), QStringLiteral("Responsável pela declaração"),
                               kCnpjShown, QStringLiteral("(01)"), QStringLiteral("ACME COMERCIO LTDA"), kCeiShown,
                               QStringLiteral("(02)"), QStringLiteral("MARIA DA SILVA"), QStringLiteral("123.45678.90.1"),
                               QStringLiteral("01/02/2009"), QStringLiteral("Quantidade de vínculos"),
                               QStringLiteral("Salário contratual"), QStringLiteral("Razão social/Nome"),
                               QStringLiteral("1673 - Estabelecimento declarado"), QStringLiteral("000003"),
                               QStringLiteral("Total de ocorrências: 3"), QStringLiteral("Página 1 de 1")};
    expectAll(pdf, expected, "pdf");
    expectAll(txt, expected, "text");
    for (const QString& t : {pdf, txt}) {
        EXPECT_FALSE(t.contains(kCeiAsCnpj));
        EXPECT_FALSE(t.contains(QStringLiteral("000004")));  // the warning is not among the errors
    }

    selectFindings(QStringLiteral("war"));
    const auto [pdfWar, txtWar] = render(dm->rvprjErro, QStringLiteral("rptErros"), QStringLiteral("-avisos"));
    for (const QString& t : {pdfWar, txtWar}) {
        expectAll(t, {QStringLiteral("Relatório de Avisos"), QStringLiteral("000004"), kCnpjShown, QStringLiteral("Ano-base: 2009")},
                  "warnings");
        EXPECT_FALSE(t.contains(QStringLiteral("MARIA DA SILVA")));
    }
}

TEST_F(ReportModule, FindingsReportIsTitledByTheKindOfListAskedFor) {
    fill(Te8ErrWaDef(), {});
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), QStringLiteral("2009"));
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), QStringLiteral("2009.01.00"));
    // An empty list of warnings, asked for with a bound value and with the
    // literal the report's callers splice in.
    struct Case {
        QString sql;
        QString kind;
        QString title;
        QString empty;
    } cases[] = {
        {QStringLiteral("Select * \nfrom Te8ErrWA where errwar = :errwar"), QStringLiteral("war"),
         QStringLiteral("Relatório de Avisos"), QStringLiteral("Nenhum aviso encontrado.")},
        {QStringLiteral("Select * \nfrom Te8ErrWA where errwar = 'war' "), QString(),
         QStringLiteral("Relatório de Avisos"), QStringLiteral("Nenhum aviso encontrado.")},
        {QStringLiteral("Select * \nfrom Te8ErrWA where errwar = \"err\" "), QString(),
         QStringLiteral("Relatório de Erros"), QStringLiteral("Nenhuma ocorrência encontrada.")},
    };
    int n = 0;
    for (const Case& c : cases) {
        dm->quErros.SetSQL(c.sql);
        if (!c.kind.isEmpty()) dm->quErros.ParamByName(QStringLiteral("errwar")).AsString = c.kind;
        const auto [pdf, txt] = render(dm->rvprjErro, QStringLiteral("rptErros"), QStringLiteral("-k%1").arg(n++));
        expectAll(txt, {c.title, c.empty}, qPrintable(c.sql));
        EXPECT_EQ(txt.contains(QStringLiteral("Relatório de Erros")), c.title == QStringLiteral("Relatório de Erros"));
    }
}

TEST_F(ReportModule, StructureReportShowsTheFindingWithItsRows) {
    fill(Te8struDef(),
         {{{"AnBase", "2009"}, {"CoMsg", "1919"}, {"Sequencia", "000005"}, {"InscricaoPrefixo", "1234567800019501"},
           {"TipoCampo", "1"}, {"Conteudo", "9"}},
          {{"AnBase", "2009"}, {"CoMsg", "1919"}, {"Sequencia", "000005"}, {"InscricaoPrefixo", "1234567800019501"},
           {"TipoCampo", "3"}, {"Conteudo", "000002"}},
          {{"AnBase", "2009"}, {"CoMsg", "1919"}, {"Sequencia", "000005"}, {"InscricaoPrefixo", "1234567800019501"},
           {"TipoCampo", "6"}, {"PosicaoInicial", "24"}, {"Conteudo", "1"}}});
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), QStringLiteral("2009"));
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), QStringLiteral("2009.01.00"));
    dm->rvprjErro.SetParam(QStringLiteral("anobase"), QStringLiteral("Atual - Ano 2009"));
    const auto [pdf, txt] = render(dm->rvprjErro, QStringLiteral("rptErrosEstrutura"));
    const QStringList expected{QStringLiteral("Relatório de Erros na Estrutura do Arquivo"), QStringLiteral("Ano-base: 2009"),
                               QStringLiteral("Arquivo: Atual - Ano 2009"), QStringLiteral("Versão: 2009.01.00"),
                               QStringLiteral("Erro 1919 - O total de estabelecimentos do registro de encerramento não confere."),
                               QStringLiteral("12.345.678/0001-95(01)"), QStringLiteral("000005"),
                               QStringLiteral("Total informado no registro tipo 9"),
                               QStringLiteral("Estabelecimentos no arquivo"), QStringLiteral("000002")};
    expectAll(pdf, expected, "pdf");
    expectAll(txt, expected, "text");
}

TEST_F(ReportModule, ImportReportCountsAndExplainsEachEstablishment) {
    fill(TE8ImpDef(),
         {{{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kCnpj}, {"NuPrefixoEstabelecimento", "01"},
           {"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000004"},
           {"NuTotalDesligados", "1"}, {"NuTotalDuplicados", "0"}, {"NuTotalImportados", "3"}},
          {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kCei}, {"NuPrefixoEstabelecimento", "G0"},
           {"CoCgcVinculado", "00987654321098"}, {"InInscrEstabelecimento", "3"}, {"NuVinculosEstabelecimento", "000002"},
           {"NuTotalDesligados", "0"}, {"NuTotalDuplicados", "0"}, {"NuTotalImportados", "2"}, {"CoImp", "1505"}, {"Seq", "1"}},
          {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", "11111111000100"}, {"NuPrefixoEstabelecimento", "01"},
           {"InInscrEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000007"}, {"NuTotalDesligados", "0"},
           {"NuTotalDuplicados", "0"}, {"NuTotalImportados", "0"}, {"CoImp", "0053"}, {"Seq", "2"}},
          {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kCnpj}, {"NuPrefixoEstabelecimento", "G1"},
           {"InInscrEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000001"}, {"NuTotalDesligados", "0"},
           {"NuTotalDuplicados", "1"}, {"NuTotalImportados", "0"}, {"CoImp", "1505"}, {"Seq", "1"}}});
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), QStringLiteral("2009"));
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), QStringLiteral("2009.01.00"));
    dm->rvprjErro.SetParam(QStringLiteral("anobase"), QStringLiteral("2008"));
    const auto [pdf, txt] = render(dm->rvprjErro, QStringLiteral("rptImportacao"));
    const QStringList expected{QStringLiteral("Relatório de Importação"), QStringLiteral("Ano-base: 2009"),
                               QStringLiteral("Arquivo importado do ano 2008"), QStringLiteral("Versão: 2009.01.00"),
                               kCnpjShown, kCeiShown, QStringLiteral("98765.43210-98"), QStringLiteral("G0"),
                               QStringLiteral("(1)"), QStringLiteral("(2)"),
                               QStringLiteral("1505 - Estabelecimento já cadastrado com outro CEI/CNPJ vinculado"),
                               QStringLiteral("0053 - Inscrição inválida"), QStringLiteral("Estabelecimentos selecionados"),
                               QStringLiteral("Vínculos importados"),
                               // column titles whole, not broken inside a word
                               QStringLiteral("Desligados"), QStringLiteral("Duplicados"), QStringLiteral("Importados")};
    expectAll(pdf, expected, "pdf");
    expectAll(txt, expected, "text");
    for (const QString& t : {pdf, txt}) {
        EXPECT_FALSE(t.contains(kCeiAsCnpj));
        EXPECT_FALSE(t.contains(QStringLiteral("000004")));  // the contract count prints without its zeros
        EXPECT_EQ(t.count(QStringLiteral("1505 - ")), 1);     // one legend line per code
        EXPECT_FALSE(t.contains(QStringLiteral("()")));        // rows without a code have no legend line
    }
    // Totals: 4 establishments, 5 imported, 1 duplicate, 1 skipped.
    const QStringList lines = txt.split(QLatin1Char('\n'));
    auto lineWith = [&lines](const QString& s) {
        for (const QString& l : lines)
            if (l.contains(s)) return l.simplified();
        return QString();
    };
    EXPECT_TRUE(txt.simplified().contains(QStringLiteral("Estabelecimentos selecionados 4")));
    EXPECT_EQ(lineWith(QStringLiteral("Vínculos importados")), QStringLiteral("Vínculos importados 5"));
    EXPECT_EQ(lineWith(QStringLiteral("Vínculos já existentes")), QStringLiteral("Vínculos já existentes (não importados) 1"));
}

TEST_F(ReportModule, LayoutCardPrintsEveryRecordTypeWithTheParameters) {
    dm->RvProject2.SetParam(QStringLiteral("Versao"), QStringLiteral("2009.01.00"));
    dm->RvProject2.SetParam(QStringLiteral("AnoBase"), QStringLiteral("2009"));
    dm->RvProject2.SetParam(QStringLiteral("TipoRelatorio"), QStringLiteral("Descrição do arquivo ZUVO2009"));
    const auto [pdf, txt] = render(dm->RvProject2, QStringLiteral("Cartela"));
    const QStringList expected{QStringLiteral("Descrição do arquivo ZUVO2009"), QStringLiteral("Versão: 2009.01.00"),
                               QStringLiteral("Ano-base: 2009"), QStringLiteral("Registro tipo 0"),
                               QStringLiteral("Registro tipo 1"), QStringLiteral("Registro tipo 2"),
                               QStringLiteral("Registro tipo 9"), QStringLiteral("Ano-base (2009)"),
                               QStringLiteral("Remuneração de dezembro"), QStringLiteral("261 a 269"),
                               QStringLiteral("519 a 550"), QStringLiteral("552 bytes")};
    expectAll(pdf, expected, "pdf");
    expectAll(txt, expected, "text");
    EXPECT_GE(PdfPageCount(out.filePath(QStringLiteral("Cartela.pdf"))), 4);
}

TEST_F(ReportModule, LayoutCardWithoutPrinterPreviewsWithoutPrintingAndWillNotPrint) {
    report::SetPrinterInstalledForTests(false);
    int printed = 0;
    report::SetPrintRunnerForTests([&printed](const report::Document&, const QString&) { ++printed; });
    int previews = 0;
    report::SetPreviewRunnerForTests([&previews](QPrintPreviewDialog& dialog) {
        ++previews;
        for (QAction* a : dialog.findChildren<QAction*>())
            if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) {
                EXPECT_FALSE(a->isVisible());
                EXPECT_FALSE(a->isEnabled());
            }
    });
    {
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        EmitirCartela(QStringLiteral("2009.01.00"), 2009);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Error);
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        EXPECT_EQ(printed, 0);
        EXPECT_EQ(previews, 0);
    }
    {
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        VisualizarCartela(QStringLiteral("2009.01.00"), 2009);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Warning);
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Não há impressoras instaladas."));
        EXPECT_EQ(previews, 1);
        EXPECT_EQ(printed, 0);
    }
    EXPECT_FALSE(dm->RvSystem1.allowPrintFromPreview);
    EXPECT_EQ(dm->RvProject2.GetParam(QStringLiteral("TipoRelatorio")), QStringLiteral("Descrição do arquivo ZUVO2009"));
    EXPECT_EQ(dm->RvProject2.GetParam(QStringLiteral("AnoBase")), QStringLiteral("2009"));
    EXPECT_EQ(dm->RvProject2.GetParam(QStringLiteral("Versao")), QStringLiteral("2009.01.00"));
}

TEST_F(ReportModule, LayoutCardWithoutSystemPrinterPrintsToAPdfFile) {
    // The machine as most desktops have it: no printer of its own, so the PDF
    // file is the printer, offered under the report's name.
    report::SetSystemPrinterForTests(false);
    QStringList offered;
    QString answer;  // the file the user picks; empty cancels
    report::SetPrintDialogRunnerForTests([&](QPrinter& printer) {
        EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
        offered << QFileInfo(printer.outputFileName()).fileName();
        if (answer.isEmpty()) return false;
        printer.setOutputFileName(answer);
        return true;
    });
    ScriptedMessages boxes;  // no "no printer" box of any kind

    answer = out.filePath(QStringLiteral("emitida.pdf"));
    EmitirCartela(QStringLiteral("2009.01.00"), 2009);
    EXPECT_TRUE(PdfText(answer).contains(QStringLiteral("Descrição do arquivo ZUVO2009")));

    // From the preview: the print command is there and prints to the file.
    answer = out.filePath(QStringLiteral("da visualizacao.pdf"));
    bool printOffered = false;
    report::SetPreviewRunnerForTests([&printOffered](QPrintPreviewDialog& dialog) {
        for (QAction* a : dialog.findChildren<QAction*>())
            if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print") && a->isVisible() &&
                a->isEnabled()) {
                printOffered = true;
                a->trigger();
            }
    });
    VisualizarCartela(QStringLiteral("2009.01.00"), 2009);
    EXPECT_TRUE(printOffered);
    const QString text = PdfText(answer);
    EXPECT_TRUE(text.contains(QStringLiteral("Descrição do arquivo ZUVO2009")));
    EXPECT_TRUE(text.contains(QStringLiteral("552 bytes")));

    // Cancelling the print dialog prints nothing and says nothing.
    answer.clear();
    EmitirCartela(QStringLiteral("2009.01.00"), 2009);
    EXPECT_EQ(offered, QStringList({"Cartela.pdf", "Cartela.pdf", "Cartela.pdf"}));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(dm->RvSystem1.allowPrintFromPreview);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(ReportModule, LayoutCardWithPrinterPrintsAndPreviewsWithPrinting) {
    report::SetPrinterInstalledForTests(true);
    QStringList printed;
    report::SetPrintRunnerForTests([&printed](const report::Document& doc, const QString& job) {
        printed << job << report::renderText(doc);
    });
    bool printVisible = false;
    report::SetPreviewRunnerForTests([&printVisible](QPrintPreviewDialog& dialog) {
        for (QAction* a : dialog.findChildren<QAction*>())
            if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) printVisible = a->isVisible();
    });
    ScriptedMessages boxes;  // no box expected
    EmitirCartela(QStringLiteral("2009.01.00"), 2009);
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(printed[0], QStringLiteral("ReportPrinter Report"));
    EXPECT_TRUE(printed[1].contains(QStringLiteral("Descrição do arquivo ZUVO2009")));
    VisualizarCartela(QStringLiteral("2009.01.00"), 2009);
    EXPECT_TRUE(printVisible);
    EXPECT_TRUE(boxes.shown().isEmpty());
    // The printer run did not leave the printer as the destination of the next run.
    EXPECT_EQ(dm->RvSystem1.destination(), report::Destination::Preview);
}

TEST_F(ReportModule, ClosingTheProjectClosesWhatTheRunOpened) {
    fillErrors();
    selectFindings(QStringLiteral("err"));
    dm->rvprjErro.SelectReport(QStringLiteral("rptErros"));
    dm->RvSystem1.setDestination(report::Destination::TextFile, out.filePath(QStringLiteral("e.txt")));
    ASSERT_TRUE(dm->rvprjErro.Execute());
    EXPECT_TRUE(dm->quErros.Active());
    EXPECT_TRUE(dm->ta8Msg.Active());
    dm->rvprjErro.Close();
    EXPECT_FALSE(dm->quErros.Active());
    EXPECT_FALSE(dm->ta8Msg.Active());
    // The findings table can be replaced by the next check run.
    dmLobrix->dbZuvo->createTable(Te8ErrWaDef());
}

TEST_F(ReportModule, PreviewGoesThroughTheModalFormSeam) {
    report::SetPrinterInstalledForTests(true);
    QString shownClass;
    forms::SetModalHandler([&shownClass](QWidget* form) {
        shownClass = QString::fromLatin1(form->metaObject()->className());
        return int(forms::mrCancel);
    });
    VisualizarCartela(QStringLiteral("2009.01.00"), 2009);
    forms::SetModalHandler(nullptr);
    EXPECT_EQ(shownClass, QStringLiteral("QPrintPreviewDialog"));
}
