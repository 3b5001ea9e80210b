#pragma once
#include "platform/db/Table.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace db {
class Database;
class Table;
class Query;
class DataSet;
}  // namespace db

namespace forms {
class ProgressHost;
}

class TdmEntradaDados;

// The import of chosen establishments and their contracts from the
// analyser's working tables (Te8Emp, Te8Vinc) into BD8Emp and BD8Vinc, with
// one TE8Imp row per chosen establishment telling what happened to it.
namespace declfile {

// The table "TE8Imp.db": one row per chosen establishment, all text.
db::TableDef ImportTableDef();

// Outcome code of an establishment that could not be given a free prefix:
// every prefix of its inscription is taken.
inline const QString kCodigoSemPrefixoLivre = QStringLiteral("1506");

// The prefix after `prefix`, counting in base 36 ("0"-"9", then "A"-"Z")
// with the second character as units; "ZZ" is followed by "00".
QString NextPrefix(const QString& prefix);

// Numbers the outcome codes of a run: 1, 2, 3... in the order of their first
// appearance; the same code always gets the same number.
class CodeSequence {
public:
    QString Assign(const QString& code);  // AssignCodeSequence
    void Clear();

private:
    QList<QPair<QString, QString>> pairs_;  // newest first
    int counter_ = 0;
};

// One run of the import. Database errors pass on to the caller; the run
// itself is one transaction, so a failure leaves BD8Emp and BD8Vinc as they
// were.
class TImportacao {
public:
    TImportacao(std::shared_ptr<db::Database> database, int anoBase, int anoArquivo, bool layoutAnterior);
    ~TImportacao();
    TImportacao(const TImportacao&) = delete;
    TImportacao& operator=(const TImportacao&) = delete;

    // Working contracts copied at a time; the window is served between.
    static constexpr int kContractsPerCopy = 2048;
    // Replaces TE8Imp by an empty table.
    void CreateImportTable();
    // Adds the TE8Imp row of a chosen establishment of the file, which the
    // run writes. False (and nothing added) when its working row is not there.
    bool AddChosen(const QString& inscricao, const QString& prefixo);
    // Writes the chosen rows to TE8Imp and imports every one. `listEntries`
    // is the number of entries the user chose from (the progress per
    // establishment counts them all).
    void Run(int listEntries, forms::ProgressHost& host);

    // The first prefix from `first` on that BD8Emp does not hold for the
    // year and inscription; empty when all 1,296 are taken.
    QString FindFreePrefix(const QString& ano, const QString& inscricao, const QString& first);

private:
    struct Counters;
    std::vector<QStringList> chosen_;  // the TE8Imp rows added, not written yet
    void WriteChosen();
    // A working contract as the copy asks about it: the columns the import
    // itself looks at, as the store holds them.
    struct Contract {
        std::span<const QByteArrayView> values;
        QByteArrayView operator[](int column) const {
            return column >= 0 ? values[std::size_t(column)] : QByteArrayView();
        }
    };
    void ImportChosen(Counters& c);
    void ImportEstablishment(int year, const QString& inscricao, const QString& prefixo, Counters& c);
    bool FindExistingEstablishment(const QString& inscricao, const QString& prefixo, Counters& c);
    bool ImportContract(const Contract& source, Counters& c);
    void PlanContractColumns();
    // Each BD8Vinc column a contract fills, as the SQL that makes its value
    // from the working contract: the contracts are copied by SQLite itself,
    // never read whole into the program.
    db::Table::RangeCopy copy_;
    // Where each column the import itself looks at (the key a duplicate is
    // found by, the cause of leaving, the nationality) is among those the
    // copy asks about; -1: the working contracts have none.
    int sourcePis_ = -1, sourceAdmission_ = -1, sourceName_ = -1, sourceCause_ = -1, sourceNationality_ = -1;
    // Columns of BD8Vinc in the key a duplicate is found by and in the count
    // of foreigners, and their widths.
    int destPis_ = -1, destAdmission_ = -1, destName_ = -1, destNationality_ = -1;
    int widthPis_ = 0, widthAdmission_ = 0, widthName_ = 0, widthNationality_ = 0;
    // BD8Vinc's contracts of the inscription and prefix being imported,
    // counted as they are read and written.
    struct HeldCounts {
        bool valid = false;
        QString inscricao, prefixo;
        qint64 contracts = 0, foreign = 0;
    } held_;
    // The keys BD8Vinc holds for the establishment being imported: its
    // contracts as read before, and each one appended since.
    QSet<QByteArray> keysTaken_;
    void LoadKeysTaken(const QString& inscricao, const QString& prefixo);
    // `asStored`: the values as BD8Vinc holds them, not cut to their columns.
    QByteArray DuplicateKey(QByteArrayView pis, QByteArrayView admission, QByteArrayView name, bool withName,
                            bool asStored = false) const;
    QByteArray targetBytes_, newPrefixBytes_;  // as BD8Vinc keeps them
    void CopyEstablishmentFields(db::Table& emp);
    void WriteEstablishment(bool append, const QString& inscricao, const QString& prefixo);
    void Recount(const QString& inscricao, const QString& prefixo);
    void SetCode(Counters& c, const QString& code);
    // Copies the working contracts of an establishment that `keep` takes.
    void CopyContracts(const QString& year, const QString& inscricao, const QString& prefixo,
                       const std::function<bool(const Contract&)>& keep);

    std::shared_ptr<db::Database> db_;
    int anoBase_;
    int anoArquivo_;
    bool layoutAnterior_;
    QString target_;        // AnoBase as text: the year of every row written
    QString novoPrefixo_;   // "$$": the establishment keeps its own prefix
    bool existente_ = false;
    CodeSequence sequence_;

    std::unique_ptr<db::Table> imp_, emp_, vinc_, te8Emp_, te8Vinc_;
    std::unique_ptr<TdmEntradaDados> ownCounts_;  // quContaEmpreg, quContaEstrang without the program's module

    forms::ProgressHost* host_ = nullptr;
    bool perContract_ = false;
    double progress_ = 0;
    double stepContract_ = 0;
};

}  // namespace declfile
