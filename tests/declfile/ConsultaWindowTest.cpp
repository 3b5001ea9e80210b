// The file consultation as a user works it: a file written by the program
// typed and left, the summary, the establishments and their contracts, the
// navigation, closing from any page, and the files it refuses.
#include "AnalyserFixture.h"
#include "DeclfileTestSupport.h"

#include "declfile/MainWindowState.h"
#include "declfile/ugAnaliseEstrutura2009.h"
#include "declfile/consulta/ufmConsulta01.h"
#include "declfile/consulta/ufmConsulta02.h"
#include "declfile/consulta/ufmConsulta03.h"
#include "declfile/consulta/ufmConsulta04.h"
#include "declfile/consulta/ufmConsulta05.h"
#include "declfile/consulta/ufmConsultaDisquete.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Drives.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"
#include "shell/UfmRelatorio02.h"
#include "shell/ufmRelatorio01.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using gui::settle;

QString text(QWidget* form, const char* name) {
    QWidget* w = form->findChild<QWidget*>(QLatin1String(name));
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    ADD_FAILURE() << "no control " << name << " on " << form->objectName().toStdString();
    return QString();
}

QString lookupName(db::Table& table, const QString& code, const char* column) {
    return table.FindKey({code}) ? table.FieldByName(QLatin1String(column)).AsString() : QString();
}

// The bytes of every declaration table file, to show nothing was written.
QByteArray declarationTablesDigest(const QString& dataFolder) {
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (const QString& name : QDir(dataFolder).entryList({"bd8*"}, QDir::Files, QDir::Name)) {
        QFile f(QDir(dataFolder).filePath(name));
        if (f.open(QIODevice::ReadOnly)) hash.addData(f.readAll());
    }
    return hash.result();
}

}  // namespace

class ConsultaWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TfmLOBRIX>();
        window->SetCommandHandler(LobrixCommand::ConsDisq, [] { ShowConsultaDisquete(fmLOBRIX); });
        dmRaveRelatorios = new TdmRaveRelatorios;
    }
    void TearDown() override {
        delete dmRaveRelatorios;
        dmRaveRelatorios = nullptr;
        window.reset();
    }

    // Three establishments of two contracts; the second has its own name and
    // contracts whose name order is not their PIS/PASEP order.
    QString writeFile(const QString& crea = QString(), const QString& name = QStringLiteral("ZUVO2009.DEC")) {
        valid::WriteDeclaration(3, 2);
        auto database = dmLobrix->dbZuvo;
        db::Table emp(database, QStringLiteral("BD8Emp.db"));
        emp.Open();
        emp.Locate({"CoCgcCeiEstabelecimento"}, {valid::EstablishmentCnpj(1)});
        emp.Edit();
        emp.FieldByName("NoRazaoEstabelecimento").SetAsString("SEGUNDA LOJA EXEMPLO LTDA");
        emp.FieldByName("InPorte").SetAsString("1");
        emp.FieldByName("InOptanteSimples").SetAsString("1");
        emp.Post();
        db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
        vinc.Open();
        for (auto [n, newName] : {std::pair{2, "ZULMIRA SANTOS"}, std::pair{3, "ADRIANA LIMA"}}) {
            vinc.Locate({"CoPisPasepEmpregado"}, {valid::ContractPis(n)});
            vinc.Edit();
            vinc.FieldByName("NoEmpregado").SetAsString(QString::fromLatin1(newName));
            vinc.Post();
        }
        QByteArray bytes = analyserfixture::WriteFile(program.dataFolder(), false, crea);
        if (!crea.isEmpty()) {
            // The header of an amendment: its mark and date.
            declfile::TLayoutDescriptors layout;
            declfile::LoadLayout2009(layout);
            analyserfixture::Put(bytes, 1, layout.Tipo0.Slot(19).Start, "1");
            analyserfixture::Put(bytes, 1, layout.Tipo0.Slot(20).Start, "15012010");
        }
        return saveOutside(name, bytes);
    }
    QString saveOutside(const QString& name, const QByteArray& bytes) {
        const QString path = outside.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // Scripts the way from the summary page through the list to the
    // establishment page, where `onEstablishment` works.
    static void scriptToEstablishment(FormsScript& script, TfmConsultaDisquete& consulta,
                                      FormsScript::Step onEstablishment, std::function<void()> onSummary = {}) {
        script.expect("fmConsulta01", [&consulta, onSummary](QWidget*) -> int {
            if (onSummary) onSummary();
            consulta.Page01()->bbDisquete->click();
            return forms::mrNone;
        });
        script.expect("fmConsulta02", [&consulta](QWidget*) -> int {
            consulta.Page02()->bbConsultar->click();
            return forms::mrNone;
        });
        script.expect("fmConsulta03", std::move(onEstablishment));
    }

    TempProgramWithModules program;
    QTemporaryDir outside;
    std::unique_ptr<TfmLOBRIX> window;
};

TEST_F(ConsultaWindow, UserWalksFromTheSummaryToAContractAndClosesEverything) {
    const QString file = writeFile(QStringLiteral("123456789012"));
    saveOutside("ZUVO2009.rec", ReceiptLineFor(file) + "\r\n");  // the receipt of this very file
    const QByteArray tablesBefore = declarationTablesDigest(program.dataFolder());
    ASSERT_TRUE(window->CommandAction(LobrixCommand::ConsDisq)->isEnabled());
    ASSERT_TRUE(window->CommandButton(LobrixCommand::ConsDisq)->isEnabled());

    ScriptedMessages boxes;
    FormsScript script;
    TfmConsultaDisquete* consulta = nullptr;
    bool reachedContract = false;
    script.expect("fmConsultaDisquete", [&](QWidget* form) -> int {
        consulta = static_cast<TfmConsultaDisquete*>(form);
        EXPECT_EQ(form->windowTitle(), "Consulta Arquivo do Ano-Base");
        EXPECT_TRUE(consulta->paConsDisquete->isVisible());
        EXPECT_FALSE(consulta->bbVoltar->isVisible());
        EXPECT_TRUE(gui::activate(form));
        gui::typeAndLeave(consulta->edArquivo, file);
        return forms::mrNone;
    });
    script.expect("fmConsulta01", [&](QWidget* form) -> int {
        auto* page = static_cast<TfmConsulta01*>(form);
        EXPECT_FALSE(consulta->isVisible());
        EXPECT_EQ(fmLOBRIX->CreaRelatorio, "590512345678");
        const QString cnpj = valid::EstablishmentCnpj(0);
        EXPECT_EQ(text(page, "edInscricao"), cnpj.left(2) + "." + cnpj.mid(2, 3) + "." + cnpj.mid(5, 3) + "/" +
                                                 cnpj.mid(8, 4) + "-" + cnpj.mid(12, 2));
        EXPECT_EQ(text(page, "edTelefone"), "(11)3222-3344");
        EXPECT_EQ(text(page, "edNumero"), "1000");
        EXPECT_EQ(text(page, "mdCEP"), "01310-100");
        EXPECT_TRUE(page->ckRetificacao->isChecked());
        EXPECT_EQ(page->mdDataRetificacao->text(), "15/01/2010");
        EXPECT_EQ(page->edCoCrea->text(), "123456789012");
        // The declaration report over the file's working tables; the page comes back after it.
        page->bbRelatorio->click();
        EXPECT_TRUE(page->isVisible());
        page->bbDisquete->click();
        return forms::mrNone;
    });
    script.expect("fmRelatorio02", [&](QWidget* form) -> int {
        EXPECT_FALSE(consulta->Page01()->isVisible());
        EXPECT_EQ(static_cast<TfmRelatorio02*>(form)->AnoRelatorio, "2009");
        EXPECT_EQ(fmRelatorio01->TabelaEmp, "Te8Emp");
        EXPECT_EQ(fmRelatorio01->TabelaVinc, "Te8Vinc");
        EXPECT_EQ(fmRelatorio01->TabelaResp, "Te8Resp");
        return forms::mrCancel;
    });
    script.expect("fmConsulta02", [&](QWidget* form) -> int {
        auto* list = static_cast<TfmConsulta02*>(form);
        EXPECT_FALSE(consulta->Page01()->isVisible());
        EXPECT_EQ(list->paInfo->text(), "Declaração do Ano-Base 2009");
        EXPECT_EQ(list->grEmp->model()->rowCount(), 3);
        EXPECT_EQ(list->grEmp->model()->headerData(0, Qt::Horizontal).toString(), "CNPJ/CEI");
        list->grEmp->setCurrentIndex(list->grEmp->model()->index(1, 0));
        EXPECT_EQ(list->grEmp->model()->index(1, 2).data().toString(), "SEGUNDA LOJA EXEMPLO LTDA");
        list->bbConsultar->click();
        return forms::mrNone;
    });
    script.expect("fmConsulta03", [&](QWidget* form) -> int {
        auto* est = static_cast<TfmConsulta03*>(form);
        EXPECT_EQ(text(est, "edRazao"), "SEGUNDA LOJA EXEMPLO LTDA");
        EXPECT_EQ(text(est, "paTipoEmpresa"), "Microempresa e Opta pelo Simples");
        EXPECT_EQ(text(est, "paZuvo"), "ZUVO com Empregados");
        EXPECT_TRUE(est->bbAnterior->isEnabled());
        EXPECT_TRUE(est->bbProximo->isEnabled());
        est->bbEmpregados->click();
        settle();

        TfmConsulta04* contracts = consulta->Page04();
        EXPECT_FALSE(est->isVisible());
        EXPECT_TRUE(contracts->isVisible());
        EXPECT_TRUE(contracts->rbCodPisPasep->isChecked());
        QAbstractItemModel* model = contracts->grEmpregados->model();
        EXPECT_EQ(model->rowCount(), 2);
        EXPECT_EQ(model->index(0, 2).data().toString(), "ZULMIRA SANTOS");
        contracts->rbNome->click();
        EXPECT_EQ(model->index(0, 2).data().toString(), "ADRIANA LIMA");
        EXPECT_EQ(model->index(1, 2).data().toString(), "ZULMIRA SANTOS");
        QTableView* grid = contracts->grEmpregados;
        const QRect cell = grid->visualRect(model->index(1, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        settle();

        TfmConsulta05* page = consulta->Page05();
        EXPECT_FALSE(contracts->isVisible());
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(page->pcEmpregado->currentIndex(), 0);
        EXPECT_EQ(text(page, "edNomeEmpregado"), "ZULMIRA SANTOS");
        EXPECT_EQ(text(page, "edDataNascimento"), "15/05/1980");
        EXPECT_EQ(text(page, "edDataAdmissao"), "01/03/2005");
        EXPECT_EQ(text(page, "edSalarioContratual").trimmed(), "1.500,00");
        EXPECT_EQ(text(page, "edDeficienteFisico"), "0 -  Não é deficiente");
        EXPECT_EQ(text(page, "edDesligamento"), "   ");
        EXPECT_EQ(text(page, "edDataDesligamento"), "");
        EXPECT_EQ(text(page, "edSexo"), "M");
        TdmLobrix& dm = *dmLobrix;
        const QString nacionalidade = lookupName(dm.taNacionalidade, "10", "NoNacionalidade");
        EXPECT_FALSE(nacionalidade.isEmpty());
        EXPECT_EQ(text(page, "ednacionalidade"), "10 - " + nacionalidade);
        const QString cbo = lookupName(dm.taCBO, "513205", "NoCbo");
        EXPECT_EQ(text(page, "edCBO"), cbo.isEmpty() ? QString("513205") : "5132-05 - " + cbo);
        // Name order ends on this contract: nothing after it, one before.
        EXPECT_TRUE(page->bbAnterior->isEnabled());
        EXPECT_FALSE(page->bbProximo->isEnabled());
        reachedContract = true;
        page->bbFechar->click();
        return forms::mrNone;
    });

    window->RunCommand(LobrixCommand::ConsDisq);
    settle();

    EXPECT_TRUE(reachedContract);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(fmLOBRIX->CreaRelatorio, " ");
    EXPECT_EQ(fmConsulta01, nullptr);
    EXPECT_EQ(fmConsulta05, nullptr);
    EXPECT_EQ(declarationTablesDigest(program.dataFolder()), tablesBefore);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

// Establishments: the buttons on the first, a middle and the last row, the
// tab each button leaves selected; a close box on the page acts as "&Voltar".
TEST_F(ConsultaWindow, EstablishmentNavigationAndCloseBox) {
    const QString file = writeFile();
    TfmConsultaDisquete consulta;
    FormsScript script;
    script.expect("fmConsulta01", [&](QWidget*) -> int {
        consulta.Page01()->bbDisquete->click();
        return forms::mrNone;
    });
    script.expect("fmConsulta02", [&](QWidget*) -> int {
        consulta.Page02()->bbConsultar->click();
        // Back from the establishment page by its close box.
        EXPECT_TRUE(consulta.Page02()->isVisible());
        EXPECT_EQ(consulta.Page02()->grEmp->currentIndex().row(), 1);
        EXPECT_EQ(consulta.Page03()->pcEstabelecimento->currentIndex(), 0);
        consulta.Page02()->bbFechar->click();
        return forms::mrNone;
    });
    script.expect("fmConsulta03", [&](QWidget* form) -> int {
        auto* est = static_cast<TfmConsulta03*>(form);
        EXPECT_FALSE(est->bbAnterior->isEnabled());
        EXPECT_TRUE(est->bbProximo->isEnabled());
        est->pcEstabelecimento->setCurrentIndex(1);
        est->bbProximo->click();
        EXPECT_EQ(est->pcEstabelecimento->currentIndex(), 0);
        EXPECT_EQ(text(est, "edRazao"), "SEGUNDA LOJA EXEMPLO LTDA");
        EXPECT_TRUE(est->bbAnterior->isEnabled());
        EXPECT_TRUE(est->bbProximo->isEnabled());
        est->bbProximo->click();
        EXPECT_FALSE(est->bbProximo->isEnabled());
        EXPECT_TRUE(est->bbAnterior->isEnabled());
        est->pcEstabelecimento->setCurrentIndex(1);
        est->bbAnterior->click();
        EXPECT_EQ(est->pcEstabelecimento->currentIndex(), 1);
        EXPECT_EQ(text(est, "edRazao"), "SEGUNDA LOJA EXEMPLO LTDA");
        est->close();  // the close box: back to the list, on the row reached
        return forms::mrNone;
    });
    consulta.LoadDeclarationForViewing(file);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(consulta.Page01(), nullptr);
}

// Contracts: the only contract disables both buttons; the list comes back in
// PIS/PASEP order after a name-ordered visit; "&Fechar" on the list closes
// every page.
TEST_F(ConsultaWindow, ContractNavigationOrderAndCloseFromTheList) {
    valid::WriteDeclaration(1, 1);
    QString file = saveOutside("UM.DEC", analyserfixture::WriteFile(program.dataFolder(), false));
    TfmConsultaDisquete consulta;
    FormsScript script;
    scriptToEstablishment(script, consulta, [&](QWidget* form) -> int {
        auto* est = static_cast<TfmConsulta03*>(form);
        EXPECT_FALSE(est->bbAnterior->isEnabled());
        EXPECT_FALSE(est->bbProximo->isEnabled());
        est->bbEmpregados->click();
        TfmConsulta04* contracts = consulta.Page04();
        contracts->rbNome->click();
        contracts->bbConsultar->click();
        TfmConsulta05* page = consulta.Page05();
        EXPECT_TRUE(page->isVisible());
        EXPECT_FALSE(page->bbAnterior->isEnabled());
        EXPECT_FALSE(page->bbProximo->isEnabled());
        page->close();  // acts as "&Voltar"
        settle();
        EXPECT_FALSE(page->isVisible());
        EXPECT_TRUE(contracts->isVisible());
        EXPECT_TRUE(contracts->rbCodPisPasep->isChecked());
        EXPECT_FALSE(contracts->rbNome->isChecked());
        EXPECT_TRUE(contracts->qrEmpregados->Text().contains("Order by CoPisPasepEmpregado"));
        contracts->bbFechar->click();
        EXPECT_FALSE(contracts->isVisible());
        return forms::mrNone;
    });
    fmLOBRIX->CreaRelatorio = QStringLiteral("x");
    consulta.LoadDeclarationForViewing(file);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(fmLOBRIX->CreaRelatorio, " ");
    EXPECT_EQ(forms::GetModalResult(&consulta), forms::mrCancel);
}

// On a screen wider than 1024 pixels the establishment and contract pages
// keep their fixed sizes with contents enlarged, and show their tab captions,
// the PIS/PASEP, the dates and the kind of admission whole.
TEST_F(ConsultaWindow, PagesKeepTheirSizeOnAWideScreenWithNothingCut) {
    valid::WriteDeclaration(1, 1);
    const QString file = saveOutside("UM.DEC", analyserfixture::WriteFile(program.dataFolder(), false));
    auto wide = [](QWidget* page, QSize design, QSize size) {
        forms::ScaleFormForScreen(page, {1366, 768}, design, size);
        // Laid out at once: the events of the test's own 800 x 600 screen
        // would fit the page to that screen again.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        if (page->layout()) page->layout()->activate();
        EXPECT_EQ(page->size(), size) << page->objectName().toStdString();
    };
    auto tabsWhole = [](QTabWidget* tabs) {
        QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            EXPECT_LE(bar->tabRect(i).right(), bar->width()) << bar->tabText(i).toStdString();
            EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
                << bar->tabText(i).toStdString();
        }
    };
    auto whole = [](QWidget* page, const char* name) {
        auto* edit = page->findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_FALSE(edit->text().isEmpty()) << name;
        EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()) + 8, edit->width())
            << name << " " << edit->text().toStdString();
        EXPECT_LE(edit->mapTo(page, QPoint(edit->width(), 0)).x(), page->width()) << name;
    };
    TfmConsultaDisquete consulta;
    FormsScript script;
    scriptToEstablishment(script, consulta, [&](QWidget* form) -> int {
        auto* est = static_cast<TfmConsulta03*>(form);
        wide(est, {780, 500}, {860, 550});
        tabsWhole(est->pcEstabelecimento);
        for (const char* name : {"edInscricao", "edCEP", "edTelefone", "edAlimentacaoConvenio"}) whole(est, name);
        est->bbEmpregados->click();
        consulta.Page04()->bbConsultar->click();
        TfmConsulta05* page = consulta.Page05();
        wide(page, {780, 540}, {860, 590});
        tabsWhole(page->pcEmpregado);
        for (const char* name : {"edPISPASEP", "edDataNascimento", "edCPF", "edDataAdmissao", "edTipoAdmissao"})
            whole(page, name);
        page->bbFechar->click();
        return forms::mrNone;
    });
    consulta.LoadDeclarationForViewing(file);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(", ").toStdString();
    EXPECT_EQ(script.pending(), 0);
}

// The first window's instructions are lines of their own: each is shown
// whole, on the test's screen and on a wide one, with no scroll bar.
TEST_F(ConsultaWindow, InstructionLinesAreShownWhole) {
    for (const QSize screen : {QSize(800, 600), QSize(1366, 768)}) {
        SCOPED_TRACE(screen.width());
        TfmConsultaDisquete consulta;
        forms::ScaleFormForScreen(&consulta, screen, {600, 320}, {650, 350});
        consulta.show();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
        QPlainTextEdit* memo = consulta.meDicas;
        EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0);
        for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
            EXPECT_LE(memo->fontMetrics().horizontalAdvance(line.trimmed()), memo->viewport()->width())
                << line.toStdString();
        consulta.hide();
    }
}

// Contracts in a file are first and last of their establishment in the
// three-contract list: both ends probed without losing the row.
TEST_F(ConsultaWindow, ContractPageButtonsOnFirstAndLastRow) {
    valid::WriteDeclaration(1, 3);
    QString file = saveOutside("TRES.DEC", analyserfixture::WriteFile(program.dataFolder(), false));
    TfmConsultaDisquete consulta;
    FormsScript script;
    scriptToEstablishment(script, consulta, [&](QWidget*) -> int {
        consulta.Page03()->bbEmpregados->click();
        consulta.Page04()->bbConsultar->click();
        TfmConsulta05* page = consulta.Page05();
        QStringList seen{text(page, "edNomeEmpregado")};
        EXPECT_FALSE(page->bbAnterior->isEnabled());
        EXPECT_TRUE(page->bbProximo->isEnabled());
        page->pcEmpregado->setCurrentIndex(3);
        page->bbProximo->click();
        EXPECT_EQ(page->pcEmpregado->currentIndex(), 0);
        seen << text(page, "edNomeEmpregado");
        EXPECT_TRUE(page->bbAnterior->isEnabled());
        EXPECT_TRUE(page->bbProximo->isEnabled());
        page->bbProximo->click();
        seen << text(page, "edNomeEmpregado");
        EXPECT_TRUE(page->bbAnterior->isEnabled());
        EXPECT_FALSE(page->bbProximo->isEnabled());
        page->bbAnterior->click();
        EXPECT_EQ(text(page, "edNomeEmpregado"), seen.at(1));
        EXPECT_EQ(seen, QStringList({"JOSE DA SILVA 0", "JOSE DA SILVA 1", "JOSE DA SILVA 2"}));
        page->bbFechar->click();
        return forms::mrNone;
    });
    consulta.LoadDeclarationForViewing(file);
    EXPECT_EQ(script.pending(), 0);
}

// An establishment without a prefix: its contracts are found by the empty
// text the store keeps, not by "is null".
TEST_F(ConsultaWindow, EmptyPrefixFindsItsContracts) {
    const QString file = writeFile();
    TfmConsultaDisquete consulta;
    FormsScript script;
    // The working tables as an establishment without a prefix leaves them.
    auto blankPrefix = [] {
        db::Query blank(dmLobrix->dbZuvo);
        blank.SetSQL("update Te8emp set NuPrefixoEstabelecimento = ''");
        blank.ExecSQL();
        blank.SetSQL("update Te8vinc set NuPrefixoEstabelecimento = '' where CoCgcCeiEstabelecimento = :c");
        blank.ParamByName("c").AsString = valid::EstablishmentCnpj(0);
        blank.ExecSQL();
    };
    scriptToEstablishment(
        script, consulta,
        [&](QWidget*) -> int {
            consulta.Page03()->bbEmpregados->click();
            db::Query& q = *consulta.Page04()->qrEmpregados;
            EXPECT_TRUE(q.Text().contains("and NuPrefixoEstabelecimento = ''")) << q.Text().toStdString();
            EXPECT_FALSE(q.Text().contains("is null"));
            EXPECT_EQ(q.RecordCount(), 2);
            consulta.Page04()->bbFechar->click();
            return forms::mrNone;
        },
        blankPrefix);
    consulta.LoadDeclarationForViewing(file);
    EXPECT_EQ(script.pending(), 0);
}

// No receipt beside the file: the report code is a blank.
TEST_F(ConsultaWindow, FileWithoutReceiptGivesABlankReportCode) {
    const QString file = writeFile();
    TfmConsultaDisquete consulta;
    FormsScript script;
    QString code;
    script.expect("fmConsulta01", [&](QWidget*) -> int {
        code = fmLOBRIX->CreaRelatorio;
        return forms::mrCancel;
    });
    fmLOBRIX->CreaRelatorio = QStringLiteral("590111111111");
    consulta.LoadDeclarationForViewing(file);
    EXPECT_EQ(code, " ");
}

// A file with a structure error: the error panel and its report, "&Voltar"
// back to an empty file choice; no page is shown.
TEST_F(ConsultaWindow, StructureErrorShowsTheErrorPanelAndReport) {
    QString good = writeFile();
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    bytes[0] = '7';  // not a record type
    const QString bad = saveOutside("RUIM.DEC", bytes);

    TfmConsultaDisquete consulta;
    consulta.show();
    settle();
    FormsScript script;  // no page may open
    ScriptedMessages boxes;
    consulta.edArquivo->setText(bad);
    consulta.LoadDeclarationForViewing(bad);
    EXPECT_TRUE(script.shown().isEmpty()) << script.shown().join(", ").toStdString();
    EXPECT_TRUE(consulta.paRelatorio->isVisible());
    EXPECT_FALSE(consulta.paConsDisquete->isVisible());
    EXPECT_TRUE(consulta.bbVoltar->isVisible());
    EXPECT_EQ(AnaliseConsultaEmAndamento, 0);

    int previews = 0;
    report::SetPreviewRunnerForTests([&](QPrintPreviewDialog&) { ++previews; });
    report::SetPrinterInstalledForTests(true);
    consulta.bbVisualizar->click();
    report::SetPreviewRunnerForTests(nullptr);
    report::SetPrinterInstalledForTests(std::nullopt);
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(consulta.bbVisualizar->isEnabled());
    EXPECT_TRUE(dmRaveRelatorios->rvprjErro.GetParam("Versao") == fmLOBRIX->Versao);

    consulta.bbVoltar->click();
    EXPECT_TRUE(consulta.paConsDisquete->isVisible());
    EXPECT_FALSE(consulta.paRelatorio->isVisible());
    EXPECT_FALSE(consulta.bbVoltar->isVisible());
    EXPECT_TRUE(consulta.bbLocalizar->isEnabled());
    EXPECT_TRUE(consulta.edArquivo->text().isEmpty());

    // A file of the previous base year is refused the same way.
    consulta.LoadDeclarationForViewing(QStringLiteral(LOBRIX_SOURCE_DIR "/tests/fuzz/corpus/previous-year.dec"));
    EXPECT_TRUE(script.shown().isEmpty()) << script.shown().join(", ").toStdString();
    EXPECT_TRUE(consulta.paRelatorio->isVisible());
}

// The transmission window analyses the file itself and opens this window on
// its error panel, without the way back to a file choice.
TEST_F(ConsultaWindow, ConsultationWithErrorsOpensOnTheErrorPanel) {
    fmLOBRIX->ConsultaComErros = 1;
    TfmConsultaDisquete consulta;
    FormsScript script;
    script.expect("fmConsultaDisquete", [&](QWidget*) -> int {
        EXPECT_TRUE(consulta.paRelatorio->isVisible());
        EXPECT_FALSE(consulta.paConsDisquete->isVisible());
        EXPECT_FALSE(consulta.bbVoltar->isVisible());
        return forms::mrCancel;
    });
    forms::ShowModal(&consulta);
    EXPECT_EQ(fmLOBRIX->ConsultaComErros, 0);
    EXPECT_EQ(script.pending(), 0);
}

// A missing file: the warning and the focus back in the edit. Leaving the
// edit for "&Cancelar" analyses nothing and "&Cancelar" closes the window.
TEST_F(ConsultaWindow, MissingFileWarnsAndCancelLeavesWithoutAnalysis) {
    const QString file = writeFile();
    FormsScript script;
    script.expect("fmConsultaDisquete", [&](QWidget* form) -> int {
        auto* consulta = static_cast<TfmConsultaDisquete*>(form);
        EXPECT_TRUE(gui::activate(form));
        {
            ScriptedMessages boxes;
            boxes.answer("mrOk");
            gui::typeAndLeave(consulta->edArquivo, outside.filePath("NAOEXISTE.DEC"));
            EXPECT_EQ(boxes.texts(),
                      QStringList({"O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo."}));
            EXPECT_EQ(QApplication::focusWidget(), consulta->edArquivo);
        }
        // Typed, then straight to "&Cancelar": no analysis, no page.
        consulta->edArquivo->setText(file);
        consulta->bbCancelar->setFocus(Qt::MouseFocusReason);
        settle();
        EXPECT_TRUE(consulta->paConsDisquete->isVisible());
        consulta->bbCancelar->click();
        return forms::mrNone;
    });
    window->RunCommand(LobrixCommand::ConsDisq);
    EXPECT_EQ(script.shown(), QStringList({"fmConsultaDisquete"}));
    EXPECT_EQ(fmLOBRIX->CreaRelatorio, " ");
}

// A copy that fails leaves nothing to show: the window stays on the file
// choice after the analyser's message.
TEST_F(ConsultaWindow, FailedCopyStaysOnTheFileChoice) {
    const QString file = writeFile();
    ASSERT_TRUE(QDir(program.dataFolder()).mkpath(declfile::kAnalysisCopyName + "/blocked"));
    TfmConsultaDisquete consulta;
    consulta.show();
    settle();
    FormsScript script;
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    consulta.LoadDeclarationForViewing(file);
    EXPECT_TRUE(script.shown().isEmpty()) << script.shown().join(", ").toStdString();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().first().startsWith("Ocorreu erro na cópia do arquivo "));
    EXPECT_TRUE(consulta.paConsDisquete->isVisible());
    EXPECT_FALSE(consulta.paRelatorio->isVisible());
    EXPECT_TRUE(consulta.bbLocalizar->isEnabled());
    EXPECT_EQ(AnaliseConsultaEmAndamento, 0);
}

// "&Cancelar" while the analysis runs asks it to stop; stopped, it leaves
// the file choice and nothing loaded, and the window stays open.
TEST_F(ConsultaWindow, CancelDuringTheAnalysisReturnsToTheFileChoice) {
    const QString file = writeFile();
    TfmConsultaDisquete consulta;
    consulta.show();
    settle();
    FormsScript script;
    ScriptedMessages boxes;
    boxes.answer("mrYes");
    QTimer::singleShot(0, &consulta, [&] {
        EXPECT_EQ(AnaliseConsultaEmAndamento, 1);
        consulta.bbCancelar->click();
    });
    consulta.LoadDeclarationForViewing(file);
    EXPECT_EQ(boxes.texts(), QStringList({"Deseja interromper?"}));
    EXPECT_TRUE(script.shown().isEmpty());
    EXPECT_TRUE(consulta.paConsDisquete->isVisible());
    EXPECT_TRUE(consulta.bbLocalizar->isEnabled());
    EXPECT_TRUE(consulta.isVisible());
    EXPECT_EQ(forms::GetModalResult(&consulta), forms::mrNone);
    EXPECT_FALSE(analyserfixture::WorkTablesExist(program.dataFolder()));
}

// "&Localizar": the dialog starts on the diskette when drive A: holds one;
// a cancelled dialog does nothing, a chosen file is analysed and shown.
TEST_F(ConsultaWindow, LocateStartsOnTheDisketteAndLoadsTheChosenFile) {
    const QString file = writeFile();
    QTemporaryDir diskette;
    drives::SetDrive(QLatin1Char('A'), {diskette.path(), drives::DriveType::Removable, drives::kDisketteSize});
    TfmConsultaDisquete consulta;
    QStringList startedIn;
    QStringList answers{QString(), file};
    forms::SetFileDialogRunner([&](QFileDialog& dialog) {
        startedIn << QDir(dialog.directory()).absolutePath();
        return answers.takeFirst();
    });
    FormsScript script;
    consulta.bbLocalizar->click();
    EXPECT_TRUE(script.shown().isEmpty());
    script.expect("fmConsulta01", forms::mrCancel);
    drives::RemoveDrive(QLatin1Char('A'));
    consulta.bbLocalizar->click();
    forms::SetFileDialogRunner({});
    drives::ResetDrives();
    EXPECT_EQ(script.shown(), QStringList({"fmConsulta01"}));
    EXPECT_EQ(QDir::fromNativeSeparators(consulta.edArquivo->text()), file);
    ASSERT_EQ(startedIn.size(), 2);
    EXPECT_EQ(startedIn.at(0), QDir(diskette.path()).absolutePath());
    EXPECT_EQ(startedIn.at(1), QDir(program.path()).absolutePath());
}

// A declaration table the analysis needs is missing: a warning in the
// program's words, the file choice again, no page.
TEST_F(ConsultaWindow, MissingTableWarnsAndStaysOnTheFileChoice) {
    const QString file = writeFile();
    dmLobrix->dbZuvo->dropTable(QStringLiteral("Bd8vinc.DB"));
    TfmConsultaDisquete consulta;
    consulta.show();
    settle();
    FormsScript script;
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    consulta.LoadDeclarationForViewing(file);
    EXPECT_TRUE(script.shown().isEmpty());
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().first().startsWith("Não foi possível carregar o arquivo para consulta:"))
        << boxes.texts().first().toStdString();
    EXPECT_TRUE(consulta.paConsDisquete->isVisible());
    EXPECT_TRUE(consulta.bbLocalizar->isEnabled());
    EXPECT_EQ(AnaliseConsultaEmAndamento, 0);
}
