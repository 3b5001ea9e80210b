// The three sort algorithms over a list of objects.
#include "listview/model/LumeSortManager.h"

#include "listview/model/LumeCollection.h"
#include "listview/LumeWideStrings.h"

#include <QString>

namespace lume {

void TLumeSorter::Sort(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) {
    max = std::min(max, int(list.size()) - 1);
    if (min < 0) min = 0;
    if (min >= max) return;
    // Sorting a copy keeps every object in the list exactly once, in its old
    // order, when a comparison throws half way.
    std::vector<TLumeCollectionItem*> work(list);
    SortRange(work, min, max, compare);
    list.swap(work);
}

namespace {

template <typename T, typename Compare>
void QuickSortT(std::vector<T>& list, int min, int max, const Compare& compare) {
    while (min < max) {
        int i = min, j = max;
        const T pivot = list[size_t((min + max) / 2)];
        do {
            // The scans stop at the range's ends: a comparison that is not
            // consistent must not carry them outside it.
            while (i < max && compare(list[size_t(i)], pivot) < 0) ++i;
            while (j > min && compare(list[size_t(j)], pivot) > 0) --j;
            if (i <= j) {
                std::swap(list[size_t(i)], list[size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (min < j) QuickSortT(list, min, j, compare);
        min = i;
    }
}

template <typename T, typename Compare>
void BubbleSortT(std::vector<T>& list, int min, int max, const Compare& compare) {
    auto at = [&](int k) -> T& { return list[size_t(k)]; };
    while (min < max) {
        int last = min - 1;
        int k = min + 1;
        while (k <= max) {
            if (compare(at(k - 1), at(k)) <= 0) {
                ++k;
                continue;
            }
            const T t = at(k - 1);
            int m = k;
            while (m <= max && compare(at(m), t) < 0) {
                at(m - 1) = at(m);
                ++m;
            }
            at(m - 1) = t;
            last = m - 1;
            k = m + 1;
        }
        max = last - 1;
        last = max + 1;
        k = max - 1;
        while (k >= min) {
            if (compare(at(k + 1), at(k)) >= 0) {
                --k;
                continue;
            }
            const T t = at(k + 1);
            int m = k;
            while (m >= min && compare(at(m), t) > 0) {
                at(m + 1) = at(m);
                --m;
            }
            at(m + 1) = t;
            last = m + 1;
            k = m - 1;
        }
        min = last + 1;
    }
}

// Top-down and stable: the lower half goes to a scratch list half the
// range's size and is merged back, ties taking the lower element.
template <typename T, typename Compare>
void MergeSortT(std::vector<T>& list, int min, int max, const Compare& compare) {
    std::vector<T> scratch(size_t((max - min + 2) / 2));
    struct Recurse {
        std::vector<T>& list;
        std::vector<T>& scratch;
        const Compare& compare;
        void operator()(int lo, int hi) {
            const int n = hi - lo;
            if (n < 2) return;
            if (n == 2) {
                if (compare(list[size_t(lo)], list[size_t(lo + 1)]) > 0) std::swap(list[size_t(lo)], list[size_t(lo + 1)]);
                return;
            }
            const int mid = lo + n / 2;
            (*this)(lo, mid);
            (*this)(mid, hi);
            std::copy(list.begin() + lo, list.begin() + mid, scratch.begin());
            int a = 0, b = mid, out = lo;
            const int aEnd = mid - lo;
            while (a < aEnd) {
                if (b >= hi || compare(scratch[size_t(a)], list[size_t(b)]) <= 0)
                    list[size_t(out++)] = scratch[size_t(a++)];
                else
                    list[size_t(out++)] = list[size_t(b++)];
            }
        }
    };
    Recurse{list, scratch, compare}(min, max + 1);
}

}  // namespace

void TLumeQuickSort::SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) {
    QuickSortT(list, min, max, compare);
}

void TLumeBubbleSort::SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) {
    BubbleSortT(list, min, max, compare);
}

void TLumeMergeSort::SortRange(std::vector<TLumeCollectionItem*>& list, int min, int max, const LumeCompare& compare) {
    MergeSortT(list, min, max, compare);
}

void SortByCaptions(TLumeSortAlgorithm algorithm, std::vector<TLumeCollectionItem*>& list,
                    const std::vector<QString>& captions, int sign) {
    // Positions are sorted, comparing the captions read once; then the list follows.
    if (list.size() < 2) return;
    std::vector<int> order(list.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    auto compare = [&captions, sign](int a, int b) {
        return sign * CompareWideTextNoCase(captions[size_t(a)], captions[size_t(b)]);
    };
    const int max = int(order.size()) - 1;
    switch (algorithm) {
    case TLumeSortAlgorithm::esaQuickSort: QuickSortT(order, 0, max, compare); break;
    case TLumeSortAlgorithm::esaBubbleSort: BubbleSortT(order, 0, max, compare); break;
    case TLumeSortAlgorithm::esaMergeSort: MergeSortT(order, 0, max, compare); break;
    }
    std::vector<TLumeCollectionItem*> sorted(list.size());
    for (size_t i = 0; i < order.size(); ++i) sorted[i] = list[size_t(order[i])];
    list.swap(sorted);
}

}  // namespace lume
