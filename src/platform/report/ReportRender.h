#pragma once
#include "ReportDocument.h"

class QPagedPaintDevice;
class QPrinter;

namespace report {

// Draws the pages on a device whose origin is the paper's top-left corner,
// starting a new device page between pages. The painter must be active.
void paintDocument(const Document& document, QPagedPaintDevice& device, class QPainter& painter);

// The printer or preview printer: A4 portrait, whole paper, then the pages.
void printDocument(const Document& document, QPrinter& printer);

// A PDF file of the pages; false when the file cannot be written.
bool writePdf(const Document& document, const QString& fileName, const QString& title);

// Plain text at 10 characters per inch and 6 lines per inch: the texts of a
// page row by row, each at its column (or one blank after the text before
// it), pages separated by a form feed.
QString renderText(const Document& document);
bool writeText(const Document& document, const QString& fileName);

}  // namespace report
