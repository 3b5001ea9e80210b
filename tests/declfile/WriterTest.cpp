#include "DeclfileTestSupport.h"
#include "declfile/DeclarationFolder.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/gravadecl/ufmGravaDecl03.h"
#include "declfile/ugClArquivo.h"
#include "declfile/ugHashCompara.h"
#include "platform/db/Query.h"
#include "platform/os/Drives.h"
#include "shell/DeclarationTables.h"
#include "support/DataFolder.h"
#include "support/SmallDisk.h"
#include "support/StepTrail.h"
#include "AnalyserFixture.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/db/Table.h"
#include "support/DeclarationGenerator.h"

#include <QDir>
#include <QListWidget>
#include <QProgressBar>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace declfile;

namespace {

// A stand-in diskette in drive A: of the given size, and a shelf beside it
// where a test puts the parts the user took out.
struct StandInDiskette {
    explicit StandInDiskette(qint64 size) {
        QDir().mkpath(disk);
        QDir().mkpath(shelf);
        drives::SetDrive('A', {disk, drives::DriveType::Removable, size});
    }
    QTemporaryDir stand;
    const QString disk = stand.filePath("disk");
    const QString shelf = stand.filePath("shelf");
};

// Counts the polls and asks for a cancel at a chosen one.
class CountingHost : public WriterHost {
public:
    void SetProgressMaximum(int m) override { maximum = m; }
    void SetProgress(int p) override { position = p; }
    void ProcessEvents() override {
        if (++polls == cancelAt) CancelWriting();
        if (onPoll) onPoll(polls);
    }
    int maximum = -1;
    int position = -1;
    int polls = 0;
    int cancelAt = -1;
    std::function<void(int)> onPoll;
};

class WriterTest : public ::testing::Test {
protected:
    void TearDown() override {
        drives::ResetDrives();
        SetPartFileFactory({});
    }

    QStringList generate(int big, int small = 0, int each = 0, int without = 0) {
        gen::DeclarationShape s;
        s.bigContracts = big;
        s.smallEstablishments = small;
        s.contractsEach = each;
        s.withoutEmployees = without;
        return gen::GenerateDeclaration(program.dataFolder(), s);
    }

    int write(const QStringList* items, QChar drive = QLatin1Char('C'), bool amendment = false,
              bool working = false) {
        WriteRequest r;
        r.establishments = items;
        r.drive = drive;
        r.dataFolder = program.dataFolder();
        r.amendment = amendment;
        r.fromWorkingTables = working;
        r.generationDate = QStringLiteral("15012010");
        r.generationTime = QStringLiteral("101500");
        return WriteDeclarationFile(r, state, host);
    }

    QString transmit(const QString& name = QString()) const { return program.path() + "Transmite/" + name; }
    QStringList decFiles(const QString& folder) const {
        QStringList l = QDir(folder).entryList({"*.dec"}, QDir::Files);
        l.sort();
        return l;
    }
    bool receiptTablesExist() const {
        auto d = db::Database::forFolder(program.dataFolder());
        return d->tableExists("te8ProID.db") && d->tableExists("te8ProES.db");
    }
    QList<QStringList> receiptRows(const QString& sql) const {
        db::Query q(db::Database::forFolder(program.dataFolder()));
        q.SetSQL(sql);
        q.Open();
        QList<QStringList> rows;
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList r;
            for (int i = 0; i < q.FieldCount(); ++i) r << q.Fields(i).AsString();
            rows << r;
        }
        return rows;
    }

    TempProgramFolder program;
    WriterState state;
    CountingHost host;
};

QString base(const QStringList& items) { return "Zuvo2009_" + items.first().mid(4, 16); }

}  // namespace

TEST_F(WriterTest, TwoPartRunThatDoesNotCompleteLeavesNoPartInTheFolder) {
    const QStringList items = generate(50010, 2, 3);
    // Another declaration in the folder is none of the run's business.
    const QString other = transmit("Zuvo2009_999999990001910101G.dec");
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("other");
    }
    struct Case {
        const char* what;
        int result;
        const char* box;
        const char* answer;
    } cases[] = {
        {"cancel in the second part", kWriteCancelled, "Deseja interromper?", "mrYes"},
        {"full disk in the second part", kWriteError,
         "02G.dec\". Os arquivos desta gravação foram excluídos.",
         "mrOk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool cancel = c.result == kWriteCancelled;
        bool asked = false;
        host.onPoll = [&](int) {
            // Well into the second part: the first one is complete and stamped.
            if (cancel && !asked && state.QtArquivosGerados == 2) {
                asked = true;
                CancelWriting();
            }
        };
        int made = 0;
        SetPartFileFactory([&made, cancel] {
            return std::make_unique<FullDiskFile>(cancel || ++made == 1 ? qint64(1) << 40 : 552 * 5);
        });
        BoxScript boxes;
        boxes.expect(cancel ? QString::fromUtf8(c.box)
                            : "Não há espaço suficiente no disco para gravar o arquivo \"" + base(items) + c.box,
                     c.answer);
        EXPECT_EQ(write(&items), c.result);
        EXPECT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(state.QtArquivosGerados, 2);
        EXPECT_EQ(QDir(transmit()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"Zuvo2009_999999990001910101G.dec"});
        EXPECT_EQ(ReadAll(other), QByteArray("other"));
        EXPECT_FALSE(receiptTablesExist());
    }
}

TEST_F(WriterTest, EstablishmentWithoutEmployeesIsThreeRecords) {
    const QStringList items = generate(0);
    BoxScript boxes;
    ASSERT_EQ(write(&items), kWritten);
    const QString name = base(items) + "01G.dec";
    EXPECT_EQ(decFiles(transmit()), QStringList{name});
    EXPECT_EQ(QFileInfo(transmit(name)).size(), 3 * 552);
    const auto r = Records(transmit(name));
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(Cols(r[0], 1, 23), "000001" + items.first().mid(4, 16).toLatin1() + "0");
    EXPECT_EQ(Cols(r[1], 1, 6), "000002");
    EXPECT_EQ(Cols(r[1], 280, 280), "1");
    EXPECT_EQ(Cols(r[2], 1, 35), "000003" + items.first().mid(4, 16).toLatin1() + "9000001000000");
    EXPECT_EQ(Cols(r[2], 37, 37), "1");
    EXPECT_EQ(Cols(r[0], 397, 398), "A ");
    EXPECT_TRUE(VerifyFileDigest(transmit(name)));
    EXPECT_EQ(state.ArquivoGerado, transmit(name));
    EXPECT_EQ(state.NomeArquivoGerado, name.left(name.size() - 4));
    EXPECT_EQ(state.QtArquivosGerados, 1);
    EXPECT_EQ(state.GerouVariosArquivos, 0);
    EXPECT_EQ(host.maximum, 1);
    EXPECT_EQ(host.position, 1);
    ASSERT_TRUE(receiptTablesExist());
    const auto ids = receiptRows("SELECT NuDisquete, NuEstabelecimentos, NuVinculos, DaGeracao, HoSenha, "
                                 "NoResponsavelArquivo FROM te8ProID");
    ASSERT_EQ(ids.size(), 1);
    EXPECT_EQ(ids[0], (QStringList{"1", "1", "0", "15012010", "101500", "ESCRITORIO CONTABIL MODELO LTDA"}));
}

// A part takes its name only once its bytes are on the disk: a power cut
// must not leave the name of a part on a file that lost its end.
TEST_F(WriterTest, APartIsSyncedBeforeItTakesItsName) {
    const QStringList items = generate(0, 1, 3);
    BoxScript boxes;
    StepTrail trail;
    ASSERT_EQ(write(&items), kWritten);
    EXPECT_EQ(trail.expectSyncedBeforeRenamed("\\.dec\\.tmp$", true), 1);
}

TEST_F(WriterTest, MoreThanFiftyThousandContractsAreSplitIntoParts) {
    // 50,010 contracts in the first establishment, then two small ones.
    const QStringList items = generate(50010, 2, 3);
    BoxScript boxes;
    ASSERT_EQ(write(&items), kWritten);
    const QStringList files = decFiles(transmit());
    ASSERT_EQ(files, (QStringList{base(items) + "01G.dec", base(items) + "02G.dec"}));
    EXPECT_EQ(state.QtArquivosGerados, 2);
    EXPECT_EQ(state.GerouVariosArquivos, 1);
    EXPECT_EQ(host.maximum, 3 + 50010 + 6);
    EXPECT_EQ(host.position, host.maximum);  // the repeated type 1 does not advance it

    const auto p1 = Records(transmit(files[0]));
    ASSERT_EQ(p1.size(), 2 + 49998);  // the type 1 and 49,997 contracts
    EXPECT_EQ(Cols(p1.last(), 1, 35), "050000" + items[0].mid(4, 16).toLatin1() + "9000001049997");
    const auto p2 = Records(transmit(files[1]));
    ASSERT_EQ(p2.size(), 1 + (1 + 13) + 2 * (1 + 3) + 1);
    // The second part repeats the type 1 record, restarts its sequence and
    // names its own first and last establishments.
    EXPECT_EQ(Cols(p2[0], 1, 22), "000001" + items[0].mid(4, 16).toLatin1());
    EXPECT_EQ(Cols(p2[1], 24, 550), Cols(p1[1], 24, 550));
    EXPECT_EQ(Cols(p2[1], 1, 6), "000002");
    EXPECT_EQ(Cols(p2.last(), 1, 35), "000024" + items[2].mid(4, 16).toLatin1() + "9000003000019");
    for (int i = 0; i < p2.size(); ++i) EXPECT_EQ(Cols(p2[i], 1, 6).toInt(), i + 1);
    EXPECT_TRUE(VerifyFileDigest(transmit(files[0])));
    EXPECT_TRUE(VerifyFileDigest(transmit(files[1])));

    const auto ids = receiptRows("SELECT NuDisquete, NuEstabelecimentos, NuVinculos FROM te8ProID ORDER BY rowid");
    EXPECT_EQ(ids, (QList<QStringList>{{"1", "1", "49997"}, {"2", "3", "19"}}));
    const auto es = receiptRows("SELECT NuDisquete, CoCgcCeiEstabelecimento, NuVinculosEstabelecimento "
                                "FROM te8ProES ORDER BY rowid");
    ASSERT_EQ(es.size(), 4);
    EXPECT_EQ(es[0], (QStringList{"1", items[0].mid(4, 14), "49997"}));
    EXPECT_EQ(es[1], (QStringList{"2", items[0].mid(4, 14), "13"}));
    EXPECT_EQ(es[3], (QStringList{"2", items[2].mid(4, 14), "3"}));
}

TEST_F(WriterTest, DisketteFlowAsksForTheNextDiskette) {
    const StandInDiskette diskette(drives::kDisketteSize);
    const QString disk = diskette.disk;
    const QString shelf = diskette.shelf;
    const QStringList items = generate(3000);
    const QString name1 = base(items) + "01G.dec";
    {
        BoxScript boxes;
        // A diskette holding a file is refused; the user empties it.
        {
            QFile f(disk + "/carta.txt");
            f.open(QIODevice::WriteOnly);
        }
        boxes.expect("O disco a ser gravado não pode conter arquivos.", "mrOk")
            .expect("Insira o disquete # 1", "mrOk", [&] { QFile::remove(disk + "/carta.txt"); })
            .expect("Insira o disquete # 2", "mrOk", [&] { QFile::rename(disk + "/" + name1, shelf + "/" + name1); });
        ASSERT_EQ(write(&items, 'A'), kWritten);
    }
    // An empty 1,457,664-byte diskette takes 2,635 records besides header and trailer.
    EXPECT_EQ(QFileInfo(shelf + "/" + name1).size(), 1455624);
    EXPECT_TRUE(VerifyFileDigest(shelf + "/" + name1));
    const auto p2 = Records(disk + "/" + base(items) + "02G.dec");
    EXPECT_EQ(p2.size(), 1 + 1 + (3000 - 2634) + 1);
    EXPECT_TRUE(VerifyFileDigest(disk + "/" + base(items) + "02G.dec"));
}

TEST_F(WriterTest, NoDisketteAndTheUserGivesUp) {
    QTemporaryDir stand;
    drives::SetDrive('A', {stand.filePath("missing"), drives::DriveType::Removable, drives::kDisketteSize});
    const QStringList items = generate(2);
    BoxScript boxes;
    boxes.expect("Disquete com problema ou não há disquete no drive A:", "mrCancel").expect("Deseja interromper?", "mrYes");
    EXPECT_EQ(write(&items, 'A'), kWriteCancelled);
    EXPECT_FALSE(receiptTablesExist());
}

TEST_F(WriterTest, ExistingPartIsOverwrittenOnlyWhenAuthorised) {
    const QStringList items = generate(2);
    const QString path = transmit(base(items) + "01G.dec");
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("old");
    }
    {
        BoxScript boxes;
        boxes.expect("Autoriza gravar sobre?", "mrNo");
        EXPECT_EQ(write(&items), kWriteCancelled);
        EXPECT_EQ(boxes.shown.value(0),
                  "Existe um arquivo de nome \"" + base(items) + "01G.dec\" no drive C: .\rAutoriza gravar sobre?");
    }
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_FALSE(receiptTablesExist());
    {
        BoxScript boxes;
        boxes.expect("Autoriza gravar sobre?", "mrYes");
        EXPECT_EQ(write(&items), kWritten);
    }
    EXPECT_EQ(Records(path).size(), 5);
    EXPECT_TRUE(VerifyFileDigest(path));
}

// Transmitted is decided as every reader decides it: by a receipt of this
// very file. Such a part is kept and the next number used; a part beside a
// receipt that does not verify, or that is another file's, is only written:
// the writer asks to overwrite it, and the folder still holds one copy.
TEST_F(WriterTest, TransmittedPartIsKeptAndTheNextNumberUsed) {
    const QStringList items = generate(2);
    ASSERT_EQ(write(&items), kWritten);
    const QString dec = transmit(base(items) + "01G.dec");
    const QString rec = transmit(base(items) + "01G.rec");
    const QByteArray own = ReceiptLineFor(dec);
    const struct {
        const char* what;
        QByteArray receipt;
    } notThisFiles[] = {
        {"checksum wrong", own.left(99) + (own.at(99) == '0' ? "1" : "0")},
        {"cut short", own.left(95)},
        {"another file's digest", ReceiptLineOfAnotherFile(dec)},
    };
    for (const auto& c : notThisFiles) {
        SCOPED_TRACE(c.what);
        {
            QFile f(rec);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.receipt + "\r\n");
        }
        EXPECT_FALSE(IsTransmitted(dec));
        BoxScript boxes;
        boxes.expect("Autoriza gravar sobre?", "mrYes");
        EXPECT_EQ(write(&items), kWritten);
        EXPECT_EQ(decFiles(transmit()), QStringList{base(items) + "01G.dec"});
        EXPECT_EQ(state.NomeArquivoGerado, base(items) + "01G");
    }

    {
        QFile f(rec);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(own + "\r\n");
    }
    ASSERT_TRUE(IsTransmitted(dec));
    const QByteArray sent = ReadAll(dec);
    {
        BoxScript boxes;
        boxes.expect("já foi transmitida. Deseja gravar mesmo assim? (O arquivo existente será preservado)", "mrYes");
        EXPECT_EQ(write(&items), kWritten);
        EXPECT_EQ(boxes.shown.value(0), " A declaração \"" + base(items) +
                                            "01G.dec\" no drive C: .\rjá foi transmitida. Deseja gravar mesmo assim? "
                                            "(O arquivo existente será preservado)");
    }
    EXPECT_EQ(ReadAll(dec), sent);
    EXPECT_EQ(ReadAll(rec), own + "\r\n");
    EXPECT_TRUE(VerifyFileDigest(transmit(base(items) + "02G.dec")));
    EXPECT_EQ(state.NomeArquivoGerado, base(items) + "02G");
    EXPECT_EQ(state.QtArquivosGerados, 1);
    {
        BoxScript boxes;  // No stops the run
        boxes.expect("já foi transmitida", "mrNo");
        EXPECT_EQ(write(&items), kWriteCancelled);
    }
}

// Written in parts, the first part's transmission left a receipt that does
// not verify; written again over the same folder: every part is offered
// exactly once, and no contract is in two offered files.
TEST_F(WriterTest, WrittenAgainAfterAFailedTransmissionEachPartIsOfferedOnce) {
    const QStringList items = generate(50010, 1, 3);
    ASSERT_EQ(write(&items), kWritten);
    const QStringList parts{base(items) + "01G.dec", base(items) + "02G.dec"};
    ASSERT_EQ(decFiles(transmit()), parts);
    {
        QFile f(transmit(base(items) + "01G.rec"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QByteArray own = ReceiptLineFor(transmit(parts[0]));
        f.write(own.left(99) + (own.at(99) == '0' ? "1" : "0") + "\r\n");  // its checksum wrong
    }
    {
        BoxScript boxes;
        boxes.expect("Autoriza gravar sobre?", "mrYes");
        EXPECT_EQ(write(&items), kWritten);
    }
    const DeclarationFolderListing offered = ListDeclarationFiles(transmit(), 2009);
    QStringList names;
    QSet<QByteArray> contracts;
    int count = 0;
    for (const DeclarationFileEntry& e : offered.files) {
        names << QFileInfo(e.path).fileName();
        EXPECT_FALSE(IsTransmitted(e.path)) << e.path.toStdString();
        for (const QByteArray& record : Records(e.path))
            if (Cols(record, 23, 23) == "2") {
                contracts.insert(Cols(record, 7, 550));
                ++count;
            }
    }
    EXPECT_EQ(names, parts);
    EXPECT_EQ(count, 50010 + 3);
    EXPECT_EQ(contracts.size(), count);
}

// The part written in full cannot take its name (a folder of that name that
// is not empty): the run fails and says so, and leaves no temporary file.
TEST_F(WriterTest, PartThatCannotTakeItsNameFailsTheRun) {
    const QStringList items = generate(2);
    const QString name = base(items) + "01G.dec";
    ASSERT_TRUE(QDir().mkpath(transmit(name)));
    {
        QFile f(transmit(name) + "/inside");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    BoxScript boxes;
    boxes.expect("Não foi possível dar ao arquivo gravado o nome \"" + name + "\"", "mrOk");
    EXPECT_EQ(write(&items), kWriteError);
    EXPECT_EQ(QDir(transmit()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_TRUE(QFileInfo::exists(transmit(name) + "/inside"));
}

// A part written again under its own number: the run names it as every part
// is named, a number of one digit with its zero, of two without.
TEST_F(WriterTest, PartWrittenAgainKeepsItsNumber) {
    const QStringList items = generate(2);
    for (int part : {9, 10}) {
        WriteRequest r;
        r.establishments = &items;
        r.drive = QLatin1Char('C');
        r.dataFolder = program.dataFolder();
        r.generationDate = QStringLiteral("15012010");
        r.keptBaseName = base(items);
        r.keptPart = part;
        ASSERT_EQ(WriteDeclarationFile(r, state, host), kWritten) << part;
        const QString name = DeclarationFileName(2009, items.first().mid(4, 16), part, false);
        EXPECT_EQ(state.NomeArquivoGerado + ".dec", name);
        EXPECT_TRUE(VerifyFileDigest(transmit(name))) << name.toStdString();
    }
    EXPECT_EQ(decFiles(transmit()), QStringList({base(items) + "09G.dec", base(items) + "10G.dec"}));
}

TEST_F(WriterTest, CancelConfirmedKeepsEarlierPartsAndDropsTheReceiptTables) {
    // A small stand-in diskette: six records a part.
    const StandInDiskette diskette(552 * 12);
    const QString disk = diskette.disk;
    const QString shelf = diskette.shelf;
    const QStringList items = generate(20);
    const QString name1 = base(items) + "01G.dec";
    BoxScript boxes;
    bool cancelled = false;
    boxes.expect("Insira o disquete # 2", "mrOk", [&] {
        QFile::rename(disk + "/" + name1, shelf + "/" + name1);
        host.cancelAt = host.polls + 6;  // during the second part's contracts
    });
    boxes.expect("Deseja interromper?", "mrYes", [&] { cancelled = true; });
    EXPECT_EQ(write(&items, 'A'), kWriteCancelled);
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(receiptTablesExist());
    const auto p1 = Records(shelf + "/" + name1);
    EXPECT_EQ(p1.size(), 1 + 6 + 1);
    EXPECT_TRUE(VerifyFileDigest(shelf + "/" + name1));
    // The part cut short by the cancel (no trailer, no digest) is removed.
    EXPECT_FALSE(QFile::exists(disk + "/" + base(items) + "02G.dec"));
}

TEST_F(WriterTest, CancelAnsweredNoGoesOn) {
    const QStringList items = generate(30);
    host.cancelAt = 20;
    BoxScript boxes;
    boxes.expect("Deseja interromper?", "mrNo");
    EXPECT_EQ(write(&items), kWritten);
    const auto r = Records(transmit(base(items) + "01G.dec"));
    EXPECT_EQ(r.size(), 33);
    EXPECT_TRUE(VerifyFileDigest(transmit(base(items) + "01G.dec")));
    EXPECT_TRUE(receiptTablesExist());
}

TEST_F(WriterTest, FullDiskLeavesNoPartBehindAndSaysSo) {
    const QStringList items = generate(30);
    SetPartFileFactory([] { return std::make_unique<FullDiskFile>(552 * 10); });
    BoxScript boxes;
    boxes.expect("Não há espaço suficiente no disco para gravar o arquivo \"" + base(items) + "01G.dec\"", "mrOk");
    EXPECT_EQ(write(&items), kWriteError);
    EXPECT_TRUE(decFiles(transmit()).isEmpty());
    EXPECT_FALSE(receiptTablesExist());
}

TEST_F(WriterTest, PartThatLostARecordOnItsWayIsNotStamped) {
    // Every write reported done, one record never reaching the file: the
    // digest made while writing is not the file's, and the part must not
    // take its name with it.
    class LosingFile : public PartFile {
    public:
        bool Create(const QString& path) override { return inner_->Create(path); }
        bool Write(const QByteArray& bytes) override { return ++writes_ == 3 || inner_->Write(bytes); }
        bool Close() override { return inner_->Close(); }
        bool DiskFull() const override { return false; }

    private:
        std::unique_ptr<PartFile> inner_ = MakeDiskPartFile();
        int writes_ = 0;
    };
    const QStringList items = generate(5);
    SetPartFileFactory([] { return std::make_unique<LosingFile>(); });
    BoxScript boxes;
    boxes.expect("Erro de gravação no arquivo \"" + base(items) + "01G.dec\"", "mrOk");
    EXPECT_EQ(write(&items), kWriteError);
    EXPECT_EQ(QDir(transmit()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_FALSE(receiptTablesExist());
}

TEST_F(WriterTest, OutputFolderThatCannotTakeThePartIsNamedWithItsCause) {
    const QStringList items = generate(2);
    const QString folder = QDir::toNativeSeparators(program.path() + "Transmite");
    struct Case {
        const char* what;
        std::function<void()> make;
        QString cause;
    } cases[] = {
        {"missing", [&] { QDir(transmit()).removeRecursively(); }, "a pasta \"" + folder + "\" não existe"},
        {"plain file",
         [&] {
             QDir(transmit()).removeRecursively();
             QFile f(program.path() + "Transmite");
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         "\"" + folder + "\" é um arquivo e não uma pasta"},
    };
    for (const Case& c : cases) {
        c.make();
        BoxScript boxes;
        boxes.expect("Não é possível gravar o arquivo \"" + base(items) + "01G.dec\": " + c.cause, "mrOk");
        EXPECT_EQ(write(&items), kWriteError) << c.what;
        QFile::remove(program.path() + "Transmite");
    }
}

TEST_F(WriterTest, FullDataFolderIsNamedAndLeavesNoReceiptTable) {
    const QStringList items = generate(200);
    SmallDisk dados(program.dataFolder(), 4 << 20);
    if (!dados.mounted()) GTEST_SKIP() << "no right to mount a small file system";
    const QString message = "A pasta de dados \"" + QDir::toNativeSeparators(program.dataFolder()) + "\" está cheia";
    // Too little room to create the receipt tables; then room to create
    // them, taken while the file is written.
    for (const bool later : {false, true}) {
        const qint64 room = later ? qint64(256) << 10 : qint64(8) << 10;
        dados.release();
        dados.leaveFree(room);
        host.onPoll = [&](int poll) {
            if (later && poll == 1) dados.leaveFree(0);
        };
        BoxScript boxes;
        boxes.expect(message, "mrOk");
        EXPECT_EQ(write(&items), kWriteError) << room;
        EXPECT_FALSE(receiptTablesExist()) << room;
        auto d = db::Database::forFolder(program.dataFolder());
        EXPECT_FALSE(d->tableExists("te8ProID.db") || d->tableExists("te8ProES.db")) << room;
        EXPECT_TRUE(decFiles(transmit()).isEmpty()) << room;
    }
}

TEST_F(WriterTest, ControlCharactersAreWrittenAsBlanksAndTheAnalyserTakesTheFile) {
    const QStringList items = generate(1);
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // one character beyond 16 bits
    {
        auto d = db::Database::forFolder(program.dataFolder());
        db::Table emp(d, "Bd8emp");
        emp.Open();
        ASSERT_TRUE(emp.FindKey({items.first().mid(0, 4), items.first().mid(4, 14), items.first().mid(18, 2)}));
        emp.Edit();
        emp.FieldByName("NoRazaoEstabelecimento").SetAsString("ACME\r\nLTDA\tX\x01Y" + clef + "Z");
        emp.Post();
    }
    BoxScript boxes;
    ASSERT_EQ(write(&items), kWritten);
    const QString name = base(items) + "01G.dec";
    const auto r = Records(transmit(name));
    ASSERT_GE(r.size(), 3);
    for (const QByteArray& rec : r) EXPECT_EQ(rec.size(), 550);
    // The character beyond 16 bits takes one column, as it is one character.
    EXPECT_EQ(Cols(r[1], 24, 40), "ACME  LTDA X Y?Z ");
    QFile f(transmit(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto outcome = analyserfixture::AnalyseBytes(program.dataFolder(), f.readAll());
    EXPECT_EQ(outcome.result, kAnaliseSemErro);
}

TEST_F(WriterTest, ChosenEstablishmentMissingStopsWithAnErrorBox) {
    QStringList items = generate(2, 1, 2);
    items.insert(1, "2009" "99999999000191" "00");
    QTemporaryDir disk;
    drives::SetDrive('A', {disk.path(), drives::DriveType::Removable, 552 * 100});
    for (const QChar drive : {QLatin1Char('C'), QLatin1Char('A')}) {
        SCOPED_TRACE(QString(drive).toStdString());
        BoxScript boxes;
        boxes.expect("Erro na leitura dos dados para gravação do arquivo Zuvo2009!", "mrOk");
        EXPECT_EQ(write(&items, drive), kWriteError);
    }
    // The folder keeps nothing of a run that did not complete; the diskette
    // keeps the part begun before, closed where it stood.
    EXPECT_TRUE(decFiles(transmit()).isEmpty()) << decFiles(transmit()).join(',').toStdString();
    EXPECT_EQ(QDir(transmit()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    const auto r = Records(disk.filePath(base(items) + "01G.dec"));
    EXPECT_EQ(r.size(), 1 + 1 + 2);
}

TEST_F(WriterTest, SplitModeMarksPartsAndStampsNoDigest) {
    const QStringList items = generate(3, 1, 1);
    state.ModoParticionamento = 1;
    BoxScript boxes;
    EXPECT_EQ(write(&items), kWritten);
    const QString path = transmit(base(items) + "01G.dec");
    const auto r = Records(path);
    EXPECT_EQ(Cols(r[0], 397, 398), " P");
    EXPECT_EQ(Cols(r.last(), 519, 550), QByteArray(32, ' '));
    EXPECT_FALSE(VerifyFileDigest(path));
}

TEST_F(WriterTest, AmendmentFromTheWorkingTables) {
    generate(0);  // the declaration tables stay as they are
    auto database = db::Database::forFolder(program.dataFolder());
    CopyTableStructure("bd8resp", "Te8Resp", *database, true);
    CopyTableStructure("Bd8emp", "Te8Emp", *database, true);
    CopyTableStructure("Bd8vinc", "Te8Vinc", *database, true);
    {
        db::Table resp(database, "Te8Resp.db"), emp(database, "Te8Emp.db"), vinc(database, "Te8Vinc.db");
        resp.Open();
        emp.Open();
        vinc.Open();
        gen::FillResponsible(resp);
        int pis = 1;
        gen::AppendEstablishment(emp, "2009", gen::MakeCnpj(5), 2, 0);
        gen::AppendContract(vinc, "2009", gen::MakeCnpj(5), 1, pis);
        gen::AppendContract(vinc, "2009", gen::MakeCnpj(5), 2, pis);
    }
    state.CreaDeclaracao = "590123456789";
    BoxScript boxes;
    EXPECT_EQ(write(nullptr, 'C', true, true), kWritten);
    const QString path = transmit("Zuvo2009_" + gen::MakeCnpj(5) + "0001R.dec");
    const auto r = Records(path);
    ASSERT_EQ(r.size(), 5);
    EXPECT_EQ(Cols(r[0], 223, 239), "11501201015012010");
    EXPECT_EQ(Cols(r[0], 372, 383), "590123456789");
    EXPECT_EQ(Cols(r[4], 30, 37), "00000202");
    EXPECT_TRUE(VerifyFileDigest(path));
    const auto ids = receiptRows("SELECT InRetificacao FROM te8ProID");
    ASSERT_EQ(ids.size(), 1);
    EXPECT_EQ(ids[0][0], "1");
}

// A stand-in diskette of six records a part: after five records only an
// establishment without employees may still begin in the part.
TEST_F(WriterTest, OnlyAnEstablishmentWithoutEmployeesTakesThePartsLastPlace) {
    const StandInDiskette diskette(552 * 12);
    const QString disk = diskette.disk;
    const QString shelf = diskette.shelf;
    {
        const QStringList items = generate(4, 0, 0, 1);
        BoxScript boxes;
        ASSERT_EQ(write(&items, 'A'), kWritten);
        const auto r = Records(disk + "/" + base(items) + "01G.dec");
        ASSERT_EQ(r.size(), 8);
        EXPECT_EQ(Cols(r[6], 23, 23), "1");
        EXPECT_EQ(Cols(r[7], 24, 35), "000002000004");
        QFile::remove(disk + "/" + base(items) + "01G.dec");
    }
    {
        const QStringList items = generate(4, 1, 1);
        const QString name1 = base(items) + "01G.dec";
        BoxScript boxes;
        boxes.expect("Insira o disquete # 2", "mrOk", [&] { QFile::rename(disk + "/" + name1, shelf + "/" + name1); });
        ASSERT_EQ(write(&items, 'A'), kWritten);
        EXPECT_EQ(Records(shelf + "/" + name1).size(), 1 + 5 + 1);
        EXPECT_EQ(Records(disk + "/" + base(items) + "02G.dec").size(), 1 + 2 + 1);
    }
}

TEST_F(WriterTest, WizardFormWritesTheSelectedItemsOnly) {
    const QStringList items = generate(2, 2, 1);
    QListWidget list;
    list.setSelectionMode(QAbstractItemView::MultiSelection);
    for (const QString& i : items) list.addItem(i);
    list.item(0)->setSelected(true);
    list.item(2)->setSelected(true);
    QProgressBar bar;
    BoxScript boxes;
    ASSERT_EQ(WriteDeclarationFile(&list, 'C', program.dataFolder(), &bar, false, false, "15012010", "101500", state),
              kWritten);
    const auto r = Records(transmit(base(items) + "01G.dec"));
    ASSERT_EQ(r.size(), 1 + 3 + 2 + 1);
    EXPECT_EQ(Cols(r[4], 7, 20), items[2].mid(4, 14).toLatin1());
    EXPECT_EQ(Cols(r.last(), 24, 35), "000002000003");
    EXPECT_EQ(bar.maximum(), 5);
    EXPECT_EQ(bar.value(), 5);
}

TEST_F(WriterTest, FullDiskOnALaterPartKeepsTheCompletedOnes) {
    const StandInDiskette diskette(552 * 12);
    const QString disk = diskette.disk;
    const QString shelf = diskette.shelf;
    const QStringList items = generate(10);
    int made = 0;
    SetPartFileFactory([&made] {
        return std::make_unique<FullDiskFile>(++made == 1 ? 552 * 100 : 552 * 3);
    });
    const QString name1 = base(items) + "01G.dec";
    BoxScript boxes;
    boxes.expect("Insira o disquete # 2", "mrOk", [&] { QFile::rename(disk + "/" + name1, shelf + "/" + name1); })
        .expect("Não há espaço suficiente no disco", "mrOk");
    EXPECT_EQ(write(&items, 'A'), kWriteError);
    EXPECT_TRUE(VerifyFileDigest(shelf + "/" + name1));
    EXPECT_TRUE(decFiles(disk).isEmpty());
    EXPECT_FALSE(receiptTablesExist());
}

TEST_F(WriterTest, OverwriteAuthorisedOnceCoversTheLaterParts) {
    const StandInDiskette diskette(552 * 12);
    const QString disk = diskette.disk;
    const QString shelf = diskette.shelf;
    const QStringList items = generate(8);
    const QString name1 = base(items) + "01G.dec";
    const QString name2 = base(items) + "02G.dec";
    auto putOld = [&](const QString& name) {
        QFile f(disk + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write("old");
    };
    putOld(name1);  // a diskette holding only this part's own file is not refused
    BoxScript boxes;
    boxes.expect("Autoriza gravar sobre?", "mrYes")
        .expect("Insira o disquete # 2", "mrOk", [&] {
            QFile::rename(disk + "/" + name1, shelf + "/" + name1);
            putOld(name2);
        });
    EXPECT_EQ(write(&items, 'A'), kWritten);
    EXPECT_TRUE(VerifyFileDigest(shelf + "/" + name1));
    EXPECT_TRUE(VerifyFileDigest(disk + "/" + name2));
    EXPECT_EQ(boxes.shown.size(), 2);
}
