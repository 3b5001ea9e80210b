#pragma once
#include <QChar>
#include <QString>
#include <optional>

// The drive table: which drive letters exist, what kind they are and which
// folder stands for each drive's root. On this system "C:" is the program's
// folder (a fixed disk), and "A:" and "B:" are removable drives only where a
// folder "A" or "B" beside the program exists, standing for a diskette in the
// drive. Tests point drives at folders of their own.
namespace drives {

enum class DriveType { NoDrive, Removable, Fixed };

// The size that a removable stand-in drive reports: a 3.5" high-density
// diskette.
constexpr qint64 kDisketteSize = 1457664;

struct DriveEntry {
    QString folder;          // stands for the drive's root
    DriveType type = DriveType::Fixed;
    qint64 totalSize = -1;   // -1: the size of the file system holding the folder
};

// The type of the drive of a root ("A:\", "A:" or "A"); NoDrive for a letter
// without a drive or a text that is not a drive letter.
DriveType TypeOf(const QString& root);

// The folder standing for the drive's root, with a trailing '/'; empty when
// the letter has no drive. The folder need not exist (no disk in the drive).
QString RootFolder(QChar letter);

// The total size in bytes of the disk in the drive; empty when the drive does
// not exist or holds no disk.
std::optional<qint64> TotalSize(QChar letter);

// The path of a file in the drive's root ("A:" + name); empty without a drive.
QString PathOnDrive(QChar letter, const QString& fileName);

// Test seam: replaces the entry of one letter; Reset goes back to the table
// derived from the program's folder.
void SetDrive(QChar letter, const DriveEntry& entry);
void RemoveDrive(QChar letter);
void ResetDrives();

}  // namespace drives
