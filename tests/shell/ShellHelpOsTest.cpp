#include "platform/help/HelpService.h"
#include "shell/ugHtmlHelpAPI.h"
#include "shell/ugOSInfo.h"
#include "support/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTextBrowser>
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
    EXPECT_EQ(help::PageForContext(28), help::ContentsPage());  // its page is missing
    EXPECT_EQ(help::PageForContext(999), help::ContentsPage());
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
    w->close();
}

TEST(Help, MissingHelpFolderSaysSoInTheWindow) {
    TempProgramFolder program(false);
    ShowHelpContents();
    help::HelpWindow* w = help::CurrentHelpWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->browser()->toPlainText().contains("não encontrado"));
    w->close();
}
