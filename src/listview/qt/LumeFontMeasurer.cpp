#include "listview/qt/LumeFontMeasurer.h"

#include <QFontMetrics>

namespace lume {

QSize LumeFontMeasurer::TextExtent(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace lume
