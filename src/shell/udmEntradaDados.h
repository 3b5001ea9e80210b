#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"

// The editing tables of establishments and contracts and the counting queries.
class TdmEntradaDados {
public:
    TdmEntradaDados();  // dmEntradaDadosCreate
    ~TdmEntradaDados();

    db::Table ta8Empresa;
    db::Table ta8Empreg;
    db::Query quBuscaEmpreg;   // filled by the establishment and employee forms
    db::Query quConVinculo;
    db::Query quContaEmpreg;
    db::Query quContaEstrang;
    db::Query quValidaEstab;   // filled by the establishment and new-declaration forms

    // How often the contract-type warnings may still be shown in this run.
    int QtAvisoVinculoCnae = 1;
    int QtAvisoVinculoNatJur = 1;

    // The number of contracts and of foreign contracts of one establishment.
    int CountContracts(const QString& anoBase, const QString& inscricao, const QString& prefixo);
    int CountForeigners(const QString& anoBase, const QString& inscricao, const QString& prefixo);

    // Opens quConVinculo and gives its occupation column the display of the list.
    void OpenConVinculo();
};

// The display of an occupation code: "000000" empty, six characters as
// "1234-56", anything else as stored.
QString CoCboDisplayText(const QString& stored);

extern TdmEntradaDados* dmEntradaDados;
