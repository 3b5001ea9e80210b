// What a part of the control may ask of it: its groups, header, selection,
// host, paint settings and measuring canvas, whether group margins show,
// a repaint, and the Do… sink its events go through. The control
// implements it; a part reaches it through Owner() and includes the headers
// of what it uses, not the control's own.
#pragma once

#include "listview/LumeListviewEvents.h"
#include "listview/LumeTypes.h"

class QFont;

namespace lume {

class ILumeHost;
class ILumeMeasurer;
class TLumeCellSizes;
class TLumeGlobalImageManager;
class TLumeCanvas;
class TLumeGroups;
class TLumeHeader;
class TLumeHintInfo;
class TLumePaintInfoColumn;
class TLumePaintInfoGroup;
class TLumePaintInfoItem;
class TLumeScrollbarManager;
class TLumeSelectionManager;

// What the control is doing with the mouse (its States).
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

// The control's events as its parts fire them: each Do… runs the
// application's handler, if any, and the control's own reaction.
class ILumeEventSink {
public:
    virtual void DoItemCheckChanging(TLumeItem* item, bool& allow) = 0;
    virtual void DoItemCheckChange(TLumeItem* item) = 0;
    virtual void DoItemEnableChanging(TLumeItem* item, bool& allow) = 0;
    virtual void DoItemEnableChange(TLumeItem* item) = 0;
    virtual void DoItemFocusChanging(TLumeItem* item, bool& allow) = 0;
    virtual void DoItemFocusChanged(TLumeItem* item) = 0;
    virtual void DoItemSelectionChanging(TLumeItem* item, bool& allow) = 0;
    virtual void DoItemSelectionChanged(TLumeItem* item) = 0;
    virtual void DoItemVisibilityChanging(TLumeItem* item, bool& allow) = 0;
    virtual void DoItemVisibilityChanged(TLumeItem* item) = 0;
    virtual void DoItemEditBegin(TLumeItem* item, bool& allow) = 0;
    virtual void DoItemEditEnd(TLumeItem* item) = 0;
    virtual void DoItemInitialize(TLumeItem* item) = 0;
    virtual void DoItemFreeing(TLumeItem* item) = 0;
    virtual void DoGroupVisibilityChanging(TLumeGroup* group, bool& allow) = 0;
    virtual void DoGroupVisibilityChanged(TLumeGroup* group) = 0;
    virtual void DoGroupSelectionChanging(TLumeGroup* group, bool& allow) = 0;
    virtual void DoGroupSelectionChanged(TLumeGroup* group) = 0;
    virtual void DoGroupCollapsing(TLumeGroup* group, bool& allow) = 0;
    virtual void DoGroupCollapse(TLumeGroup* group) = 0;
    virtual void DoGroupExpanding(TLumeGroup* group, bool& allow) = 0;
    virtual void DoGroupExpand(TLumeGroup* group) = 0;
    virtual void DoGroupInitialize(TLumeGroup* group) = 0;
    virtual void DoGroupFreeing(TLumeGroup* group) = 0;
    virtual void DoColumnCheckChanging(TLumeColumn* column, bool& allow) = 0;
    virtual void DoColumnCheckChanged(TLumeColumn* column) = 0;
    virtual void DoColumnEnableChanging(TLumeColumn* column, bool& allow) = 0;
    virtual void DoColumnEnableChanged(TLumeColumn* column) = 0;
    virtual void DoColumnFocusChanging(TLumeColumn* column, bool& allow) = 0;
    virtual void DoColumnFocusChanged(TLumeColumn* column) = 0;
    virtual void DoColumnSelectionChanging(TLumeColumn* column, bool& allow) = 0;
    virtual void DoColumnSelectionChanged(TLumeColumn* column) = 0;
    virtual void DoColumnVisibilityChanging(TLumeColumn* column, bool& allow) = 0;
    virtual void DoColumnVisibilityChanged(TLumeColumn* column) = 0;
    virtual void DoColumnSizeChanging(TLumeColumn* column, int width, int newWidth, bool& allow) = 0;
    virtual void DoColumnSizeChanged(TLumeColumn* column) = 0;
    virtual void DoColumnInitialize(TLumeColumn* column) = 0;
    virtual void DoColumnFreeing(TLumeColumn* column) = 0;
    virtual void DoItemReadStream(TLumeCollectionItem* item, QIODevice& stream, int version) = 0;
    virtual void DoItemWriteStream(TLumeCollectionItem* item, QIODevice& stream, int version) = 0;
    virtual void DoGroupReadStream(TLumeCollectionItem* group, QIODevice& stream, int version) = 0;
    virtual void DoGroupWriteStream(TLumeCollectionItem* group, QIODevice& stream, int version) = 0;
    virtual void DoColumnReadStream(TLumeCollectionItem* column, QIODevice& stream, int version) = 0;
    virtual void DoColumnWriteStream(TLumeCollectionItem* column, QIODevice& stream, int version) = 0;
    virtual void DoItemGetCaption(TLumeItem* item, int column, QString& caption) = 0;
    virtual void DoItemSetCaption(TLumeItem* item, int column, const QString& caption) = 0;
    virtual void DoItemGetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int& imageIndex) = 0;
    virtual void DoItemSetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int imageIndex) = 0;
    virtual void DoItemGetImageList(TLumeItem* item, int column, TLumeImageList*& imageList) = 0;
    virtual void DoItemGetTileDetail(TLumeItem* item, int line, int& detail) = 0;
    virtual void DoItemSetTileDetail(TLumeItem* item, int line, int detail) = 0;
    virtual void DoItemGetTileDetailCount(TLumeItem* item, int& count) = 0;
    virtual void DoItemGetGroupKey(TLumeItem* item, int focusedColumn, uint32_t& groupKey) = 0;
    virtual void DoItemSetGroupKey(TLumeItem* item, int column, uint32_t key) = 0;
    virtual void DoGroupGetCaption(TLumeGroup* group, QString& caption) = 0;
    virtual void DoGroupSetCaption(TLumeGroup* group, const QString& caption) = 0;
    virtual void DoGroupGetImageIndex(TLumeGroup* group, TLumeImageKind kind, int& imageIndex) = 0;
    virtual void DoGroupSetImageIndex(TLumeGroup* group, TLumeImageKind kind, int imageIndex) = 0;
    virtual void DoGroupGetImageList(TLumeGroup* group, TLumeImageList*& imageList) = 0;
    virtual void DoGroupGetDetail(TLumeGroup* group, int line, int& detail) = 0;
    virtual void DoGroupSetDetail(TLumeGroup* group, int line, int detail) = 0;
    virtual void DoGroupGetDetailCount(TLumeGroup* group, int& count) = 0;
    virtual void DoColumnGetCaption(TLumeColumn* column, QString& caption) = 0;
    virtual void DoColumnSetCaption(TLumeColumn* column, const QString& caption) = 0;
    virtual void DoColumnGetImageIndex(TLumeColumn* column, TLumeImageKind kind, int& imageIndex) = 0;
    virtual void DoColumnSetImageIndex(TLumeColumn* column, TLumeImageKind kind, int imageIndex) = 0;
    virtual void DoColumnGetImageList(TLumeColumn* column, TLumeImageList*& imageList) = 0;
    virtual void DoColumnGetDetail(TLumeColumn* column, int line, int& detail) = 0;
    virtual void DoColumnSetDetail(TLumeColumn* column, int line, int detail) = 0;
    virtual void DoColumnGetDetailCount(TLumeColumn* column, int& count) = 0;
    virtual void DoItemPaintText(TLumeItem* item, TLumeCanvas* canvas) = 0;
    virtual void DoGroupPaintText(TLumeGroup* group, TLumeCanvas* canvas) = 0;
    virtual void DoColumnPaintText(TLumeColumn* column, TLumeCanvas* canvas) = 0;
    virtual void DoItemClick(TLumeItem* item, TLumeKeyStates keys, TLumeItemHitTestInfos hitInfo) = 0;
    virtual void DoGroupClick(TLumeGroup* group, TLumeKeyStates keys, TLumeGroupHitTestInfos hitInfo) = 0;
    virtual void DoColumnClick(TLumeMouseButton button, TLumeColumn* column) = 0;
    virtual void DoItemDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoItem& hitInfo) = 0;
    virtual void DoGroupDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoGroup& hitInfo) = 0;
    virtual void DoColumnDblClick(TLumeMouseButton button, TShiftState shift, TLumeColumn* column, LumePoint mousePos) = 0;
    virtual void DoDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift) = 0;
    virtual void DoHeaderDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift) = 0;
    virtual void DoHeaderMouseDown(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column) = 0;
    virtual void DoHeaderMouseUp(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column) = 0;
    virtual void DoHeaderMouseMove(TShiftState shift, int x, int y) = 0;
    virtual void DoItemContextMenu(const TLumeHitInfoItem& hitInfo, LumePoint windowPoint, QObject*& menu, bool& handled) = 0;
    virtual void DoGroupContextMenu(const TLumeHitInfoGroup& hitInfo, LumePoint windowPoint, QObject*& menu,
                                    bool& handled) = 0;
    virtual void DoColumnContextMenu(const TLumeHitInfoColumn& hitInfo, LumePoint windowPoint, QObject*& menu) = 0;
    virtual void DoItemHotTrack(TLumeItem* item, TLumeHotTrackState state, LumePoint mousePos) = 0;
    virtual void DoGroupHotTrack(TLumeGroup* group, TLumeHotTrackState state, LumePoint mousePos) = 0;
    virtual void DoKeyAction(uint16_t& charCode, TShiftState& shift, bool& doDefault) = 0;
    virtual void DoIncrementalSearch(TLumeCollectionItem* item, const QString& searchBuffer, int& compareResult) = 0;
    virtual int DoItemCompare(TLumeColumn* column, TLumeGroup* group, TLumeItem* item1, TLumeItem* item2) = 0;
    virtual int DoGroupCompare(TLumeGroup* group1, TLumeGroup* group2) = 0;
    virtual void DoViewChange() = 0;
    // The group for an item regrouped under a new key: the handler's, else a
    // new group added to the groups.
    virtual void DoAutoSortGroupCreate(TLumeItem* item, int columnIndex, TLumeGroups* groups, TLumeGroup*& group,
                                       bool& doDefaultAction) = 0;
    virtual void DoItemImageDrawIsCustom(TLumeItem* item, TLumeColumn* column, bool& isCustom) = 0;
    virtual void DoItemImageGetSize(TLumeItem* item, TLumeColumn* column, int& width, int& height) = 0;
    virtual void DoItemImageDraw(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                 const TLumeRectArrayObject& rects, TLumeAlphaBlender* blender) = 0;
    virtual void DoItemThumbnailDraw(TLumeItem* item, TLumeCanvas* canvas, const LumeRect& rect,
                                     TLumeAlphaBlender* blender, bool& doDefault) = 0;
    virtual void DoGroupImageDrawIsCustom(TLumeGroup* group, bool& isCustom) = 0;
    virtual void DoGroupImageGetSize(TLumeGroup* group, int& width, int& height) = 0;
    virtual void DoGroupImageDraw(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                                  TLumeAlphaBlender* blender) = 0;
    virtual void DoColumnImageDrawIsCustom(TLumeColumn* column, bool& isCustom) = 0;
    virtual void DoColumnImageGetSize(TLumeColumn* column, int& width, int& height) = 0;
    virtual void DoColumnImageDraw(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                                   TLumeAlphaBlender* blender) = 0;
    virtual void DoHintPopup(TLumeCollectionItem* target, TLumeHintType hintType, LumePoint mousePos, QString& text,
                             int& hideTimeout, int& reShowTimeout, bool& allow) = 0;
    virtual void DoHintPauseTime(bool hintWindowShown, int& pauseDelay) = 0;
    virtual void DoHintCustomInfo(TLumeCollectionItem* target, TLumeHintInfo* info) = 0;
    virtual void DoHintCustomDraw(TLumeCollectionItem* target, TLumeHintInfo* info) = 0;
    // The in-place editor: the handler's, else the default one.
    virtual void DoItemCreateEditor(TLumeItem* item, ILumeCellEditor*& editor) = 0;
    virtual void DoItemEdited(TLumeItem* item, QVariant& newValue, bool& accept) = 0;
    virtual void DoOLEDragStart(ILumeDataObject* data, TLumeDropEffects& available, bool& allowDrag) = 0;
    virtual void DoOLEDragEnd(ILumeDataObject* data, TLumeOLEDragResult result, TLumeDropEffects effect) = 0;
    virtual void DoOLEQueryContineDrag(bool escapePressed, TLumeKeyStates keys, TLumeQueryDragResult& result) = 0;
    virtual void DoOLEGiveFeedback(TLumeDropEffects effect, bool& useDefaultCursors) = 0;
    // Without a handler the control takes no drop: the effect becomes edeNone.
    virtual void DoOLEDragEnter(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                                TLumeDropEffects available, TLumeDropEffect& desired) = 0;
    virtual void DoOLEDragOver(TLumeKeyStates keys, LumePoint screenPoint, TLumeDropEffects available,
                               TLumeDropEffect& desired) = 0;
    virtual void DoOLEDragLeave() = 0;
    // Without a handler nobody takes the data: the effect becomes edeNone.
    virtual void DoOLEDragDrop(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                               TLumeDropEffects available, TLumeDropEffect& desired) = 0;
    virtual void DoOLEGetCustomFormats(std::vector<TLumeFormatEtc>& formats) = 0;
    virtual void DoOLEGetData(const TLumeFormatEtc& format, TLumeStgMedium& medium, bool& handled) = 0;
    virtual void DoOLEQueryData(const TLumeFormatEtc& format, bool& available, bool& handled) = 0;
    virtual void DoOLEGetDataObject(ILumeDataObject*& dataObject) = 0;
    virtual void DoGetDragImage(QImage* image, LumePoint dragStart, LumePoint& hotSpot, TColor& transparent,
                                bool& handled) = 0;
    virtual void DoClipboardCopy(bool& handled) = 0;
    virtual void DoClipboardCut(bool& markAsCut, bool& handled) = 0;
    virtual void DoClipboardPaste(bool& handled) = 0;

protected:
    ~ILumeEventSink() = default;
};

class ILumeOwner : public ILumeEventSink {
public:
    virtual TLumeGroups* OwnerGroups() const = 0;
    virtual TLumeHeader* OwnerHeader() const = 0;
    // The header's rectangle, for the parts the header lies above.
    virtual LumeRect HeaderDisplayRect() const = 0;
    virtual TLumeSelectionManager* Selection() const = 0;
    // Whether the host's window exists.
    virtual bool HasWindow() const = 0;
    // Open BeginUpdate calls.
    virtual int OwnerUpdateCount() const = 0;
    // The host, even before its window exists; null without one.
    virtual ILumeHost* Host() const = 0;
    // The window, or null while the control has none.
    virtual ILumeHost* OwnerWindow() const = 0;
    virtual TLumePaintInfoGroup* PaintInfoGroup() const = 0;
    virtual TLumePaintInfoItem* PaintInfoItem() const = 0;
    virtual TLumePaintInfoColumn* PaintInfoColumn() const = 0;
    virtual TLumeCanvas* MeasureCanvas() const = 0;
    virtual ILumeMeasurer* Measurer() const = 0;
    virtual TLumeCellSizes* OwnerCellSizes() const = 0;
    virtual TLumeScrollbarManager* OwnerScrollbars() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual LumeRect ClientInViewportCoords() const = 0;
    virtual bool Focused() const = 0;
    // Whether the theme's painting is used.
    virtual bool DrawWithThemes() const = 0;
    // LumeListviewState bits.
    virtual uint16_t OwnerStates() const = 0;
    virtual TLumeGlobalImageManager* OwnerGlobalImages() const = 0;
    // Whether a window point lies on the header (forceTest: even while no button is down).
    virtual bool IsHeaderMouseMsg(LumePoint windowPoint, bool forceTest) = 0;
    // The control's colour and the groups' font.
    virtual TColor OwnerColor() const = 0;
    virtual const QFont& OwnerGroupFont() const = 0;
    virtual bool ShowGroupMargins() const = 0;
    virtual TLumeListStyle View() const = 0;
    // The hint's settings, and the kind of hint the control shows.
    virtual TLumeHintInfo* OwnerHintInfo() const = 0;
    virtual TLumeHintType OwnerHintType() const = 0;
    // Objects that leave their collections while a hold lasts are freed when
    // the last hold ends (TLumeFreeingHold).
    virtual void HoldFreeing() = 0;
    virtual void ReleaseFreeing() = 0;
    // The rectangle (null: the whole window) painted again, now or later.
    virtual void InvalidateOwner(const LumeRect* rect, bool immediateUpdate) = 0;

protected:
    ~ILumeOwner() = default;
};

// Holds the freeing of the control's objects for as long as it lives.
class TLumeFreeingHold {
public:
    explicit TLumeFreeingHold(ILumeOwner* lv) : lv_(lv) {
        if (lv_) lv_->HoldFreeing();
    }
    ~TLumeFreeingHold() {
        if (lv_) lv_->ReleaseFreeing();
    }
    TLumeFreeingHold(const TLumeFreeingHold&) = delete;
    TLumeFreeingHold& operator=(const TLumeFreeingHold&) = delete;

private:
    ILumeOwner* lv_;
};

}  // namespace lume
