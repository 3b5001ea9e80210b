#include "ValidDeclaration.h"

#include "shell/UdmLobrix.h"
#include "shell/ugDigitos.h"
#include "Builders.h"

#include <functional>

namespace valid {

QString Cnpj(const QString& twelve) {
    QString s = twelve;
    s += CnpjCheckDigit(s);
    s += CnpjCheckDigit(s);
    return s;
}

QString Cpf(const QString& nine) {
    QString s = nine;
    s += CpfCheckDigit(s);
    s += CpfCheckDigit(s);
    return s;
}

QString Pis(const QString& ten) { return ten + PisCheckDigit(ten); }

QString Cei(const QString& eleven) { return QStringLiteral("00") + eleven + CeiCheckDigit(eleven); }

namespace {
QString Digits(long long n, int width) { return QStringLiteral("%1").arg(n, width, 10, QChar('0')); }
}  // namespace

QString EstablishmentCnpj(int n) { return Cnpj(QStringLiteral("12") + Digits(n + 1, 6) + QStringLiteral("0001")); }

// PIS numbers whose check digit is 10 have none: the next number is taken.
QString ContractPis(int n) {
    for (long long k = 2000000000LL + 2LL * n;; ++k) {
        const QString ten = QString::number(k);
        const QChar d = PisCheckDigit(ten);
        if (d.isDigit()) return ten + d;
    }
}

// A distinct name per contract that never repeats a character four times.
QString Name(int n) {
    QString digits = QString::number(n);
    QString spaced;
    for (QChar c : digits) {
        if (!spaced.isEmpty()) spaced += QLatin1Char('.');
        spaced += c;
    }
    return QStringLiteral("JOSE DA SILVA ") + spaced;
}

QString ContractCpf(int n) { return Cpf(QStringLiteral("3") + Digits(n + 1, 8)); }

QString EmployerUnionCnpj() { return Cnpj(QStringLiteral("330000000001")); }
QString WorkerUnionCnpj() { return Cnpj(QStringLiteral("440000000001")); }

// The program only reads these lookups: the rows go in through a table of
// the test's own.
void RegisterUnionEntities() {
    TdmLobrix& dm = *dmLobrix;
    if (!dm.tbEmpreg.FindKey({EmployerUnionCnpj()})) {
        db::Table t(dm.dbZuvo, QStringLiteral("tbEmpreg.db"));
        t.Open();
        AppendRow(t, {{"CoCnpjEmpregador", EmployerUnionCnpj()}});
    }
    if (!dm.tbTrab.FindKey({WorkerUnionCnpj()})) {
        db::Table t(dm.dbZuvo, QStringLiteral("tbTrab.db"));
        t.Open();
        AppendRow(t, {{"CoCnpjTrabalhadores", WorkerUnionCnpj()}});
    }
}

Row Responsible() {
    return {{"CoCgcCeiResponsavel", EstablishmentCnpj(0)},
            {"InInscrResponsavel", "1"},
            {"NoResponsavelArquivo", "COMERCIO DE ALIMENTOS EXEMPLO LTDA"},
            {"EdLogradouroRespArquivo", "AVENIDA PAULISTA"},
            {"NuLogradouroRespArquivo", "001000"},
            {"TxComplementoRespArquivo", "SALA 12"},
            {"NoBairroRespArquivo", "BELA VISTA"},
            {"CoCepRespArquivo", "01310100"},
            {"CoMunicipioRespArquivo", "3550308"},
            {"NoMunicipioRespArquivo", "SAO PAULO"},
            {"SgUfRespArquivo", "SP"},
            {"NuFoneDDD", "11"},
            {"NuFoneAssinante", "32223344"},
            {"TxEMailRespArquivo", "contato@exemplo.com.br"},
            {"InRetificacao", "0"},
            {"DaRetificacao", ""},
            {"DaGeracao", ""},
            {"NoResponsavelDeclaracao", "MARIA APARECIDA SOUZA"},
            {"CoCpfResponsavel", Cpf("123456780")},
            {"CoCrea", ""},
            {"DaNascimentoRespArquivo", "10071970"}};
}

Row ResponsibleAsInAFile() {
    return With(Responsible(), {{"DaRetificacao", "00000000"}, {"DaGeracao", "15022010"}, {"CoCrea", "000000000000"}});
}

Row Establishment(int n, int contracts) {
    return {{"AnBase", "2009"},
            {"CoCgcCeiEstabelecimento", EstablishmentCnpj(n)},
            {"NuPrefixoEstabelecimento", "00"},
            {"CoCgcVinculado", "00000000000000"},
            {"NoRazaoEstabelecimento", "COMERCIO DE ALIMENTOS EXEMPLO LTDA"},
            {"EdEstabelecimento", "AVENIDA PAULISTA"},
            {"NuEnderecoEstabelecimento", "001000"},
            {"TxComplemEstabelecimento", "LOJA 3"},
            {"NoBairroEstabelecimento", "BELA VISTA"},
            {"CoCepEstabelecimento", "01310100"},
            {"CoMunicipio", "3550308"},
            {"NoMunicEstabelecimento", "SAO PAULO"},
            {"SgUf", "SP"},
            {"NuDDD", "11"},
            {"NuTelefone", "32223344"},
            {"CoCnae2", "4711302"},
            {"CoNaturezaJuridica", "2062"},
            {"NuProprietEstabelecimento", "02"},
            {"MeDataBase", "05"},
            {"InInscrEstabelecimento", "1"},
            {"InZuvoNegEstabelecimento", "0"},
            {"TxUsoEstabelecimento", ""},
            {"NuVinculosEstabelecimento", Digits(contracts, 6)},
            {"NuEstrangeirosEstabelec", "00000"},
            {"InOpcaoAberta", ""},
            {"NuSequencialRegistro", Digits(n + 1, 6)},
            {"InPorte", "3"},
            {"InOptanteSimples", "2"},
            {"InEncerramentoAtividade", "2"},
            {"DaEncerramentoAtividade", "00000000"},
            {"InParticipaPAT", "2"},
            {"NuVinculoPatMaior5", "000000"},
            {"NuVinculoPatMenor5", "000000"},
            {"PoServicoProprio", "000"},
            {"PoAdmCozinha", "000"},
            {"PoRefeicaoConvenio", "000"},
            {"PoRefeicaoTransportadora", "000"},
            {"PoCestaAlimento", "000"},
            {"PoAlimentacaoConvenio", "000"},
            {"TxEmailEstabelecimento", "loja@exemplo.com.br"},
            {"CoCNPJSindical", EmployerUnionCnpj()},
            {"VaGlobalSindical", "000050000"},
            {"CoCNPJAssociativa", "00000000000000"},
            {"VaGlobalAssociativa", "000000000"},
            {"CoCNPJAssistencial", "00000000000000"},
            {"VaGlobalAssistencial", "000000000"},
            {"CoCNPJConfederativa", "00000000000000"},
            {"VaGlobalConfederativa", "000000000"},
            {"InAtividadeAnoBase", "1"},
            {"InSindicalizada", "2"},
            {"CoCNPJCentralizada", "00000000000000"},
            {"InCentralizada", "2"}};
}

Row Contract(const Row& establishment, int n) {
    Row c{{"AnBase", establishment.value("AnBase")},
          {"CoCgcCeiEstabelecimento", establishment.value("CoCgcCeiEstabelecimento")},
          {"NuPrefixoEstabelecimento", establishment.value("NuPrefixoEstabelecimento")},
          {"CoCgcVinculado", establishment.value("CoCgcVinculado")},
          {"InInscrEstabelecimento", establishment.value("InInscrEstabelecimento")},
          {"CoPisPasepEmpregado", ContractPis(n)},
          {"DaAdmissaoEmpregado", "01032005"},
          {"NoEmpregado", Name(n)},
          {"NuSequencialRegistro", Digits(n + 1, 6)},
          {"DaDesligamentoEmpregado", "0000"},
          {"CoCbo", "513205"},
          {"DaNascimentoEmpregado", "15051980"},
          {"CoNacionalidade", "10"},
          {"AnChegadaEmpregado", "0000"},
          {"CoInstrucao", "07"},
          {"NuCartTrabEmpregado", "01234567"},
          {"SeCartTrabEmpregado", "00123"},
          {"CoCpfEmpregado", ContractCpf(n)},
          {"CoTipoAdmissao", "2"},
          {"VaSalContratualEmpregado", "000150000"},
          {"CoTipoSalarioContratual", "1"},
          {"HoSemanaisEmpregado", "44"},
          {"CoVinculo", "10"},
          {"CoCausaDesligamento", "00"},
          {"Me13AdiantamentoEmpregado", "11"},
          {"Va13AdiantamentoEmpregado", "000075000"},
          {"Me13ParcelaFinalEmpregado", "12"},
          {"Va13ParcelaFinalEmpregado", "000075000"},
          {"TxUsoEmpregado", ""},
          {"CoTipoRaca", "2"},
          {"InDeficienteFisico", "2"},
          {"CoDeficienteFisico", "0"},
          {"VaAvisoPrevioEmpregado", "000000000"},
          {"InAlvaraEmpregado", "2"},
          {"InSexo", "1"},
          {"CoMotivoPrimAfas", "00"},
          {"DaInicioprimeiroAfas", "0000"},
          {"DaFinalPrimeiroAfas", "0000"},
          {"CoMotivoSeguAfas", "00"},
          {"DaInicioSegundoAfas", "0000"},
          {"DaFinalSegundoAfas", "0000"},
          {"CoMotivoTercAfas", "00"},
          {"DaInicioTerceiroAfas", "0000"},
          {"DaFinalTerceiroAfas", "0000"},
          {"QtDiasAfas", "000"},
          {"CoCNPJSindical", WorkerUnionCnpj()},
          {"VaGlobalSindical", "00005000"},
          {"CoCNPJPrimAssociativa", "00000000000000"},
          {"VaGlobalPrimAssociativa", "00000000"},
          {"CoCNPJSegAssociativa", "00000000000000"},
          {"VaGlobalSegAssociativa", "00000000"},
          {"CoCNPJAssistencial", "00000000000000"},
          {"VaGlobalAssistencial", "00000000"},
          {"CoCNPJConfederativa", "00000000000000"},
          {"VaGlobalConfederativa", "00000000"},
          {"VaGlobalFerias", "00000000"},
          {"VaGlobalMultas", "00000000"},
          {"VaGlobalBcoHoras", "00000000"},
          {"QtCompBcoHoras", "00"},
          {"VaGlobalDissidio", "00000000"},
          {"QtCompDissidio", "00"},
          {"VaGlobalGratificacoes", "00000000"},
          {"QtCompGratificacoes", "00"},
          {"CoMunicipioTrabalho", "3550308"},
          {"InSindicalizadoVinculo", "2"}};
    static const char* const kMonths[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                          "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (const char* m : kMonths) {
        c.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), QStringLiteral("000150000"));
        c.insert(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(m)), QStringLiteral("000"));
    }
    return c;
}

Row With(Row row, const Row& overrides) {
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) row.insert(it.key(), it.value());
    return row;
}

void Append(db::Table& table, const Row& row) { AppendRow(table, row); }

namespace {
// The declaration tables filled in one transaction, the establishments with
// the contract counts given.
int WriteEstablishments(const std::function<int(int)>& contractsOf, int establishments) {
    RegisterUnionEntities();
    auto database = dmLobrix->dbZuvo;
    db::Transaction transaction(*database);
    db::Table resp(database, QStringLiteral("BD8Resp.db"));
    db::Table emp(database, QStringLiteral("BD8Emp.db"));
    db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
    resp.Open();
    emp.Open();
    vinc.Open();
    Append(resp, Responsible());
    int serial = 0;
    for (int e = 0; e < establishments; ++e) {
        const int count = contractsOf(e);
        const Row est = Establishment(e, count);
        Append(emp, est);
        for (int k = 0; k < count; ++k) Append(vinc, Contract(est, serial++));
    }
    transaction.commit();
    return serial;
}
}  // namespace

void WriteDeclaration(int establishments, int contractsEach) {
    WriteEstablishments([contractsEach](int) { return contractsEach; }, establishments);
}

int WriteLargeDeclaration(int bigContracts, int smallEstablishments, int contractsEach) {
    return WriteEstablishments([=](int e) { return e == 0 ? bigContracts : contractsEach; }, 1 + smallEstablishments);
}

}  // namespace valid
