#include "ugImportacao.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/ProgressHost.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/DeclarationTables.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"

#include <QSet>

namespace declfile {

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

const QString kKeepPrefix = QStringLiteral("$$");
const QString kZeroCnpj = QStringLiteral("00000000000000");
const QString kZeroPis = QStringLiteral("00000000000");
constexpr int kPrefixCount = 36 * 36;

const QStringList kUnionCnpjEstablishment{L("CoCNPJCentralizada"), L("CoCNPJSindical"), L("CoCNPJAssociativa"),
                                          L("CoCNPJAssistencial"), L("CoCNPJConfederativa")};
const QStringList kUnionCnpjContract{L("CoCNPJSindical"), L("CoCNPJPrimAssociativa"), L("CoCNPJSegAssociativa"),
                                     L("CoCNPJAssistencial"), L("CoCNPJConfederativa")};

QString text(db::DataSet& d, const char* column) { return d.FieldByName(L(column)).AsString(); }

QString increment(const QString& counter) { return QString::number(counter.trimmed().toLongLong() + 1); }

// A terminated contract of the previous year does not carry over.
bool CarriesOver(const QString& cause) {
    const QString c = cause.trimmed();
    return c == QLatin1String("00") || c == QLatin1String("71") || c == QLatin1String("78");
}

}  // namespace

db::TableDef ImportTableDef() {
    using db::textField;
    db::TableDef t;
    t.fileName = QStringLiteral("TE8Imp.db");
    t.fields = {textField(L("AnBase"), 4),
                textField(L("CoCgcCeiEstabelecimento"), 14),
                textField(L("NuPrefixoEstabelecimento"), 2),
                textField(L("CoCgcVinculado"), 14),
                textField(L("InInscrEstabelecimento"), 1),
                textField(L("NuVinculosEstabelecimento"), 6),
                textField(L("NuTotalDesligados"), 6),
                textField(L("NuTotalDuplicados"), 6),
                textField(L("NuTotalImportados"), 6),
                textField(L("CoImp"), 4),
                textField(L("Seq"), 3)};
    return t;
}

QString NextPrefix(const QString& prefix) {
    auto next = [](QChar c, bool& carry) {
        carry = false;
        if (c == QLatin1Char('9')) return QChar(QLatin1Char('A'));
        if (c == QLatin1Char('Z')) {
            carry = true;
            return QChar(QLatin1Char('0'));
        }
        return QChar(c.unicode() + 1);
    };
    QString p = prefix.leftJustified(2, QLatin1Char('0')).left(2).toUpper();
    bool carry = false;
    p[1] = next(p[1], carry);
    if (carry) p[0] = next(p[0], carry);
    return p;
}

QString CodeSequence::Assign(const QString& code) {
    for (const auto& pair : pairs_)
        if (pair.first == code) return pair.second;
    ++counter_;
    pairs_.prepend({code, QString::number(counter_)});
    return pairs_.first().second;
}

void CodeSequence::Clear() {
    pairs_.clear();
    counter_ = 0;
}

// What happens to one chosen establishment, kept in memory while it is
// imported and written to its TE8Imp row afterwards.
struct TImportacao::Counters {
    QString desligados = QStringLiteral("0");
    QString duplicados = QStringLiteral("0");
    QString importados = QStringLiteral("0");
    QString coImp;
    QString seq;
    QString prefixo;  // the row's prefix (the new one when renumbered)
};

TImportacao::TImportacao(std::shared_ptr<db::Database> database, int anoBase, int anoArquivo, bool layoutAnterior)
    : db_(std::move(database)),
      anoBase_(anoBase),
      anoArquivo_(anoArquivo),
      layoutAnterior_(layoutAnterior),
      target_(QString::number(anoBase)) {}

TImportacao::~TImportacao() = default;

void TImportacao::CreateImportTable() {
    imp_.reset();
    db_->createTable(ImportTableDef());
    imp_ = std::make_unique<db::Table>(db_, ImportTableDef().fileName);
    imp_->Open();
}

bool TImportacao::AddChosen(const QString& inscricao, const QString& prefixo) {
    if (!te8Emp_) {
        te8Emp_ = std::make_unique<db::Table>(db_, L("Te8emp.db"));
        te8Emp_->Open();
    }
    if (!te8Emp_->Locate({L("AnBase"), L("CoCgcCeiEstabelecimento"), L("NuPrefixoEstabelecimento")},
                         {QString::number(anoArquivo_), inscricao, prefixo}, true))
        return false;
    imp_->Append();
    imp_->FieldByName(L("AnBase")).SetAsString(target_);
    for (const char* column : {"InInscrEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcCeiEstabelecimento",
                               "CoCgcVinculado", "NuVinculosEstabelecimento"})
        imp_->FieldByName(L(column)).SetAsString(text(*te8Emp_, column));
    for (const char* counter : {"NuTotalDesligados", "NuTotalDuplicados", "NuTotalImportados"})
        imp_->FieldByName(L(counter)).SetAsString(QStringLiteral("0"));
    imp_->Post();
    return true;
}

void TImportacao::Run(int listEntries, forms::ProgressHost& host) {
    host_ = &host;
    sequence_.Clear();
    emp_ = std::make_unique<db::Table>(db_, DeclarationTables::BD8Emp().fileName);
    vinc_ = std::make_unique<db::Table>(db_, DeclarationTables::BD8Vinc().fileName);
    if (!te8Emp_) te8Emp_ = std::make_unique<db::Table>(db_, L("Te8emp.db"));
    for (db::Table* t : {emp_.get(), vinc_.get(), te8Emp_.get()})
        if (!t->Active()) t->Open();
    selecVinc_ = std::make_unique<db::Query>(db_);

    int n = 0;
    {
        db::Table te8Vinc(db_, L("Te8vinc.db"));
        te8Vinc.Open();
        n = te8Vinc.RecordCount();
    }
    const int e = qMax(listEntries, 1);
    perContract_ = n > 0 && n > 10 * e;
    stepContract_ = n > 0 ? 100.0 / n : 0;
    progress_ = 0;
    host.SetProgressMaximum(100);
    host.SetProgress(0);

    db::Transaction transaction(*db_);
    imp_->First();
    while (!imp_->Eof()) {
        host.ProcessEvents();
        if (!perContract_) {
            progress_ += 100.0 / e;
            host.SetProgress(int(progress_));
        }
        Counters c;
        c.prefixo = text(*imp_, "NuPrefixoEstabelecimento");
        ImportChosen(c);
        imp_->Edit();
        imp_->FieldByName(L("NuPrefixoEstabelecimento")).SetAsString(c.prefixo);
        imp_->FieldByName(L("NuTotalDesligados")).SetAsString(c.desligados);
        imp_->FieldByName(L("NuTotalDuplicados")).SetAsString(c.duplicados);
        imp_->FieldByName(L("NuTotalImportados")).SetAsString(c.importados);
        imp_->FieldByName(L("CoImp")).SetAsString(c.coImp);
        imp_->FieldByName(L("Seq")).SetAsString(c.seq);
        imp_->Post();
        imp_->Next();
    }
    transaction.commit();
    imp_->Close();
    host_ = nullptr;
}

void TImportacao::SetCode(Counters& c, const QString& code) {
    c.coImp = code;
    c.seq = sequence_.Assign(code);
}

// The field rules of a chosen establishment decide whether it is imported.
void TImportacao::ImportChosen(Counters& c) {
    QString inscricao = text(*imp_, "CoCgcCeiEstabelecimento");
    if (inscricao.size() == 12) inscricao = QStringLiteral("00") + inscricao;
    const QString prefixo = c.prefixo;
    const QString tipo = text(*imp_, "InInscrEstabelecimento");
    const QString byInscription = CheckInscription(inscricao);
    const bool inscriptionOk = byInscription == QLatin1String("0050") || byInscription == QLatin1String("0051") ||
                               byInscription == QLatin1String("0052");
    const QString results[] = {inscriptionOk ? QStringLiteral("0000") : byInscription, CheckInscriptionType(tipo),
                               CheckInscriptionByType(inscricao, tipo), CheckPrefix(prefixo)};
    for (const QString& r : results) {
        if (r != QLatin1String("0000")) {
            SetCode(c, r);
            return;
        }
    }
    ImportEstablishment(anoArquivo_, inscricao, prefixo, c);
}

bool TImportacao::FindExistingEstablishment(const QString& inscricao, const QString& prefixo, Counters& c) {
    novoPrefixo_ = kKeepPrefix;
    existente_ = false;
    if (!emp_->Locate({L("AnBase"), L("CoCgcCeiEstabelecimento"), L("NuPrefixoEstabelecimento")},
                      {target_, inscricao, prefixo}, true))
        return true;
    if (text(*emp_, "CoCgcVinculado") == PadLeftZeros(text(*te8Emp_, "CoCgcVinculado"), 14)) {
        existente_ = true;
        return true;
    }
    const QString free = FindFreePrefix(target_, inscricao, QStringLiteral("G0"));
    if (free.isEmpty()) {
        SetCode(c, kCodigoSemPrefixoLivre);
        return false;
    }
    novoPrefixo_ = free;
    c.prefixo = free;
    SetCode(c, QStringLiteral("1505"));
    return true;
}

QString TImportacao::FindFreePrefix(const QString& ano, const QString& inscricao, const QString& first) {
    if (!emp_) {
        emp_ = std::make_unique<db::Table>(db_, DeclarationTables::BD8Emp().fileName);
        emp_->Open();
    }
    // One query for the prefixes taken, instead of one look-up per candidate.
    db::Query q(db_);
    q.SetSQL(QStringLiteral("select NuPrefixoEstabelecimento from BD8Emp\n"
                            "where AnBase = :AnBase and CoCgcCeiEstabelecimento = :Inscricao"));
    q.ParamByName(L("AnBase")).AsString = ano;
    q.ParamByName(L("Inscricao")).AsString = inscricao;
    q.Open();
    QSet<QString> taken;
    for (q.First(); !q.Eof(); q.Next()) taken.insert(q.Fields(0).AsString().toUpper());
    q.Close();
    QString candidate = first.toUpper();
    // Every prefix once: a full set of prefixes must not loop for ever.
    for (int i = 0; i < kPrefixCount; ++i) {
        if (!taken.contains(candidate)) return candidate;
        candidate = NextPrefix(candidate);
    }
    return QString();
}

void TImportacao::ImportEstablishment(int year, const QString& inscricao, const QString& prefixo, Counters& c) {
    const QString yearText = QString::number(year);
    // The entry's working row, found again; an entry without one is skipped.
    if (!te8Emp_->Locate({L("AnBase"), L("NuPrefixoEstabelecimento"), L("CoCgcCeiEstabelecimento")},
                         {yearText, prefixo, inscricao}, true))
        return;
    if (!FindExistingEstablishment(inscricao, prefixo, c)) return;
    const QString ownPrefix = text(*te8Emp_, "NuPrefixoEstabelecimento");
    const QString destPrefix = novoPrefixo_ == kKeepPrefix ? ownPrefix : novoPrefixo_;
    const bool withoutEmployeesInFile = text(*te8Emp_, "InZuvoNegEstabelecimento") == QLatin1String("1");
    const bool recordedWithout =
        existente_ && text(*emp_, "InZuvoNegEstabelecimento") == QLatin1String("1") && !withoutEmployeesInFile;
    const QString fileInscricao = text(*te8Emp_, "CoCgcCeiEstabelecimento");

    if (existente_ && withoutEmployeesInFile) {
        SetCode(c, QStringLiteral("1501"));
        return;
    }

    if (year == anoBase_ - 1) {
        bool appended = false;
        if (!existente_ && withoutEmployeesInFile) {
            WriteEstablishment(true, inscricao, destPrefix);
            appended = true;
        }
        bool reached = false;
        ScanContracts(yearText, fileInscricao, ownPrefix, [&](db::DataSet& contract) {
            if (!CarriesOver(text(contract, "CoCausaDesligamento"))) {
                c.desligados = increment(c.desligados);
                if (recordedWithout) SetCode(c, QStringLiteral("1504"));
                return;
            }
            if (recordedWithout) SetCode(c, QStringLiteral("1502"));
            reached = true;
            ImportContract(contract, c);
        });
        if (reached && !existente_ && !appended) WriteEstablishment(true, inscricao, destPrefix);
        if (reached && recordedWithout) WriteEstablishment(false, inscricao, destPrefix);
    } else if (year == anoBase_) {
        if (!existente_) WriteEstablishment(true, inscricao, destPrefix);
        else if (recordedWithout) {
            WriteEstablishment(false, inscricao, destPrefix);
            SetCode(c, QStringLiteral("1502"));
        }
        ScanContracts(yearText, fileInscricao, ownPrefix, [&](db::DataSet& contract) { ImportContract(contract, c); });
    } else {
        return;  // a file of another year imports nothing
    }
    if (c.importados != QLatin1String("0")) Recount(inscricao, destPrefix);
}

// The working contracts of one establishment of the file, in the order of
// Te8Vinc's key, read a block at a time: a block in memory keeps a 40,000
// contract establishment small, and reading on from an offset is not upset by
// the rows written meanwhile.
void TImportacao::ScanContracts(const QString& year, const QString& inscricao, const QString& prefixo,
                                const std::function<void(db::DataSet&)>& each) {
    constexpr int kBlock = 512;
    const QString sql = QStringLiteral("SELECT * FROM Te8Vinc\nWHERE CoCgcCeiEstabelecimento = :Inscricao\n"
                                       "AND NuPrefixoEstabelecimento = :Prefixo\nAND AnBase = :AnBase\nORDER BY ") +
                        DeclarationTables::AnalyserContractKey().join(QStringLiteral(", ")) +
                        QStringLiteral(", rowid\nLIMIT %1 OFFSET ").arg(kBlock);
    db::Query& q = *selecVinc_;
    for (int offset = 0;; offset += kBlock) {
        q.Close();
        q.SetSQL(sql + QString::number(offset));
        q.ParamByName(L("Inscricao")).AsString = inscricao;
        q.ParamByName(L("Prefixo")).AsString = prefixo;
        q.ParamByName(L("AnBase")).AsString = year;
        q.Open();
        PlanContractColumns(q);
        int n = 0;
        for (q.First(); !q.Eof(); q.Next(), ++n) {
            host_->ProcessEvents();
            each(q);
        }
        q.Close();
        if (n < kBlock) break;
    }
}

void TImportacao::WriteEstablishment(bool append, const QString& inscricao, const QString& prefixo) {
    if (append) {
        emp_->Append();
    } else {
        if (!emp_->Locate({L("AnBase"), L("NuPrefixoEstabelecimento"), L("CoCgcCeiEstabelecimento")},
                          {target_, prefixo, inscricao}, true))
            return;
        emp_->Edit();
    }
    emp_->FieldByName(L("AnBase")).SetAsString(target_);
    CopyEstablishmentFields(*emp_);
    emp_->Post();
}

void TImportacao::CopyEstablishmentFields(db::Table& emp) {
    const bool previous = anoArquivo_ == anoBase_ - 1;
    for (int i = 0; i < emp.FieldCount(); ++i) {
        db::Field& to = emp.Fields(i);
        const QString& name = to.FieldName();
        if (name.compare(L("AnBase"), Qt::CaseInsensitive) == 0 ||
            name.compare(L("CoCnae"), Qt::CaseInsensitive) == 0 ||
            name.compare(L("NuSequencialRegistro"), Qt::CaseInsensitive) == 0)
            continue;
        if (name.compare(L("InAvisoCnae"), Qt::CaseInsensitive) == 0) {
            to.SetAsBoolean(layoutAnterior_);
            continue;
        }
        if (name.compare(L("NuPrefixoEstabelecimento"), Qt::CaseInsensitive) == 0 && novoPrefixo_ != kKeepPrefix) {
            to.SetAsString(novoPrefixo_);
            continue;
        }
        if (previous && name.compare(L("InSindicalizada"), Qt::CaseInsensitive) == 0) {
            to.SetAsString(QString());
            continue;
        }
        db::Field* from = te8Emp_->FindField(name);
        if (!from) continue;
        if (to.DataType() == db::FieldType::Boolean) {
            to.SetAsBoolean(from->AsBoolean());
            continue;
        }
        const QString value = from->AsString();
        to.SetAsString(kUnionCnpjEstablishment.contains(name, Qt::CaseInsensitive) && value == kZeroCnpj ? QString()
                                                                                                      : value);
    }
}

// How each BD8Vinc column is filled from a working contract, worked out once
// per block of contracts rather than by name for every contract.
void TImportacao::PlanContractColumns(db::DataSet& source) {
    const bool previous = anoArquivo_ == anoBase_ - 1;
    plan_.clear();
    for (int i = 0; i < vinc_->FieldCount(); ++i) {
        const QString& name = vinc_->Fields(i).FieldName();
        auto is = [&name](const char* column) { return name.compare(L(column), Qt::CaseInsensitive) == 0; };
        db::Field* from = source.FindField(name);
        ColumnPlan p{i, from ? from->Index() : -1, ColumnPlan::Copy};
        if (is("NuSequencialRegistro") || is("CoMotivoAfastamento")) continue;
        if (is("AnBase")) p.kind = ColumnPlan::Year;
        else if (is("NuPrefixoEstabelecimento")) p.kind = ColumnPlan::Prefix;
        else if (previous && name.startsWith(L("HoTrabalhadas"), Qt::CaseInsensitive)) p.kind = ColumnPlan::Hours;
        else if (previous && (is("InSindicalizadoVinculo") || is("CoDeficienteFisico"))) continue;
        else if (previous && is("QtDiasAfas")) p.kind = ColumnPlan::DaysAbsent;
        else if (kUnionCnpjContract.contains(name, Qt::CaseInsensitive)) p.kind = ColumnPlan::UnionCnpj;
        else if (vinc_->Fields(i).DataType() == db::FieldType::Boolean) p.kind = ColumnPlan::Flag;
        if (p.source < 0 && (p.kind == ColumnPlan::Copy || p.kind == ColumnPlan::Flag)) continue;
        plan_.push_back(p);
    }
}

void TImportacao::ImportContract(db::DataSet& source, Counters& c) {
    if (perContract_) {
        progress_ += stepContract_;
        host_->SetProgress(int(progress_));
    }
    const QString destPrefix = novoPrefixo_ != kKeepPrefix ? novoPrefixo_ : text(source, "NuPrefixoEstabelecimento");
    const QString pis = text(source, "CoPisPasepEmpregado");
    QStringList key{target_, text(source, "CoCgcCeiEstabelecimento"), destPrefix, pis,
                    text(source, "DaAdmissaoEmpregado")};
    if (pis == kZeroPis) key << text(source, "NoEmpregado");
    if (vinc_->FindKey(key)) {
        c.duplicados = increment(c.duplicados);
        return;
    }
    vinc_->Append();
    for (const ColumnPlan& p : plan_) {
        db::Field& to = vinc_->Fields(p.dest);
        switch (p.kind) {
        case ColumnPlan::Year: to.SetAsString(target_); break;
        case ColumnPlan::Prefix: to.SetAsString(destPrefix); break;
        case ColumnPlan::Hours: to.SetAsString(QStringLiteral("000")); break;
        case ColumnPlan::Flag: to.SetAsBoolean(source.Fields(p.source).AsBoolean()); break;
        case ColumnPlan::DaysAbsent: {
            const QString value = p.source < 0 ? QString() : source.Fields(p.source).AsString();
            to.SetAsString(value.trimmed().isEmpty() ? QStringLiteral("000") : value);
            break;
        }
        case ColumnPlan::UnionCnpj: {
            const QString value = p.source < 0 ? QString() : source.Fields(p.source).AsString();
            to.SetAsString(value == kZeroCnpj ? QString() : value);
            break;
        }
        case ColumnPlan::Copy: to.SetAsString(source.Fields(p.source).AsString()); break;
        }
    }
    vinc_->Post();
    c.importados = increment(c.importados);
}

// The counts of an establishment that gained contracts follow its rows: the
// check's foreigner warning reads them.
void TImportacao::Recount(const QString& inscricao, const QString& prefixo) {
    TdmEntradaDados* counts = dmEntradaDados;
    if (!counts) {
        if (!ownCounts_) ownCounts_ = std::make_unique<TdmEntradaDados>();
        counts = ownCounts_.get();
    }
    if (!emp_->Locate({L("AnBase"), L("CoCgcCeiEstabelecimento"), L("NuPrefixoEstabelecimento")},
                      {target_, inscricao, prefixo}, true))
        return;
    const QString key = text(*emp_, "NuPrefixoEstabelecimento");
    const QString contracts = PadLeftZeros(QString::number(counts->CountContracts(target_, inscricao, key)), 6);
    const QString foreign = PadLeftZeros(QString::number(counts->CountForeigners(target_, inscricao, key)), 5);
    emp_->Edit();
    emp_->FieldByName(L("NuVinculosEstabelecimento")).SetAsString(contracts);
    emp_->FieldByName(L("NuEstrangeirosEstabelec")).SetAsString(foreign);
    emp_->Post();
}

}  // namespace declfile
