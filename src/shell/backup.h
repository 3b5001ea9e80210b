#pragma once
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

// The backup archive: files saved into one archive, split over volumes
// (".bkp", ".002", ".003", ...) when a volume size is set, in chunks of at
// most 16 KB compressed with zlib; archives of the older form (LZRW1-KH
// blocks) are read but never written.

enum TBackupMode { bmAll, bmIncremental };
enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

// Raised by Restore and GetArchiveInfo when the archive cannot be read at all
// ("Cannot read archive") or a data section has an unknown signature
// ("Invalid archive type").
class EBackupError : public std::runtime_error {
public:
    explicit EBackupError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

class TBackupFile {
public:
    using TProgressEvent = std::function<void(TBackupFile* Sender, const QString& Filename, int Percent, bool& Continue)>;
    using TNeedDiskEvent = std::function<void(TBackupFile* Sender, quint16 DiskID, bool& Continue)>;
    using TRestoreFileEvent = std::function<void(TBackupFile* Sender, QString& Filename, int FA, bool& DoRestore)>;
    using TBackupErrorEvent = std::function<void(TBackupFile* Sender, int Error, const QString& ErrString)>;

    // Error codes of a run (ErrorCode).
    enum {
        errNone = 0,
        errReadFile = 1,
        errOverwrite = 2,
        errReadArchive = 3,
        errWriteArchive = 4,
        errArchiveType = 5,
        errCompression = 6,
        errTempFile = 7,
    };
    static QString ErrorText(int code);

    // Chunks hold at most this many bytes, compressed or stored.
    static constexpr int kChunkSize = 16384;
    // A section stops when the volume has less than this room left.
    static constexpr qint64 kVolumeReserve = 16484;
    // The smallest MaxSize with which a fresh volume holds at least one chunk
    // after its section signature.
    static constexpr qint64 kMinVolumeSize = kVolumeReserve + 4 + 1;

    static const QString kStreamName;   // ":STREAM"
    static const QString kFileListName; // "FILE:LIST"

    TBackupFile() = default;
    TBackupFile(const TBackupFile&) = delete;
    TBackupFile& operator=(const TBackupFile&) = delete;

    // Published properties.
    QString Version() const { return QStringLiteral("3.00"); }
    void SetVersion(const QString&) {}
    QString BackupTitle;
    // This system keeps no archive attribute: with bmIncremental every file
    // counts as changed, and clearing the attribute changes nothing.
    TBackupMode BackupMode() const { return backupMode_; }
    void SetBackupMode(TBackupMode mode) {
        backupMode_ = mode;
        if (mode == bmIncremental) SetArchiveFlag = true;
    }
    TCompressionLevel CompressionLevel = clFastest;
    TRestoreMode RestoreMode = rmAll;
    qint64 MaxSize = 0;   // bytes per volume; 0 = no limit
    bool SetArchiveFlag = false;
    bool RestoreFullPath = false;
    bool SaveFileID = false;
    TProgressEvent OnProgress;
    TNeedDiskEvent OnNeedDisk;
    TRestoreFileEvent OnRestoreFile;
    TBackupErrorEvent OnError;

    // The stream that the archive name ":STREAM" stands for; not owned.
    void SetStream(QIODevice* stream) { stream_ = stream; }

    // Saves the files named by fileSpecs (paths with wildcards, optionally followed
    // by " /s" for the folders below) into the archive; true when the archive
    // was completed with its end mark.
    bool Backup(const QStringList& fileSpecs, const QString& archiveName);
    // Extracts the archive into the destination folder (empty: the stored
    // paths); true when no error occurred and the run was not cancelled; false
    // at once when the archive does not exist.
    bool Restore(const QString& archiveName, const QString& destinationFolder);
    // Reads the header: title, TotalSize, FileCount; with a list, the lines of
    // a leading "FILE:LIST" entry.
    void GetArchiveInfo(const QString& archiveName, QStringList* fileList, QString& title);

    bool IsBusy() const { return busy_; }
    void Stop() { continue_ = false; }

    // Run state.
    int ErrorCode() const { return errorCode_; }
    qint64 TotalSize() const { return totalSize_; }
    int FileCount() const { return fileCount_; }
    qint64 BytesDone() const { return bytesDone_; }
    const QString& CurrentFile() const { return currentFile_; }

    // The name of volume n (2 to 999) of an archive: its extension replaced by
    // "." and n in three digits.
    static QString VolumeName(const QString& archiveName, int number);
    // Packed DOS date and time of a moment in local time, and back.
    static qint32 ToDosDateTime(const QDateTime& moment);
    static QDateTime FromDosDateTime(qint32 packed);
    // BytesDone × 100 / TotalSize in 64 bits, 0..100; a zero total counts as done.
    static int Percent(qint64 done, qint64 total);

private:
    struct Run;
    friend struct Run;
    void setError(int code);
    void reportError();
    void progress(int percent);
    bool askForDisk(int number);

    TBackupMode backupMode_ = bmAll;
    QIODevice* stream_ = nullptr;
    bool continue_ = false;
    bool busy_ = false;
    int errorCode_ = errNone;
    qint64 totalSize_ = 0;
    int fileCount_ = 0;
    qint64 bytesDone_ = 0;
    QString currentFile_;
};
