#include "listview/model/LumeCollection.h"

#include "listview/LumeListview.h"
#include "listview/model/LumeStreamHelper.h"

#include <unordered_set>

namespace lume {

TLumeCollectionItem::TLumeCollectionItem(TLumeCollection* collection) : Collection(collection) {}

TLumeCollectionItem::~TLumeCollectionItem() = default;

TCustomLumeListview* TLumeCollectionItem::OwnerListview() const {
    return Collection ? Collection->OwnerListview : nullptr;
}

void TLumeCollectionItem::BeforeDestroy() {
    TCustomLumeListview* lv = OwnerListview();
    if (lv) {
        if (lv->HotTrack->CheckHotObject() == this || lv->HotTrack->HotObject() == this) lv->HotTrack->Forget(this);
        lv->CheckManager->Forget(this);
        if (lv->Host()) lv->Host()->ForgetObject(this);
    }
    PaintInfo.reset();
    State |= ecisDestroying;
    Freeing();
}

TLumeImageList* TLumeCollectionItem::GetImageList(int sizeKind) {
    TCustomLumeListview* lv = OwnerListview();
    if (!lv) return nullptr;
    switch (sizeKind) {
    case 0: return lv->ImagesSmall();
    case 1: return lv->ImagesLarge();
    case 2: return lv->ImagesExLarge();
    default: return nullptr;
    }
}

QString TLumeCollectionItem::GetDisplayName() {
    const QString caption = GetCaption();
    return caption.isEmpty() ? QString::fromLatin1(typeid(*this).name()) : caption;
}

int TLumeCollectionItem::GetIndex() {
    if (!Collection) return -1;
    const auto& list = Collection->List;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == this) return int(i);
    return -1;
}

bool TLumeCollectionItem::CanChange(uint16_t bit, bool value) {
    switch (bit) {
    case ecisBold: return CanChangeBold(value);
    case ecisChecked: return CanChangeCheck(value);
    case ecisEnabled: return CanChangeEnable(value);
    case ecisFocused: return CanChangeFocus(value);
    case ecisHotTracking: return CanChangeHotTracking(value);
    case ecisSelected: return CanChangeSelection(value);
    case ecisVisible: return CanChangeVisibility(value);
    default: return true;
    }
}

void TLumeCollectionItem::Gain(uint16_t bit, LumePoint mousePos) {
    switch (bit) {
    case ecisBold: GainBold(); break;
    case ecisChecked: GainCheck(); break;
    case ecisEnabled: GainEnable(); break;
    case ecisFocused: GainFocus(); break;
    case ecisHotTracking: GainHotTracking(mousePos); break;
    case ecisSelected: GainSelection(); break;
    case ecisVisible: GainVisibility(); break;
    default: break;
    }
}

void TLumeCollectionItem::Lose(uint16_t bit) {
    switch (bit) {
    case ecisBold: LoseBold(); break;
    case ecisChecked: LoseCheck(); break;
    case ecisEnabled: LoseEnable(); break;
    case ecisFocused: LoseFocus(); break;
    case ecisHotTracking: LoseHotTracking(); break;
    case ecisSelected: LoseSelection(); break;
    case ecisVisible: LoseVisibility(); break;
    default: break;
    }
}

void TLumeCollectionItem::ChangeState(uint16_t bit, bool value, LumePoint mousePos) {
    // Whatever the handlers of this change free (the list emptied and filled
    // again) is kept until the outermost change ends: this object among them.
    TLumeFreeingHold hold(OwnerListview());
    const bool destroying = Has(ecisDestroying);
    // While destroying a bit can only be cleared; a clear bit has nothing to lose.
    if (destroying) value = false;
    if (Has(bit) == value) return;
    if (value && (bit == ecisFocused || bit == ecisSelected) && !(Has(ecisVisible) && Has(ecisEnabled))) return;
    if (!destroying && !CanChange(bit, value)) return;
    // The handler asked may have freed the object (its list emptied): it is
    // kept until the input ends, but changes no more.
    if (!destroying && Has(ecisDestroying)) return;
    if (value) {
        State |= bit;
        Gain(bit, mousePos);
        return;
    }
    if (bit == ecisEnabled) {
        SetFocused(false);
        SetSelected(false);
    } else if (bit == ecisVisible) {
        SetFocused(false);
        SetSelected(false);
        SetChecked(false);
    }
    // Those changes' handlers may have freed it: it loses nothing more.
    if (!destroying && Has(ecisDestroying)) return;
    State &= ~bit;
    Lose(bit);
}

void TLumeCollectionItem::SetAndInvalidate(uint16_t bit, bool value) {
    if (Has(bit) == value) return;
    SetStateBit(bit, value);
    Invalidate(false);
}

void TLumeCollectionItem::SetInitialized(bool value) {
    if (value) {
        if (Has(ecisInitialized)) return;
        State |= ecisInitialized;
        Initialize();
    } else {
        State &= ~ecisInitialized;
    }
}

void TLumeCollectionItem::SetDropTarget(bool value) {
    if (Has(ecisDestroying)) {
        SetFocused(false);
        SetSelected(false);
        State &= ~ecisDropTarget;
        LoseDropTarget();
        return;
    }
    if (value) {
        State |= ecisDropTarget;
        GainDropTarget();
    } else {
        State &= ~ecisDropTarget;
        LoseDropTarget();
    }
}

void TLumeCollectionItem::ReadFromStream(QIODevice& stream, int /*version*/) {
    const uint16_t word = TLumeMemoryStreamHelper::ReadWord(stream);
    State = uint16_t((State & 0xF37E) | (word & kStreamStateMask));
}

void TLumeCollectionItem::WriteToStream(QIODevice& stream, int /*version*/) {
    TLumeMemoryStreamHelper::WriteWord(stream, State & kStreamStateMask);
}

TLumeCollection::~TLumeCollection() {
    // The owners clear their collections with the full protocol first; what
    // is left here goes without events.
    for (TLumeCollectionItem* item : List) delete item;
}

TLumeCollectionItem* TLumeCollection::Add(void* data) {
    TLumeCollectionItem* item = CreateItem();
    List.push_back(item);
    DoItemAdd(item, Count() - 1);
    item->SetData(data);
    DoStructureChange();
    return item;
}

void TLumeCollection::BeginUpdate(bool reIndex) {
    if (OwnerListview) OwnerListview->BeginUpdate(reIndex);
}

void TLumeCollection::EndUpdate(bool invalidate) {
    if (OwnerListview) OwnerListview->EndUpdate(invalidate);
}

void TLumeCollection::Clear(bool freeItems) {
    if (List.empty()) return;
    TCustomLumeListview* lv = OwnerListview;
    // A freeing handler may empty the collection or list it again: what it
    // frees is kept until this clearing ends.
    TLumeFreeingHold hold(lv);
    BeginUpdate(false);
    std::exception_ptr failure;
    const std::vector<TLumeCollectionItem*> doomed = List;
    if (freeItems) {
        // Objects are destroyed in order while the list still holds them, so
        // that handlers see a consistent collection; one that fails does not
        // keep the others alive. One already going (a handler cleared again
        // while it went) is not destroyed twice.
        for (TLumeCollectionItem* item : doomed) {
            if (item->Destroying()) continue;
            try {
                item->BeforeDestroy();
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
        }
    }
    // Only what is still here leaves now: a handler's own clearing took the
    // rest, and what it listed meanwhile stays.
    std::vector<TLumeCollectionItem*> leaving;
    if (List.size() >= doomed.size() && std::equal(doomed.begin(), doomed.end(), List.begin())) {
        leaving = doomed;
        List.erase(List.begin(), List.begin() + std::ptrdiff_t(doomed.size()));
    } else {
        const std::unordered_set<TLumeCollectionItem*> gone(doomed.begin(), doomed.end());
        std::erase_if(List, [&](TLumeCollectionItem* item) {
            if (!gone.count(item)) return false;
            leaving.push_back(item);
            return true;
        });
    }
    if (freeItems) {
        for (TLumeCollectionItem* item : leaving) {
            if (lv)
                lv->Dispose(item);
            else
                delete item;
        }
    }
    try {
        if (lv && lv->HasWindow()) {
            lv->Scrollbars->SetOffsetX(0);
            lv->Scrollbars->SetOffsetY(0);
        }
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    EndUpdate(true);
    if (failure) std::rethrow_exception(failure);
}

void TLumeCollection::WriteItems(QIODevice& stream) {
    TLumeMemoryStreamHelper::WriteInteger(stream, StreamTag);
    TLumeMemoryStreamHelper::WriteInteger(stream, Count());
    for (TLumeCollectionItem* item : List) item->WriteToStream(stream, 1);
}

void TLumeCollection::ReadItems(QIODevice& stream) {
    Clear(true);
    const int32_t tag = TLumeMemoryStreamHelper::ReadInteger(stream);
    const int32_t count = TLumeMemoryStreamHelper::ReadCount(stream, MinRecordSize());
    StreamTag = tag;
    for (int i = 0; i < count; ++i) Add(nullptr)->ReadFromStream(stream, 1);
}

TLumeCollectionItem* TLumeCollection::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return List[index];
}

void TLumeCollection::SetItem(int index, TLumeCollectionItem* item) {
    if (index < 0 || index >= Count()) throw EListError(index);
    List[index] = item;
}

}  // namespace lume
