#include "Drives.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <filesystem>

namespace drives {

namespace {

struct Override {
    bool removed = false;
    DriveEntry entry;
};

QHash<QChar, Override>& overrides() {
    static QHash<QChar, Override> table;
    return table;
}

QString withSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith('/') || folder.endsWith('\\')) return folder;
    return folder + '/';
}

// The entry of a letter, or nothing when the letter has no drive.
std::optional<DriveEntry> entryOf(QChar letter) {
    letter = letter.toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('Z')) return std::nullopt;
    const auto it = overrides().constFind(letter);
    if (it != overrides().constEnd()) {
        if (it->removed) return std::nullopt;
        return it->entry;
    }
    const QString program = AppPaths::programFolder();
    if (program.isEmpty()) return std::nullopt;
    if (letter == QLatin1Char('C')) return DriveEntry{withSlash(program), DriveType::Fixed, -1};
    if (letter == QLatin1Char('A') || letter == QLatin1Char('B')) {
        const QString folder = AppPaths::findNoCase(program, QString(letter));
        if (!QFileInfo(folder).isDir()) return std::nullopt;
        return DriveEntry{withSlash(folder), DriveType::Removable, kDisketteSize};
    }
    return std::nullopt;
}

QChar letterOfRoot(const QString& root) {
    // "A", "A:", "A:\" and "A:/" all name drive A.
    if (root.isEmpty() || root.size() > 3) return QChar();
    if (root.size() >= 2 && root.at(1) != QLatin1Char(':')) return QChar();
    if (root.size() == 3 && root.at(2) != QLatin1Char('\\') && root.at(2) != QLatin1Char('/')) return QChar();
    return root.at(0);
}

}  // namespace

DriveType TypeOf(const QString& root) {
    const auto e = entryOf(letterOfRoot(root));
    return e ? e->type : DriveType::NoDrive;
}

QString RootFolder(QChar letter) {
    const auto e = entryOf(letter);
    return e ? withSlash(e->folder) : QString();
}

std::optional<qint64> TotalSize(QChar letter) {
    const auto e = entryOf(letter);
    if (!e || e->folder.isEmpty()) return std::nullopt;
    if (!QFileInfo(e->folder).isDir()) return std::nullopt;  // no disk in the drive
    if (e->totalSize >= 0) return e->totalSize;
    std::error_code ec;
    const auto space = std::filesystem::space(std::filesystem::path(e->folder.toStdString()), ec);
    if (ec) return std::nullopt;
    return qint64(space.capacity);
}

QString PathOnDrive(QChar letter, const QString& fileName) {
    const QString root = RootFolder(letter);
    return root.isEmpty() ? QString() : AppPaths::findNoCase(root, fileName);
}

void SetDrive(QChar letter, const DriveEntry& entry) {
    overrides()[letter.toUpper()] = Override{false, DriveEntry{withSlash(entry.folder), entry.type, entry.totalSize}};
}

void RemoveDrive(QChar letter) { overrides()[letter.toUpper()] = Override{true, {}}; }

void ResetDrives() { overrides().clear(); }

}  // namespace drives
