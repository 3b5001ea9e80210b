#pragma once
#include <QString>
#include <QVector>

class QLineEdit;

namespace ui {

// An edit mask as the forms' design writes it: "99\.999\.999\/9999\-99;0;_".
// Its '9' is an optional digit and 'a' an optional alphanumeric (Qt's '9' and
// 'a' mean something else), and the ";0;" part says that the literal
// characters are shown but not kept in the value.
struct DesignMask {
    QString qtMask;          // the same mask for QLineEdit::setInputMask
    bool keepLiterals = true;
    QChar blank = QLatin1Char('_');
    QVector<bool> literal;   // per display position: true for a literal character
    bool isEmpty() const { return qtMask.isEmpty(); }
};

DesignMask TranslateDesignMask(const QString& designMask);

// Gives an edit the design's mask (an empty mask removes it) and remembers it,
// so that EditValue and SetEditValue can strip and restore the literals.
void SetDesignMask(QLineEdit* edit, const QString& designMask);
QString DesignMaskOf(const QLineEdit* edit);

// The value of an edit as the design's code reads it: without the literal
// characters when the mask does not keep them, blanks as spaces, trailing
// spaces dropped. An edit without a mask gives its text.
QString EditValue(const QLineEdit* edit);
// Puts a stored value into an edit, the literals of its mask added for show.
void SetEditValue(QLineEdit* edit, const QString& value);

// The first position of a masked edit that holds no typed character yet (-1
// when every one does, or the edit has no mask). A click behind it puts the
// caret there, so that typing after a click is never lost.
int FirstOpenPosition(const QLineEdit* edit);

}  // namespace ui
