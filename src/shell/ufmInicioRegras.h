#pragma once
#include "platform/db/Table.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TfmLOBRIX;

// "Lobrix - Informações úteis": the notice about transmitting with a digital
// certificate, shown at the first activation of every run until the user asks
// not to see it again, and on demand from the help menu. On the first showing
// Ok waits six seconds, so that the notice is read at least once.
class TfmInicioRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmInicioRegras(QWidget* parent = nullptr);
    ~TfmInicioRegras() override;

    db::Table ta8Resp;  // bd8resp.DB with its field InDicas only
    db::Field& ta8RespInDicas();

    QCheckBox* dkDicas;
    QLabel* Panel1;
    QPlainTextEdit* Memo1;
    QPushButton* BtFechar;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QTimer* Timer1;

    void FormShow();
    void Timer1Timer();
    void BtFecharClick();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TfmInicioRegras* fmInicioRegras;

// Creates the tips window for the run and hands the main window its first
// activation; FreeStartupTips frees it.
void CreateStartupTips(TfmLOBRIX& window);
void FreeStartupTips();

// The main window's first activation: the notice with its countdown, unless
// the user asked not to see it again.
void ShowTipsAtFirstActivation();
// "&Informações Úteis": the notice with Ok enabled at once.
void ShowInformacoesUteis();
