// The list view control: owns the groups, header, paint settings and
// managers, dispatches events, and holds the state the input code reads.
// It computes little itself; the managers and layouts do.
#pragma once

#include "listview/paint/LumeBackground.h"
#include "listview/LumeCanvasControl.h"
#include "listview/layout/LumeCellSizes.h"
#include "listview/input/LumeCheckManager.h"
#include "listview/dragdrop/LumeDragManagers.h"
#include "listview/input/LumeEditManager.h"
#include "listview/paint/LumeGlobalImages.h"
#include "listview/layout/LumeGrid.h"
#include "listview/model/LumeGroups.h"
#include "listview/layout/LumeHeader.h"
#include "listview/input/LumeHintInfo.h"
#include "listview/input/LumeHotTrackManager.h"
#include "listview/LumeListviewEvents.h"
#include "listview/LumeOwner.h"
#include "listview/layout/LumeScrollbarManager.h"
#include "listview/input/LumeSearchManager.h"
#include "listview/input/LumeSelectionManager.h"
#include "listview/model/LumeSortManager.h"

namespace lume {

enum LumeListviewState : uint16_t {
    ebcsLButtonDown = 1u << 0,
    ebcsRButtonDown = 1u << 1,
    ebcsMButtonDown = 1u << 2,
    ebcsDragPending = 1u << 4,
    ebcsDragging = 1u << 5,
    ebcsVCLDrag = 1u << 6,
    ebcsDragSelectPending = 1u << 7,
    ebcsDragSelecting = 1u << 8,
    ebcsCheckPending = 1u << 10,
    ebcsGroupExpandPending = 1u << 11,
    ebcsHeaderCapture = 1u << 12,
    ebcsScrolling = 1u << 13,
};

class TCustomLumeListview : public TLumeCanvasControl, public TLumeListviewEventHandlers, public ILumeOwner {
public:
    TCustomLumeListview();
    ~TCustomLumeListview() override;

    // Owned settings and managers.
    std::unique_ptr<TLumeCellSizes> CellSizes;
    std::unique_ptr<TLumeGlobalImageManager> GlobalImages;
    std::unique_ptr<TLumeCheckManager> CheckManager;
    std::unique_ptr<TLumeDragManager> DragManager;
    std::unique_ptr<TLumeDragRectManager> DragRectManager;
    std::unique_ptr<TLumeGroups> Groups;
    std::unique_ptr<TLumeHeader> Header;
    std::unique_ptr<TLumeHotTrackManager> HotTrack;
    std::unique_ptr<TLumeGlobalItems> ItemsList;
    std::unique_ptr<TLumeScrollbarManager> Scrollbars;
    std::unique_ptr<TLumeSortManager> Sort;
    std::unique_ptr<TLumeEditManager> EditManager;
    std::unique_ptr<TLumeIncrementalSearchManager> IncrementalSearch;
    std::unique_ptr<TLumeHintInfo> HintInfo;

    TLumeGlobalItems& Items() { return *ItemsList; }
    TLumeSelectionManager* Selection() const override { return selection_.get(); }
    // Takes the object over, freeing the one held so far; the same object changes nothing.
    void SetSelection(TLumeSelectionManager* value);
    TLumeBackgroundManager* BackGround() const { return background_.get(); }
    void SetBackGround(TLumeBackgroundManager* value);
    TLumePaintInfoGroup* PaintInfoGroup() const override { return paintInfoGroup_.get(); }
    TLumePaintInfoItem* PaintInfoItem() const override { return paintInfoItem_.get(); }
    TLumePaintInfoColumn* PaintInfoColumn() const override { return paintInfoColumn_.get(); }
    void SetPaintInfoGroup(TLumePaintInfoGroup* value);
    void SetPaintInfoItem(TLumePaintInfoItem* value);
    void SetPaintInfoColumn(TLumePaintInfoColumn* value);
    virtual TLumePaintInfoColumn* CreatePaintInfoColumn() { return new TLumePaintInfoColumn(this); }
    virtual TLumePaintInfoGroup* CreatePaintInfoGroup() { return new TLumePaintInfoGroup(this); }
    virtual TLumePaintInfoItem* CreatePaintInfoItem() { return new TLumePaintInfoItem(this); }

    uint8_t DisabledBlendAlpha = 128;
    TColor DisabledBlendColor = clWindow;
    TColor Color = clWindow;
    QFont Font;
    TColor FontColor = 0xFF000008;  // window text
    // The application's expand and collapse buttons; empty means the defaults.
    QImage GroupExpandButton;
    QImage GroupCollapseButton;
    QFont GroupFont;
    TLumeHintType HintType = TLumeHintType::ehtText;
    QObject* PopupMenuHeader = nullptr;
    uint16_t States = 0;
    TLumeDefaultWheelScroll WheelMouseDefaultScroll = TLumeDefaultWheelScroll::edwsVert;
    bool WheelMouseScrollModifierEnabled = true;
    // True while the control is read from its form; layout waits meanwhile.
    bool Loading = false;
    bool Destroying = false;

    TLumeImageList* ImagesSmall() const { return imagesSmall_; }
    TLumeImageList* ImagesLarge() const { return imagesLarge_; }
    TLumeImageList* ImagesExLarge() const { return imagesExLarge_; }
    TLumeImageList* ImagesGroup() const { return imagesGroup_; }
    void SetImagesSmall(TLumeImageList* value) { SetImages(imagesSmall_, value); }
    void SetImagesLarge(TLumeImageList* value) { SetImages(imagesLarge_, value); }
    void SetImagesExLarge(TLumeImageList* value) { SetImages(imagesExLarge_, value); }
    void SetImagesGroup(TLumeImageList* value) { SetImages(imagesGroup_, value); }
    // An image list going away: every property naming it is emptied.
    void ImageListRemoved(TLumeImageList* list);

    bool ShowGroupMargins() const override { return showGroupMargins_; }
    void SetShowGroupMargins(bool value);
    TLumeListStyle View() const { return view_; }
    virtual void SetView(TLumeListStyle value);

    void DoUpdate() override;
    void WindowCreated() override;

    LumeRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    LumeRect ClientInViewportCoords() const;
    bool IsThumbnailView() const {
        return view_ == TLumeListStyle::elsThumbnail || view_ == TLumeListStyle::elsFilmStrip;
    }
    bool IsHeaderView() const { return view_ == TLumeListStyle::elsReport || view_ == TLumeListStyle::elsGrid; }
    void ClearStates();
    // Forgets every handler, for an owner that goes away before the control.
    void DropEventHandlers();
    // Objects taken out of their collections while a hold lasts (a piece of
    // input, or a clearing whose handlers may list again) are freed when the
    // last hold ends: the code that fired the handler may still hold them.
    void HoldFreeing() { ++freeingHolds_; }
    void ReleaseFreeing();
    // Frees an object that left its collection, now or when the holds end.
    void Dispose(TLumeCollectionItem* object);
    void MarkSelectedCut();
    void ClearCutMarks();
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream);
    TLumeGroup* GroupHitTest(LumePoint viewPoint, TLumeGroupHitTestInfos& hitInfo);
    TLumeItem* ItemHitTest(LumePoint viewPoint, TLumeGroup* group, TLumeItemHitTestInfos& hitInfo);
    bool Focused() const { return host_ && host_->HasFocus(); }
    ILumeMeasurer* Measurer() const { return host_ ? &host_->Measurer() : nullptr; }
    // The canvas handed to the painters for measuring; none until painting exists.
    TLumeCanvas* MeasureCanvas() const override { return host_ ? host_->MeasureCanvas() : nullptr; }
    // The parts' view of the control (ILumeOwner).
    TLumeGroups* OwnerGroups() const override { return Groups.get(); }
    TLumeHeader* OwnerHeader() const override { return Header.get(); }
    ILumeHost* OwnerWindow() const override { return HasWindow() ? host_ : nullptr; }
    void InvalidateOwner(const LumeRect* rect, bool immediateUpdate) override { SafeInvalidateRect(rect, immediateUpdate); }
    // The bitmap of an expand (true) or collapse button: the application's, else the default.
    const QImage& ExpandBitmap(bool expand) const;
    bool HasCustomExpandButtons() const { return !GroupExpandButton.isNull() || !GroupCollapseButton.isNull(); }
    // The in-place editing the input reaches: the item being edited, editing
    // scheduled after a click on a focused item's caption, and its start.
    virtual TLumeItem* EditingItem() const { return EditManager->Editing ? EditManager->EditItem : nullptr; }
    virtual void ScheduleEdit(LumePoint /*viewPoint*/) { EditManager->ScheduleEdit(); }
    virtual void CancelScheduledEdit() { EditManager->CancelScheduledEdit(); }
    virtual void BeginEdit(TLumeItem* item) { EditManager->BeginEdit(item); }
    // Characters typed, as the window delivers them.
    void WMChar(const QString& text);
    // The edit manager's pending item: focused, shown and edited.
    void EditPendingItem();
    // Paints the window rectangle: background, header, groups, items; only
    // the selected items with selectedOnly.
    void PaintRect(TLumeCanvas* canvas, const LumeRect& windowRect, bool selectedOnly);
    // The paint cycle for an invalid window rectangle: the area filled with
    // the control's colour, then PaintRect; nothing while an update is open.
    // Answers whether it painted.
    bool WMPaint(TLumeCanvas* canvas, const LumeRect& invalid);
    // Input, from the window's mouse, keyboard, wheel, focus and scroll bars.
    // Points are window (client) coordinates; keys are MK_ bits.
    bool IsHeaderMouseMsg(LumePoint windowPoint, bool forceTest);
    void WMLButtonDown(uint32_t keys, LumePoint windowPoint);
    void WMRButtonDown(uint32_t keys, LumePoint windowPoint);
    void WMLButtonUp(uint32_t keys, LumePoint windowPoint);
    void WMRButtonUp(uint32_t keys, LumePoint windowPoint);
    void WMButtonDblClk(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint);
    void WMMouseMove(uint32_t keys, LumePoint windowPoint);
    // The mouse left the window: hot-tracking ends.
    void WMMouseLeave();
    // Answers whether a menu was shown (or the event handled).
    bool WMContextMenu(LumePoint screenPoint);
    void WMKeyDown(uint16_t key, TShiftState shift);
    void WMSetFocus();
    void WMKillFocus();
    void WMScroll(bool vertical, int code);
    // The window's size changed (from old to new).
    void WMSize(int oldWidth, int oldHeight, int newWidth, int newHeight);
    bool DoMouseWheel(TShiftState shift, int wheelDelta, LumePoint mousePos);
    // A sideways wheel delta (a tilted wheel, a sideways swipe): the view
    // scrolls sideways, whatever the view's wheel direction.
    bool DoMouseHorzWheel(TShiftState shift, int wheelDelta, LumePoint mousePos);
    virtual void HandleDblClick(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint);
    void HandleKeyDown(uint16_t key, TShiftState shift);
    void MoveFocus(TShiftState shift, TLumeItem* target);
    void InitiateDragOrRect(TLumeItem* item, LumePoint windowPoint, TLumeKeyStates keys);
    void EndDrags(LumePoint windowPoint, TLumeKeyStates keys);
    // The lines one wheel notch scrolls.
    int WheelScrollLines = 3;

    // What the hint shows for the mouse at a window point: whether it shows,
    // its text, and the rectangle (window coordinates) it belongs to.
    struct HintQuery {
        bool Allow = false;
        QString Text;
        LumeRect CursorRect;
        TLumeCollectionItem* Target = nullptr;
        int HideTimeout = 2500;
        int ReShowTimeout = 0;
    };
    HintQuery QueryHint(LumePoint windowPoint, const QString& controlHint);

    // The rubber band over the painted items while one is dragged.
    virtual void PaintRubberBand(TLumeCanvas* canvas);
    // Clears the canvas's clip and keeps the header band out of it.
    void ClipHeader(TLumeCanvas* canvas);
    // The cell size of the current view.
    TLumeCellSize* ViewCellSize() const;
    // Widths of check boxes by their size (the painters' bound manager).
    int CheckBoundWidth(int checkSize) const;

    // Dispatch: every object of the control fires its events through these.
    virtual void DoItemCheckChanging(TLumeItem* item, bool& allow);
    virtual void DoItemCheckChange(TLumeItem* item);
    virtual void DoItemEnableChanging(TLumeItem* item, bool& allow);
    virtual void DoItemEnableChange(TLumeItem* item);
    virtual void DoItemFocusChanging(TLumeItem* item, bool& allow);
    virtual void DoItemFocusChanged(TLumeItem* item);
    virtual void DoItemSelectionChanging(TLumeItem* item, bool& allow);
    virtual void DoItemSelectionChanged(TLumeItem* item);
    virtual void DoItemVisibilityChanging(TLumeItem* item, bool& allow);
    virtual void DoItemVisibilityChanged(TLumeItem* item);
    virtual void DoItemEditBegin(TLumeItem* item, bool& allow);
    virtual void DoItemEditEnd(TLumeItem* item);
    virtual void DoItemInitialize(TLumeItem* item);
    virtual void DoItemFreeing(TLumeItem* item);
    virtual void DoGroupVisibilityChanging(TLumeGroup* group, bool& allow);
    virtual void DoGroupVisibilityChanged(TLumeGroup* group);
    virtual void DoGroupSelectionChanging(TLumeGroup* group, bool& allow);
    virtual void DoGroupSelectionChanged(TLumeGroup* group);
    virtual void DoGroupCollapsing(TLumeGroup* group, bool& allow);
    virtual void DoGroupCollapse(TLumeGroup* group);
    virtual void DoGroupExpanding(TLumeGroup* group, bool& allow);
    virtual void DoGroupExpand(TLumeGroup* group);
    virtual void DoGroupInitialize(TLumeGroup* group);
    virtual void DoGroupFreeing(TLumeGroup* group);
    virtual void DoColumnCheckChanging(TLumeColumn* column, bool& allow);
    virtual void DoColumnCheckChanged(TLumeColumn* column);
    virtual void DoColumnEnableChanging(TLumeColumn* column, bool& allow);
    virtual void DoColumnEnableChanged(TLumeColumn* column);
    virtual void DoColumnFocusChanging(TLumeColumn* column, bool& allow);
    virtual void DoColumnFocusChanged(TLumeColumn* column);
    virtual void DoColumnSelectionChanging(TLumeColumn* column, bool& allow);
    virtual void DoColumnSelectionChanged(TLumeColumn* column);
    virtual void DoColumnVisibilityChanging(TLumeColumn* column, bool& allow);
    virtual void DoColumnVisibilityChanged(TLumeColumn* column);
    virtual void DoColumnSizeChanging(TLumeColumn* column, int width, int newWidth, bool& allow);
    virtual void DoColumnSizeChanged(TLumeColumn* column);
    virtual void DoColumnInitialize(TLumeColumn* column);
    virtual void DoColumnFreeing(TLumeColumn* column);
    virtual void DoItemReadStream(TLumeCollectionItem* item, QIODevice& stream, int version);
    virtual void DoItemWriteStream(TLumeCollectionItem* item, QIODevice& stream, int version);
    virtual void DoGroupReadStream(TLumeCollectionItem* group, QIODevice& stream, int version);
    virtual void DoGroupWriteStream(TLumeCollectionItem* group, QIODevice& stream, int version);
    virtual void DoColumnReadStream(TLumeCollectionItem* column, QIODevice& stream, int version);
    virtual void DoColumnWriteStream(TLumeCollectionItem* column, QIODevice& stream, int version);
    virtual void DoItemGetCaption(TLumeItem* item, int column, QString& caption);
    virtual void DoItemSetCaption(TLumeItem* item, int column, const QString& caption);
    virtual void DoItemGetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int& imageIndex);
    virtual void DoItemSetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int imageIndex);
    virtual void DoItemGetImageList(TLumeItem* item, int column, TLumeImageList*& imageList);
    virtual void DoItemGetTileDetail(TLumeItem* item, int line, int& detail);
    virtual void DoItemSetTileDetail(TLumeItem* item, int line, int detail);
    virtual void DoItemGetTileDetailCount(TLumeItem* item, int& count);
    virtual void DoItemGetGroupKey(TLumeItem* item, int focusedColumn, uint32_t& groupKey);
    virtual void DoItemSetGroupKey(TLumeItem* item, int column, uint32_t key);
    virtual void DoGroupGetCaption(TLumeGroup* group, QString& caption);
    virtual void DoGroupSetCaption(TLumeGroup* group, const QString& caption);
    virtual void DoGroupGetImageIndex(TLumeGroup* group, TLumeImageKind kind, int& imageIndex);
    virtual void DoGroupSetImageIndex(TLumeGroup* group, TLumeImageKind kind, int imageIndex);
    virtual void DoGroupGetImageList(TLumeGroup* group, TLumeImageList*& imageList);
    virtual void DoGroupGetDetail(TLumeGroup* group, int line, int& detail);
    virtual void DoGroupSetDetail(TLumeGroup* group, int line, int detail);
    virtual void DoGroupGetDetailCount(TLumeGroup* group, int& count);
    virtual void DoColumnGetCaption(TLumeColumn* column, QString& caption);
    virtual void DoColumnSetCaption(TLumeColumn* column, const QString& caption);
    virtual void DoColumnGetImageIndex(TLumeColumn* column, TLumeImageKind kind, int& imageIndex);
    virtual void DoColumnSetImageIndex(TLumeColumn* column, TLumeImageKind kind, int imageIndex);
    virtual void DoColumnGetImageList(TLumeColumn* column, TLumeImageList*& imageList);
    virtual void DoColumnGetDetail(TLumeColumn* column, int line, int& detail);
    virtual void DoColumnSetDetail(TLumeColumn* column, int line, int detail);
    virtual void DoColumnGetDetailCount(TLumeColumn* column, int& count);
    virtual void DoItemPaintText(TLumeItem* item, TLumeCanvas* canvas);
    virtual void DoGroupPaintText(TLumeGroup* group, TLumeCanvas* canvas);
    virtual void DoColumnPaintText(TLumeColumn* column, TLumeCanvas* canvas);
    virtual void DoItemClick(TLumeItem* item, TLumeKeyStates keys, TLumeItemHitTestInfos hitInfo);
    virtual void DoGroupClick(TLumeGroup* group, TLumeKeyStates keys, TLumeGroupHitTestInfos hitInfo);
    virtual void DoColumnClick(TLumeMouseButton button, TLumeColumn* column);
    virtual void DoItemDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoItem& hitInfo);
    virtual void DoGroupDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoGroup& hitInfo);
    virtual void DoColumnDblClick(TLumeMouseButton button, TShiftState shift, TLumeColumn* column, LumePoint mousePos);
    virtual void DoDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift);
    virtual void DoHeaderDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift);
    virtual void DoHeaderMouseDown(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column);
    virtual void DoHeaderMouseUp(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column);
    virtual void DoHeaderMouseMove(TShiftState shift, int x, int y);
    virtual void DoItemContextMenu(const TLumeHitInfoItem& hitInfo, LumePoint windowPoint, QObject*& menu, bool& handled);
    virtual void DoGroupContextMenu(const TLumeHitInfoGroup& hitInfo, LumePoint windowPoint, QObject*& menu,
                                    bool& handled);
    virtual void DoColumnContextMenu(const TLumeHitInfoColumn& hitInfo, LumePoint windowPoint, QObject*& menu);
    virtual void DoItemHotTrack(TLumeItem* item, TLumeHotTrackState state, LumePoint mousePos);
    virtual void DoGroupHotTrack(TLumeGroup* group, TLumeHotTrackState state, LumePoint mousePos);
    virtual void DoKeyAction(uint16_t& charCode, TShiftState& shift, bool& doDefault);
    virtual void DoIncrementalSearch(TLumeCollectionItem* item, const QString& searchBuffer, int& compareResult);
    virtual int DoItemCompare(TLumeColumn* column, TLumeGroup* group, TLumeItem* item1, TLumeItem* item2);
    virtual int DoGroupCompare(TLumeGroup* group1, TLumeGroup* group2);
    virtual void DoViewChange();
    // The group for an item regrouped under a new key: the handler's, else a
    // new group added to the groups.
    virtual void DoAutoSortGroupCreate(TLumeItem* item, int columnIndex, TLumeGroups* groups, TLumeGroup*& group,
                                       bool& doDefaultAction);
    virtual void DoItemImageDrawIsCustom(TLumeItem* item, TLumeColumn* column, bool& isCustom);
    virtual void DoItemImageGetSize(TLumeItem* item, TLumeColumn* column, int& width, int& height);
    virtual void DoItemImageDraw(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                 const TLumeRectArrayObject& rects, TLumeAlphaBlender* blender);
    virtual void DoItemThumbnailDraw(TLumeItem* item, TLumeCanvas* canvas, const LumeRect& rect,
                                     TLumeAlphaBlender* blender, bool& doDefault);
    virtual void DoGroupImageDrawIsCustom(TLumeGroup* group, bool& isCustom);
    virtual void DoGroupImageGetSize(TLumeGroup* group, int& width, int& height);
    virtual void DoGroupImageDraw(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                                  TLumeAlphaBlender* blender);
    virtual void DoColumnImageDrawIsCustom(TLumeColumn* column, bool& isCustom);
    virtual void DoColumnImageGetSize(TLumeColumn* column, int& width, int& height);
    virtual void DoColumnImageDraw(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                                   TLumeAlphaBlender* blender);
    virtual void DoHintPopup(TLumeCollectionItem* target, TLumeHintType hintType, LumePoint mousePos, QString& text,
                             int& hideTimeout, int& reShowTimeout, bool& allow);
    virtual void DoHintPauseTime(bool hintWindowShown, int& pauseDelay);
    virtual void DoHintCustomInfo(TLumeCollectionItem* target, TLumeHintInfo* info);
    virtual void DoHintCustomDraw(TLumeCollectionItem* target, TLumeHintInfo* info);
    // The in-place editor: the handler's, else the default one.
    virtual void DoItemCreateEditor(TLumeItem* item, ILumeCellEditor*& editor);
    virtual void DoItemEdited(TLumeItem* item, QVariant& newValue, bool& accept);
    virtual void DoOLEDragStart(ILumeDataObject* data, TLumeDropEffects& available, bool& allowDrag);
    virtual void DoOLEDragEnd(ILumeDataObject* data, TLumeOLEDragResult result, TLumeDropEffects effect);
    virtual void DoOLEQueryContineDrag(bool escapePressed, TLumeKeyStates keys, TLumeQueryDragResult& result);
    virtual void DoOLEGiveFeedback(TLumeDropEffects effect, bool& useDefaultCursors);
    // Without a handler the control takes no drop: the effect becomes edeNone.
    virtual void DoOLEDragEnter(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                                TLumeDropEffects available, TLumeDropEffect& desired);
    virtual void DoOLEDragOver(TLumeKeyStates keys, LumePoint screenPoint, TLumeDropEffects available,
                               TLumeDropEffect& desired);
    virtual void DoOLEDragLeave();
    // Without a handler nobody takes the data: the effect becomes edeNone.
    virtual void DoOLEDragDrop(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                               TLumeDropEffects available, TLumeDropEffect& desired);
    virtual void DoOLEGetCustomFormats(std::vector<TLumeFormatEtc>& formats);
    virtual void DoOLEGetData(const TLumeFormatEtc& format, TLumeStgMedium& medium, bool& handled);
    virtual void DoOLEQueryData(const TLumeFormatEtc& format, bool& available, bool& handled);
    virtual void DoOLEGetDataObject(ILumeDataObject*& dataObject);
    virtual void DoGetDragImage(QImage* image, LumePoint dragStart, LumePoint& hotSpot, TColor& transparent,
                                bool& handled);
    virtual void DoClipboardCopy(bool& handled);
    virtual void DoClipboardCut(bool& markAsCut, bool& handled);
    virtual void DoClipboardPaste(bool& handled);

    // True when items are compared by a handler; a descendant that overrides
    // DoItemCompare answers true as well.
    virtual bool CustomItemCompare() const { return bool(OnItemCompare); }

protected:
    // The default comparisons, given by the sorting.
    virtual int DefaultItemCompare(TLumeColumn* column, TLumeItem* item1, TLumeItem* item2);

private:
    void MouseDown(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint);
    void MouseUp(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint);
    void PaintReportRow(TLumeCanvas* canvas, TLumeItem* item, const LumeRect& viewRect, bool selectedOnly);
    void PaintReportCell(TLumeCanvas* canvas, TLumeItem* item, TLumeColumn* column, const LumeRect* clip,
                         bool forceSelection);
    void SetImages(TLumeImageList*& field, TLumeImageList* value);
    void InstallViewClasses(TLumeListStyle view);
    // Scrolls by a wheel delta (120 a notch), carrying what is left of a pixel.
    void WheelScroll(bool vertical, bool page, int wheelDelta, int64_t& rest);

    std::unique_ptr<TLumeSelectionManager> selection_;
    std::unique_ptr<TLumePaintInfoGroup> paintInfoGroup_;
    std::unique_ptr<TLumePaintInfoItem> paintInfoItem_;
    std::unique_ptr<TLumePaintInfoColumn> paintInfoColumn_;
    TLumeImageList* imagesSmall_ = nullptr;
    TLumeImageList* imagesLarge_ = nullptr;
    TLumeImageList* imagesExLarge_ = nullptr;
    TLumeImageList* imagesGroup_ = nullptr;
    std::unique_ptr<TLumeBackgroundManager> background_;
    int64_t wheelRest_ = 0;
    int64_t horzWheelRest_ = 0;
    int freeingHolds_ = 0;
    std::vector<TLumeCollectionItem*> disposed_;
    bool showGroupMargins_ = false;
    TLumeListStyle view_ = TLumeListStyle::elsIcon;
};

// Holds the freeing of the control's objects for as long as it lives.
class TLumeFreeingHold {
public:
    explicit TLumeFreeingHold(TCustomLumeListview* lv) : lv_(lv) {
        if (lv_) lv_->HoldFreeing();
    }
    ~TLumeFreeingHold() {
        if (lv_) lv_->ReleaseFreeing();
    }
    TLumeFreeingHold(const TLumeFreeingHold&) = delete;
    TLumeFreeingHold& operator=(const TLumeFreeingHold&) = delete;

private:
    TCustomLumeListview* lv_;
};

}  // namespace lume
