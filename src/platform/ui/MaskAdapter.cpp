#include "MaskAdapter.h"

#include <QEvent>
#include <QLineEdit>
#include <QVariant>

namespace ui {

namespace {
const char* const kMaskProperty = "designMask";

// Characters that Qt reads as mask commands and must be escaped to stand as literals.
bool isQtMaskChar(QChar c) {
    static const QString chars = QStringLiteral("AaNnXx90Dd#HhBb><!\\");
    return chars.contains(c);
}

void appendLiteral(DesignMask& m, QChar c) {
    if (isQtMaskChar(c)) m.qtMask += QLatin1Char('\\');
    m.qtMask += c;
    m.literal.append(true);
}

// A masked edit takes typing only at its open positions: a click in the empty
// part behind what was typed would leave the caret where every key is
// dropped, so the caret goes to the first open position, as after Home.
class CaretToFirstOpen : public QObject {
public:
    explicit CaretToFirstOpen(QLineEdit* edit) : QObject(edit), edit_(edit) {
        setObjectName(QStringLiteral("lobrixCaretToFirstOpen"));
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::MouseButtonRelease && !edit_->hasSelectedText()) {
            const int open = FirstOpenPosition(edit_);
            // The release is the edit's too: the caret moves once it has been handled.
            if (open >= 0 && edit_->cursorPosition() > open)
                QMetaObject::invokeMethod(edit_, [edit = edit_, open] { edit->setCursorPosition(open); },
                                          Qt::QueuedConnection);
        }
        return false;
    }

private:
    QLineEdit* edit_;
};
}  // namespace

DesignMask TranslateDesignMask(const QString& designMask) {
    DesignMask m;
    if (designMask.isEmpty()) return m;
    const QStringList parts = designMask.split(QLatin1Char(';'));
    const QString body = parts.value(0);
    if (parts.size() > 1) m.keepLiterals = parts.at(1).trimmed() != QLatin1String("0");
    if (parts.size() > 2 && !parts.at(2).isEmpty()) m.blank = parts.at(2).at(0);

    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        switch (c.unicode()) {
        case '\\':
            if (i + 1 < body.size()) appendLiteral(m, body.at(++i));
            break;
        case '0': m.qtMask += QLatin1Char('9'); m.literal.append(false); break;  // required digit
        case '9': m.qtMask += QLatin1Char('0'); m.literal.append(false); break;  // optional digit
        case '#': m.qtMask += QLatin1Char('#'); m.literal.append(false); break;
        case 'L': m.qtMask += QLatin1Char('A'); m.literal.append(false); break;  // required letter
        case 'l': m.qtMask += QLatin1Char('a'); m.literal.append(false); break;  // optional letter
        case 'A': m.qtMask += QLatin1Char('N'); m.literal.append(false); break;  // required alphanumeric
        case 'a': m.qtMask += QLatin1Char('n'); m.literal.append(false); break;  // optional alphanumeric
        case 'C': m.qtMask += QLatin1Char('X'); m.literal.append(false); break;  // required character
        case 'c': m.qtMask += QLatin1Char('x'); m.literal.append(false); break;  // optional character
        case '>':
        case '<':
            // "<>" switches case conversion off.
            if (c == QLatin1Char('<') && i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
                m.qtMask += QLatin1Char('!');
                ++i;
            } else {
                m.qtMask += c;
            }
            break;
        case '!':  // trims leading blanks in the design; nothing to do here
            break;
        default:
            appendLiteral(m, c);
        }
    }
    m.qtMask += QLatin1Char(';');
    m.qtMask += m.blank;
    return m;
}

void SetDesignMask(QLineEdit* edit, const QString& designMask) {
    if (DesignMaskOf(edit) == designMask && !designMask.isEmpty()) return;
    // Changing the mask must not lose what the edit holds.
    const QString value = EditValue(edit);
    edit->setProperty(kMaskProperty, designMask);
    const DesignMask m = TranslateDesignMask(designMask);
    edit->setInputMask(m.qtMask);
    SetEditValue(edit, value);
    if (!edit->findChild<CaretToFirstOpen*>(QStringLiteral("lobrixCaretToFirstOpen"), Qt::FindDirectChildrenOnly))
        new CaretToFirstOpen(edit);
}

int FirstOpenPosition(const QLineEdit* edit) {
    const QString designMask = DesignMaskOf(edit);
    if (designMask.isEmpty() || edit->inputMask().isEmpty()) return -1;
    const DesignMask m = TranslateDesignMask(designMask);
    const QString shown = edit->displayText();
    for (int i = 0; i < shown.size() && i < m.literal.size(); ++i)
        if (!m.literal.at(i) && shown.at(i) == m.blank) return i;
    return -1;
}

QString DesignMaskOf(const QLineEdit* edit) { return edit->property(kMaskProperty).toString(); }

QString EditValue(const QLineEdit* edit) {
    const QString designMask = DesignMaskOf(edit);
    if (designMask.isEmpty() || edit->inputMask().isEmpty()) return edit->text();
    const DesignMask m = TranslateDesignMask(designMask);
    const QString shown = edit->displayText();
    QString value;
    for (int i = 0; i < shown.size(); ++i) {
        const bool isLiteral = i < m.literal.size() && m.literal.at(i);
        if (isLiteral && !m.keepLiterals) continue;
        const QChar c = shown.at(i);
        value += (!isLiteral && c == m.blank) ? QLatin1Char(' ') : c;
    }
    while (value.endsWith(QLatin1Char(' '))) value.chop(1);
    return value;
}

void SetEditValue(QLineEdit* edit, const QString& value) {
    const QString designMask = DesignMaskOf(edit);
    if (designMask.isEmpty() || edit->inputMask().isEmpty()) {
        edit->setText(value);
        return;
    }
    const DesignMask m = TranslateDesignMask(designMask);
    if (m.keepLiterals) {
        edit->setText(value);
        return;
    }
    // Put the mask's own literals between the value's characters: Qt consumes
    // a literal that matches its position and fills the open positions in order.
    QString text;
    int v = 0;
    const QString body = m.qtMask.left(m.qtMask.lastIndexOf(QLatin1Char(';')));
    int pos = 0;
    for (int i = 0; i < body.size() && pos < m.literal.size() && v < value.size(); ++i) {
        QChar c = body.at(i);
        if (c == QLatin1Char('>') || c == QLatin1Char('<') || c == QLatin1Char('!')) continue;
        if (m.literal.at(pos)) {
            if (c == QLatin1Char('\\') && i + 1 < body.size()) c = body.at(++i);
            text += c;
        } else {
            text += value.at(v++);
        }
        ++pos;
    }
    edit->setText(text);
    edit->setCursorPosition(0);  // typing starts at the mask's first position
}

}  // namespace ui
