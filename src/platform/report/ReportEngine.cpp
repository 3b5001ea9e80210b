#include "ReportEngine.h"

#include "ReportRender.h"
#include "platform/ui/Forms.h"

#include <QAction>
#include <QLabel>
#include <QVBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>

namespace report {

namespace {
std::optional<bool> g_printerInstalled;
std::optional<bool> g_systemPrinter;
PrintDialogRunner g_printDialogRunner;
std::function<void(QPrintPreviewDialog&)> g_previewRunner;
std::function<void(const Document&, const QString&)> g_printRunner;
std::function<void(const QString&)> g_statusObserver;

// A run shorter than this shows no status window.
constexpr qint64 kStatusDelayMs = 400;

bool isMaskPlace(QChar c) {
    switch (c.unicode()) {
    case '9': case '0': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
        return true;
    default:
        return false;
    }
}

// Qt's print dialog of this platform always offers "Print to File (PDF)".
constexpr bool kPdfFileIsPrinter =
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    true;
#else
    false;
#endif

// Without a printer of the system's own the job goes to a PDF file, named
// after the report in the user's documents, which the print dialog offers.
void preparePrinter(QPrinter& printer, const QString& jobTitle, const QString& reportName) {
    printer.setDocName(jobTitle);
    if (HasSystemPrinter()) return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString name = reportName.isEmpty() ? QStringLiteral("Relatorio") : reportName;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(folder).filePath(name + QStringLiteral(".pdf")));
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
    if (g_printDialogRunner) return g_printDialogRunner(printer);
    QPrintDialog dialog(&printer, parent);
    return forms::ShowModal(&dialog) == forms::mrOk;
}

QAction* printAction(QPrintPreviewDialog& dialog) {
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : dialog.findChildren<QAction*>())
        if (action->text() == print) return action;
    return nullptr;
}

void setPreviewZoom(QPrintPreviewDialog& dialog) {
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
        widget->setZoomMode(QPrintPreviewWidget::CustomZoom);
        widget->setZoomFactor(1.0);
    }
}
}  // namespace

// --- datasets -------------------------------------------------------------

void ReportDataSet::setFormatter(const QString& fieldName, Formatter formatter) {
    formatters_.insert(fieldName.toLower(), std::move(formatter));
}

void ReportDataSet::setDisplayMask(const QString& fieldName, const QString& mask) {
    masks_.insert(fieldName.toLower(), mask);
}

QString ReportDataSet::text(const QString& fieldName) {
    db::Field& field = data_->FieldByName(fieldName);
    const QString key = fieldName.toLower();
    auto f = formatters_.constFind(key);
    if (f != formatters_.constEnd() && *f) {
        const QString shown = (*f)(field);
        if (!shown.isEmpty()) return shown;
    }
    auto m = masks_.constFind(key);
    if (m != masks_.constEnd()) return FormatMaskText(*m, field.AsString());
    return field.AsString();
}

void ReportDataSet::openFirst() {
    if (!data_->Active()) data_->Open();
    data_->First();
}

QString FormatMaskText(const QString& mask, const QString& value) {
    if (value.trimmed().isEmpty()) return QString();
    QString pattern;
    QList<bool> place;  // per pattern character: a place for a value character
    const QString shape = mask.section(QLatin1Char(';'), 0, 0);
    for (int i = 0; i < shape.size(); ++i) {
        const QChar c = shape.at(i);
        if (c == QLatin1Char('\\') && i + 1 < shape.size()) {
            pattern += shape.at(++i);
            place << false;
        } else if (c != QLatin1Char('!') && c != QLatin1Char('>') && c != QLatin1Char('<')) {
            pattern += c;
            place << isMaskPlace(c);
        }
    }
    QString out;
    QString pending;  // literals wait for the value character after them
    int next = 0;
    int i = 0;
    for (; i < pattern.size(); ++i) {
        if (!place[i]) {
            pending += pattern.at(i);
        } else if (next < value.size()) {
            out += pending + value.at(next++);
            pending.clear();
        } else {
            break;
        }
    }
    if (i == pattern.size()) {
        out += pending;
        if (next < value.size()) out += value.mid(next);
    } else if (pending.isEmpty()) {
        // The value ended inside a group: close the group when the literals
        // after its empty places end the mask ("(1)" from "(99)").
        while (i < pattern.size() && place[i]) ++i;
        const int closing = i;
        while (i < pattern.size() && !place[i]) ++i;
        if (i == pattern.size()) out += pattern.mid(closing);
    }
    return out;
}

// --- runs -----------------------------------------------------------------

QString ReportRun::param(const QString& name) const { return project_.GetParam(name); }

ReportDataSet& ReportRun::dataSet(const QString& connectionName) {
    ReportDataSet* ds = project_.dataSet(connectionName);
    if (!ds) throw db::DbError(db::ErrorKind::Usage, db::kGeneralError,
                               QStringLiteral("Data connection '%1' not found.").arg(connectionName));
    const bool wasOpen = ds->data().Active();
    ds->openFirst();
    if (!wasOpen && !project_.opened_.contains(&ds->data())) project_.opened_ << &ds->data();
    return *ds;
}

void ReportProject::addReport(const QString& reportName, ReportBody body) {
    reports_.insert(reportName.toLower(), std::move(body));
}

void ReportProject::addDataSet(ReportDataSet& dataSet) { dataSets_ << &dataSet; }

ReportDataSet* ReportProject::dataSet(const QString& connectionName) {
    for (ReportDataSet* ds : dataSets_)
        if (ds->name().compare(connectionName, Qt::CaseInsensitive) == 0) return ds;
    return nullptr;
}

bool ReportProject::hasReport(const QString& reportName) const { return reports_.contains(reportName.toLower()); }

void ReportProject::SetParam(const QString& name, const QString& value) { params_.insert(name.toLower(), value); }

QString ReportProject::GetParam(const QString& name) const { return params_.value(name.toLower()); }

bool ReportProject::SelectReport(const QString& reportName) {
    if (!hasReport(reportName)) return false;
    selected_ = reportName;
    return true;
}

Document ReportProject::Layout() {
    Document document;
    auto it = reports_.constFind(selected_.toLower());
    if (it == reports_.constEnd()) return document;
    Canvas canvas(document);
    ReportRun run(*this);
    (*it)(run, canvas);
    if (document.pages.isEmpty()) canvas.newPage();
    return document;
}

int ReportProject::LayoutPages(const Canvas::PageSink& sink, int knownPageCount) {
    auto it = reports_.constFind(selected_.toLower());
    Document held;
    Canvas canvas(held);
    canvas.setPageSink(sink, knownPageCount);
    if (it != reports_.constEnd()) {
        ReportRun run(*this);
        (*it)(run, canvas);
    }
    canvas.finish();
    return canvas.pageCount();
}

bool ReportProject::Execute() {
    if (!hasReport(selected_)) {
        engine_->setDestination(Destination::Preview);
        return false;
    }
    if (engine_->destination() == Destination::TextFile) return engine_->output(Layout(), selected_);
    // The footers print the number of pages: a first layout counts them, the
    // second draws each page as it is laid out, so no run holds every page.
    struct StatusEnd {
        ReportSystem* engine;
        ~StatusEnd() { engine->EndStatus(); }
    } statusEnd{engine_};
    ReportSystem* engine = engine_;
    const int count = LayoutPages([engine](const Page&, int number) { engine->ShowStatus(engine->generatingText, number); }, 0);
    PageSource pages{count, [this, count](const std::function<void(const Page&)>& sink) {
                         LayoutPages([&sink](const Page& page, int) { sink(page); }, count);
                     }};
    return engine_->output(pages, selected_);
}

void ReportProject::Close() {
    for (db::DataSet* ds : opened_)
        if (ds->Active()) ds->Close();
    opened_.clear();
}

// --- the report system ----------------------------------------------------

void ReportSystem::setDestination(Destination destination, const QString& fileName) {
    destination_ = destination;
    fileName_ = fileName;
}

ReportSystem::ReportSystem() = default;

ReportSystem::~ReportSystem() { EndStatus(); }

void ReportSystem::ShowStatus(const QString& pattern, int page) {
    QString text = pattern;
    text.replace(QStringLiteral("%p"), QString::number(page));
    if (g_statusObserver) {
        g_statusObserver(text);
        return;
    }
    if (!statusClock_.isValid()) statusClock_.start();
    const qint64 now = statusClock_.elapsed();
    if (now < kStatusDelayMs || (lastStatus_ >= 0 && now - lastStatus_ < 100)) return;
    lastStatus_ = now;
    if (!statusWindow_) {
        statusWindow_ = new QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
        statusWindow_->setObjectName(QStringLiteral("ReportStatus"));
        statusWindow_->setWindowTitle(statusTitle);
        auto* layout = new QVBoxLayout(statusWindow_);
        statusLabel_ = new QLabel(statusWindow_);
        statusLabel_->setMinimumWidth(220);
        statusLabel_->setAlignment(Qt::AlignCenter);
        layout->addWidget(statusLabel_);
        statusWindow_->show();
    }
    statusLabel_->setText(text);
    // Drawn at once, without letting the user's events in during the run.
    statusWindow_->repaint();
}

void ReportSystem::EndStatus() {
    delete statusWindow_;
    statusWindow_ = nullptr;
    statusLabel_ = nullptr;
    statusClock_.invalidate();
    lastStatus_ = -1;
}

bool ReportSystem::output(const Document& document, const QString& title) {
    if (destination_ == Destination::TextFile) {
        const QString fileName = fileName_;
        setDestination(Destination::Preview);
        return writeText(document, fileName);
    }
    return output(sourceOf(document), title);
}

bool ReportSystem::output(const PageSource& pages, const QString& title) {
    const Destination destination = destination_;
    const QString fileName = fileName_;
    setDestination(Destination::Preview);
    const PageProgress printing = [this](int number) { ShowStatus(printingText, number); };
    switch (destination) {
    case Destination::PdfFile:
        return writePdf(pages, fileName, title, printing);
    case Destination::TextFile: {
        Document document;
        pages.produce([&document](const Page& page) { document.pages << page; });
        return writeText(document, fileName);
    }
    case Destination::Printer: {
        if (g_printRunner) {
            Document document;
            pages.produce([&document](const Page& page) { document.pages << page; });
            g_printRunner(document, printerJobTitle);
            return true;
        }
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, printerJobTitle, title);
        // With no printer of its own the user says where the PDF file goes.
        if (!HasSystemPrinter() && !runPrintDialog(printer, nullptr)) return false;
        if (!printer.isValid()) return false;
        printPages(pages, printer, printing);
        return true;
    }
    case Destination::Preview: {
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, printerJobTitle, title);
        QPrintPreviewDialog dialog(&printer);
        dialog.setWindowTitle(previewTitle);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                         [&pages](QPrinter* p) { printPages(pages, *p); });
        if (!allowPrintFromPreview) {
            RemovePrinting(dialog);
        } else if (QAction* print = printAction(dialog)) {
            // The print command asks through the one print dialog of the program.
            print->disconnect(&dialog);
            QObject::connect(print, &QAction::triggered, &dialog, [&dialog, &printer]() {
                if (!runPrintDialog(printer, &dialog)) return;
                if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) widget->print();
                dialog.accept();
            });
        }
        dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
        setPreviewZoom(dialog);
        if (g_previewRunner) {
            g_previewRunner(dialog);
        } else {
            // The dialog fits the page when first shown; the zoom is set again after that.
            QTimer::singleShot(0, &dialog, [&dialog]() { setPreviewZoom(dialog); });
            forms::ShowModal(&dialog);
        }
        return true;
    }
    }
    return false;
}

void RemovePrinting(QPrintPreviewDialog& dialog) {
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    const QString setup = QCoreApplication::translate("QPrintPreviewDialog", "Page setup");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() == print || action->text() == setup) {
            action->setEnabled(false);
            action->setVisible(false);
        }
    }
}

bool IsPrinterInstalled() {
    if (g_printerInstalled) return *g_printerInstalled;
    return kPdfFileIsPrinter || HasSystemPrinter();
}

void SetPrinterInstalledForTests(std::optional<bool> installed) { g_printerInstalled = installed; }

bool HasSystemPrinter() {
    if (g_systemPrinter) return *g_systemPrinter;
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void SetSystemPrinterForTests(std::optional<bool> present) { g_systemPrinter = present; }

void SetPrintDialogRunnerForTests(PrintDialogRunner runner) { g_printDialogRunner = std::move(runner); }

void SetPreviewRunnerForTests(std::function<void(QPrintPreviewDialog&)> runner) { g_previewRunner = std::move(runner); }

void SetStatusObserverForTests(std::function<void(const QString&)> observer) { g_statusObserver = std::move(observer); }

void SetPrintRunnerForTests(std::function<void(const Document&, const QString&)> runner) {
    g_printRunner = std::move(runner);
}

}  // namespace report
