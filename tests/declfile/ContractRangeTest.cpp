// The writer reads an establishment's contracts as a range of the contract
// table in batches; the range must hold exactly its rows, in key order, even
// with rows before and after it and far more rows than one batch.
#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"
#include "support/DataFolder.h"
#include "support/DeclarationGenerator.h"

#include <gtest/gtest.h>

TEST(ContractRange, ReadsExactlyTheEstablishmentsRowsInKeyOrder) {
    TempProgramFolder program;
    gen::DeclarationShape shape;
    shape.bigContracts = 5;
    shape.smallEstablishments = 3;
    shape.contractsEach = 700;
    const QStringList items = gen::GenerateDeclaration(program.dataFolder(), shape);
    db::Table vinc(db::Database::forFolder(program.dataFolder()), DeclarationTables::BD8Vinc().fileName);
    vinc.Open();
    const QStringList key{items[2].mid(0, 4), items[2].mid(4, 14), items[2].mid(18, 2)};
    vinc.SetRange(key, key);
    int n = 0;
    QStringList previous;
    for (; !vinc.Eof(); vinc.Next()) {
        ASSERT_EQ(vinc.FieldByName("CoCgcCeiEstabelecimento").AsString(), key[1]);
        QStringList current;
        for (const QString& f : DeclarationTables::ContractKey()) current << vinc.FieldByName(f).AsString();
        EXPECT_LT(previous, current);
        previous = current;
        ++n;
    }
    EXPECT_EQ(n, 700);
    // Reading backwards keeps the range too.
    vinc.Last();
    int back = 0;
    for (; !vinc.Bof(); vinc.Prior()) ++back;
    EXPECT_EQ(back, 700);
}
