#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/TickList.h"
#include "platform/ui/WizardPage.h"
#include "platform/ui/ProgressHost.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A three-page wizard: each page logs what happens to it; Next on the second
// page runs a job that only a stop request ends.
struct FakeWizard {
    std::uint8_t endFlag = 0;
    QStringList log;
    int stops = 0;
    bool stopRequested = false;
    std::function<void(forms::WizardPage*)> duringJob;  // runs inside the job, once
};

class FakePage : public forms::WizardPage {
public:
    FakePage(FakeWizard& wizard, int index)
        : forms::WizardPage(frameFor(wizard, index)), wizard_(wizard), index_(index) {
        auto* edit = new QLineEdit(Panel());
        edit->setObjectName(QStringLiteral("edit%1").arg(index));
        PanelLayout()->addWidget(edit);
    }

    static forms::WizardFrame frameFor(FakeWizard& wizard, int index) {
        forms::WizardFrame f;
        f.objectName = QStringLiteral("page%1").arg(index);
        f.endFlag = &wizard.endFlag;
        f.memoName = QStringLiteral("meDecl0%1").arg(index);
        if (index == 3) {
            f.nextName.clear();
            f.cancelName = QStringLiteral("bbFechar");
            f.cancelText = QStringLiteral("&Fechar");
        }
        return f;
    }

protected:
    void PageShown() override { wizard_.log << QStringLiteral("show%1").arg(index_); }
    void NextClicked() override {
        wizard_.log << QStringLiteral("next%1").arg(index_);
        if (index_ == 2 && wizard_.duringJob) {
            auto during = std::exchange(wizard_.duringJob, nullptr);
            RunBusy([this] { ++wizard_.stops; wizard_.stopRequested = true; },
                    [this, during] {
                        QTimer::singleShot(0, this, [this, during] { during(this); });
                        QElapsedTimer clock;
                        clock.start();
                        while (!wizard_.stopRequested && clock.elapsed() < 5000)
                            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                        wizard_.log << QStringLiteral("job ended");
                    });
            return;
        }
        const int r = GoNext(std::make_unique<FakePage>(wizard_, index_ + 1));
        wizard_.log << QStringLiteral("back on %1 (%2)").arg(index_).arg(forms::ModalResultName(r));
    }
    void CancelClicked() override {
        wizard_.log << QStringLiteral("cancel%1").arg(index_);
        if (index_ == 1) GoBack();  // the first page's Cancel just closes it
        else CancelWizard();
    }

private:
    FakeWizard& wizard_;
    int index_;
};

QPushButton* button(QWidget* page, const char* name) {
    return page->findChild<QPushButton*>(QString::fromLatin1(name));
}

// The actions a test takes on each page as it shows, by page name; an action
// runs once per showing and may run the next pages inside it.
using Action = std::function<void(forms::WizardPage* page)>;

int runWizard(FakeWizard& wizard, const QList<QPair<QString, Action>>& actions) {
    FormsScript script;
    for (const auto& [name, action] : actions)
        script.expect(name, [action](QWidget* form) {
            action(static_cast<forms::WizardPage*>(form));
            return int(forms::mrNone);
        });
    FakePage first(wizard, 1);
    const int r = forms::ShowModal(&first);
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    return r;
}

using gui::clickChild;

}  // namespace

TEST(WizardPageTest, HandOverProtocol) {
    struct Case {
        const char* name;
        QList<QPair<QString, Action>> actions;
        QStringList log;
        std::uint8_t endFlag;
    };
    const Action next = [](forms::WizardPage* p) { clickChild(p, "bbAvancar"); };
    const Action closeBox = [](forms::WizardPage* p) { p->close(); };
    const Action esc = [](forms::WizardPage* p) { QTest::keyClick(p, Qt::Key_Escape); };
    const QList<Case> cases = {
        {"Cancel on page 3 closes the chain",
         {{"page1", next}, {"page2", next}, {"page3", [](forms::WizardPage* p) { clickChild(p, "bbFechar"); }}},
         {"show1", "next1", "show2", "next2", "show3", "cancel3", "back on 2 (mrCancel)", "back on 1 (mrCancel)"},
         1},
        {"Back shows the previous page again",
         {{"page1", [](forms::WizardPage* p) {
               clickChild(p, "bbAvancar");
               clickChild(p, "bbCancelar");  // page 1 shows again: its Cancel
           }},
          {"page2", [](forms::WizardPage* p) { clickChild(p, "bbVoltar"); }}},
         {"show1", "next1", "show2", "show1", "back on 1 (mrCancel)", "cancel1"},
         0},
        {"The close box of the last page acts as Close",
         {{"page1", next}, {"page2", next}, {"page3", closeBox}},
         {"show1", "next1", "show2", "next2", "show3", "cancel3", "back on 2 (mrCancel)", "back on 1 (mrCancel)"},
         1},
        {"The close box of a middle page acts as Cancel",
         {{"page1", next}, {"page2", closeBox}},
         {"show1", "next1", "show2", "cancel2", "back on 1 (mrCancel)"},
         1},
        {"Esc acts as Cancel",
         {{"page1", next}, {"page2", esc}},
         {"show1", "next1", "show2", "cancel2", "back on 1 (mrCancel)"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWizard wizard;
        runWizard(wizard, c.actions);
        EXPECT_EQ(wizard.log.join(" | ").toStdString(), c.log.join(" | ").toStdString());
        EXPECT_EQ(wizard.endFlag, c.endFlag);
    }
}

TEST(WizardPageTest, CancelWhileBusyStopsTheJobAndKeepsThePage) {
    FakeWizard wizard;
    bool visibleAfterJob = false;
    wizard.duringJob = [&wizard](forms::WizardPage* p) {
        clickChild(p, "bbCancelar");                     // asks the job to stop
        p->close();                                 // so does the close box
        QTest::keyClick(p, Qt::Key_Escape);         // and Esc
        p->done(forms::mrCancel);                   // a close waits for the job
        wizard.log << QStringLiteral("flag %1").arg(wizard.endFlag);
    };
    runWizard(wizard, {{"page1", [](forms::WizardPage* p) {
                            clickChild(p, "bbAvancar");
                            clickChild(p, "bbCancelar");
                        }},
                       {"page2", [&](forms::WizardPage* p) {
                            clickChild(p, "bbAvancar");
                            visibleAfterJob = p->isVisible();
                        }}});
    EXPECT_EQ(wizard.stops, 3);
    EXPECT_EQ(wizard.log.join(" | ").toStdString(), QStringList({"show1", "next1", "show2", "next2", "flag 0", "job ended",
                                       "show1", "back on 1 (mrCancel)", "cancel1"}).join(" | ").toStdString());
    EXPECT_FALSE(visibleAfterJob);  // the deferred close ran once the job returned
    EXPECT_EQ(wizard.endFlag, 0);
}

TEST(WizardPageTest, GeometryOfTheFirstPageFitsTheNext) {
    FakeWizard wizard;
    FakePage first(wizard, 1);
    first.move(40, 30);
    first.resize(700, 380);
    forms::WizardGeometry stored;
    first.StoreGeometry(stored);
    EXPECT_EQ(stored[0], first.geometry().y());
    EXPECT_EQ(stored[1], first.geometry().x());
    EXPECT_EQ(stored[2], 380);
    EXPECT_EQ(stored[3], 700);
    EXPECT_EQ(stored[16] + stored[17] + stored[18] + stored[19], 0);
    EXPECT_EQ(stored[26], button(&first, "bbAvancar")->y());
    EXPECT_EQ(stored[31], button(&first, "bbCancelar")->x());

    FakePage second(wizard, 2);
    second.ApplyGeometry(stored, forms::wgPage | forms::wgPicture | forms::wgPanel);
    EXPECT_EQ(second.geometry(), first.geometry());
    EXPECT_EQ(second.Picture()->geometry(), first.Picture()->geometry());
    EXPECT_EQ(second.Panel()->geometry(), first.Panel()->geometry());

    // A last page without Next takes the buttons it has.
    FakePage third(wizard, 3);
    third.ApplyGeometry(stored, forms::wgButtons);
    EXPECT_EQ(button(&third, "bbFechar")->geometry(), button(&first, "bbCancelar")->geometry());
}

TEST(WizardPageTest, EnterMovesToTheNextControlOrPressesTheFocusedButton) {
    FakeWizard wizard;
    FakePage page(wizard, 2);
    QSignalSpy back(button(&page, "bbVoltar"), &QPushButton::clicked);
    page.show();
    QApplication::setActiveWindow(&page);
    auto* edit = page.findChild<QLineEdit*>(QStringLiteral("edit2"));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), edit);
    button(&page, "bbVoltar")->setFocus();
    QTest::keyClick(button(&page, "bbVoltar"), Qt::Key_Return);
    EXPECT_EQ(back.count(), 1);
}

// ---- the check list ------------------------------------------------------------

namespace {

QPoint textPoint(QListWidget& list, int row) {
    const QRect r = list.visualItemRect(list.item(row));
    return QPoint(r.right() - 10, r.center().y());
}

QPoint boxPoint(QListWidget& list, int row) {
    QStyleOptionViewItem opt;
    opt.initFrom(&list);
    opt.rect = list.visualItemRect(list.item(row));
    opt.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    opt.text = list.item(row)->text();
    return list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, &list).center();
}

}  // namespace

TEST(TickListTest, TickingRules) {
    struct Case {
        const char* name;
        std::function<void(forms::TickList&)> act;
        QList<bool> ticks;
        int toggles;
    };
    auto clickAt = [](forms::TickList& l, QPoint p) { QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, p); };
    const QList<Case> cases = {
        {"a click on the text toggles", [&](forms::TickList& l) { clickAt(l, textPoint(l, 1)); }, {false, true, false}, 1},
        {"two clicks on the text toggle twice",
         [&](forms::TickList& l) {
             clickAt(l, textPoint(l, 1));
             QTest::qWait(QApplication::doubleClickInterval() + 50);
             clickAt(l, textPoint(l, 1));
         },
         {false, false, false}, 2},
        {"a click on the box toggles once", [&](forms::TickList& l) { clickAt(l, boxPoint(l, 2)); }, {false, false, true}, 1},
        {"arrow keys move without toggling",
         [](forms::TickList& l) {
             l.setCurrentRow(0);
             QTest::keyClick(&l, Qt::Key_Down);
             QTest::keyClick(&l, Qt::Key_Down);
         },
         {false, false, false}, 0},
        {"Enter toggles the current line",
         [](forms::TickList& l) {
             l.setCurrentRow(0);
             QTest::keyClick(&l, Qt::Key_Down);
             QTest::keyClick(&l, Qt::Key_Return);
         },
         {false, true, false}, 1},
        {"the space bar toggles the current line",
         [](forms::TickList& l) {
             l.setCurrentRow(2);
             QTest::keyClick(&l, Qt::Key_Space);
         },
         {false, false, true}, 1},
        {"no current line: Enter does nothing", [](forms::TickList& l) { QTest::keyClick(&l, Qt::Key_Return); },
         {false, false, false}, 0},
        {"a click below the lines does nothing",
         [&](forms::TickList& l) { clickAt(l, QPoint(20, l.viewport()->height() - 3)); }, {false, false, false}, 0},
        {"code ticks silently", [](forms::TickList& l) { l.SetAllTicked(true); l.SetTicked(0, false); },
         {false, true, true}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forms::TickList list;
        list.resize(300, 200);
        for (const char* line : {"um", "dois", "tres"}) list.AddLine(QString::fromLatin1(line));
        list.show();
        QApplication::setActiveWindow(&list);
        list.setCurrentIndex(QModelIndex());  // the focus made the first line current
        QSignalSpy ticked(&list, &forms::TickList::LineTicked);
        c.act(list);
        QList<bool> ticks;
        for (int i = 0; i < list.count(); ++i) ticks << list.IsTicked(i);
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(ticked.count(), c.toggles);
        EXPECT_EQ(forms::CountTickedItems(&list), int(c.ticks.count(true)));
    }
    EXPECT_EQ(forms::CountTickedItems(nullptr), 0);
}

// ---- stopping a job -------------------------------------------------------------

TEST(ProgressHostTest, PollStopAsksOnlyAfterARequest) {
    ScriptedMessages boxes;
    forms::ProgressHost host;
    forms::StopRequest request;
    EXPECT_FALSE(forms::PollStop(host, request));  // nothing asked
    request.Request();
    boxes.answer("mrNo");
    EXPECT_FALSE(forms::PollStop(host, request));  // No: the job goes on
    EXPECT_FALSE(request.Pending());
    EXPECT_FALSE(forms::PollStop(host, request));
    request.Request();
    boxes.answer("mrYes");
    EXPECT_TRUE(forms::PollStop(host, request));
    EXPECT_EQ(boxes.texts(), QStringList({"Deseja interromper?", "Deseja interromper?"}));
}

// The bar of a page's job: moved by percent while events pass, never once
// per record, and at the job's exact position when the user is asked and
// when the job ends; a bar gone with its page is left alone.
TEST(ProgressHostTest, BarFollowsTheJobWithoutMovingOnEveryRecord) {
    struct AskedAt : msg::MessageHost {
        explicit AskedAt(QProgressBar* bar) : bar(bar), previous(msg::SetMessageHost(this)) {}
        ~AskedAt() override { msg::SetMessageHost(previous); }
        QString show(const msg::BoxRequest&) override {
            values << bar->value();
            return QStringLiteral("mrNo");
        }
        void beep() override {}
        QProgressBar* bar;
        msg::MessageHost* previous;
        QList<int> values;
    };
    constexpr int records = 200000;
    QProgressBar bar;
    AskedAt asked(&bar);
    QSignalSpy moves(&bar, &QProgressBar::valueChanged);
    {
        forms::ProgressBarHost host(&bar);
        forms::StopRequest request;
        host.SetProgressMaximum(records);
        for (int i = 1; i <= records; ++i) {
            host.SetProgress(i);
            if (i == 54321) request.Request();
            if (i == 100000) {
                QTest::qWait(60);  // a slow record: the bar shows where the job is
                forms::PollStop(host, request);
                EXPECT_EQ(bar.value(), 100000);
            }
            EXPECT_FALSE(forms::PollStop(host, request));
        }
        EXPECT_LE(moves.count(), 102);
    }
    EXPECT_EQ(asked.values, QList<int>{54321});
    EXPECT_EQ(bar.value(), records);

    // No bar, or the bar closed with its page while the job runs.
    forms::ProgressBarHost none(nullptr);
    none.SetProgressMaximum(10);
    none.SetProgress(5);
    none.ProcessEvents();
    auto* gone = new QProgressBar;
    forms::ProgressBarHost orphan(gone);
    orphan.SetProgressMaximum(10);
    orphan.SetProgress(5);
    delete gone;
    orphan.SetProgress(6);
    orphan.ProcessEvents();
}
