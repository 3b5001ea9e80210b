#pragma once
#include "platform/ui/ProgressHost.h"
#include "declfile/ugClArquivo.h"

#include "platform/db/TableDef.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

class QFile;

namespace db {
class Database;
class Field;
class Table;
}  // namespace db

namespace declfile {

// What an analysis ends with. An error outranks an interruption, and both
// outrank the amendment mark.
enum AnaliseResultado : int {
    kAnaliseSemErro = 0,       // read to the end; the working tables hold the file
    kAnaliseComErro = 1,       // a structure finding is in Te8stru; no working tables
    kAnaliseFalhaCopia = 2,    // the file could not be copied; nothing was analysed
    kAnaliseInterrompida = 4,  // the user stopped it; no working tables
    kAnaliseRetificacao = 8,   // as 0, and the header marks an amendment
};

// The findings table "Te8stru.db": the rows of one structure finding.
db::TableDef StructureFindingsTableDef();

// The name of the copy the analyser reads, in the data folder.
inline const QString kAnalysisCopyName = QStringLiteral("R01TXZZZ.$$$");

// The room an analysis takes in the data folder for an input of `size`
// bytes: the copy, the working tables and their journal.
qint64 AnalysisSpaceNeeded(qint64 size);

// The largest file the layout allows with records of `step` bytes (the
// record and its line end): as many records as a six-digit sequence counts,
// then one step for the end-of-file mark.
constexpr qint64 MaxDeclarationBytes(int step) { return qint64(1000000) * step; }

// Reads a declaration file back: copies it into the data folder, checks its
// records one by one and loads those it accepts into Te8Resp, Te8Emp and
// Te8Vinc. The first structure error stops the analysis and becomes the one
// finding in Te8stru.
class TAnaliseEstrutura {
public:
    TAnaliseEstrutura();
    ~TAnaliseEstrutura();
    TAnaliseEstrutura(const TAnaliseEstrutura&) = delete;
    TAnaliseEstrutura& operator=(const TAnaliseEstrutura&) = delete;

    // True: the next analysis reads the previous base year's layout.
    bool LayoutAnoAnterior = false;

    // Analyses a file; returns an AnaliseResultado. Unless the copy failed,
    // the out parameters hold the establishment and contract records loaded,
    // also after a finding or an interruption. Database errors (a missing
    // declaration table, a full disk) pass on to the caller after clean-up.
    // Progress, event pumping and the question go through the host (a
    // window gives it a forms::ProgressBarHost over its bar).
    int AnalyseFile(const QString& fileName, quint16 baseYear, forms::ProgressHost& host, const QString& dataFolder,
                    bool keepCopy, int& establishments, int& contracts, bool zeroPayOfAnotherYear);

    // Asks the running analysis to stop; it asks "Deseja interromper?" at its
    // next record.
    void Cancel() { cancelRequest_.Request(); }

    int RecordLength() const { return recordLength_; }
    const TLayoutDescriptors& Layout() const { return layout_; }

private:
    struct ErrorRow {
        bool previous;   // from the previous accepted record, else the current one
        QString tipoCampo;
        QString posicao;
        QString conteudo;
    };
    struct Lookup {
        db::Table* table = nullptr;
        QString column;
        QHash<QString, QString> cache;
        QHash<quint64, QString> byNumber;  // codes of digits alone, as most are: no text hashed per row
        // Many codes asked: the table read once, in key order, instead of a
        // query per code.
        int asked = 0;
        bool whole = false;
        int keyWidth = 0;
        QHash<QByteArray, QByteArray> all;  // by stored key: the first row's description, as UTF-8
    };
    // A working-table column filled from a slot of the record.
    struct Binding {
        db::Field* field;
        int column;  // the field's place in its table
        int slot;
        int kind;
        const char* constant;  // the value used instead of the field, when the kind says so
        int start = 0, length = 0;  // where the slot lies in a record (none: length 0)
    };

    int AnalyseStructure(const QString& fileName, quint16 baseYear, bool keepCopy, int& establishments,
                         int& contracts);
    bool CheckInputFile(const QString& fileName, qint64& size);
    bool HasRoomFor(qint64 needed);
    bool CopyInputFile(const QString& fileName, qint64 from, qint64 to);
    bool CopyTheRest();
    void CreateWorkTables();
    void RecordLoop(QFile& copy, qint64 size);
    bool ExamineRecord(qint64 bytesLeftInFile);
    bool LoadHeaderRecord();
    bool LoadEstablishmentRecord();
    bool LoadContractRecord();
    bool CheckTrailerRecord();
    void CompleteEstablishment();
    void ReportError(int code, const std::vector<ErrorRow>& rows, bool sequenceAsNumber = false);
    void WriteErrorRow(db::Table& table, int code, const ErrorRow& row, bool sequenceAsNumber);
    void MoveProgress(int position);
    bool PollCancel();
    void CleanUp(bool keepCopy);
    void BindFields();

    // Reading the current record.
    QString Value(const TArquivo& descriptor) const;
    QString Field0(int slot) const { return Value(layout_.Tipo0.Slot(slot)); }
    QString Field1(int slot) const { return Value(layout_.Tipo1.Slot(slot)); }
    QString Field2(int slot) const { return Value(layout_.Tipo2.Slot(slot)); }
    QString Field9(int slot) const { return Value(layout_.Tipo9.Slot(slot)); }
    // A field of the record as the bytes to load, as its (trimmed) text would
    // be stored: plain text as it lies in the record, anything else as the
    // UTF-8 of its text, kept in `held`.
    QByteArrayView RowBytes(const TArquivo& descriptor, bool trimmed, QByteArray& held) const;
    unsigned char Byte(int column) const { return static_cast<unsigned char>(record_[column - 1]); }
    QString TypeShown(const char* record) const;
    QByteArray Key(const QByteArray& inscription, const QByteArray& prefix) const { return inscription + prefix; }
    bool PreviousWithoutEmployees() const { return prevRecord_.at(279) == '1'; }
    bool CurrentYearLayout() const;
    QString Describe(Lookup& lookup, const QString& code);
    static void ReadWhole(Lookup& lookup);

    TLayoutDescriptors layout_;
    int recordLength_ = kRecordLength;

    // Run state.
    forms::StopRequest cancelRequest_;
    bool errorFound_ = false;
    bool interrupted_ = false;
    bool amendment_ = false;
    bool zeroPay_ = false;
    QString baseYearText_;
    QString establishmentYear_;
    char curType_ = '4';
    QByteArray curInscription_, curPrefix_;
    int curSequence_ = 0;
    char prevType_ = '4';
    QByteArray prevInscription_, prevPrefix_;
    int prevSequence_ = 0;
    QString estInscriptionType_;
    QString estLinkedCei_;
    bool estWithoutEmployees_ = false;
    bool estPending_ = false;  // its row is still to be written
    int recordsRead_ = 0;
    int establishments_ = 0;
    int contracts_ = 0;
    int estContracts_ = 0;
    int estForeign_ = 0;
    int lineEndKind_ = 0;
    int step_ = kRecordBytes;
    qint64 estimatedRecords_ = 0;
    int progress_ = 0;
    const char* record_ = nullptr;   // the current record in the read buffer
    int recordBytes_ = 0;            // bytes of it that are in the buffer (< step only at the end)
    int plainBytes_ = 0;             // its leading bytes known to be plain text
    QByteArray prevRecord_;          // the previous accepted record
    QString dataFolder_;
    QString copyPath_;
    QString inputPath_;
    qint64 inputSize_ = 0;
    qint64 copied_ = 0;         // bytes of the input in the copy so far
    bool copyRefused_ = false;  // the rest of the copy failed or was refused: nothing was analysed
    forms::ProgressHost* host_ = nullptr;

    std::shared_ptr<db::Database> db_;
    bool ownTransaction_ = false;
    std::unique_ptr<db::Table> emp_, vinc_, resp_;
    std::vector<Binding> empFields_, vincFields_;
    // The contract columns that do not come from a slot of their own: their
    // places in the contract table.
    struct ContractExtras {
        int anBase = -1, inscricao = -1, prefixo = -1, vinculado = -1, tipoInscricao = -1;
    } vincExtras_;
    // Texts by a key of up to 8 bytes, each kept in one cache line with its
    // key: ten are found per contract, among thousands, while the rows being
    // loaded push everything else out of the caches.
    class ShortFieldTable {
    public:
        // The text kept for `key`; a null view when there is none.
        QByteArrayView Find(quint64 key) const {
            if (slots_.empty()) return {};
            for (std::size_t i = Home(key);; i = (i + 1) & (slots_.size() - 1)) {
                const Slot& s = slots_[i];
                if (s.key == key && s.used) return Text(s);
                if (!s.used) return {};
            }
        }
        QByteArrayView Insert(quint64 key, const QByteArray& text);

    private:
        static constexpr int kInline = 44;
        struct alignas(64) Slot {
            quint64 key = 0;
            bool used = false;
            qint32 size = 0;
            qint32 longer = -1;  // a text of more than kInline bytes: its place in longer_
            char bytes[kInline];
        };
        std::size_t Home(quint64 key) const {
            return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
        }
        QByteArrayView Text(const Slot& s) const {
            return s.longer < 0 ? QByteArrayView(s.bytes, s.size) : QByteArrayView(longer_[std::size_t(s.longer)]);
        }
        std::vector<Slot> slots_;
        std::vector<QByteArray> longer_;
        std::size_t count_ = 0;
    };
    // A contract column worked out from one field of the record (a code's
    // description): worked out once per distinct field, kept as the bytes loaded.
    struct Derived {
        int column = -1;
        int width = 0;  // the column's
        int slot = 0;
        Lookup* lookup = nullptr;
        bool trimmed = false;  // the code is the field without its outer blanks
        int leading = 0;       // the code is the field's first bytes alone; 0: all of them
        int cut = 0;           // the description's first characters alone; 0: all of them
        bool upper = false;    // the description in capitals
        ShortFieldTable byShortField;  // fields of up to 7 bytes, as most codes are
        QHash<QByteArray, QByteArray> byField;
    };
    std::vector<Derived> vincDerived_;
    QByteArrayView DerivedBytes(Derived& derived);
    QByteArray MakeDerived(Derived& derived, QByteArrayView field);
    // The contract row being loaded: per column, the bytes it gets.
    std::vector<QByteArrayView> vincRow_;
    std::vector<QByteArray> vincHeld_;  // per column: a text that was not plain, as UTF-8
    // The current establishment's values that each of its contracts gets.
    QByteArray estYearBytes_, estInscriptionTypeBytes_, estLinkedCeiBytes_;
    db::Field* fEmpVinculos_ = nullptr;
    db::Field* fEmpEstrangeiros_ = nullptr;
    Lookup lkCnae_, lkNatJur_, lkNacionalidade_, lkInstrucao_, lkRaca_, lkAdmissao_, lkCbo_, lkMunicipio_, lkUf_,
        lkSalario_, lkVinculo_, lkDesligamento_;
};

}  // namespace declfile
