#include "DeclarationTables.h"

namespace DeclarationTables {

// BD8Emp
static const QList<db::FieldDef> kBD8EmpFields = {
    db::textField(QStringLiteral("AnBase"), 4),
    db::textField(QStringLiteral("CoCgcCeiEstabelecimento"), 14),
    db::textField(QStringLiteral("NuPrefixoEstabelecimento"), 2),
    db::textField(QStringLiteral("CoCgcVinculado"), 14),
    db::textField(QStringLiteral("NoRazaoEstabelecimento"), 52),
    db::textField(QStringLiteral("EdEstabelecimento"), 40),
    db::textField(QStringLiteral("NuEnderecoEstabelecimento"), 6),
    db::textField(QStringLiteral("TxComplemEstabelecimento"), 21),
    db::textField(QStringLiteral("NoBairroEstabelecimento"), 19),
    db::textField(QStringLiteral("CoCepEstabelecimento"), 8, QStringLiteral("99999-999;0;")),
    db::textField(QStringLiteral("CoMunicipio"), 7, QStringLiteral("99-99999;0;")),
    db::textField(QStringLiteral("NoMunicEstabelecimento"), 30),
    db::textField(QStringLiteral("SgUf"), 2),
    db::textField(QStringLiteral("NuDDD"), 2),
    db::textField(QStringLiteral("NuTelefone"), 8),
    db::textField(QStringLiteral("CoCnae"), 5, QStringLiteral("99.99-9;0;")),
    db::textField(QStringLiteral("CoNaturezaJuridica"), 4, QStringLiteral("999-9;0;")),
    db::textField(QStringLiteral("NuProprietEstabelecimento"), 2),
    db::textField(QStringLiteral("MeDataBase"), 2),
    db::textField(QStringLiteral("InInscrEstabelecimento"), 1),
    db::textField(QStringLiteral("InZuvoNegEstabelecimento"), 1),
    db::textField(QStringLiteral("TxUsoEstabelecimento"), 12),
    db::textField(QStringLiteral("NuVinculosEstabelecimento"), 6),
    db::textField(QStringLiteral("NuEstrangeirosEstabelec"), 5),
    db::textField(QStringLiteral("InOpcaoAberta"), 1),
    db::textField(QStringLiteral("NuSequencialRegistro"), 6),
    db::textField(QStringLiteral("InPorte"), 1),
    db::textField(QStringLiteral("InOptanteSimples"), 1),
    db::textField(QStringLiteral("InEncerramentoAtividade"), 1),
    db::textField(QStringLiteral("DaEncerramentoAtividade"), 8, QStringLiteral("99/99/9999;0;")),
    db::boolField(QStringLiteral("InAvisoCnae")),
    db::textField(QStringLiteral("InParticipaPAT"), 1),
    db::textField(QStringLiteral("NuVinculoPatMaior5"), 6),
    db::textField(QStringLiteral("NuVinculoPatMenor5"), 6),
    db::textField(QStringLiteral("PoAdmCozinha"), 3),
    db::textField(QStringLiteral("PoServicoProprio"), 3),
    db::textField(QStringLiteral("PoRefeicaoConvenio"), 3),
    db::textField(QStringLiteral("PoRefeicaoTransportadora"), 3),
    db::textField(QStringLiteral("PoCestaAlimento"), 3),
    db::textField(QStringLiteral("PoAlimentacaoConvenio"), 3),
    db::textField(QStringLiteral("TxEmailEstabelecimento"), 45),
    db::textField(QStringLiteral("CoCNPJAssociativa"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalAssociativa"), 9),
    db::textField(QStringLiteral("CoCNPJSindical"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalSindical"), 9),
    db::textField(QStringLiteral("CoCNPJAssistencial"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalAssistencial"), 9),
    db::textField(QStringLiteral("CoCNPJConfederativa"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalConfederativa"), 9),
    db::textField(QStringLiteral("InAtividadeAnoBase"), 1),
    db::textField(QStringLiteral("InSindicalizada"), 1),
    db::textField(QStringLiteral("CoCNPJCentralizada"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("CoCnae2"), 7, QStringLiteral("99.99-9/99;0;")),
    db::textField(QStringLiteral("InCentralizada"), 1),
    db::textField(QStringLiteral("TxtCnae"), 200),
    db::textField(QStringLiteral("TxtNatJur"), 200),
};
// BD8Vinc
static const QList<db::FieldDef> kBD8VincFields = {
    db::textField(QStringLiteral("AnBase"), 4),
    db::textField(QStringLiteral("CoCgcCeiEstabelecimento"), 14),
    db::textField(QStringLiteral("NuPrefixoEstabelecimento"), 2),
    db::textField(QStringLiteral("CoPisPasepEmpregado"), 11, QStringLiteral("999.99999.99.9;0;")),
    db::textField(QStringLiteral("DaAdmissaoEmpregado"), 8, QStringLiteral("99/99/9999;0;")),
    db::textField(QStringLiteral("NoEmpregado"), 52),
    db::textField(QStringLiteral("NuSequencialRegistro"), 6),
    db::textField(QStringLiteral("CoCgcVinculado"), 14),
    db::textField(QStringLiteral("InInscrEstabelecimento"), 1),
    db::textField(QStringLiteral("DaDesligamentoEmpregado"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("CoCbo"), 6, QStringLiteral("a999-99;0;")),
    db::textField(QStringLiteral("DaNascimentoEmpregado"), 8, QStringLiteral("99/99/9999;0;")),
    db::textField(QStringLiteral("CoNacionalidade"), 2, QStringLiteral("99;0;")),
    db::textField(QStringLiteral("AnChegadaEmpregado"), 4, QStringLiteral("9999;0;")),
    db::textField(QStringLiteral("CoInstrucao"), 2),
    db::textField(QStringLiteral("NuCartTrabEmpregado"), 8, QStringLiteral("99999999;0;")),
    db::textField(QStringLiteral("CoCpfEmpregado"), 11, QStringLiteral("999.999.999-99;0;")),
    db::textField(QStringLiteral("CoTipoAdmissao"), 1, QStringLiteral("9;0;")),
    db::textField(QStringLiteral("VaSalContratualEmpregado"), 9),
    db::textField(QStringLiteral("CoTipoSalarioContratual"), 1, QStringLiteral("9;0;")),
    db::textField(QStringLiteral("HoSemanaisEmpregado"), 2, QStringLiteral("99;0;")),
    db::textField(QStringLiteral("CoVinculo"), 2),
    db::textField(QStringLiteral("CoCausaDesligamento"), 2),
    db::textField(QStringLiteral("VaJaneiroEmpregado"), 9),
    db::textField(QStringLiteral("VaFevereiroEmpregado"), 9),
    db::textField(QStringLiteral("VaMarcoEmpregado"), 9),
    db::textField(QStringLiteral("VaAbrilEmpregado"), 9),
    db::textField(QStringLiteral("VaMaioEmpregado"), 9),
    db::textField(QStringLiteral("VaJunhoEmpregado"), 9),
    db::textField(QStringLiteral("VaJulhoEmpregado"), 9),
    db::textField(QStringLiteral("VaAgostoEmpregado"), 9),
    db::textField(QStringLiteral("VaSetembroEmpregado"), 9),
    db::textField(QStringLiteral("VaOutubroEmpregado"), 9),
    db::textField(QStringLiteral("VaNovembroEmpregado"), 9),
    db::textField(QStringLiteral("VaDezembroEmpregado"), 9),
    db::textField(QStringLiteral("Me13AdiantamentoEmpregado"), 2),
    db::textField(QStringLiteral("Va13AdiantamentoEmpregado"), 9),
    db::textField(QStringLiteral("Me13ParcelaFinalEmpregado"), 2),
    db::textField(QStringLiteral("Va13ParcelaFinalEmpregado"), 9),
    db::textField(QStringLiteral("TxUsoEmpregado"), 12),
    db::textField(QStringLiteral("CoTipoRaca"), 1),
    db::textField(QStringLiteral("InDeficienteFisico"), 1),
    db::textField(QStringLiteral("VaAvisoPrevioEmpregado"), 9),
    db::textField(QStringLiteral("InAlvaraEmpregado"), 1),
    db::textField(QStringLiteral("InSexo"), 1),
    db::textField(QStringLiteral("CoMotivoPrimAfas"), 2),
    db::textField(QStringLiteral("DaInicioprimeiroAfas"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("DaFinalPrimeiroAfas"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("CoMotivoSeguAfas"), 2),
    db::textField(QStringLiteral("DaInicioSegundoAfas"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("DaFinalSegundoAfas"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("CoMotivoTercAfas"), 2),
    db::textField(QStringLiteral("DaInicioTerceiroAfas"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("DaFinalTerceiroAfas"), 4, QStringLiteral("99/99;0;")),
    db::textField(QStringLiteral("QtDiasAfas"), 3),
    db::textField(QStringLiteral("CoMotivoAfastamento"), 2),
    db::textField(QStringLiteral("CoCNPJSindical"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalSindical"), 8),
    db::textField(QStringLiteral("CoCNPJPrimAssociativa"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalPrimAssociativa"), 8),
    db::textField(QStringLiteral("CoCNPJSegAssociativa"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalSegAssociativa"), 8),
    db::textField(QStringLiteral("CoCNPJAssistencial"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalAssistencial"), 8),
    db::textField(QStringLiteral("CoCNPJConfederativa"), 14, QStringLiteral("99.999.999/9999-99;0;")),
    db::textField(QStringLiteral("VaGlobalConfederativa"), 8),
    db::textField(QStringLiteral("VaGlobalFerias"), 8),
    db::textField(QStringLiteral("VaGlobalMultas"), 8),
    db::textField(QStringLiteral("VaGlobalBcoHoras"), 8),
    db::textField(QStringLiteral("QtCompBcoHoras"), 2),
    db::textField(QStringLiteral("VaGlobalDissidio"), 8),
    db::textField(QStringLiteral("QtCompDissidio"), 2),
    db::textField(QStringLiteral("VaGlobalGratificacoes"), 8),
    db::textField(QStringLiteral("QtCompGratificacoes"), 2),
    db::textField(QStringLiteral("CoMunicipioTrabalho"), 7, QStringLiteral("99-99999;0;")),
    db::textField(QStringLiteral("NoMunicipioTrabalho"), 30),
    db::textField(QStringLiteral("SgUfTrabalho"), 2),
    db::textField(QStringLiteral("HoTrabalhadasJaneiro"), 3),
    db::textField(QStringLiteral("HoTrabalhadasFevereiro"), 3),
    db::textField(QStringLiteral("HoTrabalhadasMarco"), 3),
    db::textField(QStringLiteral("HoTrabalhadasAbril"), 3),
    db::textField(QStringLiteral("HoTrabalhadasMaio"), 3),
    db::textField(QStringLiteral("HoTrabalhadasJunho"), 3),
    db::textField(QStringLiteral("HoTrabalhadasJulho"), 3),
    db::textField(QStringLiteral("HoTrabalhadasAgosto"), 3),
    db::textField(QStringLiteral("HoTrabalhadasSetembro"), 3),
    db::textField(QStringLiteral("HoTrabalhadasOutubro"), 3),
    db::textField(QStringLiteral("HoTrabalhadasNovembro"), 3),
    db::textField(QStringLiteral("HoTrabalhadasDezembro"), 3),
    db::textField(QStringLiteral("SeCartTrabEmpregado"), 5),
    db::textField(QStringLiteral("CoDeficienteFisico"), 1),
    db::textField(QStringLiteral("InSindicalizadoVinculo"), 1),
    db::textField(QStringLiteral("TxtCBO"), 100),
    db::textField(QStringLiteral("TxtVinculo"), 100),
    db::textField(QStringLiteral("TxtAdmisao"), 100),
    db::textField(QStringLiteral("TxtRaca"), 100),
    db::textField(QStringLiteral("TxtDesligamento"), 100),
    db::textField(QStringLiteral("TxtInstrucao"), 100),
    db::textField(QStringLiteral("TxtSalario"), 10),
    db::textField(QStringLiteral("TxtNacionalidade"), 30),
};
// BD8Resp
static const QList<db::FieldDef> kBD8RespFields = {
    db::textField(QStringLiteral("CoCgcCeiResponsavel"), 14),
    db::textField(QStringLiteral("InInscrResponsavel"), 1),
    db::textField(QStringLiteral("NoResponsavelArquivo"), 40),
    db::textField(QStringLiteral("EdLogradouroRespArquivo"), 40),
    db::textField(QStringLiteral("NuLogradouroRespArquivo"), 6),
    db::textField(QStringLiteral("TxComplementoRespArquivo"), 21),
    db::textField(QStringLiteral("NoBairroRespArquivo"), 19),
    db::textField(QStringLiteral("CoCepRespArquivo"), 8, QStringLiteral("99999-999;0;")),
    db::textField(QStringLiteral("CoMunicipioRespArquivo"), 7, QStringLiteral("99-99999;0;")),
    db::textField(QStringLiteral("NoMunicipioRespArquivo"), 30),
    db::textField(QStringLiteral("SgUfRespArquivo"), 2),
    db::textField(QStringLiteral("NuFoneDDD"), 2),
    db::textField(QStringLiteral("NuFoneAssinante"), 8),
    db::textField(QStringLiteral("TxEMailRespArquivo"), 45),
    db::boolField(QStringLiteral("InReciboParaRespArquivo")),
    db::boolField(QStringLiteral("InRetificacao")),
    db::textField(QStringLiteral("DaRetificacao"), 8),
    db::boolField(QStringLiteral("InAntecipacao")),
    db::textField(QStringLiteral("DaGeracao"), 8),
    db::boolField(QStringLiteral("InDicasSemEmpregados")),
    db::boolField(QStringLiteral("InDicas")),
    db::textField(QStringLiteral("NuRespostaPesquisa"), 22),
    db::textField(QStringLiteral("HoSenha"), 6),
    db::textField(QStringLiteral("NoResponsavelDeclaracao"), 52),
    db::textField(QStringLiteral("CoCpfResponsavel"), 11),
    db::textField(QStringLiteral("CoCrea"), 12),
    db::textField(QStringLiteral("DaNascimentoRespArquivo"), 8, QStringLiteral("99/99/9999;0;")),
};

namespace {
db::TableDef make(const QString& file, const QList<db::FieldDef>& fields, const QList<db::IndexDef>& indexes) {
    db::TableDef t;
    t.fileName = file;
    t.fields = fields;
    t.indexes = indexes;
    return t;
}
QList<db::FieldDef> cols(std::initializer_list<std::pair<const char*, int>> list) {
    QList<db::FieldDef> out;
    for (const auto& [name, width] : list)
        out << (width == 0 ? db::boolField(QString::fromLatin1(name)) : db::textField(QString::fromLatin1(name), width));
    return out;
}
}  // namespace

QStringList ContractKey() {
    return QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;"
                          "DaAdmissaoEmpregado;NoEmpregado;NuSequencialRegistro;CoCgcVinculado;"
                          "InInscrEstabelecimento;DaDesligamentoEmpregado;CoCbo")
        .split(';');
}

QStringList AnalyserContractKey() { return ContractKey().mid(0, 7); }

db::TableDef BD8Emp() {
    return make(QStringLiteral("Bd8emp.DB"), kBD8EmpFields,
                {db::primaryIndex(QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento"))});
}

db::TableDef BD8Vinc() {
    return make(QStringLiteral("Bd8vinc.DB"), kBD8VincFields, {db::primaryIndex(ContractKey().join(';'))});
}

db::TableDef BD8Resp() { return make(QStringLiteral("bd8resp.DB"), kBD8RespFields, {}); }

QList<db::TableDef> LookupTables() {
    using db::primaryIndex;
    db::IndexDef sgUf{QStringLiteral("ISgUf"), {QStringLiteral("SgUf")}, false, true};
    return {
        make("tb8MUNIC.DB", cols({{"CoMunicipio", 7}, {"NoMunicipio", 40}, {"CoCep", 5}, {"InFaixa", 1}}), {primaryIndex("CoMunicipio")}),
        make("TbUf.DB", cols({{"CoUf", 2}, {"SgUf", 2}, {"NoUf", 19}}), {primaryIndex("CoUf;SgUf"), sgUf}),
        make("tb8Cnae.db", cols({{"CoCnae", 7}, {"NoCnae", 200}}), {primaryIndex("CoCnae")}),
        make("tb8NATJU.DB", cols({{"CoNaturezaJuridica", 4}, {"NoNaturezaJuridica", 100}}), {primaryIndex("CoNaturezaJuridica")}),
        make("tb8NACIO.DB", cols({{"CoNacionalidade", 2}, {"NoNacionalidade", 30}}), {primaryIndex("CoNacionalidade")}),
        make("tb8MSG.DB", cols({{"NuMensagem", 4}, {"TpMensagem", 5}, {"TxMensagem", 200}}), {primaryIndex("NuMensagem")}),
        make("tb8INSTR.DB", cols({{"CoInstrucao", 2}, {"NoInstrucao", 150}}), {primaryIndex("CoInstrucao")}),
        make("tb8TPADM.DB", cols({{"CoTipoAdmissao", 1}, {"NoTipoAdmissao", 190}}), {primaryIndex("CoTipoAdmissao")}),
        make("tb8cbo.DB", cols({{"CoCbo", 6}, {"NoCbo", 200}, {"InCriticaAna", 0}, {"InCriticaCbo", 0}}), {primaryIndex("CoCbo")}),
        make("tb8vinc.DB", cols({{"CoVinculo", 2}, {"NoVinculo", 150}}), {primaryIndex("CoVinculo")}),
        make("tb8DESL.DB", cols({{"CoCausaDesligamento", 2}, {"NoCausaDesligamento", 190}}), {primaryIndex("CoCausaDesligamento")}),
        make("tb8TPSAL.DB", cols({{"CoTipoSalarioContratual", 1}, {"NoTipoSalarioContratual", 10}}), {primaryIndex("CoTipoSalarioContratual")}),
        make("tb8FXCEP.db", cols({{"CoMunicipio", 7}, {"CoCep1Inicial", 5}, {"CoCep1Final", 5}, {"CoCep2Inicial", 5}, {"CoCep2Final", 5}}), {primaryIndex("CoMunicipio")}),
        make("Tb8raca.DB", cols({{"CoRaca", 1}, {"NoRaca", 160}}), {primaryIndex("CoRaca")}),
        make("tb8Afast.DB", cols({{"CoAfastamento", 2}, {"NoAfastamento", 50}}), {primaryIndex("CoAfastamento")}),
        make("tbDefi.db", cols({{"CoTipoDeficiencia", 1}, {"NoTipoDeficiencia", 50}}), {primaryIndex("CoTipoDeficiencia")}),
        make("tbEmpreg.db", cols({{"CoCnpjEmpregador", 14}}), {primaryIndex("CoCnpjEmpregador")}),
        make("tbTrab.db", cols({{"CoCnpjTrabalhadores", 14}}), {primaryIndex("CoCnpjTrabalhadores")}),
        make("tbSindic.db", cols({{"CoCnpjCentrSindical", 14}}), {primaryIndex("CoCnpjCentrSindical")}),
        make("PISINDEV.db", cols({{"CoPisPasep", 11}, {"NoEmpregado", 73}}), {primaryIndex("CoPisPasep")}),
        make("TBUFCEP.DB", cols({{"CoUf", 2}, {"IdUf", 1}, {"CoCepInicial", 5}, {"CoCepFinal", 5}}), {}),
        make("TB8BASE.DB", cols({{"MeDataBase", 2}, {"NoMes", 20}}), {primaryIndex("MeDataBase")}),
    };
}

QList<db::TableDef> ShippedTables() { return QList<db::TableDef>{BD8Emp(), BD8Vinc(), BD8Resp()} + LookupTables(); }

}  // namespace DeclarationTables

void CopyTableStructure(const QString& sourceName, const QString& newName, db::Database& database,
                        bool copyIndexes) {
    db::TableDef def = database.tableDef(sourceName + QStringLiteral(".db"));
    def.fileName = newName + QStringLiteral(".db");
    if (!copyIndexes) def.indexes.clear();
    database.createTable(def);
}

bool TryCopyTableStructure(const QString& sourceName, const QString& newName, db::Database& database,
                           bool copyIndexes) {
    try {
        CopyTableStructure(sourceName, newName, database, copyIndexes);
        return true;
    } catch (...) {
        return false;
    }
}
