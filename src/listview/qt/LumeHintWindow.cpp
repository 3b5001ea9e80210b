#include "listview/qt/LumeHintWindow.h"

#include "listview/paint/LumeColors.h"
#include "listview/paint/LumeText.h"
#include "listview/qt/LumeQtCanvas.h"
#include "listview/qt/LumeQtRect.h"

#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

namespace lume {

TLumeHintWindow::TLumeHintWindow(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void TLumeHintWindow::ShowHint(TCustomLumeListview* listview, TLumeCollectionItem* target, const QString& text,
                               QPoint screen, int hideTimeout) {
    listview_ = listview;
    target_ = target;
    text_ = text;
    QImage probe(1, 1, QImage::Format_RGB32);
    LumeQtCanvas canvas(&probe, this);
    canvas.Font = QToolTip::font();
    const QRect available = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    const LumeRect bounds = CalcHintRect(listview, target, &canvas, available.width(), text);
    resize(std::max(1, bounds.Width()), std::max(1, bounds.Height()));
    move(screen + QPoint(0, 20));
    show();
    if (hideTimeout > 0) QTimer::singleShot(hideTimeout, this, &QWidget::hide);
}

void TLumeHintWindow::Forget(TLumeCollectionItem* target) {
    if (!target_ || target_ != target) return;
    target_ = nullptr;
    hide();
}

void TLumeHintWindow::paintEvent(QPaintEvent*) {
    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(QToolTip::palette().color(QPalette::ToolTipBase));
    {
        LumeQtCanvas canvas(&buffer, this);
        canvas.Font = QToolTip::font();
        canvas.FontColor = 0xFF000017;  // info text
        TLumeHintInfo& info = *listview_->HintInfo;
        info.Canvas = &canvas;
        if (info.HintType == TLumeHintType::ehtCustomDraw) {
            listview_->DoHintCustomDraw(target_, &info);
        } else {
            LumeRect r{0, 0, width(), height()};
            DrawWideTextInRect(&canvas, text_, r, wtfCenter | wtfVCenter, -1);
        }
        info.Canvas = nullptr;
    }
    QPainter p(this);
    p.drawImage(0, 0, buffer);
    p.setPen(QToolTip::palette().color(QPalette::ToolTipText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace lume
