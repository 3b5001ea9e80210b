#include "declfile/consulta/ufmConsultaDisquete.h"

#include "declfile/DeclarationFolder.h"
#include "declfile/MainWindowState.h"
#include "declfile/consulta/ufmConsulta01.h"
#include "declfile/consulta/ufmConsulta02.h"
#include "declfile/consulta/ufmConsulta03.h"
#include "declfile/consulta/ufmConsulta04.h"
#include "declfile/consulta/ufmConsulta05.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/db/DbError.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "platform/os/Drives.h"
#include "platform/report/ReportEngine.h"
#include "shell/udmRaveRelatorios.h"
#include "platform/ui/FileDialogs.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cmath>

TfmConsultaDisquete* fmConsultaDisquete = nullptr;
quint8 AnaliseConsultaEmAndamento = 0;

namespace {

void setCreaRelatorio(const QString& value) {
    if (fmLOBRIX) fmLOBRIX->CreaRelatorio = value;
}

// A box of lines that are the text's own: it asks for the room of the
// longest in the font it is laid out with, so that none is cut.
class LinesBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    QSize minimumSizeHint() const override {
        QSize size = QPlainTextEdit::minimumSizeHint();
        int widest = 0;
        for (const QString& line : toPlainText().split(QLatin1Char('\n')))
            widest = qMax(widest, fontMetrics().horizontalAdvance(line));
        const QMargins around = contentsMargins();
        // The document's margin on either side, and the cursor's room at the end.
        const int room = widest + 2 * int(std::ceil(document()->documentMargin())) + around.left() + around.right() +
                         cursorWidth() + 2;
        size.setWidth(qMax(size.width(), room));
        return size;
    }
};

QPlainTextEdit* memo(QWidget* parent, const char* name, const QStringList& lines) {
    auto* m = new LinesBox(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setPlainText(lines.join(QLatin1Char('\n')));
    m->setReadOnly(true);
    m->setFocusPolicy(Qt::NoFocus);
    m->setFrameShape(QFrame::NoFrame);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);  // the lines are the text's own
    return m;
}

}  // namespace

TfmConsultaDisquete::TfmConsultaDisquete(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      analyser_(std::make_unique<declfile::TAnaliseEstrutura>()),
      kit_(new ui::EntryFormController(this)) {
    setObjectName(QStringLiteral("fmConsultaDisquete"));
    setWindowTitle(QStringLiteral("Consulta Arquivo do Ano-Base"));
    buildControls();
    forms::ScaleForm(this, QSize(600, 320), QSize(650, 350));
    forms::CenterOnActivate(this);

    kit_->OnExit(edArquivo, [this] { edArquivoExit(); });
    kit_->SkipChecksFor(bbCancelar);
    connect(bbLocalizar, &QPushButton::clicked, this, &TfmConsultaDisquete::bbLocalizarClick);
    connect(bbCancelar, &QPushButton::clicked, this, &TfmConsultaDisquete::bbCancelarClick);
    connect(bbVoltar, &QPushButton::clicked, this, &TfmConsultaDisquete::bbVoltarClick);
    connect(bbVisualizar, &QPushButton::clicked, this, &TfmConsultaDisquete::bbVisualizarClick);
}

TfmConsultaDisquete::~TfmConsultaDisquete() {
    if (fmConsultaDisquete == this) fmConsultaDisquete = nullptr;
}

void TfmConsultaDisquete::buildControls() {
    auto* outer = new QVBoxLayout(this);

    paConsDisquete = new QWidget(this);
    paConsDisquete->setObjectName(QStringLiteral("paConsDisquete"));
    auto* consLayout = new QVBoxLayout(paConsDisquete);
    meDicas = memo(paConsDisquete, "meDicas",
                   {QStringLiteral("Essa opção do sistema permite visualizar os dados dos estabelecimentos e seus "),
                    QStringLiteral("empregados/servidores que estão gravados na declaração do arquivo."),
                    QStringLiteral("Digite o nome do arquivo a ser consultado ou clique no botão <Localizar> para "),
                    QStringLiteral("selecionar o arquivo.")});
    consLayout->addWidget(meDicas, 1);
    auto* fileRow = new QHBoxLayout;
    edArquivo = new QLineEdit(paConsDisquete);
    edArquivo->setObjectName(QStringLiteral("edArquivo"));
    bbLocalizar = new QPushButton(QStringLiteral("&Localizar"), paConsDisquete);
    bbLocalizar->setObjectName(QStringLiteral("bbLocalizar"));
    bbLocalizar->setAutoDefault(false);
    fileRow->addWidget(edArquivo, 1);
    fileRow->addWidget(bbLocalizar);
    consLayout->addLayout(fileRow);
    laStatus = new QLabel(QStringLiteral("Verificando arquivo ..."), paConsDisquete);
    laStatus->setObjectName(QStringLiteral("laStatus"));
    laStatus->hide();
    prCarregarArq = new QProgressBar(paConsDisquete);
    prCarregarArq->setObjectName(QStringLiteral("prCarregarArq"));
    prCarregarArq->setRange(0, 100);
    prCarregarArq->hide();
    consLayout->addWidget(laStatus);
    consLayout->addWidget(prCarregarArq);
    outer->addWidget(paConsDisquete, 1);

    paRelatorio = new QWidget(this);
    paRelatorio->setObjectName(QStringLiteral("paRelatorio"));
    auto* relLayout = new QVBoxLayout(paRelatorio);
    meRelatorio = memo(paRelatorio, "meRelatorio",
                       {QStringLiteral("O arquivo  não poderá ser consultado, não está de acordo "),
                        QStringLiteral("com a  especificação do arquivo para o ano-base.")});
    relLayout->addWidget(meRelatorio, 1);
    bbVisualizar = new QPushButton(QStringLiteral("Visualizar &Erros"), paRelatorio);
    bbVisualizar->setObjectName(QStringLiteral("bbVisualizar"));
    bbVisualizar->setAutoDefault(false);
    relLayout->addWidget(bbVisualizar, 0, Qt::AlignLeft);
    paRelatorio->hide();
    outer->addWidget(paRelatorio, 1);

    auto* buttons = new QHBoxLayout;
    bbVoltar = new QPushButton(QStringLiteral("&Voltar"), this);
    bbVoltar->setObjectName(QStringLiteral("bbVoltar"));
    bbCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancelar->setObjectName(QStringLiteral("bbCancelar"));
    buttons->addStretch();
    for (QPushButton* b : {bbVoltar, bbCancelar}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);

    odConsulta = new QFileDialog(this, QStringLiteral("Consulta Arquivo do Ano-Base"));
    odConsulta->setObjectName(QStringLiteral("odConsulta"));
    odConsulta->setAcceptMode(QFileDialog::AcceptOpen);
    odConsulta->setFileMode(QFileDialog::ExistingFile);
}

void TfmConsultaDisquete::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (fmLOBRIX && fmLOBRIX->ConsultaComErros) {
        // The caller has analysed the file already.
        fmLOBRIX->ConsultaComErros = 0;
        ShowErrorPanel(false);
    } else {
        ShowFileChoice();
    }
    AnaliseConsultaEmAndamento = 0;
}

void TfmConsultaDisquete::ShowFileChoice() {
    bbLocalizar->setEnabled(true);
    bbVoltar->hide();
    paConsDisquete->show();
    paRelatorio->hide();
    edArquivo->setFocus();
}

void TfmConsultaDisquete::ShowErrorPanel(bool withBack) {
    paRelatorio->show();
    bbVoltar->setVisible(withBack);
    paConsDisquete->hide();
}

void TfmConsultaDisquete::bbLocalizarClick() {
    // The dialog starts on the diskette when one is in drive A:.
    const QString start = drives::TotalSize(QLatin1Char('A')) ? drives::RootFolder(QLatin1Char('A'))
                                                              : drives::RootFolder(QLatin1Char('C'));
    odConsulta->setDirectory(start);
    const QString chosen = forms::RunFileDialog(*odConsulta);
    if (chosen.isEmpty()) return;
    edArquivo->setText(QDir::toNativeSeparators(chosen));
    LoadDeclarationForViewing(chosen);
}

void TfmConsultaDisquete::edArquivoExit() {
    QCoreApplication::processEvents();
    if (kit_->ExitTarget() == bbCancelar) return;
    const QString name = edArquivo->text().trimmed();
    if (name.isEmpty()) return;
    if (QFileInfo(name).isFile()) {
        LoadDeclarationForViewing(name);
        return;
    }
    msg::ShowWarning(QStringLiteral("O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo."));
    ui::FocusBack(edArquivo);
}

void TfmConsultaDisquete::LoadDeclarationForViewing(const QString& fileName) {
    bbLocalizar->setEnabled(false);
    repaint();
    prCarregarArq->show();
    laStatus->show();
    AnaliseConsultaEmAndamento = 1;

    int result = declfile::kAnaliseComErro;
    try {
        forms::ProgressBarHost host(prCarregarArq);
        result = analyser_->AnalyseFile(fileName, quint16(declfile::ProgramAnoBase()), host,
                                        ProgramDirectory() + QStringLiteral("Dados"), false, QtEstabelecimentos,
                                        QtVinculos, false);
    } catch (const db::DbError& error) {
        // A missing or unwritable working table: nothing was loaded.
        AnaliseConsultaEmAndamento = 0;
        laStatus->hide();
        prCarregarArq->setValue(0);
        prCarregarArq->hide();
        msg::ShowWarning(QStringLiteral("Não foi possível carregar o arquivo para consulta:\r") + EngineErrorDetail(error));
        ShowFileChoice();
        return;
    }

    if (result == declfile::kAnaliseInterrompida || result == declfile::kAnaliseFalhaCopia) {
        // Nothing was loaded: back to the file choice (a failed copy has had
        // its message from the analyser).
        ShowFileChoice();
        prCarregarArq->hide();
        AnaliseConsultaEmAndamento = 0;
    } else if (result == declfile::kAnaliseComErro) {
        ShowErrorPanel(true);
        AnaliseConsultaEmAndamento = 0;
    } else {
        setCreaRelatorio(declfile::TransmittedReceiptCode(fileName));
        prCarregarArq->hide();
        laStatus->hide();
        AnaliseConsultaEmAndamento = 0;
        ShowConsultationPages();
    }
    laStatus->hide();
    prCarregarArq->setValue(0);
}

void TfmConsultaDisquete::ShowConsultationPages() {
    fmConsulta01 = fm01_ = new TfmConsulta01(*this, this);
    fmConsulta02 = fm02_ = new TfmConsulta02(*this, this);
    fmConsulta03 = fm03_ = new TfmConsulta03(*this, this);
    // The contract pages belong to the establishment page: shown without a
    // loop of their own, they must not be blocked by its modality.
    fmConsulta04 = fm04_ = new TfmConsulta04(*this, fm03_);
    fmConsulta05 = fm05_ = new TfmConsulta05(*this, fm03_);
    hide();
    forms::ShowModal(fm01_);
    delete fm05_;
    delete fm04_;
    delete fm03_;
    delete fm02_;
    delete fm01_;
    fm01_ = nullptr;
    fm02_ = nullptr;
    fm03_ = nullptr;
    fm04_ = nullptr;
    fm05_ = nullptr;
    fmConsulta01 = nullptr;
    fmConsulta02 = nullptr;
    fmConsulta03 = nullptr;
    fmConsulta04 = nullptr;
    fmConsulta05 = nullptr;
}

void TfmConsultaDisquete::CloseConsultation() {
    setCreaRelatorio(QStringLiteral(" "));
    if (fm05_) fm05_->hide();
    if (fm04_) fm04_->hide();
    for (QWidget* page : std::initializer_list<QWidget*>{fm03_, fm02_, fm01_}) {
        if (!page) continue;
        if (forms::IsShowingModal(page)) forms::SetModalResult(page, forms::mrCancel);
        page->hide();
    }
    if (fm02_) fm02_->FormClose();
    forms::SetModalResult(this, forms::mrCancel);
    hide();
}

void TfmConsultaDisquete::bbCancelarClick() {
    setCreaRelatorio(QStringLiteral(" "));
    if (AnaliseConsultaEmAndamento) {
        analyser_->Cancel();
        return;
    }
    forms::SetModalResult(this, forms::mrCancel);
    hide();
}

void TfmConsultaDisquete::bbVoltarClick() {
    bbVoltar->hide();
    paConsDisquete->show();
    paRelatorio->hide();
    bbLocalizar->setEnabled(true);
    prCarregarArq->hide();
    edArquivo->clear();
    edArquivo->setFocus();
}

void TfmConsultaDisquete::bbVisualizarClick() {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    if (!report::IsPrinterInstalled()) {
        msg::ShowWarning(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        dm->RvSystem1.allowPrintFromPreview = false;
    }
    bbVisualizar->setEnabled(false);
    dm->RvSystem1.setDestination(report::Destination::Preview);
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), fmLOBRIX ? fmLOBRIX->Versao : QString());
    dm->rvprjErro.SelectReport(QStringLiteral("rptErrosEstrutura"));
    dm->rvprjErro.Execute();
    dm->rvprjErro.Close();
    bbVisualizar->setEnabled(true);
}

void ShowConsultaDisquete(QWidget* parent) {
    auto* window = new TfmConsultaDisquete(parent);
    forms::ShowModal(window);
    delete window;
}
