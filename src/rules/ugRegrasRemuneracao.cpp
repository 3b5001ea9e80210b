#include "ugRegrasRemuneracao.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

namespace {

const QString& baseYearText() {
    static const QString s = QString::number(kAnoBase);
    return s;
}

// Below the month's minimum wage "0312" (except for the public bodies that
// may pay less), at least 150 minimum wages "0313".
// The pay is nine digits by now: its value is read once, plainly.
QString minimumAndCeiling(QStringView pay, QStringView month, QStringView legalNature) {
    const long long amount = Num(pay);
    const long long wage = MinimumWage(month);
    if (amount < wage) return InSet(legalNature, kNaturezasAbaixoMinimo) ? u"0000"_s : u"0312"_s;
    if (amount >= 150 * wage) return u"0313"_s;
    return u"0000"_s;
}

QString ceilingOnly(QStringView pay, QStringView month) {
    return Num(pay) >= 150 * MinimumWage(month) ? u"0313"_s : u"0000"_s;
}

QString orDefault(const QString& v, const QString& fallback) { return v.isEmpty() ? fallback : v; }

// StripLeadingZeros(Trim(s)), "0" when nothing is left, without the copy:
// the figures are stored zero-padded, so the copy was made for every month.
QStringView significantDigits(const QString& s) {
    const QStringView v(s);
    qsizetype b = 0, e = v.size();
    while (b < e && v[b].unicode() <= 32) ++b;
    while (e > b && v[e - 1].unicode() <= 32) --e;
    while (b < e && v[b] == u'0') ++b;
    return b == e ? QStringView(u"0") : v.sliced(b, e - b);
}

// IsAllDigits of a view.
bool allDigits(QStringView v) {
    qsizetype b = 0, e = v.size();
    while (b < e && v[b].unicode() <= 32) ++b;
    while (e > b && v[e - 1].unicode() <= 32) --e;
    if (b == e) return false;
    for (; b < e; ++b)
        if (v[b] < u'0' || v[b] > u'9') return false;
    return true;
}

}  // namespace

QString CheckMonthlyPayVsMinimumWage(const QString& pay, const QString& month, const QString& salaryType,
                                     const QString& referenceYear, const QString& admissionDate,
                                     const QString& dismissalDate, const QString& legalNature,
                                     const QString& contractType) {
    // Views of the values throughout: the check asks this of every month of
    // every contract.
    const QStringView p = TrimView(pay);
    if (p.isEmpty()) return u"0315"_s;
    const QString c = DigitsLengthCode(p, 9);
    if (c != u"0000") return c;
    if (AllZeros(p)) return u"0000"_s;
    const QStringView ct = TrimView(contractType);
    if (!AllDigits(ct) || Contains(kVinculosIsentosSalario, int(Num(ct)))) return u"0000"_s;
    const QStringView m = TrimView(month);
    const QStringView nj = TrimView(legalNature);
    if (TrimView(salaryType) != u"1") return ceilingOnly(p, m);
    const QStringView d = TrimView(dismissalDate);
    const QStringView a = TrimView(admissionDate);
    // A month of a partial pay (admission month, dismissal month and later) is
    // not compared with the minimum wage.
    const bool beforeDismissal = d.isEmpty() || AllZeros(d) || m < d.mid(2, 2);
    if (a.mid(4, 4) != TrimView(referenceYear)) return beforeDismissal ? minimumAndCeiling(p, m, nj) : u"0000"_s;
    if (beforeDismissal && m != a.mid(2, 2)) return minimumAndCeiling(p, m, nj);
    return ceilingOnly(p, m);
}

QString CheckMonthlyPayTenfold(const QString& pay, const QString& monthNumber, const QString& previousPay) {
    const QStringView prev = TrimView(previousPay);
    if (!AllDigits(prev) || Num(TrimView(monthNumber)) < 2) return u"0000"_s;
    const long long p = Num(TrimView(pay));
    const long long q = Num(prev);
    return p != 0 && q != 0 && p == 10 * q ? u"0314"_s : u"0000"_s;
}

QString CheckMonthlyPayForSchooling(const QString& pay, const QString& schooling, const QString& legalNature,
                                    const QString& monthNumber) {
    const QStringView p = TrimView(pay);
    const QStringView s = TrimView(schooling);
    const QStringView nj = TrimView(legalNature);
    if (!AllDigits(p) || !AllDigits(nj) || !AllDigits(s) || AllZeros(nj)) return u"0000"_s;
    if (AllZeros(p)) return u"0000"_s;
    if (InSet(nj, kNaturezasSemTetoEscolaridade)) return u"0000"_s;
    const QChar first = nj.at(0);
    if (first < u'2' || first > u'5') return u"0000"_s;
    const long long wage = Num(TrimView(monthNumber)) > 1 ? kSalarioMinimo : kSalarioMinimoJaneiro;
    const long long amount = Num(p);
    const long long level = Num(s);
    if (level >= 1 && level <= 7 && amount > kTetoEscolaridadeBasica * wage) return u"3768"_s;
    if (level >= 8 && level <= 11 && amount > kTetoEscolaridadeSuperior * wage) return u"3768"_s;
    return u"0000"_s;
}

QString CheckMonthlyPayVsContractSalary(const QString& pay, const QString& month, const QString& salaryType,
                                        const QString& admissionDate, const QString& dismissalDate,
                                        const QString& contractType, const QString& leave1Start,
                                        const QString& leave1End, const QString& leave2Start,
                                        const QString& leave2End, const QString& leave3Start,
                                        const QString& leave3End, const QString& contractSalary) {
    const QStringView p = significantDigits(pay);
    if (!allDigits(p) || Num(p) <= 0) return u"0000"_s;
    // A pay of at least 70 % of the contract salary is plausible.
    const QStringView sal = significantDigits(contractSalary);
    if (!allDigits(sal) || Num(p) * 10 >= Num(sal) * 7) return u"0000"_s;
    const QString m = orDefault(Trim(month), u"0000"_s);
    const QString st = orDefault(Trim(salaryType), u"0"_s);
    const QString a = Trim(admissionDate);
    const QString d = orDefault(Trim(dismissalDate), u"0000"_s);
    const QString ct = orDefault(Trim(contractType), u"00"_s);
    const std::array<QString, 6> leaves{orDefault(Trim(leave1Start), u"0000"_s), orDefault(Trim(leave1End), u"0000"_s),
                                        orDefault(Trim(leave2Start), u"0000"_s), orDefault(Trim(leave2End), u"0000"_s),
                                        orDefault(Trim(leave3Start), u"0000"_s), orDefault(Trim(leave3End), u"0000"_s)};
    if (!IsAllDigits(m) || !IsAllDigits(a) || !IsAllDigits(d)) return u"0000"_s;
    for (const QString& l : leaves)
        if (!IsAllDigits(l)) return u"0000"_s;
    if (!IsAllDigits(ct) || st != u"1" || Contains(kVinculosIsentosSalario, int(Num(ct)))) return u"0000"_s;
    // A month in which a leave starts or ends explains a smaller pay.
    const long long monthNumber = Num(m);
    for (const QString& l : leaves)
        if (Num(QStringView(l).mid(2, 2)) == monthNumber) return u"0000"_s;
    const QStringView dm = QStringView(d).mid(2, 2);
    if (dm == u"00" || m < dm) return u"3728"_s;
    return u"0000"_s;
}

QString CheckApprenticeAgeInMonth(const QString& monthNumber, const QString& contractType,
                                  const QString& birthDate, const QString& baseYear,
                                  const QString& disabilityType) {
    // Apprentices only: the one test that nearly every contract fails, first.
    if (TrimView(contractType) != u"55") return u"0000"_s;
    const QStringView m = TrimView(monthNumber);
    const QStringView b = TrimView(birthDate);
    const QStringView y = TrimView(baseYear);
    if (!AllDigits(b) || !AllDigits(m) || !AllDigits(y)) return u"0000"_s;
    if (IsZero(b) || b.size() != 8) return u"0000"_s;
    const QStringView def = TrimView(disabilityType);
    if (def != u"0" && !def.isEmpty()) return u"0000"_s;
    const long long age = Num(y) - Num(b.mid(4, 4));
    const long long birthMonth = Num(b.mid(2, 2));
    const long long month = Num(m);
    // Apprentices are 14 to 24: the months after the 24th birthday and
    // before the 14th do not count.
    if (age == 24 && birthMonth < month) return u"3503"_s;
    if (age == 14 && month < birthMonth) return u"3503"_s;
    return u"0000"_s;
}

QString CheckPayAfterDismissalMonth(const QString& monthNumber, const QString& dismissalDate) {
    const QStringView m = TrimView(monthNumber);
    const QStringView d = TrimView(dismissalDate);
    if (!AllDigits(d) || !AllDigits(m)) return u"0000"_s;
    if (!IsZero(d) && d.size() == 4 && Num(d.mid(2, 2)) < Num(m)) return u"0311"_s;
    return u"0000"_s;
}

QString CheckPayBeforeAdmissionMonth(const QString& monthNumber, const QString& admissionDate,
                                     const QString& referenceYear) {
    const QStringView m = TrimView(monthNumber);
    const QStringView a = TrimView(admissionDate);
    const QStringView r = TrimView(referenceYear);
    if (!AllDigits(m) || !AllDigits(a) || !AllDigits(r)) return u"0000"_s;
    if (IsZero(a) || IsZero(m) || IsZero(r) || a.size() != 8) return u"0000"_s;
    if (Num(a.mid(4, 4)) <= 0 || a.mid(4, 4) != r) return u"0000"_s;
    return Num(m) < Num(a.mid(2, 2)) ? u"0310"_s : u"0000"_s;
}

QString CheckRemunerationPresence(const QString& leave1Reason, const QString& leave1Start,
                                  const QString& leave1End, long long yearTotal, const QString& dismissalDate,
                                  const QString& dismissalCause, const QString& admissionDate,
                                  const std::array<long long, 12>& monthlyPays, const QString& leaveDays) {
    Q_UNUSED(leave1Reason);
    const QString start = Trim(leave1Start);
    const QString end = Trim(leave1End);
    const QString d = Trim(dismissalDate);
    const QString cause = Trim(dismissalCause);
    const QString a = Trim(admissionDate);
    QString result = u"0000"_s;
    if (yearTotal == 0) {
        // A year without pay is normal for a contract on leave all year, or
        // ended by one of the causes without pay.
        const bool explained =
            (d == end && !d.isEmpty() && d != u"0000") || (start == u"0101" && end == u"3112") ||
            (QStringView(a).mid(4, 4) == baseYearText() && QStringView(a).left(4) == start && end == u"3112") ||
            (IsAllDigits(cause) && Contains(kCausasSemRemuneracao, int(Num(cause)))) || QStringView(d).mid(2, 2) == u"01" ||
            Trim(leaveDays) == u"366";
        if (!explained) result = u"1674"_s;
    }
    if (result != u"0000" || !IsAllDigits(a) || !IsAllDigits(start)) return result;
    if (QStringView(d).mid(2, 2) != QStringView(end).mid(2, 2)) return result;
    const long long s = Num(QStringView(start).mid(2, 2));
    auto noPayBetween = [&](long long first, long long last) {
        for (long long i = first; i <= last; ++i)
            if (i >= 1 && i <= 12 && monthlyPays[size_t(i - 1)] != 0) return false;
        return true;
    };
    if (QStringView(a).mid(4, 4) != baseYearText()) {
        if (s < 2) return result;
        return noPayBetween(1, s - 1) ? u"1674"_s : u"0000"_s;
    }
    if (QStringView(a).mid(2, 2) < QStringView(start).mid(2, 2))
        return noPayBetween(Num(QStringView(a).mid(2, 2)), s - 1) ? u"1674"_s : u"0000"_s;
    return result;
}

QString CheckThirteenthAdvanceMonth(const QString& month) {
    const QStringView v = TrimView(month);
    if (v.isEmpty()) return u"0322"_s;
    const QString c = DigitsLengthCode(v, 2);
    if (c != u"0000") return c;
    const long long m = Num(v);
    return m >= 0 && m <= 12 ? u"0000"_s : u"0322"_s;
}

QString CheckThirteenthAdvanceValue(const QString& value) {
    const QStringView v = TrimView(value);
    if (v.isEmpty()) return u"0333"_s;
    return DigitsLengthCode(v, 9);
}

QString CheckThirteenthFinalMonth(const QString& month) {
    const QStringView v = TrimView(month);
    if (v.isEmpty()) return u"0322"_s;
    const QString c = DigitsLengthCode(v, 2);
    if (c != u"0000") return c;
    const long long m = Num(v);
    return (m >= 0 && m <= 12) || m == 99 ? u"0000"_s : u"0322"_s;
}

QString CheckThirteenthFinalValue(const QString& value) {
    const QStringView v = TrimView(value);
    if (v.isEmpty()) return u"0334"_s;
    return DigitsLengthCode(v, 9);
}

QString CheckThirteenthAdvance(const QString& month, const QString& value) {
    const QStringView m = TrimView(month);
    const QStringView v = TrimView(value);
    if (m.isEmpty() || v.isEmpty() || !AllDigits(m) || !AllDigits(v)) return u"0000"_s;
    if (IsZero(m) && IsZero(v)) return u"0000"_s;
    if (IsZero(m)) return u"0324"_s;
    if (IsZero(v)) return u"0330"_s;
    return IsAtLeast150MinimumWages(v, m) ? u"0332"_s : u"0000"_s;
}

QString CheckThirteenthFinal(const QString& month, const QString& value) {
    const QStringView m = TrimView(month);
    const QStringView v = TrimView(value);
    if (!AllDigits(m) || !AllDigits(v)) return u"0000"_s;
    if (IsZero(m) && IsZero(v)) return u"0000"_s;
    if (IsZero(m)) return u"0325"_s;
    if (IsZero(v)) return u"0331"_s;
    return IsAtLeast150MinimumWages(v, m) ? u"0332"_s : u"0000"_s;
}

QString CheckThirteenthMonthsOrder(const QString& advanceMonth, const QString& finalMonth) {
    const QStringView a = TrimView(advanceMonth);
    const QStringView f = TrimView(finalMonth);
    if (!AllDigits(a) || !AllDigits(f) || IsZero(a) || IsZero(f)) return u"0000"_s;
    if (Num(f) <= Num(a)) return u"0323"_s;
    if (Num(f) == 99) return u"0326"_s;
    return u"0000"_s;
}

QString CheckThirteenthAdvanceAfterAdmission(const QString& advanceMonth, const QString& admissionDate,
                                             const QString& referenceYear) {
    const QStringView m = TrimView(advanceMonth);
    const QStringView a = TrimView(admissionDate);
    const QStringView r = TrimView(referenceYear);
    if (!AllDigits(a) || !AllDigits(m) || !AllDigits(r)) return u"0000"_s;
    if (IsZero(a) || IsZero(m) || IsZero(r)) return u"0000"_s;
    if (a.mid(4, 4) == r && Num(m) < Num(a.mid(2, 2))) return u"0320"_s;
    return u"0000"_s;
}

QString CheckThirteenthFinalAfterAdmission(const QString& finalMonth, const QString& admissionDate,
                                           const QString& referenceYear) {
    const QStringView m = TrimView(finalMonth);
    const QStringView a = TrimView(admissionDate);
    if (!AllDigits(m) || !AllDigits(a) || IsZero(m) || IsZero(a)) return u"0000"_s;
    if (a.mid(4, 4) == TrimView(referenceYear) && Num(m) < Num(a.mid(2, 2))) return u"0320"_s;
    return u"0000"_s;
}

QString CheckThirteenthAdvanceBeforeDismissal(const QString& advanceMonth, const QString& dismissalDate) {
    const QStringView m = TrimView(advanceMonth);
    const QStringView d = TrimView(dismissalDate);
    if (IsZero(m) || IsZero(d)) return u"0000"_s;
    return Num(d.mid(2, 2)) < Num(m) ? u"0321"_s : u"0000"_s;
}

QString CheckThirteenthFinalBeforeDismissal(const QString& finalMonth, const QString& dismissalDate) {
    const QStringView m = TrimView(finalMonth);
    const QStringView d = TrimView(dismissalDate);
    if (!AllDigits(m) || !AllDigits(d) || IsZero(m)) return u"0000"_s;
    // "99": paid with the termination, in the dismissal month itself.
    if (!IsZero(d) && m != u"99" && Num(d.mid(2, 2)) < Num(m)) return u"0321"_s;
    return u"0000"_s;
}

QString CheckWorkedHoursFormat(const QString& hours) { return AllDigits(hours) ? u"0000"_s : u"0030"_s; }

QString CheckWorkedHoursLimit(const QString& hours) { return Num(TrimView(hours)) > 100 ? u"3698"_s : u"0000"_s; }

QString CheckWorkedHoursVsPay(const QString& hours, const QString& pay) {
    const QStringView h = TrimView(hours);
    // No hours, as nearly always: nothing to compare (a text that is not a
    // number counts as none).
    if (IsZero(h)) return u"0000"_s;
    const QStringView p = TrimView(pay);
    if (AllDigits(h) && AllDigits(p) && IsZero(p)) return u"3677"_s;
    return u"0000"_s;
}

QString CheckWorkedHoursPeriod(long long pay, long long hours, int monthNumber, int dismissalMonth,
                               QStringView admissionMonthYear, QStringView closingYear) {
    if (hours <= 0) return u"0000"_s;
    if (dismissalMonth != 0) return monthNumber > dismissalMonth ? u"3710"_s : u"0000"_s;
    const QStringView admissionYear = admissionMonthYear.mid(2, 4);
    if (admissionYear >= baseYearText()) {
        const QStringView closing = TrimView(closingYear);
        if (monthNumber < Num(admissionMonthYear.left(2)) &&
            (closing == admissionYear || closing.isEmpty() || AllZeros(closing)))
            return u"3711"_s;
    }
    return pay == 0 ? u"3677"_s : u"0000"_s;
}
