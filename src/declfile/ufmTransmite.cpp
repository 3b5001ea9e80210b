#include "declfile/ufmTransmite.h"

#include "declfile/MainWindowState.h"
#include "declfile/Windows1252.h"
#include "declfile/ufmAnalis00.h"
#include "declfile/ufmConsultaDisquete.h"
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
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

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

// The last non-empty line of the file, read from its end: a declaration ends
// with its trailer, and reading every line before it would cost the whole file.
bool readLastLine(QFile& file, QString& last) {
    const qint64 size = file.size();
    qint64 window = 2048;
    while (true) {
        const qint64 from = qMax<qint64>(0, size - window);
        if (!file.seek(from)) return false;
        QByteArray tail = file.read(size - from);
        if (tail.size() != size - from) return false;
        while (tail.endsWith('\n') || tail.endsWith('\r')) tail.chop(1);
        const qsizetype at = qMax(tail.lastIndexOf('\n'), tail.lastIndexOf('\r'));
        if (at >= 0 || from == 0) {
            last = cp1252::Decode(tail.mid(at + 1));
            return true;
        }
        window *= 4;
    }
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

// The first line of a text without its line end.
QByteArray firstLine(const QByteArray& text) {
    const qsizetype end = text.indexOf('\n');
    QByteArray line = end < 0 ? text : text.left(end);
    while (line.endsWith('\r')) line.chop(1);
    return line;
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

QString PrefixedReceiptNumber(const QString& receiptLine) {
    if (receiptLine.isEmpty()) return QString();
    const QChar first = receiptLine.at(0);
    if (first == QLatin1Char('5')) return QStringLiteral("590") + receiptLine.left(9);
    if (first == QLatin1Char('3')) return QStringLiteral("390") + receiptLine.left(9);
    if (first == QLatin1Char('9')) return QStringLiteral("990") + receiptLine.left(9);
    return QString();
}

bool VerificaCRC(const QByteArray& receiptLine) {
    if (receiptLine.size() < 100) return false;
    const quint32 crc = digest::Crc32(receiptLine.left(90));
    return QString::asprintf("%010u", crc).toLatin1() == receiptLine.mid(90, 10);
}

TransmitListing ListTransmitFiles(const QString& folder, int anoBase) {
    TransmitListing out;
    const QString pattern = QStringLiteral("Zuvo") + QString::number(anoBase) + QStringLiteral("*.dec");
    QDir dir(folder);
    dir.setNameFilters({pattern});
    // Hidden files are left out; folders named like a declaration are not files.
    const QStringList names = dir.entryList(QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
    // A name of another case is found as well (the search ignores case).
    out.anyFound = !names.isEmpty();
    // The receipts by name without regard to case, read once for the folder.
    QHash<QString, QString> receipts;
    for (const QString& r : dir.entryList({QStringLiteral("*.rec")}, QDir::Files | QDir::System))
        receipts.insert(r.toLower(), r);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        QFile file(path);
        QString header, first, last;
        if (!file.open(QIODevice::ReadOnly)) {
            msg::ShowError(QStringLiteral("Não foi possível ler o arquivo \"") + name + QStringLiteral("\"."));
            continue;
        }
        header = chopLineEnd(file.readLine(4096));
        first = chopLineEnd(file.readLine(4096));
        const bool readOk = readLastLine(file, last);
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
        TransmitRow row;
        row.path = path;
        row.columns = QStringList(9, QString());
        row.columns[2] = FormatInscricao(cols(first, 7, 14), cols(first, 279, 1));
        row.columns[3] = cols(first, 21, 2);
        row.columns[8] = cols(first, 24, 52);
        row.columns[4] = name.mid(25, 2);
        row.columns[5] = StripLeadingZeros(cols(last, 24, 6));
        row.columns[6] = StripLeadingZeros(cols(last, 30, 6));
        if (cols(header, 398, 1) == QLatin1String("P")) row.columns[0] = QStringLiteral("p");
        const bool checked = mark == QLatin1String("A");
        // Only a receipt whose checksum verifies tells that the file was
        // sent: a damaged or cut one leaves it to be transmitted again.
        const QString receiptName = receipts.value(QFileInfo(name).completeBaseName().toLower() + QStringLiteral(".rec"));
        const QByteArray receiptLine =
            receiptName.isEmpty() ? QByteArray() : ReadFirstLine(dir.filePath(receiptName));
        const bool sent = !receiptName.isEmpty() && VerificaCRC(receiptLine);
        if (sent) row.columns[1] = PrefixedReceiptNumber(cp1252::Decode(receiptLine));
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
                       {QStringLiteral("Selecione a unidade que contém o recibo de entrega da declaração .Se disco "
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
    btnImprime->show();
}

void TfmTransmite::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    SetActionsEnabled(SelectedIndex() >= 0);
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
        const bool started = os::ExecAndWait(transmitterPath(certified));
        driveA_ = lastListedA_;
        ListFolder();
        ReportTransmission(path, before, started);
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

void TfmTransmite::ReportTransmission(const QString& path, const QByteArray& receiptBefore, bool started) {
    const QByteArray receipt = readReceipt(path);
    const bool newReceipt = !receipt.isNull() && receipt != receiptBefore;
    const QString name = QFileInfo(path).fileName();
    const QString program = QStringLiteral("ZuvoNet") + QString::number(anoBase());
    if (newReceipt && VerificaCRC(firstLine(receipt))) return;  // the list shows it "Transmitida"
    if (newReceipt) {
        msg::ShowWarning(QStringLiteral("O recibo de entrega gravado pelo ") + program +
                         QStringLiteral(" para a declaração \"") + name +
                         QStringLiteral("\" é inválido (Arquivo .rec inválido).\r"
                                        "A declaração não consta como transmitida e continua Gravada: "
                                        "transmita-a novamente."));
        return;
    }
    msg::ShowWarning(QStringLiteral("A declaração \"") + name + QStringLiteral("\" não foi transmitida: o ") + program +
                     (started ? QStringLiteral(" terminou sem gravar o recibo de entrega.")
                              : QStringLiteral(" não pôde ser iniciado.")) +
                     QStringLiteral("\rNada foi enviado. A declaração continua Gravada e pode ser transmitida "
                                    "novamente."));
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
    if (LumeListview1->Core()->Items()[i]->ImageIndexes(0) != kImgTransmitida) {
        msg::ShowWarning(QStringLiteral("Declaração não transmitida."));
        return;
    }
    const QByteArray line = ReadFirstLine(ReceiptPath(paths_.at(i)));
    edtTexto->setText(QString::fromLatin1(line.left(100)));
    if (!VerificaCRC(line)) {
        msg::ShowError(QStringLiteral("Arquivo .rec inválido"));
        return;
    }
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
        result = analyser_->AnalyseFile(path, quint16(anoBase()), prCarregarArq,
                                        ProgramDirectory() + QStringLiteral("Dados"), false, establishments,
                                        contracts, false);
    } catch (const db::DbError& error) {
        failed = true;
        msg::ShowWarning(QStringLiteral("Não foi possível carregar o arquivo para consulta:\r") + error.text());
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
    if (fmLOBRIX) fmLOBRIX->CreaRelatorio = ReadReceiptCode(path);
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
