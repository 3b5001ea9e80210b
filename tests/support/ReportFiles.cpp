#include "ReportFiles.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

QString PdfText(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-layout"), pdfPath,
                                          QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPageCount(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdfPath});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return -1;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString ReadTextFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

QString PreviewPdfText(QPrintPreviewDialog& dialog, const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    emit dialog.paintRequested(&printer);
    return PdfText(pdfPath);
}
