#pragma once
#include <QChar>
#include <QString>

// Check digits of CNPJ, CEI, CPF and PIS/PASEP, and the minimum-wage tests.
// Numbers are digit text; callers test length and digits beforehand.

// Minimum wage of the base year in cents: before February and from February on.
inline constexpr long long kMinimumWageJanuary = 41500;
inline constexpr long long kMinimumWageFromFebruary = 46500;

int DigitValue(QChar c);     // code minus the code of '0'
QChar DigitChar(int digit);  // '0'..'9', 'X' for 10 and above
int WeightedSumMod11(const QString& digits);  // weights 2..9 from the right
int WeightedSumCpf(const QString& digits);    // weights 2..11 from the right
int Mod11Digit(int sum);                      // 0 for remainder 0 or 1, else 11 - r
int Mod11DigitPis(int sum);                   // 0 for remainder 0, else 11 - r (10 = no digit)
QChar CnpjCheckDigit(const QString& digits);
QChar CpfCheckDigit(const QString& digits);
QChar PisCheckDigit(const QString& digits);
QChar CeiCheckDigit(const QString& elevenDigits);

bool IsValidCnpj(const QString& cnpj);
bool IsValidCnpjStrict(const QString& text);
bool IsValidCei(const QString& storedCei);
bool IsValidCpf(const QString& cpf);
bool IsValidPisPasep(const QString& pisPasep);
bool IsNotHeadOffice(const QString& cnpj);

long long MinimumWage(QStringView month);
bool IsBelowMinimumWage(QStringView amountCents, QStringView month);
bool IsAtLeast150MinimumWages(QStringView amountCents, QStringView month);
inline long long MinimumWage(const QString& month) { return MinimumWage(QStringView(month)); }
inline bool IsBelowMinimumWage(const QString& amountCents, const QString& month) {
    return IsBelowMinimumWage(QStringView(amountCents), QStringView(month));
}
inline bool IsAtLeast150MinimumWages(const QString& amountCents, const QString& month) {
    return IsAtLeast150MinimumWages(QStringView(amountCents), QStringView(month));
}
