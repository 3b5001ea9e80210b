// Analyses and loads a declaration file of 50,000 contracts (ten
// establishments of 5,000) and prints the time beside that of reading the same
// file line by line. Target: within 10 times the read, under 5 s.
#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/AppPaths.h"
#include "platform/db/Table.h"
#include "shell/UdmLobrix.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kEstablishments = 10;
constexpr int kContractsEach = 5000;

void set(db::Table& t, const char* field, const QString& value) { t.FieldByName(QLatin1String(field)).SetAsString(value); }

QString inscription(int e) { return QStringLiteral("%1").arg(11222333000100LL + e * 1000 + 81, 14, 10, QChar('0')); }

// A small declaration in the declaration tables: one contract per establishment.
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
    db::Table vinc(database, QStringLiteral("Bd8vinc.DB"));
    emp.Open();
    vinc.Open();
    for (int e = 0; e < kEstablishments; ++e) {
        emp.Append();
        set(emp, "AnBase", "2009");
        set(emp, "CoCgcCeiEstabelecimento", inscription(e));
        set(emp, "NuPrefixoEstabelecimento", "00");
        set(emp, "NoRazaoEstabelecimento", QStringLiteral("ESTABELECIMENTO %1").arg(e));
        set(emp, "CoMunicipio", "3550308");
        set(emp, "CoCnae2", "0111301");
        set(emp, "CoNaturezaJuridica", "2062");
        set(emp, "InInscrEstabelecimento", "1");
        set(emp, "InZuvoNegEstabelecimento", "0");
        set(emp, "InParticipaPAT", "2");
        set(emp, "InOptanteSimples", "2");
        emp.Post();
        vinc.Append();
        set(vinc, "AnBase", "2009");
        set(vinc, "CoCgcCeiEstabelecimento", inscription(e));
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
}

QByteArray seq(int n) { return QByteArray::number(n).rightJustified(6, '0'); }

// The big file: the small one's records, each establishment's contract
// repeated with its own PIS and name, renumbered, with the trailer's totals.
QByteArray enlarge(const QByteArray& small) {
    constexpr int step = 552;
    QByteArray out;
    out.reserve(qsizetype(step) * (2 + kEstablishments * (1 + kContractsEach)));
    int n = 0;
    auto add = [&](QByteArray rec) {
        rec.replace(0, 6, seq(++n));
        out += rec;
    };
    add(small.mid(0, step));
    for (int e = 0; e < kEstablishments; ++e) {
        add(small.mid(step * (1 + 2 * e), step));
        const QByteArray model = small.mid(step * (2 + 2 * e), step);
        for (int c = 0; c < kContractsEach; ++c) {
            QByteArray rec = model;
            rec.replace(23, 11, QByteArray::number(20000000000LL + e * kContractsEach + c));
            rec.replace(34, 20, QByteArray("EMPREGADO ") + QByteArray::number(c).rightJustified(10, '0'));
            add(rec);
        }
    }
    QByteArray trailer = small.right(step);
    trailer.replace(23, 6, seq(kEstablishments));
    trailer.replace(29, 6, seq(kEstablishments * kContractsEach));
    add(trailer);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
    qint64 lines = 0, bytes = 0;
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        while (!f.atEnd()) {
            const QByteArray line = f.readLine();
            bytes += line.size();
            ++lines;
        }
    }
    const qint64 readMs = qMax<qint64>(1, timer.restart());

    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
    const qint64 analyseMs = timer.elapsed();

    std::printf("file: %lld records, %lld bytes\n", static_cast<long long>(lines), static_cast<long long>(bytes));
    std::printf("read line by line: %lld ms\n", static_cast<long long>(readMs));
    std::printf("analyse and load:  %lld ms (result %d, %d establishments, %d contracts), %.1fx the read\n",
                static_cast<long long>(analyseMs), result, establishments, contracts, double(analyseMs) / double(readMs));
    delete dmLobrix;
    return result == declfile::kAnaliseSemErro && contracts == kEstablishments * kContractsEach ? 0 : 1;
}
