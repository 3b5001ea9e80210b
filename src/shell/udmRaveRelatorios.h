#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/report/ReportEngine.h"

// The report data module: the report system, the three report projects, the
// queries and tables that feed the reports, and the display formatters that
// turn fixed-width stored values into printable text.
class TdmRaveRelatorios {
public:
    TdmRaveRelatorios();
    ~TdmRaveRelatorios();
    TdmRaveRelatorios(const TdmRaveRelatorios&) = delete;
    TdmRaveRelatorios& operator=(const TdmRaveRelatorios&) = delete;

    std::shared_ptr<db::Database> database;  // "LOBRIX"

    report::ReportSystem RvSystem1;

    db::Query quProtocolo;
    db::Query quContavinc;
    db::Query qrConsulta;
    db::Query quErros;
    db::Table ta8Msg;
    db::Query quErroStru;
    db::Table ta8importacao;
    db::Query quSequencias;
    db::Query quTodos;

    report::ReportDataSet RvQueryConnection1;  // quProtocolo
    report::ReportDataSet rvdsConsulta;
    report::ReportDataSet rvdsContavinc;
    report::ReportDataSet rvdsErro;
    report::ReportDataSet rvdsMsg;
    report::ReportDataSet rvdsEstrutura;
    report::ReportDataSet rvdsImportacao;
    report::ReportDataSet rvdsSequencia;
    report::ReportDataSet rvdsTodos;

    report::ReportProject RvProtocolo;
    report::ReportProject RvProject2;
    report::ReportProject rvprjErro;

    // The base year the termination dates complete (the main window's AnoBase).
    int AnoBase = 2009;

    // The values remembered from a row for the fields that follow it.
    QString TipoEstabelecimento;
    QString TipoResponsavel;
    QString AnoEncerramento;

    // Display formatters: the text printed for a stored value; empty prints
    // the stored value, a single blank prints nothing visible.
    QString GetTipoEstabelecimento(const QString& value);
    QString DisplayCGCCei(const QString& value) const;
    QString GetTipoResponsavel(const QString& value);
    QString DisplayInscResponsavel(const QString& value) const;
    QString DisplayCPF(const QString& value) const;
    QString DisplayCeiVinculado(const QString& value) const;
    QString DisplayCNPJ(const QString& value) const;
    QString quProtocoloDaEncerramentoAtividadeGetText(const QString& value) const;
    QString GetAnoEncerramento(const QString& value);
    QString DisplayDataDeslig(const QString& value) const;
    QString DisplayDatas(const QString& value) const;
    QString DisplayTrim(const QString& value) const;
    QString DisplayTrimPAT(const QString& value) const;
    QString DisplayCodMunicipio(const QString& value) const;
    QString DisplayBranco(const QString& value) const;
    QString DisplayRemuneracao(const QString& value) const;
    QString DisplayValorTotal(const QString& value, int width) const;

    // The text of a message of the catalogue, empty when it has none.
    QString MessageText(const QString& code);

private:
    void bindFormatters();
    void registerReports();
    // An inscription formatted by the type held in the same row, whatever
    // the order in which the report reads the row's fields.
    void bindInscription(report::ReportDataSet& ds, const QString& inscriptionField, const QString& typeField);
};

extern TdmRaveRelatorios* dmRaveRelatorios;

// The main window's "&Visualizar Cartela" and "&Emitir Cartela": the file
// layout card to the preview or to the printer, with the no-printer messages.
void VisualizarCartela(const QString& versao, int anoBase);
void EmitirCartela(const QString& versao, int anoBase);

// The declaration report over the rows qrConsulta holds (the print wizard
// prepared them): "RelatorioCompleto" or "RelatorioResumido", to the report
// system's destination, with its parameters.
bool RunDeclarationReport(bool completo, const QString& titulo, const QString& classificacao, const QString& versao,
                          int anoBase, const QString& crea);

// "rptErros" in the preview over the findings of the last check: errwar "err"
// lists the errors, "war" the warnings. The caller says first when no printer
// is installed (its own box) and switches printing from the preview off.
void ShowFindingsReport(const QString& errwar, int anoBase, const QString& versao);

// The receipt reports over te8ProID and te8ProES, as the last write left
// them: "rptProtocolo" (the summary) and "rptEtiqueta" (the labels). The
// summary goes to the preview, or to a PDF file when `pdfFile` is given;
// false when the file could not be written.
bool ShowReceiptSummary(int anoBase, const QString& pdfFile = QString());
void ShowReceiptLabels(const QString& versao);
