#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"

// The main data module: the database connection "LOBRIX" on the folder Dados
// beside the program, the lookup tables and the message catalogue.
class TdmLobrix {
public:
    TdmLobrix();   // dmLobrixCreate
    ~TdmLobrix();  // dmLobrixDestroy

    std::shared_ptr<db::Database> dbZuvo;

    db::Table taMunicipio;
    db::Table taUF;
    db::Table taCNAE;
    db::Table taNatJu;
    db::Table taNacionalidade;
    db::Table taMensagem;
    db::Table taInstrucao;
    db::Table taAdmissao;
    db::Table taCBO;
    db::Table taTpVinc;
    db::Table taDesl;
    db::Table taSalario;
    db::Table taFaixaCEP;
    db::Table taRaca;
    db::Table TaAfastamento;
    db::Table taDeficiente;
    db::Table tbEmpreg;
    db::Table tbTrab;
    db::Table tbSindic;
    db::Table tbPisInval;

    db::Query quBd8Emp;   // text filled before each use
    db::Query qryUfCep;   // postcode ranges of a state, parameter xCoUf

    // The database named "LOBRIX" by every table and query of the program.
    static std::shared_ptr<db::Database> OpenAlias();
};

extern TdmLobrix* dmLobrix;
