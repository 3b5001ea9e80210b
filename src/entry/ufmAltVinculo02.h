#pragma once
#include "platform/ui/WizardPage.h"

class QComboBox;
class QLineEdit;
class TfmAltVinculo00;
namespace ui {
class EntryFormController;
}

// Contract type, page 3: the new contract type, given to every contract of
// the establishment by Concluir.
class TfmAltVinculo02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmAltVinculo02(TfmAltVinculo00& wizard);

    QLineEdit* EdMostraCGC;
    QLineEdit* EdMostraPrefixo;
    QLineEdit* EdMostraNome;
    QComboBox* llVinculo;           // CoVinculo of tb8vinc
    QLineEdit* dbcdDescrVinculo;    // its NoVinculo

    void BtConcluirClick();

protected:
    void PageShown() override;
    void NextClicked() override { BtConcluirClick(); }

private:
    bool llVinculoExit();
    QString inscriptionType() const;

    ui::EntryFormController* kit_;
};

// Gives every contract of the establishment the contract type and its
// description, in one transaction under the marker "5"; a table error rolls
// it back and passes on.
void ChangeContractType(const QString& anoBase, const QString& inscricao, const QString& prefixo,
                        const QString& coVinculo, const QString& noVinculo);
