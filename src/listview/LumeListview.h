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
    TLumeListStyle View() const override { return view_; }
    virtual void SetView(TLumeListStyle value);

    void DoUpdate() override;
    void WindowCreated() override;

    LumeRect ClientRect() const;
    int ClientWidth() const override { return ClientRect().Width(); }
    int ClientHeight() const override { return ClientRect().Height(); }
    LumeRect ClientInViewportCoords() const override;
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
    void HoldFreeing() override { ++freeingHolds_; }
    void ReleaseFreeing() override;
    // Frees an object that left its collection, now or when the holds end.
    void Dispose(TLumeCollectionItem* object);
    void MarkSelectedCut();
    void ClearCutMarks();
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream);
    TLumeGroup* GroupHitTest(LumePoint viewPoint, TLumeGroupHitTestInfos& hitInfo);
    TLumeItem* ItemHitTest(LumePoint viewPoint, TLumeGroup* group, TLumeItemHitTestInfos& hitInfo);
    bool Focused() const override { return host_ && host_->HasFocus(); }
    ILumeMeasurer* Measurer() const override { return host_ ? &host_->Measurer() : nullptr; }
    // The canvas handed to the painters for measuring; none until painting exists.
    TLumeCanvas* MeasureCanvas() const override { return host_ ? host_->MeasureCanvas() : nullptr; }
    // The parts' view of the control (ILumeOwner).
    TLumeGroups* OwnerGroups() const override { return Groups.get(); }
    TLumeHeader* OwnerHeader() const override { return Header.get(); }
    TLumeCellSizes* OwnerCellSizes() const override { return CellSizes.get(); }
    TLumeScrollbarManager* OwnerScrollbars() const override { return Scrollbars.get(); }
    ILumeHost* Host() const override { return TLumeCanvasControl::Host(); }
    bool HasWindow() const override { return TLumeCanvasControl::HasWindow(); }
    int OwnerUpdateCount() const override { return UpdateCount; }
    bool DrawWithThemes() const override { return TLumeCanvasControl::DrawWithThemes(); }
    uint16_t OwnerStates() const override { return States; }
    TLumeGlobalImageManager* OwnerGlobalImages() const override { return GlobalImages.get(); }
    TColor OwnerColor() const override { return Color; }
    const QFont& OwnerGroupFont() const override { return GroupFont; }
    LumeRect HeaderDisplayRect() const override { return Header->DisplayRect; }
    TLumeHintInfo* OwnerHintInfo() const override { return HintInfo.get(); }
    TLumeHintType OwnerHintType() const override { return HintType; }
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
    bool IsHeaderMouseMsg(LumePoint windowPoint, bool forceTest) override;
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

    // Dispatch (ILumeEventSink): every object of the control fires its events through these.
    void DoItemCheckChanging(TLumeItem* item, bool& allow) override;
    void DoItemCheckChange(TLumeItem* item) override;
    void DoItemEnableChanging(TLumeItem* item, bool& allow) override;
    void DoItemEnableChange(TLumeItem* item) override;
    void DoItemFocusChanging(TLumeItem* item, bool& allow) override;
    void DoItemFocusChanged(TLumeItem* item) override;
    void DoItemSelectionChanging(TLumeItem* item, bool& allow) override;
    void DoItemSelectionChanged(TLumeItem* item) override;
    void DoItemVisibilityChanging(TLumeItem* item, bool& allow) override;
    void DoItemVisibilityChanged(TLumeItem* item) override;
    void DoItemEditBegin(TLumeItem* item, bool& allow) override;
    void DoItemEditEnd(TLumeItem* item) override;
    void DoItemInitialize(TLumeItem* item) override;
    void DoItemFreeing(TLumeItem* item) override;
    void DoGroupVisibilityChanging(TLumeGroup* group, bool& allow) override;
    void DoGroupVisibilityChanged(TLumeGroup* group) override;
    void DoGroupSelectionChanging(TLumeGroup* group, bool& allow) override;
    void DoGroupSelectionChanged(TLumeGroup* group) override;
    void DoGroupCollapsing(TLumeGroup* group, bool& allow) override;
    void DoGroupCollapse(TLumeGroup* group) override;
    void DoGroupExpanding(TLumeGroup* group, bool& allow) override;
    void DoGroupExpand(TLumeGroup* group) override;
    void DoGroupInitialize(TLumeGroup* group) override;
    void DoGroupFreeing(TLumeGroup* group) override;
    void DoColumnCheckChanging(TLumeColumn* column, bool& allow) override;
    void DoColumnCheckChanged(TLumeColumn* column) override;
    void DoColumnEnableChanging(TLumeColumn* column, bool& allow) override;
    void DoColumnEnableChanged(TLumeColumn* column) override;
    void DoColumnFocusChanging(TLumeColumn* column, bool& allow) override;
    void DoColumnFocusChanged(TLumeColumn* column) override;
    void DoColumnSelectionChanging(TLumeColumn* column, bool& allow) override;
    void DoColumnSelectionChanged(TLumeColumn* column) override;
    void DoColumnVisibilityChanging(TLumeColumn* column, bool& allow) override;
    void DoColumnVisibilityChanged(TLumeColumn* column) override;
    void DoColumnSizeChanging(TLumeColumn* column, int width, int newWidth, bool& allow) override;
    void DoColumnSizeChanged(TLumeColumn* column) override;
    void DoColumnInitialize(TLumeColumn* column) override;
    void DoColumnFreeing(TLumeColumn* column) override;
    void DoItemReadStream(TLumeCollectionItem* item, QIODevice& stream, int version) override;
    void DoItemWriteStream(TLumeCollectionItem* item, QIODevice& stream, int version) override;
    void DoGroupReadStream(TLumeCollectionItem* group, QIODevice& stream, int version) override;
    void DoGroupWriteStream(TLumeCollectionItem* group, QIODevice& stream, int version) override;
    void DoColumnReadStream(TLumeCollectionItem* column, QIODevice& stream, int version) override;
    void DoColumnWriteStream(TLumeCollectionItem* column, QIODevice& stream, int version) override;
    void DoItemGetCaption(TLumeItem* item, int column, QString& caption) override;
    void DoItemSetCaption(TLumeItem* item, int column, const QString& caption) override;
    void DoItemGetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int& imageIndex) override;
    void DoItemSetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int imageIndex) override;
    void DoItemGetImageList(TLumeItem* item, int column, TLumeImageList*& imageList) override;
    void DoItemGetTileDetail(TLumeItem* item, int line, int& detail) override;
    void DoItemSetTileDetail(TLumeItem* item, int line, int detail) override;
    void DoItemGetTileDetailCount(TLumeItem* item, int& count) override;
    void DoItemGetGroupKey(TLumeItem* item, int focusedColumn, uint32_t& groupKey) override;
    void DoItemSetGroupKey(TLumeItem* item, int column, uint32_t key) override;
    void DoGroupGetCaption(TLumeGroup* group, QString& caption) override;
    void DoGroupSetCaption(TLumeGroup* group, const QString& caption) override;
    void DoGroupGetImageIndex(TLumeGroup* group, TLumeImageKind kind, int& imageIndex) override;
    void DoGroupSetImageIndex(TLumeGroup* group, TLumeImageKind kind, int imageIndex) override;
    void DoGroupGetImageList(TLumeGroup* group, TLumeImageList*& imageList) override;
    void DoGroupGetDetail(TLumeGroup* group, int line, int& detail) override;
    void DoGroupSetDetail(TLumeGroup* group, int line, int detail) override;
    void DoGroupGetDetailCount(TLumeGroup* group, int& count) override;
    void DoColumnGetCaption(TLumeColumn* column, QString& caption) override;
    void DoColumnSetCaption(TLumeColumn* column, const QString& caption) override;
    void DoColumnGetImageIndex(TLumeColumn* column, TLumeImageKind kind, int& imageIndex) override;
    void DoColumnSetImageIndex(TLumeColumn* column, TLumeImageKind kind, int imageIndex) override;
    void DoColumnGetImageList(TLumeColumn* column, TLumeImageList*& imageList) override;
    void DoColumnGetDetail(TLumeColumn* column, int line, int& detail) override;
    void DoColumnSetDetail(TLumeColumn* column, int line, int detail) override;
    void DoColumnGetDetailCount(TLumeColumn* column, int& count) override;
    void DoItemPaintText(TLumeItem* item, TLumeCanvas* canvas) override;
    void DoGroupPaintText(TLumeGroup* group, TLumeCanvas* canvas) override;
    void DoColumnPaintText(TLumeColumn* column, TLumeCanvas* canvas) override;
    void DoItemClick(TLumeItem* item, TLumeKeyStates keys, TLumeItemHitTestInfos hitInfo) override;
    void DoGroupClick(TLumeGroup* group, TLumeKeyStates keys, TLumeGroupHitTestInfos hitInfo) override;
    void DoColumnClick(TLumeMouseButton button, TLumeColumn* column) override;
    void DoItemDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoItem& hitInfo) override;
    void DoGroupDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoGroup& hitInfo) override;
    void DoColumnDblClick(TLumeMouseButton button, TShiftState shift, TLumeColumn* column, LumePoint mousePos) override;
    void DoDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift) override;
    void DoHeaderDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift) override;
    void DoHeaderMouseDown(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column) override;
    void DoHeaderMouseUp(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column) override;
    void DoHeaderMouseMove(TShiftState shift, int x, int y) override;
    void DoItemContextMenu(const TLumeHitInfoItem& hitInfo, LumePoint windowPoint, QObject*& menu, bool& handled) override;
    void DoGroupContextMenu(const TLumeHitInfoGroup& hitInfo, LumePoint windowPoint, QObject*& menu,
                            bool& handled) override;
    void DoColumnContextMenu(const TLumeHitInfoColumn& hitInfo, LumePoint windowPoint, QObject*& menu) override;
    void DoItemHotTrack(TLumeItem* item, TLumeHotTrackState state, LumePoint mousePos) override;
    void DoGroupHotTrack(TLumeGroup* group, TLumeHotTrackState state, LumePoint mousePos) override;
    void DoKeyAction(uint16_t& charCode, TShiftState& shift, bool& doDefault) override;
    void DoIncrementalSearch(TLumeCollectionItem* item, const QString& searchBuffer, int& compareResult) override;
    int DoItemCompare(TLumeColumn* column, TLumeGroup* group, TLumeItem* item1, TLumeItem* item2) override;
    int DoGroupCompare(TLumeGroup* group1, TLumeGroup* group2) override;
    void DoViewChange() override;
    // The group for an item regrouped under a new key: the handler's, else a
    // new group added to the groups.
    void DoAutoSortGroupCreate(TLumeItem* item, int columnIndex, TLumeGroups* groups, TLumeGroup*& group,
                               bool& doDefaultAction) override;
    void DoItemImageDrawIsCustom(TLumeItem* item, TLumeColumn* column, bool& isCustom) override;
    void DoItemImageGetSize(TLumeItem* item, TLumeColumn* column, int& width, int& height) override;
    void DoItemImageDraw(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                         const TLumeRectArrayObject& rects, TLumeAlphaBlender* blender) override;
    void DoItemThumbnailDraw(TLumeItem* item, TLumeCanvas* canvas, const LumeRect& rect,
                             TLumeAlphaBlender* blender, bool& doDefault) override;
    void DoGroupImageDrawIsCustom(TLumeGroup* group, bool& isCustom) override;
    void DoGroupImageGetSize(TLumeGroup* group, int& width, int& height) override;
    void DoGroupImageDraw(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                          TLumeAlphaBlender* blender) override;
    void DoColumnImageDrawIsCustom(TLumeColumn* column, bool& isCustom) override;
    void DoColumnImageGetSize(TLumeColumn* column, int& width, int& height) override;
    void DoColumnImageDraw(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                           TLumeAlphaBlender* blender) override;
    void DoHintPopup(TLumeCollectionItem* target, TLumeHintType hintType, LumePoint mousePos, QString& text,
                     int& hideTimeout, int& reShowTimeout, bool& allow) override;
    void DoHintPauseTime(bool hintWindowShown, int& pauseDelay) override;
    void DoHintCustomInfo(TLumeCollectionItem* target, TLumeHintInfo* info) override;
    void DoHintCustomDraw(TLumeCollectionItem* target, TLumeHintInfo* info) override;
    // The in-place editor: the handler's, else the default one.
    void DoItemCreateEditor(TLumeItem* item, ILumeCellEditor*& editor) override;
    void DoItemEdited(TLumeItem* item, QVariant& newValue, bool& accept) override;
    void DoOLEDragStart(ILumeDataObject* data, TLumeDropEffects& available, bool& allowDrag) override;
    void DoOLEDragEnd(ILumeDataObject* data, TLumeOLEDragResult result, TLumeDropEffects effect) override;
    void DoOLEQueryContineDrag(bool escapePressed, TLumeKeyStates keys, TLumeQueryDragResult& result) override;
    void DoOLEGiveFeedback(TLumeDropEffects effect, bool& useDefaultCursors) override;
    // Without a handler the control takes no drop: the effect becomes edeNone.
    void DoOLEDragEnter(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                        TLumeDropEffects available, TLumeDropEffect& desired) override;
    void DoOLEDragOver(TLumeKeyStates keys, LumePoint screenPoint, TLumeDropEffects available,
                       TLumeDropEffect& desired) override;
    void DoOLEDragLeave() override;
    // Without a handler nobody takes the data: the effect becomes edeNone.
    void DoOLEDragDrop(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                       TLumeDropEffects available, TLumeDropEffect& desired) override;
    void DoOLEGetCustomFormats(std::vector<TLumeFormatEtc>& formats) override;
    void DoOLEGetData(const TLumeFormatEtc& format, TLumeStgMedium& medium, bool& handled) override;
    void DoOLEQueryData(const TLumeFormatEtc& format, bool& available, bool& handled) override;
    void DoOLEGetDataObject(ILumeDataObject*& dataObject) override;
    void DoGetDragImage(QImage* image, LumePoint dragStart, LumePoint& hotSpot, TColor& transparent,
                        bool& handled) override;
    void DoClipboardCopy(bool& handled) override;
    void DoClipboardCut(bool& markAsCut, bool& handled) override;
    void DoClipboardPaste(bool& handled) override;

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

}  // namespace lume
