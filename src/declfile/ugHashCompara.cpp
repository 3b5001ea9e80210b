#include "declfile/ugHashCompara.h"

#include "platform/Digest.h"

#include <QFile>

namespace declfile {

namespace {

// Writes the digest text at its place; `expectedSize` < 0 takes any size.
StampResult writeDigest(const QString& path, const QString& text, qint64 expectedSize) {
    if (text.size() != digest::kDigestLength) return StampResult::IoError;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return StampResult::IoError;
    const qint64 size = file.size();
    if (expectedSize >= 0 && size != expectedSize) return StampResult::IoError;
    if (size < digest::kDigestTailBytes || !file.seek(size - digest::kDigestTailBytes))
        return StampResult::IoError;
    const QByteArray bytes = text.toLatin1();
    if (file.write(bytes) != bytes.size() || !file.flush()) return StampResult::IoError;
    file.close();
    return file.error() == QFileDevice::NoError ? StampResult::Stamped : StampResult::IoError;
}

}  // namespace

StampResult StampFileDigest(const QString& path) {
    return writeDigest(path, digest::hashFileGenerate(path), -1);
}

StampResult StampFileDigest(const QString& path, const QString& digestText, qint64 size) {
    return writeDigest(path, digestText, size);
}

bool VerifyFileDigest(const QString& path) {
    const QString computed = digest::hashFileGenerate(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    if (size < digest::kDigestTailBytes || !file.seek(size - digest::kDigestTailBytes)) return false;
    QByteArray stored = file.read(digest::kDigestLength);
    if (stored.size() < digest::kDigestLength) return false;
    const int nul = stored.indexOf('\0');
    if (nul >= 0) stored.truncate(nul);
    if (computed.size() != digest::kDigestLength) return false;
    return computed.toLatin1() == stored;
}

}  // namespace declfile
