#pragma once
// The catalogue of field rules: stateless functions that take field values
// as text and return a four-character message code ("0000" accepted, "X"
// longer than the field, any other a row of tb8MSG). Include this header to
// get every family; each family also has a header of its own.

#include "rules/ugConstantes.h"
#include "rules/ugRegrasAfastContrib.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasEstabelecimento.h"
#include "rules/ugRegrasIdentificacao.h"
#include "rules/ugRegrasRemuneracao.h"
#include "rules/ugZuvoCrit2001.h"
