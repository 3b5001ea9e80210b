#pragma once
#include "declfile/ugClArquivo.h"

namespace declfile {

// Sets the record length to 550 and fills the four descriptor sets with the
// layout of base year 2008: no birth date of the person responsible and the
// establishment's contribution amounts 8 digits wide.
void LoadLayout2008(TLayoutDescriptors& analyser);

}  // namespace declfile
