// Event dispatch: each Do operation calls its handler with the control as
// sender when one is assigned; descendants may override any of them.
#include "listview/LumeListview.h"

#include "listview/LumeWideStrings.h"

namespace lume {

void TCustomLumeListview::DoItemCheckChanging(TLumeItem* item, bool& allow) {
    if (OnItemCheckChanging) OnItemCheckChanging(this, item, allow);
}

void TCustomLumeListview::DoItemCheckChange(TLumeItem* item) {
    if (OnItemCheckChange) OnItemCheckChange(this, item);
}

void TCustomLumeListview::DoItemEnableChanging(TLumeItem* item, bool& allow) {
    if (OnItemEnableChanging) OnItemEnableChanging(this, item, allow);
}

void TCustomLumeListview::DoItemEnableChange(TLumeItem* item) {
    if (OnItemEnableChange) OnItemEnableChange(this, item);
}

void TCustomLumeListview::DoItemFocusChanging(TLumeItem* item, bool& allow) {
    if (OnItemFocusChanging) OnItemFocusChanging(this, item, allow);
}

void TCustomLumeListview::DoItemFocusChanged(TLumeItem* item) {
    if (OnItemFocusChanged) OnItemFocusChanged(this, item);
}

void TCustomLumeListview::DoItemSelectionChanging(TLumeItem* item, bool& allow) {
    if (OnItemSelectionChanging) OnItemSelectionChanging(this, item, allow);
}

void TCustomLumeListview::DoItemSelectionChanged(TLumeItem* item) {
    if (OnItemSelectionChanged) OnItemSelectionChanged(this, item);
}

void TCustomLumeListview::DoItemVisibilityChanging(TLumeItem* item, bool& allow) {
    if (OnItemVisibilityChanging) OnItemVisibilityChanging(this, item, allow);
}

void TCustomLumeListview::DoItemVisibilityChanged(TLumeItem* item) {
    if (OnItemVisibilityChanged) OnItemVisibilityChanged(this, item);
}

void TCustomLumeListview::DoItemEditBegin(TLumeItem* item, bool& allow) {
    if (OnItemEditBegin) OnItemEditBegin(this, item, allow);
}

void TCustomLumeListview::DoItemEditEnd(TLumeItem* item) {
    if (OnItemEditEnd) OnItemEditEnd(this, item);
}

void TCustomLumeListview::DoItemInitialize(TLumeItem* item) {
    if (OnItemInitialize) OnItemInitialize(this, item);
}

void TCustomLumeListview::DoItemFreeing(TLumeItem* item) {
    if (OnItemFreeing) OnItemFreeing(this, item);
}

void TCustomLumeListview::DoGroupVisibilityChanging(TLumeGroup* group, bool& allow) {
    if (OnGroupVisibilityChanging) OnGroupVisibilityChanging(this, group, allow);
}

void TCustomLumeListview::DoGroupVisibilityChanged(TLumeGroup* group) {
    if (OnGroupVisibilityChanged) OnGroupVisibilityChanged(this, group);
}

void TCustomLumeListview::DoGroupSelectionChanging(TLumeGroup* group, bool& allow) {
    if (OnGroupSelectionChanging) OnGroupSelectionChanging(this, group, allow);
}

void TCustomLumeListview::DoGroupSelectionChanged(TLumeGroup* group) {
    if (OnGroupSelectionChanged) OnGroupSelectionChanged(this, group);
}

void TCustomLumeListview::DoGroupCollapsing(TLumeGroup* group, bool& allow) {
    if (OnGroupCollapsing) OnGroupCollapsing(this, group, allow);
}

void TCustomLumeListview::DoGroupCollapse(TLumeGroup* group) {
    if (OnGroupCollapse) OnGroupCollapse(this, group);
}

void TCustomLumeListview::DoGroupExpanding(TLumeGroup* group, bool& allow) {
    if (OnGroupExpanding) OnGroupExpanding(this, group, allow);
}

void TCustomLumeListview::DoGroupInitialize(TLumeGroup* group) {
    if (OnGroupInitialize) OnGroupInitialize(this, group);
}

void TCustomLumeListview::DoGroupFreeing(TLumeGroup* group) {
    if (OnGroupFreeing) OnGroupFreeing(this, group);
}

void TCustomLumeListview::DoColumnCheckChanging(TLumeColumn* column, bool& allow) {
    if (OnColumnCheckChanging) OnColumnCheckChanging(this, column, allow);
}

void TCustomLumeListview::DoColumnCheckChanged(TLumeColumn* column) {
    if (OnColumnCheckChanged) OnColumnCheckChanged(this, column);
}

void TCustomLumeListview::DoColumnEnableChanging(TLumeColumn* column, bool& allow) {
    if (OnColumnEnableChanging) OnColumnEnableChanging(this, column, allow);
}

void TCustomLumeListview::DoColumnEnableChanged(TLumeColumn* column) {
    if (OnColumnEnableChanged) OnColumnEnableChanged(this, column);
}

void TCustomLumeListview::DoColumnFocusChanging(TLumeColumn* column, bool& allow) {
    if (OnColumnFocusChanging) OnColumnFocusChanging(this, column, allow);
}

void TCustomLumeListview::DoColumnFocusChanged(TLumeColumn* column) {
    if (OnColumnFocusChanged) OnColumnFocusChanged(this, column);
}

void TCustomLumeListview::DoColumnSelectionChanging(TLumeColumn* column, bool& allow) {
    if (OnColumnSelectionChanging) OnColumnSelectionChanging(this, column, allow);
}

void TCustomLumeListview::DoColumnSelectionChanged(TLumeColumn* column) {
    if (OnColumnSelectionChanged) OnColumnSelectionChanged(this, column);
}

void TCustomLumeListview::DoColumnVisibilityChanging(TLumeColumn* column, bool& allow) {
    if (OnColumnVisibilityChanging) OnColumnVisibilityChanging(this, column, allow);
}

void TCustomLumeListview::DoColumnVisibilityChanged(TLumeColumn* column) {
    if (OnColumnVisibilityChanged) OnColumnVisibilityChanged(this, column);
}

void TCustomLumeListview::DoColumnSizeChanging(TLumeColumn* column, int width, int newWidth, bool& allow) {
    if (OnColumnSizeChanging) OnColumnSizeChanging(this, column, width, newWidth, allow);
}

void TCustomLumeListview::DoColumnSizeChanged(TLumeColumn* column) {
    if (OnColumnSizeChanged) OnColumnSizeChanged(this, column);
}

void TCustomLumeListview::DoColumnInitialize(TLumeColumn* column) {
    if (OnColumnInitialize) OnColumnInitialize(this, column);
}

void TCustomLumeListview::DoColumnFreeing(TLumeColumn* column) {
    if (OnColumnFreeing) OnColumnFreeing(this, column);
}

void TCustomLumeListview::DoItemReadStream(TLumeCollectionItem* item, QIODevice& stream, int version) {
    if (OnItemReadStream) OnItemReadStream(this, item, stream, version);
}

void TCustomLumeListview::DoItemWriteStream(TLumeCollectionItem* item, QIODevice& stream, int version) {
    if (OnItemWriteStream) OnItemWriteStream(this, item, stream, version);
}

void TCustomLumeListview::DoGroupReadStream(TLumeCollectionItem* group, QIODevice& stream, int version) {
    if (OnGroupReadStream) OnGroupReadStream(this, group, stream, version);
}

void TCustomLumeListview::DoGroupWriteStream(TLumeCollectionItem* group, QIODevice& stream, int version) {
    if (OnGroupWriteStream) OnGroupWriteStream(this, group, stream, version);
}

void TCustomLumeListview::DoColumnReadStream(TLumeCollectionItem* column, QIODevice& stream, int version) {
    if (OnColumnReadStream) OnColumnReadStream(this, column, stream, version);
}

void TCustomLumeListview::DoColumnWriteStream(TLumeCollectionItem* column, QIODevice& stream, int version) {
    if (OnColumnWriteStream) OnColumnWriteStream(this, column, stream, version);
}

void TCustomLumeListview::DoItemGetCaption(TLumeItem* item, int column, QString& caption) {
    if (OnItemGetCaption) OnItemGetCaption(this, item, column, caption);
}

void TCustomLumeListview::DoItemSetCaption(TLumeItem* item, int column, const QString& caption) {
    if (OnItemSetCaption) OnItemSetCaption(this, item, column, caption);
}

void TCustomLumeListview::DoItemGetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int& imageIndex) {
    if (OnItemGetImageIndex) OnItemGetImageIndex(this, item, column, kind, imageIndex);
}

void TCustomLumeListview::DoItemSetImageIndex(TLumeItem* item, int column, TLumeImageKind kind, int imageIndex) {
    if (OnItemSetImageIndex) OnItemSetImageIndex(this, item, column, kind, imageIndex);
}

void TCustomLumeListview::DoItemGetImageList(TLumeItem* item, int column, TLumeImageList*& imageList) {
    if (OnItemGetImageList) OnItemGetImageList(this, item, column, imageList);
}

void TCustomLumeListview::DoItemGetTileDetail(TLumeItem* item, int line, int& detail) {
    if (OnItemGetTileDetail) OnItemGetTileDetail(this, item, line, detail);
}

void TCustomLumeListview::DoItemSetTileDetail(TLumeItem* item, int line, int detail) {
    if (OnItemSetTileDetail) OnItemSetTileDetail(this, item, line, detail);
}

void TCustomLumeListview::DoItemGetTileDetailCount(TLumeItem* item, int& count) {
    if (OnItemGetTileDetailCount) OnItemGetTileDetailCount(this, item, count);
}

void TCustomLumeListview::DoItemGetGroupKey(TLumeItem* item, int focusedColumn, uint32_t& groupKey) {
    if (OnItemGetGroupKey) OnItemGetGroupKey(this, item, focusedColumn, groupKey);
}

void TCustomLumeListview::DoItemSetGroupKey(TLumeItem* item, int column, uint32_t key) {
    if (OnItemSetGroupKey) OnItemSetGroupKey(this, item, column, key);
}

void TCustomLumeListview::DoGroupGetCaption(TLumeGroup* group, QString& caption) {
    if (OnGroupGetCaption) OnGroupGetCaption(this, group, caption);
}

void TCustomLumeListview::DoGroupSetCaption(TLumeGroup* group, const QString& caption) {
    if (OnGroupSetCaption) OnGroupSetCaption(this, group, caption);
}

void TCustomLumeListview::DoGroupGetImageIndex(TLumeGroup* group, TLumeImageKind kind, int& imageIndex) {
    if (OnGroupGetImageIndex) OnGroupGetImageIndex(this, group, kind, imageIndex);
}

void TCustomLumeListview::DoGroupSetImageIndex(TLumeGroup* group, TLumeImageKind kind, int imageIndex) {
    if (OnGroupSetImageIndex) OnGroupSetImageIndex(this, group, kind, imageIndex);
}

void TCustomLumeListview::DoGroupGetImageList(TLumeGroup* group, TLumeImageList*& imageList) {
    if (OnGroupGetImageList) OnGroupGetImageList(this, group, imageList);
}

void TCustomLumeListview::DoGroupGetDetail(TLumeGroup* group, int line, int& detail) {
    if (OnGroupGetDetail) OnGroupGetDetail(this, group, line, detail);
}

void TCustomLumeListview::DoGroupSetDetail(TLumeGroup* group, int line, int detail) {
    if (OnGroupSetDetail) OnGroupSetDetail(this, group, line, detail);
}

void TCustomLumeListview::DoGroupGetDetailCount(TLumeGroup* group, int& count) {
    if (OnGroupGetDetailCount) OnGroupGetDetailCount(this, group, count);
}

void TCustomLumeListview::DoColumnGetCaption(TLumeColumn* column, QString& caption) {
    if (OnColumnGetCaption) OnColumnGetCaption(this, column, caption);
}

void TCustomLumeListview::DoColumnSetCaption(TLumeColumn* column, const QString& caption) {
    if (OnColumnSetCaption) OnColumnSetCaption(this, column, caption);
}

void TCustomLumeListview::DoColumnGetImageIndex(TLumeColumn* column, TLumeImageKind kind, int& imageIndex) {
    if (OnColumnGetImageIndex) OnColumnGetImageIndex(this, column, kind, imageIndex);
}

void TCustomLumeListview::DoColumnSetImageIndex(TLumeColumn* column, TLumeImageKind kind, int imageIndex) {
    if (OnColumnSetImageIndex) OnColumnSetImageIndex(this, column, kind, imageIndex);
}

void TCustomLumeListview::DoColumnGetImageList(TLumeColumn* column, TLumeImageList*& imageList) {
    if (OnColumnGetImageList) OnColumnGetImageList(this, column, imageList);
}

void TCustomLumeListview::DoColumnGetDetail(TLumeColumn* column, int line, int& detail) {
    if (OnColumnGetDetail) OnColumnGetDetail(this, column, line, detail);
}

void TCustomLumeListview::DoColumnSetDetail(TLumeColumn* column, int line, int detail) {
    if (OnColumnSetDetail) OnColumnSetDetail(this, column, line, detail);
}

void TCustomLumeListview::DoColumnGetDetailCount(TLumeColumn* column, int& count) {
    if (OnColumnGetDetailCount) OnColumnGetDetailCount(this, column, count);
}

void TCustomLumeListview::DoItemPaintText(TLumeItem* item, TLumeCanvas* canvas) {
    if (OnItemPaintText) OnItemPaintText(this, item, canvas);
}

void TCustomLumeListview::DoGroupPaintText(TLumeGroup* group, TLumeCanvas* canvas) {
    if (OnGroupPaintText) OnGroupPaintText(this, group, canvas);
}

void TCustomLumeListview::DoColumnPaintText(TLumeColumn* column, TLumeCanvas* canvas) {
    if (OnColumnPaintText) OnColumnPaintText(this, column, canvas);
}

void TCustomLumeListview::DoItemClick(TLumeItem* item, TLumeKeyStates keys, TLumeItemHitTestInfos hitInfo) {
    if (OnItemClick) OnItemClick(this, item, keys, hitInfo);
}

void TCustomLumeListview::DoGroupClick(TLumeGroup* group, TLumeKeyStates keys, TLumeGroupHitTestInfos hitInfo) {
    if (OnGroupClick) OnGroupClick(this, group, keys, hitInfo);
}

void TCustomLumeListview::DoColumnClick(TLumeMouseButton button, TLumeColumn* column) {
    if (OnColumnClick) OnColumnClick(this, button, column);
}

void TCustomLumeListview::DoItemDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoItem& hitInfo) {
    if (OnItemDblClick) OnItemDblClick(this, button, mousePos, hitInfo);
}

void TCustomLumeListview::DoGroupDblClick(TLumeMouseButton button, LumePoint mousePos, const TLumeHitInfoGroup& hitInfo) {
    if (OnGroupDblClick) OnGroupDblClick(this, button, mousePos, hitInfo);
}

void TCustomLumeListview::DoColumnDblClick(TLumeMouseButton button, TShiftState shift, TLumeColumn* column, LumePoint mousePos) {
    if (OnColumnDblClick) OnColumnDblClick(this, button, shift, column, mousePos);
}

void TCustomLumeListview::DoDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift) {
    if (OnDblClick) OnDblClick(this, button, mousePos, shift);
}

void TCustomLumeListview::DoHeaderDblClick(TLumeMouseButton button, LumePoint mousePos, TShiftState shift) {
    if (OnHeaderDblClick) OnHeaderDblClick(this, button, mousePos, shift);
}

void TCustomLumeListview::DoHeaderMouseDown(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column) {
    if (OnHeaderMouseDown) OnHeaderMouseDown(this, button, shift, x, y, column);
}

void TCustomLumeListview::DoHeaderMouseUp(TLumeMouseButton button, TShiftState shift, int x, int y, TLumeColumn* column) {
    if (OnHeaderMouseUp) OnHeaderMouseUp(this, button, shift, x, y, column);
}

void TCustomLumeListview::DoHeaderMouseMove(TShiftState shift, int x, int y) {
    if (OnHeaderMouseMove) OnHeaderMouseMove(this, shift, x, y);
}

void TCustomLumeListview::DoItemContextMenu(const TLumeHitInfoItem& hitInfo, LumePoint windowPoint, QObject*& menu, bool& handled) {
    if (OnItemContextMenu) OnItemContextMenu(this, hitInfo, windowPoint, menu, handled);
}

void TCustomLumeListview::DoGroupContextMenu(const TLumeHitInfoGroup& hitInfo, LumePoint windowPoint, QObject*& menu, bool& handled) {
    if (OnGroupContextMenu) OnGroupContextMenu(this, hitInfo, windowPoint, menu, handled);
}

void TCustomLumeListview::DoColumnContextMenu(const TLumeHitInfoColumn& hitInfo, LumePoint windowPoint, QObject*& menu) {
    if (OnColumnContextMenu) OnColumnContextMenu(this, hitInfo, windowPoint, menu);
}

void TCustomLumeListview::DoItemHotTrack(TLumeItem* item, TLumeHotTrackState state, LumePoint mousePos) {
    if (OnItemHotTrack) OnItemHotTrack(this, item, state, mousePos);
}

void TCustomLumeListview::DoGroupHotTrack(TLumeGroup* group, TLumeHotTrackState state, LumePoint mousePos) {
    if (OnGroupHotTrack) OnGroupHotTrack(this, group, state, mousePos);
}

void TCustomLumeListview::DoKeyAction(uint16_t& charCode, TShiftState& shift, bool& doDefault) {
    if (OnKeyAction) OnKeyAction(this, charCode, shift, doDefault);
}

void TCustomLumeListview::DoAutoSortGroupCreate(TLumeItem* item, int columnIndex, TLumeGroups* groups,
                                                TLumeGroup*& group, bool& doDefaultAction) {
    if (OnAutoSortGroupCreate) OnAutoSortGroupCreate(this, item, columnIndex, groups, group, doDefaultAction);
    if (!group) group = groups->AddGroup();
}

void TCustomLumeListview::DoViewChange() {
    if (OnViewChange) OnViewChange(this);
}

void TCustomLumeListview::DoGroupExpand(TLumeGroup* group) {
    Groups->RebuildLayout(false);
    if (OnGroupExpand) OnGroupExpand(this, group);
}

void TCustomLumeListview::DoIncrementalSearch(TLumeCollectionItem* item, const QString& searchBuffer, int& compareResult) {
    compareResult = 0;
    if (OnIncrementalSearch) OnIncrementalSearch(item, searchBuffer, compareResult);
}

int TCustomLumeListview::DoItemCompare(TLumeColumn* column, TLumeGroup* group, TLumeItem* item1, TLumeItem* item2) {
    if (OnItemCompare) return OnItemCompare(this, column, group, item1, item2);
    return DefaultItemCompare(column, item1, item2);
}

int TCustomLumeListview::DefaultItemCompare(TLumeColumn* column, TLumeItem* item1, TLumeItem* item2) {
    return Sort->DefaultSortCompare(column, item1, item2);
}

int TCustomLumeListview::DoGroupCompare(TLumeGroup* group1, TLumeGroup* group2) {
    if (OnGroupCompare) return OnGroupCompare(this, group1, group2);
    return Sort->DefaultSortCompare(nullptr, group1, group2);
}

void TCustomLumeListview::DoItemImageDrawIsCustom(TLumeItem* item, TLumeColumn* column, bool& isCustom) {
    if (OnItemImageDrawIsCustom) OnItemImageDrawIsCustom(this, item, column, isCustom);
}

void TCustomLumeListview::DoItemImageGetSize(TLumeItem* item, TLumeColumn* column, int& width, int& height) {
    if (OnItemImageGetSize) OnItemImageGetSize(this, item, column, width, height);
}

void TCustomLumeListview::DoItemImageDraw(TLumeItem* item, TLumeColumn* column, TLumeCanvas* canvas,
                                          const TLumeRectArrayObject& rects, TLumeAlphaBlender* blender) {
    if (OnItemImageDraw) OnItemImageDraw(this, item, column, canvas, rects, blender);
}

void TCustomLumeListview::DoItemThumbnailDraw(TLumeItem* item, TLumeCanvas* canvas, const LumeRect& rect,
                                              TLumeAlphaBlender* blender, bool& doDefault) {
    if (OnItemThumbnailDraw) OnItemThumbnailDraw(this, item, canvas, rect, blender, doDefault);
}

void TCustomLumeListview::DoGroupImageDrawIsCustom(TLumeGroup* group, bool& isCustom) {
    if (OnGroupImageDrawIsCustom) OnGroupImageDrawIsCustom(this, group, isCustom);
}

void TCustomLumeListview::DoGroupImageGetSize(TLumeGroup* group, int& width, int& height) {
    if (OnGroupImageGetSize) OnGroupImageGetSize(this, group, width, height);
}

void TCustomLumeListview::DoGroupImageDraw(TLumeGroup* group, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                                           TLumeAlphaBlender* blender) {
    if (OnGroupImageDraw) OnGroupImageDraw(this, group, canvas, rects, blender);
}

void TCustomLumeListview::DoColumnImageDrawIsCustom(TLumeColumn* column, bool& isCustom) {
    if (OnColumnImageDrawIsCustom) OnColumnImageDrawIsCustom(this, column, isCustom);
}

void TCustomLumeListview::DoColumnImageGetSize(TLumeColumn* column, int& width, int& height) {
    if (OnColumnImageGetSize) OnColumnImageGetSize(this, column, width, height);
}

void TCustomLumeListview::DoColumnImageDraw(TLumeColumn* column, TLumeCanvas* canvas, const TLumeRectArrayObject& rects,
                                            TLumeAlphaBlender* blender) {
    if (OnColumnImageDraw) OnColumnImageDraw(this, column, canvas, rects, blender);
}

void TCustomLumeListview::DoHintPopup(TLumeCollectionItem* target, TLumeHintType hintType, LumePoint mousePos,
                                      QString& text, int& hideTimeout, int& reShowTimeout, bool& allow) {
    if (OnHintPopup) OnHintPopup(this, target, hintType, mousePos, text, hideTimeout, reShowTimeout, allow);
}

void TCustomLumeListview::DoHintPauseTime(bool hintWindowShown, int& pauseDelay) {
    if (OnHintPauseTime) OnHintPauseTime(this, hintWindowShown, pauseDelay);
}

void TCustomLumeListview::DoHintCustomInfo(TLumeCollectionItem* target, TLumeHintInfo* info) {
    if (OnHintCustomInfo) OnHintCustomInfo(this, target, info);
}

void TCustomLumeListview::DoHintCustomDraw(TLumeCollectionItem* target, TLumeHintInfo* info) {
    if (OnHintCustomDraw) OnHintCustomDraw(this, target, info);
}

void TCustomLumeListview::DoItemCreateEditor(TLumeItem* item, ILumeCellEditor*& editor) {
    if (OnItemCreateEditor) OnItemCreateEditor(this, item, editor);
    if (!editor && EditManager->DefaultEditor) editor = EditManager->DefaultEditor(item);
}

void TCustomLumeListview::DoItemEdited(TLumeItem* item, QVariant& newValue, bool& accept) {
    if (OnItemEdited) OnItemEdited(this, item, newValue, accept);
}

void TCustomLumeListview::DoOLEDragStart(ILumeDataObject* data, TLumeDropEffects& available, bool& allowDrag) {
    if (OnOLEDragStart) OnOLEDragStart(this, data, available, allowDrag);
}

void TCustomLumeListview::DoOLEDragEnd(ILumeDataObject* data, TLumeOLEDragResult result, TLumeDropEffects effect) {
    if (OnOLEDragEnd) OnOLEDragEnd(this, data, result, effect);
}

void TCustomLumeListview::DoOLEQueryContineDrag(bool escapePressed, TLumeKeyStates keys, TLumeQueryDragResult& result) {
    if (OnOLEQueryContineDrag) OnOLEQueryContineDrag(this, escapePressed, keys, result);
}

void TCustomLumeListview::DoOLEGiveFeedback(TLumeDropEffects effect, bool& useDefaultCursors) {
    if (OnOLEGiveFeedback) OnOLEGiveFeedback(this, effect, useDefaultCursors);
}

void TCustomLumeListview::DoOLEDragEnter(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                                         TLumeDropEffects available, TLumeDropEffect& desired) {
    if (OnOLEDragEnter)
        OnOLEDragEnter(this, data, keys, screenPoint, available, desired);
    else
        desired = TLumeDropEffect::edeNone;
}

void TCustomLumeListview::DoOLEDragOver(TLumeKeyStates keys, LumePoint screenPoint, TLumeDropEffects available,
                                        TLumeDropEffect& desired) {
    if (OnOLEDragOver) OnOLEDragOver(this, keys, screenPoint, available, desired);
}

void TCustomLumeListview::DoOLEDragLeave() {
    if (OnOLEDragLeave) OnOLEDragLeave(this);
}

void TCustomLumeListview::DoOLEDragDrop(ILumeDataObject* data, TLumeKeyStates keys, LumePoint screenPoint,
                                        TLumeDropEffects available, TLumeDropEffect& desired) {
    if (OnOLEDragDrop)
        OnOLEDragDrop(this, data, keys, screenPoint, available, desired);
    else
        desired = TLumeDropEffect::edeNone;
}

void TCustomLumeListview::DoOLEGetCustomFormats(std::vector<TLumeFormatEtc>& formats) {
    if (OnOLEGetCustomFormats) OnOLEGetCustomFormats(this, formats);
}

void TCustomLumeListview::DoOLEGetData(const TLumeFormatEtc& format, TLumeStgMedium& medium, bool& handled) {
    if (OnOLEGetData) OnOLEGetData(this, format, medium, handled);
}

void TCustomLumeListview::DoOLEQueryData(const TLumeFormatEtc& format, bool& available, bool& handled) {
    if (OnOLEQueryData) OnOLEQueryData(this, format, available, handled);
}

void TCustomLumeListview::DoOLEGetDataObject(ILumeDataObject*& dataObject) {
    if (OnOLEGetDataObject) OnOLEGetDataObject(this, dataObject);
}

void TCustomLumeListview::DoGetDragImage(QImage* image, LumePoint dragStart, LumePoint& hotSpot, TColor& transparent,
                                         bool& handled) {
    if (OnGetDragImage) OnGetDragImage(this, image, dragStart, hotSpot, transparent, handled);
}

void TCustomLumeListview::DoClipboardCopy(bool& handled) {
    if (OnClipboardCopy) OnClipboardCopy(this, handled);
}

void TCustomLumeListview::DoClipboardCut(bool& markAsCut, bool& handled) {
    if (OnClipboardCut) OnClipboardCut(this, markAsCut, handled);
}

void TCustomLumeListview::DoClipboardPaste(bool& handled) {
    if (OnClipboardPaste) OnClipboardPaste(this, handled);
}

}  // namespace lume
