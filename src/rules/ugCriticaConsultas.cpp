// The group queries of the record checks. Each is run once per run over the
// whole table and its rows kept by key, so each record looks its group up
// instead of walking the result.

#include "rules/ugCriticaRegistros.h"

namespace {

QString JoinKey(std::initializer_list<QString> parts) {
    QString key;
    for (const QString& p : parts) {
        key += p;
        key += QChar(0x1f);  // a separator no stored text carries
    }
    return key;
}

QString Col(db::Query& q, const char* name) { return q.FieldByName(QLatin1String(name)).AsString(); }

}  // namespace

const QVector<EstablishmentGroupRow>& ValidationRun::EstablishmentGroup(const QStringList& key) {
    if (runOnceEstablishmentGroups) {
        runOnceEstablishmentGroups = false;
        db::Query& q = *establishmentGroupQuery;
        const QString table = EstablishmentTable();
        q.Close();
        q.SQL().clear();
        q.SQL() << QStringLiteral("Select AnBase, CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado,")
                << QStringLiteral("       NuPrefixoEstabelecimento, NoRazaoEstabelecimento,CoNaturezaJuridica,CoCnae2")
                << QStringLiteral("from ") + table
                << QStringLiteral("where (AnBase, CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado) in")
                << QStringLiteral("      (select AnBase, CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado")
                << QStringLiteral("       from ") + table
                << QStringLiteral("       group by AnBase, CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado")
                << QStringLiteral("       having count(*) > 1)")
                << QStringLiteral("order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
        q.Open();
        for (q.First(); !q.Eof(); q.Next())
            establishmentGroups[JoinKey({Col(q, "AnBase"), Col(q, "CoCgcCeiEstabelecimento"),
                                         Col(q, "InInscrEstabelecimento"), Col(q, "CoCgcVinculado")})]
                << EstablishmentGroupRow{Col(q, "NuPrefixoEstabelecimento"), Col(q, "NoRazaoEstabelecimento"),
                                         Col(q, "CoNaturezaJuridica"), Col(q, "CoCnae2")};
        q.Close();
    }
    static const QVector<EstablishmentGroupRow> kNone;
    if (key.size() != 4) return kNone;
    auto it = establishmentGroups.constFind(JoinKey({key[0], key[1], key[2], key[3]}));
    return it == establishmentGroups.constEnd() ? kNone : *it;
}

bool ValidationRun::AnyRepeatedPis() {
    if (anyRepeatedPis < 0) {
        // Grouped as both queries group it: a group of the duplicate query or
        // a PIS/PASEP of the identity query is a PIS/PASEP counted here.
        db::Query q(database);
        q.SQL() << QStringLiteral("select CoPisPasepEmpregado from ") + ContractTable()
                << QStringLiteral(" group by CoPisPasepEmpregado")
                << QStringLiteral(" HAVING ( COUNT(CoPisPasepEmpregado) > 1 ) limit 1");
        q.Open();
        anyRepeatedPis = q.Eof() ? 0 : 1;
    }
    return anyRepeatedPis != 0;
}

int ValidationRun::DuplicateOccurrences(const QString& pis, const QString& admission, const QString& dismissal,
                                        const QString& cbo) {
    if (runOnceDuplicates && !AnyRepeatedPis()) return 0;
    if (runOnceDuplicates) {
        runOnceDuplicates = false;
        db::Query& q = *duplicateQuery;
        q.Close();
        q.SQL().clear();
        q.SQL() << QStringLiteral("select CoPisPasepEmpregado, DaAdmissaoEmpregado, DaDesligamentoEmpregado, ")
                << QStringLiteral(" CoCbo,") << QStringLiteral(" count(CoPisPasepEmpregado) as numOcur")
                << (useWorkingTables ? QStringLiteral("from te8vinc") : QStringLiteral(" from BD8Vinc"))
                << QStringLiteral(" group by CoPisPasepEmpregado,")
                << QStringLiteral(" DaAdmissaoEmpregado, DaDesligamentoEmpregado, CoCbo")
                << QStringLiteral("HAVING ( COUNT(CoPisPasepEmpregado) > 1 )");
        q.Open();
        for (q.First(); !q.Eof(); q.Next())
            duplicates.insert(JoinKey({Col(q, "CoPisPasepEmpregado"), Col(q, "DaAdmissaoEmpregado"),
                                       Col(q, "DaDesligamentoEmpregado"), Col(q, "CoCbo")}),
                              Col(q, "numOcur").toInt());
        q.Close();
    }
    if (duplicates.isEmpty()) return 0;
    return duplicates.value(JoinKey({pis, admission, dismissal, cbo}), 0);
}

const QVector<PisIdentityRow>& ValidationRun::PisIdentities(const QString& pis) {
    static const QVector<PisIdentityRow> kNone;
    if (runOncePisIdentity && !AnyRepeatedPis()) return kNone;
    if (runOncePisIdentity) {
        runOncePisIdentity = false;
        db::Query& q = *pisIdentityQuery;
        const QString table = ContractTable();
        q.Close();
        q.SQL().clear();
        q.SQL() << QStringLiteral("select distinct CoPisPasepEmpregado, NoEmpregado, DaNascimentoEmpregado, CoCpfEmpregado")
                << (useWorkingTables ? QStringLiteral("from te8vinc") : QStringLiteral(" from BD8Vinc"))
                << QStringLiteral(" where CoPisPasepEmpregado in (Select CoPisPasepEmpregado from ") + table +
                       QStringLiteral(" group by CoPisPasepEmpregado")
                << QStringLiteral(" HAVING ( COUNT(CoPisPasepEmpregado) > 1 ))");
        q.Open();
        for (q.First(); !q.Eof(); q.Next())
            pisIdentities[Col(q, "CoPisPasepEmpregado")]
                << PisIdentityRow{Col(q, "NoEmpregado"), Col(q, "DaNascimentoEmpregado"), Col(q, "CoCpfEmpregado")};
        q.Close();
    }
    auto it = pisIdentities.constFind(pis);
    return it == pisIdentities.constEnd() ? kNone : *it;
}

namespace critica {

QString StateCode(ValidationRun& run, const QString& abbreviation) {
    if (abbreviation.isEmpty() || abbreviation.size() > 2) return QString();
    if (!run.tbUf->FindKey({abbreviation})) return QString();
    return run.tbUf->FieldByName(QStringLiteral("CoUf")).AsString();
}

}  // namespace critica
