#pragma once
#include "platform/ui/WizardPage.h"

class QLabel;
namespace ui {
class RadioGroup;
}

// The print wizard's second page: complete or summary report.
class TfmRelatorio02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmRelatorio02(QWidget* parent = nullptr);  // FormCreate
    ~TfmRelatorio02() override;

    QString AnoRelatorio;
    ui::RadioGroup* rgTipo;
    QLabel* lblAno;

    void BtAvancarClick();
    void BtCancelarClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtAvancarClick(); }
    void CancelClicked() override { BtCancelarClick(); }
};

extern TfmRelatorio02* fmRelatorio02;
