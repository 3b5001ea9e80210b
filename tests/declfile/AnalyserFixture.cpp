#include "AnalyserFixture.h"

#include "support/Builders.h"

#include "platform/db/Database.h"
#include "platform/db/Table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace analyserfixture {

namespace {

QMap<QString, QString> establishment(const QString& inscricao, const QString& prefixo, bool withEmployees,
                                     const QString& name) {
    return {
        {"AnBase", "2009"},
        {"CoCgcCeiEstabelecimento", inscricao},
        {"NuPrefixoEstabelecimento", prefixo},
        {"CoCgcVinculado", "00000000000000"},
        {"NoRazaoEstabelecimento", name},
        {"EdEstabelecimento", "AVENIDA PAULISTA"},
        {"NuEnderecoEstabelecimento", "001000"},
        {"TxComplemEstabelecimento", "ANDAR 5"},
        {"NoBairroEstabelecimento", "BELA VISTA"},
        {"CoCepEstabelecimento", "01310100"},
        {"CoMunicipio", "3550308"},
        {"NoMunicEstabelecimento", "SAO PAULO"},
        {"SgUf", "SP"},
        {"NuDDD", "11"},
        {"NuTelefone", "32221111"},
        {"CoCnae2", "0111301"},
        {"CoNaturezaJuridica", "2062"},
        {"NuProprietEstabelecimento", "02"},
        {"MeDataBase", "05"},
        {"InInscrEstabelecimento", "1"},
        {"InZuvoNegEstabelecimento", withEmployees ? "0" : "1"},
        {"TxUsoEstabelecimento", "USO " + prefixo},
        {"InPorte", "3"},
        {"InOptanteSimples", "2"},
        {"InEncerramentoAtividade", "2"},
        {"InParticipaPAT", "1"},
        {"NuVinculoPatMenor5", "000010"},
        {"NuVinculoPatMaior5", "000002"},
        {"PoServicoProprio", "050"},
        {"PoAdmCozinha", "050"},
        {"TxEmailEstabelecimento", "rh@empresa.com.br"},
        {"CoCNPJAssociativa", "33000167000101"},
        {"VaGlobalAssociativa", "000012345"},
        {"CoCNPJSindical", "33000167000101"},
        {"VaGlobalSindical", "000054321"},
        {"InAtividadeAnoBase", "1"},
        {"InSindicalizada", "1"},
        {"InCentralizada", "2"},
    };
}

QMap<QString, QString> contract(const QString& inscricao, const QString& prefixo, const QString& pis,
                                const QString& name, const QString& nationality) {
    QMap<QString, QString> c{
        {"AnBase", "2009"},
        {"CoCgcCeiEstabelecimento", inscricao},
        {"NuPrefixoEstabelecimento", prefixo},
        {"CoPisPasepEmpregado", pis},
        {"DaAdmissaoEmpregado", "01032005"},
        {"NoEmpregado", name},
        {"CoCgcVinculado", "00000000000000"},
        {"InInscrEstabelecimento", "1"},
        {"DaDesligamentoEmpregado", "1511"},
        {"CoCbo", "111105"},
        {"DaNascimentoEmpregado", "01021980"},
        {"CoNacionalidade", nationality},
        {"AnChegadaEmpregado", nationality == "10" ? "0000" : "1999"},
        {"CoInstrucao", "02"},
        {"NuCartTrabEmpregado", "00012345"},
        {"CoCpfEmpregado", "11144477735"},
        {"CoTipoAdmissao", "2"},
        {"VaSalContratualEmpregado", "000250000"},
        {"CoTipoSalarioContratual", "1"},
        {"HoSemanaisEmpregado", "44"},
        {"CoVinculo", "10"},
        {"CoCausaDesligamento", "11"},
        {"Me13AdiantamentoEmpregado", "06"},
        {"Va13AdiantamentoEmpregado", "000125000"},
        {"Me13ParcelaFinalEmpregado", "11"},
        {"Va13ParcelaFinalEmpregado", "000125000"},
        {"TxUsoEmpregado", "MATR " + pis.right(3)},
        {"CoTipoRaca", "2"},
        {"InDeficienteFisico", "1"},
        {"CoDeficienteFisico", "3"},
        {"VaAvisoPrevioEmpregado", "000250000"},
        {"InAlvaraEmpregado", "2"},
        {"InSexo", "2"},
        {"CoMotivoPrimAfas", "10"},
        {"DaInicioprimeiroAfas", "0102"},
        {"DaFinalPrimeiroAfas", "2802"},
        {"QtDiasAfas", "028"},
        {"CoCNPJSindical", "33000167000101"},
        {"VaGlobalSindical", "00008333"},
        {"CoCNPJPrimAssociativa", "33000167000101"},
        {"VaGlobalPrimAssociativa", "00001000"},
        {"VaGlobalFerias", "00300000"},
        {"VaGlobalMultas", "00100000"},
        {"VaGlobalBcoHoras", "00020000"},
        {"QtCompBcoHoras", "02"},
        {"CoMunicipioTrabalho", "3550308"},
        {"HoTrabalhadasJaneiro", "010"},
        {"HoTrabalhadasDezembro", "005"},
        {"SeCartTrabEmpregado", "00123"},
        {"InSindicalizadoVinculo", "1"},
    };
    const char* months[] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                            "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (const char* m : months) c.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), "000250000");
    return c;
}

}  // namespace

void SeedDeclaration(const QString& dataFolder) {
    auto database = db::Database::forFolder(dataFolder);
    db::Table resp(database, QStringLiteral("bd8resp.DB"));
    resp.Open();
    resp.Append();
    const QMap<QString, QString> r{
        {"CoCgcCeiResponsavel", "11222333000181"},
        {"InInscrResponsavel", "1"},
        {"NoResponsavelArquivo", "EMPRESA RESPONSAVEL LTDA"},
        {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
        {"NuLogradouroRespArquivo", "000123"},
        {"TxComplementoRespArquivo", "SALA 2"},
        {"NoBairroRespArquivo", "CENTRO"},
        {"CoCepRespArquivo", "01001000"},
        {"CoMunicipioRespArquivo", "3550308"},
        {"NoMunicipioRespArquivo", "SAO PAULO"},
        {"SgUfRespArquivo", "SP"},
        {"NuFoneDDD", "11"},
        {"NuFoneAssinante", "33334444"},
        {"TxEMailRespArquivo", "contato@empresa.com.br"},
        {"NoResponsavelDeclaracao", "JOAO DA SILVA"},
        {"CoCpfResponsavel", "12345678909"},
        {"DaNascimentoRespArquivo", "01011970"},
        {"NuRespostaPesquisa", "1234567890123456789012"},
    };
    for (auto it = r.cbegin(); it != r.cend(); ++it) resp.FieldByName(it.key()).SetAsString(it.value());
    resp.FieldByName("InReciboParaRespArquivo").SetAsBoolean(true);
    resp.Post();
    resp.Close();

    db::Table emp(database, QStringLiteral("Bd8emp.DB"));
    emp.Open();
    AppendRow(emp, establishment(kInscricaoA, "00", true, "COMERCIO ALFA LTDA"));
    AppendRow(emp, establishment(kInscricaoB, "00", false, "BETA SERVICOS SA"));
    AppendRow(emp, establishment(kInscricaoC, "01", true, "GAMA INDUSTRIA"));
    emp.Close();

    db::Table vinc(database, QStringLiteral("Bd8vinc.DB"));
    vinc.Open();
    AppendRow(vinc, contract(kInscricaoA, "00", "10000000001", QStringLiteral("MARIA JOSÉ DE SOUZA"), "10"));
    AppendRow(vinc, contract(kInscricaoA, "00", "10000000002", "PEDRO ALVARES", "20"));
    AppendRow(vinc, contract(kInscricaoA, "00", "10000000003", "ANA LUISA", "21"));
    AppendRow(vinc, contract(kInscricaoC, "01", "10000000004", "CARLOS DIAS", "10"));
    vinc.Close();
}

QByteArray WriteFile(const QString& dataFolder, bool fromWorkingTables, const QString& crea) {
    declfile::WriteRequest request;
    request.drive = QLatin1Char('C');
    request.dataFolder = dataFolder;
    request.fromWorkingTables = fromWorkingTables;
    request.generationDate = QStringLiteral("15012010");
    request.generationTime = QStringLiteral("101500");
    declfile::WriterState state;
    state.CreaDeclaracao = crea;
    declfile::WriterHost host;
    const int rc = declfile::WriteDeclarationFile(request, state, host);
    EXPECT_EQ(rc, declfile::kWritten);
    QFile f(state.ArquivoGerado);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no file written";
        return QByteArray();
    }
    QByteArray bytes = f.readAll();
    f.close();
    QFile::remove(state.ArquivoGerado);
    return bytes;
}

QByteArray RecordOf(const QByteArray& file, int n, int step) { return file.mid((n - 1) * step, step); }

void Put(QByteArray& file, int record, int column, const QByteArray& bytes, int step) {
    file.replace((record - 1) * step + column - 1, bytes.size(), bytes);
}

QByteArray WithLineEnds(const QByteArray& crlfFile, const QByteArray& lineEnd) {
    QByteArray out;
    for (qsizetype at = 0; at + 552 <= crlfFile.size(); at += 552) out += crlfFile.mid(at, 550) + lineEnd;
    return out;
}

QVector<Finding> ReadFindings(const QString& dataFolder) {
    QVector<Finding> rows;
    auto database = db::Database::forFolder(dataFolder);
    if (!database->tableExists(QStringLiteral("Te8stru.db"))) return rows;
    db::Table t(database, QStringLiteral("Te8stru.db"));
    t.Open();
    for (t.First(); !t.Eof(); t.Next()) {
        rows.push_back({t.FieldByName("AnBase").AsString(), t.FieldByName("CoMsg").AsString(),
                        t.FieldByName("Sequencia").AsString(), t.FieldByName("InscricaoPrefixo").AsString(),
                        t.FieldByName("TipoCampo").AsString(), t.FieldByName("PosicaoInicial").AsString(),
                        t.FieldByName("Conteudo").AsString()});
    }
    t.Close();
    return rows;
}

Outcome AnalyseBytes(const QString& dataFolder, const QByteArray& bytes, const AnalyseOptions& options) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zuvo2009_teste.dec"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write the input file";
        return {};
    }
    f.close();
    declfile::TAnaliseEstrutura own;
    declfile::TAnaliseEstrutura& analyser = options.analyser ? *options.analyser : own;
    analyser.LayoutAnoAnterior = options.previousYear;
    TestHost ownHost;
    TestHost& host = options.host ? *options.host : ownHost;
    Outcome o;
    o.result = analyser.AnalyseFile(path, options.baseYear, host, dataFolder, options.keepCopy, o.establishments,
                                    o.contracts, options.zeroPay);
    return o;
}

bool WorkTablesExist(const QString& dataFolder) {
    QDir d(dataFolder);
    for (const QString& name : d.entryList(QDir::Files))
        if (name.startsWith(QLatin1String("te8emp"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("te8vinc"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("te8resp"), Qt::CaseInsensitive))
            return true;
    return false;
}

}  // namespace analyserfixture
