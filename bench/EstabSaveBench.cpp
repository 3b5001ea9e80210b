// The establishment form's save over an establishment with 50,000 contracts:
// once with a changed linked CEI (every contract updated), once as a
// declaration without employees with the deletion confirmed (every contract
// deleted). Each beside the plain statement on the same rows in the same
// run, raw SQLite in its own transaction. Target: within 3 times the plain
// statement, under 2 s on two cores.
#include "BenchSupport.h"
#include "entry/ufmDadosEstab.h"
#include "platform/AppPaths.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
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

// Answers Yes to questions and OK to the rest, quietly.
class YesHost : public msg::MessageHost {
public:
    QString show(const msg::BoxRequest& request) override {
        shown << request.code;
        return request.buttons == msg::BoxButtons::Ok ? QStringLiteral("mrOk") : QStringLiteral("mrYes");
    }
    void beep() override {}
    QStringList shown;
};

void Generate(const valid::Row& establishment) {
    auto database = dmLobrix->dbZuvo;
    db::Transaction tx(*database);
    db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
    vinc.Open();
    for (int k = 0; k < kContracts; ++k) valid::Append(vinc, valid::Contract(establishment, k));
    vinc.Close();
    tx.commit();
}

// One plain statement over the establishment's contracts, in its own transaction.
qint64 Plain(const QString& sql, const valid::Row& e, const QString& value = QString()) {
    db::Database& database = *dmLobrix->dbZuvo;
    database.attachAllNamedIn(sql);
    QElapsedTimer timer;
    timer.start();
    database.exec(QStringLiteral("BEGIN"));
    sqlite3_stmt* st = database.prepare(sql);
    int i = 1;
    if (!value.isEmpty()) sqlite3_bind_text(st, i++, value.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    for (const char* column : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"})
        sqlite3_bind_text(st, i++, e.value(column).toUtf8().constData(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_reset(st);
    database.exec(QStringLiteral("COMMIT"));
    return timer.elapsed();
}

// Opens the form on the establishment, lets `prepare` change it, saves; the save's time.
qint64 Save(const valid::Row& e, const std::function<void(TfmDadosEstab*)>& prepare, bool* saved) {
    auto* form = new TfmDadosEstab();
    form->KeyAnoBase = e.value("AnBase");
    form->KeyInscricao = e.value("CoCgcCeiEstabelecimento");
    form->KeyPrefixo = e.value("NuPrefixoEstabelecimento");
    form->show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    prepare(form);
    QElapsedTimer timer;
    timer.start();
    form->kit()->RunAction([&] { *saved = form->ValidateAndSave(); });
    const qint64 ms = timer.elapsed();
    form->FormClose();
    delete form;
    return ms;
}

int Count(const valid::Row& e, const QString& condition = QString()) {
    db::Query q(dmLobrix->dbZuvo);
    q.SetSQL(QStringLiteral("select count(*) as n from BD8Vinc where CoCgcCeiEstabelecimento = :i") + condition);
    q.ParamByName(QStringLiteral("i")).AsString = e.value("CoCgcCeiEstabelecimento");
    q.Open();
    const int n = q.FieldByName(QStringLiteral("n")).AsInteger();
    q.Close();
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;
    YesHost host;
    msg::SetMessageHost(&host);
    valid::RegisterUnionEntities();

    valid::Row e = valid::Establishment(0, kContracts);
    {
        db::Table emp(dmLobrix->dbZuvo, QStringLiteral("BD8Emp.db"));
        emp.Open();
        valid::Append(emp, e);
        emp.Close();
    }
    Generate(e);
    const QString cei = valid::Cei(QStringLiteral("11111111111"));
    const QString where = QStringLiteral(
        " where AnBase = ? and CoCgcCeiEstabelecimento = ? and NuPrefixoEstabelecimento = ?");

    // A changed linked CEI: the plain UPDATE there and back (the better kept), then the save.
    const QString update = QStringLiteral("update BD8Vinc set CoCgcVinculado = ?") + where;
    const qint64 plainUpdate =
        std::min(Plain(update, e, cei), Plain(update, e, QStringLiteral("00000000000000")));
    bool saved = false;
    const qint64 saveUpdate = Save(e, [&](TfmDadosEstab* form) {
        ui::SetDesignMask(form->meCeiVinc, QString());
        form->meCeiVinc->setText(cei.mid(2));
    }, &saved);
    const int updated = Count(e, QStringLiteral(" and CoCgcVinculado = '%1'").arg(cei));
    std::printf("contracts: %d\n", kContracts);
    std::printf("plain UPDATE: %lld ms\n", static_cast<long long>(plainUpdate));
    std::printf("save with a changed linked CEI: %lld ms (saved %d, %d contracts updated)\n",
                static_cast<long long>(saveUpdate), int(saved), updated);
    std::printf("save / UPDATE: %.1f\n", plainUpdate > 0 ? double(saveUpdate) / double(plainUpdate) : 0.0);

    // Without employees: the plain DELETE, the contracts again, then the save answered Yes.
    const qint64 plainDelete = Plain(QStringLiteral("delete from BD8Vinc") + where, e);
    Generate(valid::With(e, {{"CoCgcVinculado", cei}}));
    const qint64 saveDelete = Save(e, [&](TfmDadosEstab* form) {
        ui::SetDesignMask(form->meCeiVinc, QString());
        form->meCeiVinc->clear();
        auto& t = dmEntradaDados->ta8Empresa;
        t.FieldByName(QStringLiteral("InZuvoNegEstabelecimento")).SetAsString(QStringLiteral("1"));
        t.FieldByName(QStringLiteral("CoCNPJSindical")).SetAsString(QString());
        t.FieldByName(QStringLiteral("MeDataBase")).SetAsString(QStringLiteral("00"));
        form->deValorSindical->setText(QStringLiteral("0,00"));
        form->kit()->RefreshAll();
    }, &saved);
    std::printf("plain DELETE: %lld ms\n", static_cast<long long>(plainDelete));
    std::printf("save without employees: %lld ms (saved %d, %d contracts left, boxes %s)\n",
                static_cast<long long>(saveDelete), int(saved), Count(e), qPrintable(host.shown.join(' ')));
    std::printf("save / DELETE: %.1f\n", plainDelete > 0 ? double(saveDelete) / double(plainDelete) : 0.0);

    msg::SetMessageHost(nullptr);
    delete dmEntradaDados;
    delete dmLobrix;
    return 0;
}
