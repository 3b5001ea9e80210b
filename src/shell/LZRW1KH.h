#pragma once
#include <QByteArray>
#include <optional>

// Decompression of the blocks of the older archive form. The program only
// reads such archives, so there is no compressor here.
namespace LZRW1KH {

// A block and its decompressed data never exceed this many bytes.
constexpr int kBufferSize = 32783;

// The data of one block, or nothing when the block is damaged (an item that
// runs past the block's end, a copy from before the start of the output, or
// output beyond kBufferSize).
std::optional<QByteArray> Decompress(const QByteArray& block);

}  // namespace LZRW1KH
