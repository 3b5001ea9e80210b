#include "declfile/analis/ufmAnalis00.h"

#include "declfile/analis/AnalisWidgets.h"
#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis01.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugTamanhoImportacao.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/os/Drives.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageService.h"
#include "rules/ugCriticaDeclaracao.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

std::uint8_t ModoParticionamento = 0;
std::uint8_t AnaliseViaTransmissao = 0;
std::uint8_t AnaliseRodando = 0;
std::uint8_t ConsistenciaRodando = 0;
std::uint8_t GravacaoRodando = 0;

TfmAnalis00* fmAnalis00 = nullptr;

namespace {

forms::WizardFrame frame() {
    forms::WizardFrame f;
    f.objectName = QStringLiteral("fmAnalis00");
    f.caption = QStringLiteral("Assistente para Analisar um arquivo ZUVO");
    f.picture = WizardPicture();
    f.pictureName = QStringLiteral("imAnalis00");
    return f;
}

void dropIfPresent(db::Database& database, const QString& name) {
    try {
        if (database.tableExists(name)) database.dropTable(name);
    } catch (const db::DbError&) {
        // Left behind, it is replaced by the next analysis.
    }
}

}  // namespace

QString ModoResultadoDe(std::uint8_t r) {
    switch (r & 3) {
    case 3: return QStringLiteral("2");
    case 2: return QStringLiteral("1");
    case 1: return QStringLiteral("0");
    default: return QStringLiteral("3");
    }
}

void RemoveAnalysisTables(bool receiptTables) {
    // The report module's queries hold the tables they read.
    if (dmRaveRelatorios) {
        dmRaveRelatorios->quErros.Close();
        dmRaveRelatorios->quErroStru.Close();
        dmRaveRelatorios->quProtocolo.Close();
        dmRaveRelatorios->quContavinc.Close();
        dmRaveRelatorios->ta8importacao.Close();
        dmRaveRelatorios->quSequencias.Close();
        dmRaveRelatorios->quTodos.Close();
    }
    auto database = db::Database::forFolder(AppPaths::dataFolder());
    const QStringList names = receiptTables
                                  ? QStringList{QStringLiteral("te8ProID.db"), QStringLiteral("te8ProES.db")}
                                  // and the counters of an import run by "Corrigir no Lobrix"
                                  : QStringList{QStringLiteral("te8Emp.db"), QStringLiteral("te8Vinc.db"),
                                                QStringLiteral("te8Resp.db"), QStringLiteral("te8errwa.db"),
                                                QStringLiteral("te8Stru.db"), QStringLiteral("te8Imp.db")};
    for (const QString& name : names) dropIfPresent(*database, name);
}

TfmAnalis00::TfmAnalis00(QWidget* parent)
    : forms::WizardPage(frame(), parent), analyser_(std::make_unique<declfile::TAnaliseEstrutura>()) {
    fmAnalis00 = this;

    PLocalizar = analis::Panel(Panel(), "PLocalizar");
    auto* find = new QVBoxLayout(PLocalizar);
    find->setContentsMargins(0, 0, 0, 0);
    Memo2 = analis::Memo(PLocalizar, "Memo2");
    Label1 = new QLabel(QStringLiteral("Localização do arquivo a ser analisado:"), PLocalizar);
    Label1->setObjectName(QStringLiteral("Label1"));
    arquivo = new QLineEdit(PLocalizar);
    arquivo->setObjectName(QStringLiteral("arquivo"));
    Label1->setBuddy(arquivo);
    BtLocalizar = analis::Button(PLocalizar, "BtLocalizar", "&Localizar");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(arquivo, 1);
    fileRow->addWidget(BtLocalizar);
    find->addWidget(Memo2, 1);
    find->addWidget(Label1);
    find->addLayout(fileRow);

    PEstrutura = analis::Panel(Panel(), "PEstrutura");
    auto* work = new QVBoxLayout(PEstrutura);
    work->setContentsMargins(0, 0, 0, 0);
    lbNomeArquivo = new QLabel(PEstrutura);
    lbNomeArquivo->setObjectName(QStringLiteral("lbNomeArquivo"));
    lbNomeArquivo->setWordWrap(true);
    pbEstrutura = new QProgressBar(PEstrutura);
    pbEstrutura->setObjectName(QStringLiteral("pbEstrutura"));
    Label4 = new QLabel(QStringLiteral("Verificação das informações declaradas "), PEstrutura);
    Label4->setObjectName(QStringLiteral("Label4"));
    pbConsistencia = new QProgressBar(PEstrutura);
    pbConsistencia->setObjectName(QStringLiteral("pbConsistencia"));
    work->addStretch();
    work->addWidget(lbNomeArquivo);
    work->addSpacing(12);
    work->addWidget(new QLabel(QStringLiteral("Estrutura física do arquivo:"), PEstrutura));
    work->addWidget(pbEstrutura);
    work->addWidget(Label4);
    work->addWidget(pbConsistencia);
    work->addStretch();

    paErroEstrut = analis::Panel(Panel(), "paErroEstrut");
    auto* error = new QVBoxLayout(paErroEstrut);
    error->setContentsMargins(0, 0, 0, 0);
    QPlainTextEdit* errorText = analis::Memo(paErroEstrut, "meErroEstrut");
    errorText->setPlainText(QStringLiteral("A análise não poderá ser realizada. O arquivo não atende as especificações \n"
                                           "definidas para o ano-base."));
    bbErroVisual = analis::Button(paErroEstrut, "bbErroVisual", "Relatório de &Erros");
    error->addWidget(errorText, 1);
    error->addWidget(bbErroVisual, 0, Qt::AlignLeft);

    for (QFrame* p : {PLocalizar, PEstrutura, paErroEstrut}) PanelLayout()->addWidget(p, 1);
    BackButton()->setEnabled(false);

    connect(BtLocalizar, &QPushButton::clicked, this, [this] { BtLocalizarClick(); });
    connect(arquivo, &QLineEdit::textChanged, this, [this] { NextButton()->setEnabled(true); });  // arquivoChange
    connect(bbErroVisual, &QPushButton::clicked, this, [this] { bbErroVisualClick(); });
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

TfmAnalis00::~TfmAnalis00() {
    if (fmAnalis00 == this) fmAnalis00 = nullptr;
}

void TfmAnalis00::PageShown() {
    const QString y = analis::Year();
    if (ModoParticionamento == 1) {
        Label4->hide();
        pbConsistencia->hide();
        setWindowTitle(QStringLiteral("Assistente para Particionar Arquivo"));
        Label1->setText(QStringLiteral("Localização do arquivo a ser particionado:"));
        Memo2->setPlainText(
            QStringLiteral("Este assistente irá auxiliá-lo a particionar arquivos ZUVO ") + y +
            QStringLiteral(" que possuam mais de 50.000 registros. O usuário deverá submeter ") +
            QStringLiteral("cada arquivo gerado para analise e não encontrando erro, transmitir cada arquivo utilizando "
                           "a função Transmitir Declaração.") +
            QStringLiteral("\n\n") + QStringLiteral("Esta opção deve ser utilizada pelas empresas que geram o arquivo ZUVO ") +
            y + QStringLiteral(" através de um programa próprio, que não o LOBRIX") + y + QStringLiteral(", conforme ") +
            QStringLiteral("especificação técnica."));
    } else {
        Memo2->setPlainText(
            QStringLiteral("Este assistente vai auxiliá-lo a analisar um arquivo ZUVO") + y + QStringLiteral(".") +
            QStringLiteral("\n") +
            QStringLiteral("O processo de análise de arquivo significa verificar se os registros atendem as ") +
            QStringLiteral("especificações constantes na Cartela da ZUVO") + y + QStringLiteral(", bem como verificar se as ") +
            QStringLiteral("informações declaradas estão corretas.") + QStringLiteral("\n\n") +
            QStringLiteral("Esta opção deve ser utilizada pelas empresas que geram o arquivo ZUVO") + y +
            QStringLiteral(" através de um programa próprio, que não o LOBRIX") + y + QStringLiteral(", conforme ") +
            QStringLiteral("especificação técnica, e deseja verificar se o arquivo foi gerado corretamente."));
    }
    if (AnaliseViaTransmissao == 1) {
        // The file is the one given.
        for (QWidget* w : {static_cast<QWidget*>(arquivo), static_cast<QWidget*>(BackButton()),
                           static_cast<QWidget*>(Label1), static_cast<QWidget*>(BtLocalizar)})
            w->hide();
    } else {
        const QSignalBlocker quiet(arquivo);
        arquivo->clear();
        lbNomeArquivo->clear();
        NextButton()->setEnabled(false);
    }
    PLocalizar->show();
    PEstrutura->hide();
    paErroEstrut->hide();
    pbEstrutura->setValue(0);
    pbConsistencia->setValue(0);
    CancelButton()->setText(QStringLiteral("&Cancelar"));
}

void TfmAnalis00::BtLocalizarClick() {
    if (!OpenFile) {
        OpenFile = new QFileDialog(this, QStringLiteral("Abrir arquivo"));
        OpenFile->setObjectName(QStringLiteral("OpenFile"));
        OpenFile->setFileMode(QFileDialog::ExistingFile);
        OpenFile->setNameFilters({QStringLiteral("Arquivos Zuvo (Zuvo*)"), QStringLiteral("Arquivos Texto (*.txt)"),
                                  QStringLiteral("Todos os Arquivos (*)")});
    }
    const auto size = drives::TotalSize(QLatin1Char('A'));
    OpenFile->setDirectory(drives::RootFolder(size ? QLatin1Char('A') : QLatin1Char('C')));
    const QString chosen = forms::RunFileDialog(*OpenFile);
    if (chosen.isEmpty()) return;
    arquivo->setText(QDir::toNativeSeparators(chosen));
}

QString SizeGateRefusal(std::optional<qint64> contracts, bool splitMode) {
    if (!contracts) return QString();
    if (splitMode && *contracts < declfile::kMaxContractsWhole)
        return QStringLiteral("Esta declaração não necessita ser particionada. Utilize a função Analisador para validar e "
                              "transmitir a declaração.");
    if (!splitMode && *contracts > declfile::kMaxContractsWhole)
        return QStringLiteral("Esta declaração possui mais de 50.000 registros. Utilize a função \"Particionar "
                              "Arquivo\" do menu Utilitários.");
    return QString();
}

bool TfmAnalis00::passesSizeGate(const QString& fileName, bool splitMode) {
    const declfile::TrailerCount count = declfile::TrailerContractCount(fileName);
    if (!count.readable) {
        msg::ShowError(QStringLiteral("Erro: Não é possivel ler o arquivo. Feche todos os programas que possam estar "
                                      "utilizando-o e tente novamente"));
        return false;
    }
    const QString refusal = SizeGateRefusal(count.contracts, splitMode);
    if (refusal.isEmpty()) return true;
    msg::ShowInformation(refusal);
    return false;
}

void TfmAnalis00::showFileChoice() {
    PEstrutura->hide();
    paErroEstrut->hide();
    PLocalizar->show();
    lbNomeArquivo->clear();
    {
        const QSignalBlocker quiet(arquivo);
        arquivo->clear();
    }
    NextButton()->setEnabled(false);
    pbEstrutura->setValue(0);
    pbConsistencia->setValue(0);
    CancelButton()->setText(QStringLiteral("&Cancelar"));
}

void TfmAnalis00::bbAvancarClick() {
    const QString fileName = QDir::fromNativeSeparators(arquivo->text().trimmed());
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        msg::ShowWarning(QStringLiteral("O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo."));
        arquivo->setFocus();
        return;
    }
    // The run's mode is fixed here: nothing that happens while it works
    // changes what it writes.
    const bool splitRun = ModoParticionamento == 1;
    if (!passesSizeGate(fileName, splitRun)) return;

    PEstrutura->show();
    PLocalizar->hide();
    NextButton()->setEnabled(false);
    lbNomeArquivo->setText(QStringLiteral("Analisando o arquivo:") + fileName);
    const QString dataFolder = AppPaths::dataFolder();
    int establishments = 0, contracts = 0;
    int result = declfile::kAnaliseInterrompida;
    closeWhenInterrupted_ = false;
    AnaliseRodando = 1;
    try {
        RunBusy(
            [this] {
                analyser_->Cancel();
                closeWhenInterrupted_ = true;
            },
            [&] {
                forms::ProgressBarHost host(pbEstrutura);
                result = analyser_->AnalyseFile(fileName, quint16(declfile::ProgramAnoBase()), host, dataFolder,
                                                false, establishments, contracts, false);
            });
    } catch (...) {
        AnaliseRodando = 0;
        throw;
    }
    AnaliseRodando = 0;

    if (result == declfile::kAnaliseInterrompida || result == declfile::kAnaliseFalhaCopia) {
        // A copy that failed has said why; nothing was analysed.
        showFileChoice();
        if (result == declfile::kAnaliseInterrompida && closeWhenInterrupted_) Finish(forms::mrCancel);
        closeWhenInterrupted_ = false;
        return;
    }
    closeWhenInterrupted_ = false;
    if (result == declfile::kAnaliseComErro) {
        paErroEstrut->show();
        PEstrutura->hide();
        PLocalizar->hide();
        CancelButton()->setText(QStringLiteral("&Fechar"));
        BackButton()->setEnabled(true);
        return;
    }
    ArquivoRetificacao = result == declfile::kAnaliseRetificacao;
    CancelButton()->setEnabled(true);

    TfmAnalis01* next = fmAnalis01;
    if (!next) return;
    next->ArquivoRetificacao = ArquivoRetificacao;
    next->SplitRun = splitRun;
    next->AnalysedFile = fileName;
    if (splitRun) {
        next->setWindowTitle(QStringLiteral("Assistente para Particionar um Arquivo ZUVO") + analis::Year());
        next->ModoResultado = QStringLiteral("3");
    } else {
        lbNomeArquivo->setText(QStringLiteral("Consistindo o arquivo:") + fileName);
        std::uint8_t check = 4;
        ConsistenciaRodando = 1;
        try {
            // Every row of the working tables is checked, whatever its year.
            RunBusy([] { RequestValidationStop(); }, [&] {
                forms::ProgressBarHost bar(pbConsistencia);
                WidgetValidationHost host(bar);
                check = ValidateDeclaration(host, dataFolder, 1, nullptr, QString(), 1, 0, 1);
            });
        } catch (...) {
            ConsistenciaRodando = 0;
            throw;
        }
        ConsistenciaRodando = 0;
        if (check == 4) {
            msg::ShowInformation(QStringLiteral("Consistência interrompida pelo usuário"));
            showFileChoice();
            if (AnaliseViaTransmissao == 1) {
                Finish(forms::mrCancel);
                return;
            }
            arquivo->setFocus();
            return;
        }
        next->ModoResultado = ModoResultadoDe(check);
    }
    // Page 1 closes behind page 2, whichever way page 2 ends.
    QPointer<TfmAnalis00> self(this);
    hide();
    forms::ShowModal(next);
    if (self) Finish(forms::mrCancel);
}

void TfmAnalis00::bbVoltarClick() {
    paErroEstrut->hide();
    PEstrutura->hide();
    PLocalizar->show();
    CancelButton()->setText(QStringLiteral("&Cancelar"));
    BackButton()->setEnabled(false);
    {
        const QSignalBlocker quiet(arquivo);
        arquivo->clear();
    }
    NextButton()->setEnabled(false);
    pbEstrutura->setValue(0);
    pbConsistencia->setValue(0);
}

void TfmAnalis00::BtCancelarClick() { Finish(forms::mrCancel); }

void TfmAnalis00::bbErroVisualClick() {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    if (!report::IsPrinterInstalled()) {
        msg::ShowWarning(QStringLiteral("Não há impressoras instaladas."));
        dm->RvSystem1.allowPrintFromPreview = false;
    }
    bbErroVisual->setEnabled(false);
    dm->RvSystem1.setDestination(report::Destination::Preview);
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), analis::Year());
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), analis::Versao());
    dm->rvprjErro.SelectReport(QStringLiteral("rptErrosEstrutura"));
    dm->rvprjErro.Execute();
    dm->rvprjErro.Close();
    bbErroVisual->setEnabled(true);
}

void TfmAnalis00::FormClose() {
    ModoParticionamento = 0;
    RemoveAnalysisTables(false);
}

// ---- starters ------------------------------------------------------------------

void ShowAnalisador(QWidget* parent, const QString& fileName) {
    struct Reset {
        ~Reset() {
            // Whichever way the wizard ended.
            ModoParticionamento = 0;
            AnaliseRodando = ConsistenciaRodando = GravacaoRodando = 0;
        }
    } reset;
    auto first = std::make_unique<TfmAnalis00>(parent);
    auto second = std::make_unique<TfmAnalis01>(parent);
    if (!fileName.isEmpty()) first->arquivo->setText(fileName);
    forms::ShowModal(first.get());
    second.reset();
    first.reset();
    RemoveAnalysisTables(false);
    RemoveAnalysisTables(true);
}

void ShowParticionar(QWidget* parent) {
    ModoParticionamento = 1;
    ShowAnalisador(parent);
}
