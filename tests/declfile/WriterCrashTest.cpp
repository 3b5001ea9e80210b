// A write of two parts killed at each of its steps leaves, after the next
// start, either no declaration at all or both parts complete; written over an
// earlier set of three parts, either that set untouched or the new one.
// Killed inside its renames while another copy holds the folder (no start
// completes them), every reader offers the old set, the new one or none.
#include "DeclfileTestSupport.h"
#include "declfile/DeclarationFolder.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/transmite/ufmTransmite.h"
#include "declfile/ugClArquivo.h"
#include "declfile/ugHashCompara.h"
#include "platform/AppPaths.h"
#include "platform/db/Table.h"
#include "support/CrashChild.h"
#include "support/DataFolder.h"
#include "support/DeclarationGenerator.h"
#include "support/NextStart.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

using namespace declfile;

namespace {

// The program's declaration written to drive C:, in two parts.
void WriteTwoParts(bool overEarlierParts) {
    ScriptedMessages boxes;
    if (overEarlierParts) boxes.answer("mrYes");  // "Autoriza gravar sobre?"
    WriteRequest r;
    r.drive = QLatin1Char('C');
    r.dataFolder = AppPaths::dataFolder();
    r.generationDate = QStringLiteral("15012010");
    r.generationTime = QStringLiteral("101500");
    r.replaceLaterParts = overEarlierParts;
    WriterState state;
    WriterHost host;
    ASSERT_EQ(WriteDeclarationFile(r, state, host), kWritten);
    ASSERT_EQ(state.QtArquivosGerados, 2);
}

// A new program folder whose Dados holds a copy of the declaration's tables;
// its path.
QString FreshProgram(std::unique_ptr<TempProgramFolder>& program, const QString& tables) {
    program.reset();
    program = std::make_unique<TempProgramFolder>(false);
    for (const QString& f : QDir(tables).entryList(QDir::Files))
        QFile::copy(tables + "/" + f, program->dataFolder() + "/" + f);
    return program->path();
}

// The start after the kill, which completes or undoes what the write recorded.
void StartAgain() {
    ScriptedMessages boxes;
    NextStart start;
    ASSERT_EQ(start.outcome(), StartOutcome::Started);
}

// 50,010 contracts: two parts in the folder Transmite.
QString MakeTwoPartDeclaration(TempProgramFolder& source) {
    gen::DeclarationShape shape;
    shape.bigContracts = 50010;
    shape.smallEstablishments = 1;
    shape.contractsEach = 2;
    gen::GenerateDeclaration(source.dataFolder(), shape);
    return source.dataFolder();
}

// A declaration of two establishments: one part.
QString MakeOnePartDeclaration(TempProgramFolder& source) {
    gen::DeclarationShape shape;
    shape.bigContracts = 3;
    shape.smallEstablishments = 1;
    shape.contractsEach = 2;
    gen::GenerateDeclaration(source.dataFolder(), shape);
    return source.dataFolder();
}

// The names of parts 1 to 3 of the declaration of the folder's tables.
QStringList PartNames(const QString& dataFolder) {
    db::Table emp(db::Database::forFolder(dataFolder), "Bd8emp");
    emp.Open();
    const QString key = emp.FieldByName("CoCgcCeiEstabelecimento").AsString() +
                        emp.FieldByName("NuPrefixoEstabelecimento").AsString();
    QStringList names;
    for (int part = 1; part <= 3; ++part) names << DeclarationFileName(2009, key, part, false);
    return names;
}

}  // namespace

TEST(CrashChild, DISABLED_OnePartWriteOverThreeParts) {
    if (!InCrashChild()) GTEST_SKIP();
    ScriptedMessages boxes;
    boxes.answer("mrYes");  // "Autoriza gravar sobre?"
    WriteRequest r;
    r.drive = QLatin1Char('C');
    r.dataFolder = AppPaths::dataFolder();
    r.generationDate = QStringLiteral("15012010");
    r.replaceLaterParts = true;
    WriterState state;
    WriterHost host;
    ASSERT_EQ(WriteDeclarationFile(r, state, host), kWritten);
}

TEST(CrashChild, DISABLED_TwoPartWrite) {
    if (!InCrashChild()) GTEST_SKIP();
    WriteTwoParts(false);
}

TEST(CrashChild, DISABLED_TwoPartWriteOverThreeParts) {
    if (!InCrashChild()) GTEST_SKIP();
    WriteTwoParts(true);
}

TEST(WriterCrash, TwoPartsKilledAtEachStepLeaveNoneOrBoth) {
    TempProgramFolder source;
    const QString template_ = MakeTwoPartDeclaration(source);

    std::unique_ptr<TempProgramFolder> program;
    auto prepare = [&] { return FreshProgram(program, template_); };
    int none = 0, both = 0;
    auto check = [&](int, const QString& folder) {
        StartAgain();
        if (::testing::Test::HasFatalFailure()) return;
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

TEST(WriterCrash, OverAnEarlierLongerSetKilledAtEachStepLeavesTheOldSetOrTheNew) {
    TempProgramFolder source;
    const QString template_ = MakeTwoPartDeclaration(source);
    std::unique_ptr<TempProgramFolder> program;
    QStringList oldNames;
    auto prepare = [&] {
        FreshProgram(program, template_);
        // The earlier run of the same declaration wrote three parts.
        const QString transmit = program->path() + "Transmite/";
        if (oldNames.isEmpty()) {
            // Named after the first establishment in key order, as the run names its parts.
            db::Table emp(db::Database::forFolder(program->dataFolder()), "Bd8emp");
            emp.Open();
            const QString base = "Zuvo2009_" + emp.FieldByName("CoCgcCeiEstabelecimento").AsString() +
                                 emp.FieldByName("NuPrefixoEstabelecimento").AsString();
            for (int part = 1; part <= 3; ++part) oldNames << base + QStringLiteral("0%1G.dec").arg(part);
        }
        for (const QString& name : oldNames) {
            QFile f(transmit + name);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("earlier " + name.toLatin1());
        }
        return program->path();
    };
    int earlier = 0, renewed = 0;
    auto check = [&](int, const QString& folder) {
        StartAgain();
        if (::testing::Test::HasFatalFailure()) return;
        const QString transmit = folder + "Transmite/";
        QStringList parts = QDir(transmit).entryList(QDir::Files | QDir::Hidden);
        parts.sort();
        bool allEarlier = parts == oldNames;
        for (const QString& p : parts) {
            QFile f(transmit + p);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            allEarlier = allEarlier && f.readAll() == "earlier " + p.toLatin1();
        }
        const bool allNew = parts == oldNames.mid(0, 2) && VerifyFileDigest(transmit + parts[0]) &&
                            VerifyFileDigest(transmit + parts[1]);
        EXPECT_TRUE(allEarlier || allNew) << parts.join(", ").toStdString();
        earlier += allEarlier;
        renewed += allNew;
    };
    // Killed at the record of the names, before and after each rename and
    // each removal (the parts written before stand in for every earlier step).
    EXPECT_GE(KillAtEveryStep("CrashChild.DISABLED_TwoPartWriteOverThreeParts", "file.", prepare, check), 5);
    EXPECT_GT(earlier, 0);
    EXPECT_GT(renewed, 0);
}

// A write killed inside its record of renames while another copy uses the
// folder (so no start completes the record): whatever instant it stopped at,
// every reader of "Transmite" offers the earlier set, the new one, or none of
// their files with the word that a write was interrupted; never a mixture.
TEST(WriterCrash, KilledInsideItsRenamesEveryReaderOffersTheOldSetTheNewOrNone) {
    TempProgramFolder source;
    const QString template_ = MakeOnePartDeclaration(source);
    const QStringList oldNames = PartNames(template_);
    std::unique_ptr<TempProgramFolder> program;
    auto prepare = [&] {
        FreshProgram(program, template_);
        for (const QString& name : oldNames) {
            QFile f(program->path() + "Transmite/" + name);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("earlier " + name.toLatin1());
        }
        return program->path();
    };
    int earlier = 0, renewed = 0, interrupted = 0;
    auto check = [&](int, const QString& folder) {
        const QString transmit = folder + "Transmite/";
        auto isEarlier = [&](const QString& name) { return ReadAll(transmit + name) == "earlier " + name.toLatin1(); };

        const DeclarationFolderListing offered = ListDeclarationFiles(transmit, 2009);
        QStringList names;
        for (const DeclarationFileEntry& e : offered.files) names << QFileInfo(e.path).fileName();

        // The transmission window and the print wizard's receipt list.
        BoxScript boxes;
        if (offered.writeInterrupted) boxes.expect("Uma gravação de declaração nesta pasta não foi concluída", "mrOk");
        TfmTransmite window;
        window.BitBtnCClick();
        QStringList listed;
        for (const QString& path : window.Paths()) listed << QFileInfo(path).fileName();
        EXPECT_EQ(listed, names);

        const bool allEarlier = names == oldNames && std::all_of(names.begin(), names.end(), isEarlier);
        const bool allNew = names == QStringList{oldNames[0]} && VerifyFileDigest(transmit + oldNames[0]);
        const bool none = names.isEmpty() && offered.writeInterrupted;
        EXPECT_TRUE(allEarlier || allNew || none) << names.join(", ").toStdString();
        earlier += allEarlier;
        renewed += allNew;
        interrupted += none;

        // The writer (both wizards write through it): no write over a record
        // it would replace; the folder stays as the kill left it.
        if (WriteInterrupted(transmit)) {
            const QStringList before = QDir(transmit).entryList(QDir::Files | QDir::Hidden);
            boxes.expect("Uma gravação de declaração nesta pasta não foi concluída", "mrOk");
            WriteRequest r;
            r.drive = QLatin1Char('C');
            r.dataFolder = AppPaths::dataFolder();
            r.generationDate = QStringLiteral("15012010");
            r.replaceLaterParts = true;
            WriterState state;
            WriterHost host;
            EXPECT_EQ(WriteDeclarationFile(r, state, host), kWriteError);
            EXPECT_EQ(QDir(transmit).entryList(QDir::Files | QDir::Hidden), before);
        }
    };
    EXPECT_GE(KillAtEveryStep("CrashChild.DISABLED_OnePartWriteOverThreeParts", "file.", prepare, check), 5);
    EXPECT_GT(earlier, 0);
    EXPECT_GT(renewed, 0);
    EXPECT_GT(interrupted, 0);
}
