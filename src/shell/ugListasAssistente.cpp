#include "shell/ugListasAssistente.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"

#include <QComboBox>
#include <QListWidget>

namespace {

constexpr int kCollectedWidth = 65;

QString field(db::DataSet& ds, const char* name) { return ds.FieldByName(QString::fromLatin1(name)).AsString(); }

QListWidgetItem* addCheckable(QListWidget* list, const QString& text, const QStringList& key) {
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(Qt::UserRole, key);
    return item;
}

}  // namespace

QString EstablishmentLine(const QString& inscricao, const QString& tipoInscricao, const QString& prefixo,
                          const QString& razaoSocial) {
    return PadRight(FormatInscricao(inscricao, tipoInscricao), 18) + Spaces(2) + prefixo + Spaces(2) + razaoSocial;
}

QString EmployeeLine(const QString& pisPasep, const QString& admissao, const QString& nome, QChar order) {
    if (order == QLatin1Char('0'))
        return FormatPisPasep(pisPasep) + Spaces(2) + FormatDate8(admissao) + Spaces(2) + nome;
    return PadRight(nome, 52) + Spaces(2) + FormatPisPasep(pisPasep) + Spaces(2) + FormatDate8(admissao);
}

void FillEstablishmentCombo(QComboBox* combo, const QString& anoBase, QChar filter) {
    combo->clear();
    db::Query& q = dmLobrix->quBd8Emp;
    q.Close();
    QString sql = QStringLiteral(
        "Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,\n"
        "NoRazaoEstabelecimento, InInscrEstabelecimento\n"
        "from BD8Emp\n"
        "where anBase= :anBase");
    if (filter == QLatin1Char('N')) sql += QStringLiteral("\n and InZuvoNegEstabelecimento = '0'");
    // The original engine gave the rows in key order.
    sql += QStringLiteral("\norder by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
    q.SetSQL(sql);
    q.ParamByName(QStringLiteral("anBase")).AsString = anoBase;
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        const QString cnpj = field(q, "CoCgcCeiEstabelecimento");
        const QString prefixo = field(q, "NuPrefixoEstabelecimento");
        combo->addItem(EstablishmentLine(cnpj, field(q, "InInscrEstabelecimento"), prefixo,
                                         field(q, "NoRazaoEstabelecimento")),
                       QStringList{anoBase, cnpj, prefixo});
    }
}

void FillEstablishmentCheckList(QListWidget* list, const QString& anoBase, QChar filter, QChar order) {
    list->clear();
    db::Query& q = dmLobrix->quBd8Emp;
    q.Close();
    QString sql = QStringLiteral(
        "Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, inInscrEstabelecimento\n"
        "from BD8Emp\n"
        "where anbase = :anobase");
    if (filter == QLatin1Char('N')) sql += QStringLiteral("\n and inZuvoNegEstabelecimento = '0' ");
    sql += order == QLatin1Char('0') ? QStringLiteral("\n order by CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento")
                                     : QStringLiteral("\n order by NoRazaoEstabelecimento");
    q.SetSQL(sql);
    q.ParamByName(QStringLiteral("anobase")).AsString = anoBase;
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        const QString cnpj = field(q, "CoCgcCeiEstabelecimento");
        const QString prefixo = field(q, "NuPrefixoEstabelecimento");
        addCheckable(list,
                     EstablishmentLine(cnpj, field(q, "InInscrEstabelecimento"), prefixo,
                                       field(q, "NoRazaoEstabelecimento")),
                     {anoBase, cnpj, prefixo});
    }
}

void FillEmployeeCheckList(QListWidget* list, const QString& anoBase, const QString& inscricao,
                           const QString& prefixo, QChar order) {
    list->clear();
    db::Query& q = dmLobrix->quBd8Emp;
    q.Close();
    // The whole key rides beside each line: two contracts may share the
    // PIS/PASEP, the admission date and the name and differ further on.
    QString sql = QStringLiteral(
        "Select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado, NuSequencialRegistro,\n"
        "CoCgcVinculado, InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo\n"
        "from BD8Vinc\n"
        "where AnBase = :anobase\n"
        "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento\n"
        "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento\n");
    sql += order == QLatin1Char('0') ? QStringLiteral("order by CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado")
                                     : QStringLiteral("order by NoEmpregado, CoPisPasepEmpregado, DaAdmissaoEmpregado");
    q.SetSQL(sql);
    q.ParamByName(QStringLiteral("anobase")).AsString = anoBase;
    q.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString = inscricao;
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = prefixo;
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        const QString pis = field(q, "CoPisPasepEmpregado");
        const QString admissao = field(q, "DaAdmissaoEmpregado");
        const QString nome = field(q, "NoEmpregado");
        addCheckable(list, EmployeeLine(pis, admissao, nome, order),
                     {anoBase, inscricao, prefixo, pis, admissao, nome, field(q, "NuSequencialRegistro"),
                      field(q, "CoCgcVinculado"), field(q, "InInscrEstabelecimento"),
                      field(q, "DaDesligamentoEmpregado"), field(q, "CoCbo")});
    }
}

int CollectCheckedLines(QListWidget* list, QList<CheckedLine>& lines) {
    lines.clear();
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->checkState() != Qt::Checked) continue;
        lines.append({item->text().left(kCollectedWidth), item->data(Qt::UserRole).toStringList()});
    }
    return int(lines.size());
}

QStringList LineKey(QComboBox* combo, int index) { return combo->itemData(index).toStringList(); }

QStringList LineKey(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    return item ? item->data(Qt::UserRole).toStringList() : QStringList();
}

quint16 MaxItemLength(QListWidget* list) {
    int longest = 0;
    for (int i = 0; i < list->count(); ++i) longest = qMax(longest, int(list->item(i)->text().size()));
    return quint16(longest);
}

void RecoverInterruptedOperation(const QString& anoBase, const QString& inscricao, const QString& prefixo) {
    db::Table& t = dmEntradaDados->ta8Empresa;
    const bool wasOpen = t.Active();
    if (!wasOpen) t.Open();
    if (t.FindKey({anoBase, inscricao, prefixo})) {
        const QString marker = t.FieldByName(QStringLiteral("InOpcaoAberta")).AsString();
        if (!marker.isEmpty()) {
            static const QHash<QString, QString> codes = {
                {QStringLiteral("0"), QStringLiteral("0500")}, {QStringLiteral("1"), QStringLiteral("0501")},
                {QStringLiteral("3"), QStringLiteral("0502")}, {QStringLiteral("4"), QStringLiteral("0503")},
                {QStringLiteral("5"), QStringLiteral("0504")},
            };
            const QString code = codes.value(marker);
            if (!code.isEmpty())
                ShowMessageForEstablishment(code, inscricao, t.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString(),
                                            t.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString(), prefixo);
            t.Edit();
            t.FieldByName(QStringLiteral("InOpcaoAberta")).SetAsString(QString());
            t.Post();
        }
    }
    if (!wasOpen) t.Close();
}
