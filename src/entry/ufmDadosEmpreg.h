#pragma once
#include <QDialog>
#include <QString>
#include <cstdint>

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

// The form of one employment contract (a row of BD8Vinc).
class TfmDadosEmpreg : public QDialog {
    Q_OBJECT
public:
    explicit TfmDadosEmpreg(QWidget* parent = nullptr);
    ~TfmDadosEmpreg() override;
};

// Made by the main window's commands; null until then.
extern TfmDadosEmpreg* fmDadosEmpreg;
