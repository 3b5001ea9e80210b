#include "shell/Ugvertab.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"
#include "shell/TableFileCheck.h"
#include "shell/ugExcecao.h"
#include "platform/ui/MessageService.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The index definition as the shipped tables declare it.
db::IndexDef shippedIndex(const QString& tableFile, const QString& indexName) {
    for (const db::TableDef& t : DeclarationTables::ShippedTables()) {
        if (t.fileName.compare(tableFile, Qt::CaseInsensitive) != 0) continue;
        if (const db::IndexDef* ix = t.index(indexName)) return *ix;
    }
    return db::IndexDef{indexName, {}, indexName == QLatin1String("Main"), false};
}

void warn(const QString& text) { msg::ShowWarning(text); }

const QString kRestoreHint = QStringLiteral("Utilize a opção Utilitários, Cópia de Segurança, Restaurar.");
const QString kReinstallHint = QStringLiteral("Instale novamente o LOBRIX.");

}  // namespace

QString IndexProblemText(const QString& tableFile, const db::DbError& e) {
    const QString head = QStringLiteral("Não foi possível recriar o índice do arquivo %1:\n").arg(tableFile);
    // A backup holds only the declaration tables.
    const QString& advice = IsDeclarationTableFile(tableFile) ? kRestoreHint : kReinstallHint;
    switch (e.kind()) {
    case db::ErrorKind::Busy:
        return QStringLiteral("Nenhum usuário pode estar usando o sistema!");
    case db::ErrorKind::KeyViolation:
        return head + QStringLiteral("há registros repetidos na chave do índice.\n") + advice;
    case db::ErrorKind::NotFound:
        return head + QStringLiteral("o arquivo não foi encontrado na pasta Dados.\n") + advice;
    case db::ErrorKind::Io:
        return head + QStringLiteral("não foi possível gravar na pasta Dados (disco cheio ou sem permissão de gravação).");
    case db::ErrorKind::Corrupt:
    default:
        return head + QStringLiteral("o arquivo está danificado.\n") + advice;
    }
}

QStringList RequiredTableFiles() {
    return {
        "BD8EMP.DB",   "BD8VINC.DB",  "BD8RESP.DB", "TB8BASE.DB", "TB8CBO.DB",   "TB8CNAE.DB",  "TB8DESL.DB",
        "TB8FXCEP.DB", "TB8INSTR.DB", "TB8MSG.DB",  "TB8MUNIC.DB", "TB8NACIO.DB", "TB8RACA.DB", "TB8TPADM.DB",
        "TB8TPSAL.DB", "TBUF.DB",     "TBUFCEP.DB", "TB8VINC.DB", "TB8AFAST.DB", "tbEmpreg.db", "tbSindic.db",
        "tbTrab.db",   "PISINDEV.db", "TB8NATJU.DB", "tbDefi.DB",
    };
}

QList<StartupIndex> StartupIndexes() {
    static const char* const rows[][2] = {
        {"BD8EMP.PX", "Main"},   {"BD8VINC.PX", "Main"},  {"TB8BASE.PX", "Main"},  {"TB8CBO.PX", "Main"},
        {"TB8CNAE.PX", "Main"},  {"TB8DESL.PX", "Main"},  {"TB8FXCEP.PX", "Main"}, {"TB8INSTR.PX", "Main"},
        {"TB8MSG.PX", "Main"},   {"TB8MUNIC.PX", "Main"}, {"TB8NACIO.PX", "Main"}, {"TB8RACA.PX", "Main"},
        {"TB8TPADM.PX", "Main"}, {"TB8TPSAL.PX", "Main"}, {"TBUF.PX", "Main"},     {"TBUF.XG0", "ISgUf"},
        {"TB8VINC.PX", "Main"},  {"TB8NATJU.PX", "Main"}, {"TB8AFAST.PX", "Main"}, {"tbEmpreg.PX", "Main"},
        {"tbSindic.PX", "Main"}, {"tbTrab.PX", "Main"},   {"tbDefi.PX", "Main"},   {"PISINDEV.PX", "Main"},
    };
    QList<StartupIndex> result;
    for (const auto& r : rows) {
        const QString file = QString::fromLatin1(r[0]);
        result.append({file, shippedIndex(TableFileOfIndexFile(file), QString::fromLatin1(r[1]))});
    }
    return result;
}

QString TableFileOfIndexFile(const QString& indexFile) {
    const int dot = indexFile.indexOf(QLatin1Char('.'));
    if (dot < 0) return {};
    return indexFile.left(dot + 1) + QStringLiteral("DB");
}

namespace {
const db::TableDef* shippedTable(const QList<db::TableDef>& shipped, const QString& file) {
    for (const db::TableDef& t : shipped)
        if (t.fileName.compare(file, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}
}  // namespace

bool CheckTablesAtStartup(QString* damaged) {
    TableProblem problem;
    const bool ok = CheckTablesAtStartup(&problem);
    if (damaged && problem.kind == TableProblem::Damaged) *damaged = problem.path;
    return ok;
}

bool CheckTablesAtStartup(TableProblem* problem) {
    TableProblem none;
    TableProblem& found = problem ? *problem : none;
    found = TableProblem{};
    const QString folder = AppPaths::dataFolder();
    for (const QString& file : RequiredTableFiles()) {
        if (!QFileInfo::exists(AppPaths::findNoCase(folder, file))) {
            found.kind = TableProblem::Missing;
            return false;
        }
    }
    // Before any index is rebuilt: a foreign file must never be written into.
    const QList<db::TableDef> shipped = DeclarationTables::ShippedTables();
    for (const QString& file : RequiredTableFiles()) {
        const QString path = AppPaths::findNoCase(folder, file);
        const db::TableDef* def = shippedTable(shipped, file);
        if (!def) continue;
        const TableFileState state = CheckTableFile(path, *def, false, OlderLayoutMissingColumns(file));
        if (state == TableFileState::Matches) {
            // Another copy may hold the table through the program's own lock,
            // which the file's check does not see: the first open would fail.
            try {
                db::TableLock probe(path, false);
                continue;
            } catch (const db::DbError& e) {
                // A lock this user may not take is no other user's doing.
                if (e.noWriteAccess()) found.text = ExpectedEngineErrorText(e);
            }
        }
        found.kind = state == TableFileState::Damaged ? TableProblem::Damaged : TableProblem::InUse;
        found.path = path;
        return false;
    }
    db::Database::RecoverAfterCrash(folder);
    auto database = db::Database::forFolder(folder);
    for (const StartupIndex& si : StartupIndexes()) {
        bool present = false;
        try {
            present = database->indexExists(TableFileOfIndexFile(si.indexFile), si.index.name);
        } catch (const db::DbError&) {
            present = false;  // an unreadable file: the rebuild below reports it
        }
        if (!present) RecreateIndexFile(si.indexFile, si.index);
    }
    return true;
}

bool RecreateIndexFile(const QString& indexFile, const db::IndexDef& index) {
    return RebuildIndexIn(*db::Database::forFolder(AppPaths::dataFolder()), indexFile, index);
}

bool RebuildIndexIn(db::Database& database, const QString& indexFile, const db::IndexDef& index) {
    const QString tableFile = TableFileOfIndexFile(indexFile);
    if (tableFile.isEmpty()) {
        warn(QStringLiteral("Parâmetro TabelaIndice deve conter nome da Tabela.indice"));
        return false;
    }
    db::Table table(db::Database::forFolder(database.folder()), tableFile);
    table.SetExclusive(true);
    try {
        table.Open();
    } catch (const db::DbError& e) {
        if (e.kind() == db::ErrorKind::Busy) {
            warn(QStringLiteral("Nenhum usuário pode estar usando o sistema: \"%1\"").arg(e.text()));
            return false;
        }
        // Not in use, yet not readable as a table: say so, in place of
        // blaming another user.
        warn(IndexProblemText(tableFile, e));
        return false;
    }
    // Rows left by an interrupted run can break a unique key. The start must
    // still reach the restore of a backup, and the rebuild must not lose the
    // index it had: report and leave the table as it was.
    try {
        db::Transaction transaction(database);
        database.dropIndex(tableFile, index.name);
        database.addIndex(tableFile, index);
        transaction.commit();
    } catch (const db::DbError& e) {
        table.Close();
        warn(IndexProblemText(tableFile, e));
        return false;
    }
    table.Close();
    return true;
}

bool IsDeclarationTableFile(const QString& path) {
    return shippedTable({DeclarationTables::BD8Emp(), DeclarationTables::BD8Vinc(), DeclarationTables::BD8Resp()},
                        QFileInfo(path).fileName()) != nullptr;
}

namespace {
QString damagedHead(const QString& path) {
    return QStringLiteral("O arquivo \"%1\" está danificado ou não é a tabela que o LOBRIX espera nesse lugar.\n"
                          "O arquivo não foi alterado.\n")
        .arg(QDir::toNativeSeparators(path));
}
}  // namespace

QString DamagedTableMessage(const QString& path) {
    // A backup holds only the declaration tables: a lookup table comes back
    // with the installation alone.
    return damagedHead(path) + (IsDeclarationTableFile(path)
                                    ? QStringLiteral("Restaure a cópia de segurança mais recente da declaração "
                                                     "(Utilitários, Cópia de Segurança, Restaurar).")
                                    : QStringLiteral("Instale novamente o LOBRIX."));
}

QString DamagedTableRestoreQuestion(const QString& path) {
    return damagedHead(path) + QStringLiteral("Deseja restaurar agora a cópia de segurança mais recente da "
                                              "declaração?");
}

QString TableInUseMessage(const QString& path) {
    return QStringLiteral("Nenhum usuário pode estar usando o sistema: \"Table is busy.\nTable: %1\"")
        .arg(QDir::toNativeSeparators(path));
}
