#pragma once
// What the record checks of the three record types share: writing a finding
// of their record type, the current row's fields and the small text steps
// they repeat.

#include "rules/ugCriticaDeclaracao.h"

#include <QString>
#include <initializer_list>
#include <utility>

namespace critica {

// Equal to the Latin-1 text; inline, as every rule's result is compared.
inline bool Equals(const QString& value, const char* text) {
    qsizetype i = 0;
    for (; text[i]; ++i)
        if (i >= value.size() || value[i].unicode() != static_cast<unsigned char>(text[i])) return false;
    return i == value.size();
}

inline bool Ok(const QString& result) { return Equals(result, "0000"); }

inline bool IsOneOf(const QString& value, std::initializer_list<const char*> codes) {
    for (const char* c : codes)
        if (Equals(value, c)) return true;
    return false;
}

// An empty contribution CNPJ: nothing, or the zeros a file carries.
inline bool IsEmptyCnpj(const QString& cnpj) {
    return cnpj.isEmpty() || cnpj == QLatin1String("00000000000000");
}

// Writes the findings of one record type; a finding of several rows passes
// them as (label, content) pairs, all with the same result.
class Findings {
public:
    Findings(ValidationRun& run, int recordType) : run_(run), type_(recordType) {}

    void Err(const QString& result, std::initializer_list<std::pair<const char*, QString>> rows) {
        write("err", result, rows);
    }
    void War(const QString& result, std::initializer_list<std::pair<const char*, QString>> rows) {
        write("war", result, rows);
    }
    // An error of one or more rows, counted once.
    void ErrCounted(const QString& result, std::initializer_list<std::pair<const char*, QString>> rows) {
        write("err", result, rows);
        run_.CountValidationError();
    }
    void Count() { run_.CountValidationError(); }
    bool AboveLimit() const { return run_.AboveLimit(); }
    ValidationRun& Run() { return run_; }

private:
    void write(const char* kind, const QString& result,
               std::initializer_list<std::pair<const char*, QString>> rows) {
        for (const auto& [label, content] : rows)
            run_.AddValidationFinding(QLatin1String(kind), type_, result, QLatin1String(label), content);
    }

    ValidationRun& run_;
    int type_;
};

// The state's two-digit code by its abbreviation, through the run's TbUf;
// empty when the abbreviation is not there.
QString StateCode(ValidationRun& run, const QString& abbreviation);

}  // namespace critica
