#include "ugRegrasEstabelecimento.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

namespace {

// A town hall's name: "PREFEITURA..." or the short forms alone.
bool isTownHallName(const QString& name) {
    const QString first10 = name.left(10).toUpper();
    return first10 == u"PREFEITURA" || first10 == u"PREF" || first10 == u"PREF.";
}

// Absent: fourteen zeros in a file, empty on a form.
bool absentCnpj(const QString& v, int fileMode) {
    return fileMode == 1 ? v == u"00000000000000" : v.isEmpty();
}

}  // namespace

QString CheckCnae(const QString& cnae) {
    const QString v = Trim(cnae);
    if (v.isEmpty()) return u"0360"_s;
    const QString c = CheckDigitsLength(v, u"7"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0360"_s;
    return IsKnownCode(dmLobrix->taCNAE, v, 7) ? u"0000"_s : u"0361"_s;
}

QString CheckLegalNature(const QString& legalNature) {
    const QString v = Trim(legalNature);
    if (v.isEmpty()) return u"0370"_s;
    const QString c = CheckDigitsLength(v, u"4"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0370"_s;
    return IsKnownCode(dmLobrix->taNatJu, v, 4) ? u"0000"_s : u"0371"_s;
}

QString CheckLegalNatureForName(const QString& legalNature, const QString& name) {
    if (isTownHallName(Trim(name)) && !Is(Trim(legalNature), kNaturezaPrefeitura)) return u"0372"_s;
    return u"0000"_s;
}

QString CheckCnaeForName(const QString& cnae, const QString& name) {
    const QString n = Trim(name);
    const QString c = Trim(cnae);
    const QString upper = n.toUpper();
    if ((upper.left(10) == u"CONDOMINIO" || upper.left(8) == u"EDIFICIO") && !Is(c, kCnaeCondominio))
        return u"0362"_s;
    if (isTownHallName(n) && !c.startsWith(u"84")) return u"0363"_s;
    return u"0000"_s;
}

QString CheckBaseMonth(const QString& baseMonth) {
    const QString v = Trim(baseMonth);
    if (v.isEmpty()) return u"0030"_s;
    const QString c = CheckDigitsLength(v, u"2"_s);
    if (c != u"0000") return c;
    return Num(v) > 12 ? u"0071"_s : u"0000"_s;
}

QString CheckBaseMonthRequired(const QString& baseMonth, const QString& negativeDeclaration) {
    if (Trim(negativeDeclaration) != u"0") return u"0000"_s;
    return IsAllZeros(Trim(baseMonth)) ? u"0070"_s : u"0000"_s;
}

QString CheckCompanySize(const QString& size) {
    return size == u"1" || size == u"2" || size == u"3" || size == u"4" ? u"0000"_s : u"3124"_s;
}

QString CheckSimplesOption(const QString& simples) {
    return simples == u"1" || simples == u"2" ? u"0000"_s : u"3604"_s;
}

QString CheckSimplesForSize(const QString& simples, const QString& size) {
    return size != u"3" || simples == u"2" ? u"0000"_s : u"3125"_s;
}

QString CheckActivityIndicator(const QString& active) {
    return active == u"1" || active == u"2" ? u"0000"_s : u"3668"_s;
}

QString CheckClosingOfActivity(const QString& closingFlag, const QString& closingDate,
                               const QString& establishmentYear, int fileMode) {
    if (Trim(closingFlag) != u"1") {
        const QString& d = closingDate;
        if (fileMode == 1) {
            if (d.isEmpty()) return u"3514"_s;
            return d.size() == 4 || IsAllZeros(d) ? u"0000"_s : u"3515"_s;
        }
        return d.size() == 4 || IsAllZeros(d) || d.isEmpty() ? u"0000"_s : u"3515"_s;
    }
    const QString d = Trim(closingDate);
    if (d.isEmpty() || IsAllZeros(d)) return u"3513"_s;
    const QString c = CheckDigitsLength(d, u"8"_s);
    if (c != u"0000") return c;
    if (!IsValidDate8(d)) return u"3514"_s;
    // Between 1 January of the establishment's year and 31 December of the next.
    const long long year = Num(Trim(establishmentYear));
    const long long ymd = Num(Ymd(d));
    if (ymd < year * 10000 + 101 || ymd > (year + 1) * 10000 + 1231) return u"3516"_s;
    return u"0000"_s;
}

QString CheckPatParticipation(const QString& participates) {
    const QString v = Trim(participates);
    if (v.isEmpty()) return u"3608"_s;
    return v == u"1" || v == u"2" ? u"0000"_s : u"3602"_s;
}

QString CheckPatWorkerCount(const QString& count) {
    const QString v = Trim(count);
    if (v.isEmpty()) return u"0000"_s;
    return CheckDigitsLength(v, u"6"_s);
}

QString CheckPatWorkers(const QString& participates, const QString& countAbove5, const QString& countUpTo5) {
    if (Trim(participates) != u"2") return u"0000"_s;
    const long long sum = Num(PadLeftZeros(Trim(countAbove5), 6)) + Num(PadLeftZeros(Trim(countUpTo5), 6));
    return sum > 0 ? u"3525"_s : u"0000"_s;
}

QString CheckPercentage(const QString& percentage) {
    const QString v = Trim(percentage);
    if (v.isEmpty()) return u"0000"_s;
    const QString c = CheckDigitsLength(v, u"3"_s);
    if (c != u"0000") return c;
    return Num(v) > 100 ? u"3521"_s : u"0000"_s;
}

QString CheckPatModalities(const QString& participates, const std::array<QString, 6>& percentages) {
    if (Trim(participates) == u"1") return u"0000"_s;
    long long sum = 0;
    for (const QString& p : percentages) sum += Num(PadLeftZeros(Trim(p), 3));
    return sum != 0 ? u"3526"_s : u"0000"_s;
}

QString CheckCentralisingCnpj(const QString& centralisingCnpj, const QString& ownInscription, int zerosAllowed) {
    const QString v = Trim(centralisingCnpj);
    const QString c = CheckDigitsLength(v, u"14"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return zerosAllowed == 1 ? u"0000"_s : u"3746"_s;
    const QString own = Trim(ownInscription);
    if (v == own) return u"3742"_s;
    // Centralised only in another establishment of the same company.
    if (v.left(8) != own.left(8)) return u"3740"_s;
    if (!IsValidCnpj(v)) return u"0059"_s;
    return IsValidCei(v) ? u"0050"_s : u"0051"_s;
}

QString CheckCentralisationFlag(const QString& inscriptionType, const QString& centralisingCnpj,
                                const QString& centralised, int fileMode) {
    const bool hasCnpj = !absentCnpj(Trim(centralisingCnpj), fileMode);
    const QString flag = Trim(centralised);
    if (Trim(inscriptionType) == u"3" && hasCnpj) return u"3719"_s;
    if (flag == u"1" && !hasCnpj) return u"3725"_s;
    if (flag != u"1" && hasCnpj) return u"3725"_s;
    return u"0000"_s;
}

QString CheckUnionCnpjWithCentralisation(const QString& unionCnpj, const QString& centralisingCnpj, int fileMode) {
    auto present = [fileMode](const QString& v) {
        return fileMode == 1 ? v != u"00000000000000" && !v.isEmpty() : !v.isEmpty();
    };
    return present(Trim(unionCnpj)) && present(Trim(centralisingCnpj)) ? u"3706"_s : u"0000"_s;
}

QString CheckUnionCnpjRequired(const QString& unionCnpj, const QString& centralisingCnpj,
                               const QString& negativeDeclaration, const QString& legalNature,
                               const QString& simples, int fileMode) {
    if (!absentCnpj(Trim(unionCnpj), fileMode) || !absentCnpj(Trim(centralisingCnpj), fileMode)) return u"0000"_s;
    if (Trim(negativeDeclaration) == u"1") return u"0000"_s;
    // Public bodies and non-profit entities under Simples pay no union tax.
    const QString nj = Trim(legalNature);
    if ((nj.startsWith(u'1') || nj.startsWith(u'3')) && Trim(simples) == u"1") return u"0000"_s;
    return u"3687"_s;
}
