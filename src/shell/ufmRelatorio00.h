#pragma once
#include "platform/ui/WizardPage.h"

namespace ui {
class RadioGroup;
}

// The print wizard's third page: the order of the employees.
class TfmRelatorio00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmRelatorio00(QWidget* parent = nullptr);  // FormCreate
    ~TfmRelatorio00() override;

    ui::RadioGroup* rgClassificacao;

    void BtAvancarClick();
    void BtCancelarClick();

protected:
    void PageShown() override;
    void NextClicked() override { BtAvancarClick(); }
    void CancelClicked() override { BtCancelarClick(); }
};

extern TfmRelatorio00* fmRelatorio00;
