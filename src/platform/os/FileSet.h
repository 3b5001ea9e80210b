#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Files of one folder that take their names together: a record of the
// renames (and of the files they make obsolete) is made durable first, so
// that a start after a crash in the middle gives the rest their names and
// removes the rest of the obsolete files as well.
namespace os {

// Renames each pair (from, to: paths in `folder`), replacing a file of the
// new name, then removes the files of `removals` (paths in `folder`). False
// when a rename failed; the record stays then.
bool RenameTogether(const QString& folder, const QList<QPair<QString, QString>>& names,
                    const QStringList& removals = {});

// Completes the renames and removals of a record a crash left in the folder.
// False when a rename failed again: the record, and the files it names, stay
// for the next start.
bool FinishInterruptedRenames(const QString& folder);

// The record of a set of renames that has not been completed: a write is
// between its record and its end (now, in another copy, or killed there).
// File names, without the folder.
struct PendingRenames {
    bool pending = false;   // a record is in place
    bool readable = true;   // its lines could be read
    QList<QPair<QString, QString>> renames;
    QStringList removals;
};
PendingRenames ReadPendingRenames(const QString& folder);

}  // namespace os
