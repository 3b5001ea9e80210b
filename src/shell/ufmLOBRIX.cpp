#include "shell/ufmLOBRIX.h"

#include "platform/AppPaths.h"
#include "platform/ui/LobrixApplication.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/Ufmpesq.h"
#include "shell/ufmGeraIndice.h"
#include "shell/ufmInicioRegras.h"
#include "shell/ufmSobre.h"
#include "shell/ufmSplash.h"
#include "shell/ugExcecao.h"
#include "shell/ugHtmlHelpAPI.h"
#include "shell/ugOSInfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

TfmLOBRIX* fmLOBRIX = nullptr;

namespace {

// The years of the import commands and of the print wizard are constants of
// this version, not derived from the base year.
constexpr int kAnoAnterior = 2008;
constexpr int kAnoAtual = 2009;

QString yearWithAccessKey(int year) {
    const QString y = QString::number(year);
    return y.left(3) + QLatin1Char('&') + y.mid(3);
}

}  // namespace

QString TfmLOBRIX::ImportAnteriorText() { return QStringLiteral("Anterior - Ano ") + QString::number(kAnoAnterior); }
QString TfmLOBRIX::ImportAtualText() { return QStringLiteral("Atual - Ano ") + QString::number(kAnoAtual); }
QString TfmLOBRIX::WebAddress() { return QStringLiteral("http://www.zuvo.gov.br"); }

TfmLOBRIX::TfmLOBRIX(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmLOBRIX"));
    if (!fmLOBRIX) fmLOBRIX = this;
    appguard::SetExceptionHandler(&TfmLOBRIX::LOBRIXExcecaoGeral);

    ConsultaComErros = 0;
    AnoBase = kAnoBase;
    Ambiente = QStringLiteral("Produção");
    Versao = QString::number(AnoBase) + QStringLiteral(".") + QStringLiteral("01") + QStringLiteral(".") +
             QStringLiteral("00");
    OsCode = QString::number(DetectOsVersion());
    TransmitterPath = QStringLiteral("C:\\ZuvoNet") + QString::number(AnoBase) + QStringLiteral("\\ZuvoNet") +
                      QString::number(AnoBase) + QStringLiteral(".exe");
    CertifiedTransmitterPath = TransmitterPath;
    HelpFile = AppPaths::programFolder() + QStringLiteral("Ajuda-LOBRIX.chm");
    FirstActivation = QLatin1Char('S');
    CreaRelatorio = QStringLiteral(" ");

    buildMenus();
    buildBody();
    buildToolBar();
    updateCommandStates();

    move(0, 0);
    forms::ScaleForm(this, QSize(800, 600), forms::kMainWindowWideSize);
}

TfmLOBRIX::~TfmLOBRIX() {
    if (fmLOBRIX == this) fmLOBRIX = nullptr;
}

TfmLOBRIX::CommandEntry& TfmLOBRIX::entry(LobrixCommand command) { return commands_[int(command)]; }

const TfmLOBRIX::CommandEntry* TfmLOBRIX::findEntry(LobrixCommand command) const {
    auto it = commands_.constFind(int(command));
    return it == commands_.constEnd() ? nullptr : &it.value();
}

void TfmLOBRIX::buildMenus() {
    using C = LobrixCommand;
    auto add = [this](QMenu* menu, C command, const QString& name, const QString& caption, bool refresh = false,
                      bool declaration = false) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, command] { RunCommand(command); });
        CommandEntry& e = entry(command);
        e.action = a;
        e.refresh = refresh;
        e.declaration = declaration;
        return a;
    };

    QMenuBar* bar = menuBar();
    QMenu* declaracao = bar->addMenu(QStringLiteral("&Declaração"));
    declaracao->setObjectName(QStringLiteral("mnDeclaracao"));
    add(declaracao, C::Nova, "miNova", QStringLiteral("&Nova..."), true)->setStatusTip(QStringLiteral("Nova Declaração"));
    add(declaracao, C::Abrir, "miAbrir", QStringLiteral("&Abrir..."), true, true);
    add(declaracao, C::Excluir, "miExcluir", QStringLiteral("&Excluir..."), true, true);
    declaracao->addSeparator();
    add(declaracao, C::VerInco, "miVerInco", QStringLiteral("&Verificar Inconsistências das Declarações ..."), false,
        true);
    declaracao->addSeparator();
    add(declaracao, C::Resp, "miResp", QStringLiteral("&Dados Responsável ..."));
    add(declaracao, C::Gravar, "miGravar", QStringLiteral("&Gravar Declaração..."), false, true);
    add(declaracao, C::ConsDisq, "miConsDisq", QStringLiteral("&Consulta Arquivo do Ano"));
    declaracao->addSeparator();
    add(declaracao, C::Retif, "miRetif", QStringLiteral("Gravar &Retificação da Declaração..."), false, true);
    declaracao->addSeparator();
    add(declaracao, C::Transmite, "miTransmite", QStringLiteral("&Transmitir Declaração"));
    declaracao->addSeparator();
    QMenu* imprimir = declaracao->addMenu(QStringLiteral("&Imprimir..."));
    imprimir->setObjectName(QStringLiteral("mnImprimir"));
    miImprimirDeclaracao_ =
        add(imprimir, C::ImprimirDeclaracao, "miImprimirDeclaracao", QStringLiteral("Declaração"), false, true);
    add(imprimir, C::ImprimirProtocolo, "miImprimirProtocolo", QStringLiteral("Protocolo de Transmissão"));
    declaracao->addSeparator();
    QMenu* importar = declaracao->addMenu(QStringLiteral("Im&portar..."));
    importar->setObjectName(QStringLiteral("mnImportar"));
    add(importar, C::ImpAnoAnterior, "miImpAnoAnterior", QString(), true);
    add(importar, C::ImpAnoAtual, "miImpAnoAtual", QString(), true);
    declaracao->addSeparator();
    add(declaracao, C::Sair, "miSair", QStringLiteral("&Sair"));
    entry(C::Sair).builtIn = true;

    // A top-level item that acts by itself, without a menu below it.
    QAction* analisador = bar->addAction(QStringLiteral("&Analisador"));
    analisador->setObjectName(QStringLiteral("miAnalisador"));
    // A command on the menu bar itself: the bar lets go of its highlight
    // before the command's modal window opens, not when the mouse next moves.
    connect(analisador, &QAction::triggered, this, [this, bar] {
        bar->setActiveAction(nullptr);
        RunCommand(LobrixCommand::Analisador);
    });
    entry(C::Analisador).action = analisador;
    entry(C::Analisador).refresh = true;

    QMenu* utilitarios = bar->addMenu(QStringLiteral("&Utilitários"));
    utilitarios->setObjectName(QStringLiteral("mnUtilitarios"));
    QMenu* copia = utilitarios->addMenu(QStringLiteral("Cópia de &Segurança"));
    copia->setObjectName(QStringLiteral("mnCopiaSeguranca"));
    add(copia, C::BackupGravar, "miBackupGravar", QStringLiteral("&Gravar"), false, true);
    add(copia, C::BackupRestaurar, "miBackupRestaurar", QStringLiteral("&Restaurar"), true);
    add(utilitarios, C::IndexarArquivos, "miIndexarArquivos", QStringLiteral("&Indexar Arquivos"));
    entry(C::IndexarArquivos).builtIn = true;
    add(utilitarios, C::Particionar, "miParticionar", QStringLiteral("&Particionar Arquivo"));

    QAction* pesquisa = bar->addAction(QStringLiteral("&Pesquisa"));
    pesquisa->setObjectName(QStringLiteral("miPesquisa"));
    pesquisa->setStatusTip(QStringLiteral("Pesquisa de satisfação"));
    pesquisa->setVisible(false);
    connect(pesquisa, &QAction::triggered, this, [this, bar] {
        bar->setActiveAction(nullptr);
        RunCommand(LobrixCommand::Pesquisa);
    });
    entry(C::Pesquisa).action = pesquisa;
    entry(C::Pesquisa).builtIn = true;

    QMenu* ajuda = bar->addMenu(QStringLiteral("A&juda"));
    ajuda->setObjectName(QStringLiteral("mnAjuda"));
    add(ajuda, C::Ajuda, "miAjuda", QStringLiteral("&Ajuda do LOBRIX"))->setShortcut(QKeySequence(Qt::Key_F1));
    entry(C::Ajuda).builtIn = true;
    add(ajuda, C::InformacoesUteis, "miInformacoesUteis", QStringLiteral("&Informações Úteis"));
    entry(C::InformacoesUteis).builtIn = true;
    add(ajuda, C::ComoFazer, "miComoFazer", QStringLiteral("&Como Fazer Para ..."));
    entry(C::ComoFazer).builtIn = true;
    QMenu* layout = ajuda->addMenu(QStringLiteral("&Layout Arquivo ZUVO"));
    layout->setObjectName(QStringLiteral("mnLayout"));
    layout->menuAction()->setStatusTip(QStringLiteral("Emite a especificação do arquivo Zuvo98"));
    add(layout, C::VisualizarCartela, "miVisualizarCartela", QStringLiteral("&Visualizar Cartela"));
    add(layout, C::EmitirCartela, "miEmitirCartela", QStringLiteral("&Emitir Cartela"));
    ajuda->addSeparator();
    add(ajuda, C::Sobre, "miSobre", QStringLiteral("&Sobre o LOBRIX"));
    entry(C::Sobre).builtIn = true;
}

void TfmLOBRIX::buildBody() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnFundo"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));  // teal
    central->setPalette(pal);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);

    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    QPalette panel = Panel1->palette();
    panel.setColor(QPalette::Window, QColor(212, 208, 200));
    Panel1->setPalette(panel);
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);
    column->addWidget(Panel1);

    Image1 = new QLabel(central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(LobrixPicture(QSize(386, 251)));
    Image1->setAlignment(Qt::AlignCenter);
    column->addWidget(Image1, 1);

    URLLabel = new QLabel(WebAddress(), central);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    QFont underlined = URLLabel->font();
    underlined.setUnderline(true);
    URLLabel->setFont(underlined);
    QPalette silver = URLLabel->palette();
    silver.setColor(QPalette::WindowText, QColor(192, 192, 192));
    URLLabel->setPalette(silver);
    URLLabel->setCursor(Qt::PointingHandCursor);
    URLLabel->setAlignment(Qt::AlignCenter);
    URLLabel->installEventFilter(this);
    column->addWidget(URLLabel);

    // Hidden hand-over from the wizards' last pages to the transmission window.
    edTrans = new QLineEdit(central);
    edTrans->setObjectName(QStringLiteral("edTrans"));
    edTrans->setVisible(false);
    edTrans->installEventFilter(this);

    setCentralWidget(central);
}

void TfmLOBRIX::buildToolBar() {
    using C = LobrixCommand;
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    auto add = [this, row](C command, const QString& name, const QString& hint, QStyle::StandardPixmap icon,
                           const QString& caption = QString()) {
        auto* b = new QToolButton(Panel1);
        b->setObjectName(name);
        b->setFixedSize(34, 34);
        b->setAutoRaise(true);
        b->setToolTip(hint);
        if (caption.isEmpty()) {
            b->setIcon(style()->standardIcon(icon));
            b->setIconSize(QSize(24, 24));
        } else {
            // Four digits must fit the 34-pixel button.
            QFont small = b->font();
            small.setPixelSize(10);
            b->setFont(small);
            b->setText(caption);
        }
        connect(b, &QToolButton::clicked, this, [this, command] { RunCommand(command); });
        row->addWidget(b);
        entry(command).button = b;
        return b;
    };
    add(C::Nova, "sbNova", QStringLiteral("Nova Declaração"), QStyle::SP_FileIcon);
    add(C::Abrir, "sbAbrir", QStringLiteral("Abrir Declaração"), QStyle::SP_DirOpenIcon);
    add(C::Excluir, "sbExcluir", QStringLiteral("Excluir Declaração"), QStyle::SP_TrashIcon);
    add(C::VerInco, "sbVerInco", QStringLiteral("Verificar Inconsistências das Declarações"),
        QStyle::SP_MessageBoxWarning);
    add(C::Gravar, "sbGravar", QStringLiteral("Gravar Declaração"), QStyle::SP_DialogSaveButton);
    add(C::Retif, "sbRetif", QStringLiteral("Gravar Retificação da Declaração"), QStyle::SP_BrowserReload);
    add(C::Resp, "sbResp", QStringLiteral("Dados do Responsável pela Declaração Zuvo"),
        QStyle::SP_FileDialogDetailedView);
    // sbRelatorio has no menu item of its own: it starts the print wizard from its first page.
    add(C::Relatorio, "sbRelatorio", QStringLiteral("Imprimir Declaração / Protocolo de Transmissão"),
        QStyle::SP_FileDialogContentsView);
    add(C::ImpAnoAnterior, "sbImpAnoAnterior", QString(), QStyle::SP_ArrowDown, yearWithAccessKey(kAnoAnterior));
    add(C::ImpAnoAtual, "sbImpAnoAtual", QString(), QStyle::SP_ArrowDown, yearWithAccessKey(kAnoAtual));
    add(C::Analisador, "sbAnalisador", QStringLiteral("Analisador"), QStyle::SP_FileDialogInfoView);
    add(C::ConsDisq, "sbConsDisq", QStringLiteral("Consultar  Arquivo do Ano"), QStyle::SP_DriveFDIcon);
    add(C::Transmite, "sbTransmite", QStringLiteral("Transmitir Declaração"), QStyle::SP_DriveNetIcon);
    add(C::Ajuda, "spHelp", QStringLiteral("Ajuda do Lobrix"), QStyle::SP_DialogHelpButton);
    add(C::Pesquisa, "sbPesquisa", QStringLiteral("Pesquisa de Satisfação"), QStyle::SP_MessageBoxQuestion)
        ->setVisible(false);
    row->addStretch(1);
    applyImportCaptions();
}

void TfmLOBRIX::applyImportCaptions() {
    using C = LobrixCommand;
    entry(C::ImpAnoAtual).button->setText(yearWithAccessKey(kAnoAtual));
    entry(C::ImpAnoAnterior).button->setText(yearWithAccessKey(kAnoAnterior));
    entry(C::ImpAnoAnterior).action->setText(QStringLiteral("Ano Anterior  ") + QString::number(kAnoAnterior));
    entry(C::ImpAnoAtual).action->setText(QStringLiteral("Ano Atual       ") + QString::number(kAnoAtual));
    entry(C::ImpAnoAtual).button->setToolTip(QStringLiteral("Importar Arquivo Ano-Base ") +
                                             QString::number(kAnoAtual));
    entry(C::ImpAnoAnterior).button->setToolTip(QStringLiteral("Importar Arquivo Ano-Base ") +
                                                QString::number(kAnoAnterior));
}

void TfmLOBRIX::SetCommandHandler(LobrixCommand command, std::function<void()> handler) {
    entry(command).handler = std::move(handler);
    updateCommandStates();
}

bool TfmLOBRIX::HasCommandHandler(LobrixCommand command) const {
    const CommandEntry* e = findEntry(command);
    return e && (e->handler || e->builtIn);
}

QAction* TfmLOBRIX::CommandAction(LobrixCommand command) const {
    const CommandEntry* e = findEntry(command);
    return e ? e->action : nullptr;
}

QToolButton* TfmLOBRIX::CommandButton(LobrixCommand command) const {
    const CommandEntry* e = findEntry(command);
    return e ? e->button : nullptr;
}

void TfmLOBRIX::updateCommandStates() {
    for (auto it = commands_.begin(); it != commands_.end(); ++it) {
        const CommandEntry& e = it.value();
        const bool enabled = (e.handler || e.builtIn) && (!e.declaration || hasEstablishments_);
        if (e.action) e.action->setEnabled(enabled);
        if (e.button) e.button->setEnabled(enabled);
    }
}

void TfmLOBRIX::RunCommand(LobrixCommand command) {
    CommandEntry& e = entry(command);
    const bool enabled = (e.handler || e.builtIn) && (!e.declaration || hasEstablishments_);
    if (!enabled) return;
    if (e.handler) {
        const std::function<void()> handler = e.handler;  // may be replaced while it runs
        handler();
    } else {
        runBuiltIn(command);
    }
    if (command == LobrixCommand::Nova) activateWindow();
    if (e.refresh) ControlaBotoes();
}

void TfmLOBRIX::runBuiltIn(LobrixCommand command) {
    switch (command) {
    case LobrixCommand::Sair:
        // Ends the loop without the close handler.
        appguard::RequestTerminate();
        break;
    case LobrixCommand::Ajuda:
        ShowHelpContents();
        break;
    case LobrixCommand::ComoFazer:
        ShowHelpContext(10);
        break;
    case LobrixCommand::Pesquisa:
        ShowPesquisa();
        break;
    case LobrixCommand::InformacoesUteis:
        ShowInformacoesUteis();
        break;
    case LobrixCommand::Sobre:
        ShowSobre();
        break;
    case LobrixCommand::IndexarArquivos: {
        TfmGeraIndice form(this);
        forms::ShowModal(&form);
        break;
    }
    default:
        break;
    }
}

void TfmLOBRIX::ControlaBotoes() {
    bool any = false;
    if (dmLobrix) {
        db::Query& q = dmLobrix->quBd8Emp;
        q.Close();
        q.SetSQL(QStringLiteral("Select CoCgcCeiEstabelecimento from Bd8Emp \nwhere anbase = :AnoBase or anbase = :AnoSeguinte "));
        // The years are those of this version's declaration and the year after.
        q.ParamByName(QStringLiteral("AnoBase")).AsString = QStringLiteral("2009");
        q.ParamByName(QStringLiteral("AnoSeguinte")).AsString = QStringLiteral("2010");
        q.Open();
        any = q.RecordCount() > 0;
    }
    hasEstablishments_ = any;
    NoEstablishments = any ? 0 : 1;
    updateCommandStates();
}

void TfmLOBRIX::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    // Decimal comma and thousands point whatever the machine's locale.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    setWindowTitle(QStringLiteral("Lobrix") + QString::number(kAnoAtual) +
                   QStringLiteral(" - Gerador de Declaração Zuvo [Versão: ") + Versao + QStringLiteral("] "));
    if (dmLobrix && !dmLobrix->taMensagem.Active()) dmLobrix->taMensagem.Open();
    ControlaBotoes();
    applyImportCaptions();
}

void TfmLOBRIX::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && FirstActivation == QLatin1Char('S')) {
        // Set first: the tips window runs modally from here and hands the
        // activation back when it closes.
        FirstActivation = QLatin1Char('N');
        if (OnFirstActivation) OnFirstActivation();
        setFocus();
    }
}


void TfmLOBRIX::closeEvent(QCloseEvent* event) {
    if (dmLobrix) dmLobrix->taMensagem.Close();
    delete dmLobrix;
    delete dmEntradaDados;
    event->accept();
    // Closing the main window ends the run, even while the help window is
    // still open: a run left behind without its data modules would keep the
    // single-instance guard and turn every later start away.
    QCoreApplication::exit(0);
}

bool TfmLOBRIX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edTrans && event->type() == QEvent::FocusIn) {
        edTrans->hide();
        // Queued: the wizard that handed over must have closed first.
        QMetaObject::invokeMethod(this, [this] { RunCommand(LobrixCommand::Transmite); }, Qt::QueuedConnection);
    } else if (watched == URLLabel && event->type() == QEvent::MouseButtonRelease) {
        ShellOpen(WebAddress());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfmLOBRIX::ShellOpen(const QString& target) {
    const QUrl url = target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
}

void TfmLOBRIX::LOBRIXExcecaoGeral(const std::exception& error) { ReportFatalError(error); }
