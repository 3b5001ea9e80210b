#include "declfile/retif/RetifSelection.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"
#include "shell/ugFuncoes.h"

namespace declfile {

void RetifSelection::AddEstablishment(const QString& year, const QString& inscription, const QString& prefix,
                                      bool hasEmployees) {
    RetifEstablishment e;
    e.year = year;
    e.inscription = inscription;
    e.prefix = prefix;
    e.line = int(entries_.size());
    e.hasEmployees = hasEmployees;
    entries_.append(e);
}

void RetifSelection::Release() {
    entries_.clear();
    current_ = -1;
}

bool RetifSelection::CurrentLacksContracts() const {
    if (current_ < 0 || current_ >= entries_.size()) return false;
    const RetifEstablishment& e = entries_.at(current_);
    return e.chosen && e.hasEmployees && e.contracts.isEmpty();
}

void RetifSelection::UnchooseCurrent() {
    if (current_ < 0 || current_ >= entries_.size()) return;
    entries_[current_].chosen = false;
    entries_[current_].contracts.clear();
}

RetifSelection::Outcome RetifSelection::EstablishmentTicked(int line, bool ticked) {
    Outcome out;
    if (line < 0 || line >= entries_.size()) return out;  // no current line: nothing
    if (current_ != line && CurrentLacksContracts()) {
        out.untickLine = current_;
        UnchooseCurrent();
    }
    RetifEstablishment& e = entries_[line];
    if (ticked) {
        out.loadContracts = true;
        e.chosen = true;
    } else {
        e.contracts.clear();
        e.chosen = false;
    }
    current_ = line;
    return out;
}

void RetifSelection::ContractTicked(int line, bool ticked, const QStringList& key) {
    if (current_ < 0) return;
    QList<RetifContract>& contracts = entries_[current_].contracts;
    for (int i = 0; i < contracts.size(); ++i) {
        if (contracts.at(i).line != line) continue;
        if (!ticked) contracts.removeAt(i);
        return;  // held already
    }
    if (ticked) contracts.append({key, line});
}

void RetifSelection::ChooseAllContracts(const QList<QStringList>& keys) {
    if (current_ < 0) return;
    QList<RetifContract>& contracts = entries_[current_].contracts;
    contracts.clear();
    for (int i = 0; i < keys.size(); ++i) contracts.append({keys.at(i), i});
}

void RetifSelection::ChooseNoContract() {
    if (current_ >= 0) entries_[current_].contracts.clear();
}

QList<int> RetifSelection::ChosenLines() const {
    QList<int> lines;
    if (current_ < 0) return lines;
    for (const RetifContract& c : entries_.at(current_).contracts) lines << c.line;
    return lines;
}

QStringList RetifContractColumns() { return DeclarationTables::ContractKey().mid(3); }

namespace {

// Copies rows column by column, the columns matched by name once.
class RowCopier {
public:
    RowCopier(db::Table& source, db::Table& target) : source_(source), target_(target) {
        for (int i = 0; i < target.FieldCount(); ++i)
            if (db::Field* from = source.FindField(target.Fields(i).FieldName())) pairs_.append(qMakePair(from, &target.Fields(i)));
    }
    // Appends to the target the source's current row.
    void Copy() {
        target_.Append();
        for (const auto& [from, to] : pairs_) to->SetAsString(from->AsString());
        target_.Post();
    }

private:
    db::Table& source_;
    db::Table& target_;
    QList<QPair<db::Field*, db::Field*>> pairs_;
};

}  // namespace

bool CopySelectionToWork(const RetifSelection& selection, const std::shared_ptr<db::Database>& database) {
    db::Table bdResp(database, QStringLiteral("bd8resp.DB"));
    db::Table bdEmp(database, QStringLiteral("Bd8emp.DB"));
    db::Table bdVinc(database, QStringLiteral("Bd8vinc.DB"));
    db::Table teResp(database, QStringLiteral("Te8resp.db"));
    db::Table teEmp(database, QStringLiteral("Te8emp.db"));
    db::Table teVinc(database, QStringLiteral("Te8vinc.db"));
    teEmp.SetExclusive(true);
    teVinc.SetExclusive(true);
    for (db::Table* t : {&bdResp, &bdEmp, &bdVinc, &teResp, &teEmp, &teVinc}) t->Open();

    QString failure;
    {
        db::Transaction tx(*database);
        teResp.EmptyTable();
        teEmp.EmptyTable();
        teVinc.EmptyTable();
        RowCopier resp(bdResp, teResp), emp(bdEmp, teEmp), vinc(bdVinc, teVinc);
        bdResp.First();
        if (!bdResp.Eof()) resp.Copy();
        for (int i = 0; i < selection.Count() && failure.isEmpty(); ++i) {
            const RetifEstablishment& e = selection.Entry(i);
            if (!e.chosen) continue;
            if (!bdEmp.FindKey(e.Key())) {
                failure = QStringLiteral("1925");
                break;
            }
            emp.Copy();
            for (const RetifContract& c : e.contracts) {
                if (!bdVinc.FindKey(e.Key() + c.key)) {
                    failure = QStringLiteral("1925");
                    break;
                }
                try {
                    vinc.Copy();
                } catch (const db::DbError& error) {
                    if (error.kind() != db::ErrorKind::KeyViolation) throw;
                    teVinc.Cancel();
                    failure = QStringLiteral("1926");
                    break;
                }
            }
        }
        if (failure.isEmpty()) tx.commit();
    }
    for (db::Table* t : {&bdResp, &bdEmp, &bdVinc, &teResp, &teEmp, &teVinc}) t->Close();
    if (failure.isEmpty()) return true;
    ShowMessageByCode(failure);
    return false;
}

}  // namespace declfile
