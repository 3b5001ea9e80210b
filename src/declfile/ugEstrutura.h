#pragma once
#include <QByteArray>
#include <QString>

// Small routines over the analyser's read buffer. Positions are counted from
// 1; a slice is (start, length) from the given base address. The caller makes
// sure the slice lies inside its buffer.
namespace declfile {

// The address of a buffer position: start + offset.
inline const char* BufferAt(const char* start, qsizetype offset) { return start + offset; }
inline char* BufferAt(char* start, qsizetype offset) { return start + offset; }

// True when every byte of the slice is a decimal digit; true for an empty slice.
bool IsAllDigitBytes(const char* base, int start, int length);
// Position within the slice of the first byte that is not a digit; length + 1 when none.
int FirstNonDigit(const char* base, int start, int length);
void FillBuffer(char* base, int start, int length, char byte);
// True when the slice holds a carriage return or a line feed.
bool HasLineBreak(const char* base, int start, int length);
// Position within the slice of the first carriage return or line feed; length + 1 when none.
int FirstLineBreak(const char* base, int start, int length);

// The bytes of (column, length) of a record, ending early at a zero byte;
// empty when the column or the length is 0, the length exceeds 256, or
// column + length exceeds 65,536.
QByteArray CopyFromBuffer(const char* record, int column, int length);

// A byte in 32-126 or a letter of the Windows code page (accented letters count).
bool IsPrintableChar(unsigned char byte);
// True when every byte of the slice is in 32-126.
bool IsAllPrintable(const char* base, int start, int length);
// Position within the slice of the first byte outside 32-126; length + 1 when none.
int FirstNonPrintable(const char* base, int start, int length);

// The kind of the line end whose last byte is at position p (p >= 2): 1 CR LF,
// 2 LF CR, 3 a single CR, 4 a single LF, 0 none.
int LineEndKind(const char* base, int p);
// Whether a record of `step` bytes ends in a line end of the kind; kind 0
// (records without line ends) always does.
bool HasLineEnd(const char* record, int step, int kind);

// Two upper-case hexadecimal digits.
QString ByteToHex(unsigned char byte);
// One byte as a finding shows it: the character when IsPrintableChar, else
// its hexadecimal digits followed by "(hexadecimal)" when asked.
QString PrintableOrHex(unsigned char byte, bool withSuffix);

}  // namespace declfile
