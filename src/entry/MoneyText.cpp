#include "MoneyText.h"

#include "shell/ugFuncoes.h"

namespace {

QString displayToCents(const QString& display, int width) {
    QString digits = display.trimmed();
    digits.remove(QLatin1Char('.')).remove(QLatin1Char(','));
    if (digits.size() < width) digits = Zeros(width - digits.size()) + digits;
    return digits;
}

// The digits typed after the decimal comma.
int decimals(const QString& typed) {
    const QString t = RemoveDots(typed.trimmed());
    const int comma = t.lastIndexOf(QLatin1Char(','));
    return comma < 0 ? 0 : int(t.size()) - comma - 1;
}

}  // namespace

QString MoneyForEditing(const QString& display) {
    if (display.trimmed().isEmpty()) return display;
    return RemoveDots(display);
}

QString CentsToDisplay(const QString& cents) {
    const QString t = cents.trimmed();
    if (t.isEmpty() || IsAllZeros(t)) return FormatMoneyText(QStringLiteral("0000000,00"));
    const QString padded = PadLeftZeros(t, 9);
    return FormatMoneyText(padded.left(7) + QLatin1Char(',') + padded.mid(7, 2));
}

QString DisplayToCents9(const QString& display) { return displayToCents(display, 9); }

QString DisplayToCents8(const QString& display) { return displayToCents(display, 8); }

MoneyText ReadMoneyText(const QString& typed, int centsDigits) {
    MoneyText result;
    result.formatted = FormatMoneyText(typed);
    if (result.formatted == QLatin1String("Erro") || decimals(typed) > 2) {
        result.code = QStringLiteral("0040");
        return result;
    }
    result.cents = displayToCents(result.formatted, centsDigits);
    // A sign is no amount of money the record can hold.
    if (!IsAllDigits(result.cents)) {
        result.code = QStringLiteral("0040");
        return result;
    }
    result.code = result.cents.size() > centsDigits ? QStringLiteral("0315") : QStringLiteral("0000");
    return result;
}

qint64 CentsOrZero(const QString& cents) {
    if (!IsAllDigits(cents)) return 0;
    bool ok = false;
    const qint64 value = cents.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}
