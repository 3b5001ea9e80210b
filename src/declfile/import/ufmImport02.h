#pragma once
#include "platform/ui/WizardPage.h"

class QFrame;
class QLabel;
class QProgressBar;
class QRadioButton;

namespace forms {
class TickList;
}

// The import wizard's selection page: lists the working establishments of
// the analysed file, lets the user choose some and imports them into BD8Emp
// and BD8Vinc, then shows the result page. It expects the analyser's working
// tables (Te8Emp, Te8Vinc, Te8Resp) in the data folder; whoever opens it
// deletes them afterwards.
class TfmImport02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmImport02(QWidget* parent = nullptr);  // FormCreate
    ~TfmImport02() override;                          // FormClose

    // Set before the page is shown.
    int AnoArquivo = 0;            // year of the working rows: AnoBase, or AnoBase - 1
    bool LayoutAnterior = false;   // the file was read in the previous year's layout
    bool SelecionarTodos = false;  // the select-all request of the analysis wizard

    QLabel* StatusArquivoP;
    QFrame* PMarca;
    forms::TickList* LEmpresas;
    QRadioButton* SelecAllRButton;   // "Selecionar Todos"
    QRadioButton* LimparAllRButton;  // "Limpar Todos"
    QFrame* PImporta;
    QProgressBar* Gauge;

    void SelecAllRButtonClick();
    void LimparAllRButtonClick();
    void BtConcluirClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtConcluirClick(); }
    void CancelClicked() override;

private:
    void LEmpresasTicked(int row, bool ticked);
    bool ran_ = false;
    std::uint8_t end_ = 0;
};

// Opens the selection page modally over `parent` with the wizard's caption,
// the year of the working rows and the layout switch; `selectAll` is the
// analysis wizard's request to show "Selecionar Todos" set. Returns when the
// page (and the result page after an import) has closed.
void ShowImportSelection(QWidget* parent, const QString& caption, int anoArquivo, bool layoutAnterior,
                         bool selectAll);

// The wizard's caption for a text of AnoImportacao.
QString ImportWizardCaption(const QString& anoImportacao);
