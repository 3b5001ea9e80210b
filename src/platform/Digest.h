#pragma once
#include <QByteArray>
#include <QString>
#include <memory>

// The digest and checksum functions that the declaration file and the
// transmission receipt rely on.
namespace digest {

// Length of a declaration file's digest and where it sits: the last 34 bytes
// of the file are the trailer's columns 519-550 followed by CR LF.
constexpr int kDigestLength = 32;
constexpr int kDigestTailBytes = 34;

// The digest of a declaration file: 32 upper-case hexadecimal characters of
// MD5 over the file's bytes, with the 32 bytes at file size - 34 taken as
// blanks, so the digest is the same before and after it is stamped there.
// A file shorter than 34 bytes is hashed as it is. Empty when the file cannot
// be read.
QString hashFileGenerate(const QString& path);

// The same digest made as a file is written: fed every byte of the file in
// order, in pieces of any size, it gives what hashFileGenerate gives for the
// finished file, without reading it back. The last 34 bytes seen are held
// back until the end, as the stamped region lies among them.
class StreamDigest {
public:
    StreamDigest();
    ~StreamDigest();
    StreamDigest(const StreamDigest&) = delete;
    StreamDigest& operator=(const StreamDigest&) = delete;

    void Add(QByteArrayView bytes);
    // The bytes fed so far.
    qint64 Size() const { return size_; }
    // The 32 upper-case hexadecimal characters; the digest then starts again.
    QString Finish();
    void Reset();

private:
    struct Hash;
    std::unique_ptr<Hash> hash_;
    char tail_[kDigestTailBytes] = {};
    int tailSize_ = 0;
    qint64 size_ = 0;
};

// CRC-32 (zlib) of the bytes, continuing from crc (0 to start).
quint32 Crc32(const QByteArray& bytes, quint32 crc = 0);

}  // namespace digest
