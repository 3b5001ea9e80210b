#include "platform/ui/LobrixApplication.h"
#include "platform/ui/SilentAbort.h"
#include "platform/ui/Forms.h"
#include "platform/help/HelpService.h"
#include "shell/ugHtmlHelpAPI.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using C = LobrixCommand;

namespace {

const QList<C> kDeclarationCommands = {C::Abrir, C::Excluir, C::VerInco, C::Gravar, C::Retif, C::BackupGravar,
                                       C::ImprimirDeclaracao};

struct MainWindowFixture : ::testing::Test {
    TempProgramWithModules program;
    TfmLOBRIX window;
    QList<C> ran;

    // Every command gets a handler, as the program wires them at start-up.
    void handAllCommands() {
        for (int c = int(C::Nova); c <= int(C::Sobre); ++c) {
            const C command = C(c);
            if (command == C::Sair || command == C::IndexarArquivos) continue;
            window.SetCommandHandler(command, [this, command] { ran << command; });
        }
    }
    void addEstablishment(const QString& year, const QString& cnpj = "11222333000181") {
        db::Table& t = dmEntradaDados->ta8Empresa;
        if (!t.Active()) t.Open();
        AppendRow(t, {{"AnBase", year}, {"CoCgcCeiEstabelecimento", cnpj}, {"NuPrefixoEstabelecimento", "01"},
                      {"NoRazaoEstabelecimento", "EMPRESA TESTE"}, {"InInscrEstabelecimento", "1"}});
    }
    bool enabled(C command) const {
        QAction* a = window.CommandAction(command);
        QToolButton* b = window.CommandButton(command);
        if (!a) return b->isEnabled();  // sbRelatorio has no menu item
        const bool e = a->isEnabled();
        if (b) EXPECT_EQ(b->isEnabled(), e) << "button and menu item disagree";
        return e;
    }
};

QStringList menuTexts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QMenu* topMenu(QMainWindow& w, const QString& title) {
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

}  // namespace

TEST_F(MainWindowFixture, CaptionAndStateAfterShow) {
    window.show();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Lobrix2009 - Gerador de Declaração Zuvo [Versão: 2009.01.00] "));
    EXPECT_EQ(window.AnoBase, 2009);
    EXPECT_EQ(window.Versao, "2009.01.00");
    EXPECT_EQ(window.Ambiente, QString::fromUtf8("Produção"));
    EXPECT_EQ(window.TransmitterPath, "C:\\ZuvoNet2009\\ZuvoNet2009.exe");
    EXPECT_EQ(window.CertifiedTransmitterPath, window.TransmitterPath);
    EXPECT_EQ(window.OsCode.size(), 1);
    EXPECT_EQ(window.ConsultaComErros, 0);
    EXPECT_EQ(QLocale().decimalPoint(), QLatin1Char(','));
    EXPECT_EQ(QLocale().groupSeparator(), QLatin1Char('.'));
}

TEST_F(MainWindowFixture, DeclarationCommandsFollowTheEstablishmentsOfBothYears) {
    handAllCommands();
    struct Case {
        QStringList years;
        bool enabled;
    } cases[] = {
        {{}, false},
        {{"2008"}, false},
        {{"2011"}, false},
        {{"2010"}, true},
        {{"2009"}, true},
        {{"2008", "2010"}, true},
    };
    for (const Case& c : cases) {
        dmEntradaDados->ta8Empresa.Open();
        dmEntradaDados->ta8Empresa.EmptyTable();
        int n = 0;
        for (const QString& y : c.years) addEstablishment(y, QStringLiteral("1122233300%1").arg(100 + n++));
        dmEntradaDados->ta8Empresa.Close();
        window.ControlaBotoes();
        const QString label = c.years.join(',');
        for (C command : kDeclarationCommands) EXPECT_EQ(enabled(command), c.enabled) << label.toStdString();
        EXPECT_EQ(window.NoEstablishments, c.enabled ? 0 : 1) << label.toStdString();
        // The other commands stay enabled at all times.
        for (C command : {C::Nova, C::Resp, C::ConsDisq, C::Transmite, C::ImprimirProtocolo, C::Relatorio,
                          C::ImpAnoAnterior, C::ImpAnoAtual, C::Analisador, C::BackupRestaurar, C::Sair})
            EXPECT_TRUE(enabled(command)) << label.toStdString();
    }
}

TEST_F(MainWindowFixture, PrintDeclarationStartsDisabledAndCommandsWithoutFormsStayDisabled) {
    EXPECT_FALSE(window.CommandAction(C::ImprimirDeclaracao)->isEnabled());
    addEstablishment("2009");
    window.show();  // the show runs the refresh
    // Nothing is wired yet: only the commands that work by themselves are on.
    EXPECT_FALSE(enabled(C::Abrir));
    EXPECT_FALSE(enabled(C::Nova));
    EXPECT_TRUE(enabled(C::Sair));
    EXPECT_TRUE(enabled(C::IndexarArquivos));
    window.SetCommandHandler(C::Abrir, [] {});
    EXPECT_TRUE(enabled(C::Abrir));
    window.SetCommandHandler(C::Abrir, {});
    EXPECT_FALSE(enabled(C::Abrir));
}

TEST_F(MainWindowFixture, RefreshRunsOnlyAfterTheCommandsThatChangeEstablishments) {
    handAllCommands();
    window.show();
    ASSERT_FALSE(enabled(C::Abrir));
    // A new declaration saved by the form enables the commands when it closes.
    window.SetCommandHandler(C::Nova, [this] { addEstablishment("2009"); });
    window.CommandAction(C::Nova)->trigger();
    EXPECT_TRUE(enabled(C::Abrir));

    // Each command runs with the establishments gone underneath it: the
    // commands that refresh see that, the others keep the old state.
    struct Case {
        C command;
        bool refreshes;
    } cases[] = {
        {C::Nova, true},          {C::Abrir, true},          {C::Excluir, true},     {C::Analisador, true},
        {C::ImpAnoAnterior, true}, {C::ImpAnoAtual, true},   {C::BackupRestaurar, true},
        {C::Gravar, false},       {C::Retif, false},         {C::VerInco, false},    {C::Particionar, false},
        {C::Resp, false},         {C::Transmite, false},     {C::ConsDisq, false},   {C::BackupGravar, false},
    };
    for (const Case& c : cases) {
        dmEntradaDados->ta8Empresa.Open();
        dmEntradaDados->ta8Empresa.EmptyTable();
        addEstablishment("2009");
        window.ControlaBotoes();
        ASSERT_TRUE(enabled(C::Abrir));
        window.SetCommandHandler(c.command, [] { dmEntradaDados->ta8Empresa.EmptyTable(); });
        window.RunCommand(c.command);
        EXPECT_EQ(enabled(C::Abrir), !c.refreshes) << int(c.command);
    }
}

TEST_F(MainWindowFixture, ToolButtonsInOrderWithHints) {
    window.show();
    QStringList names, hints;
    QLayout* row = window.Panel1->layout();
    for (int i = 0; i < row->count(); ++i) {
        if (auto* b = qobject_cast<QToolButton*>(row->itemAt(i)->widget())) {
            names << b->objectName();
            hints << b->toolTip();
            EXPECT_EQ(b->size(), QSize(34, 34));
            EXPECT_TRUE(b->autoRaise());
        }
    }
    EXPECT_EQ(names, QStringList({"sbNova", "sbAbrir", "sbExcluir", "sbVerInco", "sbGravar", "sbRetif", "sbResp",
                                  "sbRelatorio", "sbImpAnoAnterior", "sbImpAnoAtual", "sbAnalisador", "sbConsDisq",
                                  "sbTransmite", "spHelp", "sbPesquisa"}));
    EXPECT_EQ(hints.at(3), QString::fromUtf8("Verificar Inconsistências das Declarações"));
    EXPECT_EQ(hints.at(6), QString::fromUtf8("Dados do Responsável pela Declaração Zuvo"));
    EXPECT_EQ(hints.at(7), QString::fromUtf8("Imprimir Declaração / Protocolo de Transmissão"));
    EXPECT_EQ(hints.at(8), "Importar Arquivo Ano-Base 2008");
    EXPECT_EQ(hints.at(9), "Importar Arquivo Ano-Base 2009");
    EXPECT_EQ(hints.at(11), "Consultar  Arquivo do Ano");
    EXPECT_EQ(hints.at(13), "Ajuda do Lobrix");
    EXPECT_EQ(window.CommandButton(C::ImpAnoAnterior)->text(), "200&8");
    EXPECT_EQ(window.CommandButton(C::ImpAnoAtual)->text(), "200&9");
    EXPECT_FALSE(window.CommandButton(C::Pesquisa)->isVisibleTo(&window));
    EXPECT_TRUE(window.CommandButton(C::Nova)->isVisibleTo(&window));
}

TEST_F(MainWindowFixture, MenusWithAccessKeysAndSeparators) {
    QStringList top;
    for (QAction* a : window.menuBar()->actions())
        if (a->isVisible()) top << a->text();
    EXPECT_EQ(top, QStringList({QString::fromUtf8("&Declaração"), "&Analisador", QString::fromUtf8("&Utilitários"),
                                "A&juda"}));
    QMenu* declaracao = topMenu(window, QString::fromUtf8("&Declaração"));
    ASSERT_TRUE(declaracao);
    EXPECT_EQ(menuTexts(declaracao),
              QStringList({"&Nova...", "&Abrir...", "&Excluir...", "-",
                           QString::fromUtf8("&Verificar Inconsistências das Declarações ..."), "-",
                           QString::fromUtf8("&Dados Responsável ..."), QString::fromUtf8("&Gravar Declaração..."),
                           "&Consulta Arquivo do Ano", "-", QString::fromUtf8("Gravar &Retificação da Declaração..."),
                           "-", QString::fromUtf8("&Transmitir Declaração"), "-", "&Imprimir...", "-",
                           "Im&portar...", "-", "&Sair"}));
    QMenu* importar = nullptr;
    QMenu* imprimir = nullptr;
    for (QAction* a : declaracao->actions()) {
        if (a->text() == "Im&portar...") importar = a->menu();
        if (a->text() == "&Imprimir...") imprimir = a->menu();
    }
    ASSERT_TRUE(importar && imprimir);
    EXPECT_EQ(menuTexts(importar), QStringList({"Ano Anterior  2008", "Ano Atual       2009"}));
    EXPECT_EQ(menuTexts(imprimir), QStringList({QString::fromUtf8("Declaração"),
                                                QString::fromUtf8("Protocolo de Transmissão")}));
    QMenu* util = topMenu(window, QString::fromUtf8("&Utilitários"));
    ASSERT_TRUE(util);
    EXPECT_EQ(menuTexts(util), QStringList({QString::fromUtf8("Cópia de &Segurança"), "&Indexar Arquivos",
                                            "&Particionar Arquivo"}));
    QMenu* ajuda = topMenu(window, "A&juda");
    ASSERT_TRUE(ajuda);
    EXPECT_EQ(menuTexts(ajuda), QStringList({"&Ajuda do LOBRIX", QString::fromUtf8("&Informações Úteis"),
                                             "&Como Fazer Para ...", "&Layout Arquivo ZUVO", "-",
                                             "&Sobre o LOBRIX"}));
    EXPECT_EQ(window.CommandAction(C::Ajuda)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(window.CommandAction(C::Pesquisa)->isVisible());
}

TEST_F(MainWindowFixture, HiddenEditHandsOverToTransmissionAfterTheCaller) {
    handAllCommands();
    window.show();
    QApplication::setActiveWindow(&window);
    window.edTrans->setVisible(true);
    window.edTrans->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(window.edTrans->isVisible());
    // Queued: it runs once control is back in the loop.
    QApplication::processEvents();
    EXPECT_EQ(ran, QList<C>{C::Transmite});
}

TEST_F(MainWindowFixture, IndexCommandShowsTheIndexForm) {
    window.show();
    FormsScript script;
    script.expect("fmGeraIndice", forms::mrCancel);
    window.CommandAction(C::IndexarArquivos)->trigger();
    EXPECT_EQ(script.shown(), QStringList{"fmGeraIndice"});
    EXPECT_TRUE(script.unexpected().isEmpty());
}

TEST_F(MainWindowFixture, FirstActivationRunsOnce) {
    int runs = 0;
    window.OnFirstActivation = [&] { ++runs; };
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(window.FirstActivation, QLatin1Char('N'));
}

TEST_F(MainWindowFixture, CloseFreesTheDataModules) {
    window.show();
    window.close();
    EXPECT_EQ(dmLobrix, nullptr);
    EXPECT_EQ(dmEntradaDados, nullptr);
}

TEST_F(MainWindowFixture, ClosingEndsTheRunEvenWithTheHelpWindowOpen) {
    window.show();
    ShowHelpContents();
    ASSERT_TRUE(help::CurrentHelpWindow() && help::CurrentHelpWindow()->isVisible());
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(3000);
    QTimer::singleShot(0, &window, [this] { window.close(); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(dmLobrix, nullptr);
    if (help::CurrentHelpWindow()) help::CurrentHelpWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(MainWindowScale, WideScreenGivesTheFixedSizeAndEnlargedContents) {
    TfmLOBRIX window;
    const double before = window.font().pointSizeF();
    ASSERT_GT(before, 0);
    forms::ScaleFormForScreen(&window, {1280, 1024}, {800, 600}, forms::kMainWindowWideSize);
    EXPECT_EQ(window.size(), QSize(800, 580));
    EXPECT_NEAR(window.font().pointSizeF(), before * 1024.0 / 768.0, 0.01);
    EXPECT_NEAR(window.URLLabel->font().pointSizeF(), before * 1024.0 / 768.0, 0.01);
}

TEST_F(MainWindowFixture, EscapingExceptionsGoToTheFatalErrorReport) {
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    window.SetCommandHandler(C::Resp, [] { throw std::runtime_error("falhou"); });
    EXPECT_FALSE(appguard::RunGuarded([this] { window.RunCommand(C::Resp); }));
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().at(0).startsWith(QString::fromUtf8("Erro fatal.\n\r\n\rfalhou")));
    EXPECT_TRUE(appguard::TerminateRequested());
    EXPECT_EQ(forms::ShowModal(&window), forms::mrCancel);  // nothing more is shown once ending
    appguard::ResetTerminateRequest();
    // The request left Qt refusing every new loop; a main loop run clears that.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    {
        QDialog probe;
        probe.setObjectName("fmProbe");
        FormsScript script;
        script.expect("fmProbe", [](QWidget* f) {
            QTimer::singleShot(20, f, [f] { forms::SetModalResult(f, forms::mrOk); });
            return int(forms::mrNone);
        });
        EXPECT_EQ(forms::ShowModal(&probe), forms::mrOk);
    }
    // The silent abort of a failed check says nothing.
    window.SetCommandHandler(C::Resp, [] { throw SilentAbort(); });
    EXPECT_FALSE(appguard::RunGuarded([this] { window.RunCommand(C::Resp); }));
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_FALSE(appguard::TerminateRequested());
}

// "&Analisador" acts from the menu bar itself: while its wizard is open the
// bar shows no item as chosen, whether clicked or reached by its access key.
TEST_F(MainWindowFixture, MenuBarLetsGoOfAnalisadorWhileItsWizardRuns) {
    handAllCommands();
    QList<QAction*> activeWhileRunning;
    window.SetCommandHandler(C::Analisador,
                             [this, &activeWhileRunning] { activeWhileRunning << window.menuBar()->activeAction(); });
    window.show();
    ASSERT_TRUE(gui::showActive(&window));
    QMenuBar* bar = window.menuBar();
    QAction* analisador = window.CommandAction(C::Analisador);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(analisador).center());
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    gui::settle();
    ASSERT_EQ(activeWhileRunning.size(), 2);
    EXPECT_EQ(activeWhileRunning[0], nullptr);
    EXPECT_EQ(activeWhileRunning[1], nullptr);
}
