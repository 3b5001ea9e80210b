#pragma once
#include "declfile/consulta/ConsultaPage.h"

class QPushButton;
class QTabWidget;

// One contract of the current establishment in detail, read-only.
class TfmConsulta05 : public declfile::ConsultaPage {
    Q_OBJECT
public:
    explicit TfmConsulta05(declfile::ConsultaOwner& owner, QWidget* parent = nullptr);

    QTabWidget* pcEmpregado;
    QPushButton* bbAnterior;
    QPushButton* bbProximo;
    QPushButton* bbVoltar;
    QPushButton* bbFechar;

    void FillEmployeeView();
    void ClearEmployeeView();
    void UpdateEmployeeNavigation();

    void bbAnteriorClick();
    void bbProximoClick();
    void bbVoltarClick() override;
    void bbFecharClick();

protected:
    void FormShow() override;
};

extern TfmConsulta05* fmConsulta05;
