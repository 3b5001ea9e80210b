#include "FileSet.h"

#include "FaultSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace os {

namespace {

QString recordPath(const QString& folder) { return QDir(folder).filePath(QStringLiteral(".rename-intent")); }

// One line per rename, "from<TAB>to"; one per removal, "<TAB>name".
bool writeRecord(const QString& folder, const QList<QPair<QString, QString>>& names, const QStringList& removals) {
    QByteArray text;
    for (const auto& [from, to] : names)
        text += QFileInfo(from).fileName().toUtf8() + '\t' + QFileInfo(to).fileName().toUtf8() + '\n';
    for (const QString& gone : removals) text += '\t' + QFileInfo(gone).fileName().toUtf8() + '\n';
    const QString path = recordPath(folder);
    const QString temp = path + QStringLiteral(".tmp");
    fault::Step("file.write", temp);
    QFile out(temp);
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(text) == text.size() &&
                         out.flush();
    out.close();
    if (!written || !SyncFile(temp) || !ReplaceFile(temp, path)) {
        QFile::remove(temp);
        return false;
    }
    return SyncFolder(folder);
}

void removeFile(const QString& path) {
    if (!QFileInfo::exists(path)) return;
    fault::Step("file.delete", path);
    QFile::remove(path);
}

void dropRecord(const QString& folder) {
    SyncFolder(folder);
    fault::Step("file.delete", recordPath(folder));
    QFile::remove(recordPath(folder));
    QFile::remove(recordPath(folder) + QStringLiteral(".tmp"));
}

}  // namespace

bool RenameTogether(const QString& folder, const QList<QPair<QString, QString>>& names,
                    const QStringList& removals) {
    if (names.isEmpty() && removals.isEmpty()) return true;
    for (const auto& [from, to] : names)
        if (!SyncFile(from)) return false;
    if (!writeRecord(folder, names, removals)) return false;
    bool ok = true;
    for (const auto& [from, to] : names) ok = ReplaceFile(from, to) && ok;
    // The obsolete files go only once every new one has its name.
    if (!ok) return false;
    for (const QString& gone : removals) removeFile(gone);
    dropRecord(folder);
    return true;
}

bool FinishInterruptedRenames(const QString& folder) {
    QFile in(recordPath(folder));
    if (!in.open(QIODevice::ReadOnly)) {
        QFile::remove(recordPath(folder) + QStringLiteral(".tmp"));
        return !QFileInfo::exists(recordPath(folder));
    }
    const QList<QByteArray> lines = in.readAll().split('\n');
    in.close();
    QStringList removals;
    bool named = true;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 2) continue;
        const QString from = QString::fromUtf8(parts[0]);
        const QString to = QString::fromUtf8(parts[1]);
        if (to.isEmpty() || from.contains('/') || to.contains('/') || to == QLatin1String("..") ||
            to == QLatin1String("."))
            continue;
        if (from.isEmpty()) {
            removals << QDir(folder).filePath(to);
            continue;
        }
        const QString source = QDir(folder).filePath(from);
        if (QFileInfo::exists(source) && !ReplaceFile(source, QDir(folder).filePath(to))) named = false;
    }
    // A new file that still has no name keeps the old ones, and the record,
    // for the next start.
    if (!named) return false;
    for (const QString& gone : removals) removeFile(gone);
    dropRecord(folder);
    return true;
}

PendingRenames ReadPendingRenames(const QString& folder) {
    PendingRenames record;
    const QString path = recordPath(folder);
    if (!QFileInfo::exists(path)) return record;
    record.pending = true;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        record.readable = false;
        return record;
    }
    for (const QByteArray& line : in.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 2 || parts[1].isEmpty()) continue;
        const QString from = QString::fromUtf8(parts[0]);
        const QString to = QString::fromUtf8(parts[1]);
        if (from.isEmpty())
            record.removals << to;
        else
            record.renames << qMakePair(from, to);
    }
    return record;
}

}  // namespace os
