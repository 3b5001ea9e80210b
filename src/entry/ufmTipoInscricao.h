#pragma once
#include <QDialog>

class QPushButton;
class QRadioButton;

// Asks which type a number valid both as a CNPJ and as a CEI has. The answer,
// "CNPJ" or "CEI", is left in NewDeclarationResult (unit ufmNovaDecl).
class TfmTipoInscricao : public QDialog {
    Q_OBJECT
public:
    explicit TfmTipoInscricao(QWidget* parent = nullptr);

    QRadioButton* rbCGC;
    QRadioButton* rbCEI;
    QRadioButton* rbCNPJ;
    QPushButton* btOK;

    void btOKClick();

protected:
    void showEvent(QShowEvent* event) override;  // FormActivate
};

extern TfmTipoInscricao* fmTipoInscricao;
