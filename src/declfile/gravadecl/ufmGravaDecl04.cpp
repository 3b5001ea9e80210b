#include "declfile/gravadecl/ufmGravaDecl04.h"

#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/transmite/ufmTransmite.h"

#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageService.h"
#include "platform/os/Drives.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList kMemoLines = {
    QStringLiteral("O arquivo da declaração foi gravado com sucesso."),
    QString(),
    QStringLiteral("Para entregá-lo, utilize a função \"Transmitir Declaração\" do menu principal. A transmissão "
                   "é feita pelo programa transmissor, que deve ser obtido nos sítios oficiais da declaração."),
    QString(),
    QStringLiteral("Guarde uma cópia de segurança da base de dados do sistema em outro local, junto com o "
                   "relatório e o recibo de entrega, para eventual fiscalização."),
    QString(),
    QStringLiteral("As informações declaradas são de responsabilidade do empregador: delas dependem os "
                   "benefícios dos trabalhadores e as estatísticas oficiais."),
};

int anoBase() { return declfile::ProgramAnoBase(); }

}  // namespace

TfmGravaDecl04::TfmGravaDecl04(QWidget* parent)
    : forms::WizardPage(
          [] {
              forms::WizardFrame f = GravaDeclFrame(QStringLiteral("fmGravaDecl04"), QStringLiteral("meDecl04"));
              f.backName.clear();
              f.nextName.clear();
              f.cancelName = QStringLiteral("bbFechar");
              f.cancelText = QStringLiteral("&Fechar");
              return f;
          }(),
          parent) {
    SetMemoLines(kMemoLines);
    lblEtiq = new QLabel(QStringLiteral("Para visualizar e imprimir a Relação dos Estabelecimentos declarados, \n"
                                        "clicar no botão <Visualizar Resumo>. "),
                         Panel());
    lblEtiq->setObjectName(QStringLiteral("lblEtiq"));
    bbEtiq = GravaDeclButton(Panel(), "bbEtiq", "&Etiqueta");
    bbRelat = GravaDeclButton(Panel(), "bbRelat", "Visualizar &Resumo");
    btSalvarRelat = GravaDeclButton(Panel(), "btSalvarRelat", "&Salvar Resumo");
    Button1 = GravaDeclButton(Panel(), "Button1", "&Transmitir");
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {bbRelat, bbEtiq, btSalvarRelat, Button1}) row->addWidget(b);
    row->addStretch();
    PanelLayout()->addWidget(lblEtiq);
    PanelLayout()->addLayout(row);

    ApplyGeometry(dmDadosResp->GeometriaAssistente, forms::wgPage | forms::wgPicture | forms::wgBevel | forms::wgPanel);
    // The Close button takes the place of the stored Cancel button.
    const forms::WizardGeometry& g = dmDadosResp->GeometriaAssistente;
    if (g[32] > 0 && g[33] > 0) CancelButton()->setGeometry(g[31], g[30], g[33], g[32]);
    setWindowTitle(dmDadosResp->TituloAssistente);

    connect(bbRelat, &QPushButton::clicked, this, [this] { bbRelatClick(); });
    connect(bbEtiq, &QPushButton::clicked, this, [this] { bbEtiqClick(); });
    connect(btSalvarRelat, &QPushButton::clicked, this, [this] { btSalvarRelatClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TfmGravaDecl04::PageShown() {
    setWindowTitle(dmDadosResp->TituloAssistente);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (!PartesTransmitidas.isEmpty())
        SetMemoLines(kMemoLines + QStringList{QString(),
                                              QStringLiteral("Foram mantidos, por já terem sido transmitidos, os arquivos: ") +
                                                  PartesTransmitidas.join(QStringLiteral(", ")) + QLatin1Char('.')});
    const declfile::WriterState state = declfile::WriterStateFromProgram();
    if (state.QtArquivosGerados > 1)
        msg::ShowWarning(QStringLiteral("Foram gerados ") + QString::number(state.QtArquivosGerados) +
                         QStringLiteral(" arquivos. Utilize a função \"Transmitir Declaração\" do menu principal."));
}

// ---- the summary's buttons, shared with the analysis wizard's last page -------

namespace {

void warnNoPrinter() {
    if (report::IsPrinterInstalled()) return;
    msg::ShowError(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
    if (dmRaveRelatorios) dmRaveRelatorios->RvSystem1.allowPrintFromPreview = false;
}

}  // namespace

void ViewSummaryReport(QPushButton* button) {
    warnNoPrinter();
    button->setEnabled(false);
    ShowReceiptSummary(anoBase());
    QCoreApplication::processEvents();
    button->setEnabled(true);
}

void ViewLabelsReport(QPushButton* button) {
    warnNoPrinter();
    button->setEnabled(false);
    ShowReceiptLabels(fmLOBRIX ? fmLOBRIX->Versao : declfile::WriterStateFromProgram().Versao);
    QCoreApplication::processEvents();
    button->setEnabled(true);
}

QFileDialog* MakeSummaryDialog(QWidget* parent) {
    auto* dialog = new QFileDialog(parent, QStringLiteral("Salvar Resumo"));
    dialog->setObjectName(QStringLiteral("SaveFile"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(QStringLiteral("Arquivos Adobe PDF (*.pdf)"));
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    return dialog;
}

void SaveSummaryReport(QFileDialog*& dialog, QWidget* parent, QPushButton* button) {
    if (!dialog) dialog = MakeSummaryDialog(parent);
    const QString proposed = QStringLiteral("Resumo_") + declfile::WriterStateFromProgram().NomeArquivoGerado;
    dialog->setDirectory(drives::RootFolder(QLatin1Char('C')));
    dialog->selectFile(proposed);
    QString chosen = forms::RunSaveDialog(*dialog);
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".pdf");
    // The question names the file that would be replaced.
    if (QFileInfo::exists(chosen) &&
        !msg::AskYesNo(QStringLiteral("Já existe um arquivo de nome \"") + QFileInfo(chosen).fileName() +
                       QStringLiteral("\" no caminho especificado.\rAutoriza gravar sobre?")))
        return;
    button->setEnabled(false);
    const bool saved = ShowReceiptSummary(anoBase(), chosen);
    dialog->selectFile(QString());
    QCoreApplication::processEvents();
    if (saved)
        msg::ShowInformation(QStringLiteral("Documento salvo com sucesso."));
    else
        msg::ShowError(QStringLiteral("Não foi possível gravar o arquivo \"") + QFileInfo(chosen).fileName() +
                       QStringLiteral("\"."));
    button->setEnabled(true);
}

void TfmGravaDecl04::bbRelatClick() { ViewSummaryReport(bbRelat); }

void TfmGravaDecl04::bbEtiqClick() { ViewLabelsReport(bbEtiq); }

void TfmGravaDecl04::btSalvarRelatClick() { SaveSummaryReport(SaveFile, this, btSalvarRelat); }

void TfmGravaDecl04::Button1Click() {
    dmDadosResp->EncerrarAssistente = 1;
    dmDadosResp->te8Resp.Close();
    dmDadosResp->te8Emp.Close();
    dmDadosResp->te8Vinc.Close();
    Finish(forms::mrCancel);
    HandOverWrittenFile();
    // The main window starts the transmission once it has the focus again.
    if (fmLOBRIX && fmLOBRIX->edTrans) {
        fmLOBRIX->edTrans->setVisible(true);
        fmLOBRIX->edTrans->setFocus();
    }
}
