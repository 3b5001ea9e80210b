#pragma once
#include <QString>

class QLineEdit;
class QWidget;

// Shared procedures: message display by code, fixed-width text, tests on
// text, the code-returning building blocks of the field rules, display
// formats and the transmission receipt code.

// ---- Message display ------------------------------------------------------

// Shows the catalogue text of the code (tb8MSG) in the box its kind asks for
// and returns the pressed button's name ("mrYes", "mrNo", "mrOk"); an empty
// text for a row of an unknown kind.
QString ShowMessageByCode(const QString& code);

// Information box: formatted inscription, "  - ", secondText, "  - ",
// firstText, three blanks, a line break and the catalogue text of the code.
void ShowMessageForEstablishment(const QString& code, const QString& inscription, const QString& firstText,
                                 const QString& inscriptionType, const QString& secondText);

// "Deseja interromper?" with Yes and No; true when Yes is pressed.
bool AskInterrupt();

// Checks the edit's text with CheckName; on failure shows the message, gives
// the edit the focus and abandons the current event (throws SilentAbort).
void ValidateNameEdit(QLineEdit* edit);
// The same check over a text derived from the edit's (the edit still takes
// the message and the focus).
void ValidateNameEdit(QLineEdit* edit, const QString& checkedText);

// ---- Fixed-width text -----------------------------------------------------

QString Spaces(int count);
QString Zeros(int count);
QString PadRight(const QString& text, int width);
QString PadLeftZeros(const QString& text, int width);
QString TrimBoth(const QString& text);  // only the blank, code 32
QString RemoveDots(const QString& text);
QString StripMaskChars(const QString& text);
QString StripLeadingZeros(const QString& text);
QString ReplaceFirst(const QString& text, const QString& oldPart, const QString& newPart);
int MaxInteger(int a, int b);
int StrToIntOrZero(const QString& text);
QString ProgramDirectory();  // with its trailing separator
void ClearEdits(QWidget* container);

// ---- Tests ----------------------------------------------------------------

// At least one digit and nothing else once the characters of code 32 or
// below are trimmed from both ends. Inline: the field rules ask it millions
// of times in a check.
inline bool IsAllDigits(const QString& text) {
    const QChar* d = text.constData();
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && d[begin].unicode() <= 32) ++begin;
    while (end > begin && d[end - 1].unicode() <= 32) --end;
    if (begin == end) return false;
    for (; begin < end; ++begin)
        if (d[begin].unicode() < u'0' || d[begin].unicode() > u'9') return false;
    return true;
}
bool IsAllZeros(const QString& text);
bool IsPlainText(const QString& text);
bool IsLettersOnly(const QString& text);
bool IsNotRepeatedDigits(const QString& text);
bool HasNoFourEqualChars(const QString& text);
int CountWords(const QString& text);
bool IsValidEmail(const QString& text);
bool IsValidDate8(const QString& text);

// ---- Code-returning procedures ("0000" accepted) --------------------------

QString CheckDigitsLength(const QString& text, const QString& length);
QString CheckDigitsLengthShort3648(const QString& text, const QString& length);
QString CheckNumeric(const QString& text);
QString CheckName(const QString& text);

// ---- Display formats ------------------------------------------------------

QString FormatInscricao(const QString& number, const QString& inscriptionType);
QString FormatInscricaoOrCpf(const QString& number, const QString& inscriptionType);
QString FormatPisPasep(const QString& pisPasep);
QString FormatDate8(const QString& date);
QString FormatPhone(const QString& phone);
QString MonthName(const QString& month);
QString FormatMoney9Cents(const QString& cents);
QString FormatMoney8Cents(const QString& cents);
QString FormatMoneyText(const QString& amount);
QString FormatMoneyTextWide(const QString& amount);

// ---- Transmission receipt -------------------------------------------------

// The receipt file beside a declaration file: its name with the extension
// ".dec" (any case) replaced by ".rec", matched without regard to case. Empty
// when the file's own extension is not ".dec".
QString ReceiptPath(const QString& declarationPath);

// The 12-character receipt code from the ".rec" file beside a declaration
// file; " " when there is none.
QString ReadReceiptCode(const QString& declarationPath);
