#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/ufmGravaDecl00.h"
#include "declfile/ufmGravaDecl01.h"
#include "declfile/ufmGravaDecl02.h"
#include "declfile/ufmGravaDecl03.h"
#include "declfile/ufmGravaDecl04.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugHashCompara.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/TickList.h"
#include "rules/UgDadosResp.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

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

using namespace declfile;

namespace {

void settle() {
    for (int i = 0; i < 6; ++i) QApplication::processEvents();
}

template <typename T = QPushButton>
T* child(QWidget* form, const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget* form, const char* name) { QTest::mouseClick(child(form, name), Qt::LeftButton); }

void tickLine(forms::TickList* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 10, r.center().y()));
    QTest::qWait(QApplication::doubleClickInterval() + 20);
}

void typeDate(QLineEdit* edit, const QString& digits) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, digits);
}

void chooseDrive(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }

// Three establishments of 2009 with two contracts each, and a valid person
// responsible; the data modules, the report module and a main window.
class GravaDecl : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages boxes;
    std::unique_ptr<TdmRaveRelatorios> reports;

    void SetUp() override {
        boxes.acceptOkBoxes();
        ResetResponsibleChecks();
        valid::WriteDeclaration(3, 2);
        reports = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = reports.get();
        report::SetPrinterInstalledForTests(true);
        report::SetPreviewRunnerForTests([](QPrintPreviewDialog&) {});
        StoreWriterState(WriterState{});
        SetCreaDeclaracao(QString());
        QDir().mkpath(transmit());
    }
    void TearDown() override {
        forms::SetFileDialogRunner({});
        SetPartFileFactory({});
        report::SetPrinterInstalledForTests(std::nullopt);
        report::SetPreviewRunnerForTests(nullptr);
        dmRaveRelatorios = nullptr;
        reports.reset();
    }

    QString transmit(const QString& name = QString()) const { return program.path() + "Transmite/" + name; }
    QStringList decFiles() const { return QDir(transmit()).entryList({"*.dec"}, QDir::Files, QDir::Name); }

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
        script.expect("fmGravaDecl00", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
        script.expect("fmGravaDecl02", [lines](QWidget* p) {
            auto* list = child<forms::TickList>(p, "clEmpresas");
            for (int l : lines) tickLine(list, l);
            click(p, "bbAvancar");
            return int(forms::mrNone);
        });
        script.expect("fmGravaDecl01", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    }

    // Page 4: a valid date and "Drive C:" on the panel the check chose.
    static void dateAndDrive(QWidget* p, const QString& date = "15012010") {
        const bool clean = !child<QFrame>(p, "paConcluir")->isHidden();
        typeDate(child<QLineEdit>(p, clean ? "mdDataConcluir" : "mdDataAvisos"), date);
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
    script.expect("fmGravaDecl00", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmGravaDecl02", [&](QWidget* p) {
        auto* list = child<forms::TickList>(p, "clEmpresas");
        EXPECT_EQ(list->count(), 3);
        pageTwoFirstLine = list->item(0)->text();
        tickLine(list, 0);
        tickLine(list, 2);
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl01", [](QWidget* p) {
        EXPECT_FALSE(child<QLineEdit>(p, "deNome")->text().isEmpty());  // shown as stored
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl03", [](QWidget* p) {
        EXPECT_TRUE(child<QFrame>(p, "paErros")->isHidden()) << "the check found errors";
        dateAndDrive(p);
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl04", [&](QWidget* p) {
        click(p, "btSalvarRelat");
        click(p, "Button1");
        return int(forms::mrNone);
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
    EXPECT_TRUE(VerifyFileDigest(file));
    TAnaliseEstrutura analyser;
    WriterHost host;
    int establishmentsRead = 0, contractsRead = 0;
    EXPECT_EQ(analyser.AnalyseFile(file, 2009, host, program.dataFolder(), false, establishmentsRead, contractsRead, false), 0);
    EXPECT_EQ(establishmentsRead, 2);
    EXPECT_EQ(contractsRead, 4);
    db::Query loaded(dmLobrix->dbZuvo);
    loaded.SetSQL("SELECT CoCgcCeiEstabelecimento FROM Te8Emp ORDER BY CoCgcCeiEstabelecimento");
    loaded.Open();
    QStringList read;
    for (loaded.First(); !loaded.Eof(); loaded.Next()) read << loaded.Fields(0).AsString();
    loaded.Close();
    EXPECT_EQ(read, QStringList({est[0], est[2]}));

    // The summary names the first establishment written.
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(pageTwoFirstLine.left(18).trimmed())) << text.toStdString();
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
    script.expect("fmGravaDecl00", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmGravaDecl02", [](QWidget* p) {
        child<QCheckBox>(p, "ckSelecionarTudo")->click();
        click(p, "bbAvancar");
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
            click(page, "bbCancelar");
        });
        watch->start(0);
        click(p, "bbAvancar");
        dataPanelBack = !child<QFrame>(p, "paDadosResp")->isHidden() && child(p, "bbAvancar")->isEnabled() &&
                        child(p, "bbVoltar")->isEnabled() && p->isVisible();
        click(p, "bbCancelar");
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

TEST_F(GravaDecl, NothingTickedAndNoEstablishmentOfTheYear) {
    FormsScript script;
    script.expect("fmGravaDecl00", [](QWidget* p) {
        click(p, "bbAvancar");
        click(p, "bbCancelar");  // page 1 again after Back
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl02", [&](QWidget* p) {
        click(p, "bbAvancar");  // nothing ticked
        EXPECT_EQ(boxes.codes(), QStringList{"1301"});
        EXPECT_TRUE(p->isVisible());
        click(p, "bbVoltar");
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
        click(p, "bbAvancar");
        EXPECT_EQ(boxes.codes(), QStringList{"1700"});
        EXPECT_TRUE(p->isVisible());
        click(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowGravaDecl();
    EXPECT_EQ(none.pending(), 0);
    EXPECT_TRUE(none.unexpected().isEmpty());
}
