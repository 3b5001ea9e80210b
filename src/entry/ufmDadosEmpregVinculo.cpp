// The employee form's pages of the contract and its termination, the
// absences, the union contributions and the termination payments.
#include "ufmDadosEmpreg.h"

#include "platform/ui/PageControl.h"

#include <QLineEdit>

QWidget* TfmDadosEmpreg::tVinculoFirstField() const { return edAvisoPrevio; }
QWidget* TfmDadosEmpreg::terminationFirstField() const { return nullptr; }

void TfmDadosEmpreg::buildContractPages() {}
void TfmDadosEmpreg::LoadTerminationState() {}
void TfmDadosEmpreg::LoadContractPage() {}
void TfmDadosEmpreg::LoadDismissalAndAbsences() {}
void TfmDadosEmpreg::LoadUnionAndTermination() {}
void TfmDadosEmpreg::ContractChecks() {}
void TfmDadosEmpreg::NoticeAndAbsenceChecks() {}
void TfmDadosEmpreg::UnionChecks() {}
void TfmDadosEmpreg::TerminationChecks() {}
void TfmDadosEmpreg::StoreUnionAndTerminationAmounts() {}
void TfmDadosEmpreg::ShowTerminationMoneyAgain() {}
