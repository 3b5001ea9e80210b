// The transmission window: the listing of declaration files and their
// states, the hand-off to the transmission program (the stand-in built with
// the tests), the receipt checks and the road a user takes from the main
// window to a transmitted file.
#include "AnalyserFixture.h"
#include "DeclfileTestSupport.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/consulta/ufmConsultaDisquete.h"
#include "declfile/transmite/ufmTransmite.h"
#include "declfile/ugDriveDisquete.h"
#include "declfile/ugHashCompara.h"
#include "listview/model/LumeColumn.h"
#include "listview/layout/LumeHeader.h"
#include "listview/qt/LumeListviewWidget.h"
#include "platform/Digest.h"
#include "platform/os/Drives.h"
#include "platform/os/Process.h"
#include "platform/report/ReportEngine.h"
#include "shell/UdmLobrix.h"
#include "shell/UfmRelatorio03.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmLOBRIX.h"

#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ReportFiles.h"
#include "support/ValidDeclaration.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using declfile::TransmitRow;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// A receipt line with a correct checksum of its first 90 characters.
QByteArray receiptLine(const QByteArray& first90) {
    QByteArray line = first90.leftJustified(90, ' ', true);
    return line + QString::asprintf("%010u", digest::Crc32(line)).toLatin1();
}

// The last line of a file without its line end.
QByteArray lastLine(const QString& path) {
    QList<QByteArray> lines = readFile(path).trimmed().split('\n');
    return lines.last().trimmed();
}

QByteArray receiptFor(const QString& declaration) { return ReceiptLineFor(declaration); }

}  // namespace

class Transmite : public ::testing::Test {
protected:
    void SetUp() override {
        declfile::SetProgramAnoBase(2009);
        valid::WriteDeclaration(2, 3);
        os::SetExecSeam({});
    }
    void TearDown() override {
        os::SetExecSeam({});
        qunsetenv("ZUVONET_STANDIN_FAIL");
    }

    // Writes the declaration with the writer into "Transmite"; its path.
    QString writeDeclaration() {
        declfile::WriteRequest request;
        request.drive = QLatin1Char('C');
        request.dataFolder = program.dataFolder();
        request.generationDate = QStringLiteral("15012010");
        request.generationTime = QStringLiteral("101500");
        declfile::WriterState state;
        declfile::WriterHost host;
        EXPECT_EQ(declfile::WriteDeclarationFile(request, state, host), declfile::kWritten);
        return state.ArquivoGerado;
    }
    QString transmite() const { return declfile::TransmitFolder(); }
    void installStandIn() {
        QDir(program.path()).mkpath(QStringLiteral("ZuvoNet2009"));
        const QString target = program.path() + QStringLiteral("ZuvoNet2009/ZuvoNet2009");
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZUVONET_STANDIN), target));
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner);
    }
    QByteArray handOff() const { return readFile(program.path() + QStringLiteral("Zuvonet.ini")); }

    TempProgramWithModules program;
};

TEST(TransmiteReceipt, ChecksumsAndCounts) {
    EXPECT_EQ(digest::Crc32("123456789"), 3421780262u);
    const QByteArray good = receiptLine("512345678" "11222333000181");
    struct Case {
        const char* what;
        QByteArray line;
        bool valid;
    } cases[] = {
        {"checksum of the first 90", good, true},
        {"one digit changed", good.left(99) + (good.at(99) == '0' ? "1" : "0"), false},
        {"a character of the 90 changed", "6" + good.mid(1), false},
        {"99 characters", good.left(99), false},
        {"empty", QByteArray(), false},
        {"longer line, extra ignored", good + "XYZ", true},
    };
    for (const Case& c : cases) EXPECT_EQ(declfile::VerificaCRC(c.line), c.valid) << c.what;

    const std::pair<const char*, const char*> thousands[] = {
        {"001234", "1.234"}, {"000012", "12"}, {"123456", "123.456"}, {"000000", "0"},
        {"1234567", "1234567"}, {"01000", "1.000"}, {"12A45", "12A45"}, {"", ""},
    };
    for (auto [in, out] : thousands)
        EXPECT_EQ(TfmTransmite::FormatThousands(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;

    EXPECT_EQ(declfile::PrefixedReceiptNumber(QStringLiteral("512345678X")), QStringLiteral("590512345678"));
    EXPECT_EQ(declfile::PrefixedReceiptNumber(QStringLiteral("312345678")), QStringLiteral("390312345678"));
    EXPECT_EQ(declfile::PrefixedReceiptNumber(QStringLiteral("912345678")), QStringLiteral("990912345678"));
    EXPECT_EQ(declfile::PrefixedReceiptNumber(QStringLiteral("712345678")), QString());
}

// A receipt is its file's only when its checksum holds and its digest and
// counts are the file's; each other case names the field that differs.
TEST(TransmiteReceipt, AReceiptDescribesItsOwnFile) {
    using declfile::ReceiptCheck;
    QByteArray trailer(550, ' ');
    trailer.replace(23, 12, "000004011003");  // 4 establishments, 11,003 contracts
    const QByteArray digest = "0123456789abcdef0123456789abcdef";
    trailer.replace(518, 32, digest);
    auto line = [](const QByteArray& counts, const QByteArray& hash) {
        return receiptLine("512345678" "11222333000181" "0000000001" + counts + "150320101030" "  " + hash);
    };
    const QByteArray own = line("00004" "011003", digest);
    const struct {
        const char* what;
        QByteArray line;
        ReceiptCheck check;
    } cases[] = {
        {"its own", own, ReceiptCheck::Valid},
        {"its own, a longer line", own + "XYZ", ReceiptCheck::Valid},
        {"checksum wrong", own.left(99) + (own.at(99) == '0' ? "1" : "0"), ReceiptCheck::ChecksumWrong},
        {"cut short", own.left(95), ReceiptCheck::Incomplete},
        {"empty", QByteArray(), ReceiptCheck::Incomplete},
        {"another file's digest", line("00004" "011003", QByteArray(32, 'f')), ReceiptCheck::DigestDiffers},
        {"another file's establishments", line("00001" "011003", digest), ReceiptCheck::EstablishmentsDiffer},
        {"another file's contracts", line("00004" "049997", digest), ReceiptCheck::ContractsDiffer},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(declfile::CheckReceiptLine(c.line, trailer), c.check) << c.what;
        EXPECT_EQ(declfile::ReceiptProblemText(c.check).isEmpty(), c.check == ReceiptCheck::Valid) << c.what;
    }
}

TEST_F(Transmite, ListingStatesAndColumns) {
    const QString written = writeDeclaration();
    const QString name = QFileInfo(written).fileName();
    ASSERT_EQ(name.size(), 32);
    const QByteArray original = readFile(written);

    {  // Written by the program, no receipt: "Gravada", counts without zeros.
        const auto listing = declfile::ListTransmitFiles(transmite(), 2009);
        ASSERT_EQ(listing.rows.size(), 1);
        const TransmitRow& row = listing.rows[0];
        EXPECT_EQ(row.state, declfile::kImgGravada);
        EXPECT_FALSE(row.amendment);
        EXPECT_EQ(row.columns[0], QString());
        EXPECT_EQ(row.columns[1], QString());
        EXPECT_EQ(row.columns[4], name.mid(25, 2));
        EXPECT_EQ(row.columns[5], QStringLiteral("2"));
        EXPECT_EQ(row.columns[6], QStringLiteral("6"));
        EXPECT_EQ(row.columns[2].size(), 18);  // a formatted CNPJ
        EXPECT_EQ(row.path, written);
    }

    // The receipt beside it, also with an upper-case extension.
    writeBytes(transmite() + name.left(28) + QStringLiteral(".REC"), receiptFor(written) + "\r\n");
    {
        const auto listing = declfile::ListTransmitFiles(transmite(), 2009);
        ASSERT_EQ(listing.rows.size(), 1);
        EXPECT_EQ(listing.rows[0].state, declfile::kImgTransmitida);
        EXPECT_EQ(listing.rows[0].columns[1], QStringLiteral("590512345678"));
    }
    // A receipt that does not verify (its checksum, a cut line, another
    // file's) does not tell that this file was sent.
    for (const QByteArray& bad :
         {receiptFor(written).left(99) + "X", receiptFor(written).left(95), receiptLine("512345678")}) {
        writeBytes(transmite() + name.left(28) + QStringLiteral(".REC"), bad + "\r\n");
        const auto listing = declfile::ListTransmitFiles(transmite(), 2009);
        ASSERT_EQ(listing.rows.size(), 1);
        EXPECT_EQ(listing.rows[0].state, declfile::kImgGravada) << bad.constData();
        EXPECT_EQ(listing.rows[0].columns[1], QString()) << bad.constData();
    }
    QFile::remove(transmite() + name.left(28) + QStringLiteral(".REC"));

    // A part of a split file, an amendment, a changed file, an upper-case
    // name, a folder named like a file, a hidden file.
    QByteArray part = original;
    analyserfixture::Put(part, 1, 397, " P");
    writeBytes(transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"), part);
    QByteArray amendment = original;
    analyserfixture::Put(amendment, 1, 223, "1");
    writeBytes(transmite() + QStringLiteral("Zuvo2009_111111111111110103R.dec"), amendment);
    ASSERT_EQ(declfile::StampFileDigest(transmite() + QStringLiteral("Zuvo2009_111111111111110103R.dec")),
              declfile::StampResult::Stamped);
    QByteArray changed = original;
    analyserfixture::Put(changed, 2, 24, "X");
    writeBytes(transmite() + QStringLiteral("Zuvo2009_111111111111110104G.dec"), changed);
    writeBytes(transmite() + QStringLiteral("ZUVO2009_111111111111110105G.DEC"), original);
    QDir(transmite()).mkdir(QStringLiteral("Zuvo2009_folder.dec"));
    writeBytes(transmite() + QStringLiteral(".Zuvo2009_hidden.dec"), original);
    // A short file: the columns past its lines read as blanks.
    writeBytes(transmite() + QStringLiteral("Zuvo2009_short.dec"), "0000001\r\n");

    BoxScript boxes;
    boxes.expect(QStringLiteral("O arquivo \"Zuvo2009_111111111111110104G.dec\" possui erro de estrutura."),
                 QStringLiteral("mrOk"));
    const auto listing = declfile::ListTransmitFiles(transmite(), 2009);
    QHash<QString, TransmitRow> byName;
    for (const TransmitRow& r : listing.rows) byName.insert(QFileInfo(r.path).fileName(), r);
    EXPECT_EQ(byName.size(), 5) << QStringList(byName.keys()).join(',').toStdString();
    EXPECT_EQ(byName[QStringLiteral("Zuvo2009_111111111111110102G.dec")].columns[0], QStringLiteral("p"));
    EXPECT_EQ(byName[QStringLiteral("Zuvo2009_111111111111110102G.dec")].state, declfile::kImgNaoAnalisada);
    EXPECT_TRUE(byName[QStringLiteral("Zuvo2009_111111111111110103R.dec")].amendment);
    EXPECT_EQ(byName[QStringLiteral("Zuvo2009_111111111111110103R.dec")].state, declfile::kImgGravada);
    EXPECT_FALSE(byName.contains(QStringLiteral("Zuvo2009_111111111111110104G.dec")));
    EXPECT_EQ(byName[QStringLiteral("ZUVO2009_111111111111110105G.DEC")].state, declfile::kImgGravada);
    EXPECT_EQ(byName[QStringLiteral("Zuvo2009_short.dec")].state, declfile::kImgNaoAnalisada);
    EXPECT_EQ(byName[QStringLiteral("Zuvo2009_short.dec")].columns[8], QString(52, QLatin1Char(' ')));
    EXPECT_EQ(byName[QStringLiteral("Zuvo2009_short.dec")].columns[5].trimmed(), QString());
    EXPECT_FALSE(byName.contains(QStringLiteral("Zuvo2009_folder.dec")));
}

// Every column shows its title and its entries whole: a receipt number, an
// inscription, and the "p" of a split part beside its picture.
TEST_F(Transmite, ColumnsShowTheirTitlesAndEntriesWhole) {
    const QString written = writeDeclaration();
    writeBytes(transmite() + QFileInfo(written).completeBaseName() + QStringLiteral(".rec"),
               receiptFor(written) + "\r\n");
    QByteArray part = readFile(written);
    analyserfixture::Put(part, 1, 397, " P");
    writeBytes(transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"), part);
    TfmTransmite form;
    ASSERT_TRUE(gui::showActive(&form));
    gui::click(form.BitBtnC);
    auto* core = form.LumeListview1->Core();
    ASSERT_EQ(core->Items().Count(), 2);
    const QFontMetrics title(core->Header->Font), entry(core->Font);
    for (int c = 0; c < 9; ++c) {
        lume::TLumeColumn* column = core->Header->Columns->At(c);
        SCOPED_TRACE(column->Caption().toStdString());
        EXPECT_GE(column->Width(), title.horizontalAdvance(column->Caption()) + 10);
        for (int i = 0; i < 2; ++i) {
            const bool image = c == 0 || (c == 7 && core->Items()[i]->ImageIndexes(7) >= 0);
            EXPECT_GE(column->Width(), entry.horizontalAdvance(core->Items()[i]->Captions(c)) + (image ? 18 : 0) + 8)
                << core->Items()[i]->Captions(c).toStdString();
        }
    }
    EXPECT_EQ(core->Items()[form.Paths().indexOf(written)]->Captions(1), QStringLiteral("590512345678"));

    // The "p" is painted right of the picture in the first column.
    const int row = form.Paths().indexOf(transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"));
    gui::settle();
    const QImage shot = form.LumeListview1->viewport()->grab().toImage();
    const lume::LumeRect r = core->Items()[row]->DisplayRect;
    const int top = core->Header->RuntimeHeight() + r.Top;
    int ink = 0;
    for (int x = 20; x < core->Header->Columns->At(0)->Width(); ++x)
        for (int y = top; y < top + r.Bottom - r.Top; ++y)
            if (qGray(shot.pixel(x, y)) < 100) ++ink;
    EXPECT_GT(ink, 0) << "no \"p\" painted";
}

TEST_F(Transmite, TransmitRefusalsAndCertification) {
    const QString written = writeDeclaration();
    const QString name = QFileInfo(written).fileName();
    TfmTransmite form;
    QStringList started;
    os::SetExecSeam([&](const QString& line) {
        started << line;
        return true;
    });

    // Before any listing the actions are disabled and do nothing.
    EXPECT_FALSE(form.btnTransmite->isEnabled());
    form.btnTransmiteClick();
    EXPECT_TRUE(handOff().isNull() || handOff().isEmpty());

    // The listing selects its first file.
    form.BitBtnCClick();
    ASSERT_EQ(form.Paths().size(), 1);
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_TRUE(form.btnTransmite->isEnabled());
    EXPECT_TRUE(form.btnConsulta->isEnabled());
    auto select = [&](int i) { (*form.LumeListview1)->Items()[i]->SetSelected(true); };

    {  // No transmission program: the warning, the hand-off written, no relisting.
        BoxScript boxes;
        boxes.expect(QStringLiteral("do programa ZuvoNet2009, não encontrado nesse computador."), "mrOk");
        form.btnTransmiteClick();
        EXPECT_EQ(handOff(), QFile::encodeName(written) + "2\r\n");
        EXPECT_TRUE(started.isEmpty());
        EXPECT_TRUE(form.btnTransmite->isEnabled());  // the list was kept
    }
    {  // Certification asked but no certified program: the hand-off is left empty.
        BoxScript boxes;
        boxes.expect(QStringLiteral("Sua versão do ZuvoNet não tem suporte à certificação digital."), "mrOk");
        form.chkCertif->setChecked(true);
        form.btnTransmiteClick();
        EXPECT_TRUE(QFile::exists(program.path() + QStringLiteral("Zuvonet.ini")));
        EXPECT_TRUE(handOff().isEmpty());
        form.chkCertif->setChecked(false);
    }
    // With the program in place (the seam records the start): certified "1".
    QDir(program.path()).mkpath(QStringLiteral("ZuvoNet2009"));
    writeBytes(program.path() + QStringLiteral("ZuvoNet2009/ZuvoNet2009.exe"), "x");
    form.chkCertif->setChecked(true);
    {
        BoxScript boxes;  // the seam leaves no receipt
        boxes.expect(QStringLiteral("terminou sem gravar o recibo de entrega da declaração"), "mrOk");
        form.btnTransmiteClick();
    }
    EXPECT_EQ(handOff(), QFile::encodeName(written) + "1\r\n");
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0], QStringLiteral("C:\\ZuvoNet2009\\ZuvoNet2009.exe"));
    // Listed again, its first file selected anew.
    EXPECT_EQ(form.SelectedIndex(), 0);
    form.chkCertif->setChecked(false);

    // A file with a receipt, a file not analysed, a name out of pattern.
    writeBytes(transmite() + name.left(28) + QStringLiteral(".rec"), receiptFor(written) + "\r\n");
    QByteArray part = readFile(written);
    analyserfixture::Put(part, 1, 397, " P");
    writeBytes(transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"), part);
    QFile::copy(written, transmite() + QStringLiteral("ZUVO2009_111111111111110103G.dec"));
    form.BitBtnCClick();
    ASSERT_EQ(form.Paths().size(), 3);
    const struct {
        QString file;
        QString box;
    } refusals[] = {
        {name, QStringLiteral("Declaração já transmitida.")},
        {QStringLiteral("Zuvo2009_111111111111110102G.dec"), QStringLiteral("A Declaração ainda não foi Analisada.")},
        {QStringLiteral("ZUVO2009_111111111111110103G.dec"), QStringLiteral("nome do arquivo fora do padrão")},
    };
    for (const auto& r : refusals) {
        const int i = form.Paths().indexOf(transmite() + r.file);
        ASSERT_GE(i, 0) << r.file.toStdString();
        select(i);
        BoxScript boxes;
        boxes.expect(r.box, "mrOk");
        QFile::remove(program.path() + QStringLiteral("Zuvonet.ini"));
        form.btnTransmiteClick();
        EXPECT_FALSE(QFile::exists(program.path() + QStringLiteral("Zuvonet.ini"))) << r.file.toStdString();
    }
    EXPECT_EQ(started.size(), 1);

    // An empty place: the warning and an empty list.
    QDir(transmite()).removeRecursively();
    BoxScript boxes;
    boxes.expect(QStringLiteral("Unidade não contém declaração do Lobrix2009."), "mrOk");
    form.BitBtnCClick();
    EXPECT_TRUE(form.Paths().isEmpty());
    EXPECT_EQ((*form.LumeListview1)->Items().Count(), 0);
}

// One journey in one "Transmite": the transmitter fails in each way it can,
// then succeeds. Only a receipt of this very file makes it "Transmitida" and
// its receipt printable; each failure says what happened, never that nothing
// was sent (the program cannot know that).
TEST_F(Transmite, ReceiptsThroughTheWindow) {
    const QString written = writeDeclaration();
    const QString name = QFileInfo(written).fileName();
    const QString receipt = transmite() + QFileInfo(written).completeBaseName() + QStringLiteral(".rec");
    installStandIn();
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::Transmite, [] { ShowTransmite(fmLOBRIX); });
    window.SetCommandHandler(LobrixCommand::ImprimirProtocolo, [] { ShowProtocoloTransmissao(fmLOBRIX); });
    TdmRaveRelatorios reports;
    dmRaveRelatorios = &reports;
    struct Unset {
        ~Unset() {
            dmRaveRelatorios = nullptr;
            report::SetPrinterInstalledForTests(std::nullopt);
        }
    } unset;
    report::SetPrinterInstalledForTests(true);
    const QString printed = program.path() + QStringLiteral("recibo.txt");
    reports.RvSystem1.setDestination(report::Destination::TextFile, printed);

    const struct {
        const char* fail;
        QStringList says;  // the transmission's box; none for a good run
        QString printSays;
    } runs[] = {
        {"checksum",
         {"O ZuvoNet2009 terminou e o recibo", "o controle (CRC) do recibo de entrega não confere"},
         "o controle (CRC) do recibo de entrega não confere"},
        {"short", {"o recibo de entrega está incompleto"}, "o recibo de entrega está incompleto"},
        {"digest", {"o código hash do recibo de entrega não é o do arquivo"},
         "o código hash do recibo de entrega não é o do arquivo"},
        {"counts", {"a quantidade de vínculos do recibo de entrega não é a do arquivo"},
         "a quantidade de vínculos do recibo de entrega não é a do arquivo"},
        {"noreceipt", {"O ZuvoNet2009 terminou sem gravar o recibo de entrega", "Não é possível confirmar"},
         "a quantidade de vínculos"},  // the receipt of the run before stays as it was
        {"exit", {"O ZuvoNet2009 terminou com erro (código 3) sem gravar o recibo"}, "a quantidade de vínculos"},
        {"killed", {"O ZuvoNet2009 foi interrompido antes de terminar", "o recibo de entrega está incompleto"},
         "o recibo de entrega está incompleto"},
        {"", {}, QString()},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.fail);
        qputenv("ZUVONET_STANDIN_FAIL", run.fail);
        const bool good = run.says.isEmpty();
        FormsScript forms;
        forms.expect(QStringLiteral("fmTransmite"), [&](QWidget* w) {
            auto* form = static_cast<TfmTransmite*>(w);
            gui::click(form->BitBtnC);
            auto& items = (*form->LumeListview1)->Items();
            EXPECT_EQ(items.Count(), 1);
            if (items.Count() != 1) return forms::mrCancel;
            QStringList shown;
            {
                BoxScript boxes;  // one box, holding every piece
                if (!good) boxes.expect(run.says.first(), "mrOk");
                gui::click(form->btnTransmite);
                shown = boxes.shown;
            }
            for (const QString& piece : run.says)
                EXPECT_TRUE(!shown.isEmpty() && shown.first().contains(piece)) << shown.join('|').toStdString();
            for (const QString& box : shown) EXPECT_FALSE(box.contains(QStringLiteral("Nada foi enviado")));
            EXPECT_EQ(items[0]->ImageIndexes(0), good ? declfile::kImgTransmitida : declfile::kImgGravada);
            EXPECT_EQ(items[0]->Captions(1).isEmpty(), !good) << items[0]->Captions(1).toStdString();
            gui::click(form->btnCancelar);
            return forms::mrNone;
        });
        forms.expect(QStringLiteral("fmTransmite"), [&](QWidget* w) {
            auto* form = static_cast<TfmTransmite*>(w);
            EXPECT_FALSE(form->chkCertif->isVisibleTo(form));
            gui::click(form->BitBtnC);
            QFile::remove(printed);
            BoxScript boxes;
            if (!good) boxes.expect(QStringLiteral("Declaração não transmitida: ") + run.printSays, "mrOk");
            gui::click(form->btnImprime);
            EXPECT_EQ(QFile::exists(printed), good);
            gui::click(form->btnCancelar);
            return forms::mrNone;
        });
        window.RunCommand(LobrixCommand::Transmite);
        window.RunCommand(LobrixCommand::ImprimirProtocolo);
        EXPECT_EQ(forms.pending(), 0);
        EXPECT_TRUE(forms.unexpected().isEmpty()) << forms.unexpected().join(',').toStdString();
    }
    const QString text = ReadTextFile(printed);
    EXPECT_TRUE(text.contains(QStringLiteral("Protocolo de Transmissão"))) << text.toStdString();

    const QByteArray line = declfile::ReadFirstLine(receipt);
    ASSERT_EQ(line.size(), 100);
    EXPECT_EQ(declfile::CheckReceiptLine(line, lastLine(written)), declfile::ReceiptCheck::Valid);
    EXPECT_EQ(line.mid(23, 10), QString::asprintf("%010u", digest::Crc32(readFile(written))).toLatin1());
    EXPECT_EQ(line.mid(33, 5), "00002");
    EXPECT_EQ(line.mid(38, 6), "000006");
    EXPECT_EQ(line.mid(44, 12), "150320101030");
    EXPECT_EQ(line.mid(58, 32), readFile(written).right(34).left(32));
}

// The road as a user takes it: the main window's command, "C:", the file
// "Gravada", "&Transmitir", the stand-in transmitter, "Transmitida".
TEST_F(Transmite, RoadFromTheMainWindowToATransmittedFile) {
    const QString written = writeDeclaration();
    const QString name = QFileInfo(written).fileName();
    installStandIn();
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::Transmite, [] { ShowTransmite(fmLOBRIX); });
    FormsScript forms;
    forms.expect(QStringLiteral("fmTransmite"), [&](QWidget* w) {
        auto* form = static_cast<TfmTransmite*>(w);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Transmissão via Internet"));
        EXPECT_FALSE(form->btnTransmite->isEnabled());
        form->BitBtnC->click();
        auto& items = (*form->LumeListview1)->Items();
        EXPECT_EQ(items.Count(), 1);
        if (items.Count() != 1) return forms::mrCancel;
        EXPECT_EQ(items[0]->ImageIndexes(0), declfile::kImgGravada);
        EXPECT_EQ(items[0]->Captions(4), name.mid(25, 2));
        EXPECT_EQ(items[0]->Captions(5), QStringLiteral("2"));
        EXPECT_EQ(items[0]->Captions(6), QStringLiteral("6"));
        items[0]->SetSelected(true);
        EXPECT_TRUE(form->btnTransmite->isEnabled());
        form->btnTransmite->click();
        EXPECT_EQ(handOff(), QFile::encodeName(written) + "2\r\n");
        EXPECT_EQ(items.Count(), 1);
        if (items.Count() != 1) return forms::mrCancel;
        EXPECT_EQ(items[0]->ImageIndexes(0), declfile::kImgTransmitida);
        EXPECT_TRUE(items[0]->Captions(1).startsWith(QStringLiteral("590"))) << items[0]->Captions(1).toStdString();
        EXPECT_EQ(form->SelectedIndex(), 0);  // listed again, its file selected anew
        form->btnCancelar->click();
        return forms::mrNone;
    });
    window.RunCommand(LobrixCommand::Transmite);
    EXPECT_EQ(forms.pending(), 0);
    EXPECT_TRUE(forms.unexpected().isEmpty());
}

// A keyboard user with one file in "Transmite": the menu by its keys, "C:" by
// Tab and Space, the file selected as it is listed, "&Transmitir" by Alt+T.
TEST_F(Transmite, KeyboardOnlyFromTheMainWindowToATransmittedFile) {
    writeDeclaration();
    installStandIn();
    TfmLOBRIX window;
    window.SetCommandHandler(LobrixCommand::Transmite, [] { ShowTransmite(fmLOBRIX); });
    ASSERT_TRUE(gui::showActive(&window));
    FormsScript forms;
    forms.expect(QStringLiteral("fmTransmite"), [&](QWidget* w) {
        auto* form = static_cast<TfmTransmite*>(w);
        EXPECT_TRUE(gui::showActive(form));  // the script stands in for the modal loop
        EXPECT_TRUE(gui::tabTo(form->BitBtnC));
        gui::key(Qt::Key_Space);
        auto& items = (*form->LumeListview1)->Items();
        EXPECT_EQ(items.Count(), 1);
        for (QPushButton* b : {form->btnTransmite, form->btnConsulta, form->btAnalise})
            EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        // A mnemonic presses its button a moment later, as a click would show it.
        gui::key(Qt::Key_T, Qt::AltModifier);
        EXPECT_TRUE(gui::waitUntil([&] { return !handOff().isEmpty(); }, "the transmission started by Alt+T", 3000)) << "Alt+T started no transmission";
        gui::settle();
        EXPECT_EQ(items.Count(), 1);
        if (items.Count() == 1) EXPECT_EQ(items[0]->ImageIndexes(0), declfile::kImgTransmitida);
        gui::key(Qt::Key_C, Qt::AltModifier);  // "&Cancelar"
        EXPECT_TRUE(gui::waitUntil([&] { return !form->isVisible(); }, "the window closed by Alt+C", 3000)) << "Alt+C left the window open";
        return forms::mrNone;
    });
    gui::key(Qt::Key_D, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr) << "Alt+D opened no menu";
    QTest::keyClick(menu, Qt::Key_T);
    gui::settle();
    EXPECT_EQ(forms.pending(), 0);
    EXPECT_TRUE(forms.unexpected().isEmpty()) << forms.unexpected().join(',').toStdString();
}

// A click on a column's title sorts nothing, so the header draws no sort
// arrow over the title it was sized to.
TEST_F(Transmite, HeaderClickShowsNoSortArrow) {
    const QString written = writeDeclaration();
    QFile::copy(written, transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"));
    TfmTransmite form;
    ASSERT_TRUE(gui::showActive(&form));
    gui::click(form.BitBtnC);
    const QStringList before = form.Paths();
    ASSERT_EQ(before.size(), 2);
    auto* core = form.LumeListview1->Core();
    QWidget* viewport = form.LumeListview1->viewport();
    const int headerHeight = core->Header->RuntimeHeight();
    const QRect header(0, 0, viewport->width(), headerHeight);
    const QPoint away(viewport->width() - 5, viewport->height() - 5);
    QTest::mouseMove(viewport, away);
    const QImage plain = gui::onScreen(viewport).copy(header);
    int x = 0;
    for (int c : {2, 4, 8}) {
        SCOPED_TRACE(c);
        x = 0;
        for (int i = 0; i < c; ++i) x += core->Header->Columns->At(i)->Width();
        gui::clickAt(viewport, QPoint(x + core->Header->Columns->At(c)->Width() / 2, headerHeight / 2));
        QTest::mouseMove(viewport, away);
        for (int i = 0; i < core->Header->Columns->Count(); ++i)
            EXPECT_EQ(core->Header->Columns->At(i)->SortDirection(), lume::TLumeSortDirection::esdNone) << i;
        EXPECT_EQ(form.Paths(), before);
        EXPECT_EQ(gui::onScreen(viewport).copy(header), plain) << "the header changed its look";
    }
}

// Drive A: listed on asking, listed again after a transmission from it; no
// diskette or an empty one gives the warning and an empty list.
TEST_F(Transmite, DisketteInDriveA) {
    const QString written = writeDeclaration();
    const QString diskette = program.path() + QStringLiteral("A/");
    drives::SetDrive(QLatin1Char('A'), {diskette, drives::DriveType::Removable, drives::kDisketteSize});
    struct ResetOnExit {
        ~ResetOnExit() { drives::ResetDrives(); }
    } reset;
    TfmTransmite form;
    {  // No diskette: the diskette box, Cancel, Yes to interrupting, the warning.
        BoxScript boxes;
        boxes.expect(QStringLiteral("não há disquete no drive A:"), "mrCancel")
            .expect(QStringLiteral("Deseja interromper?"), "mrYes")
            .expect(QStringLiteral("Unidade não contém declaração."), "mrOk");
        form.BitBtnAClick();
        EXPECT_TRUE(form.Paths().isEmpty());
    }
    QDir().mkpath(diskette);
    {  // An empty diskette.
        BoxScript boxes;
        boxes.expect(QStringLiteral("Unidade não contém declaração."), "mrOk");
        form.BitBtnAClick();
    }
    ASSERT_TRUE(QFile::copy(written, diskette + QFileInfo(written).fileName()));
    form.BitBtnAClick();
    ASSERT_EQ(form.Paths().size(), 1);
    EXPECT_TRUE(form.Paths()[0].startsWith(diskette));
    // After a transmission the diskette is listed again, not the folder.
    QDir(program.path()).mkpath(QStringLiteral("ZuvoNet2009"));
    writeBytes(program.path() + QStringLiteral("ZuvoNet2009/ZuvoNet2009.exe"), "x");
    os::SetExecSeam([&](const QString&) {
        QFile::remove(written);
        return true;
    });
    (*form.LumeListview1)->Items()[0]->SetSelected(true);
    {
        BoxScript boxes;  // the seam leaves no receipt
        boxes.expect(QStringLiteral("terminou sem gravar o recibo de entrega da declaração"), "mrOk");
        form.btnTransmiteClick();
    }
    ASSERT_EQ(form.Paths().size(), 1);
    EXPECT_TRUE(form.Paths()[0].startsWith(diskette));
    // The next "C:" lists the folder again.
    BoxScript boxes;
    boxes.expect(QStringLiteral("Unidade não contém declaração do Lobrix2009."), "mrOk");
    form.BitBtnCClick();
}

// "C:" lists five files; "A:" without a diskette, its boxes answered, leaves
// the list empty on screen at once, not only in memory.
TEST_F(Transmite, ListEmptiedByDriveAShowsEmptyAtOnce) {
    QDir().mkpath(transmite());
    QByteArray header(550, ' ');
    header.replace(0, 7, "0000001");
    for (int i = 1; i <= 5; ++i)
        writeBytes(transmite() + QStringLiteral("Zuvo2009_1111111111111101%1G.dec").arg(i, 2, 10, QLatin1Char('0')),
                   header + "\r\n");
    drives::SetDrive(QLatin1Char('A'), {program.path() + QStringLiteral("A/"), drives::DriveType::Removable,
                                        drives::kDisketteSize});
    struct ResetOnExit {
        ~ResetOnExit() { drives::ResetDrives(); }
    } reset;
    TfmTransmite form;
    form.resize(1100, 500);  // every column fits: no scroll bar to repaint by the way
    ASSERT_TRUE(gui::showActive(&form));
    gui::click(form.BitBtnC);
    ASSERT_EQ(form.Paths().size(), 5);
    QWidget* list = form.LumeListview1->viewport();
    const QColor window = list->palette().color(QPalette::Base);
    auto rowsShowEmpty = [&] {
        const QImage rows = gui::onScreen(list).copy(0, 25, 700, 5 * 17);
        for (int y = 0; y < rows.height(); ++y)
            for (int x = 0; x < rows.width(); ++x)
                if (rows.pixelColor(x, y) != window) return false;
        return true;
    };
    ASSERT_FALSE(rowsShowEmpty());
    BoxScript boxes;
    boxes.expect(QStringLiteral("não há disquete no drive A:"), "mrCancel")
        .expect(QStringLiteral("Deseja interromper?"), "mrYes")
        .expect(QStringLiteral("Unidade não contém declaração."), "mrOk");
    gui::click(form.BitBtnA);
    EXPECT_TRUE(form.Paths().isEmpty());
    EXPECT_TRUE(rowsShowEmpty());
}

// More files than the old table of 1000 paths: every one keeps its path.
TEST_F(Transmite, ManyFilesKeepTheirPaths) {
    QDir().mkpath(transmite());
    QByteArray header(550, ' ');
    header.replace(0, 7, "0000001");
    for (int i = 0; i < 1003; ++i)
        writeBytes(transmite() + QStringLiteral("Zuvo2009_%1.dec").arg(i, 23, 10, QLatin1Char('0')),
                   header + "\r\n");
    TfmTransmite form;
    form.BitBtnCClick();
    ASSERT_EQ(form.Paths().size(), 1003);
    auto& items = (*form.LumeListview1)->Items();
    ASSERT_EQ(items.Count(), 1003);
    items[1002]->SetSelected(true);
    EXPECT_EQ(form.SelectedIndex(), 1002);
    BoxScript boxes;
    boxes.expect(QStringLiteral("A Declaração ainda não foi Analisada."), "mrOk");
    form.btnTransmiteClick();
}

// "Consultar &Arquivo": a sound file opens the consultation pages with its
// receipt code; a file with a structure error opens the consultation window
// on its error panel.
TEST_F(Transmite, ConsultAListedFile) {
    const QString written = writeDeclaration();
    writeBytes(transmite() + QFileInfo(written).completeBaseName() + QStringLiteral(".rec"),
               receiptFor(written) + "\r\n");
    QByteArray broken = readFile(written);
    analyserfixture::Put(broken, 1, 397, " ");
    analyserfixture::Put(broken, 2, 1, "X");  // a sequence number that is not one
    writeBytes(transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"), broken);
    TfmLOBRIX window;
    TdmRaveRelatorios reports;
    TfmTransmite form;
    form.BitBtnCClick();
    ASSERT_EQ(form.Paths().size(), 2);
    auto& items = (*form.LumeListview1)->Items();

    FormsScript forms;
    forms.expect(QStringLiteral("fmConsulta01"), [&](QWidget*) {
        EXPECT_EQ(window.CreaRelatorio, QStringLiteral("590512345678"));
        return forms::mrCancel;
    });
    items[form.Paths().indexOf(written)]->SetSelected(true);
    form.btnConsulta->click();
    EXPECT_EQ(forms.pending(), 0);

    forms.expect(QStringLiteral("fmConsultaDisquete"), [&](QWidget* w) {
        auto* consultation = static_cast<TfmConsultaDisquete*>(w);
        EXPECT_FALSE(consultation->paRelatorio->isHidden());
        EXPECT_TRUE(consultation->paConsDisquete->isHidden());
        return forms::mrCancel;
    });
    items[form.Paths().indexOf(transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec"))]->SetSelected(true);
    form.btnConsulta->click();
    EXPECT_EQ(forms.pending(), 0);
    EXPECT_TRUE(forms.unexpected().isEmpty());
    EXPECT_EQ(window.ConsultaComErros, 0);  // the consultation took it
    EXPECT_TRUE(form.btnConsulta->isEnabled());
}

// Print mode: the receipt the stand-in left is checked and rendered as the
// report "Transmissao"; the print wizard's receipt choice opens the window in
// this mode.
TEST_F(Transmite, PrintTheReceipt) {
    const QString written = writeDeclaration();
    const QString receipt = transmite() + QFileInfo(written).completeBaseName() + QStringLiteral(".rec");
    installStandIn();
    TfmLOBRIX window;
    TdmRaveRelatorios reports;
    dmRaveRelatorios = &reports;
    struct Unset {
        ~Unset() {
            dmRaveRelatorios = nullptr;
            report::SetPrinterInstalledForTests(std::nullopt);
        }
    } unset;
    report::SetPrinterInstalledForTests(true);
    window.SetCommandHandler(LobrixCommand::ImprimirProtocolo, [] { ShowProtocoloTransmissao(fmLOBRIX); });
    const QString out = program.path() + QStringLiteral("recibo.txt");

    FormsScript forms;
    forms.expect(QStringLiteral("fmRelatorio03"), [&](QWidget* w) {
        auto* page = static_cast<TfmRelatorio03*>(w);
        EXPECT_TRUE(page->rbProtocolo->isEnabled());
        page->rbProtocolo->setChecked(true);
        page->BtAvancarClick();
        return forms::mrNone;
    });
    forms.expect(QStringLiteral("fmTransmite"), [&](QWidget* w) {
        auto* form = static_cast<TfmTransmite*>(w);
        EXPECT_EQ(window.AssistenteImpressaoAberto, 1);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Imprimir Protocolo de Transmissão"));
        EXPECT_TRUE(form->memoImprime->isVisibleTo(form));
        EXPECT_TRUE(form->memoImprime->toPlainText().contains(QStringLiteral("da declaração. Se disco flexível")))
            << form->memoImprime->toPlainText().toStdString();
        EXPECT_FALSE(form->chkCertif->isVisibleTo(form));
        EXPECT_FALSE(form->memoTransmite->isVisibleTo(form));
        EXPECT_TRUE(form->btnImprime->isVisibleTo(form));
        EXPECT_FALSE(form->btnTransmite->isVisibleTo(form));
        form->BitBtnCClick();
        auto& items = (*form->LumeListview1)->Items();
        EXPECT_EQ(items.Count(), 1);
        if (items.Count() != 1) return forms::mrCancel;
        items[0]->SetSelected(true);
        {  // Not transmitted yet.
            BoxScript boxes;
            boxes.expect(QStringLiteral("Declaração não transmitida."), "mrOk");
            form->btnImprime->click();
        }
        form->btnTransmiteClick();  // the stand-in leaves its receipt
        EXPECT_EQ(items[0]->ImageIndexes(0), declfile::kImgTransmitida);
        items[0]->SetSelected(true);
        reports.RvSystem1.setDestination(report::Destination::TextFile, out);
        form->btnImprime->click();
        EXPECT_TRUE(form->btnImprime->isEnabled());
        form->btnCancelar->click();
        return forms::mrNone;
    });
    ShowPrintWizard();
    EXPECT_EQ(forms.pending(), 0);
    EXPECT_TRUE(forms.unexpected().isEmpty()) << forms.unexpected().join(',').toStdString();
    EXPECT_EQ(window.AssistenteImpressaoAberto, 0);

    const QByteArray line = declfile::ReadFirstLine(receipt);
    ASSERT_EQ(line.size(), 100);
    const QString text = ReadTextFile(out);
    const QString hash = QString::fromLatin1(line.mid(58, 32));
    QStringList groups;
    for (int g = 0; g < 8; ++g) groups << hash.mid(g * 4, 4);
    for (const QString& expected :
         {QStringLiteral("590") + QString::fromLatin1(line.left(9)), QString::fromLatin1(line.mid(23, 10)),
          QStringLiteral("15/03/2010 às 10:30"), groups.join(QLatin1Char('.')), QString::fromLatin1(line.mid(90, 10)),
          QStringLiteral("Protocolo de Transmissão")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

// "A&nalisar Arquivo": the wizard on the selected file, told it came from
// here; a file already analysed asks first; the list is made again after.
TEST_F(Transmite, AnalyseAListedFile) {
    const QString written = writeDeclaration();
    QByteArray part = readFile(written);
    analyserfixture::Put(part, 1, 397, " P");
    const QString partPath = transmite() + QStringLiteral("Zuvo2009_111111111111110102G.dec");
    writeBytes(partPath, part);
    TfmLOBRIX window;
    TfmTransmite form;
    form.BitBtnCClick();
    ASSERT_EQ(form.Paths().size(), 2);
    auto& items = (*form.LumeListview1)->Items();

    {  // Already analysed, No: nothing opens and the list stays.
        items[form.Paths().indexOf(written)]->SetSelected(true);
        BoxScript boxes;
        boxes.expect(QStringLiteral("O Arquivo selecionado já foi analisado. Deseja executar mesmo assim?"), "mrNo");
        lume::TLumeItem* before = items[0];
        form.btAnalise->click();
        EXPECT_EQ(items[0], before);
        EXPECT_TRUE(form.btAnalise->isEnabled());
    }
    FormsScript forms;
    forms.expect(QStringLiteral("fmAnalis00"), [&](QWidget* w) {
        EXPECT_EQ(AnaliseViaTransmissao, 1);
        EXPECT_EQ(static_cast<TfmAnalis00*>(w)->arquivo->text(), partPath);
        EXPECT_FALSE(form.btnTransmite->isEnabled());
        return forms::mrCancel;
    });
    items[form.Paths().indexOf(partPath)]->SetSelected(true);
    form.btAnalise->click();
    EXPECT_EQ(forms.pending(), 0);
    // Listed again, its first file selected anew.
    EXPECT_EQ(form.Paths().size(), 2);
    EXPECT_EQ(form.SelectedIndex(), 0);
    EXPECT_TRUE(form.btAnalise->isEnabled());
    // Closing the window lets the main window's wizard offer its file choice.
    form.show();
    form.close();
    EXPECT_EQ(AnaliseViaTransmissao, 0);
}
