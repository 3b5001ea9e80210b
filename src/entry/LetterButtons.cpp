#include "LetterButtons.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

LetterButtons::LetterButtons(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    SbTodos = new QToolButton(this);
    SbTodos->setObjectName(QStringLiteral("SbTodos"));
    SbTodos->setToolTip(QStringLiteral("Todos"));
    SbTodos->setText(QStringLiteral("*"));
    const QStringList captions = {"A", "B", "C", "D", "EF", "GH", "IJ", "KL", "M",
                                  "N", "O", "PQ", "RS", "TU", "VW", "YZ", "X"};
    QList<QToolButton*> buttons{SbTodos};
    for (const QString& c : captions) {
        auto* b = new QToolButton(this);
        b->setText(c);
        b->setObjectName(QStringLiteral("sbLetra") + c);
        buttons << b;
    }
    for (QToolButton* b : buttons) {
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(28);
        group->addButton(b);
        layout->addWidget(b);
    }
    layout->addStretch();
    SbTodos->setChecked(true);
    connect(SbTodos, &QToolButton::clicked, this, [this] {
        ClearPatterns();
        emit allClicked();
    });
    for (QToolButton* b : buttons.mid(1))
        connect(b, &QToolButton::clicked, this, [this, b] {
            const QString c = b->text();
            Letra1 = c.left(1) + QLatin1Char('%');
            Letra2 = c.size() > 1 ? c.mid(1, 1) + QLatin1Char('%') : QString();
            emit letterClicked();
        });
}

void LetterButtons::PressAll() { SbTodos->setChecked(true); }

void LetterButtons::ClearPatterns() {
    Letra1.clear();
    Letra2.clear();
}

QToolButton* LetterButtons::Button(const QString& caption) const {
    for (QToolButton* b : findChildren<QToolButton*>())
        if ((caption.isEmpty() && b == SbTodos) || (b != SbTodos && b->text() == caption)) return b;
    return nullptr;
}
