#pragma once
#include "declfile/ugClArquivo.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace declfile {

// Reads the records of a declaration file through a bounded buffer, so that a
// file of any size is read with the same memory. The first read decides the
// line end and so the step (bytes per record with its line end); each Next()
// moves to the next record, which holds fewer bytes than a step only at the
// end of the data. Works on any device: the analyser's copy, or bytes in
// memory.
class RecordReader {
public:
    RecordReader(QIODevice& in, qint64 size, int recordLength);

    // Reads the first block. False when the data is shorter than three
    // records: Head() then holds what was read.
    bool Start();
    int LineEnd() const { return lineEndKind_; }
    int Step() const { return step_; }

    // Moves to the next record (the first on the first call); false at the
    // end of the data.
    bool Next();
    const char* Record() const { return buffer_.constData() + cur_; }
    int RecordBytes() const { return int(qMin<qint64>(end_ - cur_, step_)); }
    // Bytes from the current record to the end of the data.
    qint64 BytesLeft() const { return end_ - cur_ + fileLeft_; }

    // The bytes of the first read; the buffer beyond them is zero-filled to
    // at least three records.
    const char* Head() const { return buffer_.constData(); }
    int HeadBytes() const { return int(end_); }

private:
    void refill();

    QIODevice& in_;
    qint64 fileLeft_;
    int recordLength_;
    qint64 bufferSize_;
    QByteArray buffer_;
    qint64 cur_ = 0;  // start of the current record
    qint64 end_ = 0;  // end of the data read
    int step_ = 0;
    int lineEndKind_ = 0;
    bool started_ = false;
};

// The text of a field of a record holding `bytes` bytes, as the analyser
// loads it: a control character (a NUL among them) reads as a blank, the
// rest as Windows-1252; a field that reaches past the record is cut there.
QString FieldText(const char* record, int bytes, const TArquivo& field);
// The bytes a field covers, cut where the record ends; a null view when it covers none.
QByteArrayView FieldSlice(const char* record, int bytes, const TArquivo& field);
// Printable ASCII only: no control byte and none above 127; FieldText takes
// such bytes as they stand.
bool IsPlainText(QByteArrayView bytes);

}  // namespace declfile
