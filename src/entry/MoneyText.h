#pragma once
// The money texts of the data-entry forms. On screen an amount is a display
// text ("1.234,56" with blanks in front); in the record it is cents,
// left-padded with zeros to 9 or 8 digits.

#include <QString>

// On screen an amount is a display text ("1.234,56" with blanks in front); in
// the record it is cents, left-padded with zeros to 9 or 8 digits.

// The text put into a money edit when it is entered: grouping dots removed.
QString MoneyForEditing(const QString& display);
// Record cents to display text ("000012345" -> "123,45" with blanks in front).
QString CentsToDisplay(const QString& cents);
// Display text (always with two decimals) to cents; a longer text is not cut.
QString DisplayToCents9(const QString& display);
QString DisplayToCents8(const QString& display);

// What the user typed into a money edit: "0000" with its formatted text and
// cents, or 0040 (no amount: not a number, a sign, or more than two decimals,
// which no amount in cents has) or 0315 (more cents digits than the field has).
struct MoneyText {
    QString code;
    QString formatted;
    QString cents;
};
MoneyText ReadMoneyText(const QString& typed, int centsDigits);

// Cents as a number; a text that is not all digits counts as zero.
qint64 CentsOrZero(const QString& cents);
