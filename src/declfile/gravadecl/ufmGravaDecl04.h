#pragma once
#include "platform/ui/WizardPage.h"

#include <QStringList>

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The writing wizard's last page: the written files' summary and labels,
// the summary as a PDF file, and Transmit, which hands over to the
// transmission window once the wizard has closed.
class TfmGravaDecl04 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmGravaDecl04(QWidget* parent = nullptr);  // FormCreate

    QPushButton* bbEtiq;
    QPushButton* bbRelat;
    QPushButton* btSalvarRelat;
    QPushButton* Button1;
    QLabel* lblEtiq;
    QFileDialog* SaveFile = nullptr;  // made on the first "Salvar Resumo"

    // Parts of the same declaration above the run's last one that were kept
    // because they had been transmitted (named on the page).
    QStringList PartesTransmitidas;

    void bbRelatClick();
    void bbEtiqClick();
    void btSalvarRelatClick();
    void Button1Click();

protected:
    void PageShown() override;  // FormShow

private:
    bool shownOnce_ = false;
};

// The summary's buttons, shared by the last page of the analysis wizard:
// "Visualizar &Resumo" and "&Etiqueta" in the preview (the button disabled
// meanwhile), and "&Salvar Resumo" to a PDF file chosen in the dialog.
void ViewSummaryReport(QPushButton* button);
void ViewLabelsReport(QPushButton* button);
// The dialog is made on first use and kept: making one reads its folder, the
// files' types and their icons, which the page need not wait for.
QFileDialog* MakeSummaryDialog(QWidget* parent);
void SaveSummaryReport(QFileDialog*& dialog, QWidget* parent, QPushButton* button);
