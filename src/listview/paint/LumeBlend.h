// Alpha blending of 32-bit pixels (bytes B, G, R, A), with the exact
// integer arithmetic of the 16-bit-lane routines: every division truncates,
// saturation only where the bias is added.
#pragma once

#include "listview/LumeTypes.h"

#include <QImage>
#include <cstdint>

namespace lume {

class TCustomLumeListview;
class TLumeItem;
class TLumeCanvas;

enum class TBlendMode { bmConstantAlpha, bmPerPixelAlpha, bmMasterAlpha, bmConstantAlphaAndColor };

// The blends run in plain integer code everywhere.
inline bool CpuSupportsMmx() { return true; }

void BlendScanLineConstantAlpha(const uint8_t* source, uint8_t* dest, int count, int alpha, int bias);
void BlendScanLinePixelAlpha(const uint8_t* source, uint8_t* dest, int count, int bias);
void BlendScanLineScaledPixelAlpha(const uint8_t* source, uint8_t* dest, int count, int masterAlpha, int bias);
void BlendScanLineTowardColor(uint8_t* dest, int count, int alpha, TColor color);

// Blends sourceRect of source onto dest at destPoint, in place. In
// bmConstantAlphaAndColor source is not used, sourceRect lies in dest and
// biasOrColor is the colour (RGB). Both images must have 32 bits per pixel
// ("Alpha blending error: bitmap must use 32 bpp."; a null image: "Alpha
// blending DC error: no bitmap available."). Rectangles are clipped to
// both images, so nothing outside them is touched.
void BlendBitmapRect(const QImage* source, QImage* dest, LumeRect sourceRect, LumePoint destPoint, TBlendMode mode,
                     int alpha, int biasOrColor);

// Draws an image the way a selected or disabled item shows it.
class TLumeAlphaBlender {
public:
    virtual ~TLumeAlphaBlender() = default;
    void GetBlendParams(TCustomLumeListview* listview, TLumeItem* item, bool& doBlend, TColor& color, int& alpha);
    virtual void Blend(TCustomLumeListview* listview, TLumeItem* item, TLumeCanvas* canvas, const LumeRect& rect,
                       const QImage& bitmap);
};

TLumeAlphaBlender& AlphaBlender();

}  // namespace lume
