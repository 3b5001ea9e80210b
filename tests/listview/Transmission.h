// The list as the transmission window sets it up: report view, a header of
// 25 pixels with nine columns, full-row selection, one selected item, the
// rubber band on the left and right buttons, four 16 x 16 images.
#pragma once

#include "listview/LumeListview.h"
#include "listview/qt/LumeImageList.h"

#include <QPainter>

namespace lume::test {

struct TransmissionColumn {
    const char* caption;
    int width;
};

inline const TransmissionColumn kTransmissionColumns[9] = {
    {" ", 18},  {"Nº CREA", 100}, {"CNPJ/CEI do 1º Estabelecimento", 130}, {"Prefixo", 45},
    {"Nº Sequencial do Arquivo", 70}, {"Estabelecimentos", 70}, {"Vínculos", 70}, {" ", 18}, {"Razão Social", 430},
};

// Four pictures: a green disc (written), a blue one (transmitted), a red
// triangle (amendment), a grey square (not analysed).
inline void FillTransmissionImages(LumeImageList& list) {
    const QColor colours[4] = {QColor(0, 160, 0), QColor(0, 0, 200), QColor(200, 0, 0), QColor(128, 128, 128)};
    for (int i = 0; i < 4; ++i) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(qRgb(255, 0, 255));
        QPainter p(&image);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        if (i == 2)
            p.drawPolygon(QPolygon({QPoint(8, 1), QPoint(15, 14), QPoint(1, 14)}));
        else if (i == 3)
            p.drawRect(2, 2, 12, 12);
        else
            p.drawEllipse(1, 1, 14, 14);
        p.end();
        list.Add(image);
    }
}

inline void SetUpTransmission(TCustomLumeListview& lv, LumeImageList& images) {
    lv.SetView(TLumeListStyle::elsReport);
    lv.Header->SetVisible(true);
    lv.Header->SetHeight(25);
    for (const TransmissionColumn& c : kTransmissionColumns) {
        TLumeColumn* column = lv.Header->Columns->AddColumn();
        column->SetWidth(150);
        column->SetCaption(QString::fromUtf8(c.caption));
        column->SetWidth(c.width);
    }
    lv.Selection()->FullRowSelect = true;
    lv.Selection()->SetMultiSelect(false);
    lv.Selection()->SetMouseButtonSelRect({TLumeMouseButton::embLeft, TLumeMouseButton::embRight});
    FillTransmissionImages(images);
    lv.SetImagesSmall(&images);
}

// One listing as the window makes it: state images 0, 1 or 3; the third file an amendment.
inline void ListFiles(TCustomLumeListview& lv, int count) {
    lv.Items().Clear();
    lv.BeginUpdate(true);
    for (int i = 0; i < count; ++i) {
        TLumeItem* item = lv.Items().Add();
        item->SetCaptions(1, i % 2 ? QStringLiteral("590%1").arg(123456789 + i) : QString());
        item->SetCaptions(2, QStringLiteral("12.345.678/0001-%1").arg(10 + i));
        item->SetCaptions(3, QStringLiteral("01"));
        item->SetCaptions(4, QStringLiteral("%1").arg(i + 1, 2, 10, QChar('0')));
        item->SetCaptions(5, QStringLiteral("1"));
        item->SetCaptions(6, QStringLiteral("%1").arg(120 + i));
        item->SetCaptions(8, QStringLiteral("EMPRESA EXEMPLO %1 LTDA").arg(i + 1));
        const int states[3] = {0, 1, 3};
        item->SetImageIndexes(0, states[i % 3]);
        if (i % 3 == 2) item->SetImageIndexes(7, 2);
    }
    lv.EndUpdate(true);
}

}  // namespace lume::test
