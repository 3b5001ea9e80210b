#pragma once
#include "platform/ui/WizardPage.h"

class QRadioButton;
class TfmCopEstab00;
namespace forms {
class TickList;
}

// Transfer, page 3: the contracts to move, ticked in a check list.
class TfmCopEstab02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmCopEstab02(TfmCopEstab00& wizard);

    forms::TickList* clVinculos;
    QRadioButton* rbSelecaoLimpar;
    QRadioButton* rbSelecaoTodos;

protected:
    void PageShown() override;
    void NextClicked() override;

private:
    TfmCopEstab00& wizard_;
};
