#pragma once
#include <QList>
#include <QString>

// Replaces table files of a folder by new ones as one step that survives a
// crash. Each new file waits beside its table as "<table>.restore-new"; an
// intent record in the folder lists the tables before the first rename; the
// old files wait as "<table>.restore-old" until the record is removed, which
// is the moment the swap is done. A start after a crash finishes what the
// record describes: every new file in place when all of them are present,
// else every old file back.

struct SwapFile {
    QString target;       // the table file's path in the folder
    bool hadOld = false;  // a file was there before the swap
};

QString RestoreIntentPath(const QString& folder);
QString FreshSideFile(const QString& target);  // "<table>.restore-new"
QString OldSideFile(const QString& target);    // "<table>.restore-old"

// Swaps in the new files that wait beside their targets. False, with every
// old file back in place, when a step fails.
bool SwapInNewFiles(const QString& folder, const QList<SwapFile>& files);

// At start-up: completes or undoes a swap that a crash interrupted and
// removes the record and every side file. True when a swap was found.
bool FinishInterruptedRestore(const QString& folder);
