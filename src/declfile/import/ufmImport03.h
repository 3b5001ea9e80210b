#pragma once
#include "platform/ui/WizardPage.h"

class QPushButton;

// The import wizard's result page: the establishments are in; the import
// report is offered.
class TfmImport03 : public forms::WizardPage {
    Q_OBJECT
public:
    // `anoArquivo`: the year of the imported file, shown by the report.
    TfmImport03(const QString& caption, int anoArquivo, QWidget* parent = nullptr);  // FormCreate

    QPushButton* BtVisual;  // "Visualizar &Relatório"
    void BtVisualClick();

protected:
    void PageShown() override;  // FormShow
    void CancelClicked() override { Finish(0); }  // "&Fechar"

private:
    int anoArquivo_;
};

// The frame of the import wizard's pages.
forms::WizardFrame ImportFrame(const QString& objectName, const QString& caption);

// Shows a report of the error project about the import (step by step as the
// wizard's pages do): warns once when no printer is installed, disables the
// button meanwhile, and gives the report its year, version and "anobase".
void ShowImportReport(QPushButton* button, const QString& reportName, const QString& anobase);
