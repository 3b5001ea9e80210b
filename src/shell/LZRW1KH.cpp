#include "LZRW1KH.h"

namespace LZRW1KH {

namespace {
constexpr unsigned char kStoredFlag = 128;
}

std::optional<QByteArray> Decompress(const QByteArray& block) {
    const auto* in = reinterpret_cast<const unsigned char*>(block.constData());
    const qsizetype size = block.size();
    if (size == 0 || size > kBufferSize) return std::nullopt;
    if (in[0] == kStoredFlag) return block.mid(1);

    QByteArray out;
    out.reserve(kBufferSize);
    qsizetype pos = 1;
    unsigned control = 0;
    int itemsLeft = 0;
    while (pos < size) {
        if (itemsLeft == 0) {
            if (pos + 2 > size) return std::nullopt;
            control = (unsigned(in[pos]) << 8) | in[pos + 1];
            pos += 2;
            itemsLeft = 16;
            // A control word may close the block when its items are used up.
            if (pos == size) break;
        }
        const bool isItem = (control & 0x8000u) != 0;
        control = (control << 1) & 0xffffu;
        --itemsLeft;
        if (!isItem) {
            out.append(char(in[pos++]));
        } else {
            if (pos + 2 > size) return std::nullopt;
            const int offset = int(in[pos]) * 16 + (in[pos + 1] >> 4);
            if (offset != 0) {
                const int count = (in[pos + 1] & 0x0f) + 3;
                pos += 2;
                if (offset > out.size()) return std::nullopt;
                // Byte by byte: the source may overlap what is being written.
                for (int i = 0; i < count; ++i) out.append(out.at(out.size() - offset));
            } else {
                if (pos + 4 > size) return std::nullopt;
                const int count = int(in[pos + 1]) * 256 + int(in[pos + 2]) + 16;
                out.append(QByteArray(count, char(in[pos + 3])));
                pos += 4;
            }
        }
        if (out.size() > kBufferSize) return std::nullopt;
    }
    return out;
}

}  // namespace LZRW1KH
