#pragma once
#include "platform/ui/WizardPage.h"

class QPlainTextEdit;

// The notice before the analysed file's establishments are imported into the
// declaration tables for correction; "C&onfirma" opens the import page.
class TfmAnalisRegras : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmAnalisRegras(QWidget* parent = nullptr);  // FormCreate

    QPlainTextEdit* Memo1;

    void BtFecharClick();
    void BtCancelarClick() { Finish(forms::mrCancel); }

protected:
    void NextClicked() override { BtFecharClick(); }
    void CancelClicked() override { BtCancelarClick(); }
};
