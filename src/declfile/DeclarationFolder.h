#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QFile;

// The declaration files of a folder (the folder "Transmite" or a diskette's
// root) as every reader sees them: which files are offered, and whether each
// was transmitted. The window that lists, the writer that asks before
// overwriting, the print list and the consultation all decide here, so that
// they never disagree about a file.
namespace declfile {

// What the receipt beside a declaration file says of that file.
enum class ReceiptCheck {
    None,                  // no receipt
    Incomplete,            // its line is shorter than a receipt line: cut short
    ChecksumWrong,         // characters 91-100 are not the checksum of 1-90
    DigestDiffers,         // characters 59-90 are not the file's stamped digest
    EstablishmentsDiffer,  // characters 34-38 are not the trailer's establishment count
    ContractsDiffer,       // characters 39-44 are not the trailer's contract count
    Valid,
};

struct ReceiptReading {
    ReceiptCheck check = ReceiptCheck::None;
    QByteArray line;  // the receipt's first line, without its line end
};

// True when characters 91-100 of the receipt line are the CRC-32 of
// characters 1-90 in ten decimal digits; a line shorter than 100 characters
// is not valid.
bool VerificaCRC(const QByteArray& receiptLine);

// The receipt number as shown: "590", "390" or "990" + characters 1-9 by the
// first character; empty for any other first character.
QString PrefixedReceiptNumber(const QString& receiptLine);

// A receipt line checked against the trailer (last line) of its file: a
// receipt made for another file, however well formed, is not this file's.
ReceiptCheck CheckReceiptLine(const QByteArray& line, const QByteArray& trailer);

// The receipt beside the declaration file, checked against that file.
// `receiptPath` when the caller found it already (empty: none there).
ReceiptReading ReadReceipt(const QString& declarationPath);
ReceiptReading ReadReceipt(const QString& declarationPath, const QString& receiptPath);

// The one rule for "transmitted": the receipt beside the file is Valid.
bool IsTransmitted(const QString& declarationPath);

// The prefixed receipt number of a transmitted file; " " for any other.
QString TransmittedReceiptCode(const QString& declarationPath);

// Why a receipt does not make its file transmitted, naming what does not
// match; empty for None and Valid.
QString ReceiptProblemText(ReceiptCheck check);

// The last non-empty line of an open file, read from its end.
bool ReadLastLine(QFile& file, QByteArray& last);

// One offered declaration file.
struct DeclarationFileEntry {
    QString path;
    QString receiptPath;  // its receipt, found without regard to case; empty: none
};

struct DeclarationFolderListing {
    bool anyFound = false;            // a name matched, offered or not
    QList<DeclarationFileEntry> files;  // the files offered, by name
    // A write of the folder has not completed (killed, or still running in
    // another copy): the files it names are held back, so that no reader
    // offers the earlier set and the new one mixed.
    bool writeInterrupted = false;
    QStringList withheld;  // their names
};

// The declaration files "Zuvo" + year + "*.dec" of the folder (names matched
// without regard to case, folders and hidden files left out). While a
// record of renames is pending: when all its files have their new names, the
// new set (the files it removes are not offered); otherwise none of the
// files it names.
DeclarationFolderListing ListDeclarationFiles(const QString& folder, int anoBase);

// True when a record of renames is pending in the folder.
bool WriteInterrupted(const QString& folder);

// What a reader says when a write of the folder has not completed.
QString InterruptedWriteText();

}  // namespace declfile
