#include "ValidDeclaration.h"

#include "rules/ugConstantes.h"
#include "shell/UdmLobrix.h"
#include "shell/ugDigitos.h"
#include "Builders.h"

#include <algorithm>
#include <iterator>
#include <functional>
#include <optional>

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

namespace {

// The n-th draw of a record's numbers: the same record, the same draws.
class Draws {
public:
    // Records next to each other start far apart in the sequence.
    explicit Draws(quint64 record) : state_(Mix(record + 0x2009)) {}
    // A number from 0 to `below` - 1.
    int Below(int below) { return int(Next() % quint64(below)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Percent(int p) { return Below(100) < p; }
    template <class List>
    const auto& Of(const List& list) {
        return list[Below(int(std::size(list)))];
    }

private:
    static quint64 Mix(quint64 z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    quint64 Next() { return Mix(state_ += 0x9E3779B97F4A7C15ull); }  // splitmix64
    quint64 state_;
};

// Each row of a lookup table of dmLobrix's folder, in key order.
void EachRow(const QString& table, const std::function<void(db::Table&)>& row) {
    db::Table t(dmLobrix->dbZuvo, table);
    t.Open();
    for (t.First(); !t.Eof(); t.Next()) row(t);
    t.Close();
}

QString Date8(int day, int month, int year) { return Digits(day, 2) + Digits(month, 2) + Digits(year, 4); }

const char* const kFirstNames[] = {
    "ANA",     "ANTONIO", "BEATRIZ", "BRUNO",   "CARLA",    "CARLOS",  "DANIELA", "EDUARDO", "FERNANDA", "FRANCISCO",
    "GABRIEL", "HELENA",  "IGOR",    "JOAO",    "JULIANA",  "LUCAS",   "LUIZA",   "MARCOS",  "MARIA",    "MATEUS",
    "NATALIA", "OTAVIO",  "PAULO",   "PATRICIA", "RAFAEL",  "RAIMUNDA", "SANDRA", "SEBASTIAO", "TATIANA", "VITOR"};
const char* const kSurnames[] = {
    "ALMEIDA", "ALVES",   "ARAUJO",  "BARBOSA", "CARDOSO", "CARVALHO", "CASTRO", "COSTA",  "DIAS",    "FERREIRA",
    "GOMES",   "LIMA",    "LOPES",   "MARTINS", "MELO",    "MENDES",   "MOREIRA", "NUNES", "OLIVEIRA", "PEREIRA",
    "RAMOS",   "RIBEIRO", "ROCHA",   "RODRIGUES", "SANTOS", "SILVA",   "SOUZA",  "TEIXEIRA", "VIEIRA", "XAVIER"};
const char* const kTrades[] = {"COMERCIO", "INDUSTRIA", "SERVICOS", "TRANSPORTES", "CONSTRUTORA", "DISTRIBUIDORA",
                               "CONFECCOES", "AGROPECUARIA", "TECNOLOGIA", "ALIMENTOS"};

}  // namespace

Variety::Variety() {
    // Occupations (six digits) but the elective offices, which the check only warns about.
    EachRow(QStringLiteral("TB8cbo.db"), [this](db::Table& t) {
        const QString code = t.FieldByName(QStringLiteral("CoCbo")).AsString();
        if (code.size() != 6) return;
        for (std::string_view elective : ugConstantes::kCbosCargosEletivos)
            if (code == QLatin1String(elective.data(), qsizetype(elective.size()))) return;
        occupations_.push_back({code, t.FieldByName(QStringLiteral("InCriticaCbo")).AsBoolean(),
                                t.FieldByName(QStringLiteral("InCriticaAna")).AsBoolean()});
    });
    EachRow(QStringLiteral("TB8munic.db"), [this](db::Table& t) {
        const QString code = t.FieldByName(QStringLiteral("CoMunicipio")).AsString();
        if (code.size() == 7) municipalities_ << code;
    });
    EachRow(QStringLiteral("TB8nacio.db"), [this](db::Table& t) {
        nationalities_ << t.FieldByName(QStringLiteral("CoNacionalidade")).AsString();
    });
    // Subclasses, but public administration's, whose contracts are of other types.
    EachRow(QStringLiteral("TB8cnae.db"), [this](db::Table& t) {
        const QString code = t.FieldByName(QStringLiteral("CoCnae")).AsString();
        if (code.size() == 7 && !code.startsWith(QLatin1String("84"))) activities_ << code;
    });
    EachRow(QStringLiteral("TB8tpsal.db"), [this](db::Table& t) {
        payTypes_ << t.FieldByName(QStringLiteral("CoTipoSalarioContratual")).AsString();
    });
    EachRow(QStringLiteral("TB8instr.db"), [this](db::Table& t) {
        schooling_ << t.FieldByName(QStringLiteral("CoInstrucao")).AsString();
    });
}

Row Variety::Establishment(int n, int contracts) const {
    Draws d(quint64(n) + 0x100000000ull);
    return With(valid::Establishment(n, contracts),
                {{"NoRazaoEstabelecimento", QStringLiteral("%1 %2 %3 LTDA")
                                                .arg(QLatin1String(d.Of(kTrades)), QLatin1String(d.Of(kSurnames)),
                                                     QLatin1String(d.Of(kSurnames)))},
                 {"CoCnae2", d.Of(activities_)}});
}

Row Variety::Contract(const Row& establishment, int n) const {
    Draws d{quint64(n)};
    Row c = valid::Contract(establishment, n);
    QString name = QLatin1String(d.Of(kFirstNames));
    if (d.Percent(40)) name += QLatin1Char(' ') + QLatin1String(d.Of(kFirstNames));
    name += QLatin1Char(' ') + QLatin1String(d.Of(kSurnames)) + QLatin1Char(' ') + QLatin1String(d.Of(kSurnames));
    c["NoEmpregado"] = name;

    const int born = d.Between(1950, 1990);
    c["DaNascimentoEmpregado"] = Date8(d.Between(1, 28), d.Between(1, 12), born);
    // Admitted an adult and before the base year, so every month of it is paid.
    const int admitted = d.Between(born + 18, std::max(born + 18, 2008));
    c["DaAdmissaoEmpregado"] = Date8(d.Between(1, 28), d.Between(1, 12), admitted);
    // Most are Brazilian; a foreigner arrived before being admitted.
    if (d.Percent(12)) {
        c["CoNacionalidade"] = d.Of(nationalities_);
        if (c["CoNacionalidade"] != QLatin1String("10"))
            c["AnChegadaEmpregado"] = Digits(d.Between(born + 1, admitted), 4);
    }
    const Occupation& job = d.Of(occupations_);
    QString schooling = d.Of(schooling_);
    if (job.needsDegree) schooling = Digits(d.Between(9, 11), 2);
    if (job.notForIlliterate && schooling == QLatin1String("01")) schooling = QStringLiteral("02");
    c["CoCbo"] = job.code;
    c["CoInstrucao"] = schooling;
    c["CoMunicipioTrabalho"] = d.Of(municipalities_);
    c["CoTipoSalarioContratual"] = d.Percent(80) ? QStringLiteral("1") : d.Of(payTypes_);
    c["InSexo"] = d.Percent(50) ? QStringLiteral("1") : QStringLiteral("2");
    static const char* const kRaces[] = {"1", "2", "4", "6", "8"};
    c["CoTipoRaca"] = QLatin1String(d.Of(kRaces));
    c["HoSemanaisEmpregado"] = Digits(d.Between(20, 44), 2);
    c["NuCartTrabEmpregado"] = Digits(d.Between(1, 9999999), 8);
    c["SeCartTrabEmpregado"] = Digits(d.Between(1, 9999), 5);

    // A salary from the minimum wage up to what the schooling makes plausible
    // (most near the bottom), a raise in some month for some, and the 13th
    // in two halves.
    const bool degree = schooling.toInt() >= 8;
    const int ceiling = degree ? 820000 : 410000;
    const int salary = 47000 + int(qint64(d.Below(ceiling - 47000)) * d.Between(1, 100) / 100);
    c["VaSalContratualEmpregado"] = Digits(salary, 9);
    const int raiseMonth = d.Percent(50) ? d.Between(2, 12) : 13;
    const int raised = salary + salary * d.Between(3, 12) / 100;
    static const char* const kMonths[] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                          "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (int m = 1; m <= 12; ++m)
        c[QStringLiteral("Va%1Empregado").arg(QLatin1String(kMonths[m - 1]))] =
            Digits(m >= raiseMonth ? raised : salary, 9);
    const int december = raiseMonth <= 12 ? raised : salary;
    c["Va13AdiantamentoEmpregado"] = Digits(december / 2, 9);
    c["Va13ParcelaFinalEmpregado"] = Digits(december - december / 2, 9);
    return c;
}

Row With(Row row, const Row& overrides) {
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) row.insert(it.key(), it.value());
    return row;
}

void Append(db::Table& table, const Row& row) { AppendRow(table, row); }

DeclarationTablesOpen::DeclarationTablesOpen(const std::shared_ptr<db::Database>& database)
    : resp(database, QStringLiteral("BD8Resp.db")),
      emp(database, QStringLiteral("BD8Emp.db")),
      vinc(database, QStringLiteral("BD8Vinc.db")) {
    resp.Open();
    emp.Open();
    vinc.Open();
}

namespace {
// The declaration tables filled in one transaction, the establishments with
// the contract counts given.
int WriteEstablishments(const std::function<int(int)>& contractsOf, int establishments, Data data) {
    RegisterUnionEntities();
    auto database = dmLobrix->dbZuvo;
    db::Transaction transaction(*database);
    DeclarationTablesOpen tables(database);
    auto& [resp, emp, vinc] = tables;
    Append(resp, Responsible());
    std::optional<Variety> variety;
    if (data == Data::Varied) variety.emplace();
    int serial = 0;
    for (int e = 0; e < establishments; ++e) {
        const int count = contractsOf(e);
        const Row est = variety ? variety->Establishment(e, count) : Establishment(e, count);
        Append(emp, est);
        for (int k = 0; k < count; ++k) {
            Append(vinc, variety ? variety->Contract(est, serial) : Contract(est, serial));
            ++serial;
        }
    }
    transaction.commit();
    return serial;
}
}  // namespace

void WriteDeclaration(int establishments, int contractsEach) {
    WriteEstablishments([contractsEach](int) { return contractsEach; }, establishments, Data::Uniform);
}

int WriteLargeDeclaration(int bigContracts, int smallEstablishments, int contractsEach, Data data) {
    return WriteEstablishments([=](int e) { return e == 0 ? bigContracts : contractsEach; }, 1 + smallEstablishments,
                               data);
}

}  // namespace valid
