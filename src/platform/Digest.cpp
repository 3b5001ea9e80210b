#include "Digest.h"

#include <QCryptographicHash>
#include <QFile>
#include <zlib.h>

#include <algorithm>
#include <cstring>

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

struct StreamDigest::Hash {
    QCryptographicHash md5{QCryptographicHash::Md5};
};

StreamDigest::StreamDigest() : hash_(std::make_unique<Hash>()) {}
StreamDigest::~StreamDigest() = default;

void StreamDigest::Add(QByteArrayView bytes) {
    const char* p = bytes.data();
    qsizetype n = bytes.size();
    size_ += n;
    if (n >= kDigestTailBytes) {
        // The bytes held go first, then all but the last 34 of these.
        if (tailSize_) hash_->md5.addData(QByteArrayView(tail_, tailSize_));
        hash_->md5.addData(QByteArrayView(p, n - kDigestTailBytes));
        std::memcpy(tail_, p + n - kDigestTailBytes, kDigestTailBytes);
        tailSize_ = kDigestTailBytes;
        return;
    }
    // A short piece: the oldest bytes held make room for it.
    const int out = std::max(0, tailSize_ + int(n) - kDigestTailBytes);
    if (out) {
        hash_->md5.addData(QByteArrayView(tail_, out));
        std::memmove(tail_, tail_ + out, std::size_t(tailSize_ - out));
        tailSize_ -= out;
    }
    std::memcpy(tail_ + tailSize_, p, std::size_t(n));
    tailSize_ += int(n);
}

QString StreamDigest::Finish() {
    // A file of 34 bytes or more has its stamped region taken as blanks; a
    // shorter one is hashed as it is.
    if (tailSize_ == kDigestTailBytes) std::memset(tail_, ' ', kDigestLength);
    hash_->md5.addData(QByteArrayView(tail_, tailSize_));
    const QString text = QString::fromLatin1(hash_->md5.result().toHex().toUpper());
    Reset();
    return text;
}

void StreamDigest::Reset() {
    hash_->md5.reset();
    tailSize_ = 0;
    size_ = 0;
}

quint32 Crc32(const QByteArray& bytes, quint32 crc) {
    return quint32(::crc32(uLong(crc), reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

}  // namespace digest
