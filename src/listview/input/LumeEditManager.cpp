#include "listview/input/LumeEditManager.h"

#include "listview/LumeHost.h"
#include "listview/LumeOwner.h"
#include "listview/input/LumeSelectionManager.h"
#include "listview/layout/LumeScrollbarManager.h"
#include "listview/model/LumeGroups.h"

namespace lume {

TLumeEditManager::~TLumeEditManager() {
    CancelScheduledEdit();
    if (!ended_) EndEdit();
}

void TLumeEditManager::SetEnabled(bool value) {
    enabled_ = value;
    StopEditing();
}

void TLumeEditManager::ScheduleEdit() {
    CancelScheduledEdit();
    if (!enabled_ || !Owner()->Host()) return;
    EditTimer = Owner()->Host()->StartTimer(AutoEditDelayTime, [this] {
        CancelScheduledEdit();
        if (TLumeItem* focused = Owner()->Selection()->FocusedItem()) BeginEdit(focused);
    });
    EditTimerRunning = true;
}

void TLumeEditManager::CancelScheduledEdit() {
    if (!EditTimerRunning) return;
    if (Owner() && Owner()->Host()) Owner()->Host()->StopTimer(EditTimer);
    EditTimerRunning = false;
}

void TLumeEditManager::BeginEdit(TLumeItem* item) {
    if (IsEditing() || !item || !enabled_) return;
    // Only an item laid out can be edited: the box goes over its caption.
    TLumeGroup* group = item->OwnerGroup();
    if (item->Destroying() || !item->Visible() || !group || !group->Visible() || !group->Expanded()) return;
    ILumeOwner* lv = Owner();
    TLumeFreeingHold hold(lv);
    EditFinished = false;
    EditItem = item;
    bool allow = true;
    lv->DoItemEditBegin(item, allow);
    // The handler may have listed the items again, this one gone.
    if (!allow || item->Destroying()) {
        EditItem = nullptr;
        return;
    }
    ILumeCellEditor* editor = nullptr;
    lv->DoItemCreateEditor(item, editor);
    if (!editor || item->Destroying()) {
        delete editor;
        EditItem = nullptr;
        return;
    }
    editor_.reset(editor);
    ended_ = false;
    // The control that had the focus before the edit box took it gets it back
    // however the edit ends.
    std::function<void()> refocus;
    if (lv->Host()) refocus = lv->Host()->RememberFocus();
    auto finish = [&] {
        struct Refocus {
            std::function<void()>& call;
            ~Refocus() {
                if (call) call();
            }
        } giveBack{refocus};
        EndEdit();
        editor_.reset();
    };
    try {
        editor_->PrepareEditor(item);
        placedAt_ = lv->OwnerScrollbars()->MapViewRectToWindow(item->DisplayRect);
        placedView_ = lv->View();
        Editing = true;
        editor_->ShowEditor();
        editor_->FocusEditor();
        if (lv->Host()) lv->Host()->RunEditLoop([this] { return EditFinished; });
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TLumeEditManager::EndEdit() {
    if (ended_) return;
    ended_ = true;
    ILumeOwner* lv = Owner();
    if (editor_) editor_->HideEditor();
    Editing = false;
    if (EditItem) lv->DoItemEditEnd(EditItem);
    if (editor_) editor_->ReleaseEditor();
    EditItem = nullptr;
    EditFinished = true;
}

bool TLumeEditManager::CommitEdit() {
    if (!editor_) return false;
    // The edited handler may list the items again: the item edited is kept
    // until the commit is over, and the edit ends with it.
    TLumeFreeingHold hold(Owner());
    const bool accepted = editor_->CommitEdit();
    if (!accepted && !EditFinished) editor_->FocusEditor();
    return accepted;
}

bool TLumeEditManager::TabPressed(bool backward) {
    if (!TabMoveFocus) return false;
    TLumeFreeingHold hold(Owner());
    TLumeItem* item = EditItem;
    if (!CommitEdit()) return false;
    TLumeGroups& groups = *Owner()->OwnerGroups();
    if (item && !item->Destroying())
        PendingEditItem = backward ? groups.PrevEditableItem(item) : groups.NextEditableItem(item);
    StopEditing();
    return true;
}

bool TLumeEditManager::PressAt(LumePoint clientPoint, bool insideControl, bool& passOn) {
    TLumeFreeingHold hold(Owner());
    passOn = true;
    if (EditFinished || !editor_ || editor_->PointInEditor(clientPoint)) return false;
    if (CommitEdit()) {
        EndEdit();
        passOn = !insideControl;
        return !passOn;
    }
    passOn = false;
    return true;
}

void TLumeEditManager::LayoutChanged() {
    if (!Editing || EditFinished || !EditItem) return;
    ILumeOwner* lv = Owner();
    if (lv->OwnerScrollbars()->MapViewRectToWindow(EditItem->DisplayRect) != placedAt_ || lv->View() != placedView_) EndEdit();
}

void TLumeEditManager::Forget(TLumeItem* item) {
    if (PendingEditItem == item) PendingEditItem = nullptr;
    if (EditItem != item) return;
    // The value has nowhere to go: the edit ends without it.
    EndEdit();
}

}  // namespace lume
