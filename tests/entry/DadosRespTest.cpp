#include "entry/ufmDadosResp.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/SilentAbort.h"
#include "rules/UgDadosResp.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/GuiDriver.h"
#include "support/HelpMap.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using gui::settle;
using gui::typeAndLeave;

// A complete, valid person responsible.
const QMap<QString, QString> kValidRow = {
    {"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
    {"NoResponsavelArquivo", "EMPRESA MODELO LTDA"}, {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
    {"NuLogradouroRespArquivo", "000012"}, {"NoBairroRespArquivo", "CENTRO"},
    {"CoCepRespArquivo", "70040010"}, {"CoMunicipioRespArquivo", "5300108"},
    {"NoMunicipioRespArquivo", "BRASILIA"}, {"SgUfRespArquivo", "DF"},
    {"NuFoneDDD", "61"}, {"NuFoneAssinante", "32345678"}, {"TxEMailRespArquivo", "JOSE@EMPRESA.COM.BR"},
    {"NoResponsavelDeclaracao", "JOSE DA SILVA"}, {"CoCpfResponsavel", "52998224725"},
    {"DaNascimentoRespArquivo", "01011970"},
};

class DadosResp : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages messages;
    TfmDadosResp* form = nullptr;

    void SetUp() override {
        messages.acceptOkBoxes();
        ResetResponsibleChecks();
    }
    void TearDown() override { closeForm(); }

    // The stored rows of BD8Resp, read through a table of the test's own.
    QList<QMap<QString, QString>> storedRows() { return ReadRows(dmLobrix->dbZuvo, QStringLiteral("bd8resp.DB")); }
    void storeRow(const QMap<QString, QString>& row) { StoreRow(dmLobrix->dbZuvo, QStringLiteral("bd8resp.DB"), row); }
    void openForm() {
        form = new TfmDadosResp();
        fmDadosResp = form;
        ASSERT_TRUE(gui::showActive(form));
    }
    void closeForm() {
        if (!form) return;
        delete form;
        form = nullptr;
        fmDadosResp = nullptr;
        if (dmDadosResp) {
            dmDadosResp->ta8Resp.Close();
            delete dmDadosResp;
            dmDadosResp = nullptr;
        }
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QString field(const char* name) { return dmDadosResp->ta8Resp.FieldByName(QString::fromLatin1(name)).AsString(); }
};

TEST_F(DadosResp, AnEmptyTableGetsItsSingleRowOnOk) {
    ASSERT_TRUE(storedRows().isEmpty());
    openForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Informações do Responsável pela Declaração da Zuvo"));
    // The form opens on the type, nothing chosen yet.
    EXPECT_EQ(focused(), form->dbrTipoInscr->Button(0));
    EXPECT_EQ(form->dbrTipoInscr->ItemIndex(), -1);

    QTest::mouseClick(form->dbrTipoInscr->Button(0), Qt::LeftButton);
    typeAndLeave(form->mdInscricao, "11222333000181");
    EXPECT_EQ(form->mdInscricao->displayText(), QStringLiteral("11.222.333/0001-81"));
    typeAndLeave(form->deNome, "empresa modelo ltda");
    typeAndLeave(form->deLogradouro, "rua das flores");
    typeAndLeave(form->deNumero, "12");
    typeAndLeave(form->deComplemento, "");
    typeAndLeave(form->deBairro, "centro");
    typeAndLeave(form->deCep, "70040010");
    typeAndLeave(form->deCodMunicipio, "5300108");
    EXPECT_EQ(form->deNomeMunicipio->text(), QStringLiteral("BRASILIA"));
    EXPECT_EQ(form->deUF->text(), QStringLiteral("DF"));
    typeAndLeave(form->deDDD, "61");
    typeAndLeave(form->deTelefone, "32345678");
    typeAndLeave(form->deCpfResponsavel, "52998224725");
    typeAndLeave(form->deNomeResp, "jose da silva");
    typeAndLeave(form->deDataNascResp, "01011970");
    typeAndLeave(form->deEmail, "jose@empresa.com.br");
    EXPECT_EQ(messages.codes(), QStringList());

    QTest::mouseClick(form->bbOk, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 1);
    const QMap<QString, QString> expected = {
        {"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
        {"NoResponsavelArquivo", "EMPRESA MODELO LTDA"}, {"NuLogradouroRespArquivo", "000012"},
        {"CoCepRespArquivo", "70040010"}, {"CoMunicipioRespArquivo", "5300108"},
        {"NoMunicipioRespArquivo", "BRASILIA"}, {"SgUfRespArquivo", "DF"}, {"NuFoneDDD", "61"},
        {"CoCpfResponsavel", "52998224725"}, {"NoResponsavelDeclaracao", "JOSE DA SILVA"},
        {"DaNascimentoRespArquivo", "01011970"}, {"TxEMailRespArquivo", "jose@empresa.com.br"},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(rows.at(0).value(it.key()), it.value()) << it.key().toStdString();
}

TEST_F(DadosResp, AStoredRowIsShownAndEditedInPlace) {
    storeRow(kValidRow);
    openForm();
    EXPECT_EQ(form->dbrTipoInscr->ItemIndex(), 0);
    EXPECT_EQ(focused(), form->dbrTipoInscr->Button(0));
    EXPECT_EQ(form->mdInscricao->displayText(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(form->deNumero->text(), QStringLiteral("12"));  // shown without its zeros
    EXPECT_EQ(form->deCpfResponsavel->displayText(), QStringLiteral("529.982.247-25"));
    EXPECT_EQ(form->deCep->displayText(), QStringLiteral("70040-010"));

    typeAndLeave(form->deNome, "OUTRA EMPRESA SA");
    // Alt+O reaches Ok without leaving the e-mail: the final checks still run and see the typed text.
    form->deEmail->setFocus();
    settle();
    form->deEmail->selectAll();
    QTest::keyClicks(form->deEmail, "novo@empresa.com.br");
    QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);
    for (int i = 0; i < 50 && form->isVisible(); ++i) QTest::qWait(10);  // a shortcut clicks after a moment
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.codes(), QStringList());
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).value("NoResponsavelArquivo"), QStringLiteral("OUTRA EMPRESA SA"));
    EXPECT_EQ(rows.at(0).value("TxEMailRespArquivo"), QStringLiteral("novo@empresa.com.br"));
    EXPECT_EQ(rows.at(0).value("NuLogradouroRespArquivo"), QStringLiteral("000012"));
}

TEST_F(DadosResp, ASaveRefusedBecauseAnotherUserHoldsTheTableIsToldAsInUseAndKeepsTheForm) {
    storeRow(kValidRow);
    const auto before = storedRows();
    openForm();
    typeAndLeave(form->deNome, "OUTRA EMPRESA SA");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((program.dataFolder() + "/bd8resp.DB").toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QTest::mouseClick(form->bbOk, Qt::LeftButton);
    settle();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(messages.shown().size(), 1) << messages.texts().join("\n").toStdString();
    EXPECT_EQ(messages.shown().first().kind, msg::BoxKind::Warning);
    EXPECT_TRUE(messages.shown().first().text.contains("está em uso por outro usuário"))
        << messages.shown().first().text.toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->deNome->text(), QStringLiteral("OUTRA EMPRESA SA"));
    EXPECT_EQ(storedRows(), before);
    // Once the other user is done, the same form saves.
    messages.clear();
    QTest::mouseClick(form->bbOk, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_FALSE(form->isVisible());
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).value("NoResponsavelArquivo"), QStringLiteral("OUTRA EMPRESA SA"));
}

TEST_F(DadosResp, LeavingABadCpfShowsItsCodeAndKeepsTheFocus) {
    storeRow(kValidRow);
    openForm();
    typeAndLeave(form->deCpfResponsavel, "12345678900");
    EXPECT_EQ(messages.codes(), QStringList{"0210"});
    EXPECT_EQ(focused(), form->deCpfResponsavel);
    EXPECT_EQ(field("CoCpfResponsavel"), QStringLiteral("52998224725"));  // a failed check stores nothing
    // The focus came back without a second message.
    settle();
    EXPECT_EQ(messages.codes().size(), 1);
}

TEST_F(DadosResp, MovingToCancelarChecksNothingAndCancelKeepsTheTable) {
    storeRow(kValidRow);
    openForm();
    form->deNome->setFocus();
    settle();
    form->deNome->selectAll();
    QTest::keyClicks(form->deNome, "AB");  // too short
    QTest::mouseClick(form->bbCancelar, Qt::LeftButton);
    settle();
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(storedRows().value(0).value("NoResponsavelArquivo"), QStringLiteral("EMPRESA MODELO LTDA"));
}

TEST_F(DadosResp, CancelAfterAPassedCheckAndEscLeaveTheTableUnchanged) {
    storeRow(kValidRow);
    openForm();
    typeAndLeave(form->deLogradouro, "AVENIDA CENTRAL");
    EXPECT_EQ(field("EdLogradouroRespArquivo"), QStringLiteral("AVENIDA CENTRAL"));
    QTest::keyClick(focused(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(form->isVisible());
    closeForm();  // as the main window does: ta8Resp closed, the edit dropped
    EXPECT_EQ(storedRows().value(0).value("EdLogradouroRespArquivo"), QStringLiteral("RUA DAS FLORES"));
}

TEST_F(DadosResp, EnterMovesToTheNextField) {
    storeRow(kValidRow);
    openForm();
    form->deNome->setFocus();
    settle();
    QTest::keyClick(form->deNome, Qt::Key_Return);
    settle();
    EXPECT_EQ(focused(), form->deLogradouro);
    QTest::keyClick(form->deLogradouro, Qt::Key_Enter, Qt::KeypadModifier);
    settle();
    EXPECT_EQ(focused(), form->deNumero);
    EXPECT_EQ(messages.codes(), QStringList());
}

// A message host that behaves like a real box: a window of its own takes the
// focus while the box is open.
class WindowedMessages : public msg::MessageHost {
public:
    WindowedMessages() { previous_ = msg::SetMessageHost(this); }
    ~WindowedMessages() override { msg::SetMessageHost(previous_); }
    QString show(const msg::BoxRequest& request) override {
        codes << request.code;
        QWidget* owner = QApplication::activeWindow();
        QDialog box;
        auto* ok = new QPushButton(QStringLiteral("OK"), &box);
        box.show();
        EXPECT_TRUE(gui::activate(&box));
        ok->setFocus();
        QApplication::processEvents();
        box.hide();
        if (owner) {
            EXPECT_TRUE(gui::activate(owner));
        }
        return QStringLiteral("mrOk");
    }
    void beep() override {}
    QStringList codes;

private:
    msg::MessageHost* previous_;
};

TEST_F(DadosResp, AMessageBoxDoesNotStackASecondCheck) {
    storeRow(kValidRow);
    openForm();
    WindowedMessages boxes;
    typeAndLeave(form->deNome, "AB");
    settle();
    EXPECT_EQ(boxes.codes, QStringList{"0010"});
    EXPECT_EQ(focused(), form->deNome);
}

TEST_F(DadosResp, TheNumberCannotBeTypedBeforeTheType) {
    openForm();
    QTest::keyClick(form->dbrTipoInscr->Button(0), Qt::Key_Tab);
    settle();
    EXPECT_EQ(messages.codes(), QStringList{"0049"});
    EXPECT_EQ(focused(), form->dbrTipoInscr->Button(0));
    EXPECT_EQ(form->dbrTipoInscr->ItemIndex(), -1);
}

TEST_F(DadosResp, ACpfInscriptionFillsTheCpfOfTheDeclarant) {
    openForm();
    QTest::mouseClick(form->dbrTipoInscr->Button(2), Qt::LeftButton);
    typeAndLeave(form->mdInscricao, "52998224725");
    EXPECT_EQ(messages.codes(), QStringList());
    EXPECT_EQ(field("CoCgcCeiResponsavel"), QStringLiteral("00052998224725"));
    EXPECT_EQ(form->edTipodeInscricao->text(), QStringLiteral("CPF"));
    EXPECT_EQ(form->mdInscricao->displayText(), QStringLiteral("529.982.247-25"));
    EXPECT_EQ(form->deCpfResponsavel->displayText(), QStringLiteral("529.982.247-25"));
    EXPECT_EQ(ui::DesignMaskOf(form->deCpfResponsavel), kMaskCpf);
}

TEST_F(DadosResp, InscriptionChecksByTypeAndLength) {
    // A 10-digit number valid as CNPJ and as CEI once filled with zeros.
    QString both10;
    for (qint64 x = 1000000000; both10.isEmpty() && x < 1000200000; ++x) {
        const QString typed = QString::number(x);
        if (CheckInscriptionOrCpf(typed.rightJustified(14, QLatin1Char('0')), 10) == QLatin1String("0049")) both10 = typed;
    }
    ASSERT_FALSE(both10.isEmpty());
    // 12 digits that form a CNPJ with "00" in front but no CEI.
    QString cnpjOnly12;
    for (qint64 x = 112223330001; cnpjOnly12.isEmpty() && x < 112223530001; ++x) {
        const QString typed = QString::number(x);
        if (CheckInscriptionOrCpf(typed.rightJustified(14, QLatin1Char('0')), 12) == QLatin1String("0051"))
            cnpjOnly12 = typed;
    }
    ASSERT_FALSE(cnpjOnly12.isEmpty());
    struct Case {
        int type;             // button of the type group
        QString typed;
        QStringList codes;    // messages shown
        QString stored;       // CoCgcCeiResponsavel afterwards
        bool focusOnType;
    };
    const Case cases[] = {
        {0, both10, {"1003"}, "", false},                  // nothing would be stored: refused
        {2, both10, {"3509"}, "", false},
        {0, "52998224725", {"0131"}, "00052998224725", true},  // a CPF where a CNPJ was chosen
        {0, cnpjOnly12, {"1003"}, "", false},              // a CNPJ must be typed with its 14 digits
        {0, "12345", {"0054"}, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        openForm();
        messages.clear();
        QTest::mouseClick(form->dbrTipoInscr->Button(c.type), Qt::LeftButton);
        typeAndLeave(form->mdInscricao, c.typed);
        EXPECT_EQ(messages.codes(), c.codes);
        EXPECT_EQ(field("CoCgcCeiResponsavel"), c.stored);
        EXPECT_EQ(focused(), c.focusOnType ? static_cast<QWidget*>(form->dbrTipoInscr->Button(c.type))
                                           : static_cast<QWidget*>(form->mdInscricao));
        closeForm();
    }
}

TEST_F(DadosResp, FourteenDigitsValidAsCnpjAndCeiShowAsTheChosenType) {
    QString both14;
    for (qint64 x = 10000000000; both14.isEmpty() && x < 10000200000; ++x) {
        const QString typed = QStringLiteral("00") + QString::number(x).rightJustified(12, QLatin1Char('0'));
        if (CheckInscriptionOrCpf(typed, 14) == QLatin1String("0049")) both14 = typed;
    }
    ASSERT_FALSE(both14.isEmpty());
    struct Case {
        int type;
        QString shown;
        const char* label;
    };
    const Case cases[] = {
        {0, both14.left(2) + "." + both14.mid(2, 3) + "." + both14.mid(5, 3) + "/" + both14.mid(8, 4) + "-" + both14.mid(12), "CNPJ"},
        {1, both14.mid(2, 5) + "." + both14.mid(7, 5) + "-" + both14.mid(12), "CEI"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        openForm();
        messages.clear();
        QTest::mouseClick(form->dbrTipoInscr->Button(c.type), Qt::LeftButton);
        typeAndLeave(form->mdInscricao, both14);
        EXPECT_EQ(messages.codes(), QStringList());
        EXPECT_EQ(field("CoCgcCeiResponsavel"), both14);
        EXPECT_EQ(form->mdInscricao->displayText(), c.shown);
        EXPECT_EQ(form->edTipodeInscricao->text(), QString::fromLatin1(c.label));
        closeForm();
    }
}

TEST_F(DadosResp, AStreetNumberThatIsNoWholeNumberIsShownAsStored) {
    QMap<QString, QString> row = kValidRow;
    row["NuLogradouroRespArquivo"] = "12A";
    storeRow(row);
    openForm();
    EXPECT_EQ(form->deNumero->text(), QStringLiteral("12A"));
    EXPECT_TRUE(form->isVisible());
    row["NuLogradouroRespArquivo"] = "000000";
    closeForm();
    {
        db::Table t(dmLobrix->dbZuvo, QStringLiteral("bd8resp.DB"));
        t.Open();
        t.EmptyTable();
        AppendRow(t, row);
        t.Close();
    }
    openForm();
    EXPECT_EQ(form->deNumero->text(), QStringLiteral("0"));
}

TEST_F(DadosResp, StreetNumberAndComplement) {
    storeRow(kValidRow);
    openForm();
    typeAndLeave(form->deNumero, "000");
    EXPECT_EQ(field("NuLogradouroRespArquivo"), QStringLiteral("0"));
    // No number and no complement: the complement is needed.
    CheckResponsibleStreetNumber(form->deNumero);
    EXPECT_THROW(CheckResponsibleComplement(form->deComplemento), SilentAbort);
    EXPECT_EQ(messages.codes(), QStringList{"0120"});
    settle();
    EXPECT_EQ(focused(), form->deComplemento);
    typeAndLeave(form->deNumero, "");
    EXPECT_EQ(field("NuLogradouroRespArquivo"), QString());
}

TEST_F(DadosResp, EmptyingTheMunicipalityEmptiesItsNameAndState) {
    storeRow(kValidRow);
    openForm();
    form->deCodMunicipio->setFocus();
    settle();
    form->deCodMunicipio->clear();
    QTest::keyClick(form->deCodMunicipio, Qt::Key_Tab);
    settle();
    EXPECT_EQ(form->deNomeMunicipio->text(), QString());
    EXPECT_EQ(form->deUF->text(), QString());
    EXPECT_EQ(field("NoMunicipioRespArquivo"), QString());
    EXPECT_EQ(field("SgUfRespArquivo"), QString());
}

TEST_F(DadosResp, AnAreaCodeOfAnotherStateWarnsOnceAndGoesOn) {
    storeRow(kValidRow);
    openForm();
    typeAndLeave(form->deDDD, "11");
    EXPECT_EQ(messages.codes(), QStringList{"0402"});
    EXPECT_EQ(focused(), form->deTelefone);
}

}  // namespace

namespace {

// Every help context the form's controls carry has its page in help/.
TEST_F(DadosResp, EveryHelpContextOfTheFormHasAPage) {
    openForm();
    form->dbrTipoInscrEnter();  // gives the type buttons their context
    ExpectHelpPagesForEveryContext(form, 17);
}

}  // namespace
