#include "shell/ufmSplash.h"

#include "platform/ui/Forms.h"

#include <QLabel>
#include <QFontMetrics>
#include <QPainter>
#include <QVBoxLayout>

QPixmap LobrixPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0, 128, 128));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255), 3));
    p.drawRect(QRect(QPoint(6, 6), size - QSize(13, 13)));
    QFont title(QStringLiteral("Sans Serif"));
    title.setBold(true);
    // The largest size at which the title fits the frame.
    int pixels = size.height() / 4;
    do {
        title.setPixelSize(pixels);
        pixels -= 2;
    } while (pixels > 8 && QFontMetrics(title).horizontalAdvance(QStringLiteral("LOBRIX 2009")) > size.width() - 40);
    p.setFont(title);
    p.drawText(QRect(0, 0, size.width(), size.height() * 2 / 3), Qt::AlignCenter, QStringLiteral("LOBRIX 2009"));
    QFont sub(QStringLiteral("Sans Serif"));
    sub.setPixelSize(qMax(10, size.height() / 14));
    p.setFont(sub);
    p.drawText(QRect(0, size.height() / 2, size.width(), size.height() / 3), Qt::AlignCenter,
               QStringLiteral("Gerador de Declaração Zuvo"));
    return pixmap;
}

TfmSplash::TfmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmSplash"));
    setFixedSize(386, 251);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(LobrixPicture(size()));
    layout->addWidget(image);
    forms::CenterOnScreen(this);
}
