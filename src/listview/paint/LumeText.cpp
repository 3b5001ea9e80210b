#include "listview/paint/LumeText.h"

namespace lume {

QString ShortenWithEllipsis(TLumeCanvas* canvas, const QString& text, int width) {
    if (text.isEmpty() || canvas->TextExtent(text).width() <= width) return text;
    const QString ellipsis = QStringLiteral("...");
    const int ellipsisWidth = canvas->TextExtent(ellipsis).width();
    int lo = 0;
    int hi = int(text.size()) - 1;
    while (hi > lo) {
        const int mid = (lo + hi + 1) / 2;
        if (canvas->TextExtent(text.left(mid)).width() + ellipsisWidth <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo) + ellipsis;
}

namespace {

bool EndsLine(QChar c) { return c == QChar(0) || c == QChar('\r') || c == QChar('\n'); }

}  // namespace

int WrapWideTextLines(TLumeCanvas* canvas, const QString& text, int width, QStringList& lines, int maxLines) {
    lines.clear();
    if (width == 0) return 0;
    if (canvas->TextMetrics().MaxCharWidth > width) {
        if (text.isEmpty()) return 0;
        lines << text;
        return 1;
    }
    const int n = int(text.size());
    int pos = 0;
    while (pos < n && (int(lines.size()) < maxLines || maxLines == -1)) {
        const int start = pos;
        const bool lastAllowed = maxLines > 0 && int(lines.size()) == maxLines - 1;
        int i = pos;
        int running = 0;
        int lastBreak = -1;
        while (i < n && !EndsLine(text[i]) && running <= width) {
            running += canvas->TextExtent(QString(text[i])).width();
            ++i;
            if (running <= width && i < n && text[i] == QChar(' ')) lastBreak = i;
        }
        int cut = i;
        if (running > width) {
            if (lastBreak >= 0)
                cut = lastBreak;
            else if (!lastAllowed)
                cut = i - 1;
        }
        if (lastAllowed) cut = n;
        if (cut <= start && cut < n && !EndsLine(text[cut]) && text[cut] != QChar(' ')) cut = start + 1;
        lines << text.mid(start, cut - start);
        pos = cut;
        while (pos < n && (text[pos] == QChar('\r') || text[pos] == QChar('\n') || text[pos] == QChar(' '))) ++pos;
    }
    return int(lines.size());
}

namespace {

void SingleLine(TLumeCanvas* canvas, QString text, LumeRect& rect, uint32_t flags, int fontHeight) {
    LumeRect line{rect.Left, rect.Top, rect.Right, rect.Top + fontHeight};
    if (flags & wtfVCenter)
        line = line.Offset(0, (rect.Height() - fontHeight) / 2);
    else if (flags & wtfBottom)
        line = line.Offset(0, rect.Height() - fontHeight);
    if (flags & wtfEndEllipsis) text = ShortenWithEllipsis(canvas, text, line.Width());
    const int textWidth = canvas->TextExtent(text).width();
    int x = line.Left;
    if (flags & wtfCenter)
        x += (line.Width() - textWidth) / 2;
    else if (flags & wtfRight)
        x = line.Right - textWidth;
    if (!(flags & wtfCalcRect)) {
        if (text.isEmpty()) return;
        canvas->TextOut(x, line.Top, text, (flags & wtfNoClip) ? nullptr : &line, flags & wtfRtlReading);
        return;
    }
    const LumeRect given = rect;
    rect = {x, line.Top, x + textWidth, line.Bottom};
    if (given.Width() < textWidth) {
        if (flags & wtfCalcClampWidth) {
            rect.Left = given.Left;
            rect.Right = given.Right;
        }
        if (flags & wtfCalcGrowRight) rect.Right = rect.Left + textWidth;
    }
}

}  // namespace

void DrawWideTextInRect(TLumeCanvas* canvas, const QString& text, LumeRect& rect, uint32_t flags, int maxLines) {
    const LumeTextMetrics metrics = canvas->TextMetrics();
    if (flags & wtfSingleLine) {
        SingleLine(canvas, text, rect, flags, metrics.Height);
        return;
    }
    QStringList lines;
    const int count = WrapWideTextLines(canvas, text, rect.Width(), lines, maxLines);
    int offset = 0;
    if (flags & (wtfVCenter | wtfBottom)) {
        const int shown = (maxLines >= 0 && maxLines < count) ? maxLines : count;
        offset = std::max(0, rect.Height() - metrics.Height * shown);
        if (flags & wtfVCenter) offset /= 2;
    }
    if (count == 0) {
        if (flags & wtfCalcRect)
            rect = (flags & wtfCalcGrowRight) ? LumeRect{rect.Left, rect.Top, rect.Left, rect.Top + metrics.Height}
                                              : LumeRect{rect.Left, rect.Top, rect.Left + metrics.AveCharWidth, rect.Top};
        return;
    }
    // Every wrapped line is walked, empty ones too: a caption that begins
    // with a line break still shows its later lines.
    LumeRect measured;
    for (int i = 0; i < count && (i < maxLines || maxLines < 0); ++i) {
        LumeRect line{rect.Left, rect.Top + offset + i * metrics.Height, rect.Right,
                      rect.Top + offset + (i + 1) * metrics.Height};
        SingleLine(canvas, lines[i], line, flags | wtfSingleLine, metrics.Height);
        if (flags & wtfCalcRect) measured = i == 0 ? line : measured.United(line);
    }
    if (flags & wtfCalcRect) rect = measured;
}

}  // namespace lume
