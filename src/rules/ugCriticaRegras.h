#pragma once
// The field rules the record checks call, and what the checks add to them.

#include "rules/UgRegrasNegocio.h"
#include "shell/ugFuncoes.h"

namespace critica {
// The union-tax CNPJ that is accepted though it is not a head office.
inline bool IsExemptUnionTaxCnpj(const QString& cnpj) {
    return TrimBoth(cnpj) == QLatin1String(ugConstantes::kCnpjIsentoSindical.data(),
                                           qsizetype(ugConstantes::kCnpjIsentoSindical.size()));
}
}  // namespace critica
