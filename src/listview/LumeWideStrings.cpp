#include "listview/LumeWideStrings.h"

#include <QCollator>
#include <QLocale>

namespace lume {

const QString WideLineBreak = QStringLiteral("\r\n");

QSize WideTextExtentFont(const QString& text, const QFont& font, ILumeMeasurer* measurer) {
    if (text.isEmpty() || !measurer) return {0, 0};
    return measurer->TextExtent(text, font);
}

int CompareWideTextNoCase(const QString& a, const QString& b) {
    // One collator for the run: making one per comparison would dominate sorting.
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Portuguese, QLocale::Brazil)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int r = collator.compare(a, b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

QString WideStrLower(const QString& text) { return text.toLower(); }

}  // namespace lume
