#include "declfile/analis/ufmAnalis02.h"

#include "declfile/analis/AnalisWidgets.h"
#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/gravadecl/ufmGravaDecl04.h"
#include "declfile/transmite/ufmTransmite.h"

#include "platform/AppPaths.h"
#include "platform/ui/MessageService.h"
#include "shell/udmDadosResp.h"
#include "shell/ufmLOBRIX.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

forms::WizardFrame frame() {
    forms::WizardFrame f;
    f.objectName = QStringLiteral("fmAnalis02");
    f.caption = QStringLiteral("Assistente para Analisar um arquivo ZUVO") + analis::Year();
    f.picture = fmAnalis00 ? fmAnalis00->Picture()->pixmap().toImage() : WizardPicture();
    f.pictureName = QStringLiteral("imAnalis02");
    f.backName.clear();
    f.nextName.clear();
    f.cancelName = QStringLiteral("bbFechar");
    f.cancelText = QStringLiteral("&Fechar");
    return f;
}

}  // namespace

TfmAnalis02::TfmAnalis02(bool splitRun, QWidget* parent) : forms::WizardPage(frame(), parent), splitRun_(splitRun) {
    const QString y = analis::Year();
    meAnaliseOK = analis::Memo(Panel(), "meAnaliseOK",
                       {QStringLiteral("Arquivo gerado com SUCESSO !"), QString(),
                        QStringLiteral("Para entregá-lo, utilize a função \"Transmitir Declaração\" do menu principal. "
                                       "A transmissão é feita pelo programa ZuvoNet") +
                            y + QStringLiteral(", que deve ser obtido nos sítios oficiais da declaração."),
                        QString(),
                        QStringLiteral("Guarde uma cópia de segurança do disquete ou das tabelas do sistema, junto "
                                       "com o relatório e o recibo de entrega, para eventual fiscalização."),
                        QString(),
                        QStringLiteral("As informações declaradas são de responsabilidade do empregador.")});
    meAnaliseOkPartic = analis::Memo(Panel(), "meAnaliseOkPartic",
                             {QStringLiteral("Arquivo particionado com SUCESSO !"), QString(),
                              QStringLiteral("As partes foram gravadas na pasta Transmite. Submeta cada uma delas à "
                                             "função \"Analisador\" e, não havendo erros, transmita-as com a função "
                                             "\"Transmitir Declaração\".")});
    meAnaliseOkPartic->hide();
    lblEtiq = new QLabel(QStringLiteral("Para visualizar e imprimir a Relação dos Estabelecimentos declarados, clicar no "),
                         Panel());
    lblEtiq->setObjectName(QStringLiteral("lblEtiq"));
    lblEtiq->setWordWrap(true);  // the line is wider than the page
    Label1 = new QLabel(QStringLiteral("botão <Visualizar Resumo>."), Panel());
    Label1->setObjectName(QStringLiteral("Label1"));
    bbRelat = analis::Button(Panel(), "bbRelat", "Visualizar &Resumo");
    bbEtiq = analis::Button(Panel(), "bbEtiq", "&Etiqueta");
    btSalvarRelat = analis::Button(Panel(), "btSalvarRelat", "&Salvar Resumo");
    btnTransmite = analis::Button(Panel(), "btnTransmite", "&Transmitir");
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {bbRelat, bbEtiq, btSalvarRelat, btnTransmite}) row->addWidget(b);
    row->addStretch();
    PanelLayout()->addWidget(meAnaliseOK, 1);
    PanelLayout()->addWidget(meAnaliseOkPartic, 1);
    PanelLayout()->addWidget(lblEtiq);
    PanelLayout()->addWidget(Label1);
    PanelLayout()->addLayout(row);

    connect(bbRelat, &QPushButton::clicked, this, [this] { ViewSummaryReport(bbRelat); });
    connect(bbEtiq, &QPushButton::clicked, this, [this] { ViewLabelsReport(bbEtiq); });
    connect(btSalvarRelat, &QPushButton::clicked, this, [this] { SaveSummaryReport(SaveFile, this, btSalvarRelat); });
    connect(btnTransmite, &QPushButton::clicked, this, [this] { btnTransmiteClick(); });
    connect(this, &QDialog::finished, this, [] {
        ModoParticionamento = 0;
        RemoveAnalysisTables(true);
    });
}

void TfmAnalis02::PageShown() {
    const QString y = analis::Year();
    if (splitRun_) {
        setWindowTitle(QStringLiteral("Assistente para Particionar um Arquivo ZUVO") + y);
        meAnaliseOkPartic->show();
        meAnaliseOK->hide();
        for (QWidget* w : std::initializer_list<QWidget*>{bbEtiq, bbRelat, btSalvarRelat, lblEtiq, Label1, btnTransmite})
            w->hide();
    } else {
        meAnaliseOK->show();
        for (QWidget* w : std::initializer_list<QWidget*>{bbEtiq, bbRelat, btSalvarRelat, lblEtiq, Label1}) w->show();
        meAnaliseOkPartic->hide();
    }
    if (shownOnce_) return;
    shownOnce_ = true;
    const declfile::WriterState state = declfile::WriterStateFromProgram();
    if (state.QtArquivosGerados <= 1) return;
    const QString n = QString::number(state.QtArquivosGerados);
    if (splitRun_)
        msg::ShowWarning(QStringLiteral("A declaração foi particionada em ") + n +
                         QStringLiteral(" arquivos, que se encontram em ") +
                         QDir::toNativeSeparators(AppPaths::programFolder() + QStringLiteral("Transmite/")) +
                         QStringLiteral("\nUtilize a função \"Analisador\" do menu principal para verificar se os "
                                        "registros atendem as especificações constantes na Cartela da ZUVO"));
    else
        msg::ShowWarning(QStringLiteral("Foram gerados ") + n +
                         QStringLiteral(" arquivos. Utilize a função \"Transmitir Declaração\" do menu principal."));
}

void TfmAnalis02::btnTransmiteClick() {
    ModoParticionamento = 0;
    Finish(forms::mrCancel);
    HandOverWrittenFile();
    // The main window starts the transmission once it has the focus again.
    if (AnaliseViaTransmissao != 1 && fmLOBRIX && fmLOBRIX->edTrans) {
        fmLOBRIX->edTrans->setVisible(true);
        fmLOBRIX->edTrans->setFocus();
    }
}

void TfmAnalis02::bbFecharClick() {
    ModoParticionamento = 0;
    Finish(forms::mrCancel);
}
