#include "FileSet.h"

#include "FaultSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace os {

namespace {

QString recordPath(const QString& folder) { return QDir(folder).filePath(QStringLiteral(".rename-intent")); }

bool writeRecord(const QString& folder, const QList<QPair<QString, QString>>& names) {
    QByteArray text;
    for (const auto& [from, to] : names)
        text += QFileInfo(from).fileName().toUtf8() + '\t' + QFileInfo(to).fileName().toUtf8() + '\n';
    const QString path = recordPath(folder);
    const QString temp = path + QStringLiteral(".tmp");
    fault::Step("file.write");
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

void dropRecord(const QString& folder) {
    SyncFolder(folder);
    fault::Step("file.delete");
    QFile::remove(recordPath(folder));
    QFile::remove(recordPath(folder) + QStringLiteral(".tmp"));
}

}  // namespace

bool RenameTogether(const QString& folder, const QList<QPair<QString, QString>>& names) {
    if (names.isEmpty()) return true;
    for (const auto& [from, to] : names)
        if (!SyncFile(from)) return false;
    if (!writeRecord(folder, names)) return false;
    bool ok = true;
    for (const auto& [from, to] : names) ok = ReplaceFile(from, to) && ok;
    if (ok) dropRecord(folder);
    return ok;
}

void FinishInterruptedRenames(const QString& folder) {
    QFile in(recordPath(folder));
    if (!in.open(QIODevice::ReadOnly)) {
        QFile::remove(recordPath(folder) + QStringLiteral(".tmp"));
        return;
    }
    const QList<QByteArray> lines = in.readAll().split('\n');
    in.close();
    for (const QByteArray& line : lines) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 2) continue;
        const QString from = QString::fromUtf8(parts[0]);
        const QString to = QString::fromUtf8(parts[1]);
        if (from.isEmpty() || to.isEmpty() || from.contains('/') || to.contains('/')) continue;
        const QString source = QDir(folder).filePath(from);
        if (QFileInfo::exists(source)) ReplaceFile(source, QDir(folder).filePath(to));
    }
    dropRecord(folder);
}

}  // namespace os
