#include "declfile/ugDriveDisquete.h"

#include "platform/AppPaths.h"
#include "platform/os/Drives.h"
#include "platform/ui/MessageService.h"
#include "shell/ugFuncoes.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace declfile {

namespace {

QDir::Filters filtersOf(EntryKinds kinds) {
    // Without QDir::Hidden and QDir::System those entries are left out.
    return kinds == EntryKinds::FilesOnly ? QDir::Files : (QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

int countEntries(const QString& folder, EntryKinds kinds, const QStringList& patterns, int enough) {
    if (folder.isEmpty()) return 0;
    const QDir dir(folder);
    if (!dir.exists()) return 0;
    const QStringList names = dir.entryList(patterns, filtersOf(kinds));
    return qMin(int(names.size()), enough);
}

bool fileIn(const QString& folder, EntryKinds kinds, const QString& fileName) {
    if (folder.isEmpty() || fileName.isEmpty()) return false;
    const QFileInfo info(AppPaths::findNoCase(folder, fileName));
    if (!info.exists() || info.isHidden()) return false;
    return kinds == EntryKinds::FilesAndFolders ? true : info.isFile();
}

}  // namespace

void ListOutputDrives(QStringList& letters) {
    letters.clear();
    if (drives::TypeOf(QStringLiteral("A:\\")) == drives::DriveType::Removable) letters << QStringLiteral("A");
    if (drives::TypeOf(QStringLiteral("B:\\")) == drives::DriveType::Removable) letters << QStringLiteral("B");
    if (drives::TypeOf(QStringLiteral("C:\\")) == drives::DriveType::Fixed) letters << QStringLiteral("C");
}

void FillDriveCombo(QStringList& letters, QComboBox* combo) {
    if (combo) combo->clear();
    ListOutputDrives(letters);
    if (!combo) return;
    for (const QString& l : std::as_const(letters)) combo->addItem(QStringLiteral("Drive ") + l + QLatin1Char(':'));
}

bool IsDiskPresent(QChar letter) {
    letter = letter.toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('Z')) return false;
    return drives::TotalSize(letter).has_value();
}

qint64 DiskCapacity(QChar letter) {
    letter = letter.toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('Z')) return 0;
    const auto size = drives::TotalSize(letter);
    return size ? *size : -1;
}

bool ConfirmInterrupt() { return AskInterrupt(); }

bool WaitForDiskette(QChar letter) {
    for (;;) {
        if (IsDiskPresent(letter)) return true;
        const QString pressed =
            msg::ShowBox(msg::BoxKind::Information,
                         QStringLiteral("Disquete com problema ou não há disquete no drive ") + letter + QLatin1Char(':'),
                         msg::BoxButtons::OkCancel);
        if (pressed == QLatin1String("mrCancel") && ConfirmInterrupt()) return false;
    }
}

bool PromptInsertDiskette(QChar letter, int number) {
    for (;;) {
        const QString pressed = msg::ShowBox(msg::BoxKind::Information,
                                             QStringLiteral("Insira o disquete # ") + QString::number(number) +
                                                 QStringLiteral("\rno drive ") + letter + QLatin1Char(':'),
                                             msg::BoxButtons::OkCancel);
        // Cancel answered No goes on like OK: the disk decides.
        if (pressed == QLatin1String("mrCancel") && ConfirmInterrupt()) return false;
        if (IsDiskPresent(letter)) return true;
    }
}

bool IsDisketteDrive(QChar letter) {
    letter = letter.toUpper();
    return letter == QLatin1Char('A') || letter == QLatin1Char('B');
}

QString TransmitFolder() {
    QString f = AppPaths::findNoCase(AppPaths::programFolder(), QStringLiteral("Transmite"));
    if (!f.endsWith('/')) f += '/';
    return f;
}

bool DriveHasEntries(QChar letter, EntryKinds kinds) {
    if (IsDisketteDrive(letter)) return countEntries(drives::RootFolder(letter.toUpper()), kinds, {}, 1) >= 1;
    return countEntries(TransmitFolder(), EntryKinds::FilesOnly, {QStringLiteral("*.dec"), QStringLiteral("*.DEC")}, 1) >= 1;
}

bool DriveHasTwoEntries(QChar letter, EntryKinds kinds) {
    return countEntries(drives::RootFolder(letter.toUpper()), kinds, {}, 2) >= 2;
}

bool FileExistsOnDrive(QChar letter, EntryKinds kinds, const QString& fileName) {
    if (IsDisketteDrive(letter)) return fileIn(drives::RootFolder(letter.toUpper()), kinds, fileName);
    return fileIn(TransmitFolder(), kinds, fileName);
}

}  // namespace declfile
