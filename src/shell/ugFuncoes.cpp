#include "ugFuncoes.h"

#include "UdmLobrix.h"
#include "platform/AppPaths.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ProgressHost.h"
#include "platform/ui/SilentAbort.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

namespace {

// Trims the characters of code 32 or below at both ends.
QString trimControl(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32) ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32) --end;
    return text.mid(begin, end - begin);
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// trimControl as a view: the field rules run it over every value of every
// contract, and most values need no copy to be tested.
QStringView trimmedControl(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32) ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32) --end;
    return text.sliced(begin, end - begin);
}

bool digitsOnly(QStringView t) {
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (!isDigit(c)) return false;
    return true;
}

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// An amount of cents from "digits[,digits]" with an optional sign; the
// fraction is rounded half away from zero to two places.
bool parseDecimalComma(const QString& text, qint64& cents) {
    QString t = text;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.at(0) == QLatin1Char('-');
        t = t.mid(1);
    }
    const int comma = t.indexOf(QLatin1Char(','));
    const QString whole = comma < 0 ? t : t.left(comma);
    const QString fraction = comma < 0 ? QString() : t.mid(comma + 1);
    if (whole.isEmpty() && fraction.isEmpty()) return false;
    if (whole.size() > 15) return false;
    for (QChar c : whole)
        if (!isDigit(c)) return false;
    for (QChar c : fraction)
        if (!isDigit(c)) return false;
    qint64 value = whole.isEmpty() ? 0 : whole.toLongLong();
    const QString f = (fraction + QStringLiteral("00")).left(2);
    value = value * 100 + f.toLongLong();
    if (fraction.size() > 2 && fraction.at(2) >= QLatin1Char('5')) ++value;
    cents = negative ? -value : value;
    return true;
}

// "#,###,##0.00" with "." for thousands and "," for decimals, whatever the locale.
QString formatCents(qint64 cents) {
    const bool negative = cents < 0;
    const qint64 magnitude = negative ? -cents : cents;
    QString whole = QString::number(magnitude / 100);
    for (int i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char('.'));
    const QString fraction = QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') + fraction;
}

// Blanks put in front so that the columns line up in proportional fonts.
QString fillMoney(const QString& formatted, bool wide) {
    static const int lengths[] = {4, 5, 6, 8, 9, 10, 12};
    static const int normal[] = {14, 12, 11, 7, 5, 3, 0};
    static const int narrow[] = {8, 7, 6, 4, 3, 2, 0};
    for (int i = 0; i < 7; ++i)
        if (formatted.size() == lengths[i]) return Spaces(wide ? narrow[i] : normal[i]) + formatted;
    return formatted;
}

QString formatMoneyCents(const QString& cents, int wholeDigits) {
    if (!IsAllDigits(cents)) return trimControl(cents);
    qint64 value = 0;
    // A short amount in a wide field keeps its blanks at either end; they are
    // not part of the number.
    if (!parseDecimalComma(TrimBoth(cents.left(wholeDigits) + QLatin1Char(',') + cents.mid(wholeDigits, 2)), value))
        return QStringLiteral("Erro");
    return fillMoney(formatCents(value), false);
}

QString formatMoneyText(const QString& amount, bool wide) {
    qint64 value = 0;
    if (!parseDecimalComma(RemoveDots(amount), value)) return QStringLiteral("Erro");
    return fillMoney(formatCents(value), wide);
}

}  // namespace

// ---- Message display ------------------------------------------------------

QString ShowMessageByCode(const QString& code) {
    if (!dmLobrix || !dmLobrix->taMensagem.FindKey({code}))
        return msg::ShowBox(msg::BoxKind::Error, QStringLiteral("Mensagem %1 não encontrada no catálogo.").arg(code),
                            msg::BoxButtons::Ok, code);
    db::Table& messages = dmLobrix->taMensagem;
    const QString kind = messages.FieldByName(QStringLiteral("TpMensagem")).AsString().trimmed().toUpper();
    const QString text = messages.FieldByName(QStringLiteral("TxMensagem")).AsString();
    if (kind == QLatin1String("CNF"))
        return msg::ShowBox(msg::BoxKind::Confirmation, text, msg::BoxButtons::YesNo, code);
    if (kind == QLatin1String("WAR")) return msg::ShowBox(msg::BoxKind::Warning, text, msg::BoxButtons::Ok, code);
    if (kind == QLatin1String("INF"))
        return msg::ShowBox(msg::BoxKind::Information, text, msg::BoxButtons::Ok, code);
    if (kind == QLatin1String("ERR")) return msg::ShowBox(msg::BoxKind::Error, text, msg::BoxButtons::Ok, code);
    return QString();
}

void ShowMessageForEstablishment(const QString& code, const QString& inscription, const QString& firstText,
                                 const QString& inscriptionType, const QString& secondText) {
    const QString message = dmLobrix && dmLobrix->taMensagem.FindKey({code})
                                 ? dmLobrix->taMensagem.FieldByName(QStringLiteral("TxMensagem")).AsString()
                                 : QString();
    const QString type = inscriptionType.trimmed();
    const QString shown = (type == QLatin1String("1") || type == QLatin1String("3"))
                              ? FormatInscricao(inscription, inscriptionType)
                              : inscription;
    msg::ShowBox(msg::BoxKind::Information,
                 shown + QStringLiteral("  - ") + secondText + QStringLiteral("  - ") + firstText +
                     QStringLiteral("   \r") + message,
                 msg::BoxButtons::Ok, code);
}

bool AskInterrupt() { return forms::AskInterrupt(); }

void ValidateNameEdit(QLineEdit* edit) { ValidateNameEdit(edit, edit->text()); }

void ValidateNameEdit(QLineEdit* edit, const QString& checkedText) {
    const QString code = CheckName(checkedText);
    if (code == QLatin1String("0000")) return;
    ShowMessageByCode(code);
    // The focus goes back once the current focus change has finished.
    QPointer<QLineEdit> target(edit);
    QTimer::singleShot(0, edit, [target] {
        if (target) target->setFocus();
    });
    throw SilentAbort();
}

// ---- Fixed-width text -----------------------------------------------------

QString Spaces(int count) { return count > 0 ? QString(count, QLatin1Char(' ')) : QString(); }

QString Zeros(int count) { return count > 0 ? QString(count, QLatin1Char('0')) : QString(); }

QString PadRight(const QString& text, int width) {
    if (width <= 0) return QString();
    return (text + Spaces(width - text.size())).left(width);
}

QString PadLeftZeros(const QString& text, int width) {
    if (width <= 0) return QString();
    return (Zeros(width - text.size()) + text).left(width);
}

QString TrimBoth(const QString& text) {
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

QString RemoveDots(const QString& text) { return trimControl(text).remove(QLatin1Char('.')); }

QString StripMaskChars(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char('.')).remove(QLatin1Char('/')).remove(QLatin1Char('-'));
    return result;
}

QString StripLeadingZeros(const QString& text) {
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('0')) ++i;
    return text.mid(i);
}

QString ReplaceFirst(const QString& text, const QString& oldPart, const QString& newPart) {
    const int at = text.indexOf(oldPart, 0, Qt::CaseSensitive);
    if (at < 0 || oldPart.isEmpty()) return text;
    QString result = text;
    return result.replace(at, oldPart.size(), newPart);
}

int MaxInteger(int a, int b) { return a > b ? a : b; }

int StrToIntOrZero(const QString& text) {
    // The common case, a few plain digits, without the copy trimmed() makes.
    if (!text.isEmpty() && text.size() <= 9 && digitsOnly(text)) {
        int value = 0;
        for (QChar c : text) value = value * 10 + (c.unicode() - '0');
        return value;
    }
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString ProgramDirectory() { return AppPaths::programFolder(); }

void ClearEdits(QWidget* container) {
    if (!container) return;
    for (QLineEdit* e : container->findChildren<QLineEdit*>()) {
        // The line edits inside combo and spin boxes are not edits of their own.
        QWidget* owner = e->parentWidget();
        if (qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner)) continue;
        e->clear();
    }
    for (QTextEdit* e : container->findChildren<QTextEdit*>()) e->clear();
    for (QPlainTextEdit* e : container->findChildren<QPlainTextEdit*>()) e->clear();
}

// ---- Tests ----------------------------------------------------------------


bool IsAllZeros(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c != QLatin1Char('0')) return false;
    return true;
}

bool IsPlainText(const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u < 32 || u > 126 || c == QLatin1Char('"') || c == QLatin1Char('\'')) return false;
    }
    return true;
}

bool IsLettersOnly(const QString& text) {
    for (QChar c : text)
        if (!isAsciiLetter(c)) return false;
    return true;
}

bool IsNotRepeatedDigits(const QString& text) {
    if (text.isEmpty()) return false;
    if (IsAllZeros(text)) return true;
    for (QChar c : text)
        if (c != text.at(0)) return true;
    return false;
}

bool HasNoFourEqualChars(const QString& text) {
    if (trimControl(text).size() <= 3) return true;
    for (int i = 0; i + 3 < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char(' ') && text.at(i + 1) == c && text.at(i + 2) == c && text.at(i + 3) == c) return false;
    }
    return true;
}

int CountWords(const QString& text) {
    const QString t = trimControl(text);
    if (t.isEmpty()) return 0;
    int words = 1;
    for (int i = 0; i + 1 < t.size(); ++i)
        if (t.at(i) != QLatin1Char(' ') && t.at(i + 1) == QLatin1Char(' ')) ++words;
    return words;
}

bool IsValidEmail(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (!(isAsciiLetter(c) || isDigit(c) || c == QLatin1Char('-') || c == QLatin1Char('.') ||
              c == QLatin1Char('_') || c == QLatin1Char('@')))
            return false;
    }
    const QString notFirst = QStringLiteral("._-");
    if (notFirst.contains(text.front())) return false;
    if (text.back() == QLatin1Char('.') || text.back() == QLatin1Char('@')) return false;
    const int at = text.indexOf(QLatin1Char('@'));
    if (at < 1) return false;
    const QString local = text.left(at);
    const QString domain = text.mid(at + 1);
    if (domain.contains(QLatin1Char('@')) || domain.contains(QStringLiteral(".."))) return false;
    const int dot = domain.indexOf(QLatin1Char('.'));
    if (dot <= 0) return false;
    if (local.contains(QStringLiteral(".."))) return false;
    if (notFirst.contains(local.back())) return false;
    if (domain.front() == QLatin1Char('_') || domain.front() == QLatin1Char('-')) return false;
    const QString afterDot = domain.mid(dot + 1);
    return !afterDot.contains(QLatin1Char('_')) && !afterDot.contains(QLatin1Char('-'));
}

bool IsValidDate8(const QString& text) {
    // The eight digits are read as they stand; no process-wide format is involved.
    if (text.size() != 8 || !IsAllDigits(text)) return false;
    const QStringView v(text);
    const int day = v.left(2).toInt();
    const int month = v.mid(2, 2).toInt();
    const int year = v.mid(4, 4).toInt();
    return year >= 1 && QDate::isValid(year, month, day);
}

// ---- Code-returning procedures --------------------------------------------

namespace {
QString checkDigitsLength(const QString& text, const QString& length, const QString& shortCode) {
    const QStringView t = trimmedControl(text);
    if (!digitsOnly(t)) return QStringLiteral("0040");
    const int wanted = StrToIntOrZero(length);
    if (t.size() > wanted) return QStringLiteral("X");
    if (t.size() < wanted) return shortCode;
    return QStringLiteral("0000");
}
}  // namespace

QString CheckDigitsLength(const QString& text, const QString& length) {
    return checkDigitsLength(text, length, QStringLiteral("0040"));
}

QString CheckDigitsLengthShort3648(const QString& text, const QString& length) {
    return checkDigitsLength(text, length, QStringLiteral("3648"));
}

QString CheckNumeric(const QString& text) {
    return IsAllDigits(trimControl(text)) ? QStringLiteral("0000") : QStringLiteral("0030");
}

QString CheckName(const QString& text) {
    const QString t = trimControl(text);
    if (!IsPlainText(t)) return QStringLiteral("0020");
    if (t.size() < 3) return QStringLiteral("0010");
    return QStringLiteral("0000");
}

// ---- Display formats ------------------------------------------------------

QString FormatInscricao(const QString& number, const QString& inscriptionType) {
    const QString type = inscriptionType.trimmed();
    QString n = number;
    if (type == QLatin1String("3") && n.size() == 12) n = QStringLiteral("00") + n;
    if (type == QLatin1String("1"))
        return n.mid(0, 2) + QLatin1Char('.') + n.mid(2, 3) + QLatin1Char('.') + n.mid(5, 3) + QLatin1Char('/') +
               n.mid(8, 4) + QLatin1Char('-') + n.mid(12, 2);
    if (type == QLatin1String("3"))
        return n.mid(2, 5) + QLatin1Char('.') + n.mid(7, 5) + QLatin1Char('-') + n.mid(12, 2);
    return n;
}

QString FormatInscricaoOrCpf(const QString& number, const QString& inscriptionType) {
    const QString type = inscriptionType.trimmed();
    if (type != QLatin1String("4")) return FormatInscricao(number, inscriptionType);
    const QString n = number.size() == 11 ? QStringLiteral("000") + number : number;
    return n.mid(3, 3) + QLatin1Char('.') + n.mid(6, 3) + QLatin1Char('.') + n.mid(9, 3) + QLatin1Char('-') +
           n.mid(12, 2);
}

QString FormatPisPasep(const QString& p) {
    return p.mid(0, 3) + QLatin1Char('.') + p.mid(3, 5) + QLatin1Char('.') + p.mid(8, 2) + QLatin1Char('.') +
           p.mid(10, 1);
}

QString FormatDate8(const QString& d) {
    return d.mid(0, 2) + QLatin1Char('/') + d.mid(2, 2) + QLatin1Char('/') + d.mid(4, 4);
}

QString FormatPhone(const QString& phone) {
    const QString p = StripLeadingZeros(phone);
    if (p.size() < 5) return p;
    return p.left(p.size() - 4) + QLatin1Char('-') + p.right(4);
}

QString MonthName(const QString& month) {
    if (!IsAllDigits(month)) return QString();
    bool ok = false;
    const int m = trimControl(month).toInt(&ok);
    if (!ok) return QString();
    static const char* const names[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                        "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    if (m >= 1 && m <= 12) return QString::fromUtf8(names[m - 1]);
    if (m == 99) return QStringLiteral("Totalização");
    return QString();
}

QString FormatMoney9Cents(const QString& cents) { return formatMoneyCents(cents, 7); }

QString FormatMoney8Cents(const QString& cents) { return formatMoneyCents(cents, 6); }

QString FormatMoneyText(const QString& amount) { return formatMoneyText(amount, false); }

QString FormatMoneyTextWide(const QString& amount) { return formatMoneyText(amount, true); }

// ---- Transmission receipt -------------------------------------------------

QString ReceiptPath(const QString& declarationPath) {
    // Only the file's own extension names the receipt: a ".dec" elsewhere in
    // the path (a folder "x.dec") must stay as it is.
    const QFileInfo info(declarationPath);
    if (info.suffix().compare(QLatin1String("dec"), Qt::CaseInsensitive) != 0) return QString();
    const QString receiptName = info.completeBaseName() + QStringLiteral(".rec");
    return AppPaths::findNoCase(info.path(), receiptName);
}

QString ReadReceiptCode(const QString& declarationPath) {
    const QString none = QStringLiteral(" ");
    const QString receiptPath = ReceiptPath(declarationPath);
    if (receiptPath.isEmpty()) return none;
    QFile file(receiptPath);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) return none;
    const QByteArray raw = file.readLine();
    file.close();
    QString line = QString::fromLatin1(raw);
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.isEmpty()) return none;
    const QChar first = line.at(0);
    if (first == QLatin1Char('5')) return QStringLiteral("590") + line.left(9);
    if (first == QLatin1Char('3')) return QStringLiteral("390") + line.left(9);
    if (first == QLatin1Char('9')) return QStringLiteral("990") + line.left(9);
    return none;
}
