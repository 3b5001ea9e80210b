#include "ReportDocument.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <map>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace report {

QFont qtFont(const Font& font) {
    QFont f;
    // Arial where the reports were designed; the metric-compatible or the
    // common free faces elsewhere, so that the layout measures the same.
    f.setFamilies(font.mono ? QStringList{QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                          QStringLiteral("DejaVu Sans Mono")}
                            : QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                          QStringLiteral("DejaVu Sans")});
    f.setPixelSize(int(std::lround(font.size * kFontScale)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {
// Layout measures many cells with few fonts: their metrics are kept until the
// application object goes, while the font system they refer to still exists,
// and found without building a key text for every measure.
using MetricsCache = std::map<qint64, QFontMetricsF>;
MetricsCache* gMetrics = nullptr;

void freeMetrics() {
    delete gMetrics;
    gMetrics = nullptr;
}

const QFontMetricsF& metricsFor(const Font& font) {
    if (!gMetrics) {
        gMetrics = new MetricsCache;
        qAddPostRoutine(freeMetrics);
    }
    const qint64 key = qint64(std::lround(font.size * 100)) * 8 + (font.bold ? 1 : 0) + (font.italic ? 2 : 0) +
                       (font.mono ? 4 : 0);
    auto it = gMetrics->find(key);
    if (it == gMetrics->end()) it = gMetrics->emplace(key, QFontMetricsF(qtFont(font))).first;
    return it->second;
}

// Long reports wrap the same captions on every page: keep the lines of the
// last few thousand texts measured.
struct WrapKey {
    QString text;
    qint64 width;
    qint64 font;
    bool operator==(const WrapKey& o) const { return width == o.width && font == o.font && text == o.text; }
};
size_t qHash(const WrapKey& k, size_t seed = 0) { return qHashMulti(seed, k.text, k.width, k.font); }
}  // namespace

Canvas::Canvas(Document& document) : document_(document) {}

Page& Canvas::current() {
    if (pageIndex_ < 0) newPage();
    return document_.pages[pageIndex_ - firstHeld_];
}

void Canvas::flushHeld(bool includingCurrent) {
    const int held = int(document_.pages.size()) - (includingCurrent ? 0 : 1);
    if (held <= 0) return;
    const int saved = pageIndex_;
    const int count = knownPageCount_ > 0 ? knownPageCount_ : pagesBegun_;
    for (int i = 0; i < held; ++i) {
        pageIndex_ = firstHeld_ + i;
        if (footer_) footer_(*this, pageIndex_ + 1, count);
        sink_(document_.pages[i], pageIndex_ + 1);
    }
    pageIndex_ = saved;
    document_.pages.erase(document_.pages.begin(), document_.pages.begin() + held);
    firstHeld_ += held;
}

void Canvas::newPage() {
    // The page before is finished: with a sink and a known footer it leaves now.
    if (sink_ && footer_ && pageIndex_ >= 0) flushHeld(true);
    document_.pages.append(Page{});
    pageIndex_ = pagesBegun_++;
    y = top();
    if (inHeader_) return;
    inHeader_ = true;
    if (header_) header_(*this);
    if (repeat_) repeat_(*this);
    inHeader_ = false;
    contentTop_ = y;
}

void Canvas::ensureSpace(double height) {
    if (pageIndex_ < 0) {
        newPage();
        return;
    }
    // A block taller than a whole page goes where it is rather than breaking forever.
    if (y + height > bottom() && y > contentTop_ + 0.01) newPage();
}

void Canvas::text(double x, double topY, double w, const QString& s, const Font& font, int align) {
    Item item;
    item.kind = Item::Kind::Text;
    item.rect = QRectF(x, topY, w, lineHeight(font));
    item.text = s;
    item.font = font;
    item.align = align;
    current().items.append(item);
}

void Canvas::line(double x1, double y1, double x2, double y2, double pen) {
    Item item;
    item.kind = Item::Kind::Line;
    item.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    item.pen = pen;
    current().items.append(item);
}

void Canvas::box(const QRectF& rect, bool fill, double pen) {
    Item item;
    item.kind = Item::Kind::Box;
    item.rect = rect;
    item.fill = fill;
    item.pen = pen;
    current().items.append(item);
}

double Canvas::lineHeight(const Font& font) const { return metricsFor(font).lineSpacing() / kFontScale; }

double Canvas::textWidth(const QString& s, const Font& font) const {
    return metricsFor(font).horizontalAdvance(s) / kFontScale;
}

QStringList Canvas::wrap(const QString& s, double w, const Font& font) const {
    static QHash<WrapKey, QStringList> cache;
    const WrapKey key{s, qint64(std::lround(w * 100)),
                      qint64(std::lround(font.size * 100)) * 8 + (font.bold ? 1 : 0) + (font.italic ? 2 : 0) + (font.mono ? 4 : 0)};
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    if (cache.size() > 20000) cache.clear();
    QStringList out = wrapUncached(s, w, font);
    cache.insert(key, out);
    return out;
}

QStringList Canvas::wrapUncached(const QString& s, double w, const Font& font) const {
    QStringList out;
    for (const QString& para : s.split(QLatin1Char('\n'))) {
        QString cur;
        bool has = false;
        for (QString word : para.split(QLatin1Char(' '))) {
            const QString candidate = has ? cur + QLatin1Char(' ') + word : word;
            if (textWidth(candidate, font) <= w) {
                cur = candidate;
                has = true;
                continue;
            }
            if (has) out << cur;
            // A word wider than the column is broken where it no longer fits.
            while (word.size() > 1 && textWidth(word, font) > w) {
                int n = word.size() - 1;
                while (n > 1 && textWidth(word.left(n), font) > w) --n;
                out << word.left(n);
                word = word.mid(n);
            }
            cur = word;
            has = true;
        }
        out << cur;
    }
    return out;
}

void Canvas::paragraph(const QString& s, const Font& font, double x, double w, int align) {
    if (x < 0) x = left();
    if (w < 0) w = right() - x;
    const double lh = lineHeight(font);
    for (const QString& l : wrap(s, w, font)) {
        ensureSpace(lh);
        text(x, y, w, l, font, align);
        y += lh;
    }
}

QList<Column> Canvas::fitTitles(QList<Column> columns, const QStringList& titles, const Font& font) const {
    // The narrowest each column may be: its title's widest word.
    QList<double> need;
    double missing = 0, spare = 0;
    for (int i = 0; i < columns.size(); ++i) {
        double widest = 0;
        for (const QString& word : titles.value(i).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widest = std::max(widest, textWidth(word, font));
        need << widest + 2 * kCellPad + 0.5;
        const double room = columns[i].width - need.last();
        if (room < 0) missing -= room;
        else spare += room;
    }
    if (missing <= 0 || spare <= 0) return columns;
    // Columns with room give in proportion to their room, as much as the
    // others lack (or all of it, when that is not enough).
    const double give = std::min(1.0, missing / spare);
    const double get = std::min(1.0, spare / missing);
    for (int i = 0; i < columns.size(); ++i) {
        const double room = columns[i].width - need[i];
        columns[i].width += room < 0 ? -room * get : -room * give;
    }
    return columns;
}

void Canvas::tableRow(const QList<Column>& columns, const QStringList& cells, const Font& font, bool shaded) {
    constexpr double pad = kCellPad;
    const double lh = lineHeight(font);
    QList<QStringList> wrapped;
    int lines = 1;
    for (int i = 0; i < columns.size(); ++i) {
        const QString cell = i < cells.size() ? cells[i] : QString();
        wrapped << wrap(cell, columns[i].width - 2 * pad, font);
        lines = std::max(lines, int(wrapped.last().size()));
    }
    const double height = lines * lh + 2 * pad;
    ensureSpace(height);
    double total = 0;
    for (const Column& c : columns) total += c.width;
    if (shaded) box(QRectF(left(), y, total, height), true, 0);
    double x = left();
    for (int i = 0; i < columns.size(); ++i) {
        double ly = y + pad;
        for (const QString& l : wrapped[i]) {
            if (!l.isEmpty()) text(x + pad, ly, columns[i].width - 2 * pad, l, font, columns[i].align);
            ly += lh;
        }
        x += columns[i].width;
    }
    y += height;
}

void Canvas::finish(const Footer& footer) {
    if (pagesBegun_ == 0) newPage();
    if (sink_) {
        footer_ = footer;
        flushHeld(true);
        return;
    }
    const int count = pageCount();
    const int saved = pageIndex_;
    if (footer)
        for (int i = 0; i < count; ++i) {
            pageIndex_ = i;
            footer(*this, i + 1, count);
        }
    pageIndex_ = saved;
}

}  // namespace report
