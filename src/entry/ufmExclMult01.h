#pragma once
#include "platform/ui/WizardPage.h"

class QComboBox;
class QLabel;
class TfmExclMult00;

// Multi-delete, page 2: the establishment whose contracts go.
class TfmExclMult01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmExclMult01(TfmExclMult00& wizard);

    QComboBox* cbEstabelecimentos;
    QLabel* paInfo;

protected:
    void PageShown() override;
    void NextClicked() override;

private:
    TfmExclMult00& wizard_;
};
