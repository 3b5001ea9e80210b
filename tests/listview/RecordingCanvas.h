// A canvas that measures 6 pixels a character and 13 a line and writes
// down what is drawn, one line of text per call.
#pragma once

#include "listview/paint/LumeCanvas.h"
#include "listview/paint/LumeColors.h"

#include <QStringList>

namespace lume::test {

class RecordingCanvas : public TLumeCanvas {
public:
    QStringList log;

    static QString R(const LumeRect& r) { return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom); }
    static QString C(TColor c) { return QStringLiteral("%1").arg(ColorToRGB(c), 6, 16, QChar('0')); }

    QSize TextExtent(const QString& text) override { return {6 * int(text.size()), 13}; }
    LumeTextMetrics TextMetrics() override { return {13, 6, 6}; }
    void FillRect(const LumeRect& r) override { log << "fill " + R(r) + " " + C(BrushColor); }
    void Rectangle(const LumeRect& r) override { log << "rect " + R(r) + " pen " + C(PenColor); }
    void RoundRect(const LumeRect& r, int radius) override { log << QStringLiteral("round %1 %2").arg(R(r)).arg(radius); }
    void Line(LumePoint a, LumePoint b) override {
        log << QStringLiteral("line %1,%2-%3,%4 %5").arg(a.X).arg(a.Y).arg(b.X).arg(b.Y).arg(C(PenColor));
    }
    void Arc(LumePoint c, int radius, int start, int sweep) override {
        log << QStringLiteral("arc %1,%2 r%3 %4+%5").arg(c.X).arg(c.Y).arg(radius).arg(start).arg(sweep);
    }
    void TextOut(int x, int y, const QString& text, const LumeRect*, bool) override {
        log << QStringLiteral("text %1,%2 %3").arg(x).arg(y).arg(text);
    }
    void DrawFocusRect(const LumeRect& r) override { log << "focus " + R(r); }
    void DrawEdge(const LumeRect& r, int edge, int flags) override {
        log << QStringLiteral("edge %1 %2 %3").arg(R(r)).arg(edge).arg(flags, 4, 16, QChar('0'));
    }
    void DrawImage(int x, int y, const QImage& image) override {
        log << QStringLiteral("image %1,%2 %3x%4").arg(x).arg(y).arg(image.width()).arg(image.height());
    }
    void ThemePart(LumeThemePart part, int state, const LumeRect& r) override {
        log << QStringLiteral("theme %1 %2 %3").arg(int(part)).arg(state).arg(R(r));
    }
    void IntersectClip(const LumeRect&) override {}
    void IntersectClipRoundRect(const LumeRect&, int) override {}
    void ExcludeClip(const LumeRect&) override {}
    void RemoveClip() override {}
    int SaveClip() override { return 0; }
    void RestoreClip(int) override {}

    QStringList Take(const QString& prefix) {
        QStringList out;
        for (const QString& l : log)
            if (l.startsWith(prefix)) out << l;
        return out;
    }
};

// Keeps the last image drawn.
class LumeImageCanvasProbe : public RecordingCanvas {
public:
    QImage last;
    void DrawImage(int x, int y, const QImage& image) override {
        last = image;
        RecordingCanvas::DrawImage(x, y, image);
    }
};

}  // namespace lume::test
