#pragma once
#include "declfile/consulta/ConsultaPage.h"

class QPushButton;
class QTabWidget;

// One establishment of the consulted file in detail, read-only.
class TfmConsulta03 : public declfile::ConsultaPage {
    Q_OBJECT
public:
    explicit TfmConsulta03(declfile::ConsultaOwner& owner, QWidget* parent = nullptr);

    QTabWidget* pcEstabelecimento;
    QPushButton* bbEmpregados;
    QPushButton* bbAnterior;
    QPushButton* bbProximo;
    QPushButton* bbVoltar;
    QPushButton* bbFechar;

    void FillEstablishmentView();
    void ClearEstablishmentView();
    void UpdateEstablishmentNavigation();

    void bbEmpregadosClick();
    void bbAnteriorClick();
    void bbProximoClick();
    void bbVoltarClick() override;
    void bbFecharClick();

protected:
    void FormShow() override;
};

extern TfmConsulta03* fmConsulta03;
