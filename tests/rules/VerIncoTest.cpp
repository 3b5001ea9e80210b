#include "platform/report/ReportEngine.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TickList.h"
#include "platform/ui/WizardPage.h"
#include "rules/ufmVerInco00.h"
#include "rules/ufmVerInco01.h"
#include "rules/ufmVerInco02.h"
#include "shell/UdmLobrix.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ugFuncoes.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ReportFiles.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QCheckBox>
#include <QFrame>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(VerInco, ResultSelectsPanelAndWarningsButton) {
    struct Case {
        unsigned validation;
        const char* resultado;
        const char* panel;
        const char* warnings;
        const char* focus;
    };
    const Case cases[] = {
        {0, "3", "POk", "", "BtFechar"},
        {1, "0", "PDist", "BtVisualizar", "BtVisualizar"},
        {2, "1", "PInco", "", "bbPrintErros"},
        {3, "2", "PInco", "bbVisualErros", "bbPrintErros"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.validation);
        EXPECT_EQ(ResultadoFromValidation(c.validation), QString::fromLatin1(c.resultado));
        const VerIncoPanel p = PanelForResult(QString::fromLatin1(c.resultado));
        EXPECT_EQ(p.panel, QString::fromLatin1(c.panel));
        EXPECT_EQ(p.warningsButton, QString::fromLatin1(c.warnings));
        EXPECT_EQ(p.focus, QString::fromLatin1(c.focus));
    }
}

namespace {

QPushButton* button(QWidget* page, const char* name) { return page->findChild<QPushButton*>(QString::fromLatin1(name)); }
using gui::clickChild;

// Three establishments of 2009; the second is declared with employees but
// has none, the check's error 1673.
class VerIncoWizard : public ::testing::Test {
protected:
    void SetUp() override {
        dm = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = dm.get();
        valid::RegisterUnionEntities();
        db::Table emp(dmLobrix->dbZuvo, "Bd8emp.DB");
        db::Table vinc(dmLobrix->dbZuvo, "Bd8vinc.DB");
        emp.Open();
        vinc.Open();
        int serial = 0;
        for (int n = 1; n <= 3; ++n) {
            const int contracts = n == 2 ? 0 : 2;
            const valid::Row est = valid::With(valid::Establishment(n, contracts),
                                               {{"NuVinculosEstabelecimento", QString::number(contracts)}});
            valid::Append(emp, est);
            inscricoes << est.value("CoCgcCeiEstabelecimento");
            for (int i = 0; i < contracts; ++i) valid::Append(vinc, valid::Contract(est, serial++));
        }
        report::SetPrinterInstalledForTests(true);
    }
    void TearDown() override {
        report::SetPreviewRunnerForTests(nullptr);
        report::SetPrinterInstalledForTests(std::nullopt);
        dm.reset();
    }
    // The tick of the second line, as the user clicks it.
    static void tickSecond(QWidget* page) {
        auto* list = page->findChild<forms::TickList*>("LEmpresas");
        ASSERT_EQ(list->count(), 3);
        const QRect r = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        EXPECT_FALSE(list->IsTicked(0));
        EXPECT_TRUE(list->IsTicked(1));
        EXPECT_FALSE(list->IsTicked(2));
    }

    TempProgramWithModules program;
    std::unique_ptr<TdmRaveRelatorios> dm;
    QStringList inscricoes;
    QTemporaryDir out;
};

}  // namespace

TEST_F(VerIncoWizard, TickingTheSecondChecksOnlyItAndTheErrorReportListsIt) {
    QString reportText;
    report::SetPreviewRunnerForTests([&](QPrintPreviewDialog& dialog) {
        reportText = PreviewPdfText(dialog, out.filePath("erros.pdf"));
    });
    ScriptedMessages boxes;
    FormsScript script;
    script.expect("fmVerInco00", [](QWidget* p) { clickChild(p, "BtAvancar"); return int(forms::mrNone); });
    script.expect("fmVerInco01", [](QWidget* p) {
        tickSecond(p);
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmVerInco02", [](QWidget* p) {
        EXPECT_TRUE(p->findChild<QFrame*>("PInco")->isVisible());
        EXPECT_FALSE(p->findChild<QFrame*>("POk")->isVisible());
        EXPECT_FALSE(p->findChild<QFrame*>("paMsgAviso")->isVisible());
        EXPECT_FALSE(button(p, "bbVisualErros")->isEnabled());
        clickChild(p, "bbPrintErros");
        EXPECT_TRUE(button(p, "bbPrintErros")->isEnabled());
        clickChild(p, "BtFechar");
        return int(forms::mrNone);
    });
    ShowVerInco();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(reportText.contains(FormatInscricao(inscricoes[1], "1"))) << reportText.toStdString();
    EXPECT_FALSE(reportText.contains(FormatInscricao(inscricoes[0], "1")));
    EXPECT_FALSE(reportText.contains(FormatInscricao(inscricoes[2], "1")));
    EXPECT_TRUE(reportText.contains("1673")) << reportText.toStdString();
}

TEST_F(VerIncoWizard, CancelDuringTheRunAnsweredNoGoesOnYesReturnsWithTheTicksKept) {
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        ScriptedMessages boxes;
        boxes.answer(yes ? "mrYes" : "mrNo");
        if (yes) boxes.acceptOkBoxes();
        FormsScript script;
        bool ticksKept = false;
        script.expect("fmVerInco00", [](QWidget* p) { clickChild(p, "BtAvancar"); return int(forms::mrNone); });
        script.expect("fmVerInco01", [&](QWidget* p) {
            tickSecond(p);
            // Pressed while the check runs: the check asks at its next poll.
            QTimer::singleShot(0, p, [p] { clickChild(p, "BtCancelar"); });
            clickChild(p, "BtAvancar");
            if (yes) {
                EXPECT_TRUE(p->isVisible());
                EXPECT_TRUE(p->findChild<QFrame*>("PMarca")->isVisible());
                EXPECT_TRUE(button(p, "BtAvancar")->isEnabled());
                auto* list = p->findChild<forms::TickList*>("LEmpresas");
                ticksKept = !list->IsTicked(0) && list->IsTicked(1) && !list->IsTicked(2);
                clickChild(p, "BtCancelar");
            }
            return int(forms::mrNone);
        });
        if (!yes) script.expect("fmVerInco02", [](QWidget* p) { clickChild(p, "BtFechar"); return int(forms::mrNone); });
        ShowVerInco();
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
        EXPECT_EQ(script.pending(), 0);
        QStringList texts = boxes.texts();
        EXPECT_EQ(texts.value(0), "Deseja interromper?");
        if (yes) {
            EXPECT_TRUE(ticksKept);
            EXPECT_EQ(texts.value(1), "Consistência interrompida pelo usuário");
        } else {
            EXPECT_EQ(texts.size(), 1);
        }
    }
}

TEST_F(VerIncoWizard, NothingTickedAndNoEstablishmentOfTheYear) {
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    FormsScript script;
    script.expect("fmVerInco00", [](QWidget* p) { clickChild(p, "BtAvancar"); return int(forms::mrNone); });
    script.expect("fmVerInco01", [](QWidget* p) {
        clickChild(p, "BtAvancar");  // nothing ticked: 1301, the page stays
        EXPECT_TRUE(p->isVisible());
        clickChild(p, "BtCancelar");
        return int(forms::mrNone);
    });
    ShowVerInco();
    EXPECT_EQ(boxes.codes(), QStringList{"1301"});
    EXPECT_EQ(script.pending(), 0);

    boxes.clear();
    dmLobrix->dbZuvo->emptyTable("Bd8emp.DB");
    FormsScript none;
    none.expect("fmVerInco00", [](QWidget* p) {
        EXPECT_FALSE(button(p, "BtAvancar")->isEnabled());
        clickChild(p, "BtCancelar");
        return int(forms::mrNone);
    });
    ShowVerInco();
    EXPECT_EQ(boxes.codes(), QStringList{"1700"});
    EXPECT_EQ(none.pending(), 0);
}
