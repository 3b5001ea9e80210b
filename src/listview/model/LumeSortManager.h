// Sorting groups and items, and regrouping items by a key.
#pragma once

#include "listview/LumePersistent.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace lume {

class TLumeColumn;
class TLumeCollection;
class TLumeCollectionItem;
class TLumeSortManager;

enum class TLumeSortAlgorithm { esaQuickSort, esaBubbleSort, esaMergeSort };

// Compare(a, b) < 0: a belongs before b.
using LumeCompare = std::function<int(TLumeCollectionItem*, TLumeCollectionItem*)>;

class TLumeSorter {
public:
    explicit TLumeSorter(TLumeSortManager* owner) : Owner(owner) {}
    virtual ~TLumeSorter() = default;
    TLumeSortManager* Owner;
    // Sorts positions min..max of the list. The list is changed only when the
    // whole sort succeeds: a comparison that throws leaves it as it was.
    void Sort(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare);

protected:
    virtual void SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) = 0;
};

class TLumeQuickSort : public TLumeSorter {
public:
    using TLumeSorter::TLumeSorter;

protected:
    void SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) override;
};

class TLumeBubbleSort : public TLumeSorter {
public:
    using TLumeSorter::TLumeSorter;

protected:
    void SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) override;
};

class TLumeMergeSort : public TLumeSorter {
public:
    using TLumeSorter::TLumeSorter;

protected:
    void SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) override;
};

// The default comparison's sort: the captions of the list, read once, compared
// case-insensitively, sign -1 for descending.
void SortByCaptions(TLumeSortAlgorithm algorithm, std::vector<TLumeCollectionItem*>& list,
                    const std::vector<QString>& captions, int sign);

class TLumeSortManager : public TLumeOwnedPersistent {
public:
    explicit TLumeSortManager(TCustomLumeListview* owner);
    ~TLumeSortManager() override;

    TLumeSortAlgorithm Algorithm() const { return algorithm_; }
    void SetAlgorithm(TLumeSortAlgorithm value);
    bool AutoSort = false;  // read by the layout; set through SetAutoSort
    bool AutoRegroup = false;
    void SetAutoSort(bool value);
    void SetAutoRegroup(bool value);
    bool SortPending = false;
    bool Sorting = false;
    TLumeSorter* Sorter() const { return sorter_.get(); }

    void ApplySort();
    void SortAll() { ApplySort(); }
    virtual void RegroupBy(TLumeColumn* column);
    int DefaultSortCompare(TLumeColumn* column, TLumeCollectionItem* a, TLumeCollectionItem* b);

private:
    TLumeSortAlgorithm algorithm_ = TLumeSortAlgorithm::esaMergeSort;
    std::unique_ptr<TLumeSorter> sorter_;
};

}  // namespace lume
