#pragma once
#include "platform/ui/WizardPage.h"

#include <QChar>
#include <QString>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The analysis and split wizard's second page: the outcome of the check
// (errors stop the road, with the reports and the correction in the system)
// and, without errors, the output drive and the writing of the file again.
class TfmAnalis01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmAnalis01(QWidget* parent = nullptr);  // FormCreate

    QFrame* POk;
    QPlainTextEdit* Memo3;
    QPlainTextEdit* Memo4;
    QFrame* Panel1;
    QComboBox* cbDrive;
    QLineEdit* edCrea;
    QLabel* lbCrea;

    QFrame* PDist;
    QPlainTextEdit* meAvisos;
    QFrame* PDrive;
    QComboBox* cbDriveAvisos;
    QLineEdit* edCreaAvisos;
    QLabel* lbCreaAvisos;
    QPushButton* BtVisualizar;

    QFrame* PInco;
    QPlainTextEdit* Memo1;
    QPushButton* bbVisualErros;
    QPushButton* bbImpErros;
    QPushButton* BtImporta;
    QLabel* paMsgAviso;

    QProgressBar* pbConsistencia;

    // Set by the first page before it shows this one.
    QString ModoResultado = QStringLiteral("3");
    bool ArquivoRetificacao = false;
    bool SplitRun = false;  // the run's split mode, fixed when it started
    QString AnalysedFile;   // the file the first page analysed

    // The output drives behind both combos (item i is letter i).
    QStringList Drives;

    void BtConcluirClick();
    void BtCancelarClick();
    void BtImportaClick();
    void showFindings(QPushButton* button, const QString& errwar);

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtConcluirClick(); }
    void CancelClicked() override { BtCancelarClick(); }

private:
    void setCreaEdit(QLineEdit* crea, QLabel* label);
    QChar drive_;
};

extern TfmAnalis01* fmAnalis01;

// The name a file keeps when the wizard writes it again: when it is named as
// a part of a declaration of the base year ("Zuvo" + year + "_" + inscription
// and prefix + part number + "G" or "R" + ".dec", any case), its base name
// ("Zuvo" + year + "_" + the 16 characters) and its part number.
bool KeptPartName(const QString& fileName, int anoBase, QString& baseName, int& part);
