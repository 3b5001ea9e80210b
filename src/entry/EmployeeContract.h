#pragma once
// The plain work behind the employee form: the decisions of its save, the
// duplicate queries and the writes that keep the establishment's employee
// counts right. Nothing here touches a widget.

#include "MoneyText.h"

#include <QString>
#include <QStringList>
#include <array>

namespace db {
class DataSet;
class Query;
class Table;
}  // namespace db

// ---- Decisions of the save --------------------------------------------------

using MonthCents = std::array<QString, 12>;

// The twelve months, the advance and the final parcel, in 64 bits: fourteen
// nine-digit amounts pass 32.
qint64 YearTotal(const MonthCents& months, const QString& advance, const QString& finalParcel);
// False when the 13th salary exceeds one and a half times the average of the
// paid months (message 3508); true when no month is paid.
bool ThirteenthIsPlausible(const MonthCents& months, const QString& advance, const QString& finalParcel);
// The first month (0-11) whose edit is empty or "0,00"; -1 when none is.
int FirstUnpaidMonth(const QStringList& monthTexts);
// The year the age, admission and dismissal rules take.
int ReferenceYearFor(const QString& baseYear, bool followingYear, int mainBaseYear);
// The form's caption for the establishment.
QString EmployeeFormCaption(const QString& name, const QString& inscription, const QString& inscriptionType,
                            const QString& prefix);

// What leaving the dismissal cause does to the contract page and the
// termination payments, by the cause (trimmed).
struct DismissalCauseEffect {
    bool dateOpen = false;           // the dismissal date editable (else read-only)
    bool clearDate = false;          // the dismissal date emptied
    bool noticePayOpen = false;      // the notice pay editable (else zeroed and read-only)
    int terminationOpen = -1;        // 1 open, 0 closed, -1 left as it was
    bool clearTermination = false;   // the termination amounts zeroed
    bool focusDate = false;          // the focus to the date (else to the municipality of work)
};
DismissalCauseEffect EffectOfDismissalCause(const QString& cause);

// The record's fixed-width fields in stored form: trimmed and left-padded
// with zeros, so that an empty field is stored as zeros of its width.
void PadContractFields(db::DataSet& contract);

// ---- Duplicates -------------------------------------------------------------

// The stored contracts of one PIS/PASEP, in every establishment and year:
// both duplicate tests are decided on them, read in one pass.
struct ContractWithPis {
    QString baseYear, name, birthDate, cpf, admission, dismissal, cbo;
};
QList<ContractWithPis> FindContractsWithPis(db::Query& query, const QString& pis);

// The personal data of a contract as the record holds them.
struct PersonData {
    QString name;
    QString birthDate;
    QString cpf;
};
// True when the base year's contracts of the PIS/PASEP name another person
// than this one (message 3761): more distinct persons than the threshold (1
// while the contract itself is stored, editing; else 0) and one of them
// differs in name, birth date or CPF.
bool SamePisOtherPerson(const QList<ContractWithPis>& contracts, const QString& baseYear, bool editing,
                        const PersonData& person);

// True when more contracts than the threshold, in any establishment or
// year, have this admission, dismissal and CBO (message 1671); for a
// PIS/PASEP of zeros only those of the same name count.
bool SameContractExists(const QList<ContractWithPis>& contracts, const QString& pis, const QString& admission,
                        const QString& dismissal, const QString& cbo, const QString& name, int threshold);

// The personal data of the base year's first other contract with this
// PIS/PASEP, for the copy offered by message 1050; false when none.
struct CopiedPerson {
    QString name, birthDate, nationality, arrivalYear, schooling, workCard, workCardSeries, race,
        disabilityIndicator, disabilityType, sex, cpf;
};
bool FindPersonWithPis(db::Query& query, const QString& baseYear, const QString& pis, CopiedPerson* person);

// ---- Writes -----------------------------------------------------------------

struct EstablishmentKey {
    QString baseYear, inscription, prefix;
};
struct ContractCounts {
    int employees = 0;
    int foreigners = 0;
};
ContractCounts CountEmployees(const EstablishmentKey& key);

// Posts the contract being edited or appended and rewrites the
// establishment's counts in one transaction; on failure both stay as they
// were and the contract keeps its unsaved values in edit state.
ContractCounts PostContractWithCounts(db::Table& contract, db::Table& establishment, const EstablishmentKey& key);
// Deletes the current contract and rewrites the counts in one transaction.
ContractCounts DeleteContractWithCounts(db::Table& contract, db::Table& establishment, const EstablishmentKey& key);
