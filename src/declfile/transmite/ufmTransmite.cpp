#include "declfile/transmite/ufmTransmite.h"

#include "declfile/MainWindowState.h"
#include "declfile/Windows1252.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/consulta/ufmConsultaDisquete.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugDriveDisquete.h"
#include "declfile/ugHashCompara.h"
#include "listview/model/LumeColumn.h"
#include "listview/layout/LumeHeader.h"
#include "listview/qt/LumeImageList.h"
#include "listview/qt/LumeListviewWidget.h"
#include "platform/Digest.h"
#include "platform/db/DbError.h"
#include "platform/os/Drives.h"
#include "platform/os/Process.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/WizardPage.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugExcecao.h"
#include "shell/ugDigitos.h"
#include "shell/ugFuncoes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

TfmTransmite* fmTransmite = nullptr;

namespace declfile {

namespace {

// Characters from..from+length-1 (counted from 1); blanks past the line's end.
QString cols(const QString& line, int from, int length) {
    QString part = line.mid(from - 1, length);
    if (part.size() < length) part += QString(length - part.size(), QLatin1Char(' '));
    return part;
}

QString chopLineEnd(QByteArray raw) {
    while (raw.endsWith('\n') || raw.endsWith('\r')) raw.chop(1);
    return cp1252::Decode(raw);
}

// The receipt beside a declaration file, whole; null when there is none.
QByteArray readReceipt(const QString& declarationPath) {
    const QString receipt = ReceiptPath(declarationPath);
    QFile file(receipt);
    if (receipt.isEmpty() || !file.open(QIODevice::ReadOnly)) return QByteArray();
    QByteArray all = file.readAll();
    if (all.isNull()) all = QByteArray("");  // an empty receipt is still one
    return all;
}

void structureError(const QString& name) {
    msg::ShowError(QStringLiteral("O arquivo \"") + name + QStringLiteral("\" possui erro de estrutura.\r") +
                   QStringLiteral("Delete o arquivo e gere novamente."));
}

}  // namespace

QByteArray ReadFirstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    QByteArray raw = file.readLine(4096);
    while (raw.endsWith('\n') || raw.endsWith('\r')) raw.chop(1);
    return raw;
}

TransmitListing ListTransmitFiles(const QString& folder, int anoBase) {
    TransmitListing out;
    const DeclarationFolderListing offered = ListDeclarationFiles(folder, anoBase);
    out.anyFound = offered.anyFound;
    out.writeInterrupted = offered.writeInterrupted;
    for (const DeclarationFileEntry& entry : offered.files) {
        const QString& path = entry.path;
        const QString name = QFileInfo(path).fileName();
        QFile file(path);
        QString header, first;
        QByteArray last;
        if (!file.open(QIODevice::ReadOnly)) {
            msg::ShowError(QStringLiteral("Não foi possível ler o arquivo \"") + name + QStringLiteral("\"."));
            continue;
        }
        header = chopLineEnd(file.readLine(4096));
        first = chopLineEnd(file.readLine(4096));
        const bool readOk = ReadLastLine(file, last);
        file.close();
        if (!readOk) {
            msg::ShowError(QStringLiteral("Não foi possível ler o arquivo \"") + name + QStringLiteral("\"."));
            continue;
        }
        const QString mark = cols(header, 397, 1);
        if (mark == QLatin1String("A") && !VerifyFileDigest(path)) {
            structureError(name);
            continue;
        }
        const QString trailer = cp1252::Decode(last);
        TransmitRow row;
        row.path = path;
        row.columns = QStringList(9, QString());
        row.columns[2] = FormatInscricao(cols(first, 7, 14), cols(first, 279, 1));
        row.columns[3] = cols(first, 21, 2);
        row.columns[8] = cols(first, 24, 52);
        row.columns[4] = name.mid(25, 2);
        row.columns[5] = StripLeadingZeros(cols(trailer, 24, 6));
        row.columns[6] = StripLeadingZeros(cols(trailer, 30, 6));
        if (cols(header, 398, 1) == QLatin1String("P")) row.columns[0] = QStringLiteral("p");
        const bool checked = mark == QLatin1String("A");
        // Only a receipt made for this very file tells that it was sent: a
        // damaged or cut one, or one of another file, leaves it to be sent.
        const ReceiptReading receipt = ReadReceipt(path, entry.receiptPath);
        row.receipt = receipt.check;
        const bool sent = receipt.check == ReceiptCheck::Valid;
        if (sent) row.columns[1] = PrefixedReceiptNumber(cp1252::Decode(receipt.line));
        row.state = !checked ? kImgNaoAnalisada : sent ? kImgTransmitida : kImgGravada;
        row.amendment = cols(header, 223, 1) == QLatin1String("1");
        out.rows.append(row);
    }
    return out;
}

}  // namespace declfile

using namespace declfile;

namespace {

int anoBase() { return ProgramAnoBase(); }

QString transmitterPath(bool certified) {
    if (fmLOBRIX) return certified ? fmLOBRIX->CertifiedTransmitterPath : fmLOBRIX->TransmitterPath;
    const QString year = QString::number(anoBase());
    return QStringLiteral("C:\\ZuvoNet") + year + QStringLiteral("\\ZuvoNet") + year + QStringLiteral(".exe");
}

QPlainTextEdit* memo(QWidget* parent, const char* name, const QStringList& lines) {
    QPlainTextEdit* m = forms::PageMemo(parent, QString::fromLatin1(name), lines);
    m->setMaximumHeight(60);
    return m;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// The four state pictures: written, transmitted, amendment, not analysed.
QImage statePicture(int index) {
    const QColor colours[4] = {QColor(0, 150, 0), QColor(0, 60, 200), QColor(200, 0, 0), QColor(128, 128, 128)};
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colours[index]);
    if (index == kImgRetificadora)
        p.drawPolygon(QPolygon({QPoint(8, 1), QPoint(15, 14), QPoint(1, 14)}));
    else if (index == kImgNaoAnalisada)
        p.drawRect(2, 2, 12, 12);
    else
        p.drawEllipse(1, 1, 14, 14);
    return image;
}

}  // namespace

TfmTransmite::TfmTransmite(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      analyser_(std::make_unique<TAnaliseEstrutura>()) {
    setObjectName(QStringLiteral("fmTransmite"));
    setWindowTitle(QStringLiteral("Transmissão via Internet"));
    buildControls();
    forms::ScaleForm(this, QSize(900, 500), QSize(1020, 570));
    forms::CenterOnActivate(this);
    AddColumns(9);
    SizeColumns();

    connect(BitBtnA, &QPushButton::clicked, this, &TfmTransmite::BitBtnAClick);
    connect(BitBtnC, &QPushButton::clicked, this, &TfmTransmite::BitBtnCClick);
    connect(btnTransmite, &QPushButton::clicked, this, &TfmTransmite::btnTransmiteClick);
    connect(btnImprime, &QPushButton::clicked, this, &TfmTransmite::btnImprimeClick);
    connect(btnConsulta, &QPushButton::clicked, this, &TfmTransmite::btnConsultaClick);
    connect(btAnalise, &QPushButton::clicked, this, &TfmTransmite::btAnaliseClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TfmTransmite::btnCancelarClick);
}

TfmTransmite::~TfmTransmite() {
    if (fmTransmite == this) fmTransmite = nullptr;
}

void TfmTransmite::buildControls() {
    auto* outer = new QVBoxLayout(this);
    memoTransmite = memo(this, "memoTransmite",
                         {QStringLiteral("Selecione a unidade de onde será feita a transmissão. Se disco flexível, "
                                         "coloque o disquete com a declaração na respectiva unidade. "),
                          QStringLiteral("Selecione a declaração que será transmitida. Clique no botão Transmitir.")});
    memoImprime = memo(this, "memoImprime",
                       {QStringLiteral("Selecione a unidade que contém o recibo de entrega da declaração. Se disco "
                                       "flexível, coloque o disquete com o recibo de declaração na respectiva "),
                        QStringLiteral("unidade. Selecione o recibo que será impresso. Clique no botão Imprimir.")});
    memoImprime->hide();
    outer->addWidget(memoTransmite);
    outer->addWidget(memoImprime);

    auto* drivesRow = new QHBoxLayout;
    BitBtnA = button(this, "BitBtnA", QStringLiteral("A:"));
    BitBtnC = button(this, "BitBtnC", QStringLiteral("C:"));
    drivesRow->addWidget(BitBtnA);
    drivesRow->addWidget(BitBtnC);
    drivesRow->addStretch();
    outer->addLayout(drivesRow);

    LumeListview1 = new lume::TLumeListview(this);
    LumeListview1->setObjectName(QStringLiteral("LumeListview1"));
    ImageList1 = new lume::LumeImageList(16, 16, this);
    for (int i = 0; i < 4; ++i) ImageList1->Add(statePicture(i));
    auto* core = LumeListview1->Core();
    core->SetView(lume::TLumeListStyle::elsReport);
    core->Header->SetVisible(true);
    core->Header->SetHeight(25);
    core->Selection()->FullRowSelect = true;
    core->Selection()->SetMultiSelect(false);
    core->Selection()->SetMouseButtonSelRect({lume::TLumeMouseButton::embLeft, lume::TLumeMouseButton::embRight});
    LumeListview1->SetImagesSmall(ImageList1);
    core->OnItemSelectionChanging = [this](lume::TLV*, lume::TLumeItem*, bool&) { SetActionsEnabled(true); };
    // A selection that goes leaves nothing to act on.
    core->OnItemSelectionChanged = [this](lume::TLV*, lume::TLumeItem*) {
        SetActionsEnabled(SelectedIndex() >= 0);
    };
    outer->addWidget(LumeListview1, 1);

    auto* legend = new QHBoxLayout;
    const QString labels[4] = {QStringLiteral("Gravada"), QStringLiteral("Transmitida"),
                               QStringLiteral("Retificadora"), QStringLiteral("Não-Analisada")};
    for (int i = 0; i < 4; ++i) {
        auto* picture = new QLabel(this);
        picture->setPixmap(QPixmap::fromImage(ImageList1->Rendered(i, false, 0)));
        auto* label = new QLabel(labels[i], this);
        label->setObjectName(QStringLiteral("laLegenda%1").arg(i));
        legend->addWidget(picture);
        legend->addWidget(label);
        legend->addSpacing(16);
    }
    legend->addStretch();
    outer->addLayout(legend);

    laStatus = new QLabel(QStringLiteral("Verificando arquivo ..."), this);
    laStatus->setObjectName(QStringLiteral("laStatus"));
    laStatus->hide();
    prCarregarArq = new QProgressBar(this);
    prCarregarArq->setObjectName(QStringLiteral("prCarregarArq"));
    prCarregarArq->setRange(0, 100);
    prCarregarArq->hide();
    outer->addWidget(laStatus);
    outer->addWidget(prCarregarArq);
    edtTexto = new QLineEdit(this);
    edtTexto->setObjectName(QStringLiteral("edtTexto"));
    edtTexto->hide();

    auto* actions = new QHBoxLayout;
    chkCertif = new QCheckBox(QStringLiteral("Transmitir com Certificação"), this);
    chkCertif->setObjectName(QStringLiteral("chkCertif"));
    actions->addWidget(chkCertif);
    actions->addStretch();
    btnTransmite = button(this, "btnTransmite", QStringLiteral("&Transmitir"));
    btnImprime = button(this, "btnImprime", QStringLiteral("&Imprime"));
    btnImprime->hide();  // in the same place, covered outside print mode
    btnConsulta = button(this, "btnConsulta", QStringLiteral("Consultar &Arquivo"));
    btAnalise = button(this, "btAnalise", QStringLiteral("A&nalisar Arquivo"));
    btnCancelar = button(this, "btnCancelar", QStringLiteral("&Cancelar"));
    for (QPushButton* b : {btnTransmite, btnImprime, btnConsulta, btAnalise, btnCancelar}) actions->addWidget(b);
    outer->addLayout(actions);
    SetActionsEnabled(false);
}

void TfmTransmite::AddColumns(int count) {
    struct ColumnText {
        const char* caption;
        int width;
    };
    static const ColumnText columnTexts[9] = {{" ", 18},
                                  {"Nº CREA", 100},
                                  {"CNPJ/CEI do 1º Estabelecimento", 130},
                                  {"Prefixo", 45},
                                  {"Nº Sequencial do Arquivo", 70},
                                  {"Estabelecimentos", 70},
                                  {"Vínculos", 70},
                                  {" ", 18},
                                  {"Razão Social", 430}};
    auto* core = LumeListview1->Core();
    for (int i = 0; i < count && i < 9; ++i) {
        lume::TLumeColumn* column = core->Header->Columns->AddColumn();
        column->SetWidth(150);
        column->SetCaption(QString::fromUtf8(columnTexts[i].caption));
        column->SetWidth(columnTexts[i].width);
        // The list is not sorted by a header click: an arrow would say it is,
        // and would cut the title the column was sized to.
        column->AutoToggleSort = false;
    }
}

void TfmTransmite::SizeColumns() {
    auto* core = LumeListview1->Core();
    const QFontMetrics title(core->Header->Font);
    // The header draws its caption inside its borders and indents.
    constexpr int kTitleMargins = 16;
    const bool anyItem = core->Items().Count() > 0;
    for (int c = 0; c < core->Header->Columns->Count(); ++c) {
        lume::TLumeColumn* column = core->Header->Columns->At(c);
        int width = title.horizontalAdvance(column->Caption()) + kTitleMargins;
        if (anyItem) {
            column->AutoSizeToFit();  // the control's own measure of images and captions
            width = std::max(width, column->Width());
        }
        column->SetWidth(width);
    }
}

void TfmTransmite::SetPrintMode() {
    printMode_ = true;
    setWindowTitle(QStringLiteral("Imprimir Protocolo de Transmissão"));
    memoImprime->show();
    memoTransmite->hide();
    btnTransmite->hide();
    chkCertif->hide();  // nothing is sent from here
    btnImprime->show();
}

namespace {
// The main window the last written file was handed over through: the hand
// over lives no longer than that window.
QPointer<QObject>& writtenFileHandedOver() {
    static QPointer<QObject> handedTo;
    return handedTo;
}
}  // namespace

void HandOverWrittenFile() { writtenFileHandedOver() = fmLOBRIX; }

void TfmTransmite::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    SetActionsEnabled(SelectedIndex() >= 0);
    const QPointer<QObject> handedTo = std::exchange(writtenFileHandedOver(), nullptr);
    if (handedTo && handedTo == fmLOBRIX && !printMode_) {
        // The file was just written: its place is listed without asking.
        const QString written = WriterStateFromProgram().ArquivoGerado;
        const QString rootA = drives::RootFolder(QLatin1Char('A'));
        driveA_ = !rootA.isEmpty() && written.startsWith(rootA);
        ListFolder();
    }
}

void TfmTransmite::closeEvent(QCloseEvent* event) {
    if (analysisRunning_) {
        event->ignore();
        btnCancelarClick();
        return;
    }
    if (fmLOBRIX) fmLOBRIX->AssistenteImpressaoAberto = 0;
    // The wizard opened later from the main window offers its file choice again.
    AnaliseViaTransmissao = 0;
    QDialog::closeEvent(event);
}

int TfmTransmite::SelectedIndex() const {
    lume::TLumeItem* item = LumeListview1->Core()->Selection()->First();
    if (!item) return -1;
    const int index = item->Index();
    return index >= 0 && index < paths_.size() ? index : -1;
}

void TfmTransmite::SetActionsEnabled(bool enabled) {
    for (QPushButton* b : {btnTransmite, btnImprime, btnConsulta, btAnalise}) b->setEnabled(enabled);
}

void TfmTransmite::ClearList() {
    paths_.clear();
    LumeListview1->Core()->Items().Clear();
    SetActionsEnabled(false);
}

void TfmTransmite::BitBtnCClick() { ListFolder(); }

void TfmTransmite::ListFolder() {
    BitBtnC->setEnabled(false);
    BitBtnA->setEnabled(false);
    const bool fromA = driveA_;
    const QString folder = fromA ? drives::RootFolder(QLatin1Char('A')) : TransmitFolder();
    ClearList();
    auto* core = LumeListview1->Core();
    core->BeginUpdate(true);
    const TransmitListing listing = ListTransmitFiles(folder, anoBase());
    for (const TransmitRow& row : listing.rows) {
        lume::TLumeItem* item = core->Items().Add();
        for (int c = 0; c < 9; ++c) {
            // Trailing blanks of a fixed-width field would only cost width.
            QString text = row.columns[c];
            while (text.endsWith(QLatin1Char(' '))) text.chop(1);
            if (!text.isEmpty()) item->SetCaptions(c, text);
        }
        item->SetImageIndexes(0, row.state);
        if (row.amendment) item->SetImageIndexes(7, kImgRetificadora);
        paths_.append(row.path);
    }
    core->EndUpdate(true);
    SizeColumns();
    driveA_ = false;
    lastListedA_ = fromA;
    // Whatever was selected before is gone with the old list.
    SetActionsEnabled(false);
    if (!listing.anyFound) {
        msg::ShowWarning(QStringLiteral("Unidade não contém declaração do Lobrix") + QString::number(anoBase()) +
                         QStringLiteral("."));
        ClearList();
    } else if (listing.writeInterrupted) {
        msg::ShowWarning(InterruptedWriteText());
    }
    // The first file selected and focused, so that a keyboard user reaches
    // every action (the list's first key would only show the focus).
    if (core->Items().Count() > 0) {
        lume::TLumeItem* first = core->Items()[0];
        first->SetSelected(true);
        first->SetFocused(true);
        SetActionsEnabled(SelectedIndex() >= 0);
    }
    BitBtnC->setEnabled(true);
    BitBtnA->setEnabled(true);
}

void TfmTransmite::BitBtnAClick() {
    driveA_ = true;
    if (WaitForDiskette(QLatin1Char('A')) && DriveHasEntries(QLatin1Char('A'), EntryKinds::FilesAndFolders)) {
        ListFolder();
        return;
    }
    driveA_ = false;
    ClearList();
    msg::ShowWarning(QStringLiteral("Unidade não contém declaração."));
}

void TfmTransmite::btnTransmiteClick() {
    const int i = SelectedIndex();
    if (i < 0) return;
    const int state = LumeListview1->Core()->Items()[i]->ImageIndexes(0);
    if (state == kImgTransmitida) {
        msg::ShowWarning(QStringLiteral("Declaração já transmitida."));
        return;
    }
    if (state == kImgNaoAnalisada) {
        msg::ShowWarning(QStringLiteral("A Declaração ainda não foi Analisada. Clique no Botão \"Analisar Arquivo\" "
                                        "para validar a declaração"));
        return;
    }
    const QString path = paths_.at(i);
    const QString tail = path.right(32);
    if (path.size() < 32 || !tail.startsWith(QStringLiteral("Zuvo") + QString::number(anoBase())) ||
        !tail.endsWith(QLatin1String(".dec"))) {
        msg::ShowError(QStringLiteral("A declaração não pode ser transmitida: nome do arquivo fora do padrão. Gere o "
                                      "arquivo novamente para transmissão."));
        return;
    }
    const bool certified = chkCertif->isChecked();
    QFile handOff(os::LocalPath(QStringLiteral("C:\\Zuvonet.ini")));
    if (!handOff.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        msg::ShowError(QStringLiteral("Não foi possível gravar o arquivo ") +
                       QDir::toNativeSeparators(handOff.fileName()) + QStringLiteral("."));
        return;
    }
    if (certified && os::FindProgram(transmitterPath(true)).isEmpty()) {
        msg::ShowError(QStringLiteral("Sua versão do ZuvoNet não tem suporte à certificação digital.\n\r") +
                       QStringLiteral("Faça a cópia (download) da versão mais recente, instale em seu computador "
                                      "e tente novamente."));
        return;
    }
    handOff.write(QFile::encodeName(path) + (certified ? "1" : "2") + "\r\n");
    handOff.close();

    if (!os::FindProgram(transmitterPath(false)).isEmpty()) {
        // A receipt already there is an invalid one (a valid one marks the
        // file transmitted): only a new receipt tells what this run did.
        const QByteArray before = readReceipt(path);
        const os::ExecOutcome outcome = os::ExecAndWaitOutcome(transmitterPath(certified));
        driveA_ = lastListedA_;
        ListFolder();
        ReportTransmission(path, before, outcome);
        return;
    }
    const QString nl = QStringLiteral("\n\r");
    msg::ShowWarning(QStringLiteral("A transmissão da declaração via internet é feita com a utilização") + nl +
                     QStringLiteral("do programa ZuvoNet") + QString::number(anoBase()) +
                     QStringLiteral(", não encontrado nesse computador.") + nl +
                     QStringLiteral("Faça a cópia do programa(download) e instale em seu computador.") + nl + nl +
                     QStringLiteral("Ao enviar a declaração, o protocolo de entrega será automaticamente") + nl +
                     QStringLiteral("gravado no disco rígido ou disquete."));
}

void TfmTransmite::ReportTransmission(const QString& path, const QByteArray& receiptBefore,
                                      const os::ExecOutcome& outcome) {
    const QByteArray receipt = readReceipt(path);
    const bool newReceipt = !receipt.isNull() && receipt != receiptBefore;
    const ReceiptCheck check = newReceipt ? ReadReceipt(path).check : ReceiptCheck::None;
    if (check == ReceiptCheck::Valid) return;  // the list shows it "Transmitida"
    const QString name = QFileInfo(path).fileName();
    const QString program = QStringLiteral("ZuvoNet") + QString::number(anoBase());
    if (!outcome.started) {
        msg::ShowWarning(QStringLiteral("A declaração \"") + name + QStringLiteral("\" não foi transmitida: o ") +
                         program + QStringLiteral(" não pôde ser iniciado.\rA declaração continua Gravada."));
        return;
    }
    // How the transmission program ended: only it knows what it sent.
    QString ending;
    if (outcome.crashed)
        ending = QStringLiteral("O ") + program + QStringLiteral(" foi interrompido antes de terminar");
    else if (outcome.exitCode != 0)
        ending = QStringLiteral("O ") + program + QStringLiteral(" terminou com erro (código %1)").arg(outcome.exitCode);
    else
        ending = QStringLiteral("O ") + program + QStringLiteral(" terminou");
    const QString unconfirmed =
        QStringLiteral("\rNão é possível confirmar a transmissão: a declaração continua Gravada. Verifique no ") +
        program + QStringLiteral(" se ela foi recebida antes de transmiti-la novamente.");
    if (newReceipt) {
        msg::ShowWarning(ending + QStringLiteral(" e o recibo de entrega gravado para a declaração \"") + name +
                         QStringLiteral("\" não a confirma: ") + ReceiptProblemText(check) + QLatin1Char('.') +
                         unconfirmed);
        return;
    }
    msg::ShowWarning(ending + QStringLiteral(" sem gravar o recibo de entrega da declaração \"") + name +
                     QStringLiteral("\".") + unconfirmed);
}

QString TfmTransmite::FormatThousands(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    // A count that is not a number is shown as it was read.
    if (!ok) return text;
    QString digits = QString::number(value);
    const int n = value < 0 ? digits.size() - 1 : digits.size();
    if (n >= 4 && n <= 6) digits.insert(digits.size() - 3, QLatin1Char('.'));
    return digits;
}

void TfmTransmite::btnImprimeClick() {
    const int i = SelectedIndex();
    if (i < 0) return;
    // The receipt is read again: it may have changed since the listing.
    const ReceiptReading receipt = ReadReceipt(paths_.at(i));
    if (LumeListview1->Core()->Items()[i]->ImageIndexes(0) != kImgTransmitida ||
        receipt.check != ReceiptCheck::Valid) {
        const QString problem = ReceiptProblemText(receipt.check);
        msg::ShowWarning(problem.isEmpty() ? QStringLiteral("Declaração não transmitida.")
                                           : QStringLiteral("Declaração não transmitida: ") + problem +
                                                 QLatin1Char('.'));
        return;
    }
    const QByteArray& line = receipt.line;
    edtTexto->setText(QString::fromLatin1(line.left(100)));
    btnImprime->setEnabled(false);
    GeraRelatorio(cp1252::Decode(line));
    btnImprime->setEnabled(true);
}

void TfmTransmite::GeraRelatorio(const QString& line) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    if (!report::IsPrinterInstalled()) {
        msg::ShowWarning(QStringLiteral("Não há impressoras instaladas."));
        dm->RvSystem1.allowPrintFromPreview = false;
    }
    auto field = [&line](int from, int length) { return line.mid(from - 1, length); };
    QString crea = PrefixedReceiptNumber(line);
    if (crea.isEmpty()) crea = field(1, 9);
    const QString inscription = field(10, 14);
    const QString cnpj = IsValidCnpjStrict(inscription) ? FormatInscricao(inscription, QStringLiteral("1"))
                                                        : FormatInscricao(inscription, QStringLiteral("3"));
    const QString date = field(45, 8);
    const QString time = field(53, 4);
    QStringList groups;
    const QString hash = field(59, 32);
    for (int g = 0; g < 8; ++g) groups << hash.mid(g * 4, 4);
    report::ReportProject& project = dm->RvProject2;
    project.SetParam(QStringLiteral("AnoBase"), QString::number(anoBase()));
    project.SetParam(QStringLiteral("CREA"), crea);
    project.SetParam(QStringLiteral("CNPJ"), cnpj);
    project.SetParam(QStringLiteral("QtdVinc"), FormatThousands(field(39, 6)));
    project.SetParam(QStringLiteral("QtdEstab"), FormatThousands(field(34, 5)));
    project.SetParam(QStringLiteral("CRCArqZuvo"), field(24, 10));
    project.SetParam(QStringLiteral("Data"), date.mid(0, 2) + QStringLiteral("/") + date.mid(2, 2) +
                                                 QStringLiteral("/") + date.mid(4, 4) + QStringLiteral(" às "));
    project.SetParam(QStringLiteral("Hora"), time.mid(0, 2) + QStringLiteral(":") + time.mid(2, 2));
    project.SetParam(QStringLiteral("Hash"), groups.join(QLatin1Char('.')));
    project.SetParam(QStringLiteral("CRCRecibo"), field(91, 10));
    if (project.SelectReport(QStringLiteral("Transmissao"))) project.Execute();
}

void TfmTransmite::btnConsultaClick() {
    const int i = SelectedIndex();
    if (i < 0) return;
    ConsultFile(paths_.at(i));
}

void TfmTransmite::ConsultFile(const QString& path) {
    for (QWidget* w : {static_cast<QWidget*>(BitBtnA), static_cast<QWidget*>(BitBtnC),
                       static_cast<QWidget*>(btnTransmite), static_cast<QWidget*>(btnConsulta),
                       static_cast<QWidget*>(btAnalise)})
        w->setEnabled(false);
    repaint();
    prCarregarArq->show();
    laStatus->show();
    analysisRunning_ = true;
    int result = kAnaliseComErro;
    int establishments = 0, contracts = 0;
    bool failed = false;
    try {
        forms::ProgressBarHost host(prCarregarArq);
        result = analyser_->AnalyseFile(path, quint16(anoBase()), host,
                                        ProgramDirectory() + QStringLiteral("Dados"), false, establishments,
                                        contracts, false);
    } catch (const db::DbError& error) {
        failed = true;
        msg::ShowWarning(QStringLiteral("Não foi possível carregar o arquivo para consulta:\r") + EngineErrorDetail(error));
    }
    BitBtnA->setEnabled(true);
    BitBtnC->setEnabled(true);
    SetActionsEnabled(SelectedIndex() >= 0);
    analysisRunning_ = false;
    laStatus->hide();
    prCarregarArq->setValue(0);
    prCarregarArq->hide();
    if (failed || (result & kAnaliseInterrompida) || result == kAnaliseFalhaCopia) return;
    if (result & kAnaliseComErro) {
        if (fmLOBRIX) fmLOBRIX->ConsultaComErros = 1;
        TfmConsultaDisquete consultation(this);
        forms::ShowModal(&consultation);
        return;
    }
    if (fmLOBRIX) fmLOBRIX->CreaRelatorio = TransmittedReceiptCode(path);
    TfmConsultaDisquete consultation(this);
    consultation.ShowConsultationPages();
}

void TfmTransmite::btAnaliseClick() {
    const int i = SelectedIndex();
    if (i < 0) return;
    const int state = LumeListview1->Core()->Items()[i]->ImageIndexes(0);
    AnaliseViaTransmissao = 1;
    if (state == kImgNaoAnalisada) {
        for (QPushButton* b : {btnTransmite, btAnalise, btnConsulta}) b->setEnabled(false);
    } else if (!msg::AskYesNo(QStringLiteral("O Arquivo selecionado já foi analisado. Deseja executar mesmo assim?"))) {
        return;
    }
    ShowAnalisador(this, paths_.at(i));
    driveA_ = lastListedA_;
    ListFolder();
}

void TfmTransmite::btnCancelarClick() {
    AnaliseViaTransmissao = 0;
    if (analysisRunning_) {
        analyser_->Cancel();
        return;
    }
    if (fmLOBRIX) fmLOBRIX->AssistenteImpressaoAberto = 0;
    done(QDialog::Rejected);
}

void ShowTransmite(QWidget* parent) {
    delete fmTransmite;
    fmTransmite = new TfmTransmite(parent);
    forms::ShowModal(fmTransmite);
    delete fmTransmite;
    fmTransmite = nullptr;
}

void ShowProtocoloTransmissao(QWidget* parent) {
    delete fmTransmite;
    fmTransmite = new TfmTransmite(parent);
    fmTransmite->SetPrintMode();
    forms::ShowModal(fmTransmite);
    delete fmTransmite;
    fmTransmite = nullptr;
}
