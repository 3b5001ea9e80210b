// Feeds arbitrary bytes, in memory, as one record to the field reader and the
// buffer routines of the structure analyser, through every field descriptor
// of both layouts. The record sits in a buffer of exactly its size, so a read
// past it is caught by the address sanitizer.
#include "declfile/RecordReader.h"
#include "declfile/ugClArquivo.h"
#include "declfile/ugEstrutura.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "field reader fuzz: %s\n", what);
    std::abort();
}

const declfile::TLayoutDescriptors& layout(bool year2008) {
    static const auto layouts = [] {
        auto both = std::make_unique<declfile::TLayoutDescriptors[]>(2);
        declfile::FillDescriptors(both[0], false);
        declfile::FillDescriptors(both[1], true);
        return both;
    }();
    return layouts[year2008 ? 1 : 0];
}

void checkField(const char* record, int bytes, const declfile::TArquivo& d) {
    const QString text = declfile::FieldText(record, bytes, d);
    if (text.size() > d.Length) fail("field longer than its descriptor");
    if (d.Start > bytes && !text.isEmpty()) fail("field read past the record");
    for (QChar c : text)
        if (c.unicode() < 32) fail("control character in a field");
    if (d.Start <= 0 || d.Length <= 0 || d.Start > bytes) return;
    const int n = qMin(d.Length, bytes - d.Start + 1);
    // The buffer routines over the same slice.
    const int digit = declfile::FirstNonDigit(record, d.Start, n);
    if (digit < 1 || digit > n + 1) fail("first non-digit out of range");
    if ((digit > n) != declfile::IsAllDigitBytes(record, d.Start, n)) fail("digits disagree");
    const int printable = declfile::FirstNonPrintable(record, d.Start, n);
    if (printable < 1 || printable > n + 1) fail("first non-printable out of range");
    const int lineBreak = declfile::FirstLineBreak(record, d.Start, n);
    if (lineBreak < 1 || lineBreak > n + 1) fail("first line break out of range");
    if (lineBreak <= n && printable > lineBreak) fail("a line break counted as printable");
    const QByteArray copied = declfile::CopyFromBuffer(record, d.Start, n);
    if (copied.size() > n) fail("copy longer than its slice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    const int bytes = int(size);
    // Exactly the record's bytes on the heap: nothing to read beyond.
    std::unique_ptr<char[]> record(new char[size ? size : 1]);
    if (size) std::memcpy(record.get(), data, size);
    for (bool year2008 : {false, true}) {
        const declfile::TLayoutDescriptors& l = layout(year2008);
        for (char type : {'0', '1', '2', '9'})
            for (int slot = 1;; ++slot) {
                const declfile::TArquivo* d = declfile::DescriptorOf(l, type, slot);
                if (!d) break;
                checkField(record.get(), bytes, *d);
            }
    }
    for (int i = 0; i < bytes; ++i) {
        const auto b = static_cast<unsigned char>(record[i]);
        const QString shown = declfile::PrintableOrHex(b, true);
        if (shown.isEmpty()) fail("byte shown as nothing");
        if (i >= 1) {
            const int kind = declfile::LineEndKind(record.get(), i + 1);
            if (kind < 0 || kind > 4) fail("line end kind out of range");
            if (!declfile::HasLineEnd(record.get(), i + 1, 0)) fail("kind 0 must always hold");
        }
    }
    return 0;
}
