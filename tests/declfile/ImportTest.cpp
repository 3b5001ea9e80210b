// The import: a user's walk through the wizard, the decisions of the run
// over an analysed file, and a failure in the middle of it.
#include "AnalyserFixture.h"

#include "declfile/MainWindowState.h"
#include "declfile/ufmImport00.h"
#include "declfile/ufmImport02.h"
#include "declfile/ugImportacao.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/ProgressHost.h"
#include "platform/ui/TickList.h"
#include "shell/UdmLobrix.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace declfile;
using Row = QMap<QString, QString>;

namespace {

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

// A host that fails like the engine would, at the n-th pass of events.
class FailingHost : public forms::ProgressHost {
public:
    explicit FailingHost(int at) : at_(at) {}
    void ProcessEvents() override {
        if (++passes_ == at_) throw db::DbError(db::ErrorKind::Io, db::kGeneralError, QStringLiteral("disk I/O error"));
    }

private:
    int at_;
    int passes_ = 0;
};

// Three valid establishments of 2009 with two contracts each, written to a
// file; the tests import it into emptied or seeded declaration tables.
class Import : public ::testing::Test {
public:
    TempProgramWithModules program;
    ScriptedMessages boxes;
    std::unique_ptr<TdmRaveRelatorios> reports;
    QTemporaryDir files;
    QByteArray file;

    void SetUp() override {
        boxes.acceptOkBoxes();
        valid::WriteDeclaration(3, 2);
        file = analyserfixture::WriteFile(data(), false);
        ASSERT_EQ(file.size(), 11 * 552);
        reports = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = reports.get();
        report::SetPrinterInstalledForTests(true);
        report::SetPreviewRunnerForTests([](QPrintPreviewDialog&) {});
        SetProgramAnoBase(2009);
    }
    void TearDown() override {
        forms::SetFileDialogRunner({});
        report::SetPrinterInstalledForTests(std::nullopt);
        report::SetPreviewRunnerForTests(nullptr);
        dmRaveRelatorios = nullptr;
        reports.reset();
    }

    QString data() const { return program.dataFolder(); }
    std::shared_ptr<db::Database> database() const { return dmLobrix->dbZuvo; }

    void emptyDeclaration() {
        for (const char* t : {"BD8Emp.db", "BD8Vinc.db"}) {
            db::Table table(database(), QString::fromLatin1(t));
            table.Open();
            table.EmptyTable();
        }
    }

    QString writeFile(const QByteArray& bytes, const QString& name = QStringLiteral("ZUVO2009.TXT")) {
        const QString path = files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }

    void analyse(const QByteArray& bytes, bool previous) {
        analyserfixture::AnalyseOptions o;
        o.previousYear = previous;
        o.zeroPay = true;
        ASSERT_EQ(analyserfixture::AnalyseBytes(data(), bytes, o).result, kAnaliseSemErro);
    }

    QList<Row> rows(const QString& sql) {
        db::Query q(database());
        q.SetSQL(sql);
        q.Open();
        QList<Row> out;
        for (q.First(); !q.Eof(); q.Next()) {
            Row r;
            for (int i = 0; i < q.FieldCount(); ++i) r.insert(q.Fields(i).FieldName(), q.Fields(i).AsString());
            out << r;
        }
        return out;
    }
    QList<Row> establishments() {
        return rows("select * from BD8Emp order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
    }
    QList<Row> contracts() {
        return rows("select * from BD8Vinc order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                    "CoPisPasepEmpregado, NoEmpregado");
    }
    QList<Row> importRows() { return rows("select * from TE8Imp"); }

    void exec(const QString& sql) {
        db::Query q(database());
        q.SetSQL(sql);
        q.ExecSQL();
    }

    // Imports the chosen establishments (all of the file's year when none
    // is named) straight through the run.
    void runImport(int anoArquivo, bool layoutAnterior, QStringList chosen = {}) {
        if (chosen.isEmpty())
            for (const Row& r : rows(QStringLiteral("select * from Te8Emp where AnBase = '%1' order by "
                                                    "CoCgcCeiEstabelecimento")
                                         .arg(anoArquivo)))
                chosen << r["CoCgcCeiEstabelecimento"] + r["NuPrefixoEstabelecimento"];
        TImportacao run(database(), 2009, anoArquivo, layoutAnterior);
        run.CreateImportTable();
        for (const QString& key : chosen) run.AddChosen(key.left(14), key.mid(14));
        forms::ProgressHost host;
        run.Run(chosen.size(), host);
    }

    static QString cnpj(int n) { return valid::EstablishmentCnpj(n); }
};

}  // namespace

TEST_F(Import, UserImportsTwoOfThreeEstablishmentsAndThenFindsThemAllDuplicate) {
    emptyDeclaration();
    const QString path = writeFile(file);
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::ImpAnoAtual, [] { ShowImportWizard(fmLOBRIX, "Atual - Ano 2009"); });
    window.show();
    ASSERT_TRUE(window.CommandAction(LobrixCommand::ImpAnoAtual)->isEnabled());

    auto walk = [&](const std::function<void(const QList<Row>&)>& atResult) {
        QString reportText;
        FormsScript script;
        script.expect("fmImport00", [&](QWidget* p) {
            EXPECT_EQ(p->windowTitle(), "Assistente para Importação de Estabelecimentos (Declaração Ano-Base Atual - Ano 2009)");
            EXPECT_FALSE(child(p, "BtAvancar")->isEnabled());
            QTest::keyClicks(child<QLineEdit>(p, "arquivo"), path);
            click(p, "BtAvancar");
            return int(forms::mrNone);
        });
        script.expect("fmImport02", [&](QWidget* p) {
            auto* list = child<forms::TickList>(p, "LEmpresas");
            EXPECT_EQ(list->count(), 3);
            tickLine(list, 0);
            tickLine(list, 2);
            click(p, "BtConcluir");
            return int(forms::mrNone);
        });
        script.expect("fmImport03", [&](QWidget* p) {
            atResult(importRows());
            click(p, "BtVisual");
            const QString txt = files.filePath("import.txt");
            reports->RvSystem1.setDestination(report::Destination::TextFile, txt);
            reports->rvprjErro.SelectReport("rptImportacao");
            EXPECT_TRUE(reports->rvprjErro.Execute());
            reports->rvprjErro.Close();
            reportText = ReadTextFile(txt);
            click(p, "BtFechar");
            return int(forms::mrNone);
        });
        window.CommandAction(LobrixCommand::ImpAnoAtual)->trigger();
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
        EXPECT_EQ(script.pending(), 0);
        return reportText;
    };

    const QString first = walk([&](const QList<Row>& imp) {
        ASSERT_EQ(imp.size(), 2);
        for (const Row& r : imp) {
            EXPECT_EQ(r["AnBase"], "2009");
            EXPECT_EQ(r["NuTotalImportados"], "2");
            EXPECT_EQ(r["NuTotalDuplicados"], "0");
            EXPECT_EQ(r["NuTotalDesligados"], "0");
            EXPECT_EQ(r["CoImp"], "");
        }
    });
    EXPECT_TRUE(first.contains("Relatório de Importação")) << first.toStdString();
    EXPECT_TRUE(first.contains("Arquivo importado do ano 2009"));
    const QList<Row> est = establishments();
    ASSERT_EQ(est.size(), 2);
    EXPECT_EQ(est[0]["CoCgcCeiEstabelecimento"], cnpj(0));
    EXPECT_EQ(est[1]["CoCgcCeiEstabelecimento"], cnpj(2));
    const QList<Row> vinc = contracts();
    ASSERT_EQ(vinc.size(), 4);
    for (const Row& r : vinc) {
        EXPECT_EQ(r["AnBase"], "2009");
        EXPECT_NE(r["CoCgcCeiEstabelecimento"], cnpj(1));
    }
    // The wizard leaves no working table behind; the responsible row stays.
    for (const char* t : {"te8Emp.db", "te8Vinc.db", "te8Imp.db", "te8Stru.db"})
        EXPECT_FALSE(database()->tableExists(t)) << t;
    EXPECT_TRUE(database()->tableExists("Te8resp.db"));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('|').toStdString();

    walk([&](const QList<Row>& imp) {
        ASSERT_EQ(imp.size(), 2);
        for (const Row& r : imp) {
            EXPECT_EQ(r["NuTotalImportados"], "0");
            EXPECT_EQ(r["NuTotalDuplicados"], "2");
        }
    });
    EXPECT_EQ(contracts().size(), 4);
}

TEST_F(Import, NextPrefixCountsInBase36) {
    const std::pair<const char*, const char*> cases[] = {
        {"G0", "G1"}, {"G9", "GA"}, {"GZ", "H0"}, {"9Z", "A0"}, {"ZZ", "00"}, {"00", "01"}, {"AY", "AZ"}};
    for (const auto& [from, to] : cases) EXPECT_EQ(NextPrefix(from), to) << from;
}

TEST_F(Import, CodesAreNumberedInTheOrderTheyFirstAppear) {
    CodeSequence s;
    const std::pair<const char*, const char*> cases[] = {
        {"0053", "1"}, {"1505", "2"}, {"0053", "1"}, {"1502", "3"}, {"1505", "2"}};
    for (const auto& [code, seq] : cases) EXPECT_EQ(s.Assign(code), seq) << code;
    s.Clear();
    EXPECT_EQ(s.Assign("1505"), "1");
}

TEST_F(Import, PreviousYearCarriesOverOnlyContractsNotTerminated) {
    emptyDeclaration();
    // Establishment 0 gets four contracts with the causes 00, 71, 78 and 10.
    {
        db::Table emp(database(), "BD8Emp.db"), vinc(database(), "BD8Vinc.db");
        emp.Open();
        vinc.Open();
        valid::Append(emp, valid::Establishment(0, 4));
        const char* causes[] = {"00", "71", "78", "10"};
        for (int i = 0; i < 4; ++i) {
            valid::Row c = valid::Contract(valid::Establishment(0, 4), 100 + i);
            if (QString(causes[i]) != "00") c = valid::With(c, {{"CoCausaDesligamento", causes[i]}, {"DaDesligamentoEmpregado", "1512"}});
            valid::Append(vinc, c);
        }
    }
    const QByteArray current = analyserfixture::WriteFile(data(), false);
    emptyDeclaration();
    analyse(analyserfixture::PreviousYearFile(current), true);
    exec("update Te8Vinc set QtDiasAfas = ''");
    runImport(2008, true);

    const QList<Row> imp = importRows();
    ASSERT_EQ(imp.size(), 1);
    EXPECT_EQ(imp[0]["NuTotalImportados"], "3");
    EXPECT_EQ(imp[0]["NuTotalDesligados"], "1");
    EXPECT_EQ(imp[0]["CoImp"], "");
    const QList<Row> est = establishments();
    ASSERT_EQ(est.size(), 1);
    EXPECT_EQ(est[0]["AnBase"], "2009");
    EXPECT_EQ(est[0]["InAvisoCnae"], "1");
    EXPECT_EQ(est[0]["InSindicalizada"], "");
    EXPECT_EQ(est[0]["NuVinculosEstabelecimento"], "000003");  // recounted, not the file's 4
    const QList<Row> vinc = contracts();
    ASSERT_EQ(vinc.size(), 3);
    for (const Row& r : vinc) {
        EXPECT_EQ(r["AnBase"], "2009");
        EXPECT_EQ(r["HoTrabalhadasJaneiro"], "000");
        EXPECT_EQ(r["HoTrabalhadasDezembro"], "000");
        EXPECT_EQ(r["InSindicalizadoVinculo"], "");
        EXPECT_EQ(r["CoDeficienteFisico"], "");
        EXPECT_EQ(r["QtDiasAfas"], "000");
        EXPECT_EQ(r["NuSequencialRegistro"], "");
        EXPECT_NE(r["CoCausaDesligamento"], "10");
    }
}
