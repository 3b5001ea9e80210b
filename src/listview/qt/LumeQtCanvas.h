// The list view's canvas over a QPainter on a 32-bit QImage, with the
// visual-style parts drawn by the application's QStyle.
#pragma once

#include "listview/paint/LumeCanvas.h"

#include <QPainter>
#include <QRegion>
#include <vector>

class QWidget;

namespace lume {

class LumeQtCanvas : public TLumeCanvas {
public:
    // styleWidget, when given, lends its style and palette to the themed parts.
    explicit LumeQtCanvas(QImage* image, const QWidget* styleWidget = nullptr);
    ~LumeQtCanvas() override;

    QSize TextExtent(const QString& text) override;
    LumeTextMetrics TextMetrics() override;
    void FillRect(const LumeRect& r) override;
    void Rectangle(const LumeRect& r) override;
    void RoundRect(const LumeRect& r, int radius) override;
    void Line(LumePoint from, LumePoint to) override;
    void Arc(LumePoint center, int radius, int startDegrees, int sweepDegrees) override;
    void TextOut(int x, int y, const QString& text, const LumeRect* clip, bool rightToLeft) override;
    void DrawFocusRect(const LumeRect& r) override;
    void DrawEdge(const LumeRect& r, int edge, int flags) override;
    void DrawImage(int x, int y, const QImage& image) override;
    void ThemePart(LumeThemePart part, int state, const LumeRect& r) override;
    void IntersectClip(const LumeRect& r) override;
    void IntersectClipRoundRect(const LumeRect& r, int radius) override;
    void ExcludeClip(const LumeRect& r) override;
    void RemoveClip() override;
    int SaveClip() override;
    void RestoreClip(int token) override;
    QImage* Surface() override { return image_; }

    // Ends painting, so that the image may be read or blended directly.
    void Flush();

private:
    QPainter& Ready();
    void SetClip(const QRegion& region);

    QImage* image_;
    const QWidget* styleWidget_;
    QPainter painter_;
    bool clipped_ = false;
    QRegion clip_;
    std::vector<std::pair<bool, QRegion>> saved_;
};

}  // namespace lume
