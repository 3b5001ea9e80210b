#include "StartupPickers.h"

#include "ufmTb8Afast.h"
#include "ufmTb8CBO.h"
#include "ufmTb8Munic.h"
#include "ufmTb8Raca.h"
#include "ufmTb8cnae.h"
#include "ufmtb8Deficiente.h"

void CreateStartupPickers() {
    if (!fmTb8Cnae) fmTb8Cnae = new TfmTb8Cnae();
    if (!frmT8Munic) frmT8Munic = new TfrmT8Munic();
    if (!fmTb8CBO) fmTb8CBO = new TfmTb8CBO();
    if (!fmTb8Raca) fmTb8Raca = new TfmTb8Raca();
    if (!fmTb8Afast) fmTb8Afast = new TfmTb8Afast();
    if (!fmTb8Deficiente) fmTb8Deficiente = new TfmTb8Deficiente();
}

void FreeStartupPickers() {
    delete fmTb8Cnae;
    fmTb8Cnae = nullptr;
    delete frmT8Munic;
    frmT8Munic = nullptr;
    delete fmTb8CBO;
    fmTb8CBO = nullptr;
    delete fmTb8Raca;
    fmTb8Raca = nullptr;
    delete fmTb8Afast;
    fmTb8Afast = nullptr;
    delete fmTb8Deficiente;
    fmTb8Deficiente = nullptr;
}
