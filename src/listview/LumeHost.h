// What the list view asks of its window. The Qt widget implements it; tests
// use a fake that records what was asked. Text is measured through a
// separate measurer so that tests can use a fixed-width one.
#pragma once

#include "listview/paint/LumeCanvas.h"
#include "listview/LumeTypes.h"

#include <QFont>
#include <QImage>
#include <functional>
#include <memory>
#include <QSize>

class QObject;

namespace lume {
class TLumeCanvas;
class TLumeCollectionItem;
}

namespace lume {

class ILumeMeasurer {
public:
    virtual ~ILumeMeasurer() = default;
    virtual QSize TextExtent(const QString& text, const QFont& font) = 0;
};

enum class LumeScrollBar { Horz, Vert };

struct LumeScrollInfo {
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
};

enum class LumeCursor { Default, HeaderSplit };

// System metrics the layouts read.
enum class LumeMetric { CYVSCROLL, CXHSCROLL };

class ILumeHost {
public:
    virtual ~ILumeHost() = default;

    virtual bool HasWindow() const = 0;
    // The client rectangle (0, 0, width, height), without the scroll bars.
    virtual LumeRect ClientRect() const = 0;
    virtual bool HasFocus() const = 0;

    // Marks the rectangle (nullptr: the whole client area) for repainting.
    virtual void Invalidate(const LumeRect* rect) = 0;
    // Paints what is invalid now.
    virtual void UpdateWindow() = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursor(LumeCursor cursor) = 0;
    // True when the mouse, pressed at the window point, has moved far enough for a drag.
    virtual bool DragDetect(LumePoint windowPoint) = 0;

    virtual void SetScrollInfo(LumeScrollBar bar, const LumeScrollInfo& info, bool redraw) = 0;
    virtual LumeScrollInfo GetScrollInfo(LumeScrollBar bar) const = 0;
    virtual bool ScrollBarVisible(LumeScrollBar bar) const = 0;
    virtual int SystemMetric(LumeMetric metric) const = 0;

    // Shows a popup menu at a screen point.
    virtual void PopupMenu(QObject* menu, LumePoint screenPoint) = 0;
    virtual LumePoint ScreenToClient(LumePoint screenPoint) const = 0;
    // Hides and shows the window so that its frame is recomputed.
    virtual void RecreateFrame() {}

    virtual ILumeMeasurer& Measurer() = 0;
    // One-shot or repeating timers: the id, later given to StopTimer.
    virtual int StartTimer(int /*milliseconds*/, std::function<void()> /*callback*/) { return 0; }
    // False when the timer could not be stopped.
    virtual bool StopTimer(int /*id*/) { return true; }
    // Notes the control that has the keyboard focus now; the answer, called
    // later, gives it the focus back (when it still exists).
    virtual std::function<void()> RememberFocus() { return {}; }
    // Runs the in-place editor's loop until done() answers true.
    virtual void RunEditLoop(const std::function<bool()>& /*done*/) {}
    // A canvas with the control's font for measuring text, or null.
    virtual TLumeCanvas* MeasureCanvas() { return nullptr; }
    // A canvas drawing on the image, for pictures made off screen; none
    // where the window cannot draw.
    virtual std::unique_ptr<TLumeCanvas> ImageCanvas(QImage* /*image*/) { return nullptr; }
    // An item, group or column of the control is going away: what the window
    // shows of it (its hint) goes with it.
    virtual void ForgetObject(TLumeCollectionItem* /*object*/) {}
};

}  // namespace lume
