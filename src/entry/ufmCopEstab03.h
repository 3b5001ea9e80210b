#pragma once
#include "platform/ui/WizardPage.h"

class QLineEdit;
class TfmCopEstab00;
namespace ui {
class EntryFormController;
}

// Transfer, page 4: the destination, created by Concluir with the chosen
// contracts moved to it.
class TfmCopEstab03 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmCopEstab03(TfmCopEstab00& wizard);

    QLineEdit* mdCGCCEI;
    QLineEdit* edTipoCGCCEI;
    QLineEdit* edPrefixo;
    QLineEdit* edTotalEmpregados;

    // The destination: inscription (14 characters), type ("1" or "3"), prefix.
    QString InscricaoDestino;
    QString TipoDestino;
    QString PrefixoDestino;

    void BtConcluirClick();
    // Creates the destination and moves the chosen contracts to it, in one
    // transaction under the marker "3"; a table error rolls it all back and
    // passes on.
    void TransferEmployees();

protected:
    void PageShown() override;
    void NextClicked() override { BtConcluirClick(); }

private:
    bool mdCGCCEIExit();
    bool edPrefixoExit();
    bool destinationExists() const;

    TfmCopEstab00& wizard_;
    ui::EntryFormController* kit_;
    QString checkedText_;  // the box's text whose type is settled
};
