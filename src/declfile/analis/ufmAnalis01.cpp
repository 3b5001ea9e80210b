#include "declfile/analis/ufmAnalis01.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/analis/AnalisWidgets.h"
#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/analis/ufmAnalis02.h"
#include "declfile/analis/ufmAnalisRegras.h"
#include "declfile/ugDriveDisquete.h"

#include "platform/AppPaths.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MessageService.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

TfmAnalis01* fmAnalis01 = nullptr;

bool KeptPartName(const QString& fileName, int anoBase, QString& baseName, int& part) {
    static const QRegularExpression partName(QStringLiteral("^zuvo(\\d{4})_(.{16})(\\d{2,})[gr]\\.dec$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = partName.match(QFileInfo(fileName).fileName());
    if (!m.hasMatch() || m.captured(1).toInt() != anoBase) return false;
    bool isNumber = false;
    const int number = m.captured(3).toInt(&isNumber);
    if (!isNumber || number < 1) return false;
    baseName = QStringLiteral("Zuvo") + QString::number(anoBase) + QLatin1Char('_') + m.captured(2);
    part = number;
    return true;
}

namespace {

// The drive combo and the CREA edit of a panel.
QFrame* drivePanel(QWidget* owner, const char* name, QComboBox*& drive, const char* driveName, QLineEdit*& crea,
                   const char* creaName, QLabel*& creaLabel) {
    QFrame* p = analis::Panel(owner, name);
    auto* grid = new QGridLayout(p);
    grid->setContentsMargins(0, 0, 0, 0);
    drive = new QComboBox(p);
    drive->setObjectName(QString::fromLatin1(driveName));
    crea = new QLineEdit(p);
    crea->setObjectName(QString::fromLatin1(creaName));
    crea->setMaxLength(12);
    creaLabel = new QLabel(QStringLiteral("Retifica o CREA"), p);
    creaLabel->setBuddy(crea);
    auto* driveLabel = new QLabel(QStringLiteral("Selecione o drive"), p);
    driveLabel->setBuddy(drive);
    grid->addWidget(driveLabel, 0, 0);
    grid->addWidget(creaLabel, 0, 1);
    grid->addWidget(drive, 1, 0);
    grid->addWidget(crea, 1, 1);
    grid->setColumnStretch(2, 1);
    return p;
}

forms::WizardFrame frame() {
    forms::WizardFrame f;
    f.objectName = QStringLiteral("fmAnalis01");
    f.caption = QStringLiteral("Assistente para Analisar um arquivo ZUVO");
    f.picture = fmAnalis00 ? fmAnalis00->Picture()->pixmap().toImage() : WizardPicture();
    f.pictureName = QStringLiteral("imAnalis01");
    f.backName.clear();
    f.nextName = QStringLiteral("BtConcluir");
    f.nextText = QStringLiteral("&Gravar");
    f.cancelName = QStringLiteral("BtCancelar");
    return f;
}

}  // namespace

TfmAnalis01::TfmAnalis01(QWidget* parent) : forms::WizardPage(frame(), parent) {
    fmAnalis01 = this;
    GravacaoRodando = 0;

    POk = analis::Panel(Panel(), "POk");
    auto* ok = new QVBoxLayout(POk);
    ok->setContentsMargins(0, 0, 0, 0);
    Memo3 = analis::Memo(POk, "Memo3",
                 {QStringLiteral("Os estabelecimentos presentes no arquivo estão corretos."), QString(),
                  QStringLiteral("Para gravar o arquivo pronto para a transmissão, selecione o drive e clique no "
                                 "botão <Gravar>.")});
    Memo4 = analis::Memo(POk, "Memo4",
                 {QStringLiteral("A estrutura do arquivo está correta."), QString(),
                  QStringLiteral("Para particionar o arquivo, clique no botão <Gravar>. As partes serão gravadas na "
                                 "pasta Transmite do LOBRIX") + analis::Year() + QStringLiteral(".")});
    Memo4->hide();
    Panel1 = drivePanel(POk, "Panel1", cbDrive, "cbDrive", edCrea, "edCrea", lbCrea);
    ok->addWidget(Memo3, 1);
    ok->addWidget(Memo4, 1);
    ok->addWidget(Panel1);

    PDist = analis::Panel(Panel(), "PDist");
    auto* warnings = new QVBoxLayout(PDist);
    warnings->setContentsMargins(0, 0, 0, 0);
    meAvisos = analis::Memo(PDist, "meAvisos",
                    {QStringLiteral("As informações dos estabelecimentos do arquivo não apresentaram erros."),
                     QStringLiteral("Foram gerados AVISOS."),
                     QStringLiteral("Os avisos não impedem a gravação do arquivo, são alertas para que o empregador "
                                    "fique atento às informações que não estão nos padrões previstos."),
                     QString(),
                     QStringLiteral("   - Para visualizar e imprimir os avisos encontrados, clique no botão "
                                    "<Relatório Avisos>."),
                     QStringLiteral("   - Para gravar o arquivo, selecione o drive e clique no botão <Gravar>.")});
    PDrive = drivePanel(PDist, "PDrive", cbDriveAvisos, "cbDriveAvisos", edCreaAvisos, "edCreaAvisos", lbCreaAvisos);
    BtVisualizar = analis::Button(PDist, "BtVisualizar", "Relatório &Avisos");
    auto* warningRow = new QHBoxLayout;
    warningRow->addWidget(PDrive, 1);
    warningRow->addWidget(BtVisualizar, 0, Qt::AlignBottom);
    warnings->addWidget(meAvisos, 1);
    warnings->addLayout(warningRow);

    PInco = analis::Panel(Panel(), "PInco");
    auto* errors = new QVBoxLayout(PInco);
    errors->setContentsMargins(0, 0, 0, 0);
    Memo1 = analis::Memo(PInco, "Memo1",
                 {QStringLiteral("As informações dos estabelecimentos do arquivo apresentaram ERROS."), QString(),
                  QStringLiteral("Os erros impedem a gravação do arquivo."), QString(),
                  QStringLiteral("  - Para visualizar e imprimir os erros encontrados, clique no botão "
                                 "<Relatório Erros>."),
                  QString(),
                  QStringLiteral("Corrija as informações no programa que gerou o arquivo e submeta-o novamente "
                                 "ao Analisador.")});
    paMsgAviso = new QLabel(
        QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."), PInco);
    paMsgAviso->setObjectName(QStringLiteral("paMsgAviso"));
    paMsgAviso->setWordWrap(true);
    bbVisualErros = analis::Button(PInco, "bbVisualErros", "Relatório &Avisos");
    bbImpErros = analis::Button(PInco, "bbImpErros", "Relatório &Erros");
    BtImporta = analis::Button(PInco, "BtImporta", "C&orrigir no Lobrix");
    auto* errorRow = new QHBoxLayout;
    for (QPushButton* b : {bbImpErros, bbVisualErros, BtImporta}) errorRow->addWidget(b);
    errorRow->addStretch();
    errors->addWidget(Memo1, 1);
    errors->addWidget(paMsgAviso);
    errors->addLayout(errorRow);
    // The note on correcting in the system is part of the text from the start,
    // so showing the page again never repeats it.
    Memo1->appendPlainText(QStringLiteral("Observação: Caso você deseje corrigir as informações e gerar novo arquivo "
                                          "através do LOBRIX") +
                           analis::Year() + QStringLiteral(", você deve clicar no botão <Corrigir no Lobrix>."));

    pbConsistencia = new QProgressBar(Panel());
    pbConsistencia->setObjectName(QStringLiteral("pbConsistencia"));
    pbConsistencia->hide();
    for (QFrame* p : {POk, PDist, PInco}) PanelLayout()->addWidget(p, 1);
    PanelLayout()->addWidget(pbConsistencia);

    declfile::FillDriveCombo(Drives, cbDrive);
    declfile::FillDriveCombo(Drives, cbDriveAvisos);
    for (QComboBox* c : {cbDrive, cbDriveAvisos}) c->setCurrentIndex(-1);

    connect(bbImpErros, &QPushButton::clicked, this, [this] { showFindings(bbImpErros, QStringLiteral("err")); });
    connect(bbVisualErros, &QPushButton::clicked, this, [this] { showFindings(bbVisualErros, QStringLiteral("war")); });
    connect(BtVisualizar, &QPushButton::clicked, this, [this] { showFindings(BtVisualizar, QStringLiteral("war")); });
    connect(BtImporta, &QPushButton::clicked, this, [this] { BtImportaClick(); });
    connect(this, &QDialog::finished, this, [] { ModoParticionamento = 0; });
}

void TfmAnalis01::setCreaEdit(QLineEdit* crea, QLabel* label) {
    crea->clear();
    ui::SetLocked(crea, !ArquivoRetificacao);
    crea->setFocusPolicy(ArquivoRetificacao ? Qt::StrongFocus : Qt::NoFocus);
    crea->setVisible(ArquivoRetificacao);
    label->setVisible(ArquivoRetificacao);
}

void TfmAnalis01::PageShown() {
    for (QFrame* p : {POk, PDist, PInco}) {
        p->hide();
        p->setEnabled(false);
    }
    NextButton()->setEnabled(true);
    if (SplitRun) {
        Memo3->hide();
        Memo4->show();
        Panel1->hide();
    } else {
        Memo3->show();
        Memo4->hide();
        Panel1->show();
    }
    QFrame* shown = POk;
    if (ModoResultado == QLatin1String("2") || ModoResultado == QLatin1String("1")) {
        const bool warningsToo = ModoResultado == QLatin1String("2");
        shown = PInco;
        bbVisualErros->setEnabled(warningsToo);
        paMsgAviso->setVisible(warningsToo);
        NextButton()->setEnabled(false);
    } else if (ModoResultado == QLatin1String("0")) {
        shown = PDist;
        setCreaEdit(edCreaAvisos, lbCreaAvisos);
    } else {
        setCreaEdit(edCrea, lbCrea);
    }
    shown->setEnabled(true);
    shown->show();
    if (shown == PInco) bbImpErros->setFocus();
    else NextButton()->setFocus();
}

void TfmAnalis01::showFindings(QPushButton* pressed, const QString& errwar) {
    if (!report::IsPrinterInstalled()) {
        msg::ShowWarning(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        if (dmRaveRelatorios) dmRaveRelatorios->RvSystem1.allowPrintFromPreview = false;
    }
    pressed->setEnabled(false);
    ShowFindingsReport(errwar, declfile::ProgramAnoBase(), analis::Versao());
    pressed->setEnabled(true);
}

void TfmAnalis01::BtConcluirClick() {
    if (SplitRun) {
        drive_ = QLatin1Char('C');
        declfile::SetCreaDeclaracao(QString());
    } else {
        const bool ok = POk->isEnabled();
        QComboBox* combo = ok ? cbDrive : cbDriveAvisos;
        QLineEdit* crea = ok ? edCrea : edCreaAvisos;
        if (combo->currentIndex() < 0 || combo->currentIndex() >= Drives.size()) {
            ShowMessageByCode(QStringLiteral("0600"));
            combo->setFocus();
            return;
        }
        drive_ = Drives.at(combo->currentIndex()).at(0);
        const QString receipt = crea->text().trimmed();
        declfile::SetCreaDeclaracao(receipt);
        if (ArquivoRetificacao) {
            QString code = CheckReceiptNumber(receipt);
            if (code == QLatin1String("0000")) code = CheckReceiptNumberForAmendment(receipt, QStringLiteral("1"));
            if (code != QLatin1String("0000")) {
                ShowMessageByCode(code);
                crea->setFocus();
                return;
            }
        }
    }

    pbConsistencia->setValue(0);
    pbConsistencia->show();
    NextButton()->setEnabled(false);
    declfile::WriterState state = declfile::WriterStateFromProgram();
    state.ModoParticionamento = SplitRun ? 1 : 0;
    declfile::WriteRequest request;
    request.drive = drive_;
    request.dataFolder = AppPaths::dataFolder();
    request.amendment = ArquivoRetificacao;
    request.fromWorkingTables = true;
    // A part of a declaration written again keeps its name, so it can never
    // replace another part of the same declaration.
    if (!SplitRun) KeptPartName(AnalysedFile, state.AnoBase, request.keptBaseName, request.keptPart);
    int result = declfile::kWriteError;
    GravacaoRodando = 1;
    try {
        RunBusy([] { declfile::CancelWriting(); }, [&] {
            declfile::ProgressBarHost host(pbConsistencia);
            result = declfile::WriteDeclarationFile(request, state, host);
        });
    } catch (...) {
        GravacaoRodando = 0;
        throw;
    }
    GravacaoRodando = 0;
    declfile::StoreWriterState(state);
    NextButton()->setEnabled(true);

    const QString zuvo = QStringLiteral("\"ZUVO") + analis::Year() + QLatin1Char('"');
    if (result == declfile::kWriteCancelled) {
        msg::ShowInformation(QStringLiteral("A gravação do arquivo ") + zuvo + QStringLiteral(" interrompida pelo usuário!"));
        Finish(forms::mrCancel);
        return;
    }
    if (result != declfile::kWritten) {
        // The writer has said what went wrong; swapping the disk helps only on a diskette.
        msg::ShowInformation(QStringLiteral("Ocorreu um erro durante a gravação do arquivo ") + zuvo +
                             (declfile::IsDisketteDrive(drive_)
                                  ? QStringLiteral(".\rSubstitua o disquete e tente novamente.")
                                  : QStringLiteral(".")));
        pbConsistencia->hide();
        return;
    }
    auto last = std::make_unique<TfmAnalis02>(SplitRun);
    last->setWindowTitle(QStringLiteral("Assistente para Analisar um arquivo ZUVO") + analis::Year());
    QPointer<TfmAnalis01> self(this);
    hide();
    forms::ShowModal(last.get());
    last.reset();
    if (self) Finish(forms::mrCancel);
}

void TfmAnalis01::BtCancelarClick() { Finish(forms::mrCancel); }

void TfmAnalis01::BtImportaClick() { GoNext(std::make_unique<TfmAnalisRegras>()); }
