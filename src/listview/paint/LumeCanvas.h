// The surface the painters draw on. Coordinates are logical: WindowOrg is
// the logical point shown at the surface's top-left corner. Lines leave out
// their end point and rectangles their right and bottom edges, as LumeRect
// does. The Qt adapter draws on a QImage; tests record the calls.
#pragma once

#include "listview/LumeTypes.h"

#include <QFont>
#include <QImage>
#include <QSize>

namespace lume {

struct LumeTextMetrics {
    int Height = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

enum class LumeBrushStyle { Solid, Clear };

// Visual-style states: header items 1 normal, 2 hot, 3 pressed; check boxes
// and radio buttons 1-8 (unchecked normal, hot, pressed, disabled, then checked).
enum LumeThemePart { LumeHeaderItem, LumeCheckBox, LumeRadioButton, LumeTreeGlyphOpened, LumeTreeGlyphClosed };

class TLumeCanvas {
public:
    virtual ~TLumeCanvas() = default;

    QFont Font;
    TColor FontColor = clBlack;
    TColor BrushColor = clWindow;
    LumeBrushStyle BrushStyle = LumeBrushStyle::Solid;
    TColor PenColor = clBlack;
    LumePoint WindowOrg;

    virtual QSize TextExtent(const QString& text) = 0;
    virtual LumeTextMetrics TextMetrics() = 0;
    virtual void FillRect(const LumeRect& r) = 0;
    // Outline with the pen, filled with the brush unless it is clear.
    virtual void Rectangle(const LumeRect& r) = 0;
    virtual void RoundRect(const LumeRect& r, int radius) = 0;
    virtual void Line(LumePoint from, LumePoint to) = 0;
    // Angles counter-clockwise from the positive x axis.
    virtual void Arc(LumePoint center, int radius, int startDegrees, int sweepDegrees) = 0;
    // Text at (x, y) in the font colour, without background, clipped to clip when given.
    virtual void TextOut(int x, int y, const QString& text, const LumeRect* clip, bool rightToLeft) = 0;
    // The dotted focus frame, drawn by inverting.
    virtual void DrawFocusRect(const LumeRect& r) = 0;
    // The 3-D edge: edge 1 raised outer, 2 sunken outer, 4 raised inner, 8 sunken inner; flags 0x4000 flat.
    virtual void DrawEdge(const LumeRect& r, int edge, int flags) = 0;
    // An image with its alpha: fully transparent pixels leave the surface as it was.
    virtual void DrawImage(int x, int y, const QImage& image) = 0;
    virtual void ThemePart(LumeThemePart part, int state, const LumeRect& r) = 0;

    // Clipping, in logical coordinates.
    virtual void IntersectClip(const LumeRect& r) = 0;
    virtual void IntersectClipRoundRect(const LumeRect& r, int radius) = 0;
    virtual void ExcludeClip(const LumeRect& r) = 0;
    virtual void RemoveClip() = 0;
    // The clip in force, to be put back later; an opaque token.
    virtual int SaveClip() = 0;
    virtual void RestoreClip(int token) = 0;

    // The 32-bit pixels behind the canvas, or null; device coordinates.
    virtual QImage* Surface() { return nullptr; }
    LumePoint ToDevice(LumePoint p) const { return {p.X - WindowOrg.X, p.Y - WindowOrg.Y}; }
    LumeRect ToDevice(const LumeRect& r) const { return r.Offset(-WindowOrg.X, -WindowOrg.Y); }
};

// A list of images of one size, drawn transparently.
class TLumeImageList {
public:
    virtual ~TLumeImageList() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int Count() const = 0;
    // Draws image index (with overlay image number overlay when >= 1),
    // blended 50 % toward blendColor when blend is true.
    virtual void Draw(TLumeCanvas* canvas, int x, int y, int index, int overlay, bool blend, TColor blendColor) = 0;
};

}  // namespace lume
