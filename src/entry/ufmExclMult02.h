#pragma once
#include "platform/ui/WizardPage.h"

class QLineEdit;
class TfmExclMult00;
namespace ui {
class RadioGroup;
}

// Multi-delete, page 3: the chosen establishment and the order of its contracts.
class TfmExclMult02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmExclMult02(TfmExclMult00& wizard);

    QLineEdit* edInscricao;
    QLineEdit* edPrefixo;
    QLineEdit* edNomeEstabelecimento;
    ui::RadioGroup* rgOrdem;

protected:
    void PageShown() override;
    void NextClicked() override;

private:
    TfmExclMult00& wizard_;
};
