#pragma once
#include <QChar>
#include <QString>
#include <QStringList>

class QComboBox;

// Choosing an output place, waiting for a diskette, asking for the next one
// and looking at what a diskette or the folder "Transmite" holds. The output
// places are the root of a diskette in A: or B:, or the folder "Transmite" in
// the program folder, offered as "Drive C:". Every question is an
// information box of the message service.
namespace declfile {

// Which directory entries a search counts. Hidden and system entries never
// count.
enum class EntryKinds { FilesOnly, FilesAndFolders };

// Clears the list, then adds "A" when A: is removable, "B" when B: is
// removable and "C" when C: is a fixed disk, in this order.
void ListOutputDrives(QStringList& letters);

// Fills the list as ListOutputDrives and the combo with "Drive " + letter +
// ":" for each letter, so that combo item i is list letter i.
void FillDriveCombo(QStringList& letters, QComboBox* combo);

// True when the drive of the letter (either case) holds a disk.
bool IsDiskPresent(QChar letter);

// The total size of the disk in the drive; 0 for a character that is not a
// letter, -1 when the size cannot be read.
qint64 DiskCapacity(QChar letter);

// "Deseja interromper?" with Yes and No; true on Yes.
bool ConfirmInterrupt();

// Waits until the drive holds a disk, asking with OK and Cancel; false when
// the user cancels and confirms the interruption.
bool WaitForDiskette(QChar letter);

// Asks for diskette number n at least once, until the drive holds a disk;
// false when the user cancels and confirms the interruption.
bool PromptInsertDiskette(QChar letter, int number);

// A or B: true when the diskette's root holds an entry of the kinds. Another
// letter: true when the folder "Transmite" holds a "*.dec" file.
bool DriveHasEntries(QChar letter, EntryKinds kinds);

// True when the drive's root holds at least two entries of the kinds.
bool DriveHasTwoEntries(QChar letter, EntryKinds kinds);

// A or B: true when the file is in the diskette's root; another letter: in
// the folder "Transmite". Names match without regard to letter case.
bool FileExistsOnDrive(QChar letter, EntryKinds kinds, const QString& fileName);

// The folder "Transmite" in the program folder, with a trailing '/'.
QString TransmitFolder();

// True for the diskette drives A and B (either case).
bool IsDisketteDrive(QChar letter);

}  // namespace declfile
