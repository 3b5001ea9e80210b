#include "shell/StartupDebris.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Made afresh by every run that uses them; nothing reads them across runs.
bool isRunFile(const QString& lowerName) {
    static const QStringList kRunFiles = {
        QStringLiteral("r01txzzz.$$$"),  // the analyser's copy of its input
        QStringLiteral("te8emp.db"),     QStringLiteral("te8vinc.db"), QStringLiteral("te8resp.db"),
        QStringLiteral("te8stru.db"),    QStringLiteral("te8imp.db"),
    };
    return kRunFiles.contains(lowerName);
}

// SQLite plays back only a journal that starts with its mark; one without it
// (a crash before its header was written) or beside no database is never
// used again.
bool journalOfUse(const QString& journal, const QString& database) {
    if (!QFileInfo(database).isFile()) return false;
    static const QByteArray kMark("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile f(journal);
    return f.open(QIODevice::ReadOnly) && f.read(kMark.size()) == kMark;
}

}  // namespace

void RemoveUnfinishedRunDebris(const QString& dataFolder) {
    // Whatever a crash left in a journal goes back first.
    db::Database::RecoverAfterCrash(dataFolder);
    const QDir dir(dataFolder);
    const QString journal = QStringLiteral("-journal");
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString lower = name.toLower();
        const QString owner = lower.endsWith(journal) ? lower.chopped(journal.size()) : lower;
        // A table file built aside and never moved in.
        // A backup archive that never got its name: an earlier one of that name is whole.
        const bool debris = isRunFile(owner) || owner.endsWith(QLatin1String(".new")) ||
                            owner.endsWith(QLatin1String(".bkp.tmp")) ||
                            (lower.endsWith(journal) &&
                             !journalOfUse(dir.filePath(name), dir.filePath(name.chopped(journal.size()))));
        if (debris) QFile::remove(dir.filePath(name));
    }
    // The extraction folder of a restore: a restore that ended removed it.
    const QString work = AppPaths::findNoCase(dataFolder, QStringLiteral("Work"));
    if (QFileInfo(work).isDir()) QDir(work).removeRecursively();
}
