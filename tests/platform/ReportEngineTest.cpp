#include "platform/report/ReportEngine.h"
#include "platform/report/ReportRender.h"
#include "support/ReportFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

TEST(ReportMask, DisplayMasksFillTheirPlaces) {
    struct Case {
        const char* mask;
        const char* value;
        const char* shown;
    } cases[] = {
        {"(99);0;_", "01", "(01)"},
        {"(99);0;_", "1", "(1)"},
        {"(99);0;_", "", ""},
        {"999.99999.99.9;0;_", "12345678901", "123.45678.90.1"},
        {"99/99/9999;0;_", "01022009", "01/02/2009"},
        {"99/99/9999;0;_", "0102", "01/02"},
        {"99.999.999/9999-99(99);0;_", "1234567800019501", "12.345.678/0001-95(01)"},
        {"99.999.999/9999-99(99);0;_", "12345678000195", "12.345.678/0001-95"},
        {"99999-999;0;", "01310100", "01310-100"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.value)), QString::fromUtf8(c.shown))
            << c.mask << " " << c.value;
}

namespace {
// A small report with a table long enough to run over three pages.
ReportBody longTable() {
    return [](ReportRun& run, Canvas& canvas) {
        canvas.setPageHeader([&run](Canvas& c) {
            c.paragraph(QStringLiteral("Título ") + run.param(QStringLiteral("Nome")), Font{12, true});
        });
        canvas.newPage();
        const QList<Column> cols{{100, AlignLeft}, {60, AlignRight}};
        canvas.tableRow(cols, {QStringLiteral("Coluna"), QStringLiteral("Valor")}, Font{9, true}, true);
        canvas.setRepeatHeader([cols](Canvas& c) {
            c.tableRow(cols, {QStringLiteral("Coluna"), QStringLiteral("Valor")}, Font{9, true}, true);
        });
        for (int i = 1; i <= 150; ++i)
            canvas.tableRow(cols, {QStringLiteral("linha %1").arg(i), QString::number(i * 10)}, Font{9});
        canvas.setRepeatHeader(nullptr);
        canvas.finish([](Canvas& c, int page, int count) {
            c.text(c.left(), kPageHeight - kMargin - 10, c.width(), QStringLiteral("Página %1 de %2").arg(page).arg(count),
                   Font{7}, AlignRight);
        });
    };
}
}  // namespace

TEST(ReportProject, ParametersKeepTheirValueUntilSetAgain) {
    ReportSystem system;
    ReportProject project(QStringLiteral("p"), system);
    project.addReport(QStringLiteral("Lista"), longTable());
    project.SetParam(QStringLiteral("Nome"), QStringLiteral("Primeiro"));
    ASSERT_TRUE(project.SelectReport(QStringLiteral("Lista")));
    EXPECT_TRUE(renderText(project.Layout()).contains(QStringLiteral("Título Primeiro")));
    // A later run that sets nothing still sees the value; a new value replaces it.
    EXPECT_TRUE(renderText(project.Layout()).contains(QStringLiteral("Título Primeiro")));
    project.SetParam(QStringLiteral("nome"), QStringLiteral("Segundo"));
    const QString text = renderText(project.Layout());
    EXPECT_TRUE(text.contains(QStringLiteral("Título Segundo")));
    EXPECT_FALSE(text.contains(QStringLiteral("Primeiro")));
    EXPECT_FALSE(project.SelectReport(QStringLiteral("NaoExiste")));
    EXPECT_EQ(project.selectedReport(), QStringLiteral("Lista"));
}

TEST(ReportProject, LongTablesBreakPagesAndRepeatTheirTitles) {
    ReportSystem system;
    ReportProject project(QStringLiteral("p"), system);
    project.addReport(QStringLiteral("Lista"), longTable());
    project.SetParam(QStringLiteral("Nome"), QStringLiteral("X"));
    project.SelectReport(QStringLiteral("Lista"));
    const Document doc = project.Layout();
    ASSERT_GE(doc.pages.size(), 2);
    const QStringList pages = renderText(doc).split(QLatin1Char('\f'));
    ASSERT_EQ(pages.size(), doc.pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Título X"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Coluna"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(pages.size()))) << i;
    }
    const QString all = pages.join(QString());
    for (int i = 1; i <= 150; ++i) EXPECT_EQ(all.count(QStringLiteral("linha %1 ").arg(i)), 1) << i;
    // Right-aligned values end on the same column.
    const QStringList lines = pages[0].split(QLatin1Char('\n'));
    int end = -1;
    for (const QString& l : lines) {
        if (!l.startsWith(QStringLiteral("linha")) && !l.contains(QStringLiteral(" linha"))) continue;
        if (end < 0) end = int(l.size());
        EXPECT_EQ(l.size(), end) << l.toStdString();
    }
}

TEST(ReportSystem, DestinationHoldsForOneRunOnly) {
    QTemporaryDir dir;
    ReportSystem system;
    ReportProject project(QStringLiteral("p"), system);
    project.addReport(QStringLiteral("Lista"), longTable());
    project.SetParam(QStringLiteral("Nome"), QStringLiteral("PDF"));
    project.SelectReport(QStringLiteral("Lista"));

    const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
    system.setDestination(Destination::PdfFile, pdf);
    ASSERT_TRUE(project.Execute());
    EXPECT_EQ(system.destination(), Destination::Preview);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Título PDF")));
    EXPECT_TRUE(text.contains(QStringLiteral("linha 150")));

    // The next run without a destination goes to the preview, not to the file.
    QFile::remove(pdf);
    int previews = 0;
    SetPreviewRunnerForTests([&previews](QPrintPreviewDialog&) { ++previews; });
    project.Execute();
    SetPreviewRunnerForTests(nullptr);
    EXPECT_EQ(previews, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    // A file that cannot be written is reported as such.
    system.setDestination(Destination::PdfFile, dir.filePath(QStringLiteral("no/such/folder/x.pdf")));
    EXPECT_FALSE(project.Execute());
    system.setDestination(Destination::TextFile, dir.filePath(QStringLiteral("no/such/folder/x.txt")));
    EXPECT_FALSE(project.Execute());
}

TEST(ReportSystem, PreviewIsMaximisedAtFullSizeAndLosesPrintingWhenAsked) {
    ReportSystem system;
    ReportProject project(QStringLiteral("p"), system);
    project.addReport(QStringLiteral("Lista"), longTable());
    project.SelectReport(QStringLiteral("Lista"));
    for (bool allow : {true, false}) {
        system.allowPrintFromPreview = allow;
        bool seen = false;
        SetPreviewRunnerForTests([&](QPrintPreviewDialog& dialog) {
            seen = true;
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Visualização do Relatório"));
            EXPECT_TRUE(dialog.windowState() & Qt::WindowMaximized);
            auto* widget = dialog.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(widget, nullptr);
            EXPECT_DOUBLE_EQ(widget->zoomFactor(), 1.0);
            widget->updatePreview();
            EXPECT_GE(widget->pageCount(), 2);
            int printActions = 0;
            for (QAction* a : dialog.findChildren<QAction*>()) {
                const bool printing = a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print") ||
                                      a->text() == QCoreApplication::translate("QPrintPreviewDialog", "Page setup");
                if (!printing) continue;
                ++printActions;
                EXPECT_EQ(a->isEnabled(), allow);
                EXPECT_EQ(a->isVisible(), allow);
            }
            EXPECT_EQ(printActions, 2);
        });
        project.Execute();
        SetPreviewRunnerForTests(nullptr);
        EXPECT_TRUE(seen);
    }
}

TEST(ReportSystem, PrinterInstalledAnswerCanBeSetByTests) {
    SetPrinterInstalledForTests(false);
    EXPECT_FALSE(IsPrinterInstalled());
    SetPrinterInstalledForTests(true);
    EXPECT_TRUE(IsPrinterInstalled());
    SetPrinterInstalledForTests(std::nullopt);
}

TEST(ReportProject, PagesGoOutOneByOneOnceTheFooterIsKnown) {
    // The footer set before the pages: each page leaves as the next begins.
    // Set only at the end: the pages wait, and every one still gets it.
    for (const bool footerFirst : {true, false}) {
        SCOPED_TRACE(footerFirst ? "footer first" : "footer last");
        ReportSystem system;
        ReportProject project(QStringLiteral("p"), system);
        const Canvas::Footer footer = [](Canvas& c, int page, int count) {
            c.text(c.left(), kPageHeight - kMargin - 10, c.width(), QStringLiteral("Página %1 de %2").arg(page).arg(count),
                   Font{7});
        };
        int laid = 0;  // lines laid out when a page leaves
        project.addReport(QStringLiteral("Longo"), [&](ReportRun&, Canvas& canvas) {
            if (footerFirst) canvas.setFooter(footer);
            canvas.newPage();
            for (laid = 1; laid <= 300; ++laid) canvas.paragraph(QStringLiteral("linha %1").arg(laid), Font{9});
            if (!footerFirst) canvas.finish(footer);
        });
        project.SelectReport(QStringLiteral("Longo"));
        QList<int> laidAtSink;
        const int count = project.LayoutPages([&](const Page&, int) { laidAtSink << laid; }, 0);
        ASSERT_GE(count, 3);
        QStringList footers;
        const int again = project.LayoutPages(
            [&footers](const Page& page, int number) {
                footers << QString::number(number) + ':' + page.items.last().text;
            },
            count);
        EXPECT_EQ(again, count);
        QStringList expected;
        for (int i = 1; i <= count; ++i) expected << QStringLiteral("%1:Página %1 de %2").arg(i).arg(count);
        EXPECT_EQ(footers, expected);
        ASSERT_EQ(laidAtSink.size(), count);
        if (footerFirst) EXPECT_LT(laidAtSink.first(), 300);
        else EXPECT_EQ(laidAtSink.first(), 301);
    }
}

TEST(ReportSystem, StatusNamesEachPageLaidOutAndPrinted) {
    ReportSystem system;
    ReportProject project(QStringLiteral("p"), system);
    project.addReport(QStringLiteral("Lista"), longTable());
    project.SelectReport(QStringLiteral("Lista"));
    QStringList statuses;
    SetStatusObserverForTests([&statuses](const QString& s) { statuses << s; });
    QTemporaryDir dir;
    system.setDestination(Destination::PdfFile, dir.filePath(QStringLiteral("l.pdf")));
    EXPECT_TRUE(project.Execute());
    SetStatusObserverForTests(nullptr);
    const int pages = PdfPageCount(dir.filePath(QStringLiteral("l.pdf")));
    ASSERT_GE(pages, 3);
    QStringList expected;
    for (int i = 1; i <= pages; ++i) expected << QStringLiteral("Gerando página %1").arg(i);
    for (int i = 1; i <= pages; ++i) expected << QStringLiteral("Imprimindo página %1").arg(i);
    EXPECT_EQ(statuses, expected);
    EXPECT_TRUE(PdfText(dir.filePath(QStringLiteral("l.pdf"))).contains(QStringLiteral("Página %1 de %1").arg(pages)));
}

// A table's titles each fit their column without a word broken inside; the
// room comes from columns that have it, and the table keeps its width.
TEST(ReportCanvas, TitlesFitTheirColumnsWithoutBreakingAWord) {
    Document document;
    Canvas canvas(document);
    const Font bold{7.5, true};
    struct Case {
        const char* what;
        QList<Column> columns;
        QStringList titles;
    } cases[] = {
        {"long words in narrow columns", {{130, AlignLeft}, {40, AlignLeft}, {220, AlignLeft}, {60, AlignLeft}, {40, AlignLeft}},
         {"Inscrição", "Prefixo", "Razão Social", "Vínculos", "Encerramento"}},
        {"several narrow ones", {{60, AlignLeft}, {25, AlignLeft}, {25, AlignLeft}, {25, AlignLeft}, {200, AlignLeft}},
         {"Inscrição", "Desligados", "Duplicados", "Importados", "Obs."}},
        {"titles that fit already", {{100, AlignLeft}, {100, AlignLeft}}, {"Seq.", "Mensagem"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<Column> fitted = canvas.fitTitles(c.columns, c.titles, bold);
        double before = 0, after = 0;
        for (int i = 0; i < c.columns.size(); ++i) {
            before += c.columns[i].width;
            after += fitted[i].width;
            // Wrapped at spaces only: every line is whole words of the title.
            const QStringList lines = canvas.wrap(c.titles[i], fitted[i].width - 4, bold);
            EXPECT_EQ(lines.join(' '), c.titles[i]) << lines.join('|').toStdString();
        }
        EXPECT_NEAR(after, before, 0.01);
    }
}
