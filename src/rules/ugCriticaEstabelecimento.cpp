// The checks of an establishment record (type 1).

#include "rules/ugCriticaRegistros.h"
#include "rules/ugCriticaRegras.h"

#include "shell/ugFuncoes.h"

#include <array>

using namespace critica;

namespace {

QString Get(db::Table& t, const char* name) { return t.FieldByName(QLatin1String(name)).AsString(); }

QString EstablishmentTypeText(const QString& type) {
    if (type == QLatin1String("1")) return QStringLiteral("1 (CNPJ)");
    if (type == QLatin1String("3")) return QStringLiteral("3 (CEI)");
    return type;
}

QString OperationMarkerText(const QString& marker) {
    if (IsOneOf(marker, {"1", "2", "3"})) return QStringLiteral("Outras opções");
    if (marker == QLatin1String("4")) return QStringLiteral("Exclusão de estabelecimento");
    return QStringLiteral("Atualização de estabelecimento");
}

void CheckInscriptionAndType(Findings& f, db::Table& emp) {
    const QString type = Get(emp, "InInscrEstabelecimento").left(1);
    const QString inscription = Get(emp, "CoCgcCeiEstabelecimento");
    QString r = CheckInscription(inscription);
    if (!IsOneOf(r, {"0000", "0050", "0051", "0052"})) {
        f.ErrCounted(r, {{"1600", inscription}});
        return;
    }
    r = CheckInscriptionType(type);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1601", EstablishmentTypeText(type)}});
        return;
    }
    r = CheckInscriptionByType(inscription, type);
    if (!Ok(r)) f.ErrCounted(r, {{"1601", EstablishmentTypeText(type)}, {"1600", inscription}});
}

// Establishments of one inscription must agree on name, legal nature and
// activity; each one of a group reports the others that differ.
void CheckEstablishmentsOfInscription(Findings& f, ValidationRun& run) {
    db::Table& emp = *run.emp;
    const QVector<EstablishmentGroupRow>& group = run.EstablishmentGroup(
        {Get(emp, "AnBase"), Get(emp, "CoCgcCeiEstabelecimento"), Get(emp, "InInscrEstabelecimento"),
         Get(emp, "CoCgcVinculado")});
    if (group.size() <= 1) return;
    const QString prefix = Get(emp, "NuPrefixoEstabelecimento");
    struct Pass {
        QString EstablishmentGroupRow::*member;
        const char* label;
        const char* result;
        const char* field;
    };
    const std::array<Pass, 3> passes{{{&EstablishmentGroupRow::name, "1604", "3762", "NoRazaoEstabelecimento"},
                                      {&EstablishmentGroupRow::legalNature, "1619", "3764", "CoNaturezaJuridica"},
                                      {&EstablishmentGroupRow::cnae, "1618", "3763", "CoCnae2"}}};
    for (const Pass& p : passes) {
        const QString own = Get(emp, p.field);
        const QString result = QLatin1String(p.result);
        bool first = true;
        for (const EstablishmentGroupRow& row : group) {
            if (row.*p.member == own) continue;
            if (first) {
                f.Err(result, {{"1602", prefix}, {p.label, own}});
                f.Count();
                first = false;
            }
            f.Err(result, {{"1602", row.prefix}, {p.label, row.*p.member}});
        }
    }
}

void CheckLinkedCei(Findings& f, db::Table& emp) {
    const QString stored = Get(emp, "CoCgcVinculado");
    const QString linked = QStringLiteral("00") + stored.mid(2, 12);
    if (TrimBoth(stored.left(2)) != QLatin1String("00")) f.ErrCounted(QStringLiteral("0040"), {{"1678", stored.left(2)}});
    QString r = CheckCeiNumber(linked);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1603", linked.mid(2, 12)}});
    } else if (r = CheckLinkedCeiForInscriptionType(Get(emp, "InInscrEstabelecimento"), linked); !Ok(r)) {
        f.ErrCounted(r, {{"1601", Get(emp, "InInscrEstabelecimento")}, {"1603", linked.mid(2, 12)}});
    }
}

void CheckPatWorkerCounts(Findings& f, db::Table& emp) {
    const QString more = Get(emp, "NuVinculoPatMaior5");
    const QString less = Get(emp, "NuVinculoPatMenor5");
    const QString pat = Get(emp, "InParticipaPAT");
    QString r = CheckPatWorkerCount(more);
    const bool moreOk = Ok(r);
    if (!moreOk) f.ErrCounted(r, {{"3610", more}});
    r = CheckPatWorkerCount(less);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"3611", less}});
        return;
    }
    if (!moreOk) return;
    const QString zeros = QStringLiteral("000000");
    if (more != zeros || less != zeros || pat != QLatin1String("1"))
        r = CheckPatWorkers(pat, less, more);
    else
        r = QStringLiteral("3626");
    if (!Ok(r)) f.ErrCounted(r, {{"3122", pat}, {"3610", more}, {"3611", less}});
}

void CheckPatPercentages(Findings& f, db::Table& emp) {
    static const std::array<std::pair<const char*, const char*>, 6> kPercentages{
        {{"PoServicoProprio", "3612"}, {"PoAdmCozinha", "3613"}, {"PoRefeicaoConvenio", "3614"},
         {"PoRefeicaoTransportadora", "3615"}, {"PoCestaAlimento", "3616"}, {"PoAlimentacaoConvenio", "3617"}}};
    std::array<QString, 6> values;
    bool failed = false;
    for (std::size_t i = 0; i < kPercentages.size(); ++i) {
        values[i] = Get(emp, kPercentages[i].first);
        const QString r = CheckPercentage(values[i]);
        if (Ok(r)) continue;
        if (r == QLatin1String("3521")) {
            f.War(r, {{kPercentages[i].second, values[i]}});
        } else {
            f.ErrCounted(r, {{kPercentages[i].second, values[i]}});
            failed = true;
        }
    }
    if (failed) return;
    const QString pat = Get(emp, "InParticipaPAT");
    const QString r = CheckPatModalities(pat, values);
    if (!Ok(r))
        f.War(r, {{"3122", pat},
                  {"3612", values[0]},
                  {"3613", values[1]},
                  {"3614", values[2]},
                  {"3615", values[3]},
                  {"3616", values[4]},
                  {"3617", values[5]}});
}

enum class CnpjOrder { LookupFirst, OwnFirst };

// The CNPJ of one of the establishment's contributions.
void CheckEstablishmentContributionCnpj(Findings& f, db::Table& emp, int fileMode, const char* field,
                                        const char* label, const char* kind, CnpjOrder order) {
    const QString cnpj = Get(emp, field);
    const QString own = Get(emp, "CoCgcCeiEstabelecimento");
    const bool empty = IsEmptyCnpj(cnpj);
    const bool union_ = QLatin1String(kind) == QLatin1String("sindical");
    QString r = CheckRequiredIfFlag(cnpj, fileMode);
    if (!Ok(r)) {
        f.ErrCounted(r, {{label, cnpj}});
        return;
    }
    auto lookup = [&] {
        if (union_ && IsExemptUnionTaxCnpj(cnpj)) return;
        const QString w = CheckEmployerUnionCnpj(cnpj);
        if (!Ok(w)) f.War(w, {{label, cnpj}});
    };
    auto contributionCnpj = [&] {
        const QString c = CheckContributionCnpj(cnpj, QLatin1String(kind), 0, 1);
        if (!IsOneOf(c, {"0000", "0051", "0050"})) f.ErrCounted(c, {{label, cnpj}});
    };
    if (order == CnpjOrder::LookupFirst) {
        if (!empty) {
            lookup();
            r = CheckContributionCnpjNotOwnOrBank(cnpj, own, 0);
            if (!Ok(r)) {
                f.ErrCounted(r, {{label, cnpj}});
                return;
            }
            contributionCnpj();
        } else if (QLatin1String(kind) == QLatin1String("associativa")) {
            const QString unionised = Get(emp, "InSindicalizada");
            r = CheckAssociationVsUnionised(cnpj, unionised, 0);
            if (!Ok(r)) f.ErrCounted(r, {{label, cnpj}, {"3703", unionised}});
        }
        return;
    }
    r = CheckContributionCnpjNotOwnOrBank(cnpj, own, 0);
    if (!Ok(r)) {
        f.ErrCounted(r, {{label, cnpj}});
        return;
    }
    if (empty) return;
    lookup();
    contributionCnpj();
}

// The yearly value of one of the establishment's contributions.
void CheckEstablishmentContributionValue(Findings& f, db::Table& emp, int fileMode, const char* valueField,
                                         const char* valueLabel, const char* cnpjField, const char* cnpjLabel,
                                         const char* kind, bool onlyWhenGiven) {
    const QString value = Get(emp, valueField);
    QString r = CheckRequiredIfFlag(value, fileMode);
    if (!Ok(r)) {
        f.ErrCounted(r, {{valueLabel, value}});
        return;
    }
    if (onlyWhenGiven && (value.isEmpty() || value == QLatin1String("000000000"))) return;
    r = CheckEstablishmentContributionAmount(value);
    if (!Ok(r)) {
        f.ErrCounted(r, {{valueLabel, value}});
        return;
    }
    const QString cnpj = Get(emp, cnpjField);
    r = CheckContributionValueVsCnpj(cnpj, value, QLatin1String(kind), QString(), fileMode, 0);
    if (!Ok(r)) f.ErrCounted(r, {{cnpjLabel, cnpj}, {valueLabel, value}});
}

void CheckCentralisation(Findings& f, db::Table& emp, int fileMode) {
    const QString centralising = Get(emp, "CoCNPJCentralizada");
    const QString unionCnpj = Get(emp, "CoCNPJSindical");
    QString r = CheckRequiredIfFlag(centralising, fileMode);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"3705", centralising}});
        return;
    }
    if (!IsEmptyCnpj(centralising)) {
        r = CheckCentralisingCnpj(centralising, Get(emp, "CoCgcCeiEstabelecimento"), 1);
        if (!IsOneOf(r, {"0000", "0051", "0050"})) {
            f.ErrCounted(r, {{"3705", centralising}});
            return;
        }
        r = CheckUnionCnpjWithCentralisation(unionCnpj, centralising, fileMode);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"3652", unionCnpj}, {"3705", centralising}});
            return;
        }
        const QString type = Get(emp, "InInscrEstabelecimento");
        const QString flag = Get(emp, "InCentralizada");
        r = CheckCentralisationFlag(type, centralising, flag, fileMode);
        // The inscription type goes under its own label, not the inscription's.
        if (r == QLatin1String("3719"))
            f.ErrCounted(r, {{"1601", type}, {"3705", centralising}});
        else if (!Ok(r))
            f.ErrCounted(r, {{"3726", flag}, {"3705", centralising}});
        return;
    }
    r = CheckUnionCnpjRequired(unionCnpj, centralising, Get(emp, "InZuvoNegEstabelecimento"),
                               Get(emp, "CoNaturezaJuridica"), Get(emp, "InOptanteSimples"), fileMode);
    if (!Ok(r)) f.War(r, {{"3652", unionCnpj}, {"3705", centralising}});
}

}  // namespace

void CheckEstablishmentRecord(ValidationRun& run) {
    db::Table& emp = *run.emp;
    Findings f(run, 1);
    const int fileMode = run.fileAnalysisMode;
    QString r;
#define STEP if (f.AboveLimit()) return;

    STEP {  // 1
        const QString marker = Get(emp, "InOpcaoAberta");
        if (!marker.isEmpty()) f.ErrCounted(QStringLiteral("1677"), {{"1666", OperationMarkerText(marker)}});
    }
    STEP {  // 2
        run.currentBaseYear = Get(emp, "AnBase").left(5);
        if (run.currentBaseYear != QString::number(run.baseYear))
            f.ErrCounted(QStringLiteral("1911"), {{"1658", run.currentBaseYear}});
    }
    STEP CheckInscriptionAndType(f, emp);  // 3
    STEP {  // 4
        const QString prefix = Get(emp, "NuPrefixoEstabelecimento");
        r = CheckPrefix(prefix);
        if (!Ok(r)) f.ErrCounted(r, {{"1602", prefix}});
    }
    STEP {  // 5
        QString name = TrimBoth(Get(emp, "NoRazaoEstabelecimento"));
        r = CheckCompanyName(name, TrimBoth(Get(emp, "CoCgcCeiEstabelecimento")),
                             Get(emp, "InInscrEstabelecimento"));
        if (!Ok(r)) f.ErrCounted(r, {{"1604", name}});
    }
    STEP {  // 6
        QString street = TrimBoth(Get(emp, "EdEstabelecimento"));
        r = CheckStreet(street);
        if (!Ok(r)) f.ErrCounted(r, {{"1605", street}});
    }
    const QString number = Get(emp, "NuEnderecoEstabelecimento");
    STEP {  // 7
        r = CheckStreetNumber(number);
        if (!Ok(r)) f.ErrCounted(r, {{"1606", number}});
    }
    STEP {  // 8
        QString complement = TrimBoth(Get(emp, "TxComplemEstabelecimento"));
        r = CheckComplement(complement);
        if (!Ok(r))
            f.ErrCounted(r, {{"1607", complement}});
        else if (r = CheckNumberOrComplement(number, complement); !Ok(r))
            f.ErrCounted(r, {{"1606", number}, {"1607", complement}});
    }
    STEP {  // 9
        QString district = TrimBoth(Get(emp, "NoBairroEstabelecimento"));
        r = CheckDistrict(district);
        if (!Ok(r)) f.ErrCounted(r, {{"1608", district}});
    }
    const QString cep = Get(emp, "CoCepEstabelecimento");
    STEP {  // 10
        r = CheckCep(cep);
        if (!Ok(r)) f.ErrCounted(r, {{"1609", cep}});
    }
    const QString municipality = Get(emp, "CoMunicipio");
    QString foundName;
    QString municipalityResult;
    STEP {  // 11
        municipalityResult = CheckMunicipality(municipality, &foundName);
        if (!Ok(municipalityResult))
            f.ErrCounted(municipalityResult, {{"1610", municipality}});
        else if (Ok(CheckCep(cep)))
            if (r = CheckCepForMunicipality(cep, municipality, 1); !Ok(r))
                f.ErrCounted(r, {{"1609", cep}, {"1610", municipality}});
    }
    STEP {  // 12: compared only with a municipality that was found
        QString name = TrimBoth(Get(emp, "NoMunicEstabelecimento"));
        r = CheckMunicipalityName(name, Ok(municipalityResult) ? foundName : name);
        if (!Ok(r)) f.War(r, {{"3667", name}});
    }
    const QString state = TrimBoth(Get(emp, "SgUf"));
    STEP {  // 13
        r = CheckStateAbbreviation(state);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"1612", state}});
        } else {
            const QString trimmedMunicipality = TrimBoth(municipality);
            r = CheckStateForMunicipality(trimmedMunicipality, state);
            if (!Ok(r)) f.ErrCounted(r, {{"1610", trimmedMunicipality}, {"1612", state}});
            const QString trimmedCep = TrimBoth(cep);
            const QString stateCode = StateCode(run, state);
            if (!stateCode.isEmpty()) {
                r = CheckCepForState(trimmedCep, stateCode);
                if (!Ok(r)) f.ErrCounted(r, {{"1609", trimmedCep}, {"1612", state}});
            }
        }
    }
    const QString ddd = TrimBoth(Get(emp, "NuDDD"));
    STEP {  // 14
        r = CheckAreaCode(ddd);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"1613", ddd}});
        } else if (const QString stateCode = StateCode(run, state); !stateCode.isEmpty()) {
            r = CheckAreaCodeForState(ddd, stateCode);
            if (!Ok(r)) f.War(r, {{"1612", state}, {"1613", ddd}});
        }
    }
    STEP {  // 15
        const QString phone = TrimBoth(Get(emp, "NuTelefone"));
        r = CheckPhoneNumber(phone);
        if (!Ok(r))
            f.ErrCounted(r, {{"1614", phone}});
        else if (r = CheckPhoneAndAreaCode(ddd, phone); !Ok(r))
            f.ErrCounted(r, {{"1613", ddd}, {"1614", phone}});
    }
    STEP {  // 16
        QString email = Get(emp, "TxEmailEstabelecimento");
        r = CheckEmail(email);
        if (!Ok(r)) f.ErrCounted(r, {{"1617", email}});
    }
    const QString size = TrimBoth(Get(emp, "InPorte"));
    STEP {  // 17
        r = CheckCompanySize(size);
        if (!Ok(r)) f.ErrCounted(r, {{"3520", size}});
    }
    STEP {  // 18
        const QString simples = TrimBoth(Get(emp, "InOptanteSimples"));
        r = CheckSimplesOption(simples);
        if (!Ok(r))
            f.ErrCounted(r, {{"3123", simples}});
        else if (r = CheckSimplesForSize(simples, size); !Ok(r))
            f.ErrCounted(r, {{"3520", size}, {"3123", simples}});
    }
    const QString companyName = Get(emp, "NoRazaoEstabelecimento");
    STEP {  // 19
        const QString cnae = Get(emp, "CoCnae2");
        r = CheckCnae(cnae);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"1618", cnae}});
        } else if (r = CheckCnaeForName(cnae, companyName); !Ok(r)) {
            // A town hall without a public-administration activity is only doubtful.
            if (r == QLatin1String("0363"))
                f.War(r, {{"1618", cnae}, {"1604", companyName}});
            else
                f.ErrCounted(r, {{"1618", cnae}, {"1604", companyName}});
        }
    }
    STEP {  // 20
        const QString nature = Get(emp, "CoNaturezaJuridica");
        r = CheckLegalNature(nature);
        if (!Ok(r))
            f.ErrCounted(r, {{"1619", nature}});
        else if (r = CheckLegalNatureForName(nature, companyName); !Ok(r))
            f.War(r, {{"1619", nature}, {"1604", companyName}});
    }
    STEP CheckEstablishmentsOfInscription(f, run);  // 21
    STEP {  // 22
        const QString owners = Get(emp, "NuProprietEstabelecimento");
        r = CheckDigitsLength(owners, QStringLiteral("2"));
        if (!Ok(r)) f.ErrCounted(r, {{"1621", owners}});
    }
    const QString declarationType = Get(emp, "InZuvoNegEstabelecimento");
    STEP {  // 23
        const QString month = Get(emp, "MeDataBase");
        r = CheckBaseMonth(month);
        if (!Ok(r))
            f.Err(r, {{"1620", month}});  // not counted
        else if (r = CheckBaseMonthRequired(month, declarationType); !Ok(r))
            f.ErrCounted(r, {{"1620", month}, {"1622", declarationType}});
    }
    STEP {  // 24
        r = CheckNegativeDeclarationFlag(declarationType);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"1622", declarationType}});
        } else {
            const QString type = Get(emp, "InInscrEstabelecimento");
            const QString linkedPart = Get(emp, "CoCgcVinculado").mid(2, 12);
            r = CheckNegativeDeclarationType(declarationType, type, linkedPart);
            if (!Ok(r)) f.ErrCounted(r, {{"1622", declarationType}, {"1601", type}, {"1603", linkedPart}});
        }
    }
    STEP CheckLinkedCei(f, emp);  // 25
    STEP {  // 26
        const QString closing = Get(emp, "InEncerramentoAtividade");
        const QString closingDate = Get(emp, "DaEncerramentoAtividade");
        r = CheckClosingOfActivity(closing, closingDate, run.currentBaseYear, fileMode);
        if (r == QLatin1String("3516")) {
            f.ErrCounted(r, {{"1669", closingDate}, {"1658", run.currentBaseYear}});
        } else if (!r.isEmpty() && !Ok(r)) {
            f.ErrCounted(r, {{"1669", closingDate}});
            f.Err(r, {{"1668", closing == QLatin1String("1")
                                   ? QStringLiteral("Assinalado para encerramento das atividades")
                                   : QStringLiteral("Não assinalado")}});
        }
    }
    STEP {  // 27
        const QString pat = Get(emp, "InParticipaPAT");
        r = CheckPatParticipation(pat);
        if (!Ok(r)) f.ErrCounted(r, {{"3122", pat}});
    }
    STEP CheckPatWorkerCounts(f, emp);  // 28
    STEP CheckPatPercentages(f, emp);   // 29
    STEP CheckEstablishmentContributionCnpj(f, emp, fileMode, "CoCNPJSindical", "3652", "sindical",  // 30
                                            CnpjOrder::LookupFirst);
    STEP CheckEstablishmentContributionCnpj(f, emp, fileMode, "CoCNPJAssociativa", "3650", "associativa",  // 31
                                            CnpjOrder::LookupFirst);
    STEP CheckEstablishmentContributionCnpj(f, emp, fileMode, "CoCNPJAssistencial", "3654", "assistencial",  // 32
                                            CnpjOrder::OwnFirst);
    STEP CheckEstablishmentContributionCnpj(f, emp, fileMode, "CoCNPJConfederativa", "3656", "confederativa",  // 33
                                            CnpjOrder::OwnFirst);
    STEP CheckEstablishmentContributionValue(f, emp, fileMode, "VaGlobalSindical", "3653", "CoCNPJSindical",  // 34
                                             "3652", "sindicalestab", false);
    STEP CheckEstablishmentContributionValue(f, emp, fileMode, "VaGlobalAssociativa", "3651",  // 35
                                             "CoCNPJAssociativa", "3650", "associativa", false);
    STEP CheckEstablishmentContributionValue(f, emp, fileMode, "VaGlobalAssistencial", "3655",  // 36
                                             "CoCNPJAssistencial", "3654", "assistencial", true);
    STEP CheckEstablishmentContributionValue(f, emp, fileMode, "VaGlobalConfederativa", "3657",  // 37
                                             "CoCNPJConfederativa", "3656", "confederativa", true);
    STEP CheckCentralisation(f, emp, fileMode);  // 38
    STEP {  // 39
        const QString unionised = Get(emp, "InSindicalizada");
        r = CheckUnionisedIndicator(unionised);
        if (!Ok(r)) f.ErrCounted(r, {{"3703", unionised}});
    }
    STEP {  // 40
        const QString activity = TrimBoth(Get(emp, "InAtividadeAnoBase"));
        r = CheckActivityIndicator(activity);
        if (!Ok(r)) f.ErrCounted(r, {{"3669", activity}});
    }
    STEP {  // 41
        const QString text = TrimBoth(Get(emp, "TxUsoEstabelecimento"));
        r = CheckFreeText(text);
        if (!Ok(r)) f.ErrCounted(r, {{"1623", text}});
    }
#undef STEP
}
