#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {
class EntryFormController;
class RadioGroup;
}  // namespace ui

// The person responsible for the declaration file: the single row of
// BD8Resp, edited (or inserted when the table is empty) through
// dmDadosResp->ta8Resp. Every field is checked when it is left and all of
// them again on Ok.
class TfmDadosResp : public QDialog {
    Q_OBJECT
public:
    explicit TfmDadosResp(QWidget* parent = nullptr);  // FormCreate: creates dmDadosResp

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
    QToolButton* bbCodMunicipio;
    QLineEdit* deNomeMunicipio;
    QLineEdit* deUF;
    QLineEdit* deDDD;
    QLineEdit* deTelefone;
    QLineEdit* deCpfResponsavel;
    QLineEdit* deNomeResp;
    QLineEdit* deDataNascResp;
    QLineEdit* deEmail;
    QPushButton* bbOk;
    QPushButton* bbCancelar;

    ui::EntryFormController* kit() const { return kit_; }

    // Focuses the chosen inscription type, or "CNPJ" without choosing it.
    // The responsible-inscription check calls it to put the focus back.
    Q_INVOKABLE void dbrTipoInscrEnter();
    // The type must be chosen: else message 0049, focus on "CNPJ", abort.
    void pTipoInscricaoPreenchido();

    void bbOkClick();
    void bbCancelarClick();
    void bbCodMunicipioClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void buildControls();
    void bindFields();
    void mdInscricaoEnter();
    void mdInscricaoExit();
    void deCpfResponsavelEnter();
    void deCodMunicipioExit();

    ui::EntryFormController* kit_;
    bool shown_ = false;
};

extern TfmDadosResp* fmDadosResp;

// The main window's "&Dados Responsável ...": creates the form, shows it
// modally, frees it, then closes ta8Resp (dropping an edit not posted) and
// frees dmDadosResp, which the form created.
void ShowDadosResp(QWidget* parent = nullptr);
