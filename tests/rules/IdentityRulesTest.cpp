#include "RulesFixture.h"

namespace {

class IdentityRules : public RulesTest {};

// A CNPJ that is also a valid CEI ("00" + 11 digits + CEI digit) is rare;
// these are built so that each is valid as one kind only.
const QString kCnpj = Cnpj("112223330001");          // 11.222.333/0001-xx
const QString kCnpjBranch = Cnpj("112223330002");
const QString kCei = Cei("12345678901");

TEST_F(IdentityRules, Prefix) {
    EXPECT_CODE(CheckPrefix("01"), "0000");
    EXPECT_CODE(CheckPrefix("A1"), "0000");
    EXPECT_CODE(CheckPrefix("1Z"), "0000");
    EXPECT_CODE(CheckPrefix(" 01 "), "0000");
    EXPECT_CODE(CheckPrefix("a1"), "0060");
    EXPECT_CODE(CheckPrefix("1a"), "0060");
    EXPECT_CODE(CheckPrefix("1-"), "0060");
    EXPECT_CODE(CheckPrefix("-1"), "0060");
    EXPECT_CODE(CheckPrefix("1"), "0062");
    EXPECT_CODE(CheckPrefix("123"), "X");
    EXPECT_CODE(CheckPrefix(""), "0061");
    EXPECT_CODE(CheckPrefix("   "), "0061");
}

TEST_F(IdentityRules, Inscription) {
    ASSERT_TRUE(IsValidCnpj(kCnpj));
    ASSERT_FALSE(IsValidCei(kCnpj));
    ASSERT_TRUE(IsValidCei(kCei));
    EXPECT_CODE(CheckInscription(kCnpj), "0051");
    EXPECT_CODE(CheckInscription(kCei), "0052");
    EXPECT_CODE(CheckInscription(" " + kCnpj + " "), "0051");
    EXPECT_CODE(CheckInscription("00000000000000"), "0053");
    EXPECT_CODE(CheckInscription("11222333000100"), "0053");  // check digits 81, not 00
    EXPECT_CODE(CheckInscription(kCnpj.left(13)), "0040");
    EXPECT_CODE(CheckInscription(kCnpj + "1"), "X");
    EXPECT_CODE(CheckInscription("1122233300011A"), "0040");
    EXPECT_CODE(CheckInscription(""), "0055");
}

TEST_F(IdentityRules, InscriptionBothCnpjAndCei) {
    // Search a 14-digit number valid as both; it exists among CEI-shaped numbers.
    QString both;
    for (int n = 0; n < 100000 && both.isEmpty(); ++n) {
        const QString c = Cei(QStringLiteral("1234%1").arg(n, 7, 10, QLatin1Char('0')));
        if (IsValidCnpj(c)) both = c;
    }
    ASSERT_FALSE(both.isEmpty());
    EXPECT_CODE(CheckInscription(both), "0050");
    EXPECT_CODE(CheckInscriptionOrCpf(both, 14), "0049");
}

TEST_F(IdentityRules, InscriptionType) {
    EXPECT_CODE(CheckInscriptionType("1"), "0000");
    EXPECT_CODE(CheckInscriptionType("3"), "0000");
    EXPECT_CODE(CheckInscriptionType("2"), "0130");
    EXPECT_CODE(CheckInscriptionType(""), "0132");
    EXPECT_CODE(CheckInscriptionType("A"), "0040");
    EXPECT_CODE(CheckInscriptionType("13"), "X");
    EXPECT_CODE(CheckResponsibleInscriptionType("4"), "0000");
    EXPECT_CODE(CheckResponsibleInscriptionType("2"), "0129");
    EXPECT_CODE(CheckResponsibleInscriptionType(""), "0128");
}

TEST_F(IdentityRules, InscriptionByType) {
    EXPECT_CODE(CheckInscriptionByType(kCnpj, "1"), "0000");
    EXPECT_CODE(CheckInscriptionByType(kCnpj, "3"), "0135");
    EXPECT_CODE(CheckInscriptionByType(kCnpj, ""), "0000");
    EXPECT_CODE(CheckInscriptionByType(kCnpj, "0"), "0000");
    EXPECT_CODE(CheckInscriptionByType(kCei, "3"), "0000");
    EXPECT_CODE(CheckInscriptionByType(kCei, "1"), "0134");
    EXPECT_CODE(CheckInscriptionByType("00000000000000", "1"), "0134");
    EXPECT_CODE(CheckInscriptionByType("00000000000000", "3"), "0135");
    EXPECT_CODE(CheckInscriptionByType("123", "1"), "0134");  // short: no crash, refused
    EXPECT_CODE(CheckInscriptionByType(kCnpj, "5"), "0000");
}

TEST_F(IdentityRules, InscriptionOrCpf) {
    const QString cpf = Cpf("123456789");
    EXPECT_CODE(CheckInscriptionOrCpf("000" + cpf, 11), "0056");
    ASSERT_EQ(cpf, "12345678909");
    EXPECT_CODE(CheckInscriptionOrCpf("00012345678900", 11), "0054");  // last check digit 9, not 0
    EXPECT_CODE(CheckInscriptionOrCpf("00000000000000", 11), "0055");
    EXPECT_CODE(CheckInscriptionOrCpf(kCnpj, 14), "0051");
    EXPECT_CODE(CheckInscriptionOrCpf(kCei, 12), "0052");
    EXPECT_CODE(CheckInscriptionOrCpf("00000000000000", 14), "0055");
    EXPECT_CODE(CheckInscriptionOrCpf("12345678901234", 14), "0054");  // check digits 30, not 34
    EXPECT_CODE(CheckInscriptionOrCpf("1234567890123A", 14), "0040");
    EXPECT_CODE(CheckInscriptionOrCpf("", 14), "0055");
}

TEST_F(IdentityRules, ResponsibleInscriptionByType) {
    const QString cpf = Cpf("987654321");
    EXPECT_CODE(CheckResponsibleInscriptionByType(kCnpj, "1"), "0000");
    EXPECT_CODE(CheckResponsibleInscriptionByType(kCei, "1"), "0131");
    EXPECT_CODE(CheckResponsibleInscriptionByType(kCei, "3"), "0000");
    EXPECT_CODE(CheckResponsibleInscriptionByType("000" + cpf, "4"), "0000");
    EXPECT_CODE(CheckResponsibleInscriptionByType(cpf, "4"), "0000");
    EXPECT_CODE(CheckResponsibleInscriptionByType(kCnpj, "4"), "0131");
    EXPECT_CODE(CheckResponsibleInscriptionByType("00000000000000", "1"), "0000");
    EXPECT_CODE(CheckResponsibleInscriptionByType(kCnpj, ""), "0000");
}

TEST_F(IdentityRules, LinkedCeiAndNegativeDeclaration) {
    EXPECT_CODE(CheckCeiNumber("00000000000000"), "0000");
    EXPECT_CODE(CheckCeiNumber(kCei), "0000");
    EXPECT_CODE(CheckCeiNumber(kCnpj), "0430");
    EXPECT_CODE(CheckCeiNumber(""), "0431");
    EXPECT_CODE(CheckCeiNumber("123"), "0040");

    EXPECT_CODE(CheckLinkedCeiForInscriptionType("3", "00000000000000"), "0000");
    EXPECT_CODE(CheckLinkedCeiForInscriptionType("1", kCei), "0000");
    EXPECT_CODE(CheckLinkedCeiForInscriptionType("3", kCei), "0350");
    EXPECT_CODE(CheckLinkedCeiForInscriptionType("3", ""), "0350");

    EXPECT_CODE(CheckNegativeDeclarationFlag("0"), "0000");
    EXPECT_CODE(CheckNegativeDeclarationFlag("1"), "0000");
    EXPECT_CODE(CheckNegativeDeclarationFlag("2"), "0140");
    EXPECT_CODE(CheckNegativeDeclarationFlag(""), "0140");
    EXPECT_CODE(CheckNegativeDeclarationFlag("S"), "0040");

    EXPECT_CODE(CheckNegativeDeclarationType("1", "1", "000000000000"), "0000");
    EXPECT_CODE(CheckNegativeDeclarationType("1", "1", kCei.right(12)), "0133");
    EXPECT_CODE(CheckNegativeDeclarationType("1", "1", ""), "0133");
    EXPECT_CODE(CheckNegativeDeclarationType("1", "3", "000000000000"), "0133");
    EXPECT_CODE(CheckNegativeDeclarationType("0", "3", kCei.right(12)), "0000");
}

TEST_F(IdentityRules, CompanyName) {
    QString name = " matriz ";
    EXPECT_CODE(CheckCompanyName(name, kCnpj, "1"), "0111");
    EXPECT_EQ(name, QStringLiteral("matriz"));
    name = "Filial";
    EXPECT_CODE(CheckCompanyName(name, kCnpj, "1"), "0111");
    name = "AB";
    EXPECT_CODE(CheckCompanyName(name, kCnpj, "1"), "0010");
    name = QStringLiteral("CONFECÇÕES LTDA");
    EXPECT_CODE(CheckCompanyName(name, kCnpj, "1"), "0020");
    name = "";
    EXPECT_CODE(CheckCompanyName(name, kCnpj, "1"), "0110");
    name = "PADARIA BOM PAO";
    EXPECT_CODE(CheckCompanyName(name, "", "1"), "0000");
}

TEST_F(IdentityRules, CompanyNameReservedRoots) {
    QString name = "Banco do Brasil SA agencia centro";
    EXPECT_CODE(CheckCompanyName(name, "00000000123456", "1"), "0000");
    name = "PADARIA BOM PAO";
    EXPECT_CODE(CheckCompanyName(name, "00000000123456", "1"), "3727");
    name = "BANCO BRADESCO S/A";  // a 14-character row
    EXPECT_CODE(CheckCompanyName(name, "60746948000112", "1"), "0000");
    name = "BANCO BRADESC";
    EXPECT_CODE(CheckCompanyName(name, "60746948000112", "1"), "3727");
    name = "PREFEITURA MUNICIPAL DE X";
    EXPECT_CODE(CheckCompanyName(name, "55356653000108", "1"), "0000");
    name = "CAMARA MUNICIPAL DE X";
    EXPECT_CODE(CheckCompanyName(name, "55356653000108", "1"), "3727");
    name = "PADARIA BOM PAO";
    EXPECT_CODE(CheckCompanyName(name, "0000000", "1"), "0000");  // shorter than a root
}

// A CPF or CEI stored in 14 digits may begin like a reserved CNPJ root; the
// root belongs to the CNPJ only.
TEST_F(IdentityRules, ReservedRootsApplyToCnpjOnly) {
    const QString cpfWithFiveZeros = "000" + Cpf("000001234");
    ASSERT_TRUE(cpfWithFiveZeros.startsWith("00000000"));
    QString name = "JOSE DA SILVA";
    EXPECT_CODE(CheckCompanyName(name, cpfWithFiveZeros, "4"), "0000");
    const QString ceiLikeRoot = Cei("17755500001");
    ASSERT_TRUE(ceiLikeRoot.startsWith("00177555"));
    EXPECT_CODE(CheckCompanyName(name, ceiLikeRoot, "3"), "0000");
    EXPECT_CODE(CheckCompanyName(name, ceiLikeRoot, "1"), "3727");
}

TEST_F(IdentityRules, FreeTextAndDeclarantName) {
    EXPECT_CODE(CheckFreeText(""), "0000");
    EXPECT_CODE(CheckFreeText("uso interno 01"), "0000");
    EXPECT_CODE(CheckFreeText("uso \"interno\""), "0020");
    EXPECT_CODE(CheckFreeText(QStringLiteral("uso não")), "0020");

    QString name = "  MARIA DA SILVA ";
    EXPECT_CODE(CheckDeclarantName(name), "0000");
    EXPECT_EQ(name, QStringLiteral("MARIA DA SILVA"));
    name = "";
    EXPECT_CODE(CheckDeclarantName(name), "3717");
    name = "MARIAAAA SILVA";
    EXPECT_CODE(CheckDeclarantName(name), "3100");
    name = "MARIA";
    EXPECT_CODE(CheckDeclarantName(name), "3716");
    name = "MARIA D'SILVA";
    EXPECT_CODE(CheckDeclarantName(name), "0020");
}

TEST_F(IdentityRules, GenerationDate) {
    EXPECT_CODE(CheckGenerationDate("31122009"), "0420");
    EXPECT_CODE(CheckGenerationDate("01012010"), "0000");
    EXPECT_CODE(CheckGenerationDate("31122010"), "0000");
    EXPECT_CODE(CheckGenerationDate("01012011"), "0423");
    EXPECT_CODE(CheckGenerationDate("31022010"), "0421");
    EXPECT_CODE(CheckGenerationDate("00000000"), "0420");
    EXPECT_CODE(CheckGenerationDate("0101201"), "0040");
    EXPECT_CODE(CheckGenerationDate(""), "0040");
}

TEST_F(IdentityRules, AmendmentDate) {
    EXPECT_CODE(CheckAmendmentDate(false, "00000000"), "0000");
    EXPECT_CODE(CheckAmendmentDate(false, "15052010"), "0411");
    EXPECT_CODE(CheckAmendmentDate(true, "00000000"), "0410");
    EXPECT_CODE(CheckAmendmentDate(true, "15052010"), "0000");
    EXPECT_CODE(CheckAmendmentDate(true, "15052009"), "0410");
    EXPECT_CODE(CheckAmendmentDate(true, "01012011"), "0413");
    EXPECT_CODE(CheckAmendmentDate(true, "30022010"), "0412");
    EXPECT_CODE(CheckAmendmentDate(true, "1505201"), "0040");
}

TEST_F(IdentityRules, ReceiptNumber) {
    EXPECT_CODE(CheckReceiptNumber("000000000000"), "0000");
    EXPECT_CODE(CheckReceiptNumber("091234567890"), "3734");
    EXPECT_CODE(CheckReceiptNumber("181234567890"), "3734");
    EXPECT_CODE(CheckReceiptNumber("999999999999"), "3734");
    EXPECT_CODE(CheckReceiptNumber("191234567890"), "0000");
    EXPECT_CODE(CheckReceiptNumber("19123456789"), "0040");
    EXPECT_CODE(CheckReceiptNumber("19123456789A"), "0040");

    EXPECT_CODE(CheckReceiptNumberForAmendment("", "1"), "3739");
    EXPECT_CODE(CheckReceiptNumberForAmendment("000000000000", "1"), "3734");
    EXPECT_CODE(CheckReceiptNumberForAmendment("191234567890", "1"), "0000");
    EXPECT_CODE(CheckReceiptNumberForAmendment("191234567890", "2"), "3735");
    EXPECT_CODE(CheckReceiptNumberForAmendment("000000000000", "2"), "0000");
    EXPECT_CODE(CheckReceiptNumberForAmendment("", "2"), "0000");
}

TEST_F(IdentityRules, Declarant) {
    const QString cpf = Cpf("123456789");
    EXPECT_CODE(CheckDeclarantCpf(cpf), "0000");
    EXPECT_CODE(CheckDeclarantCpf(""), "3718");
    EXPECT_CODE(CheckDeclarantCpf("00000000000"), "0210");
    EXPECT_CODE(CheckDeclarantCpf("11111111111"), "0210");  // right check digits, repeated
    EXPECT_CODE(CheckDeclarantCpf(cpf.left(10) + QChar(cpf.at(10) == '0' ? '1' : '0')), "0210");
    EXPECT_CODE(CheckDeclarantCpf("1234567890"), "0040");

    EXPECT_CODE(CheckDeclarantCpfMatchesInscription("000" + cpf, cpf, "4"), "0000");
    EXPECT_CODE(CheckDeclarantCpfMatchesInscription(cpf, cpf, "4"), "0000");
    EXPECT_CODE(CheckDeclarantCpfMatchesInscription("000" + Cpf("987654321"), cpf, "4"), "0210");
    EXPECT_CODE(CheckDeclarantCpfMatchesInscription(kCnpj, cpf, "1"), "0000");

    EXPECT_CODE(CheckDeclarantAge("01011992"), "0179");
    EXPECT_CODE(CheckDeclarantAge("01011991"), "0000");
    EXPECT_CODE(CheckDeclarantAge("01010000"), "0000");
    EXPECT_CODE(CheckDeclarantAge(""), "0000");
}

}  // namespace
