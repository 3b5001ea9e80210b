#pragma once
#include "platform/ui/WizardPage.h"

class QCheckBox;
class QLabel;
namespace forms {
class TickList;
}

// The writing wizard's second page: the user ticks the establishments to
// write. Line i of clEmpresas is item i of the first page's lbEmpresas00.
class TfmGravaDecl02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmGravaDecl02(QWidget* parent = nullptr);  // FormCreate

    QLabel* meDecl02;
    forms::TickList* clEmpresas;
    QCheckBox* ckSelecionarTudo;

    void bbAvancarClick();
    void ckSelecionarTudoClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
};

// The line of an establishment in the wizards' check lists.
QString EstablishmentTickLine(const QString& inscricao, const QString& tipo, const QString& prefixo,
                              const QString& razao, const QString& vinculos);
