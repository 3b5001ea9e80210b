#pragma once
#include <QString>

// The main window's public fields that the structure analyser reads and sets.
// Without a main window (tests, tools) they are kept here.
namespace declfile {

int ProgramAnoBase();             // fmLOBRIX->AnoBase
void SetProgramAnoBase(int year);
QString CreaDeclaracao();         // fmLOBRIX->CreaDeclaracao
void SetCreaDeclaracao(const QString& crea);

}  // namespace declfile

#include "declfile/DeclarationWriter.h"

namespace declfile {

// The main window's fields that the writer reads (AnoBase, Versao, OsCode,
// CreaDeclaracao) and sets (ArquivoGerado, NomeArquivoGerado,
// QtArquivosGerados, GerouVariosArquivos), copied into a WriterState before a
// write and back after it. ModoParticionamento is the caller's.
WriterState WriterStateFromProgram();
void StoreWriterState(const WriterState& state);

}  // namespace declfile
