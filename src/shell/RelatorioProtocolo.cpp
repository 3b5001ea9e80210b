// "rptProtocolo" and "rptEtiqueta": the summary and the labels of the parts
// the last write produced, from the receipt tables joined part by part.
#include "RelatoriosLobrix.h"

#include "ugFuncoes.h"

using report::Canvas;
using report::Column;
using report::Font;

namespace {
const Font kBody{8.5};
const Font kBold{8.5, true};
const Font kGroup{10, true};
const Font kLabelTitle{12, true};

QString dateText(const QString& ddmmyyyy) {
    const QString d = ddmmyyyy.trimmed();
    return d.size() == 8 ? d.left(2) + '/' + d.mid(2, 2) + '/' + d.mid(4) : d;
}

QString trimmedCount(const QString& value) {
    const QString v = StripLeadingZeros(value.trimmed());
    return v.isEmpty() ? QStringLiteral("0") : v;
}

// The address of the person responsible, as one line.
QString responsibleAddress(report::ReportDataSet& ds) {
    QStringList parts;
    for (const char* name : {"EdLogradouroRespArquivo", "NuLogradouroRespArquivo", "TxComplementoRespArquivo",
                             "NoBairroRespArquivo"}) {
        QString v = ds.text(QString::fromLatin1(name)).trimmed();
        // The number is kept with leading zeros; it reads as the form shows it.
        if (qstrcmp(name, "NuLogradouroRespArquivo") == 0) v = StripLeadingZeros(v);
        if (!v.isEmpty()) parts << v;
    }
    QString line = parts.join(QStringLiteral(", "));
    const QString city = ds.text(QStringLiteral("NoMunicipioRespArquivo")).trimmed();
    const QString uf = ds.text(QStringLiteral("SgUfRespArquivo")).trimmed();
    const QString cep = ds.text(QStringLiteral("CoCepRespArquivo")).trimmed();
    if (!city.isEmpty()) line += QStringLiteral(" - ") + city + (uf.isEmpty() ? QString() : QStringLiteral("/") + uf);
    if (!cep.isEmpty()) line += QStringLiteral("  CEP ") + cep;
    return line;
}

void keyValue(Canvas& canvas, const QString& key, const QString& value) {
    const double keyWidth = 150;
    const double top = canvas.y;
    canvas.text(canvas.left(), top, keyWidth, key, kBold);
    canvas.paragraph(value, kBody, canvas.left() + keyWidth, canvas.width() - keyWidth);
    canvas.y = std::max(canvas.y, top + canvas.lineHeight(kBody));
}

}  // namespace

void LayoutRptProtocolo(report::ReportRun& run, Canvas& canvas) {
    report::ReportDataSet& ds = run.dataSet(QStringLiteral("RvQueryConnection1"));
    db::DataSet& data = ds.data();
    const QString anoBase = run.param(QStringLiteral("AnoBase"));
    const QString title = QStringLiteral("Relação dos Estabelecimentos Declarados");
    const QStringList lines{anoBase.trimmed().isEmpty() ? QString() : QStringLiteral("Ano-base: ") + anoBase};
    canvas.setPageHeader([title, lines](Canvas& c) { StandardPageHeader(c, title, lines); });
    canvas.newPage();
    if (data.Eof()) {
        canvas.paragraph(QStringLiteral("Nenhum arquivo gravado."), kBody);
        StandardPageFooter(canvas, QString());
        return;
    }
    const QList<Column> columns{{130, report::AlignLeft}, {40, report::AlignLeft}, {220, report::AlignLeft},
                                {60, report::AlignRight}, {70, report::AlignLeft}};
    QList<Column> scaled;
    double sum = 0;
    for (const Column& c : columns) sum += c.width;
    for (const Column& c : columns) scaled << Column{c.width * canvas.width() / sum, c.align};
    const QStringList titles{QStringLiteral("Inscrição"), QStringLiteral("Prefixo"), QStringLiteral("Razão Social"),
                             QStringLiteral("Vínculos"), QStringLiteral("Encerramento")};
    scaled = canvas.fitTitles(scaled, titles, kBold);
    QString part;
    for (; !data.Eof(); data.Next()) {
        const QString thisPart = data.FieldByName(QStringLiteral("NuDisquete")).AsString();
        if (thisPart != part) {
            if (!part.isEmpty()) {
                canvas.setRepeatHeader(nullptr);
                canvas.y += 10;
            }
            part = thisPart;
            canvas.ensureSpace(9 * canvas.lineHeight(kBody));
            canvas.paragraph(QStringLiteral("Arquivo - parte ") + trimmedCount(part), kGroup);
            canvas.y += 2;
            keyValue(canvas, QStringLiteral("Responsável:"), ds.text(QStringLiteral("NoResponsavelArquivo")).trimmed());
            keyValue(canvas, QStringLiteral("Inscrição:"), ds.text(QStringLiteral("CoCgcCeiResponsavel")).trimmed());
            keyValue(canvas, QStringLiteral("Endereço:"), responsibleAddress(ds));
            keyValue(canvas, QStringLiteral("Estabelecimentos:"),
                     trimmedCount(data.FieldByName(QStringLiteral("NuEstabelecimentos")).AsString()));
            keyValue(canvas, QStringLiteral("Vínculos:"),
                     trimmedCount(data.FieldByName(QStringLiteral("NuVinculos")).AsString()));
            keyValue(canvas, QStringLiteral("Data da geração:"),
                     dateText(data.FieldByName(QStringLiteral("DaGeracao")).AsString()));
            canvas.y += 4;
            canvas.tableRow(scaled, titles, kBold, true);
            canvas.setRepeatHeader([scaled, titles](Canvas& c) { c.tableRow(scaled, titles, kBold, true); });
        }
        canvas.tableRow(scaled,
                        {ds.text(QStringLiteral("CoCgcCeiEstabelecimento_1")).trimmed(),
                         data.FieldByName(QStringLiteral("NuPrefixoEstabelecimen_1")).AsString(),
                         data.FieldByName(QStringLiteral("NoRazaoEstabelecimento_1")).AsString().trimmed(),
                         trimmedCount(data.FieldByName(QStringLiteral("NuVinculosEstabelecimento")).AsString()),
                         ds.text(QStringLiteral("DaEncerramentoAtividade_1")).trimmed()},
                        kBody);
    }
    canvas.setRepeatHeader(nullptr);
    StandardPageFooter(canvas, QString());
}

void LayoutRptEtiqueta(report::ReportRun& run, Canvas& canvas) {
    report::ReportDataSet& ds = run.dataSet(QStringLiteral("RvQueryConnection1"));
    db::DataSet& data = ds.data();
    const QString versao = run.param(QStringLiteral("VersaoEditada"));
    canvas.newPage();
    QString part;
    const double labelHeight = 9 * canvas.lineHeight(kBody) + 16;
    for (; !data.Eof(); data.Next()) {
        const QString thisPart = data.FieldByName(QStringLiteral("NuDisquete")).AsString();
        if (thisPart == part) continue;  // one label per part
        part = thisPart;
        canvas.ensureSpace(labelHeight + 12);
        const double top = canvas.y;
        canvas.box(QRectF(canvas.left(), top, canvas.width() * 0.6, labelHeight), false, 0.8);
        const double x = canvas.left() + 8;
        const double w = canvas.width() * 0.6 - 16;
        canvas.y = top + 6;
        canvas.paragraph(QStringLiteral("ZUVO ") + data.FieldByName(QStringLiteral("AnBase")).AsString().trimmed() +
                             QStringLiteral(" - Parte ") + trimmedCount(part),
                         kLabelTitle, x, w);
        canvas.paragraph(QStringLiteral("Versão ") + versao, kBody, x, w);
        canvas.paragraph(ds.text(QStringLiteral("NoResponsavelArquivo")).trimmed(), kBold, x, w);
        canvas.paragraph(QStringLiteral("Inscrição: ") + ds.text(QStringLiteral("CoCgcCeiResponsavel")).trimmed(), kBody, x, w);
        canvas.paragraph(QStringLiteral("Estabelecimentos: ") +
                             trimmedCount(data.FieldByName(QStringLiteral("NuEstabelecimentos")).AsString()) +
                             QStringLiteral("   Vínculos: ") +
                             trimmedCount(data.FieldByName(QStringLiteral("NuVinculos")).AsString()),
                         kBody, x, w);
        canvas.paragraph(QStringLiteral("Data da geração: ") + dateText(data.FieldByName(QStringLiteral("DaGeracao")).AsString()),
                         kBody, x, w);
        canvas.y = top + labelHeight + 12;
    }
    if (part.isEmpty()) canvas.paragraph(QStringLiteral("Nenhum arquivo gravado."), kBody);
}
