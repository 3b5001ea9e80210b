// The list as the transmission window will use it, driven through Qt: two
// listings, clicks, Down, a click below the rows, the images read back, and
// a picture of the listing.
#include "Transmission.h"

#include "listview/paint/LumeColors.h"
#include "listview/qt/LumeListviewWidget.h"

#include <QDialog>
#include <QDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace lume::test {
namespace {

TEST(ListviewAcceptance, TheTransmissionWindowsList) {
    QDialog window;
    auto* lv = new TLumeListview(&window);
    auto* images = new LumeImageList(16, 16, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lv);
    SetUpTransmission(*lv->Core(), *images);
    lv->SetImagesSmall(images);
    int changing = 0;
    (*lv)->OnItemSelectionChanging = [&changing](TLV*, TLumeItem*, bool&) { ++changing; };
    ListFiles(*lv->Core(), 3);
    window.resize(960, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // Rows of 17 pixels under the 25-pixel header.
    for (int i = 0; i < 3; ++i) EXPECT_EQ((*lv)->Items()[i]->DisplayRect, (LumeRect{0, 17 * i, 951, 17 * (i + 1)}));
    EXPECT_EQ((*lv)->Header->RuntimeHeight(), 25);

    auto row = [](int i) { return QPoint(700, 25 + 17 * i + 8); };
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, row(1));
    EXPECT_TRUE((*lv)->Items()[1]->Selected());
    EXPECT_EQ(changing, 1);
    QTest::qWait(10);
    EXPECT_EQ(lv->viewport()->grab().toImage().pixelColor(700, 25 + 17 + 8), ToQColor(clHighlight))
        << "painted selected";
    QTest::keyClick(lv, Qt::Key_Down);
    EXPECT_TRUE((*lv)->Items()[2]->Selected());
    EXPECT_FALSE((*lv)->Items()[1]->Selected());
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, row(6));
    EXPECT_EQ((*lv)->Selection()->Count(), 0) << "a click below the rows clears";

    // The window reads the states back from the image indexes.
    EXPECT_EQ((*lv)->Items()[0]->ImageIndexes(0), 0);
    EXPECT_EQ((*lv)->Items()[1]->ImageIndexes(0), 1);
    EXPECT_EQ((*lv)->Items()[2]->ImageIndexes(0), 3);
    EXPECT_EQ((*lv)->Items()[2]->ImageIndexes(7), 2);

    // A fresh listing after Items.Clear.
    ListFiles(*lv->Core(), 5);
    EXPECT_EQ((*lv)->Items().Count(), 5);
    EXPECT_EQ((*lv)->Groups->Count(), 1);
    QTest::qWait(10);
    const QImage shot = lv->viewport()->grab().toImage();
    ASSERT_TRUE(shot.save(QDir(QStringLiteral(LOBRIX_BINARY_DIR)).filePath(QStringLiteral("listview-listing.png"))));
    EXPECT_EQ(shot.pixelColor(9, 25 + 17 * 3 + 8), QColor(0, 160, 0)) << "fourth file, written";
    EXPECT_EQ(shot.pixelColor(9, 25 + 17 * 4 + 8), QColor(0, 0, 200)) << "fifth file, transmitted";
    (*lv)->DropEventHandlers();
}

}  // namespace
}  // namespace lume::test
