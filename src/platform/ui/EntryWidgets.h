#pragma once
#include <QGroupBox>
#include <QList>
#include <QString>
#include <QStringList>
#include <QValidator>

class QAbstractButton;
class QButtonGroup;
class QIcon;
class QToolButton;
class QLineEdit;
class QRadioButton;

// Small pieces that give Qt widgets the behaviour of the design's data-entry
// controls: help context numbers, locked and editable states, upper-case and
// money edits, and radio groups that may have nothing chosen.
namespace ui {

// The help context number of a control; a control without one takes its
// parent's, as the design's help does.
void SetHelpContext(QWidget* widget, int context);
int HelpContextOf(const QWidget* widget);

// Locked: read-only with the menu colour. Editable: the window colour.
void SetLocked(QWidget* widget, bool locked);
bool IsLocked(const QWidget* widget);

// A text the program puts into the edit shows from its beginning, however
// long (descriptions of codes, names); locked edits do so by themselves.
void ShowFromStart(QLineEdit* edit);

// Turns what is typed into capitals, keeps the cursor where it was.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
void SetUpperCase(QLineEdit* edit);

// Turns what is typed into small letters (e-mail addresses).
class LowerCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
void SetLowerCase(QLineEdit* edit);

// Money as the forms show it: "#,###,##0.00" with a decimal comma and a dot
// between thousands, whatever the machine's locale.
QString FormatMoney(qint64 cents);
// The amount a money text stands for, in cents; false when it is not a number.
bool ParseMoney(const QString& text, qint64* cents);
// A money edit: digits, dots and a comma may be typed; leaving it shows the
// amount again in the money format (a text that is no amount stays as typed,
// for the field's check to refuse).
void SetMoneyEdit(QLineEdit* edit);

// A box just wide enough for a text like `sample` (a formatted CNPJ, a
// PIS/PASEP) in its own font, now and whenever its font changes (a scaled form).
void FitWidthToText(QLineEdit* edit, const QString& sample);

// Small margins and spacing in every layout of a form: the dense forms must
// keep within their design size once their fonts are scaled.
void CompactLayouts(QWidget* form);

// A speed button (the design's picker buttons beside a code field): it never
// takes the focus, so the field stays the one being edited and no check runs
// for clicking it; the click's handler runs the field's exit handling itself.
QToolButton* MakeSpeedButton(QWidget* parent, const QString& name, const QIcon& icon,
                             const QString& hint = QString());

// A radio group (the design's TRadioGroup): exclusive buttons in columns,
// of which none may be chosen.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

    int ItemIndex() const;           // -1 when nothing is chosen
    void SetItemIndex(int index);    // -1 clears the choice
    QRadioButton* Button(int index) const;
    int Count() const { return buttons_.size(); }
    // Focuses the chosen button, or the first one without choosing it.
    void FocusChosenOrFirst();
    bool Contains(const QWidget* widget) const;

signals:
    void itemIndexChanged(int index);

protected:
    // With nothing chosen an arrow key moves to the next (or previous) button
    // and chooses it, as it does once a button is chosen.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
};

}  // namespace ui
