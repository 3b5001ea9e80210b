#pragma once
#include "platform/ui/WizardPage.h"

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace ui {
class EntryFormController;
class RadioGroup;
}  // namespace ui
namespace forms {
class BusyIndicator;
}

// The writing wizard's third page: the data of the person responsible for the
// file (BD8Resp through dmDadosResp->ta8Resp) are checked and saved, then the
// whole-declaration check runs over the chosen establishments. Its object
// name is "fmGravaDecl01": the inscription check finds it by that name.
class TfmGravaDecl01 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmGravaDecl01(QWidget* parent = nullptr);  // FormCreate
    ~TfmGravaDecl01() override;                          // FormClose: closes ta8Resp

    QLabel* laResponsavel;
    QFrame* paDadosResp;
    QFrame* paVerificar;
    QProgressBar* prDecl01;
    forms::BusyIndicator* Animate1;

    ui::RadioGroup* dbrTipoInscr;
    QLineEdit* mdInscricao;
    QLineEdit* edTipodeInscricao;
    QLineEdit* deNome;
    QLineEdit* deLogradouro;
    QLineEdit* deNumero;
    QLineEdit* deComplemento;
    QLineEdit* deBairro;
    QLineEdit* deCep;
    QLineEdit* deCodMunicipio;
    QToolButton* bbMunicipios;
    QLineEdit* deNomeMunicipio;
    QLineEdit* deUF;
    QLineEdit* deDDD;
    QLineEdit* deTelefone;
    QLineEdit* deEmail;
    QLineEdit* deCpfResponsavel;
    QLineEdit* deNomeResp;
    QLineEdit* deDataNasc;

    // Focuses the chosen inscription type, or "CNPJ" without choosing it.
    Q_INVOKABLE void dbrTipoInscrEnter();
    void bbAvancarClick();
    void bbVoltarClick();
    void bbMunicipiosClick();

    // The amendment wizard's copy into the working tables, run after the
    // person responsible is posted; false ends the wizard.
    std::function<bool()> CopyToWork;
    // Runs before page 4 is shown (the amendment wizard releases its selection).
    std::function<void()> BeforeWritingPage;

    bool CheckRunning() const { return IsBusy(); }

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
    void BackClicked() override { bbVoltarClick(); }

private:
    void buildControls();
    void bindFields();
    void mdInscricaoExit();
    void deCodMunicipioExit();
    void showDataPanel(bool data);

    ui::EntryFormController* kit_;
};
