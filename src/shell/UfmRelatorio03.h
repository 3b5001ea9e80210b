#pragma once
#include "platform/ui/WizardPage.h"

#include <QString>

class QRadioButton;
class QGroupBox;

// The print wizard's first page: the declaration report or a transmission
// receipt.
class TfmRelatorio03 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmRelatorio03(QWidget* parent = nullptr);  // FormCreate
    ~TfmRelatorio03() override;                          // FormClose

    QGroupBox* rgTipoRelatorio;
    QRadioButton* rbDeclaracao;
    QRadioButton* rbProtocolo;

    void BtAvancarClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtAvancarClick(); }
    void CancelClicked() override { GoBack(); }

private:
    void updateNext();
};

extern TfmRelatorio03* fmRelatorio03;

// The frame the print wizard's pages share (the picture "IMP").
forms::WizardFrame RelatorioFrame(const QString& objectName, const QString& caption);

// sbRelatorio: the wizard from its first page over the declaration tables.
void ShowPrintWizard();
// "&Imprimir..." > "Declaração": the same from the second page, without Back.
void ShowPrintWizardDeclaration();
// The file consultation's report button: the wizard from its second page over
// the given tables and year; the forms of a running wizard are used when the
// wizard has the transmission window open.
void ShowDeclarationReport(const QString& tabelaEmp, const QString& tabelaVinc, const QString& tabelaResp,
                           const QString& anoRelatorio);
