#include "entry/LetterButtons.h"
#include "entry/QueryGrid.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmExcluir.h"
#include "platform/db/Database.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/ProgressHost.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"
#include "shell/ugListasAssistente.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <sqlite3.h>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using Row = QMap<QString, QString>;

using gui::settle;

class Lists : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages messages;

    void SetUp() override { messages.acceptOkBoxes(); }
    void TearDown() override {
        delete fmConEstab;
        fmConEstab = nullptr;
        delete fmConEmpreg;
        fmConEmpreg = nullptr;
        delete fmExcluir;
        fmExcluir = nullptr;
    }
    void store(const QString& table, const Row& row) { StoreRow(dmLobrix->dbZuvo, table, row); }
    int count(const QString& table) { return int(ReadRows(dmLobrix->dbZuvo, table).size()); }
    Row estab(int n, const Row& overrides = {}) {
        Row r = valid::With(valid::Establishment(n, 0), overrides);
        store(QStringLiteral("Bd8emp.DB"), r);
        return r;
    }
    void contracts(const Row& e, int from, int to, const Row& overrides = {}) {
        for (int i = from; i < to; ++i)
            store(QStringLiteral("Bd8vinc.DB"), valid::With(valid::Contract(e, i), overrides));
    }
    // Shows the establishment list as the open command does, runs `work` in it, then closes it.
    void inEstablishmentList(std::uint8_t mode, const std::function<void(TfmConEstab*)>& work) {
        fmConEstab = new TfmConEstab();
        fmConEstab->ModoExclusao = mode;
        FormsScript script;
        script.expect(QStringLiteral("fmConEstab"), [&](QWidget*) {
            settle();
            work(fmConEstab);
            return forms::mrCancel;
        });
        forms::ShowModal(fmConEstab);
    }
    // The delete form as the establishment list hands it the establishment.
    void showDeleteForm(const Row& e) {
        fmExcluir = new TfmExcluir();
        fmExcluir->KeyAnoBase = e.value("AnBase");
        fmExcluir->KeyInscricao = e.value("CoCgcCeiEstabelecimento");
        fmExcluir->KeyPrefixo = e.value("NuPrefixoEstabelecimento");
        fmExcluir->show();
        settle();
    }
    QStringList names(QueryGrid* grid) {
        QStringList out;
        for (int i = 0; i < grid->RowCount(); ++i) out << grid->Value(i, QStringLiteral("NoRazaoEstabelecimento"));
        return out;
    }
};

TEST_F(Lists, TheEstablishmentListFiltersByInscriptionNameAndLetters) {
    estab(1, {{"NoRazaoEstabelecimento", "ALFA LTDA"}});
    estab(2, {{"NoRazaoEstabelecimento", "EPSILON SA"}});
    estab(3, {{"NoRazaoEstabelecimento", "FOXTROT ME"}});
    const QString cei = valid::Cei(QStringLiteral("51234567890"));
    estab(4, {{"NoRazaoEstabelecimento", "OBRA XIS"}, {"CoCgcCeiEstabelecimento", cei}, {"InInscrEstabelecimento", "3"}});
    estab(5, {{"NoRazaoEstabelecimento", "OUTRO ANO"}, {"AnBase", "2010"}});
    inEstablishmentList(0, [&](TfmConEstab* list) {
        // In key order: the CEI, stored with its two zeros, first.
        EXPECT_EQ(names(list->DBGridEstab), (QStringList{"OBRA XIS", "ALFA LTDA", "EPSILON SA", "FOXTROT ME"}));
        EXPECT_EQ(QApplication::focusWidget(), list->mdInscricao);
        // The grid shows a CEI without its zeros and finds it by the digits shown.
        EXPECT_EQ(list->DBGridEstab->model()->index(0, 0).data().toString(), FormatInscricao(cei, "3"));
        QTest::keyClicks(list->mdInscricao, cei.mid(2, 4));
        EXPECT_EQ(names(list->DBGridEstab), QStringList{"OBRA XIS"});
        list->mdInscricao->clear();
        QTest::keyClicks(list->mdInscricao, valid::EstablishmentCnpj(2).left(8));
        EXPECT_EQ(names(list->DBGridEstab), QStringList{"EPSILON SA"});
        list->mdInscricao->clear();
        list->pMontaQuery();

        QTest::mouseClick(list->letters->Button("EF"), Qt::LeftButton);
        settle();
        EXPECT_EQ(names(list->DBGridEstab), (QStringList{"EPSILON SA", "FOXTROT ME"}));
        QTest::mouseClick(list->letters->Button("X"), Qt::LeftButton);
        settle();
        EXPECT_EQ(names(list->DBGridEstab), QStringList());
        // A typed name wins over the pressed letter.
        QTest::keyClicks(list->edRazao, "alf");
        EXPECT_EQ(names(list->DBGridEstab), QStringList{"ALFA LTDA"});
        QTest::mouseClick(list->letters->SbTodos, Qt::LeftButton);
        settle();
        EXPECT_EQ(list->DBGridEstab->RowCount(), 4);
    });
}

TEST_F(Lists, WhereTheFocusGoesAfterAFilter) {
    estab(1, {{"NoRazaoEstabelecimento", "ALFA LTDA"}});
    estab(2, {{"NoRazaoEstabelecimento", "BETA LTDA"}});
    estab(3, {{"NoRazaoEstabelecimento", "BRAVO LTDA"}});
    struct Case {
        std::uint8_t mode;
        const char* inscription;
        const char* name;
        const char* code;
        const char* focus;
    } cases[] = {
        {0, "", "", "1", "mdInscricao"},    {0, "", "", "2", "edRazao"},      {0, "12", "", "2", "DBGridEstab"},
        {0, "", "ALFA", "3", "BtExibir"},   {1, "", "ALFA", "3", "btExcluir"}, {0, "", "ZZZ", "3", "BtExibir"},
        {0, "", "B", "3", "DBGridEstab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + c.inscription + c.name);
        inEstablishmentList(c.mode, [&](TfmConEstab* list) {
            // From the grid, which runs no filter's exit.
            list->DBGridEstab->setFocus();
            settle();
            ui::SetEditValue(list->mdInscricao, QString::fromLatin1(c.inscription));
            list->edRazao->setText(QString::fromLatin1(c.name));
            list->pMontaQuery();
            list->pSetaFoco(QString::fromLatin1(c.code));
            settle();
            EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), std::string(c.focus));
        });
    }
}

TEST_F(Lists, ExibirOpensTheChosenEstablishmentAndRepairsAContradictingType) {
    const QString cei = valid::Cei(QStringLiteral("51234567890"));
    struct Case {
        const char* name;
        Row overrides;       // the stored establishment
        const char* repaired;
        const char* code;    // "": opened
    } cases[] = {
        {"a CNPJ stored as a CEI", {{"InInscrEstabelecimento", "3"}}, "1", ""},
        {"a CEI stored as a CNPJ", {{"CoCgcCeiEstabelecimento", cei}, {"InInscrEstabelecimento", "1"}}, "3", ""},
        {"a bad prefix", {{"NuPrefixoEstabelecimento", "a"}}, "1", "1052"},
        {"an invalid number", {{"CoCgcCeiEstabelecimento", "12345678901234"}}, "1", "1002"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* table : {"Bd8emp.DB", "Bd8vinc.DB"}) {
            db::Table t(dmLobrix->dbZuvo, QString::fromLatin1(table));
            t.Open();
            t.EmptyTable();
            t.Close();
        }
        const Row e = estab(2, c.overrides);
        contracts(e, 0, 2);
        messages.clear();
        QString opened;
        inEstablishmentList(0, [&](TfmConEstab* list) {
            FormsScript script;
            if (!*c.code)
                script.expect(QStringLiteral("fmDadosEstab"), [&](QWidget* w) {
                    auto* form = static_cast<TfmDadosEstab*>(w);
                    opened = form->KeyInscricao + (form->IsNewEstablishment ? "/new" : "/old");
                    return forms::mrOk;
                });
            QTest::mouseClick(list->BtExibir, Qt::LeftButton);
            settle();
            EXPECT_TRUE(list->isVisible());  // back after the establishment form, or still there
        });
        EXPECT_EQ(messages.codes(), *c.code ? QStringList{QString::fromLatin1(c.code)} : QStringList());
        EXPECT_EQ(opened, *c.code ? QString() : e.value("CoCgcCeiEstabelecimento") + "/old");
        // The row and its contracts carry the same type.
        for (const char* table : {"Bd8emp.DB", "Bd8vinc.DB"})
            for (const Row& r : ReadRows(dmLobrix->dbZuvo, QString::fromLatin1(table)))
                EXPECT_EQ(r.value("InInscrEstabelecimento"), QString::fromLatin1(c.repaired)) << table;
    }
}

TEST_F(Lists, TheEmployeeListShowsTheContractsOfTheCurrentEstablishment) {
    const Row e = estab(1);
    contracts(e, 0, 3);
    contracts(valid::With(e, {{"NuPrefixoEstabelecimento", "01"}}), 10, 12);
    // A contract without PIS/PASEP, which Exibir offers to delete.
    store(QStringLiteral("Bd8vinc.DB"), valid::With(valid::Contract(e, 7), {{"CoPisPasepEmpregado", ""},
                                                                            {"NoEmpregado", "ZULU SEM PIS"}}));
    CurrentEstablishment = {e.value("AnBase"),         e.value("NuPrefixoEstabelecimento"),
                            e.value("NoRazaoEstabelecimento"), e.value("InInscrEstabelecimento"),
                            e.value("CoCgcCeiEstabelecimento"), e.value("CoCgcVinculado"), 0};
    fmConEmpreg = new TfmConEmpreg();
    FormsScript script;
    script.expect(QStringLiteral("fmConEmpreg"), [&](QWidget*) -> int {
        settle();
        TfmConEmpreg* list = fmConEmpreg;
        EXPECT_EQ(list->DBGridVinculo->RowCount(), 4);
        EXPECT_EQ(QApplication::focusWidget(), list->edPisPasep);
        EXPECT_EQ(list->edRazao->text(), e.value("NoRazaoEstabelecimento"));
        // SetaFoco: one row Exibir, several the grid, none Novo.
        const QString pis = valid::ContractPis(1);
        QTest::keyClicks(list->edPisPasep, pis);
        EXPECT_EQ(list->DBGridVinculo->RowCount(), 1);
        list->SetaFoco(QStringLiteral("3"));
        settle();
        EXPECT_EQ(QApplication::focusWidget(), list->BtExibir);
        list->edPisPasep->clear();
        list->edNome->setText(QStringLiteral("QQQ"));
        list->MontaQuery();
        list->SetaFoco(QStringLiteral("3"));
        settle();
        EXPECT_EQ(QApplication::focusWidget(), list->BtNovo);
        list->edNome->clear();
        list->MontaQuery();
        list->SetaFoco(QStringLiteral("2"));
        settle();
        EXPECT_EQ(QApplication::focusWidget(), list->edNome);

        // Exibir on the row without PIS/PASEP: deleted on Yes, the counts follow.
        const int last = list->DBGridVinculo->RowCount() - 1;
        list->DBGridVinculo->SetCurrentRow(0);
        EXPECT_TRUE(list->DBGridVinculo->CurrentValue("coPisPasepEmpregado").isEmpty());
        messages.answer("mrYes");
        QTest::mouseClick(list->BtExibir, Qt::LeftButton);
        settle();
        EXPECT_EQ(list->DBGridVinculo->RowCount(), last);
        return forms::mrCancel;
    });
    forms::ShowModal(fmConEmpreg);
    EXPECT_EQ(count(QStringLiteral("Bd8vinc.DB")), 5);
    // A PIS/PASEP the employee form leaves in the search box while the list is
    // hidden is the search the list shows when it comes back.
    ASSERT_TRUE(EmployeeListSearchPis);
    EmployeeListSearchPis(valid::ContractPis(2));
    fmConEmpreg->show();
    settle();
    EXPECT_EQ(fmConEmpreg->DBGridVinculo->RowCount(), 1);
    fmConEmpreg->hide();
    db::Table t(dmLobrix->dbZuvo, QStringLiteral("Bd8emp.DB"));
    t.Open();
    ASSERT_TRUE(t.FindKey({e.value("AnBase"), e.value("CoCgcCeiEstabelecimento"), e.value("NuPrefixoEstabelecimento")}));
    EXPECT_EQ(t.FieldByName("NuVinculosEstabelecimento").AsString(), QStringLiteral("000003"));
    t.Close();
}

// Records the progress a deletion reports.
class RecordingProgress : public forms::ProgressHost {
public:
    void SetProgressMaximum(int maximum) override { this->maximum = maximum; }
    void SetProgress(int position) override { positions << position; }
    int maximum = 0;
    QList<int> positions;
};

// Alt+N and a PIS typed straight after it: every digit lands in the new
// contract's PIS field, none in the list the form replaces nor lost while the
// list is blocked behind the form that has not yet been given the keyboard.
TEST_F(Lists, APisTypedStraightAfterAltNGoesToTheNewContract) {
    const Row e = estab(1);
    contracts(e, 0, 1);
    CurrentEstablishment = {e.value("AnBase"),         e.value("NuPrefixoEstabelecimento"),
                            e.value("NoRazaoEstabelecimento"), e.value("InInscrEstabelecimento"),
                            e.value("CoCgcCeiEstabelecimento"), e.value("CoCgcVinculado"), 0};
    fmConEmpreg = new TfmConEmpreg();
    fmDadosEmpreg = new TfmDadosEmpreg();
    QString typedPis;
    FormsScript script;
    script.expect(QStringLiteral("fmConEmpreg"), [&](QWidget*) -> int {
        settle();
        QWindow* list = fmConEmpreg->windowHandle();
        EXPECT_TRUE(list && fmConEmpreg->isActiveWindow());
        // The digits are queued before Alt+N is handled, as from a user typing on at once.
        for (const QChar c : QStringLiteral("12345678901")) {
            QCoreApplication::postEvent(list, new QKeyEvent(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c)));
            QCoreApplication::postEvent(list, new QKeyEvent(QEvent::KeyRelease, c.unicode(), Qt::NoModifier, QString(c)));
        }
        QTest::keyClick(fmConEmpreg->focusWidget(), Qt::Key_N, Qt::AltModifier);
        settle();
        return forms::mrCancel;
    });
    script.expect(QStringLiteral("fmDadosEmpreg"), [&](QWidget* form) -> int {
        // The window manager gives the new form the keyboard only now.
        gui::activate(form);
        gui::waitUntil([] { return ui::EditValue(fmDadosEmpreg->dePisPasep).size() == 11; },
                       "the 11 digits typed after Alt+N in the PIS field");
        typedPis = ui::EditValue(fmDadosEmpreg->dePisPasep);
        return forms::mrCancel;
    });
    forms::ShowModal(fmConEmpreg);
    EXPECT_EQ(typedPis, QStringLiteral("12345678901"));
    EXPECT_EQ(script.pending(), 0);
    delete fmDadosEmpreg;
    fmDadosEmpreg = nullptr;
}

// On a wide screen the list's contents grow: the inscription box and the
// column titles still show whole.
TEST_F(Lists, TheEmployeeListShowsItsInscriptionAndColumnTitlesWholeOnAWideScreen) {
    const Row e = estab(1);
    contracts(e, 0, 1);
    CurrentEstablishment = {e.value("AnBase"),         e.value("NuPrefixoEstabelecimento"),
                            e.value("NoRazaoEstabelecimento"), e.value("InInscrEstabelecimento"),
                            e.value("CoCgcCeiEstabelecimento"), e.value("CoCgcVinculado"), 0};
    fmConEmpreg = new TfmConEmpreg();
    forms::ScaleFormForScreen(fmConEmpreg, {1366, 768}, QSize(760, 460), QSize(850, 550));
    fmConEmpreg->show();
    settle();
    QLineEdit* inscription = fmConEmpreg->mdInscricao;
    EXPECT_EQ(inscription->displayText(), FormatInscricao(e.value("CoCgcCeiEstabelecimento"), "1"));
    EXPECT_GT(inscription->contentsRect().width(), inscription->fontMetrics().horizontalAdvance(inscription->displayText()));
    QHeaderView* header = fmConEmpreg->DBGridVinculo->horizontalHeader();
    const QAbstractItemModel* model = fmConEmpreg->DBGridVinculo->model();
    for (int i = 0; i < model->columnCount(); ++i) {
        const QString title = model->headerData(i, Qt::Horizontal).toString();
        const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        EXPECT_GE(header->sectionSize(i), header->fontMetrics().horizontalAdvance(title) + margins) << title.toStdString();
    }
    fmConEmpreg->hide();
}

TEST_F(Lists, DeletingAnEstablishmentRemovesExactlyItsContracts) {
    const Row e = estab(1);
    contracts(e, 0, 3);
    const Row other = estab(1, {{"NuPrefixoEstabelecimento", "01"}});
    contracts(other, 10, 12);
    showDeleteForm(e);
    EXPECT_EQ(fmExcluir->pbTipoZuvo->text(), QStringLiteral("ZUVO com empregados"));
    EXPECT_EQ(fmExcluir->edTipoCGCCEI->text(), QStringLiteral("CNPJ"));
    EXPECT_EQ(fmExcluir->edCgcVinculado->text(), QString());
    // The question is its own box: titled "Confirmação", No by default; No deletes nothing.
    messages.answer("mrNo");
    fmExcluir->bbExcluirClick();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, msg::BoxKind::Confirmation);
    EXPECT_EQ(messages.shown()[0].buttons, msg::BoxButtons::YesNo);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Confirmação"));
    EXPECT_EQ(messages.shown()[0].defaultButton, QStringLiteral("mrNo"));
    EXPECT_EQ(count(QStringLiteral("Bd8emp.DB")), 2);
    EXPECT_EQ(count(QStringLiteral("Bd8vinc.DB")), 5);
    fmExcluir->MarkEstablishmentOpen();
    RecordingProgress progress;
    fmExcluir->DeleteEstablishment(progress);
    EXPECT_EQ(progress.maximum, 4);
    EXPECT_EQ(progress.positions.first(), 1);
    EXPECT_EQ(progress.positions.last(), 4);
    EXPECT_EQ(count(QStringLiteral("Bd8emp.DB")), 1);
    EXPECT_EQ(count(QStringLiteral("Bd8vinc.DB")), 2);
}

TEST_F(Lists, AFailedDeletionWritesNothingAndIsReportedNextTime) {
    const Row e = estab(1);
    contracts(e, 0, 3);
    showDeleteForm(e);
    {
        // Another program holds the contracts' file.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open((program.dataFolder() + "/Bd8vinc.DB").toUtf8().constData(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        messages.answer("mrYes");
        fmExcluir->bbExcluirClick();
        ASSERT_EQ(messages.shown().size(), 2);
        // Another user's hold is expected, and told in the program's words.
        EXPECT_EQ(messages.shown().last().kind, msg::BoxKind::Warning);
        EXPECT_TRUE(messages.shown().last().text.contains("está em uso por outro usuário"))
            << messages.shown().last().text.toStdString();
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
    EXPECT_EQ(count(QStringLiteral("Bd8emp.DB")), 1);
    EXPECT_EQ(count(QStringLiteral("Bd8vinc.DB")), 3);
    // The next opening of the establishment reports the unfinished deletion.
    messages.clear();
    dmEntradaDados->ta8Empresa.Open();
    RecoverInterruptedOperation(e.value("AnBase"), e.value("CoCgcCeiEstabelecimento"), e.value("NuPrefixoEstabelecimento"));
    dmEntradaDados->ta8Empresa.Close();
    EXPECT_EQ(messages.codes(), QStringList{"0501"});
}

}  // namespace
