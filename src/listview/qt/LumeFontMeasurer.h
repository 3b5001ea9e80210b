// Measures text with the font's real metrics.
#pragma once

#include "listview/LumeHost.h"

namespace lume {

class LumeFontMeasurer : public ILumeMeasurer {
public:
    QSize TextExtent(const QString& text, const QFont& font) override;
};

}  // namespace lume
