// Reading and writing the little-endian integers of the "Items" stream.
// Every read checks that the bytes are there, and every count or length is
// checked against what is left before anything is allocated.
#pragma once

#include <QIODevice>
#include <QString>
#include <cstdint>

namespace lume {

class TLumeMemoryStreamHelper {
public:
    static int32_t ReadInteger(QIODevice& stream);
    static void WriteInteger(QIODevice& stream, int32_t value);
    static uint16_t ReadWord(QIODevice& stream);
    static void WriteWord(QIODevice& stream, uint16_t value);
    static uint8_t ReadByte(QIODevice& stream);
    static void WriteByte(QIODevice& stream, uint8_t value);
    static QString ReadText(QIODevice& stream);
    static void WriteText(QIODevice& stream, const QString& text);
    // A count read from the stream, refused when negative or when count
    // records of at least minRecordSize bytes cannot fit in what is left.
    static int32_t ReadCount(QIODevice& stream, int minRecordSize);
};

}  // namespace lume
