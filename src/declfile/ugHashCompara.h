#pragma once
#include <QString>

namespace declfile {

enum class StampResult { Stamped, IoError };

// Writes the digest of a closed declaration file over the 32 blanks of its
// trailer's columns 519-550 (file size - 34). An unreadable or unwritable file
// is an I/O error.
StampResult StampFileDigest(const QString& path);

// Writes a digest made while the file was written (digest::StreamDigest) over
// those 32 blanks, without reading the file again. A file whose size is not
// the `size` bytes the digest was made of is an I/O error: it is not the
// file that was hashed.
StampResult StampFileDigest(const QString& path, const QString& digestText, qint64 size);

// True when the digest in the file's last 34 bytes is the file's digest. A
// file shorter than 34 bytes, unreadable or changed anywhere does not verify.
bool VerifyFileDigest(const QString& path);

}  // namespace declfile
