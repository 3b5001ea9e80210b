#include "RelatoriosLobrix.h"

#include "udmRaveRelatorios.h"

#include <QRegularExpression>

using report::Canvas;
using report::Column;
using report::Font;

namespace {
const Font kBody{8.5};
const Font kBold{8.5, true};
const Font kGroup{9.5, true};
const Font kTitle{13, true};
const Font kSmall{7.5};

// A table whose column titles head it and every page it runs on to.
struct TableLayout {
    QList<Column> columns;
    QStringList titles;
};

// A table whose titles fit their columns without a word broken inside.
TableLayout fitted(const Canvas& canvas, const QList<Column>& columns, const QStringList& titles) {
    return {canvas.fitTitles(columns, titles, kBold), titles};
}

void tableTitles(Canvas& canvas, const TableLayout& table) {
    canvas.tableRow(table.columns, table.titles, kBold, true);
}

void beginTable(Canvas& canvas, const TableLayout& table) {
    canvas.ensureSpace(4 * canvas.lineHeight(kBody));
    tableTitles(canvas, table);
    canvas.setRepeatHeader([table](Canvas& c) { tableTitles(c, table); });
}

void endTable(Canvas& canvas) {
    canvas.setRepeatHeader(nullptr);
    canvas.y += 6;
}

QList<Column> columns(std::initializer_list<std::pair<double, int>> widths, double total) {
    double sum = 0;
    for (const auto& s : widths) sum += s.first;
    QList<Column> out;
    for (const auto& s : widths) out << Column{s.first * total / sum, s.second};
    return out;
}

void groupHeading(Canvas& canvas, const QString& text) {
    canvas.ensureSpace(3 * canvas.lineHeight(kGroup));
    canvas.y += 4;
    canvas.paragraph(text, kGroup);
    canvas.y += 2;
}

QString joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty()) kept << p;
    return kept.join(QStringLiteral("   "));
}

// The catalogue is one of the run's datasets, so closing the project closes it.
QString messageText(TdmRaveRelatorios& dm, report::ReportRun& run, const QString& code) {
    run.dataSet(QStringLiteral("rvdsMsg"));
    return dm.MessageText(code);
}

QString codeAndText(TdmRaveRelatorios& dm, report::ReportRun& run, const QString& code) {
    const QString c = code.trimmed();
    if (c.isEmpty()) return QString();
    const QString text = messageText(dm, run, c);
    return text.isEmpty() ? c : c + QStringLiteral(" - ") + text;
}

QString yearLine(const QString& anoBase) {
    return anoBase.trimmed().isEmpty() ? QString() : QStringLiteral("Ano-base: ") + anoBase;
}
}  // namespace

void StandardPageHeader(Canvas& canvas, const QString& title, const QStringList& lines) {
    canvas.y = canvas.top();
    canvas.text(canvas.left(), canvas.y, canvas.width(), QStringLiteral("LOBRIX - Gerador de Declaração Zuvo"), kSmall);
    canvas.y += canvas.lineHeight(kSmall) + 4;
    canvas.paragraph(title, kTitle, canvas.left(), canvas.width(), report::AlignCenter);
    for (const QString& l : lines)
        if (!l.trimmed().isEmpty()) canvas.paragraph(l, kBody, canvas.left(), canvas.width(), report::AlignCenter);
    canvas.y += 4;
    canvas.line(canvas.left(), canvas.y, canvas.right(), canvas.y, 0.8);
    canvas.y += 6;
}

void StandardPageFooter(Canvas& canvas, const QString& versao) { canvas.finish(StandardFooter(versao)); }

Canvas::Footer StandardFooter(const QString& versao) {
    return [versao](Canvas& c, int page, int count) {
        const double y = report::kPageHeight - report::kMargin - c.lineHeight(kSmall);
        c.line(c.left(), y - 3, c.right(), y - 3, 0.5);
        if (!versao.trimmed().isEmpty())
            c.text(c.left(), y, c.width() / 2, QStringLiteral("Versão: ") + versao, kSmall);
        c.text(c.left() + c.width() / 2, y, c.width() / 2,
               QStringLiteral("Página %1 de %2").arg(page).arg(count), kSmall, report::AlignRight);
    };
}

// --- rptErros: the findings of the whole-declaration check -----------------

static QString FindingsListKind(db::Query& query) {
    const QString sql = query.Text();
    static const QRegularExpression literal(QStringLiteral("errwar\\s*=\\s*['\"](err|war)['\"]"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (const auto m = literal.match(sql); m.hasMatch()) return m.captured(1).toLower();
    static const QRegularExpression param(QStringLiteral("errwar\\s*=\\s*:(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (const auto m = param.match(sql); m.hasMatch())
        return query.ParamByName(m.captured(1)).AsString.trimmed().toLower();
    return QString();
}


void LayoutRptErros(TdmRaveRelatorios& dm, report::ReportRun& run, Canvas& canvas) {
    report::ReportDataSet& erros = run.dataSet(QStringLiteral("rvdsErro"));
    db::DataSet& data = erros.data();
    // The caller chose errors or warnings by the query's filter, which holds
    // also for an empty list; an unfiltered list goes by its first row.
    QString kind = FindingsListKind(dm.quErros);
    if (kind.isEmpty() && !data.Eof()) kind = data.FieldByName(QStringLiteral("errwar")).AsString().trimmed();
    const bool warnings = kind == QLatin1String("war");
    const QString title = warnings ? QStringLiteral("Relatório de Avisos") : QStringLiteral("Relatório de Erros");
    const QString versao = run.param(QStringLiteral("Versao"));
    const QStringList lines{yearLine(run.param(QStringLiteral("AnoBase1")))};
    canvas.setPageHeader([title, lines](Canvas& c) { StandardPageHeader(c, title, lines); });
    canvas.newPage();

    if (data.Eof()) {
        canvas.paragraph(warnings ? QStringLiteral("Nenhum aviso encontrado.") : QStringLiteral("Nenhuma ocorrência encontrada."), kBody);
        StandardPageFooter(canvas, versao);
        return;
    }

    const TableLayout table = fitted(canvas, columns({{42, report::AlignLeft}, {130, report::AlignLeft}, {130, report::AlignLeft},
                                     {208, report::AlignLeft}}, canvas.width()),
                            {QStringLiteral("Seq."), QStringLiteral("Campo"), QStringLiteral("Conteúdo"),
                             QStringLiteral("Mensagem")});
    QString lastGroup, lastPerson;
    bool open = false;
    int count = 0;
    for (; !data.Eof(); data.Next()) {
        ++count;
        const QString tipo = data.FieldByName(QStringLiteral("tiporegistro")).AsString().trimmed();
        const QString inscricao = erros.text(QStringLiteral("inscricao"));
        const QString prefixo = erros.text(QStringLiteral("prefixo"));
        const QString group = tipo == QLatin1String("0") ? QStringLiteral("0")
                                                          : data.FieldByName(QStringLiteral("inscricao")).AsString() + '|' +
                                                                data.FieldByName(QStringLiteral("prefixo")).AsString();
        if (group != lastGroup) {
            if (open) endTable(canvas);
            open = false;
            lastGroup = group;
            lastPerson.clear();
            if (tipo == QLatin1String("0"))
                groupHeading(canvas, QStringLiteral("Responsável pela declaração"));
            else
                groupHeading(canvas, joined({QStringLiteral("Estabelecimento: ") + inscricao,
                                             prefixo.isEmpty() ? QString() : QStringLiteral("Prefixo: ") + prefixo,
                                             erros.text(QStringLiteral("razaosocial"))}));
        }
        const QString person = tipo == QLatin1String("2")
                                   ? data.FieldByName(QStringLiteral("copispasep")).AsString() + '|' +
                                         data.FieldByName(QStringLiteral("DaAdmissao")).AsString() + '|' +
                                         data.FieldByName(QStringLiteral("noempregado")).AsString()
                                   : QString();
        if (person != lastPerson) {
            if (open) endTable(canvas);
            open = false;
            lastPerson = person;
            if (!person.isEmpty()) {
                canvas.ensureSpace(3 * canvas.lineHeight(kBold));
                canvas.paragraph(joined({QStringLiteral("Empregado: ") + erros.text(QStringLiteral("noempregado")),
                                         QStringLiteral("PIS/PASEP: ") + erros.text(QStringLiteral("copispasep")),
                                         QStringLiteral("Admissão: ") + erros.text(QStringLiteral("DaAdmissao")),
                                         erros.text(QStringLiteral("usoempresa")).trimmed().isEmpty()
                                             ? QString()
                                             : QStringLiteral("Uso da empresa: ") + erros.text(QStringLiteral("usoempresa"))}),
                                 kBold);
                canvas.y += 2;
            }
        }
        if (!open) {
            beginTable(canvas, table);
            open = true;
        }
        const QString lbl = data.FieldByName(QStringLiteral("lbl")).AsString().trimmed();
        const QString field = messageText(dm, run, lbl);
        canvas.tableRow(table.columns,
                        {erros.text(QStringLiteral("Sequencial")), field.isEmpty() ? lbl : field,
                         erros.text(QStringLiteral("Conteudo")),
                         codeAndText(dm, run, data.FieldByName(QStringLiteral("retorno")).AsString())},
                        kBody);
    }
    if (open) endTable(canvas);
    canvas.ensureSpace(2 * canvas.lineHeight(kBold));
    canvas.paragraph(QStringLiteral("Total de ocorrências: %1").arg(count), kBold);
    StandardPageFooter(canvas, versao);
}

// --- rptErrosEstrutura: the structure finding of a declaration file -------

namespace {
QString tipoCampoText(const QString& tipo) {
    const QString t = tipo.trimmed().toUpper();
    if (t == QLatin1String("0")) return QStringLiteral("Sequencial do registro");
    if (t == QLatin1String("8")) return QStringLiteral("Inscrição");
    if (t == QLatin1String("1")) return QStringLiteral("Tipo do registro");
    if (t == QLatin1String("2")) return QStringLiteral("Indicador de declaração sem empregados (posição 280)");
    if (t == QLatin1String("5")) return QStringLiteral("Conteúdo na posição");
    if (t == QLatin1String("3")) return QStringLiteral("Total informado no registro tipo 9");
    if (t == QLatin1String("6")) return QStringLiteral("Estabelecimentos no arquivo");
    if (t == QLatin1String("7")) return QStringLiteral("Vínculos no arquivo");
    if (t == QLatin1String("9")) return QStringLiteral("Tamanho esperado do registro");
    if (t == QLatin1String("A")) return QStringLiteral("Bytes restantes no arquivo");
    return QString();
}
}  // namespace

void LayoutRptErrosEstrutura(TdmRaveRelatorios& dm, report::ReportRun& run, Canvas& canvas) {
    report::ReportDataSet& stru = run.dataSet(QStringLiteral("rvdsEstrutura"));
    db::DataSet& data = stru.data();
    const QString title = QStringLiteral("Relatório de Erros na Estrutura do Arquivo");
    const QString versao = run.param(QStringLiteral("Versao"));
    const QString arquivo = run.param(QStringLiteral("anobase"));
    const QStringList lines{yearLine(run.param(QStringLiteral("AnoBase1"))),
                            arquivo.trimmed().isEmpty() ? QString() : QStringLiteral("Arquivo: ") + arquivo};
    canvas.setPageHeader([title, lines](Canvas& c) { StandardPageHeader(c, title, lines); });
    canvas.newPage();
    if (data.Eof()) {
        canvas.paragraph(QStringLiteral("Nenhum erro de estrutura encontrado."), kBody);
        StandardPageFooter(canvas, versao);
        return;
    }
    const TableLayout table = fitted(canvas, columns({{55, report::AlignLeft}, {115, report::AlignLeft}, {175, report::AlignLeft},
                                     {45, report::AlignRight}, {120, report::AlignLeft}}, canvas.width()),
                            {QStringLiteral("Sequência"), QStringLiteral("Inscrição/Prefixo"), QStringLiteral("Informação"),
                             QStringLiteral("Posição"), QStringLiteral("Conteúdo")});
    QString lastCode;
    bool open = false;
    for (; !data.Eof(); data.Next()) {
        const QString code = data.FieldByName(QStringLiteral("CoMsg")).AsString().trimmed();
        if (code != lastCode || !open) {
            if (open) endTable(canvas);
            lastCode = code;
            groupHeading(canvas, QStringLiteral("Erro ") + codeAndText(dm, run, code));
            beginTable(canvas, table);
            open = true;
        }
        canvas.tableRow(table.columns,
                        {stru.text(QStringLiteral("Sequencia")), stru.text(QStringLiteral("InscricaoPrefixo")),
                         tipoCampoText(data.FieldByName(QStringLiteral("TipoCampo")).AsString()),
                         stru.text(QStringLiteral("PosicaoInicial")), stru.text(QStringLiteral("Conteudo"))},
                        kBody);
    }
    if (open) endTable(canvas);
StandardPageFooter(canvas, versao);
}

// --- rptImportacao: what the import did with each chosen establishment -----

void LayoutRptImportacao(TdmRaveRelatorios& dm, report::ReportRun& run, Canvas& canvas) {
    const QString title = QStringLiteral("Relatório de Importação");
    const QString versao = run.param(QStringLiteral("Versao"));
    const QString arquivo = run.param(QStringLiteral("anobase"));
    const QStringList lines{yearLine(run.param(QStringLiteral("AnoBase1"))),
                            arquivo.trimmed().isEmpty() ? QString() : QStringLiteral("Arquivo importado do ano ") + arquivo};
    canvas.setPageHeader([title, lines](Canvas& c) { StandardPageHeader(c, title, lines); });
    canvas.newPage();

    report::ReportDataSet& imp = run.dataSet(QStringLiteral("rvdsImportacao"));
    db::DataSet& data = imp.data();
    const TableLayout table = fitted(canvas, columns({{92, report::AlignLeft}, {40, report::AlignCenter}, {78, report::AlignLeft},
                                     {55, report::AlignRight}, {52, report::AlignRight}, {52, report::AlignRight},
                                     {52, report::AlignRight}, {30, report::AlignCenter}}, canvas.width()),
                            {QStringLiteral("Inscrição"), QStringLiteral("Prefixo"), QStringLiteral("CEI vinculado"),
                             QStringLiteral("Vínculos no arquivo"), QStringLiteral("Desligados"), QStringLiteral("Duplicados"),
                             QStringLiteral("Importados"), QStringLiteral("Obs.")});
    if (data.Eof()) {
        canvas.paragraph(QStringLiteral("Nenhum estabelecimento foi importado."), kBody);
    } else {
        groupHeading(canvas, QStringLiteral("Estabelecimentos selecionados"));
        beginTable(canvas, table);
        for (; !data.Eof(); data.Next()) {
            canvas.tableRow(table.columns,
                            {imp.text(QStringLiteral("Cocgcceiestabelecimento")), imp.text(QStringLiteral("Nuprefixoestabelecimento")),
                             imp.text(QStringLiteral("Cocgcvinculado")), imp.text(QStringLiteral("Nuvinculosestabelecimento")),
                             imp.text(QStringLiteral("Nutotaldesligados")), imp.text(QStringLiteral("Nutotalduplicados")),
                             imp.text(QStringLiteral("Nutotalimportados")), imp.text(QStringLiteral("Seq"))},
                            kBody);
        }
        endTable(canvas);
    }

    report::ReportDataSet& seqs = run.dataSet(QStringLiteral("rvdsSequencia"));
    if (!seqs.data().Eof()) {
        groupHeading(canvas, QStringLiteral("Observações"));
        const QList<Column> legend = columns({{40, report::AlignLeft}, {470, report::AlignLeft}}, canvas.width());
        for (; !seqs.data().Eof(); seqs.data().Next()) {
            const QString seq = seqs.data().FieldByName(QStringLiteral("seq")).AsString().trimmed();
            canvas.tableRow(legend,
                            {QStringLiteral("(%1)").arg(seq), codeAndText(dm, run, seqs.data().FieldByName(QStringLiteral("coimp")).AsString())},
                            kBody);
        }
        canvas.y += 6;
    }

    report::ReportDataSet& todos = run.dataSet(QStringLiteral("rvdsTodos"));
    int estabelecimentos = 0;
    qint64 importados = 0, duplicados = 0, desligados = 0;
    for (; !todos.data().Eof(); todos.data().Next()) {
        ++estabelecimentos;
        importados += todos.data().FieldByName(QStringLiteral("NuTotalImportados")).AsString().trimmed().toLongLong();
        duplicados += todos.data().FieldByName(QStringLiteral("NuTotalDuplicados")).AsString().trimmed().toLongLong();
        desligados += todos.data().FieldByName(QStringLiteral("NuTotalDesligados")).AsString().trimmed().toLongLong();
    }
    groupHeading(canvas, QStringLiteral("Totais"));
    const QList<Column> totals = columns({{300, report::AlignLeft}, {80, report::AlignRight}, {130, report::AlignLeft}},
                                         canvas.width());
    canvas.tableRow(totals, {QStringLiteral("Estabelecimentos selecionados"), QString::number(estabelecimentos)}, kBody);
    canvas.tableRow(totals, {QStringLiteral("Vínculos importados"), QString::number(importados)}, kBody);
    canvas.tableRow(totals, {QStringLiteral("Vínculos já existentes (não importados)"), QString::number(duplicados)}, kBody);
    canvas.tableRow(totals, {QStringLiteral("Vínculos desligados no ano anterior (não importados)"), QString::number(desligados)},
                    kBody);
    StandardPageFooter(canvas, versao);
}
