// The list view's drawing utilities at full size: each blend mode over a
// 1920 x 1080 image beside QPainter filling the same rectangle with a
// translucent colour, and 100,000 captions shortened to 100 pixels with
// "..." beside QFontMetrics::elidedText on the same captions, in the same
// run. Targets: blends within 5 x and shortening within 3 x of those; a
// full-size blend under 30 ms on two cores.
#include "listview/paint/LumeBlend.h"
#include "listview/paint/LumeText.h"
#include "listview/qt/LumeQtCanvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include "ListviewBenchClock.h"

#include <cstdio>
#include <ctime>

using namespace lume;

namespace {

using lume::bench::CpuMs;

template <typename F>
double Best(int runs, F f) {
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        const double start = CpuMs();
        f();
        best = std::min(best, CpuMs() - start);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QImage source(1920, 1080, QImage::Format_ARGB32);
    QImage dest(1920, 1080, QImage::Format_ARGB32);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) {
            source.setPixel(x, y, qRgba(x & 255, y & 255, (x + y) & 255, (x * y) & 255));
            dest.setPixel(x, y, qRgba(y & 255, x & 255, 128, 255));
        }
    const LumeRect all{0, 0, 1920, 1080};
    const double painter = Best(5, [&] {
        QPainter p(&dest);
        p.fillRect(dest.rect(), QColor(0, 0, 255, 128));
    });
    std::printf("QPainter translucent fill 1920x1080   %7.2f ms\n", painter);
    const struct {
        const char* name;
        TBlendMode mode;
    } modes[] = {{"constant alpha", TBlendMode::bmConstantAlpha},
                 {"per-pixel alpha", TBlendMode::bmPerPixelAlpha},
                 {"master alpha", TBlendMode::bmMasterAlpha},
                 {"toward a colour", TBlendMode::bmConstantAlphaAndColor}};
    for (const auto& m : modes) {
        const double t = Best(5, [&] { BlendBitmapRect(&source, &dest, all, {0, 0}, m.mode, 128, 0xFF0000); });
        std::printf("blend %-16s 1920x1080   %7.2f ms   ratio %.2f\n", m.name, t, t / painter);
    }

    QStringList captions;
    for (int i = 0; i < 100000; ++i)
        captions << QStringLiteral("EMPRESA EXEMPLO DE NOME COMPRIDO %1 COMERCIO E SERVICOS LTDA").arg(i);
    QImage surface(10, 10, QImage::Format_RGB32);
    LumeQtCanvas canvas(&surface);
    const QFontMetrics metrics(canvas.Font);
    long total = 0;
    const double elided = Best(3, [&] {
        for (const QString& c : captions) total += metrics.elidedText(c, Qt::ElideRight, 100).size();
    });
    const double shortened = Best(3, [&] {
        for (const QString& c : captions) total += ShortenWithEllipsis(&canvas, c, 100).size();
    });
    std::printf("elidedText       100,000 captions   %7.1f ms\n", elided);
    std::printf("ShortenWithEllipsis 100,000         %7.1f ms   ratio %.2f\n", shortened, shortened / elided);
    return total > 0 ? 0 : 1;
}
