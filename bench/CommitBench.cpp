// Transactions over the three declaration tables (one row in each, then
// commit), and small queries, through the table store against raw SQLite on
// the same files with the same durability (a main database file, a rollback
// journal, synchronous FULL). Prints the times and their ratios. Target:
// commits within 1.5 times raw SQLite. The queries show what a statement
// costs beyond SQLite's own work (attaching by name, the shared hold of its
// tables); no target.
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kCommits = 300;
constexpr int kQueries = 5000;

QString copyDados(const QTemporaryDir& dir, const char* name) {
    const QString dados = dir.filePath(QLatin1String(name));
    QDir().mkpath(dados);
    for (const char* f : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"})
        QFile::copy(QDir(LOBRIX_DADOS_TEMPLATE).filePath(QLatin1String(f)), QDir(dados).filePath(QLatin1String(f)));
    return dados;
}

void exec(sqlite3* c, const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(c, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err);
        std::exit(1);
    }
}

QString key(int i) { return QStringLiteral("%1").arg(10000000000000LL + i); }

double rawCommits(const QString& dados) {
    sqlite3* c = nullptr;
    sqlite3_open(QDir(dados).filePath(QStringLiteral(".raw-main")).toUtf8().constData(), &c);
    exec(c, QStringLiteral("ATTACH '%1' AS e; ATTACH '%2' AS v; ATTACH '%3' AS r")
                .arg(QDir(dados).filePath("Bd8emp.DB"), QDir(dados).filePath("Bd8vinc.DB"),
                     QDir(dados).filePath("bd8resp.DB")));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kCommits; ++i) {
        exec(c, QStringLiteral("BEGIN; INSERT INTO e.Bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ('2009', '%1');"
                               "INSERT INTO v.Bd8vinc (AnBase, CoCgcCeiEstabelecimento) VALUES ('2009', '%1');"
                               "INSERT INTO r.bd8resp (NoResponsavelArquivo) VALUES ('%1'); COMMIT")
                    .arg(key(i)));
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    sqlite3_close(c);
    return ms;
}

double storeCommits(const QString& dados) {
    auto database = db::Database::forFolder(dados);
    db::Table emp(database, "Bd8emp"), vinc(database, "Bd8vinc"), resp(database, "bd8resp");
    emp.Open();
    vinc.Open();
    resp.Open();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kCommits; ++i) {
        db::Transaction tr(*database);
        for (db::Table* table : {&emp, &vinc}) {
            table->Append();
            table->FieldByName("AnBase").SetAsString("2009");
            table->FieldByName("CoCgcCeiEstabelecimento").SetAsString(key(i));
            table->Post();
        }
        resp.Append();
        resp.FieldByName("NoResponsavelArquivo").SetAsString(key(i));
        resp.Post();
        tr.commit();
    }
    return double(t.nsecsElapsed()) / 1e6;
}

double rawQueries(const QString& dados) {
    sqlite3* c = nullptr;
    sqlite3_open(":memory:", &c);
    exec(c, QStringLiteral("ATTACH '%1' AS e").arg(QDir(dados).filePath("Bd8emp.DB")));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(c, "SELECT count(*) FROM e.Bd8emp WHERE AnBase = ?", -1, &st, nullptr);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kQueries; ++i) {
        sqlite3_bind_text(st, 1, "2009", 4, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    sqlite3_finalize(st);
    sqlite3_close(c);
    return ms;
}

double storeQueries(const QString& dados) {
    db::Query q(db::Database::forFolder(dados));
    q.SetSQL(QStringLiteral("SELECT count(*) FROM Bd8emp WHERE AnBase = :AnBase"));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kQueries; ++i) {
        q.Close();
        q.ParamByName("AnBase").AsString = QStringLiteral("2009");
        q.Open();
    }
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const double raw = rawCommits(copyDados(dir, "raw"));
    const double store = storeCommits(copyDados(dir, "store"));
    std::printf("%d commits over three tables: raw SQLite %.0f ms, store %.0f ms, ratio %.2f\n", kCommits, raw, store,
                store / raw);
    const QString q = copyDados(dir, "queries");
    const double rawQ = rawQueries(q);
    const double storeQ = storeQueries(q);
    std::printf("%d small queries: raw SQLite %.0f ms, store %.0f ms, ratio %.2f\n", kQueries, rawQ, storeQ,
                storeQ / rawQ);
    return 0;
}
