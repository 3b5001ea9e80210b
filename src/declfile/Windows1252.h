#pragma once
#include <QByteArray>
#include <QString>

// The declaration file is 8-bit text in the Windows code page 1252; inside the
// program text is QString. These convert at the file boundary, one byte per
// character, so columns counted in characters are columns counted in bytes.
namespace cp1252 {

// The byte of a character; '?' for a character the code page lacks.
char ToByte(QChar c);
QByteArray Encode(const QString& text);
QString Decode(const QByteArray& bytes);

}  // namespace cp1252
