#include "Digest.h"

#include <QCryptographicHash>
#include <QFile>
#include <zlib.h>

namespace digest {

QString hashFileGenerate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    const qint64 size = file.size();
    // The stamped region, as offsets into the file.
    const qint64 from = size >= kDigestTailBytes ? size - kDigestTailBytes : -1;
    const qint64 to = from >= 0 ? from + kDigestLength : -1;
    QCryptographicHash hash(QCryptographicHash::Md5);
    constexpr qint64 kChunk = 1 << 20;
    qint64 offset = 0;
    while (offset < size) {
        QByteArray chunk = file.read(qMin(kChunk, size - offset));
        if (chunk.isEmpty()) return QString();
        const qint64 end = offset + chunk.size();
        if (from >= 0 && from < end && to > offset) {
            const qint64 a = qMax(from, offset) - offset;
            const qint64 b = qMin(to, end) - offset;
            for (qint64 i = a; i < b; ++i) chunk[i] = ' ';
        }
        hash.addData(chunk);
        offset = end;
    }
    if (file.error() != QFileDevice::NoError) return QString();
    return QString::fromLatin1(hash.result().toHex().toUpper());
}

quint32 Crc32(const QByteArray& bytes, quint32 crc) {
    return quint32(::crc32(uLong(crc), reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

}  // namespace digest
