// The file consultation over a file of 50,000 contracts in one
// establishment: the analysis, the contract list shown in PIS/PASEP and in
// name order, and 1,000 steps through the contract page. Baseline in the same
// run: the list's SELECT stepped through raw SQLite, every column read as
// text. Target: each list within 2 times the baseline and under 1 s; a step
// under 20 ms; peak memory under 150 MB.
#include "declfile/DeclarationWriter.h"
#include "declfile/ufmConsulta01.h"
#include "declfile/ufmConsulta02.h"
#include "declfile/ufmConsulta03.h"
#include "declfile/ufmConsulta04.h"
#include "declfile/ufmConsulta05.h"
#include "declfile/ufmConsultaDisquete.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kContracts = 50000;
constexpr int kSteps = 1000;

void set(db::Table& t, const char* field, const QString& value) { t.FieldByName(QLatin1String(field)).SetAsString(value); }

void seed(const std::shared_ptr<db::Database>& database) {
    db::Table resp(database, QStringLiteral("bd8resp.DB"));
    resp.Open();
    resp.Append();
    set(resp, "CoCgcCeiResponsavel", "11222333000181");
    set(resp, "InInscrResponsavel", "1");
    set(resp, "NoResponsavelArquivo", "EMPRESA RESPONSAVEL");
    set(resp, "NuRespostaPesquisa", "1234567890123456789012");
    resp.Post();
    db::Table emp(database, QStringLiteral("Bd8emp.DB"));
    emp.Open();
    emp.Append();
    set(emp, "AnBase", "2009");
    set(emp, "CoCgcCeiEstabelecimento", "11222333000181");
    set(emp, "NuPrefixoEstabelecimento", "00");
    set(emp, "NoRazaoEstabelecimento", "ESTABELECIMENTO GRANDE");
    set(emp, "CoMunicipio", "3550308");
    set(emp, "CoCnae2", "0111301");
    set(emp, "CoNaturezaJuridica", "2062");
    set(emp, "InInscrEstabelecimento", "1");
    set(emp, "InZuvoNegEstabelecimento", "0");
    set(emp, "InParticipaPAT", "2");
    set(emp, "InOptanteSimples", "2");
    emp.Post();
    db::Table vinc(database, QStringLiteral("Bd8vinc.DB"));
    vinc.Open();
    vinc.Append();
    set(vinc, "AnBase", "2009");
    set(vinc, "CoCgcCeiEstabelecimento", "11222333000181");
    set(vinc, "NuPrefixoEstabelecimento", "00");
    set(vinc, "CoPisPasepEmpregado", "10000000001");
    set(vinc, "DaAdmissaoEmpregado", "01032005");
    set(vinc, "NoEmpregado", "EMPREGADO MODELO");
    set(vinc, "CoNacionalidade", "10");
    set(vinc, "CoInstrucao", "02");
    set(vinc, "CoCbo", "111105");
    set(vinc, "CoTipoAdmissao", "2");
    set(vinc, "CoTipoSalarioContratual", "1");
    set(vinc, "CoVinculo", "10");
    set(vinc, "CoCausaDesligamento", "00");
    set(vinc, "CoMunicipioTrabalho", "3550308");
    for (const char* m : {"VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado", "VaDezembroEmpregado"})
        set(vinc, m, "000250000");
    vinc.Post();
}

QByteArray seq(int n) { return QByteArray::number(n).rightJustified(6, '0'); }

// The small file's contract repeated with its own PIS/PASEP and a name whose
// order is not the PIS/PASEP order.
QByteArray enlarge(const QByteArray& small) {
    constexpr int step = 552;
    QByteArray out;
    out.reserve(qsizetype(step) * (3 + kContracts));
    int n = 0;
    auto add = [&](QByteArray rec) {
        rec.replace(0, 6, seq(++n));
        out += rec;
    };
    add(small.mid(0, step));
    add(small.mid(step, step));
    const QByteArray model = small.mid(2 * step, step);
    for (int c = 0; c < kContracts; ++c) {
        QByteArray rec = model;
        rec.replace(23, 11, QByteArray::number(20000000000LL + c));
        rec.replace(34, 20, QByteArray("EMPREGADO ") + QByteArray::number((c * 7919) % kContracts).rightJustified(10, '0'));
        add(rec);
    }
    QByteArray trailer = small.right(step);
    trailer.replace(23, 6, seq(1));
    trailer.replace(29, 6, seq(kContracts));
    add(trailer);
    return out;
}

long PeakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The list's query stepped through raw SQLite, every column read as text.
qint64 RawListMs(db::Database& database, const char* order) {
    const QString sql = QStringLiteral(
                            "select * from te8Vinc where AnBase = '2009' and CoCgcCeiEstabelecimento = "
                            "'11222333000181' and NuPrefixoEstabelecimento = '00' Order by ") +
                        QLatin1String(order);
    QElapsedTimer t;
    t.start();
    database.attachAllNamedIn(sql);
    sqlite3_stmt* st = database.prepare(sql);
    long long bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c) {
            sqlite3_column_text(st, c);
            bytes += sqlite3_column_bytes(st, c);
        }
    }
    sqlite3_reset(st);
    return qMax<qint64>(1, t.elapsed()) + (bytes < 0 ? 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = dir.filePath("Dados");
    QDir().mkpath(dados);
    QDir().mkpath(dir.filePath("Transmite"));
    for (const QString& f : QDir(LOBRIX_DADOS_TEMPLATE).entryList(QDir::Files))
        QFile::copy(QDir(LOBRIX_DADOS_TEMPLATE).filePath(f), QDir(dados).filePath(f));
    AppPaths::setProgramFolder(dir.path());
    dmLobrix = new TdmLobrix;
    seed(dmLobrix->dbZuvo);

    declfile::WriteRequest request;
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    declfile::WriterState state;
    declfile::WriterHost quiet;
    if (declfile::WriteDeclarationFile(request, state, quiet) != declfile::kWritten) {
        std::fprintf(stderr, "the writer failed\n");
        return 1;
    }
    QFile small(state.ArquivoGerado);
    small.open(QIODevice::ReadOnly);
    const QByteArray big = enlarge(small.readAll());
    small.close();
    const QString path = dir.filePath("Zuvo2009_grande.dec");
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(big);
    }

    QElapsedTimer timer;
    timer.start();
    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
    const qint64 analyseMs = timer.elapsed();
    if (result != declfile::kAnaliseSemErro || contracts != kContracts) {
        std::fprintf(stderr, "analysis failed: result %d, %d contracts\n", result, contracts);
        return 1;
    }

    const long peakAfterAnalysis = PeakMemoryKb();
    const qint64 rawPisMs = RawListMs(*dmLobrix->dbZuvo, "CoPisPasepEmpregado");
    const qint64 rawNameMs = RawListMs(*dmLobrix->dbZuvo, "NoEmpregado");

    qint64 pisMs = -1, nameMs = -1;
    double stepAvgMs = 0, stepMaxMs = 0;
    int rows = 0;
    TfmConsultaDisquete consulta;
    forms::SetModalHandler([&](QWidget* form) -> int {
        const QString name = form->objectName();
        if (name == QLatin1String("fmConsulta01")) {
            consulta.Page01()->bbDisquete->click();
        } else if (name == QLatin1String("fmConsulta02")) {
            consulta.Page02()->bbConsultar->click();
        } else if (name == QLatin1String("fmConsulta03")) {
            QElapsedTimer t;
            t.start();
            consulta.Page03()->bbEmpregados->click();
            QCoreApplication::processEvents();
            pisMs = t.restart();
            consulta.Page04()->rbNome->click();
            QCoreApplication::processEvents();
            nameMs = t.restart();
            rows = consulta.Page04()->qrEmpregados->RecordCount();

            consulta.Page04()->bbConsultar->click();
            TfmConsulta05* page = consulta.Page05();
            for (int i = 0; i < kSteps; ++i) {
                QElapsedTimer s;
                s.start();
                page->bbProximo->click();
                QCoreApplication::processEvents();
                const double ms = double(s.nsecsElapsed()) / 1e6;
                stepAvgMs += ms;
                stepMaxMs = std::max(stepMaxMs, ms);
            }
            stepAvgMs /= kSteps;
            page->bbFechar->click();
        }
        return forms::mrNone;
    });
    consulta.ShowConsultationPages();
    forms::SetModalHandler({});

    std::printf("analyse and load: %lld ms (%d contracts)\n", static_cast<long long>(analyseMs), contracts);
    std::printf("list in PIS/PASEP order: %lld ms, raw SQLite %lld ms: %.2fx\n", static_cast<long long>(pisMs),
                static_cast<long long>(rawPisMs), double(pisMs) / double(rawPisMs));
    std::printf("list in name order:      %lld ms, raw SQLite %lld ms: %.2fx (%d rows)\n",
                static_cast<long long>(nameMs), static_cast<long long>(rawNameMs), double(nameMs) / double(rawNameMs),
                rows);
    std::printf("contract page step: %.2f ms on average, %.2f ms at most (%d steps)\n", stepAvgMs, stepMaxMs, kSteps);
    std::printf("peak memory: %ld kB (%ld kB after the analysis)\n", PeakMemoryKb(), peakAfterAnalysis);
    delete dmLobrix;
    return rows == kContracts ? 0 : 1;
}
