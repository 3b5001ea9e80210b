#pragma once
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

namespace report {

// Positions and sizes are in points (1/72 inch) from the top-left corner of
// an A4 portrait page.
inline constexpr double kPageWidth = 595.28;
inline constexpr double kPageHeight = 841.89;
inline constexpr double kMargin = 42.5;  // 15 mm
inline constexpr double kCellPad = 2.0;  // each side of a table cell

struct Font {
    double size = 9.0;
    bool bold = false;
    bool italic = false;
    bool mono = false;
};

enum Align { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

struct Item {
    enum class Kind { Text, Line, Box };
    Kind kind = Kind::Text;
    QRectF rect;       // a line runs from rect.topLeft() to rect.bottomRight()
    QString text;      // one line of text, already fitted to its width
    Font font;
    int align = AlignLeft;
    double pen = 0.5;
    bool fill = false;  // a box shaded light grey
};

struct Page {
    QList<Item> items;
};

// The laid-out pages of one report run; every destination draws these.
struct Document {
    QList<Page> pages;
};

// One column of a table laid out by Canvas::tableRow.
struct Column {
    double width = 0;  // points
    int align = AlignLeft;
};

// Lays out a report: a cursor that moves down the page, page breaks that
// repeat the page header, text measured with the fonts the pages are drawn
// with, and a footer added once the number of pages is known.
class Canvas {
public:
    explicit Canvas(Document& document);

    double left() const { return kMargin; }
    double right() const { return kPageWidth - kMargin; }
    double top() const { return kMargin; }
    double bottom() const { return kPageHeight - kMargin - footerSpace_; }
    double width() const { return right() - left(); }

    // Drawn at the top of every page, starting from top(); it leaves y below it.
    void setPageHeader(std::function<void(Canvas&)> header) { header_ = std::move(header); }
    // Drawn below the page header on every page after the one it was set on
    // (the column titles of a table that runs over several pages).
    void setRepeatHeader(std::function<void(Canvas&)> header) { repeat_ = std::move(header); }

    void newPage();
    // Starts a new page when the space left is below the height.
    void ensureSpace(double height);
    double y = kMargin;

    void text(double x, double top, double width, const QString& text, const Font& font, int align = AlignLeft);
    void line(double x1, double y1, double x2, double y2, double pen = 0.5);
    void box(const QRectF& rect, bool fill, double pen = 0.5);

    // A paragraph over the full width (or from x with the given width),
    // wrapped and placed at the cursor; moves the cursor below it.
    void paragraph(const QString& text, const Font& font, double x = -1, double width = -1, int align = AlignLeft);
    // One table row at the cursor: each cell wrapped within its column, the
    // row kept on one page; moves the cursor below it.
    void tableRow(const QList<Column>& columns, const QStringList& cells, const Font& font, bool shaded = false);
    // The columns of a table widened where a word of their title would not
    // fit (tableRow would break it inside), the width taken from columns with
    // room to spare; the table keeps its total width.
    QList<Column> fitTitles(QList<Column> columns, const QStringList& titles, const Font& font) const;

    double lineHeight(const Font& font) const;
    double textWidth(const QString& text, const Font& font) const;
    QStringList wrap(const QString& text, double width, const Font& font) const;

    using Footer = std::function<void(Canvas&, int page, int pageCount)>;
    // Adds the footer of every page once the layout is done.
    void finish(const Footer& footer);
    // The footer of every page, known before the pages are laid out: with a
    // page sink each page then leaves the canvas as soon as the next begins.
    void setFooter(Footer footer) { footer_ = std::move(footer); }
    void finish() { finish(footer_); }
    // Pages begun so far (all of them once the layout is done).
    int pageCount() const { return pagesBegun_; }

    // Streaming: every finished page goes to the sink and leaves the document.
    // Pages wait until a footer is set; `knownPageCount` is the number the
    // footers print (counted by an earlier layout of the same report).
    using PageSink = std::function<void(const Page& page, int number)>;
    void setPageSink(PageSink sink, int knownPageCount) {
        sink_ = std::move(sink);
        knownPageCount_ = knownPageCount;
    }

private:
    Page& current();
    void flushHeld(bool includingCurrent);
    QStringList wrapUncached(const QString& text, double width, const Font& font) const;
    Document& document_;
    Footer footer_;
    PageSink sink_;
    int knownPageCount_ = 0;
    int pagesBegun_ = 0;
    int firstHeld_ = 0;  // number (from 0) of document_.pages[0]
    std::function<void(Canvas&)> header_;
    std::function<void(Canvas&)> repeat_;
    int pageIndex_ = -1;
    double footerSpace_ = 24.0;
    double contentTop_ = kMargin;
    bool inHeader_ = false;
};

// The Qt font a report font is measured and drawn with: its pixel size is
// ten times the point size, so that hinting does not spoil the measures.
inline constexpr double kFontScale = 10.0;
QFont qtFont(const Font& font);

}  // namespace report
