#pragma once
#include "platform/db/Query.h"
#include "platform/ui/WizardPage.h"

#include <QList>
#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace forms {
class TickList;
}

// The rows of the declaration report: the chosen establishments of a year,
// each with its contracts (all of them, or only the chosen ones) and the
// person responsible. An establishment without contracts still gives its
// row, and a missing person responsible leaves those fields empty.
struct DeclarationReportChoice {
    QString tabelaEmp = QStringLiteral("BD8Emp");
    QString tabelaVinc = QStringLiteral("BD8Vinc");
    QString tabelaResp = QStringLiteral("BD8Resp");
    QString ano;
    // Inscription and prefix of each chosen establishment.
    QList<QStringList> establishments;
    // "Parcial": the key of each chosen contract (PIS/PASEP, admission, name,
    // sequence number); empty: every contract.
    bool partial = false;
    QList<QStringList> contracts;
    QString classificacao = QStringLiteral("código PIS/PASEP");
};
void BuildDeclarationReportQuery(db::Query& query, const DeclarationReportChoice& choice);

// The print wizard's last page: the establishments of the report year, in
// "Parcial" the employees of one of them, and the preview of the report.
class TfmRelatorio01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmRelatorio01(QWidget* parent = nullptr);  // FormCreate
    ~TfmRelatorio01() override;

    QString TabelaEmp, TabelaVinc, TabelaResp;
    quint8 ModoCompleto = 1;
    QString TituloRelatorio;
    QString ClassificacaoRelatorio = QStringLiteral("código PIS/PASEP");
    QString AnoRelatorio;  // the report year
    // The establishment line last clicked.
    QString Inscricao, Prefixo;

    forms::TickList* clbEmpresas;
    forms::TickList* clbEmpregados;
    QGroupBox* rgAmplitude;
    QRadioButton* rbImprimTotal;
    QRadioButton* rbImprimParcial;
    QGroupBox* gbSelecao;
    QRadioButton* rbSelecaoLimpar;
    QRadioButton* rbSelecaoTodos;

    void rbImprimTotalClick();
    void rbImprimParcialClick();
    void rbSelecaoLimparClick();
    void rbSelecaoTodosClick();
    void bbVisualizarClick();
    void bbVoltarClick();
    void btCancelarClick();
    void clbEmpresasClickCheck(int row, bool ticked);

    // More contracts than the list shows.
    static constexpr int kMaxListed = 8001;

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbVisualizarClick(); }
    void BackClicked() override { bbVoltarClick(); }
    void CancelClicked() override { btCancelarClick(); }

private:
    void fillEmployees();
    bool partial() const;
};

extern TfmRelatorio01* fmRelatorio01;
