#include "udmRaveRelatorios.h"

#include "RelatoriosLobrix.h"
#include "UdmLobrix.h"
#include "platform/ui/MessageService.h"
#include "ugFuncoes.h"

TdmRaveRelatorios* dmRaveRelatorios = nullptr;

namespace {
const QString kZeros14 = QStringLiteral("00000000000000");

// "#,###,##0.00" with the separators the main window puts in force: decimal
// comma, thousands dot.
QString formatCents(qint64 cents) {
    const bool negative = cents < 0;
    if (negative) cents = -cents;
    QString whole = QString::number(cents / 100);
    for (int i = int(whole.size()) - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char('.'));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') +
           QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString dayMonthYear(const QString& v) {
    return v.mid(0, 2) + QLatin1Char('/') + v.mid(2, 2) + QLatin1Char('/') + v.mid(4, 4);
}
}  // namespace

TdmRaveRelatorios::TdmRaveRelatorios()
    : database(dmLobrix ? dmLobrix->dbZuvo : TdmLobrix::OpenAlias()),
      quProtocolo(database),
      quContavinc(database),
      qrConsulta(database),
      quErros(database),
      ta8Msg(database, QStringLiteral("tb8MSG.DB")),
      quErroStru(database),
      ta8importacao(database, QStringLiteral("te8imp.DB")),
      quSequencias(database),
      quTodos(database),
      RvQueryConnection1(QStringLiteral("RvQueryConnection1"), quProtocolo),
      rvdsConsulta(QStringLiteral("rvdsConsulta"), qrConsulta),
      rvdsContavinc(QStringLiteral("rvdsContavinc"), quContavinc),
      rvdsErro(QStringLiteral("rvdsErro"), quErros),
      rvdsMsg(QStringLiteral("rvdsMsg"), ta8Msg),
      rvdsEstrutura(QStringLiteral("rvdsEstrutura"), quErroStru),
      rvdsImportacao(QStringLiteral("rvdsImportacao"), ta8importacao),
      rvdsSequencia(QStringLiteral("rvdsSequencia"), quSequencias),
      rvdsTodos(QStringLiteral("rvdsTodos"), quTodos),
      RvProtocolo(QStringLiteral("RvProtocolo"), RvSystem1),
      RvProject2(QStringLiteral("RvProject2"), RvSystem1),
      rvprjErro(QStringLiteral("rvprjErro"), RvSystem1) {
    quProtocolo.SetSQL(QStringLiteral(
        "select  *\n from te8ProId Identificacao, te8ProEs Estabelecimentos\n"
        "where Identificacao.NuDisquete = Estabelecimentos.NuDisquete\norder by Identificacao.NuDisquete"));
    quContavinc.SetSQL(QStringLiteral("select *\nfrom  BD8VInc Vinculo\nwhere  Vinculo.cocgcceiestabelecimento =:sCgcCei"));
    qrConsulta.SetSQL(QStringLiteral(
        "select *\nfrom  BD8EMP Empresa,BD8VInc Vinculo, BD8Resp Responsavel\n"
        "where  Empresa.cocgcceiestabelecimento = Vinculo.cocgcceiestabelecimento and\n"
        "Empresa.cocgcceiestabelecimento in (:sCGcCei) and\nEmpresa.nuprefixoestabelecimento = :sPrefixo"));
    quErros.SetSQL(QStringLiteral("select * from te8errwa"));
    quErroStru.SetSQL(QStringLiteral("select *\nfrom te8stru\norder by sequencia"));
    // An empty code was null for the original engine and matched no comparison.
    quSequencias.SetSQL(QStringLiteral(
        "select distinct seq,coimp\nfrom te8imp\nwhere coimp<>'0000' and coimp<>''\nOrder by seq"));
    quTodos.SetSQL(QStringLiteral("select *\nfrom te8imp"));

    RvProtocolo.addDataSet(RvQueryConnection1);
    RvProject2.addDataSet(rvdsConsulta);
    RvProject2.addDataSet(rvdsContavinc);
    for (report::ReportDataSet* ds :
         {&rvdsErro, &rvdsMsg, &rvdsEstrutura, &rvdsImportacao, &rvdsSequencia, &rvdsTodos})
        rvprjErro.addDataSet(*ds);

    bindFormatters();
    registerReports();
}

TdmRaveRelatorios::~TdmRaveRelatorios() {
    for (db::DataSet* ds : std::initializer_list<db::DataSet*>{&quProtocolo, &quContavinc, &qrConsulta, &quErros,
                                                                &ta8Msg, &quErroStru, &ta8importacao,
                                                                &quSequencias, &quTodos})
        if (ds->Active()) ds->Close();
    // The remembered texts end with the program.
    TipoEstabelecimento.clear();
    TipoResponsavel.clear();
    AnoEncerramento.clear();
    if (dmRaveRelatorios == this) dmRaveRelatorios = nullptr;
}

// --- formatters -----------------------------------------------------------

QString TdmRaveRelatorios::GetTipoEstabelecimento(const QString& value) {
    TipoEstabelecimento = value;
    return QString();
}

QString TdmRaveRelatorios::DisplayCGCCei(const QString& value) const {
    const QString type = TipoEstabelecimento.trimmed();
    if (type == QLatin1String("1") || type == QLatin1String("3")) return FormatInscricao(value, type);
    if (type == QLatin1String("4")) return FormatInscricaoOrCpf(value, type);
    return QString();
}

QString TdmRaveRelatorios::GetTipoResponsavel(const QString& value) {
    TipoResponsavel = value;
    return QString();
}

QString TdmRaveRelatorios::DisplayInscResponsavel(const QString& value) const {
    const QString type = TipoResponsavel.trimmed();
    if (type == QLatin1String("1") || type == QLatin1String("3")) return FormatInscricao(value, type);
    if (type == QLatin1String("4")) return FormatInscricaoOrCpf(value, type);
    return QString();
}

QString TdmRaveRelatorios::DisplayCPF(const QString& value) const {
    return FormatInscricaoOrCpf(value, QStringLiteral("4"));
}

QString TdmRaveRelatorios::DisplayCeiVinculado(const QString& value) const {
    // Nothing informed prints nothing, not the bare separators.
    if (value == kZeros14 || value.trimmed().isEmpty()) return QStringLiteral(" ");
    return FormatInscricao(value, QStringLiteral("3"));
}

QString TdmRaveRelatorios::DisplayCNPJ(const QString& value) const {
    if (value == kZeros14 || value.trimmed().isEmpty()) return QStringLiteral(" ");
    return FormatInscricao(value, QStringLiteral("1"));
}

QString TdmRaveRelatorios::quProtocoloDaEncerramentoAtividadeGetText(const QString& value) const {
    // No date prints nothing, not the bare separators.
    const QString v = value.trimmed();
    if (v.isEmpty() || v == QLatin1String("00000000")) return QStringLiteral(" ");
    return dayMonthYear(value);
}

QString TdmRaveRelatorios::GetAnoEncerramento(const QString& value) {
    AnoEncerramento = value.mid(4, 4);
    if (!IsAllDigits(value) || IsAllZeros(value)) return QStringLiteral("-");
    return dayMonthYear(value);
}

QString TdmRaveRelatorios::DisplayDataDeslig(const QString& value) const {
    if (!IsAllDigits(value) || IsAllZeros(value)) return QStringLiteral("-");
    const QString year = AnoEncerramento == QString::number(AnoBase + 1) ? AnoEncerramento : QString::number(AnoBase);
    return value.mid(0, 2) + QLatin1Char('/') + value.mid(2, 2) + QLatin1Char('/') + year;
}

QString TdmRaveRelatorios::DisplayDatas(const QString& value) const {
    if (!IsAllDigits(value)) return QString();
    if (IsAllZeros(value)) return QStringLiteral("-");
    return value.mid(0, 2) + QLatin1Char('/') + value.mid(2, 2);
}

QString TdmRaveRelatorios::DisplayTrim(const QString& value) const {
    if (IsAllZeros(value)) return QStringLiteral("-");
    return StripLeadingZeros(value);
}

QString TdmRaveRelatorios::DisplayTrimPAT(const QString& value) const {
    if (IsAllZeros(value)) return QStringLiteral("0%");
    return StripLeadingZeros(value) + QLatin1Char('%');
}

QString TdmRaveRelatorios::DisplayCodMunicipio(const QString& value) const {
    if (value == QLatin1String("0000000")) return QStringLiteral(" ");
    return value.mid(0, 2) + QLatin1Char('-') + value.mid(2, 5);
}

QString TdmRaveRelatorios::DisplayBranco(const QString& value) const {
    if (value == QLatin1String("0000") || value == QLatin1String("00000000000")) return QStringLiteral(" ");
    return QString();
}

// Whole part and cents cut from the stored width, as the amount is stored.
static QString formatStoredCents(const QString& value, int width) {
    const QString v = value.trimmed();
    const qint64 whole = v.left(width - 2).toLongLong();
    QString cents = v.mid(width - 2, 2);
    if (cents.size() == 1) cents += QLatin1Char('0');
    return formatCents(whole * 100 + cents.toLongLong());
}

QString TdmRaveRelatorios::DisplayRemuneracao(const QString& value) const {
    if (!IsAllDigits(value)) return QString();
    return formatStoredCents(value, 9);
}

QString TdmRaveRelatorios::DisplayValorTotal(const QString& value, int width) const {
    if (!IsAllDigits(value)) return QString();
    if (IsAllZeros(value)) return QStringLiteral("0,00");
    return formatStoredCents(value, width);
}

QString TdmRaveRelatorios::MessageText(const QString& code) {
    if (code.trimmed().isEmpty()) return QString();
    if (!ta8Msg.Active()) ta8Msg.Open();
    if (!ta8Msg.FindKey({code.trimmed()})) return QString();
    return ta8Msg.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed();
}

// --- bindings -------------------------------------------------------------

void TdmRaveRelatorios::bindInscription(report::ReportDataSet& ds, const QString& inscriptionField,
                                        const QString& typeField) {
    db::DataSet* data = &ds.data();
    ds.setFormatter(typeField, [this](db::Field& f) { return GetTipoEstabelecimento(f.AsString()); });
    ds.setFormatter(inscriptionField, [this, data, typeField](db::Field& f) {
        if (db::Field* type = data->FindField(typeField)) GetTipoEstabelecimento(type->AsString());
        return DisplayCGCCei(f.AsString());
    });
}

void TdmRaveRelatorios::bindFormatters() {
    using F = report::ReportDataSet::Formatter;
    auto bind = [](report::ReportDataSet& ds, const QStringList& fields, const F& f) {
        for (const QString& name : fields) ds.setFormatter(name, f);
    };
    const F ceiVinculado = [this](db::Field& f) { return DisplayCeiVinculado(f.AsString()); };
    const F trim = [this](db::Field& f) { return DisplayTrim(f.AsString()); };

    // quProtocolo
    bindInscription(RvQueryConnection1, QStringLiteral("CoCgcCeiEstabelecimento"), QStringLiteral("InInscrEstabelecimento"));
    bindInscription(RvQueryConnection1, QStringLiteral("CoCgcCeiEstabelecimento_1"), QStringLiteral("InInscrEstabelecimento_1"));
    bindInscription(RvQueryConnection1, QStringLiteral("CoCgcCeiResponsavel"), QStringLiteral("InInscrResponsavel"));
    bind(RvQueryConnection1, {QStringLiteral("CoCgcVinculado")}, ceiVinculado);
    bind(RvQueryConnection1, {QStringLiteral("DaEncerramentoAtividade"), QStringLiteral("DaEncerramentoAtividade_1")},
         [this](db::Field& f) { return quProtocoloDaEncerramentoAtividadeGetText(f.AsString()); });
    for (const char* name : {"CoCepEstabelecimento", "CoCepRespArquivo"})
        RvQueryConnection1.setDisplayMask(QString::fromLatin1(name), QStringLiteral("99999-999;0;_"));
    for (const char* name : {"NuDDD", "NuFoneDDD"})
        RvQueryConnection1.setDisplayMask(QString::fromLatin1(name), QStringLiteral("(99);0;_"));

    // quContavinc: its "type" is the contract's prefix, so the inscription prints as stored.
    bindInscription(rvdsContavinc, QStringLiteral("CoCgcCeiEstabelecimento"), QStringLiteral("NuPrefixoEstabelecimento"));

    // qrConsulta
    bindInscription(rvdsConsulta, QStringLiteral("cocgcceiestabelecimento"), QStringLiteral("InInscrEstabelecimento"));
    bindInscription(rvdsConsulta, QStringLiteral("cocgcceiestabelecimento_1"), QStringLiteral("NuPrefixoEstabelecimen_1"));
    rvdsConsulta.setFormatter(QStringLiteral("InInscrResponsavel"),
                              [this](db::Field& f) { return GetTipoResponsavel(f.AsString()); });
    rvdsConsulta.setFormatter(QStringLiteral("CoCgcCeiResponsavel"), [this](db::Field& f) {
        if (db::Field* type = qrConsulta.FindField(QStringLiteral("InInscrResponsavel"))) GetTipoResponsavel(type->AsString());
        return DisplayInscResponsavel(f.AsString());
    });
    rvdsConsulta.setFormatter(QStringLiteral("CoCpfResponsavel"), [this](db::Field& f) { return DisplayCPF(f.AsString()); });
    bind(rvdsConsulta, {QStringLiteral("CoCgcVinculado"), QStringLiteral("CoCgcVinculado_1")}, ceiVinculado);
    bind(rvdsConsulta,
         {QStringLiteral("CoCNPJAssociativa"), QStringLiteral("CoCNPJSindical"), QStringLiteral("CoCNPJAssistencial"),
          QStringLiteral("CoCNPJConfederativa"), QStringLiteral("CoCNPJSindical_1"), QStringLiteral("CoCNPJPrimAssociativa"),
          QStringLiteral("CoCNPJSegAssociativa"), QStringLiteral("CoCNPJAssistencial_1"), QStringLiteral("CoCNPJConfederativa_1"),
          QStringLiteral("CoCNPJCentralizada")},
         [this](db::Field& f) { return DisplayCNPJ(f.AsString()); });
    // The person responsible's dates as dates; one never given stays blank.
    bind(rvdsConsulta,
         {QStringLiteral("DaNascimentoRespArquivo"), QStringLiteral("DaRetificacao"), QStringLiteral("DaGeracao")},
         [](db::Field& f) {
             const QString v = f.AsString().trimmed();
             return v.isEmpty() || IsAllZeros(v) ? QStringLiteral(" ") : dayMonthYear(v);
         });
    rvdsConsulta.setFormatter(QStringLiteral("DaEncerramentoAtividade"),
                              [this](db::Field& f) { return GetAnoEncerramento(f.AsString()); });
    rvdsConsulta.setFormatter(QStringLiteral("DaDesligamentoEmpregado"), [this](db::Field& f) {
        // The closing year of the same row, whatever the reading order.
        if (db::Field* closing = qrConsulta.FindField(QStringLiteral("DaEncerramentoAtividade")))
            GetAnoEncerramento(closing->AsString());
        return DisplayDataDeslig(f.AsString());
    });
    bind(rvdsConsulta,
         {QStringLiteral("DaInicioprimeiroAfas"), QStringLiteral("DaFinalPrimeiroAfas"), QStringLiteral("DaInicioSegundoAfas"),
          QStringLiteral("DaFinalSegundoAfas"), QStringLiteral("DaInicioTerceiroAfas"), QStringLiteral("DaFinalTerceiroAfas")},
         [this](db::Field& f) { return DisplayDatas(f.AsString()); });
    bind(rvdsConsulta,
         {QStringLiteral("NuEnderecoEstabelecimento"), QStringLiteral("NuLogradouroRespArquivo"),
          QStringLiteral("NuProprietEstabelecimento"),
          QStringLiteral("NuVinculosEstabelecimento"), QStringLiteral("AnChegadaEmpregado"),
          QStringLiteral("CoCausaDesligamento"), QStringLiteral("NuVinculoPatMaior5"), QStringLiteral("NuVinculoPatMenor5")},
         trim);
    bind(rvdsConsulta,
         {QStringLiteral("PoAdmCozinha"), QStringLiteral("PoServicoProprio"), QStringLiteral("PoRefeicaoConvenio"),
          QStringLiteral("PoRefeicaoTransportadora"), QStringLiteral("PoCestaAlimento"), QStringLiteral("PoAlimentacaoConvenio")},
         [this](db::Field& f) { return DisplayTrimPAT(f.AsString()); });
    rvdsConsulta.setFormatter(QStringLiteral("CoMunicipioTrabalho"),
                              [this](db::Field& f) { return DisplayCodMunicipio(f.AsString()); });
    rvdsConsulta.setFormatter(QStringLiteral("NoRazaoEstabelecimento"),
                              [this](db::Field& f) { return DisplayBranco(f.AsString()); });
    bind(rvdsConsulta,
         {QStringLiteral("VaSalContratualEmpregado"), QStringLiteral("VaJaneiroEmpregado"), QStringLiteral("VaFevereiroEmpregado"),
          QStringLiteral("VaMarcoEmpregado"), QStringLiteral("VaAbrilEmpregado"), QStringLiteral("VaMaioEmpregado"),
          QStringLiteral("VaJunhoEmpregado"), QStringLiteral("VaJulhoEmpregado"), QStringLiteral("VaAgostoEmpregado"),
          QStringLiteral("VaSetembroEmpregado"), QStringLiteral("VaOutubroEmpregado"), QStringLiteral("VaNovembroEmpregado"),
          QStringLiteral("VaDezembroEmpregado"), QStringLiteral("Va13AdiantamentoEmpregado"),
          QStringLiteral("Va13ParcelaFinalEmpregado"), QStringLiteral("VaAvisoPrevioEmpregado")},
         [this](db::Field& f) { return DisplayRemuneracao(f.AsString()); });
    // The establishment's four totals are 9 digits wide, the contract's amounts 8.
    bind(rvdsConsulta,
         {QStringLiteral("VaGlobalAssociativa"), QStringLiteral("VaGlobalSindical"), QStringLiteral("VaGlobalAssistencial"),
          QStringLiteral("VaGlobalConfederativa")},
         [this](db::Field& f) { return DisplayValorTotal(f.AsString(), 9); });
    bind(rvdsConsulta,
         {QStringLiteral("VaGlobalSindical_1"), QStringLiteral("VaGlobalPrimAssociativa"), QStringLiteral("VaGlobalSegAssociativa"),
          QStringLiteral("VaGlobalAssistencial_1"), QStringLiteral("VaGlobalConfederativa_1"), QStringLiteral("VaGlobalFerias"),
          QStringLiteral("VaGlobalMultas"), QStringLiteral("VaGlobalBcoHoras"), QStringLiteral("VaGlobalDissidio"),
          QStringLiteral("VaGlobalGratificacoes")},
         [this](db::Field& f) { return DisplayValorTotal(f.AsString(), 8); });
    const QList<QPair<const char*, const char*>> consultaMasks = {
        {"CoCepEstabelecimento", "99999-999;0;"}, {"CoCepRespArquivo", "99999-999;0;"}, {"CoMunicipio", "99-99999;0;"},
        {"CoMunicipioRespArquivo", "99-99999;0;"},
        {"NuTelefone", "0000.0000;0;_"}, {"NuFoneAssinante", "0000.0000;0;_"},
        {"CoCnae", "99.99-9;0;_"}, {"CoNaturezaJuridica", "999-9;0;_"},
        {"CoPisPasepEmpregado", "999.99999.99.9;0;_"}, {"DaAdmissaoEmpregado", "99/99/9999;0;_"},
        {"DaNascimentoEmpregado", "99/99/9999;0;_"}, {"CoCpfEmpregado", "999.999.999-99;0;_"},
        {"CoCnae2", "9999-99/9;0"}};
    for (const auto& m : consultaMasks) rvdsConsulta.setDisplayMask(QString::fromLatin1(m.first), QString::fromLatin1(m.second));

    // quTodos
    bindInscription(rvdsTodos, QStringLiteral("CoCgcCeiEstabelecimento"), QStringLiteral("InInscrEstabelecimento"));
    bind(rvdsTodos, {QStringLiteral("CoCgcVinculado")}, ceiVinculado);

    // quErros: the inscription column comes before its type column.
    bindInscription(rvdsErro, QStringLiteral("inscricao"), QStringLiteral("tipoinscricao"));
    rvdsErro.setDisplayMask(QStringLiteral("prefixo"), QStringLiteral("(99);0;_"));
    rvdsErro.setDisplayMask(QStringLiteral("copispasep"), QStringLiteral("999.99999.99.9;0;_"));
    rvdsErro.setDisplayMask(QStringLiteral("DaAdmissao"), QStringLiteral("99/99/9999;0;_"));

    // quErroStru
    rvdsEstrutura.setDisplayMask(QStringLiteral("InscricaoPrefixo"), QStringLiteral("99.999.999/9999-99(99);0;_"));

    // ta8importacao: the inscription comes before its type here too.
    bindInscription(rvdsImportacao, QStringLiteral("Cocgcceiestabelecimento"), QStringLiteral("Ininscrestabelecimento"));
    bind(rvdsImportacao, {QStringLiteral("Cocgcvinculado")}, ceiVinculado);
    bind(rvdsImportacao, {QStringLiteral("Nuvinculosestabelecimento"), QStringLiteral("Nutotaldesligados")}, trim);
    rvdsImportacao.setDisplayMask(QStringLiteral("Seq"), QStringLiteral("(99);0;_"));
}

void TdmRaveRelatorios::registerReports() {
    rvprjErro.addReport(QStringLiteral("rptErros"), [this](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRptErros(*this, run, canvas);
    });
    rvprjErro.addReport(QStringLiteral("rptErrosEstrutura"), [this](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRptErrosEstrutura(*this, run, canvas);
    });
    rvprjErro.addReport(QStringLiteral("rptImportacao"), [this](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRptImportacao(*this, run, canvas);
    });
    RvProtocolo.addReport(QStringLiteral("rptProtocolo"), [](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRptProtocolo(run, canvas);
    });
    RvProtocolo.addReport(QStringLiteral("rptEtiqueta"), [](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRptEtiqueta(run, canvas);
    });
    RvProject2.addReport(QStringLiteral("Cartela"), [](report::ReportRun& run, report::Canvas& canvas) {
        LayoutCartela(run, canvas);
    });
    RvProject2.addReport(QStringLiteral("RelatorioCompleto"), [this](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRelatorioCompleto(*this, run, canvas);
    });
    RvProject2.addReport(QStringLiteral("RelatorioResumido"), [this](report::ReportRun& run, report::Canvas& canvas) {
        LayoutRelatorioResumido(*this, run, canvas);
    });
    RvProject2.addReport(QStringLiteral("Transmissao"), [](report::ReportRun& run, report::Canvas& canvas) {
        LayoutTransmissao(run, canvas);
    });
}

// --- the file layout card -------------------------------------------------

namespace {
void runCartela(const QString& versao, int anoBase) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    dm->RvProject2.SetParam(QStringLiteral("Versao"), versao);
    dm->RvProject2.SetParam(QStringLiteral("AnoBase"), QString::number(anoBase));
    dm->RvProject2.SetParam(QStringLiteral("TipoRelatorio"), QStringLiteral("Descrição do arquivo ZUVO") + QString::number(anoBase));
    dm->RvProject2.SelectReport(QStringLiteral("Cartela"));
    dm->RvProject2.Execute();
}
}  // namespace

void VisualizarCartela(const QString& versao, int anoBase) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    if (!report::IsPrinterInstalled()) {
        dm->RvSystem1.allowPrintFromPreview = false;
        msg::ShowWarning(QStringLiteral("Não há impressoras instaladas."));
    }
    dm->RvSystem1.setDestination(report::Destination::Preview);
    runCartela(versao, anoBase);
}

void EmitirCartela(const QString& versao, int anoBase) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    if (!report::IsPrinterInstalled()) {
        msg::ShowError(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        return;
    }
    dm->RvSystem1.setDestination(report::Destination::Printer);
    runCartela(versao, anoBase);
}

bool RunDeclarationReport(bool completo, const QString& titulo, const QString& classificacao, const QString& versao,
                          int anoBase, const QString& crea) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return false;
    report::ReportProject& p = dm->RvProject2;
    p.SetParam(QStringLiteral("Versao"), versao);
    p.SetParam(QStringLiteral("AnoBase"), QString::number(anoBase));
    p.SetParam(QStringLiteral("Classificacao"), classificacao);
    p.SetParam(QStringLiteral("TipoRelatorio"), titulo);
    p.SetParam(QStringLiteral("CoCrea"), crea);
    p.SelectReport(completo ? QStringLiteral("RelatorioCompleto") : QStringLiteral("RelatorioResumido"));
    const bool ok = p.Execute();
    p.Close();
    return ok;
}

void ShowFindingsReport(const QString& errwar, int anoBase, const QString& versao) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    dm->quErros.Close();
    dm->quErros.SetSQL(QStringLiteral("Select * \nfrom Te8ErrWA where errwar = :errwar"));
    dm->quErros.ParamByName(QStringLiteral("errwar")).AsString = errwar;
    dm->quErros.Open();
    dm->RvSystem1.setDestination(report::Destination::Preview);
    dm->rvprjErro.SetParam(QStringLiteral("AnoBase1"), QString::number(anoBase));
    dm->rvprjErro.SetParam(QStringLiteral("Versao"), versao);
    dm->rvprjErro.SelectReport(QStringLiteral("rptErros"));
    dm->rvprjErro.Execute();
    dm->rvprjErro.Close();
}

bool ShowReceiptSummary(int anoBase, const QString& pdfFile) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return false;
    if (pdfFile.isEmpty()) dm->RvSystem1.setDestination(report::Destination::Preview);
    else dm->RvSystem1.setDestination(report::Destination::PdfFile, pdfFile);
    dm->RvProtocolo.SetParam(QStringLiteral("AnoBase"), QString::number(anoBase));
    dm->RvProtocolo.SelectReport(QStringLiteral("rptProtocolo"));
    const bool ok = dm->RvProtocolo.Execute();
    dm->RvProtocolo.Close();
    return ok;
}

void ShowReceiptLabels(const QString& versao) {
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    if (!dm) return;
    dm->RvSystem1.setDestination(report::Destination::Preview);
    dm->RvProtocolo.SetParam(QStringLiteral("VersaoEditada"), versao.left(4) + QStringLiteral(",V") + versao.mid(4, 3));
    dm->RvProtocolo.SelectReport(QStringLiteral("rptEtiqueta"));
    dm->RvProtocolo.Execute();
    dm->RvProtocolo.Close();
}
