#include "declfile/ugAnaliseEstrutura2009.h"

namespace declfile {

void LoadLayout2009(TLayoutDescriptors& analyser) { FillDescriptors(analyser, false); }

}  // namespace declfile
