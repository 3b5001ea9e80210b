// The system colours of the list view taken from a Qt palette.
#pragma once

#include <QPalette>

namespace lume {

void LoadSystemColors(const QPalette& palette);

}  // namespace lume
