#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmInicioRegras.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct TipsFixture : ::testing::Test {
    TempProgramWithModules program;
    TfmLOBRIX window;

    TipsFixture() { CreateStartupTips(window); }
    ~TipsFixture() override { FreeStartupTips(); }

    // A start of the program: the main window's first activation.
    void activate() {
        window.FirstActivation = QLatin1Char('S');
        window.show();
        QApplication::setActiveWindow(nullptr);
        QApplication::processEvents();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }
    // The InDicas of every row of BD8Resp.
    QList<bool> storedTips() {
        db::Table t(db::Database::forFolder(program.dataFolder()), DeclarationTables::BD8Resp().fileName);
        t.Open();
        QList<bool> rows;
        for (t.First(); !t.Eof(); t.Next()) rows << t.FieldByName(QStringLiteral("InDicas")).AsBoolean();
        return rows;
    }
};

TEST_F(TipsFixture, FirstShowingCountsDownThenOkStoresTheTickedBox) {
    FormsScript script;
    script.expect("fmInicioRegras", [](QWidget* form) {
        auto* tips = static_cast<TfmInicioRegras*>(form);
        EXPECT_TRUE(tips->Timer1->isActive());
        EXPECT_EQ(tips->Timer1->interval(), 1000);
        for (int tick = 1; tick <= 5; ++tick) {
            EXPECT_FALSE(tips->BtFechar->isEnabled()) << "before tick " << tick;
            tips->Timer1Timer();
            EXPECT_EQ(tips->Label3->text(), tick == 5 ? QStringLiteral("segundo") : QStringLiteral("segundos"));
        }
        EXPECT_EQ(tips->Label2->text(), QStringLiteral("1"));
        EXPECT_FALSE(tips->BtFechar->isEnabled());
        tips->Timer1Timer();
        EXPECT_TRUE(tips->BtFechar->isEnabled());
        EXPECT_FALSE(tips->Timer1->isActive());
        EXPECT_FALSE(tips->dkDicas->isChecked());
        tips->dkDicas->setChecked(true);
        QTest::mouseClick(tips->BtFechar, Qt::LeftButton);
        return forms::mrNone;
    });
    activate();
    EXPECT_EQ(script.shown(), QStringList{"fmInicioRegras"});
    EXPECT_TRUE(script.unexpected().isEmpty());
    EXPECT_EQ(storedTips(), QList<bool>{true}) << "one row inserted into the empty table";
    EXPECT_FALSE(fmInicioRegras->ta8Resp.Active());

    // The next start shows nothing; the menu still does, with Ok at once.
    activate();
    EXPECT_EQ(script.shown(), QStringList{"fmInicioRegras"});
    script.expect("fmInicioRegras", [](QWidget* form) {
        auto* tips = static_cast<TfmInicioRegras*>(form);
        EXPECT_TRUE(tips->BtFechar->isEnabled());
        EXPECT_FALSE(tips->Timer1->isActive());
        EXPECT_TRUE(tips->dkDicas->isChecked()) << "the box shows what is stored";
        tips->dkDicas->setChecked(false);
        QTest::mouseClick(tips->BtFechar, Qt::LeftButton);
        return forms::mrNone;
    });
    ASSERT_TRUE(window.CommandAction(LobrixCommand::InformacoesUteis)->isEnabled());
    window.CommandAction(LobrixCommand::InformacoesUteis)->trigger();
    EXPECT_EQ(script.shown().size(), 2);
    EXPECT_EQ(storedTips(), QList<bool>{false});
}

TEST_F(TipsFixture, ClosingWithoutOkStoresNothingAndLeavesNoTableOpen) {
    FormsScript script;
    script.expect("fmInicioRegras", [](QWidget* form) {
        auto* tips = static_cast<TfmInicioRegras*>(form);
        tips->dkDicas->setChecked(true);
        QTest::keyClick(tips, Qt::Key_Escape);
        return forms::mrNone;
    });
    activate();
    EXPECT_EQ(script.shown(), QStringList{"fmInicioRegras"});
    EXPECT_TRUE(storedTips().isEmpty());
    EXPECT_FALSE(fmInicioRegras->ta8Resp.Active());
    EXPECT_FALSE(fmInicioRegras->Timer1->isActive());

    // A row the responsible-person form wrote keeps its other fields.
    {
        db::Table t(db::Database::forFolder(program.dataFolder()), DeclarationTables::BD8Resp().fileName);
        t.Open();
        t.Append();
        t.FieldByName(QStringLiteral("NoResponsavelArquivo")).SetAsString(QStringLiteral("ESCRITORIO"));
        t.Post();
    }
    script.expect("fmInicioRegras", [](QWidget* form) {
        auto* tips = static_cast<TfmInicioRegras*>(form);
        tips->dkDicas->setChecked(true);
        QTest::mouseClick(tips->BtFechar, Qt::LeftButton);
        return forms::mrNone;
    });
    window.CommandAction(LobrixCommand::InformacoesUteis)->trigger();
    EXPECT_EQ(storedTips(), QList<bool>{true});
    db::Table t(db::Database::forFolder(program.dataFolder()), DeclarationTables::BD8Resp().fileName);
    t.Open();
    EXPECT_EQ(t.FieldByName(QStringLiteral("NoResponsavelArquivo")).AsString(), QStringLiteral("ESCRITORIO"));
}

}  // namespace
