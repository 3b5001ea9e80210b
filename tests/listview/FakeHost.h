// A window for the list view core without Qt: a client area with scroll
// bars that show when their range exceeds the page (taking 17 pixels off
// the client area), a recorded repaint log, capture and cursor, and a
// measurer of 6 pixels per character and 13 pixels per line.
#pragma once

#include "listview/LumeListview.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace lume::test {

class FixedMeasurer : public ILumeMeasurer {
public:
    QSize TextExtent(const QString& text, const QFont&) override { return {6 * int(text.size()), 13}; }
};

class FakeHost : public ILumeHost {
public:
    static constexpr int kBar = 17;

    bool window = true;
    int width = 400;
    int height = 300;
    bool focus = true;
    bool vertBar = false;
    bool horzBar = false;
    LumeScrollInfo vertInfo, horzInfo;
    int invalidations = 0;
    int updates = 0;
    std::vector<LumeRect> invalidRects;
    bool capture = false;
    LumeCursor cursor = LumeCursor::Default;
    bool dragDetect = false;
    QObject* poppedMenu = nullptr;
    FixedMeasurer measurer;

    bool HasWindow() const override { return window; }
    LumeRect ClientRect() const override {
        return {0, 0, width - (vertBar ? kBar : 0), height - (horzBar ? kBar : 0)};
    }
    bool HasFocus() const override { return focus; }
    void Invalidate(const LumeRect* rect) override {
        ++invalidations;
        invalidRects.push_back(rect ? *rect : ClientRect());
    }
    void UpdateWindow() override { ++updates; }
    void SetCapture() override { capture = true; }
    void ReleaseCapture() override { capture = false; }
    bool HasCapture() const override { return capture; }
    void SetCursor(LumeCursor c) override { cursor = c; }
    bool DragDetect(LumePoint) override { return dragDetect; }
    void SetScrollInfo(LumeScrollBar bar, const LumeScrollInfo& info, bool) override {
        const bool shown = info.Page > 0 && info.Max + 1 > info.Page;
        if (bar == LumeScrollBar::Vert) {
            vertInfo = info;
            vertBar = shown;
        } else {
            horzInfo = info;
            horzBar = shown;
        }
    }
    LumeScrollInfo GetScrollInfo(LumeScrollBar bar) const override {
        return bar == LumeScrollBar::Vert ? vertInfo : horzInfo;
    }
    bool ScrollBarVisible(LumeScrollBar bar) const override { return bar == LumeScrollBar::Vert ? vertBar : horzBar; }
    int SystemMetric(LumeMetric) const override { return kBar; }
    void PopupMenu(QObject* menu, LumePoint) override { poppedMenu = menu; }
    LumePoint ScreenToClient(LumePoint p) const override { return p; }
    ILumeMeasurer& Measurer() override { return measurer; }
    std::map<int, std::function<void()>> timers;
    int nextTimer = 1;
    int StartTimer(int, std::function<void()> callback) override {
        timers[nextTimer] = std::move(callback);
        return nextTimer++;
    }
    bool StopTimer(int id) override {
        timers.erase(id);
        return true;
    }
    // Lets every running timer run out.
    void FireTimers() {
        auto due = timers;
        timers.clear();
        for (auto& [id, callback] : due) callback();
    }
    TLumeCanvas* canvas = nullptr;
    TLumeCanvas* MeasureCanvas() override { return canvas; }
    std::function<std::unique_ptr<TLumeCanvas>(QImage*)> imageCanvas;
    std::unique_ptr<TLumeCanvas> ImageCanvas(QImage* image) override {
        return imageCanvas ? imageCanvas(image) : nullptr;
    }
};

// A control on a fake window, created the way the widget creates it.
struct Listview {
    FakeHost host;
    std::unique_ptr<TCustomLumeListview> lv;

    explicit Listview(bool withWindow = true) : Listview(std::make_unique<TCustomLumeListview>(), withWindow) {}
    // A descendant of the control, set up the same way.
    explicit Listview(std::unique_ptr<TCustomLumeListview> control, bool withWindow = true) : lv(std::move(control)) {
        host.window = withWindow;
        lv->SetHost(&host);
        if (withWindow) lv->WindowCreated();
    }
    // Handlers capture the test's locals, which are gone by now.
    ~Listview() { lv->DropEventHandlers(); }
    TCustomLumeListview* operator->() { return lv.get(); }

    // Report view as the transmission window sets it up.
    void Report(std::initializer_list<int> widths) {
        lv->SetView(TLumeListStyle::elsReport);
        lv->Header->SetVisible(true);
        for (int w : widths) lv->Header->Columns->AddColumn()->SetWidth(w);
    }
    std::vector<TLumeItem*> AddItems(int n) {
        std::vector<TLumeItem*> items;
        for (int i = 0; i < n; ++i) {
            items.push_back(lv->Items().Add());
            items.back()->SetCaption(QStringLiteral("item %1").arg(i));
        }
        return items;
    }
};

// A painter whose selectable area is the item's whole cell, so that the
// selection's rectangle tests have something to hit.
class CellPainter : public TLumeViewReportItem {
public:
    using TLumeViewReportItem::TLumeViewReportItem;
    bool HitTestRect(TLumeItem* item, const LumeRect& rect, bool) override { return item->DisplayRect.Meets(rect); }
    bool HitTestPoint(TLumeItem* item, LumePoint p, bool) override { return item->DisplayRect.Contains(p); }
protected:
    void CalcRects(TLumeItem* item, TLumeColumn*, TLumeCanvas*, TLumeRectArrayObject& r, QSize) override {
        r.IconRect = r.FullFocusSelRect = r.ClickSelectBoundsRect = item->DisplayRect;
    }
};

inline void UseCellPainter(TCustomLumeListview* lv) {
    lv->Groups->ItemViewClass = [](TCustomLumeListview* owner, TLumeGroup* g) -> TLumeViewItem* {
        return new CellPainter(owner, g);
    };
    for (int i = 0; i < lv->Groups->Count(); ++i)
        lv->Groups->At(i)->SetItemView(new CellPainter(lv, lv->Groups->At(i)));
}

}  // namespace lume::test
