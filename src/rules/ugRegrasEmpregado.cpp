#include "ugRegrasEmpregado.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

namespace {

bool given(const QString& v) { return !v.isEmpty() && !IsAllZeros(v); }

QString firstWord(const QString& s) { return s.left(s.indexOf(u' ')); }

bool isLetterOrDigit(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

}  // namespace

QString CheckPisPasep(const QString& pisPasep) {
    const QString v = Trim(pisPasep);
    if (IsAllZeros(v)) return u"0150"_s;
    if (v.isEmpty()) return u"0153"_s;
    if (InSet(v, kPisRecusados)) return u"0150"_s;
    const QString c = CheckDigitsLength(v, u"11"_s);
    if (c != u"0000") return c;
    return IsValidPisPasep(v) ? u"0000"_s : u"0150"_s;
}

QString CheckPisForInscriptionType(const QString&, const QString&) { return u"0000"_s; }

QString CheckEmployeeName(QString& name, const QString& pisPasep) {
    name = Trim(name);
    if (name.isEmpty()) return u"0160"_s;
    if (!HasNoFourEqualChars(name)) return u"3100"_s;
    if (CountWords(name) == 1) return u"0161"_s;
    const QString c = CheckName(name);
    if (c != u"0000") return c;
    const QString pis = Trim(pisPasep);
    db::Table& t = dmLobrix->tbPisInval;
    if (LookupRow(t, pis, 11)) {
        // Only the first names are compared: the rest may be abbreviated.
        const QString listed = Field(t, "NoEmpregado");
        if (name.contains(u' ') && listed.contains(u' ') && firstWord(name) != firstWord(listed)) return u"3647"_s;
        return u"0000"_s;
    }
    for (const PisNominal& p : kPisNominais)
        if (Is(pis, p.pis) && !Is(name.toUpper(), p.nome)) return u"3647"_s;
    return u"0000"_s;
}

QString CheckBirthDate(const QString& birthDate) {
    const QString v = Trim(birthDate);
    if (v.isEmpty() || IsAllZeros(v)) return u"0170"_s;
    const QString c = CheckDigitsLength(v, u"8"_s);
    if (c != u"0000") return c;
    if (!IsValidDate8(v) || Num(QStringView(v).mid(4, 4)) <= 1900) return u"0175"_s;
    return u"0000"_s;
}

QString CheckEmployeeAge(const QString& birthDate, const QString& referenceYear) {
    const QStringView by = TrimView(birthDate).mid(4, 4);
    const QStringView ry = TrimView(referenceYear);
    if (!AllDigits(by) || !AllDigits(ry) || IsZero(by) || IsZero(ry)) return u"0000"_s;
    if (by > ry) return u"0174"_s;
    const long long age = Num(ry) - Num(by);
    if (age < 10) return u"0172"_s;
    if (age <= 14) return u"0176"_s;
    return u"0000"_s;
}

QString CheckNationality(const QString& nationality) {
    return CheckCodedField(nationality, 2, dmLobrix->taNacionalidade, u"0180"_s, u"0181"_s);
}

QString CheckArrivalYear(const QString& arrivalYear) { return CheckDigitsLength(Trim(arrivalYear), u"4"_s); }

QString CheckArrivalYearVsNationality(const QString& arrivalYear, const QString& nationality) {
    const QString y = Trim(arrivalYear);
    const QString n = Trim(nationality);
    if (n.isEmpty() || y.isEmpty() || !IsAllDigits(n)) return u"0000"_s;
    if (!IsAllDigits(y) || (IsZero(y) && IsZero(n))) return u"0000"_s;
    if (n != u"10") return y == u"0000" ? u"0191"_s : u"0000"_s;
    return y != u"0000" ? u"0190"_s : u"0000"_s;
}

QString CheckArrivalNotAfterBaseYear(const QString& arrivalYear, const QString& referenceYear,
                                     const QString& nationality) {
    const QString y = Trim(arrivalYear);
    const QString r = Trim(referenceYear);
    const QString n = Trim(nationality);
    if (!IsAllDigits(y) || !IsAllDigits(r) || !IsAllDigits(n)) return u"0000"_s;
    if (IsZero(y) || IsZero(r)) return u"0000"_s;
    if (!IsZero(n) && n != u"10" && Num(r) < Num(y)) return u"0192"_s;
    return u"0000"_s;
}

QString CheckArrivalAfterBirth(const QString& arrivalYear, const QString& birthDate, const QString& nationality) {
    const QString y = Trim(arrivalYear);
    const QString b = Trim(birthDate);
    const QString n = Trim(nationality);
    if (!IsAllDigits(y) || !IsAllDigits(b) || !IsAllDigits(n)) return u"0000"_s;
    if (IsZero(b) || IsZero(y)) return u"0000"_s;
    if (!IsZero(n) && n != u"10" && Num(y) < Num(b.mid(4, 4))) return u"0193"_s;
    return u"0000"_s;
}

QString CheckSchooling(const QString& schooling) {
    return CheckCodedField(schooling, 2, dmLobrix->taInstrucao, u"0200"_s, u"0201"_s);
}

QString CheckRace(const QString& race) {
    const QString v = Trim(race);
    if (v.isEmpty()) return u"0480"_s;
    return IsKnownCode(dmLobrix->taRaca, v, 1) ? u"0000"_s : u"0481"_s;
}

QString CheckSex(const QString& sex) {
    const QString v = Trim(sex);
    return v == u"1" || v == u"2" ? u"0000"_s : u"3524"_s;
}

QString CheckDisabilityIndicator(const QString& indicator) {
    const QString v = Trim(indicator);
    return v == u"1" || v == u"2" ? u"0000"_s : u"0001"_s;
}

QString CheckDisability(const QString& disabilityType, const QString& indicator, int fileMode) {
    const QString t = Trim(disabilityType);
    const QString i = Trim(indicator);
    if (fileMode == 1) {
        if (!IsAllDigits(t) || Num(t) >= 7) return u"3701"_s;
        if (t == u"0" && i == u"1") return u"3701"_s;
        if (t != u"0" && i == u"2") return u"3701"_s;
        return u"0000"_s;
    }
    if (i.isEmpty()) return u"3701"_s;
    if (t.isEmpty() && i == u"1") return u"3701"_s;
    if (!t.isEmpty() && t != u"0" && i == u"2") return u"3701"_s;
    if (i == u"1" && !IsKnownCode(dmLobrix->taDeficiente, t, 1)) return u"3701"_s;
    return u"0000"_s;
}

QString CheckWorkCardNumber(const QString& number, const QString&) {
    const QString v = Trim(number);
    if (!v.isEmpty() && v != u"00000000") return CheckDigitsLength(v, u"8"_s);
    return u"0000"_s;
}

QString CheckWorkCardDigits(const QString& number) { return IsAllDigits(number) ? u"0000"_s : u"0212"_s; }

QString CheckWorkCardSeries(const QString& series) {
    return IsPlainText(Trim(series)) ? u"0000"_s : u"0020"_s;
}

QString CheckWorkCardNumberAndSeries(const QString& number, const QString& series) {
    const QString n = Trim(number);
    const QString s = Trim(series);
    if (s.size() > 5 && !IsAllZeros(s)) return u"0215"_s;
    if (!given(n) && given(s)) return u"3723"_s;
    if (!given(s) && given(n)) return u"0214"_s;
    return u"0000"_s;
}

QString CheckWorkCardSeriesFormat(const QString& series, const QString& nationality, const QString& number) {
    const QString s = Trim(series);
    const QString nat = Trim(nationality);
    const QString n = Trim(number);
    if (n == u"00000000" || s == u"00000" || n.isEmpty() || s.isEmpty()) return u"0000"_s;
    if (nat != u"10" && nat != u"20") {
        // A foreigner's series: a letter or digit followed by four digits.
        const bool ok = s.size() == 5 && isLetterOrDigit(s.at(0)) && DigitsOnly(QStringView(s).mid(1));
        return ok ? u"0000"_s : u"0213"_s;
    }
    return DigitsOnly(s) && s.size() <= 5 ? u"0000"_s : u"0213"_s;
}

QString CheckCpf(const QString& cpf) {
    const QString v = Trim(cpf);
    if (v.isEmpty()) return u"0000"_s;
    const QString c = CheckDigitsLength(v, u"11"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0000"_s;
    return IsValidCpf(v) && IsNotRepeatedDigits(v) ? u"0000"_s : u"0210"_s;
}

QString CheckWorkCardOrCpf(const QString& number, const QString& cpf, const QString& contractType,
                           const QString& dismissalDate) {
    if (!IsAllDigits(Trim(contractType))) return u"0000"_s;
    const bool card = given(Trim(number));
    const bool hasCpf = given(Trim(cpf));
    if (!card) return hasCpf ? u"0000"_s : u"0340"_s;
    if (hasCpf) return u"0000"_s;
    if (!given(Trim(dismissalDate))) return u"0000"_s;
    return u"3759"_s;
}

QString CheckCpfRequired(const QString& cpf, const QString& contractType, const QString& dismissalDate,
                         const QString& permit) {
    if (given(Trim(cpf))) return u"0000"_s;
    const QString ct = Trim(contractType);
    if (Trim(permit) != u"1" && IsAllDigits(ct) && Contains(kVinculosExigemCpf, int(Num(ct))))
        return given(Trim(dismissalDate)) ? u"0000"_s : u"3722"_s;
    return u"0000"_s;
}
