// What filling a row of the transmission list allocates: a long list is
// filled a million rows at a time, and each allocation of a row counts.
// The program's operator new is counted here while a row is filled.
#include "FakeHost.h"

#include <cstdlib>
#include <new>

namespace {
thread_local bool counting = false;
thread_local int allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace lume::test {
namespace {

TEST(ListviewFill, ARowTakesFewAllocations) {
    Listview lv;
    lv.Report({18, 100, 130, 45, 70, 70, 70, 18, 430});
    lv->BeginUpdate(true);
    lv->Items().Add();  // the group and the list's first room
    const QString name = QStringLiteral("EMPRESA EXEMPLO LTDA");
    counting = true;
    TLumeItem* item = lv->Items().Add();
    for (int c = 1; c < 9; ++c) item->SetCaptions(c, name);
    item->SetImageIndexes(0, 1);
    item->SetImageIndexes(7, 2);
    counting = false;
    lv->EndUpdate(true);
    // The item, its captions once, its pictures once, and the group's list growing.
    EXPECT_LE(allocations, 4);
    EXPECT_EQ(item->Captions(8), name);
    EXPECT_EQ(item->ImageIndexes(7), 2);
}

}  // namespace
}  // namespace lume::test
