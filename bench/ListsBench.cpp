// The employee list and the deletion over an establishment with 50,000
// contracts: opening the list (query and grid), a three-letter name search
// and DeleteEstablishment, each beside the plain statement on the same rows
// in the same run (raw SQLite). Targets on two cores: opening within 3 times
// its query and under 1 s; a search under 300 ms; the deletion within 5
// times its DELETE and under 3 s.
#include "BenchSupport.h"
#include "entry/QueryGrid.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmExcluir.h"
#include "platform/AppPaths.h"
#include "platform/ui/ProgressHost.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

// The test generator of valid records, built into this program as it stands.
#include "support/Builders.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kContracts = 50000;

void Generate(const valid::Row& establishment) {
    auto database = dmLobrix->dbZuvo;
    db::Transaction tx(*database);
    db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
    vinc.Open();
    // Names that spread over the alphabet, as real ones do.
    static const char* const first[] = {"ANA", "BRUNO", "CARLA", "DANIEL", "EDUARDO", "FABIO", "GABRIELA", "HELENA",
                                        "IGOR", "JOANA", "KATIA", "LUCAS", "MARIA", "NELSON", "OTAVIO", "PAULO",
                                        "QUITERIA", "RAFAEL", "SANDRA", "TIAGO", "ULISSES", "VERA", "WAGNER",
                                        "XAVIER", "YARA", "ZELIA"};
    for (int k = 0; k < kContracts; ++k) {
        valid::Row c = valid::Contract(establishment, k);
        c[QStringLiteral("NoEmpregado")] = QString::fromLatin1(first[k % 26]) + QStringLiteral(" DA SILVA ") +
                                           QString::number(k);
        valid::Append(vinc, c);
    }
    vinc.Close();
    tx.commit();
}

// Runs a plain statement over the establishment's contracts; reads every column of a SELECT.
qint64 Plain(const QString& sql, const valid::Row& e, const QString& extra = QString()) {
    db::Database& database = *dmLobrix->dbZuvo;
    database.attachAllNamedIn(sql);
    QElapsedTimer timer;
    timer.start();
    const bool write = !sql.startsWith(QLatin1String("select"));
    if (write) database.exec(QStringLiteral("BEGIN"));
    sqlite3_stmt* st = database.prepare(sql);
    int i = 1;
    for (const char* column : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"})
        sqlite3_bind_text(st, i++, e.value(column).toUtf8().constData(), -1, SQLITE_TRANSIENT);
    if (!extra.isEmpty()) sqlite3_bind_text(st, i++, extra.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    long long chars = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            chars += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                       sqlite3_column_bytes(st, c)).size();
    sqlite3_reset(st);
    if (write) database.exec(QStringLiteral("COMMIT"));
    return timer.elapsed();
}

template <typename F>
qint64 Best(F f) {
    qint64 best = -1;
    for (int round = 0; round < 3; ++round) {
        const qint64 ms = f();
        if (best < 0 || ms < best) best = ms;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;

    const valid::Row e = valid::Establishment(0, kContracts);
    {
        db::Table emp(dmLobrix->dbZuvo, QStringLiteral("BD8Emp.db"));
        emp.Open();
        valid::Append(emp, e);
        emp.Close();
    }
    Generate(e);
    CurrentEstablishment = {e.value("AnBase"),         e.value("NuPrefixoEstabelecimento"),
                            e.value("NoRazaoEstabelecimento"), e.value("InInscrEstabelecimento"),
                            e.value("CoCgcCeiEstabelecimento"), e.value("CoCgcVinculado"), 0};
    const QString where = QStringLiteral(
        " from BD8Vinc where AnBase = ? and CoCgcCeiEstabelecimento = ? and NuPrefixoEstabelecimento = ?");
    const QString columns = QStringLiteral(
        "select coPisPasepEmpregado, NoEmpregado, daAdmissaoEmpregado, DaDesligamentoEmpregado, daNascimentoEmpregado, CoCbo");

    // Opening the list: its query and the grid, then painted once.
    const qint64 plainSelect = Best([&] { return Plain(columns + where, e); });
    auto* list = new TfmConEmpreg();
    QElapsedTimer timer;
    const qint64 open = Best([&] {
        list->hide();
        timer.start();
        list->show();
        QApplication::processEvents();
        return timer.elapsed();
    });
    const int listed = list->DBGridVinculo->RowCount();
    // A three-letter name search, typed.
    const QString three = QStringLiteral("MAR");
    const qint64 plainSearch = Best([&] { return Plain(columns + where + " and NoEmpregado like ?", e, three + "%"); });
    const qint64 search = Best([&] {
        list->edNome->clear();
        list->MontaQuery();
        list->edNome->setFocus();
        timer.start();
        // Each key typed runs the query again.
        for (int i = 1; i <= three.size(); ++i) {
            list->edNome->setText(three.left(i));
            list->MontaQuery();
        }
        QApplication::processEvents();
        return timer.elapsed();
    });
    const int found = list->DBGridVinculo->RowCount();
    delete list;

    // Deleting: the plain DELETE, the contracts again, then DeleteEstablishment.
    const qint64 plainDelete = Plain(QStringLiteral("delete") + where, e);
    Generate(e);
    auto* form = new TfmExcluir();
    form->KeyAnoBase = e.value("AnBase");
    form->KeyInscricao = e.value("CoCgcCeiEstabelecimento");
    form->KeyPrefixo = e.value("NuPrefixoEstabelecimento");
    forms::ProgressHost quiet;
    timer.start();
    form->DeleteEstablishment(quiet);
    const qint64 deletion = timer.elapsed();
    delete form;

    std::printf("contracts: %d\n", kContracts);
    std::printf("open the list: %lld ms for %d rows; plain SELECT %lld ms; ratio %.1f\n", static_cast<long long>(open),
                listed, static_cast<long long>(plainSelect), plainSelect > 0 ? double(open) / double(plainSelect) : 0.0);
    std::printf("search \"%s\" typed: %lld ms (three queries) for %d rows; plain SELECT %lld ms\n", qPrintable(three),
                static_cast<long long>(search), found, static_cast<long long>(plainSearch));
    std::printf("DeleteEstablishment: %lld ms; plain DELETE %lld ms; ratio %.1f\n", static_cast<long long>(deletion),
                static_cast<long long>(plainDelete), plainDelete > 0 ? double(deletion) / double(plainDelete) : 0.0);

    delete dmEntradaDados;
    delete dmLobrix;
    return 0;
}
