#include "entry/ufmConEmpreg.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmSemEmpregados.h"
#include "entry/ufmTb8Munic.h"
#include "platform/db/Database.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PageControl.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/HelpMap.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

// Readable values in the failures.
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using gui::settle;

using Row = QMap<QString, QString>;

class DadosEstab : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages messages;
    TfmDadosEstab* form = nullptr;
    Row estab;

    void SetUp() override {
        messages.acceptOkBoxes();
        valid::RegisterUnionEntities();
        estab = valid::Establishment(1, 0);
    }
    void TearDown() override { closeForm(); }

    QList<Row> rows(const QString& table) { return ReadRows(dmLobrix->dbZuvo, table); }
    Row storedEstab() {
        for (const Row& r : rows(QStringLiteral("Bd8emp.DB")))
            if (r.value("CoCgcCeiEstabelecimento") == estab.value("CoCgcCeiEstabelecimento") &&
                r.value("NuPrefixoEstabelecimento") == estab.value("NuPrefixoEstabelecimento"))
                return r;
        return {};
    }
    void store(const QString& table, const Row& row) { StoreRow(dmLobrix->dbZuvo, table, row); }
    void storeEstab(const Row& overrides = {}) {
        estab = valid::With(estab, overrides);
        store(QStringLiteral("Bd8emp.DB"), estab);
    }
    void storeContracts(int count, const Row& overrides = {}) {
        for (int i = 1; i <= count; ++i)
            store(QStringLiteral("Bd8vinc.DB"), valid::With(valid::Contract(estab, i), overrides));
    }
    void openForm(bool isNew = false) {
        form = new TfmDadosEstab();
        fmDadosEstab = form;
        form->KeyAnoBase = estab.value("AnBase");
        form->KeyInscricao = estab.value("CoCgcCeiEstabelecimento");
        form->KeyPrefixo = estab.value("NuPrefixoEstabelecimento");
        form->IsNewEstablishment = isNew ? 1 : 0;
        form->kit()->ShowHelp = [](int) {};
        ASSERT_TRUE(gui::showActive(form));
    }
    // Closes the form, leaves the valid establishment with the overrides as the only row and opens it.
    void reopenWithOnly(const Row& overrides) {
        closeForm();
        dmEntradaDados->ta8Empresa.Close();
        {
            db::Table t(dmLobrix->dbZuvo, QStringLiteral("Bd8emp.DB"));
            t.Open();
            t.EmptyTable();
            t.Close();
        }
        estab = valid::Establishment(1, 0);
        storeEstab(overrides);
        openForm();
    }
    void closeForm() {
        if (!form) return;
        form->FormClose();
        delete form;
        form = nullptr;
    }
    // Entering a field may move the focus on (as leaving the one before may): the driver enters again.
    void typeAndLeave(QLineEdit* edit, const QString& text) { ASSERT_TRUE(gui::typeAndLeave(edit, text)); }
    // Chooses a button of a radio group and leaves the group with Tab.
    void chooseAndLeave(ui::RadioGroup* group, int index) {
        QRadioButton* b = group->Button(index);
        gui::enter(b);
        click(b);
        ASSERT_EQ(focused(), b);
        gui::tab();
    }
    // A click beside a radio button's text, where its box is.
    void click(QWidget* w) { gui::clickAt(w, QPoint(6, w->height() / 2)); }
    void ok() { gui::click(form->BtOk); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QString field(const char* name) { return dmEntradaDados->ta8Empresa.FieldByName(QString::fromLatin1(name)).AsString(); }
};

TEST_F(DadosEstab, AnEstablishmentTypedAsAUserWouldIsStoredInItsStoredForm) {
    // What the new-declaration form posts before it hands over.
    estab = {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", estab.value("CoCgcCeiEstabelecimento")},
             {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "1"},
             {"NoRazaoEstabelecimento", "COMERCIO DE ALIMENTOS EXEMPLO LTDA"}, {"InZuvoNegEstabelecimento", "0"},
             {"CoCgcVinculado", "00000000000000"}, {"NuVinculosEstabelecimento", "000000"},
             {"InOpcaoAberta", "0"}};
    store(QStringLiteral("Bd8emp.DB"), estab);
    openForm(true);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lobrix - Informações Referentes ao Estabelecimento"));
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tCadastrais);
    EXPECT_EQ(focused(), form->deLogradouro);
    EXPECT_EQ(form->mdInscricao->displayText().left(3), estab.value("CoCgcCeiEstabelecimento").left(2) + ".");

    typeAndLeave(form->deLogradouro, "avenida paulista");
    typeAndLeave(form->deNumero, "12");
    EXPECT_EQ(form->deNumero->text(), QStringLiteral("12"));
    typeAndLeave(form->deComplemento, "loja 3");
    typeAndLeave(form->deBairro, "bela vista");
    typeAndLeave(form->deCEP, "01310100");
    EXPECT_EQ(form->deCEP->displayText(), QStringLiteral("01310-100"));
    typeAndLeave(form->deMunicipio, "3550308");
    EXPECT_EQ(form->deNomeMunicipio->text(), QStringLiteral("SAO PAULO"));
    EXPECT_EQ(form->deSiglaUF->text(), QStringLiteral("SP"));
    typeAndLeave(form->deDDD, "11");
    typeAndLeave(form->deTelefone, "32223344");
    EXPECT_EQ(focused(), form->deEmail);
    typeAndLeave(form->deEmail, "LOJA@EXEMPLO.COM.BR");
    // The Tab after the e-mail leads to the next page.
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas);
    EXPECT_EQ(focused(), form->deCNAE);
    typeAndLeave(form->deCNAE, "4711302");
    EXPECT_FALSE(form->edTxCNAE->text().isEmpty());
    typeAndLeave(form->deNatJuridica, "2062");
    EXPECT_FALSE(form->edTxNatJuridica->text().isEmpty());
    typeAndLeave(form->deProprietarios, "2");
    typeAndLeave(form->deDataBase, "5");
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas2);
    click(form->dgPorte->Button(2));
    EXPECT_FALSE(form->dgOptanteSimples->isEnabled());
    click(form->dgPat->Button(1));
    form->dgPat->Button(1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->dgPat->Button(1), Qt::Key_Tab);
    settle();
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tSindicais);
    click(form->dbrCentralizada->Button(1));
    QTest::keyClick(form->dbrCentralizada->Button(1), Qt::Key_Tab);
    settle();
    EXPECT_EQ(focused(), form->deSindical);
    typeAndLeave(form->deSindical, valid::EmployerUnionCnpj());
    typeAndLeave(form->deValorSindical, "1.234,56");
    EXPECT_EQ(form->deValorSindical->text().trimmed(), QStringLiteral("1.234,56"));
    click(form->dbrSindicato->Button(1));
    EXPECT_EQ(messages.codes(), QStringList());

    ok();
    // The only message: the reminder about the union tax is not due (a union CNPJ is given).
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    closeForm();
    const Row stored = storedEstab();
    const Row expected = {
        {"EdEstabelecimento", "AVENIDA PAULISTA"}, {"NuEnderecoEstabelecimento", "000012"},
        {"TxComplemEstabelecimento", "LOJA 3"}, {"NoBairroEstabelecimento", "BELA VISTA"},
        {"CoCepEstabelecimento", "01310100"}, {"CoMunicipio", "3550308"}, {"NoMunicEstabelecimento", "SAO PAULO"},
        {"SgUf", "SP"}, {"NuDDD", "11"}, {"NuTelefone", "32223344"}, {"TxEmailEstabelecimento", "loja@exemplo.com.br"},
        {"CoCnae2", "4711302"}, {"CoNaturezaJuridica", "2062"}, {"NuProprietEstabelecimento", "02"},
        {"MeDataBase", "05"}, {"InPorte", "3"}, {"InOptanteSimples", "2"}, {"InParticipaPAT", "2"},
        {"InCentralizada", "2"}, {"CoCNPJSindical", valid::EmployerUnionCnpj()}, {"VaGlobalSindical", "000123456"},
        {"VaGlobalAssociativa", "000000000"}, {"InSindicalizada", "2"}, {"InAtividadeAnoBase", "1"},
        {"CoCgcVinculado", "00000000000000"}, {"NuVinculosEstabelecimento", "000000"},
        {"NuEstrangeirosEstabelec", "00000"}, {"InOpcaoAberta", ""},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(stored.value(it.key()).toStdString(), it.value().toStdString()) << it.key().toStdString();
}


// The same establishment through its five pages by the keyboard only: Tab,
// typing, the arrow keys and the space bar in the radio groups, and the moves
// the form makes on its own between the pages.
TEST_F(DadosEstab, AnEstablishmentTypedThroughItsFivePagesByTheKeyboardIsStoredAsTyped) {
    estab = {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", estab.value("CoCgcCeiEstabelecimento")},
             {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "1"},
             {"NoRazaoEstabelecimento", "COMERCIO DE ALIMENTOS EXEMPLO LTDA"}, {"InZuvoNegEstabelecimento", "0"},
             {"CoCgcVinculado", "00000000000000"}, {"NuVinculosEstabelecimento", "000000"},
             {"InOpcaoAberta", "0"}};
    store(QStringLiteral("Bd8emp.DB"), estab);
    openForm(true);
    auto at = [](QWidget* w) {
        QWidget* f = gui::focused();
        return f == w || (f && w->isAncestorOf(f));
    };
    auto type = [](const char* text) {
        gui::type(QString::fromLatin1(text));
        gui::tab();
    };
    ASSERT_TRUE(at(form->deLogradouro));
    for (const char* text : {"avenida paulista", "12", "loja 3", "bela vista", "01310100", "3550308", "11", "32223344"})
        type(text);
    ASSERT_TRUE(at(form->deEmail));
    type("loja@exemplo.com.br");
    ASSERT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas);
    ASSERT_TRUE(at(form->deCNAE));
    for (const char* text : {"4711302", "2062", "2", "5"}) type(text);
    // The descriptions show from their beginning, however long.
    for (QLineEdit* description : {form->edTxCNAE, form->edTxNatJuridica}) {
        EXPECT_FALSE(description->text().isEmpty());
        EXPECT_EQ(description->cursorPosition(), 0);
    }
    // The size: the third item, reached with the arrow keys; the Simples group closes for it.
    ASSERT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas2);
    ASSERT_TRUE(at(form->dgPorte));
    gui::key(Qt::Key_Down);
    gui::key(Qt::Key_Down);
    gui::key(Qt::Key_Space);
    EXPECT_FALSE(form->dgOptanteSimples->isEnabled());
    gui::tab();
    // PAT "Sim": on to its page.
    ASSERT_TRUE(at(form->dgPat));
    gui::key(Qt::Key_Space);
    gui::tab();
    ASSERT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas3);
    ASSERT_TRUE(at(form->dePATVincMaior5));
    for (const char* text : {"10", "20", "60", "40", "", "", "", ""}) type(text);
    // Centralised "Não": the union tax is this establishment's own.
    ASSERT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tSindicais);
    ASSERT_TRUE(at(form->dbrCentralizada));
    gui::key(Qt::Key_Right);
    gui::key(Qt::Key_Space);
    gui::tab();
    ASSERT_TRUE(at(form->deSindical));
    type(valid::EmployerUnionCnpj().toLatin1().constData());
    ASSERT_TRUE(at(form->deValorSindical));
    type("1234,56");
    ASSERT_TRUE(at(form->dbrSindicato));
    gui::key(Qt::Key_Right);
    gui::key(Qt::Key_Space);
    gui::tab();
    ASSERT_TRUE(at(form->deAssistencial));
    EXPECT_EQ(messages.codes(), QStringList());

    ok();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    closeForm();
    const Row stored = storedEstab();
    const Row expected = {
        {"EdEstabelecimento", "AVENIDA PAULISTA"}, {"NuEnderecoEstabelecimento", "000012"},
        {"TxComplemEstabelecimento", "LOJA 3"}, {"NoBairroEstabelecimento", "BELA VISTA"},
        {"CoCepEstabelecimento", "01310100"}, {"CoMunicipio", "3550308"}, {"NoMunicEstabelecimento", "SAO PAULO"},
        {"SgUf", "SP"}, {"NuDDD", "11"}, {"NuTelefone", "32223344"}, {"TxEmailEstabelecimento", "loja@exemplo.com.br"},
        {"CoCnae2", "4711302"}, {"CoNaturezaJuridica", "2062"}, {"NuProprietEstabelecimento", "02"},
        {"MeDataBase", "05"}, {"InPorte", "3"}, {"InOptanteSimples", "2"}, {"InParticipaPAT", "1"},
        {"NuVinculoPatMaior5", "000010"}, {"NuVinculoPatMenor5", "000020"}, {"PoServicoProprio", "060"},
        {"PoAdmCozinha", "040"}, {"PoRefeicaoTransportadora", "000"}, {"PoAlimentacaoConvenio", "000"},
        {"InCentralizada", "2"}, {"CoCNPJSindical", valid::EmployerUnionCnpj()}, {"VaGlobalSindical", "000123456"},
        {"InSindicalizada", "2"}, {"VaGlobalAssociativa", "000000000"}, {"InOpcaoAberta", ""},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(stored.value(it.key()).toStdString(), it.value().toStdString()) << it.key().toStdString();
}

// Tab from the closing date leaves it for the next field, so its check runs
// and a date in the following year asks whether the declaration is the
// anticipated one.
TEST_F(DadosEstab, AClosingDateLeftByTabIsCheckedAndAFollowingYearOneIsConfirmed) {
    const struct {
        const char* answer;
        const char* date;
        const char* closed;
    } cases[] = {{"mrYes", "31122010", "1"}, {"mrNo", "00000000", "2"}};  // No: no date, as it was stored
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        reopenWithOnly({});
        messages.clear();
        gui::click(form->deRazao);
        gui::tab();
        ASSERT_EQ(gui::focused(), form->cbEncerramento);
        gui::key(Qt::Key_Space);
        gui::tab();
        ASSERT_EQ(gui::focused(), form->deDataEncerramento);
        messages.answer(c.answer);
        gui::type("31122010");
        gui::tab();
        ASSERT_EQ(messages.shown().size(), c.answer == std::string("mrYes") ? 2 : 1);
        EXPECT_TRUE(messages.texts().value(0).startsWith(QStringLiteral("Ao preencher este campo")));
        EXPECT_NE(gui::focused(), form->BtOk);
        messages.clear();
        ok();
        EXPECT_EQ(messages.codes(), QStringList());
        closeForm();
        EXPECT_EQ(storedEstab().value("DaEncerramentoAtividade"), QString::fromLatin1(c.date));
        EXPECT_EQ(storedEstab().value("InEncerramentoAtividade"), QString::fromLatin1(c.closed));
    }
}

// Breaks one column of the loaded row, as if the user had typed it, and presses Ok.
struct Broken {
    const char* column;
    const char* value;
    const char* code;
    int page;           // -1: the page stays
    const char* focus;  // the object name of the control that gets the focus back
};

TEST_F(DadosEstab, TheSaveRefusesTheFirstBrokenFieldOnItsPageAndControl) {
    const Broken cases[] = {
        {"NoRazaoEstabelecimento", "", "0110", -1, "deRazao"},
        {"EdEstabelecimento", "", "0120", TfmDadosEstab::tCadastrais, "deLogradouro"},
        {"CoCepEstabelecimento", "", "0081", TfmDadosEstab::tCadastrais, "deCEP"},
        {"CoMunicipio", "9999999", "0090", TfmDadosEstab::tCadastrais, "deMunicipio"},
        {"TxEmailEstabelecimento", "loja@", "3627", TfmDadosEstab::tCadastrais, "deEmail"},
        {"CoCnae2", "", "0360", TfmDadosEstab::tEconomicas, "deCNAE"},
        {"CoNaturezaJuridica", "", "0370", TfmDadosEstab::tEconomicas, "deNatJuridica"},
        {"MeDataBase", "13", "0071", TfmDadosEstab::tEconomicas, "deDataBase"},
        {"InPorte", "5", "3124", TfmDadosEstab::tEconomicas2, ""},
        {"InSindicalizada", "", "3721", TfmDadosEstab::tSindicais, ""},
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.column);
        reopenWithOnly({{c.column, c.value}});
        messages.clear();
        form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
        ok();
        ASSERT_FALSE(messages.codes().isEmpty());
        EXPECT_EQ(messages.codes().first().toStdString(), std::string(c.code));
        EXPECT_TRUE(form->isVisible());
        if (c.page >= 0) EXPECT_EQ(form->pcInformacoes->currentIndex(), c.page);
        if (*c.focus) EXPECT_EQ(focused()->objectName().toStdString(), std::string(c.focus));
        EXPECT_EQ(storedEstab().value("NuEnderecoEstabelecimento"), QStringLiteral("001000"));  // nothing written
    }
}

TEST_F(DadosEstab, ABadCepLeftByTabKeepsTheFocusAndOkFromAnotherPageComesBackToIt) {
    storeEstab();
    openForm();
    typeAndLeave(form->deCEP, "00000000");
    ASSERT_EQ(messages.codes().size(), 1);
    const QString code = messages.codes().first();
    EXPECT_EQ(focused(), form->deCEP);
    messages.clear();
    // Ok from the union page: the same refusal, its page in front.
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    ok();
    EXPECT_EQ(messages.codes(), QStringList{code});
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tCadastrais);
    EXPECT_EQ(focused(), form->deCEP);
    // The next tab click is refused.
    QTabBar* tabs = form->pcInformacoes->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TfmDadosEstab::tEconomicas).center());
    settle();
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tCadastrais);
    EXPECT_EQ(focused(), form->deCEP);
    // Leaving for Cancelar checks nothing.
    messages.clear();
    messages.answer("mrNo");
    QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages.codes(), QStringList{QString()});
}

TEST_F(DadosEstab, AMunicipalityFromThePickerIsCheckedThoughTheFocusComesBackLate) {
    storeEstab();
    openForm();
    // On a desktop the form is active again only some time after the picker has closed: the
    // focus given meanwhile comes as the window's own, not as the user leaving the code.
    QDialog picked;
    FormsScript script;
    script.expect(QStringLiteral("frmT8Munic"), [&picked](QWidget* w) {
        auto* picker = static_cast<TfrmT8Munic*>(w);
        for (QTreeWidgetItem* n : TreeNodesInDisplayOrder(picker->TreeView1))
            if (n->text(0).startsWith(QStringLiteral("3509502"))) picker->TreeView1->setCurrentItem(n);
        picker->SelectCode();
        picked.show();
        picked.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&picked));
        return int(forms::mrNone);
    });
    QTest::mouseClick(form->sbCodMunicipio, Qt::LeftButton);
    settle();
    picked.hide();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    settle();
    EXPECT_TRUE(script.unexpected().isEmpty());
    EXPECT_EQ(field("CoMunicipio"), QStringLiteral("3509502"));
    EXPECT_EQ(field("NoMunicEstabelecimento"), QStringLiteral("CAMPINAS"));
    EXPECT_EQ(form->deNomeMunicipio->text().trimmed(), QStringLiteral("CAMPINAS"));
    EXPECT_EQ(focused(), form->deDDD);
}

TEST_F(DadosEstab, AmountsAreStoredInCentsAndRefusedWithTheirCodes) {
    storeEstab();
    openForm();
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    EXPECT_EQ(form->deValorSindical->text(), QStringLiteral("500,00"));
    struct Case {
        const char* typed;
        const char* code;  // "": accepted
        const char* focus;
    } cases[] = {
        {"1,2,3", "0040", "deValorSindical"},
        {"0,001500", "0040", "deValorSindical"},
        {"12345678,90", "0315", "deValorSindical"},
        {"1.234,56", "", "dbrSindicato"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        typeAndLeave(form->deValorSindical, QString::fromLatin1(c.typed));
        EXPECT_EQ(messages.codes(), *c.code ? QStringList{QString::fromLatin1(c.code)} : QStringList());
        QWidget* f = focused();
        if (form->dbrSindicato->Contains(f)) f = form->dbrSindicato;
        EXPECT_EQ(f->objectName().toStdString(), std::string(c.focus));
    }
    EXPECT_EQ(form->deValorSindical->text(), QStringLiteral("1.234,56"));
    // An amount without its CNPJ: 3744, the focus on that contribution's CNPJ.
    messages.clear();
    typeAndLeave(form->deValorAssistencial, "10,00");
    EXPECT_EQ(messages.codes(), QStringList{"3744"});
    EXPECT_EQ(focused(), form->deAssistencial);
    form->deValorAssistencial->setText(QStringLiteral("0,00"));

    messages.clear();
    ok();
    EXPECT_EQ(messages.codes(), QStringList());
    closeForm();
    EXPECT_EQ(storedEstab().value("VaGlobalSindical"), QStringLiteral("000123456"));
    EXPECT_EQ(storedEstab().value("VaGlobalAssistencial"), QStringLiteral("000000000"));

    // Shown again as typed.
    openForm();
    EXPECT_EQ(form->deValorSindical->text(), QStringLiteral("1.234,56"));
}

TEST_F(DadosEstab, TheSizeDecidesWhetherSimplesCanBeChosen) {
    storeEstab({{"InPorte", "1"}, {"InOptanteSimples", "1"}});
    openForm();
    struct Case {
        int porte;
        bool enabled;
        const char* simples;
    } cases[] = {{2, false, "2"}, {0, true, "2"}, {3, true, "2"}, {-1, true, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.porte);
        if (c.porte >= 0)
            click(form->dgPorte->Button(c.porte));
        else
            form->dgPorte->SetItemIndex(-1), form->kit()->RunAction([this] { form->SyncSimplesWithPorte(); });
        EXPECT_EQ(form->dgOptanteSimples->isEnabled(), c.enabled);
        EXPECT_EQ(field("InOptanteSimples"), QString::fromLatin1(c.simples));
    }
    // Loaded as micro-enterprise opting for Simples: the group is enabled and shows it.
    closeForm();
    openForm();
    EXPECT_TRUE(form->dgOptanteSimples->isEnabled());
}

TEST_F(DadosEstab, CentralisationAndUnionMembership) {
    storeEstab();
    openForm();
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    // "Sim" on a CNPJ establishment: its own root, the union tax cleared and locked.
    chooseAndLeave(form->dbrCentralizada, 0);
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(field("CoCNPJCentralizada"), estab.value("CoCgcCeiEstabelecimento").left(8));
    EXPECT_EQ(field("CoCNPJSindical"), QString());
    EXPECT_EQ(field("VaGlobalSindical"), QStringLiteral("000000000"));
    EXPECT_TRUE(ui::IsLocked(form->deSindical));
    EXPECT_EQ(form->deValorSindical->text(), QStringLiteral("0,00"));

    // Membership "Não" empties and locks the association.
    closeForm();
    openForm();
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    messages.clear();
    dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("CoCNPJAssociativa")).SetAsString(valid::EmployerUnionCnpj());
    form->kit()->RefreshAll();
    chooseAndLeave(form->dbrSindicato, 1);
    EXPECT_EQ(field("CoCNPJAssociativa"), QString());
    EXPECT_TRUE(form->deAssociativa->isReadOnly());
    EXPECT_EQ(focused(), form->deAssistencial);
    closeForm();

    // A CEI establishment cannot centralise: refused, the answer becomes "2".
    {
        db::Table t(dmLobrix->dbZuvo, QStringLiteral("Bd8emp.DB"));
        t.Open();
        t.EmptyTable();
        t.Close();
    }
    estab = valid::Establishment(1, 0);
    storeEstab({{"CoCgcCeiEstabelecimento", valid::Cei("12345678901")}, {"InInscrEstabelecimento", "3"}});
    openForm();
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    messages.clear();
    chooseAndLeave(form->dbrCentralizada, 0);
    EXPECT_EQ(messages.codes().size(), 1);
    EXPECT_EQ(field("InCentralizada"), QStringLiteral("2"));
    EXPECT_EQ(focused(), form->deSindical);
}

TEST_F(DadosEstab, AUnionCnpjNotRegisteredIsConfirmedButTheExemptOneIsNot) {
    storeEstab({{"CoCNPJSindical", ""}});
    openForm();
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    messages.answer("mrNo");
    typeAndLeave(form->deSindical, valid::Cnpj("440000000001"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().first().kind, msg::BoxKind::Confirmation);
    EXPECT_EQ(focused(), form->deSindical);
    messages.clear();
    typeAndLeave(form->deSindical, "99999999999999");
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(field("CoCNPJSindical"), QStringLiteral("99999999999999"));
}

TEST_F(DadosEstab, WithoutEmployeesTheContractsGoOnlyWhenTheUserSaysYes) {
    storeEstab({{"InZuvoNegEstabelecimento", "1"}, {"CoCNPJSindical", ""}, {"VaGlobalSindical", "000000000"},
                {"MeDataBase", "00"}, {"NuVinculosEstabelecimento", "000003"}});
    storeContracts(3);
    // A neighbour with another prefix keeps its contract.
    const Row estabOne = estab;
    Row other = valid::With(estab, {{"NuPrefixoEstabelecimento", "01"}});
    store(QStringLiteral("Bd8emp.DB"), other);
    store(QStringLiteral("Bd8vinc.DB"), valid::Contract(other, 9));

    for (const char* answer : {"mrNo", "mrYes"}) {
        SCOPED_TRACE(answer);
        openForm();
        messages.clear();
        messages.answer(QString::fromLatin1(answer));
        ok();
        EXPECT_TRUE(messages.codes().contains("1005"));
        const bool yes = QString::fromLatin1(answer) == "mrYes";
        EXPECT_EQ(form->isVisible(), !yes);
        closeForm();
        EXPECT_EQ(rows(QStringLiteral("Bd8vinc.DB")).size(), yes ? 1 : 4);
    }
    EXPECT_EQ(storedEstab().value("NuVinculosEstabelecimento"), QStringLiteral("000000"));
    EXPECT_EQ(storedEstab().value("NuEstrangeirosEstabelec"), QStringLiteral("00000"));
    EXPECT_EQ(rows(QStringLiteral("Bd8vinc.DB")).first().value("NuPrefixoEstabelecimento"), QStringLiteral("01"));
}

TEST_F(DadosEstab, TheLinkedCeiOfTheContractsFollowsTheEstablishment) {
    const QString cei = valid::Cei("11111111111");  // stored form: "00" and 12 digits
    storeEstab();
    storeContracts(2);
    struct Case {
        QString typed;
        QString stored;
    } cases[] = {{cei.mid(2), cei}, {cei.mid(2), cei}, {"", "00000000000000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        openForm();
        form->meCeiVinc->setFocus();
        settle();
        ui::SetDesignMask(form->meCeiVinc, QString());
        form->meCeiVinc->setText(c.typed);
        ok();
        EXPECT_EQ(messages.codes(), QStringList());
        closeForm();
        EXPECT_EQ(storedEstab().value("CoCgcVinculado"), c.stored);
        for (const Row& r : rows(QStringLiteral("Bd8vinc.DB"))) EXPECT_EQ(r.value("CoCgcVinculado"), c.stored);
    }
}

TEST_F(DadosEstab, AKeyCollisionOfTheContractsLeavesBothTablesAsTheyWere) {
    const QString cei = valid::Cei("11111111111");
    storeEstab();
    storeContracts(1);
    // The same contract stored once more under the linked CEI the user is about to type.
    storeContracts(1, {{"CoCgcVinculado", cei}});
    const auto contractsBefore = rows(QStringLiteral("Bd8vinc.DB"));
    const Row before = storedEstab();
    openForm();
    typeAndLeave(form->deRazao, "OUTRO NOME LTDA");
    form->meCeiVinc->setFocus();
    settle();
    ui::SetDesignMask(form->meCeiVinc, QString());
    form->meCeiVinc->setText(cei.mid(2));
    ok();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().first().kind, msg::BoxKind::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->deRazao->text(), QStringLiteral("OUTRO NOME LTDA"));
    EXPECT_EQ(rows(QStringLiteral("Bd8vinc.DB")), contractsBefore);
    Row after = storedEstab();
    EXPECT_EQ(after.value("NoRazaoEstabelecimento"), before.value("NoRazaoEstabelecimento"));
    EXPECT_EQ(after.value("CoCgcVinculado"), before.value("CoCgcVinculado"));
    // The form still saves once the cause is gone.
    messages.clear();
    form->meCeiVinc->clear();
    ok();
    EXPECT_EQ(messages.codes(), QStringList());
    closeForm();
    EXPECT_EQ(storedEstab().value("NoRazaoEstabelecimento"), QStringLiteral("OUTRO NOME LTDA"));
}

TEST_F(DadosEstab, ASaveRefusedBecauseAnotherUserHoldsTheTableIsToldAsInUseAndKeepsTheForm) {
    // Another user writing (reads still go on), or holding the file whole.
    for (const char* hold : {"BEGIN IMMEDIATE", "BEGIN EXCLUSIVE"}) {
        SCOPED_TRACE(hold);
        closeForm();
        dmEntradaDados->ta8Empresa.Close();
        {
            db::Table t(dmLobrix->dbZuvo, QStringLiteral("Bd8emp.DB"));
            t.Open();
            t.EmptyTable();
            t.Close();
        }
        estab = valid::Establishment(1, 0);
        storeEstab();
        openForm();
        const Row before = storedEstab();  // with the form's own marker
        messages.clear();
        typeAndLeave(form->deRazao, "OUTRO NOME LTDA");
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open((program.dataFolder() + "/Bd8emp.DB").toUtf8().constData(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, hold, nullptr, nullptr, nullptr), SQLITE_OK);
        ok();
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        ASSERT_EQ(messages.shown().size(), 1) << messages.texts().join("\n").toStdString();
        EXPECT_EQ(messages.shown().first().kind, msg::BoxKind::Warning);
        EXPECT_TRUE(messages.shown().first().text.contains("está em uso por outro usuário"))
            << messages.shown().first().text.toStdString();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->deRazao->text(), QStringLiteral("OUTRO NOME LTDA"));
        EXPECT_EQ(storedEstab(), before);
        // Once the other user is done, the same form saves.
        messages.clear();
        ok();
        EXPECT_EQ(messages.texts(), QStringList());
        closeForm();
        EXPECT_EQ(storedEstab().value("NoRazaoEstabelecimento"), QStringLiteral("OUTRO NOME LTDA"));
    }
}

TEST_F(DadosEstab, AMarkerLeftOpenIsReportedAtTheNextOpeningAndClearedOnClose) {
    storeEstab({{"InOpcaoAberta", "0"}});
    openForm();
    EXPECT_EQ(messages.codes(), QStringList{"0500"});
    EXPECT_EQ(field("InOpcaoAberta"), QStringLiteral("0"));  // the form's own marker while it edits
    closeForm();
    EXPECT_EQ(storedEstab().value("InOpcaoAberta"), QString());
    messages.clear();
    openForm();
    EXPECT_EQ(messages.codes(), QStringList());
}

TEST_F(DadosEstab, AFailedBaseMonthDoesNotGoOnToTheSize) {
    storeEstab({{"InPorte", ""}});
    openForm();
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tEconomicas);
    // Left for the field before it (Tab from the page's last field lands on Ok, which checks nothing).
    ASSERT_TRUE(gui::typeInto(form->deDataBase, "13"));
    gui::key(Qt::Key_Backtab);
    EXPECT_EQ(messages.codes(), QStringList{"0071"});
    EXPECT_EQ(focused(), form->deDataBase);
    EXPECT_EQ(field("InPorte"), QString());
    // A good month goes on to the size, which without a choice holds no size at all.
    messages.clear();
    typeAndLeave(form->deDataBase, "5");
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas2);
    EXPECT_EQ(field("InPorte"), QStringLiteral("5"));
}

TEST_F(DadosEstab, LeavingForAButtonChecksNothingButMakesTheMovesOfFieldsLeftWhatever) {
    storeEstab({{"InPorte", ""}});
    openForm();
    // The base month, left for Ok with a bad value: no check, but the size page and the size come next.
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tEconomicas);
    typeAndLeave(form->deProprietarios, "2");
    ASSERT_EQ(focused(), form->deDataBase);
    form->deDataBase->selectAll();
    QTest::keyClick(form->deDataBase, Qt::Key_Backspace);
    QTest::keyClicks(form->deDataBase, "13");
    messages.clear();
    form->BtOk->setFocus(Qt::MouseFocusReason);  // what pressing the mouse on Ok does
    settle();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tEconomicas2);
    EXPECT_TRUE(form->dgPorte->Contains(focused()));
    EXPECT_EQ(field("InPorte"), QStringLiteral("5"));
    dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("MeDataBase")).SetAsString(estab.value("MeDataBase"));
    form->kit()->RefreshAll();
    // The Simples group, left for Cancelar: the PAT group comes next.
    click(form->dgPorte->Button(0));
    form->dgOptanteSimples->Button(0)->setFocus(Qt::TabFocusReason);
    settle();
    form->BtCancelar->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_TRUE(form->dgPat->Contains(focused()));

    // Centralisation "Sim", left for Vínculos: the establishment's own root and the union tax locked.
    form->pcInformacoes->SetCurrentPage(TfmDadosEstab::tSindicais);
    click(form->dbrCentralizada->Button(0));
    ASSERT_EQ(focused(), form->dbrCentralizada->Button(0));
    form->BtVinculos->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(field("CoCNPJCentralizada"), estab.value("CoCgcCeiEstabelecimento").left(8));
    EXPECT_TRUE(ui::IsLocked(form->deSindical));
    // Membership "Não", left for Ok: the association emptied and locked, the focus on the next contribution.
    dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("CoCNPJAssociativa")).SetAsString(valid::EmployerUnionCnpj());
    form->kit()->RefreshAll();
    click(form->dbrSindicato->Button(1));
    form->BtOk->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(field("CoCNPJAssociativa"), QString());
    EXPECT_TRUE(form->deAssociativa->isReadOnly());
    EXPECT_EQ(focused(), form->deAssistencial);
    EXPECT_EQ(messages.codes(), QStringList());

    // A click on Ok held down for a while: the exit runs once Ok is released, then the save.
    click(form->dbrSindicato->Button(0));
    messages.clear();
    QTest::mousePress(form->BtOk, Qt::LeftButton);
    settle();
    QTest::mouseRelease(form->BtOk, Qt::LeftButton);
    settle();
    EXPECT_FALSE(form->deAssociativa->isReadOnly());
    EXPECT_EQ(messages.codes().value(0), QStringLiteral("3713"));  // the save: member without the association's CNPJ
    EXPECT_EQ(focused(), form->deAssociativa);
}

TEST_F(DadosEstab, SomeSaveChecksLeaveThePageRuleAsItWas) {
    const struct Case {
        const char* column;
        const char* value;
        const char* code;
    } cases[] = {
        {"NoRazaoEstabelecimento", "", "0110"},
        {"TxEmailEstabelecimento", "loja@", "3627"},
        {"InPorte", "5", "3124"},
        {"CoCepEstabelecimento", "", "0081"},
    };
    for (const std::uint8_t before : {std::uint8_t(1), std::uint8_t(0)}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.column) + " before " + std::to_string(before));
            reopenWithOnly({{c.column, c.value}});
            messages.clear();
            form->kit()->AllowPageChange = before;
            ok();
            EXPECT_EQ(messages.codes().value(0).toStdString(), std::string(c.code));
            // The CEP refuses the next page change; the others leave the rule as it was.
            const bool keeps = std::string(c.column) != "CoCepEstabelecimento";
            EXPECT_EQ(form->kit()->AllowPageChange, keeps ? before : 0);
        }
    }
}

TEST_F(DadosEstab, ABadEmailLeftForAnotherPageKeepsItsPage) {
    storeEstab();
    openForm();
    typeAndLeave(form->deTelefone, estab.value("NuTelefone"));
    ASSERT_EQ(focused(), form->deEmail);
    form->deEmail->selectAll();
    QTest::keyClicks(form->deEmail, "loja@");
    QTabBar* tabs = form->pcInformacoes->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TfmDadosEstab::tEconomicas).center());
    settle();
    EXPECT_EQ(messages.codes(), QStringList{"3627"});
    EXPECT_EQ(form->pcInformacoes->currentIndex(), TfmDadosEstab::tCadastrais);
    EXPECT_EQ(focused(), form->deEmail);
}

TEST_F(DadosEstab, ARowThatIsGoneShows1006AndClosesTheForm) {
    form = new TfmDadosEstab();
    form->KeyAnoBase = QStringLiteral("2009");
    form->KeyInscricao = estab.value("CoCgcCeiEstabelecimento");
    form->KeyPrefixo = QStringLiteral("00");
    form->show();
    settle();
    EXPECT_EQ(messages.codes(), QStringList{"1006"});
    settle();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DadosEstab, TheNoEmployeesNoticeKeepsItsBoxInTheSingleResponsibleRow) {
    {
        TfmSemEmpregados notice;
        EXPECT_TRUE(notice.ShouldShow());  // a first run: no row at all
        EXPECT_FALSE(notice.dkDicas->isChecked());
        notice.dkDicas->setChecked(true);
        notice.BtFecharClick();
    }
    ASSERT_EQ(rows(QStringLiteral("bd8resp.DB")).size(), 1);
    {
        TfmSemEmpregados notice;
        EXPECT_FALSE(notice.ShouldShow());
        EXPECT_TRUE(notice.dkDicas->isChecked());
        EXPECT_EQ(notice.windowTitle(), QStringLiteral("Lobrix2009 - Declaração Sem Empregados"));
        notice.dkDicas->setChecked(false);
        notice.BtFecharClick();
    }
    TfmSemEmpregados notice;
    EXPECT_TRUE(notice.ShouldShow());
    EXPECT_EQ(rows(QStringLiteral("bd8resp.DB")).size(), 1);
}


TEST_F(DadosEstab, OkLeadsToTheEmployeeFormOrListWithTheFollowingYearFlag) {
    // Closed in the year after the base year: the employee part takes that year.
    storeEstab({{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "15062010"}});
    fmDadosEmpreg = new TfmDadosEmpreg();
    fmConEmpreg = new TfmConEmpreg();
    struct Case {
        int contracts;
        const char* shown;
    } cases[] = {{0, "fmDadosEmpreg"}, {2, "fmConEmpreg"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        storeContracts(c.contracts);
        openForm();
        EXPECT_EQ(form->lbAnoBase->text(), QStringLiteral("Ano-Base 2010"));
        FormsScript script;
        script.expect(QString::fromLatin1(c.shown), forms::mrOk);
        messages.clear();
        ok();
        EXPECT_EQ(script.shown(), QStringList{QString::fromLatin1(c.shown)});
        EXPECT_EQ(CurrentEstablishment.FollowingYear, 1);
        EXPECT_EQ(ContextFollowingYear, 1);
        EXPECT_EQ(ContextInscription, estab.value("CoCgcCeiEstabelecimento"));
        EXPECT_TRUE(ContextPis.isEmpty());
        EXPECT_EQ(form->ReturnToEstablishmentList, 0);
        EXPECT_FALSE(form->isVisible());
        closeForm();
        EXPECT_EQ(storedEstab().value("InOpcaoAberta"), QString());
    }
    delete fmConEmpreg;
    fmConEmpreg = nullptr;
    delete fmDadosEmpreg;
    fmDadosEmpreg = nullptr;
}

// A click in the empty part of a masked edit puts the caret where typing goes on:
// nothing typed after the click is lost.
TEST_F(DadosEstab, ADateTypedAfterAClickInItsEmptyPartIsStored) {
    const struct {
        const char* before;  // typed before the click
        const char* after;   // typed after it
    } cases[] = {{"", "31122009"}, {"3112", "2009"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        reopenWithOnly({});
        messages.clear();
        gui::click(form->cbEncerramento);
        ASSERT_TRUE(form->cbEncerramento->isChecked());
        QLineEdit* date = form->deDataEncerramento;
        const QPoint behind(date->width() - 4, date->height() / 2);
        gui::clickAt(date, behind);
        gui::type(QString::fromLatin1(c.before));
        gui::clickAt(date, behind);
        ASSERT_EQ(gui::focused(), date);
        gui::type(QString::fromLatin1(c.after));
        EXPECT_EQ(date->displayText(), QStringLiteral("31/12/2009"));
        gui::tab();
        EXPECT_EQ(messages.codes(), QStringList());
        ok();
        EXPECT_EQ(messages.codes(), QStringList());
        closeForm();
        EXPECT_EQ(storedEstab().value("DaEncerramentoAtividade"), QStringLiteral("31122009"));
        EXPECT_EQ(storedEstab().value("InEncerramentoAtividade"), QStringLiteral("1"));
    }
}

// On a 1366 x 768 screen the form takes the design's 1024 x 600 and its
// contents fit in it; it is placed inside the screen.
TEST_F(DadosEstab, OnAWideScreenTheFormHasItsDesignSizeAndFitsTheScreen) {
    storeEstab();
    openForm();
    forms::ScaleFormForScreen(form, {1366, 768}, {790, 560}, {1024, 600});
    EXPECT_EQ(form->size(), QSize(1024, 600));
    const QSize needed = form->minimumSizeHint();
    EXPECT_LE(needed.width(), 1024);
    EXPECT_LE(needed.height(), 600);
    EXPECT_GT(form->font().pointSizeF(), QApplication::font().pointSizeF());  // grown, if less than 4/3
    const QRect placed(forms::PlaceOnScreen({0, 0, 1366, 768}, form->size()), form->size());
    EXPECT_TRUE(QRect(0, 0, 1366, 768).contains(placed));
}

// F1 opens the topic of the focused field; the topics the establishment shares
// with the responsible-person form speak of both, never of the responsible only.
TEST_F(DadosEstab, F1OnAFieldOpensATopicOfThisForm) {
    storeEstab();
    openForm();
    int shown = 0;
    form->kit()->ShowHelp = [&shown](int context) { shown = context; };
    ASSERT_EQ(gui::focused(), form->deLogradouro);
    gui::key(Qt::Key_F1);
    EXPECT_EQ(shown, 35);
    QSet<int> contexts;
    for (const QWidget* w : form->findChildren<QWidget*>())
        if (const int c = ui::HelpContextOf(w)) contexts << c;
    for (int c : contexts) {
        const QString title = HelpPageTitle(c);
        EXPECT_FALSE(title.isEmpty()) << c;
        EXPECT_FALSE(title.contains(QStringLiteral("Responsável"))) << c << " " << title.toStdString();
    }
}

// Deleting the only contract from the employee list's Exibir closes the list and
// the establishment form behind it: back at the establishment list, with the
// establishment's operation marker cleared.
TEST_F(DadosEstab, DeletingTheLastContractGoesBackToTheEstablishmentList) {
    storeEstab();
    storeContracts(1);
    fmDadosEmpreg = new TfmDadosEmpreg();
    fmConEmpreg = new TfmConEmpreg();
    fmConEstab = new TfmConEstab();
    FormsScript script;
    script.expect(QStringLiteral("fmDadosEstab"), [](QWidget* w) {
        gui::click(static_cast<TfmDadosEstab*>(w)->BtOk);
        return int(forms::mrNone);
    });
    script.expect(QStringLiteral("fmConEmpreg"), [](QWidget* w) {
        auto* list = static_cast<TfmConEmpreg*>(w);
        gui::click(list->BtExibir);
        // The employee form has gone; the list must not come back empty.
        EXPECT_FALSE(list->isVisible());
        return list->isVisible() ? int(forms::mrCancel) : int(forms::mrNone);
    });
    script.expect(QStringLiteral("fmDadosEmpreg"), [this](QWidget* w) {
        messages.answer("mrYes");
        gui::click(static_cast<TfmDadosEmpreg*>(w)->BtExcluir);
        return int(forms::mrNone);
    });
    ShowDadosEstab(estab.value("AnBase"), estab.value("CoCgcCeiEstabelecimento"),
                   estab.value("NuPrefixoEstabelecimento"), false);
    EXPECT_EQ(script.shown(), (QStringList{"fmDadosEstab", "fmConEmpreg", "fmDadosEmpreg"}));
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(fmConEstab->isVisible());
    EXPECT_FALSE(fmConEmpreg->isVisible());
    EXPECT_TRUE(rows(QStringLiteral("Bd8vinc.DB")).isEmpty());
    EXPECT_EQ(storedEstab().value("NuVinculosEstabelecimento"), QStringLiteral("000000"));
    EXPECT_EQ(storedEstab().value("InOpcaoAberta"), QString());
    for (QWidget** w : {reinterpret_cast<QWidget**>(&fmConEstab), reinterpret_cast<QWidget**>(&fmConEmpreg),
                        reinterpret_cast<QWidget**>(&fmDadosEmpreg)}) {
        delete *w;
        *w = nullptr;
    }
}

TEST_F(DadosEstab, CancelOnTheOnlyNewRowRemovesItAndClosesTheNewDeclaration) {
    storeEstab();
    // The new-declaration form waits, its row handed over.
    fmNovaDecl = new TfmNovaDecl();
    openForm(true);
    messages.answer("mrYes");
    QTest::mouseClick(form->BtCancelar, Qt::LeftButton);
    settle();
    EXPECT_TRUE(rows(QStringLiteral("Bd8emp.DB")).isEmpty());
    EXPECT_EQ(forms::GetModalResult(fmNovaDecl), forms::mrCancel);
    closeForm();
    delete fmNovaDecl;
    fmNovaDecl = nullptr;
    dmEntradaDados->ta8Empresa.Close();
}

// Opening a stored establishment and pressing Ok without any edit leaves every
// column as it was, whatever kind of establishment it is.
TEST_F(DadosEstab, AStoredEstablishmentSavedWithoutAnEditKeepsEveryColumn) {
    fmDadosEmpreg = new TfmDadosEmpreg();
    fmConEmpreg = new TfmConEmpreg();
    const struct Case {
        const char* kind;
        Row overrides;
    } cases[] = {
        {"plain", {}},
        {"closing in the base year", {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "30112009"}}},
        {"with the meal programme",
         {{"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", "000002"}, {"NuVinculoPatMenor5", "000001"},
          {"PoServicoProprio", "100"}}},
        {"union member with an association", {{"InSindicalizada", "1"}, {"CoCNPJAssociativa", valid::EmployerUnionCnpj()},
                                              {"VaGlobalAssociativa", "000012000"}}},
        {"blanks where zeros may stand", {{"CoCNPJAssistencial", ""}, {"CoCNPJConfederativa", ""},
                                           {"CoCNPJAssociativa", ""}}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        estab = valid::With(valid::Establishment(++n, 2), c.overrides);
        store(QStringLiteral("Bd8emp.DB"), estab);
        storeContracts(2);
        const Row before = storedEstab();
        openForm();
        FormsScript script;
        script.expect(QStringLiteral("fmConEmpreg"), forms::mrOk);
        messages.clear();
        ok();
        EXPECT_EQ(messages.codes(), QStringList());
        EXPECT_FALSE(form->isVisible());
        closeForm();
        const Row after = storedEstab();
        ASSERT_EQ(after.size(), before.size());
        for (auto it = before.begin(); it != before.end(); ++it) {
            // The copies of the lookup names are taken afresh from the lookup tables.
            if (it.key().startsWith("Txt")) continue;
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
        }
    }
    delete fmConEmpreg;
    fmConEmpreg = nullptr;
    delete fmDadosEmpreg;
    fmDadosEmpreg = nullptr;
}

}  // namespace
