#include "listview/LumeListview.h"

namespace lume {

TCustomLumeListview::TCustomLumeListview() {
    paintInfoGroup_.reset(CreatePaintInfoGroup());
    paintInfoItem_.reset(CreatePaintInfoItem());
    paintInfoColumn_.reset(CreatePaintInfoColumn());
    paintInfoGroup_->MarginBottom()->PaintInfo = std::make_unique<TLumePaintInfoGroup>(this);
    HotTrack = std::make_unique<TLumeHotTrackManager>(this);
    background_ = std::make_unique<TLumeBackgroundManager>(this);
    Scrollbars = std::make_unique<TLumeScrollbarManager>(this);
    DragRectManager = std::make_unique<TLumeDragRectManager>(this);
    DragManager = std::make_unique<TLumeDragManager>(this);
    CheckManager = std::make_unique<TLumeCheckManager>(this);
    selection_ = std::make_unique<TLumeSelectionManager>(this);
    Groups = std::make_unique<TLumeGroups>(this);
    Header = std::make_unique<TLumeHeader>(this);
    GlobalImages = std::make_unique<TLumeGlobalImageManager>(this);
    CellSizes = std::make_unique<TLumeCellSizes>(this);
    Sort = std::make_unique<TLumeSortManager>(this);
    ItemsList = std::make_unique<TLumeGlobalItems>(this);
    EditManager = std::make_unique<TLumeEditManager>(this);
    IncrementalSearch = std::make_unique<TLumeIncrementalSearchManager>(this);
    HintInfo = std::make_unique<TLumeHintInfo>(this);
}

TCustomLumeListview::~TCustomLumeListview() {
    Destroying = true;
    EditManager->StopEditing();
    ItemsList.reset();
    try {
        Groups->Clear(true);
        Header->Columns->Clear(true);
    } catch (...) {
        // A handler failing while the control goes away must not take the program with it.
    }
    // Whatever a hold kept goes with the control.
    for (TLumeCollectionItem* object : disposed_) delete object;
}

ILumeOwner* TLumeOwnedPersistent::Owner() const { return OwnerListview; }

void TCustomLumeListview::ReleaseFreeing() {
    if (--freeingHolds_ > 0) return;
    freeingHolds_ = 0;
    std::vector<TLumeCollectionItem*> due;
    due.swap(disposed_);
    for (TLumeCollectionItem* object : due) delete object;
}

void TCustomLumeListview::Dispose(TLumeCollectionItem* object) {
    if (freeingHolds_ > 0)
        disposed_.push_back(object);
    else
        delete object;
}

void TCustomLumeListview::SetSelection(TLumeSelectionManager* value) {
    if (value && value != selection_.get()) selection_.reset(value);
}

void TCustomLumeListview::SetBackGround(TLumeBackgroundManager* value) {
    if (value && value != background_.get()) background_.reset(value);
}

void TCustomLumeListview::SetPaintInfoGroup(TLumePaintInfoGroup* value) {
    if (value && value != paintInfoGroup_.get()) paintInfoGroup_.reset(value);
}

void TCustomLumeListview::SetPaintInfoItem(TLumePaintInfoItem* value) {
    if (value && value != paintInfoItem_.get()) paintInfoItem_.reset(value);
}

void TCustomLumeListview::SetPaintInfoColumn(TLumePaintInfoColumn* value) {
    if (value && value != paintInfoColumn_.get()) paintInfoColumn_.reset(value);
}

void TCustomLumeListview::SetImages(TLumeImageList*& field, TLumeImageList* value) {
    if (field == value) return;
    field = value;
    SafeInvalidateRect(nullptr, false);
}

void TCustomLumeListview::ImageListRemoved(TLumeImageList* list) {
    for (TLumeImageList** field : {&imagesSmall_, &imagesLarge_, &imagesExLarge_, &imagesGroup_})
        if (*field == list) *field = nullptr;
    if (Header->Images() == list) Header->SetImages(nullptr);
}

void TCustomLumeListview::SetShowGroupMargins(bool value) {
    if (value == showGroupMargins_) return;
    showGroupMargins_ = value;
    DoUpdate();
}

void TCustomLumeListview::InstallViewClasses(TLumeListStyle view) {
    using Lv = TCustomLumeListview;
    using G = TLumeGroup;
    auto& grid = Groups->GridClass;
    auto& painter = Groups->ItemViewClass;
    switch (view) {
    case TLumeListStyle::elsIcon:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridIconGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewIconItem(lv, g); };
        break;
    case TLumeListStyle::elsSmallIcon:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridSmallIconGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewSmallIconItem(lv, g); };
        break;
    case TLumeListStyle::elsList:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridListGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewListItem(lv, g); };
        break;
    case TLumeListStyle::elsReport:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridReportGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewReportItem(lv, g); };
        break;
    case TLumeListStyle::elsThumbnail:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridThumbnailGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewThumbnailItem(lv, g); };
        break;
    case TLumeListStyle::elsTile:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridTileGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewTileItem(lv, g); };
        break;
    case TLumeListStyle::elsFilmStrip:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridFilmStripGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewFilmStripItem(lv, g); };
        break;
    case TLumeListStyle::elsGrid:
        grid = [](Lv* lv, G* g) -> TLumeGridGroup* { return new TLumeGridGridGroup(lv, g); };
        painter = [](Lv* lv, G* g) -> TLumeViewItem* { return new TLumeViewGridItem(lv, g); };
        break;
    }
}

void TCustomLumeListview::SetView(TLumeListStyle value) {
    if (value == view_) return;
    BeginUpdate(true);
    auto finish = [this] {
        DoViewChange();
        EndUpdate(true);
        if (TLumeItem* focused = Selection()->FocusedItem()) focused->MakeVisible(emvTop);
    };
    try {
        view_ = value;
        InstallViewClasses(value);
        for (int i = 0; i < Groups->Count(); ++i) {
            TLumeGroup* group = Groups->At(i);
            group->SetItemView(Groups->ItemViewClass(this, group));
            group->SetGrid(Groups->GridClass(this, group));
        }
        WheelMouseDefaultScroll =
            value == TLumeListStyle::elsList ? TLumeDefaultWheelScroll::edwsHorz : TLumeDefaultWheelScroll::edwsVert;
        if (value == TLumeListStyle::elsReport) Selection()->BuildSelectionGroupings(true);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

TLumeCellSize* TCustomLumeListview::ViewCellSize() const {
    switch (view_) {
    case TLumeListStyle::elsIcon: return CellSizes->Icon.get();
    case TLumeListStyle::elsSmallIcon: return CellSizes->SmallIcon.get();
    case TLumeListStyle::elsList: return CellSizes->List.get();
    case TLumeListStyle::elsReport: return CellSizes->Report.get();
    case TLumeListStyle::elsThumbnail: return CellSizes->Thumbnail.get();
    case TLumeListStyle::elsTile: return CellSizes->Tile.get();
    case TLumeListStyle::elsFilmStrip: return CellSizes->FilmStrip.get();
    case TLumeListStyle::elsGrid: return CellSizes->Grid.get();
    }
    return nullptr;
}

void TCustomLumeListview::DoUpdate() {
    if (Destroying) return;
    if (Sort->SortPending)
        Sort->SortAll();
    else
        Groups->RebuildLayout(true);
    Scrollbars->ReCalculateScrollbars(true, false);
}

void TCustomLumeListview::WindowCreated() {
    TLumeCanvasControl::WindowCreated();
    DoUpdate();
}

LumeRect TCustomLumeListview::ClientRect() const { return HasWindow() ? host_->ClientRect() : LumeRect{}; }

LumeRect TCustomLumeListview::ClientInViewportCoords() const {
    const LumeRect client = ClientRect();
    return Scrollbars->MapWindowRectToView({0, Header->RuntimeHeight(), client.Right, client.Bottom}, true);
}

void TCustomLumeListview::ClearStates() {
    States &= uint16_t(~(0x01FF | ebcsCheckPending | ebcsGroupExpandPending | ebcsHeaderCapture));
    if (!Themed()) CheckManager->SetPendingObject(nullptr);
}

void TCustomLumeListview::DropEventHandlers() {
    static_cast<TLumeListviewEventHandlers&>(*this) = TLumeListviewEventHandlers{};
    OnEndUpdate = nullptr;
}

void TCustomLumeListview::MarkSelectedCut() {
    ClearCutMarks();
    for (TLumeCollectionItem* g : Groups->List)
        for (TLumeCollectionItem* item : static_cast<TLumeGroup*>(g)->Items()->List)
            if (item->Selected()) item->SetCut(true);
}

void TCustomLumeListview::ClearCutMarks() {
    for (TLumeCollectionItem* g : Groups->List)
        for (TLumeCollectionItem* item : static_cast<TLumeGroup*>(g)->Items()->List) item->SetCut(false);
}

void TCustomLumeListview::LoadFromStream(QIODevice& stream) {
    BeginUpdate(true);
    try {
        Groups->ReadItems(stream);
        Header->Columns->ReadItems(stream);
        Groups->RebuildLayout(true);
    } catch (...) {
        EndUpdate(true);
        throw;
    }
    EndUpdate(true);
}

void TCustomLumeListview::SaveToStream(QIODevice& stream) {
    Groups->WriteItems(stream);
    Header->Columns->WriteItems(stream);
}

TLumeGroup* TCustomLumeListview::GroupHitTest(LumePoint viewPoint, TLumeGroupHitTestInfos& hitInfo) {
    hitInfo = {};
    TLumeGroup* group = Groups->GroupAt(viewPoint);
    if (group) group->HitTestAt(viewPoint, hitInfo);
    return group;
}

TLumeItem* TCustomLumeListview::ItemHitTest(LumePoint viewPoint, TLumeGroup* group, TLumeItemHitTestInfos& hitInfo) {
    hitInfo = {};
    if (!group) group = Groups->GroupAt(viewPoint);
    if (!group) return nullptr;
    TLumeItem* item = group->ItemAt(viewPoint);
    if (item) item->HitTestAt(viewPoint, hitInfo);
    return item;
}

}  // namespace lume
