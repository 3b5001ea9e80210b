#pragma once
#include <QString>
#include <QWidget>

class QToolButton;

// The initial-letter buttons of the search lists, in one exclusive group: the
// all-rows button SbTodos (no caption, pressed at start), then "A", "B", "C",
// "D", "EF", "GH", "IJ", "KL", "M", "N", "O", "PQ", "RS", "TU", "VW", "YZ", "X".
// A one-letter button makes the first pattern its letter + "%" and empties
// the second; a two-letter button makes one pattern of each letter.
class LetterButtons : public QWidget {
    Q_OBJECT
public:
    explicit LetterButtons(QWidget* parent = nullptr);

    QToolButton* SbTodos;
    QString Letra1, Letra2;   // the patterns; empty: no letter filter

    void PressAll();          // SbTodos shown pressed, the patterns kept
    void ClearPatterns();
    QToolButton* Button(const QString& caption) const;

signals:
    void allClicked();
    void letterClicked();     // the patterns are set
};
