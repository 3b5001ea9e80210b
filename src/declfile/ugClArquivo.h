#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <span>
#include <vector>

namespace db {
class DataSet;
class Field;
class Table;
}  // namespace db

// The declaration file's records: the layout that the writer fills column by
// column, and the field descriptors through which the structure analyser
// reads the records back.
namespace declfile {

constexpr int kRecordLength = 550;
constexpr int kRecordBytes = 552;  // with CR LF

// What fills a stretch of columns of a record.
enum class Item : quint8 {
    TableText,       // the table text of `field`; the literal `fill` when blank
    Literal,         // `fill` as it stands
    Blanks,
    Sequence,        // position of the record in its file, 6 digits
    Key,             // inscription and prefix of the record's establishment (16)
    RecordType,      // "0", "1", "2" or "9"
    AmendmentFlag,   // "1" amendment, "2" otherwise
    AmendmentDate,   // header columns 224-231, from `field` in some cases
    GenerationDate,  // header columns 232-239, from `field` in some cases
    Crea,            // receipt number the amendment replaces
    Version,         // "V" + characters 6-7 and 9-10 of the version
    Mark,            // "A " or " P"
    BaseYear,        // the program's base year
    ClosureFlag,     // "1" when `field` trimmed is "1", else "2"
    Count1,          // type 1 records of the file
    Count2,          // type 2 records of the file
    OsCode,          // operating-system code, one digit
    SourceFlag,      // "1" declaration tables, "2" working tables
    Digest,          // 32 blanks, stamped over after the file is closed
};

struct LayoutItem {
    int start;           // column, from 1
    int width;
    Item item;
    const char* field;   // table field, for the items that read one
    const char* fill;    // literal, or the literal written when the field is blank
};

// The 2009 layout of a record type ('0', '1', '2', '9') in column order; the
// widths add up to 550. Empty for another type.
std::span<const LayoutItem> RecordLayout(char type);

// What a record needs besides its source row.
struct RecordContext {
    QByteArray key;             // 16 bytes for columns 7-22
    int sequence = 1;
    int count1 = 0;
    int count2 = 0;
    bool amendment = false;
    bool fromWorkingTables = false;
    QString generationDate;     // 8 digits or empty
    QString crea;               // the receipt number an amendment replaces
    QString versao = QStringLiteral("2009.01.00");
    bool splitMode = false;
    int anoBase = 2009;
    QString osCode = QStringLiteral("0");
};

// Whether a header takes its generation date from the date its working
// table holds (`tableValue`) rather than from the context's.
bool GenerationDateFromTable(const RecordContext& c, const QString& tableValue);

// A record type bound to the fields of a source row, so that every record of
// that type is built without looking fields up again. The data set must stay
// open while the builder is used.
class RecordBuilder {
public:
    // Throws db::DbError when the data set lacks a field of the layout.
    RecordBuilder(char type, db::DataSet* source);
    // The 550 bytes of the record from the source's current row, plus CR LF.
    QByteArray Build(const RecordContext& context) const;
    // The same bytes into `out` (kRecordBytes of them), with no record made:
    // the fields are taken as the bytes the store holds, and a text is made
    // only of a value beyond plain ASCII.
    void BuildInto(char* out, const RecordContext& context) const;
    char type() const { return type_; }

private:
    struct Bound {
        LayoutItem item;
        int slot = -1;  // of the field's value; -1: the item reads no field
    };
    char type_;
    std::vector<Bound> items_;
    // A table source gives the text fields of its row in one call.
    db::Table* table_ = nullptr;
    std::vector<db::Field*> slotFields_;  // by slot: the text fields first, each field once
    std::vector<int> textIndexes_;        // the text fields' indexes, by slot
    mutable std::vector<QByteArrayView> bytes_;  // by slot: the values of the record being built
};

// Table text: the value left-justified and filled with blanks to the width,
// cut to the width, with a to z upper-cased and nothing else changed.
QString TableText(const QString& value, int width);
// The table text of a field of the current row at its declared width; fields
// are looked up without regard to letter case.
QString FormatFileField(db::DataSet& table, const QString& fieldName);

// ---------------------------------------------------------------------------
// Field descriptors.

// One field of a record: its label, start column (from 1) and length. A new
// descriptor is empty.
class TArquivo {
public:
    QString Label;
    int Start = 0;
    int Length = 0;

    // The field's text in a record (bytes of the line, no CR LF); empty for an
    // empty descriptor, shorter when the record is short.
    QByteArray ValueIn(const QByteArray& record) const;
};

// The descriptors of one record type, in slots numbered from 1.
template <int N>
class TArquivoZuvoSet {
public:
    static constexpr int SlotCount = N;
    TArquivo& Slot(int slot) { return slots_.at(slot - 1); }
    const TArquivo& Slot(int slot) const { return slots_.at(slot - 1); }

private:
    std::array<TArquivo, N> slots_{};
};

class TArquivoZuvoTipoZero : public TArquivoZuvoSet<26> {};
class TArquivoZuvoTipoUm : public TArquivoZuvoSet<52> {};
class TArquivoZuvoTipoDois : public TArquivoZuvoSet<87> {};
class TArquivoZuvoTipoNove : public TArquivoZuvoSet<10> {};

// One row of a descriptor table: a slot, its columns (start 0 for a slot the
// layout leaves empty), its label and the table field it carries (empty for
// computed fields).
struct DescriptorRow {
    int slot;
    int start;
    int end;
    const char* label;
    const char* field;
};

// The descriptor tables of the 2009 layout by record type, and the rows that
// the 2008 layout changes.
std::span<const DescriptorRow> DescriptorTable2009(char type);
std::span<const DescriptorRow> DescriptorChanges2008(char type);

// The four descriptor sets and the record length that the structure analyser
// reads a file through; the layout procedures fill them.
struct TLayoutDescriptors {
    TArquivoZuvoTipoZero Tipo0;
    TArquivoZuvoTipoUm Tipo1;
    TArquivoZuvoTipoDois Tipo2;
    TArquivoZuvoTipoNove Tipo9;
    int RecordLength = 0;
};

// The descriptor of a slot of a record type in a layout; nullptr for a slot
// out of range.
const TArquivo* DescriptorOf(const TLayoutDescriptors& layout, char type, int slot);

// Fills every set from the tables: the 2009 layout, then the 2008 changes
// when asked. Slots the layout leaves empty are reset to empty.
void FillDescriptors(TLayoutDescriptors& layout, bool year2008);

// The file name of a part: "Zuvo" + base year + "_" + inscription (14) and
// prefix (2) + the part number (two digits at least) + "G" or "R" + ".dec".
QString DeclarationFileName(int anoBase, const QString& inscriptionAndPrefix, int part, bool amendment);

}  // namespace declfile
