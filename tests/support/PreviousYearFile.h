#pragma once
// A declaration file of the base year rewritten in the previous year's
// layout. Header-only so the benchmarks, which link only the program's
// library, can include it too.
#include <QByteArray>

namespace analyserfixture {

// The records of a CR LF file: its establishments carry 2008 and their
// contribution fields from column 355 on where that layout has them, and the
// header loses its survey answers.
inline QByteArray PreviousYearFile(const QByteArray& valid) {
    constexpr int step = 552;
    QByteArray f = valid;
    for (qsizetype at = 0; at + step <= valid.size(); at += step) {
        const QByteArray rec = valid.mid(at, step);
        if (rec.at(22) != '1') continue;  // column 23: the record type
        auto col = [&rec](int c, int n) { return rec.mid(c - 1, n); };
        f.replace(at + 294, 4, "2008");
        QByteArray tail;
        tail += col(356, 8);   // VaGlobalAssociativa, 8 digits
        tail += col(364, 14);  // CoCNPJSindical
        tail += col(379, 8);   // VaGlobalSindical
        tail += col(387, 14);  // CoCNPJAssistencial
        tail += col(402, 8);   // VaGlobalAssistencial
        tail += col(410, 14);  // CoCNPJConfederativa
        tail += col(425, 8);   // VaGlobalConfederativa
        tail += col(433, 1);   // InAtividadeAnoBase
        tail += col(434, 1);   // InCentralizada
        tail += col(435, 14);  // CoCNPJCentralizada
        tail += col(449, 1);   // InSindicalizada
        tail += QByteArray(538 - 445, ' ');
        f.replace(at + 354, tail.size(), tail);
    }
    f.replace(383, 8, "        ");
    return f;
}

}  // namespace analyserfixture
