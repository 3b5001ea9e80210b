// The drawing utilities: blends, wrapping, the ellipsis, conversion tables,
// the default pictures and the background.
#include "FakeHost.h"
#include "RecordingCanvas.h"

#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/paint/LumeText.h"

namespace lume::test {
namespace {

TEST(ListviewDrawing, ScanLineBlends) {
    const struct {
        const char* name;
        uint8_t s, d;
        int alpha, bias;
        uint8_t expected;
    } cases[] = {
        {"alpha 0 keeps the destination", 200, 50, 0, 0, 50},
        {"alpha 255 is not quite the source", 200, 50, 255, 0, (50 + 255 * 200) / 256},
        {"half way", 200, 50, 128, 0, 125},
        {"bias -1 lowers by one", 200, 50, 128, -1, 124},
        {"bias -1 leaves 0 at 0", 0, 0, 128, -1, 0},
        {"bias saturates at 255", 255, 255, 128, 10, 255},
    };
    for (const auto& c : cases) {
        uint8_t source[4] = {c.s, c.s, c.s, c.s};
        uint8_t dest[4] = {c.d, c.d, c.d, c.d};
        BlendScanLineConstantAlpha(source, dest, 1, c.alpha, c.bias);
        for (uint8_t b : dest) EXPECT_EQ(b, c.expected) << c.name;
    }
    uint8_t black[4] = {0, 0, 0, 255};
    BlendScanLineTowardColor(black, 1, 128, 0xFFFFFF);
    EXPECT_EQ(black[0], 127);
    EXPECT_EQ(black[2], 127);
    EXPECT_EQ(black[3], 127) << "the alpha byte is blended toward 0";

    uint8_t pixel[4] = {100, 100, 100, 128};  // source alpha 128
    uint8_t under[4] = {0, 0, 0, 0};
    BlendScanLineScaledPixelAlpha(pixel, under, 1, 128, 0);
    EXPECT_EQ(under[0], (100 * 64) / 256);
}

TEST(ListviewDrawing, BitmapBlendsStayInsideBothImages) {
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(qRgba(255, 255, 255, 255));
    QImage dest(4, 4, QImage::Format_ARGB32);
    dest.fill(qRgba(0, 0, 0, 255));
    // Half of the rectangle lies outside the destination: only the rest changes.
    BlendBitmapRect(&source, &dest, {0, 0, 4, 4}, {2, 2}, TBlendMode::bmConstantAlpha, 128, 0);
    EXPECT_EQ(qRed(dest.pixel(1, 1)), 0);
    EXPECT_EQ(qRed(dest.pixel(3, 3)), 127);
    BlendBitmapRect(nullptr, &dest, {-10, -10, 1, 1}, {}, TBlendMode::bmConstantAlphaAndColor, 128, 0xFFFFFF);
    EXPECT_EQ(qRed(dest.pixel(0, 0)), 127);
    QImage narrow(4, 4, QImage::Format_RGB16);
    try {
        BlendBitmapRect(&source, &narrow, {0, 0, 4, 4}, {}, TBlendMode::bmConstantAlpha, 128, 0);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Alpha blending error: bitmap must use 32 bpp.");
    }
}

TEST(ListviewDrawing, WrappingAndTheEllipsis) {
    RecordingCanvas canvas;
    const struct {
        const char* name;
        QString text;
        int width;
        int maxLines;
        QStringList lines;
    } cases[] = {
        {"two words fit", "one two six", 42, -1, {"one two", "six"}},
        {"one line takes the rest", "one two six", 42, 1, {"one two six"}},
        {"a long word breaks inside", "abcdefgh", 30, -1, {"abcde", "fgh"}},
        {"only line breaks", "\r\n\r\n", 30, -1, {""}},
        {"blank lines vanish", "ab\r\n\r\ncd", 30, -1, {"ab", "cd"}},
        {"a leading break", "\r\nab", 30, -1, {"", "ab"}},
        {"zero width", "ab", 0, -1, {}},
    };
    for (const auto& c : cases) {
        QStringList lines;
        EXPECT_EQ(WrapWideTextLines(&canvas, c.text, c.width, lines, c.maxLines), c.lines.size()) << c.name;
        EXPECT_EQ(lines, c.lines) << c.name;
    }
    EXPECT_EQ(ShortenWithEllipsis(&canvas, QStringLiteral("abcdef"), 18), QStringLiteral("..."));
    EXPECT_EQ(ShortenWithEllipsis(&canvas, QStringLiteral("abcdef"), 36), QStringLiteral("abcdef"));
    EXPECT_EQ(ShortenWithEllipsis(&canvas, QStringLiteral("abcdef"), 30), QStringLiteral("ab..."));
}

TEST(ListviewDrawing, TextInARectangle) {
    RecordingCanvas canvas;
    LumeRect r{0, 0, 60, 13};
    DrawWideTextInRect(&canvas, QStringLiteral("a caption too long"), r, wtfSingleLine | wtfEndEllipsis, 1);
    EXPECT_EQ(canvas.log, QStringList{"text 0,0 a capti..."});

    canvas.log.clear();
    r = {0, 0, 60, 40};
    DrawWideTextInRect(&canvas, QStringLiteral("ab"), r, wtfSingleLine | wtfCenter | wtfVCenter, 1);
    EXPECT_EQ(canvas.log, QStringList{"text 24,13 ab"});

    // A caption that begins with a line break still shows its next line.
    canvas.log.clear();
    r = {0, 0, 60, 40};
    DrawWideTextInRect(&canvas, QStringLiteral("\r\nsecond"), r, wtfTop, -1);
    EXPECT_EQ(canvas.Take("text"), QStringList{"text 0,13 second"});

    r = {10, 10, 20, 30};
    DrawWideTextInRect(&canvas, QStringLiteral("wide text"), r, wtfSingleLine | wtfCalcRect | wtfCalcGrowRight, 1);
    EXPECT_EQ(r, (LumeRect{10, 10, 64, 23}));
}

TEST(ListviewDrawing, ConversionTables) {
    using K = TLumeKeyState;
    using E = TLumeDropEffect;
    const struct {
        TLumeKeyStates keys;
        E effect;
    } cases[] = {
        {{K::eksControl}, E::edeCopy}, {{K::eksControl, K::eksShift}, E::edeLink},
        {{K::eksAlt}, E::edeLink},     {{K::eksShift}, E::edeMove},
        {{}, E::edeMove},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyStatesToLumeDropEffect(c.keys), c.effect);
    const TLumeDropEffects scroll = DropEffectToLumeDropEffects(0x80000000);
    EXPECT_TRUE(scroll.Has(E::edeNone) && scroll.Has(E::edeScroll));
    EXPECT_EQ(LumeDropEffectsToDropEffect({E::edeCopy, E::edeScroll}), 0x80000001u);
    EXPECT_TRUE(KeyStatesToLumeKeyStates(MK_RBUTTON | 0x20).Has(K::eksButton));
    EXPECT_TRUE(KeyStatesToLumeKeyStates(MK_RBUTTON | 0x20).Has(K::eksAlt));
    EXPECT_EQ(MouseFlagsToLumeMouseButton(MK_RBUTTON | MK_MBUTTON), TLumeMouseButton::embMiddle);
    EXPECT_EQ(CenterRectInRect({0, 0, 10, 10}, {0, 0, 4, 20}), (LumeRect{3, 0, 7, 10}));
    EXPECT_EQ(CheckBoundManager().Bound(12), CheckBoundManager().Bound(12));
}

TEST(ListviewDrawing, DefaultPicturesFollowTheirPixelTables) {
    Listview lv;
    TLumeGlobalImageManager& images = *lv->GlobalImages;
    const QImage& up = images.ColumnSortUp();
    ASSERT_EQ(up.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0) << "magenta is transparent";
    EXPECT_EQ(up.pixel(8, 4), qRgb(255, 255, 255));
    EXPECT_EQ(up.pixel(7, 5), qRgb(128, 128, 128));
    EXPECT_EQ(up.pixel(8, 5), qRgb(192, 192, 192));
    const QImage& down = images.ColumnSortDown();
    EXPECT_EQ(down.pixel(4, 4), qRgb(128, 128, 128));
    EXPECT_EQ(down.pixel(8, 11), qRgb(255, 255, 255));
    const QImage& plus = images.GroupExpandButton();
    const QImage& minus = images.GroupCollapseButton();
    ASSERT_EQ(plus.size(), QSize(9, 9));
    EXPECT_EQ(plus.pixel(4, 2), qRgb(0, 0, 0));
    EXPECT_EQ(minus.pixel(4, 2), qRgb(255, 255, 255));
    EXPECT_EQ(minus.pixel(2, 4), qRgb(0, 0, 0));
    EXPECT_EQ(plus.pixel(0, 0), qRgb(128, 128, 128));
    QImage mine(5, 5, QImage::Format_ARGB32);
    images.SetGroupExpandButton(mine);
    EXPECT_EQ(images.GroupExpandButton().size(), QSize(5, 5));
    EXPECT_EQ(images.GroupCollapseButton().size(), QSize(9, 9));
}

TEST(ListviewDrawing, BackgroundTilesBlendsAndRefusesBadPartners) {
    Listview lv;
    RecordingCanvas canvas;
    TLumeBackgroundManager& bg = *lv->BackGround();
    bg.PaintTo(&canvas, {0, 0, 100, 100}, false);
    EXPECT_TRUE(canvas.log.isEmpty());
    QImage tile(64, 64, QImage::Format_ARGB32);
    tile.fill(qRgb(0, 0, 255));
    bg.SetImage(tile);
    bg.SetEnabled(true);
    const struct {
        int offset;
        int firstX;
    } tiling[] = {{10, -54}, {-10, -10}};
    for (const auto& t : tiling) {
        canvas.log.clear();
        bg.SetOffsetX(t.offset);
        bg.PaintTo(&canvas, {0, 0, 100, 100}, false);
        const QStringList drawn = canvas.Take("image");
        ASSERT_FALSE(drawn.isEmpty());
        EXPECT_TRUE(drawn[0].startsWith(QStringLiteral("image %1,").arg(t.firstX))) << drawn[0].toStdString();
    }
    bg.SetAlphaBlend(true);
    bg.SetBlendMode(TBlendMode::bmPerPixelAlpha);
    try {
        bg.PaintTo(&canvas, {0, 0, 100, 100}, false);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Error: Background AlphaBlend mode requires an AlphaImage");
    }
    bg.SetBlendMode(TBlendMode::bmConstantAlphaAndColor);
    EXPECT_NO_THROW(bg.PaintTo(&canvas, {0, 0, 100, 100}, false)) << "the colour is the only partner";
    bg.OffsetTrack = true;
    bg.SetOffsetX(0);
    bg.TrackResize(400, 300, 420, 300);
    EXPECT_EQ(bg.OffsetX(), 20);
}

TEST(ListviewDrawing, BackgroundBlendWithBiasDoesNotDependOnTheControlColour) {
    // Blending per pixel, the control's colour used to be the bias: green
    // blackened the picture. Now the picture comes out the same for any colour.
    QImage tile(4, 4, QImage::Format_ARGB32);
    tile.fill(qRgba(200, 100, 50, 255));
    QImage partner(4, 4, QImage::Format_ARGB32);
    partner.fill(qRgba(0, 0, 0, 0));
    QImage results[2];
    const TColor colours[2] = {0xFFFFFF, 0x008000};
    for (int i = 0; i < 2; ++i) {
        Listview lv;
        lv->Color = colours[i];
        LumeImageCanvasProbe probe;
        TLumeBackgroundManager& bg = *lv->BackGround();
        bg.SetImage(tile);
        bg.SetAlphaImage(partner);
        bg.SetEnabled(true);
        bg.SetTile(false);
        bg.SetAlphaBlend(true);
        bg.SetBlendMode(TBlendMode::bmPerPixelAlpha);
        bg.PaintTo(&probe, {0, 0, 4, 4}, false);
        results[i] = probe.last;
    }
    ASSERT_FALSE(results[0].isNull());
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(qRed(results[0].pixel(1, 1)), 200);
}

}  // namespace
}  // namespace lume::test
