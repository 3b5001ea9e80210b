// The "Items" stream: the stored groups of the transmission window, a
// column record byte for byte, and damaged streams refused cleanly.
#include "FakeHost.h"

#include <QBuffer>

namespace lume::test {
namespace {

QByteArray StoredGroups() {
    QByteArray bytes = QByteArray::fromHex("00000000" "03000000");
    for (int i = 0; i < 3; ++i) bytes += QByteArray::fromHex("8008") + QByteArray(8, '\0') + QByteArray(16, '\0');
    return bytes;
}

QByteArray Write(TLumeCollection& collection) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    collection.WriteItems(buffer);
    return buffer.data();
}

void Read(TLumeCollection& collection, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    collection.ReadItems(buffer);
}

TEST(ListviewStream, StoredGroupsOfTheTransmissionWindowRoundTrip) {
    const QByteArray bytes = StoredGroups();
    ASSERT_EQ(bytes.size(), 86);
    Listview lv;
    Read(*lv->Groups, bytes);
    ASSERT_EQ(lv->Groups->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        TLumeGroup* g = (*lv->Groups)[i];
        EXPECT_TRUE(g->Expanded() && g->Enabled() && g->Visible());
        EXPECT_EQ(g->Caption(), QString());
        EXPECT_EQ(g->Items()->Count(), 0);
    }
    EXPECT_EQ(Write(*lv->Groups), bytes);

    // Items go to the last stored group; after Clear a default group is made.
    lv->Items().Add();
    EXPECT_EQ(lv->Groups->Count(), 3);
    EXPECT_EQ((*lv->Groups)[2]->Items()->Count(), 1);
    lv->Items().Clear();
    lv->Items().Add();
    ASSERT_EQ(lv->Groups->Count(), 1);
    EXPECT_EQ((*lv->Groups)[0]->Caption(), QStringLiteral("Default Group"));
}

TEST(ListviewStream, ColumnRecordByteForByte) {
    Listview lv;
    TLumeColumn* column = lv->Header->Columns->AddColumn();
    column->SetAlignment(TAlignment::taRightJustify);
    column->SetSortDirection(TLumeSortDirection::esdDescending);
    column->Reserved = 7;
    column->SetWidth(150);
    column->SetCaption(QStringLiteral("Abc"));
    column->SetSelected(true);  // not stored with Bold
    column->SetBold(true);
    const QByteArray expected = QByteArray::fromHex(
        "00000000" "01000000"       // tag, count
        "800c"                      // enabled, visible, selected
        "01" "00000000" "02" "07" "96000000" "01"
        "01000000" "03000000" "410062006300"  // captions: "Abc"
        "00000000" "00000000" "00000000");
    const QByteArray written = Write(*lv->Header->Columns);
    EXPECT_EQ(written.toHex(), expected.toHex());

    Listview other;
    Read(*other->Header->Columns, written);
    TLumeColumn* back = (*other->Header->Columns)[0];
    EXPECT_EQ(back->Alignment(), TAlignment::taRightJustify);
    EXPECT_EQ(back->SortDirection(), TLumeSortDirection::esdDescending);
    EXPECT_EQ(back->Width(), 150);
    EXPECT_EQ(back->Caption(), QStringLiteral("Abc"));
    EXPECT_FALSE(back->Bold());
    EXPECT_EQ(Write(*other->Header->Columns), written);
}

// A control with two groups of items with captions, images and a column.
QByteArray RichStream() {
    Listview lv;
    lv->Selection()->SetMultiSelect(true);
    auto items = lv.AddItems(3);
    items[1]->SetCaptions(2, QStringLiteral("çà"));
    items[1]->SetImageIndexes(1, 4);
    items[2]->SetChecked(true);
    lv->Groups->AddGroup()->SetCaption(QStringLiteral("second"));
    lv->Items().Add()->SetSelected(true);
    lv->Header->Columns->AddColumn()->SetCaption(QStringLiteral("Nome"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    lv->SaveToStream(buffer);
    return buffer.data();
}

TEST(ListviewStream, EveryCutIsAReadErrorAndTheWholeStreamReadsBack) {
    const QByteArray full = RichStream();
    for (int cut = 0; cut < full.size(); ++cut) {
        Listview lv;
        QBuffer buffer;
        buffer.setData(full.left(cut));
        buffer.open(QIODevice::ReadOnly);
        EXPECT_THROW(lv->LoadFromStream(buffer), EReadError) << "cut at " << cut;
        EXPECT_EQ(lv->UpdateCount, 0);
    }
    Listview lv;
    QBuffer buffer;
    buffer.setData(full);
    buffer.open(QIODevice::ReadOnly);
    lv->LoadFromStream(buffer);
    EXPECT_EQ(lv->Items().Count(), 4);
    EXPECT_EQ(lv->Items()[1]->Captions(2), QStringLiteral("çà"));
    EXPECT_EQ(lv->Items()[1]->ImageIndexes(1), 4);
    EXPECT_TRUE(lv->Items()[2]->Checked());
    EXPECT_EQ(lv->Header->Columns->At(0)->Caption(), QStringLiteral("Nome"));
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    lv->SaveToStream(again);
    EXPECT_EQ(again.data(), full);
}

TEST(ListviewStream, AbsurdCountsAndLengthsAreRefusedBeforeAllocating) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"huge group count", QByteArray::fromHex("00000000" "ffffff7f")},
        {"negative group count", QByteArray::fromHex("00000000" "ffffffff")},
        {"huge caption count",
         QByteArray::fromHex("00000000" "01000000" "8008" "00000000" "00000000" "ffffff0f")},
        {"caption longer than the stream",
         QByteArray::fromHex("00000000" "01000000" "8008" "00000000" "00000000" "01000000" "00100000" "4100")},
        {"negative caption length",
         QByteArray::fromHex("00000000" "01000000" "8008" "00000000" "00000000" "01000000" "feffffff")},
    };
    for (const auto& c : cases) {
        Listview lv;
        EXPECT_THROW(Read(*lv->Groups, c.bytes), EReadError) << c.name;
    }
}

TEST(ListviewStream, StateBitsOutsideTheMaskAreDroppedAndSelectedItemsCounted) {
    // Two items stored selected (one also focused, bold and cut), single selection.
    QByteArray group = QByteArray::fromHex("8008") + QByteArray::fromHex("00000000" "02000000");
    const QByteArray emptyArrays(20, '\0');
    group += QByteArray::fromHex("ff3f") + emptyArrays;  // every bit
    group += QByteArray::fromHex("8c0c") + emptyArrays;  // selected, visible, enabled
    group += QByteArray(16, '\0');
    const QByteArray bytes = QByteArray::fromHex("00000000" "01000000") + group;

    Listview lv;
    int events = 0;
    lv->OnItemSelectionChanged = [&](TLV*, TLumeItem*) { ++events; };
    Read(*lv->Groups, bytes);
    TLumeItem* first = lv->Items()[0];
    TLumeItem* second = lv->Items()[1];
    EXPECT_EQ(first->State, kStreamStateMask);
    EXPECT_FALSE(first->Focused() || first->Bold() || first->Cut());
    EXPECT_TRUE(first->Selected());
    EXPECT_FALSE(second->Selected()) << "one selected item at most without MultiSelect";
    EXPECT_EQ(lv->Selection()->Count(), 1);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(lv->CheckManager->CheckedCount, 1);

    lv->Selection()->ClearAll();
    EXPECT_FALSE(first->Selected());
    EXPECT_EQ(lv->Selection()->Count(), 0);
}

TEST(ListviewStream, PerColumnRecordsGrowWithDefaults) {
    Listview lv;
    auto* item = static_cast<TLumeItemStored*>(lv->Items().Add());
    item->SetCaptions(3, QStringLiteral("x"));
    EXPECT_EQ(item->DataRecord().CaptionCount(), 4);
    EXPECT_EQ(item->Captions(0), QString());
    EXPECT_EQ(item->Captions(9), QString());
    item->SetImageIndexes(2, 7);
    EXPECT_EQ(item->DataRecord().ImageIndexCount(), 3);
    EXPECT_EQ(item->ImageIndexes(0), -1);
    EXPECT_EQ(item->ImageIndexes(1), -1);
    EXPECT_EQ(item->ImageIndexes(2), 7);
    EXPECT_EQ(item->GroupKey(4), 65535);
    item->SetImageOverlayIndex(3);
    EXPECT_EQ(item->ImageOverlayIndexes(0), 3);
    EXPECT_EQ(item->ImageIndex(), -1);
    EXPECT_THROW(item->Captions(-1), EListError);
    EXPECT_THROW(item->SetImageIndexes(-2, 1), EListError);
}

}  // namespace
}  // namespace lume::test
