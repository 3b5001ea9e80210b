// The checks of a contract record (type 2).

#include "rules/ugCriticaVinculo.h"
#include "rules/ugCriticaRegras.h"
#include "rules/RuleText.h"

#include "shell/ugFuncoes.h"

#include <cstring>

namespace critica {

namespace {
const char* const kNames[] = {
#define LOBRIX_NAME(name) #name,
    LOBRIX_CONTRACT_FIELDS(LOBRIX_NAME)
#undef LOBRIX_NAME
};
}  // namespace

QList<db::FieldDef> ContractFieldsRead() {
    QList<db::FieldDef> defs;
    for (const char* name : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado"})
        defs << db::textField(QLatin1String(name), 0);
    for (const char* name : kNames) defs << db::textField(QLatin1String(name), 0);
    return defs;
}

void ContractRow::Read(ValidationRun& run) {
    if (run.contractFields.empty()) {
        for (const char* name : kNames) run.contractFields.push_back(&run.vinc->FieldByName(QLatin1String(name)));
        indexes_.clear();
        for (const db::Field* f : run.contractFields) indexes_.push_back(f->Index());
    }
    // The whole row in one call, as nearly always; field by field otherwise.
    if (!run.vinc->ReadBytes(indexes_, bytes_.data()))
        for (std::size_t i = 0; i < kCount; ++i) bytes_[i] = run.contractFields[i]->AsUtf8();
    made_.reset();
}

void ContractRow::Make(std::size_t i) const {
    made_[i] = true;
    const QByteArrayView b = bytes_[i];
    // A null value is a null text, as the field would give it.
    null_[i] = b.data() == nullptr;
    if (null_[i]) return;
    QString& t = texts_[i];
    const char* p = b.data();
    const qsizetype n = b.size();
    // Eight bytes at a time: any top bit set is UTF-8 beyond ASCII.
    quint64 seen = 0;
    qsizetype k = 0;
    for (; k + 8 <= n; k += 8) {
        quint64 word;
        std::memcpy(&word, p + k, 8);
        seen |= word;
    }
    for (; k < n; ++k) seen |= static_cast<unsigned char>(p[k]);
    if (seen & 0x8080808080808080ull) {
        t = QString::fromUtf8(b);
        return;
    }
    // Plain ASCII, by far the most: widened into the text's own room, which
    // a text still held elsewhere does not share. Fixed-width fields keep
    // their length from contract to contract: then nothing is resized.
    if (t.size() != n || !t.isDetached()) t.resize(n);
    char16_t* d = reinterpret_cast<char16_t*>(t.data());
    for (qsizetype k = 0; k < n; ++k) d[k] = static_cast<unsigned char>(p[k]);
}

}  // namespace critica

using namespace critica;

namespace {

// The establishment's fields the contract checks read, found by name once
// per run rather than on every contract.
enum class E { DaEncerramentoAtividade, CoNaturezaJuridica, InEncerramentoAtividade, InInscrEstabelecimento,
               CoCnae2, CoCgcCeiEstabelecimento };

QString Get(ValidationRun& run, E field) {
    if (run.establishmentFields.empty()) {
        for (const char* name : {"DaEncerramentoAtividade", "CoNaturezaJuridica", "InEncerramentoAtividade",
                                 "InInscrEstabelecimento", "CoCnae2", "CoCgcCeiEstabelecimento"})
            run.establishmentFields.push_back(&run.emp->FieldByName(QLatin1String(name)));
    }
    return run.establishmentFields[std::size_t(field)]->AsString();
}

const char* MonthLabel(int m) {
    static const char* const kLabels[] = {"1640", "1641", "1642", "1643", "1644", "1645", "1646",
                                          "1647", "1648", "1649", "1650", "1651", "1652"};
    return kLabels[m];
}

// The value of a digit text, 0 for anything else.
long long DigitsValue(QStringView text) {
    if (text.isEmpty() || text.size() > 18) return 0;
    // Plain digits, nearly always, are added up in one pass; toLongLong reads
    // the rest (blanks below code 32 around them).
    long long n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return rules::AllDigits(text) ? text.toLongLong() : 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// TrimBoth as a view: blanks off both ends.
QStringView TrimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ') ++b;
    while (e > b && s[e - 1] == u' ') --e;
    return s.sliced(b, e - b);
}

// The month as the pay rules take it: "01".."12" and "1".."12".
const QString& MonthTwoDigits(int m) {
    static const QString kTexts[] = {u"00"_s, u"01"_s, u"02"_s, u"03"_s, u"04"_s, u"05"_s, u"06"_s,
                                     u"07"_s, u"08"_s, u"09"_s, u"10"_s, u"11"_s, u"12"_s};
    return kTexts[m];
}
const QString& MonthNumberText(int m) {
    static const QString kTexts[] = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s,  u"5"_s, u"6"_s,
                                     u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s, u"12"_s};
    return kTexts[m];
}

// What one contract's check carries from step to step.
struct Context {
    ValidationRun& run;
    db::Table& emp;
    const ContractRow& c;
    Findings f;
    int fileMode;
    QString baseYear;       // the main window's base year
    QString referenceYear;  // the base year, or the next one for an establishment closed later
    QString closingDate;    // the establishment's
    QString closingYear;    // characters 5 to 8 of its closing date, trimmed
    QString keptCause;
    QString legalNature;    // the establishment's
    std::array<long long, 12> payValues{};
    bool payValuesRead = false;
};

void CheckAdmission(Context& x) {  // 2
    const ContractRow& c = x.c;
    const QString& admission = c[C::DaAdmissaoEmpregado];
    QString r = CheckAdmissionDate(admission);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1632", admission}});
        return;
    }
    r = CheckAdmissionNotAfterBaseYear(admission, x.referenceYear);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1632", admission}, {"1658", x.referenceYear}});
    r = CheckAdmissionBeforeClosing(x.closingDate, admission);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1632", admission}, {"1669", x.closingDate}});
    r = CheckAgeAtAdmission(c[C::DaNascimentoEmpregado], admission);
    if (r == QLatin1String("0171"))
        x.f.War(r, {{"1632", admission}, {"1626", c[C::DaNascimentoEmpregado]}});
    else if (!Ok(r))
        x.f.ErrCounted(r, {{"1632", admission}, {"1626", c[C::DaNascimentoEmpregado]}});
    r = CheckAdmissionAfterArrival(c[C::AnChegadaEmpregado], admission, c[C::CoNacionalidade]);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1632", admission}, {"1628", c[C::AnChegadaEmpregado]}});
}

void CheckDuplicateContracts(Context& x) {  // 3
    const ContractRow& c = x.c;
    const int occurrences = x.run.DuplicateOccurrences(c[C::CoPisPasepEmpregado], c[C::DaAdmissaoEmpregado],
                                                       c[C::DaDesligamentoEmpregado], c[C::CoCbo]);
    if (occurrences <= 1) return;
    const QString result = QStringLiteral("1671");
    if (x.run.useWorkingTables) x.f.Err(result, {{"1662", c[C::NuSequencialRegistro]}});
    x.f.ErrCounted(result, {{"1624", c[C::CoPisPasepEmpregado]},
                            {"1625", c[C::NoEmpregado]},
                            {"1632", c[C::DaAdmissaoEmpregado]},
                            {"1640", c[C::DaDesligamentoEmpregado]},
                            {"1637", c[C::CoCbo]}});
}

void CheckArrival(Context& x) {  // 11
    const ContractRow& c = x.c;
    const QString& arrival = c[C::AnChegadaEmpregado];
    const QString nationality = c[C::CoNacionalidade].left(3);
    QString r = CheckArrivalYear(arrival);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1628", arrival}});
        return;
    }
    r = CheckArrivalYearVsNationality(arrival, nationality);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1628", arrival}, {"1627", nationality}});
        return;
    }
    r = CheckArrivalNotAfterBaseYear(arrival, x.referenceYear, nationality);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1628", arrival}, {"1658", x.referenceYear}});
    r = CheckArrivalAfterBirth(arrival, c[C::DaNascimentoEmpregado], nationality);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1628", arrival}, {"1626", c[C::DaNascimentoEmpregado]}});
}

void CheckWorkCard(Context& x) {  // 13
    const ContractRow& c = x.c;
    const QString& number = c[C::NuCartTrabEmpregado];
    const QString& series = c[C::SeCartTrabEmpregado];
    QString r = CheckWorkCardDigits(number);
    if (!Ok(r)) x.f.ErrCounted(r, {{"0212", number}});
    r = CheckWorkCardSeries(series);
    if (!Ok(r)) x.f.ErrCounted(r, {{"3700", series}});
    r = CheckWorkCardNumber(number, c[C::CoVinculo]);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1630", number}, {"1638", c[C::CoVinculo]}});
        return;
    }
    r = CheckWorkCardNumberAndSeries(number, series);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1630", number}, {"3700", series}});
        return;
    }
    r = CheckWorkCardSeriesFormat(series, c[C::CoNacionalidade], number);
    if (!Ok(r)) {
        x.f.Err(r, {{"1630", number}, {"3700", series}, {"1627", c[C::CoNacionalidade]}});  // not counted
        return;
    }
    r = CheckWorkCardOrCpf(number, c[C::CoCpfEmpregado], c[C::CoVinculo], c[C::DaDesligamentoEmpregado]);
    if (r == QLatin1String("3759"))
        x.f.War(r, {{"1631", c[C::CoCpfEmpregado]}});
    else if (!Ok(r))
        x.f.ErrCounted(r, {{"1630", number}, {"1631", c[C::CoCpfEmpregado]}});
}

void CheckOccupation(Context& x) {  // 19
    const ContractRow& c = x.c;
    const QString& cbo = c[C::CoCbo];
    QString r = CheckCbo(cbo);
    if (Ok(r)) {
        r = CheckCboForSchooling(c[C::CoInstrucao], cbo);
        if (!Ok(r)) x.f.ErrCounted(r, {{"1637", cbo}, {"1629", c[C::CoInstrucao]}});
    } else if (r == QLatin1String("3645")) {
        x.f.War(r, {{"1637", cbo}});
    } else {
        x.f.ErrCounted(r, {{"1637", cbo}});
    }
}

// The establishment's inscription type as the contract-type findings show it.
QString ContractInscriptionTypeText(const QString& type) {
    if (type == QLatin1String("1")) return QStringLiteral("1 (CGC)");
    if (type == QLatin1String("3")) return QStringLiteral("3 (CEI)");
    return type;
}

void CheckContractTypeStep(Context& x) {  // 20
    const ContractRow& c = x.c;
    const QString& type = c[C::CoVinculo];
    QString r = CheckContractType(type);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1638", type}});
        return;
    }
    r = CheckContractTypeForPis(type, c[C::CoPisPasepEmpregado]);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1638", type}, {"1624", c[C::CoPisPasepEmpregado]}});
    const QString inscriptionType = Get(x.run, E::InInscrEstabelecimento);
    r = CheckContractTypeForInscriptionType(type, inscriptionType);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1638", type}, {"1601", ContractInscriptionTypeText(inscriptionType)}});
        return;
    }
    r = CheckApprenticeAge(type, c[C::DaNascimentoEmpregado], c[C::DaAdmissaoEmpregado], c[C::InDeficienteFisico]);
    if (!IsOneOf(r, {"0000", "3510"})) x.f.ErrCounted(r, {{"1638", type}, {"1626", c[C::DaNascimentoEmpregado]}});
    const QString cnae = Get(x.run, E::CoCnae2);
    r = CheckContractTypeForCnae(type, cnae);
    if (!Ok(r)) x.f.War(r, {{"1638", type}, {"1618", cnae}});
    const QString nature = Get(x.run, E::CoNaturezaJuridica);
    r = CheckContractTypeForLegalNature(type, nature);
    if (!Ok(r)) x.f.War(r, {{"1638", type}, {"1619", nature}});
}

void CheckDismissal(Context& x) {  // 23
    const ContractRow& c = x.c;
    const QString& dismissal = c[C::DaDesligamentoEmpregado];
    const QString& cause = c[C::CoCausaDesligamento];
    QString r = CheckDismissalDate(dismissal, x.baseYear);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"1640", dismissal}});
        return;
    }
    r = CheckDismissalDateVsCause(dismissal, cause);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1640", dismissal}, {"1639", cause}});
    if (x.referenceYear != x.baseYear && dismissal == QLatin1String("0000")) {
        x.f.ErrCounted(QStringLiteral("0294"), {{"1640", dismissal}, {"1658", x.referenceYear}});
    } else if (!cause.isEmpty() && !IsOneOf(cause, {"00", "71", "78", "80"}) &&
               (x.closingYear == x.baseYear || x.closingYear.isEmpty())) {
        r = CheckRescissionValuesPresent(c[C::VaGlobalFerias], c[C::VaGlobalMultas], c[C::VaGlobalBcoHoras],
                                         c[C::VaGlobalDissidio], c[C::VaGlobalGratificacoes]);
        if (!Ok(r))
            x.f.War(r, {{"3658", c[C::VaGlobalFerias]},
                        {"3659", c[C::VaGlobalMultas]},
                        {"3660", c[C::VaGlobalBcoHoras]},
                        {"3662", c[C::VaGlobalDissidio]},
                        {"3664", c[C::VaGlobalGratificacoes]}});
    }
    r = CheckDismissalAfterAdmission(dismissal, c[C::DaAdmissaoEmpregado], x.referenceYear);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1640", dismissal}, {"1632", c[C::DaAdmissaoEmpregado]}});
    const QString closing = TrimBoth(x.closingDate);
    r = CheckDismissalBeforeClosing(dismissal, closing, x.referenceYear);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1640", dismissal + x.referenceYear}, {"3619", closing}});
}

struct MonthState {
    QString previousPay = QStringLiteral("0");
    bool salaryRowWritten = false;
    // The answers of the month before, for a month like it.
    bool answered = false;
    QString salaryAnswer, wageAnswer, schoolingAnswer;
};

// The contract's values every month's checks read, taken once per contract.
struct MonthInputs {
    explicit MonthInputs(const Context& x)
        : salaryType(x.c[C::CoTipoSalarioContratual]), admission(x.c[C::DaAdmissaoEmpregado]),
          dismissal(x.c[C::DaDesligamentoEmpregado]), contractType(x.c[C::CoVinculo]),
          leave1Start(x.c[C::DaInicioprimeiroAfas]), leave1End(x.c[C::DaFinalPrimeiroAfas]),
          leave2Start(x.c[C::DaInicioSegundoAfas]), leave2End(x.c[C::DaFinalSegundoAfas]),
          leave3Start(x.c[C::DaInicioTerceiroAfas]), leave3End(x.c[C::DaFinalTerceiroAfas]),
          salary(x.c[C::VaSalContratualEmpregado]), schooling(x.c[C::CoInstrucao]),
          birth(x.c[C::DaNascimentoEmpregado]), disability(x.c[C::CoDeficienteFisico]),
          admittedThisYear(QStringView(admission).mid(4, 4) == x.referenceYear),
          dismissed(QStringView(dismissal).mid(2, 2) != QLatin1String("00")), monthsAlike(MonthsAlike(x)) {}
    const QString &salaryType, &admission, &dismissal, &contractType;
    const QString &leave1Start, &leave1End, &leave2Start, &leave2End, &leave3Start, &leave3End;
    const QString &salary, &schooling, &birth, &disability;
    const bool admittedThisYear, dismissed;
    // From March on, a month paid as the month before is answered as it was by
    // the salary, minimum-wage and schooling tests, when only the pay and the
    // month's number reach them: no dismissal, no leave, not admitted in the
    // year, not an apprentice. February and later share one minimum wage.
    const bool monthsAlike;

    static bool MonthsAlike(const Context& x) {
        const ContractRow& c = x.c;
        for (C date : {C::DaDesligamentoEmpregado, C::DaInicioprimeiroAfas, C::DaFinalPrimeiroAfas,
                       C::DaInicioSegundoAfas, C::DaFinalSegundoAfas, C::DaInicioTerceiroAfas, C::DaFinalTerceiroAfas})
            if (c.Bytes(date) != "0000") return false;
        const QByteArrayView admission = c.Bytes(C::DaAdmissaoEmpregado);
        if (admission.size() != 8) return false;
        for (char d : admission)
            if (d < '0' || d > '9') return false;
        if (QLatin1String(admission.data() + 4, 4) == x.referenceYear) return false;
        return rules::TrimView(c[C::CoVinculo]) != u"55";
    }
};

void CheckMonth(Context& x, const MonthInputs& in, MonthState& s, int m) {  // 25 to 36
    const ContractRow& c = x.c;
    const QString& pay = c.Pay(m);
    const char* label = MonthLabel(m);
    const QString& mm = MonthTwoDigits(m);
    const QString& monthNumber = MonthNumberText(m);
    const QString& admission = in.admission;
    const QString& dismissal = in.dismissal;
    const QString& nature = x.legalNature;
    const bool asBefore = in.monthsAlike && m >= 3 && s.answered && c.PayBytes(m) == c.PayBytes(m - 1);
    s.answered = true;

    QString r = asBefore ? s.salaryAnswer
                         : CheckMonthlyPayVsContractSalary(pay, mm, in.salaryType, admission, dismissal, in.contractType,
                                                           in.leave1Start, in.leave1End, in.leave2Start, in.leave2End,
                                                           in.leave3Start, in.leave3End, in.salary);
    s.salaryAnswer = r;
    if (r == QLatin1String("3728")) {
        // The salary itself is named once per contract, each short month every time.
        if (!s.salaryRowWritten) {
            x.f.War(r, {{"1634", in.salary}});
            s.salaryRowWritten = true;
        }
        x.f.War(r, {{label, pay}});
    }
    r = asBefore ? s.wageAnswer
                 : CheckMonthlyPayVsMinimumWage(pay, mm, in.salaryType, x.referenceYear, admission, dismissal,
                                                nature, in.contractType);
    s.wageAnswer = r;
    if (IsOneOf(r, {"0312", "0313"})) {
        x.f.War(r, {{label, pay}});
    } else if (!Ok(r)) {
        x.f.ErrCounted(r, {{label, pay}});
        s.previousPay = pay;
        return;
    }
    const bool paid = !IsAllZeros(pay);
    if (in.admittedThisYear && paid) {
        r = CheckPayBeforeAdmissionMonth(monthNumber, admission, x.referenceYear);
        if (!Ok(r)) x.f.ErrCounted(r, {{label, pay}, {"1632", admission}});
    }
    if (in.dismissed && paid) {
        r = CheckPayAfterDismissalMonth(monthNumber, dismissal);
        if (!Ok(r)) x.f.War(r, {{label, pay}, {"1640", dismissal}});
    }
    // A pay equal to the month before's is never ten times it.
    r = asBefore ? u"0000"_s : CheckMonthlyPayTenfold(pay, monthNumber, s.previousPay);
    if (!Ok(r)) x.f.War(r, {{MonthLabel(m - 1), s.previousPay}, {label, pay}});
    if (paid) {
        r = asBefore ? s.schoolingAnswer : CheckMonthlyPayForSchooling(pay, in.schooling, nature, mm);
        s.schoolingAnswer = r;
        if (!Ok(r)) x.f.War(r, {{label, pay}, {"1629", in.schooling}});
        r = asBefore ? u"0000"_s : CheckApprenticeAgeInMonth(mm, in.contractType, in.birth, x.baseYear, in.disability);
        if (!Ok(r)) x.f.ErrCounted(r, {{label, pay}, {"1638", in.contractType}, {"1626", in.birth}});
    }
    s.previousPay = pay;
}

void CheckThirteenth(Context& x, int step) {  // 37 to 40
    const ContractRow& c = x.c;
    const QString& advanceMonth = c[C::Me13AdiantamentoEmpregado];
    const QString& advance = c[C::Va13AdiantamentoEmpregado];
    const QString& finalMonth = c[C::Me13ParcelaFinalEmpregado];
    const QString& final_ = c[C::Va13ParcelaFinalEmpregado];
    const QString& admission = c[C::DaAdmissaoEmpregado];
    const QString& dismissal = c[C::DaDesligamentoEmpregado];
    QString r;
    switch (step) {
    case 37:
        r = CheckThirteenthAdvanceMonth(advanceMonth);
        if (!Ok(r))
            x.f.ErrCounted(r, {{"1653", advanceMonth}});
        else if (r = CheckThirteenthAdvanceAfterAdmission(advanceMonth, admission, x.referenceYear); !Ok(r))
            x.f.ErrCounted(r, {{"1653", advanceMonth}, {"1632", admission}});
        r = CheckThirteenthAdvanceBeforeDismissal(advanceMonth, dismissal);
        if (!Ok(r)) x.f.War(r, {{"1653", advanceMonth}, {"1640", dismissal}});
        break;
    case 38:
        r = CheckThirteenthAdvanceValue(advance);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{"1654", advance}});
        } else if (r = CheckThirteenthAdvance(advanceMonth, advance); !Ok(r)) {
            if (r == QLatin1String("0332"))
                x.f.War(r, {{"1653", advanceMonth}, {"1654", advance}});
            else
                x.f.ErrCounted(r, {{"1653", advanceMonth}, {"1654", advance}});
        }
        break;
    case 39:
        r = CheckThirteenthFinalMonth(finalMonth);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{"1655", finalMonth}});
            return;
        }
        r = CheckThirteenthMonthsOrder(advanceMonth, finalMonth);
        if (!Ok(r)) x.f.ErrCounted(r, {{"1653", advanceMonth}, {"1655", finalMonth}});
        r = CheckThirteenthAdvanceAfterAdmission(finalMonth, admission, x.referenceYear);
        if (!Ok(r)) x.f.ErrCounted(r, {{"1655", finalMonth}, {"1632", admission}});
        r = CheckThirteenthFinalBeforeDismissal(finalMonth, dismissal);
        if (!Ok(r)) x.f.War(r, {{"1655", finalMonth}, {"1640", dismissal}});
        break;
    case 40:
        r = CheckThirteenthFinalValue(final_);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{"1656", final_}});
        } else if (r = CheckThirteenthFinal(finalMonth, final_); !Ok(r)) {
            if (r == QLatin1String("0332"))
                x.f.War(r, {{"1655", finalMonth}, {"1656", final_}});
            else
                x.f.ErrCounted(r, {{"1655", finalMonth}, {"1656", final_}});
        }
        break;
    }
}

// The month's pay as a number (0 for one that is not all digits), for the
// year's checks, read once per contract.
const std::array<long long, 12>& PayValues(Context& x) {
    if (!x.payValuesRead) {
        for (int m = 1; m <= 12; ++m) x.payValues[m - 1] = DigitsValue(x.c.Pay(m));
        x.payValuesRead = true;
    }
    return x.payValues;
}

void CheckYearPay(Context& x) {  // 41
    const ContractRow& c = x.c;
    const std::array<long long, 12>& pays = PayValues(x);
    long long yearTotal = 0;
    for (long long pay : pays) yearTotal += pay;
    const long long thirteenthTotal =
        DigitsValue(c[C::Va13AdiantamentoEmpregado]) + DigitsValue(c[C::Va13ParcelaFinalEmpregado]);
    const QString none = QStringLiteral("Não há remuneração informada.");
    if (yearTotal == 0 && thirteenthTotal != 0) {
        x.f.War(QStringLiteral("1675"), {{"1664", none}});
        return;
    }
    const QString r = CheckRemunerationPresence(c[C::CoMotivoPrimAfas], c[C::DaInicioprimeiroAfas],
                                                c[C::DaFinalPrimeiroAfas], yearTotal, c[C::DaDesligamentoEmpregado],
                                                c[C::CoCausaDesligamento], c[C::DaAdmissaoEmpregado], pays,
                                                c[C::QtDiasAfas]);
    if (!Ok(r)) x.f.ErrCounted(r, {{"1664", none}});
    if (yearTotal != 0 && thirteenthTotal == 0) x.f.War(QStringLiteral("1676"), {{"1665", none}});
}

void CheckThirteenthVsAverage(Context& x) {  // 42
    const ContractRow& c = x.c;
    double sum = 0;
    int months = 0;
    for (const long long v : PayValues(x)) {
        if (v == 0) continue;
        sum += double(v);
        ++months;
    }
    const double thirteenth =
        double(DigitsValue(c[C::Va13AdiantamentoEmpregado]) + DigitsValue(c[C::Va13ParcelaFinalEmpregado]));
    if (months == 0) return;
    const double average = sum / months;
    if (average + average / 2 < thirteenth)
        x.f.War(QStringLiteral("3508"),
                {{"1664", QString::number(sum, 'f', 0)}, {"1665", QString::number(thirteenth, 'f', 0)}});
}

void CheckLeaveDateStep(Context& x, C dateField, C reasonField, bool start, C startField, C endField) {  // 46 to 51
    const ContractRow& c = x.c;
    // No leave, as for most contracts: dates "0000" and reason "00" pass
    // every test below.
    if (c.Bytes(dateField) == "0000" && c.Bytes(reasonField) == "00" && c.Bytes(startField) == "0000" &&
        c.Bytes(endField) == "0000")
        return;
    const QString& date = c[dateField];
    QString r = CheckLeaveDate(date, x.baseYear);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"3637", date}});
        return;
    }
    r = CheckLeaveNotBeforeAdmission(date, c[C::DaAdmissaoEmpregado], x.referenceYear);
    if (!Ok(r)) x.f.ErrCounted(r, {{"3637", date}, {"1632", c[C::DaAdmissaoEmpregado]}});
    r = CheckLeaveNotAfterDismissal(date, c[C::DaDesligamentoEmpregado], x.referenceYear);
    if (!Ok(r)) x.f.ErrCounted(r, {{"3637", date}, {"1640", c[C::DaDesligamentoEmpregado] + x.referenceYear}});
    r = CheckLeaveDateVsReason(date, c[reasonField], start ? 1 : 0);
    if (!Ok(r)) x.f.ErrCounted(r, {{"3642", c[reasonField]}, {"3637", date}});
    r = CheckLeaveDateOrder(c[startField], c[endField]);
    if (!Ok(r)) x.f.ErrCounted(r, {{"3637", c[startField]}, {"3637", c[endField]}});
}

void CheckLeaveDaysStep(Context& x) {  // 52
    const ContractRow& c = x.c;
    const QString& days = c[C::QtDiasAfas];
    QString r = CheckLeaveDays(days, c[C::CoMotivoPrimAfas]);
    if (r == QLatin1String("3753"))
        x.f.ErrCounted(r, {{"3641", days}, {"3642", c[C::CoMotivoPrimAfas]}});
    else if (!Ok(r))
        x.f.ErrCounted(r, {{"3641", days}});
    r = CheckLeaveDaysRequired(c[C::CoMotivoPrimAfas], c[C::CoMotivoSeguAfas], c[C::CoMotivoTercAfas], days);
    if (!Ok(r)) x.f.ErrCounted(r, {{"3641", days}});
}

// The CNPJ of one of the contract's contributions (steps 56 to 60).
void CheckContractContributionCnpj(Context& x, int step) {
    const ContractRow& c = x.c;
    struct Def {
        C field;
        const char* label;
        const char* kind;
    };
    static const Def kDefs[] = {{C::CoCNPJSindical, "3652", "sindical"},
                                {C::CoCNPJPrimAssociativa, "3754", "associativa"},
                                {C::CoCNPJSegAssociativa, "3755", "associativa"},
                                {C::CoCNPJAssistencial, "3654", "assistencial"},
                                {C::CoCNPJConfederativa, "3656", "confederativa"}};
    const Def& d = kDefs[step - 56];
    const QString& cnpj = c[d.field];
    const QString& unionised = c[C::InSindicalizadoVinculo];
    QString r;
    if (step == 57) {
        r = CheckAssociationVsUnionised(cnpj, unionised, 1);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{"3703", unionised}, {d.label, cnpj}});
            return;
        }
    } else if (step == 58) {
        r = CheckSecondAssociationVsUnionised(cnpj, unionised);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{"3703", unionised}, {d.label, cnpj}});
            return;
        }
    }
    r = CheckRequiredIfFlag(cnpj, x.fileMode);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{d.label, cnpj}});
        return;
    }
    if (IsEmptyCnpj(cnpj)) return;
    r = CheckContributionCnpjNotOwnOrBank(cnpj, Get(x.run, E::CoCgcCeiEstabelecimento), 1);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{d.label, cnpj}});
        return;
    }
    // The rule reads nothing but the number and the step's kind: a number met
    // again in the same step (as one union's is, contract after contract) is
    // answered as before.
    auto& [lastCnpj, lastAnswer] = x.run.contributionCnpjAnswers[std::size_t(step - 56)];
    if (lastAnswer.isNull() || lastCnpj != cnpj) {
        lastCnpj = cnpj;
        lastAnswer = CheckContributionCnpj(cnpj, QLatin1String(d.kind), 1, 1);
    }
    r = lastAnswer;
    if (!IsOneOf(r, {"0000", "0051", "0050"})) {
        x.f.ErrCounted(r, {{d.label, cnpj}});
        return;
    }
    if (step == 56 && IsExemptUnionTaxCnpj(cnpj)) return;
    r = CheckWorkerUnionCnpj(cnpj);
    if (!Ok(r)) {
        x.f.War(r, {{d.label, cnpj}});
    } else if (step == 58) {
        r = CheckAssociationCnpjsDiffer(c[C::CoCNPJPrimAssociativa], cnpj);
        if (!Ok(r)) x.f.ErrCounted(r, {{"3754", c[C::CoCNPJPrimAssociativa]}, {d.label, cnpj}});
    }
}

// The value of one of the contract's contributions (steps 61 to 65).
void CheckContractContributionValue(Context& x, int step) {
    const ContractRow& c = x.c;
    struct Def {
        C value;
        C cnpj;
        const char* valueLabel;
        const char* cnpjLabel;
        const char* kind;
    };
    static const Def kDefs[] = {{C::VaGlobalSindical, C::CoCNPJSindical, "3653", "3652", "sindical"},
                                {C::VaGlobalPrimAssociativa, C::CoCNPJPrimAssociativa, "3651", "3754", ""},
                                {C::VaGlobalSegAssociativa, C::CoCNPJSegAssociativa, "3651", "3755", ""},
                                {C::VaGlobalAssistencial, C::CoCNPJAssistencial, "3655", "3654", ""},
                                {C::VaGlobalConfederativa, C::CoCNPJConfederativa, "3657", "3656", ""}};
    const Def& d = kDefs[step - 61];
    const QString& value = c[d.value];
    const QString& cnpj = c[d.cnpj];
    QString r = CheckContractContributionAmount(value);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{d.valueLabel, value}});
        return;
    }
    const bool union_ = step == 61;
    r = CheckContributionValueVsCnpj(cnpj, value, QLatin1String(d.kind), union_ ? c[C::CoVinculo] : QString(),
                                     x.fileMode, 1);
    if (Ok(r)) return;
    if (union_ && r == QLatin1String("3687"))
        x.f.War(r, {{d.cnpjLabel, cnpj}, {d.valueLabel, value}});
    else
        x.f.ErrCounted(r, {{d.cnpjLabel, cnpj}, {d.valueLabel, value}});
}

// Termination payments and their month counts (steps 66 to 73).
void CheckTermination(Context& x, int step) {
    const ContractRow& c = x.c;
    const QString& cause = c[C::CoCausaDesligamento];
    auto amount = [&](C field, const char* label, bool warnOnly) {
        const QString& value = c[field];
        QString r = CheckAmountDigits(value);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{label, value}});
            return;
        }
        r = CheckRescissionValueNeedsCause(cause, value);
        if (Ok(r)) return;
        if (warnOnly)
            x.f.War(r, {{label, value}});
        else
            x.f.ErrCounted(r, {{label, value}});
    };
    auto months = [&](C field, const char* label, QString (*rule)(const QString&, const QString&), C valueField) {
        const QString& count = c[field];
        QString r = CheckMonthsCount(count);
        if (!Ok(r)) {
            x.f.ErrCounted(r, {{label, count}});
            return;
        }
        r = rule(c[valueField], count);
        if (!Ok(r)) x.f.ErrCounted(r, {{label, count}});
    };
    switch (step) {
    case 66: amount(C::VaGlobalFerias, "3658", false); break;
    case 67: amount(C::VaGlobalMultas, "3659", false); break;
    case 68: amount(C::VaGlobalBcoHoras, "3660", false); break;
    case 69: months(C::QtCompBcoHoras, "3661", &CheckHourBankValueMonths, C::VaGlobalBcoHoras); break;
    case 70: amount(C::VaGlobalDissidio, "3662", false); break;
    case 71: months(C::QtCompDissidio, "3663", &CheckWageAgreementValueMonths, C::VaGlobalDissidio); break;
    case 72: amount(C::VaGlobalGratificacoes, "3664", true); break;
    case 73: months(C::QtCompGratificacoes, "3665", &CheckBonusValueMonths, C::VaGlobalGratificacoes); break;
    }
}

// Digits "0" only, at least one.
bool ZerosOnly(QByteArrayView bytes) {
    if (bytes.isEmpty()) return false;
    for (char b : bytes)
        if (b != '0') return false;
    return true;
}

void CheckWorkedHours(Context& x, int m) {  // 74 to 85
    const ContractRow& c = x.c;
    // No hours worked, as in most months of most contracts: a number, and
    // none of the tests below compares anything with it.
    if (ZerosOnly(c.HoursBytes(m))) return;
    const QString& hours = c.Hours(m);
    const QString& pay = c.Pay(m);
    const char* label = MonthLabel(m);
    QString r = CheckWorkedHoursFormat(hours);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"3670", hours}});
        return;
    }
    // Figures that are not all digits count as 0.
    const long long payValue = DigitsValue(TrimBlanks(pay));
    const long long hoursValue = DigitsValue(TrimBlanks(hours));
    const int dismissalMonth = int(DigitsValue(TrimBlanks(QStringView(c[C::DaDesligamentoEmpregado]).mid(2, 2))));
    r = CheckWorkedHoursPeriod(payValue, hoursValue, m, dismissalMonth,
                               QStringView(c[C::DaAdmissaoEmpregado]).mid(2, 6), x.closingYear);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"3670", hours}, {label, pay}});
        return;
    }
    r = CheckWorkedHoursVsPay(hours, pay);
    if (!Ok(r)) {
        x.f.ErrCounted(r, {{"3670", hours}, {label, pay}});
        return;
    }
    r = CheckWorkedHoursLimit(hours);
    if (r == QLatin1String("3698")) x.f.War(r, {{"3670", hours}});
}

void CheckPisIdentity(Context& x) {  // 87
    const ContractRow& c = x.c;
    const QVector<PisIdentityRow>& rows = x.run.PisIdentities(c[C::CoPisPasepEmpregado]);
    const QString result = QStringLiteral("3761");
    for (const PisIdentityRow& row : rows) {
        if (row.birthDate == c[C::DaNascimentoEmpregado] && row.name == c[C::NoEmpregado] &&
            row.cpf == c[C::CoCpfEmpregado])
            continue;
        if (x.run.useWorkingTables) x.f.Err(result, {{"1662", c[C::NuSequencialRegistro]}});
        x.f.ErrCounted(result, {{"1624", c[C::CoPisPasepEmpregado]},
                                {"1625", c[C::NoEmpregado]},
                                {"1631", c[C::CoCpfEmpregado]},
                                {"1626", c[C::DaNascimentoEmpregado]}});
    }
}

}  // namespace

void CheckEmployeeRecord(ValidationRun& run) {
    if (!run.contractRow) run.contractRow = std::make_shared<ContractRow>();
    ContractRow& c = *run.contractRow;
    c.Read(run);
    run.currentPis = c[C::CoPisPasepEmpregado];
    run.currentAdmission = c[C::DaAdmissaoEmpregado];
    db::Table& emp = *run.emp;

    Context x{run, emp, c, Findings(run, 2), run.fileAnalysisMode, QString::number(run.baseYear), QString(),
              Get(run, E::DaEncerramentoAtividade), QString(), QString(), Get(run, E::CoNaturezaJuridica)};
    x.closingYear = TrimBoth(x.closingDate.mid(4, 4));
    // A contract of an establishment that closes after the base year is
    // declared in advance: its dates belong to the following year.
    const bool closedLater =
        Get(run, E::InEncerramentoAtividade) == QLatin1String("1") && x.closingDate.mid(4, 4) != x.baseYear;
    x.referenceYear = QString::number(closedLater ? run.baseYear + 1 : run.baseYear);
    Findings& f = x.f;
    QString r;

#define STEP if (f.AboveLimit()) return;
#define SIMPLE(rule, field, label)                                   \
    STEP {                                                           \
        r = rule(c[C::field]);                                       \
        if (!Ok(r)) f.ErrCounted(r, {{label, c[C::field]}});         \
    }

    SIMPLE(CheckPisPasep, CoPisPasepEmpregado, "1624")  // 1
    STEP CheckAdmission(x);                              // 2
    STEP CheckDuplicateContracts(x);                     // 3
    STEP {                                               // 4
        QString name = c[C::NoEmpregado];
        r = CheckEmployeeName(name, run.currentPis);
        if (!Ok(r)) f.ErrCounted(r, {{"1625", name}});
    }
    STEP {  // 5
        const QString& birth = c[C::DaNascimentoEmpregado];
        r = CheckBirthDate(birth);
        if (!Ok(r)) {
            f.Err(r, {{"1626", birth}});  // not counted
        } else if (r = CheckEmployeeAge(birth, x.referenceYear); !Ok(r)) {
            if (r == QLatin1String("0176"))
                f.War(r, {{"1626", birth}, {"1658", x.referenceYear}});
            else
                f.ErrCounted(r, {{"1626", birth}, {"1658", x.referenceYear}});
        }
    }
    STEP {  // 6
        r = CheckDisability(c[C::CoDeficienteFisico], c[C::InDeficienteFisico], x.fileMode);
        if (!Ok(r)) f.ErrCounted(r, {{"3620", c[C::InDeficienteFisico]}, {"3623", c[C::CoDeficienteFisico]}});
    }
    SIMPLE(CheckDisabilityIndicator, InDeficienteFisico, "3620")  // 7
    SIMPLE(CheckRace, CoTipoRaca, "1667")                         // 8
    SIMPLE(CheckNationality, CoNacionalidade, "1627")             // 9
    SIMPLE(CheckSex, InSexo, "3523")                              // 10
    STEP CheckArrival(x);                                         // 11
    SIMPLE(CheckSchooling, CoInstrucao, "1629")                   // 12
    STEP CheckWorkCard(x);                                        // 13
    STEP {                                                        // 14
        const QString& cpf = c[C::CoCpfEmpregado];
        r = CheckCpf(cpf);
        if (!Ok(r))
            f.Err(r, {{"1631", cpf}});  // not counted
        else if (r = CheckCpfRequired(cpf, c[C::CoVinculo], c[C::DaDesligamentoEmpregado], c[C::InAlvaraEmpregado]);
                 !Ok(r))
            f.ErrCounted(r, {{"1631", cpf}});
    }
    SIMPLE(CheckAdmissionType, CoTipoAdmissao, "1633")           // 15
    SIMPLE(CheckContractSalary, VaSalContratualEmpregado, "1634")  // 16
    STEP {                                                        // 17
        const QString& type = c[C::CoTipoSalarioContratual];
        const QString& salary = c[C::VaSalContratualEmpregado];
        r = CheckSalaryType(type);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"1635", type}});
        } else if (r = CheckContractSalaryVsType(salary, type, c[C::CoVinculo]); !Ok(r)) {
            // The contract type goes under its own label, not the salary type's.
            if (r == QLatin1String("0232"))
                f.ErrCounted(r, {{"1638", c[C::CoVinculo]}, {"1634", salary}});
            else
                f.War(r, {{"1634", salary}, {"1635", type}});
        }
    }
    SIMPLE(CheckWeeklyHours, HoSemanaisEmpregado, "1636")  // 18
    STEP CheckOccupation(x);                               // 19
    STEP CheckContractTypeStep(x);                         // 20
    STEP {                                                 // 21
        const QString& permit = c[C::InAlvaraEmpregado];
        r = CheckPermitIndicator(permit);
        if (!Ok(r))
            f.ErrCounted(r, {{"3621", permit}});
        else if (r = CheckMinorAdmission(permit, c[C::DaNascimentoEmpregado], c[C::CoVinculo],
                                         c[C::DaAdmissaoEmpregado]);
                 !Ok(r))
            f.ErrCounted(r, {{"3621", permit}, {"1638", c[C::CoVinculo]}, {"1626", c[C::DaNascimentoEmpregado]}});
    }
    STEP {  // 22
        x.keptCause = c[C::CoCausaDesligamento].left(3);
        r = CheckDismissalCause(x.keptCause);
        if (!Ok(r)) {
            f.ErrCounted(r, {{"1639", x.keptCause}});
        } else {
            const QString closing = Get(run, E::InEncerramentoAtividade);
            r = CheckDismissalCauseForClosing(closing, run.currentBaseYear, x.keptCause, x.baseYear);
            if (!Ok(r)) f.ErrCounted(r, {{"1639", x.keptCause}, {"3618", closing}});
        }
    }
    STEP CheckDismissal(x);  // 23
    STEP {                   // 24
        const QString& notice = c[C::VaAvisoPrevioEmpregado];
        r = CheckNoticePayValue(notice);
        if (!Ok(r))
            f.ErrCounted(r, {{"3511", notice}});
        else if (r = CheckNoticePayVsCause(notice, c[C::CoCausaDesligamento]); !Ok(r))
            f.ErrCounted(r, {{"1639", x.keptCause}, {"3511", notice}});
    }
    MonthState months;
    const MonthInputs monthInputs(x);
    for (int m = 1; m <= 12; ++m) {  // 25 to 36
        STEP CheckMonth(x, monthInputs, months, m);
    }
    for (int step = 37; step <= 40; ++step) {
        STEP CheckThirteenth(x, step);
    }
    STEP CheckYearPay(x);              // 41
    STEP CheckThirteenthVsAverage(x);  // 42
    SIMPLE(CheckLeaveReason, CoMotivoPrimAfas, "3636")  // 43
    SIMPLE(CheckLeaveReason, CoMotivoSeguAfas, "3636")  // 44
    SIMPLE(CheckLeaveReason, CoMotivoTercAfas, "3636")  // 45
    STEP CheckLeaveDateStep(x, C::DaInicioprimeiroAfas, C::CoMotivoPrimAfas, true, C::DaInicioprimeiroAfas,
                            C::DaFinalPrimeiroAfas);  // 46
    STEP CheckLeaveDateStep(x, C::DaFinalPrimeiroAfas, C::CoMotivoPrimAfas, false, C::DaInicioprimeiroAfas,
                            C::DaFinalPrimeiroAfas);  // 47
    STEP CheckLeaveDateStep(x, C::DaInicioSegundoAfas, C::CoMotivoSeguAfas, true, C::DaInicioSegundoAfas,
                            C::DaFinalSegundoAfas);  // 48
    STEP CheckLeaveDateStep(x, C::DaFinalSegundoAfas, C::CoMotivoSeguAfas, false, C::DaInicioSegundoAfas,
                            C::DaFinalSegundoAfas);  // 49
    STEP CheckLeaveDateStep(x, C::DaInicioTerceiroAfas, C::CoMotivoTercAfas, true, C::DaInicioTerceiroAfas,
                            C::DaFinalTerceiroAfas);  // 50
    STEP CheckLeaveDateStep(x, C::DaFinalTerceiroAfas, C::CoMotivoTercAfas, false, C::DaInicioTerceiroAfas,
                            C::DaFinalTerceiroAfas);  // 51
    STEP CheckLeaveDaysStep(x);                       // 52
    STEP {                                            // 53
        r = CheckLeaveReasonOrder(c[C::CoMotivoPrimAfas], c[C::CoMotivoSeguAfas], c[C::CoMotivoTercAfas]);
        if (!Ok(r))
            f.ErrCounted(r, {{"3636", c[C::CoMotivoPrimAfas]},
                             {"3636", c[C::CoMotivoSeguAfas]},
                             {"3636", c[C::CoMotivoTercAfas]}});
    }
    STEP {  // 54
        const QString text = TrimBoth(c[C::TxUsoEmpregado]);
        r = CheckFreeText(text);
        if (!Ok(r)) f.ErrCounted(r, {{"1623", text}});
    }
    STEP {  // 55
        const QString& place = c[C::CoMunicipioTrabalho];
        r = CheckRequiredIfFlag(place, x.fileMode);
        if (!Ok(r))
            f.ErrCounted(r, {{"3671", place}});
        else if (!place.isEmpty() && place != QLatin1String("0000000"))
            if (r = CheckWorkMunicipality(place); !Ok(r)) f.ErrCounted(r, {{"3671", place}});
    }
    for (int step = 56; step <= 60; ++step) {
        STEP CheckContractContributionCnpj(x, step);
    }
    for (int step = 61; step <= 65; ++step) {
        STEP CheckContractContributionValue(x, step);
    }
    for (int step = 66; step <= 73; ++step) {
        STEP CheckTermination(x, step);
    }
    for (int m = 1; m <= 12; ++m) {  // 74 to 85
        STEP CheckWorkedHours(x, m);
    }
    SIMPLE(CheckUnionisedIndicator, InSindicalizadoVinculo, "3703")  // 86
    STEP CheckPisIdentity(x);                                        // 87
#undef SIMPLE
#undef STEP
}
