#pragma once
#include "shell/backup.h"

#include <QDialog>

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// Brings the declaration tables back from a backup archive.
class TfmRestore00 : public QDialog {
    Q_OBJECT
public:
    explicit TfmRestore00(int anoBase, QWidget* parent = nullptr);  // FormCreate
    ~TfmRestore00() override;

    QPlainTextEdit* meDicas;
    QPushButton* bbAction;
    QPushButton* bbCancel;
    QLabel* laRestore;
    QProgressBar* prRestore;
    QFileDialog* odRestore;
    TBackupFile bkRestore;

    void bbActionClick();
    void bbCancelClick();
    void bkRestoreProgress(TBackupFile* Sender, const QString& Filename, int Percent, bool& Continue);
    void bkRestoreNeedDisk(TBackupFile* Sender, quint16 DiskID, bool& Continue);
    void bkRestoreError(TBackupFile* Sender, int Error, const QString& ErrString);
    void bkRestoreRestoreFile(TBackupFile* Sender, QString& Filename, int FA, bool& DoRestore);

    // True when the archive's title names this base year.
    bool IsValidArchive(const QString& archiveName);
    // Extracts the archive and replaces the declaration tables in Dados with
    // it: all of them or, on any failure, none. True when they were replaced.
    bool RunRestore(const QString& archiveName);
    // Every file of the extraction folder into Dados, all or none.
    bool CopyFiles();
    // Empties and removes the extraction folder.
    void DeleteFiles();

    QString WorkFolder() const;  // Dados\Work
    QString NoUpdateName() const;

    // True when the last run replaced the tables (the main window then
    // updates its commands).
    bool Restored() const { return restored_; }

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void reject() override;

private:
    void finish();
    bool extractedTablesUsable();
    int anoBase_;
    QString archiveName_;
    QString archiveFolder_;
    bool closing_ = false;
    bool restored_ = false;
};

// Adds the description columns of the current layout to tables of an older
// one (none when BD8Emp has TxtCnae). Database errors pass on.
void UpgradeDeclarationTables(const QString& folder);

// The main window's command "Cópia de Segurança" > "Restaurar": creates the
// form, shows it modally and frees it; true when the tables were replaced.
bool ShowRestoreForm(int anoBase, QWidget* parent = nullptr);
