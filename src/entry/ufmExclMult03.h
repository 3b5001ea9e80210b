#pragma once
#include "platform/ui/WizardPage.h"

class TfmExclMult00;
namespace forms {
class TickList;
}

// Multi-delete, page 4: the contracts to delete, ticked in a check list.
class TfmExclMult03 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmExclMult03(TfmExclMult00& wizard);

    forms::TickList* clVinculos;

protected:
    void NextClicked() override;

private:
    TfmExclMult00& wizard_;
};
