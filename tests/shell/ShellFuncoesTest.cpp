#include "platform/ui/SilentAbort.h"
#include "shell/UdmLobrix.h"
#include "shell/ugFuncoes.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct TextCase {
    QString got;
    QString expected;
};

void expectAll(const std::vector<TextCase>& cases) {
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cases[i].got.toStdString(), cases[i].expected.toStdString()) << "case " << i;
}

}  // namespace

TEST(FixedWidthText, PaddingCutsToTheWidthKeepingTheStart) {
    expectAll({
        {PadLeftZeros("123", 6), "000123"},
        {PadLeftZeros("1234567", 6), "123456"},
        {PadLeftZeros("", 3), "000"},
        {PadRight("AB", 4), "AB  "},
        {PadRight("ABCDEF", 4), "ABCD"},
        {Spaces(0), ""},
        {Spaces(3), "   "},
        {Zeros(0), ""},
        {Zeros(255), QString(255, '0')},
    });
}

TEST(FixedWidthText, TrimmingAndStripping) {
    expectAll({
        {TrimBoth("  a b  "), "a b"},
        {TrimBoth("    "), ""},
        {TrimBoth("\tx\t"), "\tx\t"},  // only the blank is trimmed
        {RemoveDots(" 1.234.567,89\t"), "1234567,89"},
        {StripMaskChars("11.222.333/0001-81"), "11222333000181"},
        {StripLeadingZeros("000120"), "120"},
        {StripLeadingZeros("0000"), ""},
        {ReplaceFirst("a.dec.dec", ".dec", ".rec"), "a.rec.dec"},
        {ReplaceFirst("a.DEC", ".dec", ".rec"), "a.DEC"},
    });
    EXPECT_EQ(StrToIntOrZero("42"), 42);
    EXPECT_EQ(StrToIntOrZero("4a"), 0);
    EXPECT_EQ(StrToIntOrZero(""), 0);
    // Plain digits are read on a shorter path; the rest as before.
    EXPECT_EQ(StrToIntOrZero(" 42\t"), 42);
    EXPECT_EQ(StrToIntOrZero("+7"), 7);
    EXPECT_EQ(StrToIntOrZero("0000000042"), 42);
    EXPECT_EQ(StrToIntOrZero("99999999999"), 0);  // beyond an int
    EXPECT_EQ(MaxInteger(-3, 2), 2);
}

TEST(TextTests, DigitsZerosAndPlainText) {
    EXPECT_FALSE(IsAllZeros(""));
    EXPECT_TRUE(IsAllZeros("000"));
    EXPECT_FALSE(IsAllZeros("000 "));
    EXPECT_FALSE(IsAllDigits("   "));
    EXPECT_TRUE(IsAllDigits(" 0123 "));
    EXPECT_FALSE(IsAllDigits("12a4"));
    EXPECT_TRUE(IsPlainText(""));
    EXPECT_TRUE(IsPlainText("JOSE DA SILVA ~"));
    EXPECT_FALSE(IsPlainText("JOSÉ"));
    EXPECT_FALSE(IsPlainText("D'AVILA"));
    EXPECT_FALSE(IsPlainText("A\"B"));
    EXPECT_FALSE(IsPlainText("A\tB"));
    EXPECT_TRUE(IsLettersOnly(""));
    EXPECT_TRUE(IsLettersOnly("AbC"));
    EXPECT_FALSE(IsLettersOnly("A B"));
}

TEST(TextTests, RepeatedDigitsAndFourEqualCharacters) {
    EXPECT_FALSE(IsNotRepeatedDigits(QString(11, '1')));
    EXPECT_TRUE(IsNotRepeatedDigits(QString(11, '0')));
    EXPECT_FALSE(IsNotRepeatedDigits(""));
    EXPECT_TRUE(IsNotRepeatedDigits("11111111112"));
    EXPECT_TRUE(HasNoFourEqualChars("AAA"));
    EXPECT_FALSE(HasNoFourEqualChars("XAAAAY"));
    EXPECT_TRUE(HasNoFourEqualChars("RUA A    B"));
    EXPECT_TRUE(HasNoFourEqualChars("XAAAY"));
    EXPECT_FALSE(HasNoFourEqualChars("1111"));
}

TEST(TextTests, CountWords) {
    EXPECT_EQ(CountWords(""), 0);
    EXPECT_EQ(CountWords("   "), 0);
    EXPECT_EQ(CountWords("JOSE"), 1);
    EXPECT_EQ(CountWords("  JOSE  DA   SILVA "), 3);
}

TEST(TextTests, Email) {
    const std::vector<std::pair<QString, bool>> cases = {
        {"fulano@empresa.com.br", true},
        {"f.ulano_x@e-mpresa.com", true},
        {"", false},
        {"fulano", false},
        {"@empresa.com", false},
        {".fulano@empresa.com", false},
        {"fulano@empresa.com.", false},
        {"fulano@", false},
        {"fulano@empresa", false},
        {"fulano@.empresa.com", false},
        {"fulano@emp@resa.com", false},
        {"ful..ano@empresa.com", false},
        {"fulano@empresa..com", false},
        {"fulano.@empresa.com", false},
        {"fulano_@empresa.com", false},
        {"fulano@-empresa.com", false},
        {"fulano@empresa.co-m", false},
        {"fulano@empresa.co_m", false},
        {"ful ano@empresa.com", false},
        {"fulanó@empresa.com", false},
    };
    for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidEmail(text), valid) << text.toStdString();
}

TEST(TextTests, Date8IsParsedWithoutTheLocale) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::vector<std::pair<QString, bool>> cases = {
        {"31122009", true}, {"29022008", true}, {"29022009", false}, {"31042009", false},
        {"01130009", false}, {"00012009", false}, {"01010000", false}, {"0101200", false},
        {"010120091", false}, {"0101200a", false}, {"12312009", false}, {"01019999", true},
    };
    for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidDate8(text), valid) << text.toStdString();
    QLocale::setDefault(QLocale::c());
}

TEST(CodeProcedures, DigitsLengthNumericAndName) {
    expectAll({
        {CheckDigitsLength(" 0123 ", "4"), "0000"},
        {CheckDigitsLength(" 0123 ", "5"), "0040"},
        {CheckDigitsLength(" 0123 ", "3"), "X"},
        {CheckDigitsLength("12a4", "4"), "0040"},
        {CheckDigitsLength("", "4"), "0040"},
        {CheckDigitsLength("1", "abc"), "X"},  // a length that is not a number counts as 0
        {CheckDigitsLengthShort3648("012", "4"), "3648"},
        {CheckDigitsLengthShort3648("", "4"), "0040"},
        {CheckDigitsLengthShort3648("01x3", "4"), "0040"},
        {CheckDigitsLengthShort3648("01234", "4"), "X"},
        {CheckNumeric(" 12 "), "0000"},
        {CheckNumeric(""), "0030"},
        {CheckNumeric("1.2"), "0030"},
        {CheckName("  JO  "), "0010"},
        {CheckName("JOÃO"), "0020"},
        {CheckName("JOAO"), "0000"},
    });
}

TEST(DisplayFormats, Inscriptions) {
    expectAll({
        {FormatInscricao("11222333000181", "1"), "11.222.333/0001-81"},
        {FormatInscricao("123456789010", "3"), "12345.67890-10"},
        {FormatInscricao("00123456789010", " 3 "), "12345.67890-10"},
        {FormatInscricao("123456789010", "1"), "12.345.678/9010-"},
        {FormatInscricao("123456789010", "2"), "123456789010"},
        {FormatInscricaoOrCpf("52998224725", "4"), "529.982.247-25"},
        {FormatInscricaoOrCpf("00052998224725", "4"), "529.982.247-25"},
        {FormatInscricaoOrCpf("11222333000181", "1"), "11.222.333/0001-81"},
        {FormatPisPasep("12056412545"), "120.56412.54.5"},
        {FormatDate8("31122009"), "31/12/2009"},
        {FormatPhone("0032345678"), "3234-5678"},
        {FormatPhone("001234"), "1234"},
        {FormatPhone("12345"), "1-2345"},
    });
}

TEST(DisplayFormats, MonthNames) {
    expectAll({
        {MonthName("1"), "Janeiro"},
        {MonthName("03"), "Março"},
        {MonthName("12"), "Dezembro"},
        {MonthName("99"), "Totalização"},
        {MonthName("13"), ""},
        {MonthName("0"), ""},
        {MonthName("1a"), ""},
        {MonthName(""), ""},
    });
}

TEST(DisplayFormats, MoneyUsesCommaAndDotWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    expectAll({
        {FormatMoney9Cents("000012345"), Spaces(11) + "123,45"},
        {FormatMoney9Cents("000000000"), Spaces(14) + "0,00"},
        {FormatMoney9Cents("000001000"), Spaces(12) + "10,00"},
        {FormatMoney9Cents("000100000"), Spaces(7) + "1.000,00"},
        {FormatMoney9Cents("001000000"), Spaces(5) + "10.000,00"},
        {FormatMoney9Cents("010000000"), Spaces(3) + "100.000,00"},
        {FormatMoney9Cents("100000000"), "1.000.000,00"},
        {FormatMoney9Cents("999999999"), "9.999.999,99"},
        {FormatMoney9Cents("12A"), "12A"},
        {FormatMoney9Cents(" 12A "), "12A"},
        {FormatMoney9Cents(" 00001234"), Spaces(12) + "12,34"},
        {FormatMoney9Cents("00001234 "), Spaces(11) + "123,40"},
        {FormatMoney8Cents("00012345"), Spaces(11) + "123,45"},
        {FormatMoney8Cents("99999999"), Spaces(3) + "999.999,99"},
        {FormatMoneyText(" 1.234,56 "), Spaces(7) + "1.234,56"},
        {FormatMoneyText("0"), Spaces(14) + "0,00"},
        {FormatMoneyText("12,345"), Spaces(12) + "12,35"},
        {FormatMoneyText("abc"), "Erro"},
        {FormatMoneyText(""), "Erro"},
        {FormatMoneyText("1,2,3"), "Erro"},
        {FormatMoneyTextWide("1.234,56"), Spaces(4) + "1.234,56"},
        {FormatMoneyTextWide("0,5"), Spaces(8) + "0,50"},
        {FormatMoneyTextWide("1000000"), "1.000.000,00"},
    });
    QLocale::setDefault(QLocale::c());
}

class ReceiptCode : public ::testing::Test {
protected:
    QString write(const QString& relative, const QByteArray& content) {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ReceiptCode, FirstLineGivesTheCode) {
    write("zuvo1.rec", "5123456789012345\r\nsegunda linha\r\n");
    write("zuvo2.rec", "9123\r\n");
    write("zuvo3.rec", "3000000001\n");
    write("zuvo4.rec", "7123456789\r\n");
    write("zuvo5.rec", "");
    expectAll({
        {ReadReceiptCode(dir.filePath("zuvo1.dec")), "590512345678"},
        {ReadReceiptCode(dir.filePath("zuvo2.dec")), "9909123"},
        {ReadReceiptCode(dir.filePath("zuvo3.dec")), "390300000000"},
        {ReadReceiptCode(dir.filePath("zuvo4.dec")), " "},
        {ReadReceiptCode(dir.filePath("zuvo5.dec")), " "},
        {ReadReceiptCode(dir.filePath("missing.dec")), " "},
    });
}

TEST_F(ReceiptCode, OnlyTheExtensionIsReplacedInAnyLetterCase) {
    // A folder whose name holds ".dec" must not be taken for the extension.
    write("old.dec/ZUVO.rec", "5111111111\r\n");
    write("old.rec/ZUVO.DEC", "declaration, not a receipt\r\n");
    EXPECT_EQ(ReadReceiptCode(dir.filePath("old.dec/ZUVO.DEC")).toStdString(), "590511111111");
    // A path without the extension has no receipt (it must not read itself).
    write("plain", "5222222222\r\n");
    EXPECT_EQ(ReadReceiptCode(dir.filePath("plain")).toStdString(), " ");
}

class MessagesByCode : public ::testing::Test {
protected:
    void SetUp() override {
        put("9901", "CNF", "Confirma a exclusão?");
        put("9902", "WAR", "Cuidado.");
        put("9903", "INF", "Pronto.");
        put("9904", "ERR", "Falhou.");
        put("9905", "XYZ", "Nunca mostrada.");
    }
    // The program only reads the catalogue; the fixture writes through a table of its own.
    void put(const QString& code, const QString& kind, const QString& text) {
        db::Table t(dmLobrix->dbZuvo, QStringLiteral("tb8MSG.DB"));
        t.Open();
        if (t.FindKey({code})) t.Delete();
        AppendRow(t, {{"NuMensagem", code}, {"TpMensagem", kind}, {"TxMensagem", text}});
    }
    TempProgramWithModules program;
};

TEST_F(MessagesByCode, ConfirmationAnsweredYesThenNo) {
    ScriptedMessages boxes;
    boxes.answer("mrYes").answer("mrNo");
    EXPECT_EQ(ShowMessageByCode("9901").toStdString(), "mrYes");
    EXPECT_EQ(ShowMessageByCode("9901").toStdString(), "mrNo");
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Confirmation);
    EXPECT_EQ(boxes.shown()[0].buttons, msg::BoxButtons::YesNo);
    EXPECT_EQ(boxes.texts()[0].toStdString(), "Confirma a exclusão?");
    EXPECT_EQ(boxes.codes(), QStringList({"9901", "9901"}));
}

TEST_F(MessagesByCode, KindChoosesTheBox) {
    ScriptedMessages boxes;
    boxes.answer("mrOk").answer("mrOk").answer("mrOk");
    EXPECT_EQ(ShowMessageByCode("9902").toStdString(), "mrOk");
    EXPECT_EQ(ShowMessageByCode("9903").toStdString(), "mrOk");
    EXPECT_EQ(ShowMessageByCode("9904").toStdString(), "mrOk");
    EXPECT_EQ(ShowMessageByCode("9905").toStdString(), "");  // unknown kind: nothing shown
    ASSERT_EQ(boxes.shown().size(), 3);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Warning);
    EXPECT_EQ(boxes.shown()[1].kind, msg::BoxKind::Information);
    EXPECT_EQ(boxes.shown()[2].kind, msg::BoxKind::Error);
    for (const auto& r : boxes.shown()) EXPECT_EQ(r.buttons, msg::BoxButtons::Ok);
}

TEST_F(MessagesByCode, MissingCodeStillSaysSomething) {
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    ShowMessageByCode("9999");
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("9999"));
}

TEST_F(MessagesByCode, EstablishmentMessageReadsInscriptionPrefixNameThenText) {
    ScriptedMessages boxes;
    boxes.answer("mrOk").answer("mrOk");
    ShowMessageForEstablishment("9904", "123456789010", "PADARIA X", "3", "01");
    ShowMessageForEstablishment("9904", "123456789010", "PADARIA X", "2", "01");
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Information);  // whatever the row's kind
    EXPECT_EQ(boxes.texts()[0].toStdString(), "12345.67890-10  - 01  - PADARIA X   \rFalhou.");
    EXPECT_EQ(boxes.texts()[1].toStdString(), "123456789010  - 01  - PADARIA X   \rFalhou.");
}

TEST_F(MessagesByCode, ValidateNameEditShowsTheCodeAndAbortsSilently) {
    put("0010", "WAR", "Nome curto.");
    QLineEdit edit;
    edit.setText(" AB ");
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    EXPECT_THROW(ValidateNameEdit(&edit), SilentAbort);
    EXPECT_EQ(boxes.codes(), QStringList({"0010"}));
    edit.setText("ABC");
    EXPECT_NO_THROW(ValidateNameEdit(&edit));
}

TEST(MessageDisplay, AskInterruptIsAYesNoConfirmation) {
    ScriptedMessages boxes;
    boxes.answer("mrYes").answer("mrNo");
    EXPECT_TRUE(AskInterrupt());
    EXPECT_FALSE(AskInterrupt());
    ASSERT_EQ(boxes.shown().size(), 2);
    // A question: the confirmation's title and icon, not the information's.
    EXPECT_EQ(boxes.shown()[0].kind, msg::BoxKind::Confirmation);
    EXPECT_EQ(boxes.shown()[0].buttons, msg::BoxButtons::YesNo);
    EXPECT_EQ(boxes.texts()[0].toStdString(), "Deseja interromper?");
}

TEST(Widgets, ClearEditsEmptiesEditsAtAnyDepthButNotCombos) {
    QWidget form;
    auto* inner = new QWidget(&form);
    auto* deep = new QWidget(inner);
    auto* a = new QLineEdit("a", &form);
    auto* b = new QLineEdit("b", deep);
    b->setInputMask("99.999;_");
    auto* memo = new QPlainTextEdit("memo", inner);
    auto* combo = new QComboBox(deep);
    combo->setEditable(true);
    combo->addItem("escolha");
    ClearEdits(&form);
    EXPECT_TRUE(a->text().isEmpty());
    EXPECT_TRUE(b->text().remove('.').isEmpty());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(combo->currentText().toStdString(), "escolha");
}
