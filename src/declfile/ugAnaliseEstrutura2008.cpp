#include "declfile/ugAnaliseEstrutura2008.h"

namespace declfile {

void LoadLayout2008(TLayoutDescriptors& analyser) { FillDescriptors(analyser, true); }

}  // namespace declfile
