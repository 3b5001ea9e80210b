#include "entry/EmployeeContract.h"
#include "entry/ufmDadosEmpreg.h"
#include "platform/db/DbError.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/PageControl.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "support/DataFolder.h"
#include "support/HelpMap.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Row = valid::Row;

void settle() {
    for (int i = 0; i < 8; ++i) QApplication::processEvents();
}

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
        const bool active = QTest::qWaitFor([this] {
            if (QApplication::activeWindow() == form) return true;
            QApplication::setActiveWindow(form);
            return false;
        });
        ASSERT_TRUE(active);
        settle();
    }
    // The form's focused control (the form is the active window while a test drives it).
    QWidget* focused() const { return form ? form->focusWidget() : QApplication::focusWidget(); }
    int page() const { return form->pcEmpregados->currentIndex(); }
    QString field(const char* name) const {
        return dmEntradaDados->ta8Empreg.FieldByName(QLatin1String(name)).AsString();
    }
    void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::TabFocusReason);
        settle();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void typeAndLeave(QLineEdit* edit, const QString& text) {
        typeInto(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        settle();
    }
    void clickTab(int index) {
        QTabBar* bar = form->pcEmpregados->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        settle();
    }
    void clickOk() {
        QTest::mouseClick(form->BtOk, Qt::LeftButton);
        settle();
    }
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
        // The lookup names are refreshed; a type "0" of no disability is shown and kept empty.
        if (it.key().startsWith("Txt") || it.key() == "CoDeficienteFisico") continue;
        EXPECT_EQ(rows.at(0).value(it.key()), it.value()) << it.key().toStdString();
    }
    EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"], QStringLiteral("000002"));
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
    EXPECT_EQ(form->edMonths[0]->text(), QStringLiteral("              0,00"));
    EXPECT_EQ(form->edSalario->text().trimmed(), QStringLiteral("1.500,00"));

    // A second Ok converts the amounts afresh: nothing changes scale.
    form->edSalario->setText(QStringLiteral("1500"));
    messages.clear();
    clickOk();
    EXPECT_EQ(messages.codes(), QStringList{"1674"});
    EXPECT_EQ(form->edMonths[0]->text(), QStringLiteral("              0,00"));
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
    clickTab(5);
    for (int m = 0; m < 12; ++m) form->edMonths[m]->setText(QStringLiteral("1.500,00"));
    messages.clear();
    clickOk();
    EXPECT_FALSE(messages.codes().contains("3761")) << messages.codes().join(',').toStdString();
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
    int returned = -2;
    EmployeeFormClosed = [&](int r) { returned = r; };
    clickOk();
    EmployeeFormClosed = nullptr;
    EXPECT_EQ(messages.codes(), (QStringList{"3508", "1059"}));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(returned, -1);
    const auto rows = contracts();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).value("NoEmpregado"), stored["NoEmpregado"]);
    EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"], QStringLiteral("000000"));
}

TEST_F(DadosEmpreg, DeletingTheLastContractReturnsToTheEstablishmentList) {
    const Row stored = storeContract(1);
    openStored(stored);
    showForm();
    int returned = -2;
    EmployeeFormClosed = [&](int r) { returned = r; };
    messages.answer("mrNo");
    QTest::mouseClick(form->BtExcluir, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(focused(), form->deNomeEmpregado);
    messages.answer("mrYes");
    QTest::mouseClick(form->BtExcluir, Qt::LeftButton);
    settle();
    EmployeeFormClosed = nullptr;
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(returned, 1);
    EXPECT_TRUE(contracts().isEmpty());
    EXPECT_EQ(storedEstablishment()["NuVinculosEstabelecimento"], QStringLiteral("000000"));
    EXPECT_EQ(storedEstablishment()["InOpcaoAberta"], QStringLiteral("0"));
}

TEST_F(DadosEmpreg, CancelOnANewContractClosesWithoutAsking) {
    showForm();
    int returned = -2;
    EmployeeFormClosed = [&](int r) { returned = r; };
    QTest::keyClick(form->dePisPasep, Qt::Key_Escape);
    settle();
    EmployeeFormClosed = nullptr;
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(returned, 1);  // no employees: back to the establishment list
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

}  // namespace
