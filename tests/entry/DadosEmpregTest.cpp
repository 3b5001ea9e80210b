#include "entry/EmployeeContract.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmTb8Afast.h"
#include "entry/ufmTb8CBO.h"
#include "entry/ufmTb8TpAdm.h"
#include "entry/LookupPicker.h"
#include "platform/db/DbError.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/PageControl.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/HelpMap.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

// Readable values in the failures.
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using Row = valid::Row;

using gui::settle;
using gui::typeAndLeave;
using gui::typeInto;

// Rows of the declaration tables, read through tables of the test's own.
QList<Row> storedRows(const QString& file) {
    db::Table t(dmLobrix->dbZuvo, file);
    t.Open();
    QList<Row> rows;
    for (t.First(); !t.Eof(); t.Next()) {
        Row row;
        for (int i = 0; i < t.FieldCount(); ++i) row[t.Fields(i).FieldName()] = t.Fields(i).AsString();
        rows << row;
    }
    t.Close();
    return rows;
}

void storeRow(const QString& file, const Row& row) {
    db::Table t(dmLobrix->dbZuvo, file);
    t.Open();
    valid::Append(t, row);
    t.Close();
}

// Answers the boxes like ScriptedMessages and runs an action when a code shows.
class HookedMessages : public ScriptedMessages {
public:
    QString hookCode;
    std::function<void()> hook;
    QString show(const msg::BoxRequest& request) override {
        if (hook && request.code == hookCode) std::exchange(hook, nullptr)();
        return ScriptedMessages::show(request);
    }
};

class DadosEmpreg : public ::testing::Test {
protected:
    TempProgramWithModules program;
    HookedMessages messages;
    TfmDadosEmpreg* form = nullptr;
    Row establishment = valid::Establishment(1, 0);

    void SetUp() override {
        messages.acceptOkBoxes();
        valid::RegisterUnionEntities();
        establishment["NuVinculosEstabelecimento"] = "000000";
        establishment["InOpcaoAberta"] = "0";
        storeRow("Bd8emp.DB", establishment);
        ContextBaseYear = establishment["AnBase"];
        ContextInscription = establishment["CoCgcCeiEstabelecimento"];
        ContextPrefix = establishment["NuPrefixoEstabelecimento"];
        ContextInscriptionType = establishment["InInscrEstabelecimento"];
        ContextEstablishmentName = establishment["NoRazaoEstabelecimento"];
        ContextLinkedCei = establishment["CoCgcVinculado"];
        ContextFollowingYear = 0;
        openNew();
    }
    void TearDown() override {
        delete form;
        form = nullptr;
        dmEntradaDados->ta8Empreg.Close();
        dmEntradaDados->ta8Empresa.Close();
    }

    // A stored contract of the establishment, as the form saves them.
    Row storeContract(int n, const Row& overrides = {}) {
        Row row = valid::With(valid::Contract(establishment, n), overrides);
        row["NuSequencialRegistro"] = "";
        storeRow("Bd8vinc.DB", row);
        return row;
    }
    void openNew() {
        ContextPis.clear();
        ContextAdmission.clear();
        ContextEmployeeName.clear();
        ContextDismissal.clear();
        ContextCbo.clear();
    }
    void openStored(const Row& row) {
        ContextPis = row["CoPisPasepEmpregado"];
        ContextAdmission = row["DaAdmissaoEmpregado"];
        ContextEmployeeName = row["NoEmpregado"];
        ContextDismissal = row["DaDesligamentoEmpregado"];
        ContextCbo = row["CoCbo"];
    }
    void showForm() {
        if (!form) {
            form = new TfmDadosEmpreg();
            fmDadosEmpreg = form;
        }
        form->show();
        // A form shown again after it closed must be the active window again before keys reach it.
        const bool active = gui::waitUntil([this] {
            if (QApplication::activeWindow() == form) return true;
            QApplication::setActiveWindow(form);
            return false;
        }, "the employee form to become the active window");
        ASSERT_TRUE(active);
        settle();
    }
    // The form's focused control (the form is the active window while a test drives it).
    QWidget* focused() const { return form ? form->focusWidget() : QApplication::focusWidget(); }
    int page() const { return form->pcEmpregados->currentIndex(); }
    QString field(const char* name) const {
        return dmEntradaDados->ta8Empreg.FieldByName(QLatin1String(name)).AsString();
    }
    void clickTab(int index) { gui::clickTab(form->pcEmpregados->tabBar(), index); }
    void clickOk() { gui::click(form->BtOk); }
    QList<Row> contracts() { return storedRows("Bd8vinc.DB"); }
    Row storedEstablishment() { return storedRows("Bd8emp.DB").value(0); }
};

// ---- Money texts --------------------------------------------------------------

TEST(EmployeeMoney, ConversionsBetweenDisplayAndCents) {
    struct Case {
        const char* cents;
        const char* display;
    } cases[] = {
        {"000012345", "           123,45"}, {"000000000", "              0,00"}, {"", "              0,00"},
        {"000123400", "       1.234,00"},   {"999999999", "9.999.999,99"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CentsToDisplay(QString::fromLatin1(c.cents)), QString::fromLatin1(c.display)) << c.cents;
        if (*c.cents) EXPECT_EQ(DisplayToCents9(QString::fromLatin1(c.display)), QString::fromLatin1(c.cents));
    }
    EXPECT_EQ(DisplayToCents8(QStringLiteral("   1.234,00")), QStringLiteral("00123400"));
    EXPECT_EQ(DisplayToCents9(QStringLiteral("10.000.000,00")), QStringLiteral("1000000000"));  // not cut
    EXPECT_EQ(MoneyForEditing(QStringLiteral("       1.234,00")), QStringLiteral("1234,00"));
    EXPECT_EQ(MoneyForEditing(QStringLiteral("   ")), QStringLiteral("   "));
}

TEST(EmployeeMoney, TypedAmountsAreReadAsMeantOrRefused) {
    struct Case {
        const char* typed;
        int digits;
        const char* code;
        const char* cents;
    } cases[] = {
        {"1234", 9, "0000", "000123400"},     {"1234,5", 9, "0000", "000123450"},
        {"9999999,99", 9, "0000", "999999999"}, {"10000000", 9, "0315", ""},
        {"999999,99", 8, "0000", "99999999"}, {"1000000", 8, "0315", ""},
        {"abc", 9, "0040", ""},               {"", 9, "0040", ""},
        // More decimals than cents have: no amount, rather than one rounded away.
        {"0,001500", 9, "0040", ""},          {"12,345", 8, "0040", ""},
        {"1.234,5", 9, "0000", "000123450"},
    };
    for (const auto& c : cases) {
        const MoneyText m = ReadMoneyText(QString::fromLatin1(c.typed), c.digits);
        EXPECT_EQ(m.code, QString::fromLatin1(c.code)) << c.typed;
        if (m.code == QLatin1String("0000")) EXPECT_EQ(m.cents, QString::fromLatin1(c.cents)) << c.typed;
    }
}

TEST(EmployeeMoney, YearTotalAndThirteenthPlausibility) {
    MonthCents nines;
    nines.fill(QStringLiteral("999999999"));
    // Fourteen nine-digit amounts pass 32 bits.
    EXPECT_EQ(YearTotal(nines, QStringLiteral("999999999"), QStringLiteral("999999999")), 13999999986LL);

    MonthCents thousand;
    thousand.fill(QStringLiteral("000100000"));
    EXPECT_TRUE(ThirteenthIsPlausible(thousand, QStringLiteral("000075000"), QStringLiteral("000075000")));
    EXPECT_FALSE(ThirteenthIsPlausible(thousand, QStringLiteral("000075000"), QStringLiteral("000075001")));
    MonthCents single;
    single.fill(QStringLiteral("000000000"));
    single[3] = QStringLiteral("000200000");
    EXPECT_TRUE(ThirteenthIsPlausible(single, QStringLiteral("000300000"), QStringLiteral("0")));
    EXPECT_FALSE(ThirteenthIsPlausible(single, QStringLiteral("000300001"), QStringLiteral("0")));
    MonthCents none;
    none.fill(QStringLiteral("000000000"));
    EXPECT_TRUE(ThirteenthIsPlausible(none, QStringLiteral("999999999"), QStringLiteral("0")));
}

TEST(EmployeeMoney, TheFocusAfter1674GoesToTheFirstUnpaidMonth) {
    QStringList months(12, QStringLiteral("       1.500,00"));
    EXPECT_EQ(FirstUnpaidMonth(months), -1);
    months[1] = QStringLiteral("              0,00");
    months[4] = QString();
    EXPECT_EQ(FirstUnpaidMonth(months), 1);
    months[1] = QStringLiteral("1,00");
    EXPECT_EQ(FirstUnpaidMonth(months), 4);
}

TEST(EmployeeDuplicates, OtherPersonAndSameContractAreDecidedOnTheStoredRows) {
    const ContractWithPis stored{"2009", "ANA SOUZA", "01011980", "00000000000", "01032005", "0000", "513205"};
    const QList<ContractWithPis> one{stored};
    // A person without CPF is stored with zeros: typed empty, she is the same person.
    EXPECT_FALSE(SamePisOtherPerson(one, "2009", false, {"ANA SOUZA", "01011980", ""}));
    EXPECT_TRUE(SamePisOtherPerson(one, "2009", false, {"ANA SOUZA", "02011980", ""}));
    EXPECT_TRUE(SamePisOtherPerson(one, "2009", false, {"Ana Souza", "01011980", ""}));  // exact comparison
    EXPECT_FALSE(SamePisOtherPerson(one, "2008", false, {"OUTRA", "01011980", ""}));     // another year
    // While editing, the contract itself is one of the persons.
    EXPECT_FALSE(SamePisOtherPerson(one, "2009", true, {"ANA SOUZA NOVA", "01011980", ""}));
    const QList<ContractWithPis> two{stored, {"2009", "ANA SOUZA", "01011980", "00000000000", "01032007", "0000",
                                              "513205"}};
    EXPECT_FALSE(SamePisOtherPerson(two, "2009", true, {"ANA SOUZA", "01011980", ""}));  // one distinct person

    EXPECT_TRUE(SameContractExists(one, "12345678901", "01032005", "0000", "513205", "", 0));
    EXPECT_FALSE(SameContractExists(one, "12345678901", "01032005", "0000", "513205", "", 1));
    EXPECT_FALSE(SameContractExists(one, "12345678901", "01032005", "1505", "513205", "", 0));
    EXPECT_FALSE(SameContractExists(one, "00000000000", "01032005", "0000", "513205", "OUTRO NOME", 0));
    EXPECT_TRUE(SameContractExists(one, "00000000000", "01032005", "0000", "513205", "ANA SOUZA", 0));
}

TEST(EmployeeMoney, ReferenceYearAndCaption) {
    EXPECT_EQ(ReferenceYearFor(QStringLiteral("2009"), false, 2009), 2009);
    EXPECT_EQ(ReferenceYearFor(QStringLiteral("2009"), true, 2009), 2010);
    EXPECT_EQ(ReferenceYearFor(QStringLiteral("20x9"), true, 2009), 2009);
    EXPECT_EQ(EmployeeFormCaption(QStringLiteral("LOJA"), QStringLiteral("11222333000181"), QStringLiteral("1"),
                                  QStringLiteral("00")),
              QStringLiteral("LOJA - CNPJ: 11.222.333/0001-81 | Prefixo: 00 - Informações Referentes ao Empregado / "
                             "Servidor"));
    EXPECT_EQ(EmployeeFormCaption(QStringLiteral("OBRA"), QStringLiteral("00123456789012"), QStringLiteral("3"),
                                  QStringLiteral("01")),
              QStringLiteral("OBRA - CEI: 12345.67890-12 | Prefixo: 01 - Informações Referentes ao Empregado / "
                             "Servidor"));
}


// ---- The form ------------------------------------------------------------------

TEST_F(DadosEmpreg, ANewContractTypedThroughThreePagesIsStoredWithTheCounts) {
    showForm();
    EXPECT_EQ(form->EntryMode, QStringLiteral("I"));
    EXPECT_FALSE(form->BtExcluir->isEnabled());
    EXPECT_EQ(focused(), form->dePisPasep);
    EXPECT_EQ(form->edMonths[0]->text().trimmed(), QStringLiteral("0,00"));
    const QString pis = valid::ContractPis(7);
    typeAndLeave(form->dePisPasep, pis);
    typeAndLeave(form->deNomeEmpregado, "maria da silva");
    typeAndLeave(form->deNascimento, "15051980");
    typeAndLeave(form->deRaca, "2");
    EXPECT_EQ(form->edTxRaca->text(), QStringLiteral("Branca"));
    // The disability group: "Não".
    QTest::mouseClick(form->dgDeficiencia->Button(1), Qt::LeftButton);
    QTest::keyClick(form->dgDeficiencia->Button(1), Qt::Key_Tab);
    settle();
    EXPECT_EQ(focused(), form->cbSexo);
    form->cbSexo->setCurrentIndex(1);
    QTest::keyClick(form->cbSexo, Qt::Key_Tab);
    settle();
    typeAndLeave(form->deNacionalidade, "10");
    EXPECT_EQ(focused(), form->deInstrucao);
    typeAndLeave(form->deInstrucao, "7");
    typeAndLeave(form->deCarteiraTrab, "1234567");
    typeAndLeave(form->deCarteiraTrabSerie, "123");
    typeAndLeave(form->deCPF, valid::ContractCpf(7));
    typeAndLeave(form->deUsoEmpregado, "");
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(focused(), form->deAdmissao);
    typeAndLeave(form->deAdmissao, "01032005");
    typeAndLeave(form->deTipoAdmissao, "2");
    typeAndLeave(form->edSalario, "1500");
    EXPECT_EQ(form->edSalario->text().trimmed(), QStringLiteral("1.500,00"));
    typeAndLeave(form->deHoras, "44");
    typeAndLeave(form->deTipoSalContratual, "1");
    typeAndLeave(form->deCBO, "513205");
    EXPECT_EQ(messages.codes(), QStringList());
    // Tab from the occupation goes on to the contract page.
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(focused(), form->deVinculo);
    typeAndLeave(form->deVinculo, "10");
    clickTab(4);
    QTest::mouseClick(form->dbrSindicalizado->Button(1), Qt::LeftButton);
    settle();

    clickTab(5);
    ASSERT_EQ(page(), 5);
    for (int m = 0; m < 12; ++m) {
        typeAndLeave(form->edMonths[m], "1500");
        typeAndLeave(form->deHours[m], "");
    }
    typeAndLeave(form->deMesAdiantamento, "11");
    typeAndLeave(form->edAdiantamento, "750");
    typeAndLeave(form->deMesParcelaFinal, "12");
    typeAndLeave(form->edParcelaFinal, "750");
    EXPECT_EQ(form->edTxParcelaFinal->text(), QStringLiteral("Dezembro"));
    EXPECT_EQ(messages.codes(), QStringList());

    QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);
    for (int i = 0; i < 50 && form->isVisible(); ++i) QTest::qWait(10);
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    const auto rows = contracts();
    ASSERT_EQ(rows.size(), 1);
    const Row& r = rows.at(0);
    const Row expected = {
        {"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", establishment["CoCgcCeiEstabelecimento"]},
        {"NuPrefixoEstabelecimento", "00"}, {"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", "1"},
        {"CoPisPasepEmpregado", pis}, {"NoEmpregado", "MARIA DA SILVA"}, {"DaNascimentoEmpregado", "15051980"},
        {"CoTipoRaca", "2"}, {"InDeficienteFisico", "2"}, {"InSexo", "2"}, {"CoNacionalidade", "10"},
        {"AnChegadaEmpregado", "0000"}, {"CoInstrucao", "07"}, {"NuCartTrabEmpregado", "01234567"},
        {"SeCartTrabEmpregado", "123"}, {"CoCpfEmpregado", valid::ContractCpf(7)},
        {"DaAdmissaoEmpregado", "01032005"}, {"CoTipoAdmissao", "2"}, {"VaSalContratualEmpregado", "000150000"},
        {"HoSemanaisEmpregado", "44"}, {"CoTipoSalarioContratual", "1"}, {"CoCbo", "513205"},
        {"VaJaneiroEmpregado", "000150000"}, {"VaDezembroEmpregado", "000150000"}, {"HoTrabalhadasMaio", "000"},
        {"Me13AdiantamentoEmpregado", "11"}, {"Va13AdiantamentoEmpregado", "000075000"},
        {"Me13ParcelaFinalEmpregado", "12"}, {"Va13ParcelaFinalEmpregado", "000075000"},
        {"DaDesligamentoEmpregado", "0000"}, {"CoCausaDesligamento", "00"}, {"QtDiasAfas", "000"},
        {"VaAvisoPrevioEmpregado", "000000000"}, {"NuSequencialRegistro", ""}, {"TxtRaca", "Branca"},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(r.value(it.key()), it.value()) << it.key().toStdString();
    const Row est = storedEstablishment();
    EXPECT_EQ(est["NuVinculosEstabelecimento"], QStringLiteral("000001"));
    EXPECT_EQ(est["NuEstrangeirosEstabelec"], QStringLiteral("00000"));
    EXPECT_EQ(est["InOpcaoAberta"], QStringLiteral("0"));  // the establishment form's marker stays
}


TEST_F(DadosEmpreg, AStoredContractIsEditedInPlace) {
    const Row stored = storeContract(1);
    storeContract(2);
    openStored(stored);
    showForm();
    EXPECT_EQ(form->EntryMode, QStringLiteral("A"));
    EXPECT_TRUE(form->BtExcluir->isEnabled());
    EXPECT_EQ(focused(), form->deNomeEmpregado);
    EXPECT_EQ(form->edSalario->text(), QStringLiteral("       1.500,00"));
    EXPECT_EQ(form->edTxCBO->text().isEmpty(), false);
    typeAndLeave(form->deNomeEmpregado, "outro nome da silva");
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    const auto rows = contracts();
    ASSERT_EQ(rows.size(), 2);
    Row expected = stored;
    expected["NoEmpregado"] = "OUTRO NOME DA SILVA";
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        // The lookup names are refreshed.
        if (it.key().startsWith("Txt")) continue;
        EXPECT_EQ(rows.at(0).value(it.key()), it.value()) << it.key().toStdString();
    }
    EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"], QStringLiteral("000002"));
}

TEST_F(DadosEmpreg, ASexChosenInTheListIsStored) {
    // Choosing in the list (arrow keys or the pop-up) moves the focus on by itself: the choice must
    // still reach the contract.
    const Row stored = storeContract(1, {{"InSexo", "1"}});
    openStored(stored);
    showForm();
    form->cbSexo->setFocus(Qt::TabFocusReason);
    settle();
    ASSERT_EQ(focused(), form->cbSexo);
    QTest::keyClick(form->cbSexo, Qt::Key_Down);
    settle();
    EXPECT_EQ(form->cbSexo->currentIndex(), 1);
    EXPECT_EQ(focused(), form->deNacionalidade);
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    const auto rows = contracts();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).value("InSexo"), QStringLiteral("2"));
}

TEST_F(DadosEmpreg, AnEightYearOldIsRefusedByTabAndByATabClick) {
    showForm();
    typeAndLeave(form->dePisPasep, valid::ContractPis(7));
    typeAndLeave(form->deNomeEmpregado, "MARIA DA SILVA");
    typeAndLeave(form->deNascimento, "15052001");
    EXPECT_EQ(messages.codes(), QStringList{"0172"});
    EXPECT_EQ(focused(), form->deNascimento);
    messages.clear();
    typeInto(form->deNascimento, "15052001");
    clickTab(1);
    EXPECT_EQ(messages.codes(), QStringList{"0172"});
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(focused(), form->deNascimento);
}

// One broken field of a valid contract per case: Ok shows its code on its page and field.
TEST_F(DadosEmpreg, OkStopsOnTheFirstBrokenFieldInOrder) {
    struct Case {
        Row overrides;
        const char* code;
        int page;
        const char* focus;
    } cases[] = {
        {{{"CoPisPasepEmpregado", "12345678901"}}, "0150", 0, "dePisPasep"},
        {{{"NoEmpregado", "JOSE"}}, "0161", 0, "deNomeEmpregado"},
        {{{"DaNascimentoEmpregado", "31021980"}}, "0175", 0, "deNascimento"},
        {{{"CoTipoRaca", "7"}}, "0481", 0, "deRaca"},
        {{{"InDeficienteFisico", ""}}, "3701", 0, "dgDeficiencia"},
        {{{"CoNacionalidade", "99"}}, "0181", 0, "deNacionalidade"},
        {{{"CoInstrucao", "15"}}, "0201", 0, "deInstrucao"},
        {{{"NuCartTrabEmpregado", "00000000"}, {"SeCartTrabEmpregado", "123"}}, "3723", 0, "deCarteiraTrab"},
        {{{"CoCpfEmpregado", "12345678900"}}, "0210", 0, "deCPF"},
        {{{"DaAdmissaoEmpregado", "01012011"}}, "0391", 1, "deAdmissao"},
        {{{"CoTipoAdmissao", "0"}}, "0221", 1, "deTipoAdmissao"},
        {{{"HoSemanaisEmpregado", "99"}}, "0250", 1, "deHoras"},
        {{{"CoTipoSalarioContratual", "9"}}, "0240", 1, "deTipoSalContratual"},
        {{{"CoCbo", "999999"}}, "0260", 1, "deCBO"},
        {{{"Me13AdiantamentoEmpregado", "13"}}, "0322", 5, "deMesAdiantamento"},
        {{{"Me13ParcelaFinalEmpregado", "13"}}, "0322", 5, "deMesParcelaFinal"},
    };
    int n = 10;
    for (const auto& c : cases) {
        const Row stored = storeContract(++n, c.overrides);
        openStored(stored);
        showForm();
        messages.clear();
        clickOk();
        const QString what = c.overrides.firstKey();
        ASSERT_EQ(messages.codes().size(), 1) << what.toStdString() << " " << messages.codes().join(',').toStdString();
        EXPECT_EQ(messages.codes().at(0), QString::fromLatin1(c.code)) << what.toStdString();
        EXPECT_EQ(page(), c.page) << what.toStdString();
        QWidget* f = focused();
        const QString focusName = f ? (f->parentWidget() && f->parentWidget()->objectName() == "dgDeficiencia"
                                           ? f->parentWidget()->objectName()
                                           : f->objectName())
                                    : QString();
        EXPECT_EQ(focusName, QString::fromLatin1(c.focus)) << what.toStdString();
        EXPECT_TRUE(form->isVisible());
        // Cancel on a stored contract asks first.
        messages.answer("mrYes");
        QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
        settle();
        EXPECT_FALSE(form->isVisible());
    }
}


TEST_F(DadosEmpreg, NoPayAnywhereStopsWith1674AndASecondOkChangesNoAmount) {
    Row zero;
    for (const char* m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                          "Outubro", "Novembro", "Dezembro"})
        zero[QStringLiteral("Va%1Empregado").arg(m)] = "000000000";
    zero["Va13AdiantamentoEmpregado"] = "000000000";
    zero["Va13ParcelaFinalEmpregado"] = "000000000";
    zero["Me13AdiantamentoEmpregado"] = "00";
    zero["Me13ParcelaFinalEmpregado"] = "00";
    const Row stored = storeContract(1, zero);
    openStored(stored);
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"1674"});
    EXPECT_EQ(page(), 5);
    EXPECT_EQ(focused(), form->edMonths[0]);
    // Entered as the user enters it: ready to be typed over.
    EXPECT_EQ(form->edMonths[0]->text(), QStringLiteral("0,00"));
    EXPECT_EQ(form->edMonths[0]->selectedText(), QStringLiteral("0,00"));
    EXPECT_EQ(form->edMonths[1]->text(), QStringLiteral("              0,00"));
    EXPECT_EQ(form->edSalario->text().trimmed(), QStringLiteral("1.500,00"));

    // A second Ok converts the amounts afresh: nothing changes scale.
    // Typed and left for Ok, unformatted.
    ASSERT_TRUE(typeInto(form->edSalario, "1500"));
    messages.clear();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"1674"});
    EXPECT_EQ(form->edMonths[1]->text(), QStringLiteral("              0,00"));
    EXPECT_EQ(form->edAvisoPrevio->text(), QStringLiteral("              0,00"));
    EXPECT_EQ(form->edSalario->text().trimmed(), QStringLiteral("1.500,00"));
    EXPECT_EQ(contracts().at(0).value("VaJaneiroEmpregado"), QStringLiteral("000000000"));
}

TEST_F(DadosEmpreg, TheSameContractInAnyEstablishmentOrYearStopsWith1671) {
    const Row mine = storeContract(1);
    // The same person, admission, dismissal and occupation elsewhere: another establishment, another year.
    Row other = valid::Establishment(2, 1);
    Row elsewhere = valid::With(valid::Contract(other, 1), {{"NuSequencialRegistro", ""}});
    storeRow("Bd8vinc.DB", elsewhere);

    // Editing without touching the key: the contract itself is no duplicate... but the other one is.
    openStored(mine);
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"1671"});
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(focused(), form->deAdmissao);
    messages.answer("mrYes");
    QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
    settle();

    // Without the other one, the edit passes; a new contract with the same key, in an earlier year, does not.
    {
        db::Table t(dmLobrix->dbZuvo, "Bd8vinc.DB");
        t.Open();
        ASSERT_TRUE(t.Locate({"CoCgcCeiEstabelecimento"}, {other["CoCgcCeiEstabelecimento"]}));
        t.Delete();
        t.Close();
        storeRow("Bd8vinc.DB", valid::With(elsewhere, {{"AnBase", "2008"}}));
    }
    messages.clear();
    openStored(mine);
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"1671"});
    messages.answer("mrYes");
    QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
    settle();
    {
        db::Table t(dmLobrix->dbZuvo, "Bd8vinc.DB");
        t.Open();
        ASSERT_TRUE(t.Locate({"AnBase"}, {"2008"}));
        t.Delete();
        t.Close();
    }
    messages.clear();
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DadosEmpreg, AKnownPisOffersTheCopyOnceAndNoGivesTheNewContractUp) {
    const Row stored = storeContract(1, {{"CoCpfEmpregado", "00000000000"}});
    const QString pis = stored["CoPisPasepEmpregado"];
    QString searched;
    EmployeeListSearchPis = [&](const QString& p) { searched = p; };
    showForm();
    messages.answer("mrYes");
    typeAndLeave(form->dePisPasep, pis);
    EXPECT_EQ(messages.codes(), QStringList{"1050"});
    EXPECT_EQ(field("NoEmpregado"), stored["NoEmpregado"]);
    EXPECT_EQ(field("DaNascimentoEmpregado"), stored["DaNascimentoEmpregado"]);
    EXPECT_EQ(field("CoCpfEmpregado"), QString());  // zeros are no CPF
    EXPECT_EQ(form->cbSexo->currentIndex(), 0);
    EXPECT_EQ(focused(), form->deCPF);
    // Leaving the number again with the same PIS/PASEP asks nothing.
    typeAndLeave(form->dePisPasep, pis);
    EXPECT_EQ(messages.codes(), QStringList{"1050"});

    // A second contract of the person without CPF: no false 3761 on Ok.
    clickTab(1);
    typeAndLeave(form->deAdmissao, "01022008");
    typeAndLeave(form->deTipoAdmissao, "2");
    typeAndLeave(form->edSalario, "1500");
    typeAndLeave(form->deHoras, "44");
    typeAndLeave(form->deTipoSalContratual, "1");
    typeAndLeave(form->deCBO, "513205");
    typeAndLeave(form->deVinculo, "20");  // a contract type that needs no CPF
    clickTab(4);
    QTest::mouseClick(form->dbrSindicalizado->Button(1), Qt::LeftButton);
    clickTab(5);
    for (int m = 0; m < 12; ++m) form->edMonths[m]->setText(QStringLiteral("1.500,00"));
    messages.clear();
    clickOk();
    EXPECT_FALSE(messages.codes().contains("3761")) << messages.codes().join(',').toStdString() << " " << messages.texts().join(',').toStdString();
    EXPECT_EQ(contracts().size(), 2);

    // No: the new contract is given up and the list searches the number.
    messages.clear();
    openNew();
    showForm();
    messages.answer("mrNo");
    typeAndLeave(form->dePisPasep, pis);
    EXPECT_EQ(messages.codes(), QStringList{"1050"});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(searched, pis);
    EXPECT_EQ(contracts().size(), 2);
    EmployeeListSearchPis = nullptr;
}

TEST_F(DadosEmpreg, TheSamePisWithAnotherNameWarnsOnceAndSaves) {
    const Row first = storeContract(1);
    const Row second = storeContract(2, {{"CoPisPasepEmpregado", first["CoPisPasepEmpregado"]},
                                        {"DaAdmissaoEmpregado", "01022007"}, {"NoEmpregado", "OUTRA PESSOA SILVA"}});
    Row third = valid::With(second, {{"DaAdmissaoEmpregado", "01022008"}});
    storeRow("Bd8vinc.DB", third);
    openStored(second);
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"3761"});
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DadosEmpreg, AnImplausibleThirteenthWarnsAndSaves) {
    const Row stored = storeContract(1, {{"Va13ParcelaFinalEmpregado", "000200000"}});
    openStored(stored);
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"3508"});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(contracts().at(0).value("Va13ParcelaFinalEmpregado"), QStringLiteral("000200000"));
}

// A month left towards a button or a page's tab reaches Ok as typed.
TEST_F(DadosEmpreg, AnUnformattedMonthIsSavedAtItsScale) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    clickTab(5);
    typeInto(form->edMonths[2], "1234");
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(contracts().at(0).value("VaMarcoEmpregado"), QStringLiteral("000123400"));

    openStored(stored);  // as the employee list hands it over again
    showForm();
    clickTab(5);
    typeInto(form->edMonths[4], "abc");
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"0040"});
    EXPECT_EQ(page(), 5);
    EXPECT_EQ(focused(), form->edMonths[4]);
    typeInto(form->edMonths[4], "10000000");
    messages.clear();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"0315"});
    EXPECT_EQ(contracts().at(0).value("VaMaioEmpregado"), QStringLiteral("000150000"));
}

TEST_F(DadosEmpreg, LeavingAMonthFormatsItAndRefusesWhatIsNoAmount) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    clickTab(5);
    typeAndLeave(form->edMonths[2], "1234");
    EXPECT_EQ(form->edMonths[2]->text(), QStringLiteral("       1.234,00"));
    form->edMonths[2]->setFocus();
    settle();
    EXPECT_EQ(form->edMonths[2]->text(), QStringLiteral("1234,00"));
    typeAndLeave(form->edMonths[2], "abc");
    EXPECT_EQ(messages.codes().value(0), QStringLiteral("0040"));
    EXPECT_EQ(form->edMonths[2]->text(), QStringLiteral("abc"));
    EXPECT_EQ(focused(), form->edMonths[2]);
}

TEST_F(DadosEmpreg, AKeyViolationLosesTheTypedContractAndKeepsBothTables) {
    const Row stored = storeContract(1, {{"Va13ParcelaFinalEmpregado", "000200000"}});
    openStored(stored);
    showForm();
    typeAndLeave(form->deNomeEmpregado, "NOME NOVO DA SILVA");
    // Another window stores the same key while the 13th-salary warning is open.
    Row clash = valid::With(stored, {{"NoEmpregado", "NOME NOVO DA SILVA"}, {"NuSequencialRegistro", ""}});
    messages.hookCode = "3508";
    messages.hook = [&] { storeRow("Bd8vinc.DB", clash); };
    TfmDadosEstab estab;
    fmDadosEstab = &estab;
    estab.ReturnToEstablishmentList = 7;  // untouched unless the form decides
    clickOk();
    fmDadosEstab = nullptr;
    EXPECT_EQ(messages.codes(), (QStringList{"3508", "1059"}));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(estab.ReturnToEstablishmentList, 7);
    const auto rows = contracts();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).value("NoEmpregado"), stored["NoEmpregado"]);
    EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"], QStringLiteral("000000"));
}

TEST_F(DadosEmpreg, DeletingTheLastContractReturnsToTheEstablishmentList) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    TfmDadosEstab estab;
    fmDadosEstab = &estab;
    estab.ReturnToEstablishmentList = 7;  // untouched unless the form decides
    messages.answer("mrNo");
    QTest::mouseClick(form->BtExcluir, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(focused(), form->deNomeEmpregado);
    messages.answer("mrYes");
    QTest::mouseClick(form->BtExcluir, Qt::LeftButton);
    settle();
    fmDadosEstab = nullptr;
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(estab.ReturnToEstablishmentList, 1);
    EXPECT_TRUE(contracts().isEmpty());
    EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"], QStringLiteral("000000"));
    EXPECT_EQ(storedEstablishment()["InOpcaoAberta"], QStringLiteral("0"));
}

TEST_F(DadosEmpreg, CancelOnANewContractClosesWithoutAsking) {
    showForm();
    TfmDadosEstab estab;
    fmDadosEstab = &estab;
    estab.ReturnToEstablishmentList = 7;  // untouched unless the form decides
    QTest::keyClick(form->dePisPasep, Qt::Key_Escape);
    settle();
    fmDadosEstab = nullptr;
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(estab.ReturnToEstablishmentList, 1);  // no employees: back to the establishment list
    EXPECT_TRUE(contracts().isEmpty());
}

TEST_F(DadosEmpreg, AContractNotFoundByItsKeyEditsNoOtherRow) {
    storeContract(1);
    Row missing = valid::Contract(establishment, 5);
    openStored(missing);
    showForm();
    settle();
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(contracts().size(), 1);
}

// Every help context the form's controls carry has its page in help/.
TEST_F(DadosEmpreg, EveryHelpContextOfTheFormHasAPage) {
    showForm();
    ExpectHelpPagesForEveryContext(form, 40);
}

// ---- Contract, absences, union contributions, termination payments ----------------------

TEST(EmployeeCause, TheCauseDecidesDateNoticePayAndTerminationPayments) {
    struct Case {
        const char* cause;
        bool dateOpen, clearDate, noticeOpen;
        int termination;
        bool clearTermination, focusDate;
    } cases[] = {
        {"11", true, false, true, 1, false, true},  {"21", true, false, true, 1, false, true},
        {"71", false, true, false, 0, true, false}, {"78", false, true, false, 0, true, false},
        {"80", false, true, false, 0, true, false}, {"22", true, false, false, 1, true, true},
        {"30", true, false, false, 1, true, true},  {"31", true, false, false, 1, true, true},
        {"40", true, false, false, 1, true, true},  {"50", true, false, false, 1, true, true},
        {"12", true, false, false, 1, false, true}, {"", false, true, false, -1, false, false},
        {"00", false, false, false, 1, false, false},
    };
    for (const auto& c : cases) {
        const DismissalCauseEffect e = EffectOfDismissalCause(QString::fromLatin1(c.cause));
        EXPECT_EQ(e.dateOpen, c.dateOpen) << c.cause;
        EXPECT_EQ(e.clearDate, c.clearDate) << c.cause;
        EXPECT_EQ(e.noticePayOpen, c.noticeOpen) << c.cause;
        EXPECT_EQ(e.terminationOpen, c.termination) << c.cause;
        EXPECT_EQ(e.clearTermination, c.clearTermination) << c.cause;
        EXPECT_EQ(e.focusDate, c.focusDate) << c.cause;
    }
}

TEST_F(DadosEmpreg, ADismissedContractTypedAsAUserWouldIsStoredInStoredForm) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    clickTab(2);
    typeAndLeave(form->deCodDeslig, "11");
    EXPECT_EQ(focused(), form->deDataDeslig);
    EXPECT_FALSE(form->deDataDeslig->isReadOnly());
    EXPECT_FALSE(form->edAvisoPrevio->isReadOnly());
    // No termination amount yet (a warning), then "O Aviso Prévio foi indenizado?".
    messages.answer("mrOk").answer("mrYes");
    typeAndLeave(form->deDataDeslig, "3011");
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("O Aviso Prévio foi indenizado?")));
    EXPECT_EQ(form->deAnoDeslig->text(), QStringLiteral("2009"));
    EXPECT_EQ(focused(), form->edAvisoPrevio);
    typeAndLeave(form->edAvisoPrevio, "2500");
    EXPECT_EQ(form->edAvisoPrevio->text().trimmed(), QStringLiteral("2.500,00"));
    EXPECT_EQ(focused(), form->deMunicipioTrabalho);

    clickTab(3);
    typeAndLeave(form->deAfastCod[0], "40");
    typeAndLeave(form->deAfastInicio[0], "0105");
    typeAndLeave(form->deAfastFinal[0], "1505");
    typeAndLeave(form->deAfastQtDias, "15");
    EXPECT_EQ(page(), 4);
    EXPECT_EQ(focused(), form->deUnionCnpj[0]);
    typeAndLeave(form->deUnionValue[0], "45,5");
    EXPECT_EQ(form->deUnionValue[0]->text().trimmed(), QStringLiteral("45,50"));

    ASSERT_TRUE(form->pcEmpregados->isTabEnabled(6));
    clickTab(6);
    typeAndLeave(form->deTerminationValue[0], "1800");
    messages.clear();
    clickOk();
    EXPECT_FALSE(form->isVisible()) << messages.codes().join(',').toStdString();
    const Row r = contracts().at(0);
    const Row expected = {
        {"CoCausaDesligamento", "11"},         {"DaDesligamentoEmpregado", "3011"},
        {"VaAvisoPrevioEmpregado", "000250000"}, {"VaGlobalFerias", "00180000"},
        {"VaGlobalSindical", "00004550"},      {"CoCNPJSindical", valid::WorkerUnionCnpj()},
        {"QtCompBcoHoras", "00"},              {"QtCompDissidio", "00"},
        {"QtCompGratificacoes", "00"},         {"CoMotivoPrimAfas", "40"},
        {"DaInicioprimeiroAfas", "0105"},      {"DaFinalPrimeiroAfas", "1505"},
        {"QtDiasAfas", "015"},                 {"CoMotivoSeguAfas", "00"},
        {"DaInicioSegundoAfas", "0000"},       {"VaJaneiroEmpregado", "000150000"},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(r.value(it.key()), it.value()) << it.key().toStdString();
}

TEST_F(DadosEmpreg, AnAmountWithoutItsCauseOrCnpjIsRefusedOnItsField) {
    const Row stored = storeContract(1, {{"VaGlobalFerias", "00010000"}});
    openStored(stored);
    showForm();
    ASSERT_TRUE(form->pcEmpregados->isTabEnabled(6));  // a stored termination amount opens the page
    clickTab(6);
    typeInto(form->deTerminationValue[0], "100");
    QTest::keyClick(form->deTerminationValue[0], Qt::Key_Tab);
    settle();
    EXPECT_EQ(messages.codes(), QStringList{"3675"});
    EXPECT_EQ(page(), 6);
    EXPECT_EQ(focused(), form->deTerminationValue[0]);
    // A click on another page's tab still changes the page.
    messages.clear();
    clickTab(4);
    EXPECT_EQ(messages.codes(), QStringList{"3675"});
    EXPECT_EQ(page(), 4);

    // A union amount without its CNPJ: the focus goes to the CNPJ.
    messages.clear();
    typeAndLeave(form->deUnionCnpj[3], "");
    typeAndLeave(form->deUnionValue[3], "30");
    EXPECT_EQ(messages.codes(), QStringList{"3744"});
    EXPECT_EQ(focused(), form->deUnionCnpj[3]);
}

TEST_F(DadosEmpreg, AStaleNoticePayOfTheContractShownBeforeIsNotKept) {
    const Row a = storeContract(1, {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3011"},
                                    {"VaAvisoPrevioEmpregado", "000250000"}});
    const Row b = storeContract(2, {{"CoCausaDesligamento", "12"}, {"DaDesligamentoEmpregado", "3011"},
                                    {"VaAvisoPrevioEmpregado", "000099900"}});
    openStored(a);
    showForm();
    clickTab(2);
    typeAndLeave(form->deCodDeslig, "11");  // the cause handler opens the termination payments
    EXPECT_EQ(form->TerminationPaymentsOpen, 1);
    messages.answer("mrYes");
    QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
    settle();
    ASSERT_FALSE(form->isVisible());

    messages.clear();
    openStored(b);
    showForm();
    EXPECT_EQ(form->TerminationPaymentsOpen, 0);
    EXPECT_EQ(form->edAvisoPrevio->text().trimmed(), QStringLiteral("0,00"));
    EXPECT_TRUE(form->edAvisoPrevio->isReadOnly());
    clickOk();
    EXPECT_FALSE(form->isVisible()) << messages.codes().join(',').toStdString();
    EXPECT_EQ(contracts().at(1).value("VaAvisoPrevioEmpregado"), QStringLiteral("000000000"));
}

// A minor admitted at 14 without alvará: the questions and what each answer leads to.
TEST_F(DadosEmpreg, TheAlvaraQuestionsKeepAllowOrDeleteTheContract) {
    const Row minor = {{"DaNascimentoEmpregado", "15051994"}, {"DaAdmissaoEmpregado", "01012009"},
                       {"InAlvaraEmpregado", "2"}};
    const QString question = QStringLiteral("Existe alvará autorizando menor de 16 anos de idade ?");
    struct Case {
        QStringList answers;
        const char* alvara;  // stored afterwards; "" when the contract is gone
        bool closed;
    } cases[] = {
        {{"mrYes"}, "1", true},                        // an alvará exists: saved with it
        {{"mrNo", "mrOk", "mrYes"}, "1", true},        // 3533, then asked again
        {{"mrNo", "mrOk", "mrNo", "mrNo"}, "2", false},  // 3532 No: kept without alvará, Ok stops
        {{"mrNo", "mrOk", "mrNo", "mrYes"}, "", true},   // 3532 Yes: the contract is deleted
    };
    int n = 20;
    for (const auto& c : cases) {
        const Row stored = storeContract(++n, minor);
        storeContract(++n);  // another contract keeps the establishment's count above zero
        openStored(stored);
        showForm();
        messages.clear();
        for (const QString& a : c.answers) messages.answer(a);
        clickOk();
        EXPECT_EQ(messages.texts().count(question), c.answers.size() >= 3 ? 2 : 1) << c.answers.join(',').toStdString();
        EXPECT_EQ(!form->isVisible(), c.closed) << c.answers.join(',').toStdString();
        if (form->isVisible()) {
            EXPECT_EQ(field("InAlvaraEmpregado"), QString::fromLatin1(c.alvara));
            messages.answer("mrYes");
            QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
            settle();
            continue;
        }
        const auto rows = contracts();
        const auto found = std::find_if(rows.begin(), rows.end(), [&](const Row& r) {
            return r.value("CoPisPasepEmpregado") == stored["CoPisPasepEmpregado"];
        });
        if (*c.alvara) {
            ASSERT_NE(found, rows.end());
            EXPECT_EQ(found->value("InAlvaraEmpregado"), QString::fromLatin1(c.alvara));
        } else {
            EXPECT_EQ(found, rows.end());
            EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"].toInt(), int(rows.size()));
        }
    }
}

TEST_F(DadosEmpreg, AbsenceDatesAreReadPerSlotAndRefusedOnTheRightField) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    clickTab(3);
    // A reason without a start date: the focus stays on the start date (3638).
    typeAndLeave(form->deAfastCod[0], "40");
    messages.clear();
    typeAndLeave(form->deAfastInicio[0], "");
    EXPECT_EQ(messages.codes(), QStringList{"3638"});
    EXPECT_EQ(focused(), form->deAfastInicio[0]);
    // Three digits: refused in the first slot, read as 0103 in the others.
    messages.clear();
    typeAndLeave(form->deAfastInicio[0], "103");
    EXPECT_EQ(messages.codes(), QStringList{"0040"});
    // A date without a reason: the focus goes to the reason.
    messages.clear();
    typeAndLeave(form->deAfastInicio[0], "0103");
    typeAndLeave(form->deAfastFinal[0], "1003");
    typeAndLeave(form->deAfastInicio[1], "0104");
    EXPECT_EQ(focused(), form->deAfastCod[1]);
    EXPECT_FALSE(messages.codes().isEmpty());
    messages.clear();
    typeAndLeave(form->deAfastCod[1], "50");
    typeAndLeave(form->deAfastInicio[1], "105");
    EXPECT_EQ(messages.codes(), QStringList());
    typeAndLeave(form->deAfastFinal[1], "0205");
    typeAndLeave(form->deAfastInicio[1], "0105");
    // An end before the start fails on the end.
    messages.clear();
    typeAndLeave(form->deAfastFinal[1], "0104");
    EXPECT_FALSE(messages.codes().isEmpty());
    EXPECT_EQ(focused(), form->deAfastFinal[1]);
    typeAndLeave(form->deAfastFinal[1], "0205");
    typeAndLeave(form->deAfastQtDias, "41");
    EXPECT_EQ(page(), 4);
    // Days without a first reason fail on the first reason.
    messages.clear();
    clickTab(3);
    form->deAfastCod[0]->setFocus();
    settle();
    form->deAfastCod[0]->clear();
    form->deAfastCod[1]->setFocus();
    settle();
    typeAndLeave(form->deAfastQtDias, "41");
    // The second reason without a first is out of order (3748); the days then fail on the first reason.
    EXPECT_EQ(messages.codes(), (QStringList{"3748", "3753"}));
    EXPECT_EQ(focused(), form->deAfastCod[0]);
}

TEST_F(DadosEmpreg, ContributionCnpjsAreRefusedOrQuestioned) {
    const Row stored = storeContract(1, {{"InSindicalizadoVinculo", "1"}, {"VaGlobalSindical", "00000000"}});
    openStored(stored);
    showForm();
    clickTab(4);
    const QString question =
        QStringLiteral("Este campo deve ser preenchido obrigatoriamente com o CNPJ da entidade sindical laboral. Confirma?");
    struct Case {
        int row;
        QString cnpj;
        const char* code;  // "" when accepted
        bool asked;         // the union-table question, answered No
    } cases[] = {
        {0, establishment["CoCgcCeiEstabelecimento"], "3743", false},
        {0, QStringLiteral("99999999999999"), "", false},  // exempt from the union tax: nothing asked
        {3, QStringLiteral("00000000000191"), "3741", false},
        {1, valid::Cnpj("123456780002"), "3684", false},
        {4, valid::Cnpj("123456780001"), "", true},
    };
    for (const auto& c : cases) {
        messages.clear();
        if (c.asked) messages.answer("mrNo");
        typeAndLeave(form->deUnionCnpj[c.row], c.cnpj);
        EXPECT_EQ(messages.codes(), *c.code ? QStringList{QString::fromLatin1(c.code)} : QStringList(c.asked ? 1 : 0, QString()))
            << c.cnpj.toStdString();
        EXPECT_EQ(messages.texts().contains(question), c.asked) << c.cnpj.toStdString();
        if (*c.code || c.asked) EXPECT_EQ(focused(), form->deUnionCnpj[c.row]) << c.cnpj.toStdString();
        if (c.row != 0) typeAndLeave(form->deUnionCnpj[c.row], QString());
    }
}

TEST_F(DadosEmpreg, MembershipOpensOrEmptiesTheAssociationRows) {
    const Row stored = storeContract(1, {{"InSindicalizadoVinculo", ""}, {"VaGlobalPrimAssociativa", "00001000"},
                                        {"CoCNPJPrimAssociativa", valid::WorkerUnionCnpj()}});
    openStored(stored);
    showForm();
    // None chosen: Ok stops with 3724 on "Sim", left unselected.
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"3724"});
    EXPECT_EQ(page(), 4);
    EXPECT_EQ(focused(), form->dbrSindicalizado->Button(0));
    EXPECT_EQ(form->dbrSindicalizado->ItemIndex(), -1);
    // "Não": the association rows are emptied and closed, the focus goes to the assistance CNPJ.
    QTest::mouseClick(form->dbrSindicalizado->Button(1), Qt::LeftButton);
    QTest::keyClick(form->dbrSindicalizado->Button(1), Qt::Key_Tab);
    settle();
    EXPECT_EQ(field("CoCNPJPrimAssociativa"), QString());
    EXPECT_EQ(form->deUnionValue[1]->text(), QStringLiteral("0,00"));
    EXPECT_TRUE(form->deUnionCnpj[1]->isReadOnly());
    EXPECT_EQ(focused(), form->deUnionCnpj[3]);
    // "Sim": the rows open and the focus goes to the first association.
    QTest::mouseClick(form->dbrSindicalizado->Button(0), Qt::LeftButton);
    settle();
    QTest::keyClick(form->dbrSindicalizado->Button(0), Qt::Key_Tab);
    settle();
    EXPECT_FALSE(form->deUnionCnpj[1]->isReadOnly());
    EXPECT_EQ(focused(), form->deUnionCnpj[1]);
}

TEST_F(DadosEmpreg, TerminationMonthsGoWithTheirAmounts) {
    const Row stored = storeContract(1, {{"CoCausaDesligamento", "12"}, {"DaDesligamentoEmpregado", "3011"}});
    openStored(stored);
    showForm();
    ASSERT_TRUE(form->pcEmpregados->isTabEnabled(6));
    clickTab(6);
    struct Case {
        int row;  // 0 hours bank, 1 adjustment, 2 bonuses
        const char* amount;
        const char* months;
        const char* code;
        bool onMonths;
    } cases[] = {
        {0, "100", "", "3680", true}, {0, "0", "3", "3681", false},
        {1, "0", "3", "3682", false}, {2, "0", "3", "3683", false},
    };
    for (const auto& c : cases) {
        messages.clear();
        typeAndLeave(form->deTerminationValue[c.row + 2], c.amount);
        typeAndLeave(form->deTerminationMonths[c.row], c.months);
        EXPECT_EQ(messages.codes(), QStringList{QString::fromLatin1(c.code)}) << c.code;
        EXPECT_EQ(focused(), c.onMonths ? form->deTerminationMonths[c.row] : form->deTerminationValue[c.row + 2])
            << c.code;
        form->deTerminationValue[c.row + 2]->setText(QStringLiteral("0,00"));
        form->deTerminationMonths[c.row]->clear();
        dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("QtCompBcoHoras")).SetAsString(QString());
        dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("QtCompDissidio")).SetAsString(QString());
        dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("QtCompGratificacoes")).SetAsString(QString());
    }
}

TEST_F(DadosEmpreg, TheAbsencePickerFillsItsSlotAndMovesToTheStartDate) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    clickTab(3);
    FormsScript script;
    auto pick = [](int row) {
        return [row](QWidget* form) {
            auto* picker = static_cast<TLookupPicker*>(form);
            picker->TreeView1->setCurrentItem(picker->TreeView1->topLevelItem(row));
            picker->TreeView1->currentItem()->setSelected(true);
            picker->SelectCode();
            return int(forms::mrNone);
        };
    };
    // The first slot: its reason, its description, the box about the base year, the start date next.
    script.expect(QStringLiteral("fmTb8Afast"), pick(0));
    QTest::mouseClick(form->sbAfast[0], Qt::LeftButton);
    settle();
    EXPECT_EQ(AbsenceSlot, 1);
    EXPECT_EQ(field("CoMotivoPrimAfas"), QStringLiteral("10"));
    EXPECT_EQ(form->deAfastCod[0]->text(), QStringLiteral("10"));
    EXPECT_FALSE(form->edTxAfast[0]->text().isEmpty());
    EXPECT_TRUE(messages.texts().value(0).startsWith(QStringLiteral("As informações referem-se ao ano-base 2009.")));
    EXPECT_EQ(focused(), form->deAfastInicio[0]);
    // The second slot is told its number (its picker is clicked with the first slot's dates typed).
    gui::type("0105");
    gui::tab();
    gui::type("1505");
    messages.clear();
    script.expect(QStringLiteral("fmTb8Afast"), pick(3));
    QTest::mouseClick(form->sbAfast[1], Qt::LeftButton);
    settle();
    EXPECT_EQ(AbsenceSlot, 2);
    EXPECT_EQ(field("CoMotivoSeguAfas"), QStringLiteral("40"));
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(focused(), form->deAfastInicio[1]);
    EXPECT_TRUE(script.unexpected().isEmpty());
}

TEST_F(DadosEmpreg, OvertimeAboveAHundredHoursIsConfirmed) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    clickTab(5);
    typeAndLeave(form->deHours[2], "");
    EXPECT_EQ(form->deHours[2]->text(), QStringLiteral("000"));  // an empty month becomes 000
    struct Case {
        int month;
        const char* answer;
        QWidget* focus;
    } cases[] = {
        {2, "mrNo", form->deHours[2]},
        {2, "mrYes", form->edMonths[3]},
        {11, "mrYes", form->deMesAdiantamento},
    };
    for (const auto& c : cases) {
        messages.clear();
        messages.answer(c.answer);
        typeAndLeave(form->deHours[c.month], "101");
        EXPECT_EQ(messages.codes(), QStringList{"3699"}) << c.answer;
        EXPECT_EQ(focused(), c.focus) << c.month << c.answer;
    }
}

TEST_F(DadosEmpreg, DecemberWithoutAnyPayTellsTheUser) {
    Row zero;
    for (const char* m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                          "Outubro", "Novembro", "Dezembro"})
        zero[QStringLiteral("Va%1Empregado").arg(m)] = "000000000";
    // Admitted in March of the base year, no dismissal, no absence: March without pay is told (3679).
    const Row march = storeContract(1, valid::With(zero, {{"DaAdmissaoEmpregado", "01032009"},
                                                          {"CoCausaDesligamento", ""}}));
    openStored(march);
    showForm();
    clickTab(5);
    typeAndLeave(form->edMonths[11], "0");
    EXPECT_EQ(messages.codes(), QStringList{"3679"});
    EXPECT_EQ(focused(), form->deHours[11]);
    messages.answer("mrYes");
    QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
    settle();
    // With an absence (the admission year is not compared): only the year without pay is told (1060).
    const Row earlier = storeContract(2, valid::With(zero, {{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "0101"},
                                                            {"DaFinalPrimeiroAfas", "3112"}, {"QtDiasAfas", "365"}}));
    messages.clear();
    openStored(earlier);
    showForm();
    clickTab(5);
    typeAndLeave(form->edMonths[11], "0");
    EXPECT_EQ(messages.codes(), QStringList{"1060"});
}


// ---- Keyboard journeys: keys on the focused widget only --------------------------------

// Twelve months without pay, and no 13th salary.
Row NoPay() {
    Row zero;
    for (const char* m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                          "Outubro", "Novembro", "Dezembro"})
        zero[QStringLiteral("Va%1Empregado").arg(m)] = "000000000";
    zero["Va13AdiantamentoEmpregado"] = "000000000";
    zero["Va13ParcelaFinalEmpregado"] = "000000000";
    zero["Me13AdiantamentoEmpregado"] = "00";
    zero["Me13ParcelaFinalEmpregado"] = "00";
    return zero;
}

// Ok refuses the salary (0232) and then the year without pay (1674), each time
// putting the focus on the amount to type: what is typed there is the amount.
TEST_F(DadosEmpreg, AmountsTypedWhereOkPutTheFocusAreStoredAsTyped) {
    const Row stored = storeContract(1, valid::With(NoPay(), {{"VaSalContratualEmpregado", "000000000"}}));
    openStored(stored);
    showForm();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"0232"});
    ASSERT_EQ(gui::focused(), form->edSalario);
    gui::type("1500");
    gui::tab();
    EXPECT_EQ(form->edSalario->text().trimmed(), QStringLiteral("1.500,00"));

    messages.clear();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"1674"});
    ASSERT_EQ(gui::focused(), form->edMonths[0]);
    gui::type("1250,5");
    messages.clear();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList());
    ASSERT_FALSE(form->isVisible());
    const Row r = contracts().at(0);
    EXPECT_EQ(r.value("VaSalContratualEmpregado"), QStringLiteral("000150000"));
    EXPECT_EQ(r.value("VaJaneiroEmpregado"), QStringLiteral("000125050"));
    EXPECT_EQ(r.value("VaFevereiroEmpregado"), QStringLiteral("000000000"));
}

// A text that is no amount of cents is refused, never read as zero.
TEST_F(DadosEmpreg, AMonthTypedBehindItsZeroIsRefusedNotStoredAsZero) {
    const Row stored = storeContract(1, {{"VaFevereiroEmpregado", "000000000"}});
    openStored(stored);
    showForm();
    clickTab(5);
    ASSERT_TRUE(gui::tabTo(form->edMonths[1]));
    // The user puts the caret after the zero that is shown and types on.
    QTest::keyClick(gui::focused(), Qt::Key_End);
    gui::type("1500");
    gui::tab();
    EXPECT_EQ(messages.codes(), QStringList{"0040"});
    EXPECT_EQ(gui::focused(), form->edMonths[1]);
    EXPECT_EQ(form->edMonths[1]->text(), QStringLiteral("0,001500"));  // what was typed, to be mended
    gui::key(Qt::Key_A, Qt::ControlModifier);
    gui::type("1500");
    gui::tab();
    EXPECT_EQ(form->edMonths[1]->text().trimmed(), QStringLiteral("1.500,00"));
}

// The picker of an empty occupation opens: its button never takes the focus, so
// the occupation is not checked before the user could choose one.
TEST_F(DadosEmpreg, ThePickerOfAnEmptyOccupationOpensAndItsChoiceIsChecked) {
    const Row stored = storeContract(1, {{"CoCbo", ""}});
    openStored(stored);
    showForm();
    clickTab(1);
    ASSERT_TRUE(gui::tabTo(form->deCBO));
    FormsScript script;
    script.expect(QStringLiteral("fmTb8CBO"), [](QWidget* w) {
        auto* picker = static_cast<TfmTb8CBO*>(w);
        for (QTreeWidgetItem* n : TreeNodesInDisplayOrder(picker->TreeView1))
            if (n->text(0).startsWith(QStringLiteral("513205"))) {
                picker->TreeView1->setCurrentItem(n);
                n->setSelected(true);
            }
        gui::press(picker->TreeView1, Qt::Key_Return);
        return int(forms::mrNone);
    });
    gui::click(form->sbCBO);
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.unexpected().isEmpty());
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(field("CoCbo"), QStringLiteral("513205"));
    EXPECT_FALSE(form->edTxCBO->text().isEmpty());
    EXPECT_EQ(gui::focused(), form->deCBO);
}

// Chooses in a flat picker by keys: down the list to the code, then Enter.
forms::ModalHandler ChooseByKeys(const QString& code) {
    return [code](QWidget* w) {
        auto* tree = static_cast<TLookupPicker*>(w)->TreeView1;
        gui::press(tree, Qt::Key_Home);
        for (int i = 0; i < tree->topLevelItemCount() && tree->currentItem() &&
                        !tree->currentItem()->text(0).startsWith(code);
             ++i)
            gui::press(tree, Qt::Key_Down);
        gui::press(tree, Qt::Key_Return);
        return int(forms::mrNone);
    };
}

// One new contract through every page by the keyboard, with the moves the
// form makes itself on the way (the admission-type picker, the pass-through
// edits, the union page's last amount, the 13th salary's final parcel): what
// is typed after each of them is what is stored.
TEST_F(DadosEmpreg, AContractTypedThroughEveryPageByTheKeyboardIsStoredAsTyped) {
    FormsScript script;
    script.expect(QStringLiteral("fmTp8adm"), ChooseByKeys(QStringLiteral("2")));
    showForm();
    auto at = [this](QWidget* w) {
        QWidget* f = gui::focused();
        return f == w || (f && w->isAncestorOf(f));
    };
    const QString pis = valid::ContractPis(7);
    ASSERT_TRUE(at(form->dePisPasep));
    gui::type(pis);
    gui::tab();
    gui::type("maria da silva");
    gui::tab();
    gui::type("15051980");
    gui::tab();
    ASSERT_TRUE(at(form->deRaca));
    gui::type("2");
    gui::tab();
    // The disability group: "Não", reached with an arrow key and chosen with the space bar.
    ASSERT_TRUE(at(form->dgDeficiencia));
    gui::key(Qt::Key_Right);
    gui::key(Qt::Key_Space);
    gui::tab();
    EXPECT_EQ(form->deDeficiente->text(), QString());  // no disability: no "0" in the type box
    ASSERT_TRUE(at(form->cbSexo));
    gui::type("2");
    ASSERT_TRUE(at(form->deNacionalidade));
    gui::type("10");
    gui::tab();
    ASSERT_TRUE(at(form->deInstrucao));
    gui::type("7");
    gui::tab();
    gui::type("1234567");
    gui::tab();
    gui::type("123");
    gui::tab();
    gui::type(valid::ContractCpf(7));
    gui::tab(2);
    EXPECT_EQ(messages.codes(), QStringList());

    // Admission: the type from its picker, after which the salary has the focus.
    ASSERT_TRUE(at(form->deAdmissao));
    gui::type("01032005");
    gui::tab();
    ASSERT_TRUE(at(form->deTipoAdmissao));
    gui::click(form->sbAdmissao);
    EXPECT_EQ(script.pending(), 0);
    ASSERT_TRUE(at(form->edSalario));
    gui::type("1500");
    gui::tab();
    gui::type("44");
    gui::tab();
    gui::type("1");
    gui::tab();
    gui::type("513205");
    gui::tab();
    EXPECT_EQ(messages.codes(), QStringList());
    // Descriptions show from their beginning, however long.
    for (QLineEdit* description : {form->edTxAdmissao, form->edTxSalContratual, form->edTxCBO}) {
        EXPECT_FALSE(description->text().isEmpty()) << description->objectName().toStdString();
        EXPECT_EQ(description->cursorPosition(), 0) << description->objectName().toStdString();
    }

    // Contract: dismissed on 15/12 with notice pay.
    ASSERT_TRUE(at(form->deVinculo));
    gui::type("10");
    gui::tab();
    ASSERT_TRUE(at(form->deCodDeslig));
    gui::type("11");
    gui::tab();
    ASSERT_TRUE(at(form->deDataDeslig));
    // No termination amount yet (a warning), then "O Aviso Prévio foi indenizado?".
    messages.answer("mrOk").answer("mrYes");
    gui::type("1512");
    gui::tab();
    ASSERT_TRUE(at(form->edAvisoPrevio));
    gui::type("2500");
    gui::tab();
    ASSERT_TRUE(at(form->deMunicipioTrabalho));
    gui::type("3550308");
    gui::tab();

    // No absence: on to the union page.
    ASSERT_TRUE(at(form->deAfastCod[0]));
    ASSERT_TRUE(gui::tabTo(form->deAfastQtDias, 12));
    gui::tab();
    ASSERT_TRUE(at(form->deUnionCnpj[0]));
    gui::type(valid::WorkerUnionCnpj());
    gui::tab();
    gui::type("45,5");
    gui::tab();
    ASSERT_TRUE(at(form->dbrSindicalizado));
    gui::key(Qt::Key_Right);
    gui::key(Qt::Key_Space);
    gui::tab();
    ASSERT_TRUE(at(form->deUnionCnpj[3]));
    ASSERT_TRUE(gui::tabTo(form->deUnionValue[4], 3));
    gui::tab();
    // Leaving the confederative amount goes on to January.
    ASSERT_TRUE(at(form->edMonths[0]));
    for (int m = 0; m < 12; ++m) {
        ASSERT_TRUE(at(form->edMonths[m])) << m;
        gui::type(QString::number(1500 + m));
        gui::tab(2);
    }
    ASSERT_TRUE(at(form->deMesAdiantamento));
    gui::type("11");
    gui::tab();
    gui::type("750");
    gui::tab();
    gui::type("12");
    gui::tab();
    gui::type("750");
    gui::tab();
    // Leaving the final parcel goes on to the holidays paid at termination.
    ASSERT_TRUE(at(form->deTerminationValue[0]));
    gui::type("1800");
    gui::tab();

    messages.clear();
    gui::click(form->BtOk);
    EXPECT_EQ(messages.codes(), QStringList());
    ASSERT_FALSE(form->isVisible());
    const Row r = contracts().value(0);
    const Row expected = {
        {"CoPisPasepEmpregado", pis}, {"NoEmpregado", "MARIA DA SILVA"}, {"DaNascimentoEmpregado", "15051980"},
        {"CoTipoRaca", "2"}, {"InDeficienteFisico", "2"}, {"CoDeficienteFisico", "0"}, {"InSexo", "2"},
        {"CoNacionalidade", "10"}, {"CoInstrucao", "07"}, {"NuCartTrabEmpregado", "01234567"},
        {"CoCpfEmpregado", valid::ContractCpf(7)}, {"DaAdmissaoEmpregado", "01032005"}, {"CoTipoAdmissao", "2"}, {"VaSalContratualEmpregado", "000150000"},
        {"HoSemanaisEmpregado", "44"}, {"CoTipoSalarioContratual", "1"}, {"CoCbo", "513205"},
        {"CoVinculo", "10"}, {"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1512"},
        {"VaAvisoPrevioEmpregado", "000250000"}, {"CoMunicipioTrabalho", "3550308"},
        {"CoCNPJSindical", valid::WorkerUnionCnpj()}, {"VaGlobalSindical", "00004550"},
        {"InSindicalizadoVinculo", "2"}, {"VaJaneiroEmpregado", "000150000"}, {"VaJunhoEmpregado", "000150500"},
        {"VaDezembroEmpregado", "000151100"}, {"Me13AdiantamentoEmpregado", "11"},
        {"Va13AdiantamentoEmpregado", "000075000"}, {"Me13ParcelaFinalEmpregado", "12"},
        {"Va13ParcelaFinalEmpregado", "000075000"}, {"VaGlobalFerias", "00180000"},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(r.value(it.key()), it.value()) << it.key().toStdString();
}

// Every page's tab shows its whole caption (two of them begin alike).
TEST_F(DadosEmpreg, TheTabsShowTheirWholeCaptions) {
    showForm();
    QTabBar* bar = form->pcEmpregados->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)))
            << bar->tabText(i).toStdString();
}

// A clerk types the year's pay ahead of the form: each amount, Tab past its
// hours, Tab. However the keys come in (all queued before any is handled, or in
// small groups between which the form does its queued work), each field takes
// its keys only after its entry (the amount without dots, selected whole).
TEST_F(DadosEmpreg, TwelveMonthsTypedAheadAreStoredAsTyped) {
    const char* typed[12] = {"1500", "1600", "1750", "1800", "1900", "2000",
                             "2100", "2200", "2300", "2400", "2500", "2600,5"};
    const char* stored[12] = {"000150000", "000160000", "000175000", "000180000", "000190000", "000200000",
                              "000210000", "000220000", "000230000", "000240000", "000250000", "000260050"};
    static const char* const kMonths[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                          "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    QString keys;
    for (const char* amount : typed) keys += QString::fromLatin1(amount) + QStringLiteral("\t\t");
    keys.chop(1);  // December's hours are left by Ok
    for (int together : {0, 2, 3, 5}) {
        SCOPED_TRACE(together);
        const Row row = storeContract(1 + together);
        openStored(row);
        showForm();
        clickTab(5);
        gui::click(form->edMonths[0]);
        ASSERT_EQ(focused(), form->edMonths[0]);
        gui::typeAhead(keys, together);
        EXPECT_EQ(focused(), form->deHours[11]);
        messages.clear();
        clickOk();
        EXPECT_EQ(messages.codes(), QStringList());
        ASSERT_FALSE(form->isVisible());
        Row saved;
        for (const Row& r : contracts())
            if (r.value("CoPisPasepEmpregado") == row.value("CoPisPasepEmpregado")) saved = r;
        for (int m = 0; m < 12; ++m)
            EXPECT_EQ(saved.value(QStringLiteral("Va%1Empregado").arg(kMonths[m])), QLatin1String(stored[m])) << kMonths[m];
    }
}

// Opening a stored contract and pressing Ok without any edit leaves every
// column as it was, whatever kind of contract it is and however it was stored.
TEST_F(DadosEmpreg, AStoredContractSavedWithoutAnEditKeepsEveryColumn) {
    const struct Case {
        const char* kind;
        Row overrides;
    } cases[] = {
        {"no disability (type \"0\")", {}},
        {"disabled worker", {{"InDeficienteFisico", "1"}, {"CoDeficienteFisico", "2"}}},
        {"foreigner", {{"CoNacionalidade", "20"}, {"AnChegadaEmpregado", "1995"}}},
        {"dismissed with notice and termination pay",
         {{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "3112"}, {"VaAvisoPrevioEmpregado", "000100000"},
          {"VaGlobalFerias", "00050000"}}},
        {"union member", {{"InSindicalizadoVinculo", "1"}, {"CoCNPJPrimAssociativa", valid::WorkerUnionCnpj()},
                          {"VaGlobalPrimAssociativa", "00003000"}}},
        {"absence", {{"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "0105"}, {"DaFinalPrimeiroAfas", "1505"},
                     {"QtDiasAfas", "015"}}},
        {"sex never chosen", {{"InSexo", ""}}},
        {"blanks where zeros may stand", {{"CoCNPJAssistencial", ""}, {"CoMunicipioTrabalho", ""},
                                           {"CoCNPJPrimAssociativa", ""}, {"CoCNPJSegAssociativa", ""}}},
    };
    auto rowOf = [this](const QString& pis) {
        for (const Row& r : contracts())
            if (r.value("CoPisPasepEmpregado") == pis) return r;
        return Row();
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        // The work municipality's name and state as the form stores them with its code.
        const Row asSaved = valid::With({{"NoMunicipioTrabalho", "SAO PAULO"}, {"SgUfTrabalho", "SP"}}, c.overrides);
        const QString pis = storeContract(++n, asSaved).value("CoPisPasepEmpregado");
        const Row before = rowOf(pis);
        openStored(before);
        showForm();
        messages.clear();
        clickOk();
        EXPECT_EQ(messages.codes(), QStringList());
        ASSERT_FALSE(form->isVisible());
        const Row after = rowOf(pis);
        ASSERT_EQ(after.size(), before.size());
        for (auto it = before.begin(); it != before.end(); ++it) {
            // The copies of the lookup names are taken afresh from the lookup tables.
            if (it.key().startsWith("Txt")) continue;
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
        }
    }
}

// The amount typed right after the union-table question about its CNPJ is
// entered as any amount: its "0,00" selected whole, replaced by what is typed.
TEST_F(DadosEmpreg, TheAssociationAmountTypedAfterItsCnpjQuestionIsStoredAsTyped) {
    const Row stored = storeContract(1, {{"InSindicalizadoVinculo", ""}});
    openStored(stored);
    showForm();
    clickTab(4);
    gui::click(form->dbrSindicalizado->Button(0));
    gui::tab();
    ASSERT_EQ(focused(), form->deUnionCnpj[1]);
    const QString cnpj = valid::Cnpj("123456780001");  // in no union table: the question is asked
    gui::type(cnpj);
    {
        // The real box: the focus leaves the form for it and comes back when it is answered.
        RealMessageBoxes real;
        QStringList asked;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (QAbstractButton* b : box->buttons()) {
                if (box->buttonRole(b) != QMessageBox::YesRole) continue;
                asked << box->text();
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        });
        answer.start(10);
        gui::tab();
        gui::waitUntil([&] { return !asked.isEmpty() && !QApplication::activeModalWidget(); }, "the question answered");
        settle();
        EXPECT_EQ(asked.size(), 1);
    }
    ASSERT_EQ(focused(), form->deUnionValue[1]);
    gui::type("30");
    gui::tab();
    EXPECT_EQ(form->deUnionValue[1]->text().trimmed(), QStringLiteral("30,00"));
    messages.clear();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList());
    ASSERT_FALSE(form->isVisible());
    const Row r = contracts().at(0);
    EXPECT_EQ(r.value("CoCNPJPrimAssociativa"), cnpj);
    EXPECT_EQ(r.value("VaGlobalPrimAssociativa"), QStringLiteral("00003000"));
}

}  // namespace
