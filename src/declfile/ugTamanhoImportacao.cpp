#include "declfile/ugTamanhoImportacao.h"

#include "declfile/ugClArquivo.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugEstrutura.h"

#include <QFile>

namespace declfile {

namespace {

constexpr int kCountColumn = 30;
constexpr int kCountLength = 6;

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1A' || c == '\0'; }

bool IsBlank(const QByteArray& bytes) {
    for (char c : bytes)
        if (!IsBlankByte(c)) return false;
    return true;
}

std::optional<qint64> CountOf(QByteArray record) {
    // A line's own end is not part of its characters.
    while (!record.isEmpty() && (record.endsWith('\r') || record.endsWith('\n'))) record.chop(1);
    if (record.size() <= kCountColumn + kCountLength - 1) return std::nullopt;
    const char* base = record.constData();
    if (!IsAllDigitBytes(base, kCountColumn, kCountLength)) return std::nullopt;
    return record.mid(kCountColumn - 1, kCountLength).toLongLong();
}

// Files whose records are not of the layout's length: the last non-blank
// line as text, whatever ends it.
std::optional<qint64> CountOfLastLine(const QByteArray& data) {
    QByteArray last;
    qsizetype start = 0;
    while (start <= data.size()) {
        qsizetype end = start;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n') ++end;
        const QByteArray line = data.mid(start, end - start);
        if (!IsBlank(line)) last = line;
        if (end >= data.size()) break;
        start = end + ((data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n') ? 2 : 1);
    }
    return CountOf(last);
}

}  // namespace

TrailerCount TrailerContractCount(const QString& fileName) {
    TrailerCount result;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return result;
    const qint64 size = file.size();
    // A file larger than any declaration is not read for its trailer (the
    // walk could read gigabytes): the analysis refuses it at its first
    // record or by its size.
    if (size > MaxDeclarationBytes(kRecordLength + 2)) {
        result.readable = true;
        return result;
    }
    const int probe = kRecordLength + 2;
    QByteArray head = file.read(qMin<qint64>(size, probe));
    if (head.size() != qMin<qint64>(size, probe)) return result;

    int kind = -1;
    if (head.size() == probe) {
        kind = LineEndKind(head.constData(), probe);
        // Without a line end after the first record, records run on only when
        // that record holds no line break of its own; otherwise the lines are
        // of another length and are read as lines.
        if (kind == 0 && HasLineBreak(head.constData(), 1, kRecordLength)) kind = -1;
    }
    if (kind < 0) {
        const QByteArray rest = file.readAll();
        if (file.error() != QFileDevice::NoError) return result;
        result.readable = true;
        result.contracts = CountOfLastLine(head + rest);
        return result;
    }

    const int step = kind == 0 ? kRecordLength : (kind <= 2 ? kRecordLength + 2 : kRecordLength + 1);
    // Walk back from the last record start over blank tails (line ends, the
    // end-of-file mark) to the last record with text.
    for (qint64 at = ((size - 1) / step) * step; at >= 0; at -= step) {
        if (!file.seek(at)) return result;
        const QByteArray record = file.read(qMin<qint64>(kRecordLength, size - at));
        if (record.isEmpty() && size - at > 0) return result;
        if (IsBlank(record)) continue;
        result.readable = true;
        result.contracts = CountOf(record);
        return result;
    }
    result.readable = true;
    return result;
}

}  // namespace declfile
