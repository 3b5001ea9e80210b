#pragma once
#include "declfile/consulta/ConsultaPage.h"

#include <memory>

class QLabel;
class QPushButton;
class QTableView;

namespace db {
class Query;
class Table;
}

// The establishments of the consulted file (Te8emp); the current row of
// taEmpresa is the establishment the next pages show.
class TfmConsulta02 : public declfile::ConsultaPage {
    Q_OBJECT
public:
    explicit TfmConsulta02(declfile::ConsultaOwner& owner, QWidget* parent = nullptr);
    ~TfmConsulta02() override;

    std::unique_ptr<db::Table> taEmpresa;
    QTableView* grEmp;
    QLabel* paInfo;
    QPushButton* bbConsultar;
    QPushButton* bbVoltar;
    QPushButton* bbFechar;

    void bbConsultarClick();
    void grEmpDblClick() { bbConsultarClick(); }
    void bbVoltarClick() override;
    void bbFecharClick();
    // Closing the list closes its table.
    void FormClose();

protected:
    void FormShow() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectCurrentEstablishment();
    std::unique_ptr<db::Query> rows_;  // what the grid shows, in key order
    declfile::QueryGridModel* model_;
};

extern TfmConsulta02* fmConsulta02;
