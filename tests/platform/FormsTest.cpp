#include "platform/ui/Forms.h"
#include "support/FormsScript.h"

#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

using namespace forms;

TEST(Forms, HidingTheFormDoesNotEndItsModalLoop) {
    QDialog page;
    page.setObjectName("fmPagina1");
    FormsScript script;
    script.expect("fmPagina1", [](QWidget* f) {
        f->hide();  // as a wizard page does while the next page runs
        QTimer::singleShot(30, f, [f] {
            f->show();
            SetModalResult(f, mrYes);
        });
        return int(mrNone);
    });
    EXPECT_EQ(ShowModal(&page), mrYes);
    EXPECT_FALSE(page.isVisible());
    EXPECT_FALSE(IsShowingModal(&page));
    EXPECT_TRUE(script.unexpected().isEmpty());
}

TEST(Forms, NestedPagesRunEachTheirOwnLoop) {
    QDialog first, second;
    first.setObjectName("fmPagina1");
    second.setObjectName("fmPagina2");
    int secondResult = -1;
    FormsScript script;
    script.expect("fmPagina1", [&](QWidget* f) {
        f->hide();
        secondResult = ShowModal(&second);
        f->show();
        return int(mrOk);
    });
    script.expect("fmPagina2", mrNo);
    EXPECT_EQ(ShowModal(&first), mrOk);
    EXPECT_EQ(secondResult, mrNo);
    EXPECT_EQ(script.shown(), QStringList({"fmPagina1", "fmPagina2"}));
    EXPECT_EQ(script.pending(), 0);
}

TEST(Forms, DialogEndingsMapToModalResults) {
    struct Case {
        const char* name;
        std::function<void(QDialog*)> end;
        int expected;
    } cases[] = {
        {"accept", [](QDialog* d) { d->accept(); }, mrOk},
        {"reject", [](QDialog* d) { d->reject(); }, mrCancel},
        {"done", [](QDialog* d) { d->done(mrNo); }, mrNo},
        {"close", [](QDialog* d) { d->close(); }, mrCancel},
        {"button", [](QDialog* d) { d->findChild<QPushButton*>("bbOk")->click(); }, mrOk},
    };
    for (const Case& c : cases) {
        QDialog d;
        d.setObjectName("fmTeste");
        auto* ok = new QPushButton("OK", &d);
        ok->setObjectName("bbOk");
        QObject::connect(ok, &QPushButton::clicked, &d, [&d] { SetModalResult(&d, mrOk); });
        FormsScript script;
        script.expect("fmTeste", [&](QWidget*) {
            QTimer::singleShot(0, &d, [&] { c.end(&d); });
            return int(mrNone);
        });
        EXPECT_EQ(ShowModal(&d), c.expected) << c.name;
        EXPECT_FALSE(d.isVisible()) << c.name;
    }
}

TEST(Forms, ClosingAPlainWidgetCancels) {
    QWidget w;
    w.setObjectName("fmPlain");
    FormsScript script;
    script.expect("fmPlain", [&](QWidget* f) {
        QTimer::singleShot(0, f, [f] { f->close(); });
        return int(mrNone);
    });
    EXPECT_EQ(ShowModal(&w), mrCancel);
}

// A list hidden while the form it handed over to runs, and closed by that form:
// its run is over as soon as the close returns, for a caller who asks right then.
TEST(Forms, ClosingAHiddenFormEndsItsRunAtOnce) {
    for (bool dialog : {true, false}) {
        std::unique_ptr<QWidget> form(dialog ? new QDialog : new QWidget);
        form->setObjectName("fmLista");
        int rightAfterClose = -1;
        FormsScript script;
        script.expect("fmLista", [&](QWidget* f) {
            f->hide();
            f->close();
            rightAfterClose = GetModalResult(f);
            if (rightAfterClose == mrNone) QTimer::singleShot(50, f, [f] { SetModalResult(f, mrAbort); });
            return int(mrNone);
        });
        EXPECT_EQ(ShowModal(form.get()), mrCancel) << dialog;
        EXPECT_EQ(rightAfterClose, mrCancel) << dialog;
    }
}

TEST(Forms, DestroyingTheFormEndsTheLoop) {
    auto* d = new QDialog;
    d->setObjectName("fmTeste");
    FormsScript script;
    script.expect("fmTeste", [&](QWidget* f) {
        QTimer::singleShot(0, [f] { delete f; });
        return int(mrNone);
    });
    EXPECT_EQ(ShowModal(d), mrCancel);
}

TEST(Forms, ResultIsResetForEachShowing) {
    QDialog d;
    d.setObjectName("fmTeste");
    FormsScript script;
    script.expect("fmTeste", mrOk).expect("fmTeste", mrCancel);
    EXPECT_EQ(ShowModal(&d), mrOk);
    EXPECT_EQ(ShowModal(&d), mrCancel);
}

TEST(Forms, UnscriptedFormIsReportedAndCancelled) {
    QDialog d;
    d.setObjectName("fmSurpresa");
    FormsScript script;
    EXPECT_EQ(ShowModal(&d), mrCancel);
    EXPECT_EQ(script.unexpected(), QStringList{"fmSurpresa"});
}

TEST(Forms, ModalResultNames) {
    EXPECT_EQ(ModalResultName(mrOk), "mrOk");
    EXPECT_EQ(ModalResultName(mrCancel), "mrCancel");
    EXPECT_EQ(ModalResultName(mrYes), "mrYes");
    EXPECT_EQ(ModalResultName(mrNo), "mrNo");
    EXPECT_EQ(ModalResultName(42), "mrNone");
}

TEST(Forms, ScaleFollowsTheScreenWidth) {
    struct Case {
        QSize screen, design, wide, size;
        double factor;
        bool onEveryWidth = false;
    } cases[] = {
        {{800, 600}, {400, 300}, {}, {400, 300}, 1.0},
        {{1024, 768}, {400, 300}, {}, {512, 384}, 1.28},
        {{640, 480}, {400, 300}, {}, {320, 240}, 0.8},
        {{1024, 600}, {800, 600}, {}, {1024, 600}, 1.28},
        {{1280, 1024}, {800, 600}, kMainWindowWideSize, {800, 580}, 1024.0 / 768.0},
        {{1920, 1080}, {500, 350}, {}, {500, 350}, 1024.0 / 768.0},
        // Growing on every width: wide screens scale like narrow ones.
        {{800, 600}, {488, 285}, {650, 380}, {488, 285}, 1.0, true},
        {{1024, 768}, {488, 285}, {650, 380}, {624, 364}, 1.28, true},
        {{1600, 1200}, {488, 285}, {650, 380}, {976, 570}, 2.0, true},
        // A screen wider than 4:3: the height decides, so that nothing runs below the bottom.
        {{1366, 768}, {488, 285}, {650, 380}, {624, 364}, 1.28, true},
        {{1920, 1080}, {488, 285}, {650, 380}, {878, 513}, 1.8, true},
    };
    for (const Case& c : cases) {
        const FormScale s = ComputeFormScale(c.screen, c.design, c.wide, c.onEveryWidth);
        EXPECT_EQ(s.size, c.size) << c.screen.width() << "x" << c.screen.height();
        EXPECT_DOUBLE_EQ(s.contentFactor, c.factor);
    }
}

TEST(Forms, ScalingMovesHandPlacedChildrenAndFonts) {
    QWidget form;
    auto* child = new QWidget(&form);
    child->setGeometry(10, 20, 100, 50);
    QFont f = form.font();
    f.setPointSizeF(10);
    form.setFont(f);
    // A child that sets only part of its font (underline) is scaled once, not twice.
    auto* own = new QWidget(child);
    QFont underlined = own->font();
    underlined.setUnderline(true);
    own->setFont(underlined);
    ScaleFormForScreen(&form, {1024, 768}, {400, 300});
    EXPECT_EQ(form.size(), QSize(512, 384));
    EXPECT_EQ(child->geometry(), QRect(13, 26, 128, 64));
    EXPECT_NEAR(form.font().pointSizeF(), 12.8, 0.01);
    EXPECT_NEAR(own->font().pointSizeF(), 12.8, 0.01);
    EXPECT_TRUE(own->font().underline());
}

TEST(Forms, AFormIsPlacedInsideTheAvailableScreen) {
    const QRect area(0, 0, 1366, 740);  // a task bar takes the bottom
    struct Case {
        QSize frame;
        QPoint at;
    } cases[] = {
        {{1024, 600}, {171, 70}},
        {{1057, 789}, {154, 0}},   // taller than the screen: its top stays visible
        {{1400, 500}, {0, 120}},   // wider: its left edge stays visible
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceOnScreen(area, c.frame), c.at) << c.frame.width() << "x" << c.frame.height();
    EXPECT_EQ(PlaceOnScreen(QRect(100, 50, 800, 600), QSize(400, 300)), QPoint(300, 200));
}

// A form laid out by layouts keeps the size the scaling rule gives it: its
// contents grow only as far as they still fit.
TEST(Forms, ScaledContentsFitTheFormsSize) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    for (int i = 0; i < 12; ++i) layout->addWidget(new QPushButton(QStringLiteral("Linha %1 de um formulário denso").arg(i)));
    QFont f = form.font();
    f.setPointSizeF(10);
    form.setFont(f);
    layout->activate();
    // Nearly full at its design size: its height will not take 4/3 of its fonts.
    const QSize design(form.minimumSizeHint().width() * 2, form.minimumSizeHint().height() * 600 / 580);
    ScaleFormForScreen(&form, {1366, 768}, design, design);
    EXPECT_EQ(form.size(), design);
    EXPECT_LE(form.minimumSizeHint().height(), design.height());
    EXPECT_GE(form.font().pointSizeF(), 10.0);
}

TEST(Forms, CentredWhenShownAndActivated) {
    QDialog d;
    d.resize(200, 100);
    CenterOnActivate(&d);
    CenterOnActivate(&d);  // a second call adds no second filter
    d.move(0, 0);
    d.show();
    const QRect area = d.screen()->availableGeometry();
    const QRect frame = d.frameGeometry();
    EXPECT_NEAR(frame.center().x(), area.center().x(), 2);
    EXPECT_NEAR(frame.center().y(), area.center().y(), 2);
    EXPECT_EQ(d.findChildren<QObject*>("lobrixCenterOnActivate", Qt::FindDirectChildrenOnly).size(), 1);
}
