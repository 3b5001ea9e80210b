#include "listview/paint/LumeBlend.h"

#include "listview/paint/LumeCanvas.h"
#include "listview/paint/LumeColors.h"
#include "listview/LumeListview.h"

#include <algorithm>
#include <cstring>

namespace lume {

namespace {

// Two bytes at a time in 16-bit halves of a 32-bit word: each lane holds at
// most 255 x 256, so no lane spills into the next and every byte comes out
// as (d x (256 - a) + s x a) >> 8.
inline uint32_t BlendPixel(uint32_t s, uint32_t d, uint32_t a) {
    const uint32_t keep = 256 - a;
    const uint32_t rb = (((d & 0x00FF00FFu) * keep + (s & 0x00FF00FFu) * a) >> 8) & 0x00FF00FFu;
    const uint32_t ag = (((d >> 8) & 0x00FF00FFu) * keep + ((s >> 8) & 0x00FF00FFu) * a) & 0xFF00FF00u;
    return rb | ag;
}

// One byte of a blend in a 16-bit lane.
inline int BlendByte(int s, int d, int a) {
    const uint16_t v = uint16_t((d << 8) + uint16_t((s - d) * a));
    return v >> 8;
}

inline uint8_t WithBias(int v, int bias) {
    const int16_t t = int16_t(v - 128);
    const int u = std::clamp(int(t) + int(int16_t(bias)), -32768, 32767);
    const int16_t w = int16_t(uint16_t(u + 128));
    return uint8_t(std::clamp(int(w), 0, 255));
}

}  // namespace

void BlendScanLineConstantAlpha(const uint8_t* source, uint8_t* dest, int count, int alpha, int bias) {
    bias = int16_t(bias);  // only the low 16 bits count
    const int a = uint16_t(alpha);
    const int n = count * 4;
    if (bias == 0 && a <= 256) {
        // Without a bias the stored byte is the lane's high byte.
        // (d << 8) + (s - d) * a cannot wrap here: it is d * (256 - a) + s * a.
        const int keep = 256 - a;
        for (int i = 0; i < n; ++i) dest[i] = uint8_t((dest[i] * keep + source[i] * a) >> 8);
        return;
    }
    for (int i = 0; i < n; ++i) dest[i] = WithBias(BlendByte(source[i], dest[i], a), bias);
}

void BlendScanLinePixelAlpha(const uint8_t* source, uint8_t* dest, int count, int bias) {
    bias = int16_t(bias);
    if (bias == 0) {
        for (int p = 0; p < count; ++p) {
            uint32_t sp, dp;
            std::memcpy(&sp, source + 4 * p, 4);
            std::memcpy(&dp, dest + 4 * p, 4);
            dp = BlendPixel(sp, dp, source[4 * p + 3]);
            std::memcpy(dest + 4 * p, &dp, 4);
        }
        return;
    }
    for (int p = 0; p < count; ++p) {
        const int a = source[4 * p + 3];
        for (int b = 0; b < 4; ++b) {
            const int v = BlendByte(source[4 * p + b], dest[4 * p + b], a);
            dest[4 * p + b] = bias == 0 ? uint8_t(v) : WithBias(v, bias);
        }
    }
}

void BlendScanLineScaledPixelAlpha(const uint8_t* source, uint8_t* dest, int count, int masterAlpha, int bias) {
    bias = int16_t(bias);
    const int master = uint16_t(masterAlpha);
    if (bias == 0 && master <= 256) {
        uint8_t table[256];
        for (int v = 0; v < 256; ++v) table[v] = uint8_t((v * master) >> 8);
        for (int p = 0; p < count; ++p) {
            uint32_t sp, dp;
            std::memcpy(&sp, source + 4 * p, 4);
            std::memcpy(&dp, dest + 4 * p, 4);
            dp = BlendPixel(sp, dp, table[source[4 * p + 3]]);
            std::memcpy(dest + 4 * p, &dp, 4);
        }
        return;
    }
    for (int p = 0; p < count; ++p) {
        const int a = uint16_t(source[4 * p + 3] * uint16_t(masterAlpha)) >> 8;
        for (int b = 0; b < 4; ++b) {
            const int v = BlendByte(source[4 * p + b], dest[4 * p + b], a);
            dest[4 * p + b] = bias == 0 ? uint8_t(v) : WithBias(v, bias);
        }
    }
}

void BlendScanLineTowardColor(uint8_t* dest, int count, int alpha, TColor color) {
    const int a = uint16_t(alpha);
    const int c[4] = {int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF), 0};
    if (a <= 256) {
        // The sum stays within 0..255 * 256: the shift is the division.
        const int ca[4] = {c[0] * a, c[1] * a, c[2] * a, 0};
        const int keep = 256 - a;
        for (int p = 0; p < count; ++p)
            for (int b = 0; b < 4; ++b) dest[4 * p + b] = uint8_t((dest[4 * p + b] * keep + ca[b]) >> 8);
        return;
    }
    for (int p = 0; p < count; ++p)
        for (int b = 0; b < 4; ++b) {
            const int v = (dest[4 * p + b] * (256 - a) + c[b] * a) / 256;
            dest[4 * p + b] = uint8_t(std::clamp(v, 0, 255));
        }
}

namespace {

void Check32(const QImage* image) {
    if (!image || image->isNull()) throw EAssertionFailed("Alpha blending DC error: no bitmap available.");
    if (image->depth() != 32) throw EAssertionFailed("Alpha blending error: bitmap must use 32 bpp.");
}

}  // namespace

void BlendBitmapRect(const QImage* source, QImage* dest, LumeRect sourceRect, LumePoint destPoint, TBlendMode mode,
                     int alpha, int biasOrColor) {
    if (sourceRect.IsEmpty()) return;
    Check32(dest);
    const LumeRect destBounds{0, 0, dest->width(), dest->height()};
    if (mode == TBlendMode::bmConstantAlphaAndColor) {
        const LumeRect r = sourceRect.Intersected(destBounds);
        for (int y = r.Top; y < r.Bottom; ++y)
            BlendScanLineTowardColor(dest->scanLine(y) + 4 * r.Left, r.Width(), alpha, TColor(biasOrColor));
        return;
    }
    if (mode != TBlendMode::bmConstantAlpha && mode != TBlendMode::bmPerPixelAlpha && mode != TBlendMode::bmMasterAlpha)
        return;
    Check32(source);
    // Clip the source to its image, then the matching destination to its own.
    const LumeRect sourceBounds{0, 0, source->width(), source->height()};
    LumeRect src = sourceRect.Intersected(sourceBounds);
    if (src.IsEmpty()) return;
    const int dx = destPoint.X - sourceRect.Left;
    const int dy = destPoint.Y - sourceRect.Top;
    const LumeRect dst = src.Offset(dx, dy).Intersected(destBounds);
    if (dst.IsEmpty()) return;
    src = dst.Offset(-dx, -dy);
    for (int i = 0; i < src.Height(); ++i) {
        const uint8_t* s = source->constScanLine(src.Top + i) + 4 * src.Left;
        uint8_t* d = dest->scanLine(dst.Top + i) + 4 * dst.Left;
        switch (mode) {
        case TBlendMode::bmConstantAlpha: BlendScanLineConstantAlpha(s, d, src.Width(), alpha, biasOrColor); break;
        case TBlendMode::bmPerPixelAlpha: BlendScanLinePixelAlpha(s, d, src.Width(), biasOrColor); break;
        case TBlendMode::bmMasterAlpha: BlendScanLineScaledPixelAlpha(s, d, src.Width(), alpha, biasOrColor); break;
        default: break;
        }
    }
}

void TLumeAlphaBlender::GetBlendParams(TCustomLumeListview* listview, TLumeItem* item, bool& doBlend, TColor& color,
                                       int& alpha) {
    doBlend = false;
    color = 0;
    alpha = 0;
    if (!listview || !item) return;
    const bool focused = listview->Focused();
    if (focused) {
        if (item->Enabled()) {
            alpha = listview->Selection()->BlendAlphaImage;
            color = listview->Selection()->Color;
        } else {
            alpha = listview->DisabledBlendAlpha;
            color = listview->DisabledBlendColor;
        }
    } else {
        alpha = listview->DisabledBlendAlpha;
        color = listview->Selection()->InactiveColor;
    }
    doBlend = item->Selected() || item->DropTarget() || (!item->Enabled() && focused);
}

void TLumeAlphaBlender::Blend(TCustomLumeListview* listview, TLumeItem* item, TLumeCanvas* canvas,
                              const LumeRect& rect, const QImage& bitmap) {
    if (rect.IsEmpty() || !canvas) return;
    bool doBlend;
    TColor color;
    int alpha;
    GetBlendParams(listview, item, doBlend, color, alpha);
    const int x = rect.Left + (rect.Width() - bitmap.width()) / 2;
    const int y = rect.Top + (rect.Height() - bitmap.height()) / 2;
    if (doBlend && CpuSupportsMmx()) {
        QImage copy = bitmap.convertToFormat(QImage::Format_ARGB32);
        const QImage mask = copy.copy();
        BlendBitmapRect(nullptr, &copy, {0, 0, copy.width(), copy.height()}, {}, TBlendMode::bmConstantAlphaAndColor,
                        alpha, int(ColorToRGB(color)));
        // The blend touches the alpha byte too; the mask decides what shows.
        for (int py = 0; py < copy.height(); ++py)
            for (int px = 0; px < copy.width(); ++px)
                copy.setPixel(px, py, qAlpha(mask.pixel(px, py)) == 0 ? 0u : (copy.pixel(px, py) | 0xFF000000u));
        canvas->DrawImage(x, y, copy);
        return;
    }
    canvas->DrawImage(x, y, bitmap);
}

TLumeAlphaBlender& AlphaBlender() {
    static TLumeAlphaBlender blender;
    return blender;
}

}  // namespace lume
