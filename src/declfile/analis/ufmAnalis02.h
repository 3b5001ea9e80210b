#pragma once
#include "platform/ui/WizardPage.h"

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The analysis and split wizard's last page: the file written again (or the
// parts of the split file), its summary and labels, the summary as a PDF
// file, and Transmit.
class TfmAnalis02 : public forms::WizardPage {
    Q_OBJECT
public:
    TfmAnalis02(bool splitRun, QWidget* parent = nullptr);  // FormCreate

    QPlainTextEdit* meAnaliseOK;
    QPlainTextEdit* meAnaliseOkPartic;
    QLabel* lblEtiq;
    QLabel* Label1;
    QPushButton* bbRelat;
    QPushButton* bbEtiq;
    QPushButton* btSalvarRelat;
    QPushButton* btnTransmite;
    QFileDialog* SaveFile = nullptr;  // made on the first "Salvar Resumo"

    void btnTransmiteClick();
    void bbFecharClick();

protected:
    void PageShown() override;  // FormShow
    void CancelClicked() override { bbFecharClick(); }

private:
    bool splitRun_;
    bool shownOnce_ = false;
};
