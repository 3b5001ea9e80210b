#include "shell/ugListasAssistente.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressDialog>
#include <algorithm>
#include <memory>
#include <vector>

// The keys of a check list's lines: the columns every line shares once, and
// each line's own columns packed one after another as UTF-8, in line order.
// A contract list's keys also make its lines (`order` is the list's order).
class LineKeyRows {
public:
    LineKeyRows(QStringList shared, int own, QChar order) : shared_(std::move(shared)), own_(own), order_(order) {}

    void Add(QByteArrayView value) {
        bytes_.append(value);
        ends_.push_back(quint32(bytes_.size()));
    }
    int Count() const { return own_ ? int(ends_.size() / std::size_t(own_)) : 0; }
    const QStringList& Shared() const { return shared_; }
    int Own() const { return own_; }
    // A row's own column.
    QByteArrayView Bytes(int row, int column) const {
        const std::size_t i = std::size_t(row) * own_ + column;
        const quint32 begin = i ? ends_[i - 1] : 0;
        return QByteArrayView(bytes_.constData() + begin, ends_[i] - begin);
    }
    QString Text(int row, int column) const { return QString::fromUtf8(Bytes(row, column)); }
    QStringList Key(int row) const {
        if (row < 0 || row >= Count()) return {};
        QStringList key = shared_;
        for (int c = 0; c < own_; ++c) key << Text(row, c);
        return key;
    }
    bool MakesLines() const { return !order_.isNull(); }
    QString Line(int row) const { return EmployeeLine(Text(row, 0), Text(row, 1), Text(row, 2), order_); }

private:
    QStringList shared_;
    int own_;
    QChar order_;
    QByteArray bytes_;
    std::vector<quint32> ends_;
};

namespace {

constexpr int kCollectedWidth = 65;

// Holds a check list's keys as a child of the list; the list's lines and
// the lines collected from it share them.
class LineKeys : public QObject {
public:
    // The list's keys, made afresh for its new lines.
    static LineKeyRows& Renew(QListWidget* list, QStringList shared, int own, QChar order = QChar()) {
        delete Of(list);
        return *(new LineKeys(list, std::make_shared<LineKeyRows>(std::move(shared), own, order)))->rows_;
    }
    // None when the list was filled otherwise.
    static LineKeys* Of(const QListWidget* list) {
        for (QObject* child : list->children())
            if (auto* keys = dynamic_cast<LineKeys*>(child)) return keys;
        return nullptr;
    }
    const std::shared_ptr<LineKeyRows>& Rows() const { return rows_; }

private:
    LineKeys(QListWidget* list, std::shared_ptr<LineKeyRows> rows) : QObject(list), rows_(std::move(rows)) {}
    std::shared_ptr<LineKeyRows> rows_;
};

QString field(db::DataSet& ds, const char* name) { return ds.FieldByName(QString::fromLatin1(name)).AsString(); }

// A line with an empty box, made whole before the list takes it: an item
// made inside the list would have the list search all its lines for it.
void addCheckable(QListWidget* list, const QString& text) {
    auto* item = new QListWidgetItem(text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    list->addItem(item);
}

// A contract's line, made from the columns of its key each time it is shown:
// a list of many thousand contracts keeps no text per line, only the line's
// row in the list's keys, whose first three columns make the line.
class ContractLine : public QListWidgetItem {
public:
    ContractLine(const LineKeyRows& keys, int row) : keys_(keys), row_(row) {
        setFlags(flags() | Qt::ItemIsUserCheckable);
        setCheckState(Qt::Unchecked);
    }
    QVariant data(int role) const override {
        if (role != Qt::DisplayRole && role != Qt::EditRole) return QListWidgetItem::data(role);
        QVariant set = QListWidgetItem::data(role);  // a text given to the line since
        if (set.isValid()) return set;
        return keys_.Line(row_);
    }
    // Whether the line is still the one its key makes.
    bool MadeByKey() const { return !QListWidgetItem::data(Qt::DisplayRole).isValid(); }

private:
    const LineKeyRows& keys_;  // the list's, which lives as long as its lines
    int row_;
};

// How far a long fill has come, shown once it has taken half a second.
class FillProgress {
public:
    // The clock starts now, before the rows are read.
    FillProgress() { clock_.start(); }
    void SetTotal(int total) { total_ = total; }
    void Step(int done) {
        if (done % 1024 != 0) return;
        if (!dialog_) {
            if (clock_.elapsed() < 500 || total_ - done < 1024) return;
            dialog_ = std::make_unique<QProgressDialog>(
                QStringLiteral("Aguarde, lendo os empregados/servidores do estabelecimento..."), QString(), 0, total_,
                QApplication::activeWindow());
            dialog_->setObjectName(QStringLiteral("fmProgressoLista"));
            dialog_->setWindowModality(Qt::ApplicationModal);
            dialog_->setMinimumDuration(0);
            dialog_->setAutoClose(false);
            dialog_->setAutoReset(false);
            dialog_->show();
        }
        // Modal, it lets the screen paint.
        dialog_->setValue(done);
    }

private:
    int total_ = 0;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

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
    LineKeyRows& keys = LineKeys::Renew(list, {anoBase}, 2);
    db::Field& cnpj = q.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento"));
    db::Field& prefixo = q.FieldByName(QStringLiteral("NuPrefixoEstabelecimento"));
    for (q.First(); !q.Eof(); q.Next()) {
        addCheckable(list, EstablishmentLine(cnpj.AsString(), field(q, "InInscrEstabelecimento"), prefixo.AsString(),
                                             field(q, "NoRazaoEstabelecimento")));
        keys.Add(cnpj.AsUtf8());
        keys.Add(prefixo.AsUtf8());
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
    FillProgress progress;
    q.Open();
    progress.SetTotal(q.RecordCount());
    // The key's columns after the establishment's, in key order: the first
    // three also make the line.
    std::vector<db::Field*> own;
    for (const char* name : {"CoPisPasepEmpregado", "DaAdmissaoEmpregado", "NoEmpregado", "NuSequencialRegistro",
                             "CoCgcVinculado", "InInscrEstabelecimento", "DaDesligamentoEmpregado", "CoCbo"})
        own.push_back(&q.FieldByName(QLatin1String(name)));
    LineKeyRows& keys = LineKeys::Renew(list, {anoBase, inscricao, prefixo}, int(own.size()), order);
    int row = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        for (db::Field* f : own) keys.Add(f->AsUtf8());
        // Made whole before the list takes it, like every line.
        list->addItem(new ContractLine(keys, row));
        progress.Step(++row);
    }
    // The rows are in the list's keys now: the query lets go of its copy.
    q.Close();
}

CheckedLines::CheckedLines() = default;
CheckedLines::~CheckedLines() = default;

void CheckedLines::clear() {
    keys_.reset();
    rows_.clear();
    texts_.clear();
}

QString CheckedLines::Line(int i) const {
    if (!texts_.isEmpty()) return texts_.at(i);
    return keys_->Line(rows_.at(std::size_t(i))).left(kCollectedWidth);
}

QStringList CheckedLines::Key(int i) const { return keys_ ? keys_->Key(rows_.at(std::size_t(i))) : QStringList(); }

QStringList CheckedLines::SharedKey() const { return keys_ ? keys_->Shared() : QStringList(); }

int CheckedLines::OwnKeyColumns() const { return keys_ ? keys_->Own() : 0; }

QByteArrayView CheckedLines::OwnKeyColumn(int i, int column) const {
    return keys_->Bytes(rows_.at(std::size_t(i)), column);
}

int CollectCheckedLines(QListWidget* list, CheckedLines& lines) {
    lines.clear();
    const LineKeys* holder = LineKeys::Of(list);
    // Lines beyond the keys (added otherwise since) have none.
    const int keyed = holder ? std::min(holder->Rows()->Count(), list->count()) : 0;
    bool madeByKeys = holder && holder->Rows()->MakesLines();
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->checkState() != Qt::Checked) continue;
        if (i >= keyed) {
            // No key to find the row by: such a line is never kept (as before, when its key was empty).
            madeByKeys = false;
        } else if (madeByKeys) {
            const auto* line = dynamic_cast<const ContractLine*>(item);
            madeByKeys = line && line->MadeByKey();
        }
        lines.rows_.push_back(i);
    }
    if (holder) lines.keys_ = holder->Rows();
    // Lines the keys cannot make are kept as their text.
    if (!madeByKeys)
        for (int row : lines.rows_) lines.texts_ << list->item(row)->text().left(kCollectedWidth);
    return lines.size();
}

QStringList LineKey(QComboBox* combo, int index) { return combo->itemData(index).toStringList(); }

QStringList LineKey(QListWidget* list, int row) {
    const LineKeys* keys = LineKeys::Of(list);
    return keys && row < list->count() ? keys->Rows()->Key(row) : QStringList();
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
