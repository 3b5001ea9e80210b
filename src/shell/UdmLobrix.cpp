#include "UdmLobrix.h"

#include "platform/AppPaths.h"

TdmLobrix* dmLobrix = nullptr;

std::shared_ptr<db::Database> TdmLobrix::OpenAlias() {
    return db::Database::forFolder(AppPaths::dataFolder());
}

TdmLobrix::TdmLobrix()
    : dbZuvo(OpenAlias()),
      taMunicipio(dbZuvo, QStringLiteral("tb8MUNIC.DB")),
      taUF(dbZuvo, QStringLiteral("TbUf.DB")),
      taCNAE(dbZuvo, QStringLiteral("tb8Cnae.db")),
      taNatJu(dbZuvo, QStringLiteral("tb8NATJU.DB")),
      taNacionalidade(dbZuvo, QStringLiteral("tb8NACIO.DB")),
      taMensagem(dbZuvo, QStringLiteral("tb8MSG.DB")),
      taInstrucao(dbZuvo, QStringLiteral("tb8INSTR.DB")),
      taAdmissao(dbZuvo, QStringLiteral("tb8TPADM.DB")),
      taCBO(dbZuvo, QStringLiteral("tb8cbo.DB")),
      taTpVinc(dbZuvo, QStringLiteral("tb8vinc.DB")),
      taDesl(dbZuvo, QStringLiteral("tb8DESL.DB")),
      taSalario(dbZuvo, QStringLiteral("tb8TPSAL.DB")),
      taFaixaCEP(dbZuvo, QStringLiteral("tb8FXCEP.db")),
      taRaca(dbZuvo, QStringLiteral("Tb8raca.DB")),
      TaAfastamento(dbZuvo, QStringLiteral("tb8Afast.DB")),
      taDeficiente(dbZuvo, QStringLiteral("tbDefi.db")),
      tbEmpreg(dbZuvo, QStringLiteral("tbEmpreg.db")),
      tbTrab(dbZuvo, QStringLiteral("tbTrab.db")),
      tbSindic(dbZuvo, QStringLiteral("tbSindic.db")),
      tbPisInval(dbZuvo, QStringLiteral("PISINDEV.db")),
      quBd8Emp(dbZuvo),
      qryUfCep(dbZuvo) {
    qryUfCep.SetSQL(QStringLiteral("Select * from tbUfCep\nwhere CoUf = :xCoUf"));
    for (db::Table* t : {&taMunicipio, &taUF, &taCNAE, &taNatJu, &taNacionalidade, &taMensagem, &taInstrucao,
                         &taAdmissao, &taRaca, &taCBO, &taTpVinc, &taDesl, &taSalario, &taFaixaCEP, &TaAfastamento,
                         &taDeficiente, &tbSindic, &tbEmpreg, &tbTrab, &tbPisInval})
        t->SetReadOnly(true);  // the lookups are never written by the program
    for (db::Table* t : {&taMunicipio, &taUF, &taCNAE, &taNatJu, &taNacionalidade, &taMensagem, &taInstrucao,
                         &taAdmissao, &taRaca, &taCBO, &taTpVinc, &taDesl, &taSalario, &taFaixaCEP, &TaAfastamento,
                         &taDeficiente, &tbSindic, &tbEmpreg, &tbTrab, &tbPisInval})
        t->Open();
}

TdmLobrix::~TdmLobrix() {
    for (db::Table* t : {&taMunicipio, &taUF, &taCNAE, &taNatJu, &taNacionalidade, &taMensagem, &taInstrucao,
                         &taAdmissao, &taCBO, &taTpVinc, &taRaca, &taDesl, &taSalario, &taFaixaCEP, &TaAfastamento,
                         &taDeficiente, &tbSindic, &tbEmpreg, &tbTrab, &tbPisInval})
        t->Close();
    if (dmLobrix == this) dmLobrix = nullptr;
}
