#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// Engine-style error codes, as the error boxes print them.
enum EngineCode : int {
    kGeneralError = 8449,      // read/write failure on a table file
    kWriteError = 8450,
    kTableNotFound = 10024,    // table does not exist
    kTableBusy = 10243,        // table is busy (held exclusively elsewhere)
    kKeyViolation = 9729,      // duplicate key in a unique index
    kValidityCheck = 9730,     // a value a check of the table refuses
    kFieldRequired = 9732,     // a required field left without a value
    kMasterMissing = 9733,     // a reference to a row that does not exist
    kTableCorrupt = 12033,     // file is not a readable table
    kNotEditing = 10756,       // dataset not in edit or insert mode
    kFieldNotFound = 10499,
    kSqlError = 11998,
};

enum class ErrorKind { KeyViolation, Constraint, Busy, Io, NotFound, Corrupt, Usage, Sql };

// The one exception type of the table store. It carries the code and text that
// the fatal-error box prints ("Erro BDE" + code).
class DbError : public std::runtime_error {
public:
    DbError(ErrorKind kind, int code, const QString& text)
        : std::runtime_error(text.toStdString()), kind_(kind), code_(code), text_(text) {}
    ErrorKind kind() const { return kind_; }
    int code() const { return code_; }
    const QString& text() const { return text_; }
    // A write refused because the disk holding the table is full.
    bool diskFull() const { return diskFull_; }
    DbError& setDiskFull() {
        diskFull_ = true;
        return *this;
    }
    // A write, or the lock beside a table, refused because this user may not
    // write there (a read-only folder or file, no permission).
    bool noWriteAccess() const { return noWriteAccess_; }
    DbError& setNoWriteAccess() {
        noWriteAccess_ = true;
        return *this;
    }

private:
    ErrorKind kind_;
    int code_;
    QString text_;
    bool diskFull_ = false;
    bool noWriteAccess_ = false;
};

}  // namespace db
