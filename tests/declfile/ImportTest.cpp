// The import: a user's walk through the wizard, the decisions of the run
// over an analysed file, and a failure in the middle of it.
#include "AnalyserFixture.h"

#include "declfile/MainWindowState.h"
#include "declfile/import/ufmImport00.h"
#include "declfile/import/ufmImport02.h"
#include "declfile/ugImportacao.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/ProgressHost.h"
#include "platform/ui/TickList.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "platform/ui/LobrixApplication.h"
#include "shell/udmEntradaDados.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"
#include "support/SmallDisk.h"
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
#include <sys/stat.h>

using namespace declfile;
using Row = QMap<QString, QString>;

namespace {

using gui::child;
using gui::clickChild;
using gui::tickLine;

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
            clickChild(p, "BtAvancar");
            return int(forms::mrNone);
        });
        script.expect("fmImport02", [&](QWidget* p) {
            auto* list = child<forms::TickList>(p, "LEmpresas");
            EXPECT_EQ(list->count(), 3);
            tickLine(list, 0);
            tickLine(list, 2);
            clickChild(p, "BtConcluir");
            return int(forms::mrNone);
        });
        script.expect("fmImport03", [&](QWidget* p) {
            atResult(importRows());
            clickChild(p, "BtVisual");
            const QString txt = files.filePath("import.txt");
            reports->RvSystem1.setDestination(report::Destination::TextFile, txt);
            reports->rvprjErro.SelectReport("rptImportacao");
            EXPECT_TRUE(reports->rvprjErro.Execute());
            reports->rvprjErro.Close();
            reportText = ReadTextFile(txt);
            clickChild(p, "BtFechar");
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
    // The wizard leaves no working table behind, the responsible's neither.
    for (const char* t : {"te8Emp.db", "te8Vinc.db", "te8Resp.db", "te8Imp.db", "te8Stru.db"})
        EXPECT_FALSE(database()->tableExists(t)) << t;
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

TEST_F(Import, ExistingEstablishmentsDecideWhatIsWritten) {
    // Establishment 0 is there with one of its two contracts; 1 is recorded
    // without employees under another name; 2 has another linked CEI, and
    // its first new prefix G0 is taken.
    exec(QStringLiteral("delete from BD8Vinc where CoCgcCeiEstabelecimento = '%1' and CoPisPasepEmpregado = '%2'")
             .arg(cnpj(0), valid::ContractPis(0)));
    exec(QStringLiteral("update BD8Vinc set CoNacionalidade = '20' where CoCgcCeiEstabelecimento = '%1'").arg(cnpj(0)));
    exec(QStringLiteral("update BD8Emp set InZuvoNegEstabelecimento = '1', NoRazaoEstabelecimento = 'NOME ANTIGO', "
                        "NuVinculosEstabelecimento = '000000' where CoCgcCeiEstabelecimento = '%1'")
             .arg(cnpj(1)));
    exec(QStringLiteral("delete from BD8Vinc where CoCgcCeiEstabelecimento = '%1'").arg(cnpj(1)));
    exec(QStringLiteral("update BD8Emp set CoCgcVinculado = '12345678901234' where CoCgcCeiEstabelecimento = '%1'")
             .arg(cnpj(2)));
    {
        db::Table emp(database(), "BD8Emp.db");
        emp.Open();
        valid::Append(emp, valid::With(valid::Establishment(2, 0), {{"NuPrefixoEstabelecimento", "G0"}}));
    }
    analyse(file, false);
    runImport(2009, false);

    const QList<Row> imp = importRows();
    ASSERT_EQ(imp.size(), 3);
    struct Expected {
        const char* prefix;
        const char* imported;
        const char* duplicates;
        const char* code;
        const char* seq;
    } expected[] = {{"00", "1", "1", "", ""}, {"00", "2", "0", "1502", "1"}, {"G1", "2", "0", "1505", "2"}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(imp[i]["CoCgcCeiEstabelecimento"], cnpj(i));
        EXPECT_EQ(imp[i]["NuPrefixoEstabelecimento"], expected[i].prefix);
        EXPECT_EQ(imp[i]["NuTotalImportados"], expected[i].imported);
        EXPECT_EQ(imp[i]["NuTotalDuplicados"], expected[i].duplicates);
        EXPECT_EQ(imp[i]["CoImp"], expected[i].code);
        EXPECT_EQ(imp[i]["Seq"], expected[i].seq);
    }
    const QList<Row> est = establishments();
    ASSERT_EQ(est.size(), 5);  // 0, 1, 2 with its own prefix, G0 and the new G1
    EXPECT_EQ(est[0]["NuVinculosEstabelecimento"], "000002");  // recounted after gaining one
    EXPECT_EQ(est[0]["NuEstrangeirosEstabelec"], "00001");      // the one it had
    EXPECT_EQ(est[1]["InZuvoNegEstabelecimento"], "0");         // replaced by the file's row
    EXPECT_NE(est[1]["NoRazaoEstabelecimento"], "NOME ANTIGO");
    EXPECT_EQ(est[1]["NuVinculosEstabelecimento"], "000002");
    EXPECT_EQ(est[4]["NuPrefixoEstabelecimento"], "G1");
    EXPECT_EQ(est[4]["CoCgcVinculado"], "00000000000000");
    EXPECT_EQ(est[2]["CoCgcVinculado"], "12345678901234");  // the existing one stays
    EXPECT_EQ(rows(QStringLiteral("select * from BD8Vinc where NuPrefixoEstabelecimento = 'G1'")).size(), 2);
}

TEST_F(Import, EveryPrefixTakenImportsNothingOfThatEstablishment) {
    exec(QStringLiteral("update BD8Emp set CoCgcVinculado = '12345678901234' where CoCgcCeiEstabelecimento = '%1'")
             .arg(cnpj(0)));
    {
        db::Transaction tx(*database());
        db::Table emp(database(), "BD8Emp.db");
        emp.Open();
        QString p = "01";
        for (int i = 0; i < 36 * 36 - 1; ++i, p = NextPrefix(p))
            valid::Append(emp, valid::With(valid::Establishment(0, 0), {{"NuPrefixoEstabelecimento", p}}));
        tx.commit();
    }
    const int contractsBefore = contracts().size();
    analyse(file, false);
    runImport(2009, false, {cnpj(0) + "00"});
    const QList<Row> imp = importRows();
    ASSERT_EQ(imp.size(), 1);
    EXPECT_EQ(imp[0]["CoImp"], kCodigoSemPrefixoLivre);
    EXPECT_EQ(imp[0]["Seq"], "1");
    EXPECT_EQ(imp[0]["NuTotalImportados"], "0");
    EXPECT_EQ(contracts().size(), contractsBefore);
    EXPECT_EQ(rows("select * from tb8MSG where NuMensagem = '1506'").size(), 1);
}

TEST_F(Import, WithoutEmployeesFieldRulesAndLostEntries) {
    analyse(file, false);
    // The file declares establishment 0 without employees; 1 has a wrong
    // inscription and a wrong prefix.
    exec(QStringLiteral("update Te8Emp set InZuvoNegEstabelecimento = '1' where CoCgcCeiEstabelecimento = '%1'")
             .arg(cnpj(0)));
    const QString bad = cnpj(1).left(12) + (cnpj(1).right(2) == "99" ? "98" : "99");
    exec(QStringLiteral("update Te8Emp set CoCgcCeiEstabelecimento = '%1', NuPrefixoEstabelecimento = '#1' "
                        "where CoCgcCeiEstabelecimento = '%2'")
             .arg(bad, cnpj(1)));
    TImportacao run(database(), 2009, 2009, false);
    run.CreateImportTable();
    EXPECT_TRUE(run.AddChosen(cnpj(0), "00"));
    EXPECT_TRUE(run.AddChosen(bad, "#1"));
    EXPECT_FALSE(run.AddChosen("99999999999999", "00"));  // not in the file: no row
    const int contractsBefore = contracts().size();
    forms::ProgressHost host;
    run.Run(3, host);
    const QList<Row> imp = importRows();
    ASSERT_EQ(imp.size(), 2);
    EXPECT_EQ(imp[0]["CoImp"], "1501");
    const QString inscriptionCode = CheckInscription(bad);
    ASSERT_NE(inscriptionCode, "0050");
    EXPECT_EQ(imp[1]["CoImp"], inscriptionCode);  // the inscription's code before the prefix's
    EXPECT_EQ(imp[1]["Seq"], "2");
    for (const Row& r : imp)
        for (const char* counter : {"NuTotalImportados", "NuTotalDuplicados", "NuTotalDesligados"})
            EXPECT_EQ(r[counter], "0") << counter;
    EXPECT_EQ(contracts().size(), contractsBefore);
}

TEST_F(Import, ZeroPisNeedsTheNameAndZeroUnionCnpjIsStoredEmpty) {
    emptyDeclaration();
    analyse(file, false);
    const QString e0 = cnpj(0);
    ASSERT_FALSE(rows(QStringLiteral("select * from Te8Vinc where CoCgcCeiEstabelecimento = '%1'").arg(e0))
                     .value(0)["CoCNPJSindical"].isEmpty());
    exec(QStringLiteral("update Te8Vinc set CoPisPasepEmpregado = '00000000000', DaAdmissaoEmpregado = '01032005' "
                        "where CoCgcCeiEstabelecimento = '%1'").arg(e0));
    exec(QStringLiteral("update Te8Vinc set CoCNPJSindical = '00000000000000' where CoCgcCeiEstabelecimento = '%1'")
             .arg(e0));
    exec(QStringLiteral("update Te8Emp set CoCNPJSindical = '00000000000000' where CoCgcCeiEstabelecimento = '%1'")
             .arg(e0));
    runImport(2009, false, {e0 + "00", cnpj(1) + "00"});
    EXPECT_EQ(importRows().value(0)["NuTotalImportados"], "2");  // different names
    const QList<Row> vinc = contracts();
    ASSERT_EQ(vinc.size(), 4);
    for (const Row& r : vinc) EXPECT_EQ(r["CoCNPJSindical"].isEmpty(), r["CoCgcCeiEstabelecimento"] == e0);
    EXPECT_EQ(establishments().value(0)["CoCNPJSindical"], "");
    EXPECT_FALSE(establishments().value(1)["CoCNPJSindical"].isEmpty());

    // The same name makes the second one a duplicate.
    emptyDeclaration();
    exec(QStringLiteral("update Te8Vinc set NoEmpregado = 'MESMO NOME' where CoCgcCeiEstabelecimento = '%1'").arg(e0));
    runImport(2009, false, {e0 + "00"});
    EXPECT_EQ(importRows().value(0)["NuTotalImportados"], "1");
    EXPECT_EQ(importRows().value(0)["NuTotalDuplicados"], "1");
}

TEST_F(Import, AnEstablishmentOfManyBlocksImportsEachContractOnceInItsOrder) {
    // More contracts than the run copies at a time, with a contract that
    // repeats the PIS and admission of the last one of the first block (under
    // a name that puts it right after it): the first of the second block.
    emptyDeclaration();
    exec("delete from BD8Resp");
    constexpr int kBlock = declfile::TImportacao::kContractsPerCopy;
    constexpr int kContracts = kBlock + 600;
    valid::WriteDeclaration(1, kContracts);
    const QByteArray many = analyserfixture::WriteFile(data(), false);
    emptyDeclaration();
    analyse(many, false);
    const QString order = "order by " + DeclarationTables::AnalyserContractKey().join(", ") + ", rowid";
    const Row boundary = rows("select * from Te8Vinc " + order + " limit 1 offset " + QString::number(kBlock - 1)).value(0);
    const Row last =
        rows("select * from Te8Vinc " + order + " limit 1 offset " + QString::number(kContracts - 1)).value(0);
    exec(QStringLiteral("update Te8Vinc set CoPisPasepEmpregado = '%1', DaAdmissaoEmpregado = '%2', "
                        "NoEmpregado = '%3' where CoPisPasepEmpregado = '%4'")
             .arg(boundary["CoPisPasepEmpregado"], boundary["DaAdmissaoEmpregado"],
                  boundary["NoEmpregado"] + " Z", last["CoPisPasepEmpregado"]));
    // Foreigners, counted as they are imported: two of another nationality
    // and one without, besides the duplicate, which is not imported.
    const auto setNationality = [&](int offset, const char* nationality) {
        exec(QStringLiteral("update Te8Vinc set CoNacionalidade = '%1' where rowid = (select rowid from Te8Vinc %2 "
                            "limit 1 offset %3)")
                 .arg(QLatin1String(nationality), order)
                 .arg(offset));
    };
    setNationality(0, "20");
    setNationality(700, "30");
    setNationality(900, "");
    setNationality(kBlock, "40");
    QList<Row> expected = rows("select * from Te8Vinc " + order);
    ASSERT_EQ(expected.size(), kContracts);
    ASSERT_EQ(expected[kBlock]["NoEmpregado"], boundary["NoEmpregado"] + " Z");
    expected.removeAt(kBlock);
    for (Row& r : expected) {
        r["NuSequencialRegistro"] = r["CoMotivoAfastamento"] = "";
        for (const char* cnpjColumn : {"CoCNPJSindical", "CoCNPJPrimAssociativa", "CoCNPJSegAssociativa",
                                       "CoCNPJAssistencial", "CoCNPJConfederativa"})
            if (r[cnpjColumn] == "00000000000000") r[cnpjColumn] = "";
    }

    runImport(2009, false);
    const Row imp = importRows().value(0);
    EXPECT_EQ(imp["NuTotalImportados"], QString::number(kContracts - 1));
    EXPECT_EQ(imp["NuTotalDuplicados"], "1");
    const QList<Row> imported = rows("select * from BD8Vinc order by rowid");
    ASSERT_EQ(imported.size(), expected.size());
    for (int i = 0; i < imported.size(); ++i) ASSERT_EQ(imported[i], expected[i]) << "contract " << i;
    EXPECT_EQ(establishments().value(0)["NuVinculosEstabelecimento"],
              QString::number(kContracts - 1).rightJustified(6, '0'));
    EXPECT_EQ(establishments().value(0)["NuEstrangeirosEstabelec"], "00002");
}

TEST_F(Import, AFailureInTheMiddleLeavesTheDeclarationAsItWas) {
    emptyDeclaration();
    {
        db::Table emp(database(), "BD8Emp.db");
        emp.Open();
        valid::Append(emp, valid::With(valid::Establishment(1, 0), {{"InZuvoNegEstabelecimento", "1"}}));
    }
    const QList<Row> empBefore = establishments(), vincBefore = contracts();
    analyse(file, false);
    TImportacao run(database(), 2009, 2009, false);
    run.CreateImportTable();
    for (int i = 0; i < 3; ++i) run.AddChosen(cnpj(i), "00");
    FailingHost host(6);  // within the second establishment's contracts
    EXPECT_THROW(run.Run(3, host), db::DbError);
    EXPECT_EQ(establishments(), empBefore);
    EXPECT_EQ(contracts(), vincBefore);
    EXPECT_FALSE(database()->inTransaction());
}

TEST_F(Import, AFailingWriteThroughTheWizardShowsAMessageAndImportsNothing) {
    emptyDeclaration();
    const QString path = writeFile(file);
    // The third contract written fails as a full disk would.
    const auto& attached = database()->attach("BD8Vinc.db");
    database()->exec(QStringLiteral("CREATE TRIGGER %1.fail BEFORE INSERT ON \"%2\" WHEN (SELECT count(*) FROM \"%2\") >= 2 "
                                    "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END")
                         .arg(attached.schema, attached.table));
    FormsScript script;
    script.expect("fmImport00", [&](QWidget* p) {
        child<QLineEdit>(p, "arquivo")->setText(path);
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmImport02", [&](QWidget* p) {
        clickChild(p, "SelecAllRButton");
        clickChild(p, "BtConcluir");
        return int(forms::mrNone);
    });
    ShowImportWizard(nullptr, "Atual - Ano 2009");
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Não foi possível concluir a importação.")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(establishments().isEmpty());
    EXPECT_TRUE(contracts().isEmpty());
    EXPECT_FALSE(database()->tableExists("te8Emp.db"));
    database()->exec(QStringLiteral("DROP TRIGGER %1.fail").arg(attached.schema));
}

TEST_F(Import, FirstPageRefusesMissingAndOversizedFilesAndRoutesDamagedOnes) {
    emptyDeclaration();
    QByteArray oversized = file;
    analyserfixture::Put(oversized, 11, 30, "050001");
    QByteArray exactly = file;
    analyserfixture::Put(exactly, 11, 30, "050000");
    const QString big = writeFile(oversized, "big.txt"), limit = writeFile(exactly, "limit.txt");
    const QString current = writeFile(file);

    FormsScript script;
    script.expect("fmImport00", [&](QWidget* p) {
        auto* name = child<QLineEdit>(p, "arquivo");
        name->setText(files.filePath("none.txt"));
        clickChild(p, "BtAvancar");
        EXPECT_FALSE(child(p, "BtAvancar")->isEnabled());  // until the name changes
        name->setText(big);
        EXPECT_TRUE(child(p, "BtAvancar")->isEnabled());
        clickChild(p, "BtAvancar");
        EXPECT_TRUE(child(p, "BtAvancar")->isEnabled());
        EXPECT_FALSE(child<QWidget>(p, "PLocalizar")->isHidden());
        name->setText(limit);  // analysed: its count then disagrees with the file
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmImport01", [&](QWidget* p) {
        clickChild(p, "BtErroVisual");
        clickChild(p, "BtFechar");
        return int(forms::mrNone);
    });
    ShowImportWizard(nullptr, "Atual - Ano 2009");
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    const QStringList texts = boxes.texts();
    ASSERT_EQ(texts.size(), 2) << texts.join('|').toStdString();
    EXPECT_EQ(texts[0], "O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.");
    EXPECT_TRUE(texts[1].startsWith("Declaração com tamanho maior do que é permitido importar."));

    // The current year's file through "Anterior": the error page, nothing imported.
    FormsScript other;
    other.expect("fmImport00", [&](QWidget* p) {
        child<QLineEdit>(p, "arquivo")->setText(current);
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    other.expect("fmImport01", [](QWidget* p) { clickChild(p, "BtFechar"); return int(forms::mrNone); });
    ShowImportWizard(nullptr, "Anterior - Ano 2008");
    EXPECT_EQ(other.pending(), 0);
    EXPECT_TRUE(establishments().isEmpty());
    for (const char* t : {"te8Emp.db", "te8Vinc.db", "te8Imp.db", "te8Stru.db"})
        EXPECT_FALSE(database()->tableExists(t)) << t;

    // Cancel on the file panel closes the wizard.
    FormsScript cancel;
    cancel.expect("fmImport00", [](QWidget* p) { clickChild(p, "BtCancelar"); return int(forms::mrNone); });
    ShowImportWizard(nullptr, "Atual - Ano 2009");
    EXPECT_EQ(cancel.pending(), 0);
}

TEST_F(Import, FolderPipeOrDeviceGetsTheAnalysersOwnMessage) {
    const QString folder = files.filePath("pasta.dec");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = files.filePath("canal.dec");
    ASSERT_EQ(::mkfifo(fifo.toUtf8().constData(), 0600), 0);
    const struct {
        QString path;
        const char* what;
    } cases[] = {
        {folder, "é uma pasta"},
        {fifo, "é um dispositivo ou um canal de comunicação"},  // reading it would wait forever
        {"/dev/zero", "é um dispositivo ou um canal de comunicação"},
    };
    FormsScript script;
    script.expect("fmImport00", [&](QWidget* p) {
        for (const auto& c : cases) {
            EXPECT_TRUE(gui::typeInto(child<QLineEdit>(p, "arquivo"), QDir::toNativeSeparators(c.path)));
            clickChild(p, "BtAvancar");
            EXPECT_FALSE(child<QWidget>(p, "PLocalizar")->isHidden()) << c.what;
        }
        clickChild(p, "BtCancelar");
        return int(forms::mrNone);
    });
    ShowImportWizard(nullptr, "Atual - Ano 2009");
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    QStringList expected;
    for (const auto& c : cases)
        expected << "O arquivo \"" + QDir::toNativeSeparators(c.path) + "\" não pode ser analisado: " +
                        QString::fromUtf8(c.what) + ", e não um arquivo.";
    EXPECT_EQ(boxes.texts().join('|').toStdString(), expected.join('|').toStdString());
}

TEST_F(Import, AnoImportacaoNamesLayoutAndYear) {
    const struct {
        const char* text;
        bool previous;
        int year;
    } cases[] = {{"Anterior - Ano 2008", true, 2008}, {"Atual - Ano 2009", false, 2009}};
    for (const auto& c : cases) {
        TfmImport00 page;
        page.AnoImportacao = c.text;
        EXPECT_EQ(page.LayoutAnterior(), c.previous) << c.text;
        EXPECT_EQ(page.AnoArquivo(), c.year) << c.text;
    }
    TfmImport00 page;
    EXPECT_FALSE(page.OpenFile->filter().testFlag(QDir::CaseSensitive));
    EXPECT_EQ(page.OpenFile->nameFilters().value(0), "Arquivos ZUVO (Zuvo*)");
}

TEST_F(Import, SelectionRefusesShortPrefixes) {
    analyse(file, false);
    exec(QStringLiteral("update Te8Emp set NuPrefixoEstabelecimento = '1' where CoCgcCeiEstabelecimento = '%1'")
             .arg(cnpj(1)));
    FormsScript script;
    script.expect("fmImport02", [&](QWidget* p) {
        auto* list = child<forms::TickList>(p, "LEmpresas");
        // The request ticks what it can: up to the refused prefix.
        EXPECT_TRUE(child<QRadioButton>(p, "SelecAllRButton")->isChecked());
        EXPECT_TRUE(list->IsTicked(0));
        EXPECT_EQ(forms::CountTickedItems(list), 1);
        list->SetTicked(2, true);
        clickChild(p, "SelecAllRButton");
        EXPECT_TRUE(list->IsTicked(0));
        EXPECT_FALSE(list->IsTicked(1));
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_TRUE(list->IsTicked(2));  // after the refused one: as it was
        tickLine(list, 1);
        EXPECT_FALSE(list->IsTicked(1));
        clickChild(p, "LimparAllRButton");
        clickChild(p, "BtConcluir");  // nothing chosen: stays
        clickChild(p, "BtCancelar");
        return int(forms::mrNone);
    });
    ShowImportSelection(nullptr, "Importação", 2009, false, true);
    EXPECT_EQ(script.pending(), 0);
    const QStringList texts = boxes.texts();
    ASSERT_EQ(texts.size(), 4) << texts.join('|').toStdString();
    EXPECT_EQ(texts[0], "Prefixo Inválido. Estabelecimento não poderá ser importado.");
    EXPECT_EQ(texts[1], "Prefixo Inválido. Estabelecimento não poderá ser importado.");
    EXPECT_EQ(texts[2], "Este estabelecimento não poderá ser importado. Verifique Prefixo.");
    EXPECT_EQ(boxes.codes().value(3), "1301");
}

// A data folder on a disk of its own, which fills up while the user chooses
// the establishments to import.
TEST(ImportFullDisk, FullDataFolderAtConcluirImportsNothingAndSaysSo) {
    TempProgramFolder program;
    SmallDisk dados(program.dataFolder(), 8 << 20);
    if (!dados.mounted()) GTEST_SKIP() << "no right to mount a small file system";
    struct Modules {
        Modules() {
            dmLobrix = new TdmLobrix;
            dmEntradaDados = new TdmEntradaDados;
        }
        ~Modules() {
            delete dmEntradaDados;
            dmEntradaDados = nullptr;
            delete dmLobrix;
            dmLobrix = nullptr;
        }
    } modules;
    SetProgramAnoBase(2009);
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    valid::WriteDeclaration(3, 2);
    QTemporaryDir files;
    const QString path = files.filePath("ZUVO2009.TXT");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(analyserfixture::WriteFile(program.dataFolder(), false));
    }
    auto count = [](const char* table) {
        db::Table t(dmLobrix->dbZuvo, QString::fromLatin1(table));
        t.Open();
        return t.RecordCount();
    };
    const int establishments = count("BD8Emp.db"), contracts = count("BD8Vinc.db");
    FormsScript script;
    script.expect("fmImport00", [&](QWidget* p) {
        EXPECT_TRUE(gui::typeInto(child<QLineEdit>(p, "arquivo"), path));
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmImport02", [&](QWidget* p) {
        clickChild(p, "SelecAllRButton");
        dados.leaveFree(0);
        clickChild(p, "BtConcluir");
        return int(forms::mrNone);
    });
    ShowImportWizard(nullptr, "Atual - Ano 2009");
    dados.release();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    ASSERT_EQ(boxes.texts().size(), 1) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(boxes.texts()[0].startsWith("Não foi possível concluir a importação. Nenhum estabelecimento foi "
                                            "importado e a declaração ficou como estava."))
        << boxes.texts()[0].toStdString();
    EXPECT_FALSE(appguard::TerminateRequested());
    EXPECT_EQ(count("BD8Emp.db"), establishments);
    EXPECT_EQ(count("BD8Vinc.db"), contracts);
}
