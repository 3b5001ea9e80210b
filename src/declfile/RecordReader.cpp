#include "declfile/RecordReader.h"

#include "declfile/Windows1252.h"
#include "declfile/ugEstrutura.h"

#include <QIODevice>
#include <cstring>

namespace declfile {

namespace {
constexpr qint64 kLargeBuffer = 32767;
}

RecordReader::RecordReader(QIODevice& in, qint64 size, int recordLength)
    : in_(in), fileLeft_(qMax<qint64>(size, 0)), recordLength_(recordLength) {
    bufferSize_ = fileLeft_ >= kLargeBuffer ? kLargeBuffer : qMax<qint64>(fileLeft_ + 1, 3 * qint64(recordLength_));
    buffer_ = QByteArray(int(bufferSize_), '\0');
    step_ = recordLength_ + 2;
}

bool RecordReader::Start() {
    const qint64 n = in_.read(buffer_.data(), qMin(fileLeft_, bufferSize_ - 1));
    if (n > 0) {
        end_ = n;
        fileLeft_ -= n;
    }
    if (end_ < 3 * qint64(recordLength_)) return false;
    lineEndKind_ = LineEndKind(buffer_.constData(), recordLength_ + 2);
    switch (lineEndKind_) {
    case 1:
    case 2: step_ = recordLength_ + 2; break;
    case 3:
    case 4: step_ = recordLength_ + 1; break;
    default: step_ = recordLength_; break;
    }
    return true;
}

void RecordReader::refill() {
    if (end_ - cur_ >= step_ || fileLeft_ == 0) return;
    const qint64 tail = qMax<qint64>(end_ - cur_, 0);
    char* buf = buffer_.data();
    if (tail > 0) std::memmove(buf, buf + cur_, size_t(tail));
    cur_ = 0;
    end_ = tail;
    const qint64 want = qMin(fileLeft_, bufferSize_ - 1 - end_);
    const qint64 n = want > 0 ? in_.read(buf + end_, want) : 0;
    if (n <= 0) {
        fileLeft_ = 0;  // an unreadable copy ends like a short one
        return;
    }
    end_ += n;
    fileLeft_ -= n;
}

bool RecordReader::Next() {
    if (started_) cur_ += step_;
    started_ = true;
    refill();
    return end_ - cur_ > 0;
}

bool IsPlainText(QByteArrayView bytes) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        // Eight bytes at a time: none below a blank (the subtraction borrows
        // into its top bit) and none with its top bit set.
        quint64 w;
        std::memcpy(&w, p + i, 8);
        constexpr quint64 kOnes = 0x0101010101010101ull, kTops = 0x8080808080808080ull;
        if ((((w - 0x20 * kOnes) & ~w) | w) & kTops) return false;
    }
    for (; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        if (b < 32 || b >= 0x80) return false;
    }
    return true;
}

QByteArrayView FieldSlice(const char* record, int bytes, const TArquivo& d) {
    if (d.Start <= 0 || d.Length <= 0 || d.Length > 256 || d.Start > bytes) return QByteArrayView();
    return QByteArrayView(record + d.Start - 1, qMin(d.Length, bytes - d.Start + 1));
}

QString FieldText(const char* record, int bytes, const TArquivo& d) {
    const QByteArrayView slice = FieldSlice(record, bytes, d);
    if (slice.isNull()) return QString();
    // This runs for every field of every record: plain text is taken as it stands.
    if (IsPlainText(slice)) return QString::fromLatin1(slice);
    QByteArray text = slice.toByteArray();
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return cp1252::Decode(text);
}

}  // namespace declfile
