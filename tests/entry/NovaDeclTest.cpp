#include "entry/ufmDadosEstab.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmTipoInscricao.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/ugFuncoes.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QTimer>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using Row = QMap<QString, QString>;

// Valid as a CNPJ and, read as "00" and 12 digits, as a CEI too.
const QString kBoth = QStringLiteral("00100009000174");

using gui::settle;

class NovaDecl : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages messages;
    FormsScript forms;
    TfmNovaDecl* form = nullptr;
    Row handedOver;   // the stored row when the establishment form was shown
    QString handedKey;

    void SetUp() override {
        messages.acceptOkBoxes();
        ASSERT_EQ(CheckInscription(kBoth), QStringLiteral("0050"));
    }
    void TearDown() override {
        delete form;
        dmEntradaDados->ta8Empresa.Close();
    }
    QList<Row> rows(const QString& table) { return ReadRows(dmLobrix->dbZuvo, table); }
    void store(const Row& row) { StoreRow(dmLobrix->dbZuvo, QStringLiteral("Bd8emp.DB"), row); }
    // The establishment form, when shown, records what was handed over and ends.
    void expectEstablishmentForm() {
        forms.expect(QStringLiteral("fmDadosEstab"), [this](QWidget* w) {
            auto* estab = static_cast<TfmDadosEstab*>(w);
            handedKey = estab->KeyAnoBase + "/" + estab->KeyInscricao + "/" + estab->KeyPrefixo +
                        (estab->IsNewEstablishment ? "/new" : "/old");
            const auto stored = rows(QStringLiteral("Bd8emp.DB"));
            for (const Row& r : stored)
                if (r.value("CoCgcCeiEstabelecimento") == estab->KeyInscricao &&
                    r.value("NuPrefixoEstabelecimento") == estab->KeyPrefixo)
                    handedOver = r;
            return forms::mrOk;
        });
    }
    void openForm() {
        form = new TfmNovaDecl();
        fmNovaDecl = form;
        form->kit()->ShowHelp = [](int) {};
        ASSERT_TRUE(gui::showActive(form));
    }
    void typeAndLeave(QLineEdit* edit, const QString& text) {
        ASSERT_TRUE(gui::enter(edit));
        gui::typeAndLeave(edit, text);
    }
    void chooseType(int index) {
        QRadioButton* b = form->dbrTipoInscr->Button(index);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        settle();
    }
    void ok() { gui::click(form->btOk); }
    QWidget* focused() const { return QApplication::focusWidget(); }
};

TEST_F(NovaDecl, ADeclarationTypedAsAUserWouldIsStoredWithItsDefaultsAndHandedOver) {
    const QString cnpj = valid::EstablishmentCnpj(3);
    openForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lobrix - Nova Declaração"));
    EXPECT_EQ(form->lblAno->text(), QStringLiteral("Declaração Ano-Base 2009"));
    EXPECT_EQ(focused(), form->dbrTipoInscr->Button(0));
    EXPECT_EQ(form->dbrTipoInscr->ItemIndex(), -1);
    EXPECT_FALSE(form->deCeiVinc->isEnabled());

    chooseType(0);
    typeAndLeave(form->deInscricao, cnpj);
    EXPECT_EQ(form->deInscricao->displayText(), FormatInscricao(cnpj, "1"));
    EXPECT_TRUE(form->deCeiVinc->isEnabled());
    typeAndLeave(form->dePrefixo, "");
    typeAndLeave(form->deCeiVinc, "");
    EXPECT_EQ(focused(), form->deRazao);
    EXPECT_EQ(form->deCeiVinc->displayText(), QString());  // no mask blanks in an empty CEI
    typeAndLeave(form->deRazao, "comercio exemplo ltda");
    EXPECT_EQ(messages.codes(), QStringList{"3625"});
    EXPECT_EQ(focused(), form->deUsoEmpresa);

    expectEstablishmentForm();
    ok();
    EXPECT_EQ(forms.shown(), QStringList{"fmDadosEstab"});
    EXPECT_EQ(handedKey, "2009/" + cnpj + "/00/new");
    const Row expected = {
        {"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", cnpj}, {"NuPrefixoEstabelecimento", "00"},
        {"InInscrEstabelecimento", "1"}, {"NoRazaoEstabelecimento", "COMERCIO EXEMPLO LTDA"},
        {"InZuvoNegEstabelecimento", "0"}, {"InAtividadeAnoBase", "1"}, {"CoCgcVinculado", "00000000000000"},
        {"EdEstabelecimento", ""}, {"NuEnderecoEstabelecimento", "000000"}, {"NuVinculosEstabelecimento", "000000"},
        {"CoCepEstabelecimento", "00000000"}, {"CoMunicipio", "0000000"}, {"CoNaturezaJuridica", "0000"},
        {"NuProprietEstabelecimento", "00"}, {"MeDataBase", "00"}, {"NuEstrangeirosEstabelec", "00000"},
        {"InEncerramentoAtividade", "2"}, {"InOpcaoAberta", "0"}, {"VaGlobalSindical", "000000000"},
        {"VaGlobalConfederativa", "000000000"}, {"InPorte", ""}, {"TxEmailEstabelecimento", ""},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(handedOver.value(it.key()), it.value()) << it.key().toStdString();
    // The establishment form empties the marker when it closes; this form is done.
    EXPECT_EQ(rows(QStringLiteral("Bd8emp.DB")).first().value("InOpcaoAberta"), QString());
    EXPECT_FALSE(form->isVisible());
}

// The notice shown when the name is left by a click into the next field: what
// the user types while it is up lands in that field once the notice is answered.
TEST_F(NovaDecl, TextTypedWhileTheOptionalFieldNoticeIsUpLandsInTheField) {
    openForm();
    chooseType(0);
    typeAndLeave(form->deInscricao, valid::EstablishmentCnpj(3));
    typeAndLeave(form->dePrefixo, "");
    typeAndLeave(form->deCeiVinc, "");
    ASSERT_EQ(focused(), form->deRazao);
    gui::type("COMERCIO EXEMPLO");
    RealMessageBoxes real;
    QString notice;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !notice.isEmpty()) return;
        notice = box->text();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("FILIAL"));
        QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
    });
    answer.start(10);
    gui::click(form->deUsoEmpresa);
    gui::waitUntil([&] { return !notice.isEmpty() && !QApplication::activeModalWidget(); }, "the notice answered");
    settle();
    EXPECT_TRUE(notice.contains(QStringLiteral("uso da empresa")));
    EXPECT_EQ(focused(), form->deUsoEmpresa);
    EXPECT_EQ(form->deUsoEmpresa->text(), QStringLiteral("FILIAL"));
}

TEST_F(NovaDecl, ACeiOfTwelveDigitsIsStoredWithItsTwoZeros) {
    const QString cei = valid::Cei(QStringLiteral("12345678901"));
    openForm();
    chooseType(1);
    typeAndLeave(form->deInscricao, cei.mid(2));
    EXPECT_FALSE(form->deCeiVinc->isEnabled());
    typeAndLeave(form->dePrefixo, "01");
    typeAndLeave(form->deRazao, "OBRA EXEMPLO");
    expectEstablishmentForm();
    ok();
    EXPECT_EQ(handedKey, "2009/" + cei + "/01/new");
    EXPECT_EQ(handedOver.value("InInscrEstabelecimento"), QStringLiteral("3"));
    // The same CEI typed with its two zeros is no CEI of 12 digits.
    delete form;
    form = nullptr;
    messages.clear();
    openForm();
    chooseType(1);
    typeAndLeave(form->deInscricao, cei);
    EXPECT_EQ(messages.codes(), QStringList{"1004"});
    EXPECT_EQ(focused(), form->deInscricao);
}

TEST_F(NovaDecl, AWrongCheckDigitShowsItsCodeAndKeepsTheFocus) {
    QString cnpj = valid::EstablishmentCnpj(3);
    cnpj[13] = cnpj[13] == '9' ? '0' : QChar(cnpj[13].unicode() + 1);
    openForm();
    chooseType(0);
    typeAndLeave(form->deInscricao, cnpj);
    ASSERT_EQ(messages.codes().size(), 1);
    EXPECT_EQ(messages.codes().first(), CheckInscriptionByType(cnpj, "1"));
    EXPECT_EQ(focused(), form->dbrTipoInscr->Button(0));
    // No type chosen: 0050 when the number is entered.
    delete form;
    form = nullptr;
    messages.clear();
    openForm();
    form->deInscricao->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(messages.codes(), QStringList{"0050"});
    EXPECT_EQ(focused(), form->dbrTipoInscr->Button(0));
}

TEST_F(NovaDecl, LeavingThePrefixSearchesTheInscription) {
    const QString cnpj = valid::EstablishmentCnpj(5);
    const Row stored = valid::With(valid::Establishment(5, 0), {{"InOpcaoAberta", ""}});
    struct Case {
        const char* name;
        Row storedRow;           // empty: nothing stored
        int type;                // the button the user chooses
        QString typed;
        QString prefix;
        QString answer;          // to 1001
        QString code;            // the message expected
        bool handedOver;
    } cases[] = {
        {"same key", stored, 0, cnpj, "00", "", "1000", false},
        {"same key, other type of a number valid as both",
         {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kBoth}, {"NuPrefixoEstabelecimento", "00"},
          {"InInscrEstabelecimento", "3"}, {"NoRazaoEstabelecimento", "OBRA"}},
         0, kBoth, "00", "", "1009", false},
        {"other prefix, other type", valid::With(stored, {{"InInscrEstabelecimento", "3"}}), 0, cnpj, "01", "", "1003",
         false},
        {"other prefix, copy all", stored, 0, cnpj, "01", "mrYes", "1001", true},
        {"other prefix, copy the name only", stored, 0, cnpj, "01", "mrNo", "1001", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            db::Table t(dmLobrix->dbZuvo, QStringLiteral("Bd8emp.DB"));
            t.Open();
            t.EmptyTable();
            t.Close();
        }
        if (!c.storedRow.isEmpty()) store(c.storedRow);
        delete form;
        form = nullptr;
        dmEntradaDados->ta8Empresa.Close();   // as the command does: an unposted row goes
        handedOver.clear();
        messages.clear();
        openForm();
        chooseType(c.type);
        typeAndLeave(form->deInscricao, c.typed);
        EXPECT_EQ(messages.codes(), QStringList());
        if (!c.answer.isEmpty()) messages.answer(c.answer);
        if (c.handedOver) expectEstablishmentForm();
        typeAndLeave(form->dePrefixo, c.prefix);
        EXPECT_EQ(messages.codes(), QStringList{c.code});
        if (!c.handedOver) {
            EXPECT_EQ(focused(), form->dePrefixo);
            continue;
        }
        EXPECT_EQ(handedOver.value("NuPrefixoEstabelecimento"), QStringLiteral("01"));
        EXPECT_EQ(handedOver.value("NoRazaoEstabelecimento"), stored.value("NoRazaoEstabelecimento"));
        EXPECT_EQ(handedOver.value("CoCnae2"), stored.value("CoCnae2"));
        const bool all = c.answer == "mrYes";
        EXPECT_EQ(handedOver.value("InOpcaoAberta"), all ? QStringLiteral("0") : QString());
        EXPECT_EQ(handedOver.value("EdEstabelecimento"), all ? stored.value("EdEstabelecimento") : QString());
        EXPECT_EQ(handedOver.value("CoCNPJSindical"), all ? stored.value("CoCNPJSindical") : QString());
        EXPECT_EQ(handedOver.value("VaGlobalSindical"), QString());  // the amounts are never copied
    }
}

TEST_F(NovaDecl, OkWithoutLeavingThePrefixStillRefusesAnExistingKey) {
    store(valid::Establishment(5, 0));
    openForm();
    chooseType(0);
    typeAndLeave(form->deInscricao, valid::EstablishmentCnpj(5));
    // The name given, the focus now in the prefix, never left.
    dmEntradaDados->ta8Empresa.FieldByName("NoRazaoEstabelecimento").SetAsString("OUTRA EMPRESA");
    form->kit()->RefreshAll();
    ASSERT_EQ(focused(), form->dePrefixo);
    QTest::keyClicks(form->dePrefixo, "00");
    QTest::keyClick(form->dePrefixo, Qt::Key_O, Qt::AltModifier);
    for (int i = 0; i < 20 && messages.codes().isEmpty(); ++i) QTest::qWait(10);
    EXPECT_EQ(messages.codes(), QStringList{"1000"});
    EXPECT_EQ(focused(), form->dePrefixo);
    EXPECT_EQ(rows(QStringLiteral("Bd8emp.DB")).size(), 1);
}

TEST_F(NovaDecl, TheChooserAlwaysAnswersCnpjOrCei) {
    struct Case {
        QString before;
        int click;   // -1 none, 0 CGC, 1 CEI, 2 CNPJ
        QString after;
    } cases[] = {{"", -1, "CNPJ"}, {"mrNo", -1, "CNPJ"}, {"CEI", -1, "CEI"}, {"", 1, "CEI"}, {"CEI", 0, "CNPJ"},
                 {"", 2, "CNPJ"}};
    for (const Case& c : cases) {
        NewDeclarationResult = c.before;
        TfmTipoInscricao chooser;
        chooser.show();
        settle();
        QRadioButton* buttons[] = {chooser.rbCGC, chooser.rbCEI, chooser.rbCNPJ};
        if (c.click >= 0) buttons[c.click]->click();
        chooser.btOKClick();
        EXPECT_EQ(NewDeclarationResult, c.after);
    }
}

}  // namespace
