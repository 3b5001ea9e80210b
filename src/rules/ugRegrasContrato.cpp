#include "ugRegrasContrato.h"

#include "RuleText.h"

#include <QDate>

using namespace rules;
using namespace ugConstantes;

namespace {

// A full date that the date rules accepted: 8 digits, not zeros.
bool fullDate(QStringView v) { return v.size() == 8 && AllDigits(v) && !AllZeros(v); }

QDate toDate(QStringView ddmmyyyy) {
    return QDate(int(Num(ddmmyyyy.mid(4, 4))), int(Num(ddmmyyyy.mid(2, 2))), int(Num(ddmmyyyy.left(2))));
}

int contractTypeNumber(const QString& ct) { return IsAllDigits(ct) ? int(Num(ct)) : -1; }

}  // namespace

QString CheckAdmissionDate(const QString& admissionDate) {
    const QString v = Trim(admissionDate);
    if (v.isEmpty() || IsAllZeros(v)) return u"0392"_s;
    const QString c = DigitsLengthCode(v, 8);
    if (c != u"0000") return c;
    if (!IsValidDate8(v) || Num(QStringView(v).mid(4, 4)) <= 1910) return u"0390"_s;
    return u"0000"_s;
}

QString CheckAdmissionType(const QString& admissionType) {
    return CheckCodedField(admissionType, 1, dmLobrix->taAdmissao, u"0221"_s, u"0220"_s);
}

QString CheckAdmissionNotAfterBaseYear(const QString& admissionDate, const QString& referenceYear) {
    const QStringView a = TrimView(admissionDate);
    const QStringView r = TrimView(referenceYear);
    if (!AllDigits(a) || !AllDigits(r) || IsZero(a) || IsZero(r)) return u"0000"_s;
    if (a.size() == 8 && Num(a.mid(4, 4)) > Num(r)) return u"0391"_s;
    return u"0000"_s;
}

QString CheckAdmissionBeforeClosing(const QString& closingDate, const QString& admissionDate) {
    const QString c = Trim(closingDate);
    const QString a = Trim(admissionDate);
    if (c.isEmpty() || c == u"00000000") return u"0000"_s;
    // Callers pass dates their own rules accepted; anything else is no date.
    if (!fullDate(c) || !fullDate(a)) return u"0000"_s;
    return Num(Ymd(c)) < Num(Ymd(a)) ? u"0394"_s : u"0000"_s;
}

QString CheckAdmissionAfterArrival(const QString& arrivalYear, const QString& admissionDate,
                                   const QString& nationality) {
    const QString y = Trim(arrivalYear);
    const QString a = Trim(admissionDate);
    const QString n = Trim(nationality);
    if (!IsAllDigits(y) || !IsAllDigits(a) || !IsAllDigits(n)) return u"0000"_s;
    if (IsZero(y) || IsZero(a) || IsZero(n)) return u"0000"_s;
    if (a.size() != 8 || y.size() != 4) return u"0000"_s;
    if (n != u"10" && Num(a.mid(4, 4)) < Num(y)) return u"0194"_s;
    return u"0000"_s;
}

QString CheckAgeAtAdmission(const QString& birthDate, const QString& admissionDate) {
    const QStringView b = TrimView(birthDate);
    const QStringView a = TrimView(admissionDate);
    if (b.size() != 8) return u"0000"_s;
    if (!AllDigits(b) || !AllDigits(a)) return u"0000"_s;
    if (IsZero(b) || IsZero(a) || a.size() != 8) return u"0000"_s;
    const long long d = Num(a.mid(4, 4)) - Num(b.mid(4, 4));
    const long long am = Num(a.mid(2, 2)), bm = Num(b.mid(2, 2));
    const long long ad = Num(a.left(2)), bd = Num(b.left(2));
    // The age in whole years on the admission day: below 10 "0173", 10 to 13
    // "0171", 14 or more accepted.
    const bool beforeBirthday = am < bm || (am == bm && ad < bd);
    if (d >= 15) return u"0000"_s;
    if (d == 14) return beforeBirthday ? u"0171"_s : u"0000"_s;
    if (d >= 11) return u"0171"_s;
    if (d == 10) return beforeBirthday ? u"0173"_s : u"0171"_s;
    return u"0173"_s;
}

QString CheckMinorAdmission(const QString& permit, const QString& birthDate, const QString& contractType,
                            const QString& admissionDate) {
    const QStringView b = TrimView(birthDate);
    const QStringView a = TrimView(admissionDate);
    if (!fullDate(b) || !fullDate(a)) return u"0000"_s;
    const QDate birth = toDate(b);
    const QDate adm = toDate(a);
    if (!birth.isValid() || !adm.isValid()) return u"0000"_s;  // the date rules report it
    // A birthday on 29 February falls on 28 February in common years.
    const QDate b10 = birth.addYears(10), b14 = birth.addYears(14), b16 = birth.addYears(16);
    const long long y = kAnoBase - Num(b.mid(4, 4));
    const bool hasPermit = TrimView(permit) == u"1";
    const bool apprentice = TrimView(contractType) == u"55";
    if (b14 <= adm && adm < b16 && y <= 16) {
        if (!hasPermit) return apprentice ? u"0000"_s : u"3133"_s;
        return apprentice ? u"3531"_s : u"0000"_s;
    }
    if (b10 <= adm && adm < b14 && y <= 14) {
        if (!hasPermit) return u"3133"_s;
        return apprentice ? u"3531"_s : u"0000"_s;
    }
    if (adm < b16) return u"0000"_s;
    if (y < 16 || !hasPermit) return u"0000"_s;
    return u"3531"_s;
}

QString CheckPermitIndicator(const QString& permit) {
    const QString v = Trim(permit);
    return v == u"1" || v == u"2" ? u"0000"_s : u"0001"_s;
}

QString CheckContractType(const QString& contractType) {
    return CheckCodedField(contractType, 2, dmLobrix->taTpVinc, u"0273"_s, u"0270"_s);
}

QString CheckContractTypeForPis(const QString& contractType, const QString& pisPasep) {
    const QString ct = Trim(contractType);
    const QString pis = Trim(pisPasep);
    if (ct.isEmpty() || pis.isEmpty() || !IsAllDigits(pis) || !IsAllDigits(ct)) return u"0000"_s;
    const int series = int(Num(pis.left(3)));
    const bool casual = (series >= kPisSerieAvulsaInicio && series <= kPisSerieAvulsaFim) ||
                        Contains(kPisSeriesAvulsas, series);
    if (casual && !Contains(kVinculosPisAvulso, int(Num(ct)))) return u"0272"_s;
    return u"0000"_s;
}

QString CheckContractTypeForInscriptionType(const QString& contractType, const QString& inscriptionType) {
    const QString ct = Trim(contractType);
    const QString it = Trim(inscriptionType);
    if (!IsAllDigits(ct) || IsZero(ct) || !IsAllDigits(it) || IsZero(it)) return u"0000"_s;
    const int type = int(Num(ct));
    if (Num(it) == 1) return Contains(kVinculosCnpj, type) ? u"0000"_s : u"0271"_s;
    if (Num(it) == 3) return Contains(kVinculosCei, type) ? u"0000"_s : u"0271"_s;
    // Other inscription types have no set of their own: nothing to refuse.
    return u"0000"_s;
}

QString CheckContractTypeForCnae(const QString& contractType, const QString& cnae) {
    if (Trim(cnae).startsWith(u"84") &&
        !Contains(kVinculosAdministracaoPublica, contractTypeNumber(Trim(contractType))))
        return u"3507"_s;
    return u"0000"_s;
}

QString CheckContractTypeForLegalNature(const QString& contractType, const QString& legalNature) {
    if (Trim(legalNature).startsWith(u'1') &&
        !Contains(kVinculosAdministracaoPublica, contractTypeNumber(Trim(contractType))))
        return u"3519"_s;
    return u"0000"_s;
}

QString CheckApprenticeAge(const QString& contractType, const QString& birthDate, const QString& admissionDate,
                           const QString& disabilityIndicator) {
    const QStringView b = TrimView(birthDate);
    const QStringView a = TrimView(admissionDate);
    if (!fullDate(b) || TrimView(contractType) != u"55" || !fullDate(a)) return u"0000"_s;
    const QStringView ind = TrimView(disabilityIndicator);
    if (ind != u"2" && !ind.isEmpty()) return u"0000"_s;  // no age limit for a disabled apprentice
    const QDate birth = toDate(b);
    const QDate adm = toDate(a);
    if (!birth.isValid() || !adm.isValid()) return u"0000"_s;
    const long long y = kAnoBase - birth.year();
    if (y > 24 || y < 14) return u"3502"_s;
    if (adm.year() != kAnoBase) return u"0000"_s;
    if (adm < birth.addYears(14) || adm > birth.addYears(24)) return u"3502"_s;
    return u"0000"_s;
}

QString CheckCbo(const QString& cbo) {
    const QString v = Trim(cbo);
    if (InSet(v, kCbosCargosEletivos)) return u"3645"_s;
    if (InSet(v, kCbosNaoAceitos)) return u"3747"_s;
    if (v.isEmpty()) return u"0261"_s;
    if (v.size() != 6) return u"0030"_s;
    const QString c = CheckDigitsLength(v, u"6"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0261"_s;
    return IsKnownCode(dmLobrix->taCBO, v, 6) ? u"0000"_s : u"0260"_s;
}

QString CheckCboForSchooling(const QString& schooling, const QString& cbo) {
    const QString s = Trim(schooling);
    const QString c = Trim(cbo);
    if (!IsAllDigits(s) || !IsAllDigits(c) || IsZero(s) || IsZero(c)) return u"0000"_s;
    db::Table& t = dmLobrix->taCBO;
    // Bit 1 found, 2 needs higher schooling, 4 not for the illiterate.
    const int flags = RememberedLookup(t, kCboSchoolingFlags, c, [&] {
        if (!Lookup(t, c, 6)) return 0;
        const bool needsHigher = t.FieldByName(u"InCriticaCbo"_s).AsBoolean();
        const bool excludesIlliterate = t.FieldByName(u"InCriticaAna"_s).AsBoolean();
        return 1 | (needsHigher ? 2 : 0) | (excludesIlliterate ? 4 : 0);
    });
    if (!(flags & 1)) return u"0000"_s;
    const bool needsHigher = flags & 2;
    const bool excludesIlliterate = flags & 4;
    if (needsHigher && !InSet(s, kInstrucaoSuperior)) return u"3501"_s;
    if (excludesIlliterate && Is(s, kInstrucaoAnalfabeto)) return u"3635"_s;
    return u"0000"_s;
}

QString CheckWeeklyHours(const QString& hours) {
    const QString v = Trim(hours);
    if (v.isEmpty()) return u"0251"_s;
    const QString c = CheckDigitsLength(v, u"2"_s);
    if (c != u"0000") return c;
    if (IsZero(v)) return u"0251"_s;
    return Num(v) > 44 ? u"0250"_s : u"0000"_s;
}

QString CheckSalaryType(const QString& salaryType) {
    return CheckCodedField(salaryType, 1, dmLobrix->taSalario, u"0241"_s, u"0240"_s);
}

QString CheckContractSalary(const QString& salary) { return CheckDigitsLength(Trim(salary), u"9"_s); }

QString CheckContractSalaryVsType(const QString& salary, const QString& salaryType, const QString& contractType) {
    const QString s = Trim(salary);
    const QString st = Trim(salaryType);
    const QString ct = Trim(contractType);
    if (s.isEmpty() || st.isEmpty()) return u"0000"_s;
    if (!IsAllDigits(s) || !IsAllDigits(st) || !IsAllDigits(ct)) return u"0000"_s;
    if (IsZero(ct)) return u"0000"_s;
    const bool exempt = Contains(kVinculosIsentosSalario, int(Num(ct)));
    if (!exempt && IsZero(s)) return u"0232"_s;
    if (st != u"1" || exempt) return u"0000"_s;
    // A contract salary has no month: it is compared with December's wage.
    if (IsBelowMinimumWage(s, u"12"_s)) return u"0230"_s;
    if (IsAtLeast150MinimumWages(s, u"12"_s)) return u"0231"_s;
    return u"0000"_s;
}

QString CheckContractSalaryRequired(const QString& contractType, const QString& salary, const QString&,
                                    const QString&) {
    const QString ct = Trim(contractType);
    if (!IsAllDigits(ct) || !Contains(kVinculosComSalario, int(Num(ct)))) return u"0000"_s;
    const QString s = Trim(salary);
    const QString c = CheckDigitsLength(s, u"9"_s);
    if (c != u"0000") return c;
    return IsZero(s) ? u"0232"_s : u"0000"_s;
}

QString CheckDismissalCause(const QString& cause) {
    const QString v = Trim(cause);
    if (v.isEmpty()) return u"0280"_s;
    const QString c = CheckDigitsLengthShort3648(v, u"2"_s);
    if (c != u"0000") return c;
    if (v == u"00") return u"0000"_s;
    return IsKnownCode(dmLobrix->taDesl, v, 2) ? u"0000"_s : u"0280"_s;
}

QString CheckDismissalDate(const QString& dismissalDate, const QString& year) {
    const QString v = Trim(dismissalDate);
    if (v.isEmpty()) return u"0292"_s;
    const QString c = CheckDigitsLength(v, u"4"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0000"_s;
    return IsValidDate8(v + Trim(year)) ? u"0000"_s : u"0292"_s;
}

QString CheckDismissalDateVsCause(const QString& dismissalDate, const QString& cause) {
    const QString d = Trim(dismissalDate);
    const QString c = Trim(cause);
    if (!IsAllDigits(d) || !IsAllDigits(c)) return u"0000"_s;
    if (!IsZero(c)) {
        if (Contains(kCausasSemData, int(Num(c)))) return IsAllZeros(d) ? u"0000"_s : u"3512"_s;
        return IsAllZeros(d) ? u"0291"_s : u"0000"_s;
    }
    return IsAllZeros(d) ? u"0000"_s : u"0293"_s;
}

QString CheckDismissalAfterAdmission(const QString& dismissalDate, const QString& admissionDate,
                                     const QString& referenceYear) {
    const QString d = Trim(dismissalDate);
    const QString a = Trim(admissionDate);
    const QString r = Trim(referenceYear);
    if (d.isEmpty() || a.isEmpty() || r.isEmpty()) return u"0000"_s;
    if (IsAllZeros(d) || d.size() != 4 || IsAllZeros(a) || a.size() != 8) return u"0000"_s;
    if (a.mid(4, 4) != r) return u"0000"_s;
    return Mmdd(d) < Mmdd(a) ? u"0290"_s : u"0000"_s;
}

QString CheckDismissalBeforeClosing(const QString& dismissalDate, const QString& closingDate,
                                    const QString& referenceYear) {
    const QString d = Trim(dismissalDate);
    const QString c = Trim(closingDate);
    if (d.isEmpty() || c.isEmpty()) return u"0000"_s;
    if (IsAllZeros(d) || d.size() != 4) return u"0000"_s;
    if (IsAllZeros(c) || c.size() != 8 || c.mid(4, 4) != Trim(referenceYear)) return u"0000"_s;
    return Mmdd(d) > Mmdd(c) ? u"3603"_s : u"0000"_s;
}

QString CheckDismissalCauseForClosing(const QString& closingFlag, const QString& establishmentYear,
                                      const QString& cause, const QString& baseYear) {
    if (Trim(establishmentYear) != Trim(baseYear) || Trim(closingFlag) != u"1") return u"0000"_s;
    const QString c = Trim(cause);
    if (c.isEmpty() || IsAllZeros(c)) return u"0281"_s;
    return u"0000"_s;
}
