#pragma once
#include "platform/report/ReportEngine.h"

class TdmRaveRelatorios;

// The page layouts of the reports of the report data module.
void LayoutRptErros(TdmRaveRelatorios& dm, report::ReportRun& run, report::Canvas& canvas);
void LayoutRptErrosEstrutura(TdmRaveRelatorios& dm, report::ReportRun& run, report::Canvas& canvas);
void LayoutRptImportacao(TdmRaveRelatorios& dm, report::ReportRun& run, report::Canvas& canvas);
void LayoutCartela(report::ReportRun& run, report::Canvas& canvas);
void LayoutRelatorioCompleto(TdmRaveRelatorios& dm, report::ReportRun& run, report::Canvas& canvas);
void LayoutRelatorioResumido(TdmRaveRelatorios& dm, report::ReportRun& run, report::Canvas& canvas);
void LayoutTransmissao(report::ReportRun& run, report::Canvas& canvas);
void LayoutRptProtocolo(report::ReportRun& run, report::Canvas& canvas);
void LayoutRptEtiqueta(report::ReportRun& run, report::Canvas& canvas);

// The page frame every report shares: the title and the lines under it at
// the top of each page, "Página n de m" at the bottom.
void StandardPageHeader(report::Canvas& canvas, const QString& title, const QStringList& lines);
void StandardPageFooter(report::Canvas& canvas, const QString& versao);
// The same footer, for a report that sets it before its pages.
report::Canvas::Footer StandardFooter(const QString& versao);
