#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmSemEmpregados.h"
#include "platform/db/Database.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PageControl.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void settle() {
    for (int i = 0; i < 8; ++i) QApplication::processEvents();
}

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

    QList<Row> rows(const QString& table) {
        db::Table t(dmLobrix->dbZuvo, table);
        t.Open();
        QList<Row> out;
        for (t.First(); !t.Eof(); t.Next()) {
            Row row;
            for (int i = 0; i < t.FieldCount(); ++i) row[t.Fields(i).FieldName()] = t.Fields(i).AsString();
            out << row;
        }
        t.Close();
        return out;
    }
    Row storedEstab() {
        for (const Row& r : rows(QStringLiteral("Bd8emp.DB")))
            if (r.value("CoCgcCeiEstabelecimento") == estab.value("CoCgcCeiEstabelecimento") &&
                r.value("NuPrefixoEstabelecimento") == estab.value("NuPrefixoEstabelecimento"))
                return r;
        return {};
    }
    void store(const QString& table, const Row& row) {
        db::Table t(dmLobrix->dbZuvo, table);
        t.Open();
        AppendRow(t, row);
        t.Close();
    }
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
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        settle();
    }
    void closeForm() {
        if (!form) return;
        form->FormClose();
        delete form;
        form = nullptr;
    }
    void typeAndLeave(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::TabFocusReason);
        settle();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        settle();
    }
    void click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
        settle();
    }
    void ok() {
        QTest::mouseClick(form->BtOk, Qt::LeftButton);
        settle();
    }
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

}  // namespace
