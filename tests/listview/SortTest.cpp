// Sorting by each algorithm, stability, pending sorts, regrouping and
// comparisons that misbehave.
#include "FakeHost.h"

#include <QStringList>
#include <algorithm>
#include <random>

namespace lume::test {
namespace {

QStringList Captions(TCustomLumeListview& lv) {
    QStringList out;
    for (int i = 0; i < lv.Items().Count(); ++i) out << lv.Items()[i]->Caption();
    return out;
}

struct Sorted {
    Listview lv;
    explicit Sorted(const QStringList& captions) {
        lv.Report({100, 100});
        for (const QString& c : captions) lv->Items().Add()->SetCaption(c);
    }
};

TEST(ListviewSort, EachAlgorithmBothWays) {
    for (TLumeSortAlgorithm algorithm :
         {TLumeSortAlgorithm::esaQuickSort, TLumeSortAlgorithm::esaBubbleSort, TLumeSortAlgorithm::esaMergeSort}) {
        Sorted s({"b", "A", "c"});
        s.lv->Sort->SetAlgorithm(algorithm);
        TLumeColumn* column = s.lv->Header->Columns->At(0);
        column->SetSortDirection(TLumeSortDirection::esdAscending);
        s.lv->Sort->ApplySort();
        EXPECT_EQ(Captions(*s.lv.lv), (QStringList{"A", "b", "c"})) << int(algorithm);
        column->SetSortDirection(TLumeSortDirection::esdDescending);
        s.lv->Sort->ApplySort();
        EXPECT_EQ(Captions(*s.lv.lv), (QStringList{"c", "b", "A"})) << int(algorithm);
        EXPECT_EQ(s.lv->Items()[0]->Index(), 0) << "indexes renewed by the layout";
    }
}

TEST(ListviewSort, StableAlgorithmsMatchStdStableSort) {
    std::mt19937 random(7);
    QStringList captions;
    for (int i = 0; i < 300; ++i) captions << QString(QChar('a' + int(random() % 5))) + QString::number(i);
    for (TLumeSortAlgorithm algorithm : {TLumeSortAlgorithm::esaBubbleSort, TLumeSortAlgorithm::esaMergeSort}) {
        Sorted s(captions);
        s.lv->Sort->SetAlgorithm(algorithm);
        // Compare on the first letter only, so that many are equal.
        s.lv->OnItemCompare = [](TLV*, TLumeColumn*, TLumeGroup*, TLumeItem* a, TLumeItem* b) {
            return int(a->Caption().at(0).unicode()) - int(b->Caption().at(0).unicode());
        };
        s.lv->Sort->ApplySort();
        QStringList expected = captions;
        std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) { return a[0] < b[0]; });
        EXPECT_EQ(Captions(*s.lv.lv), expected) << int(algorithm);
    }
}

TEST(ListviewSort, OnePendingSortAtTheOuterEndUpdate) {
    Sorted s({"c", "a", "b"});
    int compares = 0;
    s.lv->OnItemCompare = [&](TLV* lv, TLumeColumn* c, TLumeGroup*, TLumeItem* a, TLumeItem* b) {
        ++compares;
        return lv->Sort->DefaultSortCompare(c, a, b);
    };
    s.lv->BeginUpdate(true);
    s.lv->BeginUpdate(true);
    s.lv->Sort->SetAutoSort(true);
    s.lv->Items().Add()->SetCaption(QStringLiteral("0"));
    EXPECT_EQ(compares, 0);
    EXPECT_TRUE(s.lv->Sort->SortPending);
    s.lv->EndUpdate(true);
    EXPECT_EQ(compares, 0);
    s.lv->EndUpdate(true);
    EXPECT_GT(compares, 0);
    EXPECT_FALSE(s.lv->Sort->SortPending);
    EXPECT_EQ(Captions(*s.lv.lv), (QStringList{"0", "a", "b", "c"}));
}

TEST(ListviewSort, RegroupingByFirstLetter) {
    Sorted s({"berry", "apple", "Avocado"});
    auto before = std::vector<TLumeItem*>{s.lv->Items()[0], s.lv->Items()[1], s.lv->Items()[2]};
    int freed = 0;
    s.lv->OnItemFreeing = [&](TLV*, TLumeItem*) { ++freed; };
    s.lv->Sort->SetAutoRegroup(true);
    ASSERT_EQ(s.lv->Groups->Count(), 2);
    EXPECT_EQ(s.lv->Groups->At(0)->Caption(), QStringLiteral("A"));
    EXPECT_EQ(s.lv->Groups->At(1)->Caption(), QStringLiteral("B"));
    EXPECT_EQ(Captions(*s.lv.lv), (QStringList{"apple", "Avocado", "berry"}));
    EXPECT_EQ(freed, 0) << "items move, nothing is freed";
    for (TLumeItem* item : before) EXPECT_EQ(item->Collection, item->OwnerGroup()->Items());
    s.lv->Items().Clear();
    EXPECT_EQ(freed, 3) << "each freed once";
}

TEST(ListviewSort, AMovedColumnComparesItsOwnCaptions) {
    Sorted s({"x", "y"});
    s.lv->Items()[0]->SetCaptions(1, QStringLiteral("2"));
    s.lv->Items()[1]->SetCaptions(1, QStringLiteral("1"));
    TLumeColumn* second = s.lv->Header->Columns->At(1);
    second->SetPosition(0);
    s.lv->Selection()->SetFocusedColumn(second);
    second->SetSortDirection(TLumeSortDirection::esdAscending);
    s.lv->Sort->ApplySort();
    EXPECT_EQ(Captions(*s.lv.lv), (QStringList{"y", "x"}));
}

TEST(ListviewSort, MisbehavingComparisons) {
    for (TLumeSortAlgorithm algorithm :
         {TLumeSortAlgorithm::esaQuickSort, TLumeSortAlgorithm::esaBubbleSort, TLumeSortAlgorithm::esaMergeSort}) {
        QStringList captions;
        for (int i = 0; i < 50; ++i) captions << QString::number(i);
        {
            // Inconsistent answers must not carry a scan out of the list.
            Sorted s(captions);
            s.lv->Sort->SetAlgorithm(algorithm);
            s.lv->OnItemCompare = [](TLV*, TLumeColumn*, TLumeGroup*, TLumeItem*, TLumeItem*) { return -1; };
            s.lv->Sort->ApplySort();
            QStringList after = Captions(*s.lv.lv);
            std::sort(after.begin(), after.end());
            QStringList all = captions;
            std::sort(all.begin(), all.end());
            EXPECT_EQ(after, all) << "every item once";
        }
        {
            // A comparison that throws leaves the order as it was.
            Sorted s(captions);
            s.lv->Sort->SetAlgorithm(algorithm);
            int calls = 0;
            s.lv->OnItemCompare = [&](TLV*, TLumeColumn*, TLumeGroup*, TLumeItem* a, TLumeItem* b) {
                if (++calls == 20) throw std::runtime_error("handler failed");
                return QString::compare(b->Caption(), a->Caption());
            };
            EXPECT_THROW(s.lv->Sort->ApplySort(), std::runtime_error);
            EXPECT_EQ(Captions(*s.lv.lv), captions) << int(algorithm);
            EXPECT_FALSE(s.lv->Sort->Sorting);
        }
    }
}

// An item goes to the first group with its key: here the application, asked
// for a group for key 5, made two and gave the second.
TEST(ListviewSort, RegroupingPutsAnItemInTheFirstGroupWithItsKey) {
    Sorted s({"a", "b", "c"});
    for (int i = 0; i < 3; ++i) s.lv->Items()[i]->SetGroupKey(1, 5);
    s.lv->OnAutoSortGroupCreate = [](TLV*, TLumeItem*, int, TLumeGroups* groups, TLumeGroup*& group, bool& doDefault) {
        TLumeGroup* first = groups->AddGroup();
        first->SetCaption(QStringLiteral("primeiro"));
        first->Key = 5;
        group = groups->AddGroup();
        group->SetCaption(QStringLiteral("segundo"));
        doDefault = false;
    };
    s.lv->Sort->RegroupBy(s.lv->Header->Columns->At(1));
    ASSERT_EQ(s.lv->Groups->Count(), 2);
    auto groupOf = [&](const char* caption) {
        for (int i = 0; i < 3; ++i)
            if (s.lv->Items()[i]->Caption() == QLatin1String(caption)) return s.lv->Items()[i]->OwnerGroup()->Caption();
        return QString();
    };
    EXPECT_EQ(groupOf("a"), QStringLiteral("segundo")) << "the group given for the first";
    EXPECT_EQ(groupOf("b"), QStringLiteral("primeiro"));
    EXPECT_EQ(groupOf("c"), QStringLiteral("primeiro"));
}

}  // namespace
}  // namespace lume::test
