#include "listview/model/LumeSortManager.h"

#include "listview/LumeListview.h"
#include "listview/LumeWideStrings.h"

namespace lume {

namespace {

std::unique_ptr<TLumeSorter> MakeSorter(TLumeSortAlgorithm algorithm, TLumeSortManager* owner) {
    switch (algorithm) {
    case TLumeSortAlgorithm::esaQuickSort: return std::make_unique<TLumeQuickSort>(owner);
    case TLumeSortAlgorithm::esaBubbleSort: return std::make_unique<TLumeBubbleSort>(owner);
    case TLumeSortAlgorithm::esaMergeSort: break;
    }
    return std::make_unique<TLumeMergeSort>(owner);
}

}  // namespace

TLumeSortManager::TLumeSortManager(TCustomLumeListview* owner)
    : TLumeOwnedPersistent(owner), sorter_(MakeSorter(TLumeSortAlgorithm::esaMergeSort, this)) {}

TLumeSortManager::~TLumeSortManager() = default;

void TLumeSortManager::SetAlgorithm(TLumeSortAlgorithm value) {
    if (value == algorithm_) return;
    algorithm_ = value;
    sorter_ = MakeSorter(value, this);
}

void TLumeSortManager::SetAutoSort(bool value) {
    if (value == AutoSort) return;
    AutoSort = value;
    OwnerListview->Selection()->FocusedColumn();  // the first column when none is focused
    if (value) ApplySort();
}

void TLumeSortManager::SetAutoRegroup(bool value) {
    if (value == AutoRegroup) return;
    TCustomLumeListview* lv = OwnerListview;
    lv->BeginUpdate(false);
    try {
        lv->SetShowGroupMargins(value);
        AutoRegroup = value;
        RegroupBy(lv->Selection()->FocusedColumn());
    } catch (...) {
        lv->EndUpdate(true);
        throw;
    }
    lv->EndUpdate(true);
}

int TLumeSortManager::DefaultSortCompare(TLumeColumn* column, TLumeCollectionItem* a, TLumeCollectionItem* b) {
    const int index = column ? column->Index() : 0;
    const int result = CompareWideTextNoCase(a->GetColumnCaption(index), b->GetColumnCaption(index));
    return column && column->SortDirection() == TLumeSortDirection::esdDescending ? -result : result;
}

void TLumeSortManager::ApplySort() {
    TCustomLumeListview* lv = OwnerListview;
    if (!sorter_ || !lv || Sorting) return;
    if (lv->UpdateCount > 0) {
        SortPending = true;
        return;
    }
    struct SortingFlag {
        bool& flag;
        explicit SortingFlag(bool& f) : flag(f) { flag = true; }
        ~SortingFlag() { flag = false; }
    } sorting(Sorting);
    TLumeGroups& groups = *lv->Groups;
    sorter_->Sort(groups.List, 0, groups.Count() - 1, [lv](TLumeCollectionItem* a, TLumeCollectionItem* b) {
        return lv->DoGroupCompare(static_cast<TLumeGroup*>(a), static_cast<TLumeGroup*>(b));
    });
    TLumeColumn* column = lv->Selection()->FocusedColumn();
    const int index = column ? column->Index() : 0;
    const int sign = column && column->SortDirection() == TLumeSortDirection::esdDescending ? -1 : 1;
    for (TLumeCollectionItem* g : groups.List) {
        auto* group = static_cast<TLumeGroup*>(g);
        std::vector<TLumeCollectionItem*>& items = group->Items()->List;
        if (!lv->CustomItemCompare()) {
            // The default comparison reads each caption once, not once per comparison.
            std::vector<QString> captions(items.size());
            for (size_t i = 0; i < items.size(); ++i) captions[i] = static_cast<TLumeItem*>(items[i])->Captions(index);
            SortByCaptions(algorithm_, items, captions, sign);
            continue;
        }
        sorter_->Sort(items, 0, int(items.size()) - 1, [lv, column, group](TLumeCollectionItem* a, TLumeCollectionItem* b) {
            return lv->DoItemCompare(column, group, static_cast<TLumeItem*>(a), static_cast<TLumeItem*>(b));
        });
    }
    SortPending = false;
    if (!groups.Rebuilding) groups.RebuildLayout(true);
}

void TLumeSortManager::RegroupBy(TLumeColumn* column) {
    TCustomLumeListview* lv = OwnerListview;
    lv->BeginUpdate(false);
    std::vector<TLumeItem*> regroup;
    try {
        const int x = column ? column->Index() : 0;
        TLumeGroups& groups = *lv->Groups;
        // The items leave their groups without being freed; the empty groups go.
        for (TLumeCollectionItem* g : groups.List) {
            TLumeItems* items = static_cast<TLumeGroup*>(g)->Items();
            for (TLumeCollectionItem* i : items->List) {
                i->Collection = nullptr;
                regroup.push_back(static_cast<TLumeItem*>(i));
            }
            items->List.clear();
            static_cast<TLumeGroup*>(g)->VisibleItems.clear();
        }
        groups.Clear(true);
        for (size_t n = 0; n < regroup.size(); ++n) {
            TLumeItem* item = regroup[n];
            int key;
            if (AutoRegroup && x == 0) {
                const QString caption = item->GetColumnCaption(0);
                key = caption.isEmpty() ? 0 : caption.at(0).toLower().unicode();
            } else {
                TLumeItems home(lv, nullptr);  // the item asks its control for keys through its collection
                item->Collection = &home;
                key = item->GroupKey(x);
                item->Collection = nullptr;
            }
            TLumeGroup* target = nullptr;
            for (TLumeCollectionItem* g : groups.List) {
                if (static_cast<TLumeGroup*>(g)->Key == key) {
                    target = static_cast<TLumeGroup*>(g);
                    break;
                }
            }
            if (!target) {
                bool doDefault = true;
                lv->DoAutoSortGroupCreate(item, x, &groups, target, doDefault);
                if (doDefault) {
                    if (x != 0) {
                        TLumeItems home(lv, nullptr);
                        item->Collection = &home;
                        target->SetCaption(item->Captions(x));
                        item->Collection = nullptr;
                    } else if (key != 0) {
                        const QChar c(key);
                        target->SetCaption(c >= QChar('a') && c <= QChar('z') ? QString(c.toUpper()) : QString(c));
                    }
                }
                target->Key = key;
            }
            item->Collection = target->Items();
            item->IndexField = target->Items()->Count();
            target->Items()->List.push_back(item);
            regroup[n] = nullptr;
        }
        ApplySort();
    } catch (...) {
        // Items not yet placed are freed rather than lost; the selection
        // lets go of them first.
        for (TLumeItem* item : regroup) {
            if (item) lv->Selection()->Forget(item);
            delete item;
        }
        lv->EndUpdate(true);
        throw;
    }
    lv->EndUpdate(true);
}

}  // namespace lume
