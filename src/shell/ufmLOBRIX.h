#pragma once
#include <QHash>
#include <QMainWindow>
#include <QString>
#include <exception>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

// The commands of the main window. The forms most of them open live in
// subsystems built on top of this one, which hand their handler over with
// TfmLOBRIX::SetCommandHandler when the program starts; a command without a
// handler stays disabled.
enum class LobrixCommand {
    Nova,                 // "&Nova..." / sbNova
    Abrir,                // "&Abrir..." / sbAbrir
    Excluir,              // "&Excluir..." / sbExcluir
    VerInco,              // "&Verificar Inconsistências das Declarações ..." / sbVerInco
    Resp,                 // "&Dados Responsável ..." / sbResp
    Gravar,               // "&Gravar Declaração..." / sbGravar
    ConsDisq,             // "&Consulta Arquivo do Ano" / sbConsDisq
    Retif,                // "Gravar &Retificação da Declaração..." / sbRetif
    Transmite,            // "&Transmitir Declaração" / sbTransmite (also edTrans)
    ImprimirDeclaracao,   // "&Imprimir..." > "Declaração"
    ImprimirProtocolo,    // "&Imprimir..." > "Protocolo de Transmissão"
    Relatorio,            // sbRelatorio (the print wizard from its first page)
    ImpAnoAnterior,       // "Im&portar..." > "Ano Anterior  2008" / sbImpAnoAnterior
    ImpAnoAtual,          // "Im&portar..." > "Ano Atual       2009" / sbImpAnoAtual
    Sair,                 // "&Sair"
    Analisador,           // "&Analisador" / sbAnalisador
    BackupGravar,         // "Cópia de &Segurança" > "&Gravar"
    BackupRestaurar,      // "Cópia de &Segurança" > "&Restaurar"
    IndexarArquivos,      // "&Indexar Arquivos"
    Particionar,          // "&Particionar Arquivo"
    Pesquisa,             // "&Pesquisa" / sbPesquisa (hidden)
    Ajuda,                // "&Ajuda do LOBRIX" / spHelp
    InformacoesUteis,     // "&Informações Úteis"
    ComoFazer,            // "&Como Fazer Para ..."
    VisualizarCartela,    // "&Layout Arquivo ZUVO" > "&Visualizar Cartela"
    EmitirCartela,        // "&Layout Arquivo ZUVO" > "&Emitir Cartela"
    Sobre,                // "&Sobre o LOBRIX"
};

class TfmLOBRIX : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmLOBRIX(QWidget* parent = nullptr);  // FormCreate
    ~TfmLOBRIX() override;

    // Application-wide state read and set by the other subsystems.
    QChar FirstActivation = QLatin1Char('S');
    // The base year is fixed in the program; the start-up's restore needs it
    // before the window exists.
    static constexpr int kAnoBase = 2009;
    int AnoBase = kAnoBase;
    QString CreaDeclaracao;
    QString Versao;
    QString ArquivoGerado;
    QString NomeArquivoGerado;
    quint8 GerouVariosArquivos = 0;
    QString Ambiente;
    QString TransmitterPath;
    QString CertifiedTransmitterPath;
    QString OsCode;
    QString ProximoAssistente;
    quint8 ConsultaComErros = 0;
    quint8 NoEstablishments = 0;
    QString CreaRelatorio;
    quint8 AssistenteImpressaoAberto = 0;
    quint16 QtArquivosGerados = 0;
    QString HelpFile;  // the application's help file

    // Components other subsystems reach.
    QFrame* Panel1 = nullptr;
    QLineEdit* edTrans = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* URLLabel = nullptr;

    // Enables or disables the declaration commands by whether BD8Emp holds
    // establishments of 2009 or 2010.
    void ControlaBotoes();

    // Hands a command its work; an empty handler disables the command again.
    void SetCommandHandler(LobrixCommand command, std::function<void()> handler);
    bool HasCommandHandler(LobrixCommand command) const;
    // Runs a command as its menu item does (with the refresh afterwards).
    void RunCommand(LobrixCommand command);
    QAction* CommandAction(LobrixCommand command) const;
    QToolButton* CommandButton(LobrixCommand command) const;  // null without a button

    // Runs once, on the first activation (the start-up tips window).
    std::function<void()> OnFirstActivation;

    // Opens a document or web address with the desktop's default handler.
    static bool ShellOpen(const QString& target);

    // The application-wide exception handler installed at creation.
    static void LOBRIXExcecaoGeral(const std::exception& error);

    // The texts of the import commands, given to the import wizard.
    static QString ImportAnteriorText();  // "Anterior - Ano 2008"
    static QString ImportAtualText();     // "Atual - Ano 2009"

    static QString WebAddress();

protected:
    void showEvent(QShowEvent* event) override;       // FormShow
    void changeEvent(QEvent* event) override;         // FormActivate
    void closeEvent(QCloseEvent* event) override;     // FormClose
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildBody();
    void applyImportCaptions();
    void updateCommandStates();
    void runBuiltIn(LobrixCommand command);

    struct CommandEntry {
        QAction* action = nullptr;
        QToolButton* button = nullptr;
        std::function<void()> handler;
        bool refresh = false;       // ControlaBotoes after the command
        bool declaration = false;   // needs an establishment
        bool builtIn = false;       // works without a handler
    };
    CommandEntry& entry(LobrixCommand command);
    const CommandEntry* findEntry(LobrixCommand command) const;
    QHash<int, CommandEntry> commands_;
    QAction* miImprimirDeclaracao_ = nullptr;
    bool hasEstablishments_ = false;
};

extern TfmLOBRIX* fmLOBRIX;
