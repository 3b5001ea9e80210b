#include "Database.h"
#include "Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <map>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace db {

namespace {

quint64 inodeOf(const QString& path) {
    struct stat st {};
    if (::stat(path.toUtf8().constData(), &st) != 0) return 0;
    return quint64(st.st_ino);
}

// SQLite attaches at most this many files to one connection.
constexpr int kMaxAttached = 10;

QString tableNotFoundText(const QString& path) {
    return QStringLiteral("Table does not exist.\nTable: %1").arg(QDir::toNativeSeparators(path));
}

ErrorKind kindOf(int rc) {
    switch (rc & 0xff) {
    case SQLITE_CONSTRAINT: return ErrorKind::KeyViolation;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ErrorKind::Busy;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return ErrorKind::Corrupt;
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM: return ErrorKind::Io;
    default: return ErrorKind::Sql;
    }
}

}  // namespace

QString quoted(const QString& identifier) {
    QString s = identifier;
    s.replace('"', QStringLiteral("\"\""));
    return '"' + s + '"';
}

int TableDef::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

const IndexDef* TableDef::primaryIndex() const {
    for (const auto& ix : indexes)
        if (ix.primary) return &ix;
    return nullptr;
}

const IndexDef* TableDef::index(const QString& name) const {
    for (const auto& ix : indexes)
        if (ix.name.compare(name, Qt::CaseInsensitive) == 0) return &ix;
    return nullptr;
}

std::shared_ptr<Database> Database::forFolder(const QString& folder) {
    static QMutex mutex;
    static std::map<QString, std::weak_ptr<Database>> open;
    QMutexLocker lock(&mutex);
    const QString key = QDir(folder).absolutePath();
    auto& slot = open[key];
    if (auto existing = slot.lock()) return existing;
    auto made = std::make_shared<Database>(key);
    slot = made;
    return made;
}

bool RecoverHotJournal(const QString& path) {
    if (!QFileInfo::exists(path + QStringLiteral("-journal"))) return true;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.read(16) != QByteArrayLiteral("SQLite format 3\0")) return true;
    f.close();
    sqlite3* c = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &c, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_busy_timeout(c, 2000);
        ok = sqlite3_exec(c, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    sqlite3_close_v2(c);
    return ok;
}

void Database::RecoverAfterCrash(const QString& folder) {
    const QDir dir(folder);
    bool recovered = true;
    const QString suffix = QStringLiteral("-journal");
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.endsWith(suffix)) recovered = RecoverHotJournal(dir.filePath(name.chopped(suffix.size()))) && recovered;
    // A super-journal that a crash left before any table's journal named it,
    // or after every table was played back: nothing refers to it any more.
    if (!recovered) return;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.startsWith(MainFileName() + QStringLiteral("-mj"))) QFile::remove(dir.filePath(name));
}

Database::Database(const QString& folder) : folder_(QDir(folder).absolutePath()) {}

Database::~Database() = default;

namespace {

// A main database file that SQLite can read; an unreadable one (not ours any
// more) is made anew, and a folder that takes no file gives none.
sqlite3* openMainFile(const QString& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        sqlite3* c = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &c,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc == SQLITE_OK &&
            sqlite3_exec(c, "SELECT count(*) FROM main.sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK)
            return c;
        sqlite3_close_v2(c);
        if (QFileInfo(path).isDir() || !QFile::remove(path)) break;
    }
    return nullptr;
}

}  // namespace

Connection::Connection(Database& owner, const QString& mainFile) : owner_(owner) {
    if (!mainFile.isEmpty()) {
        conn_ = openMainFile(mainFile);
        if (!conn_ && ::access(QFile::encodeName(owner.folder()).constData(), W_OK) == 0)
            owner.mainFileProblem_ = mainFile;
    }
    if (!conn_) {
        // Without a main file (a read-only folder) each table file commits on its own.
        const int rc = sqlite3_open_v2(":memory:", &conn_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr);
        if (rc != SQLITE_OK) fail(rc, QStringLiteral(":memory:"));
    }
    sqlite3_busy_timeout(conn_, 250);
    RegisterCopyFunction(conn_);
}

Connection::~Connection() {
    finalizeStatements();
    if (inTransaction || snapshot) sqlite3_exec(conn_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(conn_);
}

void Connection::fail(int rc, const QString& context) const {
    const ErrorKind kind = kindOf(rc);
    QString detail = conn_ ? QString::fromUtf8(sqlite3_errmsg(conn_)) : QString();
    switch (kind) {
    case ErrorKind::KeyViolation: {
        // Only a duplicate in a unique index is a key violation; the other
        // constraints say what they refused.
        const int extended = conn_ && (sqlite3_extended_errcode(conn_) & 0xff) == SQLITE_CONSTRAINT
                                 ? sqlite3_extended_errcode(conn_)
                                 : rc;
        switch (extended) {
        case SQLITE_CONSTRAINT_NOTNULL:
            throw DbError(ErrorKind::Constraint, kFieldRequired,
                          QStringLiteral("Field value required: %1\n%2").arg(detail, context));
        case SQLITE_CONSTRAINT_CHECK:
            throw DbError(ErrorKind::Constraint, kValidityCheck,
                          QStringLiteral("Validity check failed: %1\n%2").arg(detail, context));
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            throw DbError(ErrorKind::Constraint, kMasterMissing,
                          QStringLiteral("Master record missing: %1\n%2").arg(detail, context));
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_ROWID:
            throw DbError(kind, kKeyViolation, QStringLiteral("Key violation.\n%1").arg(context));
        default:
            throw DbError(ErrorKind::Constraint, kValidityCheck,
                          QStringLiteral("Validity check failed: %1\n%2").arg(detail, context));
        }
    }
    case ErrorKind::Busy:
        throw DbError(kind, kTableBusy, QStringLiteral("Table is busy.\n%1").arg(context));
    case ErrorKind::Corrupt:
        throw DbError(kind, kTableCorrupt, QStringLiteral("Corrupt table/index header.\n%1").arg(context));
    case ErrorKind::Io: {
        DbError e(kind, kWriteError, QStringLiteral("I/O error: %1\n%2").arg(detail, context));
        if ((rc & 0xff) == SQLITE_FULL) e.setDiskFull();
        if ((rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_PERM) e.setNoWriteAccess();
        throw e;
    }
    default:
        throw DbError(kind, kSqlError, QStringLiteral("%1\n%2").arg(detail, context));
    }
}

QString Database::stemOf(const QString& fileName) const {
    QString name = QFileInfo(fileName).fileName();
    const int dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) : name;
}

QString Database::resolve(const QString& fileName) const {
    // Every read of a table resolves its name: a name found once is kept, as
    // a listing of the folder per read would cost more than the read.
    const auto known = resolved_.constFind(fileName);
    if (known != resolved_.constEnd()) return *known;
    QString name = QFileInfo(fileName).fileName();
    if (!name.contains('.')) name += QStringLiteral(".db");
    const QDir dir(folder_);
    QString path;
    if (dir.exists(name)) {
        path = dir.filePath(name);
    } else {
        // Names in another letter case: remembered, since listing the folder on
        // every access would cost more than the access itself.
        const QString lower = name.toLower();
        auto cached = caseNames_.constFind(lower);
        if (cached == caseNames_.constEnd() || !dir.exists(*cached)) {
            caseNames_.clear();
            for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) caseNames_.insert(entry.toLower(), entry);
            cached = caseNames_.constFind(lower);
        }
        if (cached != caseNames_.constEnd()) path = dir.filePath(*cached);
    }
    if (path.isEmpty()) return dir.filePath(name);
    resolved_.insert(fileName, path);
    return path;
}

void Database::forgetResolved(const QString& path) const {
    for (auto it = resolved_.begin(); it != resolved_.end();)
        it = it.value() == path ? resolved_.erase(it) : std::next(it);
}

bool Database::tableExists(const QString& fileName) const {
    const QString path = resolve(fileName);
    if (QFileInfo::exists(path)) return true;
    // Gone, or replaced under another letter case by someone else.
    forgetResolved(path);
    return QFileInfo::exists(resolve(fileName));
}

void Connection::finalizeStatements() {
    for (sqlite3_stmt* st : std::as_const(statements_)) sqlite3_finalize(st);
    statements_.clear();
    for (sqlite3_stmt* st : std::as_const(own_)) sqlite3_finalize(st);
    own_.clear();
    ++statementEpoch_;
}

void Connection::detach(const QString& path) {
    auto it = attached_.find(path);
    if (it == attached_.end()) return;
    finalizeStatements();
    const QString sql = QStringLiteral("DETACH DATABASE %1").arg(it->schema);
    const int rc = sqlite3_exec(conn_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc, path);
    attached_.erase(it);
    lastUse_.remove(path);
}

void Connection::makeRoom() {
    if (attached_.size() < kMaxAttached) return;
    // Oldest first; inside a transaction a file it has touched stays attached.
    QList<QPair<quint64, QString>> byAge;
    for (auto it = lastUse_.cbegin(); it != lastUse_.cend(); ++it) byAge << qMakePair(it.value(), it.key());
    std::sort(byAge.begin(), byAge.end());
    for (const auto& [use, path] : byAge) {
        if (!inTransaction) {
            detach(path);
            return;
        }
        try {
            detach(path);
            return;
        } catch (const DbError&) {
        }
    }
    throw DbError(ErrorKind::Usage, kGeneralError, QStringLiteral("Too many tables in one transaction."));
}

const Connection::Attached& Connection::attach(const QString& fileName) {
    QString path = owner_.resolve(fileName);
    if (snapshot) {
        // Nothing replaces the read-only files during a snapshot.
        auto held = attached_.find(path);
        if (held != attached_.end()) return *held;
    }
    quint64 inode = inodeOf(path);
    if (inode == 0) {
        owner_.forgetResolved(path);
        path = owner_.resolve(fileName);
        inode = inodeOf(path);
    }
    auto it = attached_.find(path);
    if (it != attached_.end()) {
        if (it->inode == inode) {
            lastUse_[path] = ++useClock_;
            return *it;
        }
        // Another connection replaced or deleted the file since.
        detach(path);
    }
    if (inode == 0)
        throw DbError(ErrorKind::NotFound, kTableNotFound, tableNotFoundText(path));
    makeRoom();
    Attached a;
    a.schema = QStringLiteral("t%1").arg(nextSchema_++);
    a.path = path;
    a.inode = inode;
    sqlite3_stmt* st = nullptr;
    QString sql = QStringLiteral("ATTACH DATABASE ? AS %1").arg(a.schema);
    int rc = sqlite3_prepare_v2(conn_, sql.toUtf8().constData(), -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray p = path.toUtf8();
        sqlite3_bind_text(st, 1, p.constData(), p.size(), SQLITE_TRANSIENT);
        rc = sqlite3_step(st);
        if (rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_OK) fail(rc, path);
    attached_.insert(path, a);
    lastUse_[path] = ++useClock_;
    // Reading the schema now turns a damaged file into an error here, not later.
    sql = QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' LIMIT 1")
              .arg(a.schema);
    st = nullptr;
    rc = sqlite3_prepare_v2(conn_, sql.toUtf8().constData(), -1, &st, nullptr);
    QString table;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) table = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_OK || table.isEmpty()) {
        const int code = rc == SQLITE_OK ? SQLITE_CORRUPT : rc;
        try { detach(path); } catch (...) {}
        fail(code, path);
    }
    attached_[path].table = table;
    return attached_[path];
}

QStringList Database::attachAllNamedIn(const QString& sql) {
    QStringList paths;
    static const QRegularExpression word(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
    const QStringList entries = QDir(folder_).entryList(QDir::Files);
    QHash<QString, QString> byStem;
    for (const QString& e : entries) {
        const QString lower = e.toLower();
        if (lower.endsWith(QStringLiteral(".db"))) byStem.insert(lower.left(lower.size() - 3), e);
    }
    QSet<QString> seen;
    for (auto m = word.globalMatch(sql); m.hasNext();) {
        const QString w = m.next().captured(0).toLower();
        if (seen.contains(w)) continue;
        seen.insert(w);
        auto it = byStem.find(w);
        if (it != byStem.end()) paths << attach(*it).path;
    }
    return paths;
}

sqlite3_stmt* Connection::prepare(const QString& sql) {
    auto it = statements_.find(sql);
    if (it != statements_.end()) {
        sqlite3_reset(*it);
        sqlite3_clear_bindings(*it);
        return *it;
    }
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v2(conn_, sql.toUtf8().constData(), -1, &st, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
    statements_.insert(sql, st);
    return st;
}

sqlite3_stmt* Connection::prepareOwn(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v3(conn_, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
    own_.insert(st);
    return st;
}

void Connection::releaseOwn(sqlite3_stmt* statement) {
    if (own_.remove(statement)) sqlite3_finalize(statement);
}

void Connection::exec(const QString& sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(conn_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK) fail(rc, sql);
}

// Indexes and tables share one name space in SQLite, and an index may carry
// its table's name ("Te8vinc"): the stored name has a prefix of its own.
static const QString kIndexPrefix = QStringLiteral("~");

static QString columnSql(const FieldDef& f) {
    if (f.type == FieldType::Boolean) return quoted(f.name) + QStringLiteral(" BOOLEAN NOT NULL DEFAULT 0");
    return quoted(f.name) + QStringLiteral(" TEXT(%1) NOT NULL DEFAULT ''").arg(f.width);
}

static QString indexSql(const QString& schema, const QString& table, const IndexDef& ix) {
    QStringList cols;
    for (const QString& c : ix.fields)
        cols << quoted(c) + (ix.caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString());
    return QStringLiteral("CREATE %1INDEX %2.%3 ON %4 (%5)")
        .arg(ix.primary ? QStringLiteral("UNIQUE ") : QString(), schema, quoted(kIndexPrefix + ix.name), quoted(table),
             cols.join(QStringLiteral(", ")));
}

void Database::createTable(const TableDef& def) {
    const QString path = resolve(def.fileName);
    if (QFileInfo::exists(path)) dropTable(def.fileName);
    const QString target = QDir(folder_).filePath(QFileInfo(def.fileName).fileName().contains('.')
                                                      ? QFileInfo(def.fileName).fileName()
                                                      : def.fileName + QStringLiteral(".db"));
    // Build the file aside and move it in, so a failure leaves no half table.
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    sqlite3* c = nullptr;
    int rc = sqlite3_open_v2(temp.toUtf8().constData(), &c, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString sql;
    if (rc == SQLITE_OK) {
        QStringList cols;
        for (const auto& f : def.fields) cols << columnSql(f);
        const QString table = stemOf(def.fileName);
        // The file is of use only once it is moved in whole: no journal.
        sql = QStringLiteral("PRAGMA journal_mode=OFF; BEGIN; CREATE TABLE %1 (%2);")
                  .arg(quoted(table), cols.join(QStringLiteral(", ")));
        for (const auto& ix : def.indexes) sql += indexSql(QStringLiteral("main"), table, ix) + ';';
        sql += QStringLiteral("COMMIT;");
        rc = sqlite3_exec(c, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    QString detail = c ? QString::fromUtf8(sqlite3_errmsg(c)) : QString();
    sqlite3_close_v2(c);
    if (rc != SQLITE_OK || !QFile::rename(temp, target)) {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
        if (kindOf(rc) == ErrorKind::Sql)
            throw DbError(ErrorKind::Sql, kSqlError, detail + '\n' + target);
        DbError e(ErrorKind::Io, kWriteError, QStringLiteral("Cannot create table.\n%1").arg(target));
        if ((rc & 0xff) == SQLITE_FULL) e.setDiskFull();
        if ((rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_PERM) e.setNoWriteAccess();
        throw e;
    }
}

void Database::dropTable(const QString& fileName) {
    const QString path = resolve(fileName);
    if (!QFileInfo::exists(path)) return;
    {
        TableLock lock(path, true);  // refuses while another dataset has it open
    }
    detachEverywhere(path);
    forgetResolved(path);
    if (!QFile::remove(path))
        throw DbError(ErrorKind::Io, kWriteError, QStringLiteral("Cannot delete table.\n%1").arg(path));
    QFile::remove(path + QStringLiteral("-journal"));
}

void Database::detachEverywhere(const QString& path) {
    main_.detach(path);
    for (auto& reader : readers_) reader->detach(path);
}

Connection& Database::readerFor(const QString& fileName) {
    const QString path = resolve(fileName);
    const auto known = readerOf_.constFind(path);
    if (known != readerOf_.constEnd()) return **known;
    if (readers_.empty() || readers_.back()->assigned >= kMaxAttached) {
        readers_.push_back(std::make_unique<Connection>(*this));
        if (snapshot_) {
            readers_.back()->exec(QStringLiteral("BEGIN"));
            readers_.back()->snapshot = true;
        }
    }
    Connection& reader = *readers_.back();
    ++reader.assigned;
    readerOf_.insert(path, &reader);
    return reader;
}

void Database::beginReadSnapshot() {
    if (snapshot_) return;
    ++snapshotNumber_;
    for (auto& reader : readers_) {
        reader->exec(QStringLiteral("BEGIN"));
        reader->snapshot = true;
    }
    snapshot_ = true;
}

void Database::endReadSnapshot() {
    if (!snapshot_) return;
    snapshot_ = false;
    for (auto& reader : readers_) {
        if (!reader->snapshot) continue;
        reader->snapshot = false;
        reader->exec(QStringLiteral("COMMIT"));
    }
}

void Database::emptyTable(const QString& fileName) {
    const Attached& a = attach(fileName);
    exec(QStringLiteral("DELETE FROM %1.%2").arg(a.schema, quoted(a.table)));
    noteChange();
}

TableDef Database::tableDef(const QString& fileName) {
    const Attached a = attach(fileName);
    TableDef def;
    def.fileName = QFileInfo(a.path).fileName();
    sqlite3_stmt* st = prepare(QStringLiteral("PRAGMA %1.table_info(%2)").arg(a.schema, quoted(a.table)));
    static const QRegularExpression widthRe(QStringLiteral("\\((\\d+)\\)"));
    while (sqlite3_step(st) == SQLITE_ROW) {
        FieldDef f;
        f.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))).toUpper();
        if (type.startsWith(QStringLiteral("BOOL"))) {
            f.type = FieldType::Boolean;
        } else {
            const auto m = widthRe.match(type);
            f.width = m.hasMatch() ? m.captured(1).toInt() : 255;
        }
        def.fields << f;
    }
    sqlite3_reset(st);
    def.indexes = indexes(fileName);
    return def;
}

QList<IndexDef> Database::indexes(const QString& fileName) {
    const Attached a = attach(fileName);
    QList<IndexDef> result;
    QList<QPair<QString, bool>> names;
    sqlite3_stmt* st = prepare(QStringLiteral("PRAGMA %1.index_list(%2)").arg(a.schema, quoted(a.table)));
    while (sqlite3_step(st) == SQLITE_ROW)
        names << qMakePair(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))),
                           sqlite3_column_int(st, 2) != 0);
    sqlite3_reset(st);
    // The pragma lists the newest index first; give them in creation order.
    std::reverse(names.begin(), names.end());
    for (const auto& [name, unique] : names) {
        if (!name.startsWith(kIndexPrefix)) continue;
        IndexDef ix;
        ix.name = name.mid(kIndexPrefix.size());
        ix.primary = unique;
        sqlite3_stmt* cols = prepare(QStringLiteral("PRAGMA %1.index_xinfo(%2)").arg(a.schema, quoted(name)));
        while (sqlite3_step(cols) == SQLITE_ROW) {
            if (sqlite3_column_int(cols, 5) == 0) continue;  // the rowid tail
            ix.fields << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(cols, 2)));
            const QString coll = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(cols, 4)));
            if (coll.compare(QStringLiteral("NOCASE"), Qt::CaseInsensitive) == 0) ix.caseInsensitive = true;
        }
        sqlite3_reset(cols);
        result << ix;
    }
    // The primary index comes first, as the engine lists it.
    std::stable_partition(result.begin(), result.end(), [](const IndexDef& i) { return i.primary; });
    return result;
}

bool Database::indexExists(const QString& fileName, const QString& indexName) {
    for (const auto& ix : indexes(fileName))
        if (ix.name.compare(indexName, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void Database::addIndex(const QString& fileName, const IndexDef& index) {
    const Attached a = attach(fileName);
    main_.finalizeStatements();
    for (auto& reader : readers_) reader->finalizeStatements();
    exec(indexSql(a.schema, a.table, index));
    noteChange();
}

void Database::dropIndex(const QString& fileName, const QString& indexName) {
    const Attached a = attach(fileName);
    QString stored;
    for (const auto& ix : indexes(fileName))
        if (ix.name.compare(indexName, Qt::CaseInsensitive) == 0) stored = ix.name;
    if (stored.isEmpty()) return;
    main_.finalizeStatements();
    for (auto& reader : readers_) reader->finalizeStatements();
    exec(QStringLiteral("DROP INDEX %1.%2").arg(a.schema, quoted(kIndexPrefix + stored)));
    noteChange();
}

void Database::startTransaction() {
    if (main_.inTransaction)
        throw DbError(ErrorKind::Usage, kGeneralError, QStringLiteral("A transaction is already active."));
    exec(QStringLiteral("BEGIN"));
    main_.inTransaction = true;
    ++main_.transactionNumber;
}

void Database::commit() {
    if (!main_.inTransaction) return;
    exec(QStringLiteral("COMMIT"));
    main_.inTransaction = false;
}

void Database::rollback() {
    if (!main_.inTransaction) return;
    main_.inTransaction = false;
    main_.finalizeStatements();
    exec(QStringLiteral("ROLLBACK"));
    noteChange();
}

namespace {
QString lockPathOf(const QString& tablePath) {
    const QFileInfo info(tablePath);
    return info.dir().filePath(QStringLiteral(".") + info.fileName().toLower() + QStringLiteral(".lock"));
}
QHash<QString, int>& heldHere() {
    static QHash<QString, int> held;
    return held;
}
}  // namespace

bool TableLock::HeldHere(const QString& tablePath) { return heldHere().value(lockPathOf(tablePath)) > 0; }

namespace {
// Every user of the folder must be able to open a lock file: one made under
// the usual umask is opened for reading by the others, which is all flock
// needs, and one made now is opened to all of them.
int openLockFile(const QString& lockPath) {
    const QByteArray path = QFile::encodeName(lockPath);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 0666) != 0666) ::fchmod(fd, 0666);
        return fd;
    }
    return ::open(path.constData(), O_RDONLY | O_CLOEXEC);
}
}  // namespace

TableLock::TableLock(const QString& tablePath, bool exclusive) {
    // A lock file beside the table: SQLite's own POSIX locks on the table file
    // would be dropped by closing another descriptor of it.
    const QString lockPath = lockPathOf(tablePath);
    fd_ = openLockFile(lockPath);
    if (fd_ < 0) {
        // A folder that takes no file, without a lock file yet: nobody can
        // write there, and reading needs no lock (as the engine would).
        const QString folder = QFileInfo(lockPath).absolutePath();
        if (!QFileInfo::exists(lockPath) && ::access(QFile::encodeName(folder).constData(), W_OK) != 0) return;
        // Any other lock that cannot be taken refuses the table: going on
        // without it would let a write pass a table held exclusively.
        throw DbError(ErrorKind::Busy, kTableBusy,
                      QStringLiteral("Table cannot be locked.\nLock: %1\nTable: %2")
                          .arg(QDir::toNativeSeparators(lockPath), QDir::toNativeSeparators(tablePath)))
            .setNoWriteAccess();
    }
    if (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
        throw DbError(ErrorKind::Busy, kTableBusy,
                      QStringLiteral("Table is busy.\nTable: %1").arg(QDir::toNativeSeparators(tablePath)));
    }
    lockPath_ = lockPath;
    ++heldHere()[lockPath_];
}

TableLock::~TableLock() {
    if (fd_ < 0) return;
    ::close(fd_);
    if (--heldHere()[lockPath_] <= 0) heldHere().remove(lockPath_);
}

FolderUse::FolderUse(const QString& folder)
    : fd_(openLockFile(QDir(folder).filePath(QStringLiteral(".lobrix-in-use")))) {}

FolderUse::~FolderUse() {
    if (fd_ >= 0) ::close(fd_);
}

bool FolderUse::TakeAlone() { return fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }

void FolderUse::Share() {
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_SH) != 0 && errno == EINTR) {
    }
}

}  // namespace db
