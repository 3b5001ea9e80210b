#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The transfer wizard's rules window.
class TfmCopEstabRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmCopEstabRegras(QWidget* parent = nullptr);

    QPlainTextEdit* meRegras;
    QPushButton* BtFechar;
};

// While the transfer wizard runs; null otherwise.
extern TfmCopEstabRegras* fmCopEstabRegras;
