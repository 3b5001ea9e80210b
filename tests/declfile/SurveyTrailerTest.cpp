// The survey's answers travel in the trailer of every declaration file
// written after it.
#include "DeclfileTestSupport.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/ugHashCompara.h"
#include "platform/ui/MaskAdapter.h"
#include "shell/Ufmpesq.h"
#include "support/DataFolder.h"
#include "support/DeclarationGenerator.h"
#include "support/FormsScript.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace declfile;

TEST(SurveyTrailer, AnswersGivenInTheSurveyAreColumns38To59OfTheTrailer) {
    TempProgramFolder program;
    gen::DeclarationShape shape;
    shape.bigContracts = 2;
    shape.smallEstablishments = 0;
    const QStringList items = gen::GenerateDeclaration(program.dataFolder(), shape);

    FormsScript script;
    script.expect("fmPesq", [](QWidget* w) {
        auto* form = static_cast<TfmPesq*>(w);
        for (QLineEdit* edit : form->R) edit->clear();
        ui::SetEditValue(form->R[0], QStringLiteral("10"));
        ui::SetEditValue(form->R[1], QStringLiteral("07"));
        ui::SetEditValue(form->R[21], QStringLiteral("77"));
        QTest::mouseClick(form->BtOk, Qt::LeftButton);
        return forms::mrNone;
    });
    ShowPesquisa();
    ASSERT_EQ(script.shown(), QStringList{"fmPesq"});

    WriteRequest request;
    request.establishments = &items;
    request.dataFolder = program.dataFolder();
    request.generationDate = QStringLiteral("15012010");
    request.generationTime = QStringLiteral("101500");
    WriterState state;
    WriterHost host;
    BoxScript boxes;
    ASSERT_EQ(WriteDeclarationFile(request, state, host), kWritten);
    const auto records = Records(state.ArquivoGerado);
    ASSERT_FALSE(records.isEmpty());
    EXPECT_EQ(Cols(records.last(), 23, 23), QByteArray("9"));
    EXPECT_EQ(Cols(records.last(), 38, 59), QByteArray("A7") + QByteArray(19, 'B') + QByteArray("X"));
    EXPECT_TRUE(VerifyFileDigest(state.ArquivoGerado));
}
