#pragma once
#include "DbError.h"
#include "TableDef.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Database;

// One SQLite connection that attaches the table files of a folder as they are
// used, at most ten at a time.
class Connection {
public:
    struct Attached {
        QString schema;     // "t3"
        QString table;      // the table's name inside its file
        QString path;
        quint64 inode = 0;  // the file attached; a replaced file is attached anew
    };
    // mainFile: the connection's own main database (empty: in memory).
    explicit Connection(Database& owner, const QString& mainFile = QString());
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const Attached& attach(const QString& fileName);
    void detach(const QString& path);
    sqlite3_stmt* prepare(const QString& sql);   // cached; reset before reuse
    // A statement of one holder alone, whose bindings nobody else changes
    // between its steps; finalized by releaseOwn, or with all the others
    // (the epoch changes then, and it must not be released any more).
    sqlite3_stmt* prepareOwn(const QString& sql);
    void releaseOwn(sqlite3_stmt* statement);
    void exec(const QString& sql);
    void finalizeStatements();
    // Changes whenever the statements prepared so far are finalized, so that
    // a holder of one knows when to prepare it again.
    quint64 statementEpoch() const { return statementEpoch_; }
    sqlite3* handle() const { return conn_; }
    [[noreturn]] void fail(int rc, const QString& context) const;
    bool inTransaction = false;
    quint64 transactionNumber = 0;  // counts the transactions begun
    bool snapshot = false;   // a reader inside a read snapshot
    int assigned = 0;        // files given to this reader

private:
    void makeRoom();
    Database& owner_;
    sqlite3* conn_ = nullptr;
    QHash<QString, Attached> attached_;      // by path
    QHash<QString, quint64> lastUse_;
    QHash<QString, sqlite3_stmt*> statements_;
    QSet<sqlite3_stmt*> own_;
    quint64 useClock_ = 0;
    quint64 statementEpoch_ = 0;
    int nextSchema_ = 0;
};

// A folder of table files, one SQLite file per table, reached through one
// connection that attaches the files as they are used (and a second one for
// the read-only lookup tables, so that a long transaction never runs out of
// attachments). There is one Database
// per folder in the process, so every table and query of a folder sees the
// same transaction.
class Database {
public:
    static std::shared_ptr<Database> forFolder(const QString& folder);
    explicit Database(const QString& folder);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& folder() const { return folder_; }

    // The writing connection's own main database in the folder: SQLite keeps
    // the super-journal of a transaction over several table files beside it,
    // which makes their commit atomic. It is no table of the program.
    static QString MainFileName() { return QStringLiteral(".lobrix-main"); }
    // The main file's path when it could not be opened in a folder that
    // takes files (a folder or another user's file in its place): each table
    // file then commits on its own. Empty when all is well, or when the folder
    // is read-only and nothing can be written anyway.
    const QString& MainFileProblem() const { return mainFileProblem_; }
    // Rolls back what a crash left in the journal of every table file of the
    // folder, then removes the super-journals that no journal needs any more.
    static void RecoverAfterCrash(const QString& folder);

    // The path of a table file in the folder, matched without regard to
    // letter case; a name without extension gets ".db".
    QString resolve(const QString& fileName) const;
    bool tableExists(const QString& fileName) const;
    // Drops the names resolved to this path (the file went away).
    void forgetResolved(const QString& path) const;

    void createTable(const TableDef& def);   // replaces a table of that name
    void dropTable(const QString& fileName);
    void emptyTable(const QString& fileName);
    TableDef tableDef(const QString& fileName);  // as stored in the file

    void addIndex(const QString& fileName, const IndexDef& index);
    void dropIndex(const QString& fileName, const QString& indexName);
    bool indexExists(const QString& fileName, const QString& indexName);
    QList<IndexDef> indexes(const QString& fileName);

    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return main_.inTransaction; }

    // For the datasets of this layer.
    using Attached = Connection::Attached;
    // The read-only tables are spread over reader connections of at most
    // ten files each, so that none of them ever has to detach a file.
    Connection& connection(bool readOnly = false, const QString& fileName = QString()) {
        return readOnly ? readerFor(fileName) : main_;
    }

    // While a read snapshot is held the read-only tables are read inside one
    // transaction per reader: no file locking or file checks per read. Nothing
    // may write those tables meanwhile (the program never does).
    void beginReadSnapshot();
    void endReadSnapshot();
    bool inReadSnapshot() const { return snapshot_; }
    quint64 snapshotNumber() const { return snapshotNumber_; }
    const Attached& attach(const QString& fileName) { return main_.attach(fileName); }
    // Attaches the table files the text names; their paths.
    QStringList attachAllNamedIn(const QString& sql);
    sqlite3_stmt* prepare(const QString& sql) { return main_.prepare(sql); }
    void exec(const QString& sql) { main_.exec(sql); }
    sqlite3* handle() const { return main_.handle(); }
    quint64 changeCount() const { return changes_; }
    void noteChange() { ++changes_; }
    [[noreturn]] void fail(int rc, const QString& context) const { main_.fail(rc, context); }

private:
    friend class Connection;
    void detachEverywhere(const QString& path);
    QString stemOf(const QString& fileName) const;

    QString folder_;
    mutable QHash<QString, QString> resolved_;   // name as asked -> path found
    mutable QHash<QString, QString> caseNames_;  // lower-case file name -> name on disk
    QString mainFileProblem_;  // set while main_ is made
    Connection main_{*this, folder_ + QLatin1Char('/') + MainFileName()};
    Connection& readerFor(const QString& fileName);
    std::vector<std::unique_ptr<Connection>> readers_;
    QHash<QString, Connection*> readerOf_;  // by path
    bool snapshot_ = false;
    quint64 snapshotNumber_ = 0;
    quint64 changes_ = 0;
};

// Starts a transaction and rolls it back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db) : db_(db) { db_.startTransaction(); }
    ~Transaction() {
        if (!done_) {
            try { db_.rollback(); } catch (...) {}
        }
    }
    void commit() { db_.commit(); done_ = true; }

private:
    Database& db_;
    bool done_ = false;
};

// Holds a read snapshot of the read-only tables while it lives.
class ReadSnapshot {
public:
    explicit ReadSnapshot(std::shared_ptr<Database> db) : db_(std::move(db)) {
        if (db_) db_->beginReadSnapshot();
    }
    ~ReadSnapshot() {
        if (db_) {
            try { db_->endReadSnapshot(); } catch (...) {}
        }
    }
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    std::shared_ptr<Database> db_;
};

// Holds a table file for shared or exclusive use, across datasets and
// processes; a conflicting hold fails with a busy-table error.
class TableLock {
public:
    TableLock(const QString& tablePath, bool exclusive);
    ~TableLock();
    // True while this process holds the table in either way.
    static bool HeldHere(const QString& tablePath);
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

private:
    int fd_ = -1;
    QString lockPath_;
};

// Marks a folder as used by a running copy of the program, across processes
// and users: each copy holds it shared while it runs. A copy that finds
// itself alone may mend what an earlier run left in the folder.
class FolderUse {
public:
    explicit FolderUse(const QString& folder);
    ~FolderUse();
    FolderUse(const FolderUse&) = delete;
    FolderUse& operator=(const FolderUse&) = delete;
    // Takes the folder for this copy alone, without waiting; false when
    // another copy uses it (or its mark cannot be opened).
    bool TakeAlone();
    // Shares the folder with the other copies, waiting for one that has it
    // alone for the moment.
    void Share();

private:
    int fd_ = -1;
};

QString quoted(const QString& identifier);

// Lets SQLite play back a hot journal beside an SQLite file (a file without
// SQLite's mark is never touched); false when the file could not be read.
bool RecoverHotJournal(const QString& path);

}  // namespace db
