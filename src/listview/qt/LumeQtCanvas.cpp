#include "listview/qt/LumeQtCanvas.h"

#include "listview/paint/LumeColors.h"
#include "listview/qt/LumeQtRect.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <qdrawutil.h>

namespace lume {

LumeQtCanvas::LumeQtCanvas(QImage* image, const QWidget* styleWidget) : image_(image), styleWidget_(styleWidget) {
    Font = styleWidget ? styleWidget->font() : QApplication::font();
}

LumeQtCanvas::~LumeQtCanvas() { Flush(); }

void LumeQtCanvas::Flush() {
    if (painter_.isActive()) painter_.end();
}

QPainter& LumeQtCanvas::Ready() {
    if (!painter_.isActive()) painter_.begin(image_);
    painter_.resetTransform();
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (clipped_)
        painter_.setClipRegion(clip_);
    else
        painter_.setClipping(false);
    painter_.translate(-WindowOrg.X, -WindowOrg.Y);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setFont(Font);
    painter_.setPen(QPen(ToQColor(PenColor), 0));
    painter_.setBrush(Qt::NoBrush);
    return painter_;
}

QSize LumeQtCanvas::TextExtent(const QString& text) {
    const QFontMetrics metrics(Font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

LumeTextMetrics LumeQtCanvas::TextMetrics() {
    const QFontMetrics metrics(Font);
    return {metrics.height(), metrics.averageCharWidth(), metrics.maxWidth()};
}

void LumeQtCanvas::FillRect(const LumeRect& r) {
    if (r.IsEmpty()) return;
    Ready().fillRect(ToQRect(r), ToQColor(BrushColor));
}

void LumeQtCanvas::Rectangle(const LumeRect& r) {
    if (r.IsEmpty()) return;
    QPainter& p = Ready();
    if (BrushStyle == LumeBrushStyle::Solid) p.fillRect(ToQRect(r), ToQColor(BrushColor));
    p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void LumeQtCanvas::RoundRect(const LumeRect& r, int radius) {
    if (r.IsEmpty()) return;
    QPainter& p = Ready();
    if (BrushStyle == LumeBrushStyle::Solid) p.setBrush(ToQColor(BrushColor));
    p.drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), radius / 2.0, radius / 2.0);
}

void LumeQtCanvas::Line(LumePoint from, LumePoint to) {
    if (from == to) return;
    // The end point is left out: one step back along the line.
    const int dx = to.X - from.X, dy = to.Y - from.Y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const QPoint end(from.X + qRound(double(dx) * (steps - 1) / steps), from.Y + qRound(double(dy) * (steps - 1) / steps));
    Ready().drawLine(QPoint(from.X, from.Y), end);
}

void LumeQtCanvas::Arc(LumePoint center, int radius, int startDegrees, int sweepDegrees) {
    if (radius <= 0) return;
    Ready().drawArc(QRect(center.X - radius, center.Y - radius, 2 * radius, 2 * radius), startDegrees * 16,
                    sweepDegrees * 16);
}

void LumeQtCanvas::TextOut(int x, int y, const QString& text, const LumeRect* clip, bool rightToLeft) {
    if (text.isEmpty()) return;
    QPainter& p = Ready();
    p.setPen(ToQColor(FontColor));
    if (clip) p.setClipRect(ToQRect(*clip), Qt::IntersectClip);
    const QFontMetrics metrics(Font);
    const QRect box(x, y, metrics.horizontalAdvance(text) + 1, metrics.height());
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | (rightToLeft ? Qt::TextForceRightToLeft : 0),
               text);
}

void LumeQtCanvas::DrawFocusRect(const LumeRect& r) {
    if (r.IsEmpty()) return;
    QPainter& p = Ready();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white, 0, Qt::DotLine);
    p.setPen(pen);
    p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void LumeQtCanvas::DrawEdge(const LumeRect& r, int edge, int flags) {
    if (r.IsEmpty()) return;
    QPainter& p = Ready();
    const QPalette palette = styleWidget_ ? styleWidget_->palette() : QApplication::palette();
    const QRect q = ToQRect(r);
    const bool flat = flags & 0x4000;
    if (flat) {
        p.setPen(palette.color(QPalette::Dark));
        p.drawRect(q.adjusted(0, 0, -1, -1));
    } else if ((edge & 1) && (edge & 4)) {
        qDrawWinButton(&p, q, palette, false);
    } else if (edge & 2) {
        qDrawShadePanel(&p, q, palette, true, 1);
    } else {
        qDrawShadePanel(&p, q, palette, false, 1);
    }
}

void LumeQtCanvas::DrawImage(int x, int y, const QImage& image) {
    if (image.isNull()) return;
    Ready().drawImage(QPoint(x, y), image);
}

void LumeQtCanvas::ThemePart(LumeThemePart part, int state, const LumeRect& r) {
    if (r.IsEmpty()) return;
    QPainter& p = Ready();
    QStyle* style = styleWidget_ ? styleWidget_->style() : QApplication::style();
    const QPalette palette = styleWidget_ ? styleWidget_->palette() : QApplication::palette();
    switch (part) {
    case LumeHeaderItem: {
        QStyleOptionHeader option;
        option.rect = ToQRect(r);
        option.palette = palette;
        option.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
        if (state == 2) option.state |= QStyle::State_MouseOver;
        if (state == 3) option.state |= QStyle::State_Sunken;
        style->drawControl(QStyle::CE_HeaderSection, &option, &p, styleWidget_);
        break;
    }
    case LumeCheckBox:
    case LumeRadioButton: {
        QStyleOptionButton option;
        option.rect = ToQRect(r);
        option.palette = palette;
        const int base = (state - 1) % 4;
        option.state = state > 4 ? QStyle::State_On : QStyle::State_Off;
        if (base != 3) option.state |= QStyle::State_Enabled;
        if (base == 1) option.state |= QStyle::State_MouseOver;
        if (base == 2) option.state |= QStyle::State_Sunken;
        style->drawPrimitive(part == LumeCheckBox ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                             &option, &p, styleWidget_);
        break;
    }
    case LumeTreeGlyphOpened:
    case LumeTreeGlyphClosed: {
        QStyleOption option;
        option.rect = ToQRect(r);
        option.palette = palette;
        option.state = QStyle::State_Enabled | QStyle::State_Children;
        if (part == LumeTreeGlyphOpened) option.state |= QStyle::State_Open;
        style->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &p, styleWidget_);
        break;
    }
    }
}

void LumeQtCanvas::SetClip(const QRegion& region) {
    clipped_ = true;
    clip_ = region;
}

void LumeQtCanvas::IntersectClip(const LumeRect& r) {
    const QRegion device(ToQRect(ToDevice(r)));
    SetClip(clipped_ ? clip_.intersected(device) : device);
}

void LumeQtCanvas::IntersectClipRoundRect(const LumeRect& r, int radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(ToQRect(ToDevice(r))), radius / 2.0, radius / 2.0);
    const QRegion device(path.toFillPolygon().toPolygon());
    SetClip(clipped_ ? clip_.intersected(device) : device);
}

void LumeQtCanvas::ExcludeClip(const LumeRect& r) {
    const QRegion base = clipped_ ? clip_ : QRegion(image_->rect());
    SetClip(base.subtracted(QRegion(ToQRect(ToDevice(r)))));
}

void LumeQtCanvas::RemoveClip() {
    clipped_ = false;
    clip_ = QRegion();
}

int LumeQtCanvas::SaveClip() {
    saved_.emplace_back(clipped_, clip_);
    return int(saved_.size()) - 1;
}

void LumeQtCanvas::RestoreClip(int token) {
    if (token < 0 || token >= int(saved_.size())) return;
    clipped_ = saved_[token].first;
    clip_ = saved_[token].second;
    saved_.resize(token);
}

}  // namespace lume
