#pragma once
#include "ReportDocument.h"
#include "ReportRender.h"

#include <QElapsedTimer>

#include "platform/db/DataSet.h"

#include <QHash>
#include <QMap>
#include <functional>
#include <optional>

class QPrintPreviewDialog;
class QPrinter;
class QLabel;
class QWidget;

namespace report {

// A dataset offered to the reports under a connection name, with the display
// formatters of its fields. A formatter's empty result prints the stored
// value (or its display mask); a single blank prints nothing visible.
class ReportDataSet {
public:
    using Formatter = std::function<QString(db::Field& field)>;

    ReportDataSet(const QString& name, db::DataSet& data) : name_(name), data_(&data) {}

    const QString& name() const { return name_; }
    db::DataSet& data() { return *data_; }
    void setFormatter(const QString& fieldName, Formatter formatter);
    void setDisplayMask(const QString& fieldName, const QString& mask);

    // The text a report prints for a field of the current row.
    QString text(const QString& fieldName);

    // The engine opens a closed dataset it needs and starts at its first row.
    void openFirst();

private:
    QString name_;
    db::DataSet* data_;
    QHash<QString, Formatter> formatters_;  // by lower-case field name
    QHash<QString, QString> masks_;
};

// The design's display masks ("99.999.999/9999-99;0;_"): the value's
// characters fill the mask's character places in order and the literals come
// between them. An empty value shows empty; places left over are dropped.
QString FormatMaskText(const QString& mask, const QString& value);

class ReportProject;

// What a report's code sees while it lays out its pages.
class ReportRun {
public:
    ReportRun(ReportProject& project) : project_(project) {}
    QString param(const QString& name) const;
    ReportDataSet& dataSet(const QString& connectionName);

private:
    ReportProject& project_;
};

using ReportBody = std::function<void(ReportRun& run, Canvas& canvas)>;

enum class Destination { Preview, Printer, PdfFile, TextFile };

// The report system: where a run goes and how the preview behaves. The
// destination holds for one run only: after each run it is the preview again,
// so that every caller sets it and no run goes where an earlier one went.
class ReportSystem {
public:
    QString previewTitle = QStringLiteral("Visualização do Relatório");
    QString printerJobTitle = QStringLiteral("ReportPrinter Report");
    // Printing from the preview; switched off for the rest of the run when
    // no printer is installed.
    bool allowPrintFromPreview = true;

    void setDestination(Destination destination, const QString& fileName = QString());
    Destination destination() const { return destination_; }
    const QString& outputFileName() const { return fileName_; }

    // The status shown while a long report is laid out and printed; "%p"
    // stands for the page number.
    QString statusTitle = QStringLiteral("Report Status");
    QString generatingText = QStringLiteral("Gerando página %p");
    QString printingText = QStringLiteral("Imprimindo página %p");

    ReportSystem();
    ~ReportSystem();
    ReportSystem(const ReportSystem&) = delete;
    ReportSystem& operator=(const ReportSystem&) = delete;

    // Sends the pages to the destination and goes back to the preview.
    // False when a file or the printer could not be written.
    bool output(const Document& document, const QString& title);
    bool output(const PageSource& pages, const QString& title);

    // The status of page `page` (pattern generatingText or printingText); the
    // window appears only once a run has lasted a moment.
    void ShowStatus(const QString& pattern, int page);
    void EndStatus();

private:
    Destination destination_ = Destination::Preview;
    QString fileName_;
    QWidget* statusWindow_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QElapsedTimer statusClock_;
    qint64 lastStatus_ = -1;
};

// Tests see every status text instead of a window.
void SetStatusObserverForTests(std::function<void(const QString&)> observer);

// A project: reports by name, the datasets they read, and named text
// parameters that keep their value until set again.
class ReportProject {
public:
    ReportProject(const QString& name, ReportSystem& engine) : name_(name), engine_(&engine) {}

    const QString& name() const { return name_; }
    ReportSystem& engine() { return *engine_; }

    void addReport(const QString& reportName, ReportBody body);
    void addDataSet(ReportDataSet& dataSet);
    ReportDataSet* dataSet(const QString& connectionName);
    bool hasReport(const QString& reportName) const;

    void SetParam(const QString& name, const QString& value);
    QString GetParam(const QString& name) const;

    // Selects the report run next; false when the project has none of that name.
    bool SelectReport(const QString& reportName);
    const QString& selectedReport() const { return selected_; }
    // Lays out the selected report and sends it to the engine's destination.
    bool Execute();
    // The pages of the selected report, without sending them anywhere.
    Document Layout();
    // Lays the selected report out page by page, each finished page going to
    // the sink and then dropped; the footers print `knownPageCount` as the
    // number of pages. Returns the number of pages.
    int LayoutPages(const Canvas::PageSink& sink, int knownPageCount);
    void Open() {}
    // Closes the datasets that runs of this project opened.
    void Close();

private:
    QString name_;
    ReportSystem* engine_;
    QMap<QString, ReportBody> reports_;  // by lower-case name
    QList<ReportDataSet*> dataSets_;
    QHash<QString, QString> params_;     // by lower-case name
    QString selected_;
    QList<db::DataSet*> opened_;
    friend class ReportRun;
};

// Whether the program can print. Where Qt's print dialog offers printing to a
// PDF file, that file counts as a printer, so only a system without even that
// answers no. Tests set the answer.
bool IsPrinterInstalled();
void SetPrinterInstalledForTests(std::optional<bool> installed);
// Whether the system has a printer of its own, beside the PDF file; tests set
// the answer.
bool HasSystemPrinter();
void SetSystemPrinterForTests(std::optional<bool> present);

// Asks where to print (Qt's print dialog over the printer); false when the
// user cancelled. Tests answer instead, setting up the printer as a user would.
using PrintDialogRunner = std::function<bool(QPrinter& printer)>;
void SetPrintDialogRunnerForTests(PrintDialogRunner runner);

// How a preview dialog is shown; tests look at it instead of waiting on it.
void SetPreviewRunnerForTests(std::function<void(QPrintPreviewDialog&)> runner);
// What printing does; tests take the pages instead of a printer.
void SetPrintRunnerForTests(std::function<void(const Document&, const QString& jobTitle)> runner);

// Removes printing and page setup from a preview dialog.
void RemovePrinting(QPrintPreviewDialog& dialog);

}  // namespace report
