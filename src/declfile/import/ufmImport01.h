#pragma once
#include "platform/ui/WizardPage.h"

class QPushButton;

// The import wizard's error page: the file does not meet the layout; the
// structure report is offered.
class TfmImport01 : public forms::WizardPage {
    Q_OBJECT
public:
    TfmImport01(const QString& caption, const QString& anoImportacao, QWidget* parent = nullptr);  // FormCreate

    QPushButton* BtErroVisual;  // "Visualizar &Relatório"
    void BtErroVisualClick();

protected:
    void PageShown() override;  // FormShow
    void CancelClicked() override { Finish(0); }  // "&Fechar"

private:
    QString anoImportacao_;
};
