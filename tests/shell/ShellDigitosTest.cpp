#include "shell/ugDigitos.h"

#include <gtest/gtest.h>

TEST(CheckDigits, Cnpj) {
    EXPECT_TRUE(IsValidCnpj("11222333000181"));
    EXPECT_TRUE(IsValidCnpj("12345678000195"));
    EXPECT_TRUE(IsValidCnpj("11222333000262"));
    EXPECT_FALSE(IsValidCnpj("11222333000182"));
    EXPECT_FALSE(IsValidCnpj("11222333000191"));
    EXPECT_FALSE(IsValidCnpj("11222333000009"));  // branch 0000: invalid whatever its digits
    EXPECT_FALSE(IsValidCnpj("00000000000000"));
    EXPECT_TRUE(IsNotHeadOffice("00000000000000"));
    EXPECT_FALSE(IsNotHeadOffice("11222333000181"));
    EXPECT_TRUE(IsNotHeadOffice("11222333000281"));
}

TEST(CheckDigits, CnpjStrictWantsFourteenDigitsExactly) {
    EXPECT_TRUE(IsValidCnpjStrict("11222333000181"));
    EXPECT_FALSE(IsValidCnpjStrict(" 11222333000181"));
    EXPECT_FALSE(IsValidCnpjStrict("11222333000181 "));
    EXPECT_FALSE(IsValidCnpjStrict("1122233300018"));
    EXPECT_FALSE(IsValidCnpjStrict(""));
    EXPECT_FALSE(IsValidCnpjStrict("1122233300018a"));
}

TEST(CheckDigits, Cei) {
    EXPECT_TRUE(IsValidCei("00123456789010"));
    EXPECT_TRUE(IsValidCei("00987654321009"));
    EXPECT_FALSE(IsValidCei("00123456789011"));
    EXPECT_FALSE(IsValidCei("01123456789010"));  // must start with "00"
    EXPECT_FALSE(IsValidCei("00000012345677"));  // "0000" in characters 3-6
}

TEST(CheckDigits, Cpf) {
    EXPECT_TRUE(IsValidCpf("52998224725"));
    EXPECT_TRUE(IsValidCpf("12345678909"));
    EXPECT_FALSE(IsValidCpf("52998224724"));
    EXPECT_FALSE(IsValidCpf("52998224715"));
    EXPECT_TRUE(IsValidCpf("00000000000"));
    EXPECT_TRUE(IsValidCpf("11111111111"));
}

TEST(CheckDigits, PisPasep) {
    EXPECT_TRUE(IsValidPisPasep("12056412545"));
    EXPECT_TRUE(IsValidPisPasep("20000000013"));
    EXPECT_TRUE(IsValidPisPasep("12000000020"));  // remainder 0 gives 0
    EXPECT_FALSE(IsValidPisPasep("12056412546"));
    EXPECT_FALSE(IsValidPisPasep("32056412545"));  // first digit neither 1 nor 2
    EXPECT_FALSE(IsValidPisPasep("02056412545"));
    for (char last = '0'; last <= '9'; ++last)  // remainder 1: no digit is right
        EXPECT_FALSE(IsValidPisPasep(QString("1200000008") + last)) << last;
    EXPECT_FALSE(IsValidPisPasep("12345678900"));  // right digits, but refused numbers
    EXPECT_FALSE(IsValidPisPasep("10000000008"));
    EXPECT_FALSE(IsValidPisPasep("10987654321"));
}

TEST(CheckDigits, BuildingBlocks) {
    EXPECT_EQ(DigitValue('7'), 7);
    EXPECT_EQ(DigitValue('A'), 17);  // a non-digit takes part with its code
    EXPECT_EQ(DigitChar(9), QChar('9'));
    EXPECT_EQ(DigitChar(10), QChar('X'));
    EXPECT_EQ(WeightedSumMod11("1111111111"), 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 2 + 3);
    EXPECT_EQ(WeightedSumCpf("1111111111"), 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11);
    EXPECT_EQ(WeightedSumMod11(""), 0);
    EXPECT_EQ(Mod11Digit(12), 0);   // remainder 1
    EXPECT_EQ(Mod11DigitPis(12), 10);
    EXPECT_EQ(Mod11Digit(11), 0);
    EXPECT_EQ(Mod11Digit(13), 9);
    // A negative sum (blanks count as -16) leaves a negative remainder: no digit.
    EXPECT_EQ(Mod11Digit(-4), 15);
    EXPECT_EQ(DigitChar(Mod11Digit(-4)), QChar('X'));
    EXPECT_FALSE(IsValidCnpj(QString(12, ' ') + "00"));
    EXPECT_FALSE(IsValidCpf(QString(9, ' ') + "00"));
}

TEST(MinimumWage, LimitsByMonth) {
    EXPECT_TRUE(IsBelowMinimumWage("41499", "1"));
    EXPECT_FALSE(IsBelowMinimumWage("41500", "1"));
    EXPECT_FALSE(IsBelowMinimumWage("41500", "0"));
    EXPECT_TRUE(IsBelowMinimumWage("41500", "2"));
    EXPECT_TRUE(IsBelowMinimumWage("46499", "12"));
    EXPECT_FALSE(IsBelowMinimumWage("46500", "02"));
    EXPECT_TRUE(IsAtLeast150MinimumWages("6225000", "1"));
    EXPECT_FALSE(IsAtLeast150MinimumWages("6224999", "1"));
    EXPECT_TRUE(IsAtLeast150MinimumWages("6975000", "2"));
    EXPECT_FALSE(IsAtLeast150MinimumWages("6974999", "2"));
    EXPECT_TRUE(IsAtLeast150MinimumWages("999999999", "12"));
}

// Figures that are not plain digits: blanks around them, signs, more digits
// than a plain reading takes, a month beyond an int (read as 0, January).
TEST(MinimumWage, FiguresOtherThanPlainDigits) {
    EXPECT_FALSE(IsBelowMinimumWage("45000", "1"));
    EXPECT_TRUE(IsBelowMinimumWage("45000", "3"));
    EXPECT_FALSE(IsBelowMinimumWage("45000", "99999999999"));
    EXPECT_FALSE(IsBelowMinimumWage("45000", "-5"));
    EXPECT_TRUE(IsBelowMinimumWage("45000", " 3 "));
    EXPECT_FALSE(IsBelowMinimumWage("\t45000 ", "1"));
    EXPECT_FALSE(IsBelowMinimumWage("0000000000000045000", "1"));
    EXPECT_TRUE(IsBelowMinimumWage("-1", "1"));
    EXPECT_TRUE(IsBelowMinimumWage("45 000", "1"));  // not a number: 0
    EXPECT_TRUE(IsAtLeast150MinimumWages(" 6975000", "\t2"));
}
