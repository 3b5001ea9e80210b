#pragma once
#include "platform/os/FaultSeam.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

// Keeps the fault seam's trail of file steps while it lives. A killed
// process's writes survive in the page cache, so a missing sync shows only
// in the order of the steps.
class StepTrail {
public:
    StepTrail() { fault::KeepTrail(true); }
    ~StepTrail() { fault::KeepTrail(false); }
    StepTrail(const StepTrail&) = delete;
    StepTrail& operator=(const StepTrail&) = delete;

    QStringList steps() const { return fault::Trail(); }

    // The files renamed whose path matches `pattern`, in order.
    QStringList renamed(const QString& pattern) const {
        QStringList found;
        const QRegularExpression re(pattern);
        for (const QString& s : steps())
            if (s.startsWith(QLatin1String("file.rename ")) && re.match(s.mid(12)).hasMatch()) found << s.mid(12);
        return found;
    }

    // Each rename of a file matching `pattern` comes after a sync of that
    // file with no write of it in between, and, with `folderToo`, is
    // followed by a sync of its folder. Returns how many renames it checked.
    int expectSyncedBeforeRenamed(const QString& pattern, bool folderToo) const {
        const QStringList trail = steps();
        const QRegularExpression re(pattern);
        int checked = 0;
        for (int i = 0; i < trail.size(); ++i) {
            if (!trail[i].startsWith(QLatin1String("file.rename "))) continue;
            const QString path = trail[i].mid(12);
            if (!re.match(path).hasMatch()) continue;
            ++checked;
            bool synced = false;
            for (int j = i - 1; j >= 0 && !synced; --j) {
                if (trail[j] == QLatin1String("sync.file ") + path) synced = true;
                else if (trail[j] == QLatin1String("file.write ") + path) break;
            }
            EXPECT_TRUE(synced) << "renamed without a sync first: " << path.toStdString() << "\n"
                                << trail.join('\n').toStdString();
            if (!folderToo) continue;
            const QString folder = QLatin1String("sync.folder ") + QFileInfo(path).absolutePath();
            EXPECT_TRUE(trail.indexOf(folder, i + 1) > i)
                << "no sync of the folder after renaming " << path.toStdString();
        }
        return checked;
    }
};
