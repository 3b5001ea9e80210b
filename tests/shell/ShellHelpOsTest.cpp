#include "platform/help/HelpService.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WizardPage.h"
#include "shell/ugHtmlHelpAPI.h"
#include "shell/ugOSInfo.h"
#include "support/DataFolder.h"
#include "support/GuiDriver.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(OsCode, TableOfVersions) {
    struct Case {
        OsPlatform platform;
        int major, minor, code;
    };
    const Case cases[] = {
        {OsPlatform::Win9x, 4, 0, 1},  {OsPlatform::Win9x, 4, 10, 2}, {OsPlatform::Win9x, 4, 90, 3},
        {OsPlatform::Win9x, 4, 1, 0},  {OsPlatform::Win9x, 5, 0, 0},  {OsPlatform::WinNT, 4, 0, 4},
        {OsPlatform::WinNT, 4, 1, 0},  {OsPlatform::WinNT, 5, 0, 5},  {OsPlatform::WinNT, 5, 1, 6},
        {OsPlatform::WinNT, 5, 2, 7},  {OsPlatform::WinNT, 5, 3, 0},  {OsPlatform::WinNT, 6, 0, 8},
        {OsPlatform::WinNT, 6, 1, 9},  {OsPlatform::WinNT, 6, 2, 0},  {OsPlatform::WinNT, 10, 0, 0},
        {OsPlatform::Other, 6, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsVersionCode(c.platform, c.major, c.minor), c.code) << c.major << "." << c.minor;
    EXPECT_EQ(OsVersionName(9).toStdString(), "osWin7");
    EXPECT_EQ(OsVersionName(0).toStdString(), "osUnknown");
}

TEST(OsCode, ThisSystemIsUnknown) {
#ifndef Q_OS_WIN
    EXPECT_EQ(DetectOsVersion(), osUnknown);
#endif
}

namespace {
void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}
}  // namespace

TEST(Help, ContextOpensItsPageAndFallsBackToTheContents) {
    TempProgramFolder program(false);
    const QString folder = program.path() + "help/";
    writeFile(folder + "index.html", "<html><body>Conteudo</body></html>");
    writeFile(folder + "como.html", "<html><body>Como fazer</body></html>");
    writeFile(folder + "contexts.map", "# map\n10 como.html Como Fazer Para\n\n28 falta.html\nxx bad.html\n");
    EXPECT_EQ(help::PageForContext(10), QDir(folder).filePath("como.html"));
    EXPECT_EQ(help::PageForContext(28), QString());  // its page is missing
    EXPECT_EQ(help::PageForContext(999), QString());
    EXPECT_EQ(help::PageForContext(0), help::ContentsPage());  // a control without a topic
    ASSERT_EQ(help::ReadContextMap().size(), 2);

    ShowHelpContext(10);
    help::HelpWindow* w = help::CurrentHelpWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->currentPage(), QDir(folder).filePath("como.html"));
    EXPECT_TRUE(w->browser()->toPlainText().contains("Como fazer"));
    ShowHelpContents();
    EXPECT_EQ(help::CurrentHelpWindow(), w);  // one window, reused
    EXPECT_EQ(w->currentPage(), help::ContentsPage());
    EXPECT_EQ(w->contentsList()->count(), 2);  // the contents and the one titled entry

    // A context without a page says so, in front, instead of leaving the
    // window on what it showed before.
    for (int context : {28, 999}) {
        ShowHelpContext(context);
        EXPECT_TRUE(w->browser()->toPlainText().contains(QStringLiteral("não tem um tópico"))) << context;
        EXPECT_TRUE(w->browser()->toPlainText().contains(QString::number(context))) << context;
    }
    w->close();
}

namespace {
// The program's folder with the help pages it ships.
void copyShippedHelp(const QString& programFolder) {
    const QDir from(QStringLiteral(LOBRIX_SOURCE_DIR "/help"));
    QDir().mkpath(programFolder + "help");
    for (const QString& f : from.entryList(QDir::Files)) QFile::copy(from.filePath(f), programFolder + "help/" + f);
}

QString pageHtml(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
}  // namespace

TEST(Help, EveryContextOfTheFormsAndMenusHasAPageOfItsOwn) {
    TempProgramFolder program(false);
    copyShippedHelp(program.path());
    // The contexts the forms' controls, the writing wizard's responsible page
    // and the main window's "Como Fazer Para ..." (10) carry.
    const int contexts[] = {10,  27,  28,  29,  30,  31,  32,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,
                            45,  46,  47,  53,  54,  55,  56,  57,  58,  60,  61,  63,  64,  65,  66,  68,  69,
                            70,  71,  72,  73,  74,  75,  76,  78,  79,  80,  81,  82,  85,  86,  87,  89,  90,
                            91,  94,  95,  96,  115, 117, 124, 125, 133, 166, 167, 168, 170, 171, 175, 176, 178,
                            193, 194, 199, 200, 204, 205, 209};
    for (int context : contexts) {
        const QString page = help::PageForContext(context);
        ASSERT_FALSE(page.isEmpty()) << context;
        EXPECT_NE(page, help::ContentsPage()) << context;
        EXPECT_TRUE(pageHtml(page).contains(QRegularExpression("<h1>[^<]+</h1>"))) << context;
    }
    // "Como Fazer Para ..." answers with the tasks, each page of which exists.
    const QString how = pageHtml(help::PageForContext(10));
    QRegularExpressionMatchIterator links = QRegularExpression("href=\"([^\"]+)\"").globalMatch(how);
    int tasks = 0;
    while (links.hasNext()) {
        EXPECT_TRUE(QFile::exists(program.path() + "help/" + links.next().captured(1)));
        ++tasks;
    }
    EXPECT_GE(tasks, 8);
}

TEST(Help, TheContentsLeadThroughTheYearsJobInOrder) {
    TempProgramFolder program(false);
    copyShippedHelp(program.path());
    const QString contents = pageHtml(help::ContentsPage());
    // new declaration, establishments and employees, check, print, write,
    // transmit, amend: each step a page that exists, in this order.
    const QStringList steps{"tarefa_nova_declaracao.html", "tarefa_estab_empregados.html", "tarefa_verificar.html",
                            "tarefa_imprimir.html",        "tarefa_gravar.html",           "tarefa_transmitir.html",
                            "tarefa_retificar.html"};
    qsizetype at = -1;
    for (const QString& step : steps) {
        const qsizetype next = contents.indexOf("href=\"" + step + "\"");
        EXPECT_GT(next, at) << step.toStdString();
        at = next;
        EXPECT_TRUE(QFile::exists(program.path() + "help/" + step)) << step.toStdString();
    }
    // The window's contents list starts with the same steps.
    ShowHelpContents();
    help::HelpWindow* w = help::CurrentHelpWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_GT(w->contentsList()->count(), 3);
    EXPECT_TRUE(w->contentsList()->item(1)->data(Qt::UserRole).toString().endsWith(steps.first()));
    w->close();
}

TEST(Help, PlacedInsideTheScreenBesideTheWindowThatAsked) {
    const QMargins frame{4, 28, 4, 4};
    const QSize preferred{760, 540};
    struct Case {
        const char* what;
        QRect available, asking, placed;
    } cases[] = {
        {"room at the right of a small form", {0, 0, 1366, 768}, {0, 0, 400, 300}, {404, 28, 760, 540}},
        {"room at the left", {0, 0, 1366, 768}, {900, 50, 400, 300}, {136, 78, 760, 540}},
        {"no room beside: at the right of the screen", {0, 0, 1366, 768}, {283, 84, 800, 600}, {602, 112, 760, 540}},
        {"form low on the screen: the help stays above the bottom", {0, 0, 1366, 768}, {100, 500, 300, 200},
         {404, 224, 760, 540}},
        {"a short screen shrinks it", {0, 0, 1024, 500}, {0, 0, 200, 200}, {204, 28, 760, 468}},
        {"nobody asking", {0, 24, 1366, 744}, {}, {602, 52, 760, 540}},
    };
    for (const Case& c : cases) {
        const QRect placed = help::HelpWindowGeometry(c.available, c.asking, preferred, frame);
        EXPECT_EQ(placed, c.placed) << c.what;
        EXPECT_TRUE(c.available.contains(placed.marginsAdded(frame))) << c.what;
    }
}

// A form and a wizard page shown modally, one over the other: F1 in the form
// opens the help, which takes clicks beside the form and, once the wizard
// page opens over both, beside the wizard too.
TEST(Help, UsableBesideAModalFormAndAWizardAndInsideTheScreen) {
    TempProgramFolder program(false);
    copyShippedHelp(program.path());
    QDialog form;
    form.setObjectName("form");
    auto* layout = new QVBoxLayout(&form);
    auto* pis = new QLineEdit(&form);
    layout->addWidget(pis);
    ui::SetHelpContext(pis, 63);
    ui::EntryFormController kit(&form);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    form.resize(300, 200);
    form.move(available.right() - 300, available.bottom() - 200);
    forms::WizardFrame frame;
    frame.objectName = "wizard";
    forms::WizardPage wizard(frame);
    auto* file = new QLineEdit(wizard.Panel());
    wizard.PanelLayout()->addWidget(file);

    // A click on a step of the contents list, delivered to the window as the
    // system delivers it: a window that a modal form blocks never gets it.
    const auto clickStep = [](help::HelpWindow* w, int row) {
        QListWidget* list = w->contentsList();
        const QPoint at = list->viewport()->mapTo(w, list->visualItemRect(list->item(row)).center());
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
        gui::settle();
        return w->currentPage();
    };
    help::HelpWindow* w = nullptr;
    QStringList pagesSeen;
    forms::SetModalHandler([&](QWidget* shown) {
        if (shown == &form) {
            if (!gui::enter(pis)) ADD_FAILURE() << "the PIS field took no focus";
            QTest::keyClick(pis, Qt::Key_F1);
            w = help::CurrentHelpWindow();
            if (!w || !gui::waitUntil([&] { return w->isVisible(); }, "the help window shown after F1", 2000)) {
                ADD_FAILURE() << "no help window shown after F1";
                return int(forms::mrCancel);
            }
            pagesSeen << QFileInfo(w->currentPage()).fileName();
            EXPECT_TRUE(available.contains(w->frameGeometry()));
            pagesSeen << QFileInfo(clickStep(w, 1)).fileName();
            forms::ShowModal(&wizard);
            return int(forms::mrOk);
        }
        gui::settle();
        pagesSeen << QFileInfo(clickStep(w, 2)).fileName();
        // F1 on a wizard's field without a topic: the contents.
        gui::activate(&wizard);
        if (!gui::enter(file)) ADD_FAILURE() << "the wizard's field took no focus";
        QTest::keyClick(file, Qt::Key_F1);
        pagesSeen << QFileInfo(w->currentPage()).fileName();
        return int(forms::mrOk);
    });
    forms::ShowModal(&form);
    forms::SetModalHandler(nullptr);
    EXPECT_EQ(pagesSeen.join(' ').toStdString(), "emp_pis.html tarefa_nova_declaracao.html tarefa_estab_empregados.html index.html");
    // The help outlives the forms that asked for it.
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    w->close();
}

// Keys typed ahead of a modal form are handed to it; keys typed in the help
// that stands beside the form are the help's own.
TEST(Help, KeysTypedInTheHelpBesideAModalFormStayInTheHelp) {
    TempProgramFolder program(false);
    copyShippedHelp(program.path());
    QDialog form;
    auto* layout = new QVBoxLayout(&form);
    auto* edit = new QLineEdit(&form);
    layout->addWidget(edit);
    int rowBefore = -1, rowAfter = -1;
    QTimer::singleShot(0, &form, [&] {
        ShowHelpContents();
        help::HelpWindow* w = help::CurrentHelpWindow();
        if (!w || !gui::activate(w)) {
            ADD_FAILURE() << "no help window to type in";
        } else {
            QListWidget* list = w->contentsList();
            list->setFocus();
            list->setCurrentRow(1);
            rowBefore = list->currentRow();
            QTest::keyClick(w->windowHandle(), Qt::Key_Down);
            gui::settle();
            rowAfter = list->currentRow();
            w->close();
        }
        forms::SetModalResult(&form, forms::mrOk);
    });
    forms::ShowModal(&form);
    gui::settle();
    EXPECT_EQ(rowAfter, rowBefore + 1) << "the Down key typed in the help did not move its contents list";
}

TEST(Help, MissingHelpFolderSaysSoInTheWindow) {
    TempProgramFolder program(false);
    ShowHelpContents();
    help::HelpWindow* w = help::CurrentHelpWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->browser()->toPlainText().contains("não encontrado"));
    w->close();
}
