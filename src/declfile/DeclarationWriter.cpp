#include "declfile/DeclarationWriter.h"

#include "declfile/DeclarationFolder.h"
#include "declfile/Windows1252.h"
#include "declfile/ugClArquivo.h"
#include "declfile/ugDriveDisquete.h"
#include "declfile/ugHashCompara.h"
#include "platform/AppPaths.h"
#include "platform/Digest.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/os/Drives.h"
#include "platform/os/FaultSeam.h"
#include "platform/os/FileSet.h"
#include "platform/ui/MessageService.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <optional>

namespace declfile {

// ---- part files ------------------------------------------------------------

namespace {

class DiskPartFile : public PartFile {
public:
    bool Create(const QString& path) override {
        file_.setFileName(path);
        // Room for a chunk and the record that fills it, kept from chunk to chunk.
        buffer_.resize(0);
        buffer_.reserve(kFlushAt + kRecordBytes);
        diskFull_ = false;
        written_ = 0;
        handedOn_ = 0;
        return file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    }
    bool Write(const QByteArray& bytes) override {
        buffer_.append(bytes);
        return buffer_.size() < kFlushAt || flush();
    }
    bool Close() override {
        if (!file_.isOpen()) return true;
        const bool ok = flush();
        file_.close();
        return ok && file_.error() == QFileDevice::NoError;
    }
    bool DiskFull() const override { return diskFull_; }

private:
    static constexpr int kFlushAt = 1 << 16;
    bool flush() {
        if (buffer_.isEmpty()) return true;
        errno = 0;
        const qint64 n = file_.write(buffer_);
        const int err = errno;
        const bool ok = n == buffer_.size();
        buffer_.resize(0);
        if (!ok) {
            diskFull_ = err == ENOSPC || file_.error() == QFileDevice::ResourceError;
            return false;
        }
        written_ += n;
#ifdef __linux__
        // The disk takes each megabyte while the next ones are made, so that
        // the sync before the part takes its name has little left to wait for.
        if (written_ - handedOn_ >= kHandOnAt) {
            ::sync_file_range(file_.handle(), handedOn_, written_ - handedOn_, SYNC_FILE_RANGE_WRITE);
            handedOn_ = written_;
        }
#endif
        return true;
    }
    static constexpr qint64 kHandOnAt = 1 << 20;
    QFile file_;
    QByteArray buffer_;
    bool diskFull_ = false;
    qint64 written_ = 0;   // bytes in the file
    qint64 handedOn_ = 0;  // of them, bytes whose writing to the disk has been started
};

PartFileFactory& partFileFactory() {
    static PartFileFactory factory;
    return factory;
}

forms::StopRequest* gCancelRequest = nullptr;

// Why the folder Transmite could not take a part, named with its cause: the
// diskette text would send the user looking for a disk that is not there.
QString TransmitFolderProblemText(const QString& decName) {
    QString folder = TransmitFolder();
    while (folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (info.isFile())
        return QStringLiteral("Não é possível gravar o arquivo \"%1\": \"%2\" é um arquivo e não uma pasta.\n"
                              "Renomeie esse arquivo e grave novamente.").arg(decName, shown);
    if (!info.exists())
        return QStringLiteral("Não é possível gravar o arquivo \"%1\": a pasta \"%2\" não existe.\n"
                              "Crie a pasta e grave novamente.").arg(decName, shown);
    if (!info.isWritable())
        return QStringLiteral("Não é possível gravar o arquivo \"%1\": a pasta \"%2\" não permite gravação.\n"
                              "Libere a gravação na pasta e grave novamente.").arg(decName, shown);
    return QStringLiteral("Não é possível criar o arquivo \"%1\" na pasta \"%2\".").arg(decName, shown);
}


// Files of the folder can be replaced and removed.
bool FolderTakesNewNames(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QStringList receiptFieldsFromEstablishment() {
    return QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;InInscrEstabelecimento;"
                          "NoRazaoEstabelecimento;EdEstabelecimento;NuEnderecoEstabelecimento;"
                          "TxComplemEstabelecimento;NoBairroEstabelecimento;CoCepEstabelecimento;CoMunicipio;"
                          "NoMunicEstabelecimento;SgUf;NuDDD;NuTelefone;TxEMailEstabelecimento;"
                          "InEncerramentoAtividade;DaEncerramentoAtividade")
        .split(';');
}

QStringList receiptFieldsFromResponsible() {
    return QStringLiteral("CoCgcCeiResponsavel;InInscrResponsavel;NoResponsavelArquivo;EdLogradouroRespArquivo;"
                          "NuLogradouroRespArquivo;TxComplementoRespArquivo;NoBairroRespArquivo;CoCepRespArquivo;"
                          "CoMunicipioRespArquivo;NoMunicipioRespArquivo;SgUfRespArquivo;NuFoneDDD;"
                          "NuFoneAssinante;TxEMailRespArquivo")
        .split(';');
}

}  // namespace

std::unique_ptr<PartFile> MakeDiskPartFile() { return std::make_unique<DiskPartFile>(); }

void SetPartFileFactory(PartFileFactory factory) { partFileFactory() = std::move(factory); }

db::TableDef ReceiptFileTableDef() {
    using db::textField;
    db::TableDef t;
    t.fileName = QStringLiteral("te8ProID.db");
    t.fields = {
        textField("NuDisquete", 2), textField("AnBase", 4), textField("CoCgcCeiEstabelecimento", 14),
        textField("NuPrefixoEstabelecimento", 2), textField("InInscrEstabelecimento", 1),
        textField("NoRazaoEstabelecimento", 52), textField("EdEstabelecimento", 40),
        textField("NuEnderecoEstabelecimento", 6), textField("TxComplemEstabelecimento", 21),
        textField("NoBairroEstabelecimento", 19), textField("CoCepEstabelecimento", 8),
        textField("CoMunicipio", 7), textField("NoMunicEstabelecimento", 30), textField("SgUf", 2),
        textField("NuDDD", 2), textField("NuTelefone", 8), textField("TxEMailEstabelecimento", 45),
        textField("CoCgcCeiResponsavel", 14), textField("InInscrResponsavel", 1),
        textField("NoResponsavelArquivo", 40), textField("EdLogradouroRespArquivo", 40),
        textField("NuLogradouroRespArquivo", 6), textField("TxComplementoRespArquivo", 21),
        textField("NoBairroRespArquivo", 19), textField("CoCepRespArquivo", 8),
        textField("CoMunicipioRespArquivo", 7), textField("NoMunicipioRespArquivo", 30),
        textField("SgUfRespArquivo", 2), textField("NuFoneDDD", 2), textField("NuFoneAssinante", 8),
        textField("TxEMailRespArquivo", 45), db::boolField("InReciboParaRespArquivo"),
        db::boolField("InRetificacao"), textField("DaGeracao", 8), textField("HoSenha", 6),
        textField("NuEstabelecimentos", 6), textField("NuVinculos", 6),
        textField("InEncerramentoAtividade", 1), textField("DaEncerramentoAtividade", 8),
    };
    return t;
}

db::TableDef ReceiptEstablishmentTableDef() {
    using db::textField;
    db::TableDef t;
    t.fileName = QStringLiteral("te8ProES.db");
    t.fields = {
        textField("NuDisquete", 2), textField("CoCgcCeiEstabelecimento", 14),
        textField("NuPrefixoEstabelecimento", 2), textField("CoCgcVinculado", 14),
        textField("InInscrEstabelecimento", 1), textField("NoRazaoEstabelecimento", 52),
        textField("NuVinculosEstabelecimento", 6), textField("DaEncerramentoAtividade", 8),
    };
    return t;
}

LaterParts FindLaterParts(const QString& folder, const QString& last) {
    LaterParts later;
    if (last.size() < 4) return later;
    const QString base = last.left(last.size() - 3);
    const QChar letter = last.back();
    const int lastPart = last.mid(last.size() - 3, 2).toInt();
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files)) {
        if (info.suffix().compare(QLatin1String("dec"), Qt::CaseInsensitive) != 0) continue;
        const QString stem = info.completeBaseName();
        if (stem.size() != last.size() || !stem.startsWith(base, Qt::CaseInsensitive) ||
            stem.back().toUpper() != letter.toUpper())
            continue;
        bool isNumber = false;
        const int part = stem.mid(stem.size() - 3, 2).toInt(&isNumber);
        if (!isNumber || part <= lastPart) continue;
        if (IsTransmitted(info.filePath()))
            later.kept << info.fileName();
        else
            later.removable << info.filePath();
    }
    later.kept.sort();
    return later;
}

QStringList RemoveLaterParts(QChar drive, const WriterState& state) {
    const QString folder = IsDisketteDrive(drive) ? drives::RootFolder(drive.toUpper()) : TransmitFolder();
    const LaterParts later = FindLaterParts(folder, state.NomeArquivoGerado);
    for (const QString& path : later.removable) QFile::remove(path);
    return later.kept;
}

void CancelWriting() {
    if (gCancelRequest) gCancelRequest->Request();
}

// ---- one run ---------------------------------------------------------------

namespace {

constexpr qint64 kReserve = 3552;              // header, trailer and a few records
constexpr qint64 kReserveWithContracts = 4104; // one record more for an establishment with employees
constexpr qint64 kMinimumCapacity = 1410;

class WriterRun {
public:
    WriterRun(const WriteRequest& r, WriterState& s, WriterHost& h)
        : req_(r), state_(s), host_(h), record_(kRecordBytes, ' ') {
        context_.amendment = req_.amendment;
        context_.fromWorkingTables = req_.fromWorkingTables;
        context_.generationDate = req_.generationDate;
        context_.crea = state_.CreaDeclaracao;
        context_.versao = state_.Versao;
        context_.splitMode = state_.ModoParticionamento == 1;
        context_.anoBase = state_.AnoBase;
        context_.osCode = state_.OsCode;
    }
    ~WriterRun() { gCancelRequest = nullptr; }
    int Run();

private:
    int runSteps();
    // Visits the chosen establishments (every row when the request names
    // none), the establishment table on each, until `visit` returns false.
    // A chosen key missing from the table is passed over when
    // `missingStops` is false, else it stops the run with an error box.
    bool forEachChosen(bool missingStops, const std::function<bool()>& visit);
    // Steps; false stops the run.
    bool OpenNextFile();
    // The steps of opening the next part: the diskette asked for and
    // waited for (false: the user gave up), a file of the part's name
    // already there (kept, replaced or the run stopped), the part created.
    enum class PartStep { Go, NextNumber, Retry, Stop };
    bool disketteInDrive(QChar drive, bool askForIt);
    PartStep settleExistingPart(QChar drive, const QString& decName);
    PartStep openPart(QChar drive, const QString& name, const QString& decName);
    bool WriteHeaderRecord();
    bool WriteEstablishmentRecord();
    bool WriteContractRecord();
    bool WriteTrailerRecord();
    bool PollCancel();
    bool StampFileDigest();

    // Builds the record of the builder's current row into the run's one
    // record buffer, writes it and feeds it to the part's digest.
    bool writeRecord(const RecordBuilder& builder, const RecordContext& c);
    bool closePart();
    void storePendingContractCount();
    void advanceProgress() { host_.SetProgress(++progress_); }
    // The name of a part of this run, without ".dec".
    QString partName(int part) const {
        return DeclarationFileName(state_.AnoBase, nameKey_, part, req_.amendment).chopped(4);
    }
    bool diskette() const { return IsDisketteDrive(req_.drive); }
    bool keepsPart() const { return req_.keptPart > 0 && !req_.keptBaseName.isEmpty(); }
    // The context of the next record: the run's settings, made once, and
    // the place of the record in its part.
    const RecordContext& context();
    void cleanUp(bool completed);
    void dropReceiptTables();

    const WriteRequest& req_;
    WriterState& state_;
    WriterHost& host_;

    std::shared_ptr<db::Database> db_;
    std::unique_ptr<db::Table> resp_, emp_, vinc_, proId_, proEs_;
    // The receipt rows of the run, committed at its end: one commit instead
    // of one per establishment.
    std::unique_ptr<db::Transaction> receipts_;
    void commitReceipts();
    std::unique_ptr<RecordBuilder> b0_, b1_, b2_, b9_;
    std::unique_ptr<PartFile> file_;
    QByteArray record_;            // the record being written
    digest::StreamDigest digest_;  // of the part being written, fed record by record
    RecordContext context_;

    qint64 capacity_ = 0;
    qint64 used_ = 0;
    int part_ = 0;
    int partsOpened_ = 0;
    int sequence_ = 1;
    int count1_ = 0;
    int count2_ = 0;
    int contracts_ = 0;
    int progress_ = 0;
    QByteArray key_;
    QString unnamed_;  // a part written in full that could not take its name
    QString nameKey_;  // inscription and prefix that name the run's parts
    QString currentPath_;   // the part being written, under its temporary name
    QString currentName_;
    QString currentFinal_;  // the name it takes once written
    QList<QPair<QString, QString>> written_;  // parts written, not named yet
    void partWritten();
    void nameWrittenParts();
    void discardWrittenParts();
    bool ioError_ = false;
    bool diskFull_ = false;
    std::optional<db::DbError> dataFolderError_;  // a table of the data folder could not be written
    forms::StopRequest cancelRequest_;
    bool cancelled_ = false;
    bool overwrite_ = false;
    bool cannotDelete_ = false;
    bool missing_ = false;
    bool lowCapacity_ = false;
    bool cannotCreate_ = false;
    bool esPending_ = false;
    int lastProIdPart_ = 9999;
};

const RecordContext& WriterRun::context() {
    context_.key = key_;
    context_.sequence = sequence_;
    context_.count1 = count1_;
    context_.count2 = count2_;
    return context_;
}

bool WriterRun::PollCancel() {
    if (forms::PollStop(host_, cancelRequest_)) {
        cancelled_ = true;
        return false;
    }
    return true;
}

bool WriterRun::writeRecord(const RecordBuilder& builder, const RecordContext& c) {
    builder.BuildInto(record_.data(), c);
    if (!file_ || !file_->Write(record_)) {
        ioError_ = true;
        diskFull_ = file_ && file_->DiskFull();
        return false;
    }
    digest_.Add(record_);
    return true;
}

bool WriterRun::closePart() {
    if (!file_) return true;
    const bool ok = file_->Close();
    if (!ok) {
        ioError_ = true;
        diskFull_ = file_->DiskFull();
    }
    file_.reset();
    return ok;
}

bool WriterRun::StampFileDigest() {
    if (!PollCancel()) return false;
    // The digest fed as the part was written: the part is not read back.
    const qint64 size = digest_.Size();
    if (declfile::StampFileDigest(currentPath_, digest_.Finish(), size) != StampResult::Stamped) {
        ioError_ = true;
        return false;
    }
    fault::Step("part.stamped");
    return PollCancel();
}

// A part that is closed (and stamped) waits under its temporary name until
// the run ends; a diskette leaves the drive, so its part is named at once.
void WriterRun::partWritten() {
    if (currentPath_.isEmpty()) return;
    written_ << qMakePair(currentPath_, currentFinal_);
    currentPath_.clear();
    if (diskette()) nameWrittenParts();
}

void WriterRun::nameWrittenParts() {
    if (written_.isEmpty()) return;
    // Parts of an earlier, longer run of the same declaration go in the same
    // step: one record that a start after a crash completes.
    const QStringList laterParts = !diskette() && req_.replaceLaterParts
                                       ? FindLaterParts(TransmitFolder(), state_.NomeArquivoGerado).removable
                                       : QStringList();
    bool named;
    const bool single = written_.size() == 1 && laterParts.isEmpty();
    if (single) {
        // One rename is one step already: no record needed (none on a diskette).
        const auto& [temp, final] = written_.first();
        named = os::SyncFile(temp) && os::ReplaceFile(temp, final);
        // Without the folder on the disk a power cut could take the new name
        // away; the part is named all the same, as after the renames of a record.
        if (named) os::SyncFolder(QFileInfo(final).absolutePath());
    } else {
        named = os::RenameTogether(QFileInfo(written_.first().second).absolutePath(), written_, laterParts);
    }
    if (!named) {
        ioError_ = true;
        unnamed_ = QFileInfo(written_.first().second).fileName();
        // Without a record the file under its temporary name is only debris;
        // a record that stays still needs the files it names.
        if (single) QFile::remove(written_.first().first);
    }
    written_.clear();
}

void WriterRun::discardWrittenParts() {
    for (const auto& [temp, final] : std::as_const(written_)) QFile::remove(temp);
    written_.clear();
    if (!currentPath_.isEmpty()) QFile::remove(currentPath_);
}

void WriterRun::storePendingContractCount() {
    if (!esPending_) return;
    proEs_->Edit();
    proEs_->FieldByName(QStringLiteral("NuVinculosEstabelecimento")).SetAsString(QString::number(contracts_));
    proEs_->Post();
}

bool WriterRun::WriteHeaderRecord() {
    if (!PollCancel()) return false;
    RecordContext c = context();
    c.sequence = 1;
    c.key = cp1252::Encode(FormatFileField(*emp_, QStringLiteral("CoCgcCeiEstabelecimento")) +
                           FormatFileField(*emp_, QStringLiteral("NuPrefixoEstabelecimento")));
    if (!writeRecord(*b0_, c)) return false;
    if (!PollCancel()) return false;
    count1_ = 0;
    count2_ = 0;
    sequence_ = 2;
    return true;
}

bool WriterRun::WriteEstablishmentRecord() {
    if (!PollCancel()) return false;
    storePendingContractCount();
    esPending_ = false;
    contracts_ = 0;
    key_ = cp1252::Encode(FormatFileField(*emp_, QStringLiteral("CoCgcCeiEstabelecimento")) +
                          FormatFileField(*emp_, QStringLiteral("NuPrefixoEstabelecimento")));
    if (!writeRecord(*b1_, context())) return false;
    if (!PollCancel()) return false;
    if (lastProIdPart_ != part_) {
        proId_->Append();
        proId_->FieldByName(QStringLiteral("NuDisquete")).SetAsString(QString::number(part_));
        for (const QString& f : receiptFieldsFromEstablishment())
            proId_->FieldByName(f).SetAsString(emp_->FieldByName(f).AsString());
        for (const QString& f : receiptFieldsFromResponsible())
            proId_->FieldByName(f).SetAsString(resp_->FieldByName(f).AsString());
        proId_->FieldByName(QStringLiteral("InReciboParaRespArquivo"))
            .SetAsBoolean(resp_->FieldByName(QStringLiteral("InReciboParaRespArquivo")).AsBoolean());
        proId_->FieldByName(QStringLiteral("InRetificacao")).SetAsBoolean(req_.amendment);
        // The date the part's header carries: a file analysed keeps its own.
        const QString tableDate = resp_->FieldByName(QStringLiteral("DaGeracao")).AsString();
        proId_->FieldByName(QStringLiteral("DaGeracao"))
            .SetAsString(GenerationDateFromTable(context(), tableDate) ? tableDate : req_.generationDate);
        proId_->FieldByName(QStringLiteral("HoSenha")).SetAsString(req_.generationTime);
        proId_->Post();
        lastProIdPart_ = part_;
    }
    proEs_->Append();
    proEs_->FieldByName(QStringLiteral("NuDisquete")).SetAsString(QString::number(part_));
    for (const char* f : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado",
                          "InInscrEstabelecimento", "NoRazaoEstabelecimento", "DaEncerramentoAtividade"})
        proEs_->FieldByName(QLatin1String(f)).SetAsString(emp_->FieldByName(QLatin1String(f)).AsString());
    proEs_->Post();
    esPending_ = true;
    ++count1_;
    used_ += kRecordBytes;
    ++sequence_;
    return true;
}

bool WriterRun::WriteContractRecord() {
    if (!PollCancel()) return false;
    if (!writeRecord(*b2_, context())) return false;
    if (!PollCancel()) return false;
    ++count2_;
    ++contracts_;
    used_ += kRecordBytes;
    ++sequence_;
    return true;
}

bool WriterRun::WriteTrailerRecord() {
    if (!PollCancel()) return false;
    if (!writeRecord(*b9_, context())) return false;
    if (!PollCancel()) return false;
    storePendingContractCount();
    if (proId_->Locate({QStringLiteral("NuDisquete")}, {QString::number(part_)})) {
        proId_->Edit();
        proId_->FieldByName(QStringLiteral("NuEstabelecimentos")).SetAsString(QString::number(count1_));
        proId_->FieldByName(QStringLiteral("NuVinculos")).SetAsString(QString::number(count2_));
        proId_->Post();
    }
    contracts_ = 0;
    esPending_ = false;
    return true;
}

bool WriterRun::OpenNextFile() {
    if (part_ > 0 && file_) {
        if (!WriteTrailerRecord()) return false;
        if (!closePart()) return false;
        if (state_.ModoParticionamento != 1 && !StampFileDigest()) return false;
        partWritten();
    }
    ++part_;
    ++partsOpened_;
    bool retry = false;
    const QChar drive = req_.drive.toUpper();
    for (;;) {
        if (nameKey_.isEmpty())
            nameKey_ = emp_->FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString() +
                       emp_->FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
        const QString name = partName(part_);
        const QString decName = name + QStringLiteral(".dec");
        if (diskette() && !disketteInDrive(drive, part_ > 1 || retry)) return false;
        if (partsOpened_ > 1) state_.GerouVariosArquivos = 1;
        if (diskette() && (DriveHasTwoEntries(drive, EntryKinds::FilesAndFolders) ||
                           (DriveHasEntries(drive, EntryKinds::FilesAndFolders) &&
                            !FileExistsOnDrive(drive, EntryKinds::FilesAndFolders, decName)))) {
            msg::ShowBox(msg::BoxKind::Information, QStringLiteral("O disco a ser gravado não pode conter arquivos."));
            retry = true;
            continue;
        }
        const PartStep existing = settleExistingPart(drive, decName);
        if (existing == PartStep::Stop) return false;
        if (existing == PartStep::NextNumber) {
            ++part_;
            continue;
        }
        const PartStep opened = openPart(drive, name, decName);
        if (opened == PartStep::Stop) return false;
        if (opened == PartStep::Retry) {
            retry = true;
            continue;
        }
        return true;
    }
}

bool WriterRun::disketteInDrive(QChar drive, bool askForIt) {
    if ((askForIt && !PromptInsertDiskette(drive, part_)) || !WaitForDiskette(drive)) {
        cancelled_ = true;
        return false;
    }
    return true;
}

WriterRun::PartStep WriterRun::settleExistingPart(QChar drive, const QString& decName) {
    if (!DriveHasEntries(drive, EntryKinds::FilesAndFolders) || !FileExistsOnDrive(drive, EntryKinds::FilesOnly, decName))
        return PartStep::Go;
    // Another part of the declaration: never offered for replacing.
    if (keepsPart() && part_ != req_.keptPart) return PartStep::NextNumber;
    // Transmitted by the one rule of every reader: a receipt that does
    // not verify, or is another file's, leaves the part to be overwritten.
    const QString existing = AppPaths::findNoCase(diskette() ? drives::RootFolder(drive) : TransmitFolder(), decName);
    if (IsTransmitted(existing)) {
        const QString q = QStringLiteral(" A declaração \"") + decName + QStringLiteral("\" no drive ") + drive +
                          QStringLiteral(": .\rjá foi transmitida. Deseja gravar mesmo assim? "
                                         "(O arquivo existente será preservado)");
        if (msg::ShowBox(msg::BoxKind::Confirmation, q, msg::BoxButtons::YesNo) != QLatin1String("mrYes")) {
            cancelled_ = true;
            return PartStep::Stop;
        }
        return PartStep::NextNumber;
    }
    if (!overwrite_) {
        const QString q = QStringLiteral("Existe um arquivo de nome \"") + decName + QStringLiteral("\" no drive ") +
                          drive + QStringLiteral(": .\rAutoriza gravar sobre?");
        if (msg::ShowBox(msg::BoxKind::Confirmation, q, msg::BoxButtons::YesNo) != QLatin1String("mrYes")) {
            cancelled_ = true;
            return PartStep::Stop;
        }
        overwrite_ = true;
    }
    // A diskette holds one part: the earlier file goes now. In the
    // folder it stays until the new part replaces it, so that the
    // folder holds the earlier declaration or the new one, never a
    // mixture or neither.
    const bool replaceable = diskette() ? QFile::remove(drives::PathOnDrive(drive, decName))
                                        : FolderTakesNewNames(TransmitFolder());
    if (!replaceable) {
        msg::ShowBox(msg::BoxKind::Information,
                     QStringLiteral("O arquivo \"") + decName + QStringLiteral(".\" não pode ser excluido."));
        cannotDelete_ = true;
        return PartStep::Stop;
    }
    return PartStep::Go;
}

WriterRun::PartStep WriterRun::openPart(QChar drive, const QString& name, const QString& decName) {
    capacity_ = diskette() ? DiskCapacity(drive) : kFolderCapacity;
    if (capacity_ < kMinimumCapacity) {
        msg::ShowBox(msg::BoxKind::Information,
                     QStringLiteral("Espaço disponível para gravação abaixo do mínimo aceitável."));
        lowCapacity_ = true;
        return PartStep::Stop;
    }
    const QString path = diskette() ? drives::RootFolder(drive) + decName : TransmitFolder() + decName;
    state_.ArquivoGerado = path;
    state_.QtArquivosGerados = quint16(partsOpened_);
    state_.NomeArquivoGerado = name;
    // Written under a name that no list takes for a declaration: a run
    // killed halfway leaves no part that looks complete.
    const QString temp = path + QStringLiteral(".tmp");
    QFile::remove(temp);
    auto file = partFileFactory() ? partFileFactory()() : MakeDiskPartFile();
    if (!file->Create(temp)) {
        msg::ShowBox(msg::BoxKind::Information, diskette()
                                                    ? QStringLiteral("Disco com problema ou não há disco na unidade.")
                                                    : TransmitFolderProblemText(decName));
        if (diskette()) return PartStep::Retry;
        // The folder cannot take the file (missing, read-only): asking
        // again would not change that.
        cannotCreate_ = true;
        return PartStep::Stop;
    }
    file_ = std::move(file);
    digest_.Reset();
    currentPath_ = temp;
    currentFinal_ = path;
    currentName_ = decName;
    if (!WriteHeaderRecord()) return PartStep::Stop;
    fault::Step("part.opened");
    used_ = 0;
    return PartStep::Go;
}

void WriterRun::commitReceipts() {
    if (!receipts_) return;
    std::unique_ptr<db::Transaction> tx = std::move(receipts_);
    try {
        tx->commit();
    } catch (const db::DbError& e) {
        // After an error of the data folder the rows are dropped anyway.
        if (ioError_) return;
        if (e.kind() != db::ErrorKind::Io) throw;
        ioError_ = true;
        dataFolderError_ = e;
    }
}

void WriterRun::cleanUp(bool completed) {
    commitReceipts();
    const bool partOpen = file_ != nullptr;
    if (file_) {
        const bool closed = closePart();
        if (closed && completed && state_.ModoParticionamento != 1) StampFileDigest();
    }
    if (diskette()) {
        // Each diskette leaves the drive once written: the parts completed
        // before stay, and so does one a stop left open, except one an I/O
        // error or a cancel cut short (removed below).
        if (!ioError_ && !(cancelled_ && partOpen && !completed)) partWritten();
        nameWrittenParts();
    } else if (completed && !ioError_ && !cancelled_) {
        partWritten();
        nameWrittenParts();
    } else {
        // In the folder the parts of a run that did not complete never take
        // their names: the first ones alone would be offered as the whole
        // declaration.
        discardWrittenParts();
    }
    resp_.reset();
    emp_.reset();
    vinc_.reset();
    proId_.reset();
    proEs_.reset();
    if ((ioError_ || cancelled_) && db_) dropReceiptTables();
    // A part cut short by a cancel has no trailer and no digest: nobody could
    // send it, and it would be listed for transmission beside the good ones.
    if (cancelled_ && !ioError_ && partOpen && !completed && !currentPath_.isEmpty()) QFile::remove(currentPath_);
    if (ioError_ && !currentPath_.isEmpty()) QFile::remove(currentPath_);
    if (dataFolderError_) {
        // The tables of the data folder failed, not the declaration file.
        msg::ShowBox(msg::BoxKind::Error, DataFolderProblemText(req_.dataFolder, *dataFolderError_) +
                                              (currentPath_.isEmpty() ? QString()
                                                                      : QStringLiteral("\nO arquivo incompleto \"") +
                                                                            currentName_ +
                                                                            QStringLiteral("\" foi excluído.")));
    } else if (!unnamed_.isEmpty()) {
        QString folder = QFileInfo(TransmitFolder()).absoluteFilePath();
        if (diskette()) folder = drives::RootFolder(req_.drive.toUpper());
        msg::ShowBox(msg::BoxKind::Error,
                     QStringLiteral("Não foi possível dar ao arquivo gravado o nome \"%1\" na pasta \"%2\": um item "
                                    "com esse nome não pode ser substituído.\nRenomeie ou remova esse item e grave "
                                    "novamente.")
                         .arg(unnamed_, QDir::toNativeSeparators(folder)));
    } else if (ioError_ && !currentPath_.isEmpty()) {
        msg::ShowBox(msg::BoxKind::Error,
                     (diskFull_ ? QStringLiteral("Não há espaço suficiente no disco para gravar o arquivo \"")
                                : QStringLiteral("Erro de gravação no arquivo \"")) +
                         currentName_ +
                         (!diskette() && partsOpened_ > 1
                              ? QStringLiteral("\". Os arquivos desta gravação foram excluídos.")
                              : QStringLiteral("\". O arquivo incompleto foi excluído.")));
    }
    if (ioError_) currentPath_.clear();
}

void WriterRun::dropReceiptTables() {
    for (const QString& name : {ReceiptFileTableDef().fileName, ReceiptEstablishmentTableDef().fileName}) {
        try {
            db_->dropTable(name);
        } catch (const db::DbError&) {
            // Left behind, it is replaced by the next run.
        }
    }
}

int WriterRun::Run() {
    try {
        return runSteps();
    } catch (const db::DbError& e) {
        // A table that cannot be written (a full disk) ends the run like a
        // file that cannot; any other database error is the caller's.
        if (e.kind() != db::ErrorKind::Io) throw;
        ioError_ = true;
        dataFolderError_ = e;
        cleanUp(false);
        return kWriteError;
    }
}

int WriterRun::runSteps() {
    gCancelRequest = &cancelRequest_;
    host_.SetProgress(0);
    // An unfinished write's record of renames would be replaced by this
    // run's own, and what it still has to rename or remove would be lost.
    if (!diskette() && WriteInterrupted(TransmitFolder())) {
        msg::ShowBox(msg::BoxKind::Error, InterruptedWriteText());
        return kWriteError;
    }
    db_ = db::Database::forFolder(req_.dataFolder);
    try {
        db_->createTable(ReceiptFileTableDef());
        db_->createTable(ReceiptEstablishmentTableDef());
    } catch (const db::DbError& e) {
        // Neither table stays: an empty receipt would print an empty summary.
        dropReceiptTables();
        msg::ShowBox(msg::BoxKind::Error, DataFolderProblemText(req_.dataFolder, e));
        return kWriteError;
    }

    const bool workingResp = req_.amendment || req_.fromWorkingTables;
    // Tables by their file names as found in the folder, so the store need not
    // search the folder for them on every read.
    auto fileOf = [this](const QString& name) { return QFileInfo(db_->resolve(name)).fileName(); };
    resp_ = std::make_unique<db::Table>(db_, fileOf(workingResp ? QStringLiteral("Te8Resp") : QStringLiteral("bd8resp")));
    emp_ = std::make_unique<db::Table>(db_, fileOf(req_.fromWorkingTables ? QStringLiteral("Te8Emp") : QStringLiteral("Bd8emp")));
    const QString vincName = workingResp ? QStringLiteral("Te8Vinc") : QStringLiteral("Bd8vinc");
    vinc_ = std::make_unique<db::Table>(db_, fileOf(vincName));
    proId_ = std::make_unique<db::Table>(db_, ReceiptFileTableDef().fileName);
    proEs_ = std::make_unique<db::Table>(db_, ReceiptEstablishmentTableDef().fileName);
    resp_->Open();
    emp_->Open();
    vinc_->Open();
    proId_->Open();
    proEs_->Open();
    if (!db_->inTransaction()) receipts_ = std::make_unique<db::Transaction>(*db_);
    b0_ = std::make_unique<RecordBuilder>('0', resp_.get());
    b1_ = std::make_unique<RecordBuilder>('1', emp_.get());
    b2_ = std::make_unique<RecordBuilder>('2', vinc_.get());
    b9_ = std::make_unique<RecordBuilder>('9', resp_.get());

    auto thisEstablishment = [this] {
        return QStringList{emp_->FieldByName(QStringLiteral("AnBase")).AsString(),
                           emp_->FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString(),
                           emp_->FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString()};
    };
    auto withContracts = [this] {
        return emp_->FieldByName(QStringLiteral("InZuvoNegEstabelecimento")).AsString() == QLatin1String("0");
    };

    // The progress maximum: one per establishment and one per contract.
    {
        db::Query count(db_);
        count.SetSQL(QStringLiteral("Select count(*) as numVinculos from %1 where AnBase = :AnBase and "
                                    "CoCgcCeiEstabelecimento = :Cgc and NuPrefixoEstabelecimento = :Prefixo")
                         .arg(vincName));
        int maximum = 0;
        auto add = [&] {
            ++maximum;
            if (!withContracts()) return;
            const QStringList k = thisEstablishment();
            count.Close();
            count.ParamByName(QStringLiteral("AnBase")).AsString = k[0];
            count.ParamByName(QStringLiteral("Cgc")).AsString = k[1];
            count.ParamByName(QStringLiteral("Prefixo")).AsString = k[2];
            count.Open();
            maximum += StrToIntOrZero(count.FieldByName(QStringLiteral("numVinculos")).AsString());
        };
        forEachChosen(false, [&] {
            add();
            return true;
        });
        count.Close();
        host_.SetProgressMaximum(maximum);
    }

    if (!WaitForDiskette(req_.drive.toUpper())) {
        cancelled_ = true;
        cleanUp(false);
        return kWriteCancelled;
    }
    if (keepsPart()) {
        // "Zuvo" + year + "_" before the inscription and prefix.
        nameKey_ = req_.keptBaseName.mid(QStringLiteral("Zuvo_").size() + QString::number(state_.AnoBase).size());
        part_ = req_.keptPart - 1;
    }
    capacity_ = diskette() ? DiskCapacity(req_.drive.toUpper()) : kFolderCapacity;
    used_ = capacity_ - kReserve;

    auto writeOne = [&]() -> bool {
        const bool hasContracts = withContracts();
        if (used_ >= capacity_ - kReserve || (used_ >= capacity_ - kReserveWithContracts && hasContracts))
            if (!OpenNextFile()) return false;
        if (!WriteEstablishmentRecord()) return false;
        advanceProgress();
        if (!hasContracts) return true;
        const QStringList k = thisEstablishment();
        vinc_->SetRange(k, k);
        for (; !vinc_->Eof(); vinc_->Next()) {
            if (!PollCancel()) return false;
            if (used_ >= capacity_ - kReserve && (!OpenNextFile() || !WriteEstablishmentRecord())) return false;
            if (!WriteContractRecord()) return false;
            advanceProgress();
        }
        return true;
    };

    const bool stopped = !forEachChosen(true, writeOne);

    bool completed = false;
    if (!stopped && file_) completed = WriteTrailerRecord();
    cleanUp(completed);

    if (ioError_) return kWriteError;
    if (cancelled_) return kWriteCancelled;
    if (missing_ || lowCapacity_ || cannotDelete_ || cannotCreate_) return kWriteError;
    return kWritten;
}

bool WriterRun::forEachChosen(bool missingStops, const std::function<bool()>& visit) {
    if (!req_.establishments) {
        for (emp_->First(); !emp_->Eof(); emp_->Next())
            if (!visit()) return false;
        return true;
    }
    for (const QString& item : *req_.establishments) {
        // Characters 1-4 base year, 5-18 inscription, 19-20 prefix.
        if (!emp_->FindKey(QStringList{item.mid(0, 4), item.mid(4, 14), item.mid(18, 2)})) {
            if (!missingStops) continue;
            msg::ShowBox(msg::BoxKind::Error, QStringLiteral("Erro na leitura dos dados para gravação do arquivo Zuvo") +
                                                  QString::number(state_.AnoBase) + QLatin1Char('!'));
            missing_ = true;
            return false;
        }
        if (!visit()) return false;
    }
    return true;
}

}  // namespace

int WriteDeclarationFile(const WriteRequest& request, WriterState& state, WriterHost& host) {
    WriterRun run(request, state, host);
    return run.Run();
}

}  // namespace declfile
