// The header's mouse state machine: resizing by the divider, pressing and
// clicking a button, column check boxes, hot-tracking and the start of a
// column drag.
#include "listview/layout/LumeHeader.h"

#include "listview/LumeListview.h"

namespace lume {

LumePoint TLumeHeader::Adjusted(LumePoint windowPoint) const {
    return {windowPoint.X + OwnerListview->Scrollbars->OffsetX(), windowPoint.Y};
}

void TLumeHeader::DropHotColumn() {
    if (!HotTrackColumn) return;
    ReleaseMouse();
    TLumeColumn* old = HotTrackColumn;
    HotTrackColumn = nullptr;
    old->Invalidate(true);
}

void TLumeHeader::UpdateHotTracking(LumePoint p, LumePoint windowPoint) {
    // The mouse has left the band: nothing stays hot.
    if (!HeaderRect().Contains(windowPoint)) {
        DropHotColumn();
        return;
    }
    if (State & (ehfResizing | ehfDragging | ehfClicking | ehfOverDivider)) return;
    TLumeColumn* found = nullptr;
    const bool hit = HotHit(p, found);
    if ((hit || HotTrackColumn) && found != HotTrackColumn) {
        DropHotColumn();
        HotTrackColumn = found;
        CaptureMouse();
        if (found) found->Invalidate(true);
    }
}

void TLumeHeader::WMMouseMove(uint32_t keys, LumePoint windowPoint) {
    TCustomLumeListview* lv = OwnerListview;
    const LumePoint p = Adjusted(windowPoint);
    if (!Has(ehfCaptured) && HotTrackColumn) CaptureMouse();
    if (lv->PaintInfoColumn()->HotTrack) UpdateHotTracking(p, windowPoint);

    TLumeCollectionItem* checkObject = nullptr;
    if (Has(ehfResizing)) {
        if (ResizeColumn) {
            const int newWidth = p.X - ResizeColumn->DisplayRect.Left;
            bool allow = true;
            lv->DoColumnSizeChanging(ResizeColumn, ResizeColumn->Width(), newWidth, allow);
            if (allow) {
                ResizeColumn->SetWidth(newWidth);
                lv->Groups->RebuildLayout(true);
            }
        }
    } else if (Has(ehfDragging)) {
        DragManager->DragMove(p, KeysToKeyStates(keys));
    } else if (Has(ehfOverDivider)) {
        if (!DividerHit(p)) {
            ResizeColumn = nullptr;
            State &= ~ehfOverDivider;
            ReleaseMouse();
            if (lv->HasWindow()) lv->Host()->SetCursor(LumeCursor::Default);
            if (HotTrackColumn) CaptureMouse();
        }
    } else if (Has(ehfDragPossible) && Draggable()) {
        if (lv->HasWindow() && lv->Host()->DragDetect(windowPoint)) {
            State &= ~(ehfDragPossible | ehfClicking);
            State |= ehfDragging;
            DragManager->Column = PressedColumn;
            if (PressedColumn) {
                PressedColumn->SetStateBit(ecisClicking, false);
                PressedColumn->Invalidate(true);
            }
            PressedColumn = nullptr;
            DragManager->BeginDrag(p, KeysToKeyStates(keys));
        }
    } else if (Has(ehfClicking)) {
        // The press waits for its release.
    } else if (CheckHit(p)) {
        checkObject = Columns->ColumnAt(p);
    } else if (DividerHit(p)) {
        bool allow = true;
        lv->DoColumnSizeChanging(ResizeColumn, ResizeColumn->Width(), ResizeColumn->Width(), allow);
        if (allow) {
            ReleaseMouse();
            State |= ehfOverDivider;
            if (lv->HasWindow()) lv->Host()->SetCursor(LumeCursor::HeaderSplit);
            CaptureMouse();
        }
    } else {
        if (lv->HasWindow()) lv->Host()->SetCursor(LumeCursor::Default);
        lv->DoHeaderMouseMove(KeysToShiftState(keys), windowPoint.X, windowPoint.Y);
    }

    TLumeCollectionItem* pending = lv->CheckManager->PendingObject();
    if (Has(ehfCheckPending) && pending) {
        pending->SetCheckHot(checkObject != pending);
        checkObject = nullptr;
    }
    lv->HotTrack->SetCheckHotObject(checkObject == pending ? nullptr : checkObject);
}

void TLumeHeader::WMLButtonDown(uint32_t keys, LumePoint windowPoint) {
    TCustomLumeListview* lv = OwnerListview;
    const LumePoint p = Adjusted(windowPoint);
    State |= ehfLeftDown;
    if (Has(ehfOverDivider)) {
        State &= ~ehfOverDivider;
        State |= ehfResizing;
    } else if (CheckHit(p)) {
        State |= ehfCheckPending;
        lv->HotTrack->SetCheckHotObject(nullptr);
        lv->CheckManager->SetPendingObject(Columns->ColumnAt(p));
    } else if (PressHit(p)) {
        if (lv->PaintInfoColumn()->HotTrack) DropHotColumn();
        CaptureMouse();
        State |= ehfClicking;
        PressedColumn->SetStateBit(ecisClicking, true);
        if (Draggable()) State |= ehfDragPossible;
        PressedColumn->Invalidate(true);
    } else {
        lv->DoHeaderMouseDown(TLumeMouseButton::embLeft, KeysToShiftState(keys), windowPoint.X, windowPoint.Y,
                              Columns->ColumnAt(p));
    }
}

void TLumeHeader::ClickColumn(TLumeColumn* column) {
    TCustomLumeListview* lv = OwnerListview;
    lv->BeginUpdate(true);
    try {
        TLumeSelectionManager& selection = *lv->Selection();
        TLumeColumn* previous = selection.FocusedColumn();
        selection.SetFocusedColumn(column);
        if (previous && previous != column) previous->SetSortDirection(TLumeSortDirection::esdNone);
        switch (column->SortDirection()) {
        case TLumeSortDirection::esdNone:
        case TLumeSortDirection::esdDescending: column->SetSortDirection(TLumeSortDirection::esdAscending); break;
        case TLumeSortDirection::esdAscending: column->SetSortDirection(TLumeSortDirection::esdDescending); break;
        }
        if (lv->Sort->AutoRegroup)
            lv->Sort->RegroupBy(column);
        else if (lv->Sort->AutoSort)
            lv->Sort->SortAll();
    } catch (...) {
        lv->EndUpdate(true);
        throw;
    }
    lv->EndUpdate(true);
}

void TLumeHeader::WMLButtonUp(uint32_t keys, LumePoint windowPoint) {
    TCustomLumeListview* lv = OwnerListview;
    const LumePoint p = Adjusted(windowPoint);
    if (Has(ehfCheckPending)) {
        if (CheckHit(p)) {
            TLumeColumn* column = Columns->ColumnAt(p);
            column->SetChecked(!column->Checked());
        }
        if (TLumeCollectionItem* pending = lv->CheckManager->PendingObject()) {
            pending->SetCheckHot(false);
            pending->SetCheckPending(false);
        }
        lv->CheckManager->SetPendingObject(nullptr);
    } else if (Has(ehfResizing)) {
        if (ResizeColumn) lv->DoColumnSizeChanged(ResizeColumn);
    } else if (Has(ehfDragging)) {
        // A column dragged within its own header lands where it is released.
        DragManager->Drop(DragManager->DragData(), p);
    } else if (PressedColumn) {
        TLumeColumn* column = PressedColumn;
        if (column->Clicking()) {
            column->SetStateBit(ecisClicking, false);
            if (column->AutoToggleSort) ClickColumn(column);
            lv->DoColumnClick(TLumeMouseButton::embLeft, column);
        } else {
            column->Invalidate(true);
        }
    }
    if (!Has(ehfResizing) && !Has(ehfDragging))
        lv->DoHeaderMouseUp(TLumeMouseButton::embLeft, KeysToShiftState(keys), windowPoint.X, windowPoint.Y,
                            Columns->ColumnAt(p));
    State &= ~(ehfLeftDown | ehfResizing | ehfClicking | ehfDragging | ehfDragPossible | ehfCheckPending);
    if (!HotTrackColumn && !Has(ehfOverDivider)) ReleaseMouse();
}

void TLumeHeader::WMLButtonDblClk(uint32_t keys, LumePoint windowPoint) {
    TCustomLumeListview* lv = OwnerListview;
    const TLumeMouseButton button = (keys & MK_RBUTTON)   ? TLumeMouseButton::embRight
                                    : (keys & MK_MBUTTON) ? TLumeMouseButton::embMiddle
                                                          : TLumeMouseButton::embLeft;
    const LumePoint p = Adjusted(windowPoint);
    if (Has(ehfOverDivider) && DividerHit(p) && ResizeColumn->AutoSizeOnDblClk) ResizeColumn->AutoSizeToFit();
    const TShiftState shift = KeysToShiftState(keys);
    lv->DoHeaderDblClick(button, windowPoint, shift);
    if (TLumeColumn* column = Columns->ColumnAt(p)) lv->DoColumnDblClick(button, shift, column, windowPoint);
}

void TLumeHeader::WMRButtonDown(uint32_t keys, LumePoint windowPoint) {
    State |= ehfRightDown;
    OwnerListview->DoHeaderMouseDown(TLumeMouseButton::embRight, KeysToShiftState(keys), windowPoint.X, windowPoint.Y,
                                     Columns->ColumnAt(Adjusted(windowPoint)));
}

void TLumeHeader::WMRButtonUp(uint32_t keys, LumePoint windowPoint) {
    State &= ~(ehfRightDown | ehfResizing | ehfClicking | ehfDragging | ehfDragPossible);
    OwnerListview->DoHeaderMouseUp(TLumeMouseButton::embRight, KeysToShiftState(keys), windowPoint.X, windowPoint.Y,
                                   Columns->ColumnAt(Adjusted(windowPoint)));
}

bool TLumeHeader::WMContextMenu(LumePoint screenPoint) {
    TCustomLumeListview* lv = OwnerListview;
    if (!lv->HasWindow()) return false;
    QObject* menu = lv->PopupMenuHeader;
    const LumePoint client = lv->Host()->ScreenToClient(screenPoint);
    const LumePoint view = Adjusted(client);
    TLumeHitInfoColumn hitInfo;
    hitInfo.Column = Columns->ColumnAt(view);
    if (hitInfo.Column) hitInfo.Column->HitTestAt(view, hitInfo.HitInfo);
    lv->DoColumnContextMenu(hitInfo, client, menu);
    if (!menu) return false;
    lv->Host()->PopupMenu(menu, screenPoint);
    return true;
}

void TLumeHeader::WMSize() {
    const int clientWidth = OwnerListview->ClientWidth();
    if (LastClientWidth < 0) LastClientWidth = clientWidth;
    SpringColumns();
    LastClientWidth = clientWidth;
}

}  // namespace lume
