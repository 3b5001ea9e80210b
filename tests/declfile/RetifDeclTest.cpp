#include "declfile/MainWindowState.h"
#include "declfile/retif/RetifSelection.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl03.h"
#include "declfile/retif/ufmRetifDecl01.h"
#include "declfile/retif/ufmRetifDecl02.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugHashCompara.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/TickList.h"
#include "rules/UgDadosResp.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"
#include "support/WrittenFileCheck.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace declfile;

namespace {

// ---- the selection as a sequence of events -------------------------------------

QStringList key(int n) { return {QString::number(n), "01012009", "NOME", "000001", "", "1", "0000", "123456"}; }

TEST(RetifSelectionTest, EventSequences) {
    // Lines: 0 A with employees, 1 B without, 2 C with employees.
    struct Step {
        char op;      // 'E' establishment (arg line, ticked), 'V' contract (arg line, ticked),
                      // 'A' select all (ticked), 'N' Next check
        int line;
        bool ticked;
    };
    struct Case {
        const char* name;
        QList<Step> steps;
        QList<int> unticked;     // establishment lines unticked with "1304", in order
        QList<QList<int>> held;  // contract lines each entry holds at the end
        QList<bool> chosen;
    };
    const QList<Case> cases = {
        {"two contracts of A, then B without employees",
         {{'E', 0, true}, {'V', 0, true}, {'V', 2, true}, {'E', 1, true}},
         {}, {{0, 2}, {}, {}}, {true, true, false}},
        {"A left without contracts for C: 1304",
         {{'E', 0, true}, {'E', 2, true}},
         {0}, {{}, {}, {}}, {false, false, true}},
        {"untick and tick again",
         {{'E', 0, true}, {'V', 1, true}, {'V', 1, false}, {'V', 3, true}},
         {}, {{3}, {}, {}}, {true, false, false}},
        {"select all and its undo",
         {{'E', 2, true}, {'A', 3, true}, {'A', 0, false}, {'V', 1, true}},
         {}, {{}, {}, {1}}, {false, false, true}},
        {"revisit keeps the choice and adds nothing twice",
         {{'E', 0, true}, {'V', 0, true}, {'V', 1, true}, {'E', 1, true}, {'E', 0, true}, {'V', 1, true}},
         {}, {{0, 1}, {}, {}}, {true, true, false}},
        {"unticking an establishment drops its contracts",
         {{'E', 0, true}, {'V', 0, true}, {'E', 0, false}},
         {}, {{}, {}, {}}, {false, false, false}},
        {"no current line: nothing",
         {{'E', -1, true}, {'E', 7, true}},
         {}, {{}, {}, {}}, {false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RetifSelection s;
        s.AddEstablishment("2009", "11111111000111", "01", true);
        s.AddEstablishment("2009", "22222222000122", "01", false);
        s.AddEstablishment("2009", "33333333000133", "01", true);
        QList<int> unticked;
        for (const Step& st : c.steps) {
            if (st.op == 'E') {
                const auto out = s.EstablishmentTicked(st.line, st.ticked);
                if (out.untickLine >= 0) unticked << out.untickLine;
            } else if (st.op == 'V') {
                s.ContractTicked(st.line, st.ticked, key(st.line));
            } else if (st.op == 'A') {
                if (st.ticked) s.ChooseAllContracts({key(0), key(1), key(2)});
                else s.ChooseNoContract();
            }
        }
        EXPECT_EQ(unticked, c.unticked);
        for (int i = 0; i < 3; ++i) {
            QList<int> lines;
            for (const RetifContract& k : s.Entry(i).contracts) lines << k.line;
            EXPECT_EQ(lines, c.held.value(i)) << "entry " << i;
            EXPECT_EQ(s.Entry(i).chosen, c.chosen.value(i)) << "entry " << i;
        }
    }
    RetifSelection s;
    s.AddEstablishment("2009", "11111111000111", "01", true);
    s.EstablishmentTicked(0, true);
    EXPECT_TRUE(s.CurrentLacksContracts());  // Next gives "1304"
    s.ContractTicked(0, true, key(0));
    EXPECT_FALSE(s.CurrentLacksContracts());
    s.Release();
    EXPECT_EQ(s.Count(), 0);
}

// ---- the copy into the working tables ---------------------------------------------

QList<QStringList> rows(const QString& table, const QString& order) {
    db::Query q(dmLobrix->dbZuvo);
    q.SetSQL("SELECT * FROM " + table + " ORDER BY " + order);
    q.Open();
    QList<QStringList> out;
    for (q.First(); !q.Eof(); q.Next()) {
        QStringList r;
        for (int i = 0; i < q.FieldCount(); ++i) r << q.Fields(i).FieldName() + "=" + q.Fields(i).AsString();
        out << r;
    }
    return out;
}

QString contractOrder() { return DeclarationTables::ContractKey().join(", "); }

class RetifCopy : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages boxes;
    RetifSelection selection;
    QList<QStringList> contractKeys;  // of establishment 0, in key order

    void SetUp() override {
        boxes.acceptOkBoxes();
        valid::WriteDeclaration(2, 3);
        db::Database& d = *dmLobrix->dbZuvo;
        for (const char* t : {"resp", "emp", "vinc"})
            ASSERT_TRUE(TryCopyTableStructure(QString("BD8") + t, QString("Te8") + t, d, true));
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InZuvoNegEstabelecimento FROM BD8Emp "
                 "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
        q.Open();
        for (q.First(); !q.Eof(); q.Next())
            selection.AddEstablishment(q.Fields(0).AsString(), q.Fields(1).AsString(), q.Fields(2).AsString(),
                                       q.Fields(3).AsString() == "0");
        db::Query v(dmLobrix->dbZuvo);
        v.SetSQL("SELECT " + RetifContractColumns().join(", ") + " FROM BD8Vinc WHERE CoCgcCeiEstabelecimento = :c ORDER BY " +
                 contractOrder());
        v.ParamByName("c").AsString = selection.Entry(0).inscription;
        v.Open();
        for (v.First(); !v.Eof(); v.Next()) {
            QStringList k;
            for (int i = 0; i < v.FieldCount(); ++i) k << v.Fields(i).AsString();
            contractKeys << k;
        }
    }
    void chooseTwoOfTheFirst() {
        selection.EstablishmentTicked(0, true);
        selection.ContractTicked(0, true, contractKeys[0]);
        selection.ContractTicked(2, true, contractKeys[2]);
    }
};

}  // namespace

TEST_F(RetifCopy, RowsEqualTheirSourceColumnByColumn) {
    chooseTwoOfTheFirst();
    ASSERT_TRUE(CopySelectionToWork(selection, dmLobrix->dbZuvo));
    EXPECT_EQ(rows("Te8Resp", "CoCgcCeiResponsavel"), rows("BD8Resp", "CoCgcCeiResponsavel"));
    const auto emp = rows("Te8Emp", "CoCgcCeiEstabelecimento");
    ASSERT_EQ(emp.size(), 1);
    EXPECT_EQ(emp.first(), rows("BD8Emp", "CoCgcCeiEstabelecimento").first());
    EXPECT_TRUE(emp.first().join('|').contains("TxtCnae=")) << "the description columns are copied too";
    const auto all = rows("BD8Vinc", contractOrder());
    const auto copied = rows("Te8Vinc", contractOrder());
    ASSERT_EQ(copied.size(), 2);
    EXPECT_EQ(copied[0], all[0]);
    EXPECT_EQ(copied[1], all[2]);
    EXPECT_TRUE(boxes.codes().isEmpty());
}

TEST_F(RetifCopy, AMissingOrRepeatedRowLeavesThePreviousCopy) {
    chooseTwoOfTheFirst();
    ASSERT_TRUE(CopySelectionToWork(selection, dmLobrix->dbZuvo));
    const auto before = rows("Te8Vinc", contractOrder());

    struct Case {
        const char* name;
        std::function<void(RetifSelection&)> change;
        QString code;
    };
    const QList<Case> cases = {
        {"a contract deleted since the choice",
         [](RetifSelection& s) { s.ContractTicked(5, true, {"99999999999", "01012009", "X", "000001", "", "1", "0000", "1"}); },
         "1925"},
        {"a contract chosen twice", [this](RetifSelection& s) { s.ContractTicked(7, true, contractKeys[0]); }, "1926"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RetifSelection s = selection;
        s.EstablishmentTicked(1, true);  // the second establishment, copied before the failure
        s.ContractTicked(0, true, {});
        s.EstablishmentTicked(0, true);
        c.change(s);
        boxes.clear();
        EXPECT_FALSE(CopySelectionToWork(s, dmLobrix->dbZuvo));
        EXPECT_EQ(boxes.codes(), QStringList{c.code});
        EXPECT_EQ(rows("Te8Vinc", contractOrder()), before);
        EXPECT_EQ(rows("Te8Emp", "CoCgcCeiEstabelecimento").size(), 1);
        EXPECT_EQ(rows("Te8Resp", "CoCgcCeiResponsavel").size(), 1);
    }
}

// ---- the wizard, as a user ---------------------------------------------------------

namespace {

void click(QWidget* form, const char* name) {
    auto* b = form->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

forms::TickList* list(QWidget* form, const char* name) { return form->findChild<forms::TickList*>(QString::fromLatin1(name)); }

using gui::tickLine;

class RetifWizard : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages boxes;
    std::unique_ptr<TdmRaveRelatorios> reports;
    QString withoutEmployees;

    void SetUp() override {
        boxes.acceptOkBoxes();
        ResetResponsibleChecks();
        valid::WriteDeclaration(2, 3);
        {
            db::Table emp(dmLobrix->dbZuvo, "Bd8emp.DB");
            emp.Open();
            valid::Row b = valid::With(valid::Establishment(9, 0),
                                       {{"InZuvoNegEstabelecimento", "1"}, {"NuVinculosEstabelecimento", "000000"}});
            withoutEmployees = b.value("CoCgcCeiEstabelecimento");
            valid::Append(emp, b);
        }
        reports = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = reports.get();
        report::SetPrinterInstalledForTests(true);
        StoreWriterState(WriterState{});
        SetCreaDeclaracao(QString());
        QDir().mkpath(program.path() + "Transmite");
    }
    void TearDown() override {
        report::SetPrinterInstalledForTests(std::nullopt);
        dmRaveRelatorios = nullptr;
        reports.reset();
    }
    int lineOf(forms::TickList* l, const QString& inscription) const {
        const QString shown = FormatInscricao(inscription, "1");
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->text().startsWith(shown)) return i;
        return -1;
    }
    QStringList working(const QString& table, const QString& column) const {
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL("SELECT " + column + " FROM " + table + " ORDER BY " + column);
        q.Open();
        QStringList l;
        for (q.First(); !q.Eof(); q.Next()) l << q.Fields(0).AsString();
        return l;
    }
};

const QString kCrea = "190000000001";

void dateDriveCrea(QWidget* p, const QString& crea) {
    const bool clean = !p->findChild<QFrame*>("paConcluir")->isHidden();
    auto* date = p->findChild<QLineEdit*>(clean ? "mdDataConcluir" : "mdDataAvisos");
    date->setFocus();
    QTest::keyClicks(date, "15012010");
    auto* combo = p->findChild<QComboBox*>(clean ? "cbDriveConcluir" : "cbDriveAvisos");
    combo->setCurrentIndex(combo->findText("Drive C:"));
    auto* edit = p->findChild<QLineEdit*>(clean ? "edCREA" : "edCreaAvisos");
    EXPECT_TRUE(edit->isVisibleTo(p));
    edit->setFocus();
    QTest::keyClicks(edit, crea);
}

}  // namespace

TEST_F(RetifWizard, UserAmendsTwoContractsOfOneEstablishmentAndAnotherWithoutEmployees) {
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::Retif, [] { ShowRetifDecl(fmLOBRIX); });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.CommandAction(LobrixCommand::Retif)->isEnabled());
    QString firstInscription;
    QStringList chosenPis;
    FormsScript script;
    script.expect("fmRetifRegras", [](QWidget* p) { click(p, "BtOk"); return int(forms::mrNone); });
    script.expect("fmretifdecl01", [](QWidget* p) {
        // Where to ask for a correction of the establishment's own data: no made-up number.
        const QString memo = static_cast<forms::WizardPage*>(p)->Memo()->toPlainText();
        EXPECT_FALSE(memo.contains("0800")) << memo.toStdString();
        EXPECT_TRUE(memo.contains("sítios oficiais da declaração")) << memo.toStdString();
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmRetifDecl02", [&](QWidget* p) {
        auto* est = list(p, "clEmpresas");
        auto* vinc = list(p, "clVinculos");
        tickLine(est, 0);
        firstInscription = static_cast<TfmRetifDecl02*>(p)->Selection.Entry(0).inscription;
        EXPECT_EQ(vinc->count(), 3);
        tickLine(vinc, 0);
        tickLine(vinc, 2);
        for (int line : {0, 2}) chosenPis << vinc->item(line)->text().left(14).remove('.');
        tickLine(est, lineOf(est, withoutEmployees));
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl01", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmGravaDecl03", [](QWidget* p) {
        EXPECT_TRUE(p->findChild<QFrame*>("paErros")->isHidden()) << "the check found errors";
        dateDriveCrea(p, kCrea);
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmGravaDecl04", [](QWidget* p) { click(p, "bbFechar"); return int(forms::mrNone); });
    window.CommandAction(LobrixCommand::Retif)->trigger();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);

    const QStringList files = QDir(program.path() + "Transmite").entryList({"*.dec"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.first().endsWith("R.dec")) << files.first().toStdString();
    const QString file = program.path() + "Transmite/" + files.first();
    EXPECT_TRUE(VerifyFileDigest(file));
    // The amendment carries the date typed on page 4, and the program's own
    // analyser and check accept it.
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray header = written.readLine();
    EXPECT_EQ(header.mid(222, 17), "11501201015012010");
    SetCreaDeclaracao(QString());
    const FileVerdict verdict = CheckWrittenFile(file, program.dataFolder());
    EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
    EXPECT_EQ(verdict.analysis, kAnaliseRetificacao);
    EXPECT_EQ(CreaDeclaracao(), kCrea);
    EXPECT_EQ(working("Te8Emp", "CoCgcCeiEstabelecimento"), QStringList({firstInscription, withoutEmployees}));
    EXPECT_EQ(working("Te8Vinc", "CoPisPasepEmpregado"), chosenPis);
}

// An establishment ticked without a contract, then a click on the text of
// another: the click ticks the other and loads its contracts, and only then
// "1304" unticks the first. The box must not take the click for itself.
TEST_F(RetifWizard, ClickingAnotherEstablishmentTicksItAfterTheFirstIsLeftWithoutContracts) {
    FormsScript script;
    script.expect("fmRetifRegras", [](QWidget* p) { click(p, "BtOk"); return int(forms::mrNone); });
    script.expect("fmretifdecl01", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmRetifDecl02", [&](QWidget* p) {
        auto* page = static_cast<TfmRetifDecl02*>(p);
        auto* est = list(p, "clEmpresas");
        auto* vinc = list(p, "clVinculos");
        tickLine(est, 0);
        EXPECT_EQ(vinc->count(), 3);
        QStringList shown;
        {
            RealMessageBoxes real;
            shown = gui::clickOverBoxes(est->viewport(), est->visualItemRect(est->item(1)).center());
        }
        EXPECT_EQ(shown, QStringList{"Não há vínculo escolhido ou cadastrado para este estabelecimento. Escolha os "
                                     "empregados ou desmarque o estabelecimento."});
        EXPECT_FALSE(est->IsTicked(0));
        EXPECT_TRUE(est->IsTicked(1));
        EXPECT_EQ(page->Selection.Current(), 1);
        EXPECT_TRUE(page->Selection.Entry(1).chosen);
        EXPECT_FALSE(page->Selection.Entry(0).chosen);
        EXPECT_EQ(vinc->count(), 3);
        EXPECT_TRUE(page->ckSelecVinculos->isEnabled());
        click(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowRetifDecl();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
}

TEST_F(RetifWizard, InterruptedCheckThenAnotherChoiceCopiesOnlyTheNewOne) {
    QString keptPis;
    FormsScript script;
    script.expect("fmRetifRegras", [](QWidget* p) { click(p, "BtOk"); return int(forms::mrNone); });
    script.expect("fmretifdecl01", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmRetifDecl02", [&](QWidget* p) {
        auto* vinc = list(p, "clVinculos");
        tickLine(list(p, "clEmpresas"), 0);
        tickLine(vinc, 0);
        tickLine(vinc, 1);
        click(p, "bbAvancar");  // page 3 interrupted, then Back
        // The list shows the choice held; another one now.
        EXPECT_TRUE(vinc->item(0)->checkState() == Qt::Checked && vinc->item(1)->checkState() == Qt::Checked);
        tickLine(vinc, 0);
        keptPis = vinc->item(1)->text().left(14).remove('.');
        click(p, "bbAvancar");
        return int(forms::mrNone);
    });
    bool interrupted = false;
    auto page3 = [&](QWidget* p) {
        auto* page = static_cast<forms::WizardPage*>(p);
        if (!interrupted) {
            interrupted = true;
            boxes.answer("mrYes");
            auto* watch = new QTimer(p);
            QObject::connect(watch, &QTimer::timeout, p, [page, watch] {
                if (!page->IsBusy()) return;
                watch->stop();
                click(page, "bbCancelar");
            });
            watch->start(0);
            click(p, "bbAvancar");
            click(p, "bbVoltar");
        } else {
            click(p, "bbAvancar");
        }
        return int(forms::mrNone);
    };
    script.expect("fmGravaDecl01", page3);
    script.expect("fmGravaDecl01", page3);
    script.expect("fmGravaDecl03", [](QWidget* p) { click(p, "bbCancelar"); return int(forms::mrNone); });
    ShowRetifDecl();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(boxes.texts().contains("Consistência interrompida pelo usuário"));
    EXPECT_EQ(working("Te8Vinc", "CoPisPasepEmpregado"), QStringList{keptPis});
    EXPECT_EQ(working("Te8Resp", "CoCgcCeiResponsavel").size(), 1);
}

TEST_F(RetifWizard, ReceiptNumberOfTheAmendedDeclaration) {
    struct Case {
        const char* crea;
        QString code;
    };
    const Case cases[] = {{"", "3739"}, {"000000000000", "3734"}, {"19000000001", "0040"}, {"180000000001", "3734"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.crea);
        TfmRetifDecl01 first;
        ASSERT_TRUE(first.WorkingTablesReady());
        dmDadosResp->ResultadoCritica = 0;
        TfmGravaDecl03 page;
        boxes.clear();
        FormsScript script;
        script.expect("fmGravaDecl03", [&](QWidget* p) {
            dateDriveCrea(p, c.crea);
            click(p, "bbAvancar");
            QApplication::processEvents();
            EXPECT_EQ(boxes.codes(), QStringList{c.code});
            EXPECT_EQ(QApplication::focusWidget(), page.edCREA);
            click(p, "bbCancelar");
            return int(forms::mrNone);
        });
        forms::ShowModal(&page);
        EXPECT_TRUE(QDir(program.path() + "Transmite").entryList({"*.dec"}, QDir::Files).isEmpty());
    }
}

TEST_F(RetifWizard, WorkingTablesThatCannotBeMadeEndTheWizard) {
    // A folder where the working table's file would be.
    QDir().mkpath(program.dataFolder() + "/Te8emp.db");
    FormsScript script;
    script.expect("fmRetifRegras", [](QWidget* p) { click(p, "BtOk"); return int(forms::mrNone); });
    ShowRetifDecl();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(boxes.texts(), QStringList{"Erro na inicialização dos arquivos para gravação de declaração.\r"
                                         "Processo será interrompido"});
    EXPECT_EQ(dmDadosResp, nullptr);
}

namespace {

// A click on the tick box of a line, not on its text, then a wait so that the
// next click is no double click.
void clickTickBox(forms::TickList* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.left() + margin + box / 2, r.center().y()));
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    gui::settle();
}

}  // namespace

// The box of a line that is not the highlighted one, clicked: it ticks that
// line and makes it the current one; "1304" comes only for an earlier line
// left ticked without a contract, never for the line just ticked.
TEST_F(RetifWizard, ClickingTheBoxOfAnotherLineTicksItAndKeepsIt) {
    FormsScript script;
    script.expect("fmRetifRegras", [](QWidget* p) {
        // The notice's sentences run whole, wrapped at the memo's width only.
        const QString memo = p->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        EXPECT_TRUE(memo.contains("entregues anteriormente pelo empregador ( prioritariamente salariais )."))
            << memo.toStdString();
        EXPECT_TRUE(memo.contains("os empregados/servidores de um estabelecimento.")) << memo.toStdString();
        click(p, "BtOk");
        return int(forms::mrNone);
    });
    script.expect("fmretifdecl01", [](QWidget* p) { click(p, "bbAvancar"); return int(forms::mrNone); });
    script.expect("fmRetifDecl02", [&](QWidget* p) {
        auto* page = static_cast<TfmRetifDecl02*>(p);
        auto* est = list(p, "clEmpresas");
        auto* vinc = list(p, "clVinculos");
        EXPECT_GE(est->count(), 3);
        gui::settle();
        // Lines 2 and 3; "1304" on the second click when line 2 has employees.
        const int secondUnticks = page->Selection.Entry(1).hasEmployees ? 1 : -1;
        const struct {
            int line;
            int lineUnticked;  // the earlier line "1304" unticks; -1: no box
        } clicks[] = {{1, -1}, {2, secondUnticks}};
        for (const auto& c : clicks) {
            SCOPED_TRACE(c.line);
            boxes.clear();
            clickTickBox(est, c.line);
            EXPECT_EQ(boxes.codes(), c.lineUnticked < 0 ? QStringList{} : QStringList{"1304"});
            EXPECT_TRUE(est->IsTicked(c.line));
            EXPECT_EQ(est->currentRow(), c.line);
            EXPECT_EQ(page->Selection.Current(), c.line);
            EXPECT_TRUE(page->Selection.Entry(c.line).chosen);
            EXPECT_EQ(vinc->count(), page->Selection.Entry(c.line).hasEmployees ? 3 : 0);
            if (c.lineUnticked >= 0) {
                EXPECT_FALSE(est->IsTicked(c.lineUnticked));
                EXPECT_FALSE(page->Selection.Entry(c.lineUnticked).chosen);
            }
        }
        click(p, "bbCancelar");
        return int(forms::mrNone);
    });
    ShowRetifDecl();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
}
