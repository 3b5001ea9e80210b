#include "declfile/import/ufmImport00.h"

#include "declfile/MainWindowState.h"
#include "declfile/import/ufmImport01.h"
#include "declfile/import/ufmImport02.h"
#include "declfile/import/ufmImport03.h"
#include "declfile/ugTamanhoImportacao.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/os/Drives.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageService.h"
#include "shell/UdmLobrix.h"
#include "shell/ugExcecao.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

forms::WizardFrame firstFrame() {
    forms::WizardFrame f = ImportFrame(QStringLiteral("fmImport00"), QString());
    f.backName = QStringLiteral("BtVoltar");
    f.nextName = QStringLiteral("BtAvancar");
    f.cancelName = QStringLiteral("BtCancelar");
    f.cancelText = QStringLiteral("&Cancelar");
    return f;
}

QLabel* label(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

QString dataFolder() {
    return dmLobrix && dmLobrix->dbZuvo ? dmLobrix->dbZuvo->folder() : AppPaths::dataFolder();
}

}  // namespace

TfmImport00::TfmImport00(QWidget* parent)
    : forms::WizardPage(firstFrame(), parent), analyser_(std::make_unique<declfile::TAnaliseEstrutura>()) {
    PLocalizar = new QFrame(Panel());
    PLocalizar->setObjectName(QStringLiteral("PLocalizar"));
    auto* find = new QVBoxLayout(PLocalizar);
    find->setContentsMargins(0, 0, 0, 0);
    find->addWidget(label(PLocalizar, QStringLiteral("Este assistente vai auxiliá-lo na Importação da Declaração da Zuvo.")));
    PAnoBase = label(PLocalizar, QString());
    PAnoBase->setObjectName(QStringLiteral("PAnoBase"));
    QFont bold = PAnoBase->font();
    bold.setBold(true);
    PAnoBase->setFont(bold);
    find->addWidget(PAnoBase);
    find->addWidget(label(PLocalizar, QStringLiteral("Digite a localização do arquivo a ser importado ou clique no "
                                                     "botão <Localizar>.")));
    find->addStretch();
    find->addWidget(label(PLocalizar, QStringLiteral("Localização do arquivo a ser importado:")));
    auto* row = new QHBoxLayout;
    arquivo = new QLineEdit(PLocalizar);
    arquivo->setObjectName(QStringLiteral("arquivo"));
    BtLocalizar = new QPushButton(QStringLiteral("&Localizar"), PLocalizar);
    BtLocalizar->setObjectName(QStringLiteral("BtLocalizar"));
    BtLocalizar->setAutoDefault(false);
    row->addWidget(arquivo, 1);
    row->addWidget(BtLocalizar);
    find->addLayout(row);
    find->addWidget(label(PLocalizar, QStringLiteral("Para continuar a importação clique no botão <Avançar>.")));
    PanelLayout()->addWidget(PLocalizar, 1);

    PEstrutura = new QFrame(Panel());
    PEstrutura->setObjectName(QStringLiteral("PEstrutura"));
    auto* structure = new QVBoxLayout(PEstrutura);
    structure->addStretch();
    structure->addWidget(new QLabel(QStringLiteral("Verificando Estrutura ..."), PEstrutura), 0, Qt::AlignHCenter);
    ProgressBar = new QProgressBar(PEstrutura);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    structure->addWidget(ProgressBar);
    structure->addStretch();
    PanelLayout()->addWidget(PEstrutura, 1);
    PEstrutura->hide();

    OpenFile = new QFileDialog(this);
    OpenFile->setObjectName(QStringLiteral("OpenFile"));
    OpenFile->setAcceptMode(QFileDialog::AcceptOpen);
    OpenFile->setFileMode(QFileDialog::ExistingFile);
    OpenFile->setNameFilters({QStringLiteral("Arquivos ZUVO (Zuvo*)"), QStringLiteral("Texto (*.txt)"),
                              QStringLiteral("Todos (*.*)")});
    // "Zuvo*" finds "ZUVO2009.TXT" and "zuvo.dec" too.
    OpenFile->setFilter(OpenFile->filter() & ~QDir::CaseSensitive);

    BackButton()->setEnabled(false);
    connect(BtLocalizar, &QPushButton::clicked, this, [this] { BtLocalizarClick(); });
    connect(arquivo, &QLineEdit::textChanged, this, [this] { arquivoChange(); });
}

TfmImport00::~TfmImport00() { closeWorkTables(); }

bool TfmImport00::LayoutAnterior() const { return AnoImportacao.contains(QStringLiteral("Anterior")); }

int TfmImport00::AnoArquivo() const {
    return (LayoutAnterior() ? AnoImportacao.mid(15, 4) : AnoImportacao.mid(12, 4)).toInt();
}

void TfmImport00::PageShown() {
    analysisRunning_ = false;
    PLocalizar->show();
    PEstrutura->hide();
    arquivo->clear();
    PAnoBase->setText(QStringLiteral("Declaração Ano-Base ") + AnoImportacao);
    setWindowTitle(ImportWizardCaption(AnoImportacao));
    NextButton()->setEnabled(false);
    arquivo->setFocus();
}

void TfmImport00::arquivoChange() {
    if (!arquivo->text().isEmpty()) NextButton()->setEnabled(true);
}

void TfmImport00::BtLocalizarClick() {
    const bool disk = drives::TotalSize(QLatin1Char('A')).has_value();
    OpenFile->setDirectory(drives::RootFolder(disk ? QLatin1Char('A') : QLatin1Char('C')));
    const QString chosen = forms::RunFileDialog(*OpenFile);
    if (!chosen.isEmpty()) arquivo->setText(QDir::toNativeSeparators(chosen));
}

void TfmImport00::backToFilePanel(bool enableNext) {
    analysisRunning_ = false;
    PEstrutura->hide();
    PLocalizar->show();
    NextButton()->setEnabled(enableNext);
}

void TfmImport00::BtAvancarClick() {
    const QString name = arquivo->text();
    const QFileInfo info(name);
    if (!info.exists()) {
        msg::ShowWarning(QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."));
        NextButton()->setEnabled(false);
        arquivo->setFocus();
        return;
    }
    PLocalizar->hide();
    analysisRunning_ = true;
    PEstrutura->show();
    NextButton()->setEnabled(false);
    repaint();
    const bool layoutAnterior = LayoutAnterior();
    const int anoArquivo = AnoArquivo();
    analyser_->LayoutAnoAnterior = layoutAnterior;

    // A folder, a device or a pipe is no declaration: the analyser says what
    // it is (reading a pipe for its size would wait forever).
    if (info.isFile()) {
        const declfile::TrailerCount gate = declfile::TrailerContractCount(name);
        if (!gate.readable) {
            msg::ShowError(QStringLiteral("Erro: Não é possivel ler o arquivo. Feche todos os programas que possam "
                                          "estar utilizando-o e tente novamente"));
            backToFilePanel(true);
            return;
        }
        if (gate.contracts && *gate.contracts > declfile::kMaxContractsWhole) {
            msg::ShowError(QStringLiteral("Declaração com tamanho maior do que é permitido importar. Utilize a função "
                                          "\"Particionar Arquivo\" do menu Utilitários."));
            backToFilePanel(true);
            return;
        }
    }

    int result = declfile::kAnaliseSemErro;
    bool failed = false;
    RunBusy([this] { analyser_->Cancel(); }, [&] {
        int establishments = 0, contracts = 0;
        try {
            forms::ProgressBarHost host(ProgressBar);
            result = analyser_->AnalyseFile(name, quint16(declfile::ProgramAnoBase()), host, dataFolder(),
                                            false, establishments, contracts, true);
        } catch (const db::DbError& e) {
            failed = true;
            msg::ShowError(QStringLiteral("Não foi possível verificar a estrutura do arquivo.\n") + EngineErrorDetail(e));
        }
    });
    if (failed || result == declfile::kAnaliseFalhaCopia) {
        backToFilePanel(true);
        return;
    }
    if (result & declfile::kAnaliseInterrompida) {
        backToFilePanel(true);
        arquivo->clear();
        arquivo->setFocus();
        return;
    }
    // After the error page or the selection page the wizard ends.
    end_ = 1;
    SetEndFlag(&end_);
    if (result & declfile::kAnaliseComErro) {
        GoNext(std::make_unique<TfmImport01>(windowTitle(), AnoImportacao));
        return;
    }
    auto page = std::make_unique<TfmImport02>();
    page->setWindowTitle(windowTitle());
    page->AnoArquivo = anoArquivo;
    page->LayoutAnterior = layoutAnterior;
    GoNext(std::move(page));
}

void TfmImport00::closeWorkTables() {
    try {
        auto database = db::Database::forFolder(dataFolder());
        for (const char* table : {"te8Emp.db", "te8Vinc.db", "te8Resp.db", "te8Imp.db", "te8Stru.db"}) {
            const QString name = QString::fromLatin1(table);
            if (database->tableExists(name)) database->dropTable(name);
        }
    } catch (const db::DbError&) {
        // A table still held elsewhere goes at the next import, which replaces it.
    }
}

void ShowImportWizard(QWidget* parent, const QString& anoImportacao) {
    TfmImport00 page(parent);
    page.AnoImportacao = anoImportacao;
    forms::ShowModal(&page);
}
