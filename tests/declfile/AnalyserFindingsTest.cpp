// Every structure finding, each made by altering one byte or one line of a
// file the writer produced.
#include "AnalyserFixture.h"

#include "support/DataFolder.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace analyserfixture;

namespace {

const QByteArray kKeyA = "1122233300018100";
const QByteArray kKeyB = "2233344400017200";
const QByteArray kKeyC = "3344455500016301";

// The valid file: 1 header, 2 establishment A, 3-5 its contracts,
// 6 establishment B (without employees), 7 establishment C, 8 its contract,
// 9 trailer.
struct Row {
    const char* sequencia;
    const char* tipoCampo;
    const char* posicao;
    const char* conteudo;
};

struct Case {
    const char* name;
    int code;
    std::function<void(QByteArray&)> alter;
    std::vector<Row> rows;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<Case> cases() {
    return {
        {"LineEndOfRecord2IsOnlyCR", 1900, [](QByteArray& f) { f.remove(552 + 551, 1); },
         {{"000002", "5", "551", "0D(hexadecimal)0"}}},
        {"ControlByteInHeaderColumn275", 1901, [](QByteArray& f) { Put(f, 1, 275, "\x01"); },
         {{"000001", "5", "275", "01(hexadecimal)"}}},
        {"ControlByteInTrailerColumn100", 1901, [](QByteArray& f) { Put(f, 9, 100, "\x7F"); },
         {{"000009", "5", "100", "7F(hexadecimal)"}}},
        {"SequenceOutOfOrder", 1902, [](QByteArray& f) { Put(f, 2, 1, "000003"); },
         {{"000001", "0", "", "000001"}, {"000002", "0", "", "000003"}}},
        {"EmptyLineAfterTrailer", 1903, [](QByteArray& f) { f += "\r\n"; },
         {{"000009", "1", "", "9"}, {"000010", "5", "1", "0D(hexadecimal)"}}},
        {"TrailerWithoutLineEnd", 1904, [](QByteArray& f) { f.chop(2); },
         {{"000009", "9", "", "552"}, {"000009", "A", "", "550"}}},
        {"NoTrailer", 1905, [](QByteArray& f) { f.chop(552); }, {{"000008", "1", "", "2"}}},
        {"SecondHeader", 1906, [](QByteArray& f) { Put(f, 2, 23, "0"); }, {{"000002", "1", "", "0"}}},
        {"FirstRecordNotHeader", 1907, [](QByteArray& f) { Put(f, 1, 23, "1"); }, {{"000001", "1", "", "1"}}},
        {"FirstEstablishmentKeyDiffersFromHeader", 1908, [](QByteArray& f) { Put(f, 2, 21, "01"); },
         {{"000001", "1", "", "0"}, {"000002", "1", "", "1"}}},
        {"EstablishmentWithEmployeesFollowedByEstablishment", 1909, [](QByteArray& f) { Put(f, 6, 280, "0"); },
         {{"000006", "1", "", "1"}, {"000006", "2", "", "0"}, {"000007", "1", "", "1"}}},
        {"EstablishmentRepeatedDirectly", 1910, [](QByteArray& f) { Put(f, 7, 7, kKeyB); },
         {{"000006", "1", "", "1"}, {"000007", "1", "", "1"}}},
        {"EstablishmentRepeatedEarlier", 1910, [](QByteArray& f) { Put(f, 7, 7, kKeyA); },
         {{"000002", "1", "", "1"}, {"000007", "1", "", "1"}}},
        {"YearNotTheBaseYear", 1911, [](QByteArray& f) { Put(f, 2, 295, "2010"); },
         {{"000002", "5", "295", "2010"}}},
        {"YearWithControlByte", 1911, [](QByteArray& f) { Put(f, 2, 296, "\x02"); }, {{"000002", "5", "295", ""}}},
        {"DeclarationTypeNeitherZeroNorOne", 1912, [](QByteArray& f) { Put(f, 2, 280, "2"); },
         {{"000002", "2", "", "2"}}},
        {"ContractAfterAnotherEstablishmentWithoutEmployees", 1913, [](QByteArray& f) { Put(f, 7, 23, "2"); },
         {{"000007", "1", "", "2"}}},
        {"ContractDirectlyAfterHeader", 1913, [](QByteArray& f) { Put(f, 2, 23, "2"); }, {{"000002", "1", "", "2"}}},
        {"ContractOfEstablishmentWithoutEmployees", 1914,
         [](QByteArray& f) {
             Put(f, 7, 23, "2");
             Put(f, 7, 7, kKeyB);
         },
         {{"000006", "1", "", "1"}, {"000006", "2", "", "1"}, {"000007", "1", "", "2"}}},
        {"EstablishmentWithEmployeesFollowedByOtherContract", 1915, [](QByteArray& f) { Put(f, 3, 7, kKeyC); },
         {{"000002", "1", "", "1"}, {"000002", "2", "", "0"}, {"000003", "1", "", "2"}}},
        {"EstablishmentWithEmployeesFollowedByTrailer", 1915,
         [](QByteArray& f) {
             f.remove(7 * 552, 552);  // contract of C
             Put(f, 8, 1, "000008");
         },
         {{"000007", "1", "", "1"}, {"000007", "2", "", "0"}, {"000008", "1", "", "9"}}},
        {"ContractKeyDiffersFromPrevious", 1916, [](QByteArray& f) { Put(f, 4, 7, kKeyC); },
         {{"000003", "1", "", "2"}, {"000004", "1", "", "2"}}},
        {"TrailerDirectlyAfterHeader", 1917, [](QByteArray& f) { Put(f, 2, 23, "9"); },
         {{"000001", "1", "", "0"}, {"000002", "1", "", "9"}}},
        {"TrailerKeyDiffers", 1918, [](QByteArray& f) { Put(f, 9, 21, "00"); },
         {{"000008", "1", "", "2"}, {"000009", "1", "", "9"}}},
        {"TrailerStatesOneEstablishmentTooMany", 1919, [](QByteArray& f) { Put(f, 9, 24, "000004"); },
         {{"000009", "1", "", "9"}, {"000009", "3", "", "000004"}, {"000009", "6", "", "3"}}},
        {"TrailerEstablishmentTotalNotDigits", 1919, [](QByteArray& f) { Put(f, 9, 24, "00000X"); },
         {{"000009", "1", "", "9"}, {"000009", "3", "", "00000X"}, {"000009", "6", "", "3"}}},
        {"TrailerContractTotalDiffers", 1920, [](QByteArray& f) { Put(f, 9, 30, "000005"); },
         {{"000009", "1", "", "9"}, {"000009", "3", "", "000005"}, {"000009", "7", "", "4"}}},
        {"UnknownRecordType", 1921, [](QByteArray& f) { Put(f, 3, 23, "5"); }, {{"000003", "1", "", "5"}}},
        {"SequenceWithLetter", 1922, [](QByteArray& f) { Put(f, 2, 3, "A"); }, {{"000002", "0", "3", "00A002"}}},
        {"SequenceWithControlByte", 1922, [](QByteArray& f) { Put(f, 2, 4, "\x03"); },
         {{"000002", "0", "4", "03(hexadecimal)"}}},
        {"InscriptionWithLetter", 1922, [](QByteArray& f) { Put(f, 2, 10, "Z"); },
         {{"000002", "8", "10", "112Z2333000181"}}},
        {"InscriptionWithControlByte", 1922, [](QByteArray& f) { Put(f, 2, 10, "\x01"); },
         {{"000002", "8", "10", "01(hexadecimal)"}}},
        {"RecordTypeLetter", 1922, [](QByteArray& f) { Put(f, 2, 23, "A"); }, {{"000002", "1", "23", "A"}}},
        {"DeclarationTypeLetter", 1922, [](QByteArray& f) { Put(f, 2, 280, "A"); }, {{"000002", "2", "280", "A"}}},
        {"CarriageReturnInsideRecord", 1923, [](QByteArray& f) { Put(f, 2, 100, "\r"); },
         {{"000002", "5", "100", "0D(hexadecimal)"}}},
        // An accented letter before the break is not the break.
        {"LineFeedAfterAccentedLetter", 1923,
         [](QByteArray& f) {
             Put(f, 2, 50, "\xC9");
             Put(f, 2, 100, "\n");
         },
         {{"000002", "5", "100", "0A(hexadecimal)"}}},
        {"ShorterThanThreeRecords", 1924, [](QByteArray& f) { f.truncate(1649); }, {{"000001", "", "", ""}}},
    };
}

}  // namespace

class AnalyserFindings : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        SeedDeclaration(program.dataFolder());
        valid = WriteFile(program.dataFolder(), false);
        ASSERT_EQ(valid.size(), 9 * 552);
    }
    TempProgramWithModules program;
    QByteArray valid;
};

TEST_P(AnalyserFindings, ReportsTheFindingAndRemovesTheWorkingTables) {
    const Case& c = GetParam();
    QByteArray file = valid;
    c.alter(file);
    const Outcome o = AnalyseBytes(program.dataFolder(), file);
    EXPECT_EQ(o.result, declfile::kAnaliseComErro);
    EXPECT_FALSE(WorkTablesExist(program.dataFolder()));
    EXPECT_FALSE(QFile::exists(QDir(program.dataFolder()).filePath(declfile::kAnalysisCopyName)));

    const QVector<Finding> rows = ReadFindings(program.dataFolder());
    ASSERT_EQ(rows.size(), int(c.rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].anBase, "2009");
        EXPECT_EQ(rows[i].coMsg, QString::number(c.code));
        EXPECT_EQ(rows[i].sequencia, c.rows[i].sequencia);
        EXPECT_EQ(rows[i].tipoCampo, c.rows[i].tipoCampo);
        EXPECT_EQ(rows[i].posicaoInicial, c.rows[i].posicao);
        EXPECT_EQ(rows[i].conteudo, QString::fromUtf8(c.rows[i].conteudo));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCode, AnalyserFindings, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return QStringLiteral("%1_%2").arg(info.param.code).arg(info.param.name).toStdString();
                         });

// The rows name the record they speak of by its inscription and prefix.
TEST_F(AnalyserFindings, RowsCarryTheInscriptionOfTheirRecord) {
    QByteArray file = valid;
    Put(file, 7, 7, kKeyA);  // C repeats A, which is not directly before it
    AnalyseBytes(program.dataFolder(), file);
    const auto rows = ReadFindings(program.dataFolder());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].inscricaoPrefixo, QString::fromLatin1(kKeyA));  // the earlier occurrence
    EXPECT_EQ(rows[1].inscricaoPrefixo, QString::fromLatin1(kKeyA));

    file = valid;
    Put(file, 2, 10, "\x01");
    AnalyseBytes(program.dataFolder(), file);
    const auto unprintable = ReadFindings(program.dataFolder());
    ASSERT_EQ(unprintable.size(), 1);
    EXPECT_EQ(unprintable[0].inscricaoPrefixo, QString());
}

TEST_F(AnalyserFindings, EmptyFileIsTooShort) {
    const Outcome o = AnalyseBytes(program.dataFolder(), QByteArray());
    EXPECT_EQ(o.result, declfile::kAnaliseComErro);
    const auto rows = ReadFindings(program.dataFolder());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].coMsg, "1924");
    EXPECT_EQ(rows[0].sequencia, "000001");
    EXPECT_EQ(rows[0].inscricaoPrefixo, QString());
    EXPECT_EQ(rows[0].tipoCampo, QString());
}

TEST_F(AnalyserFindings, ThreeRecordLengthsAreLongEnough) {
    // 1,650 bytes pass the length check; what follows is about the records.
    const Outcome o = AnalyseBytes(program.dataFolder(), valid.left(1650));
    EXPECT_EQ(o.result, declfile::kAnaliseComErro);
    const auto rows = ReadFindings(program.dataFolder());
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_NE(rows[0].coMsg, "1924");
}

// A new finding replaces the rows of the last one; a clean analysis leaves none.
TEST_F(AnalyserFindings, FindingsTableHoldsOnlyTheLastFinding) {
    QByteArray file = valid;
    Put(file, 9, 24, "000004");
    AnalyseBytes(program.dataFolder(), file);
    ASSERT_EQ(ReadFindings(program.dataFolder()).size(), 3);
    file = valid;
    Put(file, 3, 23, "5");
    AnalyseBytes(program.dataFolder(), file);
    EXPECT_EQ(ReadFindings(program.dataFolder()).size(), 1);
    EXPECT_EQ(AnalyseBytes(program.dataFolder(), valid).result, declfile::kAnaliseSemErro);
    EXPECT_TRUE(ReadFindings(program.dataFolder()).isEmpty());
}

// The counts of what was loaded before the finding still reach the caller.
TEST_F(AnalyserFindings, CountsWhatWasLoadedBeforeTheFinding) {
    QByteArray file = valid;
    Put(file, 7, 23, "5");
    const Outcome o = AnalyseBytes(program.dataFolder(), file);
    EXPECT_EQ(o.result, declfile::kAnaliseComErro);
    EXPECT_EQ(o.establishments, 2);
    EXPECT_EQ(o.contracts, 3);
}
