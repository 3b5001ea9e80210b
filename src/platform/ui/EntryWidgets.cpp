#include "EntryWidgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVariant>

namespace ui {

namespace {
const char* const kHelpProperty = "helpContext";
const char* const kLockedProperty = "locked";
const char* const kFromStartProperty = "showsFromStart";
}  // namespace

void SetHelpContext(QWidget* widget, int context) { widget->setProperty(kHelpProperty, context); }

int HelpContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const int context = w->property(kHelpProperty).toInt();
        if (context != 0) return context;
        if (w->isWindow()) break;
    }
    return 0;
}

void SetLocked(QWidget* widget, bool locked) {
    widget->setProperty(kLockedProperty, locked);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setReadOnly(locked);
        if (locked) ShowFromStart(edit);
    }
    QPalette palette = widget->palette();
    const QPalette app = QApplication::palette();
    // The design's menu colour is the light grey of window backgrounds.
    palette.setColor(QPalette::Base, locked ? app.color(QPalette::Window) : app.color(QPalette::Base));
    widget->setPalette(palette);
}

void ShowFromStart(QLineEdit* edit) {
    if (edit->property(kFromStartProperty).toBool()) return;
    edit->setProperty(kFromStartProperty, true);
    // The edit puts the caret behind a text it is given (the same text again too), which scrolls a
    // long one to its end.
    QObject::connect(edit, &QLineEdit::cursorPositionChanged, edit, [edit](int, int position) {
        if (position == 0 || edit->hasFocus()) return;
        QMetaObject::invokeMethod(
            edit, [edit] { if (!edit->hasFocus()) edit->setCursorPosition(0); }, Qt::QueuedConnection);
    });
}

bool IsLocked(const QWidget* widget) { return widget->property(kLockedProperty).toBool(); }

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

void SetUpperCase(QLineEdit* edit) { edit->setValidator(new UpperCaseValidator(edit)); }

QValidator::State LowerCaseValidator::validate(QString& input, int&) const {
    input = input.toLower();
    return Acceptable;
}

void SetLowerCase(QLineEdit* edit) { edit->setValidator(new LowerCaseValidator(edit)); }

QString FormatMoney(qint64 cents) {
    const bool negative = cents < 0;
    const quint64 value = negative ? quint64(-cents) : quint64(cents);
    QString units = QString::number(value / 100);
    for (int i = units.size() - 3; i > 0; i -= 3) units.insert(i, QLatin1Char('.'));
    const QString fraction = QStringLiteral("%1").arg(value % 100, 2, 10, QLatin1Char('0'));
    return (negative ? QStringLiteral("-") : QString()) + units + QLatin1Char(',') + fraction;
}

bool ParseMoney(const QString& text, qint64* cents) {
    QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.remove(0, 1);
    }
    const int comma = t.indexOf(QLatin1Char(','));
    QString units = comma < 0 ? t : t.left(comma);
    QString fraction = comma < 0 ? QString() : t.mid(comma + 1);
    units.remove(QLatin1Char('.'));
    if (units.isEmpty()) units = QStringLiteral("0");
    if (fraction.size() > 2) return false;
    fraction = fraction.leftJustified(2, QLatin1Char('0'));
    for (const QString& part : {units, fraction})
        for (QChar c : part)
            if (!c.isDigit() || c.unicode() > 127) return false;
    if (units.size() > 15) return false;
    const qint64 value = units.toLongLong() * 100 + fraction.toLongLong();
    *cents = negative ? -value : value;
    return true;
}

void SetMoneyEdit(QLineEdit* edit) {
    edit->setAlignment(Qt::AlignRight);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.,]*")), edit));
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit] {
        qint64 cents = 0;
        if (ParseMoney(edit->text(), &cents)) edit->setText(FormatMoney(cents));
    });
}

namespace {
// Keeps an edit's width fitted to a sample text in the edit's current font.
class WidthForText : public QObject {
public:
    WidthForText(QLineEdit* edit, QString sample) : QObject(edit), edit_(edit), sample_(std::move(sample)) {
        setObjectName(QStringLiteral("lobrixWidthForText"));
        edit->installEventFilter(this);
        apply();
    }
    void setSample(const QString& sample) {
        sample_ = sample;
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_ && event->type() == QEvent::FontChange) apply();
        return false;
    }

private:
    void apply() {
        // The text, the frame and the edit's inner margins, and a character's room for the caret.
        const QFontMetrics metrics(edit_->font());
        edit_->setFixedWidth(metrics.horizontalAdvance(sample_) + metrics.averageCharWidth() + 12);
    }
    QLineEdit* edit_;
    QString sample_;
};
}  // namespace

void FitWidthToText(QLineEdit* edit, const QString& sample) {
    if (auto* fit = edit->findChild<WidthForText*>(QStringLiteral("lobrixWidthForText"), Qt::FindDirectChildrenOnly)) {
        fit->setSample(sample);
        return;
    }
    new WidthForText(edit, sample);
}

void CompactLayouts(QWidget* form) {
    for (QLayout* layout : form->findChildren<QLayout*>()) {
        layout->setContentsMargins(6, 4, 6, 4);
        layout->setSpacing(4);
    }
}

QToolButton* MakeSpeedButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setFocusPolicy(Qt::NoFocus);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    columns = qMax(1, columns);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        // A button wider than its text would not take clicks beside the text.
        button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        button->setAutoExclusive(false);  // the group decides, so that none may be chosen
        group_->addButton(button, i);
        buttons_.append(button);
        layout->addWidget(button, i % rows, i / rows);
        button->installEventFilter(this);
    }
    layout->setColumnStretch(columns, 1);
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) emit itemIndexChanged(id);
    });
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || ItemIndex() >= 0) return QGroupBox::eventFilter(watched, event);
    const auto* ke = static_cast<QKeyEvent*>(event);
    const int key = ke->key();
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    const int from = int(buttons_.indexOf(qobject_cast<QRadioButton*>(watched)));
    if ((!forward && !back) || (ke->modifiers() & ~Qt::KeypadModifier) || from < 0)
        return QGroupBox::eventFilter(watched, event);
    const int n = int(buttons_.size());
    for (int step = 1; step < n; ++step) {
        QRadioButton* next = buttons_.at(((forward ? from + step : from - step) % n + n) % n);
        if (!next->isEnabled() || !next->isVisible()) continue;
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        next->click();
        return true;
    }
    // The only button that can be chosen is the focused one.
    buttons_.at(from)->click();
    return true;
}

int RadioGroup::ItemIndex() const { return group_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
    if (index == ItemIndex()) return;
    if (index >= 0 && index < buttons_.size()) {
        buttons_.at(index)->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button by itself.
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_) b->setChecked(false);
    group_->setExclusive(true);
    emit itemIndexChanged(-1);
}

QRadioButton* RadioGroup::Button(int index) const { return buttons_.value(index); }

void RadioGroup::FocusChosenOrFirst() {
    const int index = ItemIndex();
    QRadioButton* target = index >= 0 ? buttons_.at(index) : buttons_.value(0);
    if (target) target->setFocus(Qt::OtherFocusReason);
}

bool RadioGroup::Contains(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == this) return true;
    return false;
}

}  // namespace ui
