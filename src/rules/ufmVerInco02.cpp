#include "ufmVerInco02.h"

#include "ufmVerInco00.h"

#include "platform/report/ReportEngine.h"
#include "platform/ui/MessageService.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmVerInco02* fmVerInco02 = nullptr;

namespace {

forms::WizardFrame lastFrame() {
    forms::WizardFrame f = VerIncoFrame(QStringLiteral("fmVerInco02"), QString());
    f.cancelName = QStringLiteral("BtFechar");
    f.cancelText = QStringLiteral("&Fechar");
    return f;
}

QPlainTextEdit* memo(QWidget* parent, const char* name, const QStringList& lines) {
    return forms::PageMemo(parent, QString::fromLatin1(name), lines);
}

QFrame* panel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    return p;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

QString ResultadoFromValidation(unsigned result) {
    if (result == 0) return QStringLiteral("3");
    if (result == 3) return QStringLiteral("2");
    if (result & 2) return QStringLiteral("1");
    return QStringLiteral("0");
}

VerIncoPanel PanelForResult(const QString& r) {
    if (r == QLatin1String("0")) return {QStringLiteral("PDist"), QStringLiteral("BtVisualizar"), QStringLiteral("BtVisualizar")};
    if (r == QLatin1String("1")) return {QStringLiteral("PInco"), QString(), QStringLiteral("bbPrintErros")};
    if (r == QLatin1String("2")) return {QStringLiteral("PInco"), QStringLiteral("bbVisualErros"), QStringLiteral("bbPrintErros")};
    return {QStringLiteral("POk"), QString(), QStringLiteral("BtFechar")};
}

TfmVerInco02::TfmVerInco02(QWidget* parent) : forms::WizardPage(lastFrame(), parent) {
    POk = panel(Panel(), "POk");
    Memo3 = memo(POk, "Memo3", {QStringLiteral("As declarações selecionadas não apresentaram erros ou avisos.")});
    POk->layout()->addWidget(Memo3);

    PInco = panel(Panel(), "PInco");
    Memo1 = memo(PInco, "Memo1",
                 {QStringLiteral("Houveram erros nas declarações selecionadas."), QString(),
                  QStringLiteral("   - Para visualizar e imprimir os erros encontrados, clique no botão <Relatório Erros>. "),
                  QString(), QString(), QString(),
                  QStringLiteral("Corrija as informações erradas através da opção Declaração ... Abrir")});
    paMsgAviso = panel(PInco, "paMsgAviso");
    paMsgAviso->layout()->addWidget(memo(paMsgAviso, "meMsgAviso",
        {QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>.")}));
    paMsgAviso->setMaximumHeight(3 * fontMetrics().lineSpacing());
    auto* buttons = new QHBoxLayout;
    bbPrintErros = button(PInco, "bbPrintErros", QStringLiteral("Relatório &Erros"));
    bbVisualErros = button(PInco, "bbVisualErros", QStringLiteral("Relatório &Avisos"));
    buttons->addWidget(bbPrintErros);
    buttons->addWidget(bbVisualErros);
    buttons->addStretch();
    PInco->layout()->addWidget(Memo1);
    PInco->layout()->addWidget(paMsgAviso);
    static_cast<QVBoxLayout*>(PInco->layout())->addLayout(buttons);

    PDist = panel(Panel(), "PDist");
    Memo2 = memo(PDist, "Memo2",
                 {QStringLiteral("Não foram encontrados erros nas declarações selecionadas, foram gerados apenas "),
                  QStringLiteral("AVISOS."), QString(),
                  QStringLiteral("Os avisos não impedem a gravação da declaração, são alertas para que o empregador "),
                  QStringLiteral("fique atento as informações que extrapolam limites como valores muito altos."),
                  QStringLiteral("As ocorrências que geram avisos estão descritas na Ajuda do Sistema."), QString(),
                  QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>.")});
    BtVisualizar = button(PDist, "BtVisualizar", QStringLiteral("Relatório &Avisos"));
    PDist->layout()->addWidget(Memo2);
    PDist->layout()->addWidget(BtVisualizar);

    for (QFrame* p : {POk, PInco, PDist}) {
        PanelLayout()->addWidget(p, 1);
        p->hide();
    }
    BackButton()->setEnabled(false);
    NextButton()->setEnabled(false);

    connect(bbPrintErros, &QPushButton::clicked, this, [this] { bbPrintErrosClick(); });
    connect(bbVisualErros, &QPushButton::clicked, this, [this] { bbVisualErrosClick(); });
    connect(BtVisualizar, &QPushButton::clicked, this, [this] { BtVisualizarClick(); });
}

void TfmVerInco02::PageShown() {
    for (QFrame* p : {POk, PInco, PDist}) p->hide();
    const VerIncoPanel shown = PanelForResult(ResultadoVerificacao);
    findChild<QFrame*>(shown.panel)->show();
    if (shown.panel == QLatin1String("PInco")) {
        const bool warnings = !shown.warningsButton.isEmpty();
        bbVisualErros->setEnabled(warnings);
        paMsgAviso->setVisible(warnings);
    }
    if (auto* focus = findChild<QWidget*>(shown.focus)) focus->setFocus();
}

void TfmVerInco02::bbPrintErrosClick() { previewFindings(bbPrintErros, QStringLiteral("err")); }
void TfmVerInco02::bbVisualErrosClick() { previewFindings(bbVisualErros, QStringLiteral("war")); }
void TfmVerInco02::BtVisualizarClick() { previewFindings(BtVisualizar, QStringLiteral("war")); }

void TfmVerInco02::previewFindings(QPushButton* pressed, const QString& kind) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm || !pressed->isEnabled()) return;
    if (!report::IsPrinterInstalled()) {
        dm->RvSystem1.allowPrintFromPreview = false;
        msg::ShowWarning(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
    }
    // Pressed twice quickly, the report still runs once.
    pressed->setEnabled(false);
    struct Reenable {
        QPushButton* b;
        ~Reenable() { b->setEnabled(true); }
    } reenable{pressed};
    ShowFindingsReport(kind, fmLOBRIX ? fmLOBRIX->AnoBase : 2009, fmLOBRIX ? fmLOBRIX->Versao : QString());
    // The next check replaces the findings table.
    dm->quErros.Close();
}
