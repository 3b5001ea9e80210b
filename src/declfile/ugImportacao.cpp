#include "declfile/ugImportacao.h"

#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/ProgressHost.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/DeclarationTables.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"

#include <QSet>

#include <cstring>

namespace declfile {

namespace {

QString L(const char* text) { return QString::fromLatin1(text); }

const QString kKeepPrefix = QStringLiteral("$$");
const QString kZeroCnpj = QStringLiteral("00000000000000");
constexpr QByteArrayView kZeroPisBytes("00000000000");
constexpr int kPrefixCount = 36 * 36;

const QStringList kUnionCnpjEstablishment{L("CoCNPJCentralizada"), L("CoCNPJSindical"), L("CoCNPJAssociativa"),
                                          L("CoCNPJAssistencial"), L("CoCNPJConfederativa")};
const QStringList kUnionCnpjContract{L("CoCNPJSindical"), L("CoCNPJPrimAssociativa"), L("CoCNPJSegAssociativa"),
                                     L("CoCNPJAssistencial"), L("CoCNPJConfederativa")};

QString text(db::DataSet& d, const char* column) { return d.FieldByName(L(column)).AsString(); }

bool IsAscii(QByteArrayView v) {
    for (const char b : v)
        if (static_cast<unsigned char>(b) >= 0x80) return false;
    return true;
}

// The row of a table with these values, found regardless of letter case.
// Values without letters are found by an exact search, which finds the same
// row through the table's index instead of reading every row.
bool LocateKey(db::Table& table, const QStringList& fields, const QStringList& values) {
    bool letters = false;
    for (const QString& v : values)
        for (const QChar c : v) letters = letters || (c.unicode() < 0x80 && c.isLetter());
    return table.Locate(fields, values, letters);
}

// A terminated contract of the previous year does not carry over.
bool CarriesOver(QByteArrayView cause) {
    if (!IsAscii(cause)) {
        const QString c = QString::fromUtf8(cause).trimmed();
        return c == QLatin1String("00") || c == QLatin1String("71") || c == QLatin1String("78");
    }
    const QByteArrayView c = cause.trimmed();
    return c == "00" || c == "71" || c == "78";
}

// A value as the store keeps it in a column of that width (cut, without
// trailing blanks; a width of -1 takes it as it is), appended to `out` after
// its length.
void AppendStored(QByteArray& out, QByteArrayView v, int width) {
    QByteArray recoded;
    if (width < 0) {
        // as it is
    } else if (IsAscii(v)) {
        if (width > 0 && v.size() > width) v = v.first(width);
        while (!v.isEmpty() && v.back() == ' ') v.chop(1);
    } else {
        recoded = db::normalizeText(QString::fromUtf8(v), width).toUtf8();
        v = recoded;
    }
    const quint16 n = quint16(v.size());
    out.append(reinterpret_cast<const char*>(&n), sizeof n);
    out.append(v);
}

// A value as the store keeps it in a column of that width.
QByteArray StoredBytes(QByteArrayView v, int width) {
    QByteArray out;
    AppendStored(out, v, width);
    return out.sliced(sizeof(quint16));
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
    qint64 desligados = 0;
    qint64 duplicados = 0;
    qint64 importados = 0;
    QString coImp;
    QString seq;
    QString prefixo;  // the row's prefix (the new one when renumbered)
};

TImportacao::TImportacao(std::shared_ptr<db::Database> database, int anoBase, int anoArquivo, bool layoutAnterior)
    : db_(std::move(database)),
      anoBase_(anoBase),
      anoArquivo_(anoArquivo),
      layoutAnterior_(layoutAnterior),
      target_(QString::number(anoBase)) {
    targetBytes_ = target_.toUtf8();
}

TImportacao::~TImportacao() = default;

namespace {
// The columns of a TE8Imp row taken from the establishment's working row.
const char* const kChosenColumns[] = {"InInscrEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcCeiEstabelecimento",
                                      "CoCgcVinculado", "NuVinculosEstabelecimento"};
}  // namespace

void TImportacao::CreateImportTable() {
    imp_.reset();
    chosen_.clear();
    db_->createTable(ImportTableDef());
    imp_ = std::make_unique<db::Table>(db_, ImportTableDef().fileName);
    imp_->Open();
}

bool TImportacao::AddChosen(const QString& inscricao, const QString& prefixo) {
    if (!te8Emp_) {
        te8Emp_ = std::make_unique<db::Table>(db_, L("Te8emp.db"));
        te8Emp_->Open();
    }
    if (!LocateKey(*te8Emp_, {L("AnBase"), L("CoCgcCeiEstabelecimento"), L("NuPrefixoEstabelecimento")},
                   {QString::number(anoArquivo_), inscricao, prefixo}))
        return false;
    QStringList values;
    for (const char* column : kChosenColumns) values << text(*te8Emp_, column);
    chosen_.push_back(std::move(values));
    return true;
}

// The TE8Imp rows of the chosen establishments, written in the run's
// transaction: one commit for them all, and none left by a run that fails.
void TImportacao::WriteChosen() {
    for (const QStringList& values : chosen_) {
        imp_->Append();
        imp_->FieldByName(L("AnBase")).SetAsString(target_);
        for (int i = 0; i < values.size(); ++i) imp_->FieldByName(L(kChosenColumns[i])).SetAsString(values[i]);
        for (const char* counter : {"NuTotalDesligados", "NuTotalDuplicados", "NuTotalImportados"})
            imp_->FieldByName(L(counter)).SetAsString(QStringLiteral("0"));
        imp_->Post();
    }
    chosen_.clear();
}

void TImportacao::Run(int listEntries, forms::ProgressHost& host) {
    host_ = &host;
    sequence_.Clear();
    emp_ = std::make_unique<db::Table>(db_, DeclarationTables::BD8Emp().fileName);
    vinc_ = std::make_unique<db::Table>(db_, DeclarationTables::BD8Vinc().fileName);
    if (!te8Emp_) te8Emp_ = std::make_unique<db::Table>(db_, L("Te8emp.db"));
    te8Vinc_ = std::make_unique<db::Table>(db_, L("Te8vinc.db"));
    for (db::Table* t : {emp_.get(), vinc_.get(), te8Emp_.get(), te8Vinc_.get()})
        if (!t->Active()) t->Open();
    PlanContractColumns();

    const int n = te8Vinc_->RecordCount();
    const int e = qMax(listEntries, 1);
    perContract_ = n > 0 && n > 10 * e;
    stepContract_ = n > 0 ? 100.0 / n : 0;
    progress_ = 0;
    host.SetProgressMaximum(100);
    host.SetProgress(0);

    db::Transaction transaction(*db_);
    WriteChosen();
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
        imp_->FieldByName(L("NuTotalDesligados")).SetAsString(QString::number(c.desligados));
        imp_->FieldByName(L("NuTotalDuplicados")).SetAsString(QString::number(c.duplicados));
        imp_->FieldByName(L("NuTotalImportados")).SetAsString(QString::number(c.importados));
        imp_->FieldByName(L("CoImp")).SetAsString(c.coImp);
        imp_->FieldByName(L("Seq")).SetAsString(c.seq);
        imp_->Post();
        imp_->Next();
    }
    transaction.commit();
    imp_->Close();
    te8Vinc_.reset();
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
    if (!LocateKey(*emp_, {L("AnBase"), L("CoCgcCeiEstabelecimento"), L("NuPrefixoEstabelecimento")},
                   {target_, inscricao, prefixo}))
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
    newPrefixBytes_ = free.toUtf8();
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
    held_ = HeldCounts{};
    const QString yearText = QString::number(year);
    // The entry's working row, found again; an entry without one is skipped.
    if (!LocateKey(*te8Emp_, {L("AnBase"), L("NuPrefixoEstabelecimento"), L("CoCgcCeiEstabelecimento")},
                   {yearText, prefixo, inscricao}))
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
        CopyContracts(yearText, fileInscricao, ownPrefix, [&](const Contract& contract) {
            if (!CarriesOver(contract[sourceCause_])) {
                ++c.desligados;
                if (recordedWithout) SetCode(c, QStringLiteral("1504"));
                return false;
            }
            if (recordedWithout) SetCode(c, QStringLiteral("1502"));
            reached = true;
            return ImportContract(contract, c);
        });
        if (reached && !existente_ && !appended) WriteEstablishment(true, inscricao, destPrefix);
        if (reached && recordedWithout) WriteEstablishment(false, inscricao, destPrefix);
    } else if (year == anoBase_) {
        if (!existente_) WriteEstablishment(true, inscricao, destPrefix);
        else if (recordedWithout) {
            WriteEstablishment(false, inscricao, destPrefix);
            SetCode(c, QStringLiteral("1502"));
        }
        CopyContracts(yearText, fileInscricao, ownPrefix,
                      [&](const Contract& contract) { return ImportContract(contract, c); });
    } else {
        return;  // a file of another year imports nothing
    }
    if (c.importados != 0) Recount(inscricao, destPrefix);
}

// The working contracts of one establishment of the file, in the order of
// Te8Vinc's key, each asked about and copied by SQLite a block at a time; the
// window is served between the blocks.
void TImportacao::CopyContracts(const QString& year, const QString& inscricao, const QString& prefixo,
                                const std::function<bool(const Contract&)>& keep) {
    LoadKeysTaken(inscricao, novoPrefixo_ == kKeepPrefix ? prefixo : novoPrefixo_);
    db::Table::RangeCopy& copy = copy_;
    copy.Restart();
    copy.low = copy.high = QStringList{year, inscricao, prefixo};
    const QByteArray newPrefix =
        novoPrefixo_ != kKeepPrefix
            ? StoredBytes(newPrefixBytes_, vinc_->FieldByName(L("NuPrefixoEstabelecimento")).Size())
            : QByteArray();
    copy.parameters = {StoredBytes(targetBytes_, vinc_->FieldByName(L("AnBase")).Size()), newPrefix};
    copy.keep = [&keep](std::span<const QByteArrayView> values) { return keep(Contract{values}); };
    while (!copy.done) {
        host_->ProcessEvents();
        vinc_->AppendRangeCopies(*te8Vinc_, copy);
    }
}

void TImportacao::WriteEstablishment(bool append, const QString& inscricao, const QString& prefixo) {
    if (append) {
        emp_->Append();
    } else {
        if (!LocateKey(*emp_, {L("AnBase"), L("NuPrefixoEstabelecimento"), L("CoCgcCeiEstabelecimento")},
                       {target_, prefixo, inscricao}))
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

namespace {
// A text as an SQL literal.
QString SqlText(QByteArrayView bytes) {
    return QLatin1Char('\'') + QString::fromUtf8(bytes).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}
// A column of the working contract as the copy reads it.
QString SqlColumn(const QString& name) {
    return QStringLiteral("s.\"") + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}
// The characters a text is blank of: those QString::trimmed takes away.
const QString kBlanks = QStringLiteral(
    "char(9,10,11,12,13,32,133,160,5760,8192,8193,8194,8195,8196,8197,8198,8199,8200,8201,8202,8232,8233,8239,8287,"
    "12288)");
}  // namespace

// How each BD8Vinc column is filled from a working contract, worked out once
// per run rather than by name for every contract: the SQL that makes the
// value BD8Vinc keeps (cut to its width, without trailing blanks) from the
// working contract's, which Te8Vinc holds so already.
void TImportacao::PlanContractColumns() {
    const bool previous = anoArquivo_ == anoBase_ - 1;
    db::Table& source = *te8Vinc_;
    copy_ = db::Table::RangeCopy{};
    copy_.limit = kContractsPerCopy;
    for (int i = 0; i < vinc_->FieldCount(); ++i) {
        const db::Field& to = vinc_->Fields(i);
        const QString& name = to.FieldName();
        auto is = [&name](const char* column) { return name.compare(L(column), Qt::CaseInsensitive) == 0; };
        const db::Field* from = source.FindField(name);
        const int width = to.Size();
        QString value = from ? SqlColumn(from->FieldName()) : QString();
        // A copied text longer than its column is cut as the store would.
        if (from && from->DataType() == db::FieldType::Text && to.DataType() == db::FieldType::Text && width > 0 &&
            (from->Size() <= 0 || from->Size() > width))
            value = QStringLiteral("rtrim(substr(%1, 1, %2), ' ')").arg(value).arg(width);
        const QString blank = QStringLiteral("''");
        const QString zeros = SqlText(StoredBytes("000", width));
        QString sql;
        if (is("NuSequencialRegistro") || is("CoMotivoAfastamento")) continue;
        if (is("AnBase")) sql = QStringLiteral("?1");
        else if (is("NuPrefixoEstabelecimento")) sql = QStringLiteral("coalesce(?2, %1)").arg(from ? value : blank);
        else if (previous && name.startsWith(L("HoTrabalhadas"), Qt::CaseInsensitive)) sql = zeros;
        else if (previous && (is("InSindicalizadoVinculo") || is("CoDeficienteFisico"))) continue;
        else if (previous && is("QtDiasAfas")) {
            sql = from ? QStringLiteral("CASE WHEN trim(%1, %2) = '' THEN %3 ELSE %1 END").arg(value, kBlanks, zeros)
                       : zeros;
        } else if (kUnionCnpjContract.contains(name, Qt::CaseInsensitive)) {
            sql = from ? QStringLiteral("CASE WHEN %1 = '%2' THEN '' ELSE %1 END").arg(value, kZeroCnpj) : blank;
        } else if (!from) {
            continue;
        } else if (to.DataType() == db::FieldType::Boolean) {
            // As the store takes a flag: "1" or "true" given as text.
            sql = from->DataType() == db::FieldType::Boolean
                      ? QStringLiteral("CASE WHEN %1 THEN 1 ELSE 0 END").arg(value)
                      : QStringLiteral("CASE WHEN %1 = '1' OR lower(%1) = 'true' THEN 1 ELSE 0 END").arg(value);
        } else {
            sql = value;
        }
        copy_.fields.push_back({i, sql});
    }
    // The columns the import looks at; SQLite copies the rest.
    std::vector<int>& looked = copy_.keepFields;
    const auto look = [&](const char* name, bool needed) {
        const db::Field* f = needed ? &source.FieldByName(L(name)) : source.FindField(L(name));
        if (!f) return -1;
        looked.push_back(f->Index());
        return int(looked.size()) - 1;
    };
    sourcePis_ = look("CoPisPasepEmpregado", true);
    sourceAdmission_ = look("DaAdmissaoEmpregado", true);
    sourceName_ = look("NoEmpregado", true);
    sourceCause_ = look("CoCausaDesligamento", true);
    sourceNationality_ = look("CoNacionalidade", false);
    // Te8Vinc is opened with those alone.
    QList<db::FieldDef> read;
    for (int& at : looked) {
        const db::Field& f = source.Fields(at);
        read << db::FieldDef{f.FieldName(), f.DataType(), 0, {}};
        at = int(read.size()) - 1;
    }
    source.Close();
    source.SetFieldDefs(read);
    source.Open();
    auto destColumn = [this](const char* name, int& width) {
        db::Field& f = vinc_->FieldByName(L(name));
        width = f.Size();
        return f.Index();
    };
    destPis_ = destColumn("CoPisPasepEmpregado", widthPis_);
    destAdmission_ = destColumn("DaAdmissaoEmpregado", widthAdmission_);
    destName_ = destColumn("NoEmpregado", widthName_);
    destNationality_ = destColumn("CoNacionalidade", widthNationality_);
}

// The key a contract is found by among BD8Vinc's contracts of its
// establishment: the PIS and admission date, and the name with a PIS of
// zeros; each part as the store keeps it.
QByteArray TImportacao::DuplicateKey(QByteArrayView pis, QByteArrayView admission, QByteArrayView name,
                                     bool withName, bool asStored) const {
    QByteArray key;
    key.reserve(1 + 3 * qsizetype(sizeof(quint16)) + pis.size() + admission.size() + (withName ? name.size() : 0));
    key.append(withName ? 'N' : 'P');
    AppendStored(key, pis, asStored ? -1 : widthPis_);
    AppendStored(key, admission, asStored ? -1 : widthAdmission_);
    if (withName) AppendStored(key, name, asStored ? -1 : widthName_);
    return key;
}

// The keys of the contracts BD8Vinc holds for the year, inscription and
// prefix the establishment's contracts are written with: read once for the
// establishment instead of looked up for each contract. The appends go on
// through the same table, whatever range it reads.
void TImportacao::LoadKeysTaken(const QString& inscricao, const QString& prefixo) {
    keysTaken_.clear();
    db::Table& t = *vinc_;
    t.SetRange({target_, inscricao, prefixo}, {target_, inscricao, prefixo});
    // The contracts and foreigners of the range, as the establishment's
    // counts would find them: every row, and those of a nationality other
    // than "10" and not empty.
    held_ = HeldCounts{};
    held_.valid = target_ == db::normalizeText(target_, vinc_->FieldByName(L("AnBase")).Size());
    held_.inscricao = db::normalizeText(inscricao, vinc_->FieldByName(L("CoCgcCeiEstabelecimento")).Size());
    held_.prefixo = db::normalizeText(prefixo, vinc_->FieldByName(L("NuPrefixoEstabelecimento")).Size());
    const int columns[] = {destPis_, destAdmission_, destName_, destNationality_};
    QByteArrayView v[4];
    for (; !t.Eof(); t.Next()) {
        if (!t.ReadBytes(columns, v))
            for (int k = 0; k < 4; ++k) v[k] = t.Fields(columns[k]).AsUtf8();
        ++held_.contracts;
        if (!v[3].isNull() && v[3] != "10" && !v[3].isEmpty()) ++held_.foreign;
        // A column without a value equals no key; one stored otherwise than
        // the store keeps values (blanks after it) equals none looked for.
        if (v[0].isNull() || v[1].isNull()) continue;
        keysTaken_.insert(DuplicateKey(v[0], v[1], {}, false, true));
        if (v[0] == kZeroPisBytes && !v[2].isNull()) keysTaken_.insert(DuplicateKey(v[0], v[1], v[2], true, true));
    }
}

bool TImportacao::ImportContract(const Contract& source, Counters& c) {
    if (perContract_) {
        progress_ += stepContract_;
        host_->SetProgress(int(progress_));
    }
    const QByteArrayView pis = source[sourcePis_];
    const QByteArrayView admission = source[sourceAdmission_];
    const QByteArrayView name = source[sourceName_];
    const bool zeroPis = pis == kZeroPisBytes;
    // The key looked for is one the contract takes: taking it finds whether
    // it was taken already, with one search.
    const qsizetype taken = keysTaken_.size();
    keysTaken_.insert(DuplicateKey(pis, admission, name, zeroPis));
    if (keysTaken_.size() == taken) {
        ++c.duplicados;
        return false;
    }
    // The contract now holds its key, as BD8Vinc keeps it; with the name too
    // where a PIS of zeros is looked for with it.
    if (zeroPis) {
        keysTaken_.insert(DuplicateKey(pis, admission, {}, false));
    } else if (pis.startsWith(kZeroPisBytes) && StoredBytes(pis, widthPis_) == kZeroPisBytes) {
        keysTaken_.insert(DuplicateKey(pis, admission, name, true));  // zeros as stored
    }
    ++held_.contracts;
    const QByteArray nationality = StoredBytes(source[sourceNationality_], widthNationality_);
    if (nationality != "10" && !nationality.isEmpty()) ++held_.foreign;
    ++c.importados;
    return true;
}

// The counts of an establishment that gained contracts follow its rows: the
// check's foreigner warning reads them.
void TImportacao::Recount(const QString& inscricao, const QString& prefixo) {
    TdmEntradaDados* counts = dmEntradaDados;
    if (!counts) {
        if (!ownCounts_) ownCounts_ = std::make_unique<TdmEntradaDados>();
        counts = ownCounts_.get();
    }
    if (!LocateKey(*emp_, {L("AnBase"), L("CoCgcCeiEstabelecimento"), L("NuPrefixoEstabelecimento")},
                   {target_, inscricao, prefixo}))
        return;
    const QString key = text(*emp_, "NuPrefixoEstabelecimento");
    // The contracts just imported are those of the establishment counted
    // while they were read and written, unless its row names them otherwise.
    const bool counted = held_.valid && inscricao == held_.inscricao && key == held_.prefixo;
    const qint64 nContracts = counted ? held_.contracts : counts->CountContracts(target_, inscricao, key);
    const qint64 nForeign = counted ? held_.foreign : counts->CountForeigners(target_, inscricao, key);
    const QString contracts = PadLeftZeros(QString::number(nContracts), 6);
    const QString foreign = PadLeftZeros(QString::number(nForeign), 5);
    emp_->Edit();
    emp_->FieldByName(L("NuVinculosEstabelecimento")).SetAsString(contracts);
    emp_->FieldByName(L("NuEstrangeirosEstabelec")).SetAsString(foreign);
    emp_->Post();
}

}  // namespace declfile
