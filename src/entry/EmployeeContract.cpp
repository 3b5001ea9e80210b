#include "EmployeeContract.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"

#include <algorithm>
#include <exception>
#include <functional>

namespace {

void setField(db::DataSet& set, const char* name, const QString& value) {
    set.FieldByName(QLatin1String(name)).SetAsString(value);
}

QString field(db::DataSet& set, const char* name) { return set.FieldByName(QLatin1String(name)).AsString(); }

void padField(db::DataSet& set, const char* name, int width) {
    setField(set, name, PadLeftZeros(field(set, name).trimmed(), width));
}

// Writes the counts into the establishment; the rest of its row, the
// operation marker included, stays as the establishment form left it.
void writeCounts(db::Table& establishment, const EstablishmentKey& key, const ContractCounts& counts) {
    if (establishment.State() == db::DataSetState::Browse) {
        if (!establishment.FindKey({key.baseYear, key.inscription, key.prefix})) return;
        establishment.Edit();
    }
    setField(establishment, "NuVinculosEstabelecimento", PadLeftZeros(QString::number(counts.employees), 6));
    setField(establishment, "NuEstrangeirosEstabelec", PadLeftZeros(QString::number(counts.foreigners), 5));
    establishment.Post();
}

QStringList valuesOf(db::DataSet& set) {
    QStringList values;
    for (int i = 0; i < set.FieldCount(); ++i) values << set.Fields(i).AsString();
    return values;
}

}  // namespace

// ---- Decisions of the save --------------------------------------------------

qint64 YearTotal(const MonthCents& months, const QString& advance, const QString& finalParcel) {
    qint64 total = CentsOrZero(advance) + CentsOrZero(finalParcel);
    for (const QString& m : months) total += CentsOrZero(m);
    return total;
}

bool ThirteenthIsPlausible(const MonthCents& months, const QString& advance, const QString& finalParcel) {
    int paid = 0;
    double sum = 0;
    for (const QString& m : months) {
        const qint64 value = CentsOrZero(m);
        if (value == 0) continue;
        ++paid;
        sum += double(value);
    }
    if (paid == 0) return true;
    const double average = sum / paid;
    const double thirteenth = double(CentsOrZero(advance)) + double(CentsOrZero(finalParcel));
    return average + average / 2 >= thirteenth;
}

int FirstUnpaidMonth(const QStringList& monthTexts) {
    for (int i = 0; i < monthTexts.size(); ++i) {
        const QString t = monthTexts.at(i).trimmed();
        if (t.isEmpty() || t == QLatin1String("0,00")) return i;
    }
    return -1;
}

int ReferenceYearFor(const QString& baseYear, bool followingYear, int mainBaseYear) {
    bool ok = false;
    const int year = baseYear.trimmed().toInt(&ok);
    if (!ok) return mainBaseYear;
    return followingYear ? year + 1 : year;
}

QString EmployeeFormCaption(const QString& name, const QString& inscription, const QString& inscriptionType,
                            const QString& prefix) {
    const QString& i = inscription;
    const QString shown = inscriptionType == QLatin1String("1")
                              ? QStringLiteral("CNPJ: ") + i.mid(0, 2) + '.' + i.mid(2, 3) + '.' + i.mid(5, 3) + '/' +
                                    i.mid(8, 4) + '-' + i.mid(12, 2)
                              : QStringLiteral("CEI: ") + i.mid(2, 5) + '.' + i.mid(7, 5) + '-' + i.mid(12, 2);
    return name + QStringLiteral(" - ") + shown + QStringLiteral(" | Prefixo: ") + prefix +
           QStringLiteral(" - Informações Referentes ao Empregado / Servidor");
}

DismissalCauseEffect EffectOfDismissalCause(const QString& cause) {
    DismissalCauseEffect e;
    const QString c = cause.trimmed();
    auto in = [&](std::initializer_list<const char*> set) {
        return std::any_of(set.begin(), set.end(), [&](const char* v) { return c == QLatin1String(v); });
    };
    if (c.isEmpty()) {
        e.clearDate = true;  // the termination payments keep their state
        return e;
    }
    e.dateOpen = !in({"00", "71", "78", "80"});
    e.focusDate = e.dateOpen;
    e.noticePayOpen = in({"11", "21"});
    if (in({"71", "78", "80"})) {
        e.clearDate = true;
        e.terminationOpen = 0;
        e.clearTermination = true;
        return e;
    }
    e.terminationOpen = 1;
    e.clearTermination = in({"22", "30", "31", "40", "50"});
    return e;
}

void PadContractFields(db::DataSet& c) {
    static const std::pair<const char*, int> widths[] = {
        {"HoSemanaisEmpregado", 2},     {"AnChegadaEmpregado", 4},        {"NuCartTrabEmpregado", 8},
        {"CoCpfEmpregado", 11},         {"CoCausaDesligamento", 2},       {"DaDesligamentoEmpregado", 4},
        {"CoMotivoPrimAfas", 2},        {"CoMotivoSeguAfas", 2},          {"CoMotivoTercAfas", 2},
        {"DaInicioprimeiroAfas", 4},    {"DaFinalPrimeiroAfas", 4},       {"DaInicioSegundoAfas", 4},
        {"DaFinalSegundoAfas", 4},      {"DaInicioTerceiroAfas", 4},      {"DaFinalTerceiroAfas", 4},
        {"QtDiasAfas", 3},              {"Me13AdiantamentoEmpregado", 2}, {"Me13ParcelaFinalEmpregado", 2},
        {"QtCompBcoHoras", 2},          {"QtCompDissidio", 2},            {"QtCompGratificacoes", 2},
        {"HoTrabalhadasJaneiro", 3},    {"HoTrabalhadasFevereiro", 3},    {"HoTrabalhadasMarco", 3},
        {"HoTrabalhadasAbril", 3},      {"HoTrabalhadasMaio", 3},         {"HoTrabalhadasJunho", 3},
        {"HoTrabalhadasJulho", 3},      {"HoTrabalhadasAgosto", 3},       {"HoTrabalhadasSetembro", 3},
        {"HoTrabalhadasOutubro", 3},    {"HoTrabalhadasNovembro", 3},     {"HoTrabalhadasDezembro", 3},
    };
    for (const auto& [name, width] : widths) padField(c, name, width);
    const QString series = field(c, "SeCartTrabEmpregado").trimmed();
    setField(c, "SeCartTrabEmpregado", series.isEmpty() ? QStringLiteral("00000") : series);
}

// ---- Duplicates -------------------------------------------------------------

QList<ContractWithPis> FindContractsWithPis(db::Query& q, const QString& pis) {
    q.Close();
    q.SetSQL(QStringLiteral("select AnBase, NoEmpregado, DaNascimentoEmpregado, CoCpfEmpregado,\n"
                            "DaAdmissaoEmpregado, DaDesligamentoEmpregado, CoCbo\n"
                            "from BD8Vinc\n"
                            "where CoPisPasepEmpregado = :sPisPasep"));
    q.ParamByName(QStringLiteral("sPisPasep")).AsString = pis;
    q.Open();
    QList<ContractWithPis> contracts;
    for (q.First(); !q.Eof(); q.Next()) {
        auto get = [&](int i) { return q.Fields(i).AsString(); };
        contracts.append({get(0), get(1), get(2), get(3), get(4), get(5), get(6)});
    }
    q.Close();
    return contracts;
}

bool SamePisOtherPerson(const QList<ContractWithPis>& contracts, const QString& baseYear, bool editing,
                        const PersonData& person) {
    QList<PersonData> persons;  // distinct, as the stored rows write them
    for (const ContractWithPis& c : contracts) {
        if (c.baseYear != baseYear) continue;
        const bool known = std::any_of(persons.begin(), persons.end(), [&](const PersonData& p) {
            return p.name == c.name && p.birthDate == c.birthDate && p.cpf == c.cpf;
        });
        if (!known) persons.append({c.name, c.birthDate, c.cpf});
    }
    if (persons.size() <= (editing ? 1 : 0)) return false;
    // The CPF compared in stored form: a person without one is stored as zeros.
    const QString cpf = PadLeftZeros(person.cpf.trimmed(), 11);
    return std::any_of(persons.begin(), persons.end(), [&](const PersonData& p) {
        return p.name != person.name || p.birthDate != person.birthDate || PadLeftZeros(p.cpf.trimmed(), 11) != cpf;
    });
}

bool SameContractExists(const QList<ContractWithPis>& contracts, const QString& pis, const QString& admission,
                        const QString& dismissal, const QString& cbo, const QString& name, int threshold) {
    const bool byName = IsAllZeros(pis);
    const auto same = std::count_if(contracts.begin(), contracts.end(), [&](const ContractWithPis& c) {
        return c.admission == admission && c.dismissal == dismissal && c.cbo == cbo && (!byName || c.name == name);
    });
    return same > threshold;
}

bool FindPersonWithPis(db::Query& q, const QString& baseYear, const QString& pis, CopiedPerson* person) {
    q.Close();
    q.SetSQL(QStringLiteral("select NoEmpregado,DaNascimentoEmpregado,CoNacionalidade,\n"
                            "AnChegadaEmpregado,CoInstrucao,NuCartTrabEmpregado,SeCartTrabEmpregado,\n"
                            "CoTipoRaca,\nInDeficienteFisico,\nCoDeficienteFisico,\nInSexo,\nCoCPFEmpregado\n"
                            "from BD8Vinc\n"
                            "where AnBase = :sAnoBase and\n"
                            "      CoPisPasepEmpregado = :sPisPasep"));
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = baseYear;
    q.ParamByName(QStringLiteral("sPisPasep")).AsString = pis;
    q.Open();
    const bool found = q.RecordCount() > 0;
    if (found && person) {
        q.First();
        auto get = [&](const char* name) { return q.FieldByName(QLatin1String(name)).AsString(); };
        person->name = get("NoEmpregado");
        person->birthDate = get("DaNascimentoEmpregado");
        person->nationality = get("CoNacionalidade");
        person->arrivalYear = get("AnChegadaEmpregado");
        person->schooling = get("CoInstrucao");
        person->workCard = get("NuCartTrabEmpregado");
        person->workCardSeries = get("SeCartTrabEmpregado");
        person->race = get("CoTipoRaca");
        person->disabilityIndicator = get("InDeficienteFisico");
        person->disabilityType = get("CoDeficienteFisico");
        person->sex = get("InSexo");
        person->cpf = get("CoCPFEmpregado");
    }
    q.Close();
    return found;
}

// ---- Writes -----------------------------------------------------------------

ContractCounts CountEmployees(const EstablishmentKey& key) {
    ContractCounts counts;
    counts.employees = dmEntradaDados->CountContracts(key.baseYear, key.inscription, key.prefix);
    counts.foreigners = dmEntradaDados->CountForeigners(key.baseYear, key.inscription, key.prefix);
    return counts;
}

namespace {

// Runs the change of the contract and rewrites the establishment's counts in
// one transaction; a failure rolls both back and leaves the establishment
// out of edit state.
ContractCounts changeWithCounts(db::Table& contract, db::Table& establishment, const EstablishmentKey& key,
                                const std::function<void()>& change) {
    ContractCounts counts;
    std::exception_ptr failure;
    {
        db::Transaction transaction(contract.database());
        try {
            change();
            counts = CountEmployees(key);
            writeCounts(establishment, key, counts);
            transaction.commit();
        } catch (...) {
            failure = std::current_exception();
        }
    }  // a failed transaction is rolled back here
    if (!failure) return counts;
    if (establishment.State() != db::DataSetState::Browse) establishment.Cancel();
    std::rethrow_exception(failure);
}

}  // namespace

ContractCounts PostContractWithCounts(db::Table& contract, db::Table& establishment, const EstablishmentKey& key) {
    const bool appending = contract.State() == db::DataSetState::Insert;
    const QStringList typed = valuesOf(contract);
    try {
        return changeWithCounts(contract, establishment, key, [&] { contract.Post(); });
    } catch (...) {
        if (contract.State() == db::DataSetState::Browse) {
            // The contract's row went with the rollback; what was typed stays in edit.
            try {
                if (appending) contract.Append();
                else contract.Edit();
                for (int i = 0; i < contract.FieldCount() && i < typed.size(); ++i)
                    contract.Fields(i).SetAsString(typed.at(i));
            } catch (...) {
            }
        }
        throw;
    }
}

ContractCounts DeleteContractWithCounts(db::Table& contract, db::Table& establishment, const EstablishmentKey& key) {
    return changeWithCounts(contract, establishment, key, [&] { contract.Delete(); });
}
