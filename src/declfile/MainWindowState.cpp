#include "declfile/MainWindowState.h"

#include "shell/ufmLOBRIX.h"

namespace declfile {

namespace {
int gAnoBase = 2009;
QString& crea() {
    static QString value;
    return value;
}
}  // namespace

int ProgramAnoBase() { return fmLOBRIX ? fmLOBRIX->AnoBase : gAnoBase; }

void SetProgramAnoBase(int year) {
    gAnoBase = year;
    if (fmLOBRIX) fmLOBRIX->AnoBase = year;
}

QString CreaDeclaracao() { return fmLOBRIX ? fmLOBRIX->CreaDeclaracao : crea(); }

void SetCreaDeclaracao(const QString& value) {
    crea() = value;
    if (fmLOBRIX) fmLOBRIX->CreaDeclaracao = value;
}

static WriterState& programState() {
    static WriterState state;
    return state;
}

WriterState WriterStateFromProgram() {
    WriterState s = programState();
    s.AnoBase = ProgramAnoBase();
    s.CreaDeclaracao = CreaDeclaracao();
    if (fmLOBRIX) {
        if (!fmLOBRIX->Versao.isEmpty()) s.Versao = fmLOBRIX->Versao;
        if (!fmLOBRIX->OsCode.isEmpty()) s.OsCode = fmLOBRIX->OsCode;
        s.ArquivoGerado = fmLOBRIX->ArquivoGerado;
        s.NomeArquivoGerado = fmLOBRIX->NomeArquivoGerado;
        s.QtArquivosGerados = fmLOBRIX->QtArquivosGerados;
        s.GerouVariosArquivos = fmLOBRIX->GerouVariosArquivos;
    }
    s.ModoParticionamento = 0;
    return s;
}

void StoreWriterState(const WriterState& state) {
    programState() = state;
    SetCreaDeclaracao(state.CreaDeclaracao);
    if (!fmLOBRIX) return;
    fmLOBRIX->ArquivoGerado = state.ArquivoGerado;
    fmLOBRIX->NomeArquivoGerado = state.NomeArquivoGerado;
    fmLOBRIX->QtArquivosGerados = state.QtArquivosGerados;
    fmLOBRIX->GerouVariosArquivos = state.GerouVariosArquivos;
}

}  // namespace declfile
