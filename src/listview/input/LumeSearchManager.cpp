#include "listview/input/LumeSearchManager.h"

#include "listview/LumeHost.h"
#include "listview/LumeOwner.h"
#include "listview/input/LumeSelectionManager.h"
#include "listview/model/LumeGroups.h"

namespace lume {

TLumeIncrementalSearchManager::~TLumeIncrementalSearchManager() {
    if (TimerRunning && Owner() && Owner()->Host()) Owner()->Host()->StopTimer(TimerId);
}

TLumeItem* TLumeIncrementalSearchManager::First() const {
    const TLumeGroups& g = *Owner()->OwnerGroups();
    const bool back = Direction == TLumeIncrementalSearchDir::eisdBackward;
    switch (ItemType) {
    case TLumeIncrementalSearchItemType::eisiAll: return back ? g.LastItem() : g.FirstItem();
    case TLumeIncrementalSearchItemType::eisiInitializedOnly: return back ? g.LastInitializedItem() : g.FirstInitializedItem();
    case TLumeIncrementalSearchItemType::eisiVisible: break;
    }
    return back ? g.LastVisibleItem() : g.FirstVisibleItem();
}

TLumeItem* TLumeIncrementalSearchManager::Next(TLumeItem* item) const {
    const TLumeGroups& g = *Owner()->OwnerGroups();
    const bool back = Direction == TLumeIncrementalSearchDir::eisdBackward;
    switch (ItemType) {
    case TLumeIncrementalSearchItemType::eisiAll: return back ? g.PrevItem(item) : g.NextItem(item);
    case TLumeIncrementalSearchItemType::eisiInitializedOnly:
        return back ? g.PrevInitializedItem(item) : g.NextInitializedItem(item);
    case TLumeIncrementalSearchItemType::eisiVisible: break;
    }
    return back ? g.PrevVisibleItem(item) : g.NextVisibleItem(item);
}

void TLumeIncrementalSearchManager::HandleKeyDown(uint16_t key, TShiftState shift) {
    if (!Enabled || shift.Has(TShiftStateBit::ssAlt) || shift.Has(TShiftStateBit::ssCtrl) || key < 32) return;
    StartSearch();
}

void TLumeIncrementalSearchManager::StartSearch() {
    if (Searching) return;
    switch (StartType) {
    case TLumeIncrementalSearchStart::eissStartOver: SearchItem = First(); break;
    case TLumeIncrementalSearchStart::eissLastHit:
        if (!SearchItem) SearchItem = First();
        break;
    case TLumeIncrementalSearchStart::eissFocusedNode:
        SearchItem = Owner()->Selection()->FocusedItem();
        if (!SearchItem) SearchItem = First();
        break;
    }
    StartTimer();
    Searching = true;
}

void TLumeIncrementalSearchManager::HandleKeyPress(const QString& text) {
    if (!Enabled || !Searching || text.isEmpty()) return;
    StopTimer();
    StartTimer();
    TLumeItem* fallback = StartType != TLumeIncrementalSearchStart::eissStartOver ? SearchItem : nullptr;
    SearchBuffer += text;
    if (!SearchItem) return;
    ILumeOwner* lv = Owner();
    int result = 0;
    lv->DoIncrementalSearch(SearchItem, SearchBuffer, result);
    while (result != 0 && SearchItem) {
        SearchItem = Next(SearchItem);
        if (SearchItem) lv->DoIncrementalSearch(SearchItem, SearchBuffer, result);
    }
    if (!SearchItem) {
        SearchItem = fallback;
        return;
    }
    lv->Selection()->ClearAll();
    lv->Selection()->SetFocusedItem(SearchItem);
    SearchItem->SetSelected(true);
    SearchItem->MakeVisible(emvAuto);
}

void TLumeIncrementalSearchManager::ResetSearch() {
    SearchBuffer.clear();
    if (StartType != TLumeIncrementalSearchStart::eissLastHit) ClearSearchItem();
    Searching = false;
    StopTimer();
}

void TLumeIncrementalSearchManager::Forget(TLumeItem* item) {
    if (SearchItem == item) SearchItem = nullptr;
}

void TLumeIncrementalSearchManager::StartTimer() {
    if (!Enabled || TimerRunning || !Owner()->Host()) return;
    TimerId = Owner()->Host()->StartTimer(ResetTime, [this] { ResetSearch(); });
    TimerRunning = true;
}

void TLumeIncrementalSearchManager::StopTimer() {
    if (!TimerRunning) return;
    if (!Owner()->Host() || !Owner()->Host()->StopTimer(TimerId))
        throw std::runtime_error("Can not Destroy Incremental Search Timer");
    TimerId = 0;
    TimerRunning = false;
}

}  // namespace lume
