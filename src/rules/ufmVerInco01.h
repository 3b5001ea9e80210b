#pragma once
#include "platform/ui/WizardPage.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace forms {
class TickList;
}

// The inconsistency-check wizard's selection page: the establishments of the
// base year to tick, then, while the check runs, its progress.
class TfmVerInco01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmVerInco01(QWidget* parent = nullptr);  // FormCreate

    QFrame* PMarca;
    QPlainTextEdit* Memo1;
    forms::TickList* LEmpresas;
    QCheckBox* ckSelecionarTudo;
    QFrame* PInicial;
    QLabel* Label2;
    QProgressBar* BarraProgress;
    forms::BusyIndicator* Animate1;

    // True while the check runs (Cancel then asks it to stop).
    bool Running() const { return IsBusy(); }

    void BtAvancarClick();
    void ckSelecionarTudoClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtAvancarClick(); }

private:
    void showSelection(bool selection);
};

extern TfmVerInco01* fmVerInco01;
