#include "ugRegrasIdentificacao.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

namespace {

bool isDigitOrCapital(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'); }

bool validCpf11(const QString& cpf) { return cpf.size() == 11 && IsAllDigits(cpf) && IsValidCpf(cpf); }
bool validCnpj14(const QString& v) { return v.size() == 14 && IsAllDigits(v) && IsValidCnpj(v); }
bool validCei14(const QString& v) { return v.size() == 14 && IsAllDigits(v) && IsValidCei(v); }

// "0050" valid as both, "0051" CNPJ only, "0052" CEI only, else the caller's code.
QString cnpjOrCeiCode(const QString& v, const QString& both, const QString& neither) {
    const bool cnpj = validCnpj14(v);
    const bool cei = validCei14(v);
    if (cnpj && cei) return both;
    if (cnpj) return u"0051"_s;
    if (cei) return u"0052"_s;
    return neither;
}

// Both dates of the declaration must lie in the year after the base year.
const QString& firstOfFollowingYear() {
    static const QString s = QString::number(kAnoBase + 1) + u"0101"_s;
    return s;
}
const QString& lastOfFollowingYear() {
    static const QString s = QString::number(kAnoBase + 1) + u"1231"_s;
    return s;
}

}  // namespace

QString CheckPrefix(const QString& prefix) {
    const QString v = Trim(prefix);
    if (v.isEmpty()) return u"0061"_s;
    if (!isDigitOrCapital(v.at(0))) return u"0060"_s;
    if (v.size() == 2) return isDigitOrCapital(v.at(1)) ? u"0000"_s : u"0060"_s;
    if (v.size() > 2) return u"X"_s;
    return u"0062"_s;
}

QString CheckInscription(const QString& inscription) {
    const QString v = Trim(inscription);
    if (v.isEmpty()) return u"0055"_s;
    const QString c = CheckDigitsLength(v, u"14"_s);
    if (c != u"0000") return c;
    return cnpjOrCeiCode(v, u"0050"_s, u"0053"_s);
}

QString CheckInscriptionType(const QString& inscriptionType) {
    const QString v = Trim(inscriptionType);
    if (v.isEmpty()) return u"0132"_s;
    const QString c = CheckDigitsLength(v, u"1"_s);
    if (c != u"0000") return c;
    return v == u"1" || v == u"3" ? u"0000"_s : u"0130"_s;
}

QString CheckInscriptionByType(const QString& inscription, const QString& inscriptionType) {
    const QString v = Trim(inscription);
    const QString t = Trim(inscriptionType);
    if (v.isEmpty() || t.isEmpty() || IsAllZeros(t)) return u"0000"_s;
    if (t == u"1") return validCnpj14(v) && !IsAllZeros(v) ? u"0000"_s : u"0134"_s;
    if (t == u"3") return !validCei14(v) || IsAllZeros(v) ? u"0135"_s : u"0000"_s;
    return u"0000"_s;
}

QString CheckInscriptionOrCpf(const QString& number, int typedLength) {
    const QString v = Trim(number);
    if (v.isEmpty()) return u"0055"_s;
    if (!IsAllDigits(v)) return u"0040"_s;
    if (typedLength == 11) {
        if (v.left(3) != u"000") return v.size() >= 11 && IsValidCpf(v.left(11)) ? u"0056"_s : u"0054"_s;
        const QString cpf = v.mid(3);
        if (IsAllZeros(cpf)) return u"0055"_s;
        return validCpf11(cpf) ? u"0056"_s : u"0054"_s;
    }
    if (IsAllZeros(v)) return u"0055"_s;
    return cnpjOrCeiCode(v, u"0049"_s, u"0054"_s);
}

QString CheckResponsibleInscriptionType(const QString& inscriptionType) {
    const QString v = Trim(inscriptionType);
    if (v.isEmpty()) return u"0128"_s;
    const QString c = CheckDigitsLength(v, u"1"_s);
    if (c != u"0000") return c;
    return v == u"1" || v == u"3" || v == u"4" ? u"0000"_s : u"0129"_s;
}

QString CheckResponsibleInscriptionByType(const QString& number, const QString& inscriptionType) {
    const QString v = Trim(number);
    const QString t = Trim(inscriptionType);
    if (v.isEmpty() || IsAllZeros(v) || t.isEmpty() || IsAllZeros(t)) return u"0000"_s;
    if (t == u"1") return validCnpj14(v) ? u"0000"_s : u"0131"_s;
    if (t == u"3") return validCei14(v) ? u"0000"_s : u"0131"_s;
    if (t == u"4") {
        // A CPF is kept with "000" in front of its eleven digits.
        const bool ok = v.size() == 14 ? v.left(3) == u"000" && validCpf11(v.mid(3)) : validCpf11(v);
        return ok ? u"0000"_s : u"0131"_s;
    }
    return u"0000"_s;
}

QString CheckCeiNumber(const QString& linkedCei) {
    const QString v = Trim(linkedCei);
    if (v.isEmpty()) return u"0431"_s;
    const QString c = CheckDigitsLength(v, u"14"_s);
    if (c != u"0000") return c;
    return IsAllZeros(v) || IsValidCei(v) ? u"0000"_s : u"0430"_s;
}

QString CheckLinkedCeiForInscriptionType(const QString& inscriptionType, const QString& linkedCei) {
    if (IsAllZeros(Trim(linkedCei))) return u"0000"_s;
    if (Trim(inscriptionType) != u"3") return u"0000"_s;
    return u"0350"_s;
}

QString CheckNegativeDeclarationFlag(const QString& flag) {
    const QString v = Trim(flag);
    if (v.isEmpty()) return u"0140"_s;
    const QString c = CheckDigitsLength(v, u"1"_s);
    if (c != u"0000") return c;
    return v == u"0" || v == u"1" ? u"0000"_s : u"0140"_s;
}

QString CheckNegativeDeclarationType(const QString& flag, const QString& inscriptionType,
                                     const QString& linkedCei12) {
    if (Trim(flag) != u"1") return u"0000"_s;
    const QString t = Trim(inscriptionType);
    if (t == u"3") return u"0133"_s;
    if (t == u"1" && !IsAllZeros(Trim(linkedCei12))) return u"0133"_s;
    return u"0000"_s;
}

QString CheckCompanyName(QString& name, const QString& inscription, const QString& inscriptionType) {
    name = Trim(name);
    if (name.isEmpty()) return u"0110"_s;
    const QString c = CheckName(name);
    if (c != u"0000") return c;
    const QString upper = name.toUpper();
    if (upper == u"MATRIZ" || upper == u"FILIAL") return u"0111"_s;
    // A root is the first part of a CNPJ; a CPF or CEI kept in 14 digits can
    // begin with the same digits without belonging to the company.
    const QString insc = Trim(inscription);
    if (Trim(inscriptionType) != u"1" || insc.size() < 8) return u"0000"_s;
    const QString root = insc.left(8);
    for (const RaizReservada& r : kRaizesReservadas) {
        if (!Is(root, r.raiz)) continue;
        if (!Is(upper.left(qsizetype(r.inicio.size())), r.inicio)) return u"3727"_s;
    }
    return u"0000"_s;
}

QString CheckFreeText(const QString& text) { return IsPlainText(text) ? u"0000"_s : u"0020"_s; }

QString CheckDeclarantName(QString& name) {
    name = Trim(name);
    if (name.isEmpty()) return u"3717"_s;
    if (!HasNoFourEqualChars(name)) return u"3100"_s;
    if (CountWords(name) == 1) return u"3716"_s;
    return CheckName(name);
}

QString CheckGenerationDate(const QString& date) {
    const QString v = Trim(date);
    const QString c = CheckDigitsLength(v, u"8"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0420"_s;
    if (!IsValidDate8(v)) return u"0421"_s;
    const QString ymd = Ymd(v);
    if (ymd < firstOfFollowingYear()) return u"0420"_s;
    if (ymd > lastOfFollowingYear()) return u"0423"_s;
    return u"0000"_s;
}

QString CheckAmendmentDate(bool amendment, const QString& date) {
    const QString v = Trim(date);
    const QString c = CheckDigitsLength(v, u"8"_s);
    if (c != u"0000") return c;
    if (!amendment) return IsAllZeros(v) ? u"0000"_s : u"0411"_s;
    if (IsAllZeros(v)) return u"0410"_s;
    if (!IsValidDate8(v)) return u"0412"_s;
    const QString ymd = Ymd(v);
    if (ymd < firstOfFollowingYear()) return u"0410"_s;
    if (ymd > lastOfFollowingYear()) return u"0413"_s;
    return u"0000"_s;
}

QString CheckReceiptNumber(const QString& receipt) {
    const QString v = Trim(receipt);
    if (v.size() != 12 || !IsAllDigits(v)) return u"0040"_s;
    if (IsAllZeros(v)) return u"0000"_s;
    if (v.at(0) == u'0' || v.at(1) != u'9') return u"3734"_s;
    if (v.count(v.at(0)) == 12) return u"3734"_s;
    return u"0000"_s;
}

QString CheckReceiptNumberForAmendment(const QString& receipt, const QString& amendment) {
    const QString v = Trim(receipt);
    if (Trim(amendment) != u"1") return !v.isEmpty() && v != u"000000000000" ? u"3735"_s : u"0000"_s;
    if (v.isEmpty()) return u"3739"_s;
    if (v == u"000000000000") return u"3734"_s;
    return u"0000"_s;
}

QString CheckDeclarantCpf(const QString& cpf) {
    const QString v = Trim(cpf);
    if (v.isEmpty()) return u"3718"_s;
    const QString c = CheckDigitsLength(v, u"11"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v) || !IsValidCpf(v) || !IsNotRepeatedDigits(v)) return u"0210"_s;
    return u"0000"_s;
}

QString CheckDeclarantCpfMatchesInscription(const QString& inscription, const QString& cpf,
                                            const QString& inscriptionType) {
    QString insc = Trim(inscription);
    if (insc.size() > 11) insc = insc.mid(3, 11);
    if (Trim(inscriptionType) != u"4") return u"0000"_s;
    return insc != Trim(cpf) ? u"0210"_s : u"0000"_s;
}

QString CheckDeclarantAge(const QString& birthDate) {
    const QString year = Trim(birthDate).mid(4, 4);
    if (year.isEmpty() || IsAllZeros(year) || !IsAllDigits(year)) return u"0000"_s;
    return kAnoBase - year.toInt() > 17 ? u"0000"_s : u"0179"_s;
}
