#pragma once
// Small text steps that every field rule repeats. Inline and allocation-free
// where possible: the whole-declaration check runs the rules over every
// contract.

#include "platform/db/Table.h"
#include "rules/ugConstantes.h"
#include "shell/UdmLobrix.h"
#include "shell/ugDigitos.h"
#include "shell/ugFuncoes.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <deque>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace rules {

// The rules' trim: leading and trailing characters of code 32 or below.
inline QString Trim(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    if (b == 0 && e == s.size()) return s;
    return s.mid(b, e - b);
}

// Trim as a view of the text itself, for a value that is only tested: no
// copy made, no count of its sharers touched.
inline QStringView TrimView(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 32) ++b;
    while (e > b && s[e - 1].unicode() <= 32) --e;
    return s.sliced(b, e - b);
}

// IsAllDigits of a view: at least one digit and nothing else once the
// characters of code 32 or below are trimmed from both ends.
inline bool AllDigits(QStringView s) {
    const QStringView t = TrimView(s);
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// IsAllZeros of a view: not empty, and every character "0".
inline bool AllZeros(QStringView s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c != u'0') return false;
    return true;
}

// CheckDigitsLength of a view with the length as a number.
inline QString DigitsLengthCode(QStringView s, qsizetype length) {
    const QStringView t = TrimView(s);
    if (t.isEmpty()) return u"0040"_s;
    for (QChar c : t)
        if (c < u'0' || c > u'9') return u"0040"_s;
    if (t.size() > length) return u"X"_s;
    if (t.size() < length) return u"0040"_s;
    return u"0000"_s;
}

// The value of a digit text; 0 for anything that is not one.
inline long long Num(QStringView s) {
    if (s.isEmpty() || s.size() > 18) return 0;
    long long n = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9') return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// Every character 0-9 and at least one; unlike IsAllDigits nothing is trimmed,
// for parts of a text whose blanks matter.
inline bool DigitsOnly(QStringView s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// A text counts as zero when it is not a number or its value is 0.
inline bool IsZero(QStringView s) { return Num(s) == 0; }

// ddmmyyyy as yyyymmdd, for comparing full dates as text or number.
inline QString Ymd(const QString& ddmmyyyy) {
    return ddmmyyyy.mid(4, 4) + ddmmyyyy.mid(2, 2) + ddmmyyyy.left(2);
}
// ddmm (or the first four characters of ddmmyyyy) as mmdd: month first, then day.
inline QString Mmdd(const QString& ddmm) { return ddmm.mid(2, 2) + ddmm.left(2); }

// Equal to the Latin-1 text, compared here rather than out of line: the
// rules ask it of every result and code set many times per record.
inline bool Is(QStringView s, std::string_view v) {
    if (s.size() != qsizetype(v.size())) return false;
    for (qsizetype i = 0; i < s.size(); ++i)
        if (s[i].unicode() != static_cast<unsigned char>(v[std::size_t(i)])) return false;
    return true;
}

// The text is one of the set's texts.
template <class Array>
inline bool InSet(QStringView s, const Array& set) {
    for (std::string_view v : set)
        if (Is(s, v)) return true;
    return false;
}

// Finds a code by the table's current index. A value wider than the key
// column is never found (the store would otherwise cut it to the column).
inline bool Lookup(db::Table& table, const QString& key, int width) {
    if (key.isEmpty() || key.size() > width) return false;
    return table.FindKey({key});
}

// The answers of the lookups whose found row nobody reads, kept for as long
// as one of these lives. The whole-declaration check keeps one for its run,
// over which its lookup tables cannot change, and asks each code once.
class LookupMemory {
public:
    LookupMemory() : previous_(installed()) { installed() = this; }
    ~LookupMemory() { installed() = previous_; }
    LookupMemory(const LookupMemory&) = delete;
    LookupMemory& operator=(const LookupMemory&) = delete;

    // A lookup's answers by key: whether found, and what the caller kept of
    // the row. Codes are short and asked many times per record; a plain
    // hash of their characters does here.
    struct KeyHash {
        std::size_t operator()(const QString& s) const noexcept {
            std::size_t h = 1469598103934665603ull;
            for (QChar c : s) h = (h ^ c.unicode()) * 1099511628211ull;
            return h;
        }
    };
    using Answers = std::unordered_map<QString, int, KeyHash>;

    static LookupMemory* current() { return installed(); }

    // The postcode ranges of a state, by its code; a state not yet read is absent.
    using CepRanges = std::vector<std::pair<long long, long long>>;
    QHash<QString, CepRanges>& cepRangesByState() { return cepRanges_; }
    // `kind` tells apart the answers of callers that keep different things
    // of the same table's rows.
    Answers& of(const db::Table& table, int kind = 0) {
        for (auto& [t, k, answers] : answers_)
            if (t == &table && k == kind) return answers;
        answers_.push_back({&table, kind, Answers()});
        return answers_.back().answers;
    }

    // False only when the table surely lacks the key, as FindKey by its
    // one-column primary index would find it. The stored keys are read once
    // and compared loosely (ASCII case and trailing blanks ignored), so that
    // no collation the index may have can find a key they lack; a key that
    // matches one is left to FindKey.
    bool MayHoldKey(db::Table& table, const QString& key) { return HoldsKey(table, key) != 0; }

    // 1 when FindKey by the one-column primary index would surely find the
    // key (a stored key of the very bytes it binds, equal under any
    // collation), 0 when it surely would not, -1 when only FindKey can tell.
    int HoldsKey(db::Table& table, const QString& key) {
        auto known = keys_.find(&table);
        if (known == keys_.end()) known = keys_.insert(&table, StoredKeys(table));
        if (!known->has_value()) return -1;
        // The text FindKey would bind.
        const QByteArray bound = db::normalizeText(key, (*known)->width).toUtf8();
        if ((*known)->exact.contains(bound)) return 1;
        return (*known)->keys.contains(LooseKey(bound)) ? -1 : 0;
    }

    // Case of ASCII letters and trailing blanks are all SQLite's collations
    // (BINARY, NOCASE, RTRIM) may ignore.
    static QByteArray LooseKey(QByteArray bytes) {
        qsizetype end = bytes.size();
        while (end > 0 && bytes[end - 1] == ' ') --end;
        bytes.truncate(end);
        for (char& c : bytes)
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        return bytes;
    }

private:
    static LookupMemory*& installed() {
        static LookupMemory* memory = nullptr;
        return memory;
    }

    struct KeySet {
        QSet<QByteArray> exact;  // as stored
        QSet<QByteArray> keys;  // loose
        int width = 0;          // of the key column, to which FindKey cuts a key
    };
    // None when the keys cannot stand for the table (RuleText.cpp).
    static std::optional<KeySet> StoredKeys(db::Table& table);

    LookupMemory* previous_;
    struct TableAnswers {
        const db::Table* table;
        int kind;
        Answers answers;
    };
    std::deque<TableAnswers> answers_;  // a few tables: searched in turn
    QHash<QString, CepRanges> cepRanges_;
    QHash<const db::Table*, std::optional<KeySet>> keys_;
};

// What `read` makes of the table for the key, for a caller that keeps only
// that of the row: while a LookupMemory lives, a key asked again is answered
// by it and the table's current row is left where it was. `kind` keeps apart
// callers that make different things of the same table.
enum LookupKind { kKnownCode, kCboSchoolingFlags };

template <class Read>
int RememberedLookup(db::Table& table, int kind, const QString& key, Read read) {
    LookupMemory* memory = LookupMemory::current();
    if (!memory) return read();
    LookupMemory::Answers& answers = memory->of(table, kind);
    const auto known = answers.find(key);
    if (known != answers.end()) return known->second;
    const int answer = read();
    // Codes that differ on every record (a CNPJ) must not grow it without end;
    // every municipality (about 5,600) fits.
    if (answers.size() >= 8192) answers.clear();
    answers.emplace(key, answer);
    return answer;
}

// Whether the table holds the code, for a caller that reads nothing of the row.
// While a LookupMemory lives, the table's keys read once answer most codes
// without a search.
inline bool IsKnownCode(db::Table& table, const QString& key, int width) {
    if (key.isEmpty() || key.size() > width) return false;
    return RememberedLookup(table, kKnownCode, key, [&] {
               if (LookupMemory* memory = LookupMemory::current()) {
                   const int held = memory->HoldsKey(table, key);
                   if (held >= 0) return held;
               }
               return table.FindKey({key}) ? 1 : 0;
           }) != 0;
}

// Lookup for a caller that reads the found row: while a LookupMemory lives,
// a key it knows the table lacks is not searched for. A miss leaves the
// current row where it was either way.
inline bool LookupRow(db::Table& table, const QString& key, int width) {
    if (key.isEmpty() || key.size() > width) return false;
    if (LookupMemory* memory = LookupMemory::current(); memory && !memory->MayHoldKey(table, key)) return false;
    return table.FindKey({key});
}

// A coded field: trimmed, empty or zeros only gives `missingCode`, then the
// digits-and-length code, then `unknownCode` when the table lacks the code.
inline QString CheckCodedField(const QString& value, int width, db::Table& table, const QString& missingCode,
                               const QString& unknownCode) {
    const QString v = Trim(value);
    if (v.isEmpty() || IsAllZeros(v)) return missingCode;
    const QString c = CheckDigitsLength(v, QString::number(width));
    if (c != QLatin1String("0000")) return c;
    return IsKnownCode(table, v, width) ? QStringLiteral("0000") : unknownCode;
}

inline QString Field(db::Table& table, const char* name) {
    return table.FieldByName(QLatin1String(name)).AsString();
}

}  // namespace rules
