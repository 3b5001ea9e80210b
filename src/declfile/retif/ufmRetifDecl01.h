#pragma once
#include "platform/ui/WizardPage.h"

class QLabel;

// The amendment wizard's first page: the introduction. It creates the
// wizard's data module in amendment mode and makes the three working tables
// afresh; WorkingTablesReady() is false when one could not be made (the
// error box has been shown and the wizard must end).
class TfmRetifDecl01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmRetifDecl01(QWidget* parent = nullptr);  // FormCreate
    ~TfmRetifDecl01() override;                          // FormDestroy

    QLabel* lblAno;
    bool WorkingTablesReady() const { return tablesReady_; }

    void bbAvancarClick();
    void pGuardaPosicao();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
    void CancelClicked() override { GoBack(); }  // the first page just closes

private:
    bool tablesReady_ = false;
};

// The main window's "Gravar &Retificação da Declaração...": the rules notice,
// then the wizard.
void ShowRetifDecl(QWidget* parent = nullptr);
