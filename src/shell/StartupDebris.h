#pragma once
#include <QString>

// What runs that never finished (killed, or the machine off) leave in Dados:
// the analyser's copy of its input, the working tables of an analysis, an
// import or an amendment, tables half made, a backup archive not yet named,
// the extraction folder of a restore, and journals nothing will ever play
// back. The start-up removes it when no other copy of the program uses the
// folder; the declaration and lookup tables, the findings of the last check
// and the receipts of the last write are kept.
void RemoveUnfinishedRunDebris(const QString& dataFolder);
