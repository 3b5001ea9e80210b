#pragma once
#include "platform/db/Table.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The notice shown when a declaration without employees is chosen: such a
// declaration is quicker over the Internet. Its box "Não mostrar este quadro
// novamente" is kept in BD8Resp (InDicasSemEmpregados).
class TfmSemEmpregados : public QDialog {
    Q_OBJECT
public:
    explicit TfmSemEmpregados(QWidget* parent = nullptr);
    ~TfmSemEmpregados() override;  // closes ta8Resp

    // True when the notice is to be shown (the flag never set, or False);
    // also sets the caption and the box from the stored flag.
    bool ShouldShow();

    db::Table ta8Resp;
    QLabel* URLLabel;
    QCheckBox* dkDicas;
    QPushButton* BtFechar;

    void BtFecharClick();

};

extern TfmSemEmpregados* fmSemEmpregados;

// What the establishment and new-declaration forms do on "Sem Empregados":
// create the notice, show it when ShouldShow answers true, free it.
void ShowNoEmployeesNotice(QWidget* parent = nullptr);
