#pragma once
#include "declfile/consulta/ConsultaPage.h"

#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace db {
class Table;
}

// The summary page of the file consultation: the person responsible of the
// consulted file (Te8Resp) and the way on to its establishments.
class TfmConsulta01 : public declfile::ConsultaPage {
    Q_OBJECT
public:
    explicit TfmConsulta01(declfile::ConsultaOwner& owner, QWidget* parent = nullptr);
    ~TfmConsulta01() override;

    std::unique_ptr<db::Table> taResponsavel;
    QCheckBox* ckRetificacao;
    QLineEdit* mdDataRetificacao;
    QLineEdit* edCoCrea;
    QPushButton* bbDisquete;
    QPushButton* bbRelatorio;
    QPushButton* bbFechar;

    void bbDisqueteClick();
    void bbRelatorioClick();
    void bbFecharClick();
    void bbVoltarClick() override { bbFecharClick(); }

protected:
    void FormShow() override;
};

extern TfmConsulta01* fmConsulta01;
