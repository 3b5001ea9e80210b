// The declaration reports of RvProject2: "RelatorioCompleto" (every column of
// the establishment, the person responsible and each contract),
// "RelatorioResumido" (the establishment and one line per contract) and
// "Transmissao" (the receipt of a transmitted file).
#include "RelatoriosLobrix.h"
#include "udmRaveRelatorios.h"

#include <QHash>
#include <algorithm>

using report::Canvas;
using report::Column;
using report::Font;

namespace {
const Font kBody{7.5};
const Font kLabel{7.5, true};
const Font kGroup{9.5, true};
const Font kContractTitle{8, true};
// A contract's many fields, packed so that several fit a page.
const Font kSmallBody{6.5};
const Font kSmallLabel{6.5, true};

// A field of the report: its column in qrConsulta, the catalogue code whose
// text names it, and a qualifier for codes that name several fields.
struct ReportField {
    const char* column;
    const char* label;
    const char* qualifier = nullptr;
    const char* caption = nullptr;  // for a column no catalogue code names
};

const ReportField kEstablishment[] = {
    {"CoCgcCeiEstabelecimento", "1600"}, {"InInscrEstabelecimento", "1601"}, {"NuPrefixoEstabelecimento", "1602"},
    {"CoCgcVinculado", "1603"}, {"NoRazaoEstabelecimento", "1604"}, {"AnBase", "1658"},
    {"EdEstabelecimento", "1605"}, {"NuEnderecoEstabelecimento", "1606"}, {"TxComplemEstabelecimento", "1607"},
    {"NoBairroEstabelecimento", "1608"}, {"CoCepEstabelecimento", "1609"}, {"CoMunicipio", "1610"},
    {"NoMunicEstabelecimento", "3667"}, {"SgUf", "1612"}, {"NuDDD", "1613"}, {"NuTelefone", "1614"},
    {"TxEmailEstabelecimento", "1617"}, {"CoCnae2", "1618"}, {"CoCnae", nullptr, nullptr, "CNAE anterior"},
    {"CoNaturezaJuridica", "1619"}, {"MeDataBase", "1620"}, {"NuProprietEstabelecimento", "1621"},
    {"InZuvoNegEstabelecimento", "1622"}, {"InAtividadeAnoBase", "3669"}, {"TxUsoEstabelecimento", "1623"},
    {"NuVinculosEstabelecimento", "1661"}, {"NuEstrangeirosEstabelec", "1659"}, {"InPorte", "3520"},
    {"InOptanteSimples", "3123"}, {"InEncerramentoAtividade", "1668"}, {"DaEncerramentoAtividade", "1669"},
    {"InParticipaPAT", "3122"}, {"NuVinculoPatMaior5", "3610"}, {"NuVinculoPatMenor5", "3611"},
    {"PoServicoProprio", "3612"}, {"PoAdmCozinha", "3613"}, {"PoRefeicaoConvenio", "3614"},
    {"PoRefeicaoTransportadora", "3615"}, {"PoCestaAlimento", "3616"}, {"PoAlimentacaoConvenio", "3617"},
    {"CoCNPJAssociativa", "3650"}, {"VaGlobalAssociativa", "3651"}, {"CoCNPJSindical", "3652"},
    {"VaGlobalSindical", "3653"}, {"CoCNPJAssistencial", "3654"}, {"VaGlobalAssistencial", "3655"},
    {"CoCNPJConfederativa", "3656"}, {"VaGlobalConfederativa", "3657"}, {"InSindicalizada", "3703"},
    {"InCentralizada", "3726"}, {"CoCNPJCentralizada", "3705"},
};

const ReportField kResponsible[] = {
    {"CoCgcCeiResponsavel", "1599"}, {"InInscrResponsavel", "1601"}, {"NoResponsavelArquivo", "1604"},
    {"EdLogradouroRespArquivo", "1605"}, {"NuLogradouroRespArquivo", "1606"}, {"TxComplementoRespArquivo", "1607"},
    {"NoBairroRespArquivo", "1608"}, {"CoCepRespArquivo", "1609"}, {"CoMunicipioRespArquivo", "1610"},
    {"NoMunicipioRespArquivo", "3667"}, {"SgUfRespArquivo", "1612"}, {"NuFoneDDD", "1613"},
    {"NuFoneAssinante", "1614"}, {"TxEMailRespArquivo", "1617"}, {"CoCpfResponsavel", "3737"},
    {"NoResponsavelDeclaracao", "3738"}, {"DaNascimentoRespArquivo", "3760"}, {"InRetificacao", "1660"},
    {"DaRetificacao", "1615"}, {"CoCrea", "3736"}, {"DaGeracao", "1616"},
};

const ReportField kContract[] = {
    {"CoPisPasepEmpregado", "1624"}, {"NoEmpregado", "1625"}, {"DaNascimentoEmpregado", "1626"},
    {"InSexo", "3523"}, {"CoTipoRaca", "1667"}, {"CoNacionalidade", "1627"}, {"AnChegadaEmpregado", "1628"},
    {"CoInstrucao", "1629"}, {"InDeficienteFisico", "3620"}, {"CoDeficienteFisico", "3623"},
    {"NuCartTrabEmpregado", "1630"}, {"SeCartTrabEmpregado", "3700"}, {"CoCpfEmpregado", "1631"},
    {"DaAdmissaoEmpregado", "1632"}, {"CoTipoAdmissao", "1633"}, {"VaSalContratualEmpregado", "1634"},
    {"CoTipoSalarioContratual", "1635"}, {"HoSemanaisEmpregado", "1636"}, {"CoCbo", "1637"},
    {"CoVinculo", "1638"}, {"InAlvaraEmpregado", "3621"}, {"CoCausaDesligamento", "1639"},
    {"DaDesligamentoEmpregado", "1640"}, {"VaAvisoPrevioEmpregado", "3511"}, {"Me13AdiantamentoEmpregado", "1653"},
    {"Va13AdiantamentoEmpregado", "1654"}, {"Me13ParcelaFinalEmpregado", "1655"}, {"Va13ParcelaFinalEmpregado", "1656"},
    {"CoMotivoPrimAfas", "3636", "1"}, {"DaInicioprimeiroAfas", "3637", "início 1"}, {"DaFinalPrimeiroAfas", "3637", "fim 1"},
    {"CoMotivoSeguAfas", "3636", "2"}, {"DaInicioSegundoAfas", "3637", "início 2"}, {"DaFinalSegundoAfas", "3637", "fim 2"},
    {"CoMotivoTercAfas", "3636", "3"}, {"DaInicioTerceiroAfas", "3637", "início 3"}, {"DaFinalTerceiroAfas", "3637", "fim 3"},
    {"QtDiasAfas", "3641"}, {"InSindicalizadoVinculo", "3703"},
    {"CoCNPJPrimAssociativa", "3754"}, {"VaGlobalPrimAssociativa", "3651", "1"},
    {"CoCNPJSegAssociativa", "3755"}, {"VaGlobalSegAssociativa", "3651", "2"},
    {"CoCNPJSindical_1", "3652"}, {"VaGlobalSindical_1", "3653"}, {"CoCNPJAssistencial_1", "3654"},
    {"VaGlobalAssistencial_1", "3655"}, {"CoCNPJConfederativa_1", "3656"}, {"VaGlobalConfederativa_1", "3657"},
    {"VaGlobalFerias", "3658"}, {"VaGlobalMultas", "3659"}, {"VaGlobalBcoHoras", "3660"}, {"QtCompBcoHoras", "3661"},
    {"VaGlobalDissidio", "3662"}, {"QtCompDissidio", "3663"}, {"VaGlobalGratificacoes", "3664"},
    {"QtCompGratificacoes", "3665"}, {"CoMunicipioTrabalho", "3671"}, {"TxUsoEmpregado", "1623"},
    {"CoCgcVinculado_1", "1603"}, {"NuSequencialRegistro_1", "1662"},
};

const char* const kMonths[] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                               "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};
const char* const kMonthCaptions[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

template <size_t N>
int indexOf(const ReportField (&fields)[N], const char* column) {
    for (size_t i = 0; i < N; ++i)
        if (qstrcmp(fields[i].column, column) == 0) return int(i);
    return -1;
}

// The captions of a report's fields, read once per run.
QStringList captionsOf(TdmRaveRelatorios& dm, const ReportField* fields, int n) {
    QStringList out;
    QHash<QString, QString> texts;
    for (int i = 0; i < n; ++i) {
        const ReportField& f = fields[i];
        QString caption;
        if (f.label) {
            const QString code = QString::fromLatin1(f.label);
            if (!texts.contains(code)) texts.insert(code, dm.MessageText(code));
            caption = texts.value(code);
            if (caption.isEmpty()) caption = QString::fromLatin1(f.column);
        } else {
            caption = QString::fromUtf8(f.caption);
        }
        if (f.qualifier) caption += QStringLiteral(" (") + QString::fromUtf8(f.qualifier) + QLatin1Char(')');
        out << caption;
    }
    return out;
}

// Label and value pairs, `perRow` pairs a row. The values' column is at
// least as wide as their longest word (a CNPJ, a date), which the labels'
// column gives up, so a value wraps only at its blanks.
void pairsGrid(Canvas& canvas, const QStringList& labels, const QStringList& values, int perRow,
               const Font& font = kBody, double labelShare = 0.45) {
    QList<Column> columns;
    const double pair = canvas.width() / perRow;
    double widestWord = 0;
    for (const QString& value : values)
        for (const QString& word : value.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widestWord = std::max(widestWord, canvas.textWidth(word, font));
    const double valueShare = (widestWord + 2 * report::kCellPad + 1) / pair;
    labelShare = std::clamp(std::min(labelShare, 1 - valueShare), 0.3, labelShare);
    for (int i = 0; i < perRow; ++i)
        columns << Column{pair * labelShare, report::AlignLeft} << Column{pair * (1 - labelShare), report::AlignLeft};
    for (int i = 0; i < labels.size(); i += perRow) {
        QStringList cells;
        for (int j = i; j < i + perRow; ++j) cells << labels.value(j) << values.value(j);
        canvas.tableRow(columns, cells, font);
    }
}

// A heading; `keepWith` is the room of what must follow it on the same page.
void heading(Canvas& canvas, const QString& text, const Font& font = kGroup, double keepWith = 0) {
    canvas.ensureSpace(3 * canvas.lineHeight(font) + keepWith);
    canvas.y += 3;
    canvas.paragraph(text, font);
    canvas.line(canvas.left(), canvas.y, canvas.right(), canvas.y, 0.4);
    canvas.y += 2;
}

// The room a contract of the complete report asks for before it starts.
double contractRoom(const Canvas& canvas) { return 30 * canvas.lineHeight(kSmallBody); }

QStringList valuesOf(report::ReportDataSet& ds, const ReportField* fields, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) out << ds.text(QString::fromLatin1(fields[i].column)).trimmed();
    return out;
}

QString key(db::DataSet& data) {
    return data.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString() + QLatin1Char('|') +
           data.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
}

bool hasContract(db::DataSet& data) {
    return !data.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString().isEmpty() ||
           !data.FieldByName(QStringLiteral("NoEmpregado")).AsString().isEmpty();
}

QStringList headerLines(report::ReportRun& run) {
    QStringList lines{QStringLiteral("Ano-base: ") + run.param(QStringLiteral("AnoBase")),
                      QStringLiteral("Classificação: ") + run.param(QStringLiteral("Classificacao"))};
    const QString crea = run.param(QStringLiteral("CoCrea")).trimmed();
    if (!crea.isEmpty()) lines << QStringLiteral("Recibo: ") + crea;
    return lines;
}

void establishmentBlock(Canvas& canvas, report::ReportDataSet& ds, const QStringList& captions) {
    const QString title = ds.text(QStringLiteral("CoCgcCeiEstabelecimento")).trimmed() + QStringLiteral("  ") +
                          ds.data().FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString() +
                          QStringLiteral("  ") + ds.data().FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString();
    heading(canvas, QStringLiteral("Estabelecimento: ") + title);
    pairsGrid(canvas, captions, valuesOf(ds, kEstablishment, int(std::size(kEstablishment))), 2);
}

enum class Kind { Complete, Summary };

void layoutDeclaration(TdmRaveRelatorios& dm, report::ReportRun& run, Canvas& canvas, Kind kind) {
    report::ReportDataSet& ds = run.dataSet(QStringLiteral("rvdsConsulta"));
    db::DataSet& data = ds.data();
    const QString title = run.param(QStringLiteral("TipoRelatorio"));
    const QStringList lines = headerLines(run);
    canvas.setPageHeader([title, lines](Canvas& c) { StandardPageHeader(c, title, lines); });
    canvas.setFooter(StandardFooter(run.param(QStringLiteral("Versao"))));
    canvas.newPage();
    if (data.Eof()) {
        canvas.paragraph(QStringLiteral("Nenhum estabelecimento selecionado."), kBody);
        canvas.finish();
        return;
    }
    const QStringList establishmentCaptions = captionsOf(dm, kEstablishment, int(std::size(kEstablishment)));
    const QStringList responsibleCaptions = captionsOf(dm, kResponsible, int(std::size(kResponsible)));
    const QStringList contractCaptions = captionsOf(dm, kContract, int(std::size(kContract)));
    const QString payCaption = QStringLiteral("Remuneração");
    const QString hoursCaption = dm.MessageText(QStringLiteral("3670"));

    // Summary: one line per contract under these titles.
    const QStringList summaryTitles{contractCaptions.value(0), contractCaptions.value(1), QStringLiteral("Admissão"),
                                    QStringLiteral("Desligamento"), QStringLiteral("CBO"), contractCaptions.value(indexOf(kContract, "TxUsoEmpregado"))};
    const QList<Column> summaryColumns =
        canvas.fitTitles({{70, report::AlignLeft}, {190, report::AlignLeft}, {55, report::AlignLeft},
                          {55, report::AlignLeft}, {40, report::AlignLeft}, {100, report::AlignLeft}},
                         summaryTitles, kLabel);
    // Complete: the months of a contract as one small table.
    QList<Column> monthColumns{{80, report::AlignLeft}};
    for (int m = 0; m < 12; ++m) monthColumns << Column{(canvas.width() - 80) / 12, report::AlignRight};
    QStringList monthTitles{QString()};
    for (const char* m : kMonthCaptions) monthTitles << QString::fromLatin1(m);

    QString current;
    int number = 0;
    for (; !data.Eof(); data.Next()) {
        const QString k = key(data);
        if (k != current) {
            if (!current.isEmpty()) {
                canvas.setRepeatHeader(nullptr);
                canvas.newPage();
            }
            current = k;
            number = 0;
            establishmentBlock(canvas, ds, establishmentCaptions);
            if (kind == Kind::Complete) {
                heading(canvas, QStringLiteral("Responsável pela declaração"));
                pairsGrid(canvas, responsibleCaptions, valuesOf(ds, kResponsible, int(std::size(kResponsible))), 2);
            }
            // The heading stays with the first contract, never alone at a page's foot.
            double firstContract = canvas.lineHeight(kBody);
            if (hasContract(data))
                firstContract = kind == Kind::Complete ? contractRoom(canvas)
                                                       : 2 * (canvas.lineHeight(kLabel) + 2 * report::kCellPad);
            heading(canvas, QStringLiteral("Empregados/Servidores"), kGroup, firstContract);
            if (!hasContract(data)) {
                canvas.paragraph(QStringLiteral("Nenhum vínculo informado."), kBody);
                continue;
            }
            if (kind == Kind::Summary) {
                canvas.tableRow(summaryColumns, summaryTitles, kLabel, true);
                canvas.setRepeatHeader([summaryColumns, summaryTitles](Canvas& c) {
                    c.tableRow(summaryColumns, summaryTitles, kLabel, true);
                });
            }
        }
        if (!hasContract(data)) continue;
        ++number;
        if (kind == Kind::Summary) {
            canvas.tableRow(summaryColumns,
                            {ds.text(QStringLiteral("CoPisPasepEmpregado")), ds.text(QStringLiteral("NoEmpregado")),
                             ds.text(QStringLiteral("DaAdmissaoEmpregado")), ds.text(QStringLiteral("DaDesligamentoEmpregado")),
                             ds.text(QStringLiteral("CoCbo")), ds.text(QStringLiteral("TxUsoEmpregado"))},
                            kBody);
            continue;
        }
        // Complete: the contract's fields, its pay and its hours by month.
        canvas.ensureSpace(contractRoom(canvas));
        canvas.y += 2;
        canvas.text(canvas.left(), canvas.y, canvas.width(),
                    QStringLiteral("%1. %2  %3").arg(number).arg(ds.text(QStringLiteral("NoEmpregado")).trimmed(),
                                                                 ds.text(QStringLiteral("CoPisPasepEmpregado"))),
                    kContractTitle);
        canvas.y += canvas.lineHeight(kContractTitle);
        pairsGrid(canvas, contractCaptions, valuesOf(ds, kContract, int(std::size(kContract))), 4, kSmallBody, 0.52);
        QStringList pay{payCaption}, hours{hoursCaption};
        for (const char* m : kMonths) {
            pay << ds.text(QStringLiteral("Va%1Empregado").arg(QString::fromLatin1(m)));
            hours << ds.text(QStringLiteral("HoTrabalhadas%1").arg(QString::fromLatin1(m)));
        }
        canvas.tableRow(monthColumns, monthTitles, kSmallLabel, true);
        canvas.tableRow(monthColumns, pay, kSmallBody);
        canvas.tableRow(monthColumns, hours, kSmallBody);
        canvas.line(canvas.left(), canvas.y + 1, canvas.right(), canvas.y + 1, 0.3);
        canvas.y += 3;
    }
    canvas.setRepeatHeader(nullptr);
    canvas.finish();
}
}  // namespace

void LayoutRelatorioCompleto(TdmRaveRelatorios& dm, report::ReportRun& run, Canvas& canvas) {
    layoutDeclaration(dm, run, canvas, Kind::Complete);
}

void LayoutRelatorioResumido(TdmRaveRelatorios& dm, report::ReportRun& run, Canvas& canvas) {
    layoutDeclaration(dm, run, canvas, Kind::Summary);
}

// --- the transmission receipt ---------------------------------------------

void LayoutTransmissao(report::ReportRun& run, Canvas& canvas) {
    const QString ano = run.param(QStringLiteral("AnoBase"));
    canvas.setPageHeader([ano](Canvas& c) {
        StandardPageHeader(c, QStringLiteral("Protocolo de Transmissão"), {QStringLiteral("Declaração ZUVO - Ano-base: ") + ano});
    });
    canvas.setFooter(StandardFooter(QString()));
    canvas.newPage();
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("Número do recibo"), run.param(QStringLiteral("CREA"))},
        {QStringLiteral("CNPJ/CEI"), run.param(QStringLiteral("CNPJ"))},
        {QStringLiteral("Quantidade de estabelecimentos"), run.param(QStringLiteral("QtdEstab"))},
        {QStringLiteral("Quantidade de vínculos"), run.param(QStringLiteral("QtdVinc"))},
        {QStringLiteral("Recebido em"), run.param(QStringLiteral("Data")) + run.param(QStringLiteral("Hora"))},
        {QStringLiteral("Controle do arquivo (CRC)"), run.param(QStringLiteral("CRCArqZuvo"))},
        {QStringLiteral("Código de autenticação"), run.param(QStringLiteral("Hash"))},
        {QStringLiteral("Controle do recibo"), run.param(QStringLiteral("CRCRecibo"))},
    };
    const QList<Column> columns{{canvas.width() * 0.4, report::AlignLeft}, {canvas.width() * 0.6, report::AlignLeft}};
    canvas.y += 12;
    for (const auto& [label, value] : rows) canvas.tableRow(columns, {label, value}, Font{10, true});
    canvas.y += 12;
    canvas.paragraph(QStringLiteral("A declaração identificada acima foi recebida e aceita."), Font{10});
    canvas.finish();
}
