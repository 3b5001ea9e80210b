#pragma once
#include "EmployeeContract.h"

#include <QDialog>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace db {
class Table;
}
namespace ui {
class ControlTable;
class EntryFormController;
class PageControl;
class RadioGroup;
}  // namespace ui

// EmployeeFormContext: what a caller fills before it shows the employee form
// (the establishment form for the first contract, the employee list for the
// others). An empty ContextPis asks for a new contract; otherwise the five
// contract values locate the stored row to edit.
extern QString ContextBaseYear;           // AnBase, 4 characters
extern QString ContextInscription;        // CoCgcCeiEstabelecimento, 14 digits
extern QString ContextPrefix;             // NuPrefixoEstabelecimento, 2 characters
extern QString ContextInscriptionType;    // InInscrEstabelecimento: "1" CNPJ, "3" CEI
extern QString ContextEstablishmentName;  // shown in the caption
extern QString ContextLinkedCei;          // CoCgcVinculado, written into every saved contract
extern std::uint8_t ContextFollowingYear; // 1: the closing is declared for the following year
extern QString ContextPis;                // CoPisPasepEmpregado of the contract to open
extern QString ContextAdmission;          // DaAdmissaoEmpregado of the contract to open
extern QString ContextEmployeeName;       // NoEmpregado of the contract to open
extern QString ContextDismissal;          // DaDesligamentoEmpregado (DDMM) of the contract to open
extern QString ContextCbo;                // CoCbo of the contract to open

// The code of the last rule run or the name of the button that answered the
// last question; the establishment list keeps its own checks' codes here too.
extern QString LastMessageCode;

// Puts a PIS/PASEP into the employee list's search box (a new contract given
// up for a person already declared).
extern std::function<void(const QString& pis)> EmployeeListSearchPis;

// The form of one employment contract (a row of BD8Vinc) of the establishment
// the context names: seven pages, every field checked when it is left and all
// of them again, in a fixed order, on Ok.
class TfmDadosEmpreg : public QDialog {
    Q_OBJECT
public:
    explicit TfmDadosEmpreg(QWidget* parent = nullptr);
    ~TfmDadosEmpreg() override;

    ui::PageControl* pcEmpregados;
    QWidget* tDadosPessoais;
    QWidget* tAdmissao;
    QWidget* tVinculo;
    QWidget* tAfastamento;
    QWidget* tSindicais;
    QWidget* tRemuneracoes;
    QWidget* tVerbas;

    QPushButton* BtOk;
    QPushButton* BtExcluir;
    QPushButton* BtCancelar;
    QPushButton* BtAjuda;

    // Personal data.
    QLineEdit* dePisPasep = nullptr;
    QLineEdit* deNomeEmpregado = nullptr;
    QLineEdit* deNascimento = nullptr;
    QLineEdit* deRaca = nullptr;
    QToolButton* sbRaca = nullptr;
    QLineEdit* edTxRaca = nullptr;
    ui::RadioGroup* dgDeficiencia = nullptr;
    QLineEdit* deDeficiente = nullptr;
    QToolButton* sbDeficiente = nullptr;
    QLineEdit* edTxDeficiente = nullptr;
    QComboBox* cbSexo = nullptr;
    QLineEdit* deNacionalidade = nullptr;
    QToolButton* sbNacionalidade = nullptr;
    QLineEdit* edTxNacionalidade = nullptr;
    QLineEdit* deAnoChegada = nullptr;
    QLineEdit* deInstrucao = nullptr;
    QToolButton* sbInstrucao = nullptr;
    QLineEdit* edTxInstrucao = nullptr;
    QLineEdit* deCarteiraTrab = nullptr;
    QLineEdit* deCarteiraTrabSerie = nullptr;
    QLineEdit* deCPF = nullptr;
    QLineEdit* deUsoEmpregado = nullptr;

    // Admission.
    QLineEdit* deAdmissao = nullptr;
    QLineEdit* deTipoAdmissao = nullptr;
    QToolButton* sbAdmissao = nullptr;
    QLineEdit* edTxAdmissao = nullptr;
    QLineEdit* edSalario = nullptr;
    QLineEdit* deHoras = nullptr;
    QLineEdit* deTipoSalContratual = nullptr;
    QToolButton* sbSalarioContratual = nullptr;
    QLineEdit* edTxSalContratual = nullptr;
    QLineEdit* deCBO = nullptr;
    QToolButton* sbCBO = nullptr;
    QLineEdit* edTxCBO = nullptr;
    QLineEdit* tabInnerAd = nullptr;

    // Monthly pay, overtime hours, 13th salary.
    std::array<QLineEdit*, 12> edMonths{};   // edJaneiro .. edDezembro
    std::array<QLineEdit*, 12> deHours{};    // deHorasJaneiro .. deHorasDezembro
    QLineEdit* deMesAdiantamento = nullptr;
    QToolButton* sbMesAdiantamento = nullptr;
    QLineEdit* edTxAdiantamento = nullptr;
    QLineEdit* edAdiantamento = nullptr;
    QLineEdit* deMesParcelaFinal = nullptr;
    QToolButton* sbMesParcelaFinal = nullptr;
    QLineEdit* edTxParcelaFinal = nullptr;
    QLineEdit* edParcelaFinal = nullptr;

    // Contract, alvará, dismissal, notice pay, workplace.
    QLineEdit* deVinculo = nullptr;
    QToolButton* sbVinculo = nullptr;
    QLineEdit* edTxVinculo = nullptr;
    ui::RadioGroup* dgAlvara = nullptr;
    QLineEdit* deCodDeslig = nullptr;
    QToolButton* sbDesligamento = nullptr;
    QLineEdit* edTxDesligamento = nullptr;
    QLineEdit* deDataDeslig = nullptr;
    QLineEdit* deAnoDeslig = nullptr;
    QLineEdit* edAvisoPrevio = nullptr;
    QLineEdit* deMunicipioTrabalho = nullptr;
    QToolButton* bbCodMunicipio = nullptr;
    QLineEdit* deNomeMunicipioTrabalho = nullptr;
    QLineEdit* deSiglaUFTrabalho = nullptr;
    QLineEdit* tabInnerVinc = nullptr;

    // Absences: slots 1 to 3.
    std::array<QLineEdit*, 3> deAfastCod{};     // dePrimCod, deSegCod, deTerCod
    std::array<QToolButton*, 3> sbAfast{};      // sbPrimAfastamento ..
    std::array<QLineEdit*, 3> edTxAfast{};      // edTxPrimAfast, edTxSegAfas, EdTxTerAfas
    std::array<QLineEdit*, 3> deAfastInicio{};  // dePrimInicio ..
    std::array<QLineEdit*, 3> deAfastFinal{};   // dePrimFinal ..
    QLineEdit* deAfastQtDias = nullptr;

    // Union contributions: union tax, first and second association, assistance, confederative.
    std::array<QLineEdit*, 5> deUnionCnpj{};   // deCNPJSindical, deCNPJPrimeiroAssociativa, ..
    std::array<QLineEdit*, 5> deUnionValue{};  // deValorSindical, devalorPrimeiroAssociativa, ..
    ui::RadioGroup* dbrSindicalizado = nullptr;
    QWidget* Label70 = nullptr;

    // Termination payments: holidays, fines, hours bank, adjustment, bonuses; months of the last three.
    std::array<QLineEdit*, 5> deTerminationValue{};   // deValorGlobalFerias ..
    std::array<QLineEdit*, 3> deTerminationMonths{};  // deCompetenciaHoras ..

    // Switches of the termination fields.
    std::uint8_t TerminationPaymentsOpen = 0;
    std::uint8_t NoticePayAnswered = 0;

    ui::EntryFormController* kit() const { return kit_; }

    // Form state.
    QString EntryMode;    // "I" a new contract, "A" an existing one
    QString LoadedPis;
    int ReferenceYear = 0;
    int EmployeeCount = 0;
    int ForeignerCount = 0;
    QString LastAcceptedPis;
    std::array<QString, 4> LoadedKey;  // PIS/PASEP, admission, dismissal, CBO
    std::uint8_t SalaryTypeWarningShown = 0;

    // Operations.
    void LoadContract();
    void SaveContract();
    void DeleteContract();
    void DeleteContractWithoutAsking();
    void CancelContract();
    void CountEmployees();
    void CheckSamePisOtherPerson();
    void CheckSameContract();
    QString CopyPersonFromOtherContract();
    void ReportSaveError(const std::exception& e);
    bool CheckFocusNotOnButton() const;
    bool CheckFocusNotOnOtherPage() const;

    // Checks of the Ok sequence (onExit: 1 when the field is left, 0 from Ok).
    void dePisPasepCheck();
    void deNomeEmpregadoCheck();
    void deNascimentoCheck(int onExit);
    void deRacaCheck(int onExit);
    void dgDeficienciaCheck(int onExit);
    void cbSexoCheck(int onExit);
    void deNacionalidadeCheck(int onExit);
    void deAnoChegadaCheck();
    void deInstrucaoCheck();
    void deCarteiraTrabCheck();
    void deCarteiraTrabSerieCheck();
    void deCPFCheck();
    void deUsoEmpregadoCheck();
    void deAdmissaoCheck(int onExit);
    void deTipoAdmissaoCheck();
    void edSalarioCheck();
    void deHorasCheck();
    void deTipoSalContratualCheck(int onExit);
    void deCBOCheck(int onExit);
    void edSalarioRequiredCheck();
    void deMesAdiantamentoCheck(int onExit);
    void edAdiantamentoCheck(int onExit);
    void deMesParcelaFinalCheck(int onExit);
    void edParcelaFinalCheck(int onExit);
    void PayAgainstAdmissionCheck();

    // Leaving the pay page's fields.
    void deVinculoCheck(int onExit);
    void dgAlvaraCheck();
    void deCodDesligCheck();
    void deDataDesligCheck();
    void edAvisoPrevioCheck();
    void deMunicipioTrabalhoCheck();
    void AbsenceReasonCheck(int slot, bool informationBox);  // slot 0..2
    void AbsenceReasonOrderCheck();
    void AbsenceStartCheck(int slot);
    void AbsenceEndCheck(int slot);
    void AbsenceDaysCheck();
    void UnionCnpjCheck(int row);                 // row 0..4
    void UnionValueCheck(int row, int onExit);
    void FirstMembershipCheck();
    void SecondMembershipCheck();
    void TerminationAmountCheck(int row);         // row 0..4
    void TerminationMonthsCheck(int row);         // row 0..2 (hours bank, adjustment, bonuses)

    // Switches of the termination payments and the notice pay.
    void SwitchTerminationPayments(const QString& cause);
    void DisableTerminationPayments();
    void ClearTerminationPayments();
    void ClearNoticePay();
    void FillDismissalYear();

    void MonthCheck(int month);   // 0 = January
    void DecemberExtras();
    void HoursCheck(int month);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Fields stored as zeros when the contract was loaded, with their values.
    QMap<QString, QString> loadedZeros_;
    void rememberLoadedZeros();
    void restoreLoadedZeros();
    void buildControls();
    QWidget* buildPersonalPage();
    QWidget* buildAdmissionPage();
    QWidget* buildPayPage();
    void connectHandlers();
    void FormShow();
    // Ends the form: its result, the contract table closed, and the way back:
    // returnToList 1 or 0 becomes the establishment form's
    // ReturnToEstablishmentList, -1 leaves it as it is.
    void closeForm(int result, int returnToList);
    // A move of the form's own (not a failed check): page changes stay allowed.
    void moveFocus(QWidget* control);

    // Field access on the contract being edited.
    db::Table& contract() const;
    db::Table& establishment() const;
    QString F(const char* name) const;
    void SetF(const char* name, const QString& value);
    EstablishmentKey establishmentKey() const;

    // A stopping code: shown, its field's page in front, the focus back on
    // the field, the event abandoned.
    [[noreturn]] void fail(const QString& code, QWidget* focus);
    static const QString& rule(const QString& code);

    // Handlers of the fields.
    void dePisPasepEnter();
    void dePisPasepExit();
    void dgDeficienciaEnter();
    void dgDeficienciaExit();
    void deNacionalidadeExit();
    void moneyEnter(QLineEdit* edit);
    void edSalarioExit();
    void deMesExit(bool advance);
    void edAdiantamentoExit();
    void edParcelaFinalExit();
    void showPickedDescription(QLineEdit* box, db::Table& lookup, const QString& code, const char* nameField);
    void sbRacaClick();
    void sbDeficienteClick();
    void sbNacionalidadeClick();
    void sbInstrucaoClick();
    void sbAdmissaoClick();
    void sbSalarioContratualClick();
    void sbCBOClick();
    void sbMesClick(bool advance);
    void BtOkClick();
    void BtExcluirClick();
    void BtCancelarClick();
    void BtAjudaClick();

    // The pages of the contract, absences, union contributions and
    // termination payments: their load steps, Ok checks and stored amounts.
    void buildContractPages();
    void buildContractPage();
    void buildAbsencePage();
    void buildUnionPage();
    void buildTerminationPage();
    void connectContractHandlers();
    void deVinculoExit();
    void dgAlvaraEnter();
    void dgAlvaraExit();
    void deCodDesligExit();
    void ApplyDismissalCause(const QString& cause);
    void deDataDesligEnter();
    void deDataDesligExit();
    void edAvisoPrevioExit();
    void AskNoticePay();
    void deMunicipioTrabalhoExit();
    void AbsenceReasonExit(int slot);
    void dbrSindicalizadoEnter();
    void dbrSindicalizadoExit();
    void UnionCnpjExit(int row);
    void UnionTableQuestion(int row);
    void SetAssociationEdits(bool open, bool menuColour, bool tabStop);
    void SetTerminationFields(bool enabled, bool editable);
    bool AnyTerminationValue() const;
    void sbVinculoClick();
    void sbDesligamentoClick();
    void bbCodMunicipioClick();
    void sbAfastClick(int slot);
    QString alvaraBirth_, alvaraType_;   // stored by the alvará check for its exit test
    void LoadTerminationState();
    void LoadContractPage();
    void LoadDismissalAndAbsences();
    void LoadUnionAndTermination();
    void ContractChecks();
    void NoticeAndAbsenceChecks();
    void UnionChecks();
    void TerminationChecks();
    void StoreUnionAndTerminationAmounts();
    void ShowTerminationMoneyAgain();
    QWidget* tVinculoFirstField() const;
    QWidget* terminationFirstField() const;

    QString monthCents(int month) const;
    MonthCents allMonthCents() const;
    void showMoneyAgain();

    ui::EntryFormController* kit_;
    ui::ControlTable* controls_ = nullptr;
    QWidget* lastPageOwner_ = nullptr;
    QList<ContractWithPis> pisContracts_;  // read by check 24, decided on by 24 and 25
    QString pisContractsOf_;
};

// Made by the main window's commands; null until then.
extern TfmDadosEmpreg* fmDadosEmpreg;

// Shows the employee form for the context, creating it on first use.
void ShowDadosEmpreg(QWidget* parent = nullptr);
