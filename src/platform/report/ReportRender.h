#pragma once
#include "ReportDocument.h"

#include <functional>

class QPagedPaintDevice;
class QPrinter;

namespace report {

// Pages produced one at a time: `produce` hands each page to the sink in
// order and may be called again for another pass.
struct PageSource {
    int pageCount = 0;
    std::function<void(const std::function<void(const Page&)>& sink)> produce;
};
PageSource sourceOf(const Document& document);

// Called with the number of each page as it is drawn.
using PageProgress = std::function<void(int number)>;

// Draws the pages on a device whose origin is the paper's top-left corner,
// starting a new device page between pages. The painter must be active.
void paintDocument(const Document& document, QPagedPaintDevice& device, class QPainter& painter);

// The printer or preview printer: A4 portrait, whole paper, then the pages.
void printDocument(const Document& document, QPrinter& printer);
void printPages(const PageSource& pages, QPrinter& printer, const PageProgress& progress = nullptr);

// A PDF file of the pages; false when the file cannot be written.
bool writePdf(const Document& document, const QString& fileName, const QString& title);
bool writePdf(const PageSource& pages, const QString& fileName, const QString& title,
              const PageProgress& progress = nullptr);

// Plain text at 10 characters per inch and 6 lines per inch: the texts of a
// page row by row, each at its column (or one blank after the text before
// it), pages separated by a form feed.
QString renderText(const Document& document);
bool writeText(const Document& document, const QString& fileName);

}  // namespace report
