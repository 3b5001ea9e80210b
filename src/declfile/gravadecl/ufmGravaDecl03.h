#pragma once
#include "declfile/DeclarationWriter.h"
#include "platform/ui/WizardPage.h"

#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ui {
class EntryFormController;
}

// The writing wizard's fourth page: the outcome of the check (errors stop
// the road) and, without errors, the generation date and the output drive,
// then the writing of the declaration files.
class TfmGravaDecl03 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmGravaDecl03(QWidget* parent = nullptr);  // FormCreate

    QFrame* paErros;
    QPlainTextEdit* meErros;
    QPushButton* bbRelatErros;
    QPushButton* bbVisualErros;
    QLabel* paMsgAviso;

    QFrame* paAvisos;
    QPlainTextEdit* meAvisos;
    QPushButton* bbVisualAvisos;
    QFrame* paDriveAvisos;
    QLineEdit* mdDataAvisos;
    QComboBox* cbDriveAvisos;
    QLineEdit* edCreaAvisos;
    QLabel* laCreaAvisos;

    QFrame* paConcluir;
    QPlainTextEdit* meConcluir;
    QFrame* paDriveConcluir;
    QLineEdit* mdDataConcluir;
    QComboBox* cbDriveConcluir;
    QLineEdit* edCREA;
    QLabel* laCREA;

    QFrame* paGravando;
    QProgressBar* prGravando;

    // The output drives behind both combos (item i is letter i).
    QStringList Drives;

    void bbAvancarClick();
    void mdDataAvisosExit(QLineEdit* date);  // both date edits
    void cbDriveConcluirExit();
    void pCrea(QLineEdit* crea);
    bool fGravouArquivoZUVO();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
    void BackClicked() override {}  // disabled, no action

private:
    QFrame* buildDrivePanel(QFrame* owner, const char* name, QLineEdit*& date, QComboBox*& drive, QLineEdit*& crea,
                            QLabel*& creaLabel);
    void showFindings(QPushButton* button, const QString& errwar);
    void setCreaEdit(QLineEdit* crea, QLabel* label);
    bool warningsPanelUsed() const { return usedPanel_ == paAvisos; }

    ui::EntryFormController* kit_;
    QFrame* usedPanel_ = nullptr;
    QChar drive_;
    QString date_;
    QString time_;
    QStringList keptParts_;  // later parts kept because they were transmitted
};

// The generation time as the writer takes it: six digits hhmmss from the
// system's time text "hh:mm:ss" or "h:mm:ss".
QString GenerationTime(const QString& timeText);

namespace declfile {

// The wizards' form: the selected items of the list (none: every row), the
// progress bar advanced by one per record.
int WriteDeclarationFile(QListWidget* establishmentList, QChar drive, const QString& dataFolder,
                         QProgressBar* progressBar, bool amendment, bool fromWorkingTables,
                         const QString& generationDate, const QString& generationTime, WriterState& state,
                         bool replaceLaterParts = false);

}  // namespace declfile
