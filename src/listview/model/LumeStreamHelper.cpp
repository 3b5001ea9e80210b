#include "listview/model/LumeStreamHelper.h"

#include "listview/LumeTypes.h"

#include <QtEndian>

namespace lume {

namespace {

void ReadExactly(QIODevice& stream, char* data, qint64 size) {
    if (stream.bytesAvailable() < size || stream.read(data, size) != size) throw EReadError();
}

void WriteExactly(QIODevice& stream, const char* data, qint64 size) {
    if (stream.write(data, size) != size) throw std::runtime_error("Stream write error");
}

}  // namespace

int32_t TLumeMemoryStreamHelper::ReadInteger(QIODevice& stream) {
    char b[4];
    ReadExactly(stream, b, 4);
    return qFromLittleEndian<qint32>(b);
}

void TLumeMemoryStreamHelper::WriteInteger(QIODevice& stream, int32_t value) {
    char b[4];
    qToLittleEndian<qint32>(value, b);
    WriteExactly(stream, b, 4);
}

uint16_t TLumeMemoryStreamHelper::ReadWord(QIODevice& stream) {
    char b[2];
    ReadExactly(stream, b, 2);
    return qFromLittleEndian<quint16>(b);
}

void TLumeMemoryStreamHelper::WriteWord(QIODevice& stream, uint16_t value) {
    char b[2];
    qToLittleEndian<quint16>(value, b);
    WriteExactly(stream, b, 2);
}

uint8_t TLumeMemoryStreamHelper::ReadByte(QIODevice& stream) {
    char b;
    ReadExactly(stream, &b, 1);
    return static_cast<uint8_t>(b);
}

void TLumeMemoryStreamHelper::WriteByte(QIODevice& stream, uint8_t value) {
    const char b = static_cast<char>(value);
    WriteExactly(stream, &b, 1);
}

int32_t TLumeMemoryStreamHelper::ReadCount(QIODevice& stream, int minRecordSize) {
    const int32_t count = ReadInteger(stream);
    if (count < 0 || qint64(count) * minRecordSize > stream.bytesAvailable()) throw EReadError();
    return count;
}

QString TLumeMemoryStreamHelper::ReadText(QIODevice& stream) {
    const int32_t length = ReadCount(stream, 2);
    QString text(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i) text[i] = QChar(ReadWord(stream));
    return text;
}

void TLumeMemoryStreamHelper::WriteText(QIODevice& stream, const QString& text) {
    WriteInteger(stream, int32_t(text.size()));
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (int i = 0; i < text.size(); ++i) qToLittleEndian<quint16>(text[i].unicode(), bytes.data() + 2 * i);
    WriteExactly(stream, bytes.constData(), bytes.size());
}

}  // namespace lume
