#include "ReportRender.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace report {

namespace {
constexpr double kCharWidth = 72.0 / 10.0;  // 10 characters per inch
constexpr double kLineHeight = 72.0 / 6.0;  // 6 lines per inch

void paintPage(const Page& page, QPainter& p) {
    // The whole page in text units (points times kFontScale), so that the
    // font is set only when it changes and no item saves the painter.
    p.save();
    p.scale(1.0 / kFontScale, 1.0 / kFontScale);
    auto scaled = [](const QRectF& r) {
        return QRectF(r.x() * kFontScale, r.y() * kFontScale, r.width() * kFontScale, r.height() * kFontScale);
    };
    bool haveFont = false;
    Font current;
    p.setPen(Qt::black);
    for (const Item& item : page.items) {
        switch (item.kind) {
        case Item::Kind::Text: {
            if (!haveFont || current.size != item.font.size || current.bold != item.font.bold ||
                current.italic != item.font.italic || current.mono != item.font.mono) {
                p.setFont(qtFont(item.font));
                current = item.font;
                haveFont = true;
            }
            p.setPen(Qt::black);
            int flags = Qt::AlignTop | Qt::TextSingleLine;
            flags |= item.align == AlignRight ? Qt::AlignRight : item.align == AlignCenter ? Qt::AlignHCenter : Qt::AlignLeft;
            p.drawText(scaled(item.rect), flags, item.text);
            break;
        }
        case Item::Kind::Line:
            p.setPen(QPen(Qt::black, item.pen * kFontScale));
            p.drawLine(item.rect.topLeft() * kFontScale, item.rect.bottomRight() * kFontScale);
            break;
        case Item::Kind::Box:
            p.setPen(item.pen > 0 ? QPen(Qt::black, item.pen * kFontScale) : QPen(Qt::NoPen));
            p.setBrush(item.fill ? QBrush(QColor(225, 225, 225)) : QBrush(Qt::NoBrush));
            p.drawRect(scaled(item.rect));
            p.setBrush(Qt::NoBrush);
            break;
        }
    }
    p.restore();
}

void setA4(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}
}  // namespace

PageSource sourceOf(const Document& document) {
    return {int(document.pages.size()), [&document](const std::function<void(const Page&)>& sink) {
                for (const Page& page : document.pages) sink(page);
            }};
}

namespace {
void paintSource(const PageSource& pages, QPagedPaintDevice& device, QPainter& painter, const PageProgress& progress) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    int n = 0;
    pages.produce([&](const Page& page) {
        if (n > 0) device.newPage();
        ++n;
        if (progress) progress(n);
        painter.save();
        painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
        paintPage(page, painter);
        painter.restore();
    });
}
}  // namespace

void printPages(const PageSource& pages, QPrinter& printer, const PageProgress& progress) {
    printer.setFullPage(true);
    setA4(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    paintSource(pages, printer, painter, progress);
    painter.end();
}

bool writePdf(const PageSource& pages, const QString& fileName, const QString& title, const PageProgress& progress) {
    QPdfWriter writer(fileName);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Lobrix"));
    writer.setResolution(300);
    setA4(writer);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paintSource(pages, writer, painter, progress);
    return painter.end();
}

void paintDocument(const Document& document, QPagedPaintDevice& device, QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0) device.newPage();
        painter.save();
        painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
        paintPage(document.pages[i], painter);
        painter.restore();
    }
}

void printDocument(const Document& document, QPrinter& printer) {
    printer.setFullPage(true);
    setA4(printer);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    paintDocument(document, printer, painter);
    painter.end();
}

bool writePdf(const Document& document, const QString& fileName, const QString& title) {
    QPdfWriter writer(fileName);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Lobrix"));
    writer.setResolution(300);
    setA4(writer);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paintDocument(document, writer, painter);
    return painter.end();
}

QString renderText(const Document& document) {
    QStringList pages;
    for (const Page& page : document.pages) {
        QList<const Item*> texts;
        for (const Item& item : page.items)
            if (item.kind == Item::Kind::Text && !item.text.trimmed().isEmpty()) texts << &item;
        std::stable_sort(texts.begin(), texts.end(), [](const Item* a, const Item* b) {
            return a->rect.y() < b->rect.y() || (a->rect.y() == b->rect.y() && a->rect.x() < b->rect.x());
        });
        QStringList lines;
        double rowTop = -1;
        double lastRowTop = 0;
        QList<const Item*> row;
        auto flush = [&]() {
            if (row.isEmpty()) return;
            std::stable_sort(row.begin(), row.end(), [](const Item* a, const Item* b) { return a->rect.x() < b->rect.x(); });
            // Blank lines for the vertical space above the row, as 6 lines per inch.
            if (!lines.isEmpty()) {
                const int gap = int(std::lround((rowTop - lastRowTop) / kLineHeight)) - 1;
                for (int i = 0; i < std::clamp(gap, 0, 3); ++i) lines << QString();
            }
            QString out;
            for (const Item* it : row) {
                const QString t = it->text.trimmed();
                int col = int(std::lround(it->rect.x() / kCharWidth));
                if (it->align == AlignRight) col = int(std::lround(it->rect.right() / kCharWidth)) - int(t.size());
                else if (it->align == AlignCenter)
                    col = int(std::lround(it->rect.center().x() / kCharWidth)) - int(t.size()) / 2;
                col = std::max(col, 0);
                if (out.size() < col) out += QString(col - out.size(), QLatin1Char(' '));
                else if (!out.isEmpty()) out += QLatin1Char(' ');
                out += t;
            }
            lines << out;
            lastRowTop = rowTop;
            row.clear();
        };
        for (const Item* it : texts) {
            if (row.isEmpty() || it->rect.y() >= rowTop + 4.0) {
                flush();
                rowTop = it->rect.y();
            }
            row << it;
        }
        flush();
        pages << lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    return pages.join(QLatin1Char('\f'));
}

bool writeText(const Document& document, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(renderText(document).toUtf8());
    return file.commit();
}

}  // namespace report
