#include "declfile/ugEstrutura.h"

#include "declfile/Windows1252.h"

#include <cstring>

namespace declfile {

namespace {
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool inPrintableRange(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 32 && b <= 126;
}

template <class Pred>
int firstFailing(const char* base, int start, int length, Pred ok) {
    const char* p = base + start - 1;
    for (int i = 0; i < length; ++i)
        if (!ok(p[i])) return i + 1;
    return length + 1;
}
}  // namespace

bool IsAllDigitBytes(const char* base, int start, int length) {
    return FirstNonDigit(base, start, length) > length;
}

int FirstNonDigit(const char* base, int start, int length) { return firstFailing(base, start, length, isDigit); }

void FillBuffer(char* base, int start, int length, char byte) {
    for (int i = 0; i < length; ++i) base[start - 1 + i] = byte;
}

bool HasLineBreak(const char* base, int start, int length) { return FirstLineBreak(base, start, length) <= length; }

int FirstLineBreak(const char* base, int start, int length) {
    // Every record is searched whole: memchr scans far faster than a loop.
    if (length <= 0) return length + 1;
    const char* p = base + start - 1;
    const auto* cr = static_cast<const char*>(std::memchr(p, '\r', std::size_t(length)));
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(cr ? cr - p : length)));
    const char* first = lf ? lf : cr;
    return first ? int(first - p) + 1 : length + 1;
}

QByteArray CopyFromBuffer(const char* record, int column, int length) {
    if (column <= 0 || length <= 0 || length > 256 || column + length > 65536) return QByteArray();
    const char* p = record + column - 1;
    int n = 0;
    while (n < length && p[n] != '\0') ++n;
    return QByteArray(p, n);
}

bool IsPrintableChar(unsigned char byte) {
    if (byte >= 32 && byte <= 126) return true;
    if (byte < 128) return false;
    return cp1252::Decode(QByteArray(1, char(byte))).at(0).isLetter();
}

bool IsAllPrintable(const char* base, int start, int length) {
    return FirstNonPrintable(base, start, length) > length;
}

int FirstNonPrintable(const char* base, int start, int length) {
    return firstFailing(base, start, length, inPrintableRange);
}

int LineEndKind(const char* base, int p) {
    const char a = base[p - 2];
    const char b = base[p - 1];
    if (a == '\r') return b == '\n' ? 1 : 3;
    if (a == '\n') return b == '\r' ? 2 : 4;
    return 0;
}

bool HasLineEnd(const char* record, int step, int kind) {
    switch (kind) {
    case 0: return true;
    case 1: return record[step - 2] == '\r' && record[step - 1] == '\n';
    case 2: return record[step - 2] == '\n' && record[step - 1] == '\r';
    case 3: return record[step - 1] == '\r';
    case 4: return record[step - 1] == '\n';
    default: return false;
    }
}

QString ByteToHex(unsigned char byte) {
    return QStringLiteral("%1").arg(uint(byte), 2, 16, QLatin1Char('0')).toUpper();
}

QString PrintableOrHex(unsigned char byte, bool withSuffix) {
    if (IsPrintableChar(byte)) return cp1252::Decode(QByteArray(1, char(byte)));
    return ByteToHex(byte) + (withSuffix ? QStringLiteral("(hexadecimal)") : QString());
}

}  // namespace declfile
