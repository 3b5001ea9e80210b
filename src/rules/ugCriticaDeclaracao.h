#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/ProgressHost.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace critica {
class ContractRow;
}

// What the whole-declaration check needs of the screen that runs it: the
// progress bar, a pass of pending events, and the two questions it may ask.
// SetProgress takes 0..100.
class ValidationHost : public forms::ProgressHost {
public:
    virtual void ShowErrorLimit(const QString& text) = 0;
};

// The host of a real screen: its progress bar, moved and the event loop let
// through by the page's ProgressBarHost, and the message service.
class WidgetValidationHost : public ValidationHost {
public:
    explicit WidgetValidationHost(forms::ProgressBarHost& pump) : pump_(pump) {}
    void SetProgress(int position) override;
    void ProcessEvents() override;
    bool AskInterrupt() override;
    void ShowErrorLimit(const QString& text) override;

private:
    bool ranged_ = false;           // the bar counts 0..100
    forms::ProgressBarHost& pump_;  // the bar, and events through a few times a frame
};

// One establishment of a group that shares inscription, type and linked CEI.
struct EstablishmentGroupRow {
    QString prefix, name, legalNature, cnae;
};

// One set of personal data found with a PIS/PASEP used by several contracts.
struct PisIdentityRow {
    QString name, birthDate, cpf;
};

// The state of one run, read and written by the record checks.
struct ValidationRun {
    std::shared_ptr<db::Database> database;   // the data directory
    std::uint8_t useWorkingTables = 0;
    std::uint8_t fileAnalysisMode = 0;
    std::unique_ptr<db::Table> resp, emp, vinc, tbUf;
    std::unique_ptr<db::Query> establishmentGroupQuery, duplicateQuery, pisIdentityQuery;
    bool runOnceDuplicates = true;
    bool runOncePisIdentity = true;
    // Whether some PIS/PASEP is used by more than one contract, asked once
    // per run: without one, neither query above can find a row.
    bool AnyRepeatedPis();
    int anyRepeatedPis = -1;  // not asked yet
    QString currentPis, currentAdmission;     // of the contract being checked
    QString currentBaseYear;                  // AnBase of the establishment being checked
    int baseYear = 2009;                      // the main window's AnoBase, set by the run
    std::vector<db::Field*> contractFields;   // taken once per run, in the contract checks' order
    std::shared_ptr<critica::ContractRow> contractRow;  // the contract being checked, its texts kept for the next
    std::array<std::pair<QString, QString>, 5> contributionCnpjAnswers;  // the last number of each step, its answer
    std::vector<db::Field*> establishmentFields;  // of emp the contract checks read, taken once per run
    int errorCount = 0;
    int errorLimit = 250;
    bool errorsWritten = false;
    bool warningsWritten = false;
    ValidationHost* host = nullptr;

    // The table names the check queries use: "BD8Emp"/"te8emp", "BD8Vinc"/"te8vinc".
    QString EstablishmentTable() const;
    QString ContractTable() const;
    bool AboveLimit() const { return errorCount >= errorLimit + 1; }

    // The group queries, each run once per run over the whole table and kept
    // for every record: the establishments of groups of more than one (by
    // AnBase, inscription, inscription type, linked CEI), the number of
    // contracts of each repeated PIS + admission + dismissal + CBO, and the
    // sets of personal data of each PIS used by more than one contract.
    const QVector<EstablishmentGroupRow>& EstablishmentGroup(const QStringList& key);
    int DuplicateOccurrences(const QString& pis, const QString& admission, const QString& dismissal,
                             const QString& cbo);
    const QVector<PisIdentityRow>& PisIdentities(const QString& pis);
    bool runOnceEstablishmentGroups = true;
    QHash<QString, QVector<EstablishmentGroupRow>> establishmentGroups;
    QHash<QString, int> duplicates;
    QHash<QString, QVector<PisIdentityRow>> pisIdentities;

    void AddValidationFinding(const QString& kind, int recordType, const QString& result, const QString& label,
                              const QString& content);
    void CountValidationError();

    // Findings go through a connection of their own, in one transaction per run.
    std::shared_ptr<db::Database> findingsDatabase;
    std::unique_ptr<db::Transaction> findingsTransaction;
    std::unique_ptr<db::Table> findings;
};

// Result bits: 2 errors written, 1 warnings written; 4 alone when interrupted.
using ValidationResult = std::uint8_t;

ValidationResult ValidateDeclaration(ValidationHost& host, const QString& dataDirectory,
                                     std::uint8_t useWorkingTables, const std::vector<bool>* establishmentList,
                                     const QString& baseYearFilter, std::uint8_t checkResponsible,
                                     std::uint8_t reservedFlag, std::uint8_t fileAnalysisMode);

// Asks the running check to stop at its next poll.
void RequestValidationStop();

// The record checks of each type, called by the run in its order.
void CheckResponsibleRecord(ValidationRun& run);
void CheckEstablishmentRecord(ValidationRun& run);
void CheckEmployeeRecord(ValidationRun& run);

// The text shown once the counted errors pass the limit.
QString ErrorLimitText();
