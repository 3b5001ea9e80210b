// The widget in a dialog as the transmission window holds it, shown and
// active, with a status line its selection handler writes and a field after
// it; and the viewport as the screen shows it.
#pragma once

#include "Transmission.h"

#include "listview/qt/LumeListviewWidget.h"
#include "support/GuiDriver.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace lume::test {

struct Form {
    QDialog dialog;
    TLumeListview* lv = new TLumeListview(&dialog);
    LumeImageList* images = new LumeImageList(16, 16, &dialog);
    QLabel* status = new QLabel(&dialog);
    QLineEdit* next = new QLineEdit(&dialog);
    explicit Form(int files) {
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(lv);
        layout->addWidget(status);
        layout->addWidget(next);
        SetUpTransmission(*lv->Core(), *images);
        lv->SetImagesSmall(images);
        (*lv)->OnItemSelectionChanging = [this](TLV*, TLumeItem* item, bool&) {
            status->setText(QStringLiteral("row %1").arg(item->Index()));
        };
        ListFiles(*lv->Core(), files);
        dialog.resize(800, 600);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // The middle of a row (window coordinates of the viewport) below the 25-pixel header.
    QPoint Row(int row, int x = 600) const { return {x, 25 + 17 * row + 8}; }
    TLumeItem* Item(int i) const { return (*lv)->Items()[i]; }
    // The viewport as the screen shows it, and as it should look.
    QImage Screen() const { return gui::onScreen(lv->viewport()); }
    QImage Fresh() const { return lv->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

}  // namespace lume::test
