// Feeds arbitrary bytes, in memory, to the reader that splits a declaration
// file into records. Whatever the bytes, the records it gives must be the
// file itself, step by step, never more; the buffer is the real one, so a read
// past it is caught by the address sanitizer.
#include "declfile/RecordReader.h"
#include "declfile/ugClArquivo.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
void fail(const char* what) {
    std::fprintf(stderr, "record reader fuzz: %s\n", what);
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The record length of the layout, and short ones so that small inputs
    // reach the line ends, refills and the short last record.
    for (int recordLength : {declfile::kRecordLength, 7, 1}) {
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        declfile::RecordReader reader(in, bytes.size(), recordLength);
        if (!reader.Start()) {
            if (reader.HeadBytes() != qMin<qsizetype>(bytes.size(), 3 * recordLength) &&
                reader.HeadBytes() != bytes.size())
                fail("head of a short file");
            if (std::memcmp(reader.Head(), bytes.constData(), size_t(reader.HeadBytes())) != 0)
                fail("head differs from the file");
            continue;
        }
        const int step = reader.Step();
        if (step < recordLength || step > recordLength + 2) fail("step out of range");
        qint64 offset = 0;
        while (reader.Next()) {
            const int n = reader.RecordBytes();
            if (n <= 0 || n > step) fail("record size out of range");
            if (reader.BytesLeft() != bytes.size() - offset) fail("bytes left miscounted");
            if (offset + n > bytes.size() || std::memcmp(reader.Record(), bytes.constData() + offset, size_t(n)) != 0)
                fail("record differs from the file");
            // Every field of every layout stays within the record it reads.
            declfile::TArquivo field;
            for (int start = 1; start <= recordLength + 2; start += 37) {
                field.Start = start;
                field.Length = 40;
                const QString text = declfile::FieldText(reader.Record(), n, field);
                if (text.size() > field.Length) fail("field longer than its descriptor");
                for (QChar c : text)
                    if (c.unicode() < 32) fail("control character in a field");
            }
            if (n < step && reader.BytesLeft() != n) fail("a short record before the end");
            offset += n;
            if (n < step) break;
        }
        if (offset != bytes.size()) fail("records do not cover the file");
    }
    return 0;
}
