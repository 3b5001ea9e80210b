#pragma once
#include <QList>
#include <QPair>
#include <QString>

// Files of one folder that take their names together: a record of the
// renames is made durable first, so that a start after a crash in the middle
// gives the rest their names as well.
namespace os {

// Renames each pair (from, to: paths in `folder`), replacing a file of the
// new name. False when a rename failed; the record stays then.
bool RenameTogether(const QString& folder, const QList<QPair<QString, QString>>& names);

// Completes the renames of a record a crash left in the folder.
void FinishInterruptedRenames(const QString& folder);

}  // namespace os
