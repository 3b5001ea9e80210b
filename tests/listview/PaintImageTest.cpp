// The transmission configuration painted through the painters onto a
// QImage: a header of nine columns and three rows, the second selected.
#include "FakeHost.h"
#include "Transmission.h"

#include "listview/paint/LumeColors.h"
#include "listview/qt/LumeQtCanvas.h"

#include <QDir>

namespace lume::test {
namespace {

// Three files listed as the transmission window lists them, measured on a
// real canvas and painted onto an image.
class ListviewPaintImage : public ::testing::Test {
protected:
    void SetUp() override {
        lv.host.width = 960;
        lv.host.height = 25 + 3 * 17 + 24;
        lv.host.canvas = &measure;
        SetUpTransmission(*lv.lv, images);
        ListFiles(*lv.lv, 3);
    }
    QImage Paint() {
        QImage buffer(lv.host.width, lv.host.height, QImage::Format_RGB32);
        {
            LumeQtCanvas canvas(&buffer);  // its painting ends with it
            EXPECT_TRUE(lv->WMPaint(&canvas, lv->ClientRect()));
        }
        return buffer;
    }
    Listview lv;
    QImage probe{1, 1, QImage::Format_RGB32};
    LumeQtCanvas measure{&probe};
    LumeImageList images{16, 16};
};

TEST_F(ListviewPaintImage, TransmissionRowsWithTheSecondSelected) {
    TLumeItem* second = lv->Items()[1];
    second->SetSelected(true);
    ASSERT_TRUE(second->Focused());

    const QImage buffer = Paint();
    const QString path = QDir(QStringLiteral(LOBRIX_BINARY_DIR)).filePath(QStringLiteral("listview-transmission.png"));
    ASSERT_TRUE(buffer.save(path));

    const QColor highlight = ToQColor(clHighlight);
    const QColor window = ToQColor(clWindow);
    const int rowMid = [](int row) { return 25 + 17 * row + 8; }(1);
    EXPECT_EQ(buffer.pixelColor(940, rowMid), highlight) << "selected across the row";
    EXPECT_EQ(buffer.pixelColor(940, 25 + 8), window) << "first row unselected";
    EXPECT_EQ(buffer.pixelColor(940, 25 + 17 * 3 + 8), window) << "below the rows";
    EXPECT_NE(buffer.pixelColor(300, 10), window) << "header face";
    EXPECT_EQ(buffer.pixelColor(9, 25 + 8), QColor(0, 160, 0)) << "state image of the first row";
    EXPECT_EQ(buffer.pixelColor(18 + 100 + 130 + 45 + 70 + 70 + 70 + 9, 25 + 17 * 2 + 12), QColor(200, 0, 0))
        << "amendment image in column 7 of the third row";
    // The focus rectangle is drawn by inverting: its dots differ from the selection.
    bool focusDots = false;
    for (int x = 400; x < 420; ++x) focusDots |= buffer.pixelColor(x, 25 + 17) != highlight;
    EXPECT_TRUE(focusDots);
}

// A row under a drag looks selected across the whole row too, its text
// readable on the highlight.
TEST_F(ListviewPaintImage, DropTargetRowIsHighlightedAcrossTheRow) {
    lv->Items()[2]->SetDropTarget(true);

    const QImage buffer = Paint();
    const int rowMid = 25 + 17 * 2 + 8;
    EXPECT_EQ(buffer.pixelColor(940, rowMid), ToQColor(clHighlight)) << "highlighted past the last column's text";
    EXPECT_EQ(buffer.pixelColor(940, 25 + 17 + 8), ToQColor(clWindow)) << "the row above is not";
}

}  // namespace
}  // namespace lume::test
