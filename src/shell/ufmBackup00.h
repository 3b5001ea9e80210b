#pragma once
#include "shell/backup.h"

#include <QDialog>
#include <functional>

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// Free bytes on the drive of a folder, or -1 when the drive cannot be read
// (not ready). Tests install their own.
using FreeSpaceProvider = std::function<qint64(const QString& folder)>;
void SetFreeSpaceProvider(FreeSpaceProvider provider);  // empty: the real drive
qint64 FreeSpaceOf(const QString& folder);

// The three declaration tables of the data folder, as the archive takes them.
QStringList DeclarationTableFiles(const QString& dataFolder);

// Saves the declaration tables into a backup archive.
class TfmBackup00 : public QDialog {
    Q_OBJECT
public:
    explicit TfmBackup00(int anoBase, QWidget* parent = nullptr);  // FormCreate
    ~TfmBackup00() override;

    QPlainTextEdit* meDicas;
    QPushButton* bbAction;
    QPushButton* bbCancel;
    QLabel* laProgress;
    QProgressBar* prBackup;
    QFileDialog* s_Backup;
    TBackupFile bkBackup;

    void bbActionClick();
    void bbCancelClick();
    void bkBackupProgress(TBackupFile* Sender, const QString& Filename, int Percent, bool& Continue);
    void bkBackupNeedDisk(TBackupFile* Sender, quint16 DiskID, bool& Continue);
    void bkBackupError(TBackupFile* Sender, int Error, const QString& ErrString);

    // Sets MaxSize from the free space of the folder's drive; with too little
    // room for one chunk, warns until there is room (true) or the user cancels.
    bool CheckFreeSpace(const QString& folder);
    bool RunBackup();

    QString DefaultArchiveName() const;

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void reject() override;

private:
    void finish();
    int anoBase_;
    QString archiveFolder_;
    QString archiveName_;
    bool closing_ = false;
};

// The main window's command "Cópia de Segurança" > "Gravar": creates the
// form, shows it modally and frees it.
void ShowBackupForm(int anoBase, QWidget* parent = nullptr);
