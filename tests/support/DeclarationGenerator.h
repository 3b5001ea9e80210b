#pragma once
// A generated declaration for tests and benchmarks: the person responsible,
// one large establishment and many small ones, every contract valid by the
// field rules' check digits. Header-only so the benchmarks, which link only
// the program's library, can include it too.
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"
#include "shell/ugDigitos.h"

#include <QString>
#include <QStringList>

namespace gen {

struct DeclarationShape {
    int bigContracts = 50000;        // contracts of the first establishment
    int smallEstablishments = 200;   // establishments after it
    int contractsEach = 50;          // contracts of each small one
    int withoutEmployees = 0;        // establishments without employees after them
    QString anoBase = QStringLiteral("2009");
};

// A valid CNPJ from a number: root of 8 digits, branch 0001, check digits.
inline QString MakeCnpj(int n) {
    QString d = QStringLiteral("%1").arg(10000000 + n, 8, 10, QLatin1Char('0')) + QStringLiteral("0001");
    d += CnpjCheckDigit(d);
    d += CnpjCheckDigit(d);
    return d;
}

// A valid PIS/PASEP from a number; numbers whose digit would be 10 are skipped.
inline QString MakePis(int& n) {
    for (;; ++n) {
        const QString d = QStringLiteral("1%1").arg(n, 9, 10, QLatin1Char('0'));
        const QChar c = PisCheckDigit(d);
        if (c.isDigit()) return d + c;
    }
}

inline QString MakeCpf(int n) {
    QString d = QStringLiteral("%1").arg(100000000 + n, 9, 10, QLatin1Char('0'));
    d += CpfCheckDigit(d);
    d += CpfCheckDigit(d);
    return d;
}

inline void FillResponsible(db::Table& t) {
    t.Append();
    auto set = [&](const char* f, const QString& v) { t.FieldByName(QLatin1String(f)).SetAsString(v); };
    set("CoCgcCeiResponsavel", MakeCnpj(1));
    set("InInscrResponsavel", "1");
    set("NoResponsavelArquivo", "ESCRITORIO CONTABIL MODELO LTDA");
    set("EdLogradouroRespArquivo", "RUA DAS FLORES");
    set("NuLogradouroRespArquivo", "100");
    set("TxComplementoRespArquivo", "SALA 2");
    set("NoBairroRespArquivo", "CENTRO");
    set("CoCepRespArquivo", "01001000");
    set("CoMunicipioRespArquivo", "3550308");
    set("NoMunicipioRespArquivo", "SAO PAULO");
    set("SgUfRespArquivo", "SP");
    set("NuFoneDDD", "11");
    set("NuFoneAssinante", "32221111");
    set("TxEMailRespArquivo", "contato@modelo.com.br");
    set("NoResponsavelDeclaracao", "JOSE DA SILVA");
    set("CoCpfResponsavel", MakeCpf(7));
    set("DaNascimentoRespArquivo", "15061970");
    set("NuRespostaPesquisa", "1212121212121212121212");
    t.Post();
}

inline void AppendEstablishment(db::Table& t, const QString& anoBase, const QString& cnpj, int contracts, int n) {
    t.Append();
    auto set = [&](const char* f, const QString& v) { t.FieldByName(QLatin1String(f)).SetAsString(v); };
    set("AnBase", anoBase);
    set("CoCgcCeiEstabelecimento", cnpj);
    set("NuPrefixoEstabelecimento", "00");
    set("CoCgcVinculado", "00000000000000");
    set("NoRazaoEstabelecimento", QStringLiteral("EMPRESA MODELO %1 LTDA").arg(n));
    set("EdEstabelecimento", "AVENIDA PAULISTA");
    set("NuEnderecoEstabelecimento", "1000");
    set("NoBairroEstabelecimento", "BELA VISTA");
    set("CoCepEstabelecimento", "01310100");
    set("CoMunicipio", "3550308");
    set("NoMunicEstabelecimento", "SAO PAULO");
    set("SgUf", "SP");
    set("NuDDD", "11");
    set("NuTelefone", "31234567");
    set("TxEmailEstabelecimento", "rh@modelo.com.br");
    set("CoCnae2", "6201500");
    set("CoNaturezaJuridica", "2062");
    set("NuProprietEstabelecimento", "02");
    set("MeDataBase", "05");
    set("InInscrEstabelecimento", "1");
    set("InZuvoNegEstabelecimento", contracts > 0 ? "0" : "1");
    set("NuVinculosEstabelecimento", QString::number(contracts));
    set("InPorte", "3");
    set("InOptanteSimples", "2");
    set("InParticipaPAT", "2");
    set("InAtividadeAnoBase", "1");
    set("InEncerramentoAtividade", "2");
    set("InCentralizada", "2");
    set("InSindicalizada", "2");
    t.Post();
}

inline void AppendContract(db::Table& t, const QString& anoBase, const QString& cnpj, int n, int& pisSeed) {
    static const char* const kMonths[] = {"VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado",
                                          "VaAbrilEmpregado", "VaMaioEmpregado", "VaJunhoEmpregado",
                                          "VaJulhoEmpregado", "VaAgostoEmpregado", "VaSetembroEmpregado",
                                          "VaOutubroEmpregado", "VaNovembroEmpregado", "VaDezembroEmpregado"};
    t.Append();
    auto set = [&](const char* f, const QString& v) { t.FieldByName(QLatin1String(f)).SetAsString(v); };
    set("AnBase", anoBase);
    set("CoCgcCeiEstabelecimento", cnpj);
    set("NuPrefixoEstabelecimento", "00");
    set("CoPisPasepEmpregado", MakePis(pisSeed));
    ++pisSeed;
    set("DaAdmissaoEmpregado", "02012008");
    set("NoEmpregado", QStringLiteral("EMPREGADO NUMERO %1 DA SILVA").arg(n));
    set("NuSequencialRegistro", QStringLiteral("%1").arg(n % 1000000, 6, 10, QLatin1Char('0')));
    set("CoCgcVinculado", "00000000000000");
    set("InInscrEstabelecimento", "1");
    set("CoCbo", "212405");
    set("DaNascimentoEmpregado", "10101980");
    set("CoNacionalidade", "10");
    set("CoInstrucao", "07");
    set("CoCpfEmpregado", MakeCpf(n + 100));
    set("NuCartTrabEmpregado", "01234567");
    set("SeCartTrabEmpregado", "00123");
    set("CoTipoAdmissao", "2");
    set("VaSalContratualEmpregado", "000250000");
    set("CoTipoSalarioContratual", "1");
    set("HoSemanaisEmpregado", "44");
    set("CoVinculo", "10");
    for (const char* m : kMonths) set(m, "000250000");
    set("Va13AdiantamentoEmpregado", "000125000");
    set("Me13AdiantamentoEmpregado", "11");
    set("Va13ParcelaFinalEmpregado", "000125000");
    set("Me13ParcelaFinalEmpregado", "12");
    set("CoTipoRaca", "2");
    set("InDeficienteFisico", "2");
    set("CoDeficienteFisico", "0");
    set("InAlvaraEmpregado", "2");
    set("InSexo", "1");
    set("CoMunicipioTrabalho", "3550308");
    set("InSindicalizadoVinculo", "2");
    t.Post();
}

// Replaces the rows of BD8Resp, BD8Emp and BD8Vinc of the data folder with
// the generated declaration. Returns the establishment list items (base year,
// inscription, prefix) in key order.
inline QStringList GenerateDeclaration(const QString& dataFolder, const DeclarationShape& shape) {
    auto database = db::Database::forFolder(dataFolder);
    // The exact file names spare the store a folder search per row.
    db::Table resp(database, DeclarationTables::BD8Resp().fileName);
    db::Table emp(database, DeclarationTables::BD8Emp().fileName);
    db::Table vinc(database, DeclarationTables::BD8Vinc().fileName);
    resp.Open();
    emp.Open();
    vinc.Open();
    resp.EmptyTable();
    emp.EmptyTable();
    vinc.EmptyTable();
    QStringList items;
    {
        db::Transaction tx(*database);
        FillResponsible(resp);
        int pisSeed = 1;
        int contract = 0;
        const int total = 1 + shape.smallEstablishments + shape.withoutEmployees;
        for (int e = 0; e < total; ++e) {
            const QString cnpj = MakeCnpj(100 + e);
            const int contracts = e == 0 ? shape.bigContracts
                                         : (e <= shape.smallEstablishments ? shape.contractsEach : 0);
            AppendEstablishment(emp, shape.anoBase, cnpj, contracts, e);
            for (int c = 0; c < contracts; ++c) AppendContract(vinc, shape.anoBase, cnpj, ++contract, pisSeed);
            items << shape.anoBase + cnpj + QStringLiteral("00");
        }
        tx.commit();
    }
    items.sort();
    return items;
}

}  // namespace gen
