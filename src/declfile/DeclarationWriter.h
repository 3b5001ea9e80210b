#pragma once
#include "platform/db/TableDef.h"
#include "platform/ui/ProgressHost.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace declfile {

// The application state that the writer reads and sets (public fields of
// the main window); the caller copies them in and out.
struct WriterState {
    // Read.
    int AnoBase = 2009;
    QString Versao = QStringLiteral("2009.01.00");
    QString OsCode = QStringLiteral("0");
    QString CreaDeclaracao;          // receipt number an amendment replaces
    quint8 ModoParticionamento = 0;  // 1: parts of a split file, " P" and no digest
    // Written.
    QString ArquivoGerado;           // full path of the part being written
    QString NomeArquivoGerado;       // its name without folder and extension
    quint16 QtArquivosGerados = 0;   // parts opened by the last run
    quint8 GerouVariosArquivos = 0;  // set to 1 when a run opens its second part
};

// The writer's host is the one progress-and-cancel host of every long job;
// the wizards give it a ProgressBarHost over their progress bar.
using WriterHost = forms::ProgressHost;
using ProgressBarHost = forms::ProgressBarHost;

// What to write.
struct WriteRequest {
    // Selected items of the establishment list in list order: characters 1-4
    // base year, 5-18 inscription, 19-20 prefix. Null: every row of the
    // establishment table in key order.
    const QStringList* establishments = nullptr;
    QChar drive = QLatin1Char('C');  // "A" or "B" a diskette; other: the folder "Transmite"
    QString dataFolder;
    bool amendment = false;
    bool fromWorkingTables = false;
    QString generationDate;          // ddmmyyyy or empty
    QString generationTime;          // hhmmss or empty
    // The folder "Transmite": the parts of the same declaration numbered above
    // the run's last part (left by an earlier, longer run, not transmitted)
    // go in the same step in which the new parts take their names.
    bool replaceLaterParts = false;
    // A part written again keeps its own name: "Zuvo" + year + "_" +
    // inscription + prefix (as the part was named) and its part number. Its
    // own file may be replaced; a number another file holds is skipped
    // without asking. Empty: the run's first establishment, from part 1.
    QString keptBaseName;
    int keptPart = 0;
};

enum WriteResult { kWritten = 0, kWriteError = 1, kWriteCancelled = 2 };

// Writes the declaration files of the request: 0 written, 1 error, 2
// cancelled. Database errors other than I/O pass on to the caller (the
// application's fatal-error handler).
int WriteDeclarationFile(const WriteRequest& request, WriterState& state, WriterHost& host);

// The parts of the same declaration as the part `lastName` (base + part
// number + letter) numbered above it, in `folder`: the paths of those without
// a receipt, and the file names of those kept because they were transmitted.
struct LaterParts {
    QStringList removable;
    QStringList kept;
};
LaterParts FindLaterParts(const QString& folder, const QString& lastName);

// After a successful run: removes the parts of the same declaration numbered
// above the run's last part (left by an earlier, longer run) that have no
// receipt; returns the file names of those kept because they were
// transmitted. (A run on the folder "Transmite" with `replaceLaterParts` has
// removed them already.)
QStringList RemoveLaterParts(QChar drive, const WriterState& state);

// Asks the running write to stop; honoured at its next poll, which asks
// "Deseja interromper?".
void CancelWriting();

// Capacity of a part written to the folder "Transmite": 50,004 records.
constexpr qint64 kFolderCapacity = 27602208;

// ---------------------------------------------------------------------------
// The file of a part. The default writes through a buffer to a file; tests
// replace the factory to simulate a full or failing disk.
class PartFile {
public:
    virtual ~PartFile() = default;
    virtual bool Create(const QString& path) = 0;  // empty, for writing
    virtual bool Write(const QByteArray& bytes) = 0;
    virtual bool Close() = 0;                      // flushes; false on a write error
    virtual bool DiskFull() const = 0;             // the last failure was a full disk
};

std::unique_ptr<PartFile> MakeDiskPartFile();
using PartFileFactory = std::function<std::unique_ptr<PartFile>()>;
// Installs a factory (an empty one restores the default).
void SetPartFileFactory(PartFileFactory factory);

// The receipt tables that a run creates in the data folder: one row per part
// ("te8ProID.db") and one per establishment record written ("te8ProES.db").
db::TableDef ReceiptFileTableDef();
db::TableDef ReceiptEstablishmentTableDef();

}  // namespace declfile
