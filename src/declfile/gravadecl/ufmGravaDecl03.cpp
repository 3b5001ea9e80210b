#include "declfile/gravadecl/ufmGravaDecl03.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl04.h"
#include "declfile/ugDriveDisquete.h"

#include "platform/AppPaths.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/SilentAbort.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace {

const QString kDateMask = QStringLiteral("99\\/99\\/9999;0;_");

QPlainTextEdit* memo(QWidget* parent, const char* name, const QStringList& lines) {
    return forms::PageMemo(parent, QString::fromLatin1(name), lines);
}

QFrame* panel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    return p;
}

int anoBase() { return declfile::ProgramAnoBase(); }

QString versao() { return fmLOBRIX ? fmLOBRIX->Versao : declfile::WriterStateFromProgram().Versao; }

}  // namespace

QString GenerationTime(const QString& t) {
    if (t.size() == 7) return QStringLiteral("0") + t.mid(0, 1) + t.mid(2, 2) + t.mid(5, 2);
    return t.mid(0, 2) + t.mid(3, 2) + t.mid(6, 2);
}

TfmGravaDecl03::TfmGravaDecl03(QWidget* parent)
    : forms::WizardPage(GravaDeclFrame(QStringLiteral("fmGravaDecl03")), parent), kit_(new ui::EntryFormController(this)) {
    // Errors.
    paErros = panel(Panel(), "paErros");
    auto* errors = new QVBoxLayout(paErros);
    errors->setContentsMargins(0, 0, 0, 0);
    meErros = memo(paErros, "meErros",
                   {QStringLiteral("As informações do(s) estabelecimento(s) selecionado(s) apresentaram ERROS."), QString(),
                    QStringLiteral("Os erros impedem a geração do arquivo."), QString(),
                    QStringLiteral("  - Para visualizar e imprimir os erros encontrados, clique no botão <Relatório Erros>. "),
                    QString(), QString(), QString(), QString(),
                    QStringLiteral("Corrija as informações através da opção Declaração - Abrir...")});
    paMsgAviso = new QLabel(
        QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."), paErros);
    paMsgAviso->setObjectName(QStringLiteral("paMsgAviso"));
    paMsgAviso->setWordWrap(true);
    bbRelatErros = GravaDeclButton(paErros, "bbRelatErros", "Relatório &Erros");
    bbVisualErros = GravaDeclButton(paErros, "bbVisualErros", "Retatório &Avisos");
    auto* errorButtons = new QHBoxLayout;
    errorButtons->addWidget(bbRelatErros);
    errorButtons->addWidget(bbVisualErros);
    errorButtons->addStretch();
    errors->addWidget(meErros, 1);
    errors->addWidget(paMsgAviso);
    errors->addLayout(errorButtons);

    // Warnings only.
    paAvisos = panel(Panel(), "paAvisos");
    auto* warnings = new QVBoxLayout(paAvisos);
    warnings->setContentsMargins(0, 0, 0, 0);
    meAvisos = memo(paAvisos, "meAvisos",
                    {QStringLiteral("As informações do(s) estabelecimento(s)  não apresentaram erros."),
                     QStringLiteral("Foram gerados AVISOS."),
                     QStringLiteral("Os avisos não impedem a gravação da declaração, são alertas para que o empregador "),
                     QStringLiteral("fique atento as informações que não estão nos padrões previstos, como valores muito "),
                     QStringLiteral("altos. As ocorrências que geram avisos estão descritas na Ajuda do Sistema."),
                     QStringLiteral("   "),
                     QStringLiteral("   - Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."),
                     QString(),
                     QStringLiteral("   - Para continuar a gravação do arquivo, informe a data que você está gravando-o, "),
                     QStringLiteral("     selecione o drive e clique no botão <Avançar>."), QString()});
    bbVisualAvisos = GravaDeclButton(paAvisos, "bbVisualAvisos", "Relatório &Avisos");
    paDriveAvisos = buildDrivePanel(paAvisos, "paDriveAvisos", mdDataAvisos, cbDriveAvisos, edCreaAvisos, laCreaAvisos);
    auto* warningRow = new QHBoxLayout;
    warningRow->addWidget(paDriveAvisos, 1);
    warningRow->addWidget(bbVisualAvisos, 0, Qt::AlignBottom);
    warnings->addWidget(meAvisos, 1);
    warnings->addLayout(warningRow);

    // Clean.
    paConcluir = panel(Panel(), "paConcluir");
    auto* clean = new QVBoxLayout(paConcluir);
    clean->setContentsMargins(0, 0, 0, 0);
    meConcluir = memo(paConcluir, "meConcluir",
                      {QStringLiteral("As informações do(s) estabelecimento(s) selecionado(s) estão corretamente declaradas."),
                       QString(),
                       QStringLiteral("Para continuar a gravação do arquivo, informe a data que você está gravando-o, "),
                       QStringLiteral("selecione o drive que contêm o arquivo e clique no botão <Avançar>.")});
    paDriveConcluir = buildDrivePanel(paConcluir, "paDriveConcluir", mdDataConcluir, cbDriveConcluir, edCREA, laCREA);
    clean->addWidget(meConcluir, 1);
    clean->addWidget(paDriveConcluir);

    // Writing.
    paGravando = panel(Panel(), "paGravando");
    auto* writing = new QVBoxLayout(paGravando);
    prGravando = new QProgressBar(paGravando);
    prGravando->setObjectName(QStringLiteral("prGravando"));
    writing->addStretch();
    writing->addWidget(new QLabel(QStringLiteral("Gravando declaração."), paGravando), 0, Qt::AlignHCenter);
    writing->addWidget(prGravando);
    writing->addStretch();

    for (QFrame* p : {paErros, paAvisos, paConcluir, paGravando}) {
        PanelLayout()->addWidget(p, 1);
        p->hide();
    }
    ApplyGeometry(dmDadosResp->GeometriaAssistente, forms::wgAll);
    setWindowTitle(dmDadosResp->TituloAssistente);

    declfile::FillDriveCombo(Drives, cbDriveAvisos);
    declfile::FillDriveCombo(Drives, cbDriveConcluir);
    for (QComboBox* c : {cbDriveAvisos, cbDriveConcluir}) c->setCurrentIndex(-1);

    for (QWidget* w : {static_cast<QWidget*>(CancelButton()), static_cast<QWidget*>(BackButton()),
                       static_cast<QWidget*>(bbRelatErros), static_cast<QWidget*>(bbVisualAvisos),
                       static_cast<QWidget*>(bbVisualErros)})
        kit_->SkipChecksFor(w);
    kit_->SetCancelButton(CancelButton());
    kit_->OnExit(mdDataAvisos, [this] { mdDataAvisosExit(mdDataAvisos); });
    kit_->OnExit(mdDataConcluir, [this] { mdDataAvisosExit(mdDataConcluir); });
    kit_->OnExit(cbDriveConcluir, [this] { cbDriveConcluirExit(); });

    connect(bbRelatErros, &QPushButton::clicked, this, [this] { showFindings(bbRelatErros, QStringLiteral("err")); });
    connect(bbVisualErros, &QPushButton::clicked, this, [this] { showFindings(bbVisualErros, QStringLiteral("war")); });
    connect(bbVisualAvisos, &QPushButton::clicked, this, [this] { showFindings(bbVisualAvisos, QStringLiteral("war")); });
}

QFrame* TfmGravaDecl03::buildDrivePanel(QFrame* owner, const char* name, QLineEdit*& date, QComboBox*& drive,
                                        QLineEdit*& crea, QLabel*& creaLabel) {
    QFrame* p = panel(owner, name);
    auto* grid = new QGridLayout(p);
    grid->setContentsMargins(0, 0, 0, 0);
    const bool warnings = QLatin1String(name) == QLatin1String("paDriveAvisos");
    date = new QLineEdit(p);
    date->setObjectName(warnings ? QStringLiteral("mdDataAvisos") : QStringLiteral("mdDataConcluir"));
    ui::SetDesignMask(date, kDateMask);
    drive = new QComboBox(p);
    drive->setObjectName(warnings ? QStringLiteral("cbDriveAvisos") : QStringLiteral("cbDriveConcluir"));
    crea = new QLineEdit(p);
    crea->setObjectName(warnings ? QStringLiteral("edCreaAvisos") : QStringLiteral("edCREA"));
    crea->setMaxLength(12);
    creaLabel = new QLabel(QStringLiteral("Retifica o CREA"), p);
    creaLabel->setBuddy(crea);
    grid->addWidget(new QLabel(QStringLiteral("Data da geração"), p), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Selecione o drive"), p), 0, 1);
    grid->addWidget(creaLabel, 0, 2);
    grid->addWidget(date, 1, 0);
    grid->addWidget(drive, 1, 1);
    grid->addWidget(crea, 1, 2);
    return p;
}

void TfmGravaDecl03::setCreaEdit(QLineEdit* crea, QLabel* label) {
    crea->clear();
    const bool amendment = dmDadosResp->ModoRetificacao != 0;
    ui::SetLocked(crea, !amendment);
    crea->setFocusPolicy(amendment ? Qt::StrongFocus : Qt::NoFocus);
    crea->setVisible(amendment);
    label->setVisible(amendment);
}

void TfmGravaDecl03::PageShown() {
    setWindowTitle(dmDadosResp->TituloAssistente);
    BackButton()->setEnabled(false);
    NextButton()->setEnabled(false);
    paMsgAviso->hide();
    for (QFrame* p : {paErros, paAvisos, paConcluir, paGravando}) p->hide();
    setCreaEdit(edCREA, laCREA);
    setCreaEdit(edCreaAvisos, laCreaAvisos);
    switch (dmDadosResp->ResultadoCritica) {
    case 0:
        paConcluir->show();
        NextButton()->setEnabled(true);
        mdDataConcluir->setFocus();
        break;
    case 3:
    case 2:
        paErros->show();
        paMsgAviso->setVisible(dmDadosResp->ResultadoCritica == 3);
        bbVisualErros->setEnabled(dmDadosResp->ResultadoCritica == 3);
        bbRelatErros->setFocus();
        break;
    default:
        paAvisos->show();
        NextButton()->setEnabled(true);
        mdDataAvisos->setFocus();
        break;
    }
}

void TfmGravaDecl03::showFindings(QPushButton* pressed, const QString& errwar) {
    if (!report::IsPrinterInstalled()) {
        msg::ShowWarning(QStringLiteral("Não há impressoras instaladas."));
        if (dmRaveRelatorios) dmRaveRelatorios->RvSystem1.allowPrintFromPreview = false;
    }
    pressed->setEnabled(false);
    ShowFindingsReport(errwar, anoBase(), versao());
    pressed->setEnabled(true);
}

void TfmGravaDecl03::mdDataAvisosExit(QLineEdit* date) {
    const QString text = ui::EditValue(date);
    const QString next = QString::number(anoBase() + 1);
    QString code;
    if (!IsValidDate8(text)) code = QStringLiteral("0421");
    else if (text.mid(4, 4) + text.mid(2, 2) + text.left(2) < next + QStringLiteral("0101")) code = QStringLiteral("0420");
    else if (text.mid(4, 4) + text.mid(2, 2) + text.left(2) > next + QStringLiteral("1231")) code = QStringLiteral("0423");
    if (code.isEmpty()) return;
    ShowMessageByCode(code);
    ui::FocusBack(date);
    throw SilentAbort();
}

void TfmGravaDecl03::cbDriveConcluirExit() {
    if (cbDriveConcluir->currentIndex() < 0) ShowMessageByCode(QStringLiteral("0600"));
}

void TfmGravaDecl03::pCrea(QLineEdit* crea) {
    const QString text = crea->text().trimmed();
    QString code = CheckReceiptNumberForAmendment(text, QStringLiteral("1"));
    if (code == QLatin1String("0000")) code = CheckReceiptNumber(text);
    if (code == QLatin1String("0000")) return;
    ShowMessageByCode(code);
    ui::FocusBack(crea);
    throw SilentAbort();
}

void TfmGravaDecl03::bbAvancarClick() {
    QFrame* used = !paConcluir->isHidden() ? paConcluir : !paAvisos->isHidden() ? paAvisos : nullptr;
    if (!used) return;
    const bool clean = used == paConcluir;
    QLineEdit* date = clean ? mdDataConcluir : mdDataAvisos;
    QComboBox* combo = clean ? cbDriveConcluir : cbDriveAvisos;
    QLineEdit* crea = clean ? edCREA : edCreaAvisos;
    const bool ready = kit_->RunAction([&] {
        mdDataAvisosExit(date);
        if (combo->currentIndex() < 0 || combo->currentIndex() >= Drives.size()) {
            ShowMessageByCode(QStringLiteral("0600"));
            ui::FocusBack(combo);
            throw SilentAbort();
        }
        drive_ = Drives.at(combo->currentIndex()).at(0);
        date_ = ui::EditValue(date);
        declfile::SetCreaDeclaracao(dmDadosResp->ModoRetificacao ? crea->text() : QString());
        if (dmDadosResp->ModoRetificacao) pCrea(crea);
    });
    if (!ready) return;
    usedPanel_ = used;
    used->hide();
    time_ = GenerationTime(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
    if (!fGravouArquivoZUVO()) return;
    auto next = std::make_unique<TfmGravaDecl04>();
    next->PartesTransmitidas = keptParts_;
    GoNext(std::move(next));
}

bool TfmGravaDecl03::fGravouArquivoZUVO() {
    BackButton()->setEnabled(false);
    NextButton()->setEnabled(false);
    prGravando->setValue(0);
    paGravando->show();
    repaint();
    const bool amendment = dmDadosResp->ModoRetificacao != 0;
    declfile::WriterState state = declfile::WriterStateFromProgram();
    int result = declfile::kWriteError;
    RunBusy([] { declfile::CancelWriting(); }, [&] {
        result = declfile::WriteDeclarationFile(amendment ? nullptr : fmGravaDecl00->lbEmpresas00, drive_,
                                                AppPaths::dataFolder(), prGravando, amendment, amendment, date_, time_,
                                                state, true);
    });
    declfile::StoreWriterState(state);
    if (result == declfile::kWritten) {
        keptParts_ = declfile::RemoveLaterParts(drive_, state);
        return true;
    }
    const QString year = QString::number(anoBase());
    if (result == declfile::kWriteCancelled)
        msg::ShowInformation(QStringLiteral("A gravação do arquivo \"ZUVO") + year +
                             QStringLiteral("\" interrompida pelo usuário!"));
    else
        msg::ShowInformation(QStringLiteral("Ocorreu um erro durante a gravação do arquivo de declaração ZUVO") + year +
                             QStringLiteral("."));
    BackButton()->setEnabled(false);
    NextButton()->setEnabled(true);
    paGravando->hide();
    if (usedPanel_) usedPanel_->show();
    return false;
}

namespace declfile {

int WriteDeclarationFile(QListWidget* establishmentList, QChar drive, const QString& dataFolder,
                         QProgressBar* progressBar, bool amendment, bool fromWorkingTables,
                         const QString& generationDate, const QString& generationTime, WriterState& state,
                         bool replaceLaterParts) {
    QStringList selected;
    if (establishmentList)
        for (int i = 0; i < establishmentList->count(); ++i)
            if (establishmentList->item(i)->isSelected()) selected << establishmentList->item(i)->text();
    WriteRequest r;
    r.establishments = establishmentList ? &selected : nullptr;
    r.drive = drive;
    r.dataFolder = dataFolder;
    r.amendment = amendment;
    r.fromWorkingTables = fromWorkingTables;
    r.generationDate = generationDate;
    r.generationTime = generationTime;
    r.replaceLaterParts = replaceLaterParts;
    ProgressBarHost host(progressBar);
    return WriteDeclarationFile(r, state, host);
}

}  // namespace declfile
