#include "platform/db/Table.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/PageControl.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/Ufmpesq.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SurveyCoding, TypedAnswersAndTheirCodesBothWays) {
    const struct {
        const char* typed;
        const char* code;  // empty: refused
    } typed[] = {
        {"5", "5"}, {"05", "5"}, {"1", "1"}, {"09", "9"}, {"10", "A"}, {"77", "X"}, {"", "B"}, {"00", "B"},
        {"0", "B"}, {"11", ""},  {"99", ""}, {"76", ""}, {"20", ""},  {"7a", ""},
    };
    for (const auto& c : typed)
        EXPECT_EQ(SurveyAnswerCode(QString::fromLatin1(c.typed)), QString::fromLatin1(c.code)) << c.typed;

    const struct {
        char code;
        const char* shown;
    } shown[] = {{'5', "05"}, {'1', "01"}, {'9', "09"}, {'A', "10"}, {'X', "77"}, {'B', ""}};
    for (const auto& c : shown) {
        EXPECT_EQ(SurveyAnswerText(QLatin1Char(c.code)), QString::fromLatin1(c.shown)) << c.code;
        EXPECT_EQ(SurveyAnswerCode(SurveyAnswerText(QLatin1Char(c.code))), QString(QLatin1Char(c.code)));
    }
}

struct SurveyFixture : ::testing::Test {
    TempProgramWithModules program;
    TfmLOBRIX window;

    db::Table resp() {
        return db::Table(db::Database::forFolder(program.dataFolder()), DeclarationTables::BD8Resp().fileName);
    }
    void storeAnswers(const QString& answers) {
        db::Table t = resp();
        t.Open();
        t.Append();
        t.FieldByName(QStringLiteral("NoResponsavelArquivo")).SetAsString(QStringLiteral("ESCRITORIO"));
        t.FieldByName(QStringLiteral("NuRespostaPesquisa")).SetAsString(answers);
        t.Post();
    }
    QStringList storedAnswers() {
        db::Table t = resp();
        t.Open();
        QStringList rows;
        for (t.First(); !t.Eof(); t.Next()) rows << t.FieldByName(QStringLiteral("NuRespostaPesquisa")).AsString();
        return rows;
    }
    static QStringList shownAnswers(const TfmPesq& form) {
        QStringList shown;
        for (QLineEdit* e : form.R) shown << ui::EditValue(e);
        return shown;
    }
};

TEST_F(SurveyFixture, StoredAnswersAreShownAndAlwaysKeepTwentyTwoPlaces) {
    const QString b19(19, QLatin1Char('B'));
    const struct {
        QString stored;
        QString answers;
        QStringList firstThree;
    } cases[] = {
        {"A9X" + b19, "A9X" + b19, {"10", "09", "77"}},
        {"", QString(22, QLatin1Char('B')), {"", "", ""}},  // a row written by another form
        {"5", "5" + QString(21, QLatin1Char('B')), {"05", "", ""}},
        {"12" + QString(30, QLatin1Char('B')), "12" + QString(20, QLatin1Char('B')), {"01", "02", ""}},
    };
    TfmPesq form;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        form.Inicializa_Campos();
        form.LoadSurveyAnswers(c.stored);
        EXPECT_EQ(form.Respostas(), c.answers);
        const QStringList shown = shownAnswers(form);
        EXPECT_EQ(shown.mid(0, 3), c.firstThree);
        EXPECT_EQ(shown.mid(3).join(QString()), QString()) << "the other 19 stay empty";
    }
}

TEST_F(SurveyFixture, AnswersTypedAsAUserWouldAreStoredOnOk) {
    ScriptedMessages messages;
    messages.acceptOkBoxes();
    FormsScript script;
    script.expect("fmPesq", [&](QWidget* w) {
        auto* form = static_cast<TfmPesq*>(w);
        EXPECT_TRUE(gui::activate(form));
        auto enter = [](QLineEdit* edit, const char* text) {
            gui::enter(edit);
            QTest::keyClicks(edit, QString::fromLatin1(text));
            gui::press(edit, Qt::Key_Return);
        };
        EXPECT_EQ(QApplication::focusWidget(), form->R[0]);
        enter(form->R[0], "5");
        EXPECT_EQ(ui::EditValue(form->R[0]), QStringLiteral("05"));
        EXPECT_EQ(QApplication::focusWidget(), form->R[1]);

        // A value off the scale keeps the focus until it is mended.
        enter(form->R[1], "11");
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Valor Inválido. Consulte régua de valores.")});
        EXPECT_EQ(QApplication::focusWidget(), form->R[1]);
        form->R[1]->clear();
        enter(form->R[1], "10");
        EXPECT_EQ(QApplication::focusWidget(), form->R[2]);

        // Down moves on as Enter does; leaving the eleventh opens the second page.
        gui::press(form->R[2], Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), form->R[3]);
        gui::press(form->R[3], Qt::Key_Up);
        EXPECT_EQ(QApplication::focusWidget(), form->R[2]);
        enter(form->R[10], "3");
        EXPECT_EQ(form->pcPesquisa->currentWidget(), form->tsLoBrix);
        EXPECT_EQ(QApplication::focusWidget(), form->R[11]);
        enter(form->R[11], "77");
        // Typed and Ok reached by its shortcut: the focus never left the edit.
        QTest::keyClicks(form->R[21], QStringLiteral("9"));
        gui::press(form, Qt::Key_O, Qt::AltModifier);
        return forms::mrNone;
    });
    // The command is hidden in this version; it runs as its menu item would.
    ASSERT_TRUE(window.HasCommandHandler(LobrixCommand::Pesquisa));
    window.RunCommand(LobrixCommand::Pesquisa);
    EXPECT_TRUE(script.unexpected().isEmpty());
    EXPECT_EQ(messages.texts().size(), 1);
    // Row inserted into the empty table, holding only the answers.
    const QString expected = "5A" + QString(8, QLatin1Char('B')) + "3X" + QString(9, QLatin1Char('B')) + "9";
    EXPECT_EQ(storedAnswers(), QStringList{expected});
}

TEST_F(SurveyFixture, OkUpdatesTheRowCancelStoresNothingAndAShortTextKeepsEveryAnswer) {
    storeAnswers(QStringLiteral("5"));
    FormsScript script;
    script.expect("fmPesq", [](QWidget* w) {
        auto* form = static_cast<TfmPesq*>(w);
        EXPECT_EQ(ui::EditValue(form->R[0]), QStringLiteral("05"));
        ui::SetEditValue(form->R[19], QStringLiteral("03"));
        QTest::mouseClick(form->BtCancel, Qt::LeftButton);
        return forms::mrNone;
    });
    ShowPesquisa();
    EXPECT_EQ(storedAnswers(), QStringList{QStringLiteral("5")});

    script.expect("fmPesq", [](QWidget* w) {
        auto* form = static_cast<TfmPesq*>(w);
        ui::SetEditValue(form->R[19], QStringLiteral("03"));
        QTest::mouseClick(form->BtOk, Qt::LeftButton);
        return forms::mrNone;
    });
    ShowPesquisa();
    EXPECT_EQ(script.shown().size(), 2);
    EXPECT_EQ(storedAnswers(),
              QStringList{"5" + QString(18, QLatin1Char('B')) + "3" + QString(2, QLatin1Char('B'))});
    db::Table t = resp();
    t.Open();
    EXPECT_EQ(t.FieldByName(QStringLiteral("NoResponsavelArquivo")).AsString(), QStringLiteral("ESCRITORIO"));
}

TEST_F(SurveyFixture, AfterTheSurveyTheAskedWizardRunsOnceAndTheRequestIsEmptied) {
    QStringList ran;
    window.SetCommandHandler(LobrixCommand::Gravar, [&] { ran << "Gravar"; });
    window.SetCommandHandler(LobrixCommand::Retif, [&] { ran << "Retif"; });
    // The wizards are declaration commands: they need an establishment.
    db::Table emp(db::Database::forFolder(program.dataFolder()), DeclarationTables::BD8Emp().fileName);
    emp.Open();
    emp.Append();
    emp.FieldByName(QStringLiteral("AnBase")).SetAsString(QStringLiteral("2009"));
    emp.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).SetAsString(QStringLiteral("11222333000181"));
    emp.Post();
    emp.Close();
    window.ControlaBotoes();
    FormsScript script;
    for (const char* next : {"1", "2", ""}) {
        window.ProximoAssistente = QString::fromLatin1(next);
        script.expect("fmPesq", forms::mrCancel);
        ShowPesquisa();
        EXPECT_TRUE(window.ProximoAssistente.isEmpty());
    }
    EXPECT_EQ(ran, (QStringList{"Gravar", "Retif"}));
}

}  // namespace
