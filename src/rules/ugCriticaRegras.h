#pragma once
// The field rules the record checks call. Until every family of rules is in
// the tree the record checks build as empty steps (LOBRIX_CRITICA_REGRAS 0).

#if __has_include("rules/UgRegrasNegocio.h")
#define LOBRIX_CRITICA_REGRAS 1
#include "rules/UgRegrasNegocio.h"
#include "shell/ugFuncoes.h"

namespace critica {
// The union-tax CNPJ that is accepted though it is not a head office.
inline bool IsExemptUnionTaxCnpj(const QString& cnpj) {
    return TrimBoth(cnpj) == QLatin1String(ugConstantes::kCnpjIsentoSindical.data(),
                                           qsizetype(ugConstantes::kCnpjIsentoSindical.size()));
}
}  // namespace critica
#else
#define LOBRIX_CRITICA_REGRAS 0
#endif
