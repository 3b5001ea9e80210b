#pragma once
#include "declfile/ugClArquivo.h"

namespace declfile {

// Sets the record length to 550 and fills the four descriptor sets with the
// layout of base year 2009.
void LoadLayout2009(TLayoutDescriptors& analyser);

}  // namespace declfile
