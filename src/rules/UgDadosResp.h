#pragma once
#include <QString>

class QLineEdit;
namespace ui {
class EntryFormController;
}

// The checks of the person responsible, shared by the responsible-person form
// and the writing wizard's responsible page. They act on the screen: each
// reads its field from dmDadosResp->ta8Resp (in edit mode) or from the edit it
// is given, runs the field rules, and on failure shows the code's message,
// gives a control the focus back and ends the event with SilentAbort; on
// success most of them store the accepted (trimmed) value into the record.

// Edit masks of the inscription and the CPF (the literals are not kept).
inline const QString kMaskCnpj = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;_");
inline const QString kMaskCei = QStringLiteral("99999\\.99999\\-99;0;_");
inline const QString kMaskCpf = QStringLiteral("999\\.999\\.999\\-99;0;_");

// Focus tests: they let pending events through, then look at the control
// that has the focus (none counts as a different control).
bool FocusNotOnCancel();         // not "bbCancelar"
bool FocusOnAdvance();           // "bbAvancar" of the writing wizard
bool FocusOnMunicipalities();    // "bbMunicipios" of the writing wizard
bool FocusOnMunicipalityCode();  // "bbCodMunicipio" of the responsible-person form

// Display of the stored inscription and CPF.
void ShowResponsibleInscription(QLineEdit* inscription, QLineEdit* typeLabel);
void ShowResponsibleCpf(QLineEdit* cpf);

void CheckResponsibleInscription(QLineEdit* inscription, QLineEdit* typeLabel);
void CheckResponsibleName(QLineEdit* name);
void CheckResponsibleStreet(QLineEdit* street);
void CheckResponsibleStreetNumber(QLineEdit* number);
void CheckResponsibleComplement(QLineEdit* complement);
void CheckResponsibleDistrict(QLineEdit* district);
void CheckResponsibleCep(QLineEdit* cep);
void CheckResponsibleMunicipalityCep(QLineEdit* cep, QLineEdit* ddd, QLineEdit* municipality);
void CheckResponsibleAreaCode(QLineEdit* ddd);
void WarnResponsibleAreaCodeForState();
void CheckResponsiblePhone(QLineEdit* phone, QLineEdit* ddd);
void CheckResponsibleEmail(QLineEdit* email);
void CheckResponsibleDeclarantName(QLineEdit* declarantName);
void CheckResponsibleCpf(QLineEdit* cpf);
void CheckInscriptionAgainstCpf(QLineEdit* inscription, QLineEdit* cpf);
void CheckResponsibleBirthDate(QLineEdit* birthDate);

// Unit state: the last code any check obtained, and the street number as the
// street-number check last read it (the complement check uses it).
QString ResponsibleLastCode();
QString ResponsibleStreetNumberRead();
void ResetResponsibleChecks();

// The edits of the person responsible on a screen (the responsible-person
// form and the writing wizard's responsible page).
struct ResponsibleEdits {
    QLineEdit* name;
    QLineEdit* street;
    QLineEdit* number;
    QLineEdit* complement;
    QLineEdit* district;
    QLineEdit* cep;
    QLineEdit* ddd;
    QLineEdit* phone;
    QLineEdit* email;
    QLineEdit* cpf;
    QLineEdit* declarantName;
    QLineEdit* birthDate;
};

// The exit checks of those edits on an entry form: the street number,
// district, area code, phone and e-mail run also when empty, the others only
// when filled; none runs when the focus goes to Cancel.
void BindResponsibleExitChecks(ui::EntryFormController& kit, const ResponsibleEdits& edits);

// Before showing: the stored street number without its leading zeros (a
// value that is no whole number is shown as it stands).
void ShowResponsibleStreetNumberPlain();
// Before posting: the street number padded with zeros to six, the area code
// and the phone trimmed.
void StoreResponsibleNumbers();
