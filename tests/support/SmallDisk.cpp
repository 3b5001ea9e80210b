#include "SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <sys/mount.h>
#include <sys/statvfs.h>

namespace {
const QString kFiller = QStringLiteral(".filler");
}

SmallDisk::SmallDisk(const QString& folder, qint64 bytes) : folder_(QDir(folder).absolutePath()) {
    QDir().mkpath(folder_);
    QHash<QString, QByteArray> kept;
    const QDir dir(folder_);
    for (const QString& f : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(f));
        if (file.open(QIODevice::ReadOnly)) kept.insert(f, file.readAll());
    }
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", folder_.toUtf8().constData(), "tmpfs", 0, options.constData()) != 0) return;
    mounted_ = true;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        QFile file(dir.filePath(it.key()));
        if (file.open(QIODevice::WriteOnly)) file.write(it.value());
    }
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(folder_.toUtf8().constData(), MNT_DETACH);
}

qint64 SmallDisk::freeBytes() const {
    struct statvfs st {};
    if (::statvfs(folder_.toUtf8().constData(), &st) != 0) return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}

void SmallDisk::leaveFree(qint64 bytes) {
    QFile filler(QDir(folder_).filePath(kFiller));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    const QByteArray block(4096, 'x');
    while (freeBytes() > bytes) {
        if (filler.write(block.constData(), qMin<qint64>(block.size(), freeBytes() - bytes)) <= 0) break;
        filler.flush();
    }
}

void SmallDisk::release() { QFile::remove(QDir(folder_).filePath(kFiller)); }
