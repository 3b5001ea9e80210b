#pragma once
#include <QString>

// The text layer of a PDF file, read by pdftotext in reading order.
QString PdfText(const QString& pdfPath);
// The number of pages of a PDF file (from pdfinfo), -1 when unreadable.
int PdfPageCount(const QString& pdfPath);
// Reads a text file written by the report engine.
QString ReadTextFile(const QString& path);

class QPrintPreviewDialog;
// The pages a preview dialog shows, drawn into a PDF file as the preview
// draws them; the text of that file.
QString PreviewPdfText(QPrintPreviewDialog& dialog, const QString& pdfPath);
