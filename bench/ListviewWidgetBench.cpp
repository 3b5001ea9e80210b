// The list view widget offscreen at 800 x 600 in the transmission
// configuration with 100,000 rows: 100 full repaints (at the top, the middle
// and the end) and 200 page-down scrolls, beside a QTreeWidget of the same
// rows, columns and size doing the same in the same run. Targets: within
// 2 x the tree widget; a full repaint under 20 ms on average on two cores.
#include "listview/Transmission.h"
#include "listview/qt/LumeListviewWidget.h"

#include <QApplication>
#include <QScrollBar>
#include <QTreeWidget>
#include "ListviewBenchClock.h"

#include <cstdio>
#include <ctime>

using namespace lume;

namespace {

using lume::bench::CpuMs;

constexpr int kRows = 100000;

struct Times {
    double repaint = 0, scroll = 0;
};

template <typename Widget, typename Jump>
Times Run(Widget& w, QScrollBar* bar, Jump jump) {
    Times t;
    double start = CpuMs();
    for (int i = 0; i < 100; ++i) {
        jump(i % 3 == 0 ? 0 : i % 3 == 1 ? bar->maximum() / 2 : bar->maximum());
        w.viewport()->repaint();
    }
    t.repaint = (CpuMs() - start) / 100;
    jump(0);
    start = CpuMs();
    for (int i = 0; i < 200; ++i) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        w.viewport()->repaint();
    }
    t.scroll = CpuMs() - start;
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TLumeListview lv;
    LumeImageList images(16, 16);
    lume::test::SetUpTransmission(*lv.Core(), images);
    lv.SetImagesSmall(&images);
    lume::test::ListFiles(*lv.Core(), kRows);
    lv.resize(800, 600);
    lv.show();
    app.processEvents();
    const Times mine = Run(lv, lv.verticalScrollBar(), [&](int y) { lv->Scrollbars->SetOffsetY(y); });

    QTreeWidget tree;
    tree.setColumnCount(9);
    QStringList headers;
    for (const auto& c : lume::test::kTransmissionColumns) headers << QString::fromUtf8(c.caption);
    tree.setHeaderLabels(headers);
    for (int c = 0; c < 9; ++c) tree.setColumnWidth(c, lume::test::kTransmissionColumns[c].width);
    QList<QTreeWidgetItem*> rows;
    for (int r = 0; r < kRows; ++r) {
        auto* item = new QTreeWidgetItem;
        TLumeItem* source = lv->Items()[r];
        for (int c = 0; c < 9; ++c) item->setText(c, source->Captions(c));
        rows << item;
    }
    tree.addTopLevelItems(rows);
    tree.setUniformRowHeights(true);
    tree.setRootIsDecorated(false);
    tree.resize(800, 600);
    tree.show();
    app.processEvents();
    QScrollBar* bar = tree.verticalScrollBar();
    const Times theirs = Run(tree, bar, [&](int y) { bar->setValue(y); });

    std::printf("rows %d, 800 x 600\n", kRows);
    std::printf("full repaint  list view %6.2f ms   tree widget %6.2f ms   ratio %.2f\n", mine.repaint, theirs.repaint,
                mine.repaint / theirs.repaint);
    std::printf("200 page-down list view %6.1f ms   tree widget %6.1f ms   ratio %.2f\n", mine.scroll, theirs.scroll,
                mine.scroll / theirs.scroll);
    return 0;
}
