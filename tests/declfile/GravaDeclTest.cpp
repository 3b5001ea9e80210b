#include "DeclfileTestSupport.h"
#include "WizardJourney.h"
#include "declfile/transmite/ufmTransmite.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl01.h"
#include "declfile/gravadecl/ufmGravaDecl02.h"
#include "declfile/gravadecl/ufmGravaDecl03.h"
#include "declfile/gravadecl/ufmGravaDecl04.h"
#include "declfile/analis/ufmAnalis02.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugHashCompara.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/TickList.h"
#include "rules/UgDadosResp.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"
#include "support/WrittenFileCheck.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace declfile;

namespace {

using gui::settle;

using gui::child;
using gui::clickChild;
using gui::tickLine;

void chooseDrive(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }

// Three establishments of 2009 with two contracts each, and a valid person
// responsible; the data modules, the report module and a main window.
class GravaDecl : public WizardJourney {
public:
    void SetUp() override {
        WizardJourney::SetUp();
        valid::WriteDeclaration(3, 2);
    }

    QStringList establishments() const {
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL("SELECT CoCgcCeiEstabelecimento FROM BD8Emp ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
        q.Open();
        QStringList l;
        for (q.First(); !q.Eof(); q.Next()) l << q.Fields(0).AsString();
        return l;
    }

    // Page 1 and 2: Next, the given lines ticked, Next; page 3 as stored, Next.
    void toWritingPage(FormsScript& script, const QList<int>& lines) {
        script.expect("fmGravaDecl00", [](QWidget* p) { clickChild(p, "bbAvancar"); return int(forms::mrNone); });
        script.expect("fmGravaDecl02", [lines](QWidget* p) {
            auto* list = child<forms::TickList>(p, "clEmpresas");
            for (int l : lines) tickLine(list, l);
            clickChild(p, "bbAvancar");
            return int(forms::mrNone);
        });
        script.expect("fmGravaDecl01", [](QWidget* p) { clickChild(p, "bbAvancar"); return int(forms::mrNone); });
    }

    // Page 4: a valid date and "Drive C:" on the panel the check chose.
    static void dateAndDrive(QWidget* p, const QString& date = "15012010") {
        const bool clean = !child<QFrame>(p, "paConcluir")->isHidden();
        gui::typeInto(child<QLineEdit>(p, clean ? "mdDataConcluir" : "mdDataAvisos"), date);
        chooseDrive(child<QComboBox>(p, clean ? "cbDriveConcluir" : "cbDriveAvisos"), "Drive C:");
    }
};

}  // namespace

TEST_F(GravaDecl, UserWritesTwoOfThreeEstablishmentsAndTransmits) {
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::Gravar, [] { ShowGravaDecl(fmLOBRIX); });
    bool transmitted = false;
    bool wizardOpenAtTransmit = true;
    window.SetCommandHandler(LobrixCommand::Transmite, [&] {
        transmitted = true;
        wizardOpenAtTransmit = fmGravaDecl00 != nullptr;
        ShowTransmite(fmLOBRIX);
    });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.CommandAction(LobrixCommand::Gravar)->isEnabled());

    const QString pdf = program.path() + "resumo.pdf";
    forms::SetFileDialogRunner([&](QFileDialog& d) {
        EXPECT_EQ(d.selectedFiles().value(0).section('/', -1).left(7), "Resumo_");
        return pdf;
    });
    QString pageTwoFirstLine;
    FormsScript script;
    script.expect("fmGravaDecl00", [](QWidget* p) { clickChild(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmGravaDecl02", [&](QWidget* p) {
        auto* list = child<forms::TickList>(p, "clEmpresas");
        EXPECT_EQ(list->count(), 3);
        pageTwoFirstLine = list->item(0)->text();
        tickLine(list, 0);
        tickLine(list, 2);
        clickChild(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl01", [](QWidget* p) {
        EXPECT_FALSE(child<QLineEdit>(p, "deNome")->text().isEmpty());  // shown as stored
        clickChild(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl03", [](QWidget* p) {
        EXPECT_TRUE(child<QFrame>(p, "paErros")->isHidden()) << "the check found errors";
        dateAndDrive(p);
        clickChild(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl04", [&](QWidget* p) {
        clickChild(p, "btSalvarRelat");
        clickChild(p, "Button1");
        return int(forms::mrNone);
    });
    // The transmission window lists the file just written without a "C:".
    QStringList listedAtOnce;
    script.expect("fmTransmite", [&](QWidget* w) {
        listedAtOnce = static_cast<TfmTransmite*>(w)->Paths();
        return int(forms::mrCancel);
    });
    window.CommandAction(LobrixCommand::Gravar)->trigger();
    EXPECT_FALSE(transmitted);  // not while the wizard runs
    QApplication::setActiveWindow(&window);  // the main window is active again
    settle();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(boxes.texts().contains("Documento salvo com sucesso.")) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(transmitted);
    EXPECT_FALSE(wizardOpenAtTransmit);
    EXPECT_EQ(dmDadosResp, nullptr);

    // The file holds exactly the two ticked establishments and their contracts.
    const QStringList est = establishments();
    ASSERT_EQ(decFiles().size(), 1) << decFiles().join(',').toStdString();
    const QString file = transmit(decFiles().first());
    EXPECT_EQ(listedAtOnce, QStringList{file});
    EXPECT_TRUE(VerifyFileDigest(file));
    const FileVerdict verdict = CheckWrittenFile(file, program.dataFolder());
    EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
    EXPECT_EQ(verdict.establishments, 2);
    EXPECT_EQ(verdict.contracts, 4);
    db::Query loaded(dmLobrix->dbZuvo);
    loaded.SetSQL("SELECT CoCgcCeiEstabelecimento FROM Te8Emp ORDER BY CoCgcCeiEstabelecimento");
    loaded.Open();
    QStringList read;
    for (loaded.First(); !loaded.Eof(); loaded.Next()) read << loaded.Fields(0).AsString();
    loaded.Close();
    EXPECT_EQ(read, QStringList({est[0], est[2]}));

    // The summary names the first establishment written, under whole column titles.
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(pageTwoFirstLine.left(18).trimmed())) << text.toStdString();
    EXPECT_TRUE(text.contains("Encerramento")) << text.toStdString();
    // The responsible's street number as the form shows it, without its stored zeros.
    EXPECT_TRUE(text.contains("AVENIDA PAULISTA, 1000,")) << text.toStdString();
    EXPECT_FALSE(text.contains("001000")) << text.toStdString();

    // One label for the one part.
    const QString labels = program.path() + "etiquetas.txt";
    reports->RvSystem1.setDestination(report::Destination::TextFile, labels);
    reports->RvProtocolo.SetParam("VersaoEditada", "2009,V.01");
    reports->RvProtocolo.SelectReport("rptEtiqueta");
    ASSERT_TRUE(reports->RvProtocolo.Execute());
    reports->RvProtocolo.Close();
    const QString label = ReadTextFile(labels);
    EXPECT_EQ(label.count("ZUVO 2009 - Parte 1"), 1) << label.toStdString();
    EXPECT_TRUE(label.contains("Versão 2009,V.01")) << label.toStdString();
    EXPECT_TRUE(label.contains("Estabelecimentos: 2   Vínculos: 4")) << label.toStdString();
}

TEST_F(GravaDecl, InterruptedCheckReturnsToTheDataPanelWithTheResponsibleSaved) {
    // A stored street number with leading zeros shows without them and is stored padded again.
    {
        db::Table t(dmLobrix->dbZuvo, "bd8resp.DB");
        t.Open();
        t.First();
        t.Edit();
        t.FieldByName("NuLogradouroRespArquivo").SetAsString("000123");
        t.Post();
    }
    FormsScript script;
    bool dataPanelBack = false;
    script.expect("fmGravaDecl00", [](QWidget* p) { clickChild(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmGravaDecl02", [](QWidget* p) {
        child<QCheckBox>(p, "ckSelecionarTudo")->click();
        clickChild(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl01", [&](QWidget* p) {
        EXPECT_EQ(child<QLineEdit>(p, "deNumero")->text(), "123");
        boxes.answer("mrYes");  // "Deseja interromper?"
        auto* page = static_cast<forms::WizardPage*>(p);
        auto* watch = new QTimer(p);  // Cancel once the check runs
        QObject::connect(watch, &QTimer::timeout, p, [page, watch] {
            if (!page->IsBusy()) return;
            watch->stop();
            clickChild(page, "bbCancelar");
        });
        watch->start(0);
        clickChild(p, "bbAvancar");
        dataPanelBack = !child<QFrame>(p, "paDadosResp")->isHidden() && child(p, "bbAvancar")->isEnabled() &&
                        child(p, "bbVoltar")->isEnabled() && p->isVisible();
        EXPECT_EQ(child<QLineEdit>(p, "deNumero")->text(), "123");  // as before the check, not padded
        clickChild(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowGravaDecl();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(dataPanelBack);
    EXPECT_TRUE(boxes.texts().contains("Consistência interrompida pelo usuário")) << boxes.texts().join('|').toStdString();
    db::Table t(dmLobrix->dbZuvo, "bd8resp.DB");
    t.Open();
    t.First();
    EXPECT_EQ(t.FieldByName("NuLogradouroRespArquivo").AsString(), "000123");
    EXPECT_TRUE(decFiles().isEmpty());
}

TEST_F(GravaDecl, AResponsibleSaveRefusedBecauseAnotherUserHoldsTheTableKeepsThePage) {
    const auto before = ReadRows(dmLobrix->dbZuvo, "bd8resp.DB");
    FormsScript script;
    bool pageKept = false;
    script.expect("fmGravaDecl00", [](QWidget* p) { clickChild(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmGravaDecl02", [](QWidget* p) {
        child<QCheckBox>(p, "ckSelecionarTudo")->click();
        clickChild(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl01", [&](QWidget* p) {
        sqlite3* other = nullptr;
        EXPECT_EQ(sqlite3_open((program.dataFolder() + "/bd8resp.DB").toUtf8().constData(), &other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        clickChild(p, "bbAvancar");
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        pageKept = !child<QFrame>(p, "paDadosResp")->isHidden() && child(p, "bbAvancar")->isEnabled() && p->isVisible();
        clickChild(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowGravaDecl();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(pageKept);
    ASSERT_FALSE(boxes.shown().isEmpty());
    EXPECT_EQ(boxes.shown().first().kind, msg::BoxKind::Warning);
    EXPECT_TRUE(boxes.texts().first().contains("está em uso por outro usuário")) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(ReadRows(dmLobrix->dbZuvo, "bd8resp.DB"), before);
    EXPECT_TRUE(decFiles().isEmpty());
}

TEST_F(GravaDecl, NothingTickedAndNoEstablishmentOfTheYear) {
    FormsScript script;
    script.expect("fmGravaDecl00", [](QWidget* p) {
        clickChild(p, "bbAvancar");
        clickChild(p, "bbCancelar");  // page 1 again after Back
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl02", [&](QWidget* p) {
        clickChild(p, "bbAvancar");  // nothing ticked
        EXPECT_EQ(boxes.codes(), QStringList{"1301"});
        EXPECT_TRUE(p->isVisible());
        clickChild(p, "bbVoltar");
        return int(forms::mrNone);
    });
    ShowGravaDecl();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.unexpected().isEmpty());

    {
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL("DELETE FROM BD8Emp");
        q.ExecSQL();
    }
    boxes.clear();
    FormsScript none;
    none.expect("fmGravaDecl00", [&](QWidget* p) {
        clickChild(p, "bbAvancar");
        EXPECT_EQ(boxes.codes(), QStringList{"1700"});
        EXPECT_TRUE(p->isVisible());
        clickChild(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowGravaDecl();
    EXPECT_EQ(none.pending(), 0);
    EXPECT_TRUE(none.unexpected().isEmpty());
}

// ---- page 4 and page 5 on their own ------------------------------------------------

namespace {

// Page 1 (the data module and the selection, every establishment chosen)
// and page 4 with the check's result.
struct WritingPage {
    TfmGravaDecl00 first;
    std::unique_ptr<TfmGravaDecl03> page;
    explicit WritingPage(int checkResult, int amendment = 0) {
        dmDadosResp->AnoBaseAssistente = "2009";
        dmDadosResp->ResultadoCritica = std::uint8_t(checkResult);
        dmDadosResp->ModoRetificacao = std::uint8_t(amendment);
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp "
                 "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) {
            first.lbEmpresas00->addItem(q.Fields(0).AsString() + q.Fields(1).AsString() + q.Fields(2).AsString());
            first.lbEmpresas00->item(first.lbEmpresas00->count() - 1)->setSelected(true);
        }
        page = std::make_unique<TfmGravaDecl03>();
    }
    // Shows the page; `work` acts on it and leaves it running or closed.
    void run(const std::function<void(TfmGravaDecl03*)>& work) {
        FormsScript script;
        script.expect("fmGravaDecl03", [&](QWidget*) {
            work(page.get());
            if (page->isVisible()) clickChild(page.get(), "bbCancelar");
            return int(forms::mrNone);
        });
        forms::ShowModal(page.get());
        EXPECT_EQ(script.pending(), 0);
    }
};

}  // namespace

TEST_F(GravaDecl, CheckResultChoosesThePanel) {
    struct Case {
        int result;
        const char* panel;
        bool next, warningsButton, warningsNote;
    };
    const Case cases[] = {
        {0, "paConcluir", true, false, false},
        {1, "paAvisos", true, false, false},
        {2, "paErros", false, false, false},
        {3, "paErros", false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        WritingPage w(c.result);
        w.run([&](TfmGravaDecl03* p) {
            for (const char* name : {"paErros", "paAvisos", "paConcluir", "paGravando"})
                EXPECT_EQ(!child<QFrame>(p, name)->isHidden(), QLatin1String(name) == QLatin1String(c.panel)) << name;
            EXPECT_EQ(p->NextButton()->isEnabled(), c.next);
            EXPECT_FALSE(p->BackButton()->isEnabled());
            if (c.result >= 2) {
                EXPECT_EQ(p->bbVisualErros->isEnabled(), c.warningsButton);
                EXPECT_EQ(!p->paMsgAviso->isHidden(), c.warningsNote);
            }
            // Outside the amendment wizard the CREA edit is not shown.
            EXPECT_TRUE(p->edCREA->isHidden());
            EXPECT_TRUE(p->edCreaAvisos->isHidden());
        });
    }
}

TEST_F(GravaDecl, GenerationDateAndDrive) {
    struct Case {
        const char* date;
        bool drive;
        QStringList codes;
    };
    const Case cases[] = {
        {"31122009", true, {"0420"}},  {"01012011", true, {"0423"}}, {"31022010", true, {"0421"}},
        {"", true, {"0421"}},          {"01012010", false, {"0600"}}, {"31122010", false, {"0600"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        WritingPage w(0);
        boxes.clear();
        w.run([&](TfmGravaDecl03* p) {
            gui::typeInto(p->mdDataConcluir, c.date);
            if (c.drive) chooseDrive(p->cbDriveConcluir, "Drive C:");
            clickChild(p, "bbAvancar");
            settle();
            EXPECT_EQ(boxes.codes(), c.codes);
            EXPECT_TRUE(p->isVisible());
            EXPECT_TRUE(p->paGravando->isHidden());
        });
        EXPECT_TRUE(decFiles().isEmpty());
    }
}

TEST_F(GravaDecl, FailedWriteReturnsToThePanelWithNoPart) {
    struct Case {
        const char* name;
        std::function<void(GravaDecl&)> arrange;
        QString box;
    };
    const Case cases[] = {
        {"cancelled", [](GravaDecl& t) { t.boxes.answer("mrYes"); },
         "A gravação do arquivo \"ZUVO2009\" interrompida pelo usuário!"},
        {"full disk",
         [](GravaDecl&) { SetPartFileFactory([] { return std::make_unique<FullDiskFile>(552 * 3); }); },
         "Ocorreu um erro durante a gravação do arquivo de declaração ZUVO2009."},
        {"no Transmite", [](GravaDecl& t) { QDir(t.transmit()).removeRecursively(); },
         "Ocorreu um erro durante a gravação do arquivo de declaração ZUVO2009."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir().mkpath(transmit());
        WritingPage w(1);
        boxes.clear();
        c.arrange(*this);
        const bool cancel = QLatin1String(c.name) == QLatin1String("cancelled");
        w.run([&](TfmGravaDecl03* p) {
            gui::typeInto(p->mdDataAvisos, "15012010");
            chooseDrive(p->cbDriveAvisos, "Drive C:");
            if (cancel) {
                auto* watch = new QTimer(p);
                QObject::connect(watch, &QTimer::timeout, p, [p, watch] {
                    if (!p->IsBusy()) return;
                    watch->stop();
                    clickChild(p, "bbCancelar");
                });
                watch->start(0);
            }
            clickChild(p, "bbAvancar");
            EXPECT_TRUE(boxes.texts().contains(c.box)) << boxes.texts().join('|').toStdString();
            EXPECT_TRUE(p->isVisible());
            EXPECT_FALSE(p->paAvisos->isHidden());
            EXPECT_TRUE(p->paGravando->isHidden());
            EXPECT_TRUE(p->NextButton()->isEnabled());
            EXPECT_FALSE(p->BackButton()->isEnabled());
            EXPECT_EQ(dmDadosResp->EncerrarAssistente, 0);
        });
        SetPartFileFactory({});
        EXPECT_TRUE(!QDir(transmit()).exists() || decFiles().isEmpty()) << decFiles().join(',').toStdString();
    }
}

TEST_F(GravaDecl, LaterPartsOfAnEarlierLongerRunGoUnlessTransmitted) {
    const QString base = "Zuvo2009_1122233300018101";
    for (const char* name : {"Zuvo2009_112223330001810102G.dec", "Zuvo2009_112223330001810103G.dec",
                             "Zuvo2009_112223330001810102R.dec", "Zuvo2009_999999990001910102G.dec"}) {
        QFile f(transmit(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    {  // The third file was transmitted: its receipt is its own.
        QFile f(transmit("Zuvo2009_112223330001810103G.rec"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ReceiptLineFor(transmit("Zuvo2009_112223330001810103G.dec")) + "\r\n");
    }
    WriterState state;
    state.NomeArquivoGerado = "Zuvo2009_112223330001810101G";
    EXPECT_EQ(RemoveLaterParts('C', state), QStringList{"Zuvo2009_112223330001810103G.dec"});
    EXPECT_EQ(decFiles(), QStringList({"Zuvo2009_112223330001810102R.dec", "Zuvo2009_112223330001810103G.dec",
                                       "Zuvo2009_999999990001910102G.dec"}));
}

TEST_F(GravaDecl, SummaryPageWarnsOfSeveralFilesAndSavesThePdf) {
    TfmGravaDecl00 first;
    for (int files : {2, 1}) {
        SCOPED_TRACE(files);
        boxes.clear();
        WriterState state;
        state.QtArquivosGerados = quint16(files);
        state.NomeArquivoGerado = "Zuvo2009_112223330001810101G";
        StoreWriterState(state);
        TfmGravaDecl04 page;
        FormsScript script;
        script.expect("fmGravaDecl04", [](QWidget* p) { clickChild(p, "bbFechar"); return int(forms::mrNone); });
        forms::ShowModal(&page);
        EXPECT_EQ(boxes.texts(), files > 1 ? QStringList{"Foram gerados 2 arquivos. Utilize a função \"Transmitir "
                                                          "Declaração\" do menu principal."}
                                           : QStringList{});
        EXPECT_EQ(dmDadosResp->EncerrarAssistente, 1);
        dmDadosResp->EncerrarAssistente = 0;
    }

    // The save: a cancelled dialog does nothing; an existing file is named in
    // the question, and No leaves it as it was.
    TfmGravaDecl04 page;
    const QString existing = program.path() + "meu resumo.pdf";
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QStringList answers{QString(), existing};
    forms::SetFileDialogRunner([&](QFileDialog&) { return answers.takeFirst(); });
    boxes.clear();
    page.btSalvarRelatClick();
    EXPECT_TRUE(boxes.texts().isEmpty());
    boxes.answer("mrNo");
    page.btSalvarRelatClick();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts().first(),
              "Já existe um arquivo de nome \"meu resumo.pdf\" no caminho especificado.\rAutoriza gravar sobre?");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

// "&Salvar Resumo" over a file that exists, through the real save dialog, on
// the writing wizard's last page and the analysis wizard's: one question, the
// program's own, and No leaves the file as it was.
TEST_F(GravaDecl, SavingTheSummaryOverAFileAsksOnce) {
    TfmGravaDecl00 first;
    WriterState state;
    state.NomeArquivoGerado = "Zuvo2009_112223330001810101G";
    StoreWriterState(state);
    const QString existing = program.path() + "resumo antigo.pdf";
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    TfmGravaDecl04 writing;
    TfmAnalis02 analysis(false);
    for (forms::WizardPage* page : std::initializer_list<forms::WizardPage*>{&writing, &analysis}) {
        SCOPED_TRACE(page->objectName().toStdString());
        boxes.clear();
        boxes.answer("mrNo");
        gui::FileDialogAnswer answer(existing);
        FormsScript script;
        script.expect(page->objectName(), [](QWidget* p) {
            gui::click(child(p, "btSalvarRelat"));
            clickChild(p, "bbFechar");
            return int(forms::mrNone);
        });
        forms::ShowModal(page);
        EXPECT_TRUE(answer.answered());
        EXPECT_EQ(answer.dialogBoxes, QStringList{}) << answer.dialogBoxes.join('|').toStdString();
        EXPECT_EQ(boxes.texts(), QStringList{"Já existe um arquivo de nome \"resumo antigo.pdf\" no caminho "
                                             "especificado.\rAutoriza gravar sobre?"});
        EXPECT_EQ(ReadAll(existing), QByteArray("old"));
    }
}

TEST_F(GravaDecl, HelpOfTheFocusedFieldOnTheResponsiblePage) {
    TfmGravaDecl00 first;
    dmDadosResp->AnoBaseAssistente = "2009";
    TfmGravaDecl01 page;
    QList<int> opened;
    FormsScript script;
    script.expect("fmGravaDecl01", [&](QWidget* p) {
        ui::EntryFormController::Of(p)->ShowHelp = [&](int context) { opened << context; };
        for (QLineEdit* edit : {page.mdInscricao, page.deEmail, page.deDataNasc}) {
            edit->setFocus();
            settle();
            QTest::keyClick(edit, Qt::Key_F1);
        }
        p->findChild<QPushButton*>("bbCancelar")->click();
        return int(forms::mrNone);
    });
    forms::ShowModal(&page);
    EXPECT_EQ(opened, QList<int>({46, 205, 209}));
    EXPECT_EQ(dmDadosResp->EncerrarAssistente, 1);
}
