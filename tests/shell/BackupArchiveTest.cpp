#include "shell/LZRW1KH.h"
#include "shell/backup.h"
#include "support/SmallDisk.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& data, const QDateTime& when = QDateTime()) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
    f.flush();
    if (when.isValid()) ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QByteArray noise(qsizetype size, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray b(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) b[i] = char(gen.bounded(256));
    return b;
}

QByteArray text(qsizetype size) {
    QByteArray b;
    while (b.size() < size) b += "2009|12345678000190|00|EMPRESA EXEMPLO LTDA|RUA DAS FLORES|";
    return b.left(size);
}

QByteArray le32(qint32 v) {
    const qint32 x = qToLittleEndian(v);
    return QByteArray(reinterpret_cast<const char*>(&x), 4);
}

// Reads the chunk lengths of each data section of an archive of the current
// form, without decompressing: the shape the tests check.
struct Shape {
    QString title;
    qint32 totalSize = 0, fileCount = 0;
    QStringList names;                 // entries in order, NEXT:DISK included
    QList<QList<qint32>> sections;     // chunk lengths per data section
    bool endMark = false;
};

Shape shapeOf(const QStringList& volumes) {
    Shape s;
    QByteArray all;
    for (const QString& v : volumes) all += readAll(v);
    qsizetype pos = 0;
    auto i32 = [&] {
        const qint32 v = qFromLittleEndian<qint32>(all.constData() + pos);
        pos += 4;
        return v;
    };
    auto section = [&] {
        EXPECT_EQ(all.mid(pos, 4), QByteArray("EC2\0", 4));
        pos += 4;
        QList<qint32> lengths;
        for (qint32 l = i32(); l != 0; l = i32()) {
            lengths << l;
            pos += qAbs(l);
        }
        s.sections << lengths;
    };
    const qint32 tl = i32();
    s.title = QString::fromLatin1(all.mid(pos, tl));
    pos += tl;
    s.totalSize = i32();
    s.fileCount = i32();
    while (pos + 4 <= all.size()) {
        const qint32 nl = i32();
        if (nl == 0) {
            s.endMark = true;
            break;
        }
        const QString name = QString::fromLatin1(all.mid(pos, nl));
        pos += nl;
        s.names << name;
        if (!name.startsWith("NEXT:DISK")) i32();  // date
        section();
    }
    return s;
}

class BackupArchive : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString src() const { return dir.filePath("src"); }
    QString out() const { return dir.filePath("out"); }
    QString archive() const { return dir.filePath("arq/Zuvo2009_backup.bkp"); }
    void SetUp() override {
        QDir().mkpath(src());
        QDir().mkpath(out());
        QDir().mkpath(dir.filePath("arq"));
    }
    // A backup file with the events bound so that no box is ever shown.
    void bind(TBackupFile& bk) {
        bk.OnError = [this](TBackupFile*, int code, const QString& text) { errors << qMakePair(code, text); };
        bk.OnNeedDisk = [this](TBackupFile*, quint16 disk, bool& cont) {
            disks << disk;
            cont = disks.size() < 50;  // never loop for ever in a failing test
        };
        bk.OnProgress = [this](TBackupFile*, const QString&, int percent, bool&) { percents << percent; };
    }
    QList<QPair<int, QString>> errors;
    QList<int> disks;
    QList<int> percents;
};

TEST_F(BackupArchive, RoundTripKeepsBytesDatesAndChunkShape) {
    struct Case {
        const char* name;
        QByteArray data;
        int expectedChunks;
        bool allStored;
    };
    const QList<Case> cases = {
        {"vazio.db", QByteArray(), 0, false},
        {"um.db", QByteArray("x"), 1, false},
        {"exato1.db", text(16384), 1, false},
        {"exato3.db", text(16384 * 3), 3, false},
        {"quase.db", text(16384 * 3 + 7), 4, false},
        {"ruido.db", noise(16384 * 2 + 100, 7), 3, true},
    };
    const QDateTime when(QDate(2009, 11, 3), QTime(14, 25, 36));
    for (const Case& c : cases) writeFile(src() + "/" + c.name, c.data, when);

    for (TCompressionLevel level : {clFastest, clNone, clDefault, clMax}) {
        SCOPED_TRACE(int(level));
        TBackupFile bk;
        bind(bk);
        bk.CompressionLevel = level;
        bk.BackupTitle = "Zuvo2009";
        ASSERT_TRUE(bk.Backup({src() + "/*.db"}, archive()));
        EXPECT_TRUE(errors.isEmpty());
        EXPECT_EQ(percents.first(), 0);
        EXPECT_EQ(percents.last(), 100);

        const Shape shape = shapeOf({archive()});
        EXPECT_EQ(shape.title, "Zuvo2009");
        EXPECT_EQ(shape.fileCount, cases.size());
        EXPECT_TRUE(shape.endMark);
        ASSERT_EQ(shape.sections.size(), cases.size());
        for (int i = 0; i < cases.size(); ++i) {
            const QList<qint32>& lengths = shape.sections[i];
            // Entries are the lower-cased full paths, in name order of the folder.
            const int ci = int(std::find_if(cases.begin(), cases.end(), [&](const Case& c) {
                               return shape.names[i].endsWith(QString("/") + c.name);
                           }) - cases.begin());
            ASSERT_LT(ci, cases.size()) << shape.names[i].toStdString();
            EXPECT_EQ(shape.names[i], QFileInfo(src() + "/" + cases[ci].name).absoluteFilePath().toLower());
            EXPECT_EQ(lengths.size(), cases[ci].expectedChunks) << cases[ci].name;
            for (qint32 l : lengths) EXPECT_LE(qAbs(l), TBackupFile::kChunkSize);
            // Full chunks of noise, and every chunk without compression, do not fit.
            for (qint32 l : lengths)
                if ((level == clNone || cases[ci].allStored) && qAbs(l) == TBackupFile::kChunkSize)
                    EXPECT_LT(l, 0) << cases[ci].name;
        }

        QDir(out()).removeRecursively();
        TBackupFile rs;
        bind(rs);
        ASSERT_TRUE(rs.Restore(archive(), out()));
        EXPECT_EQ(rs.FileCount(), cases.size());
        for (const Case& c : cases) {
            EXPECT_EQ(readAll(out() + "/" + c.name), c.data) << c.name;
            EXPECT_EQ(QFileInfo(out() + "/" + c.name).lastModified(), when) << c.name;
        }
    }
}

TEST_F(BackupArchive, VolumesStayWithinTheLimitAndRestoreWhole) {
    const QByteArray a = noise(150000, 1), b = text(90000), c = noise(40000, 3);
    writeFile(src() + "/bd8emp.db", a);
    writeFile(src() + "/bd8resp.db", b);
    writeFile(src() + "/bd8vinc.db", c);
    const qint64 maxSize = 40000;

    TBackupFile bk;
    bind(bk);
    bk.MaxSize = maxSize;
    bk.BackupTitle = "Zuvo2009";
    ASSERT_TRUE(bk.Backup({src() + "/bd8*.*"}, archive()));
    ASSERT_GE(disks.size(), 4);
    QStringList volumes{archive()};
    for (int i = 0; i < disks.size(); ++i) {
        EXPECT_EQ(disks[i], i + 2);
        const QString v = TBackupFile::VolumeName(archive(), i + 2);
        EXPECT_TRUE(v.endsWith(QString("Zuvo2009_backup.%1").arg(i + 2, 3, 10, QChar('0'))));
        volumes << v;
    }
    for (const QString& v : volumes) {
        EXPECT_LE(QFileInfo(v).size(), maxSize + 4 + TBackupFile::kChunkSize) << v.toStdString();
        if (v != archive()) EXPECT_EQ(readAll(v).left(4), QByteArray("EC2\0", 4));
    }
    const Shape shape = shapeOf(volumes);
    EXPECT_TRUE(shape.endMark);
    EXPECT_EQ(shape.names.filter("NEXT:DISK").size(), disks.size());

    disks.clear();
    TBackupFile rs;
    bind(rs);
    ASSERT_TRUE(rs.Restore(archive(), out()));
    EXPECT_EQ(disks.size(), volumes.size() - 1);
    EXPECT_EQ(readAll(out() + "/bd8emp.db"), a);
    EXPECT_EQ(readAll(out() + "/bd8resp.db"), b);
    EXPECT_EQ(readAll(out() + "/bd8vinc.db"), c);
}

TEST_F(BackupArchive, VolumeThatCannotHoldOneChunkIsRefused) {
    writeFile(src() + "/bd8emp.db", noise(100000, 5));
    struct Case {
        qint64 first;   // MaxSize of the first volume
        qint64 later;   // MaxSize set when the next volume is asked for
    };
    for (const Case& c : {Case{1000, 1000}, Case{-5, -5}, Case{TBackupFile::kMinVolumeSize - 1, 0},
                          Case{30000, 16488}, Case{30000, -100}}) {
        SCOPED_TRACE(c.first);
        errors.clear();
        TBackupFile bk;
        bind(bk);
        int asked = 0;
        bk.OnNeedDisk = [&](TBackupFile* s, quint16, bool& cont) {
            ++asked;
            s->MaxSize = c.later;
            cont = asked < 50;
        };
        bk.MaxSize = c.first;
        EXPECT_FALSE(bk.Backup({src() + "/*.db"}, archive()));
        EXPECT_LE(asked, 1);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_EQ(errors[0].first, TBackupFile::errWriteArchive);
        EXPECT_EQ(errors[0].second, "Cannot write to archive");
    }
}

TEST_F(BackupArchive, PercentUsesSixtyFourBitsAndGuardsZero) {
    EXPECT_EQ(TBackupFile::Percent(30'000'000, 40'000'000), 75);
    EXPECT_EQ(TBackupFile::Percent(3'000'000'000LL, 4'000'000'000LL), 75);
    EXPECT_EQ(TBackupFile::Percent(500, 0), 100);
    EXPECT_EQ(TBackupFile::Percent(500, -3), 100);
    EXPECT_EQ(TBackupFile::Percent(900, 300), 100);  // a header that understates the total

    // A restore whose header says 0 bytes still runs and reports sane percents.
    writeFile(src() + "/a.db", text(50000));
    TBackupFile bk;
    bind(bk);
    ASSERT_TRUE(bk.Backup({src() + "/a.db"}, archive()));
    QByteArray arc = readAll(archive());
    const qsizetype totalAt = 4 + qFromLittleEndian<qint32>(arc.constData());
    arc.replace(totalAt, 4, le32(0));
    writeFile(archive(), arc);
    percents.clear();
    TBackupFile rs;
    bind(rs);
    ASSERT_TRUE(rs.Restore(archive(), out()));
    for (int p : percents) EXPECT_TRUE(p >= 0 && p <= 100);
    EXPECT_EQ(readAll(out() + "/a.db"), text(50000));
}

TEST_F(BackupArchive, DamagedArchivesFailAndNeverReportSuccess) {
    writeFile(src() + "/a.db", text(40000));
    writeFile(src() + "/b.db", noise(20000, 9));
    TBackupFile bk;
    bind(bk);
    bk.BackupTitle = "Zuvo2009";
    ASSERT_TRUE(bk.Backup({src() + "/*.db"}, archive()));
    const QByteArray good = readAll(archive());
    const qsizetype header = 4 + 8 + 8;
    const qint32 nameLength = qFromLittleEndian<qint32>(good.constData() + header);
    const qsizetype section = header + 4 + nameLength + 4;  // signature of a.db
    const qsizetype firstChunk = section + 4;

    struct Case {
        const char* what;
        QByteArray archive;
    };
    QByteArray flipped = good;
    flipped[firstChunk + 4 + 20] = char(flipped[firstChunk + 4 + 20] ^ 0x5a);
    QByteArray tooLong = good;
    tooLong.replace(firstChunk, 4, le32(TBackupFile::kChunkSize + 1));
    QByteArray badSignature = good;
    badSignature.replace(section, 4, QByteArray("XYZ\0", 4));
    QByteArray hugeName = good;
    hugeName.replace(header, 4, le32(0x7fffffff));
    const QList<Case> cases = {
        {"truncated in a chunk", good.left(firstChunk + 30)},
        {"truncated before the end mark", good.left(good.size() - 4)},
        {"flipped compressed byte", flipped},
        {"chunk length above 16384", tooLong},
        {"unknown section signature", badSignature},
        {"damaged name length", hugeName},
        {"header only", good.left(10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(archive(), c.archive);
        errors.clear();
        TBackupFile rs;
        bind(rs);
        bool ok = true;
        try {
            ok = rs.Restore(archive(), out());
        } catch (const EBackupError& e) {
            ok = false;
            EXPECT_TRUE(e.text() == "Cannot read archive" || e.text() == "Invalid archive type");
        }
        EXPECT_FALSE(ok);
        EXPECT_FALSE(rs.IsBusy());
    }
}

// A damaged archive's stored length: a chunk holds at most 16,384 bytes
// either way, and a longer one is refused before anything of it is read or
// written (a huge one would first ask for up to 2 GB).
TEST_F(BackupArchive, ChunkLengthBeyondTheChunkSizeIsRefused) {
    auto archiveWith = [](qint32 length, const QByteArray& data) {
        const QByteArray name = "c:\\dados\\a.db";
        return le32(8) + "Zuvo2009" + le32(data.size()) + le32(1) + le32(name.size()) + name +
               le32(TBackupFile::ToDosDateTime(QDateTime(QDate(2009, 5, 1), QTime(8, 0)))) +
               QByteArray("EC2\0", 4) + le32(length) + data + le32(0) + le32(0);
    };
    struct Case {
        const char* what;
        qint32 length;
        qsizetype bytes;
        bool restores;
    };
    const QList<Case> cases = {
        {"stored, 16,384 bytes", -TBackupFile::kChunkSize, TBackupFile::kChunkSize, true},
        {"stored, 16,385 bytes", -TBackupFile::kChunkSize - 1, TBackupFile::kChunkSize + 1, false},
        {"stored, a huge length", -0x7ffffff0, 100, false},
        {"compressed, a huge length", 0x7ffffff0, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray data = noise(c.bytes, 3);
        writeFile(archive(), archiveWith(c.length, data));
        QFile::remove(out() + "/a.db");
        errors.clear();
        TBackupFile rs;
        bind(rs);
        bool ok = false;
        try {
            ok = rs.Restore(archive(), out());
        } catch (const EBackupError&) {
            ok = false;
        }
        EXPECT_EQ(ok, c.restores);
        if (c.restores) {
            EXPECT_EQ(readAll(out() + "/a.db"), data);
        } else {
            EXPECT_EQ(errors.value(0).first, TBackupFile::errReadFile);
            EXPECT_LE(QFileInfo(out() + "/a.db").size(), 0);
        }
    }
}

TEST_F(BackupArchive, CancelFromProgressLeavesNoEndMark) {
    writeFile(src() + "/a.db", text(16384 * 4));
    TBackupFile bk;
    bind(bk);
    bk.OnProgress = [](TBackupFile* s, const QString&, int percent, bool& cont) {
        if (percent >= 50 && percent < 100) cont = false;
        EXPECT_TRUE(s->IsBusy() || percent == 100);
    };
    EXPECT_FALSE(bk.Backup({src() + "/a.db"}, archive()));
    EXPECT_TRUE(errors.isEmpty());
    // Nothing without its end mark is left under the archive's name.
    EXPECT_EQ(QDir(dir.filePath("arq")).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_FALSE(bk.IsBusy());
}

// An earlier archive of the same name is what the user falls back on: a run
// that does not complete leaves it as it was, and no partial file beside it.
TEST_F(BackupArchive, BackupThatDoesNotCompleteKeepsTheEarlierArchive) {
    writeFile(src() + "/a.db", text(40000));
    TBackupFile first;
    bind(first);
    first.BackupTitle = "Zuvo2009";
    ASSERT_TRUE(first.Backup({src() + "/a.db"}, archive()));
    const QByteArray earlier = readAll(archive());
    writeFile(src() + "/b.db", noise(16384 * 4, 2));

    struct Case {
        const char* what;
        std::function<void(TBackupFile&)> arrange;
        int error;
    };
    const QList<Case> cases = {
        {"cancelled half way",
         [](TBackupFile& bk) {
             bk.OnProgress = [](TBackupFile*, const QString&, int p, bool& cont) { cont = p < 50 || p == 100; };
         },
         TBackupFile::errNone},
        {"stopped at the first chunk",
         [](TBackupFile& bk) { bk.OnProgress = [](TBackupFile* s, const QString&, int p, bool&) { if (p > 0) s->Stop(); }; },
         TBackupFile::errNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        errors.clear();
        TBackupFile bk;
        bind(bk);
        bk.BackupTitle = "Zuvo2009";
        c.arrange(bk);
        EXPECT_FALSE(bk.Backup({src() + "/a.db", src() + "/b.db"}, archive()));
        if (c.error == TBackupFile::errNone) EXPECT_TRUE(errors.isEmpty());
        else EXPECT_EQ(errors.value(0).first, c.error);
        EXPECT_EQ(readAll(archive()), earlier);
        EXPECT_EQ(QDir(dir.filePath("arq")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(archive()).fileName()});
    }
    // The earlier archive still restores.
    TBackupFile rs;
    bind(rs);
    ASSERT_TRUE(rs.Restore(archive(), out()));
    EXPECT_EQ(readAll(out() + "/a.db"), text(40000));
}

// The disk that holds the archive fills up at each point of the run, the
// last bytes (written only when the archive is closed) included: the run
// either completes a whole archive or reports error 4 and keeps the earlier one.
TEST_F(BackupArchive, FullDiskNeverPassesForSuccessNorDestroysTheEarlierArchive) {
    writeFile(src() + "/a.db", text(30000));
    // The last chunk, nearly full, waits in the write buffer until the close.
    writeFile(src() + "/b.db", noise(16384 * 5 + 16000, 4));
    // The whole new archive, written where there is room.
    const QString roomy = out() + "/probe.bkp";
    {
        TBackupFile probe;
        bind(probe);
        probe.BackupTitle = "Zuvo2009";
        ASSERT_TRUE(probe.Backup({src() + "/*.db"}, roomy));
    }
    const QByteArray whole = readAll(roomy);
    SmallDisk disk(dir.filePath("arq"), 512 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "no right to mount a small disk here";
    const QByteArray earlier = text(20000);

    int failed = 0, completed = 0;
    for (qint64 room = whole.size() - 20 * 1024; room <= whole.size() + 8 * 1024; room += 1024) {
        SCOPED_TRACE(room);
        disk.release();
        writeFile(archive(), earlier);
        disk.leaveFree(room);
        errors.clear();
        TBackupFile bk;
        bind(bk);
        bk.BackupTitle = "Zuvo2009";
        if (bk.Backup({src() + "/*.db"}, archive())) {
            ++completed;
            EXPECT_TRUE(errors.isEmpty());
            EXPECT_EQ(readAll(archive()), whole);
        } else {
            ++failed;
            ASSERT_EQ(errors.size(), 1);
            EXPECT_EQ(errors[0].second, "Cannot write to archive");
            EXPECT_EQ(readAll(archive()), earlier);
        }
        EXPECT_FALSE(QFileInfo::exists(archive() + ".tmp"));
    }
    EXPECT_GT(failed, 0);
    EXPECT_GT(completed, 0);
}

TEST_F(BackupArchive, FileListAndArchiveInfo) {
    writeFile(src() + "/a.db", text(100));
    writeFile(src() + "/b.db", text(200));
    writeFile(src() + "/sub/c.db", text(300));
    TBackupFile bk;
    bind(bk);
    bk.SaveFileID = true;
    bk.BackupTitle = "Zuvo2009";
    // The same file twice, a folder with " /s" and the archive itself in the folder.
    const QString inside = src() + "/Arq.bkp";
    ASSERT_TRUE(bk.Backup({src() + "/*.DB", src() + "/A.db", src() + "/* /s"}, inside));
    EXPECT_EQ(bk.FileCount(), 3);

    TBackupFile info;
    bind(info);
    QStringList lines;
    QString title;
    info.GetArchiveInfo(inside, &lines, title);
    EXPECT_EQ(title, "Zuvo2009");
    EXPECT_EQ(info.FileCount(), 3);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QFileInfo(src() + "/a.db").absoluteFilePath().toLower() + '\t'));
    EXPECT_TRUE(lines[0].endsWith("=100"));
    EXPECT_TRUE(lines[2].contains("/sub/c.db\t"));
    EXPECT_TRUE(lines[2].endsWith("=300"));

    TBackupFile rs;
    bind(rs);
    ASSERT_TRUE(rs.Restore(inside, out()));
    EXPECT_EQ(QDir(out()).entryList(QDir::Files), QStringList({"a.db", "b.db", "c.db"}));
    EXPECT_EQ(rs.FileCount(), 3);

    // A header that cannot be read goes to the error event and gives no title.
    writeFile(inside, QByteArray("\x05\0", 2));
    info.GetArchiveInfo(inside, &lines, title);
    EXPECT_TRUE(title.isEmpty());
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_EQ(errors.last().second, "Cannot read archive");
}

TEST_F(BackupArchive, RestoreModesDecidePerFile) {
    const QDateTime archived(QDate(2009, 6, 1), QTime(10, 0, 0));
    writeFile(src() + "/velho.db", "novo conteudo", archived);
    writeFile(src() + "/novo.db", "novo conteudo", archived);
    writeFile(src() + "/ausente.db", "novo conteudo", archived);
    TBackupFile bk;
    bind(bk);
    ASSERT_TRUE(bk.Backup({src() + "/*.db"}, archive()));

    struct Case {
        TRestoreMode mode;
        bool velho, novo, ausente;  // which files get the archived content
    };
    for (const Case& c : {Case{rmAll, true, true, true}, Case{rmNoOverwrite, false, false, true},
                          Case{rmNewer, true, false, true}, Case{rmExisting, true, true, false},
                          Case{rmExistingNewer, true, false, false}}) {
        SCOPED_TRACE(int(c.mode));
        QDir(out()).removeRecursively();
        writeFile(out() + "/velho.db", "antigo", archived.addDays(-1));
        writeFile(out() + "/novo.db", "antigo", archived.addDays(1));
        TBackupFile rs;
        bind(rs);
        rs.RestoreMode = c.mode;
        ASSERT_TRUE(rs.Restore(archive(), out()));
        EXPECT_EQ(readAll(out() + "/velho.db") == "novo conteudo", c.velho);
        EXPECT_EQ(readAll(out() + "/novo.db") == "novo conteudo", c.novo);
        EXPECT_EQ(QFile::exists(out() + "/ausente.db"), c.ausente);
    }
}

TEST_F(BackupArchive, StreamArchiveRoundTrip) {
    writeFile(src() + "/a.db", text(70000));
    QBuffer buffer;
    TBackupFile bk;
    bind(bk);
    bk.SetStream(&buffer);
    bk.BackupTitle = "Zuvo2009";
    ASSERT_TRUE(bk.Backup({src() + "/a.db"}, ":STREAM"));
    buffer.close();
    TBackupFile rs;
    bind(rs);
    rs.SetStream(&buffer);
    QString title;
    rs.GetArchiveInfo(":STREAM", nullptr, title);
    EXPECT_EQ(title, "Zuvo2009");
    buffer.close();
    ASSERT_TRUE(rs.Restore(":STREAM", out()));
    EXPECT_EQ(readAll(out() + "/a.db"), text(70000));
    EXPECT_FALSE(TBackupFile().Restore(":STREAM", out()));  // no stream given
    EXPECT_FALSE(TBackupFile().Restore(dir.filePath("nada.bkp"), out()));
}

// A small LZRW1-KH compressor for the tests: literals, back copies of 3 to 18
// bytes from up to 4095 bytes back, and runs of 16 or more equal bytes.
QByteArray lzrwBlock(const QByteArray& data) {
    QByteArray block(1, '\0');
    qsizetype i = 0;
    while (i < data.size()) {
        const qsizetype controlAt = block.size();
        block.append(2, '\0');
        quint16 control = 0;
        int items = 0;
        for (; items < 16 && i < data.size(); ++items) {
            control <<= 1;
            qsizetype run = 1;
            while (i + run < data.size() && data[i + run] == data[i] && run < 4111) ++run;
            if (run >= 16) {
                control |= 1;
                block.append('\0');
                block.append(char((run - 16) >> 8));
                block.append(char((run - 16) & 0xff));
                block.append(data[i]);
                i += run;
                continue;
            }
            int bestLen = 0, bestOff = 0;
            for (int off = 1; off <= 4095 && off <= i; ++off) {
                int len = 0;
                while (len < 18 && i + len < data.size() && data[i + len] == data[i - off + len]) ++len;
                if (len > bestLen) { bestLen = len; bestOff = off; }
            }
            if (bestLen >= 3) {
                control |= 1;
                block.append(char(bestOff >> 4));
                block.append(char((bestOff & 15) << 4 | (bestLen - 3)));
                i += bestLen;
            } else {
                block.append(data[i++]);
            }
        }
        // Fewer than 16 items in the last group: their bits stand highest.
        control <<= 16 - items;
        block[controlAt] = char(control >> 8);
        block[controlAt + 1] = char(control & 0xff);
    }
    return block;
}

TEST(LZRW1KHDecoder, ItemsOfEveryKind) {
    // Literals "ab", a copy of 5 from 2 back (overlapping), a run of 20 'z';
    // the control word 0x3000 marks items 3 and 4 as two- and four-byte items.
    const QByteArray block("\x00\x30\x00" "ab" "\x00\x22" "\x00\x00\x04z", 11);
    const auto out = LZRW1KH::Decompress(block);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out, QByteArray("ab") + "ababa" + QByteArray(20, 'z'));

    QByteArray stored("\x80" "dados como estao", 17);
    EXPECT_EQ(LZRW1KH::Decompress(stored).value(), QByteArray("dados como estao"));

    // Damaged blocks: a copy from before the start, an item cut short.
    QByteArray before("\0\x80\0\x01\x02", 5);
    EXPECT_FALSE(LZRW1KH::Decompress(before).has_value());
    QByteArray cut("\0\x80\0\x01", 4);
    EXPECT_FALSE(LZRW1KH::Decompress(cut).has_value());
    EXPECT_FALSE(LZRW1KH::Decompress(QByteArray(LZRW1KH::kBufferSize + 1, '\x80')).has_value());
}

TEST_F(BackupArchive, OlderFormArchiveRestores) {
    // Two files, one spread over two blocks, the other a stored block; the second
    // file's data continue on a second volume in a new section.
    const QByteArray one = text(30000) + noise(500, 4) + QByteArray(300, ' ') + text(9000);
    const QByteArray two = noise(1000, 11);
    auto ecsSection = [](const QList<QByteArray>& blocks) {
        QByteArray body;
        for (const QByteArray& b : blocks) body += le32(qint32(b.size())) + b;
        return QByteArray("ECS\0", 4) + le32(qint32(body.size())) + body;
    };
    const QByteArray b1 = lzrwBlock(one.left(20000)), b2 = lzrwBlock(one.mid(20000));
    ASSERT_EQ(LZRW1KH::Decompress(b1).value(), one.left(20000));
    ASSERT_LT(b1.size(), 20000);

    auto entry = [](const QByteArray& name, qint32 date) { return le32(qint32(name.size())) + name + le32(date); };
    const qint32 date = TBackupFile::ToDosDateTime(QDateTime(QDate(2008, 12, 30), QTime(9, 30, 0)));
    QByteArray vol1 = le32(8) + "Zuvo2009" + le32(qint32(one.size() + two.size())) + le32(2);
    vol1 += entry("c:\\lobrix\\dados\\bd8emp.db", date) + ecsSection({b1, b2});
    vol1 += entry("c:\\lobrix\\dados\\bd8resp.db", date) + ecsSection({QByteArray("\x80") + two.left(600)});
    vol1 += le32(12) + "NEXT:DISK002";
    QByteArray vol2 = ecsSection({QByteArray("\x80") + two.mid(600)}) + le32(0);
    writeFile(archive(), vol1);
    writeFile(TBackupFile::VolumeName(archive(), 2), vol2);

    TBackupFile rs;
    bind(rs);
    ASSERT_TRUE(rs.Restore(archive(), out()));
    EXPECT_EQ(disks, QList<int>{2});
    EXPECT_EQ(readAll(out() + "/bd8emp.db"), one);
    EXPECT_EQ(readAll(out() + "/bd8resp.db"), two);
    EXPECT_EQ(QFileInfo(out() + "/bd8resp.db").lastModified(), QDateTime(QDate(2008, 12, 30), QTime(9, 30, 0)));

    // A damaged block in a file being restored is a compression error.
    QByteArray damaged = vol1;
    const qsizetype at = damaged.indexOf(b1);
    damaged[at + 1] = char(0xff);
    damaged[at + 2] = char(0xff);
    damaged[at + 3] = char(0x7f);  // a copy from far before the start
    damaged[at + 4] = char(0xf0);
    writeFile(archive(), damaged);
    errors.clear();
    TBackupFile rs2;
    bind(rs2);
    EXPECT_FALSE(rs2.Restore(archive(), out()));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].first, TBackupFile::errCompression);
}

}  // namespace
