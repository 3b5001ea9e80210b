#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace AppPaths {

namespace {
QString& overridden() {
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder() {
    QString f = overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
    if (!f.endsWith('/')) f += '/';
    return f;
}

void setProgramFolder(const QString& folder) { overridden() = folder; }

QString findNoCase(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name)) return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    return dir.filePath(name);
}

QString dataFolder() { return findNoCase(programFolder(), QStringLiteral("dados")); }

}  // namespace AppPaths
