// The file consultation as a user works it: a file written by the program
// typed and left, the summary, the establishments and their contracts, the
// navigation, closing from any page, and the files it refuses.
#include "AnalyserFixture.h"

#include "declfile/MainWindowState.h"
#include "declfile/ugAnaliseEstrutura2009.h"
#include "declfile/ufmConsulta01.h"
#include "declfile/ufmConsulta02.h"
#include "declfile/ufmConsulta03.h"
#include "declfile/ufmConsulta04.h"
#include "declfile/ufmConsulta05.h"
#include "declfile/ufmConsultaDisquete.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "shell/UdmLobrix.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

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

    static void activate(QWidget* form) {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    }
    static void typeAndTab(QLineEdit* edit, const QString& value) {
        edit->setFocus(Qt::TabFocusReason);
        settle();
        edit->clear();
        QTest::keyClicks(edit, value);
        QTest::keyClick(edit, Qt::Key_Tab);
        settle();
    }

    TempProgramWithModules program;
    QTemporaryDir outside;
    std::unique_ptr<TfmLOBRIX> window;
};

TEST_F(ConsultaWindow, UserWalksFromTheSummaryToAContractAndClosesEverything) {
    const QString file = writeFile(QStringLiteral("123456789012"));
    saveOutside("ZUVO2009.rec", "5123456789012345\r\n");
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
        activate(form);
        typeAndTab(consulta->edArquivo, file);
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
        EXPECT_FALSE(page->bbRelatorio->isEnabled());
        page->bbDisquete->click();
        return forms::mrNone;
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
