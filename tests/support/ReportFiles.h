#pragma once
#include <QString>

// The text layer of a PDF file, read by pdftotext in reading order.
QString PdfText(const QString& pdfPath);
// The number of pages of a PDF file (from pdfinfo), -1 when unreadable.
int PdfPageCount(const QString& pdfPath);
// Reads a text file written by the report engine.
QString ReadTextFile(const QString& path);
