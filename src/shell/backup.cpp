#include "backup.h"

#include "LZRW1KH.h"
#include "platform/os/FaultSeam.h"
#include "platform/ui/MessageService.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <QtEndian>
#include <limits>
#include <optional>
#include <zlib.h>

const QString TBackupFile::kStreamName = QStringLiteral(":STREAM");
const QString TBackupFile::kFileListName = QStringLiteral("FILE:LIST");

namespace {

const QByteArray kSectionCurrent("EC2");
const QByteArray kSectionOlder("ECS");
const QByteArray kNextDisk("NEXT:DISK");
constexpr int kNextDiskLength = 12;
constexpr int kMaxVolume = 999;
// Names and titles longer than this only come from a damaged archive.
constexpr qint32 kMaxNameLength = 4096;

const QString kCannotReadArchive = QStringLiteral("Cannot read archive");
const QString kInvalidArchiveType = QStringLiteral("Invalid archive type");

// A short read of the archive: the archive ends early or is damaged.
struct ArchiveTruncated {};

int zlibLevel(TCompressionLevel level) {
    switch (level) {
    case clFastest: return 1;
    case clNone: return 0;
    case clMax: return 9;
    case clDefault: break;
    }
    return Z_DEFAULT_COMPRESSION;
}

QString normalised(QString path) {
    path.replace('\\', '/');
    return path;
}

// The file part of a stored name, which may carry either separator.
QString filePart(const QString& stored) {
    const int cut = std::max(stored.lastIndexOf('/'), stored.lastIndexOf('\\'));
    return stored.mid(cut + 1);
}

// A stored full path below another folder: without its drive and leading separators.
QString relativePart(const QString& stored) {
    QString s = normalised(stored);
    if (s.size() >= 2 && s.at(1) == ':') s = s.mid(2);
    while (s.startsWith('/')) s.remove(0, 1);
    return s;
}

void letEventsThrough() { QCoreApplication::processEvents(); }

// Writes the archive, volume after volume, and knows the position within the
// current one. A failed write is remembered and ends the run as error 4.
// Each volume is written under a temporary name beside its own and takes its
// name only once it is complete and on the disk: until then an earlier
// archive of that name stays whole, and a run that fails or is killed leaves
// no partial volume under an archive's name.
class ArchiveWriter {
public:
    ~ArchiveWriter() { discard(); }
    bool open(QIODevice* stream, const QString& path) {
        position_ = 0;
        failed_ = false;
        if (stream) {
            device_ = stream;
            if (!stream->isOpen() && !stream->open(QIODevice::WriteOnly)) return false;
            return stream->isWritable();
        }
        finalPath_ = path;
        file_ = std::make_unique<QFile>(TemporaryName(path));
        device_ = file_.get();
        if (file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
        file_.reset();
        device_ = nullptr;
        return false;
    }
    // Completes the current volume: false, with the volume dropped, when any
    // of its bytes may be missing.
    bool close() {
        bool ok = !failed_;
        if (file_) {
            const QString temp = file_->fileName();
            ok = file_->flush() && ok;
            file_->close();
            ok = ok && file_->error() == QFileDevice::NoError;
            file_.reset();
            ok = ok && os::SyncFile(temp) && os::ReplaceFile(temp, finalPath_) &&
                 os::SyncFolder(QFileInfo(finalPath_).absolutePath());
            if (!ok) QFile::remove(temp);
        }
        device_ = nullptr;
        return ok;
    }
    // Drops an unfinished volume; a file that already has the name stays.
    void discard() {
        if (file_) {
            const QString temp = file_->fileName();
            file_->close();
            file_.reset();
            QFile::remove(temp);
        }
        device_ = nullptr;
    }
    void writeInt(qint32 value) {
        const qint32 le = qToLittleEndian(value);
        write(reinterpret_cast<const char*>(&le), 4);
    }
    void writeText(const QByteArray& text) {
        writeInt(qint32(text.size()));
        write(text.constData(), text.size());
    }
    void write(const char* data, qint64 size) {
        if (failed_ || !device_) { failed_ = true; return; }
        if (file_) fault::Step("file.write", file_->fileName());
        if (device_->write(data, size) != size) failed_ = true;
        position_ += size;
    }
    qint64 position() const { return position_; }
    bool failed() const { return failed_; }

    static QString TemporaryName(const QString& path) { return path + QStringLiteral(".tmp"); }

private:
    std::unique_ptr<QFile> file_;
    QString finalPath_;
    QIODevice* device_ = nullptr;
    qint64 position_ = 0;
    bool failed_ = false;
};

class ArchiveReader {
public:
    bool open(QIODevice* stream, const QString& path) {
        if (stream) {
            device_ = stream;
            if (!stream->isOpen() && !stream->open(QIODevice::ReadOnly)) return false;
            return stream->isReadable();
        }
        file_ = std::make_unique<QFile>(path);
        device_ = file_.get();
        return file_->open(QIODevice::ReadOnly);
    }
    void close() {
        if (file_) file_->close();
        file_.reset();
        device_ = nullptr;
    }
    qint32 readInt() {
        qint32 le = 0;
        read(reinterpret_cast<char*>(&le), 4);
        return qFromLittleEndian(le);
    }
    QByteArray readBytes(qint64 size) {
        QByteArray data(size, Qt::Uninitialized);
        read(data.data(), size);
        return data;
    }
    void skip(qint64 size) {
        if (size <= 0) return;
        if (!device_->isSequential()) {
            const qint64 target = device_->pos() + size;
            if (target > device_->size() || !device_->seek(target)) throw ArchiveTruncated{};
            return;
        }
        readBytes(size);
    }

private:
    void read(char* data, qint64 size) {
        if (!device_ || device_->read(data, size) != size) throw ArchiveTruncated{};
    }
    std::unique_ptr<QFile> file_;
    QIODevice* device_ = nullptr;
};

// Where a data section's bytes go: into a file being restored, into memory
// (the file list) or nowhere (a skipped file).
struct SectionSink {
    QIODevice* device = nullptr;
    bool counts = false;   // progress counts the bytes written
};

// A damaged chunk or block of a file being restored.
struct DamagedData {
    int code;
};

}  // namespace

struct TBackupFile::Run {
    TBackupFile& owner;

    // Reads one data section into the sink. A failure while writing a file
    // gives error 1 (6 for data that do not decompress); while skipping, a
    // damaged archive raises the archive exceptions.
    void readSection(ArchiveReader& in, const SectionSink& sink) {
        const bool writing = sink.device != nullptr;
        QByteArray signature;
        try {
            signature = in.readBytes(4);
        } catch (const ArchiveTruncated&) {
            if (writing) throw DamagedData{errReadFile};
            throw;
        }
        const int zero = signature.indexOf('\0');
        if (zero >= 0) signature.truncate(zero);
        if (signature == kSectionCurrent) {
            readCurrentSection(in, sink);
        } else if (signature == kSectionOlder) {
            readOlderSection(in, sink);
        } else {
            if (writing) throw DamagedData{errReadFile};
            throw EBackupError(kInvalidArchiveType);
        }
    }

    void readCurrentSection(ArchiveReader& in, const SectionSink& sink) {
        const bool writing = sink.device != nullptr;
        for (;;) {
            const qint32 length = readOrFail(in, writing);
            if (length == 0) return;
            if (length > kChunkSize || length < -kChunkSize) {
                if (writing) throw DamagedData{errReadFile};
                throw EBackupError(kCannotReadArchive);
            }
            const qint32 bytes = length > 0 ? length : -length;
            if (!writing) {
                skipOrFail(in, bytes);
                letEventsThrough();
                continue;
            }
            QByteArray data = readBytesOrFail(in, bytes);
            if (length > 0) {
                std::optional<QByteArray> out = inflateChunk(data);
                if (!out) throw DamagedData{errCompression};
                data = std::move(*out);
            }
            deliver(sink, data);
            if (!owner.continue_) return;
        }
    }

    void readOlderSection(ArchiveReader& in, const SectionSink& sink) {
        const bool writing = sink.device != nullptr;
        const qint32 total = readOrFail(in, writing);
        if (total < 0) {
            if (writing) throw DamagedData{errReadFile};
            throw EBackupError(kCannotReadArchive);
        }
        qint64 used = 0;
        while (used < total) {
            const qint32 length = readOrFail(in, writing);
            used += 4;
            if (length <= 0 || length > LZRW1KH::kBufferSize || used + length > total) {
                if (writing) throw DamagedData{errReadFile};
                throw EBackupError(kCannotReadArchive);
            }
            used += length;
            if (!writing) {
                skipOrFail(in, length);
                letEventsThrough();
                continue;
            }
            const std::optional<QByteArray> out = LZRW1KH::Decompress(readBytesOrFail(in, length));
            if (!out) throw DamagedData{errCompression};
            deliver(sink, *out);
            if (!owner.continue_) return;
        }
    }

    void deliver(const SectionSink& sink, const QByteArray& data) {
        if (sink.device->write(data) != data.size()) throw DamagedData{errReadFile};
        letEventsThrough();
        if (sink.counts) {
            owner.bytesDone_ += data.size();
            owner.progress(Percent(owner.bytesDone_, owner.totalSize_));
        }
    }

    static qint32 readOrFail(ArchiveReader& in, bool writing) {
        try {
            return in.readInt();
        } catch (const ArchiveTruncated&) {
            if (writing) throw DamagedData{errReadFile};
            throw;
        }
    }
    static QByteArray readBytesOrFail(ArchiveReader& in, qint64 size) {
        try {
            return in.readBytes(size);
        } catch (const ArchiveTruncated&) {
            throw DamagedData{errReadFile};
        }
    }
    static void skipOrFail(ArchiveReader& in, qint64 size) { in.skip(size); }

    // One complete zlib stream that inflates to at most one chunk.
    static std::optional<QByteArray> inflateChunk(const QByteArray& data) {
        QByteArray out(kChunkSize, Qt::Uninitialized);
        z_stream z{};
        if (inflateInit(&z) != Z_OK) return std::nullopt;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
        z.avail_in = uInt(data.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = uInt(out.size());
        const int rc = inflate(&z, Z_FINISH);
        const bool complete = rc == Z_STREAM_END && z.avail_in == 0;
        const qsizetype produced = qsizetype(z.total_out);
        inflateEnd(&z);
        if (!complete) return std::nullopt;
        out.truncate(produced);
        return out;
    }
};

namespace {

// A chunk in its archive form: positive length and a zlib stream, or negative
// length and the bytes as read when the stream would not fit in one chunk.
std::optional<std::pair<qint32, QByteArray>> compressChunk(const QByteArray& data, int level) {
    QByteArray out(TBackupFile::kChunkSize, Qt::Uninitialized);
    z_stream z{};
    if (deflateInit(&z, level) != Z_OK) return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int rc = deflate(&z, Z_FINISH);
    const qsizetype produced = qsizetype(z.total_out);
    deflateEnd(&z);
    if (rc == Z_STREAM_END) {
        out.truncate(produced);
        return std::make_pair(qint32(produced), out);
    }
    if (rc == Z_OK || rc == Z_BUF_ERROR) return std::make_pair(-qint32(data.size()), data);
    return std::nullopt;
}

struct ListedFile {
    QString path;     // as found on disk
    QString stored;   // the name written into the entry
};

QRegularExpression wildcard(const QString& pattern) {
    return QRegularExpression(
        QRegularExpression::wildcardToRegularExpression(pattern),
        QRegularExpression::CaseInsensitiveOption);
}

void expandPattern(const QString& folder, const QString& pattern, bool subfolders, const QString& archiveLower,
                QList<ListedFile>& files, QSet<QString>& seen) {
    const QRegularExpression re = wildcard(pattern);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                   QDir::Name);
    for (const QFileInfo& e : entries) {
        if (!re.match(e.fileName()).hasMatch()) continue;
        if (e.isDir()) {
            if (subfolders) expandPattern(e.absoluteFilePath(), pattern, true, archiveLower, files, seen);
            continue;
        }
        const QString lower = e.absoluteFilePath().toLower();
        if (lower == archiveLower || seen.contains(lower)) continue;
        seen.insert(lower);
        files << ListedFile{e.absoluteFilePath(), lower};
    }
}

QList<ListedFile> expandFileSpecs(const QStringList& fileSpecs, const QString& archiveLower) {
    QList<ListedFile> files;
    QSet<QString> seen;
    for (QString fileSpec : fileSpecs) {
        fileSpec = normalised(fileSpec.trimmed());
        bool subfolders = false;
        if (fileSpec.endsWith(QStringLiteral(" /s"), Qt::CaseInsensitive)) {
            subfolders = true;
            fileSpec = fileSpec.left(fileSpec.size() - 3).trimmed();
        }
        if (fileSpec.isEmpty()) continue;
        const QFileInfo info(fileSpec);
        expandPattern(info.absolutePath(), info.fileName(), subfolders, archiveLower, files, seen);
    }
    return files;
}

}  // namespace

QString TBackupFile::ErrorText(int code) {
    switch (code) {
    case errReadFile: return QStringLiteral("Cannot read file");
    case errOverwrite: return QStringLiteral("Overwriting file failed");
    case errReadArchive: return kCannotReadArchive;
    case errWriteArchive: return QStringLiteral("Cannot write to archive");
    case errArchiveType: return kInvalidArchiveType;
    case errCompression: return QStringLiteral("Compression error");
    case errTempFile: return QStringLiteral("Cannot create temporary file to save the file IDs");
    default: return QString();
    }
}

QString TBackupFile::VolumeName(const QString& archiveName, int number) {
    const QFileInfo info(archiveName);
    const QString ext = QStringLiteral(".%1").arg(number, 3, 10, QLatin1Char('0'));
    const QString name = info.fileName();
    const int dot = name.lastIndexOf('.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString folder = archiveName.left(archiveName.size() - name.size());
    return folder + stem + ext;
}

qint32 TBackupFile::ToDosDateTime(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    const int year = std::clamp(d.year(), 1980, 2107) - 1980;
    const quint32 date = quint32(year << 9 | d.month() << 5 | d.day());
    const quint32 time = quint32(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    return qint32(date << 16 | time);
}

QDateTime TBackupFile::FromDosDateTime(qint32 packed) {
    const quint32 v = quint32(packed);
    const quint32 date = v >> 16, time = v & 0xffff;
    const QDate d(int(date >> 9) + 1980, int(date >> 5 & 0x0f), int(date & 0x1f));
    const QTime t(int(time >> 11), int(time >> 5 & 0x3f), int(time & 0x1f) * 2);
    if (!d.isValid() || !t.isValid()) return QDateTime();
    return QDateTime(d, t);
}

int TBackupFile::Percent(qint64 done, qint64 total) {
    if (total <= 0) return 100;
    return int(std::clamp<qint64>(done * 100 / total, 0, 100));
}

void TBackupFile::setError(int code) {
    if (errorCode_ == errNone) errorCode_ = code;
    continue_ = false;
}

void TBackupFile::reportError() {
    if (errorCode_ == errNone) return;
    if (OnError) {
        OnError(this, errorCode_, ErrorText(errorCode_));
        return;
    }
    msg::ShowError(ErrorText(errorCode_));
}

void TBackupFile::progress(int percent) {
    bool cont = continue_;
    if (OnProgress) OnProgress(this, currentFile_, percent, cont);
    if (!cont) continue_ = false;
}

bool TBackupFile::askForDisk(int number) {
    bool cont = continue_;
    if (OnNeedDisk) {
        OnNeedDisk(this, quint16(number), cont);
    } else {
        const QString text = QStringLiteral("Please insert disk %1 and click OK to continue.").arg(number);
        cont = msg::ShowBox(msg::BoxKind::Information, text, msg::BoxButtons::OkCancel) == QStringLiteral("mrOk");
    }
    if (!cont) continue_ = false;
    return cont;
}

namespace {
// Clears the busy flag however the run ends.
struct BusyScope {
    bool& flag;
    explicit BusyScope(bool& f) : flag(f) { flag = true; }
    ~BusyScope() { flag = false; }
};
}  // namespace

bool TBackupFile::Backup(const QStringList& fileSpecs, const QString& archiveName) {
    errorCode_ = errNone;
    bytesDone_ = 0;
    totalSize_ = 0;
    fileCount_ = 0;
    currentFile_.clear();
    BusyScope busy(busy_);
    const bool toStream = archiveName.compare(kStreamName, Qt::CaseInsensitive) == 0;
    const QString archivePath = toStream ? QString() : QFileInfo(normalised(archiveName)).absoluteFilePath();
    QList<ListedFile> files = expandFileSpecs(fileSpecs, archivePath.toLower());

    continue_ = true;
    progress(0);
    for (const ListedFile& f : files) totalSize_ += QFileInfo(f.path).size();

    std::unique_ptr<QTemporaryFile> fileList;
    if (SaveFileID) {
        fileList = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("FIDXXXXXX")));
        bool ok = fileList->open();
        for (const ListedFile& f : std::as_const(files)) {
            const QFileInfo info(f.path);
            const QByteArray line = f.stored.toLatin1() + '\t' +
                                    QByteArray::number(ToDosDateTime(info.lastModified())) + '=' +
                                    QByteArray::number(info.size()) + "\r\n";
            ok = ok && fileList->write(line) == line.size();
        }
        ok = ok && fileList->flush();
        if (!ok) {
            setError(errTempFile);
            progress(100);
            reportError();
            return false;
        }
        totalSize_ += fileList->size();
        files.prepend(ListedFile{fileList->fileName(), kFileListName});
    }

    ArchiveWriter out;
    bool completed = false;
    int volume = 1;
    const bool limited = !toStream && MaxSize != 0;
    if (limited && MaxSize < kMinVolumeSize) {
        // Such a volume cannot hold one chunk: every volume would be asked for in vain.
        setError(errWriteArchive);
    } else if (!out.open(toStream ? stream_ : nullptr, archivePath) || (toStream && !stream_)) {
        setError(errWriteArchive);
    } else {
        fileCount_ = int(files.size()) - (SaveFileID ? 1 : 0);
        out.writeText(BackupTitle.toLatin1());
        // The header holds 32 bits; a larger total only makes the percent coarse.
        out.writeInt(qint32(std::min<qint64>(totalSize_, std::numeric_limits<qint32>::max())));
        out.writeInt(qint32(fileCount_));
        if (out.failed()) setError(errWriteArchive);

        for (const ListedFile& f : std::as_const(files)) {
            if (!continue_) break;
            QFile in(f.path);
            if (!in.exists()) continue;
            if (!in.open(QIODevice::ReadOnly)) {
                setError(errReadFile);
                break;
            }
            currentFile_ = f.stored == kFileListName ? f.stored : f.path;
            out.writeText(f.stored.toLatin1());
            out.writeInt(ToDosDateTime(QFileInfo(f.path).lastModified()));
            bool freshVolume = false;
            for (;;) {
                // One data section: chunks until the file ends or the volume fills.
                out.write("EC2\0", 4);
                int chunks = 0;
                while (continue_) {
                    if (limited && out.position() >= MaxSize - kVolumeReserve) break;
                    const QByteArray data = in.read(kChunkSize);
                    if (data.isEmpty()) {
                        if (in.error() != QFileDevice::NoError) setError(errReadFile);
                        break;
                    }
                    const auto chunk = compressChunk(data, zlibLevel(CompressionLevel));
                    if (!chunk) {
                        setError(errCompression);
                        break;
                    }
                    out.writeInt(chunk->first);
                    out.write(chunk->second.constData(), chunk->second.size());
                    ++chunks;
                    letEventsThrough();
                    bytesDone_ += data.size();
                    progress(Percent(bytesDone_, totalSize_));
                    if (out.failed()) setError(errWriteArchive);
                }
                out.writeInt(0);
                if (out.failed()) setError(errWriteArchive);
                if (!continue_ || in.atEnd()) break;
                if (freshVolume && chunks == 0) {
                    // A volume that takes no chunk would be followed by endless requests.
                    setError(errWriteArchive);
                    break;
                }
                // Volume change: the rest of this file goes on in the next volume.
                if (++volume > kMaxVolume) {
                    setError(errWriteArchive);
                    break;
                }
                out.writeText(kNextDisk + QByteArray::number(volume).rightJustified(3, '0'));
                if (!out.close()) {
                    setError(errWriteArchive);
                    break;
                }
                if (!askForDisk(volume)) break;
                if (MaxSize != 0 && MaxSize < kMinVolumeSize) {
                    setError(errWriteArchive);
                    break;
                }
                if (!out.open(nullptr, VolumeName(archivePath, volume))) {
                    setError(errWriteArchive);
                    break;
                }
                freshVolume = true;
            }
            in.close();
        }
        if (continue_ && errorCode_ == errNone) {
            out.writeInt(0);
            completed = !out.failed();
        }
        if (!completed) {
            out.discard();
        } else if (!out.close()) {
            setError(errWriteArchive);
            completed = false;
        }
        if (!completed && errorCode_ == errNone && continue_) setError(errWriteArchive);
    }
    fileList.reset();
    progress(100);
    busy_ = false;
    reportError();
    return completed && errorCode_ == errNone;
}

bool TBackupFile::Restore(const QString& archiveName, const QString& destinationFolder) {
    const bool fromStream = archiveName.compare(kStreamName, Qt::CaseInsensitive) == 0;
    const QString archivePath = fromStream ? QString() : normalised(archiveName);
    if (fromStream ? stream_ == nullptr : !QFileInfo(archivePath).isFile()) return false;

    errorCode_ = errNone;
    bytesDone_ = 0;
    fileCount_ = 0;
    currentFile_.clear();
    BusyScope busy(busy_);
    QString folder = normalised(destinationFolder);
    if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';

    ArchiveReader in;
    if (!in.open(fromStream ? stream_ : nullptr, archivePath)) throw EBackupError(kCannotReadArchive);
    try {
        const qint32 titleLength = in.readInt();
        if (titleLength < 0 || titleLength > kMaxNameLength) throw ArchiveTruncated{};
        in.readBytes(titleLength);
        totalSize_ = in.readInt();
        in.readInt();
    } catch (const ArchiveTruncated&) {
        throw EBackupError(kCannotReadArchive);
    }

    continue_ = true;
    Run run{*this};
    std::unique_ptr<QFile> target;   // the file being restored, kept open across volumes
    QDateTime targetDate;
    auto finishTarget = [&] {
        if (!target) return;
        bool ok = target->flush();
        if (targetDate.isValid()) target->setFileTime(targetDate, QFileDevice::FileModificationTime);
        target->close();
        ok = ok && target->error() == QFileDevice::NoError;
        target.reset();
        if (!ok) setError(errReadFile);
    };

    try {
        while (continue_) {
            const qint32 length = in.readInt();
            if (length == 0) break;
            if (length < 0) continue;
            if (length > kMaxNameLength) throw EBackupError(kCannotReadArchive);
            const QByteArray name = in.readBytes(length);
            SectionSink sink;
            if (length == kNextDiskLength && name.startsWith(kNextDisk)) {
                const int number = name.mid(kNextDisk.size()).toInt();
                in.close();
                if (fromStream || number < 2 || number > kMaxVolume) throw EBackupError(kCannotReadArchive);
                const QString next = VolumeName(archivePath, number);
                bool found = false;
                while (askForDisk(number)) {
                    if (QFileInfo(next).isFile()) {
                        found = true;
                        break;
                    }
                }
                if (!found) break;
                if (!in.open(nullptr, next)) throw EBackupError(kCannotReadArchive);
                if (target) sink = SectionSink{target.get(), true};
            } else {
                finishTarget();
                if (!continue_) break;
                const qint32 date = in.readInt();
                const QString stored = QString::fromLatin1(name);
                if (stored != kFileListName) {
                    QString targetName = folder.isEmpty() ? stored
                                         : RestoreFullPath ? folder + relativePart(stored)
                                                           : folder + filePart(stored);
                    const QFileInfo existing(targetName);
                    const bool exists = existing.exists();
                    const qint32 existingDate = exists ? ToDosDateTime(existing.lastModified()) : 0;
                    bool doRestore = true;
                    switch (RestoreMode) {
                    case rmAll: doRestore = true; break;
                    case rmNoOverwrite: doRestore = !exists; break;
                    case rmNewer: doRestore = !(exists && quint32(existingDate) >= quint32(date)); break;
                    case rmExisting: doRestore = exists; break;
                    case rmExistingNewer: doRestore = exists && quint32(existingDate) < quint32(date); break;
                    }
                    if (OnRestoreFile) OnRestoreFile(this, targetName, date, doRestore);
                    if (doRestore) {
                        const QString targetFolder = QFileInfo(targetName).absolutePath();
                        QDir().mkpath(targetFolder);
                        if (QFileInfo(targetFolder).isDir()) {
                            target = std::make_unique<QFile>(targetName);
                            if (!target->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                                target.reset();
                                setError(errReadFile);
                                break;
                            }
                            targetDate = FromDosDateTime(date);
                            currentFile_ = targetName;
                            ++fileCount_;
                            sink = SectionSink{target.get(), true};
                        }
                    }
                }
            }
            try {
                run.readSection(in, sink);
            } catch (const DamagedData& damaged) {
                setError(damaged.code);
                break;
            }
        }
        if (errorCode_ == errNone) finishTarget();
    } catch (const ArchiveTruncated&) {
        target.reset();
        throw EBackupError(kCannotReadArchive);
    }
    target.reset();
    in.close();
    progress(100);
    busy_ = false;
    reportError();
    return errorCode_ == errNone && continue_;
}

void TBackupFile::GetArchiveInfo(const QString& archiveName, QStringList* fileList, QString& title) {
    title.clear();
    totalSize_ = 0;
    fileCount_ = 0;
    const bool fromStream = archiveName.compare(kStreamName, Qt::CaseInsensitive) == 0;
    ArchiveReader in;
    try {
        if (!in.open(fromStream ? stream_ : nullptr, normalised(archiveName))) throw ArchiveTruncated{};
        const qint32 titleLength = in.readInt();
        if (titleLength < 0 || titleLength > kMaxNameLength) throw ArchiveTruncated{};
        const QString readTitle = QString::fromLatin1(in.readBytes(titleLength));
        totalSize_ = in.readInt();
        fileCount_ = in.readInt();
        title = readTitle;
    } catch (const ArchiveTruncated&) {
        errorCode_ = errReadArchive;
        reportError();
        return;
    }
    if (!fileList) return;
    try {
        const qint32 length = in.readInt();
        if (length != kFileListName.size() || in.readBytes(length) != kFileListName.toLatin1()) return;
        in.readInt();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        Run run{*this};
        const bool saved = continue_;
        continue_ = true;
        run.readSection(in, SectionSink{&buffer, false});
        continue_ = saved;
        const QString text = QString::fromLatin1(buffer.data());
        for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts))
            fileList->append(line);
    } catch (...) {
        // The header was read; a damaged file list only leaves the list short.
    }
}
