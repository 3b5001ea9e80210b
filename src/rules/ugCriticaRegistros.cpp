#include "ugCriticaDeclaracao.h"

// The record checks of each type; filled in by the rule families.
void CheckResponsibleRecord(ValidationRun&) {}
void CheckEstablishmentRecord(ValidationRun&) {}
void CheckEmployeeRecord(ValidationRun&) {}
