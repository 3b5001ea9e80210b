#include "platform/report/ReportEngine.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TickList.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/UfmRelatorio02.h"
#include "shell/UfmRelatorio03.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ufmRelatorio01.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kCei = QStringLiteral("00123456789012");
const QString kCeiShown = QStringLiteral("12345.67890-12");
const QString kCnpj = QStringLiteral("11111111000111");

QPushButton* button(QWidget* page, const char* name) { return page->findChild<QPushButton*>(QString::fromLatin1(name)); }
using gui::clickChild;
void clickRadio(QWidget* page, const char* name) {
    QTest::mouseClick(page->findChild<QRadioButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}
void choose(QWidget* page, const char* group, int item) {
    auto* g = page->findChild<ui::RadioGroup*>(QString::fromLatin1(group));
    QTest::mouseClick(g->Button(item), Qt::LeftButton);
}
void tick(forms::TickList* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}
forms::TickList* list(QWidget* page, const char* name) { return page->findChild<forms::TickList*>(QString::fromLatin1(name)); }
// A failed count ends the wizard rather than leaving it open.
bool expectLines(QWidget* page, forms::TickList* l, int count) {
    EXPECT_EQ(l->count(), count);
    if (l->count() == count) return true;
    clickChild(page, "btCancelar");
    return false;
}
int step(const std::function<void(QWidget*)>& f, QWidget* p) {
    f(p);
    return int(forms::mrNone);
}

// A CNPJ establishment and a CEI one closed in 2010, with contracts; the
// person responsible.
class PrintWizard : public ::testing::Test {
protected:
    void SetUp() override {
        dm = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = dm.get();
        report::SetPrinterInstalledForTests(true);
        report::SetPreviewRunnerForTests([this](QPrintPreviewDialog& dialog) {
            ++previews;
            for (QAction* a : dialog.findChildren<QAction*>())
                if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) printVisible = a->isVisible();
            text = PreviewPdfText(dialog, out.filePath(QStringLiteral("preview%1.pdf").arg(previews)));
        });
        fill("Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB");
    }
    void TearDown() override {
        report::SetPreviewRunnerForTests(nullptr);
        report::SetPrinterInstalledForTests(std::nullopt);
        report::SetSystemPrinterForTests(std::nullopt);
        report::SetPrintDialogRunnerForTests(nullptr);
        dm.reset();
    }
    static void fill(const QString& emp, const QString& vinc, const QString& resp) {
        auto database = dmLobrix->dbZuvo;
        db::Table e(database, emp);
        e.Open();
        AppendRow(e, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kCnpj}, {"NuPrefixoEstabelecimento", "01"},
                      {"NoRazaoEstabelecimento", "EMPRESA CNPJ"}, {"InInscrEstabelecimento", "1"},
                      {"InEncerramentoAtividade", "2"}, {"DaEncerramentoAtividade", "00000000"},
                      {"CoCNPJCentralizada", "00000000000000"}});
        AppendRow(e, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kCei}, {"NuPrefixoEstabelecimento", "00"},
                      {"NoRazaoEstabelecimento", "OBRA CEI"}, {"InInscrEstabelecimento", "3"},
                      {"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30062010"},
                      {"CoCNPJCentralizada", "00000000000000"}});
        db::Table v(database, vinc);
        v.Open();
        const QList<QStringList> contracts = {
            {kCei, "00", "10000000001", "CARLOS", "000123456", "1503", "000003"},
            {kCei, "00", "10000000002", "ALICE", "000000100", "0000", "000001"},
            {kCei, "00", "10000000003", "BRUNO", "000000200", "0000", "000002"},
            {kCnpj, "01", "10000000004", "DORA", "000000300", "0000", "000001"},
        };
        for (const QStringList& c : contracts)
            AppendRow(v, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", c[0]}, {"NuPrefixoEstabelecimento", c[1]},
                          {"CoPisPasepEmpregado", c[2]}, {"NoEmpregado", c[3]}, {"DaAdmissaoEmpregado", "01012009"},
                          {"VaJaneiroEmpregado", c[4]}, {"DaDesligamentoEmpregado", c[5]}, {"NuSequencialRegistro", c[6]},
                          {"CoCNPJPrimAssociativa", "98765432000198"}});
        db::Table r(database, resp);
        r.Open();
        AppendRow(r, {{"NoResponsavelArquivo", "CONTADOR RESPONSAVEL"}, {"InInscrResponsavel", "1"},
                      {"CoCgcCeiResponsavel", kCnpj}, {"CoCepRespArquivo", "01310100"},
                      {"DaNascimentoRespArquivo", "10071970"}, {"DaRetificacao", "00000000"},
                      {"CoMunicipioRespArquivo", "3550308"}, {"NuLogradouroRespArquivo", "000050"}});
    }

    TempProgramWithModules program;
    std::unique_ptr<TdmRaveRelatorios> dm;
    QTemporaryDir out;
    int previews = 0;
    bool printVisible = false;
    QString text;
};

}  // namespace

TEST_F(PrintWizard, SummaryByNameOfACeiEstablishmentListsExactlyItsTickedContracts) {
    ScriptedMessages boxes;
    FormsScript script;
    script.expect("fmRelatorio03", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio02", [](QWidget* p) {
        return step([](QWidget* p) {
            choose(p, "rgTipo", 1);
            clickChild(p, "BtAvancar");
        }, p);
    });
    script.expect("fmRelatorio00", [](QWidget* p) {
        return step([](QWidget* p) {
            choose(p, "rgClassificacao", 1);
            clickChild(p, "BtAvancar");
        }, p);
    });
    script.expect("fmRelatorio01", [](QWidget* p) {
        return step([](QWidget* p) {
            forms::TickList* empresas = list(p, "clbEmpresas");
            if (!expectLines(p, empresas, 2)) return;
            // In key order: the CEI first.
            EXPECT_TRUE(empresas->item(0)->text().startsWith(kCeiShown + "        00    OBRA CEI"));
            tick(empresas, 0);
            clickRadio(p, "rbImprimParcial");
            forms::TickList* empregados = list(p, "clbEmpregados");
            if (!expectLines(p, empregados, 3)) return;
            // By name: ALICE, BRUNO, CARLOS.
            EXPECT_TRUE(empregados->item(0)->text().startsWith("ALICE"));
            tick(empregados, 0);
            tick(empregados, 2);
            clickChild(p, "bbVisualizar");
            clickChild(p, "btCancelar");
        }, p);
    });
    ShowPrintWizard();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    ASSERT_EQ(previews, 1);
    EXPECT_TRUE(text.contains("Relatório Resumido do Estabelecimento")) << text.toStdString();
    // (the PDF text joins "fi" into one ligature)
    EXPECT_TRUE(text.contains("ção: Nome do empregado")) << text.toStdString();
    EXPECT_TRUE(text.contains(kCeiShown));
    EXPECT_TRUE(text.contains("Desligamento")) << text.toStdString();  // a column title, whole
    EXPECT_TRUE(text.contains("ALICE"));
    EXPECT_TRUE(text.contains("CARLOS"));
    EXPECT_FALSE(text.contains("BRUNO"));
    EXPECT_FALSE(text.contains("DORA"));
    EXPECT_LT(text.indexOf("ALICE"), text.indexOf("CARLOS"));
}

TEST_F(PrintWizard, CompleteReportFormatsInscriptionAmountsAndTerminationYear) {
    ScriptedMessages boxes;
    FormsScript script;
    // The menu's "Declaração" starts on the second page, without Back.
    script.expect("fmRelatorio02", [](QWidget* p) {
        return step([](QWidget* p) {
            EXPECT_FALSE(button(p, "BtVoltar")->isVisible());
            EXPECT_EQ(p->findChild<QLabel*>("lblAno")->text(), "Ano-Base da declaração 2009");
            clickChild(p, "BtAvancar");
        }, p);
    });
    script.expect("fmRelatorio00", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio01", [](QWidget* p) {
        return step([](QWidget* p) {
            tick(list(p, "clbEmpresas"), 0);
            clickChild(p, "bbVisualizar");
            clickChild(p, "btCancelar");
        }, p);
    });
    ShowPrintWizardDeclaration();
    EXPECT_EQ(script.pending(), 0);
    ASSERT_EQ(previews, 1);
    EXPECT_TRUE(text.contains("Relatório Completo do Estabelecimento")) << text.toStdString();
    EXPECT_TRUE(text.contains(kCeiShown));
    EXPECT_TRUE(text.contains("1.234,56"));
    // The establishment closed in 2010: its terminations fall in 2010.
    EXPECT_TRUE(text.contains("15/03/2010"));
    EXPECT_TRUE(text.contains("30/06/2010"));
    EXPECT_TRUE(text.contains("CONTADOR RESPONSAVEL"));
    // The person responsible's postcode and dates as such; nothing made of
    // an empty date or centralising CNPJ.
    EXPECT_TRUE(text.contains("01310-100")) << text.toStdString();
    EXPECT_TRUE(text.contains("10/07/1970")) << text.toStdString();
    // The employees' heading starts a page with its first contract, never
    // alone at the foot of the one before.
    for (const QString& page : text.split(QLatin1Char('\f'))) {
        const qsizetype at = page.indexOf("Empregados/Servidores");
        if (at >= 0) EXPECT_TRUE(page.mid(at).contains(QRegularExpression("\\b1\\. [A-Z]+"))) << page.toStdString();
    }
    // A union CNPJ whole in its column; the responsible's municipality and
    // street number printed as the establishment's are.
    EXPECT_TRUE(text.contains("98.765.432/0001-98")) << text.toStdString();
    EXPECT_TRUE(text.contains("35-50308")) << text.toStdString();
    for (const char* raw : {"01310100", "10071970", "00/00/0000", "00.000.000/0000-00", "3550308", "000050"})
        EXPECT_FALSE(text.contains(raw)) << raw;
    EXPECT_FALSE(text.contains(QRegularExpression("cação\\s+00000000"))) << text.toStdString();
    EXPECT_TRUE(text.contains("ALICE") && text.contains("BRUNO") && text.contains("CARLOS"));
    EXPECT_FALSE(text.contains("DORA"));
    EXPECT_TRUE(printVisible);
}

TEST_F(PrintWizard, RefusalsAndNoPrinter) {
    report::SetPrinterInstalledForTests(false);
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    FormsScript script;
    script.expect("fmRelatorio02", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio00", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio01", [](QWidget* p) {
        return step([](QWidget* p) {
            clickChild(p, "bbVisualizar");  // nothing ticked
            forms::TickList* empresas = list(p, "clbEmpresas");
            tick(empresas, 0);
            tick(empresas, 1);
            clickRadio(p, "rbImprimParcial");  // two ticked: back to Total
            EXPECT_TRUE(p->findChild<QRadioButton*>("rbImprimTotal")->isChecked());
            tick(empresas, 1);  // the CEI stays ticked
            clickRadio(p, "rbImprimParcial");
            // Ticking another establishment in "Parcial" unticks the first
            // and lists its employees.
            tick(empresas, 1);
            EXPECT_FALSE(empresas->IsTicked(0));
            EXPECT_EQ(list(p, "clbEmpregados")->count(), 1);
            tick(empresas, 1);
            tick(empresas, 0);
            EXPECT_FALSE(empresas->IsTicked(1));
            EXPECT_EQ(list(p, "clbEmpregados")->count(), 3);
            clickChild(p, "bbVisualizar");  // no employee ticked
            clickRadio(p, "rbSelecaoTodos");
            clickChild(p, "bbVisualizar");  // previews, without printing
            clickChild(p, "btCancelar");
        }, p);
    });
    ShowPrintWizardDeclaration();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(boxes.texts(), QStringList({"É necessário selecionar uma empresa antes de imprimir",
                                          "Não pode imprimir mais de um estabelecimento parcial por vez.",
                                          "É necessário selecionar um empregado antes de imprimir",
                                          "Não é possível imprimir: não há impressoras instaladas."}));
    // The refusal of a second partial establishment warns as the other boxes
    // of the program do (icon and title).
    ASSERT_EQ(boxes.shown().size(), 4);
    EXPECT_EQ(boxes.shown()[1].kind, msg::BoxKind::Warning);
    ASSERT_EQ(previews, 1);
    EXPECT_FALSE(printVisible);
    EXPECT_TRUE(text.contains("ALICE") && text.contains("BRUNO") && text.contains("CARLOS"));
    EXPECT_FALSE(text.contains("DORA"));
    EXPECT_FALSE(dm->RvSystem1.allowPrintFromPreview);
}

// A desktop with no printer of its own: the preview prints to the PDF file
// the user names in the print dialog, and nothing says there is no printer.
TEST_F(PrintWizard, WithoutAPrinterTheReportIsPrintedToAPdfFile) {
    report::SetPrinterInstalledForTests(std::nullopt);
    report::SetSystemPrinterForTests(false);
    const QString pdf = out.filePath(QStringLiteral("declaracao.pdf"));
    QString offered;
    report::SetPrintDialogRunnerForTests([&](QPrinter& printer) {
        offered = QFileInfo(printer.outputFileName()).fileName();
        printer.setOutputFileName(pdf);
        return true;
    });
    report::SetPreviewRunnerForTests([this](QPrintPreviewDialog& dialog) {
        ++previews;
        for (QAction* a : dialog.findChildren<QAction*>())
            if (a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print") && a->isVisible() &&
                a->isEnabled())
                a->trigger();
    });
    ScriptedMessages boxes;  // no box of any kind
    FormsScript script;
    script.expect("fmRelatorio02", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio00", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio01", [](QWidget* p) {
        return step([](QWidget* p) {
            tick(list(p, "clbEmpresas"), 0);
            clickChild(p, "bbVisualizar");
            clickChild(p, "btCancelar");
        }, p);
    });
    ShowPrintWizardDeclaration();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(offered, QStringLiteral("RelatorioCompleto.pdf"));
    const QString printed = PdfText(pdf);
    EXPECT_TRUE(printed.contains("Relatório Completo do Estabelecimento")) << printed.toStdString();
    EXPECT_TRUE(printed.contains(kCeiShown));
    EXPECT_TRUE(printed.contains("ALICE") && printed.contains("BRUNO") && printed.contains("CARLOS"));
    EXPECT_TRUE(dm->RvSystem1.allowPrintFromPreview);
}

TEST_F(PrintWizard, ConsultationReportsTheWorkingTablesOfItsYear) {
    for (const char* t : {"Emp", "Vinc", "Resp"})
        CopyTableStructure(QStringLiteral("BD8") + t, QStringLiteral("Te8") + t, *dmLobrix->dbZuvo, true);
    fill("Te8Emp.db", "Te8Vinc.db", "Te8Resp.db");
    dmLobrix->dbZuvo->emptyTable("Bd8emp.DB");
    ScriptedMessages boxes;
    FormsScript script;
    script.expect("fmRelatorio02", [](QWidget* p) {
        return step([](QWidget* p) {
            EXPECT_TRUE(button(p, "BtVoltar")->isVisible());
            clickChild(p, "BtAvancar");
        }, p);
    });
    script.expect("fmRelatorio00", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio01", [](QWidget* p) {
        return step([](QWidget* p) {
            if (!expectLines(p, list(p, "clbEmpresas"), 2)) return;
            tick(list(p, "clbEmpresas"), 1);
            clickChild(p, "bbVisualizar");
            clickChild(p, "btCancelar");
        }, p);
    });
    ShowDeclarationReport("Te8Emp", "Te8Vinc", "Te8Resp", "2009");
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(text.contains("DORA")) << text.toStdString();
    EXPECT_TRUE(fmRelatorio02 == nullptr);
}

// The main window's print button: without an establishment of the year the
// first page offers the receipt alone, chosen, and Next leads to it; with
// establishments Next follows the choice the user clicks.
TEST_F(PrintWizard, FirstPageOffersWhatCanBePrinted) {
    for (const bool none : {false, true}) {
        SCOPED_TRACE(none ? "no establishment" : "establishments");
        if (none) {
            db::Table e(dmLobrix->dbZuvo, "Bd8emp.DB");
            e.Open();
            e.EmptyTable();
        }
        TfmLOBRIX window;
        window.SetCommandHandler(LobrixCommand::Relatorio, [] { ShowPrintWizard(); });
        int receipts = 0;
        window.SetCommandHandler(LobrixCommand::ImprimirProtocolo, [&] { ++receipts; });
        ASSERT_TRUE(gui::showActive(&window));
        EXPECT_EQ(window.NoEstablishments, none ? 1 : 0);
        FormsScript script;
        script.expect("fmRelatorio03", [&](QWidget* p) {
            return step([&](QWidget* p) {
                auto* declaration = p->findChild<QRadioButton*>("rbDeclaracao");
                auto* receipt = p->findChild<QRadioButton*>("rbProtocolo");
                EXPECT_EQ(declaration->isEnabled(), !none);
                EXPECT_EQ(declaration->isChecked(), !none);
                EXPECT_EQ(receipt->isChecked(), none);
                EXPECT_TRUE(button(p, "BtAvancar")->isEnabled());
                if (!none) {
                    clickRadio(p, "rbProtocolo");
                    EXPECT_TRUE(button(p, "BtAvancar")->isEnabled());
                }
                clickChild(p, "BtAvancar");
                if (p->isVisible()) clickChild(p, "BtCancelar");  // Next led nowhere
            }, p);
        });
        gui::click(window.findChild<QToolButton*>("sbRelatorio"));
        EXPECT_EQ(script.pending(), 0);
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
        EXPECT_EQ(receipts, 1);
    }
}

TEST_F(PrintWizard, TransmissionReceiptShowsItsParameters) {
    report::ReportProject& p = dm->RvProject2;
    const QList<QPair<QString, QString>> params = {
        {"AnoBase", "2009"}, {"CREA", "590123456789"}, {"CNPJ", "11.111.111/0001-11"}, {"QtdVinc", "1.234"},
        {"QtdEstab", "3"}, {"CRCArqZuvo", "0012345678"}, {"Data", "10/02/2010 às "}, {"Hora", "14:35"},
        {"Hash", "ABCD.EF01.2345.6789.ABCD.EF01.2345.6789"}, {"CRCRecibo", "0987654321"}};
    for (const auto& [name, value] : params) p.SetParam(name, value);
    ASSERT_TRUE(p.SelectReport("Transmissao"));
    const QString pdf = out.filePath("recibo.pdf");
    dm->RvSystem1.setDestination(report::Destination::PdfFile, pdf);
    ASSERT_TRUE(p.Execute());
    const QString t = PdfText(pdf);
    for (const auto& [name, value] : params) EXPECT_TRUE(t.contains(value.trimmed())) << name.toStdString() << "\n" << t.toStdString();
}

TEST_F(PrintWizard, LongReportShowsItsPageStatus) {
    QStringList statuses;
    report::SetStatusObserverForTests([&statuses](const QString& s) { statuses << s; });
    dm->RvProject2.SetParam("TipoRelatorio", "Relatório Completo do Estabelecimento");
    DeclarationReportChoice choice;
    choice.ano = "2009";
    choice.establishments << QStringList{kCei, "00"} << QStringList{kCnpj, "01"};
    BuildDeclarationReportQuery(dm->qrConsulta, choice);
    dm->RvSystem1.setDestination(report::Destination::PdfFile, out.filePath("c.pdf"));
    RunDeclarationReport(true, "Relatório Completo do Estabelecimento", "código PIS/PASEP", "2009.01.00", 2009, " ");
    report::SetStatusObserverForTests(nullptr);
    const int pages = PdfPageCount(out.filePath("c.pdf"));
    ASSERT_GE(pages, 2);
    EXPECT_TRUE(statuses.contains("Gerando página 1"));
    EXPECT_TRUE(statuses.contains(QStringLiteral("Imprimindo página %1").arg(pages)));
    EXPECT_TRUE(PdfText(out.filePath("c.pdf")).contains(QStringLiteral("Página %1 de %1").arg(pages)));
}

TEST_F(PrintWizard, MoreThan8000ContractsListTheFirst8001WithAWarning) {
    {
        auto database = dmLobrix->dbZuvo;
        db::Transaction tx(*database);
        db::Table v(database, "Bd8vinc.DB");
        v.Open();
        for (int i = 0; i < 8001; ++i)
            AppendRow(v, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kCnpj}, {"NuPrefixoEstabelecimento", "01"},
                          {"CoPisPasepEmpregado", QStringLiteral("2%1").arg(i, 10, 10, QLatin1Char('0'))},
                          {"NoEmpregado", "EMPREGADO"}, {"DaAdmissaoEmpregado", "01012009"},
                          {"NuSequencialRegistro", QStringLiteral("%1").arg(i + 2, 6, 10, QLatin1Char('0'))}});
        tx.commit();
    }
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    int listed = 0;
    FormsScript script;
    script.expect("fmRelatorio02", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio00", [](QWidget* p) { return step([](QWidget* p) { clickChild(p, "BtAvancar"); }, p); });
    script.expect("fmRelatorio01", [&listed](QWidget* p) {
        return step([&listed](QWidget* p) {
            tick(list(p, "clbEmpresas"), 1);
            clickRadio(p, "rbImprimParcial");
            listed = list(p, "clbEmpregados")->count();
            clickChild(p, "btCancelar");
        }, p);
    });
    ShowPrintWizardDeclaration();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(listed, 8001);  // of 8,002
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Warning);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Pode ocorrer problemas na visualização dos dados na tela,"));
}
