#pragma once
#include "platform/ui/WizardPage.h"

class QFrame;
class QPlainTextEdit;
class QPushButton;

// The inconsistency-check wizard's result page: no findings, errors (and
// warnings) or warnings only, with the buttons that preview the lists.
class TfmVerInco02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmVerInco02(QWidget* parent = nullptr);  // FormCreate

    // Set by the selection page before it shows this one: "3" no findings,
    // "2" errors and warnings, "1" errors only, "0" warnings only.
    QString ResultadoVerificacao;

    QFrame* POk;
    QPlainTextEdit* Memo3;
    QFrame* PInco;
    QPushButton* bbPrintErros;
    QPushButton* bbVisualErros;
    QPlainTextEdit* Memo1;
    QFrame* paMsgAviso;
    QFrame* PDist;
    QPlainTextEdit* Memo2;
    QPushButton* BtVisualizar;

    void bbPrintErrosClick();
    void bbVisualErrosClick();
    void BtVisualizarClick();

protected:
    void PageShown() override;  // FormShow

private:
    void previewFindings(QPushButton* button, const QString& kind);
};

extern TfmVerInco02* fmVerInco02;

// The page and warnings button a result shows: "PDist", "PInco" or "POk",
// and the warnings button's name (empty for none).
struct VerIncoPanel {
    QString panel;
    QString warningsButton;
    QString focus;
};
VerIncoPanel PanelForResult(const QString& resultadoVerificacao);
// The result text of a check's result bits (interrupted excluded).
QString ResultadoFromValidation(unsigned result);
