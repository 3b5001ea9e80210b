#include "DeclfileTestSupport.h"
#include "WizardJourney.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/analis/ufmAnalis01.h"
#include "declfile/analis/ufmAnalis02.h"
#include "declfile/import/ufmImport02.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugHashCompara.h"
#include "platform/os/Drives.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/TickList.h"
#include "rules/UgDadosResp.h"
#include "shell/UdmLobrix.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"
#include "support/WrittenFileCheck.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace declfile;

namespace {

using gui::child;
using gui::settle;

void click(QWidget* form, const char* name) { gui::clickChild(form, name); }

bool shown(QWidget* form, const char* name) { return !child<QWidget>(form, name)->isHidden(); }

// Once the page runs its job, `action` acts on it (Cancel, the close box).
void whenBusy(forms::WizardPage* page, std::function<void()> action) {
    auto* watch = new QTimer(page);
    QObject::connect(watch, &QTimer::timeout, page, [page, watch, action] {
        if (!page->IsBusy()) return;
        watch->stop();
        action();
    });
    watch->start(0);
}

// Page 2: "Drive C:" on the panel the check chose, then "&Gravar".
void driveAndWrite(QWidget* p, const QString& crea = QString()) {
    const bool clean = shown(p, "POk");
    auto* combo = child<QComboBox>(p, clean ? "cbDrive" : "cbDriveAvisos");
    combo->setCurrentIndex(combo->findText("Drive C:"));
    if (!crea.isNull()) child<QLineEdit>(p, clean ? "edCrea" : "edCreaAvisos")->setText(crea);
    click(p, "BtConcluir");
}

class Analisador : public WizardJourney {
public:
    void SetUp() override {
        WizardJourney::SetUp();
        QDir().mkpath(input());
    }
    void TearDown() override {
        WizardJourney::TearDown();
        drives::ResetDrives();
        ModoParticionamento = 0;
        AnaliseViaTransmissao = 0;
    }

    QString input(const QString& name = QString()) const { return program.path() + "entrada/" + name; }

    // The declaration tables written to a file as another program would: no
    // mark, no digest; moved out of Transmite. `amendment` marks the header.
    QString writeInput(const QString& name, bool amendment = false, QChar drive = 'C') {
        WriteRequest request;
        request.drive = drive;
        request.dataFolder = program.dataFolder();
        request.generationDate = "15012010";
        request.generationTime = "101010";
        WriterState state;
        forms::ProgressHost host;
        EXPECT_EQ(WriteDeclarationFile(request, state, host), kWritten);
        QFile f(state.ArquivoGerado);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes.replace(396, 2, "  ");
        if (amendment) {
            bytes[222] = '1';
            bytes.replace(223, 8, "15012010");
            bytes.replace(371, 12, "591111111111");  // the receipt of the declaration it amends
        }
        bytes.replace(bytes.size() - 2 - 32, 32, QByteArray(32, ' '));
        f.seek(0);
        f.write(bytes);
        f.close();
        const QString target = input(name);
        QFile::remove(target);
        EXPECT_TRUE(QFile::rename(state.ArquivoGerado, target));
        // What the writing left for its own wizard is not this wizard's.
        auto database = db::Database::forFolder(program.dataFolder());
        for (const char* t : {"te8ProID.db", "te8ProES.db"})
            if (database->tableExists(t)) database->dropTable(t);
        return target;
    }

    // Establishments with their contracts in the declaration tables;
    // `change` alters a contract row of an establishment before it is stored.
    void declaration(const QList<QPair<int, int>>& establishments,
                     std::function<void(int est, int contract, valid::Row&)> change = {}) {
        valid::RegisterUnionEntities();
        db::Transaction transaction(*dmLobrix->dbZuvo);  // one commit, not one a row
        db::Table resp(dmLobrix->dbZuvo, "bd8resp.DB"), emp(dmLobrix->dbZuvo, "Bd8emp.DB"),
            vinc(dmLobrix->dbZuvo, "Bd8vinc.DB");
        resp.Open();
        emp.Open();
        vinc.Open();
        resp.EmptyTable();
        emp.EmptyTable();
        vinc.EmptyTable();
        valid::Append(resp, valid::Responsible());
        int serial = 0;
        for (const auto& [n, contracts] : establishments) {
            const valid::Row est = valid::Establishment(n, contracts);
            valid::Append(emp, est);
            for (int c = 0; c < contracts; ++c) {
                valid::Row row = valid::Contract(est, serial++);
                if (change) change(n, c, row);
                valid::Append(vinc, row);
            }
        }
        transaction.commit();
    }

    // Reads a written file back with the project's analyser.
    int readBack(const QString& file, int& establishments, int& contracts) {
        TAnaliseEstrutura analyser;
        forms::ProgressHost host;
        const int r = analyser.AnalyseFile(file, 2009, host, program.dataFolder(), false, establishments, contracts, false);
        RemoveAnalysisTables(false);
        return r;
    }

    // What a finished wizard leaves: no working, findings or receipt table.
    QStringList leftTables() const {
        QStringList left;
        auto database = db::Database::forFolder(program.dataFolder());
        for (const char* t : {"te8Emp.db", "te8Vinc.db", "te8Resp.db", "te8errwa.db", "te8Stru.db", "te8ProID.db",
                              "te8ProES.db"})
            if (database->tableExists(t)) left << t;
        return left;
    }

    // Page 1 of the analysis: the file, then "&Avançar >".
    static FormsScript::Step chooseFile(const QString& file) {
        return [file](QWidget* p) {
            child<QLineEdit>(p, "arquivo")->setText(file);
            click(p, "bbAvancar");
            return int(forms::mrNone);
        };
    }
};

QByteArray header(const QString& path) { return Records(path).value(0); }

}  // namespace

TEST_F(Analisador, UserAnalysesAFileOfAnotherProgramAndTransmitsIt) {
    declaration({{1, 2}, {2, 3}, {3, 1}});
    const QString file = writeInput("Zuvo2009_outro.txt");
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::Analisador, [] { ShowAnalisador(fmLOBRIX); });
    bool transmitted = false;
    window.SetCommandHandler(LobrixCommand::Transmite, [&] { transmitted = true; });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.CommandAction(LobrixCommand::Analisador)->isEnabled());

    const QString pdf = program.path() + "resumo.pdf";
    forms::SetFileDialogRunner([&](QFileDialog& d) {
        if (d.objectName() == "OpenFile") return file;
        EXPECT_EQ(d.selectedFiles().value(0).section('/', -1).left(7), "Resumo_");
        return pdf;
    });
    FormsScript script;
    script.expect("fmAnalis00", [](QWidget* p) {
        EXPECT_FALSE(child(p, "bbAvancar")->isEnabled());
        click(p, "BtLocalizar");
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmAnalis01", [](QWidget* p) {
        EXPECT_TRUE(shown(p, "POk")) << "the check found something";
        EXPECT_FALSE(shown(p, "edCrea"));  // not an amendment
        driveAndWrite(p);
        return int(forms::mrNone);
    });
    script.expect("fmAnalis02", [&](QWidget* p) {
        EXPECT_TRUE(shown(p, "meAnaliseOK"));
        EXPECT_TRUE(shown(p, "bbRelat"));
        click(p, "bbRelat");
        click(p, "btSalvarRelat");
        click(p, "btnTransmite");
        return int(forms::mrNone);
    });
    window.CommandAction(LobrixCommand::Analisador)->trigger();
    QApplication::setActiveWindow(&window);
    settle();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(transmitted);
    EXPECT_TRUE(boxes.texts().contains("Documento salvo com sucesso.")) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(PdfText(pdf).contains("EXEMPLO LTDA")) << PdfText(pdf).toStdString();
    EXPECT_EQ(ModoParticionamento, 0);
    EXPECT_EQ(leftTables(), QStringList{});

    ASSERT_EQ(decFiles().size(), 1) << decFiles().join(',').toStdString();
    const QString written = transmit(decFiles().first());
    EXPECT_TRUE(decFiles().first().endsWith("G.dec"));
    EXPECT_EQ(Cols(header(written), 397, 398), "A ");
    EXPECT_EQ(Cols(header(written), 372, 383), "000000000000");
    // The summary gives the date the file carries, which the analysed file brought.
    const QByteArray date = Cols(header(written), 232, 239);
    EXPECT_NE(date, "00000000");
    EXPECT_TRUE(PdfText(pdf).contains(date.left(2) + '/' + date.mid(2, 2) + '/' + date.mid(4))) << PdfText(pdf).toStdString();
    EXPECT_TRUE(VerifyFileDigest(written));
    const FileVerdict verdict = CheckWrittenFile(written, program.dataFolder());
    RemoveAnalysisTables(false);
    EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
    EXPECT_EQ(verdict.analysis, kAnaliseSemErro);
    EXPECT_EQ(verdict.establishments, 3);
    EXPECT_EQ(verdict.contracts, 6);
}

TEST_F(Analisador, FindingsChooseThePage) {
    // A foreigner among few contracts draws a warning; a contract without a
    // valid CPF an error.
    struct Case {
        const char* name;
        std::function<void(int, int, valid::Row&)> change;
        const char* panel;
        bool warningsButton;
    };
    auto foreigners = [](int est, int c, valid::Row& r) {
        if (est == 1 && c < 2) r = valid::With(r, {{"CoNacionalidade", "20"}, {"AnChegadaEmpregado", "1995"}});
    };
    auto badCpf = [](int est, int c, valid::Row& r) {
        if (est == 2 && c == 0) r["CoCpfEmpregado"] = "12345678900";
    };
    const Case cases[] = {
        {"warnings only", foreigners, "PDist", false},
        {"errors only", badCpf, "PInco", false},
        {"errors and warnings", [&](int e, int c, valid::Row& r) { foreigners(e, c, r); badCpf(e, c, r); }, "PInco", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        declaration({{1, 5}, {2, 1}}, c.change);
        const QString file = writeInput("entrada.txt");
        boxes.clear();
        FormsScript script;
        bool wrote = false;
        script.expect("fmAnalis00", chooseFile(file));
        script.expect("fmAnalis01", [&](QWidget* p) {
            for (const char* panel : {"POk", "PDist", "PInco"})
                EXPECT_EQ(shown(p, panel), QLatin1String(panel) == QLatin1String(c.panel)) << panel;
            if (QLatin1String(c.panel) == QLatin1String("PInco")) {
                EXPECT_FALSE(child(p, "BtConcluir")->isEnabled());
                EXPECT_EQ(child(p, "bbVisualErros")->isEnabled(), c.warningsButton);
                EXPECT_EQ(shown(p, "paMsgAviso"), c.warningsButton);
                // The note on correcting in the system, once however often the page shows.
                EXPECT_EQ(child<QPlainTextEdit>(p, "Memo1")->toPlainText().count("Observação:"), 1);
                click(p, "bbImpErros");
                click(p, "BtCancelar");
            } else {
                EXPECT_FALSE(shown(p, "edCreaAvisos"));
                click(p, "BtVisualizar");
                driveAndWrite(p);
                wrote = true;
            }
            return int(forms::mrNone);
        });
        if (QLatin1String(c.panel) == QLatin1String("PDist"))
            script.expect("fmAnalis02", [](QWidget* p) { click(p, "bbFechar"); return int(forms::mrNone); });
        ShowAnalisador();
        EXPECT_EQ(script.pending(), 0);
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
        EXPECT_EQ(decFiles().size(), wrote ? 1 : 0);
        EXPECT_EQ(leftTables(), QStringList{});
        for (const QString& f : decFiles()) {
            const FileVerdict verdict = CheckWrittenFile(transmit(f), program.dataFolder());
            RemoveAnalysisTables(false);
            EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
            EXPECT_EQ(verdict.contracts, 6);
            QFile::remove(transmit(f));
        }
    }
}

TEST_F(Analisador, AmendmentFileNeedsAValidCreaAndIsWrittenAsAnAmendment) {
    declaration({{1, 2}});
    const QString file = writeInput("retifica.txt", true);
    struct Refused {
        const char* crea;
        const char* code;
    };
    const Refused refused[] = {
        {"", "0040"}, {"12345", "0040"}, {"59012345678X", "0040"}, {"000000000000", "3734"},
        {"091234567890", "3734"}, {"999999999999", "3734"},
    };
    FormsScript script;
    script.expect("fmAnalis00", chooseFile(file));
    script.expect("fmAnalis01", [&](QWidget* p) {
        EXPECT_FALSE(shown(p, "PInco"));
        EXPECT_TRUE(shown(p, "edCrea") || shown(p, "edCreaAvisos"));
        for (const Refused& r : refused) {
            SCOPED_TRACE(r.crea);
            boxes.clear();
            driveAndWrite(p, r.crea);
            settle();
            EXPECT_EQ(boxes.codes(), QStringList{r.code});
            const bool clean = shown(p, "POk");
            EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(p, clean ? "edCrea" : "edCreaAvisos"));
            EXPECT_TRUE(decFiles().isEmpty());
        }
        boxes.clear();
        driveAndWrite(p, "590123456789");
        if (p->isVisible()) {
            ADD_FAILURE() << "not written: " << boxes.texts().join('|').toStdString();
            click(p, "BtCancelar");
        }
        return int(forms::mrNone);
    });
    script.expect("fmAnalis02", [](QWidget* p) { click(p, "bbFechar"); return int(forms::mrNone); });
    ShowAnalisador();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(CreaDeclaracao(), "590123456789");
    ASSERT_EQ(decFiles().size(), 1);
    const QString written = transmit(decFiles().first());
    EXPECT_TRUE(written.endsWith("R.dec"));
    EXPECT_EQ(Cols(header(written), 372, 383), "590123456789");
    EXPECT_TRUE(VerifyFileDigest(written));
    const FileVerdict verdict = CheckWrittenFile(written, program.dataFolder());
    RemoveAnalysisTables(false);
    EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
    EXPECT_EQ(verdict.analysis, kAnaliseRetificacao);
    EXPECT_EQ(verdict.contracts, 2);
}

TEST_F(Analisador, FailedWriteKeepsPageTwoForAnotherTry) {
    declaration({{1, 2}});
    const QString file = writeInput("entrada.txt");
    QDir(transmit()).removeRecursively();
    FormsScript script;
    script.expect("fmAnalis00", chooseFile(file));
    script.expect("fmAnalis01", [&](QWidget* p) {
        driveAndWrite(p);
        // The folder's problem, and no diskette to swap on drive C:.
        EXPECT_EQ(boxes.texts().size(), 2) << boxes.texts().join('|').toStdString();
        EXPECT_TRUE(boxes.texts().value(0).contains("não existe.\nCrie a pasta e grave novamente."))
            << boxes.texts().value(0).toStdString();
        EXPECT_EQ(boxes.texts().value(1), "Ocorreu um erro durante a gravação do arquivo \"ZUVO2009\".");
        EXPECT_TRUE(p->isVisible());
        EXPECT_TRUE(child(p, "BtConcluir")->isEnabled());
        EXPECT_TRUE(!QDir(transmit()).exists() || decFiles().isEmpty());
        QDir().mkpath(transmit());
        driveAndWrite(p);
        return int(forms::mrNone);
    });
    script.expect("fmAnalis02", [](QWidget* p) { click(p, "bbFechar"); return int(forms::mrNone); });
    ShowAnalisador();
    EXPECT_EQ(script.pending(), 0);
    ASSERT_EQ(decFiles().size(), 1);
    EXPECT_EQ(leftTables(), QStringList{});
    const FileVerdict verdict = CheckWrittenFile(transmit(decFiles().first()), program.dataFolder());
    RemoveAnalysisTables(false);
    EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
}

TEST_F(Analisador, StructureErrorShowsThePanelAndBackReturnsToTheFileChoice) {
    const QString file = input("estragado.txt");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(550, 'x') + "\r\n");
    }
    FormsScript script;
    script.expect("fmAnalis00", [&](QWidget* p) {
        child<QLineEdit>(p, "arquivo")->setText(input("nenhum.txt"));
        click(p, "bbAvancar");
        EXPECT_EQ(boxes.texts(),
                  QStringList{"O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo."});
        child<QLineEdit>(p, "arquivo")->setText(file);
        click(p, "bbAvancar");
        EXPECT_TRUE(shown(p, "paErroEstrut"));
        EXPECT_FALSE(shown(p, "PLocalizar"));
        EXPECT_EQ(child(p, "bbCancelar")->text(), "&Fechar");
        EXPECT_TRUE(child(p, "bbVoltar")->isEnabled());
        click(p, "bbErroVisual");
        click(p, "bbVoltar");
        EXPECT_TRUE(shown(p, "PLocalizar"));
        EXPECT_TRUE(child<QLineEdit>(p, "arquivo")->text().isEmpty());
        EXPECT_FALSE(child(p, "bbAvancar")->isEnabled());
        click(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowAnalisador();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(leftTables(), QStringList{});

    // A sound file of the previous base year is refused the same way.
    FormsScript previous;
    previous.expect("fmAnalis00", [](QWidget* p) {
        child<QLineEdit>(p, "arquivo")->setText(QStringLiteral(LOBRIX_SOURCE_DIR "/tests/fuzz/corpus/previous-year.dec"));
        click(p, "bbAvancar");
        EXPECT_TRUE(shown(p, "paErroEstrut"));
        click(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowAnalisador();
    EXPECT_EQ(previous.pending(), 0);
    EXPECT_TRUE(previous.unexpected().isEmpty()) << previous.unexpected().join(',').toStdString();
    EXPECT_EQ(leftTables(), QStringList{});
    EXPECT_TRUE(decFiles().isEmpty());
}

TEST(AnalisadorRules, SizeGateInBothModes) {
    struct Case {
        std::optional<qint64> contracts;
        bool split;
        bool refused;
    };
    const Case cases[] = {
        {49999, false, false}, {50000, false, false}, {50001, false, true}, {std::nullopt, false, false},
        {49999, true, true},   {50000, true, false},  {50001, true, false}, {std::nullopt, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.contracts.value_or(-1) << (c.split ? " split" : " analysis"));
        const QString refusal = SizeGateRefusal(c.contracts, c.split);
        EXPECT_EQ(!refusal.isEmpty(), c.refused);
        if (c.refused)
            EXPECT_TRUE(refusal.contains(c.split ? "não necessita ser particionada" : "\"Particionar Arquivo\""));
    }
}

TEST(AnalisadorRules, CheckResultChoosesTheMode) {
    const std::pair<std::uint8_t, const char*> cases[] = {{0, "3"}, {1, "0"}, {2, "1"}, {3, "2"}};
    for (const auto& [result, mode] : cases) EXPECT_EQ(ModoResultadoDe(result), mode) << int(result);
}

TEST_F(Analisador, GateStopsBeforeTheAnalysis) {
    // A trailer that states more than the file holds: the gate reads the
    // trailer, the analysis would refuse the count.
    declaration({{1, 1}});
    const QString file = writeInput("grande.txt");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        const int trailer = bytes.size() - 552;
        for (const auto& [count, split, refusal] :
             {std::tuple<QByteArray, int, QString>{"050001", 0, "Esta declaração possui mais de 50.000 registros."},
              {"049999", 1, "Esta declaração não necessita ser particionada."}}) {
            SCOPED_TRACE(count.constData());
            bytes.replace(trailer + 29, 6, count);
            f.seek(0);
            f.write(bytes);
            f.flush();
            boxes.clear();
            FormsScript script;
            script.expect("fmAnalis00", [&, refusal = refusal](QWidget* p) {
                child<QLineEdit>(p, "arquivo")->setText(file);
                click(p, "bbAvancar");
                EXPECT_EQ(boxes.texts().size(), 1);
                EXPECT_TRUE(boxes.texts().value(0).startsWith(refusal)) << boxes.texts().join('|').toStdString();
                EXPECT_TRUE(shown(p, "PLocalizar"));
                click(p, "bbCancelar");
                return int(forms::mrNone);
            });
            if (split) ShowParticionar(nullptr);
            else ShowAnalisador(nullptr);
            EXPECT_EQ(script.pending(), 0);
            EXPECT_EQ(ModoParticionamento, 0);
        }
    }
}

TEST_F(Analisador, CorrectingInTheSystemOpensTheImportOverTheFilesEstablishments) {
    declaration({{1, 1}, {2, 2}}, [](int est, int c, valid::Row& r) {
        if (est == 2 && c == 0) r["CoCpfEmpregado"] = "12345678900";
    });
    const QString file = writeInput("erros.txt");
    FormsScript script;
    int listed = -1;
    bool allSet = false;
    script.expect("fmAnalis00", chooseFile(file));
    script.expect("fmAnalis01", [](QWidget* p) {
        EXPECT_TRUE(shown(p, "PInco"));
        click(p, "BtImporta");
        EXPECT_TRUE(p->isVisible());  // back on page 2 after the notice
        click(p, "BtCancelar");
        return int(forms::mrNone);
    });
    script.expect("fmAnalisRegras", [](QWidget* p) { click(p, "BtFechar"); return int(forms::mrNone); });
    int ticked = -1;
    script.expect("fmImport02", [&](QWidget* p) {
        auto* page = static_cast<TfmImport02*>(p);
        listed = page->LEmpresas->count();
        allSet = page->SelecAllRButton->isChecked();
        ticked = forms::CountTickedItems(page->LEmpresas);
        click(p, "BtConcluir");
        if (p->isVisible()) click(p, "BtCancelar");  // nothing was ticked to import
        return int(forms::mrNone);
    });
    script.expect("fmImport03", [](QWidget* p) { click(p, "BtFechar"); return int(forms::mrNone); });
    ShowAnalisador();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(listed, 2);
    // "Selecionar Todos" shown set means every establishment is ticked.
    EXPECT_TRUE(allSet);
    EXPECT_EQ(ticked, 2);
    // Nothing of the import is left behind either.
    EXPECT_EQ(leftTables(), QStringList{});
    EXPECT_FALSE(db::Database::forFolder(program.dataFolder())->tableExists("TE8Imp.db"));
}

// One file of 60,000 contracts: the close box while it is analysed, then
// its split into two parts, each of which the analyser reads whole and the
// analysis wizard then checks clean and writes again.
TEST_F(Analisador, LargeFileIsSplitIntoPartsThatEachPassTheAnalysis) {
    declaration({{1, 60000}});
    const QString diskette = program.path() + "A";
    QDir().mkpath(diskette);
    drives::SetDrive('A', {diskette, drives::DriveType::Removable, 1000 * 1000 * 1000});
    const QString file = writeInput("grande.txt", false, 'A');
    drives::RemoveDrive('A');

    // The close box or Cancel during the analysis: asked to stop, the page
    // closes once the analysis has returned, and nothing of the run is left.
    for (const bool closeBox : {true, false}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        boxes.clear();
        boxes.answer("mrYes");  // "Deseja interromper?"
        FormsScript script;
        script.expect("fmAnalis00", [&](QWidget* p) {
            auto* page = static_cast<forms::WizardPage*>(p);
            whenBusy(page, [page, p, closeBox] {
                if (closeBox) page->close(); else click(p, "bbCancelar");
            });
            child<QLineEdit>(p, "arquivo")->setText(file);
            click(p, "bbAvancar");
            if (!closeBox && p->isVisible()) click(p, "bbCancelar");  // back on the file choice
            return int(forms::mrNone);
        });
        ShowParticionar();
        EXPECT_EQ(script.pending(), 0);
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
        EXPECT_EQ(ModoParticionamento, 0);
        EXPECT_EQ(leftTables(), QStringList{});
        EXPECT_TRUE(decFiles().isEmpty());
    }

    boxes.clear();
    FormsScript split;
    split.expect("fmAnalis00", chooseFile(file));
    split.expect("fmAnalis01", [](QWidget* p) {
        EXPECT_TRUE(shown(p, "Memo4"));
        EXPECT_FALSE(shown(p, "Memo3"));
        EXPECT_FALSE(shown(p, "Panel1"));  // no drive: the parts go to Transmite
        click(p, "BtConcluir");
        return int(forms::mrNone);
    });
    split.expect("fmAnalis02", [](QWidget* p) {
        EXPECT_TRUE(shown(p, "meAnaliseOkPartic"));
        EXPECT_FALSE(shown(p, "btnTransmite"));
        click(p, "bbFechar");
        return int(forms::mrNone);
    });
    ShowParticionar();
    EXPECT_EQ(split.pending(), 0);
    EXPECT_EQ(ModoParticionamento, 0);
    EXPECT_EQ(leftTables(), QStringList{});
    ASSERT_EQ(boxes.texts().size(), 1) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(boxes.texts().first().startsWith("A declaração foi particionada em 2 arquivos"));
    const QStringList parts = decFiles();
    ASSERT_EQ(parts.size(), 2) << parts.join(',').toStdString();
    int total = 0;
    QList<int> counts;  // of each part, as split
    for (const QString& part : parts) {
        SCOPED_TRACE(part.toStdString());
        const QString path = transmit(part);
        const auto records = Records(path);
        EXPECT_EQ(Cols(records.first(), 397, 398), " P");
        EXPECT_EQ(Cols(records.last(), 519, 550), QByteArray(32, ' '));

        // Each part reads back whole, within the analysis's size.
        int establishments = 0, contracts = 0;
        EXPECT_EQ(readBack(path, establishments, contracts), kAnaliseSemErro);
        EXPECT_LE(contracts, 50000);
        total += contracts;
        counts << contracts;
    }
    EXPECT_EQ(total, 60000);
    EXPECT_EQ(decFiles(), parts);

    // Each part then passes "&Analisador" where it lies, the second one first:
    // checked clean and written again under its own name, marked "A " with its
    // digest, while the other part stays as it was.
    for (int k : {1, 0}) {
        const QString part = parts[k];
        SCOPED_TRACE(part.toStdString());
        const QByteArray other = ReadAll(transmit(parts[1 - k]));
        boxes.clear();
        boxes.answer("mrYes");  // the part's own file is replaced
        FormsScript analysis;
        analysis.expect("fmAnalis00", chooseFile(transmit(part)));
        analysis.expect("fmAnalis01", [&](QWidget* p) {
            if (shown(p, "PInco")) {
                // Name the first findings; with errors there is nothing to write.
                db::Table findings(db::Database::forFolder(program.dataFolder()), "te8errwa.db");
                findings.Open();
                QStringList codes;
                for (findings.First(); !findings.Eof() && codes.size() < 10; findings.Next())
                    codes << findings.FieldByName("retorno").AsString() + '/' + findings.FieldByName("lbl").AsString();
                ADD_FAILURE() << "the check found errors: " << codes.join(' ').toStdString();
                return int(forms::mrCancel);
            }
            driveAndWrite(p);
            return int(forms::mrNone);
        });
        analysis.expect("fmAnalis02", [](QWidget* p) {
            EXPECT_TRUE(shown(p, "meAnaliseOK"));
            click(p, "bbFechar");
            return int(forms::mrNone);
        });
        ShowAnalisador();
        EXPECT_EQ(analysis.pending(), 0);
        EXPECT_TRUE(analysis.unexpected().isEmpty()) << analysis.unexpected().join(',').toStdString();
        EXPECT_EQ(leftTables(), QStringList{});
        EXPECT_EQ(boxes.texts(), QStringList{"Existe um arquivo de nome \"" + part + "\" no drive C: .\rAutoriza gravar sobre?"});
        EXPECT_EQ(decFiles(), parts);
        EXPECT_EQ(ReadAll(transmit(parts[1 - k])), other);
        const QString written = transmit(part);
        EXPECT_EQ(Cols(header(written), 397, 398), "A ");
        EXPECT_TRUE(VerifyFileDigest(written));
        const FileVerdict verdict = CheckWrittenFile(written, program.dataFolder());
        RemoveAnalysisTables(false);
        EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
        EXPECT_EQ(verdict.contracts, counts[k]);
    }
}
