#pragma once
#include "platform/db/TableDef.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// Rebuilds one index of a table of the database "LOBRIX"; the database name
// is kept for the callers' sake and not used.
bool RebuildTableIndex(const QString& databaseName, const QString& indexFile, const db::IndexDef& index);

// "Indexar Arquivos": rebuilds every index of the data folder after an
// unexpected interruption, closing and reopening the shared tables.
class TfmGeraIndice : public QDialog {
    Q_OBJECT
public:
    explicit TfmGeraIndice(QWidget* parent = nullptr);

    QPlainTextEdit* meDicas = nullptr;
    QLabel* laIndexar = nullptr;
    QProgressBar* prIndexar = nullptr;
    QPushButton* bbIniciar = nullptr;
    QPushButton* bbCancel = nullptr;

    void bbIniciarClick();

    // The number of steps that completed in the last run (tests).
    int CompletedSteps() const { return completed_; }

public slots:
    void reject() override;

private:
    bool running_ = false;
    int completed_ = 0;
};
