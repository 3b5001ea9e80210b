#pragma once
#include "platform/db/Table.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace forms {
class ProgressHost;
}

// Shows one establishment and, once confirmed, deletes it with all its
// contracts. The establishment list hands over the key and shows it.
class TfmExcluir : public QDialog {
    Q_OBJECT
public:
    explicit TfmExcluir(QWidget* parent = nullptr);

    QString KeyAnoBase, KeyInscricao, KeyPrefixo;

    db::Table ta8Empresa;
    QLabel* paAnoBase;
    QLineEdit* mdInscricao;
    QLineEdit* edTipoCGCCEI;
    QLineEdit* edPrefixo;
    QLineEdit* edCgcVinculado;
    QLineEdit* edTotalEmpregados;
    QLineEdit* edUsoEmpresa;
    QLineEdit* edRazaoSocial;
    QLabel* pbTipoZuvo;
    QProgressBar* BarraDeProgress;
    QPushButton* bbExcluir;
    QPushButton* sbCancelar;

    // Marks the establishment "1" (a deletion under way) on its own, before the deletion.
    void MarkEstablishmentOpen();
    // Deletes the row and its contracts in one transaction, moving the
    // progress from 1 to the number of contracts + 1; on a table error
    // nothing is deleted and the error is thrown on.
    void DeleteEstablishment(forms::ProgressHost& progress);
    void bbExcluirClick();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;  // FormActivate

private:
    void fillDisplay();
};

extern TfmExcluir* fmExcluir;
