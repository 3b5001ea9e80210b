// The amendment wizard's selection over the generated declaration (one
// establishment with 50,000 contracts plus 200 with 50 each): ticking the big
// establishment fills its contract list, "Seleciona / Desmarca todos os
// vínculos." chooses them all, and CopySelectionToWork copies them into the
// working tables. Baseline in the same run: the same rows appended to a table
// of the same structure in one transaction through the dataset API. Target:
// the list filled under 2 s; the copy within 2 times the baseline and under
// 4 s on two cores; peak memory under 150 MB.
#include "BenchSupport.h"
#include "support/DeclarationGenerator.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/retif/ufmRetifDecl01.h"
#include "declfile/retif/ufmRetifDecl02.h"
#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/TickList.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The baseline: the establishment's contracts read whole and appended to a
// fresh table of BD8Vinc's structure in one transaction through the dataset API.
int AppendBaseline(const QStringList& establishmentKey) {
    auto database = TdmLobrix::OpenAlias();
    TryCopyTableStructure(QStringLiteral("BD8vinc"), QStringLiteral("Tebench"), *database, true);
    QList<QStringList> rows;
    QStringList names;
    {
        db::Query source(database);
        source.SetSQL(QStringLiteral("SELECT * FROM BD8Vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :c AND "
                                     "NuPrefixoEstabelecimento = :p"));
        source.ParamByName(QStringLiteral("a")).AsString = establishmentKey[0];
        source.ParamByName(QStringLiteral("c")).AsString = establishmentKey[1];
        source.ParamByName(QStringLiteral("p")).AsString = establishmentKey[2];
        source.Open();
        for (int i = 0; i < source.FieldCount(); ++i) names << source.Fields(i).FieldName();
        for (source.First(); !source.Eof(); source.Next()) {
            QStringList row;
            for (int i = 0; i < source.FieldCount(); ++i) row << source.Fields(i).AsString();
            rows << row;
        }
    }
    db::Table target(database, QStringLiteral("Tebench.db"));
    target.Open();
    QList<db::Field*> fields;
    for (const QString& n : names) fields << &target.FieldByName(n);
    db::Transaction tx(*database);
    for (const QStringList& row : rows) {
        target.Append();
        for (int i = 0; i < fields.size(); ++i) fields[i]->SetAsString(row[i]);
        target.Post();
    }
    tx.commit();
    return int(rows.size());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    bench::NoBoxes boxes;
    msg::SetMessageHost(&boxes);
    const QStringList items = gen::GenerateDeclaration(dados, gen::DeclarationShape{});
    dmLobrix = new TdmLobrix;

    QElapsedTimer timer;
    TfmRetifDecl01 first;
    if (!first.WorkingTablesReady() || !OpenWizardEstablishments(nullptr)) return 1;
    TfmRetifDecl02 page;
    const QStringList bigKey{items.first().left(4), items.first().mid(4, 14), items.first().mid(18, 2)};
    int line = -1;
    for (int i = 0; i < page.Selection.Count(); ++i)
        if (page.Selection.Entry(i).Key() == bigKey) line = i;
    if (line < 0) return 1;

    timer.start();
    page.clEmpresas->setCurrentRow(line);
    page.clEmpresas->SetTicked(line, true);
    page.EstablishmentTickHandling(line);
    const qint64 listMs = timer.restart();
    page.ckSelecVinculos->setChecked(true);
    page.ckSelecVinculosClick();
    const qint64 selectAllMs = timer.restart();
    const bool copied = page.CopySelectionToWork();
    const qint64 copyMs = timer.restart();
    const long wizardPeakKb = bench::PeakMemoryKb();
    const int baselineRows = AppendBaseline(bigKey);
    const qint64 baselineMs = timer.restart();

    std::printf("contracts listed: %d in %lld ms (target < 2000)\n", page.clVinculos->count(), listMs);
    std::printf("select all: %lld ms\n", selectAllMs);
    std::printf("copy: %lld ms (%s)\n", copyMs, copied ? "done" : "failed");
    std::printf("baseline append of %d rows: %lld ms\n", baselineRows, baselineMs);
    std::printf("copy / baseline: %.2f (target <= 2, copy < 4000 ms)\n",
                baselineMs > 0 ? double(copyMs) / double(baselineMs) : 0.0);
    std::printf("peak memory: %ld kB through the copy (target < 153600); %ld kB with the baseline\n", wizardPeakKb,
                bench::PeakMemoryKb());
    msg::SetMessageHost(nullptr);
    return copied ? 0 : 1;
}
