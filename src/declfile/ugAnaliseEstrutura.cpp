#include "declfile/ugAnaliseEstrutura.h"

#include "declfile/MainWindowState.h"
#include "declfile/RecordReader.h"
#include "declfile/Windows1252.h"
#include "declfile/ugAnaliseEstrutura2008.h"
#include "declfile/ugAnaliseEstrutura2009.h"
#include "declfile/ugEstrutura.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "platform/ui/MessageService.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ugFuncoes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>
#include <cstring>
#include <limits>
#include <optional>

namespace declfile {

namespace {

constexpr qint64 kCopyBlock = 32766;
// Codes looked up one query at a time before a lookup table is read whole.
constexpr int kQueriesPerLookup = 32;
constexpr int kCopyPoints = 8;
constexpr int kAnalysisPoints = 92;

// Where the columns every record shares begin, as offsets into the record:
// sequence (6), inscription (14), prefix (2), type (1); and the column of an
// establishment record saying whether it was declared with employees.
constexpr int kSequenceByte = 0;
constexpr int kInscriptionByte = 6;
constexpr int kPrefixByte = 20;
constexpr int kTypeByte = 22;
constexpr int kWithEmployeesByte = 279;

// What the Conteudo of a finding row holds, by its TipoCampo.
namespace finding {
const QString kSequence = QStringLiteral("0");
const QString kRecordType = QStringLiteral("1");
const QString kWithEmployees = QStringLiteral("2");  // column 280 of an establishment
const QString kStatedTotal = QStringLiteral("3");    // a total stated in the trailer
const QString kAtPosition = QStringLiteral("5");     // a field or character at a position
const QString kEstablishmentsCounted = QStringLiteral("6");
const QString kContractsCounted = QStringLiteral("7");
const QString kInscription = QStringLiteral("8");
const QString kRecordLength = QStringLiteral("9");  // the length expected
const QString kBytesLeft = QStringLiteral("A");     // the bytes actually left
}  // namespace finding

// How a working-table column is filled from its slot.
enum BindingKind {
    kPlain,          // the field as it stands
    kTrimmed,        // the field without leading and trailing blanks
    kIfCurrentYear,  // the field in the base year's layout, else the constant
    kIfNotZeroed,    // the field, or the constant when the pay of another year is zeroed
};

struct ColumnSlot {
    const char* column;
    int slot;
    BindingKind kind;
    const char* constant;
};

constexpr const char* kZeros14 = "00000000000000";

// Te8Emp columns read from the establishment record (type 1 slots).
constexpr ColumnSlot kEstablishmentColumns[] = {
    {"NuSequencialRegistro", 1, kPlain, nullptr},
    {"CoCgcCeiEstabelecimento", 2, kPlain, nullptr},
    {"NuPrefixoEstabelecimento", 3, kPlain, nullptr},
    {"NoRazaoEstabelecimento", 5, kTrimmed, nullptr},
    {"EdEstabelecimento", 6, kTrimmed, nullptr},
    {"NuEnderecoEstabelecimento", 7, kPlain, nullptr},
    {"TxComplemEstabelecimento", 8, kTrimmed, nullptr},
    {"NoBairroEstabelecimento", 9, kTrimmed, nullptr},
    {"CoCepEstabelecimento", 10, kPlain, nullptr},
    {"CoMunicipio", 11, kPlain, nullptr},
    {"NoMunicEstabelecimento", 12, kTrimmed, nullptr},
    {"SgUf", 13, kPlain, nullptr},
    {"NuDDD", 14, kPlain, nullptr},
    {"NuTelefone", 15, kPlain, nullptr},
    {"CoCnae2", 16, kPlain, nullptr},
    {"CoNaturezaJuridica", 17, kPlain, nullptr},
    {"NuProprietEstabelecimento", 18, kPlain, nullptr},
    {"MeDataBase", 19, kPlain, nullptr},
    {"InInscrEstabelecimento", 20, kPlain, nullptr},
    {"InZuvoNegEstabelecimento", 21, kPlain, nullptr},
    {"DaEncerramentoAtividade", 38, kPlain, nullptr},
    {"TxEmailEstabelecimento", 40, kPlain, nullptr},
    {"InSindicalizada", 51, kPlain, nullptr},
    {"TxUsoEstabelecimento", 28, kPlain, nullptr},
    // The previous year's layout has no meal-programme, union or
    // centralisation fields in these places.
    {"CoCNPJCentralizada", 50, kIfCurrentYear, kZeros14},
    {"NuVinculoPatMenor5", 29, kIfCurrentYear, "000000"},
    {"NuVinculoPatMaior5", 30, kIfCurrentYear, "000000"},
    {"PoServicoProprio", 31, kIfCurrentYear, "000"},
    {"PoAdmCozinha", 32, kIfCurrentYear, "000"},
    {"PoRefeicaoConvenio", 33, kIfCurrentYear, "000"},
    {"PoRefeicaoTransportadora", 34, kIfCurrentYear, "000"},
    {"PoCestaAlimento", 35, kIfCurrentYear, "000"},
    {"PoAlimentacaoConvenio", 36, kIfCurrentYear, "000"},
    {"CoCNPJAssociativa", 41, kIfCurrentYear, kZeros14},
    {"VaGlobalAssociativa", 42, kIfCurrentYear, "000000000"},
    {"CoCNPJSindical", 43, kIfCurrentYear, kZeros14},
    {"VaGlobalSindical", 44, kIfCurrentYear, "000000000"},
    {"CoCNPJAssistencial", 45, kIfCurrentYear, kZeros14},
    {"VaGlobalAssistencial", 46, kIfCurrentYear, "000000000"},
    {"CoCNPJConfederativa", 47, kIfCurrentYear, kZeros14},
    {"VaGlobalConfederativa", 48, kIfCurrentYear, "000000000"},
    {"InAtividadeAnoBase", 49, kIfCurrentYear, ""},
    {"InCentralizada", 52, kIfCurrentYear, " "},
};

// Te8Vinc columns read from the contract record (type 2 slots).
constexpr ColumnSlot kContractColumns[] = {
    {"NuSequencialRegistro", 1, kPlain, nullptr},
    {"CoPisPasepEmpregado", 5, kPlain, nullptr},
    {"NoEmpregado", 6, kTrimmed, nullptr},
    {"DaNascimentoEmpregado", 7, kPlain, nullptr},
    {"CoNacionalidade", 8, kPlain, nullptr},
    {"AnChegadaEmpregado", 9, kPlain, nullptr},
    {"CoInstrucao", 10, kPlain, nullptr},
    {"CoCpfEmpregado", 11, kPlain, nullptr},
    {"NuCartTrabEmpregado", 12, kPlain, nullptr},
    {"SeCartTrabEmpregado", 13, kPlain, nullptr},
    {"CoTipoRaca", 39, kPlain, nullptr},
    {"DaAdmissaoEmpregado", 14, kPlain, nullptr},
    {"CoTipoAdmissao", 15, kPlain, nullptr},
    {"InSexo", 44, kPlain, nullptr},
    {"CoCbo", 19, kPlain, nullptr},
    {"CoMunicipioTrabalho", 73, kPlain, nullptr},
    {"CoTipoSalarioContratual", 17, kPlain, nullptr},
    {"HoSemanaisEmpregado", 18, kPlain, nullptr},
    {"CoVinculo", 20, kPlain, nullptr},
    {"CoCausaDesligamento", 21, kPlain, nullptr},
    {"DaDesligamentoEmpregado", 22, kPlain, nullptr},
    {"InAlvaraEmpregado", 43, kPlain, nullptr},
    {"TxUsoEmpregado", 41, kPlain, nullptr},
    // Pay and the rest: from the file, unless the pay of another year is zeroed.
    {"VaSalContratualEmpregado", 16, kIfNotZeroed, "000000000"},
    {"VaJaneiroEmpregado", 23, kIfNotZeroed, "000000000"},
    {"VaFevereiroEmpregado", 24, kIfNotZeroed, "000000000"},
    {"VaMarcoEmpregado", 25, kIfNotZeroed, "000000000"},
    {"VaAbrilEmpregado", 26, kIfNotZeroed, "000000000"},
    {"VaMaioEmpregado", 27, kIfNotZeroed, "000000000"},
    {"VaJunhoEmpregado", 28, kIfNotZeroed, "000000000"},
    {"VaJulhoEmpregado", 29, kIfNotZeroed, "000000000"},
    {"VaAgostoEmpregado", 30, kIfNotZeroed, "000000000"},
    {"VaSetembroEmpregado", 31, kIfNotZeroed, "000000000"},
    {"VaOutubroEmpregado", 32, kIfNotZeroed, "000000000"},
    {"VaNovembroEmpregado", 33, kIfNotZeroed, "000000000"},
    {"VaDezembroEmpregado", 34, kIfNotZeroed, "000000000"},
    {"Va13AdiantamentoEmpregado", 35, kIfNotZeroed, "000000000"},
    {"Va13ParcelaFinalEmpregado", 37, kIfNotZeroed, "000000000"},
    {"VaAvisoPrevioEmpregado", 42, kIfNotZeroed, "000000000"},
    {"Me13AdiantamentoEmpregado", 36, kIfNotZeroed, "00"},
    {"Me13ParcelaFinalEmpregado", 38, kIfNotZeroed, "00"},
    {"VaGlobalFerias", 55, kIfNotZeroed, "00000000"},
    {"VaGlobalMultas", 62, kIfNotZeroed, "00000000"},
    {"VaGlobalBcoHoras", 56, kIfNotZeroed, "00000000"},
    {"VaGlobalDissidio", 58, kIfNotZeroed, "00000000"},
    {"VaGlobalGratificacoes", 60, kIfNotZeroed, "00000000"},
    {"VaGlobalSindical", 68, kIfNotZeroed, "00000000"},
    {"VaGlobalPrimAssociativa", 64, kIfNotZeroed, "00000000"},
    {"VaGlobalSegAssociativa", 66, kIfNotZeroed, "00000000"},
    {"VaGlobalAssistencial", 70, kIfNotZeroed, "00000000"},
    {"VaGlobalConfederativa", 72, kIfNotZeroed, "00000000"},
    {"CoDeficienteFisico", 87, kIfNotZeroed, ""},
    {"InDeficienteFisico", 40, kIfNotZeroed, ""},
    {"InSindicalizadoVinculo", 86, kIfNotZeroed, "2"},
    {"CoMotivoPrimAfas", 45, kIfNotZeroed, ""},
    {"DaInicioprimeiroAfas", 46, kIfNotZeroed, ""},
    {"DaFinalPrimeiroAfas", 47, kIfNotZeroed, ""},
    {"CoMotivoSeguAfas", 48, kIfNotZeroed, ""},
    {"DaInicioSegundoAfas", 49, kIfNotZeroed, ""},
    {"DaFinalSegundoAfas", 50, kIfNotZeroed, ""},
    {"CoMotivoTercAfas", 51, kIfNotZeroed, ""},
    {"DaInicioTerceiroAfas", 52, kIfNotZeroed, ""},
    {"DaFinalTerceiroAfas", 53, kIfNotZeroed, ""},
    {"QtDiasAfas", 54, kIfNotZeroed, ""},
    {"QtCompBcoHoras", 57, kIfNotZeroed, ""},
    {"QtCompDissidio", 59, kIfNotZeroed, ""},
    {"QtCompGratificacoes", 61, kIfNotZeroed, ""},
    {"CoCNPJPrimAssociativa", 63, kIfNotZeroed, ""},
    {"CoCNPJSegAssociativa", 65, kIfNotZeroed, ""},
    {"CoCNPJSindical", 67, kIfNotZeroed, ""},
    {"CoCNPJAssistencial", 69, kIfNotZeroed, ""},
    {"CoCNPJConfederativa", 71, kIfNotZeroed, ""},
    {"HoTrabalhadasJaneiro", 74, kIfNotZeroed, ""},
    {"HoTrabalhadasFevereiro", 75, kIfNotZeroed, ""},
    {"HoTrabalhadasMarco", 76, kIfNotZeroed, ""},
    {"HoTrabalhadasAbril", 77, kIfNotZeroed, ""},
    {"HoTrabalhadasMaio", 78, kIfNotZeroed, ""},
    {"HoTrabalhadasJunho", 79, kIfNotZeroed, ""},
    {"HoTrabalhadasJulho", 80, kIfNotZeroed, ""},
    {"HoTrabalhadasAgosto", 81, kIfNotZeroed, ""},
    {"HoTrabalhadasSetembro", 82, kIfNotZeroed, ""},
    {"HoTrabalhadasOutubro", 83, kIfNotZeroed, ""},
    {"HoTrabalhadasNovembro", 84, kIfNotZeroed, ""},
    {"HoTrabalhadasDezembro", 85, kIfNotZeroed, ""},
};

QString L(const char* text) { return QString::fromLatin1(text); }

QString upperFirst(const QString& text) { return text.left(1).toUpper(); }

bool isOneOrX(const QString& value) {
    const QString v = upperFirst(value);
    return v == QLatin1String("1") || v == QLatin1String("X");
}

QString zeroPad(qint64 number, int width) { return PadLeftZeros(QString::number(number), width); }

QString decode(const char* bytes, int length) { return cp1252::Decode(QByteArray(bytes, length)); }

}  // namespace

db::TableDef StructureFindingsTableDef() {
    using db::textField;
    db::TableDef t;
    t.fileName = QStringLiteral("Te8stru.db");
    t.fields = {textField(QStringLiteral("AnBase"), 4),           textField(QStringLiteral("CoMsg"), 4),
                textField(QStringLiteral("Sequencia"), 6),        textField(QStringLiteral("InscricaoPrefixo"), 16),
                textField(QStringLiteral("TipoCampo"), 1),        textField(QStringLiteral("PosicaoInicial"), 3),
                textField(QStringLiteral("Conteudo"), 20)};
    return t;
}

TAnaliseEstrutura::TAnaliseEstrutura() = default;
TAnaliseEstrutura::~TAnaliseEstrutura() = default;

int TAnaliseEstrutura::AnalyseFile(const QString& fileName, quint16 baseYear, forms::ProgressHost& host,
                                   const QString& dataFolder, bool keepCopy, int& establishments, int& contracts,
                                   bool zeroPayOfAnotherYear) {
    if (LayoutAnoAnterior) LoadLayout2008(layout_);
    else LoadLayout2009(layout_);
    recordLength_ = layout_.RecordLength;
    host_ = &host;
    dataFolder_ = dataFolder;
    zeroPay_ = zeroPayOfAnotherYear;
    const int result = AnalyseStructure(fileName, baseYear, keepCopy, establishments, contracts);
    host_ = nullptr;
    return result;
}

bool TAnaliseEstrutura::CurrentYearLayout() const {
    return layout_.Tipo1.Slot(23).Label == QString::number(ProgramAnoBase());
}

// Lets events through; a cancel asked meanwhile is confirmed with the user.
// False: the run is interrupted.
bool TAnaliseEstrutura::PollCancel() {
    if (!forms::PollStop(*host_, cancelRequest_)) return true;
    interrupted_ = true;
    return false;
}

void TAnaliseEstrutura::MoveProgress(int position) {
    if (position == progress_) return;
    progress_ = position;
    host_->SetProgress(position);
    host_->ProcessEvents();
}

// ---- preparation, copy and clean-up ----------------------------------------

int TAnaliseEstrutura::AnalyseStructure(const QString& fileName, quint16 baseYear, bool keepCopy,
                                        int& establishments, int& contracts) {
    QDir::setCurrent(AppPaths::programFolder());
    cancelRequest_.Clear();
    errorFound_ = interrupted_ = amendment_ = false;
    baseYearText_ = QString::number(baseYear);
    establishmentYear_.clear();
    curType_ = prevType_ = '4';
    curInscription_.clear();
    curPrefix_.clear();
    prevInscription_.clear();
    prevPrefix_.clear();
    curSequence_ = prevSequence_ = 0;
    estInscriptionType_.clear();
    estLinkedCei_.clear();
    estWithoutEmployees_ = estPending_ = false;
    recordsRead_ = establishments_ = contracts_ = estContracts_ = estForeign_ = 0;
    record_ = nullptr;
    recordBytes_ = 0;
    progress_ = -1;
    host_->SetProgressMaximum(100);
    MoveProgress(0);

    db_ = db::Database::forFolder(dataFolder_);
    const QString findings = StructureFindingsTableDef().fileName;
    if (db_->tableExists(findings)) db_->dropTable(findings);

    copyPath_ = QDir(dataFolder_).filePath(kAnalysisCopyName);
    inputPath_ = fileName;
    copied_ = 0;
    copyRefused_ = false;
    qint64 size = 0;
    if (!CheckInputFile(fileName, size)) {
        db_.reset();
        return kAnaliseFalhaCopia;
    }
    inputSize_ = size;
    // The first block alone, enough for the first record: a file that its
    // first record or its size refuses is not copied whole. The rest follows
    // once the first record is accepted.
    if (!CopyInputFile(fileName, 0, qMin(size, kCopyBlock))) {
        QFile::remove(copyPath_);
        db_.reset();
        if (interrupted_) {
            establishments = contracts = 0;
            return kAnaliseInterrompida;
        }
        msg::ShowWarning(QStringLiteral("Ocorreu erro na cópia do arquivo ") + fileName);
        return kAnaliseFalhaCopia;
    }

    try {
        CreateWorkTables();
        QFile copy(copyPath_);
        // Unbuffered: the rest of the copy is appended while this reads it.
        if (!copy.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw db::DbError(db::ErrorKind::Io, db::kGeneralError,
                              QStringLiteral("Cannot open file.\n%1").arg(copyPath_));
        ownTransaction_ = !db_->inTransaction();
        if (ownTransaction_) db_->startTransaction();
        // The descriptions are read from the lookups thousands of times: in
        // one read transaction, not with a lock and a file check each.
        std::optional<db::ReadSnapshot> lookups;
        if (dmLobrix && dmLobrix->dbZuvo && !dmLobrix->dbZuvo->inReadSnapshot()) lookups.emplace(dmLobrix->dbZuvo);
        RecordLoop(copy, size);
    } catch (...) {
        errorFound_ = true;  // whatever was loaded goes
        establishments = establishments_;
        contracts = contracts_;
        try {
            CleanUp(false);
        } catch (...) {
        }
        throw;
    }
    if (copyRefused_) {
        CleanUp(false);
        return kAnaliseFalhaCopia;
    }
    establishments = establishments_;
    contracts = contracts_;
    CleanUp(keepCopy);
    if (errorFound_) return kAnaliseComErro;
    if (interrupted_) return kAnaliseInterrompida;
    return amendment_ ? kAnaliseRetificacao : kAnaliseSemErro;
}

bool TAnaliseEstrutura::CheckInputFile(const QString& fileName, qint64& size) {
    const QFileInfo info(fileName);
    // A missing file fails at the copy, with the copy's message.
    if (!info.exists()) return true;
    // Only a regular file has an end: a folder cannot be read, a device or a
    // pipe may never end, and opening a pipe waits for a writer forever.
    if (!info.isFile()) {
        const QString what = info.isDir() ? QStringLiteral("é uma pasta")
                                          : QStringLiteral("é um dispositivo ou um canal de comunicação");
        msg::ShowWarning(QStringLiteral("O arquivo \"%1\" não pode ser analisado: %2, e não um arquivo.")
                             .arg(QDir::toNativeSeparators(fileName), what));
        return false;
    }
    size = info.size();
    // The copy and the working tables go to the data folder: refuse what
    // would fill it before anything is written there. Here only the first
    // block is asked for; the rest when the first record is accepted.
    return HasRoomFor(AnalysisSpaceNeeded(qMin(size, kCopyBlock)));
}

bool TAnaliseEstrutura::HasRoomFor(qint64 needed) {
    const qint64 available = QStorageInfo(dataFolder_).bytesAvailable();
    if (available < 0 || needed <= available) return true;
    msg::ShowWarning(QStringLiteral("Não há espaço suficiente na pasta de dados \"%1\" para analisar o arquivo "
                                    "\"%2\": são necessários %3 KB e há %4 KB livres.\n"
                                    "Libere espaço no disco e analise o arquivo novamente.")
                         .arg(QDir::toNativeSeparators(dataFolder_), QDir::toNativeSeparators(inputPath_))
                         .arg((needed + 1023) / 1024)
                         .arg(available / 1024));
    return false;
}

// Copies the input's bytes [from, to) to the end of the copy (a new copy from 0).
bool TAnaliseEstrutura::CopyInputFile(const QString& fileName, qint64 from, qint64 to) {
    if (from == 0 && QFileInfo::exists(copyPath_) && !QFile::remove(copyPath_)) return false;
    QFile in(fileName);
    QFile out(copyPath_);
    if (!in.open(QIODevice::ReadOnly)) return false;
    if (from > 0 && !in.seek(from)) return false;
    if (!out.open(from == 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::WriteOnly | QIODevice::Append))
        return false;
    // The size measured before the check: a file that grows meanwhile is
    // copied only as far as it was checked.
    qint64 copied = from;
    QByteArray block(int(kCopyBlock), Qt::Uninitialized);
    while (copied < to) {
        const qint64 n = in.read(block.data(), qMin(kCopyBlock, to - copied));
        if (n <= 0) return false;
        if (out.write(block.constData(), n) != n) return false;
        copied += n;
        MoveProgress(int(qMin<qint64>(kCopyPoints, copied * kCopyPoints / inputSize_)));
        if (!PollCancel()) return false;
    }
    if (!out.flush()) return false;
    out.close();
    if (out.error() != QFileDevice::NoError) return false;
    copied_ = to;
    if (copied_ == inputSize_) MoveProgress(kCopyPoints);
    return true;
}

// After the first record is accepted: the file must fit the layout and the
// data folder before the rest is copied.
bool TAnaliseEstrutura::CopyTheRest() {
    const qint64 most = MaxDeclarationBytes(step_);
    if (inputSize_ > most) {
        const QLocale pt(QLocale::Portuguese, QLocale::Brazil);
        msg::ShowWarning(QStringLiteral("O arquivo \"%1\" não pode ser analisado: tem %2 bytes, mais do que uma "
                                        "declaração pode ter (%3 bytes, até 999.999 registros).")
                             .arg(QDir::toNativeSeparators(inputPath_), pt.toString(inputSize_), pt.toString(most)));
        copyRefused_ = true;
        return false;
    }
    if (!HasRoomFor(AnalysisSpaceNeeded(inputSize_) - copied_)) {
        copyRefused_ = true;
        return false;
    }
    if (!CopyInputFile(inputPath_, copied_, inputSize_)) {
        if (interrupted_) return false;
        msg::ShowWarning(QStringLiteral("Ocorreu erro na cópia do arquivo ") + inputPath_);
        copyRefused_ = true;
        return false;
    }
    estimatedRecords_ = inputSize_ / step_;
    return true;
}

void TAnaliseEstrutura::CreateWorkTables() {
    CopyTableStructure(QStringLiteral("Bd8emp"), QStringLiteral("Te8emp"), *db_, true);
    emp_ = std::make_unique<db::Table>(db_, QStringLiteral("Te8emp.db"));
    emp_->Open();
    // The contract table made with its key at once: the same table as one
    // keyed afterwards, without a commit of its own for the key.
    db::TableDef contracts = db_->tableDef(QStringLiteral("Bd8vinc.db"));
    contracts.fileName = QStringLiteral("Te8vinc.db");
    contracts.indexes = {db::IndexDef{QStringLiteral("Te8vinc"), DeclarationTables::AnalyserContractKey(), true, false}};
    db_->createTable(contracts);
    vinc_ = std::make_unique<db::Table>(db_, QStringLiteral("Te8vinc.db"));
    vinc_->Open();
    CopyTableStructure(QStringLiteral("Bd8resp"), QStringLiteral("Te8resp"), *db_, false);
    resp_ = std::make_unique<db::Table>(db_, QStringLiteral("Te8resp.db"));
    resp_->Open();
    BindFields();
}

void TAnaliseEstrutura::BindFields() {
    empFields_.clear();
    vincFields_.clear();
    for (const ColumnSlot& c : kEstablishmentColumns) {
        db::Field* f = &emp_->FieldByName(L(c.column));
        empFields_.push_back({f, f->Index(), c.slot, c.kind, c.constant});
    }
    for (const ColumnSlot& c : kContractColumns) {
        db::Field* f = &vinc_->FieldByName(L(c.column));
        const TArquivo& d = layout_.Tipo2.Slot(c.slot);
        const bool lies = d.Start > 0 && d.Length > 0 && d.Length <= 256;
        vincFields_.push_back({f, f->Index(), c.slot, c.kind, c.constant, lies ? d.Start - 1 : 0, lies ? d.Length : 0});
    }
    auto vc = [this](const char* column) { return vinc_->FieldByName(L(column)).Index(); };
    vincExtras_ = ContractExtras{vc("AnBase"), vc("CoCgcCeiEstabelecimento"), vc("NuPrefixoEstabelecimento"),
                                 vc("CoCgcVinculado"), vc("InInscrEstabelecimento")};
    vincDerived_.clear();
    const auto derive = [&](const char* column, int slot, Lookup& lookup, bool trimmed, int cut, int leading = 0,
                            bool upper = false) {
        const int at = vc(column);
        Derived derived;
        derived.column = at;
        derived.width = vinc_->Fields(at).Size();
        derived.slot = slot;
        derived.lookup = &lookup;
        derived.trimmed = trimmed;
        derived.cut = cut;
        derived.leading = leading;
        derived.upper = upper;
        vincDerived_.push_back(std::move(derived));
    };
    derive("TxtNacionalidade", 8, lkNacionalidade_, true, 0);
    derive("TxtInstrucao", 10, lkInstrucao_, false, 100);
    derive("TxtRaca", 39, lkRaca_, false, 100);
    derive("TxtAdmisao", 15, lkAdmissao_, false, 100);
    derive("TxtCBO", 19, lkCbo_, false, 100);
    derive("NoMunicipioTrabalho", 73, lkMunicipio_, true, 0);
    // A record's byte is one character: the state is that of the code's first two bytes.
    derive("SgUfTrabalho", 73, lkUf_, false, 0, 2, true);
    derive("TxtSalario", 17, lkSalario_, false, 0);
    derive("TxtVinculo", 20, lkVinculo_, false, 100);
    derive("TxtDesligamento", 21, lkDesligamento_, false, 100);
    vincRow_.assign(std::size_t(vinc_->FieldCount()), QByteArrayView());
    vincHeld_.assign(std::size_t(vinc_->FieldCount()), QByteArray());
    fEmpVinculos_ = &emp_->FieldByName(QStringLiteral("NuVinculosEstabelecimento"));
    fEmpEstrangeiros_ = &emp_->FieldByName(QStringLiteral("NuEstrangeirosEstabelec"));

    auto bind = [](Lookup& l, db::Table* t, const char* column) {
        l.table = t;
        l.column = L(column);
        l.cache.clear();
        l.byNumber.clear();
        l.asked = 0;
        l.whole = false;
        l.all.clear();
    };
    TdmLobrix* m = dmLobrix;
    bind(lkCnae_, m ? &m->taCNAE : nullptr, "NoCnae");
    bind(lkNatJur_, m ? &m->taNatJu : nullptr, "NoNaturezaJuridica");
    bind(lkNacionalidade_, m ? &m->taNacionalidade : nullptr, "NoNacionalidade");
    bind(lkInstrucao_, m ? &m->taInstrucao : nullptr, "NoInstrucao");
    bind(lkRaca_, m ? &m->taRaca : nullptr, "NoRaca");
    bind(lkAdmissao_, m ? &m->taAdmissao : nullptr, "NoTipoAdmissao");
    bind(lkCbo_, m ? &m->taCBO : nullptr, "NoCbo");
    bind(lkMunicipio_, m ? &m->taMunicipio : nullptr, "NoMunicipio");
    bind(lkUf_, m ? &m->taUF : nullptr, "SgUf");
    bind(lkSalario_, m ? &m->taSalario : nullptr, "NoTipoSalarioContratual");
    bind(lkVinculo_, m ? &m->taTpVinc : nullptr, "NoVinculo");
    bind(lkDesligamento_, m ? &m->taDesl : nullptr, "NoCausaDesligamento");
}

// The lookup tables are read-only, so one analysis asks each code once.
QString TAnaliseEstrutura::Describe(Lookup& lookup, const QString& code) {
    // A code of up to 17 digits as a number that keeps its length ("07" is not "7").
    quint64 number = 0;
    bool digits = code.size() <= 17;
    for (qsizetype i = 0; digits && i < code.size(); ++i) {
        const char16_t c = code[i].unicode();
        digits = c >= u'0' && c <= u'9';
        number = number * 10 + (c - u'0');
    }
    const quint64 key = number * 32 + quint64(code.size());
    if (digits) {
        auto hit = lookup.byNumber.constFind(key);
        if (hit != lookup.byNumber.constEnd()) return *hit;
    } else {
        auto it = lookup.cache.constFind(code);
        if (it != lookup.cache.constEnd()) return *it;
    }
    QString text;
    if (lookup.table && lookup.table->Active()) {
        if (!lookup.whole && ++lookup.asked > kQueriesPerLookup) ReadWhole(lookup);
        if (lookup.whole) {
            text = QString::fromUtf8(lookup.all.value(db::normalizeText(code, lookup.keyWidth).toUtf8()));
        } else if (lookup.table->FindKey({code})) {
            if (db::Field* f = lookup.table->FindField(lookup.column)) text = f->AsString();
        }
    }
    if (digits) lookup.byNumber.insert(key, text);
    else lookup.cache.insert(code, text);
    return text;
}

// A description as FindKey on the first key field would find it: the first
// row in key order whose key equals the code as stored (cut to the key's
// width, without trailing blanks). Read through a dataset of its own, so the
// shared lookup's cursor is left alone.
void TAnaliseEstrutura::ReadWhole(Lookup& lookup) {
    db::Table& shared = *lookup.table;
    const db::IndexDef* key = shared.Definition().primaryIndex();
    // Only the plain key order is read so; anything else keeps its queries.
    if (!key || key->fields.isEmpty() || key->caseInsensitive || !shared.IndexName().isEmpty() || shared.HasRange()) {
        lookup.asked = std::numeric_limits<int>::min();
        return;
    }
    const int keyField = shared.Definition().fieldIndex(key->fields.first());
    if (keyField < 0) {
        lookup.asked = std::numeric_limits<int>::min();
        return;
    }
    lookup.keyWidth = shared.Definition().fields[keyField].width;
    db::Table table(db::Database::forFolder(shared.database().folder()), shared.TableName());
    table.SetReadOnly(true);
    // The code and its description alone are read.
    QList<db::FieldDef> read;
    for (const db::FieldDef& f : shared.Definition().fields)
        if (f.name.compare(key->fields.first(), Qt::CaseInsensitive) == 0 ||
            f.name.compare(lookup.column, Qt::CaseInsensitive) == 0)
            read << db::FieldDef{f.name, f.type, 0, {}};
    table.SetFieldDefs(read);
    table.Open();
    db::Field& code = table.FieldByName(key->fields.first());
    db::Field* description = table.FindField(lookup.column);
    lookup.all.clear();
    const int read2[] = {code.Index(), description ? description->Index() : code.Index()};
    QByteArrayView bytes[2];
    for (table.First(); !table.Eof(); table.Next()) {
        if (!table.ReadBytes(read2, bytes)) {
            bytes[0] = code.AsUtf8();
            bytes[1] = description ? description->AsUtf8() : QByteArrayView();
        }
        if (!description) bytes[1] = QByteArrayView();
        const QByteArray k = bytes[0].toByteArray();
        if (!lookup.all.contains(k)) lookup.all.insert(k, bytes[1].toByteArray());
    }
    table.Close();
    lookup.whole = true;
}

void TAnaliseEstrutura::CleanUp(bool keepCopy) {
    const bool discard = errorFound_ || interrupted_ || copyRefused_;
    // Every step runs whatever the one before did: after a full disk the
    // commit or the rollback may fail too, and what the run made must go all
    // the same.
    std::optional<db::DbError> failure;
    if (db_ && ownTransaction_ && db_->inTransaction()) {
        try {
            if (discard) db_->rollback();
            else db_->commit();
        } catch (const db::DbError& e) {
            failure = e;
            try {
                if (db_->inTransaction()) db_->rollback();
            } catch (const db::DbError&) {
            }
        }
    }
    ownTransaction_ = false;
    empFields_.clear();
    vincFields_.clear();
    fEmpVinculos_ = fEmpEstrangeiros_ = nullptr;
    vincExtras_ = ContractExtras{};
    vincDerived_.clear();
    vincRow_.clear();
    vincHeld_.clear();
    for (auto* t : {&emp_, &vinc_, &resp_}) {
        if (*t) (*t)->Close();
        t->reset();
    }
    if ((discard || failure) && db_) {
        for (const char* name : {"Te8emp.db", "Te8vinc.db", "Te8resp.db"}) {
            try {
                db_->dropTable(L(name));
            } catch (const db::DbError&) {
                // Left behind, it is replaced by the next analysis.
            }
            // A journal left by a failed write goes with its table.
            QFile::remove(QDir(dataFolder_).filePath(L(name)) + QStringLiteral("-journal"));
        }
    }
    if (discard || failure || !keepCopy) QFile::remove(copyPath_);
    db_.reset();
    if (failure) throw *failure;
}

qint64 AnalysisSpaceNeeded(qint64 size) {
    // The copy of the input, then the working tables; the one transaction's
    // journal holds only the few pages the tables had when empty. Measured at
    // the end of the commit (copy and tables, in bytes of the file): 2.69 for
    // a generated declaration of 5,000 contracts, 3.01 to 3.03 for files of
    // 1 to 22 MB whose every contract fills each field and finds each
    // description. Asked: the copy, 2.1 for the tables, and 1 MB for the
    // empty tables, the findings and the journals.
    return size + size * 21 / 10 + 1024 * 1024;
}

// ---- the record loop ------------------------------------------------------

void TAnaliseEstrutura::RecordLoop(QFile& copy, qint64 size) {
    prevRecord_ = QByteArray(recordLength_ + 28, '\0');
    RecordReader reader(copy, size, recordLength_);
    if (!reader.Start()) {
        // Too short for a header, an establishment and a trailer.
        record_ = reader.Head();
        recordBytes_ = reader.HeadBytes();
        ReportError(1924, {{false, QString(), QString(), QString()}});
        record_ = nullptr;
        return;
    }
    lineEndKind_ = reader.LineEnd();
    step_ = reader.Step();
    // The analysis's share of the bar counts from the end of the copy.
    estimatedRecords_ = copied_ < size ? 0 : size / step_;

    while (reader.Next()) {
        record_ = reader.Record();
        recordBytes_ = reader.RecordBytes();
        plainBytes_ = 0;  // until a load finds them so
        if (!ExamineRecord(reader.BytesLeft())) break;
        // The reader holds the first block, the copy so far, until well
        // past the first record.
        if (copied_ < size && !CopyTheRest()) break;
    }

    if (!errorFound_ && !interrupted_ && !copyRefused_) {
        MoveProgress(100);
        if (prevType_ != '9') ReportError(1905, {{true, finding::kRecordType, QString(), TypeShown(prevRecord_.constData())}});
    }
    record_ = nullptr;
}

QString TAnaliseEstrutura::TypeShown(const char* record) const {
    return PrintableOrHex(static_cast<unsigned char>(record[kTypeByte]), true);
}

QString TAnaliseEstrutura::Value(const TArquivo& d) const { return FieldText(record_, recordBytes_, d); }

QByteArrayView TAnaliseEstrutura::RowBytes(const TArquivo& d, bool trimmed, QByteArray& held) const {
    // This runs for every field of every contract loaded: plain text is
    // loaded where it lies, with no text made.
    QByteArrayView bytes = FieldSlice(record_, recordBytes_, d);
    if (bytes.isNull()) return bytes;
    if (bytes.data() + bytes.size() > record_ + plainBytes_ && !IsPlainText(bytes)) {
        held = (trimmed ? TrimBoth(Value(d)) : Value(d)).toUtf8();
        return held;
    }
    if (trimmed) {
        while (!bytes.isEmpty() && bytes.front() == ' ') bytes = bytes.sliced(1);
        while (!bytes.isEmpty() && bytes.back() == ' ') bytes.chop(1);
    }
    return bytes;
}

// The lookups are read-only, so a description depends on the field alone.
QByteArrayView TAnaliseEstrutura::DerivedBytes(Derived& derived) {
    const TArquivo& d = layout_.Tipo2.Slot(derived.slot);
    QByteArrayView field = FieldSlice(record_, recordBytes_, d);
    if (derived.leading > 0 && field.size() > derived.leading) field = field.first(derived.leading);
    const auto make = [&] { return MakeDerived(derived, field); };
    if (field.size() <= 7) {
        // The bytes and their count make the key: "07" is not "7 ".
        quint64 key = 0;
        for (const char c : field) key = key << 8 | static_cast<unsigned char>(c);
        key |= quint64(field.size()) << 56;
        const QByteArrayView hit = derived.byShortField.Find(key);
        // A text found is never null: an empty one points into its slot.
        return hit.data() ? hit : derived.byShortField.Insert(key, make());
    }
    const QByteArray key = QByteArray::fromRawData(field.data(), field.size());
    auto hit = derived.byField.constFind(key);
    if (hit == derived.byField.constEnd()) hit = derived.byField.insert(QByteArray(field.data(), field.size()), make());
    return *hit;
}

QByteArrayView TAnaliseEstrutura::ShortFieldTable::Insert(quint64 key, const QByteArray& text) {
    if (2 * (count_ + 1) > slots_.size()) {
        std::vector<Slot> old(std::max<std::size_t>(64, 2 * slots_.size()));
        old.swap(slots_);
        for (const Slot& s : old) {
            if (!s.used) continue;
            std::size_t i = Home(s.key);
            while (slots_[i].used) i = (i + 1) & (slots_.size() - 1);
            slots_[i] = s;
        }
    }
    std::size_t i = Home(key);
    while (slots_[i].used) i = (i + 1) & (slots_.size() - 1);
    Slot& s = slots_[i];
    s.key = key;
    s.used = true;
    s.size = int(text.size());
    if (text.size() <= kInline) {
        std::memcpy(s.bytes, text.constData(), std::size_t(text.size()));
    } else {
        s.longer = int(longer_.size());
        longer_.push_back(text);
    }
    ++count_;
    return Text(s);
}

// A description made from the bytes of a field and of the lookup read whole,
// with no text made where both are plain; otherwise as its text.
QByteArray TAnaliseEstrutura::MakeDerived(Derived& derived, QByteArrayView field) {
    Lookup& lookup = *derived.lookup;
    const auto ascii = [](QByteArrayView bytes) {
        for (const char c : bytes)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    };
    // A description as a text: cut, in capitals where asked, and as the column stores it.
    const auto shown = [&derived](QString text) {
        if (derived.cut > 0) text = text.left(derived.cut);
        if (derived.upper) text = text.toUpper();
        return db::normalizeText(text, derived.width).toUtf8();
    };
    if (!lookup.whole || !IsPlainText(field)) {
        QString code = Value(layout_.Tipo2.Slot(derived.slot));
        if (derived.leading > 0) code = code.left(derived.leading);
        return shown(Describe(lookup, derived.trimmed ? TrimBoth(code) : code));
    }
    // The code as the lookup stores its key: a byte is a character here.
    QByteArrayView code = field;
    if (derived.trimmed)
        while (!code.isEmpty() && code.front() == ' ') code = code.sliced(1);
    if (lookup.keyWidth > 0 && code.size() > lookup.keyWidth) code = code.first(lookup.keyWidth);
    while (!code.isEmpty() && code.back() == ' ') code.chop(1);
    const auto hit = lookup.all.constFind(QByteArray::fromRawData(code.data(), code.size()));
    const QByteArrayView text = hit == lookup.all.constEnd() ? QByteArrayView() : QByteArrayView(*hit);
    if (!ascii(text)) return shown(QString::fromUtf8(text));
    qsizetype n = text.size();
    if (derived.cut > 0) n = qMin<qsizetype>(n, derived.cut);
    if (derived.width > 0) n = qMin<qsizetype>(n, derived.width);
    while (n > 0 && text[n - 1] == ' ') --n;
    QByteArray made(text.data(), n);
    if (derived.upper) made = std::move(made).toUpper();
    return made;
}

namespace {
// Bytes copied into an array that keeps its room from record to record.
void SetBytes(QByteArray& to, const char* bytes, qsizetype n) {
    to.resize(n);
    std::memcpy(to.data(), bytes, std::size_t(n));
}
}  // namespace

// One record, in the order of the checks; false ends the loop (a finding, an
// interruption, or the end mark after the trailer).
bool TAnaliseEstrutura::ExamineRecord(qint64 bytesLeft) {
    ++recordsRead_;
    const char* rec = record_;
    const auto cur = [](const QString& tipo, const QString& pos, const QString& conteudo) {
        return ErrorRow{false, tipo, pos, conteudo};
    };
    const auto prev = [](const QString& tipo, const QString& pos, const QString& conteudo) {
        return ErrorRow{true, tipo, pos, conteudo};
    };

    if (prevType_ == '9') {
        if (bytesLeft <= step_ && rec[0] == '\x1A') return false;  // the end-of-file mark
        ReportError(1903, {prev(finding::kRecordType, QString(), TypeShown(prevRecord_.constData())),
                           cur(finding::kAtPosition, QStringLiteral("1"), PrintableOrHex(Byte(1), true))});
        return false;
    }
    if (recordBytes_ < step_) {
        ReportError(1904, {cur(finding::kRecordLength, QString(), QString::number(step_)),
                           cur(finding::kBytesLeft, QString(), QString::number(recordBytes_))});
        return false;
    }
    // The break actually found, not merely the first unusual byte.
    if (const int at = FirstLineBreak(rec, 1, recordLength_); at <= recordLength_) {
        ReportError(1923, {cur(finding::kAtPosition, QString::number(at), PrintableOrHex(Byte(at), true))});
        return false;
    }
    if (!HasLineEnd(rec, step_, lineEndKind_)) {
        const int col = recordLength_ + 1;
        const unsigned char first = Byte(col);
        const unsigned char next = Byte(col + 1);
        QString shown = IsPrintableChar(first) ? PrintableOrHex(first, false)
                                               : PrintableOrHex(first, IsPrintableChar(next));
        if (step_ == recordLength_ + 2) shown += PrintableOrHex(next, true);
        ReportError(1900, {cur(finding::kAtPosition, QString::number(col), shown.left(20))});
        return false;
    }
    if (const int at = FirstNonDigit(rec, 1, 6); at <= 6) {
        ReportError(1922, {cur(finding::kSequence, QString::number(at),
                               IsAllPrintable(rec, 1, 6) ? decode(rec, 6) : PrintableOrHex(Byte(at), true))});
        return false;
    }
    curSequence_ = 0;
    for (int i = 0; i < 6; ++i) curSequence_ = curSequence_ * 10 + (rec[i] - '0');  // six digits, checked above
    if (curSequence_ != recordsRead_) {
        std::vector<ErrorRow> rows;
        if (recordsRead_ > 1) rows.push_back(prev(finding::kSequence, QString(), decode(prevRecord_.constData(), 6)));
        rows.push_back(cur(finding::kSequence, QString(), decode(rec, 6)));
        ReportError(1902, rows, true);
        return false;
    }
    if (const int at = FirstNonDigit(rec, 7, 14); at <= 14) {
        ReportError(1922, {cur(finding::kInscription, QString::number(6 + at),
                               IsAllPrintable(rec, 7, 14) ? decode(rec + 6, 14) : PrintableOrHex(Byte(6 + at), true))});
        return false;
    }
    SetBytes(curInscription_, rec + kInscriptionByte, 14);
    SetBytes(curPrefix_, rec + kPrefixByte, 2);
    if (!IsAllDigitBytes(rec, 23, 1)) {
        ReportError(1922, {cur(finding::kRecordType, QStringLiteral("23"), TypeShown(rec))});
        return false;
    }
    curType_ = rec[kTypeByte];

    if (estimatedRecords_ > 0)
        MoveProgress(kCopyPoints + int(qMin<qint64>(kAnalysisPoints, qint64(recordsRead_) * kAnalysisPoints / estimatedRecords_)));
    if (!PollCancel()) return false;

    if (curSequence_ == 1 && curType_ != '0') {
        ReportError(1907, {cur(finding::kRecordType, QString(), TypeShown(rec))});
        return false;
    }
    bool accepted = false;
    switch (curType_) {
    case '0': accepted = LoadHeaderRecord(); break;
    case '1': accepted = LoadEstablishmentRecord(); break;
    case '2': accepted = LoadContractRecord(); break;
    case '9': accepted = CheckTrailerRecord(); break;
    default: ReportError(1921, {cur(finding::kRecordType, QString(), TypeShown(rec))}); break;
    }
    if (!accepted) return false;

    std::memcpy(prevRecord_.data(), rec, size_t(qMin(step_, int(prevRecord_.size()))));
    prevSequence_ = curSequence_;
    SetBytes(prevInscription_, curInscription_.constData(), curInscription_.size());
    SetBytes(prevPrefix_, curPrefix_.constData(), curPrefix_.size());
    prevType_ = curType_;
    return true;
}

// ---- checks and loading by record type -------------------------------------

bool TAnaliseEstrutura::LoadHeaderRecord() {
    if (const int at = FirstNonPrintable(record_, 271, 10); at <= 10) {
        ReportError(1901, {{false, finding::kAtPosition, QString::number(270 + at), PrintableOrHex(Byte(270 + at), true)}});
        return false;
    }
    if (curSequence_ != 1 || prevType_ != '4' || recordsRead_ != 1) {
        ReportError(1906, {{false, finding::kRecordType, QString(), TypeShown(record_)}});
        return false;
    }
    db::Table& t = *resp_;
    t.Append();
    auto set = [&t](const char* column, const QString& value) { t.FieldByName(L(column)).SetAsString(value); };
    t.FieldByName(QStringLiteral("InReciboParaRespArquivo")).SetAsBoolean(isOneOrX(Field0(5)));
    set("CoCgcCeiResponsavel", TrimBoth(Field0(6)));
    set("InInscrResponsavel", TrimBoth(Field0(7)));
    set("NoResponsavelArquivo", TrimBoth(Field0(8)));
    set("EdLogradouroRespArquivo", TrimBoth(Field0(9)));
    set("NuLogradouroRespArquivo", Field0(10));
    set("TxComplementoRespArquivo", TrimBoth(Field0(11)));
    set("NoBairroRespArquivo", TrimBoth(Field0(12)));
    set("CoCepRespArquivo", Field0(13));
    set("CoMunicipioRespArquivo", Field0(14));
    set("NoMunicipioRespArquivo", TrimBoth(Field0(15)));
    set("SgUfRespArquivo", Field0(16));
    set("NuFoneDDD", Field0(17));
    set("NuFoneAssinante", Field0(18));
    amendment_ = isOneOrX(Field0(19));
    t.FieldByName(QStringLiteral("InRetificacao")).SetAsBoolean(amendment_);
    set("DaRetificacao", Field0(20));
    set("DaGeracao", Field0(21));
    set("TxEMailRespArquivo", Field0(22));
    set("NoResponsavelDeclaracao", Field0(23));
    set("CoCpfResponsavel", Field0(24));
    set("CoCrea", Field0(25));
    set("DaNascimentoRespArquivo", Field0(26));
    t.Post();
    SetCreaDeclaracao(Field0(25));
    return true;
}

// Writes the row of the establishment loaded last, with the counts of its
// contracts and foreign employees: it waits for them unwritten, so that it is
// written once.
void TAnaliseEstrutura::CompleteEstablishment() {
    if (!estPending_) return;
    fEmpVinculos_->SetAsString(zeroPad(estContracts_, 6));
    fEmpEstrangeiros_->SetAsString(zeroPad(estForeign_, 5));
    emp_->Post();
    estPending_ = false;
    estContracts_ = 0;
    estForeign_ = 0;
}

bool TAnaliseEstrutura::LoadEstablishmentRecord() {
    const auto cur = [](const QString& tipo, const QString& pos, const QString& conteudo) {
        return ErrorRow{false, tipo, pos, conteudo};
    };
    const auto prev = [](const QString& tipo, const QString& pos, const QString& conteudo) {
        return ErrorRow{true, tipo, pos, conteudo};
    };
    const QString type = TypeShown(record_);
    if (!IsAllDigitBytes(record_, 280, 1)) {
        ReportError(1922, {cur(finding::kWithEmployees, QStringLiteral("280"), PrintableOrHex(Byte(280), true))});
        return false;
    }
    if (const int at = FirstNonPrintable(record_, 228, 38); at <= 38) {
        ReportError(1901, {cur(finding::kAtPosition, QString::number(227 + at), PrintableOrHex(Byte(227 + at), true))});
        return false;
    }
    CompleteEstablishment();

    const QByteArray key = Key(curInscription_, curPrefix_);
    const QByteArray prevKey = Key(prevInscription_, prevPrefix_);
    if (prevType_ == '0' && (key != prevKey || recordsRead_ != 2)) {
        ReportError(1908, {prev(finding::kRecordType, QString(), TypeShown(prevRecord_.constData())),
                           cur(finding::kRecordType, QString(), type)});
        return false;
    }
    if (prevType_ == '1') {
        if (!PreviousWithoutEmployees()) {
            ReportError(1909, {prev(finding::kRecordType, QString(), TypeShown(prevRecord_.constData())),
                               prev(finding::kWithEmployees, QString(), PrintableOrHex(uchar(prevRecord_.at(kWithEmployeesByte)), true)),
                               cur(finding::kRecordType, QString(), type)});
            return false;
        }
        if (key == prevKey) {
            ReportError(1910, {prev(finding::kRecordType, QString(), TypeShown(prevRecord_.constData())),
                               cur(finding::kRecordType, QString(), type)});
            return false;
        }
    }

    const TArquivo& yearSlot = layout_.Tipo1.Slot(23);
    const QString label = yearSlot.Label;
    const bool currentYear = CurrentYearLayout();
    const QString expected = currentYear ? baseYearText_ : label;
    const QString year = Value(yearSlot);
    if (!IsAllDigitBytes(record_, yearSlot.Start, yearSlot.Length) || year != expected) {
        ReportError(1911, {cur(finding::kAtPosition, QString::number(yearSlot.Start),
                               IsAllPrintable(record_, yearSlot.Start, yearSlot.Length) ? year : QString())});
        return false;
    }
    establishmentYear_ = currentYear ? year : label;

    const QString inscription = Field1(2);
    const QString prefix = Field1(3);
    if (emp_->FindKey({establishmentYear_, inscription, prefix})) {
        // Show the earlier occurrence in the finding's first row.
        QByteArray earlier(prevRecord_.size(), ' ');
        const QByteArray seq = cp1252::Encode(PadLeftZeros(emp_->FieldByName(QStringLiteral("NuSequencialRegistro")).AsString(), 6));
        const QByteArray ins = cp1252::Encode(emp_->FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString().leftJustified(14, QLatin1Char(' '), true));
        const QByteArray pre = cp1252::Encode(emp_->FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString().leftJustified(2, QLatin1Char(' '), true));
        std::memcpy(earlier.data() + kSequenceByte, seq.constData(), 6);
        std::memcpy(earlier.data() + kInscriptionByte, ins.constData(), 14);
        std::memcpy(earlier.data() + kPrefixByte, pre.constData(), 2);
        earlier[kTypeByte] = '1';
        prevRecord_ = earlier;
        ReportError(1910, {prev(finding::kRecordType, QString(), QStringLiteral("1")), cur(finding::kRecordType, QString(), type)});
        return false;
    }
    const char declared = record_[kWithEmployeesByte];
    if (declared != '0' && declared != '1') {
        ReportError(1912, {cur(finding::kWithEmployees, QString(), PrintableOrHex(uchar(declared), true))});
        return false;
    }

    estInscriptionType_ = Field1(20);
    estLinkedCei_ = QStringLiteral("00") + Field1(22);
    estYearBytes_ = establishmentYear_.toUtf8();
    estInscriptionTypeBytes_ = estInscriptionType_.toUtf8();
    estLinkedCeiBytes_ = estLinkedCei_.toUtf8();
    estWithoutEmployees_ = declared == '1';

    db::Table& t = *emp_;
    t.Append();
    for (const Binding& b : empFields_) {
        const QString value = Field1(b.slot);
        switch (b.kind) {
        case kTrimmed: b.field->SetAsString(TrimBoth(value)); break;
        case kIfCurrentYear: b.field->SetAsString(currentYear ? value : L(b.constant)); break;
        default: b.field->SetAsString(value); break;
        }
    }
    t.FieldByName(QStringLiteral("AnBase")).SetAsString(establishmentYear_);
    const QString cnae = db::normalizeText(Field1(16), 7);
    t.FieldByName(QStringLiteral("TxtCnae")).SetAsString(TrimBoth(Describe(lkCnae_, cnae)));
    t.FieldByName(QStringLiteral("TxtNatJur")).SetAsString(Describe(lkNatJur_, TrimBoth(Field1(17))));
    t.FieldByName(QStringLiteral("InEncerramentoAtividade")).SetAsString(isOneOrX(Field1(37)) ? L("1") : L("2"));
    const QString pat = upperFirst(Field1(24));
    t.FieldByName(QStringLiteral("InParticipaPAT"))
        .SetAsString(pat == QLatin1String("1") || pat == QLatin1String("X")   ? L("1")
                     : pat == QLatin1String("2") || pat == QLatin1String(" ") ? L("2")
                                                                              : pat);
    t.FieldByName(QStringLiteral("InOptanteSimples")).SetAsString(isOneOrX(Field1(27)) ? L("1") : L("2"));
    const QString porte = Field1(39);
    t.FieldByName(QStringLiteral("InPorte"))
        .SetAsString(porte.size() == 1 && porte >= QLatin1String("1") && porte <= QLatin1String("4") ? porte : L(" "));
    t.FieldByName(QStringLiteral("CoCgcVinculado")).SetAsString(estLinkedCei_);

    ++establishments_;
    estPending_ = true;
    estContracts_ = 0;
    estForeign_ = 0;
    return true;
}

bool TAnaliseEstrutura::LoadContractRecord() {
    // The rows of a finding are made only when there is one.
    const auto cur = [this] { return ErrorRow{false, finding::kRecordType, QString(), TypeShown(record_)}; };
    const auto prevType = [this] {
        return ErrorRow{true, finding::kRecordType, QString(), TypeShown(prevRecord_.constData())};
    };
    const auto prevDeclared = [this] {
        return ErrorRow{true, finding::kWithEmployees, QString(), PrintableOrHex(uchar(prevRecord_.at(kWithEmployeesByte)), true)};
    };
    const bool sameKey = curInscription_ == prevInscription_ && curPrefix_ == prevPrefix_;
    if (prevType_ == '1') {
        if (!sameKey) {
            ReportError(PreviousWithoutEmployees() ? 1913 : 1915,
                        PreviousWithoutEmployees() ? std::vector<ErrorRow>{cur()}
                                                   : std::vector<ErrorRow>{prevType(), prevDeclared(), cur()});
            return false;
        }
        if (PreviousWithoutEmployees()) {
            ReportError(1914, {prevType(), prevDeclared(), cur()});
            return false;
        }
    } else if (prevType_ == '2' && !sameKey) {
        ReportError(1916, {prevType(), cur()});
        return false;
    } else if (prevType_ == '0') {
        ReportError(1913, {cur()});
        return false;
    }

    const QByteArrayView nationality = FieldSlice(record_, recordBytes_, layout_.Tipo2.Slot(8));
    if (nationality != QByteArrayView("10")) ++estForeign_;
    const bool zeroed = zeroPay_ && TrimBoth(establishmentYear_) != TrimBoth(baseYearText_);

    // A record that is plain text throughout, as most are, needs no check per field.
    const int span = qMin(recordBytes_, recordLength_);
    plainBytes_ = IsPlainText(QByteArrayView(record_, span)) ? span : 0;
    QByteArrayView* row = vincRow_.data();
    QByteArray* held = vincHeld_.data();
    for (const Binding& b : vincFields_) {
        const bool trimmed = b.kind == kTrimmed;
        if (b.kind == kIfNotZeroed && zeroed) {
            row[b.column] = QByteArrayView(b.constant);
        } else if (b.length > 0 && b.start + b.length <= plainBytes_) {
            // Plain text lying whole in the record: loaded where it lies.
            const char* p = record_ + b.start;
            qsizetype n = b.length;
            if (trimmed) {
                while (n > 0 && *p == ' ') ++p, --n;
                while (n > 0 && p[n - 1] == ' ') --n;
            }
            row[b.column] = QByteArrayView(p, n);
        } else {
            row[b.column] = RowBytes(layout_.Tipo2.Slot(b.slot), trimmed, held[b.column]);
        }
    }
    const ContractExtras& x = vincExtras_;
    row[x.anBase] = estYearBytes_;
    row[x.inscricao] = RowBytes(layout_.Tipo2.Slot(2), false, held[x.inscricao]);
    row[x.prefixo] = RowBytes(layout_.Tipo2.Slot(3), false, held[x.prefixo]);
    row[x.vinculado] = estLinkedCeiBytes_;
    row[x.tipoInscricao] = estInscriptionTypeBytes_;
    for (Derived& derived : vincDerived_) row[derived.column] = DerivedBytes(derived);
    vinc_->AppendRow(vincRow_);
    ++contracts_;
    ++estContracts_;
    return true;
}

bool TAnaliseEstrutura::CheckTrailerRecord() {
    const QString type = TypeShown(record_);
    const auto cur = ErrorRow{false, finding::kRecordType, QString(), type};
    const auto prevType = ErrorRow{true, finding::kRecordType, QString(), TypeShown(prevRecord_.constData())};
    if (const int at = FirstNonPrintable(record_, 36, 245); at <= 245) {
        ReportError(1901, {{false, finding::kAtPosition, QString::number(35 + at), PrintableOrHex(Byte(35 + at), true)}});
        return false;
    }
    CompleteEstablishment();
    if (prevType_ == '0') {
        ReportError(1917, {prevType, cur});
        return false;
    }
    if (prevType_ == '1' && !PreviousWithoutEmployees()) {
        ReportError(1915, {prevType, {true, finding::kWithEmployees, QString(), PrintableOrHex(uchar(prevRecord_.at(kWithEmployeesByte)), true)}, cur});
        return false;
    }
    if (Key(curInscription_, curPrefix_) != Key(prevInscription_, prevPrefix_)) {
        ReportError(1918, {prevType, cur});
        return false;
    }
    auto total = [this](int column) { return IsAllDigitBytes(record_, column, 6) ? QByteArray(record_ + column - 1, 6).toInt() : 0; };
    auto shown = [this](int column) { return IsAllPrintable(record_, column, 6) ? decode(record_ + column - 1, 6) : QString(); };
    if (total(24) != establishments_) {
        ReportError(1919, {cur, {false, finding::kStatedTotal, QString(), shown(24)},
                           {false, finding::kEstablishmentsCounted, QString(), QString::number(establishments_)}});
        return false;
    }
    if (total(30) != contracts_) {
        ReportError(1920, {cur, {false, finding::kStatedTotal, QString(), shown(30)},
                           {false, finding::kContractsCounted, QString(), QString::number(contracts_)}});
        return false;
    }
    resp_->First();
    if (!resp_->Eof()) {
        resp_->Edit();
        resp_->FieldByName(QStringLiteral("NuRespostaPesquisa")).SetAsString(Field9(9));
        resp_->Post();
    }
    return true;
}

// ---- findings --------------------------------------------------------------

void TAnaliseEstrutura::ReportError(int code, const std::vector<ErrorRow>& rows, bool sequenceAsNumber) {
    errorFound_ = true;
    // The working tables go with the finding; end the transaction so the
    // findings table can be created and attached.
    if (ownTransaction_ && db_->inTransaction()) db_->rollback();
    ownTransaction_ = false;
    db_->createTable(StructureFindingsTableDef());
    db::Table table(db_, StructureFindingsTableDef().fileName);
    table.Open();
    for (const ErrorRow& row : rows) WriteErrorRow(table, code, row, sequenceAsNumber);
    table.Close();
}

void TAnaliseEstrutura::WriteErrorRow(db::Table& table, int code, const ErrorRow& row, bool sequenceAsNumber) {
    // The row's record, padded with zero bytes so that a short one reads safely.
    QByteArray rec(recordLength_ + 28, '\0');
    if (row.previous) rec = prevRecord_;
    else if (record_) std::memcpy(rec.data(), record_, size_t(qMin(recordBytes_, int(rec.size()))));
    const char* r = rec.constData();

    QString sequence;
    if (row.previous)
        sequence = !sequenceAsNumber && IsAllDigitBytes(r, 1, 6) ? decode(r, 6) : zeroPad(prevSequence_, 6);
    else
        sequence = zeroPad(prevSequence_ + 1, 6);

    table.Append();
    table.FieldByName(QStringLiteral("AnBase")).SetAsString(baseYearText_);
    table.FieldByName(QStringLiteral("CoMsg")).SetAsString(zeroPad(code, 4));
    table.FieldByName(QStringLiteral("Sequencia")).SetAsString(sequence);
    table.FieldByName(QStringLiteral("InscricaoPrefixo")).SetAsString(IsAllPrintable(r, 7, 16) ? decode(r + 6, 16) : QString());
    table.FieldByName(QStringLiteral("TipoCampo")).SetAsString(row.tipoCampo);
    table.FieldByName(QStringLiteral("PosicaoInicial")).SetAsString(row.posicao);
    table.FieldByName(QStringLiteral("Conteudo")).SetAsString(row.conteudo.left(20));
    table.Post();
}

}  // namespace declfile
