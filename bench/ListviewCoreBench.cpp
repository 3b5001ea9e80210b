// The list view core with 100,000 rows as the transmission window fills
// them: nine captions and two image indexes each, added inside one update;
// then 1,000 hit tests near the end of the list (ItemAt, FirstItemInRect)
// and Items.Clear. Beside it, in the same run, a QTreeWidget takes and
// clears the same rows. Targets: fill and clear within 2 x the tree
// widget's, everything under 2 s on two cores.
#include "listview/LumeListview.h"
#include "listview/qt/LumeFontMeasurer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include "ListviewBenchClock.h"

#include <cstdio>
#include <ctime>

using namespace lume;

namespace {

constexpr int kRows = 100000;
constexpr int kProbes = 1000;

using lume::bench::CpuMs;

// A window of 800 x 600 that shows its scroll bars and paints nothing.
class BenchHost : public ILumeHost {
public:
    bool HasWindow() const override { return true; }
    LumeRect ClientRect() const override { return {0, 0, 800 - (vert ? 17 : 0), 600 - (horz ? 17 : 0)}; }
    bool HasFocus() const override { return true; }
    void Invalidate(const LumeRect*) override {}
    void UpdateWindow() override {}
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HasCapture() const override { return false; }
    void SetCursor(LumeCursor) override {}
    bool DragDetect(LumePoint) override { return false; }
    void SetScrollInfo(LumeScrollBar bar, const LumeScrollInfo& info, bool) override {
        (bar == LumeScrollBar::Vert ? vert : horz) = info.Page > 0 && info.Max + 1 > info.Page;
    }
    LumeScrollInfo GetScrollInfo(LumeScrollBar) const override { return {}; }
    bool ScrollBarVisible(LumeScrollBar bar) const override { return bar == LumeScrollBar::Vert ? vert : horz; }
    int SystemMetric(LumeMetric) const override { return 17; }
    void PopupMenu(QObject*, LumePoint) override {}
    LumePoint ScreenToClient(LumePoint p) const override { return p; }
    ILumeMeasurer& Measurer() override { return measurer; }
    bool vert = false, horz = false;
    LumeFontMeasurer measurer;
};

QString Caption(int row, int column) { return QStringLiteral("Zuvo2009_%1_%2.dec").arg(row).arg(column); }

struct Times {
    double fill = 0, probe = 0, clear = 0;
};

Times RunListview(const std::vector<std::array<QString, 9>>& rows) {
    BenchHost host;
    TCustomLumeListview lv;
    lv.SetHost(&host);
    lv.WindowCreated();
    lv.SetView(TLumeListStyle::elsReport);
    lv.Header->SetVisible(true);
    lv.Header->SetHeight(25);
    for (int c = 0; c < 9; ++c) lv.Header->Columns->AddColumn()->SetWidth(150);
    lv.Selection()->FullRowSelect = true;

    Times t;
    double start = CpuMs();
    lv.BeginUpdate(true);
    for (int r = 0; r < kRows; ++r) {
        TLumeItem* item = lv.Items().Add();
        for (int c = 0; c < 9; ++c) item->SetCaptions(c, rows[r][c]);
        item->SetCaption(QStringLiteral("p"));
        item->SetImageIndexes(0, r % 3);
        item->SetImageIndexes(7, 2);
    }
    lv.EndUpdate(true);
    t.fill = CpuMs() - start;

    start = CpuMs();
    const int bottom = lv.Groups->ViewRect().Bottom;
    int found = 0;
    for (int i = 0; i < kProbes; ++i) {
        const LumePoint p{10 + i, bottom - 1 - (i * 37) % 5000};
        if (lv.Groups->ItemAt(p)) ++found;
        if (lv.Groups->FirstItemInRect({0, p.Y, 800, p.Y + 600})) ++found;
    }
    t.probe = CpuMs() - start;
    if (found != 2 * kProbes) std::printf("probes found %d of %d\n", found, 2 * kProbes);

    start = CpuMs();
    lv.Items().Clear();
    t.clear = CpuMs() - start;
    return t;
}

Times RunTree(const std::vector<std::array<QString, 9>>& rows) {
    QTreeWidget tree;
    tree.setColumnCount(9);
    tree.resize(800, 600);
    Times t;
    double start = CpuMs();
    QList<QTreeWidgetItem*> items;
    items.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        auto* item = new QTreeWidgetItem;
        for (int c = 0; c < 9; ++c) item->setText(c, rows[r][c]);
        item->setData(0, Qt::UserRole, r % 3);
        item->setData(7, Qt::UserRole, 2);
        items.append(item);
    }
    tree.addTopLevelItems(items);
    t.fill = CpuMs() - start;
    start = CpuMs();
    tree.clear();
    t.clear = CpuMs() - start;
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::array<QString, 9>> rows(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < 9; ++c) rows[r][c] = Caption(r, c);

    const Times tree = RunTree(rows);
    const Times lv = RunListview(rows);
    std::printf("rows %d\n", kRows);
    std::printf("fill   list view %8.1f ms   tree widget %8.1f ms   ratio %.2f\n", lv.fill, tree.fill,
                lv.fill / tree.fill);
    std::printf("clear  list view %8.1f ms   tree widget %8.1f ms   ratio %.2f\n", lv.clear, tree.clear,
                lv.clear / tree.clear);
    std::printf("probes list view %8.1f ms (%d ItemAt + %d FirstItemInRect)\n", lv.probe, kProbes, kProbes);
    std::printf("total  list view %8.1f ms\n", lv.fill + lv.probe + lv.clear);
    return 0;
}
