// A write of two parts killed at each of its steps leaves, after the next
// start, either no declaration at all or both parts complete.
#include "declfile/DeclarationWriter.h"
#include "declfile/ugHashCompara.h"
#include "platform/AppPaths.h"
#include "support/CrashChild.h"
#include "support/DataFolder.h"
#include "support/DeclarationGenerator.h"
#include "support/NextStart.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

using namespace declfile;

TEST(CrashChild, DISABLED_TwoPartWrite) {
    if (!InCrashChild()) GTEST_SKIP();
    ScriptedMessages boxes;
    WriteRequest r;
    r.drive = QLatin1Char('C');
    r.dataFolder = AppPaths::dataFolder();
    r.generationDate = QStringLiteral("15012010");
    r.generationTime = QStringLiteral("101500");
    WriterState state;
    WriterHost host;
    ASSERT_EQ(WriteDeclarationFile(r, state, host), kWritten);
    ASSERT_EQ(state.QtArquivosGerados, 2);
}

TEST(WriterCrash, TwoPartsKilledAtEachStepLeaveNoneOrBoth) {
    // 50,010 contracts: two parts in the folder Transmite.
    TempProgramFolder source;
    gen::DeclarationShape shape;
    shape.bigContracts = 50010;
    shape.smallEstablishments = 1;
    shape.contractsEach = 2;
    gen::GenerateDeclaration(source.dataFolder(), shape);
    const QString template_ = source.dataFolder();

    std::unique_ptr<TempProgramFolder> program;
    auto prepare = [&] {
        program.reset();
        program = std::make_unique<TempProgramFolder>(false);
        for (const QString& f : QDir(template_).entryList(QDir::Files))
            QFile::copy(template_ + "/" + f, program->dataFolder() + "/" + f);
        return program->path();
    };
    int none = 0, both = 0;
    auto check = [&](int, const QString& folder) {
        {
            ScriptedMessages boxes;
            NextStart start;
            ASSERT_EQ(start.outcome(), StartOutcome::Started);
        }
        const QString transmit = folder + "Transmite/";
        const QStringList parts = QDir(transmit).entryList({"*.dec"}, QDir::Files);
        EXPECT_TRUE(parts.isEmpty() || parts.size() == 2) << parts.join(", ").toStdString();
        for (const QString& p : parts) EXPECT_TRUE(VerifyFileDigest(transmit + p)) << p.toStdString();
        EXPECT_FALSE(QFileInfo::exists(transmit + ".rename-intent"));
        EXPECT_EQ(QDir(transmit).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList{});
        none += parts.isEmpty();
        both += parts.size() == 2;
    };
    // The parts opened and stamped, then the naming of both.
    EXPECT_EQ(KillAtEveryStep("CrashChild.DISABLED_TwoPartWrite", "part.", prepare, check), 4);
    EXPECT_GE(KillAtEveryStep("CrashChild.DISABLED_TwoPartWrite", "file.", prepare, check), 4);
    EXPECT_GT(none, 0);
    EXPECT_GT(both, 0);
}
