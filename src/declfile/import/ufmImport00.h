#pragma once
#include "declfile/ugAnaliseEstrutura.h"

#include "platform/ui/WizardPage.h"

#include <memory>

class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The import wizard's first page: the file, its size and its structure. It
// leads to the error page or to the selection page, and always closes after
// them; closing deletes the working tables, the import table and the
// structure findings.
class TfmImport00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmImport00(QWidget* parent = nullptr);  // FormCreate
    ~TfmImport00() override;                          // FormClose, FormDestroy

    // "Anterior - Ano 2008" or "Atual - Ano 2009", set before the page is shown.
    QString AnoImportacao;

    QFrame* PLocalizar;
    QLabel* PAnoBase;
    QLineEdit* arquivo;
    QPushButton* BtLocalizar;
    QFrame* PEstrutura;
    QProgressBar* ProgressBar;
    QFileDialog* OpenFile;

    // The layout and year of the file, as AnoImportacao names them.
    bool LayoutAnterior() const;
    int AnoArquivo() const;

    void BtLocalizarClick();
    void arquivoChange();
    void BtAvancarClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtAvancarClick(); }
    void CancelClicked() override { Finish(0); }  // no analysis runs: the page closes

private:
    void backToFilePanel(bool enableNext);
    void closeWorkTables();

    std::unique_ptr<declfile::TAnaliseEstrutura> analyser_;
    bool analysisRunning_ = false;
    std::uint8_t end_ = 0;
};

// The main window's import commands: the wizard for a text of AnoImportacao.
void ShowImportWizard(QWidget* parent, const QString& anoImportacao);
