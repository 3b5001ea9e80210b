#pragma once
#include <QList>
#include <memory>
#include <QString>
#include <QStringList>

// The amendment wizard's choice, held in memory outside the list controls:
// one entry per establishment of the list, each with the contracts chosen
// for it. The selection page feeds it the ticks; the copy into the working
// tables reads it.
namespace db {
class Database;
}

namespace declfile {

struct RetifContract {
    // The contract's part of BD8Vinc's primary key, in key order:
    // CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado,
    // NuSequencialRegistro, CoCgcVinculado, InInscrEstabelecimento,
    // DaDesligamentoEmpregado, CoCbo.
    QStringList key;
    int line = 0;  // its line in the contract list
};

struct RetifEstablishment {
    QString year, inscription, prefix;
    int line = 0;
    bool hasEmployees = false;
    bool chosen = false;  // ticked and its contracts loaded
    QList<RetifContract> contracts;

    QStringList Key() const { return {year, inscription, prefix}; }
};

class RetifSelection {
public:
    void AddEstablishment(const QString& year, const QString& inscription, const QString& prefix, bool hasEmployees);
    void Release();  // ReleaseSelection

    int Count() const { return int(entries_.size()); }
    const RetifEstablishment& Entry(int line) const { return entries_.at(line); }
    int Current() const { return current_; }

    // The establishment tick handling for line `line`, ticked or not now.
    struct Outcome {
        int untickLine = -1;     // an establishment left without contracts ("1304")
        bool loadContracts = false;
    };
    Outcome EstablishmentTicked(int line, bool ticked);

    // A contract line of the current establishment ticked or unticked. A
    // contract the entry already holds is never added twice.
    void ContractTicked(int line, bool ticked, const QStringList& key);
    // Select all: every contract of the list, in list order; or none.
    void ChooseAllContracts(const QList<QStringList>& keys);
    void ChooseNoContract();
    // The contract lines the current entry holds (ticked again on reload).
    QList<int> ChosenLines() const;

    // The current entry is chosen, has employees and holds no contract.
    bool CurrentLacksContracts() const;
    // Unchooses the current entry (after "1304").
    void UnchooseCurrent();

private:
    QList<RetifEstablishment> entries_;
    int current_ = -1;
};

// The contract columns of a RetifContract's key.
QStringList RetifContractColumns();

// Empties Te8Resp, Te8Emp and Te8Vinc and copies into them, in one
// transaction, the person responsible and the chosen establishments with
// their chosen contracts, every column of each row. A chosen row that is no
// longer in the declaration tables ("1925") or a contract copied twice
// ("1926") shows its message and leaves the working tables as they were;
// false then. Other database errors pass on to the caller.
bool CopySelectionToWork(const RetifSelection& selection, const std::shared_ptr<db::Database>& database);

}  // namespace declfile
