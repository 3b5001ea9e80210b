#pragma once
#include "platform/ui/WizardPage.h"

class QComboBox;
class QLabel;
class TfmAltVinculo00;

// The values of the contract-type wizard: the inscription's check code, the
// inscription (14 characters), the base year and the prefix.
extern QString AltVinculoCodigo;
extern QString AltVinculoInscricao;
extern QString AltVinculoAnoBase;
extern QString AltVinculoPrefixo;

// Contract type, page 2: the establishment.
class TfmAltVinculo01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmAltVinculo01(TfmAltVinculo00& wizard);

    QComboBox* cbSelecaoEstab;
    QLabel* paInfo;

protected:
    void PageShown() override;
    void NextClicked() override;

private:
    TfmAltVinculo00& wizard_;
};
