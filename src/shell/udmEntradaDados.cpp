#include "udmEntradaDados.h"

#include "DeclarationTables.h"
#include "UdmLobrix.h"

TdmEntradaDados* dmEntradaDados = nullptr;

namespace {
const QString kCountContracts = QStringLiteral(
    "select count(*)\nfrom BD8Vinc\nwhere  AnBase= :sAnoBase  and\n"
    "CoCGCCEIEstabelecimento= :sInscricao  and\nNuPrefixoEstabelecimento= :sPrefixo");

int runCount(db::Query& q, const QString& anoBase, const QString& inscricao, const QString& prefixo) {
    q.Close();
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = anoBase;
    q.ParamByName(QStringLiteral("sInscricao")).AsString = inscricao;
    q.ParamByName(QStringLiteral("sPrefixo")).AsString = prefixo;
    q.Open();
    const int n = q.Fields(0).AsInteger();
    q.Close();
    return n;
}
}  // namespace

TdmEntradaDados::TdmEntradaDados()
    : ta8Empresa(TdmLobrix::OpenAlias(), QStringLiteral("Bd8emp.DB")),
      ta8Empreg(TdmLobrix::OpenAlias(), QStringLiteral("Bd8vinc.DB")),
      quBuscaEmpreg(TdmLobrix::OpenAlias()),
      quConVinculo(TdmLobrix::OpenAlias()),
      quContaEmpreg(TdmLobrix::OpenAlias()),
      quContaEstrang(TdmLobrix::OpenAlias()),
      quValidaEstab(TdmLobrix::OpenAlias()) {
    ta8Empresa.SetFieldDefs(DeclarationTables::BD8Emp().fields);
    ta8Empreg.SetFieldDefs(DeclarationTables::BD8Vinc().fields);
    quConVinculo.SetSQL(QStringLiteral(
        "Select coPisPasepEmpregado, NoEmpregado,\n"
        "daAdmissaoEmpregado, DaDesligamentoEmpregado, daNascimentoEmpregado, CoCbo\nfrom BD8Vinc"));
    quContaEmpreg.SetSQL(kCountContracts);
    // An empty nationality is unknown to the engine, neither "10" nor foreign.
    quContaEstrang.SetSQL(kCountContracts +
                          QStringLiteral(" and\nCoNacionalidade <> '10' and CoNacionalidade <> ''"));
    QtAvisoVinculoCnae = 1;
    QtAvisoVinculoNatJur = 1;
}

TdmEntradaDados::~TdmEntradaDados() {
    if (dmEntradaDados == this) dmEntradaDados = nullptr;
}

int TdmEntradaDados::CountContracts(const QString& anoBase, const QString& inscricao, const QString& prefixo) {
    return runCount(quContaEmpreg, anoBase, inscricao, prefixo);
}

int TdmEntradaDados::CountForeigners(const QString& anoBase, const QString& inscricao, const QString& prefixo) {
    return runCount(quContaEstrang, anoBase, inscricao, prefixo);
}

QString CoCboDisplayText(const QString& stored) {
    if (stored == QLatin1String("000000")) return QString();
    if (stored.size() == 6) return stored.left(4) + '-' + stored.right(2);
    return stored;
}

void TdmEntradaDados::OpenConVinculo() {
    quConVinculo.Open();
    if (db::Field* f = quConVinculo.FindField(QStringLiteral("CoCbo")))
        f->OnGetText = [](const db::Field& field) { return CoCboDisplayText(field.AsString()); };
}
