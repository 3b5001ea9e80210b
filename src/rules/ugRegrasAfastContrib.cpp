#include "ugRegrasAfastContrib.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

namespace {

bool given(const QString& v) { return !v.isEmpty() && !IsAllZeros(v); }

// A value and its months count must come together.
QString valueAndMonths(const QString& value, const QString& months, const QString& monthsWithoutValue) {
    const QString v = Trim(value);
    const QString m = Trim(months);
    const bool noValue = v == u"00000000" || v == u"0,00" || v.isEmpty();
    const bool noMonths = m == u"00" || m.isEmpty() || m == u"0";
    if (noValue && noMonths) return u"0000"_s;
    if (noValue) return monthsWithoutValue;
    if (noMonths) return u"3680"_s;
    return u"0000"_s;
}

}  // namespace

QString CheckLeaveReason(const QString& reason) {
    const QString v = Trim(reason);
    const QString c = CheckDigitsLength(v, u"2"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0000"_s;
    return Contains(kMotivosAfastamento, int(Num(v))) ? u"0000"_s : u"3629"_s;
}

QString CheckLeaveDate(const QString& leaveDate, const QString& year) {
    const QString v = Trim(leaveDate);
    const QString c = CheckDigitsLength(v, u"4"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0000"_s;
    return IsValidDate8(v + Trim(year)) ? u"0000"_s : u"3630"_s;
}

QString CheckLeaveDateVsReason(const QString& leaveDate, const QString& reason, int startFlag) {
    const QString d = Trim(leaveDate);
    QString r = Trim(reason);
    if (!IsAllDigits(r)) r = u"00"_s;
    if (!IsZero(r)) {
        if (!IsAllZeros(d)) return u"0000"_s;
        return startFlag == 1 ? u"3638"_s : u"3643"_s;
    }
    return IsAllZeros(d) ? u"0000"_s : u"3646"_s;
}

QString CheckLeaveNotBeforeAdmission(const QString& leaveDate, const QString& admissionDate,
                                     const QString& referenceYear) {
    const QString l = Trim(leaveDate);
    const QString a = Trim(admissionDate);
    const QString r = Trim(referenceYear);
    if (l.isEmpty() || a.isEmpty() || r.isEmpty()) return u"0000"_s;
    if (IsAllZeros(l) || l.size() != 4 || IsAllZeros(a) || a.size() != 8) return u"0000"_s;
    if (a.mid(4, 4) != r) return u"0000"_s;
    return Mmdd(l) < Mmdd(a) ? u"3632"_s : u"0000"_s;
}

QString CheckLeaveNotAfterDismissal(const QString& leaveDate, const QString& dismissalDate, const QString&) {
    const QString l = Trim(leaveDate);
    const QString d = Trim(dismissalDate);
    if (l.isEmpty() || d.isEmpty()) return u"0000"_s;
    if (IsAllZeros(d) || d.size() != 4 || IsAllZeros(l) || l.size() != 4) return u"0000"_s;
    return Mmdd(l) > Mmdd(d) ? u"3631"_s : u"0000"_s;
}

QString CheckLeaveDateOrder(const QString& leaveStart, const QString& leaveEnd) {
    const QString s = Trim(leaveStart);
    const QString e = Trim(leaveEnd);
    if (!IsAllDigits(s) || !IsAllDigits(e) || IsAllZeros(s)) return u"0000"_s;
    if (s.size() != 4 || e.size() != 4 || IsAllZeros(e)) return u"0000"_s;
    return Mmdd(e) < Mmdd(s) ? u"3633"_s : u"0000"_s;
}

QString CheckLeaveDays(const QString& leaveDays, const QString& firstReason) {
    const QString v = Trim(leaveDays);
    const QString c = CheckDigitsLength(v, u"3"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0000"_s;
    if (Num(v) >= 366) return u"3640"_s;
    const QString r = Trim(firstReason);
    if (r.isEmpty() || IsAllZeros(r)) return u"3753"_s;
    return u"0000"_s;
}

QString CheckLeaveDaysRequired(const QString& firstReason, const QString& secondReason,
                               const QString& thirdReason, const QString& leaveDays) {
    bool anyReason = false;
    for (const QString* r : {&firstReason, &secondReason, &thirdReason}) {
        const QString v = Trim(*r);
        anyReason = anyReason || (!v.isEmpty() && v != u"00");
    }
    const QString d = Trim(leaveDays);
    return anyReason && (d.isEmpty() || d == u"000") ? u"3644"_s : u"0000"_s;
}

QString CheckLeaveReasonOrder(const QString& firstReason, const QString& secondReason, const QString& thirdReason) {
    const bool r1 = given(Trim(firstReason));
    const bool r2 = given(Trim(secondReason));
    const bool r3 = given(Trim(thirdReason));
    if (r3 && (!r1 || !r2)) return u"3749"_s;
    if (r2 && !r1) return u"3748"_s;
    return u"0000"_s;
}

QString CheckContributionCnpj(const QString& cnpj, const QString& kind, int, int zerosAllowed) {
    const QString v = Trim(cnpj);
    const QString c = CheckDigitsLength(v, u"14"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return zerosAllowed == 1 ? u"0000"_s : u"3746"_s;
    if (IsNotHeadOffice(v)) {
        // Contributions go to an entity's head office; the union tax alone
        // may name the fixed "exempt" inscription instead.
        if (Is(kind, kContribAssociativa)) return u"3684"_s;
        if (Is(kind, kContribSindical) || Is(kind, kContribSindicalEstab))
            return Is(v, kCnpjIsentoSindical) ? u"0000"_s : u"0059"_s;
        if (Is(kind, kContribAssistencial)) return u"3690"_s;
        if (Is(kind, kContribConfederativa)) return u"3692"_s;
        return u"0059"_s;
    }
    const bool isCnpj = IsValidCnpj(v);
    const bool isCei = IsValidCei(v);
    if (isCnpj && isCei) return u"0050"_s;
    if (isCnpj) return u"0051"_s;
    if (isCei) return u"0052"_s;
    return u"0059"_s;
}

QString CheckContributionCnpjNotOwnOrBank(const QString& cnpj, const QString& inscription, int record) {
    if (cnpj.isEmpty()) return u"0000"_s;
    if (cnpj == inscription) return record == 0 ? u"3742"_s : u"3743"_s;
    if (InSet(cnpj, kCnpjsBancos)) return u"3741"_s;
    return u"0000"_s;
}

QString CheckRequiredIfFlag(const QString& value, int fileMode) {
    return fileMode != 0 && value.isEmpty() ? u"0030"_s : u"0000"_s;
}

QString CheckEstablishmentContributionAmount(const QString& amount) {
    const QString v = Trim(amount);
    if (v.isEmpty()) return u"3648"_s;
    return CheckDigitsLength(v, u"9"_s);
}

QString CheckContractContributionAmount(const QString& amount) {
    const QString v = Trim(amount);
    if (v.isEmpty()) return u"3648"_s;
    return CheckDigitsLength(v, u"8"_s);
}

QString CheckContributionValueVsCnpj(const QString& cnpj, const QString& amount, const QString& kind,
                                     const QString& contractType, int, int) {
    QString c = Trim(cnpj);
    QString a = Trim(amount);
    if (IsAllZeros(a)) a = u"0,00"_s;
    if (c == u"00000000000000") c.clear();
    if (!a.isEmpty() && a != u"0,00" && c.isEmpty()) return u"3744"_s;
    const QString ct = Trim(contractType);
    const bool exempt = IsAllDigits(ct) && Contains(kVinculosIsentosSalario, int(Num(ct)));
    if (!exempt && c.isEmpty() && Is(Trim(kind), kContribSindical)) return u"3687"_s;
    return u"0000"_s;
}

QString CheckAssociationCnpjsDiffer(const QString& firstCnpj, const QString& secondCnpj) {
    return Trim(firstCnpj) == Trim(secondCnpj) ? u"3745"_s : u"0000"_s;
}

QString CheckAssociationVsUnionised(const QString& cnpj, const QString& unionised, int record) {
    const bool hasCnpj = given(Trim(cnpj));
    const QString i = Trim(unionised);
    if (i == u"1" && !hasCnpj) return record == 0 ? u"3713"_s : u"3702"_s;
    if (i == u"2" && hasCnpj) return record == 0 ? u"3756"_s : u"3757"_s;
    return u"0000"_s;
}

QString CheckSecondAssociationVsUnionised(const QString& cnpj, const QString& unionised) {
    return Trim(unionised) == u"2" && given(Trim(cnpj)) ? u"3757"_s : u"0000"_s;
}

QString CheckUnionisedIndicator(const QString& unionised) {
    const QString v = Trim(unionised);
    return v == u"1" || v == u"2" ? u"0000"_s : u"3704"_s;
}

QString CheckEmployerUnionCnpj(const QString& cnpj) {
    return IsKnownCode(dmLobrix->tbEmpreg, Trim(cnpj), 14) ? u"0000"_s : u"3688"_s;
}

QString CheckWorkerUnionCnpj(const QString& cnpj) {
    return IsKnownCode(dmLobrix->tbTrab, Trim(cnpj), 14) ? u"0000"_s : u"3689"_s;
}

QString CheckNoticePayValue(const QString& noticePay) {
    const QString v = Trim(noticePay);
    if (v.isEmpty()) return u"0335"_s;
    return CheckDigitsLength(v, u"9"_s);
}

QString CheckNoticePayVsCause(const QString& noticePay, const QString& cause) {
    const QString v = Trim(noticePay);
    const QString c = Trim(cause);
    if (!IsAllDigits(c)) return u"0000"_s;
    if (Contains(kCausasComAvisoPrevio, int(Num(c)))) return u"0000"_s;
    return given(v) ? u"0335"_s : u"0000"_s;
}

QString CheckAmountDigits(const QString& amount) {
    return CheckDigitsLength(amount, u"8"_s) != u"0000" ? u"3648"_s : u"0000"_s;
}

QString CheckMonthsCount(const QString& months) {
    return CheckDigitsLength(months, u"2"_s) != u"0000" ? u"3648"_s : u"0000"_s;
}

QString CheckRescissionValueNeedsCause(const QString& cause, const QString& amount) {
    if (!cause.isEmpty() && cause != u"00") return u"0000"_s;
    if (amount == u"0,00" || amount.isEmpty() || amount == u"00000000" || amount == u"0") return u"0000"_s;
    return u"3675"_s;
}

QString CheckHourBankValueMonths(const QString& value, const QString& months) {
    return valueAndMonths(value, months, u"3681"_s);
}

QString CheckWageAgreementValueMonths(const QString& value, const QString& months) {
    return valueAndMonths(value, months, u"3682"_s);
}

QString CheckBonusValueMonths(const QString& value, const QString& months) {
    return valueAndMonths(value, months, u"3683"_s);
}

QString CheckRescissionValuesPresent(const QString& holidays, const QString& fines, const QString& hourBank,
                                     const QString& wageAgreement, const QString& bonuses) {
    long long sum = 0;
    for (const QString* v : {&holidays, &fines, &hourBank, &wageAgreement, &bonuses}) sum += Num(Trim(*v));
    return sum == 0 ? u"3758"_s : u"0000"_s;
}
