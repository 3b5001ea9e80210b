#include "platform/ui/MessageService.h"
#include "support/ScriptedMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <memory>

namespace {
// What the test saw of the open message box.
struct BoxSeen {
    QString title;
    QStringList buttons;
};
}  // namespace


TEST(MessageService, ModalResultNames) {
    const char* names[] = {"Erro de Memoria", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(msg::ModalResultName(i).toStdString(), names[i]);
}

TEST(MessageService, RealBoxesCarryPortugueseTitlesAndButtons) {
    struct Case {
        msg::BoxKind kind;
        msg::BoxButtons buttons;
        QString press;
        QString title;
        QStringList buttonTexts;
        QString result;
    };
    const Case cases[] = {
        {msg::BoxKind::Confirmation, msg::BoxButtons::YesNo, "&Sim", "Confirme", {"&Sim", "&Não"}, "mrYes"},
        {msg::BoxKind::Confirmation, msg::BoxButtons::YesNo, "&Não", "Confirme", {"&Sim", "&Não"}, "mrNo"},
        {msg::BoxKind::Information, msg::BoxButtons::YesNo, "", "Informação", {"&Sim", "&Não"}, "mrNo"},
        {msg::BoxKind::Warning, msg::BoxButtons::Ok, "OK", "Atenção", {"OK"}, "mrOk"},
        {msg::BoxKind::Error, msg::BoxButtons::OkCancel, "Cancelar", "Erro", {"OK", "Cancelar"}, "mrCancel"},
    };
    RealMessageBoxes real;
    for (const Case& c : cases) {
        auto seen = std::make_shared<BoxSeen>();
        QTimer::singleShot(0, [seen, press = c.press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen->title = box->windowTitle();
            for (QAbstractButton* b : box->buttons()) seen->buttons << b->text();
            if (press.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* b : box->buttons())
                if (b->text() == press) b->click();
        });
        const QString result = msg::ShowBox(c.kind, "Texto\r\nsegunda linha", c.buttons);
        EXPECT_EQ(result.toStdString(), c.result.toStdString()) << c.title.toStdString();
        EXPECT_EQ(seen->title.toStdString(), c.title.toStdString());
        QStringList got = seen->buttons;
        QStringList want = c.buttonTexts;
        got.sort();
        want.sort();
        EXPECT_EQ(got, want) << c.title.toStdString();
    }
}

TEST(MessageService, ABoxMayCarryItsOwnTitleAndDefaultButton) {
    struct Case {
        QString title;          // asked for
        QString defaultButton;  // asked for
        QString titleSeen;
        QString enterAnswers;
    };
    const Case cases[] = {
        {"", "", "Confirme", "mrYes"},                  // the usual confirmation
        {"Confirmação", "mrNo", "Confirmação", "mrNo"},  // its own title, No by default
    };
    RealMessageBoxes real;
    for (const Case& c : cases) {
        auto seen = std::make_shared<BoxSeen>();
        QTimer::singleShot(0, [seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen->title = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Return);
        });
        msg::BoxRequest request;
        request.kind = msg::BoxKind::Confirmation;
        request.buttons = msg::BoxButtons::YesNo;
        request.text = "Exclui?";
        request.title = c.title;
        request.defaultButton = c.defaultButton;
        EXPECT_EQ(msg::ShowBox(request).toStdString(), c.enterAnswers.toStdString());
        EXPECT_EQ(seen->title.toStdString(), c.titleSeen.toStdString());
    }
}

TEST(MessageService, ScriptedHostRecordsEveryBox) {
    ScriptedMessages boxes;
    boxes.answer("mrNo").acceptOkBoxes();
    EXPECT_FALSE(msg::AskYesNo("Continua?"));
    EXPECT_EQ(msg::ShowWarning("Cuidado").toStdString(), "mrOk");
    msg::Beep();
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Confirmation);
    EXPECT_EQ(boxes.texts(), QStringList({"Continua?", "Cuidado"}));
    EXPECT_EQ(boxes.codes(), QStringList({"", ""}));
    EXPECT_EQ(boxes.beeps(), 1);
}

TEST(MessageService, BoxWithoutScriptFailsInsteadOfHanging) {
    // The guard of the test programs answers No and records a failure.
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        EXPECT_FALSE(msg::AskYesNo("Ninguém responde?"));
    }
    EXPECT_EQ(failures.size(), 1);
}

// Enter pressed while the window system still gives the keys to the window
// below the box (which the box blocks) answers the box once it has the
// keyboard: one Enter, not two.
TEST(MessageService, EnterTypedBeforeTheBoxHasTheKeyboardAnswersIt) {
    QWidget below;
    below.resize(200, 100);
    below.show();
    QApplication::setActiveWindow(&below);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&below));
    RealMessageBoxes real;
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QCoreApplication::postEvent(below.windowHandle(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
        QCoreApplication::postEvent(below.windowHandle(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r"));
        QCoreApplication::sendPostedEvents();
        // The window system hands the keyboard to the box only now.
        QApplication::setActiveWindow(box);
        answered = QTest::qWaitFor([box] { return !box->isVisible(); }, 2000);
        if (!answered) box->buttons().value(0)->click();
    });
    EXPECT_EQ(msg::ShowInformation("Aviso"), "mrOk");
    EXPECT_TRUE(answered) << "the box waited for a second Enter";
}
