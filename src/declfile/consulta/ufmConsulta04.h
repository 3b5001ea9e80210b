#pragma once
#include "declfile/consulta/ConsultaPage.h"

#include <memory>

class QPushButton;
class QRadioButton;
class QTableView;

namespace db {
class Query;
}

// The contracts of the current establishment, in PIS/PASEP or name order;
// the current row of qrEmpregados is the contract the next page shows.
class TfmConsulta04 : public declfile::ConsultaPage {
    Q_OBJECT
public:
    explicit TfmConsulta04(declfile::ConsultaOwner& owner, QWidget* parent = nullptr);
    ~TfmConsulta04() override;

    std::unique_ptr<db::Query> qrEmpregados;
    QTableView* grEmpregados;
    QRadioButton* rbCodPisPasep;
    QRadioButton* rbNome;
    QPushButton* bbConsultar;
    QPushButton* bbVoltar;
    QPushButton* bbFechar;

    // Order "1": PIS/PASEP; "2": name.
    void BuildEmployeeQuery(const QString& order);

    void rbCodPisPasepClick();
    void rbNomeClick();
    void bbConsultarClick();
    void grEmpregadosDblClick() { bbConsultarClick(); }
    void bbVoltarClick() override;
    void bbFecharClick();

protected:
    void FormShow() override;

private:
    declfile::QueryGridModel* model_;
};

extern TfmConsulta04* fmConsulta04;
