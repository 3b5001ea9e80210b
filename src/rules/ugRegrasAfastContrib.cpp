#include "ugRegrasAfastContrib.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

namespace {

// The values are tested where they are: the check asks these rules of every
// contract, nearly always of zeros.
bool given(QStringView v) { return !v.isEmpty() && !AllZeros(v); }

// The original text when trimming took nothing off, else the trimmed copy:
// for the helpers that take a text.
QString Whole(const QString& original, QStringView trimmed) {
    return trimmed.size() == original.size() ? original : trimmed.toString();
}

// A value and its months count must come together.
QString valueAndMonths(const QString& value, const QString& months, const QString& monthsWithoutValue) {
    const QStringView v = TrimView(value);
    const QStringView m = TrimView(months);
    const bool noValue = v == u"00000000" || v == u"0,00" || v.isEmpty();
    const bool noMonths = m == u"00" || m.isEmpty() || m == u"0";
    if (noValue && noMonths) return u"0000"_s;
    if (noValue) return monthsWithoutValue;
    if (noMonths) return u"3680"_s;
    return u"0000"_s;
}

}  // namespace

QString CheckLeaveReason(const QString& reason) {
    const QStringView v = TrimView(reason);
    const QString c = DigitsLengthCode(v, 2);
    if (c != u"0000") return c;
    if (AllZeros(v)) return u"0000"_s;
    return Contains(kMotivosAfastamento, int(Num(v))) ? u"0000"_s : u"3629"_s;
}

QString CheckLeaveDate(const QString& leaveDate, const QString& year) {
    const QStringView v = TrimView(leaveDate);
    const QString c = DigitsLengthCode(v, 4);
    if (c != u"0000") return c;
    if (AllZeros(v)) return u"0000"_s;
    QString date = v.toString();
    date += TrimView(year);
    return IsValidDate8(date) ? u"0000"_s : u"3630"_s;
}

QString CheckLeaveDateVsReason(const QString& leaveDate, const QString& reason, int startFlag) {
    const QStringView d = TrimView(leaveDate);
    QStringView r = TrimView(reason);
    if (!AllDigits(r)) r = u"00";
    if (!IsZero(r)) {
        if (!AllZeros(d)) return u"0000"_s;
        return startFlag == 1 ? u"3638"_s : u"3643"_s;
    }
    return AllZeros(d) ? u"0000"_s : u"3646"_s;
}

QString CheckLeaveNotBeforeAdmission(const QString& leaveDate, const QString& admissionDate,
                                     const QString& referenceYear) {
    const QStringView l = TrimView(leaveDate);
    const QStringView a = TrimView(admissionDate);
    const QStringView r = TrimView(referenceYear);
    if (l.isEmpty() || a.isEmpty() || r.isEmpty()) return u"0000"_s;
    if (AllZeros(l) || l.size() != 4 || AllZeros(a) || a.size() != 8) return u"0000"_s;
    if (a.mid(4, 4) != r) return u"0000"_s;
    return Mmdd(l.toString()) < Mmdd(a.toString()) ? u"3632"_s : u"0000"_s;
}

QString CheckLeaveNotAfterDismissal(const QString& leaveDate, const QString& dismissalDate, const QString&) {
    const QStringView l = TrimView(leaveDate);
    const QStringView d = TrimView(dismissalDate);
    if (l.isEmpty() || d.isEmpty()) return u"0000"_s;
    if (AllZeros(d) || d.size() != 4 || AllZeros(l) || l.size() != 4) return u"0000"_s;
    return Mmdd(l.toString()) > Mmdd(d.toString()) ? u"3631"_s : u"0000"_s;
}

QString CheckLeaveDateOrder(const QString& leaveStart, const QString& leaveEnd) {
    const QStringView s = TrimView(leaveStart);
    const QStringView e = TrimView(leaveEnd);
    if (!AllDigits(s) || !AllDigits(e) || AllZeros(s)) return u"0000"_s;
    if (s.size() != 4 || e.size() != 4 || AllZeros(e)) return u"0000"_s;
    return Mmdd(e.toString()) < Mmdd(s.toString()) ? u"3633"_s : u"0000"_s;
}

QString CheckLeaveDays(const QString& leaveDays, const QString& firstReason) {
    const QStringView v = TrimView(leaveDays);
    const QString c = DigitsLengthCode(v, 3);
    if (c != u"0000") return c;
    if (AllZeros(v)) return u"0000"_s;
    if (Num(v) >= 366) return u"3640"_s;
    const QStringView r = TrimView(firstReason);
    if (r.isEmpty() || AllZeros(r)) return u"3753"_s;
    return u"0000"_s;
}

QString CheckLeaveDaysRequired(const QString& firstReason, const QString& secondReason,
                               const QString& thirdReason, const QString& leaveDays) {
    bool anyReason = false;
    for (const QString* r : {&firstReason, &secondReason, &thirdReason}) {
        const QStringView v = TrimView(*r);
        anyReason = anyReason || (!v.isEmpty() && v != u"00");
    }
    const QStringView d = TrimView(leaveDays);
    return anyReason && (d.isEmpty() || d == u"000") ? u"3644"_s : u"0000"_s;
}

QString CheckLeaveReasonOrder(const QString& firstReason, const QString& secondReason, const QString& thirdReason) {
    const bool r1 = given(TrimView(firstReason));
    const bool r2 = given(TrimView(secondReason));
    const bool r3 = given(TrimView(thirdReason));
    if (r3 && (!r1 || !r2)) return u"3749"_s;
    if (r2 && !r1) return u"3748"_s;
    return u"0000"_s;
}

QString CheckContributionCnpj(const QString& cnpj, const QString& kind, int, int zerosAllowed) {
    const QStringView trimmed = TrimView(cnpj);
    const QString c = DigitsLengthCode(trimmed, 14);
    if (c != u"0000") return c;
    if (AllZeros(trimmed)) return zerosAllowed == 1 ? u"0000"_s : u"3746"_s;
    const QString v = Whole(cnpj, trimmed);
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
    const QStringView v = TrimView(amount);
    if (v.isEmpty()) return u"3648"_s;
    return DigitsLengthCode(v, 9);
}

QString CheckContractContributionAmount(const QString& amount) {
    const QStringView v = TrimView(amount);
    if (v.isEmpty()) return u"3648"_s;
    return DigitsLengthCode(v, 8);
}

QString CheckContributionValueVsCnpj(const QString& cnpj, const QString& amount, const QString& kind,
                                     const QString& contractType, int, int) {
    QStringView c = TrimView(cnpj);
    QStringView a = TrimView(amount);
    if (AllZeros(a)) a = u"0,00";
    if (c == u"00000000000000") c = QStringView();
    if (!a.isEmpty() && a != u"0,00" && c.isEmpty()) return u"3744"_s;
    const QStringView ct = TrimView(contractType);
    const bool exempt = AllDigits(ct) && Contains(kVinculosIsentosSalario, int(Num(ct)));
    if (!exempt && c.isEmpty() && Is(TrimView(kind), kContribSindical)) return u"3687"_s;
    return u"0000"_s;
}

QString CheckAssociationCnpjsDiffer(const QString& firstCnpj, const QString& secondCnpj) {
    return TrimView(firstCnpj) == TrimView(secondCnpj) ? u"3745"_s : u"0000"_s;
}

QString CheckAssociationVsUnionised(const QString& cnpj, const QString& unionised, int record) {
    const bool hasCnpj = given(TrimView(cnpj));
    const QStringView i = TrimView(unionised);
    if (i == u"1" && !hasCnpj) return record == 0 ? u"3713"_s : u"3702"_s;
    if (i == u"2" && hasCnpj) return record == 0 ? u"3756"_s : u"3757"_s;
    return u"0000"_s;
}

QString CheckSecondAssociationVsUnionised(const QString& cnpj, const QString& unionised) {
    return TrimView(unionised) == u"2" && given(TrimView(cnpj)) ? u"3757"_s : u"0000"_s;
}

QString CheckUnionisedIndicator(const QString& unionised) {
    const QStringView v = TrimView(unionised);
    return v == u"1" || v == u"2" ? u"0000"_s : u"3704"_s;
}

QString CheckEmployerUnionCnpj(const QString& cnpj) {
    return IsKnownCode(dmLobrix->tbEmpreg, Trim(cnpj), 14) ? u"0000"_s : u"3688"_s;
}

QString CheckWorkerUnionCnpj(const QString& cnpj) {
    return IsKnownCode(dmLobrix->tbTrab, Trim(cnpj), 14) ? u"0000"_s : u"3689"_s;
}

QString CheckNoticePayValue(const QString& noticePay) {
    const QStringView v = TrimView(noticePay);
    if (v.isEmpty()) return u"0335"_s;
    return DigitsLengthCode(v, 9);
}

QString CheckNoticePayVsCause(const QString& noticePay, const QString& cause) {
    const QStringView v = TrimView(noticePay);
    const QStringView c = TrimView(cause);
    if (!AllDigits(c)) return u"0000"_s;
    if (Contains(kCausasComAvisoPrevio, int(Num(c)))) return u"0000"_s;
    return given(v) ? u"0335"_s : u"0000"_s;
}

QString CheckAmountDigits(const QString& amount) {
    return DigitsLengthCode(amount, 8) != u"0000" ? u"3648"_s : u"0000"_s;
}

QString CheckMonthsCount(const QString& months) {
    return DigitsLengthCode(months, 2) != u"0000" ? u"3648"_s : u"0000"_s;
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
    for (const QString* v : {&holidays, &fines, &hourBank, &wageAgreement, &bonuses}) sum += Num(TrimView(*v));
    return sum == 0 ? u"3758"_s : u"0000"_s;
}
