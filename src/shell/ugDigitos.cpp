#include "ugDigitos.h"

#include <climits>

namespace {
bool allZeros(const QString& text) {
    for (QChar c : text)
        if (c != QLatin1Char('0')) return false;
    return true;
}

int weightedSum(const QString& digits, int maxWeight) {
    int sum = 0;
    int weight = 2;
    for (int i = digits.size() - 1; i >= 0; --i) {
        sum += DigitValue(digits.at(i)) * weight;
        weight = weight == maxWeight ? 2 : weight + 1;
    }
    return sum;
}

QChar at(const QString& text, int index) { return index < text.size() ? text.at(index) : QChar(); }
}  // namespace

int DigitValue(QChar c) { return c.unicode() - '0'; }

QChar DigitChar(int digit) { return digit >= 0 && digit < 10 ? QChar('0' + digit) : QLatin1Char('X'); }

int WeightedSumMod11(const QString& digits) { return weightedSum(digits, 9); }

int WeightedSumCpf(const QString& digits) { return weightedSum(digits, 11); }

int Mod11Digit(int sum) {
    // Blanks and other non-digits count below zero and can make the remainder
    // negative: that gives no digit, never a 0 that could match.
    const int r = sum % 11;
    return r == 0 || r == 1 ? 0 : 11 - r;
}

int Mod11DigitPis(int sum) {
    const int r = sum % 11;
    return r == 0 ? 0 : 11 - r;  // remainder 1 gives 10: no valid digit
}

QChar CnpjCheckDigit(const QString& digits) { return DigitChar(Mod11Digit(WeightedSumMod11(digits))); }

QChar CpfCheckDigit(const QString& digits) { return DigitChar(Mod11Digit(WeightedSumCpf(digits))); }

QChar PisCheckDigit(const QString& digits) { return DigitChar(Mod11DigitPis(WeightedSumMod11(digits))); }

QChar CeiCheckDigit(const QString& elevenDigits) {
    static const int weights[] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    int sum = 0;
    for (int i = 0; i < 11 && i < elevenDigits.size(); ++i) sum += DigitValue(elevenDigits.at(i)) * weights[i];
    const int lastTwo = ((sum % 100) + 100) % 100;
    const int units = (lastTwo / 10 + lastTwo % 10) % 10;
    return DigitChar((10 - units) % 10);
}

bool IsValidCnpj(const QString& cnpj) {
    if (cnpj.size() < 14) return false;
    if (allZeros(cnpj.mid(8, 4))) return false;
    return cnpj.at(12) == CnpjCheckDigit(cnpj.left(12)) && cnpj.at(13) == CnpjCheckDigit(cnpj.left(13));
}

bool IsValidCnpjStrict(const QString& text) {
    if (text.size() != 14) return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return IsValidCnpj(text);
}

bool IsValidCei(const QString& storedCei) {
    if (storedCei.size() < 14) return false;
    if (storedCei.left(2) != QLatin1String("00")) return false;
    if (allZeros(storedCei.mid(2, 4))) return false;
    return storedCei.at(13) == CeiCheckDigit(storedCei.mid(2, 11));
}

bool IsValidCpf(const QString& cpf) {
    if (cpf.size() < 11) return false;
    return cpf.at(9) == CpfCheckDigit(cpf.left(9)) && cpf.at(10) == CpfCheckDigit(cpf.left(10));
}

bool IsValidPisPasep(const QString& pisPasep) {
    if (pisPasep.size() < 11) return false;
    const QChar first = pisPasep.at(0);
    if (first != QLatin1Char('1') && first != QLatin1Char('2')) return false;
    if (pisPasep == QLatin1String("12345678900") || pisPasep == QLatin1String("10987654321") ||
        pisPasep == QLatin1String("10000000008"))
        return false;
    return at(pisPasep, 10) == PisCheckDigit(pisPasep.left(10));
}

bool IsNotHeadOffice(const QString& cnpj) {
    return cnpj == QLatin1String("00000000000000") || cnpj.mid(8, 4) != QLatin1String("0001");
}

namespace {
// A text's whole-number value as toLongLong reads it (0 when it is none).
// Plain digits, what the check meets for every month of every contract, are
// read without the copy trimmed() makes.
long long wholeNumber(QStringView text) {
    if (!text.isEmpty() && text.size() <= 18) {
        long long n = 0;
        bool plain = true;
        for (QChar c : text) {
            if (c < u'0' || c > u'9') {
                plain = false;
                break;
            }
            n = n * 10 + (c.unicode() - u'0');
        }
        if (plain) return n;
    }
    return text.trimmed().toLongLong();
}
}  // namespace

long long MinimumWage(QStringView month) {
    // Read as an int: a number beyond one reads as 0.
    const long long m = wholeNumber(month);
    return (m > INT_MAX || m < 2) ? kMinimumWageJanuary : kMinimumWageFromFebruary;
}

bool IsBelowMinimumWage(QStringView amountCents, QStringView month) {
    return wholeNumber(amountCents) < MinimumWage(month);
}

bool IsAtLeast150MinimumWages(QStringView amountCents, QStringView month) {
    return wholeNumber(amountCents) >= 150 * MinimumWage(month);
}
