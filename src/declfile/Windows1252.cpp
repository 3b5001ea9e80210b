#include "declfile/Windows1252.h"

namespace cp1252 {

namespace {
// Code points of the bytes 0x80-0x9F; 0 where the code page has no character.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
}  // namespace

char ToByte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return char(0x80 + i);
    return '?';
}

QByteArray Encode(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (int i = 0; i < text.size(); ++i) out[i] = ToByte(text.at(i));
    return out;
}

QString Decode(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes.at(i));
        char16_t u = b;
        if (b >= 0x80 && b < 0xA0) u = kHigh[b - 0x80] ? kHigh[b - 0x80] : char16_t(b);
        out[i] = QChar(u);
    }
    return out;
}

}  // namespace cp1252
