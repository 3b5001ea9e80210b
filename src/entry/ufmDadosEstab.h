#pragma once
#include "platform/ui/ControlTable.h"

#include <QDialog>
#include <QMap>
#include <QString>
#include <cstdint>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {
class EntryFormController;
class PageControl;
class RadioGroup;
}  // namespace ui

// The establishment form: one row of BD8Emp edited through
// dmEntradaDados->ta8Empresa, every field checked when it is left and all of
// them again by Ok and Vínculos, which then lead on to the employee part.
// The caller sets the key and IsNewEstablishment and shows it modally; it is
// created afresh for every opening.
class TfmDadosEstab : public QDialog {
    Q_OBJECT
public:
    explicit TfmDadosEstab(QWidget* parent = nullptr);  // FormCreate
    ~TfmDadosEstab() override;

    // The page indexes of pcInformacoes.
    enum Page { tCadastrais, tEconomicas, tEconomicas2, tEconomicas3, tSindicais };

    // The establishment key, set by the caller before the form is shown.
    QString KeyAnoBase;
    QString KeyInscricao;
    QString KeyPrefixo;
    std::uint8_t IsNewEstablishment = 0;
    // Read by the employee form when it closes; Ok and Vínculos copy IsNewEstablishment into it.
    std::uint8_t ReturnToEstablishmentList = 0;

    // Outside the pages.
    QFrame* paAnoBase;
    QLabel* lbAnoBase;
    ui::RadioGroup* dbrTipoInscr;
    QLineEdit* mdInscricao;
    QLineEdit* edPrefixo;
    QLineEdit* meCeiVinc;
    QLabel* lbCeiVinculado;
    QLineEdit* deUsoEmpresa;
    ui::RadioGroup* dgTipoZuvo;
    QLineEdit* deRazao;
    QLineEdit* edTotalEmpreg;
    QCheckBox* cbEncerramento;
    QLineEdit* deDataEncerramento;
    ui::RadioGroup* dgEmAtividade;
    ui::PageControl* pcInformacoes;
    // tCadastrais
    QLineEdit* deLogradouro;
    QLineEdit* deNumero;
    QLineEdit* deComplemento;
    QLineEdit* deBairro;
    QLineEdit* deCEP;
    QLineEdit* deMunicipio;
    QToolButton* sbCodMunicipio;
    QLineEdit* deNomeMunicipio;
    QLineEdit* deSiglaUF;
    QLineEdit* deDDD;
    QLineEdit* deTelefone;
    QLineEdit* deEmail;
    QLineEdit* InfCadDummy;
    QLineEdit* PatDummy;       // after the PAT answer and after the last percentage:
    QLineEdit* PercentDummy;   // Tab lands there, not on Ok, so the field's exit runs
    // tEconomicas
    QLineEdit* deCNAE;
    QToolButton* sbCNAE;
    QLineEdit* edTxCNAE;
    QLineEdit* deNatJuridica;
    QToolButton* sbNatJuridica;
    QLineEdit* edTxNatJuridica;
    QLineEdit* deProprietarios;
    QLineEdit* deDataBase;
    // tEconomicas2
    ui::RadioGroup* dgPorte;
    ui::RadioGroup* dgOptanteSimples;
    ui::RadioGroup* dgPat;
    // tEconomicas3
    QFrame* paPAT;
    QLineEdit* dePATVincMaior5;
    QLineEdit* dePATVincMenor5;
    QLineEdit* deServProprio;
    QLineEdit* deAdmCozinha;
    QLineEdit* deRefeicaoTransportadora;
    QLineEdit* deRefeicaoConvenio;
    QLineEdit* deCestaAlimento;
    QLineEdit* deAlimentacaoConvenio;
    // tSindicais
    ui::RadioGroup* dbrCentralizada;
    QLineEdit* dbeCNPJCentralizada;
    QLineEdit* deSindical;
    QLineEdit* deValorSindical;
    ui::RadioGroup* dbrSindicato;
    QLineEdit* deAssociativa;
    QLineEdit* deValorAssociativa;
    QLineEdit* deAssistencial;
    QLineEdit* deValorAssistencial;
    QLineEdit* deConfederativa;
    QLineEdit* deValorConfederativa;
    // Buttons.
    QPushButton* BtOk;
    QPushButton* BtVinculos;
    QPushButton* BtCancelar;
    QPushButton* BtAjuda;

    ui::EntryFormController* kit() const { return kit_; }
    const ui::ControlTable& controls() const { return rows_; }

    // The save: every check in order, then the writes; false when a check or
    // a question stopped it (the form stays open).
    bool ValidateAndSave();
    void BtOkClick();
    void BtVinculosClick();
    void BtCancelarClick();

    // Checks and displays the other forms and the tests reach.
    void pInscricao();
    void CheckLinkedCei();
    void CheckSameInscription();
    void CheckClosingDate(int mode);
    void ShowBaseYear(const QString& date);
    void SyncSimplesWithPorte();
    void ShowContributionValues();
    static QString CentsText(const QString& display);
    void CheckSindicalValue(QLineEdit* amount);
    static bool IsAnyEstablishment();
    // 1 when the establishment closes in the year after the base year.
    std::uint8_t FollowingYearFlag();

    // The working values the save writes (fixed-width forms).
    QString WorkNumero, WorkPatMaior5, WorkPatMenor5, WorkEmpregados, WorkEstrangeiros;
    QString WorkPercent[6];

    // Empties the marker of the row (when still found) and closes the table;
    // runs once, when the form's modal run is over.
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    void FormShow();
    void LoadEstablishment();
    void loadSizeSimplesPatClosing();
    void loadUnionControls();
    bool findRow();
    void saveSteps();
    void goOnAfterSave(bool vinculos);

    // Refusal: the code shown, the control's page in front, focus back, event abandoned.
    [[noreturn]] void refuse(const QString& code, QWidget* focus);
    // The same for the checks that leave AllowPageChange as it was.
    [[noreturn]] void refuseKeepingPage(const QString& code, QWidget* focus);
    QString rule(const QString& code);   // remembers the code, returns it

    // Field checks (exit handlers and save checks).
    void checkName();
    void checkFreeText();
    void checkStreet();
    void checkNumber();
    void checkComplement();
    void checkDistrict();
    void checkCep();
    void checkMunicipality();
    void checkAreaCode(int mode);
    void checkPhone();
    void checkEmail();
    void checkCnae(int mode);
    void checkLegalNature(int mode);
    void checkOwners();
    void checkBaseMonth();
    void checkSize();
    void checkSimples();
    void checkPatParticipation();
    void checkPatCountAbove();
    void checkPatCountUpTo();
    void checkPatCounts();
    void checkPercentage(int index);
    void checkPatModalities();
    void checkCentralisation();
    void checkCentralisingCnpj();
    void checkUnionCnpj(bool onExit);
    void checkAssociationCnpj(bool onExit);
    void checkOtherContributionCnpj(QLineEdit* edit, const QString& column, const QString& kind, bool onExit);
    void checkMembership();
    void unionTaxReminder();
    void confirmEntity(QLineEdit* edit, const QString& question, bool refusePageChange);

    // Radio-group behaviour.
    void dgTipoZuvoClick();
    void dgPorteEnter();
    void dgPorteExit();
    void dgPatClick();
    void dgPatEnter();
    void dgPatExit();
    void dbrCentralizadaEnter();
    void dbrCentralizadaExit();
    void dbrSindicatoExit();
    void cbEncerramentoClick();
    void enterCentralisation();
    void focusPatPlace(QWidget* field);
    void setPatValuesEmpty();
    void lockAssociation(bool locked);
    void sbCodMunicipioClick();
    void sbCNAEClick();
    void sbNatJuridicaClick();
    void BtAjudaClick();

    ui::EntryFormController* kit_;
    ui::ControlTable rows_;
    QString lastCode_;   // the code of the last field rule run by the form
    QString loadedCeiVinculado_;
    QMap<QString, QString> loadedZeros_;  // fields stored as zeros when the row was loaded
    bool shown_ = false;
    bool found_ = false;
    bool closed_ = false;
};

extern TfmDadosEstab* fmDadosEstab;

// Shows the establishment form for the key, modally, and frees it.
// isNew: the new-declaration form posted the row just before.
void ShowDadosEstab(const QString& anoBase, const QString& inscricao, const QString& prefixo, bool isNew,
                    QWidget* parent = nullptr);
