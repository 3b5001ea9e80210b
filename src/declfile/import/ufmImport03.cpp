#include "declfile/import/ufmImport03.h"

#include "declfile/MainWindowState.h"

#include "platform/report/ReportEngine.h"
#include "platform/ui/MessageService.h"
#include "shell/udmDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

forms::WizardFrame ImportFrame(const QString& objectName, const QString& caption) {
    forms::WizardFrame f = PlainWizardFrame(objectName, caption, WizardPicture(), nullptr, false);
    f.backName = QString();
    f.nextName = QString();
    f.cancelName = QStringLiteral("BtFechar");
    f.cancelText = QStringLiteral("&Fechar");
    return f;
}

void ShowImportReport(QPushButton* button, const QString& reportName, const QString& anobase) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    if (!report::IsPrinterInstalled()) {
        dm->RvSystem1.allowPrintFromPreview = false;
        msg::ShowWarning(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
    }
    button->setEnabled(false);
    dm->RvSystem1.setDestination(report::Destination::Preview);
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), QString::number(declfile::ProgramAnoBase()));
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), fmLOBRIX ? fmLOBRIX->Versao : QString());
    dm->rvprjErro.SetParam(QStringLiteral("anobase"), anobase);
    dm->rvprjErro.SelectReport(reportName);
    dm->rvprjErro.Execute();
    dm->rvprjErro.Close();
    button->setEnabled(true);
}

TfmImport03::TfmImport03(const QString& caption, int anoArquivo, QWidget* parent)
    : forms::WizardPage(ImportFrame(QStringLiteral("fmImport03"), caption), parent), anoArquivo_(anoArquivo) {
    auto* text = new QLabel(Panel());
    text->setObjectName(QStringLiteral("Memo1"));
    text->setText(QStringList{QStringLiteral("Os estabelecimentos selecionados foram importados."), QString(),
                              QStringLiteral("Para visualizar e imprimir o Relatório de Importação, clicar no botão "
                                             "<Visualizar Relatório> ."),
                              QString(),
                              QStringLiteral("Para CORRIGIR as informações dos estabelecimentos importados utilize a "
                                             "opção Declaração ... Abrir.")}
                      .join(QLatin1Char('\n')));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    BtVisual = new QPushButton(QStringLiteral("Visualizar &Relatório"), Panel());
    BtVisual->setObjectName(QStringLiteral("BtVisual"));
    BtVisual->setAutoDefault(false);
    PanelLayout()->addWidget(text, 1);
    PanelLayout()->addWidget(BtVisual, 0, Qt::AlignLeft);
    connect(BtVisual, &QPushButton::clicked, this, [this] { BtVisualClick(); });
}

void TfmImport03::PageShown() { CancelButton()->setFocus(); }

void TfmImport03::BtVisualClick() {
    ShowImportReport(BtVisual, QStringLiteral("rptImportacao"), QString::number(anoArquivo_));
}
