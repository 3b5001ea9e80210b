#include "declfile/consulta/ConsultationViews.h"

#include "platform/db/DataSet.h"
#include "platform/db/Table.h"
#include "shell/UdmLobrix.h"
#include "shell/ugFuncoes.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace declfile {

namespace {

QString chars(const QString& s, int from, int count) { return s.mid(from - 1, count); }

// Neither empty nor all zeros once trimmed: a value the file really holds.
bool present(const QString& value) {
    const QString t = value.trimmed();
    return !t.isEmpty() && !IsAllZeros(t);
}

QString date8(const QString& d) {
    if (d.isEmpty()) return QString();
    return chars(d, 1, 2) + QLatin1Char('/') + chars(d, 3, 2) + QLatin1Char('/') + chars(d, 5, 4);
}

// "99999-999" and "99-99999" of a postcode and a municipality code.
QString postcode(const QString& cep) {
    return cep.isEmpty() ? QString() : chars(cep, 1, 5) + QLatin1Char('-') + chars(cep, 6, 3);
}
QString municipalityCode(const QString& code) {
    return code.isEmpty() ? QString() : chars(code, 1, 2) + QLatin1Char('-') + chars(code, 3, 5);
}

QString dayMonth(const QString& d) {
    return present(d) ? chars(d, 1, 2) + QLatin1Char('/') + chars(d, 3, 2) : QString();
}

// A blank amount is shown as zero.
QString money9(const QString& cents) {
    const QString t = cents.trimmed();
    return FormatMoney9Cents(t.isEmpty() ? QStringLiteral("000000000") : cents);
}
QString money8(const QString& cents) {
    const QString t = cents.trimmed();
    return FormatMoney8Cents(t.isEmpty() ? QStringLiteral("00000000") : cents);
}

QString cnpjOrEmpty(const QString& value) { return present(value) ? FormatInscricao(value, QStringLiteral("1")) : QString(); }

QString phone(const QString& ddd, const QString& number) {
    QString text;
    if (present(ddd)) text = QLatin1Char('(') + StripLeadingZeros(ddd.trimmed()) + QLatin1Char(')');
    if (present(number)) text = text.trimmed() + FormatPhone(number.trimmed());
    return text;
}

void option(ViewContent& c, const char* yes, const char* no, bool selected) {
    c.checked[QLatin1String(yes)] = selected;
    c.checked[QLatin1String(no)] = !selected;
}

}  // namespace

RowValues ValuesOf(db::DataSet& dataSet) {
    return [&dataSet](const QString& field) {
        db::Field* f = dataSet.FindField(field);
        return f ? f->AsString() : QString();
    };
}

LookupName LobrixLookupNames() {
    return [](ConsultaLookup which, const QString& code) -> std::optional<QString> {
        if (!dmLobrix) return std::nullopt;
        struct Source {
            db::Table* table;
            const char* name;
        };
        TdmLobrix& dm = *dmLobrix;
        Source s{};
        switch (which) {
        case ConsultaLookup::Cnae: s = {&dm.taCNAE, "NoCnae"}; break;
        case ConsultaLookup::NaturezaJuridica: s = {&dm.taNatJu, "NoNaturezaJuridica"}; break;
        case ConsultaLookup::Nacionalidade: s = {&dm.taNacionalidade, "NoNacionalidade"}; break;
        case ConsultaLookup::Instrucao: s = {&dm.taInstrucao, "NoInstrucao"}; break;
        case ConsultaLookup::Raca: s = {&dm.taRaca, "NoRaca"}; break;
        case ConsultaLookup::Deficiente: s = {&dm.taDeficiente, "NoTipoDeficiencia"}; break;
        case ConsultaLookup::Admissao: s = {&dm.taAdmissao, "NoTipoAdmissao"}; break;
        case ConsultaLookup::Salario: s = {&dm.taSalario, "NoTipoSalarioContratual"}; break;
        case ConsultaLookup::Cbo: s = {&dm.taCBO, "NoCbo"}; break;
        case ConsultaLookup::Vinculo: s = {&dm.taTpVinc, "NoVinculo"}; break;
        case ConsultaLookup::Desligamento: s = {&dm.taDesl, "NoCausaDesligamento"}; break;
        case ConsultaLookup::Afastamento: s = {&dm.TaAfastamento, "NoAfastamento"}; break;
        }
        const QString key = code.trimmed();
        if (key.isEmpty()) return std::nullopt;
        if (!s.table->Active()) s.table->Open();
        if (!s.table->FindKey({key})) return std::nullopt;
        return s.table->FieldByName(QLatin1String(s.name)).AsString();
    };
}

ViewContent ResponsibleViewContent(const RowValues& row) {
    ViewContent c;
    auto v = [&](const char* field) { return row(QLatin1String(field)); };
    auto set = [&](const char* control, const QString& text) { c.texts[QLatin1String(control)] = text; };

    const QString tipo = v("InInscrResponsavel");
    const QString inscricao = v("CoCgcCeiResponsavel");
    const bool formatted = tipo == QLatin1String("1") || tipo == QLatin1String("3") || tipo == QLatin1String("4");
    set("edInscricao", formatted ? FormatInscricaoOrCpf(inscricao, tipo) : inscricao);
    set("edNome", v("NoResponsavelArquivo"));
    set("edLogradouro", v("EdLogradouroRespArquivo"));
    set("edNumero", StripLeadingZeros(v("NuLogradouroRespArquivo")));
    set("edComplemento", v("TxComplementoRespArquivo"));
    set("edBairro", v("NoBairroRespArquivo"));
    set("mdCEP", postcode(v("CoCepRespArquivo")));
    set("mdCodMunicipio", municipalityCode(v("CoMunicipioRespArquivo")));
    set("edNomeMunicipio", v("NoMunicipioRespArquivo"));
    set("edUF", v("SgUfRespArquivo"));
    set("edTelefone", phone(v("NuFoneDDD"), v("NuFoneAssinante")));
    set("edEmail", v("TxEmailRespArquivo"));
    set("edNomeResponsavel", v("NoResponsavelDeclaracao"));
    set("edCPFResponsavel", FormatInscricaoOrCpf(v("CoCpfResponsavel"), QStringLiteral("4")));
    set("mdDataNascimento", date8(v("DaNascimentoRespArquivo")));
    c.checked[QStringLiteral("ckRetificacao")] = v("InRetificacao") == QLatin1String("True");
    const QString retificacao = v("DaRetificacao").trimmed();
    set("mdDataRetificacao", retificacao == QLatin1String("00000000") ? QString() : date8(retificacao));
    const QString crea = v("CoCrea").trimmed();
    set("edCoCrea", crea == QLatin1String("000000000000") ? QString() : v("CoCrea"));
    return c;
}

ViewContent EstablishmentViewContent(const RowValues& row, int anoBase, const LookupName& lookup) {
    ViewContent c;
    auto v = [&](const char* field) { return row(QLatin1String(field)); };
    auto set = [&](const char* control, const QString& text) { c.texts[QLatin1String(control)] = text; };

    const bool withEmployees = v("InZuvoNegEstabelecimento") == QLatin1String("0");
    set("paZuvo", withEmployees ? QStringLiteral("ZUVO com Empregados") : QStringLiteral("ZUVO sem Empregados"));
    c.enabled[QStringLiteral("bbEmpregados")] = withEmployees;

    static const QMap<QString, QString> porte = {{"1", "Microempresa"}, {"2", "Pequeno Porte"}, {"3", "Outros"},
                                                 {"4", "Microempreend. Ind."}};
    QString tipo = porte.value(v("InPorte"), QStringLiteral(" "));
    if (v("InOptanteSimples") == QLatin1String("1")) tipo += QStringLiteral(" e Opta pelo Simples");
    set("paTipoEmpresa", tipo);

    const QString encerramento = v("DaEncerramentoAtividade");
    set("paEncerrou", v("InEncerramentoAtividade") == QLatin1String("1")
                          ? QStringLiteral("Encerrou as Atividades: ") + date8(encerramento)
                          : QStringLiteral(" "));
    set("paInfo", chars(encerramento, 5, 4) == QString::number(anoBase + 1)
                      ? QStringLiteral("Antecipação Ano-Base ") + QString::number(anoBase + 1)
                      : QStringLiteral("Declaração Ano-Base ") + QString::number(anoBase));
    set("paPAT", v("InParticipaPAT") == QLatin1String("1") ? QStringLiteral("Participa do PAT")
                                                           : QStringLiteral("Não Participa do PAT"));

    set("edVinculoMaior5", v("NuVinculoPatMaior5"));
    set("edVinculoMenor5", v("NuVinculoPatMenor5"));
    set("edServicoProprio", v("PoServicoProprio"));
    set("edAdministracaoCozinha", v("PoAdmCozinha"));
    set("edRefeicaoConvenio", v("PoRefeicaoConvenio"));
    set("edRefeicaoTransportadora", v("PoRefeicaoTransportadora"));
    set("edCestaAlimento", v("PoCestaAlimento"));
    set("edAlimentacaoConvenio", v("PoAlimentacaoConvenio"));

    set("edInscricao", FormatInscricao(v("CoCgcCeiEstabelecimento"), v("InInscrEstabelecimento")));
    set("edPrefixo", v("NuPrefixoEstabelecimento"));
    const QString vinculado = v("CoCgcVinculado");
    set("edCGCVinculado", present(vinculado) ? FormatInscricao(vinculado, QStringLiteral("3")) : QString());
    set("edUsoEmpresa", v("TxUsoEstabelecimento"));
    set("edTotalVinculos", withEmployees ? StripLeadingZeros(v("NuVinculosEstabelecimento")) : QString());
    set("edRazao", v("NoRazaoEstabelecimento"));
    set("edTelefone", phone(v("NuDDD"), v("NuTelefone")));
    set("edLogradouro", v("EdEstabelecimento"));
    const QString numero = v("NuEnderecoEstabelecimento");
    set("edNumero", present(numero) ? StripLeadingZeros(numero.trimmed()) : QString());
    set("edComplemento", v("TxComplemEstabelecimento"));
    set("edBairro", v("NoBairroEstabelecimento"));
    set("edCEP", postcode(v("CoCepEstabelecimento")));
    set("edCodMunicipio", municipalityCode(v("CoMunicipio")));
    set("edNomeMunicipio", v("NoMunicEstabelecimento"));
    set("edUF", v("SgUf"));

    const QString cnae = v("CoCnae2");
    QString cnaeText = cnae;
    if (const auto name = lookup(ConsultaLookup::Cnae, cnae.trimmed())) {
        const QString t = cnae.trimmed();
        cnaeText = chars(t, 1, 4) + QLatin1Char('-') + chars(t, 5, 2) + QLatin1Char('/') + chars(t, 7, 1) +
                   QStringLiteral("- ") + *name;
    }
    set("edCNAE", cnaeText);
    const QString natureza = v("CoNaturezaJuridica");
    QString naturezaText = natureza;
    if (const auto name = lookup(ConsultaLookup::NaturezaJuridica, natureza)) {
        const QString t = natureza.trimmed();
        naturezaText = chars(t, 1, 3) + QLatin1Char('-') + chars(t, 4, 1) + QStringLiteral("- ") + *name;
    }
    set("edNatJuridica", naturezaText);
    set("edDataBase", v("MeDataBase"));
    set("edNumeroProp", StripLeadingZeros(v("NuProprietEstabelecimento")));
    set("deEmail", v("TxEmailEstabelecimento"));

    set("edCNPJSindicalE", cnpjOrEmpty(v("CoCNPJSindical")));
    set("edCNPJAssociativaE", cnpjOrEmpty(v("CoCNPJAssociativa")));
    set("edCNPJAssistencialE", cnpjOrEmpty(v("CoCNPJAssistencial")));
    set("edCNPJConfederativaE", cnpjOrEmpty(v("CoCNPJConfederativa")));
    set("edCNPJCentralizadaE", cnpjOrEmpty(v("CoCNPJCentralizada")));
    // The establishment's union totals have nine digits, cents included.
    set("edValorPrimAssociativaE", money9(v("VaGlobalAssociativa")));
    set("edValorAssistencialE", money9(v("VaGlobalAssistencial")));
    set("edValorConfederativaE", money9(v("VaGlobalConfederativa")));
    set("edValorSindicalE", money9(v("VaGlobalSindical")));
    option(c, "rbCentralizadaSim", "rbCentralizadaNao", v("InCentralizada") == QLatin1String("1"));
    option(c, "rbSindicalizadoSim", "rbSindicalizadoNao", v("InSindicalizada") == QLatin1String("1"));
    return c;
}

ViewContent EmployeeViewContent(const RowValues& row, const LookupName& lookup) {
    ViewContent c;
    auto v = [&](const char* field) { return row(QLatin1String(field)); };
    auto set = [&](const char* control, const QString& text) { c.texts[QLatin1String(control)] = text; };
    // The code, and its name when the table holds it.
    auto named = [&](const char* control, ConsultaLookup table, const QString& code) {
        const auto name = lookup(table, code);
        set(control, name ? code + QStringLiteral(" - ") + *name : code);
    };
    auto blankIf = [&](const char* control, const QString& value, const char* empty) {
        set(control, value == QLatin1String(empty) ? QString() : value);
    };

    set("edPISPASEP", FormatPisPasep(v("CoPisPasepEmpregado")));
    set("edNomeEmpregado", v("NoEmpregado"));
    set("edDataNascimento", date8(v("DaNascimentoEmpregado")));
    named("ednacionalidade", ConsultaLookup::Nacionalidade, v("CoNacionalidade"));
    const QString chegada = v("AnChegadaEmpregado");
    set("edAnoChegada", present(chegada) ? chegada : QString());
    named("edGrauInstrucao", ConsultaLookup::Instrucao, v("CoInstrucao"));
    named("edTipoRaca", ConsultaLookup::Raca, v("CoTipoRaca"));
    bool isNumber = false;
    const int sexo = v("InSexo").trimmed().toInt(&isNumber);
    set("edSexo", !isNumber ? QStringLiteral(" ") : sexo == 1 ? QStringLiteral("M") : sexo == 2 ? QStringLiteral("F")
                                                                                               : QStringLiteral(" "));
    const QString deficiente = v("CoDeficienteFisico");
    if (deficiente == QLatin1String("0")) set("edDeficienteFisico", deficiente + QStringLiteral(" -  Não é deficiente"));
    else named("edDeficienteFisico", ConsultaLookup::Deficiente, deficiente);
    const QString cpf = v("CoCpfEmpregado");
    set("edCPF", present(cpf) ? chars(cpf, 1, 3) + QLatin1Char('.') + chars(cpf, 4, 3) + QLatin1Char('.') +
                                    chars(cpf, 7, 3) + QLatin1Char('-') + chars(cpf, 10, 2)
                              : QString());
    set("edCarteiraTrab", v("NuCartTrabEmpregado"));
    set("edCTPSSerie", v("SeCartTrabEmpregado"));

    set("edDataAdmissao", date8(v("DaAdmissaoEmpregado")));
    named("edTipoAdmissao", ConsultaLookup::Admissao, v("CoTipoAdmissao"));
    set("edSalarioContratual", money9(v("VaSalContratualEmpregado")));
    named("edTipoSalario", ConsultaLookup::Salario, v("CoTipoSalarioContratual"));
    set("edHoras", v("HoSemanaisEmpregado"));
    const QString cbo = v("CoCbo");
    const auto cboName = lookup(ConsultaLookup::Cbo, cbo);
    set("edCBO", cboName ? chars(cbo, 1, 4) + QLatin1Char('-') + chars(cbo, 5, 2) + QStringLiteral(" - ") + *cboName
                         : cbo);
    named("edVinculo", ConsultaLookup::Vinculo, v("CoVinculo"));
    const QString alvara = v("InAlvaraEmpregado");
    set("edAlvara", alvara == QLatin1String("1") || alvara == QLatin1String("X") ? QStringLiteral("Sim")
                                                                                : QStringLiteral("Não"));
    const QString causa = v("CoCausaDesligamento");
    if (causa == QLatin1String("00")) set("edDesligamento", QStringLiteral("   "));
    else named("edDesligamento", ConsultaLookup::Desligamento, causa);
    set("edDataDesligamento", dayMonth(v("DaDesligamentoEmpregado")));
    set("edAvisoPrevio", money9(v("VaAvisoPrevioEmpregado")));
    const QString local = v("CoMunicipioTrabalho");
    set("edLocalTrabalho", local == QLatin1String("0000000") ? QString() : municipalityCode(local));

    struct Leave {
        const char *code, *text, *from, *to;
        const char *codeField, *fromField, *toField;
    };
    static const Leave leaves[] = {
        {"dePrimCod", "edTxPrimAfast", "dePrimInicio", "dePrimFinal", "CoMotivoPrimAfas", "DaInicioprimeiroAfas",
         "DaFinalPrimeiroAfas"},
        {"deSegCod", "edTxSegAfas", "deSegInicio", "deSegFinal", "CoMotivoSeguAfas", "DaInicioSegundoAfas",
         "DaFinalSegundoAfas"},
        {"deTerCod", "EdTxTerAfas", "deTerInicio", "deTerFinal", "CoMotivoTercAfas", "DaInicioTerceiroAfas",
         "DaFinalTerceiroAfas"},
    };
    for (const Leave& l : leaves) {
        const QString code = v(l.codeField);
        const QString shown = code == QLatin1String("00") ? QString() : code;
        set(l.code, shown);
        set(l.text, lookup(ConsultaLookup::Afastamento, shown).value_or(QString()));
        set(l.from, dayMonth(v(l.fromField)));
        set(l.to, dayMonth(v(l.toField)));
    }
    blankIf("deAfastQtDias", v("QtDiasAfas"), "000");

    set("edCNPJSindical", cnpjOrEmpty(v("CoCNPJSindical")));
    set("edCNPJPrimAssociativa", cnpjOrEmpty(v("CoCNPJPrimAssociativa")));
    set("edCNPJSegAssociativa", cnpjOrEmpty(v("CoCNPJSegAssociativa")));
    set("edCNPJAssistencial", cnpjOrEmpty(v("CoCNPJAssistencial")));
    set("edCNPJConfederativa", cnpjOrEmpty(v("CoCNPJConfederativa")));
    set("edValorPrimAssociativa", money8(v("VaGlobalPrimAssociativa")));
    set("edValorSegAssociativa", money8(v("VaGlobalSegAssociativa")));
    set("edValorAssistencial", money8(v("VaGlobalAssistencial")));
    set("edValorConfederativa", money8(v("VaGlobalConfederativa")));
    set("edValorSindical", money8(v("VaGlobalSindical")));
    option(c, "rbSindicalizadoSim", "rbSindicalizadoNao", v("InSindicalizadoVinculo") == QLatin1String("1"));

    static const char* const months[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                         "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (const char* m : months) {
        const QString month = QString::fromLatin1(m);
        c.texts[QStringLiteral("ed") + month] = money9(row(QStringLiteral("Va") + month + QStringLiteral("Empregado")));
        const QString hours = row(QStringLiteral("HoTrabalhadas") + month);
        c.texts[QStringLiteral("edHoras") + month] = hours == QLatin1String("000") ? QString() : hours;
    }
    auto monthOf = [&](const QString& month) {
        return present(month) ? month.trimmed() + QStringLiteral(" - ") + MonthName(month) : QString();
    };
    set("edAdiantamento", monthOf(v("Me13AdiantamentoEmpregado")));
    set("edFinal", monthOf(v("Me13ParcelaFinalEmpregado")));
    set("edValorAdiantamento", money9(v("Va13AdiantamentoEmpregado")));
    set("edValorFinal", money9(v("Va13ParcelaFinalEmpregado")));

    set("edValorGlobalFerias", money8(v("VaGlobalFerias")));
    set("edValorGlobalMultas", money8(v("VaGlobalMultas")));
    set("edValorGlobalBcoHoras", money8(v("VaGlobalBcoHoras")));
    set("edValorGlobalDissidio", money8(v("VaGlobalDissidio")));
    set("edValorGlobalGratificacoes", money8(v("VaGlobalGratificacoes")));
    blankIf("edCompetenciaHoras", v("QtCompBcoHoras"), "00");
    blankIf("edCompetenciaDissidio", v("QtCompDissidio"), "00");
    blankIf("edCompetenciaGratificacoes", v("QtCompGratificacoes"), "00");
    return c;
}

void ClearViewEdits(QWidget* form) {
    for (QLineEdit* e : form->findChildren<QLineEdit*>()) e->clear();
}

void ShowViewContent(QWidget* form, const ViewContent& content) {
    for (auto it = content.texts.cbegin(); it != content.texts.cend(); ++it) {
        QWidget* w = form->findChild<QWidget*>(it.key());
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->setText(it.value());
            e->setCursorPosition(0);  // a long text shows its start
        }
        else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(it.value());
    }
    for (auto it = content.checked.cbegin(); it != content.checked.cend(); ++it)
        if (auto* b = form->findChild<QAbstractButton*>(it.key())) b->setChecked(it.value());
    for (auto it = content.enabled.cbegin(); it != content.enabled.cend(); ++it)
        if (auto* b = form->findChild<QWidget*>(it.key())) b->setEnabled(it.value());
}

}  // namespace declfile
