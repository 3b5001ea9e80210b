#pragma once
#include "MaintenanceWizards.h"

class QComboBox;
class QLabel;
class TfmCopEstab00;

// Transfer, page 2: the source establishment.
class TfmCopEstab01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmCopEstab01(TfmCopEstab00& wizard);

    QComboBox* cbEstabelecimento;
    QLabel* paInfo;

protected:
    void PageShown() override;
    void NextClicked() override;

private:
    TfmCopEstab00& wizard_;
};

// The pages' buttons of the transfer wizard (Voltar, Avançar, Cancelar).
MaintenanceButtons CopEstabButtons();
