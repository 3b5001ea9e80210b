// The list view as a form holds it: a scroll area whose viewport shows the
// core's back buffer, with Qt's mouse, keys, wheel, focus, scroll bars and
// resizing turned into the core's handlers.
#pragma once

#include "listview/LumeListview.h"
#include "listview/qt/LumeFontMeasurer.h"
#include "listview/qt/LumeImageList.h"
#include "listview/qt/LumeQtCanvas.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <map>
#include <memory>

namespace lume {

class TLumeDataObjectManager;

class TLumeListview : public QAbstractScrollArea, public ILumeHost {
    Q_OBJECT
public:
    explicit TLumeListview(QWidget* parent = nullptr);
    ~TLumeListview() override;

    TCustomLumeListview* Core() const { return core_.get(); }
    TCustomLumeListview* operator->() const { return core_.get(); }
    // Image lists are held weakly: one deleted elsewhere leaves the property empty.
    void SetImagesSmall(LumeImageList* list);
    void SetImagesLarge(LumeImageList* list);
    void SetImagesExLarge(LumeImageList* list);
    void SetImagesGroup(LumeImageList* list);
    LumeImageList* ImagesSmall() const { return imagesSmall_.data(); }
    const QImage& BackBuffer() const { return backBuffer_; }
    // The hint window, made on first use.
    class TLumeHintWindow* HintWindow() const { return hint_; }
    void EnsureBackBufferSize(int width, int height);
    // How long the mouse rests before a hint shows: the application may change it.
    void HintPause(int& pauseDelay);

    // ILumeHost
    bool HasWindow() const override { return !destroying_; }
    LumeRect ClientRect() const override;
    bool HasFocus() const override;
    void Invalidate(const LumeRect* rect) override;
    void UpdateWindow() override;
    void SetCapture() override { captured_ = true; }
    void ReleaseCapture() override { captured_ = false; }
    bool HasCapture() const override { return captured_; }
    void SetCursor(LumeCursor cursor) override;
    bool DragDetect(LumePoint windowPoint) override;
    void SetScrollInfo(LumeScrollBar bar, const LumeScrollInfo& info, bool redraw) override;
    LumeScrollInfo GetScrollInfo(LumeScrollBar bar) const override;
    bool ScrollBarVisible(LumeScrollBar bar) const override;
    int SystemMetric(LumeMetric metric) const override;
    void PopupMenu(QObject* menu, LumePoint screenPoint) override;
    LumePoint ScreenToClient(LumePoint screenPoint) const override;
    void RecreateFrame() override;
    ILumeMeasurer& Measurer() override { return measurer_; }
    int StartTimer(int milliseconds, std::function<void()> callback) override;
    bool StopTimer(int id) override;
    std::function<void()> RememberFocus() override;
    void RunEditLoop(const std::function<bool()>& done) override;
    TLumeCanvas* MeasureCanvas() override;
    std::unique_ptr<TLumeCanvas> ImageCanvas(QImage* image) override;
    void ForgetObject(TLumeCollectionItem* object) override;
    // What a handler throws, thrown again from a queued call where the
    // application's handling of unexpected errors takes it; an edit running
    // ends with it. For the pieces of the control that Qt calls directly.
    void Guard(const std::function<void()>& work);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void changeEvent(QEvent* e) override;
    void scrollContentsBy(int, int) override {}
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void OnAction(bool vertical, int action);
    uint32_t Keys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const;
    template <typename F>
    void Guarded(F f);

    std::unique_ptr<TCustomLumeListview> core_;
    LumeFontMeasurer measurer_;
    QImage probe_{1, 1, QImage::Format_RGB32};
    std::unique_ptr<LumeQtCanvas> measureCanvas_;
    QImage backBuffer_;
    QRegion invalid_;
    void HoldImages(QPointer<LumeImageList>& field, LumeImageList* list,
                    void (TCustomLumeListview::*set)(TLumeImageList*));
    QPointer<LumeImageList> imagesSmall_, imagesLarge_, imagesExLarge_, imagesGroup_;
    QPoint pressPos_;
    bool captured_ = false;
    bool destroying_ = false;
    int inScrollInfo_ = 0;
    std::map<int, QTimer*> timers_;
    int nextTimer_ = 1;
    class TLumeHintWindow* hint_ = nullptr;
};

// What a drag of the data object shows under the mouse: its image with the
// pixels of its transparent colour cut out.
QPixmap DragPixmap(const TLumeDataObjectManager& data);

}  // namespace lume
