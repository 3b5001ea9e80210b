// The handler types of the list view's events. Every handler receives the
// control first; a `var` parameter is a reference the handler may change.
#pragma once

#include "listview/LumeTypes.h"

#include <QByteArray>
#include <QIODevice>
#include <QVariant>
#include <functional>

class QObject;
class QImage;

namespace lume {

class TCustomLumeListview;
class TLumeCollectionItem;
class TLumeItem;
class TLumeGroup;
class TLumeGroups;
class TLumeColumn;
class TLumeCanvas;
class TLumeImageList;
class TLumeAlphaBlender;
class TLumeHintInfo;
class ILumeCellEditor;
class ILumeDataObject;
struct TLumeRectArrayObject;

using TLV = TCustomLumeListview;

struct TLumeHitInfoItem {
    TLumeGroup* Group = nullptr;
    TLumeItem* Item = nullptr;
    TLumeColumn* Column = nullptr;
    TLumeItemHitTestInfos HitInfo;
};
struct TLumeHitInfoGroup {
    TLumeGroup* Group = nullptr;
    TLumeGroupHitTestInfos HitInfo;
};
struct TLumeHitInfoColumn {
    TLumeColumn* Column = nullptr;
    TLumeColumnHitTestInfos HitInfo;
};

// Formats and media of data objects: a clipboard format is a MIME type.
struct TLumeFormatEtc {
    QString Format;
    bool operator==(const TLumeFormatEtc&) const = default;
};
struct TLumeStgMedium {
    QByteArray Data;
};

using TLumeNotifyEvent = std::function<void(TLV*)>;
using TItemNotifyEvent = std::function<void(TLV*, TLumeItem*)>;
using TItemAllowEvent = std::function<void(TLV*, TLumeItem*, bool& allow)>;
using TGroupNotifyEvent = std::function<void(TLV*, TLumeGroup*)>;
using TGroupAllowEvent = std::function<void(TLV*, TLumeGroup*, bool& allow)>;
using TColumnNotifyEvent = std::function<void(TLV*, TLumeColumn*)>;
using TColumnAllowEvent = std::function<void(TLV*, TLumeColumn*, bool& allow)>;
using TColumnSizeChangingEvent = std::function<void(TLV*, TLumeColumn*, int width, int newWidth, bool& allow)>;
using TStreamEvent = std::function<void(TLV*, TLumeCollectionItem*, QIODevice&, int version)>;

using TItemGetCaptionEvent = std::function<void(TLV*, TLumeItem*, int column, QString& caption)>;
using TItemSetCaptionEvent = std::function<void(TLV*, TLumeItem*, int column, const QString& caption)>;
using TItemGetImageIndexEvent = std::function<void(TLV*, TLumeItem*, int column, TLumeImageKind, int& imageIndex)>;
using TItemSetImageIndexEvent = std::function<void(TLV*, TLumeItem*, int column, TLumeImageKind, int imageIndex)>;
using TItemGetImageListEvent = std::function<void(TLV*, TLumeItem*, int column, TLumeImageList*& imageList)>;
using TItemGetTileDetailEvent = std::function<void(TLV*, TLumeItem*, int line, int& detail)>;
using TItemSetTileDetailEvent = std::function<void(TLV*, TLumeItem*, int line, int detail)>;
using TItemGetTileDetailCountEvent = std::function<void(TLV*, TLumeItem*, int& count)>;
using TItemGetGroupKeyEvent = std::function<void(TLV*, TLumeItem*, int focusedColumn, uint32_t& groupKey)>;
using TItemSetGroupKeyEvent = std::function<void(TLV*, TLumeItem*, int column, uint32_t key)>;
using TGroupGetCaptionEvent = std::function<void(TLV*, TLumeGroup*, QString& caption)>;
using TGroupSetCaptionEvent = std::function<void(TLV*, TLumeGroup*, const QString& caption)>;
using TGroupGetImageIndexEvent = std::function<void(TLV*, TLumeGroup*, TLumeImageKind, int& imageIndex)>;
using TGroupSetImageIndexEvent = std::function<void(TLV*, TLumeGroup*, TLumeImageKind, int imageIndex)>;
using TGroupGetImageListEvent = std::function<void(TLV*, TLumeGroup*, TLumeImageList*& imageList)>;
using TGroupGetDetailEvent = std::function<void(TLV*, TLumeGroup*, int line, int& detail)>;
using TGroupSetDetailEvent = std::function<void(TLV*, TLumeGroup*, int line, int detail)>;
using TGroupGetDetailCountEvent = std::function<void(TLV*, TLumeGroup*, int& count)>;
using TColumnGetCaptionEvent = std::function<void(TLV*, TLumeColumn*, QString& caption)>;
using TColumnSetCaptionEvent = std::function<void(TLV*, TLumeColumn*, const QString& caption)>;
using TColumnGetImageIndexEvent = std::function<void(TLV*, TLumeColumn*, TLumeImageKind, int& imageIndex)>;
using TColumnSetImageIndexEvent = std::function<void(TLV*, TLumeColumn*, TLumeImageKind, int imageIndex)>;
using TColumnGetImageListEvent = std::function<void(TLV*, TLumeColumn*, TLumeImageList*& imageList)>;
using TColumnGetDetailEvent = std::function<void(TLV*, TLumeColumn*, int line, int& detail)>;
using TColumnSetDetailEvent = std::function<void(TLV*, TLumeColumn*, int line, int detail)>;
using TColumnGetDetailCountEvent = std::function<void(TLV*, TLumeColumn*, int& count)>;

using TPaintTextEvent = std::function<void(TLV*, TLumeCollectionItem*, TLumeCanvas*)>;
using TItemImageDrawIsCustomEvent = std::function<void(TLV*, TLumeItem*, TLumeColumn*, bool& isCustom)>;
using TItemImageGetSizeEvent = std::function<void(TLV*, TLumeItem*, TLumeColumn*, int& width, int& height)>;
using TItemImageDrawEvent =
    std::function<void(TLV*, TLumeItem*, TLumeColumn*, TLumeCanvas*, const TLumeRectArrayObject&, TLumeAlphaBlender*)>;
using TObjImageDrawIsCustomEvent = std::function<void(TLV*, TLumeCollectionItem*, bool& isCustom)>;
using TObjImageGetSizeEvent = std::function<void(TLV*, TLumeCollectionItem*, int& width, int& height)>;
using TObjImageDrawEvent =
    std::function<void(TLV*, TLumeCollectionItem*, TLumeCanvas*, const TLumeRectArrayObject&, TLumeAlphaBlender*)>;
using TItemThumbnailDrawEvent =
    std::function<void(TLV*, TLumeItem*, TLumeCanvas*, const LumeRect&, TLumeAlphaBlender*, bool& doDefault)>;

using TItemClickEvent = std::function<void(TLV*, TLumeItem*, TLumeKeyStates, TLumeItemHitTestInfos)>;
using TGroupClickEvent = std::function<void(TLV*, TLumeGroup*, TLumeKeyStates, TLumeGroupHitTestInfos)>;
using TColumnClickEvent = std::function<void(TLV*, TLumeMouseButton, TLumeColumn*)>;
using TItemDblClickEvent = std::function<void(TLV*, TLumeMouseButton, LumePoint, const TLumeHitInfoItem&)>;
using TGroupDblClickEvent = std::function<void(TLV*, TLumeMouseButton, LumePoint, const TLumeHitInfoGroup&)>;
using TColumnDblClickEvent = std::function<void(TLV*, TLumeMouseButton, TShiftState, TLumeColumn*, LumePoint)>;
using TDblClickEvent = std::function<void(TLV*, TLumeMouseButton, LumePoint, TShiftState)>;
using THeaderMouseEvent = std::function<void(TLV*, TLumeMouseButton, TShiftState, int x, int y, TLumeColumn*)>;
using THeaderMouseMoveEvent = std::function<void(TLV*, TShiftState, int x, int y)>;
using TItemContextMenuEvent =
    std::function<void(TLV*, const TLumeHitInfoItem&, LumePoint windowPoint, QObject*& menu, bool& handled)>;
using TGroupContextMenuEvent =
    std::function<void(TLV*, const TLumeHitInfoGroup&, LumePoint windowPoint, QObject*& menu, bool& handled)>;
using TColumnContextMenuEvent = std::function<void(TLV*, const TLumeHitInfoColumn&, LumePoint windowPoint, QObject*& menu)>;
using THotTrackEvent = std::function<void(TLV*, TLumeCollectionItem*, TLumeHotTrackState, LumePoint)>;
using TKeyActionEvent = std::function<void(TLV*, uint16_t& charCode, TShiftState& shift, bool& doDefault)>;
using TIncrementalSearchEvent = std::function<void(TLumeCollectionItem*, const QString& searchBuffer, int& compareResult)>;

using THintPopupEvent = std::function<void(TLV*, TLumeCollectionItem*, TLumeHintType, LumePoint, QString& text,
                                           int& hideTimeout, int& reShowTimeout, bool& allow)>;
using THintPauseTimeEvent = std::function<void(TLV*, bool hintWindowShown, int& pauseDelay)>;
using THintInfoEvent = std::function<void(TLV*, TLumeCollectionItem*, TLumeHintInfo*)>;

using TItemCompareEvent = std::function<int(TLV*, TLumeColumn*, TLumeGroup*, TLumeItem*, TLumeItem*)>;
using TGroupCompareEvent = std::function<int(TLV*, TLumeGroup*, TLumeGroup*)>;
using TAutoSortGroupCreateEvent =
    std::function<void(TLV*, TLumeItem*, int columnIndex, TLumeGroups*, TLumeGroup*& group, bool& doDefaultAction)>;

using TItemCreateEditorEvent = std::function<void(TLV*, TLumeItem*, ILumeCellEditor*& editor)>;
using TItemEditedEvent = std::function<void(TLV*, TLumeItem*, QVariant& newValue, bool& accept)>;

using TOLEDragStartEvent = std::function<void(TLV*, ILumeDataObject*, TLumeDropEffects& available, bool& allowDrag)>;
using TOLEDragEndEvent = std::function<void(TLV*, ILumeDataObject*, TLumeOLEDragResult, TLumeDropEffects)>;
using TOLEQueryContineDragEvent = std::function<void(TLV*, bool escapePressed, TLumeKeyStates, TLumeQueryDragResult&)>;
using TOLEGiveFeedbackEvent = std::function<void(TLV*, TLumeDropEffects, bool& useDefaultCursors)>;
using TOLEDropEvent = std::function<void(TLV*, ILumeDataObject*, TLumeKeyStates, LumePoint, TLumeDropEffects,
                                         TLumeDropEffect& desired)>;
using TOLEDragOverEvent = std::function<void(TLV*, TLumeKeyStates, LumePoint, TLumeDropEffects, TLumeDropEffect& desired)>;
using TOLEGetCustomFormatsEvent = std::function<void(TLV*, std::vector<TLumeFormatEtc>& formats)>;
using TOLEGetDataEvent = std::function<void(TLV*, const TLumeFormatEtc&, TLumeStgMedium&, bool& handled)>;
using TOLEQueryDataEvent = std::function<void(TLV*, const TLumeFormatEtc&, bool& available, bool& handled)>;
using TOLEGetDataObjectEvent = std::function<void(TLV*, ILumeDataObject*& dataObject)>;
using TGetDragImageEvent =
    std::function<void(TLV*, QImage* image, LumePoint dragStart, LumePoint& hotSpot, TColor& transparent, bool& handled)>;
using TClipboardEvent = std::function<void(TLV*, bool& handled)>;
using TClipboardCutEvent = std::function<void(TLV*, bool& markAsCut, bool& handled)>;

// Every event of the control; the control calls them through its Do operations.
struct TLumeListviewEventHandlers {
    TItemAllowEvent OnItemCheckChanging, OnItemEnableChanging, OnItemFocusChanging, OnItemSelectionChanging,
        OnItemVisibilityChanging, OnItemEditBegin;
    TItemNotifyEvent OnItemCheckChange, OnItemEnableChange, OnItemFocusChanged, OnItemSelectionChanged,
        OnItemVisibilityChanged, OnItemEditEnd, OnItemInitialize, OnItemFreeing;
    TGroupAllowEvent OnGroupVisibilityChanging, OnGroupSelectionChanging, OnGroupCollapsing, OnGroupExpanding;
    TGroupNotifyEvent OnGroupVisibilityChanged, OnGroupSelectionChanged, OnGroupCollapse, OnGroupExpand,
        OnGroupInitialize, OnGroupFreeing;
    TColumnAllowEvent OnColumnCheckChanging, OnColumnEnableChanging, OnColumnFocusChanging,
        OnColumnSelectionChanging, OnColumnVisibilityChanging;
    TColumnNotifyEvent OnColumnCheckChanged, OnColumnEnableChanged, OnColumnFocusChanged, OnColumnSelectionChanged,
        OnColumnVisibilityChanged, OnColumnSizeChanged, OnColumnInitialize, OnColumnFreeing;
    TColumnSizeChangingEvent OnColumnSizeChanging;
    TStreamEvent OnItemReadStream, OnItemWriteStream, OnGroupReadStream, OnGroupWriteStream, OnColumnReadStream,
        OnColumnWriteStream;
    TItemGetCaptionEvent OnItemGetCaption;
    TItemSetCaptionEvent OnItemSetCaption;
    TItemGetImageIndexEvent OnItemGetImageIndex;
    TItemSetImageIndexEvent OnItemSetImageIndex;
    TItemGetImageListEvent OnItemGetImageList;
    TItemGetTileDetailEvent OnItemGetTileDetail;
    TItemSetTileDetailEvent OnItemSetTileDetail;
    TItemGetTileDetailCountEvent OnItemGetTileDetailCount;
    TItemGetGroupKeyEvent OnItemGetGroupKey;
    TItemSetGroupKeyEvent OnItemSetGroupKey;
    TGroupGetCaptionEvent OnGroupGetCaption;
    TGroupSetCaptionEvent OnGroupSetCaption;
    TGroupGetImageIndexEvent OnGroupGetImageIndex;
    TGroupSetImageIndexEvent OnGroupSetImageIndex;
    TGroupGetImageListEvent OnGroupGetImageList;
    TGroupGetDetailEvent OnGroupGetDetail;
    TGroupSetDetailEvent OnGroupSetDetail;
    TGroupGetDetailCountEvent OnGroupGetDetailCount;
    TColumnGetCaptionEvent OnColumnGetCaption;
    TColumnSetCaptionEvent OnColumnSetCaption;
    TColumnGetImageIndexEvent OnColumnGetImageIndex;
    TColumnSetImageIndexEvent OnColumnSetImageIndex;
    TColumnGetImageListEvent OnColumnGetImageList;
    TColumnGetDetailEvent OnColumnGetDetail;
    TColumnSetDetailEvent OnColumnSetDetail;
    TColumnGetDetailCountEvent OnColumnGetDetailCount;
    TPaintTextEvent OnItemPaintText, OnGroupPaintText, OnColumnPaintText;
    TItemImageDrawIsCustomEvent OnItemImageDrawIsCustom;
    TItemImageGetSizeEvent OnItemImageGetSize;
    TItemImageDrawEvent OnItemImageDraw;
    TObjImageDrawIsCustomEvent OnGroupImageDrawIsCustom, OnColumnImageDrawIsCustom;
    TObjImageGetSizeEvent OnGroupImageGetSize, OnColumnImageGetSize;
    TObjImageDrawEvent OnGroupImageDraw, OnColumnImageDraw;
    TItemThumbnailDrawEvent OnItemThumbnailDraw;
    TItemClickEvent OnItemClick;
    TGroupClickEvent OnGroupClick;
    TColumnClickEvent OnColumnClick;
    TItemDblClickEvent OnItemDblClick;
    TGroupDblClickEvent OnGroupDblClick;
    TColumnDblClickEvent OnColumnDblClick;
    TDblClickEvent OnDblClick, OnHeaderDblClick;
    THeaderMouseEvent OnHeaderMouseDown, OnHeaderMouseUp;
    THeaderMouseMoveEvent OnHeaderMouseMove;
    TItemContextMenuEvent OnItemContextMenu;
    TGroupContextMenuEvent OnGroupContextMenu;
    TColumnContextMenuEvent OnColumnContextMenu;
    THotTrackEvent OnItemHotTrack, OnGroupHotTrack;
    TKeyActionEvent OnKeyAction;
    TIncrementalSearchEvent OnIncrementalSearch;
    THintPopupEvent OnHintPopup;
    THintPauseTimeEvent OnHintPauseTime;
    THintInfoEvent OnHintCustomInfo, OnHintCustomDraw;
    TItemCompareEvent OnItemCompare;
    TGroupCompareEvent OnGroupCompare;
    TAutoSortGroupCreateEvent OnAutoSortGroupCreate;
    TItemCreateEditorEvent OnItemCreateEditor;
    TItemEditedEvent OnItemEdited;
    TOLEDragStartEvent OnOLEDragStart;
    TOLEDragEndEvent OnOLEDragEnd;
    TOLEQueryContineDragEvent OnOLEQueryContineDrag;
    TOLEGiveFeedbackEvent OnOLEGiveFeedback;
    TOLEDropEvent OnOLEDragEnter, OnOLEDragDrop;
    TOLEDragOverEvent OnOLEDragOver;
    TLumeNotifyEvent OnOLEDragLeave;
    TOLEGetCustomFormatsEvent OnOLEGetCustomFormats;
    TOLEGetDataEvent OnOLEGetData;
    TOLEQueryDataEvent OnOLEQueryData;
    TOLEGetDataObjectEvent OnOLEGetDataObject;
    TGetDragImageEvent OnGetDragImage;
    TClipboardEvent OnClipboardCopy, OnClipboardPaste;
    TClipboardCutEvent OnClipboardCut;
    TLumeNotifyEvent OnViewChange;

};

}  // namespace lume
