#include "shell/RestoreSwap.h"

#include "platform/os/FaultSeam.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kFreshSuffix = QStringLiteral(".restore-new");
const QString kOldSuffix = QStringLiteral(".restore-old");

bool exists(const QString& path) { return QFileInfo::exists(path); }

void removeFile(const QString& path) {
    if (!exists(path)) return;
    fault::Step("file.delete", path);
    QFile::remove(path);
}

// One line per table: "1" or "0" (a file was there) and the file name.
bool writeIntent(const QString& folder, const QList<SwapFile>& files) {
    const QString path = RestoreIntentPath(folder);
    const QString temp = path + QStringLiteral(".tmp");
    QByteArray text;
    for (const SwapFile& f : files)
        text += (f.hadOld ? "1\t" : "0\t") + QFileInfo(f.target).fileName().toUtf8() + '\n';
    fault::Step("file.write", temp);
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size() || !out.flush()) {
        out.close();
        QFile::remove(temp);
        return false;
    }
    out.close();
    if (!os::SyncFile(temp) || !os::ReplaceFile(temp, path)) {
        QFile::remove(temp);
        return false;
    }
    return os::SyncFolder(folder);
}

// The record's tables; a record that cannot be read gives the tables whose
// side files are there, and `readable` false.
QList<SwapFile> readIntent(const QString& folder, bool& readable) {
    QList<SwapFile> files;
    QFile in(RestoreIntentPath(folder));
    readable = in.open(QIODevice::ReadOnly);
    if (readable) {
        for (const QByteArray& line : in.readAll().split('\n')) {
            if (line.isEmpty()) continue;
            const QList<QByteArray> parts = line.split('\t');
            const QString name = parts.size() == 2 ? QString::fromUtf8(parts[1]) : QString();
            if ((parts[0] != "0" && parts[0] != "1") || name.isEmpty() || name.contains('/')) {
                readable = false;
                break;
            }
            files << SwapFile{QDir(folder).filePath(name), parts[0] == "1"};
        }
    }
    if (readable) return files;
    files.clear();
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        for (const QString& suffix : {kFreshSuffix, kOldSuffix}) {
            if (!name.endsWith(suffix)) continue;
            const QString target = QDir(folder).filePath(name.chopped(suffix.size()));
            const bool known = std::any_of(files.begin(), files.end(), [&](const SwapFile& f) { return f.target == target; });
            if (!known) files << SwapFile{target, true};
        }
    }
    return files;
}

// The new file of a table is present: still waiting beside it, or in its
// place while the old one waits (a table without an old file: in place).
bool newFilePresent(const SwapFile& f) {
    if (exists(FreshSideFile(f.target))) return true;
    return exists(f.target) && (!f.hadOld || exists(OldSideFile(f.target)));
}

void removeSideFiles(const QString& folder) {
    const QString intentName = QFileInfo(RestoreIntentPath(folder)).fileName();
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot |
                                                             QDir::Hidden | QDir::System)) {
        const QString name = entry.fileName();
        if (!name.endsWith(kFreshSuffix) && !name.endsWith(kOldSuffix) && name != intentName + QStringLiteral(".tmp"))
            continue;
        // A folder that stood in a table's place moved aside like a file:
        // it goes with the swap, or it would stay in Dados for good.
        if (entry.isDir() && !entry.isSymLink()) {
            fault::Step("file.delete", entry.filePath());
            QDir(entry.filePath()).removeRecursively();
        } else {
            removeFile(entry.filePath());
        }
    }
}

// Every new file into its place; then the record goes, which ends the swap.
bool complete(const QString& folder, const QList<SwapFile>& files) {
    for (const SwapFile& f : files) {
        if (!exists(FreshSideFile(f.target))) continue;
        // The old file moves aside first, so that undoing stays possible.
        if (f.hadOld && exists(f.target) && !exists(OldSideFile(f.target)) &&
            !os::ReplaceFile(f.target, OldSideFile(f.target)))
            return false;
        if (!os::ReplaceFile(FreshSideFile(f.target), f.target)) return false;
    }
    if (!os::SyncFolder(folder)) return false;
    removeFile(RestoreIntentPath(folder));
    os::SyncFolder(folder);
    removeSideFiles(folder);
    return true;
}

// Every old file back; a table that had none loses the new one.
void rollBack(const QString& folder, const QList<SwapFile>& files) {
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        const SwapFile& f = *it;
        if (exists(OldSideFile(f.target))) {
            os::ReplaceFile(OldSideFile(f.target), f.target);
        } else if (!f.hadOld && !exists(FreshSideFile(f.target))) {
            removeFile(f.target);
        }
        removeFile(FreshSideFile(f.target));
    }
    os::SyncFolder(folder);
    removeFile(RestoreIntentPath(folder));
    os::SyncFolder(folder);
    removeSideFiles(folder);
}

}  // namespace

QString RestoreIntentPath(const QString& folder) { return QDir(folder).filePath(QStringLiteral(".restore-intent")); }
QString FreshSideFile(const QString& target) { return target + kFreshSuffix; }
QString OldSideFile(const QString& target) { return target + kOldSuffix; }

bool SwapInNewFiles(const QString& folder, const QList<SwapFile>& files) {
    // Before the record nothing has moved: the new files just go.
    const bool recorded = std::all_of(files.begin(), files.end(),
                                      [](const SwapFile& f) { return os::SyncFile(FreshSideFile(f.target)); }) &&
                          writeIntent(folder, files);
    if (!recorded) {
        for (const SwapFile& f : files) QFile::remove(FreshSideFile(f.target));
        return false;
    }
    bool ok = true;
    for (const SwapFile& f : files) {
        if (f.hadOld && !os::ReplaceFile(f.target, OldSideFile(f.target))) {
            ok = false;
            break;
        }
        if (!os::ReplaceFile(FreshSideFile(f.target), f.target)) {
            ok = false;
            break;
        }
    }
    if (ok && os::SyncFolder(folder)) {
        removeFile(RestoreIntentPath(folder));
        os::SyncFolder(folder);
        removeSideFiles(folder);
        return true;
    }
    rollBack(folder, files);
    return false;
}

bool FinishInterruptedRestore(const QString& folder) {
    const bool found = exists(RestoreIntentPath(folder));
    if (found) {
        bool readable = false;
        const QList<SwapFile> files = readIntent(folder, readable);
        // Without a record that says which files were new, the old ones are kept.
        const bool allNew =
            readable && !files.isEmpty() && std::all_of(files.begin(), files.end(), newFilePresent);
        if (!allNew || !complete(folder, files)) rollBack(folder, files);
    } else {
        // Side files without a record: a copy that never began, or a swap
        // that ended before its old files were removed.
        removeSideFiles(folder);
    }
    return found;
}
